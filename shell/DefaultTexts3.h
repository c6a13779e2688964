#pragma once
// Built-in English texts of slots 3700-3899: the EtherCAT variable and group windows.
#include "shell/DefaultTexts1.h"

namespace default_texts {

std::span<const DefaultText> EtherCAT_Slave_Texts();       // 3700-3766
std::span<const DefaultText> EtherCAT_Slave_Group_Texts(); // 3800-3829

// Every block that Load_Default_Texts_3 fills, in slot order.
const std::vector<DefaultTextBlock> &Blocks_3();

} // namespace default_texts
