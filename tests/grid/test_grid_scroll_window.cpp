// Scroll bars, slim bars and panning of a string grid in a real window, driven by the X server's
// own pointer (XTest) when run under xvfb-run with QT_QPA_PLATFORM=xcb; elsewhere it is skipped.
// With SCROLL_SHOTS set the screen is grabbed after each step into /tmp.
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/ScrollControl.h"
#include "grid_xtest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

namespace {

void shot(const char *name)
{
    if (!qEnvironmentVariableIsSet("SCROLL_SHOTS"))
        return;
    QApplication::processEvents();
    if (QScreen *s = QGuiApplication::primaryScreen())
        s->grabWindow(0, 0, 0, 700, 560).save(QStringLiteral("/tmp/scroll_window_%1.png").arg(QString::fromLatin1(name)));
}

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

TEST(GridScrollWindow, ThumbHintSlimBarsAndPanningWithTheRealPointer)
{
    XTest x;
    if (const char *why = xPointerMissing(x))
        GTEST_SKIP() << why;
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(8);
    g->SetRowCount(1000);
    for (int r = 1; r < 1000; ++r) {
        g->SetCells(0, r, QString::number(r));
        for (int c = 1; c < 8; ++c)
            g->SetCells(c, r, QString("R%1 C%2").arg(r).arg(c));
    }
    g->SetScrollHints(shVertical);
    g->setGeometry(20, 20, 600, 480);
    g->show();
    x.settle(300);

    // The vertical thumb dragged: the hint names the row the thumb points at.
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
    shot("thumb_hint");
    x.release(1);
    EXPECT_FALSE(g->ThumbHintWindow()->isVisible());

    // Slim bars in place of the window bars.
    g->SetScrollType(ssMetro);
    g->SetTopRow(400);
    g->SetLeftCol(3);
    x.settle(200);
    int pos = 0, size = 0;
    ASSERT_TRUE(g->VScrollControl()->ThumbGeometry(pos, size));
    shot("slim_bars");
    // A press below the slim thumb pages down.
    const int top = g->TopRow();
    x.moveTo(g->VScrollControl()->mapToGlobal(QPoint(2, pos + size + 30)));
    x.press(1);
    x.release(1);
    EXPECT_EQ(g->TopRow(), top + g->VisibleRowCount());

    // Middle-button panning: the pointer held below the origin moves the current row down.
    g->SetScrollType(ssNormal);
    g->SetTopRow(1);
    g->SetRow(3);
    g->SetCol(2);
    x.settle(100);
    const QPoint origin = g->viewport()->mapToGlobal(QPoint(250, 150));
    x.moveTo(origin);
    x.press(2);
    x.release(2);
    ASSERT_TRUE(g->Panning());
    x.moveTo(origin + QPoint(0, 40));
    x.settle(300);
    EXPECT_GT(g->Row(), 8);
    EXPECT_EQ(g->PanCursorId(), 8001);
    shot("panning");
    x.press(1);
    x.release(1);
    EXPECT_FALSE(g->Panning());
}

} // namespace
