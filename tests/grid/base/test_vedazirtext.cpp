#include "grid/base/VedAzirText.h"

#include <gtest/gtest.h>

namespace {
const QString CR = QStringLiteral("\r");
const QString LF = QStringLiteral("\n");
const QString VT = QString(QChar(11));
} // namespace

TEST(CsvText, QuotingRoundTrips)
{
    const QString two = QStringLiteral("say \"hi\"");
    const QString doubled = DoubleQuoteChars(two);
    EXPECT_EQ(doubled, QStringLiteral("say \"\"hi\"\""));
    EXPECT_EQ(UndoubleChar(QLatin1Char('"'), doubled), two);
    EXPECT_EQ(UndoubleChar(QLatin1Char('"'), QStringLiteral("\"\"\"")), QStringLiteral("\"\""));
    EXPECT_EQ(UndoubleChar(QLatin1Char('x'), QStringLiteral("abc")), QStringLiteral("abc"));
    const QString multi = QStringLiteral("a") + CR + LF + QStringLiteral("b");
    const QString quoted = QuoteMultiLineText(multi);
    EXPECT_EQ(quoted, QStringLiteral("\"a") + VT + QStringLiteral("b\""));
    EXPECT_EQ(VTToCRLF(quoted.mid(1, quoted.size() - 2)), multi);
    EXPECT_EQ(CountCharOccurrences(QLatin1Char('"'), doubled), 4);
}

TEST(CsvText, UnescapedQuotes)
{
    const struct {
        const char *text;
        int pos;
    } cases[] = {{"ab\"\"c\"d", 6}, {"abc", 0}, {"\"\"x", 0}, {"x\"", 2}, {"\"\"\"y", 3}, {"ab\"\"", 4}};
    for (const auto &c : cases) {
        int out = -1;
        EXPECT_EQ(FindUnescapedQuote(QLatin1Char('"'), QString::fromLatin1(c.text), out), c.pos) << c.text;
        EXPECT_EQ(out, c.pos);
    }
    EXPECT_EQ(CountUnescapedQuotes(QLatin1Char('"'), QStringLiteral("\"a\"\"b\",\"c")), 3);
    EXPECT_EQ(CountUnescapedQuotes(QLatin1Char('"'), QStringLiteral("plain")), 0);
}

TEST(LineBreakEncodings, Table)
{
    const QString crlf = QStringLiteral("a") + CR + LF + QStringLiteral("b");
    EXPECT_EQ(CRLFToLF(crlf), QStringLiteral("a\nb"));
    EXPECT_EQ(CRToTilde(crlf), QStringLiteral("a~b"));
    EXPECT_EQ(TildeToCRLF(QStringLiteral("a~b")), crlf);
    EXPECT_EQ(TildeToCRLF(QStringLiteral("^")), QString());
    EXPECT_EQ(RemoveCRChars(crlf), QStringLiteral("a\nb"));
    EXPECT_EQ(CRToLF(crlf), QStringLiteral("a\n\nb"));
    EXPECT_EQ(EscapeLineBreaks(crlf), QStringLiteral("a\\nb"));
    EXPECT_EQ(UnescapeLineBreaks(QStringLiteral("a\\nb")), QStringLiteral("a\rb"));
    EXPECT_EQ(CRToHTMLBreak(QStringLiteral("a\rb")), QStringLiteral("a<br>b"));
    EXPECT_EQ(CountTextLines(QStringLiteral("a\rb\rc"), true), 3);
    EXPECT_EQ(CountTextLines(QStringLiteral("a\rb\rc"), false), 1);
    EXPECT_EQ(ConcatStrings({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("ab"));
}

TEST(LineBreakEncodings, GridTextFile)
{
    const QString withNul = QStringLiteral("x") + QChar(0) + QStringLiteral("y") + LF;
    EXPECT_EQ(EncodeLineBreaksForFile(withNul), withNul); // no CR: unchanged
    const QString cell = QStringLiteral("a") + CR + LF + QStringLiteral("b") + QChar(0);
    const QString encoded = EncodeLineBreaksForFile(cell);
    EXPECT_EQ(encoded, QStringLiteral("a\t") + QChar(8) + QStringLiteral("b") + QChar(1));
    EXPECT_EQ(DecodeLineBreaksFromFile(encoded, true), cell);
    EXPECT_EQ(DecodeLineBreaksFromFile(encoded, false), QStringLiteral("a"));
    EXPECT_EQ(DecodeLineBreaksFromFile(QStringLiteral("a\tb"), true), QStringLiteral("a\tb")); // no backspace
    QString src = QStringLiteral("one\r\ntwo\rthree");
    EXPECT_EQ(ExtractFirstLine(src, true), QStringLiteral("one"));
    EXPECT_EQ(src, QStringLiteral("two\rthree"));
    EXPECT_EQ(ExtractFirstLine(src, false), QStringLiteral("two"));
    EXPECT_EQ(src, QString());
    src = QStringLiteral("single");
    EXPECT_EQ(ExtractFirstLine(src, true), QStringLiteral("single"));
    EXPECT_TRUE(src.isEmpty());
}

TEST(HtmlClipboard, PayloadOffsets)
{
    const QString frag = QStringLiteral("<b>x</b>");
    const QString s = BuildHtmlClipboardData(frag);
    EXPECT_TRUE(s.startsWith(QStringLiteral("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\n"
                                             "StartFragment:00000274\r\nEndFragment:00000282\r\n")));
    EXPECT_EQ(s.indexOf(QStringLiteral("<!DOCTYPE")), 97);
    EXPECT_EQ(s.mid(274, frag.size()), frag);
    EXPECT_EQ(s.size(), 314);
    EXPECT_TRUE(s.endsWith(QStringLiteral("<!--EndFragment--></body></html>")));
    EXPECT_EQ(BuildHtmlClipboardData(QString()).size(), 306);
    EXPECT_EQ(ColorToHTMLHex(0x00FF8040), QStringLiteral("4080FF"));
    EXPECT_EQ(ColorToHTMLHex(clRed), QStringLiteral("FF0000"));
}

TEST(WideText, EscapeRoundTripsAndOddTailIsIgnored)
{
    const QString wide = QString::fromUtf16(u"A\u20ac\u4e2d");
    const QString enc = EncodeWideText(wide);
    EXPECT_EQ(enc.size(), 2 + 6);
    EXPECT_EQ(enc.left(2), QStringLiteral("|\\"));
    EXPECT_EQ(enc.at(2).unicode(), 0);
    EXPECT_EQ(enc.at(3), QLatin1Char('A'));
    EXPECT_EQ(enc.at(4).unicode(), 0x20);
    EXPECT_EQ(enc.at(5).unicode(), 0xAC);
    EXPECT_EQ(DecodeWideText(enc), wide);
    EXPECT_EQ(DecodeWideText(enc + QLatin1Char('z')), wide);
    EXPECT_EQ(DecodeWideText(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(WidePosOf(QString::fromUtf16(u"\u4e2d"), wide), 3);
}

TEST(OemText, WesternCodePages)
{
    const QString text = QString::fromUtf16(u"\u00e4");
    const QString oem = TextToOem(text);
    ASSERT_EQ(oem.size(), 1);
    EXPECT_EQ(oem.at(0).unicode(), 0x201E); // OEM byte 0x84 read as ANSI
    EXPECT_EQ(OemToText(oem), text);
}

TEST(TextKinds, Table)
{
    const struct {
        QString text;
        bool html;
        int kind;
    } cases[] = {
        {QString(), true, 0},
        {QStringLiteral("=A1"), true, 3},
        {QStringLiteral("{\\rtf1"), true, 2},
        {EncodeWideText(QStringLiteral("ab")), true, 5},
        {EncodeWideText(QStringLiteral("=b")), true, 3}, // an escaped formula
        {QStringLiteral("|\\") + QChar(0) + QLatin1Char('=') + QChar(0), true, 3},
        {QStringLiteral("<b>x"), true, 0},
        {QStringLiteral("<B>x"), true, 1},
        {QStringLiteral("x</b>"), true, 1},
        {QStringLiteral("x</b>"), false, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetTextKind(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST(SmallRoutines, SearchCaseAndReferences)
{
    EXPECT_EQ(ToMixedCase(QStringLiteral("mcdonald's old mill iii")), QStringLiteral("McDonald'S Old Mill III"));
    EXPECT_EQ(ToMixedCase(QStringLiteral("HENRY ii")), QStringLiteral("Henry II"));
    EXPECT_EQ(PosInUpperCase(QStringLiteral("<BLI"), QStringLiteral("ab<bli>")), 3);
    int pos = -1;
    EXPECT_EQ(FindPos(QStringLiteral("c"), QStringLiteral("abc"), pos), 3);
    EXPECT_EQ(pos, 3);
    pos = 7;
    EXPECT_EQ(FindCharPos(QLatin1Char('z'), QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, 7); // left unchanged when absent
    EXPECT_EQ(CharPos(QLatin1Char('b'), QStringLiteral("abc")), 2);
    QString src = QStringLiteral("key=value=x");
    EXPECT_EQ(CutAtDelimiter(src, QStringLiteral("=")), QStringLiteral("key"));
    EXPECT_EQ(src, QStringLiteral("value=x"));
    EXPECT_EQ(CutAtDelimiter(src, QStringLiteral(";")), QString());
    EXPECT_EQ(src, QStringLiteral("value=x"));
    TPoint p{-1, -1};
    EXPECT_TRUE(ParseRCReference(QStringLiteral("r12c3"), p));
    EXPECT_EQ(p, (TPoint{3, 12}));
    EXPECT_FALSE(ParseRCReference(QStringLiteral("R1C"), p));
    EXPECT_FALSE(ParseRCReference(QStringLiteral("RxC2"), p));
    EXPECT_TRUE(PointInGridRect({1, 1, 3, 3}, 3, 1));
    EXPECT_FALSE(PointInGridRect({1, 1, 3, 3}, 4, 1));
    QString pw = QStringLiteral("secret");
    FillWithChar(pw, QLatin1Char('*'));
    EXPECT_EQ(pw, QStringLiteral("******"));
}

TEST(Links, DetectStripAndAnchor)
{
    EXPECT_TRUE(IsURL(QStringLiteral("see http://x.org")));
    EXPECT_TRUE(IsURL(QStringLiteral("mailto:a@b.c")));
    EXPECT_FALSE(IsURL(QStringLiteral("www.x.org")));
    QString u = QStringLiteral("https://host/p");
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("host/p"));
    u = QStringLiteral("mailto:a@b.c");
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("a@b.c"));
    QString out;
    EXPECT_TRUE(InsertURLAnchor(QStringLiteral("go <to> HTTP://x.org/a_b?q now"), QStringLiteral("http://"), out));
    EXPECT_EQ(out, QStringLiteral("go &lt;to&gt; <a href=\"HTTP://x.org/a_b\">HTTP://x.org/a_b</a>?q now"));
    out = QStringLiteral("unchanged");
    EXPECT_FALSE(InsertURLAnchor(QStringLiteral("no link"), QStringLiteral("http://"), out));
    EXPECT_EQ(out, QStringLiteral("unchanged"));
}

TEST(CallerForms, OverloadsInTheExportersArgumentOrder)
{
    EXPECT_EQ(FindUnescapedQuote(QStringLiteral("ab\"\"c\"d")), 6);
    EXPECT_EQ(CountUnescapedQuotes(QStringLiteral("\"a\"")), 2);
    int col = 0, row = 0;
    EXPECT_TRUE(ParseRCReference(QStringLiteral("R7C2"), col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 7);
    QString s = QStringLiteral("a\r\nb"), line;
    ExtractFirstLine(s, false, line);
    EXPECT_EQ(line, QStringLiteral("a\r\nb"));
    EXPECT_TRUE(s.isEmpty());
    s = QStringLiteral("a\r\nb");
    ExtractFirstLine(s, true, line);
    EXPECT_EQ(line, QStringLiteral("a"));
    EXPECT_EQ(s, QStringLiteral("b"));
}
