#include "platform/StringGrid.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <climits>
#include <set>

namespace {

// Records the cells the grid asks to draw.
class ProbeGrid : public TStringGrid {
public:
    std::vector<std::tuple<int, int, QRect, TGridDrawState>> drawn;
    void DrawCell(int col, int row, const QRect &rect, TGridDrawState state) override
    {
        drawn.emplace_back(col, row, rect, state);
        TStringGrid::DrawCell(col, row, rect, state);
    }
};

std::unique_ptr<ProbeGrid> makeGrid(int cols = 5, int rows = 10)
{
    auto g = std::make_unique<ProbeGrid>();
    g->resize(400, 200);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->show();
    return g;
}

} // namespace

TEST(CellStore, KeepsCellsOutsideAnyCountAndReadsEmptyOtherwise)
{
    TGridCellStore s;
    EXPECT_EQ(s.Text(3, 7), QString());
    s.SetText(3, 7, QStringLiteral("x"));
    s.SetText(0, 7, QStringLiteral("first"));
    s.SetText(25, 7, QStringLiteral("far"));
    EXPECT_EQ(s.Text(3, 7), QStringLiteral("x"));
    EXPECT_EQ(s.Text(0, 7), QStringLiteral("first"));
    EXPECT_EQ(s.Text(25, 7), QStringLiteral("far"));
    EXPECT_EQ(s.Text(4, 7), QString());
    EXPECT_EQ(s.Text(3, 6), QString());
    s.SetText(3, 7, QStringLiteral("longer text"));
    EXPECT_EQ(s.Text(25, 7), QStringLiteral("far"));
    EXPECT_EQ(s.Text(3, 7), QStringLiteral("longer text"));
    s.SetText(25, 7, QString());
    EXPECT_EQ(s.CellsInRow(7), 4);
    s.SetText(-1, 2, QStringLiteral("ignored"));
    EXPECT_EQ(s.Text(-1, 2), QString());
}

TEST(CellStore, RoundTripsAnyUtf16Text)
{
    TGridCellStore s;
    const QString samples[] = {
        QString(QChar(0)) + QStringLiteral("a\r\nb"),
        QString::fromUtf16(u"\u00e4\u00df\u20ac\u4e2d\U0001F600"),
        QString(QChar(char16_t(0xD800))) + QStringLiteral("lone"),
        QString(QChar(char16_t(0x3FFF))) + QString(QChar(char16_t(0x4000))) + QString(QChar(char16_t(0xFFFF))),
        QString(300, QLatin1Char('z')),
    };
    int col = 0;
    for (const QString &t : samples)
        s.SetText(col++, 1, t);
    col = 0;
    for (const QString &t : samples)
        EXPECT_EQ(s.Text(col++, 1), t);
    // Appended one after the other into one buffer; missing cells and rows add nothing.
    std::u16string all;
    for (int c = 0; c <= col; ++c)
        s.AppendText(c, 1, all);
    s.AppendText(0, 2, all);
    s.AppendText(-1, 1, all);
    QString want;
    for (const QString &t : samples)
        want += t;
    EXPECT_EQ(QString::fromUtf16(all.data(), qsizetype(all.size())), want);
}

TEST(CellStore, ExchangedRowsKeepTheirCellsObjectsAndEmptiness)
{
    TGridCellStore s;
    TObject o;
    s.SetText(0, 1, QStringLiteral("one"));
    s.SetObject(2, 1, &o);
    s.SetText(1, 2, QStringLiteral("two"));
    s.ExchangeRows(1, 2); // both hold something
    EXPECT_EQ(s.Text(1, 1), QStringLiteral("two"));
    EXPECT_EQ(s.Text(0, 2), QStringLiteral("one"));
    EXPECT_EQ(s.Object(2, 2), &o);
    EXPECT_FALSE(s.RowHasObjects(1));
    s.ExchangeRows(2, 3000); // with an empty row in a leaf of its own
    EXPECT_TRUE(s.IsEmpty(0, 2));
    EXPECT_EQ(s.Object(2, 3000), &o);
    EXPECT_EQ(s.LastRow(), 3000);
    EXPECT_EQ(s.NextRow(2), 3000);
    s.SetObject(2, 3000, nullptr);
}

TEST(CellStore, ObjectsMoveWithRowsAndColumns)
{
    TGridCellStore s;
    TObject a, b;
    s.SetObject(1, 2, &a);
    s.SetObject(4, 5, &b);
    s.SetText(1, 2, QStringLiteral("A"));
    EXPECT_TRUE(s.HasObjects());
    EXPECT_EQ(s.Object(1, 2), &a);
    s.MoveRow(2, 5); // rows 3..5 move up one
    EXPECT_EQ(s.Object(1, 5), &a);
    EXPECT_EQ(s.Text(1, 5), QStringLiteral("A"));
    EXPECT_EQ(s.Object(4, 4), &b);
    s.MoveCol(1, 3);
    EXPECT_EQ(s.Object(3, 5), &a);
    EXPECT_EQ(s.Text(3, 5), QStringLiteral("A"));
    EXPECT_EQ(s.Object(4, 4), &b); // right of the moved range: stays
    s.SetObject(3, 5, nullptr);
    s.SetObject(4, 4, nullptr);
    EXPECT_FALSE(s.HasObjects());
}

TEST(CellStore, MillionRowsOfTwentyColumnsStaySmall)
{
    TGridCellStore s;
    for (int r = 0; r < 1000000; ++r)
        for (int c = 0; c < 20; ++c)
            s.SetText(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    EXPECT_EQ(s.Text(19, 999999), QStringLiteral("R999999C19"));
    EXPECT_EQ(s.Text(7, 500000), QStringLiteral("R500000C7"));
    // About 230 bytes of text per row; the store must not take several times that.
    EXPECT_LT(s.MemoryBytes(), std::size_t(400) * 1000000);
}

namespace {
constexpr long long kMB = 1000000;
}

TEST(CellStore, RowsFarBeyondAnyCountCostNothing)
{
    // Block and leaf edges of the row table, and the largest rows there are.
    for (const int row : {50000000, INT_MAX, INT_MAX - 1, 1 << 21, (1 << 21) - 1, 1 << 30}) {
        SCOPED_TRACE(row);
        const long long before = testsupport::residentBytes();
        TGridCellStore s;
        TObject o;
        s.SetText(3, row, QStringLiteral("far"));
        s.SetObject(1, row, &o);
        EXPECT_EQ(s.Text(3, row), QStringLiteral("far"));
        EXPECT_EQ(s.Object(1, row), &o);
        EXPECT_EQ(s.Text(3, row - 1), QString());
        EXPECT_EQ(s.Object(1, row - 1), nullptr);
        EXPECT_EQ(s.CellsInRow(row), 4);
        EXPECT_EQ(s.RowSpan(), row == INT_MAX ? INT_MAX : row + 1);
        EXPECT_LT(s.MemoryBytes(), std::size_t(kMB));
        EXPECT_LT(testsupport::residentBytes() - before, 200 * kMB);
        s.SetText(3, row, QString());
        s.SetObject(1, row, nullptr);
        EXPECT_EQ(s.RowSpan(), 0);
        EXPECT_FALSE(s.HasObjects());
        EXPECT_LT(s.MemoryBytes(), std::size_t(16384));
    }
}

TEST(CellStore, OnlyRowsThatHoldSomethingAreWalkedAndMoved)
{
    const long long before = testsupport::residentBytes();
    TGridCellStore s;
    TObject o;
    s.SetText(0, 2, QStringLiteral("two"));
    s.SetText(1, 50000000, QStringLiteral("mid"));
    s.SetObject(2, INT_MAX, &o);
    EXPECT_EQ(s.NextRow(0), 2);
    EXPECT_EQ(s.NextRow(3), 50000000);
    EXPECT_EQ(s.NextRow(50000001), INT_MAX);
    EXPECT_EQ(s.LastRow(), INT_MAX);
    EXPECT_EQ(s.NextObjectCol(INT_MAX, 0), 2);
    EXPECT_EQ(s.NextObjectCol(INT_MAX, 3), -1);

    s.ExchangeRows(2, INT_MAX);
    EXPECT_EQ(s.Object(2, 2), &o);
    EXPECT_EQ(s.Text(0, INT_MAX), QStringLiteral("two"));
    s.MoveRow(INT_MAX, 0); // every row below moves down one
    EXPECT_EQ(s.Text(0, 0), QStringLiteral("two"));
    EXPECT_EQ(s.Object(2, 3), &o);
    EXPECT_EQ(s.Text(1, 50000001), QStringLiteral("mid"));
    EXPECT_EQ(s.LastRow(), 50000001);
    s.MoveRow(0, INT_MAX); // and back up
    EXPECT_EQ(s.Text(0, INT_MAX), QStringLiteral("two"));
    EXPECT_EQ(s.Object(2, 2), &o);
    EXPECT_EQ(s.Text(1, 50000000), QStringLiteral("mid"));
    s.MoveCol(2, 0);
    EXPECT_EQ(s.Object(0, 2), &o);
    EXPECT_EQ(s.Text(1, INT_MAX), QStringLiteral("two"));
    EXPECT_EQ(s.Text(2, 50000000), QStringLiteral("mid"));

    TGridCellStore copy = s;
    EXPECT_EQ(copy.Text(1, INT_MAX), QStringLiteral("two"));
    EXPECT_EQ(copy.Object(0, 2), &o);
    EXPECT_LT(s.MemoryBytes() + copy.MemoryBytes(), std::size_t(kMB));
    EXPECT_LT(testsupport::residentBytes() - before, 200 * kMB);
    TGridCellStore moved = std::move(copy);
    EXPECT_EQ(moved.Text(1, INT_MAX), QStringLiteral("two"));
    EXPECT_EQ(copy.Text(1, INT_MAX), QString()); // a store moved from is left empty
    EXPECT_EQ(copy.LastRow(), -1);
    s.Clear();
    EXPECT_EQ(s.NextRow(0), -1);
    EXPECT_EQ(s.Text(1, INT_MAX), QString());
}

// A row written from left to right goes on from where the last cell ended; every other change of
// the row in between must be seen.
TEST(CellStore, RowsWrittenLeftToRightSeeEveryChangeBetween)
{
    struct Step {
        const char *what;
        std::function<void(TGridCellStore &)> change;
        QStringList row1; // row 1 afterwards, then "z" written at column 6
    };
    const Step steps[] = {
        {"nothing", [](TGridCellStore &) {}, {"a", "b", "c", "", "", "", "z"}},
        {"a cell before emptied", [](TGridCellStore &s) { s.SetText(1, 1, QString()); }, {"a", "", "c", "", "", "", "z"}},
        {"a cell before lengthened", [](TGridCellStore &s) { s.SetText(0, 1, QString(300, 'L')); },
         {QString(300, 'L'), "b", "c", "", "", "", "z"}},
        {"cells exchanged", [](TGridCellStore &s) { s.ExchangeCells(0, 1, 2, 1); }, {"c", "b", "a", "", "", "", "z"}},
        {"rows exchanged", [](TGridCellStore &s) { s.ExchangeRows(1, 0); }, {"r0", "", "", "", "", "", "z"}},
        {"row taken and put back longer",
         [](TGridCellStore &s) {
             TGridCellStore::PackedRow r = s.TakeRow(0);
             s.PutRow(1, std::move(r));
         },
         {"r0", "", "", "", "", "", "z"}},
        {"column moved", [](TGridCellStore &s) { s.MoveCol(0, 4); }, {"b", "c", "", "", "a", "", "z"}},
        {"cleared", [](TGridCellStore &s) { s.Clear(); }, {"", "", "", "", "", "", "z"}},
    };
    for (const Step &st : steps) {
        SCOPED_TRACE(st.what);
        TGridCellStore s;
        s.SetText(0, 0, QStringLiteral("r0"));
        for (int c = 0; c < 3; ++c)
            s.SetText(c, 1, QString(QChar('a' + c)));
        st.change(s);
        s.SetText(6, 1, QStringLiteral("z"));
        QStringList got;
        for (int c = 0; c < 7; ++c)
            got << s.Text(c, 1);
        EXPECT_EQ(got, st.row1);
        EXPECT_TRUE(s.IsEmpty(5, 1));
        EXPECT_FALSE(s.IsEmpty(6, 1));
    }
}

TEST(CellStore, ColumnsFromTheLimitOnAreRefusedLikeNegativeOnes)
{
    const long long before = testsupport::residentBytes();
    TGridCellStore s;
    TObject o;
    for (const int col : {INT_MAX, TGridCellStore::MaxCols}) {
        s.SetText(col, 1, QStringLiteral("x"));
        s.SetObject(col, 1, &o);
        EXPECT_EQ(s.Text(col, 1), QString());
        EXPECT_EQ(s.Object(col, 1), nullptr);
    }
    s.SetText(TGridCellStore::MaxCols - 1, 1, QStringLiteral("last"));
    EXPECT_EQ(s.Text(TGridCellStore::MaxCols - 1, 1), QStringLiteral("last"));
    s.MoveCol(TGridCellStore::MaxCols - 1, INT_MAX);
    EXPECT_EQ(s.Text(TGridCellStore::MaxCols - 1, 1), QStringLiteral("last"));
    EXPECT_FALSE(s.HasObjects());
    EXPECT_LT(testsupport::residentBytes() - before, 200 * kMB);

    auto g = std::make_unique<TStringGrid>();
    g->SetColCount(INT_MAX);
    EXPECT_EQ(g->ColCount(), TGridCellStore::MaxCols);
}

TEST(StringGrid, SpansOfAnyLengthStayInRange)
{
    auto g = std::make_unique<TStringGrid>();
    g->SetDefaultRowHeight(20);
    g->SetGridLineWidth(1);
    EXPECT_EQ(g->RowSpanHeight(0, 10), 210);
    EXPECT_EQ(g->RowSpanHeight(0, INT_MAX), 0x3FFFFFFF);
    EXPECT_EQ(g->RowSpanHeight(INT_MAX, 0), -0x3FFFFFFF);
    EXPECT_EQ(g->ColSpanWidth(1, INT_MAX), 0x3FFFFFFF);
    g->SetRowHeights(2, 5);
    EXPECT_EQ(g->RowSpanHeight(0, 10), 195);
    EXPECT_EQ(g->RowSpanHeight(0, INT_MAX), 0x3FFFFFFF);
}

TEST(StringGrid, CountsDoNotCutTheStore)
{
    auto g = makeGrid(3, 3);
    g->SetCell(5, 8, QStringLiteral("outside"));
    EXPECT_EQ(g->GetCell(5, 8), QStringLiteral("outside"));
    g->SetCell(1, 2, QStringLiteral("inside"));
    g->SetRowCount(2);
    g->SetRowCount(4);
    EXPECT_EQ(g->GetCell(1, 2), QStringLiteral("inside"));
    g->SetRowCount(1);
    EXPECT_EQ(g->FixedRows(), 0);
    EXPECT_EQ(g->RowCount(), 1);
}

TEST(StringGrid, GeometryAndHitTesting)
{
    auto g = makeGrid(6, 20);
    g->SetGridLineWidth(0);
    g->SetDefaultColWidth(50);
    g->SetDefaultRowHeight(20);
    EXPECT_EQ(g->CellRect(0, 0), QRect(0, 0, 50, 20));
    EXPECT_EQ(g->CellRect(2, 3), QRect(100, 60, 50, 20));
    g->SetColWidths(1, 70);
    EXPECT_EQ(g->CellRect(2, 3), QRect(120, 60, 50, 20));
    int c = -1, r = -1;
    g->MouseToCell(125, 65, c, r);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 3);
    g->MouseToCell(119, 59, c, r);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 2);
    g->SetTopRow(5);
    EXPECT_TRUE(g->CellRect(2, 3).isEmpty()); // scrolled out
    EXPECT_EQ(g->CellRect(2, 5), QRect(120, 20, 50, 20));
    EXPECT_EQ(g->CellRect(2, 0), QRect(120, 0, 50, 20)); // fixed row stays
    const int visible = g->VisibleRowCount();
    EXPECT_EQ(visible, (g->ClientHeight() - 20) / 20);
}

TEST(StringGrid, KeysMoveTheCurrentCellAndShiftExtendsTheSelection)
{
    auto g = makeGrid(5, 10);
    g->setFocus();
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    QTest::keyClick(g.get(), Qt::Key_Right);
    QTest::keyClick(g.get(), Qt::Key_Down);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->TopRow(), 1); // the keys moved the cell, they did not scroll
    EXPECT_EQ(g->LeftCol(), 1);
    QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(g.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g->Selection(), (TGridRect{2, 2, 3, 3}));
    QTest::keyClick(g.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g->Col(), 4);
    EXPECT_EQ(g->Row(), 9);
    QTest::keyClick(g.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    QTest::keyClick(g.get(), Qt::Key_Left); // never into the fixed column
    EXPECT_EQ(g->Col(), 1);
}

TEST(StringGrid, SelectCellAndKeyDownHooksCanRefuse)
{
    auto g = makeGrid(5, 10);
    g->OnSelectCell = [](QObject *, int c, int, bool &can) { can = c != 2; };
    g->SetCol(2);
    EXPECT_EQ(g->Col(), 1);
    g->SetCol(3);
    EXPECT_EQ(g->Col(), 3);
    g->OnKeyDown = [](QObject *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down)
            key = 0;
    };
    g->setFocus();
    QTest::keyClick(g.get(), Qt::Key_Down);
    EXPECT_EQ(g->Row(), 1);
}

TEST(StringGrid, ScrollsToKeepTheCurrentRowInView)
{
    auto g = makeGrid(3, 1000);
    g->SetRow(500);
    EXPECT_LE(g->TopRow(), 500);
    EXPECT_GE(g->TopRow() + g->VisibleRowCount() - 1, 500);
    EXPECT_FALSE(g->CellRect(1, 500).isEmpty());
    int fired = 0;
    g->OnTopLeftChanged = [&](QObject *) { ++fired; };
    g->SetRow(2);
    EXPECT_EQ(g->TopRow(), 2);
    EXPECT_EQ(fired, 1);
}

TEST(StringGrid, EditorWritesThroughAndEscapeRestores)
{
    auto g = makeGrid(4, 4);
    g->SetOptions(g->Options() + TGridOptions{goEditing});
    g->SetCell(1, 1, QStringLiteral("old"));
    g->activateWindow();
    g->setFocus();
    g->ShowEditor();
    ASSERT_TRUE(g->EditorMode());
    ASSERT_NE(g->InplaceEditor(), nullptr);
    EXPECT_EQ(g->InplaceEditor()->text(), QStringLiteral("old"));
    g->InplaceEditor()->selectAll();
    QTest::keyClicks(g->InplaceEditor(), QStringLiteral("new"));
    EXPECT_EQ(g->GetCell(1, 1), QStringLiteral("new"));
    QTest::keyClick(g->InplaceEditor(), Qt::Key_Escape);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->GetCell(1, 1), QStringLiteral("old"));
}

TEST(StringGrid, MoveColRowMovesCellsAndSizes)
{
    auto g = makeGrid(4, 4);
    g->SetColWidths(1, 90);
    g->SetCell(1, 2, QStringLiteral("b"));
    g->MoveColRow(true, 1, 3);
    EXPECT_EQ(g->GetCell(3, 2), QStringLiteral("b"));
    EXPECT_EQ(g->ColWidths(3), 90);
    g->MoveColRow(false, 2, 0);
    EXPECT_EQ(g->GetCell(3, 0), QStringLiteral("b"));
}

TEST(StringGrid, PaintsOnlyCellsInViewWithTheirStates)
{
    auto g = makeGrid(50, 100000);
    g->SetTopRow(50000);
    g->drawn.clear();
    QImage img(g->viewport()->size(), QImage::Format_RGB32);
    QPainter p(&img);
    g->PaintTo(p);
    p.end();
    std::set<int> rows;
    bool fixedSeen = false;
    for (const auto &[c, r, rect, st] : g->drawn) {
        rows.insert(r);
        if (r == 0 || c == 0)
            fixedSeen = fixedSeen || st.Contains(gdFixed);
        EXPECT_TRUE(r == 0 || r >= 50000);
    }
    EXPECT_TRUE(fixedSeen);
    EXPECT_LE(int(rows.size()), g->VisibleRowCount() + 3);
}

TEST(StringGrid, WheelStepsTheCurrentRow)
{
    auto g = makeGrid(3, 10);
    QWheelEvent down(QPointF(10, 30), g->mapToGlobal(QPointF(10, 30)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g->viewport(), &down);
    EXPECT_EQ(g->Row(), 2);
}

TEST(StringGrid, LayoutBeforeTheFirstShowUsesTheGivenSize)
{
    QWidget host;
    auto *g = new TStringGrid(&host);
    g->setGeometry(0, 0, 400, 300);
    g->SetColCount(5);
    g->SetRowCount(100);
    g->SetRow(8); // fits into 300 pixels of 24-pixel rows: no scrolling
    EXPECT_EQ(g->TopRow(), 1);
    g->SetRow(50);
    EXPECT_GT(g->TopRow(), 1);
    EXPECT_GE(g->TopRow() + g->VisibleRowCount() - 1, 50);
    host.show();
    EXPECT_FALSE(g->CellRect(1, 50).isEmpty());
}

namespace {
class UpperEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;
    int loads = 0;
    void KeyPress(QChar &key) override
    {
        if (key == QLatin1Char('!'))
            key = QChar(); // refused
        else
            key = key.toUpper();
    }
    void UpdateContents() override
    {
        ++loads;
        TInplaceEdit::UpdateContents();
    }
};

class EditGrid : public TStringGrid {
public:
    TInplaceEdit *CreateEditor() override { return new UpperEdit(this); }
    int GetEditLimit() override { return 4; }
};
} // namespace

TEST(StringGrid, EditorHooksFilterKeysAndNavigationKeysGoBackToTheGrid)
{
    EditGrid g;
    g.resize(400, 200);
    g.SetColCount(4);
    g.SetRowCount(6);
    g.SetOptions(g.Options() + TGridOptions{goEditing});
    g.show();
    g.activateWindow();
    g.setFocus();
    QTest::keyClicks(&g, QStringLiteral("a")); // a typed character opens the editor with it
    ASSERT_TRUE(g.EditorMode());
    auto *ed = static_cast<UpperEdit *>(g.InplaceEditor());
    EXPECT_EQ(ed->loads, 1);
    QTest::keyClicks(ed, QStringLiteral("b!cdef"));
    EXPECT_EQ(g.GetCell(1, 1), QStringLiteral("ABCD")); // upper case, "!" dropped, limit 4
    QTest::keyClick(ed, Qt::Key_Down);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.GetCell(1, 1), QStringLiteral("ABCD"));
}

TEST(StringGrid, EditorClosedWhileAnotherWindowIsActiveLeavesTheFocusOnTheGrid)
{
    // A window whose first widget is a button and whose last is the grid's editor (made when first
    // shown), as a dialog with OK before its grid: the focus passed on from the editor would wrap
    // round to the button, where Return presses it.
    QWidget host;
    auto *button = new QPushButton(QStringLiteral("OK"), &host);
    auto *g = new TStringGrid(&host);
    g->setGeometry(0, 40, 400, 200);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->SetOptions(g->Options() + TGridOptions{goEditing});
    host.resize(400, 240);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    g->setFocus();
    g->ShowEditor();
    ASSERT_TRUE(g->InplaceEditor() && g->InplaceEditor()->hasFocus());

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    g->HideEditor();
    other.hide();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    EXPECT_EQ(QApplication::focusWidget(), g) << (QApplication::focusWidget() == button ? "the button" : "another widget");
}
