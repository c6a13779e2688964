#pragma once
// Built-in English texts of slots 0-1599, kept as one table per window block. The channel
// table's second block (from 1700) lives here too, beside its first one.
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

namespace default_texts {

struct DefaultText {
    int slot;
    const char16_t *text;
};

struct DefaultTextBlock {
    const char *name;
    int first; // slot range the block owns
    int last;
    std::span<const DefaultText> texts;
};

std::span<const DefaultText> Main_Window_Texts();       // 0-62
std::span<const DefaultText> New_Project_Texts();       // 100-110
std::span<const DefaultText> Open_Conf_Texts();         // 200-207
std::span<const DefaultText> Soft_Options_Texts();      // 300-321
std::span<const DefaultText> Par_Gen_Texts();           // 400-1125
std::span<const DefaultText> IOLink_Set_Access_Texts(); // 1200-1298
std::span<const DefaultText> IOLink_Set_Access_Texts_2(); // from 1700
std::span<const DefaultText> IODD_Catalog_Texts();      // 1300-1311
std::span<const DefaultText> Boot_Texts();              // 1400-1440
std::span<const DefaultText> Shared_Row_Texts();        // 1500-1505

// Every block that Load_Default_Texts_1 fills, in slot order.
const std::vector<DefaultTextBlock> &Blocks_1();

// Writes the texts of the blocks into their slots; the other slots are untouched.
void Fill_Default_Texts(QStringList &texts, const std::vector<DefaultTextBlock> &blocks);

} // namespace default_texts
