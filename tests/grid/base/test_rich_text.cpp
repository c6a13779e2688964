// Rich text as cells hold it: what the reader takes from a document, what the writer gives back,
// and inputs that once broke the reader.
#include "grid/base/RichText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

namespace {

QTextCharFormat formatAt(const QTextDocument &doc, const QString &word)
{
    const int at = int(doc.toPlainText().indexOf(word));
    EXPECT_GE(at, 0) << word.toStdString();
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(at + 1);
    return c.charFormat();
}

QTextDocument *read(const char *rtf)
{
    auto *doc = new QTextDocument;
    RtfToDocument(QByteArray(rtf), *doc);
    return doc;
}

} // namespace

TEST(RichText, PlainTextOfEscapesAndSymbols)
{
    const struct {
        const char *rtf;
        const char16_t *plain;
    } cases[] = {
        {R"({\rtf1\ansi a\par b})", u"a\nb"},
        {R"({\rtf1\ansi \'c4\'e9 x})", u"\u00c4\u00e9 x"},
        {R"({\rtf1\ansi\ansicpg1251 \'c4})", u"\u0414"},
        {R"({\rtf1{\fonttbl{\f0\fcharset204 X;}}\f0 \'c4})", u"\u0414"},
        {R"({\rtf1 \u8364? \uc2\u9731\'3f\'3fz \uc0\u65 B})", u"\u20ac \u2603z AB"},
        {R"({\rtf1 \u-3913?})", u"\uf0b7"},
        {R"({\rtf1 \{a\} \\ b\tab c\line d})", u"{a} \\ b\tc\nd"},
        {R"({\rtf1 x\~y\emdash\bullet})", u"x y\u2014\u2022"},
        {R"({\rtf1{\*\unknown skipped}{\info{\title t}}{\stylesheet{\s0 N;}}kept{\fldinst HYPER}{\fldrslt R}})",
         u"keptR"},
        {"{\\rtf1 line\r\nbreaks are not text}", u"linebreaks are not text"},
        {"{\\rtf1 a\\\nb}", u"a\nb"},
        {"plain bytes", u"plain bytes"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RtfToPlainText(c.rtf), QString::fromUtf16(c.plain)) << c.rtf;
}

TEST(RichText, CharacterFormatsFontsAndColours)
{
    std::unique_ptr<QTextDocument> doc(read(
        R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1 Courier New;}}{\colortbl ;\red255\green0\blue0;})"
        R"(\f0\fs28 big \b bold\b0  {\i ital} \ul under\ulnone  \strike gone\strike0  \cf1 red\cf0 )"
        R"( \f1 mono x\super up\nosupersub  y\sub down\plain  norm \up6 raised\up0 })"));
    EXPECT_EQ(formatAt(*doc, "big").fontPointSize(), 14.0);
    EXPECT_EQ(formatAt(*doc, "big").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_TRUE(formatAt(*doc, "bold").font().bold());
    EXPECT_FALSE(formatAt(*doc, "big").font().bold());
    EXPECT_TRUE(formatAt(*doc, "ital").fontItalic());
    EXPECT_FALSE(formatAt(*doc, "under").fontItalic()) << "a group's format ends with the group";
    EXPECT_TRUE(formatAt(*doc, "under").fontUnderline());
    EXPECT_TRUE(formatAt(*doc, "gone").fontStrikeOut());
    EXPECT_EQ(formatAt(*doc, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(*doc, "mono").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(formatAt(*doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(*doc, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatAt(*doc, "norm").verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_EQ(formatAt(*doc, "norm").fontPointSize(), 10.0) << "\\plain restores the default size";
    EXPECT_EQ(formatAt(*doc, "raised").verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(RichText, ParagraphFormats)
{
    std::unique_ptr<QTextDocument> doc(read(R"({\rtf1\pard\qc centre\par\pard\qr\li300 right\par\pard last})"));
    ASSERT_EQ(doc->blockCount(), 3);
    EXPECT_EQ(doc->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(doc->findBlockByNumber(1).blockFormat().leftMargin(), 20.0);
    EXPECT_EQ(doc->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RichText, WrittenDocumentReadsBackTheSame)
{
    std::unique_ptr<QTextDocument> doc(read(
        R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl ;\red0\green128\blue0;})"
        R"(\pard\qc\f0\fs24 A \b B\b0  \cf1 C\cf0 \par\pard\f1 x\super 2\nosupersub  \u8364? \{\}\\\tab t})"));
    const QByteArray written = DocumentToRtf(*doc);
    for (char c : written)
        ASSERT_LT((unsigned char)c, 0x80) << "a cell keeps one byte per character";
    std::unique_ptr<QTextDocument> again(new QTextDocument);
    ASSERT_TRUE(RtfToDocument(written, *again));
    EXPECT_EQ(again->toPlainText(), doc->toPlainText());
    EXPECT_EQ(again->toPlainText(), QString::fromUtf16(u"A B C\nx2 \u20ac {}\\\tt"));
    EXPECT_TRUE(formatAt(*again, "B").font().bold());
    EXPECT_EQ(formatAt(*again, "C").foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(formatAt(*again, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(*again, "x").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(again->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(CellTextToRtfBytes(RtfBytesToCellText(written)), written);
}

TEST(RichText, DamagedInputKeepsWhatWasRead)
{
    const struct {
        QByteArray rtf;
        QString plain;
    } cases[] = {
        {"{\\rtf1 cut sho", "cut sho"},
        {"{\\rtf1 a}}}}} b", "a b"},
        {"{\\rtf1 " + QByteArray(5000, '{') + "deep", "deep"},
        {"{\\rtf1 \\fs99999999999999 \\u99999999 \\'zz x\\", "?z x"},
        {"{\\rtf1 \\u-99999 \\uc-5 y", "?y"},
        {"{\\rtf1 {\\colortbl;\\red999;}\\cf7 \\highlight-3 z}", "z"},
        {QByteArray("{+rvf1 not rich\0\x01\xff\r\nline", 24), QString::fromUtf16(u"{+rvf1 not rich\u00ff\nline")},
        {"{\\rtf1 \\u64976?\\u65532?\\u8233?e}", QString::fromUtf16(u"\ufffd\ufffd\ne")},
    };
    for (const auto &c : cases) {
        QTextDocument doc;
        RtfToDocument(c.rtf, doc);
        EXPECT_EQ(doc.toPlainText(), c.plain) << c.rtf.left(60).toStdString();
        QTextDocument again;
        RtfToDocument(DocumentToRtf(doc), again);
        EXPECT_EQ(again.toPlainText(), doc.toPlainText());
    }
}
