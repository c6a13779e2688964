// Pointer movement over the string grid, driven by real mouse events on the grid's viewport:
// column and row dragging with the drop arrows and the drag cursor, the sizing events and the
// sizing hint, the fixed-sizing hover, hovered rows and fixed cells, cell hints from the tool-tip
// event, the picture of a cell range, and the focus frame of the edited cell.
#include "grid/FilterDropDown.h"
#include "grid/FixedCellEditors.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaColumnGrid.h"
#include "grid/GridColumnItem.h"
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/SortSettings.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string at(const char *name, int a) { return std::string(name) + "(" + std::to_string(a) + ")"; }
std::string at(const char *name, int a, int b)
{
    return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + ")";
}

// Records the sorts a release would ask for.
template <typename Base>
class Recording : public Base {
public:
    std::vector<std::string> sorts;
    void QSort() override { sorts.push_back("QSort"); }
};

template <typename Grid>
struct PointerFixtureT : ::testing::Test {
    Recording<Grid> g;
    Log log;

    void SetUp() override
    {
        g.move(40, 60);
        g.resize(520, 260);
        g.SetColCount(6);
        g.SetRowCount(8);
        for (int c = 0; c < 6; ++c) {
            g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
            for (int r = 1; r < 8; ++r)
                g.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
        }
        g.show();
        QApplication::processEvents();
    }

    QPoint centre(int c, int r) { const TRect R = g.CellRect(c, r); return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    QPoint global(QPoint p) { return g.viewport()->mapToGlobal(p); }
    void press(QPoint p) { QTest::mousePress(g.viewport(), Qt::LeftButton, {}, p); }
    void release(QPoint p) { QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, p); }
    void move(QPoint p) { QTest::mouseMove(g.viewport(), p); }
    void leave()
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(g.viewport(), &e);
    }
    void toolTipAt(QPoint p)
    {
        QHelpEvent e(QEvent::ToolTip, p, global(p));
        QApplication::sendEvent(g.viewport(), &e);
    }
    void recordMoves()
    {
        g.OnColumnMove = [this](QObject *, int c, bool &) { log.push_back(at("ColumnMove", c)); };
        g.OnColumnMoving = [this](QObject *, int c, bool &) { log.push_back(at("ColumnMoving", c)); };
        g.OnColumnMoved = [this](QObject *, int f, int t) { log.push_back(at("ColumnMoved", f, t)); };
    }
};

using PointerFixture = PointerFixtureT<TNovaStringGrid>;
using ColumnGridPointerFixture = PointerFixtureT<TNovaColumnGrid>;

} // namespace

TEST_F(PointerFixture, HeaderDraggedOntoColumn4MovesCellsAndWidthsWithArrowsAndEvents)
{
    g.SetOptions(g.Options().Include(goColMoving));
    g.SortSettings()->SetShow(true);
    g.DragDropSettings()->SetShowCells(false); // the drag button instead of the cells' picture
    g.SetColWidths(2, 70);
    recordMoves();
    int started = 0, ended = 0;
    g.OnStartBlockFocus = [&](QObject *) { ++started; };
    g.OnEndBlockFocus = [&](QObject *) { ++ended; };

    press(centre(2, 0));
    EXPECT_EQ(g.GridState(), gsColMoving);
    move(centre(3, 0));
    move(centre(4, 0));
    move(centre(4, 0) + QPoint(3, 0));
    // The button follows the pointer with the header's text; the arrows mark column 4's right
    // edge (the drop lies right of the pressed column), 5 pixels left of it.
    EXPECT_TRUE(g.MoveButton()->isVisible());
    EXPECT_EQ(g.MoveButton()->Caption(), QStringLiteral("H2"));
    EXPECT_EQ(g.DragCursor(), Qt::DragMoveCursor);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::DragMoveCursor);
    const TRect R4 = g.CellRect(4, 0);
    TArrowWindow *up = g.MoveArrow(arrUp);
    TArrowWindow *down = g.MoveArrow(arrDown);
    ASSERT_TRUE(up->isVisible());
    ASSERT_TRUE(down->isVisible());
    EXPECT_EQ(up->pos(), global(QPoint(R4.Right - 5, R4.Bottom)));
    EXPECT_EQ(down->pos(), global(QPoint(R4.Right - 5, R4.Top - 8)));

    release(centre(4, 0) + QPoint(3, 0));
    EXPECT_EQ(log, (Log{"ColumnMove(2)", "ColumnMoving(3)", "ColumnMove(2)", "ColumnMoving(4)", "ColumnMove(2)",
                        "ColumnMoving(4)", "ColumnMoved(2,4)"}));
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(g.Cells(c, 0), (QStringList{"H0", "H1", "H3", "H4", "H2", "H5"}.at(c))) << c;
    EXPECT_EQ(g.Cells(4, 3), QStringLiteral("c2r3"));
    EXPECT_EQ(g.ColWidths(4), 70);
    EXPECT_EQ(g.ColWidths(2), 64);
    EXPECT_TRUE(g.sorts.empty()) << "the release of a move sorts nothing";
    EXPECT_FALSE(up->isVisible());
    EXPECT_FALSE(g.MoveButton()->isVisible());
    EXPECT_EQ(g.GridState(), gsNormal);
    EXPECT_EQ(g.DragCursor(), Qt::ArrowCursor);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(ended, 1);

    // A plain header click still sorts.
    press(centre(3, 0));
    release(centre(3, 0));
    EXPECT_EQ(g.sorts.size(), 1u);
}

TEST_F(ColumnGridPointerFixture, ColumnItemTravelsWithTheDraggedColumn)
{
    while (g.Columns()->Count() < 6)
        g.Columns()->Add();
    for (int c = 0; c < 6; ++c)
        g.Columns()->Items(c)->SetHeader(QStringLiteral("Item%1").arg(c));
    g.SetOptions(g.Options().Include(goColMoving));
    recordMoves();
    press(centre(2, 0));
    move(centre(3, 0));
    move(centre(4, 0));
    release(centre(4, 0));
    EXPECT_EQ(g.Columns()->Items(4)->Header(), QStringLiteral("Item2"));
    EXPECT_EQ(g.Columns()->Items(2)->Header(), QStringLiteral("Item3"));
    EXPECT_EQ(log.back(), "ColumnMoved(2,4)");
}

TEST_F(PointerFixture, RefusedDropShowsTheNoDropCursorAndMovesNothing)
{
    g.SetOptions(g.Options().Include(goColMoving));
    recordMoves();
    g.OnColumnMoving = [this](QObject *, int c, bool &Allow) {
        log.push_back(at("ColumnMoving", c));
        Allow = c != 4;
    };
    press(centre(2, 0));
    move(centre(3, 0));
    EXPECT_EQ(g.DragCursor(), Qt::DragMoveCursor);
    move(centre(4, 0));
    EXPECT_EQ(g.DragCursor(), Qt::ForbiddenCursor);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::ForbiddenCursor);
    release(centre(4, 0));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("H2"));
    EXPECT_EQ(g.Cells(4, 0), QStringLiteral("H4"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "ColumnMoved(2,4)"), 0);
    EXPECT_EQ(g.GridState(), gsNormal);
    EXPECT_FALSE(g.MoveButton()->isVisible());
}

TEST_F(PointerFixture, RefusedColumnEndsTheMoveAtOnce)
{
    g.SetOptions(g.Options().Include(goColMoving));
    g.OnColumnMove = [](QObject *, int, bool &Allow) { Allow = false; };
    press(centre(2, 0));
    move(centre(3, 0));
    EXPECT_EQ(g.GridState(), gsNormal);
    EXPECT_FALSE(g.MoveButton()->isVisible());
    move(centre(4, 0));
    release(centre(4, 0));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("H2"));
}

TEST_F(PointerFixture, PictureOfTheCellsFollowsInsteadOfTheButton)
{
    g.SetOptions(g.Options().Include(goColMoving));
    g.DragDropSettings()->SetShowCells(true);
    press(centre(2, 0) + QPoint(5, 2));
    move(centre(3, 0));
    ASSERT_NE(g.MoveForm(), nullptr);
    EXPECT_TRUE(g.MoveForm()->isVisible());
    EXPECT_FALSE(g.MoveButton()->isVisible());
    EXPECT_EQ(g.MoveForm()->width(), g.ColWidths(2) + 1);
    // The picture keeps the press offset inside the cell.
    const TRect R2 = g.CellRect(2, 0);
    const QPoint pressOffset = centre(2, 0) + QPoint(5, 2) - QPoint(R2.Left, R2.Top);
    EXPECT_EQ(g.MoveForm()->pos(), global(centre(3, 0) - pressOffset));
    release(centre(3, 0));
    EXPECT_EQ(g.MoveForm(), nullptr);
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("H2"));
}

TEST_F(PointerFixture, RowDraggedByItsFixedCellMovesWithSideArrows)
{
    g.SetOptions(g.Options().Include(goRowMoving));
    Log rows;
    g.OnRowMoving = [&](QObject *, int r, bool &) { rows.push_back(at("RowMoving", r)); };
    g.OnRowMoved = [&](QObject *, int f, int t) { rows.push_back(at("RowMoved", f, t)); };
    press(centre(0, 2));
    EXPECT_EQ(g.GridState(), gsRowMoving);
    move(centre(0, 3));
    move(centre(0, 4));
    move(centre(0, 4) + QPoint(0, 2));
    const TRect R4 = g.CellRect(0, 4);
    EXPECT_TRUE(g.MoveArrow(arrLeft)->isVisible());
    EXPECT_EQ(g.MoveArrow(arrLeft)->pos(), global(QPoint(R4.Left - 10, R4.Bottom - 5)));
    EXPECT_EQ(g.MoveArrow(arrRight)->pos(), global(QPoint(R4.Right, R4.Bottom - 5)));
    release(centre(0, 4));
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("c1r2"));
    EXPECT_EQ(rows, (Log{"RowMoving(3)", "RowMoving(4)", "RowMoving(4)", "RowMoved(2,4)"}));
    EXPECT_FALSE(g.MoveArrow(arrLeft)->isVisible());
}

TEST_F(PointerFixture, SizingColumn2To80ShowsTheWidthHintAndFiresSizing)
{
    g.SetOptions(g.Options().Include(goColSizing));
    g.SetHintShowSizing(true);
    g.SetHintColor(TColor(0xE0FFFF));
    std::vector<std::pair<int, int>> sizing;
    g.OnColumnSizing = [&](QObject *, int c, int w) { sizing.emplace_back(c, w); };
    const TRect R2 = g.CellRect(2, 0);
    press({R2.Right, 10});
    move({R2.Right + 8, 10});
    move({R2.Right + 16, 10});
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing.back(), std::make_pair(2, 80));
    EXPECT_EQ(sizing.front(), std::make_pair(2, 72));
    THTMLHintWindow *hint = g.SizingHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Caption(), QStringLiteral("cw=<b>80</b>"));
    EXPECT_EQ(hint->pos(), global(QPoint(R2.Left, R2.Top)));
    EXPECT_EQ(hint->Color, TColor(0xE0FFFF));
    release({R2.Right + 16, 10});
    EXPECT_EQ(g.ColWidths(2), 80);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_FALSE(g.SizingHintShown());
}

TEST_F(PointerFixture, SizingWithoutTheHintSettingOnlyFiresTheEvent)
{
    g.SetOptions(g.Options().Include(goRowSizing));
    std::vector<std::pair<int, int>> sizing;
    g.OnRowSizing = [&](QObject *, int r, int h) { sizing.emplace_back(r, h); };
    const TRect R = g.CellRect(0, 2);
    press({10, R.Bottom});
    move({10, R.Bottom + 6});
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing.back(), std::make_pair(2, g.RowHeights(2)));
    EXPECT_EQ(g.SizingHintWindow(), nullptr);
    release({10, R.Bottom + 6});
}

TEST_F(PointerFixture, FixedSizingHoverWithinTwoPixelsOfTheFixedColumnEdge)
{
    g.MouseActions()->SetSizeFixedCol(true);
    const int edge = g.ColWidths(0) + 1;
    const int y = centre(1, 3).y();
    struct Case {
        int x;
        bool hover;
    };
    for (const Case c : {Case{edge - 2, true}, Case{edge - 3, false}, Case{edge + 2, true}, Case{edge + 3, false},
                         Case{edge - 1, true}}) {
        move({c.x, y});
        EXPECT_EQ(g.SizeFixedHover(), c.hover) << c.x;
    }
    g.MouseActions()->SetSizeFixedCol(false);
    move({edge - 2, y});
    EXPECT_FALSE(g.SizeFixedHover());
}

TEST_F(PointerFixture, HoveredRowAndFixedCellFollowThePointerAndLeaveClearsThem)
{
    g.SetHoverRow(true);
    g.SetHoverFixedCells(hfAll);
    move(centre(2, 3));
    EXPECT_EQ(g.HoverRowIndex(), 3);
    move(centre(3, 5));
    EXPECT_EQ(g.HoverRowIndex(), 5);
    move(centre(2, 0));
    EXPECT_EQ(g.HoverFixedCell(), (TPoint{2, 0}));
    leave();
    EXPECT_EQ(g.HoverRowIndex(), -1);
    EXPECT_EQ(g.HoverFixedCell(), (TPoint{-1, -1}));
    EXPECT_EQ(g.MouseSelectMode(), msNormal);

    // Without HoverRow the row is not followed.
    g.SetHoverRow(false);
    move(centre(2, 4));
    EXPECT_EQ(g.HoverRowIndex(), -1);
}

TEST_F(PointerFixture, SelectModeFollowsThePointerOverFixedCells)
{
    g.MouseActions()->SetRowSelect(true);
    g.MouseActions()->SetColSelect(true);
    g.MouseActions()->SetAllSelect(true);
    g.SetOptions(g.Options().Include(goColSizing));
    struct Case {
        const char *name;
        QPoint p;
        TMouseSelectMode mode;
        int cursor; // the select cursor showing (0: the grid's own)
    };
    const TRect R2 = g.CellRect(2, 0);
    const Case cases[] = {
        {"top-left fixed cell", centre(0, 0), msAll, 8012},
        {"header of a normal column", centre(2, 0), msColumn, 8011},
        {"header on a sizing border", QPoint(R2.Right - 2, 10), msNormal, 0},
        {"fixed cell of a data row", centre(0, 3), msRow, 8010},
        {"data cell", centre(2, 3), msNormal, 0},
        {"fixed cell of a data row again", centre(0, 5), msRow, 8010},
    };
    for (const Case &c : cases) {
        move(c.p);
        EXPECT_EQ(g.MouseSelectMode(), c.mode) << c.name;
        EXPECT_EQ(g.SelectCursorId(), c.cursor) << c.name;
        // The platform's own hover runs after the select mode and must not take the cursor away.
        if (c.cursor)
            EXPECT_EQ(g.viewport()->cursor().shape(), Qt::BitmapCursor) << c.name;
        else if (c.mode == msNormal && c.p.y() > R2.Bottom)
            EXPECT_EQ(g.viewport()->cursor().shape(), Qt::ArrowCursor) << c.name;
    }
    // Dragging along the fixed column selects whole rows.
    move(centre(0, 2));
    press(centre(0, 2));
    move(centre(0, 4));
    const TGridRect s = g.Selection();
    EXPECT_EQ(s.Top, 2);
    EXPECT_EQ(s.Bottom, 4);
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Right, 5);
    release(centre(0, 4));
}

TEST_F(PointerFixture, LargeTextHintShowsTheWholeTextAtTheCellAndTheEventMayReplaceIt)
{
    const QString longText = QStringLiteral("a text much wider than its narrow cell");
    g.SetCells(2, 3, longText);
    g.SetHintShowLargeText(true);
    toolTipAt(centre(2, 3));
    THTMLHintWindow *hint = g.CellHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Caption(), longText);
    const TRect R = g.CellRect(2, 3);
    EXPECT_EQ(hint->pos(), global(QPoint(R.Left, R.Top)));
    EXPECT_EQ(g.LastHintCell(), (TPoint{2, 3}));

    // A short text that fits shows no hint.
    toolTipAt(centre(3, 3));
    EXPECT_FALSE(hint->isVisible());

    g.OnGridHint = [](QObject *, int, int, QString &h) { h = QStringLiteral("<b>replaced</b>"); };
    toolTipAt(centre(2, 3));
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Caption(), QStringLiteral("<b>replaced</b>"));

    // Moving to another cell cancels the hint.
    move(centre(4, 5));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(g.LastHintCell(), (TPoint{-1, -1}));
}

TEST_F(PointerFixture, CellHintsShowCellTextsBelowTheCellStrippedUnlessHtml)
{
    g.SetCells(2, 2, QStringLiteral("<b>bold</b> & more"));
    g.SetHintShowCells(true);
    toolTipAt(centre(2, 2));
    THTMLHintWindow *hint = g.CellHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), QStringLiteral("bold &amp; more")) << "plain hints are shown as they are";
    g.SetHTMLHint(true);
    toolTipAt(centre(2, 2));
    EXPECT_EQ(hint->Caption(), QStringLiteral("<b>bold</b> & more"));
    // A fixed cell gets no cell hint.
    toolTipAt(centre(2, 0));
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(PointerFixture, SelectionToFormDrawsTheFixedLineDownItsLeftEdge)
{
    g.SetGridFixedLineColor(TColor(0x0000C0));
    std::unique_ptr<TNoActiveForm> form(g.SelectionToForm(TGridRect{0, 1, 1, 3}));
    auto *label = form->findChild<QLabel *>();
    ASSERT_NE(label, nullptr);
    const QImage img = label->pixmap().toImage();
    EXPECT_EQ(form->size(), img.size());
    EXPECT_EQ(img.width(), g.CellRect(1, 1).Right - g.CellRect(0, 1).Left + 1);
    for (int y : {0, img.height() / 2, img.height() - 1})
        EXPECT_EQ(img.pixelColor(0, y), QColor(0xC0, 0, 0)) << y;
    EXPECT_NEAR(form->windowOpacity(), 192 / 255.0, 0.01);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(PointerFixture, FocusFrameSurroundsTheEditedCellFollowsTheFormAndGoesWithValidation)
{
    QWidget form;
    form.resize(600, 320);
    g.setParent(&form);
    g.move(10, 10);
    form.move(100, 100);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    g.SetOptions(g.Options().Include(goEditing));
    {
        SCOPED_TRACE("off by default");
        g.FocusCell(2, 2, true);
        g.ShowInplaceEdit();
        EXPECT_TRUE(g.FocusWindow() == nullptr || !g.FocusWindow()->isVisible());
        g.HideInplaceEdit();
    }
    g.FocusHelper()->SetEnabled(true);
    g.FocusCell(3, 3, true);
    g.ShowInplaceEdit();
    ASSERT_NE(g.FocusWindow(), nullptr);
    EXPECT_TRUE(g.FocusWindow()->isVisible());
    EXPECT_EQ(TNovaStringGrid::FocusFrameGrid(), &g);
    const TRect R = g.CellRect(3, 3);
    auto expected = [&] {
        const QPoint p = g.viewport()->mapToGlobal(QPoint(R.Left, R.Top));
        return QRect(p.x() - 4, p.y() - 4, R.Width() + 9, R.Height() + 9);
    };
    EXPECT_EQ(g.FocusWindow()->geometry(), expected());
    // Only the ring shows: the cell itself lies outside the window's mask.
    EXPECT_FALSE(g.FocusWindow()->mask().contains(QPoint(4 + R.Width() / 2, 4 + R.Height() / 2)));
    EXPECT_TRUE(g.FocusWindow()->mask().contains(QPoint(1, 1)));
    EXPECT_FALSE(g.FocusWindow()->Image().isNull());
    EXPECT_NEAR(g.FocusWindow()->windowOpacity(), 230 / 255.0, 0.01);

    form.move(160, 130);
    QApplication::processEvents();
    EXPECT_EQ(g.FocusWindow()->geometry(), expected());

    // Enter validates the edit: the frame goes and the form's moves no longer carry it.
    QWidget *editor = g.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(g.FocusWindow()->isVisible());
    EXPECT_EQ(TNovaStringGrid::FocusFrameGrid(), nullptr);
    const QRect before = g.FocusWindow()->geometry();
    form.move(200, 150);
    QApplication::processEvents();
    EXPECT_EQ(g.FocusWindow()->geometry(), before);
    g.setParent(nullptr);
}

TEST_F(PointerFixture, ResizeHandleIsTheSelectionsFarCornerOnlyWithRectangleAndResizer)
{
    g.SetOptions(g.Options().Include(goRangeSelect));
    g.SetSelection(TGridRect{2, 2, 3, 3});
    const TRect R = g.CellRect(3, 3);
    struct Case {
        const char *name;
        bool rectangle, resizer;
        QPoint p;
        bool handle;
    };
    const Case cases[] = {
        {"inside the corner", true, true, QPoint(R.Right - 2, R.Bottom - 2), true},
        {"on the corner's edge", true, true, QPoint(R.Right, R.Bottom), true},
        {"5 pixels in", true, true, QPoint(R.Right - 5, R.Bottom - 5), true},
        {"6 pixels left of the edge", true, true, QPoint(R.Right - 6, R.Bottom - 2), false},
        {"6 pixels above the edge", true, true, QPoint(R.Right - 2, R.Bottom - 6), false},
        {"corner of another cell", true, true, QPoint(g.CellRect(2, 2).Right - 2, g.CellRect(2, 2).Bottom - 2), false},
        {"without the resizer", true, false, QPoint(R.Right - 2, R.Bottom - 2), false},
        {"without the rectangle", false, true, QPoint(R.Right - 2, R.Bottom - 2), false},
    };
    for (const Case &c : cases) {
        g.SetSelectionRectangle(c.rectangle);
        g.SetSelectionResizer(c.resizer);
        EXPECT_EQ(g.IsOnResizeHandle(c.p.x(), c.p.y()), c.handle) << c.name;
        move(centre(4, 5));
        move(c.p);
        EXPECT_EQ(g.MouseSelectMode(), c.handle ? msResize : msNormal) << c.name;
        EXPECT_EQ(g.SelectCursorId(), c.handle ? 8012 : 0) << c.name;
    }
}

TEST_F(PointerFixture, DraggingTheResizeHandleEnlargesTheSelectionAndContinuesTheSeries)
{
    g.SetOptions(g.Options().Include(goRangeSelect));
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.Navigation()->SetAllowSmartClipboard(true);
    g.SetCells(2, 1, "1");
    g.SetCells(2, 2, "3");
    g.SetSelection(TGridRect{2, 1, 2, 2});
    Log events;
    auto rect = [](const TGridRect &r) {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + ","
               + std::to_string(r.Bottom);
    };
    g.OnSelectionResize = [&](QObject *, const TGridRect &o, const TGridRect &n) {
        events.push_back("resize " + rect(o) + " " + rect(n));
        EXPECT_EQ(g.Cells(2, 3), QStringLiteral("c2r3")) << "the paste follows the first event";
    };
    g.OnSelectionResized = [&](QObject *, const TGridRect &o, const TGridRect &n) {
        events.push_back("resized " + rect(o) + " " + rect(n));
    };

    const TRect R = g.CellRect(2, 2);
    const QPoint handle(R.Right - 2, R.Bottom - 2);
    move(handle);
    press(handle);
    EXPECT_TRUE(g.SelectionResizing());
    EXPECT_EQ(g.GridState(), gsSelecting);
    // Above the top-left cell the selection shrinks to that cell; it never passes it.
    move(centre(2, 1) - QPoint(0, 4));
    EXPECT_EQ(g.Selection(), (TGridRect{2, 1, 2, 1}));
    move(centre(2, 4));
    move(centre(2, 5));
    EXPECT_EQ(g.Selection(), (TGridRect{2, 1, 2, 5}));
    EXPECT_EQ(g.SelectCursorId(), 8012) << "the drag keeps the handle's cursor";
    release(centre(2, 5));

    EXPECT_FALSE(g.SelectionResizing());
    EXPECT_EQ(g.GridState(), gsNormal);
    const QStringList expected{"1", "3", "5", "7", "9"};
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(g.Cells(2, r), expected.at(r - 1)) << r;
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("c1r3")) << "other columns stay";
    EXPECT_EQ(events, (Log{"resize 2,1-2,2 2,1-2,5", "resized 2,1-2,2 2,1-2,5"}));
}

TEST_F(PointerFixture, DraggingTheHandleWithoutSmartClipboardRepeatsNothingAndFillsReadOnlyCellsToo)
{
    g.SetOptions(g.Options().Include(goRangeSelect));
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.SetCells(3, 2, "x");
    g.SetSelection(TGridRect{3, 2, 3, 2});
    const TRect R = g.CellRect(3, 2);
    press({R.Right - 1, R.Bottom - 1});
    move(centre(4, 2));
    release(centre(4, 2));
    EXPECT_EQ(g.Selection(), (TGridRect{3, 2, 4, 2}));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(4, 2), QStringLiteral("c4r2")) << "without the smart clipboard only the copied cell is pasted";

    g.Navigation()->SetAllowSmartClipboard(true);
    g.SetSelection(TGridRect{3, 2, 3, 2});
    press({R.Right - 1, R.Bottom - 1});
    move(centre(4, 2));
    release(centre(4, 2));
    EXPECT_EQ(g.Cells(4, 2), QStringLiteral("x")) << "the grid is not editable, the handle fills anyway";
    EXPECT_FALSE(g.Navigation()->AllowClipboardAlways()) << "the setting is put back";
}

TEST_F(PointerFixture, CommentCellShowsItsCommentAtItsTopRightCorner)
{
    g.AddComment(2, 3, QStringLiteral("checked <by> Ann"));
    toolTipAt(centre(2, 3));
    THTMLHintWindow *hint = g.CellHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Caption(), QStringLiteral("checked &lt;by&gt; Ann"));
    const TRect R = g.CellRect(2, 3);
    EXPECT_EQ(hint->pos(), global(QPoint(R.Right, R.Top)));
    // A cell without a comment shows none.
    toolTipAt(centre(3, 3));
    EXPECT_FALSE(hint->isVisible());
}
