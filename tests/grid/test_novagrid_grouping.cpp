// Grouping: the layout Group builds (headers, nodes, summary rows, colours), UnGroup giving back
// the grid as it was, sub-groups, per-group column functions and the group count in the header.
#include "grid/NovaGrid.h"
#include "grid/CellNode.h"
#include "grid/CompanionSettings.h"
#include "grid/NovaColumnGrid.h"
#include "grid/GridColumnItem.h"
#include "grid/SortSettings.h"

#include <gtest/gtest.h>

namespace {

// One fixed column and row; data rows A, A, B in column 3.
struct GroupFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(5);
        g.SetRowCount(4);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        const char *rows[4][5] = {{"", "cap1", "cap2", "cap3", "cap4"},
                                  {"1", "a1", "x1", "A", "1"},
                                  {"2", "a2", "x2", "A", "2"},
                                  {"3", "a3", "x3", "B", "3"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c)
                g.SetCells(c, r, QString::fromLatin1(rows[r][c]));
        for (int c = 0; c < 5; ++c)
            g.SetColWidths(c, 40 + 5 * c);
        g.Grouping()->SetHeaderColor(clYellow);
        g.Grouping()->SetHeaderTextColor(clRed);
        g.Grouping()->SetSummaryColor(clAqua);
        g.Grouping()->SetSummaryTextColor(clBlue);
    }
    QStringList texts()
    {
        QStringList out;
        for (int r = 0; r < g.RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < g.ColCount(); ++c)
                row << g.GetGridCell(c, r);
            out << row.join(QLatin1Char('|'));
        }
        return out;
    }
};

TEST_F(GroupFixture, GroupLayoutCellByCell)
{
    g.Grouping()->SetSummary(true);
    g.Group(3);
    EXPECT_EQ(g.GroupColumn(), 3);
    ASSERT_EQ(g.RowCount(), 8);
    ASSERT_EQ(g.ColCount(), 4);
    struct RowCase {
        int row;
        const char *kind; // node, child, summary
        int span;
        const char *texts; // columns 1..3
    };
    const RowCase cases[] = {
        {1, "node", 3, "A||"},       {2, "child", 0, "a1|x1|1"}, {3, "child", 0, "a2|x2|2"},
        {4, "summary", 0, "||"},     {5, "node", 2, "B||"},      {6, "child", 0, "a3|x3|3"},
        {7, "summary", 0, "||"},
    };
    EXPECT_EQ(g.GetGridCell(1, 0) + "|" + g.GetGridCell(2, 0) + "|" + g.GetGridCell(3, 0), "cap1|cap2|cap4");
    for (const RowCase &c : cases) {
        const QString kind = QString::fromLatin1(c.kind);
        EXPECT_EQ(g.IsNode(c.row), kind == "node") << c.row;
        EXPECT_EQ(g.IsSummary(c.row), kind == "summary") << c.row;
        if (kind == "node")
            EXPECT_EQ(g.GetNodeSpan(c.row), c.span) << c.row;
        EXPECT_EQ(g.GetGridCell(1, c.row) + "|" + g.GetGridCell(2, c.row) + "|" + g.GetGridCell(3, c.row),
                  QString::fromLatin1(c.texts))
            << c.row;
        const TColor back = kind == "node" ? clYellow : kind == "summary" ? clAqua : clNone;
        const TColor font = kind == "node" ? clRed : kind == "summary" ? clBlue : clNone;
        for (int col = 1; col < g.ColCount(); ++col) {
            EXPECT_EQ(g.Colors(col, c.row), back) << col << "," << c.row;
            EXPECT_EQ(g.FontColors(col, c.row), font) << col << "," << c.row;
        }
        EXPECT_EQ(g.Colors(0, c.row), clNone) << "the fixed column keeps its look";
    }
    EXPECT_EQ(g.GetNodeLevel(1), 1);
    EXPECT_EQ(g.GetParentRow(3), 1);
    EXPECT_EQ(g.GetParentRow(4), -1) << "a summary row lies outside its group";
}

TEST_F(GroupFixture, UnGroupAfterMergedGroupGivesBackTheGrid)
{
    g.SetRowCount(5);
    g.SetFixedFooters(1);
    g.SetCells(3, 4, "foot3");
    g.SetCells(1, 4, "foot1");
    const QStringList before = texts();
    std::vector<int> widths;
    for (int c = 0; c < g.ColCount(); ++c)
        widths.push_back(g.ColWidths(c));

    g.Grouping()->SetSummary(true);
    g.Grouping()->SetMergeHeader(true);
    g.Grouping()->SetMergeSummary(true);
    g.Group(3);
    ASSERT_EQ(g.ColCount(), 4);
    EXPECT_TRUE(g.IsMergedCell(1, 1)) << "the header is merged over the columns";
    EXPECT_EQ(g.Colors(1, 1), clYellow);
    EXPECT_TRUE(g.IsMergedCell(1, 4)) << "and so is the summary";
    EXPECT_EQ(g.Colors(1, 4), clAqua);
    EXPECT_EQ(g.Colors(2, 2), clNone);

    g.UnGroup();
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(texts(), before);
    for (int c = 0; c < g.ColCount(); ++c)
        EXPECT_EQ(g.ColWidths(c), widths[std::size_t(c)]) << c;
    EXPECT_FALSE(g.HasNodes());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            EXPECT_FALSE(g.IsMergedCell(c, r)) << c << "," << r;
            EXPECT_FALSE(g.HasCellProperties(c, r)) << c << "," << r;
        }
}

TEST_F(GroupFixture, UnGroupWithRowColoursAndContractedGroups)
{
    const QStringList before = texts();
    g.Grouping()->SetSummary(true);
    g.Group(3);
    g.ContractNode(g.RealRowIndex(1));
    g.UnGroup();
    EXPECT_EQ(texts(), before);
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            EXPECT_FALSE(g.HasCellProperties(c, r)) << c << "," << r;
}

TEST_F(GroupFixture, GroupingOnColumnOnePutsTheValuesIntoColumnOne)
{
    const QStringList before = texts();
    g.Group(1);
    EXPECT_EQ(g.GetGridCell(1, 1), "a1") << "column 1 is gone; the header's value moved in from column 2";
    EXPECT_EQ(g.GetGridCell(1, 2), "x1");
    EXPECT_TRUE(g.IsNode(1));
    g.UnGroup();
    EXPECT_EQ(texts(), before);
}

TEST_F(GroupFixture, OneValueMakesOneGroup)
{
    for (int r = 1; r < 4; ++r)
        g.SetCells(3, r, "same");
    g.Group(3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(g.GetNodeSpan(1), 4);
    EXPECT_EQ(g.GetGridCell(1, 1), "same");
}

TEST_F(GroupFixture, GroupRefusesTheNodeColumnAndColumnsBeyondTheGrid)
{
    g.SetFixedCols(0);
    const QStringList before = texts();
    g.Group(0);
    g.Group(5);
    g.Group(-1);
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(texts(), before) << "column 0 keeps its values";
    g.SetGroupColumn(0);
    EXPECT_EQ(texts(), before);
    g.UnGroup(); // nothing to undo
    EXPECT_EQ(texts(), before);
}

TEST_F(GroupFixture, GroupingAgainUngroupsFirst)
{
    const QStringList before = texts();
    g.Group(3);
    g.SetGroupColumn(2);
    EXPECT_EQ(g.GroupColumn(), 2);
    EXPECT_EQ(g.ColCount(), 4);
    g.SetGroupColumn(-1);
    EXPECT_EQ(texts(), before);
}

struct ThreeGroups : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(7);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        const char *keys[] = {"A", "A", "B", "C", "C", "C"};
        const char *nums[] = {"1", "2", "5", "1", "1", "4"};
        for (int r = 1; r < 7; ++r) {
            g.SetCells(1, r, QString::fromLatin1(keys[r - 1]));
            g.SetCells(2, r, QString::fromLatin1(nums[r - 1]));
            g.SetCells(3, r, QStringLiteral("t%1").arg(r));
        }
    }
};

TEST_F(ThreeGroups, SummariesFollowTheirGroupsAndTakeTheSums)
{
    g.Grouping()->SetSummary(true);
    g.Group(1);
    // Column 1 now holds the numbers; each group: header, children, summary.
    std::vector<int> summaries;
    for (int r = 0; r < g.RowCount(); ++r)
        if (g.IsSummary(r))
            summaries.push_back(r);
    EXPECT_EQ(summaries, (std::vector<int>{4, 7, 12}));
    for (int s : summaries)
        EXPECT_FALSE(g.IsNode(s - 1) && g.GetNodeSpan(s - 1) > 1) << "a child row precedes " << s;
    g.GroupSum(1);
    EXPECT_EQ(g.Floats(1, 4), 3);
    EXPECT_EQ(g.Floats(1, 7), 5);
    EXPECT_EQ(g.Floats(1, 12), 6);
    g.GroupMax(1);
    EXPECT_EQ(g.Floats(1, 12), 4);
    g.GroupAvg(1);
    EXPECT_EQ(g.Floats(1, 12), 2);
    g.GroupDistinct(1);
    EXPECT_EQ(g.Floats(1, 12), 2);
    g.OnGroupCalc = [](QObject *, int, int FromRow, int ToRow, double &Res) { Res = ToRow - FromRow + 100; };
    g.GroupCustomCalc(1);
    EXPECT_EQ(g.Floats(1, 12), 102);
}

TEST_F(ThreeGroups, CountsGoIntoTheHeaderWithoutSummaries)
{
    g.Group(1);
    g.GroupCount(2);
    EXPECT_EQ(g.GetGridCell(2, 1), "2");
    EXPECT_EQ(g.GetGridCell(2, 4), "1");
    EXPECT_EQ(g.GetGridCell(2, 6), "3");
}

TEST_F(ThreeGroups, GroupCalcSkipsContractedGroups)
{
    g.Group(1);
    g.ContractNode(g.RealRowIndex(4));
    g.GroupSum(2);
    EXPECT_EQ(g.GetGridCell(2, 4), "") << "contracted: nothing written";
    EXPECT_EQ(g.Floats(2, 1), 3);
}

TEST_F(ThreeGroups, HeaderShowsTheGroupCount)
{
    g.Group(1);
    EXPECT_EQ(g.Cells(1, 1), "A");
    g.Grouping()->SetShowGroupCount(true);
    EXPECT_EQ(g.Cells(1, 1), "A (2)");
    EXPECT_EQ(g.Cells(1, 6), "C (3)");
    EXPECT_EQ(g.Cells(2, 1), "") << "only column 1";
    EXPECT_EQ(g.Cells(1, 2), "1") << "only node rows";
    g.Grouping()->SetGroupCountFormat(QStringLiteral(" [%d rows]"));
    EXPECT_EQ(g.Cells(1, 6), "C [3 rows]");
    EXPECT_EQ(g.GetGridCell(1, 6), "C") << "the stored value stays";
}

TEST_F(ThreeGroups, SubGroupSplitsEachGroupAndSubUnGroupUndoesIt)
{
    // Column 1 after grouping holds the numbers: A: 1, 2; B: 5; C: 1, 1, 4.
    g.Group(1);
    g.SetColCount(g.ColCount()); // unchanged: 3 columns
    const QStringList before = [&] {
        QStringList out;
        for (int r = 0; r < g.RowCount(); ++r)
            out << g.GetGridCell(1, r) + "|" + g.GetGridCell(2, r);
        return out;
    }();
    g.SubGroup(1);
    int subHeaders = 0;
    for (int r = 0; r < g.RowCount(); ++r)
        if (g.IsNode(r) && g.GetCellGraphic(0, r)->CellVar().toInt() == 1)
            ++subHeaders;
    EXPECT_EQ(subHeaders, 5) << "A: 1, 2; B: 5; C: 1, 4";
    EXPECT_EQ(g.GetNodeLevel(2), 2);
    g.SubUnGroup(1);
    QStringList after;
    for (int r = 0; r < g.RowCount(); ++r)
        after << g.GetGridCell(1, r) + "|" + g.GetGridCell(2, r);
    EXPECT_EQ(after, before);
}

TEST(GroupedColumns, PositionsSkipTheGroupedColumn)
{
    TNovaStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(3);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetCells(2, 1, "k");
    g.SetCells(2, 2, "k");
    g.SetColumnOrder();
    g.Group(2);
    EXPECT_EQ(g.ColumnPosition(3), 2) << "original column 3 shows at 2";
    EXPECT_EQ(g.ColumnAtPosition(2), 3);
    EXPECT_EQ(g.ColumnPosition(1), 1);
}

TEST(GroupedColumns, ColumnGridKeepsTheGroupedColumnsItem)
{
    TNovaColumnGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetFixedRows(1);
    g.Columns()->Items(2)->SetHeader(QStringLiteral("Kind"));
    g.Columns()->Items(2)->SetReadOnly(true);
    g.Columns()->Items(3)->SetHeader(QStringLiteral("Value"));
    for (int r = 1; r < 4; ++r)
        g.SetCells(2, r, r == 3 ? "y" : "x");
    g.Group(2);
    EXPECT_EQ(g.Columns()->Count(), 3);
    EXPECT_EQ(g.SavedGroupColumn().Header(), "Kind");
    EXPECT_EQ(g.Columns()->Items(2)->Header(), "Value");
    g.UnGroup();
    ASSERT_EQ(g.Columns()->Count(), 4);
    EXPECT_EQ(g.Columns()->Items(2)->Header(), "Kind");
    EXPECT_TRUE(g.Columns()->Items(2)->ReadOnly());
    EXPECT_EQ(g.Cells(2, 3), "y");
}

TEST(GroupedSearch, AutoGotoExpandsTheNodeOverAHiddenMatch)
{
    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(7);
    g.SetFixedRows(1);
    for (int r = 1; r < 7; ++r)
        g.SetCells(1, r, QStringLiteral("v%1").arg(r));
    g.AddNode(1, 3);
    g.AddNode(4, 3);
    g.ContractNode(4);
    TFindParams fp;
    fp = fp.Include(fnAutoGoto).Include(fnIncludeHiddenRows);
    const TPoint at = g.FindFirst(QStringLiteral("v6"), fp);
    EXPECT_EQ(at.Y, 6);
    EXPECT_FALSE(g.GetNodeState(4));
    EXPECT_EQ(g.Row(), 6);
}

} // namespace
