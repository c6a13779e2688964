// Markup helpers: plain text, highlighting, entities and CONTROL elements.
#include "grid/base/Canvas.h"
#include "grid/base/MarkupHelpers.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
QString L(const char *s) { return QString::fromUtf8(s); }
} // namespace

TEST(MarkupHelpers, StripAndVisibleText)
{
    const struct {
        const char *in, *stripped, *visible;
    } cases[] = {
        {"a<B>b</B><BR>c", "ab\r\nc", "abc"},
        {"x<y", "x<y", "x<y"},
        {"<hr>x<br>", "\r\nx\r\n", "x"},
        {"a>b<i>c</i>", "a>bc", "a>b<i>c</i>"},
        {"&lt;b&gt;", "&lt;b&gt;", "&lt;b&gt;"},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(StripMarkup(L(c.in)), L(c.stripped)) << c.in;
        EXPECT_EQ(MarkupVisibleText(L(c.in)), L(c.visible)) << c.in;
    }
}

TEST(MarkupHelpers, VisibleCharIndexSkipsTags)
{
    const QString t = L("a<B>b</B>c");
    EXPECT_EQ(VisibleCharIndex(t, 1), 1);
    EXPECT_EQ(VisibleCharIndex(t, 2), 2);   // the '<' of <B>: a tag inserted here comes before it
    EXPECT_EQ(VisibleCharIndex(t, 3), 6);   // the '<' of </B>
    EXPECT_EQ(VisibleCharIndex(t, 4), 11);  // length + 1
    EXPECT_EQ(VisibleCharIndex(t, 5), 0);
    EXPECT_EQ(VisibleCharIndex(t, 0), 0);
    EXPECT_EQ(VisibleCharIndex(L("x<y"), 3), 3);
}

TEST(MarkupHelpers, HighlightAndUnhighlight)
{
    const struct {
        const char *text, *search, *tag;
        bool caseSensitive;
        const char *out;
    } cases[] = {
        {"abc abc", "bc", "hi", true, "a<hi>bc</hi> a<hi>bc</hi>"},
        {"x <B>abc</B>", "bc", "hi", true, "x <B>a<hi>bc</hi></B>"},
        {"a<B>b</B>c", "bc", "hi", true, "a<hi><B>b</B>c</hi>"},
        {"abab", "ab", "hi", true, "<hi>ab</hi>ab"},
        {"1 < 2", "2", "hi", true, "1 &lt; <hi>2</hi>"},
        {"ABC", "b", "hi", false, "A<hi>B</hi>C"},
        {"ABC", "b", "hi", true, "ABC"},
        {"abc", "", "hi", true, "abc"},
        {"a > b > c", "b", "HI", true, "a &gt; <HI>b</HI> &gt; c"},
        // Found only without regard to case: stray brackets are escaped all the same.
        {">B>x", "b", "hi", false, "&gt;<hi>B</hi>&gt;x"},
        // Tags before a stray bracket survive the escaping.
        {"<B>x</B> 1<2", "2", "hi", true, "<B>x</B> 1&lt;<hi>2</hi>"},
        // A search text that only occurs inside a tag changes nothing.
        {"<B>x</B> 1<2", "B", "hi", true, "<B>x</B> 1<2"},
    };
    for (const auto &c : cases) {
        const QString h = HighlightMarkupText(L(c.text), L(c.search), L(c.tag), c.caseSensitive);
        EXPECT_EQ(h, L(c.out)) << c.text;
        // Removing the highlight gives back the original text.
        EXPECT_EQ(UnhighlightMarkupText(h, L(c.tag).toUpper()), L(c.text)) << c.text;
    }
    EXPECT_EQ(UnhighlightMarkupText(L("1 &lt; <hi>2</hi>"), L("HI")), L("1 < 2"));
    // One pass: an escaped "&lt;" is never turned into '<'.
    EXPECT_EQ(UnhighlightMarkupText(L("&amp;lt;<hi>x</hi>&lt;lt;"), L("hi")), L("&amp;lt;x<lt;"));
    // Removing one tag never forms another from its neighbours.
    EXPECT_EQ(UnhighlightMarkupText(L("<</hi>hi>"), L("hi")), L("<hi>"));
    // Tags of other names stay.
    EXPECT_EQ(UnhighlightMarkupText(L("<B><Hi>x</hI></B>"), L("hi")), L("<B>x</B>"));

    SetMarkupHighlightColors(clYellow, clRed);
    EXPECT_EQ(MarkupHighlightColor(), clYellow);
    EXPECT_EQ(MarkupHighlightTextColor(), clRed);
    SetMarkupHighlightColors(clHighlight, clHighlightText);
}

TEST(MarkupHelpers, EscapeInOnePassAndUnescapeOnce)
{
    const struct {
        const char *plain, *escaped;
        bool full;
    } cases[] = {
        {"a&b<c", "a&amp;b&lt;c", false},
        {"a&amp;b&lt;c", "a&amp;amp;b&amp;lt;c", false},   // escaping twice
        {"\"q\" > p", "&quot;q&quot; &gt; p", false},
        {"*amp; stays", "*amp; stays", false},             // no intermediate marker leaks
        {"café", "café", false},
        {"café", "caf&eacute;", true},
        {"x&*amp;", "x&amp;*amp;", true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EscapeHTMLText(L(c.plain), c.full), L(c.escaped)) << c.plain;
        EXPECT_EQ(UnescapeHTMLText(L(c.escaped), c.full), L(c.plain)) << c.escaped;
    }
    EXPECT_EQ(UnescapeHTMLText(L("&lt;b&gt;"), false), L("<b>"));
    EXPECT_EQ(UnescapeHTMLText(L("caf&eacute;"), true), L("café"));
    EXPECT_EQ(UnescapeHTMLText(L("caf&eacute;"), false), L("caf&eacute;"));
    EXPECT_EQ(UnescapeHTMLText(L("&amp;quot;"), false), L("&quot;"));
    EXPECT_EQ(UnescapeHTMLText(L("&amp;eacute;"), true), L("&eacute;"));
}

TEST(MarkupHelpers, EntityTableBothWays)
{
    const struct {
        const char *ch, *entity;
    } table[] = {
        {"é", "&eacute;"}, {"è", "&egrave;"}, {"ë", "&euml;"}, {"ê", "&ecirc;"}, {"ó", "&oacute;"},
        {"ò", "&ograve;"}, {"ö", "&ouml;"}, {"ô", "&ocirc;"}, {"í", "&iacute;"}, {"ì", "&igrave;"},
        {"ï", "&iuml;"}, {"î", "&icirc;"}, {"ú", "&uacute;"}, {"ù", "&ugrave;"}, {"ü", "&uuml;"},
        {"û", "&ucirc;"}, {"á", "&aacute;"}, {"à", "&agrave;"}, {"ä", "&auml;"}, {"â", "&acirc;"},
        {"É", "&Eacute;"}, {"È", "&Egrave;"}, {"Ë", "&Euml;"}, {"Ê", "&Ecirc;"}, {"Ó", "&Oacute;"},
        {"Ò", "&Ograve;"}, {"Ö", "&Ouml;"}, {"Ô", "&Ocirc;"}, {"Í", "&Iacute;"}, {"Ì", "&Igrave;"},
        {"Ï", "&Iuml;"}, {"Î", "&Icirc;"}, {"Ú", "&Uacute;"}, {"Ù", "&Ugrave;"}, {"Ü", "&Uuml;"},
        {"Û", "&Ucirc;"}, {"Á", "&Aacute;"}, {"À", "&Agrave;"}, {"Ä", "&Auml;"}, {"Â", "&Acirc;"},
        {"ç", "&ccedil;"}, {"Ç", "&Ccedil;"}, {"ø", "&oslash;"}, {"Ø", "&Oslash;"}, {"å", "&aring;"},
        {"Å", "&Aring;"}, {"©", "&copy;"}, {"®", "&reg;"}, {"€", "&euro;"}, {"«", "&laquo;"},
        {"»", "&raquo;"},
    };
    EXPECT_EQ(std::size(table), 51u);
    QString all, allEscaped;
    for (const auto &e : table) {
        EXPECT_EQ(EscapeHTMLText(L(e.ch), true), L(e.entity)) << e.entity;
        EXPECT_EQ(UnescapeHTMLText(L(e.entity), true), L(e.ch)) << e.entity;
        all += L(e.ch);
        allEscaped += L(e.entity);
    }
    EXPECT_EQ(EscapeHTMLText(all, true), allEscaped);
    EXPECT_EQ(UnescapeHTMLText(allEscaped, true), all);
}

TEST(MarkupHelpers, SmallTextRoutines)
{
    EXPECT_EQ(SpacesToNbsp(L("a b  c")), L("a&nbsp;b&nbsp;&nbsp;c"));
    EXPECT_EQ(LineBreaksToMarkup(L("a\r\nb\rc\n"), true), L("a<BR>b<BR>c"));
    EXPECT_EQ(LineBreaksToMarkup(L("a\r\nb"), false), L("ab"));
    EXPECT_EQ(UnwrapHashTags(L("x<#1>y<#2>")), L("x#1y#2"));
    QString s = L("One TWO two");
    EXPECT_TRUE(ReplaceFirstNoCase(L("two"), L("2"), s));
    EXPECT_EQ(s, L("One 2 two"));
    EXPECT_FALSE(ReplaceFirstNoCase(L("three"), L("3"), s));
    EXPECT_EQ(PosNoCase(L("bli"), L("<UL><BLINK>")), 6);
    EXPECT_EQ(PosNoCase(L("x"), L("abc")), 0);
    const struct {
        const char *text;
        int value;
        bool ok;
    } ints[] = {{"42", 42, true}, {" -7px", -7, true}, {"+3", 3, true}, {"abc", 0, false}, {"", 0, false},
                {"99999999999", 2147483647, true}};
    for (const auto &i : ints) {
        bool ok = !i.ok;
        EXPECT_EQ(TextToInt(L(i.text), &ok), i.value) << i.text;
        EXPECT_EQ(ok, i.ok) << i.text;
    }
    EXPECT_EQ(MaskWithAsterisks(L("secret")), L("******"));
    EXPECT_TRUE(IsDirectory(testsupport::dataDir()));
    EXPECT_FALSE(IsDirectory(testsupport::dataDir() + L("/pictures/logo.png")));
    EXPECT_FALSE(IsDirectory(QString()));
    // Right-to-left flags only in a right-to-left locale; mode 1 swaps left and right.
    EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 1, false), unsigned(DT_LEFT));
    EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 1, true), unsigned(DT_RIGHT | DT_RTLREADING));
    EXPECT_EQ(BiDiDrawTextFlags(DT_RIGHT, 1, true), unsigned(DT_RTLREADING));
    EXPECT_EQ(BiDiDrawTextFlags(DT_CENTER, 1, true), unsigned(DT_CENTER | DT_RTLREADING));
    EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 2, true), unsigned(DT_RTLREADING));
    EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 0, true), unsigned(DT_LEFT));
}

TEST(MarkupHelpers, ControlTagsAreReadAndRewritten)
{
    const QString cell =
        L("Name: <CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"a &amp; b\" WIDTH=\"80\" MAXLEN=\"12\"> "
          "<control type=\"COMBO\" id=\"c1\" value=\"one\" width=\"60\" prop=\"one,two&quot;\"> "
          "<CONTROL TYPE=\"CHECK\" ID=\"k1\" VALUE=\"TRUE\" WIDTH=\"16\"> "
          "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">"
          "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"true\" WIDTH=\"16\">");
    EXPECT_TRUE(HasControlTag(cell));
    EXPECT_TRUE(HasControlTag(L("<control")));
    EXPECT_FALSE(HasControlTag(L("plain")));

    const ControlTagAttributes a =
        ParseControlTag(L("TYPE=\"edit\" ID=\"e1\" VALUE=\"a &amp; b\" WIDTH=\"80\" HEIGHT=\"30\""));
    EXPECT_EQ(a.type, L("EDIT"));
    EXPECT_EQ(a.id, L("e1"));
    EXPECT_EQ(a.value, L("a & b"));
    EXPECT_EQ(a.width, L("80"));
    EXPECT_EQ(a.height, L("30"));
    EXPECT_TRUE(a.hasHeight);
    EXPECT_FALSE(a.hasProp);
    EXPECT_TRUE(a.maxLen.isEmpty());

    QString v;
    EXPECT_TRUE(GetControlTagValue(cell, L("e1"), v));
    EXPECT_EQ(v, L("a & b"));
    EXPECT_FALSE(GetControlTagValue(cell, L("E1"), v)); // IDs are exact
    EXPECT_EQ(GetControlTagProp(cell, L("c1")), L("one,two\""));
    EXPECT_EQ(GetControlTagProp(cell, L("e1")), QString());
    EXPECT_EQ(GetControlTagMaxLen(cell, L("e1")), 12);
    EXPECT_EQ(GetControlTagMaxLen(cell, L("c1")), 0);

    // Round trip: a new value is written escaped and reads back unchanged.
    QString edited = cell;
    const QString typed = L("say \"hi\" <now> & TYPE=\"x\"");
    EXPECT_TRUE(SetControlTagValue(edited, L("e1"), typed));
    EXPECT_TRUE(edited.contains(L("VALUE=\"say &quot;hi&quot; &lt;now&gt; &amp; TYPE=&quot;x&quot;\"")));
    EXPECT_TRUE(edited.startsWith(L("Name: <CONTROL ID=\"e1\" VALUE=")));
    EXPECT_TRUE(GetControlTagValue(edited, L("e1"), v));
    EXPECT_EQ(v, typed);
    EXPECT_EQ(GetControlTagMaxLen(edited, L("e1")), 12);
    EXPECT_EQ(GetControlTagProp(edited, L("c1")), L("one,two\""));
    EXPECT_TRUE(edited.endsWith(cell.mid(cell.indexOf(L(" <control")))));
    // Writing the old value back gives the same element again (apart from attribute order).
    QString twice = edited;
    EXPECT_TRUE(SetControlTagValue(twice, L("e1"), typed));
    EXPECT_EQ(twice, edited);

    QString unchanged = cell;
    EXPECT_FALSE(SetControlTagValue(unchanged, L("nope"), L("x")));
    EXPECT_EQ(unchanged, cell);

    QString combo = cell;
    EXPECT_TRUE(SetControlTagValue(combo, L("c1"), L("two")));
    EXPECT_TRUE(combo.contains(L("<CONTROL ID=\"c1\" VALUE=\"two\" WIDTH=\"60\" TYPE=\"COMBO\" PROP=\"one,two&quot;\">")));

    QString button = L("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\" HEIGHT=\"40\">");
    EXPECT_TRUE(SetControlTagValue(button, L("b"), L("Stop")));
    EXPECT_EQ(button, L("<CONTROL ID=\"b\" VALUE=\"Stop\" WIDTH=\"50\" TYPE=\"BUTTON\" HEIGHT=\"40\">"));

    const QString reset = ResetRadioControlTags(cell);
    EXPECT_TRUE(GetControlTagValue(reset, L("r1"), v));
    EXPECT_EQ(v, L("FALSE"));
    EXPECT_TRUE(GetControlTagValue(reset, L("r2"), v));
    EXPECT_EQ(v, L("FALSE"));
    EXPECT_TRUE(GetControlTagValue(reset, L("k1"), v));
    EXPECT_EQ(v, L("TRUE"));
    EXPECT_TRUE(reset.startsWith(cell.left(cell.indexOf(L("<CONTROL TYPE=\"RADIO\"")))));
}

TEST(MarkupHelpers, NextEditableControl)
{
    const QString t = L("<CONTROL TYPE=\"BUTTON\" ID=\"b1\" WIDTH=\"10\">"
                        "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"10\">"
                        "<CONTROL TYPE=\"CHECK\" ID=\"c1\" WIDTH=\"10\">"
                        "<CONTROL TYPE=\"EDIT\" ID=\"e2\" WIDTH=\"10\">");
    EXPECT_EQ(NextEditControlID(t, QString()), L("e1"));
    EXPECT_EQ(NextEditControlID(t, L("e1")), L("e2"));
    EXPECT_EQ(NextEditControlID(t, L("b1")), L("e1"));
    EXPECT_EQ(NextEditControlID(t, L("e2")), QString());
    EXPECT_EQ(NextEditControlID(t, L("zz")), QString());
    EXPECT_EQ(NextEditControlID(L("no controls"), QString()), QString());
}
