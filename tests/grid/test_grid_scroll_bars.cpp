// Scroll bars of the string grid, driven by real mouse events: the slim bars of ssMetro, the hint
// that names the row a dragged thumb points at, the looks without a flat scroll-bar library, the
// scroll bar of a scroll-bar cell and scrolling while something is dragged over the margins.
#include "grid/CellGraphic.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/ScrollControl.h"
#include "grid/base/test_editors_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Presses, moves with the button held and releases, as a user's drag.
void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(w, button, Qt::NoModifier, from);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

// A sub-control of a bar as its style places it for the bar's present state.
QRect partOf(QScrollBar *b, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(b);
    opt.subControls = QStyle::SC_All;
    opt.orientation = b->orientation();
    if (b->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    opt.minimum = b->minimum();
    opt.maximum = b->maximum();
    opt.sliderPosition = b->sliderPosition();
    opt.sliderValue = b->value();
    opt.singleStep = b->singleStep();
    opt.pageStep = b->pageStep();
    return b->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, b);
}

QRect thumbOf(QScrollBar *b)
{
    return partOf(b, QStyle::SC_ScrollBarSlider);
}

// Length of a bar's thumb and of its groove, along the bar.
std::pair<int, int> thumbAndGroove(QScrollBar *b)
{
    const QRect t = thumbOf(b);
    const QRect gr = partOf(b, QStyle::SC_ScrollBarGroove);
    return b->orientation() == Qt::Vertical ? std::pair{t.height(), gr.height()} : std::pair{t.width(), gr.width()};
}

// A grid of 1000 rows whose client area shows exactly 20 of them under its title row.
struct SlimFixture : editortest::EditorTest {
    std::unique_ptr<TNovaStringGrid> g = std::make_unique<TNovaStringGrid>();
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        g->SetRowCount(1000);
        g->SetScrollType(ssMetro);
        // A title row of 22 and 20 rows of 22 (the platform draws no grid lines of its own).
        g->resize(400, 470 + 2 * g->frameWidth());
        g->show();
        QApplication::processEvents();
    }
    TScrollControl *bar() const { return g->VScrollControl(); }
};

TEST_F(SlimFixture, MetroLaysSlimBarsOverTheEdgesInPlaceOfTheWindowBars)
{
    ASSERT_NE(g->VScrollControl(), nullptr);
    ASSERT_NE(g->HScrollControl(), nullptr);
    EXPECT_EQ(g->ScrollBars(), ssNone);
    EXPECT_EQ(g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(bar()->geometry(), QRect(g->viewport()->width() - 6, 0, 6, g->viewport()->height()));
    EXPECT_EQ(g->HScrollControl()->geometry(), QRect(0, g->viewport()->height() - 6, g->viewport()->width(), 6));
    g->SetScrollType(ssNormal);
    EXPECT_EQ(g->VScrollControl(), nullptr);
    EXPECT_EQ(g->HScrollControl(), nullptr);
    EXPECT_EQ(g->ScrollBars(), ssBoth);
    EXPECT_EQ(g->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

TEST_F(SlimFixture, TwentyVisibleOfAThousandGiveTheMinimumThumbThatEndsOnTheBottomEdge)
{
    ASSERT_EQ(g->VisibleRowCount(), 20);
    int pos = 0, size = 0;
    ASSERT_TRUE(bar()->ThumbGeometry(pos, size));
    EXPECT_EQ(size, 20);
    EXPECT_EQ(pos, 22); // the track starts below the title row
    g->SetTopRow(g->RowCount() - g->VisibleRowCount());
    ASSERT_TRUE(bar()->ThumbGeometry(pos, size));
    EXPECT_EQ(pos + size, bar()->height());
    // Drawn: the thumb's last pixel row is the control's last one.
    QImage img(bar()->size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    bar()->render(&img);
    EXPECT_EQ(img.pixelColor(1, bar()->height() - 1), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(1, bar()->height() - 21).alpha(), 0);
}

TEST_F(SlimFixture, PressesBesideTheThumbPageAndNeverPastTheLastPage)
{
    int pos = 0, size = 0;
    ASSERT_TRUE(bar()->ThumbGeometry(pos, size));
    QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, QPoint(2, pos + size + 40));
    EXPECT_EQ(g->TopRow(), 21);
    QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 23));
    EXPECT_EQ(g->TopRow(), 1);
    g->SetTopRow(11);
    QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 23)); // never above the first row
    EXPECT_EQ(g->TopRow(), 1);
    // 50 rows: from row 25 a page forward would pass the last page, which starts at 30.
    g->SetRowCount(50);
    g->SetTopRow(25);
    ASSERT_TRUE(bar()->ThumbGeometry(pos, size));
    ASSERT_LT(pos + size + 2, bar()->height());
    QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, QPoint(2, bar()->height() - 1));
    EXPECT_EQ(g->TopRow(), 30);
}

TEST_F(SlimFixture, DraggingTheThumbScrollsInProportion)
{
    int pos = 0, size = 0;
    ASSERT_TRUE(bar()->ThumbGeometry(pos, size));
    // 10 pixels of a 448-pixel span are 10/448 of 1000 rows.
    drag(bar(), QPoint(2, pos + 5), QPoint(2, pos + 15));
    EXPECT_EQ(g->TopRow(), 1 + 22);
    EXPECT_FALSE(bar()->DownOnScroller());
}

// Nothing to scroll or nothing to divide by: no thumb, and presses change nothing.
TEST_F(SlimFixture, NoThumbAndNoActionWithoutScrollableRowsOrTrack)
{
    struct Case {
        const char *name;
        std::function<void(TNovaStringGrid &)> setup;
    };
    const Case cases[] = {
        {"all rows fit", [](TNovaStringGrid &t) { t.SetRowCount(5); }},
        {"fixed rows fill the track", [](TNovaStringGrid &t) { t.SetRowHeights(0, 600); }},
        {"one row", [](TNovaStringGrid &t) { t.SetRowCount(1); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        g->SetRowCount(1000);
        g->SetRowHeights(0, 22);
        g->SetTopRow(1);
        c.setup(*g);
        QApplication::processEvents();
        int pos = -1, size = -1;
        EXPECT_FALSE(bar()->ThumbGeometry(pos, size));
        const int top = g->TopRow();
        QTest::mouseClick(bar(), Qt::LeftButton, Qt::NoModifier, QPoint(2, bar()->height() - 2));
        drag(bar(), QPoint(2, 2), QPoint(2, 200));
        EXPECT_EQ(g->TopRow(), top);
        QImage img(bar()->size(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        bar()->render(&img);
        bool painted = false;
        for (int y = 0; y < img.height(); ++y)
            painted = painted || img.pixelColor(1, y).alpha() != 0;
        EXPECT_FALSE(painted);
    }
}

TEST_F(SlimFixture, TheHorizontalBarFollowsColumns)
{
    g->SetColCount(100);
    QApplication::processEvents();
    TScrollControl *h = g->HScrollControl();
    int pos = 0, size = 0;
    ASSERT_TRUE(h->ThumbGeometry(pos, size));
    EXPECT_EQ(pos, 64);
    QTest::mouseClick(h, Qt::LeftButton, Qt::NoModifier, QPoint(h->width() - 2, 2));
    EXPECT_EQ(g->LeftCol(), 1 + g->VisibleColCount());
}

struct ScrollFixture : editortest::EditorTest {
    std::unique_ptr<TNovaStringGrid> g = std::make_unique<TNovaStringGrid>();
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        g->SetRowCount(1000);
        g->resize(400, 300);
        g->show();
        QApplication::processEvents();
    }
};

TEST_F(ScrollFixture, DraggingTheVerticalThumbShowsTheRowItPointsAtAndTheEndHidesIt)
{
    g->SetScrollHints(shVertical);
    QScrollBar *v = g->verticalScrollBar();
    ASSERT_TRUE(v->isVisible());
    const QRect t = thumbOf(v);
    QTest::mousePress(v, Qt::LeftButton, Qt::NoModifier, t.center());
    QMouseEvent move(QEvent::MouseMove, t.center() + QPoint(0, 60), v->mapToGlobal(t.center() + QPoint(0, 60)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(v, &move);
    ASSERT_TRUE(g->ThumbHintShowing());
    THTMLHintWindow *hint = g->ThumbHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_GT(g->TopRow(), 1);
    EXPECT_EQ(hint->Caption(), QString("Row : %1").arg(v->sliderPosition() + 1));
    EXPECT_EQ(hint->Color, g->HintColor());
    QTest::mouseRelease(v, Qt::LeftButton, Qt::NoModifier, t.center() + QPoint(0, 60));
    EXPECT_FALSE(g->ThumbHintShowing());
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(ScrollFixture, TheHintEventRewritesTheTextAndNoHintShowsForTheOtherBar)
{
    g->SetScrollHints(shHorizontal);
    g->SetColCount(40);
    QApplication::processEvents();
    int hinted = -1;
    g->OnScrollHint = [&](QObject *, int n, QString &s) {
        hinted = n;
        s = QString("column %1").arg(n);
    };
    g->VScrollThumbTrack(10);
    EXPECT_FALSE(g->ThumbHintShowing());
    g->HScrollThumbTrack(4);
    EXPECT_EQ(hinted, 5);
    EXPECT_EQ(g->ThumbHintWindow()->Caption(), "column 5");
    g->ScrollThumbEnd();
}

TEST_F(ScrollFixture, FlatLooksKeepTheWindowBarsWithoutAFlatLibrary)
{
    for (TScrollType t : {ssFlat, ssEncarta, ssNormal}) {
        g->SetScrollType(t);
        EXPECT_FALSE(g->IsFlat());
        EXPECT_EQ(g->VScrollControl(), nullptr);
        EXPECT_TRUE(g->verticalScrollBar()->isVisible());
    }
    g->SetScrollColor(0x123456);
    g->SetScrollWidth(9);
    EXPECT_FALSE(g->IsFlat());
}

TEST_F(ScrollFixture, ScrollBarsAndAlwaysDecideWhichWindowBarsShow)
{
    struct Case {
        TScrollStyle bars;
        TScrollBarAlways always;
        Qt::ScrollBarPolicy h, v;
    };
    const Case cases[] = {
        {ssNone, saBoth, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
        {ssVertical, saNone, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAsNeeded},
        {ssBoth, saVert, Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOn},
        {ssHorizontal, saBoth, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOff},
    };
    for (const Case &c : cases) {
        g->SetScrollBars(c.bars);
        g->SetScrollBarAlways(c.always);
        EXPECT_EQ(g->horizontalScrollBarPolicy(), c.h);
        EXPECT_EQ(g->verticalScrollBarPolicy(), c.v);
    }
}

TEST_F(ScrollFixture, ProportionalThumbsShowTheVisibleShareAndOtherwiseKeepTheStyleMinimum)
{
    QScrollBar *v = g->verticalScrollBar();
    QScrollBar *h = g->horizontalScrollBar();
    const int minimum = v->style()->pixelMetric(QStyle::PM_ScrollBarSliderMin, nullptr, v);
    struct Case {
        bool proportional;
        int rows, cols, colWidth;
        Qt::Orientation bar;
    };
    const Case cases[] = {
        {false, 1000, 5, 64, Qt::Vertical},
        {false, 40, 5, 64, Qt::Vertical},     // a fixed thumb whatever the share
        {false, 5, 12, 100, Qt::Horizontal},
        {true, 40, 5, 64, Qt::Vertical},
        {true, 120, 5, 64, Qt::Vertical},
        {true, 1000, 5, 64, Qt::Vertical},   // a share below the style's minimum
        {true, 5, 12, 100, Qt::Horizontal},  // columns wider than the grid
        {true, 5, 4, 200, Qt::Horizontal},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.proportional << " " << c.rows << "x" << c.cols << " " << c.colWidth);
        g->SetScrollProportional(c.proportional);
        g->SetRowCount(c.rows);
        g->SetColCount(c.cols);
        for (int i = 1; i < c.cols; ++i)
            g->SetColWidths(i, c.colWidth);
        QApplication::processEvents();
        QScrollBar *b = c.bar == Qt::Vertical ? v : h;
        ASSERT_TRUE(b->isVisible());
        const auto [thumb, groove] = thumbAndGroove(b);
        if (!c.proportional) {
            EXPECT_EQ(thumb, minimum);
        } else {
            // The visible share of the scrolling pixels, each line with its grid line.
            const bool vert = c.bar == Qt::Vertical;
            const double scrolling = vert ? (c.rows - 1) * (22.0 + 1) + 1 : (c.cols - 1) * (c.colWidth + 1.0) + 1;
            const double shown = vert ? g->viewport()->height() - 23 - 1 : g->viewport()->width() - 65 - 1;
            EXPECT_NEAR(thumb, std::max<double>(minimum, groove * shown / scrolling), 2.5);
        }
        // Pages stay a screenful whatever the thumb.
        EXPECT_EQ(b->pageStep(), c.bar == Qt::Vertical ? g->VisibleRowCount() : g->VisibleColCount());
    }
}

TEST_F(ScrollFixture, TheFixedThumbDraggedToTheEndOfItsGrooveReachesTheLastRow)
{
    QScrollBar *v = g->verticalScrollBar();
    g->SetRowCount(60);
    QApplication::processEvents();
    g->SetScrollProportional(true);
    const int proportional = thumbAndGroove(v).first;
    g->SetScrollProportional(false);
    const auto [thumb, groove] = thumbAndGroove(v);
    EXPECT_LT(thumb, proportional);
    const QRect t = thumbOf(v);
    drag(v, t.center(), t.center() + QPoint(0, groove));
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(g->TopRow(), g->RowCount() - g->VisibleRowCount());
    // A press in the groove above the thumb goes back one page.
    const int top = g->TopRow();
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier, QPoint(v->width() / 2, thumbOf(v).top() - 5));
    EXPECT_EQ(g->TopRow(), top - g->VisibleRowCount());
}

TEST_F(ScrollFixture, TheCellScrollBarMovesWithinItsRangeAndReportsItsPosition)
{
    TCellGraphic *cg = g->CreateCellGraphic(2, 3);
    cg->SetCellType(ctScrollbar);
    cg->SetCellErrFrom(150);
    g->SetCellScrollBarCell(2, 3);
    std::vector<std::array<int, 3>> events;
    g->OnScrollCell = [&](QObject *, int, int, int pos, int mn, int mx) { events.push_back({pos, mn, mx}); };
    struct Step {
        int action, pos, expected;
        bool changed;
    };
    const Step steps[] = {
        {0, 0, 0, false},  // line up at the minimum
        {1, 0, 10, true},  // line down
        {3, 0, 110, true}, // page down
        {3, 0, 150, true}, // page down stops at the range
        {1, 0, 150, false},
        {5, 40, 40, true}, // thumb track
        {2, 0, 0, true},   // page up stops at 0
    };
    for (const Step &s : steps) {
        EXPECT_EQ(g->CellScrollBarAction(s.action, s.pos), s.changed);
        EXPECT_EQ(cg->CellIndex(), s.expected);
    }
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], (std::array<int, 3>{10, 0, 150}));
    EXPECT_EQ(events[3], (std::array<int, 3>{40, 0, 150}));
}

TEST_F(ScrollFixture, DraggingOverTheTopMarginScrollsOneRowPerRepeatAfterTheFirstDelay)
{
    g->DragScrollOptions()->SetActive(true);
    g->SetTopRow(50);
    bool accept = true;
    g->DragOver(nullptr, 100, 10, dsDragEnter, accept);
    ASSERT_TRUE(g->DragScrolling());
    EXPECT_EQ(g->DragScrollDirection(), int(dsdUp));
    EXPECT_EQ(g->DragScrollInterval(), g->DragScrollOptions()->Delays().InitialDelay());
    editortest::FakeTimer *t = timers.back();
    t->fire();
    EXPECT_EQ(g->TopRow(), 49);
    EXPECT_EQ(g->DragScrollInterval(), g->DragScrollOptions()->Delays().RepeatDelay());
    g->DragOver(nullptr, 100, 12, dsDragMove, accept);
    t->fire();
    EXPECT_EQ(g->TopRow(), 48);
    // The handler may refuse a step or change the direction.
    g->OnDragScroll = [](QObject *, int, int, int &dir, bool &can) {
        can = dir != int(dsdUp | dsdRight);
        dir = dsdDown;
    };
    t->fire();
    EXPECT_EQ(g->TopRow(), 49);
    g->DragOver(nullptr, g->Width() - 5, 10, dsDragMove, accept);
    EXPECT_EQ(g->DragScrollDirection(), int(dsdUp | dsdRight));
    t->fire();
    EXPECT_EQ(g->TopRow(), 49);
    g->DragOver(nullptr, 100, 10, dsDragLeave, accept);
    EXPECT_FALSE(g->DragScrolling());
    // The middle of the grid has no direction: no timer.
    g->DragOver(nullptr, 150, 150, dsDragEnter, accept);
    EXPECT_FALSE(g->DragScrolling());
    g->DragScrollOptions()->SetActive(false);
    g->DragOver(nullptr, 100, 10, dsDragEnter, accept);
    EXPECT_FALSE(g->DragScrolling());
}

} // namespace
