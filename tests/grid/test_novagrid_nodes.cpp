// Row nodes: spans and levels, contracting into the hidden-row store and back, parents, child
// rows, the glyph hit area and the sorts inside groups.
#include "grid/NovaGrid.h"
#include "grid/CellNode.h"
#include "grid/SortSettings.h"
#include "grid/base/Canvas.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// One fixed row, 3 columns, rows 1..8 whose column 1 says their real row ("r1".."r8").
struct NodeFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(9);
        g.SetFixedRows(1);
        g.SetFixedCols(0);
        for (int r = 1; r < 9; ++r) {
            g.SetCells(1, r, QStringLiteral("r%1").arg(r));
            g.SetCells(2, r, QString::number(10 - r));
        }
    }
    int level(int r) { return g.HasCellProperties(0, r) ? g.GetCellProperties(0, r)->NodeLevel() : 0; }
    QString shown()
    {
        QStringList out;
        for (int r = 1; r < g.RowCount(); ++r)
            out << g.Cells(1, r);
        return out.join(QLatin1Char(' '));
    }
};

TEST_F(NodeFixture, NestedNodesRaiseLevelsAndFindTheirParents)
{
    g.AddNode(1, 3);
    EXPECT_EQ(level(1), 1);
    EXPECT_EQ(level(2), 1);
    EXPECT_EQ(level(3), 1);
    EXPECT_EQ(level(4), 0);
    g.AddNode(2, 2);
    EXPECT_EQ(level(2), 2);
    EXPECT_EQ(level(3), 2);
    EXPECT_EQ(g.GetParentRow(3), 2);
    EXPECT_EQ(g.GetParentRow(2), 1);
    EXPECT_EQ(g.GetParentRow(5), -1) << "outside every node";
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    EXPECT_EQ(g.GetNodeSpan(4), -1);
    EXPECT_EQ(g.GetNodeLevel(3), -1) << "no node, even inside a span";
    EXPECT_EQ(g.GetNodeLevel(2), 2);
    EXPECT_FALSE(g.GetNodeState(1)) << "new nodes are expanded";
}

TEST_F(NodeFixture, ContractingHidesTheChildrenAndExpandingBringsThemBack)
{
    g.AddNode(1, 3);
    g.AddNode(2, 2);
    g.ContractNode(1);
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_TRUE(g.IsHiddenRow(2));
    EXPECT_TRUE(g.IsHiddenRow(3));
    EXPECT_FALSE(g.IsHiddenRow(1));
    EXPECT_EQ(shown(), "r1 r4 r5 r6 r7 r8");
    EXPECT_EQ(g.GetParentRow(2), -1) << "row 2 is r4 now, after the contracted node";
    g.ExpandNode(1);
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
    EXPECT_FALSE(g.GetNodeState(2)) << "the sub-node comes back expanded";
    EXPECT_EQ(level(3), 2) << "levels travel through the hidden-row store";
}

TEST_F(NodeFixture, ContractingAParentOverAContractedSubNodeShowsEverythingOnExpand)
{
    g.AddNode(1, 5);
    g.AddNode(2, 3);
    g.ContractNode(2);
    EXPECT_EQ(shown(), "r1 r2 r5 r6 r7 r8");
    g.ContractNode(1);
    EXPECT_EQ(shown(), "r1 r6 r7 r8");
    g.ExpandNode(1);
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
}

TEST_F(NodeFixture, RepeatedStateChangesChangeNothing)
{
    g.AddNode(1, 3);
    g.ExpandNode(1);
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
    g.ContractNode(1);
    g.ContractNode(1);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.NumHiddenRows(), 2);
    g.SetNodeState(1, true);
    EXPECT_EQ(g.NumHiddenRows(), 2);
    g.SetNodeState(1, false);
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

TEST_F(NodeFixture, ExpandingLeavesRowsHiddenByOtherMeans)
{
    g.AddNode(1, 3);
    g.HideRow(4); // hidden on its own, right after the group
    g.ContractNode(1);
    g.ExpandNode(1);
    EXPECT_TRUE(g.IsHiddenRow(4));
    EXPECT_EQ(shown(), "r1 r2 r3 r5 r6 r7 r8");
}

TEST_F(NodeFixture, ExpandOneContractsEveryOtherNode)
{
    g.AddNode(1, 2);
    g.AddNode(3, 2);
    g.AddNode(5, 2);
    g.ContractNode(5);
    g.CellNode()->SetExpandOne(true);
    g.ExpandNode(5);
    EXPECT_TRUE(g.IsHiddenRow(2));
    EXPECT_TRUE(g.IsHiddenRow(4));
    EXPECT_FALSE(g.IsHiddenRow(6));
}

TEST_F(NodeFixture, ExpandAllAndContractAll)
{
    g.AddNode(1, 3);
    g.AddNode(5, 3);
    g.ContractAll();
    EXPECT_EQ(shown(), "r1 r4 r5 r8");
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_TRUE(g.GetNodeState(3));
    g.ExpandAll();
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
}

TEST_F(NodeFixture, AddNodeMovesTheCurrentColumnOffTheNodeColumn)
{
    g.SetCol(0);
    ASSERT_EQ(g.Col(), 0);
    g.AddNode(1, 2);
    EXPECT_EQ(g.Col(), 1);
}

TEST_F(NodeFixture, AddNodeClampsItsSpanAndRefusesEmptySpans)
{
    g.AddNode(7, 10);
    EXPECT_EQ(g.GetNodeSpan(7), 2) << "rows 7 and 8 are all there are";
    g.ContractNode(7);
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7");
    g.AddNode(3, 0);
    EXPECT_FALSE(g.IsNode(3));
    g.AddNode(3, -2);
    EXPECT_FALSE(g.IsNode(3));
    g.AddNode(40, 2);
    EXPECT_EQ(g.RowCount(), 8);
}

TEST_F(NodeFixture, RemovingNodesShowsTheirRowsAndLeavesNoLevels)
{
    g.AddNode(1, 3);
    g.AddNode(5, 2);
    g.ContractNode(1);
    g.RemoveNode(1);
    EXPECT_FALSE(g.IsNode(1));
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
    EXPECT_FALSE(g.HasCellProperties(0, 2)) << "properties that only held the level are gone";
    EXPECT_TRUE(g.HasNodes());
    g.ContractNode(5);
    g.RemoveAllNodes();
    EXPECT_FALSE(g.HasNodes());
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5 r6 r7 r8");
    for (int r = 0; r < g.RowCount(); ++r)
        EXPECT_FALSE(g.HasCellProperties(0, r)) << r;
}

TEST_F(NodeFixture, ClearingTheGridRemovesTheNodesFirst)
{
    g.AddNode(1, 3);
    g.ContractNode(1);
    g.ClearNormalCells();
    EXPECT_FALSE(g.HasNodes());
    EXPECT_EQ(g.NumHiddenRows(), 0);
    g.AddNode(1, 3);
    g.Clear();
    EXPECT_FALSE(g.HasNodes());
}

TEST_F(NodeFixture, InsertChildRowOnTheNodeMovesTheNodeTextsDown)
{
    g.AddNode(1, 3);
    g.InsertChildRow(1, 0);
    EXPECT_EQ(g.GetNodeSpan(1), 4);
    EXPECT_EQ(g.GetSubNodeCount(1), 1);
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.Cells(1, 2), "r1");
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(level(2), 1);
    EXPECT_EQ(g.Cells(1, 3), "r2");
    g.RemoveChildRow(2);
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    EXPECT_EQ(g.Cells(1, 2), "r2");
}

TEST_F(NodeFixture, InsertChildRowKeepsTheHiddenRowsOfOtherGroups)
{
    g.AddNode(1, 2);
    g.AddNode(5, 3);
    g.ContractNode(5);
    g.InsertChildRow(2, 1); // a row after r2 inside node 1
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    g.ExpandNode(g.RealRowIndex(6));
    EXPECT_EQ(shown(), "r1 r2  r3 r4 r5 r6 r7 r8");
}

struct GlyphHit {
    TNodeType type;
    int level;
    int x;
    bool hit;
};

TEST_F(NodeFixture, GlyphHitArea)
{
    g.AddNode(1, 3);
    g.AddNode(2, 2);
    const GlyphHit cases[] = {
        {cnXP, 1, 4, false}, {cnXP, 1, 5, true}, {cnXP, 1, 15, true}, {cnXP, 1, 16, false},
        {cnXP, 2, 16, false}, {cnXP, 2, 17, true}, {cnXP, 2, 27, true}, {cnFlat, 1, 5, true},
        {cn3D, 1, 1, true}, {cn3D, 1, 17, true}, {cn3D, 1, 18, false}, {cnLeaf, 1, 3, true},
        {cnLeaf, 1, 20, false}, {cnGlyph, 1, 11, true}, {cnGlyph, 1, 12, false},
    };
    for (const GlyphHit &c : cases) {
        g.CellNode()->SetNodeType(c.type);
        EXPECT_EQ(g.IsNodeGlyphHit(c.level, c.x), c.hit) << int(c.type) << " level " << c.level << " x " << c.x;
    }
    g.MouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(g.IsNodeGlyphHit(1, 300));
}

TEST_F(NodeFixture, GroupSortKeepsEachGroupsRowsInside)
{
    // Two groups: 1 (rows 2..4) and 5 (rows 6..8); column 2 holds 8 .. 2 descending.
    g.AddNode(1, 4);
    g.AddNode(5, 4);
    g.SortSettings()->SetColumn(2);
    g.SortSettings()->SetDirection(sdAscending);
    g.QSortGroup();
    EXPECT_EQ(shown(), "r1 r4 r3 r2 r5 r8 r7 r6");
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_TRUE(g.IsNode(5));

    // A contracted group is left as it is; the indexed variant sorts by the index list.
    g.ContractNode(5);
    g.SortIndexes()->Clear();
    g.SortIndexes()->AddIndex(2, false);
    g.QSortGroupIndexed();
    EXPECT_EQ(shown(), "r1 r2 r3 r4 r5");
}

TEST_F(NodeFixture, GroupSortUsesTheDeepestLevelOnly)
{
    g.AddNode(1, 8);
    g.AddNode(2, 3);
    g.AddNode(5, 4);
    g.SortSettings()->SetColumn(2);
    g.QSortGroup();
    EXPECT_EQ(shown(), "r1 r2 r4 r3 r5 r8 r7 r6") << "the sub-groups sort; their nodes stay";
}

TEST_F(NodeFixture, GlyphIsABoxWithMinusOrPlusAtTheRowsLevel)
{
    g.resize(300, 250);
    g.AddNode(1, 4);
    g.AddNode(2, 2);
    g.CellNode()->SetNodeType(cnFlat);
    g.CellNode()->SetNodeColor(clRed);
    g.CellNode()->SetColor(clYellow);
    TRecordingCanvas rc;
    struct Glyph {
        TRect box;
        int strokes = 0;
    };
    auto glyph = [&](int row) {
        rc.Clear();
        g.PaintCell(rc, 0, row, {}, {});
        Glyph out;
        for (const TCanvasOp &op : rc.Ops) {
            if (op.kind == TCanvasOp::Rectangle && op.brush.Color == clYellow)
                out.box = op.rect;
            if (op.kind == TCanvasOp::Line && op.pen.Color == clRed)
                ++out.strokes;
        }
        return out;
    };
    const TRect cell = g.CellRect(0, 1);
    const Glyph top = glyph(1);
    EXPECT_EQ(top.box.Right - top.box.Left, 9);
    EXPECT_GE(top.box.Left, cell.Left) << "level 1 sits inside the first indent";
    EXPECT_LE(top.box.Right, cell.Left + 16);
    EXPECT_EQ(top.strokes, 1) << "expanded: the minus only";
    const Glyph sub = glyph(2);
    EXPECT_EQ(sub.box.Left - top.box.Left, 12) << "one indent further per level";
    g.ContractNode(2);
    EXPECT_EQ(glyph(2).strokes, 2) << "contracted: minus and plus stroke";
    EXPECT_EQ(glyph(3).box.Right, 0) << "a child row has no glyph";
}

} // namespace

TEST_F(NodeFixture, PressOnTheGlyphContractsAndExpandsTheNodeWithItsEvents)
{
    g.resize(300, 300);
    g.show();
    g.AddNode(1, 3);
    g.CellNode()->SetNodeType(cnFlat);
    std::vector<QString> events;
    g.OnBeforeContractNode = [&](QObject *, int r, int real, bool &allow) {
        events.push_back(QStringLiteral("before contract %1 %2").arg(r).arg(real));
        allow = true;
    };
    g.OnContractNode = [&](QObject *, int r, int real) { events.push_back(QStringLiteral("contract %1 %2").arg(r).arg(real)); };
    g.OnBeforeExpandNode = [&](QObject *, int r, int real, bool &) { events.push_back(QStringLiteral("before expand %1 %2").arg(r).arg(real)); };
    g.OnExpandNode = [&](QObject *, int r, int real) { events.push_back(QStringLiteral("expand %1 %2").arg(r).arg(real)); };
    const TRect cell = g.CellRect(0, 1);
    ASSERT_FALSE(cell.IsEmpty());
    const QPoint glyph(cell.Left + 5, (cell.Top + cell.Bottom) / 2);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, glyph);
    EXPECT_TRUE(g.GetNodeState(1)) << "contracted";
    EXPECT_EQ(shown(), QStringLiteral("r1 r4 r5 r6 r7 r8"));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, glyph);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(shown(), QStringLiteral("r1 r2 r3 r4 r5 r6 r7 r8"));
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("before contract 1 1"), QStringLiteral("contract 1 1"),
                                            QStringLiteral("before expand 1 1"), QStringLiteral("expand 1 1")}));
    // A press beside the glyph flips nothing.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(cell.Right - 2, glyph.y()));
    EXPECT_FALSE(g.GetNodeState(1));
}

namespace {

// The node row's glyph as each node look draws it, in a 16-pixel-high cell of a 60-pixel column.
QImage nodeGlyph(TNodeType type, bool contracted)
{
    TNovaStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(4);
    g.SetFixedCols(0);
    g.SetColWidths(0, 60);
    g.SetRowHeights(1, 16);
    g.AddNode(1, 2);
    if (contracted)
        g.ContractNode(1);
    g.CellNode()->SetNodeType(type);
    g.show();
    QApplication::processEvents();
    const TRect R = g.CellRect(0, 1);
    return g.viewport()->grab(R.ToQRect()).toImage();
}

bool sameImage(const QImage &a, const QImage &b) { return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32); }

// The pictures of the leaf and XP looks, open and closed, appear where the looks place them.
TEST(NodeLooks, LeafAndXPDrawTheirPictures)
{
    const QImage flat = nodeGlyph(cnFlat, false);
    for (TNodeType type : {cnLeaf, cnXP}) {
        const QImage open = nodeGlyph(type, false);
        const QImage closed = nodeGlyph(type, true);
        EXPECT_FALSE(sameImage(open, flat)) << int(type);
        EXPECT_FALSE(sameImage(open, closed)) << int(type);
    }
    // The XP picture sits 4 pixels right of the glyph place, centred for 10 pixels: its frame
    // colour shows at its top edge, the background at its transparent corner.
    TNovaStringGrid g;
    const int x = g.CellNode()->NodeIndent() - g.CellNode()->NodeIndent() / 2 - 4 + 4; // indent of level 1
    const QImage xp = nodeGlyph(cnXP, false);
    const int y = (16 - 10) / 2;
    const QImage pic = TNovaStringGrid::NodePicture(QStringLiteral("XPNODEO"));
    EXPECT_EQ(QColor(xp.pixel(x + 4, y)), QColor(pic.pixel(4, 0)));
    EXPECT_NE(QColor(xp.pixel(x, y)), QColor(pic.pixel(0, 0))) << "the corner is transparent";
}

} // namespace

