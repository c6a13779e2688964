#pragma once
// The button at the right edge of every drop-down edit, with the speed button inside it that draws
// the arrow, and the small drawing and text routines the drop-down family shares. Gradients,
// transparent bitmaps, colour arithmetic and the mini-HTML renderer are the grid foundation's
// (VedAzirDraw.h, MarkupRenderer.h); the routines here are built on them.
#include "grid/base/Canvas.h"
#include "grid/base/DropDownAppearance.h"
#include "grid/base/EditBtn.h"
#include "grid/base/EditorKit.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirDraw.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

// ---- drawing and text routines (a null canvas draws nothing) -----------------------------------

// A gradient of 80 bands from Color to ColorTo (horizontal for gdHorizontal) when ColorTo is set,
// else a plain fill in Color when that is set; then a frame of BorderWidth in BorderColor.
void DrawRectangle(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                   TGradientDirection Direction);
// An image of the list 4 pixels in from the left, vertically centred, and a one-line caption with
// an end ellipsis: centred when no image was drawn, else starting 4 pixels right of the image.
void DrawButtonContent(TCanvas *Canvas, const TRect &R, const QString &Caption, int ImageIndex,
                       const TMarkupImageList *Images);
// Width and height of Text on one line; (0, 0) for an empty text.
void GetTextSize(TCanvas *Canvas, const QString &Text, QSize &Size);
// Text cut from its end (with "..." when Ellipsis) until it is narrower than MaxWidth; Text itself
// when it fits or when no cut fits.
void FitText(TCanvas *Canvas, const QString &Text, int MaxWidth, QString &Result, bool Ellipsis);
// Draws mini-HTML text in R, or only measures it when Flags hold DT_CALCRECT; Size gets its extent.
void DrawMarkupCaption(TCanvas *Canvas, const QString &Text, const TRect &R, const TMarkupImageList *Images,
                       unsigned Flags, QSize &Size);
// Text as it is when CaseSensitive, else upper-cased.
void MatchCaseText(const QString &Text, bool CaseSensitive, QString &Result);

// ---- the button ---------------------------------------------------------------------------------

// What the arrow reads of the edit it belongs to: the edit's frame colour, which the coloured face
// repeats down its left edge, and whether the edit is read-only (the arrow then shows disabled).
class TDropDownButtonOwner {
public:
    virtual ~TDropDownButtonOwner() = default;
    virtual TColor ButtonOwnerBorderColor() const = 0;
    virtual bool ButtonOwnerReadOnly() const = 0;
};

enum TButtonStyle : quint8 { bsButton, bsDropDown };

class TDropDownEditButton;

// The speed button inside the edit button: the drop-down arrow (bsDropDown) or a push button.
class TNovaDropDownSpeedButton : public editorkit::SpeedButton {
public:
    explicit TNovaDropDownSpeedButton(TDropDownEditButton *owner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    // The drop-down's hot state (pointer over it, or it has the focus).
    bool Focused() const { return FFocused; }
    void SetFocused(bool v);
    bool Hot() const { return PointerOver(); }
    // While set the pressed look is never drawn.
    void SetUp() { FUp = true; update(); }
    bool IsUp() const { return FUp; }
    bool Pressed() const { return (isDown() || isChecked()) && !FUp; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void PaintArrow(QPainter &p);
    void PaintPushButton(QPainter &p);
    const TDropDownButtonOwner *Owner() const;

    TDropDownEditButton *FOwner;
    TButtonStyle FButtonStyle = bsButton;
    bool FEtched = false;
    bool FFocused = false;
    bool FUp = false;
};

// The windowed holder of the arrow at the edit's right edge. Every size given to it keeps the
// width BWidth; a left-button release over the arrow is its click.
class TDropDownEditButton : public TSpeedButtonHolder {
public:
    explicit TDropDownEditButton(QWidget *parent = nullptr);

    TNovaDropDownSpeedButton *SpeedButton() const { return FButton; }
    int BWidth() const { return FBWidth; }
    void SetBWidth(int w) { FBWidth = w; }

    // Bounds with the width forced to BWidth.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // The left mouse button went up over the arrow.
    void ButtonMouseUp(Qt::MouseButton button);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void AdjustWinSize(int &AWidth, int &AHeight);

    TNovaDropDownSpeedButton *FButton;
    int FBWidth = 16;
};
