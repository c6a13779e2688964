// Keyboard of the string grid: the key-down pre- and post-processing around the platform's
// navigation, typed characters opening the editor, the Tab walker and the hand-back of editors.
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/SearchPanel.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/EditorKit.h"

#include <QApplication>
#include <QKeyEvent>

using namespace editorkit;

bool TNovaStringGrid::DoCanInsertRow(int ARow)
{
    bool can = true;
    FireEvent(OnCanInsertRow, this, ARow, can);
    return can;
}

int TNovaStringGrid::FirstNavigableCol() { return FixedCols() == 0 && HasNodes() ? 1 : FixedCols(); }

int TNovaStringGrid::VisibleFixedRightCols()
{
    int n = FixedRightCols();
    for (int i = 0; i < FixedRightCols(); ++i)
        if (IsHiddenColumn(AllColCount() - 1 - i)) --n;
    return n;
}

bool TNovaStringGrid::CanNavigateToCell(int ACol, int ARow)
{
    bool ok;
    if (Options().Contains(goEditing)) ok = IsEditable(RealColIndex(ACol), ARow);
    else ok = !IsFixed(ACol, ARow);
    FireEvent(OnSelectCell, this, ACol, ARow, ok);
    return ok;
}

int TNovaStringGrid::FirstSelectableCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (CanNavigateToCell(c, ARow)) return c;
    return -1;
}

int TNovaStringGrid::LastSelectableCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (CanNavigateToCell(c, ARow)) return c;
    return -1;
}

bool TNovaStringGrid::IsLastDataRow() { return Row() + 1 == RowCount() - FixedFooters(); }

void TNovaStringGrid::SimulateCellClick(int ACol, int ARow)
{
    FForceSel = true;
    FocusCell(ACol, ARow, true);
    FForceSel = false;
    ShowInplaceEdit();
}

void TNovaStringGrid::TabToFirstRow() { SetRow(FixedRows()); }

bool TNovaStringGrid::DoCanAddRow()
{
    bool can = true;
    FireEvent(OnCanAddRow, this, can);
    return can;
}

void TNovaStringGrid::AutoAppendRow()
{
    if (!DoCanAddRow()) return;
    SetRowCount(RowCount() + 1);
    const int last = RowCount() - 1;
    for (int c = 0; c < AllColCount(); ++c) SetGridCell(c, last, QString());
    if (FixedFooters() > 0) SetRow(Row() + 1);
    FireEvent(OnAutoAddRow, this, RowCount() - FixedFooters() - 1);
}

bool TNovaStringGrid::HandleTabKey(bool Backward)
{
    bool result = true;
    if (OnKeyDown) {
        int key = Qt::Key_Tab;
        OnKeyDown(this, key, Backward ? Qt::ShiftModifier : Qt::NoModifier);
        if (key != Qt::Key_Tab) return result;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) return result;
    const bool outer = FTabDepth == 0;
    FLastTabCol = Col();
    FLastTabRow = Row();
    ++FTabDepth;
    const int lastRow = RowCount() - FixedFooters() - 1;
    const int lastCol = ColCount() - VisibleFixedRightCols() - 1;
    const int first = FirstNavigableCol();
    auto moveTo = [&](int c, int r) {
        FForceSel = true;
        FocusCell(c, r, true);
        FForceSel = false;
    };
    bool endOfGrid = false;
    if (Backward) {
        int c = -1;
        for (int i = Col() - 1; i >= first && Col() > first; --i)
            if (CanNavigateToCell(i, Row()) && IsBaseCell(RealColIndex(i), Row())) {
                c = i;
                break;
            }
        if (c >= 0) moveTo(c, Row());
        else {
            const int r = Row() > FixedRows() ? Row() - 1 : lastRow;
            const int lc = LastSelectableCol(r);
            moveTo(lc >= 0 ? lc : lastCol, r);
            MoveToBaseCell();
        }
    } else {
        const int span = CellSpan(RealColIndex(Col()), Row()).X;
        int c = -1;
        for (int i = Col() + span + 1; i <= lastCol; ++i)
            if (CanNavigateToCell(i, Row())) {
                c = i;
                break;
            }
        if (c >= 0) {
            moveTo(c, Row());
        } else if (Row() < lastRow) {
            int r = Row() + 1;
            int fc = -1;
            for (; r <= lastRow && fc < 0; ++r) fc = FirstSelectableCol(r);
            if (fc >= 0) moveTo(fc, r - 1);
            else moveTo(lastCol, lastRow);
        } else {
            bool added = false;
            if (!FNavigation->TabToNextAtEnd() && FNavigation->AdvanceInsert() && DoCanAddRow()) {
                SetRowCount(RowCount() + 1);
                added = true;
                moveTo(first, RowCount() - FixedFooters() - 1);
                FireEvent(OnAutoAddRow, this, RowCount() - FixedFooters() - 1);
            }
            if (!added) TabToFirstRow();
            const int fc = FirstSelectableCol(Row());
            if (fc >= 0) moveTo(fc, Row());
            endOfGrid = true;
        }
    }
    if (endOfGrid && parentWidget() && FNavigation->TabToNextAtEnd()) {
        QApplication::postEvent(parentWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        result = false;
    }
    // A cell that may not be edited is stepped over (at most one pass over the grid).
    if (Options().Contains(goEditing) && !IsEditable(RealColIndex(Col()), Row())
        && FTabDepth <= (RowCount() + 1) * (ColCount() + 1))
        HandleTabKey(Backward);
    if (outer) {
        if (FNavigation->AdvanceAutoEdit() && !HasClickableGraphic(RealColIndex(Col()), Row())
            && Options().Contains(goEditing))
            SimulateCellClick(Col(), Row());
        FLastTabCol = FLastTabRow = -1;
        FTabDepth = 0;
        if (FNavigation->AlwaysEdit()) setFocus();
    } else {
        --FTabDepth;
    }
    return result;
}

void TNovaStringGrid::DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift)
{
    FBlockFocus = true;
    FEditing = false;
    HideInplaceEdit();
    if (Key == Qt::Key_Down && FNavigation->AppendOnArrowDown() && IsLastDataRow()) AutoAppendRow();
    if (Key == Qt::Key_Tab || Key == Qt::Key_Left || Key == Qt::Key_Up || Key == Qt::Key_Right || Key == Qt::Key_Down) {
        int k = Key;
        KeyDown(k, Shift);
    }
    const bool ae = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    setFocus(Qt::OtherFocusReason);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) AdvanceAfterEdit(Col(), Row(), false, true, true, false, false);
    FNavigation->SetAlwaysEdit(ae);
    FBlockFocus = false;
}

void TNovaStringGrid::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    FLastKeyCell = TPoint{Col(), Row()};
    const bool vertical = Key == Qt::Key_Up || Key == Qt::Key_Down;
    // Ctrl+Up and Ctrl+Down move the selected rows; the current row follows them.
    if (FNavigation->CursorMoveRows() && (Shift & Qt::ControlModifier) && vertical) {
        FireEvent(OnKeyDown, this, Key, Shift);
        if (Key == 0) return;
        const TGridRect s = Selection();
        const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
        const int d = Key == Qt::Key_Down ? 1 : -1;
        if (d > 0 ? bottom < RowCount() - 1 : top > FixedRows()) {
            // The row beside the block moves to its other side.
            if (d > 0) MoveColRow(false, bottom + 1, top);
            else MoveColRow(false, top - 1, bottom);
            if (top == bottom) {
                FocusCell(Col(), Row() + d, true);
            } else {
                FocusCell(Col(), Row() + d, false);
                SetSelection(TGridRect{FixedCols(), top + d, ColCount() - 1, bottom + d});
            }
        }
        return;
    }
    TBaseGrid::KeyDown(Key, Shift);
    const TCursorAdvance adv = FNavigation->CursorAdvance();
    if (adv != caDefault) {
        const int c0 = FLastKeyCell.X, r0 = FLastKeyCell.Y;
        const int lastCol = ColCount() - FixedRightCols() - 1, lastRow = RowCount() - FixedFooters() - 1;
        const bool snake = adv == caSnake;
        if (Key == Qt::Key_Left && c0 == FixedCols()) {
            FocusCell(lastCol, snake && r0 > FixedRows() ? r0 - 1 : r0, true);
        } else if (Key == Qt::Key_Up && r0 == FixedRows()) {
            FocusCell(snake && c0 > FixedCols() ? c0 - 1 : c0, lastRow, true);
        } else if (Key == Qt::Key_Right && c0 == ColCount() - 1) {
            FocusCell(FixedCols(), snake && r0 < lastRow ? r0 + 1 : r0, true);
        } else if (Key == Qt::Key_Down && r0 == RowCount() - 1) {
            FocusCell(snake && c0 < lastCol ? c0 + 1 : c0, FixedRows(), true);
        }
    }
    // A disabled row refused the step: the nearest enabled row beyond it becomes current.
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && vertical && Row() == FLastKeyCell.Y) {
        if (Key == Qt::Key_Up) {
            for (int r = Row() - 1; r >= FixedRows(); --r)
                if (RowEnabled(r)) {
                    FocusCell(Col(), r, true);
                    break;
                }
        } else {
            for (int r = Row() + 1; r <= RowCount() - 1; ++r)
                if (RowEnabled(r)) {
                    FocusCell(Col(), r, true);
                    break;
                }
        }
    }
    if (auto *other = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid())) {
        if (FSyncGrid->SelectionColumn()) other->SetCol(Col());
        if (FSyncGrid->SelectionRow()) other->SetRow(Row());
    }
}

void TNovaStringGrid::KeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete: SearchInc.clear(); break;
    default: break;
    }
    const TGridRect before = FMoveSelection;
    FireEvent(OnKeyUp, this, Key, Shift);
    const bool arrow = Key == Qt::Key_Left || Key == Qt::Key_Up || Key == Qt::Key_Right || Key == Qt::Key_Down;
    const bool tab = Key == Qt::Key_Tab || Key == Qt::Key_Backtab;
    if (FNavigation->AlwaysEdit() && (arrow || (tab && Options().Contains(goTabs)))
        && !HasClickableGraphic(RealColIndex(Col()), Row()))
        ShowInplaceEdit();
    if ((arrow || tab) && !(Selection() == before)) {
        const TGridRect s = Selection();
        DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TNovaStringGrid::keyReleaseEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyUp(key, e->modifiers());
    TBaseGrid::keyReleaseEvent(e);
}

namespace {

bool isNavigationKey(int k)
{
    switch (k) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return true;
    default: return false;
    }
}


} // namespace

void TNovaStringGrid::KeepLastRowAboveSearchFooter()
{
    if (!FSearchFooter->Visible() || ClientHeight() <= DefaultRowHeight() + SearchPanelHeight()) return;
    const int last = RowCount() - 1;
    for (int guard = RowCount(); guard > 0 && Row() <= last && TopRow() < RowCount(); --guard) {
        const TRect rc = VirtualCellRect(FixedCols(), last);
        if (rc.Bottom <= ClientHeight() - SearchPanelHeight() + 2) break;
        const int top = TopRow();
        TBaseGrid::SetTopRow(top + 1);
        if (TopRow() == top) break; // the view cannot scroll further
    }
}

// Space or Enter on a check box, radio or button cell acts on its control.
void TNovaStringGrid::ClickableCellKey(int Key)
{
    const int c = RealColIndex(Col());
    const TCellType t = GetCellType(c, Row());
    bool can = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CheckCanEditCell(c, Row(), can);
    const bool space = Key == Qt::Key_Space;
    if (space && isCheckBoxKind(t) && (can || FControlLook->CheckAlwaysActive())) {
        DoToggleCheckBox(c, Row(), true);
        SetRowModified(Row(), true);
        if (ShowModified()->Enabled) RepaintCell(0, Row());
        bool state = false;
        GetCheckBoxState(c, RealRowIndex(Row()), state);
        DoCheckBoxClick(c, Row(), state);
    } else if (space && t == ctRadio && (can || FControlLook->RadioAlwaysActive())) {
        SelectNextRadio(c, Row(), true);
        int idx = -1;
        GetRadioIdx(c, Row(), idx);
        FireEvent(OnRadioClick, this, c, Row(), idx);
    } else if (space && t == ctRadioButton && (can || FControlLook->RadioAlwaysActive())) {
        SetRadioButtonColumnIndex(c, Row());
        FireEvent(OnRadioButtonClick, this, c, Row());
    } else if (t == ctButton && can) {
        DoButtonClick(c, Row());
    }
    RepaintCell(c, Row());
}

void TNovaStringGrid::HomeEndKey(int Key, Qt::KeyboardModifiers Shift, bool KeepHoriz, int OldLeft)
{
    const bool home = Key == Qt::Key_Home;
    const bool shift = Shift & Qt::ShiftModifier;
    int target = FixedRows();
    if (!home) {
        target = RowCount() - FixedFooters() - 1;
        if (FixedFooters() > 0) SetTopRow(RowCount() - VisibleRowCount());
    }
    // With Shift the selection grows from its anchor to the new row.
    if (shift) FocusCell(Col(), target, false);
    else SetRow(target);
    MoveToBaseCell();
    if (FMouseActions->DisjunctRowSelect()) {
        if (!shift) ClearRowSelect();
        else SyncRowSelect(false);
    }
    if (KeepHoriz) SetLeftCol(OldLeft);
}

void TNovaStringGrid::keyPressEvent(QKeyEvent *e)
{
    e->accept();
    const int key0 = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    // Alt+letter: the search bar's buttons (also when the key comes from the bar's edit).
    if ((shift & Qt::AltModifier) && DialogChar(key0))
        return;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool withShift = shift & Qt::ShiftModifier;
    const bool alt = shift & Qt::AltModifier;
    // 1: the state before the key.
    const int oldLeft = LeftCol();
    const int oldTop = TopRow();
    FMoveSelection = Selection();
    const int c = RealColIndex(Col());
    const bool enter = key0 == Qt::Key_Return || key0 == Qt::Key_Enter;
    const bool f2 = key0 == Qt::Key_F2;
    auto fireKeyDown = [&] {
        int k = key0;
        FireEvent(OnKeyDown, this, k, shift);
    };
    auto editingOn = [this] {
        TGridOptions o = Options();
        o.Include(goEditing);
        SetOptions(o);
    };
    // 2: vertical keys in row-select mode keep the horizontal scroll position.
    const bool keepHoriz = (key0 == Qt::Key_PageUp || key0 == Qt::Key_PageDown || key0 == Qt::Key_Up
                            || key0 == Qt::Key_Down)
                           && Options().Contains(goRowSelect) && LeftCol() != FixedCols()
                           && FNavigation->KeepHorizScroll();
    // 3: the view scrolls, the current cell stays.
    if (FNavigation->MoveScrollOnly()
        && (key0 == Qt::Key_PageUp || key0 == Qt::Key_PageDown || key0 == Qt::Key_End || key0 == Qt::Key_Home
            || key0 == Qt::Key_Up || key0 == Qt::Key_Down)) {
        const int vis = VisibleRowCount();
        switch (key0) {
        case Qt::Key_PageUp: SetTopRow(TopRow() > vis + FixedRows() ? TopRow() - vis : FixedRows()); break;
        case Qt::Key_PageDown:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + vis);
            break;
        case Qt::Key_End: SetTopRow(RowCount() - vis); break;
        case Qt::Key_Home: SetTopRow(FixedRows()); break;
        case Qt::Key_Up:
            if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
            break;
        default:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1);
            break;
        }
        return;
    }
    // 4: editing only by double click, but Enter and F2 still open an editable cell.
    if ((enter || f2) && FMouseActions->EditOnDblClickOnly() && !Options().Contains(goEditing)) {
        const bool rse = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool can = IsEditableCell(c, Row());
        FMouseActions->SetRangeSelectAndEdit(rse);
        if (can) editingOn();
    }
    // 5
    if ((enter || f2) && FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
        bool can = true;
        CheckCanEditCell(c, Row(), can);
        if (!can) {
            fireKeyDown();
            return;
        }
        editingOn();
        ShowInplaceEdit();
        return;
    }
    // 6: the search panel's edit takes Ctrl+F; the key goes on.
    if (ctrl && key0 == Qt::Key_F && FSearchFooter->Visible()) FocusSearchEdit();
    const QString cellText = Cells(c, Row());
    const bool hasControl = cellText.toUpper().contains(QLatin1String("<CONTROL"));
    // 7
    if ((enter || f2) && hasControl) {
        EditNextCellControl(c, Row(), QString());
        return;
    }
    if ((enter || f2) && Options().Contains(goEditing) && !IsEditable(c, Row())
        && !HasClickableGraphic(c, Row())) {
        fireKeyDown();
        return;
    }
    // 8
    if (enter && !IsEditable(c, Row()) && !HasClickableGraphic(c, Row())) {
        fireKeyDown();
        QChar ch(13);
        KeyPress(ch);
        return;
    }
    // 9
    if ((enter || key0 == Qt::Key_Space) && HasClickableGraphic(c, Row())) ClickableCellKey(key0);
    // 10
    if ((key0 == Qt::Key_Home || key0 == Qt::Key_End) && !(FixedRowAlways() && RowCount() == 1
                                                            && FNavigation->HomeEndKey() != heFirstLastCell)) {
        const THomeEndAction he = FNavigation->HomeEndKey();
        const bool home = key0 == Qt::Key_Home;
        if (he == heFirstLastCell && !ctrl) {
            FocusCell(home ? FixedCols() : ColCount() - 1, home ? FixedRows() : RowCount() - 1, true);
            MoveToBaseCell();
            fireKeyDown();
            return;
        }
        if (he == heFirstLastRow && !ctrl) {
            HomeEndKey(key0, shift, keepHoriz, oldLeft);
            fireKeyDown();
            return;
        }
        if (he == heFirstLastColumn && home && ctrl) {
            const int fc = FirstSelectableCol(FixedRows());
            FocusCell(std::max(fc, FixedCols()), FixedRows(), true);
            MoveToBaseCell();
            SetLeftCol(FirstNavigableCol());
            fireKeyDown();
            return;
        }
        if (he == heFirstLastColumn && !ctrl && !Options().Contains(goRowSelect)) {
            if (withShift) {
                FocusCell(home ? FixedCols() : ColCount() - FixedRightCols() - 1, Row(), false);
                InvalidateRow(Row());
            } else if (home) {
                SetCol(std::max(FirstSelectableCol(Row()), FixedCols()));
                MoveToBaseCell();
                SetLeftCol(FirstNavigableCol());
            } else {
                SetCol(ColCount() - 1);
                MoveToBaseCell();
                SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
            }
            fireKeyDown();
            return;
        }
    }
    // 11: Right and Left on the merged cell of a node row open and close the node.
    if ((key0 == Qt::Key_Right || key0 == Qt::Key_Left) && IsNode(Row()) && IsMergedCell(c, Row())) {
        if (key0 == Qt::Key_Right) ExpandNode(RealRowIndex(Row()));
        else ContractNode(RealRowIndex(Row()));
    }
    // 12: sideways scrolling in row-select mode.
    if (Options().Contains(goRowSelect) && ColCount() - FixedCols() > VisibleColCount()
        && (key0 == Qt::Key_Left || key0 == Qt::Key_Right)) {
        const bool lr = FNavigation->LeftRightRowSelect();
        if (!lr || ctrl) {
            if (key0 == Qt::Key_Left) {
                if (LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
            } else if (LeftCol() + VisibleColCount() < ColCount()) {
                SetLeftCol(LeftCol() + 1);
            }
            if (!lr) {
                fireKeyDown();
                return;
            }
        }
    }
    // 13
    if ((key0 == Qt::Key_Tab || key0 == Qt::Key_Backtab) && Options().Contains(goTabs)) {
        const TGridRect before = Selection();
        HandleTabKey(key0 == Qt::Key_Backtab || withShift);
        if (!(Selection() == before)) {
            const TGridRect s = Selection();
            DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        }
        return;
    }
    // 14: arrows jump over fixed cells inside the grid.
    int key = key0;
    if (FNavigation->SkipFixedCells() && !ctrl) {
        const bool rtl = layoutDirection() == Qt::RightToLeft;
        int k = key0;
        if (rtl && k == Qt::Key_Left) k = Qt::Key_Right;
        else if (rtl && k == Qt::Key_Right) k = Qt::Key_Left;
        int target = -1;
        if (k == Qt::Key_Left && Col() > FixedCols() && IsFixed(Col() - 1, Row())) {
            for (int i = Col() - 1; i >= FixedCols() && target < 0; --i)
                if (!IsFixed(i, Row())) target = i;
            if (target >= 0) FocusCell(target, Row(), true);
        } else if (k == Qt::Key_Right && Col() < ColCount() - FixedRightCols() - 1 && IsFixed(Col() + 1, Row())) {
            for (int i = Col() + 1; i < ColCount() - FixedRightCols() && target < 0; ++i)
                if (!IsFixed(i, Row())) target = i;
            if (target >= 0) FocusCell(target, Row(), true);
        } else if (k == Qt::Key_Up && Row() > FixedRows() && IsFixed(Col(), Row() - 1)) {
            if (Options().Contains(goRowSelect)) target = Row() - 1;
            for (int i = Row() - 1; i >= FixedRows() && target < 0; --i)
                if (!IsFixed(Col(), i)) target = i;
            if (target >= 0) FocusCell(Col(), target, true);
        } else if (k == Qt::Key_Down && Row() < RowCount() - FixedFooters() - 1 && IsFixed(Col(), Row() + 1)) {
            if (Options().Contains(goRowSelect)) target = Row() + 1;
            for (int i = Row() + 1; i < RowCount() - FixedFooters() && target < 0; ++i)
                if (!IsFixed(Col(), i)) target = i;
            if (target >= 0) FocusCell(Col(), target, true);
        }
        if (target >= 0) {
            fireKeyDown();
            key = 0;
        }
    }
    // 15
    if (key == Qt::Key_Down && IsLastDataRow() && FNavigation->AppendOnArrowDown()) AutoAppendRow();
    // 16
    if (!(Selection() == FMoveSelection) && SelectionRectangle()) {
        viewport()->update();
        FMoveSelection = Selection();
    }
    // 17: the search footer keeps the last row in view.
    const bool footer = FSearchFooter->Visible();
    const bool atBottom = footer && TopRow() >= RowCount() - VisibleRowCount();
    const bool lastRow = Row() == RowCount() - 1;
    const bool otherKey = key != Qt::Key_Shift && key != Qt::Key_Alt && !isNavigationKey(key);
    int locks = 0;
    if (key != 0 && atBottom && lastRow) {
        if (key == Qt::Key_Down) {
            KeepLastRowAboveSearchFooter();
            fireKeyDown();
            return;
        }
        if ((key == Qt::Key_Right && Col() == ColCount() - 1) || (key == Qt::Key_Left && Col() == FixedCols())) {
            fireKeyDown();
            return;
        }
    }
    if (key != 0 && footer && ((lastRow && (key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Left
                                             || key == Qt::Key_Right || key == Qt::Key_Down))
                               || otherKey)) {
        BeginUpdate();
        ++locks;
    }
    if (key != 0 && keepHoriz) {
        BeginUpdate();
        ++locks;
    }
    // 18: the platform's key handling.
    if (key != 0) KeyDown(key, shift);
    // 19
    if (footer) {
        if (atBottom && otherKey) SetTopRow(oldTop);
        if ((key0 == Qt::Key_PageDown || key0 == Qt::Key_End || key0 == Qt::Key_Left || key0 == Qt::Key_Right
             || key0 == Qt::Key_Down)
            && Row() == RowCount() - 1)
            KeepLastRowAboveSearchFooter();
    }
    // 20
    if (keepHoriz) SetLeftCol(oldLeft);
    while (locks-- > 0) EndUpdate();
    if (key == 0) {
        if (!(Selection() == FMoveSelection)) {
            const TGridRect s = Selection();
            DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
            FMoveSelection = s;
        }
        return;
    }
    // 21: clipboard keys.
    if (FNavigation->AllowClipboardShortCuts()) {
        auto clip = [&](TClipboardEvent &ev, void (TNovaStringGrid::*op)()) {
            bool allow = true;
            FireEvent(ev, this, allow);
            if (allow) (this->*op)();
        };
        if ((ctrl && key0 == Qt::Key_X) || (withShift && key0 == Qt::Key_Delete)) {
            clip(OnClipboardCut, &TNovaStringGrid::CutSelectionToClipboard);
            return;
        }
        if ((ctrl && key0 == Qt::Key_V) || (withShift && key0 == Qt::Key_Insert)) {
            clip(OnClipboardPaste, &TNovaStringGrid::PasteSelectionFromClipboard);
            return;
        }
        if (ctrl && (key0 == Qt::Key_C || key0 == Qt::Key_Insert)) {
            clip(OnClipboardCopy, &TNovaStringGrid::CopySelectionToClipboard);
            return;
        }
    }
    // 22: Insert adds a row.
    if (key0 == Qt::Key_Insert && !ctrl && !withShift && !alt && FNavigation->AllowInsertRow()) {
        if (!DoCanInsertRow(Row())) return;
        const int real = RealRowIndex(Row());
        const bool filter = FilterActive();
        SetFilterActive(false);
        const int old = Row();
        SetRow(real);
        int at = real;
        int select = old;
        if (FNavigation->InsertPosition() == pInsertAfter) {
            if (FixedRowAlways() && RowCount() == FixedRows()) {
                select = 1;
            } else {
                at = RealRowIndex(old + 1) >= 0 ? RealRowIndex(old + 1) : real + 1;
                select = old + 1 < RowCount() + 1 ? old + 1 : old;
            }
        }
        AutoInsertRow(at);
        FireEvent(OnAutoInsertRow, this, at);
        FGridModified = true;
        SetFilterActive(filter);
        SetRow(std::min(select, RowCount() - 1));
        CalcFooter(-1);
        return;
    }
    // 23: Ctrl+A selects every data cell.
    if (ctrl && key0 == Qt::Key_A) {
        if (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect)) {
            const TGridRect all{FirstNavigableCol(), FixedRows(), ColCount() - FixedRightCols() - 1,
                                RowCount() - FixedFooters() - 1};
            if (FMouseActions->DisjunctRowSelect())
                for (int r = all.Top; r <= all.Bottom; ++r) SetRowSelect(r, true);
            DoSelectAll();
            FocusCell(all.Right, all.Bottom, false);
            SetSelection(all);
            // A click on the focused cell settles the platform grid's own anchor; the focus and
            // the selection are set again afterwards since the click moved them.
            const TRect r = CellRect(all.Right, all.Bottom);
            if (!r.IsEmpty()) {
                WMLButtonDown(r.Left + 2, r.Top + 2, Qt::NoModifier);
                WMLButtonUp(r.Left + 2, r.Top + 2, Qt::NoModifier);
            }
            FocusCell(all.Right, all.Bottom, false);
            SetSelection(all);
            const TGridRect s = Selection();
            DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
            FMoveSelection = s;
        }
        return;
    }
    // 24
    if (isNavigationKey(key0)) {
        if (FMouseActions->DisjunctRowSelect()) {
            if (!withShift && !ctrl) {
                ClearRowSelect();
            } else if (withShift) {
                SyncRowSelect(false);
            } else {
                SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(Row()) : Row(), true);
            }
        }
        if (FMouseActions->DisjunctColSelect()) {
            if (!withShift && !ctrl) ClearColSelect();
            else if (withShift) SyncColSelect(false);
            else SetColSelect(Col(), true);
        }
    }
    if (key0 == Qt::Key_Space) {
        if (FMouseActions->DisjunctRowSelect()) SetRowSelect(Row(), !RowSelect(Row()));
        else if (FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
    }
    if (key0 == Qt::Key_Delete && !alt && FNavigation->AllowDeleteRow()
        && RowCount() - FixedFooters() - FixedRows() >= 1) {
        const bool filter = FilterActive();
        SetFilterActive(false);
        bool can = true;
        FireEvent(OnCanDeleteRow, this, RealRowIndex(Row()), can);
        if (!can) {
            SetFilterActive(filter);
            return;
        }
        AutoDeleteRow(RealRowIndex(Row()));
        SetFilterActive(filter);
        RememberCellValue(Col(), Row());
        FGridModified = true;
        CalcFooter(-1);
    }
    if (enter || f2) {
        RememberCellValue(Col(), Row());
        if (hasControl) EditNextCellControl(c, Row(), QString());
        if (f2) {
            DoF2Key();
            return;
        }
        if (enter) {
            QChar ch(13);
            KeyPress(ch);
            return;
        }
    }
    const QChar ch = typedChar(e);
    if (!ch.isNull() && !ctrl && !alt) {
        WMChar(ch, shift & Qt::KeypadModifier);
        return;
    }
    if (key0 == Qt::Key_Escape) {
        QChar esc(27);
        KeyPress(esc);
        return;
    }
    if (!(Selection() == FMoveSelection)) {
        const TGridRect s = Selection();
        DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        FMoveSelection = s;
    }
}

void TNovaStringGrid::WMChar(QChar Ch, bool Keypad)
{
    const int c = RealColIndex(Col());
    if (FMouseActions->EditOnDblClickOnly()) {
        bool can = true;
        CheckCanEditCell(c, Row(), can);
        if (can) {
            TGridOptions o = Options();
            o.Include(goEditing);
            SetOptions(o);
        }
    }
    const ushort k = Ch.unicode();
    if (FMouseActions->RangeSelectAndEdit() && !HasClickableGraphic(c, Row()) && IsEditableCell(c, Row()) && k != 9
        && k != 27) {
        QChar copy = Ch;
        FireEvent(OnKeyPress, this, copy);
        FStartEditChar = Ch;
        TGridOptions o = Options();
        o.Include(goEditing);
        SetOptions(o);
    }
    if (Ch == QLatin1Char('.') && Keypad && FExcelStyleDecimalSeparator) Ch = platform::FormatSettings::current().decimalSeparator;
    if (Options().Contains(goEditing) && k != 9 && (k == 8 || k >= 32)) {
        FireEvent(OnKeyPress, this, Ch);
        FStartEditChar = Ch;
        if (HasClickableGraphic(c, Row())) return;
        if (!EditorMode() && !FEditMode) ShowEditor();
        // The text editor takes the character through its own filter.
        if (EditorMode() && NormalEdit() && NormalEdit()->isVisible()) {
            FStartEditChar = QChar();
            if (FNavigation->EditSelectAll()) NormalEdit()->selectAll();
            if (!Ch.isNull()) NormalEdit()->TypeChar(Ch, Keypad, false, true);
        }
        return;
    }
    QChar ch = Ch;
    KeyPress(ch);
}
