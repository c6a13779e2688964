// The drop-down button and the drawing and text routines of the drop-down family: the routines on a
// recording canvas, the button's size rule, its click and its looks in pixels.
#include "dropdown/DropDownButton.h"
#include "grid/base/Theme.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::vector<TCanvasOp> fills(const TRecordingCanvas &c) { return c.OfKind(TCanvasOp::FillRect); }

QColor pixel(QWidget *w, QPoint at)
{
    const QImage img = w->grab().toImage();
    return QColor(img.pixel(at));
}

// An edit that owns a drop-down button, as the drop-down edits do.
class OwnerEdit : public QLineEdit, public TDropDownButtonOwner {
public:
    TColor border = clNone;
    TColor ButtonOwnerBorderColor() const override { return border; }
    bool ButtonOwnerReadOnly() const override { return isReadOnly(); }
};

} // namespace

TEST(DropDownDrawing, GradientBandsLeaveTheFarEdge)
{
    TRecordingCanvas c;
    DrawGradientRect(c, clRed, clBlue, 0, Rect(0, 0, 10, 5), true);
    ASSERT_EQ(fills(c).size(), 1u) << "Steps 0 counts as one band";
    EXPECT_EQ(fills(c)[0].rect, Rect(0, 0, 9, 5));
    EXPECT_EQ(fills(c)[0].brush.Color, clRed);

    c.Clear();
    DrawGradientRect(c, clBlack, clWhite, 2, Rect(0, 0, 4, 11), false);
    const auto f = fills(c);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].brush.Color, clBlack);
    EXPECT_EQ(f[1].brush.Color, RGBColor(128, 128, 128)) << "round(127.5) goes to the even 128";
    for (const auto &op : f) EXPECT_LE(op.rect.Bottom, 10) << "the last row is never painted";
}

TEST(DropDownDrawing, ColourArithmetic)
{
    struct Row {
        TColor got, expected;
        const char *what;
    } rows[] = {
        {BlendColor(clBtnFace, clWhite, 100), clBtnFace, "100 %: Color1 unresolved"},
        {BlendColor(clWhite, clBtnFace, 0), clBtnFace, "0 %: Color2 unresolved"},
        {BlendColor(RGBColor(0, 0, 0), clWhite, 20), RGBColor(204, 204, 204), "20 % border, 80 % white"},
        {BlendColor(RGBColor(100, 0, 50), RGBColor(0, 100, 50), 50), RGBColor(50, 50, 50), "half and half"},
        // The button appearance's checked colours: hot colours 10 % darker in red and green.
        {BrightnessColor(0xF5F0E1, -10, -10, 0), RGBColor(202, 216, 245), "darkened, 202.5 to the even 202"},
        {BrightnessColor(RGBColor(0, 200, 0), 30, 50, -10), RGBColor(30, 200, 0), "a zero channel takes the percentage"},
    };
    for (const auto &r : rows) EXPECT_EQ(r.got, r.expected) << r.what;
}

TEST(DropDownDrawing, RectangleFillsThenFrames)
{
    struct Row {
        TColor color, colorTo, border;
        int width;
        int fills, frames;
    } rows[] = {
        {clRed, clBlue, clBlack, 1, 80, 1},  // gradient of 80 bands, then the frame
        {clRed, clNone, clBlack, 2, 1, 1},   // plain fill
        {clNone, clNone, clBlack, 1, 0, 1},  // frame only
        {clRed, clNone, clNone, 1, 1, 0},    // no frame colour
        {clRed, clNone, clBlack, 0, 1, 0},   // no frame width
    };
    for (const auto &r : rows) {
        TRecordingCanvas c;
        DrawRectangle(&c, Rect(0, 0, 200, 20), r.color, r.colorTo, r.border, r.width, gdHorizontal);
        EXPECT_EQ(c.Count(TCanvasOp::FillRect), r.fills) << r.fills << "/" << r.frames;
        ASSERT_EQ(c.Count(TCanvasOp::Rectangle), r.frames);
        if (r.frames) {
            const TCanvasOp op = c.OfKind(TCanvasOp::Rectangle)[0];
            EXPECT_EQ(op.brush.Style, bsClear);
            EXPECT_EQ(op.pen.Width, r.width);
            EXPECT_EQ(op.pen.Color, r.border);
        }
    }
    DrawRectangle(nullptr, Rect(0, 0, 5, 5), clRed, clNone, clBlack, 1, gdVertical); // no canvas: nothing
}

TEST(DropDownDrawing, ButtonContentTextSizeAndFitting)
{
    TMarkupImageList images;
    images.Images.assign(2, QImage(16, 12, QImage::Format_RGB32));
    TRecordingCanvas c; // 7 pixels a character, 13 a line

    DrawButtonContent(&c, Rect(10, 0, 110, 20), "OK", -1, &images);
    ASSERT_EQ(c.Count(TCanvasOp::Text), 1);
    EXPECT_TRUE(c.Ops.back().flags & DT_CENTER) << "no image: centred";
    c.Clear();
    DrawButtonContent(&c, Rect(10, 0, 110, 20), "OK", 1, &images);
    ASSERT_EQ(c.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(c.OfKind(TCanvasOp::Image)[0].rect, Rect(14, 4, 30, 16)) << "4 in, vertically centred";
    const TCanvasOp text = c.OfKind(TCanvasOp::Text)[0];
    EXPECT_EQ(text.rect.Left, 10 + 16 + 8);
    EXPECT_FALSE(text.flags & DT_CENTER);
    EXPECT_TRUE(text.flags & DT_END_ELLIPSIS);
    c.Clear();
    DrawButtonContent(&c, Rect(0, 0, 50, 20), "", 5, &images); // index beyond the list, no caption
    EXPECT_TRUE(c.Ops.empty());

    QSize s;
    GetTextSize(&c, "", s);
    EXPECT_EQ(s, QSize(0, 0));
    GetTextSize(&c, "Caption", s);
    EXPECT_EQ(s, QSize(49, 13));

    struct Fit {
        QString text;
        int max;
        bool ellipsis;
        QString expected;
    } fits[] = {
        {"Short", 100, true, "Short"},         // fits: unchanged even with an ellipsis asked for
        {"Drop-down", 50, false, "Drop-do"},   // 7 x 7 = 49 < 50
        {"Drop-down", 50, true, "Drop..."},    // 4 characters and the dots
        {"Drop-down", 49, false, "Drop-d"},    // strictly narrower
        {"Drop-down", 3, true, "Drop-down"},   // nothing fits: the text stays
    };
    for (const auto &f : fits) {
        QString out;
        FitText(&c, f.text, f.max, out, f.ellipsis);
        EXPECT_EQ(out, f.expected) << f.text.toStdString() << " " << f.max;
    }

    QString m;
    MatchCaseText("Mixed", true, m);
    EXPECT_EQ(m, "Mixed");
    MatchCaseText("Mixed", false, m);
    EXPECT_EQ(m, "MIXED");
}

TEST(DropDownDrawing, MarkupCaptionDrawsOrMeasures)
{
    TRecordingCanvas c;
    QSize s(5, 5);
    DrawMarkupCaption(&c, "", Rect(0, 0, 200, 40), nullptr, 0, s);
    EXPECT_EQ(s, QSize(0, 0));
    DrawMarkupCaption(&c, "<b>Bold</b> text", Rect(0, 0, 200, 40), nullptr, DT_CALCRECT, s);
    EXPECT_EQ(c.Count(TCanvasOp::Text), 0) << "measuring draws nothing";
    EXPECT_GT(s.width(), 0);
    EXPECT_GT(s.height(), 0);
    const QSize measured = s;
    DrawMarkupCaption(&c, "<b>Bold</b> text", Rect(0, 0, 200, 40), nullptr, 0, s);
    EXPECT_GT(c.Count(TCanvasOp::Text), 0);
    EXPECT_EQ(s, measured);
}

TEST(DropDownEditButton, KeepsItsWidthUntilBWidthChanges)
{
    QWidget top;
    auto *b = new TDropDownEditButton(&top);
    top.resize(100, 40);
    top.show();
    EXPECT_EQ(b->BWidth(), 16);
    EXPECT_EQ(b->size(), QSize(16, 25));
    b->SetBounds(0, 0, 30, 20);
    EXPECT_EQ(b->geometry(), QRect(0, 0, 16, 20));
    b->resize(30, 21);
    QApplication::processEvents();
    EXPECT_EQ(b->width(), 16);
    EXPECT_EQ(b->SpeedButton()->geometry(), QRect(0, 0, 16, 21));
    b->SetBWidth(30);
    b->SetBounds(0, 0, 30, 20);
    EXPECT_EQ(b->width(), 30);
}

TEST(DropDownEditButton, LeftReleaseIsTheClick)
{
    QWidget top;
    top.resize(120, 40);
    auto *b = new TDropDownEditButton(&top);
    b->SetBounds(50, 5, 16, 21);
    int clicks = 0;
    QObject *sender = nullptr;
    b->OnClick = [&](QObject *s) {
        ++clicks;
        sender = s;
    };
    top.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    const QPoint at = b->mapTo(&top, QPoint(8, 10));
    QTest::mouseClick(top.windowHandle(), Qt::RightButton, {}, at);
    EXPECT_EQ(clicks, 0) << "the right button does not open";
    QTest::mouseClick(top.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, b);
}

TEST(DropDownEditButton, ArrowLooks)
{
    OwnerEdit edit;
    edit.resize(120, 21);
    auto *b = new TDropDownEditButton(&edit);
    b->SetBounds(100, 0, 16, 21);
    edit.show();
    QWidget *arrow = b->SpeedButton();

    // Classic: a raised face with the black arrow.
    EXPECT_EQ(pixel(arrow, {8, 8}), QColor(Qt::black));
    edit.setReadOnly(true);
    EXPECT_NE(pixel(arrow, {8, 8}), QColor(Qt::black)) << "read-only: the arrow shows disabled";
    edit.setReadOnly(false);

    // Colours of its own: the fill, the edit's frame colour down the left edge, the arrow colour.
    b->ButtonColor = RGBColor(0, 160, 0);
    b->ButtonTextColor = RGBColor(200, 0, 0);
    edit.border = RGBColor(0, 0, 255);
    arrow->update();
    EXPECT_EQ(pixel(arrow, {13, 15}), QColor(0, 160, 0));
    EXPECT_EQ(pixel(arrow, {0, 12}), QColor(0, 0, 255));
    EXPECT_EQ(pixel(arrow, {8, 8}), QColor(200, 0, 0));
    b->ButtonTextColor = clNone;
    EXPECT_EQ(pixel(arrow, {8, 8}), QColor(Qt::black)) << "no arrow colour: black";

    // A glyph replaces the arrow.
    b->ButtonColor = clNone;
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    glyph.setPixel(4, 4, qRgb(0, 0, 200));
    b->SetGlyph(glyph);
    EXPECT_EQ(pixel(arrow, {4, 4}), QColor(0, 0, 200));
    EXPECT_EQ(pixel(arrow, {0, 12}), QColor(0x80, 0x80, 0x80)) << "grey outline";
}

TEST(DropDownEditButton, OwnColoursWinOverVisualStyles)
{
    // A platform with visual styles in force: the arrow takes the style's look, unless the button
    // has colours of its own.
    struct Styled : TThemePlatform {
        bool HasVisualStyleLibrary() const override { return true; }
        bool VisualStylesActive() const override { return true; }
        int ComCtlMajorVersion() const override { return 6; }
    } styled;
    SetThemePlatform(&styled);
    OwnerEdit edit;
    edit.resize(120, 21);
    auto *b = new TDropDownEditButton(&edit);
    b->SetBounds(100, 0, 16, 21);
    edit.show();
    EXPECT_TRUE(b->SpeedButton()->IsWinXP());
    const QImage themed = b->SpeedButton()->grab().toImage();
    b->ButtonColor = RGBColor(0, 160, 0);
    EXPECT_EQ(pixel(b->SpeedButton(), {13, 15}), QColor(0, 160, 0));
    SetThemePlatform(nullptr);
    FreeThemeLibrary(DropDownThemeLibrary());
    b->ButtonColor = clNone;
    const QImage classic = b->SpeedButton()->grab().toImage();
    EXPECT_NE(themed, classic) << "the styled arrow is not the classic one";
}
