#pragma once
// Built-in English texts of slots 1600-3699: the protocol tables' windows, the GSDML file-name
// dialog and the engineering-unit picker, one table per window block (the channel table's second
// block, from 1700, stays with the first one).
#include "shell/DefaultTexts1.h"

namespace default_texts {

std::span<const DefaultText> Modbus_Master_Texts();     // 1600-1693
std::span<const DefaultText> Modbus_TCP_Master_Texts(); // 1900-2003
std::span<const DefaultText> SNMP_Trap_Texts();         // 3200-3287
std::span<const DefaultText> MQTT_Set_Topic_Texts();    // 3300-3398
std::span<const DefaultText> Topic_Template_Texts();    // 3400-3408
std::span<const DefaultText> NMEA0183_Listener_Texts(); // 3500-3530
std::span<const DefaultText> NMEA0183_Sentence_Texts(); // 3600-3645

// Every block that Load_Default_Texts_2 fills, in slot order.
const std::vector<DefaultTextBlock> &Blocks_2();

} // namespace default_texts
