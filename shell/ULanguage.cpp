#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "shell/DefaultTexts.h"
#include "shell/UComon.h"

#include <QDir>
#include <QFileInfo>

void Load_Default_Texts()
{
    Lang_Texts.clear();
    Lang_Texts.reserve(kLangTextSlots);
    for (int i = 0; i < kLangTextSlots; ++i) Lang_Texts.append(QStringLiteral(" "));
    Load_Default_Texts_1(Lang_Texts);
    Load_Default_Texts_2(Lang_Texts);
    Load_Default_Texts_3(Lang_Texts);
    Lang_Texts_Count = kLangTextSlots;
}

namespace {

void applyLine(const QString &raw)
{
    static const QChar pilcrow(0x00B6);
    const QString line = Trim_Text(raw);
    if (!line.startsWith(QLatin1String("STR"))) return;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return;
    // The number runs from after "STR" to the character before the one preceding "=".
    const qsizetype numLen = eq - 4;
    if (numLen <= 0) return;
    int slot;
    if (!TryStrToInt(Trim_Text(line.mid(3, numLen)), slot)) return;
    if (slot < 0 || slot >= Lang_Texts_Count) return;
    QString value = Trim_Text(line.mid(eq + 1));
    if (value.isEmpty()) return;
    const qsizetype comment = value.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        value = Trim_Text(value.left(comment));
        if (value.isEmpty()) return;
    }
    if (value.startsWith(pilcrow)) value.remove(0, 1);
    const qsizetype close = value.indexOf(pilcrow);
    if (close >= 0) value.truncate(close);
    Lang_Texts[slot] = value;
}

} // namespace

bool Read_Language_File(const QString &fileName, QString *error)
{
    QString text;
    if (!platform::readTextFile(fileName, text, error)) return false;
    if (Lang_Texts.size() != kLangTextSlots) Load_Default_Texts();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i == n || text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n')) {
            applyLine(text.mid(start, i - start));
            if (i + 1 < n && text.at(i) == QLatin1Char('\r') && text.at(i + 1) == QLatin1Char('\n')) ++i;
            start = i + 1;
        }
    }
    return true;
}

namespace {

// name + ".lng" in Language_Dir, the extension in any letter case; empty when there is none.
QString languageFile(const QString &name)
{
    const QString exact = Language_Dir + QLatin1Char('/') + name + QStringLiteral(".lng");
    if (QFileInfo(exact).isFile()) return exact;
    // The options dialog lists "Deutsch.LNG" as "Deutsch": find it whatever the case of its extension.
    const QStringList files = QDir(Language_Dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : files) {
        if (f.size() == name.size() + 4 && f.startsWith(name)
            && f.endsWith(QLatin1String(".lng"), Qt::CaseInsensitive))
            return Language_Dir + QLatin1Char('/') + f;
    }
    return QString();
}

} // namespace

void Load_Language()
{
    Load_Default_Texts();
    QString file = languageFile(Language_Name);
    if (file.isEmpty()) {
        Language_Name = QStringLiteral("English");
        file = languageFile(Language_Name);
        if (file.isEmpty()) return;
    }
    QString error;
    if (!Read_Language_File(file, &error)) {
        Load_Default_Texts(); // never leave a half-applied table
        platform::showError(error);
    }
}
