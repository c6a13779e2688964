#include "dropdown/NovaDropDown.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <qdrawutil.h>

#include "dropdown/DropDownForm.h"
#include "platform/Clock.h"

using namespace editorkit;

namespace {

// Hands the keys of the pop-up's inner control to the drop-down before the control sees them; the
// control then takes them itself, and they go no further (the pop-up around it does not see them).
class ControlKeys : public QObject {
public:
    explicit ControlKeys(std::function<void(QObject *, QKeyEvent *)> onKey) : m_onKey(std::move(onKey)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return QObject::eventFilter(watched, e);
        m_onKey(watched, static_cast<QKeyEvent *>(e));
        // Accepted too: an ignored key would still travel on to the control's parents.
        e->accept();
        return true;
    }

private:
    std::function<void(QObject *, QKeyEvent *)> m_onKey;
};

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

QPoint DropDownPosition(const QPoint &P, int editHeight, const QSize &popup, TDropPosition position, int screenHeight)
{
    const int below = P.y() + editHeight - 1;
    const int above = P.y() - popup.height();
    switch (position) {
    case dpDown: return {P.x(), below};
    case dpUp: return {P.x(), above};
    case dpAuto: break;
    }
    return {P.x(), P.y() + popup.height() < screenHeight ? below : above};
}

QPoint DropDownPlacement(const QPoint &P, int editHeight, const QSize &popup, TDropPosition position,
                         int screenHeight, const QRect &workArea)
{
    QPoint at = DropDownPosition(P, editHeight, popup, position, screenHeight);
    const int workRight = workArea.x() + workArea.width();
    if (workArea.x() >= 0 && at.x() + popup.width() > workRight && at.x() < workRight)
        at.rx() -= at.x() + popup.width() - workRight;
    return at;
}

// ---- construction ---------------------------------------------------------------------------------

TNovaCustomDropDown::TNovaCustomDropDown(QWidget *parent) : TNovaMaskEdit(parent), TLabelledControl(this, 0)
{
    resize(200, 21);
    if (height() < GetMinHeight()) resize(200, GetMinHeight());
    CreateDropDownForm();
    CreateDropDownButton();
    setReadOnly(false);
    SetText(QString());
    FOldText.clear();

    FDropDownHeader = std::make_unique<THeaderAppearance>(this);
    FDropDownHeader->OnChange = [this](QObject *) { HeaderChanged(); };
    FDropDownHeader->OnButtonsChanged = [this](QObject *) { HeaderChanged(); };
    FDropDownFooter = std::make_unique<TFooterAppearance>(this);
    FDropDownFooter->OnChange = [this](QObject *) { FooterChanged(); };
    FDropDownFooter->OnButtonsChanged = [this](QObject *) { FooterChanged(); };
    FButtonAppearance = std::make_unique<TNovaButtonAppearance>();

    FIsWinXP = IsWindowsXPOrLater();
    FIsThemed = IsComCtl6OrLater();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(tsOffice2007Luna);
    setMouseTracking(true);
}

TNovaCustomDropDown::~TNovaCustomDropDown()
{
    // The pop-up goes first, while the drop-down it reports to is whole.
    FControlKeys.reset();
    delete FDropDownForm;
    FDropDownForm = nullptr;
}

void TNovaCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    auto *form = new TDropDownForm(this);
    form->SetNovaDropDown(this);
    form->hide();
    form->SetRequestedSize({FDropDownWidth, FDropDownHeight});
    form->OnClose = [](QObject *) {};
    form->OnHide = [this](QObject *) { DropDownHidden(); };
    form->OnKeyPress = [this](QObject *, QChar &key) { FormKeyPress(key); };
    form->OnKeyDown = [this](QObject *, int &key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    form->OnKeyUp = [this](QObject *, int &key, Qt::KeyboardModifiers shift) { FormKeyUp(key, shift); };
    form->OnMouseWheelDown = [this](QObject *) { FormMouseWheelDown(); };
    form->OnMouseWheelUp = [this](QObject *) { FormMouseWheelUp(); };
    form->OnDestroy = [this](QObject *) { DropDownFormDestroyed(); };
    form->OnSizing = [this](QObject *) { DropDownResized(); };
    FDropDownForm = form;
    FPopupWatch.Watch(form);
}

void TNovaCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->OnClick = [this](QObject *) { DropDownButtonClick(); };
    }
    SizeDropDownButton();
}

void TNovaCustomDropDown::SizeDropDownButton()
{
    if (!FButton) return;
    FButton->SetBounds(FButton->x(), FButton->y(), FDropDownButtonWidth, 17);
    FButton->show();
    FButton->SetFocusControl(this);
}

// ---- opening and closing --------------------------------------------------------------------------

void TNovaCustomDropDown::ShowDropDown() { DoShowDropDown(); }

void TNovaCustomDropDown::HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }

void TNovaCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TNovaCustomDropDown::DropDownButtonClick()
{
    if (!FDropDownForm || FDropDownForm->isVisible()) return;
    // The click that closed the pop-up by taking its activation must not open it again.
    if (FDropDownForm->HasDeActivated()
        && quint32(quint32(platform::tickMs()) - FDropDownForm->DeActivateTime()) <= 250)
        return;
    DoShowDropDown();
}

void TNovaCustomDropDown::ToggleDropDown()
{
    if (FDroppedDown || (FDropDownForm && FDropDownForm->isVisible())) DoHideDropDown(false);
    else DoShowDropDown();
}

void TNovaCustomDropDown::DoShowDropDown()
{
    if (!FDropDownForm || FDropDownForm->isVisible() || !isEnabled() || isReadOnly()) return;
    BeforeDropDown();
    FDropDownForm->SetShadow(FDropDownShadow);
    FDropDownForm->InitializeAndUpdate();
    FDropDownForm->move(pos());
    UpdateDropDownSize();
    PlaceDropDownControl();
    FDropDownForm->setMinimumSize(80, 50);
    if (FControl) {
        if (!FControlKeys)
            FControlKeys = std::make_unique<ControlKeys>([this](QObject *control, QKeyEvent *e) {
                // The edit first; a key that closed or opened the pop-up, or that a handler took, is done.
                const bool was = FDroppedDown;
                int key = e->key();
                if (e->type() == QEvent::KeyRelease) {
                    ControlKeyUp(key, e->modifiers());
                    if (key != 0) control->event(e);
                    return;
                }
                ControlKeyDown(key, e->modifiers());
                const QChar typed = typedChar(e);
                QChar ch = typed;
                if (key != 0 && !ch.isNull() && FDroppedDown == was) ControlKeyPress(ch);
                if (key == 0 || FDroppedDown != was) return;
                if (!typed.isNull() && ch.isNull()) {
                    QKeyEvent bare(e->type(), e->key(), e->modifiers());
                    control->event(&bare);
                } else {
                    control->event(e);
                }
            });
        FControl->removeEventFilter(FControlKeys.get());
        FControl->installEventFilter(FControlKeys.get());
    }
    const QPoint P = parentWidget() ? parentWidget()->mapToGlobal(pos()) : mapToGlobal(QPoint(0, 0));
    const QScreen *primary = QGuiApplication::primaryScreen();
    const int screenHeight = primary ? primary->geometry().height() : 0;
    const QSize size = FDropDownForm->RequestedSize();
    FDropDownForm->move(DropDownPosition(P, height(), size, FDropPosition, screenHeight));
    bool accept = true;
    if (OnDropDown) OnDropDown(this, accept);
    if (!accept) return;
    const QScreen *screen = QGuiApplication::screenAt(P);
    if (!screen) screen = primary;
    const QRect work = screen ? screen->availableGeometry() : QRect();
    const QPoint Q = DropDownPlacement(P, height(), size, FDropPosition, screenHeight, work);
    int W = size.width(), H = size.height();
    if (FUserDropDownWidth != -1) W = FUserDropDownWidth;
    if (FUserDropDownHeight != -1) H = FUserDropDownHeight;
    // The window takes its place and size before it shows (a shown window's geometry follows later).
    FDropDownForm->setGeometry(Q.x(), Q.y(), W, H);
    FDropDownForm->ShowPopup();
    const int asked = H;
    AdaptDropDownSize(H);
    FDroppedDown = true;
    if (H != asked) FDropDownForm->SetRequestedSize({W, H});
    FDropDownForm->raise();
    FocusDropDownControl();
}

void TNovaCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm) return;
    const bool control = FControl && !FControl->isHidden();
    int w = FDropDownWidth > 0 ? FDropDownWidth : control ? FControl->width() : width();
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible()) h += FDropDownHeader->Height();
        if (FDropDownFooter->Visible()) h += FDropDownFooter->Height();
        if (control) h += FControl->height();
    }
    FDropDownForm->SetRequestedSize({w, h});
}

void TNovaCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FControl) return;
    if (FControl->parentWidget() != FDropDownForm) FControl->setParent(FDropDownForm);
    FControl->move(FControl->x(), FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->show();
    FDropDownForm->LayoutChildren();
}

void TNovaCustomDropDown::FocusDropDownControl()
{
    QWidget *f = FFocusControl;
    if (f && f->focusPolicy() & Qt::TabFocus && f->isEnabled() && f->isVisible() && !f->hasFocus())
        f->setFocus(Qt::OtherFocusReason);
}

void TNovaCustomDropDown::DoHideDropDown(bool Cancel)
{
    if (!FDropDownForm || !(FDropDownForm->isVisible() || FDroppedDown)) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    FUserDropDownWidth = FDropDownForm->width();
    FUserDropDownHeight = FDropDownForm->height();
    if (FDropDownForm->isVisible()) FDropDownForm->HidePopup();
    else DropDownHidden(); // hidden already while its activation was blocked
    QToolTip::hideText();
    if (Cancel) SetText(FOldText);
    if (OnDropUp) OnDropUp(this, Cancel);
}

void TNovaCustomDropDown::DropDownHidden()
{
    FDroppedDown = false;
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible() && !hasFocus()) setFocus(Qt::OtherFocusReason);
}

void TNovaCustomDropDown::HeaderChanged()
{
    if (FDropDownForm && FDropDownForm->isVisible()) FDropDownForm->InitializeAndUpdate();
}

void TNovaCustomDropDown::FooterChanged()
{
    if (FDropDownForm && FDropDownForm->isVisible()) FDropDownForm->InitializeAndUpdate();
}

void TNovaCustomDropDown::SetControl(QWidget *Control)
{
    if (Control == FControl) return;
    if (FControl && FControlKeys) FControl->removeEventFilter(FControlKeys.get());
    FControl = Control;
    PlaceDropDownControl();
}

// ---- keys handed over from the pop-up and its inner control ---------------------------------------

void TNovaCustomDropDown::FormKeyPress(QChar &Key) { SendChar(Key); }

void TNovaCustomDropDown::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift) { SendKeyDown(Key, Shift); }

void TNovaCustomDropDown::FormKeyUp(int &Key, Qt::KeyboardModifiers Shift) { SendKeyUp(Key, Shift); }

void TNovaCustomDropDown::ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift) { SendKeyDown(Key, Shift); }

void TNovaCustomDropDown::ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift) { SendKeyUp(Key, Shift); }

void TNovaCustomDropDown::ControlKeyPress(QChar &Key) { SendChar(Key); }

// ---- the edit's keys ------------------------------------------------------------------------------

bool TNovaCustomDropDown::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress && !FDroppedDown) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Escape) {
            // Esc of a closed drop-down belongs to the window around it (a dialog, a grid's editing).
            SelectAll();
            setModified(false);
            FIsModified = false;
            k->ignore();
            return false;
        }
    }
    return TNovaMaskEdit::event(e);
}

bool TNovaCustomDropDown::DropDownKeyBefore(QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    if ((mods & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        ToggleDropDown();
        e->accept();
        return true;
    }
    if (!FEditorEnabled && isEnabled()) {
        const bool wasOpen = FDroppedDown;
        if (!isReadOnly()) {
            if (isEnter(key)) DoHideDropDown(false);
            else if (key == Qt::Key_Escape) DoHideDropDown(true);
            else if (key == Qt::Key_F4 && !(mods & Qt::AltModifier)) ToggleDropDown();
        }
        if (isEnter(key) || key == Qt::Key_Escape) {
            TNovaMaskEdit::keyPressEvent(e);
            // Enter that closed nothing goes on to the window around the edit.
            if (!wasOpen) e->ignore();
        } else {
            e->accept();
        }
        return true;
    }
    if ((mods & Qt::ControlModifier) && (key == Qt::Key_Tab || isEnter(key))) {
        TNovaMaskEdit::keyPressEvent(e);
        return true;
    }
    return false;
}

void TNovaCustomDropDown::keyPressEvent(QKeyEvent *e)
{
    if (DropDownKeyBefore(e)) return;
    const int key = e->key();
    const bool wasOpen = FDroppedDown;
    if (key == Qt::Key_Delete) SetIsModified(true);
    FKeyAfterHandlers = key;
    TNovaMaskEdit::keyPressEvent(e);
    if (key == Qt::Key_Delete && FEditType == etMoney) ApplyThousandSeparators();
    const int after = FKeyAfterHandlers;
    if (isEnter(after)) {
        DoHideDropDown(false);
        if (!wasOpen) e->ignore();
    } else if (after == Qt::Key_Escape) {
        DoHideDropDown(true);
        e->accept();
    } else if (after == Qt::Key_F4 && !(e->modifiers() & Qt::AltModifier)) {
        ToggleDropDown();
        e->accept();
    }
}

void TNovaCustomDropDown::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    TNovaMaskEdit::KeyDown(key, shift);
    FKeyAfterHandlers = key;
    if ((shift & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) ToggleDropDown();
}

void TNovaCustomDropDown::KeyPress(QChar &key)
{
    TNovaMaskEdit::KeyPress(key);
    if (key == QLatin1Char('\r')) key = QChar();
}

// ---- mouse ----------------------------------------------------------------------------------------

int TNovaCustomDropDown::CharFromPos(const QPoint &Point) const
{
    return const_cast<TNovaCustomDropDown *>(this)->cursorPositionAt(Point);
}

void TNovaCustomDropDown::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        if (!FEditorEnabled) {
            TNovaMaskEdit::mousePressEvent(e);
            DropDownButtonClick();
            return;
        }
        if (hasFocus() && hasSelectedText()) {
            // A press inside the selection keeps it until the release.
            const int at = CharFromPos(e->position().toPoint());
            const int start = selectionStart();
            if (at >= start && at <= start + int(selectedText().size())) {
                FButtonDown = true;
                return;
            }
        }
    }
    TNovaMaskEdit::mousePressEvent(e);
}

void TNovaCustomDropDown::mouseDoubleClickEvent(QMouseEvent *e)
{
    // A display takes no double clicks: the second press is a press like the first.
    if (!FEditorEnabled) mousePressEvent(e);
    else TNovaMaskEdit::mouseDoubleClickEvent(e);
}

void TNovaCustomDropDown::mouseReleaseEvent(QMouseEvent *e)
{
    if (!FEditorEnabled || isReadOnly()) update();
    if (FButtonDown) {
        setCursorPosition(CharFromPos(e->position().toPoint()));
        deselect();
    }
    FButtonDown = false;
    TNovaMaskEdit::mouseReleaseEvent(e);
}

void TNovaCustomDropDown::wheelEvent(QWheelEvent *e)
{
    TNovaMaskEdit::wheelEvent(e);
    const int dy = e->angleDelta().y();
    if (dy < 0) SelectNextValue();
    else if (dy > 0) SelectPrevValue();
    e->accept();
}

void TNovaCustomDropDown::enterEvent(QEnterEvent *e)
{
    TNovaMaskEdit::enterEvent(e);
    if (!FMouseInControl && isEnabled()) {
        FMouseInControl = true;
        if (FButton) FButton->SpeedButton()->SetFocused(IsHot());
        update();
    }
}

void TNovaCustomDropDown::leaveEvent(QEvent *e)
{
    TNovaMaskEdit::leaveEvent(e);
    if (FMouseInControl && isEnabled()) {
        FMouseInControl = false;
        if (FButton) FButton->SpeedButton()->SetFocused(IsHot());
        update();
    }
}

// ---- focus ----------------------------------------------------------------------------------------

bool TNovaCustomDropDown::SelectAllOnEnter() const
{
    return FEditorEnabled && TNovaMaskEdit::SelectAllOnEnter();
}

void TNovaCustomDropDown::DoEnter()
{
    TNovaMaskEdit::DoEnter();
    SetEditRect();
    if (FEditorEnabled && !AutoSelect() && (FEditType == etFloat || FEditType == etMoney)) SelectBeforeDecimal();
}

void TNovaCustomDropDown::focusInEvent(QFocusEvent *e)
{
    if (e->reason() == Qt::PopupFocusReason) {
        // Back from its own pop-up (or a menu): the edit never lost the focus.
        QLineEdit::focusInEvent(e);
        update();
        return;
    }
    TNovaMaskEdit::focusInEvent(e);
    if (FButton) FButton->SpeedButton()->SetFocused(IsHot());
    update();
}

void TNovaCustomDropDown::focusOutEvent(QFocusEvent *e)
{
    if (FPopupWatch.FocusGoesToPopup(e)) {
        QLineEdit::focusOutEvent(e);
        return;
    }
    if (!FLoading) NormaliseOnExit();
    TNovaMaskEdit::focusOutEvent(e);
    if (FButton) FButton->SpeedButton()->SetFocused(IsHot());
    update();
}

bool TNovaCustomDropDown::IsHot() const
{
    return FMouseInControl || hasFocus();
}

// ---- layout ---------------------------------------------------------------------------------------

int TNovaCustomDropDown::GetMinHeight() const
{
    const int h = QFontMetrics(font()).height();
    const int screen = QFontMetrics(QApplication::font()).height();
    return h + std::min(h, screen) / 4;
}

void TNovaCustomDropDown::LayoutEdit() { ResizeButton(); }

void TNovaCustomDropDown::ResizeButton()
{
    if (height() < GetMinHeight()) {
        resize(width(), GetMinHeight());
        return;
    }
    if (FButton) {
        // The rules count in the client area's coordinates, inside the border.
        const QPoint o = ClientRect().topLeft();
        const int bw = FButton->BWidth();
        if (Ctl3D() && BorderStyle() == bsSingle)
            FButton->SetBounds(o.x() + width() - bw - 4, o.y(), bw, height() - 4);
        else
            FButton->SetBounds(o.x() + width() - bw - (Ctl3D() ? 0 : 2), o.y() + 1, bw, height() - 2);
    }
    SetEditRect();
    update();
}

void TNovaCustomDropDown::SetEditRect()
{
    const QRect c = ClientRect();
    const bool single = BorderStyle() == bsSingle;
    const int left = single ? 1 : 2;
    const int top = single ? 1 : 3;
    const int right = c.width() - (FButton ? FButton->width() : 0) - 3;
    const int bottom = c.height() + 1;
    FEditRect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    const int applied = Ctl3D() ? left : left + 1;
    setTextMargins(applied, 0, std::max(0, c.width() - right), 0);
}

void TNovaCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    if (AttachedLabel() && AttachedLabel()->parentWidget()) UpdateLabel();
}

void TNovaCustomDropDown::resizeEvent(QResizeEvent *e)
{
    TNovaMaskEdit::resizeEvent(e);
    UpdateLabel();
}

void TNovaCustomDropDown::moveEvent(QMoveEvent *e)
{
    TNovaMaskEdit::moveEvent(e);
    UpdateLabel();
}

void TNovaCustomDropDown::changeEvent(QEvent *e)
{
    TNovaMaskEdit::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FButton) FButton->setEnabled(isEnabled());
        break;
    case QEvent::FontChange:
        SetEditRect();
        if (FParentFnt && AttachedLabel()) UpdateLabel();
        break;
    case QEvent::ParentChange:
        LabelFollowParent();
        UpdateLabel();
        break;
    case QEvent::ReadOnlyChange:
        if (FButton) FButton->SpeedButton()->update();
        break;
    default: break;
    }
}

void TNovaCustomDropDown::Loaded()
{
    FLoading = false;
    FParentFnt = !testAttribute(Qt::WA_SetFont);
    SetEditRect();
    ResizeButton();
    if (FButton) FButton->setEnabled(isEnabled());
    LabelFollowEnabled(isEnabled());
    UpdateLabel();
}

// ---- properties -----------------------------------------------------------------------------------

void TNovaCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    setAcceptDrops(Value); // a display takes no text dropped on it either
    update();
}

void TNovaCustomDropDown::SetReadOnly(bool Value) { setReadOnly(Value); }

void TNovaCustomDropDown::SetDropDownWidth(int Value)
{
    if (Value == FDropDownWidth) return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TNovaCustomDropDown::SetDropDownHeight(int Value)
{
    if (Value == FDropDownHeight) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TNovaCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (!FButton || Value == FDropDownButtonWidth) return;
    FDropDownButtonWidth = Value;
    FButton->SetBWidth(Value);
    ResizeButton();
}

void TNovaCustomDropDown::SetDropDownButtonHint(const QString &Value)
{
    FDropDownButtonHint = Value;
    if (FButton) FButton->setToolTip(Value); // no hint while empty
}

QImage TNovaCustomDropDown::DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : QImage(); }

void TNovaCustomDropDown::SetDropDownButtonGlyph(const QImage &Value)
{
    if (FButton) FButton->SetGlyph(Value);
}

void TNovaCustomDropDown::SetImages(const TMarkupImageList *Value)
{
    FImages = Value;
    update();
}

QString TNovaCustomDropDown::Version() const
{
    const quint32 v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TNovaCustomDropDown::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    update();
    if (FButton) FButton->SpeedButton()->update();
}

void TNovaCustomDropDown::SetDisabledBorder(bool Value)
{
    if (Value == FDisabledBorder) return;
    FDisabledBorder = Value;
    update();
}

void TNovaCustomDropDown::Assign(const TNovaCustomDropDown &Source)
{
    if (&Source == this) return;
    FFocusDraw = Source.FFocusDraw;
    FForceShadow = Source.FForceShadow;
    FDropDownEnabled = Source.FDropDownEnabled;
    FDropDownColor = Source.FDropDownColor;
    FDropDownColorTo = Source.FDropDownColorTo;
    FDropDownGradient = Source.FDropDownGradient;
    FDropDownBorderColor = Source.FDropDownBorderColor;
    FDropDownBorderWidth = Source.FDropDownBorderWidth;
    FDropDownShadow = Source.FDropDownShadow;
    SetDropDownWidth(Source.FDropDownWidth);
    SetDropDownHeight(Source.FDropDownHeight);
    FDropDownSizeable = Source.FDropDownSizeable;
    SetEditType(Source.FEditType);
    SetPrecision(Source.FPrecision);
    FButtonAppearance->Assign(*Source.FButtonAppearance);
    FDropDownHeader->Assign(*Source.FDropDownHeader);
    FDropDownFooter->Assign(*Source.FDropDownFooter);
    FDropPosition = Source.FDropPosition;
    SetDropDownButtonWidth(Source.FDropDownButtonWidth);
    SetDropDownButtonHint(Source.FDropDownButtonHint);
    FEditorEnabled = Source.FEditorEnabled;
    if (FButton && Source.FButton) {
        FButton->SetGlyph(Source.FButton->Glyph());
        FButton->SetButtonCaption(Source.FButton->ButtonCaption());
    }
    SetImages(Source.FImages);
    SetSelectionColorStyle(Source.FSelectionColorStyle);
    FSelectionColor = Source.FSelectionColor;
    FSelectionColorTo = Source.FSelectionColorTo;
}

// ---- the attached label ---------------------------------------------------------------------------

void TNovaCustomDropDown::DoLabelClick()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TNovaCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

void TNovaCustomDropDown::UpdateLabel()
{
    const QFont f = FParentFnt ? font() : FLabelFont;
    PlaceAttachedLabel(&f);
}

void TNovaCustomDropDown::LabelFontChanged() { UpdateLabel(); }

void TNovaCustomDropDown::setVisible(bool visible)
{
    TNovaMaskEdit::setVisible(visible);
    if (!LabelCaption().isEmpty()) LabelFollowVisible(visible);
}

// ---- painting -------------------------------------------------------------------------------------

void TNovaCustomDropDown::paintEvent(QPaintEvent *e)
{
    TNovaMaskEdit::paintEvent(e);
    PaintNonEditable();
    if (FBorderColor != clNone || FFocusBorderColor != clNone || (!isEnabled() && FDisabledBorder)) {
        QPainter p(this);
        DrawControlBorder(p);
    }
}

void TNovaCustomDropDown::PaintNonEditable()
{
    if (FEditorEnabled || !hasFocus() || !FFocusDraw) return;
    QPainter p(this);
    const QPalette pal = palette();
    const QRect r(QPoint(2, 2), QPoint(width() - FDropDownButtonWidth - 2, height() - 3));
    p.setPen(Qt::black);
    p.setBrush(pal.color(QPalette::Highlight));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(pal.color(QPalette::HighlightedText));
    p.setFont(font());
    p.drawText(r.adjusted(2, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, GetText());
}

void TNovaCustomDropDown::DrawControlBorder(QPainter &p)
{
    if (isEnabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    const QRect R = rect();
    const QPalette pal = palette();
    const bool focused = hasFocus();
    if (!isEnabled() && FIsThemed && FDisabledBorder) {
        frameRect(p, R, QColor(0xC0, 0xC0, 0xC0));
    } else if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone)) {
        frameRect(p, R, toQColor(FBorderColor, pal));
    } else if (FFocusBorderColor != clNone) {
        if (focused) frameRect(p, R, toQColor(FFocusBorderColor, pal));
    } else if (IsHot()) {
        qDrawShadeRect(&p, R, pal, true, 1, 0);
        frameRect(p, R.adjusted(1, 1, -1, -1), pal.color(QPalette::Button));
    } else {
        const QColor back = parentBackground(this);
        frameRect(p, R, back);
        frameRect(p, R.adjusted(1, 1, -1, -1), back);
    }
}

// ---- selection colours ----------------------------------------------------------------------------

void TNovaCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    FSelectionColorStyle = Style;
    switch (Style) {
    case scOffice2007: FSelectionColor = 0xD7FFFD, FSelectionColorTo = 0x58D4FC; break;
    case scWindowsVista: FSelectionColor = 0xFDF8F1, FSelectionColorTo = 0xFCEFD5; break;
    case scWindows7: FSelectionColor = 0xFCEBDC, FSelectionColorTo = 0xFCDBC1; break;
    case scCustom: break;
    }
}

void TNovaCustomDropDown::DrawSelectionBackground(TCanvas &Canvas, const TRect &Rect, int Side, TColor BackColor)
{
    if (FSelectionColorStyle == scCustom) {
        Canvas.Brush.Color = FSelectionColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = FSelectionColor;
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Rectangle(Rect);
        return;
    }
    struct Tones {
        TColor corner, edge, lowerInner, upperInner, lowerTo, lower;
    };
    static const Tones office2007{0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC};
    static const Tones vista{0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone};
    static const Tones seven{0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone};
    const Tones &t = FSelectionColorStyle == scWindowsVista ? vista : FSelectionColorStyle == scWindows7 ? seven : office2007;
    DrawStyledSelection(Canvas, FSelectionColor, FSelectionColorTo, t.lower, t.lowerTo, t.upperInner, t.lowerInner,
                        t.edge, t.corner, BackColor, Rect, Side);
}

void TNovaCustomDropDown::DrawBackGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps,
                                           const TRect &Rect, TGradientDirection Direction)
{
    DrawGradientRect(Canvas, FromColor, ToColor, Steps, Rect, Direction == gdHorizontal);
}

// ---- looks ----------------------------------------------------------------------------------------

void TNovaCustomDropDown::SetComponentStyle(TNovaStyle Style)
{
    FNovaStyle = Style;
    TPopupStyleColors p;
    if (PopupStyleColors(Style, p)) {
        FDropDownColor = p.DropDownColor;
        FDropDownColorTo = p.DropDownColorTo;
        if (p.DropDownBorderColor) FDropDownBorderColor = *p.DropDownBorderColor;
        auto bar = [](auto &a, TColor color, TColor colorTo, TColor font, TColor border) {
            a.SetColor(color);
            a.SetColorTo(colorTo);
            TFont f = a.Font();
            f.Color = font;
            a.SetFont(f);
            a.SetBorderColor(border);
        };
        bar(*FDropDownHeader, p.HeaderColor, p.HeaderColorTo, p.HeaderFontColor, p.HeaderBorderColor);
        bar(*FDropDownFooter, p.FooterColor, p.FooterColorTo, p.FooterFontColor, p.FooterBorderColor);
    }
    TButtonStyleColors b;
    if (ButtonStyleColors(Style, b)) {
        TNovaButtonAppearance &a = *FButtonAppearance;
        a.SetColor(b.Color);
        a.SetColorTo(b.ColorTo);
        a.SetBorderColor(b.BorderColor);
        a.SetColorHot(b.ColorHot);
        a.SetColorHotTo(b.ColorHotTo);
        a.SetBorderColorHot(b.BorderColorHot);
        a.SetColorDown(b.ColorDown);
        a.SetColorDownTo(b.ColorDownTo);
        a.SetBorderColorDown(b.BorderColorDown);
        a.SetColorDisabled(b.ColorDisabled);
        a.SetColorDisabledTo(b.ColorDisabledTo);
        a.SetColorChecked(b.ColorChecked);
        a.SetColorCheckedTo(b.ColorCheckedTo);
        a.SetBorderColorChecked(b.BorderColorChecked);
    }
}

void TNovaCustomDropDown::SetColorTones(const TColorTones &Tones)
{
    if (FButton) {
        FButton->ButtonColor = Tones.Background.BrushColor;
        FButton->ButtonColorHot = Tones.Hover.BrushColor;
        FButton->ButtonColorDown = Tones.Selected.BrushColor;
        FButton->ButtonBorderColor = Tones.Background.BorderColor;
        FButton->SpeedButton()->update();
    }
    SetBorderColor(Tones.Background.BorderColor);
}

void TNovaCustomDropDown::DefineProperties(platform::StreamRecord &Record) const
{
    Record.add("SelectionColorStyle", platform::StreamValue::ofInt(FSelectionColorStyle));
    Record.add("NovaStyle", platform::StreamValue::ofInt(FNovaStyle));
}

void TNovaCustomDropDown::ReadDefinedProperties(const platform::StreamRecord &Record)
{
    // Stored values only: the presets of either are not applied again.
    if (const platform::StreamValue *v = Record.find("SelectionColorStyle"); v && v->kind == platform::StreamValue::Int
                                                                              && v->integer >= scCustom && v->integer <= scWindows7)
        FSelectionColorStyle = TSelectionColorStyle(v->integer);
    if (const platform::StreamValue *v = Record.find("NovaStyle"); v && v->kind == platform::StreamValue::Int
                                                                    && v->integer >= tsOffice2003Blue && v->integer <= tsOffice2010Black)
        FNovaStyle = TNovaStyle(v->integer);
}
