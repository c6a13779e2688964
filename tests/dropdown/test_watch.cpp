// The analogue watch: its appearance, settings and style tables, its geometry and painting, and
// setting the time by mouse, keys and animation.
#include "dropdown/WatchAppearance.h"
#include "panel_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

// ---- Appearance and settings --------------------------------------------------------------------

TEST(WatchAppearance, StartsWithTheCreationValues)
{
    TWatchAppearance a;
    EXPECT_EQ(a.Size(), 0);
    EXPECT_EQ(a.Shape(), wsCircle);
    EXPECT_EQ(a.BackgroundColor(), clWhite);
    EXPECT_EQ(a.BackgroundColorTo(), clNone);
    EXPECT_EQ(a.BackgroundGradient(), wgVertical);
    EXPECT_EQ(a.BorderWidth(), 4);
    EXPECT_EQ(a.MinuteColor(), clGray);
    EXPECT_EQ(a.HourPointerShadow(), clBtnShadow);
    EXPECT_EQ(a.HourPointerSize(), 4);
    EXPECT_EQ(a.MinutePointerSize(), 3);
    EXPECT_EQ(a.SecondPointer(), clRed);
    EXPECT_EQ(a.CenterPointSize(), 4);
    EXPECT_EQ(a.CenterPointBorderColor(), clNone);
    EXPECT_EQ(a.HourFont().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(a.HourFont().Size, 8);
    EXPECT_EQ(a.AMPMFont().Size, 10);
    EXPECT_EQ(a.AMPMColor(), clWhite);
    EXPECT_EQ(a.AMPMFrame(), apRect);
    EXPECT_EQ(a.TickMarks(), tmAll);
    EXPECT_EQ(a.Rounding(), 5);
    EXPECT_EQ(a.SecondPointerShadow(), clBtnShadow);
    EXPECT_TRUE(a.Picture().Empty());
}

TEST(WatchAppearance, OnlyAChangedValueReportsAChange)
{
    TWatchAppearance a;
    int changes = 0;
    a.OnChange = [&](QObject *s) {
        EXPECT_EQ(s, &a);
        ++changes;
    };
    a.SetBackgroundColor(clWhite);
    a.SetBorderWidth(4);
    a.SetTickMarks(tmAll);
    a.SetHourMarkLength(0);
    a.SetShape(wsCircle);
    EXPECT_EQ(changes, 0);
    a.SetBackgroundColor(clRed);
    a.SetBorderWidth(2);
    a.SetTickMarks(tmNone);
    EXPECT_EQ(changes, 3);
    a.SetHourFont(a.HourFont()); // fonts are copied and always report
    EXPECT_EQ(changes, 4);
    THTMLPicture pic;
    a.SetPicture(pic);
    EXPECT_EQ(changes, 5);
}

TEST(WatchAppearance, AssignCopiesEverythingButReportsOnlyItsLastThreeValues)
{
    TWatchAppearance src, dst;
    src.SetBackgroundColor(0x123456);
    src.SetHourPointerSize(9);
    TFont f = src.HourFont();
    f.Name = QStringLiteral("Courier");
    src.SetHourFont(f);
    int changes = 0;
    dst.OnChange = [&](QObject *) { ++changes; };
    dst.Assign(src);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(dst.BackgroundColor(), TColor(0x123456));
    EXPECT_EQ(dst.HourPointerSize(), 9);
    EXPECT_EQ(dst.HourFont().Name, QStringLiteral("Courier"));

    src.SetTickMarks(tmQuartHours);
    src.SetHourMarkStyle(hmsQuartDblLine);
    dst.Assign(src);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(dst.TickMarks(), tmQuartHours);
}

TEST(WatchSettings, AssignTakesAutoThroughItsSetter)
{
    TWatchSettings src, dst;
    int changes = 0;
    dst.OnChange = [&](QObject *) { ++changes; };
    src.SetTimeOffset(60);
    src.SetSecond(false);
    dst.Assign(src);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(dst.TimeOffset(), 60);
    EXPECT_FALSE(dst.Second());
    src.SetAuto(true);
    dst.Assign(src);
    EXPECT_EQ(changes, 1);
    dst.SetTimeOffset(60);
    EXPECT_EQ(changes, 1);
}

// ---- Style tables -------------------------------------------------------------------------------

TEST(WatchStyles, SuperNovaAndSportsSizeTheirMarksByTheSmallerSide)
{
    TWatchAppearance a;
    ApplyWatchStyle(a, wsSuperNova, 180, 150);
    EXPECT_EQ(a.HourMarkLength(), 33);
    EXPECT_EQ(a.MinuteMarkLength(), 50);
    ApplyWatchStyle(a, wsSports, 180, 150);
    EXPECT_EQ(a.CenterPointSize(), 42);
    EXPECT_EQ(a.HourMarkLength(), 0); // reset before the style's own values
    // A huge watch keeps the longest length a byte holds.
    ApplyWatchStyle(a, wsSuperNova, 3000, 3000);
    EXPECT_EQ(a.HourMarkLength(), 255);
}

TEST(WatchStyles, EachStyleStartsFromTheCreationValues)
{
    TWatchAppearance a;
    a.SetBorderWidth(11);
    a.SetPointerStyle(psLineArrow);
    const TWatchStyleSwitches w = ApplyWatchStyle(a, wsFluorescent, 180, 180);
    EXPECT_EQ(a.BorderWidth(), 4);
    EXPECT_EQ(a.PointerStyle(), psLine);
    EXPECT_EQ(a.Shape(), wsRoundRect);
    EXPECT_EQ(a.HourMarkStyle(), hmsQuartDblLine);
    EXPECT_EQ(a.HourFont().Name, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(a.HourFont().Color, clWindowText);
    EXPECT_EQ(w.ShowAMPM, false);
    EXPECT_EQ(w.ShowNumbers, false);
    EXPECT_FALSE(w.Animation.has_value());
}

TEST(WatchStyles, SwitchesOnTheWatchByStyle)
{
    struct Row {
        TWatchStyle style;
        std::optional<bool> showAMPM, showNumbers;
    } rows[] = {
        {wsClassic, true, true},    {wsTower, std::nullopt, false}, {wsFluorescent, false, false},
        {wsEmerald, false, false},  {wsBlueStar, true, true},       {wsFuchsia, false, false},
        {wsBlack, false, true},     {wsBlackWhite, false, true},    {wsGray, true, true},
        {wsSuperNova, false, false}, {wsSports, false, true},       {wsSmooth, false, true},
    };
    for (const Row &r : rows) {
        TWatchAppearance a;
        const TWatchStyleSwitches w = ApplyWatchStyle(a, r.style, 180, 180);
        EXPECT_EQ(w.ShowAMPM, r.showAMPM) << int(r.style);
        EXPECT_EQ(w.ShowNumbers, r.showNumbers) << int(r.style);
    }
    TWatchAppearance a;
    const TWatchStyleSwitches classic = ApplyWatchStyle(a, wsClassic, 180, 180);
    EXPECT_EQ(classic.Animation, true);
    EXPECT_EQ(classic.AnimationFactor, 10);
    EXPECT_EQ(a.HourFont().Name, QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(a.HourFont().Size, 10);
    EXPECT_TRUE(a.HourFont().Style.Contains(fsBold));
    EXPECT_EQ(a.HourPointerSize(), 5);
}

TEST(WatchStyles, ComponentStylesColourTheWatch)
{
    struct Row {
        TNovaStyle style;
        TColor ampmBorder, ampmFill, background, backgroundTo, border, centreBorder, centre, marks, shadows, second;
    } rows[] = {
        {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
        {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
        {tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
        {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
        {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
        {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
        {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
        {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
        {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
        {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
    };
    for (const Row &r : rows) {
        TWatchAppearance a;
        ApplyWatchComponentStyle(a, r.style);
        const TColor got[] = {a.AMPMBorderColor(), a.AMPMColor(), a.BackgroundColor(), a.BackgroundColorTo(),
                              a.BorderColor(), a.CenterPointBorderColor(), a.CenterPointColor(), a.HourColor(),
                              a.HourPointerShadow(), a.SecondPointer()};
        const TColor want[] = {r.ampmBorder, r.ampmFill, r.background, r.backgroundTo, r.border,
                               r.centreBorder, r.centre, r.marks, r.shadows, r.second};
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(got[i], want[i]) << "style " << int(r.style) << " column " << i;
        EXPECT_EQ(a.MinuteColor(), r.marks);
        EXPECT_EQ(a.HourPointer(), r.marks);
        EXPECT_EQ(a.MinutePointer(), r.marks);
        EXPECT_EQ(a.MinutePointerShadow(), r.shadows);
        EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack);
        const TColor fontColor = r.style == tsOffice2007Obsidian ? TColor(0xF2F1F0) : clBlack;
        EXPECT_EQ(a.HourFont().Color, fontColor);
        EXPECT_EQ(a.AMPMFont().Color, fontColor);
    }
}

TEST(WatchStyles, CustomOnlyBlackensTheOuterRingAndTheFonts)
{
    TWatchAppearance a;
    a.SetBackgroundColor(0x112233);
    ApplyWatchComponentStyle(a, tsCustom);
    EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack);
    EXPECT_EQ(a.HourFont().Color, clBlack);
    EXPECT_EQ(a.AMPMFont().Color, clBlack);
    EXPECT_EQ(a.BackgroundColor(), TColor(0x112233));
    EXPECT_EQ(a.AMPMColor(), clWhite);
}

// ---- The watch ----------------------------------------------------------------------------------

#include "dropdown/AnalogWatch.h"

#include <QElapsedTimer>
#include <cmath>

namespace {

QString hm(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QStringLiteral("%1:%2").arg(h).arg(m, 2, 10, QLatin1Char('0'));
}

// Lines of one pen colour and width, in drawing order.
std::vector<TCanvasOp> linesOf(const TRecordingCanvas &c, TColor color, int width)
{
    std::vector<TCanvasOp> out;
    for (const TCanvasOp &op : c.OfKind(TCanvasOp::Line))
        if (op.pen.Color == color && op.pen.Width == width)
            out.push_back(op);
    return out;
}

class Watch : public paneltest::TimedTest {
protected:
    void SetUp() override
    {
        TimedTest::SetUp();
        watch = std::make_unique<TNovaWatch>();
        watch->OnChange = [this](QObject *) { ++changes; };
    }
    void TearDown() override
    {
        watch.reset();
        TimedTest::TearDown();
    }
    paneltest::FakeTimer *animation() { return timers.at(1); }
    // Fires the animation timer until it stops; the hours (or minutes) after each tick.
    std::vector<int> run(bool hours)
    {
        std::vector<int> seen;
        for (int i = 0; i < 200 && animation()->isActive(); ++i) {
            animation()->fire();
            int h, m, s, ms;
            DecodeTime(watch->Time(), h, m, s, ms);
            seen.push_back(hours ? h : m);
        }
        EXPECT_FALSE(animation()->isActive());
        return seen;
    }
    std::unique_ptr<TNovaWatch> watch;
    int changes = 0;
};

} // namespace

TEST_F(Watch, StartsAsAClassicAnimatedWatch)
{
    EXPECT_EQ(watch->width(), 180);
    EXPECT_EQ(watch->height(), 180);
    EXPECT_EQ(watch->Style(), wsClassic);
    EXPECT_TRUE(watch->Animation());
    EXPECT_EQ(watch->AnimationFactor(), 10);
    EXPECT_TRUE(watch->ShowAMPM());
    EXPECT_TRUE(watch->ShowNumbers());
    EXPECT_TRUE(watch->AM());
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0]->interval(), 100);
    EXPECT_FALSE(timers[0]->isActive());
    EXPECT_EQ(timers[1]->interval(), 1);
    EXPECT_FALSE(timers[1]->isActive());
    // The classic style's presets are not applied at creation.
    EXPECT_EQ(watch->Appearance().HourMarkLength(), 0);
}

TEST_F(Watch, TheFaceIsASquareCentredInTheControl)
{
    watch->resize(180, 150);
    EXPECT_EQ(watch->GetWatchRect(), (TRect{25, 10, 155, 140}));
    EXPECT_EQ(watch->GetCenter(), (TPoint{90, 75}));
    EXPECT_EQ(watch->GetRadius(), 65);
    watch->Appearance().SetSize(100);
    EXPECT_EQ(watch->GetWatchRect(), (TRect{40, 25, 140, 125}));
    watch->Appearance().SetSize(400); // at most the smaller side
    EXPECT_EQ(watch->GetWatchRect(), (TRect{15, 0, 165, 150}));
}

TEST_F(Watch, MinuteAndHourAtAPoint)
{
    const TPoint c = watch->GetCenter();
    struct Row {
        int dx, dy, minute;
    } rows[] = {
        {50, 0, 15}, {0, 50, 30}, {-50, 0, 45}, {0, -50, 0},
        // 45 degrees: round(7.5) = 8 minutes from the quarter.
        {0, 0, 23}, {35, 35, 23}, {-35, 35, 37}, {-35, -35, 53}, {35, -35, 7}, {60, -3, 15},
    };
    for (const Row &r : rows)
        EXPECT_EQ(watch->MinuteAtPos(c.X + r.dx, c.Y + r.dy), r.minute) << r.dx << "," << r.dy;

    // Near 12 o'clock on either side of the mark: hour 0 before noon, 12 after.
    EXPECT_EQ(watch->HourAtPos(c.X + 5, c.Y - 40), 0);
    EXPECT_EQ(watch->HourAtPos(c.X - 5, c.Y - 40), 0);
    EXPECT_EQ(watch->HourAtPos(c.X + 50, c.Y), 3);
    watch->SetAnimation(false);
    watch->SetTime(EncodeTime(15, 0, 0));
    EXPECT_FALSE(watch->AM());
    EXPECT_EQ(watch->HourAtPos(c.X + 5, c.Y - 40), 12);
    EXPECT_EQ(watch->HourAtPos(c.X - 5, c.Y - 40), 12);
    EXPECT_EQ(watch->HourAtPos(c.X + 50, c.Y), 15);
}

TEST_F(Watch, KeysAtTheHourEdges)
{
    watch->SetAnimation(false);
    struct Row {
        int h, m, key;
        const char *expected;
        int changes;
    } rows[] = {
        {10, 59, Qt::Key_Right, "11:00", 1}, // carry into the next hour
        {10, 45, Qt::Key_End, "11:00", 1},   // minute 0 reached from above 30
        {10, 20, Qt::Key_End, "10:00", 1},
        {10, 0, Qt::Key_Left, "9:59", 0},    // set directly: no OnChange
        {0, 0, Qt::Key_Left, "23:59", 0},
        {10, 5, Qt::Key_Left, "10:04", 0},   // not the last animation target
        {23, 10, Qt::Key_PageUp, "0:10", 1}, // hour 0 is the last target (none yet: 0)
        {0, 10, Qt::Key_PageDown, "23:10", 0},
        {7, 10, Qt::Key_PageUp, "8:10", 0},
        {7, 10, Qt::Key_Home, "12:10", 0},
        {14, 10, Qt::Key_A, "2:10", 0},
        {2, 10, Qt::Key_A, "2:10", 0},
        {2, 10, Qt::Key_P, "14:10", 0},
    };
    for (const Row &r : rows) {
        watch->SetTime(EncodeTime(r.h, r.m, 0));
        changes = 0;
        watch->WatchKeyDown(r.key);
        EXPECT_EQ(hm(watch->Time()), QString::fromLatin1(r.expected)) << r.h << ":" << r.m << " key " << r.key;
        EXPECT_EQ(changes, r.changes) << r.h << ":" << r.m << " key " << r.key;
    }
}

TEST_F(Watch, KeysAnimateTheHandsToTheSameEnd)
{
    struct Row {
        int h, m, key;
        const char *expected;
    } rows[] = {
        {10, 59, Qt::Key_Right, "11:00"},
        {10, 45, Qt::Key_End, "11:00"},
        {10, 20, Qt::Key_End, "10:00"},
        {10, 40, Qt::Key_Left, "10:39"},
    };
    for (const Row &r : rows) {
        watch->SetTime(EncodeTime(r.h, r.m, 0));
        changes = 0;
        watch->WatchKeyDown(r.key);
        EXPECT_TRUE(animation()->isActive());
        run(false);
        EXPECT_EQ(hm(watch->Time()), QString::fromLatin1(r.expected)) << r.h << ":" << r.m;
        EXPECT_EQ(changes, 1) << r.h << ":" << r.m; // once, at the target
    }
    // Minutes 45 .. 59 step forwards to the hour: 2 then single steps.
    watch->SetTime(EncodeTime(10, 45, 0));
    watch->WatchKeyDown(Qt::Key_End);
    const std::vector<int> minutes = run(false);
    ASSERT_GE(minutes.size(), 3u);
    EXPECT_EQ(minutes[0], 47);
    EXPECT_EQ(minutes[1], 48);
}

TEST_F(Watch, AnimationStepsShrinkWithTheDistance)
{
    struct Row {
        int factor;
        std::vector<int> hours;
    } rows[] = {
        {10, {2, 3, 4, 5, 6, 7, 8, 9, 9}}, // round(0.8) = 1 each time
        {2, {5, 7, 8, 9, 9}},              // 4, 2, 1, 1; the last tick finds the target
        {0, {9, 9}},                       // a factor below 1 counts as 1
        {-5, {9, 9}},
    };
    for (const Row &r : rows) {
        watch->SetAnimationFactor(r.factor);
        watch->SetTime(EncodeTime(1, 0, 0));
        changes = 0;
        watch->SetHour(9);
        EXPECT_EQ(hm(watch->Time()), QStringLiteral("1:00")); // not yet
        EXPECT_EQ(run(true), r.hours) << "factor " << r.factor;
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(Watch, OutOfRangeValues)
{
    watch->SetAnimation(false);
    watch->SetTime(EncodeTime(8, 15, 0));
    try {
        watch->SetMinute(60);
        FAIL() << "no error for minute 60";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Invalid time");
    }
    watch->SetHour(24); // ignored, no error
    watch->SetHour(-1);
    EXPECT_EQ(hm(watch->Time()), QStringLiteral("8:15"));
    EXPECT_EQ(changes, 0);
}

TEST_F(Watch, TheMouseSetsMinutesOutsideTheFaceAndHoursInside)
{
    paneltest::Host host(180, 180);
    TNovaWatch *w = host.add<TNovaWatch>();
    int n = 0;
    w->OnChange = [&](QObject *) { ++n; };
    w->SetAnimation(false);
    w->SetTime(EncodeTime(10, 10, 0));
    ASSERT_TRUE(host.show());

    host.click(w, 175, 90); // right of the face circle: minute 15
    EXPECT_EQ(hm(w->Time()), QStringLiteral("10:15"));
    host.click(w, 90, 40);  // inside, towards 12: hour 0 before noon
    EXPECT_EQ(hm(w->Time()), QStringLiteral("0:15"));
    host.click(w, 130, 90, Qt::RightButton); // any button: towards 3
    EXPECT_EQ(hm(w->Time()), QStringLiteral("3:15"));

    // The AM/PM label moves the hour by 12 at once and reports it.
    const TRect box = w->GetAMPMRect();
    ASSERT_FALSE(box.IsEmpty());
    n = 0;
    host.click(w, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    EXPECT_EQ(hm(w->Time()), QStringLiteral("15:15"));
    EXPECT_FALSE(w->AM());
    EXPECT_EQ(n, 1);
}

TEST_F(Watch, TheLabelRollsToTheOtherHalfOfTheDay)
{
    paneltest::Host host(180, 180);
    TNovaWatch *w = host.add<TNovaWatch>();
    int n = 0;
    w->OnChange = [&](QObject *) { ++n; };
    w->SetTime(EncodeTime(9, 40, 0));
    ASSERT_TRUE(host.show());
    const TRect box = w->GetAMPMRect();
    QElapsedTimer clock;
    clock.start();
    host.click(w, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    // The roll shows one frame per pixel of the label's inner height, 10 ms apart.
    EXPECT_GE(clock.elapsed(), 10 * (box.Height() - 2) - 5);
    EXPECT_FALSE(w->AM());
    EXPECT_EQ(hm(w->Time()), QStringLiteral("21:40")); // at once, not animated
    EXPECT_FALSE(timers.back()->isActive());
    EXPECT_EQ(n, 1);
}

TEST_F(Watch, TheHandsEndWhereTheFormulasPutThem)
{
    // 180 by 180: face 160, r 80, centre (90, 90); hour hand 0.1 r behind to 0.5 r, minute to 0.7 r.
    struct Row {
        int h, m;
        std::vector<TPoint> hour, minute;
    } rows[] = {
        {3, 0, {{82, 90}, {130, 90}}, {{90, 98}, {90, 34}}},
        {10, 30, {{96, 96}, {62, 62}}, {{90, 82}, {90, 146}}},
        {7, 45, {{96, 85}, {58, 114}}, {{98, 90}, {34, 90}}},
    };
    watch->SetAnimation(false);
    for (const Row &r : rows) {
        watch->SetTime(EncodeTime(r.h, r.m, 0));
        TRecordingCanvas rec;
        watch->DrawHands(rec);
        const auto hour = linesOf(rec, clBlack, 4), minute = linesOf(rec, clBlack, 3);
        ASSERT_EQ(hour.size(), 1u);
        ASSERT_EQ(minute.size(), 1u);
        EXPECT_EQ(hour[0].points, r.hour) << r.h << ":" << r.m;
        EXPECT_EQ(minute[0].points, r.minute) << r.h << ":" << r.m;
        // Shadows: the same hands shifted down 3 (and the hour hand left 1), 0.46 r and 0.65 r long.
        ASSERT_EQ(linesOf(rec, clBtnShadow, 4).size(), 1u);
        ASSERT_EQ(linesOf(rec, clBtnShadow, 3).size(), 1u);
    }
    TRecordingCanvas rec;
    watch->SetTime(EncodeTime(3, 0, 0));
    watch->DrawHands(rec);
    EXPECT_EQ(linesOf(rec, clBtnShadow, 4)[0].points, (std::vector<TPoint>{{81, 93}, {126, 93}}));
    EXPECT_EQ(linesOf(rec, clBtnShadow, 3)[0].points, (std::vector<TPoint>{{90, 101}, {90, 41}}));
}

TEST_F(Watch, PointerHandsArePolygonsWithShiftedShadows)
{
    watch->SetAnimation(false);
    watch->Appearance().SetPointerStyle(psPointer);
    watch->SetTime(EncodeTime(3, 0, 0));
    TRecordingCanvas rec;
    watch->DrawHands(rec);
    const auto polys = rec.OfKind(TCanvasOp::Polygon);
    ASSERT_EQ(polys.size(), 4u); // hour shadow, hour, minute shadow, minute
    // The hour hand at 90 degrees: 8 behind, 4 to either side, the tip 40 out.
    EXPECT_EQ(polys[1].points, (std::vector<TPoint>{{82, 90}, {90, 86}, {130, 90}, {90, 94}}));
    EXPECT_EQ(polys[0].points, (std::vector<TPoint>{{83, 93}, {91, 89}, {131, 93}, {91, 97}}));
    EXPECT_EQ(polys[0].brush.Color, clBtnShadow);
    watch->Appearance().SetPointerStyle(psShortLine);
    rec.Clear();
    watch->DrawHands(rec);
    EXPECT_EQ(rec.Count(TCanvasOp::Polygon) + rec.Count(TCanvasOp::Line), 0);
}

TEST_F(Watch, MarksAndNumbersByTickMarks)
{
    struct Row {
        TTickMarks marks;
        THourMarkStyle style;
        int lines, numbers;
    } rows[] = {
        {tmAll, hmsLine, 12 + 48, 12},         {tmHours, hmsLine, 12, 0},
        {tmHours, hmsQuartDblLine, 16, 0},     {tmQuartHours, hmsLine, 4, 4},
        {tmQuartHours, hmsQuartDblLine, 8, 4}, {tmNone, hmsLine, 0, 0},
    };
    for (const Row &r : rows) {
        watch->Appearance().SetTickMarks(r.marks);
        watch->Appearance().SetHourMarkStyle(r.style);
        TRecordingCanvas rec;
        watch->DrawTickMarks(rec);
        watch->DrawNumbers(rec);
        EXPECT_EQ(rec.Count(TCanvasOp::Line), r.lines) << int(r.marks) << "/" << int(r.style);
        EXPECT_EQ(rec.Texts().size(), r.numbers) << int(r.marks);
    }
    // The mark at 3 o'clock runs from 0.9 of the outer radius (80 - 2) to it.
    watch->Appearance().SetTickMarks(tmQuartHours);
    watch->Appearance().SetHourMarkStyle(hmsLine);
    TRecordingCanvas rec;
    watch->DrawTickMarks(rec);
    watch->DrawNumbers(rec);
    EXPECT_EQ(rec.OfKind(TCanvasOp::Line)[0].points, (std::vector<TPoint>{{160, 90}, {168, 90}}));
    EXPECT_EQ(rec.Texts(), (QStringList{"3", "6", "9", "12"}));
    watch->SetShowNumbers(false);
    rec.Clear();
    watch->DrawNumbers(rec);
    EXPECT_TRUE(rec.Texts().isEmpty());
}

TEST_F(Watch, StylesSizeByTheWatchAndKeepWhatTheyDoNotSet)
{
    watch->resize(180, 150);
    watch->SetShowAMPM(false);
    watch->SetStyle(wsTower);
    EXPECT_FALSE(watch->ShowAMPM()); // the tower style leaves it
    EXPECT_FALSE(watch->ShowNumbers());
    EXPECT_EQ(watch->Appearance().Shape(), wsRect);
    watch->SetStyle(wsSuperNova);
    EXPECT_EQ(watch->Appearance().HourMarkLength(), 33);
    EXPECT_EQ(watch->Appearance().MinuteMarkLength(), 50);
    watch->SetStyle(wsSports);
    EXPECT_EQ(watch->Appearance().CenterPointSize(), 42);
    watch->Appearance().SetCenterPointSize(7);
    watch->SetStyle(wsSports); // the same style again: nothing
    EXPECT_EQ(watch->Appearance().CenterPointSize(), 7);
    watch->SetAnimation(false);
    watch->SetAnimationFactor(3);
    watch->SetStyle(wsClassic);
    EXPECT_TRUE(watch->Animation());
    EXPECT_EQ(watch->AnimationFactor(), 10);
    EXPECT_TRUE(watch->ShowAMPM());
    watch->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(watch->Appearance().BackgroundColor(), TColor(0xFFD2AF));
}

TEST_F(Watch, TheAmPmLabelSitsBelowTheCentre)
{
    TRecordingCanvas rec;
    // "AM" is 14 by 13 on the recording canvas: the box is 22 wide, round((80 - 13) / 3) = 22 below.
    EXPECT_EQ(watch->GetAMPMRect(rec), (TRect{79, 112, 101, 125}));
    watch->DrawAMPM(rec);
    EXPECT_EQ(rec.Count(TCanvasOp::Rectangle), 1);
    EXPECT_EQ(rec.Texts(), QStringList{"AM"});
    watch->SetAnimation(false);
    watch->SetTime(EncodeTime(13, 0, 0));
    rec.Clear();
    watch->DrawAMPM(rec);
    EXPECT_EQ(rec.Texts(), QStringList{"PM"});
    watch->SetShowAMPM(false);
    EXPECT_EQ(watch->GetAMPMRect(rec), (TRect{-1, -1, -1, -1}));
}

TEST_F(Watch, AutomaticModeShowsTheRunningClock)
{
    now = QDateTime(QDate(2024, 5, 6), QTime(14, 20, 30));
    watch->Settings().SetTimeOffset(90);
    watch->Settings().SetAuto(true);
    EXPECT_TRUE(timers[0]->isActive());
    EXPECT_EQ(hm(watch->ShownTime()), QStringLiteral("15:50"));
    watch->SetAnimation(false);
    const TDateTime before = watch->Time();
    watch->WatchKeyDown(Qt::Key_PageUp); // keys do nothing
    EXPECT_EQ(watch->Time(), before);

    TRecordingCanvas rec;
    watch->DrawHands(rec);
    EXPECT_FALSE(watch->AM());
    EXPECT_EQ(linesOf(rec, clRed, 1).size(), 1u); // the second hand
    watch->Settings().SetSecond(false);
    rec.Clear();
    watch->DrawHands(rec);
    EXPECT_TRUE(linesOf(rec, clRed, 1).empty());

    watch->Settings().SetAuto(false);
    EXPECT_FALSE(timers[0]->isActive());
}

TEST_F(Watch, PaintsOnTheScreen)
{
    paneltest::Host host(200, 200);
    TNovaWatch *w = host.add<TNovaWatch>();
    w->SetStyle(wsBlack);
    ASSERT_TRUE(host.show());
    const QImage img = host.window.grab().toImage();
    // The black style's dark face, and its white centre under the hands.
    EXPECT_EQ(FromQColor(img.pixelColor(110, 110)), TColor(0x202020));
    EXPECT_EQ(FromQColor(img.pixelColor(90, 90)), clWhite);
}
