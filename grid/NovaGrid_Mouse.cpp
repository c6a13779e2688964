// Mouse input of the string grid, left button: a press is routed by what lies under the pointer
// (check box or radio button, radio group, select modes, disjunct selections, plain cells) and
// fixes the order of the events; the release ends selecting and sizing and sorts on a header
// click. The double click, the right button and the platform's press and release hooks are in
// NovaGrid_MouseHooks.cpp.
#include "grid/ControlLook.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"
#include "grid/base/VedAzirText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

void TNovaStringGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        WMLButtonDown(p.x(), p.y(), e->modifiers());
    else if (e->button() == Qt::RightButton)
        WMRButtonDown(p.x(), p.y(), e->modifiers());
    else
        TBaseGrid::mousePressEvent(e);
}

void TNovaStringGrid::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        WMLButtonUp(p.x(), p.y(), e->modifiers());
        if (!FDesigning) {
            UpdateProportionalVScroll();
            UpdateProportionalHScroll();
        }
    } else if (e->button() == Qt::RightButton)
        WMRButtonUp(p.x(), p.y(), e->modifiers());
    else
        TBaseGrid::mouseReleaseEvent(e);
}

// ---- the press -------------------------------------------------------------------------------------

void TNovaStringGrid::WMLButtonDown(int X, int Y, Qt::KeyboardModifiers Shift)
{
    FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
    FSpinUpClick = FSpinDnClick = false;
    ColSized = Rowsized = false;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TGridRect oldSel = Selection();
    FPressRow = ARow;

    // The selection's resize handle starts a drag of the selection's corner.
    if (IsOnResizeHandle(X, Y)) {
        beginSelectionResize(X, Y, Shift,
                             !(Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()));
        return;
    }

    // A press outside the selection starts a range selection instead of an edit.
    if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit() && ACol >= 0 && ARow >= 0
        && !PointInGridRect(oldSel, ACol, ARow))
        SetOptions(Options().Exclude(goEditing));

    bool Allow = true;
    FireEvent(OnCanClickCell, this, ARow, ACol, Allow);
    if (!Allow)
        return;

    // The last move found the pointer on the handle although the press is just off it.
    if (MouseSelectMode() == msResize) {
        beginSelectionResize(X, Y, Shift, !Options().Contains(goEditing));
        return;
    }

    if (FMouseActions->DisjunctCellSelect() && !(Shift & Qt::ControlModifier) && ACol >= 0 && ARow >= 0
        && !IsFixed(ACol, ARow)) {
        FSelectedCells->Clear();
        InvalidateGrid();
    }

    SearchInc.clear();
    Movecell = -1;
    FSelectionClick = false;
    FPushedCellButton = TPoint{-1, -1};
    FOldTopRow = TopRow();
    FOldKeepLeftCol = LeftCol();

    // A press up to 5 pixels right of a column edge (4 below a row edge) names the one before it.
    int cc = -1, rr = -1;
    if (ACol == 0)
        MouseToCell(X, Y - 4, cc, rr);
    else if (ARow == 0)
        MouseToCell(X - 5, Y, cc, rr);
    else
        MouseToCell(X - 5, Y - 4, cc, rr);
    Colclicked = cc;
    Rowclicked = rr;
    Clickposx = X;
    Clickposy = Y;
    if (cc >= 0 && rr >= 0) {
        Colclickedsize = ColWidths(cc);
        Rowclickedsize = RowHeights(rr);
    }

    if (ACol < 0 || ARow < 0) {
        HideInplaceEdit();
        if (!FixedRowAlways())
            MouseDown(Qt::LeftButton, Shift, X, Y);
        return;
    }

    int rc = RealColIndex(ACol);
    if (rc >= 0 && IsMergedNonBaseCell(rc, ARow)) {
        const TPoint b = BaseCell(rc, ARow);
        ACol = DisplColIndexOf(b.X);
        ARow = b.Y;
        rc = b.X;
    }

    const bool inFixed = ACol < FixedCols() || ARow < FixedRows();
    if (inFixed || IsFixed(ACol, ARow)) {
        HideInplaceEdit();
        if (FixedAsButtons() && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine)) {
            FFixedCellPushed = true;
            RepaintCell(rc, ARow);
        }
    }

    const TRect R = CellRect(ACol, ARow);
    if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(rc, ARow) && X > R.Right - 18) {
        if (Y > (R.Top + R.Bottom) / 2)
            FSpinDnClick = true;
        else
            FSpinUpClick = true;
    }

    const TCellType kind = GetCellType(rc, ARow);
    if (kind == ctRadio && (IsEditable(rc, ARow) || FControlLook->RadioAlwaysActive())) {
        HideInplaceEdit();
        RadioGroupClick(ACol, ARow, X - R.Left, Y - R.Top);
        setFocus(Qt::MouseFocusReason);
        return;
    }

    // A press on a node glyph flips the node (in a fixed row: every node of the grid).
    if (ACol == 0 && HasNodes() && IsNode(ARow) && IsNodeGlyphHit(ARow, X - R.Left)) {
        if (ARow < FixedRows()) {
            if (FMouseActions->NodeAllExpandContract()) {
                const bool contracted = GetNodeState(ARow);
                contracted ? ExpandAll() : ContractAll();
                if (TCellGraphic *g = nodeGraphic(ARow))
                    g->SetCellBoolean(!contracted);
            }
            return;
        }
        FireEvent(OnMouseDown, this, Qt::LeftButton, Shift, X, Y);
        FireEvent(OnClickCell, this, ARow, ACol);
        const int real = RealRowIndex(ARow);
        bool Allow = true;
        if (GetNodeState(ARow)) {
            FireEvent(OnBeforeExpandNode, this, ARow, real, Allow);
            if (Allow) {
                ExpandNode(real);
                FireEvent(OnExpandNode, this, ARow, real);
            }
        } else {
            FireEvent(OnBeforeContractNode, this, ARow, real, Allow);
            if (Allow) {
                ContractNode(real);
                FireEvent(OnContractNode, this, ARow, real);
            }
        }
        if (FMouseActions->MoveRowOnNodeClick())
            SetRow(ARow);
        return;
    }

    // Column 0 of a grid with nodes holds the node glyphs: a press there only reports.
    if (ACol == 0 && ARow >= FixedRows() && HasNodes() && !FMouseActions->RowSelect()
        && !Options().Contains(goRowSizing)) {
        FireEvent(OnMouseDown, this, Qt::LeftButton, Shift, X, Y);
        FireEvent(OnClickCell, this, ARow, ACol);
        return;
    }

    // A press on the selection of a drag source grid may start a drag (the move handler decides).
    const bool selected = IsSelected(ACol, ARow) || (ARow < FixedRows() && !EnhRowColMove());
    if (selected && !Options().Contains(goEditing) && !HasClickableGraphic(rc, ARow) && FDragDropSettings->OleDropSource()
        && !((FMouseActions->ColSelect() || FMouseActions->AllSelect()) && ARow < FixedRows()) && ACol >= FixedCols()
        && ((X - R.Left > 3 && R.Right - X > 3) || !Options().Contains(goColSizing))) {
        setFocus(Qt::MouseFocusReason);
        FireEvent(OnMouseDown, this, Qt::LeftButton, Shift, X, Y);
        FSelectionClick = true;
        FireEvent(OnClickCell, this, ARow, ACol);
        return;
    }

    if (pressCellButton(ACol, ARow, X, Y))
        return;

    // The platform selects what lies at the point: a merged cell is pressed at its base cell.
    int px = X, py = Y;
    if (IsMergedCell(rc, ARow) && !inFixed && !OnMouseDown) {
        const TRect B = CellRect(ACol, ARow);
        px = B.Left + 2;
        py = B.Top + 2;
    }

    if (ACol >= ColCount() || ARow >= RowCount()) {
        MouseDown(Qt::LeftButton, Shift, px, py);
        return;
    }

    Clickposdx = Clickposdy = 0;
    if (Colclicked >= 0 && Rowclicked >= 0) {
        const TRect S = CellRect(Colclicked, Rowclicked);
        Clickposdx = X - S.Right;
        Clickposdy = Y - S.Bottom;
    } else {
        Clickposdx = X;
        Clickposdy = Y;
    }

    if (pressDisjunct(ACol, ARow, px, py, Shift, oldSel))
        return;
    if (AnchorPress(ACol, ARow, X, Y))
        return;

    Movecell = -1;
    pressSelectModes(ACol, ARow, Shift);

    MoveOfsX = X - R.Left;
    MoveOfsY = Y - R.Top;

    if (pressCheckBox(ACol, ARow, X, Y, Shift))
        return;

    pressNormalCell(ACol, ARow, px, py, Shift, oldSel);
    enterMovingState();
}

bool TNovaStringGrid::pressDisjunct(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift,
                                    const TGridRect &OldSel)
{
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool dataRow = ARow >= FixedRows();
    if (FMouseActions->DisjunctRowSelect() && dataRow && !(ACol == 0 && FMouseActions->HotmailRowSelect())) {
        if (Shift & Qt::ShiftModifier) {
            MouseDown(Qt::LeftButton, Shift, X, Y);
            SetSelection(TGridRect{std::min(ACol, OldSel.Left), std::min(ARow, OldSel.Top),
                                   std::max(ACol, OldSel.Left), std::max(ARow, OldSel.Top)});
            return true;
        }
        if (ctrl || FMouseActions->DisjunctRowSelectNoCtrl()) {
            FDeselectState = RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
        } else {
            FMouseDown = true;
            if (!(Shift & Qt::AltModifier))
                ClearRowSelect();
        }
    }
    if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
        if (ctrl) {
            FDeselectState = ColSelect(ACol);
        } else {
            FMouseDown = true;
            ClearColSelect();
        }
    }
    return false;
}

// Select all, whole rows from the fixed column, whole columns from the header, and the moving
// candidate of a header or fixed-column press.
void TNovaStringGrid::pressSelectModes(int ACol, int ARow, Qt::KeyboardModifiers Shift)
{
    const bool range = Options().Contains(goRangeSelect);
    const int lastCol = ColCount() - 1 - FixedRightCols();
    const int lastRow = RowCount() - 1 - FixedFooters();
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect() && range && MouseSelectMode() == msAll) {
        setFocus(Qt::MouseFocusReason);
        HideSelection();
        TGridRect all{FixedCols(), FixedRows(), lastCol, lastRow};
        SelectAllClicked();
        SetSelection(all);
        if (ActiveCellShow())
            InvalidateGrid();
        return;
    }
    if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect() && MouseSelectMode() == msRow) {
        if (FEditMode)
            setFocus(Qt::MouseFocusReason);
        HideSelection();
        FSelectedCells->Clear();
        const int from = (Shift & Qt::ShiftModifier) ? Selection().Top : ARow;
        SetSelection(TGridRect{FixedCols(), std::min(from, ARow), lastCol, std::max(from, ARow)});
        FMouseSelectStart = ARow;
        InvalidateCol(0);
        return;
    }
    if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect() && range
        && MouseSelectMode() == msColumn) {
        HideSelection();
        FSelectedCells->Clear();
        const TGridRect s = Selection();
        const int from = (Shift & Qt::ShiftModifier) ? (ACol < s.Left ? s.Right : s.Left) : ACol;
        SetSelection(TGridRect{std::min(from, ACol), FixedRows(), std::max(from, ACol), lastRow});
        FMouseSelectStart = ACol;
        InvalidateRow(0);
        return;
    }
    if (ARow < FixedRows() && ACol >= FixedCols())
        Movecell = ACol;
    else if (ACol < FixedCols() && ARow >= FixedRows())
        Movecell = ARow;
}

// The state a click leaves a check box or radio button in (ACol real, ARow displayed).
static bool ClickedState(TNovaStringGrid &g, int RCol, int ARow)
{
    if (g.HasRadioButton(RCol, ARow))
        return g.IsRadioButtonChecked(RCol, ARow);
    TCheckBoxState state = TNovaCheckBox::cbUnchecked;
    return g.GetCheckBoxState(RCol, g.RealRowIndex(ARow), state) && state == TNovaCheckBox::cbChecked;
}

bool TNovaStringGrid::pressCheckBox(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift)
{
    const int rc = RealColIndex(ACol);
    bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CheckCanEditCell(rc, ARow, CanEdit);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    if (ACol >= ColCount() || ARow >= RowCount())
        return false;
    if (!(CanEdit || FControlLook->CheckAlwaysActive() || hotmail))
        return false;
    const bool radioButton = HasRadioButton(rc, ARow);
    if (!(HasCheckBox(rc, ARow) || radioButton) || !IsInCheckBox(rc, ARow, X, Y))
        return false;

    HideInplaceEdit();
    setFocus(Qt::MouseFocusReason);
    if (radioButton) {
        DoClickRadioButton(rc, ARow, true);
        FireEvent(OnRadioButtonClick, this, rc, ARow);
    } else {
        DoToggleCheckBox(rc, ARow, true);
    }
    if (ShowModified()->Enabled) {
        SetRowModified(ARow, true);
        RepaintCell(0, ARow);
    }
    if (hotmail && ARow >= FixedRows()) {
        SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
        SetRowSelect(ARow, !RowSelect(ARow));
        if (ARow == Row() && !RowSelect(ARow))
            HideSelection();
    }
    const bool state = ClickedState(*this, rc, ARow);
    if (!FNavigation->AlwaysEdit() && !IsFixed(ACol, ARow))
        FocusCell(ACol, ARow, true);
    DoCheckBoxClick(ACol, ARow, state);
    if (HideFocusRect())
        RepaintCell(rc, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (FMouseActions->HotmailRowSelect())
                SetRowSelect(r, state);
            else
                SetCheckBoxState(rc, RealRowIndex(r), state);
        }
        InvalidateGrid();
    }
    FireEvent(OnMouseDown, this, Qt::LeftButton, Shift, X, Y);
    Click();
    return true;
}

void TNovaStringGrid::pressNormalCell(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift,
                                      const TGridRect &OldSel)
{
    const int rc = RealColIndex(ACol);
    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    const bool dataCell = !fixed && !IsFixed(ACol, ARow);
    bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CheckCanEditCell(rc, ARow, CanEdit);

    // Combo cells shown for good and direct editing open their editor at once (below).
    const bool S = dataCell && FControlLook->DropDownAlwaysVisible() && HasComboBox(rc, ARow);
    const bool direct = FMouseActions->DirectEdit() || (S && FControlLook->DropDownAlwaysVisible());
    if (dataCell && (CanEdit || (FMouseActions->EditOnDblClickOnly() && S)) && direct) {
        HideInplaceEdit();
        setFocus(Qt::MouseFocusReason);
    }

    const TRect R = CellRect(ACol, ARow);
    const bool U = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom && OldSel.Left == OldSel.Right
                   && OldSel.Top == OldSel.Bottom && OldSel.Left == ACol && OldSel.Top == ARow;
    bool selectAtEnd = false;
    if (!U && FMouseActions->RangeSelectAndEdit() && !fixed && !CanEdit) {
        SetOptions(Options().Exclude(goEditing));
        selectAtEnd = true;
    }

    if (!fixed && IsFixed(ACol, ARow)) {
        const bool footer = ARow == RowCount() - 1 && FixedFooters() > 0;
        if (!footer)
            FireEvent(OnClickCell, this, ARow, ACol);
        return;
    }

    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
    const int oldLeft = LeftCol();
    const int oldTop = TopRow();
    const bool edge = (ARow == TopRow() + VisibleRowCount() && ARow < RowCount())
                      || (ACol == LeftCol() + VisibleColCount() && ACol < ColCount())
                      || (ACol == LeftCol() && LeftCol() > FixedCols());
    if (keepLeft)
        BeginUpdate();
    if (!SelectionHidden()) {
        const bool alwaysEdit = FNavigation->AlwaysEdit();
        FNavigation->SetAlwaysEdit(false);
        MouseDown(Qt::LeftButton, Shift, X, Y);
        FNavigation->SetAlwaysEdit(alwaysEdit);
    }
    if (keepLeft) {
        SetLeftCol(oldLeft);
        EndUpdate();
    }
    if (edge && GridState() == gsSelecting && FMouseActions->NoAutoRangeScroll())
        SetGridState(gsNormal);
    if (TopRow() != oldTop && FMouseActions->NoScrollOnPartialRow()) {
        SetTopRow(oldTop);
        // The press has done its work: the platform gets its release now.
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(X, Y), mapToGlobal(QPoint(X, Y)), Qt::LeftButton,
                       Qt::NoButton, Shift);
        QCoreApplication::sendEvent(viewport(), &up);
    }

    const bool sizingPress = ARow < FixedRows() && Options().Contains(goColSizing)
                             && (X - R.Left < 4 || R.Right - X < 4);
    if (!sizingPress)
        FireEvent(OnClickCell, this, ARow, ACol);

    if (OnCellValidate)
        RememberCellValue(Col(), Row());

    if (IsMergedCell(rc, ARow) && !fixed && (U || FMouseActions->DirectEdit()) && CanEdit)
        ShowInplaceEdit();

    if (dataCell && X - R.Left > 3 && R.Right - X > 3 && (CanEdit || (FMouseActions->EditOnDblClickOnly() && S))
        && direct && !HasClickableGraphic(rc, ARow)) {
        if (FMouseActions->EditOnDblClickOnly() && S) {
            SetOptions(Options().Include(goEditing));
            setFocus(Qt::MouseFocusReason);
        }
        bool Allow = true;
        if (ARow != Row())
            FireEvent(OnRowChanging, this, Row(), ARow, Allow);
        if (ACol != Col())
            FireEvent(OnColChanging, this, Col(), ACol, Allow);
        if (ARow != Row() || ACol != Col())
            FireEvent(OnCellChanging, this, Row(), Col(), ARow, ACol, Allow);
        if (Allow) {
            FocusCell(ACol, ARow, true);
            RememberCellValue(ACol, ARow);
            ShowEditor();
        }
    }

    if (selectAtEnd)
        SetGridState(gsSelecting);
}

// ---- the release ---------------------------------------------------------------------------------------

void TNovaStringGrid::WMLButtonUp(int X, int Y, Qt::KeyboardModifiers Shift)
{
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseDownMove = false;
    SetMouseSelectMode(msNormal);
    AnchorRelease();
    FMouseSelectStart = -1;
    const bool afterAutoSize = FDblClk; // an auto-size double click: this release does not sort
    FDblClk = false;

    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        InvalidateGrid();
    }

    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);

    // Every release takes the drop arrows and the sizing hint away; one that ends a column or row
    // drag moves (or not) and sorts nothing.
    hideMoveArrows();
    if (FSizeHintShow) {
        FSizeHintShow = false;
        if (FSizeHintWnd)
            FSizeHintWnd->hide();
    }
    if (releaseCellButton(ACol, ARow, X, Y))
        return;
    if (endEnhancedMove(X, Y)) {
        FDoOnClick = false;
        MouseUp(Qt::LeftButton, Shift, X, Y);
        return;
    }

    const bool colSizing = GridState() == gsColSizing;
    const bool rowSizing = GridState() == gsRowSizing;
    const bool sizingCursor = ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) && colSizing;
    if (OnClick && FDoOnClick && !sizingCursor && ACol >= 0 && ARow >= 0 && (ARow < FixedRows() || ACol < FixedCols()))
        Click();
    FDoOnClick = false;

    if (GridState() == gsSelecting) {
        SetGridState(gsNormal);
        Click();
    }

    if (FSelectionClick) {
        FSelectionClick = false;
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            if (FMouseActions->DisjunctRowSelect()) {
                if (Shift & Qt::ControlModifier || FMouseActions->DisjunctRowSelectNoCtrl()) {
                    SetRowSelect(ARow, !RowSelect(ARow));
                    FireEvent(OnMouseUp, this, Qt::LeftButton, Qt::KeyboardModifiers(Qt::ControlModifier), X, Y);
                    return;
                }
                ClearRowSelect();
            }
            repaintRowIndicators(Row());
            FocusCell(ACol, ARow, true);
            repaintRowIndicators(ARow);
        }
    }

    FRowUnselected = false;
    if (FMouseActions->DisjunctRowSelect() && !(ACol == 0 && HasNodes()))
        releaseDisjunct(ARow, Shift, FRowUnselected);

    if (FMouseActions->DisjunctColSelect()) {
        const TGridRect s = Selection();
        if (!FDeselectState)
            for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
                if (c >= FixedCols())
                    SetColSelect(c, true);
        if (FDeselectState && ACol >= FixedCols() && ACol < ColCount())
            SetColSelect(ACol, false);
        FDeselectState = false;
    }

    MouseUp(Qt::LeftButton, Shift, X, Y);

    if (FRowUnselected) {
        FSelChange = false;
        if (GridState() == gsSelecting)
            SetGridState(gsNormal);
    }
    if (FMouseResize)
        endSelectionResize();

    if (colSizing || rowSizing)
        return;
    if (ACol < 0 || ARow < 0)
        return;
    if (ACol >= FixedCols() || FSortSettings->FixedCols())
        releaseClickSort(ACol, ARow, X, Shift, afterAutoSize);
}

void TNovaStringGrid::releaseDisjunct(int ARow, Qt::KeyboardModifiers Shift, bool &RowUnselected)
{
    (void)Shift;
    const TGridRect s = Selection();
    if (!(Col() == 0 && FMouseActions->HotmailRowSelect()) && !FDeselectState)
        for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
            if (r >= FixedRows() && r < RowCount())
                SetRowSelect(r, true);
    if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters() && FDeselectState) {
        SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, false);
        RowUnselected = true;
    }
    if (FMouseActions->HotmailRowSelect())
        RepaintCell(0, 0);
    FDeselectState = false;
}

void TNovaStringGrid::releaseClickSort(int ACol, int ARow, int X, Qt::KeyboardModifiers Shift, bool AfterAutoSize)
{
    const int c = RealColIndex(ACol);
    const bool checkBox = HasCheckBox(c, ARow);
    if (checkBox)
        FireEvent(OnCheckBoxMouseUp, this, c, ARow, ClickedState(*this, c, ARow));
    else if (IsRadio(c, ARow)) {
        int idx = -1;
        GetRadioIdx(c, ARow, idx);
        FireEvent(OnRadioMouseUp, this, c, ARow, idx);
    }
    if (AfterAutoSize)
        return;
    const TRect R = CellRect(ACol, ARow);
    if (ARow == 0 && Options().Contains(goColSizing) && (X - R.Left < 4 || R.Right - X < 4))
        return;
    if (X > R.Right - 16 && ((FControlLook->FixedDropDownButton() && CanShowFixedDropDown(c)) || GetColumnFilter(c)))
        return;

    if (ARow != FSortSettings->Row() || ARow != FPressRow || FixedRows() == 0 || RowCount() <= 2
        || !FSortSettings->Show())
        return;
    if (checkBox && IsInCheckBox(c, ARow, X, Clickposy))
        return;
    ClickSort(c, Shift);
}

void TNovaStringGrid::ClickSort(int c, Qt::KeyboardModifiers Shift)
{
    bool DoSort = !FIgnoreColumns->HasValue(c);
    FireEvent(OnCanSort, this, c, DoSort);
    if (!DoSort) {
        InvalidateCell(DisplColIndex(c), FSortSettings->Row());
        return;
    }
    HideInplaceEdit();
    const bool init = FSortSettings->InitSortDirection() == sdAscending;
    const bool keepLeft = FNavigation->KeepHorizScroll() && Options().Contains(goRowSelect);
    const int oldLeft = LeftCol();
    QElapsedTimer clock;
    auto sortLocked = [&](const std::function<void()> &sort) {
        if (keepLeft)
            BeginUpdate();
        clock.start();
        sort();
        FSortTime = int(clock.elapsed());
        if (keepLeft) {
            SetLeftCol(oldLeft);
            EndUpdate();
        }
    };
    if (FSortSettings->IndexShow()) {
        const Qt::KeyboardModifier key =
            FSortSettings->IndexSortKey() == ikCtrl ? Qt::ControlModifier : Qt::ShiftModifier;
        if (Shift & key) {
            if (FSortIndexes->FindIndex(c) < 0)
                FSortIndexes->AddIndex(c, init);
            else
                FSortIndexes->ToggleIndex(c);
        } else if (FSortIndexes->Count() == 1 && FSortIndexes->GetSortColumns(0) == c) {
            FSortIndexes->ToggleIndex(c);
        } else {
            FSortIndexes->Clear();
            FSortIndexes->AddIndex(c, init);
        }
        sortLocked([this] { HasNodes() ? QSortGroupIndexed() : QSortIndexed(); });
        FSortSettings->SetColumn(FSortIndexes->Count() > 0 ? FSortIndexes->GetSortColumns(0) : -1);
    } else {
        bool undo = false;
        if (FSortSettings->Column() == c) {
            undo = FSortSettings->Direction() != FSortSettings->InitSortDirection() && FSortSettings->UndoSort();
            FSortSettings->SetDirection(FSortSettings->Direction() == sdAscending ? sdDescending : sdAscending);
        } else {
            FSortSettings->SetDirection(FSortSettings->InitSortDirection());
            FSortSettings->SetColumn(c);
        }
        if (undo) {
            sortLocked([this] { QUnSort(); });
            FSortSettings->SetColumn(-1);
        } else {
            sortLocked([this] { HasNodes() ? QSortGroup() : QSort(); });
        }
    }
    InvalidateGrid();
    DoClickSort(FSortSettings->Column());
}

// ---- radio groups and check box glyphs ----------------------------------------------------------

void TNovaStringGrid::RadioGroupClick(int ACol, int ARow, int X, int Y)
{
    int rc = RealColIndex(ACol);
    if (rc < 0)
        return;
    const TPoint b = BaseCell(rc, ARow);
    rc = b.X;
    ARow = b.Y;
    ACol = DisplColIndexOf(rc);
    TCellGraphic *g = GetCellGraphic(rc, ARow);
    if (!g || g->CellType() != ctRadio)
        return;
    const QStringList *items = g->CellBitmap().As<QStringList>();
    if (!items)
        return;
    TBrush brush;
    TFont font = Font();
    GetCellColor(rc, ARow, TGridDrawState{}, brush, font);
    const QFontMetrics fm(font.ToQFont());
    if (!IsFixed(ACol, ARow))
        FocusCell(ACol, ARow, true);
    const TControlStyle style = FControlLook->ControlStyle();
    const bool classic = style == csClassic || style == csFlat || (style == csTheme && !IsThemeActive());
    const int size = classic ? FControlLook->RadioSize() : 16;
    int chosen = -1;
    int pos = 0;
    for (int i = 0; i < items->size(); ++i) {
        const int band = g->CellBoolean() ? fm.horizontalAdvance(items->at(i)) + size
                                          : std::max(size, fm.height());
        const int v = g->CellBoolean() ? X : Y;
        if (v > pos && v < pos + band) {
            chosen = i;
            break;
        }
        pos += band;
    }
    if (chosen < 0)
        return;
    if (g->CellIndex() < -1)
        SetGridCell(rc, ARow, items->at(chosen));
    else
        g->SetCellIndex(chosen);
    SetCells(rc, ARow, Cells(rc, ARow)); // the change notification of the cell
    SetRadioIdx(rc, ARow, g->CellIndex());
    FireEvent(OnRadioClick, this, rc, ARow, chosen);
}
