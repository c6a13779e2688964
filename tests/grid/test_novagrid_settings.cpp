// The settings objects inside a string grid: created with its defaults, passing colours on to
// the grid, sorting and header editing through the grid.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A grid that counts the sorts its sort settings ask for.
class SortCountingGrid : public TNovaStringGrid {
public:
    int sorts = 0, indexedSorts = 0;
    void QSort() override { ++sorts; }
    void QSortIndexed() override { ++indexedSorts; }
};

} // namespace

TEST(NovaGridSettings, NewGridHoldsTheDefaults)
{
    TNovaStringGrid g;
    EXPECT_EQ(g.DragScrollOptions()->Delays().InitialDelay(), 1000);
    EXPECT_EQ(g.DragScrollOptions()->Delays().RepeatDelay(), 250);
    EXPECT_EQ(g.DragScrollOptions()->Margins().TopMargin(), 50);
    EXPECT_EQ(g.DragScrollOptions()->Margins().BottomMargin(), 50);
    EXPECT_EQ(g.DragScrollOptions()->Margins().LeftMargin(), 50);
    EXPECT_EQ(g.DragScrollOptions()->Margins().RightMargin(), 50);
    EXPECT_EQ(g.ColumnSize()->StretchColumn(), -1);
    EXPECT_EQ(g.CellNode()->NodeIndent(), 12);
    EXPECT_EQ(g.PrintSettings()->DateFormat(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(g.PrintSettings()->PageNumSep(), QStringLiteral("/"));
    EXPECT_EQ(g.HTMLSettings()->Width(), 100);
    EXPECT_EQ(g.HTMLSettings()->BorderSize(), 1);
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csTheme);
    EXPECT_EQ(g.ControlLook()->DropDownHeader().Owner(), &g);
    EXPECT_EQ(g.SortSettings()->Column(), -1);
    EXPECT_EQ(g.BackGround()->Color(), clWindow);
    EXPECT_EQ(g.Filter()->Count(), 0);
    EXPECT_EQ(g.SharedCellGraphic()->CellType(), ctNone);
    EXPECT_FALSE(g.EditTrans()->isVisible());
    EXPECT_FALSE(g.EditTrans()->hasFrame());
    EXPECT_FALSE(g.MoveButton()->isVisible());
    // The control look cleared the grid's hover and down mirror colours.
    EXPECT_EQ(g.NovaGradientHoverMirrorFrom(), clNone);
    EXPECT_EQ(g.NovaGradientDownMirrorTo(), clNone);
    EXPECT_EQ(g.NovaGradientHoverFrom(), clGray);
}

TEST(NovaGridSettings, ControlLookPassesGradientColoursToTheGrid)
{
    TNovaStringGrid g;
    const TColor before = g.NovaGradientFrom();
    g.ControlLook()->SetFixedGradientFrom(clNone);
    EXPECT_EQ(g.NovaGradientFrom(), before); // the painted header colour stays
    g.ControlLook()->SetFixedGradientFrom(clBtnFace);
    EXPECT_EQ(g.NovaGradientFrom(), ColorToRGB(clBtnFace));
    g.ControlLook()->SetFixedGradientTo(0xBEC6C8);
    EXPECT_EQ(g.NovaGradientTo(), 0xBEC6C8u);
    g.ControlLook()->SetFixedGradientMirrorFrom(0xABBCBF);
    EXPECT_EQ(g.NovaGradientMirrorFrom(), 0xABBCBFu);
    g.ControlLook()->SetFixedGradientMirrorFrom(clNone);
    EXPECT_EQ(g.NovaGradientMirrorFrom(), clNone);
    g.ControlLook()->SetFixedGradientHoverFrom(0xCFD0D1);
    g.ControlLook()->SetFixedGradientDownBorder(0xD5BCAA);
    g.ControlLook()->SetFixedGradientDownTo(clNone);
    EXPECT_EQ(g.NovaGradientHoverFrom(), 0xCFD0D1u);
    EXPECT_EQ(g.NovaGradientDownBorder(), 0xD5BCAAu);
    EXPECT_EQ(g.NovaGradientDownTo(), clSilver); // clNone is not passed on
}

TEST(NovaGridSettings, SortSettingsSortTheGridAndCheckItsFixedRows)
{
    SortCountingGrid g;
    g.SortSettings()->LoadFromString(QStringLiteral("d2"));
    EXPECT_EQ(g.sorts, 1);
    EXPECT_EQ(g.SortSettings()->Column(), 2);
    g.SortSettings()->LoadFromString(QStringLiteral("i;u1;d3"));
    EXPECT_EQ(g.indexedSorts, 1);
    EXPECT_EQ(g.SortIndexes()->SaveToString(), QStringLiteral("u1;d3"));
    EXPECT_EQ(g.SortSettings()->SaveToString(), QStringLiteral("i;u1;d3"));
    g.SortSettings()->Remove();
    EXPECT_EQ(g.SortIndexes()->Count(), 0);

    EXPECT_THROW(g.SortSettings()->SetRow(g.FixedRows()), std::runtime_error);
    g.SortSettings()->SetRow(0);
}

TEST(NovaGridSettings, HeaderEditorsWriteThroughTheGrid)
{
    QWidget window;
    window.resize(500, 300);
    auto *g = new TNovaStringGrid(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    g->SetCells(2, 0, QStringLiteral("Old"));

    QStringList order;
    bool accept = false;
    g->OnCellValidate = [&](QObject *, int c, int r, QString &v, bool &valid) {
        order << QStringLiteral("validate %1,%2 %3").arg(c).arg(r).arg(v);
        valid = accept;
    };
    g->OnEditingDone = [&](QObject *) { order << QStringLiteral("done, cell still %1").arg(g->Cells(2, 0)); };

    TGridTransEdit *e = g->EditTrans();
    e->SetCol(2);
    e->SetRow(0);
    e->setText(QStringLiteral("New"));
    e->show();
    e->setFocus();
    EXPECT_FALSE(e->StopEdit());
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("Old"));
    EXPECT_TRUE(e->isVisible());

    accept = true;
    EXPECT_TRUE(e->StopEdit());
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("New"));
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(order, (QStringList{QStringLiteral("validate 2,0 New"), QStringLiteral("validate 2,0 New"),
                                  QStringLiteral("done, cell still Old")}));
}

TEST(NovaGridSettings, DragImagePaintsTheFixedCellLook)
{
    TNovaStringGrid g;
    g.MoveButton()->resize(90, 22);
    g.MoveButton()->SetCaption(QStringLiteral("Name"));
    TRecordingCanvas k;
    g.MoveButton()->PaintTo(k);
    EXPECT_EQ(k.Texts(), QStringList{QStringLiteral("Name")});
    EXPECT_GE(k.Count(TCanvasOp::FillRect), 2); // the window, then the fixed-cell background
    const QImage shot = g.MoveButton()->grab().toImage();
    shot.save(QStringLiteral("/tmp/grid_drag_image.png"));
    EXPECT_FALSE(shot.isNull());
}
