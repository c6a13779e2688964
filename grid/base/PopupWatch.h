#pragma once
// A control's pop-up window as the control follows it: its showing and hiding reported, and a focus
// change into it told apart from a real loss of focus (the pop-up takes the keyboard while open).
// The combo's list, the date picker's calendar and the drop-down edits' pop-ups are followed so.
#include <QObject>
#include <QPointer>
#include <functional>

class QFocusEvent;
class QWidget;

class TPopupWatch : public QObject {
public:
    explicit TPopupWatch(QObject *parent = nullptr);

    // Follows this pop-up window from now on (the previous one no more).
    void Watch(QWidget *popup);
    QWidget *Popup() const { return FPopup; }
    // True when a focus-out only hands the keyboard to the pop-up: a pop-up focus change, or the
    // widget taking the focus lies in the pop-up.
    bool FocusGoesToPopup(const QFocusEvent *e) const;

    std::function<void()> OnShow;
    std::function<void()> OnHide;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QPointer<QWidget> FPopup;
};
