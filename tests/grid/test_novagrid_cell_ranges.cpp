// Selection queries, clearing, trimming and colouring ranges, header lists and small accessors,
// and the column order.
#include "grid/NovaGrid.h"

#include <gtest/gtest.h>

namespace {

struct RangeFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(8);
    }
};

// ---- selection queries ------------------------------------------------------------------------------

TEST_F(RangeFixture, ABlockAnswersItsCellsAndRows)
{
    g.SetSelection({2, 3, 4, 5});
    EXPECT_EQ(g.SelectedCellsCount(), 9);
    EXPECT_TRUE(g.SelectedCells(3, 4));
    EXPECT_FALSE(g.SelectedCells(5, 4));
    EXPECT_EQ(g.SelectedRow(1), 4);
    EXPECT_EQ(g.SelectedRow(3), -1);
    EXPECT_EQ(g.SelectedRowCount(), 3);
    EXPECT_EQ(g.SelectedColCount(), 3);
    const TGridCoord first = g.SelectedCell(0);
    EXPECT_EQ(first.X, 2);
    EXPECT_EQ(first.Y, 3);
}

TEST_F(RangeFixture, MergedCellsWidenTheColumnCount)
{
    struct Case {
        const char *what;
        TGridRect block;
        int mergeCol, span, expected;
    };
    const Case cases[] = {
        {"one cell merged over three columns", {1, 2, 1, 2}, 1, 3, 3},
        {"a block whose right edge is in a cell merged over two columns", {1, 2, 3, 2}, 3, 2, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        g.SplitAllCells();
        g.MergeCells(c.mergeCol, 2, c.span, 1);
        g.SetSelection(c.block);
        EXPECT_EQ(g.SelectedColCount(), c.expected);
    }
}

TEST_F(RangeFixture, DisjunctCellsHoldAnyRowAndColumnOnce)
{
    g.SetRowCount(70001);
    g.MouseActions()->SetDisjunctCellSelect(true);
    g.SetSelectedCells(5, 300, true);
    g.SetSelectedCells(5, 300, true);
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    EXPECT_EQ(g.SelectedCell(0).X, 5);
    EXPECT_EQ(g.SelectedCell(0).Y, 300);
    g.SetSelectedCells(2, 40000, true);
    g.SetSelectedCells(3, 70000, true);
    EXPECT_TRUE(g.SelectedCells(2, 40000));
    EXPECT_TRUE(g.SelectedCells(3, 70000));
    EXPECT_FALSE(g.SelectedCells(3, 70000 - 65536)) << "rows must not wrap at 16 bits";
    EXPECT_EQ(g.SelectedCell(2).Y, 70000);
    g.SetSelectedCells(2, 40000, false);
    EXPECT_EQ(g.SelectedCellsCount(), 2);
    g.ClearSelectedCells();
    EXPECT_EQ(g.SelectedCellsCount(), 0);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(RangeFixture, DisjunctRowsAnswerInSelectionOrder)
{
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.SetRowSelect(5, true);
    g.SetRowSelect(2, true);
    EXPECT_EQ(g.SelectedRowCount(), 2);
    EXPECT_EQ(g.SelectedRow(0), 5);
    EXPECT_EQ(g.SelectedRow(1), 2);
    EXPECT_EQ(g.SelectedRow(2), -1);
}

// ---- clearing, trimming, colouring ------------------------------------------------------------------

TEST_F(RangeFixture, ClearRectTakesTextGraphicAndColourUnlessOnlyTextIsAsked)
{
    for (bool textOnly : {false, true}) {
        SCOPED_TRACE(textOnly ? "text only" : "everything");
        g.SetClearTextOnly(textOnly);
        g.SetCells(2, 2, "Y");
        g.AddCheckBox(2, 2, true, false);
        g.SetColors(2, 2, clYellow);
        g.ClearRect(1, 1, 3, 3);
        EXPECT_EQ(g.Cells(2, 2), "");
        EXPECT_EQ(g.HasCheckBox(2, 2), textOnly);
        EXPECT_EQ(g.Colors(2, 2), textOnly ? clYellow : clNone);
    }
}

TEST_F(RangeFixture, ClearAllEmptiesHiddenRowsSoTheyComeBackEmpty)
{
    for (int r = 0; r < 8; ++r)
        g.SetCells(1, r, QString::number(r));
    g.SetColors(1, 4, clRed);
    g.HideRows(3, 4);
    g.ClearAll();
    g.UnHideRowsAll();
    EXPECT_EQ(g.RowCount(), 8);
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(g.Cells(1, r), "") << r;
    EXPECT_EQ(g.Colors(1, 4), clNone);
}

TEST_F(RangeFixture, ClearSelectionClearsTheBlockOrTheDisjunctRows)
{
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 6; ++c)
            g.SetCells(c, r, "x");
    g.SetSelection({2, 2, 3, 3});
    g.ClearSelection();
    EXPECT_EQ(g.Cells(2, 2), "");
    EXPECT_EQ(g.Cells(3, 3), "");
    EXPECT_EQ(g.Cells(4, 3), "x");
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.SetRowSelect(5, true);
    g.ClearSelection();
    EXPECT_EQ(g.Cells(0, 5), "");
    EXPECT_EQ(g.Cells(0, 6), "x");
}

TEST_F(RangeFixture, TrimAndColour)
{
    g.SetCells(1, 2, "  word\t");
    g.SetCells(1, 3, "  kept ");
    g.TrimRow(2);
    EXPECT_EQ(g.Cells(1, 2), "word");
    EXPECT_EQ(g.Cells(1, 3), "  kept ");
    g.ColorRect(1, 1, 2, 2, clYellow);
    int coloured = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 6; ++c)
            coloured += g.Colors(c, r) == clYellow;
    EXPECT_EQ(coloured, 4);
}

// ---- header lists and small accessors ---------------------------------------------------------------

TEST_F(RangeFixture, ColumnHeadersFillExistingColumnsHiddenOnesCountedAndBreakLines)
{
    g.HideColumn(2);
    g.SetCells(4, 0, "old");
    g.SetColumnHeaders({"a", "b\\nc", "hid", "d", "", "f", "g", "h"});
    EXPECT_EQ(g.Cells(1, 0), "b\rc") << "backslash-n becomes the grid's line break";
    EXPECT_EQ(g.Cells(2, 0), "hid");
    EXPECT_EQ(g.Cells(4, 0), "") << "the header row is cleared first";
    EXPECT_EQ(g.Cells(5, 0), "f");
    EXPECT_EQ(g.Cells(6, 0), "") << "no column 6";
}

TEST_F(RangeFixture, RowHeadersAtRunTimeLeaveOldEntriesPastTheList)
{
    g.SetRowHeaders({"", "one", "two", "three"});
    g.SetRowHeaders({"", "uno"});
    EXPECT_EQ(g.Cells(0, 1), "uno");
    EXPECT_EQ(g.Cells(0, 2), "two");
}

TEST_F(RangeFixture, PrintColumnAccessorsRefuseColumnsOutsideTheirRange)
{
    EXPECT_EQ(g.PrintColWidth(511), 0);
    for (int c : {-1, 512}) {
        try {
            g.PrintColWidth(c);
            ADD_FAILURE() << "no error for column " << c;
        } catch (const ENovaGridError &e) {
            EXPECT_STREQ(e.what(), "Columns is not in valid range");
        }
        EXPECT_THROW(g.PrintColOffset(c), ENovaGridError);
    }
}

TEST(GridVersion, VersionReadsTheFourBytesFromTheHighest)
{
    struct Versioned : TNovaStringGrid {
        int GetVersionNr() const override { return 0x01020304; }
    } g;
    EXPECT_EQ(g.Version(), "1.2.3.4");
    g.SetVersion("9.9.9.9");
    EXPECT_EQ(g.Version(), "1.2.3.4");
}

TEST_F(RangeFixture, SwapCellsExchangesTextsAndPropertiesAndIgnoresCellsOutsideTheGrid)
{
    g.SetCells(1, 1, "one");
    g.SetColors(1, 1, clRed);
    g.SetCells(3, 4, "two");
    g.SwapCells({1, 1}, {3, 4});
    EXPECT_EQ(g.Cells(1, 1), "two");
    EXPECT_EQ(g.Cells(3, 4), "one");
    EXPECT_EQ(g.Colors(3, 4), clRed);
    EXPECT_EQ(g.Colors(1, 1), clNone);
    for (TGridCoord outside : {TGridCoord{-1, 1}, TGridCoord{1, 8}, TGridCoord{6, 1}, TGridCoord{1, -3}}) {
        g.SwapCells({3, 4}, outside);
        g.SwapCells(outside, {3, 4});
        EXPECT_EQ(g.Cells(3, 4), "one");
        EXPECT_EQ(g.Colors(3, 4), clRed);
    }
    EXPECT_EQ(g.Store().NextRow(8), -1);
}

// ---- column order -----------------------------------------------------------------------------------

TEST_F(RangeFixture, ColumnOrderFollowsMovesAndCanBeRestored)
{
    TNovaStringGrid h;
    h.SetColCount(3);
    h.SetFixedCols(0);
    for (int c = 0; c < 3; ++c)
        h.SetCells(c, 1, QString::number(c));
    EXPECT_EQ(h.ColumnAtPosition(1), 1) << "a list never recorded is recorded and answers the position";
    h.MoveColumn(0, 2);
    EXPECT_EQ(h.ColumnOrder()->StrValue(), "1,2,0");
    EXPECT_EQ(h.ColumnPosition(0), 2);
    EXPECT_EQ(h.ColumnAtPosition(2), 0);
    h.ResetColumnOrder();
    EXPECT_EQ(h.ColumnOrder()->StrValue(), "0,1,2");
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(h.Cells(c, 1), QString::number(c));
}

TEST_F(RangeFixture, ColumnByHeaderMatchesExactly)
{
    g.SetColumnHeaders({"", "Name", "Value"});
    EXPECT_EQ(g.ColumnByHeader("Value"), 2);
    EXPECT_EQ(g.ColumnByHeader("value"), -1);
    EXPECT_EQ(g.ColumnByHeader("None"), -1);
}

TEST_F(RangeFixture, TextOffsetRoom)
{
    g.SetTextOffset({2, 3});
    EXPECT_EQ(g.XYOffsetHeight(), 6);
    EXPECT_EQ(g.XYOffsetWidth(), 4);
    g.SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(g.XYOffsetHeight(), 3);
}

} // namespace
