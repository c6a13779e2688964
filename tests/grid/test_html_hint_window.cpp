#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/base/VedAzirText.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TRect screenArea()
{
    return TRect::FromQRect(QGuiApplication::primaryScreen()->availableGeometry());
}

TRect windowRect(const QWidget &w)
{
    return TRect::FromQRect(w.geometry());
}

TColor rgbOf(TColor c)
{
    const QColor q = ToQColor(c);
    return TColor(q.red() | (q.green() << 8) | (q.blue() << 16));
}

} // namespace

TEST(HtmlHintWindow, SizeIsTheMeasuredTextPlusItsMargins)
{
    THTMLHintWindow hint;
    const QString html = QStringLiteral("cw=<b>80</b>");
    const TRect m = hint.CalcHintRect(200, html);
    EXPECT_EQ(m.Left, 0);
    EXPECT_GT(m.Width(), 0);
    EXPECT_GT(m.Height(), 0);
    hint.ActivateHint(TRect{20, 30, 20, 30}, html);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Caption(), html);
    EXPECT_EQ(hint.TextWidth(), m.Width());
    EXPECT_EQ(hint.TextHeight(), m.Height());
    EXPECT_EQ(windowRect(hint), (TRect{20, 30, 20 + m.Width() + 16, 30 + m.Height() + 4}));

    // Wide text gets 8 pixels of margin instead of 16.
    const QString wide = EncodeWideText(QStringLiteral("Row : 12"));
    const TRect mw = hint.CalcHintRect(1008, wide);
    hint.ActivateHint(TRect{20, 30, 20, 30}, wide);
    EXPECT_EQ(hint.WideCaption(), QStringLiteral("Row : 12"));
    EXPECT_EQ(windowRect(hint).Width(), mw.Width() + 8);
}

// Where a hint of a given width lands when activated at a given point, relative to the screen.
TEST(HtmlHintWindow, StaysInsideTheScreen)
{
    const TRect area = screenArea();
    struct Case {
        const char *name;
        int chars;      // length of a one-line wide-text hint
        int x, y;       // activation point, relative to the area's top-left
        bool fromRight; // x is measured back from the area's right edge
        bool fromBottom;
    };
    const Case cases[] = {
        {"fits where it is put", 4, 10, 10, false, false},
        {"past the right edge ends 2 pixels inside it", 10, 20, 10, true, false},
        {"placed far right at 2000 ends 2 pixels inside", 10, 2000, 10, false, false},
        {"past the bottom ends 2 pixels above it", 4, 10, 5, false, true},
        {"wider than the screen starts at its left edge", 400, 10, 10, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        THTMLHintWindow hint;
        const QString text = EncodeWideText(QString(c.chars, QLatin1Char('W')));
        const TRect m = hint.CalcHintRect(100000, text);
        const int w = m.Width() + 8, h = m.Height() + 4;
        const int x = c.fromRight ? area.Right - c.x : area.Left + c.x;
        const int y = c.fromBottom ? area.Bottom - c.y : area.Top + c.y;
        hint.ActivateHint(TRect{x, y, x, y}, text);
        const TRect r = windowRect(hint);
        EXPECT_EQ(r.Width(), w);
        EXPECT_EQ(r.Height(), h);
        EXPECT_GE(r.Left, area.Left);
        if (w <= area.Width() - 2) {
            EXPECT_LE(r.Right, area.Right - 2);
            if (x + w <= area.Right - 2)
                EXPECT_EQ(r.Left, x);
            else
                EXPECT_EQ(r.Right, area.Right - 2);
        } else {
            EXPECT_EQ(r.Left, area.Left);
        }
        if (y + h <= area.Bottom - 2)
            EXPECT_EQ(r.Top, y);
        else
            EXPECT_EQ(r.Bottom, area.Bottom - 2);
    }
}

TEST(HtmlHintWindow, WideTextIsDrawnOnOneLineWithTheRecordedFont)
{
    THTMLHintWindow::SetWideFontName(QStringLiteral("Courier"));
    THTMLHintWindow hint;
    const QString wideText = QString(300, QChar(0x263A)) + QStringLiteral(" end");
    hint.ActivateHint(TRect{0, 0, 0, 0}, EncodeWideText(wideText));
    TRecordingCanvas rec;
    hint.PaintTo(rec);
    const auto texts = rec.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, wideText);
    EXPECT_TRUE(texts[0].flags & DT_SINGLELINE);
    EXPECT_TRUE(texts[0].flags & DT_NOPREFIX);
    EXPECT_EQ(texts[0].font.Name, QStringLiteral("Courier"));
    THTMLHintWindow::SetWideFontName(QString());
}

TEST(HtmlHintWindow, PaintsHintColourAndA3DFrame)
{
    THTMLHintWindow hint;
    hint.Color = TColor(0x80FFFF);
    hint.ActivateHint(TRect{0, 0, 0, 0}, QStringLiteral("<b>bold</b> text"));
    const int w = hint.width(), h = hint.height();
    TImageCanvas img(w, h, clBlack);
    hint.PaintTo(img);
    img.End();
    EXPECT_EQ(img.PixelAt(0, 0), rgbOf(cl3DLight));
    EXPECT_EQ(img.PixelAt(0, h - 3), rgbOf(cl3DLight));
    EXPECT_EQ(img.PixelAt(w - 2, 0), rgbOf(cl3DLight));
    EXPECT_EQ(img.PixelAt(0, h - 1), rgbOf(cl3DDkShadow));
    EXPECT_EQ(img.PixelAt(w - 1, h - 1), rgbOf(cl3DDkShadow));
    EXPECT_EQ(img.PixelAt(w - 1, 1), rgbOf(cl3DDkShadow));
    EXPECT_EQ(img.PixelAt(2, 1), TColor(0x80FFFF));
    // Some text was drawn inside.
    int dark = 0;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            dark += img.PixelAt(x, y) != TColor(0x80FFFF);
    EXPECT_GT(dark, 10);
}

TEST(HtmlHintWindow, TakesImagesOnlyFromAGrid)
{
    TMarkupImageList own, gridImages;
    THTMLHintWindow hint;
    hint.Images = &own;
    QObject notAGrid;
    hint.ActivateHintData(TRect{0, 0, 0, 0}, QStringLiteral("x"), &notAGrid);
    EXPECT_EQ(hint.Images, &own);
    hint.ActivateHintData(TRect{0, 0, 0, 0}, QStringLiteral("x"), nullptr);
    EXPECT_EQ(hint.Images, &own);

    TNovaStringGrid grid;
    grid.SetGridImages(&gridImages);
    hint.ActivateHintData(TRect{0, 0, 0, 0}, QStringLiteral("x"), &grid);
    EXPECT_EQ(hint.Images, &gridImages);
}

TEST(HtmlHintWindow, ShowingDoesNotCloseAnOpenPopup)
{
    QWidget window;
    window.resize(200, 100);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget popup(&window, Qt::Popup);
    popup.resize(80, 60);
    popup.show();
    QApplication::processEvents();
    ASSERT_TRUE(popup.isVisible());

    THTMLHintWindow hint;
    hint.ActivateHint(TRect{300, 300, 300, 300}, QStringLiteral("Row : 5"));
    QApplication::processEvents();
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(popup.isVisible());
    EXPECT_FALSE(hint.isActiveWindow());
}

// With HTML hints on, any control's hint shows as mini-HTML in the shared hint window; off, the
// platform's tool tip takes it again.
TEST(HtmlHintWindow, UseHTMLHintsSwitchesTheProgramsHintWindow)
{
    TNovaStringGrid g;
    QWidget label;
    label.setToolTip(QStringLiteral("<b>bold</b> hint"));
    label.resize(100, 30);
    label.show();
    auto ask = [&] {
        QHelpEvent e(QEvent::ToolTip, QPoint(5, 5), label.mapToGlobal(QPoint(5, 5)));
        return QApplication::sendEvent(&label, &e) && e.isAccepted();
    };
    g.SetUseHTMLHints(true);
    EXPECT_TRUE(g.UseHTMLHints());
    ask();
    THTMLHintWindow *w = ApplicationHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Caption(), QStringLiteral("<b>bold</b> hint"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_FALSE(w->isVisible());
    g.SetUseHTMLHints(false);
    EXPECT_FALSE(ApplicationHTMLHints());
    EXPECT_EQ(ApplicationHintWindow(), nullptr);
}

