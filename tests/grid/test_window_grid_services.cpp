// What the program's table windows (catalog, channel table, row routines) rely on of the string grid,
// one test per service, met by the real grid.
#include "grid/NovaColumnGrid.h"
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/base/Theme.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace {

// A grid as the windows set theirs up: one title row, no fixed column.
std::unique_ptr<TNovaStringGrid> windowGrid(int cols, int rows)
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(cols);
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    g->SetRowCount(rows);
    g->resize(400, 200);
    return g;
}

QStringList rowTexts(TNovaStringGrid &g, int row)
{
    QStringList out;
    for (int c = 0; c < g.ColCount() + g.NumHiddenColumns(); ++c) out << g.Cells(c, row);
    return out;
}

TEST(WindowGridServices, IsABaseGrid)
{
    TNovaStringGrid g;
    EXPECT_NE(dynamic_cast<TBaseGrid *>(&g), nullptr);
}

// The grid chooses its defaults for the platform version it finds when it is made.
TEST(WindowGridServices, ConstructionAsksThePlatformVersion)
{
    struct OldPlatform : TThemePlatform {
        bool HasGetLocaleInfoEx() const override { return false; }
        int OsMajorVersion() const override { return 5; }
    } old;
    struct CurrentPlatform : TThemePlatform {
        int ComCtlMajorVersion() const override { return 6; }
    } fresh;
    SetThemePlatform(&old);
    {
        TNovaStringGrid g;
        EXPECT_EQ(g.BorderColor(), clGray);
        EXPECT_FALSE(g.Combo()->IsVista());
    }
    SetThemePlatform(&fresh);
    {
        TNovaStringGrid g;
        EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
        EXPECT_TRUE(g.Combo()->IsVista());
    }
    // Without version-6 common controls the combo keeps the older look.
    TThemePlatform plain;
    SetThemePlatform(&plain);
    {
        TNovaStringGrid g;
        EXPECT_FALSE(g.Combo()->IsVista());
    }
    SetThemePlatform(nullptr);
}

// Rows dropped by a smaller count do not come back with their old texts when the grid grows again:
// a window that refills fewer rows must not show the rows of the table shown before.
TEST(WindowGridServices, RowCountGrowsWithEmptyRowsAndDropsRowsPastIt)
{
    auto g = windowGrid(3, 5);
    for (int r = 1; r < 5; ++r) g->SetCells(1, r, QString("r%1").arg(r));
    g->SetRowCount(2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), "r1") << "rows below the count keep their texts";
    g->SetRowCount(5);
    EXPECT_EQ(g->RowCount(), 5);
    for (int r = 2; r < 5; ++r) EXPECT_EQ(g->Cells(1, r), "") << r;
    g->HideRow(1);
    EXPECT_EQ(g->RowCount(), 4) << "hidden rows are not counted";
}

TEST(WindowGridServices, ColCountSetsTheShownColumns)
{
    auto g = windowGrid(3, 2);
    g->SetColCount(23);
    EXPECT_EQ(g->ColCount(), 23);
    g->HideColumn(4);
    EXPECT_EQ(g->ColCount(), 22) << "hidden columns are not counted";
}

TEST(WindowGridServices, FixedColsAndTheBoldTitleFont)
{
    TNovaStringGrid g;
    g.SetFixedCols(0);
    EXPECT_EQ(g.FixedCols(), 0);
    TFont f = g.FixedFont();
    f.Style.Include(fsBold);
    g.SetFixedFont(f);
    EXPECT_TRUE(g.FixedFont().Style.Contains(fsBold));
    EXPECT_EQ(g.FixedFont().Name, f.Name) << "only the style changes";
}

TEST(WindowGridServices, RowMovesTheCurrentCellTellsAndKeepsACoupledGridInStep)
{
    auto g = windowGrid(3, 6);
    auto other = windowGrid(3, 6);
    g->SyncGrid()->SetGrid(other.get());
    g->SyncGrid()->SetSelectionRow(true);
    std::vector<std::pair<int, int>> changes;
    g->OnRowUpdate = [&](QObject *, int from, int to) { changes.push_back({from, to}); };
    EXPECT_GE(g->Row(), 1) << "a data row is current in a grid with one";
    g->SetCol(2);
    g->SetRow(4);
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->Col(), 2);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back().second, 4);
    EXPECT_EQ(other->Row(), 4);
    const size_t n = changes.size();
    g->SetRow(4);
    EXPECT_EQ(changes.size(), n) << "no change, no event";
}

TEST(WindowGridServices, ColMovesTheCurrentCell)
{
    auto g = windowGrid(5, 3);
    g->SetCol(3);
    EXPECT_EQ(g->Col(), 3);
}

// The row routines reach every real column of a row, hidden ones included.
TEST(WindowGridServices, CellsReachHiddenColumnsAtTheirRealIndexes)
{
    auto g = windowGrid(5, 3);
    for (int c = 0; c < 5; ++c) g->SetCells(c, 1, QString("c%1").arg(c));
    g->HideColumns(1, 2);
    EXPECT_EQ(g->NumHiddenColumns(), 2);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(rowTexts(*g, 1), (QStringList{"c0", "c1", "c2", "c3", "c4"}));
    g->SetCells(2, 1, "new");
    g->UnHideColumns(0, 4);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(rowTexts(*g, 1), (QStringList{"c0", "c1", "new", "c3", "c4"}));
    g->UnHideColumns(0, 4);
    EXPECT_EQ(g->ColCount(), 5) << "nothing hidden: no change";
}

// The pin grid hides and shows its two data rows; edits are mapped back to the real row.
TEST(WindowGridServices, HiddenRowsComeBackAtTheirPlaceAndMapToRealIndexes)
{
    auto g = windowGrid(3, 3);
    g->SetCells(0, 1, "Pin 2");
    g->SetCells(0, 2, "Pin 4");
    g->HideRow(1);
    EXPECT_EQ(g->NumHiddenRows(), 1);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 1), "Pin 4");
    EXPECT_EQ(g->RealRowIndex(1), 2);
    g->UnHideRow(1);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(0, 1), "Pin 2");
    EXPECT_EQ(g->RealRowIndex(1), 1);
    g->HideRow(2);
    EXPECT_EQ(g->RealRowIndex(1), 1);
    g->UnHideRow(2);
    EXPECT_EQ(g->Cells(0, 2), "Pin 4");

    g->HideColumn(1);
    EXPECT_EQ(g->RealColIndex(1), 2);
    EXPECT_EQ(g->RealColIndex(0), 0);
}

// Plain boxes keep their state apart from the cell text; data boxes are the text.
TEST(WindowGridServices, CheckBoxColumnsAndCellsHoldTheirStates)
{
    auto g = windowGrid(4, 4);
    g->AddCheckBoxColumn(1, true, false);
    g->AddCheckBoxColumn(2, false, true);
    for (int r = 1; r < 4; ++r) {
        bool plain = false, data = true;
        EXPECT_TRUE(g->GetCheckBoxState(1, r, plain)) << r;
        EXPECT_TRUE(plain) << r;
        EXPECT_TRUE(g->GetCheckBoxState(2, r, data)) << r;
        EXPECT_FALSE(data) << r;
    }
    bool state = true;
    EXPECT_FALSE(g->GetCheckBoxState(1, 0, state)) << "the title row has no box";
    EXPECT_FALSE(g->GetCheckBoxState(3, 1, state));
    EXPECT_TRUE(state) << "untouched without a box";

    g->AddCheckBox(3, 2, true, false);
    EXPECT_TRUE(g->GetCheckBoxState(3, 2, state));
    EXPECT_TRUE(state);
    EXPECT_THROW(g->AddCheckBox(9, 2, true, false), std::exception);
    EXPECT_THROW(g->AddCheckBox(1, 40, true, false), std::exception);
}

TEST(WindowGridServices, SetCheckBoxStateWritesPlainStatesAndDataTexts)
{
    auto g = windowGrid(4, 4);
    g->AddCheckBox(1, 1, false, false);
    g->AddCheckBox(2, 1, false, true);
    g->SetCells(1, 1, "text");
    EXPECT_TRUE(g->SetCheckBoxState(1, 1, true));
    EXPECT_EQ(g->Cells(1, 1), "text") << "a plain box leaves the text";
    EXPECT_TRUE(g->SetCheckBoxState(2, 1, true));
    EXPECT_EQ(g->Cells(2, 1), "Y");
    EXPECT_TRUE(g->SetCheckBoxState(2, 1, false));
    EXPECT_EQ(g->Cells(2, 1), "N");
    g->SetCells(3, 1, "keep");
    EXPECT_FALSE(g->SetCheckBoxState(3, 1, true));
    EXPECT_EQ(g->Cells(3, 1), "keep");

    // Hidden rows are read and set by their real row.
    g->AddCheckBox(1, 3, false, false);
    g->HideRow(2);
    EXPECT_TRUE(g->SetCheckBoxState(1, 3, true));
    g->UnHideRow(2);
    bool state = false;
    EXPECT_TRUE(g->GetCheckBoxState(1, 3, state));
    EXPECT_TRUE(state);
}

// The channel table's column grids: one item per column, titles, editors and read-only switched at run time.
TEST(WindowGridServices, ColumnItemsFollowTheColumnsAndGovernTheirCells)
{
    TNovaColumnGrid g;
    EXPECT_NE(dynamic_cast<TNovaStringGrid *>(&g), nullptr);
    g.SetColCount(7);
    g.SetFixedCols(0);
    g.SetRowCount(3);
    g.SetOptions(g.Options().Include(goEditing));
    EXPECT_EQ(g.ColCount(), 7);
    EXPECT_EQ(g.Columns()->Count(), 7);
    g.HideColumn(3);
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.Columns()->Count(), 7) << "hidden columns keep their items";
    g.UnHideColumn(3);

    g.Columns()->Items(2)->SetHeader("Read Pin 2");
    EXPECT_EQ(g.Cells(2, 0), "Read Pin 2");
    g.Columns()->Items(2)->SetEditor(edDataCheckBox);
    EXPECT_EQ(g.Columns()->Items(2)->Editor(), edDataCheckBox);
    g.Columns()->Items(1)->SetEditor(edComboList);
    g.Columns()->Items(1)->SetComboItems({"Disable", "IO-Link", "DIn", "DOut"});
    EXPECT_EQ(g.Columns()->Items(1)->Editor(), edComboList);
    EXPECT_TRUE(g.HasComboBox(1, 1));

    EXPECT_TRUE(g.IsEditable(6, 1));
    g.Columns()->Items(6)->SetReadOnly(true);
    EXPECT_TRUE(g.Columns()->Items(6)->ReadOnly());
    EXPECT_FALSE(g.IsEditable(6, 1));
    g.Columns()->Items(6)->SetReadOnly(false);
    EXPECT_TRUE(g.IsEditable(6, 1));
    g.SetReadOnly(2, 1, true);
    EXPECT_FALSE(g.IsEditable(2, 1)) << "a cell's own read-only wins in a writable column";
    EXPECT_TRUE(g.IsEditable(2, 2));

    g.Columns()->Items(5)->SetWidth(505);
    EXPECT_EQ(g.ColWidths(5), 505);
    g.Columns()->Items(4)->SetColor(0xF4D6FC);
    TBrush brush;
    TFont font;
    g.GetCellColor(4, 1, TGridDrawState(), brush, font);
    EXPECT_EQ(brush.Color, TColor(0xF4D6FC));
}

// A data check box column stores its check texts and tells the new state.
TEST(WindowGridServices, DataCheckBoxColumnsToggleTheirTextsAndTell)
{
    TNovaColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.SetRowCount(3);
    g.SetOptions(g.Options().Include(goEditing));
    g.Columns()->Items(2)->SetEditor(edDataCheckBox);
    std::vector<std::tuple<int, int, bool>> changes;
    g.OnCheckBoxChange = [&](QObject *sender, int c, int r, bool state) {
        EXPECT_EQ(sender, &g);
        changes.emplace_back(c, r, state);
    };
    bool state = true;
    EXPECT_TRUE(g.GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(state) << "an empty cell is unchecked";
    EXPECT_TRUE(g.ToggleCheckBox(2, 1));
    EXPECT_EQ(g.Cells(2, 1), "Y");
    EXPECT_TRUE(g.ToggleCheckBox(2, 1));
    EXPECT_EQ(g.Cells(2, 1), "N");
    EXPECT_EQ(changes, (std::vector<std::tuple<int, int, bool>>{{2, 1, true}, {2, 1, false}}));
}

// An edit reports its new text for the cell it was made in.
TEST(WindowGridServices, CellValidateCarriesTheEditedText)
{
    TNovaColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.SetRowCount(3);
    g.SetOptions(g.Options().Include(goEditing));
    g.resize(300, 200);
    g.show();
    QApplication::setActiveWindow(&g);
    g.setFocus();
    QApplication::processEvents();
    QStringList seen;
    g.OnCellValidate = [&](QObject *, int c, int r, QString &v, bool &) { seen << QString("%1,%2:%3").arg(c).arg(r).arg(v); };
    g.FocusCell(1, 2);
    auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow(); };
    QTest::keyClick(focused(), Qt::Key_F2);
    QTest::keyClicks(focused(), "30");
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(seen, QStringList{"1,2:30"});
    EXPECT_EQ(g.Cells(1, 2), "30");
}

// A data check box column with its own check texts; a column's alignment reaches its cells.
TEST(WindowGridServices, ColumnCheckTextsAndAlignmentGovernTheirCells)
{
    TNovaColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.SetRowCount(3);
    EXPECT_EQ(g.Columns()->Items(1)->CheckTrue(), "Y");
    g.Columns()->Items(1)->SetEditor(edDataCheckBox);
    g.Columns()->Items(1)->SetCheckTrue("On");
    g.Columns()->Items(1)->SetCheckFalse("Off");
    EXPECT_TRUE(g.SetCheckBoxState(1, 1, true));
    EXPECT_EQ(g.Cells(1, 1), "On");
    EXPECT_TRUE(g.SetCheckBoxState(1, 1, false));
    EXPECT_EQ(g.Cells(1, 1), "Off");
    g.SetCells(1, 2, "On");
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(1, 2, state));
    EXPECT_TRUE(state);
    g.SetCells(1, 2, "Y");
    EXPECT_TRUE(g.GetCheckBoxState(1, 2, state));
    EXPECT_FALSE(state) << "only the column's own check-true text is ticked";

    g.Columns()->Items(2)->SetAlignment(taCenter);
    TAlignment h = taLeftJustify;
    TVAlignment v{};
    g.GetCellAlignment(2, 1, h, v);
    EXPECT_EQ(h, taCenter);
    g.GetCellAlignment(0, 1, h, v);
    EXPECT_EQ(h, taLeftJustify);
}

// What the windows bind on their grids: a click names its cell, a click on a box tells its new state,
// a double click names its cell except on a cell button or an expand button.
TEST(WindowGridServices, ClicksAndDoubleClicksReportTheirCell)
{
    TNovaColumnGrid g;
    g.SetColCount(4);
    g.SetFixedCols(0);
    g.SetRowCount(4);
    g.resize(420, 200);
    g.Columns()->Items(2)->SetEditor(edDataCheckBox);
    g.show();
    QApplication::processEvents();
    QStringList log;
    g.OnClickCell = [&](QObject *sender, int r, int c) {
        EXPECT_EQ(sender, &g);
        log << QString("click %1,%2").arg(r).arg(c);
    };
    g.OnDblClickCell = [&](QObject *sender, int r, int c) {
        EXPECT_EQ(sender, &g);
        log << QString("dbl %1,%2").arg(r).arg(c);
    };
    g.OnCheckBoxClick = [&](QObject *, int c, int r, bool s) { log << QString("box %1,%2 %3").arg(c).arg(r).arg(s); };
    auto centre = [&](int c, int r) {
        const TRect R = g.CellRect(c, r);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    };

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centre(1, 2));
    EXPECT_EQ(log, QStringList{"click 2,1"});

    // The box of a data check box cell: found inside the cell, toggled by a click.
    const TRect R = g.CellRect(2, 3);
    QPoint box(-1, -1);
    for (int y = R.Top; y < R.Bottom && box.x() < 0; ++y)
        for (int x = R.Left; x < R.Right && box.x() < 0; ++x)
            if (g.IsInCheckBox(2, 3, x, y)) box = QPoint(x + 2, y + 2);
    ASSERT_GE(box.x(), 0);
    log.clear();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(log.contains("box 2,3 1")) << log.join(" | ").toStdString();
    EXPECT_EQ(g.Cells(2, 3), "Y");

    QTest::qWait(QApplication::doubleClickInterval() + 50);
    log.clear();
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(3, 1));
    EXPECT_EQ(log, QStringList{"dbl 1,3"});

    log.clear();
    g.CreateCellGraphic(3, 2)->SetCellType(ctButton);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(3, 2));
    EXPECT_TRUE(log.filter("dbl").isEmpty()) << log.join(" | ").toStdString();

    log.clear();
    g.CreateCellGraphic(1, 3)->SetCellType(ctExpand);
    const TRect E = g.CellRect(1, 3);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, QPoint(E.Right - 8, E.Top + 7));
    EXPECT_TRUE(log.filter("dbl").isEmpty()) << log.join(" | ").toStdString();
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, QPoint(E.Left + 4, E.Bottom - 3));
    EXPECT_TRUE(log.contains("dbl 3,1")) << "outside the expand button the double click counts";
}

} // namespace

namespace {
// An office installation whose colour scheme changes while the program runs.
struct WatchedOffice : TThemePlatform {
    int scheme = 3;
    std::function<void()> changed;
    bool KeyExists(const QString &) const override { return true; }
    bool ReadInteger(const QString &, const QString &, int &value) const override
    {
        value = scheme;
        return true;
    }
    std::unique_ptr<Watch> WatchKey(const QString &, std::function<void()> onChange) override
    {
        changed = std::move(onChange);
        return std::make_unique<Watch>();
    }
};
} // namespace

// A grid that follows the office theme is told of its changes while it adapts, and not after.
TEST(WindowGridServices, AutoThemeAdaptFollowsTheOfficeThemeWhileItIsOn)
{
    WatchedOffice office;
    SetThemePlatform(&office);
    QWidget main;
    main.setObjectName("MainWindow"); // owns the shared notifier
    {
        auto g = windowGrid(3, 5);
        g->show();
        g->SetAutoThemeAdapt(true);
        TThemeNotifier *n = GetThemeNotifier(g.get());
        ASSERT_TRUE(n->HasMonitor());
        EXPECT_TRUE(n->WindowList().HasValue(g.get()));
        EXPECT_EQ(int(g->ComponentStyle()), int(tsOffice2010Black));
        office.scheme = 1;
        office.changed();
        EXPECT_EQ(int(g->ComponentStyle()), int(tsOffice2010Blue));
        g->SetAutoThemeAdapt(false);
        EXPECT_FALSE(n->WindowList().HasValue(g.get()));
        office.scheme = 2;
        office.changed();
        EXPECT_EQ(int(g->ComponentStyle()), int(tsOffice2010Blue));
        g->SetAutoThemeAdapt(true);
        EXPECT_EQ(n->WindowList().Count(), 1);
        g.reset(); // a grid that goes away leaves the list
        EXPECT_EQ(n->WindowList().Count(), 0);
        delete n;
    }
    SetThemePlatform(nullptr);
}
