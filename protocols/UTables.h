#pragma once
// The table descriptions of the protocol windows, one per window, each with the window's own data
// (the fields its rules and hooks read). A window holds its data and builds its description from it;
// the tests and the benchmark build the same descriptions without a window.
#include "protocols/UTable_Engine.h"

#include <QString>
#include <QStringList>
#include <vector>

// ---- Modbus master ("ModbusM_SetAccess.xml") ----------------------------------------------------------

struct TModbus_Master_State {
    int Working_Mode = 0;          // from "ParGen.xml" at each showing
    int NByte_IN = 1500;           // sizes of the input and output data areas
    int NByte_OUT = 1500;
    QStringList List_Publish_Topic; // the publish topics (none in this program)
    std::vector<int> ComboItem_Topic; // per read row: the remembered topic index, -1 for none
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    QStringList Hint_Modbus_Set_Access_Read;
    QStringList Hint_Modbus_Set_Access_Write;

    // Entry Index of List_Publish_Topic, or "" when Index is no position of it.
    QString Get_Topic_From_Index(int Index) const;
    // Index when that entry equals Topic, else the first entry that does, else -1.
    int Get_Index_From_Topic(const QString &Topic, int Index) const;
};

inline constexpr int kModbusTableRows = 512;
inline constexpr int kModbusMasterBytes = 1500;
// Columns of the read grid that the window's own handlers name.
inline constexpr int kModbusReadTopicCol = 12;

TTableDesc Modbus_Master_Table(TModbus_Master_State &state);

// ---- Modbus TCP master ("ModbusTCPM_SetAccess.xml") ------------------------------------------------

struct TModbus_TCP_Master_State {
    int NByte_IN = 1438;
    int NByte_OUT = 1438;
    QStringList List_Publish_Topic; // created empty, never filled
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    QStringList Hint_Modbus_Set_Access_Read;
    QStringList Hint_Modbus_Set_Access_Write;
};

inline constexpr int kModbusTCPMasterBytes = 1438;

TTableDesc Modbus_TCP_Master_Table(TModbus_TCP_Master_State &state);

// ---- BACnet objects ("BACnet_Slave_SetAccess.xml") -----------------------------------------------

struct TBACnet_Slave_State {
    int NByte_IN = 1440;       // sizes of the data areas the read and the write table address
    int NByte_OUT = 1440;
    bool Desc_Lenght = false;  // "BACnet_Desc_Chars_Limit" is "1": 1000 rows and objects, else 2000
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;
    int Objects = 0;           // rows the data check counted, both tables together
};

inline constexpr int kBACnetBytes = 1440;
inline constexpr int kBACnetRowsShort = 1000; // with "BACnet_Desc_Chars_Limit" "1"
inline constexpr int kBACnetRows = 2000;
// Columns the window's own handlers name.
inline constexpr int kBACnetTypeCol = 1;
inline constexpr int kBACnetEngUnitCol = 2;
inline constexpr int kBACnetLengthCol = 5;

TTableDesc BACnet_Slave_Table(TBACnet_Slave_State &state);
// The Length that choosing a type in the write table puts into its row (the type compared in upper
// case): "4", "1" or "8"; empty for a text that is no type of the write table.
QString BACnet_Write_Length(const QString &type);

// ---- CAN frames ("CAN_Rec_Frames.xml", "CAN_Send_Frames.xml") --------------------------------------

struct TReceiveCAN_State {
    QStringList Hint_ReceiveCAN;
    int MAX_Byte = 1440; // byte positions run 0 .. MAX_Byte-1
    bool Do_Copy = false;
};

struct TTransmitCAN_State {
    QStringList Hint_TransmitCAN;
    bool Do_Copy = false;
    int Hard_Type = 1;  // 1: a row's frame format is its own Type cell, and the Time check applies
    int CAN_Type = 0;   // frame format of a loaded row without "CAN_Type" (0: 2.0A)
    int MAX_Byte = 1440;
    int Send_Type = 0;  // send conditions of a loaded row without them (0: OnChange, not OnTimer)
    int Send_Time = 0;  // Time of a loaded timer row without "Time"
};

inline constexpr int kCANTableRows = 512;
inline constexpr int kCANBytes = 1440;

TTableDesc Receive_CAN_Table(TReceiveCAN_State &state);
TTableDesc Transmit_CAN_Table(TTransmitCAN_State &state);

// True when the text is not an acceptable dotted IPv4 address (empty, or refused by Split_IP_Address).
bool Check_IP_Address(const QString &IP_Address);

// ---- EtherCAT slave variables ("EtherCAT_Slave.xml") and their groups ("EtherCAT_Slave_Group.xml") ----

// One group of a direction: its name and how many enabled rows it takes.
struct TGroup {
    QString Name;
    int Num_Var = 0;
};

enum class TEtherCAT_Direction { SlaveToMaster, MasterToSlave };

struct TEtherCAT_Slave_State {
    QStringList VarType;               // the Type column's list
    std::vector<TGroup> Group_StoM;    // from the group file at each showing
    std::vector<TGroup> Group_MtoS;
    QStringList Hint_StM;
    QStringList Hint_MtS;
    bool Do_Copy_StM = false;
    bool Do_Copy_MtS = false;
};

struct TEtherCAT_Slave_Group_State {
    bool Do_Copy_StM = false;
    bool Do_Copy_MtS = false;
};

inline constexpr int kEtherCATRows = 256;
inline constexpr int kEtherCATGroupRows = 16;
// Columns both variable tables share; the later ones differ by direction (EtherCAT_Position_Col ...).
inline constexpr int kEtherCATEnableCol = 1;
inline constexpr int kEtherCATTypeCol = 2;
inline constexpr int kEtherCATLengthCol = 3;
inline constexpr int kEtherCATNameCol = 4;
inline constexpr int kEtherCATInitValueCol = 5; // slave to master only
inline int EtherCAT_Position_Col(TEtherCAT_Direction d) { return d == TEtherCAT_Direction::SlaveToMaster ? 6 : 5; }
inline int EtherCAT_Bit_Col(TEtherCAT_Direction d) { return EtherCAT_Position_Col(d) + 1; }
inline int EtherCAT_Group_Col(TEtherCAT_Direction d) { return EtherCAT_Position_Col(d) + 2; }

TTableDesc EtherCAT_Slave_Table(TEtherCAT_Slave_State &state);
TTableDesc EtherCAT_Slave_Group_Table(TEtherCAT_Slave_Group_State &state);

// "Bool", "Int8", "Int16", "Int32", "UInt8", "UInt16", "UInt32", "Float32", "Array", "String".
const QStringList &EtherCAT_Var_Types();

// Byte positions and start bits of the enabled rows down to the first blank Type: Bool rows packed
// bit by bit, every other row from a whole byte on; a disabled row gets 0/0 and takes no room.
void Calc_Position_Bit(TNovaStringGrid &grid, TEtherCAT_Direction dir);
// The groups handed out in order to the enabled rows, each taking Num_Var of them; disabled rows and
// the rows past the last group get an empty Group cell.
void Show_Group(TNovaStringGrid &grid, TEtherCAT_Direction dir, const std::vector<TGroup> &groups);
// A type chosen for row: the Length its type gives ("10" for Array and String) and the Length cell
// read-only for the fixed-size types; another text leaves the Length as it is.
void VarSetLength(TNovaStringGrid &grid, const QString &type, int row);
// Only the Length cell's read-only state from the row's Type (the text stays).
void Length_Follows_Type(TNovaStringGrid &grid, int row);
// Exchanges the row with the one above (up) or below: Enable and every cell from Type on; the row
// numbers stay. False, with nothing exchanged, at the table's first or last row.
bool MoveRow_NSG(int row, TNovaStringGrid &grid, bool up);
// True when every character, upper-cased, is 0-9 or A-F.
bool CheckArraySting(const QString &text);
// The table type of an IO-Link data type name (trimmed, any case) and bit length.
QString Get_Type(const QString &name, int bits);

// Reads the groups of both directions from the group file. A missing file leaves both lists empty; a
// file that cannot be read, or a row without "Group_Name" or "Num_Variables", stops the reading with
// *error (file, line, what) and the lists keep the groups read so far.
bool Read_EtherCAT_Groups(const QString &path, std::vector<TGroup> &StoM, std::vector<TGroup> &MtoS, QString *error);

struct TChannel_File_Channel;
struct TEtherCAT_Import {
    int StoM = 0;      // rows written into each table, from row 1
    int MtoS = 0;
    bool Full = false; // a row found no room: the import stopped there
};
// Writes the rows the channels give into the two tables, from row 1 on, in channel order (cells
// from Type on; Enable is left as it stands). Stops at the first row a table has no room for.
TEtherCAT_Import EtherCAT_Import_Channels(const std::vector<TChannel_File_Channel> &channels, TNovaStringGrid &StoM,
                                          TNovaStringGrid &MtoS);
// ---- NMEA 0183 ("NMEA_0183_Set_Access.xml", written by both NMEA 0183 windows) ------------------

inline constexpr int kNMEA0183TableRows = 100;
// The serial channels in list order, and their bits in Enable_Serial.
const QStringList &NMEA0183_Serial_Channels(); // "RS232", "RS485 / RS422", "RS485 2"
inline constexpr int kNMEA0183AllSerial = 7;

// The listener table: which sentence is taken from which serial channel.
struct TNMEA_0183_Listener_State {
    int Enable_Serial = kNMEA0183AllSerial; // the channels offered (bit 1, 2, 4)
    bool Do_Copy_Listener = false;
    QStringList Hint_Listener;
    QStringList Sentence_List;              // the Sentence column's items

    // One enabled row as the check saw it (trimmed, upper case), for the rule that no two are equal.
    struct TCheckedRow {
        int Row;
        QString Sentence, Index, Serial;
    };
    std::vector<TCheckedRow> Checked_Rows;

    // The listed sentence names, sorted alphabetically whatever the letter case ("$PJELA" first).
    void Prepare_NMEA0183_Sentence();
    // "RS485 / RS422" for "RS485 / RS422" or "RS485 1" (trimmed, any case); else Ser_Cha unchanged.
    static QString Get_Serial_Channel(const QString &Ser_Cha);
    // True when Serial names a channel that is offered.
    bool Check_Serial(const QString &Serial) const;
    // The offered channels in list order.
    QStringList Offered_Serial_Channels() const;
    // Every row's Index cell editable for an "XDR" or "$PJELA" row (the sentence trimmed and in upper
    // case, as loading, checking and saving read it), read-only otherwise.
    static void Enable_Index_Cell(TNovaStringGrid &grid);
};

// Columns of the listener table.
inline constexpr int kListenerSentenceCol = 2;
inline constexpr int kListenerIndexCol = 3;
inline constexpr int kListenerSerialCol = 4;

TTableDesc NMEA_0183_Listener_Table(TNMEA_0183_Listener_State &state);

// The sentence field table: which data field of which sentence goes to which position.
struct TNMEA_0183_Sentence_State {
    int Enable_Serial = kNMEA0183AllSerial;
    bool Do_Copy = false;             // survives the showings
    QStringList Hint_Sentence;
    QStringList PostOpe_SL;           // "None", ": 10" .. "x 10000"
    QStringList SerialChannel_SL;     // the offered channels

    TNMEA_0183_Sentence_State();
    // Each answers its first argument when that is an entry of its list (exactly), else "".
    QString Get_Serial_Channel(const QString &Serial) const;
    static QString Get_Sentence(const QString &Sentence);
    static QString Get_DataField(const QString &DataField, const QString &Sentence);
    QString Get_PostOperatin(const QString &PostOpe) const;
};

// Columns of the sentence field table.
inline constexpr int kSentenceSerialCol = 2;
inline constexpr int kSentenceSentenceCol = 3;
inline constexpr int kSentenceIndexCol = 4;
inline constexpr int kSentenceDataFieldCol = 5;
inline constexpr int kSentencePostOpeCol = 6;
inline constexpr int kSentencePositionCol = 9;
inline constexpr int kNMEA0183Bytes = 2000;

// The Index cell of a sentence field row is editable for "GSV", "XDR" and "$PJELA".
bool NMEA0183_Has_Index(int Ind_Sent);

TTableDesc NMEA_0183_Sentence_Table(TNMEA_0183_Sentence_State &state);

// ---- MQTT ("MQTT_Set_Topic.xml") ----------------------------------------------------------------------

struct TMQTT_Set_Topic_State {
    int Working_Mode = 1; // the MQTT variant whose columns are shown: always 1 here
    int Byte_IN = 1440;
    int Byte_OUT = 1440;
    bool Do_Copy_Pub = false;
    bool Do_Copy_Sub = false;
    QStringList Hint_MQTT_Set_Topic_Pub;
    QStringList Hint_MQTT_Set_Topic_Sub;
};

inline constexpr int kMQTTTableRows = 1024;
inline constexpr int kMQTTBytes = 1440;
// The Template columns (real index) of the publish and the subscribe grid.
inline constexpr int kMQTTPubTemplateCol = 9;
inline constexpr int kMQTTSubTemplateCol = 11;

// True when Str holds an odd number of "$": its keywords are not closed.
bool Error_In_Topic_Template(const QString &Str);

TTableDesc MQTT_Set_Topic_Table(TMQTT_Set_Topic_State &state);

// ---- SNMP ("SNMP_Trap.xml") -----------------------------------------------------------------------------

struct TSNMP_Trap_State {
    int NByte_IN = 1440;
    int NByte_OUT = 1440;
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    QStringList Hint_SNMP_Read;
    QStringList Hint_SNMP_Write;
    QStringList SL_Check_Desc; // the Descriptions of the rows checked so far
};

inline constexpr int kSNMPTableRows = 256;
inline constexpr int kSNMPBytes = 1440;

// True when str holds a character other than an ASCII digit or letter; with Check_Type 1 (a
// Description) also when its first character is not a small letter. The empty text passes.
bool Check_Error_CommName_Desc(const QString &str, int Check_Type);
// Column 0 of the grid numbers the enabled rows ("Y" in column 1, any case) from 1; others empty.
void Index_Row_Build(TNovaStringGrid *app_SGA);

TTableDesc SNMP_Trap_Table(TSNMP_Trap_State &state);
// ---- CANopen ("PDO_CANopen.xml", "SDO_Client_CANopen.xml", "SDO_Server_CANopen.xml") ----------------
// Two tables on two tab sheets, no Enable column, every attribute required, positions typed as text.

inline constexpr int kCANopenAreaBytes = 1440;

struct TCANopen_State {
    int PROFINET_NByte_IN = kCANopenAreaBytes; // sizes of the input and output data areas, set at each showing
    int PROFINET_NByte_OUT = kCANopenAreaBytes;
};

struct TSet_PDO_Access_State : TCANopen_State {
    QStringList Hint_PDO_Receive;
    QStringList Hint_PDO_Transmit;
    bool Do_Copy_Receive_PDO = false;
    bool Do_Copy_Transmit_PDO = false;
};

struct TSet_SDO_Client_Access_State : TCANopen_State {
    QStringList Hint_SDO_Client_Read;
    QStringList Hint_SDO_Client_Write;
    bool Do_Copy_SDO_Read = false;
    bool Do_Copy_SDO_Write = false;
};

// The server window keeps the client's field names.
struct TSet_SDO_Server_Access_State : TSet_SDO_Client_Access_State {};

inline constexpr int kPDORows = 30;
inline constexpr int kSDOClientRows = 256;
inline constexpr int kSDOServerRows = 500;

TTableDesc Set_PDO_Access_Table(TSet_PDO_Access_State &state);
TTableDesc Set_SDO_Client_Access_Table(TSet_SDO_Client_Access_State &state);
TTableDesc Set_SDO_Server_Access_Table(TSet_SDO_Server_Access_State &state);

// ---- J1939 and NMEA 2000 ("J1939_Rec_Frames.xml", "J1939_Send_Frames.xml", "NMEA_Rec_Frames.xml",
// "NMEA_Send_Frames.xml") ---------------------------------------------------------------------------
// One table of rows right under the root; the PGN is the key, untrimmed (blanks are a PGN); the rows'
// bytes add up to a limit.

inline constexpr int kJ1939Rows = 512;
inline constexpr int kNMEA2000Rows = 62;
inline constexpr int kJ1939ReceiveBytes = 1440;
inline constexpr int kNMEA2000ReceiveBytes = 512;
inline constexpr int kTransmitBytes = 512;

struct TReceiveJ1939_State {
    int NUM_BYTE_IN = kJ1939ReceiveBytes;
    QStringList Hint_ReceiveJ1939;
    bool Do_Copy = false;
    int Total_Bytes = 0; // the running total of the data check
};

struct TReceiveNMEA_State {
    int NUM_BYTE_IN = kNMEA2000ReceiveBytes;
    QStringList Hint_ReceiveNMEA;
    bool Do_Copy = false;
    int Total_Bytes = 0;
};

struct TTransmitJ1939_State {
    int NUM_BYTE_OUT = kTransmitBytes;
    QStringList Hint_TransmitJ1939;
    bool Do_Copy = false;
    int Total_Bytes = 0;
};

struct TTransmitNMEA_State {
    int NUM_BYTE_OUT = kTransmitBytes;
    QStringList Hint_TransmitNMEA;
    bool Do_Copy = false;
    int Total_Bytes = 0;
};

TTableDesc ReceiveJ1939_Table(TReceiveJ1939_State &state);
TTableDesc ReceiveNMEA_Table(TReceiveNMEA_State &state);
TTableDesc TransmitJ1939_Table(TTransmitJ1939_State &state);
TTableDesc TransmitNMEA_Table(TTransmitNMEA_State &state);
