// Shared row routines (1500-1502) and file-overwrite questions (1503-1505).
#include "shell/DefaultTexts1.h"

namespace default_texts {

const DefaultText kSharedRows[] = {
    {1500, u"Row Already used. Do you want to overwrite the values?"},
    {1501, u"Error in the Copy values!!! Copy a valid row before Paste it"},
    {1502, u"Error!!! Copy a valid row before Paste it"},
    {1503, u"File already exists! Do you want to overwrite the file?"},
    {1504, u"Error! Please set the Set Communication Parameter before to create the GSD file"},
    {1505, u"File already exists. Do you want to overwrite?"},
};

std::span<const DefaultText> Shared_Row_Texts() { return kSharedRows; }

} // namespace default_texts
