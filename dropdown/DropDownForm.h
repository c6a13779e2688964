#pragma once
// The frameless pop-up window that every drop-down edit opens under or above itself. It holds the
// drop-down's header (top) and footer (bottom) and the descendant's inner control between them,
// paints the drop-down's background and frame, takes every key (Tab, Enter and Esc too) for its
// drop-down, and closes the drop-down when the platform closes the pop-up because another window
// takes over (a press outside it): with cancel unless CancelOnDeActivate is off. Its bottom-right
// corner and the footer's grip resize it without any window manager.
#include "grid/base/Canvas.h"
#include "grid/base/EditorKit.h"
#include "grid/base/DropDownAppearance.h"

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>

class TNovaCustomDropDown;
class TNovaHeader;
class TNovaFooter;

class TDropDownForm : public QWidget {
public:
    using TKeyEvent = std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)>;
    using TKeyPressEvent = std::function<void(QObject *Sender, QChar &Key)>;

    // A pop-up window owned by AOwner (a drop-down, or any widget while tests drive it alone).
    explicit TDropDownForm(QWidget *AOwner);
    ~TDropDownForm() override;

    TNovaCustomDropDown *NovaDropDown() const { return FNovaDropDown; }
    void SetNovaDropDown(TNovaCustomDropDown *Value) { FNovaDropDown = Value; }
    TNovaHeader *Header() const { return FHeader; }
    TNovaFooter *Footer() const { return FFooter; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool Value) { FShadow = Value; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    // While set, the pop-up losing the activation is no closing: the platform may hide it, and it
    // shows again, still dropped down, when the block ends.
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value);
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    // Tick (platform::tickMs, 32 bits) of the last deactivation while visible.
    quint32 DeActivateTime() const { return FDeActivate; }
    bool HasDeActivated() const { return FHasDeActivated; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    // The size asked for, within the minimum size. A window the platform has made takes a new size
    // only when the platform reports it, so the drop-down reads what it asked for here.
    void SetRequestedSize(const QSize &Value);
    QSize RequestedSize() const { return FRequestedSize.expandedTo(minimumSize()); }

    // Builds or refreshes header and footer from the drop-down.
    void InitializeAndUpdate();
    // Header at the top, footer at the bottom, the drop-down's inner control between them (once the
    // pop-up shows), all inside the frame.
    void LayoutChildren();
    virtual void UpdateSize() {}
    // The background and frame (public for tests on a recording canvas).
    void PaintBackground(TCanvas &Canvas);
    // Shows and hides the window as the drop-down's own act (not a deactivation).
    void ShowPopup();
    void HidePopup();
    // The user's sizing from the bottom-right corner, by screen positions.
    void BeginUserSizing(const QPoint &globalPos);
    void UserSizingMove(const QPoint &globalPos);
    void EndUserSizing();
    bool UserSizing() const { return FSizing; }

    editorkit::NotifyEvent OnClose;
    editorkit::NotifyEvent OnHide;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    editorkit::NotifyEvent OnMouseWheelDown;
    editorkit::NotifyEvent OnMouseWheelUp;
    editorkit::NotifyEvent OnDestroy;
    editorkit::NotifyEvent OnSizing;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    // The platform took the pop-up away (a press outside it, another window activated).
    void DeActivated();
    bool InSizingCorner(const QPoint &p) const;

    TNovaCustomDropDown *FNovaDropDown = nullptr;
    TNovaHeader *FHeader = nullptr;
    TNovaFooter *FFooter = nullptr;
    bool FShadow = true;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FSizeable = false;
    quint32 FDeActivate = 0;
    bool FHasDeActivated = false;
    TModalResult FModalResult = 0;
    bool FOwnHiding = false;
    bool FHiddenWhileBlocked = false;
    bool FSizing = false;
    QPoint FSizingFrom;
    QSize FRequestedSize;
    QSize FSizingSize;
};
