// The mouse on cell buttons and expand buttons: a press pushes the button, the release draws it
// released again and, on the button, clicks it (an expand button flips and sizes its row).
#include "grid/ControlLook.h"
#include "grid/NovaGrid.h"

namespace {

TRect hitRectOf(TNovaStringGrid &g, int ACol, int ARow, bool expand)
{
    return expand ? g.GetExpandButtonRect(g.RealColIndex(ACol), ARow) : g.GetCellButtonRect(ACol, ARow);
}

} // namespace

bool TNovaStringGrid::pressCellButton(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    const bool button = HasButton(rc, ARow);
    const bool expand = !button && HasExpand(rc, ARow);
    if (!button && !expand)
        return false;
    HideInplaceEdit();
    if (!IsFixed(ACol, ARow) && ACol >= FixedCols() && ARow >= FixedRows()) {
        FForceSel = true;
        FocusCell(ACol, ARow, true);
        FForceSel = false;
    }
    if (!hitRectOf(*this, ACol, ARow, expand).Contains(TPoint{X, Y}))
        return false;
    PushButton(ACol, ARow, true);
    FPushedCellButton = TPoint{ACol, ARow};
    FireEvent(OnClickCell, this, ARow, ACol);
    return true;
}

bool TNovaStringGrid::releaseCellButton(int ACol, int ARow, int X, int Y)
{
    if (FPushedCellButton.X < 0 || FPushedCellButton.Y < 0)
        return false;
    const int bc = FPushedCellButton.X;
    const int br = FPushedCellButton.Y;
    FPushedCellButton = TPoint{-1, -1};
    const int rc = RealColIndex(bc);
    const bool expand = HasExpand(rc, br);
    const bool onButton = hitRectOf(*this, bc, br, expand).Contains(TPoint{X, Y});
    bool enabled;
    if (ACol >= 0 && ARow >= 0 && !FControlLook->NoDisabledButtonLook())
        enabled = IsEditableCell(RealColIndex(ACol), ARow);
    else
        enabled = Options().Contains(goEditing);
    const bool fixedRow = br < FixedRows();
    const bool fixedCol = bc < FixedCols();
    // A button is always drawn released again, also one whose click does not count: it would
    // stay pushed for good.
    PushButton(bc, br, false);
    if (enabled || FControlLook->NoDisabledButtonLook() || fixedRow || fixedCol) {
        if (onButton || fixedRow || (fixedCol && FixedAsButtons())) {
            if (expand) {
                if (onButton)
                    DoExpandClick(rc, br, ToggleExpand(rc, br));
            } else {
                DoButtonClick(rc, br);
            }
        }
    }
    return onButton;
}
