// Row and column selection (rectangle and disjunct flags), modified and enabled rows, and the
// grid's answer when the current cell is about to move, with editing permission per cell.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct SelectionFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(5);
        g.SetRowCount(10);
    }
    std::vector<int> selectedRows() const { return g.SelectedRows()->Values(); }
};

std::string errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ENovaGridError &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST_F(SelectionFixture, InvalidRowsAndColumnsRaiseTheGridErrorWithItsMessage)
{
    EXPECT_EQ(errorOf([&] { g.RowSelect(-1); }), "Invalid row -1 accessed");
    EXPECT_EQ(errorOf([&] { g.RowSelect(10); }), "Invalid row 10 accessed");
    EXPECT_EQ(errorOf([&] { g.SetRowSelect(-1, true); }), "Invalid row accessed");
    EXPECT_EQ(errorOf([&] { g.SetRowSelect(10, true); }), "Invalid row accessed");
    EXPECT_EQ(errorOf([&] { g.ColSelect(5); }), "Invalid column accessed");
    EXPECT_EQ(errorOf([&] { g.SetColSelect(-1, true); }), "Invalid column accessed");
    EXPECT_EQ(errorOf([&] { g.ColSelect(4); }), "no error");
    // A grid without data rows takes any row number from 0 on.
    TNovaStringGrid empty;
    empty.SetFixedRowAlways(true);
    empty.SetRowCount(1);
    ASSERT_EQ(empty.FixedRows(), 1);
    EXPECT_EQ(errorOf([&] { empty.SetRowSelect(25, true); }), "no error");
}

TEST_F(SelectionFixture, PersistentRowSelectionReadsBeyondTheRowsAndGrowsItsList)
{
    g.MouseActions()->SetRowSelectPersistent(true);
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    EXPECT_FALSE(g.RowSelect(50));
    EXPECT_EQ(errorOf([&] { g.RowSelect(49); }), "no error");
}

TEST_F(SelectionFixture, SelectRowsWithoutDisjunctSelectionSetsTheRectangleClippedAtRowCount)
{
    struct Case {
        int index, count;
        TGridRect expected;
    } cases[] = {
        {3, 2, {1, 3, 4, 4}},
        {8, 5, {1, 8, 4, 9}},
        {1, 1, {1, 1, 4, 1}},
    };
    for (const Case &c : cases) {
        g.SelectRows(c.index, c.count);
        EXPECT_EQ(g.Selection(), c.expected) << c.index << "," << c.count;
        EXPECT_TRUE(g.RowSelect(c.expected.Bottom));
        EXPECT_FALSE(g.RowSelect(c.expected.Bottom == 9 ? 7 : c.expected.Bottom + 1));
    }
    // Starting past the last row selects nothing and leaves the rectangle alone.
    const TGridRect before = g.Selection();
    g.SelectRows(12, 2);
    EXPECT_EQ(g.Selection(), before);
}

TEST_F(SelectionFixture, RowSelectCountOfTheRectangleInEitherOrder)
{
    g.SetSelection({1, 7, 2, 4});
    EXPECT_EQ(g.RowSelectCount(), 4);
    EXPECT_EQ(g.ColSelectCount(), 2);
}

TEST_F(SelectionFixture, DisjunctRowsKeepTheirSelectionOrderAndEvents)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    QStringList events;
    g.OnRowDisjunctSelect = [&](QObject *, int r, bool state, bool &) {
        events << QStringLiteral("select %1 %2").arg(r).arg(state);
    };
    g.OnRowDisjunctSelected = [&](QObject *, int r) { events << QStringLiteral("selected %1").arg(r); };
    g.SetRowSelect(5, true);
    g.SetRowSelect(2, true);
    g.SetRowSelect(5, true);
    EXPECT_EQ(selectedRows(), (std::vector<int>{5, 2}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("select 5 1"), QStringLiteral("selected 5"),
                                   QStringLiteral("select 2 1"), QStringLiteral("selected 2"),
                                   QStringLiteral("selected 5")}));
    EXPECT_TRUE(g.RowSelect(5));
    EXPECT_FALSE(g.RowSelect(3));
    EXPECT_EQ(g.RowSelectCount(), 2);
    // Fixed rows get a flag but never enter the list of selected rows.
    g.SetRowSelect(0, true);
    EXPECT_EQ(selectedRows(), (std::vector<int>{5, 2}));
    EXPECT_EQ(g.RowSelectCount(), 3);
    g.SetRowSelect(5, false);
    EXPECT_EQ(selectedRows(), std::vector<int>{2});
    g.ClearRowSelect();
    EXPECT_TRUE(selectedRows().empty());
    EXPECT_EQ(g.RowSelectCount(), 0);
}

TEST_F(SelectionFixture, ARefusedDisjunctRowSelectionChangesNothingAndFiresNoSelectedEvent)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    int selected = 0;
    g.OnRowDisjunctSelect = [](QObject *, int r, bool, bool &allow) { allow = r != 4; };
    g.OnRowDisjunctSelected = [&](QObject *, int) { ++selected; };
    g.SetRowSelect(4, true);
    EXPECT_FALSE(g.RowSelect(4));
    EXPECT_TRUE(selectedRows().empty());
    EXPECT_EQ(selected, 0);
    g.SelectRows(3, 3); // 3, 4, 5: row 4 refused
    EXPECT_EQ(selectedRows(), (std::vector<int>{3, 5}));
    EXPECT_EQ(selected, 2);
    g.UnSelectRows(3, 1);
    EXPECT_EQ(selectedRows(), std::vector<int>{5});
}

TEST_F(SelectionFixture, DisjunctFlagsStayWhenDisjunctSelectionIsSwitchedOff)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    g.SelectRows(6, 1);
    g.MouseActions()->SetDisjunctRowSelectDirect(false);
    g.SetSelection({1, 2, 4, 2});
    EXPECT_FALSE(g.RowSelect(6));
    EXPECT_TRUE(g.RowSelect(2));
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    EXPECT_TRUE(g.RowSelect(6));
}

TEST_F(SelectionFixture, ColumnsSelectAsRectangleOrAsFlags)
{
    g.SelectCols(2, 2);
    EXPECT_EQ(g.Selection(), (TGridRect{2, 1, 3, 9}));
    g.UnSelectCols(2, 2); // nothing without disjunct selection
    EXPECT_EQ(g.Selection(), (TGridRect{2, 1, 3, 9}));
    g.MouseActions()->SetDisjunctColSelect(true);
    g.SelectCols(1, 10); // columns past the last are skipped
    EXPECT_EQ(g.ColSelectCount(), 4);
    g.UnSelectCols(2, 1);
    EXPECT_FALSE(g.ColSelect(2));
    EXPECT_TRUE(g.ColSelect(3));
    g.ClearColSelect();
    EXPECT_EQ(g.ColSelectCount(), 0);
}

TEST_F(SelectionFixture, SelectRangeMakesTheBlockTheSelection)
{
    g.SelectRange(1, 3, 2, 6);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 3, 6}));
}

TEST_F(SelectionFixture, SyncRowSelectCopiesTheRectangleIntoTheFlags)
{
    g.MouseActions()->SetDisjunctRowSelectDirect(true);
    g.SetRowSelect(8, true);
    g.SetSelection({1, 3, 4, 5});
    g.SyncRowSelect(false);
    EXPECT_EQ(selectedRows(), (std::vector<int>{8, 3, 4, 5}));
    g.SyncRowSelect(true); // every row: 8 is cleared
    EXPECT_EQ(selectedRows(), (std::vector<int>{3, 4, 5}));
    g.SyncColSelect(false);
    EXPECT_TRUE(g.ColSelect(4));
    EXPECT_FALSE(g.ColSelect(0));
}

TEST_F(SelectionFixture, ModifiedRows)
{
    EXPECT_FALSE(g.RowModified(30));
    g.SetRowModified(4, true);
    g.SetRowModified(6, true);
    g.SetRowModified(6, false);
    EXPECT_TRUE(g.RowModified(4));
    EXPECT_FALSE(g.RowModified(6));
    EXPECT_EQ(g.ModifiedRowCount(), 1);
}

TEST_F(SelectionFixture, DisablingOrEnablingTheCurrentRowMovesTheCurrentRow)
{
    EXPECT_TRUE(g.RowEnabled(3));
    EXPECT_FALSE(g.UseEnabledRows());
    g.SetRow(1);
    g.SetRowEnabled(1, false);
    EXPECT_TRUE(g.UseEnabledRows());
    EXPECT_FALSE(g.RowEnabled(1));
    EXPECT_EQ(g.Row(), 2);
    g.SetRowEnabled(2, true); // enabling the current row moves it as well
    EXPECT_EQ(g.Row(), 3);
    EXPECT_TRUE(g.RowEnabled(2));
}

// ---- the current cell is about to move -------------------------------------------------------------

namespace {

class ChangingGrid : public TNovaStringGrid {
public:
    std::function<void(int, int, int, int, bool &)> changing;
    void DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow) override
    {
        if (changing)
            changing(OldRow, OldCol, NewRow, NewCol, Allow);
    }
};

struct MoveFixture : ::testing::Test {
    ChangingGrid g;
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(5);
        g.SetRowCount(10);
        g.show();
        QApplication::processEvents();
    }
    bool editing() const { return g.Options().Contains(goEditing); }
};

} // namespace

TEST_F(MoveFixture, ReadOnlyCellsSwitchEditingOffAndEditableCellsBackOn)
{
    TGridOptions o = g.Options();
    g.SetOptions(o.Include(goEditing));
    g.SetReadOnly(2, 3, true);
    g.SetRow(3);
    g.SetCol(2);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_FALSE(editing());
    EXPECT_TRUE(g.EditDisabled());
    g.SetCol(3);
    EXPECT_TRUE(editing());
    EXPECT_FALSE(g.EditDisabled());
}

TEST_F(MoveFixture, CanEditCellTurnsEditingOnInAGridWithoutIt)
{
    EXPECT_FALSE(editing());
    g.SetCol(3);
    EXPECT_FALSE(editing()); // without the event it stays off
    g.OnCanEditCell = [](QObject *, int, int c, bool &can) { can = c == 2; };
    TGridOptions o = g.Options();
    g.SetOptions(o.Include(goRowSelect));
    g.MouseActions()->SetRangeSelectAndEdit(true);
    g.SelectCell(2, 4);
    EXPECT_TRUE(editing());
    EXPECT_FALSE(g.Options().Contains(goRowSelect));
}

TEST_F(MoveFixture, ARefusedChangeKeepsTheCurrentCellAndRowUpdateFiresOncePerRowChange)
{
    std::vector<std::pair<int, int>> updates;
    g.OnRowUpdate = [&](QObject *, int oldRow, int newRow) { updates.emplace_back(oldRow, newRow); };
    g.changing = [](int, int, int newRow, int, bool &allow) { allow = newRow != 5; };
    g.SetRow(3);
    g.SetRow(5);
    EXPECT_EQ(g.Row(), 3);
    g.SetCol(3); // same row: no update
    g.SetRow(4);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[0].second, 3);
    EXPECT_EQ(updates[1], (std::pair<int, int>{3, 4}));
}

TEST_F(MoveFixture, MergedCellsSendTheCurrentCellToTheirBaseCell)
{
    TGridOptions o = g.Options();
    g.SetOptions(o.Exclude(goRangeSelect));
    g.MergeCells(2, 2, 2, 2);
    g.SetRow(3);
    g.SetCol(3);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
}

TEST_F(MoveFixture, DisabledRowsAreSkippedWhenNavigationSaysSo)
{
    g.SetRow(2);
    g.SetRowEnabled(4, false);
    EXPECT_FALSE(g.SelectCell(1, 4));
    g.Navigation()->SetSkipDisabledRows(false);
    EXPECT_TRUE(g.SelectCell(1, 4));
}

TEST_F(MoveFixture, NegativeCellsAreRefused)
{
    EXPECT_FALSE(g.SelectCell(-1, 3));
    EXPECT_FALSE(g.SelectCell(2, -1));
}
