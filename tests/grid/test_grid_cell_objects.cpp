// Cell objects: what each adder stores, the neutral answers of the queries, where rotated text
// starts, how every object is painted (recording canvas and pixel probes), and a picture of a
// grid showing all of them for a person to judge.
#include "grid/NovaGrid.h"
#include "grid/base/MarkupRenderer.h"
#include "grid_pictures.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace {

TMarkupImageList threeImages()
{
    TMarkupImageList l;
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(c);
        l.Images.push_back(img);
    }
    return l;
}

struct CellObjects : ::testing::Test {
    TNovaStringGrid g;
    TMarkupImageList images = threeImages();
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(6);
        g.SetRowCount(6);
        g.SetColWidths(1, 104);
    }
    TCellGraphic &graphic(int c = 1, int r = 1)
    {
        TCellGraphic *p = g.GetCellGraphic(c, r);
        EXPECT_NE(p, nullptr);
        static TCellGraphic none;
        return p ? *p : none;
    }
    // The cell's graphic drawn in a known cell rectangle.
    TRecordingCanvas draw(const TRect &cell = {0, 0, 104, 24}, int c = 1, int r = 1, TAlignment ha = taLeftJustify,
                          TVAlignment va = vtaTop)
    {
        TRecordingCanvas rc;
        TCellGraphic *p = g.GetCellGraphic(c, r);
        if (!p)
            return rc;
        TCellVAlign gv;
        TCellHAlign gh;
        bool beside;
        int h = 0, w = 0;
        g.MeasureCellGraphic(c, r, gv, gh, beside, h, w);
        g.DrawGraphicInCell(rc, *p, cell, c, r, ha, va, 0, w, h, false);
        return rc;
    }
};

// A painted object of the caller's: remembers where it was asked to paint.
struct Swatch : TInterfacedPersistent {
    TRect drawnAt;
    int calls = 0;
    int w = 0, h = 0;
    void Draw(TCanvas &Canvas, const TRect &R, int, int, bool, TNovaStringGrid *) override
    {
        ++calls;
        drawnAt = R;
        Canvas.Brush.Color = 0x00A5FF;
        Canvas.FillRect(R.Inflate(-3, -3));
    }
    int GetWidth() const override { return w; }
    int GetHeight() const override { return h; }
};

std::vector<TCanvasOp> fillsOf(const TRecordingCanvas &rc, TColor c)
{
    std::vector<TCanvasOp> out;
    for (const TCanvasOp &o : rc.Ops)
        if (o.kind == TCanvasOp::FillRect && o.brush.Color == c)
            out.push_back(o);
    return out;
}

} // namespace

// Each entry stands for one behaviour that is easy to get wrong at the edge.
TEST_F(CellObjects, EdgeCases)
{
    struct Case {
        const char *what;
        std::function<void(TNovaStringGrid &, const TMarkupImageList &)> check;
    };
    const Case cases[] = {
        {"AddRotated brings -90 to 270, 720 to 360 and keeps 360",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             const int given[] = {-90, 720, 360, 450};
             const int stored[] = {270, 360, 360, 90};
             for (int i = 0; i < 4; ++i) {
                 g.AddRotated(1, 1, given[i], QStringLiteral("up"));
                 int a = -1;
                 EXPECT_TRUE(g.IsRotated(1, 1, a));
                 EXPECT_EQ(a, stored[i]) << given[i];
             }
             EXPECT_EQ(g.Cells(1, 1), QStringLiteral("up"));
         }},
        {"AddDataImage keeps a number, writes the index into an empty cell; RemoveDataImage always empties",
         [](TNovaStringGrid &g, const TMarkupImageList &l) {
             g.SetGridImages(&l);
             g.SetCells(1, 1, QStringLiteral("2"));
             g.AddDataImage(1, 1, 1, haLeft, vaTop);
             EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2"));
             g.AddDataImage(2, 1, 1, haLeft, vaTop);
             EXPECT_EQ(g.Cells(2, 1), QStringLiteral("1"));
             EXPECT_TRUE(g.HasDataImage(2, 1));
             g.SetCells(3, 1, QStringLiteral("plain"));
             g.RemoveDataImage(3, 1);
             EXPECT_TRUE(g.Cells(3, 1).isEmpty());
             g.RemoveDataImage(2, 1);
             EXPECT_FALSE(g.HasDataImage(2, 1));
             EXPECT_TRUE(g.Cells(2, 1).isEmpty());
         }},
        {"AddBalloon on a bitmap adds nothing; on a check box keeps the box and answers its texts",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             QImage bmp(8, 8, QImage::Format_RGB32);
             g.AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
             g.AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("X"), biInfo);
             QString t, x;
             TBalloonIcon icon = biNone;
             EXPECT_FALSE(g.IsBalloon(1, 1, t, x, icon));
             EXPECT_EQ(g.GetCellType(1, 1), ctBitmap);
             g.AddCheckBox(2, 1, true, false);
             g.AddBalloon(2, 1, QStringLiteral("Title"), QStringLiteral("Text"), biWarning);
             EXPECT_EQ(g.GetCellType(2, 1), ctCheckBox);
             EXPECT_TRUE(g.IsChecked(2, 1));
             ASSERT_TRUE(g.IsBalloon(2, 1, t, x, icon));
             EXPECT_EQ(t, QStringLiteral("Title"));
             EXPECT_EQ(x, QStringLiteral("Text"));
             EXPECT_EQ(icon, biWarning);
             EXPECT_FALSE(g.HasBalloon(2, 1)); // a balloon on a check box is not a balloon cell
         }},
        {"SetComment leaves a picture alone and makes a comment of the look's colour in an empty cell",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             g.CreatePicture(1, 1, false, noStretch, 0, haLeft, vaTop);
             g.SetComment(1, 1, QStringLiteral("note"));
             EXPECT_EQ(g.GetCellType(1, 1), ctPicture);
             EXPECT_TRUE(g.GetComment(1, 1).isEmpty());
             g.ControlLook()->SetCommentColor(0x123456);
             g.SetComment(2, 1, QStringLiteral("note"));
             EXPECT_EQ(g.GetComment(2, 1), QStringLiteral("note"));
             EXPECT_EQ(TColor(g.GetCellGraphic(2, 1)->CellIndex()), 0x123456u);
         }},
        {"GetScrollProp of a cell without scroll bar answers -1 and -1",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             EXPECT_EQ(g.GetScrollProp(1, 1), (TScrollProp{-1, -1}));
             EXPECT_EQ(g.GetScrollPosition(1, 1), -1);
             g.AddScrollBar(2, 1, false);
             EXPECT_EQ(g.GetScrollProp(2, 1), (TScrollProp{0, 100}));
         }},
        {"RemoveMarker on a check box keeps the box and clears only the marker",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             g.AddCheckBox(1, 1, true, false);
             g.AddMarker(1, 1, 3, 4);
             int p = 0, n = 0;
             g.GetMarker(1, 1, p, n);
             EXPECT_EQ(p, 3);
             EXPECT_EQ(n, 4);
             g.RemoveMarker(1, 1);
             EXPECT_EQ(g.GetCellType(1, 1), ctCheckBox);
             EXPECT_TRUE(g.IsChecked(1, 1));
             g.GetMarker(1, 1, p, n);
             EXPECT_EQ(p, 0);
             EXPECT_EQ(n, 0);
         }},
        {"AddButton 60 x 20 keeps 20 in the high and 60 in the low word",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             g.AddButton(1, 1, 60, 20, QStringLiteral("Go"), haLeft, vaTop);
             EXPECT_EQ(g.GetCellGraphic(1, 1)->CellIndex(), (20 << 16) | 60);
             EXPECT_EQ(g.GetButtonText(1, 1), QStringLiteral("Go"));
         }},
        {"AddImageIdx without GridImages leaves the cell without graphic",
         [](TNovaStringGrid &g, const TMarkupImageList &) {
             g.AddImageIdx(1, 1, 0, haLeft, vaTop);
             g.AddMultiImage(2, 1, 0, haLeft, vaTop);
             g.AddDataImage(3, 1, 0, haLeft, vaTop);
             EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
             EXPECT_EQ(g.GetCellType(2, 1), ctEmpty);
             EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);
             EXPECT_TRUE(g.Cells(3, 1).isEmpty());
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TNovaStringGrid fresh;
        fresh.SetColCount(5);
        fresh.SetRowCount(5);
        c.check(fresh, images);
    }
}

TEST_F(CellObjects, AddersStoreTheirFields)
{
    g.AddProgress(1, 1, clGreen, clWhite);
    TCellGraphic *p = g.GetCellGraphic(1, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->CellType(), ctProgress);
    EXPECT_EQ(p->CellBitmap().AsColor(), clGreen);
    EXPECT_EQ(p->CellIcon().AsColor(), clWhite);
    EXPECT_EQ(p->CellErrFrom(), 0);
    EXPECT_EQ(p->CellErrLen(), 100);
    EXPECT_FALSE(p->CellBoolean());

    g.AddProgressFormatted(2, 1, clGreen, clYellow, clWhite, clBlack, QStringLiteral("%d kg"), 10, 50);
    p = g.GetCellGraphic(2, 1);
    EXPECT_TRUE(p->CellBoolean());
    EXPECT_EQ(TColor(p->CellIndex()), clYellow);
    EXPECT_EQ(TColor(p->CellAngle()), clBlack);
    EXPECT_EQ(p->CellErrFrom(), 10);
    EXPECT_EQ(p->CellErrLen(), 50);
    EXPECT_EQ(p->CellText(), QStringLiteral("%d kg"));

    g.AddProgressPie(3, 1, clRed, 40);
    p = g.GetCellGraphic(3, 1);
    EXPECT_EQ(p->CellBitmap().AsColor(), clRed);
    EXPECT_EQ(p->CellAngle(), 40);
    EXPECT_EQ(p->CellHAlign(), haBeforeText);
    g.SetProgressPie(3, 1, 75);
    EXPECT_EQ(p->CellAngle(), 75);

    g.AddRangeIndicator(4, 1, 200, clRed, clGreen, true);
    p = g.GetCellGraphic(4, 1);
    EXPECT_EQ(p->CellType(), ctRangeIndicator);
    EXPECT_EQ(p->CellIndex(), 200);
    EXPECT_EQ(p->CellBitmap().AsColor(), clRed);
    EXPECT_EQ(p->CellIcon().AsColor(), clGreen);
    EXPECT_TRUE(p->CellBoolean());

    g.AddShape(1, 2, csDiamond, clYellow, clBlue, haCenter, vaCenter);
    EXPECT_EQ(g.GetShapeColor(1, 2), clYellow);
    EXPECT_EQ(g.GetCellGraphic(1, 2)->CellBitmap().AsColor(), clBlue);
    EXPECT_EQ(g.GetCellGraphic(1, 2)->CellAngle(), int(csDiamond));
    g.SetShapeColor(1, 2, clLime);
    EXPECT_EQ(g.GetShapeColor(1, 2), clLime);
    EXPECT_EQ(g.GetShapeColor(2, 2), clNone);

    g.AddRating(2, 2, 5, clYellow, clSilver);
    EXPECT_TRUE(g.HasRating(2, 2));
    EXPECT_EQ(g.GetCellGraphic(2, 2)->CellHAlign(), haFull);

    g.AddNovaProgress(3, 2, 10, 90);
    EXPECT_EQ(g.GetCellType(3, 2), ctXPProgress);
    EXPECT_EQ(g.GetCellGraphic(3, 2)->CellErrLen(), 90);

    g.SetRowHeights(4, 30);
    g.AddExpand(1, 4, 80);
    EXPECT_TRUE(g.HasExpand(1, 4));
    EXPECT_EQ(g.GetExpandHeight(1, 4, false), 30);
    EXPECT_EQ(g.GetExpandHeight(1, 4, true), 80);
    EXPECT_FALSE(g.GetExpandState(1, 4));
    EXPECT_TRUE(g.ToggleExpand(1, 4));
    EXPECT_TRUE(g.GetExpandState(1, 4));
    const TRect cell = g.CellRect(1, 4);
    EXPECT_EQ(g.GetExpandButtonRect(1, 4), (TRect{cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13}));
    EXPECT_EQ(g.GetExpandButtonRect(2, 4), TRect{});
    EXPECT_EQ(g.GetExpandHeight(2, 4, true), g.DefaultRowHeight());
}

TEST_F(CellObjects, RemoversTakeOnlyTheirOwnKind)
{
    g.AddProgress(1, 1, clGreen, clWhite);
    g.RemovePicture(1, 1);
    g.RemoveNovaProgress(1, 1);
    EXPECT_TRUE(g.HasProgress(1, 1));
    g.RemoveProgress(1, 1);
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);

    g.AddBitButton(1, 2, 40, 18, QStringLiteral("b"), nullptr, haLeft, vaTop);
    g.AddButton(2, 2, 40, 18, QStringLiteral("a"), haLeft, vaTop);
    g.AddComment(3, 2, QStringLiteral("c"));
    g.AddMarker(4, 2, 1, 2);
    EXPECT_EQ(g.GetCellType(4, 2), ctEmpty); // a marker alone has an empty graphic
    EXPECT_NE(g.GetCellGraphic(4, 2), nullptr);
    g.RemoveButton(1, 2); // takes a bit button too
    EXPECT_FALSE(g.HasButton(1, 2));
    g.RemoveAllButtons();
    EXPECT_FALSE(g.HasButton(2, 2));
    g.RemoveAllComments();
    EXPECT_EQ(g.GetCellType(3, 2), ctEmpty);
    g.RemoveAllMarkers();
    EXPECT_EQ(g.GetCellGraphic(4, 2), nullptr);

    // The caller's objects outlive their cells; the cell's own are made for it.
    QImage bmp(4, 4, QImage::Format_RGB32);
    bmp.fill(Qt::red);
    g.AddBitmap(1, 3, &bmp, false, haLeft, vaTop);
    EXPECT_EQ(g.GetBitmap(1, 3), &bmp);
    g.RemoveBitmap(1, 3);
    EXPECT_EQ(bmp.pixel(0, 0), qRgb(255, 0, 0));
    QImage *own = g.CreateBitmap(2, 3, true, haLeft, vaTop);
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(g.GetCellGraphic(2, 3)->CellCreated());
    EXPECT_TRUE(g.HasBitmap(2, 3));

    // Positions no cell can hold are left alone.
    g.AddProgress(-1, 1, clGreen, clWhite);
    g.AddComment(1, 99, QStringLiteral("far"));
    EXPECT_EQ(g.GetCellType(1, 99), ctEmpty);
}

TEST_F(CellObjects, BalloonOnACheckBoxIsRemovedWithoutTheBox)
{
    g.AddCheckBox(1, 1, false, false);
    g.AddBalloon(1, 1, QStringLiteral("a"), QStringLiteral("b"), biError);
    g.AddBalloon(1, 1, QStringLiteral("c"), QStringLiteral("d"), biInfo); // replaces the first
    QString t, x;
    TBalloonIcon icon = biNone;
    ASSERT_TRUE(g.IsBalloon(1, 1, t, x, icon));
    EXPECT_EQ(t, QStringLiteral("c"));
    g.RemoveBalloon(1, 1);
    EXPECT_FALSE(g.IsBalloon(1, 1, t, x, icon));
    EXPECT_EQ(g.GetCellType(1, 1), ctCheckBox);

    g.AddBalloon(2, 1, QStringLiteral("own"), QStringLiteral("cell"), biInfo);
    EXPECT_TRUE(g.HasBalloon(2, 1));
    g.RemoveBalloon(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctEmpty);
}

TEST_F(CellObjects, ImageQueriesNeedTheImageListAndTheirKind)
{
    int idx = -1;
    g.SetGridImages(&images);
    g.AddImageIdx(1, 1, 2, haLeft, vaTop);
    EXPECT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_TRUE(g.SetImageIdx(1, 1, 0));
    EXPECT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_FALSE(g.SetImageIdx(2, 1, 0));
    g.SetGridImages(nullptr);
    EXPECT_FALSE(g.GetImageIdx(1, 1, idx));
}

// The room the painter places each object in, and whether the cell's text goes beside it.
TEST_F(CellObjects, MeasuredSizeOfEachObject)
{
    struct Case {
        const char *what;
        std::function<void(TNovaStringGrid &)> add;
        TPoint size;
        bool beside;
    };
    g.SetGridImages(&images);
    g.SetRowHeights(1, 30);
    const int shape = 30 - 2 * g.TextOffset().y();
    const Case cases[] = {
        {"image with text", [](TNovaStringGrid &g) { g.AddImageIdx(1, 1, 0, haLeft, vaCenter); }, {16, 16}, true},
        {"data image", [](TNovaStringGrid &g) { g.AddDataImage(1, 1, 0, haLeft, vaTop); }, {16, 16}, false},
        {"shape", [](TNovaStringGrid &g) { g.AddShape(1, 1, csCircle, clRed, clBlack, haLeft, vaTop); },
         {shape, shape}, true},
        {"rating", [](TNovaStringGrid &g) { g.AddRating(1, 1, 4, clRed, clGray); }, {72, 16}, false},
        {"pie", [](TNovaStringGrid &g) { g.AddProgressPie(1, 1, clRed, 5); }, {20, 20}, true},
        {"progress", [](TNovaStringGrid &g) { g.AddProgress(1, 1, clRed, clWhite); }, {0, 0}, false},
        {"styled progress", [](TNovaStringGrid &g) { g.AddNovaProgress(1, 1, 0, 10); }, {0, 0}, false},
        {"range", [](TNovaStringGrid &g) { g.AddRangeIndicator(1, 1, 10, clRed, clGreen, false); }, {0, 0}, false},
        {"rotated", [](TNovaStringGrid &g) { g.AddRotated(1, 1, 45, QStringLiteral("1")); }, {0, 0}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        g.SetCells(1, 1, QStringLiteral("1"));
        c.add(g);
        TCellVAlign gv;
        TCellHAlign gh;
        bool beside = false;
        int h = -1, w = -1;
        EXPECT_NE(g.MeasureCellGraphic(1, 1, gv, gh, beside, h, w), nullptr);
        EXPECT_EQ((TPoint{w, h}), c.size);
        EXPECT_EQ(beside, c.beside);
    }
}

// Start of a text 77 x 13 in R = (10, 20, 150, 100) for an angle in each quadrant:
// 30 (A 11, B 38, C 6, D 66), 120 (A 6, B 66, C 11, D 38), 210 (A 11, B 38, C 6, D 66),
// 300 (A 6, B 66, C 11, D 38).
TEST(RotatedText, PlacementByQuadrantAndAlignment)
{
    struct Case {
        int angle;
        TAlignment ha;
        TVAlignment va;
        int x, y;
    };
    const TRect R{10, 20, 150, 100};
    const Case cases[] = {
        {30, taLeftJustify, vtaTop, 10, 58},     {30, taRightJustify, vtaTop, 78, 58},
        {30, taCenter, vtaTop, 44, 58},          {30, taLeftJustify, vtaCenter, 10, 73},
        {30, taLeftJustify, vtaBottom, 10, 89},  {120, taLeftJustify, vtaTop, 48, 92},
        {120, taRightJustify, vtaTop, 139, 92},  {120, taCenter, vtaTop, 94, 92},
        {120, taLeftJustify, vtaCenter, 48, 96}, {120, taLeftJustify, vtaBottom, 48, 100},
        {210, taLeftJustify, vtaTop, 82, 31},    {210, taRightJustify, vtaTop, 150, 31},
        {210, taCenter, vtaTop, 116, 31},        {210, taLeftJustify, vtaCenter, 82, 46},
        {210, taLeftJustify, vtaBottom, 82, 62}, {300, taLeftJustify, vtaTop, 21, 20},
        {300, taRightJustify, vtaTop, 112, 20},  {300, taCenter, vtaTop, 66, 20},
        {300, taLeftJustify, vtaCenter, 21, 24}, {300, taLeftJustify, vtaBottom, 21, 28},
        // the quadrant borders: 90 and 180 belong to the quadrant below them, 360 to the fourth
        {90, taLeftJustify, vtaTop, 10, 97},     {180, taLeftJustify, vtaTop, 87, 33},
        {270, taLeftJustify, vtaTop, 23, 20},    {360, taLeftJustify, vtaTop, 10, 20},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " ha " << int(c.ha) << " va " << int(c.va));
        EXPECT_EQ(TNovaStringGrid::RotatedTextOrigin(R, c.ha, c.va, c.angle, 77, 13), (TPoint{c.x, c.y}));
    }
}

TEST_F(CellObjects, RotatedTextIsWrittenOnceTurnedAtItsPlace)
{
    g.AddRotated(1, 1, 30, QStringLiteral("Rotated 30!")); // 11 characters: 77 x 13 on the recording canvas
    const TRecordingCanvas rc = draw({8, 18, 152, 102});
    const auto texts = rc.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Rotated 30!"));
    EXPECT_EQ(texts[0].font.Orientation, 300);
    EXPECT_EQ(texts[0].rect.Left, 10);
    EXPECT_EQ(texts[0].rect.Top, 58);

    // The whole cell shows the text once, turned.
    TRecordingCanvas cell;
    g.PaintCell(cell, 1, 1, {}, {});
    int shown = 0;
    for (const TCanvasOp &o : cell.Ops)
        if (o.kind == TCanvasOp::Text && o.text == QStringLiteral("Rotated 30!")) {
            ++shown;
            EXPECT_EQ(o.font.Orientation, 300);
        }
    EXPECT_EQ(shown, 1);
}

TEST_F(CellObjects, RotatedTextLandsInsideItsCell)
{
    g.SetRowHeights(1, 90);
    g.SetColWidths(1, 40);
    g.AddRotated(1, 1, 90, QStringLiteral("WWWWW"));
    TImageCanvas ic(60, 100, clWhite);
    ic.Font.Color = clBlack;
    TCellGraphic &G = graphic();
    g.DrawGraphicInCell(ic, G, {0, 0, 40, 90}, 1, 1, taLeftJustify, vtaBottom, 0, 0, 0, false);
    ic.End();
    // Upward text at the bottom left: ink in the lower left part, none right of the cell.
    int inkLowLeft = 0, inkOutside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool ink = qGray(ic.Image().pixel(x, y)) < 128;
            if (!ink)
                continue;
            if (x >= 40 || y >= 90)
                ++inkOutside;
            else if (x < 25 && y > 30)
                ++inkLowLeft;
        }
    EXPECT_GT(inkLowLeft, 10);
    EXPECT_EQ(inkOutside, 0);
}

TEST_F(CellObjects, ProgressBarIsFullAboveItsRangeAndEmptyBelow)
{
    g.AddProgress(1, 1, clGreen, clWhite);
    // Cell (0, 0, 104, 24): less 2 on each side, less the margins of 2.
    const TRect bar{4, 4, 100, 20};
    g.SetCells(1, 1, QStringLiteral("150"));
    TRecordingCanvas rc = draw();
    ASSERT_EQ(fillsOf(rc, clGreen).size(), 1u);
    EXPECT_EQ(fillsOf(rc, clGreen)[0].rect, bar);
    EXPECT_TRUE(fillsOf(rc, clWhite).empty());
    g.SetCells(1, 1, QStringLiteral("-5"));
    rc = draw();
    EXPECT_TRUE(fillsOf(rc, clGreen).empty());
    ASSERT_EQ(fillsOf(rc, clWhite).size(), 1u);
    EXPECT_EQ(fillsOf(rc, clWhite)[0].rect, bar);
    g.SetCells(1, 1, QStringLiteral("25"));
    rc = draw();
    ASSERT_EQ(fillsOf(rc, clGreen).size(), 1u);
    EXPECT_EQ(fillsOf(rc, clGreen)[0].rect.Right, 4 + 24);
    // Text colours: the inverse of the part under them, or the bar's own; the text stands
    // vertically centred in the bar (13 high in 16).
    ASSERT_FALSE(rc.OfKind(TCanvasOp::Text).empty());
    for (const TCanvasOp &o : rc.OfKind(TCanvasOp::Text)) {
        EXPECT_TRUE(o.font.Color == (clGreen ^ 0xFFFFFFu) || o.font.Color == (clWhite ^ 0xFFFFFFu));
        EXPECT_EQ(o.rect.Top, bar.Top + 1);
    }
    g.AddProgressEx(1, 1, clGreen, clYellow, clWhite, clRed);
    rc = draw();
    for (const TCanvasOp &o : rc.OfKind(TCanvasOp::Text))
        EXPECT_TRUE(o.font.Color == clYellow || o.font.Color == clRed);
    // A text that is no number paints an empty bar instead of failing.
    g.SetCells(1, 1, QStringLiteral("n/a"));
    EXPECT_NO_THROW(draw());
}

TEST_F(CellObjects, StyledProgressTakesThePercentOfItsRange)
{
    g.ProgressAppearance()->SetShowPercentage(true);
    g.AddNovaProgress(1, 1, 0, 200);
    g.SetCells(1, 1, QStringLiteral("50"));
    const TRecordingCanvas rc = draw();
    const auto frames = rc.OfKind(TCanvasOp::Rectangle);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].rect, (TRect{2, 2, 101, 21})); // margins, and 1 less at right and bottom
    EXPECT_TRUE(rc.Texts().contains(QStringLiteral("25%")));
    // An empty range divides by nothing.
    g.AddNovaProgress(1, 1, 7, 7);
    EXPECT_NO_THROW(draw());
    EXPECT_TRUE(draw().Texts().contains(QStringLiteral("0%")));
}

TEST_F(CellObjects, PieRangeAndShapeAreDrawnWithTheirColours)
{
    g.AddProgressPie(1, 1, clRed, 40);
    TRecordingCanvas rc = draw();
    auto pies = rc.OfKind(TCanvasOp::Pie);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].rect.Width(), 20);
    EXPECT_EQ(pies[0].rect.Height(), 20);
    EXPECT_EQ(pies[0].brush.Color, clRed);
    EXPECT_DOUBLE_EQ(pies[0].angle2, -144.0);

    g.AddRangeIndicator(1, 1, 100, clRed, clGreen, false);
    g.SetCells(1, 1, QStringLiteral("-50"));
    rc = draw();
    EXPECT_EQ(fillsOf(rc, clRed).size(), 1u);
    EXPECT_TRUE(fillsOf(rc, clGreen).empty());
    g.SetCells(1, 1, QStringLiteral("50"));
    rc = draw();
    EXPECT_EQ(fillsOf(rc, clGreen).size(), 1u);

    g.SetRowHeights(1, 24);
    g.AddShape(1, 1, csDiamond, clYellow, clBlue, haLeft, vaTop);
    rc = draw();
    const auto polys = rc.OfKind(TCanvasOp::Polygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].brush.Color, clYellow);
    EXPECT_EQ(polys[0].pen.Color, clBlue);
    int right = 0, bottom = 0;
    for (TPoint p : polys[0].points) {
        right = std::max(right, p.X);
        bottom = std::max(bottom, p.Y);
    }
    const int side = 24 - 2 * g.TextOffset().y(); // a square as high as the row leaves room for
    EXPECT_LE(bottom - polys[0].points[0].Y, side);
    EXPECT_GT(right, side / 2);
}

TEST_F(CellObjects, RatingShowsFullHalfAndEmptyStars)
{
    g.AddRating(1, 1, 5, clYellow, clSilver);
    g.SetCells(1, 1, QStringLiteral("3.7"));
    const TRecordingCanvas rc = draw();
    int full = 0, empty = 0, half = 0;
    std::vector<int> lefts;
    for (const TCanvasOp &o : rc.OfKind(TCanvasOp::Polygon)) {
        if (o.points.size() == 10) {
            (o.brush.Color == clYellow ? full : empty) += 1;
            int l = o.points[0].X;
            for (TPoint p : o.points)
                l = std::min(l, p.X);
            lefts.push_back(l);
        } else if (o.points.size() == 6 && o.brush.Color == clYellow) {
            ++half;
        }
    }
    EXPECT_EQ(full, 3);
    EXPECT_EQ(half, 1);
    EXPECT_EQ(empty, 2); // the star under the half and the last one
    ASSERT_EQ(lefts.size(), 5u);
    for (size_t i = 1; i < lefts.size(); ++i)
        EXPECT_EQ(lefts[i] - lefts[i - 1], 18);
    // The value backs the stars and is not written over them.
    TRecordingCanvas cell;
    g.PaintCell(cell, 1, 1, {}, {});
    EXPECT_FALSE(cell.Texts().contains(QStringLiteral("3.7")));
}

TEST_F(CellObjects, ImagesOfTheListAndPicturesAreDrawnWhereTheyArePlaced)
{
    g.SetGridImages(&images);
    g.AddImageIdx(1, 1, 2, haLeft, vaTop);
    TImageCanvas ic(104, 24, clWhite);
    g.DrawGraphicInCell(ic, graphic(), {0, 0, 104, 24}, 1, 1, taLeftJustify, vtaTop, 0, 16, 16, false);
    ic.End();
    const int x = g.TextOffset().x() + 8, y = g.TextOffset().y() + 8;
    EXPECT_EQ(ic.PixelAt(x, y), 0xFF0000u); // blue (0x00BBGGRR), the third image

    g.AddDataImage(2, 1, 1, haLeft, vaTop); // empty cell: text "1", shown image 1 + 1
    TRecordingCanvas rc = draw({0, 0, 104, 24}, 2, 1);
    EXPECT_EQ(rc.Count(TCanvasOp::Image), 1);
    g.SetCells(2, 1, QStringLiteral("5")); // beyond the list: nothing
    EXPECT_EQ(draw({0, 0, 104, 24}, 2, 1).Count(TCanvasOp::Image), 0);
    g.SetCells(2, 1, QStringLiteral("x"));
    EXPECT_EQ(draw({0, 0, 104, 24}, 2, 1).Count(TCanvasOp::Image), 0);

    g.AddMultiImage(3, 1, 0, haLeft, vaTop);
    for (int i : {0, 1, 2})
        g.GetCellImages(3, 1)->Add(i);
    rc = draw({0, 0, 104, 24}, 3, 1);
    auto imgs = rc.OfKind(TCanvasOp::Image);
    ASSERT_EQ(imgs.size(), 3u);
    EXPECT_EQ(imgs[1].rect.Left - imgs[0].rect.Left, 16);
    EXPECT_EQ(imgs[2].rect.Top, imgs[0].rect.Top);

    THTMLPicture *pic = g.CreatePicture(4, 1, false, noStretch, 0, haLeft, vaTop);
    pic->LoadFromData(pngOfSize(40, 20));
    g.SetRowHeights(1, 40);
    rc = draw({0, 0, 104, 40}, 4, 1);
    imgs = rc.OfKind(TCanvasOp::Image);
    ASSERT_EQ(imgs.size(), 1u);
    EXPECT_EQ(imgs[0].rect.Width(), 40);
    EXPECT_EQ(imgs[0].rect.Height(), 20);
    // Stretched keeping the aspect ratio into what the cell leaves.
    g.GetCellGraphic(4, 1)->SetCellAngle(StretchWithAspectRatio);
    TPoint size = g.CalcCellGraphicSize(4, 1);
    rc = draw({0, 0, 104, 40}, 4, 1);
    imgs = rc.OfKind(TCanvasOp::Image);
    ASSERT_EQ(imgs.size(), 1u);
    EXPECT_EQ(imgs[0].rect.Width(), size.X);
    EXPECT_EQ(imgs[0].rect.Height(), size.Y);
    EXPECT_NEAR(size.X, 2 * size.Y, 1); // rounded
}

TEST_F(CellObjects, PaintedObjectDrawsItselfOverTheCell)
{
    Swatch s;
    g.AddInterfacedCell(1, 1, &s);
    EXPECT_EQ(g.GetInterfacedCell(1, 1), &s);
    draw({10, 20, 60, 44});
    EXPECT_EQ(s.calls, 1);
    EXPECT_EQ(s.drawnAt, (TRect{9, 19, 60, 44}));
    // Its own size, or the cell's where it gives none.
    const TPoint cell = g.CellSize(1, 1);
    EXPECT_EQ(g.CalcCellGraphicSize(1, 1), cell);
    s.w = 30;
    s.h = 12;
    EXPECT_EQ(g.CalcCellGraphicSize(1, 1), (TPoint{30, 12}));
    g.RemoveInterfacedCell(1, 1);
    EXPECT_EQ(s.calls, 1); // the grid never frees it
    EXPECT_EQ(g.GetInterfacedCell(1, 1), nullptr);
}

TEST(CellObjectEvents, RatingChangeMayBeRefusedOrChanged)
{
    TNovaStringGrid g;
    double rate = 4;
    EXPECT_TRUE(g.DoRatingChange(1, 1, rate));
    g.OnRatingChange = [](QObject *, int, int, double &NewRate, bool &Allow) {
        NewRate = 2.5;
        Allow = false;
    };
    EXPECT_FALSE(g.DoRatingChange(1, 1, rate));
    EXPECT_DOUBLE_EQ(rate, 2.5);
}

// A grid showing every object (set CFG_SCREENSHOT_DIR to write it).
TEST(CellObjectScreenshots, EveryObjectRenderedToAPngFile)
{
    const QString dir = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "CFG_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    TMarkupImageList images = threeImages();
    TNovaStringGrid g;
    g.resize(720, 300);
    g.SetScrollBars(ssNone);
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SetDefaultRowHeight(40);
    g.SetRowHeights(0, 22);
    g.SetColWidths(0, 90);
    for (int c = 1; c < 5; ++c)
        g.SetColWidths(c, 150);
    g.SetGridImages(&images);
    const char *heads[] = {"", "A", "B", "C", "D"};
    for (int c = 0; c < 5; ++c)
        g.SetCells(c, 0, QString::fromLatin1(heads[c]));
    const char *rows[] = {"progress", "pie / range", "shape / rating", "images / text"};
    for (int r = 1; r < 5; ++r)
        g.SetCells(0, r, QString::fromLatin1(rows[r - 1]));

    g.AddProgress(1, 1, 0x3CB371, clWhite);
    g.SetCells(1, 1, QStringLiteral("65"));
    g.AddProgressFormatted(2, 1, 0xCC7733, clWhite, 0xEEEEEE, clBlack, QStringLiteral("%d kg"), 0, 200);
    g.SetCells(2, 1, QStringLiteral("120"));
    g.AddNovaProgress(3, 1, 0, 100);
    g.SetCells(3, 1, QStringLiteral("80"));
    g.AddComment(4, 1, QStringLiteral("a comment"));
    g.SetCells(4, 1, QStringLiteral("commented"));

    g.AddProgressPie(1, 2, clRed, 30);
    g.SetCells(1, 2, QStringLiteral("pie 30%"));
    g.AddRangeIndicator(2, 2, 100, clRed, 0x00A000, true);
    g.SetCells(2, 2, QStringLiteral("-40"));
    g.AddRangeIndicator(3, 2, 100, clRed, 0x00A000, true);
    g.SetCells(3, 2, QStringLiteral("70"));
    g.AddRotated(4, 2, 20, QStringLiteral("turned 20"));

    g.AddShape(1, 3, csStar, clYellow, clBlack, haBeforeText, vaCenter);
    g.SetCells(1, 3, QStringLiteral("star"));
    g.AddShape(2, 3, csDiamond, 0xFF8000, clBlack, haBeforeText, vaCenter);
    g.SetCells(2, 3, QStringLiteral("diamond"));
    g.AddRating(3, 3, 5, 0x00C8FF, 0xD0D0D0);
    g.SetCells(3, 3, QStringLiteral("3.5"));
    g.AddRotated(4, 3, 90, QStringLiteral("up"));

    g.AddImageIdx(1, 4, 1, haBeforeText, vaCenter);
    g.SetCells(1, 4, QStringLiteral("image 1"));
    g.AddMultiImage(2, 4, 0, haLeft, vaCenter);
    for (int i : {0, 1, 2})
        g.GetCellImages(2, 4)->Add(i);
    THTMLPicture *pic = g.CreatePicture(3, 4, false, StretchWithAspectRatio, 0, haCenter, vaCenter);
    pic->LoadFromData(pngOfSize(60, 30));
    g.AddRotated(4, 4, 300, QStringLiteral("down"));

    g.show();
    QApplication::processEvents();
    const QString file = dir + QStringLiteral("/cell-objects.png");
    EXPECT_TRUE(g.grab().save(file)) << file.toStdString();
}

TEST_F(CellObjects, ButtonsDrawTheirCaptionMoveWhenPushedAndKeepTheirOffset)
{
    g.SetOptions(g.Options() + TGridOptions{goEditing}); // a cell that cannot be edited shows a disabled button
    g.AddButton(1, 1, 40, 20, QStringLiteral("Go"), haLeft, vaTop);
    auto captionAt = [](const TRecordingCanvas &rc) {
        for (const TCanvasOp &op : rc.Ops)
            if (op.kind == TCanvasOp::Text && op.text == QStringLiteral("Go"))
                return op.rect;
        return TRect{-1, -1, -1, -1};
    };
    const TRect up = captionAt(draw());
    ASSERT_NE(up.Left, -1) << "the caption is drawn";
    const auto offset = std::uint32_t(graphic().CellValue());
    EXPECT_EQ(int(offset & 0xFFFF), up.Left - 1) << "the button's left, for hit testing";
    graphic().SetCellBoolean(true);
    const TRect down = captionAt(draw());
    EXPECT_EQ(down.Left, up.Left + 1);
    EXPECT_EQ(down.Top, up.Top + 1);
}

TEST_F(CellObjects, ExpandButtonShowsItsChevronAtTheTopRight)
{
    g.AddExpand(2, 1, 40);
    auto chevron = [](const TRecordingCanvas &rc) {
        for (const TCanvasOp &op : rc.Ops)
            if (op.kind == TCanvasOp::Polyline)
                return op.points;
        return std::vector<TPoint>{};
    };
    EXPECT_EQ(chevron(draw({0, 0, 104, 24}, 2, 1)), (std::vector<TPoint>{{94, 5}, {97, 8}, {101, 4}}));
    graphic(2, 1).SetCellVar(true);
    EXPECT_EQ(chevron(draw({0, 0, 104, 24}, 2, 1)), (std::vector<TPoint>{{94, 8}, {97, 5}, {101, 9}}));
}

namespace {

// A change of a multi-image cell's index list repaints that cell, and only after the change.
TEST_F(CellObjects, MultiImageListChangesRepaintTheirCell)
{
    g.SetGridImages(&images);
    g.AddMultiImage(3, 2, 0, haLeft, vaTop);
    g.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    struct PaintSpy : QObject {
        QRegion painted;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(e)->region();
            return false;
        }
    } spy;
    g.viewport()->installEventFilter(&spy);
    g.GetCellImages(3, 2)->Add(1);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QRect cell = g.CellRect(3, 2).ToQRect();
    EXPECT_TRUE(spy.painted.intersects(cell));
    EXPECT_FALSE(spy.painted.intersects(g.CellRect(1, 4).ToQRect())) << "only that cell";
    g.viewport()->removeEventFilter(&spy);
}

} // namespace
