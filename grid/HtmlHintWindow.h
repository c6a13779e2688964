#pragma once
// The grid's hint window: a frameless tool-tip window that draws its text as mini-HTML (or, for
// the wide-text escape, as one line of wide text) and stays inside the screen's available area.
// Tool-tip windows take no activation, so showing a hint never closes an open pop-up.
#include "grid/base/Canvas.h"
#include "grid/base/MarkupRenderer.h"

#include <QString>
#include <QWidget>

class THTMLHintWindow : public QWidget {
public:
    explicit THTMLHintWindow(QWidget *AOwner = nullptr);

    // Images and named pictures of marked-up hints (not owned; none at first).
    const TMarkupImageList *Images = nullptr;
    TPictureContainer *PictureContainer = nullptr;
    // Background colour of the hint.
    TColor Color = clInfoBk;

    QString Caption() const { return FCaption; }
    // A new caption repaints the window.
    void SetCaption(const QString &Value);
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }
    QString WideCaption() const { return FWideCaption; }

    // Measured size of a hint laid out MaxWidth wide: (0, 0, width, height).
    TRect CalcHintRect(int MaxWidth, const QString &AHint, QObject *AData = nullptr);
    // Takes images from a string grid given as data (anything else leaves them), then shows.
    void ActivateHintData(const TRect &ARect, const QString &AHint, QObject *AData);
    // Sizes the window to the hint from ARect's top-left (screen coordinates), keeps it on the
    // screen and shows it without activation.
    void ActivateHint(const TRect &ARect, const QString &AHint);
    // Draws background, frame and text into the client rectangle.
    void PaintTo(TCanvas &Canvas);

    // Font name of wide-text hints: the grid records its font's name when it builds a cell hint.
    static QString WideFontName();
    static void SetWideFontName(const QString &Name);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    // Measures Hint in a box MaxWidth wide; true for wide text.
    bool measure(const QString &Hint, int MaxWidth, int &W, int &H);
    void drawHintText(TCanvas &Canvas, const TRect &R);
    QString FCaption;
    QString FWideCaption;
    int FTextWidth = 0;
    int FTextHeight = 0;
};

// The program's hint window class: with HTML hints on, every control's hint (its tool tip) shows
// in one shared THTMLHintWindow as mini-HTML; off, the platform's tool tip shows it.
void SetApplicationHTMLHints(bool On);
bool ApplicationHTMLHints();
// The shared window of the HTML hints (null until a hint was shown).
THTMLHintWindow *ApplicationHintWindow();
