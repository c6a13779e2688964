#include "grid/base/BaseGrid.h"
#include "grid/base/VedAzirText.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <climits>
#include <map>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Grid : public TBaseGrid {
public:
    int textChanged = 0;
    int lastRowChanged = 0;
    bool nodes = false;
    TColor defaultBrush = clNone;
    void CellTextChanged(int, int) override { ++textChanged; }
    void LastRowChanged() override { ++lastRowChanged; }
    bool HasNodes() override { return nodes; }
    void GetDefaultCellProperties(int c, int r, TFont &font, TBrush &brush, TColor &colorTo, TColor &mirror,
                                  TColor &mirrorTo, TAlignment &ha, TVAlignment &va, bool &wordWrap,
                                  TCellGradientDirection &gd) override
    {
        TBaseGrid::GetDefaultCellProperties(c, r, font, brush, colorTo, mirror, mirrorTo, ha, va, wordWrap, gd);
        if (defaultBrush != clNone) {
            brush.Color = defaultBrush;
            ha = taCenter;
        }
    }
};

struct GridFixture : ::testing::Test {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    Grid *g = nullptr;
    void SetUp() override
    {
        host->resize(600, 400);
        g = new Grid;
        g->setParent(host.get());
        g->setGeometry(0, 0, 600, 400);
        g->SetColCount(8);
        g->SetRowCount(10);
        g->SetDefaultColWidth(50);
        g->SetDefaultRowHeight(20);
        host->show();
    }
};

class Tracked : public TObject {
public:
    explicit Tracked(bool *gone, const char *name = "TObject") : m_gone(gone), m_name(name) {}
    ~Tracked() override { *m_gone = true; }
    const char *ClassName() const override { return m_name; }

private:
    bool *m_gone;
    const char *m_name;
};

} // namespace

TEST_F(GridFixture, MergeMarksBaseAndCoveredCells)
{
    g->MergeCells(1, 2, 3, 2);
    TCellProperties *base = g->CellProperties(1, 2);
    EXPECT_TRUE(base->IsBaseCell());
    EXPECT_EQ(base->CellSpanX(), 2);
    EXPECT_EQ(base->CellSpanY(), 1);
    TCellProperties *covered = g->CellProperties(3, 3);
    EXPECT_FALSE(covered->IsBaseCell());
    EXPECT_EQ(covered->CellSpanX(), 2);
    EXPECT_EQ(covered->CellSpanY(), 1);
    EXPECT_EQ(g->CellSpan(3, 3), (TPoint{2, 1}));
    EXPECT_EQ(g->CellExt(2, 2), (TPoint{1, 1}));
    EXPECT_EQ(g->FullCell(3, 3), (TGridRect{1, 2, 3, 3}));
    EXPECT_EQ(g->BaseCell(3, 3), (TPoint{1, 2}));
    EXPECT_TRUE(g->IsMergedNonBaseCell(2, 3));
    EXPECT_TRUE(g->IsXMergedCell(2, 3));
    EXPECT_TRUE(g->IsYMergedCell(3, 2));
    EXPECT_FALSE(g->IsMergedCell(4, 2));
    EXPECT_EQ(g->MergeCount(), 1);
    const TRect block{50, 40, 200, 80};
    for (int c = 1; c <= 3; ++c)
        for (int r = 2; r <= 3; ++r)
            EXPECT_EQ(g->CellRect(c, r), block) << c << "," << r;
    EXPECT_EQ(g->CellSize(2, 3), (TPoint{150, 40}));
    EXPECT_EQ(g->MinRowSpan(2), 1);
    EXPECT_EQ(g->MaxRowSpan(5), 0);
    EXPECT_EQ(g->MinRowSpan(5), g->RowCount());
}

TEST_F(GridFixture, SingleCellMergeIsNotMergedButTakesTheMergedGeometry)
{
    g->MergeCells(2, 8, 1, 1);
    EXPECT_FALSE(g->IsMergedCell(2, 8));
    EXPECT_TRUE(g->IsBaseCell(2, 8));
    g->SetTopRow(9); // row 8 scrolls out of view (if the grid can scroll) or stays
    g->resize(600, 60);
    g->SetTopRow(9);
    ASSERT_EQ(g->TopRow(), 9);
    // A plain cell out of view answers its size at the origin; the merged path computes where it would be.
    EXPECT_EQ(g->CellRect(3, 8), (TRect{0, 0, 50, 20}));
    EXPECT_EQ(g->CellRect(2, 8), (TRect{100, 0, 150, 20}));
    EXPECT_EQ(g->VirtualCellRect(2, 8), (TRect{100, 0, 150, 20}));
    EXPECT_EQ(g->VirtualCellRect(2, 7), (TRect{100, -20, 150, 0}));
}

TEST_F(GridFixture, SplitRestoresEveryCellAndItsOwnText)
{
    g->SetCells(2, 3, QStringLiteral("covered"));
    g->SetCells(1, 2, QStringLiteral("base"));
    g->MergeCells(1, 2, 3, 2);
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("base"));
    g->SetCells(3, 3, QStringLiteral("via covered"));
    EXPECT_EQ(g->GetGridCell(1, 2), QStringLiteral("via covered"));
    EXPECT_EQ(g->GetGridCell(3, 3), QString());
    EXPECT_EQ(g->GetGridCell(2, 3), QStringLiteral("covered"));
    g->SplitCells(3, 3);
    for (int c = 1; c <= 3; ++c)
        for (int r = 2; r <= 3; ++r) {
            EXPECT_TRUE(g->CellProperties(c, r)->IsBaseCell());
            EXPECT_EQ(g->CellProperties(c, r)->CellSpanX(), -1);
            EXPECT_EQ(g->CellProperties(c, r)->CellSpanY(), -1);
        }
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("covered"));
    EXPECT_EQ(g->MergeCount(), 0);
}

TEST_F(GridFixture, SpanComparisons)
{
    // Columns 1 and 2 merged across into the same ranges in rows 1 and 4.
    g->MergeCells(1, 1, 2, 1);
    g->MergeCells(1, 4, 2, 1);
    EXPECT_TRUE(g->ColSpanIdentical(1, 2));
    EXPECT_FALSE(g->ColSpanIdentical(5, 6)); // nothing merged
    g->MergeCells(4, 6, 2, 1);
    EXPECT_FALSE(g->ColSpanIdentical(3, 4)); // merged in one column only
    // Rows 7 and 8 inside one vertical range of column 6.
    g->MergeCells(6, 7, 1, 2);
    EXPECT_TRUE(g->RowSpanIdentical(7, 8));
    EXPECT_FALSE(g->RowSpanIdentical(0, 9));
}

TEST_F(GridFixture, CellsHonourDisplayHooksOnlyBelowTheNormalRowCount)
{
    for (int r = 0; r < 10; ++r)
        g->SetCells(1, r, QStringLiteral("t%1").arg(r));
    g->OnGetDisplText = [](QObject *, int, int, QString &v) { v += QStringLiteral("!"); };
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("t3")); // normal row count 0
    g->SetNormalRowCount(5);
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("t3!"));
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("t5"));
    EXPECT_EQ(g->GetGridCell(1, 3), QStringLiteral("t3"));
    g->OnGetDisplText = nullptr;
    g->OnGetDisplWideText = [](QObject *, int, int, QString &v) { v = v.toUpper(); };
    EXPECT_EQ(g->Cells(1, 3), EncodeWideText(QStringLiteral("T3")));
    EXPECT_EQ(g->Cells(4, 4), QStringLiteral("|\\")); // an empty text too comes back escaped
    EXPECT_EQ(g->Cells(1, 6), QStringLiteral("t6"));
}

TEST_F(GridFixture, CellsBeyondTheCountsAreKept)
{
    g->SetCells(12, 40, QStringLiteral("scratch"));
    EXPECT_EQ(g->Cells(12, 40), QStringLiteral("scratch"));
    EXPECT_FALSE(g->HasCellProperties(12, 40));
}

TEST_F(GridFixture, ObjectsLiveInsideThePropertyObject)
{
    bool gone = false;
    Tracked user(&gone);
    EXPECT_EQ(g->Objects(2, 2), nullptr);
    EXPECT_FALSE(g->HasCellProperties(2, 2)); // reading created nothing
    g->defaultBrush = clRed;
    g->textChanged = 0;
    g->SetObjectEx(2, 2, &user);
    EXPECT_EQ(g->Objects(2, 2), &user);
    EXPECT_EQ(g->GetGridObject(2, 2), g->CellProperties(2, 2));
    EXPECT_EQ(g->Cells(2, 2), QString());
    EXPECT_EQ(g->CellProperties(2, 2)->BrushColor(), clRed);
    EXPECT_EQ(g->CellProperties(2, 2)->Alignment(), taCenter);
    EXPECT_EQ(g->textChanged, 1); // the " " went in before the object existed, the "" after
    g->SetObjectEx(2, 2, &user);
    EXPECT_EQ(g->textChanged, 3);
}

TEST(BaseGridLifetime, FreeingTheGridFreesCellGraphicsButNotUserObjects)
{
    bool graphicGone = false, otherGone = false, userGone = false;
    auto *graphic = new Tracked(&graphicGone, "TCellGraphic");
    auto *other = new Tracked(&otherGone, "TPictureGraphic");
    Tracked user(&userGone);
    {
        TBaseGrid g;
        g.SetGraphicObjectEx(1, 1, graphic);
        g.SetGraphicObjectEx(2, 1, other);
        g.SetObjectEx(3, 1, &user);
        g.GetCellProperties(1, 30); // past the row count
        EXPECT_EQ(g.GetGraphicObjectEx(1, 1), graphic);
        EXPECT_EQ(g.GraphicObjectOf(g.GetGridObject(1, 1)), graphic);
    }
    EXPECT_TRUE(graphicGone);
    EXPECT_FALSE(otherGone);
    EXPECT_FALSE(userGone);
    delete other;
}

TEST_F(GridFixture, AlignmentDoesNotRepaintBrushColourDoes)
{
    struct Counter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    QApplication::processEvents();
    g->viewport()->installEventFilter(&counter);
    TCellProperties *p = g->CellProperties(2, 2);
    QApplication::processEvents();
    counter.paints = 0;
    p->SetAlignment(taRightJustify);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    p->SetBrushColor(clYellow);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
}

TEST_F(GridFixture, RightAndDownLeaveAMergedRangeInOneKeyPress)
{
    g->MergeCells(2, 2, 3, 2);
    g->setFocus();
    g->FocusCell(2, 2);
    QTest::keyClick(g, Qt::Key_Right);
    EXPECT_EQ(g->Col(), 5);
    EXPECT_EQ(g->Row(), 2);
    g->FocusCell(3, 3); // a covered cell
    QTest::keyClick(g, Qt::Key_Down);
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->Col(), 3);
    g->FocusCell(4, 3);
    g->MoveToBaseCell();
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
    QTest::keyClick(g, Qt::Key_Left);
    EXPECT_EQ(g->Col(), 1);
}

TEST_F(GridFixture, LeftOnAWideRangeNeverYieldsANegativeColumn)
{
    g->SetFixedCols(0);
    g->MergeCells(1, 3, 4, 1); // four columns from column 1: base column minus span is -2
    int refused = 0;
    g->OnSelectCell = [&](QObject *, int c, int, bool &can) {
        if (c < 0) {
            ++refused;
            can = false;
        }
    };
    g->setFocus();
    g->FocusCell(3, 3);
    ASSERT_EQ(g->Col(), 3);
    QTest::keyClick(g, Qt::Key_Left);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 3);
}

TEST_F(GridFixture, HiddenLastRowIsAPlainAreaAndReportsWrites)
{
    g->SetHideLastRow(true);
    g->SetCells(3, 9, QStringLiteral("footer"));
    EXPECT_EQ(g->lastRowChanged, 1);
    g->SetCells(3, 8, QStringLiteral("body"));
    EXPECT_EQ(g->lastRowChanged, 1);
    TRecordingCanvas k;
    g->PaintCell(k, 3, 9, {150, 180, 200, 200}, {});
    ASSERT_EQ(k.Ops.size(), 1u);
    EXPECT_EQ(k.Ops[0].kind, TCanvasOp::FillRect);
    EXPECT_EQ(k.Ops[0].brush.Color, g->Color());
    EXPECT_TRUE(k.Texts().isEmpty());
}

TEST_F(GridFixture, PageDownAndTheWheelStopAboveAHiddenLastRow)
{
    g->SetHideLastRow(true);
    g->setFocus();
    // All rows in view, and a grid several pages long.
    for (const int rows : {10, 100}) {
        SCOPED_TRACE(rows);
        g->SetRowCount(rows);
        g->FocusCell(1, 1);
        for (int i = 0; i < rows / 5; ++i) {
            QTest::keyClick(g, Qt::Key_PageDown);
            ASSERT_LT(g->Row(), rows - 1);
        }
        EXPECT_EQ(g->Row(), rows - 2);
        g->DoMouseWheelDown(Qt::NoModifier, {});
        EXPECT_EQ(g->Row(), rows - 2);
        // Shift+PgDn selects down to the same row.
        g->FocusCell(1, 1);
        for (int i = 0; i < rows / 5; ++i)
            QTest::keyClick(g, Qt::Key_PageDown, Qt::ShiftModifier);
        EXPECT_EQ(g->Selection().Top, 1);
        EXPECT_EQ(g->Selection().Bottom, rows - 2);
    }
    g->SetHideLastRow(false);
    QTest::keyClick(g, Qt::Key_PageDown);
    EXPECT_EQ(g->Row(), 99);
}

TEST_F(GridFixture, CellsFarBelowTheGridCostNothingAndNeverCrash)
{
    const long long before = testsupport::residentBytes();
    for (const int row : {50000000, INT_MAX}) {
        SCOPED_TRACE(row);
        g->SetCells(3, row, QStringLiteral("far"));
        EXPECT_EQ(g->Cells(3, row), QStringLiteral("far"));
        EXPECT_EQ(g->GetGridCell(3, row), QStringLiteral("far"));
        EXPECT_EQ(g->Cells(3, row - 1), QString());
        // A property object out there is kept by the store but is no cell of the grid.
        g->GetCellProperties(4, row)->SetBrushColor(clRed);
        EXPECT_NE(g->GetGridObject(4, row), nullptr);
        EXPECT_FALSE(g->HasCellProperties(4, row));
        // Far below the view, whatever the distance.
        EXPECT_GT(g->VirtualCellRect(3, row).Top, g->ClientHeight());
        EXPECT_EQ(g->CellSize(3, row), (TPoint{50, 20}));
    }
    EXPECT_LT(g->Store().MemoryBytes(), std::size_t(1000000));
    EXPECT_LT(testsupport::residentBytes() - before, 200LL * 1000000);
    g->FreeCellPropertiesRange(0, 50000000, INT_MAX, INT_MAX - 1);
    EXPECT_EQ(g->GetGridObject(4, 50000000), nullptr);
    EXPECT_NE(g->GetGridObject(4, INT_MAX), nullptr); // freed with the grid
}

TEST_F(GridFixture, PainterDrawsGridLinesAndCentredText)
{
    g->SetCells(2, 2, QStringLiteral("abc"));
    TRecordingCanvas k;
    g->PaintCell(k, 2, 2, {}, {});
    const auto lines = k.OfKind(TCanvasOp::Line);
    ASSERT_EQ(lines.size(), 2u);
    // Cell (2, 2) is at (100, 40)-(150, 60); the bottom and right lines lie on its last pixels.
    EXPECT_EQ(lines[0].points[0], (TPoint{100, 59}));
    EXPECT_EQ(lines[0].points[1], (TPoint{150, 59}));
    EXPECT_EQ(lines[0].pen.Color, clSilver);
    EXPECT_EQ(lines[1].points[0], (TPoint{149, 59}));
    const auto texts = k.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("abc"));
    EXPECT_EQ(texts[0].rect, (TRect{101, 41, 149, 59}));
    EXPECT_EQ(texts[0].flags & (DT_CENTER | DT_VCENTER | DT_SINGLELINE), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    // Nodes take the horizontal line of column 0 away.
    g->nodes = true;
    k.Clear();
    g->PaintCell(k, 0, 2, {}, {gdFixed});
    for (const auto &op : k.OfKind(TCanvasOp::Line))
        EXPECT_EQ(op.points[0].X, op.points[1].X) << "only vertical lines";
    EXPECT_EQ(k.Count(TCanvasOp::Line), 1);
}

TEST_F(GridFixture, StyledSelectionBoxesFollowTheSelectionSides)
{
    g->SetSelectionStyle(ssOffice2007);
    g->setFocus();
    QApplication::processEvents();
    g->FocusCell(2, 3);
    g->FocusCell(4, 3, false);
    ASSERT_EQ(g->Selection(), (TGridRect{2, 3, 4, 3}));
    auto borderVerticals = [&](int c, bool focused) {
        TRecordingCanvas k;
        g->PaintCell(k, c, 3, {}, {gdSelected});
        const TColor border = focused ? 0x8DD7D3 : 0xD9D9D9;
        int n = 0;
        bool fillSeen = false;
        for (const auto &op : k.Ops) {
            if (op.kind == TCanvasOp::Line && op.pen.Color == border && op.points[0].X == op.points[1].X)
                ++n;
            if (op.kind == TCanvasOp::FillRect && op.brush.Color == (focused ? 0xD7FFFDu : 0xF8F8F8u))
                fillSeen = true;
        }
        EXPECT_TRUE(fillSeen);
        return n;
    };
    ASSERT_TRUE(g->hasFocus());
    EXPECT_EQ(borderVerticals(2, true), 1); // open to the right
    EXPECT_EQ(borderVerticals(3, true), 0); // open on both sides
    EXPECT_EQ(borderVerticals(4, true), 1); // open to the left
    g->FocusCell(5, 5);
    EXPECT_EQ(borderVerticals(5, true), 2); // a single cell: closed box
    // Focus elsewhere: the grey look.
    QWidget other(host.get());
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(g->hasFocus());
    EXPECT_EQ(borderVerticals(5, false), 2);
}

TEST_F(GridFixture, ActiveAndHoverRowColours)
{
    g->SetActiveRowShow(true);
    g->SetActiveRowColor(clAqua);
    g->FocusCell(2, 4);
    TRecordingCanvas k;
    g->PaintCell(k, 3, 4, {}, {});
    ASSERT_FALSE(k.OfKind(TCanvasOp::FillRect).empty());
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].brush.Color, clAqua);
    g->SetHoverRow(true);
    g->SetHoverRowColor(clLime);
    struct Peek : Grid {
        void setHover(int r) { FHoverRowIdx = r; }
    };
    static_cast<Peek *>(static_cast<Grid *>(g))->setHover(6);
    k.Clear();
    g->PaintCell(k, 3, 6, {}, {});
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].brush.Color, clLime);
}

TEST_F(GridFixture, UndoComponentIsForgottenWhenRemoved)
{
    auto *u = new TGridUndoRedoBase;
    g->SetUndoRedo(u);
    EXPECT_EQ(u->Grid(), g);
    g->Notification(u, true);
    EXPECT_EQ(g->UndoRedoBase(), nullptr);
    g->SetUndoRedo(u);
    delete u;
    EXPECT_EQ(g->UndoRedoBase(), nullptr);
}

TEST(BaseGridPixels, PaintedGridShowsColouredCellsAndLines)
{
    TBaseGrid g;
    g.resize(300, 200);
    g.SetColCount(4);
    g.SetRowCount(5);
    g.SetDefaultColWidth(60);
    g.SetDefaultRowHeight(30);
    g.CellProperties(2, 2)->SetBrushColor(clRed);
    g.CellProperties(1, 3)->SetBrushColor(clBlue);
    g.CellProperties(1, 3)->SetBrushColorTo(clWhite);
    g.FocusCell(3, 4);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    g.PaintTo(p);
    p.end();
    auto px = [&](int x, int y) { return FromQColor(QColor(img.pixel(x, y))); };
    EXPECT_EQ(px(150, 75), clRed);                  // inside cell (2, 2)
    EXPECT_EQ(px(179, 75), clSilver);               // its right grid line
    EXPECT_EQ(px(150, 89), clSilver);               // its bottom grid line
    EXPECT_EQ(px(30, 15), ColorToRGB(clBtnFace));   // fixed cell
    EXPECT_EQ(px(59, 15), clGray);                  // fixed line
    EXPECT_EQ(px(90, 90), clBlue);                  // top of the gradient cell
    EXPECT_NE(px(90, 117), clBlue);                 // lighter further down
    EXPECT_EQ(px(150, 45), clWhite);                // plain cell: the grid colour (clWindow)
    EXPECT_EQ(px(200, 135), ColorToRGB(clHighlight)); // the current (selected) cell
}

TEST(BaseGridScale, SizesAndFontFollowTheFormScale)
{
    TBaseGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 100);
    g.SetRowHeights(2, 30);
    TFont f = g.Font();
    f.Size = 8;
    g.SetFont(f);
    g.ChangeScale(3, 2);
    EXPECT_EQ(g.ColWidths(1), 150);
    EXPECT_EQ(g.ColWidths(0), 96);
    EXPECT_EQ(g.RowHeights(2), 45);
    EXPECT_EQ(g.DefaultRowHeight(), 36);
    EXPECT_EQ(g.Font().Size, 12);
}

TEST(BaseGridBounds, StrayCoordinatesNeitherCrashNorStore)
{
    TBaseGrid g;
    TCellProperties *p = g.GetCellProperties(-1, 2);
    ASSERT_NE(p, nullptr);
    p->SetBrushColor(clRed);
    EXPECT_FALSE(g.HasCellProperties(-1, 2));
    EXPECT_EQ(g.Cells(-1, 2), QString());
    EXPECT_FALSE(g.IsMergedCell(-3, -3));
    EXPECT_EQ(g.CellSpan(100, 100), (TPoint{0, 0}));
    g.SetCellProperties(-1, 0, new TCellProperties(&g, -1, 0));
    EXPECT_EQ(g.GetGridObject(-1, 0), nullptr);
}

namespace {
class CountingGrid : public TBaseGrid {
public:
    std::map<std::pair<int, int>, int> contents;
    void PaintCellContents(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state) override
    {
        ++contents[{c, r}];
        TBaseGrid::PaintCellContents(canvas, c, r, rect, state);
    }
};
} // namespace

TEST(BaseGridPaintPass, AMergedRangeIsPaintedThroughItsBaseCellOncePerPass)
{
    CountingGrid g;
    g.resize(400, 300);
    g.SetColCount(6);
    g.SetRowCount(40);
    g.SetDefaultRowHeight(20);
    g.MergeCells(2, 3, 2, 3);
    QImage img(400, 300, QImage::Format_RGB32);
    {
        QPainter p(&img);
        g.PaintTo(p);
    }
    EXPECT_EQ((g.contents[{2, 3}]), 2); // directly, and once for all five covered cells
    EXPECT_EQ((g.contents[{3, 4}]), 0);
    const int pass = g.PaintID();
    g.contents.clear();
    g.SetTopRow(4); // the base row scrolls out, covered rows stay in view
    {
        QPainter p(&img);
        g.PaintTo(p);
    }
    EXPECT_EQ((g.contents[{2, 3}]), 1);
    EXPECT_EQ(g.PaintID(), pass + 1);
}

TEST_F(GridFixture, PaintCellExtPaintsOnlyTheBackgroundInTheGivenRectangle)
{
    g->SetActiveRowColor(clFuchsia);
    g->SetCells(0, 0, QStringLiteral("head"));
    TRecordingCanvas k;
    g->PaintCellExt(k, 0, 0, {0, 0, 30, 15}, {gdSelected});
    EXPECT_TRUE(k.Texts().isEmpty());
    ASSERT_FALSE(k.OfKind(TCanvasOp::FillRect).empty());
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].brush.Color, clFuchsia);
    EXPECT_EQ(k.OfKind(TCanvasOp::FillRect)[0].rect, (TRect{0, 0, 30, 15}));
}
