// The column grid: items kept one per real column through every column change, and each item's
// settings governing its cells through the grid's hooks, with the application's event last.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "grid/GridEditorControls.h"
#include "grid/NovaColumnGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/GridLists.h"
#include "grid_visuals.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct ColumnGridTest : ::testing::Test {
    std::unique_ptr<TNovaColumnGrid> grid = std::make_unique<TNovaColumnGrid>();
    TGridColumnItem *item(int i) const { return grid->Columns()->Items(i); }
    void enableEditing()
    {
        TGridOptions o = grid->Options();
        o.Include(goEditing);
        grid->SetOptions(o);
    }
    TBrush brushOf(int c, int r, TFont *font = nullptr)
    {
        const CellVisuals v = visualsOf(*grid, c, r);
        if (font)
            *font = v.font;
        return v.brush;
    }
};

TEST_F(ColumnGridTest, NewGridHasOneDefaultItemPerColumn)
{
    TFont gridFont = grid->Font();
    gridFont.Size = 11;
    grid->SetFont(gridFont);
    grid->SetColor(TColor(0x00DDEEFF));
    grid->SetColCount(3);
    grid->SetColCount(6); // three new items, made after the font and colour changed
    ASSERT_EQ(grid->Columns()->Count(), 6);
    for (int i = 3; i < 6; ++i) {
        SCOPED_TRACE(i);
        const TGridColumnItem *it = item(i);
        EXPECT_EQ(it->Width(), grid->ColWidths(i));
        EXPECT_EQ(it->DropDownCount(), 8);
        EXPECT_EQ(it->CheckTrue(), QStringLiteral("Y"));
        EXPECT_EQ(it->CheckFalse(), QStringLiteral("N"));
        EXPECT_EQ(it->SpinStep(), 1);
        EXPECT_EQ(it->PrintColor(), clWhite);
        EXPECT_EQ(it->BorderPen().Color, clSilver);
        EXPECT_EQ(it->BorderPen().Width, 1);
        EXPECT_EQ(it->PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
        EXPECT_TRUE(it->PrintBorderCustom());
        EXPECT_TRUE(it->PrintFontCustom());
        EXPECT_EQ(it->Font(), gridFont);
        EXPECT_EQ(it->HeaderFont(), gridFont);
        EXPECT_EQ(it->Color(), TColor(0x00DDEEFF));
        EXPECT_EQ(it->Editor(), edNormal);
        EXPECT_EQ(it->Index(), i);
    }
    // The default grid starts with its default column count of items.
    TNovaColumnGrid fresh;
    EXPECT_EQ(fresh.Columns()->Count(), fresh.ColCount());
    // An item without a collection has no column and no grid colours.
    TGridColumnItem loose;
    EXPECT_EQ(loose.Width(), 0);
    EXPECT_EQ(loose.Color(), TColor(0));
    EXPECT_EQ(loose.Index(), -1);
}

TEST_F(ColumnGridTest, RaisedColumnCountCopiesTheVisualsOfTheColumnBefore)
{
    grid->SetColCount(3);
    TGridColumnItem *third = item(2);
    third->SetEditor(edComboList);
    third->SetReadOnly(true);
    third->SetAlignment(taRightJustify);
    third->SetCheckTrue(QStringLiteral("on"));
    third->SetMaxSize(90);
    third->SetHeader(QStringLiteral("Mode"));
    third->SetComboItems({QStringLiteral("a"), QStringLiteral("b")});
    third->SetDropDownCount(3);
    third->SetColor(clRed);
    third->SetName(QStringLiteral("mode"));
    grid->SetColCount(5);
    ASSERT_EQ(grid->Columns()->Count(), 5);
    for (int i = 3; i < 5; ++i) {
        SCOPED_TRACE(i);
        const TGridColumnItem *it = item(i);
        EXPECT_EQ(it->Editor(), edComboList);
        EXPECT_TRUE(it->ReadOnly());
        EXPECT_EQ(it->Alignment(), taRightJustify);
        EXPECT_EQ(it->CheckTrue(), QStringLiteral("on"));
        EXPECT_EQ(it->MaxSize(), 90);
        EXPECT_EQ(it->Header(), QString());
        EXPECT_TRUE(it->ComboItems().isEmpty());
        EXPECT_EQ(it->DropDownCount(), 8);
        EXPECT_EQ(it->Color(), grid->Color());
        EXPECT_EQ(it->Font(), grid->Font());
        EXPECT_EQ(it->Name(), QString());
    }
    grid->SetColCount(3);
    ASSERT_EQ(grid->Columns()->Count(), 3);
    EXPECT_EQ(item(2), third); // the surplus goes from the end
    EXPECT_EQ(item(2)->Header(), QStringLiteral("Mode"));
}

TEST_F(ColumnGridTest, EveryWayOfChangingColumnsKeepsOneItemPerRealColumn)
{
    grid->SetColCount(6);
    for (int i = 0; i < 6; ++i)
        item(i)->SetTag(i);
    // Through the string grid's own setter, as code holding a string grid does.
    static_cast<TNovaStringGrid *>(grid.get())->SetColCount(8);
    EXPECT_EQ(grid->Columns()->Count(), 8);
    grid->HideColumn(2);
    grid->HideColumn(4);
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->Columns()->Count(), 8);
    EXPECT_EQ(item(4)->Tag(), 4); // item index stays the real column
    // A new displayed column adds an item at the end; items count the hidden columns too.
    grid->SetColCount(7);
    EXPECT_EQ(grid->Columns()->Count(), 9);
    grid->UnHideColumnsAll();
    EXPECT_EQ(grid->ColCount(), 9);
    EXPECT_EQ(grid->Columns()->Count(), 9);
    EXPECT_EQ(item(2)->Tag(), 2);
    grid->SetColCount(2);
    EXPECT_EQ(grid->Columns()->Count(), 2);
}

TEST_F(ColumnGridTest, ItemsAddedOrDeletedFromCodeChangeTheColumnCountButNeverToTheFixedColumns)
{
    grid->SetColCount(4);
    grid->SetFixedCols(1);
    grid->Columns()->Add();
    EXPECT_EQ(grid->ColCount(), 5);
    grid->Columns()->Delete(4);
    EXPECT_EQ(grid->ColCount(), 4);
    for (int i = 0; i < 3; ++i)
        grid->Columns()->Delete(grid->Columns()->Count() - 1);
    EXPECT_EQ(grid->Columns()->Count(), 1);
    EXPECT_EQ(grid->ColCount(), 2); // n = 1 is not above the one fixed column
    EXPECT_THROW(grid->Columns()->Items(5), EListError);
    EXPECT_THROW(grid->Columns()->Items(-1), EListError);
}

TEST_F(ColumnGridTest, HeaderWritesTheHeaderRowOnlyWhenThereIsOne)
{
    struct Case {
        int fixedRows;
        bool cellWritten;
    };
    for (const Case c : {Case{1, true}, Case{0, false}}) {
        SCOPED_TRACE(c.fixedRows);
        grid = std::make_unique<TNovaColumnGrid>();
        grid->SetFixedRows(c.fixedRows);
        grid->SetCells(2, 0, QStringLiteral("old"));
        item(2)->SetHeader(QStringLiteral("Enable"));
        EXPECT_EQ(item(2)->Header(), QStringLiteral("Enable"));
        ASSERT_GE(grid->ColumnHeaders().size(), 3);
        EXPECT_EQ(grid->ColumnHeaders().at(2), QStringLiteral("Enable"));
        EXPECT_EQ(grid->Cells(2, 0), c.cellWritten ? QStringLiteral("Enable") : QStringLiteral("old"));
    }
}

TEST_F(ColumnGridTest, ColumnHeadersListSetsEveryItemsHeaderAndItemsTakeUnnamedHeadersFromTheCells)
{
    grid->SetColCount(4);
    grid->SetColumnHeaders({QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Last")});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(item(i)->Header(), grid->ColumnHeaders().at(i));
    EXPECT_EQ(grid->Cells(3, 0), QStringLiteral("Last"));
    // A header cell typed by code is taken over by its item at the next collection update.
    grid = std::make_unique<TNovaColumnGrid>();
    grid->SetCells(1, 0, QStringLiteral("Port"));
    item(3)->SetColor(clYellow); // a notifying property: collection update
    EXPECT_EQ(item(1)->Header(), QStringLiteral("Port"));
    EXPECT_EQ(grid->ColumnHeaders().value(1), QStringLiteral("Port"));
}

TEST_F(ColumnGridTest, WidthReadsAndWritesTheGridsColumnByRealIndex)
{
    grid->SetColCount(5);
    item(3)->SetWidth(77);
    EXPECT_EQ(grid->ColWidths(3), 77);
    grid->SetColWidths(2, 41);
    EXPECT_EQ(item(2)->Width(), 41);
    EXPECT_EQ(item(2)->StoredWidth(), 41); // the private copy follows the grid
    grid->SetColWidths(1, 55);
    grid->HideColumn(1);
    EXPECT_EQ(item(3)->Width(), 77); // displayed at 2 now
    EXPECT_EQ(grid->ColWidths(2), 77);
    EXPECT_EQ(item(1)->Width(), 55); // the hidden column keeps its width
}

TEST_F(ColumnGridTest, ItemColoursFontsAndAlignmentGovernCellsAndTheEventHasTheLastWord)
{
    grid->SetColCount(4);
    TGridColumnItem *it = item(2);
    it->SetColor(TColor(0x00CCFFCC));
    TFont body = grid->Font();
    body.Size = 12;
    it->SetFont(body);
    TFont head = grid->Font();
    head.Style = TFontStyles{fsItalic};
    it->SetHeaderFont(head);
    it->SetAlignment(taRightJustify);
    it->SetHeaderAlignment(taCenter);

    TFont f;
    EXPECT_EQ(brushOf(2, 3, &f).Color, TColor(0x00CCFFCC));
    EXPECT_EQ(f.Size, 12);
    brushOf(2, 0, &f);
    EXPECT_TRUE(f.Style.Contains(fsItalic));
    EXPECT_NE(brushOf(1, 3).Color, TColor(0x00CCFFCC));

    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    grid->ResolveCellAlignment(2, 3, ha, va);
    EXPECT_EQ(ha, taRightJustify);
    grid->ResolveCellAlignment(2, 0, ha, va);
    EXPECT_EQ(ha, taCenter);

    // A cell's own colour and alignment win over the column.
    grid->SetColors(2, 4, clAqua);
    EXPECT_EQ(brushOf(2, 4).Color, clAqua);
    grid->SetAlignments(2, 5, taLeftJustify);
    grid->ResolveCellAlignment(2, 5, ha, va);
    EXPECT_EQ(ha, taLeftJustify);
    // New cell properties start from the column's settings.
    EXPECT_EQ(grid->GetCellProperties(2, 6)->Alignment(), taRightJustify);
    EXPECT_EQ(grid->GetCellProperties(2, 6)->BrushColor(), TColor(0x00CCFFCC));

    // The application's event decides last.
    grid->OnGetCellColor = [](QObject *, int, int ACol, TGridDrawState, TBrush &b, TFont &) {
        if (ACol == 2)
            b.Color = clFuchsia;
    };
    EXPECT_EQ(brushOf(2, 3).Color, clFuchsia);

    // A fixed item paints its normal cells as fixed and in the fixed colour.
    grid->OnGetCellColor = nullptr;
    it->SetFixed(true);
    EXPECT_EQ(brushOf(2, 3).Color, grid->FixedColor());
    EXPECT_TRUE(grid->IsFixed(2, 3));
}

TEST_F(ColumnGridTest, EditingFollowsReadOnlyFixedCellPropertiesAndTheEvent)
{
    grid->SetColCount(4);
    enableEditing();
    item(1)->SetReadOnly(true);
    item(3)->SetFixed(true);
    struct Case {
        const char *what;
        int col, row;
        bool editable;
    };
    const Case cases[] = {
        {"writable column", 2, 2, true}, {"read-only column", 1, 2, false}, {"fixed column", 3, 2, false},
        {"header row", 2, 0, false},     {"fixed column 0", 0, 2, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(grid->IsEditable(c.col, c.row), c.editable);
    }
    // The cell's own read-only in a writable column.
    grid->SetReadOnly(2, 4, true);
    EXPECT_FALSE(grid->IsEditable(2, 4));
    // The application's event has the last word, also against a read-only item.
    grid->OnCanEditCell = [](QObject *, int ARow, int ACol, bool &CanEdit) {
        if (ACol == 1 && ARow == 2)
            CanEdit = true;
    };
    EXPECT_TRUE(grid->IsEditable(1, 2));
    EXPECT_FALSE(grid->IsEditable(1, 3));
    // Without goEditing no item makes a cell editable.
    TGridOptions o = grid->Options();
    o.Exclude(goEditing);
    grid->SetOptions(o);
    EXPECT_FALSE(grid->IsEditable(2, 2));
    // A column beyond the items is never editable here.
    EXPECT_FALSE(grid->IsEditableCell(9, 2));
}

TEST_F(ColumnGridTest, PerColumnHookAnswers)
{
    grid->SetColCount(5);
    item(1)->SetEditor(edComboList);
    item(2)->SetEditor(edComboEdit);
    item(3)->SetPassword(true);
    item(4)->SetSortStyle(ssNumeric);
    item(4)->SetSortPrefix(QStringLiteral("$"));
    item(4)->SetSortSuffix(QStringLiteral(" kg"));
    item(4)->SetBorders(TCellBorders{cbBottom});
    item(4)->SetBorderPen(TPen{clRed, 2, psSolid});

    EXPECT_TRUE(grid->HasComboBox(1, 1));
    EXPECT_TRUE(grid->HasComboBox(2, 3));
    EXPECT_FALSE(grid->HasComboBox(1, 0)); // header row
    EXPECT_FALSE(grid->HasComboBox(3, 1));
    grid->OnHasComboBox = [](QObject *, int ACol, int, bool &Has) { Has = ACol == 3; };
    EXPECT_TRUE(grid->HasComboBox(3, 1));
    EXPECT_FALSE(grid->HasComboBox(1, 1));

    EXPECT_TRUE(grid->QueryPasswordCell(3, 2));
    EXPECT_FALSE(grid->QueryPasswordCell(2, 2));

    TSortStyle st = ssAutomatic;
    QString pre, suf;
    grid->GetColFormat(4, st, pre, suf);
    EXPECT_EQ(st, ssNumeric);
    EXPECT_EQ(pre, QStringLiteral("$"));
    EXPECT_EQ(suf, QStringLiteral(" kg"));

    TPen pen;
    TCellBorders b;
    grid->GetCellBorder(4, 2, pen, b);
    EXPECT_EQ(b, TCellBorders{cbBottom});
    EXPECT_EQ(pen.Color, clRed);
    TCellBorders none;
    grid->GetCellBorder(4, 0, pen, none);
    EXPECT_TRUE(none.IsEmpty()); // header cells keep theirs

    item(2)->SetEditLength(6);
    item(2)->SetEditMask(QStringLiteral("999;1;_"));
    grid->SetCol(2);
    EXPECT_EQ(grid->GetEditLimit(), 6);
    EXPECT_EQ(grid->GetEditMask(2, 1), QStringLiteral("999;1;_"));
    EXPECT_TRUE(grid->GetEditMask(1, 1).isEmpty());
    // The string grid's own rule answers per cell; a mask it gives replaces the column's.
    grid->OnGetEditMask = [](QObject *, int c, int r, QString &m) {
        if (c == 2 && r == 3)
            m = QStringLiteral("00:00;1;_");
    };
    EXPECT_EQ(grid->GetEditMask(2, 3), QStringLiteral("00:00;1;_"));
    EXPECT_EQ(grid->GetEditMask(2, 1), QStringLiteral("999;1;_"));
    grid->OnGetEditMask = nullptr;

    item(3)->SetFilter({QStringLiteral("Low=<10"), QStringLiteral("High=>=10"), QStringLiteral("Any")});
    EXPECT_TRUE(grid->GetColumnFilter(3));
    EXPECT_EQ(grid->FilterList(), (QStringList{QStringLiteral("Low"), QStringLiteral("High"), QStringLiteral("Any")}));
    EXPECT_FALSE(grid->GetColumnFilter(2));
    EXPECT_FALSE(grid->GetColumnFilter(7));

    EXPECT_EQ(grid->GetVersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));
    item(2)->SetName(QStringLiteral("mode"));
    item(4)->SetName(QStringLiteral("mode"));
    EXPECT_EQ(grid->ColumnByName(QStringLiteral("mode")), item(2));
    EXPECT_EQ(grid->ColumnByName(QStringLiteral("Mode")), nullptr);
    EXPECT_EQ(item(2)->GetDisplayName(), QStringLiteral("Col 2: mode"));
    EXPECT_EQ(item(1)->GetDisplayName(), QStringLiteral("Column 1"));
}

TEST_F(ColumnGridTest, FloatFormatOfTheItemFormatsNumbersOnlyAndReachesTheGridAtEditStart)
{
    grid->SetColCount(3);
    grid->SetFloatFormat(QStringLiteral("%.1f"));
    item(2)->SetFloatFormat(QStringLiteral("%.2f"));
    struct Case {
        const char *text;
        const char *shown;
    };
    for (const Case c : {Case{"5", "5.00"}, Case{"2.5", "2.50"}, Case{"abc", "abc"}, Case{"1E3", "1E3"}, Case{"", ""}}) {
        SCOPED_TRACE(c.text);
        grid->SetCells(2, 1, QString::fromLatin1(c.text));
        EXPECT_EQ(grid->GetFormattedCell(2, 1), QString::fromLatin1(c.shown));
    }
    // The event may refuse the number.
    grid->SetCells(2, 1, QStringLiteral("5"));
    grid->OnGetFloatFormat = [](QObject *, int, int, bool &IsFloat, QString &) { IsFloat = false; };
    EXPECT_EQ(grid->GetFormattedCell(2, 1), QStringLiteral("5"));
    EXPECT_EQ(grid->FloatFormat(), QStringLiteral("%.1f"));
    TEditorType e = edNormal;
    grid->GetCellEditor(2, 0, e); // any row of the column
    EXPECT_EQ(grid->FloatFormat(), QStringLiteral("%.2f"));
}

TEST_F(ColumnGridTest, UserAndAutomaticSizingKeepTheItemsLimits)
{
    grid->SetColCount(4);
    item(1)->SetMinSize(30);
    item(1)->SetMaxSize(20);
    item(2)->SetMinSize(30);
    item(3)->SetAutoMinSize(40);
    item(3)->SetAutoMaxSize(60);
    struct Case {
        int col;
        bool automatic;
        int asked, result;
    };
    const Case cases[] = {
        {1, false, 25, 20}, // the maximum wins over a larger minimum
        {2, false, 10, 30}, {2, false, 300, 300}, {3, false, 10, 10}, // user sizing ignores the automatic limits
        {3, true, 10, 40},  {3, true, 90, 60},    {3, true, 50, 50},  {2, true, 10, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << (c.automatic ? " auto " : " user ") << c.asked);
        int w = c.asked;
        if (c.automatic)
            grid->DoUpdateAutoColumnSize(c.col, w);
        else
            grid->DoUpdateColumnSize(c.col, w);
        EXPECT_EQ(w, c.result);
    }
}

TEST_F(ColumnGridTest, DataCheckBoxColumnAnswersTheSharedVirtualBoxWithTheColumnsTexts)
{
    grid->SetColCount(4);
    grid->SetRowCount(5);
    grid->SetFixedFooters(1);
    item(2)->SetEditor(edDataCheckBox);
    item(2)->SetCheckTrue(QStringLiteral("1"));
    item(2)->SetCheckFalse(QStringLiteral("0"));
    EXPECT_EQ(grid->GetCellType(2, 1), ctDataCheckBox);
    TCellGraphic *g = grid->GetCellGraphic(2, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CellType(), ctVirtCheckBox);
    EXPECT_EQ(grid->GetCellGraphic(2, 3), g); // one object for all such cells
    EXPECT_EQ(grid->GetCellGraphic(2, 0), nullptr); // header
    EXPECT_EQ(grid->GetCellGraphic(2, 4), nullptr); // footer
    EXPECT_EQ(grid->GetCellType(1, 1), ctEmpty);
    QString t, f;
    grid->GetCheckTrue(2, 1, t);
    grid->GetCheckFalse(2, 1, f);
    EXPECT_EQ(t, QStringLiteral("1"));
    EXPECT_EQ(f, QStringLiteral("0"));
    grid->GetCheckTrue(1, 1, t);
    EXPECT_EQ(t, QStringLiteral("Y"));
    // The item's texts are final: the event runs before them.
    grid->OnGetCheckTrue = [](QObject *, int, int, QString &V) { V = QStringLiteral("yes"); };
    grid->GetCheckTrue(2, 1, t);
    EXPECT_EQ(t, QStringLiteral("1"));
    grid->GetCheckTrue(2, 0, t);
    EXPECT_EQ(t, QStringLiteral("yes"));
    grid->ControlLook()->SetControlStyle(csFlat);
    EXPECT_TRUE(grid->GetCellGraphic(2, 1)->CellTransparent());
}

TEST_F(ColumnGridTest, MovedColumnTakesItsItemAlongAndKeepsTheTopRow)
{
    grid->SetColCount(5);
    grid->SetRowCount(60);
    grid->resize(400, 200);
    for (int i = 0; i < 5; ++i) {
        item(i)->SetTag(10 + i);
        item(i)->SetHeader(QStringLiteral("H%1").arg(i));
    }
    item(1)->SetEditor(edComboList);
    item(1)->SetColumnPopupType(cpAllCellsLClick);
    item(1)->SetPrintFontCustom(false);
    grid->SetColWidths(1, 33);
    grid->SetTopRow(20);
    std::vector<std::pair<int, int>> moves;
    grid->OnAfterColumnMoved = [&](QObject *, int from, int to) { moves.emplace_back(from, to); };
    grid->MoveColRow(true, 1, 3);
    ASSERT_EQ(grid->Columns()->Count(), 5);
    const int tags[] = {10, 12, 13, 11, 14};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(item(i)->Tag(), tags[i]) << i;
    EXPECT_EQ(item(3)->Editor(), edComboList);
    EXPECT_EQ(item(3)->Header(), QStringLiteral("H1"));
    EXPECT_EQ(item(3)->Width(), 33);
    EXPECT_EQ(item(3)->ColumnPopupType(), cpFixedCellsRClick); // not copied
    EXPECT_TRUE(item(3)->PrintFontCustom());
    EXPECT_EQ(grid->TopRow(), 20);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));
}

TEST_F(ColumnGridTest, InsertedAndRemovedColumnsKeepTheItemsInStep)
{
    grid->SetColCount(5);
    for (int i = 0; i < 5; ++i)
        item(i)->SetTag(i);
    grid->InsertCols(2, 2);
    EXPECT_EQ(grid->Columns()->Count(), grid->ColCount() + grid->NumHiddenColumns());
    grid->RemoveCols(1, 1);
    EXPECT_EQ(grid->Columns()->Count(), grid->ColCount() + grid->NumHiddenColumns());
    EXPECT_EQ(item(0)->Tag(), 0);
}

TEST_F(ColumnGridTest, ColumnPopupFiresForItsClickKindAndOpensOnlyOnItsRowKind)
{
    grid->SetColCount(4);
    grid->resize(400, 300);
    grid->show();
    QMenu menu;
    menu.addAction(QStringLiteral("Sort"));
    item(2)->SetColumnPopup(&menu);
    item(2)->SetColumnPopupType(cpNormalCellsRClick);
    std::vector<std::pair<int, int>> fired;
    grid->OnColumnPopup = [&](QObject *, int c, int r, QMenu *&) { fired.emplace_back(c, r); };
    auto click = [&](Qt::MouseButton b, int c, int r) {
        const TRect R = grid->CellRect(c, r);
        grid->MouseDown(b, Qt::NoModifier, R.Left + 3, R.Top + 3);
    };
    click(Qt::RightButton, 2, 0);
    EXPECT_FALSE(menu.isVisible());
    click(Qt::LeftButton, 2, 2);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{2, 0}}));
    click(Qt::RightButton, 2, 2);
    EXPECT_TRUE(menu.isVisible());
    const TRect R = grid->CellRect(2, 2);
    EXPECT_EQ(menu.pos(), grid->viewport()->mapToGlobal(QPoint(R.Left, R.Bottom)));
    EXPECT_EQ(fired.size(), 2u);
    menu.hide();

    // Removing the menu component leaves the items without it.
    item(1)->SetColumnPopup(&menu);
    grid->Notification(&menu, true);
    EXPECT_EQ(item(1)->ColumnPopup(), nullptr);
    EXPECT_EQ(item(2)->ColumnPopup(), nullptr);
}

TEST_F(ColumnGridTest, ColumnsAssignedFromAnotherCollectionAndLoadedInStep)
{
    TNovaColumnGrid source;
    source.SetColCount(3);
    source.Columns()->Items(1)->SetHeader(QStringLiteral("Addr"));
    source.Columns()->Items(2)->SetEditor(edDataCheckBox);
    source.Columns()->Items(2)->SetColumnPopupType(cpAllCellsLClick);
    source.Columns()->Items(2)->SetDefIdx(7);
    grid->SetColCount(6);
    grid->SetColumns(*source.Columns());
    ASSERT_EQ(grid->Columns()->Count(), 3);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(item(1)->Header(), QStringLiteral("Addr"));
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Addr"));
    EXPECT_EQ(item(2)->Editor(), edDataCheckBox);
    EXPECT_EQ(item(2)->DefIdx(), 7);
    EXPECT_EQ(item(2)->ColumnPopupType(), cpFixedCellsRClick); // the target's own
    // Assigning one item through the collection.
    grid->Columns()->SetItem(0, *source.Columns()->Items(1));
    EXPECT_EQ(item(0)->Header(), QStringLiteral("Addr"));
    // The end of building a form: items in step, default indexes numbered.
    grid->Loaded();
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        EXPECT_EQ(item(i)->DefIdx(), i);
}

TEST_F(ColumnGridTest, GroupingKeepsTheGroupedColumnsItem)
{
    grid->SetColCount(4);
    item(2)->SetHeader(QStringLiteral("Kind"));
    item(2)->SetEditor(edComboList);
    grid->Group(2);
    EXPECT_EQ(grid->SavedGroupColumn().Header(), QStringLiteral("Kind"));
    EXPECT_EQ(grid->SavedGroupColumn().Editor(), edComboList);
}

// ---- editing a shown column grid ------------------------------------------------------------------

struct ShownColumnGrid : ColumnGridTest {
    void SetUp() override
    {
        grid->SetColCount(4);
        enableEditing();
        grid->resize(500, 300);
        grid->show();
        QApplication::setActiveWindow(grid.get());
        grid->activateWindow();
        grid->setFocus();
        QApplication::processEvents();
    }
    static QWidget *focused()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : QApplication::activeWindow();
    }
    static void key(int k) { QTest::keyClick(focused(), Qt::Key(k)); }
    void startEdit(int c, int r)
    {
        grid->SetCol(c);
        grid->SetRow(r);
        key(Qt::Key_F2);
    }
};

TEST_F(ShownColumnGrid, ComboColumnEditsWithExactlyItsItemsUnlessTheEventSaysOtherwise)
{
    grid->AddComboString(QStringLiteral("left over"));
    item(2)->SetEditor(edComboList);
    item(2)->SetComboItems({QStringLiteral("In"), QStringLiteral("Out"), QStringLiteral("InOut")});
    item(2)->SetDropDownCount(2);
    item(3)->SetEditor(edComboList);
    item(3)->SetComboItems({QStringLiteral("A")});
    grid->SetCells(2, 1, QStringLiteral("Out"));
    startEdit(2, 1);
    ASSERT_EQ(grid->EditCtrl(), grid->Combo());
    QStringList shown;
    for (int i = 0; i < grid->Combo()->count(); ++i)
        shown << grid->Combo()->itemText(i);
    EXPECT_EQ(shown, item(2)->ComboItems());
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("Out"));
    EXPECT_EQ(grid->Combo()->DropDownCount(), 2);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("InOut"));

    // The event overrides the item's editor for one cell.
    grid->OnGetEditorType = [](QObject *, int ACol, int ARow, TEditorType &e) {
        if (ACol == 2 && ARow == 2)
            e = edNormal;
    };
    startEdit(2, 2);
    EXPECT_FALSE(grid->Combo()->isVisible());
    EXPECT_TRUE(grid->NormalEdit() && grid->NormalEdit()->isVisible());
    key(Qt::Key_Escape);
    // The next combo column shows its own items only.
    startEdit(3, 1);
    ASSERT_EQ(grid->EditCtrl(), grid->Combo());
    EXPECT_EQ(grid->Combo()->count(), 1);
    EXPECT_EQ(grid->Combo()->itemText(0), QStringLiteral("A"));
}

TEST_F(ShownColumnGrid, ReadOnlyColumnOpensNoEditorAndTheChannelTableCanSwitchIt)
{
    item(1)->SetReadOnly(true);
    grid->SetCells(1, 1, QStringLiteral("fixed"));
    startEdit(1, 1);
    EXPECT_FALSE(grid->EditMode());
    QTest::keyClicks(focused(), QStringLiteral("x"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("fixed"));
    item(1)->SetReadOnly(false);
    startEdit(1, 1);
    EXPECT_TRUE(grid->EditMode());
}

} // namespace
