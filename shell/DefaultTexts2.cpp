#include "shell/DefaultTexts.h"
#include "shell/DefaultTexts2.h"

namespace default_texts {

const std::vector<DefaultTextBlock> &Blocks_2()
{
    static const std::vector<DefaultTextBlock> blocks = {
        {"Modbus master table", 1600, 1699, Modbus_Master_Texts()},
        {"GSDML file-name dialog", 1800, 1899, Profinet_File_Name_Texts()},
        {"Modbus TCP master table", 1900, 2099, Modbus_TCP_Master_Texts()},
        {"BACnet object tables", 2100, 2199, BACnet_Set_Access_Texts()},
        {"BACnet engineering-unit picker", 2200, 2299, BACnet_Eng_Unit_Texts()},
        {"CAN receive frames", 2300, 2399, Receive_CAN_Texts()},
        {"CAN transmit frames", 2400, 2499, Transmit_CAN_Texts()},
        {"CANopen PDO tables", 2500, 2599, PDO_CANopen_Texts()},
        {"CANopen SDO client tables", 2600, 2699, SDO_Client_CANopen_Texts()},
        {"CANopen SDO server tables", 2700, 2799, SDO_Server_CANopen_Texts()},
        {"J1939 receive frames", 2800, 2899, Receive_J1939_Texts()},
        {"J1939 transmit frames", 2900, 2999, Transmit_J1939_Texts()},
        {"NMEA 2000 receive frames", 3000, 3099, Receive_NMEA2000_Texts()},
        {"NMEA 2000 transmit frames", 3100, 3199, Transmit_NMEA2000_Texts()},
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
