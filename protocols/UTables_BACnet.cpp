// The BACnet object tables ("BACnet_Slave_SetAccess.xml"): the read table of input-side objects and
// the write table of output-side objects, each row an object whose value lies in the data area. The
// Length each type allows is one table per direction; the write table also gives the Length that
// choosing a type fills in. The row count, and the limit of objects over both tables, follow
// "BACnet_Desc_Chars_Limit" of "ParGen.xml" at each showing.
#include "protocols/UTables.h"

#include "grid/NovaGrid.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <span>

namespace {

// What a type allows in Length (slot 0: no rule), the slot that refuses the row, and what choosing
// it in the write table fills in.
struct TBACnetType {
    const char *name;
    int lo, hi;
    int slot;
    const char *filled;
};

// The binary types want a Start Bit, not a Length.
const TBACnetType kBACnetReadTypes[] = {
    {"Analog Input", 1, 4, 2135, ""},
    {"Analog Value", 1, 4, 2138, ""},
    {"Binary Input", 0, 0, 0, ""},
    {"Binary Value", 0, 0, 0, ""},
    {"Positive Integer Value", 1, 4, 2136, ""},
    {"Large Analog Value", 1, 8, 2137, ""},
    {"Integer Value", 0, 0, 0, ""}, // the read table has no Length rule (nor text) for it
    {"Multi State Input", 1, 4, 2139, ""},
    {"Multi State Value", 1, 4, 2140, ""},
    {"Life Safety Point", 1, 2, 2141, ""},
    {"Life Safety Zone", 1, 2, 2142, ""},
    {"Access Door", 1, 1, 2143, ""},
    {"Accumulator", 1, 4, 2144, ""},
};

const TBACnetType kBACnetWriteTypes[] = {
    {"Analog Out", 1, 4, 2149, "4"},
    {"Analog Value", 1, 4, 2150, "4"},
    {"Binary Out", 0, 0, 0, "1"},
    {"Binary Value", 0, 0, 0, "1"},
    {"Positive Integer Value", 1, 4, 2151, "4"},
    {"Large Analog Value", 1, 8, 2152, "8"},
    {"Integer Value", 1, 4, 2153, "4"},
    {"Multi State Output", 1, 4, 2154, "4"},
    {"Multi State Value", 1, 4, 2155, "4"},
    {"Access Door", 1, 1, 2156, "1"},
};

// The types whose object is one bit at Start Bit of its Position, in either table.
bool bacnetBinary(const QString &type)
{
    return type == QLatin1String("Binary Input") || type == QLatin1String("Binary Out")
           || type == QLatin1String("Binary Value");
}

template <size_t N>
QStringList bacnetTypeNames(const TBACnetType (&types)[N])
{
    QStringList names;
    for (const TBACnetType &t : types) names << QLatin1String(t.name);
    return names;
}

// The checks of one table, from Eng. Unit to the last byte.
struct TBACnetDirection {
    std::span<const TBACnetType> types;
    int slotUnit, slotPosition, slotBit, slotBytes;
    const int *area;
    int *objects;
};

std::vector<TRowRule> bacnetRules(const TBACnetDirection &d)
{
    constexpr int position = 3, bit = 4, length = 5;
    return {
        [d](const TRowCells &) {
            ++*d.objects;
            return TCheckFault{};
        },
        Rule_Range(kBACnetEngUnitCol, 0, 65535, d.slotUnit),
        [d](const TRowCells &r) {
            const int v = r.number(position);
            return v < 0 || v > *d.area - 1 ? TCheckFault{d.slotPosition, QString::number(*d.area - 1)} : TCheckFault{};
        },
        // The object's bytes: a binary type takes its Position's byte and wants a Start Bit; any other
        // type its Length from Position on, within the bounds of its type.
        [d](const TRowCells &r) {
            const QString type = r.text(kBACnetTypeCol);
            int last = r.number(position);
            if (bacnetBinary(type)) {
                if (r.empty(bit)) return TCheckFault{d.slotBit};
            } else {
                const int n = r.number(length, 0);
                for (const TBACnetType &t : d.types)
                    if (t.slot && type == QLatin1String(t.name) && (n < t.lo || n > t.hi))
                        return TCheckFault{t.slot};
                last += n - 1;
            }
            return last >= *d.area ? TCheckFault{d.slotBytes} : TCheckFault{};
        },
    };
}

TGridDesc bacnetGrid(bool read, bool *copied)
{
    TGridDesc g;
    g.name = read ? QStringLiteral("NCG_BACnet_in_Read") : QStringLiteral("NCG_BACnet_in_Write");
    g.sheet = read ? QStringLiteral("TS_BACnet_in_Read") : QStringLiteral("TS_BACnet_in_Write");
    g.group = read ? QStringLiteral("BACnet_in_Read") : QStringLiteral("BACnet_in_Write");
    g.tabCaption = read ? 2108 : 2109;
    g.rows = 0; // the showing's preparation sets 1000 or 2000
    g.keyColumn = kBACnetTypeCol;
    g.copied = copied;
    g.columnHints = false;
    const int h = read ? 2116 : 2124; // titles of columns 0 .. 6, then 8
    TColumnDesc position = Table_List_Column("Position", h + 3, 0, 64, {});
    position.positions = kBACnetBytes;
    TColumnDesc swapWord = Table_Check_Column("SwapWord", 0, 0, 75, TLoadKind::Defaulted, "N");
    swapWord.title = QStringLiteral("Swap Word");
    g.columns = {
        Table_Number_Column(h),
        Table_List_Column("Data_Type", h + 1, 0, 150, read ? bacnetTypeNames(kBACnetReadTypes) : bacnetTypeNames(kBACnetWriteTypes)),
        Table_Column("Eng_Unit", h + 2, 0, 100),
        position,
        Table_List_Column("Bit", h + 4, 0, 64, {"0", "1", "2", "3", "4", "5", "6", "7"}),
        Table_Column("Length", h + 5, 0, 64),
        Table_Check_Column("Swap", h + 6, 0, 40, TLoadKind::Defaulted, "N"),
        swapWord,
        Table_Column("Mnemonic", h + 7, 0, 277),
    };
    return g;
}

} // namespace

QString BACnet_Write_Length(const QString &type)
{
    const QString upper = type.toUpper();
    for (const TBACnetType &t : kBACnetWriteTypes)
        if (upper == QString::fromLatin1(t.name).toUpper()) return QLatin1String(t.filled);
    return QString();
}

TTableDesc BACnet_Slave_Table(TBACnet_Slave_State &state)
{
    TBACnet_Slave_State *s = &state;
    TTableDesc t;
    t.path = &BACnet_Slave_SetAccess_File;
    t.root = QStringLiteral("BACnet_to_Modbus");
    t.version = QStringLiteral("SW_VERSION = 1.001");
    t.textBase = 2100;
    t.clientWidth = 920;
    t.buttonCaptions = Table_Button_Captions(2100);
    t.buttonHints = {0, 0, 0, 0, 2114, 2115}; // only the copy buttons show theirs
    t.rowPrefix = 2132;
    t.deleteQuestion = 2160;

    TGridDesc read = bacnetGrid(true, &s->Do_Copy_Read);
    read.rules = bacnetRules({kBACnetReadTypes, 2133, 2134, 2145, 2146, &s->NByte_IN, &s->Objects});
    TGridDesc write = bacnetGrid(false, &s->Do_Copy_Write);
    write.rules = bacnetRules({kBACnetWriteTypes, 2147, 2148, 2157, 2158, &s->NByte_OUT, &s->Objects});
    t.grids = {read, write};

    // The row count first, so that the clearing numbers exactly the rows the tables hold.
    t.prepare = [s](const TTableGrids &grids, QString &error) {
        s->NByte_IN = kBACnetBytes;
        s->NByte_OUT = kBACnetBytes;
        TParGen_Writer_Settings settings;
        if (ParGen_Read_Writer_Settings(ParGen_File, settings, &error) == TParGenLoad::Failed) return false;
        s->Desc_Lenght = settings.BACnet_Desc_Chars_Limit;
        const int rows = s->Desc_Lenght ? kBACnetRowsShort : kBACnetRows;
        for (TNovaStringGrid *g : grids) g->SetRowCount(rows + 1);
        return true;
    };
    t.beforeCheck = [s] { s->Objects = 0; };
    t.afterCheck = [s] {
        const int limit = s->Desc_Lenght ? kBACnetRowsShort : kBACnetRows;
        return s->Objects > limit ? TCheckFault{2159, QString::number(limit), false} : TCheckFault{};
    };
    return t;
}
