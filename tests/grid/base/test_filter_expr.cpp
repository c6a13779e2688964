#include "grid/base/FilterExpr.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"
#include "support/LocaleSettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using platform::FormatSettings;
using platform::ScopedFormatSettings;

namespace {

using testsupport::usSettings;
FormatSettings euSettings() { return testsupport::europeanSettings(); }

struct Case {
    const char *condition;
    const char *value;
    bool caseSensitive;
    bool expected;
};

void runTable(const Case *cases, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const Case &c = cases[i];
        EXPECT_EQ(MatchFilterCondition(QString::fromUtf8(c.condition), QString::fromUtf8(c.value), c.caseSensitive),
                  c.expected)
            << "condition [" << c.condition << "] value [" << c.value << "]" << (c.caseSensitive ? " (case)" : "");
    }
}

} // namespace

TEST(FilterExpr, WildcardsAndCase)
{
    ScopedFormatSettings fs(usSettings());
    const Case cases[] = {
        {"A*", "apple", false, true},
        {"A*", "apple", true, false},
        {"A*", "Apple", true, true},
        {"*test*", "a test case", false, true},
        {"!*test*", "a test case", false, false},
        {"!*test*", "other", false, true},
        {"?b?", "abc", false, true},
        {"?b?", "abcd", false, false},
        {"?", "", false, false},
        {"a**c", "abbbc", false, true},
        {"*", "", false, true},
        {"*", "anything", false, true},
        {"abc", "abc", true, true},
        {"abc", "abcd", true, false},
        {"", "", false, true},
        {"", "x", false, false},
        {"=abc", "abc", false, true},
        {"= abc", "abc", false, true},
        {"red car", "redcar", false, true},
        {"red car", "red car", false, false},
        {"\"red car\"", "red car", false, true},
        {"\"a&b\"", "a&b", false, true},      // connectives inside quotes are text
        {"\"a|b\"", "a", false, false},
        {"*ä*", "BÄR", false, true},          // upper-casing is not limited to ASCII
        {"*ä*", "BÄR", true, false},
    };
    runTable(cases, std::size(cases));
}

TEST(FilterExpr, ConnectivesAndGroups)
{
    ScopedFormatSettings fs(usSettings());
    const Case cases[] = {
        {"A*|B*", "bob", false, true},
        {"A*|B*", "carl", false, false},
        {"A*;B*", "bob", false, true},
        {"A*^B*", "bob", false, true},
        {"A*&*e", "apple", false, true},
        {"A*&*x", "apple", false, false},
        {"A|B&C", "A", false, false},         // strictly left to right: (A or B) and C
        {"A|B&A", "A", false, true},
        {"(A*|B*)&*x", "Ax", false, true},
        {"(A*|B*)&*x", "Bx", false, true},
        {"(A*|B*)&*x", "Ay", false, false},
        {"*x&(A*|B*)", "Bx", false, true},
        {"*x&(A*|B*)", "Cx", false, false},
        {"((A*))", "abc", false, true},
        {"(A*|B*", "bee", false, true},       // unbalanced: the group runs to the end
        {"(A*)", "xyz", false, false},
        {"A(B)|C", "A", false, true},         // text after "(" inside a term is ignored
        {"A(B)|C", "C", false, true},
        {"A(B)|C", "B", false, false},
        {"(\"(\"*)", "(x", false, true},      // parentheses inside quotes are text
    };
    runTable(cases, std::size(cases));
}

TEST(FilterExpr, NumericComparisonsEveryOperator)
{
    ScopedFormatSettings fs(usSettings());
    const Case cases[] = {
        {">=10 & <20", "10", false, true},
        {">=10 & <20", "19.5", false, true},
        {">=10 & <20", "20", false, false},
        {">=10 & <20", "9", false, false},
        {">10", "10", false, false},
        {">10", "10.01", false, true},
        {">=10", "10", false, true},
        {"<10", "9", false, true},
        {"<10", "10", false, false},
        {"<=10", "10", false, true},
        {"<=10", "10.5", false, false},
        {">9", "10", false, true},             // numeric, not text order
        {"<100", "20", false, true},
        {">-5", "-4", false, true},
        {">1,000", "1,500", false, true},       // thousand separators are dropped
        {"<1e3", "999", false, true},
        {">5", "abc", false, true},             // not a number: text comparison, "ABC" > "5"
        {">5", "abc", true, true},
        {"<5", "abc", false, false},
        {"<10", "<10", false, true},            // a failed test falls back to the literal term
        {"> 10", "11", false, true},
        {">=\"b\"", "c", false, true},
        {"<\"b\"", "a", false, true},
        {">\"a b\"", "a c", false, true},      // a quoted operand keeps its blank
        {"<\"a b\"", "a a", false, true},
        {"!>5", "3", false, true},
    };
    runTable(cases, std::size(cases));
}

TEST(FilterExpr, NumbersFollowTheLocaleDecimalSeparator)
{
    ScopedFormatSettings fs(euSettings());
    const Case cases[] = {
        {">=10 & <20", "19,5", false, true},
        {">=10 & <20", "20,0", false, false},
        {">1.000", "1.500", false, true},      // "." is the thousand separator here
        {"<2,5", "2,25", false, true},
        {">2,5", "2,25", false, false},
    };
    runTable(cases, std::size(cases));
}

TEST(FilterExpr, DateComparisons)
{
    {
        ScopedFormatSettings fs(euSettings());
        const Case cases[] = {
            {">01.02.2023", "15.02.2023", false, true},
            {">01.02.2023", "15.01.2023", false, false},
            {">=01.02.2023&<01.03.2023", "28.02.2023", false, true},
            {">=01.02.2023&<01.03.2023", "01.03.2023", false, false},
            {"<\"24.12.2023 18:00\"", "24.12.2023 17:59", false, true},
            {"<\"24.12.2023 18:00\"", "24.12.2023 18:01", false, false},
            {">9.1.2023", "10.1.2023", false, true},   // as dates, not as texts ("10" < "9.")
        };
        runTable(cases, std::size(cases));
    }
    {
        ScopedFormatSettings fs(usSettings());
        const Case cases[] = {
            {">1/31/2023", "2/1/2023", false, true},
            {"<1/31/2023", "12/1/2022", false, true},
            {"<1/31/2023", "12/1/2023", false, false},
        };
        runTable(cases, std::size(cases));
    }
}

TEST(FilterExpr, HelperRoutines)
{
    ScopedFormatSettings fs(euSettings());
    EXPECT_EQ(StripBlanksOutsideQuotes(QStringLiteral(" a b \"c d\" e ")), QStringLiteral("ab\"c d\"e"));
    int pos = 0;
    EXPECT_EQ(FindCharOutsideQuotes(QStringLiteral("&|"), QStringLiteral("\"a&b\"|c"), pos), QLatin1Char('|'));
    EXPECT_EQ(pos, 6);
    EXPECT_TRUE(FindCharOutsideQuotes(QStringLiteral("&|"), QStringLiteral("\"a&b\""), pos).isNull());
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(ClosingParenPos(QStringLiteral("(a(b)c)d")), 7);
    EXPECT_EQ(ClosingParenPos(QStringLiteral("(a(b)c")), 0);
    EXPECT_EQ(ClosingParenPos(QStringLiteral("abc")), 0);
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1.234,5")), QStringLiteral("1234.5"));
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("A?C"), QStringLiteral("ABC")));
    EXPECT_FALSE(MatchFilterExpression(QStringLiteral("a?c"), QStringLiteral("ABC")));
    EXPECT_TRUE(MatchFilterTerm(QStringLiteral("a?c"), QStringLiteral("ABC"), false));
}

TEST(FilterExpr, CompoundTermsGivenDirectly)
{
    ScopedFormatSettings fs(usSettings());
    struct Expr { const char *term; const char *value; bool expected; };
    const Expr cases[] = {
        {">5&<10", "7", true},    // both tests ran: and
        {">5&<10", "12", false},
        {">5&<10", "3", false},
        {">5^<3", "1", true},     // one test ran with "^": or
        {">5^<3", "4", false},
        {"!<3", "5", true},       // negated pattern, relational test failed
    };
    for (const Expr &c : cases)
        EXPECT_EQ(MatchFilterExpression(QString::fromUtf8(c.term), QString::fromUtf8(c.value)), c.expected)
            << c.term << " / " << c.value;
}

TEST(FilterExpr, AConditionParsedOnceServesManyValues)
{
    ScopedFormatSettings fs(usSettings());
    const TFilterCondition c(QStringLiteral("(a* | *z) & !*x*"), false);
    const std::pair<const char *, bool> cases[] = {{"apple", true}, {"ABZ", true}, {"axe", false}, {"buzz", true}, {"bob", false}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(c.Matches(QString::fromUtf8(value)), expected) << value;
}

TEST(FilterExpr, AParsedConditionReadsNumbersWithTheSettingsOfTheMatch)
{
    std::unique_ptr<TFilterCondition> c;
    {
        ScopedFormatSettings fs(usSettings());
        c = std::make_unique<TFilterCondition>(QStringLiteral(">1,5"), true);
        EXPECT_FALSE(c->Matches(QStringLiteral("2"))) << "1,5 is fifteen here";
    }
    ScopedFormatSettings fs(euSettings());
    EXPECT_TRUE(c->Matches(QStringLiteral("2"))) << "and one and a half here";
}

TEST(FilterExpr, HostileConditionsFinishQuickly)
{
    ScopedFormatSettings fs(usSettings());
    // Many stars against a long value that nearly matches: exponential matching would never finish
    // within the test's time-out.
    const QString pattern = QString(QStringLiteral("*a")).repeated(40) + QStringLiteral("*b");
    const QString value = QString(200, QLatin1Char('a'));
    EXPECT_FALSE(MatchFilterCondition(pattern, value, false));
    // Deeply nested groups must not exhaust the stack.
    const QString nested = QString(100000, QLatin1Char('(')) + QStringLiteral("a") + QString(100000, QLatin1Char(')'));
    EXPECT_FALSE(MatchFilterCondition(nested, QStringLiteral("a"), false));
    EXPECT_TRUE(MatchFilterCondition(QString(50, QLatin1Char('(')) + QStringLiteral("a") + QString(50, QLatin1Char(')')),
                                     QStringLiteral("a"), false));
}
