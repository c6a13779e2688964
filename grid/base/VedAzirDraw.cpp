#include "grid/base/VedAzirDraw.h"

#include "grid/base/FeedbackWindows.h"
#include "grid/base/Theme.h"
#include "platform/FormatSettings.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <cfenv>
#include <cmath>

int RoundHalfEven(double v)
{
    return int(std::nearbyint(v)); // the default rounding mode rounds half to even
}

namespace {

struct Rgb {
    int r, g, b;
};

Rgb rgbOf(TColor c)
{
    const TColor v = ColorToRGB(c);
    return {GetRValue(v), GetGValue(v), GetBValue(v)};
}

void solid(TCanvas &canvas, TColor c)
{
    canvas.Pen.Color = c;
    canvas.Brush.Color = c;
    canvas.Brush.Style = bsSolid;
}

void hline(TCanvas &canvas, int x1, int x2, int y)
{
    if (x2 <= x1)
        return;
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
}

void vline(TCanvas &canvas, int x, int y1, int y2)
{
    if (y2 <= y1)
        return;
    canvas.MoveTo(x, y1);
    canvas.LineTo(x, y2);
}

// One-argument number formatting with the platform's format letters (%d %u %x %f %e %g %n %s, width and
// precision, %% for a percent sign).
QString formatNumber(const QString &fmt, double value)
{
    const QChar dec = platform::FormatSettings::current().decimalSeparator;
    const QChar thou = platform::FormatSettings::current().thousandSeparator;
    QString out;
    int i = 0;
    const int n = int(fmt.size());
    while (i < n) {
        const QChar ch = fmt.at(i);
        if (ch != QLatin1Char('%')) {
            out += ch;
            ++i;
            continue;
        }
        ++i;
        if (i < n && fmt.at(i) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        bool left = false;
        if (i < n && fmt.at(i) == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        int width = 0;
        while (i < n && fmt.at(i).isDigit())
            width = width * 10 + fmt.at(i++).digitValue();
        int prec = -1;
        if (i < n && fmt.at(i) == QLatin1Char('.')) {
            ++i;
            prec = 0;
            while (i < n && fmt.at(i).isDigit())
                prec = prec * 10 + fmt.at(i++).digitValue();
        }
        if (i >= n)
            break;
        const QChar type = fmt.at(i++).toLower();
        QString s;
        switch (type.unicode()) {
        case 'd':
        case 'u': {
            const long long v = (long long)std::llround(value);
            s = QString::number(type == QLatin1Char('u') ? std::llabs(v) : v);
            if (prec > 0 && s.size() < prec)
                s = s.rightJustified(prec, QLatin1Char('0'));
            break;
        }
        case 'x':
            s = QString::number((qulonglong)std::llround(value), 16).toUpper();
            break;
        case 'e':
            s = QString::number(value, 'E', prec < 0 ? 15 : prec);
            s.replace(QLatin1Char('.'), dec);
            break;
        case 'g':
            s = QString::number(value, 'g', prec < 0 ? 15 : prec);
            s.replace(QLatin1Char('.'), dec);
            break;
        case 'n':
        case 'm': {
            s = QString::number(value, 'f', prec < 0 ? 2 : prec);
            const int dot = int(s.indexOf(QLatin1Char('.')));
            QString intPart = dot >= 0 ? s.left(dot) : s;
            const QString frac = dot >= 0 ? s.mid(dot + 1) : QString();
            const bool neg = intPart.startsWith(QLatin1Char('-'));
            if (neg)
                intPart.remove(0, 1);
            for (int k = int(intPart.size()) - 3; k > 0; k -= 3)
                intPart.insert(k, thou);
            s = (neg ? QStringLiteral("-") : QString()) + intPart + (frac.isEmpty() ? QString() : dec + frac);
            break;
        }
        case 's':
            s = QString::number(value);
            break;
        default: // 'f' and anything unknown
            s = QString::number(value, 'f', prec < 0 ? 2 : prec);
            s.replace(QLatin1Char('.'), dec);
            break;
        }
        if (s.size() < width)
            s = left ? s.leftJustified(width) : s.rightJustified(width);
        out += s;
    }
    return out;
}

} // namespace

TColor HalveColor(TColor c)
{
    const Rgb v = rgbOf(c);
    return RGBColor(v.r / 2, v.g / 2, v.b / 2);
}

TColor ChangeColorBrightness(TColor c, int percent)
{
    const Rgb v = rgbOf(c);
    auto ch = [percent](int x) { return RoundHalfEven(x + percent * x / 100.0) & 0xFF; };
    return RGBColor(ch(v.r), ch(v.g), ch(v.b));
}

TColor InterpolateColor(TColor c1, TColor c2, int minimum, int maximum, int position)
{
    if (c2 == clNone)
        return c1;
    if (maximum == minimum)
        return c1; // an empty range has no gradient
    const Rgb a = rgbOf(c1);
    const Rgb b = rgbOf(c2);
    auto ch = [&](int x, int y) { return std::clamp(x + RoundHalfEven(double(y - x) / (maximum - minimum) * position), 0, 255); };
    return RGBColor(ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b));
}

void DrawGradient(TCanvas &canvas, TColor fromColor, TColor toColor, int steps, const TRect &rect, bool horizontal)
{
    TRect r = rect;
    if (r.Top == r.Bottom)
        return;
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    if (fromColor == clNone || toColor == clNone) {
        const TColor c = fromColor != clNone ? fromColor : toColor;
        if (c == clNone)
            return;
        solid(canvas, c);
        canvas.FillRect(r);
        return;
    }
    const int length = (horizontal ? r.Width() : r.Height()) - 1;
    steps = std::max(1, std::min(steps, length));
    const double band = double(std::max(0, length)) / steps;
    const Rgb a = rgbOf(fromColor);
    const Rgb b = rgbOf(toColor);
    const int extent = horizontal ? r.Width() : r.Height();
    for (int i = 0; i <= steps; ++i) {
        const TColor c = RGBColor(a.r + RoundHalfEven(double(i) * (b.r - a.r) / steps),
                                  a.g + RoundHalfEven(double(i) * (b.g - a.g) / steps),
                                  a.b + RoundHalfEven(double(i) * (b.b - a.b) / steps));
        const int start = int(i * band);
        if (start >= extent)
            break;
        const int len = std::min(int(band + 1), extent - start);
        solid(canvas, c);
        if (horizontal)
            canvas.FillRect({r.Left + start, r.Top, r.Left + start + len, r.Bottom});
        else
            canvas.FillRect({r.Left, r.Top + start, r.Right, r.Top + start + len});
    }
}

void DrawGradientBackground(TCanvas &canvas, const TRect &r, TColor color, TColor colorTo, TColor mirrorColor,
                            TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill)
{
    if (fill && color != clNone) {
        if (mirrorColor == clNone) {
            if (colorTo == clNone) {
                solid(canvas, color);
                canvas.FillRect({r.Left, r.Top, r.Right, r.Bottom + 1});
            } else {
                DrawGradient(canvas, color, colorTo, 128, r, !vertical);
            }
        } else {
            TRect first = r, second = r;
            if (vertical) {
                first.Bottom = r.Top + r.Height() / 2;
                second.Top = first.Bottom;
            } else {
                first.Right = r.Left + r.Width() / 2;
                second.Left = first.Right;
            }
            DrawGradient(canvas, color, colorTo, 128, first, !vertical);
            DrawGradient(canvas, mirrorColor, mirrorColorTo, 128, second, !vertical);
        }
    }
    if (borderColor != clNone) {
        if (sidesOnly) {
            canvas.Pen.Color = borderColor;
            vline(canvas, r.Left, r.Top, r.Bottom);
            vline(canvas, r.Right - 1, r.Top, r.Bottom);
        } else {
            canvas.Brush.Color = borderColor;
            canvas.Brush.Style = bsSolid;
            canvas.FrameRect(r);
        }
    }
}

void FillRectColor(TCanvas &canvas, const TRect &r, TColor color)
{
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(r);
}

void DrawStyledSelection(TCanvas &canvas, TColor color, TColor colorTo, TColor mirrorColor, TColor mirrorColorTo,
                         TColor upperInnerColor, TColor lowerInnerColor, TColor borderColor, TColor cornerInnerColor,
                         TColor cornerColor, const TRect &r, int openSide)
{
    const bool leftEdge = openSide == 0 || openSide == 1;
    const bool rightEdge = openSide == 0 || openSide == 2;
    const int left = r.Left;
    const int top = r.Top;
    const int right = r.Right - 1;
    const int bottom = r.Bottom - 2;
    const int mid = (top + bottom) / 2;
    // Horizontal extents: inset at a drawn edge, running through the cell where the box is open.
    const int innerL = leftEdge ? left + 1 : left;
    const int innerR = rightEdge ? right - 2 : r.Right;
    const int borderL = leftEdge ? left + 2 : left;
    const int borderR = rightEdge ? right - 2 : r.Right;

    // 5. the inside first, so that the lines stay on top
    TRect inside{leftEdge ? left + 2 : left, top + 2, rightEdge ? right - 2 : r.Right, bottom - 1};
    if (!inside.IsEmpty()) {
        if (colorTo == clNone) {
            solid(canvas, color);
            canvas.FillRect(inside);
        } else if (mirrorColor == clNone) {
            DrawGradient(canvas, color, colorTo, 16, inside, false);
        } else {
            TRect upper = inside, lower = inside;
            upper.Bottom = inside.Top + inside.Height() / 2;
            lower.Top = upper.Bottom;
            DrawGradient(canvas, color, colorTo, 16, upper, false);
            DrawGradient(canvas, mirrorColor, mirrorColorTo, 16, lower, false);
        }
    }
    // 1. upper inner lines
    canvas.Pen.Color = upperInnerColor;
    canvas.Pen.Width = 1;
    hline(canvas, innerL, innerR, top + 1);
    if (leftEdge)
        vline(canvas, left + 1, top + 1, mid);
    if (rightEdge)
        vline(canvas, right - 2, top + 1, mid);
    // 2. lower inner lines
    canvas.Pen.Color = lowerInnerColor;
    hline(canvas, innerL, innerR, bottom - 1);
    if (leftEdge)
        vline(canvas, left + 1, mid, bottom);
    if (rightEdge)
        vline(canvas, right - 2, mid, bottom);
    // 3. border
    canvas.Pen.Color = borderColor;
    hline(canvas, borderL, borderR, top);
    hline(canvas, borderL, borderR, bottom);
    if (leftEdge)
        vline(canvas, left, top + 2, bottom);
    if (rightEdge)
        vline(canvas, right - 1, top + 2, bottom);
    // 4. corners
    auto corner = [&](int cx, int cy, int dx, int dy) {
        canvas.SetPixel(cx + dx, cy, cornerInnerColor);
        canvas.SetPixel(cx, cy + dy, cornerInnerColor);
        canvas.SetPixel(cx + dx, cy + dy, cornerInnerColor);
        canvas.SetPixel(cx, cy, cornerColor);
    };
    if (leftEdge) {
        corner(left, top, 1, 1);
        corner(left, bottom, 1, -1);
    }
    if (rightEdge) {
        corner(right - 1, top, -1, 1);
        corner(right - 1, bottom, -1, -1);
    }
}

void DrawProgressBar(TCanvas &canvas, const TRect &r, TColor doneColor, TColor doneTextColor, TColor remainingColor,
                     TColor remainingTextColor, double position, int marginX, int marginY, int minimum, int maximum,
                     const QString &format, TColor frameColor, bool textOffset)
{
    const TColor remembered = canvas.Brush.Color;
    solid(canvas, doneColor);
    canvas.Font.Color = doneTextColor;

    QString text;
    int percent = 0;
    if (!format.isEmpty()) {
        const bool integral = format.contains(QLatin1Char('d')) || format.contains(QLatin1Char('u'));
        text = formatNumber(format, integral ? double(RoundHalfEven(position)) : position);
        percent = maximum != minimum ? RoundHalfEven((position - minimum) * 100.0 / (maximum - minimum)) : 0;
    } else {
        text = QString::number(RoundHalfEven(position)) + QLatin1Char('%');
        percent = RoundHalfEven(position);
    }
    percent = std::clamp(percent, 0, 100);

    const TRect bar{r.Left + marginX, r.Top + marginY, r.Right - marginX, r.Bottom - marginY};
    const int doneRight = bar.Left + RoundHalfEven(percent * bar.Width() / 100.0);
    const TPoint ext = canvas.TextExtent(text);
    const int tx = bar.Left + (bar.Width() - ext.X) / 2;
    const int ty = textOffset ? bar.Top + (bar.Height() + ext.Y) / 2 : bar.Top + (bar.Height() - ext.Y) / 2;

    const TRect done{bar.Left, bar.Top, doneRight, bar.Bottom};
    if (!done.IsEmpty()) {
        canvas.FillRect(done);
        canvas.TextRect(done, tx, ty, text);
    }
    const TRect rest{doneRight, bar.Top, bar.Right, bar.Bottom};
    if (!rest.IsEmpty()) {
        solid(canvas, remainingColor);
        canvas.Font.Color = remainingTextColor;
        canvas.FillRect(rest);
        canvas.TextRect(rest, tx, ty, text);
    }
    if (frameColor != clNone) {
        canvas.Brush.Color = frameColor;
        canvas.FrameRect(bar.Inflate(1, 1));
    }
    canvas.Brush.Color = remembered;
    canvas.FrameRect(bar.Inflate(2, 2));
}

namespace {
// A bar piece filled across its thickness: two mirrored gradients or a solid colour.
void fillPiece(TCanvas &canvas, const TRect &piece, TColor color, TColor colorTo, bool gradient, int steps, bool vertical)
{
    if (piece.IsEmpty())
        return;
    if (!gradient) {
        solid(canvas, color);
        canvas.FillRect(piece);
        return;
    }
    TRect a = piece, b = piece;
    if (!vertical) {
        a.Bottom = piece.Top + piece.Height() / 2;
        b.Top = a.Bottom;
        DrawGradient(canvas, colorTo, color, steps, a, false);
        DrawGradient(canvas, color, colorTo, steps, b, false);
    } else {
        a.Right = piece.Left + piece.Width() / 2;
        b.Left = a.Right;
        DrawGradient(canvas, colorTo, color, steps, a, true);
        DrawGradient(canvas, color, colorTo, steps, b, true);
    }
}
} // namespace

void DrawStyledProgressBar(TCanvas &canvas, const TRect &r, int percent, const TProgressAppearanceData &ap)
{
    canvas.Pen.Color = ap.ShowBorder ? ap.BorderColor : ap.UnCompleteColor;
    canvas.Pen.Width = 1;
    canvas.Brush.Color = ap.UnCompleteColor;
    canvas.Brush.Style = bsSolid;
    canvas.Rectangle(r);
    const TPen borderPen = canvas.Pen;
    const int length = (ap.Vertical ? r.Height() : r.Width()) - 2;
    // A piece from offset start of the given length along the bar, 1 pixel inside.
    auto piece = [&](int start, int len) -> TRect {
        if (ap.Vertical)
            return {r.Left + 1, r.Bottom - 1 - start - len, r.Right - 1, r.Bottom - 1 - start};
        return {r.Left + 1 + start, r.Top + 1, r.Left + 1 + start + len, r.Bottom - 1};
    };
    if (percent > 0) {
        if (ap.Stacked) {
            int start = 0;
            auto segment = [&](int upto, TColor c, TColor cTo, bool last) {
                int end = RoundHalfEven(length * upto / 100.0);
                if (last && percent >= 100)
                    end = length;
                fillPiece(canvas, piece(start, end - start), c, cTo, ap.ShowGradient, ap.Steps, ap.Vertical);
                start = end;
            };
            const bool beyond1 = percent > ap.Level1Perc;
            const bool beyond2 = percent > ap.Level2Perc;
            segment(std::min(percent, ap.Level1Perc), ap.Level0Color, ap.Level0ColorTo, !beyond1);
            if (beyond1)
                segment(std::min(percent, ap.Level2Perc), ap.Level1Color, ap.Level1ColorTo, !beyond2);
            if (beyond2)
                segment(percent, ap.Level3Color, ap.Level3ColorTo, true);
        } else {
            TColor c = ap.Level2Color, cTo = ap.Level2ColorTo;
            if (percent < ap.Level1Perc) {
                c = ap.Level0Color;
                cTo = ap.Level0ColorTo;
            } else if (percent < ap.Level2Perc) {
                c = ap.Level1Color;
                cTo = ap.Level1ColorTo;
            } else if (percent > 99) {
                c = ap.Level3Color;
                cTo = ap.Level3ColorTo;
            }
            if (ap.CompletionSmooth) {
                fillPiece(canvas, piece(0, RoundHalfEven(percent / 100.0 * length)), c, cTo, ap.ShowGradient, ap.Steps,
                          ap.Vertical);
            } else {
                const int t = RoundHalfEven(percent * length / 100.0);
                if (t > 9) {
                    const int blocks = t / 9;
                    for (int i = 0; i < blocks; ++i)
                        fillPiece(canvas, piece(1 + i * 9, 7), c, cTo, ap.ShowGradient, ap.Steps, ap.Vertical);
                    if (t % 9 > 2)
                        fillPiece(canvas, piece(1 + blocks * 9, t % 9 - 2), c, cTo, ap.ShowGradient, ap.Steps,
                                  ap.Vertical);
                } else if (t > 1) {
                    fillPiece(canvas, piece(1, t), c, cTo, ap.ShowGradient, ap.Steps, ap.Vertical);
                }
            }
        }
    }
    if (ap.ShowPercentage) {
        const QString text = QString::number(percent) + QLatin1Char('%');
        canvas.Font = ap.Font;
        canvas.Font.Color = ap.CompleteFontColor;
        canvas.Font.Orientation = ap.Vertical ? 900 : 0;
        canvas.Brush.Style = bsClear;
        const TPoint ext = canvas.TextExtent(text);
        if (ap.Vertical)
            canvas.TextOut(r.Left + (r.Width() - ext.Y) / 2, r.Bottom - (r.Height() - ext.X) / 2, text);
        else
            canvas.TextOut(r.Left + (r.Width() - ext.X) / 2, r.Top + (r.Height() - ext.Y) / 2, text);
        canvas.Font.Orientation = 0;
    }
    canvas.Pen = borderPen;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(r);
    canvas.Brush.Style = bsSolid;
}

void DrawProgressPie(TCanvas &canvas, const TRect &r, TColor fillColor, int percent, bool)
{
    canvas.Pen.Color = 0x808080;
    canvas.Pen.Width = 1;
    const int cx = r.Left + r.Width() / 2;
    const int cy = r.Top + r.Height() / 2;
    if (percent != 0) {
        // The sector from 12 o'clock clockwise, filled in the fill colour and bounded in grey.
        canvas.Brush.Color = fillColor;
        canvas.Brush.Style = bsSolid;
        const double sweep = std::clamp(percent, -100, 100) / 100.0 * 360.0;
        canvas.Pie(r, 90.0, -sweep);
    }
    canvas.Brush.Style = bsClear;
    canvas.Ellipse(r);
    canvas.MoveTo(cx, r.Top);
    canvas.LineTo(cx, cy);
    const double a = percent / 100.0 * 2 * M_PI;
    canvas.MoveTo(cx, cy);
    canvas.LineTo(cx + RoundHalfEven((r.Width() + 1) / 2.0 * std::sin(a)),
                  cy - RoundHalfEven((r.Height() + 1) / 2.0 * std::cos(a)));
    canvas.Brush.Style = bsSolid;
}

void DrawRangeIndicator(TCanvas &canvas, const TRect &rect, int value, int range, bool, TColor negColor, TColor posColor)
{
    const TRect r = rect.Inflate(-2, -2);
    if (range <= 0 || r.IsEmpty())
        return;
    const int half = r.Width() / 2;
    const int mid = r.Left + half;
    value = std::clamp(value, -range, range);
    const int x = RoundHalfEven(double(half) * value / range);
    if (value > 0) {
        solid(canvas, posColor);
        canvas.FillRect({mid, r.Top, mid + x, r.Bottom});
    } else if (value < 0) {
        solid(canvas, negColor);
        canvas.FillRect({mid + x, r.Top, mid, r.Bottom});
    }
}

void DrawCellShape(TCanvas &canvas, int x, int y, int width, int height, int shape, TColor brushColor, TColor penColor)
{
    canvas.Pen.Color = penColor;
    canvas.Brush.Color = brushColor;
    canvas.Brush.Style = bsSolid;
    if (shape == csCircle || shape == csSquare || shape == csRoundSquare)
        width = height = std::min(width, height);
    const int hw = width / 2;
    const int hh = height / 2;
    const int we = width - width % 2;
    const int he = height - height % 2;
    const int qw = we / 4;
    const int qh = he / 4;
    auto star = [&](const std::vector<int> &ks) {
        std::vector<TPoint> pts;
        for (int k : ks) {
            const double a = k * 36.0 * M_PI / 180.0;
            const double rx = (k % 2 == 0) ? hw : hw / 3.0;
            const double ry = (k % 2 == 0) ? hh : hh / 3.0;
            pts.push_back({x + hw + RoundHalfEven(std::sin(a) * rx), y + hh - RoundHalfEven(std::cos(a) * ry)});
        }
        canvas.Polygon(pts);
    };
    switch (shape) {
    case csRectangle:
    case csSquare:
        canvas.Rectangle({x + 1, y + 1, x + width - 1, y + height - 1});
        break;
    case csCircle:
    case csEllips:
        canvas.Ellipse({x, y, x + width, y + height});
        break;
    case csRoundRect:
    case csRoundSquare:
        canvas.RoundRect({x, y, x + width, y + height}, 10, 10);
        break;
    case csTriangleLeft:
        canvas.Polygon({{x + width, y}, {x + width, y + height}, {x, y + hh}});
        break;
    case csTriangleRight:
        canvas.Polygon({{x, y}, {x, y + height}, {x + width, y + hh}});
        break;
    case csTriangleUp:
        canvas.Polygon({{x, y + height}, {x + width, y + height}, {x + hw, y}});
        break;
    case csTriangleDown:
        canvas.Polygon({{x, y}, {x + width, y}, {x + hw, y + height}});
        break;
    case csDiamond:
        canvas.Polygon({{x, y + hh}, {x + hw, y}, {x + 2 * hw, y + hh}, {x + hw, y + 2 * hh}});
        break;
    case csLineVert:
        canvas.Rectangle({x + hw, y, x + hw + 1, y + height});
        break;
    case csLineHorz:
        canvas.Rectangle({x, y + hh, x + width, y + hh + 1});
        break;
    case csStar:
        star({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        break;
    case csHalfStar:
        star({0, 5, 6, 7, 8, 9});
        break;
    case csArrowUp:
        canvas.Polygon({{x, y + hh}, {x + we / 2, y}, {x + we, y + hh}, {x + 3 * qw, y + hh}, {x + 3 * qw, y + height},
                        {x + qw, y + height}, {x + qw, y + hh}});
        break;
    case csArrowDown:
        canvas.Polygon({{x, y + hh}, {x + we / 2, y + height}, {x + we, y + hh}, {x + 3 * qw, y + hh}, {x + 3 * qw, y},
                        {x + qw, y}, {x + qw, y + hh}});
        break;
    case csArrowLeft:
        canvas.Polygon({{x, y + he / 2}, {x + hw, y}, {x + hw, y + qh}, {x + width, y + qh}, {x + width, y + 3 * qh},
                        {x + hw, y + 3 * qh}, {x + hw, y + he}});
        break;
    case csArrowRight:
        canvas.Polygon({{x + width, y + he / 2}, {x + hw, y}, {x + hw, y + qh}, {x, y + qh}, {x, y + 3 * qh},
                        {x + hw, y + 3 * qh}, {x + hw, y + he}});
        break;
    default:
        break;
    }
}

// ---- cell buttons ------------------------------------------------------------------------------

namespace {

int toneIndex(int state)
{
    switch (state) {
    case 1: return 3; // hot
    case 2: return 2; // down
    case 3: return 4; // disabled
    default: return 0;
    }
}

// The classic button face: raised 3D edge, sunken when pushed, a single line when flat.
void classicFace(TCanvas &canvas, const TRect &r, bool pushed, bool flat, bool hot)
{
    if (r.IsEmpty())
        return;
    solid(canvas, hot && flat ? cl3DLight : clBtnFace);
    canvas.FillRect(r);
    if (flat) {
        canvas.Brush.Color = clBtnShadow;
        canvas.FrameRect(r);
        return;
    }
    const TColor outerTL = pushed ? clBtnShadow : cl3DLight;
    const TColor outerBR = pushed ? clBtnShadow : cl3DDkShadow;
    const TColor innerTL = pushed ? clBtnFace : clBtnHighlight;
    const TColor innerBR = pushed ? clBtnFace : clBtnShadow;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = outerTL;
    hline(canvas, r.Left, r.Right - 1, r.Top);
    vline(canvas, r.Left, r.Top, r.Bottom - 1);
    canvas.Pen.Color = outerBR;
    hline(canvas, r.Left, r.Right, r.Bottom - 1);
    vline(canvas, r.Right - 1, r.Top, r.Bottom);
    canvas.Pen.Color = innerTL;
    hline(canvas, r.Left + 1, r.Right - 2, r.Top + 1);
    vline(canvas, r.Left + 1, r.Top + 1, r.Bottom - 2);
    canvas.Pen.Color = innerBR;
    hline(canvas, r.Left + 1, r.Right - 1, r.Bottom - 2);
    vline(canvas, r.Right - 2, r.Top + 1, r.Bottom - 1);
}

void arrow(TCanvas &canvas, int cx, int cy, bool up, TColor color)
{
    solid(canvas, color);
    if (up)
        canvas.Polygon({{cx - 3, cy + 1}, {cx + 3, cy + 1}, {cx, cy - 2}});
    else
        canvas.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

} // namespace

void DrawComboButton(TCanvas &canvas, QWidget *, const TRect &cell, int look, int state, const TButtonTones &tones)
{
    TRect b{cell.Right - 17 - 2, cell.Top + 1, cell.Right - 2, cell.Bottom - 1};
    if (look == 0 && !IsThemeActive())
        look = 1;
    if (look == 3) {
        b.Left += 3;
        const int t = toneIndex(state);
        solid(canvas, tones.Fill[t]);
        canvas.Rectangle(b);
        canvas.Pen.Color = tones.Border[0];
        vline(canvas, b.Left + 1, b.Top, b.Bottom);
        solid(canvas, tones.Glyph[0]);
        canvas.Polygon({{b.Left + 5, b.Top + 8}, {b.Left + 11, b.Top + 8}, {b.Left + 8, b.Top + 11}});
        return;
    }
    classicFace(canvas, b, state == 2, look == 2, state == 1);
    const int shift = state == 2 ? 1 : 0;
    arrow(canvas, b.Left + b.Width() / 2 + shift, b.Top + b.Height() / 2 + shift, false,
          state == 3 ? clGrayText : clBtnText);
}

void DrawCellButton(TCanvas &canvas, QWidget *, const TRect &cell, int look, int state, const TButtonTones &tones)
{
    if (look == 0 && !IsThemeActive())
        look = 1;
    if (look == 3) {
        const int t = toneIndex(state);
        canvas.Brush.Color = tones.Fill[t];
        canvas.Brush.Style = bsSolid;
        canvas.Pen.Color = tones.Border[t];
        canvas.Rectangle(cell);
        return;
    }
    classicFace(canvas, cell, state == 2, look == 2, state == 1);
}

void DrawSpinButtons(TCanvas &canvas, QWidget *, const TRect &cell, int look, int state, const TButtonTones &tones)
{
    const TRect s{cell.Right - 15 - 1, cell.Top - 1, cell.Right - 1, cell.Bottom - 1};
    const int mid = (s.Top + s.Bottom) / 2;
    const TRect up{s.Left, s.Top, s.Right, mid};
    const TRect down{s.Left, mid + 1, s.Right, s.Bottom};
    if (look == 0 && !IsThemeActive())
        look = 1;
    if (look == 3) {
        solid(canvas, tones.Fill[toneIndex(state)]);
        canvas.Rectangle(up);
        canvas.Rectangle(down);
        solid(canvas, clBlack);
        canvas.Polygon({{up.Left + 5, up.Top + 5}, {up.Left + 9, up.Top + 5}, {up.Left + 7, up.Top + 3}});
        const int t = down.Top;
        canvas.Polygon({{down.Left + 5, t + 1}, {down.Left + 9, t + 1}, {down.Left + 7, t + 3}});
        return;
    }
    const TColor glyph = state == 3 ? clGrayText : clBtnText;
    classicFace(canvas, up, false, look == 2, state == 1);
    arrow(canvas, up.Left + up.Width() / 2, up.Top + up.Height() / 2, true, glyph);
    classicFace(canvas, down, state == 2, look == 2, state == 1);
    arrow(canvas, down.Left + down.Width() / 2, down.Top + down.Height() / 2, false, glyph);
}

void DrawDropDownArrow(TCanvas &canvas, int x, int y, TColor color)
{
    solid(canvas, color);
    canvas.Polygon({{x - 3, y}, {x + 3, y}, {x, y + 3}});
}

void DrawErrorUnderline(QWidget *, TCanvas &canvas, const QString &text, const TRect &r, int yOffset, int start,
                        int length)
{
    if (text.isEmpty() || length <= 0 || start < 1)
        return;
    // Character positions as a one-line edit of the canvas font reports them (top of the line at 0).
    auto charX = [&](int index) { // 1-based
        if (index > text.size())
            return canvas.TextWidth(text.left(text.size() - 1)) + 4;
        return canvas.TextWidth(text.left(index - 1));
    };
    const int x1 = charX(start);
    const int x2 = charX(start + length - 1);
    const int y2 = 0;
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 2;
    int x = r.Left + x1;
    bool low = true;
    std::vector<TPoint> pts;
    pts.push_back({x, r.Top + y2 + yOffset + 3});
    while (x <= r.Left + x2) {
        x += 3;
        low = !low;
        pts.push_back({x, r.Top + y2 + yOffset + (low ? 3 : 0)});
    }
    canvas.Polyline(pts);
    canvas.Pen.Width = 1;
}

void DrawBitmapTransparent(TCanvas &canvas, const QImage &bitmap, TColor backColor, const TRect &r)
{
    if (bitmap.isNull())
        return;
    QImage img = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb key = img.pixel(0, 0);
    const QRgb back = ToQColor(backColor).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = back;
    }
    canvas.Draw(r.Left, r.Top, img);
}

void DrawResourceBitmapTransparent(TCanvas &canvas, TColor backColor, const TRect &r, const QString &resName)
{
    for (const QString &suffix : {QString(), QStringLiteral(".bmp"), QStringLiteral(".png")}) {
        QImage img(QStringLiteral(":/") + resName + suffix);
        if (!img.isNull()) {
            DrawBitmapTransparent(canvas, img, backColor, r);
            return;
        }
    }
}

bool CallSetLayeredWindowAttributes(QWidget *window, TColor, std::uint8_t alpha, unsigned flags)
{
    if (window && (flags & 2))
        window->setWindowOpacity(alpha / 255.0);
    return true;
}

bool CallUpdateLayeredWindow(QWidget *window, const QImage &image, std::uint8_t alpha)
{
    if (!window)
        return true;
    // The focus window draws the premultiplied image itself and applies the opacity its way.
    if (auto *focus = dynamic_cast<TGridFocusWindow *>(window)) {
        focus->SetImage(image, alpha);
        return true;
    }
    window->setWindowOpacity(alpha / 255.0);
    return true;
}

void DrawGradientRect(TCanvas &canvas, TColor fromColor, TColor toColor, int steps, const TRect &r, bool horizontal)
{
    steps = std::max(1, steps);
    const Rgb a = rgbOf(fromColor);
    const Rgb b = rgbOf(toColor);
    // The far edge is left out; bands are cut there so rounding never paints it.
    TRect area = r;
    if (horizontal)
        area.Right -= 1;
    else
        area.Bottom -= 1;
    if (area.IsEmpty())
        return;
    const double d = double(horizontal ? area.Width() : area.Height()) / steps;
    for (int i = 0; i < steps; ++i) {
        solid(canvas, RGBColor(a.r + RoundHalfEven(double(i) * (b.r - a.r) / steps),
                               a.g + RoundHalfEven(double(i) * (b.g - a.g) / steps),
                               a.b + RoundHalfEven(double(i) * (b.b - a.b) / steps)));
        const int start = RoundHalfEven(i * d);
        const int end = start + RoundHalfEven(d) + 1;
        const TRect band = horizontal ? TRect{area.Left + start, area.Top, area.Left + end, area.Bottom}
                                      : TRect{area.Left, area.Top + start, area.Right, area.Top + end};
        const TRect cut = band.Intersected(area);
        if (!cut.IsEmpty())
            canvas.FillRect(cut);
    }
}

TColor BrightnessColor(TColor color, int percentLow, int percentMiddle, int percentHigh)
{
    const Rgb v = rgbOf(color);
    auto ch = [](int c, int percent) {
        if (c == 0)
            return std::clamp(percent, 0, 255);
        return std::clamp(RoundHalfEven(std::min(100, percent + 100) / 100.0 * c), 0, 255);
    };
    return RGBColor(ch(v.r, percentLow), ch(v.g, percentMiddle), ch(v.b, percentHigh));
}

TColor BlendColor(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent < 1 || Color1 == clNone)
        return Color2;
    if (Color2 == clNone)
        return Color1;
    const TColor a = ColorToRGB(Color1);
    const TColor b = ColorToRGB(Color2);
    const double f = Percent / 100.0;
    auto mix = [f](int x, int y) { return std::min(255, int(std::lround(f * x + (1.0 - f) * y))); };
    return RGBColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}
