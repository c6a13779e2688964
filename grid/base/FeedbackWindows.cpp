#include "grid/base/FeedbackWindows.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <cmath>
#include <cstring>
#include <vector>

// ---- arrows ------------------------------------------------------------------------------------

std::array<QPoint, 7> TArrowWindow::Outline(TArrowDirection ADir)
{
    switch (ADir) {
    case arrUp:
        return {QPoint(5, 0), QPoint(10, 5), QPoint(7, 5), QPoint(7, 9), QPoint(3, 9), QPoint(3, 5), QPoint(0, 5)};
    case arrDown:
        return {QPoint(3, 0), QPoint(7, 0), QPoint(7, 4), QPoint(9, 4), QPoint(5, 8), QPoint(1, 4), QPoint(3, 4)};
    case arrLeft:
        return {QPoint(0, 3), QPoint(0, 7), QPoint(4, 7), QPoint(4, 10), QPoint(8, 5), QPoint(4, 0), QPoint(4, 3)};
    case arrRight:
        return {QPoint(0, 5), QPoint(4, 10), QPoint(4, 7), QPoint(8, 7), QPoint(8, 3), QPoint(4, 3), QPoint(4, 0)};
    }
    return {};
}

TArrowWindow::TArrowWindow(QWidget *AOwner, TArrowDirection ADir)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), FDir(ADir),
      FArrow(Outline(ADir))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QPolygon poly(QList<QPoint>(FArrow.begin(), FArrow.end()));
    const QRect box = poly.boundingRect();
    resize(box.right() + 1, box.bottom() + 1);
    setMask(QRegion(poly, Qt::WindingFill));
    hide();
}

void TArrowWindow::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TArrowWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(FColor));
}

// ---- focus window --------------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(QWidget *AOwner)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
    resize(0, 0);
    hide();
}

void TGridFocusWindow::SetImage(const QImage &Image, std::uint8_t Opacity)
{
    FImage = Image;
    FOpacity = Opacity;
    setWindowOpacity(FBackdrop.isNull() ? Opacity / 255.0 : 1.0);
    update();
}

void TGridFocusWindow::SetBackdrop(const QImage &Backdrop)
{
    FBackdrop = Backdrop.isNull() ? QImage() : Backdrop.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    setWindowOpacity(FBackdrop.isNull() ? FOpacity / 255.0 : 1.0);
    update();
}

QImage TGridFocusWindow::Composed() const
{
    if (FBackdrop.isNull() || FImage.isNull())
        return FImage;
    // Opaque throughout: without a compositor an alpha byte shows as darkness. Whatever the
    // backdrop lacks takes the window colour.
    QImage out(FImage.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(palette().color(QPalette::Window));
    QPainter p(&out);
    p.drawImage(0, 0, FBackdrop);
    p.setOpacity(FOpacity / 255.0);
    p.drawImage(0, 0, FImage);
    return out;
}

void TGridFocusWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    if (!FImage.isNull())
        p.drawImage(0, 0, Composed());
}

// ---- alpha mask ------------------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask() : FImage(0, 0, QImage::Format_ARGB32_Premultiplied) {}

void TGridAlphaMask::Assign(const TGridAlphaMask &Source)
{
    FOpacity = Source.FOpacity;
    FImage = Source.FImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TGridAlphaMask::Assign(const QImage &Source)
{
    FImage = Source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TGridAlphaMask::MergeMask(const QImage &Mask, const QImage &Bitmap, std::uint32_t)
{
    if (Bitmap.format() != QImage::Format_RGB888)
        return;
    const int w = Bitmap.width(), h = Bitmap.height();
    FImage = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    const QImage mask = Mask.format() == QImage::Format_RGB888 ? Mask : Mask.convertToFormat(QImage::Format_RGB888);
    auto scale = [](int channel, int alpha) { return int(std::lround(channel * alpha / 255.0)); };
    for (int y = 0; y < h; ++y) {
        const uchar *src = Bitmap.constScanLine(y);
        const uchar *m = y < mask.height() ? mask.constScanLine(y) : nullptr;
        auto *dst = reinterpret_cast<QRgb *>(FImage.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = m && x < mask.width() ? m[3 * x] : 0; // the mask's red byte
            dst[x] = qRgba(scale(src[3 * x], a), scale(src[3 * x + 1], a), scale(src[3 * x + 2], a), a);
        }
    }
}

// ---- blur --------------------------------------------------------------------------------------------

std::uint8_t TrimInt(double Value)
{
    if (Value < 0)
        return 0;
    if (Value >= 255)
        return 255;
    return std::uint8_t(Value);
}

TGaussKernel MakeGaussKernel(double Deviation)
{
    TGaussKernel k;
    double sum = 0;
    for (int i = -10; i <= 10; ++i) {
        const double v = std::exp(-std::pow(i / Deviation, 2) / 2);
        k.Weights[std::size_t(i + 10)] = float(v);
        sum += v;
    }
    for (float &w : k.Weights)
        w = float(w / sum);
    k.Radius = 10;
    double removed = 0;
    while (removed < 1.0 / (2 * 255) && k.Radius > 1) {
        removed += 2 * k.Weights[std::size_t(k.Radius + 10)];
        --k.Radius;
    }
    sum = 0;
    for (int i = -k.Radius; i <= k.Radius; ++i)
        sum += k.Weights[std::size_t(i + 10)];
    for (int i = -k.Radius; i <= k.Radius; ++i)
        k.Weights[std::size_t(i + 10)] = float(k.Weights[std::size_t(i + 10)] / sum);
    return k;
}

namespace {
// Blurs n pixels of 3 bytes each in place.
void blurLine(const TGaussKernel &k, uchar *line, int n, std::vector<uchar> &scratch)
{
    scratch.assign(std::size_t(3 * n), 0);
    for (int p = 0; p < n; ++p)
        for (int c = 0; c < 3; ++c) {
            double s = 0;
            for (int i = -k.Radius; i <= k.Radius; ++i) {
                const int q = std::clamp(p - i, 0, n - 1);
                s += k.Weights[std::size_t(i + 10)] * line[3 * q + c];
            }
            scratch[std::size_t(3 * p + c)] = TrimInt(s);
        }
    std::memcpy(line, scratch.data(), scratch.size());
}
} // namespace

void BlurBitmap(QImage &Bitmap, double Amount)
{
    if (Bitmap.format() != QImage::Format_RGB888)
        throw EBlurError();
    const TGaussKernel k = MakeGaussKernel(Amount);
    const int w = Bitmap.width(), h = Bitmap.height();
    std::vector<uchar> scratch;
    for (int y = 0; y < h; ++y) {
        if (y > 20 && y < h - 20)
            std::memcpy(Bitmap.scanLine(y), Bitmap.constScanLine(15), std::size_t(3 * w));
        else
            blurLine(k, Bitmap.scanLine(y), w, scratch);
    }
    std::vector<uchar> column(std::size_t(3 * h));
    for (int x = 0; x < w; ++x) {
        if (x > 20 && x < w - 20) {
            for (int y = 0; y < h; ++y) {
                uchar *row = Bitmap.scanLine(y);
                std::memcpy(row + 3 * x, row + 3 * 15, 3);
            }
            continue;
        }
        for (int y = 0; y < h; ++y)
            std::memcpy(&column[std::size_t(3 * y)], Bitmap.constScanLine(y) + 3 * x, 3);
        blurLine(k, column.data(), h, scratch);
        for (int y = 0; y < h; ++y)
            std::memcpy(Bitmap.scanLine(y) + 3 * x, &column[std::size_t(3 * y)], 3);
    }
}

void MakeRoundRectMask(QImage &Bitmap, int Width, int Height, int PenWidth, int Corner, double Amount)
{
    Bitmap = QImage(std::max(0, Width), std::max(0, Height), QImage::Format_RGB888);
    Bitmap.fill(Qt::black);
    if (Bitmap.isNull())
        return;
    {
        QPainter p(&Bitmap);
        const int h = PenWidth / 2;
        const QRect r(h + 2, h + 2, Width - 2 * h - 4, Height - 2 * h - 4);
        if (PenWidth < 1) {
            p.setPen(QPen(Qt::white, 1));
            p.setBrush(Qt::white);
        } else {
            p.setPen(QPen(Qt::white, PenWidth));
            p.setBrush(Qt::NoBrush);
        }
        p.drawRoundedRect(r, Corner / 2.0, Corner / 2.0);
    }
    if (Amount > 0)
        BlurBitmap(Bitmap, Amount);
}
