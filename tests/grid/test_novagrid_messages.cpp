// The drawing lock, the grid timer's ticks (fired by hand), version texts and the editor hand-back.
#include "grid/NovaGrid.h"
#include "grid/SizeSettings.h"

#include "grid/base/test_editors_support.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Counts the paint passes that reach the cells.
class CountingGrid : public TNovaStringGrid {
public:
    int paints = 0;
    void Paint(QPainter &p, const QRect &r) override
    {
        if (UpdateCount() == 0)
            ++paints;
        TNovaStringGrid::Paint(p, r);
    }
};

struct LockFixture : ::testing::Test {
    CountingGrid g;
    void SetUp() override
    {
        g.resize(300, 200);
        g.show();
        QApplication::processEvents();
        settle();
    }
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        g.paints = 0;
    }
    int paintsAfterEvents()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return g.paints;
    }
};

} // namespace

TEST_F(LockFixture, NestedLockPaintsNothingUntilTheLastEndUpdateThenOnce)
{
    g.BeginUpdate();
    g.BeginUpdate();
    EXPECT_TRUE(g.LockUpdate());
    g.SetCells(1, 1, QStringLiteral("a"));
    g.SetCells(2, 2, QStringLiteral("b"));
    g.viewport()->update();
    EXPECT_EQ(paintsAfterEvents(), 0);
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 1);
    EXPECT_EQ(paintsAfterEvents(), 0);
    g.EndUpdate();
    EXPECT_FALSE(g.LockUpdate());
    EXPECT_EQ(paintsAfterEvents(), 1);
    // A further EndUpdate never takes the depth below 0.
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
}

TEST_F(LockFixture, ResetUpdateZeroesTheDepthButRedrawingWaitsForAnEndUpdate)
{
    g.BeginUpdate();
    g.ResetUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    g.viewport()->update();
    EXPECT_EQ(paintsAfterEvents(), 0); // the window still does not redraw
    g.EndUpdate();
    EXPECT_EQ(paintsAfterEvents(), 1);
}

TEST_F(LockFixture, StartUpdateCountsWithoutStoppingRedrawAndPaintsNothingWhileCounted)
{
    g.StartUpdate();
    EXPECT_TRUE(g.LockUpdate());
    g.viewport()->update();
    EXPECT_EQ(paintsAfterEvents(), 0);
    g.ResetUpdate();
    g.viewport()->update();
    EXPECT_EQ(paintsAfterEvents(), 1);
}

TEST(UpdateLock, AnInvisibleGridDoesNotCount)
{
    TNovaStringGrid g;
    g.BeginUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    g.SetLockUpdate(true);
    EXPECT_FALSE(g.LockUpdate());
}

namespace {

// The incremental look-up text is the keyboard's state; the timer only ages it.
class LookUpGrid : public TNovaStringGrid {
public:
    using TNovaStringGrid::SearchInc;
    using TNovaStringGrid::SearchTics;
};

struct TimerFixture : editortest::EditorTest {
    std::unique_ptr<LookUpGrid> g;
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        g = std::make_unique<LookUpGrid>();
        g->resize(300, 200);
        g->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        g.reset();
        editortest::EditorTest::TearDown();
    }
    editortest::FakeTimer *gridTimer()
    {
        for (auto *t : timers)
            if (t->interval() == 500)
                return t;
        return nullptr;
    }
};

} // namespace

TEST_F(TimerFixture, TheGridTimerRunsEvery500msFromTheFirstShow)
{
    editortest::FakeTimer *t = gridTimer();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isActive());
    t->fire();
    t->fire();
    EXPECT_EQ(g->TimerTicks(), 2);
}

TEST_F(TimerFixture, IncrementalLookUpTextLivesForFourTicks)
{
    g->Navigation()->SetAutoGotoIncremental(true);
    g->SearchInc = QStringLiteral("ab");
    g->SearchTics = 0;
    editortest::FakeTimer *t = gridTimer();
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < 3; ++i)
        t->fire();
    EXPECT_EQ(g->SearchInc, QStringLiteral("ab"));
    t->fire();
    EXPECT_TRUE(g->SearchInc.isEmpty());
    EXPECT_EQ(g->SearchTics, 0);
}

TEST_F(TimerFixture, BlinkPhaseFlipsOnEveryTickOnlyWithEnableBlink)
{
    editortest::FakeTimer *t = gridTimer();
    ASSERT_NE(t, nullptr);
    t->fire();
    EXPECT_FALSE(g->BlinkPhase());
    g->SetEnableBlink(true);
    t->fire();
    EXPECT_TRUE(g->BlinkPhase());
    t->fire();
    EXPECT_FALSE(g->BlinkPhase());
}

TEST_F(TimerFixture, HoveringMakesTheNormalCellUnderThePointerCurrent)
{
    g->SetHovering(true);
    g->SetColCount(5);
    g->SetRowCount(6);
    editortest::FakeTimer *t = gridTimer();
    ASSERT_NE(t, nullptr);
    const TRect normal = g->CellRect(3, 4);
    QCursor::setPos(g->viewport()->mapToGlobal(QPoint(normal.Left + 5, normal.Top + 5)));
    if (QApplication::widgetAt(QCursor::pos()) != g->viewport())
        GTEST_SKIP() << "the platform does not place the pointer";
    t->fire();
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 4);
    // Over a fixed cell nothing happens.
    const TRect fixed = g->CellRect(2, 0);
    QCursor::setPos(g->viewport()->mapToGlobal(QPoint(fixed.Left + 5, fixed.Top + 5)));
    t->fire();
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 4);
}

TEST(GridVersion, VersionTexts)
{
    TNovaStringGrid g;
    EXPECT_EQ(g.GetVersionNr(), 100794627);
    EXPECT_EQ(g.Version(), QStringLiteral("6.2.1.3"));
    EXPECT_EQ(g.GetVersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
}

namespace {

// The first paint of a grid that is not a tab stop is counted once; a tab stop counts none.
TEST(GridWindow, FirstPaintOfANonTabStopGridIsCounted)
{
    for (bool tabStop : {false, true}) {
        TNovaStringGrid g;
        g.setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
        g.resize(200, 150);
        g.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        g.viewport()->repaint();
        EXPECT_EQ(g.PaintCount(), tabStop ? 0 : 1) << tabStop;
    }
}

// A cursor set from outside ends the select mode of the fixed cells; the grid's own do not.
TEST(GridWindow, ACursorSetFromOutsideEndsTheSelectMode)
{
    TNovaStringGrid g;
    g.SetMouseSelectMode(msColumn);
    g.viewport()->setCursor(Qt::SizeHorCursor); // the grid's own temporary cursors
    EXPECT_EQ(g.MouseSelectMode(), msColumn);
    g.SetCursor(QCursor(Qt::IBeamCursor));
    EXPECT_EQ(g.MouseSelectMode(), msNormal);
    EXPECT_EQ(g.cursor().shape(), Qt::IBeamCursor);
}

// An application-wide control style other than the platform's gives the grid its cell colours.
TEST(GridWindow, StyleColorsComeFromAnActiveStyle)
{
    struct Styled : TThemePlatform {
        QString name = QStringLiteral("Windows");
        QString ActiveStyleName() const override { return name; }
        TStyleCellColors StyleCellColors(TStyleCell cell) const override
        {
            switch (cell) {
            case scNormal: return {TColor(0x202020), TColor(0x404040), TColor(0xF0F0F0)};
            case scSelected: return {TColor(0x800000), clNone, TColor(0x00FFFF)};
            case scFixed: return {TColor(0x303030), TColor(0x505050), clNone};
            }
            return {};
        }
    } platform;
    SetThemePlatform(&platform);
    TNovaStringGrid g;
    const TColor fixedText = g.FixedFont().Color;
    g.Loaded();
    EXPECT_FALSE(g.UsesPlatformStyles()) << "the platform's own style changes nothing";
    EXPECT_TRUE(g.Options().Contains(goFixedVertLine));
    platform.name = QStringLiteral("Carbon");
    g.ApplyStyleColors();
    EXPECT_TRUE(g.UsesPlatformStyles());
    EXPECT_EQ(g.Color(), TColor(0x202020));
    EXPECT_EQ(g.GridLineColor(), TColor(0x404040));
    EXPECT_EQ(g.GridFixedLineColor(), TColor(0x505050));
    EXPECT_FALSE(g.Options().Contains(goFixedVertLine));
    EXPECT_FALSE(g.Options().Contains(goFixedHorzLine));
    EXPECT_EQ(g.Font().Color, TColor(0xF0F0F0));
    EXPECT_EQ(g.SelectionTextColor(), TColor(0x00FFFF));
    EXPECT_EQ(g.FixedFont().Color, fixedText) << "no fixed text colour given";
    SetThemePlatform(nullptr);
}

// OnGridResize fires exactly when a resize stretched a column and no scroll bar is forced.
TEST(GridWindow, GridResizeFiresOnlyWhenTheSizeStretched)
{
    TNovaStringGrid g;
    g.SetColCount(3);
    for (int c = 0; c < 3; ++c)
        g.SetColWidths(c, 100);
    g.ColumnSize()->SetStretch(true);
    int resized = 0, plain = 0;
    g.OnGridResize = [&](QObject *) { ++resized; };
    g.OnResize = [&](QObject *) { ++plain; };
    g.show();
    struct Case {
        int width;
        TScrollBarAlways always;
        bool fires; // OnGridResize
    };
    const Case cases[] = {
        {400, saNone, true},  // others 200 < 400: stretched
        {500, saNone, true},
        {180, saNone, false}, // others 200 >= 180: no stretch
        {450, saVert, false}, // stretched, but a bar is forced
        {480, saBoth, false}, // no stretch with a horizontal bar forced
    };
    int stretchedWidth = 0;
    QApplication::processEvents();
    for (const Case &c : cases) {
        g.SetScrollBarAlways(c.always);
        resized = 0;
        g.resize(c.width, 200);
        QApplication::processEvents();
        EXPECT_EQ(resized > 0, c.fires) << c.width;
        if (c.always == saVert) {
            EXPECT_EQ(g.ColWidths(2), g.ClientWidth() - 200 - 1) << "stretched without the event";
            stretchedWidth = g.ColWidths(2);
        }
    }
    EXPECT_EQ(g.ColWidths(2), stretchedWidth) << "no stretch while a horizontal bar is forced";
    EXPECT_GE(plain, 2) << "OnResize where the size handling went on";
}

// After a resize with stretching on, each window bar that ScrollBars asks for shows exactly when
// its content does not fit; the others stay hidden.
TEST(GridWindow, StretchingResizeDecidesTheWindowBars)
{
    struct Case {
        const char *name;
        TScrollStyle bars;
        int width, rows;
        bool stretches;
        Qt::ScrollBarPolicy horz, vert;
    };
    const Qt::ScrollBarPolicy on = Qt::ScrollBarAlwaysOn, off = Qt::ScrollBarAlwaysOff;
    const Case cases[] = {
        {"stretched, rows fit", ssBoth, 400, 3, true, off, off},
        {"stretched, rows overflow", ssBoth, 400, 50, true, off, on},
        {"too narrow to stretch", ssBoth, 180, 3, false, on, off},
        {"too narrow, vertical only", ssVertical, 180, 50, false, off, on},
        {"stretched, horizontal only", ssHorizontal, 400, 50, true, off, off},
        {"no bars asked", ssNone, 180, 50, false, off, off},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TNovaStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(c.rows);
        for (int col = 0; col < 3; ++col)
            g.SetColWidths(col, 100);
        g.SetScrollBars(c.bars);
        g.ColumnSize()->SetStretch(true);
        int gridResized = 0;
        g.OnGridResize = [&](QObject *) { ++gridResized; };
        g.resize(150, 200);
        g.show();
        QApplication::processEvents();
        gridResized = 0;
        g.resize(c.width, 200);
        QApplication::processEvents();
        EXPECT_EQ(gridResized > 0, c.stretches);
        EXPECT_EQ(g.horizontalScrollBarPolicy(), c.horz);
        EXPECT_EQ(g.verticalScrollBarPolicy(), c.vert);
    }
}

// ScrollProportional: a 128-step range whose page is the visible share and whose position follows
// the first shown line; updated by the count setters, the size and the first paint.
TEST(GridWindow, ProportionalRangesFollowSizesAndPosition)
{
    TNovaStringGrid g;
    g.resize(300, 200);
    g.SetColCount(10);
    for (int c = 0; c < 10; ++c)
        g.SetColWidths(c, 100);
    g.SetRowCount(100);
    g.SetScrollProportional(true);
    const auto &h = g.ProportionalScroll(Qt::Horizontal);
    const auto &v = g.ProportionalScroll(Qt::Vertical);
    ASSERT_TRUE(h.Set);
    ASSERT_TRUE(v.Set);
    // b and c as the range rule counts them: the fixed and the scrolling lines with their grid lines.
    auto expected = [&](bool vert) {
        const int lw = g.GridLineWidth();
        double b = lw, c = lw;
        const int n = vert ? g.RowCount() : g.ColCount();
        for (int i = 0; i < n; ++i)
            ((vert ? i < g.FixedRows() : i < g.FixedCols()) ? b : c) += lw + (vert ? g.RowHeights(i) : g.ColWidths(i));
        const double extent = vert ? g.height() : g.width();
        const float e = float((extent - b) / c);
        return int(std::trunc((e + 127) / (1 - e)));
    };
    EXPECT_EQ(h.Max, expected(false));
    EXPECT_EQ(h.Page, h.Max - 126);
    EXPECT_EQ(v.Max, expected(true));
    EXPECT_EQ(v.Page, v.Max - 126);
    EXPECT_EQ(v.Pos, 0);
    EXPECT_NEAR(g.ThumbShare(Qt::Vertical), double(v.Page) / (v.Max + 1), 1e-9);
    // Scrolled to the middle: the position follows after the next update.
    g.SetTopRow(50);
    g.SetRowCount(100);
    EXPECT_GT(v.Pos, 40);
    EXPECT_LT(v.Pos, 90);
    // Rows that all fit leave nothing to scroll.
    g.SetRowCount(3);
    EXPECT_FALSE(v.Set);
    EXPECT_EQ(g.ThumbShare(Qt::Vertical), -1);
    // Columns narrower than the grid leave no horizontal bar.
    g.SetColCount(2);
    g.show();
    QApplication::processEvents();
    EXPECT_FALSE(g.horizontalScrollBar()->isVisible());
    g.SetScrollProportional(false);
    EXPECT_EQ(g.ThumbShare(Qt::Vertical), 0) << "the style's own thumb";
}

} // namespace
