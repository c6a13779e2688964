#include "grid/base/FeedbackWindows.h"
#include "grid/base/VedAzirDraw.h"

#include <QApplication>
#include <QPolygon>
#include <QRegion>
#include <gtest/gtest.h>

TEST(ArrowWindow, MaskIsItsPolygonAndItIsLime)
{
    struct Case {
        TArrowDirection dir;
        int w, h;
    };
    const Case cases[] = {{arrUp, 11, 10}, {arrDown, 10, 9}, {arrLeft, 9, 11}, {arrRight, 9, 11}};
    QWidget owner;
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.dir));
        TArrowWindow a(&owner, c.dir);
        EXPECT_FALSE(a.isVisible());
        EXPECT_EQ(a.Dir(), c.dir);
        EXPECT_EQ(a.width(), c.w);
        EXPECT_EQ(a.height(), c.h);
        const auto pts = TArrowWindow::Outline(c.dir);
        const QPolygon poly(QList<QPoint>(pts.begin(), pts.end()));
        EXPECT_EQ(a.mask(), QRegion(poly, Qt::WindingFill));
        // The mouse and the paint reach only the arrow: corners lie outside the mask.
        EXPECT_FALSE(a.mask().contains(QPoint(0, 0)) && a.mask().contains(QPoint(c.w - 1, c.h - 1)));
        const QImage shot = a.grab().toImage();
        const QPoint inside = poly.boundingRect().center();
        ASSERT_TRUE(a.mask().contains(inside));
        EXPECT_EQ(shot.pixelColor(inside), QColor(0, 255, 0));
    }
}

TEST(GridAlphaMask, MergeMaskPremultipliesByTheMasksRed)
{
    QImage mask(2, 1, QImage::Format_RGB888);
    mask.setPixel(0, 0, qRgb(128, 7, 7));
    mask.setPixel(1, 0, qRgb(255, 0, 0));
    QImage bmp(2, 1, QImage::Format_RGB888);
    bmp.setPixel(0, 0, qRgb(0, 100, 200)); // red 0, green 100, blue 200
    bmp.setPixel(1, 0, qRgb(10, 20, 30));
    TGridAlphaMask m;
    EXPECT_EQ(m.Opacity(), 255);
    m.MergeMask(mask, bmp);
    ASSERT_EQ(m.Image().format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb p = m.Image().pixel(0, 0);
    EXPECT_EQ(qBlue(p), 100);
    EXPECT_EQ(qGreen(p), 50);
    EXPECT_EQ(qRed(p), 0);
    EXPECT_EQ(qAlpha(p), 128);
    EXPECT_EQ(m.Image().pixel(1, 0), qRgba(10, 20, 30, 255));

    // A bitmap that is not 24-bit changes nothing.
    TGridAlphaMask n;
    n.MergeMask(mask, bmp.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(n.Empty());

    // Assign takes opacity and pixels.
    m.SetOpacity(230);
    TGridAlphaMask copy;
    copy.Assign(m);
    EXPECT_EQ(copy.Opacity(), 230);
    EXPECT_EQ(copy.Image(), m.Image());
}

TEST(Blur, ChannelSumsBecomeBytes)
{
    const std::pair<double, int> cases[] = {{255.0, 255}, {255.7, 255}, {-0.3, 0}, {127.9, 127}, {0.0, 0}, {300, 255}};
    for (auto [sum, byte] : cases)
        EXPECT_EQ(TrimInt(sum), byte) << sum;
}

TEST(Blur, KernelIsNormalisedAndTrimmed)
{
    const TGaussKernel k = MakeGaussKernel(3);
    EXPECT_GE(k.Radius, 1);
    EXPECT_LT(k.Radius, 10);
    double sum = 0;
    for (int i = -k.Radius; i <= k.Radius; ++i)
        sum += k.Weights[std::size_t(i + 10)];
    EXPECT_NEAR(sum, 1.0, 1e-5);
    EXPECT_FLOAT_EQ(k.Weights[std::size_t(10 - 1)], k.Weights[std::size_t(10 + 1)]);
    EXPECT_GT(k.Weights[10], k.Weights[11]);
}

TEST(Blur, OnlyTwentyFourBitImages)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QImage before = img;
    try {
        BlurBitmap(img, 3);
        FAIL() << "no error";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }
    EXPECT_EQ(img, before);
}

TEST(Blur, NarrowImagesAreBlurredEverywhereWideOnesCopyTheMiddle)
{
    // 30 x 30: every row and column is blurred; a single dot spreads evenly.
    QImage narrow(30, 30, QImage::Format_RGB888);
    narrow.fill(Qt::black);
    narrow.setPixel(15, 15, qRgb(255, 255, 255));
    BlurBitmap(narrow, 2);
    EXPECT_LT(qRed(narrow.pixel(15, 15)), 255);
    EXPECT_GT(qRed(narrow.pixel(16, 15)), 0);
    EXPECT_EQ(narrow.pixel(14, 15), narrow.pixel(16, 15));
    EXPECT_EQ(narrow.pixel(15, 14), narrow.pixel(15, 16));
    EXPECT_GT(qRed(narrow.pixel(17, 17)), 0);

    // 60 x 60: the interior takes row and column 15.
    QImage wide(60, 60, QImage::Format_RGB888);
    wide.fill(Qt::black);
    wide.setPixel(30, 30, qRgb(255, 255, 255)); // dropped: row 30 becomes a copy of row 15
    wide.setPixel(15, 5, qRgb(255, 0, 0));      // column 15 of an edge row: copied across the middle
    BlurBitmap(wide, 2);
    EXPECT_EQ(qRed(wide.pixel(30, 30)), 0);
    EXPECT_EQ(wide.pixel(30, 5), wide.pixel(15, 5));
    EXPECT_GT(qRed(wide.pixel(30, 5)), 0);
    EXPECT_EQ(wide.pixel(25, 5), wide.pixel(15, 5));
}

TEST(RoundRectMask, WhiteRingOnBlackBlurredAtItsEdges)
{
    QImage m;
    MakeRoundRectMask(m, 73, 31, 4, 5, 0);
    ASSERT_EQ(m.format(), QImage::Format_RGB888);
    EXPECT_EQ(m.size(), QSize(73, 31));
    EXPECT_EQ(m.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(m.pixel(36, 15), qRgb(0, 0, 0));   // interior stays black
    EXPECT_EQ(m.pixel(36, 4), qRgb(255, 255, 255)); // on the ring
    QImage filled;
    MakeRoundRectMask(filled, 40, 30, 0, 5, 0);
    EXPECT_EQ(filled.pixel(20, 15), qRgb(255, 255, 255));

    QImage blurred;
    MakeRoundRectMask(blurred, 73, 31, 4, 5, 3);
    EXPECT_GT(qRed(blurred.pixel(36, 1)), 0);   // glow outside the ring
    EXPECT_LT(qRed(blurred.pixel(36, 4)), 255);
}

TEST(FocusWindow, TakesNoFocusAndShowsTheLayeredImage)
{
    QWidget owner;
    TGridFocusWindow f(&owner);
    EXPECT_FALSE(f.isEnabled());
    EXPECT_EQ(f.size(), QSize(0, 0));
    EXPECT_TRUE(f.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QImage img(5, 5, QImage::Format_ARGB32_Premultiplied);
    img.fill(qRgba(10, 20, 30, 40));
    EXPECT_TRUE(CallUpdateLayeredWindow(&f, img, 230));
    EXPECT_EQ(f.Image(), img);
    EXPECT_NEAR(f.windowOpacity(), 230 / 255.0, 0.01);
}

TEST(FocusWindow, WithABackdropTheGlowIsBlendedOverItAndShownOpaque)
{
    QWidget owner;
    TGridFocusWindow f(&owner);
    // A ring pixel of the frame's light blue at half alpha, premultiplied, and a clear pixel.
    QImage glow(2, 1, QImage::Format_ARGB32_Premultiplied);
    glow.setPixel(0, 0, qRgba(0x97 / 2, 0xD3 / 2, 0xFD / 2, 128));
    glow.setPixel(1, 0, qRgba(0, 0, 0, 0));
    CallUpdateLayeredWindow(&f, glow, 230);
    struct Case {
        QRgb behind;
    };
    for (const Case c : {Case{qRgb(255, 255, 255)}, Case{qRgb(0, 0, 0)}, Case{qRgb(200, 40, 40)}}) {
        QImage back(2, 1, QImage::Format_RGB32);
        back.fill(c.behind);
        f.SetBackdrop(back);
        EXPECT_EQ(f.windowOpacity(), 1.0);
        const QImage shown = f.Composed();
        const double a = 128 / 255.0 * 230 / 255.0;
        const QRgb ring = shown.pixel(0, 0);
        EXPECT_EQ(qAlpha(ring), 255);
        EXPECT_NEAR(qRed(ring), 0x97 * a + qRed(c.behind) * (1 - a), 2);
        EXPECT_NEAR(qGreen(ring), 0xD3 * a + qGreen(c.behind) * (1 - a), 2);
        EXPECT_NEAR(qBlue(ring), 0xFD * a + qBlue(c.behind) * (1 - a), 2);
        // Where the glow is clear, what lies behind shows unchanged.
        EXPECT_EQ(shown.pixel(1, 0), c.behind | 0xFF000000u);
    }
    // A backdrop smaller than the frame leaves no see-through pixels.
    QImage small(1, 1, QImage::Format_RGB32);
    small.fill(Qt::red);
    f.SetBackdrop(small);
    EXPECT_EQ(qAlpha(f.Composed().pixel(1, 0)), 255);
    // Back to the translucent window: the image as it is, the opacity on the window.
    f.SetBackdrop(QImage());
    EXPECT_EQ(f.Composed(), glow);
    EXPECT_NEAR(f.windowOpacity(), 230 / 255.0, 0.01);
}
