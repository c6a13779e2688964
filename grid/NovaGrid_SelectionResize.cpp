// The selection's resize handle: a press on the small square at the selection's far corner copies
// the selected cells, the drag carries that corner to the cell under the pointer, and the release
// pastes the copied cells into the enlarged selection (with the smart clipboard a series goes on).
#include "grid/NovaGrid.h"
#include "grid/base/GridOptions.h"

bool TNovaStringGrid::IsOnResizeHandle(int X, int Y)
{
    if (!SelectionResizer() || !SelectionRectangle())
        return false;
    const TGridRect s = Selection();
    const int rc = RealColIndex(std::max(s.Left, s.Right));
    const int row = std::max(s.Top, s.Bottom);
    if (rc < 0 || row < 0 || row >= RowCount())
        return false;
    // A merged corner cell carries the handle on its whole span.
    const TPoint b = BaseCell(rc, row);
    const TRect R = CellRect(DisplColIndexOf(b.X), b.Y);
    if (R.Right <= R.Left || R.Bottom <= R.Top)
        return false; // scrolled out of view
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const bool inX = rtl ? X >= R.Left && X < R.Left + 6 : X > R.Right - 6 && X <= R.Right;
    return inX && Y > R.Bottom - 6 && Y <= R.Bottom;
}

void TNovaStringGrid::beginSelectionResize(int X, int Y, Qt::KeyboardModifiers Shift, bool PlatformPress)
{
    SetGridState(gsSelecting);
    FDropSelection = Selection();
    CopySelectionToClipboard();
    FMouseResize = true;
    // The platform's press focuses the grid and reports the press; the selection stays as it was.
    const TGridRect keep = Selection();
    if (PlatformPress)
        MouseDown(Qt::LeftButton, Shift, X, Y);
    SetSelection(keep);
    SetGridState(gsSelecting);
    MouseMove(Shift, X, Y);
}

void TNovaStringGrid::selectionResizeMove(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(std::clamp(X, 0, std::max(0, viewport()->width() - 1)),
                std::clamp(Y, 0, std::max(0, viewport()->height() - 1)), c, r);
    if (c < FixedCols() || r < FixedRows() || c >= ColCount() - FixedRightCols() || r >= RowCount() - FixedFooters())
        return;
    // The top-left cell stays; the far corner follows the pointer but never passes it.
    const TGridRect &d = FDropSelection;
    const TGridRect s{d.Left, d.Top, std::max(d.Left, c), std::max(d.Top, r)};
    if (!(s == Selection()))
        SetSelection(s);
}

void TNovaStringGrid::endSelectionResize()
{
    const TGridRect orig = FDropSelection;
    const TGridRect now = Selection();
    FireEvent(OnSelectionResize, this, orig, now);
    // The paste fills every cell of the new selection, editable or not.
    const bool always = FNavigation->AllowClipboardAlways();
    FNavigation->SetAllowClipboardAlways(true);
    PasteSelectionFromClipboard();
    FNavigation->SetAllowClipboardAlways(always);
    FMouseResize = false;
    FireEvent(OnSelectionResized, this, orig, now);
}
