#pragma once
// The painting vocabulary of the grid library: rectangles with exclusive right and bottom
// edges, brush, pen and font values, and a canvas over which every routine draws.
// TPainterCanvas draws with a QPainter; TRecordingCanvas only records what is drawn, with
// fixed text metrics, so that tests can check drawing without depending on fonts.
#include "platform/Colors.h"
#include "platform/GridDefs.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

class QPainter;

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint &) const = default;
};

// Right and Bottom are exclusive: a rectangle (0, 0, 10, 5) covers pixels 0..9 x 0..4.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    TRect Intersected(const TRect &o) const;
    TRect United(const TRect &o) const; // bounding box of both (empty ones ignored)
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    constexpr bool operator==(const TRect &) const = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TBrush &) const = default;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    bool operator==(const TPen &) const = default;
};

struct TFont {
    QString Name = QStringLiteral("Tahoma");
    int Size = 8; // points at 96 dpi
    TColor Color = clWindowText;
    TFontStyles Style;
    int Orientation = 0; // tenths of a degree, counter-clockwise (900: text runs upwards)

    int PixelHeight() const; // the font's pixel size at 96 dpi
    QFont ToQFont() const;
    void Assign(const QFont &f);
    bool operator==(const TFont &) const = default;
};

// Text drawing flags (the platform's values).
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
};

// Pen, brush and font are plain values the caller sets before drawing; a routine that
// draws leaves them as it set them unless it says otherwise. Text is drawn without a
// background (fill first where one is wanted).
class TCanvas {
public:
    TBrush Brush;
    TPen Pen;
    TFont Font;

    virtual ~TCanvas();

    virtual void FillRect(const TRect &r) = 0;  // brush only
    virtual void Rectangle(const TRect &r) = 0; // pen outline on the edge pixels, brush inside
    virtual void FrameRect(const TRect &r) = 0; // one-pixel frame in the brush colour
    virtual void RoundRect(const TRect &r, int cornerW, int cornerH) = 0;
    virtual void Ellipse(const TRect &r) = 0;
    virtual void Polygon(const std::vector<TPoint> &pts) = 0; // filled with the brush, outlined with the pen
    virtual void Polyline(const std::vector<TPoint> &pts) = 0;
    // Sector of the ellipse in r; angles in degrees, 0 at 3 o'clock, positive counter-clockwise.
    virtual void Pie(const TRect &r, double startDeg, double sweepDeg) = 0;
    void MoveTo(int x, int y) { PenPos = {x, y}; }
    void LineTo(int x, int y); // the end point itself is not drawn
    void Line(int x1, int y1, int x2, int y2) { MoveTo(x1, y1); LineTo(x2, y2); }
    virtual void SetPixel(int x, int y, TColor c) = 0;
    // Dotted frame that inverts the pixels under it: drawing it twice leaves r as it was.
    virtual void DrawFocusRect(const TRect &r) = 0;

    virtual void TextOut(int x, int y, const QString &text) = 0;
    // Text at (x, y), clipped to r.
    virtual void TextRect(const TRect &r, int x, int y, const QString &text) = 0;
    // Text in r by DT_ flags; returns the text height. With DT_CALCRECT nothing is drawn and
    // r gets the text's extent (right and bottom).
    virtual int DrawText(const QString &text, TRect &r, unsigned flags) = 0;
    virtual TPoint TextExtent(const QString &text) = 0;
    int TextWidth(const QString &text) { return TextExtent(text).X; }
    int TextHeight(const QString &text) { return TextExtent(text).Y; }

    virtual void Draw(int x, int y, const QImage &image) = 0;
    virtual void StretchDraw(const TRect &r, const QImage &image) = 0;

    // Clipping: one rectangle or none; SaveState/RestoreState nest clip, brush, pen and font.
    virtual void SetClipRect(const TRect &r) = 0;
    virtual void ResetClip() = 0;
    void IntersectClipRect(const TRect &r);
    bool HasClip() const { return m_hasClip; }
    TRect ClipRect() const { return m_clip; }
    void SaveState();
    void RestoreState();

    // The painter behind the canvas, when there is one (for code that draws with Qt directly).
    virtual QPainter *Painter() { return nullptr; }

    TPoint PenPos;

protected:
    virtual void DrawLine(TPoint from, TPoint to) = 0; // end point excluded
    bool m_hasClip = false;
    TRect m_clip;

private:
    struct Saved {
        TBrush brush;
        TPen pen;
        TFont font;
        bool hasClip;
        TRect clip;
    };
    std::vector<Saved> m_stack;
};

// Draws with a QPainter (antialiasing off, so pixels land where the platform puts them).
class TPainterCanvas : public TCanvas {
public:
    explicit TPainterCanvas(QPainter *painter);
    ~TPainterCanvas() override;

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
    QPainter *Painter() override { return m_painter; }

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    void applyPen(bool withPen);
    void applyBrush(bool withBrush);
    void applyFont();
    // Word-wrapped text broken as the platform breaks it (DrawText with DT_WORDBREAK).
    int drawWrappedText(const QString &text, TRect &r, unsigned flags);
    QPainter *m_painter;
};

// A canvas over an image of its own (pixel probes in tests, off-screen drawing).
class TImageCanvas : public TPainterCanvas {
public:
    TImageCanvas(int width, int height, TColor background = clWhite);
    ~TImageCanvas() override;
    QImage &Image() { return m_image; }
    TColor PixelAt(int x, int y) const;
    void End(); // finishes painting; Image() is then complete

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_owned;
};

// One recorded drawing call, with the canvas state at that moment.
struct TCanvasOp {
    enum Kind { FillRect, Rectangle, FrameRect, RoundRect, Ellipse, Polygon, Polyline, Pie, Line, Pixel, Text, Image, FocusRect };
    Kind kind = FillRect;
    TRect rect;                 // shape or text rectangle (Text: the rectangle given, or the text's extent)
    std::vector<TPoint> points; // polygon, polyline, line ends
    QString text;
    unsigned flags = 0;         // DT_ flags of a DrawText call
    TBrush brush;
    TPen pen;
    TFont font;
    TColor color = clNone;      // pixel colour
    bool clipped = false;
    TRect clip;
    double angle1 = 0, angle2 = 0; // pie start and sweep
};

// Records every call; text extent is CharWidth per character and LineHeight per line.
class TRecordingCanvas : public TCanvas {
public:
    int CharWidth = 7;
    int LineHeight = 13;
    std::vector<TCanvasOp> Ops;

    std::vector<TCanvasOp> OfKind(TCanvasOp::Kind k) const;
    int Count(TCanvasOp::Kind k) const;
    QStringList Texts() const; // texts drawn, in order
    void Clear() { Ops.clear(); }

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

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    TCanvasOp &add(TCanvasOp::Kind k, const TRect &r);
};
