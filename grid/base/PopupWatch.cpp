#include "grid/base/PopupWatch.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

TPopupWatch::TPopupWatch(QObject *parent) : QObject(parent) {}

void TPopupWatch::Watch(QWidget *popup)
{
    if (popup == FPopup) return;
    if (FPopup) FPopup->removeEventFilter(this);
    FPopup = popup;
    if (popup) popup->installEventFilter(this);
}

bool TPopupWatch::FocusGoesToPopup(const QFocusEvent *e) const
{
    if (e->reason() == Qt::PopupFocusReason) return true;
    const QWidget *to = QApplication::focusWidget();
    return to && FPopup && (to == FPopup || FPopup->isAncestorOf(to));
}

bool TPopupWatch::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == FPopup) {
        if (e->type() == QEvent::Show && OnShow) OnShow();
        else if (e->type() == QEvent::Hide && OnHide) OnHide();
    }
    return QObject::eventFilter(watched, e);
}
