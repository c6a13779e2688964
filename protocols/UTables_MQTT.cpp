// The MQTT topic tables ("MQTT_Set_Topic.xml"): the topics the gateway publishes from its input data
// area and those it subscribes to into its output data area. The columns of the family's other MQTT
// variants stay hidden (working mode 1); their values are not checked, and some are not kept at all.
#include "protocols/UTables.h"

#include "shell/UComon.h"

namespace {

const QStringList kMqttQoS{"0", "1", "2"};
const QStringList kMqttDataTypes{"Int", "Float", "String", "Base64"};
const QStringList kMqttTemplateItems{"$VALUE$"};

QStringList mqttChannels()
{
    QStringList items;
    for (int i = 0; i <= 63; ++i) items << QString::number(i);
    items << QStringLiteral("All");
    return items;
}

// The column numbers and message slots by which the publish and the subscribe checks differ.
struct TMqttDirection {
    int templateCol;
    int slotType, slotInt, slotFloat, slotOther, slotPosition, slotTemplate;
    const int *area;
};

std::vector<TRowRule> mqttRules(const TMqttDirection &m)
{
    constexpr int type = 4, dimension = 5, position = 6;
    return {
        Rule_Not_Empty(type, m.slotType),
        [m](const TRowCells &r) {
            const QString t = r.upper(type);
            const int v = r.number(dimension);
            if (t == QLatin1String("INT")) return v == 1 || v == 2 || v == 4 || v == 8 ? TCheckFault{} : TCheckFault{m.slotInt};
            if (t == QLatin1String("FLOAT")) return v == 4 || v == 8 ? TCheckFault{} : TCheckFault{m.slotFloat};
            return v > 0 ? TCheckFault{} : TCheckFault{m.slotOther};
        },
        [m](const TRowCells &r) {
            const int v = r.number(position);
            return v < 0 || v > *m.area - 1 ? TCheckFault{m.slotPosition, QString::number(*m.area - 1)} : TCheckFault{};
        },
        [m](const TRowCells &r) {
            return Error_In_Topic_Template(r.trimmed(m.templateCol)) ? TCheckFault{m.slotTemplate} : TCheckFault{};
        },
    };
}

TGridDesc mqttGrid(bool publish, bool *copied, QStringList *hints)
{
    TGridDesc g;
    g.name = publish ? QStringLiteral("NCG_Pub") : QStringLiteral("NCG_Sub");
    g.sheet = publish ? QStringLiteral("TS_MQTT_Publish") : QStringLiteral("TS_MQTT_Subscribe");
    g.group = publish ? QStringLiteral("MQTT_Publish") : QStringLiteral("MQTT_Subscribe");
    g.tabCaption = publish ? 3333 : 3334;
    g.rows = kMQTTTableRows;
    g.keyColumn = 1;
    g.clickSelectsRow = false;
    g.copied = copied;
    g.hints = hints;
    return g;
}

} // namespace

bool Error_In_Topic_Template(const QString &Str) { return Str.count(QLatin1Char('$')) % 2 != 0; }

TTableDesc MQTT_Set_Topic_Table(TMQTT_Set_Topic_State &state)
{
    TMQTT_Set_Topic_State *s = &state;
    TTableDesc t;
    t.path = &MQTT_Set_Topic_File;
    t.root = QStringLiteral("MQTT_Set_Topic");
    t.version = QStringLiteral("SW_VERSION = 1.004");
    t.textBase = 3300;
    t.clientWidth = 1100;
    t.buttonCaptions = Table_Button_Captions(3300);
    t.buttonHints = {}; // the buttons of this window show no hints
    t.rowPrefix = 3351;
    t.deleteQuestion = 3323;

    const TLoadKind required = TLoadKind::Required;
    const TLoadKind defaulted = TLoadKind::Defaulted;
    TGridDesc pub = mqttGrid(true, &s->Do_Copy_Pub, &s->Hint_MQTT_Set_Topic_Pub);
    pub.columns = {
        {.header = 3314, .width = 40},
        {.attribute = "Topic", .header = 3315, .hint = 3319, .width = 300, .load = required},
        {.attribute = "Retained", .header = 3316, .hint = 3320, .width = 60, .editor = edDataCheckBox, .load = required},
        {.attribute = "QoS", .header = 3317, .hint = 3321, .width = 80, .editor = edComboList, .items = kMqttQoS, .load = required},
        {.attribute = "DataType", .header = 3337, .hint = 3340, .width = 80, .editor = edComboList, .items = kMqttDataTypes},
        {.attribute = "Dimension", .header = 3338, .hint = 3341, .width = 80},
        {.attribute = "Position", .header = 3339, .hint = 3342, .width = 80},
        {.attribute = "IPAddress", .header = 3362, .hint = 3364, .width = 100, .hidden = true},
        {.attribute = "InputTemplate", .header = 3363, .hint = 3365, .width = 120, .hidden = true},
        {.attribute = "Template", .header = 3335, .hint = 3336, .width = 130, .editor = edComboEdit, .items = kMqttTemplateItems},
        {.attribute = "OnChange", .header = 3381, .hint = 3382, .width = 75, .editor = edDataCheckBox, .load = defaulted, .value = "N"},
        // Columns of the other variants: OnCMD is never kept, Channel and the swaps are reset on loading.
        {.header = 3383, .hint = 3386, .width = 55, .editor = edDataCheckBox, .hidden = true, .load = TLoadKind::NotRead},
        {.attribute = "OnTimer", .header = 3384, .hint = 3387, .width = 64, .editor = edDataCheckBox, .load = defaulted, .value = "N"},
        {.attribute = "Time", .header = 3385, .hint = 3388, .width = 70},
        {.header = 3390, .hint = 3391, .width = 60, .editor = edComboList, .items = mqttChannels(), .hidden = true,
         .load = TLoadKind::Forced},
        {.header = 3393, .hint = 3395, .width = 40, .editor = edDataCheckBox, .hidden = true, .load = TLoadKind::Forced, .value = "N"},
        {.header = 3394, .hint = 3396, .width = 80, .editor = edDataCheckBox, .hidden = true, .load = TLoadKind::Forced, .value = "N"},
        {.attribute = "Mnemonic", .header = 3318, .hint = 3322, .width = 170, .load = required},
    };
    pub.rules = mqttRules({.templateCol = kMQTTPubTemplateCol, .slotType = 3352, .slotInt = 3353, .slotFloat = 3354,
                           .slotOther = 3355, .slotPosition = 3356, .slotTemplate = 3378, .area = &s->Byte_IN});
    pub.rules.push_back([](const TRowCells &r) {
        if (r.upper(12) != QLatin1String("Y")) return TCheckFault{};
        return Rule_Range(13, 1, 1000000000, 3389)(r);
    });

    TGridDesc sub = mqttGrid(false, &s->Do_Copy_Sub, &s->Hint_MQTT_Set_Topic_Sub);
    sub.columns = {
        {.header = 3324, .width = 40},
        {.attribute = "Topic", .header = 3325, .hint = 3329, .width = 300, .load = required},
        {.attribute = "Retained", .header = 3326, .hint = 3330, .width = 60, .editor = edDataCheckBox, .hidden = true,
         .load = required},
        {.attribute = "QoS", .header = 3327, .hint = 3331, .width = 80, .editor = edComboList, .items = kMqttQoS, .load = required},
        {.attribute = "DataType", .header = 3343, .hint = 3347, .width = 80, .editor = edComboList, .items = kMqttDataTypes},
        {.attribute = "Dimension", .header = 3344, .hint = 3348, .width = 80},
        {.attribute = "Position", .header = 3345, .hint = 3349, .width = 80},
        {.attribute = "IPAddress", .header = 3366, .hint = 3370, .width = 100, .hidden = true},
        {.attribute = "Port", .header = 3367, .hint = 3371, .width = 50, .hidden = true},
        {.attribute = "EthType", .header = 3368, .hint = 3372, .width = 64, .editor = edComboList, .items = {"TCP", "UDP"},
         .hidden = true},
        {.attribute = "InputTemplate", .header = 3369, .hint = 3373, .width = 130, .hidden = true},
        {.attribute = "Template", .header = 3346, .hint = 3350, .width = 130, .editor = edComboEdit, .items = kMqttTemplateItems},
        {.header = 3393, .hint = 3397, .width = 40, .editor = edDataCheckBox, .hidden = true, .load = TLoadKind::Forced, .value = "N"},
        {.header = 3394, .hint = 3398, .width = 80, .editor = edDataCheckBox, .hidden = true, .load = TLoadKind::Forced, .value = "N"},
        {.attribute = "Mnemonic", .header = 3328, .hint = 3332, .width = 220, .load = required},
    };
    sub.rules = mqttRules({.templateCol = kMQTTSubTemplateCol, .slotType = 3357, .slotInt = 3358, .slotFloat = 3359,
                           .slotOther = 3360, .slotPosition = 3361, .slotTemplate = 3380, .area = &s->Byte_OUT});

    t.grids = {pub, sub};
    t.prepare = [s](const TTableGrids &, QString &) {
        s->Working_Mode = 1;
        s->Byte_IN = kMQTTBytes;
        s->Byte_OUT = kMQTTBytes;
        return true;
    };
    return t;
}
