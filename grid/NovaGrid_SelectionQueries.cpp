// Which cells, rows and columns are selected: the selection block, or the disjunct cell, row and
// column selections of the mouse actions. Disjunct cells are kept as (column, row) pairs, so any
// cell of the grid can be listed.
#include "grid/NovaGrid.h"

#include <algorithm>
#include <cstdlib>

void TNovaStringGrid::SetSelection(const TGridRect &Value)
{
    TBaseGrid::SetSelection(Value);
    if (FActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow())
        InvalidateRow(Selection().Bottom);
}

int TNovaStringGrid::SelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->Count();
    // The block is listed, so that SelectedCell answers for it too.
    FSelectedCells->Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        FSelectedCells->Add({Col(), Row()});
    } else {
        for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
            for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
                FSelectedCells->Add({c, r});
    }
    return FSelectedCells->Count();
}

bool TNovaStringGrid::SelectedCells(int i, int j)
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->Contains({i, j});
    const TGridRect s = Selection();
    return i >= std::min(s.Left, s.Right) && i <= std::max(s.Left, s.Right) && j >= std::min(s.Top, s.Bottom)
        && j <= std::max(s.Top, s.Bottom);
}

void TNovaStringGrid::SetSelectedCells(int i, int j, bool Value)
{
    const bool changed = Value ? FSelectedCells->Add({i, j}) : FSelectedCells->Remove({i, j});
    if (changed)
        RepaintCell(i, j);
}

TGridCoord TNovaStringGrid::SelectedCell(int Index)
{
    return FSelectedCells->Items(Index);
}

void TNovaStringGrid::ClearSelectedCells()
{
    SetSelection({FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FSelectedCells->Clear();
    InvalidateGrid();
}

int TNovaStringGrid::SelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect())
        return FSelectedRows->Count();
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).Y;
        return bottom < s.Top + span ? span + 1 : std::abs(s.Top - bottom) + 1;
    }
    const int d = std::abs(s.Top - bottom);
    if (IsMergedCell(s.Left, bottom))
        return d + CellSpan(s.Left, bottom).Y + 1;
    return d + 1;
}

int TNovaStringGrid::SelectedColCount()
{
    if (FMouseActions->DisjunctColSelect())
        return ColSelectCount();
    const TGridRect s = Selection();
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).X;
        return s.Right < s.Left + span ? span + 1 : std::abs(s.Left - s.Right) + 1;
    }
    if (IsMergedCell(s.Right, s.Top))
        return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
    return std::abs(s.Left - s.Right) + 1;
}

int TNovaStringGrid::SelectedRow(int i)
{
    if (FMouseActions->DisjunctRowSelect())
        return i >= 0 && i < FSelectedRows->Count() ? FSelectedRows->Items(i) : -1;
    const TGridRect s = Selection();
    const int r = std::min(s.Top, s.Bottom) + i;
    return i >= 0 && r <= std::max(s.Top, s.Bottom) ? r : -1;
}

void TNovaStringGrid::InvalidateCellRange(const TGridRect &R)
{
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(R.Right, R.Bottom);
    viewport()->update(a.ToQRect().united(b.ToQRect()));
}
