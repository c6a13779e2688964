#include "grid/ControlLook.h"

QObject *SettingsParent(IGridSettingsHost *Host)
{
    return dynamic_cast<QObject *>(Host);
}

TColor GradientRGB(TColor Value)
{
    return IsSystemColor(Value) ? ColorToRGB(Value) : Value;
}

TControlLook::TControlLook(IGridSettingsHost *AOwner) : QObject(SettingsParent(AOwner)), FOwner(AOwner)
{
    Init();
    // The grid (when it is an object) owns the drop-down appearances too.
    QObject *owner = SettingsParent(AOwner);
    FDropDownHeader = std::make_unique<THeaderAppearance>(owner);
    FDropDownFooter = std::make_unique<TFooterAppearance>(owner);
}

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = clRed;
    FProgressBorderColor = clGray;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = clGray;
    FFixedGradientHoverTo = clWhite;
    FFixedGradientHoverBorder = clSilver;
    FFixedGradientDownFrom = clGray;
    FFixedGradientDownTo = clSilver;
    FFixedGradientDownBorder = clGray;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::Assign(const TControlLook &Source)
{
    if (&Source == this)
        return;
    FCheckSize = Source.FCheckSize;
    FRadioSize = Source.FRadioSize;
    FControlStyle = Source.FControlStyle;
    FCheckedGlyph = Source.FCheckedGlyph;
    FUnCheckedGlyph = Source.FUnCheckedGlyph;
    FRadioOnGlyph = Source.FRadioOnGlyph;
    FRadioOffGlyph = Source.FRadioOffGlyph;
    FProgressMarginX = Source.FProgressMarginX;
    FProgressMarginY = Source.FProgressMarginY;
    FCommentColor = Source.FCommentColor;
    FColor = Source.FColor;
    FProgressBorderColor = Source.FProgressBorderColor;
    FCheckAlwaysActive = Source.FCheckAlwaysActive;
    FRadioAlwaysActive = Source.FRadioAlwaysActive;
    FFixedGradientFrom = Source.FFixedGradientFrom;
    FFixedGradientTo = Source.FFixedGradientTo;
    FFixedGradientMirrorFrom = Source.FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = Source.FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = Source.FFixedGradientHoverFrom;
    FFixedGradientHoverTo = Source.FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = Source.FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = Source.FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = Source.FFixedGradientHoverBorder;
    FFixedGradientDownFrom = Source.FFixedGradientDownFrom;
    FFixedGradientDownTo = Source.FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = Source.FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = Source.FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = Source.FFixedGradientDownBorder;
    FDropDownAlwaysVisible = Source.FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = Source.FSpinButtonsAlwaysVisible;
    FDropDownCount = Source.FDropDownCount;
    FDropDownFooter->Assign(*Source.FDropDownFooter);
    FDropDownHeader->Assign(*Source.FDropDownHeader);
    FHintMaxWidth = Source.FHintMaxWidth;
}

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FFixedGradientFrom = Value;
    if (Value != clNone && FOwner)
        FOwner->SetFixedGradientColor(fgFrom, GradientRGB(Value), true);
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FFixedGradientTo = Value;
    if (Value != clNone && FOwner)
        FOwner->SetFixedGradientColor(fgTo, GradientRGB(Value), true);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FFixedGradientMirrorFrom = Value;
    if (FOwner)
        FOwner->SetFixedGradientColor(fgMirrorFrom, GradientRGB(Value), true);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FFixedGradientMirrorTo = Value;
    if (FOwner)
        FOwner->SetFixedGradientColor(fgMirrorTo, GradientRGB(Value), true);
}

void TControlLook::passOn(TColor &field, TColor Value, TFixedGradientColor Which, bool always)
{
    field = Value;
    if (FOwner && (always || Value != clNone))
        FOwner->SetFixedGradientColor(Which, Value, false);
}
