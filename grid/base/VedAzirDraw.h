#pragma once
// Drawing routines for the non-text parts of grid cells: colour arithmetic, gradients and
// gradient backgrounds, the rounded selection box, progress bars and pies, range indicators,
// cell shapes, cell buttons, the error underline and transparent bitmaps. Each routine sets
// pen, brush and font colours as it needs and leaves them so.
#include "grid/base/Canvas.h"
#include "platform/Colors.h"

#include <QImage>
#include <QString>
#include <cstdint>

class QWidget;

// Rounds half to even, as every rounding of the grid library does.
int RoundHalfEven(double v);

TColor HalveColor(TColor c);
TColor ChangeColorBrightness(TColor c, int percent);
// Note the order: minimum, maximum, then position.
TColor InterpolateColor(TColor c1, TColor c2, int minimum, int maximum, int position);

void DrawGradient(TCanvas &canvas, TColor fromColor, TColor toColor, int steps, const TRect &r, bool horizontal);
void DrawGradientBackground(TCanvas &canvas, const TRect &r, TColor color, TColor colorTo, TColor mirrorColor,
                            TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill);
void FillRectColor(TCanvas &canvas, const TRect &r, TColor color);

// openSide: 0 both side edges drawn, 1 only the left edge, 2 only the right edge, 3 neither.
void DrawStyledSelection(TCanvas &canvas, TColor color, TColor colorTo, TColor mirrorColor, TColor mirrorColorTo,
                         TColor upperInnerColor, TColor lowerInnerColor, TColor borderColor, TColor cornerInnerColor,
                         TColor cornerColor, const TRect &r, int openSide);

void DrawProgressBar(TCanvas &canvas, const TRect &r, TColor doneColor, TColor doneTextColor, TColor remainingColor,
                     TColor remainingTextColor, double position, int marginX, int marginY, int minimum, int maximum,
                     const QString &format, TColor frameColor, bool textOffset);

struct TProgressAppearanceData {
    TColor Level0Color = 0x00C000, Level0ColorTo = 0x00E000;
    TColor Level1Color = 0x00FFFF, Level1ColorTo = 0x80FFFF;
    TColor Level2Color = 0x0080FF, Level2ColorTo = 0x80C0FF;
    TColor Level3Color = 0x0000FF, Level3ColorTo = 0x8080FF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont Font;
    TColor CompleteFontColor = clBlue;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor UnCompleteColor = clWhite;
    bool Vertical = false;
};
void DrawStyledProgressBar(TCanvas &canvas, const TRect &r, int percent, const TProgressAppearanceData &appearance);
void DrawProgressPie(TCanvas &canvas, const TRect &r, TColor fillColor, int percent, bool fillPointFlag);
void DrawRangeIndicator(TCanvas &canvas, const TRect &r, int value, int range, bool transparentText, TColor negColor,
                        TColor posColor);

enum TCellShape : std::uint8_t {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond, csLineVert,
    csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown, csArrowLeft,
    csArrowRight, csHalfStar
};
// Note the order: width, height, shape, then the fill (brush) and outline (pen) colours.
void DrawCellShape(TCanvas &canvas, int x, int y, int width, int height, int shape, TColor brushColor, TColor penColor);

// Colours of the custom button look: five groups of fill, border and glyph colours in the order
// normal, (unused), down, hot, disabled.
struct TButtonTones {
    TColor Fill[5] = {clBtnFace, clBtnFace, clBtnShadow, cl3DLight, clBtnFace};
    TColor Border[5] = {clBtnShadow, clBtnShadow, cl3DDkShadow, clBtnShadow, clBtnShadow};
    TColor Glyph[5] = {clBlack, clBlack, clBlack, clBlack, clGrayText};
};
// look: 0 themed, 1 classic, 2 flat, 3 custom tones; state: 0 normal, 1 hot, 2 down, 3 disabled.
// Without visual styles the themed look draws the classic one.
void DrawComboButton(TCanvas &canvas, QWidget *window, const TRect &cell, int look, int state, const TButtonTones &tones);
void DrawCellButton(TCanvas &canvas, QWidget *window, const TRect &cell, int look, int state, const TButtonTones &tones);
void DrawSpinButtons(TCanvas &canvas, QWidget *window, const TRect &cell, int look, int state, const TButtonTones &tones);
void DrawDropDownArrow(TCanvas &canvas, int x, int y, TColor color);

// Red zigzag under characters start .. start + length - 1 (1-based) of a one-line text drawn in r.
void DrawErrorUnderline(QWidget *owner, TCanvas &canvas, const QString &text, const TRect &r, int yOffset, int start,
                        int length);

void DrawBitmapTransparent(TCanvas &canvas, const QImage &bitmap, TColor backColor, const TRect &r);
// The bitmap is looked up among the program's resources (":/name", ":/name.bmp", ":/name.png").
void DrawResourceBitmapTransparent(TCanvas &canvas, TColor backColor, const TRect &r, const QString &resName);

// Layered-window calls; this platform has no such functions, so they answer true. An alpha
// request (flag 2) is applied as the window's opacity; a focus window also shows the image.
bool CallSetLayeredWindowAttributes(QWidget *window, TColor keyColor, std::uint8_t alpha, unsigned flags);
bool CallUpdateLayeredWindow(QWidget *window, const QImage &image, std::uint8_t alpha);

// Fills r with steps bands (fewer than 1 count as 1) from fromColor to toColor, left to right when
// horizontal, else top to bottom. The far column (horizontal) or row (vertical) of r stays unpainted;
// neighbouring bands overlap by one pixel. System colours are resolved first.
void DrawGradientRect(TCanvas &canvas, TColor fromColor, TColor toColor, int steps, const TRect &r, bool horizontal);
// Each byte of the RGB value (low = red, middle = green, high = blue) scaled by (100 + percent) / 100,
// at most 100 %, rounded half to even; a zero byte becomes the percent itself (0 .. 255).
TColor BrightnessColor(TColor color, int percentLow, int percentMiddle, int percentHigh);
// Percent of Color1 and the rest of Color2, per channel of the RGB values: 100 or more gives Color1
// and less than 1 gives Color2 as they are (system colours unresolved); clNone on one side gives the other.
TColor BlendColor(TColor Color1, TColor Color2, int Percent);

// ---- the same routines with the argument order the grid's painting code passes them in ----------
inline void DrawGradient(TCanvas &canvas, TColor fromColor, TColor toColor, bool horizontal, const TRect &r, int steps)
{
    DrawGradient(canvas, fromColor, toColor, steps, r, horizontal);
}
inline void DrawGradientBackground(TCanvas &canvas, const TRect &r, TColor color, bool fill, bool sidesOnly,
                                   TColor borderColor, bool vertical, TColor mirrorColorTo, TColor mirrorColor,
                                   TColor colorTo)
{
    DrawGradientBackground(canvas, r, color, colorTo, mirrorColor, mirrorColorTo, vertical, borderColor, sidesOnly, fill);
}
inline void DrawRangeIndicator(TCanvas &canvas, const TRect &r, int value, TColor negColor, TColor posColor,
                               bool showValue, int range)
{
    DrawRangeIndicator(canvas, r, value, range, showValue, negColor, posColor);
}
inline void DrawErrorUnderline(QWidget *owner, TCanvas &canvas, const QString &text, int length, int from,
                               int lineHeight, const TRect &r)
{
    DrawErrorUnderline(owner, canvas, text, r, lineHeight, from, length);
}
