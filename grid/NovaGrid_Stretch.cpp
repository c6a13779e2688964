// Column stretching and the grid's reactions to changed widths, heights and dimensions: one
// column takes what the others leave of the client width, and the end of a user sizing may
// resize the other columns or rows in proportion and is reported.
#include "grid/NovaGrid.h"

#include "grid/SizeSettings.h"

#include <QCoreApplication>
#include <cmath>
#include <stdexcept>

void TNovaStringGrid::StretchColumn(int Index)
{
    if (FLoading || Destroying() || QCoreApplication::closingDown())
        return;
    if (Index == -1)
        Index = ColCount() - 1;
    // Any other negative index is as far out of range as one beyond the last column.
    if (Index < 0 || Index >= ColCount())
        throw std::runtime_error("Stretch column index out of range");
    if (ColCount() <= 0 || !FColumnSize->Stretch() || FIsColChanging)
        return;
    FIsColChanging = true;
    ColchgFlg = false;
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(Index, client);
    } else {
        int sum = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != Index)
                sum += ColWidths(c);
        if (sum < client)
            SetColWidths(Index, client - sum - 1);
        else if (LeftCol() == FixedCols())
            SetColWidths(Index, DefaultColWidth());
    }
    ColchgFlg = true;
    FIsColChanging = false;
}

void TNovaStringGrid::SettingsStretchColumn(int ACol)
{
    // Switching stretching on with a column the grid does not have changes nothing.
    try {
        StretchColumn(ACol);
    } catch (const std::runtime_error &) {
    }
}

void TNovaStringGrid::ColWidthsChanged()
{
    if (!FColumnSize) { // still being made
        TBaseGrid::ColWidthsChanged();
        return;
    }
    // A width change from inside a platform notification must not raise: a stretch column
    // beyond the columns is simply not stretched here.
    if (ColchgFlg)
        SettingsStretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    if (HasCheckBox(RealColIndex(Col()), Row()) && EditorMode())
        HideEditor();
    CellControlsUpdate();
}

void TNovaStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    if (HasCheckBox(RealColIndex(Col()), Row()) && EditorMode())
        HideEditor();
    CellControlsUpdate();
}

void TNovaStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!FColumnSize || !parentWidget() || FLoading || QCoreApplication::closingDown() || FInSizeChanged) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    FInSizeChanged = true;
    if (FColumnSize->Stretch())
        SettingsStretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    UpdateFlatScrollBars();
    FInSizeChanged = false;
}

void TNovaStringGrid::EndUserColumnSize(int ACol, int OldWidth)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    if (FMouseActions->AllColumnSize() && OldWidth > 0) {
        const double f = double(ColWidths(ACol)) / double(OldWidth);
        // The others follow as one change, not as user sizings of their own.
        const bool stretch = ColchgFlg;
        ColchgFlg = false;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != ACol)
                SetColWidths(c, int(std::lround(ColWidths(c) * f)));
        ColchgFlg = stretch;
    }
    FireEvent(OnEndColumnSize, this, ACol);
    int w = ColWidths(ACol);
    const int old = w;
    DoUpdateColumnSize(ACol, w);
    if (w != old)
        SetColWidths(ACol, w);
}

void TNovaStringGrid::EndUserRowSize(int ARow, int OldHeight)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    if (FMouseActions->AllRowSize() && OldHeight > 0) {
        const double f = double(RowHeights(ARow)) / double(OldHeight);
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow)
                SetRowHeights(r, int(std::lround(RowHeights(r) * f)));
    }
    FireEvent(OnEndRowSize, this, ARow);
}
