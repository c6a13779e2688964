// A string grid in a real window, driven by the X server's own pointer (XTest): the vertical
// thumb dragged with its row hint, the slim bars of ssMetro, middle-button panning, a hovered row
// and a cell edited with the focus frame. Runs under xvfb-run with QT_QPA_PLATFORM=xcb and is
// skipped elsewhere. With SCROLL_SHOTS set the screen around the form is saved into /tmp after
// each step.
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/ScrollControl.h"
#include "platform/Compositing.h"
#include "support/XTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <functional>
#include <gtest/gtest.h>

namespace {

QRect thumbOf(QScrollBar *b)
{
    QStyleOptionSlider opt;
    opt.initFrom(b);
    opt.subControls = QStyle::SC_All;
    opt.orientation = b->orientation();
    opt.minimum = b->minimum();
    opt.maximum = b->maximum();
    opt.sliderPosition = b->sliderPosition();
    opt.sliderValue = b->value();
    opt.singleStep = b->singleStep();
    opt.pageStep = b->pageStep();
    return b->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, b);
}

QPoint centre(TNovaStringGrid &g, int c, int r)
{
    const TRect R = g.CellRect(c, r);
    return g.viewport()->mapToGlobal(QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
}

// A form holding a 1000-row grid with column titles, shown on the X screen.
class ScrollWindow : public testing::Test {
protected:
    static XTest x;
    static bool xReady;
    QWidget form;
    TNovaStringGrid *g = nullptr;

    static void SetUpTestSuite()
    {
        xReady = QGuiApplication::platformName() == QLatin1String("xcb") && x.load();
    }

    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server (xvfb-run, QT_QPA_PLATFORM=xcb)";
        if (!xReady)
            GTEST_SKIP() << "no XTest extension";
        form.setWindowTitle(QStringLiteral("Grid"));
        form.setGeometry(40, 40, 640, 500);
        g = new TNovaStringGrid(&form);
        g->setGeometry(10, 10, 620, 480);
        g->SetColCount(12);
        g->SetRowCount(1000);
        const char *titles[] = {"#", "Name", "Address", "Type", "Length", "Unit", "Min", "Max", "Scale", "Offset", "Access", "Note"};
        for (int c = 0; c < 12; ++c)
            g->SetCells(c, 0, QString::fromLatin1(titles[c]));
        for (int r = 1; r < 1000; ++r) {
            g->SetCells(0, r, QString::number(r));
            for (int c = 1; c < 12; ++c)
                g->SetCells(c, r, QStringLiteral("R%1 C%2").arg(r).arg(c));
        }
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(XTest::waitFor([this] { return g->isVisible() && form.windowHandle()->isExposed(); }));
        x.settle(200);
    }

    void shot(const char *name)
    {
        if (!qEnvironmentVariableIsSet("SCROLL_SHOTS"))
            return;
        x.settle(100);
        if (QScreen *s = QGuiApplication::primaryScreen())
            s->grabWindow(0, form.x() - 20, form.y() - 20, form.width() + 140, form.height() + 40)
                .save(QStringLiteral("/tmp/scroll_window_%1.png").arg(QString::fromLatin1(name)));
    }
};

XTest ScrollWindow::x;
bool ScrollWindow::xReady = false;

TEST_F(ScrollWindow, TheDraggedThumbShowsTheRowItPointsAt)
{
    g->SetScrollHints(shVertical);
    QScrollBar *v = g->verticalScrollBar();
    const QPoint start = v->mapToGlobal(thumbOf(v).center());
    x.moveTo(start);
    x.press(1);
    for (int dy = 20; dy <= 120; dy += 20)
        x.moveTo(start + QPoint(0, dy));
    ASSERT_TRUE(g->ThumbHintShowing());
    EXPECT_TRUE(g->ThumbHintWindow()->isVisible());
    EXPECT_GT(g->TopRow(), 100);
    EXPECT_EQ(g->ThumbHintWindow()->Caption(), QString("Row : %1").arg(g->TopRow()));
    // The hint stands beside the pointer, wholly on the screen.
    const QRect hint = g->ThumbHintWindow()->geometry();
    EXPECT_EQ(hint.left(), start.x() + 10);
    EXPECT_TRUE(g->screen()->geometry().contains(hint));
    shot("thumb_hint");
    x.release(1);
    EXPECT_FALSE(g->ThumbHintWindow()->isVisible());
}

TEST_F(ScrollWindow, SlimBarsPageOnAPressBesideTheirThumbs)
{
    g->SetScrollType(ssMetro);
    g->SetTopRow(400);
    g->SetLeftCol(3);
    x.settle(200);
    EXPECT_FALSE(g->verticalScrollBar()->isVisible());
    int pos = 0, size = 0;
    ASSERT_TRUE(g->VScrollControl()->ThumbGeometry(pos, size));
    int hpos = 0, hsize = 0;
    ASSERT_TRUE(g->HScrollControl()->ThumbGeometry(hpos, hsize));
    shot("slim_bars");
    const int top = g->TopRow();
    x.moveTo(g->VScrollControl()->mapToGlobal(QPoint(2, pos + size + 30)));
    x.click(1);
    EXPECT_EQ(g->TopRow(), top + g->VisibleRowCount());
    const int left = g->LeftCol();
    x.moveTo(g->HScrollControl()->mapToGlobal(QPoint(hpos - 10, 2)));
    x.click(1);
    EXPECT_LT(g->LeftCol(), left);
}

TEST_F(ScrollWindow, MiddleButtonPanningMovesTheCurrentRowWhileThePointerStaysBelowTheMarker)
{
    g->SetRow(3);
    g->SetCol(2);
    const QPoint origin = g->viewport()->mapToGlobal(QPoint(250, 150));
    x.moveTo(origin);
    x.click(2);
    ASSERT_TRUE(g->Panning());
    x.moveTo(origin + QPoint(0, 40));
    EXPECT_TRUE(XTest::waitFor([this] { return g->Row() > 8; }));
    EXPECT_EQ(g->PanCursorId(), 8001);
    shot("panning");
    x.click(1);
    EXPECT_FALSE(g->Panning());
    const int row = g->Row();
    x.settle(100);
    EXPECT_EQ(g->Row(), row);
}

TEST_F(ScrollWindow, TheHoveredRowFollowsThePointer)
{
    g->SetHoverRow(true);
    g->SetHoverRowColor(TColor(0xC0FFFF));
    x.moveTo(centre(*g, 3, 6));
    EXPECT_TRUE(XTest::waitFor([this] { return g->HoverRowIndex() == 6; }));
    shot("hover");
    x.moveTo(centre(*g, 3, 9));
    EXPECT_TRUE(XTest::waitFor([this] { return g->HoverRowIndex() == 9; }));
}

TEST_F(ScrollWindow, AnEditedCellGlowsLightBlueEvenWithoutACompositor)
{
    g->SetOptions(g->Options().Include(goEditing));
    g->FocusHelper()->SetEnabled(true);
    x.moveTo(centre(*g, 2, 5));
    x.click(1);
    x.doubleClick(1);
    ASSERT_TRUE(XTest::waitFor([this] { return g->FocusWindow() && g->FocusWindow()->isVisible(); }));
    ASSERT_TRUE(XTest::waitFor([this] { return g->InplaceEditor() && g->InplaceEditor()->isVisible(); }));
    x.settle(200);
    shot("focus_frame");
    const QRect frame = g->FocusWindow()->geometry();
    if (qEnvironmentVariableIsSet("SCROLL_SHOTS"))
        g->screen()->grabWindow(0, frame.x() - 12, frame.y() - 12, frame.width() + 24, frame.height() + 24)
            .scaled((frame.width() + 24) * 6, (frame.height() + 24) * 6)
            .save(QStringLiteral("/tmp/scroll_window_focus_frame_zoom.png"));
    // The ring as the screen shows it, where the glow is strongest above the cell: light and
    // bluish, the frame's colour over the white cells, never a dark ring.
    const QImage glow = g->FocusWindow()->Image();
    int y = 0;
    for (int i = 1; i < 4; ++i)
        if (qAlpha(glow.pixel(frame.width() / 2, i)) > qAlpha(glow.pixel(frame.width() / 2, y)))
            y = i;
    const QImage screen = g->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
    const QRgb ring = screen.pixel(frame.width() / 2, y);
    EXPECT_GT(qGray(ring), 170) << std::hex << ring;
    EXPECT_GT(qBlue(ring), qRed(ring) + 10) << std::hex << ring;
    if (!DesktopComposites())
        EXPECT_FALSE(g->FocusWindow()->Backdrop().isNull());
    // A repaint of the cells under the ring renews what the ring is blended over.
    g->SetCells(2, 4, QStringLiteral("renewed"));
    g->RepaintCell(2, 4);
    x.settle(100);
    g->HideInplaceEdit();
}

} // namespace
