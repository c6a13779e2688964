// Row and column structure: insertion, removal, moving and merging, with the grid's side
// structures checked after every change.
#include "grid/NovaColumnGrid.h"
#include "grid/NovaGrid.h"

#include <QLabel>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What must hold after any structural change.
void expectConsistent(TNovaStringGrid &g, const char *what, bool leftoversBefore = false)
{
    SCOPED_TRACE(what);
    // Hidden-row indexes: distinct, inside the grid's real rows, and the mapping round-trips.
    std::vector<int> idx;
    for (int i = 0; i < g.GridItems().Count(); ++i)
        idx.push_back(g.GridItems().Items(i)->Idx());
    std::sort(idx.begin(), idx.end());
    EXPECT_TRUE(std::adjacent_find(idx.begin(), idx.end()) == idx.end()) << "two hidden rows share an index";
    for (int i : idx)
        EXPECT_LT(i, g.TotalRowCount());
    for (int d = 0; d < g.RowCount(); ++d)
        EXPECT_EQ(g.DisplRowIndex(g.RealRowIndex(d)), d);
    // Cell controls: each listed control sits in the cell that holds it.
    for (int i = 0; i < g.ControlList().Count(); ++i) {
        TControlItem *ci = g.ControlList().GetControl(i);
        if (g.IsHiddenRow(ci->Y()))
            continue;
        EXPECT_EQ(g.CellControls(ci->X(), g.DisplRowIndex(ci->Y())), ci->Control()) << "control row " << ci->Y();
    }
    EXPECT_EQ(g.NumCellControls(), g.ControlList().Count());
    // Per-row lists never reach past the rows.
    EXPECT_LE(g.EnabledRows()->Count(), g.RowCount());
    for (int v : g.ModifiedRows()->Values())
        EXPECT_LT(v, g.RowCount());
    for (int v : g.SelectedRows()->Values())
        EXPECT_LT(v, g.TotalRowCount());
    for (int i = 0; i < g.SelectedCellList()->Count(); ++i)
        EXPECT_LT(g.SelectedCellList()->Items(i).Y, g.RowCount());
    // Nothing is left past the end of the grid (unless the test put leftovers there itself).
    if (!leftoversBefore)
        EXPECT_EQ(g.Store().NextRow(g.RowCount()), -1) << "cells left past the last row";
}

// Ten rows of five columns; each cell says where it started ("c,r"); row r is r+20 high.
void fillRows(TNovaStringGrid &g)
{
    g.SetColCount(5);
    g.SetRowCount(10);
    for (int r = 0; r < 10; ++r) {
        g.SetRowHeights(r, 20 + r);
        for (int c = 0; c < 5; ++c)
            g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
}

// The rows as they started, read from column 0 ("-" for an empty row).
QString rowsOf(TNovaStringGrid &g)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << (g.Cells(0, r).isEmpty() ? QStringLiteral("-") : g.Cells(0, r).section(QLatin1Char(','), 1));
    return out.join(QLatin1Char(' '));
}

struct RowsFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override { fillRows(g); }
    QString rows() { return rowsOf(g); }
};

TEST_F(RowsFixture, InsertedRowsAreEmptyAndTheRowsBelowTakeTheirHeightsObjectsAndControls)
{
    g.SetColors(2, 3, clYellow);
    QLabel *ctl = new QLabel;
    g.SetCellControls(1, 5, ctl);
    g.SetRowModified(6, true);
    g.SetRowEnabled(7, false);
    g.InsertRows(3, 2);
    expectConsistent(g, "InsertRows(3, 2)");
    EXPECT_EQ(rows(), "0 1 2 - - 3 4 5 6 7 8 9");
    EXPECT_EQ(g.RowHeights(3), g.DefaultRowHeight());
    EXPECT_EQ(g.RowHeights(4), g.DefaultRowHeight());
    EXPECT_EQ(g.RowHeights(5), 23);
    EXPECT_EQ(g.Colors(2, 5), clYellow);
    EXPECT_EQ(g.Colors(2, 3), clNone);
    EXPECT_EQ(g.ControlList().GetControl(0)->Y(), 7);
    EXPECT_TRUE(g.RowModified(8));
    EXPECT_FALSE(g.RowEnabled(9));
    EXPECT_TRUE(g.RowEnabled(7));
}

TEST_F(RowsFixture, RemovingRowsBeforeHiddenRowsLowersTheirIndexesAndTheyComeBackInOrder)
{
    g.HideRows(8, 9);
    g.RemoveRows(2, 3);
    expectConsistent(g, "RemoveRows(2, 3)");
    EXPECT_TRUE(g.IsHiddenRow(5));
    EXPECT_TRUE(g.IsHiddenRow(6));
    g.UnHideRow(5);
    EXPECT_EQ(rows(), "0 1 5 6 7 8");
    expectConsistent(g, "UnHideRow(5)");
}

TEST_F(RowsFixture, InsertingRowsBeforeAHiddenRowKeepsItsPlace)
{
    g.HideRow(6);
    g.InsertRows(3, 2);
    expectConsistent(g, "InsertRows before a hidden row");
    g.UnHideRowsAll();
    EXPECT_EQ(rows(), "0 1 2 - - 3 4 5 6 7 8 9");
}

TEST_F(RowsFixture, RemovingTheLastNormalRowMovesTheCurrentRowUpAndNoRowLeftShowsNoSelection)
{
    g.SetFixedRowAlways(true); // the header row stays when no normal row is left
    g.FocusCell(1, 9);
    g.RemoveRows(9, 1);
    EXPECT_EQ(g.Row(), 8);
    g.RemoveRows(1, 8);
    expectConsistent(g, "every normal row removed");
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_TRUE(g.SelectionHidden());
    g.InsertRows(1, 1);
    EXPECT_FALSE(g.SelectionHidden()) << "a new row brings the selection back";
}

TEST(GridRowRequests, RequestsOutsideTheGridDoNothingAndCountsAreClipped)
{
    struct Case {
        const char *what;
        std::function<void(TNovaStringGrid &)> op;
        const char *after;
    };
    const Case cases[] = {
        {"remove at RowCount", [](TNovaStringGrid &g) { g.RemoveRows(10, 1); }, "0 1 2 3 4 5 6 7 8 9"},
        {"remove past RowCount", [](TNovaStringGrid &g) { g.RemoveRows(12, 3); }, "0 1 2 3 4 5 6 7 8 9"},
        {"remove zero rows", [](TNovaStringGrid &g) { g.RemoveRows(3, 0); }, "0 1 2 3 4 5 6 7 8 9"},
        {"remove a negative count", [](TNovaStringGrid &g) { g.RemoveRows(3, -2); }, "0 1 2 3 4 5 6 7 8 9"},
        {"remove at a negative row", [](TNovaStringGrid &g) { g.RemoveRows(-1, 2); }, "0 1 2 3 4 5 6 7 8 9"},
        {"remove more rows than follow", [](TNovaStringGrid &g) { g.RemoveRows(8, 100); }, "0 1 2 3 4 5 6 7"},
        {"plain remove past RowCount", [](TNovaStringGrid &g) { g.RemoveRowsEx(10, 2); }, "0 1 2 3 4 5 6 7 8 9"},
        {"insert past RowCount", [](TNovaStringGrid &g) { g.InsertRows(11, 2); }, "0 1 2 3 4 5 6 7 8 9"},
        {"insert at a negative row", [](TNovaStringGrid &g) { g.InsertRows(-1, 2); }, "0 1 2 3 4 5 6 7 8 9"},
        {"insert zero rows", [](TNovaStringGrid &g) { g.InsertRows(2, 0); }, "0 1 2 3 4 5 6 7 8 9"},
        {"insert at RowCount appends", [](TNovaStringGrid &g) { g.InsertRows(10, 1); }, "0 1 2 3 4 5 6 7 8 9 -"},
        {"move from past RowCount", [](TNovaStringGrid &g) { g.MoveRows(10, 2, 1); }, "0 1 2 3 4 5 6 7 8 9"},
        {"move a negative count", [](TNovaStringGrid &g) { g.MoveRows(2, 5, -1); }, "0 1 2 3 4 5 6 7 8 9"},
        {"move to a negative row", [](TNovaStringGrid &g) { g.MoveRows(2, -3, 1); }, "0 1 2 3 4 5 6 7 8 9"},
        {"move more rows than follow", [](TNovaStringGrid &g) { g.MoveRows(8, 1, 5); }, "0 8 9 1 2 3 4 5 6 7"},
        {"move past the end lands last", [](TNovaStringGrid &g) { g.MoveRows(1, 50, 2); }, "0 3 4 5 6 7 8 9 1 2"},
        {"move down by a block", [](TNovaStringGrid &g) { g.MoveRows(1, 6, 2); }, "0 3 4 5 1 2 6 7 8 9"},
        {"move one row up", [](TNovaStringGrid &g) { g.MoveRow(7, 2); }, "0 1 7 2 3 4 5 6 8 9"},
        {"move a row past the end", [](TNovaStringGrid &g) { g.MoveRow(2, 10); }, "0 1 2 3 4 5 6 7 8 9"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TNovaStringGrid h;
        fillRows(h);
        c.op(h);
        EXPECT_EQ(rowsOf(h), c.after);
        expectConsistent(h, c.what);
    }
}

TEST_F(RowsFixture, MovedRowsTakeTheirHeightsControlsAndMarksAlong)
{
    QLabel *ctl = new QLabel;
    g.SetCellControls(2, 2, ctl);
    g.SetRowModified(2, true);
    g.MoveRows(1, 6, 2);
    expectConsistent(g, "MoveRows(1, 6, 2)");
    EXPECT_EQ(rows(), "0 3 4 5 1 2 6 7 8 9");
    EXPECT_EQ(g.RowHeights(5), 22);
    EXPECT_EQ(g.CellControls(2, 5), ctl);
    EXPECT_TRUE(g.RowModified(5));
    EXPECT_FALSE(g.RowModified(2));
}

TEST_F(RowsFixture, RemovedRowsTakeTheirControlsAndMarksAlongAndTheRestFollow)
{
    QLabel *gone = new QLabel;
    QLabel *stays = new QLabel;
    g.SetCellControls(1, 3, gone);
    g.SetCellControls(1, 7, stays);
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.SetRowSelect(3, true);
    g.SetRowSelect(8, true);
    g.SetRowEnabled(9, false);
    g.RemoveRows(2, 3);
    expectConsistent(g, "RemoveRows(2, 3) with controls");
    EXPECT_FALSE(gone->isVisibleTo(&g));
    EXPECT_EQ(g.CellControls(1, 4), stays);
    EXPECT_EQ(g.SelectedRows()->Count(), 1);
    EXPECT_EQ(g.SelectedRows()->Items(0), 5);
    EXPECT_FALSE(g.RowEnabled(6));
}

TEST_F(RowsFixture, PlainRemovalEmptiesWhatItVacatesAndKeepsHeightsInPlace)
{
    g.SetColors(1, 9, clRed);
    g.RemoveRowsEx(2, 2);
    expectConsistent(g, "RemoveRowsEx(2, 2)");
    EXPECT_EQ(rows(), "0 1 4 5 6 7 8 9");
    EXPECT_EQ(g.RowHeights(2), 22);
    EXPECT_EQ(g.Colors(1, 7), clRed);
    g.SetRowCount(10);
    EXPECT_EQ(g.Cells(0, 8), "");
    EXPECT_EQ(g.Colors(1, 9), clNone);
}

TEST_F(RowsFixture, RemoveDuplicatesMatchesCaseOnlyWhenAsked)
{
    g.SetRowCount(5);
    g.ClearRows(5, 5); // no leftovers past the end
    const QStringList texts = {"h", "abc", "ABC", "x", "abc"};
    for (int r = 0; r < 5; ++r)
        g.SetCells(1, r, texts.at(r));
    g.RemoveDuplicates(1, true);
    expectConsistent(g, "RemoveDuplicates case-sensitive");
    EXPECT_EQ(rows(), "0 1 2 3");
    g.RemoveDuplicates(1, false);
    expectConsistent(g, "RemoveDuplicates ignoring case");
    EXPECT_EQ(rows(), "0 1 3");
}

TEST_F(RowsFixture, SelectedAndCheckedRowsGo)
{
    g.SetSelection({1, 2, 3, 4});
    g.RemoveSelectedRows();
    EXPECT_EQ(rows(), "0 1 5 6 7 8 9");
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.SetRowSelect(3, true);
    g.SetRowSelect(5, true);
    g.RemoveUnSelectedRows();
    EXPECT_EQ(rows(), "0 6 8");
    expectConsistent(g, "RemoveUnSelectedRows");
    g.AddCheckBoxColumn(2, false, false);
    g.SetCheckBoxState(2, 2, true);
    g.RemoveCheckedRows(2, true);
    EXPECT_EQ(rows(), "0 6");
    expectConsistent(g, "RemoveCheckedRows");
}

TEST_F(RowsFixture, AddRowAppendsAnEmptyRowEvenOverLeftovers)
{
    g.SetRowCount(8); // rows 8 and 9 stay in the store past the end
    g.AddRow();
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.Cells(0, 8), "");
    expectConsistent(g, "AddRow", true);
}

// ---- columns ----------------------------------------------------------------------------------------

// Six columns; row 1 says which column each cell started in.
struct ColsFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(4);
        for (int c = 0; c < 6; ++c) {
            g.SetColWidths(c, 40 + c);
            for (int r = 0; r < 4; ++r)
                g.SetCells(c, r, QString::number(c));
        }
    }
    // Real columns as they started, read from row 1.
    QString cols()
    {
        QStringList out;
        for (int c = 0; c < g.AllColCount(); ++c)
            out << (g.Cells(c, 1).isEmpty() ? QStringLiteral("-") : g.Cells(c, 1));
        return out.join(QLatin1Char(' '));
    }
};

TEST_F(ColsFixture, RemoveUnSelectedColsKeepsTheFixedColumnAndTheBlock)
{
    g.SetSelection({2, 1, 3, 2});
    g.RemoveUnSelectedCols();
    EXPECT_EQ(cols(), "0 2 3");
    EXPECT_EQ(g.ColWidths(1), 42);
}

TEST_F(ColsFixture, HiddenColumnsKeepTheirCellsWidthsAndFlagsThroughInsertsRemovalsAndMoves)
{
    g.SetColWidths(2, 33);
    g.SetColors(2, 1, clAqua);
    g.HideColumn(2);
    g.InsertCols(1, 2);
    EXPECT_EQ(cols(), "0 - - 1 2 3 4 5");
    EXPECT_TRUE(g.IsHiddenColumn(4));
    EXPECT_FALSE(g.IsHiddenColumn(2));
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    EXPECT_EQ(g.AllColWidths(4), 33);
    EXPECT_EQ(g.Colors(4, 1), clAqua);
    EXPECT_EQ(g.ColWidths(1), g.DefaultColWidth());
    g.RemoveCols(1, 2);
    EXPECT_EQ(cols(), "0 1 2 3 4 5");
    EXPECT_TRUE(g.IsHiddenColumn(2));
    // Removing the hidden column lowers the hidden count.
    g.RemoveCols(2, 1);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(cols(), "0 1 3 4 5");
    EXPECT_EQ(g.ColWidths(2), 43);
    expectConsistent(g, "column changes");
}

TEST_F(ColsFixture, WholeRowOperationsCarryHiddenColumnCells)
{
    g.HideColumn(3);
    g.SetCells(3, 2, "hidden");
    g.MoveRows(2, 0, 1);
    EXPECT_EQ(g.Cells(3, 0), "hidden");
    g.InsertRows(0, 1);
    EXPECT_EQ(g.Cells(3, 1), "hidden");
    g.RemoveRows(0, 1);
    EXPECT_EQ(g.Cells(3, 0), "hidden");
    g.ClearRows(0, 1);
    EXPECT_EQ(g.Cells(3, 0), "") << "clearing a row clears its hidden cells";
    expectConsistent(g, "rows with a hidden column");
}

TEST_F(ColsFixture, MergeColsJoinsTheTextsAndRemovesTheSecondColumn)
{
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.MergeCols(1, 2, " ");
    EXPECT_EQ(g.Cells(1, 1), "a b");
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.Cells(2, 1), "3");
}

TEST_F(ColsFixture, MovingAColumnMovesCellsWidthsSortColumnAndCurrentColumn)
{
    struct Case {
        int sortCol, from, to, sortAfter;
    };
    for (const Case &c : {Case{4, 2, 4, 3}, Case{2, 4, 2, 3}, Case{2, 2, 4, 4}, Case{1, 2, 4, 1}}) {
        SCOPED_TRACE(testing::Message() << c.sortCol << " with " << c.from << "->" << c.to);
        TNovaStringGrid h;
        h.SetColCount(6);
        h.SortSettings()->SetColumn(c.sortCol);
        h.MoveColumn(c.from, c.to);
        EXPECT_EQ(h.SortSettings()->Column(), c.sortAfter);
    }
    std::vector<std::pair<int, int>> fired;
    g.OnColumnMoved = [&](QObject *, int f, int t) { fired.push_back({f, t}); };
    g.FocusCell(2, 1);
    g.MoveColumn(2, 4);
    EXPECT_EQ(cols(), "0 1 3 4 2 5");
    EXPECT_EQ(g.ColWidths(4), 42);
    EXPECT_EQ(g.Col(), 4);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], std::make_pair(2, 4));
}

TEST_F(ColsFixture, AColumnMoveWithAHiddenColumnUsesRealIndexes)
{
    g.SetColWidths(1, 31);
    g.HideColumn(1);
    std::vector<std::pair<int, int>> fired;
    g.OnColumnMoved = [&](QObject *, int f, int t) { fired.push_back({f, t}); };
    g.MoveColumn(1, 3); // display 1 is real 2, display 3 real 4
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], std::make_pair(2, 4));
    EXPECT_EQ(cols(), "0 1 3 4 2 5");
    EXPECT_TRUE(g.IsHiddenColumn(1));
    EXPECT_EQ(g.AllColWidths(1), 31);
    EXPECT_EQ(g.ColWidths(3), 42);
}

TEST(GridColumnMoves, ASynchronisedGridMovesTheSameColumnOnceEitherWay)
{
    TNovaStringGrid a, b;
    for (TNovaStringGrid *g : {&a, &b}) {
        g->SetColCount(4);
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, 1, QString::number(c));
    }
    a.SyncGrid()->SetGrid(&b);
    a.SyncGrid()->SetMoveColumn(true);
    b.SyncGrid()->SetGrid(&a);
    b.SyncGrid()->SetMoveColumn(true);
    int movesA = 0, movesB = 0;
    a.OnColumnMoved = [&](QObject *, int, int) { ++movesA; };
    b.OnColumnMoved = [&](QObject *, int, int) { ++movesB; };
    a.MoveColumn(1, 3);
    EXPECT_EQ(movesA, 1);
    EXPECT_EQ(movesB, 1);
    EXPECT_EQ(b.Cells(3, 1), "1");
    b.MoveColumn(3, 1);
    EXPECT_EQ(movesA, 2);
    EXPECT_EQ(movesB, 2);
    EXPECT_EQ(a.Cells(1, 1), "1");
}

TEST(GridColumnMoves, TheColumnGridMovesItsColumnItemWithTheColumn)
{
    TNovaColumnGrid g;
    g.SetColCount(6);
    for (int c = 0; c < 6; ++c) {
        g.Columns()->Items(c)->SetHeader(QStringLiteral("H%1").arg(c));
        g.SetColWidths(c, 40 + c);
    }
    g.MoveColumn(2, 4);
    EXPECT_EQ(g.Columns()->Items(4)->Header(), "H2");
    EXPECT_EQ(g.Columns()->Items(2)->Header(), "H3");
    EXPECT_EQ(g.Columns()->Items(4)->Width(), 42);
    EXPECT_EQ(g.Cells(4, 0), "H2");
}

TEST(GridRowMoves, RowMovedMovesCellsAndHeightsAndFiresOnce)
{
    TNovaStringGrid g;
    g.SetRowCount(6);
    for (int r = 0; r < 6; ++r) {
        g.SetCells(1, r, QString::number(r));
        g.SetRowHeights(r, 20 + r);
    }
    int fired = 0;
    g.OnRowMoved = [&](QObject *, int f, int t) {
        ++fired;
        EXPECT_EQ(f, 1);
        EXPECT_EQ(t, 4);
    };
    g.MoveRow(1, 4);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(g.Cells(1, 4), "1");
    EXPECT_EQ(g.Cells(1, 1), "2");
    EXPECT_EQ(g.RowHeights(4), 21);
    expectConsistent(g, "MoveRow");
}

// ---- merging ----------------------------------------------------------------------------------------

TEST(GridMerging, EqualRunsOfAColumnMergeAndASecondColumnFollowsTheFirst)
{
    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(6);
    const QStringList first = {"", "A", "A", "B", "B", "B"};
    const QStringList second = {"", "x", "x", "x", "x", "y"};
    for (int r = 0; r < 6; ++r) {
        g.SetCells(1, r, first.at(r));
        g.SetCells(2, r, second.at(r));
    }
    g.MergeColumnCells(1, true);
    EXPECT_EQ(g.CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g.CellSpan(1, 3).Y, 2);
    g.MergeColumnCells(2, false);
    // x runs over rows 1-4, but only rows 1-2 and 3-4 match the first column's merges.
    EXPECT_EQ(g.CellSpan(2, 1).Y, 1);
    EXPECT_EQ(g.CellSpan(2, 3).Y, 1);
    EXPECT_FALSE(g.IsMergedCell(2, 5));
    g.SplitColumnCells(1);
    EXPECT_FALSE(g.IsMergedCell(1, 1));
    g.SplitAllCells();
    EXPECT_FALSE(g.IsMergedCell(2, 3));
}

} // namespace
