#include "grid/PrintCanvas.h"

#include <algorithm>
#include <cmath>

TLometricCanvas::TLometricCanvas(TCanvas &device, double pxPerUnitX, double pxPerUnitY, int originX, int originY)
    : m_device(device), m_sx(pxPerUnitX > 0 ? pxPerUnitX : 1.0), m_sy(pxPerUnitY > 0 ? pxPerUnitY : 1.0),
      m_ox(originX), m_oy(originY)
{
    Font = device.Font;
    Brush = device.Brush;
    Pen = device.Pen;
}

int TLometricCanvas::ToDeviceX(int x) const { return m_ox + int(std::lround(x * m_sx)); }
int TLometricCanvas::ToDeviceY(int y) const { return m_oy - int(std::lround(y * m_sy)); }
int TLometricCanvas::FromDeviceX(int x) const { return int(std::lround((x - m_ox) / m_sx)); }
int TLometricCanvas::FromDeviceY(int y) const { return int(std::lround((m_oy - y) / m_sy)); }

TRect TLometricCanvas::ToDevice(const TRect &r) const
{
    // A logical rectangle runs from its top (the larger y) down to its bottom.
    TRect d{ToDeviceX(r.Left), ToDeviceY(r.Top), ToDeviceX(r.Right), ToDeviceY(r.Bottom)};
    if (d.Top > d.Bottom)
        std::swap(d.Top, d.Bottom);
    if (d.Left > d.Right)
        std::swap(d.Left, d.Right);
    return d;
}

TRect TLometricCanvas::FromDevice(const TRect &r) const
{
    return {FromDeviceX(r.Left), FromDeviceY(r.Top), FromDeviceX(r.Right), FromDeviceY(r.Bottom)};
}

void TLometricCanvas::sync()
{
    m_device.Brush = Brush;
    m_device.Pen = Pen;
    m_device.Pen.Width = std::max(1, int(std::lround(Pen.Width * m_sx)));
    m_device.Font = Font;
    if (m_fontHeight != 0) {
        // Device pixels of the character height, expressed as the font's points at 96 dpi.
        const double px = std::abs(m_fontHeight) * m_sy;
        m_device.Font.Size = std::max(1, int(std::lround(px * 72.0 / 96.0)));
    }
}

void TLometricCanvas::FillRect(const TRect &r) { sync(); m_device.FillRect(ToDevice(r)); }
void TLometricCanvas::Rectangle(const TRect &r) { sync(); m_device.Rectangle(ToDevice(r)); }
void TLometricCanvas::FrameRect(const TRect &r) { sync(); m_device.FrameRect(ToDevice(r)); }

void TLometricCanvas::RoundRect(const TRect &r, int cornerW, int cornerH)
{
    sync();
    m_device.RoundRect(ToDevice(r), int(std::lround(cornerW * m_sx)), int(std::lround(cornerH * m_sy)));
}

void TLometricCanvas::Ellipse(const TRect &r) { sync(); m_device.Ellipse(ToDevice(r)); }

void TLometricCanvas::Polygon(const std::vector<TPoint> &pts)
{
    sync();
    std::vector<TPoint> d;
    d.reserve(pts.size());
    for (const TPoint &p : pts)
        d.push_back(toDevice(p));
    m_device.Polygon(d);
}

void TLometricCanvas::Polyline(const std::vector<TPoint> &pts)
{
    sync();
    std::vector<TPoint> d;
    d.reserve(pts.size());
    for (const TPoint &p : pts)
        d.push_back(toDevice(p));
    m_device.Polyline(d);
}

void TLometricCanvas::Pie(const TRect &r, double startDeg, double sweepDeg)
{
    sync();
    m_device.Pie(ToDevice(r), startDeg, sweepDeg);
}

void TLometricCanvas::SetPixel(int x, int y, TColor c) { m_device.SetPixel(ToDeviceX(x), ToDeviceY(y), c); }
void TLometricCanvas::DrawFocusRect(const TRect &r) { m_device.DrawFocusRect(ToDevice(r)); }

void TLometricCanvas::TextOut(int x, int y, const QString &text)
{
    sync();
    m_device.TextOut(ToDeviceX(x), ToDeviceY(y), text);
}

void TLometricCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    sync();
    m_device.TextRect(ToDevice(r), ToDeviceX(x), ToDeviceY(y), text);
}

int TLometricCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    sync();
    TRect d = ToDevice(r);
    const int h = m_device.DrawText(text, d, flags);
    if (flags & DT_CALCRECT) {
        r.Right = FromDeviceX(d.Right);
        r.Bottom = FromDeviceY(d.Bottom);
    }
    return int(std::lround(h / m_sy));
}

TPoint TLometricCanvas::TextExtent(const QString &text)
{
    sync();
    const TPoint d = m_device.TextExtent(text);
    return {int(std::lround(d.X / m_sx)), int(std::lround(d.Y / m_sy))};
}

void TLometricCanvas::Draw(int x, int y, const QImage &image) { m_device.Draw(ToDeviceX(x), ToDeviceY(y), image); }
void TLometricCanvas::StretchDraw(const TRect &r, const QImage &image) { m_device.StretchDraw(ToDevice(r), image); }

void TLometricCanvas::SetClipRect(const TRect &r)
{
    m_hasClip = true;
    m_clip = r;
    m_device.SetClipRect(ToDevice(r));
}

void TLometricCanvas::ResetClip()
{
    m_hasClip = false;
    m_device.ResetClip();
}

void TLometricCanvas::DrawLine(TPoint from, TPoint to)
{
    sync();
    m_device.MoveTo(ToDeviceX(from.X), ToDeviceY(from.Y));
    m_device.LineTo(ToDeviceX(to.X), ToDeviceY(to.Y));
}
