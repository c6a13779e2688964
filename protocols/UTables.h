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
