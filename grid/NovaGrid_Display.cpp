// Colours, fonts and the shown text of a cell: resolved step by step from the grid's look, the
// cell's own properties, the selection, the hooks and their events.
#include "grid/NovaGrid.h"

#include "grid/base/NumberDate.h"
#include "grid/base/VedAzirDraw.h"
#include "grid/base/VedAzirText.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cmath>

TColor MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer, int Factor)
{
    return Mixer ? BlendColor(SelectionColor, CellColor, Factor) : SelectionColor;
}

// ---- shown text --------------------------------------------------------------------------------------

void TNovaStringGrid::GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat)
{
    FireEvent(OnGetFloatFormat, this, ACol, ARow, IsFloat, FloatFormat);
}

QString TNovaStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (!OnGetFloatFormat)
        return text;
    const unsigned char kind = ClassifyNumberText(text);
    if (kind != nkInteger && kind != nkFloat && kind != nkScientific)
        return text;
    bool isFloat = true;
    QString format = FFloatFormat;
    GetFloatFormat(ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    // A format the value does not fit leaves the cell's own text.
    QString formatted;
    if (format.contains(QLatin1Char('d'))) {
        int value = 0;
        if (!TryTextToInt(text.trimmed(), value))
            return text;
        return platform::tryFormatText(format, {platform::FormatArg(value)}, formatted) ? formatted : text;
    }
    double value = 0;
    if (!TryPlainTextToFloat(ExtractNumericText(text), value))
        return text;
    return platform::tryFormatText(format, {platform::FormatArg(value)}, formatted) ? formatted : text;
}

// ---- fonts and colours --------------------------------------------------------------------------------

void TNovaStringGrid::applyOwnFont(const TCellProperties &props, TFont &font)
{
    if (props.FontColor() != clNone)
        font.Color = props.FontColor();
    if (!props.FontStyle().IsEmpty())
        font.Style = props.FontStyle();
    if (props.FontSize() != 0)
        font.Size = props.FontSize();
    if (!props.FontName().isEmpty())
        font.Name = props.FontName();
}

void TNovaStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState &AState, TFont &AFont,
                                        TBrush &ABrush, bool Remap)
{
    const int dcol = Remap ? ACol : DisplColIndex(ACol);
    if (IsFixed(dcol, ARow) || dcol < FixedCols() || ARow < FixedRows())
        AFont = FFixedFont;
    else
        AFont = Font();
    if (HasCellProperties(RCol, ARow)) {
        const auto *p = static_cast<const TCellProperties *>(GetGridObject(RCol, ARow));
        applyOwnFont(*p, AFont);
    }
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TNovaStringGrid::ResolveCellAlignment(int ACol, int ARow, TAlignment &HA, TVAlignment &VA)
{
    // With AutoNumAlign numbers (also the values of formulas) stand right.
    bool formula = false;
    bool number = false;
    if (FAutoNumAlign) {
        QString t = Cells(ACol, ARow);
        if (t.startsWith(QLatin1Char('='))) {
            formula = true;
            GetFormulaValue(ACol, ARow, t);
        } else if (t.length() > 3 && GetTextKind(t, false) == 5 && DecodeWideText(t).startsWith(QLatin1Char('='))) {
            formula = true;
            GetFormulaValue(ACol, ARow, t);
        }
        const QString trimmed = t.trimmed();
        number = !trimmed.isEmpty() && ClassifyNumberText(trimmed) != nkNotANumber;
    }
    if (HasCellProperties(ACol, ARow) && !formula) {
        const auto *p = static_cast<const TCellProperties *>(GetGridObject(ACol, ARow));
        HA = p->Alignment();
        VA = p->VAlignment();
    } else {
        HA = number ? taRightJustify : FDefaultAlignment;
        VA = FVAlignment;
    }
    GetCellAlignment(ACol, ARow, HA, VA);
}

bool TNovaStringGrid::IsSelected(int ACol, int ARow)
{
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) && ARow >= std::min(s.Top, s.Bottom)
           && ARow <= std::max(s.Top, s.Bottom);
}

void TNovaStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Print, bool Select,
                                          bool Remap, TBrush &ABrush, TColor &AColorTo, TColor &AMirrorColor,
                                          TColor &AMirrorColorTo, TFont &AFont, TAlignment &HA, TVAlignment &VA,
                                          bool &WW, TCellGradientDirection &GD)
{
    // Display column for the layout, real column for everything kept per cell.
    const int dcol = Remap ? ACol : DisplColIndex(ACol);
    int rcol = Remap ? RealColIndex(ACol) : ACol;
    if (rcol < 0)
        rcol = ACol;
    const bool dataCell = dcol >= FixedCols() && ARow >= FixedRows();

    // 1. font; printing takes the print fonts unless it prints with the display's
    const bool printFonts = Print && !FPrintSettings->UseDisplayFont();
    if (dataCell)
        AFont = printFonts ? FPrintSettings->Font() : Font();
    else
        AFont = printFonts ? FPrintSettings->FixedFont() : FFixedFont;

    // 2. no colours yet
    ABrush.Color = clNone;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    bool explicitBrush = false;

    // 3. the cell's own properties
    if (HasCellProperties(rcol, ARow)) {
        const auto *p = static_cast<const TCellProperties *>(GetGridObject(rcol, ARow));
        const TColor own = p->BrushColor();
        switch (GetCellType(rcol, ARow)) {
        case ctNone: case ctRotated: case ctEmpty:
        case ctCheckBox: case ctDataCheckBox: case ctRadio: case ctButton: case ctRadioButton:
            if (own != clNone) {
                ABrush.Color = own;
                explicitBrush = true;
            }
            break;
        default:
            ABrush.Color = own;
            explicitBrush = own != clNone;
            break;
        }
        applyOwnFont(*p, AFont);
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }

    // 4. a selected cell runs its gradient top to bottom
    if (AState.Contains(gdSelected))
        GD = GradientVertical;

    // 5. grid colour, bands, fixed colour
    const bool rightFixed = dcol >= ColCount() - FFixedRightCols;
    const bool footer = ARow >= RowCount() - FFixedFooters;
    if (ABrush.Color == clNone) {
        ABrush.Color = Color();
        if (FBands->Active() && (FBands->Print() == Print || !Print) && dcol >= FixedCols()
            && dcol < ColCount() - FFixedRightCols && ARow >= FixedRows() && !footer && FBands->TotalLength() > 0)
            ABrush.Color = (ARow - FixedRows()) % FBands->TotalLength() < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                              : FBands->SecondaryColor();
        if (dcol < FixedCols() || ARow < FixedRows() || rightFixed || footer)
            ABrush.Color = FFixedColor;
    }

    // 6. fixed cells and their gradient under the newer looks
    const bool fixedCell = IsFixed(dcol, ARow) || dcol < FixedCols() || ARow < FixedRows();
    if (fixedCell && !explicitBrush) {
        if (!Print) {
            ABrush.Color = FFixedColor;
            AFont = FFixedFont;
            AState.Include(gdFixed);
        }
        if (FLook > glClassic) {
            ABrush.Color = FNovaGradientFrom;
            AColorTo = FNovaGradientTo;
            AMirrorColor = FNovaGradientMirrorFrom;
            AMirrorColorTo = FNovaGradientMirrorTo;
        }
    }

    // 7. hooks: the cell colour hook, then the gradient event
    if (Print)
        GetCellPrintColor(rcol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(rcol, ARow, AState, ABrush, AFont);
    FireEvent(OnGetCellGradient, this, ARow, rcol, ABrush.Color, AColorTo, AMirrorColor, AMirrorColorTo, GD);

    // 8. colours without selection
    const TColor plainBrush = ABrush.Color;
    const TColor plainFont = AFont.Color;
    const TColor plainTo = AColorTo, plainMirror = AMirrorColor, plainMirrorTo = AMirrorColorTo;

    // 11. the selection colours
    auto selectionColours = [&]() {
        AColorTo = FSelectionColorTo;
        AMirrorColor = FSelectionMirrorColor;
        AMirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone)
            AFont.Color = FSelectionTextColor;
    };
    auto select = [&]() {
        ABrush.Color = ABrush.Color == Color()
                           ? FSelectionColor
                           : MixSelectionColor(FSelectionColor, ABrush.Color, FSelectionColorMixer, FSelectionColorMixerFactor);
        selectionColours();
        AState.Include(gdSelected);
    };

    // 9. selection of a data cell: by the disjunct row or column flags, else by the rectangle
    const bool selectable = !Print && FShowSelection && dataCell && !AState.Contains(gdFixed);
    const bool persistentRows = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent();
    const int flagRow = persistentRows || FUseEnabledRows ? RealRowIndex(ARow) : ARow;
    auto disjunct = [&](bool flagged) {
        if (!flagged || (ARow == Row() && FMouseDown)) {
            if (!(FMouseDown && AState.Contains(gdSelected)))
                AState.Exclude(gdSelected);
        } else {
            AState = TGridDrawState{gdSelected};
            ABrush.Color = FSelectionColor;
            selectionColours();
        }
    };
    if (Select && selectable && FMouseActions->DisjunctRowSelect() && flagRow >= 0)
        disjunct(RowSelect(flagRow));
    if (Select && selectable && FMouseActions->DisjunctColSelect() && dcol < ColCount())
        disjunct(ColSelect(dcol));
    if (Select && selectable && !FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect()
        && IsSelected(dcol, ARow))
        select();
    else if (selectable && FMouseDown && AState.Contains(gdSelected))
        select();

    // 10. disjunct cell selection
    if (FMouseActions->DisjunctCellSelect() && FShowSelection && selectable) {
        if (FSelectedCells->Contains({dcol, ARow})) {
            ABrush.Color = FSelectionColor;
            selectionColours();
            AState.Include(gdSelected);
        } else if (dcol == Col() && ARow == Row()) {
            AState.Exclude(gdSelected);
            ABrush.Color = plainBrush;
            AFont.Color = plainFont;
            AColorTo = plainTo;
            AMirrorColor = plainMirror;
            AMirrorColorTo = plainMirrorTo;
        }
    }

    // 12. disabled look
    if (FUseDisabledFont && (!isEnabled() || (FUseEnabledRows && !RowEnabled(flagRow))))
        AFont.Color = FDisabledFontColor;

    // 13. a selected row other than the current one is a little brighter
    if (AState.Contains(gdSelected) && FMouseActions->DisjunctRowSelect() && ARow != Row() && FSelectionColorTo == clNone)
        ABrush.Color = ChangeColorBrightness(ABrush.Color, 7);

    // 14. word wrap and alignment
    GetCellWordWrap(rcol, ARow, WW);
    ResolveCellAlignment(rcol, ARow, HA, VA);
}
