// The markup renderer: layout, drawing and hit tests, on the recording canvas (fixed
// metrics: 7 pixels per character, 13 per line) and with pixel probes on a real one.
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"
#include "tests/support/TestSupport.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QString L(const char *s) { return QString::fromUtf8(s); }

struct Drawn {
    TRecordingCanvas canvas;
    TMarkupDrawResult result;
    bool hit = false;
};

Drawn render(const QString &text, TRect bounds = {0, 0, 300, 200}, TMarkupDrawParams p = {})
{
    Drawn r;
    r.canvas.Font.Color = clBlack;
    r.hit = DrawMarkupText(r.canvas, text, bounds, p, r.result);
    return r;
}

const TCanvasOp *textOp(const TRecordingCanvas &c, const QString &text)
{
    for (const auto &op : c.Ops)
        if (op.kind == TCanvasOp::Text && op.text == text)
            return &op;
    return nullptr;
}
const TCanvasOp *textOp(const Drawn &r, const QString &text) { return textOp(r.canvas, text); }

QString picturePath(const char *name)
{
    return testsupport::dataDir() + QLatin1String("/pictures/") + QLatin1String(name);
}

} // namespace

TEST(MarkupRenderer, EmptyTextAndPlainMeasure)
{
    TMarkupDrawParams m;
    m.measureOnly = true;
    Drawn e = render(QString(), {0, 0, 100, 100}, m);
    EXPECT_EQ(e.result.textHeight, 13);
    EXPECT_EQ(e.result.textWidth, 0);
    EXPECT_EQ(e.result.linkCount, 0);
    EXPECT_FALSE(e.hit);

    Drawn r = render(L("Hello"), {0, 0, 100, 100}, m);
    EXPECT_EQ(r.result.textWidth, 35);
    EXPECT_EQ(r.result.textHeight, 13);
    EXPECT_EQ(r.result.plainText, L("Hello"));
    EXPECT_EQ(r.canvas.Count(TCanvasOp::Text), 0); // measuring draws nothing
}

TEST(MarkupRenderer, FontStylesColoursAndSizes)
{
    Drawn r = render(L("<B>b</B><I>i</I><U>u</U><S>s</S>n"));
    const struct {
        const char *text;
        TFontStyle style;
    } styles[] = {{"b", fsBold}, {"i", fsItalic}, {"u", fsUnderline}, {"s", fsStrikeOut}};
    for (const auto &s : styles) {
        const TCanvasOp *op = textOp(r, L(s.text));
        ASSERT_TRUE(op) << s.text;
        EXPECT_TRUE(op->font.Style.Contains(s.style)) << s.text;
        EXPECT_EQ(op->font.Style, TFontStyles{s.style}) << s.text;
    }
    EXPECT_TRUE(textOp(r, L("n"))->font.Style.IsEmpty());

    const struct {
        const char *markup;
        TColor color;
        int size;
        const char *face;
    } fonts[] = {
        {"<FONT COLOR=\"#ff0000\">t</FONT>x", clRed, 8, "Tahoma"},
        {"<FONT COLOR=\"#FF0000\">t</FONT>x", clRed, 8, "Tahoma"},
        {"<FONT COLOR=\"red\">t</FONT>x", clBlack, 8, "Tahoma"},
        {"<FONT COLOR=\"clRed\">t</FONT>x", clRed, 8, "Tahoma"},
        {"<FONT BGCOLOR=\"clYellow\" COLOR=\"clBlue\">t</FONT>x", clBlue, 8, "Tahoma"},
        {"<FONT SIZE=\"3\">t</FONT>x", clBlack, 12, "Tahoma"},
        {"<FONT SIZE=\"20\">t</FONT>x", clBlack, 20, "Tahoma"},
        {"<font face=\"Courier New\">t</font>x", clBlack, 8, "COURIER NEW"},
    };
    for (const auto &f : fonts) {
        Drawn fr = render(L(f.markup));
        const TCanvasOp *t = textOp(fr, L("t"));
        ASSERT_TRUE(t) << f.markup;
        EXPECT_EQ(t->font.Color, f.color) << f.markup;
        EXPECT_EQ(t->font.Size, f.size) << f.markup;
        EXPECT_EQ(t->font.Name, L(f.face)) << f.markup;
        const TCanvasOp *x = textOp(fr, L("x"));
        ASSERT_TRUE(x);
        EXPECT_EQ(x->font.Color, clBlack) << f.markup;   // </FONT> restores the base font
        EXPECT_EQ(x->font.Size, 8) << f.markup;
        EXPECT_EQ(x->font.Name, L("Tahoma")) << f.markup;
    }

    // Tags do not nest structurally: a closing tag restores a fixed value.
    Drawn nest = render(L("<B><I>bi</I>b</B><FONT COLOR=\"clRed\"><FONT COLOR=\"clBlue\">x</FONT>y</FONT>"));
    EXPECT_EQ(textOp(nest, L("bi"))->font.Style, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(textOp(nest, L("b"))->font.Style, (TFontStyles{fsBold}));
    EXPECT_EQ(textOp(nest, L("x"))->font.Color, clBlue);
    EXPECT_EQ(textOp(nest, L("y"))->font.Color, clBlack); // not back to red
    Drawn under = render(L("<UL><U>u</UL>v"));
    EXPECT_TRUE(textOp(under, L("v"))->font.Style.Contains(fsUnderline)); // </UL> at level 1 only ends the list

    // A selected cell keeps its own text colour.
    TMarkupDrawParams sel;
    sel.selected = true;
    Drawn s = render(L("<FONT COLOR=\"clRed\">t</FONT>"), {0, 0, 300, 200}, sel);
    EXPECT_EQ(textOp(s, L("t"))->font.Color, clBlack);

    // Text background: filled behind the run in the FONT BGCOLOR.
    Drawn bg = render(L("<FONT BGCOLOR=\"clYellow\">t</FONT>x"));
    const auto fills = bg.canvas.OfKind(TCanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].brush.Color, clYellow);
    EXPECT_EQ(fills[0].rect.Width(), 7);

    // Canvas state comes back as it was.
    EXPECT_EQ(bg.canvas.Font.Color, clBlack);
    EXPECT_EQ(bg.canvas.Font.Size, 8);
    EXPECT_EQ(bg.canvas.Brush, TBrush{});
}

TEST(MarkupRenderer, EntitiesHashTagsAndLineBreaks)
{
    Drawn r = render(L("a &amp; b x<#1>y"), {0, 0, 300, 100});
    EXPECT_TRUE(r.canvas.Texts().contains(L("&& "))); // drawn with prefix processing: one '&'
    EXPECT_TRUE(r.canvas.Texts().contains(L("x#1y")));

    Drawn lines = render(L("line1\r\nline2"));
    ASSERT_TRUE(textOp(lines, L("line1")) && textOp(lines, L("line2")));
    EXPECT_EQ(textOp(lines, L("line2"))->rect.Top, textOp(lines, L("line1"))->rect.Top + 13);
    EXPECT_EQ(lines.result.textHeight, 26);
    EXPECT_EQ(lines.result.plainText, L("line1\rline2"));

    Drawn lt = render(L("&lt;b&gt; &amp;lt;"));
    EXPECT_TRUE(lt.canvas.Texts().contains(L("<b> ")));
    EXPECT_TRUE(lt.canvas.Texts().contains(L("&&lt;"))); // an escaped entity stays text

    Drawn cut = render(L("abc<B"));
    EXPECT_EQ(cut.canvas.Texts(), QStringList{L("abc")});
    Drawn div = render(L("<DIV>text</DIV>"));
    EXPECT_EQ(div.canvas.Texts(), QStringList{L("text")});
}

TEST(MarkupRenderer, WordWrapAndEllipsis)
{
    // Working width 59: "aaa " + "bbb " = 56 fit, "ccc" goes to the next line.
    Drawn r = render(L("aaa bbb ccc"), {0, 0, 60, 200});
    ASSERT_EQ(r.canvas.Texts(), (QStringList{L("aaa "), L("bbb "), L("ccc")}));
    const TCanvasOp *c = textOp(r, L("ccc"));
    EXPECT_EQ(c->rect.Left, 1);
    EXPECT_EQ(r.result.textHeight, 26);
    EXPECT_EQ(r.result.textWidth, 49); // the trailing blank does not count
    EXPECT_FALSE(textOp(r, L("aaa "))->flags & DT_END_ELLIPSIS);

    // A word wider than the line stays on it.
    Drawn wide = render(L("a verylongword"), {0, 0, 50, 200});
    EXPECT_EQ(wide.result.textHeight, 13);

    // Without word wrap the overflowing run is cut with an ellipsis and the rest is dropped.
    TMarkupDrawParams nw;
    nw.wordWrap = false;
    Drawn n = render(L("aaa bbb <B>ccc ddd</B>eee"), {0, 0, 60, 200}, nw);
    EXPECT_EQ(n.canvas.Texts(), (QStringList{L("aaa bbb "), L("ccc ddd")}));
    // A run that continues a word (no blank before it) stays and keeps the rest.
    Drawn joined = render(L("aaa bbb<B>ccc ddd</B>eee"), {0, 0, 60, 200}, nw);
    EXPECT_EQ(joined.canvas.Texts().size(), 3);
    EXPECT_TRUE(textOp(n, L("ccc ddd"))->flags & DT_END_ELLIPSIS);
    EXPECT_EQ(textOp(n, L("ccc ddd"))->rect.Right, 60);
    EXPECT_EQ(n.result.textHeight, 13);

    // Drawing stops when the next line would pass the bottom; measuring goes on.
    Drawn clipped = render(L("a<BR>b<BR>c<BR>d"), {0, 0, 100, 30});
    EXPECT_EQ(clipped.canvas.Texts(), (QStringList{L("a"), L("b")}));
    TMarkupDrawParams m;
    m.measureOnly = true;
    Drawn all = render(L("a<BR>b<BR>c<BR>d"), {0, 0, 100, 30}, m);
    EXPECT_EQ(all.result.textHeight, 52);
}

TEST(MarkupRenderer, AnchorsHitTestsAndLinkStyle)
{
    const QString text = L("a <A HREF=\"x\" TITLE=\"tip\">link</A> b");
    // "a " at 1..15, "link" at 15..43, " " and "b" after it.
    TMarkupDrawParams p;
    p.hitTestOnly = true;
    p.hitX = 25;
    p.hitY = 6;
    Drawn on = render(text, {0, 0, 300, 100}, p);
    EXPECT_TRUE(on.hit);
    EXPECT_EQ(on.result.hitAnchor, L("x"));
    EXPECT_EQ(on.result.hitTitle, L("tip"));
    EXPECT_EQ(on.result.hitLink, 1);
    EXPECT_EQ(on.result.linkCount, 1);
    EXPECT_EQ(on.result.hitLinkRect, (TRect{15, 0, 43, 13}));
    EXPECT_EQ(on.canvas.Count(TCanvasOp::Text), 0); // hit testing draws nothing

    p.hitX = 53;
    Drawn off = render(text, {0, 0, 300, 100}, p);
    EXPECT_FALSE(off.hit);
    EXPECT_EQ(off.result.hitLink, -1);

    p.hitX = 25;
    p.hitY = 40; // below the text
    EXPECT_FALSE(render(text, {0, 0, 300, 100}, p).hit);

    // A point below the link's line is not over the link, also while drawing (hover).
    TMarkupDrawParams below;
    below.hitX = 20;
    below.hitY = 18;
    Drawn under = render(L("<A HREF=\"x\">link</A><BR>text"), {0, 0, 300, 100}, below);
    EXPECT_EQ(under.result.hitLink, -1);
    EXPECT_TRUE(under.result.hitAnchor.isEmpty());
    below.hitY = 6;
    Drawn over = render(L("<A HREF=\"x\">link</A><BR>text"), {0, 0, 300, 100}, below);
    EXPECT_EQ(over.result.hitLink, 1);
    EXPECT_EQ(over.result.hitLinkRect, (TRect{1, 0, 29, 13}));

    // The hit follows the aligned line: a right-aligned link is found where it is drawn.
    TMarkupDrawParams ra = p;
    ra.hitX = 90;
    ra.hitY = 6;
    Drawn aligned = render(L("<P ALIGN=\"RIGHT\"><A HREF=\"r\">link</A>"), {0, 0, 100, 100}, ra);
    EXPECT_TRUE(aligned.hit);
    EXPECT_EQ(aligned.result.hitAnchor, L("r"));
    ra.hitX = 10;
    EXPECT_FALSE(render(L("<P ALIGN=\"RIGHT\"><A HREF=\"r\">link</A>"), {0, 0, 100, 100}, ra).hit);

    TMarkupDrawParams measure = p;
    measure.measureOnly = true;
    EXPECT_FALSE(render(text, {0, 0, 300, 100}, measure).hit);

    // Drawing: link colour and underline, back to the base font after </A>.
    TMarkupDrawParams d;
    d.linkColor = clGreen;
    Drawn drawn = render(text, {0, 0, 300, 100}, d);
    const TCanvasOp *link = textOp(drawn, L("link"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->font.Color, clGreen);
    EXPECT_TRUE(link->font.Style.Contains(fsUnderline));
    EXPECT_EQ(textOp(drawn, L("b"))->font.Color, clBlack);
    EXPECT_FALSE(textOp(drawn, L("b"))->font.Style.Contains(fsUnderline));

    // Hover styling only for the hovered link.
    TMarkupDrawParams h;
    h.hoverOnly = true;
    h.hoverLink = 2;
    h.hoverTextColor = clRed;
    h.hoverBackColor = clYellow;
    Drawn hover = render(L("<A HREF=\"1\">one</A> <A HREF=\"2\">two</A>"), {0, 0, 300, 100}, h);
    EXPECT_FALSE(textOp(hover, L("one"))->font.Style.Contains(fsUnderline));
    EXPECT_EQ(textOp(hover, L("one"))->font.Color, clBlue);
    EXPECT_TRUE(textOp(hover, L("two"))->font.Style.Contains(fsUnderline));
    EXPECT_EQ(textOp(hover, L("two"))->font.Color, clRed);
    const auto fills = hover.canvas.OfKind(TCanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].brush.Color, clYellow);
    EXPECT_EQ(hover.result.linkCount, 2);
}

TEST(MarkupRenderer, FocusRectangleOnEveryLineOfTheLink)
{
    TMarkupDrawParams p;
    p.focusLink = 0;
    Drawn r = render(L("<A HREF=\"f\">one two</A>"), {0, 0, 40, 100}, p);
    const auto frames = r.canvas.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(frames.size(), 2u);
    for (const auto &f : frames) {
        EXPECT_EQ(f.pen.Style, psDot);
        EXPECT_EQ(f.brush.Style, bsClear);
    }
    EXPECT_LT(frames[0].rect.Top, frames[1].rect.Top);
    EXPECT_EQ(r.result.focusedAnchor, L("f"));
}

TEST(MarkupRenderer, ParagraphsListsAndRules)
{
    Drawn right = render(L("<P ALIGN=\"RIGHT\">abc<BR>de"), {0, 0, 100, 100});
    EXPECT_EQ(textOp(right, L("abc"))->rect.Left, 100 - 21);
    EXPECT_EQ(textOp(right, L("de"))->rect.Left, 100 - 14); // alignment stays
    Drawn center = render(L("<P ALIGN=\"CENTER\">abcd</P>x"), {0, 0, 101, 100});
    EXPECT_EQ(textOp(center, L("abcd"))->rect.Left, 1 + (100 - 28) / 2);
    Drawn indent = render(L("<P INDENT=\"20\">abc"), {0, 0, 100, 100});
    EXPECT_EQ(textOp(indent, L("abc"))->rect.Left, 21);

    // <P BGCOLOR> fills the line across the whole rectangle, and each following line.
    Drawn para = render(L("<P BGCOLOR=\"clAqua\">a<BR>b</P>c"), {0, 0, 100, 100});
    const auto fills = para.canvas.OfKind(TCanvasOp::FillRect);
    int wide = 0;
    for (const auto &f : fills)
        if (f.rect.Left == 0 && f.rect.Right == 100 && f.brush.Color == clAqua)
            ++wide;
    EXPECT_EQ(wide, 2);

    Drawn list = render(L("<UL><LI>one</LI><LI>two</LI></UL>"));
    // An empty line from <UL>, two items, and the closing </UL> on a line of its own.
    EXPECT_EQ(list.result.textHeight, 52);
    ASSERT_TRUE(textOp(list, L("one")) && textOp(list, L("two")));
    EXPECT_EQ(textOp(list, L("one"))->rect.Left, 1 + 12);
    EXPECT_EQ(textOp(list, L("two"))->rect.Top, textOp(list, L("one"))->rect.Top + 13);
    EXPECT_EQ(list.canvas.Texts().count(QString(QChar(0x2022))), 2);

    Drawn two = render(L("<UL><LI>a<LI>b</UL>"));
    EXPECT_EQ(two.result.textHeight, 39);

    Drawn nested = render(L("<UL><UL><LI>x</UL></UL>"));
    EXPECT_EQ(textOp(nested, L("x"))->rect.Left, 1 + 24);
    EXPECT_TRUE(nested.canvas.Texts().contains(L("o")));

    Drawn hr = render(L("above<HR>below"), {0, 0, 100, 100});
    const auto lines = hr.canvas.OfKind(TCanvasOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].Y, 13);
    EXPECT_EQ(lines[0].pen.Color, clBlack);

    Drawn ind = render(L("ab<IND X=\"40\">c"));
    EXPECT_EQ(textOp(ind, L("c"))->rect.Left, 41);
}

TEST(MarkupRenderer, SubscriptSuperscriptHiddenShadowErrorBlinkHighlight)
{
    Drawn sub = render(L("H<SUB>2</SUB>O"));
    EXPECT_EQ(sub.result.textHeight, 13 + 13 / 4);
    EXPECT_GT(textOp(sub, L("2"))->rect.Bottom, textOp(sub, L("O"))->rect.Bottom);
    Drawn sup = render(L("x<SUP>2</SUP>y"));
    EXPECT_LT(textOp(sup, L("2"))->rect.Bottom, textOp(sup, L("y"))->rect.Bottom);
    Drawn ended = render(L("a<SUB>b</SUP>c"));
    EXPECT_EQ(textOp(ended, L("c"))->rect.Bottom, textOp(ended, L("a"))->rect.Bottom);

    Drawn hidden = render(L("<Z>secret</Z>shown"));
    EXPECT_EQ(hidden.canvas.Texts(), QStringList{L("shown")});
    EXPECT_EQ(hidden.result.plainText, L("secretshown"));
    EXPECT_EQ(textOp(hidden, L("shown"))->rect.Left, 1);

    TMarkupDrawParams sp;
    sp.shadowOffset = 2;
    sp.shadowColor = clGray;
    Drawn shad = render(L("<SHAD>s</SHAD>"), {0, 0, 100, 100}, sp);
    ASSERT_EQ(shad.canvas.Texts(), (QStringList{L("s"), L("s")}));
    EXPECT_EQ(shad.canvas.Ops[0].font.Color, clGray);
    EXPECT_EQ(shad.canvas.Ops[0].rect.Left, shad.canvas.Ops[1].rect.Left + 2);
    EXPECT_EQ(shad.canvas.Ops[1].font.Color, clBlack);

    Drawn err = render(L("<E>wrong</E>"));
    const auto zig = err.canvas.OfKind(TCanvasOp::Line);
    ASSERT_GE(zig.size(), 10u);
    for (const auto &l : zig)
        EXPECT_EQ(l.pen.Color, clRed);
    EXPECT_NE(zig[0].points[1].Y, zig[1].points[1].Y); // a zigzag

    TMarkupDrawParams blink;
    blink.blinkVisible = false;
    TMarkupDrawResult res;
    TRecordingCanvas c;
    c.Font.Color = clBlack;
    c.Brush.Color = clWhite;
    DrawMarkupText(c, L("<BLINK>b</BLINK>x"), {0, 0, 100, 100}, blink, res);
    EXPECT_EQ(textOp(c, L("b"))->font.Color, clWhite);

    SetMarkupHighlightColors(clNavy, clYellow);
    Drawn ends = render(L("<FONT COLOR=\"clRed\">a</BODY>b"));
    EXPECT_EQ(textOp(ends, L("b"))->font.Color, clBlack);

    Drawn hi = render(L("<HI>h</HI>n"));
    EXPECT_EQ(textOp(hi, L("h"))->font.Color, clYellow);
    EXPECT_EQ(textOp(hi, L("n"))->font.Color, clBlack);
    ASSERT_EQ(hi.canvas.Count(TCanvasOp::FillRect), 1);
    EXPECT_EQ(hi.canvas.OfKind(TCanvasOp::FillRect)[0].brush.Color, clNavy);
    SetMarkupHighlightColors(clHighlight, clHighlightText);

    Drawn rot = render(L("<R A=\"90\">up</R>flat"));
    EXPECT_EQ(textOp(rot, L("up"))->font.Orientation, 900);
    EXPECT_EQ(textOp(rot, L("flat"))->font.Orientation, 0);
    Drawn noRot = render(L("</R>x"));
    EXPECT_EQ(textOp(noRot, L("x"))->font.Orientation, 0);
}

TEST(MarkupRenderer, ControlElements)
{
    Drawn none = render(L("a<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"x\">b"));
    EXPECT_EQ(textOp(none, L("b"))->rect.Left, 8); // no WIDTH: no room taken

    Drawn check = render(L("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"16\">x"));
    EXPECT_EQ(check.canvas.Count(TCanvasOp::Polyline), 1); // the tick
    EXPECT_EQ(textOp(check, L("x"))->rect.Left, 17);
    Drawn unchecked = render(L("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"no\" WIDTH=\"16\">"));
    EXPECT_EQ(unchecked.canvas.Count(TCanvasOp::Polyline), 0);
    Drawn radio = render(L("<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"16\">"));
    EXPECT_EQ(radio.canvas.Count(TCanvasOp::Ellipse), 2);

    Drawn edit = render(L("<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"60\">"));
    EXPECT_TRUE(edit.canvas.Texts().contains(L("***")));
    const auto frame = edit.canvas.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].brush.Color, clWhite);
    EXPECT_EQ(frame[0].rect.Width(), 60);
    EXPECT_EQ(frame[0].pen.Color, TColor(0x808080));

    Drawn combo = render(L("<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"one\" WIDTH=\"80\" PROP=\"one,two\">"));
    EXPECT_TRUE(combo.canvas.Texts().contains(L("one")));
    EXPECT_EQ(combo.canvas.Count(TCanvasOp::Polygon), 1); // the drop-down arrow

    Drawn button = render(L("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\">"));
    EXPECT_TRUE(button.canvas.Texts().contains(L("Go")));

    // Hit test: the element under the point, and with hitTestOnly the one with the given ID.
    const QString text = L("Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"v1\" WIDTH=\"60\"> "
                           "<CONTROL TYPE=\"CHECK\" ID=\"k1\" VALUE=\"TRUE\" WIDTH=\"16\">");
    TMarkupDrawParams p;
    p.hitTestOnly = true;
    p.hitX = 1 + 35 + 10;
    p.hitY = 10;
    Drawn hit = render(text, {0, 0, 300, 100}, p);
    EXPECT_TRUE(hit.hit);
    EXPECT_EQ(hit.result.hitAnchor, L("ctrl"));
    EXPECT_EQ(hit.result.controlId, L("e1"));
    EXPECT_EQ(hit.result.controlType, L("EDIT"));
    EXPECT_EQ(hit.result.controlValue, L("v1"));
    EXPECT_EQ(hit.result.controlRect.Left, 36);
    EXPECT_EQ(hit.result.controlRect.Width(), 60);

    p.hitX = 1 + 35 + 60 + 7 + 8;
    Drawn hitCheck = render(text, {0, 0, 300, 100}, p);
    EXPECT_TRUE(hitCheck.hit);
    EXPECT_EQ(hitCheck.result.controlId, L("k1"));
    EXPECT_EQ(hitCheck.result.controlType, L("CHECK"));

    TMarkupDrawParams byId;
    byId.hitTestOnly = true;
    Drawn find;
    find.canvas.Font.Color = clBlack;
    find.result.controlId = L("k1");
    EXPECT_TRUE(DrawMarkupText(find.canvas, text, {0, 0, 300, 100}, byId, find.result));
    EXPECT_EQ(find.result.controlValue, L("TRUE"));

    p.hitX = 3; // on "Name"
    Drawn miss = render(text, {0, 0, 300, 100}, p);
    EXPECT_FALSE(miss.hit);
    EXPECT_TRUE(miss.result.controlId.isEmpty());
    EXPECT_EQ(miss.result.controlRect, TRect{});
}

TEST(MarkupRenderer, PicturesFromContainerCacheAndImageList)
{
    TPictureContainer container;
    TPictureItem *item = container.Items().Add();
    item->Name = L("Logo");
    item->Picture().LoadFromFile(picturePath("logo.png"));
    ASSERT_FALSE(item->Picture().Empty());
    THTMLPictureCache cache;
    TMarkupImageList images;
    images.Images.assign(3, QImage(16, 16, QImage::Format_ARGB32));

    TMarkupDrawParams p;
    p.pictureContainer = &container;
    p.pictureCache = &cache;
    p.imageList = &images;

    Drawn named = render(L("a<IMG SRC=\"logo\">b"), {0, 0, 300, 100}, p);
    const auto imgs = named.canvas.OfKind(TCanvasOp::Image);
    ASSERT_EQ(imgs.size(), 1u);
    EXPECT_EQ(imgs[0].rect, (TRect{8, 0, 20, 7}));
    EXPECT_EQ(textOp(named, L("b"))->rect.Left, 20);

    Drawn sized = render(L("<IMG SRC=\"LOGO\" WIDTH=\"24\">"), {0, 0, 300, 100}, p);
    ASSERT_EQ(sized.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(sized.canvas.OfKind(TCanvasOp::Image)[0].rect, (TRect{1, 0, 25, 14}));
    EXPECT_EQ(sized.result.textHeight, 14);

    Drawn missing = render(L("a<IMG SRC=\"nothing\">b"), {0, 0, 300, 100}, p);
    EXPECT_EQ(missing.canvas.Count(TCanvasOp::Image), 0);
    EXPECT_EQ(textOp(missing, L("b"))->rect.Left, 8);

    Drawn idx = render(L("<IMG SRC=\"IDX:1\"><IMG SRC=\"IDX:5\">x"), {0, 0, 300, 100}, p);
    ASSERT_EQ(idx.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(textOp(idx, L("x"))->rect.Left, 17);

    TMarkupDrawParams print = p;
    print.printing = true;
    print.printScale = 2.0;
    Drawn printed = render(L("<IMG SRC=\"IDX:0\">"), {0, 0, 300, 100}, print);
    ASSERT_EQ(printed.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(printed.canvas.OfKind(TCanvasOp::Image)[0].rect.Width(), 32);

    // System icons: small for a path, large for an index.
    Drawn icons = render(L("<IMG SRC=\"SSYS:/tmp\"><IMG SRC=\"LSYS:3\">x"), {0, 0, 300, 100}, p);
    const auto iconOps = icons.canvas.OfKind(TCanvasOp::Image);
    ASSERT_EQ(iconOps.size(), 2u);
    EXPECT_EQ(iconOps[0].rect.Width(), 16);
    EXPECT_EQ(iconOps[1].rect.Width(), 32);
    EXPECT_EQ(textOp(icons, L("x"))->rect.Left, 1 + 48);

    // Huge sizes in the text stay bounded (no overflow).
    Drawn huge = render(L("<IND X=\"99999999999\">a<IMG SRC=\"logo\" WIDTH=\"2147483647\">"
                          "<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"2147483647\"><FONT SIZE=\"99999\">b"),
                        {0, 0, 300, 100}, p);
    EXPECT_GT(huge.result.textWidth, 0);

    const QString url = QLatin1String("file://") + picturePath("photo.jpg");
    Drawn byUrl = render(L("<IMG SRC=\"") + url + L("\">"), {0, 0, 300, 100}, p);
    ASSERT_EQ(byUrl.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(byUrl.canvas.OfKind(TCanvasOp::Image)[0].rect.Width(), 16);
    EXPECT_EQ(cache.Count(), 1);
    render(L("<IMG SRC=\"") + url + L("\">"), {0, 0, 300, 100}, p);
    EXPECT_EQ(cache.Count(), 1); // found again, not loaded twice
    render(L("<IMG SRC=\"http://127.0.0.1/none.png\">"), {0, 0, 300, 100}, p);
    EXPECT_EQ(cache.Count(), 2); // kept empty, so it is not tried again

    // Animated GIF: the current frame at its offset within the largest frame.
    TPictureItem *anim = container.Items().Add();
    anim->Name = L("anim");
    anim->Picture().LoadFromFile(picturePath("anim3.gif"));
    anim->Picture().SetFrame(2);
    Drawn gif = render(L("<IMG SRC=\"anim\">x"), {0, 0, 300, 100}, p);
    ASSERT_EQ(gif.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(gif.canvas.OfKind(TCanvasOp::Image)[0].rect, (TRect{1 + 2, 1, 1 + 2 + 4, 1 + 3}));
    EXPECT_EQ(textOp(gif, L("x"))->rect.Left, 9); // the animation's full width

    // A picture inside a link is a hit; its ALT picture is drawn while hovered.
    TPictureItem *alt = container.Items().Add();
    alt->Name = L("hot");
    alt->Picture().LoadFromFile(picturePath("photo.jpg"));
    TMarkupDrawParams h = p;
    h.hitX = 5;
    h.hitY = 3;
    Drawn hover = render(L("<A HREF=\"pic\"><IMG SRC=\"logo\" ALT=\"hot\"></A>"), {0, 0, 300, 100}, h);
    EXPECT_TRUE(hover.hit);
    EXPECT_EQ(hover.result.hitAnchor, L("pic"));
    ASSERT_EQ(hover.canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(hover.canvas.OfKind(TCanvasOp::Image)[0].rect.Width(), 16); // the ALT picture

    // ALIGN raises the text of the line: TOP to the picture's top, MIDDLE half way.
    const struct {
        const char *align;
        int bottom;
    } aligns[] = {{"", 30}, {" ALIGN=\"TOP\"", 13}, {" ALIGN=\"middle\"", 22}};
    for (const auto &a : aligns) {
        Drawn al = render(L("<IMG SRC=\"logo\" HEIGHT=\"30\"") + L(a.align) + L(">x"), {0, 0, 300, 100}, p);
        EXPECT_EQ(al.result.textHeight, 30) << a.align;
        EXPECT_EQ(textOp(al, L("x"))->rect.Bottom, a.bottom) << a.align;
    }

    // A picture that does not fit on the rest of the line starts the next one.
    Drawn wrap = render(L("abcd<IMG SRC=\"logo\">"), {0, 0, 35, 100}, p);
    EXPECT_EQ(wrap.canvas.OfKind(TCanvasOp::Image)[0].rect.Top, 13);

    // BODY BACKGROUND tiles the picture over the rectangle.
    Drawn body = render(L("<BODY BACKGROUND=\"logo\">x"), {0, 0, 24, 14}, p);
    EXPECT_EQ(body.canvas.Count(TCanvasOp::Image), 4);
}

TEST(MarkupRenderer, PixelProbes)
{
    TImageCanvas img(200, 60, clWhite);
    img.Font = TFont{};
    img.Font.Name = L("DejaVu Sans");
    img.Font.Size = 12;
    img.Font.Color = clBlack;
    TMarkupDrawResult r;
    DrawMarkupText(img, L("<BODY BGCOLOR=\"#00FF00\"><FONT COLOR=\"clRed\" SIZE=\"20\">MMMM</FONT>"),
                   TRect{0, 0, 200, 60}, TMarkupDrawParams{}, r);
    img.End();
    EXPECT_EQ(img.PixelAt(199, 59), clLime); // BODY BGCOLOR fills the whole rectangle
    int red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor c = img.PixelAt(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60)
                ++red;
        }
    EXPECT_GT(red, 50);

    // Highlight background behind the text.
    TImageCanvas hi(100, 30, clWhite);
    hi.Font.Color = clBlack;
    SetMarkupHighlightColors(clNavy, clWhite);
    DrawMarkupText(hi, L("<HI>MMMM</HI>"), TRect{0, 0, 100, 30}, TMarkupDrawParams{}, r);
    hi.End();
    SetMarkupHighlightColors(clHighlight, clHighlightText);
    EXPECT_EQ(hi.PixelAt(2, r.textHeight - 2), clNavy);
    EXPECT_EQ(hi.PixelAt(95, 25), clWhite);

    // Fonts are there: narrow letters are narrower than wide ones.
    TMarkupDrawParams m;
    m.measureOnly = true;
    TImageCanvas probe(10, 10);
    TMarkupDrawResult a, b;
    DrawMarkupText(probe, L("iiiiii"), TRect{0, 0, 500, 50}, m, a);
    DrawMarkupText(probe, L("MMMMMM"), TRect{0, 0, 500, 50}, m, b);
    probe.End();
    EXPECT_LT(a.textWidth, b.textWidth);
}

namespace {
class MarkupView : public QWidget {
public:
    QString text;
    TPictureContainer *container = nullptr;
    TMarkupImageList *images = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        TPainterCanvas canvas(&p);
        canvas.Font.Name = QStringLiteral("DejaVu Sans");
        canvas.Font.Size = 10;
        canvas.Font.Color = clBlack;
        TMarkupDrawParams params;
        params.pictureContainer = container;
        params.imageList = images;
        params.focusLink = 1;
        TMarkupDrawResult r;
        DrawMarkupText(canvas, text, TRect{4, 4, width() - 4, height() - 4}, params, r);
    }
};
} // namespace

TEST(MarkupRenderer, Screenshot)
{
    TPictureContainer container;
    TPictureItem *logo = container.Items().Add();
    logo->Name = L("logo");
    logo->Picture().LoadFromFile(picturePath("logo.png"));
    TMarkupImageList images;
    QImage dot(16, 16, QImage::Format_ARGB32);
    dot.fill(Qt::transparent);
    {
        QPainter p(&dot);
        p.setBrush(Qt::darkGreen);
        p.drawEllipse(2, 2, 12, 12);
    }
    images.Images = {dot};

    MarkupView view;
    view.container = &container;
    view.images = &images;
    view.resize(420, 300);
    view.text = L("<B>Bold</B>, <I>italic</I>, <U>underline</U>, <S>strike</S> and "
                  "<FONT COLOR=\"clRed\">red</FONT>, <FONT COLOR=\"#0000FF\">blue</FONT>, "
                  "<FONT BGCOLOR=\"clYellow\">marked</FONT> text.<BR>"
                  "<FONT SIZE=\"1\">size 1</FONT> <FONT SIZE=\"3\">size 3</FONT> <FONT SIZE=\"5\">size 5</FONT> "
                  "H<SUB>2</SUB>O x<SUP>2</SUP> a &amp; b &lt;tag&gt; &euro; &copy;<BR>"
                  "Pictures: <IMG SRC=\"logo\"> <IMG SRC=\"logo\" WIDTH=\"36\"> <IMG SRC=\"IDX:0\"> "
                  "<A HREF=\"one\">first link</A> <A HREF=\"two\">second link</A>"
                  "<UL><LI>bullet one</LI><LI>bullet two</LI><UL><LI>nested</LI></UL></UL>"
                  "<SHAD>shadow</SHAD> <E>misspeled</E> <HI>highlight</HI> "
                  "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\"> check "
                  "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"60\"> "
                  "<CONTROL TYPE=\"COMBO\" ID=\"o\" VALUE=\"combo\" WIDTH=\"80\"> "
                  "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Button\" WIDTH=\"70\"><HR>"
                  "<P ALIGN=\"RIGHT\" BGCOLOR=\"#E0E0FF\">right aligned paragraph</P>");
    const QImage shot = view.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    shot.save(QStringLiteral("/tmp/markup_renderer.png"));
    // Something of each colour landed on the picture.
    bool red = false, yellow = false, para = false;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb c = shot.pixel(x, y) & 0xFFFFFF;
            red |= qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
            yellow |= c == 0xFFFF00;
            para |= c == 0xE0E0FF;
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(yellow);
    EXPECT_TRUE(para);
}
