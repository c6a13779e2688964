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
