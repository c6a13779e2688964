// Row nodes and group summary rows: a node row carries a node graphic in column 0, a summary row
// a summary marker there.
#include "grid/NovaGrid.h"

bool TNovaStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TNovaStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}
