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

int TNovaStringGrid::GetRowIndent(int ARow)
{
    if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow))
        return 0;
    return GetCellProperties(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

int TNovaStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    const int next = ARow + 1;
    if (ARow < RowCount() - FixedFooters() - 1 && HasCellProperties(0, next)) {
        const int level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
        if (GetCellProperties(0, next)->NodeLevel() >= level)
            return 2;
    }
    return 1;
}
