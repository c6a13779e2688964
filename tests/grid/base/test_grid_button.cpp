#include "grid/base/GridButton.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using B = TNovaGridButton;

QImage glyph(int w, int h, QColor fill, QColor background = Qt::magenta)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) img.setPixelColor(x, y, fill);
    return img;
}

void hover(QWidget &w, bool in)
{
    if (in) {
        QEnterEvent e(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(&w, &e);
    } else {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(&w, &e);
    }
}

std::vector<TCanvasOp> fills(const TRecordingCanvas &c)
{
    std::vector<TCanvasOp> out;
    for (const TCanvasOp &op : c.Ops)
        if (op.kind == TCanvasOp::FillRect || op.kind == TCanvasOp::Rectangle) out.push_back(op);
    return out;
}

struct Parent {
    QWidget w;
    Parent()
    {
        w.resize(300, 100);
        w.show();
    }
};

} // namespace

TEST(GridButton, Defaults)
{
    TNovaGridButton b;
    EXPECT_EQ(b.width(), 23);
    EXPECT_EQ(b.height(), 22);
    EXPECT_EQ(b.GroupIndex(), 0);
    EXPECT_FALSE(b.Down());
    EXPECT_FALSE(b.AllowAllUp());
    EXPECT_EQ(b.Layout(), B::blGlyphLeft);
    EXPECT_EQ(b.Spacing(), 4);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.ColorTo(), clNone);
    EXPECT_EQ(b.ColorHot(), 0xCAC7C7u);
    EXPECT_EQ(b.ColorDown(), 0xD8D3D2u);
    EXPECT_EQ(b.ColorChecked(), 0x808080u);
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_TRUE(b.Shaded());
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_EQ(b.Style(), tasButton);
    EXPECT_EQ(b.State(), B::bsUp);
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetMargin(3);
    EXPECT_EQ(b.Margin(), 3);
}

TEST(GridButton, DownRulesWithoutGroup)
{
    Parent p;
    TNovaGridButton b(&p.w);
    b.show();
    b.SetDown(true);
    EXPECT_FALSE(b.Down()); // a plain button never stays down

    int clicks = 0;
    b.OnClick = [&](QObject *s) {
        EXPECT_EQ(s, &b);
        ++clicks;
    };
    b.SetStyle(tasCheck);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.Down());
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(b.State(), B::bsUp);

    // Released outside: no click, no toggle.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&b, QPoint(60, 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(b.Down());

    // Right button and a disabled button do nothing.
    QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(5, 5));
    b.setEnabled(false);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 3);
}

TEST(GridButton, ExclusiveGroup)
{
    Parent p;
    TNovaGridButton a(&p.w), b(&p.w), c(&p.w);
    TNovaGridButton other(&p.w); // another group
    TNovaGridButton *all[] = {&a, &b, &c};
    int x = 0;
    for (TNovaGridButton *btn : all) {
        btn->SetGroupIndex(1);
        btn->move(x, 0);
        x += 30;
        btn->show();
    }
    other.SetGroupIndex(2);
    other.move(100, 0);
    other.show();
    other.SetDown(true);

    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(a.State(), B::bsExclusive);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(c.Down());
    EXPECT_TRUE(other.Down()); // other groups are untouched

    // Without AllowAllUp the down button stays down when clicked again.
    int clicks = 0;
    b.OnClick = [&](QObject *) { ++clicks; };
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clicks, 1);

    // AllowAllUp is shared by the group: then a click releases it.
    c.SetAllowAllUp(true);
    EXPECT_TRUE(a.AllowAllUp());
    EXPECT_TRUE(b.AllowAllUp());
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.Down());

    // Setting Down in code releases the others as well.
    a.SetDown(true);
    c.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(c.Down());

    // Released outside, a down button returns to its exclusive look.
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&c, QPoint(5, 50));
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(5, 50));
    EXPECT_TRUE(c.Down());
    EXPECT_EQ(c.State(), B::bsExclusive);
}

TEST(GridButton, DropDownPart)
{
    Parent p;
    TNovaGridButton b(&p.w);
    b.resize(60, 22);
    b.show();
    b.SetDropDownButton(true);
    int clicks = 0, drops = 0;
    b.OnClick = [&](QObject *) { ++clicks; };
    b.OnDropDown = [&](QObject *) { ++drops; };
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(55, 10)); // right 12 pixels
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks, 1);

    // Painted: an arrow in the right part, and when hot a separator 12 pixels from the right.
    b.SetBorderHotColor(clNavy);
    hover(b, true);
    TRecordingCanvas canvas;
    b.PaintTo(canvas);
    ASSERT_EQ(canvas.Count(TCanvasOp::Polygon), 1);
    const TCanvasOp tri = canvas.OfKind(TCanvasOp::Polygon)[0];
    EXPECT_EQ(tri.points[0].X, 60 - 2 - 8);
    bool separator = false;
    for (const TCanvasOp &op : canvas.OfKind(TCanvasOp::Line))
        if (op.points[0].X == 60 - 1 - 12 && op.pen.Color == clNavy) separator = true;
    EXPECT_TRUE(separator);
}

TEST(GridButton, DoubleClickAndHoverEvents)
{
    Parent p;
    TNovaGridButton b(&p.w);
    b.show();
    int enter = 0, leave = 0, dbl = 0;
    b.OnMouseEnter = [&](QObject *) { ++enter; };
    b.OnMouseLeave = [&](QObject *) { ++leave; };
    b.OnDblClick = [&](QObject *) { ++dbl; };
    hover(b, true);
    EXPECT_TRUE(b.MouseInControl());
    hover(b, false);
    EXPECT_FALSE(b.MouseInControl());
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(leave, 1);
    QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dbl, 0); // only a down button reports double clicks
    b.SetStyle(tasCheck);
    b.SetDown(true);
    QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dbl, 1);
}

TEST(GridButton, FacePaintingByState)
{
    TNovaGridButton b;
    b.resize(40, 22);
    b.SetColor(0x112233);
    b.SetColorHot(0x445566);
    b.SetColorDown(0x778899);
    b.SetBorderDownColor(clRed); // frames kept: the face keeps its full rectangle

    struct Case { const char *what; std::function<void()> setup; TColor face; TRect rect; };
    const Case cases[] = {
        {"normal", [&] {}, 0x112233, Rect(0, 0, 40, 22)},
        {"hot", [&] { hover(b, true); }, 0x445566, Rect(0, 0, 40, 22)},
        {"hot and pressed", [&] { QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5)); }, 0x778899, Rect(0, 0, 40, 22)},
    };
    for (const Case &c : cases) {
        c.setup();
        TRecordingCanvas canvas;
        b.PaintTo(canvas);
        const auto f = fills(canvas);
        ASSERT_FALSE(f.empty()) << c.what;
        EXPECT_EQ(f[0].brush.Color, c.face) << c.what;
        EXPECT_EQ(f[0].rect, c.rect) << c.what;
    }
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));

    // A checked button of check style shows the checked colour with the down border.
    TNovaGridButton chk;
    chk.resize(40, 22);
    chk.SetStyle(tasCheck);
    chk.SetDown(true);
    chk.SetColorChecked(0x0A0B0C);
    chk.SetBorderDownColor(clBlue);
    TRecordingCanvas canvas;
    chk.PaintTo(canvas);
    const auto f = fills(canvas);
    ASSERT_FALSE(f.empty());
    EXPECT_EQ(f[0].kind, TCanvasOp::Rectangle);
    EXPECT_EQ(f[0].brush.Color, 0x0A0B0Cu);
    EXPECT_EQ(f[0].pen.Color, clBlue);
}

TEST(GridButton, GradientPresetsAndRoundedBorder)
{
    TNovaGridButton b;
    b.resize(40, 32);
    b.SetLook(2);
    EXPECT_EQ(b.Look(), 2);
    EXPECT_EQ(b.Color(), 0xFDEADAu);
    EXPECT_EQ(b.ColorTo(), 0xE4AE88u);
    EXPECT_EQ(b.BorderDownColor(), 0x000000u);
    EXPECT_EQ(b.BorderHotColor(), 0x000000u);
    EXPECT_EQ(b.BorderColor(), clNone);
    EXPECT_FALSE(b.Rounded());
    TRecordingCanvas canvas;
    b.PaintTo(canvas);
    const auto bands = canvas.OfKind(TCanvasOp::FillRect);
    ASSERT_GE(bands.size(), 16u);
    EXPECT_EQ(bands.front().brush.Color, 0xFDEADAu);
    EXPECT_EQ(bands[15].brush.Color, 0xE4AE88u);
    EXPECT_EQ(bands.front().rect.Top, 0);
    EXPECT_EQ(bands[15].rect.Bottom, 32);
    for (int i = 0; i + 1 < 16; ++i) EXPECT_EQ(bands[size_t(i)].rect.Bottom, bands[size_t(i + 1)].rect.Top + 1) << i;

    b.SetLook(0);
    EXPECT_TRUE(b.Rounded());
    EXPECT_EQ(b.BorderDownColor(), 0xAF987Au);
    EXPECT_EQ(b.BorderHotColor(), 0xC3CECEu);
    b.SetBorderColor(clGray);
    TRecordingCanvas c2;
    b.PaintTo(c2);
    ASSERT_EQ(c2.Count(TCanvasOp::RoundRect), 1);
    EXPECT_EQ(c2.OfKind(TCanvasOp::RoundRect)[0].rect, Rect(0, 0, 40, 32));

    b.SetLook(9); // unknown presets change nothing
    EXPECT_EQ(b.Look(), 0);
    b.SetLook(5);
    EXPECT_EQ(b.ColorDown(), 0xD8D3D2u);
    EXPECT_EQ(b.BorderHotColor(), clNone);

    // The theme adaptation picks preset 1 on a desktop without visual styles.
    b.SetAutoThemeAdapt(true);
    EXPECT_EQ(b.Look(), 1);
}

TEST(GridButton, ContentLayout)
{
    TNovaGridButton b;
    b.resize(100, 30);
    b.SetGlyph(glyph(16, 16, Qt::blue));
    TRecordingCanvas canvas;

    // No caption: the glyph sits at the top-left corner whatever the layout says.
    for (B::TButtonLayout l : {B::blGlyphLeft, B::blGlyphRight, B::blGlyphTop, B::blGlyphBottom}) {
        b.SetLayout(l);
        b.SetMargin(5);
        canvas.Clear();
        b.PaintTo(canvas);
        ASSERT_EQ(canvas.Count(TCanvasOp::Image), 1);
        EXPECT_EQ(canvas.OfKind(TCanvasOp::Image)[0].rect.Left, 0);
        EXPECT_EQ(canvas.OfKind(TCanvasOp::Image)[0].rect.Top, 0);
    }

    // Caption, margin -1, spacing 4, glyph left: glyph, gap and caption centred as one block.
    b.SetLayout(B::blGlyphLeft);
    b.SetMargin(-1);
    b.SetSpacing(4);
    b.SetCaption(QStringLiteral("Find"));
    canvas.Clear();
    b.PaintTo(canvas);
    const int T = 4 * canvas.CharWidth;
    const int clientW = 100 - 4, clientH = 30 - 4; // flat: two one-pixel insets
    const int margin = (clientW - (16 + 4 + T) + 1) / 2;
    ASSERT_EQ(canvas.Count(TCanvasOp::Image), 1);
    const TCanvasOp img = canvas.OfKind(TCanvasOp::Image)[0];
    EXPECT_EQ(img.rect.Left, 2 + margin);
    EXPECT_EQ(img.rect.Top, 2 + (clientH - 16 + 1) / 2);
    const auto texts = canvas.OfKind(TCanvasOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, QStringLiteral("Find"));
    EXPECT_EQ(texts.back().rect.Left, 2 + margin + 16 + 4);

    // Glyph right: caption first, glyph after it.
    b.SetLayout(B::blGlyphRight);
    canvas.Clear();
    b.PaintTo(canvas);
    const TCanvasOp img2 = canvas.OfKind(TCanvasOp::Image)[0];
    EXPECT_EQ(img2.rect.Left, 2 + clientW - margin - 16);
    EXPECT_LT(canvas.OfKind(TCanvasOp::Text).back().rect.Left, img2.rect.Left);

    // Right-to-left swaps left and right.
    b.SetLayout(B::blGlyphLeft);
    b.setLayoutDirection(Qt::RightToLeft);
    canvas.Clear();
    b.PaintTo(canvas);
    EXPECT_EQ(canvas.OfKind(TCanvasOp::Image)[0].rect.Left, img2.rect.Left);
    b.setLayoutDirection(Qt::LeftToRight);

    // Spread: margin and spacing -1 share the free room in three.
    b.SetSpacing(-1);
    canvas.Clear();
    b.PaintTo(canvas);
    const int third = (clientW - 16 - T) / 3;
    EXPECT_EQ(canvas.OfKind(TCanvasOp::Image)[0].rect.Left, 2 + third);
    EXPECT_EQ(canvas.OfKind(TCanvasOp::Text).back().rect.Left, 2 + third + 16 + third);
}

TEST(GridButton, GlyphsPerStateAndDisabledCaption)
{
    TNovaGridButton b;
    b.resize(60, 30);
    b.SetCaption(QStringLiteral("Go"));
    const QImage normal = glyph(8, 8, Qt::blue), hot = glyph(8, 8, Qt::green), down = glyph(8, 8, Qt::red);
    b.SetGlyph(normal);
    b.SetGlyphHot(hot);
    b.SetGlyphDown(down);

    auto drawnGlyphs = [&] {
        TRecordingCanvas c;
        b.PaintTo(c);
        return c.OfKind(TCanvasOp::Image).size();
    };
    EXPECT_EQ(drawnGlyphs(), 1u);
    hover(b, true);
    EXPECT_EQ(drawnGlyphs(), 2u); // the shadow first, then the hot glyph
    b.SetShaded(false);
    EXPECT_EQ(drawnGlyphs(), 1u);
    b.SetShaded(true);
    hover(b, false);

    // The derived disabled glyph is grey: ((r + g + b) / 3) / 2 + 96.
    const QImage dis = b.GlyphDisabled();
    ASSERT_FALSE(dis.isNull());
    EXPECT_EQ(qRed(dis.pixel(3, 3)), (255 / 3) / 2 + 96);
    EXPECT_EQ(qGreen(dis.pixel(3, 3)), qBlue(dis.pixel(3, 3)));
    // The shadow glyph is the silhouette in grey on the transparent colour.
    const QImage shade = b.GlyphShade();
    EXPECT_EQ(shade.pixel(3, 3) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(shade.pixel(0, 0), normal.pixel(0, 0));

    b.setEnabled(false);
    TRecordingCanvas c;
    b.PaintTo(c);
    EXPECT_EQ(b.State(), B::bsDisabled);
    const auto texts = c.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font.Color, clBtnHighlight);
    EXPECT_EQ(texts[1].font.Color, clBtnShadow);
    EXPECT_EQ(texts[0].rect.Left, texts[1].rect.Left + 1);
    EXPECT_EQ(texts[0].rect.Top, texts[1].rect.Top + 1);
    b.setEnabled(true);
    TRecordingCanvas c3;
    b.PaintTo(c3);
    EXPECT_EQ(b.State(), B::bsUp);
}

TEST(GridButton, TransparentGlyphPixelsAndScreenshot)
{
    QWidget host;
    host.resize(240, 40);
    host.setStyleSheet(QStringLiteral("background: white"));
    TNovaGridButton flat(&host), hot(&host), checked(&host), classic(&host);
    const TNovaGridButton *all[] = {&flat, &hot, &checked, &classic};
    int x = 4;
    for (TNovaGridButton *b : {&flat, &hot, &checked, &classic}) {
        b->setGeometry(x, 6, 54, 26);
        x += 58;
        b->SetCaption(QStringLiteral("Next"));
        b->SetGlyph(glyph(10, 10, Qt::darkGreen));
    }
    (void)all;
    flat.SetBorderColor(clGray);
    hot.SetLook(2);
    checked.SetStyle(tasCheck);
    checked.SetDown(true);
    classic.SetFlat(false);
    host.show();
    hover(hot, true);
    const QImage shot = host.grab().toImage();
    shot.scaled(shot.size() * 3).save(QStringLiteral("/tmp/grid_button.png"));
    // The glyph's magenta background is transparent: never drawn.
    for (int yy = 0; yy < shot.height(); ++yy)
        for (int xx = 0; xx < shot.width(); ++xx) ASSERT_NE(shot.pixelColor(xx, yy), QColor(Qt::magenta)) << xx << "," << yy;
    // The checked button shows its checked face colour.
    EXPECT_EQ(FromQColor(shot.pixelColor(checked.x() + 50, checked.y() + 22)), 0x808080u);
}

TEST(GridButton, CaptionAcceleratorClicks)
{
    QWidget host;
    host.resize(100, 40);
    TNovaGridButton b(&host);
    b.resize(60, 22);
    b.SetCaption(QStringLiteral("Find &next"));
    host.show();
    QApplication::setActiveWindow(&host);
    (void)QTest::qWaitForWindowActive(&host, 1000);
    int clicks = 0;
    b.OnClick = [&](QObject *) { ++clicks; };
    QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b.setEnabled(false);
    QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

// An attached action drives the caption, the enabled state, the hint and the visibility; a replaced
// or destroyed action no longer does.
TEST(GridButton, FollowsItsActionUntilReplacedOrDestroyed)
{
    Parent p;
    B b(&p.w);
    auto first = std::make_unique<QAction>(QStringLiteral("Open"));
    QAction second(QStringLiteral("Save"));
    b.SetAction(first.get());
    EXPECT_EQ(b.Caption(), QStringLiteral("Open"));

    struct Change {
        const char *name;
        std::function<void(QAction &)> change;
        std::function<bool(const B &)> followed;
    };
    const std::vector<Change> changes = {
        {"caption", [](QAction &a) { a.setText(QStringLiteral("Open file")); },
         [](const B &b) { return b.Caption() == QLatin1String("Open file"); }},
        {"enabled", [](QAction &a) { a.setEnabled(false); }, [](const B &b) { return !b.isEnabled(); }},
        {"hint", [](QAction &a) { a.setToolTip(QStringLiteral("Opens a file")); },
         [](const B &b) { return b.toolTip() == QLatin1String("Opens a file"); }},
        {"visible", [](QAction &a) { a.setVisible(false); }, [](const B &b) { return b.isHidden(); }},
    };
    // Each change is followed while the action is attached.
    for (const Change &c : changes) {
        SCOPED_TRACE(c.name);
        c.change(*first);
        EXPECT_TRUE(c.followed(b));
    }

    // A replaced action: the new one's state is taken, the old one's changes are ignored.
    b.SetAction(&second);
    EXPECT_EQ(b.Caption(), QStringLiteral("Save"));
    EXPECT_EQ(b.toolTip(), QStringLiteral("Save"));
    EXPECT_TRUE(b.isEnabled());
    EXPECT_FALSE(b.isHidden());
    first->setText(QStringLiteral("Open again"));
    first->setToolTip(QStringLiteral("Again"));
    first->setEnabled(true);
    first->setVisible(false);
    EXPECT_EQ(b.Caption(), QStringLiteral("Save"));
    EXPECT_EQ(b.toolTip(), QStringLiteral("Save"));
    EXPECT_TRUE(b.isEnabled());
    EXPECT_FALSE(b.isHidden());
    second.setEnabled(false);
    EXPECT_FALSE(b.isEnabled()) << "the new action is followed";

    // A destroyed action leaves the button as it was; a click triggers no action.
    b.SetAction(first.get());
    first->setEnabled(true);
    first->setVisible(true);
    first.reset();
    EXPECT_EQ(b.Action(), nullptr);
    second.setEnabled(false);
    second.setVisible(false);
    EXPECT_TRUE(b.isEnabled());
    EXPECT_FALSE(b.isHidden());
    int triggered = 0;
    QObject::connect(&second, &QAction::triggered, [&] { ++triggered; });
    second.setEnabled(true);
    b.Click();
    EXPECT_EQ(triggered, 0);
}
