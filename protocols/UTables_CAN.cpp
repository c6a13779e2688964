// The CAN frame tables: the frames the gateway receives ("CAN_Rec_Frames.xml") and those it sends
// ("CAN_Send_Frames.xml"). Both check a frame by the same rules (frame format and identifier range,
// Dimension, the data byte positions up to the Dimension), built per table from the columns and
// message slots that differ; the receive table adds its TimeOut, the transmit table the Time of a
// frame sent on a timer.
#include "protocols/UTables.h"

#include "grid/NovaGrid.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <array>
#include <functional>

namespace {

const QString kCAN2A = QStringLiteral("2.0A (11 bits)");
const QStringList kCANTypes{kCAN2A, QStringLiteral("2.0B (29 bits)")};
constexpr int kCANMaxTime = 100000000;
constexpr int kCANMax2A = 2047;
constexpr int kCANMax2B = 0x1FFFFFFF;

// Where a table keeps the cells of a frame, and the slots of its messages.
struct TCANFrameRules {
    int typeCol, cobCol, dimCol, firstByteCol;
    int slotCob2A, slotCob2B, slotDim, slotOrNone;
    std::array<int, 8> slotBytes;
    std::function<bool(const TRowCells &)> is2A; // the row's frame format
    const int *maxByte;
};

// Frame format and identifier, then Dimension.
std::vector<TRowRule> canFrameRules(const TCANFrameRules &f)
{
    return {
        [f](const TRowCells &r) {
            const bool a = f.is2A(r);
            const int v = r.number(f.cobCol);
            if (v < 0 || v > (a ? kCANMax2A : kCANMax2B)) return TCheckFault{a ? f.slotCob2A : f.slotCob2B};
            return TCheckFault{};
        },
        Rule_Range(f.dimCol, 1, 8, f.slotDim),
    };
}

// Byte 1 .. Dimension: "None" (trimmed, exactly) or empty, else a position of the data area.
TRowRule canByteRule(const TCANFrameRules &f)
{
    return [f](const TRowCells &r) {
        const int dim = r.number(f.dimCol);
        for (int k = 0; k < dim && k < 8; ++k) {
            const int col = f.firstByteCol + k;
            const QString cell = r.trimmed(col);
            if (cell.isEmpty() || cell == QLatin1String("None")) continue;
            const int v = r.number(col);
            if (v < 0 || v > *f.maxByte - 1)
                return TCheckFault{f.slotBytes[size_t(k)], QString::number(*f.maxByte - 1) + LT(f.slotOrNone)};
        }
        return TCheckFault{};
    };
}

TGridDesc canGrid(const char *name, bool *copied, QStringList *hints)
{
    TGridDesc g;
    g.name = QLatin1String(name);
    g.rows = kCANTableRows;
    g.keyColumn = 2;
    g.enableColumn = 1;
    g.enable = TEnableRule::TrimmedUpper;
    g.clickSelectsRow = false; // the CAN tables have no click handler
    g.copied = copied;
    g.hints = hints;
    return g;
}

// The eight byte columns from firstHeader and firstHint on: "None", then the data area's positions.
void addCANByteColumns(std::vector<TColumnDesc> &columns, int firstHeader, int firstHint)
{
    for (int k = 0; k < 8; ++k) {
        const QByteArray attribute = "Byte" + QByteArray::number(k + 1);
        TColumnDesc c = Table_List_Column(attribute.constData(), firstHeader + k, firstHint + k, 48, {},
                                          TLoadKind::Optional);
        c.positions = kCANBytes;
        c.positionsFirst = QStringLiteral("None");
        columns.push_back(c);
    }
}

bool canRow2A(const TRowCells &r, int typeCol) { return r.trimmed(typeCol) == kCAN2A; }

} // namespace

// ---- receive --------------------------------------------------------------------------------------------

TTableDesc Receive_CAN_Table(TReceiveCAN_State &state)
{
    TReceiveCAN_State *s = &state;
    TTableDesc t;
    t.path = &CAN_Rec_Frames_File;
    t.root = QStringLiteral("Receive_Frames");
    t.version = QStringLiteral("SW_VERSION = 1.004");
    t.textBase = 2300;
    t.clientWidth = 1010;
    t.buttonCaptions = Table_Button_Captions(2300);
    t.buttonHints = Table_Button_Hints(2323);
    t.rowPrefix = 2344;
    t.deleteQuestion = 2358;

    TGridDesc g = canGrid("NCG_CAN_Receive", &s->Do_Copy, &s->Hint_ReceiveCAN);
    const auto optional = TLoadKind::Optional;
    g.columns = {
        Table_Number_Column(2308),
        Table_Check_Column("Enable", 2309, 2329, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("COBID", 2310, 2330, 90, optional),
        Table_List_Column("CAN_Type", 2311, 2331, 90, kCANTypes, optional),
        Table_Column("Dim", 2312, 2332, 70, optional),
        Table_Column("TimeOut", 2313, 2334, 75, TLoadKind::Defaulted),
    };
    g.columns.back().value = QStringLiteral("0");
    addCANByteColumns(g.columns, 2314, 2335);
    g.columns.push_back(Table_Column("Mnemonic", 2322, 2343, 185, optional));

    const TCANFrameRules frame{.typeCol = 3, .cobCol = 2, .dimCol = 4, .firstByteCol = 6, .slotCob2A = 2345,
                               .slotCob2B = 2346, .slotDim = 2347, .slotOrNone = 2350,
                               .slotBytes = {2349, 2351, 2352, 2353, 2354, 2355, 2356, 2357},
                               .is2A = [](const TRowCells &r) { return canRow2A(r, 3); }, .maxByte = &s->MAX_Byte};
    g.rules = canFrameRules(frame);
    g.rules.push_back(Rule_Range(5, 0, kCANMaxTime, 2348));
    g.rules.push_back(canByteRule(frame));
    t.grids = {g};

    t.prepare = [s](const TTableGrids &, QString &) {
        s->MAX_Byte = kCANBytes;
        return true;
    };
    t.loaded = [](const TTableGrids &grids) { grids[0]->setFocus(); };
    return t;
}

// ---- transmit -------------------------------------------------------------------------------------------

TTableDesc Transmit_CAN_Table(TTransmitCAN_State &state)
{
    TTransmitCAN_State *s = &state;
    TTableDesc t;
    t.path = &CAN_Send_Frames_File;
    t.root = QStringLiteral("Transmit_Frames");
    t.version = QStringLiteral("SW_VERSION = 1.004");
    t.textBase = 2400;
    t.clientWidth = 1100;
    t.buttonCaptions = Table_Button_Captions(2400);
    t.buttonHints = Table_Button_Hints(2425);
    t.rowPrefix = 2447;
    t.deleteQuestion = 2461;

    constexpr int type = 3, onChange = 5, onTimer = 7, time = 8;
    TGridDesc g = canGrid("NCG_CAN_Transmit", &s->Do_Copy, &s->Hint_TransmitCAN);
    const auto optional = TLoadKind::Optional;
    // CAN_Type, OnChange, OnTimer and Time a row lacks come from the window's fields (rowLoaded).
    g.columns = {
        Table_Number_Column(2408),
        Table_Check_Column("Enable", 2409, 2431, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("COBID", 2410, 2432, 90, optional),
        Table_List_Column("CAN_Type", 2411, 2433, 90, kCANTypes, optional),
        Table_Column("Dim", 2412, 2434, 70, optional),
        Table_Check_Column("OnChange", 2413, 2435, 65, optional),
        Table_Check_Column("OnCMD", 2462, 2463, 50, TLoadKind::Defaulted, "N"),
        Table_Check_Column("OnTimer", 2414, 2436, 55, optional),
        Table_Column("Time", 2415, 2437, 70, optional),
    };
    addCANByteColumns(g.columns, 2416, 2438);
    g.columns.push_back(Table_Column("Mnemonic", 2424, 2446, 110, optional));
    g.rowLoaded = [s](TNovaStringGrid &grid, int row, const pugi::xml_node &element) {
        const QString yes = QStringLiteral("Y"), no = QStringLiteral("N");
        if (!element.attribute("CAN_Type")) grid.SetCells(type, row, kCANTypes.value(s->CAN_Type, kCAN2A));
        if (!element.attribute("OnChange")) grid.SetCells(onChange, row, s->Send_Type == 0 ? yes : no);
        if (!element.attribute("OnTimer")) grid.SetCells(onTimer, row, s->Send_Type == 0 ? no : yes);
        if (!element.attribute("Time") && grid.Cells(onTimer, row) == yes)
            grid.SetCells(time, row, QString::number(s->Send_Time));
    };

    const TCANFrameRules frame{.typeCol = type, .cobCol = 2, .dimCol = 4, .firstByteCol = 9, .slotCob2A = 2448,
                               .slotCob2B = 2449, .slotDim = 2450, .slotOrNone = 2453,
                               .slotBytes = {2452, 2454, 2455, 2456, 2457, 2458, 2459, 2460},
                               .is2A =
                                   [s](const TRowCells &r) {
                                       return s->Hard_Type == 1 ? canRow2A(r, type) : s->CAN_Type == 0;
                                   },
                               .maxByte = &s->MAX_Byte};
    g.rules = canFrameRules(frame);
    // The Time of a frame sent on a timer; OnChange and OnCMD are not checked.
    g.rules.push_back([s](const TRowCells &r) {
        if (s->Hard_Type != 1 || r.upper(onTimer) != QLatin1String("Y")) return TCheckFault{};
        const int v = r.number(time);
        return v < 0 || v > kCANMaxTime ? TCheckFault{2451} : TCheckFault{};
    });
    g.rules.push_back(canByteRule(frame));

    std::vector<int> hintSlots;
    for (size_t c = 1; c < g.columns.size(); ++c) hintSlots.push_back(g.columns[c].hint);
    t.grids = {g};

    t.prepare = [s, hintSlots](const TTableGrids &, QString &) {
        s->Hard_Type = 1;
        s->MAX_Byte = kCANBytes;
        s->Hint_TransmitCAN.clear();
        for (int slot : hintSlots) s->Hint_TransmitCAN << LT(slot);
        return true;
    };
    t.loaded = [](const TTableGrids &grids) { grids[0]->setFocus(); };
    return t;
}
