// Column stretching and size notifications, and the mouse wheel and middle-button panning of the
// string grid, driven by real mouse and wheel events; pan timers are ticked by the test.
#include "grid/NovaGrid.h"
#include "grid/SizeSettings.h"
#include "grid/base/test_editors_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void drag(QWidget *w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i) {
        const QPoint p = from + (to - from) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
}

// One wheel notch (120) on the grid's client area; negative turns towards the user.
void wheel(TNovaStringGrid &g, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QPoint p(100, 60);
    QWheelEvent e(p, g.viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(g.viewport(), &e);
}

// ---- stretching --------------------------------------------------------------------------------------

// The grid sits on a form: stretching needs a parent window.
struct StretchFixture : editortest::EditorTest {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    TNovaStringGrid *g = new TNovaStringGrid(form.get());
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        form->resize(600, 300);
        form->show();
        g->SetColCount(3);
        g->SetRowCount(5);
        g->SetScrollBars(ssNone);
        g->resize(400 + 2 * g->frameWidth(), 200);
        g->show();
        QApplication::processEvents();
    }
};

TEST_F(StretchFixture, TheLastColumnTakesWhatTheOthersLeaveOfTheClientWidth)
{
    ASSERT_EQ(g->ClientWidth(), 400);
    g->ColumnSize()->SetStretch(true);
    EXPECT_EQ(g->ColWidths(2), 400 - 128 - 1);
    g->SetColWidths(0, 84);
    EXPECT_EQ(g->ColWidths(2), 251);
    // A narrower window stretches again.
    g->resize(300 + 2 * g->frameWidth(), 200);
    QApplication::processEvents();
    EXPECT_EQ(g->ColWidths(2), 300 - 148 - 1);
}

TEST_F(StretchFixture, OtherColumnsWiderThanTheClientAreaLeaveTheDefaultWidthAtTheFirstColumn)
{
    g->SetColWidths(0, 300);
    g->SetColWidths(1, 200);
    g->SetColWidths(2, 150);
    g->ColumnSize()->SetStretch(true);
    EXPECT_EQ(g->ColWidths(2), g->DefaultColWidth());
    g->SetLeftCol(2);
    ASSERT_EQ(g->LeftCol(), 2);
    g->SetColWidths(2, 150);
    g->StretchColumn(2);
    EXPECT_EQ(g->ColWidths(2), 150); // scrolled away from the first column: kept
}

TEST_F(StretchFixture, StretchIndexesOutsideTheColumnsRaiseAndChangeNothing)
{
    g->SetColCount(5);
    g->ColumnSize()->SetStretch(true);
    std::vector<int> before;
    for (int c = 0; c < 5; ++c)
        before.push_back(g->ColWidths(c));
    for (int index : {5, 9, -2, -100}) {
        SCOPED_TRACE(index);
        try {
            g->StretchColumn(index);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error &e) {
            EXPECT_STREQ(e.what(), "Stretch column index out of range");
        }
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(g->ColWidths(c), before[std::size_t(c)]);
    }
    // A stale stretch column does not raise out of a width change.
    g->ColumnSize()->SetStretchColumn(7);
    EXPECT_NO_THROW(g->SetColWidths(1, 70));
}

struct SizingFixture : StretchFixture {
    void SetUp() override
    {
        StretchFixture::SetUp();
        g->SetColCount(4);
        g->SetOptions(g->Options() + TGridOptions{goColSizing});
    }
    // Drags the right border of column c in the title row by dx pixels.
    void sizeColumn(int c, int dx)
    {
        const QRect r = g->CellBounds(c, 0);
        drag(g->viewport(), QPoint(r.right() + 1, r.center().y()), QPoint(r.right() + 1 + dx, r.center().y()));
    }
};

TEST_F(SizingFixture, WithAllColumnSizeDoublingOneColumnDoublesEveryOtherNormalColumn)
{
    g->MouseActions()->SetAllColumnSize(true);
    g->SetColWidths(2, 40);
    int ended = -1;
    g->OnEndColumnSize = [&](QObject *, int c) { ended = c; };
    sizeColumn(1, 64);
    EXPECT_EQ(g->ColWidths(1), 128);
    EXPECT_EQ(g->ColWidths(2), 80);
    EXPECT_EQ(g->ColWidths(3), 128);
    EXPECT_EQ(g->ColWidths(0), 64); // the fixed column stays
    EXPECT_EQ(ended, 1);
}

TEST_F(SizingFixture, AnUpdateColumnSizeHandlerSetsTheSizedWidth)
{
    g->OnUpdateColumnSize = [](QObject *, int, int &w) { w = 80; };
    sizeColumn(1, 30);
    EXPECT_EQ(g->ColWidths(1), 80);
    EXPECT_EQ(g->ColWidths(2), 64);
}

// ---- wheel -------------------------------------------------------------------------------------------

struct WheelFixture : editortest::EditorTest {
    std::unique_ptr<TNovaStringGrid> g = std::make_unique<TNovaStringGrid>();
    int downs = 0;
    int ups = 0;
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        QApplication::setWheelScrollLines(3);
        g->SetRowCount(30);
        g->resize(400, 300);
        g->OnMouseWheelDown = [this](QObject *, Qt::KeyboardModifiers, QPoint, bool &) { ++downs; };
        g->OnMouseWheelUp = [this](QObject *, Qt::KeyboardModifiers, QPoint, bool &) { ++ups; };
        g->show();
        QApplication::processEvents();
    }
};

TEST_F(WheelFixture, NotchesMoveTheRowByTheIncrementOrTheLinesPerNotch)
{
    struct Case {
        const char *name;
        int increment;
        bool disjunct;
        int startRow, delta, row, downs, ups;
    };
    const Case cases[] = {
        {"increment 1, towards the user", 1, false, 5, -120, 6, 1, 0},
        {"increment 1, away", 1, false, 5, 120, 4, 0, 1},
        {"increment 0: 3 lines, no event", 0, false, 5, -120, 8, 0, 0},
        {"increment 0 with disjunct rows: the event fires", 0, true, 5, -120, 8, 1, 0},
        {"the last data row stays", 1, false, 29, -120, 29, 1, 0},
        {"not above the first data row", 0, false, 2, 120, 1, 0, 0},
        {"two notches at once", 1, false, 5, -240, 7, 2, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        g->MouseActions()->SetWheelIncrement(c.increment);
        g->MouseActions()->SetDisjunctRowSelect(c.disjunct);
        g->SetRow(c.startRow);
        downs = ups = 0;
        wheel(*g, c.delta);
        EXPECT_EQ(g->Row(), c.row);
        EXPECT_EQ(downs, c.downs);
        EXPECT_EQ(ups, c.ups);
    }
}

TEST_F(WheelFixture, CtrlZoomsOnlyWithIntelliZoom)
{
    g->SetRow(5);
    g->SetIntelliZoom(false);
    wheel(*g, -120, Qt::ControlModifier);
    EXPECT_EQ(g->Row(), 8);
    EXPECT_EQ(g->ZoomFactor(), 0);
    g->SetIntelliZoom(true);
    wheel(*g, -120, Qt::ControlModifier);
    EXPECT_EQ(g->Row(), 8);
    EXPECT_EQ(g->ZoomFactor(), 3);
    wheel(*g, 120, Qt::ControlModifier);
    EXPECT_EQ(g->ZoomFactor(), 0);
}

TEST_F(WheelFixture, ScrollingMovesTheViewAndNotTheRow)
{
    g->MouseActions()->SetWheelAction(waScroll);
    g->SetRow(2);
    wheel(*g, -120);
    EXPECT_EQ(g->TopRow(), 4);
    EXPECT_EQ(g->Row(), 2);
    wheel(*g, 120);
    wheel(*g, 120);
    EXPECT_EQ(g->TopRow(), 1);
    g->SetEnableWheel(false);
    wheel(*g, -120);
    EXPECT_EQ(g->TopRow(), 1);
}

// ---- panning -----------------------------------------------------------------------------------------

TEST_F(WheelFixture, HoldingThePointerBelowTheOriginMovesOneRowPerTickUntilTheLastDataRow)
{
    g->SetRowCount(8);
    g->SetRow(3);
    const QPoint origin(100, 60);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, origin);
    ASSERT_TRUE(g->Panning());
    EXPECT_EQ(g->PanOrigin(), origin);
    ASSERT_NE(g->PanMarker(), nullptr);
    EXPECT_EQ(g->PanMarker()->geometry(), QRect(origin, QSize(32, 32)));
    EXPECT_EQ(g->PanCursorId(), 8000);
    editortest::FakeTimer *t = timers.back();
    EXPECT_EQ(t->interval(), 10);
    // The timer reads the pointer; the step itself is fed the pointer here.
    g->PanStep(origin + QPoint(0, 5));
    EXPECT_EQ(g->Row(), 3);
    for (int i = 0; i < 6; ++i)
        g->PanStep(origin + QPoint(0, 6));
    EXPECT_EQ(g->Row(), 7);
    EXPECT_EQ(g->PanCursorId(), 8001);
    g->PanStep(origin + QPoint(0, -20));
    EXPECT_EQ(g->Row(), 6);
    EXPECT_EQ(g->PanCursorId(), 8004);
    // Vertical panning ignores sideways movement.
    g->PanStep(origin + QPoint(40, 0));
    EXPECT_EQ(g->Col(), 1);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_FALSE(g->Panning());
    EXPECT_FALSE(t->isActive());
    EXPECT_EQ(g->PanCursorId(), 0);
}

TEST_F(WheelFixture, BothDirectionsMoveRowAndColumnAndAKeyEndsPanning)
{
    g->SetColCount(8);
    g->SetIntelliPan(ipBoth);
    g->SetRow(3);
    const QPoint origin(120, 80);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, origin);
    ASSERT_TRUE(g->Panning());
    g->PanStep(origin + QPoint(-10, 10));
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->Col(), 1); // not left of the first normal column
    EXPECT_EQ(g->PanCursorId(), 8008);
    g->PanStep(origin + QPoint(10, -10));
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->PanCursorId(), 8005);
    QTest::keyClick(g.get(), Qt::Key_A);
    EXPECT_FALSE(g->Panning());
}

TEST_F(WheelFixture, NoPanningWithoutDataRowsOrWithIpNone)
{
    g->SetFixedRowAlways(true);
    g->SetRowCount(1); // the title row only
    ASSERT_EQ(g->FixedRows(), 1);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(50, 10));
    EXPECT_FALSE(g->Panning());
    g->SetFixedRowAlways(false);
    g->SetRowCount(10);
    g->SetFixedRows(1);
    g->SetIntelliPan(ipNone);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_FALSE(g->Panning());
    // A second middle press ends panning rather than starting it again.
    g->SetIntelliPan(ipVertical);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(g->Panning());
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(60, 60));
    EXPECT_FALSE(g->Panning());
}

TEST_F(WheelFixture, TheWheelDoesNothingWhilePanning)
{
    g->SetRow(5);
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_TRUE(g->Panning());
    wheel(*g, -120);
    EXPECT_EQ(g->Row(), 5);
    g->EndPanning();
}

} // namespace
