// Cell buttons and expand buttons: the operations act on their own kinds only (a check box or a
// node is never flipped through them), and real clicks push, release, click and expand.
#include "grid/ControlLook.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct CellButtons : ::testing::Test {
    TNovaStringGrid g;
    std::vector<std::string> log;

    void SetUp() override
    {
        g.resize(420, 260);
        g.SetColCount(5);
        g.SetRowCount(8);
        g.SetColWidths(2, 90);
        g.SetDefaultRowHeight(24);
        g.SetOptions(g.Options().Include(goEditing));
        g.OnButtonClick = [this](QObject *, int c, int r) { log.push_back("Button(" + std::to_string(c) + "," + std::to_string(r) + ")"); };
        g.OnExpandClick = [this](QObject *, int c, int r, bool e) {
            log.push_back("Expand(" + std::to_string(c) + "," + std::to_string(r) + (e ? ")+" : ")-"));
        };
        g.OnClickCell = [this](QObject *, int r, int c) { log.push_back("ClickCell(" + std::to_string(r) + "," + std::to_string(c) + ")"); };
    }
    void showGrid()
    {
        g.show();
        QApplication::processEvents();
        g.grab(); // paints once: the painter keeps each button's place for hit testing
    }
    QPoint centreOf(const TRect &r) const { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
    void press(QPoint p) { QTest::mousePress(g.viewport(), Qt::LeftButton, {}, p); }
    void release(QPoint p) { QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, p); }
};

} // namespace

TEST_F(CellButtons, OperationsTouchOnlyTheirOwnKinds)
{
    g.AddCheckBox(2, 1, true, false);
    g.AddNode(2, 3); // column 0, rows 2..4
    g.AddButton(2, 3, 60, 20, QStringLiteral("Go"), haLeft, vaTop);
    g.AddBitButton(2, 4, 40, 18, QStringLiteral("B"), nullptr, haLeft, vaTop);
    g.AddExpand(2, 5, 60);
    g.AddComment(2, 6, QStringLiteral("c"));

    struct Case {
        int col, row;
        bool pushes, hasButtonRect, toggles;
    };
    const Case cases[] = {
        {2, 1, false, false, false}, // check box: its tick lives where a button's pushed state does
        {0, 2, false, false, false}, // node: its contraction likewise
        {2, 3, true, true, false},   // button
        {2, 4, true, true, false},   // bit button
        {2, 5, true, false, true},   // expand button: its own square, its own state
        {2, 6, false, false, false}, // comment
        {2, 7, false, false, false}, // no graphic at all
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << k.col << "," << k.row);
        TCellGraphic *gr = g.GetCellGraphic(k.col, k.row);
        const bool before = gr ? gr->CellBoolean() : false;
        const QVariant varBefore = gr ? gr->CellVar() : QVariant();
        g.PushButton(k.col, k.row, !before);
        if (gr)
            EXPECT_EQ(gr->CellBoolean(), k.pushes ? !before : before);
        EXPECT_EQ(g.GetCellButtonRect(k.col, k.row).IsEmpty(), !k.hasButtonRect);
        EXPECT_EQ(g.ToggleExpand(k.col, k.row), k.toggles);
        if (gr && !k.toggles)
            EXPECT_EQ(gr->CellVar(), varBefore);
    }
    bool state = false;
    g.GetCheckBoxState(2, 1, state);
    EXPECT_TRUE(state);
    EXPECT_FALSE(g.GetNodeState(2)); // still expanded
    EXPECT_TRUE(g.GetExpandState(2, 5));

    // The button's rectangle: the painted offset plus the size in CellIndex; full alignments take the cell.
    g.GetCellGraphic(2, 3)->SetCellValue(double((3u << 16) | 5u));
    const TRect cell = g.CellRect(2, 3);
    EXPECT_EQ(g.GetCellButtonRect(2, 3), (TRect{cell.Left + 5, cell.Top + 3, cell.Left + 65, cell.Top + 23}));
    g.AddButton(3, 3, 30, 12, QString(), haFull, vaFull);
    EXPECT_EQ(g.GetCellButtonRect(3, 3), g.CellRect(3, 3));
}

TEST_F(CellButtons, ClickOnAButtonPushesItUntilTheReleaseAndClicksIt)
{
    g.AddButton(2, 2, 60, 18, QStringLiteral("Go"), haLeft, vaTop);
    showGrid();
    const TRect b = g.GetCellButtonRect(2, 2);
    ASSERT_FALSE(b.IsEmpty());
    press(centreOf(b));
    EXPECT_TRUE(g.GetCellGraphic(2, 2)->CellBoolean()); // drawn pushed while the button is down
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    release(centreOf(b));
    EXPECT_FALSE(g.GetCellGraphic(2, 2)->CellBoolean());
    EXPECT_EQ(log, (std::vector<std::string>{"ClickCell(2,2)", "Button(2,2)"}));

    // Pressed on the button, released beside it: released, not clicked.
    log.clear();
    press(centreOf(b));
    release(QPoint(g.CellRect(3, 5).Left + 4, g.CellRect(3, 5).Top + 4));
    EXPECT_FALSE(g.GetCellGraphic(2, 2)->CellBoolean());
    EXPECT_EQ(log, (std::vector<std::string>{"ClickCell(2,2)"}));

    // A button whose cell cannot be edited is released without a click, unless disabled
    // buttons are not to look disabled.
    struct Case {
        bool editing, noDisabledLook;
        int canEdit; // -1: no handler, the grid's own answer
        bool clicks;
    };
    const Case cases[] = {
        {false, false, -1, false}, // without editing no cell may be edited
        {false, false, 1, true},   // the handler has the last word
        {false, true, -1, true},
        {true, false, -1, true},
        {true, false, 0, false},
        {true, true, 0, true},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(testing::Message() << k.editing << k.noDisabledLook << k.canEdit);
        log.clear();
        g.SetOptions(k.editing ? g.Options().Include(goEditing) : g.Options().Exclude(goEditing));
        g.ControlLook()->SetNoDisabledButtonLook(k.noDisabledLook);
        g.OnCanEditCell = nullptr;
        if (k.canEdit >= 0)
            g.OnCanEditCell = [&k](QObject *, int, int, bool &CanEdit) { CanEdit = k.canEdit == 1; };
        press(centreOf(b));
        release(centreOf(b));
        EXPECT_FALSE(g.GetCellGraphic(2, 2)->CellBoolean()) << "never left pushed";
        std::vector<std::string> expected{"ClickCell(2,2)"};
        if (k.clicks)
            expected.push_back("Button(2,2)");
        EXPECT_EQ(log, expected);
    }
}

TEST_F(CellButtons, ClickOnAnExpandButtonFlipsItAndSizesTheRow)
{
    g.SetRowHeights(3, 24);
    g.AddExpand(2, 3, 70);
    g.SetCells(2, 3, QStringLiteral("details"));
    showGrid();
    const TRect sq = g.GetExpandButtonRect(2, 3);
    press(centreOf(sq));
    release(centreOf(sq));
    EXPECT_TRUE(g.GetExpandState(2, 3));
    EXPECT_EQ(g.RowHeights(3), 70);
    const TRect sq2 = g.GetExpandButtonRect(2, 3);
    press(centreOf(sq2));
    release(centreOf(sq2));
    EXPECT_FALSE(g.GetExpandState(2, 3));
    EXPECT_EQ(g.RowHeights(3), 24);
    EXPECT_EQ(log, (std::vector<std::string>{"ClickCell(3,2)", "Expand(2,3)+", "ClickCell(3,2)", "Expand(2,3)-"}));

    // A press in the cell beside the square is a plain click.
    log.clear();
    const TRect cell = g.CellRect(2, 3);
    press(QPoint(cell.Left + 4, cell.Top + 12));
    release(QPoint(cell.Left + 4, cell.Top + 12));
    EXPECT_FALSE(g.GetExpandState(2, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"ClickCell(3,2)"}));
}

namespace {

// On a flat grid with colour tones a cell button takes the tones (style 3): the background tone's
// brush and border, and the tone's text colour for its caption; the disabled tone when the cell
// cannot be edited.
TEST_F(CellButtons, FlatGridWithTonesDrawsButtonsInItsTones)
{
    TColorTones tones;
    tones.Background = {TColor(0x00C0FF), TColor(0x0000FF), TColor(0xFF0000)};
    tones.Disabled = {TColor(0x808000), TColor(0x404000), TColor(0x00FF00)};
    g.SetColorTones(tones);
    g.SetFlat(true);
    g.AddButton(2, 1, 80, 20, QStringLiteral("WWW"), haLeft, vaTop);
    g.AddButton(2, 3, 80, 20, QStringLiteral("WWW"), haLeft, vaTop);
    g.OnCanEditCell = [](QObject *, int r, int, bool &can) { can = r != 3; };
    showGrid();
    const QImage img = g.viewport()->grab().toImage();
    auto colours = [&](int r) {
        const TRect cell = g.CellRect(2, r);
        std::vector<QRgb> out;
        for (int y = cell.Top; y < cell.Bottom; ++y)
            for (int x = cell.Left; x < cell.Right; ++x)
                out.push_back(img.pixel(x, y) & 0xFFFFFF);
        return out;
    };
    auto has = [](const std::vector<QRgb> &px, TColor c) {
        const QColor q = ToQColor(c);
        return std::find(px.begin(), px.end(), q.rgb() & 0xFFFFFF) != px.end();
    };
    const auto normal = colours(1);
    EXPECT_TRUE(has(normal, tones.Background.BrushColor));
    EXPECT_TRUE(has(normal, tones.Background.BorderColor));
    EXPECT_TRUE(has(normal, tones.Background.TextColor)) << "the caption in the tone's text colour";
    const auto disabled = colours(3);
    EXPECT_TRUE(has(disabled, tones.Disabled.BrushColor));
    EXPECT_TRUE(has(disabled, tones.Disabled.BorderColor));
    EXPECT_TRUE(has(disabled, tones.Disabled.TextColor));
    EXPECT_FALSE(has(disabled, tones.Background.BorderColor));
    // Not flat: the platform's button look.
    g.SetFlat(false);
    const QImage plain = g.viewport()->grab().toImage();
    const TRect cell = g.CellRect(2, 1);
    bool any = false;
    for (int y = cell.Top; y < cell.Bottom && !any; ++y)
        for (int x = cell.Left; x < cell.Right && !any; ++x)
            any = (plain.pixel(x, y) & 0xFFFFFF) == (ToQColor(tones.Background.BorderColor).rgb() & 0xFFFFFF);
    EXPECT_FALSE(any);
}

} // namespace
