#include "grid/base/Canvas.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(PainterCanvas, ShapesKeepExclusiveRightAndBottomEdges)
{
    TImageCanvas k(20, 20, clWhite);
    k.Brush.Color = clRed;
    k.FillRect({2, 2, 5, 4});
    k.Pen.Color = clBlue;
    k.Brush.Color = clLime;
    k.Rectangle({10, 10, 15, 14});
    k.Pen.Color = clBlack;
    k.MoveTo(0, 18);
    k.LineTo(6, 18); // end point not drawn
    k.MoveTo(19, 5);
    k.LineTo(19, 0);
    k.SetPixel(8, 8, clYellow);
    k.End();
    EXPECT_EQ(k.PixelAt(2, 2), clRed);
    EXPECT_EQ(k.PixelAt(4, 3), clRed);
    EXPECT_EQ(k.PixelAt(5, 3), clWhite);
    EXPECT_EQ(k.PixelAt(4, 4), clWhite);
    EXPECT_EQ(k.PixelAt(10, 10), clBlue); // outline on the edge pixels
    EXPECT_EQ(k.PixelAt(14, 13), clBlue);
    EXPECT_EQ(k.PixelAt(15, 13), clWhite);
    EXPECT_EQ(k.PixelAt(12, 12), clLime);
    EXPECT_EQ(k.PixelAt(5, 18), clBlack);
    EXPECT_EQ(k.PixelAt(6, 18), clWhite);
    EXPECT_EQ(k.PixelAt(19, 1), clBlack);
    EXPECT_EQ(k.PixelAt(19, 0), clWhite);
    EXPECT_EQ(k.PixelAt(8, 8), clYellow);
}

TEST(PainterCanvas, FocusRectInvertsEveryOtherEdgePixelAndASecondCallRestoresThem)
{
    TImageCanvas k(20, 20, clWhite);
    k.Brush.Color = 0x336699;
    k.FillRect({0, 0, 20, 20});
    k.DrawFocusRect({2, 3, 12, 9});
    k.End();
    const TColor inverted = 0x336699 ^ 0xFFFFFF;
    EXPECT_EQ(k.PixelAt(2, 3), inverted);  // corner
    EXPECT_EQ(k.PixelAt(3, 3), 0x336699u); // the next pixel is left alone
    EXPECT_EQ(k.PixelAt(4, 3), inverted);
    EXPECT_EQ(k.PixelAt(11, 8), inverted); // bottom-right corner (exclusive edges)
    EXPECT_EQ(k.PixelAt(12, 8), 0x336699u);
    EXPECT_EQ(k.PixelAt(6, 6), 0x336699u); // inside untouched

    TImageCanvas twice(20, 20, clWhite);
    twice.Brush.Color = 0x336699;
    twice.FillRect({0, 0, 20, 20});
    twice.DrawFocusRect({2, 3, 12, 9});
    twice.DrawFocusRect({2, 3, 12, 9});
    twice.End();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(twice.PixelAt(x, y), 0x336699u) << x << "," << y;
}

TEST(PainterCanvas, ClippingAndSavedState)
{
    TImageCanvas k(20, 20, clWhite);
    k.Brush.Color = clRed;
    k.SaveState();
    k.SetClipRect({5, 5, 10, 10});
    k.IntersectClipRect({0, 0, 8, 20});
    EXPECT_EQ(k.ClipRect(), (TRect{5, 5, 8, 10}));
    k.Brush.Color = clBlue;
    k.FillRect({0, 0, 20, 20});
    k.RestoreState();
    EXPECT_FALSE(k.HasClip());
    EXPECT_EQ(k.Brush.Color, clRed);
    k.End();
    EXPECT_EQ(k.PixelAt(6, 6), clBlue);
    EXPECT_EQ(k.PixelAt(8, 6), clWhite);
    EXPECT_EQ(k.PixelAt(4, 6), clWhite);
}

TEST(PainterCanvas, TextStaysInsideItsRectangle)
{
    TImageCanvas k(120, 30, clWhite);
    k.Font.Color = clBlack;
    k.Font.Size = 10;
    TRect r{10, 5, 40, 25};
    k.DrawText(QStringLiteral("MMMMMMMMMMMM"), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    k.End();
    int inside = 0, outside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (k.PixelAt(x, y) != clWhite)
                (r.Contains({x, y}) ? inside : outside)++;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    TPainterCanvas &pc = k;
    TRect calc{0, 0, 0, 0};
    pc.DrawText(QStringLiteral("iiiiii"), calc, DT_CALCRECT | DT_SINGLELINE);
    TRect calc2{0, 0, 0, 0};
    pc.DrawText(QStringLiteral("MMMMMM"), calc2, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_LT(calc.Right, calc2.Right); // real fonts are present
    EXPECT_EQ(pc.TextWidth(QStringLiteral("MMMMMM")), QFontMetrics(pc.Font.ToQFont()).horizontalAdvance(QStringLiteral("MMMMMM")));
}

TEST(PainterCanvas, WrappedTextBreaksBetweenWordsAndShowsNoPartLine)
{
    TImageCanvas k(200, 80, clWhite);
    k.Font.Color = clBlack;
    const QFontMetrics fm(k.Font.ToQFont());
    const int lh = fm.height();
    const int word = fm.horizontalAdvance(QStringLiteral("Parameter"));
    const unsigned wrap = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
    struct Case {
        const char *text;
        int width;
        unsigned flags;
        int lines; // as measured with DT_CALCRECT; -1: more than one
        int widest;
    } cases[] = {
        {"Parameter 10", word + 4, wrap | DT_EDITCONTROL, 2, word},           // breaks at the blank
        {"Parameter", word / 2, wrap, 1, word},                               // an overlong word keeps its line
        {"Parameter", word / 2, wrap | DT_EDITCONTROL, 1, word},              // never split inside
        {"Parameter 10", word - 4, wrap | DT_EDITCONTROL, 2, word},           // not even when too narrow
        {"one\rtwo\r\nthree\nfour", 150, wrap, 4, -1},                      // CR, CR LF and LF
        {"short", 150, wrap, 1, -1},
    };
    for (const Case &c : cases) {
        TRect calc{0, 0, c.width, 0};
        const int h = k.DrawText(QString::fromLatin1(c.text), calc, c.flags | DT_CALCRECT);
        if (c.lines > 0)
            EXPECT_EQ(h, c.lines * lh) << c.text;
        else
            EXPECT_GT(h, lh) << c.text;
        if (c.widest >= 0)
            EXPECT_EQ(calc.Width(), c.widest) << c.text;
    }

    // A rectangle one and a half lines high shows the first line only: nothing of the second
    // line peeks in under it. Two full lines show both.
    auto inked = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 200; ++x)
                if (k.PixelAt(x, y) != clWhite)
                    return true;
        return false;
    };
    TRect half{2, 2, 2 + word + 4, 2 + lh + lh / 2};
    k.DrawText(QStringLiteral("Parameter 10"), half, wrap | DT_EDITCONTROL);
    TRect full{2, 40, 2 + word + 4, 40 + 2 * lh};
    k.DrawText(QStringLiteral("Parameter 10"), full, wrap | DT_EDITCONTROL);
    k.End();
    EXPECT_TRUE(inked(2, 2 + lh));
    EXPECT_FALSE(inked(2 + lh, 40));
    EXPECT_TRUE(inked(40 + lh, 40 + 2 * lh));
    // The first line holds the whole word: ink reaches close to its measured end.
    bool nearEnd = false;
    for (int y = 2; y < 2 + lh; ++y)
        nearEnd = nearEnd || k.PixelAt(2 + word - 3, y) != clWhite || k.PixelAt(2 + word - 2, y) != clWhite;
    EXPECT_TRUE(nearEnd);
}

TEST(RecordingCanvas, RecordsStateAndFixedMetrics)
{
    TRecordingCanvas k;
    k.Brush.Color = clAqua;
    k.SetClipRect({0, 0, 50, 50});
    k.FillRect({1, 2, 3, 4});
    k.Pen.Color = clRed;
    k.MoveTo(1, 1);
    k.LineTo(9, 1);
    TRect r{0, 0, 100, 20};
    k.DrawText(QStringLiteral("abc"), r, DT_CENTER);
    TRect calc{5, 5, 5, 5};
    EXPECT_EQ(k.DrawText(QStringLiteral("ab\ncd"), calc, DT_CALCRECT), 26);
    EXPECT_EQ(calc, (TRect{5, 5, 19, 31}));
    EXPECT_EQ(k.TextExtent(QStringLiteral("abcd")), (TPoint{28, 13}));
    ASSERT_EQ(k.Ops.size(), 3u);
    EXPECT_EQ(k.Ops[0].brush.Color, clAqua);
    EXPECT_TRUE(k.Ops[0].clipped);
    EXPECT_EQ(k.Ops[0].clip, (TRect{0, 0, 50, 50}));
    EXPECT_EQ(k.Ops[1].points, (std::vector<TPoint>{{1, 1}, {9, 1}}));
    EXPECT_EQ(k.Ops[1].pen.Color, clRed);
    EXPECT_EQ(k.Ops[2].flags, unsigned(DT_CENTER));
    EXPECT_EQ(k.Texts(), QStringList{QStringLiteral("abc")});
}

TEST(Rects, IntersectionAndUnion)
{
    const TRect a{0, 0, 10, 10}, b{5, 5, 15, 15}, e{};
    EXPECT_EQ(a.Intersected(b), (TRect{5, 5, 10, 10}));
    EXPECT_TRUE(a.Intersected({20, 20, 30, 30}).IsEmpty());
    EXPECT_EQ(a.United(b), (TRect{0, 0, 15, 15}));
    EXPECT_EQ(e.United(b), b);
    EXPECT_EQ(TRect::FromQRect(a.ToQRect()), a);
    EXPECT_FALSE(a.Contains({10, 5}));
    EXPECT_TRUE(a.Contains({9, 9}));
}
