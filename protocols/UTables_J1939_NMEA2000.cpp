// The J1939 and NMEA 2000 frame tables: the parameter groups the gateway takes from the bus
// ("J1939_Rec_Frames.xml", "NMEA_Rec_Frames.xml") and those it sends ("J1939_Send_Frames.xml",
// "NMEA_Send_Frames.xml"). One grid of rows right under the root; the PGN cell is the key as it
// stands (a cell of blanks is a PGN, and a wrong one); the bytes of the checked rows add up to a
// limit, whose message carries no row number. The written table ends where the check ends.
#include "protocols/UTables.h"

#include "shell/UComon.h"

#include <functional>

namespace {

const QString kJ1939Ticked = QStringLiteral("Y");

bool j1939Ticked(const TRowCells &r, int col) { return col >= 0 && r.text(col) == kJ1939Ticked; }

// What the four windows share: the grid "sga" with the untrimmed PGN key, the texts of the block
// from base, the showing's byte limit and the check's running total.
TTableDesc j1939Table(const QString *path, const char *root, int base, int clientWidth, int rowPrefix,
                      int deleteQuestion, int rows, int key, int *limit, int limitValue, int *total, bool *copied,
                      QStringList *hints)
{
    TTableDesc t = Table_Description(path, root, "SW_VERSION = 1.000", base, clientWidth, rowPrefix, deleteQuestion);
    t.prepare = [limit, limitValue](const TTableGrids &, QString &) {
        *limit = limitValue;
        return true;
    };
    t.beforeCheck = [total] { *total = 0; };

    TGridDesc g;
    g.name = QStringLiteral("sga");
    g.rows = rows;
    g.keyColumn = key;
    g.keyTrimmed = false;
    g.copied = copied;
    g.hints = hints;
    t.grids = {g};
    return t;
}

// After a row's own checks: its bytes join the total, which may not pass the limit.
TRowRule j1939Total(std::function<int(const TRowCells &)> rowBytes, int slot, int *total, const int *limit)
{
    return [=](const TRowCells &r) {
        *total += rowBytes(r);
        return *total > *limit ? TCheckFault{slot, QString::number(*limit), false} : TCheckFault{};
    };
}

// ---- receive -------------------------------------------------------------------------------------------------

struct TJ1939Receive {
    int dp = -1; // J1939 only
    int pgn, sa, tp;
    int fp = -1; // NMEA 2000 only
    int start, nbyte;
    int onRequest = -1, time = -1; // J1939 only
    int pgnMax;
    int slotDP = 0, slotPGN, slotSA, slotTPStart, slotTPSum, slotFPStart = 0, slotFPSum = 0, slotBoth, slotStart,
        slotN, slotSum, slotTotal, slotTime = 0;
};

constexpr int kTransportBytes = 1785; // 255 packets of 7 bytes
constexpr int kFastPacketBytes = 223;
constexpr int kFrameBytes = 8;
constexpr int kRequestTimeMax = 10000000;

// A transport-protocol or fast-packet row counts its N Byte, a single-frame row its N Byte, or the
// whole frame when both Start Byte and N Byte are blank.
int j1939ReceiveBytes(const TJ1939Receive &m, const TRowCells &r)
{
    if (!j1939Ticked(r, m.tp) && !j1939Ticked(r, m.fp) && r.empty(m.start) && r.empty(m.nbyte)) return kFrameBytes;
    return r.number(m.nbyte);
}

std::vector<TRowRule> j1939ReceiveRules(const TJ1939Receive &m, int *total, const int *limit)
{
    std::vector<TRowRule> rules;
    if (m.dp >= 0) rules.push_back(Rule_Not_Empty(m.dp, m.slotDP));
    rules.push_back(Rule_Range(m.pgn, 0, m.pgnMax, m.slotPGN));
    rules.push_back(Rule_Range(m.sa, 0, 239, m.slotSA));
    rules.push_back([m](const TRowCells &r) {
        const int start = r.number(m.start);
        const int n = r.number(m.nbyte);
        auto multiPacket = [&](int most, int slotStart, int slotSum) {
            if (start < 0 || start > most) return TCheckFault{slotStart};
            return n < 0 || qint64(start) + n > most ? TCheckFault{slotSum} : TCheckFault{};
        };
        if (j1939Ticked(r, m.tp)) return multiPacket(kTransportBytes, m.slotTPStart, m.slotTPSum);
        if (j1939Ticked(r, m.fp)) return multiPacket(kFastPacketBytes, m.slotFPStart, m.slotFPSum);
        const bool noStart = r.empty(m.start), noN = r.empty(m.nbyte);
        if (noStart && noN) return TCheckFault{};
        if (noStart != noN) return TCheckFault{m.slotBoth};
        if (start < 1 || start > kFrameBytes) return TCheckFault{m.slotStart};
        if (n < 1 || n > kFrameBytes) return TCheckFault{m.slotN};
        return start + n > kFrameBytes ? TCheckFault{m.slotSum} : TCheckFault{};
    });
    rules.push_back(j1939Total([m](const TRowCells &r) { return j1939ReceiveBytes(m, r); }, m.slotTotal, total, limit));
    if (m.onRequest >= 0)
        rules.push_back([m](const TRowCells &r) {
            if (!j1939Ticked(r, m.onRequest)) return TCheckFault{};
            const int t = r.number(m.time);
            return t < 0 || t > kRequestTimeMax ? TCheckFault{m.slotTime} : TCheckFault{};
        });
    return rules;
}

// ---- transmit ---------------------------------------------------------------------------------------------------

struct TJ1939Transmit {
    int priority = 1;
    int dp = -1; // J1939 only
    int pgn, sa, nbyte, onTimer, sendTimer;
    int saMax;
    int slotPriority, slotDP = 0, slotPGN, slotSA, slotN, slotTotal, slotTimer;
};

constexpr int kTransmitPGNMax = 131071;
constexpr int kSendTimerMax = 65535;

std::vector<TRowRule> j1939TransmitRules(const TJ1939Transmit &m, int *total, const int *limit)
{
    std::vector<TRowRule> rules;
    rules.push_back(Rule_Range(m.priority, 0, 7, m.slotPriority));
    if (m.dp >= 0) rules.push_back(Rule_Not_Empty(m.dp, m.slotDP));
    rules.push_back(Rule_Range(m.pgn, 0, kTransmitPGNMax, m.slotPGN));
    rules.push_back(Rule_Range(m.sa, 0, m.saMax, m.slotSA));
    rules.push_back([m, limit](const TRowCells &r) {
        const int n = r.number(m.nbyte);
        return n < 0 || n > *limit ? TCheckFault{m.slotN, QString::number(*limit)} : TCheckFault{};
    });
    rules.push_back(j1939Total([m](const TRowCells &r) { return r.number(m.nbyte); }, m.slotTotal, total, limit));
    rules.push_back([m](const TRowCells &r) {
        if (!j1939Ticked(r, m.onTimer)) return TCheckFault{};
        const int t = r.number(m.sendTimer);
        return t < 1 || t > kSendTimerMax ? TCheckFault{m.slotTimer} : TCheckFault{};
    });
    return rules;
}

const QStringList kDataPages{QStringLiteral("0"), QStringLiteral("1")};

TColumnDesc j1939Column(const char *attribute, int header, int hint, int width)
{
    return Table_Column(attribute, header, hint, width, TLoadKind::Optional);
}

TColumnDesc j1939Box(const char *attribute, int header, int hint, int width)
{
    return Table_Check_Column(attribute, header, hint, width, TLoadKind::Defaulted, "N");
}

} // namespace

// ---- J1939 receive --------------------------------------------------------------------------------------------

TTableDesc ReceiveJ1939_Table(TReceiveJ1939_State &state)
{
    TReceiveJ1939_State *s = &state;
    TTableDesc t = j1939Table(&J1939_Rec_Frames_File, "Receive_J1939", 2800, 876, 2835, 2847, kJ1939Rows, 2,
                              &s->NUM_BYTE_IN, kJ1939ReceiveBytes, &s->Total_Bytes, &s->Do_Copy, &s->Hint_ReceiveJ1939);
    TColumnDesc time = Table_Column("OnReq_Time", 2823, 2833, 65, TLoadKind::Defaulted);
    time.value = QStringLiteral("1000");
    TGridDesc &g = t.grids[0];
    g.columns = {Table_Number_Column(2814),
                 Table_List_Column("DP", 2815, 2825, 65, kDataPages, TLoadKind::Optional),
                 j1939Column("PGN", 2816, 2826, 65),
                 j1939Column("SA", 2817, 2827, 95),
                 j1939Box("TP", 2818, 2828, 110),
                 j1939Column("TP_Start", 2819, 2829, 65),
                 j1939Column("TP_NByte", 2820, 2830, 55),
                 j1939Box("Delete", 2821, 2831, 75),
                 j1939Box("OnRequest", 2822, 2832, 75),
                 time,
                 j1939Column("Mnemonic", 2824, 2834, 140)};
    const TJ1939Receive m{.dp = 1, .pgn = 2, .sa = 3, .tp = 4, .start = 5, .nbyte = 6, .onRequest = 8, .time = 9,
                          .pgnMax = 65535, .slotDP = 2836, .slotPGN = 2837, .slotSA = 2838, .slotTPStart = 2839,
                          .slotTPSum = 2840, .slotBoth = 2841, .slotStart = 2842, .slotN = 2843, .slotSum = 2844,
                          .slotTotal = 2845, .slotTime = 2846};
    g.rules = j1939ReceiveRules(m, &s->Total_Bytes, &s->NUM_BYTE_IN);
    return t;
}

// ---- NMEA 2000 receive -----------------------------------------------------------------------------------------

TTableDesc ReceiveNMEA_Table(TReceiveNMEA_State &state)
{
    TReceiveNMEA_State *s = &state;
    TTableDesc t = j1939Table(&NMEA_Rec_Frames_File, "Receive_NMEA_2000", 3000, 810, 3031, 3043, kNMEA2000Rows, 1,
                              &s->NUM_BYTE_IN, kNMEA2000ReceiveBytes, &s->Total_Bytes, &s->Do_Copy, &s->Hint_ReceiveNMEA);
    TGridDesc &g = t.grids[0];
    g.columns = {Table_Number_Column(3014),
                 j1939Column("PGN", 3015, 3023, 65),
                 j1939Column("SA", 3016, 3024, 95),
                 j1939Box("TP", 3017, 3025, 110),
                 j1939Box("FP", 3018, 3026, 80),
                 j1939Column("TP_Start", 3019, 3027, 65),
                 j1939Column("TP_NByte", 3020, 3028, 55),
                 j1939Box("Delete", 3021, 3029, 75),
                 j1939Column("Mnemonic", 3022, 3030, 200)};
    const TJ1939Receive m{.pgn = 1, .sa = 2, .tp = 3, .fp = 4, .start = 5, .nbyte = 6, .pgnMax = 131071,
                          .slotPGN = 3032, .slotSA = 3033, .slotTPStart = 3034, .slotTPSum = 3035,
                          .slotFPStart = 3036, .slotFPSum = 3037, .slotBoth = 3038, .slotStart = 3039, .slotN = 3040,
                          .slotSum = 3041, .slotTotal = 3042};
    g.rules = j1939ReceiveRules(m, &s->Total_Bytes, &s->NUM_BYTE_IN);
    return t;
}

// ---- J1939 transmit -------------------------------------------------------------------------------------------

TTableDesc TransmitJ1939_Table(TTransmitJ1939_State &state)
{
    TTransmitJ1939_State *s = &state;
    TTableDesc t = j1939Table(&J1939_Send_Frames_File, "Transmit_J1939", 2900, 800, 2935, 2943, kJ1939Rows, 3,
                              &s->NUM_BYTE_OUT, kTransmitBytes, &s->Total_Bytes, &s->Do_Copy, &s->Hint_TransmitJ1939);
    // N Bytes left empty, or missing, is a whole frame.
    TColumnDesc bytes = Table_Column("TP_NByte", 2919, 2929, 60, TLoadKind::Defaulted);
    bytes.value = QStringLiteral("8");
    bytes.loadText = [](const QString &value, TNovaStringGrid &, int) {
        return value.isEmpty() ? QStringLiteral("8") : value;
    };
    TGridDesc &g = t.grids[0];
    g.columns = {Table_Number_Column(2914),
                 j1939Column("Priority", 2915, 2925, 55),
                 Table_List_Column("DP", 2916, 2926, 65, kDataPages, TLoadKind::Optional),
                 j1939Column("PGN", 2917, 2927, 65),
                 j1939Column("SA", 2918, 2928, 95),
                 bytes,
                 j1939Box("On_Request", 2920, 2930, 60),
                 j1939Box("On_Data_Change", 2921, 2931, 80),
                 j1939Box("On_Timer", 2922, 2932, 65),
                 j1939Column("SendTimer", 2923, 2933, 75),
                 j1939Column("Mnemonic", 2924, 2934, 110)};
    // An older file names one trigger in "T_Type" in place of the three boxes.
    g.rowLoaded = [](TNovaStringGrid &grid, int row, const pugi::xml_node &element) {
        const pugi::xml_attribute type = element.attribute("T_Type");
        if (!type) return;
        const QString trigger = QString::fromUtf8(type.value()).toUpper();
        const QString no = QStringLiteral("N");
        grid.SetCells(6, row, no);
        grid.SetCells(7, row, trigger == QLatin1String("ON DATA CHANGE") ? kJ1939Ticked : no);
        grid.SetCells(8, row, trigger == QLatin1String("ON TIMER") ? kJ1939Ticked : no);
    };
    const TJ1939Transmit m{.dp = 2, .pgn = 3, .sa = 4, .nbyte = 5, .onTimer = 8, .sendTimer = 9, .saMax = 255,
                           .slotPriority = 2936, .slotDP = 2937, .slotPGN = 2938, .slotSA = 2939, .slotN = 2940,
                           .slotTotal = 2941, .slotTimer = 2942};
    g.rules = j1939TransmitRules(m, &s->Total_Bytes, &s->NUM_BYTE_OUT);
    return t;
}

// ---- NMEA 2000 transmit ---------------------------------------------------------------------------------------

TTableDesc TransmitNMEA_Table(TTransmitNMEA_State &state)
{
    TTransmitNMEA_State *s = &state;
    // The same root as the receive file.
    TTableDesc t = j1939Table(&NMEA_Send_Frames_File, "Receive_NMEA_2000", 3100, 810, 3135, 3142, kNMEA2000Rows, 2,
                              &s->NUM_BYTE_OUT, kTransmitBytes, &s->Total_Bytes, &s->Do_Copy, &s->Hint_TransmitNMEA);
    TGridDesc &g = t.grids[0];
    g.columns = {Table_Number_Column(3114),
                 j1939Column("Priority", 3115, 3125, 55),
                 j1939Column("PGN", 3116, 3126, 65),
                 j1939Column("SA", 3117, 3127, 95),
                 j1939Box("FP", 3118, 3128, 75),
                 j1939Column("TP_NByte", 3119, 3129, 65),
                 j1939Box("On_Request", 3120, 3130, 60),
                 j1939Box("On_Data_Change", 3121, 3131, 80),
                 j1939Box("On_Timer", 3122, 3132, 65),
                 j1939Column("SendTimer", 3123, 3133, 75),
                 j1939Column("Mnemonic", 3124, 3134, 110)};
    const TJ1939Transmit m{.pgn = 2, .sa = 3, .nbyte = 5, .onTimer = 8, .sendTimer = 9, .saMax = 239,
                           .slotPriority = 3136, .slotPGN = 3137, .slotSA = 3138, .slotN = 3139, .slotTotal = 3140,
                           .slotTimer = 3141};
    g.rules = j1939TransmitRules(m, &s->Total_Bytes, &s->NUM_BYTE_OUT);
    return t;
}
