// The owner-drawn push button: properties, kinds, presets, painting, mouse, keyboard and
// dialog closing.
#include "shell/controls/LbButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QColor rgbOf(TLbColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

// A green host so that see-through pixels of a button show as green in a grab of the host.
struct Host {
    QWidget w;
    TLbButton *btn;
    Host()
    {
        w.resize(200, 80);
        w.setAutoFillBackground(true);
        QPalette pal = w.palette();
        pal.setColor(QPalette::Window, QColor(0, 255, 0));
        w.setPalette(pal);
        btn = new TLbButton(&w);
        btn->move(10, 10);
    }
    // The button's pixels as seen on the host.
    QImage shot() { return w.grab(QRect(btn->pos(), btn->size())).toImage(); }
};

// Counts clicks through both the OnClick handler and the clicked() signal.
struct ClickCounter {
    int handler = 0;
    int signal = 0;
    explicit ClickCounter(TLbButton *b)
    {
        b->OnClick = [this, b](QObject *sender) {
            EXPECT_EQ(sender, b);
            ++handler;
        };
        QObject::connect(b, &QAbstractButton::clicked, [this] { ++signal; });
    }
};

void showAndActivate(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

TEST(LbButton, StartsWithTheDocumentedValues)
{
    QWidget parent;
    QFont f(QStringLiteral("Verdana"), 8);
    parent.setFont(f);
    TLbButton b(&parent);
    EXPECT_EQ(b.size(), QSize(100, 23));
    EXPECT_EQ(b.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(b.buttonStyle(), bsNormal);
    EXPECT_EQ(b.kind(), bkCustom);
    EXPECT_EQ(b.glyphLayout(), blGlyphLeft);
    EXPECT_EQ(b.alignment(), Qt::AlignHCenter);
    EXPECT_EQ(b.color(), lbBtnFace);
    EXPECT_EQ(b.lightColor(), 0x00FFFFFFu);
    EXPECT_EQ(b.shadowColor(), 0x00808080u);
    EXPECT_EQ(b.colorWhenDown(), lbNoColor);
    EXPECT_EQ(b.hotTrackColor(), lbNoColor);
    EXPECT_EQ(b.modalResult(), 0);
    EXPECT_EQ(b.numGlyphs(), 0);
    EXPECT_TRUE(b.glyph().isNull());
    EXPECT_FALSE(b.isDefault());
    EXPECT_FALSE(b.isCancel());
    EXPECT_FALSE(b.isFlat());
    EXPECT_FALSE(b.wordWrap());
    EXPECT_FALSE(b.slowDecease());
    EXPECT_FALSE(b.useHotTrackFont());
    EXPECT_EQ(b.hotTrackFont().family(), QStringLiteral("Verdana")); // the window's font
    EXPECT_TRUE(b.text().isEmpty());
}

TEST(LbButton, GlyphSetsTheCellCountAndMakesTheKindCustom)
{
    TLbButton b;
    b.setKind(bkOK);
    b.setGlyph(QImage(60, 20, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 3);
    EXPECT_EQ(b.kind(), bkCustom);
    EXPECT_EQ(b.modalResult(), 1); // the kind's result stays
    b.setGlyph(QImage(10, 20, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 0);
    b.setGlyph(QImage());
    EXPECT_EQ(b.numGlyphs(), 0);
    EXPECT_TRUE(b.glyph().isNull());
}

TEST(LbButton, KindsSetGlyphCaptionAndModalResult)
{
    struct Case {
        TLbButtonKind kind;
        int modal;
        QString caption;
        QSize glyph;
    };
    const Case cases[] = {
        {bkOK, 1, QStringLiteral("OK"), {36, 18}},
        {bkCancel, 2, QStringLiteral("Abbrechen"), {36, 18}},
        {bkHelp, 0, QStringLiteral("Hilfe"), {36, 18}},
        {bkYes, 6, QStringLiteral("Ja"), {36, 18}},
        {bkNo, 7, QStringLiteral("Nein"), {36, 18}},
        {bkClose, 0, QString::fromUtf16(u"Schlie\u00DFen"), {36, 18}},
        {bkAbort, 3, QStringLiteral("Abbrechen"), {36, 18}},
        {bkRetry, 4, QStringLiteral("Wiederholen"), {36, 18}},
        {bkIgnore, 5, QStringLiteral("Ignorieren"), {36, 18}},
        {bkAll, 12, QStringLiteral("Alle"), {36, 19}},
    };
    for (const auto &c : cases) {
        TLbButton b;
        b.setModalResult(9);
        b.setKind(c.kind);
        EXPECT_EQ(b.kind(), c.kind);
        EXPECT_EQ(b.modalResult(), c.modal) << c.caption.toStdString();
        EXPECT_EQ(b.text(), c.caption);
        EXPECT_EQ(b.numGlyphs(), 2);
        EXPECT_EQ(b.glyph().size(), c.glyph);
        // Both cells carry a picture on a see-through ground.
        const QImage g = lbTransparentByCorner(b.glyph());
        int left = 0, right = 0;
        for (int y = 0; y < g.height(); ++y)
            for (int x = 0; x < 18; ++x) {
                left += qAlpha(g.pixel(x, y)) != 0;
                right += qAlpha(g.pixel(x + 18, y)) != 0;
            }
        EXPECT_GT(left, 8);
        EXPECT_GT(right, 8);
        EXPECT_LT(left, 18 * g.height() / 2);
    }
    TLbButton b;
    b.setKind(bkYes);
    b.setModalResult(1);
    EXPECT_EQ(b.kind(), bkCustom);
    b.setText(QStringLiteral("Keep"));
    b.setKind(bkCustom); // only stored
    EXPECT_EQ(b.text(), QStringLiteral("Keep"));
    EXPECT_EQ(b.modalResult(), 1);
}

TEST(LbButton, ColourPresetsSetTheirRowAndReadBackCustom)
{
    struct Case {
        TLbColorStyle preset;
        TLbColor color, light, shadow, down, hot;
        TLbButtonStyle style;
        bool flat;
        TLbColor font;
    };
    const Case cases[] = {
        {lcsGold, 0x0000C0C0, 0x0000FFFF, 0x00008080, lbNoColor, 0x0000DFDF, bsModern, false, 0},
        {lcsChrome, 0x00C0C0C0, 0x00FFFFFF, 0x00808080, lbNoColor, lbNoColor, bsModern, false, 0},
        {lcsBlue, 0x00FF8000, 0x00FFFF00, 0x00FF0000, lbNoColor, lbNoColor, bsModern, false, 0},
        {lcsRed, 0x000000FF, 0x00C0C0FF, 0x000000C0, lbNoColor, lbNoColor, bsModern, false, 0},
        {lcsUltraFlat1, lbBtnFace, 0x00B59284, 0x00B59284, 0x00B59284, 0x00DED3D6, bsNormal, true, 0},
        {lcsUltraFlat2, lbBtnFace, 0x00000000, 0x00000000, 0x0024DABC, 0x008CF6E4, bsNormal, true, 0},
        {lcsUltraFlatXP, 0x00D1D8DB, 0x00B59284, 0x00B59285, 0x00B59285, 0x00D2BDB6, bsNormal, true, 0},
        {lcsAqua, 0x00ECCE94, 0x00FCE6D4, 0x00000000, lbNoColor, lbNoColor, bsModern, false, 0},
        {lcsDefault, lbBtnFace, 0x00FFFFFF, 0x00808080, lbNoColor, lbNoColor, bsNormal, false, 0},
        {lcsQuicken, 0x00603000, 0x00C0C0C0, 0x00C0C0C0, 0x00AD6529, 0x00CEAE9C, bsQuicken, false, 0x00FFFFFF},
    };
    for (const auto &c : cases) {
        TLbButton b;
        b.setFlat(true);
        b.setButtonStyle(bsOld);
        b.setFontColor(0x00123456);
        b.setColorStyle(c.preset);
        SCOPED_TRACE(int(c.preset));
        EXPECT_EQ(b.colorStyle(), lcsCustom);
        EXPECT_EQ(b.color(), c.color);
        EXPECT_EQ(b.lightColor(), c.light);
        EXPECT_EQ(b.shadowColor(), c.shadow);
        EXPECT_EQ(b.colorWhenDown(), c.down);
        EXPECT_EQ(b.hotTrackColor(), c.hot);
        EXPECT_EQ(b.buttonStyle(), c.style);
        EXPECT_EQ(b.isFlat(), c.flat);
        EXPECT_EQ(b.fontColor(), c.font);
    }
    TLbButton b;
    b.setColor(0x00010203);
    b.setButtonStyle(bsOld);
    b.setColorStyle(lcsCustom); // changes nothing
    EXPECT_EQ(b.color(), 0x00010203u);
    EXPECT_EQ(b.buttonStyle(), bsOld);
}

TEST(LbButtonPaint, StylesFillFrameAndLeaveCornersSeeThrough)
{
    const QColor green(0, 255, 0);
    const TLbColor fill = 0x000000C0;  // dark red
    const TLbColor light = 0x00FFFFFF; // white
    const TLbColor shadow = 0x00800000; // navy
    struct Case {
        TLbButtonStyle style;
        QColor corner; // pixel (0, 0)
        QColor inside; // a pixel away from text and frame
    };
    const Case cases[] = {
        {bsNormal, rgbOf(light), rgbOf(fill)},
        {bsEncarta, rgbOf(light), rgbOf(fill)},
        {bsOld, rgbOf(light), rgbOf(fill)},
        {bsModern, green, rgbOf(fill)},
        {bsShape, green, green},
        {bsQuicken, green, rgbOf(fill)},
    };
    for (const auto &c : cases) {
        Host h;
        h.btn->setButtonStyle(c.style);
        h.btn->setColor(fill);
        h.btn->setLightColor(light);
        h.btn->setShadowColor(shadow);
        const QImage img = h.shot();
        SCOPED_TRACE(int(c.style));
        EXPECT_EQ(img.pixelColor(0, 0), c.corner);
        const QColor got = img.pixelColor(10, 5);
        if (c.style == bsModern) { // the gradient meets the fill colour around row H div 4
            EXPECT_NEAR(got.red(), c.inside.red(), 10);
            EXPECT_NEAR(got.green(), c.inside.green(), 10);
            EXPECT_NEAR(got.blue(), c.inside.blue(), 10);
            EXPECT_GT(img.pixelColor(10, 20).green(), 150); // lighter towards the bottom
        } else {
            EXPECT_EQ(got, c.inside);
        }
        if (c.style == bsNormal || c.style == bsEncarta) {
            EXPECT_EQ(img.pixelColor(99, 22), rgbOf(shadow)); // right and bottom edges
        }
    }
}

TEST(LbButtonPaint, PressedSwapsTheFrameAndTakesTheDownColour)
{
    Host h;
    h.btn->setColor(0x000000C0);
    h.btn->setColorWhenDown(lbProgramDown);
    h.btn->setLightColor(0x00FFFFFF);
    h.btn->setShadowColor(0x00800000);
    QTest::mousePress(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    QImage img = h.shot();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 128));     // top-left now in the shadow colour
    EXPECT_EQ(img.pixelColor(99, 22), QColor(255, 255, 255)); // bottom-right in the light colour
    EXPECT_EQ(img.pixelColor(10, 8), QColor(255, 128, 0));    // ColorWhenDown 33023
    // Dragged outside, the button no longer looks pressed.
    QTest::mouseMove(h.btn, QPoint(150, 11));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 11), QPointF(150, 11), h.btn->mapToGlobal(QPointF(150, 11)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(h.btn, &move);
    img = h.shot();
    EXPECT_EQ(img.pixelColor(10, 8), QColor(192, 0, 0));
    QTest::mouseRelease(h.btn, Qt::LeftButton, {}, QPoint(150, 11));
}

TEST(LbButtonPaint, HoverBlendsTowardsTheHotTrackColour)
{
    Host h;
    h.w.show();
    h.btn->setColor(0x00000000);
    h.btn->setHotTrackColor(lbYellow);
    int entered = 0, left = 0, enterSignals = 0;
    h.btn->OnMouseEnter = [&](QObject *) { ++entered; };
    h.btn->OnMouseExit = [&](QObject *) { ++left; };
    QObject::connect(h.btn, &TLbButton::mouseEntered, [&] { ++enterSignals; });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(h.btn, &enter);
    EXPECT_TRUE(h.btn->isCursorOnButton());
    EXPECT_EQ(h.btn->hotTrackStep(), 8);
    EXPECT_EQ(h.shot().pixelColor(10, 8), QColor(255, 255, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(h.btn, &leave);
    EXPECT_EQ(h.btn->hotTrackStep(), 0); // back at once without SlowDecease
    EXPECT_EQ(h.shot().pixelColor(10, 8), QColor(0, 0, 0));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(enterSignals, 1);
    // A disabled button takes no hover.
    h.btn->setEnabled(false);
    QApplication::sendEvent(h.btn, &enter);
    EXPECT_FALSE(h.btn->isCursorOnButton());
    EXPECT_EQ(entered, 1);
}

TEST(LbButtonPaint, GlyphCellFollowsTheStateAndFallsBackToTheFirst)
{
    // Two cells of 10 x 10: red (normal) and blue (disabled), magenta corners see-through.
    QImage strip(20, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x) strip.setPixelColor(x, y, Qt::blue);
    strip.setPixelColor(0, 9, QColor(255, 0, 255));
    strip.setPixelColor(10, 9, QColor(255, 0, 255));

    Host h;
    h.btn->setGlyph(strip);
    ASSERT_EQ(h.btn->numGlyphs(), 2);
    // No caption, centred: the glyph sits at ((100 - 10) / 2, (23 - 10) / 2) = (45, 6).
    EXPECT_EQ(h.shot().pixelColor(50, 11), QColor(Qt::red));
    EXPECT_EQ(h.shot().pixelColor(45, 15), h.shot().pixelColor(10, 8)); // corner pixel is transparent
    h.btn->setEnabled(false);
    EXPECT_EQ(h.shot().pixelColor(50, 11), QColor(Qt::blue));
    // One cell only: the disabled cell lies beyond the strip, so the normal one shows.
    h.btn->setGlyph(strip.copy(0, 0, 10, 10));
    EXPECT_EQ(h.shot().pixelColor(50, 11), QColor(Qt::red));
}

// A 10 x 10 red glyph cell whose corner pixel (the transparent colour) is magenta.
QImage redCell()
{
    QImage cell(10, 10, QImage::Format_RGB32);
    cell.fill(Qt::red);
    cell.setPixelColor(0, 9, QColor(255, 0, 255));
    return cell;
}

TEST(LbButtonPaint, GlyphAndCaptionPlacementFollowLayoutAndAlignment)
{
    const QFont f(QStringLiteral("Verdana"), 8);
    const QString caption = QStringLiteral("Go");
    const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignTop;
    const QFontMetrics fm(f);
    const int g = fm.boundingRect(QRect(0, 0, 100 - 10 - 12, 100000), flags, caption).width() + 4;
    const int th = fm.boundingRect(QRect(0, 0, 92, 100000), flags, caption).height();
    struct Case {
        TLbButtonLayout layout;
        Qt::Alignment align;
        int height;
        QPoint glyph; // top-left of the glyph cell
    };
    const Case cases[] = {
        {blGlyphLeft, Qt::AlignHCenter, 23, {45 - g / 2, 6}},
        {blGlyphLeft, Qt::AlignLeft, 23, {4, 6}},
        {blGlyphLeft, Qt::AlignRight, 23, {100 - 10 - g - 4, 6}},
        {blGlyphRight, Qt::AlignHCenter, 23, {45 + g / 2, 6}},
        {blGlyphRight, Qt::AlignLeft, 23, {4 + g, 6}},
        {blGlyphRight, Qt::AlignRight, 23, {86, 6}},
        {blGlyphTop, Qt::AlignHCenter, 50, {45, (50 - th - 14) / 2}},
        {blGlyphBottom, Qt::AlignHCenter, 50, {45, (50 - th - 14) / 2 + th}},
        {blGlyphTop, Qt::AlignLeft, 50, {4, (50 - th - 14) / 2}},
    };
    for (const auto &c : cases) {
        Host h;
        h.btn->setFont(f);
        h.btn->resize(100, c.height);
        h.btn->setText(caption);
        h.btn->setGlyph(redCell());
        h.btn->setGlyphLayout(c.layout);
        h.btn->setAlignment(c.align);
        const QImage img = h.shot();
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " align " << int(c.align));
        EXPECT_EQ(img.pixelColor(c.glyph + QPoint(0, 5)), QColor(Qt::red));
        EXPECT_EQ(img.pixelColor(c.glyph + QPoint(9, 5)), QColor(Qt::red));
        EXPECT_NE(img.pixelColor(c.glyph + QPoint(-1, 5)), QColor(Qt::red));
        EXPECT_NE(img.pixelColor(c.glyph + QPoint(10, 5)), QColor(Qt::red));
        EXPECT_NE(img.pixelColor(c.glyph + QPoint(5, -1)), QColor(Qt::red));
    }
}

TEST(LbButtonPaint, PressedContentMovesOnePixelExceptEncarta)
{
    for (TLbButtonStyle style : {bsNormal, bsEncarta}) {
        Host h;
        h.btn->setButtonStyle(style);
        h.btn->setGlyph(redCell());
        h.btn->setAlignment(Qt::AlignLeft);
        QTest::mousePress(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
        const int shift = style == bsEncarta ? 0 : 1;
        const QImage img = h.shot();
        EXPECT_EQ(img.pixelColor(4 + shift, 6 + shift + 5), QColor(Qt::red)) << style;
        EXPECT_NE(img.pixelColor(3 + shift, 6 + shift + 5), QColor(Qt::red)) << style;
        QTest::mouseRelease(h.btn, Qt::LeftButton, {}, QPoint(150, 11));
    }
}

TEST(LbButtonPaint, PopupMenuShowsTheArrow)
{
    Host h;
    h.btn->setColor(0x00FFFFFF);
    QMenu menu;
    EXPECT_NE(qGray(h.shot().pixel(91, 10)), 0);
    h.btn->setPopupMenu(&menu);
    const QImage img = h.shot();
    // The 5 x 3 arrow at (W - 11, H div 2 - 1): a downward triangle.
    EXPECT_EQ(img.pixelColor(89, 10), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(93, 10), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(91, 12), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(89, 12), QColor(Qt::white));
}

TEST(LbButtonPaint, DisabledCaptionIsGrey)
{
    auto darkest = [](const QImage &img) {
        int d = 255;
        for (int y = 3; y < img.height() - 3; ++y)
            for (int x = 3; x < img.width() - 3; ++x) d = std::min(d, qGray(img.pixel(x, y)));
        return d;
    };
    Host h;
    h.btn->setColor(0x00FFFFFF);
    h.btn->setFontColor(lbBlack);
    h.btn->setText(QStringLiteral("MMMM"));
    EXPECT_LT(darkest(h.shot()), 60);
    h.btn->setEnabled(false);
    const int d = darkest(h.shot());
    EXPECT_GE(d, 120);
    EXPECT_LE(d, 136);
}

TEST(LbButtonPaint, OldStyleWithFocusIsFramedInBlack)
{
    QDialog dlg;
    auto *b = new TLbButton(&dlg);
    auto *other = new TLbButton(&dlg);
    other->move(0, 40);
    b->setButtonStyle(bsOld);
    b->setLightColor(0x00FFFFFF);
    showAndActivate(&dlg);
    other->setFocus();
    EXPECT_EQ(b->grab().toImage().pixelColor(0, 0), QColor(Qt::white));
    b->setFocus();
    ASSERT_TRUE(b->hasFocus());
    const QImage img = b->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(99, 22), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white)); // the smaller button inside
}

// Rows of the button that hold dark (text) pixels, merged into bands.
int textBands(const QImage &img)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < img.height(); ++y) {
        bool dark = false;
        for (int x = 2; x < img.width() - 2; ++x)
            if (qGray(img.pixel(x, y)) < 100) dark = true;
        if (dark && !inBand) ++bands;
        inBand = dark;
    }
    return bands;
}

TEST(LbButtonPaint, LongCaptionIsCutUnlessWordWrapWrapsIt)
{
    Host h;
    h.btn->resize(70, 50);
    h.btn->setColor(0x00FFFFFF);
    h.btn->setLightColor(0x00FFFFFF);
    h.btn->setShadowColor(0x00FFFFFF);
    h.btn->setFontColor(lbBlack);
    h.btn->setText(QStringLiteral("Wide caption words"));
    QImage img = h.shot();
    EXPECT_EQ(textBands(img), 1);
    // Cut text stays inside the text width (62 pixels from x 4).
    for (int y = 0; y < img.height(); ++y)
        for (int x = 66; x < 70; ++x) ASSERT_GE(qGray(img.pixel(x, y)), 100) << x << "," << y;
    h.btn->setWordWrap(true);
    EXPECT_GE(textBands(h.shot()), 2);
}

TEST(LbButtonMouse, ClickCountsOnlyWhenReleasedInside)
{
    Host h;
    h.w.show();
    ClickCounter n(h.btn);
    QTest::mouseClick(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_EQ(n.handler, 1);
    EXPECT_EQ(n.signal, 1);
    EXPECT_EQ(h.w.focusWidget(), h.btn); // the press took the focus

    QTest::mousePress(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_TRUE(h.btn->isDown());
    QTest::mouseRelease(h.btn, Qt::LeftButton, {}, QPoint(150, 11)); // outside
    EXPECT_EQ(n.handler, 1);
    EXPECT_FALSE(h.btn->isDown());

    QTest::mouseClick(h.btn, Qt::RightButton, {}, QPoint(50, 11));
    EXPECT_EQ(n.handler, 1);

    h.btn->setEnabled(false);
    QTest::mouseClick(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_EQ(n.handler, 1);
}

TEST(LbButtonMouse, HiddenOrDisabledButtonNeitherClicksNorStaysPressed)
{
    Host h;
    ClickCounter n(h.btn);
    h.btn->Click(); // host never shown
    EXPECT_EQ(n.handler, 0);
    EXPECT_FALSE(h.btn->isDown());
    h.w.show();
    h.btn->setEnabled(false);
    h.btn->Click();
    EXPECT_EQ(n.handler, 0);
    EXPECT_FALSE(h.btn->isDown());
    h.btn->setEnabled(true);
    h.btn->Click();
    EXPECT_EQ(n.handler, 1);
    EXPECT_EQ(n.signal, 1);
}

TEST(LbButtonMouse, DisablingWhilePressedDropsThePress)
{
    Host h;
    h.w.show();
    ClickCounter n(h.btn);
    QTest::mousePress(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    h.btn->setEnabled(false);
    EXPECT_FALSE(h.btn->isDown());
    h.btn->setEnabled(true);
    QTest::mouseRelease(h.btn, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_EQ(n.handler, 0);
}

TEST(LbButtonKeys, EnterAndSpaceOnTheFocusedButtonClick)
{
    QDialog dlg;
    auto *b = new TLbButton(&dlg);
    ClickCounter n(b);
    showAndActivate(&dlg);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(n.handler, 3);
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->isDown()); // shown pressed until the key goes up
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(n.handler, 4);
    b->setEnabled(false);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(n.handler, 4);
}

TEST(LbButtonKeys, DefaultButtonTakesEnterUnlessAnotherPushButtonHasTheFocus)
{
    QDialog dlg;
    auto *def = new TLbButton(&dlg);
    def->setDefault(true);
    auto *check = new QCheckBox(QStringLiteral("check"), &dlg);
    auto *radio = new QRadioButton(QStringLiteral("radio"), &dlg);
    auto *edit = new QLineEdit(&dlg);
    auto *push = new QPushButton(QStringLiteral("push"), &dlg);
    push->setAutoDefault(false);
    auto *other = new TLbButton(&dlg);
    ClickCounter n(def), o(other);
    int pushed = 0;
    QObject::connect(push, &QPushButton::clicked, [&] { ++pushed; });
    showAndActivate(&dlg);

    struct Case {
        QWidget *focus;
        int defaultClicks;
    };
    const Case cases[] = {{check, 1}, {radio, 1}, {edit, 1}, {push, 0}, {other, 0}};
    int expected = 0;
    for (const auto &c : cases) {
        c.focus->setFocus();
        QTest::keyClick(c.focus, Qt::Key_Return);
        expected += c.defaultClicks;
        EXPECT_EQ(n.handler, expected) << c.focus->metaObject()->className();
    }
    EXPECT_EQ(o.handler, 1); // the focused owner-drawn button clicked itself
    EXPECT_EQ(pushed, 0);
    EXPECT_TRUE(dlg.isVisible());

    def->setEnabled(false);
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(n.handler, expected);
}

TEST(LbButtonKeys, CancelButtonTakesEscapeWithoutShiftAndClosesWithCancel)
{
    QDialog dlg;
    auto *ok = new TLbButton(&dlg);
    auto *cancel = new TLbButton(&dlg);
    cancel->setCancel(true);
    cancel->setModalResult(2);
    auto *check = new QCheckBox(QStringLiteral("check"), &dlg);
    ClickCounter n(cancel);
    showAndActivate(&dlg);
    check->setFocus();

    QTest::keyClick(check, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(n.handler, 0);
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(check, Qt::Key_Return); // not a default button
    EXPECT_EQ(n.handler, 0);

    QTest::keyClick(check, Qt::Key_Escape);
    EXPECT_EQ(n.handler, 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    Q_UNUSED(ok);
}

TEST(LbButtonKeys, AcceleratorLetterClicks)
{
    QDialog dlg;
    auto *b = new TLbButton(&dlg);
    b->setText(QStringLiteral("&Save"));
    auto *edit = new QLineEdit(&dlg);
    ClickCounter n(b);
    showAndActivate(&dlg);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(n.handler, 1);
}

TEST(LbButtonModal, ModalResultClosesItsDialogAfterOnClick)
{
    struct Case {
        int modal;
        int result;
    };
    for (const Case c : {Case{1, QDialog::Accepted}, Case{2, QDialog::Rejected}, Case{6, 6}}) {
        QDialog dlg;
        auto *b = new TLbButton(&dlg);
        b->setModalResult(c.modal);
        bool visibleInHandler = false;
        b->OnClick = [&](QObject *) { visibleInHandler = dlg.isVisible(); };
        QTimer::singleShot(20, b, [b] { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 11)); });
        const int r = dlg.exec();
        EXPECT_EQ(r, c.result);
        EXPECT_TRUE(visibleInHandler);
    }
    // ModalResult 0 leaves the dialog open.
    QDialog dlg;
    auto *b = new TLbButton(&dlg);
    dlg.show();
    b->Click();
    EXPECT_TRUE(dlg.isVisible());
}

TEST(LbButtonModal, KindCancelClosesWithCancel)
{
    QDialog dlg;
    auto *b = new TLbButton(&dlg);
    b->setKind(bkCancel);
    QTimer::singleShot(20, b, [b] { b->Click(); });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
}

TEST(LbButtonMenu, ClickDropsThePopupMenuBelowTheButton)
{
    Host h;
    h.w.show();
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    h.btn->setPopupMenu(&menu);
    h.btn->Click();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), h.btn->mapToGlobal(QPoint(0, h.btn->height())));
    menu.close();
}

TEST(LbButtonAction, FollowsItsActionAndTriggersIt)
{
    Host h;
    h.w.show();
    QPixmap icon(16, 16);
    icon.fill(Qt::blue);
    QAction act(QIcon(icon), QStringLiteral("Run"));
    act.setToolTip(QStringLiteral("Run it"));
    int triggered = 0;
    QObject::connect(&act, &QAction::triggered, [&] { ++triggered; });
    h.btn->setAction(&act);
    EXPECT_EQ(h.btn->text(), QStringLiteral("Run"));
    EXPECT_EQ(h.btn->toolTip(), QStringLiteral("Run it"));
    EXPECT_EQ(h.btn->glyph().size(), QSize(16, 16));
    EXPECT_EQ(h.btn->numGlyphs(), 1);
    h.btn->Click();
    EXPECT_EQ(triggered, 1);
    act.setEnabled(false);
    EXPECT_FALSE(h.btn->isEnabled());
    act.setText(QStringLiteral("Stop"));
    EXPECT_EQ(h.btn->text(), QStringLiteral("Stop"));
}

TEST(LbButtonFade, NoTimerOrThreadUnlessAFadeIsAskedFor)
{
    Host h;
    h.w.show();
    h.btn->setHotTrackColor(lbYellow);
    EXPECT_TRUE(h.btn->findChildren<QTimer *>().isEmpty());
    EXPECT_TRUE(h.btn->findChildren<QThread *>().isEmpty());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(h.btn, &enter);
    QApplication::sendEvent(h.btn, &leave);
    EXPECT_TRUE(h.btn->findChildren<QTimer *>().isEmpty()); // no fade asked for

    h.btn->setSlowDecease(true);
    EXPECT_TRUE(h.btn->findChildren<QTimer *>().isEmpty()); // asked for, not started yet
    QApplication::sendEvent(h.btn, &enter);
    QApplication::sendEvent(h.btn, &leave);
    EXPECT_TRUE(h.btn->isFading());
    EXPECT_EQ(h.btn->findChildren<QTimer *>().size(), 1);
    EXPECT_EQ(h.btn->hotTrackStep(), 8);
    QTest::qWait(75);
    const int mid = h.btn->hotTrackStep();
    EXPECT_LT(mid, 8);
    EXPECT_GT(mid, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.btn->isFading(); }, 2000));
    EXPECT_EQ(h.btn->hotTrackStep(), 0);

    // Switching the fade off forgets the timer.
    QApplication::sendEvent(h.btn, &enter);
    QApplication::sendEvent(h.btn, &leave);
    h.btn->setSlowDecease(false);
    EXPECT_EQ(h.btn->hotTrackStep(), 0);
    EXPECT_TRUE(h.btn->findChildren<QTimer *>().isEmpty());
}

} // namespace
