// The look presets of the grid: one property switches the fixed cells, grid lines, selection and
// active cell between a few colour sets.
#include "grid/NovaGrid.h"

namespace {

const char *const kLookIdentifiers[] = {"glStandard", "glSoft", "glClassic", "glNova", "glXP",
                                        "glListView", "glVista", "glWin7", "glOffice2007"};
const char *const kLookNames[] = {"Standard", "Soft", "Classic", "Nova", "Windows XP",
                                  "ListView", "Windows Vista", "Windows 7", "Office2007"};

} // namespace

QString LookIdentifier(TGridLook Look, const QString &Unchanged)
{
    return Look < glCustom ? QString::fromLatin1(kLookIdentifiers[Look]) : Unchanged;
}

QString LookDisplayName(TGridLook Look, const QString &Unchanged)
{
    return Look < glCustom ? QString::fromLatin1(kLookNames[Look]) : Unchanged;
}

void TNovaStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook)
        return;
    FLook = Value;
    TControlLook &CL = *FControlLook;
    if (Value != glCustom) {
        CL.SetFixedGradientMirrorFrom(clNone);
        CL.SetFixedGradientMirrorTo(clNone);
        CL.SetFixedGradientFrom(clNone);
        CL.SetFixedGradientTo(clNone);
        FNovaGradientFrom = clNone;
        FNovaGradientTo = clNone;
        FNovaGradientMirrorFrom = clNone;
        FNovaGradientMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        SetSelectionStyle(ssVista);
        FComponentStyle = tsWindowsVista;
        break;
    case glWin7:
        SetStyle(gsWindows7);
        SetSelectionStyle(ssWin7);
        FComponentStyle = tsWindows7;
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        SetSelectionStyle(ssOffice2007);
        FComponentStyle = tsOffice2007Luna;
        break;
    case glCustom:
        break;
    default: {
        if (!FDesigning)
            SetEditorsStyle(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (FLoading)
            break;
        const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
        if (plain) {
            SetFixedColor(clBtnFace);
            CL.SetFixedGradientFrom(clBtnFace);
            CL.SetFixedGradientTo(clNone);
        } else {
            CL.SetFixedGradientFrom(clWhite);
            CL.SetFixedGradientTo(clBtnFace);
        }
        SetGridFixedLineColor(clGray);
        CL.SetFixedGradientMirrorFrom(clNone);
        CL.SetFixedGradientMirrorTo(clNone);
        FNovaGradientMirrorFrom = clNone;
        FNovaGradientMirrorTo = clNone;
        SetGridLineColor(clSilver);
        if (Value == glNova || Value == glXP) {
            SetActiveCellColor(0xEACAB6);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(0xEACAB6);
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(clBlack);
            CL.SetFixedGradientFrom(clWhite);
            CL.SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
            FSearchFooter->SetColor(NovaGradientFrom());
            FSearchFooter->SetColorTo(NovaGradientTo());
            CL.SetFixedGradientHoverFrom(0xCFD0D1);
            CL.SetFixedGradientHoverTo(0xBEC6C8);
            CL.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
            CL.SetFixedGradientHoverMirrorTo(0xABBCBF);
            CL.SetFixedGradientDownFrom(0x868788);
            CL.SetFixedGradientDownTo(0x737C7E);
            CL.SetFixedGradientDownMirrorFrom(0x737C7E);
            CL.SetFixedGradientDownMirrorTo(0x627376);
        } else {
            SetActiveCellColor(clGray);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(clHighlight);
            SetSelectionTextColor(clHighlightText);
            FSearchFooter->SetColor(clBtnFace);
            FSearchFooter->SetColorTo(clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    FBorderStyle = editorkit::bsSingle;
    SetBorderColor(0xB99D7F);
    PaintWindowBorder();
    InvalidateGrid();
}
