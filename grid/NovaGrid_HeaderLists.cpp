// Header lists that fill the header row and column, repainting parts of the grid, exchanging two
// cells, and small accessors the larger parts lean on.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirText.h"

#include <algorithm>

// ---- header lists ---------------------------------------------------------------------------------

void TNovaStringGrid::SetColumnHeaders(const QStringList &Value)
{
    FColumnHeaders = Value;
    if (FixedRows() > 0)
        ClearColumnHeaders();
    ColumnHeadersChanged();
    ShowColumnHeaders();
}

void TNovaStringGrid::SetRowHeaders(const QStringList &Value)
{
    FRowHeaders = Value;
    // Only a designer clears the column first; at run time old entries past the list stay.
    if (FDesigning && FixedCols() > 0)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TNovaStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, 0, QString());
}

void TNovaStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    for (int i = 0; i < FColumnHeaders.size() && i < TotalColCount(); ++i)
        SetCells(i, 0, UnescapeLineBreaks(FColumnHeaders.at(i)));
}

void TNovaStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(0, r, QString());
}

void TNovaStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    for (int i = 0; i < FRowHeaders.size() && i < RowCount(); ++i)
        SetCells(0, i, UnescapeLineBreaks(FRowHeaders.at(i)));
}

// ---- repainting -----------------------------------------------------------------------------------

void TNovaStringGrid::RepaintRow(int ARow)
{
    const TRect a = CellRect(0, ARow);
    const TRect b = CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
    viewport()->update(a.ToQRect().united(b.ToQRect()));
}

void TNovaStringGrid::RepaintCol(int ACol)
{
    const TRect a = CellRect(ACol, TopRow());
    const TRect b = CellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
    viewport()->update(a.ToQRect().united(b.ToQRect()));
}

void TNovaStringGrid::RepaintRect(const TGridRect &r)
{
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0)
        return;
    const TRect a = CellRect(r.Left, r.Top);
    const TRect b = CellRect(std::min(VisibleColCount() + FixedCols(), r.Right), r.Bottom);
    if (a.Width() <= 0 || a.Height() <= 0 || b.Width() <= 0 || b.Height() <= 0) {
        InvalidateGrid();
        return;
    }
    viewport()->update(a.ToQRect().united(b.ToQRect()));
}

// ---- small operations -----------------------------------------------------------------------------

void TNovaStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    auto inside = [this](TGridCoord c) { return c.X >= 0 && c.Y >= 0 && c.X < AllColCount() && c.Y < RowCount(); };
    if (!inside(FromCell) || !inside(ToCell) || FromCell == ToCell)
        return;
    Store().ExchangeCells(FromCell.X, FromCell.Y, ToCell.X, ToCell.Y);
}

int TNovaStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= int(FPrintMaxWidths.size()))
        throw ENovaGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintMaxWidths[std::size_t(ACol)];
}

int TNovaStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= int(FPrintIndents.size()))
        throw ENovaGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintIndents[std::size_t(ACol)];
}

void TNovaStringGrid::SetLookupItems(const QStringList *Value)
{
    if (Value)
        FLookupItems = *Value;
}

// ---- merged columns -------------------------------------------------------------------------------

void TNovaStringGrid::SplitAllColumnCells()
{
    for (int c = 0; c < ColCount(); ++c)
        SplitColumnCells(c);
}

void TNovaStringGrid::ApplyMergedColumns()
{
    for (int i = 0; i < FMergedColumns->Count(); ++i)
        MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

void TNovaStringGrid::MergedColumnsChanged()
{
    SplitAllColumnCells();
    ApplyMergedColumns();
}

// ---- search footer --------------------------------------------------------------------------------

bool TNovaStringGrid::IsLastRowAboveSearchFooter()
{
    if (!FSearchFooter->Visible())
        return false;
    if (TopRow() + VisibleRowCount() < RowCount() - 1)
        return false;
    const TRect r = CellRect(0, RowCount() - 1);
    return r.Bottom < ClientHeight() - SearchPanelHeight() + 2;
}
