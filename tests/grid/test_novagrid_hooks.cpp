// Per-cell hooks answer in their order (preset, grid rule or cell property, event last), and the
// visual properties of a cell resolve step by step.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// A grid whose cells can be told what graphic they carry.
class TypedGrid : public TNovaStringGrid {
public:
    std::map<std::pair<int, int>, TCellType> types;
    TCellType GetCellType(int ACol, int ARow) override
    {
        const auto it = types.find({ACol, ARow});
        return it == types.end() ? TNovaStringGrid::GetCellType(ACol, ARow) : it->second;
    }
};

struct HooksFixture : ::testing::Test {
    TypedGrid g;
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(8);
    }
    // The brush a cell is painted with (no selection, not printing).
    TColor brushOf(int c, int r, TGridDrawState state = {})
    {
        TBrush brush;
        TFont font;
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = true;
        TCellGradientDirection gd = GradientVertical;
        g.GetVisualProperties(c, r, state, false, true, false, brush, to, mirror, mirrorTo, font, ha, va, ww, gd);
        lastTo = to;
        lastFont = font;
        lastState = state;
        return brush.Color;
    }
    TColor lastTo = clNone;
    TFont lastFont;
    TGridDrawState lastState;
};

TEST_F(HooksFixture, IsFixedCellAsksTheEventOnlyForCellsNotFixedYet)
{
    int asked = 0;
    g.OnIsFixedCell = [&](QObject *, int, int, bool &fixed) {
        ++asked;
        EXPECT_FALSE(fixed);
        fixed = true;
    };
    bool fixed = false;
    g.IsFixedCell(3, 0, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 0);
    fixed = false;
    g.IsFixedCell(3, 4, fixed);
    EXPECT_TRUE(fixed) << "the event has the last word";
    EXPECT_EQ(asked, 1);
}

TEST_F(HooksFixture, IsFixedCoversFootersAndRightColumns)
{
    EXPECT_FALSE(g.IsFixed(3, 7));
    g.SetFixedFooters(1);
    EXPECT_TRUE(g.IsFixed(3, 7));
    g.SetFixedRightCols(1);
    EXPECT_TRUE(g.IsFixed(5, 3));
    EXPECT_FALSE(g.IsFixed(4, 3));
}

TEST_F(HooksFixture, ReadOnlyCellCanBeOpenedByTheEvent)
{
    g.SetOptions(g.Options() + TGridOptions{goEditing});
    g.SetReadOnly(2, 3, true);
    bool seen = true;
    g.OnCanEditCell = [&](QObject *, int, int, bool &canEdit) { seen = canEdit; };
    EXPECT_FALSE(g.IsEditable(2, 3));
    EXPECT_FALSE(seen) << "the event sees the read-only answer";
    g.OnCanEditCell = [&](QObject *, int, int, bool &canEdit) { canEdit = true; };
    EXPECT_TRUE(g.IsEditable(2, 3));
    // A column past every column answers true without asking.
    g.OnCanEditCell = [&](QObject *, int, int, bool &) { FAIL() << "not asked past the columns"; };
    bool canEdit = false;
    g.CheckCanEditCell(40, 3, canEdit);
    EXPECT_TRUE(canEdit);
    // Without editing in the options nothing is editable.
    g.OnCanEditCell = nullptr;
    g.SetOptions(g.Options() - TGridOptions{goEditing});
    EXPECT_FALSE(g.IsEditable(3, 3));
}

TEST_F(HooksFixture, EventsSeeTheValueComputedSoFar)
{
    QString seenTrue;
    g.OnGetCheckTrue = [&](QObject *, int, int, QString &v) {
        seenTrue = v;
        v = "yes";
    };
    QString value;
    g.GetCheckTrue(1, 1, value);
    EXPECT_EQ(seenTrue, "Y");
    EXPECT_EQ(value, "yes");
    g.GetCheckFalse(1, 1, value);
    EXPECT_EQ(value, "N");

    g.MouseActions()->SetHotmailRowSelect(true);
    TAlignment seenAlign = taLeftJustify;
    g.OnGetAlignment = [&](QObject *, int, int, TAlignment &h, TVAlignment &) { seenAlign = h; };
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g.GetCellAlignment(0, 2, h, v);
    EXPECT_EQ(seenAlign, taCenter);

    EXPECT_FALSE(g.IsEditorNone(1, 1));
    g.OnGetEditorType = [](QObject *, int c, int, TEditorType &e) {
        EXPECT_EQ(e, edNormal);
        if (c == 2)
            e = edNone;
    };
    EXPECT_TRUE(g.IsEditorNone(2, 1));
    EXPECT_FALSE(g.IsEditorNone(3, 1));

    g.OnHasSpinEdit = [](QObject *, int, int, bool &has) { has = true; };
    EXPECT_FALSE(g.HasSpinEdit(0, 3)) << "fixed cells have no spin buttons";
    EXPECT_TRUE(g.HasSpinEdit(2, 3));
    EXPECT_FALSE(g.HasComboBox(2, 3));
}

TEST_F(HooksFixture, WideHintIsEncodedForTheHintWindow)
{
    g.OnGridHint = [](QObject *, int, int, QString &h) { h = "plain"; };
    QString hint, wide;
    g.DoGridHint(1, 1, hint, wide);
    EXPECT_EQ(hint, "plain");
    g.OnGridWideHint = [](QObject *, int, int, QString &h) { h = QString(QChar(0x263A)); };
    g.DoGridHint(1, 1, hint, wide);
    EXPECT_TRUE(hint.startsWith("|\\"));
}

TEST_F(HooksFixture, CellColorTakesTheBrushOnlyForPlainKinds)
{
    g.SetColors(2, 2, clRed);
    g.SetColors(3, 2, clRed);
    g.types[{3, 2}] = ctCheckBox;
    TBrush brush{clWhite};
    TFont font = g.Font();
    g.GetCellColor(2, 2, {}, brush, font);
    EXPECT_EQ(brush.Color, clRed);
    brush.Color = clWhite;
    g.GetCellColor(3, 2, {}, brush, font);
    EXPECT_EQ(brush.Color, clWhite) << "a check-box cell gets no brush from its properties";
    // The event sees the colour so far and has the last word.
    TColor seen = 0;
    g.OnGetCellColor = [&](QObject *, int, int, TGridDrawState, TBrush &b, TFont &) {
        seen = b.Color;
        b.Color = clLime;
    };
    g.GetCellColor(2, 2, {}, brush, font);
    EXPECT_EQ(seen, clRed);
    EXPECT_EQ(brush.Color, clLime);
}

TEST_F(HooksFixture, ActiveCellHeadersAreHighlighted)
{
    g.SetActiveCellShow(true);
    g.SetActiveCellColor(clYellow);
    g.FocusCell(3, 5);
    for (auto [c, r] : {std::pair{0, 5}, std::pair{3, 0}}) {
        TBrush brush{clWhite};
        TFont font = g.Font();
        g.GetCellColor(c, r, {}, brush, font);
        EXPECT_EQ(brush.Color, clYellow) << c << "," << r;
        EXPECT_TRUE(font.Style.Contains(fsBold));
    }
    TBrush brush{clWhite};
    TFont font = g.Font();
    g.GetCellColor(0, 4, {}, brush, font);
    EXPECT_EQ(brush.Color, clWhite);
}

TEST_F(HooksFixture, ColumnFilterListsDistinctValues)
{
    g.SetRowCount(5);
    g.SetFilterDropDownAuto(true);
    g.SetCells(2, 1, "x");
    g.SetCells(2, 2, "y z");
    g.SetCells(2, 3, "x");
    g.SetCells(2, 4, "");
    EXPECT_TRUE(g.GetColumnFilter(2));
    EXPECT_EQ(g.FilterList(), (QStringList{"(All)", "", "x", "y z=\"y z\""}));
    g.SetFilterDropDownAuto(false);
    EXPECT_FALSE(g.GetColumnFilter(2));
    g.OnGetColumnFilter = [](QObject *, int, QStringList &list) { list << "mine"; };
    EXPECT_TRUE(g.GetColumnFilter(2));
}

TEST_F(HooksFixture, NewPropertiesStartWithoutBrushInFixedCells)
{
    g.SetReadOnly(0, 3, true);
    EXPECT_EQ(g.Colors(0, 3), clNone);
    g.Bands()->SetActive(true);
    g.SetReadOnly(2, 3, true);
    EXPECT_EQ(g.Colors(2, 3), clNone);
}

// ---- visual properties ---------------------------------------------------------------------------

TEST_F(HooksFixture, BandsAlternateFromTheFirstDataRow)
{
    g.Bands()->SetActive(true);
    g.Bands()->SetPrimaryColor(clAqua);
    g.Bands()->SetSecondaryColor(clCream);
    g.Bands()->SetSecondaryLength(2);
    const TColor want[] = {clAqua, clCream, clCream, clAqua, clCream, clCream, clAqua};
    for (int r = 1; r < 8; ++r)
        EXPECT_EQ(brushOf(2, r), want[r - 1]) << r;
}

TEST_F(HooksFixture, FixedCellsTakeTheLooksGradient)
{
    EXPECT_EQ(brushOf(0, 3), g.NovaGradientFrom());
    EXPECT_EQ(lastTo, g.NovaGradientTo());
    EXPECT_TRUE(lastState.Contains(gdFixed));
    EXPECT_EQ(lastFont.Name, g.FixedFont().Name);
    g.SetLook(glClassic);
    EXPECT_EQ(brushOf(0, 3), g.FixedColor());
    EXPECT_EQ(lastTo, clNone);
}

TEST_F(HooksFixture, SelectionBlendsAnOwnBrushOnlyWithTheMixer)
{
    g.FocusCell(2, 3);
    EXPECT_EQ(brushOf(2, 3), g.SelectionColor());
    EXPECT_TRUE(lastState.Contains(gdSelected));
    EXPECT_EQ(lastFont.Color, g.SelectionTextColor());
    g.SetColors(2, 3, clRed);
    EXPECT_EQ(brushOf(2, 3), g.SelectionColor()) << "without the mixer the selection colour wins";
    g.SetSelectionColorMixer(true);
    EXPECT_EQ(brushOf(2, 3), BlendColor(g.SelectionColor(), clRed, 50));
    EXPECT_EQ(brushOf(3, 3), g.Color()) << "not selected";
}

TEST_F(HooksFixture, GradientEventComesAfterTheColourHook)
{
    std::vector<std::string> order;
    g.OnGetCellColor = [&](QObject *, int, int, TGridDrawState, TBrush &b, TFont &) {
        order.push_back("color");
        b.Color = clRed;
    };
    g.OnGetCellGradient = [&](QObject *, int, int, TColor &c, TColor &to, TColor &, TColor &, TCellGradientDirection &) {
        order.push_back("gradient");
        EXPECT_EQ(c, clRed);
        to = clBlue;
    };
    EXPECT_EQ(brushOf(2, 4), clRed);
    EXPECT_EQ(lastTo, clBlue);
    EXPECT_EQ(order, (std::vector<std::string>{"color", "gradient"}));
}

TEST_F(HooksFixture, OwnPropertiesGiveColourFontAndWrap)
{
    g.SetColors(2, 4, clMaroon);
    g.SetColorsTo(2, 4, clNavy);
    g.SetFontColors(2, 4, clGreen);
    g.SetFontSizes(2, 4, 14);
    EXPECT_EQ(brushOf(2, 4), clMaroon);
    EXPECT_EQ(lastTo, clNavy);
    EXPECT_EQ(lastFont.Color, clGreen);
    EXPECT_EQ(lastFont.Size, 14);
    g.setEnabled(false);
    brushOf(2, 4);
    EXPECT_EQ(lastFont.Color, g.DisabledFontColor());
}

TEST(Display, BlendColor)
{
    EXPECT_EQ(BlendColor(clWhite, clBlack, 50), 0x808080u);
    EXPECT_EQ(BlendColor(clWhite, clBlack, 100), clWhite);
    EXPECT_EQ(BlendColor(clWhite, clBlack, 0), clBlack);
    EXPECT_EQ(BlendColor(clNone, clBlack, 50), clBlack);
    EXPECT_EQ(BlendColor(clWhite, clNone, 50), clWhite);
    EXPECT_EQ(MixSelectionColor(clRed, clBlue, false, 50), clRed);
}

struct FormatCase {
    const char *text;
    const char *format;
    bool isFloat;
    const char *shown;
};

TEST(Display, FormattedCellGoesThroughTheCheckedFormatter)
{
    const FormatCase cases[] = {
        {"3.14159", "%.3f", true, "3.142"},
        {"42", "%d items", true, "42 items"},
        {"42", "%5d", true, "   42"},
        {"3.5", "%d", true, "3.5"},        // not an integer: the cell text stays
        {"3.14159", "%s", true, "3.14159"}, // does not fit a number: the cell text stays
        {"3.14159", "%.2f %.2f", true, "3.14159"},
        {"3.14159", "%.2", true, "3.14159"},
        {"3.14159", "%.1f", false, "3.14159"},
        {"abc", "%.1f", true, "abc"},
        {"1e3", "%.1f", true, "1000.0"},
    };
    for (const FormatCase &c : cases) {
        TNovaStringGrid g;
        g.SetCells(1, 1, c.text);
        EXPECT_EQ(g.GetFormattedCell(1, 1), c.text) << "without the event the text shows as it is";
        g.OnGetFloatFormat = [&](QObject *, int, int, bool &isFloat, QString &format) {
            EXPECT_TRUE(isFloat);
            EXPECT_EQ(format, "%.2f");
            isFloat = c.isFloat;
            format = c.format;
        };
        EXPECT_EQ(g.GetFormattedCell(1, 1), c.shown) << c.text << " " << c.format;
    }
}

} // namespace
