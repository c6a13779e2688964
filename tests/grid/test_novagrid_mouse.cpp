// Mouse input of the string grid, driven by real mouse events on the grid's viewport: the order
// of the events of a click, sizing targets and size drags, header clicks that sort, double
// clicks, the right button, fixed-cell editors, filter-glyph releases and disjunct rows.
#include "grid/ControlLook.h"
#include "grid/FixedCellEditors.h"
#include "grid/NovaColumnGrid.h"
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string at(const char *name, int a, int b) { return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + ")"; }

std::string button(Qt::MouseButton b) { return b == Qt::LeftButton ? "L" : b == Qt::RightButton ? "R" : "?"; }

// A grid that records the sorts the click asks for (sorting itself is another concern).
class SortRecordingGrid : public TNovaStringGrid {
public:
    std::vector<std::string> sorts;
    void QSort() override { sorts.push_back("QSort"); }
    void QUnSort() override { sorts.push_back("QUnSort"); }
    void QSortIndexed() override { sorts.push_back("QSortIndexed"); }
};

struct MouseFixture : ::testing::Test {
    SortRecordingGrid g;
    Log log;

    void SetUp() override
    {
        g.resize(420, 260);
        g.SetColCount(5);
        g.SetRowCount(6);
        g.show();
        QApplication::processEvents();
    }

    // Every mouse and cell event the windows can bind, in the order they fire.
    void record()
    {
        g.OnCanClickCell = [this](QObject *, int r, int c, bool &) { log.push_back(at("CanClickCell", r, c)); };
        g.OnClickCell = [this](QObject *, int r, int c) { log.push_back(at("ClickCell", r, c)); };
        g.OnDblClickCell = [this](QObject *, int r, int c) { log.push_back(at("DblClickCell", r, c)); };
        g.OnSelectCell = [this](QObject *, int c, int r, bool &) { log.push_back(at("SelectCell", c, r)); };
        g.OnMouseDown = [this](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            log.push_back("MouseDown" + button(b));
        };
        g.OnMouseUp = [this](QObject *, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            log.push_back("MouseUp" + button(b));
        };
        g.OnClick = [this](QObject *) { log.push_back("Click"); };
        g.OnDblClick = [this](QObject *) { log.push_back("DblClick"); };
        g.OnCheckBoxChange = [this](QObject *, int c, int r, bool s) { log.push_back(at("CheckBoxChange", c, r) + (s ? "+" : "-")); };
        g.OnCheckBoxClick = [this](QObject *, int c, int r, bool s) { log.push_back(at("CheckBoxClick", c, r) + (s ? "+" : "-")); };
        g.OnClickSort = [this](QObject *, int c) { log.push_back("ClickSort(" + std::to_string(c) + ")"); };
        g.OnEndColumnSize = [this](QObject *, int c) { log.push_back("EndColumnSize(" + std::to_string(c) + ")"); };
        g.OnColumnSize = [this](QObject *, int c, bool &) { log.push_back("ColumnSize(" + std::to_string(c) + ")"); };
    }

    QPoint centre(int c, int r) const
    {
        const TRect R = g.CellRect(c, r);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // The x of the grid line right of a column.
    int borderRightOf(int c) const { return g.CellRect(c, 0).Right; }

    void press(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mousePress(g.viewport(), Qt::LeftButton, m, p); }
    void release(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mouseRelease(g.viewport(), Qt::LeftButton, m, p); }
    void click(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mouseClick(g.viewport(), Qt::LeftButton, m, p); }
    void move(QPoint p) { QTest::mouseMove(g.viewport(), p); }
    // The events of a real double click: press, release, the double-click press, release.
    void doubleClick(QPoint p, Qt::KeyboardModifiers m = {})
    {
        click(p, m);
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, m, p);
        release(p, m);
    }
};

} // namespace

TEST_F(MouseFixture, PlainClickFiresItsEventsInOrderWithAndWithoutEditing)
{
    struct Case {
        bool editing;
        Log expected;
    };
    const Case cases[] = {
        {false, {"CanClickCell(3,2)", "SelectCell(2,3)", "MouseDownL", "ClickCell(3,2)", "|", "Click", "MouseUpL"}},
        {true, {"CanClickCell(3,2)", "SelectCell(2,3)", "Click", "MouseDownL", "ClickCell(3,2)", "|", "MouseUpL"}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.editing ? "goEditing" : "no goEditing");
        g.FocusCell(1, 1, true);
        g.SetOptions(k.editing ? g.Options().Include(goEditing) : g.Options().Exclude(goEditing));
        record();
        log.clear();
        press(centre(2, 3));
        log.push_back("|");
        release(centre(2, 3));
        EXPECT_EQ(log, k.expected);
        EXPECT_EQ(g.Col(), 2);
        EXPECT_EQ(g.Row(), 3);
    }
}

TEST_F(MouseFixture, DragSelectsARangeAndTheReleaseReportsIt)
{
    std::vector<std::vector<int>> reports;
    g.OnSelectionChanged = [&](QObject *, int l, int t, int r, int b) { reports.push_back({l, t, r, b}); };
    press(centre(1, 1));
    move(centre(2, 2));
    move(centre(3, 4));
    release(centre(3, 4));
    const TGridRect s = g.Selection();
    EXPECT_EQ((std::vector<int>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<int>{1, 1, 3, 4}));
    // Each move that changes the selection reports it, and so does the release.
    EXPECT_EQ(reports, (std::vector<std::vector<int>>{{1, 1, 2, 2}, {1, 1, 3, 4}, {1, 1, 3, 4}}));
    // Without range selection the drag carries the current cell along.
    g.SetOptions(g.Options().Exclude(goRangeSelect));
    press(centre(1, 1));
    move(centre(2, 3));
    release(centre(2, 3));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Selection().Left, 2);
    EXPECT_EQ(g.Selection().Top, 3);
}

TEST_F(MouseFixture, RefusedClickMovesNothingAndFiresNoCellEvent)
{
    record();
    g.OnCanClickCell = [this](QObject *, int r, int c, bool &Allow) {
        log.push_back(at("CanClickCell", r, c));
        Allow = false;
    };
    click(centre(3, 4));
    EXPECT_EQ(log, (Log{"CanClickCell(4,3)", "MouseUpL"}));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(MouseFixture, ClickOnAFixedCellClicksAtTheReleaseAndMovesNothing)
{
    record();
    click(centre(2, 0));
    EXPECT_EQ(log, (Log{"CanClickCell(0,2)", "MouseDownL", "ClickCell(0,2)", "Click", "MouseUpL"}));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.MoveCell(), 2); // a header press names its column as the moving candidate
}

TEST_F(MouseFixture, PressNearABorderNamesTheColumnOrRowBeforeItAsSizingTarget)
{
    const int border = borderRightOf(1); // the line between columns 1 and 2
    const int rowBorder = g.CellRect(0, 2).Bottom; // between rows 2 and 3
    struct Case {
        const char *what;
        QPoint at;
        int col;
        int row;
    };
    const Case cases[] = {
        {"header 3 px right of the border", {border + 3, 10}, 1, 0},
        {"header 6 px right of the border", {border + 6, 10}, 2, 0},
        {"data row 3 px right, 2 px below a row line", {border + 3, rowBorder + 3}, 1, 2},
        {"data row 6 px right, 6 px below a row line", {border + 6, rowBorder + 6}, 2, 3},
        {"fixed column 3 px below a row line", {20, rowBorder + 3}, 0, 2},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        press(k.at);
        release(k.at);
        EXPECT_EQ(g.ClickedCol(), k.col);
        EXPECT_EQ(g.ClickedRow(), k.row);
    }
}

TEST_F(MouseFixture, DraggingAHeaderBorderSizesTheColumnAndReportsTheEnd)
{
    g.SetOptions(g.Options().Include(goColSizing));
    g.SortSettings()->SetShow(true);
    record();
    int asked = -1;
    g.OnUpdateColumnSize = [&](QObject *, int c, int &w) {
        asked = c;
        EXPECT_EQ(w, 64 + 20);
        w = 80;
    };
    const int border = borderRightOf(1);
    press({border, 10});
    move({border + 10, 10});
    move({border + 20, 10});
    release({border + 20, 10});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(g.ColWidths(1), 80);
    // A sizing press is no cell click and its release sorts nothing.
    EXPECT_EQ(log, (Log{"CanClickCell(0,2)", "ColumnSize(1)", "MouseDownL", "EndColumnSize(1)", "MouseUpL"}));
    EXPECT_TRUE(g.sorts.empty());
}

TEST_F(MouseFixture, SizeDragRefusedOrReleasedBeyondTheEdgeLeavesTheWidth)
{
    g.SetOptions(g.Options().Include(goColSizing));
    const int border = borderRightOf(1);
    {
        SCOPED_TRACE("refused by OnColumnSize");
        g.OnColumnSize = [](QObject *, int, bool &Allow) { Allow = false; };
        press({border, 10});
        move({border + 30, 10});
        release({border + 30, 10});
        EXPECT_EQ(g.ColWidths(1), 64);
        g.OnColumnSize = nullptr;
    }
    {
        SCOPED_TRACE("released beyond the right edge");
        bool ended = false;
        g.OnEndColumnSize = [&](QObject *, int) { ended = true; };
        press({border, 10});
        move({border + 30, 10});
        EXPECT_EQ(g.ColWidths(1), 94);
        release({g.viewport()->width() + 20, 10});
        EXPECT_EQ(g.ColWidths(1), 64);
        EXPECT_FALSE(ended);
        EXPECT_EQ(g.GridState(), gsNormal);
    }
}

TEST_F(MouseFixture, HeaderClicksSortAscendingThenDescendingThenUndo)
{
    g.SortSettings()->SetShow(true);
    g.SortSettings()->SetUndoSort(true);
    record();
    struct Step {
        std::string sort;
        int column;
        TSortDirection direction;
    };
    const Step steps[] = {
        {"QSort", 2, sdAscending},
        {"QSort", 2, sdDescending},
        {"QUnSort", -1, sdAscending},
    };
    for (const Step &s : steps) {
        g.sorts.clear();
        log.clear();
        click(centre(2, 0));
        EXPECT_EQ(g.sorts, (std::vector<std::string>{s.sort}));
        EXPECT_EQ(g.SortSettings()->Column(), s.column);
        EXPECT_EQ(g.SortSettings()->Direction(), s.direction);
        EXPECT_EQ(log.back(), "ClickSort(" + std::to_string(s.column) + ")");
    }
    // Another column starts again in the initial direction.
    click(centre(3, 0));
    EXPECT_EQ(g.SortSettings()->Column(), 3);
    EXPECT_EQ(g.SortSettings()->Direction(), sdAscending);
}

TEST_F(MouseFixture, HeaderClicksThatDoNotSort)
{
    g.SortSettings()->SetShow(true);
    struct Case {
        const char *what;
        std::function<void()> arrange;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"two rows only", [&] { g.SetRowCount(2); }, [&] { click(centre(2, 0)); }},
        {"refused by OnCanSort", [&] { g.OnCanSort = [](QObject *, int, bool &DoSort) { DoSort = false; }; },
         [&] { click(centre(2, 0)); }},
        {"ignored column", [&] { g.IgnoreColumns()->Add(2); }, [&] { click(centre(2, 0)); }},
        {"sorting not shown", [&] { g.SortSettings()->SetShow(false); }, [&] { click(centre(2, 0)); }},
        {"release near a column edge with column sizing",
         [&] { g.SetOptions(g.Options().Include(goColSizing)); },
         [&] {
             const QPoint p(g.CellRect(2, 0).Left + 2 + 3, 10);
             press(p);
             release({g.CellRect(2, 0).Right - 2, 10});
         }},
        {"pressed on a data row, released on the header", [] {},
         [&] {
             press(centre(2, 2));
             release(centre(2, 0));
         }},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        g.sorts.clear();
        k.arrange();
        k.act();
        EXPECT_TRUE(g.sorts.empty());
        g.SetRowCount(6);
        g.OnCanSort = nullptr;
        g.IgnoreColumns()->Clear();
        g.SortSettings()->SetShow(true);
        g.SetOptions(g.Options().Exclude(goColSizing));
    }
}

TEST_F(MouseFixture, IndexedSortingAddsColumnsWithTheSortKey)
{
    g.SortSettings()->SetShow(true);
    g.SortSettings()->SetIndexShow(true);
    click(centre(2, 0));
    click(centre(3, 0), Qt::ShiftModifier);
    ASSERT_EQ(g.SortIndexes()->Count(), 2);
    EXPECT_EQ(g.SortIndexes()->GetSortColumns(0), 2);
    EXPECT_EQ(g.SortIndexes()->GetSortColumns(1), 3);
    click(centre(3, 0), Qt::ShiftModifier); // flips the direction of a column already listed
    EXPECT_FALSE(g.SortIndexes()->GetSortDirections(1));
    click(centre(4, 0)); // without the key the list starts again
    ASSERT_EQ(g.SortIndexes()->Count(), 1);
    EXPECT_EQ(g.SortSettings()->Column(), 4);
    EXPECT_EQ(g.sorts, (std::vector<std::string>(4, "QSortIndexed")));
}

TEST_F(MouseFixture, DoubleClickOnADataCellClicksOnceThenReportsTheDoubleClick)
{
    record();
    doubleClick(centre(3, 2));
    const Log cell = {"CanClickCell(2,3)", "SelectCell(3,2)", "MouseDownL", "ClickCell(2,3)", "Click", "MouseUpL"};
    Log expected = cell;
    expected.insert(expected.end(), {"DblClick", "DblClickCell(2,3)", "MouseUpL"});
    EXPECT_EQ(log, expected);
}

TEST_F(MouseFixture, DoubleClickOnAClickableGraphicReachesOnlyThePlatform)
{
    for (const TCellType kind : {ctCheckBox, ctRadioButton, ctButton, ctRadio}) {
        SCOPED_TRACE(int(kind));
        g.CreateCellGraphic(3, 2)->SetCellType(kind);
        record();
        log.clear();
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(3, 2));
        EXPECT_EQ(log, (Log{"DblClick"}));
        g.RemoveCellGraphic(3, 2);
    }
}

TEST_F(MouseFixture, DoubleClickOnAHeaderBorderAutoSizesWithoutSortingOrCellEvent)
{
    g.SetOptions(g.Options().Include(goColSizing));
    g.SortSettings()->SetShow(true);
    record();
    const int border = borderRightOf(2);
    doubleClick(QPoint(border - 2, 10));
    const auto firstUp = std::find(log.begin(), log.end(), "MouseUpL");
    ASSERT_NE(firstUp, log.end());
    const Log afterPair(firstUp + 1, log.end());
    EXPECT_EQ(afterPair, (Log{"ColumnSize(2)", "EndColumnSize(2)", "DblClick", "MouseUpL"}));
    EXPECT_TRUE(std::find(log.begin(), log.end(), "DblClickCell(0,2)") == log.end());
    EXPECT_TRUE(g.sorts.empty());
    // The mark is gone after that release: the next click sorts.
    click(centre(2, 0));
    EXPECT_EQ(g.sorts.size(), 1u);
}

TEST_F(MouseFixture, AutoSizeDoubleClickRefusedOrSwitchedOffFiresNoEnd)
{
    g.SetOptions(g.Options().Include(goColSizing));
    record();
    const QPoint nearBorder(borderRightOf(2) + 2, 10); // 2 px into column 3: its left edge names column 2
    g.OnColumnSize = [this](QObject *, int c, bool &Allow) {
        log.push_back("ColumnSize(" + std::to_string(c) + ")");
        Allow = false;
    };
    doubleClick(nearBorder);
    EXPECT_TRUE(std::find(log.begin(), log.end(), "ColumnSize(2)") != log.end());
    EXPECT_TRUE(std::find(log.begin(), log.end(), "EndColumnSize(2)") == log.end());
    log.clear();
    g.MouseActions()->SetAutoSizeColOnDblClick(false);
    g.OnColumnSize = nullptr;
    doubleClick(centre(3, 0));
    EXPECT_TRUE(std::find(log.begin(), log.end(), "DblClickCell(0,3)") != log.end());
}

TEST_F(MouseFixture, RightClickSelectsLikeALeftClickOrFocusesForItsHandler)
{
    g.MouseActions()->SetSelectOnRightClick(true);
    record();
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(3, 4));
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(log, (Log{"MouseDownR", "SelectCell(3,4)", "MouseDownL", "Click", "MouseUpL", "SelectCell(3,4)", "MouseUpR"}));

    log.clear();
    std::vector<std::pair<int, int>> right;
    g.OnRightClickCell = [&](QObject *, int r, int c) { right.push_back({r, c}); };
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(2, 2));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(right, (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_TRUE(std::find(log.begin(), log.end(), "MouseDownL") == log.end());
}

TEST_F(MouseFixture, RightClickWithoutSelectOnRightClickOnlyReports)
{
    std::vector<std::pair<int, int>> right;
    g.OnRightClickCell = [&](QObject *, int r, int c) { right.push_back({r, c}); };
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(3, 4));
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, QPoint(g.viewport()->width() - 2, g.viewport()->height() - 2));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(right, (std::vector<std::pair<int, int>>{{4, 3}, {-1, -1}}));
}

TEST_F(MouseFixture, RightClickUnderDisjunctRowsSelectsTheRowOrFlipsItWithCtrl)
{
    g.MouseActions()->SetSelectOnRightClick(true);
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(2, 2));
    EXPECT_EQ(g.SelectedRows()->Values(), (std::vector<int>{2}));
    QTest::mouseClick(g.viewport(), Qt::RightButton, Qt::ControlModifier, centre(2, 4));
    EXPECT_TRUE(g.RowSelect(2));
    EXPECT_TRUE(g.RowSelect(4));
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(2, 3));
    EXPECT_FALSE(g.RowSelect(2));
    EXPECT_TRUE(g.RowSelect(3));
    EXPECT_FALSE(g.RowSelect(4));
}

TEST_F(MouseFixture, FixedCellEditorOpensOnTheConfiguredPress)
{
    g.SetOptions(g.Options().Include(goColSizing));
    g.SetCells(2, 0, "Head");
    struct Case {
        TGridFixedCellEdit how;
        Qt::MouseButton button;
        int inset; // pixels inside the cell's left edge
        bool opens;
    };
    const Case cases[] = {
        {fceLeftClick, Qt::LeftButton, 3, false},
        {fceLeftClick, Qt::LeftButton, 6, true},
        {fceLeftClick, Qt::RightButton, 20, false},
        {fceRightClick, Qt::RightButton, 2, true},
        {fceRightClick, Qt::LeftButton, 20, false},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(std::to_string(int(k.how)) + " " + button(k.button) + " at " + std::to_string(k.inset));
        g.EditTrans()->hide();
        g.MouseActions()->SetFixedRowsEdit(k.how);
        QTest::mouseClick(g.viewport(), k.button, {}, QPoint(g.CellRect(2, 0).Left + k.inset, 10));
        EXPECT_EQ(g.EditTrans()->isVisible(), k.opens);
        if (k.opens)
            EXPECT_EQ(g.EditTrans()->text(), QStringLiteral("Head"));
    }
}

TEST_F(MouseFixture, FixedCellEditorRefusedOrTurnedIntoAComboByItsEvents)
{
    g.MouseActions()->SetFixedRowsEdit(fceLeftClick);
    g.OnCanEditCell = [](QObject *, int, int c, bool &CanEdit) { CanEdit = c != 3; };
    click(centre(3, 0));
    EXPECT_FALSE(g.EditTrans()->isVisible());
    EXPECT_FALSE(g.ComboTrans()->isVisible());

    g.OnFixedEdit = [](QObject *, int, int, TGridFixedCellEditor &AEditor, QStringList &Values) {
        AEditor = fceComboList;
        Values = {"A", "B"};
    };
    std::vector<std::string> changes;
    g.OnEditChange = [&](QObject *, int c, int r, QString v) { changes.push_back(at("Edit", c, r) + v.toStdString()); };
    click(centre(2, 0));
    ASSERT_TRUE(g.ComboTrans()->isVisible());
    EXPECT_EQ(g.ComboTrans()->count(), 2);
    EXPECT_FALSE(g.ComboTrans()->isEditable());
    g.ComboTrans()->setCurrentIndex(1);
    EXPECT_EQ(changes.back(), "Edit(2,0)B");
}

TEST_F(MouseFixture, FilterListOpensOnlyFromItsGlyphBandAndClosesOnTheNextRelease)
{
    g.OnGetColumnFilter = [](QObject *, int c, QStringList &f) {
        if (c == 2)
            f << "a" << "b";
    };
    const TRect R = g.CellRect(2, 0);
    struct Case {
        int fromRight;
        int y;
        int expected;
    };
    const Case cases[] = {
        {10, 5, 2},  // inside the band
        {16, 5, -1}, // at its left end, excluded
        {3, 5, -1},  // at its right end, excluded
        {10, 20, -1}, // below the top 19 pixels
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(std::to_string(k.fromRight) + "," + std::to_string(k.y));
        click(centre(1, 2)); // any other release closes
        click(QPoint(R.Right - k.fromRight, R.Top + k.y));
        EXPECT_EQ(g.FilterCol(), k.expected);
    }
    click(QPoint(R.Right - 10, R.Top + 5));
    ASSERT_EQ(g.FilterCol(), 2);
    click(QPoint(R.Right - 10, R.Top + 5));
    EXPECT_EQ(g.FilterCol(), -1);
}

TEST_F(MouseFixture, CtrlClicksBuildADisjunctRowSelection)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    click(centre(2, 1));
    click(centre(2, 3), Qt::ControlModifier);
    click(centre(2, 4), Qt::ControlModifier);
    EXPECT_EQ(g.RowSelectCount(), 3);
    click(centre(2, 3), Qt::ControlModifier); // a selected row is unselected
    EXPECT_FALSE(g.RowSelect(3));
    EXPECT_TRUE(g.RowSelect(1));
    EXPECT_TRUE(g.RowSelect(4));
    click(centre(2, 2)); // without Ctrl the selection starts again
    EXPECT_EQ(g.RowSelectCount(), 1);
    EXPECT_TRUE(g.RowSelect(2));
}

TEST_F(MouseFixture, RadioGroupClickChoosesTheOptionUnderThePoint)
{
    g.SetOptions(g.Options().Include(goEditing));
    g.SetRowHeights(2, 60);
    auto *items = new QStringList{"one", "two", "three"};
    TCellGraphic *gr = g.CreateCellGraphic(2, 2);
    gr->SetCellType(ctRadio);
    gr->SetCellBitmap(TCellObjectRef(items));
    gr->SetCellCreated(true);
    gr->SetCellIndex(0);
    const TRect R = g.CellRect(2, 2);
    const int line = std::max(16, QFontMetrics(g.Font().ToQFont()).height());
    click(QPoint(R.Left + 5, R.Top + line + line / 2)); // inside the second option's band
    EXPECT_EQ(gr->CellIndex(), 1);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
}

namespace {

// A column grid as the windows build it: an editable data check box column, a read-only one.
struct CheckBoxClickFixture : ::testing::Test {
    TNovaColumnGrid g;
    Log log;

    void SetUp() override
    {
        g.resize(420, 260);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetOptions(g.Options().Include(goEditing));
        g.Columns()->Items(2)->SetEditor(edDataCheckBox);
        g.Columns()->Items(3)->SetEditor(edDataCheckBox);
        g.Columns()->Items(3)->SetReadOnly(true);
        for (int r = 1; r < 6; ++r) {
            g.SetCells(2, r, "N");
            g.SetCells(3, r, "N");
        }
        g.show();
        QApplication::processEvents();
        g.OnCanClickCell = [this](QObject *, int r, int c, bool &) { log.push_back(at("CanClickCell", r, c)); };
        g.OnClickCell = [this](QObject *, int r, int c) { log.push_back(at("ClickCell", r, c)); };
        g.OnMouseDown = [this](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("MouseDown"); };
        g.OnMouseUp = [this](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("MouseUp"); };
        g.OnClick = [this](QObject *) { log.push_back("Click"); };
        auto state = [](bool s) { return std::string(s ? "+" : "-"); };
        g.OnCheckBoxChange = [this, state](QObject *, int c, int r, bool s) { log.push_back(at("CheckBoxChange", c, r) + state(s)); };
        g.OnCheckBoxClick = [this, state](QObject *, int c, int r, bool s) { log.push_back(at("CheckBoxClick", c, r) + state(s)); };
        g.OnCheckBoxMouseUp = [this, state](QObject *, int c, int r, bool s) { log.push_back(at("CheckBoxMouseUp", c, r) + state(s)); };
    }
    QPoint in(int c, int r, int dx, int dy) const
    {
        const TRect R = g.CellRect(c, r);
        return QPoint(R.Left + dx, R.Top + dy);
    }
    void click(QPoint p) { QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, p); }
};

} // namespace

TEST_F(CheckBoxClickFixture, ClickOnADataCheckBoxTogglesWithItsEventOrderAndNoCellClick)
{
    click(in(2, 3, 8, 8));
    EXPECT_EQ(log, (Log{"CanClickCell(3,2)", "CheckBoxChange(2,3)+", "CheckBoxClick(2,3)+", "MouseDown", "Click",
                        "MouseUp", "CheckBoxMouseUp(2,3)+"}));
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("Y"));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
    log.clear();
    click(in(2, 3, 8, 8));
    EXPECT_EQ(log.at(1), "CheckBoxChange(2,3)-");
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("N"));
}

TEST_F(CheckBoxClickFixture, ClickBesideThePreciseGlyphOrOnAReadOnlyBoxIsAPlainClick)
{
    struct Case {
        const char *what;
        std::function<void()> arrange;
        QPoint at;
        int col;
    };
    const Case cases[] = {
        {"beside the glyph with precise checking", [&] { g.MouseActions()->SetPreciseCheckBoxCheck(true); },
         in(2, 3, 40, 8), 2},
        {"read-only column", [] {}, in(3, 3, 8, 8), 3},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        log.clear();
        k.arrange();
        click(k.at);
        EXPECT_EQ(g.Cells(k.col, 3), QStringLiteral("N"));
        EXPECT_TRUE(std::find(log.begin(), log.end(), at("ClickCell", 3, k.col)) != log.end());
        EXPECT_TRUE(std::none_of(log.begin(), log.end(),
                                 [](const std::string &e) { return e.rfind("CheckBoxChange", 0) == 0; }));
    }
    // The precise glyph itself still toggles.
    log.clear();
    const int top = g.CellRect(2, 3).Top + 2; // the grid's glyphs sit at the top by default
    click(QPoint(g.CellRect(2, 3).Left + 2 + 3, top + 3));
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("Y"));
}

TEST_F(CheckBoxClickFixture, ReadOnlyBoxTogglesWhenChecksAreAlwaysActive)
{
    g.ControlLook()->SetCheckAlwaysActive(true);
    click(in(3, 2, 8, 8));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("Y"));
    EXPECT_EQ(log.at(1), "CheckBoxChange(3,2)+");
}

TEST_F(CheckBoxClickFixture, HeaderCheckBoxWithCheckAllSetsEveryDataRow)
{
    g.MouseActions()->SetCheckAllCheck(true);
    g.ControlLook()->SetCheckAlwaysActive(true); // a header cell is never editable
    g.AddCheckBoxColumn(1, false, false);
    g.SetCheckBoxState(1, 4, true);
    const auto states = [&] {
        std::vector<bool> v;
        for (int r = 0; r < 6; ++r)
            v.push_back(g.IsChecked(1, r));
        return v;
    };
    click(in(1, 0, 8, 8));
    EXPECT_EQ(states(), std::vector<bool>(6, true));
    click(in(1, 0, 8, 8));
    EXPECT_EQ(states(), std::vector<bool>(6, false));
}

TEST_F(CheckBoxClickFixture, RadioButtonClickChecksItAndReportsTheClick)
{
    std::vector<std::string> clicked;
    g.OnRadioButtonClick = [&](QObject *, int c, int r) { clicked.push_back(at("Radio", c, r)); };
    g.AddRadioButtonColumn(1);
    g.AddRadioButton(1, 2, true);
    click(in(1, 4, 6, 6));
    EXPECT_EQ(g.GetRadioButtonColumnIndex(1), 4);
    EXPECT_FALSE(g.IsRadioButtonChecked(1, 2));
    EXPECT_EQ(clicked, (std::vector<std::string>{"Radio(1,4)"}));
    EXPECT_TRUE(std::find(log.begin(), log.end(), "CheckBoxClick(1,4)+") != log.end());
}

TEST_F(CheckBoxClickFixture, BorderDoubleClickSizesTheColumnLikeAutoSizeCol)
{
    g.SetOptions(g.Options().Include(goColSizing));
    g.SetCells(1, 2, "a much longer text than the column shows");
    TNovaColumnGrid twin;
    twin.SetColCount(4);
    twin.SetRowCount(6);
    twin.SetCells(1, 2, g.Cells(1, 2));
    twin.AutoSizeCol(1, 0);
    ASSERT_GT(twin.ColWidths(1), 64);
    std::vector<int> ended;
    g.OnEndColumnSize = [&](QObject *, int c) { ended.push_back(c); };
    const QPoint border(g.CellRect(1, 0).Right - 1, 8);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, border);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, border);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, border);
    EXPECT_EQ(g.ColWidths(1), twin.ColWidths(1));
    EXPECT_EQ(ended, (std::vector<int>{1}));
}
