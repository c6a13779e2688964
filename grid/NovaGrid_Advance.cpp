// Cell advance after an edit, the grid's typed-character handling (Escape, Enter, incremental
// look-up) and the small cell-positioning operations.
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"

#include <QApplication>

void TNovaStringGrid::AdvanceAfterEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Skipping,
                                       bool ShowEdit)
{
    if (!FNavigation->AdvanceOnEnter() && !Force) return;
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
        TGridOptions o = Options();
        o.Include(goEditing);
        SetOptions(o);
    }
    if (!Skipping) {
        FAECol = ACol;
        FAERow = ARow;
    }
    const int startCol = Col(), startRow = Row();
    FStartEditChar = QChar();
    const int first = FirstNavigableCol();
    const int lastRow = RowCount() - FixedFooters() - 1;
    const int lastCol = ColCount() - FixedRightCols() - 1;
    const TAdvanceDirection dir = FNavigation->AdvanceDirection();
    // Skipping read-only cells ends after one pass over the grid.
    const int maxSteps = (RowCount() + 1) * (ColCount() + 1);
    for (int step = 0; step <= maxSteps; ++step) {
        const int span = CellSpan(RealColIndex(ACol), ARow).X;
        if (Forward) {
            if (dir == adLeftRight || dir == adLeftRightInRow) {
                if (ACol + span < ColCount() - VisibleFixedRightCols() - 1) {
                    ACol = ACol + span + 1;
                } else if (dir == adLeftRight) {
                    if (ARow == lastRow) {
                        if (FNavigation->AdvanceInsert()) {
                            const bool can = DoCanAddRow();
                            ACol = first;
                            if (can) {
                                SetRowCount(RowCount() + 1);
                                ++ARow;
                                FireEvent(OnAutoAddRow, this, RowCount() - FixedFooters() - 1);
                                bool any = false;
                                for (int c = FixedCols(); c < ColCount() && !any; ++c)
                                    any = IsEditable(RealColIndex(c), ARow);
                                if (!any) return;
                            }
                        } else if (FNavigation->AdvanceOnEnterLoop()) {
                            ARow = FixedRows();
                            ACol = first;
                        }
                    } else {
                        ++ARow;
                        ACol = first;
                    }
                } else if (FNavigation->AdvanceOnEnterLoop()) {
                    ACol = first;
                }
            } else {
                if (ARow != lastRow) {
                    ++ARow;
                } else if (dir == adTopBottomInCol) {
                    ARow = FixedRows();
                } else {
                    if (ACol != lastCol) {
                        ARow = FixedRows();
                        ++ACol;
                        if (ACol >= ColCount()) ACol = first;
                    } else if (FNavigation->AdvanceInsert()) {
                        SetColCount(ColCount() + 1);
                        ACol = ACol + span + 1;
                        ARow = FixedRows();
                        FireEvent(OnAutoInsertCol, this, ColCount() - FixedRightCols() - 1);
                    } else {
                        ARow = FixedRows();
                        ACol = first;
                    }
                    viewport()->update();
                }
            }
        } else if (dir == adLeftRight) {
            if (ACol > first) {
                --ACol;
            } else {
                ARow = ARow > FixedRows() ? ARow - 1 : lastRow;
                ACol = ColCount() - FixedRightCols() - 1;
            }
        } else if (dir == adTopBottom) {
            if (ARow > FixedRows()) {
                --ARow;
            } else {
                ACol = ACol > first ? ACol - 1 : ColCount() - FixedRightCols() - 1;
                ARow = lastRow;
            }
        }
        bool canEdit = true;
        CheckCanEditCell(RealColIndex(ACol), ARow, canEdit);
        if (canEdit) {
            bool allow = true;
            FireEvent(OnAutoAdvance, this, FAERow, FAECol, ARow, ACol, allow);
            if (allow) {
                if (OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
                FDisableChange = true;
                if (allow) FocusCell(ACol, ARow, true);
                else FocusCell(startCol, startRow, true);
            } else {
                FDisableChange = true;
                FocusCell(startCol, startRow, true);
            }
            FDisableChange = false;
            break;
        }
        if (!FNavigation->AdvanceSkipReadOnlyCells()) {
            FocusCell(ACol, ARow, true);
            break;
        }
        if (step == maxSteps) {
            // No editable cell can be reached: the cursor stays where the advance began.
            FocusCell(startCol, startRow, true);
            return;
        }
    }
    if (ShowEdit) {
        const int rc = RealColIndex(Col());
        const bool clickable = HasClickableGraphic(rc, Row());
        if ((AutoEdit && FNavigation->AdvanceAutoEdit()) || clickable) {
            if (!IsEditable(rc, Row())) return;
            ShowEditor();
            if (clickable) {
                TEditorType t = FDefaultEditor;
                GetCellEditor(RealColIndex(startCol), startRow, t);
                if (!IsTextEditorKind(t) || t == edValidChars) HideEditor();
            }
        }
    }
    if (FMouseActions->DisjunctRowSelect() && FSelectedRows) {
        FSelectedRows->Clear();
        FSelectedRows->Add(Row());
    }
}

void TNovaStringGrid::KeyPress(QChar &Key)
{
    const ushort k = Key.unicode();
    if (k == 27) {
        if (Options().Contains(goEditing) && FEditing) RestoreCellCache();
        FireEvent(OnKeyPress, this, Key);
        return;
    }
    const int rc = RealColIndex(Col());
    if (k == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(rc, Row())) {
        FireEvent(OnKeyPress, this, Key);
        Key = QChar();
        return;
    }
    if (k == 13 && (QApplication::focusWidget() != this || HasClickableGraphic(rc, Row()))) {
        const int oldCol = Col();
        AdvanceAfterEdit(Col(), Row(), false, false, true, false, FEditMode);
        if (!FNavigation->AdvanceAutoEdit()) {
            FireEvent(OnKeyPress, this, Key);
            Key = QChar();
            return;
        }
        if (HasClickableGraphic(RealColIndex(oldCol), Row())) {
            FireEvent(OnKeyPress, this, Key);
            if (FNavigation->AdvanceOnEnter()) ShowInplaceEdit();
            return;
        }
    }
    if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted() && (k == 8 || k >= 32)) {
        if (FNavigation->AutoGotoIncremental()) {
            if (k == 8) SearchInc.chop(1);
            else SearchInc += Key;
            SearchTics = 0;
        } else {
            SearchInc = QString(Key);
        }
        const int found = SearchInc.isEmpty() ? -1 : Search(SearchInc.toUpper());
        if (found < 0) SearchInc.clear();
        else SetRow(found);
    }
    TBaseGrid::KeyPress(Key);
}

int TNovaStringGrid::Search(const QString &s)
{
    if (RowCount() < 2) return -1;
    int col = FixedCols();
    if (FSortSettings->Show()) {
        if (FSortSettings->IndexShow())
            col = FSortIndexes->Count() > 0 ? FSortIndexes->GetSortColumns(0) : FixedCols();
        else
            col = FSortSettings->Column();
    }
    if (col < 0) return -1;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (StripMarkup(Cells(col, r)).left(s.size()).toUpper() == s) return r;
    return -1;
}

void TNovaStringGrid::EditNextCellControl(int ACol, int ARow, const QString &ID)
{
    const QString text = Cells(ACol, ARow);
    const QString next = NextEditControlID(text, ID);
    if (next.isEmpty()) {
        setFocus();
        return;
    }
    // The control's place comes from laying the text out as the cell paints it.
    const int dc = DisplColIndex(ACol);
    TMarkupDrawResult result;
    result.controlId = next;
    hitTestCellMarkup(dc, ARow, -1, -1, result);
    ShowCellControlEditor(text, result.controlType, ARow, ACol, dc, result.controlRect, result.controlValue, next);
}

void TNovaStringGrid::CaretWalk(bool Left)
{
    const TAdvanceDirection d = FNavigation->AdvanceDirection();
    FNavigation->SetAdvanceDirection(adLeftRight);
    AdvanceAfterEdit(Col(), Row(), true, true, !Left, false, true);
    FNavigation->SetAdvanceDirection(d);
    if (FNavigation->CursorWalkAlwaysEdit()) ShowEditor();
}

void TNovaStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TNovaStringGrid::EditCell(int ACol, int ARow)
{
    setFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TNovaStringGrid::MoveToCell(int ACol, int ARow) { FocusCell(ACol, ARow, true); }
