#pragma once
// A canvas in tenths of a millimetre with y growing upwards (positions down the page are
// negative), drawing onto a device canvas. The print layout works in these units whatever the
// device: a printer, a preview image or a recording canvas.
#include "grid/base/Canvas.h"

class TLometricCanvas : public TCanvas {
public:
    // pxPerUnitX/Y: device pixels per tenth of a millimetre; (originX, originY): the device point of
    // the logical origin.
    TLometricCanvas(TCanvas &device, double pxPerUnitX, double pxPerUnitY, int originX = 0, int originY = 0);

    TCanvas &Device() { return m_device; }
    double ScaleX() const { return m_sx; }
    double ScaleY() const { return m_sy; }
    // Logical units of a device length and back.
    int ToDeviceX(int x) const;
    int ToDeviceY(int y) const;
    int FromDeviceX(int x) const;
    int FromDeviceY(int y) const;
    TRect ToDevice(const TRect &r) const;
    TRect FromDevice(const TRect &r) const;
    // The font's character height in logical units (negative, as the mapping gives it); Font.Size
    // is ignored while a height is set.
    void SetFontHeight(int height) { m_fontHeight = height; }
    // Hands pen, brush and font (at its height) to the device, for drawing there in device pixels.
    void Sync() { sync(); }
    int FontHeight() const { return m_fontHeight; }

    void FillRect(const TRect &r) override;
    void Rectangle(const TRect &r) override;
    void FrameRect(const TRect &r) override;
    void RoundRect(const TRect &r, int cornerW, int cornerH) override;
    void Ellipse(const TRect &r) override;
    void Polygon(const std::vector<TPoint> &pts) override;
    void Polyline(const std::vector<TPoint> &pts) override;
    void Pie(const TRect &r, double startDeg, double sweepDeg) override;
    void SetPixel(int x, int y, TColor c) override;
    void DrawFocusRect(const TRect &r) override;
    void TextOut(int x, int y, const QString &text) override;
    void TextRect(const TRect &r, int x, int y, const QString &text) override;
    int DrawText(const QString &text, TRect &r, unsigned flags) override;
    TPoint TextExtent(const QString &text) override;
    void Draw(int x, int y, const QImage &image) override;
    void StretchDraw(const TRect &r, const QImage &image) override;
    void SetClipRect(const TRect &r) override;
    void ResetClip() override;
    QPainter *Painter() override { return m_device.Painter(); }

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    void sync();
    TPoint toDevice(TPoint p) const { return {ToDeviceX(p.X), ToDeviceY(p.Y)}; }
    TCanvas &m_device;
    double m_sx;
    double m_sy;
    int m_ox;
    int m_oy;
    int m_fontHeight = 0;
};
