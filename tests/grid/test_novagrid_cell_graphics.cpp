// A cell's graphic inside the string grid: finding, creating, removing and measuring it.
#include "grid/NovaGrid.h"
#include "grid/base/MarkupRenderer.h"
#include "grid_pictures.h"

#include <gtest/gtest.h>

namespace {

// A cell object of another class than the graphic.
struct OtherObject : TObject {
    const char *ClassName() const override { return "OtherObject"; }
};

// A graphic put into a cell holding a text, and the size it should measure.
struct SizeCase {
    const char *what;
    std::function<void(TCellGraphic &)> set;
    QString text;
    TPoint size;
};

// Three images of the grid's list, side by side or one under the other.
void setThreeImages(TCellGraphic &c, bool vertical, TCellHAlign hal = haLeft)
{
    c.SetMultiImage(1, 1, nullptr, vertical, hal, vaTop);
    for (int i = 0; i < 3; ++i)
        c.CellBitmap().As<TIntList>()->Add(i);
}

} // namespace

TEST(NovaGridCellGraphics, FindCreateAndRemove)
{
    TNovaStringGrid g;
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(g.GetCellType(-1, 1), ctEmpty);
    EXPECT_EQ(g.GetCellGraphic(1, 1), nullptr);
    EXPECT_FALSE(g.HasCellProperties(1, 1)); // reading creates nothing

    TCellGraphic *first = g.CreateCellGraphic(1, 1);
    EXPECT_EQ(g.GetCellGraphic(1, 1), first);
    EXPECT_EQ(g.GetCellType(1, 1), ctNone);
    EXPECT_TRUE(g.Cells(1, 1).isEmpty()); // an empty cell stays empty
    first->SetCheckBox(true, false, haLeft, vaTop, false);
    EXPECT_EQ(g.GetCellType(1, 1), ctCheckBox);

    g.SetCells(2, 1, QStringLiteral("text"));
    g.CreateCellGraphic(2, 1);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("text"));

    TCellGraphic *second = g.CreateCellGraphic(1, 1); // replaces the first
    EXPECT_EQ(g.GetCellGraphic(1, 1), second);
    EXPECT_EQ(g.GetCellType(1, 1), ctNone);

    EXPECT_FALSE(g.RemoveCellGraphicOfType(1, 1, ctCheckBox));
    EXPECT_TRUE(g.RemoveCellGraphicOfType(1, 1, ctNone));
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(g.RemoveCellGraphic(1, 1));

    auto *other = new OtherObject;
    g.SetGraphicObjectEx(3, 2, other);
    EXPECT_EQ(g.GetCellGraphic(3, 2), nullptr); // another class reads as no graphic
    EXPECT_EQ(g.GetCellType(3, 2), ctEmpty);
    EXPECT_FALSE(g.RemoveCellGraphic(3, 2));
    g.SetGraphicObjectEx(3, 2, nullptr);
    delete other;
}

TEST(NovaGridCellGraphics, SharedGraphicsAreLetGoNotFreed)
{
    TNovaStringGrid g;
    TCellGraphic shared;
    shared.SetCellType(ctVirtCheckBox);
    g.SetGraphicObjectEx(1, 2, &shared);
    EXPECT_EQ(g.GetCellType(1, 2), ctVirtCheckBox);
    EXPECT_TRUE(g.RemoveCellGraphic(1, 2)); // slot cleared; the shared graphic lives on
    EXPECT_EQ(g.GetCellGraphic(1, 2), nullptr);
    EXPECT_EQ(shared.CellType(), ctVirtCheckBox);

    g.SetGraphicObjectEx(1, 2, &shared);
    TCellGraphic *fresh = g.CreateCellGraphic(1, 2);
    EXPECT_NE(fresh, &shared);
    EXPECT_EQ(g.GetCellGraphic(1, 2), fresh);
}

TEST(NovaGridCellGraphics, RowCheckBoxesWithHotmailSelection)
{
    TNovaStringGrid g;
    g.SetRowCount(11); // 10 data rows
    g.MouseActions()->SetHotmailRowSelect(true);
    for (int r = 0; r < g.RowCount(); ++r)
        EXPECT_EQ(g.GetCellType(0, r), ctRowCheckBox) << r;
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);

    TCellGraphic *header = g.GetCellGraphic(0, 0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->CellAngle(), 0);
    EXPECT_FALSE(header->CellBoolean());

    for (int r : {1, 4, 7})
        g.SelectedRows()->Add(r);
    header = g.GetCellGraphic(0, 0);
    EXPECT_EQ(header->CellAngle(), 1); // some, not all: grayed
    EXPECT_FALSE(header->CellBoolean());
    EXPECT_TRUE(g.GetCellGraphic(0, 4)->CellBoolean());
    EXPECT_FALSE(g.GetCellGraphic(0, 5)->CellBoolean());

    for (int r = 1; r <= 10; ++r)
        if (!g.SelectedRows()->HasValue(r))
            g.SelectedRows()->Add(r);
    header = g.GetCellGraphic(0, 0);
    EXPECT_EQ(header->CellAngle(), 0);
    EXPECT_TRUE(header->CellBoolean());

    g.ControlLook()->SetControlStyle(csFlat);
    EXPECT_TRUE(g.GetCellGraphic(0, 3)->CellTransparent());
    EXPECT_FALSE(g.RemoveCellGraphic(0, 3)); // the shared row check box is not the cell's
}

TEST(NovaGridCellGraphics, GraphicSizes)
{
    TNovaStringGrid g;
    g.SetColWidths(1, 80);
    g.SetRowHeights(1, 30);
    const SizeCase cases[] = {
        {"check box", [](TCellGraphic &c) { c.SetCheckBox(true, false, haLeft, vaTop, false); }, {}, {15, 15}},
        {"radio button", [](TCellGraphic &c) { c.SetRadioButton(true, false, haLeft, vaTop); }, {}, {10, 10}},
        {"pie", [](TCellGraphic &c) { c.SetCellType(ctProgressPie); }, {}, {20, 20}},
        {"button", [](TCellGraphic &c) { c.SetButton(40, 18, haLeft, vaTop, QStringLiteral("Go")); }, {}, {40, 18}},
        {"centred button beside text", [](TCellGraphic &c) { c.SetButton(40, 18, haCenter, vaTop, QString()); },
         QStringLiteral("x"), {0, 0}},
        {"button under text", [](TCellGraphic &c) { c.SetButton(40, 18, haLeft, vaUnderText, QString()); },
         QStringLiteral("x"), {0, 18}},
        {"rating never widened", [](TCellGraphic &c) { c.SetCellType(ctRating); c.SetCellAngle(3); c.SetCellHAlign(haFull); },
         {}, {54, 16}},
        {"full height", [](TCellGraphic &c) { c.SetCheckBox(true, false, haLeft, vaFull, false); }, {}, {15, 30}},
        {"full width", [](TCellGraphic &c) { c.SetRadioButton(true, false, haFull, vaTop); }, {}, {80, 10}},
        {"no size of its own", [](TCellGraphic &c) { c.SetCellType(ctComment); }, {}, {0, 0}},
    };
    for (const SizeCase &c : cases) {
        g.SetCells(1, 1, c.text);
        c.set(*g.CreateCellGraphic(1, 1));
        EXPECT_EQ(g.GetCellGraphicSize(1, 1), c.size) << c.what;
    }
    EXPECT_EQ(g.GetCellGraphicSize(2, 2), (TPoint{0, 0})); // no graphic
    g.ControlLook()->SetCheckSize(20);
    g.CreateCellGraphic(1, 1)->SetCheckBox(true, true, haLeft, vaTop, false);
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{20, 20}));
}

TEST(NovaGridCellGraphics, SortIndicatorCellAndSortKeys)
{
    TNovaStringGrid g;
    EXPECT_FALSE(g.IsSortIndicatorCell(1, 0)); // not shown
    g.SortSettings()->SetShow(true);
    EXPECT_TRUE(g.IsSortIndicatorCell(1, 0));
    EXPECT_FALSE(g.IsSortIndicatorCell(1, 1));
    g.SetRowCount(2); // fixed rows + 1 must stay below the row count
    EXPECT_FALSE(g.IsSortIndicatorCell(1, 0));

    TNovaStringGrid k;
    k.CreateCellGraphic(1, 1)->SetImageIdx(6, haLeft, vaTop);
    EXPECT_EQ(k.GetGraphicSortKey(1, 1), 6);
    k.CreateCellGraphic(1, 2)->SetButton(1, 1, haLeft, vaTop, QString());
    EXPECT_EQ(k.GetGraphicSortKey(1, 2), -1);
    EXPECT_EQ(k.GetGraphicSortKey(1, 3), -1);
}

// Image-index graphics take the size of the grid's image list, and nothing without one.
TEST(NovaGridCellGraphics, ImageListGraphicsMeasureByTheGridsList)
{
    TNovaStringGrid g;
    TMarkupImageList images;
    images.Width = 24;
    images.Height = 18;
    const SizeCase cases[] = {
        {"image alone", [](TCellGraphic &c) { c.SetImageIdx(2, haLeft, vaTop); }, {}, {24, 18}},
        {"image over text", [](TCellGraphic &c) { c.SetImageIdx(2, haLeft, vaTop); }, QStringLiteral("x"), {0, 0}},
        {"image before text", [](TCellGraphic &c) { c.SetImageIdx(2, haBeforeText, vaTop); }, QStringLiteral("x"), {24, 0}},
        {"image under text", [](TCellGraphic &c) { c.SetImageIdx(2, haLeft, vaUnderText); }, QStringLiteral("x"), {0, 18}},
        {"data image alone", [](TCellGraphic &c) { c.SetDataImage(1, haLeft, vaTop); }, {}, {24, 18}},
        {"data image after text", [](TCellGraphic &c) { c.SetDataImage(1, haAfterText, vaTop); }, QStringLiteral("5"), {24, 0}},
        {"images side by side", [](TCellGraphic &c) { setThreeImages(c, false); }, {}, {72, 18}},
        {"images stacked", [](TCellGraphic &c) { setThreeImages(c, true); }, QStringLiteral("x"), {24, 54}},
    };
    for (const SizeCase &c : cases) {
        g.SetGridImages(nullptr);
        g.SetCells(1, 1, c.text);
        c.set(*g.CreateCellGraphic(1, 1));
        EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{0, 0})) << c.what << " without a list";
        g.SetGridImages(&images);
        EXPECT_EQ(g.GetCellGraphicSize(1, 1), c.size) << c.what;
    }
    EXPECT_EQ(g.GetGridImageList(), &images);
}

// The printed size of a graphic: natural sizes, no widening to the cell, pictures scaled.
TEST(NovaGridCellGraphics, PrintedGraphicSizes)
{
    TNovaStringGrid g;
    g.SetColWidths(1, 80);
    g.SetRowHeights(1, 30);
    TMarkupImageList images;
    images.Width = 24;
    images.Height = 18;
    g.SetGridImages(&images);
    QImage bitmap(30, 20, QImage::Format_RGB32);
    THTMLPicture picture;
    picture.LoadFromData(pngOfSize(200, 100));
    ASSERT_EQ(picture.Width(), 200);
    struct Case {
        const char *what;
        std::function<void(TCellGraphic &)> set;
        QString text;
        double scale;
        TPoint size;
    };
    const Case cases[] = {
        {"bitmap beside text keeps its size", [&](TCellGraphic &c) { c.SetBitmap(&bitmap, false, haLeft, vaTop); },
         QStringLiteral("x"), 1, {30, 20}},
        {"image over text has no width", [](TCellGraphic &c) { c.SetImageIdx(0, haLeft, vaTop); }, QStringLiteral("x"), 1, {0, 18}},
        {"image before text", [](TCellGraphic &c) { c.SetImageIdx(0, haBeforeText, vaTop); }, QStringLiteral("x"), 1, {24, 18}},
        {"data image", [](TCellGraphic &c) { c.SetDataImage(0, haLeft, vaTop); }, QStringLiteral("x"), 1, {24, 18}},
        {"images stacked", [](TCellGraphic &c) { setThreeImages(c, true); }, {}, 1, {24, 54}},
        {"check box not widened", [](TCellGraphic &c) { c.SetCheckBox(true, false, haFull, vaFull, false); }, {}, 1, {15, 15}},
        {"tri-state check box", [](TCellGraphic &c) { c.SetCheckBox(TCheckBoxState::cbGrayed, false, haLeft, vaTop); }, {}, 1, {15, 15}},
        {"radio button", [](TCellGraphic &c) { c.SetRadioButton(true, false, haLeft, vaTop); }, {}, 1, {10, 10}},
        {"node", [](TCellGraphic &c) { c.SetCellType(ctNode); }, {}, 1, {20, 20}},
        {"pie", [](TCellGraphic &c) { c.SetCellType(ctProgressPie); }, {}, 1, {20, 20}},
        {"progress fills the cell", [](TCellGraphic &c) { c.SetCellType(ctProgress); }, {}, 1, {80, 30}},
        {"button at its own size", [](TCellGraphic &c) { c.SetButton(40, 18, haCenter, vaTop, QStringLiteral("Go")); },
         QStringLiteral("x"), 1, {40, 18}},
        {"shape inside the row's margins", [](TCellGraphic &c) { c.SetCellType(ctShape); }, {}, 1, {26, 26}},
        {"stretched picture at half scale", [&](TCellGraphic &c) { c.SetPicture(&picture, false, haLeft, vaTop, 0, 1); },
         {}, 2, {50, 20}},
        {"picture with aspect at scale 4", [&](TCellGraphic &c) { c.SetPicture(&picture, false, haLeft, vaTop, 0, 2); },
         {}, 4, {20, 10}},
        {"unstretched picture keeps its own size at any scale", [&](TCellGraphic &c) { c.SetPicture(&picture, false, haLeft, vaTop, 0, 0); },
         {}, 2, {200, 100}},
        {"shrink compares with the cell in screen pixels", [&](TCellGraphic &c) { c.SetPicture(&picture, false, haLeft, vaTop, 0, 3); },
         {}, 0.25, {200, 100}},
        {"picture at scale 0 is not divided", [&](TCellGraphic &c) { c.SetPicture(&picture, false, haLeft, vaTop, 0, 0); },
         {}, 0, {200, 100}},
        {"comment has no size", [](TCellGraphic &c) { c.SetCellType(ctComment); }, {}, 1, {0, 0}},
    };
    for (const Case &c : cases) {
        g.SetCells(1, 1, c.text);
        c.set(*g.CreateCellGraphic(1, 1));
        EXPECT_EQ(g.CalcCellGraphicRect(1, 1, 100, 40, c.scale), c.size) << c.what;
    }
    EXPECT_EQ(g.CalcCellGraphicRect(2, 2, 100, 40, 1), (TPoint{0, 0})); // no graphic
}
