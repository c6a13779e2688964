// Editor kit: the texts and values the editors build on the grid's number and date routines,
// and the shared button colour choices.
#include <QKeyEvent>

#include "grid/base/EditorKit.h"
#include "grid/base/NumberDate.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::germanSettings;
using editortest::usSettings;

TEST(EditorKit, TimeOfDayConversionsAgreeWithTheDateSplit)
{
    // Before the epoch the fraction still counts forward from midnight.
    const TDateTime before = EncodeDate(1850, 6, 1) - 0.25;
    EXPECT_EQ(DateTimeToQDate(before), QDate(1850, 6, 1));
    EXPECT_EQ(DateTimeToQTime(before), QTime(6, 0));
    EXPECT_EQ(encodeDateTime(QDate(1850, 6, 1), QTime(6, 0)), before);
    EXPECT_EQ(encodeDateTime(QDate(2023, 12, 24), QTime()), EncodeDate(2023, 12, 24)) << "no time: midnight";
    EXPECT_EQ(QTimeToDateTime(QTime()), 0.0);
    EXPECT_EQ(QTimeToDateTime(QTime(18, 0)), 0.75);

    // A fraction that rounds to a whole day moves date and time together.
    const TDateTime almost = EncodeDate(2023, 12, 24) + 0.9999999999;
    EXPECT_EQ(DateTimeToQDate(almost), QDate(2023, 12, 25));
    EXPECT_EQ(DateTimeToQTime(almost), QTime(0, 0));
}

TEST(EditorKit, ShortDateTextsFollowTheGivenSettings)
{
    const TDateTime d = EncodeDate(2023, 2, 5);
    platform::FormatSettings fs = germanSettings();
    EXPECT_EQ(DateToStr(d, fs), QStringLiteral("05.02.2023"));
    EXPECT_EQ(DateToStr(d, fs), DateToStr(d, fs));
    // The settings in force do not leak into an explicit call.
    platform::ScopedFormatSettings scoped(usSettings());
    EXPECT_EQ(DateToStr(d), QStringLiteral("2/5/2023"));
    EXPECT_EQ(DateToStr(d, fs), QStringLiteral("05.02.2023"));

    struct Case { const char *pattern; const char *text; };
    const Case cases[] = {
        {"dd-MMM-yy", "05-Feb-23"},
        {"dddd, MMMM d, yyyy", "Sunday, February 5, 2023"},
        {"ddd d/M", "Sun 5.2"},
        {"yyyy'y'MM", "2023y02"},
    };
    for (const Case &c : cases) {
        fs.shortDateFormat = QString::fromLatin1(c.pattern);
        EXPECT_EQ(DateToStr(d, fs), QString::fromLatin1(c.text)) << c.pattern;
    }
}

TEST(EditorKit, FloatTextsTakeOnlyTheLocaleDecimalSeparator)
{
    struct Case { const char *text; bool ok; double value; };
    const Case german[] = {
        {"1,5", true, 1.5}, {" -2,25e2 ", true, -225}, {",5", true, 0.5}, {"1.5", false, 0},
        {"1,5,0", false, 0}, {"", false, 0}, {"1e", false, 0}, {"e5", false, 0}, {"1e999", false, 0},
    };
    for (const Case &c : german) {
        double v = -1;
        EXPECT_EQ(tryParseFloat(QString::fromLatin1(c.text), germanSettings(), v), c.ok) << c.text;
        if (c.ok) EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    double v = 0;
    EXPECT_TRUE(tryParseFloat(QStringLiteral("1.5E-3"), usSettings(), v));
    EXPECT_DOUBLE_EQ(v, 0.0015);
    EXPECT_FALSE(tryParseFloat(QStringLiteral("1,5"), usSettings(), v)) << "a thousand separator is no number";
    EXPECT_EQ(floatText(0.0015, 0, germanSettings()), QStringLiteral("0,0015"));
    EXPECT_EQ(floatText(1e20, 0, usSettings()), QStringLiteral("1E20"));
}

TEST(EditorKit, ButtonColourChoices)
{
    ButtonColors c;
    c.ButtonColor = RGBColor(1, 1, 1);
    EXPECT_EQ(c.DropButtonFill(true, true), RGBColor(1, 1, 1)) << "only the colours that are set";
    EXPECT_EQ(c.DropButtonText(true), clBlack);
    EXPECT_EQ(c.SpeedButtonFill(true, false), clNone) << "a speed button leaves the choice to its painter";
    c.ButtonColorHot = RGBColor(2, 2, 2);
    c.ButtonColorDown = RGBColor(3, 3, 3);
    c.ButtonTextColor = RGBColor(4, 4, 4);
    c.ButtonTextColorDown = RGBColor(5, 5, 5);
    EXPECT_EQ(c.DropButtonFill(false, true), RGBColor(1, 1, 1)) << "a button down elsewhere is not this one";
    EXPECT_EQ(c.DropButtonFill(true, false), RGBColor(2, 2, 2));
    EXPECT_EQ(c.DropButtonFill(true, true), RGBColor(3, 3, 3));
    EXPECT_EQ(c.DropButtonText(false), RGBColor(4, 4, 4));
    EXPECT_EQ(c.DropButtonText(true), RGBColor(5, 5, 5));
    EXPECT_EQ(c.SpeedButtonFill(true, false), RGBColor(3, 3, 3));
    EXPECT_EQ(c.SpeedButtonFill(false, true), RGBColor(2, 2, 2));
    EXPECT_EQ(c.SpeedButtonFill(false, false), RGBColor(1, 1, 1));
}

TEST(EditorKit, SystemColoursFollowThePaletteOtherColoursTheGridTable)
{
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(10, 20, 30));
    EXPECT_EQ(toQColor(clWindow, pal), QColor(10, 20, 30));
    EXPECT_EQ(toQColor(RGBColor(1, 2, 3), pal), ToQColor(RGBColor(1, 2, 3)));
    EXPECT_EQ(toQColor(clNone, pal).alpha(), 0);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGBColor(1, 2, 3));
}

TEST(EditorKit, OnlyTabAndBacktabPressesAreClaimable)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QKeyEvent tabUp(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(tabKeyPress(&tab), &tab);
    EXPECT_EQ(tabKeyPress(&backtab), &backtab);
    EXPECT_EQ(tabKeyPress(&tabUp), nullptr);
    EXPECT_EQ(tabKeyPress(&enter), nullptr);
}
