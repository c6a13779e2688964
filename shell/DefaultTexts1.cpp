#include "shell/DefaultTexts.h"
#include "shell/DefaultTexts1.h"

namespace default_texts {

const std::vector<DefaultTextBlock> &Blocks_1()
{
    static const std::vector<DefaultTextBlock> blocks = {
        {"main window", 0, 99, Main_Window_Texts()},
        {"new configuration", 100, 199, New_Project_Texts()},
        {"open configuration", 200, 299, Open_Conf_Texts()},
        {"options", 300, 399, Soft_Options_Texts()},
        {"communication parameters", 400, 1199, Par_Gen_Texts()},
        {"IO-Link channel table", 1200, 1299, IOLink_Set_Access_Texts()},
        {"IODD catalog", 1300, 1399, IODD_Catalog_Texts()},
        {"device update", 1400, 1499, Boot_Texts()},
        {"shared rows and file questions", 1500, 1599, Shared_Row_Texts()},
        // The channel table's second block sits among the protocol tables' slots.
        {"IO-Link channel table, second block", 1700, 1799, IOLink_Set_Access_Texts_2()},
    };
    return blocks;
}

void Fill_Default_Texts(QStringList &texts, const std::vector<DefaultTextBlock> &blocks)
{
    for (const auto &block : blocks)
        for (const auto &t : block.texts)
            if (t.slot >= 0 && t.slot < texts.size())
                texts[t.slot] = QString::fromUtf16(t.text);
}

} // namespace default_texts

// Slots 0-1599 and the channel table's second block (from 1700); the other slots are untouched.
void Load_Default_Texts_1(QStringList &texts)
{
    default_texts::Fill_Default_Texts(texts, default_texts::Blocks_1());
}
