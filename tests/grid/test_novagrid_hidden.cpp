// Hidden rows and columns: the two index spaces, what travels with a hidden row, and showing
// rows again at every level.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A grid of 5 columns and rows 0..9 whose cells say where they are ("c,r").
struct HiddenFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(5);
        g.SetRowCount(10);
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 5; ++c)
                g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    // The first column's texts of the shown rows, joined.
    QString shownRows()
    {
        QStringList out;
        for (int r = 0; r < g.RowCount(); ++r)
            out << g.Cells(0, r).section(QLatin1Char(','), 1);
        return out.join(QLatin1Char(' '));
    }
};

// The store keeps its items in chunks of places reused after an item goes: over more than one
// chunk, items taken out, deleted and added again keep their own contents, order and indexes.
TEST(HiddenRowStore, ItemsKeepTheirContentsWhilePlacesAreReused)
{
    TGridItems items;
    for (int i = 0; i < 2500; ++i) {
        TGridItem *it = items.Add();
        it->SetIdx(2 * i);
        it->Add(QString::number(i));
    }
    std::vector<TGridItems::TakenItem> taken;
    for (int i = items.Count() - 1; i >= 0; i -= 3)
        taken.push_back(items.Take(i));
    items.Delete(0);
    ASSERT_EQ(items.Count(), 2500 - int(taken.size()) - 1);
    for (int i = 0; i < 900; ++i)
        items.Insert(0)->Add(QStringLiteral("new %1").arg(i)); // takes the deleted item's place first
    for (const auto &t : taken)
        EXPECT_EQ(t->Text(0).toInt() * 2, t->Idx());
    taken.clear();
    for (int i = 0; i < 900; ++i)
        EXPECT_EQ(items.Items(i)->Text(0), QStringLiteral("new %1").arg(899 - i));
    int last = -1;
    for (int i = 900; i < items.Count(); ++i) {
        const TGridItem *it = items.Items(i);
        EXPECT_EQ(it->Text(0).toInt() * 2, it->Idx());
        EXPECT_GT(it->Idx(), last);
        last = it->Idx();
    }
    EXPECT_EQ(items.CountBelow(1), 900) << "the new items have index 0";
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    items.Add()->Add(QStringLiteral("again"));
    EXPECT_EQ(items.Items(0)->Text(0), "again");
}

TEST_F(HiddenFixture, HidingAColumnKeepsItsCellsAndWidth)
{
    g.SetColWidths(2, 33);
    g.HideColumn(2);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    EXPECT_EQ(g.AllColCount(), 5);
    EXPECT_EQ(g.RealColIndex(2), 3);
    EXPECT_EQ(g.DisplColIndex(3), 2);
    EXPECT_TRUE(g.IsHiddenColumn(2));
    EXPECT_EQ(g.Cells(2, 4), "2,4");
    EXPECT_EQ(g.AllColWidths(2), 33);
    EXPECT_EQ(g.ColWidths(2), 64) << "column 3 moved into display position 2";
    g.UnHideColumn(2);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.ColWidths(2), 33);
    EXPECT_EQ(g.RealColIndex(2), 2);
}

TEST_F(HiddenFixture, ColumnMappingEdges)
{
    g.HideColumns(1, 2);
    // Displayed columns 0..2 are real 0, 3, 4; beyond them no column exists.
    EXPECT_EQ(g.RealColIndex(0), 0);
    EXPECT_EQ(g.RealColIndex(1), 3);
    EXPECT_EQ(g.RealColIndex(2), 4);
    EXPECT_EQ(g.RealColIndex(-1), -1);
    EXPECT_EQ(g.RealColIndex(511), -1) << "an out-of-range displayed column is not column 0";
    EXPECT_EQ(g.RealColIndex(600), 600);
    EXPECT_FALSE(g.IsHiddenColumn(600));
    g.UnHideColumnsAll();
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
}

TEST_F(HiddenFixture, LastShownColumnStays)
{
    g.SetColCount(2);
    g.SetFixedCols(0);
    g.HideColumn(0);
    g.HideColumn(1);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_TRUE(g.IsHiddenColumn(0));
    EXPECT_FALSE(g.IsHiddenColumn(1));
}

TEST_F(HiddenFixture, HidingTheCurrentLastColumnMovesTheCursorLeft)
{
    g.SetCol(4);
    g.HideColumn(4);
    EXPECT_EQ(g.Col(), 3);
}

TEST_F(HiddenFixture, HiddenRowKeepsItsCellsObjectsAndHeight)
{
    g.SetRowHeights(3, 40);
    g.SetColors(2, 3, clRed);
    g.HideRow(3);
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.NumHiddenRows(), 1);
    EXPECT_EQ(g.AllRowCount(), 10);
    EXPECT_EQ(g.RealRowIndex(3), 4);
    EXPECT_EQ(g.DisplRowIndex(4), 3);
    EXPECT_TRUE(g.IsHiddenRow(3));
    EXPECT_EQ(g.AllCells(1, 3), "1,3");
    EXPECT_EQ(g.Cells(1, 3), "1,4");
    EXPECT_EQ(g.RowHeights(3), 22);
    EXPECT_EQ(g.Colors(2, 3), clNone) << "the properties went with the hidden row";
    EXPECT_NE(g.GetGridObjectsEx(2, 3), nullptr);
    g.UnHideRow(3);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.Cells(1, 3), "1,3");
    EXPECT_EQ(g.RowHeights(3), 40);
    EXPECT_EQ(g.Colors(2, 3), clRed);
    EXPECT_EQ(shownRows(), "0 1 2 3 4 5 6 7 8 9");
}

TEST_F(HiddenFixture, HideRowsSkipsRowsAlreadyHidden)
{
    g.SetRowHeights(5, 31);
    g.HideRow(4);
    g.HideRows(2, 5);
    EXPECT_EQ(g.NumHiddenRows(), 4);
    EXPECT_EQ(shownRows(), "0 1 6 7 8 9");
    for (int r : {2, 3, 4, 5})
        EXPECT_EQ(g.AllCells(0, r), QStringLiteral("0,%1").arg(r));
    EXPECT_EQ(g.HiddenRowItems(5)->Height(), 31);
    g.UnHideRowsAll();
    EXPECT_EQ(shownRows(), "0 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(g.RowHeights(5), 31);
}

TEST_F(HiddenFixture, RepeatedAndMissingRowsChangeNothing)
{
    g.HideRow(2);
    g.HideRow(2);
    EXPECT_EQ(g.NumHiddenRows(), 1);
    g.UnHideRow(5);
    EXPECT_EQ(g.RowCount(), 9);
    g.HideRow(50);
    EXPECT_EQ(g.NumHiddenRows(), 1);
}

TEST_F(HiddenFixture, UnHideRowsAllRestoresEveryRun)
{
    g.HideRow(7);
    g.HideRow(2);
    g.HideRow(3);
    EXPECT_EQ(shownRows(), "0 1 4 5 6 8 9");
    EXPECT_EQ(g.RealRowIndex(5), 8);
    EXPECT_EQ(g.DisplRowIndex(8), 5);
    g.UnHideRowsAll();
    EXPECT_EQ(g.NumHiddenRows(), 0);
    EXPECT_EQ(shownRows(), "0 1 2 3 4 5 6 7 8 9");
}

TEST_F(HiddenFixture, AllCellsWritesIntoAHiddenRow)
{
    g.SetColCount(3); // the row's item holds the cells of every stored column
    g.HideRow(6);
    g.SetAllCells(7, 6, "x");
    EXPECT_EQ(g.AllCells(7, 6), "x");
    EXPECT_GE(g.HiddenRowItems(6)->Count(), 8);
    EXPECT_THROW(g.SetAllGridCells(40, 6, "y"), EListError);
    g.SetAllCells(1, 8, "shown");
    EXPECT_EQ(g.Cells(1, 7), "shown");
    EXPECT_EQ(g.AllCells(-1, 2), "");
    g.UnHideRow(6);
    EXPECT_EQ(g.Cells(7, 6), "x");
}

TEST_F(HiddenFixture, FilterLevelComesBackInPlace)
{
    g.HideRowList(std::vector<int>{1, 3});
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(shownRows(), "0 2 4 5 6 7 8 9");
    g.UnHideRowList();
    EXPECT_EQ(shownRows(), "0 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

// Showing a filter level restores the rows of that level only; rows hidden on their own stay.
TEST_F(HiddenFixture, UnHideRowListKeepsRowsHiddenOtherwise)
{
    g.HideRow(8);
    g.HideRowList(std::vector<int>{2});         // level 0
    g.HideRowList(std::vector<int>{4, 5});      // level 1: display rows 4, 5 are real 5, 6
    EXPECT_EQ(shownRows(), "0 1 3 4 7 9");
    g.UnHideRowList();
    EXPECT_EQ(shownRows(), "0 1 3 4 5 6 7 9");
    EXPECT_TRUE(g.IsHiddenRow(8));
    EXPECT_EQ(g.AllCells(0, 8), "0,8");
    g.UnHideRowList(); // the filter level is not lowered here: no rows of that level remain
    EXPECT_EQ(g.NumHiddenRows(), 2);
    g.UnHideRow(8);
    EXPECT_EQ(g.AllCells(0, 8), "0,8");
    EXPECT_EQ(shownRows(), "0 1 3 4 5 6 7 8 9");
}

TEST_F(HiddenFixture, RowMappingEdges)
{
    EXPECT_EQ(g.RealRowIndex(-1), -1);
    EXPECT_EQ(g.RealRowIndex(4), 4);
    g.HideRows(0, 1);
    EXPECT_EQ(g.RealRowIndex(0), 2);
    EXPECT_EQ(g.RealRowIndex(20), 22) << "past the last hidden row the offset is the hidden count";
    EXPECT_EQ(g.DisplRowIndex(20), 18);
    EXPECT_EQ(g.RealRow(), g.RealRowIndex(g.Row()));
}

TEST_F(HiddenFixture, HideRowsExKeepsRealIndexes)
{
    g.HideRow(1);
    g.HideRowsEx(4, 5);
    EXPECT_EQ(shownRows(), "0 2 3 6 7 8 9");
    EXPECT_TRUE(g.IsHiddenRow(4));
    EXPECT_TRUE(g.IsHiddenRow(5));
    EXPECT_EQ(g.AllCells(2, 5), "2,5");
    g.UnHideRowsAll();
    EXPECT_EQ(shownRows(), "0 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(g.RowHeights(4), 22) << "a row hidden without its height comes back with the default";
}

TEST_F(HiddenFixture, RowSetterReportsTheChangeAndSynchronises)
{
    std::vector<std::pair<int, int>> updates;
    g.OnRowUpdate = [&](QObject *, int oldRow, int newRow) { updates.push_back({oldRow, newRow}); };
    TNovaStringGrid other;
    g.SyncGrid()->SetGrid(&other);
    g.SyncGrid()->SetSelectionRow(true);
    g.SetRow(4);
    g.SetRow(4);
    g.SetRow(6);
    EXPECT_EQ(updates, (std::vector<std::pair<int, int>>{{-1, 4}, {4, 6}}));
    EXPECT_EQ(other.Row(), 6);
}

TEST_F(HiddenFixture, TopRowOutsideTheScrollableRowsIsIgnored)
{
    g.resize(200, 100);
    g.SetTopRow(3);
    EXPECT_EQ(g.TopRow(), 3);
    g.SetTopRow(0);
    EXPECT_EQ(g.TopRow(), 3);
    g.SetTopRow(10);
    EXPECT_EQ(g.TopRow(), 3);
}

TEST_F(HiddenFixture, SelectionHiddenAndBack)
{
    g.SetSelection({2, 3, 2, 3});
    g.HideSelection();
    EXPECT_TRUE(g.SelectionHidden());
    g.UnHideSelection();
    EXPECT_FALSE(g.SelectionHidden());
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 2, 3}));
}

// The list overload answers as the plain one and keeps the list it built for the next call.
TEST_F(HiddenFixture, HiddenRowListIsBuiltOnceForTheCaller)
{
    g.HideRow(2);
    g.HideRow(7);
    std::unique_ptr<TIntList> hidden;
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g.IsHiddenRow(r, hidden), g.IsHiddenRow(r)) << r;
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->Count(), 2);
    // The caller's list stands for the state it was built in.
    g.UnHideRow(7);
    EXPECT_TRUE(g.IsHiddenRow(7, hidden));
    EXPECT_FALSE(g.IsHiddenRow(7));
}

// Rows hide by their selection flags: display flags, or real ones when the selection persists.
TEST_F(HiddenFixture, RowsHideByTheirSelection)
{
    struct Case {
        bool persistent;
        bool selected; // HideSelectedRows, else HideUnSelectedRows
        const char *shown;
    };
    const Case cases[] = {
        {false, true, "0 1 3 4 6 7 8 9"},
        {false, false, "0 2 5"},
        {true, true, "0 1 3 4 6 7 8 9"},
        {true, false, "0 2 5"},
    };
    for (const Case &c : cases) {
        g.UnHideRowsAll();
        g.SetFixedRows(1);
        g.MouseActions()->SetDisjunctRowSelect(true);
        g.MouseActions()->SetRowSelectPersistent(c.persistent);
        g.ClearRowSelect();
        g.SetRowSelect(2, true);
        g.SetRowSelect(5, true);
        c.selected ? g.HideSelectedRows() : g.HideUnSelectedRows();
        EXPECT_EQ(shownRows(), QString::fromLatin1(c.shown)) << c.persistent << c.selected;
        g.UnHideRowsAll();
        EXPECT_EQ(shownRows(), QStringLiteral("0 1 2 3 4 5 6 7 8 9"));
    }
}

TEST_F(HiddenFixture, SelectedRowsOfTheRangeSelectionHide)
{
    g.SetSelection({1, 3, 2, 4});
    g.HideSelectedRows();
    EXPECT_EQ(shownRows(), QStringLiteral("0 1 2 5 6 7 8 9"));
    EXPECT_TRUE(g.IsHiddenRow(3));
    EXPECT_TRUE(g.IsHiddenRow(4));
}

// Asking again after the cell's permission changed switches editing off for it.
TEST_F(HiddenFixture, UpdateEditModeAsksTheCurrentCellAgain)
{
    QWidget parent;
    g.setParent(&parent);
    g.SetOptions(g.Options().Include(goEditing));
    g.FocusCell(2, 2);
    ASSERT_TRUE(g.Options().Contains(goEditing));
    g.OnCanEditCell = [](QObject *, int, int, bool &CanEdit) { CanEdit = false; };
    g.UpdateEditMode();
    EXPECT_FALSE(g.Options().Contains(goEditing));
    g.OnCanEditCell = nullptr;
    g.UpdateEditMode();
    EXPECT_TRUE(g.Options().Contains(goEditing));
    g.setParent(nullptr);
}

} // namespace
