#pragma once
// The in-place editor controls of the string grid other than its text editor: each derives from
// a ready-made control, keeps its grid, hands the keys that end an edit back to the grid, lets the
// grid validate before it moves on, and reports changes through the grid's events.
#include "grid/base/ComboEditor.h"
#include "grid/base/DatePicker.h"
#include "grid/base/DateTimePicker.h"
#include "grid/base/EditBtn.h"
#include "grid/base/GridTypes.h"
#include "grid/base/SpinEdit.h"

#include <QCheckBox>
#include <QPushButton>

class TNovaStringGrid;

// The owner must be a string grid (checked: std::bad_cast otherwise).
TNovaStringGrid *gridOwner(QWidget *AOwner);

class TGridCheckBox : public QCheckBox {
public:
    explicit TGridCheckBox(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    TNovaStringGrid *FGrid;
};

class TGridSpin : public TNsgSpinEdit {
public:
    explicit TGridSpin(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    void UpButtonClick(QObject *sender) override;
    void DownButtonClick(QObject *sender) override;
    void DoSpinClick(bool UpDown);

protected:
    bool KeyMessage(QKeyEvent *e) override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void KeyPress(QChar &key) override;
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;

private:
    // Write, validate; false (key consumed, editor stays) on refusal.
    bool Commit(bool tab);
    TNovaStringGrid *FGrid;
};

class TGridCombo : public TNsgComboBox {
public:
    explicit TGridCombo(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    bool WorkMode = true;
    TNotifyEvent OnReturnKey;
    void SizeDropDownWidth();
    // Notes the choice the list drops with: a different item taken from it fires OnComboChange.
    void showPopup() override;
    // Auto-completion from the items and the grid's lookup list.
    void DoChange();
    // Object of each item (the grid's combo list keeps them here).
    QList<QObject *> ItemObjects;

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
    void KeyUp(int &key, Qt::KeyboardModifiers shift) override;
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;
    void wheelEvent(QWheelEvent *e) override;

private:
    bool Commit(bool tab);
    void Closing(int &key, Qt::KeyboardModifiers shift);
    void FireItemChange();
    int FIndexBeforeKey = -1;
    int FIndexAtDrop = -1; // the choice when the list dropped
    TNovaStringGrid *FGrid;
};

class TGridEditBtn : public TNsgEditBtn {
public:
    explicit TGridEditBtn(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    bool WorkMode = true;
    bool StopEditAfterClick = false;
    void ButtonClick();

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int &key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void KeyPress(QChar &key) override;
    void WMPaste() override;
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    int FSelKeyDown = 0;
    TNovaStringGrid *FGrid;
};

class TGridUnitEditBtn : public TNsgUnitEditBtn {
public:
    explicit TGridUnitEditBtn(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    void ButtonClick();

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void DoExit() override;
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;

private:
    TNovaStringGrid *FGrid;
};

class TGridButton : public QPushButton {
public:
    explicit TGridButton(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool event(QEvent *e) override;

private:
    void Close();
    void Press();
    TNovaStringGrid *FGrid;
};

class TGridDatePicker : public TNsgDateTimePicker {
public:
    explicit TGridDatePicker(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    bool WeekNumbers = false;
    bool ShowToday = true;
    bool ShowTodayCircle = true;
    TNotifyEvent OnPickerChange;
    // After a typed digit: moves to the next field when the digit completed the one it was typed in.
    void ShiftFocus();

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;
    bool event(QEvent *e) override;

private:
    TNovaStringGrid *FGrid;
    // The value's parts before the last typed digit.
    int Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
};

class TGridDateTimePicker : public TNovaDateTimePicker {
public:
    explicit TGridDateTimePicker(QWidget *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }
    TNotifyEvent OnValueChange;

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void Change() override;

private:
    TNovaStringGrid *FGrid;
};
