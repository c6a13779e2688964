#pragma once
// The EtherCAT slave information file ("EtherCATInfo", version 1.6) of the EtherCAT gateway model:
// one device with fixed vendor, group, state-machine, mailbox, clock and EEPROM settings, and one
// process-data entry per enabled variable of the saved EtherCAT slave tables (inputs as TxPdo,
// outputs as RxPdo, 16 entries a block, bit runs padded to whole bytes).
#include "protocols/UDescription_File.h"

#include <QString>
#include <cstdint>
#include <vector>

struct TEtherCAT_Rule {
    QString DataType;
    int Length = 0;  // bits
    QString Name;
};

// The ESI data type and bit length of a table type (compared trimmed and in upper case) of
// length bytes: "BIT" of 1 for "Bool" and for any type the table does not know.
TEtherCAT_Rule Get_ESI_Type(const QString &type, int length);
// "000" .. "099", then the plain number.
QString Format_PDO_Number(int n);

class TESI_Writer {
public:
    std::vector<TEtherCAT_Rule> ESI_Rules_In;   // slave to master: the device's inputs
    std::vector<TEtherCAT_Rule> ESI_Rules_Out;  // master to slave: its outputs
    int ESI_Bytes_In = 0;                        // input bytes, bit runs packed
    QString Device_Name = QStringLiteral("EtherCAT Slave");
    int Revision = 0;
    uint16_t Alias = 1;

    // Reads ParGen_File and EtherCAT_Slave_File; false with *error when one cannot be read or the
    // slave file lacks its variable elements.
    bool Load_ESI_Rules(QString *error);
    // The file's bytes (ASCII: names beyond it as character references).
    QByteArray Write_ESI_Lines() const;
};

// The file for the configuration as saved. Every call starts from the defaults.
TDescription_File ESI_File_Bytes();
// Writes that file over FileName; false with *error when it is refused or cannot be written.
bool Create_ESI_File(const QString &FileName, QString *error);
