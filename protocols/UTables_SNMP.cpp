// The SNMP trap tables ("SNMP_Trap.xml"): the values the gateway offers to managers and sends as
// traps, and the values managers write into it. Each enabled row's Description names an object of the
// MIB module written from the file, so Descriptions are identifiers, all different, and none of them
// a name the module defines itself.
#include "protocols/UTables.h"

#include "grid/NovaGrid.h"
#include "protocols/USNMP_MIB.h"
#include "shell/UComon.h"

namespace {

const QStringList kSnmpCommunities{"Vantok", "Drevany"};
const QStringList kSnmpTypes{"Int", "String"};
const QStringList kSnmpBits{"0", "1", "2", "3", "4", "5", "6", "7"};
const QStringList kSnmpConversions{"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"};
constexpr int kSnmpMaxName = 15;
constexpr int kSnmpMaxTime = 1000000000;

bool snmpIsInt(const TRowCells &r, int typeCol) { return r.text(typeCol).toUpper() == QLatin1String("INT"); }

// The columns and message slots by which the read and the write checks differ.
struct TSnmpDirection {
    int type, position, bit, numBits, description, conversion;
    int slotCommunity, slotType, slotPosition, slotBit, slotStringBit, slotBits, slotBytes, slotDescription, slotConversion;
    TRowRule timer, address; // the read grid's own checks
};

std::vector<TRowRule> snmpRules(const TSnmpDirection &m, QStringList *descriptions)
{
    constexpr int community = 2;
    std::vector<TRowRule> rules{
        [m](const TRowCells &r) {
            return Check_Error_CommName_Desc(r.text(community), 0) ? TCheckFault{m.slotCommunity} : TCheckFault{};
        },
        Rule_Not_Empty(m.type, m.slotType),
    };
    if (m.timer) rules.push_back(m.timer);
    const std::vector<TRowRule> rest{
        Rule_Not_Empty(m.position, m.slotPosition),
        Rule_Not_Empty(m.bit, m.slotBit),
        [m](const TRowCells &r) {
            return !snmpIsInt(r, m.type) && r.trimmed(m.bit) != QLatin1String("0") ? TCheckFault{m.slotStringBit} : TCheckFault{};
        },
        [m](const TRowCells &r) {
            const bool bits = snmpIsInt(r, m.type);
            const int v = r.number(m.numBits);
            return v < 1 || v > (bits ? 64 : 16) ? TCheckFault{bits ? m.slotBits : m.slotBytes} : TCheckFault{};
        },
        // The Description becomes an object's name in the MIB module.
        [m, descriptions](const TRowCells &r) {
            const QString d = r.text(m.description);
            if (Check_Error_CommName_Desc(d, 1)) return TCheckFault{m.slotDescription};
            if (MIB_Reserved_Name(d)) return TCheckFault{3287};
            descriptions->append(d);
            return TCheckFault{};
        },
    };
    rules.insert(rules.end(), rest.begin(), rest.end());
    if (m.address) rules.push_back(m.address);
    rules.push_back(Rule_Not_Empty(m.conversion, m.slotConversion));
    return rules;
}

TGridDesc snmpGrid(bool read, bool *copied, QStringList *hints)
{
    TGridDesc g;
    g.name = read ? QStringLiteral("NCG_SNMP_Read") : QStringLiteral("NCG_SNMP_Write");
    g.sheet = read ? QStringLiteral("TS_SNMP_Read") : QStringLiteral("TS_SNMP_Write");
    g.group = read ? QStringLiteral("SNMP_Trap_Read") : QStringLiteral("SNMP_Trap_Write");
    g.tabCaption = read ? 3208 : 3209;
    g.rows = kSNMPTableRows;
    g.keyColumn = 2;
    g.enableColumn = 1;
    g.enable = TEnableRule::Upper;
    g.clickSelectsRow = false;
    g.copied = copied;
    g.hints = hints;
    return g;
}

} // namespace

bool Check_Error_CommName_Desc(const QString &str, int Check_Type)
{
    for (const QChar c : str) {
        const bool ascii = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                           || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (!ascii) return true;
    }
    return Check_Type == 1 && !str.isEmpty() && !(str[0] >= QLatin1Char('a') && str[0] <= QLatin1Char('z'));
}

void Index_Row_Build(TNovaStringGrid *app_SGA)
{
    int counter = 1;
    for (int r = 1; r < app_SGA->RowCount(); ++r) {
        if (app_SGA->Cells(1, r).toUpper() == QLatin1String("Y"))
            app_SGA->SetCells(0, r, QString::number(counter++));
        else
            app_SGA->SetCells(0, r, QString());
    }
}

TTableDesc SNMP_Trap_Table(TSNMP_Trap_State &state)
{
    TSNMP_Trap_State *s = &state;
    TTableDesc t;
    t.path = &SNMP_Trap_File;
    t.root = QStringLiteral("SNMP_Trap");
    t.version = QStringLiteral("SW_VERSION = 1.000");
    t.textBase = 3200;
    t.clientWidth = 1256;
    t.buttonCaptions = Table_Button_Captions(3200);
    t.buttonHints = Table_Button_Hints(3210);
    t.rowPrefix = 3260;
    t.deleteQuestion = 3275;
    t.keepSheet = true; // the read sheet is made active once, when the window is created

    const TLoadKind defaulted = TLoadKind::Defaulted;
    TGridDesc read = snmpGrid(true, &s->Do_Copy_In_Read, &s->Hint_SNMP_Read);
    read.columns = {
        {.header = 3216, .width = 40},
        {.attribute = "Enable", .header = 3217, .hint = 3239, .width = 50, .editor = edDataCheckBox, .load = defaulted, .value = "Y"},
        {.attribute = "Community_Name", .header = 3218, .hint = 3240, .width = 130, .editor = edComboEdit,
         .items = kSnmpCommunities, .maxLength = kSnmpMaxName},
        {.attribute = "Type", .header = 3219, .hint = 3241, .width = 60, .editor = edComboList, .items = kSnmpTypes},
        {.attribute = "On_Change", .header = 3220, .hint = 3242, .width = 75, .editor = edDataCheckBox, .load = defaulted, .value = "N"},
        // 60, not 50: the title "On CMD" needs the room.
        {.attribute = "On_Command", .header = 3221, .hint = 3243, .width = 60, .editor = edDataCheckBox, .load = defaulted, .value = "N"},
        {.attribute = "On_Timer", .header = 3222, .hint = 3244, .width = 60, .editor = edDataCheckBox, .load = defaulted, .value = "N"},
        {.attribute = "Time", .header = 3223, .hint = 3245, .width = 65},
        {.attribute = "Position", .header = 3224, .hint = 3246, .width = 60, .editor = edComboList, .positions = kSNMPBytes},
        {.attribute = "Bit", .header = 3225, .hint = 3247, .width = 60, .editor = edComboList, .items = kSnmpBits},
        {.attribute = "NumBits", .header = 3226, .hint = 3248, .width = 95},
        {.attribute = "Description", .header = 3227, .hint = 3249, .width = 130, .maxLength = kSnmpMaxName},
        {.attribute = "IP_Address", .header = 3228, .hint = 3250, .width = 120},
        {.attribute = "Conversion", .header = 3281, .hint = 3283, .width = 100, .editor = edComboList, .items = kSnmpConversions,
         .load = defaulted, .value = "None"},
        {.attribute = "Mnemonic", .header = 3229, .hint = 3251, .width = 120}, // gives On CMD its 10 pixels
    };
    read.rules = snmpRules({.type = 3, .position = 8, .bit = 9, .numBits = 10, .description = 11, .conversion = 13,
                            .slotCommunity = 3276, .slotType = 3261, .slotPosition = 3263, .slotBit = 3264,
                            .slotStringBit = 3265, .slotBits = 3266, .slotBytes = 3267, .slotDescription = 3277,
                            .slotConversion = 3285,
                            .timer = [](const TRowCells &r) {
                                if (r.text(6).toUpper() != QLatin1String("Y")) return TCheckFault{};
                                return Rule_Range(7, 1, kSnmpMaxTime, 3262)(r);
                            },
                            .address = [](const TRowCells &r) {
                                return Check_IP_Address(r.text(12)) ? TCheckFault{3268} : TCheckFault{};
                            }},
                           &s->SL_Check_Desc);

    TGridDesc write = snmpGrid(false, &s->Do_Copy_In_Write, &s->Hint_SNMP_Write);
    write.columns = {
        {.header = 3230, .width = 40},
        {.attribute = "Enable", .header = 3231, .hint = 3252, .width = 50, .editor = edDataCheckBox, .load = defaulted, .value = "Y"},
        {.attribute = "Community_Name", .header = 3232, .hint = 3253, .width = 130, .editor = edComboEdit,
         .items = kSnmpCommunities, .maxLength = kSnmpMaxName},
        {.attribute = "Type", .header = 3233, .hint = 3254, .width = 60, .editor = edComboList, .items = kSnmpTypes},
        {.attribute = "Position", .header = 3234, .hint = 3255, .width = 60, .editor = edComboList, .positions = kSNMPBytes},
        {.attribute = "Bit", .header = 3235, .hint = 3256, .width = 60, .editor = edComboList, .items = kSnmpBits},
        {.attribute = "NumBits", .header = 3236, .hint = 3257, .width = 95},
        {.attribute = "Description", .header = 3237, .hint = 3258, .width = 130, .maxLength = kSnmpMaxName},
        {.attribute = "Conversion", .header = 3282, .hint = 3284, .width = 100, .editor = edComboList, .items = kSnmpConversions,
         .load = defaulted, .value = "None"},
        {.attribute = "Mnemonic", .header = 3238, .hint = 3259, .width = 500},
    };
    write.rules = snmpRules({.type = 3, .position = 4, .bit = 5, .numBits = 6, .description = 7, .conversion = 8,
                             .slotCommunity = 3278, .slotType = 3269, .slotPosition = 3270, .slotBit = 3271,
                             .slotStringBit = 3272, .slotBits = 3273, .slotBytes = 3274, .slotDescription = 3279,
                             .slotConversion = 3286},
                            &s->SL_Check_Desc);

    t.grids = {read, write};
    t.prepare = [s](const TTableGrids &, QString &) {
        s->NByte_IN = kSNMPBytes;
        s->NByte_OUT = kSNMPBytes;
        return true;
    };
    t.loaded = [](const TTableGrids &grids) {
        for (TNovaStringGrid *g : grids) Index_Row_Build(g);
    };
    t.beforeCheck = [s] { s->SL_Check_Desc.clear(); };
    // Every Description differs from every other (letter case counts).
    t.afterCheck = [s] {
        const QStringList &d = s->SL_Check_Desc;
        for (qsizetype i = 0; i < d.size(); ++i)
            for (qsizetype j = i + 1; j < d.size(); ++j)
                if (d[i] == d[j]) return TCheckFault{3280, QString(), false};
        return TCheckFault{};
    };
    return t;
}
