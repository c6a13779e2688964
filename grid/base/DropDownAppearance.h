#pragma once
// How the pop-up of a drop-down editor draws its header strip, footer strip and buttons. The
// classes only store values and report changes; their users draw. Every grid's control look owns
// one header and one footer appearance, and so does every drop-down control.
#include "grid/base/Canvas.h"
#include "grid/base/GridLists.h"
#include "grid/base/GridTypes.h"

#include <QObject>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TGradientDirection : std::uint8_t { gdHorizontal, gdVertical };
enum TButtonAlignment : std::uint8_t { baLeft, baRight };
using TModalResult = int;

class TAppearanceButtonsBase;

// One button of a header or footer strip. Caption, Enabled and Width report a change to their
// collection; Height and ImageIndex are only stored.
class TStripButton {
public:
    explicit TStripButton(TAppearanceButtonsBase *Collection) : FCollection(Collection) {}
    virtual ~TStripButton() = default;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }

protected:
    void AssignStrip(const TStripButton &Source);

private:
    void changed();
    TAppearanceButtonsBase *FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class THeaderButton : public TStripButton {
public:
    using TStripButton::TStripButton;
    void Assign(const THeaderButton &Source) { AssignStrip(Source); } // through the setters
};

class TFooterButton : public TStripButton {
public:
    using TStripButton::TStripButton;
    void Assign(const TFooterButton &Source); // through the setters
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

private:
    TModalResult FModalResult = 0;
};

class TAppearanceButtonsBase {
public:
    explicit TAppearanceButtonsBase(QObject *AOwner) : FOwner(AOwner) {}
    virtual ~TAppearanceButtonsBase() = default;
    QObject *GetOwner() const { return FOwner; }
    // A button changed, or buttons were added or removed.
    std::function<void()> OnChange;
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

private:
    QObject *FOwner;
};

// An owned, ordered collection of strip buttons.
template <typename TButton>
class TAppearanceButtons : public TAppearanceButtonsBase {
public:
    using TAppearanceButtonsBase::TAppearanceButtonsBase;

    TButton *Add() { return Insert(Count()); }
    // Index is clamped into 0 .. Count.
    TButton *Insert(int Index)
    {
        Index = std::clamp(Index, 0, Count());
        auto *b = FItems.insert(FItems.begin() + Index, std::make_unique<TButton>(this))->get();
        Changed();
        return b;
    }
    void Delete(int Index)
    {
        FItems.erase(FItems.begin() + check(Index));
        Changed();
    }
    void Clear()
    {
        if (FItems.empty())
            return;
        FItems.clear();
        Changed();
    }
    int Count() const { return int(FItems.size()); }
    TButton *Items(int Index) const { return FItems[check(Index)].get(); }
    void SetItems(int Index, const TButton &Value) { Items(Index)->Assign(Value); }
    // Item by item.
    void Assign(const TAppearanceButtons &Source)
    {
        if (&Source == this)
            return;
        FItems.clear();
        for (const auto &b : Source.FItems)
            FItems.emplace_back(std::make_unique<TButton>(this))->Assign(*b);
        Changed();
    }

private:
    std::size_t check(int Index) const; // EListError outside the collection
    std::vector<std::unique_ptr<TButton>> FItems;
};

using THeaderButtons = TAppearanceButtons<THeaderButton>;
using TFooterButtons = TAppearanceButtons<TFooterButton>;

// What header and footer strips share. OnChange fires when Visible changes; OnButtonsChanged when
// the button collection reports a change. The owner assigns both.
template <typename TButton>
class TStripAppearance : public QObject {
public:
    explicit TStripAppearance(QObject *AOwner) : FOwner(AOwner), FButtons(AOwner)
    {
        FButtons.OnChange = [this] { FireEvent(OnButtonsChanged, this); };
    }
    QObject *Owner() const { return FOwner; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value) { FCaption = Value; }
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value)
    {
        if (Value == FVisible)
            return;
        FVisible = Value;
        FireEvent(OnChange, this);
    }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TAppearanceButtons<TButton> &Buttons() { return FButtons; }
    const TAppearanceButtons<TButton> &Buttons() const { return FButtons; }
    void SetButtons(const TAppearanceButtons<TButton> &Value) { FButtons.Assign(Value); }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

    // Only Color, ColorTo, BorderColor, Font and GradientDirection.
    void AssignColors(const TStripAppearance &Source)
    {
        FColor = Source.FColor;
        FColorTo = Source.FColorTo;
        FBorderColor = Source.FBorderColor;
        FFont = Source.FFont;
        FGradientDirection = Source.FGradientDirection;
    }

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    // Every published value; Visible through its setter.
    void AssignStrip(const TStripAppearance &Source)
    {
        if (&Source == this)
            return;
        AssignColors(Source);
        FCaption = Source.FCaption;
        FHeight = Source.FHeight;
        FBorderWidth = Source.FBorderWidth;
        FImageIndex = Source.FImageIndex;
        FButtons.Assign(Source.FButtons);
        FButtonAlignment = Source.FButtonAlignment;
        SetVisible(Source.FVisible);
    }

private:
    QObject *FOwner;
    TColor FColor = clSilver;
    TColor FColorTo = clWhite;
    QString FCaption;
    TFont FFont;
    TGradientDirection FGradientDirection = gdVertical;
    bool FVisible = true;
    int FHeight = 22;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    TAppearanceButtons<TButton> FButtons;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TStripAppearance<THeaderButton> {
public:
    explicit THeaderAppearance(QObject *AOwner = nullptr);
    void Assign(const THeaderAppearance &Source) { AssignStrip(Source); }
};

class TFooterAppearance : public TStripAppearance<TFooterButton> {
public:
    explicit TFooterAppearance(QObject *AOwner = nullptr) : TStripAppearance(AOwner) {}
    void Assign(const TFooterAppearance &Source);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }

private:
    bool FSizeGrip = true;
};

// Colours of a drop-down button in its states. Colour and Gradient setters fire OnChange only
// when the value differs; the Font setter copies without notifying.
class TNovaButtonAppearance : public QObject {
public:
    TNovaButtonAppearance();
    void Assign(const TNovaButtonAppearance &Source); // through every setter

#define CFG_BUTTON_COLOR(Name, Default)                                                          \
public:                                                                                          \
    TColor Name() const { return F##Name; }                                                      \
    void Set##Name(TColor Value) { setColor(F##Name, Value); }                                   \
                                                                                                 \
private:                                                                                         \
    TColor F##Name = Default;
    CFG_BUTTON_COLOR(BorderColor, clNone)
    CFG_BUTTON_COLOR(BorderColorHot, clGray)
    CFG_BUTTON_COLOR(BorderColorDown, clNavy)
    CFG_BUTTON_COLOR(BorderColorDisabled, clGray)
    CFG_BUTTON_COLOR(BorderColorChecked, clBlue)
    CFG_BUTTON_COLOR(Color, clNone)
    CFG_BUTTON_COLOR(ColorTo, clNone)
    CFG_BUTTON_COLOR(ColorDisabled, 0xF2F2F2)
    CFG_BUTTON_COLOR(ColorDisabledTo, clNone)
    CFG_BUTTON_COLOR(ColorDown, 0xF5D8CA)
    CFG_BUTTON_COLOR(ColorDownTo, 0xF9BDA0)
    CFG_BUTTON_COLOR(ColorHot, 0xF5F0E1)
    CFG_BUTTON_COLOR(ColorHotTo, 0xF9D2B2)
    CFG_BUTTON_COLOR(ColorChecked, clNone) // set from ColorHot by the constructor
    CFG_BUTTON_COLOR(ColorCheckedTo, clNone)
#undef CFG_BUTTON_COLOR

public:
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);

    TNotifyEvent OnChange;

private:
    void setColor(TColor &field, TColor Value);
    TFont FFont;
    TGradientDirection FGradient = gdVertical;
};

template <typename TButton>
std::size_t TAppearanceButtons<TButton>::check(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("button index out of range");
    return std::size_t(Index);
}
