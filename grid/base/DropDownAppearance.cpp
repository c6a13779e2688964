#include "grid/base/DropDownAppearance.h"

#include "grid/base/VedAzirDraw.h"

// ---- strip buttons ----------------------------------------------------------------------------

void TStripButton::changed()
{
    if (FCollection)
        FCollection->Changed();
}

void TStripButton::SetCaption(const QString &Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    changed();
}

void TStripButton::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    changed();
}

void TStripButton::SetWidth(int Value)
{
    if (Value == FWidth)
        return;
    FWidth = Value;
    changed();
}

void TStripButton::AssignStrip(const TStripButton &Source)
{
    SetCaption(Source.FCaption);
    SetImageIndex(Source.FImageIndex);
    SetEnabled(Source.FEnabled);
    SetWidth(Source.FWidth);
    SetHeight(Source.FHeight);
}

void TFooterButton::Assign(const TFooterButton &Source)
{
    AssignStrip(Source);
    SetModalResult(Source.FModalResult);
}

// ---- header and footer ------------------------------------------------------------------------

THeaderAppearance::THeaderAppearance(QObject *AOwner) : TStripAppearance(AOwner)
{
    TFont f = Font();
    f.Name = QStringLiteral("Tahoma");
    SetFont(f);
}

void TFooterAppearance::Assign(const TFooterAppearance &Source)
{
    AssignStrip(Source);
    FSizeGrip = Source.FSizeGrip;
}

// ---- drop-down button -------------------------------------------------------------------------

TNovaButtonAppearance::TNovaButtonAppearance()
{
    FFont.Name = QStringLiteral("Tahoma");
    // The checked look is the hot look a little darker.
    FColorChecked = BrightnessColor(FColorHot, -10, -10, 0);
    FColorCheckedTo = BrightnessColor(FColorHotTo, -10, -10, 0);
}

void TNovaButtonAppearance::setColor(TColor &field, TColor Value)
{
    if (field == Value)
        return;
    field = Value;
    FireEvent(OnChange, this);
}

void TNovaButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (FGradient == Value)
        return;
    FGradient = Value;
    FireEvent(OnChange, this);
}

void TNovaButtonAppearance::Assign(const TNovaButtonAppearance &Source)
{
    if (&Source == this)
        return;
    SetBorderColor(Source.FBorderColor);
    SetBorderColorHot(Source.FBorderColorHot);
    SetBorderColorDown(Source.FBorderColorDown);
    SetBorderColorDisabled(Source.FBorderColorDisabled);
    SetBorderColorChecked(Source.FBorderColorChecked);
    SetColor(Source.FColor);
    SetColorTo(Source.FColorTo);
    SetColorDisabled(Source.FColorDisabled);
    SetColorDisabledTo(Source.FColorDisabledTo);
    SetColorDown(Source.FColorDown);
    SetColorDownTo(Source.FColorDownTo);
    SetColorHot(Source.FColorHot);
    SetColorHotTo(Source.FColorHotTo);
    SetColorChecked(Source.FColorChecked);
    SetColorCheckedTo(Source.FColorCheckedTo);
    SetFont(Source.FFont);
    SetGradient(Source.FGradient);
}
