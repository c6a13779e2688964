#include "grid/base/GridCheckBox.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using CB = TNovaCheckBox;

struct Form {
    QWidget w;
    TNovaCheckBox *box;
    QLineEdit *next;
    Form()
    {
        w.resize(200, 80);
        box = new TNovaCheckBox(&w);
        box->setGeometry(10, 10, 120, 20);
        next = new QLineEdit(&w);
        next->setGeometry(10, 40, 120, 20);
        w.show();
        QApplication::setActiveWindow(&w);
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w, 1000);
    }
};

} // namespace

TEST(GridCheckBox, Defaults)
{
    TNovaCheckBox b;
    EXPECT_EQ(b.width(), 98);
    EXPECT_EQ(b.height(), 20);
    EXPECT_EQ(b.Caption(), QStringLiteral("TNovaCheckBox"));
    EXPECT_FALSE(b.Checked());
    EXPECT_EQ(b.State(), CB::cbUnchecked);
    EXPECT_FALSE(b.ReadOnly());
    EXPECT_FALSE(b.TabStop());
    EXPECT_FALSE(b.Transparent());
    EXPECT_FALSE(b.Ellipsis());
    EXPECT_EQ(b.ButtonVertAlign(), CB::tlTop);
    EXPECT_EQ(b.Alignment(), taLeftJustify);
    EXPECT_EQ(b.Color(), clWindow);
    EXPECT_TRUE(b.ParentColor());
}

TEST(GridCheckBox, MouseClicksToggleAndFireClick)
{
    Form f;
    int clicks = 0;
    f.box->OnClick = [&](QObject *s) {
        EXPECT_EQ(s, f.box);
        ++clicks;
    };
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(f.box->hasFocus()); // a click focuses it even without TabStop
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(60, 8));
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(clicks, 2);

    // Pressed, then released outside: nothing happens.
    QTest::mousePress(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(f.box->Down());
    QTest::mouseMove(f.box, QPoint(5, 60));
    EXPECT_FALSE(f.box->Down());
    QTest::mouseMove(f.box, QPoint(5, 8));
    EXPECT_TRUE(f.box->Down());
    QTest::mouseMove(f.box, QPoint(300, 8));
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, QPoint(300, 8));
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(clicks, 2);

    // Read-only: no change, but the click still fires.
    f.box->SetReadOnly(true);
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(clicks, 3);
    f.box->SetReadOnly(false);

    // The right button does nothing.
    QTest::mouseClick(f.box, Qt::RightButton, {}, QPoint(5, 8));
    EXPECT_EQ(clicks, 3);
}

TEST(GridCheckBox, KeysSpaceAndReturnIsTab)
{
    Form f;
    f.box->setFocus();
    ASSERT_TRUE(f.box->hasFocus());
    int clicks = 0;
    f.box->OnClick = [&](QObject *) { ++clicks; };
    QTest::keyPress(f.box, Qt::Key_Space);
    EXPECT_TRUE(f.box->Down());
    EXPECT_FALSE(f.box->Checked());
    QTest::keyRelease(f.box, Qt::Key_Space);
    EXPECT_FALSE(f.box->Down());
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(clicks, 1);

    // Enter stays put without ReturnIsTab, and moves on like Tab with it.
    QTest::keyClick(f.box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(f.box->hasFocus());
    f.box->SetReturnIsTab(true);
    QTest::keyClick(f.box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(f.next->hasFocus());
    EXPECT_EQ(clicks, 1);
}

TEST(GridCheckBox, AcceleratorTogglesAndFocusesATabStop)
{
    Form f;
    f.next->setFocus();
    f.box->SetCaption(QStringLiteral("&Match case"));
    f.box->SetTabStop(true);
    QTest::keyClick(&f.w, Qt::Key_M, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_TRUE(f.box->Checked());
    EXPECT_TRUE(f.box->hasFocus());
}

TEST(GridCheckBox, StatesAndGlyphPlacement)
{
    TNovaCheckBox b;
    b.resize(120, 40);
    b.SetState(CB::cbGrayed);
    EXPECT_FALSE(b.Checked());
    EXPECT_EQ(b.checkState(), Qt::PartiallyChecked);
    b.SetChecked(true);
    EXPECT_EQ(b.State(), CB::cbChecked);
    EXPECT_EQ(b.checkState(), Qt::Checked);

    struct Case { CB::TTextLayout v; TAlignment a; TRect glyph; };
    const Case cases[] = {
        {CB::tlTop, taLeftJustify, Rect(0, 4, 13, 17)},
        {CB::tlCenter, taLeftJustify, Rect(0, 14, 13, 27)},
        {CB::tlBottom, taLeftJustify, Rect(0, 23, 13, 36)},
        {CB::tlTop, taRightJustify, Rect(107, 4, 120, 17)},
    };
    for (const Case &c : cases) {
        b.SetButtonVertAlign(c.v);
        b.SetAlignment(c.a);
        EXPECT_EQ(b.GlyphRect(), c.glyph);
    }
}

TEST(GridCheckBox, CaptionPlacementColoursAndFocusFrame)
{
    TNovaCheckBox b;
    b.resize(120, 20);
    b.SetCaption(QStringLiteral("Highlight"));
    TRecordingCanvas c;
    b.PaintTo(c);
    auto texts = c.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect.Left, 15);
    EXPECT_EQ(texts[0].rect.Top, 4);
    EXPECT_EQ(texts[0].font.Color, clWindowText);
    EXPECT_FALSE(texts[0].flags & DT_END_ELLIPSIS);
    EXPECT_EQ(c.Count(TCanvasOp::Pixel), 0); // no tick when unchecked

    b.SetChecked(true);
    b.SetAlignment(taRightJustify);
    b.SetEllipsis(true);
    c.Clear();
    b.PaintTo(c);
    texts = c.OfKind(TCanvasOp::Text);
    EXPECT_EQ(texts[0].rect, Rect(6, 4, 111, 20));
    EXPECT_TRUE(texts[0].flags & DT_END_ELLIPSIS);
    EXPECT_EQ(c.Count(TCanvasOp::Pixel), 21); // the tick: 7 columns of 3 pixels
    for (const TCanvasOp &px : c.OfKind(TCanvasOp::Pixel)) {
        EXPECT_GE(px.rect.Left, 107 + 3);
        EXPECT_LE(px.rect.Left, 107 + 9);
    }

    b.setEnabled(false);
    c.Clear();
    b.PaintTo(c);
    texts = c.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font.Color, clWhite);
    EXPECT_EQ(texts[1].font.Color, clGray);
    EXPECT_EQ(texts[0].rect.Left, texts[1].rect.Left + 1);
    b.setEnabled(true);

    // A focused box frames its caption: left - 2 .. left + width + 1, top .. top + height + 1.
    Form f;
    f.box->SetCaption(QStringLiteral("Case"));
    f.box->setFocus();
    ASSERT_TRUE(f.box->hasFocus());
    TRecordingCanvas fc;
    f.box->PaintTo(fc);
    const auto frames = fc.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, Rect(15 - 2, 4, 15 + 4 * fc.CharWidth + 2, 4 + fc.LineHeight + 2));
    EXPECT_EQ(frames[0].pen.Style, psDot);
}

TEST(GridCheckBox, TransparentBoxShowsItsParentAndScreenshot)
{
    QWidget host;
    host.resize(260, 70);
    host.setAutoFillBackground(true);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(200, 230, 200));
    host.setPalette(pal);
    TNovaCheckBox plain(&host), transparent(&host), cached(&host), off(&host);
    plain.setGeometry(5, 5, 120, 20);
    plain.SetCaption(QStringLiteral("Match case"));
    plain.SetChecked(true);
    transparent.setGeometry(5, 35, 120, 20);
    transparent.SetCaption(QStringLiteral("Highlight"));
    transparent.SetTransparent(true);
    cached.setGeometry(130, 5, 120, 20);
    cached.SetCaption(QStringLiteral("Cached"));
    cached.SetTransparent(true);
    cached.SetTransparentChaching(true);
    cached.SetChecked(true);
    off.setGeometry(130, 35, 120, 20);
    off.SetCaption(QStringLiteral("Disabled"));
    off.setEnabled(false);
    host.show();
    const QImage shot = host.grab().toImage();
    shot.scaled(shot.size() * 3).save(QStringLiteral("/tmp/grid_checkbox.png"));
    const QColor green(200, 230, 200);
    EXPECT_EQ(shot.pixelColor(110, 38), green);  // transparent: the parent shows through
    EXPECT_EQ(shot.pixelColor(240, 8), green);   // cached background too
    EXPECT_EQ(shot.pixelColor(110, 8), green);   // parent colour taken over by default
    // The box interior is the window colour when checked and enabled.
    EXPECT_EQ(FromQColor(shot.pixelColor(5 + 2, 5 + 4 + 2)), ColorToRGB(clWindow));
    // and the tick is drawn in the text colour.
    EXPECT_EQ(FromQColor(shot.pixelColor(5 + 3, 5 + 4 + 3 + 2)), ColorToRGB(clWindowText));
}
