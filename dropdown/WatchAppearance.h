#pragma once
// The look and the time source of the analogue watch: TWatchAppearance (face, border, marks,
// numbers, hands, centre point, AM/PM label, picture) and TWatchSettings (a set time or the
// running clock with an offset), with the two preset tables that fill an appearance: the watch
// styles and the colour sets by component style. The watch and the time picker keep one of each.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/Theme.h"

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>

enum TWatchShape : std::uint8_t { wsCircle, wsRect, wsRoundRect };
// wgRadial runs the colour from left to right, every other value from top to bottom.
enum TWatchGradient : std::uint8_t { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum THourMarkStyle : std::uint8_t { hmsLine, hmsQuartDblLine };
enum TTickMarks : std::uint8_t { tmAll, tmHours, tmQuartHours, tmNone };
enum TPointerStyle : std::uint8_t { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame : std::uint8_t { apRect, apRoundRect };
enum TWatchBorderStyle : std::uint8_t { wbLine };
enum TWatchStyle : std::uint8_t {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
    wsSuperNova, wsSports, wsSmooth
};

// Every setter stores a changed value and raises OnChange; the fonts and the picture are copied
// and always raise it, and so does a change of the picture itself.
class TWatchAppearance : public QObject {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;

    // Every field; only the last three (outer centre ring, tick marks, hour mark style) through
    // their setters.
    void Assign(const TWatchAppearance &Source);
    // Back to the values of creation, without notice.
    void Reset();

    int Size() const { return FSize; }
    void SetSize(int Value) { set(FSize, Value); }
    TWatchShape Shape() const { return FWatchShape; }
    void SetShape(TWatchShape Value) { set(FWatchShape, Value); }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { set(FBackgroundColor, Value); }
    TColor BackgroundColorTo() const { return FBackgroundColorTo; }
    void SetBackgroundColorTo(TColor Value) { set(FBackgroundColorTo, Value); }
    TWatchGradient BackgroundGradient() const { return FBackgroundGradient; }
    void SetBackgroundGradient(TWatchGradient Value) { set(FBackgroundGradient, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { set(FBorderColor, Value); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { set(FBorderWidth, Value); }
    const THTMLPicture &Picture() const { return *FPicture; }
    THTMLPicture &Picture() { return *FPicture; }
    void SetPicture(const THTMLPicture &Value);

    TColor HourColor() const { return FHourColor; }
    void SetHourColor(TColor Value) { set(FHourColor, Value); }
    std::uint8_t HourMarkLength() const { return FHourMarkLength; }
    void SetHourMarkLength(std::uint8_t Value) { set(FHourMarkLength, Value); }
    std::uint8_t HourMarkWidth() const { return FHourMarkWidth; }
    void SetHourMarkWidth(std::uint8_t Value) { set(FHourMarkWidth, Value); }
    THourMarkStyle HourMarkStyle() const { return FHourMarkStyle; }
    void SetHourMarkStyle(THourMarkStyle Value) { set(FHourMarkStyle, Value); }
    TColor MinuteColor() const { return FMinuteColor; }
    void SetMinuteColor(TColor Value) { set(FMinuteColor, Value); }
    std::uint8_t MinuteMarkLength() const { return FMinuteMarkLength; }
    void SetMinuteMarkLength(std::uint8_t Value) { set(FMinuteMarkLength, Value); }
    std::uint8_t MinuteMarkWidth() const { return FMinuteMarkWidth; }
    void SetMinuteMarkWidth(std::uint8_t Value) { set(FMinuteMarkWidth, Value); }
    TTickMarks TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMarks Value) { set(FTickMarks, Value); }
    const TFont &HourFont() const { return FHourFont; }
    void SetHourFont(const TFont &Value);

    TColor HourPointer() const { return FHourPointer; }
    void SetHourPointer(TColor Value) { set(FHourPointer, Value); }
    TColor MinutePointer() const { return FMinutePointer; }
    void SetMinutePointer(TColor Value) { set(FMinutePointer, Value); }
    TColor HourPointerShadow() const { return FHourPointerShadow; }
    void SetHourPointerShadow(TColor Value) { set(FHourPointerShadow, Value); }
    TColor MinutePointerShadow() const { return FMinutePointerShadow; }
    void SetMinutePointerShadow(TColor Value) { set(FMinutePointerShadow, Value); }
    std::uint8_t HourPointerSize() const { return FHourPointerSize; }
    void SetHourPointerSize(std::uint8_t Value) { set(FHourPointerSize, Value); }
    std::uint8_t MinutePointerSize() const { return FMinutePointerSize; }
    void SetMinutePointerSize(std::uint8_t Value) { set(FMinutePointerSize, Value); }
    TColor SecondPointer() const { return FSecondPointer; }
    void SetSecondPointer(TColor Value) { set(FSecondPointer, Value); }
    std::uint8_t SecondPointerSize() const { return FSecondPointerSize; }
    void SetSecondPointerSize(std::uint8_t Value) { set(FSecondPointerSize, Value); }
    TPointerStyle PointerStyle() const { return FPointerStyle; }
    void SetPointerStyle(TPointerStyle Value) { set(FPointerStyle, Value); }

    std::uint8_t CenterPointSize() const { return FCenterPointSize; }
    void SetCenterPointSize(std::uint8_t Value) { set(FCenterPointSize, Value); }
    TColor CenterPointColor() const { return FCenterPointColor; }
    void SetCenterPointColor(TColor Value) { set(FCenterPointColor, Value); }
    TColor CenterPointBorderColor() const { return FCenterPointBorderColor; }
    void SetCenterPointBorderColor(TColor Value) { set(FCenterPointBorderColor, Value); }
    TColor CenterPointOuterBorderColor() const { return FCenterPointOuterBorderColor; }
    void SetCenterPointOuterBorderColor(TColor Value) { set(FCenterPointOuterBorderColor, Value); }

    const TFont &AMPMFont() const { return FAMPMFont; }
    void SetAMPMFont(const TFont &Value);
    TColor AMPMColor() const { return FAMPMColor; }
    void SetAMPMColor(TColor Value) { set(FAMPMColor, Value); }
    TColor AMPMBorderColor() const { return FAMPMBorderColor; }
    void SetAMPMBorderColor(TColor Value) { set(FAMPMBorderColor, Value); }
    TAMPMFrame AMPMFrame() const { return FAMPMFrame; }
    void SetAMPMFrame(TAMPMFrame Value) { set(FAMPMFrame, Value); }

    // Kept and copied only.
    TColor SecondPointerShadow() const { return FSecondPointerShadow; }
    int Rounding() const { return FRounding; }
    TWatchBorderStyle BorderStyle() const { return FBorderStyle; }

    TNotifyEvent OnChange;

private:
    friend void ApplyWatchComponentStyle(TWatchAppearance &A, TNovaStyle AStyle);
    template <typename T>
    void set(T &field, T Value)
    {
        if (field == Value)
            return;
        field = Value;
        Changed();
    }
    void Changed();
    void copyValues(const TWatchAppearance &Source);

    int FSize = 0;
    TColor FHourPointer = clBlack;
    TColor FBackgroundColor = clWhite;
    TColor FMinutePointerShadow = clBtnShadow;
    TColor FBackgroundColorTo = clNone;
    TColor FHourPointerShadow = clBtnShadow;
    TColor FSecondPointerShadow = clBtnShadow;
    TColor FSecondPointer = clRed;
    TColor FBorderColor = clBlack;
    TColor FMinutePointer = clBlack;
    TFont FHourFont;
    TFont FAMPMFont;
    std::unique_ptr<THTMLPicture> FPicture;
    TAMPMFrame FAMPMFrame = apRect;
    TWatchShape FWatchShape = wsCircle;
    TPointerStyle FPointerStyle = psLine;
    TWatchBorderStyle FBorderStyle = wbLine;
    std::uint8_t FHourPointerSize = 4;
    std::uint8_t FSecondPointerSize = 1;
    std::uint8_t FMinutePointerSize = 3;
    TColor FHourColor = clBlack;
    TColor FMinuteColor = clGray;
    std::uint8_t FCenterPointSize = 4;
    TColor FCenterPointColor = clBlack;
    TColor FCenterPointBorderColor = clNone;
    TWatchGradient FBackgroundGradient = wgVertical;
    int FRounding = 5;
    std::uint8_t FHourMarkLength = 0;
    std::uint8_t FHourMarkWidth = 1;
    std::uint8_t FMinuteMarkLength = 0;
    std::uint8_t FMinuteMarkWidth = 1;
    int FBorderWidth = 4;
    TColor FAMPMColor = clWhite;
    TColor FAMPMBorderColor = clBlack;
    TColor FCenterPointOuterBorderColor = clNone;
    TTickMarks FTickMarks = tmAll;
    THourMarkStyle FHourMarkStyle = hmsLine;
};

// Manual time, or the running clock (now plus TimeOffset minutes) with Auto.
class TWatchSettings : public QObject {
public:
    // Second and TimeOffset directly, Auto through its setter.
    void Assign(const TWatchSettings &Source);

    bool Auto() const { return FAuto; }
    void SetAuto(bool Value);
    bool Second() const { return FSeconds; }
    void SetSecond(bool Value);
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int Value);

    TNotifyEvent OnChange;

private:
    void Changed();
    bool FAuto = false;
    bool FSeconds = true;
    int FTimeOffset = 0;
};

// What a watch style sets on the watch itself; empty where the style leaves the watch as it is.
struct TWatchStyleSwitches {
    std::optional<bool> Animation;
    std::optional<int> AnimationFactor;
    std::optional<bool> ShowAMPM;
    std::optional<bool> ShowNumbers;
};

// Resets the appearance to its creation values and applies the style's changes; the sizes of
// wsSuperNova and wsSports follow the smaller side of the watch.
TWatchStyleSwitches ApplyWatchStyle(TWatchAppearance &A, TWatchStyle AStyle, int WatchWidth, int WatchHeight);

// The colour set of a component style; tsCustom only turns the outer centre ring and the two
// fonts black.
void ApplyWatchComponentStyle(TWatchAppearance &A, TNovaStyle AStyle);
