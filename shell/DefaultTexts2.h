#pragma once
// Built-in English texts of slots 1600-3699: the protocol tables' windows, the GSDML file-name
// dialog and the engineering-unit picker, one table per window block (the channel table's second
// block, from 1700, stays with the first one).
#include "shell/DefaultTexts1.h"

namespace default_texts {

std::span<const DefaultText> Modbus_Master_Texts();      // 1600-1693
std::span<const DefaultText> Profinet_File_Name_Texts(); // 1800-1811
std::span<const DefaultText> Modbus_TCP_Master_Texts();  // 1900-2003
std::span<const DefaultText> BACnet_Set_Access_Texts();  // 2100-2160
std::span<const DefaultText> BACnet_Eng_Unit_Texts();    // 2200-2208
std::span<const DefaultText> Receive_CAN_Texts();        // 2300-2358
std::span<const DefaultText> Transmit_CAN_Texts();       // 2400-2463
std::span<const DefaultText> PDO_CANopen_Texts();        // 2500-2592
std::span<const DefaultText> SDO_Client_CANopen_Texts(); // 2600-2679
std::span<const DefaultText> SDO_Server_CANopen_Texts(); // 2700-2765
std::span<const DefaultText> Receive_J1939_Texts();      // 2800-2847
std::span<const DefaultText> Transmit_J1939_Texts();     // 2900-2943
std::span<const DefaultText> Receive_NMEA2000_Texts();   // 3000-3043
std::span<const DefaultText> Transmit_NMEA2000_Texts();  // 3100-3142
std::span<const DefaultText> SNMP_Trap_Texts();          // 3200-3287
std::span<const DefaultText> MQTT_Set_Topic_Texts();     // 3300-3398
std::span<const DefaultText> Topic_Template_Texts();     // 3400-3408
std::span<const DefaultText> NMEA0183_Listener_Texts();  // 3500-3530
std::span<const DefaultText> NMEA0183_Sentence_Texts();  // 3600-3645

// Every block that Load_Default_Texts_2 fills, in slot order.
const std::vector<DefaultTextBlock> &Blocks_2();

} // namespace default_texts
