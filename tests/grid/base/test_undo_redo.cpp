#include "grid/base/UndoRedo.h"
#include "support/TestSupport.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// A grid with an undo component; edit() changes a cell the way the string grid reports it.
struct Fixture {
    TBaseGrid grid;
    ZOdeRodeDeriDozu undo;
    Fixture()
    {
        grid.SetColCount(6);
        grid.SetRowCount(6);
        undo.SetGrid(&grid);
    }
    void edit(int c, int r, const QString &text)
    {
        const QString old = grid.GetCellEx(c, r);
        grid.SetCellEx(c, r, text);
        undo.RegisterChange(c, r, old, text);
    }
    QString cell(int c, int r) { return grid.GetCellEx(c, r); }
};

} // namespace

TEST(UndoRedo, TwoChangesUndoneAndRedoneInOrder)
{
    Fixture f;
    f.edit(1, 1, QStringLiteral("a"));
    f.edit(2, 3, QStringLiteral("b"));
    EXPECT_EQ(f.undo.Level(), 2);
    EXPECT_TRUE(f.undo.CanUndo());
    EXPECT_FALSE(f.undo.CanRedo());

    f.undo.Undo();
    EXPECT_EQ(f.cell(2, 3), QString());
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(f.grid.Col(), 2);
    EXPECT_EQ(f.grid.Row(), 3);
    f.undo.Undo();
    EXPECT_EQ(f.cell(1, 1), QString());
    EXPECT_EQ(f.grid.Col(), 1);
    EXPECT_FALSE(f.undo.CanUndo());
    f.undo.Undo(); // nothing left
    EXPECT_EQ(f.undo.Level(), 0);

    f.undo.Redo();
    f.undo.Redo();
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(f.cell(2, 3), QStringLiteral("b"));
    EXPECT_FALSE(f.undo.CanRedo());
    f.undo.Redo(); // nothing left
    EXPECT_EQ(f.undo.Level(), 2);
}

TEST(UndoRedo, ChangesFarBelowTheGridAreReplayedAtNoCost)
{
    const long long before = testsupport::residentBytes();
    Fixture f;
    f.edit(2, 50000000, QStringLiteral("a"));
    f.undo.StartSequence();
    f.edit(3, INT_MAX, QStringLiteral("b"));
    f.edit(4, INT_MAX - 1, QStringLiteral("c"));
    f.undo.StopSequence();

    f.undo.Undo();
    EXPECT_EQ(f.cell(3, INT_MAX), QString());
    EXPECT_EQ(f.cell(4, INT_MAX - 1), QString());
    EXPECT_EQ(f.grid.Row(), 5); // the current cell stays inside the grid
    f.undo.Undo();
    EXPECT_EQ(f.cell(2, 50000000), QString());
    EXPECT_EQ(f.grid.Col(), 2);
    f.undo.Redo();
    f.undo.Redo();
    EXPECT_EQ(f.cell(2, 50000000), QStringLiteral("a"));
    EXPECT_EQ(f.cell(3, INT_MAX), QStringLiteral("b"));
    EXPECT_EQ(f.cell(4, INT_MAX - 1), QStringLiteral("c"));
    EXPECT_LT(f.grid.Store().MemoryBytes(), std::size_t(1000000));
    EXPECT_LT(testsupport::residentBytes() - before, 200LL * 1000000);
}

TEST(UndoRedo, EventsSeeTheCurrentAndTheReplayedText)
{
    Fixture f;
    f.edit(1, 2, QStringLiteral("old"));
    f.edit(1, 2, QStringLiteral("new"));
    QStringList log;
    f.undo.OnUndo = [&](QObject *s, TBaseGrid *g, int c, int r, QString orig, QString next) {
        EXPECT_EQ(s, &f.undo);
        EXPECT_EQ(g, &f.grid);
        log << QStringLiteral("undo %1,%2 %3->%4").arg(c).arg(r).arg(orig, next);
    };
    f.undo.OnRedo = [&](QObject *, TBaseGrid *, int c, int r, QString orig, QString next) {
        log << QStringLiteral("redo %1,%2 %3->%4").arg(c).arg(r).arg(orig, next);
    };
    f.undo.Undo();
    f.undo.Redo();
    EXPECT_EQ(log, QStringList({QStringLiteral("undo 1,2 new->old"), QStringLiteral("redo 1,2 old->new")}));
}

TEST(UndoRedo, SequencesAreOneStep)
{
    Fixture f;
    f.edit(0, 0, QStringLiteral("x"));
    f.undo.StartSequence();
    f.edit(1, 1, QStringLiteral("p"));
    f.edit(2, 2, QStringLiteral("q"));
    f.edit(3, 3, QStringLiteral("r"));
    f.undo.StopSequence();
    EXPECT_EQ(f.undo.Level(), 6);

    f.undo.Undo();
    EXPECT_EQ(f.undo.Level(), 1);
    EXPECT_EQ(f.cell(1, 1), QString());
    EXPECT_EQ(f.cell(2, 2), QString());
    EXPECT_EQ(f.cell(3, 3), QString());
    EXPECT_EQ(f.cell(0, 0), QStringLiteral("x"));

    f.undo.Redo();
    EXPECT_EQ(f.undo.Level(), 6);
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("p"));
    EXPECT_EQ(f.cell(3, 3), QStringLiteral("r"));
    EXPECT_FALSE(f.undo.CanRedo());
}

TEST(UndoRedo, MaximumLevelTable)
{
    struct Case { int maxLevel; int changes; int kept; };
    const Case cases[] = {{0, 5, 5}, {3, 2, 2}, {3, 3, 3}, {3, 4, 3}, {3, 10, 3}, {1, 4, 1}};
    for (const Case &c : cases) {
        Fixture f;
        f.undo.SetMaxLevel(c.maxLevel);
        for (int i = 0; i < c.changes; ++i) f.edit(1, 1, QString::number(i + 1));
        EXPECT_EQ(int(f.undo.Items().size()), c.kept) << c.maxLevel << "/" << c.changes;
        int undone = 0;
        while (f.undo.CanUndo()) {
            f.undo.Undo();
            ++undone;
        }
        EXPECT_EQ(undone, c.kept);
        // the oldest kept change restores the text it replaced
        EXPECT_EQ(f.cell(1, 1), c.changes == c.kept ? QString() : QString::number(c.changes - c.kept));
        int redone = 0;
        while (f.undo.CanRedo()) {
            f.undo.Redo();
            ++redone;
        }
        EXPECT_EQ(redone, c.kept);
        EXPECT_EQ(f.cell(1, 1), QString::number(c.changes));
    }
}

TEST(UndoRedo, NewChangeAfterUndoEndsRedo)
{
    Fixture f;
    f.edit(1, 1, QStringLiteral("a"));
    f.edit(1, 1, QStringLiteral("b"));
    f.undo.Undo();
    EXPECT_TRUE(f.undo.CanRedo());
    f.edit(2, 2, QStringLiteral("c"));
    EXPECT_FALSE(f.undo.CanRedo());
    EXPECT_EQ(f.undo.Level(), int(f.undo.Items().size()));
}

TEST(UndoRedo, ResetAndBrokenSequencesStayInsideTheHistory)
{
    Fixture f;
    f.edit(1, 1, QStringLiteral("a"));
    f.edit(1, 2, QStringLiteral("b"));
    f.undo.Reset();
    EXPECT_EQ(f.undo.Level(), 0);
    EXPECT_FALSE(f.undo.CanUndo());
    EXPECT_FALSE(f.undo.CanRedo());
    f.undo.Redo();
    f.undo.Undo();
    EXPECT_EQ(f.cell(1, 2), QStringLiteral("b"));

    // A sequence whose start marker was dropped by the maximum level.
    f.undo.SetMaxLevel(3);
    f.undo.StartSequence();
    f.edit(2, 1, QStringLiteral("p"));
    f.edit(2, 2, QStringLiteral("q"));
    f.edit(2, 3, QStringLiteral("r"));
    f.undo.StopSequence();
    ASSERT_FALSE(f.undo.Items().front().SequenceStart);
    f.undo.Undo();
    EXPECT_EQ(f.undo.Level(), 0);
    EXPECT_EQ(f.cell(2, 1), QString());
    EXPECT_EQ(f.cell(2, 2), QString());
    EXPECT_EQ(f.cell(2, 3), QString());
    f.undo.Redo();
    f.undo.Redo();
    EXPECT_EQ(f.cell(2, 2), QStringLiteral("q"));

    // A sequence not yet closed: undoing its start marker writes no cell; redoing it
    // replays every change after it.
    Fixture g;
    g.undo.StartSequence();
    g.undo.Undo();
    EXPECT_EQ(g.undo.Level(), 0);
    g.undo.Redo();
    g.edit(1, 1, QStringLiteral("z"));
    g.undo.Undo();
    g.undo.Undo();
    EXPECT_EQ(g.undo.Level(), 0);
    EXPECT_EQ(g.cell(1, 1), QString());
    g.undo.Redo();
    EXPECT_EQ(g.cell(1, 1), QStringLiteral("z"));
    EXPECT_EQ(g.undo.Level(), 2);
}

TEST(UndoRedo, NothingHappensWithoutAGrid)
{
    ZOdeRodeDeriDozu u;
    u.RegisterChange(1, 1, QStringLiteral("a"), QStringLiteral("b"));
    u.Undo();
    EXPECT_EQ(u.Level(), 1);
    {
        TBaseGrid grid;
        grid.SetUndoRedo(&u); // the grid's property connects both ways
        EXPECT_EQ(u.Grid(), &grid);
        EXPECT_EQ(grid.UndoRedo(), &u);
    }
    EXPECT_EQ(u.Grid(), nullptr); // a destroyed grid is forgotten
    u.Undo();
    EXPECT_EQ(u.Level(), 1);
}
