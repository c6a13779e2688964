// The floating footer: results calculated into the last row, the last row kept last through row
// operations, the panel's template, clicks and hints, and its four styles on screen.
#include "grid/FloatingFooter.h"
#include "grid/GridFilter.h"
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

// Five data rows under one fixed row; the sixth row is the footer row.
struct FooterFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(7);
        const char *values[] = {"1", "2", "3", "1-2", "4"};
        for (int r = 1; r <= 5; ++r) {
            g.SetCells(0, r, QString::number(r));
            g.SetCells(1, r, QString::fromUtf8(values[r - 1]));
            g.SetCells(2, r, QString::number(r * 10));
        }
        g.FloatingFooter()->SetVisible(true);
    }
    int last() { return g.RowCount() - 1; }
    double footer(int c) { return g.Floats(c, last()); }
    std::string column0()
    {
        std::string out;
        for (int r = 1; r < g.RowCount(); ++r) {
            if (r > 1)
                out += ' ';
            out += g.Cells(0, r).toStdString();
        }
        return out;
    }
};

TEST_F(FooterFixture, ShowingItInTheFixedLastRowStyleTakesTheLastRowOutOfTheCells)
{
    EXPECT_EQ(g.FixedFooters(), 1);
    EXPECT_TRUE(g.HideLastRow());
    EXPECT_TRUE(g.FloatingFooterShown());
    g.FloatingFooter()->SetFooterStyle(fsColumnPreview);
    EXPECT_EQ(g.FixedFooters(), 0);
    EXPECT_FALSE(g.HideLastRow());
    g.FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    g.FloatingFooter()->SetVisible(false);
    EXPECT_EQ(g.FixedFooters(), 0);
    EXPECT_FALSE(g.HideLastRow());
}

TEST_F(FooterFixture, EachCalculationTypeWritesItsResultIntoTheFooterCell)
{
    // Column 2 holds 10, 20, 30, 40, 50 in rows 1..5; row 6 is the footer row.
    struct Case {
        TColumnCalcType type;
        double expected;
    };
    const Case cases[] = {{acSUM, 150}, {acAVG, 30}, {acCOUNT, 5}, {acMIN, 10},
                          {acMAX, 50},  {acDISTINCT, 5}, {acSTDDEV, 14.14}};
    for (const Case &c : cases) {
        g.FloatingFooter()->SetColumnCalc(2, c.type);
        EXPECT_NEAR(footer(2), c.expected, 1e-9) << int(c.type); // written with two decimals
    }
    // Column 1 holds 1, 2, 3, 1-2, 4: the text that is no number is left out of the sum.
    g.FloatingFooter()->SetColumnCalc(1, acSUM);
    EXPECT_DOUBLE_EQ(footer(1), 10);
}

TEST_F(FooterFixture, SumSkipsTextsAndFollowsEdits)
{
    g.SetRowCount(6); // rows 1..4 hold 1, 2, 3, 1-2; row 5 is the footer
    g.FloatingFooter()->SetColumnCalc(1, acSUM);
    EXPECT_DOUBLE_EQ(footer(1), 6);
    EXPECT_EQ(g.GetGridCell(1, 5), "6.00");
    g.SetCells(1, 4, "10");
    g.CellValueChanged(1, 4);
    EXPECT_DOUBLE_EQ(footer(1), 16);
}

TEST_F(FooterFixture, HiddenRowsCountOnlyWhenAsked)
{
    // Five data rows (1..5) and the footer row 6.
    g.FloatingFooter()->SetColumnCalc(2, acCOUNT);
    g.FloatingFooter()->SetColumnCalc(3, acSUM);
    for (int r = 1; r <= 5; ++r)
        g.SetCells(3, r, QString::number(r));
    g.HideRows(2, 3);
    ASSERT_EQ(g.RowCount(), 5);
    g.FloatingFooter()->SetCalculateHiddenRows(false);
    g.CalcFooter(-1);
    EXPECT_EQ(g.Ints(2, last()), 3);
    EXPECT_DOUBLE_EQ(footer(3), 1 + 4 + 5);
    g.FloatingFooter()->SetCalculateHiddenRows(true);
    g.CalcFooter(-1);
    EXPECT_EQ(g.Ints(2, last()), 5);
    EXPECT_DOUBLE_EQ(footer(3), 15) << "the footer row itself is never taken in";
    g.HideRow(4); // one more: three hidden
    g.CalcFooter(-1);
    EXPECT_DOUBLE_EQ(footer(3), 15);
}

TEST_F(FooterFixture, ACustomCellTakesTheEventsValueOrIsEmptied)
{
    g.SetCells(3, last(), "old");
    g.FloatingFooter()->SetColumnCalc(3, acCUSTOM);
    EXPECT_EQ(g.Cells(3, last()), "") << "no event: emptied";
    int askedRow = -1;
    g.FloatingFooter()->OnCalcFooter = [&](QObject *, int, int ARow, QString &Value) {
        askedRow = ARow;
        Value = "footer's";
    };
    g.CalcFooter(3);
    EXPECT_EQ(g.Cells(3, last()), "footer's");
    EXPECT_EQ(askedRow, last());
    g.OnFooterCalc = [](QObject *, int, int, QString &Value) { Value = "grid's"; };
    g.CalcFooter(-1);
    EXPECT_EQ(g.Cells(3, last()), "grid's") << "the grid's event comes first";
}

TEST_F(FooterFixture, OtherStylesAndColumnsOutsideTheGridCalculateNothing)
{
    g.FloatingFooter()->SetColumnCalc(2, acSUM);
    const QString before = g.Cells(2, last());
    g.SetCells(2, 1, "1000");
    g.FloatingFooter()->SetFooterStyle(fsColumnPreview);
    g.CalcFooter(-1);
    EXPECT_EQ(g.Cells(2, last()), before);
    g.FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    g.CalcFooter(99);
    g.CalcFooter(-5);
    EXPECT_EQ(g.Cells(2, last()), before);
    EXPECT_EQ(g.FloatingFooter()->GetColumnCalc(99), acNONE);
}

TEST_F(FooterFixture, TheFooterRowStaysLastThroughRowOperations)
{
    g.SetCells(0, last(), "F");
    g.FloatingFooter()->SetColumnCalc(2, acSUM);
    g.AddRow();
    EXPECT_EQ(column0(), "1 2 3 4 5  F") << "a new empty row before the footer";
    EXPECT_EQ(g.FloatingFooter()->GetColumnCalc(2), acSUM);
    g.SetRowCount(g.RowCount() + 2);
    EXPECT_EQ(column0(), "1 2 3 4 5    F");
    g.SetRowCount(g.RowCount());
    EXPECT_EQ(column0(), "1 2 3 4 5    F");
    g.RemoveRows(6, 3);
    EXPECT_EQ(column0(), "1 2 3 4 5 F");
    g.InsertRows(g.RowCount(), 1);
    EXPECT_EQ(column0(), "1 2 3 4 5  F");
    g.RemoveRows(6, 1);
    g.SetCells(2, 3, "-5");
    g.SortSettings()->SetColumn(2);
    g.SortSettings()->SetDirection(sdDescending);
    g.QSort();
    EXPECT_EQ(column0(), "5 4 2 1 3 F") << "sorting leaves the footer row out";
    EXPECT_EQ(g.FloatingFooter()->GetColumnCalc(2), acSUM);
    g.SetRowCount(4);
    EXPECT_EQ(column0(), "5 4 F");
    EXPECT_DOUBLE_EQ(footer(2), 90);
}

TEST_F(FooterFixture, FilteringRecalculatesTheFooter)
{
    g.FloatingFooter()->SetCalculateHiddenRows(false);
    g.FloatingFooter()->SetColumnCalc(2, acSUM);
    TFilterData *f = g.Filter()->Add();
    f->SetColumn(2);
    f->SetCondition(">25");
    g.SetFilterActive(true);
    EXPECT_EQ(column0(), "3 4 5 ");
    EXPECT_DOUBLE_EQ(footer(2), 120);
    g.SetFilterActive(false);
    EXPECT_DOUBLE_EQ(footer(2), 150);
}

TEST_F(FooterFixture, TemplatesTakeTheCurrentRowsCells)
{
    g.SetCells(2, 3, "17");
    g.SetRow(3);
    TFooterPanel *p = g.FooterPanel();
    struct Case {
        const char *tmpl;
        const char *expected;
    };
    const Case cases[] = {{"Total: <#2>", "Total: 17"},    {"a<#x>b", "ab"},          {"<#1><#0>", "33"},
                          {"col <#9>!", "col !"},          {"open <#2", "open <#2"},  {"<# 2 > end", "17 end"}};
    for (const Case &c : cases)
        EXPECT_EQ(p->ExpandTemplate(QString::fromUtf8(c.tmpl)).toStdString(), c.expected) << c.tmpl;
}

// ---- the panel on screen ------------------------------------------------------------------------------

struct ScreenFixture : FooterFixture {
    void SetUp() override
    {
        FooterFixture::SetUp();
        g.resize(300, 200);
        g.SetColCount(8);
        for (int c = 0; c < 8; ++c)
            g.SetColWidths(c, 60);
        g.show();
        QApplication::processEvents();
    }
};

TEST_F(ScreenFixture, TheFooterSitsUnderTheCellsAndAClickNamesTheColumnItsHintNames)
{
    TFooterPanel *p = g.FooterPanel();
    ASSERT_TRUE(p->isVisible());
    EXPECT_EQ(p->geometry().top(), g.viewport()->geometry().bottom() + 1);
    EXPECT_EQ(p->height(), g.FloatingFooter()->Height() - 1);
    g.SetLeftCol(3);
    QApplication::processEvents();
    int clicks = 0, clickRow = -1, clickCol = -1, hintCol = -1, hintRow = -1;
    g.OnClick = [&](QObject *) { ++clicks; };
    g.OnClickCell = [&](QObject *, int ARow, int ACol) {
        clickRow = ARow;
        clickCol = ACol;
    };
    g.OnGridHint = [&](QObject *, int ARow, int ACol, QString &hint) {
        hintRow = ARow;
        hintCol = ACol;
        hint = "h";
    };
    const QPoint at(60 + 60 + 10, p->height() / 2); // fixed column, column 3, then column 4
    QTest::mouseClick(p, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickRow, last());
    EXPECT_EQ(clickCol, 4);
    g.FloatingFooter()->SetShowHint(true);
    EXPECT_EQ(p->HintAt(at.x()), "h");
    EXPECT_EQ(hintCol, clickCol);
    EXPECT_EQ(hintRow, last());
    EXPECT_EQ(p->HintColumn(), 4);
    EXPECT_EQ(p->ColumnAt(5000), -1);
}

TEST_F(ScreenFixture, ABorderLineOnlyWithABorderColour)
{
    TFooterPanel *p = g.FooterPanel();
    auto topPixel = [&] { return p->grab().toImage().pixelColor(30, 0); };
    g.FloatingFooter()->SetFooterStyle(fsColumnPreview);
    EXPECT_NE(topPixel(), QColor(Qt::red));
    g.FloatingFooter()->SetBorderColor(0x0000FF);
    EXPECT_EQ(topPixel(), QColor(Qt::red));
}

// With FOOTER_SHOTS set the four styles are grabbed into /tmp (look at them).
TEST_F(ScreenFixture, FourStylesPaint)
{
    g.SetLeftCol(1);
    g.SetCells(1, 0, "Value");
    g.SetCells(2, 0, "Tens");
    g.FloatingFooter()->SetColumnCalc(1, acSUM);
    g.FloatingFooter()->SetColumnCalc(2, acAVG);
    g.SetCells(0, last(), "Total");
    g.FloatingFooter()->SetBorderColor(0x808080);
    g.SetRow(3);
    g.FloatingFooter()->SetColumn(2);
    g.FloatingFooter()->SetCustomTemplate("Row <#0>: <b><#2></b> tens");
    g.OnFooterPaint = nullptr;
    const TFooterStyle styles[] = {fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint};
    const char *names[] = {"fixed_last_row", "column_preview", "custom_preview", "custom_paint"};
    for (int i = 0; i < 4; ++i) {
        if (styles[i] == fsCustomPaint)
            g.OnFooterPaint = [](QObject *, int, TCanvas &K, const TRect &R) {
                K.Brush.Color = 0xF0E0D0;
                K.FillRect(R);
                K.Font.Color = clBlack;
                K.Brush.Style = bsClear;
                K.TextOut(R.Left + 6, R.Top + 4, QStringLiteral("Painted by the window"));
            };
        g.FloatingFooter()->SetFooterStyle(styles[i]);
        QApplication::processEvents();
        const QImage img = g.grab().toImage();
        EXPECT_FALSE(img.isNull());
        if (qEnvironmentVariableIsSet("FOOTER_SHOTS"))
            img.save(QStringLiteral("/tmp/grid_footer_%1.png").arg(QString::fromLatin1(names[i])));
    }
}

} // namespace

namespace {
struct LastRowGrid : TNovaStringGrid {
    int lastRowWrites = 0;
    void LastRowChanged() override
    {
        ++lastRowWrites;
        TNovaStringGrid::LastRowChanged();
    }
};
} // namespace

TEST(FooterLastRow, WritingTheHiddenLastRowReachesTheFooterHookOnlyWhileItIsHidden)
{
    LastRowGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    g.FloatingFooter()->SetVisible(true);
    ASSERT_TRUE(g.HideLastRow());
    int before = g.lastRowWrites;
    g.SetCells(1, g.RowCount() - 1, QStringLiteral("x"));
    EXPECT_EQ(g.lastRowWrites, before + 1);
    g.FloatingFooter()->SetVisible(false);
    ASSERT_FALSE(g.HideLastRow());
    before = g.lastRowWrites;
    g.SetCells(1, g.RowCount() - 1, QStringLiteral("z"));
    EXPECT_EQ(g.lastRowWrites, before);
}

namespace {

// The footer's paint event draws on the panel's canvas, which FooterCanvas hands out meanwhile.
TEST_F(FooterFixture, FooterCanvasIsThePanelsWhileItPaints)
{
    g.FloatingFooter()->SetFooterStyle(fsCustomPaint);
    TCanvas *seen = nullptr;
    TCanvas *given = nullptr;
    g.OnFooterPaint = [&](QObject *, int, TCanvas &Canvas, const TRect &) {
        given = &Canvas;
        seen = g.FooterCanvas();
    };
    g.resize(300, 200);
    g.show();
    QApplication::processEvents();
    g.FooterPanel()->repaint();
    ASSERT_NE(given, nullptr);
    EXPECT_EQ(seen, given);
    EXPECT_EQ(g.FooterCanvas(), nullptr) << "only while it paints";
}

} // namespace
