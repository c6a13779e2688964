#include "grid/base/EditBtn.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <memory>
#include <qdrawutil.h>

#include "grid/base/Theme.h"

using namespace editorkit;

// ---------------------------------------------------------------- TNovaSpeedButton

TNovaSpeedButton::TNovaSpeedButton(TNsgEditButton *owner) : SpeedButton(owner), FOwner(owner) {}

void TNovaSpeedButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    FPressed = true;
    QAbstractButton::mousePressEvent(e);
}

void TNovaSpeedButton::mouseReleaseEvent(QMouseEvent *e)
{
    const bool fire = e->button() == Qt::LeftButton && FPressed;
    FPressed = false;
    QAbstractButton::mouseReleaseEvent(e);
    setDown(false);
    // The button holds the mouse, so the release counts wherever the pointer is.
    if (fire && FOwner) FOwner->ButtonReleased();
}

void TNovaSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette pal = palette();
    QRect r = rect();
    const bool down = isDown() || isChecked();
    if (FOwner && FOwner->ButtonColor != clNone) {
        const TColor c = FOwner->SpeedButtonFill(down, Hot());
        p.fillRect(r, toQColor(c == clNone ? FOwner->ButtonColor : c, pal));
    } else if (IsWinXP() && IsThemeActive()) {
        // Themed drawing is not available on this platform; classic below.
    } else if (!Flat()) {
        qDrawWinButton(&p, r, pal, down, &pal.brush(QPalette::Button));
        r.adjust(2, 2, -2, -2);
    } else {
        p.fillRect(r, pal.brush(QPalette::Button));
        qDrawShadePanel(&p, r, pal, down, 1);
        r.adjust(1, 1, -1, -1);
    }
    const QPixmap pm = StateGlyph(down);
    if (!pm.isNull()) drawCentredGlyph(&p, rect(), pm, isDown());
    if (!text().isEmpty()) {
        QRect tr = r;
        if (isDown()) tr.translate(1, 1);
        p.setPen(isEnabled() ? QColor(Qt::black) : pal.color(QPalette::Disabled, QPalette::ButtonText));
        p.drawText(tr, Qt::AlignCenter | Qt::TextSingleLine, text());
    }
}

// ---------------------------------------------------------------- TNsgEditButton

TNsgEditButton::TNsgEditButton(QWidget *parent) : TSpeedButtonHolder(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    FButton = new TNovaSpeedButton(this);
    SetHeldButton(FButton);
    FButton->show();
    resize(20, 25);
    FButton->setGeometry(rect());
}

void TNsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TNsgEditButton::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    FButton->setGeometry(rect());
}

void TNsgEditButton::ButtonReleased()
{
    if (OnClick) OnClick(this);
    QWidget *edit = FocusControl();
    if (edit && edit->focusPolicy() != Qt::NoFocus && edit->isEnabled() && edit->isVisible() && !edit->hasFocus())
        edit->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

// ---------------------------------------------------------------- TNsgEditBtn

TNsgEditBtn::TNsgEditBtn(QWidget *parent) : TNovaMaskEdit(parent)
{
    FButton = new TNsgEditButton(this);
    FButton->resize(18, 18);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](QObject *s) { EditButtonClick(s); };
    FButton->setCursor(Qt::ArrowCursor);
    FButton->show();
    setText(QStringLiteral("0"));
    resize(121, MinHeight() + 4);
    LayoutEdit();
}

void TNsgEditBtn::SetRightAlign(bool v)
{
    if (v == FRightAlign) return;
    FRightAlign = v;
    setAlignment((v ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TNsgEditBtn::SetButtonWidth(int w)
{
    FButtonWidth = w;
    FButton->resize(w, FButton->height());
    LayoutEdit();
}

void TNsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->SetIsWinXP(v);
}

int TNsgEditBtn::MinHeight() const
{
    const int h = QFontMetrics(font()).height();
    const int s = QFontMetrics(QApplication::font()).height();
    return h + qMin(h, s) / 4;
}

QRect TNsgEditBtn::EditRect() const
{
    const QRect c = ClientRect();
    const int m = BorderStyle() == bsSingle ? 1 : 3;
    int right = c.width() - FButton->width() - 5 - FUnitSize;
    if (FUnitSize > 0) right -= 3;
    return QRect(QPoint(c.left() + m, c.top() + m), QPoint(c.left() + right - 1, c.top() + c.height()));
}

void TNsgEditBtn::LayoutEdit()
{
    if (FButton) PlaceRightButton(FButton, EditRect());
}

void TNsgEditBtn::EditButtonClick(QObject *sender)
{
    if (OnClickBtn) OnClickBtn(sender);
}

void TNsgEditBtn::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    TNovaMaskEdit::KeyDown(key, shift);
    if (key == Qt::Key_F4 && !(shift & (Qt::ControlModifier | Qt::AltModifier))) EditButtonClick(this);
}

void TNsgEditBtn::WMChar(QChar &ch, const QKeyEvent *e)
{
    if (!FEditorEnabled) {
        ch = QChar(); // dropped without a sound
        return;
    }
    TNovaMaskEdit::WMChar(ch, e);
}

// ---------------------------------------------------------------- TNsgUnitEditBtn

TNsgUnitEditBtn::TNsgUnitEditBtn(QWidget *parent) : TNsgEditBtn(parent)
{
    FUnitSize = 20;
    SetRightAlign(true);
    LayoutEdit();
}

void TNsgUnitEditBtn::SetUnitID(const QString &unit)
{
    FUnitID = unit;
    update();
}

void TNsgUnitEditBtn::SetUnitSpace(int w)
{
    FUnitSize = w;
    LayoutEdit();
    update();
}

void TNsgUnitEditBtn::SetTextAndUnit(const QString &value)
{
    for (const QString &u : FUnits) {
        if (u.isEmpty()) continue;
        const int at = value.indexOf(u);
        if (at >= 0 && at + u.size() == value.size()) {
            setText(value.left(at));
            SetUnitID(u);
            return;
        }
    }
}

QPoint TNsgUnitEditBtn::UnitMenuPoint() const
{
    const QRect c = ClientRect();
    return mapToGlobal(QPoint(c.left() + c.width() - 15, c.top() + c.height()));
}

void TNsgUnitEditBtn::EditButtonClick(QObject *)
{
    if (OnClickBtn) OnClickBtn(this);
    QMenu menu;
    for (int i = 0; i < FUnits.size(); ++i) menu.addAction(FUnits.at(i))->setData(i + 1);
    if (QAction *chosen = menu.exec(UnitMenuPoint())) UnitMenuCommand(chosen->data().toInt());
}

void TNsgUnitEditBtn::UnitMenuCommand(int n)
{
    if (n < 1 || n > FUnits.size()) return;
    const QString previous = FUnitID;
    SetUnitID(FUnits.at(n - 1));
    if (FUnitID != previous && OnUnitChanged) OnUnitChanged(this, FUnitID);
}

QRect TNsgUnitEditBtn::UnitRect() const
{
    const QRect c = ClientRect();
    const int right = c.width() - (Button()->width() + 3);
    return QRect(c.left() + right - FUnitSize, c.top() + 2, FUnitSize, c.height() - 2);
}

void TNsgUnitEditBtn::paintEvent(QPaintEvent *e)
{
    TNsgEditBtn::paintEvent(e);
    if (FUnitID.isEmpty()) return;
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QRect r = UnitRect();
    p.setClipRect(r);
    // Text baseline lined up with the edit's own text.
    const QFontMetrics fm(font());
    const int y = (height() - fm.height() + 1) / 2;
    p.drawText(QRect(r.left(), qMax(r.top(), y), r.width(), fm.height()), Qt::AlignLeft | Qt::AlignTop, FUnitID);
}
