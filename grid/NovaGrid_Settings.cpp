// The grid as the owner of its settings objects: what they ask of it (repaints, fixed rows, the
// gradient colours the control look passes on, sorting, column stretch, header editing).
#include "grid/NovaGrid.h"
#include "grid/base/VedAzirDraw.h"

void TNovaStringGrid::SettingsRepaint() { InvalidateGrid(); }
void TNovaStringGrid::SettingsRepaintRow(int ARow) { InvalidateRow(ARow); }
void TNovaStringGrid::SettingsRepaintCell(int ACol, int ARow) { RepaintCell(DisplColIndex(ACol), ARow); }
int TNovaStringGrid::SettingsFixedRows() const { return FixedRows(); }
bool TNovaStringGrid::SettingsDesigning() const { return FDesigning; }
bool TNovaStringGrid::SettingsHasParent() const { return parentWidget() != nullptr; }

void TNovaStringGrid::SetFixedGradientColor(TFixedGradientColor Which, TColor Value, bool Repaint)
{
    switch (Which) {
    case fgFrom: SetNovaGradientFrom(Value); return;
    case fgTo: SetNovaGradientTo(Value); return;
    case fgMirrorFrom: SetNovaGradientMirrorFrom(Value); return;
    case fgMirrorTo: SetNovaGradientMirrorTo(Value); return;
    case fgHoverFrom: FNovaGradientHoverFrom = Value; break;
    case fgHoverTo: FNovaGradientHoverTo = Value; break;
    case fgHoverMirrorFrom: FNovaGradientHoverMirrorFrom = Value; break;
    case fgHoverMirrorTo: FNovaGradientHoverMirrorTo = Value; break;
    case fgHoverBorder: FNovaGradientHoverBorder = Value; break;
    case fgDownFrom: FNovaGradientDownFrom = Value; break;
    case fgDownTo: FNovaGradientDownTo = Value; break;
    case fgDownMirrorFrom: FNovaGradientDownMirrorFrom = Value; break;
    case fgDownMirrorTo: FNovaGradientDownMirrorTo = Value; break;
    case fgDownBorder: FNovaGradientDownBorder = Value; break;
    }
    if (Repaint)
        InvalidateGrid();
}

TSortIndexList &TNovaStringGrid::SettingsSortIndexes() { return *FSortIndexes; }
void TNovaStringGrid::SettingsQSort() { QSort(); }
void TNovaStringGrid::SettingsQSortIndexed() { QSortIndexed(); }

bool TNovaStringGrid::SettingsValidateCell(int ACol, int ARow, QString &Value)
{
    bool valid = true;
    FireEvent(OnCellValidate, this, ACol, ARow, Value, valid);
    return valid;
}

void TNovaStringGrid::SettingsEditingDone() { FireEvent(OnEditingDone, this); }
void TNovaStringGrid::SettingsSetCell(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }
void TNovaStringGrid::SettingsFocusCell(int ACol, int ARow) { FocusCell(DisplColIndex(ACol), ARow); }

void TNovaStringGrid::SettingsPaintFixedBackground(TCanvas &Canvas, const TRect &R)
{
    // A fixed cell's look without its text.
    TGridDrawState state{gdFixed};
    TBrush brush;
    TFont font = Font();
    TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
    TAlignment halign = taLeftJustify;
    TVAlignment valign = vtaTop;
    bool wordWrap = false;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(0, 0, state, false, false, false, brush, colorTo, mirrorColor, mirrorColorTo, font, halign,
                        valign, wordWrap, gd);
    if (mirrorColorTo != clNone)
        DrawGradientBackground(Canvas, R, brush.Color, colorTo, mirrorColor, mirrorColorTo, true, clNone, false, true);
    else
        DrawGradient(Canvas, brush.Color, colorTo, 64, R, gd == GradientHorizontal);
}
