// Colour schemes of the whole grid: the grid styles, the component style, the XP colour themes,
// colour tones and the adaptation to the desktop's office theme. They only write properties;
// painting picks them up on the next repaint.
#include "grid/NovaGrid.h"

#include "grid/DropDownEditorRegistry.h"
#include "grid/base/Theme.h"
#include "grid/base/VedAzirDraw.h"

#include <QPainter>

namespace {

// How a style passes its fixed-cell gradient to the control look.
enum TFromToMode : std::uint8_t {
    fmNone,       // From and To unchanged
    fmLook,       // through the control look (which passes them to the grid)
    fmLookCleared, // into the grid; the control look's From and To become clNone
    fmLookThenCleared // through the control look, then the look's own values become clNone
};

constexpr int kUnchanged = -1;

struct TStyleColors {
    TNovaGridStyle Style;
    int Look;           // a TGridLook or kUnchanged
    TFromToMode Mode;
    TColor From, To;
    bool SetMirror;
    TColor MirrorFrom, MirrorTo;
    bool SetActive;
    TColor Active, ActiveTo;
    bool SetSelection;  // else the defaults set first stay
    TColor Selection, SelectionTo, SelectionText;
    int SelectionStyle; // a TGridSelectionStyle or kUnchanged
    bool SetLines;
    TColor GridLine, FixedLine;
};

constexpr TColor N = clNone;

// One row per style, in the order of TNovaGridStyle.
const TStyleColors kStyles[] = {
    {gsOffice2003Blue, glXP, fmLook, 0xFCE1CB, 0xE0A57D, true, N, N, true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsOffice2003Silver, glXP, fmLook, 0xECE2E1, 0xB39698, true, N, N, true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsOffice2003Olive, glXP, fmLook, 0xCFF0EA, 0x8CC0B1, true, N, N, true, 0x94E6FB, 0x1595EE, true, 0x94E6FB, 0x1595EE, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsOffice2003Classic, glXP, fmLookCleared, clWhite, 0xCCD4D8, true, N, N, true, 0xD8D5D4, 0xD8D5D4, false, 0, 0, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsOffice2007Luna, glOffice2007, fmLook, 0xFBF9F6, 0xE8DBD2, true, N, N, true, 0x9DD8F9, 0x5EC1F1, true, 0x5EC1F1, N, 0, kUnchanged, true, 0xF1EDEB, 0xD1BBA4},
    {gsOffice2007Obsidian, glOffice2007, fmLook, 0xF7F7F7, 0xDEDEDE, true, N, N, true, 0x9DD8F9, 0x5EC1F1, true, 0x5EC1F1, N, 0, kUnchanged, true, 0xE5D7D0, 0x808080},
    {gsWindowsXP, glXP, fmLookCleared, clBtnFace, clBtnFace, true, N, N, true, clBtnFace, clBtnFace, false, 0, 0, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsWhidbey, kUnchanged, fmLookCleared, clWhite, clBtnFace, true, N, N, true, 0x94E6FB, 0x1595EE, false, 0, 0, 0, kUnchanged, true, 0xC0C0C0, 0x808080},
    {gsCustom, kUnchanged, fmNone, 0, 0, false, 0, 0, false, 0, 0, false, 0, 0, 0, kUnchanged, false, 0, 0},
    {gsOffice2007Silver, glOffice2007, fmLook, 0xF3F3F1, 0xCAC9C8, false, 0, 0, true, 0x99CCFF, 0x699CFF, true, 0x95C7F5, N, 0, kUnchanged, true, 0xE5D7D0, 0x808080},
    {gsWindowsVista, glVista, fmLookThenCleared, clWhite, clWhite, true, 0xFAF8F7, 0xF4F2F1, true, 0xFDF8F1, 0xFCEFD5, true, 0xEACAB6, N, 0, ssVista, true, 0xECECF0, 0xD4D2D1},
    {gsWindows7, glWin7, fmLookThenCleared, 0xFDFCFA, 0xFAF0E6, true, 0xF4E6DC, 0xF7E9DD, true, 0xFCEBDC, 0xFCDBC1, true, 0xEACAB6, N, 0, ssWin7, true, 0xECECF0, 0xD4D2D1},
    {gsTerminal, glStandard, fmNone, 0, 0, false, 0, 0, false, 0, 0, false, 0, 0, 0, kUnchanged, false, 0, 0},
    {gsOffice2010Blue, glOffice2007, fmLookThenCleared, 0xF5E7DA, 0xF5E7DA, true, 0xF5E7DA, 0xF5E7DA, true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, N, 0, ssDefault, true, 0xC0C0C0, 0xC7B0A0},
    {gsOffice2010Silver, glOffice2007, fmLookThenCleared, 0xE8E3DF, 0xE8E3DF, true, 0xE8E3DF, 0xE8E3DF, true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, N, 0, ssDefault, true, 0xC0C0C0, 0xBAB5B1},
    {gsOffice2010Black, glOffice2007, fmLookThenCleared, 0x6A6A6A, 0x6A6A6A, true, 0x6A6A6A, 0x6A6A6A, true, 0x5BD5FF, 0x71EFFF, true, 0xFFDBB7, N, 0, ssDefault, true, 0xC0C0C0, 0x444444},
};

// Hover and down gradients (From, To, MirrorFrom, MirrorTo, Border) and sort header colours.
struct THoverDown {
    TNovaGridStyle Style;
    TColor Hover[5];
    bool HoverBorderGridOnly; // the hover set goes into the grid first, its border only there
    bool ClearGridHover;      // the grid's hover colours become clNone first
    TColor Down[5];
    bool SetSortHeader;
    TColor Sort[4];
};

const THoverDown kHoverDown[] = {
    {gsOffice2007Luna, {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87}, false, false,
     {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}, false, {}},
    {gsWindowsVista, {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993}, true, false,
     {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, true, {0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8}},
    {gsWindows7, {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3}, true, false,
     {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, true, {0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8}},
    {gsOffice2010Blue, {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8}, false, true,
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}, true, {0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7}},
    {gsOffice2010Silver, {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8}, false, true,
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}, true, {0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA}},
    {gsOffice2010Black, {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8}, false, true,
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}, true, {0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA}},
};

} // namespace

void TNovaStringGrid::SetStyle(TNovaGridStyle AStyle)
{
    FGridStyle = AStyle;
    TControlLook &CL = *FControlLook;
    // Every style starts from the same selection, sort header and control look colours.
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    FSortSettings->SetHeaderColor(clNone);
    FSortSettings->SetHeaderColorTo(clNone);
    FSortSettings->SetHeaderMirrorColor(clNone);
    FSortSettings->SetHeaderMirrorColorTo(clNone);
    CL.Init();

    const TStyleColors &s = kStyles[AStyle];
    if (s.Look != kUnchanged)
        SetLook(TGridLook(s.Look));
    switch (s.Mode) {
    case fmLook:
        CL.SetFixedGradientFrom(s.From);
        CL.SetFixedGradientTo(s.To);
        break;
    case fmLookCleared:
        SetNovaGradientFrom(s.From);
        SetNovaGradientTo(s.To);
        CL.SetFixedGradientFrom(clNone);
        CL.SetFixedGradientTo(clNone);
        break;
    case fmLookThenCleared:
        CL.SetFixedGradientFrom(s.From);
        CL.SetFixedGradientTo(s.To);
        CL.SetFixedGradientFrom(clNone);
        CL.SetFixedGradientTo(clNone);
        break;
    case fmNone:
        break;
    }
    if (s.SetMirror) {
        SetNovaGradientMirrorFrom(s.MirrorFrom);
        SetNovaGradientMirrorTo(s.MirrorTo);
    }
    if (s.SetActive) {
        SetActiveCellColor(s.Active);
        SetActiveCellColorTo(s.ActiveTo);
    }
    if (s.SetSelection) {
        SetSelectionColor(s.Selection);
        SetSelectionColorTo(s.SelectionTo);
        SetSelectionTextColor(s.SelectionText);
    }
    if (s.SelectionStyle != kUnchanged)
        SetSelectionStyle(TGridSelectionStyle(s.SelectionStyle));
    if (AStyle == gsOffice2007Luna && Look() == glOffice2007)
        SetSelectionStyle(ssOffice2007);
    if (s.SetLines) {
        SetGridLineColor(s.GridLine);
        SetGridFixedLineColor(s.FixedLine);
    }

    for (const THoverDown &h : kHoverDown) {
        if (h.Style != AStyle)
            continue;
        if (h.ClearGridHover) {
            FNovaGradientHoverFrom = FNovaGradientHoverTo = FNovaGradientHoverMirrorFrom = FNovaGradientHoverMirrorTo =
                FNovaGradientHoverBorder = clNone;
        }
        if (h.HoverBorderGridOnly) {
            FNovaGradientHoverFrom = h.Hover[0];
            FNovaGradientHoverTo = h.Hover[1];
            FNovaGradientHoverMirrorFrom = h.Hover[2];
            FNovaGradientHoverMirrorTo = h.Hover[3];
            FNovaGradientHoverBorder = h.Hover[4];
        }
        CL.SetFixedGradientHoverFrom(h.Hover[0]);
        CL.SetFixedGradientHoverTo(h.Hover[1]);
        CL.SetFixedGradientHoverMirrorFrom(h.Hover[2]);
        CL.SetFixedGradientHoverMirrorTo(h.Hover[3]);
        if (!h.HoverBorderGridOnly)
            CL.SetFixedGradientHoverBorder(h.Hover[4]);
        CL.SetFixedGradientDownFrom(h.Down[0]);
        CL.SetFixedGradientDownTo(h.Down[1]);
        CL.SetFixedGradientDownMirrorFrom(h.Down[2]);
        CL.SetFixedGradientDownMirrorTo(h.Down[3]);
        CL.SetFixedGradientDownBorder(h.Down[4]);
        if (h.SetSortHeader) {
            FSortSettings->SetHeaderColor(h.Sort[0]);
            FSortSettings->SetHeaderColorTo(h.Sort[1]);
            FSortSettings->SetHeaderMirrorColor(h.Sort[2]);
            FSortSettings->SetHeaderMirrorColorTo(h.Sort[3]);
        }
    }

    if (AStyle == gsWindowsXP)
        FLook = glXP;
    if (AStyle != gsCustom && AStyle != gsTerminal) {
        FSearchFooter->SetColor(NovaGradientFrom());
        FSearchFooter->SetColorTo(NovaGradientMirrorTo());
    }
    InvalidateGrid();
}

void TNovaStringGrid::SetComponentStyle(TNovaStyle AStyle)
{
    FComponentStyle = AStyle;
    SetStyle(TNovaGridStyle(AStyle));
    // A look the style switches to names its own component style; the one asked for is kept.
    FComponentStyle = AStyle;
    if (!FDesigning)
        SetEditorsStyle(AStyle);
    if (AStyle != tsCustom && ScrollType() == ssMetro)
        SetScrollType(ssNormal);
}

void TNovaStringGrid::SetEditorsStyle(TNovaStyle AStyle)
{
    // Editors made later take the grid's style when they are made.
    for (int k = edTrackbarDropDown; k <= edNovaGridDropDown; ++k)
        if (TDropDownCellEditor *e = ExistingDropDownEditor(TEditorType(k)))
            e->Style().SetComponentStyle(AStyle);
}

void TNovaStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TControlLook &CL = *FControlLook;
    if (Scheme == xpNone) {
        SetActiveCellColor(clWhite);
        SetActiveCellColorTo(0xFFD9B3);
        SetNovaGradientFrom(clWhite);
        SetNovaGradientTo(clBtnFace);
        SetNovaGradientMirrorFrom(clNone);
        SetNovaGradientMirrorTo(clNone);
        CL.SetFixedGradientFrom(clNone);
        CL.SetFixedGradientTo(clNone);
        FSearchFooter->SetColor(clWhite);
        FSearchFooter->SetColorTo(0xFFD9B3);
        return;
    }
    struct Scheme5 {
        TColor From, To, MirrorFrom, MirrorTo, FooterFrom, FooterTo;
    };
    static const Scheme5 kSchemes[] = {
        {}, // xpNone above
        {0xFCE1CB, 0xE0A57D, clNone, clNone, 0xFCE1CB, 0xE0A57D},
        {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0xCFF0EA, 0x8CC0B1},
        {0xECE2E1, 0xB39698, clNone, clNone, 0xECE2E1, 0xB39698},
        {clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0xECE2E1, 0xB39698},
    };
    const Scheme5 &s = kSchemes[Scheme];
    SetNovaGradientFrom(s.From);
    SetNovaGradientTo(s.To);
    SetNovaGradientMirrorFrom(s.MirrorFrom);
    SetNovaGradientMirrorTo(s.MirrorTo);
    SetActiveCellColor(0x94E6FB);
    SetActiveCellColorTo(0x1595EE);
    CL.SetFixedGradientFrom(s.From);
    CL.SetFixedGradientTo(s.To);
    FSearchFooter->SetColor(s.FooterFrom);
    FSearchFooter->SetColorTo(s.FooterTo);
}

namespace {

// The glyphs of the tones' control style: a square box and a round button, ticked or filled.
QImage metroGlyph(bool radio, bool on)
{
    QImage img(15, 15, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, radio);
    const QColor frame(0x55, 0x55, 0x55);
    p.setPen(QPen(frame, 1));
    p.setBrush(Qt::white);
    if (radio)
        p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    else
        p.drawRect(1, 1, 12, 12);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(frame);
        if (radio) {
            p.drawEllipse(QRectF(4.5, 4.5, 6, 6));
        } else {
            p.setPen(QPen(frame, 2));
            p.drawLine(4, 7, 6, 10);
            p.drawLine(6, 10, 11, 4);
        }
    }
    p.end();
    return img;
}

} // namespace

void TNovaStringGrid::SetColorTones(const TColorTones &ATones)
{
    FColorTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    TFont fixedFont = FixedFont();
    fixedFont.Color = ATones.Foreground.TextColor;
    fixedFont.Name = DefaultThemeFontName();
    SetFixedFont(fixedFont);
    SetColor(ATones.Background.BrushColor);
    TFont font = Font();
    font.Name = DefaultThemeFontName();
    font.Color = ATones.Background.TextColor;
    SetFont(font);
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ChangeColorBrightness(ATones.Foreground.BrushColor, -20));
    FBorderStyle = editorkit::bsNone;
    PaintWindowBorder();
    TControlLook &CL = *FControlLook;
    CL.SetControlStyle(csGlyph);
    CL.SetCheckedGlyph(metroGlyph(false, true));
    CL.SetUnCheckedGlyph(metroGlyph(false, false));
    CL.SetRadioOnGlyph(metroGlyph(true, true));
    CL.SetRadioOffGlyph(metroGlyph(true, false));
    CL.SetFlatButton(true);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
    for (int k = edTrackbarDropDown; k <= edNovaGridDropDown; ++k)
        if (TDropDownCellEditor *e = ExistingDropDownEditor(TEditorType(k)))
            e->Tones().SetColorTones(ATones);
    InvalidateGrid();
}

void TNovaStringGrid::ApplyOfficeTheme()
{
    if (!AutoThemeAdapt() || FDesigning)
        return;
    const TOfficeTheme theme = DetectOfficeTheme();
    if (theme == FOfficeTheme)
        return;
    switch (theme) {
    case ot2003Blue: SetComponentStyle(tsOffice2003Blue); break;
    case ot2003Silver: SetComponentStyle(tsOffice2003Silver); break;
    case ot2003Olive: SetComponentStyle(tsOffice2003Olive); break;
    case ot2003Classic: SetComponentStyle(tsOffice2003Classic); break;
    case ot2007Blue: SetComponentStyle(tsOffice2007Luna); break;
    case ot2007Silver: SetComponentStyle(tsOffice2007Silver); break;
    case ot2007Black: SetComponentStyle(tsOffice2007Obsidian); break;
    case ot2010Blue: SetComponentStyle(tsOffice2010Blue); break;
    case ot2010Silver: SetComponentStyle(tsOffice2010Silver); break;
    case ot2010Black: SetComponentStyle(tsOffice2010Black); break;
    case otUnknown: break;
    }
    FOfficeTheme = theme;
}
