#include "shell/DefaultTexts.h"
#include "shell/DefaultTexts2.h"

namespace default_texts {

const std::vector<DefaultTextBlock> &Blocks_2()
{
    static const std::vector<DefaultTextBlock> blocks = {
        {"Modbus master table", 1600, 1699, Modbus_Master_Texts()},
        {"Modbus TCP master table", 1900, 2099, Modbus_TCP_Master_Texts()},
        {"SNMP trap table", 3200, 3299, SNMP_Trap_Texts()},
        {"MQTT topic table", 3300, 3399, MQTT_Set_Topic_Texts()},
        {"MQTT topic template editor", 3400, 3499, Topic_Template_Texts()},
        {"NMEA 0183 listener", 3500, 3599, NMEA0183_Listener_Texts()},
        {"NMEA 0183 sentence fields", 3600, 3699, NMEA0183_Sentence_Texts()},
    };
    return blocks;
}

} // namespace default_texts

// Slots 1600-3699 but the channel table's second block; the other slots are untouched.
void Load_Default_Texts_2(QStringList &texts)
{
    default_texts::Fill_Default_Texts(texts, default_texts::Blocks_2());
}
