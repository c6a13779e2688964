#pragma once
// "ParGen.xml": the communication parameters of one configuration, as the Step 2 window holds them.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <pugixml.hpp>

using TParGenOctets = std::array<QString, 4>;

// Fixed lists of the Modbus slave line; the file stores positions in them.
const QStringList &ParGen_Serial_List();   // "RS232", "RS485"
const QStringList &ParGen_Baudrate_List(); // "1200" ... "115200"
const QStringList &ParGen_Parity_List();   // "NONE", "ODD", "EVEN"
const QStringList &ParGen_StopBits_List(); // "1 Stop Bits", "2 Stop Bits"

// The seven device variant names: the device code followed by a fixed suffix.
QStringList ParGen_Device_List();
// Position of a stored variant name whatever its letter case; 0 (the first variant) when unknown.
int ParGen_Find_Device(const QString &name);

// Default positions in the lists above.
inline constexpr int kParGenDefSerial = 0;
inline constexpr int kParGenDefBaudrate = 7;
inline constexpr int kParGenDefParity = 0;
inline constexpr int kParGenDefStopBits = 0;

// Values of the window fields, one member per element of the file (the four octets of an address
// in one array). Texts are kept exactly as typed.
struct TParGenData {
    QString Device_Name;                                  // 1
    bool DHCP_Cable = false;                              // 2
    bool DHCP_WiFi = false;                               // 3, never ticked in this model
    bool Enable_DNS = false;                              // 4
    TParGenOctets Pri_DNS{"8", "8", "8", "8"};            // 5-8
    TParGenOctets Sec_DNS{"8", "8", "4", "4"};            // 9-12
    int Select_Device = 0;                                // 13, position in ParGen_Device_List()
    TParGenOctets IP{"192", "168", "0", "10"};            // 14-17
    TParGenOctets SM{"255", "255", "255", "0"};           // 18-21
    TParGenOctets GAT{"192", "168", "0", "1"};            // 22-25
    bool En_GAT = false;                                  // 26
    TParGenOctets Eth_DNS{"192", "168", "0", "5"};        // 27-30, hidden fields, never read
    bool Eth_En_DNS = false;                              // 31, hidden box, never read
    QString TCP_Port;                                     // 32, hidden, see ParGen_Read
    QString UDP_Port;                                     // 33, hidden, see ParGen_Read
    int Serial = kParGenDefSerial;                        // 34
    int Baudrate = kParGenDefBaudrate;                    // 35
    int Parity = kParGenDefParity;                        // 36
    int StopBits = kParGenDefStopBits;                    // 37
    QString IDDevice = QStringLiteral("10");              // 38
    bool ReadInput = true;                                // 39
    bool EndLineRes = true;                               // 40
    QString Username;                                     // 41
    QString Password;                                     // 42

    // Sets every field that the file feeds back to its default; the hidden fields keep their values.
    void Set_Read_Defaults();

    bool operator==(const TParGenData &) const = default;
};

inline constexpr int kParGenElementCount = 42;
// Element names in write order.
const QStringList &ParGen_Element_Names();

inline constexpr const char *kParGenRoot = "Par_Gen";
inline constexpr const char *kParGenVersionComment = "SW_VERSION = 1.103";
inline constexpr const char *kParGenPortDefault = "10001";

// Element texts of data in write order (what the file receives). A list position outside its list
// is written as that list's default position.
QStringList ParGen_Element_Texts(const TParGenData &data);

// Rebuilds doc from data: every top-level node removed, root "Par_Gen" with the 42 elements,
// then the version comment after the root.
void ParGen_Build_Document(const TParGenData &data, pugi::xml_document &doc);
// The document as the file holds it: UTF-8, no declaration, no layout text.
QByteArray ParGen_Document_Bytes(const pugi::xml_document &doc);
// Builds doc from data and replaces the file at path whole (atomic); on failure the old file
// stays and *error holds the reason.
bool ParGen_Write(const TParGenData &data, pugi::xml_document &doc, const QString &path,
                  QString *error = nullptr);

// Parse flags for the file: keeps comments, declaration and processing instructions as nodes so
// that "the first top-level node" is the one written first, and keeps a text of blanks only.
unsigned ParGen_Parse_Options();

// Text of the first child element of root with that name (case-sensitive). False when there is
// none, or when it holds anything but text (another element, a comment): it has no readable text.
bool ParGen_Element_Text(const pugi::xml_node &root, const char *name, QString &text);

// ---- Elements of the other gateway models, read by the description-file writers -------------
// The Step 2 window of this model writes only "IOLink_SelectDevice" of them. Each is a child of the
// root, read by its name; a missing file, element or number gives the default.
enum class TParGenLoad;
struct TParGen_Writer_Settings {
    QString IOLink_SelectDevice;                                   // the device variant name
    bool BACnet_Desc_Chars_Limit = false;                           // the text is exactly "1"
    int BACnet_Type = 0;
    QString BACnet_Ser_DEV_IDE;
    QString BACnet_DEV_IDE;
    int EtherCAT_Slave_Revision_Number = 0;
    QString EtherCAT_Slave_Name = QStringLiteral("EtherCAT Slave");
    int EtherCAT_Slave_Node_Address = 1;                            // the station alias

    // The BACnet device instance: "BACnet_Ser_DEV_IDE" for the serial type 1, else "BACnet_DEV_IDE".
    QString BACnet_Device_Instance() const { return BACnet_Type == 1 ? BACnet_Ser_DEV_IDE : BACnet_DEV_IDE; }
};
// Reads the file at path (the root is the document's first node). Missing: no file, every default.
// Failed: not well-formed XML (*error: the file, its line and why); the defaults stay.
TParGenLoad ParGen_Read_Writer_Settings(const QString &path, TParGen_Writer_Settings &settings,
                                        QString *error = nullptr);

// Takes the fields from a loaded document: its first top-level node is the root whatever its name;
// each element on its own, with its default when missing or unreadable.
void ParGen_Read_Document(const pugi::xml_document &doc, TParGenData &data);

enum class TParGenLoad { Missing, Loaded, Failed };
// Reads the file at path into data through doc.
// Missing: no file; every field gets its default and the hidden port fields "10001".
// Loaded: fields taken from the file. Failed: unreadable or not well-formed; data untouched,
// *error holds the reason.
TParGenLoad ParGen_Read(const QString &path, pugi::xml_document &doc, TParGenData &data,
                        QString *error = nullptr);

// Elements of "ParGen.xml" that only the other models' table windows read; the communication window
// of this model never writes them, so their defaults are what this model runs with.
struct TParGenTableValues {
    int Working_Mode = 0;        // "Working_Mode", a whole number
    // "RS232_ENABLE", "RS485_1_ENABLE", "RS485_2_ENABLE": exactly "0" switches a serial channel off.
    bool RS232_Enable = true;
    bool RS485_1_Enable = true;
    bool RS485_2_Enable = true;

    bool operator==(const TParGenTableValues &) const = default;
};
// Reads those elements from the file at path: Missing (no file: every value its default), Loaded, or
// Failed (not well-formed; values untouched, *error holds the reason with the file's line).
TParGenLoad ParGen_Read_Table_Values(const QString &path, TParGenTableValues &values, QString *error = nullptr);
