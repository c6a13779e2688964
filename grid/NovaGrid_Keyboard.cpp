// Keyboard of the string grid: the key-down pre- and post-processing around the platform's
// navigation, typed characters opening the editor, the Tab walker and the hand-back of editors.
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/EditorKit.h"

#include <QApplication>
#include <QKeyEvent>

using namespace editorkit;

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
    TBaseGrid::KeyDown(Key, Shift);
    const TCursorAdvance adv = FNavigation->CursorAdvance();
    if (adv == caDefault) return;
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

void TNovaStringGrid::keyPressEvent(QKeyEvent *e)
{
    const int key0 = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    const bool ctrl = shift & Qt::ControlModifier;
    FMoveSelection = Selection();
    const int c = RealColIndex(Col());
    const bool enter = key0 == Qt::Key_Return || key0 == Qt::Key_Enter;
    auto fireKeyDown = [&] {
        int k = key0;
        FireEvent(OnKeyDown, this, k, shift);
    };
    e->accept();
    // Pre-processing.
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
    if ((enter || key0 == Qt::Key_F2) && FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
        bool can = true;
        CheckCanEditCell(c, Row(), can);
        if (!can) {
            fireKeyDown();
            return;
        }
        TGridOptions o = Options();
        o.Include(goEditing);
        SetOptions(o);
        ShowInplaceEdit();
        return;
    }
    if ((enter || key0 == Qt::Key_F2) && Options().Contains(goEditing) && !IsEditable(c, Row())) {
        fireKeyDown();
        return;
    }
    if (enter && !IsEditable(c, Row()) && !HasClickableGraphic(c, Row())) {
        fireKeyDown();
        QChar ch(13);
        KeyPress(ch);
        return;
    }
    if (key0 == Qt::Key_Home || key0 == Qt::Key_End) {
        const THomeEndAction he = FNavigation->HomeEndKey();
        const bool home = key0 == Qt::Key_Home;
        if (he == heFirstLastCell && !ctrl) {
            FocusCell(home ? FixedCols() : ColCount() - 1, home ? FixedRows() : RowCount() - 1, true);
            MoveToBaseCell();
            fireKeyDown();
            return;
        }
        if (he == heFirstLastRow && !ctrl) {
            SetRow(home ? FixedRows() : RowCount() - FixedFooters() - 1);
            MoveToBaseCell();
            fireKeyDown();
            return;
        }
        if (he == heFirstLastColumn && !Options().Contains(goRowSelect)) {
            if (home && ctrl) {
                FocusCell(qMax(FirstSelectableCol(FixedRows()), FixedCols()), FixedRows(), true);
                fireKeyDown();
                return;
            }
            if (!ctrl) {
                const int fc = FirstSelectableCol(Row());
                SetCol(home ? qMax(fc, FixedCols()) : ColCount() - 1);
                MoveToBaseCell();
                fireKeyDown();
                return;
            }
        }
    }
    if ((key0 == Qt::Key_Tab || key0 == Qt::Key_Backtab) && Options().Contains(goTabs)) {
        const TGridRect before = Selection();
        HandleTabKey(key0 == Qt::Key_Backtab || (shift & Qt::ShiftModifier));
        if (!(Selection() == before)) {
            const TGridRect s = Selection();
            DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        }
        return;
    }
    if (key0 == Qt::Key_Down && IsLastDataRow() && FNavigation->AppendOnArrowDown()) AutoAppendRow();
    // The platform's key handling.
    int key = key0;
    KeyDown(key, shift);
    if (key != 0) {
        if ((enter || key0 == Qt::Key_F2)) RememberCellValue(Col(), Row());
        if (key0 == Qt::Key_F2) {
            DoF2Key();
            return;
        }
        if (enter) {
            QChar ch(13);
            KeyPress(ch);
            return;
        }
        const QChar ch = typedChar(e);
        if (!ch.isNull() && !ctrl && !(shift & Qt::AltModifier)) {
            WMChar(ch, shift & Qt::KeypadModifier);
            return;
        }
        if (key0 == Qt::Key_Escape) {
            QChar esc(27);
            KeyPress(esc);
            return;
        }
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
