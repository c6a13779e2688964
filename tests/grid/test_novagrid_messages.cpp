// The drawing lock, the grid timer's ticks (fired by hand), version texts and the editor hand-back.
#include "grid/NovaGrid.h"

#include "grid/base/test_editors_support.h"

#include <QApplication>
#include <QTest>
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
