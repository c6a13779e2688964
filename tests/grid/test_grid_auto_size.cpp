// Automatic sizing measured on a canvas with fixed metrics (10 pixels a character, 13 a line), so
// that every expected width is exact: the column and row cores, limits, padding, the rows a column
// measures, the extras a cell adds, hidden columns, fitting to the control and scaling.
#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>
#include <memory>

#include "grid/NovaColumnGrid.h"
#include "grid/SizeSettings.h"

namespace {

constexpr int CharW = 10;
constexpr int LineH = 13;

template <typename Grid>
std::unique_ptr<Grid> measuredGrid()
{
    auto g = std::make_unique<Grid>();
    auto canvas = std::make_unique<TRecordingCanvas>();
    canvas->CharWidth = CharW;
    canvas->LineHeight = LineH;
    g->SetMeasureCanvas(std::move(canvas));
    g->SetColCount(5);
    g->SetRowCount(6);
    return g;
}

// Text offset 2 on both sides, grid line 1 on both sides, and 2 more.
int widthFor(int chars) { return chars * CharW + 4 + 2 + 2; }

struct AutoSize : ::testing::Test {
    std::unique_ptr<TNovaStringGrid> grid = measuredGrid<TNovaStringGrid>();
};

TEST_F(AutoSize, ColumnTakesItsWidestTextWithOffsetsAndLines)
{
    grid->SetCells(2, 1, QStringLiteral("abc"));
    grid->SetCells(2, 3, QStringLiteral("abcde")); // 50 pixels
    grid->SetColWidths(2, 120);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 58);
    // Grow-only keeps a column that is wide enough and widens one that is not.
    grid->SetSizeGrowOnly(true);
    grid->SetColWidths(2, 80);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 80);
    grid->SetColWidths(2, 30);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 58);
    // An empty column keeps room for the offsets only; a column that does not exist is left.
    grid->SetSizeGrowOnly(false);
    grid->AutoSizeCol(3);
    EXPECT_EQ(grid->ColWidths(3), widthFor(0));
    grid->AutoSizeCol(9);
    grid->AutoSizeCol(-1);
}

TEST_F(AutoSize, LimitsAndPaddingFollowTheLimitRule)
{
    struct Case {
        int chars, minW, maxW, padding, result;
    };
    const Case cases[] = {
        {15, 10, 100, 0, 100},             // above the maximum
        {15, 100, 100, 0, widthFor(15)},   // equal limits switch both off
        {3, 70, 0, 0, 70},                 // below the minimum
        {5, 0, 0, 6, widthFor(5) + 6},     // padding added
        {5, 0, 60, 6, 60},                 // padding within the maximum
        {5, 0, 0, -20, widthFor(5) - 20},  // a negative padding narrows
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.chars << " " << c.minW << "-" << c.maxW << " +" << c.padding);
        grid->SetCells(1, 1, QString(c.chars, QLatin1Char('x')));
        grid->SetMinColWidth(c.minW);
        grid->SetMaxColWidth(c.maxW);
        grid->AutoSizeCol(1, c.padding);
        EXPECT_EQ(grid->ColWidths(1), c.result);
    }
}

TEST_F(AutoSize, ColumnSizeRowsChoosesWhichRowsAreMeasured)
{
    grid->SetFixedFooters(1);
    grid->SetCells(1, 0, QStringLiteral("Header text")); // 11
    grid->SetCells(1, 2, QStringLiteral("body"));        // 4
    grid->SetCells(1, 5, QStringLiteral("footer"));      // 6
    struct Case {
        TAutoSizeRows rows;
        int chars;
    };
    for (const Case c : {Case{arAll, 11}, Case{arNormal, 4}, Case{arFixed, 11}}) {
        SCOPED_TRACE(int(c.rows));
        grid->ColumnSize()->SetRows(c.rows);
        grid->AutoSizeCol(1);
        EXPECT_EQ(grid->ColWidths(1), widthFor(c.chars));
    }
    grid->SetCells(1, 0, QString());
    grid->ColumnSize()->SetRows(arFixed);
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), widthFor(0)); // the header alone
}

TEST_F(AutoSize, CellsAddRoomForTheirGraphicComboButtonAndSortIndicator)
{
    grid->ColumnSize()->SetRows(arNormal);
    grid->SetCells(1, 2, QStringLiteral("abc"));
    grid->AddCheckBox(1, 2, true, false);
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), widthFor(3) + grid->ControlLook()->CheckBoxSize());

    grid->SetCells(2, 2, QStringLiteral("abc"));
    grid->OnHasComboBox = [](QObject *, int ACol, int, bool &Has) { Has = ACol == 2; };
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), widthFor(3)); // buttons that are not always shown take no room
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), widthFor(3) + 16);

    grid->ColumnSize()->SetRows(arAll);
    grid->SetCells(3, 0, QStringLiteral("Name"));
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetRow(0);
    grid->SortSettings()->SetColumn(3);
    grid->AutoSizeCol(3);
    EXPECT_EQ(grid->ColWidths(3), widthFor(4) + 10);
    grid->SetCells(4, 0, QStringLiteral("Name"));
    grid->AutoSizeCol(4); // not the sort column
    EXPECT_EQ(grid->ColWidths(4), widthFor(4));
}

TEST_F(AutoSize, OnlyDisplayedColumnsAreSizedThroughTheirRealTexts)
{
    grid->SetCells(1, 1, QStringLiteral("hidden column"));
    grid->SetCells(2, 1, QStringLiteral("ab"));
    grid->SetCells(3, 1, QStringLiteral("abcdef"));
    grid->HideColumn(1);
    grid->AutoSizeCol(1); // displayed 1 is real 2
    EXPECT_EQ(grid->ColWidths(1), widthFor(2));
    grid->AutoSizeColumns(false);
    EXPECT_EQ(grid->ColWidths(2), widthFor(6));
    EXPECT_EQ(grid->AllColWidths(1), grid->DefaultColWidth()); // the hidden one keeps its width
    const int fixedWidth = grid->ColWidths(0);
    grid->SetCells(0, 1, QStringLiteral("1"));
    grid->AutoSizeColumns(false, 4);
    EXPECT_EQ(grid->ColWidths(0), fixedWidth);
    EXPECT_EQ(grid->ColWidths(2), widthFor(6) + 4);
    grid->AutoSizeColumns(true);
    EXPECT_EQ(grid->ColWidths(0), widthFor(1));
}

TEST_F(AutoSize, MultiLineCellsMeasureTheirWidestLineOnlyWhenAllowed)
{
    grid->SetCells(1, 1, QStringLiteral("ab\nabcdefg"));
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), widthFor(2));
    grid->SetMultilinecells(true);
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), widthFor(7));
    TPoint size = grid->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(size.Y, 2 * LineH);
}

TEST_F(AutoSize, RowsTakeTheirTallestCellAndCheckBoxesTheDefaultHeight)
{
    grid->SetWordWrap(false);
    grid->SetMultilinecells(true);
    grid->SetCells(1, 2, QStringLiteral("a\nb\nc"));
    grid->AutoSizeRow(2);
    EXPECT_EQ(grid->RowHeights(2), 3 * LineH + 4 + 2);
    grid->AutoSizeRow(2, 5);
    EXPECT_EQ(grid->RowHeights(2), 3 * LineH + 4 + 2 + 5);
    grid->SetCells(1, 3, QStringLiteral("a"));
    grid->AddCheckBox(2, 3, true, false);
    grid->AutoSizeRow(3);
    EXPECT_EQ(grid->RowHeights(3), grid->DefaultRowHeight() + 4 + 2);
    grid->SetMaxRowHeight(20);
    grid->AutoSizeRow(2);
    EXPECT_EQ(grid->RowHeights(2), 20);
    // Rows of lines: line height plus an eighth, and the padding.
    grid->SetMaxRowHeight(0);
    grid->SetRowHeightForLines(4, 3, 2);
    EXPECT_EQ(grid->RowHeights(4), 2 + 3 * (LineH + LineH / 8));
    EXPECT_EQ(grid->MaxLinesInRow(2), 3);
    grid->AutoSizeRows(false, 1);
    EXPECT_EQ(grid->RowHeights(2), 1 + 3 * (LineH + LineH / 8));
    EXPECT_EQ(grid->RowHeights(5), 1 + LineH + LineH / 8);
}

TEST_F(AutoSize, CellsSizingWidensColumnsAndNeverLowersRows)
{
    grid->SetDefaultRowHeight(40);
    grid->SetCells(1, 1, QStringLiteral("abcd"));
    grid->SetCells(2, 2, QStringLiteral("a"));
    grid->SetColWidths(2, 200);
    grid->AutoSizeCells(false, 4, 4);
    EXPECT_EQ(grid->ColWidths(1), 4 * CharW + 4 + 2);
    EXPECT_EQ(grid->ColWidths(2), CharW + 4 + 2); // may shrink without grow-only
    for (int r = 1; r < grid->RowCount(); ++r)
        EXPECT_EQ(grid->RowHeights(r), 40) << r;
    grid->SetDefaultRowHeight(5);
    grid->AutoSizeCells(false, 4, 4);
    EXPECT_EQ(grid->RowHeights(1), LineH + 4 + 2);
}

TEST_F(AutoSize, FitSpreadsColumnsOverTheControlWidth)
{
    grid->resize(400, 300);
    grid->SetRowCount(3); // no vertical scroll bar
    const int bd = 2 * grid->frameWidth();
    grid->AutoFitColumns(true);
    int total = 0;
    for (int c = 0; c < grid->ColCount(); ++c)
        total += grid->ColWidths(c);
    EXPECT_EQ(total, 400 - bd);
    // Already fitting: nothing changes.
    std::vector<int> before;
    for (int c = 0; c < grid->ColCount(); ++c)
        before.push_back(grid->ColWidths(c));
    grid->AutoFitColumns(true);
    for (int c = 0; c < grid->ColCount(); ++c)
        EXPECT_EQ(grid->ColWidths(c), before[std::size_t(c)]) << c;
    // The proportions stay.
    grid->SetColWidths(1, 100);
    grid->SetColWidths(2, 50);
    grid->AutoFitColumns(true);
    EXPECT_NEAR(double(grid->ColWidths(1)) / grid->ColWidths(2), 2.0, 0.1);
    // One column fills the control.
    grid->SetColCount(1);
    grid->AutoFitColumns(true);
    EXPECT_EQ(grid->ColWidths(0), 400 - bd);
}

TEST_F(AutoSize, SwitchingAutoSizeOnSizesTheColumnsWithTenPixelsMore)
{
    grid->SetCells(1, 1, QStringLiteral("abc"));
    grid->SetAutoSize(true);
    EXPECT_EQ(grid->ColWidths(1), widthFor(3) + 10);
    grid->SetCells(1, 1, QStringLiteral("abcdef"));
    grid->SetAutoSize(true); // already on
    EXPECT_EQ(grid->ColWidths(1), widthFor(3) + 10);
}

TEST(AutoSizeColumnGrid, ItemsAutomaticLimitsApplyAndScalingReachesTheirFonts)
{
    auto grid = measuredGrid<TNovaColumnGrid>();
    grid->Columns()->Items(2)->SetAutoMaxSize(40);
    grid->Columns()->Items(3)->SetAutoMinSize(90);
    grid->SetCells(2, 1, QStringLiteral("abcdefghij"));
    grid->SetCells(3, 1, QStringLiteral("ab"));
    grid->AutoSizeColumns(false);
    EXPECT_EQ(grid->ColWidths(2), 40);
    EXPECT_EQ(grid->ColWidths(3), 90);
    EXPECT_EQ(grid->Columns()->Items(2)->Width(), 40);
    // A hidden column before them: the items are still found by their real columns.
    grid->HideColumn(1);
    grid->SetColWidths(1, 10);
    grid->AutoSizeCol(1); // real 2
    EXPECT_EQ(grid->ColWidths(1), 40);

    TFont f = grid->Columns()->Items(1)->Font();
    f.Size = 10;
    grid->Columns()->Items(1)->SetFont(f);
    const int fixedSize = grid->FixedFont().Size;
    grid->ChangeScale(3, 2);
    EXPECT_EQ(grid->Columns()->Items(1)->Font().Size, 15);
    EXPECT_EQ(grid->FixedFont().Size, (fixedSize * 3 + 1) / 2);
}

TEST(AutoSizeRealFonts, WiderTextsGiveWiderColumns)
{
    TNovaStringGrid grid;
    grid.SetCells(1, 1, QStringLiteral("iiiiii"));
    grid.SetCells(2, 1, QStringLiteral("MMMMMM"));
    grid.AutoSizeCol(1);
    grid.AutoSizeCol(2);
    EXPECT_LT(grid.ColWidths(1), grid.ColWidths(2));
    EXPECT_GT(grid.ColWidths(1), widthFor(0));
}

} // namespace
