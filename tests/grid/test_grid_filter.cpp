// Filtering: how the conditions of Filter join, what text each condition tests, filter levels
// and incremental narrowing on top of rows hidden otherwise, and the drop-down lists that feed
// Filter (string grid and column grid).
#include "grid/FilterDropDown.h"
#include "grid/GridFilter.h"
#include "grid/NovaColumnGrid.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Column 0 (each row's original number) of the shown data rows.
std::string shownRows(TNovaStringGrid &g)
{
    std::string out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        if (!out.empty())
            out += ' ';
        out += g.Cells(0, r).toStdString();
    }
    return out;
}


// Column 1 holds the names; column 2 the words NarrowDown searches; column 3 amounts.
const char *const kNames[] = {"Apple", "Banana", "Avocado", "Cherry", "Blueberry", "Date", "a=b", "say \"hi\""};
const char *const kWords[] = {"xab", "xa b", "ya", "zzz", "abc", "a", "b", "qa bq"};
const char *const kAmounts[] = {"$12", "$9", "12", "$100", "7", "$10", "11", "0x"};

// A grid whose rows 1 and 4 are node and summary rows in the eyes of filtering.
class NodeGrid : public TNovaStringGrid {
public:
    int formulaReads = 0;
    bool IsNode(int ARow) override { return nodes && Cells(0, ARow) == "node"; }
    bool IsSummary(int ARow) override { return nodes && Cells(0, ARow) == "sum"; }
    void GetFormulaValue(int ACol, int ARow, QString &Value) override
    {
        ++formulaReads;
        Value = Cells(ACol, ARow);
    }
    bool nodes = false;
};

struct FilterFixture : ::testing::Test {
    NodeGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(9);
        for (int r = 1; r < 9; ++r) {
            g.SetCells(0, r, QString::number(r));
            g.SetCells(1, r, QString::fromUtf8(kNames[r - 1]));
            g.SetCells(2, r, QString::fromUtf8(kWords[r - 1]));
            g.SetCells(3, r, QString::fromUtf8(kAmounts[r - 1]));
        }
    }
    std::string shown() { return shownRows(g); }
    TFilterData *add(int col, const QString &cond, TFilterOperation op)
    {
        TFilterData *f = g.Filter()->Add();
        f->SetColumn(std::int16_t(col));
        f->SetCondition(cond);
        f->SetOperation(op);
        return f;
    }
};

// ---- conditions and how they join ----------------------------------------------------------------

TEST_F(FilterFixture, ConditionsJoinByTheirOperations)
{
    struct Item {
        int col;
        const char *cond;
        TFilterOperation op;
    };
    struct Case {
        const char *name;
        std::vector<Item> items;
        const char *expected;
    };
    const Case cases[] = {
        {"A or B", {{1, "A*", foNONE}, {1, "B*", foOR}}, "1 2 3 5"},
        {"A and not avocado", {{1, "A*", foNONE}, {1, "!Av*", foAND}}, "1"},
        {"A xor ending in o", {{1, "A*", foNONE}, {1, "*o", foXOR}}, "1"},
        {"NONE restarts", {{1, "A*", foNONE}, {1, "B*", foNONE}}, "2 5"},
        {"short that holds", {{1, "*a*", foSHORT}, {1, "B*", foAND}}, "2"},
        {"empty condition passes", {{1, "", foNONE}}, "1 2 3 4 5 6 7 8"},
        {"expression on numbers", {{3, ">=11", foNONE}}, "3 7"},
        {"item outside the grid is left out", {{1, "A*", foNONE}, {9, "zzz", foAND}, {-2, "zzz", foAND}}, "1 3"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        g.SetFilterActive(false);
        g.Filter()->Clear();
        for (const Item &i : k.items)
            add(i.col, i.cond, i.op);
        g.SetFilterActive(true);
        EXPECT_EQ(shown(), k.expected);
    }
}

TEST_F(FilterFixture, AFailingShortConditionStopsTheRestButNotTheCustomFilter)
{
    add(1, "A*", foSHORT);
    TFilterData *later = add(1, "*", foAND);
    later->SetData(fcCalculated);
    std::vector<int> asked;
    g.OnCustomFilter = [&](QObject *, int r, bool &accept) {
        asked.push_back(r);
        if (g.Cells(0, r) == "4")
            accept = true; // the application's word is the last
    };
    g.ApplyFilter();
    EXPECT_EQ(g.formulaReads, 2) << "only the two rows starting with A get as far as the second condition";
    EXPECT_EQ(asked.size(), 8u);
    EXPECT_EQ(shown(), "1 3 4");
}

TEST_F(FilterFixture, PrefixSuffixAndLiteralMatching)
{
    struct Case {
        const char *name;
        const char *prefix;
        const char *suffix;
        TFilterMethod method;
        const char *cond;
        const char *expected;
    };
    const Case cases[] = {
        {"prefix taken off before matching", "$", "", fmExpression, ">10", "1 3 4 7"},
        {"literal is exact", "", "", fmLiteral, "12", "3"},
        {"literal with the prefix off", "$", "", fmLiteral, "12", "1 3"},
        {"suffix ending the text", "", "0", fmLiteral, "$1", "6"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        g.SetFilterActive(false);
        g.Filter()->Clear();
        TFilterData *f = add(3, k.cond, foNONE);
        f->SetPrefix(k.prefix);
        f->SetSuffix(k.suffix);
        f->SetMethod(k.method);
        g.SetFilterActive(true);
        EXPECT_EQ(shown(), k.expected);
    }
}

TEST_F(FilterFixture, TextsEachDataKindTests)
{
    g.SetCells(1, 2, "<b>Bold</b>");
    g.SetCells(1, 3, "  padded  ");
    struct Case {
        const char *name;
        TFilterCells data;
        TFilterMethod method;
        const char *cond;
        const char *expected;
    };
    const Case cases[] = {
        {"raw text keeps markup", fcNormal, fmLiteral, "<b>Bold</b>", "2"},
        {"stripped text", fcStripHTML, fmLiteral, "Bold", "2"},
        {"trimmed", fcNormal, fmLiteral, "padded", "3"},
        {"whole row, any case", fcRow, fmExpression, "CHERRY", "4"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        g.SetFilterActive(false);
        g.Filter()->Clear();
        TFilterData *f = add(1, k.cond, foNONE);
        f->SetData(k.data);
        f->SetMethod(k.method);
        g.SetFilterActive(true);
        EXPECT_EQ(shown(), k.expected);
    }
}

TEST_F(FilterFixture, NodeAndSummaryRowsStayWithNormalCellsOnly)
{
    g.nodes = true;
    g.SetCells(0, 2, "node");
    g.SetCells(0, 5, "sum");
    add(1, "Z*", foNONE);
    g.SetFilterActive(true);
    EXPECT_EQ(shown(), "node sum");
    g.SetFilterActive(false);
    g.SetFilterNormalCellsOnly(false);
    g.SetFilterActive(true);
    EXPECT_EQ(shown(), "");
}

// ---- levels, switching off and narrowing ----------------------------------------------------------------

TEST_F(FilterFixture, SwitchingOffBringsTheFilteredRowsBackAndKeepsRowsHiddenOtherwise)
{
    g.HideRow(4); // real row 4 ("4", Cherry), hidden by the application
    int progress = -1;
    g.OnFilterProgress = [&](QObject *, int p) { progress = p; };
    add(1, "B*", foNONE);
    g.SetFilterActive(true);
    EXPECT_EQ(shown(), "2 5");
    EXPECT_EQ(progress, 100);
    EXPECT_EQ(g.RealRowIndex(2), 5) << "filtered and otherwise hidden rows mix in the mapping";
    EXPECT_TRUE(g.IsHiddenRow(3));
    EXPECT_FALSE(g.IsHiddenRow(5));
    EXPECT_EQ(g.AllCells(1, 6), "Date");
    g.SetFilterActive(false);
    EXPECT_EQ(shown(), "1 2 3 5 6 7 8");
    EXPECT_TRUE(g.IsHiddenRow(4));
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FilterLevel(), 1) << "switching off does not lower the level";
    g.UnHideRow(4);
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7 8");
}

TEST_F(FilterFixture, NarrowDownStacksLevelsAndGoesBackOneCharacterAtATime)
{
    g.HideRow(8); // hidden by the application, not by narrowing
    g.NarrowDown("a", 2);
    EXPECT_EQ(shown(), "1 2 3 5 6");
    g.NarrowDown("ab", 2);
    EXPECT_EQ(shown(), "1 5");
    EXPECT_EQ(g.FilterLevel(), 2);
    g.NarrowDown("a", 2);
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(shown(), "1 2 3 5 6");
    g.NarrowDown("", 2);
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7");
    EXPECT_EQ(g.NumHiddenRows(), 1);
    EXPECT_TRUE(g.IsHiddenRow(8));
    EXPECT_TRUE(g.FixedRowAlways());
}

TEST_F(FilterFixture, NarrowingTypedWithABlankQuotesTheCondition)
{
    for (const QString &typed : {"a", "a ", "a b"})
        g.NarrowDown(typed, 2);
    ASSERT_EQ(g.Filter()->Count(), 1);
    EXPECT_EQ(g.Filter()->Items(0)->Condition(), "\"*a b*\"");
    EXPECT_EQ(shown(), "2 8");
    // Starting afresh with a blank quotes it as well: the blank belongs to the search.
    g.NarrowDown("x", 2);
    g.NarrowDown("a b", 2);
    EXPECT_EQ(shown(), "2 8");
}

TEST_F(FilterFixture, RemovingLevels)
{
    EXPECT_FALSE(g.RemoveLastFilter());
    EXPECT_EQ(g.FilterLevel(), 0);
    add(1, "*a*", foNONE);
    g.RemoveAllFilters(); // no level: the conditions go
    EXPECT_EQ(g.Filter()->Count(), 0);
    add(1, "*a*", foNONE);
    g.ApplyFilter();
    add(1, "B*", foAND);
    g.ApplyFilter();
    g.ApplyFilter();
    EXPECT_TRUE(g.RemoveLastFilter()) << "two levels remain";
    EXPECT_FALSE(g.RemoveLastFilter());
    EXPECT_EQ(shown(), "2 3 6 7 8");
    g.RemoveAllFilters();
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7 8");
    EXPECT_EQ(g.Filter()->Count(), 2);
}

TEST_F(FilterFixture, AFilterThatHidesEveryRowKeepsTheHeader)
{
    g.SetFixedRowAlways(true);
    add(1, "nothing", foNONE);
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetFilterActive(false);
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.FixedRows(), 1);
}

TEST_F(FilterFixture, FilterDropDownRowTakesOnlyAFixedRow)
{
    g.SetFixedRows(2);
    g.SetFilterDropDownRow(1);
    EXPECT_EQ(g.FilterDropDownRow(), 1);
    g.SetFilterDropDownRow(2);
    EXPECT_EQ(g.FilterDropDownRow(), 1);
}

// ---- drop-down entries ---------------------------------------------------------------------------------

// The grid itself (no derived class) reads the shown texts straight from its cells while no
// hook or merged cell changes them; a condition changed between filters is read anew.
TEST(FilterOwnGrid, ShownTextsHooksMergedCellsAndChangedConditions)
{
    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    const char *const names[] = {"Apple", "Banana", "Avocado", "Cherry"};
    for (int r = 1; r < 5; ++r) {
        g.SetCells(0, r, QString::number(r));
        g.SetCells(1, r, QString::fromUtf8(names[r - 1]));
    }
    TFilterData *f = g.Filter()->Add();
    f->SetColumn(1);
    f->SetCondition(QStringLiteral("a*"));
    auto shown = [&] {
        g.SetFilterActive(true);
        const std::string s = shownRows(g);
        g.SetFilterActive(false);
        return s;
    };
    f->SetCaseSensitive(false);
    EXPECT_EQ(shown(), "1 3");
    f->SetCaseSensitive(true);
    EXPECT_EQ(shown(), "");
    f->SetCondition(QStringLiteral("B*"));
    EXPECT_EQ(shown(), "2");
    g.OnGetDisplText = [](QObject *, int c, int r, QString &v) {
        if (c == 1 && r == 4)
            v = QStringLiteral("Berry");
    };
    EXPECT_EQ(shown(), "2 4");
    g.OnGetDisplText = nullptr;
    g.MergeCells(1, 1, 1, 2); // row 2 shows Apple, the merged cell's text
    f->SetCondition(QStringLiteral("A*"));
    EXPECT_EQ(shown(), "1 2 3");
    EXPECT_EQ(g.RowCount(), 5);
}

TEST(FilterEntries, ValuesAListWouldMisreadAreQuotedAndSplitBack)
{
    struct Case {
        const char *value;
        const char *entry;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"y z", "y z=\"y z\""},
        {"a=b", "a=b=\"a=b\""},
        {"say \"hi\"", "say \"hi\"=\"say \"\"hi\"\"\""},
        {"\"", "\"=\"\"\"\""},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.value);
        const QString entry = MakeFilterEntry(QString::fromUtf8(k.value));
        EXPECT_EQ(entry, QString::fromUtf8(k.entry));
        QString name, cond, value;
        SplitFilterEntry(entry, name, cond);
        EXPECT_EQ(name, QString::fromUtf8(k.value));
        if (entry != name) {
            ASSERT_TRUE(UnquoteFilterValue(cond, value));
            EXPECT_EQ(value, QString::fromUtf8(k.value));
        }
    }
    QString name, cond;
    SplitFilterEntry("Big=>100", name, cond);
    EXPECT_EQ(name, "Big");
    EXPECT_EQ(cond, ">100");
}

// Drop lists opened on the grid; a choice is what a click on an entry reports.
struct DropFixture : FilterFixture {
    void SetUp() override
    {
        FilterFixture::SetUp();
        g.SetFilterDropDownAuto(true);
        g.resize(500, 300);
    }
    int indexOf(QListWidget *list, const QString &text)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == text)
                return i;
        return -1;
    }
    void choose(int col, const QString &text)
    {
        g.ShowFilterDropDown(col);
        ASSERT_EQ(g.FilterCol(), col);
        const int i = indexOf(g.DropList(), text);
        ASSERT_GE(i, 0) << text.toStdString();
        g.DropList()->hide();
        g.DropList()->OnSelect(g.DropList(), i);
    }
};

TEST_F(DropFixture, AChoiceFiltersItsValueExactlyWhateverItHolds)
{
    std::vector<std::string> picked;
    int done = 0;
    g.OnFilterSelect = [&](QObject *, int c, int i, const QString &name, QString &cond) {
        picked.push_back(std::to_string(c) + ":" + std::to_string(i) + ":" + name.toStdString() + ":" + cond.toStdString());
    };
    g.OnFilterDone = [&](QObject *) { ++done; };
    struct Case {
        const char *value;
        const char *expected;
    };
    const Case cases[] = {{"a=b", "7"}, {"say \"hi\"", "8"}, {"Banana", "2"}};
    for (const Case &k : cases) {
        SCOPED_TRACE(k.value);
        choose(1, QString::fromUtf8(k.value));
        EXPECT_EQ(shown(), k.expected);
        EXPECT_EQ(g.FilterCol(), -1);
        EXPECT_TRUE(g.FilterActive());
        EXPECT_EQ(g.Filter()->Count(), 1) << "one condition per column";
    }
    EXPECT_EQ(done, 3);
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(picked[0], "1:1:a=b:\"a=b\"");
    EXPECT_EQ(picked[2], "1:4:Banana:Banana");
}

TEST_F(DropFixture, ChoosingTheClearEntryRemovesTheColumnsConditions)
{
    add(1, "B*", foNONE);
    add(2, "*", foAND);
    choose(1, "Banana");
    ASSERT_EQ(shown(), "2");
    choose(1, "(All)");
    EXPECT_FALSE(g.Filter()->HasFilter(1));
    EXPECT_TRUE(g.Filter()->HasFilter(2));
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7 8");
}

TEST_F(DropFixture, AChoiceOutsideTheListOrWithoutAnOpenColumnChangesNothing)
{
    g.ShowFilterDropDown(1);
    g.ApplyDropListFilter(g.DropList(), g.DropList()->count());
    EXPECT_EQ(g.FilterCol(), -1);
    g.ApplyDropListFilter(g.DropList(), 1);
    EXPECT_EQ(g.Filter()->Count(), 0);
    EXPECT_FALSE(g.FilterActive());
}

TEST_F(DropFixture, TheCheckListFiltersOnEveryTickedEntry)
{
    g.SetFilterDropDownCheck(true);
    g.ShowFilterDropDown(1);
    TDropCheckList *list = g.DropCheckList();
    ASSERT_EQ(g.FilterCol(), 1);
    std::vector<int> checks;
    g.OnFilterCheck = [&](QObject *, int, int i, const QString &, QString &, TDropCheckList *) { checks.push_back(i); };
    // Nothing ticked: every row shows.
    g.ApplyCheckListFilter();
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7 8");
    // A tick re-applies at once; the list stays open for more.
    list->SetChecked(indexOf(list, "Apple"), true);
    EXPECT_EQ(shown(), "1");
    list->SetChecked(indexOf(list, "a=b"), true);
    EXPECT_EQ(shown(), "1 7");
    EXPECT_EQ(g.FilterCol(), 1);
    ASSERT_EQ(g.Filter()->Count(), 2);
    EXPECT_EQ(g.Filter()->Items(0)->Operation(), foNONE);
    EXPECT_EQ(g.Filter()->Items(1)->Operation(), foOR);
    EXPECT_EQ(checks.size(), 3u);
    // Opened again, the list shows the ticks of the column's conditions.
    g.CloseFilterDropDown();
    g.ShowFilterDropDown(1);
    EXPECT_TRUE(list->Checked(indexOf(list, "Apple")));
    EXPECT_TRUE(list->Checked(indexOf(list, "a=b")));
    EXPECT_FALSE(list->Checked(indexOf(list, "Banana")));
    list->SetChecked(indexOf(list, "Apple"), false);
    list->SetChecked(indexOf(list, "a=b"), false);
    EXPECT_EQ(shown(), "1 2 3 4 5 6 7 8");
}

TEST(FilterDropDownSettings, AssignCopiesAllButAutoSize)
{
    TFilterDropDown a, b;
    int changes = 0;
    b.OnChange = [&](QObject *) { ++changes; };
    a.SetAutoSize(true);
    a.SetColor(clYellow);
    a.SetColumnWidth(true);
    a.SetHeight(200);
    a.SetWidth(180);
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::red);
    a.SetGlyph(glyph);
    b.Assign(a);
    EXPECT_FALSE(b.AutoSize());
    EXPECT_EQ(b.Color(), clYellow);
    EXPECT_TRUE(b.ColumnWidth());
    EXPECT_EQ(b.Height(), 200);
    EXPECT_EQ(b.Width(), 180);
    EXPECT_EQ(b.Glyph(), glyph);
    EXPECT_GE(changes, 1);
}

// ---- the column grid's lists -----------------------------------------------------------------------------

struct ColumnFilterFixture : ::testing::Test {
    TNovaColumnGrid g;
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(6);
        const char *names[] = {"Alpha", "beta", "Gamma", "alps", "x=y"};
        for (int r = 1; r < 6; ++r) {
            g.SetCells(0, r, QString::number(r));
            g.SetCells(1, r, names[r - 1]);
        }
        g.Columns()->Items(1)->SetFilter({"(All)=", "Starting al=al*", "x=y=\"x=y\"", "b"});
        g.Columns()->Items(1)->SetFilterCaseSensitive(false);
        g.SetAutoFilterDisplay(true);
    }
    std::string shown() { return shownRows(g); }
};

TEST_F(ColumnFilterFixture, AChoiceAppliesTheItemsConditionAndShowsItsName)
{
    int done = 0;
    g.OnFilterDone = [&](QObject *) { ++done; };
    g.ShowFilterDropDown(1);
    ASSERT_EQ(g.DropList()->count(), 4);
    EXPECT_EQ(g.DropList()->item(2)->text(), "x=y");
    g.ApplyDropListFilter(g.DropList(), 1);
    EXPECT_EQ(shown(), "1 4") << "the column's own case rule";
    EXPECT_EQ(g.Columns()->Items(1)->Header(), "Starting al");
    EXPECT_FALSE(g.Filter()->GetColFilter(1)->CaseSensitive());
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(done, 1);
    g.ShowFilterDropDown(1);
    g.ApplyDropListFilter(g.DropList(), 2);
    EXPECT_EQ(shown(), "5");
    g.ShowFilterDropDown(1);
    g.ApplyDropListFilter(g.DropList(), 4); // beyond the item's entries
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(shown(), "5");
}

// ---- the lists on screen, clicked ---------------------------------------------------------------------------

struct ClickFixture : DropFixture {
    void SetUp() override
    {
        DropFixture::SetUp();
        g.show();
        QApplication::processEvents();
    }
    QPoint glyph(int col)
    {
        const TRect R = g.CellRect(g.DisplColIndex(col), 0);
        return QPoint(R.Right - 10, R.Top + 5);
    }
    void click(QWidget *w, QPoint at)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
};

TEST_F(ClickFixture, AClickOnAnEntryAppliesItAndAClickOutsideClosesWithoutChange)
{
    click(g.viewport(), glyph(1));
    ASSERT_EQ(g.FilterCol(), 1);
    QListWidget *list = g.DropList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry().top(), g.CellRect(1, 0).Top + 16);
    // Outside: closed, no filter.
    click(g.viewport(), QPoint(5, g.CellRect(0, 6).Top + 3));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(g.Filter()->Count(), 0);
    // The glyph of the open column closes its list again.
    click(g.viewport(), glyph(1));
    ASSERT_TRUE(list->isVisible());
    click(g.viewport(), glyph(1));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(g.FilterCol(), -1);
    // An entry: closed and applied.
    click(g.viewport(), glyph(1));
    int i = -1;
    for (int k = 0; k < list->count(); ++k)
        if (list->item(k)->text() == "Cherry")
            i = k;
    ASSERT_GE(i, 0);
    list->scrollToItem(list->item(i));
    click(list->viewport(), list->visualItemRect(list->item(i)).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(shown(), "4");
}

} // namespace

namespace {

// With FILTER_SHOTS set the window is grabbed after each step into /tmp (run under xvfb-run with
// QT_QPA_PLATFORM=xcb to see it as a user does).
void shot(QWidget *w, const char *name)
{
    if (!qEnvironmentVariableIsSet("FILTER_SHOTS"))
        return;
    QApplication::processEvents();
    w->grab().save(QStringLiteral("/tmp/grid_filter_%1.png").arg(QString::fromLatin1(name)));
}

TEST_F(ClickFixture, ADropDownSessionInARealWindow)
{
    g.SetColWidths(1, 110);
    g.SetColWidths(2, 90);
    g.SetCells(1, 0, "Fruit");
    g.SetCells(2, 0, "Word");
    g.SetCells(3, 0, "Amount");
    g.SetColWidths(3, 90);
    g.FilterDropDown()->SetHeight(120);
    g.move(40, 40);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    shot(&g, "1_glyphs");

    click(g.viewport(), glyph(1));
    QListWidget *list = g.DropList();
    ASSERT_TRUE(list->isVisible());
    shot(&g, "2_list_open");
    int banana = -1;
    for (int k = 0; k < list->count(); ++k)
        if (list->item(k)->text() == "Banana")
            banana = k;
    ASSERT_GE(banana, 0);
    list->scrollToItem(list->item(banana));
    click(list->viewport(), list->visualItemRect(list->item(banana)).center());
    EXPECT_EQ(shown(), "2");
    shot(&g, "3_chosen");

    // The check list: ticks filter at once and keep it open; a click outside closes it.
    g.SetFilterDropDownCheck(true);
    click(g.viewport(), glyph(1));
    TDropCheckList *checks = g.DropCheckList();
    ASSERT_TRUE(checks->isVisible());
    for (const char *name : {"Apple", "Cherry"}) {
        QListWidgetItem *it = checks->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_NE(it, nullptr);
        checks->scrollToItem(it);
        const QRect r = checks->visualItemRect(it);
        click(checks->viewport(), QPoint(r.left() + 10, r.center().y()));
        EXPECT_TRUE(checks->isVisible());
    }
    EXPECT_EQ(shown(), "1 2 4") << "Banana, the choice before, stays ticked";
    shot(&g, "4_ticked");
    click(g.viewport(), QPoint(20, g.CellRect(0, g.RowCount() - 1).Top + 5));
    EXPECT_FALSE(checks->isVisible());
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(shown(), "1 2 4");
    shot(&g, "5_closed");
}

} // namespace
