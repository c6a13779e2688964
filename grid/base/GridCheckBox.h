#pragma once
// The grid's owner-drawn check box (the search bar's match-case and highlight options):
// classic or themed glyph left or right of the caption, optional transparency, read-only mode.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QCheckBox>

class TNovaCheckBox : public QCheckBox {
public:
    // The platform's check-box state and vertical text layout.
    enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
    enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

    explicit TNovaCheckBox(QWidget *AOwner = nullptr);
    ~TNovaCheckBox() override;

    // Checked := not Checked, unless read-only.
    void Toggle();
    // Fires OnClick (and the clicked signal).
    virtual void Click();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Checked() const { return FState == cbChecked; }
    bool GetChecked() const { return Checked(); }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value); // taLeftJustify: glyph left; taRightJustify: glyph right
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value);
    bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool Value);
    // Background colour; ParentColor (on by default) takes the parent's instead.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    // Pressed by the mouse or by Space.
    bool Down() const { return FDown; }
    bool Hot() const { return FHot; }

    // Paints onto any canvas (the widget paints itself through it).
    void PaintTo(TCanvas &Canvas);
    // Where the glyph goes in the client area.
    TRect GlyphRect() const;

    TNotifyEvent OnClick;

    QSize sizeHint() const override { return QSize(98, 20); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    bool hitButton(const QPoint &) const override { return false; }
    void nextCheckState() override {}
    void checkStateSet() override {}

private:
    void setDown(bool Value);
    void repaintGlyph();
    bool isFocused() const;

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    QString FCaption;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    QImage FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TColor FFontColor = clWindowText;
};
