#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"
#include "support/LocaleSettings.h"

#include <gtest/gtest.h>

using platform::FormatSettings;
using platform::ScopedFormatSettings;

namespace {

using testsupport::usSettings;
FormatSettings euSettings() { return testsupport::europeanSettings(); }

FormatSettings ukSettings()
{
    FormatSettings s = usSettings();
    s.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    return s;
}

TDateTime ymd(int y, int m, int d) { return EncodeDate(y, m, d); }

} // namespace

TEST(NumberDate, DateNumbersUseTheEpochOf30December1899)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2023, 12, 24), 45284.0);
    int y, m, d;
    DecodeDate(45284.75, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20231224);
    int h, mi, s, ms;
    DecodeTime(45284.75, h, mi, s, ms);
    EXPECT_EQ(h, 18);
    EXPECT_EQ(mi, 0);
    EXPECT_THROW(EncodeDate(2023, 4, 31), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);
    EXPECT_EQ(QDateTimeToDateTime(DateTimeToQDateTime(45284.5)), 45284.5);
}

TEST(NumberDate, ExtractNumericTextTable)
{
    struct Case { const char *in; const char *out; bool eu; };
    const Case cases[] = {
        {"(1.234,50)", "-1234.50", true},
        {"(1,234.50)", "-1234.50", false},
        {"EUR 12", "12", false},
        {"12 kg", "12", false},
        {" (12) ", "-12", false},
        {"", "", false},
        {"-5", "-5", false},
        {"$ -7", "-7", false},
        {"1,5", "1.5", true},
        {"1.234.567,8", "1234567.8", true},
        {"1,234,567.8", "1234567.8", false},
        {"1e5", "1e5", false},
        {"-", "-", false},
        {"abc", "", false},
    };
    for (const Case &c : cases) {
        ScopedFormatSettings fs(c.eu ? euSettings() : usSettings());
        EXPECT_EQ(ExtractNumericText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(NumberDate, ClassifyNumberTextTable)
{
    struct Case { const char *in; int kind; bool eu; };
    const Case cases[] = {
        {"12", 0, false},     {"-12", 0, false},     {"-", 0, false},        {"", 2, false},
        {"1.5", 1, false},    {"1,234", 1, false},   {"1,234,567.5", 1, false},
        {"1,23,4", 2, false}, {"1e5", 5, false},     {"-1e-5", 5, false},    {"1E+5", 5, false},
        {"1-2", 2, false},    {"abc", 2, false},     {"1.2.3", 2, false},    {"--1", 2, false},
        {"e5", 2, false},     {"1e", 2, false},      {"1e5e5", 2, false},    {"1,5e3", 2, false},
        {"1,5", 1, true},     {"1.5", 1, true},      {"1.234,5", 1, true},   {"1,2,3", 2, true},
        {"12 ", 2, false},
    };
    for (const Case &c : cases) {
        ScopedFormatSettings fs(c.eu ? euSettings() : usSettings());
        EXPECT_EQ(int(ClassifyNumberText(QString::fromUtf8(c.in))), c.kind) << c.in << (c.eu ? " (eu)" : " (us)");
    }
}

TEST(NumberDate, CharacterClasses)
{
    ScopedFormatSettings fs(euSettings());
    EXPECT_TRUE(IsDigitChar(QLatin1Char('7')));
    EXPECT_TRUE(IsDigitChar(QChar(0x0663)));   // Arabic-Indic three
    EXPECT_FALSE(IsDigitChar(QLatin1Char('a')));
    EXPECT_TRUE(IsDigitOrMinus(QLatin1Char('-')));
    EXPECT_TRUE(IsNumberChar(QLatin1Char(',')));
    EXPECT_TRUE(IsNumberChar(QLatin1Char('.')));
    EXPECT_TRUE(IsNumberChar(QLatin1Char('E')));
    EXPECT_FALSE(IsNumberChar(QLatin1Char('+')));
    EXPECT_TRUE(IsSignedNumberChar(QLatin1Char('+')));
    EXPECT_TRUE(IsPlainNumberChar(QLatin1Char('.')));
    EXPECT_FALSE(IsPlainNumberChar(QLatin1Char(',')));
    EXPECT_EQ(LocaleDecimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(LocaleShortDateFormat(), QStringLiteral("dd.MM.yyyy"));
}

TEST(NumberDate, LocaleSettingsAreReadAtTheMomentOfUse)
{
    {
        ScopedFormatSettings fs(usSettings());
        EXPECT_EQ(int(ClassifyNumberText(QStringLiteral("1,5"))), 1); // thousand separator
        EXPECT_EQ(ExtractNumericText(QStringLiteral("1,5")), QStringLiteral("15"));
    }
    {
        ScopedFormatSettings fs(euSettings());
        EXPECT_EQ(ExtractNumericText(QStringLiteral("1,5")), QStringLiteral("1.5"));
    }
}

TEST(NumberDate, ParseLocaleDateTimeDayMonthOrder)
{
    ScopedFormatSettings fs(euSettings());
    TDateTime d = -1;
    EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("24.12.2023 18:30"), d));
    EXPECT_DOUBLE_EQ(d, ymd(2023, 12, 24) + EncodeTime(18, 30, 0));
    EXPECT_FALSE(ParseLocaleDateTime(QStringLiteral("24.12.2023 1830"), d));
    EXPECT_DOUBLE_EQ(d, ymd(2023, 12, 24));   // the date is kept, the time is not
    EXPECT_FALSE(ParseLocaleDateTime(QStringLiteral("32.1.2023"), d));
    EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("1.2.2023"), d));
    EXPECT_DOUBLE_EQ(d, ymd(2023, 2, 1));
    EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("1.2.2023 7:05:09"), d));
    EXPECT_DOUBLE_EQ(d, ymd(2023, 2, 1) + EncodeTime(7, 5, 9));

    struct Bad { const char *text; };
    const Bad bad[] = {{"31.04.2023"}, {"1.13.2023"}, {"1.2"}, {"x.2.2023"}, {"1.2.2023 24:00"},
                       {"1.2.2023 10:60"}, {"1.2.2023 10:00:61"}, {""}, {"29.02.2023"}, {"1.2.2023 a:b"}};
    for (const Bad &b : bad) {
        TDateTime x = 0;
        EXPECT_FALSE(ParseLocaleDateTime(QString::fromUtf8(b.text), x)) << b.text;
    }
    EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("29.02.2024"), d));
}

TEST(NumberDate, ParseLocaleDateTimeMonthDayAndYearFirstOrders)
{
    {
        ScopedFormatSettings fs(usSettings());
        TDateTime d = 0;
        EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("12/24/2023"), d));
        EXPECT_DOUBLE_EQ(d, ymd(2023, 12, 24));
        EXPECT_FALSE(ParseLocaleDateTime(QStringLiteral("24/12/2023"), d));
    }
    {
        ScopedFormatSettings fs(ukSettings());
        TDateTime d = 0;
        EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("24/12/2023"), d));
        EXPECT_DOUBLE_EQ(d, ymd(2023, 12, 24));
    }
    {
        FormatSettings iso = usSettings();
        iso.dateSeparator = QLatin1Char('-');
        iso.shortDateFormat = QStringLiteral("yyyy-MM-dd");
        ScopedFormatSettings fs(iso);
        TDateTime d = 0;
        EXPECT_TRUE(ParseLocaleDateTime(QStringLiteral("2023-12-24 08:15"), d));
        EXPECT_DOUBLE_EQ(d, ymd(2023, 12, 24) + EncodeTime(8, 15, 0));
    }
}

TEST(NumberDate, FixedOrderDatesKeepFourDigitYears)
{
    struct Case { const char *text; bool mdy; int y, m, d; };
    const Case cases[] = {
        {"12/24/23", true, 2023, 12, 24},   {"12/24/2023", true, 2023, 12, 24},
        {"24/12/2023", false, 2023, 12, 24}, {"24.12.23", false, 2023, 12, 24},
        {"24-12-99", false, 1999, 12, 24},   {"1/2/25", true, 2025, 1, 2},
        {"1/2/26", true, 1926, 1, 2},        {"1/2/0", true, 2000, 1, 2},
        {"3.4.1850", false, 1850, 4, 3},     {"24.12-2023", false, 0, 0, 0},
        {"12/24", true, 0, 0, 0},            {"abc", true, 0, 0, 0},
        {"a/b/c", true, 0, 0, 0},            {"12/24/2023 10:00", true, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const QString t = QString::fromUtf8(c.text);
        const TDateTime got = c.mdy ? ParseDateMDY(t) : ParseDateDMY(t);
        const TDateTime want = c.y ? ymd(c.y, c.m, c.d) : 0;
        EXPECT_DOUBLE_EQ(got, want) << c.text;
    }
    EXPECT_THROW(ParseDateMDY(QStringLiteral("13/1/2023")), EConvertError);
    EXPECT_THROW(ParseDateDMY(QStringLiteral("31/4/2023")), EConvertError);
    EXPECT_THROW(ParseDateDMY(QStringLiteral("1/1/12000")), EConvertError);
}

TEST(NumberDate, IncDateByStepsCalendarMonthsAndYears)
{
    struct Case { int years, months, days; int y, m, d; double inc; int ry, rm, rd; };
    const Case cases[] = {
        {0, 1, 0, 2023, 12, 15, 0, 2024, 1, 15},
        {0, 1, 0, 2024, 1, 29, 0, 2024, 2, 29},
        {0, -1, 0, 2024, 1, 15, 0, 2023, 12, 15},
        {0, -1, 0, 2024, 3, 29, 0, 2024, 2, 29},
        {0, 25, 0, 2023, 11, 30, 0, 2025, 12, 30},
        {0, -13, 0, 2023, 1, 10, 0, 2021, 12, 10},
        {-4, 0, 0, 2024, 2, 29, 0, 2020, 2, 29},
        {0, 0, 10, 2023, 12, 25, 0, 2024, 1, 4},
        {0, 0, -1, 2024, 1, 1, 0, 2023, 12, 31},
        {1, 1, 0, 2023, 1, 1, 7, 2023, 1, 8},   // a mixed step uses the increment
        {0, 0, 0, 2023, 1, 1, 2, 2023, 1, 3},
    };
    for (const Case &c : cases) {
        const TDateTime got = IncDateBy(c.years, c.months, c.days, ymd(c.y, c.m, c.d), c.inc);
        EXPECT_DOUBLE_EQ(got, ymd(c.ry, c.rm, c.rd))
            << c.years << "y " << c.months << "m " << c.days << "d from " << c.y << "-" << c.m << "-" << c.d;
    }
    // The time of day goes along.
    EXPECT_DOUBLE_EQ(IncDateBy(0, 1, 0, ymd(2023, 5, 5) + 0.25, 0), ymd(2023, 6, 5) + 0.25);
}

TEST(NumberDate, IncDateByToADayTheTargetMonthLacksIsAConversionError)
{
    // The series fill stops at such a day instead of drifting to the month's end.
    struct Case { int years, months; int y, m, d; };
    const Case cases[] = {
        {0, 1, 2024, 1, 31}, {0, 1, 2023, 1, 31}, {0, -1, 2024, 3, 31}, {0, 2, 2023, 7, 31},
        {1, 0, 2024, 2, 29}, {0, 1, 9999, 12, 1},
    };
    for (const Case &c : cases)
        EXPECT_THROW(IncDateBy(c.years, c.months, 0, ymd(c.y, c.m, c.d), 0), EConvertError)
            << c.years << "y " << c.months << "m from " << c.y << "-" << c.m << "-" << c.d;
}

TEST(NumberDate, LooksLikeDateTable)
{
    ScopedFormatSettings fs(usSettings());
    struct Case { const char *text; bool yes; };
    const Case cases[] = {{"1/2/3", true}, {"/1/2", false}, {"1//2", false}, {"12/24/2023", true},
                          {"1/2", false},  {"", false},     {"12.1.2", false}, {"a/b/c", true}};
    for (const Case &c : cases) EXPECT_EQ(LooksLikeDate(QString::fromUtf8(c.text)), c.yes) << c.text;
}

TEST(NumberDate, ClampToLimitsTable)
{
    struct Case { int v, lo, hi, want; };
    const Case cases[] = {
        {5, 10, 20, 10},   {25, 10, 20, 20},  {15, 10, 20, 15}, {5, 0, 20, 5},     {25, 0, 20, 20},
        {5, 10, 0, 10},    {500, 10, 0, 500}, {7, 7, 7, 7},     {-100, 3, 3, -100},
        // only positive limits count (sizes)
        {-50, -10, 20, -50}, {-5, -10, 20, -5}, {30, -10, 20, 20}, {-50, -10, 0, -50},
        {-50, -40, -20, -50}, {-10, -40, -20, -10},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClampToLimits(c.v, c.lo, c.hi), c.want) << c.v << " in " << c.lo << ".." << c.hi;
    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMin(-3, 2), -3);
}

TEST(NumberDate, IntegerTextConversion)
{
    struct Case { const char *text; bool ok; int v; };
    const Case cases[] = {{"12", true, 12},   {"  -7", true, -7},  {"+3", true, 3},   {"$1F", true, 31},
                          {"0x10", true, 16}, {"X10", true, 16},  {"12 ", false, 0}, {"", false, 0},
                          {"-", false, 0},    {"1e3", false, 0},  {"2147483648", false, 0},
                          {"-2147483648", true, int(0x80000000u)}, {"$FFFFFFFF", true, -1}};
    for (const Case &c : cases) {
        int v = 0;
        EXPECT_EQ(TryTextToInt(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(v, c.v) << c.text;
    }
}

TEST(NumberDate, DateTextsFollowTheShortDateFormat)
{
    const TDateTime d = ymd(2023, 2, 5) + EncodeTime(7, 8, 9);
    {
        ScopedFormatSettings fs(usSettings());
        EXPECT_EQ(DateToStr(d), QStringLiteral("2/5/2023"));
        EXPECT_EQ(TimeToStr(d), QStringLiteral("07:08:09"));
        EXPECT_EQ(DateTimeToStr(d), QStringLiteral("2/5/2023 07:08:09"));
        EXPECT_EQ(DateTimeToStr(ymd(2023, 2, 5)), QStringLiteral("2/5/2023"));
        TDateTime back = 0;
        EXPECT_TRUE(ParseLocaleDateTime(DateTimeToStr(d), back));
        EXPECT_NEAR(back, d, 1e-9);
    }
    {
        ScopedFormatSettings fs(euSettings());
        EXPECT_EQ(DateToStr(d), QStringLiteral("05.02.2023"));
        TDateTime back = 0;
        EXPECT_TRUE(ParseLocaleDateTime(DateTimeToStr(d), back));
        EXPECT_NEAR(back, d, 1e-9);
    }
}
