// Finding, continuing, replacing and bringing cells into view in the string grid.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

bool operator==(TPoint a, std::pair<int, int> b) { return a.X == b.first && a.Y == b.second; }

// Counts the rows the engine announces while it tests cells.
class NotifyingGrid : public TNovaStringGrid {
public:
    std::vector<int> states;
    int newRows = 0;
    void ExportNotification(int AState, int) override
    {
        if (AState == esExportNewRow)
            ++newRows;
        else
            states.push_back(AState);
    }
};

struct SearchFixture : ::testing::Test {
    NotifyingGrid g;
    void SetUp() override
    {
        g.SetColCount(5);
        g.SetRowCount(4);
        g.SetCells(3, 1, "x");
        g.SetCells(1, 2, "x");
    }
};

TEST_F(SearchFixture, FindFirstFindNextWrapAround)
{
    const std::pair<int, int> expected[] = {{1, 2}, {3, 1}, {-1, -1}, {1, 2}};
    EXPECT_TRUE(g.FindFirst("x", {}) == expected[0]);
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(g.FindNext() == expected[i]) << i;
    EXPECT_EQ(g.states.front(), esExportStart);
    EXPECT_EQ(g.states.back(), esExportFail); // found
}

TEST_F(SearchFixture, EdgeCases)
{
    struct Case {
        const char *what;
        std::function<TPoint()> act;
        std::pair<int, int> expected;
    };
    const Case cases[] = {
        {"two double quotes find the next empty cell", [&] { return g.FindFirst("\"\"", {}); }, {1, 1}},
        {"an empty text finds nothing", [&] { return g.FindFirst("", {}); }, {-1, -1}},
        {"FindNext after FindWide searches an empty narrow text", [&] {
             g.FindWide({-1, -1}, "x", {});
             return g.FindNext();
         }, {-1, -1}},
        {"forward from the last cell finds nothing", [&] { return g.Find({4, 3}, "x", {}); }, {-1, -1}},
        {"FindNext from the last cell fails, the next one starts again", [&] {
             g.FindFirst("x", {});
             g.SearchCell = {4, 3};
             EXPECT_TRUE(g.FindNext() == std::make_pair(-1, -1));
             return g.FindNext();
         }, {1, 2}},
        {"a start past the end wraps to the first cell", [&] {
             g.SetCells(1, 1, "x");
             return g.Find({5, 4}, "x", {});
         }, {1, 1}},
        {"case counts with match case", [&] { return g.FindFirst("X", {fnMatchCase}); }, {-1, -1}},
        {"without match case any case matches", [&] { return g.FindFirst("X", {}); }, {1, 2}},
        {"row by row finds row 1 first", [&] { return g.FindFirst("x", {fnDirectionLeftRight}); }, {3, 1}},
        {"backward from the end", [&] { return g.FindFirst("x", {fnBackward}); }, {3, 1}},
        {"column by column tests ignored columns", [&] {
             g.IgnoreColumns()->Add(1);
             return g.FindFirst("x", {});
         }, {1, 2}},
        {"row by row skips ignored columns", [&] {
             g.IgnoreColumns()->Add(3);
             return g.FindFirst("x", {fnDirectionLeftRight});
         }, {1, 2}},
        {"preset column", [&] {
             g.FindCol = 3;
             return g.FindFirst("x", {fnFindInPresetCol});
         }, {3, 1}},
        {"match full", [&] {
             g.SetCells(2, 1, "xy");
             return g.FindFirst("x", {fnMatchFull, fnDirectionLeftRight});
         }, {3, 1}},
        {"filter condition", [&] { return g.FindFirst("x*", {fnMatchRegular}); }, {1, 2}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        g.IgnoreColumns()->Clear();
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 4; ++r)
                g.SetCells(c, r, (c == 3 && r == 1) || (c == 1 && r == 2) ? "x" : "");
        for (int c = 1; c < 5; ++c)
            for (int r = 1; r < 4; ++r)
                if (g.Cells(c, r).isEmpty() && !(c == 1 && r == 1))
                    g.SetCells(c, r, "-");
        const TPoint p = k.act();
        EXPECT_EQ(p.X, k.expected.first);
        EXPECT_EQ(p.Y, k.expected.second);
    }
}

// Cells are read one after another into one buffer: a display hook that replaces one cell's text
// neither leaks into the next cell nor is skipped.
TEST_F(SearchFixture, DisplayHookTextIsSearchedCellByCell)
{
    g.SetCells(2, 1, "abcdefghij");
    g.OnGetDisplText = [](QObject *, int c, int r, QString &v) {
        if (c == 2 && r == 1)
            v = QStringLiteral("hook");
    };
    EXPECT_TRUE(g.FindFirst("HOOK", {}) == std::make_pair(2, 1));
    EXPECT_TRUE(g.FindFirst("abc", {}) == std::make_pair(-1, -1));
    EXPECT_TRUE(g.Find({2, 1}, "k", {fnDirectionLeftRight}) == std::make_pair(-1, -1)); // no "hook" left over
    g.OnGetDisplText = nullptr;
    EXPECT_TRUE(g.FindFirst("DEF", {}) == std::make_pair(2, 1));
}

// Every cell matches as Qt's own matching of the shown text answers: plain ASCII cells, cells whose
// stored form holds ASCII bytes after a wider character, and characters Qt folds onto ASCII letters.
TEST(SearchMatching, CellsMatchAsQtMatchesTheirText)
{
    const QStringList texts{"alpha",  "ALPHA beta", QStringLiteral("\u0161"), QStringLiteral("x\u0161a"),
                            QStringLiteral("\u212Aelvin"), QStringLiteral("\u017Fun"), QStringLiteral("Stra\u00DFe"),
                            "",       "Zulu-7",     "zulU",  "sun",  "a",     "xa"};
    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(int(texts.size()) / 2 + 2);
    std::vector<std::pair<int, int>> cells; // in the search's order: down each column
    for (int i = 0; i < texts.size(); ++i) {
        const int c = 1 + i % 2, r = 1 + i / 2;
        g.SetCells(c, r, texts[i]);
    }
    for (int c = 1; c < g.ColCount(); ++c)
        for (int r = 1; r < g.RowCount(); ++r)
            cells.emplace_back(c, r);
    struct Case {
        QString text;
        TFindParams fp;
    };
    const Case cases[] = {
        {"a", {}},           {"A", {fnMatchCase}},  {"k", {}},         {"s", {}},
        {"su", {}},          {"zulu", {}},          {"ZULU", {fnMatchCase}}, {"zulu", {fnMatchFull}},
        {"zul", {fnMatchStart}}, {"Zul", {fnMatchStart, fnMatchCase}}, {"a", {fnMatchFull}},
        {"alpha", {fnMatchFull, fnMatchCase}}, {"lvin", {}}, {"-7", {}}, {QStringLiteral("\u00DF"), {}},
        {"xa", {}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.text.toStdString());
        const Qt::CaseSensitivity cs = k.fp.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
        std::vector<std::pair<int, int>> expected, found;
        for (const auto &[c, r] : cells) {
            const QString t = g.Cells(c, r);
            const bool hit = k.fp.Contains(fnMatchFull)    ? QStringView(t).compare(k.text, cs) == 0
                             : k.fp.Contains(fnMatchStart) ? QStringView(t).startsWith(k.text, cs)
                                                           : QStringView(t).contains(k.text, cs);
            if (hit)
                expected.emplace_back(c, r);
        }
        for (TPoint p = g.FindFirst(k.text, k.fp); p.X != -1 && found.size() <= cells.size(); p = g.FindNext())
            found.emplace_back(p.X, p.Y);
        EXPECT_EQ(found, expected);
    }
}

TEST_F(SearchFixture, NothingToSearchTestsNoCell)
{
    // The platform keeps a column that is not fixed; fixed columns on both sides leave none to search.
    for (auto arrange : std::vector<std::function<void()>>{[&] {
                                                               g.SetColCount(2);
                                                               g.SetFixedRightCols(1);
                                                           },
                                                           [&] { g.SetRowCount(1); }}) {
        g.newRows = 0;
        arrange();
        EXPECT_TRUE(g.FindFirst("x", {}) == std::make_pair(-1, -1));
        EXPECT_EQ(g.newRows, 0);
    }
}

TEST_F(SearchFixture, ReplaceChangesEachMatchingCellOnce)
{
    g.SetCells(2, 3, "aXa");
    g.SetCells(2, 2, "yy");
    // Match case finds "X" only, but the cell's every "x" in any case is replaced.
    EXPECT_EQ(g.Replace("X", "xx", {fnMatchCase}), 1);
    EXPECT_EQ(g.Cells(2, 3), "axxa");
    // Restricted to the current column, a continued search steps back onto its last match: each
    // cell is still changed once.
    g.SetCol(1);
    EXPECT_EQ(g.Replace("x", "xx", {fnFindInCurrentCol, fnDirectionLeftRight}), 1);
    EXPECT_EQ(g.Cells(1, 2), "xx");
}

TEST_F(SearchFixture, IncrementalSearchTakesThePrefixAsGiven)
{
    g.SetCells(1, 1, "Beta");
    g.SetCells(1, 3, "alpha");
    EXPECT_EQ(g.Search("BE"), 1);
    EXPECT_EQ(g.Search("AL"), 3);
    EXPECT_EQ(g.Search("al"), -1);
}

TEST(ScrollInView, Row500Of1000With20VisibleTopsAt490)
{
    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(1000);
    g.show();
    int h = g.FixedRowsHeight() + 20 * (g.DefaultRowHeight() + 1) + 8;
    g.resize(300, h);
    QApplication::processEvents();
    for (int i = 0; i < 60 && g.VisibleRowCount() != 20; ++i) {
        h += g.VisibleRowCount() < 20 ? 1 : -1;
        g.resize(300, h);
        QApplication::processEvents();
    }
    ASSERT_EQ(g.VisibleRowCount(), 20);
    g.ScrollInView(1, 500);
    EXPECT_EQ(g.TopRow(), 490);
    EXPECT_EQ(g.Row(), 500);
    g.ScrollInView(1, 1000); // outside the grid: nothing
    EXPECT_EQ(g.TopRow(), 490);
}

} // namespace

TEST_F(SearchFixture, HiddenColumnsAndRowsAreNotSearchedAndHitsAreShownCells)
{
    g.SetCells(4, 3, "x");
    g.HideColumn(1); // holds the "x" of row 2
    g.HideRow(3);    // holds the "x" of column 4
    EXPECT_TRUE(g.FindFirst("x", {}) == std::make_pair(2, 1)) << "real column 3 is the third shown";
    EXPECT_TRUE(g.FindNext() == std::make_pair(-1, -1));
}
