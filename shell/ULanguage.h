#pragma once
// The numbered UI text table and its language files.
#include <QString>
#include <QStringList>

inline constexpr int kLangTextSlots = 3900;

// Slot n holds the text of slot number n; a slot no window uses holds one blank.
inline QStringList Lang_Texts;
inline int Lang_Texts_Count = 0;

// Empties the table and fills the 3900 built-in English texts.
void Load_Default_Texts();
// Applies one language file to the table. False (with *error) when the file cannot be opened.
bool Read_Language_File(const QString &fileName, QString *error = nullptr);
// Built-in texts, then the file of Language_Name (falling back to English); the file's extension
// ".lng" may be in any letter case.
// A file that exists but cannot be opened is reported with a message box; the built-in texts stay.
void Load_Language();

// Text of a slot ("" outside the table), for readers that take texts by number.
inline QString LT(int slot)
{
    return slot >= 0 && slot < Lang_Texts.size() ? Lang_Texts.at(slot) : QString();
}
