// Cell access in its index spaces and the indexed per-cell and per-row properties.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct CellsFixture : ::testing::Test {
    TNovaStringGrid g;
};

TEST_F(CellsFixture, GettersCreateNothingButWordWraps)
{
    EXPECT_EQ(g.Colors(2, 2), clNone);
    EXPECT_EQ(g.ColorsTo(2, 2), clNone);
    EXPECT_EQ(g.FontColors(2, 2), clNone);
    EXPECT_EQ(g.FontSizes(2, 2), 0);
    EXPECT_TRUE(g.FontNames(2, 2).isEmpty());
    EXPECT_TRUE(g.FontStyles(2, 2).IsEmpty());
    EXPECT_EQ(g.Alignments(2, 2), taLeftJustify);
    EXPECT_EQ(g.Gradients(2, 2), GradientVertical);
    EXPECT_FALSE(g.ReadOnly(2, 2));
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    EXPECT_TRUE(g.WordWraps(2, 2));
    EXPECT_TRUE(g.HasCellProperties(2, 2));
}

TEST_F(CellsFixture, SettersStoreInTheCellsProperties)
{
    g.SetColors(1, 1, clRed);
    g.SetColorsTo(1, 1, clBlue);
    g.SetGradients(1, 1, GradientHorizontal);
    g.SetFontColors(1, 1, clGreen);
    g.SetFontStyles(1, 1, TFontStyles{fsItalic});
    g.SetFontSizes(1, 1, 12);
    g.SetFontNames(1, 1, "Arial");
    g.SetAlignments(1, 1, taRightJustify);
    g.SetReadOnly(1, 1, true);
    g.SetWordWraps(1, 1, false);
    EXPECT_EQ(g.Colors(1, 1), clRed);
    EXPECT_EQ(g.ColorsTo(1, 1), clBlue);
    EXPECT_EQ(g.Gradients(1, 1), GradientHorizontal);
    EXPECT_EQ(g.FontColors(1, 1), clGreen);
    EXPECT_TRUE(g.FontStyles(1, 1).Contains(fsItalic));
    EXPECT_EQ(g.FontSizes(1, 1), 12);
    EXPECT_EQ(g.FontNames(1, 1), "Arial");
    EXPECT_EQ(g.Alignments(1, 1), taRightJustify);
    EXPECT_TRUE(g.ReadOnly(1, 1));
    EXPECT_FALSE(g.WordWraps(1, 1));
}

TEST_F(CellsFixture, FontsShareOneScratchObject)
{
    TFont a = g.Font();
    a.Name = "Arial";
    a.Size = 11;
    TFont b = g.Font();
    b.Name = "Courier";
    b.Size = 9;
    g.SetFonts(1, 1, a);
    g.SetFonts(2, 2, b);
    const TFont &first = g.Fonts(1, 1);
    const TFont &second = g.Fonts(2, 2);
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first.Name, "Courier");
    EXPECT_EQ(&g.Fonts(3, 3), &g.Font()) << "a cell without properties answers the grid font";
}

TEST_F(CellsFixture, RowPropertiesOverHiddenColumnsToo)
{
    g.HideColumn(3);
    g.SetRowColor(2, clYellow);
    for (int c = 1; c < g.AllColCount(); ++c)
        EXPECT_EQ(g.Colors(c, 2), clYellow) << c;
    EXPECT_EQ(g.Colors(0, 2), clNone) << "fixed columns are left alone";
    g.SetRowFontColor(2, clRed);
    EXPECT_EQ(g.FontColors(4, 2), clRed);
    g.SetRowColor(2, clNone);
    EXPECT_EQ(g.Colors(1, 2), clNone);
    EXPECT_EQ(g.FontColors(1, 2), clRed) << "cells without a graphic keep their other properties";
    g.SetRowColorTo(3, clBlue);
    EXPECT_EQ(g.ColorsTo(2, 3), clBlue);
    g.SetRowColorTo(3, clNone);
    EXPECT_FALSE(g.HasCellProperties(2, 3));
}

TEST_F(CellsFixture, CurrentCellAndEditorTextUseTheBaseCellAndRealColumn)
{
    g.SetCells(3, 2, "<b>12</b>");
    g.MergeCells(3, 2, 2, 1);
    g.HideColumn(1);
    // Display column 2 is real column 3.
    g.FocusCell(2, 2);
    EXPECT_EQ(g.CurrentCell(), "<b>12</b>");
    EXPECT_EQ(g.GetEditText(2, 2), "12");
    g.SetEditWithTags(true);
    EXPECT_EQ(g.GetEditText(2, 2), "<b>12</b>");
    g.SetCurrentCellText("7");
    EXPECT_EQ(g.Cells(3, 2), "7");
    g.SetEditText(3, 2, "8"); // display column 3 is real column 4, merged into real 3
    EXPECT_EQ(g.Cells(3, 2), "8");
}

TEST_F(CellsFixture, UnsortedAndOriginalCells)
{
    g.SetCells(1, 3, "three");
    EXPECT_EQ(g.UnSortedCells(1, 3), "three") << "an unsorted grid reads Cells directly";
    g.SortRowXRef()->Add(0);
    g.SortRowXRef()->Add(1);
    g.SortRowXRef()->Add(3);
    g.SortRowXRef()->Add(2);
    EXPECT_EQ(g.UnSortedRowIndex(3), 2);
    EXPECT_EQ(g.UnSortedCells(1, 2), "three");
    g.ColumnOrder()->Add(0);
    g.ColumnOrder()->Add(2);
    g.ColumnOrder()->Add(1);
    g.SetCells(2, 3, "moved");
    EXPECT_EQ(g.OriginalCells(1, 3), "moved");
}

TEST_F(CellsFixture, StrippedCellsAndLines)
{
    g.SetCells(1, 1, "a<b>b</b><br>c");
    EXPECT_EQ(g.StrippedCells(1, 1), "ab\r\nc");
    g.SetCells(1, 2, "x\ry\rz");
    EXPECT_EQ(g.LinesInCell(1, 2), 3);
}

TEST_F(CellsFixture, AllObjectsReachesHiddenRows)
{
    TObject user;
    g.SetAllObjects(2, 4, &user);
    EXPECT_EQ(g.AllObjects(2, 4), &user);
    g.HideRow(4);
    EXPECT_EQ(g.AllObjects(2, 4), &user);
    TObject other;
    g.SetAllObjects(2, 4, &other);
    g.UnHideRow(4);
    EXPECT_EQ(g.Objects(2, 4), &other);
}

TEST_F(CellsFixture, CellControlsAreListedAndReleased)
{
    auto *w = new QWidget;
    g.SetCellControls(2, 3, w);
    EXPECT_EQ(g.CellControls(2, 3), w);
    EXPECT_EQ(g.NumCellControls(), 1);
    EXPECT_EQ(g.ControlList().ControlIndex(2, 3), 0);
    QWidget *parent = w->parentWidget();
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.CellControls(2, 3), nullptr);
    EXPECT_EQ(g.NumCellControls(), 0);
    EXPECT_EQ(g.ControlList().Count(), 0);
    EXPECT_EQ(w->parentWidget(), parent) << "the control stays where it is";
}

TEST_F(CellsFixture, ZoomStaysWithinItsRange)
{
    g.SetColWidths(2, 4);
    g.Zoom(3);
    g.Zoom(3);
    g.Zoom(3);
    EXPECT_EQ(g.ZoomFactor(), 9);
    const int w = g.ColWidths(1);
    g.Zoom(3);
    EXPECT_EQ(g.ZoomFactor(), 9) << "a factor of 12 is refused";
    EXPECT_EQ(g.ColWidths(1), w);
    g.SetColWidths(3, 4);
    g.Zoom(-5);
    EXPECT_EQ(g.ColWidths(1), w - 5);
    EXPECT_EQ(g.ColWidths(2), 13 - 5);
    EXPECT_EQ(g.ColWidths(3), 4) << "a width that would not stay positive is left";
}

TEST_F(CellsFixture, UrlsInTextBecomeAnchors)
{
    g.SetCells(1, 1, "see www.example.org now");
    EXPECT_EQ(g.Cells(1, 1), "see www.example.org now");
    g.SetURLShowInText(true);
    EXPECT_TRUE(g.Cells(1, 1).contains("<A href=", Qt::CaseInsensitive)) << g.Cells(1, 1).toStdString();
}

TEST_F(CellsFixture, ACellScrollBarFollowingItsTextTakesTheTextsHeightAsRange)
{
    g.SetColCount(3);
    g.SetRowCount(3);
    TCellGraphic *bar = g.CreateCellGraphic(1, 1);
    bar->SetCellType(ctScrollbar);
    bar->SetCellErrFrom(100);
    const QString longText = QStringLiteral("a long text of many words that wraps over several lines of its cell");
    g.SetCells(1, 1, longText);
    EXPECT_EQ(bar->CellErrFrom(), 100) << "a fixed range stays";

    bar->SetCellBoolean(true);
    g.SetCells(1, 1, longText);
    EXPECT_EQ(bar->CellAngle(), g.RowHeights(1));
    EXPECT_EQ(bar->CellErrFrom(), g.GetCellTextSize(1, 1, true, true).Y);
    EXPECT_GT(bar->CellErrFrom(), g.RowHeights(1)) << "the text needs more than one page";
    g.SetCells(1, 1, QStringLiteral("x"));
    EXPECT_LT(bar->CellErrFrom(), g.RowHeights(1));
}

TEST_F(CellsFixture, CellBordersComeFromAnEventOnlyWhenOneIsAssigned)
{
    EXPECT_FALSE(g.HasCustomCellBorders());
    g.OnGetCellBorder = [](QObject *, int, int, TPen &, TCellBorders &) {};
    EXPECT_TRUE(g.HasCustomCellBorders());
}

} // namespace
