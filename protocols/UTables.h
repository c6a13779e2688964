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

// True when the text is not an acceptable dotted IPv4 address (empty, or refused by Split_IP_Address).
bool Check_IP_Address(const QString &IP_Address);

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
