// The scroll bar of a scroll-bar cell: drawn at the cell's right end, the text kept left of it
// and moved up by the scroll position inside the cell's clip; pixels of the bar and its thumb;
// a picture of such a grid for a person to judge.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

struct CellScrollBar : ::testing::Test {
    TNovaStringGrid g;
    TRecordingCanvas rc;
    const QString text = QStringLiteral("one\ntwo\nthree\nfour\nfive\nsix");
    void SetUp() override
    {
        g.resize(420, 260);
        g.SetColCount(4);
        g.SetRowCount(5);
        g.SetColWidths(2, 140);
        g.SetRowHeights(2, 60);
        g.SetMultilinecells(true);
        g.SetCells(2, 2, text);
        g.SetCells(1, 2, text);
        g.AddScrollBar(2, 2, false);
        g.SetScrollProp(2, 2, {30, 120});
    }
    static int barWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }
    // The rectangle the grid hands its cell painter: inside the grid line.
    TRect content(int c, int r) { return g.CellRect(c, r).Inflate(-g.GridLineWidth(), -g.GridLineWidth()); }
    const TCanvasOp *textOp(const QString &t)
    {
        for (const TCanvasOp &op : rc.Ops)
            if (op.kind == TCanvasOp::Text && op.text == t)
                return &op;
        return nullptr;
    }
    QImage shot()
    {
        g.show();
        QApplication::processEvents();
        return g.viewport()->grab().toImage();
    }
};

} // namespace

TEST_F(CellScrollBar, BarAtTheRightEndTextLeftOfItAndMovedUpByThePosition)
{
    struct Case {
        int position;
        bool clipped;
    };
    for (const Case k : {Case{0, false}, Case{25, true}}) {
        SCOPED_TRACE(k.position);
        g.SetScrollPosition(2, 2, k.position);
        rc.Clear();
        g.PaintCell(rc, 2, 2, {}, {});
        const TRect C = content(2, 2);
        const auto images = rc.OfKind(TCanvasOp::Image);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].rect, (TRect{C.Right - barWidth(), C.Top, C.Right, C.Bottom}));

        // The same text in the plain neighbour cell gives the unscrolled place.
        rc.Clear();
        g.PaintCell(rc, 1, 2, {}, {});
        const TCanvasOp *plain = textOp(text);
        ASSERT_NE(plain, nullptr);
        const TRect P = plain->rect;
        const TRect N = content(1, 2);
        rc.Clear();
        g.PaintCell(rc, 2, 2, {}, {});
        const TCanvasOp *t = textOp(text);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->rect.Top, P.Top - k.position);
        EXPECT_EQ(t->rect.Left - C.Left, P.Left - N.Left);
        // Right of the text: the margin left of the bar, as the plain cell keeps it from its edge.
        EXPECT_EQ(C.Right - barWidth() - t->rect.Right, N.Right - P.Right);
        EXPECT_EQ(t->clipped, k.clipped);
        if (k.clipped)
            EXPECT_EQ(t->clip, (TRect{C.Left, C.Top, C.Right - barWidth(), C.Bottom}));
    }
    // The grid lines and the clip do not outlive the cell.
    EXPECT_FALSE(rc.HasClip());
}

TEST_F(CellScrollBar, PixelsOfTheBarAndItsThumbFollowThePosition)
{
    const TRect C = content(2, 2);
    const int x0 = C.Right - barWidth();
    auto barOf = [&](const QImage &img) { return img.copy(x0, C.Top, barWidth(), C.Height()); };
    g.SetScrollPosition(2, 2, 0);
    const QImage top = barOf(shot());
    g.SetScrollPosition(2, 2, 90); // the last position: range 120, page 30
    const QImage bottom = barOf(shot());
    EXPECT_NE(top, bottom) << "the thumb moves with the position";

    // The bar is drawn over the cell: not the plain cell background the neighbour shows there.
    const QImage img = shot();
    const TRect N = content(1, 2);
    const int probeY = C.Top + C.Height() / 2;
    int differing = 0;
    for (int dx = 0; dx < barWidth(); ++dx)
        if (img.pixel(x0 + dx, probeY) != img.pixel(N.Right - barWidth() + dx, probeY))
            ++differing;
    EXPECT_GT(differing, barWidth() / 2);

    // Removed, the cell paints its whole width again.
    g.RemoveScrollBar(2, 2);
    rc.Clear();
    g.PaintCell(rc, 2, 2, {}, {});
    EXPECT_EQ(rc.Count(TCanvasOp::Image), 0);
}

TEST_F(CellScrollBar, PictureOfAGridWithAScrolledCell)
{
    g.SetColWidths(1, 120);
    g.SetCells(1, 0, QStringLiteral("Plain"));
    g.SetCells(2, 0, QStringLiteral("Scrolled"));
    g.SetScrollPosition(2, 2, 16);
    const QString dir = QDir::tempPath() + QStringLiteral("/grid-cell-scroll-bar");
    QDir().mkpath(dir);
    EXPECT_TRUE(shot().save(dir + QStringLiteral("/scrolled-cell.png")));
}

// The pointer over a scroll-bar cell lays the shared scroll bar over the cell's right end; its
// steps move the cell's position and report it; over another cell it goes away.
TEST_F(CellScrollBar, HoveringLaysTheScrollBarOverTheCellAndItsStepsMoveThePosition)
{
    g.show();
    QApplication::processEvents();
    std::vector<int> reported;
    g.OnScrollCell = [&](QObject *, int c, int r, int pos, int, int) {
        EXPECT_EQ(QPoint(c, r), QPoint(2, 2));
        reported.push_back(pos);
    };
    auto barOf = [&]() -> QScrollBar * {
        for (QScrollBar *b : g.viewport()->findChildren<QScrollBar *>())
            if (b->isVisible())
                return b;
        return nullptr;
    };
    const TRect R = g.CellRect(2, 2);
    QTest::mouseMove(g.viewport(), QPoint(R.Left + 10, R.Top + 10));
    QScrollBar *bar = barOf();
    ASSERT_NE(bar, nullptr);
    const TRect in = content(2, 2);
    EXPECT_EQ(bar->geometry(), QRect(in.Right - barWidth(), in.Top, barWidth(), in.Height()));
    EXPECT_EQ(bar->maximum(), 90); // range 120 less a page of 30

    struct Step {
        QAbstractSlider::SliderAction action;
        int position;
    };
    for (const Step s : {Step{QAbstractSlider::SliderSingleStepAdd, 10}, Step{QAbstractSlider::SliderPageStepAdd, 110},
                         Step{QAbstractSlider::SliderSingleStepSub, 100}, Step{QAbstractSlider::SliderPageStepSub, 0}}) {
        bar->triggerAction(s.action);
        EXPECT_EQ(g.GetCellGraphic(2, 2)->CellIndex(), s.position);
    }
    EXPECT_EQ(reported, (std::vector<int>{10, 110, 100, 0}));

    // A page as large as the range leaves nothing to scroll; another cell hides the bar too.
    const TRect other = g.CellRect(1, 1);
    QTest::mouseMove(g.viewport(), QPoint(other.Left + 5, other.Top + 5));
    EXPECT_EQ(barOf(), nullptr);
    g.SetScrollProp(2, 2, {120, 120});
    QTest::mouseMove(g.viewport(), QPoint(R.Left + 12, R.Top + 12));
    EXPECT_EQ(barOf(), nullptr);
}

namespace {

// The grid's own drawing bar takes the cell's range, page and position before it draws the cell.
TEST_F(CellScrollBar, TheDrawingBarTakesTheCellsRangeAndPosition)
{
    g.SetScrollPosition(2, 2, 40);
    shot();
    QScrollBar *bar = g.PaintScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->pageStep(), 30);
    EXPECT_EQ(bar->maximum(), 120 - 30);
    EXPECT_EQ(bar->value(), 40);
    EXPECT_EQ(bar->height(), content(2, 2).Height());
}

} // namespace
