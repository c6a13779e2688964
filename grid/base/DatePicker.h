#pragma once
// Date-time picker with its own frame, border and focus colours, a painted drop-down button
// and a flat "Metro" look. The grid's in-place date and time pickers derive from it.
#include <QDateTimeEdit>
#include <functional>

#include "grid/base/EditorKit.h"
#include "grid/base/PopupWatch.h"

// The platform picker's kind and date mode.
enum TDateTimeKind : quint8 { dtkDate, dtkTime };
enum TDTDateMode : quint8 { dmComboBox, dmUpDown };

class TNsgDateTimePicker : public QDateTimeEdit, public editorkit::ButtonColors {
public:
    using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
    using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;

    explicit TNsgDateTimePicker(QWidget *parent = nullptr);

    // Platform picker.
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind k);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode m);
    // Display format in the locale's pattern letters (d, M, y; h, n or m, s); empty: the locale's.
    QString Format() const { return FFormat; }
    void SetFormat(const QString &f);
    editorkit::TDateTime DateTime() const;
    void SetPickerDateTime(editorkit::TDateTime v);
    editorkit::TDateTime Date() const;
    editorkit::TDateTime Time() const;
    void SetTime(editorkit::TDateTime t);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v) { FShowCheckbox = v; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v) { FChecked = v; }
    bool DroppedDown() const;
    // Opens the calendar (drop-down date mode only), as F4 and Alt+Down do.
    void DropDown();
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);

    // Own look.
    editorkit::TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(editorkit::TBorderStyle s);
    editorkit::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(editorkit::TColor c);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    editorkit::TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(editorkit::TColor c) { FFocusBorderColor = c; update(); }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v) { FDisabledBorder = v; update(); }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; update(); }
    editorkit::TColor Color() const { return FColor; }
    void SetColor(editorkit::TColor c);
    int ButtonWidth() const { return FButtonWidth; }
    bool IsWinXP() const { return FIsWinXP; }

    virtual QString Version() const { return QStringLiteral("1.0.0.0"); }
    virtual quint32 VersionNumber() const { return 0x01000000; }
    void SetVersion(const QString &) {}

    bool MouseInControl() const { return FPointer.inControl; }
    bool ButtonHover() const { return FPointer.overButton; }
    bool HasFocus() const { return FHasFocus; }
    // Whether the flat Metro look is in force.
    virtual bool MetroLook() const { return FMetroStyle; }
    QRect ButtonRect() const;

    editorkit::NotifyEvent OnChange;
    editorkit::NotifyEvent OnDropDown;
    editorkit::NotifyEvent OnCloseUp;
    editorkit::NotifyEvent OnEnter;
    editorkit::NotifyEvent OnExit;
    KeyEvent OnKeyDown;
    KeyPressEvent OnKeyPress;

protected:
    // Hooks of a derived in-place picker, in the platform's key order.
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar &key);
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool WantSpecialKey(int key, Qt::KeyboardModifiers shift);
    // The outer border (3-D look off) and the look drawn after the platform's painting.
    virtual void PaintOwnLook(QPainter &p);
    void DrawOuterBorder(QPainter &p);
    void DrawFrame(QPainter &p);
    void DrawButton(QPainter &p);
    QColor OuterBorderColor() const;

    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

    bool FIsThemed = false;

private:
    void ApplyFormat();
    void WatchCalendar();

    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    QString FFormat;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FCtl3D = true;
    editorkit::TBorderStyle FBorderStyle = editorkit::bsNone;
    editorkit::TColor FBorderColor = editorkit::clNone;
    int FButtonWidth = 0;
    editorkit::DropButtonPointer FPointer;
    bool FIsWinXP = true;
    bool FMetroStyle = false;
    editorkit::TColor FFocusBorderColor = editorkit::clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
    editorkit::TColor FColor = editorkit::clWindow;
    TPopupWatch FCalendarWatch;
    bool FSettingValue = false;
    // The full value: a format without time fields must not lose the time of day.
    editorkit::TDateTime FValue = 0;
};

// The picker with the automatic move to the next field after typing (AutoTab).
class TCustomDateTimePicker : public TNsgDateTimePicker {
public:
    explicit TCustomDateTimePicker(QWidget *parent = nullptr);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v) { FAutoTab = v; }
    virtual bool IsDefaultFrame() const { return true; }
    void SetBorderStyle(editorkit::TBorderStyle s) override;
    bool MetroLook() const override { return MetroStyle() && !IsDefaultFrame(); }
    // Runs after a typed digit has been handled: moves on when the field is complete.
    virtual void AdvanceDateField();
    // The registered event type that runs AdvanceDateField.
    static int ShiftFocusEventType();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool event(QEvent *e) override;
    void PaintOwnLook(QPainter &p) override;
    // Remembers the value parts a typed digit may change.
    virtual void RememberBeforeDigit();
    void PostRightArrow();

    quint16 Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
    bool FAutoTab = false;
};
