// Per-cell hooks answer in their order (preset, grid rule or cell property, event last), and the
// visual properties of a cell resolve step by step.
#include "grid/NovaGrid.h"
#include "grid/base/VedAzirDraw.h"
#include "grid_visuals.h"

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
    // The brush a cell is painted with (selection applied, not printing).
    TColor brushOf(int c, int r, TGridDrawState state = {})
    {
        const CellVisuals v = visualsOf(g, c, r, true, state);
        lastTo = v.colorTo;
        lastFont = v.font;
        lastState = v.state;
        return v.brush.Color;
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

// The later steps of the resolution, each shown on one cell of a fresh grid.
TEST(VisualProperties, ResolveStepByStep)
{
    struct Outcome {
        TColor brush;
        TColor fontColor;
        bool selected;
        TCellGradientDirection gd;
        bool ww;
        TAlignment ha;
    };
    struct Case {
        const char *step;
        std::function<void(TNovaStringGrid &)> set;
        int col, row;
        TGridDrawState state;
        std::function<Outcome(TNovaStringGrid &)> want;
    };
    const TColor sel = TColor(0xEACAB6);
    const Case cases[] = {
        {"a selected cell runs its gradient top to bottom",
         [](TNovaStringGrid &g) { g.SetGradients(2, 3, GradientHorizontal); g.SetColors(2, 3, clRed); }, 2, 3,
         TGridDrawState{gdSelected}, [](TNovaStringGrid &g) { return Outcome{clRed, g.Font().Color, true, GradientVertical, true, taLeftJustify}; }},
        {"an unselected one keeps its own direction",
         [](TNovaStringGrid &g) { g.SetGradients(2, 3, GradientHorizontal); g.SetColors(2, 3, clRed); }, 2, 3, {},
         [](TNovaStringGrid &g) { return Outcome{clRed, g.Font().Color, false, GradientHorizontal, true, taLeftJustify}; }},
        {"footer rows are fixed cells",
         [](TNovaStringGrid &g) { g.SetFixedFooters(1); g.SetLook(glClassic); }, 2, 9, {},
         [](TNovaStringGrid &g) { return Outcome{g.FixedColor(), g.FixedFont().Color, false, GradientVertical, true, taLeftJustify}; }},
        {"right fixed columns are fixed cells",
         [](TNovaStringGrid &g) { g.SetFixedRightCols(1); g.SetLook(glClassic); }, 4, 3, {},
         [](TNovaStringGrid &g) { return Outcome{g.FixedColor(), g.FixedFont().Color, false, GradientVertical, true, taLeftJustify}; }},
        {"a disjunct row that is selected takes the selection",
         [](TNovaStringGrid &g) { g.MouseActions()->SetDisjunctRowSelect(true); g.SetRowSelect(3, true); g.FocusCell(1, 3); },
         2, 3, {}, [sel](TNovaStringGrid &) { return Outcome{sel, clBlack, true, GradientVertical, true, taLeftJustify}; }},
        {"a disjunct row that is not selected loses the rectangle's selection",
         [](TNovaStringGrid &g) { g.MouseActions()->SetDisjunctRowSelect(true); g.FocusCell(2, 4); }, 2, 4,
         TGridDrawState{gdSelected}, [](TNovaStringGrid &g) { return Outcome{g.Color(), g.Font().Color, false, GradientVertical, true, taLeftJustify}; }},
        {"a selected disjunct row away from the current row is brightened",
         [](TNovaStringGrid &g) { g.MouseActions()->SetDisjunctRowSelect(true); g.SetRowSelect(5, true); g.FocusCell(1, 3); },
         2, 5, {}, [sel](TNovaStringGrid &) { return Outcome{ChangeColorBrightness(sel, 7), clBlack, true, GradientVertical, true, taLeftJustify}; }},
        {"a listed disjunct cell takes the selection",
         [](TNovaStringGrid &g) { g.MouseActions()->SetDisjunctCellSelect(true); g.SelectedCellList()->Add({3, 4}); g.FocusCell(1, 1); },
         3, 4, {}, [sel](TNovaStringGrid &) { return Outcome{sel, clBlack, true, GradientVertical, true, taLeftJustify}; }},
        {"the current cell outside the list gets its own colours back",
         [](TNovaStringGrid &g) { g.MouseActions()->SetDisjunctCellSelect(true); g.SetColors(3, 4, clAqua); g.FocusCell(3, 4); },
         3, 4, {}, [](TNovaStringGrid &g) { return Outcome{clAqua, g.Font().Color, false, GradientVertical, true, taLeftJustify}; }},
        {"a disabled row shows the disabled font colour",
         [](TNovaStringGrid &g) { g.SetRowEnabled(6, false); }, 2, 6, {},
         [](TNovaStringGrid &g) { return Outcome{g.Color(), g.DisabledFontColor(), false, GradientVertical, true, taLeftJustify}; }},
        {"word wrap and alignment come from their hooks last",
         [](TNovaStringGrid &g) {
             g.OnGetWordWrap = [](QObject *, int, int, bool &w) { w = false; };
             g.OnGetAlignment = [](QObject *, int, int, TAlignment &h, TVAlignment &) { h = taRightJustify; };
         },
         2, 3, {}, [](TNovaStringGrid &g) { return Outcome{g.Color(), g.Font().Color, false, GradientVertical, false, taRightJustify}; }},
    };
    for (const Case &c : cases) {
        TNovaStringGrid g;
        g.SetRowCount(10);
        c.set(g);
        const CellVisuals v = resolveVisuals(g, c.col, c.row, false, true, c.state, taCenter);
        const Outcome w = c.want(g);
        EXPECT_EQ(v.brush.Color, w.brush) << c.step;
        EXPECT_EQ(v.font.Color, w.fontColor) << c.step;
        EXPECT_EQ(v.state.Contains(gdSelected), w.selected) << c.step;
        EXPECT_EQ(v.gradient, w.gd) << c.step;
        EXPECT_EQ(v.wordWrap, w.ww) << c.step;
        EXPECT_EQ(v.hAlign, w.ha) << c.step;
    }
}

// Like a column grid: a column's own editor answers before the event.
class ColumnEditorGrid : public TNovaStringGrid {
public:
    std::map<int, TEditorType> columnEditor;
    void GetCellEditor(int ACol, int ARow, TEditorType &AEditor) override
    {
        if (const auto it = columnEditor.find(ACol); it != columnEditor.end())
            AEditor = it->second;
        TNovaStringGrid::GetCellEditor(ACol, ARow, AEditor);
    }
};

// Drop-down and spin buttons that always show: the control look's flag and the cell's editor kind
// decide, starting from the default editor; an assigned event replaces the rule.
TEST(HooksAlwaysVisibleButtons, FollowTheControlLookAndTheEditorKind)
{
    struct Case {
        const char *what;
        bool flag;
        TEditorType defaultEditor;
        TEditorType columnEditor; // edNone: the column sets nothing
        TEditorType eventEditor;  // edNone: no editor-kind event
        bool combo;
        bool spin;
    };
    const Case cases[] = {
        {"flag off", false, edComboList, edNone, edNone, false, false},
        {"default combo list", true, edComboList, edNone, edNone, true, false},
        {"default combo edit", true, edComboEdit, edNone, edNone, true, false},
        {"default plain text", true, edNormal, edNone, edNone, false, false},
        {"column combo list", true, edNormal, edComboList, edNone, true, false},
        {"event gives combo", true, edNormal, edNone, edComboEdit, true, false},
        {"default spin", true, edSpinEdit, edNone, edNone, false, true},
        {"event gives float spin", true, edNormal, edNone, edFloatSpinEdit, false, true},
        {"event gives time spin", true, edNormal, edNone, edTimeSpinEdit, false, true},
        {"event gives date spin", true, edNormal, edNone, edDateSpinEdit, false, true},
        {"column spin is no cell editor type", true, edNormal, edSpinEdit, edNone, false, false},
        {"event takes the combo away", true, edComboList, edNone, edNormal, false, false},
    };
    for (const Case &c : cases) {
        ColumnEditorGrid g;
        g.ControlLook()->SetDropDownAlwaysVisible(c.flag);
        g.ControlLook()->SetSpinButtonsAlwaysVisible(c.flag);
        g.SetDefaultEditor(c.defaultEditor);
        if (c.columnEditor != edNone)
            g.columnEditor[2] = c.columnEditor;
        if (c.eventEditor != edNone)
            g.OnGetEditorType = [&](QObject *, int, int, TEditorType &e) { e = c.eventEditor; };
        EXPECT_EQ(g.HasComboBox(2, 3), c.combo) << c.what;
        EXPECT_EQ(g.HasSpinEdit(2, 3), c.spin) << c.what;
    }
}

TEST(HooksAlwaysVisibleButtons, AnAssignedEventReplacesTheRule)
{
    TNovaStringGrid g;
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    g.ControlLook()->SetSpinButtonsAlwaysVisible(true);
    g.SetDefaultEditor(edComboList);
    bool seenCombo = true;
    g.OnHasComboBox = [&](QObject *, int, int, bool &has) { seenCombo = has; };
    EXPECT_FALSE(g.HasComboBox(2, 3));
    EXPECT_FALSE(seenCombo) << "the event starts from false, not from the rule";
    g.SetDefaultEditor(edSpinEdit);
    g.OnHasSpinEdit = [](QObject *, int, int, bool &has) { has = false; };
    EXPECT_FALSE(g.HasSpinEdit(2, 3));
    g.OnHasSpinEdit = nullptr;
    EXPECT_TRUE(g.HasSpinEdit(2, 3));
    EXPECT_FALSE(g.HasSpinEdit(0, 3)) << "no spin buttons in a fixed column";
    EXPECT_FALSE(g.HasSpinEdit(2, 0)) << "no spin buttons in a fixed row";
}

// New cell properties carry no brush where a gradient background shows through.
TEST_F(HooksFixture, NewPropertiesStartWithoutBrushOverAGradientBackground)
{
    g.OnGetCellGradient = [](QObject *, int, int, TColor &, TColor &to, TColor &, TColor &, TCellGradientDirection &) {
        to = clBlue;
    };
    struct Case {
        TBackGroundDisplay display;
        bool brushKept;
    };
    const Case cases[] = {{bdTile, true}, {bdFixed, true}, {bdGradientHorz, false}, {bdGradientVert, false}};
    for (const Case &c : cases) {
        g.BackGround()->SetDisplay(c.display);
        TFont font;
        TBrush brush;
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        TCellGradientDirection gd = GradientVertical;
        g.GetDefaultCellProperties(2, 3, font, brush, to, mirror, mirrorTo, ha, va, ww, gd);
        EXPECT_EQ(brush.Color, c.brushKept ? g.Color() : clNone) << int(c.display);
        EXPECT_EQ(to, c.brushKept ? clBlue : clNone) << int(c.display);
    }
    g.BackGround()->SetDisplay(bdGradientVert);
    g.SetReadOnly(2, 4, true);
    EXPECT_EQ(g.Colors(2, 4), clNone);
}

// Printing takes the print fonts for data and fixed cells unless it prints with the display's.
TEST_F(HooksFixture, PrintingTakesThePrintFonts)
{
    TFont printFont;
    printFont.Name = QStringLiteral("Courier");
    printFont.Size = 9;
    TFont printFixed;
    printFixed.Name = QStringLiteral("Times");
    printFixed.Size = 11;
    g.PrintSettings()->SetFont(printFont);
    g.PrintSettings()->SetFixedFont(printFixed);
    struct Case {
        bool print;
        bool useDisplayFont;
        int col, row;
        QString font;
    };
    const Case cases[] = {
        {true, false, 2, 3, "Courier"},  {true, false, 0, 3, "Times"},  {true, false, 2, 0, "Times"},
        {true, true, 2, 3, g.Font().Name}, {true, true, 0, 3, g.FixedFont().Name},
        {false, false, 2, 3, g.Font().Name}, {false, false, 0, 3, g.FixedFont().Name},
    };
    for (const Case &c : cases) {
        g.PrintSettings()->SetUseDisplayFont(c.useDisplayFont);
        EXPECT_EQ(resolveVisuals(g, c.col, c.row, c.print, false).font.Name, c.font)
            << c.print << c.useDisplayFont << " cell " << c.col << "," << c.row;
    }
    // A cell's own font still applies over the print font.
    g.PrintSettings()->SetUseDisplayFont(false);
    g.SetFontSizes(2, 3, 15);
    EXPECT_EQ(resolveVisuals(g, 2, 3, true, false).font.Size, 15);
}

// Group headers are underlined and summary rows overlined from column 1 on; the event decides last.
TEST_F(HooksFixture, GroupLinesOnHeaderAndSummaryRows)
{
    g.CreateCellGraphic(0, 2)->SetCellType(ctNode);
    g.CreateCellGraphic(0, 5)->SetCellType(ctSummary);
    g.Grouping()->SetHeaderLineColor(clRed);
    g.Grouping()->SetHeaderLineWidth(3);
    g.Grouping()->SetSummaryLineColor(clGreen);
    g.Grouping()->SetSummaryLineWidth(4);
    struct Case {
        const char *what;
        bool underline, summaryLine;
        int col, row;
        TCellBorders borders;
        TColor pen;
        int width;
    };
    const TCellBorders none{};
    const Case cases[] = {
        {"header underlined", true, false, 2, 2, TCellBorders{cbBottom}, clRed, 3},
        {"header line off", false, true, 2, 2, none, clBlack, 1},
        {"no line in column 0", true, true, 0, 2, none, clBlack, 1},
        {"plain row", true, true, 2, 3, none, clBlack, 1},
        {"summary overlined", false, true, 3, 5, TCellBorders{cbTop}, clGreen, 4},
        {"summary line off", true, false, 3, 5, none, clBlack, 1},
    };
    for (const Case &c : cases) {
        g.Grouping()->SetHeaderUnderline(c.underline);
        g.Grouping()->SetSummaryLine(c.summaryLine);
        TPen pen;
        TCellBorders borders;
        g.GetCellBorder(c.col, c.row, pen, borders);
        EXPECT_TRUE(borders == c.borders) << c.what;
        EXPECT_EQ(pen.Color, c.pen) << c.what;
        EXPECT_EQ(pen.Width, c.width) << c.what;
    }
    EXPECT_TRUE(g.IsNode(2));
    EXPECT_FALSE(g.IsNode(5));
    EXPECT_TRUE(g.IsSummary(5));
    EXPECT_FALSE(g.IsNode(-1));

    TCellBorders seen;
    g.OnGetCellBorder = [&](QObject *, int, int, TPen &pen, TCellBorders &b) {
        seen = b;
        b = TCellBorders{cbLeft};
        pen.Width = 9;
    };
    g.Grouping()->SetHeaderUnderline(true);
    TPen pen;
    TCellBorders borders;
    g.GetCellBorder(1, 2, pen, borders);
    EXPECT_TRUE(seen == TCellBorders{cbBottom}) << "the event sees the group line";
    EXPECT_TRUE(borders == TCellBorders{cbLeft});
    EXPECT_EQ(pen.Width, 9);
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
