// The three CANopen tables: the PDOs ("PDO_CANopen.xml"), the SDO requests the gateway makes as a
// client ("SDO_Client_CANopen.xml") and the objects it serves ("SDO_Server_CANopen.xml"). Each holds a
// first and a second grid on two tab sheets; every attribute is required, and the data-area positions
// are plain number cells checked against the input area (first grid) or the output area (second).
#include "protocols/UTables.h"

#include "shell/UComon.h"

namespace {

constexpr int kCANopenMaxTime = 100000000;

// A grid of the CANopen frame: key column 1, no Enable column.
TGridDesc canopenGrid(const char *name, const char *sheet, const char *group, int tabCaption, int rows, bool *copied,
                      QStringList *hints)
{
    TGridDesc g;
    g.name = QLatin1String(name);
    g.sheet = QLatin1String(sheet);
    g.group = QLatin1String(group);
    g.tabCaption = tabCaption;
    g.rows = rows;
    g.keyColumn = 1;
    g.copied = copied;
    g.hints = hints;
    return g;
}

// Columns first .. first+count-1 titled and hinted from consecutive slots, attributes prefix1 .. prefixN.
void canopenAddressColumns(std::vector<TColumnDesc> &columns, int count, int header, int hint, int width)
{
    for (int k = 1; k <= count; ++k) {
        TColumnDesc c = Table_Column("", header + k - 1, hint + k - 1, width);
        c.attribute = QStringLiteral("Address_B%1").arg(k);
        columns.push_back(c);
    }
}

// Positions 1 .. the row's count (in countCol) lie in 0 .. *area - 1; Add k refused with slot firstSlot+k-1,
// followed by the last position. The count passed its own check before.
TRowRule canopenPositions(int countCol, int firstCol, int firstSlot, const int *area)
{
    return [=](const TRowCells &r) {
        const int n = r.number(countCol);
        for (int k = 0; k < n; ++k) {
            const int v = r.number(firstCol + k);
            if (v < 0 || v > *area - 1) return TCheckFault{firstSlot + k, QString::number(*area - 1)};
        }
        return TCheckFault{};
    };
}

// N Byte is 1, 2 or 4.
TRowRule canopenNByte(int col, int slot)
{
    return [=](const TRowCells &r) {
        const int n = r.number(col);
        return n == 1 || n == 2 || n == 4 ? TCheckFault{} : TCheckFault{slot};
    };
}

// What the three windows share: version, client height, button slots of their block, a showing that
// sets both data areas.
TTableDesc canopenTable(TCANopen_State &state, const QString *path, const char *root, int base, int clientWidth,
                        int rowPrefix, int deleteQuestion)
{
    TCANopen_State *s = &state;
    TTableDesc t = Table_Description(path, root, "SW_VERSION = 1.008", base, clientWidth, rowPrefix, deleteQuestion);
    t.prepare = [s](const TTableGrids &, QString &) {
        s->PROFINET_NByte_IN = kCANopenAreaBytes;
        s->PROFINET_NByte_OUT = kCANopenAreaBytes;
        return true;
    };
    return t;
}

// A grid of the SDO windows, which share their names.
TGridDesc sdoGrid(TSet_SDO_Client_Access_State &s, bool read, int tabCaption, int rows)
{
    return read ? canopenGrid("sga", "TS_SDO_Read", "SDO_Read", tabCaption, rows, &s.Do_Copy_SDO_Read,
                              &s.Hint_SDO_Client_Read)
                : canopenGrid("sgb", "TS_SDO_Write", "SDO_Write", tabCaption, rows, &s.Do_Copy_SDO_Write,
                              &s.Hint_SDO_Client_Write);
}

} // namespace

// ---- PDOs -------------------------------------------------------------------------------------------------

TTableDesc Set_PDO_Access_Table(TSet_PDO_Access_State &state)
{
    TSet_PDO_Access_State *s = &state;
    TTableDesc t = canopenTable(state, &PDO_CANopen_File, "PDO_CANopen", 2500, 798, 2568, 2591);

    TGridDesc rx = canopenGrid("sga", "TS_Receive_PDO", "Receive_PDO", 2514, kPDORows, &s->Do_Copy_Receive_PDO,
                               &s->Hint_PDO_Receive);
    rx.columns = {Table_Number_Column(2516), Table_Column("COB-ID", 2517, 2543, 65),
                  Table_Column("Dimension", 2518, 2544, 65)};
    canopenAddressColumns(rx.columns, 8, 2519, 2545, 45);
    rx.columns.push_back(Table_Column("TimeOut", 2527, 2553, 65));
    rx.columns.push_back(Table_Column("Mnemonic", 2528, 2554, 173));
    rx.rules = {Rule_Range(1, 0, 2047, 2569), Rule_Range(2, 1, 8, 2570),
                canopenPositions(2, 3, 2571, &s->PROFINET_NByte_IN), Rule_Range(11, 0, 65535, 2579)};

    TGridDesc tx = canopenGrid("sgb", "TS_Transmit_PDO", "Transmit_PDO", 2515, kPDORows, &s->Do_Copy_Transmit_PDO,
                               &s->Hint_PDO_Transmit);
    tx.columns = {Table_Number_Column(2529), Table_Column("COB-ID", 2530, 2555, 65),
                  Table_Column("Dimension", 2531, 2556, 65)};
    canopenAddressColumns(tx.columns, 8, 2532, 2557, 45);
    // Send Time wide enough for its nine digits in this platform's font; the Mnemonic gives the pixels.
    tx.columns.push_back(Table_Column("Send_Time", 2540, 2565, 73));
    tx.columns.push_back(Table_Check_Column("On_Change", 2541, 2566, 68, TLoadKind::Required));
    tx.columns.push_back(Table_Column("Mnemonic", 2542, 2567, 97));
    tx.rules = {Rule_Range(1, 0, 2047, 2580), Rule_Range(2, 1, 8, 2581),
                canopenPositions(2, 3, 2582, &s->PROFINET_NByte_OUT), Rule_Range(11, 0, kCANopenMaxTime, 2590)};

    t.grids = {rx, tx};
    return t;
}

// ---- SDO client ----------------------------------------------------------------------------------------------

namespace {

// The read or write grid of the SDO client: the write grid has On Change before the positions, and
// accepts a Poll Time of 0.
TGridDesc sdoClientGrid(TSet_SDO_Client_Access_State &s, bool read)
{
    const int base = read ? 2616 : 2627;      // title slots from column 0
    const int hint = read ? 2639 : 2649;      // hint slots from column 1
    const int slot = read ? 2661 : 2670;      // messages
    TGridDesc g = sdoGrid(s, read, read ? 2614 : 2615, kSDOClientRows);
    g.columns = {Table_Number_Column(base), Table_Column("Device_ID", base + 1, hint, 60),
                 Table_Column("Index", base + 2, hint + 1, 55), Table_Column("SubIndex", base + 3, hint + 2, 60),
                 Table_Column("NByte", base + 4, hint + 3, 45), Table_Column("Poll_Time", base + 5, hint + 4, 73)};
    int next = 6; // the column, its title and hint offsets, after Poll Time
    if (!read) g.columns.push_back(Table_Check_Column("On_Change", base + next++, hint + 5, 68, TLoadKind::Required));
    const int firstAddress = int(g.columns.size());
    canopenAddressColumns(g.columns, 4, base + next, hint + next - 1, 70);
    // Poll Time is wide enough for its nine digits in this platform's font; the Mnemonic gives the pixels.
    g.columns.push_back(Table_Column("Mnemonic", base + next + 4, hint + next + 3, read ? 150 : 82));
    g.rules = {Rule_Range(1, 1, 127, slot), Rule_Range(2, 0x1000, 0xFFFF, slot + 1), Rule_Range(3, 0, 255, slot + 2),
               canopenNByte(4, slot + 3), Rule_Range(5, read ? 1 : 0, kCANopenMaxTime, slot + 4),
               canopenPositions(4, firstAddress, slot + 5, read ? &s.PROFINET_NByte_IN : &s.PROFINET_NByte_OUT)};
    return g;
}

} // namespace

TTableDesc Set_SDO_Client_Access_Table(TSet_SDO_Client_Access_State &state)
{
    TTableDesc t = canopenTable(state, &SDO_Client_CANopen_File, "SDO_Client_CANopen", 2600, 798, 2660, 2679);
    t.grids = {sdoClientGrid(state, true), sdoClientGrid(state, false)};
    return t;
}

// ---- SDO server -------------------------------------------------------------------------------------------------

namespace {

// Both grids of the SDO server have the same shape.
TGridDesc sdoServerGrid(TSet_SDO_Server_Access_State &s, bool read)
{
    const int base = read ? 2716 : 2725;
    const int hint = read ? 2734 : 2742;
    const int slot = read ? 2751 : 2758;
    TGridDesc g = sdoGrid(s, read, read ? 2714 : 2715, kSDOServerRows);
    g.columns = {Table_Number_Column(base), Table_Column("Index", base + 1, hint, 65),
                 Table_Column("SubIndex", base + 2, hint + 1, 61), Table_Column("NByte", base + 3, hint + 2, 55)};
    canopenAddressColumns(g.columns, 4, base + 4, hint + 3, 80);
    g.columns.push_back(Table_Column("Mnemonic", base + 8, hint + 7, 170));
    g.rules = {Rule_Range(1, 0x2000, 0x5FFF, slot), Rule_Range(2, 0, 255, slot + 1), canopenNByte(3, slot + 2),
               canopenPositions(3, 4, slot + 3, read ? &s.PROFINET_NByte_IN : &s.PROFINET_NByte_OUT)};
    return g;
}

} // namespace

TTableDesc Set_SDO_Server_Access_Table(TSet_SDO_Server_Access_State &state)
{
    TTableDesc t = canopenTable(state, &SDO_Server_CANopen_File, "SDO_Server_CANopen", 2700, 749, 2750, 2765);
    t.grids = {sdoServerGrid(state, true), sdoServerGrid(state, false)};
    return t;
}
