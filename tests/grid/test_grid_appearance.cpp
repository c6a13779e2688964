// Appearance setters of the string grid that do more than store, its listeners and change
// notifiers, and the small queries: used cells, saved area, sizing borders and alignment.
#include "grid/EditLink.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

TEST(GridAppearance, TheMixerFactorIsKeptWithinZeroToAHundred)
{
    TNovaStringGrid g;
    for (auto [in, out] : {std::pair{150, 100}, {-5, 0}, {30, 30}}) {
        g.SetSelectionColorMixerFactor(in);
        EXPECT_EQ(g.SelectionColorMixerFactor(), out);
    }
}

TEST(GridAppearance, SpreadSheetSwitchesOnWhatASpreadsheetNeedsWhateverTheValue)
{
    TNovaStringGrid g;
    g.SetOptions(TGridOptions{goFixedVertLine});
    g.SetSpreadSheet(false);
    EXPECT_FALSE(g.SpreadSheet());
    EXPECT_TRUE(g.Options().Contains(goRangeSelect));
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.SelectionRectangle());
    EXPECT_TRUE(g.SelectionResizer());
    EXPECT_TRUE(g.Navigation()->AllowSmartClipboard());
    EXPECT_TRUE(g.MouseActions()->RangeSelectAndEdit());
}

TEST(GridAppearance, VAlignmentSetsItsTextDrawingFlag)
{
    TNovaStringGrid g;
    for (auto [a, flag] : {std::pair{vtaCenter, 4}, {vtaBottom, 8}, {vtaTop, 0}}) {
        g.SetVAlignment(a);
        EXPECT_EQ(g.VAlignFlag(), flag);
    }
}

TEST(GridAppearance, UsedCellsIsTheSmallestRectangleHoldingText)
{
    TNovaStringGrid g;
    g.SetColCount(8);
    EXPECT_EQ(g.UsedCells(), (TRect{0, 0, 0, 0}));
    g.SetCells(2, 3, "a");
    g.SetCells(5, 1, "b");
    EXPECT_EQ(g.UsedCells(), (TRect{2, 1, 5, 3}));
}

TEST(GridAppearance, TheSavedAreaLeavesFixedRowsColumnsAndFootersOutUnlessAsked)
{
    TNovaStringGrid g;
    g.SetColCount(10);
    g.SetRowCount(20);
    g.SetFixedRightCols(1);
    g.SetFixedFooters(1);
    g.SetSaveFixedCells(false);
    EXPECT_EQ(g.SaveStartCol(), 1);
    EXPECT_EQ(g.SaveEndCol(), 8);
    EXPECT_EQ(g.SaveColCount(), 8);
    EXPECT_EQ(g.SaveStartRow(), 1);
    EXPECT_EQ(g.SaveEndRow(), 18);
    EXPECT_EQ(g.SaveRowCount(), 18);
}

// A grid whose formulas are worth their text after the "=".
class FormulaGrid : public TNovaStringGrid {
public:
    void GetFormulaValue(int, int, QString &Value) override { Value = Value.mid(1); }
};

TEST(GridAppearance, AutoNumAlignStandsNumbersAndNumericFormulasRight)
{
    FormulaGrid g;
    g.SetAutoNumAlign(true);
    struct Case {
        const char *text;
        TAlignment expected;
    };
    const Case cases[] = {{"12.5", taRightJustify}, {"word", taLeftJustify}, {"=42", taRightJustify},
                          {"=x+1", taLeftJustify}, {" 7 ", taRightJustify}, {"", taLeftJustify}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        g.SetCells(1, 1, c.text);
        TAlignment ha = taCenter;
        TVAlignment va = vtaTop;
        g.ResolveCellAlignment(1, 1, ha, va);
        EXPECT_EQ(ha, c.expected);
    }
    // A cell's own alignment wins over a number, not over a formula's value.
    g.SetAlignments(1, 1, taCenter);
    g.SetCells(1, 1, "12");
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.ResolveCellAlignment(1, 1, ha, va);
    EXPECT_EQ(ha, taCenter);
    g.SetAutoNumAlign(false);
    g.SetCells(2, 2, "12.5");
    g.ResolveCellAlignment(2, 2, ha, va);
    EXPECT_EQ(ha, taLeftJustify);
}

TEST(GridAppearance, RemovedComponentsAreForgotten)
{
    TNovaStringGrid g;
    TMarkupImageList images;
    g.SetGridImages(&images);
    g.Notification(reinterpret_cast<QObject *>(&images), true);
    EXPECT_EQ(g.GridImages(), nullptr);
    TNovaStringGrid other;
    g.SyncGrid()->SetGrid(&other);
    g.Notification(&other, false);
    EXPECT_EQ(g.SyncGrid()->Grid(), &other);
    g.Notification(&other, true);
    EXPECT_EQ(g.SyncGrid()->Grid(), nullptr);
}

struct CountingNotifier : TGridChangeNotifier {
    std::vector<TGridRect> seen;
    void CellsChanged(const TGridRect &R) override { seen.push_back(R); }
};

TEST(GridAppearance, ANotifierRegisteredTwiceHearsEachChangeOnce)
{
    TNovaStringGrid g;
    CountingNotifier n;
    g.RegisterNotifier(&n);
    g.RegisterNotifier(&n);
    const TGridRect r{1, 2, 3, 4};
    g.CellsChanged(r);
    ASSERT_EQ(n.seen.size(), 1u);
    EXPECT_EQ(n.seen[0].Left, 1);
    EXPECT_EQ(n.seen[0].Bottom, 4);
    g.UnRegisterNotifier(&n);
    g.CellsChanged(r);
    EXPECT_EQ(n.seen.size(), 1u);
}

TEST(GridAppearance, OneSelectionListenerIsKept)
{
    struct L : ITNovaStringGridSelect {
        void SelectionChanged(int, int) override {}
    } a, b;
    TNovaStringGrid g;
    g.RegisterSelListener(&a);
    g.RegisterSelListener(&b);
    EXPECT_EQ(g.SelListener(), &b);
    g.UnRegisterSelListener(&a); // whichever is given
    EXPECT_EQ(g.SelListener(), nullptr);
}

TEST(GridAppearance, SizingBordersLieWithinFourPixelsOfAHeaderEdge)
{
    TNovaStringGrid g;
    g.resize(400, 300);
    g.SetOptions(g.Options() + TGridOptions{goColSizing, goRowSizing});
    const QRect h = g.CellBounds(2, 0);
    const QRect d = g.CellBounds(2, 3);
    const QRect f = g.CellBounds(0, 3);
    EXPECT_TRUE(g.IsOnSizingBorder(h.right() - 1, h.center().y()));
    EXPECT_FALSE(g.IsOnSizingBorder(h.center().x(), h.center().y()));
    EXPECT_FALSE(g.IsOnSizingBorder(d.right() - 1, d.center().y())); // a data row
    EXPECT_TRUE(g.IsOnSizingBorder(f.center().x(), f.bottom() - 1));
    EXPECT_FALSE(g.IsOnSizingBorder(f.center().x(), f.center().y()));
    g.SetOptions(g.Options() - TGridOptions{goColSizing});
    EXPECT_FALSE(g.IsOnSizingBorder(h.right() - 1, h.center().y()));
    EXPECT_FALSE(g.IsOnSizingBorder(1000, 1000));
}

} // namespace
