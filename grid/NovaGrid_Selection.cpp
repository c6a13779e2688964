// Row and column selection (the selection rectangle and the disjunct per-row and per-column
// flags), modified rows, and the grid's answer when the current cell is about to move.
#include "grid/NovaGrid.h"

#include <algorithm>

namespace {

void growFlags(std::vector<char> &flags, int size)
{
    if (int(flags.size()) < size)
        flags.resize(std::size_t(size), 0);
}

} // namespace

// ---- rows ------------------------------------------------------------------------------------------

bool TNovaStringGrid::RowSelect(int ARow)
{
    const bool persistent = FMouseActions->RowSelectPersistent();
    if ((ARow < 0 || ARow >= RowCount() + NumHiddenRows()) && !persistent)
        throw ENovaGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (FMouseActions->DisjunctRowSelect()) {
        if (ARow < 0)
            throw EListError("row flag index out of range");
        growFlags(FRowSelect, ARow + 1);
        return FRowSelect[std::size_t(ARow)] != 0;
    }
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TNovaStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw ENovaGridError(QStringLiteral("Invalid row accessed"));
    bool Allow = true;
    if (OnRowDisjunctSelect && (ARow >= int(FRowSelect.size()) || (FRowSelect[std::size_t(ARow)] != 0) != Value))
        OnRowDisjunctSelect(this, ARow, Value, Allow);
    if (!Allow)
        return;
    growFlags(FRowSelect, ARow + 1);
    char &flag = FRowSelect[std::size_t(ARow)];
    if (Value) {
        if (flag != 1)
            InvalidateRow(ARow);
        flag = 1;
        if (ARow >= FixedRows() && !FSelectedRows->HasValue(ARow))
            FSelectedRows->Add(ARow);
    } else {
        if (flag != 0)
            InvalidateRow(ARow);
        flag = 0;
        FSelectedRows->DeleteValue(ARow);
    }
    FireEvent(OnRowDisjunctSelected, this, ARow);
}

int TNovaStringGrid::RowSelectCount()
{
    if (FMouseActions->DisjunctRowSelect()) {
        const int n = std::min(RowCount() + NumHiddenRows(), int(FRowSelect.size()));
        return int(std::count(FRowSelect.begin(), FRowSelect.begin() + std::max(0, n), char(1)));
    }
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

void TNovaStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount())
        RCount = RowCount() - RowIndex;
    // Nothing left to select (a start at or past the last row): the rectangle would turn inside out.
    if (RCount > 0) {
        if (!FMouseActions->DisjunctRowSelect()) {
            SetSelection({FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
        } else {
            for (int r = RowIndex; r < RowIndex + RCount; ++r) {
                const int target = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
                if (target >= 0 && target < RowCount())
                    SetRowSelect(target, true);
            }
        }
    }
    if (!FRowIndicator.isNull())
        InvalidateCol(0);
    FSelChange = false;
}

void TNovaStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int target = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
            if (target >= 0 && target < RowCount())
                SetRowSelect(target, false);
        }
    }
    FSelChange = false;
}

void TNovaStringGrid::ClearRowSelect()
{
    for (std::size_t r = 0; r < FRowSelect.size(); ++r)
        if (FRowSelect[r]) {
            InvalidateRow(int(r));
            FRowSelect[r] = 0;
        }
    FSelectedRows->Clear();
}

void TNovaStringGrid::SyncRowSelect(bool AllRows)
{
    TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom);
    const int bottom = std::min(std::max(s.Top, s.Bottom), RowCount() - FixedFooters() - 1);
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= top && r <= bottom;
        if (!inside && !AllRows)
            continue;
        SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, inside);
    }
    if (NumHiddenRows() > 0)
        InvalidateGrid();
}

// ---- columns ---------------------------------------------------------------------------------------

bool TNovaStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw ENovaGridError(QStringLiteral("Invalid column accessed"));
    growFlags(FColSelect, ACol + 1);
    return FColSelect[std::size_t(ACol)] != 0;
}

void TNovaStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw ENovaGridError(QStringLiteral("Invalid column accessed"));
    growFlags(FColSelect, ACol + 1);
    char &flag = FColSelect[std::size_t(ACol)];
    if ((flag != 0) != Value) {
        flag = Value ? 1 : 0;
        InvalidateCol(ACol);
    }
}

int TNovaStringGrid::ColSelectCount()
{
    if (FMouseActions->DisjunctColSelect())
        return int(std::count(FColSelect.begin(), FColSelect.end(), char(1)));
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

void TNovaStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection({ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c >= 0 && c < ColCount())
            SetColSelect(c, true);
}

void TNovaStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect())
        return;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c >= 0 && c < ColCount())
            SetColSelect(c, false);
}

void TNovaStringGrid::ClearColSelect()
{
    for (std::size_t c = 0; c < FColSelect.size(); ++c)
        if (FColSelect[c]) {
            InvalidateCol(int(c));
            FColSelect[c] = 0;
        }
}

void TNovaStringGrid::SyncColSelect(bool AllCols)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (inside || AllCols)
            SetColSelect(c, inside);
    }
}

void TNovaStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

// ---- modified rows ---------------------------------------------------------------------------------

int TNovaStringGrid::ModifiedRowCount() const
{
    // The list holds the index of each modified row once.
    return FModifiedRows->Count();
}

// ---- the current cell is about to move ------------------------------------------------------------

void TNovaStringGrid::RepaintActiveCellHeaders(int ACol, int ARow)
{
    if (FixedRows() > 0)
        InvalidateCell(ACol, FixedRows() - 1);
    if (FixedCols() > 0)
        InvalidateCell(FixedCols() - 1, ARow);
}

void TNovaStringGrid::repaintRowIndicators(int ARow)
{
    if (FRowIndicator.isNull() || FixedCols() <= 0)
        return;
    InvalidateCell(0, Row());
    InvalidateCell(0, ARow);
}

bool TNovaStringGrid::SelectCell(int ACol, int ARow)
{
    if (FForceSel) {
        repaintRowIndicators(ARow);
        return true;
    }
    if (!parentWidget() && !isVisible())
        return true;
    // The value of the editor control that lost the focus to this move was refused.
    if (FRefuseSelect)
        return false;
    FEditText = ACol >= 0 && ARow >= 0 ? Cells(RealColIndex(ACol), ARow) : QString();

    // Keep the target above the search footer.
    if (FSearchFooter->Visible()) {
        const int limit = ClientHeight() - SearchPanelHeight() + 2;
        for (int guard = RowCount(); guard > 0 && ARow <= RowCount() - 1 && TopRow() < RowCount() - 1; --guard) {
            const TRect rc = VirtualCellRect(std::max(ACol, 0), ARow);
            if (rc.Bottom <= limit)
                break;
            const int top = TopRow();
            SetTopRow(top + 1);
            if (TopRow() == top)
                break;
        }
    }
    if (ACol < 0 || ARow < 0)
        return false;

    const int c = RealColIndex(ACol);
    if (IsMergedNonBaseCell(c, ARow) && !Options().Contains(goRangeSelect)) {
        const TPoint b = BaseCell(c, ARow);
        FocusCell(DisplColIndexOf(b.X), b.Y, true);
        RepaintCell(b.X, b.Y);
        if (FMouseActions->DirectEdit() || HasComboBox(b.X, b.Y))
            ShowInplaceEdit();
        return false;
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect))
        return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !RowEnabled(ARow))
        return false;

    const TGridRect oldSel = Selection();
    const int oldCol = Col();
    const int oldRow = Row();
    const bool editorFocused = InplaceEditor() && InplaceEditor()->hasFocus();

    // Editing permission of the target cell: goEditing follows the cell.
    TGridOptions opts = Options();
    if (HasClickableGraphic(c, ARow)) {
        bool CanEdit = true;
        CheckCanEditCell(c, ARow, CanEdit);
        if (!FEditDisable)
            FEditDisable = !CanEdit && (opts.Contains(goEditing) || FMouseActions->RangeSelectAndEdit());
        if (!opts.Contains(goEditing) && !opts.Contains(goRowSelect) && CanEdit)
            SetOptions(opts.Include(goEditing));
    } else {
        bool CanEdit = opts.Contains(goEditing) || FEditDisable;
        CheckCanEditCell(c, ARow, CanEdit);
        if (FMouseActions->DirectEdit() && CanEdit && IsEditorNone(c, ARow))
            CanEdit = false;
        if (FMouseActions->EditOnDblClickOnly())
            CanEdit = false;
        if (CanEdit) {
            FEditDisable = false;
            if (!opts.Contains(goEditing)) {
                if (!FEditMode)
                    RememberCellValue(ACol, ARow);
                if (FMouseActions->RangeSelectAndEdit())
                    opts.Exclude(goRowSelect);
                SetOptions(opts.Include(goEditing));
            }
            HideInplaceEdit();
        } else {
            HideInplaceEdit();
            if (opts.Contains(goEditing)) {
                FEditMode = false;
                FEditDisable = true;
                SetOptions(opts.Exclude(goEditing));
                HideEditor();
            }
        }
    }

    bool answer;
    bool refused = false;
    if (!FEditing || editorFocused) {
        bool Allow = true;
        DoCellChanging(oldRow, oldCol, ARow, ACol, Allow);
        if (IsFixed(ACol, ARow) || !Allow) {
            answer = (Allow && Options().Contains(goRowSelect)) || (FixedRowAlways() && RowCount() == FixedRows());
            refused = !answer;
        } else {
            answer = TBaseGrid::SelectCell(ACol, ARow);
        }
    } else {
        // Another editor is open: its value must pass validation before the cell may change.
        const QString raw = GetGridCell(RealColIndex(Col()), Row());
        bool ok = raw.startsWith(QStringLiteral("|\\")) ? ValidateCellWide(raw) : ValidateCell(raw);
        bool Allow = true;
        if (ok)
            DoCellChanging(oldRow, oldCol, ARow, ACol, Allow);
        answer = ok && Allow && TBaseGrid::SelectCell(ACol, ARow);
        refused = !answer;
    }

    repaintRowIndicators(ARow);
    if (ActiveCellShow()) {
        RepaintActiveCellHeaders(oldCol, oldRow);
        RepaintActiveCellHeaders(ACol, ARow);
        if (oldSel.Left != oldCol || oldSel.Top != oldRow)
            RepaintActiveCellHeaders(oldSel.Left, oldSel.Top);
    }
    if (ActiveRowShow()) {
        InvalidateRow(ARow);
        InvalidateRow(oldRow);
    }
    if (SelectionRectangle())
        InvalidateGrid();
    if (answer && !FLoading && ARow != FOldRowSel) {
        const int old = FOldRowSel;
        FOldRowSel = ARow;
        FireEvent(OnRowUpdate, this, old, ARow);
    }
    if (HasCustomCellBorders())
        for (int r = std::min(oldSel.Top, oldSel.Bottom); r <= std::max(oldSel.Top, oldSel.Bottom); ++r)
            InvalidateRow(r);
    if (!refused)
        FCellCache = Cells(c, ARow);
    return answer;
}

// ---- enabled rows --------------------------------------------------------------------------------

bool TNovaStringGrid::RowEnabled(int ARow) const
{
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TNovaStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    if (ARow == Row()) {
        // The current row moves to the first other enabled row first (when there is one).
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    while (FEnabledRows->Count() <= ARow)
        FEnabledRows->Insert(FEnabledRows->Count(), 0);
    FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
    InvalidateRow(ARow);
}
