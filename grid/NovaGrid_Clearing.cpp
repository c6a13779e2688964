// Emptying, trimming and colouring rectangles of cells, and the shortcuts built on them.
//
// ClearRect is the one place where cell properties and graphics go together with the texts; only
// the rows of the store that hold something are visited, however large the rectangle.
#include "grid/NovaGrid.h"

#include <algorithm>
#include <climits>

namespace {

bool isBlankOrControl(QChar ch) { return ch.unicode() <= 32; }

QString trimBlanksAndControls(const QString &s)
{
    int b = 0;
    int e = int(s.size());
    while (b < e && isBlankOrControl(s.at(b)))
        ++b;
    while (e > b && isBlankOrControl(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

} // namespace

void TNovaStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol1 > ACol2 || ARow1 > ARow2)
        return;
    TGridCellStore &s = Store();
    const bool destroying = Destroying();
    for (int r = s.NextRow(std::max(ARow1, 0)); r >= 0 && r <= ARow2; r = r == INT_MAX ? -1 : s.NextRow(r + 1)) {
        for (int c = std::max(ACol1, 0); c <= ACol2; ++c) {
            const int a = FSaveHiddenCells ? RealColIndex(c) : c;
            if (a < 0)
                continue;
            if (!FClearTextOnly && HasCellProperties(a, r)) {
                if (FNilObjects) {
                    // The slot holds a copy kept elsewhere: let it go without freeing.
                    s.SetObject(a, r, nullptr);
                } else {
                    RemoveCellGraphic(a, r);
                    FreeCellProperties(a, r);
                }
            }
            if (!destroying && !s.IsEmpty(a, r)) {
                s.SetText(a, r, QString());
                if (a != c)
                    RepaintCell(c, r);
            }
        }
    }
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1 && !FClearTextOnly && !FNilObjects)
        FHasCellProps = false;
    if (!destroying && !FBlockCellChange)
        CellsChanged({RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2});
    InvalidateGrid();
}

void TNovaStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount < 1)
        return;
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TNovaStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount < 1)
        return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TNovaStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount < 1)
        return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FixedFooters() - 1);
}

void TNovaStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount < 1)
        return;
    ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FixedRightCols() - 1, RowIndex + RCount - 1);
}

void TNovaStringGrid::ClearNormalCells()
{
    if (FixedCols() == 0 && HasNodes())
        RemoveAllNodes();
    if (RowCount() <= 0 || ColCount() <= 0)
        return;
    ClearRect(FixedCols(), FixedRows(), ColCount() + NumHiddenColumns() - FixedRightCols() - 1,
              RowCount() - FixedFooters() - 1);
}

void TNovaStringGrid::Clear()
{
    if (!Destroying() && HasNodes())
        RemoveAllNodes();
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (NumHiddenColumns() > 0)
        InvalidateGrid();
}

void TNovaStringGrid::ClearAll()
{
    Clear();
    // Hidden rows come back empty; the objects they held are freed with their texts.
    for (int i = 0; i < FGridItems.Count(); ++i) {
        TGridItem *item = FGridItems.Items(i);
        freeItemObjects(*item);
        item->Clear();
    }
}

void TNovaStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r))
                ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TNovaStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    InvalidateGrid();
}

void TNovaStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    TGridCellStore &s = Store();
    for (int r = s.NextRow(std::max(ARow1, 0)); r >= 0 && r <= ARow2; r = r == INT_MAX ? -1 : s.NextRow(r + 1))
        for (int c = std::max(ACol1, 0); c <= ACol2; ++c) {
            const int a = FSaveHiddenCells ? RealColIndex(c) : c;
            if (a < 0 || s.IsEmpty(a, r))
                continue;
            const QString t = s.Text(a, r);
            const QString trimmed = trimBlanksAndControls(t);
            if (trimmed.size() != t.size())
                s.SetText(a, r, trimmed);
        }
    InvalidateGrid();
}

void TNovaStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TNovaStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TNovaStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TNovaStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = std::min(ARow1, ARow2); r <= std::max(ARow1, ARow2); ++r)
        for (int c = std::min(ACol1, ACol2); c <= std::max(ACol1, ACol2); ++c)
            SetColors(c, r, AColor);
}
