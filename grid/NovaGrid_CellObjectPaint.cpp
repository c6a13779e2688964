// Painting the cell objects: images of the grid's list, pictures, progress bars of three kinds,
// pies, range indicators, shapes, ratings, painted objects and rotated text.
#include "grid/NovaGrid.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/Theme.h"
#include "grid/base/VedAzirDraw.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

#include <cmath>

namespace {

// A cell value for painting: a text that is no number paints as 0 instead of failing.
double cellFloat(TNovaStringGrid &g, int ACol, int ARow)
{
    try {
        return g.Floats(ACol, ARow);
    } catch (const std::exception &) {
        return 0;
    }
}

int cellInt(TNovaStringGrid &g, int ACol, int ARow, bool *ok = nullptr)
{
    try {
        if (ok)
            *ok = true;
        return g.Ints(ACol, ARow);
    } catch (const std::exception &) {
        if (ok)
            *ok = false;
        return 0;
    }
}

void drawListImage(TCanvas &K, const TMarkupImageList *images, int index, int x, int y)
{
    if (images && index >= 0 && index < images->Count())
        K.Draw(x, y, images->Images[size_t(index)]);
}

// The desktop's progress bar, drawn by the platform style; false when there is no painter.
bool themedProgress(TCanvas &K, const TRect &r, int percent)
{
    QPainter *p = K.Painter();
    if (!p)
        return false;
    QStyleOptionProgressBar opt;
    opt.rect = r.ToQRect();
    opt.minimum = 0;
    opt.maximum = 100;
    opt.progress = percent;
    opt.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    QApplication::style()->drawControl(QStyle::CE_ProgressBar, &opt, p);
    return true;
}

} // namespace

TPoint TNovaStringGrid::RotatedTextOrigin(const TRect &R, TAlignment HA, TVAlignment VA, int Angle, int W, int H)
{
    const double rad = Angle * M_PI / 180.0;
    const int A = std::abs(int(std::trunc(std::cos(rad) * H)));
    const int B = std::abs(int(std::trunc(std::sin(rad) * W)));
    const int C = std::abs(int(std::trunc(std::sin(rad) * H)));
    const int D = std::abs(int(std::trunc(std::cos(rad) * W)));
    const int w = R.Width(), h = R.Height();
    const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle > 270 ? 4 : 3;
    // Per quadrant: x for left, right and centred text; y for top, centred and bottom.
    int x = R.Left, y = R.Top;
    switch (quadrant) {
    case 1:
        x = HA == taRightJustify ? R.Right - D - C : HA == taCenter ? R.Left + (w - C - D) / 2 : R.Left;
        y = VA == vtaBottom ? R.Bottom - A : VA == vtaCenter ? R.Top + B - (A + B - h) / 2 : R.Top + B;
        break;
    case 2:
        x = HA == taRightJustify ? R.Right - C : HA == taCenter ? R.Right - (C + w - D) / 2 : R.Left + D;
        y = VA == vtaBottom ? R.Bottom : VA == vtaCenter ? R.Top + A + B - (A + B - h) / 2 : R.Top + A + B;
        break;
    case 3:
        x = HA == taRightJustify ? R.Right : HA == taCenter ? R.Right - (w - C - D) / 2 : R.Left + C + D;
        y = VA == vtaBottom ? R.Bottom - B : VA == vtaCenter ? R.Top + A - (A + B - h) / 2 : R.Top + A;
        break;
    default:
        x = HA == taRightJustify ? R.Right - D : HA == taCenter ? R.Left + (C + w - D) / 2 : R.Left + C;
        y = VA == vtaBottom ? R.Bottom - A - B : VA == vtaCenter ? R.Top - (A + B - h) / 2 : R.Top;
        break;
    }
    return {x, y};
}

TPoint TNovaStringGrid::PositionRotatedText(TCanvas &Canvas, const TRect &CellRect, TAlignment HA, TVAlignment VA,
                                            int Angle, const QString &Text)
{
    // Measured upright, in the cell's font.
    const TFont font = Canvas.Font;
    Canvas.Font.Orientation = 0;
    const TPoint extent = Canvas.TextExtent(Text);
    Canvas.Font = font;
    return RotatedTextOrigin(CellRect.Inflate(-2, -2), HA, VA, Angle, extent.X, extent.Y);
}

bool TNovaStringGrid::DrawCellObject(TCanvas &K, TCellGraphic &G, const TRect &Cell, const TRect &Work,
                                     const TRect &Placed, int RCol, int ARow, TAlignment HA, TVAlignment VA,
                                     bool Selected)
{
    const int x = Placed.Left, y = Placed.Top;
    const int marginX = FControlLook->ProgressMarginX(), marginY = FControlLook->ProgressMarginY();
    switch (G.CellType()) {
    case ctImageList:
        drawListImage(K, GetGridImageList(), G.CellIndex(), x, y);
        return true;
    case ctDataImage: {
        bool ok = false;
        const int value = cellInt(*this, RCol, ARow, &ok);
        if (ok)
            drawListImage(K, GetGridImageList(), value + G.CellIndex(), x, y);
        return true;
    }
    case ctImages: {
        const TMarkupImageList *images = GetGridImageList();
        const TIntList *indexes = G.CellBitmap().As<TIntList>();
        if (!images || !indexes)
            return true;
        int ix = x, iy = y;
        for (int i = 0; i < indexes->Count(); ++i) {
            drawListImage(K, images, indexes->Items(i), ix, iy);
            if (G.CellBoolean())
                ix += images->Width;
            else
                iy += images->Height;
        }
        return true;
    }
    case ctPicture:
        if (const THTMLPicture *p = G.CellBitmap().As<THTMLPicture>(); p && p->Decoded()) {
            if (G.CellAngle() != 0)
                K.StretchDraw(Placed, p->Image());
            else
                K.Draw(x, y, p->Image());
        }
        return true;
    case ctFilePicture:
        if (const TFilePicture *p = G.CellBitmap().As<TFilePicture>())
            p->DrawPicture(K, Placed);
        return true;
    case ctProgress: {
        const double value = cellFloat(*this, RCol, ARow);
        const TControlStyle style = FControlLook->ControlStyle();
        const TBrush brush = K.Brush;
        const TFont font = K.Font;
        if ((style == csWinXP || style == csTheme) && ThemedControls() && FControlLook->ProgressXP()) {
            const TRect r{Work.Left + marginX, Work.Top + marginY, Work.Right - marginX, Work.Bottom - marginY};
            if (themedProgress(K, r, int(std::lround(std::clamp(value, 0.0, 100.0)))))
                return true;
        }
        const TColor fg = G.CellBitmap().AsColor();
        const TColor bk = G.CellIcon().AsColor();
        // Without colours of its own the text takes the inverse of the part it stands on.
        const TColor fgText = G.CellBoolean() ? TColor(G.CellIndex()) : (ColorToRGB(fg) ^ 0xFFFFFF);
        const TColor bkText = G.CellBoolean() ? TColor(G.CellAngle()) : (ColorToRGB(bk) ^ 0xFFFFFF);
        // The value text centred in the bar (its top at the middle would fall out of the bar).
        DrawProgressBar(K, Work.Inflate(-2, -2), fg, fgText, bk, bkText, value, marginX, marginY, G.CellErrFrom(),
                        G.CellErrLen(), G.CellText(), FControlLook->ProgressBorderColor(), false);
        K.Brush = brush;
        K.Font = font;
        return true;
    }
    case ctProgressPie: {
        const TBrush brush = K.Brush;
        const TPen pen = K.Pen;
        DrawProgressPie(K, {x, y, x + 20, y + 20}, G.CellBitmap().AsColor(), G.CellAngle(), true);
        K.Brush = brush;
        K.Pen = pen;
        return true;
    }
    case ctRangeIndicator: {
        const TBrush brush = K.Brush;
        const TPen pen = K.Pen;
        const TFont font = K.Font;
        const TRect r{Work.Left + marginX, Work.Top + marginY, Work.Right - marginX, Work.Bottom - marginY};
        DrawRangeIndicator(K, r, cellInt(*this, RCol, ARow), G.CellBitmap().AsColor(), G.CellIcon().AsColor(),
                           G.CellBoolean(), G.CellIndex());
        K.Brush = brush;
        K.Pen = pen;
        K.Font = font;
        return true;
    }
    case ctXPProgress: {
        TProgressAppearanceData ap;
        const TGridProgressAppearance &pa = *FProgressAppearance;
        ap.Level0Color = pa.Level0Color();
        ap.Level0ColorTo = pa.Level0ColorTo();
        ap.Level1Color = pa.Level1Color();
        ap.Level1ColorTo = pa.Level1ColorTo();
        ap.Level2Color = pa.Level2Color();
        ap.Level2ColorTo = pa.Level2ColorTo();
        ap.Level3Color = pa.Level3Color();
        ap.Level3ColorTo = pa.Level3ColorTo();
        ap.Level1Perc = pa.Level1Perc();
        ap.Level2Perc = pa.Level2Perc();
        ap.BorderColor = pa.BorderColor();
        ap.ShowBorder = pa.ShowBorder();
        ap.Stacked = pa.Stacked();
        ap.ShowPercentage = pa.ShowPercentage();
        ap.CompletionSmooth = pa.CompletionSmooth();
        ap.ShowGradient = pa.ShowGradient();
        ap.CompleteFontColor = pa.CompleteFontColor();
        ap.Steps = pa.Steps();
        ap.UnCompleteColor = pa.UnCompleteColor() == clNone ? K.Brush.Color : pa.UnCompleteColor();
        ap.Font = Font();
        // An empty range (minimum equal to maximum) shows nothing done rather than dividing by it.
        const int span = G.CellErrLen() - G.CellErrFrom();
        const int value = cellInt(*this, RCol, ARow);
        const int percent = span != 0 ? int(std::lround(std::abs(value - G.CellErrFrom()) * 100.0 / span)) : 0;
        const TBrush brush = K.Brush;
        const TPen pen = K.Pen;
        const TFont font = K.Font;
        const TRect r{Work.Left + marginX, Work.Top + marginY, Work.Right - marginX - 1, Work.Bottom - marginY - 1};
        DrawStyledProgressBar(K, r, std::clamp(percent, 0, 100), ap);
        K.Brush = brush;
        K.Pen = pen;
        K.Font = font;
        return true;
    }
    case ctShape: {
        const TBrush brush = K.Brush;
        const TPen pen = K.Pen;
        DrawCellShape(K, x, y, Placed.Width() - 1, Placed.Height() - 1, G.CellAngle(), TColor(G.CellIndex()),
                      G.CellBitmap().AsColor());
        K.Brush = brush;
        K.Pen = pen;
        return true;
    }
    case ctRating: {
        // The value counts in halves: 3.7 shows three stars, a half star and the rest empty.
        const double value = std::floor(cellFloat(*this, RCol, ARow) * 2) / 2;
        const TColor fill = TColor(G.CellIndex());
        const TColor empty = G.CellBitmap().AsColor();
        const TBrush brush = K.Brush;
        const TPen pen = K.Pen;
        for (int i = 1; i <= G.CellAngle(); ++i) {
            const int sx = x + (i - 1) * 18;
            const bool full = i <= value;
            DrawCellShape(K, sx, y, 16, 16, csStar, full ? fill : empty, full ? fill : empty);
            if (!full && i - 0.5 == value)
                DrawCellShape(K, sx, y, 16, 16, csHalfStar, fill, fill);
        }
        K.Brush = brush;
        K.Pen = pen;
        return true;
    }
    case ctInterface:
        if (TInterfacedPersistent *o = G.CellBitmap().As<TInterfacedPersistent>())
            o->Draw(K, {Cell.Left - 1, Cell.Top - 1, Cell.Right, Cell.Bottom}, RCol, ARow, Selected, this);
        return true;
    case ctRotated: {
        const QString text = Cells(RCol, ARow);
        const TPoint at = PositionRotatedText(K, Cell, HA, VA, G.CellAngle(), text);
        const TFont font = K.Font;
        const TBrush brush = K.Brush;
        K.Brush.Style = bsClear;
        K.Font.Orientation = G.CellAngle() * 10;
        K.TextOut(at.X, at.Y, text);
        K.Font = font;
        K.Brush = brush;
        if (IsSortIndicatorCell(RCol, ARow) && RCol == FSortSettings->Column())
            PaintSortIndicator(K, RCol, Cell.Top + 8, Cell.Right - 10);
        return true;
    }
    default:
        return false;
    }
}
