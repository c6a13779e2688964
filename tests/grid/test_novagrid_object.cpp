// A new string grid: its defaults, the order of its sub-objects, dimension setters, copying and
// what destruction frees.
#include "grid/NovaGrid.h"
#include "grid/CellControlEditors.h"
#include "grid/CellNode.h"
#include "grid/CompanionSettings.h"
#include "grid/FilterDropDown.h"
#include "grid/FloatingFooter.h"
#include "grid/GridEditorControls.h"
#include "grid/GridFilter.h"
#include "grid/HtmlHintWindow.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/SearchPanel.h"
#include "grid/SizeSettings.h"
#include "grid/SortSettings.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

namespace {

struct DefaultCase {
    const char *name;
    std::function<QVariant(TNovaStringGrid &)> read;
    QVariant expected;
};

TEST(NovaGridObject, NewGridHoldsEveryDefault)
{
    TNovaStringGrid g;
    const TColor btnFace = ColorToRGB(clBtnFace);
    const std::vector<DefaultCase> cases = {
        {"RowCount", [](auto &g) { return QVariant(g.RowCount()); }, 10},
        {"ColCount", [](auto &g) { return QVariant(g.ColCount()); }, 5},
        {"FixedRows", [](auto &g) { return QVariant(g.FixedRows()); }, 1},
        {"FixedCols", [](auto &g) { return QVariant(g.FixedCols()); }, 1},
        {"DefaultRowHeight", [](auto &g) { return QVariant(g.DefaultRowHeight()); }, 22},
        {"FixedRowHeight", [](auto &g) { return QVariant(g.FixedRowHeight()); }, 22},
        {"FixedColWidth", [](auto &g) { return QVariant(g.FixedColWidth()); }, 64},
        {"Width", [](auto &g) { return QVariant(g.Width()); }, 400},
        {"Height", [](auto &g) { return QVariant(g.Height()); }, 250},
        {"FixedFooters", [](auto &g) { return QVariant(g.FixedFooters()); }, 0},
        {"FixedRightCols", [](auto &g) { return QVariant(g.FixedRightCols()); }, 0},
        {"FilterDropDownRow", [](auto &g) { return QVariant(g.FilterDropDownRow()); }, 0},
        {"MaxEditLength", [](auto &g) { return QVariant(g.MaxEditLength()); }, 0},
        {"MaxComboLength", [](auto &g) { return QVariant(g.MaxComboLength()); }, 0},
        {"SelectionColorMixerFactor", [](auto &g) { return QVariant(g.SelectionColorMixerFactor()); }, 50},
        {"ZoomFactor", [](auto &g) { return QVariant(g.ZoomFactor()); }, 0},
        {"HighlightColor", [](auto &g) { return QVariant(g.HighlightColor()); }, clHighlight},
        {"HighlightTextColor", [](auto &g) { return QVariant(g.HighlightTextColor()); }, clHighlightText},
        {"HintColor", [](auto &g) { return QVariant(g.HintColor()); }, clInfoBk},
        {"ActiveCellColor", [](auto &g) { return QVariant(g.ActiveCellColor()); }, 0x808080u},
        {"ActiveCellColorTo", [](auto &g) { return QVariant(g.ActiveCellColorTo()); }, clNone},
        {"BorderColor", [](auto &g) { return QVariant(g.BorderColor()); }, 0xB99D7Fu},
        {"DisabledFontColor", [](auto &g) { return QVariant(g.DisabledFontColor()); }, 0xC0C0C0u},
        {"ScrollColor", [](auto &g) { return QVariant(g.ScrollColor()); }, clNone},
        {"SelectionColor", [](auto &g) { return QVariant(g.SelectionColor()); }, 0xEACAB6u},
        {"SelectionColorTo", [](auto &g) { return QVariant(g.SelectionColorTo()); }, clNone},
        {"SelectionMirrorColor", [](auto &g) { return QVariant(g.SelectionMirrorColor()); }, clNone},
        {"SelectionMirrorColorTo", [](auto &g) { return QVariant(g.SelectionMirrorColorTo()); }, clNone},
        {"SelectionTextColor", [](auto &g) { return QVariant(g.SelectionTextColor()); }, clBlack},
        {"SelectionRectangleColor", [](auto &g) { return QVariant(g.SelectionRectangleColor()); }, clBlack},
        {"URLColor", [](auto &g) { return QVariant(g.URLColor()); }, clBlue},
        {"NovaGradientFrom", [](auto &g) { return QVariant(g.NovaGradientFrom()); }, clWhite},
        {"NovaGradientTo", [](auto &g) { return QVariant(g.NovaGradientTo()); }, btnFace},
        {"NovaGradientMirrorFrom", [](auto &g) { return QVariant(g.NovaGradientMirrorFrom()); }, clNone},
        {"NovaGradientMirrorTo", [](auto &g) { return QVariant(g.NovaGradientMirrorTo()); }, clNone},
        {"AutoFilterUpdate", [](auto &g) { return QVariant(g.AutoFilterUpdate()); }, true},
        {"EnableHTML", [](auto &g) { return QVariant(g.EnableHTML()); }, true},
        {"EnableWheel", [](auto &g) { return QVariant(g.EnableWheel()); }, true},
        {"EnhRowColMove", [](auto &g) { return QVariant(g.EnhRowColMove()); }, true},
        {"FilterNormalCellsOnly", [](auto &g) { return QVariant(g.FilterNormalCellsOnly()); }, true},
        {"IntelliZoom", [](auto &g) { return QVariant(g.IntelliZoom()); }, true},
        {"ShowSelection", [](auto &g) { return QVariant(g.ShowSelection()); }, true},
        {"ShowDesignHelper", [](auto &g) { return QVariant(g.ShowDesignHelper()); }, true},
        {"UseInternalHintClass", [](auto &g) { return QVariant(g.UseInternalHintClass()); }, true},
        {"WordWrap", [](auto &g) { return QVariant(g.WordWrap()); }, true},
        {"FitCellsInGrid", [](auto &g) { return QVariant(g.FitCellsInGrid()); }, true},
        {"LoadFirstRow", [](auto &g) { return QVariant(g.LoadFirstRow()); }, true},
        {"QuoteEmptyCells", [](auto &g) { return QVariant(g.QuoteEmptyCells()); }, true},
        {"ShowNullDates", [](auto &g) { return QVariant(g.ShowNullDates()); }, true},
        {"SaveFixedCells", [](auto &g) { return QVariant(g.SaveFixedCells()); }, true},
        {"SaveVirtCells", [](auto &g) { return QVariant(g.SaveVirtCells()); }, true},
        {"SaveWithHTML", [](auto &g) { return QVariant(g.SaveWithHTML()); }, true},
        {"UseDisabledFont", [](auto &g) { return QVariant(g.UseDisabledFont()); }, true},
        {"HintShowCells", [](auto &g) { return QVariant(g.HintShowCells()); }, false},
        {"HTMLHint", [](auto &g) { return QVariant(g.HTMLHint()); }, false},
        {"ActiveCellShow", [](auto &g) { return QVariant(g.ActiveCellShow()); }, false},
        {"AutoSize", [](auto &g) { return QVariant(g.AutoSize()); }, false},
        {"FilterDropDownAuto", [](auto &g) { return QVariant(g.FilterDropDownAuto()); }, false},
        {"FilterIncremental", [](auto &g) { return QVariant(g.FilterIncremental()); }, false},
        {"FixedRowAlways", [](auto &g) { return QVariant(g.FixedRowAlways()); }, false},
        {"FixedColAlways", [](auto &g) { return QVariant(g.FixedColAlways()); }, false},
        {"SelectionColorMixer", [](auto &g) { return QVariant(g.SelectionColorMixer()); }, false},
        {"URLShowInText", [](auto &g) { return QVariant(g.URLShowInText()); }, false},
        {"EditWithTags", [](auto &g) { return QVariant(g.EditWithTags()); }, false},
        {"SaveFixedRows", [](auto &g) { return QVariant(g.SaveFixedRows()); }, false},
        {"SaveFixedCols", [](auto &g) { return QVariant(g.SaveFixedCols()); }, false},
        {"SaveHiddenCells", [](auto &g) { return QVariant(g.SaveHiddenCells()); }, false},
        {"SaveWithRTF", [](auto &g) { return QVariant(g.SaveWithRTF()); }, false},
        {"AlwaysQuotes", [](auto &g) { return QVariant(g.AlwaysQuotes()); }, false},
        {"JavaCSV", [](auto &g) { return QVariant(g.JavaCSV()); }, false},
        {"DefaultEditor", [](auto &g) { return QVariant(int(g.DefaultEditor())); }, int(edNormal)},
        {"DefaultAlignment", [](auto &g) { return QVariant(int(g.DefaultAlignment())); }, int(taLeftJustify)},
        {"FilterDropDownColumns", [](auto &g) { return QVariant(int(g.FilterDropDownColumns())); }, int(fdNormal)},
        {"HintShowLargeTextPos", [](auto &g) { return QVariant(int(g.HintShowLargeTextPos())); }, int(hpCell)},
        {"HoverFixedCells", [](auto &g) { return QVariant(int(g.HoverFixedCells())); }, int(hfNone)},
        {"IntelliPan", [](auto &g) { return QVariant(int(g.IntelliPan())); }, int(ipVertical)},
        {"InvalidEntryIcon", [](auto &g) { return QVariant(int(g.InvalidEntryIcon())); }, int(ieWarning)},
        {"Look", [](auto &g) { return QVariant(int(g.Look())); }, int(glXP)},
        {"ScrollBarAlways", [](auto &g) { return QVariant(int(g.ScrollBarAlways())); }, int(saNone)},
        {"ScrollBars", [](auto &g) { return QVariant(int(g.ScrollBars())); }, int(ssBoth)},
        {"ScrollType", [](auto &g) { return QVariant(int(g.ScrollType())); }, int(ssNormal)},
        {"ScrollHints", [](auto &g) { return QVariant(int(g.ScrollHints())); }, int(shNone)},
        {"VAlignment", [](auto &g) { return QVariant(int(g.VAlignment())); }, int(vtaTop)},
        {"FilterDropDownClear", [](auto &g) { return QVariant(g.FilterDropDownClear()); }, "(All)"},
        {"FloatFormat", [](auto &g) { return QVariant(g.FloatFormat()); }, "%.2f"},
        {"CheckTrue", [](auto &g) { return QVariant(g.CheckTrue()); }, "Y"},
        {"CheckFalse", [](auto &g) { return QVariant(g.CheckFalse()); }, "N"},
        {"PasswordChar", [](auto &g) { return QVariant(QString(g.PasswordChar())); }, "*"},
        {"XMLEncoding", [](auto &g) { return QVariant(g.XMLEncoding()); }, "ISO-8859-1"},
        {"EditMask", [](auto &g) { return QVariant(g.EditMask()); }, ""},
        {"FixedFont.Name", [](auto &g) { return QVariant(g.FixedFont().Name); }, "Tahoma"},
        {"FixedFont.Bold", [](auto &g) { return QVariant(g.FixedFont().Style.Contains(fsBold)); }, true},
        {"ActiveCellFont.Bold", [](auto &g) { return QVariant(g.ActiveCellFont().Style.Contains(fsBold)); }, true},
        {"NumHiddenColumns", [](auto &g) { return QVariant(g.NumHiddenColumns()); }, 0},
        {"NumHiddenRows", [](auto &g) { return QVariant(g.NumHiddenRows()); }, 0},
        {"FilterLevel", [](auto &g) { return QVariant(g.FilterLevel()); }, 0},
        {"Navigation.AdvanceOnEnterLoop", [](auto &g) { return QVariant(g.Navigation()->AdvanceOnEnterLoop()); }, true},
        {"SearchFooter.Visible", [](auto &g) { return QVariant(g.SearchFooter()->Visible()); }, false},
        {"Bands.Active", [](auto &g) { return QVariant(g.Bands()->Active()); }, false},
        {"HintShowLargeText", [](auto &g) { return QVariant(g.HintShowLargeText()); }, false},
        {"HintShowSizing", [](auto &g) { return QVariant(g.HintShowSizing()); }, false},
        {"OemConvert", [](auto &g) { return QVariant(g.OemConvert()); }, false},
        {"AnchorHint", [](auto &g) { return QVariant(g.AnchorHint()); }, false},
        {"AutoNumAlign", [](auto &g) { return QVariant(g.AutoNumAlign()); }, false},
        {"AutoThemeAdapt", [](auto &g) { return QVariant(g.AutoThemeAdapt()); }, false},
        {"EnableBlink", [](auto &g) { return QVariant(g.EnableBlink()); }, false},
        {"EnhTextSize", [](auto &g) { return QVariant(g.EnhTextSize()); }, false},
        {"ExcelStyleDecimalSeparator", [](auto &g) { return QVariant(g.ExcelStyleDecimalSeparator()); }, false},
        {"FilterActive", [](auto &g) { return QVariant(g.FilterActive()); }, false},
        {"FilterDropDownCheck", [](auto &g) { return QVariant(g.FilterDropDownCheck()); }, false},
        {"FixedAsButtons", [](auto &g) { return QVariant(g.FixedAsButtons()); }, false},
        {"Flat", [](auto &g) { return QVariant(g.Flat()); }, false},
        {"HideFocusRect", [](auto &g) { return QVariant(g.HideFocusRect()); }, false},
        {"Hovering", [](auto &g) { return QVariant(g.Hovering()); }, false},
        {"IntegralHeight", [](auto &g) { return QVariant(g.IntegralHeight()); }, false},
        {"Lookup", [](auto &g) { return QVariant(g.Lookup()); }, false},
        {"LookupCaseSensitive", [](auto &g) { return QVariant(g.LookupCaseSensitive()); }, false},
        {"LookupHistory", [](auto &g) { return QVariant(g.LookupHistory()); }, false},
        {"Multilinecells", [](auto &g) { return QVariant(g.Multilinecells()); }, false},
        {"ScrollProportional", [](auto &g) { return QVariant(g.ScrollProportional()); }, false},
        {"ScrollSynch", [](auto &g) { return QVariant(g.ScrollSynch()); }, false},
        {"SelectionRectangle", [](auto &g) { return QVariant(g.SelectionRectangle()); }, false},
        {"SelectionResizer", [](auto &g) { return QVariant(g.SelectionResizer()); }, false},
        {"SelectionRTFKeep", [](auto &g) { return QVariant(g.SelectionRTFKeep()); }, false},
        {"SizeWithForm", [](auto &g) { return QVariant(g.SizeWithForm()); }, false},
        {"URLShow", [](auto &g) { return QVariant(g.URLShow()); }, false},
        {"URLUnderlineOnHover", [](auto &g) { return QVariant(g.URLUnderlineOnHover()); }, false},
        {"URLFull", [](auto &g) { return QVariant(g.URLFull()); }, false},
        {"URLEdit", [](auto &g) { return QVariant(g.URLEdit()); }, false},
        {"ExcelClipboardFormat", [](auto &g) { return QVariant(g.ExcelClipboardFormat()); }, false},
        {"ClearTextOnly", [](auto &g) { return QVariant(g.ClearTextOnly()); }, false},
        {"GridStyle", [](auto &g) { return QVariant(int(g.GridStyle())); }, int(gsWindowsXP)},
        {"MouseSelectMode", [](auto &g) { return QVariant(int(g.MouseSelectMode())); }, int(msNormal)},
        {"InvalidEntryTitle", [](auto &g) { return QVariant(g.InvalidEntryTitle()); }, ""},
        {"InvalidEntryText", [](auto &g) { return QVariant(g.InvalidEntryText()); }, ""},
        {"ValidChars", [](auto &g) { return QVariant(g.ValidChars()); }, ""},
        {"Delimiter (automatic)", [](auto &g) { return QVariant(g.Delimiter().isNull()); }, true},
        {"CellChecker", [](auto &g) { return QVariant(g.CellChecker() == nullptr); }, true},
        {"GridImages", [](auto &g) { return QVariant(g.GridImages() == nullptr); }, true},
        {"ScrollWidth (the system's)",
         [](auto &g) { return QVariant(g.ScrollWidth() == g.style()->pixelMetric(QStyle::PM_ScrollBarExtent)); }, true},
        {"Version", [](auto &g) { return QVariant(!g.Version().isEmpty()); }, true},
    };
    for (const DefaultCase &c : cases) {
        QVariant got = c.read(g);
        QVariant want = c.expected;
        if (want.typeId() == QMetaType::UInt || got.typeId() == QMetaType::UInt) {
            got = QVariant(got.toLongLong());
            want = QVariant(want.toLongLong());
        }
        if (want.typeId() == QMetaType::Char || want.typeId() == QMetaType::QByteArray)
            want = QVariant(want.toString());
        EXPECT_EQ(got.toString(), want.toString()) << c.name;
    }
    // Every real column starts visible, and the visible-column table covers 0..511.
    for (int c = 0; c < 512; ++c)
        ASSERT_FALSE(g.IsHiddenColumn(c)) << c;
}

// Every sub-object and run-time control is made by the constructor, in its fixed order (the grid,
// or for the cell-sized pop-ups its viewport, is the parent).
TEST(NovaGridObject, SubObjectsAreCreatedInTheirOrder)
{
    TNovaStringGrid g;
    std::vector<QObject *> expected = {
        g.FooterPanel(), g.SearchPanel(), g.FocusHelper(), g.SearchFooter(), g.FloatingFooter(),
        g.PrintSettings(), g.HTMLSettings(), g.SortSettings(), g.DragDropSettings(), g.DragScrollOptions(),
        g.ControlLook(), g.Navigation(), g.ColumnSize(), g.CellNode(), g.Bands(), g.SizeWhileTyping(),
        g.MouseActions(), g.Grouping(), g.OrigColSizes(), g.SortIndexes(), g.SortRowXRef(), g.UnSortRowXRef(),
        g.MergedColumns(), g.SelectedCellList(), g.SelectedRows(), g.ModifiedRows(), g.EnabledRows(),
        g.BackGround(), g.ThumbHintWindow(), g.ProgressAppearance(), g.SyncGrid(), g.Filter(), g.Balloon(),
        g.ShowModified(), g.ColumnOrder(), g.IgnoreColumns(), g.FilterDropDown(),
        // The run-time controls.
        g.FocusWindow(), g.MoveArrow(arrUp), g.MoveArrow(arrDown), g.MoveArrow(arrLeft), g.MoveArrow(arrRight),
        g.Combo(), g.EditTrans(), g.ComboTrans(), g.EditCheck(), g.EditBtn(), g.UnitEditBtn(), g.GridButton(),
        g.MoveButton(), g.ControlEditor(), g.ControlCombo(), g.PaintScrollBar()};
    for (QObject *o : expected)
        ASSERT_NE(o, nullptr);
    std::vector<QObject *> seen;
    for (QObject *child : g.children())
        if (std::find(expected.begin(), expected.end(), child) != expected.end())
            seen.push_back(child);
    EXPECT_EQ(seen, expected);
    // The filter lists and the cell scroll bar live on the viewport, in the same order.
    const std::vector<QObject *> onViewport = {g.DropList(), g.DropCheckList(), g.CellScrollBar()};
    std::vector<QObject *> seenOnViewport;
    for (QObject *child : g.viewport()->children())
        if (std::find(onViewport.begin(), onViewport.end(), child) != onViewport.end())
            seenOnViewport.push_back(child);
    EXPECT_EQ(seenOnViewport, onViewport);
    // The controls wait hidden.
    for (QWidget *w : std::initializer_list<QWidget *>{g.Combo(), g.EditCheck(), g.EditBtn(), g.UnitEditBtn(),
                                                        g.GridButton(), g.PaintScrollBar(), g.CellScrollBar()})
        EXPECT_TRUE(w->isHidden());
    EXPECT_FALSE(g.GridButton()->isEnabled());
}

TEST(NovaGridObject, FixedRowsFollowTheAlwaysFlag)
{
    TNovaStringGrid g;
    g.SetFixedRowAlways(true);
    g.SetRowCount(3);
    g.SetFixedRows(3);
    // The platform grid keeps one row scrollable, the minimum records what was asked.
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 2);
    EXPECT_EQ(g.FixedRowMinimum(), 3);
    g.SetFixedRows(0);
    EXPECT_EQ(g.FixedRows(), 1) << "reads 1 while the platform grid has none";
    g.SetFixedRowAlways(false);
    EXPECT_EQ(g.FixedRows(), 0);
}

TEST(NovaGridObject, FixedSizes)
{
    TNovaStringGrid g;
    g.SetColWidths(0, 30);
    g.SetFixedColWidth(g.DefaultColWidth());
    EXPECT_EQ(g.ColWidths(0), 30) << "the default width leaves fixed columns alone";
    g.SetFixedColWidth(40);
    EXPECT_EQ(g.FixedColWidth(), 40);
    g.SetFixedRowHeight(30);
    EXPECT_EQ(g.RowHeights(0), 30);
    EXPECT_EQ(g.RowHeights(1), 22);
    g.SetFixedRowHeight(22);
    EXPECT_EQ(g.RowHeights(0), 22) << "equal to the default row height resets every row";
}

TEST(NovaGridObject, AssignCopiesSettingsOnlyFromAStringGrid)
{
    TNovaStringGrid a, b;
    a.SetColCount(7);
    a.SetRowCount(4);
    a.SetActiveCellColor(clRed);
    a.Navigation()->SetAdvanceOnEnter(true);
    QObject other;
    b.Assign(&other);
    EXPECT_EQ(b.ColCount(), 5);
    b.Assign(&a);
    EXPECT_EQ(b.ColCount(), 7);
    EXPECT_EQ(b.RowCount(), 4);
    EXPECT_EQ(b.ActiveCellColor(), clRed);
    EXPECT_TRUE(b.Navigation()->AdvanceOnEnter());
}

// Every listed setting and sub-object travels through its own Assign.
TEST(NovaGridObject, AssignCopiesEverySubObject)
{
    QWidget parent;
    parent.resize(300, 200);
    TNovaStringGrid a(&parent), b;
    a.SetAlign(alTop);
    a.FilterDropDown()->SetWidth(321);
    a.Grouping()->SetSummary(true);
    a.PrintSettings()->SetTitleText(QStringLiteral("Report"));
    a.Filter()->Add()->SetColumn(3);
    a.HTMLSettings()->SetWidth(77);
    a.CellNode()->SetNodeIndent(20);
    a.SortSettings()->SetColumn(4);
    a.DragScrollOptions()->SetActive(true);
    a.DragDropSettings()->SetOleDropTarget(true);
    a.ProgressAppearance()->SetSteps(9);
    a.ColumnSize()->SetStretch(true);
    a.SetScrollType(ssMetro);
    b.Assign(&a);
    EXPECT_EQ(b.Align(), alTop);
    EXPECT_EQ(b.FilterDropDown()->Width(), 321);
    EXPECT_TRUE(b.Grouping()->Summary());
    EXPECT_EQ(b.PrintSettings()->TitleText(), QStringLiteral("Report"));
    ASSERT_EQ(b.Filter()->Count(), 1);
    EXPECT_EQ(b.Filter()->Items(0)->Column(), 3);
    EXPECT_EQ(b.HTMLSettings()->Width(), 77);
    EXPECT_EQ(b.CellNode()->NodeIndent(), 20);
    EXPECT_EQ(b.SortSettings()->Column(), 4);
    EXPECT_TRUE(b.DragScrollOptions()->Active());
    EXPECT_TRUE(b.DragDropSettings()->OleDropTarget());
    EXPECT_EQ(b.ProgressAppearance()->Steps(), 9);
    EXPECT_TRUE(b.ColumnSize()->Stretch());
    EXPECT_EQ(b.ScrollType(), ssMetro) << "through its setter";
    EXPECT_NE(b.VScrollControl(), nullptr);
}

// Copying runs the dimension setters before the single widths and heights, and the cells last:
// the default-size setters reset every width and height and the counts cut cells off, so any
// other order loses the source's own widths, heights or far cells.
TEST(NovaGridObject, AssignCopiesSizesAfterTheirDefaultsAndCellsLast)
{
    TNovaStringGrid a, b;
    a.SetColCount(8);
    a.SetRowCount(14);
    a.SetDefaultColWidth(40);
    a.SetDefaultRowHeight(18);
    a.SetColWidths(6, 90);
    a.SetColWidths(7, 55);
    a.SetRowHeights(12, 33);
    a.SetCells(7, 13, QStringLiteral("far"));
    a.SetColumnHeaders(QStringList{QStringLiteral("h0"), QStringLiteral("h1")});
    b.Assign(&a);
    ASSERT_EQ(b.ColCount(), 8);
    ASSERT_EQ(b.RowCount(), 14);
    EXPECT_EQ(b.DefaultColWidth(), 40);
    EXPECT_EQ(b.DefaultRowHeight(), 18);
    struct Size {
        const char *name;
        int actual, expected;
    };
    const Size sizes[] = {
        {"own width of a column the target did not have", b.ColWidths(6), 90},
        {"last column's own width", b.ColWidths(7), 55},
        {"default width of the others", b.ColWidths(3), 40},
        {"own height of a row the target did not have", b.RowHeights(12), 33},
        {"default height of the others", b.RowHeights(5), 18},
    };
    for (const Size &z : sizes)
        EXPECT_EQ(z.actual, z.expected) << z.name;
    EXPECT_EQ(b.Cells(7, 13), QStringLiteral("far")) << "the cells come after the counts";
    EXPECT_EQ(b.Cells(1, 0), a.Cells(1, 0));
}

// End of building: headers, minimums, AlwaysShowEditor handed to Navigation, the base of
// proportional widths; a grid that is shown first runs it by itself.
TEST(NovaGridObject, LoadedEndsTheBuilding)
{
    TNovaStringGrid g;
    g.SetFixedRows(2);
    g.SetColWidths(1, 50);
    g.SetOptions(g.Options().Include(goAlwaysShowEditor));
    g.SetColumnHeaders(QStringList{QStringLiteral("a"), QStringLiteral("b")});
    g.SetLook(glNova);
    EXPECT_FALSE(g.IsLoaded());
    g.Loaded();
    EXPECT_TRUE(g.IsLoaded());
    EXPECT_TRUE(g.Navigation()->AlwaysEdit());
    EXPECT_FALSE(g.Options().Contains(goAlwaysShowEditor));
    EXPECT_EQ(g.FixedRowMinimum(), 2);
    EXPECT_EQ(g.MinRowHeight(), g.DefaultRowHeight());
    EXPECT_EQ(g.MinColWidth(), 10);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("b"));
    ASSERT_EQ(g.OrigColSizes()->Count(), g.ColCount());
    EXPECT_EQ(g.OrigColSizes()->Items(1), 50);
    EXPECT_EQ(g.OldSize(), g.width());
    EXPECT_EQ(g.ColumnOrder()->Count(), g.ColCount());
    EXPECT_EQ(g.Look(), glNova);

    TNovaStringGrid shown;
    int created = 0;
    shown.OnCreatedSearchFooter = [&](QObject *) { ++created; };
    shown.SetOptions(shown.Options().Include(goAlwaysShowEditor));
    shown.show();
    shown.hide();
    shown.show();
    EXPECT_TRUE(shown.IsLoaded());
    EXPECT_TRUE(shown.Navigation()->AlwaysEdit());
    EXPECT_EQ(created, 1) << "the panels' windows are made once, with the grid's";
}

// Row and column counts: the always-shown bars follow at once, and IntegralHeight is computed again
// when the columns no longer fit.
TEST(NovaGridObject, CountSettersUpdateBarsAndIntegralHeight)
{
    TNovaStringGrid g;
    g.resize(400, 250);
    g.SetScrollBarAlways(saVert);
    g.SetRowCount(2);
    EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    g.SetScrollBarAlways(saNone);
    g.SetScrollBars(ssVertical);
    g.SetColCount(9);
    EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    TNovaStringGrid h;
    h.SetDefaultRowHeight(20);
    h.SetIntegralHeight(true);
    h.SetBounds(0, 0, 400, 250);
    ASSERT_EQ(h.Height(), 244);
    h.SetColCount(40); // no longer every column in view: the bar's height counts
    const int s = h.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(h.Height(), 244 - ((244 - s - 2) % 20) + 2);
}

TEST(NovaGridObject, ThemedFollowsTheCommonControls)
{
    struct Controls6 : TThemePlatform {
        int ComCtlMajorVersion() const override { return 6; }
    } six;
    EXPECT_FALSE(TNovaStringGrid().IsThemed());
    SetThemePlatform(&six);
    EXPECT_TRUE(TNovaStringGrid().IsThemed());
    SetThemePlatform(nullptr);
}

// The grid button and the unit editor report to the grid for its current cell.
TEST(NovaGridObject, EditorEventsNameTheCurrentCell)
{
    TNovaStringGrid g;
    g.FocusCell(2, 3);
    std::vector<QString> log;
    g.OnButtonClick = [&](QObject *, int c, int r) { log.push_back(QStringLiteral("button %1,%2").arg(c).arg(r)); };
    g.OnUnitChanged = [&](QObject *, int c, int r, const QString &u) {
        log.push_back(QStringLiteral("unit %1,%2 %3").arg(c).arg(r).arg(u));
    };
    g.GridButton()->setEnabled(true);
    g.GridButton()->click();
    g.UnitEditBtn()->SetUnits({QStringLiteral("mm"), QStringLiteral("cm")});
    g.UnitEditBtn()->UnitMenuCommand(2);
    g.UnitEditBtn()->UnitMenuCommand(2); // the same unit again changes nothing
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("button 2,3"), QStringLiteral("unit 2,3 cm")}));
}

TEST(NovaGridObject, ArrowColorPaintsAllFourArrows)
{
    TNovaStringGrid g;
    EXPECT_EQ(g.ArrowColor(), clLime);
    g.SetArrowColor(clRed);
    EXPECT_EQ(g.ArrowColor(), clRed);
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight})
        EXPECT_EQ(g.MoveArrow(d)->Color(), clRed);
    TArrowWindow *left = g.MoveArrow(arrLeft);
    const QImage img = left->grab().toImage();
    const QPoint inside = left->mask().boundingRect().center();
    EXPECT_EQ(img.pixelColor(inside), QColor(Qt::red));
}

// Docking: the grid keeps its side of the parent while the parent is resized.
TEST(NovaGridObject, AlignDocksInTheParent)
{
    QWidget parent;
    parent.resize(300, 200);
    TNovaStringGrid g(&parent);
    g.resize(100, 50);
    parent.show(); // a hidden parent reports its new size only when shown
    struct Case {
        TAlign align;
        QRect at300x200;
    };
    const Case cases[] = {
        {alClient, QRect(0, 0, 300, 200)},
        {alTop, QRect(0, 0, 300, 50)},
        {alBottom, QRect(0, 150, 300, 50)},
        {alLeft, QRect(0, 0, 100, 200)},
        {alRight, QRect(200, 0, 100, 200)},
    };
    for (const Case &c : cases) {
        g.setGeometry(0, 0, 100, 50);
        g.SetAlign(c.align);
        EXPECT_EQ(g.geometry(), c.at300x200) << int(c.align);
    }
    g.SetAlign(alClient);
    parent.resize(350, 220);
    EXPECT_EQ(g.geometry(), QRect(0, 0, 350, 220));
    g.SetAlign(alNone);
    parent.resize(300, 200);
    EXPECT_EQ(g.geometry(), QRect(0, 0, 350, 220));
}

TEST(NovaGridObject, IntegralHeightShowsWholeRows)
{
    TNovaStringGrid g;
    g.SetDefaultRowHeight(20);
    g.SetIntegralHeight(true);
    g.SetBounds(0, 0, 400, 250);
    // 250 - ((250 - 0 - 2) mod 20) + 2 with a single border and every column in view.
    EXPECT_EQ(g.Height(), 244);
    g.SetIntegralHeight(false);
    g.SetBounds(0, 0, 400, 250);
    EXPECT_EQ(g.Height(), 250);
}

TEST(NovaGridObject, ColumnFollowsInASynchronisedGrid)
{
    TNovaStringGrid a, b;
    a.SyncGrid()->SetGrid(&b);
    a.SetCol(3);
    EXPECT_EQ(b.Col(), 1);
    a.SyncGrid()->SetSelectionColumn(true);
    a.SetCol(2);
    EXPECT_EQ(b.Col(), 2);
}

class Tracked : public TObject {
public:
    explicit Tracked(int *freed) : m_freed(freed) {}
    ~Tracked() override { ++*m_freed; }
    const char *ClassName() const override { return "TCellGraphic"; }

private:
    int *m_freed;
};

// A hidden row's cell objects belong to its item; destroying the grid frees them as well.
TEST(NovaGridObject, DestroyingFreesHiddenRowsWithTheirCellObjects)
{
    int freed = 0;
    {
        TNovaStringGrid g;
        g.SetGraphicObjectEx(1, 3, new Tracked(&freed));
        g.SetGraphicObjectEx(2, 6, new Tracked(&freed));
        g.SetGraphicObjectEx(2, 7, new Tracked(&freed));
        g.HideRow(3);
        g.HideRowList(std::vector<int>{5}); // real row 6 is display row 5 now
        EXPECT_EQ(g.NumHiddenRows(), 2);
        EXPECT_EQ(freed, 0);
    }
    EXPECT_EQ(freed, 3);
}

} // namespace
