#pragma once
// The maker's values that the description files carry and that this program does not know: web
// host, postal address, e-mail domain, registered numbers and the device icon. They stand here, in
// one place, as placeholders (zeros, and names under the reserved domain "example.invalid") to be
// replaced by the maker's own before a file is handed to a customer.
#include <QString>

namespace writer_constants {

// SNMP MIB: ORGANIZATION, CONTACT-INFO and the private enterprise number under "enterprises".
inline const QString kWebHost = QStringLiteral("www.example.invalid");
inline const QString kStreetLine = QStringLiteral("Example Street 0");
inline const QString kTownLine = QStringLiteral("00000 Example Town");
inline const QString kCountryLine = QStringLiteral("Example Country");
inline const QString kMailDomain = QStringLiteral("example.invalid");
inline constexpr unsigned kEnterpriseNumber = 0;

// CANopen EDS: product number (decimal) and order code of the device.
inline const QString kEdsProductNumber = QStringLiteral("0");
inline const QString kEdsOrderCode = QStringLiteral("0");

// PROFINET GSDML: the vendor identifier (written "0x" and four hexadecimal digits) and the product
// code at the end of the file name's fixed first part.
inline constexpr unsigned kProfinetVendorId = 0x0000;
inline const QString kProfinetProductCode = QStringLiteral("PN00000");

// EtherCAT ESI: vendor identifier and product code (eight hexadecimal digits each) and the 16 x 14
// icon as 690 hexadecimal digits.
inline const QString kEtherCATVendorId = QStringLiteral("00000000");
inline const QString kEtherCATProductCode = QStringLiteral("00000000");
inline const QString kEtherCATIcon = QString(690, QLatin1Char('0'));

} // namespace writer_constants
