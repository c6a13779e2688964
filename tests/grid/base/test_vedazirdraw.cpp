#include "grid/base/VedAzirDraw.h"
#include "grid/base/Theme.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

TEST(ColourArithmetic, BrightnessHalvingAndInterpolation)
{
    EXPECT_EQ(ChangeColorBrightness(RGBColor(200, 100, 50), 50), RGBColor(44, 150, 75)); // 300 keeps its low byte
    EXPECT_EQ(ChangeColorBrightness(RGBColor(200, 100, 50), -50), RGBColor(100, 50, 25));
    EXPECT_EQ(HalveColor(clWindow), RGBColor(127, 127, 127)); // system colours resolve first
    EXPECT_EQ(HalveColor(RGBColor(9, 255, 1)), RGBColor(4, 127, 0));
    EXPECT_EQ(InterpolateColor(clRed, clNone, 0, 10, 5), clRed);
    EXPECT_EQ(InterpolateColor(RGBColor(0, 0, 0), RGBColor(200, 100, 10), 0, 10, 5), RGBColor(100, 50, 5));
    EXPECT_EQ(InterpolateColor(clRed, clBlue, 3, 3, 1), clRed); // empty range: no division by zero
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

TEST(DrawGradient, BandsFollowTheTable)
{
    TRecordingCanvas k;
    DrawGradient(k, clBlack, RGBColor(255, 0, 0), 5, {0, 0, 4, 11}, false);
    // length 10, 5 steps: six bands of 3 pixels every 2 pixels, the last cut at the end
    struct Band {
        int top, bottom, red;
    };
    const Band bands[] = {{0, 3, 0}, {2, 5, 51}, {4, 7, 102}, {6, 9, 153}, {8, 11, 204}, {10, 11, 255}};
    const auto fills = k.OfKind(TCanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(fills[i].rect, (TRect{0, bands[i].top, 4, bands[i].bottom})) << i;
        EXPECT_EQ(fills[i].brush.Color, RGBColor(bands[i].red, 0, 0)) << i;
        EXPECT_EQ(fills[i].pen.Color, fills[i].brush.Color);
    }
}

TEST(DrawGradient, EdgeCases)
{
    TRecordingCanvas k;
    DrawGradient(k, clRed, clBlue, 10, {0, 5, 10, 5}, true); // equal top and bottom
    EXPECT_TRUE(k.Ops.empty());
    DrawGradient(k, clNone, clRed, 10, {0, 0, 10, 5}, true);
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].brush.Color, clRed);
    EXPECT_EQ(k.Ops[0].rect, (TRect{0, 0, 10, 5}));
    k.Clear();
    DrawGradient(k, clRed, clBlue, 64, {0, 8, 5, 3}, true); // reversed, steps cut to width - 1
    EXPECT_EQ(k.Count(TCanvasOp::FillRect), 5);
    EXPECT_EQ(k.Ops.front().rect.Top, 3);
    EXPECT_EQ(k.Ops.back().brush.Color, clBlue);
}

TEST(DrawGradient, PixelsOnAnImage)
{
    TImageCanvas k(20, 20, clWhite);
    DrawGradient(k, clBlack, RGBColor(0, 0, 190), 19, {0, 0, 20, 20}, true);
    k.End();
    EXPECT_EQ(k.PixelAt(0, 10), clBlack);
    EXPECT_EQ(k.PixelAt(10, 10), RGBColor(0, 0, 100));
    EXPECT_EQ(k.PixelAt(19, 0), RGBColor(0, 0, 190));
}

TEST(DrawGradientBackground, SolidMirroredAndBorders)
{
    TRecordingCanvas k;
    DrawGradientBackground(k, {0, 0, 10, 10}, clRed, clNone, clNone, clNone, true, clNone, false, true);
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].rect, (TRect{0, 0, 10, 11})); // one pixel taller
    k.Clear();
    DrawGradientBackground(k, {0, 0, 10, 20}, clRed, clRed, clBlue, clBlue, true, clGreen, true, true);
    const auto fills = k.OfKind(TCanvasOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().brush.Color, clRed);
    EXPECT_EQ(fills.front().rect.Top, 0);
    EXPECT_EQ(fills.back().brush.Color, clBlue);
    EXPECT_EQ(fills.back().rect.Bottom, 20);
    const auto lines = k.OfKind(TCanvasOp::Line);
    ASSERT_EQ(lines.size(), 2u); // sides only
    EXPECT_EQ(lines[0].points[0].X, 0);
    EXPECT_EQ(lines[1].points[0].X, 9);
    k.Clear();
    DrawGradientBackground(k, {0, 0, 10, 20}, clNone, clRed, clNone, clNone, true, clGreen, false, true);
    ASSERT_EQ(k.Ops.size(), 1u); // no fill for clNone, only the frame
    EXPECT_EQ(k.Ops[0].kind, TCanvasOp::FrameRect);
}

TEST(DrawStyledSelection, PixelsOfAClosedBox)
{
    TImageCanvas k(30, 20, clWhite);
    DrawStyledSelection(k, 0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, clRed,
                        {0, 0, 30, 20}, 0);
    k.End();
    EXPECT_EQ(k.PixelAt(0, 0), clRed);              // corner pixel in the corner colour
    EXPECT_EQ(k.PixelAt(1, 0), 0xC3D9DFu);          // next to it: inner corner colour
    EXPECT_EQ(k.PixelAt(10, 0), 0x8DD7D3u);         // top border
    EXPECT_EQ(k.PixelAt(0, 8), 0x8DD7D3u);          // left border
    EXPECT_EQ(k.PixelAt(10, 1), 0xF4FEFFu);         // upper inner line
    EXPECT_EQ(k.PixelAt(10, 2), 0xD7FFFDu);         // start of the upper gradient
    EXPECT_EQ(k.PixelAt(10, 16), 0xB3F1FCu);        // end of the lower one
}

TEST(DrawProgressBar, FormatAndDonePart)
{
    platform::ScopedFormatSettings fs(platform::FormatSettings{});
    TRecordingCanvas k;
    k.Brush.Color = clYellow;
    DrawProgressBar(k, {0, 0, 100, 20}, clBlue, clWhite, clSilver, clBlack, 42.6, 0, 0, 0, 200, QStringLiteral("%d %%"),
                    clBlack, false);
    const QStringList texts = k.Texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], QStringLiteral("43 %"));
    const auto fills = k.OfKind(TCanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (TRect{0, 0, 21, 20})); // 21 %
    EXPECT_EQ(fills[0].brush.Color, clBlue);
    EXPECT_EQ(fills[1].rect, (TRect{21, 0, 100, 20}));
    const auto texts2 = k.OfKind(TCanvasOp::Text);
    EXPECT_EQ(texts2[0].font.Color, clWhite);
    EXPECT_EQ(texts2[1].font.Color, clBlack);
    const auto frames = k.OfKind(TCanvasOp::FrameRect);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].brush.Color, clYellow); // the remembered brush colour outside
    k.Clear();
    DrawProgressBar(k, {0, 0, 100, 20}, clBlue, clWhite, clSilver, clBlack, 150, 0, 0, 0, 100, QString(), clNone, false);
    EXPECT_EQ(k.Texts().front(), QStringLiteral("150%"));
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect).size(), 1u); // limited to 100: all done
}

TEST(DrawStyledProgressBar, LevelColoursByPercent)
{
    TProgressAppearanceData ap;
    ap.Level1Perc = 70;
    ap.Level2Perc = 90;
    ap.ShowGradient = false;
    ap.ShowPercentage = false;
    ap.CompletionSmooth = true;
    const struct {
        int percent;
        TColor color;
    } cases[] = {{50, ap.Level0Color}, {80, ap.Level1Color}, {95, ap.Level2Color}, {100, ap.Level3Color}};
    for (const auto &c : cases) {
        TRecordingCanvas k;
        DrawStyledProgressBar(k, {0, 0, 102, 12}, c.percent, ap);
        const auto fills = k.OfKind(TCanvasOp::FillRect);
        ASSERT_EQ(fills.size(), 1u) << c.percent;
        EXPECT_EQ(fills[0].brush.Color, c.color) << c.percent;
        EXPECT_EQ(fills[0].rect.Width(), c.percent) << c.percent;
    }
    ap.Stacked = true;
    TRecordingCanvas k;
    DrawStyledProgressBar(k, {0, 0, 102, 12}, 100, ap);
    const auto fills = k.OfKind(TCanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].rect, (TRect{1, 1, 71, 11}));
    EXPECT_EQ(fills[1].brush.Color, ap.Level1Color);
    EXPECT_EQ(fills[2].rect.Right, 101);
}

TEST(DrawShapes, CircleSquaresItsBoxAndRangeIndicatorClamps)
{
    TRecordingCanvas k;
    DrawCellShape(k, 5, 5, 20, 10, csCircle, clRed, clBlack);
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].kind, TCanvasOp::Ellipse);
    EXPECT_EQ(k.Ops[0].rect, (TRect{5, 5, 15, 15}));
    k.Clear();
    DrawCellShape(k, 0, 0, 10, 10, 19, clRed, clBlack);
    EXPECT_TRUE(k.Ops.empty());
    DrawCellShape(k, 0, 0, 20, 20, csTriangleDown, clRed, clBlack);
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].points, (std::vector<TPoint>{{0, 0}, {20, 0}, {10, 20}}));
    k.Clear();
    DrawCellShape(k, 0, 0, 20, 20, csStar, clRed, clBlack);
    EXPECT_EQ(k.Ops[0].points.size(), 10u);
    EXPECT_EQ(k.Ops[0].points[0], (TPoint{10, 0}));
    k.Clear();
    DrawRangeIndicator(k, {0, 0, 104, 10}, 150, 100, false, clRed, clGreen);
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].rect, (TRect{52, 2, 102, 8})); // the whole right half
    EXPECT_EQ(k.Ops[0].brush.Color, clGreen);
    k.Clear();
    DrawRangeIndicator(k, {0, 0, 104, 10}, -50, 100, false, clRed, clGreen);
    EXPECT_EQ(k.Ops[0].rect, (TRect{27, 2, 52, 8}));
    EXPECT_EQ(k.Ops[0].brush.Color, clRed);
}

TEST(CellButtons, CustomLookUsesTheTonesAndClassicNeedsNoTheme)
{
    EXPECT_FALSE(IsThemeActive());
    TButtonTones tones;
    tones.Fill[3] = clYellow;  // hot
    tones.Border[0] = clBlue;  // normal border: the separator
    tones.Glyph[0] = clRed;    // normal glyph: the arrow
    TRecordingCanvas k;
    DrawComboButton(k, nullptr, {0, 0, 100, 20}, 3, 1, tones);
    const auto rects = k.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect, (TRect{84, 1, 98, 19}));
    EXPECT_EQ(rects[0].brush.Color, clYellow);
    const auto polys = k.OfKind(TCanvasOp::Polygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].points, (std::vector<TPoint>{{89, 9}, {95, 9}, {92, 12}}));
    EXPECT_EQ(polys[0].brush.Color, clRed);
    EXPECT_EQ(k.OfKind(TCanvasOp::Line)[0].pen.Color, clBlue);
    k.Clear();
    // Themed look without visual styles: the classic face with an arrow.
    DrawComboButton(k, nullptr, {0, 0, 100, 20}, 0, 0, tones);
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].brush.Color, clBtnFace);
    EXPECT_EQ(k.Count(TCanvasOp::Polygon), 1);
    k.Clear();
    DrawSpinButtons(k, nullptr, {0, 0, 100, 20}, 3, 0, tones);
    const auto spin = k.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(spin.size(), 2u);
    EXPECT_EQ(spin[0].rect, (TRect{84, -1, 99, 9}));
    EXPECT_EQ(spin[1].rect, (TRect{84, 10, 99, 19}));
    k.Clear();
    DrawDropDownArrow(k, 10, 5, clBlack);
    EXPECT_EQ(k.Ops[0].points, (std::vector<TPoint>{{7, 5}, {13, 5}, {10, 8}}));
}

TEST(DrawBitmapTransparent, TopLeftColourBecomesTheBackground)
{
    QImage bmp(4, 4, QImage::Format_RGB32);
    bmp.fill(Qt::magenta);
    bmp.setPixel(2, 2, qRgb(0, 0, 255));
    TImageCanvas k(10, 10, clWhite);
    DrawBitmapTransparent(k, bmp, clGreen, {3, 3, 7, 7});
    k.End();
    EXPECT_EQ(k.PixelAt(3, 3), clGreen);
    EXPECT_EQ(k.PixelAt(5, 5), RGBColor(0, 0, 255));
    EXPECT_EQ(k.PixelAt(8, 8), clWhite);
}

TEST(CallerForms, OverloadsDrawTheSameAsTheRoutines)
{
    TRecordingCanvas a, b;
    DrawGradient(a, clRed, clBlue, 8, {0, 0, 30, 10}, true);
    DrawGradient(b, clRed, clBlue, true, {0, 0, 30, 10}, 8);
    ASSERT_EQ(a.Ops.size(), b.Ops.size());
    for (size_t i = 0; i < a.Ops.size(); ++i) {
        EXPECT_EQ(a.Ops[i].rect, b.Ops[i].rect);
        EXPECT_EQ(a.Ops[i].brush.Color, b.Ops[i].brush.Color);
    }
    a.Clear();
    b.Clear();
    const TColor neg = clRed, pos = clGreen;
    DrawRangeIndicator(a, {0, 0, 104, 10}, 40, 100, false, neg, pos);
    DrawRangeIndicator(b, {0, 0, 104, 10}, 40, neg, pos, false, 100);
    ASSERT_EQ(b.Ops.size(), 1u);
    EXPECT_EQ(a.Ops[0].rect, b.Ops[0].rect);
}

TEST(DrawGradientRect, TwoBandsLeaveTheFarRowUnpainted)
{
    // height 10: the bands cover rows 0..8, the bottom row stays as it was
    TImageCanvas img(6, 10, clRed);
    DrawGradientRect(img, clBlack, clWhite, 2, {0, 0, 6, 10}, false);
    img.End();
    EXPECT_EQ(img.PixelAt(3, 0), clBlack);
    EXPECT_EQ(img.PixelAt(3, 3), clBlack);
    EXPECT_EQ(img.PixelAt(3, 5), RGBColor(128, 128, 128)); // round(127.5) to even
    EXPECT_EQ(img.PixelAt(3, 8), RGBColor(128, 128, 128));
    EXPECT_EQ(img.PixelAt(3, 9), clRed);
    EXPECT_EQ(img.PixelAt(5, 8), RGBColor(128, 128, 128)); // full width when vertical
}

TEST(DrawGradientRect, StepsAndDirections)
{
    struct Case {
        const char *what;
        int steps;
        TRect r;
        bool horizontal;
        std::vector<TRect> bands;
    };
    const Case cases[] = {
        {"no steps: one band of the start colour", 0, {2, 3, 12, 8}, true, {{2, 3, 11, 8}}},
        {"negative steps count as one", -4, {0, 0, 5, 5}, false, {{0, 0, 5, 4}}},
        {"bands overlap by one pixel", 3, {0, 0, 10, 4}, true, {{0, 0, 4, 4}, {3, 0, 7, 4}, {6, 0, 9, 4}}},
        // 11 rows: rounding would reach the last row; the band is cut before it
        {"rounding never reaches the far row", 2, {0, 0, 3, 11}, false, {{0, 0, 3, 6}, {0, 5, 3, 10}}},
        {"an empty rectangle draws nothing", 4, {0, 0, 1, 9}, true, {}},
    };
    for (const Case &c : cases) {
        TRecordingCanvas k;
        DrawGradientRect(k, clBlack, RGBColor(0, 0, 90), c.steps, c.r, c.horizontal);
        const auto fills = k.OfKind(TCanvasOp::FillRect);
        ASSERT_EQ(fills.size(), c.bands.size()) << c.what;
        for (size_t i = 0; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].rect, c.bands[i]) << c.what << " band " << i;
            EXPECT_EQ(fills[i].pen.Color, fills[i].brush.Color) << c.what;
        }
        if (!fills.empty())
            EXPECT_EQ(fills[0].brush.Color, clBlack) << c.what;
    }
}

TEST(DrawGradientRect, SystemColoursAreResolved)
{
    TRecordingCanvas k;
    DrawGradientRect(k, clWindow, clWindow, 1, {0, 0, 4, 4}, true);
    ASSERT_EQ(k.Count(TCanvasOp::FillRect), 1);
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].brush.Color, ColorToRGB(clWindow));
}

TEST(BrightnessColor, BytesScaleCapAndLift)
{
    struct Case {
        TColor in;
        int low, mid, high;
        TColor out;
    };
    const Case cases[] = {
        {0xF5F0E1, -10, -10, 0, 0xF5D8CA}, // the button's hot colours become its checked ones
        {0xF9D2B2, -10, -10, 0, 0xF9BDA0},
        {RGBColor(100, 100, 100), 50, 20, 0, RGBColor(100, 100, 100)}, // never above 100 %
        {RGBColor(0, 0, 200), 30, -5, -50, RGBColor(30, 0, 100)},       // zero bytes take the percent
        {RGBColor(0, 0, 0), 400, -200, 0, RGBColor(255, 0, 0)},         // kept within a byte
        {RGBColor(10, 10, 10), -200, 0, 0, RGBColor(0, 10, 10)},
        {RGBColor(25, 5, 15), -50, -50, -50, RGBColor(12, 2, 8)},        // 12.5, 2.5, 7.5 to even
    };
    for (const Case &c : cases)
        EXPECT_EQ(BrightnessColor(c.in, c.low, c.mid, c.high), c.out) << std::hex << c.in;
    EXPECT_EQ(BrightnessColor(clWhite, -10, -10, -10), BrightnessColor(ColorToRGB(clWhite), -10, -10, -10));
    EXPECT_EQ(BrightnessColor(clBtnFace, 0, 0, 0), ColorToRGB(clBtnFace));
}
