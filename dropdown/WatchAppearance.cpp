#include "dropdown/WatchAppearance.h"

#include <algorithm>
#include <cmath>

TWatchAppearance::TWatchAppearance() : FPicture(std::make_unique<THTMLPicture>())
{
    FAMPMFont.Size = 10;
    FPicture->OnChange = [this](THTMLPicture *) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::Changed()
{
    FireEvent(OnChange, this);
}

void TWatchAppearance::SetHourFont(const TFont &Value)
{
    FHourFont = Value;
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont &Value)
{
    FAMPMFont = Value;
    Changed();
}

void TWatchAppearance::SetPicture(const THTMLPicture &Value)
{
    // Assign reports a change only when it loads something; the setter always does, once.
    auto handler = std::move(FPicture->OnChange);
    FPicture->OnChange = nullptr;
    FPicture->Assign(&Value);
    FPicture->OnChange = std::move(handler);
    Changed();
}

void TWatchAppearance::copyValues(const TWatchAppearance &Source)
{
    FSize = Source.FSize;
    FHourPointer = Source.FHourPointer;
    FBackgroundColor = Source.FBackgroundColor;
    FMinutePointerShadow = Source.FMinutePointerShadow;
    FBackgroundColorTo = Source.FBackgroundColorTo;
    FHourPointerShadow = Source.FHourPointerShadow;
    FSecondPointerShadow = Source.FSecondPointerShadow;
    FSecondPointer = Source.FSecondPointer;
    FBorderColor = Source.FBorderColor;
    FMinutePointer = Source.FMinutePointer;
    FHourFont = Source.FHourFont;
    FAMPMFont = Source.FAMPMFont;
    {
        auto handler = std::move(FPicture->OnChange);
        FPicture->OnChange = nullptr;
        FPicture->Assign(Source.FPicture.get());
        FPicture->OnChange = std::move(handler);
    }
    FAMPMFrame = Source.FAMPMFrame;
    FWatchShape = Source.FWatchShape;
    FPointerStyle = Source.FPointerStyle;
    FBorderStyle = Source.FBorderStyle;
    FHourPointerSize = Source.FHourPointerSize;
    FSecondPointerSize = Source.FSecondPointerSize;
    FMinutePointerSize = Source.FMinutePointerSize;
    FHourColor = Source.FHourColor;
    FMinuteColor = Source.FMinuteColor;
    FCenterPointSize = Source.FCenterPointSize;
    FCenterPointColor = Source.FCenterPointColor;
    FCenterPointBorderColor = Source.FCenterPointBorderColor;
    FBackgroundGradient = Source.FBackgroundGradient;
    FRounding = Source.FRounding;
    FHourMarkLength = Source.FHourMarkLength;
    FHourMarkWidth = Source.FHourMarkWidth;
    FMinuteMarkLength = Source.FMinuteMarkLength;
    FMinuteMarkWidth = Source.FMinuteMarkWidth;
    FBorderWidth = Source.FBorderWidth;
    FAMPMColor = Source.FAMPMColor;
    FAMPMBorderColor = Source.FAMPMBorderColor;
}

void TWatchAppearance::Assign(const TWatchAppearance &Source)
{
    if (&Source == this)
        return;
    copyValues(Source);
    SetCenterPointOuterBorderColor(Source.FCenterPointOuterBorderColor);
    SetTickMarks(Source.FTickMarks);
    SetHourMarkStyle(Source.FHourMarkStyle);
}

void TWatchAppearance::Reset()
{
    const TWatchAppearance fresh;
    copyValues(fresh);
    FCenterPointOuterBorderColor = fresh.FCenterPointOuterBorderColor;
    FTickMarks = fresh.FTickMarks;
    FHourMarkStyle = fresh.FHourMarkStyle;
}

// ---------------------------------------------------------------------------------------------

void TWatchSettings::Changed()
{
    FireEvent(OnChange, this);
}

void TWatchSettings::SetAuto(bool Value)
{
    if (Value == FAuto)
        return;
    FAuto = Value;
    Changed();
}

void TWatchSettings::SetSecond(bool Value)
{
    if (Value == FSeconds)
        return;
    FSeconds = Value;
    Changed();
}

void TWatchSettings::SetTimeOffset(int Value)
{
    if (Value == FTimeOffset)
        return;
    FTimeOffset = Value;
    Changed();
}

void TWatchSettings::Assign(const TWatchSettings &Source)
{
    FSeconds = Source.FSeconds;
    FTimeOffset = Source.FTimeOffset;
    SetAuto(Source.FAuto);
}

// ---------------------------------------------------------------------------------------------

namespace {

TFont watchFont(const TFont &base, const QString &name, int size, bool bold)
{
    TFont f = base;
    f.Name = name;
    if (size > 0)
        f.Size = size;
    if (bold)
        f.Style.Include(fsBold);
    else
        f.Style.Exclude(fsBold);
    return f;
}

TFont withColor(TFont f, TColor c)
{
    f.Color = c;
    return f;
}

// A byte-sized length from the watch size: a huge watch keeps the longest mark a byte holds.
std::uint8_t byteLength(long v)
{
    return std::uint8_t(std::clamp<long>(v, 0, 255));
}

const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kComic = QStringLiteral("Comic Sans MS");
const QString kCenturyGothic = QStringLiteral("Century Gothic");
const QString kTimes = QStringLiteral("Times New Roman");

} // namespace

TWatchStyleSwitches ApplyWatchStyle(TWatchAppearance &A, TWatchStyle AStyle, int WatchWidth, int WatchHeight)
{
    A.Reset();
    TWatchStyleSwitches w;
    const int side = std::min(WatchWidth, WatchHeight);
    switch (AStyle) {
    case wsClassic:
        A.SetAMPMFont(watchFont(A.AMPMFont(), kSansSerif, 0, false));
        A.SetHourFont(watchFont(A.HourFont(), kComic, 10, true));
        A.SetHourMarkLength(8);
        A.SetHourPointer(clBlack);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetMinuteMarkLength(4);
        w.Animation = true;
        w.AnimationFactor = 10;
        w.ShowAMPM = true;
        w.ShowNumbers = true;
        break;
    case wsTower:
        A.SetAMPMFont(watchFont(A.AMPMFont(), kSansSerif, 0, false));
        A.SetAMPMFrame(apRect);
        A.SetBorderWidth(1);
        A.SetBackgroundColor(0xB1F0FE);
        A.SetBackgroundColorTo(0x5BCCE8);
        A.SetBackgroundGradient(wgDiagonalForward);
        A.SetCenterPointColor(0x002BD5);
        A.SetCenterPointSize(6);
        A.SetHourFont(withColor(watchFont(A.HourFont(), QStringLiteral("Century"), 0, true), clWindowText));
        A.SetHourPointer(clBlack);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetSecondPointer(0x002BD5);
        A.SetShape(wsRect);
        A.SetPointerStyle(psPointer);
        A.SetAMPMColor(A.BackgroundColor());
        w.ShowNumbers = false;
        A.SetTickMarks(tmHours);
        break;
    case wsFluorescent:
        A.SetAMPMFont(withColor(watchFont(A.AMPMFont(), kSansSerif, 10, false), clWindowText));
        A.SetAMPMFrame(apRoundRect);
        A.SetBorderColor(0xFF3E3E);
        A.SetBackgroundColor(0);
        A.SetBackgroundColorTo(0);
        A.SetCenterPointColor(0xFF3E3E);
        A.SetCenterPointBorderColor(0);
        A.SetCenterPointOuterBorderColor(0);
        A.SetCenterPointSize(20);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kSansSerif, 8, false), clWindowText));
        A.SetHourColor(0xFF3E3E);
        A.SetHourMarkLength(10);
        A.SetHourMarkWidth(2);
        A.SetHourMarkStyle(hmsQuartDblLine);
        A.SetHourPointer(0xFF3E3E);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetHourPointerSize(2);
        A.SetMinuteColor(0xFF3E3E);
        A.SetMinutePointer(0xFF3E3E);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetMinutePointerSize(2);
        A.SetShape(wsRoundRect);
        A.SetTickMarks(tmHours);
        w.ShowAMPM = false;
        w.ShowNumbers = false;
        break;
    case wsEmerald:
        A.SetAMPMFont(withColor(watchFont(A.AMPMFont(), kSansSerif, 0, false), 0xA00000));
        A.SetAMPMFrame(apRoundRect);
        A.SetBorderColor(0x3AE800);
        A.SetBackgroundColor(0x3AE800);
        A.SetBackgroundColorTo(0);
        A.SetBackgroundGradient(wgDiagonalForward);
        A.SetCenterPointBorderColor(0x40FF00);
        A.SetCenterPointColor(0x38E100);
        A.SetCenterPointSize(16);
        A.SetCenterPointOuterBorderColor(0);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kSansSerif, 0, false), A.BackgroundColor()));
        A.SetHourColor(A.BackgroundColor());
        A.SetHourPointer(0x40FF00);
        A.SetMinutePointer(0x40FF00);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetShape(wsRect);
        A.SetPointerStyle(psPointer);
        A.SetAMPMColor(clNone);
        A.SetHourMarkStyle(hmsQuartDblLine);
        A.SetSecondPointer(0x00FFFF);
        A.SetTickMarks(tmHours);
        w.ShowNumbers = false;
        w.ShowAMPM = false;
        break;
    case wsBlueStar:
        A.SetAMPMFont(withColor(watchFont(A.AMPMFont(), kSansSerif, 10, false), 0xA00000));
        A.SetAMPMBorderColor(clNone);
        A.SetAMPMColor(clNone);
        A.SetAMPMFrame(apRoundRect);
        A.SetBorderColor(0xFFD5D5);
        A.SetBackgroundColor(0xFFD5D5);
        A.SetBackgroundColorTo(0xA00000);
        A.SetBackgroundGradient(wgRadial);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kSansSerif, 8, false), A.BackgroundColor()));
        A.SetHourPointer(0xA00000);
        A.SetMinutePointer(0xA00000);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetShape(wsRoundRect);
        A.SetPointerStyle(psPointer);
        w.ShowAMPM = true;
        w.ShowNumbers = true;
        break;
    case wsFuchsia:
        A.SetAMPMFont(withColor(watchFont(A.AMPMFont(), kSansSerif, 10, false), clWindowText));
        A.SetAMPMFrame(apRoundRect);
        A.SetBorderColor(0xFFD0FF);
        A.SetBackgroundColor(0);
        A.SetBackgroundColorTo(0);
        A.SetCenterPointBorderColor(0xDD68DD);
        A.SetCenterPointSize(20);
        A.SetCenterPointOuterBorderColor(0);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kSansSerif, 8, false), clWindowText));
        A.SetHourColor(0xFFD0FF);
        A.SetMinuteColor(0xFFD0FF);
        A.SetHourPointer(0xFFD0FF);
        A.SetMinutePointer(0xFFD0FF);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetHourMarkLength(10);
        A.SetHourMarkWidth(2);
        A.SetHourMarkStyle(hmsQuartDblLine);
        A.SetHourPointerSize(2);
        A.SetMinutePointerSize(2);
        A.SetShape(wsRect);
        A.SetSecondPointer(0xDD68DD);
        A.SetTickMarks(tmQuartHours);
        w.ShowAMPM = false;
        w.ShowNumbers = false;
        break;
    case wsBlack:
        A.SetAMPMFont(watchFont(A.AMPMFont(), kSansSerif, 0, false));
        A.SetBackgroundColor(0x202020);
        A.SetBackgroundColorTo(clNone);
        A.SetBorderColor(0);
        A.SetCenterPointColor(clWhite);
        A.SetCenterPointBorderColor(clWhite);
        A.SetCenterPointOuterBorderColor(clWhite);
        A.SetHourColor(0x585858);
        A.SetMinuteColor(0x585858);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kCenturyGothic, 11, false), clWhite));
        A.SetHourPointer(clWhite);
        A.SetMinutePointer(clWhite);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetMinuteMarkLength(4);
        w.ShowAMPM = false;
        w.ShowNumbers = true;
        break;
    case wsBlackWhite:
        A.SetBackgroundColor(clWhite);
        A.SetBackgroundColorTo(clNone);
        A.SetBorderColor(0);
        A.SetBorderWidth(8);
        A.SetCenterPointColor(0);
        A.SetCenterPointBorderColor(0);
        A.SetCenterPointOuterBorderColor(0);
        A.SetCenterPointSize(8);
        A.SetHourColor(0x585858);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kCenturyGothic, 14, true), 0));
        A.SetHourPointer(0);
        A.SetMinutePointer(0);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinutePointerShadow(clBtnShadow);
        A.SetHourPointerSize(5);
        A.SetMinuteMarkLength(4);
        A.SetSecondPointer(0x000080);
        A.SetPointerStyle(psPointer);
        A.SetTickMarks(tmQuartHours);
        w.ShowAMPM = false;
        w.ShowNumbers = true;
        break;
    case wsGray:
        A.SetAMPMFont(watchFont(A.AMPMFont(), kSansSerif, 10, A.AMPMFont().Style.Contains(fsBold)));
        A.SetBackgroundColor(0xD1D1D1);
        A.SetBackgroundColorTo(0x6C6C6C);
        A.SetBackgroundGradient(wgRadial);
        A.SetBorderColor(0x454545);
        A.SetCenterPointBorderColor(0x454545);
        A.SetCenterPointColor(0);
        A.SetCenterPointOuterBorderColor(clNone);
        A.SetHourColor(0);
        A.SetHourFont(watchFont(A.HourFont(), kComic, 8, false));
        A.SetHourPointer(0x4E4E4E);
        A.SetMinutePointer(0x4E4E4E);
        A.SetHourPointerShadow(clNone);
        A.SetMinutePointerShadow(clNone);
        A.SetHourPointerSize(1);
        A.SetMinutePointerSize(1);
        A.SetMinuteColor(clGray);
        A.SetSecondPointer(0xFF);
        w.ShowAMPM = true;
        w.ShowNumbers = true;
        break;
    case wsSuperNova:
        A.SetBackgroundColorTo(0xD1D3D3);
        A.SetBorderColor(clNone);
        A.SetCenterPointOuterBorderColor(0);
        A.SetCenterPointSize(10);
        A.SetHourMarkLength(byteLength(std::lrint(side / 4.5)));
        A.SetHourPointer(0);
        A.SetHourPointerShadow(clBtnShadow);
        A.SetMinuteColor(clGray);
        A.SetMinuteMarkLength(byteLength(side / 3));
        A.SetMinutePointer(0);
        w.ShowAMPM = false;
        w.ShowNumbers = false;
        break;
    case wsSports:
        A.SetBackgroundColor(0);
        A.SetBackgroundColorTo(clNone);
        A.SetBorderColor(0);
        A.SetBorderWidth(1);
        A.SetCenterPointBorderColor(0xFF0000);
        A.SetCenterPointOuterBorderColor(0);
        A.SetCenterPointColor(0x191919);
        A.SetCenterPointSize(byteLength(std::lrint(side / 3.6)));
        A.SetHourColor(0xABB0B1);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kTimes, 9, A.HourFont().Style.Contains(fsBold)), 0x797979));
        A.SetHourPointer(0xFF);
        A.SetMinutePointer(0x00FFFF);
        A.SetHourPointerShadow(clNone);
        A.SetMinutePointerShadow(clNone);
        A.SetHourPointerSize(2);
        A.SetMinutePointerSize(2);
        A.SetMinuteColor(clGray);
        A.SetMinuteMarkLength(1);
        A.SetSecondPointer(0x188BFE);
        A.SetTickMarks(tmQuartHours);
        w.ShowAMPM = false;
        w.ShowNumbers = true;
        break;
    case wsSmooth:
        A.SetBackgroundColor(clWhite);
        A.SetBackgroundColorTo(0xABB0B1);
        A.SetBorderColor(0x585858);
        A.SetBorderWidth(1);
        A.SetCenterPointBorderColor(0);
        A.SetCenterPointOuterBorderColor(0x4A4A4A);
        A.SetCenterPointColor(clWhite);
        A.SetCenterPointSize(6);
        A.SetHourColor(0xABB0B1);
        A.SetHourFont(withColor(watchFont(A.HourFont(), kTimes, 9, A.HourFont().Style.Contains(fsBold)), 0x797979));
        A.SetHourPointer(0x4A4A4A);
        A.SetMinutePointer(0x4A4A4A);
        A.SetSecondPointer(0x4A4A4A);
        A.SetHourPointerShadow(0xB2B2B2);
        A.SetMinutePointerShadow(0xB2B2B2);
        A.SetHourPointerSize(2);
        A.SetMinutePointerSize(2);
        A.SetMinuteColor(clGray);
        A.SetMinuteMarkLength(1);
        A.SetTickMarks(tmQuartHours);
        w.ShowAMPM = false;
        w.ShowNumbers = true;
        break;
    }
    return w;
}

namespace {

struct TWatchTones {
    TNovaStyle Style;
    TColor AMPMBorder, AMPMFill, Background, BackgroundTo, Border, CentreBorder, Centre, MarksAndHands, Shadows,
        Second;
};

const TWatchTones kWatchTones[] = {
    {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
    {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
    {tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
    {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
    {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
    {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
    {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
};

} // namespace

void ApplyWatchComponentStyle(TWatchAppearance &A, TNovaStyle AStyle)
{
    A.SetCenterPointOuterBorderColor(0);
    A.SetHourFont(withColor(A.HourFont(), 0));
    A.SetAMPMFont(withColor(A.AMPMFont(), 0));
    const auto it = std::find_if(std::begin(kWatchTones), std::end(kWatchTones),
                                 [AStyle](const TWatchTones &t) { return t.Style == AStyle; });
    if (it == std::end(kWatchTones))
        return; // tsCustom
    A.FAMPMBorderColor = it->AMPMBorder;
    A.FAMPMColor = it->AMPMFill;
    A.SetBackgroundColor(it->Background);
    A.SetBackgroundColorTo(it->BackgroundTo);
    A.SetBorderColor(it->Border);
    A.SetCenterPointBorderColor(it->CentreBorder);
    A.SetCenterPointColor(it->Centre);
    A.SetHourColor(it->MarksAndHands);
    A.SetMinuteColor(it->MarksAndHands);
    A.SetHourPointer(it->MarksAndHands);
    A.SetMinutePointer(it->MarksAndHands);
    A.SetHourPointerShadow(it->Shadows);
    A.SetMinutePointerShadow(it->Shadows);
    A.SetSecondPointer(it->Second);
    if (AStyle == tsOffice2007Obsidian) {
        A.SetAMPMFont(withColor(A.AMPMFont(), 0xF2F1F0));
        A.SetHourFont(withColor(A.HourFont(), 0xF2F1F0));
    }
}
