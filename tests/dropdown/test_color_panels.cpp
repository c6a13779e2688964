// The colour picker's three panels: honeycomb, spectrum and colour boxes.
#include "dropdown/ColorPanels.h"
#include "panel_test_support.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

using paneltest::Host;

namespace {

// Polygons drawn with a clear brush: the hot and selected frames.
std::vector<TCanvasOp> frames(const TRecordingCanvas &c)
{
    std::vector<TCanvasOp> out;
    for (const TCanvasOp &op : c.OfKind(TCanvasOp::Polygon))
        if (op.brush.Style == bsClear)
            out.push_back(op);
    return out;
}

} // namespace

// ---- Honeycomb ----------------------------------------------------------------------------------

TEST(ColorCube, CellsLieRowByRowWithTheirColours)
{
    TNovaColorCubePanel cube;
    struct Row {
        int cell;
        TPoint centre;
        TColor color;
    } rows[] = {
        {1, {55, 20}, 0x663300},   {7, {127, 20}, 0x660000}, {8, {49, 30}, 0x666600},
        {58, {19, 80}, 0x003300},  {64, {91, 80}, 0xFFFFFF}, {70, {163, 80}, 0x660066},
        {71, {25, 90}, 0x006633},  {121, {55, 140}, 0x003366}, {127, {127, 140}, 0x2100A5},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(cube.Cell(r.cell).Center, r.centre) << r.cell;
        EXPECT_EQ(cube.Cell(r.cell).Color, r.color) << r.cell;
    }
    EXPECT_EQ(cube.width(), 182);
    EXPECT_EQ(cube.height(), 160);
}

TEST(ColorCube, HitTestTakesTheFirstCellWithinTheHalfWidth)
{
    TNovaColorCubePanel cube;
    struct Row {
        int x, y, cell;
    } rows[] = {
        {91, 80, 64},  // centre of the white cell
        {91, 86, 64},  // 6 below: still inside
        {91, 87, -1},  // 7 below, and 6 + 3 from the cells of row 8
        {97, 80, 64},  // as far from 64 as from 65: the lower number wins
        {98, 80, 65},
        {0, 0, -1},
    };
    for (const Row &r : rows)
        EXPECT_EQ(cube.CellAtPos(r.x, r.y), r.cell) << r.x << "," << r.y;
}

TEST(ColorCube, APressOnACellSelectsItsColourAndAPressBesideDoesNothing)
{
    Host host;
    auto *cube = host.add<TNovaColorCubePanel>();
    int selects = 0;
    cube->OnSelect = [&](QObject *s) {
        EXPECT_EQ(s, cube);
        ++selects;
    };
    ASSERT_TRUE(host.show());

    host.click(cube, 91, 87);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(cube->SelectedColor(), clNone);

    host.click(cube, 91, 80, Qt::RightButton); // any button
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(cube->SelectedColor(), clWhite);
    EXPECT_EQ(cube->SelectedIndex(), 64);

    host.click(cube, 55, 20);
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(cube->SelectedIndex(), 1);
    EXPECT_EQ(cube->SelectedColor(), TColor(0x663300));
}

TEST(ColorCube, TheHintGivesTheRgbValuesOfTheHotCell)
{
    Host host;
    auto *cube = host.add<TNovaColorCubePanel>();
    ASSERT_TRUE(host.show());

    host.move(cube, 2, 2); // Qt drops a move to where the pointer already is
    host.move(cube, 55, 20);
    EXPECT_EQ(cube->HotIndex(), 1);
    EXPECT_EQ(cube->toolTip(), QStringLiteral("Red: 0,  Green: 51,  Blue: 102"));

    host.move(cube, 1, 1); // beside the cells: no hint, the cell stays hot
    EXPECT_EQ(cube->toolTip(), QString());
    EXPECT_EQ(cube->HotIndex(), 1);

    cube->SetShowRGBHint(false);
    host.move(cube, 91, 80);
    EXPECT_EQ(cube->HotIndex(), 64);
    EXPECT_EQ(cube->toolTip(), QString());

    cube->ResetHot();
    EXPECT_EQ(cube->HotIndex(), -1);
}

TEST(ColorCube, HotAndSelectedCellsGetTheirFramesRedBeforeBlack)
{
    TNovaColorCubePanel cube;
    cube.SetSelectedColor(clWhite);
    cube.PointerAt(91, 80); // the same cell is hot
    TRecordingCanvas rec;
    cube.PaintTo(rec);

    EXPECT_EQ(rec.Count(TCanvasOp::Polygon), 127 + 4);
    const auto f = frames(rec);
    ASSERT_EQ(f.size(), 4u);
    const TColor order[] = {clRed, clWhite, clBlack, clWhite};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f[std::size_t(i)].pen.Color, order[i]) << i;
    // Outer frame 5 by 3 around (91, 80), inner 4 by 2.
    EXPECT_EQ(f[0].points.front(), (TPoint{86, 77}));
    EXPECT_EQ(f[1].points.front(), (TPoint{87, 78}));
}

TEST(ColorCube, AColourOutsideTheTableIsKeptWithoutAFrame)
{
    TNovaColorCubePanel cube;
    cube.SetSelectedColor(0x123456);
    EXPECT_EQ(cube.SelectedColor(), TColor(0x123456));
    EXPECT_EQ(cube.SelectedIndex(), -1);
    TRecordingCanvas rec;
    cube.PaintTo(rec);
    EXPECT_TRUE(frames(rec).empty());
}

// ---- Spectrum -----------------------------------------------------------------------------------

TEST(ColorSpectrum, ThePictureRunsHueAcrossAndLightnessDown)
{
    TNovaColorSpectrumPanel panel;
    const QImage &pic = panel.SpectrumImage()->Picture();
    ASSERT_EQ(pic.size(), QSize(128, 128));
    auto rgb = [&](int x, int y) { return FromQColor(pic.pixelColor(x, y)); };
    EXPECT_EQ(rgb(0, 0), clWhite);
    EXPECT_EQ(rgb(64, 0), clWhite);
    EXPECT_EQ(rgb(0, 127), clBlack);
    // Mid-height: the pure hues.
    const TColor red = rgb(0, 64);
    EXPECT_GE(GetRValue(red), 250);
    EXPECT_LE(GetGValue(red), 8);
    const TColor right = rgb(127, 64);
    EXPECT_GE(GetRValue(right), 250);
    const TColor green = rgb(42, 64);
    EXPECT_GE(GetGValue(green), 240);
    EXPECT_LE(GetRValue(green), 20);
    const TColor blue = rgb(85, 64);
    EXPECT_GE(GetBValue(blue), 240);
    EXPECT_LE(GetGValue(blue), 20);
}

TEST(ColorSpectrum, ThePointerIsAnEyedropperWithItsTipAsHotSpot)
{
    TNovaColorSpectrumPanel panel;
    const QCursor c = panel.SpectrumImage()->cursor();
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(1, 30));
    EXPECT_EQ(c.pixmap().size(), QSize(32, 32));
    const QImage img = c.pixmap().toImage();
    EXPECT_GT(qAlpha(img.pixel(1, 30)), 0);  // the tip
    EXPECT_EQ(qAlpha(img.pixel(30, 30)), 0); // transparent corner
}

TEST(ColorSpectrum, LayoutPlacesThePictureAndTheTwoSwatches)
{
    TNovaColorSpectrumPanel panel;
    panel.LayoutSpectrum();
    EXPECT_EQ(panel.width(), 150);
    EXPECT_EQ(panel.height(), 174);
    EXPECT_EQ(panel.SpectrumImage()->geometry(), QRect(11, 10, 128, 128));
    EXPECT_EQ(panel.SelectedRect(), (TRect{10, 146, 73, 166}));
    EXPECT_EQ(panel.HotRect(), (TRect{77, 146, 140, 166}));
}

TEST(ColorSpectrum, TheSelectedSwatchStartsWhiteAndTheHotOneEmpty)
{
    TNovaColorSpectrumPanel panel;
    TRecordingCanvas rec;
    panel.PaintTo(rec);
    const auto rects = rec.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 6u); // two picture frames, two rectangles per swatch
    EXPECT_EQ(rects[0].rect, (TRect{10, 9, 140, 139}));
    EXPECT_EQ(rects[0].pen.Color, clWhite);
    EXPECT_EQ(rects[1].rect, (TRect{9, 8, 141, 140}));
    EXPECT_EQ(rects[1].pen.Color, clGray);
    EXPECT_EQ(rects[3].rect, panel.SelectedRect());
    EXPECT_EQ(rects[3].brush.Style, bsSolid);
    EXPECT_EQ(rects[3].brush.Color, clWhite);
    EXPECT_EQ(rects[5].rect, panel.HotRect());
    EXPECT_EQ(rects[5].brush.Style, bsClear);
}

TEST(ColorSpectrum, TheColourUnderThePointerComesFromThePicture)
{
    Host host;
    auto *panel = host.add<TNovaColorSpectrumPanel>();
    int selects = 0;
    panel->OnSelect = [&](QObject *) { ++selects; };
    ASSERT_TRUE(host.show());
    TSpectrumImage *img = panel->SpectrumImage();
    const TColor expected = FromQColor(img->Picture().pixelColor(42, 64));

    host.move(img, 42, 64);
    EXPECT_EQ(panel->HotColor(), expected);
    EXPECT_EQ(panel->SelectedColor(), clWhite);
    EXPECT_EQ(selects, 0);

    host.click(img, 42, 64);
    EXPECT_EQ(panel->SelectedColor(), expected);
    EXPECT_EQ(selects, 1);

    panel->LayoutSpectrum(); // each opening forgets the hot colour
    EXPECT_EQ(panel->HotColor(), clNone);
}

TEST(ColorSpectrum, APressWithoutAMoveBeforeItStillTakesThatColour)
{
    TNovaColorSpectrumPanel panel;
    panel.PictureMouseDown(0, 127);
    EXPECT_EQ(panel.SelectedColor(), clBlack);
}

// ---- Colour boxes -------------------------------------------------------------------------------

class ColorBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        boxes.AddDefaultColorBoxes();
        boxes.UpdateItemsPosition();
        boxes.OnItemSelect = [this](QObject *) { ++selects; };
    }
    TCustomColorSelector boxes;
    int selects = 0;
};

TEST_F(ColorBoxes, TheDefaultSetIsOneStandAloneRowAboveTenStrips)
{
    EXPECT_EQ(boxes.Items().Count(), 60);
    EXPECT_EQ(boxes.width(), 165);
    EXPECT_EQ(boxes.height(), 84);
    struct Row {
        int index;
        TRect rect;
    } rows[] = {
        {0, {4, 4, 16, 16}},   {1, {20, 4, 32, 16}},  {9, {148, 4, 160, 16}},
        {10, {4, 20, 16, 32}}, {20, {4, 32, 16, 44}}, {59, {148, 68, 160, 80}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(boxes.Items().GetItem(r.index)->FRect, r.rect) << r.index;
}

TEST_F(ColorBoxes, BoxesThatAllStandAloneHaveTheGapBetweenEveryRow)
{
    TCustomColorSelector s;
    for (int i = 0; i < 25; ++i)
        s.Items().Add()->SetColor(TColor(i));
    s.UpdateItemsPosition();
    EXPECT_EQ(s.Items().GetItem(10)->FRect.Top, 20);
    EXPECT_EQ(s.Items().GetItem(20)->FRect.Top, 36);
    EXPECT_EQ(s.height(), 36 + 12 + 4);

    TCustomColorSelector empty;
    EXPECT_EQ(empty.width(), 100);
    EXPECT_EQ(empty.height(), 50);
}

TEST_F(ColorBoxes, AColourHeldTwiceSelectsTheFirstBox)
{
    boxes.SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(boxes.ItemIndex(), 11);
    EXPECT_EQ(selects, 1);
    boxes.SetSelectedColor(0x7F7F7F); // unchanged: nothing
    EXPECT_EQ(selects, 1);
    boxes.SetSelectedColor(0x123456);
    EXPECT_EQ(boxes.ItemIndex(), -1);
    EXPECT_EQ(boxes.SelectedColor(), TColor(0x123456));
}

TEST_F(ColorBoxes, ArrowKeysInTheOpenPopUpMoveByRows)
{
    boxes.SetItemIndex(3);
    boxes.HandleKey(Qt::Key_Down, true, true);
    EXPECT_EQ(boxes.ItemIndex(), 13);
    boxes.HandleKey(Qt::Key_Up, true, true);
    EXPECT_EQ(boxes.ItemIndex(), 3);

    boxes.SetItemIndex(55);
    const int before = selects;
    boxes.HandleKey(Qt::Key_Down, true, true); // 65 is beyond the 60 boxes
    EXPECT_EQ(boxes.ItemIndex(), 55);
    EXPECT_EQ(selects, before);

    boxes.SetItemIndex(-1);
    boxes.HandleKey(Qt::Key_Down, true, true); // no selection: box 0
    EXPECT_EQ(boxes.ItemIndex(), 0);
}

TEST_F(ColorBoxes, KeysByDropDownState)
{
    struct Row {
        int start;
        int key;
        bool editorEnabled, droppedDown;
        int expected;
    } rows[] = {
        {5, Qt::Key_Up, true, false, 4},       {5, Qt::Key_Down, true, false, 6},
        {5, Qt::Key_Left, true, false, 5},     {5, Qt::Key_Right, true, false, 5},
        {5, Qt::Key_Left, false, false, 4},    {5, Qt::Key_Right, true, true, 6},
        {5, Qt::Key_Home, true, false, 0},     {5, Qt::Key_PageUp, true, true, 0},
        {5, Qt::Key_End, true, false, 59},     {5, Qt::Key_PageDown, true, true, 59},
        {5, Qt::Key_A, false, true, 5},        {-1, Qt::Key_Left, false, true, -1},
        {-1, Qt::Key_Right, false, true, 0},   {59, Qt::Key_Right, false, true, 59},
        {0, Qt::Key_Left, false, true, 0},
    };
    for (const Row &r : rows) {
        boxes.SetItemIndex(r.start);
        boxes.HandleKey(r.key, r.editorEnabled, r.droppedDown);
        EXPECT_EQ(boxes.ItemIndex(), r.expected) << r.start << " key " << r.key;
    }
    boxes.SetItemIndex(5);
    boxes.setEnabled(false);
    boxes.HandleKey(Qt::Key_Home, false, true);
    EXPECT_EQ(boxes.ItemIndex(), 5);
}

TEST_F(ColorBoxes, AnIndexBeyondTheBoxesIsIgnored)
{
    boxes.SetItemIndex(7);
    selects = 0;
    boxes.SetItemIndex(60);
    boxes.SetItemIndex(1000);
    EXPECT_EQ(boxes.ItemIndex(), 7);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(boxes.SelectedColor(), TColor(0xA26480));
}

TEST_F(ColorBoxes, TheSameIndexAgainReportsAgain)
{
    boxes.SetItemIndex(2);
    boxes.SetItemIndex(2);
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(boxes.SelectedColor(), TColor(0xE1ECEE));
}

TEST_F(ColorBoxes, HotAndSelectedBoxesGetDoubleFrames)
{
    boxes.SetItemIndex(1);
    boxes.SetItemHot(1);
    boxes.SetItemHot(2);
    TRecordingCanvas rec;
    boxes.DrawItem(1, rec);
    boxes.DrawItem(2, rec);
    const auto rects = rec.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 6u);
    // Selected: fill, outer red frame, inner frame one pixel in.
    EXPECT_EQ(rects[0].rect, (TRect{20, 4, 32, 16}));
    EXPECT_EQ(rects[0].brush.Color, clBlack);
    EXPECT_EQ(rects[1].pen.Color, TColor(0x0000FF));
    EXPECT_EQ(rects[1].brush.Style, bsClear);
    EXPECT_EQ(rects[2].rect, (TRect{21, 5, 31, 15}));
    EXPECT_EQ(rects[2].pen.Color, TColor(0x94E2FF));
    // Hot.
    EXPECT_EQ(rects[4].pen.Color, TColor(0x3694F2));
    EXPECT_EQ(rects[5].pen.Color, TColor(0x94E2FF));
    EXPECT_EQ(rec.Count(TCanvasOp::Line), 0);
}

TEST_F(ColorBoxes, StripBoxesShareTheirLines)
{
    struct Row {
        int index; // a box of the row of that position
        std::vector<std::vector<TPoint>> lines;
    } rows[] = {
        {0, {{{4, 16}, {4, 4}}, {{4, 4}, {16, 4}}, {{16, 4}, {16, 16}}, {{16, 16}, {4, 16}}}},   // stand-alone
        {10, {{{4, 32}, {4, 20}}, {{4, 20}, {16, 20}}, {{16, 20}, {16, 32}}}},                   // top
        {20, {{{4, 32}, {4, 44}}, {{16, 32}, {16, 44}}}},                                        // middle
        {50, {{{4, 68}, {4, 80}}, {{4, 80}, {16, 80}}, {{16, 68}, {16, 81}}}},                   // bottom
    };
    for (const Row &r : rows) {
        TRecordingCanvas rec;
        boxes.DrawItem(r.index, rec);
        const auto lines = rec.OfKind(TCanvasOp::Line);
        ASSERT_EQ(lines.size(), r.lines.size()) << r.index;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].points, r.lines[i]) << r.index << " line " << i;
            EXPECT_EQ(lines[i].pen.Color, TColor(0xC5C5C5));
        }
    }
}

TEST_F(ColorBoxes, TheMouseMakesHotAndSelects)
{
    Host host;
    auto *s = host.add<TCustomColorSelector>();
    s->AddDefaultColorBoxes();
    s->UpdateItemsPosition();
    int n = 0;
    s->OnItemSelect = [&](QObject *) { ++n; };
    ASSERT_TRUE(host.show());

    host.move(s, 25, 10);
    EXPECT_EQ(s->ItemHot(), 1);
    host.move(s, 17, 10); // in the gap between two columns
    EXPECT_EQ(s->ItemHot(), -1);
    host.click(s, 150, 70, Qt::MiddleButton);
    EXPECT_EQ(s->ItemIndex(), 59);
    EXPECT_EQ(s->SelectedColor(), TColor(0x064897));
    EXPECT_EQ(n, 1);
}

TEST_F(ColorBoxes, ANamedColourStyleRestoresTheFrameColours)
{
    boxes.ColorBoxAppearance().OuterBorderColorSelected = clLime;
    boxes.SetItemColorStyle(scCustom);
    EXPECT_EQ(boxes.ColorBoxAppearance().OuterBorderColorSelected, clLime);
    boxes.SetItemColorStyle(scWindows7);
    EXPECT_EQ(boxes.ColorBoxAppearance().OuterBorderColorSelected, TColor(0x0000FF));
    EXPECT_EQ(boxes.ColorBoxAppearance().BorderColor, TColor(0xC5C5C5));
}
