#pragma once
// The grid's own push button: flat with colour gradients, optional glyphs for each state,
// exclusive groups among the buttons of one parent, a check style and a drop-down part.
// The search bar places its find and close buttons with it; it can sit on any form too.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QAbstractButton>
#include <QImage>
#include <QMenu>
#include <QPointer>


class QAction;

class TNovaGridButton : public QAbstractButton {
public:
    // The platform's button layout and state (kept in the class: other buttons of the program
    // have layouts of their own with the same member names).
    enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

    explicit TNovaGridButton(QWidget *AOwner = nullptr);
    ~TNovaGridButton() override;

    // The platform's click: fires OnClick (and the clicked signal).
    virtual void Click();
    // After the stored settings are applied: builds the shadow glyph, applies the desktop scheme.
    void Loaded();

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TNovaGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TNovaGridButtonStyle Value);

    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value); // values below -1 are refused
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    QMenu *DropDownMenu() const { return FDropDownMenu.data(); }
    void SetDropDownMenu(QMenu *Value) { FDropDownMenu = Value; }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value);

    // Colours (clNone: none). The face colour is Color.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value);
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value);
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value);
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    // Glyphs: any change repaints. Setting Glyph also derives the disabled glyph unless one of
    // its own was given.
    const QImage &Glyph() const { return FGlyph; }
    void SetGlyph(const QImage &Value);
    const QImage &GlyphHot() const { return FGlyphHot; }
    void SetGlyphHot(const QImage &Value);
    const QImage &GlyphDown() const { return FGlyphDown; }
    void SetGlyphDown(const QImage &Value);
    const QImage &GlyphDisabled() const { return FGlyphDisabled; }
    void SetGlyphDisabled(const QImage &Value);
    const QImage &GlyphShade() const { return FGlyphShade; }

    // Colour preset 0..6; other values change nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);

    // The linked action: caption, checked state and enabled state follow it.
    QAction *Action() const { return FAction.data(); }
    void SetAction(QAction *Value);

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    // Paints the button onto any canvas (the widget paints itself through it).
    void PaintTo(TCanvas &Canvas);

    // Glyph and text placement for a content rectangle, as painting uses them.
    struct TButtonContentLayout {
        TPoint GlyphPos;
        TRect TextBounds;
    };
    TButtonContentLayout CalcButtonLayout(TCanvas &Canvas, const TRect &Client, TPoint Offset) const;

    // The colour presets' table row for a look number (exposed for the theme adaptation).
    static void ApplyXPColorScheme(TNovaGridButton &button);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDropDown;

    QSize sizeHint() const override { return QSize(23, 22); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    bool hitButton(const QPoint &) const override { return false; }

private:
    void buttonPressed(int Group, TNovaGridButton *Sender);
    void updateExclusive();
    void updateTracking(const QPoint &pos);
    void mouseEnter();
    void mouseLeave();
    void createShadeGlyph();
    void createDisabledGlyph();
    void repaint() { update(); }
    bool inside(const QPoint &p) const;
    bool hotLook() const;
    void fillFace(TCanvas &Canvas, const TRect &R, TColor From, TColor To, TColor PenColor);
    void DrawButtonContents(TCanvas &Canvas, const TRect &R, TPoint Offset, bool pressed, bool hot);
    void actionChanged();

    bool FIsComCtl6;
    int FGroupIndex = 0;
    QImage FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    TColor FFontColor = clBtnText;
    QImage FGlyphDisabled, FGlyphHot, FGlyphDown, FGlyphShade;
    bool FGlyphDisabledDerived = false;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TNovaGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    QPointer<QMenu> FDropDownMenu;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    QString FCaption;
    QPointer<QAction> FAction;
    QMetaObject::Connection FActionConn;
    bool FLoading = false;
};

// Gradient of 16 horizontal bands from top to bottom, each overlapping the next by one pixel.
void DrawButtonGradient(TCanvas &Canvas, TColor From, TColor To, const TRect &R);
