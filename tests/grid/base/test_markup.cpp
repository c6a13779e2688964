// The cell markup language: tag recognition, attributes, colours, entities and the split
// into text runs and tags.
#include "grid/base/Markup.h"

#include <gtest/gtest.h>

namespace {

QString runsAndTags(const QString &text, bool wordWrap)
{
    QStringList parts;
    for (const MarkupToken &t : TokenizeMarkup(PrepareMarkupText(text), wordWrap))
        parts << (t.isTag ? QLatin1String("T:") : QLatin1String("R:")) + t.text;
    return parts.join(QLatin1Char('|'));
}

} // namespace

TEST(Markup, EveryTagIsRecognisedByItsLetters)
{
    using K = MarkupTagKind;
    const struct {
        const char *tag;
        K kind;
    } cases[] = {
        {"<A HREF=\"x\">", K::Anchor}, {"<a>", K::Anchor},
        {"<B>", K::Bold}, {"<b>", K::Bold}, {"<BR>", K::Break}, {"<br/>", K::Break},
        {"<BLINK>", K::Blink}, {"<BODY BGCOLOR=\"#FF0000\">", K::Body}, {"<BIG>", K::Skip},
        {"<CONTROL TYPE=\"EDIT\">", K::Control}, {"<CX>", K::Control},
        {"<E>", K::Error}, {"<FONT SIZE=\"3\">", K::Font},
        {"<HI>", K::Highlight}, {"<HR>", K::Rule}, {"<H1>", K::Skip},
        {"<I>", K::Italic}, {"<IND X=\"20\">", K::Indent}, {"<IMG SRC=\"a\">", K::Image}, {"<IFRAME>", K::Skip},
        {"<LI>", K::ListItem}, {"<P ALIGN=\"RIGHT\">", K::Paragraph}, {"<R A=\"90\">", K::Rotate},
        {"<S>", K::Strike}, {"<SHAD>", K::Shadow}, {"<SUB>", K::Subscript}, {"<sup>", K::Superscript},
        {"<SUBX>", K::Skip}, {"<SPAN>", K::Skip},
        {"<U>", K::Underline}, {"<UL>", K::List}, {"<Ux>", K::List}, {"<Z>", K::Hidden},
        {"<DIV>", K::Skip}, {"<TABLE>", K::Skip}, {"<!-- x -->", K::Skip}, {"<>", K::Skip},
        {"</A>", K::EndAnchor}, {"</B>", K::EndBold}, {"</BLINK>", K::EndColor}, {"</BODY>", K::EndColor},
        {"</E>", K::EndError}, {"</FONT>", K::EndFont}, {"</HI>", K::EndHighlight}, {"</I>", K::EndItalic},
        {"</LI>", K::EndListItem}, {"</P>", K::EndParagraph}, {"</R>", K::EndRotate},
        {"</SUB>", K::EndSubSup}, {"</SUP>", K::EndSubSup}, {"</SHAD>", K::EndShadow}, {"</S>", K::EndStrike},
        {"</U>", K::EndUnderline}, {"</UL>", K::EndList}, {"</Z>", K::EndHidden}, {"</DIV>", K::Skip},
    };
    for (const auto &c : cases)
        EXPECT_EQ(int(ClassifyMarkupTag(QString::fromLatin1(c.tag))), int(c.kind)) << c.tag;

    for (K k : {K::Break, K::Rule, K::List, K::EndListItem, K::EndParagraph})
        EXPECT_TRUE(MarkupTagEndsLine(k));
    for (K k : {K::Bold, K::ListItem, K::EndList, K::Image})
        EXPECT_FALSE(MarkupTagEndsLine(k));
}

TEST(Markup, AttributesAreFoundWithoutRegardToCaseOutsideQuotedValues)
{
    const struct {
        const char *tag, *name, *value;
        bool found;
    } cases[] = {
        {"<A HREF=\"target\" TITLE=\"Tip\">", "href", "target", true},
        {"<a href=\"Target\" title=\"Tip\">", "TITLE", "Tip", true},
        {"<A HREF=target>", "HREF", "", false},              // unquoted: no usable value
        {"<A TITLE=\"see HREF=\" HREF=\"real\">", "HREF", "real", true},
        {"<FONT BGCOLOR=\"#00FF00\">", " COLOR", "", false}, // " COLOR" does not match BGCOLOR
        {"<FONT BGCOLOR=\"#00FF00\" COLOR=\"#0000FF\">", " COLOR", "#0000FF", true},
        {"<IMG SRC=\"pic\" WIDTH=\"20\">", "HEIGHT", "", false},
    };
    for (const auto &c : cases) {
        bool found = !c.found;
        EXPECT_EQ(MarkupAttribute(QString::fromLatin1(c.tag), QString::fromLatin1(c.name), &found),
                  QString::fromLatin1(c.value))
            << c.tag;
        EXPECT_EQ(found, c.found) << c.tag;
    }
    EXPECT_EQ(MarkupValueAfterLetter(QStringLiteral("<IND X=\"40\">"), QLatin1Char('X')), QStringLiteral("40"));
    EXPECT_EQ(MarkupValueAfterLetter(QStringLiteral("<R a=\"90\">"), QLatin1Char('A')), QStringLiteral("90"));
}

TEST(Markup, ColourNamesAndHexValues)
{
    const struct {
        const char *name;
        TColor value;
    } names[] = {
        {"clred", 0x0000FF},   {"clblack", 0x000000}, {"clblue", 0xFF0000},   {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},  {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},  {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},   {"clolive", 0x008080},
        {"clnavy", 0x800000},  {"clpurple", 0x800080}, {"clteal", 0x808000},   {"clmaroon", 0x000080},
        {"clbackground", 0xFF000001}, {"clactivecaption", 0xFF000002}, {"clinactivecaption", 0xFF000003},
        {"clmenu", 0xFF000004}, {"clwindow", 0xFF000005}, {"clwindowframe", 0xFF000006},
        {"clmenutext", 0xFF000007}, {"clwindowtext", 0xFF000008}, {"clcaptiontext", 0xFF000009},
        {"clactiveborder", 0xFF00000A}, {"clinactiveborder", 0xFF00000B}, {"clappworkspace", 0xFF00000C},
        {"clhighlight", 0xFF00000D}, {"clhighlighttext", 0xFF00000E}, {"clbtnface", 0xFF00000F},
        {"clbtnshadow", 0xFF000010}, {"clgraytext", 0xFF000011}, {"clbtntext", 0xFF000012},
        {"clinactivecaptiontext", 0xFF000013}, {"clbtnhighlight", 0xFF000014}, {"cl3ddkshadow", 0xFF000015},
        {"cl3dlight", 0xFF000016}, {"clinfotext", 0xFF000017}, {"clinfobk", 0xFF000018},
    };
    EXPECT_EQ(std::size(names), 40u);
    for (const auto &n : names)
        EXPECT_EQ(ColorFromName(QString::fromLatin1(n.name)), n.value) << n.name;
    EXPECT_EQ(ColorFromName(QStringLiteral("red")), 0u);

    const struct {
        const char *value;
        TColor color;
    } values[] = {
        {"#ff0000", 0x0000FF}, {"#FF0000", 0x0000FF}, {"#00ff80", 0x80FF00}, {"#123456", 0x563412},
        {"red", 0}, {"clRed", 0x0000FF}, {"CLBTNFACE", 0xFF00000F}, {"#F", 0}, {"", 0},
    };
    for (const auto &v : values)
        EXPECT_EQ(MarkupColorValue(QString::fromLatin1(v.value)), v.color) << v.value;
    // Not-quite-hex digits stay within their own byte.
    EXPECT_EQ(MarkupColorValue(QStringLiteral("#ZZ0000")) & 0xFFFFFF00u, 0u);
    EXPECT_EQ(HexByteValue(QStringLiteral("A")), 0);
    EXPECT_EQ(HexByteValue(QStringLiteral("7F")), 0x7F);
    EXPECT_EQ(MarkupFontSize(3), 12);
    EXPECT_EQ(MarkupFontSize(1), 8);
    EXPECT_EQ(MarkupFontSize(5), 16);
    EXPECT_EQ(MarkupFontSize(20), 20);
}

TEST(Markup, WholeTextPreparation)
{
    const struct {
        const char *in, *out;
    } cases[] = {
        {"a &amp; b", "a && b"},
        {"&QUOT;x&quot;", "\"x\""},
        {"x<#1>y", "x#1y"},
        {"<#a><#b>", "#a#b"},
        {"line1\r\nline2", "line1<BR>line2"},
        {"no entities", "no entities"},
        {"&lt;b&gt;", "&lt;b&gt;"},        // left for the text runs
        {"a &unknown; b", "a &unknown; b"},
        // One pass: an escaped entity stays text, it is not decoded a second time.
        {"&amp;quot;", "&&quot;"},
        {"&amp;amp;", "&&amp;"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrepareMarkupText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;

    const struct {
        const char *entity;
        ushort ch;
    } table[] = {{"&sect;", 0xA7}, {"&permil;", 0x2030}, {"&reg;", 0xAE}, {"&copy;", 0xA9},
                 {"&para;", 0xB6}, {"&trade;", 0x2122}, {"&euro;", 0x20AC}, {"&EURO;", 0x20AC}};
    for (const auto &t : table)
        EXPECT_EQ(PrepareMarkupText(QString::fromLatin1(t.entity)), QString(QChar(t.ch))) << t.entity;
}

TEST(Markup, RunEntitiesDecodeOnceAndKeepShownAmpersands)
{
    EXPECT_EQ(DecodeRunEntities(QStringLiteral("a&nbsp;b&LT;c&gt;")), QStringLiteral("a b<c>"));
    EXPECT_EQ(DecodeRunEntities(QStringLiteral("&&lt;")), QStringLiteral("&&lt;"));
    EXPECT_EQ(DecodeRunEntities(QStringLiteral("&copy;")), QStringLiteral("&copy;"));
    EXPECT_EQ(DecodeRunEntities(QStringLiteral("&lt;lt;")), QStringLiteral("<lt;"));
}

TEST(Markup, TextIsSplitIntoRunsAndTags)
{
    const struct {
        const char *text;
        bool wrap;
        const char *parts;
    } cases[] = {
        {"one two<B>three</B>", true, "R:one |R:two|T:<B>|R:three|T:</B>"},
        {"one two<B>three</B>", false, "R:one two|T:<B>|R:three|T:</B>"},
        {"a b", true, "R:a |R:b"},
        {"abc<B", true, "R:abc"},               // unterminated tag drops the rest
        {"abc<", true, "R:abc"},
        {"abc<x", true, "R:abc"},
        {"abc<xy>", true, "R:abc|T:<xy>"},
        {"x > y", false, "R:x > y"},
        {"<DIV>text</DIV>", true, "T:<DIV>|R:text|T:</DIV>"},
        {"", true, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runsAndTags(QString::fromLatin1(c.text), c.wrap), QString::fromLatin1(c.parts)) << c.text;
}
