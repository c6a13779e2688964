// The order the columns had before any move: recorded on the first move, followed by every move,
// and used to put the columns back or find a column by where it started.
#include "grid/NovaGrid.h"

#include <algorithm>

void TNovaStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c)
        FColumnOrder->Insert(FColumnOrder->Count(), c);
}

void TNovaStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->IsEmpty()) {
        SetColumnOrder();
        return;
    }
    // Each pass moves columns whose initial place lies before where they are now; the moves keep
    // the list in step, so the passes end with the list ascending.
    const int n = std::min(ColCount(), FColumnOrder->Count());
    for (bool moved = true; moved;) {
        moved = false;
        for (int p = 0; p < n; ++p) {
            const int home = FColumnOrder->Items(p);
            if (home < p && home >= 0) {
                MoveColumn(p, home);
                moved = true;
            }
        }
    }
}

int TNovaStringGrid::ColumnAtPosition(int ACol)
{
    if (FColumnOrder->IsEmpty())
        SetColumnOrder();
    if (ACol < 0 || ACol >= FColumnOrder->Count())
        return ACol;
    int c = FColumnOrder->Items(ACol);
    if (FGroupColumn >= 0 && c >= FGroupColumn)
        ++c;
    return c;
}

int TNovaStringGrid::ColumnByHeader(const QString &AValue)
{
    const int headerRow = RealRowIndex(0);
    for (int c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, headerRow) == AValue)
            return c;
    return -1;
}
