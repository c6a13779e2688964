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
