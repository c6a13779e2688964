// Typed cell values, fills, cell checks, and highlighting and marking of cell texts.
#include "grid/NovaGrid.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"
#include "platform/TextFormat.h"
#include "support/LocaleSettings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ValuesFixture : ::testing::Test {
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(4);
    }
};

TEST_F(ValuesFixture, IntsAndFloatsRead)
{
    struct Case {
        const char *text;
        std::function<double()> read;
        double expected;
    };
    const Case cases[] = {
        {"", [&] { return g.Ints(1, 1); }, 0},
        {"-", [&] { return g.Ints(1, 1); }, 0},
        {"<b> 42 </b>", [&] { return g.Ints(1, 1); }, 42},
        {"$1F", [&] { return g.Ints(1, 1); }, 31},
        {"$1,234.50", [&] { return g.Floats(1, 1); }, 1234.5},
        {"(12.5)", [&] { return g.Floats(1, 1); }, -12.5},
        {"-", [&] { return g.Floats(1, 1); }, 0},
        {"1.5e3", [&] { return g.AllFloats(1, 1); }, 1500},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.text);
        g.SetCells(1, 1, k.text);
        EXPECT_DOUBLE_EQ(k.read(), k.expected);
    }
}

TEST_F(ValuesFixture, NonNumbersRaiseAndLeaveTheCell)
{
    struct Case {
        const char *text;
        std::function<void()> read;
        const char *message;
    };
    const Case cases[] = {
        {"<b>42</b>", [&] { g.AllInts(1, 1); }, "Cell does not contain integer value"},
        {"4x2", [&] { g.Ints(1, 1); }, "Cell does not contain integer value"},
        {"1.2.3", [&] { g.Floats(1, 1); }, "Cell does not contain a float value"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.text);
        g.SetCells(1, 1, k.text);
        try {
            k.read();
            ADD_FAILURE() << "no error";
        } catch (const ENovaGridError &e) {
            EXPECT_STREQ(e.what(), k.message);
        }
        EXPECT_EQ(g.Cells(1, 1), k.text);
    }
}

TEST_F(ValuesFixture, WritesFormatsAndDates)
{
    g.SetFloats(1, 1, 3.14159);
    EXPECT_EQ(g.Cells(1, 1), "3.14");
    g.SetFloatFormat("%.3f");
    g.SetAllFloats(1, 2, 2.5);
    EXPECT_EQ(g.Cells(1, 2), "2.500");
    // A format that does not fit one float is the format error; the cell keeps its text.
    g.SetFloatFormat("%d items %s");
    EXPECT_THROW(g.SetFloats(1, 1, 1.0), platform::EFormatError);
    EXPECT_EQ(g.Cells(1, 1), "3.14");

    g.SetInts(2, 1, -7);
    EXPECT_EQ(g.Cells(2, 1), "-7");

    g.SetShowNullDates(false);
    g.SetCells(3, 1, "old");
    g.SetDates(3, 1, 0);
    EXPECT_EQ(g.Cells(3, 1), "");
    g.SetShowNullDates(true);
    g.SetDates(3, 1, 0);
    EXPECT_EQ(g.Cells(3, 1), "12/30/1899");
    g.SetDates(3, 2, EncodeDate(2024, 2, 1));
    EXPECT_EQ(g.Cells(3, 2), "2/1/2024");
    EXPECT_DOUBLE_EQ(g.Dates(3, 2), EncodeDate(2024, 2, 1));
    g.SetCells(3, 3, "no date");
    EXPECT_THROW(g.Dates(3, 3), EConvertError);
    g.SetTimes(3, 3, EncodeTime(12, 30, 5));
    EXPECT_DOUBLE_EQ(g.Times(3, 3), EncodeTime(12, 30, 5));
}

TEST_F(ValuesFixture, ControlValues)
{
    g.SetCells(1, 1, "Name <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"abc\" WIDTH=\"40\">");
    EXPECT_EQ(g.ControlValues(1, 1, "n"), "abc");
    EXPECT_EQ(g.ControlValues(1, 1, "other"), "");
    g.SetControlValues(1, 1, "n", "xyz");
    EXPECT_EQ(g.ControlValues(1, 1, "n"), "xyz");
    g.SetCells(1, 2, "plain");
    g.SetControlValues(1, 2, "n", "xyz");
    EXPECT_EQ(g.Cells(1, 2), "plain");
}

TEST_F(ValuesFixture, Fills)
{
    g.LinearFill(false);
    EXPECT_EQ(g.Cells(1, 1), "1:1");
    EXPECT_EQ(g.Cells(3, 2), "3:2");
    EXPECT_EQ(g.Cells(0, 0), "");
    g.FormatFill(true, "r%1:d c%0:d");
    EXPECT_EQ(g.Cells(0, 0), "r0 c0");
    EXPECT_EQ(g.Cells(2, 3), "r3 c2");
    EXPECT_THROW(g.FormatFill(true, "%s and %f"), platform::EFormatError);
    g.TextFill(false, "t");
    EXPECT_EQ(g.Cells(3, 3), "t");
    g.RandomFill(false, 5);
    for (int r = 1; r < 4; ++r)
        EXPECT_LT(g.Ints(1, r), 5);
}

class UpperChecker : public TNovaStringGridCheck {
public:
    int starts = 0, stops = 0;
    QString Correct(int, int, const QString &s) override { return s.toUpper(); }
    QString MarkError(int, int, const QString &s) override { return s == "bad" ? "<e>bad</e>" : s; }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
};

TEST_F(ValuesFixture, CellChecks)
{
    g.SetCells(1, 1, "ok");
    EXPECT_TRUE(g.CheckGrid(false)); // no checker: nothing changes
    EXPECT_EQ(g.Cells(1, 1), "ok");

    UpperChecker ch;
    g.SetCellChecker(&ch);
    ch.SetUseCorrect(true);
    EXPECT_FALSE(g.CheckCell(1, 1));
    EXPECT_EQ(g.Cells(1, 1), "OK");
    ch.SetUseCorrect(false);
    ch.SetUseMarkError(true);
    g.SetCells(2, 2, "bad");
    EXPECT_FALSE(g.CheckGrid(false));
    EXPECT_EQ(g.Cells(2, 2), "<e>bad</e>");
    // The marks are removed before the next check.
    EXPECT_FALSE(g.CheckCol(false, 2));
    EXPECT_EQ(g.Cells(2, 2), "<e>bad</e>");
    EXPECT_TRUE(g.CheckRow(false, 1));
    EXPECT_EQ(ch.starts, ch.stops);
    g.SetCellChecker(nullptr);
}

// ---- highlighting ---------------------------------------------------------------------------------

TEST_F(ValuesFixture, HighlightCases)
{
    struct Case {
        const char *what;
        QString cell;
        std::function<void()> act;
        QString expected;
    };
    const Case cases[] = {
        {"absent text: only escaping", "a<b&\"c", [&] { g.HilightInGrid(false, false, "zzz"); },
         "a&lt;b&amp;&quot;c"},
        {"any case, the cell's letters kept", "Hello", [&] { g.HilightInGrid(false, false, "hello"); },
         "<hi>Hello</hi>"},
        {"with case", "Hello", [&] { g.HilightInGrid(false, true, "hello"); }, "Hello"},
        {"highlight and back: markup", "<b>x</b>", [&] {
             g.HilightInGrid(false, false, "x");
             g.UnHilightInGrid(false);
         }, "<b>x</b>"},
        {"highlight and back: an escaped text", "&lt;b", [&] {
             g.HilightInGrid(false, false, "b");
             g.UnHilightInGrid(false);
         }, "&lt;b"},
        {"mark and back", "a bad b", [&] {
             g.MarkInRow(false, false, 1, "bad");
             EXPECT_EQ(g.Cells(1, 1), "a <e>bad</e> b");
             g.UnMarkInCol(false, 1);
         }, "a bad b"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        g.SetCells(1, 1, k.cell);
        k.act();
        EXPECT_EQ(g.Cells(1, 1), k.expected);
    }
}

TEST_F(ValuesFixture, HighlightReachesHiddenColumnsMarkDoesNot)
{
    g.SetCells(3, 1, "x");
    g.HideColumn(3);
    g.MarkInGrid(false, false, "x");
    EXPECT_EQ(g.AllCells(3, 1), "x");
    g.HilightInGrid(false, false, "x");
    EXPECT_EQ(g.AllCells(3, 1), "<hi>x</hi>");
    g.UnHilightInGrid(false);
    EXPECT_EQ(g.AllCells(3, 1), "x");
}

TEST_F(ValuesFixture, MergedRangeThroughItsBaseCell)
{
    g.SetCells(1, 1, "x");
    g.SetCells(2, 1, "x");
    g.MergeCells(1, 1, 2, 1);
    g.HilightInGrid(false, false, "x");
    EXPECT_EQ(g.GetGridCell(1, 1), "<hi>x</hi>");
    EXPECT_EQ(g.GetGridCell(2, 1), "x");
}

TEST(HighlightText, TextFunctions)
{
    EXPECT_EQ(TNovaStringGrid::HilightText(false, "abcABC", "b"), "a<hi>b</hi>cA<hi>B</hi>C");
    EXPECT_EQ(TNovaStringGrid::UnHilightText("a<HI>b</HI>c"), "abc");
    EXPECT_EQ(TNovaStringGrid::MarkText(true, "abcABC", "b"), "a<e>b</e>cABC");
    EXPECT_EQ(TNovaStringGrid::UnMarkText("a<e>b</e>"), "ab");
}

} // namespace
