#pragma once
// TLbButton: the owner-drawn push button of every window.
//
// It paints itself in one of six styles (bsNormal, bsEncarta, bsModern, bsOld, bsShape,
// bsQuicken), may carry a glyph strip (cells: normal, disabled, pressed, hot), takes a hover
// colour while the pointer is over it and a pressed colour while held, closes its dialog with
// ModalResult, can drop down a pop-up menu and can be the Default (Enter) or Cancel (Escape)
// button of its window.
//
// Clicking: a left press takes the focus and shows the button pressed; the release clicks
// only when it happens inside the button. Enter or Space pressed on the focused button and
// released click it too. A click runs, in order: OnClick, then ModalResult (1 accepts the
// dialog, 2 rejects it, any other value n calls done(n)), then the pop-up menu, then the
// attached action. Slots connected to clicked() run after that.
//
// Default / Cancel: Enter (Default) or Escape without Shift (Cancel) that the focused control
// leaves unhandled clicks the button, unless the focused control is itself a push button
// (its class name holds "BUTTON" but not "RADIOBUTTON"): check boxes, radio buttons and edits
// pass the key on, other push buttons keep it.
//
// A button without a caption (an icon button) takes its hint as its accessible name, kept in
// step when the hint changes (a language change) and when the button is shown.
//
// Hover fade: with SlowDecease the hover colour fades back in 8 steps of 30 ms after the
// pointer leaves; the timer for it exists only once such a fade has started.
#include "shell/controls/LbButtons.h"

#include <QAbstractButton>
#include <QAction>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <functional>

class QTimer;

class TLbButton : public QAbstractButton {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject *sender)>;

    explicit TLbButton(QWidget *parent = nullptr);
    ~TLbButton() override;

    // Event handlers (Sender = this button). OnClick runs before the ModalResult closes the form.
    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    // Caption: QAbstractButton::setText / text ("&" marks the accelerator letter).

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment a); // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter

    bool isCancel() const { return m_cancel; }
    void setCancel(bool on);
    bool isDefault() const { return m_default; }
    void setDefault(bool on);

    // Applies a colour preset; reads back lcsCustom always.
    TLbColorStyle colorStyle() const { return lcsCustom; }
    void setColorStyle(TLbColorStyle preset);

    TLbColor color() const { return m_color; }
    void setColor(TLbColor c);
    TLbColor colorWhenDown() const { return m_colorWhenDown; }
    void setColorWhenDown(TLbColor c) { m_colorWhenDown = c; }
    TLbColor hotTrackColor() const { return m_hotTrackColor; }
    void setHotTrackColor(TLbColor c) { m_hotTrackColor = c; }
    TLbColor lightColor() const { return m_lightColor; }
    void setLightColor(TLbColor c);
    TLbColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(TLbColor c);
    TLbColor fontColor() const { return m_fontColor; } // the caption's colour
    void setFontColor(TLbColor c);

    bool isFlat() const { return m_flat; }
    void setFlat(bool on);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);

    // The glyph strip: NumGlyphs := width div height, Kind := bkCustom. A null image empties it.
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage &strip);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int n);
    TLbButtonLayout glyphLayout() const { return m_layout; }
    void setGlyphLayout(TLbButtonLayout l);

    QFont hotTrackFont() const { return m_hotTrackFont; }
    void setHotTrackFont(const QFont &f) { m_hotTrackFont = f; }
    bool useHotTrackFont() const { return m_useHotTrackFont; }
    void setUseHotTrackFont(bool on) { m_useHotTrackFont = on; }

    // Glyph, caption and modal result of a standard kind.
    TLbButtonKind kind() const { return m_kind; }
    void setKind(TLbButtonKind k);

    int modalResult() const { return m_modalResult; }
    void setModalResult(int r); // also sets Kind to bkCustom

    bool slowDecease() const { return m_slowDecease; }
    void setSlowDecease(bool on);

    TLbButtonStyle buttonStyle() const { return m_style; }
    void setButtonStyle(TLbButtonStyle s);

    QMenu *popupMenu() const { return m_popup; }
    void setPopupMenu(QMenu *menu); // not owned

    // Caption, enabled state, hint and visibility follow the action; a click triggers it.
    QAction *action() const { return m_action; }
    void setAction(QAction *action); // not owned

    // Clicks the button as the user would (only while visible and enabled).
    void Click();

    // Run-time state.
    bool isCursorOnButton() const { return m_cursorOnButton; }
    int hotTrackStep() const { return m_hotTrackStep; } // hover intensity in eighths
    bool isFading() const;                              // a hover fade is running

    QSize sizeHint() const override;

Q_SIGNALS:
    void mouseEntered();
    void mouseExited();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void clickAction();
    void fadeStep();
    void actionChanged();
    void updateDialogKeyFilter();
    // A button without a caption is named by its hint for screen readers.
    void updateAccessibleName();
    bool handleDialogKey(QKeyEvent *e);
    void drawButton(QPainter &p, int w, int h, bool pressed, bool hot, TLbColor light);

    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TLbColor m_shadowColor = lbGray;
    TLbColor m_colorWhenDown = lbNoColor;
    TLbColor m_color = lbBtnFace;
    TLbColor m_hotTrackColor = lbNoColor;
    TLbColor m_lightColor = lbWhite;
    TLbColor m_fontColor = lbWindowText;
    bool m_flat = false;
    bool m_wordWrap = false;
    QImage m_glyph;
    QFont m_hotTrackFont;
    TLbButtonKind m_kind = bkCustom;
    TLbButtonLayout m_layout = blGlyphLeft;
    int m_modalResult = 0;
    int m_numGlyphs = 0;
    bool m_useHotTrackFont = false;
    TLbButtonStyle m_style = bsNormal;
    bool m_default = false;
    bool m_cancel = false;
    bool m_slowDecease = false;
    bool m_cursorOnButton = false;
    bool m_mouseHeld = false;    // pressed by the pointer (not by a key)
    bool m_pointerInside = true; // while held: the pointer is over the button
    int m_hotTrackStep = 0;
    QTimer *m_fadeTimer = nullptr; // created by the first fade
    QPointer<QMenu> m_popup;
    QPointer<QAction> m_action;
    QPointer<QWidget> m_keyWindow; // window whose unhandled Enter/Escape we watch
    bool m_nameFromHint = false;   // the accessible name is the hint, set by updateAccessibleName
};
