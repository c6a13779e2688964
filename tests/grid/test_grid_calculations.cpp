// Column and row calculations and the small cell queries: which rows a column function takes,
// what a text that is no number does, empty ranges, hidden rows read by real rows, numbering and
// the exchange of columns.
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Rows 1 and 4 are a node and a summary row; GroupColumn as the test sets it.
class GroupedGrid : public TNovaStringGrid {
public:
    bool IsNode(int ARow) override { return Cells(0, ARow) == "node"; }
    bool IsSummary(int ARow) override { return Cells(0, ARow) == "sum"; }
    void SetGroupColumn(int c) { FGroupColumn = c; }
    int notifications = 0;
    void ExportNotification(int, int) override { ++notifications; }
};

struct CalcFixture : ::testing::Test {
    GroupedGrid g;
    void fill(int col, std::initializer_list<const char *> texts)
    {
        g.SetRowCount(int(texts.size()) + 1);
        int r = 1;
        for (const char *t : texts)
            g.SetCells(col, r++, QString::fromUtf8(t));
    }
};

TEST_F(CalcFixture, ATextThatIsNoNumberIsLeftOutOfSumAndExtremesButDividesTheAverage)
{
    fill(1, {"1", "2", "1-2", "3"});
    struct Case {
        const char *name;
        double (TNovaStringGrid::*fn)(int, int, int);
        double expected;
    };
    const Case cases[] = {{"sum", &TNovaStringGrid::ColumnSum, 6},
                          {"average", &TNovaStringGrid::ColumnAvg, 1.5},
                          {"minimum", &TNovaStringGrid::ColumnMin, 1},
                          {"maximum", &TNovaStringGrid::ColumnMax, 3}};
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ((g.*c.fn)(1, 1, 4), c.expected) << c.name;
        EXPECT_DOUBLE_EQ((g.*c.fn)(1, -1, -1), c.expected) << c.name << " over all normal rows";
    }
    // The extremes start from the first row: its error goes to the caller.
    EXPECT_THROW(g.ColumnMin(1, 3, 4), ENovaGridError);
    EXPECT_THROW(g.ColumnStdDev(1, 1, 4), ENovaGridError);
}

TEST_F(CalcFixture, AllNormalRowsLeaveOutTheFixedFooterRows)
{
    fill(1, {"1", "2", "3", "100"});
    g.SetFixedFooters(1);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 6);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, -1, 3), 3);
}

TEST_F(CalcFixture, EmptyRangesAnswerZeroAndReadNoCell)
{
    fill(1, {"x", "y"});
    g.SetCells(2, 1, "z");
    g.notifications = 0;
    EXPECT_EQ(g.ColumnSum(1, 2, 1), 0);
    EXPECT_EQ(g.ColumnAvg(1, 2, 1), 0);
    EXPECT_EQ(g.ColumnMin(1, 2, 1), 0) << "would raise if the first row were read";
    EXPECT_EQ(g.ColumnMax(1, 2, 1), 0);
    EXPECT_EQ(g.ColumnStdDev(1, 2, 1), 0);
    EXPECT_EQ(g.ColumnDistinct(1, 2, 1), 0);
    EXPECT_EQ(g.notifications, 0);
    EXPECT_EQ(g.RowSum(1, 3, 2), 0);
    EXPECT_EQ(g.RowAvg(1, 3, 2), 0);
    EXPECT_EQ(g.RowMin(1, 3, 2), 0);
    EXPECT_EQ(g.RowMax(1, 3, 2), 0);
}

TEST_F(CalcFixture, DistinctTextsIgnoreCaseAndCountTheEmptyText)
{
    fill(1, {"a", "A", "b", ""});
    EXPECT_EQ(g.ColumnDistinct(1, 1, 4), 3);
    EXPECT_EQ(g.notifications, 6) << "start, each row, done";
}

TEST_F(CalcFixture, StandardDeviationOfThePopulation)
{
    fill(1, {"2", "4", "4", "4", "5", "5", "7", "9"});
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 8), 2);
}

TEST_F(CalcFixture, NodeAndSummaryRowsCountOnlyWithoutAGroupColumn)
{
    fill(1, {"5", "1", "2", "7", "3"});
    g.SetCells(0, 1, "node");
    g.SetCells(0, 4, "sum");
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 5), 18);
    g.SetGroupColumn(1);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 5), 6);
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 2, 5), 1);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 2, 5), 3) << "the summary row (7) is skipped";
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 2) << "the node row (5) does not start the extreme";
    // Average 3 / 3 rows = 1; the node's 5 takes no part in the deviation either.
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 3), std::sqrt(1.0 / 3));
}

TEST_F(CalcFixture, ARangePastTheShownRowsReadsHiddenRowsToo)
{
    fill(1, {"1", "2", "4", "8", "16"});
    g.HideRows(2, 3); // values 2 and 4
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 25) << "shown rows";
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 5), 31) << "real rows 1..5";
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 5), 16);
    EXPECT_EQ(g.ColumnDistinct(1, 1, 5), 5);
}

TEST_F(CalcFixture, RowFunctionsTakeBaseCellsOnly)
{
    g.SetColCount(5);
    g.SetCells(1, 1, "4");
    g.SetCells(2, 1, "1-2");
    g.SetCells(3, 1, "10");
    g.SetCells(4, 1, "2");
    EXPECT_DOUBLE_EQ(g.RowSum(1, 1, 4), 16);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 1, 4), 4);
    EXPECT_DOUBLE_EQ(g.RowMax(1, 1, 4), 10);
    EXPECT_DOUBLE_EQ(g.RowMin(1, 1, 4), 2);
    g.MergeCells(2, 1, 2, 1); // column 3 is covered
    EXPECT_DOUBLE_EQ(g.RowSum(1, 1, 4), 6);
}

TEST(CellQueries, CellToRealReadsTheNumericPartOrNamesTheFirstBadPosition)
{
    TNovaStringGrid g;
    struct Case {
        const char *text;
        double value;
        const char *error;
    };
    const Case cases[] = {{"12a", 12, nullptr},   {"", 0, nullptr},       {"-3.5", -3.5, nullptr},
                          {"1e3", 1000, nullptr}, {"1-2", 0, "Error at position: 2 in Cell [2, 3]."},
                          {"1.2.3", 0, "Error at position: 4 in Cell [2, 3]."}};
    for (const Case &c : cases) {
        g.SetCells(2, 3, QString::fromUtf8(c.text));
        if (!c.error) {
            EXPECT_DOUBLE_EQ(g.CellToReal(2, 3), c.value) << c.text;
            continue;
        }
        try {
            g.CellToReal(2, 3);
            ADD_FAILURE() << c.text << " did not raise";
        } catch (const ENovaGridError &e) {
            EXPECT_STREQ(e.what(), c.error);
        }
    }
}

TEST(CellQueries, IsCellFindsTheFirstExactTextRowByRowAndIsWideCellTheMarker)
{
    TNovaStringGrid g;
    g.SetCells(3, 1, "abc");
    g.SetCells(1, 2, "abc");
    g.SetCells(2, 1, "abcd");
    int c = -1, r = -1;
    EXPECT_TRUE(g.IsCell("abc", c, r));
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 1);
    c = r = 7;
    EXPECT_FALSE(g.IsCell("ABC", c, r));
    EXPECT_EQ(c, 7);
    g.SetCells(1, 1, "|\\0041");
    EXPECT_TRUE(g.IsWideCell(1, 1));
    EXPECT_FALSE(g.IsWideCell(3, 1));
}

TEST(CellQueries, AutoNumberingOfAColumn)
{
    struct Case {
        TSortDirection dir;
        int offset;
        int start;
        const char *expected;
    };
    const Case cases[] = {{sdAscending, 0, 0, "1 2 3 4 5"},
                          {sdDescending, 0, 0, "5 4 3 2 1"},
                          {sdAscending, 10, 0, "11 12 13 14 15"},
                          {sdAscending, 0, 2, "  3 4 5"}};
    for (const Case &c : cases) {
        TNovaStringGrid g;
        g.SetRowCount(6);
        g.SetAutoNumberDirection(c.dir);
        g.SetAutoNumberOffset(c.offset);
        g.SetAutoNumberStart(c.start);
        g.AutoNumberCol(1);
        std::string out;
        for (int r = 1; r < 6; ++r)
            out += (r > 1 ? " " : "") + g.Cells(1, r).toStdString();
        EXPECT_EQ(out, c.expected);
    }
}

TEST(CellQueries, SwappingColumnsTakesTheSortIndicatorWithTheData)
{
    TNovaStringGrid g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetColWidths(1, 40);
    g.SortSettings()->SetColumn(1);
    g.SwapColumns(1, 2);
    EXPECT_EQ(g.Cells(1, 1), "b");
    EXPECT_EQ(g.Cells(2, 1), "a");
    EXPECT_EQ(g.ColWidths(2), 40);
    EXPECT_EQ(g.SortSettings()->Column(), 2);
    g.SwapColumns(2, 2);
    EXPECT_EQ(g.Cells(2, 1), "a");
    g.SwapRows(1, 2);
    EXPECT_EQ(g.Cells(2, 2), "a");
    EXPECT_EQ(g.Cells(2, 1), "");
}

} // namespace
