#pragma once
// The analogue watch of the time picker: a clock face with marks, numbers, an AM/PM label, hands
// and a centre point, on which the mouse and the picker's keys set the time. Hand moves run on an
// animation timer; with its settings' Auto the watch shows the running clock instead. Everything
// but the hands is kept in a cached picture, so moving hands never redraw the face.
#include "dropdown/WatchAppearance.h"
#include "grid/base/EditorKit.h"
#include "grid/base/NumberDate.h"

#include <QImage>
#include <QWidget>
#include <memory>

// The fields of a time of day.
struct TClockTime {
    int h = 0, m = 0, s = 0, ms = 0;
};
TClockTime DecodeClockTime(TDateTime Time);

class TNovaWatch : public QWidget, public INovaStyle {
public:
    explicit TNovaWatch(QWidget *AOwner = nullptr);
    ~TNovaWatch() override;

    TWatchAppearance &Appearance() { return *FAppearance; }
    void SetAppearance(const TWatchAppearance &Value) { FAppearance->Assign(Value); }
    TWatchSettings &Settings() { return *FSettings; }
    void SetSettings(const TWatchSettings &Value) { FSettings->Assign(Value); }

    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    // The divisor of an animation step; below 1 it counts as 1.
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    // A new style resets the appearance and applies the style's presets.
    void SetStyle(TWatchStyle Value);
    bool AM() const { return FAM; }

    // Hours of 24 or more are ignored; minutes of 60 or more raise "Invalid time".
    void SetHour(int Value);
    void SetMinute(int Value);
    void SetComponentStyle(TNovaStyle AStyle) override;
    // Keys the time picker hands on (Qt key codes).
    void WatchKeyDown(int Key);

    // Geometry (client coordinates).
    TRect GetWatchRect() const;
    TPoint GetCenter() const;
    int GetRadius() const;
    // The AM/PM box ((-1, -1, -1, -1) without ShowAMPM), measured on the canvas given or on the
    // watch's own.
    TRect GetAMPMRect(TCanvas &Canvas) const;
    TRect GetAMPMRect() const;
    int MinuteAtPos(int X, int Y) const;
    int HourAtPos(int X, int Y) const;

    // The time the hands show: Time, or in automatic mode now plus the offset.
    TDateTime ShownTime() const;

    // Painting on any canvas: the face parts, then the hands.
    void PaintTo(TCanvas &Canvas);
    void DrawFace(TCanvas &Canvas) const;
    void DrawTickMarks(TCanvas &Canvas) const;
    void DrawNumbers(TCanvas &Canvas) const;
    void DrawAMPM(TCanvas &Canvas) const;
    void DrawHands(TCanvas &Canvas);

    void AnimationTimerTick();
    bool Animating() const { return FAnimationTimer->isActive(); }
    bool ClockRunning() const { return FWatchTimer->isActive(); }

    TNotifyEvent OnChange;

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void PaintAll();
    void RepaintHands();
    void SettingsChanged();
    void SetAM(bool Value);
    void SetTimeInternal(TDateTime Value);
    void followClockAM();
    bool StepHour(int &Hour, int Step) const;
    bool StepMinute(int &Minute, int Step) const;
    int factor() const { return FAnimationFactor < 1 ? 1 : FAnimationFactor; }
    void hourAtOnce(int Value);
    void rollAMPM(bool From);
    void drawRoll(TCanvas &Canvas) const;
    // The label's box: a rectangle or a rounded one, by AMPMFrame.
    void drawAMPMFrame(TCanvas &Canvas, const TRect &Box) const;

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    QImage FBKGCache;
    bool FCacheValid = false;
    std::unique_ptr<editorkit::EditorTimer> FWatchTimer;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    std::unique_ptr<editorkit::EditorTimer> FAnimationTimer;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    // The AM/PM roll in progress: the label window's offset into "AM" over "PM" (-1: none).
    int FRollOffset = -1;
    // Measures the label where no paint canvas is at hand (the pointer over the watch).
    mutable std::unique_ptr<TImageCanvas> FMeasure;
};
