#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LanguageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Language_Dir = dir.path();
        Load_Default_Texts();
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void apply(const QString &line)
    {
        ASSERT_TRUE(Read_Language_File(write("t.lng", line.toUtf8().prepend("\xEF\xBB\xBF"))));
    }
    QTemporaryDir dir;
};

TEST_F(LanguageFile, TableHas3900SlotsAndNoEmptyText)
{
    EXPECT_EQ(Lang_Texts.size(), 3900);
    EXPECT_EQ(Lang_Texts_Count, 3900);
    for (const QString &t : std::as_const(Lang_Texts)) EXPECT_FALSE(t.isEmpty());
}

TEST_F(LanguageFile, LineRules)
{
    const QChar P(0x00B6);
    const struct { QString line; int slot; QString expected; } cases[] = {
        {"STR15 = New Configuration", 15, "New Configuration"},
        {"STR 15 = X", 15, "X"},
        {"STR15  = X", 15, "X"},
        {"STR15= X", 1, "X"},
        {"   STR15 = X   ", 15, "X"},
        {"STR15 = Open /#/ shown on the button", 15, "Open"},
        {QString("STR9 = %1  None  %1 ignored").arg(P), 9, "  None  "},
        {QString("STR9 = Text %1 rest").arg(P), 9, "Text "},
        {QString("STR20 = %1%1").arg(P), 20, ""},
        {"STR16 = a = b", 16, "a = b"},
        {"STR3899 = last", 3899, "last"},
        {"STR$10 = hex", 16, "hex"},
    };
    for (const auto &c : cases) {
        Load_Default_Texts();
        apply(c.line);
        EXPECT_EQ(Lang_Texts[c.slot], c.expected) << c.line.toStdString();
    }
}

TEST_F(LanguageFile, IgnoredLinesLeaveTheTableAsBuilt)
{
    const QStringList lines = {
        "STR5=X", "STR3900 = X", "STR-1 = X", "str15 = X", "STR15 =", "STR15 = /#/ only a comment",
        "STR15 X", "STRx = Y", "/#/ STR15 = commented", "free text line", "",
    };
    Load_Default_Texts();
    const QStringList before = Lang_Texts;
    for (const QString &l : lines) {
        apply(l);
        EXPECT_EQ(Lang_Texts, before) << l.toStdString();
    }
}

TEST_F(LanguageFile, LaterLineWinsAndAllLineEndsSplit)
{
    ASSERT_TRUE(Read_Language_File(write("a.lng", "STR1 = a\rSTR2 = b\nSTR3 = c\r\nSTR1 = z\r\n")));
    EXPECT_EQ(Lang_Texts[1], "z");
    EXPECT_EQ(Lang_Texts[2], "b");
    EXPECT_EQ(Lang_Texts[3], "c");
}

TEST_F(LanguageFile, Encodings)
{
    const QString text = QStringLiteral("STR7 = Größe €");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    const struct { const char *name; QByteArray bytes; } files[] = {
        {"utf8bom", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"utf16le", le},
        {"utf16be", be},
        {"ansi", QByteArray("STR7 = Gr\xF6\xDF" "e \x80")},
    };
    for (const auto &f : files) {
        Load_Default_Texts();
        ASSERT_TRUE(Read_Language_File(write(QString::fromLatin1(f.name) + ".lng", f.bytes)));
        EXPECT_EQ(Lang_Texts[7], QStringLiteral("Größe €")) << f.name;
    }
}

TEST_F(LanguageFile, MissingFileFallsBackToEnglish)
{
    write("English.lng", "STR30 = English thirty");
    write("Italiano.lng", "STR30 = Trenta\nSTR31 = Trentuno");
    Language_Name = "Italiano";
    Load_Language();
    EXPECT_EQ(Lang_Texts[30], "Trenta");
    EXPECT_EQ(Language_Name, "Italiano");

    // Switching to a language without its file: English texts come back, the name becomes English.
    Language_Name = "Klingon";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Texts[30], "English thirty");
    Load_Default_Texts();
    const QString builtIn31 = Lang_Texts[31];
    Load_Language();
    EXPECT_EQ(Lang_Texts[31], builtIn31);
}

TEST_F(LanguageFile, ExtensionInAnyLetterCase)
{
    write("Deutsch.LNG", "STR30 = Dreissig");
    write("Italiano.Lng", "STR30 = Trenta");
    write("English.lNg", "STR30 = English thirty");
    write("Fran.lng.bak", "STR30 = no language file");
    const struct { const char *name; const char *slot30; const char *after; } cases[] = {
        {"Deutsch", "Dreissig", "Deutsch"}, {"Italiano", "Trenta", "Italiano"},
        {"Fran", "English thirty", "English"}};
    for (const auto &c : cases) {
        Language_Name = c.name;
        Load_Language();
        EXPECT_EQ(Lang_Texts[30], c.slot30) << c.name;
        EXPECT_EQ(Language_Name, c.after) << c.name;
    }
}

TEST_F(LanguageFile, UnreadableFileIsReportedAndChangesNothing)
{
    QString err;
    Load_Default_Texts();
    const QStringList before = Lang_Texts;
    EXPECT_FALSE(Read_Language_File(dir.filePath("nope.lng"), &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(Lang_Texts, before);
}

} // namespace
