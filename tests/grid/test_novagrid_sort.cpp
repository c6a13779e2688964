// Sorting of the string grid: the styles of a column, blanks, ties, index sorts, undoing a sort,
// the swaps an override sees, header clicks and saved sort settings.
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"
#include "platform/FormatSettings.h"
#include "support/LocaleSettings.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

QStringList column(TNovaStringGrid &g, int c)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out << g.Cells(c, r);
    return out;
}

// One fixed row, then the values in column 1 and the row's original position in column 2.
void fill(TNovaStringGrid &g, const QStringList &values)
{
    g.SetColCount(3);
    g.SetRowCount(int(values.size()) + 1);
    for (int i = 0; i < values.size(); ++i) {
        g.SetCells(1, i + 1, values[i]);
        g.SetCells(2, i + 1, QString::number(i));
    }
}

// One fixed row, then the given columns from column 1 on.
void fillColumns(TNovaStringGrid &g, const std::vector<QStringList> &cols)
{
    g.SetColCount(int(cols.size()) + 1);
    g.SetRowCount(int(cols[0].size()) + 1);
    for (std::size_t c = 0; c < cols.size(); ++c)
        for (int r = 0; r < cols[c].size(); ++r)
            g.SetCells(int(c) + 1, r + 1, cols[c][r]);
}

void style(TNovaStringGrid &g, TSortStyle s)
{
    g.OnGetFormat = [s](QObject *, int, TSortStyle &AStyle, QString &, QString &) { AStyle = s; };
}

struct SortFixture : ::testing::Test {
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    TNovaStringGrid g;
};

TEST_F(SortFixture, NumbersAscendingDescendingAndAlphabetic)
{
    struct Case {
        const char *what;
        std::function<void()> arrange;
        TSortDirection dir;
        QStringList expected;
    };
    const Case cases[] = {
        {"automatic ascending", [] {}, sdAscending, {"2.5", "9", "10", "100"}},
        {"automatic descending", [] {}, sdDescending, {"100", "10", "9", "2.5"}},
        {"alphabetic", [&] { style(g, ssAlphabetic); }, sdAscending, {"10", "100", "2.5", "9"}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        g.OnGetFormat = nullptr;
        fill(g, {"10", "9", "2.5", "100"});
        k.arrange();
        g.Sort(1, k.dir);
        EXPECT_EQ(column(g, 1), k.expected);
        EXPECT_EQ(g.RowCount(), 5); // no scratch row left
        EXPECT_GT(g.Compares, 0);
    }
}

// Each case fills column 1, sets the style and settings, sorts, and reads column 1 back.
TEST_F(SortFixture, StylesBlanksAndTies)
{
    struct Case {
        const char *what;
        QStringList values;
        std::function<void()> arrange;
        TSortDirection dir;
        QStringList expected;
    };
    const Case cases[] = {
        {"numeric: empty counts as 0, non-numbers equal and low", {"10", "abc", "9", ""},
         [&] { style(g, ssNumeric); }, sdAscending, {"abc", "", "9", "10"}},
        {"automatic dates with /", {"3/4/2024", "12/1/2023", "1/2/2024"}, [] {}, sdAscending,
         {"12/1/2023", "1/2/2024", "3/4/2024"}},
        {"automatic times with :", {"12:30", "9:15", "10:05"}, [] {}, sdAscending, {"9:15", "10:05", "12:30"}},
        {"blanks last ascending", {"b", "", "a", ""},
         [&] { g.SortSettings()->SetIgnoreBlanks(true); g.SortSettings()->SetBlankPos(blLast); }, sdAscending,
         {"a", "b", "", ""}},
        {"blanks last descending", {"b", "", "a", ""},
         [&] { g.SortSettings()->SetIgnoreBlanks(true); g.SortSettings()->SetBlankPos(blLast); }, sdDescending,
         {"b", "a", "", ""}},
        {"blanks first descending", {"b", "", "a"},
         [&] { g.SortSettings()->SetIgnoreBlanks(true); g.SortSettings()->SetBlankPos(blFirst); }, sdDescending,
         {"", "b", "a"}},
        {"short EU dates: a four-digit year stays as written", {"01.02.24", "01.02.1999", "15.01.24"},
         [&] { style(g, ssShortDateEU); }, sdAscending, {"01.02.1999", "15.01.24", "01.02.24"}},
        {"short US dates", {"02.01.24", "01.15.24", "12.31.1999"}, [&] { style(g, ssShortDateUS); },
         sdAscending, {"12.31.1999", "01.15.24", "02.01.24"}},
        {"financial with prefix and thousands", {"$1,200.5", "$999", "$12,000"},
         [&] {
             g.OnGetFormat = [](QObject *, int, TSortStyle &s, QString &p, QString &) {
                 s = ssFinancial;
                 p = QStringLiteral("$");
             };
         },
         sdAscending, {"$999", "$1,200.5", "$12,000"}},
        {"no case: upper-cases a-z only", {"b", "C", "a"}, [&] { style(g, ssAlphaNoCase); }, sdAscending,
         {"a", "b", "C"}},
        {"case: ordinal code units", {"b", "C", "a"}, [&] { style(g, ssAlphaCase); }, sdAscending,
         {"C", "a", "b"}},
        {"locale without case groups letters", {"b", "A", "B", "a"},
         [&] {
             QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
             style(g, ssAnsiAlphaNoCase);
         },
         sdAscending, {"A", "a", "b", "B"}},
        {"HTML: markup stripped", {"<b>z</b>", "y", "<i>x</i>"}, [&] { style(g, ssHTML); }, sdAscending,
         {"<i>x</i>", "y", "<b>z</b>"}},
        {"alphanumeric: numbers when both are", {"10", "9", "b"}, [&] { style(g, ssAlphaNumeric); }, sdAscending,
         {"9", "10", "b"}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        g.OnGetFormat = nullptr;
        g.SortSettings()->SetIgnoreBlanks(false);
        fill(g, k.values);
        k.arrange();
        g.Sort(1, k.dir);
        QStringList got = column(g, 1);
        if (QString(k.what).startsWith("locale")) {
            // The locale decides the order of a letter's two cases; only the grouping is checked.
            for (QString &s : got)
                s = s.toLower();
            QStringList want = k.expected;
            for (QString &s : want)
                s = s.toLower();
            EXPECT_EQ(got, want);
            QLocale::setDefault(QLocale::c());
        } else {
            EXPECT_EQ(got, k.expected);
        }
    }
}

TEST_F(SortFixture, NonNumbersCompareEqualUnderNumeric)
{
    fill(g, {"abc", "xyz", ""});
    style(g, ssNumeric);
    EXPECT_EQ(g.CompareCells(1, 1, 2, false), 0);
    EXPECT_EQ(g.CompareCells(1, 3, 1, false), 0); // empty is 0, abc reads no digits
}

TEST_F(SortFixture, CheckBoxesUncheckedBeforeChecked)
{
    g.SetColCount(3);
    g.SetRowCount(5);
    const bool states[] = {true, false, true, false};
    for (int r = 1; r <= 4; ++r) {
        g.AddCheckBox(1, r, states[r - 1], false);
        g.SetCells(2, r, QString::number(r));
    }
    g.Sort(1, sdAscending);
    for (int r = 1; r <= 4; ++r) {
        bool st = true;
        ASSERT_TRUE(g.GetCheckBoxState(1, r, st));
        EXPECT_EQ(st, r >= 3) << "row " << r;
    }
}

TEST_F(SortFixture, FullBreaksTiesByTheColumnsToTheRight)
{
    g.SetColCount(3);
    g.SetRowCount(5);
    const char *rows[][2] = {{"a", "3"}, {"b", "1"}, {"a", "1"}, {"a", "2"}};
    for (int r = 0; r < 4; ++r) {
        g.SetCells(1, r + 1, rows[r][0]);
        g.SetCells(2, r + 1, rows[r][1]);
    }
    g.SortSettings()->SetFull(true);
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1), (QStringList{"a", "a", "a", "b"}));
    EXPECT_EQ(column(g, 2), (QStringList{"1", "2", "3", "1"}));
}

TEST_F(SortFixture, IndexedSortOrdersByTheFirstEntryFirst)
{
    g.SetColCount(3);
    g.SetRowCount(5);
    const char *rows[][2] = {{"1", "x"}, {"2", "y"}, {"3", "x"}, {"4", "y"}};
    for (int r = 0; r < 4; ++r) {
        g.SetCells(1, r + 1, rows[r][0]);
        g.SetCells(2, r + 1, rows[r][1]);
    }
    g.SortIndexes()->AddIndex(2, false);
    g.SortIndexes()->AddIndex(1, true);
    g.QSortIndexed();
    EXPECT_EQ(column(g, 2), (QStringList{"y", "y", "x", "x"}));
    EXPECT_EQ(column(g, 1), (QStringList{"2", "4", "1", "3"}));

    g.SortIndexes()->Clear();
    try {
        g.QSortIndexed();
        FAIL() << "no error";
    } catch (const ENovaGridError &e) {
        EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
    }
}

TEST_F(SortFixture, ColumnsAndIndexEntriesOutsideTheGridSortNothing)
{
    fill(g, {"3", "1", "2"});
    g.Compares = 0;
    g.Sort(7, sdAscending);
    g.SortIndexes()->AddIndex(9, true);
    g.QSortIndexed();
    EXPECT_EQ(g.Compares, 0);
    EXPECT_EQ(column(g, 1), (QStringList{"3", "1", "2"}));
}

TEST_F(SortFixture, HiddenColumnsMoveWithTheirRows)
{
    g.SetColCount(4);
    g.SetRowCount(4);
    const char *rows[][3] = {{"c", "3", "z"}, {"a", "1", "x"}, {"b", "2", "y"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCells(c + 1, r + 1, rows[r][c]);
    g.HideColumn(3);
    g.Sort(1, sdAscending);
    g.UnHideColumn(3);
    EXPECT_EQ(column(g, 1), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(column(g, 3), (QStringList{"x", "y", "z"}));
}

TEST_F(SortFixture, UnSortAfterTwoSortsRestoresTheFirstOrder)
{
    const QStringList orig{"5", "3", "9", "1", "7", "3"};
    fill(g, orig);
    g.Sort(1, sdAscending);
    g.Sort(2, sdDescending);
    ASSERT_NE(column(g, 1), orig);
    g.QUnSort();
    EXPECT_EQ(column(g, 1), orig);
    for (int r = 0; r < g.RowCount(); ++r)
        EXPECT_EQ(g.SortRowXRef()->GetInteger(r), r);
}

TEST_F(SortFixture, HooksAreAskedForEveryComparison)
{
    fill(g, {"d", "b", "a", "c", "e"});
    int formats = 0, customs = 0;
    g.OnGetFormat = [&](QObject *, int, TSortStyle &s, QString &, QString &) {
        ++formats;
        s = ssCustom;
    };
    g.OnCustomCompare = [&](QObject *, const QString &a, const QString &b, int &res) {
        ++customs;
        res = a < b ? 1 : (b < a ? -1 : 0); // reversed
    };
    g.Compares = 0;
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 1), (QStringList{"e", "d", "c", "b", "a"}));
    EXPECT_EQ(formats, g.Compares);
    EXPECT_EQ(customs, g.Compares);
}

// A comparison that always answers against the partition (values are fixed only as they are
// compared, each pivot candidate kept smallest) drives the quicksort to its worst case. The sort
// still ends, in order, and its recursion stays shallow: the deepest comparison sits a few stack
// frames below the first, not one frame per partition.
TEST_F(SortFixture, WorstCaseInputKeepsTheRecursionShallow)
{
    constexpr int n = 2000;
    QStringList ids;
    for (int i = 0; i < n; ++i)
        ids << QString::number(i);
    fill(g, ids);
    std::vector<int> val(n, n); // n: not fixed yet
    int fixed = 0, candidate = -1;
    const char *top = nullptr, *deepest = nullptr;
    style(g, ssCustom);
    g.OnCustomCompare = [&](QObject *, const QString &a, const QString &b, int &res) {
        const char here = 0;
        if (!top)
            top = deepest = &here;
        deepest = std::min(deepest, &here);
        const int x = a.toInt(), y = b.toInt();
        if (val[x] == n && val[y] == n)
            val[x == candidate ? x : y] = fixed++;
        if (val[x] == n)
            candidate = x;
        else if (val[y] == n)
            candidate = y;
        res = val[x] < val[y] ? -1 : (val[y] < val[x] ? 1 : 0);
    };
    g.Sort(1, sdAscending);
    EXPECT_GT(g.Compares, n * n / 8); // the worst case was reached
    for (int r = 2; r < g.RowCount(); ++r)
        ASSERT_LE(val[g.Cells(1, r - 1).toInt()], val[g.Cells(1, r).toInt()]) << "row " << r;
    EXPECT_LT(top - deepest, 16 * 1024);
}

// The sort keeps its keys ahead only while the format hook answers what they were made for; a
// hook whose answer changes at every call (a prefix no cell holds) compares every pair the general
// way. Both must give the same order of equal rows, the same comparisons and the same swaps.
TEST_F(SortFixture, KeysMadeAheadAndPairByPairGiveTheSameSort)
{
    struct Case {
        const char *what;
        TSortStyle style;
        QStringList values;
        bool full;
        bool blanksLast;
        TSortDirection dir;
    };
    const QStringList mixed{"10", "abc", "", "9", "abc", "2.5", "x1", "", "10", "Abc", "-3", "1e2", "12abc"};
    const QStringList dates{"1/2/2024", "3/4/2023", "", "1/2/2024", "12:30", "9:15", "2/2/2024 10:00", "x"};
    const QStringList words{"b", "B", "a", "A", "", "b", "ab", "Ab", "a", "\u00e9", "e", "z"};
    const Case cases[] = {
        {"automatic, ties in their partition order", ssAutomatic, mixed, false, false, sdAscending},
        {"automatic, ties by the next column", ssAutomatic, mixed, true, false, sdDescending},
        {"automatic dates and times", ssAutomatic, dates, false, false, sdAscending},
        {"numeric with texts and empty cells", ssNumeric, mixed, false, false, sdAscending},
        {"financial", ssFinancial, {"1,000.5", "999", "", "abc", "1,000.5", "-2"}, false, false, sdDescending},
        {"alphabetic", ssAlphabetic, words, false, false, sdAscending},
        {"without case", ssAlphaNoCase, words, false, false, sdAscending},
        {"locale without case", ssAnsiAlphaNoCase, words, false, false, sdAscending},
        {"alphanumeric", ssAlphaNumeric, mixed, false, false, sdAscending},
        {"short dates EU", ssShortDateEU, {"01.02.24", "01.02.1999", "", "x", "31.12.23", "01.02.24"}, false, false,
         sdAscending},
        {"short dates US", ssShortDateUS, {"02/01/24", "12/31/23", "", "02/01/24", "x"}, false, false, sdDescending},
        {"blanks last, descending", ssAutomatic, mixed, false, true, sdDescending},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        struct Result {
            QStringList order;
            int compares, swaps, formats;
        };
        const auto run = [&](bool varyingHook) {
            fill(g, k.values);
            g.SortSettings()->SetFull(k.full);
            g.SortSettings()->SetIgnoreBlanks(k.blanksLast);
            g.SortSettings()->SetBlankPos(blLast);
            int formats = 0;
            g.OnGetFormat = [&, st = k.style](QObject *, int, TSortStyle &s, QString &prefix, QString &) {
                s = st;
                if (varyingHook)
                    prefix = QStringLiteral("#%1#").arg(formats);
                ++formats;
            };
            g.Compares = g.Swaps = 0;
            g.Sort(1, k.dir);
            g.OnGetFormat = nullptr;
            return Result{column(g, 2), g.Compares, g.Swaps, formats};
        };
        const Result ahead = run(false), pairwise = run(true);
        EXPECT_EQ(ahead.order, pairwise.order);
        EXPECT_EQ(ahead.compares, pairwise.compares);
        EXPECT_EQ(ahead.swaps, pairwise.swaps);
        EXPECT_EQ(ahead.formats, ahead.compares); // the hook is still asked for every comparison
    }
    g.SortSettings()->SetIgnoreBlanks(false);
}

// Without any format hook the grid compares by its settings' style on its own (ties decided by the
// keys the sorted records carry, a row against itself counted without reading it): the same
// comparisons, counts, swaps and order as a grid whose hook answers that same style every time.
TEST(SortWithoutHooks, SameComparisonsAsAHookAnsweringTheSettingsStyle)
{
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    struct Case {
        const char *what;
        bool autoFormat, ignoreCase, blanks, indexed;
        TBlankPos blankPos;
        TSortDirection dir;
        int ignoredCol = -1;
    };
    const Case cases[] = {
        {"automatic", true, false, false, false, blFirst, sdAscending},
        {"automatic, descending", true, false, false, false, blFirst, sdDescending},
        {"automatic without case, blanks last", true, true, true, false, blLast, sdAscending},
        {"alphabetic, blanks first, descending", false, false, true, false, blFirst, sdDescending},
        {"alphabetic without case", false, true, false, false, blFirst, sdAscending},
        {"indexed, the tie column descending", true, false, true, true, blLast, sdAscending},
        {"column 3 ignored", true, false, false, false, blFirst, sdAscending, 3},
        {"the tie column ignored", true, false, false, false, blFirst, sdDescending, 2},
    };
    // Column 1 few values, so that most comparisons tie; column 2 breaks ties with texts alike in
    // their first eight units, short equal texts, case variants, numbers, dates, times, blanks and
    // check boxes; column 3 few values; column 4 the original row.
    constexpr int rows = 2500;
    std::uint32_t x = 4242u;
    const auto next = [&x] { return (x = x * 1664525u + 1013904223u) >> 8; };
    const char *keys[] = {"10", "9", "x", "", "1/2/2024", "2.5", "Abc", "abc"};
    const char *ties[] = {"Hotel 4730", "Hotel 47130", "Hotel 4731", "row 1", "Row 1", "row 12", "", "10",
                          "9",          "1/2/2024",    "12:30",      "ab",    "AB",    "abcdefghij", "abcdefghiJ"};
    QStringList c1, c2, c3, c4;
    for (int r = 0; r < rows; ++r) {
        c1 << QString::fromUtf8(keys[next() % 8]);
        const std::uint32_t t = next() % 16; // the last: "ab" and a NUL, alike "ab" in its first eight units
        c2 << (t < 15 ? QString::fromUtf8(ties[t]) : QStringLiteral("ab") + QChar(0));
        c3 << QString::number(next() % 3);
        c4 << QString::number(r);
    }
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        struct Result {
            std::vector<QStringList> cols;
            int compares, swaps, formats;
        };
        const auto run = [&](bool hooked) {
            TNovaStringGrid g;
            fillColumns(g, {c1, c2, c3, c4});
            for (int r = 5; r < rows; r += 97)
                g.AddCheckBox(2, r + 1, r % 2 == 0, false);
            TSortSettings &st = *g.SortSettings();
            st.SetFull(true);
            st.SetAutoFormat(k.autoFormat);
            st.SetIgnoreCase(k.ignoreCase);
            st.SetIgnoreBlanks(k.blanks);
            st.SetBlankPos(k.blankPos);
            if (k.ignoredCol >= 0)
                g.IgnoreColumns()->Add(k.ignoredCol);
            int formats = 0;
            if (hooked)
                g.OnGetFormat = [&formats](QObject *, int, TSortStyle &, QString &, QString &) { ++formats; };
            if (k.indexed) {
                g.SortIndexes()->AddIndex(1, true);
                g.SortIndexes()->AddIndex(2, false);
                g.SortIndexes()->AddIndex(3, true);
                g.QSortIndexed();
            } else {
                g.Sort(1, k.dir);
            }
            return Result{{column(g, 1), column(g, 2), column(g, 3), column(g, 4)}, g.Compares, g.Swaps, formats};
        };
        const Result alone = run(false), hooked = run(true);
        EXPECT_EQ(alone.cols, hooked.cols);
        EXPECT_EQ(alone.compares, hooked.compares);
        EXPECT_EQ(alone.swaps, hooked.swaps);
        EXPECT_EQ(hooked.formats, hooked.compares);
        EXPECT_NE(alone.cols[3], c4); // the rows did move
    }
}

// Numbers are read as QString::toDouble reads them: texts it reads as one value tie, the others
// order by value.
TEST_F(SortFixture, NumbersReadAsToDoubleReadsThem)
{
    const std::pair<const char *, const char *> pairs[] = {
        {"0.3", "0.29999999999999998890"},          {"0.3", "0.30000000000000004"},
        {"9007199254740993", "9007199254740992"}, {"007", "7"},
        {"-0", "0"},                                {"1e3", "1000"},
        {"+5", "5"},                                {" 12 ", "12"},
        {"123456789012345678901234567890123456789012345", "1.2345678901234568e44"},
        {"2.5", "2.50"},                            {"-2.5", "-2.4999999999999999999"},
        {"1234567890123456789012345678901234567.5", "1.2345678901234568e36"},
        {"12345678901234567890123456789012345678901.5", "1.2345678901234568e40"},
    };
    style(g, ssNumeric);
    for (const auto &[a, b] : pairs) {
        SCOPED_TRACE(std::string(a) + " / " + b);
        bool okA = false, okB = false;
        const double va = QString::fromLatin1(a).toDouble(&okA), vb = QString::fromLatin1(b).toDouble(&okB);
        ASSERT_TRUE(okA && okB);
        fill(g, {QString::fromLatin1(a), QString::fromLatin1(b)});
        EXPECT_EQ(g.CompareCells(1, 1, 2, false), va < vb ? -1 : (vb < va ? 1 : 0));
    }
}

// A hook answering a different style for a later column: the ties of the first column follow it.
TEST_F(SortFixture, LaterColumnsFollowTheirOwnAnswer)
{
    g.SetColCount(3);
    g.SetRowCount(6);
    const char *rows[][2] = {{"1", "b"}, {"2", "10"}, {"1", "9"}, {"2", "a"}, {"1", "100"}};
    for (int r = 0; r < 5; ++r) {
        g.SetCells(1, r + 1, rows[r][0]);
        g.SetCells(2, r + 1, rows[r][1]);
    }
    g.SortSettings()->SetFull(true);
    g.OnGetFormat = [](QObject *, int c, TSortStyle &s, QString &, QString &) { s = c == 2 ? ssAlphabetic : ssNumeric; };
    g.Sort(1, sdAscending);
    EXPECT_EQ(column(g, 2), (QStringList{"100", "9", "b", "10", "a"}));
    g.OnGetFormat = nullptr;
}

// An override of SortSwapRows gets one call per swap, and the swaps it is given, applied in order,
// give the sorted grid.
class SwapLoggingGrid : public TNovaStringGrid {
public:
    std::vector<std::pair<int, int>> calls;
    void SortSwapRows(int a, int b) override
    {
        calls.emplace_back(a, b);
        TNovaStringGrid::SortSwapRows(a, b);
    }
};

TEST(SortSwaps, OverrideGetsOneCallPerSwap)
{
    SwapLoggingGrid g;
    const QStringList values{"8", "3", "5", "1", "9", "2", "7", "4", "6", "5"};
    fill(g, values);
    g.Swaps = 0;
    g.Sort(1, sdAscending);
    EXPECT_EQ(int(g.calls.size()), g.Swaps);
    QStringList replay = values;
    for (auto [a, b] : g.calls)
        replay.swapItemsAt(a - 1, b - 1);
    EXPECT_EQ(replay, column(g, 1));
    EXPECT_EQ(column(g, 1), (QStringList{"1", "2", "3", "4", "5", "5", "6", "7", "8", "9"}));
}

// A plain grid moves its rows at once after the partition, and reads its texts straight from the
// store and its tie columns' keys in one walk; a grid with an override of SortSwapRows, or with a
// display hook, gets the swaps one by one and reads every text through the hook. All must end alike:
// the same rows in the same order (ties included), the same comparisons, swaps and undo list, and
// the same swaps handed to every override. Many rows with many ties, so that the tie columns' keys
// are made both one by one and in one walk.
TEST(SortSwaps, RowsMovedAtOnceEndAsSwapsOneByOne)
{
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    struct Case {
        const char *what;
        TSortStyle style;
        bool full, indexed;
        TSortDirection dir;
    };
    const Case cases[] = {
        {"automatic, ties by the next columns", ssAutomatic, true, false, sdAscending},
        {"automatic, ties in partition order", ssAutomatic, false, false, sdDescending},
        {"numeric", ssNumeric, true, false, sdAscending},
        {"alphabetic", ssAlphabetic, true, false, sdDescending},
        {"without case", ssAlphaNoCase, true, false, sdAscending},
        {"locale without case", ssAnsiAlphaNoCase, true, false, sdAscending},
        {"indexed", ssAutomatic, true, true, sdAscending},
    };
    // Column 1 few values (numbers, texts, blanks), column 2 some, column 3 the original row.
    constexpr int rows = 3000;
    std::uint32_t x = 12345u;
    const auto next = [&x] { return x = x * 1664525u + 1013904223u; };
    QStringList c1, c2, c3;
    const char *words[] = {"b", "B", "a", "ab", "", "\u00e9", "Ab", "10", "9", "2.5", "-3"};
    for (int r = 0; r < rows; ++r) {
        c1 << QString::fromUtf8(words[(next() >> 8) % 11]) + QString::number((next() >> 8) % 7);
        c2 << ((next() >> 8) % 5 == 0 ? QString() : QString::number((next() >> 8) % 300));
        c3 << QString::number(r);
    }
    struct Result {
        std::vector<QStringList> cols;
        std::vector<std::int32_t> xref;
        int compares, swaps, row;
        std::vector<std::pair<int, int>> calls;
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        const auto run = [&](TNovaStringGrid &g, bool hooked) {
            fillColumns(g, {c1, c2, c3});
            if (hooked)
                g.OnGetDisplText = [](QObject *, int, int, QString &) {};
            g.SortSettings()->SetFull(k.full);
            g.OnGetFormat = [&k](QObject *, int c, TSortStyle &s, QString &, QString &) {
                s = c == 1 ? k.style : ssAutomatic;
            };
            g.SetRow(7);
            g.Navigation()->SetMoveRowOnSort(true);
            g.Compares = g.Swaps = 0;
            if (k.indexed) {
                g.SortIndexes()->Clear();
                g.SortIndexes()->AddIndex(1, k.dir == sdAscending);
                g.SortIndexes()->AddIndex(2, false);
                g.QSortIndexed();
            } else {
                g.Sort(1, k.dir);
            }
            Result res{{column(g, 1), column(g, 2), column(g, 3)}, g.SortRowXRef()->Values(), g.Compares, g.Swaps,
                       g.Row(), {}};
            if (auto *logging = dynamic_cast<SwapLoggingGrid *>(&g))
                res.calls = logging->calls;
            g.QUnSort();
            EXPECT_EQ(column(g, 1), c1);
            EXPECT_EQ(column(g, 3), c3);
            return res;
        };
        TNovaStringGrid plain;
        SwapLoggingGrid logging, loggingHooked;
        const Result atOnce = run(plain, false), oneByOne = run(logging, false), hooked = run(loggingHooked, true);
        for (const Result *other : {&oneByOne, &hooked}) {
            EXPECT_EQ(atOnce.cols, other->cols);
            EXPECT_EQ(atOnce.xref, other->xref);
            EXPECT_EQ(atOnce.compares, other->compares);
            EXPECT_EQ(atOnce.swaps, other->swaps);
            EXPECT_EQ(atOnce.row, other->row);
        }
        EXPECT_EQ(int(oneByOne.calls.size()), oneByOne.swaps);
        EXPECT_EQ(oneByOne.calls, hooked.calls);
        EXPECT_GT(atOnce.swaps, 0);
        EXPECT_NE(atOnce.cols[0], c1); // the rows did move
    }
}

TEST(SortSwaps, HeightsModifiedFlagsAndCurrentRowFollowTheirRows)
{
    TNovaStringGrid g;
    fill(g, {"c", "a", "b"});
    g.SetRowHeights(1, 40);
    g.ShowModified()->Enabled = true;
    g.SetRowModified(1, true);
    g.Navigation()->SetMoveRowOnSort(true);
    g.SetRow(1);
    g.Sort(1, sdAscending);
    EXPECT_EQ(g.Cells(1, 3), "c");
    EXPECT_EQ(g.RowHeights(3), 40);
    EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight());
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_FALSE(g.RowModified(1));
    EXPECT_EQ(g.Row(), 3);
}

TEST(SortClicks, HeaderClicksAscendingDescendingThenUnsorted)
{
    TNovaStringGrid g;
    g.resize(420, 260);
    fill(g, {"b", "c", "a"});
    g.SortSettings()->SetShow(true);
    g.SortSettings()->SetUndoSort(true);
    g.show();
    QApplication::processEvents();
    const QPoint header = g.CellRect(1, 0).ToQRect().center();
    const QStringList steps[] = {{"a", "b", "c"}, {"c", "b", "a"}, {"b", "c", "a"}};
    for (const QStringList &want : steps) {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, header);
        EXPECT_EQ(column(g, 1), want);
        EXPECT_EQ(g.RowCount(), 4);
    }
    EXPECT_EQ(g.SortSettings()->Column(), -1);
}

TEST(SortSettingsString, LoadFromStringSorts)
{
    TNovaStringGrid g;
    fill(g, {"2", "3", "1"});
    g.SortSettings()->LoadFromString(QStringLiteral("d1"));
    EXPECT_EQ(column(g, 1), (QStringList{"3", "2", "1"}));
    g.SortSettings()->LoadFromString(QStringLiteral("i;u1"));
    EXPECT_EQ(column(g, 1), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(g.SortSettings()->SaveToString(), QStringLiteral("i;u1"));
}

} // namespace
