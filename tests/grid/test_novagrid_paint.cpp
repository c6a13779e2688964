// Cell painting: what is drawn, in which order and with which arguments (recording canvas), and
// the pixels of the fixed-cell gradient, the selection colour and the focus rectangle.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirDraw.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PaintFixture : ::testing::Test {
    TNovaStringGrid g;
    TRecordingCanvas rc;
    void SetUp() override
    {
        g.resize(400, 250);
        g.SetColCount(5);
        g.SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                g.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    }
    TRect rectOf(int c, int r) { return g.CellRect(c, r); }
    // Index of the first recorded operation of a kind at or after `from`; -1 when none.
    int indexOf(TCanvasOp::Kind k, int from = 0) const
    {
        for (int i = from; i < int(rc.Ops.size()); ++i)
            if (rc.Ops[i].kind == k)
                return i;
        return -1;
    }
    int textIndex(const QString &t) const
    {
        for (int i = 0; i < int(rc.Ops.size()); ++i)
            if (rc.Ops[i].kind == TCanvasOp::Text && rc.Ops[i].text == t)
                return i;
        return -1;
    }
    void focusGrid()
    {
        g.show();
        g.activateWindow();
        QApplication::setActiveWindow(&g);
        g.setFocus();
        QApplication::processEvents();
    }
};

bool near(TColor a, TColor b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TColor pixel(const QImage &img, int x, int y)
{
    return FromQColor(img.pixelColor(x, y));
}

} // namespace

TEST_F(PaintFixture, NormalCellFillsThenDrawsLinesThenItsTextInsideTheMargins)
{
    g.PaintCell(rc, 2, 3, {}, {});
    const TRect R = rectOf(2, 3);
    const int fill = indexOf(TCanvasOp::FillRect);
    const int lineOp = indexOf(TCanvasOp::Line);
    const int text = textIndex(QStringLiteral("c2r3"));
    ASSERT_GE(fill, 0);
    ASSERT_GT(lineOp, fill);
    ASSERT_GT(text, lineOp);
    EXPECT_EQ(rc.Ops[fill].brush.Color, clWindow);
    EXPECT_EQ(rc.Ops[lineOp].pen.Color, clSilver);
    const TCanvasOp &t = rc.Ops[text];
    // Content rectangle inside the grid line, then the text margin (2, 2) left, right and top.
    EXPECT_EQ(t.rect, (TRect{R.Left + 3, R.Top + 3, R.Right - 3, R.Bottom - 1}));
    EXPECT_EQ(t.flags, unsigned(DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_WORDBREAK));
    EXPECT_EQ(t.font.Color, clWindowText);
    EXPECT_FALSE(t.font.Style.Contains(fsBold));
    EXPECT_EQ(rc.Count(TCanvasOp::FocusRect), 0);
    EXPECT_EQ(rc.Count(TCanvasOp::Text), 1);
}

TEST_F(PaintFixture, FixedCellOfTheXPLookPaintsItsGradientTextAndEdgesInThatOrder)
{
    g.PaintCell(rc, 2, 0, {}, {});
    const TRect R = rectOf(2, 0);
    const int text = textIndex(QStringLiteral("c2r0"));
    ASSERT_GT(text, 0);
    // The gradient runs from white at the top to the button face at the bottom.
    std::vector<TCanvasOp> fills;
    for (int i = 0; i < text; ++i)
        if (rc.Ops[i].kind == TCanvasOp::FillRect)
            fills.push_back(rc.Ops[i]);
    ASSERT_GE(fills.size(), 10u);
    EXPECT_EQ(fills.front().brush.Color, clWhite);
    EXPECT_TRUE(near(fills.back().brush.Color, ColorToRGB(clBtnFace), 2)) << std::hex << fills.back().brush.Color;
    EXPECT_LT(fills.front().rect.Top, fills.back().rect.Top);
    // Fixed font: bold Tahoma; the text starts one grid line further right and down.
    const TCanvasOp &t = rc.Ops[text];
    EXPECT_TRUE(t.font.Style.Contains(fsBold));
    EXPECT_EQ(t.font.Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(t.rect.Left, R.Left + 1 + 2);
    EXPECT_EQ(t.rect.Top, R.Top + 1 + 2);
    // After the text: the half-intensity bottom line, then the white top and left lines.
    std::vector<TCanvasOp> after;
    for (int i = text + 1; i < int(rc.Ops.size()); ++i)
        if (rc.Ops[i].kind == TCanvasOp::Line)
            after.push_back(rc.Ops[i]);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].pen.Color, HalveColor(clBtnFace));
    EXPECT_EQ(after[0].points, (std::vector<TPoint>{{R.Left - 1, R.Bottom - 1}, {R.Right - 1, R.Bottom - 1}}));
    EXPECT_EQ(after[1].pen.Color, clWhite);
    EXPECT_EQ(after[1].points, (std::vector<TPoint>{{R.Right - 2, R.Top}, {R.Left, R.Top}}));
    EXPECT_EQ(after[2].points, (std::vector<TPoint>{{R.Left, R.Top}, {R.Left, R.Bottom - 1}}));
}

TEST_F(PaintFixture, FixedCellOfTheClassicLookKeepsItsFixedColourAndGetsRaisedEdges)
{
    g.SetLook(glClassic);
    g.PaintCell(rc, 2, 0, {}, {});
    const int text = textIndex(QStringLiteral("c2r0"));
    ASSERT_GT(text, 0);
    EXPECT_EQ(rc.Ops[indexOf(TCanvasOp::FillRect)].brush.Color, clBtnFace);
    int edges = 0;
    bool black = false;
    for (int i = text + 1; i < int(rc.Ops.size()); ++i)
        if (rc.Ops[i].kind == TCanvasOp::Line) {
            ++edges;
            black = black || rc.Ops[i].pen.Color == clBlack;
        }
    EXPECT_GE(edges, 6);
    EXPECT_TRUE(black);
}

TEST_F(PaintFixture, SelectedCellGetsTheSelectionColourAndTextColour)
{
    g.SetSelection({2, 2, 3, 3});
    g.PaintCell(rc, 3, 3, {}, {gdSelected});
    EXPECT_EQ(rc.Ops[indexOf(TCanvasOp::FillRect)].brush.Color, TColor(0xEACAB6));
    const int text = textIndex(QStringLiteral("c3r3"));
    ASSERT_GE(text, 0);
    EXPECT_EQ(rc.Ops[text].font.Color, clBlack);

    // Without a selection text colour the cell keeps its own font colour.
    g.SetSelectionTextColor(clNone);
    g.SetFontColors(3, 3, clRed);
    rc.Clear();
    g.PaintCell(rc, 3, 3, {}, {gdSelected});
    EXPECT_EQ(rc.Ops[textIndex(QStringLiteral("c3r3"))].font.Color, clRed);
}

TEST_F(PaintFixture, FocusedCurrentCellGetsTheFocusRectangleLastUnlessRowSelectOrHidden)
{
    focusGrid();
    ASSERT_TRUE(g.hasFocus());
    g.SetRow(2);
    g.SetCol(2);
    const TRect R = rectOf(2, 2);
    g.PaintCell(rc, 2, 2, {}, {gdFocused, gdSelected});
    ASSERT_EQ(rc.Count(TCanvasOp::FocusRect), 1);
    EXPECT_EQ(rc.Ops.back().kind, TCanvasOp::FocusRect);
    EXPECT_EQ(rc.Ops.back().rect, (TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1}));
    EXPECT_GT(indexOf(TCanvasOp::FocusRect), textIndex(QStringLiteral("c2r2")));

    // Another cell, the hidden focus rectangle and row selection draw none.
    rc.Clear();
    g.PaintCell(rc, 3, 2, {}, {});
    EXPECT_EQ(rc.Count(TCanvasOp::FocusRect), 0);
    g.SetHideFocusRect(true);
    rc.Clear();
    g.PaintCell(rc, 2, 2, {}, {gdFocused});
    EXPECT_EQ(rc.Count(TCanvasOp::FocusRect), 0);
    g.SetHideFocusRect(false);
    TGridOptions o = g.Options();
    g.SetOptions(o.Include(goRowSelect));
    rc.Clear();
    g.PaintCell(rc, g.Col(), g.Row(), {}, {gdFocused});
    EXPECT_EQ(rc.Count(TCanvasOp::FocusRect), 0);
}

TEST_F(PaintFixture, MergedCellsPaintTheBaseCellOnceOverTheWholeRange)
{
    g.MergeCells(1, 1, 2, 2);
    g.SetCells(1, 1, QStringLiteral("merged"));
    g.PaintCell(rc, 2, 1, {}, {});
    g.PaintCell(rc, 1, 2, {}, {});
    g.PaintCell(rc, 2, 2, {}, {});
    EXPECT_EQ(rc.Texts(), QStringList{QStringLiteral("merged")});
    const TRect a = g.VirtualCellRect(1, 1);
    const TRect b = g.VirtualCellRect(2, 2);
    const TCanvasOp &t = rc.Ops[textIndex(QStringLiteral("merged"))];
    EXPECT_EQ(t.rect.Left, a.Left + 3);
    EXPECT_EQ(t.rect.Right, b.Right - 3);
    EXPECT_EQ(t.rect.Bottom, b.Bottom - 1);
}

TEST_F(PaintFixture, DisabledGridPaintsItsTextInTheDisabledFontColour)
{
    g.setEnabled(false);
    g.SetSelection({2, 2, 3, 3});
    g.PaintCell(rc, 3, 2, {}, {});
    g.PaintCell(rc, 3, 3, {}, {gdSelected});
    EXPECT_EQ(rc.Ops[textIndex(QStringLiteral("c3r2"))].font.Color, clSilver);
    // The selection text colour is not applied on a disabled grid.
    EXPECT_EQ(rc.Ops[textIndex(QStringLiteral("c3r3"))].font.Color, clSilver);
}

TEST_F(PaintFixture, DisjunctlySelectedRowsAndDisabledRows)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    g.SetRowSelect(4, true);
    g.SetSelection({1, 2, 4, 2}); // the rectangle does not count under disjunct selection
    g.PaintCell(rc, 2, 4, {}, {});
    g.PaintCell(rc, 3, 2, {}, {gdSelected});
    std::vector<TColor> fills;
    for (const TCanvasOp &op : rc.Ops)
        if (op.kind == TCanvasOp::FillRect)
            fills.push_back(op.brush.Color);
    ASSERT_GE(fills.size(), 2u);
    // A selected row other than the current one is a little brighter.
    EXPECT_EQ(fills.front(), ChangeColorBrightness(0xEACAB6, 7));
    EXPECT_EQ(fills.back(), clWindow);

    g.MouseActions()->SetDisjunctRowSelectDirect(false);
    g.SetRowEnabled(3, false);
    rc.Clear();
    g.PaintCell(rc, 2, 3, {}, {});
    EXPECT_EQ(rc.Ops[textIndex(QStringLiteral("c2r3"))].font.Color, clSilver);
}

TEST_F(PaintFixture, TextFlagsFollowWordWrapAlignmentAndMultilineCells)
{
    struct Case {
        bool wordWrap;
        bool multiline;
        TAlignment ha;
        TVAlignment va;
        QString text;
        QString shown;
        unsigned flags;
    } cases[] = {
        {false, false, taLeftJustify, vtaCenter, QStringLiteral("one\rtwo"), QStringLiteral("one"),
         DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_VCENTER},
        {true, false, taRightJustify, vtaBottom, QStringLiteral("one"), QStringLiteral("one"),
         DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX | DT_RIGHT | DT_BOTTOM | DT_WORDBREAK},
        {false, true, taCenter, vtaTop, QStringLiteral("one\rtwo"), QStringLiteral("one\rtwo"),
         DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX | DT_CENTER | DT_TOP | DT_WORDBREAK},
    };
    for (const Case &c : cases) {
        g.SetWordWrap(c.wordWrap);
        g.SetMultilinecells(c.multiline);
        g.OnGetAlignment = [&](QObject *, int, int, TAlignment &h, TVAlignment &v) {
            h = c.ha;
            v = c.va;
        };
        g.SetCells(2, 2, c.text);
        rc.Clear();
        g.PaintCell(rc, 2, 2, {}, {});
        const int t = textIndex(c.shown);
        ASSERT_GE(t, 0) << c.text.toStdString();
        EXPECT_EQ(rc.Ops[t].flags, c.flags) << c.text.toStdString();
        EXPECT_EQ(g.LastVAlign(), c.va);
    }
}

TEST_F(PaintFixture, PasswordAndFormulaCells)
{
    g.OnIsPasswordCell = [](QObject *, int r, int c, bool &p) { p = c == 2 && r == 2; };
    g.SetCells(2, 2, QStringLiteral("secret"));
    g.SetCells(3, 2, QStringLiteral("=A1+B1"));
    g.PaintCell(rc, 2, 2, {}, {});
    g.PaintCell(rc, 3, 2, {}, {});
    EXPECT_EQ(rc.Texts(), (QStringList{QStringLiteral("******"), QStringLiteral("=A1+B1")}));
}

TEST_F(PaintFixture, CustomDrawEventsFireAfterTheTextAndNoDefaultDrawSuppressesIt)
{
    QStringList order;
    g.OnCustomCellBkgDraw = [&](QObject *, TCanvas &, int c, int r, TGridDrawState, TRect, bool printing) {
        order << QStringLiteral("bkg %1 %2").arg(c).arg(r);
        EXPECT_FALSE(printing);
    };
    g.OnCustomCellDraw = [&](QObject *, TCanvas &k, int c, int r, TGridDrawState, TRect, bool) {
        order << QStringLiteral("draw %1 %2 after %3").arg(c).arg(r).arg(static_cast<TRecordingCanvas &>(k).Texts().join(QLatin1Char(',')));
    };
    g.PaintCell(rc, 2, 3, {}, {});
    EXPECT_EQ(order, (QStringList{QStringLiteral("bkg 2 3"), QStringLiteral("draw 2 3 after c2r3")}));
    g.SetNoDefaultDraw(true);
    rc.Clear();
    g.PaintCell(rc, 2, 3, {}, {});
    EXPECT_TRUE(rc.Texts().isEmpty());
}

TEST_F(PaintFixture, CellBordersFromTheHookWithTheirOwnPens)
{
    g.OnGetCellBorder = [](QObject *, int r, int c, TPen &pen, TCellBorders &b) {
        if (c == 2 && r == 2) {
            b = {cbLeft, cbBottom};
            pen.Color = clRed;
        }
    };
    g.OnGetCellBorderProp = [](QObject *, int, int, TPen &left, TPen &, TPen &, TPen &bottom) {
        left.Color = clBlue;
        bottom.Width = 1;
    };
    g.PaintCell(rc, 2, 2, {}, {});
    std::vector<TCanvasOp> lines;
    for (const TCanvasOp &op : rc.Ops)
        if (op.kind == TCanvasOp::Line && (op.pen.Color == clRed || op.pen.Color == clBlue))
            lines.push_back(op);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.Color, clBlue); // left side first
    EXPECT_EQ(lines[1].pen.Color, clRed);
    const TRect R = rectOf(2, 2);
    EXPECT_EQ(lines[1].points.front().Y, R.Bottom - 2); // bottom line above the grid line
}

TEST_F(PaintFixture, ActiveCellHeadersUseTheActiveCellColourOnlyWhenShown)
{
    g.SetRow(3);
    g.SetCol(2);
    g.PaintCell(rc, 2, 0, {}, {});
    for (const TCanvasOp &op : rc.Ops)
        EXPECT_NE(op.brush.Color, clGray);
    g.SetActiveCellShow(true);
    g.SetActiveCellColor(0x00FF00);
    g.SetActiveCellColorTo(clNone);
    rc.Clear();
    g.PaintCell(rc, 0, 3, {}, {});
    bool green = false;
    for (const TCanvasOp &op : rc.Ops)
        green = green || (op.kind == TCanvasOp::FillRect && op.brush.Color == 0x00FF00);
    EXPECT_TRUE(green);
}

// The always-visible drop-down and spin buttons of normal cells take the grid's colour tones on a
// flat grid whose tones have a brush colour: the background tone, or the disabled tone where the
// cell cannot be edited; any other grid draws them in the platform's button look.
TEST_F(PaintFixture, PermanentButtonsOfAFlatGridTakeItsTones)
{
    TColorTones tones;
    tones.Background = {TColor(0x00C0FF), TColor(0x0000FF), TColor(0xFF0000)};
    tones.Disabled = {TColor(0x808000), TColor(0x404000), TColor(0x00FF00)};
    g.SetColorTones(tones);
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    g.ControlLook()->SetSpinButtonsAlwaysVisible(true);
    g.OnHasComboBox = [](QObject *, int c, int, bool &has) { has = c == 2; };
    g.OnHasSpinEdit = [](QObject *, int c, int, bool &has) { has = c == 3; };
    g.OnCanEditCell = [](QObject *, int r, int, bool &can) { can = r != 3; };
    struct Case {
        const char *name;
        bool flat;
        int col, row;
        TColor fill;   // brush of the button's faces; clNone: no toned face
        int faces;     // toned faces drawn
    };
    const Case cases[] = {
        {"drop-down", true, 2, 1, tones.Background.BrushColor, 1},
        {"drop-down, read-only", true, 2, 3, tones.Disabled.BrushColor, 1},
        {"spin", true, 3, 1, tones.Background.BrushColor, 2},
        {"spin, read-only", true, 3, 3, tones.Disabled.BrushColor, 2},
        {"no button", true, 1, 1, clNone, 0},
        {"drop-down, not flat", false, 2, 1, clNone, 0},
        {"spin, not flat", false, 3, 1, clNone, 0},
    };
    const TColor toned[] = {tones.Background.BrushColor, tones.Disabled.BrushColor};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        g.SetFlat(c.flat);
        rc.Clear();
        const TRect cell = rectOf(c.col, c.row);
        g.PaintCell(rc, c.col, c.row, cell, {});
        int faces = 0, otherTone = 0;
        for (const TCanvasOp &op : rc.OfKind(TCanvasOp::Rectangle)) {
            if (op.brush.Color == c.fill) {
                ++faces;
                EXPECT_GE(op.rect.Left, cell.Right - 19) << "inside the cell's right end";
                EXPECT_LE(op.rect.Right, cell.Right);
            } else if (std::find(std::begin(toned), std::end(toned), op.brush.Color) != std::end(toned)) {
                ++otherTone;
            }
        }
        EXPECT_EQ(faces, c.faces);
        EXPECT_EQ(otherTone, 0);
        if (c.col == 2 && c.row == 1 && c.flat) {
            const auto glyphs = rc.OfKind(TCanvasOp::Polygon);
            EXPECT_TRUE(std::any_of(glyphs.begin(), glyphs.end(), [&](const TCanvasOp &op) {
                return op.brush.Color == tones.Background.TextColor;
            })) << "the arrow in the tone's text colour";
        }
    }
}

TEST_F(PaintFixture, ModifiedRowsShowABarAtTheRightOfTheFirstColumn)
{
    g.ShowModified()->Enabled = true;
    g.ShowModified()->SetColor(clLime);
    g.SetRowModified(3, true);
    auto bars = [&](int row) {
        rc.Clear();
        g.PaintCell(rc, 0, row, {}, {});
        std::vector<TRect> found;
        for (const TCanvasOp &op : rc.Ops)
            if (op.kind == TCanvasOp::FillRect && op.brush.Color == clLime)
                found.push_back(op.rect);
        return found;
    };
    const std::vector<TRect> modified = bars(3);
    ASSERT_EQ(modified.size(), 1u);
    EXPECT_EQ(modified[0].Width(), 4);
    EXPECT_EQ(modified[0].Right, rectOf(0, 3).Right - 1); // inside the grid line
    EXPECT_TRUE(bars(2).empty());
    g.ShowModified()->Enabled = false;
    EXPECT_TRUE(bars(3).empty());
}

// A grid that holds nodes as the node operations leave it: the count raised, levels in column 0.
struct OutlineGrid : TNovaStringGrid {
    void MarkNode(int ARow, int Level)
    {
        CreateCellGraphic(0, ARow)->SetCellType(ctNode);
        GetCellProperties(0, ARow)->SetNodeLevel(Level);
        ++FNodeCount;
    }
    void SetLevel(int ARow, int Level) { GetCellProperties(0, ARow)->SetNodeLevel(Level); }
};

TEST(PaintOutline, TreeLinesJoinTheChildrenOfANode)
{
    OutlineGrid g;
    g.resize(400, 250);
    g.SetColCount(3);
    g.SetRowCount(6);
    g.CellNode()->SetTreeColor(clRed);
    TRecordingCanvas rc;
    auto treeLines = [&](int row) {
        rc.Clear();
        g.PaintCell(rc, 0, row, {}, {});
        std::vector<std::vector<TPoint>> found;
        for (const TCanvasOp &op : rc.Ops)
            if (op.kind == TCanvasOp::Line && op.pen.Color == clRed)
                found.push_back(op.points);
        return found;
    };
    g.SetLevel(2, 1);
    EXPECT_FALSE(g.HasNodes());
    EXPECT_EQ(g.GetRowIndent(2), 0) << "no indent without nodes";
    EXPECT_TRUE(treeLines(2).empty()) << "no tree without nodes";

    g.MarkNode(1, 1); // node at row 1 over rows 1..3; row 4 lies outside
    g.SetLevel(3, 1);
    EXPECT_TRUE(g.HasNodes());
    EXPECT_EQ(g.GetRowIndent(2), 12);
    EXPECT_EQ(g.GetRowIndent(4), 0) << "a row without properties";
    EXPECT_EQ(g.GetNodeSpanType(1), 0);
    EXPECT_EQ(g.GetNodeSpanType(2), 2) << "the group goes on";
    EXPECT_EQ(g.GetNodeSpanType(3), 1) << "last child";

    const auto vertical = [](const std::vector<TPoint> &p) { return p.size() == 2 && p[0].X == p[1].X; };
    // A middle child: its stub to the right edge, and the group's line through the whole cell.
    auto mid = treeLines(2);
    ASSERT_FALSE(mid.empty());
    const std::vector<TPoint> stub = mid[0];
    ASSERT_EQ(stub.size(), 2u);
    EXPECT_EQ(stub[0].Y, stub[1].Y);
    const int x = stub[0].X;
    const int midY = stub[0].Y;
    EXPECT_GE(stub[1].X, g.CellRect(0, 2).Right - 1) << "the full tree reaches the right edge";
    bool through = false;
    for (const auto &l : mid)
        through = through || (vertical(l) && l[0].X == x && l[1].Y > g.CellRect(0, 2).Bottom);
    EXPECT_TRUE(through);
    // The last child: the group's line ends at mid height.
    bool endsMid = false;
    bool runsOn = false;
    for (const auto &l : treeLines(3)) {
        if (vertical(l) && l[0].X == x) {
            endsMid = endsMid || l[1].Y == midY - g.CellRect(0, 2).Top + g.CellRect(0, 3).Top;
            runsOn = runsOn || l[1].Y > g.CellRect(0, 3).Bottom;
        }
    }
    EXPECT_TRUE(endsMid);
    EXPECT_FALSE(runsOn);
    // A short stub without the full tree; nothing in other columns or outside the outline.
    g.CellNode()->SetShowTreeFull(false);
    EXPECT_LT(treeLines(2)[0][1].X, g.CellRect(0, 2).Right - 10);
    EXPECT_TRUE(treeLines(4).empty());
    g.CellNode()->SetShowTree(false);
    EXPECT_TRUE(treeLines(2).empty());
}

// ---- pixels ----------------------------------------------------------------------------------------

TEST_F(PaintFixture, PixelsOfTheFixedGradientTheSelectionAndTheFocusRectangle)
{
    focusGrid();
    ASSERT_TRUE(g.hasFocus());
    for (int r = 1; r < 6; ++r)
        for (int c = 1; c < 5; ++c)
            g.SetCells(c, r, QString());
    g.SetSelection({2, 2, 3, 3}); // current cell (2, 2)
    QApplication::processEvents();
    const QImage img = g.viewport()->grab().toImage();

    // Header cell: white at the top, the button face at the bottom, lighter on the way down.
    const TRect H = rectOf(2, 0);
    const int x = (H.Left + H.Right) / 2;
    const TColor top = pixel(img, x, H.Top + 2);
    const TColor bottom = pixel(img, x, H.Bottom - 4);
    EXPECT_TRUE(near(top, clWhite, 8)) << std::hex << top;
    EXPECT_TRUE(near(bottom, ColorToRGB(clBtnFace), 8)) << std::hex << bottom;
    EXPECT_GT(GetRValue(top) + GetGValue(top), GetRValue(bottom) + GetGValue(bottom));

    // A selected cell that is not current shows the selection colour.
    const TRect S = rectOf(3, 3);
    EXPECT_EQ(pixel(img, S.Left + 10, S.Top + 10), TColor(0xEACAB6));

    // The current cell's focus rectangle inverts every other pixel of its edge.
    const TRect F = rectOf(2, 2);
    const TColor inside = pixel(img, F.Left + 10, F.Top + 10);
    EXPECT_EQ(pixel(img, F.Left, F.Top), inside ^ 0xFFFFFFu);
    EXPECT_EQ(pixel(img, F.Left + 1, F.Top), inside);
    EXPECT_EQ(pixel(img, F.Left + 2, F.Top), inside ^ 0xFFFFFFu);
}

// Screenshots of several looks for a person to look at (set CFG_SCREENSHOT_DIR to write them).
TEST(GridScreenshots, LooksRenderedToPngFiles)
{
    const QString dir = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "CFG_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    struct Look {
        const char *name;
        std::function<void(TNovaStringGrid &)> apply;
        bool sizeToTexts = true;
    } looks[] = {
        {"classic", [](TNovaStringGrid &g) { g.SetLook(glClassic); }},
        {"xp", [](TNovaStringGrid &) {}},
        // Word-wrapped names in a column too narrow for one line and rows two lines high:
        // "Parameter" over the number, never split inside the word.
        {"xp-wrapped", [](TNovaStringGrid &g) {
             const QFontMetrics fm(g.Font().ToQFont());
             g.SetDefaultRowHeight(2 * fm.height() + 6);
             g.SetRowHeights(0, fm.height() + 6);
             g.SetColWidths(1, fm.horizontalAdvance(QStringLiteral("Parameter")) + 12);
         }, false},
        {"office2003blue", [](TNovaStringGrid &g) { g.SetComponentStyle(tsOffice2003Blue); }},
        {"office2007luna", [](TNovaStringGrid &g) { g.SetComponentStyle(tsOffice2007Luna); }},
        {"office2007obsidian", [](TNovaStringGrid &g) { g.SetComponentStyle(tsOffice2007Obsidian); }},
        {"office2010blue", [](TNovaStringGrid &g) { g.SetComponentStyle(tsOffice2010Blue); }},
        {"vista", [](TNovaStringGrid &g) { g.SetComponentStyle(tsWindowsVista); }},
        {"windows7", [](TNovaStringGrid &g) { g.SetComponentStyle(tsWindows7); }},
        {"custom-tones", [](TNovaStringGrid &g) {
             TColorTones t;
             t.Background = {0xFFFFFF, 0xC8C8C8, 0x333333};
             t.Foreground = {0x8A5A2B, 0x8A5A2B, 0xFFFFFF};
             t.Selected = {0xF0D9C4, 0xD9A77E, 0x000000};
             t.Hover = {0xF7EBDF, 0xF7EBDF, 0x000000};
             t.Disabled = {0xF0F0F0, 0xC8C8C8, 0x999999};
             g.SetColorTones(t);
         }},
    };
    for (const Look &l : looks) {
        TNovaStringGrid g;
        g.resize(420, 200);
        g.SetColCount(5);
        g.SetRowCount(12);
        const char *heads[] = {"", "Name", "Index", "Value", "Unit"};
        for (int c = 0; c < 5; ++c)
            g.SetCells(c, 0, QString::fromLatin1(heads[c]));
        for (int r = 1; r < 12; ++r) {
            g.SetCells(0, r, QString::number(r));
            g.SetCells(1, r, QStringLiteral("Parameter %1").arg(r));
            g.SetCells(2, r, QString::number(100 + r));
            g.SetCells(3, r, QString::number(r * 2.5, 'f', 1));
            g.SetCells(4, r, r % 2 ? QStringLiteral("mA") : QStringLiteral("V"));
        }
        l.apply(g);
        // Columns sized to their texts, as the program's windows size them.
        for (int c = 0; c < 5 && l.sizeToTexts; ++c) {
            int widest = 0;
            for (int r = 0; r < 12; ++r) {
                const TFont &f = r == 0 ? g.FixedFont() : g.Font();
                widest = std::max(widest, QFontMetrics(f.ToQFont()).horizontalAdvance(g.Cells(c, r)));
            }
            g.SetColWidths(c, std::max(32, widest + 12));
        }
        g.show();
        g.activateWindow();
        QApplication::setActiveWindow(&g);
        g.setFocus();
        g.SetSelection({1, 3, 3, 4});
        QApplication::processEvents();
        const QString file = dir + QStringLiteral("/grid-%1.png").arg(QString::fromLatin1(l.name));
        EXPECT_TRUE(g.grab().save(file)) << file.toStdString();
    }
}
