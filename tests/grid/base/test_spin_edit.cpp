// Spin edit: values and their text forms, stepping, typed keys, arrow buttons and repeat.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QClipboard>
#include <limits>
#include <stdexcept>

#include "grid/base/SpinEdit.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::EditorTest;

namespace {

class SpinEditTest : public EditorTest {};

TDateTime date(int y, int m, int d)
{
    TDateTime v = 0;
    EXPECT_TRUE(TryEncodeDate(y, m, d, v));
    return v;
}

TDateTime hms(int h, int n, int s)
{
    TDateTime v = 0;
    EXPECT_TRUE(TryEncodeTime(h, n, s, 0, v));
    return v;
}

// Types one character through the key path.
void typeChar(QWidget *w, QChar c, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent ev(QEvent::KeyPress, c == QLatin1Char('.') ? int(Qt::Key_Period) : 0, mods, QString(c));
    QApplication::sendEvent(w, &ev);
}

} // namespace

TEST_F(SpinEditTest, DefaultsAndIntegerTextForms)
{
    TNsgSpinEdit e;
    EXPECT_EQ(e.text(), "0");
    EXPECT_EQ(e.SpinType(), sptNormal);
    EXPECT_EQ(e.MinValue(), 0);
    EXPECT_EQ(e.MaxValue(), 100);
    EXPECT_EQ(e.Increment(), 1);
    EXPECT_DOUBLE_EQ(e.IncrementFloat(), 0.1);
    EXPECT_DOUBLE_EQ(e.IncrementFloatPage(), 1.0);
    EXPECT_TRUE(e.ShowSeconds());
    EXPECT_TRUE(e.EditorEnabled());
    EXPECT_EQ(e.Button()->Direction(), spVertical);

    e.SetMinValue(5);
    struct Case { const char *text; int value; } cases[] = {
        {"", 0}, {"  42 ", 42}, {"-7", -7}, {"$1F", 31}, {"0x10", 16}, {"abc", 5}, {"12a", 5}, {"99999999999", 5},
    };
    for (const auto &c : cases) {
        e.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(e.Value(), c.value) << c.text;
    }
    e.SetValue(500);
    EXPECT_EQ(e.text(), "100");
    e.SetValue(-3);
    EXPECT_EQ(e.text(), "5");
}

TEST_F(SpinEditTest, EqualLimitsMeanNoLimit)
{
    TNsgSpinEdit e;
    e.SetMinValue(0);
    e.SetMaxValue(0);
    e.SetValue(1000);
    EXPECT_EQ(e.Value(), 1000);
    for (int i = 0; i < 3; ++i) e.IncrementValue(false);
    EXPECT_EQ(e.Value(), 1003);
    e.SetValue(-2);
    e.DecrementValue(false);
    EXPECT_EQ(e.Value(), -3);
}

TEST_F(SpinEditTest, ReversedLimitsClampLowerFirstAndNeverCrash)
{
    // Below the lower limit gives the lower, above the upper gives the upper, in that order.
    TNsgSpinEdit e;
    e.SetMinValue(10);
    e.SetMaxValue(5);
    struct Case { int in, out; } ints[] = {{3, 10}, {7, 10}, {12, 5}};
    for (const Case &c : ints) {
        e.SetValue(c.in);
        EXPECT_EQ(e.Value(), c.out) << c.in;
    }
    e.SetSpinType(sptFloat);
    e.SetMinFloatValue(10.5);
    e.SetMaxFloatValue(5.5);
    struct FCase { double in; const char *out; } floats[] = {{3, "10.5"}, {7, "10.5"}, {12, "5.5"}};
    for (const FCase &c : floats) {
        e.SetFloatValue(c.in);
        EXPECT_EQ(e.text(), QString::fromLatin1(c.out)) << c.in;
    }
    e.IncrementValue(false);
    e.DecrementValue(true);
    EXPECT_FALSE(e.text().isEmpty());
}

TEST_F(SpinEditTest, StepsStopAtTheIntegerRangeWithoutLimits)
{
    TNsgSpinEdit e;
    e.SetMinValue(0);
    e.SetMaxValue(0);
    e.SetValue(std::numeric_limits<int>::max());
    e.IncrementValue(false);
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::max());
    e.SetValue(std::numeric_limits<int>::min());
    e.DecrementValue(false);
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::min());
    // A large increment near the end, and through the keys.
    e.SetIncrement(std::numeric_limits<int>::max());
    e.SetValue(5);
    showActive(&e);
    QTest::keyClick(&e, Qt::Key_Up);
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::max());
    e.SetValue(-5);
    QTest::keyClick(&e, Qt::Key_Down);
    QTest::keyClick(&e, Qt::Key_Down);
    EXPECT_EQ(e.Value(), std::numeric_limits<int>::min());
}

TEST_F(SpinEditTest, FloatTextKeepsFifteenSignificantDigits)
{
    struct Case { double v; int precision; const char *text; };
    const Case cases[] = {
        {0.1 + 0.2, 17, "0.30000000000000000"},
        {0.1 + 0.2, 2, "0.30"},
        {1.0 / 3.0, 18, "0.333333333333333000"},
        {2.0 / 3.0, 3, "0.667"},
        {-0.004, 2, "0.00"},
        {-1.005, 1, "-1.0"},
        {9.999, 2, "10.00"},
        {123456789012345.0, 2, "123456789012345.00"},
        {1e20, 2, "1E20"},
        {-1e20, 4, "-1E20"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(floatText(c.v, c.precision, editortest::usSettings()), QString::fromLatin1(c.text)) << c.v << " / " << c.precision;

    TNsgSpinEdit e;
    e.SetSpinType(sptFloat);
    e.SetMinFloatValue(0);
    e.SetMaxFloatValue(0); // no limits
    e.SetPrecision(17);
    e.SetFloatValue(0.1 + 0.2);
    EXPECT_EQ(e.text(), "0.30000000000000000");
    e.SetPrecision(2);
    e.SetFloatValue(1e20);
    EXPECT_EQ(e.text(), "1E20");
    EXPECT_DOUBLE_EQ(e.FloatValue(), 1e20) << "the text reads back";
}

TEST_F(SpinEditTest, DateStepsNeverLeaveTheYearsOneTo9999)
{
    struct Case { const char *start; int caret; int dir; };
    const Case cases[] = {
        {"12/31/9999", 3, 1}, {"12/31/9999", 0, 1}, {"6/15/9999", 7, 1},
        {"1/1/0001", 2, -1},  {"1/1/0001", 0, -1},  {"6/15/0001", 7, -1},
    };
    for (const Case &c : cases) {
        TNsgSpinEdit e;
        e.setText(QString::fromLatin1(c.start));
        e.SetSpinType(sptDate);
        const QString before = e.text();
        const TDateTime value = e.DateValue();
        e.setCursorPosition(c.caret);
        beeps = 0;
        if (c.dir > 0) e.IncrementValue(false);
        else e.DecrementValue(false);
        EXPECT_EQ(e.text(), before) << c.start << " caret " << c.caret;
        EXPECT_DOUBLE_EQ(e.DateValue(), value) << c.start << ": the value still reads back";
        EXPECT_EQ(beeps, 1) << c.start;
    }
}

TEST_F(SpinEditTest, FloatTextFormsAndFallback)
{
    TNsgSpinEdit e;
    e.SetSpinType(sptFloat);
    e.SetFloatValue(2.5);
    EXPECT_EQ(e.text(), "2.5");
    e.SetPrecision(2);
    EXPECT_EQ(e.text(), "2.50");
    e.SetFloatValue(1000); // clamped to MaxFloatValue
    EXPECT_EQ(e.text(), "100.00");
    // A text that is no number reads as the integer lower limit.
    e.SetMinValue(3);
    e.setText("abc");
    EXPECT_DOUBLE_EQ(e.FloatValue(), 3.0);
    e.SetMinValue(0);
    e.setText("1,5");
    EXPECT_DOUBLE_EQ(e.FloatValue(), 0.0);

    useSettings(editortest::germanSettings());
    e.setText("1,5");
    EXPECT_DOUBLE_EQ(e.FloatValue(), 1.5);
    e.SetPrecision(0);
    e.SetFloatValue(0.25);
    EXPECT_EQ(e.text(), "0,25");
    e.IncrementValue(true);
    EXPECT_EQ(e.text(), "1,25");
    e.DecrementValue(false);
    EXPECT_EQ(e.text(), "1,15");
}

TEST_F(SpinEditTest, SpinTypeRewritesValueInNewForm)
{
    TNsgSpinEdit e;
    e.setText(" 7 ");
    e.SetSpinType(sptNormal);
    EXPECT_EQ(e.text(), "7");
    e.SetPrecision(1);
    e.SetSpinType(sptFloat);
    EXPECT_EQ(e.text(), "7.0");
    e.setText("13:5");
    e.SetSpinType(sptTime);
    EXPECT_EQ(e.text(), "13:05:00");
    e.SetShowSeconds(false);
    e.SetSpinType(sptTime);
    EXPECT_EQ(e.text(), "13:05");
    e.SetTimeValue(hms(9, 3, 0));
    EXPECT_EQ(e.text(), "9:03");
}

TEST_F(SpinEditTest, DateZeroTextReadsAsToday)
{
    TNsgSpinEdit e;
    e.SetSpinType(sptDate); // text "0" reads as now
    EXPECT_EQ(e.text(), DateToStr(nowValue(), platform::FormatSettings::current()));
    e.setText("");
    EXPECT_EQ(DateTimeToQDate(e.DateValue()), QDate::currentDate());
    e.SetMinDateValue(date(2020, 1, 1));
    e.setText("not a date");
    EXPECT_EQ(e.DateValue(), date(2020, 1, 1));
}

TEST_F(SpinEditTest, DateStepsTheFieldUnderTheCaret)
{
    struct Case {
        bool german;
        const char *start;
        int caret;
        int dir;
        const char *expect;
    } cases[] = {
        {false, "1/31/2024", 0, 1, "2/29/2024"},   // month, day clipped to February
        {false, "1/31/2024", 2, 1, "2/1/2024"},    // day
        {false, "1/31/2024", 6, -1, "1/31/2023"},  // year
        {false, "3/1/2024", 2, -1, "2/29/2024"},
        {true, "31.01.2024", 0, 1, "01.02.2024"},  // day first in d.M.y
        {true, "31.01.2024", 3, 1, "29.02.2024"},  // month
        {true, "31.01.2024", 7, 1, "31.01.2025"},
        {true, "15.06.2024", 10, -1, "15.06.2023"},
    };
    for (const auto &c : cases) {
        useSettings(c.german ? editortest::germanSettings() : editortest::usSettings());
        TNsgSpinEdit e;
        e.setText(QString::fromLatin1(c.start));
        e.SetSpinType(sptDate);
        e.setCursorPosition(c.caret);
        if (c.dir > 0) e.IncrementValue(false);
        else e.DecrementValue(false);
        EXPECT_EQ(e.text(), QString::fromLatin1(c.expect)) << c.start << " caret " << c.caret;
        EXPECT_EQ(e.UsDates(), !c.german);
        EXPECT_EQ(e.cursorPosition(), c.caret) << "caret kept";
    }
}

TEST_F(SpinEditTest, DateYearStepFromLeapDayBeepsAndKeepsValue)
{
    TNsgSpinEdit e;
    e.setText("2/29/2024");
    e.SetSpinType(sptDate);
    e.setCursorPosition(8);
    e.IncrementValue(false);
    EXPECT_EQ(e.text(), "2/29/2024");
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinEditTest, DateLimitsClampSteps)
{
    TNsgSpinEdit e;
    e.SetMinDateValue(date(2024, 1, 1));
    e.SetMaxDateValue(date(2024, 12, 31));
    e.SetSpinType(sptDate);
    e.SetDateValue(date(2024, 12, 31));
    e.setCursorPosition(3);
    e.IncrementValue(false);
    EXPECT_EQ(e.text(), "12/31/2024");
    e.SetDateValue(date(2030, 5, 5));
    EXPECT_EQ(e.text(), "12/31/2024");
}

TEST_F(SpinEditTest, DateTextWithoutSeparatorStepsYear)
{
    TNsgSpinEdit e;
    e.SetSpinType(sptDate);
    // An unparsable text without separators reads as MinDateValue and steps its year.
    e.SetMinDateValue(date(2024, 3, 5));
    e.SetMaxDateValue(date(2030, 1, 1));
    e.setText("2024");
    e.setCursorPosition(0);
    e.IncrementValue(false);
    EXPECT_EQ(e.text(), "3/5/2025");
}

TEST_F(SpinEditTest, TimeStepsWrapAroundMidnight)
{
    struct Case { const char *start; int caret; int dir; bool seconds; const char *expect; } cases[] = {
        {"00:30:00", 0, -1, true, "23:30:00"},
        {"23:30:00", 1, 1, true, "00:30:00"},
        {"10:59:00", 3, 1, true, "11:00:00"},
        {"10:00:59", 6, 1, true, "10:01:00"},
        {"10:00", 3, 1, true, "10:00:01"},   // one separator, caret after it: seconds
        {"10:00", 3, 1, false, "10:01"},
        {"0:05", 0, -1, false, "23:05"},
    };
    for (const auto &c : cases) {
        TNsgSpinEdit e;
        e.SetShowSeconds(c.seconds);
        e.SetSpinType(sptTime);
        e.setText(QString::fromLatin1(c.start));
        e.setCursorPosition(c.caret);
        if (c.dir > 0) e.IncrementValue(false);
        else e.DecrementValue(false);
        EXPECT_EQ(e.text(), QString::fromLatin1(c.expect)) << c.start << " caret " << c.caret;
    }
}

TEST_F(SpinEditTest, TimeStepOfADayOrMoreBeepsAndKeepsValue)
{
    TNsgSpinEdit e;
    e.SetSpinType(sptTime);
    e.SetTimeValue(hms(8, 0, 0));
    e.SetIncrementHours(24);
    e.setCursorPosition(0);
    e.IncrementValue(false);
    EXPECT_EQ(e.text(), "08:00:00");
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinEditTest, ReadOnlyStepBeepsOnly)
{
    TNsgSpinEdit e;
    e.setReadOnly(true);
    e.SetValue(4);
    e.IncrementValue(false);
    e.DecrementValue(true);
    EXPECT_EQ(e.Value(), 4);
    EXPECT_EQ(beeps, 2);
}

TEST_F(SpinEditTest, IsValidKeyRules)
{
    struct Case {
        TNsgSpinType type;
        const char *text;
        int caret;
        int selLen;
        int precision;
        bool editorEnabled;
        char16_t key;
        bool valid;
    } cases[] = {
        {sptNormal, "12", 2, 0, 0, true, u'5', true},
        {sptNormal, "12", 2, 0, 0, true, u'a', false},
        {sptNormal, "12", 2, 0, 0, true, 27, false},     // Escape
        {sptNormal, "12", 2, 0, 0, true, 9, false},      // Tab
        {sptNormal, "12", 2, 0, 0, true, 8, true},       // Backspace
        {sptNormal, "12", 2, 0, 0, false, 8, false},
        {sptNormal, "12", 2, 0, 0, false, u'5', false},
        {sptNormal, "12", 0, 0, 0, true, u'-', true},
        {sptNormal, "12", 1, 0, 0, true, u'-', false},   // not at the start
        {sptNormal, "-12", 0, 0, 0, true, u'-', false},  // already there
        {sptNormal, "-12", 0, 1, 0, true, u'-', true},   // selection holds it
        {sptNormal, "12", 2, 0, 0, true, u'.', false},
        {sptNormal, "12", 2, 0, 0, true, u':', false},
        {sptFloat, "1.25", 4, 0, 2, true, u'3', false},  // decimals full
        {sptFloat, "1.25", 1, 0, 2, true, u'3', true},   // before the point
        {sptFloat, "1.25", 3, 1, 2, true, u'3', true},   // replaces a selected decimal
        {sptFloat, "1.2", 3, 0, 2, true, u'3', true},
        {sptFloat, "1.2", 3, 0, 0, true, u'.', false},   // second separator
        {sptFloat, "1.2", 1, 1, 0, true, u'.', true},    // selection holds it
        {sptFloat, "1", 1, 0, 0, true, u',', false},     // thousand separator
        {sptFloat, "1", 1, 0, 0, true, 3, true},         // Ctrl+C
        {sptFloat, "1", 1, 0, 0, true, 13, false},       // Enter
        {sptTime, "10:00", 5, 0, 0, true, u':', true},
        {sptTime, "10:00:00", 8, 0, 0, true, u':', false},
        {sptTime, "10:00", 5, 0, 0, true, u'/', false},
        {sptDate, "1/2", 3, 0, 0, true, u'/', true},
        {sptDate, "1/2", 3, 0, 0, true, u':', false},
        {sptDate, "1/2", 3, 0, 0, true, u'x', false},
    };
    for (const auto &c : cases) {
        TNsgSpinEdit e;
        e.SetSpinType(c.type);
        e.SetPrecision(c.precision);
        e.SetEditorEnabled(c.editorEnabled);
        e.setText(QString::fromLatin1(c.text));
        if (c.selLen > 0) e.setSelection(c.caret, c.selLen);
        else e.setCursorPosition(c.caret);
        EXPECT_EQ(e.IsValidKey(QChar(c.key)), c.valid)
            << "type " << int(c.type) << " text " << c.text << " key " << int(c.key);
    }
}

TEST_F(SpinEditTest, RefusedCharactersBeepAndAreDropped)
{
    TNsgSpinEdit e;
    e.resize(120, 24);
    e.setText("12");
    e.setCursorPosition(2);
    QTest::keyClick(&e, Qt::Key_A);
    QTest::keyClick(&e, Qt::Key_Escape);
    EXPECT_EQ(e.text(), "12");
    EXPECT_EQ(beeps, 2);
    QTest::keyClick(&e, Qt::Key_3);
    EXPECT_EQ(e.text(), "123");
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), "12");
    EXPECT_EQ(beeps, 2);
    // Ctrl+V is a control character an integer editor refuses.
    QApplication::clipboard()->setText("77");
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.text(), "12");
    EXPECT_EQ(beeps, 3);
}

TEST_F(SpinEditTest, ArrowAndPageKeysStepAndAreConsumed)
{
    TNsgSpinEdit e;
    int keyDowns = 0;
    e.OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) { ++keyDowns; };
    e.SetSpinType(sptFloat);
    e.SetFloatValue(5);
    QTest::keyClick(&e, Qt::Key_Up);
    EXPECT_EQ(e.text(), "5.1");
    QTest::keyClick(&e, Qt::Key_PageUp);
    EXPECT_EQ(e.text(), "6.1");
    QTest::keyClick(&e, Qt::Key_PageDown);
    QTest::keyClick(&e, Qt::Key_Down);
    EXPECT_EQ(e.text(), "5");
    EXPECT_EQ(keyDowns, 0);
    QTest::keyClick(&e, Qt::Key_Home);
    EXPECT_EQ(keyDowns, 1);
    EXPECT_EQ(e.cursorPosition(), 0);
}

TEST_F(SpinEditTest, KeypadPointTypesLocaleDecimalSeparator)
{
    useSettings(editortest::germanSettings());
    TNsgSpinEdit e;
    e.SetSpinType(sptFloat);
    e.setText("1");
    e.setCursorPosition(1);
    e.SetExcelStyleDecimalSeparator(true);
    typeChar(&e, QLatin1Char('.'), Qt::KeypadModifier);
    EXPECT_EQ(e.text(), "1,");
    e.setText("1");
    e.setCursorPosition(1);
    e.SetExcelStyleDecimalSeparator(false);
    typeChar(&e, QLatin1Char('.'), Qt::KeypadModifier); // "." is no separator here
    EXPECT_EQ(e.text(), "1");
    EXPECT_EQ(beeps, 1);
}

TEST_F(SpinEditTest, DeleteKeyAndPasteNeedEditorEnabled)
{
    TNsgSpinEdit e;
    e.SetSpinType(sptFloat);
    e.setText("12");
    e.SetEditorEnabled(false);
    e.setCursorPosition(0);
    QTest::keyClick(&e, Qt::Key_Delete);
    EXPECT_EQ(e.text(), "12");
    QApplication::clipboard()->setText("9");
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.text(), "12");
    e.SetEditorEnabled(true);
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.text(), "912");
}

TEST_F(SpinEditTest, ReturnIsTabMovesFocusOn)
{
    QWidget form;
    auto *e = new TNsgSpinEdit(&form);
    auto *next = new QLineEdit(&form);
    e->move(0, 0);
    next->move(0, 40);
    e->SetReturnIsTab(true);
    showActive(e);
    ASSERT_TRUE(e->hasFocus());
    QTest::keyClick(e, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(next->hasFocus());
}

TEST_F(SpinEditTest, FocusExitClampsOnlyWhenNeeded)
{
    QWidget form;
    auto *e = new TNsgSpinEdit(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 40);
    showActive(e);
    e->setText("abc"); // integer: unparsable text survives
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(e->text(), "abc");

    e->setFocus();
    e->setText("150");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(e->text(), "100");

    e->SetSpinType(sptFloat);
    e->SetMinFloatValue(1);
    e->setFocus();
    e->setText("abc"); // reads as MinValue 0, below the float limit
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(e->text(), "1");
}

TEST_F(SpinEditTest, FocusByKeyboardSelectsAll)
{
    QWidget form;
    auto *other = new QLineEdit(&form);
    auto *e = new TNsgSpinEdit(&form);
    e->move(0, 40);
    showActive(other);
    e->setText("123");
    e->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(e->selectedText(), "123");
}

TEST_F(SpinEditTest, ArrowButtonsStepAndRepeatWithInjectedTimer)
{
    QWidget form;
    auto *e = new TNsgSpinEdit(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 40);
    showActive(other);
    TNovaTimerSpeedButton *up = e->Button()->UpButton();
    TNovaTimerSpeedButton *down = e->Button()->DownButton();
    ASSERT_GT(up->height(), 3);

    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(e->Value(), 1);
    EXPECT_TRUE(e->hasFocus()) << "the arrow gives the edit the focus";

    QTest::mousePress(down, Qt::LeftButton);
    ASSERT_EQ(timers.size(), 2u) << "one timer per arrow, made on its first press";
    editortest::FakeTimer *t = timers.back();
    EXPECT_EQ(t->interval(), 400);
    EXPECT_TRUE(t->isActive());
    EXPECT_EQ(e->Value(), 1) << "no step before the release or the first tick";
    t->fire();
    EXPECT_EQ(t->interval(), 100);
    t->fire();
    EXPECT_EQ(e->Value(), 0) << "clamped at MinValue";
    e->SetMinValue(-10);
    t->fire();
    EXPECT_EQ(e->Value(), -1);
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_FALSE(t->isActive());
    EXPECT_EQ(e->Value(), -2) << "the release over the button adds one step";
    t->fire();
    EXPECT_EQ(e->Value(), -2);

    // Right button: no step, no timer.
    QTest::mouseClick(up, Qt::RightButton);
    EXPECT_EQ(e->Value(), -2);
    EXPECT_EQ(timers.size(), 2u);
    EXPECT_FALSE(timers.front()->isActive());
}

TEST_F(SpinEditTest, RepeatStopsWhenReleasedOutside)
{
    TNsgSpinEdit e;
    e.resize(100, 24);
    e.show();
    TNovaTimerSpeedButton *up = e.Button()->UpButton();
    QTest::mousePress(up, Qt::LeftButton);
    editortest::FakeTimer *t = timers.back();
    t->fire();
    EXPECT_EQ(e.Value(), 1);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-50, -50));
    EXPECT_EQ(e.Value(), 1) << "released outside: no extra step";
    EXPECT_FALSE(t->isActive());
}

TEST_F(SpinEditTest, RepeatStopsWhenTheStepFails)
{
    TNsgSpinButton b;
    b.resize(15, 22);
    b.show();
    b.OnUpClick = [](QObject *) { throw std::runtime_error("step failed"); };
    QTest::mousePress(b.UpButton(), Qt::LeftButton);
    editortest::FakeTimer *t = timers.back();
    EXPECT_THROW(t->fire(), std::runtime_error);
    EXPECT_FALSE(t->isActive());
    b.OnUpClick = nullptr;
    QTest::mouseRelease(b.UpButton(), Qt::LeftButton);
}

namespace {
class CountingSpin : public TNsgSpinEdit {
public:
    void UpButtonClick(QObject *sender) override
    {
        TNsgSpinEdit::UpButtonClick(sender);
        ++ups;
    }
    void DownButtonClick(QObject *sender) override
    {
        TNsgSpinEdit::DownButtonClick(sender);
        ++downs;
    }
    int ups = 0;
    int downs = 0;
};
} // namespace

TEST_F(SpinEditTest, DerivedEditorSeesEveryArrowClick)
{
    CountingSpin e;
    e.resize(100, 24);
    e.show();
    QTest::mouseClick(e.Button()->UpButton(), Qt::LeftButton);
    QTest::mousePress(e.Button()->DownButton(), Qt::LeftButton);
    timers.back()->fire();
    QTest::mouseRelease(e.Button()->DownButton(), Qt::LeftButton);
    EXPECT_EQ(e.ups, 1);
    EXPECT_EQ(e.downs, 2);
    // Keys step through IncrementValue directly, not through the arrow hooks.
    QTest::keyClick(&e, Qt::Key_Up);
    EXPECT_EQ(e.ups, 1);
}

TEST_F(SpinEditTest, SpinButtonKeyboardWhenTabStop)
{
    TNsgSpinButton b;
    int ups = 0, downs = 0;
    b.OnUpClick = [&](QObject *s) { EXPECT_EQ(s, &b); ++ups; };
    b.OnDownClick = [&](QObject *) { ++downs; };
    b.SetTabStop(true);
    showActive(&b);
    ASSERT_TRUE(b.hasFocus());
    EXPECT_TRUE(b.UpButton()->TimeBtnState() & timeBtnBit(tbFocusRect));
    QTest::keyClick(&b, Qt::Key_Down);
    EXPECT_EQ(b.FocusedButton(), b.DownButton());
    EXPECT_TRUE(b.DownButton()->TimeBtnState() & timeBtnBit(tbFocusRect));
    EXPECT_FALSE(b.UpButton()->TimeBtnState() & timeBtnBit(tbFocusRect));
    QTest::keyClick(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_Up);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 2);
}

TEST_F(SpinEditTest, SpinButtonLayout)
{
    TNsgSpinButton b;
    b.show();
    b.resize(15, 21);
    EXPECT_EQ(b.UpButton()->geometry(), QRect(0, 0, 15, 10));
    EXPECT_EQ(b.DownButton()->geometry(), QRect(0, 9, 15, 12));
    b.resize(10, 21);
    EXPECT_EQ(b.width(), 15) << "at least 15 wide";
    b.SetDirection(spHorizontal);
    EXPECT_EQ(b.width(), 20);
    EXPECT_EQ(b.UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(b.DownButton()->ButtonDirection(), bdLeft);
    EXPECT_EQ(b.DownButton()->geometry(), QRect(0, 0, 10, 21));
    EXPECT_EQ(b.UpButton()->geometry(), QRect(11, 0, 10, 21));
}

TEST_F(SpinEditTest, ColouredArrowsShowNormalHotAndDownStates)
{
    TNsgSpinButton b;
    b.resize(15, 24);
    b.ButtonColor = RGBColor(200, 0, 0);
    b.ButtonColorHot = RGBColor(0, 200, 0);
    b.ButtonColorDown = RGBColor(0, 0, 200);
    b.show();
    TNovaTimerSpeedButton *up = b.UpButton();
    auto at = [&](QPoint p) { return QColor(up->grab().toImage().pixel(p)); };
    EXPECT_EQ(at({12, 8}), QColor(200, 0, 0));
    EXPECT_EQ(at({6, 3}), QColor(Qt::black)) << "the arrow's tip at (L+6, T+2..4)";
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(up, &enter);
    EXPECT_TRUE(up->HasMouse());
    EXPECT_EQ(at({12, 8}), QColor(0, 200, 0));
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_EQ(at({12, 8}), QColor(0, 0, 200));
    QTest::mouseRelease(up, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(up, &leave);
    EXPECT_EQ(at({12, 8}), QColor(200, 0, 0));
}

TEST_F(SpinEditTest, GlyphsDefaultToBuiltInArrows)
{
    TNsgSpinButton b;
    EXPECT_EQ(b.UpGlyph(), spinArrowBitmap(true));
    QImage own(18, 6, QImage::Format_RGB32);
    own.fill(Qt::red);
    b.SetUpGlyph(own);
    b.SetUpNumGlyphs(2);
    EXPECT_EQ(b.UpGlyph(), own);
    b.SetUpGlyph(QImage());
    EXPECT_EQ(b.UpGlyph(), spinArrowBitmap(true));
    EXPECT_EQ(b.UpNumGlyphs(), 1);
    const QImage g = spinArrowBitmap(true);
    EXPECT_EQ(g.size(), QSize(9, 6));
    EXPECT_EQ(QColor(g.pixel(4, 1)), QColor(Qt::black)) << "tip of the up arrow";
    EXPECT_EQ(QColor(g.pixel(1, 4)), QColor(Qt::black)) << "7-pixel base";
    EXPECT_EQ(QColor(g.pixel(0, 4)), QColor(128, 128, 0));
}

TEST_F(SpinEditTest, LayoutKeepsButtonsInsideAndHeightAtLeastMinimum)
{
    TNsgSpinEdit e;
    e.show();
    e.resize(100, 5);
    EXPECT_EQ(e.height(), e.MinHeight());
    e.resize(100, 30);
    const QRect b = e.Button()->geometry();
    EXPECT_EQ(b.width(), 15);
    EXPECT_EQ(b.right(), 100 - 2 - 1 - 1) << "1 pixel inside the 2-pixel border";
    EXPECT_EQ(b.top(), 2);
    EXPECT_EQ(b.height(), 30 - 5);
    EXPECT_LE(e.EditRect().right(), b.left());
    e.SetDirection(spHorizontal);
    EXPECT_EQ(e.Button()->width(), 20);
    EXPECT_LE(e.EditRect().right(), e.Button()->geometry().left());
}

TEST_F(SpinEditTest, LoadingDefersDateAndTimeTexts)
{
    TNsgSpinEdit e;
    e.BeginLoading();
    e.SetSpinType(sptDate);
    e.SetDateValue(date(2024, 7, 4));
    EXPECT_EQ(e.text(), "0") << "only stored while loading";
    e.Loaded();
    EXPECT_EQ(e.text(), "7/4/2024");
}

TEST_F(SpinEditTest, ChangeEventFollowsText)
{
    TNsgSpinEdit e;
    int changes = 0;
    e.OnChange = [&](QObject *s) { EXPECT_EQ(s, &e); ++changes; };
    e.IncrementValue(false);
    QTest::keyClick(&e, Qt::Key_5);
    EXPECT_EQ(changes, 2);
}

TEST_F(SpinEditTest, Screenshot)
{
    QWidget form;
    form.setAutoFillBackground(true);
    form.resize(320, 140);
    auto *a = new TNsgSpinEdit(&form);
    a->setGeometry(10, 10, 120, 22);
    a->SetValue(42);
    auto *b = new TNsgSpinEdit(&form);
    b->setGeometry(10, 45, 120, 22);
    b->SetPrecision(2);
    b->SetSpinType(sptFloat);
    b->SetFloatValue(3.5);
    b->SetEditAlign(eaRight);
    auto *c = new TNsgSpinEdit(&form);
    c->setGeometry(150, 10, 150, 22);
    c->SetSpinType(sptDate);
    c->SetDateValue(date(2024, 12, 24));
    auto *d = new TNsgSpinEdit(&form);
    d->setGeometry(150, 45, 150, 22);
    d->SetSpinType(sptTime);
    d->SetTimeValue(hms(13, 45, 10));
    d->SetDirection(spHorizontal);
    auto *f = new TNsgSpinEdit(&form);
    f->setGeometry(10, 80, 120, 22);
    f->Button()->ButtonColor = RGBColor(200, 220, 255);
    f->Button()->ButtonColorHot = RGBColor(170, 200, 255);
    f->Button()->ButtonColorDown = RGBColor(120, 160, 240);
    f->SetValue(7);
    auto *g = new TNsgSpinEdit(&form);
    g->setGeometry(150, 80, 150, 22);
    g->setEnabled(false);
    g->SetValue(9);
    form.show();
    QApplication::processEvents();
    saveShot(&form, QStringLiteral("spin_edit"));
    const QImage img = form.grab().toImage();
    // The arrow buttons are drawn: dark arrow pixels inside the button area of the first editor.
    const QRect br = a->Button()->geometry().translated(a->pos());
    int dark = 0;
    for (int y = br.top(); y <= br.bottom(); ++y)
        for (int x = br.left(); x <= br.right(); ++x)
            if (qGray(img.pixel(x * img.width() / form.width(), y * img.height() / form.height())) < 40) ++dark;
    EXPECT_GT(dark, 8);
}
