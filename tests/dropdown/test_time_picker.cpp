// The time picker: its masked text, typed times, Up and Down on the fields, and the pop-up with the
// watch (and the time edit) as a user drives it. The watch's animation runs on a hand-fired timer.
#include "dropdown/NovaTimePickerDropDown.h"
#include "grid/base/MaskEdit.h"
#include "picker_test_support.h"
#include "support/TestSupport.h"

#include <QTimeEdit>

namespace {

using pickertest::Counter;

QString hms(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QStringLiteral("%1:%2:%3.%4").arg(h).arg(m).arg(s).arg(ms);
}

class TimePicker : public pickertest::PickerTest<TNovaTimePickerDropDown> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->OnTimeChange = changes.handler();
    }
    // The watch's animation timer (1 ms) fired until the hands stand still.
    void settle()
    {
        for (int i = 0; i < 100 && dd->Watch()->Animating(); ++i)
            for (auto *t : timers)
                if (t->interval() == 1) t->fire();
    }
    Counter changes;
};

} // namespace

TEST_F(TimePicker, StartsAtMidnightWithTheMaskAsSetTranslatedOnce)
{
    EXPECT_EQ(dd->EditMask(), "!90:00:00;1; ");
    EXPECT_EQ(dd->inputMask(), qtInputMask("!90:00:00;1; ").section(QLatin1Char(';'), 0, 0));
    EXPECT_EQ(dd->displayText(), "00:00:00");
    EXPECT_EQ(dd->Time(), 0.0);
    EXPECT_FALSE(dd->EditorEnabled());
    EXPECT_TRUE(dd->DropDownEnabled());
    EXPECT_TRUE(dd->ShowWatchAMPM());
    EXPECT_TRUE(dd->Animation());
    EXPECT_EQ(dd->AnimationFactor(), 10);
    dd->SetShowSeconds(false);
    EXPECT_EQ(dd->EditMask(), "!90:00;1; ");
    EXPECT_EQ(dd->inputMask(), qtInputMask("!90:00;1; ").section(QLatin1Char(';'), 0, 0));

    // Another time separator is the locale's, taken where the mask is translated, not in the mask.
    platform::FormatSettings dots = testsupport::usSettings();
    dots.timeSeparator = QLatin1Char('.');
    const platform::ScopedFormatSettings scoped(dots);
    TNovaTimePickerDropDown dotted;
    EXPECT_EQ(dotted.EditMask(), "!90:00:00;1; ");
    EXPECT_TRUE(dotted.inputMask().contains(QLatin1Char('.')));
    dotted.SetTime(EncodeTime(13, 5, 9));
    EXPECT_EQ(dotted.displayText(), "13.05.09");
}

TEST_F(TimePicker, SettingTheTimeShowsItAndTheReadBackDropsTheFraction)
{
    dd->SetTime(EncodeTime(13, 5, 9, 750));
    EXPECT_EQ(dd->displayText(), "13:05:09");
    EXPECT_EQ(hms(dd->Time()), "13:5:9.0");
    EXPECT_EQ(changes.n, 0) << "writing Time fires no OnTimeChange";
    dd->SetTime(EncodeTime(13, 5, 9, 250));
    EXPECT_EQ(hms(dd->Time()), "13:5:9.0") << "the same text is read back all the same";
    dd->SetShowSeconds(false);
    EXPECT_EQ(dd->displayText(), "13:05");
    EXPECT_EQ(hms(dd->Time()), "13:5:0.0");
    dd->SetShowSeconds(true);
    EXPECT_EQ(dd->displayText(), "13:05:00") << "the dropped seconds come back as 00";
    EXPECT_EQ(hms(dd->Time()), "13:5:0.0");
}

TEST_F(TimePicker, UpAndDownStepTheFieldUnderTheCaretWithTheEditorOn)
{
    dd->SetEditorEnabled(true);
    // Start, caret, key, text after, OnTimeChange count after.
    const struct {
        TDateTime start;
        int caret;
        int key;
        const char *text;
    } cases[] = {
        {EncodeTime(13, 5, 9), 0, Qt::Key_Down, "14:05:09"},
        {EncodeTime(13, 5, 9), 4, Qt::Key_Up, "13:04:09"},
        {EncodeTime(13, 5, 0), 7, Qt::Key_Up, "13:05:59"},
        {EncodeTime(23, 5, 0), 1, Qt::Key_Down, "00:05:00"},
        {EncodeTime(0, 0, 0), 3, Qt::Key_Up, "00:59:00"},
    };
    for (const auto &c : cases) {
        dd->SetTime(c.start);
        dd->setCursorPosition(c.caret);
        const int before = changes.n;
        key(c.key);
        EXPECT_EQ(dd->displayText(), c.text) << c.caret << " " << c.key;
        EXPECT_EQ(changes.n, before + 1);
        EXPECT_EQ(dd->cursorPosition(), c.caret) << "the caret stays";
    }
}

TEST_F(TimePicker, WithTheEditorOffUpAndDownChangeNothingButAltStillOpensAndCloses)
{
    dd->SetTime(EncodeTime(8, 15, 0));
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->displayText(), "08:15:00");
    EXPECT_EQ(changes.n, 0);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(open());
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(open());
}

TEST_F(TimePicker, TypedTimes)
{
    testsupport::ModalResponder boxes; // a time no day has is no error to show
    dd->SetEditorEnabled(true);
    // Text typed, the places then emptied (a required digit deleted shows the mask's blank),
    // seconds shown, the time read (empty: Time keeps 6:00:00), the text after.
    const struct {
        const char *typed;
        std::initializer_list<int> emptied;
        bool seconds;
        const char *time;
        const char *after;
    } cases[] = {
        {"12:45:00", {3}, true, "12:5:0.0", "12: 5:00"},
        {"12:00:00", {3}, true, "12:0:0.0", "12:00:00"},
        {" 7:05:00", {}, true, "", " 7:05:00"},
        {"25:00:00", {}, true, "", "25:00:00"},
        {"10:75:00", {}, true, "", "10:75:00"},
        {"10:20:99", {}, true, "", "10:20:99"},
        {"07:00", {}, false, "7:0:0.0", "07:00"},
        {" 7:00", {}, false, "", " 7:00"},
    };
    for (const auto &c : cases) {
        dd->SetShowSeconds(c.seconds);
        dd->SetTime(EncodeTime(6, 0, 0));
        // As typed into the mask: the line edit's own entry, not the control's writing.
        dd->QLineEdit::setText(QString::fromLatin1(c.typed));
        for (int at : c.emptied) {
            dd->setCursorPosition(at);
            dd->del();
        }
        const QString expected = *c.time ? QString::fromLatin1(c.time) : QStringLiteral("6:0:0.0");
        EXPECT_EQ(hms(dd->Time()), expected) << c.typed;
        EXPECT_EQ(dd->displayText(), c.after) << c.typed;
    }
    EXPECT_EQ(changes.n, 0);
    QApplication::processEvents();
    EXPECT_EQ(boxes.texts(), QStringList());
}

TEST_F(TimePicker, FieldSettersIgnoreValuesNoDayHas)
{
    dd->SetTime(EncodeTime(10, 30, 15));
    dd->SetTimeHour(24);
    dd->SetTimeMinute(60);
    dd->SetTimeSecond(60);
    dd->SetTimeHour(10);
    EXPECT_EQ(hms(dd->Time()), "10:30:15.0");
    EXPECT_EQ(changes.n, 0);
    dd->SetTimeSecond(45);
    EXPECT_EQ(dd->displayText(), "10:30:45");
    EXPECT_EQ(changes.n, 1);
}

TEST_F(TimePicker, ThePopUpHoldsTheWatchSetToTheTime)
{
    dd->SetTime(EncodeTime(9, 40, 0));
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(170, 172)) << "the panel's 170 by 170 and the frame's height";
    EXPECT_EQ(dd->Panel()->geometry(), QRect(1, 1, 168, 170)) << "inside the frame";
    EXPECT_EQ(dd->Watch()->geometry(), dd->Panel()->rect()) << "the watch fills the panel";
    EXPECT_EQ(hms(dd->Watch()->Time()), "9:40:0.0");
    EXPECT_FALSE(dd->DropDownForm()->CancelOnDeActivate());
    EXPECT_FALSE(dd->TimeEdit()) << "made only when asked for";
}

TEST_F(TimePicker, PageUpInTheOpenPopUpMovesTheWatchsHourNotTheEdit)
{
    dd->SetEditorEnabled(true);
    QList<int> editKeys;
    dd->OnKeyDown = [&](QObject *, int &k, Qt::KeyboardModifiers) { editKeys << k; };
    dd->SetTime(EncodeTime(10, 30, 0));
    showNow();
    key(Qt::Key_PageUp);
    settle();
    EXPECT_EQ(hms(dd->Watch()->Time()), "11:30:0.0");
    EXPECT_FALSE(editKeys.contains(Qt::Key_PageUp)) << "Page Up is not passed to the edit";
    key(Qt::Key_A);
    settle();
    EXPECT_TRUE(editKeys.contains(Qt::Key_A)) << "other keys are";
    EXPECT_EQ(hms(dd->Watch()->Time()), "11:30:0.0") << "A at 11: already before noon";
    key(Qt::Key_P);
    settle();
    EXPECT_EQ(hms(dd->Watch()->Time()), "23:30:0.0");
    EXPECT_EQ(dd->displayText(), "23:30:00") << "the watch's changes reach Time";
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(open()) << "Alt+Up still reaches the edit";
    EXPECT_EQ(hms(dd->Time()), "23:30:0.0");
}

TEST_F(TimePicker, EscBringsBackTheTimeShownBeforeTheOpeningEnterKeepsTheWatchs)
{
    dd->SetAnimation(false);
    dd->SetTime(EncodeTime(10, 30, 0));
    showNow();
    key(Qt::Key_PageUp);
    key(Qt::Key_Right);
    EXPECT_EQ(hms(dd->Watch()->Time()), "11:31:0.0");
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(hms(dd->Time()), "10:30:0.0");
    EXPECT_EQ(dd->displayText(), "10:30:00");
    EXPECT_EQ(hms(dd->Watch()->Time()), "10:30:0.0");

    showNow();
    key(Qt::Key_PageDown);
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(hms(dd->Time()), "9:30:0.0");
    EXPECT_EQ(dd->displayText(), "09:30:00");

    showNow();
    other->setFocus();
    dd->DropDownForm()->close(); // the platform takes the pop-up away: closed as accepted
    QApplication::processEvents();
    EXPECT_FALSE(open());
    EXPECT_EQ(hms(dd->Time()), "9:30:0.0");
}

TEST_F(TimePicker, TheTimeEditUnderTheWatchFollowsAndLeads)
{
    dd->SetShowTimePicker(true);
    dd->SetTime(EncodeTime(14, 20, 5));
    showNow();
    QTimeEdit *edit = dd->TimeEdit();
    ASSERT_TRUE(edit && edit->isVisible());
    EXPECT_EQ(edit->displayFormat(), "HH:mm:ss");
    EXPECT_EQ(edit->time(), QTime(14, 20, 5));
    EXPECT_EQ(dd->Panel()->height(), edit->sizeHint().height() + 170);
    EXPECT_EQ(edit->geometry().bottom(), dd->Panel()->rect().bottom()) << "below the watch";

    key(Qt::Key_PageUp); // the watch moves, the time edit follows
    settle();
    EXPECT_EQ(edit->time(), QTime(15, 20, 5));
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(hms(dd->Time()), "15:20:5.0");

    edit->setTime(QTime(7, 10, 0)); // the time edit moves the watch, Time follows at the close
    EXPECT_EQ(hms(dd->Watch()->Time()), "7:10:0.0");
    EXPECT_EQ(hms(dd->Time()), "15:20:5.0");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(open()) << "Enter in the time edit closes through the edit";
    EXPECT_EQ(hms(dd->Time()), "7:10:0.0");

    dd->SetShowSeconds(false);
    showNow();
    EXPECT_EQ(dd->TimeEdit()->displayFormat(), "HH:mm");
    dd->TimeEdit()->setFocus();
    QTest::keyClick(dd->TimeEdit(), Qt::Key_Escape);
    EXPECT_FALSE(open());
}

TEST_F(TimePicker, TheWatchStillRefusesMinuteSixtyAndIgnoresHourTwentyFour)
{
    dd->SetAnimation(false);
    dd->SetTime(EncodeTime(10, 0, 0));
    showNow();
    TNovaWatch *watch = dd->Watch();
    EXPECT_THROW(
        {
            try {
                watch->SetMinute(60);
            } catch (const EConvertError &e) {
                EXPECT_STREQ(e.what(), "Invalid time");
                throw;
            }
        },
        EConvertError);
    watch->SetHour(24);
    EXPECT_EQ(hms(watch->Time()), "10:0:0.0");
    key(Qt::Key_Escape);
}

TEST_F(TimePicker, AnAnimationFactorBelowOneCountsAsOne)
{
    dd->SetAnimationFactor(0);
    dd->SetTime(EncodeTime(1, 0, 0));
    showNow();
    EXPECT_EQ(dd->Watch()->AnimationFactor(), 0);
    dd->Watch()->SetHour(9);
    for (auto *t : timers)
        if (t->interval() == 1) t->fire();
    EXPECT_EQ(hms(dd->Watch()->Time()), "9:0:0.0") << "one step of the whole distance";
    for (auto *t : timers)
        if (t->interval() == 1) t->fire();
    EXPECT_FALSE(dd->Watch()->Animating()) << "the next tick finds the target reached";
    key(Qt::Key_Escape);
}

TEST_F(TimePicker, ComponentStylesColourTheWatchAppearance)
{
    EXPECT_EQ(dd->WatchAppearance().BackgroundColor(), TColor(0xFFEFE3)) << "the look of creation";
    dd->SetComponentStyle(tsOffice2003Blue);
    const TWatchAppearance &a = dd->WatchAppearance();
    EXPECT_EQ(a.BackgroundColor(), TColor(0xFFD2AF));
    EXPECT_EQ(a.AMPMBorderColor(), TColor(0x962D00));
    EXPECT_EQ(a.HourPointer(), TColor(0xD68759));
    EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack);
    dd->WatchAppearance().SetHourFont([] {
        TFont f;
        f.Color = clRed;
        return f;
    }());
    dd->SetComponentStyle(tsCustom);
    EXPECT_EQ(a.HourFont().Color, clBlack) << "custom still blackens the fonts";
    EXPECT_EQ(a.BackgroundColor(), TColor(0xFFD2AF));
    showNow();
    EXPECT_EQ(dd->Watch()->Appearance().BackgroundColor(), TColor(0xFFD2AF)) << "copied at the opening";
    key(Qt::Key_Escape);
}

// What the time picker takes of the pop-up's header and footer appearances.
TEST_F(TimePicker, TheHeaderAppearanceIsTheDropDownsAndHidden)
{
    THeaderAppearance &h = dd->DropDownHeader();
    EXPECT_EQ(h.Owner(), dd);
    EXPECT_FALSE(h.Visible());
    EXPECT_EQ(h.Height(), 22);
    EXPECT_EQ(h.Font().Name, "Tahoma");
    showNow();
    EXPECT_EQ(dd->DropDownForm()->Header(), nullptr) << "no header bar is made while hidden";
    key(Qt::Key_Escape);
}

TEST_F(TimePicker, TheFooterAppearanceIsTheDropDownsAndHidden)
{
    TFooterAppearance &f = dd->DropDownFooter();
    EXPECT_EQ(f.Owner(), dd);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.SizeGrip());
    EXPECT_EQ(f.ImageIndex(), -1);
    showNow();
    EXPECT_EQ(dd->DropDownForm()->Footer(), nullptr) << "no footer bar, no grip";
    EXPECT_EQ(dd->DropDownForm()->height(), 170 + 2);
    key(Qt::Key_Escape);
}
