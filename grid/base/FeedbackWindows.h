#pragma once
// Small windows and bitmaps a grid shows as visual feedback: the arrows that mark where a dragged
// column or row will land, the window that carries the translucent focus frame around an edited
// cell, the premultiplied image of that frame, and the routines that draw and soften its shape.
#include "grid/base/GridTypes.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <stdexcept>


// A lime arrow: a frameless pop-up masked to its 7-point outline, so only the arrow is seen and
// takes the mouse. Tool-tip windows take no activation.
class TArrowWindow : public QWidget {
public:
    TArrowWindow(QWidget *AOwner, TArrowDirection ADir);
    TArrowDirection Dir() const { return FDir; }
    const std::array<QPoint, 7> &Arrow() const { return FArrow; }
    // The outline of a direction, in window pixels.
    static std::array<QPoint, 7> Outline(TArrowDirection ADir);
    // Fill colour of the arrow (lime unless changed).
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TArrowDirection FDir;
    TColor FColor = clLime;
    std::array<QPoint, 7> FArrow;
};

// The window of the focus frame: frameless, never activated, not focusable and disabled, so it
// never takes the focus from the editor it surrounds. It shows the image last given to it with
// its opacity: translucent where the desktop blends windows, else blended here over a backdrop
// (a picture of what lies behind it) and shown opaque.
class TGridFocusWindow : public QWidget {
public:
    explicit TGridFocusWindow(QWidget *AOwner);
    void SetImage(const QImage &Image, std::uint8_t Opacity = 255);
    const QImage &Image() const { return FImage; }
    std::uint8_t Opacity() const { return FOpacity; }
    // A null backdrop goes back to the translucent window.
    void SetBackdrop(const QImage &Backdrop);
    const QImage &Backdrop() const { return FBackdrop; }
    // What the window shows: the image over the backdrop (opaque), or the image alone.
    QImage Composed() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QImage FImage;
    QImage FBackdrop;
    std::uint8_t FOpacity = 255;
};

// A 32-bit image of premultiplied colour and alpha, shown with a constant opacity.
class TGridAlphaMask {
public:
    TGridAlphaMask();
    QImage &Image() { return FImage; }
    const QImage &Image() const { return FImage; }
    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t Value) { FOpacity = Value; }
    bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
    // From another mask: its opacity and pixels; from a plain image: its pixels as 32-bit.
    void Assign(const TGridAlphaMask &Source);
    void Assign(const QImage &Source);
    // Alpha from the mask's red channel, colour from the 24-bit bitmap scaled by alpha (rounded).
    // A bitmap that is not 24-bit changes nothing; Color is not used.
    void MergeMask(const QImage &Mask, const QImage &Bitmap, std::uint32_t Color = 0);

private:
    QImage FImage;
    std::uint8_t FOpacity = 255;
};

// Raised by BlurBitmap for a bitmap that is not 24-bit.
class EBlurError : public std::runtime_error {
public:
    EBlurError() : std::runtime_error("Blur only works for 24-bit bitmaps") {}
};

// A channel sum as a byte: 0 below 0, 255 from 255 on, else truncated.
std::uint8_t TrimInt(double Value);

struct TGaussKernel {
    int Radius = 10;                 // 1 to 10
    std::array<float, 21> Weights{}; // offsets -10 to 10
};
TGaussKernel MakeGaussKernel(double Deviation);

// Gaussian blur of a 24-bit image along its four 21-pixel edge bands; the interior takes row and
// column 15, as the frame masks are uniform there.
void BlurBitmap(QImage &Bitmap, double Amount);
// A 24-bit black image with a white rounded rectangle: an outline PenWidth wide, or filled for a
// pen below 1; blurred by Amount when positive.
void MakeRoundRectMask(QImage &Bitmap, int Width, int Height, int PenWidth, int Corner, double Amount);
