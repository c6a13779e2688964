// The floating footer on the grid's side: its panel docked under the cells, the last row it
// takes over in the fixed-last-row style, and the column results calculated into that row.
#include "grid/NovaGrid.h"

#include "grid/FloatingFooter.h"

bool TNovaStringGrid::FloatingFooterShown()
{
    return FFloatingFooter && FFloatingFooter->Visible();
}

TFloatingFooter *TNovaStringGrid::FloatingFooter()
{
    return FFloatingFooter;
}

TCanvas *TNovaStringGrid::FooterCanvas() const
{
    return FFooterPanel ? FFooterPanel->Canvas() : nullptr;
}

void TNovaStringGrid::UpdateFooter()
{
    if (FFooterPanel && FFooterPanel->isVisible())
        FFooterPanel->update();
}

void TNovaStringGrid::LastRowChanged()
{
    UpdateFooter();
}

void TNovaStringGrid::placeFooterPanel()
{
    if (!FFooterPanel)
        return;
    const bool shown = FloatingFooterShown();
    const int h = shown ? std::max(FFloatingFooter->Height() - 1, 0) : 0;
    // The cells give up the strip's height; the panel sits right under them.
    setViewportMargins(0, 0, 0, h);
    const QRect vp = viewport()->geometry();
    FFooterPanel->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), h);
    FFooterPanel->setVisible(shown);
    if (shown)
        FFooterPanel->raise();
}

void TNovaStringGrid::FloatingFooterChanged()
{
    FloatingFooter();
    const bool lastRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow;
    FHideLastRow = lastRow;
    SetFixedFooters(lastRow ? 1 : 0);
    placeFooterPanel();
    InvalidateGrid();
    UpdateFooter();
}

void TNovaStringGrid::CalcFooter(int ACol)
{
    CalcFloatingFooter(ACol);
}

void TNovaStringGrid::CalcFloatingFooter(int ACol)
{
    if (!FloatingFooterShown() || FFloatingFooter->FooterStyle() != fsFixedLastRow
        || !FFloatingFooter->EnableCalculation())
        return;
    const int F = RowCount() - 1;
    const int h = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
    const int from = ACol == -1 ? 0 : ACol;
    const int to = ACol == -1 ? AllColCount() - 1 : ACol;
    // With hidden rows counted, the data rows are read by real rows: the footer row is the last
    // real row, so the range never takes it in.
    FCalcRealRows = h > 0;
    for (int c = std::max(from, 0); c <= to && c < AllColCount(); ++c) {
        if (!HasCellProperties(c, F))
            continue;
        const int type = GetCellProperties(c, F)->CalcType() & 0x7F;
        try {
            switch (type) {
            case acSUM: SetFloats(c, F, ColumnSum(c, FixedRows(), F - 1 + h)); break;
            case acAVG: SetFloats(c, F, ColumnAvg(c, FixedRows(), F - 1 + h)); break;
            case acCOUNT: SetInts(c, F, F - FixedRows() + h); break;
            case acMIN: SetFloats(c, F, ColumnMin(c, FixedRows(), F - 1 + h)); break;
            case acMAX: SetFloats(c, F, ColumnMax(c, FixedRows(), F - 1 + h)); break;
            case acDISTINCT: SetFloats(c, F, ColumnDistinct(c, FixedRows(), F - 1 + h)); break;
            case acSTDDEV: SetFloats(c, F, ColumnStdDev(c, FixedRows(), F - 1 + h)); break;
            case acCUSTOM: {
                QString value;
                if (OnFooterCalc)
                    OnFooterCalc(this, c, F + h, value);
                else if (FFloatingFooter->OnCalcFooter)
                    FFloatingFooter->OnCalcFooter(this, c, F + h, value);
                SetCells(c, F, value);
                break;
            }
            default: break;
            }
        } catch (const ENovaGridError &) {
            // A result the column cannot give (its first or any deviation cell holds no number)
            // leaves the footer cell empty instead of escaping from a repaint or an edit.
            SetCells(c, F, QString());
        }
    }
    FCalcRealRows = false;
}
