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
