// Pictures of a right-to-left grid: bitmaps, icons and pictures take the mirrored place in their
// cell, and are not turned into mirror images of themselves (pixel probes).
#include "grid/NovaGrid.h"

#include <QBuffer>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// Red on the left, blue on the right: a mirror image shows at once.
QImage twoColours(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::red);
    QPainter p(&img);
    p.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return img;
}

QByteArray pngOf(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

struct RightToLeftPictures : ::testing::Test {
    TNovaStringGrid g;
    QImage picture = twoColours(20, 10);
    QIcon icon{QPixmap::fromImage(picture)};
    const TRect cell{0, 0, 120, 24};

    void SetUp() override
    {
        g.resize(400, 200);
        g.SetColCount(5);
        g.SetRowCount(3);
        g.SetColWidths(1, 120);
        g.SetRowHeights(1, 24);
    }
    // The cell's graphic alone, drawn on white in the cell rectangle.
    QImage draw(int c)
    {
        TImageCanvas k(cell.Width(), cell.Height(), clWhite);
        TCellVAlign gv;
        TCellHAlign gh;
        bool beside;
        int h = 0, w = 0;
        TCellGraphic *p = g.MeasureCellGraphic(c, 1, gv, gh, beside, h, w);
        EXPECT_NE(p, nullptr);
        if (p)
            g.DrawGraphicInCell(k, *p, cell, c, 1, taLeftJustify, vtaTop, 0, w, h, false);
        k.End();
        return k.Image();
    }
    // Left and right end of the non-white columns along the middle row of the picture.
    static std::pair<int, int> extent(const QImage &img)
    {
        int first = -1, last = -1;
        const int y = 6;
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white)) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return {first, last};
    }
};

} // namespace

TEST_F(RightToLeftPictures, PicturesTakeTheMirroredPlaceAndKeepTheirSides)
{
    g.AddBitmap(1, 1, &picture, false, haLeft, vaTop);
    g.AddIcon(2, 1, &icon, haLeft, vaTop);
    THTMLPicture *pic = g.CreatePicture(3, 1, false, noStretch, 0, haLeft, vaTop);
    pic->LoadFromData(pngOf(picture));

    for (int c : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "column " << c);
        g.setLayoutDirection(Qt::LeftToRight);
        const QImage ltr = draw(c);
        const auto [l1, r1] = extent(ltr);
        ASSERT_GE(l1, 0);
        EXPECT_LT(l1, cell.Width() / 2) << "placed left";
        g.setLayoutDirection(Qt::RightToLeft);
        const QImage rtl = draw(c);
        const auto [l2, r2] = extent(rtl);
        ASSERT_GE(l2, 0);
        // The same distance from the right edge as from the left one before.
        EXPECT_EQ(cell.Width() - 1 - r2, l1);
        EXPECT_EQ(r2 - l2, r1 - l1);
        // Red still on the left: not a mirror image.
        EXPECT_EQ(rtl.pixelColor(l2 + 1, 6), QColor(Qt::red));
        EXPECT_EQ(rtl.pixelColor(r2 - 1, 6), QColor(Qt::blue));
    }
}

TEST_F(RightToLeftPictures, CentredAndFullPicturesStayWhereTheyWere)
{
    g.AddBitmap(1, 1, &picture, false, haCenter, vaTop);
    g.setLayoutDirection(Qt::LeftToRight);
    const auto ltr = extent(draw(1));
    g.setLayoutDirection(Qt::RightToLeft);
    const auto rtl = extent(draw(1));
    // Centred in an even width: the mirrored place is the same up to the odd pixel.
    EXPECT_NEAR(rtl.first, ltr.first, 1);
    EXPECT_EQ(rtl.second - rtl.first, ltr.second - ltr.first);
}

// Right to left the columns stay in their order on this canvas, so each cell's text stays in its
// own cell and takes the mirrored place there, as pictures do.
TEST_F(RightToLeftPictures, TextStaysInItsOwnCellInTheMirroredPlace)
{
    g.SetColWidths(2, 90);
    for (const int c : {1, 2, 3}) {
        SCOPED_TRACE(c);
        g.SetCells(c, 1, QStringLiteral("text"));
        auto textRect = [&](Qt::LayoutDirection d) {
            g.setLayoutDirection(d);
            TRecordingCanvas rc;
            g.PaintCell(rc, c, 1, {}, {});
            const auto texts = rc.OfKind(TCanvasOp::Text);
            EXPECT_EQ(texts.size(), 1u);
            return texts.empty() ? TRect{} : texts.back().rect;
        };
        const TRect L = textRect(Qt::LeftToRight);
        const TRect R = textRect(Qt::RightToLeft);
        const TRect C = g.CellRect(c, 1);
        EXPECT_GE(R.Left, C.Left);
        EXPECT_LE(R.Right, C.Right);
        EXPECT_EQ(R, (TRect{C.Left + C.Right - L.Right, L.Top, C.Left + C.Right - L.Left, L.Bottom}));
    }
}
