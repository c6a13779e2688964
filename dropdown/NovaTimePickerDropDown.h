#pragma once
// The time picker: a drop-down edit for a time of day. The edit shows the time through a fixed
// mask (hours, minutes and, with ShowSeconds, seconds, two digits each, in the locale's time
// separator); its pop-up holds the analogue watch and, with ShowTimePicker, the platform's time
// edit below it. Time holds the value; the text, the watch and the time edit follow it. The edit
// takes no typing by default: the watch's mouse and keys set the time; with the editor on, typing
// and the Up and Down keys set it too.
#include "dropdown/AnalogWatch.h"
#include "dropdown/NovaDropDown.h"

#include <QPointer>
#include <QTimeEdit>
#include <memory>

// The text of a time: two digits each, joined by the locale's time separator.
QString TwoDigits(int Value);
QString FormatTimeText(int Hour, int Minute, int Second, bool ShowSeconds);

class TNovaTimePickerDropDown : public TNovaCustomDropDown {
public:
    explicit TNovaTimePickerDropDown(QWidget *AOwner = nullptr);
    ~TNovaTimePickerDropDown() override;

    TDateTime Time() const { return FTime; }
    // Writes the text, which is read back (fractions of a second dropped, and the seconds when
    // they are not shown); while open the watch and the time edit follow. No OnTimeChange.
    void SetTime(TDateTime Value);
    // One field replaced; a value out of range (hour above 23, minute or second above 59) or
    // equal to the current one changes nothing. Then OnTimeChange.
    void SetTimeHour(int Value);
    void SetTimeMinute(int Value);
    void SetTimeSecond(int Value);

    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    TWatchAppearance &WatchAppearance() { return *FWatchAppearance; }
    void SetWatchAppearance(const TWatchAppearance &Value) { FWatchAppearance->Assign(Value); }
    TWatchSettings &WatchSettings() { return *FWatchSettings; }
    void SetWatchSettings(const TWatchSettings &Value) { FWatchSettings->Assign(Value); }

    TNovaWatch *Watch() const { return FNovaWatch; }
    QTimeEdit *TimeEdit() const { return FDateTimePicker; }
    QWidget *Panel() const { return FPanelCtrl; }

    void SetComponentStyle(TNovaStyle Style) override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownHidden() override;
    void FormKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void FormKeyUp(int &Key, Qt::KeyboardModifiers Shift) override;

    editorkit::NotifyEvent OnTimeChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyPress(QChar &Key) override;
    void Change() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

private:
    void SetMask();
    void WatchChange();
    void TimePickerChange();
    void TimePickerKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    void TimePickerKeyUp(int &Key, Qt::KeyboardModifiers Shift);
    void TimePickerKeyPress(QChar &Key);
    void CreateTimePicker();
    // Page Up, Page Down, Up and Down go to the edit only with Alt.
    static bool ForEdit(int Key, bool Alt);
    // The text of the edit as shown, the mask's blanks included.
    QString EditText() const { return displayText(); }
    void ReplaceField(int Field, int Value);

    bool FShowTimePicker = false;
    QPointer<TNovaWatch> FNovaWatch;        // a child of the panel
    QPointer<QTimeEdit> FDateTimePicker;    // a child of the panel
    QPointer<QWidget> FPanelCtrl;           // a child of the pop-up window
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
    // A cancelled close is under way: the watch's time is not taken.
    bool FCancelClose = false;
    std::unique_ptr<QObject> FTimePickerKeys;
};

// Time-text checks of typed times.
// The text holds the separator, a second one exactly when seconds are shown, and no third.
bool IsTimeText(const QString &Text, QChar Separator, bool ShowSeconds);
// Every blank a "0".
QString BlanksToZeros(const QString &Text);
// Empty, or its first (and second) character a digit.
bool IsTimeDigits(const QString &Text);
