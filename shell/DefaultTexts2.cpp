#include "shell/DefaultTexts.h"
#include "shell/DefaultTexts1.h"

namespace default_texts {
std::span<const DefaultText> IOLink_Set_Access_Texts_2(); // 1700-1737
}

void Load_Default_Texts_2(QStringList &texts)
{
    for (const auto &t : default_texts::IOLink_Set_Access_Texts_2())
        if (t.slot >= 0 && t.slot < texts.size())
            texts[t.slot] = QString::fromUtf16(t.text);
}
