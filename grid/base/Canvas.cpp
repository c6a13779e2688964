#include "grid/base/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

TRect TRect::Intersected(const TRect &o) const
{
    TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

TRect TRect::United(const TRect &o) const
{
    if (IsEmpty())
        return o;
    if (o.IsEmpty())
        return *this;
    return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
}

int TFont::PixelHeight() const
{
    const int size = Size > 0 ? Size : 8;
    return std::max(1, int(std::lround(size * 96.0 / 72.0)));
}

QFont TFont::ToQFont() const
{
    QFont f(Name);
    f.setPixelSize(PixelHeight());
    f.setBold(Style.Contains(fsBold));
    f.setItalic(Style.Contains(fsItalic));
    f.setUnderline(Style.Contains(fsUnderline));
    f.setStrikeOut(Style.Contains(fsStrikeOut));
    return f;
}

void TFont::Assign(const QFont &f)
{
    Name = f.family();
    if (f.pointSize() > 0)
        Size = f.pointSize();
    else if (f.pixelSize() > 0)
        Size = int(std::lround(f.pixelSize() * 72.0 / 96.0));
    TFontStyles s;
    if (f.bold())
        s.Include(fsBold);
    if (f.italic())
        s.Include(fsItalic);
    if (f.underline())
        s.Include(fsUnderline);
    if (f.strikeOut())
        s.Include(fsStrikeOut);
    Style = s;
}

TCanvas::~TCanvas() = default;

void TCanvas::LineTo(int x, int y)
{
    DrawLine(PenPos, {x, y});
    PenPos = {x, y};
}

void TCanvas::IntersectClipRect(const TRect &r)
{
    if (!m_hasClip) {
        SetClipRect(r);
        return;
    }
    SetClipRect(m_clip.Intersected(r));
}

void TCanvas::SaveState()
{
    m_stack.push_back({Brush, Pen, Font, m_hasClip, m_clip});
}

void TCanvas::RestoreState()
{
    if (m_stack.empty())
        return;
    Saved s = m_stack.back();
    m_stack.pop_back();
    Brush = s.brush;
    Pen = s.pen;
    Font = s.font;
    if (s.hasClip)
        SetClipRect(s.clip);
    else
        ResetClip();
}

// ---------------------------------------------------------------------------------------------

namespace {
Qt::PenStyle toQtPenStyle(TPenStyle s)
{
    switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle toQtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

int qtTextFlags(unsigned flags)
{
    int f = 0;
    if (flags & DT_CENTER)
        f |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    // As on the platform, vertical centring and bottom alignment apply to single lines only.
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        f |= Qt::AlignVCenter;
    else if ((flags & DT_SINGLELINE) && (flags & DT_BOTTOM))
        f |= Qt::AlignBottom;
    else
        f |= Qt::AlignTop;
    if (flags & DT_SINGLELINE)
        f |= Qt::TextSingleLine;
    else if (flags & DT_WORDBREAK)
        f |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS)
        f |= Qt::TextExpandTabs;
    if (!(flags & DT_NOPREFIX))
        f |= Qt::TextShowMnemonic;
    return f;
}

QVector<QPoint> toQPoints(const std::vector<TPoint> &pts)
{
    QVector<QPoint> q;
    q.reserve(int(pts.size()));
    for (const TPoint &p : pts)
        q.append(QPoint(p.X, p.Y));
    return q;
}
} // namespace

TPainterCanvas::TPainterCanvas(QPainter *painter) : m_painter(painter)
{
    if (m_painter->isActive())
        m_painter->setRenderHint(QPainter::Antialiasing, false);
}

TPainterCanvas::~TPainterCanvas() = default;

void TPainterCanvas::applyPen(bool withPen)
{
    if (!withPen || Pen.Style == psClear) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen p(ToQColor(Pen.Color));
    p.setWidth(std::max(1, Pen.Width));
    p.setStyle(toQtPenStyle(Pen.Style));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    m_painter->setPen(p);
}

void TPainterCanvas::applyBrush(bool withBrush)
{
    if (!withBrush || Brush.Style == bsClear) {
        m_painter->setBrush(Qt::NoBrush);
        return;
    }
    m_painter->setBrush(QBrush(ToQColor(Brush.Color), toQtBrushStyle(Brush.Style)));
}

void TPainterCanvas::applyFont()
{
    m_painter->setFont(Font.ToQFont());
    m_painter->setPen(QPen(ToQColor(Font.Color)));
}

void TPainterCanvas::FillRect(const TRect &r)
{
    if (r.IsEmpty() || Brush.Style == bsClear)
        return;
    m_painter->fillRect(r.ToQRect(), QBrush(ToQColor(Brush.Color), toQtBrushStyle(Brush.Style)));
}

void TPainterCanvas::Rectangle(const TRect &r)
{
    if (r.IsEmpty())
        return;
    FillRect(r);
    if (Pen.Style == psClear)
        return;
    applyPen(true);
    m_painter->setBrush(Qt::NoBrush);
    const int w = std::max(1, Pen.Width);
    if (w == 1) {
        m_painter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    } else {
        const double h = w / 2.0;
        m_painter->drawRect(QRectF(r.Left + h, r.Top + h, r.Width() - w, r.Height() - w));
    }
}

void TPainterCanvas::FrameRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    const QColor c = ToQColor(Brush.Color);
    m_painter->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    m_painter->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    m_painter->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    m_painter->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TPainterCanvas::RoundRect(const TRect &r, int cornerW, int cornerH)
{
    applyPen(true);
    applyBrush(true);
    m_painter->drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), cornerW / 2.0, cornerH / 2.0);
}

void TPainterCanvas::Ellipse(const TRect &r)
{
    applyPen(true);
    applyBrush(true);
    m_painter->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TPainterCanvas::Polygon(const std::vector<TPoint> &pts)
{
    if (pts.empty())
        return;
    applyPen(true);
    applyBrush(true);
    const QVector<QPoint> q = toQPoints(pts);
    m_painter->drawPolygon(q.constData(), int(q.size()));
}

void TPainterCanvas::Polyline(const std::vector<TPoint> &pts)
{
    if (pts.size() < 2)
        return;
    applyPen(true);
    const QVector<QPoint> q = toQPoints(pts);
    m_painter->drawPolyline(q.constData(), int(q.size()));
}

void TPainterCanvas::Pie(const TRect &r, double startDeg, double sweepDeg)
{
    applyPen(true);
    applyBrush(true);
    m_painter->drawPie(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), int(std::lround(startDeg * 16)),
                       int(std::lround(sweepDeg * 16)));
}

void TPainterCanvas::DrawLine(TPoint a, TPoint b)
{
    if (Pen.Style == psClear || a == b)
        return;
    applyPen(true);
    const int w = std::max(1, Pen.Width);
    if (a.Y == b.Y) {
        const int x1 = std::min(a.X, b.X + (b.X < a.X ? 1 : 0));
        const int x2 = std::max(a.X, b.X - (b.X > a.X ? 1 : 0));
        // Axis-parallel lines as fills, so their pixels land exactly; patterned pens draw solid here.
        m_painter->fillRect(QRect(x1, a.Y - (w - 1) / 2, x2 - x1 + 1, w), ToQColor(Pen.Color));
        return;
    }
    if (a.X == b.X) {
        const int y1 = std::min(a.Y, b.Y + (b.Y < a.Y ? 1 : 0));
        const int y2 = std::max(a.Y, b.Y - (b.Y > a.Y ? 1 : 0));
        m_painter->fillRect(QRect(a.X - (w - 1) / 2, y1, w, y2 - y1 + 1), ToQColor(Pen.Color));
        return;
    }
    m_painter->drawLine(QPoint(a.X, a.Y), QPoint(b.X, b.Y));
}

void TPainterCanvas::SetPixel(int x, int y, TColor c)
{
    m_painter->fillRect(QRect(x, y, 1, 1), ToQColor(c));
}

void TPainterCanvas::DrawFocusRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    // Every other pixel of the edge (a checkerboard from the top-left corner), inverted, so that a
    // second call restores the pixels.
    m_painter->save();
    m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    const int parity = (r.Left + r.Top) & 1;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == parity)
            m_painter->fillRect(QRect(x, y, 1, 1), white);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
    m_painter->restore();
}

void TPainterCanvas::TextOut(int x, int y, const QString &text)
{
    applyFont();
    const QFontMetrics fm(m_painter->font());
    if (Font.Orientation != 0) {
        m_painter->save();
        m_painter->translate(x, y);
        m_painter->rotate(-Font.Orientation / 10.0);
        m_painter->drawText(0, fm.ascent(), text);
        m_painter->restore();
        return;
    }
    m_painter->drawText(x, y + fm.ascent(), text);
}

void TPainterCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    m_painter->save();
    m_painter->setClipRect(r.ToQRect(), m_hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    TextOut(x, y, text);
    m_painter->restore();
}

namespace {

// Lines of a word-wrapped text: at CR, LF or CR LF, then between words. A word is never split,
// also under DT_EDITCONTROL: "Parameter 10" in a narrow column reads "Parameter" over "10", not
// "Paramete" over "r 10"; an overlong word keeps its line and is clipped at the right.
struct WrappedText {
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<QTextLine> lines;
    int widest = 0;
};

void wrapText(const QString &text, const QFont &font, int width, unsigned flags, WrappedText &out)
{
    const QFontMetrics metrics(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    const Qt::Alignment h = (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    option.setAlignment(h);
    int start = 0;
    const int n = int(text.size());
    while (start <= n) {
        int end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        auto layout = std::make_unique<QTextLayout>(text.mid(start, end - start), font);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            QString shown = layout->text().mid(line.textStart(), line.textLength());
            while (!shown.isEmpty() && shown.back().isSpace())
                shown.chop(1);
            out.widest = std::max(out.widest, metrics.horizontalAdvance(shown));
            out.lines.push_back(line);
        }
        layout->endLayout();
        out.layouts.push_back(std::move(layout));
        if (end < n && text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        if (end >= n)
            break;
        start = end + 1;
    }
}

} // namespace

int TPainterCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    applyFont();
    const QFontMetrics fm(m_painter->font());
    const bool wrapped = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE) && (flags & DT_NOPREFIX);
    if (wrapped && (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))
                    || fm.horizontalAdvance(text) > r.Width()))
        return drawWrappedText(text, r, flags);
    QString t = text;
    if ((flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) && (flags & DT_SINGLELINE))
        t = fm.elidedText(text, (flags & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight, r.Width());
    int qf = qtTextFlags(flags);
    if (wrapped)
        qf &= ~Qt::TextWordWrap; // one line that fits: nothing to break
    if (flags & DT_CALCRECT) {
        const int w = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE) ? std::max(1, r.Width()) : 100000;
        QRect b = fm.boundingRect(QRect(r.Left, r.Top, w, 100000), qf, t);
        r.Right = r.Left + b.width();
        r.Bottom = r.Top + b.height();
        return b.height();
    }
    const QRect qr = r.ToQRect();
    QRect out;
    if (!(flags & DT_NOCLIP)) {
        m_painter->save();
        m_painter->setClipRect(qr, m_hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
        m_painter->drawText(qr, qf, t, &out);
        m_painter->restore();
    } else {
        m_painter->drawText(qr, qf, t, &out);
    }
    return out.height();
}

int TPainterCanvas::drawWrappedText(const QString &text, TRect &r, unsigned flags)
{
    const QFont font = m_painter->font();
    const QFontMetrics fm(font);
    const int lineHeight = fm.height();
    WrappedText w;
    wrapText(text, font, std::max(1, r.Width()), flags, w);
    int count = int(w.lines.size());
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + w.widest;
        r.Bottom = r.Top + count * lineHeight;
        return count * lineHeight;
    }
    // As an edit control shows it: no partly visible last line (the first line always shows).
    if (flags & DT_EDITCONTROL)
        count = std::clamp(r.Height() / lineHeight, 1, count);
    if (!(flags & DT_NOCLIP)) {
        m_painter->save();
        m_painter->setClipRect(r.ToQRect(), m_hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    for (int i = 0; i < count; ++i)
        w.lines[size_t(i)].draw(m_painter, QPointF(r.Left, r.Top + i * lineHeight - w.lines[size_t(i)].y()));
    if (!(flags & DT_NOCLIP))
        m_painter->restore();
    return count * lineHeight;
}

TPoint TPainterCanvas::TextExtent(const QString &text)
{
    const QFontMetrics fm(Font.ToQFont());
    return {fm.horizontalAdvance(text), fm.height()};
}

void TPainterCanvas::Draw(int x, int y, const QImage &image)
{
    m_painter->drawImage(QPoint(x, y), image);
}

void TPainterCanvas::StretchDraw(const TRect &r, const QImage &image)
{
    m_painter->drawImage(r.ToQRect(), image);
}

void TPainterCanvas::SetClipRect(const TRect &r)
{
    m_hasClip = true;
    m_clip = r;
    m_painter->setClipRect(r.ToQRect(), Qt::ReplaceClip);
}

void TPainterCanvas::ResetClip()
{
    m_hasClip = false;
    m_clip = {};
    m_painter->setClipping(false);
}

TImageCanvas::TImageCanvas(int width, int height, TColor background)
    : TPainterCanvas(new QPainter), m_image(width, height, QImage::Format_RGB32)
{
    m_owned.reset(Painter());
    m_image.fill(ToQColor(background));
    Painter()->begin(&m_image);
    Painter()->setRenderHint(QPainter::Antialiasing, false);
}

TImageCanvas::~TImageCanvas()
{
    End();
}

void TImageCanvas::End()
{
    if (m_owned && m_owned->isActive())
        m_owned->end();
}

TColor TImageCanvas::PixelAt(int x, int y) const
{
    return FromQColor(QColor(m_image.pixel(x, y)));
}

// ---------------------------------------------------------------------------------------------

TCanvasOp &TRecordingCanvas::add(TCanvasOp::Kind k, const TRect &r)
{
    TCanvasOp op;
    op.kind = k;
    op.rect = r;
    op.brush = Brush;
    op.pen = Pen;
    op.font = Font;
    op.clipped = m_hasClip;
    op.clip = m_clip;
    Ops.push_back(std::move(op));
    return Ops.back();
}

std::vector<TCanvasOp> TRecordingCanvas::OfKind(TCanvasOp::Kind k) const
{
    std::vector<TCanvasOp> out;
    for (const auto &op : Ops)
        if (op.kind == k)
            out.push_back(op);
    return out;
}

int TRecordingCanvas::Count(TCanvasOp::Kind k) const
{
    return int(std::count_if(Ops.begin(), Ops.end(), [k](const TCanvasOp &op) { return op.kind == k; }));
}

QStringList TRecordingCanvas::Texts() const
{
    QStringList out;
    for (const auto &op : Ops)
        if (op.kind == TCanvasOp::Text)
            out << op.text;
    return out;
}

void TRecordingCanvas::FillRect(const TRect &r) { add(TCanvasOp::FillRect, r); }
void TRecordingCanvas::Rectangle(const TRect &r) { add(TCanvasOp::Rectangle, r); }
void TRecordingCanvas::FrameRect(const TRect &r) { add(TCanvasOp::FrameRect, r); }
void TRecordingCanvas::RoundRect(const TRect &r, int, int) { add(TCanvasOp::RoundRect, r); }
void TRecordingCanvas::Ellipse(const TRect &r) { add(TCanvasOp::Ellipse, r); }

void TRecordingCanvas::Polygon(const std::vector<TPoint> &pts)
{
    add(TCanvasOp::Polygon, {}).points = pts;
}

void TRecordingCanvas::Polyline(const std::vector<TPoint> &pts)
{
    add(TCanvasOp::Polyline, {}).points = pts;
}

void TRecordingCanvas::Pie(const TRect &r, double startDeg, double sweepDeg)
{
    auto &op = add(TCanvasOp::Pie, r);
    op.angle1 = startDeg;
    op.angle2 = sweepDeg;
}

void TRecordingCanvas::DrawLine(TPoint a, TPoint b)
{
    add(TCanvasOp::Line, {}).points = {a, b};
}

void TRecordingCanvas::SetPixel(int x, int y, TColor c)
{
    add(TCanvasOp::Pixel, {x, y, x + 1, y + 1}).color = c;
}

void TRecordingCanvas::DrawFocusRect(const TRect &r) { add(TCanvasOp::FocusRect, r); }

void TRecordingCanvas::TextOut(int x, int y, const QString &text)
{
    const TPoint e = TextExtent(text);
    add(TCanvasOp::Text, {x, y, x + e.X, y + e.Y}).text = text;
}

void TRecordingCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    const TPoint e = TextExtent(text);
    auto &op = add(TCanvasOp::Text, {x, y, x + e.X, y + e.Y});
    op.text = text;
    op.clip = m_hasClip ? m_clip.Intersected(r) : r;
    op.clipped = true;
}

int TRecordingCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    const int lines = (flags & DT_SINGLELINE) ? 1 : int(text.count(QLatin1Char('\n'))) + 1;
    const int h = lines * LineHeight;
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + TextExtent(text).X;
        r.Bottom = r.Top + h;
        return h;
    }
    auto &op = add(TCanvasOp::Text, r);
    op.text = text;
    op.flags = flags;
    return h;
}

TPoint TRecordingCanvas::TextExtent(const QString &text)
{
    int widest = 0;
    int lines = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, int(line.size()) * CharWidth);
        ++lines;
    }
    return {widest, lines * LineHeight};
}

void TRecordingCanvas::Draw(int x, int y, const QImage &image)
{
    add(TCanvasOp::Image, {x, y, x + image.width(), y + image.height()});
}

void TRecordingCanvas::StretchDraw(const TRect &r, const QImage &) { add(TCanvasOp::Image, r); }

void TRecordingCanvas::SetClipRect(const TRect &r)
{
    m_hasClip = true;
    m_clip = r;
}

void TRecordingCanvas::ResetClip()
{
    m_hasClip = false;
    m_clip = {};
}
