// Mouse input of the string grid, the rest: the double click (auto-size on a header border, the
// double-click event, editing on double click), the right button, and the grid's side of the
// platform's press and release (editing on press, fixed-cell drop-down and editor, filter lists,
// disjunct cells, selection-changed reports).
#include "grid/ControlLook.h"
#include "grid/FixedCellEditors.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

void TNovaStringGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        WMLButtonDblClk(p.x(), p.y(), e->modifiers());
    else
        mousePressEvent(e);
}

// ---- double click ----------------------------------------------------------------------------------

void TNovaStringGrid::WMLButtonDblClk(int X, int Y, Qt::KeyboardModifiers Shift)
{
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const int rc0 = RealColIndex(ACol);
    if (FMouseActions->RangeSelectAndEdit() && !HasClickableGraphic(rc0, ARow))
        FForceSel = true;

    QMouseEvent platformEvent(QEvent::MouseButtonDblClick, QPointF(X, Y), mapToGlobal(QPoint(X, Y)), Qt::LeftButton,
                              Qt::LeftButton, Shift);
    if (ACol < 0 || ARow < 0) {
        if (FixedRowAlways()) {
            TBaseGrid::mouseDoubleClickEvent(&platformEvent);
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }

    // A double click on a header border sizes the column to its contents.
    const TRect R = CellRect(ACol, ARow);
    if (ARow < FixedRows() && Options().Contains(goColSizing) && FMouseActions->AutoSizeColOnDblClick()) {
        int col = -1;
        if (X - R.Left <= 3 && ACol - 1 >= FixedCols())
            col = ACol - 1;
        else if (R.Right - X <= 3 && ACol >= FixedCols())
            col = ACol;
        if (col >= 0) {
            FDblClk = true;
            bool Allow = true;
            FireEvent(OnColumnSize, this, col, Allow);
            if (Allow) {
                AutoSizeCol(RealColIndex(col), 0);
                FireEvent(OnEndColumnSize, this, col);
            }
            FForceSel = false;
            TBaseGrid::mouseDoubleClickEvent(&platformEvent);
            return;
        }
    }

    const int rc = RealColIndex(ACol);
    const TCellType kind = GetCellType(rc, ARow);
    // A double click on an expand button is ignored (its 11 x 11 square at the cell's top right).
    if (kind == ctExpand && X >= R.Right - 13 && X < R.Right - 2 && Y >= R.Top + 2 && Y < R.Top + 13) {
        FForceSel = false;
        return;
    }
    if (HasClickableGraphic(rc, ARow)) {
        TBaseGrid::mouseDoubleClickEvent(&platformEvent);
        FForceSel = false;
        return;
    }

    TBaseGrid::mouseDoubleClickEvent(&platformEvent);
    FireEvent(OnDblClickCell, this, ARow, ACol);

    if (FMouseActions->EditOnDblClickOnly()) {
        const bool rse = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        if (IsEditable(rc, ARow)) {
            SetOptions(Options().Include(goEditing));
            RememberCellValue(ACol, ARow);
            ShowInplaceEdit();
        }
        FMouseActions->SetRangeSelectAndEdit(rse);
    } else if (FMouseActions->RangeSelectAndEdit() && IsEditableCell(rc, ARow)) {
        SetOptions(Options().Include(goEditing));
        const TRect B = CellRect(ACol, ARow);
        MouseDown(Qt::LeftButton, Qt::NoModifier, B.Left + 4, B.Top + 4);
    }

    FForceSel = false;
    if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick)
        || (ACol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick))
        ShowFixedCellCombo(ACol, ARow);
}

// ---- right button ----------------------------------------------------------------------------------

void TNovaStringGrid::WMRButtonDown(int X, int Y, Qt::KeyboardModifiers Shift)
{
    MouseDown(Qt::RightButton, Shift, X, Y);
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol >= 0 && ARow >= 0)
        rightClickSelect(ACol, ARow, X, Y, Shift);
    FireEvent(OnRightClickCell, this, ARow, ACol);

    if (URLShow() && URLEdit() && ACol >= 0 && ARow >= 0) {
        const QString t = Cells(RealColIndex(ACol), ARow);
        if (t.contains(QStringLiteral("://")) || t.contains(QStringLiteral("mailto:"))) {
            FocusCell(ACol, ARow, true);
            ShowInplaceEdit();
        }
    }
}

void TNovaStringGrid::rightClickSelect(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift)
{
    if (!FMouseActions->SelectOnRightClick() || IsFixed(ACol, ARow))
        return;
    const int rc = RealColIndex(ACol);
    if (FMouseActions->DisjunctCellSelect() && IsSelected(ACol, ARow))
        return;
    if (HasClickableGraphic(rc, ARow))
        return;
    if (OnRightClickCell) {
        FocusCell(ACol, ARow, true);
    } else {
        MouseDown(Qt::LeftButton, Qt::NoModifier, X, Y);
        MouseUp(Qt::LeftButton, Qt::NoModifier, X, Y);
    }
    if (IsSelected(ACol, ARow)) {
        bool CanSelect = true;
        FireEvent(OnSelectCell, this, ACol, ARow, CanSelect);
    } else {
        const int oldLeft = LeftCol();
        const TPoint b = BaseCell(rc, ARow);
        FocusCell(DisplColIndexOf(b.X), b.Y, true);
        if (FNavigation->KeepHorizScroll())
            SetLeftCol(oldLeft);
    }
    if (FMouseActions->DisjunctRowSelect()) {
        if ((Shift & Qt::ControlModifier) || FMouseActions->DisjunctRowSelectNoCtrl()) {
            SetRowSelect(ARow, !RowSelect(ARow));
        } else if (RowSelectCount() > 1 && contextMenuPolicy() == Qt::CustomContextMenu && RowSelect(ARow)) {
            // The menu acts on the rows selected already.
        } else {
            ClearRowSelect();
            SetRowSelect(ARow, true);
        }
    }
}

void TNovaStringGrid::WMRButtonUp(int X, int Y, Qt::KeyboardModifiers Shift)
{
    // A right release during a column or row move belongs to the move.
    if (GridState() == gsColMoving || GridState() == gsRowMoving)
        return;
    MouseUp(Qt::RightButton, Shift, X, Y);
}

// ---- the platform's press and release ----------------------------------------------------------

void TNovaStringGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const int rc = RealColIndex(ACol);

    if (FMouseActions->RangeSelectAndEdit() && !FMouseActions->EditOnDblClickOnly() && Button == Qt::LeftButton
        && ACol >= 0 && ARow >= 0) {
        if (ACol == Col() && ARow == Row() && !Options().Contains(goEditing) && IsEditableCell(rc, ARow)) {
            SetOptions(Options().Include(goEditing));
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        if ((ACol != Col() || ARow != Row()) && (Shift & Qt::ShiftModifier) && Options().Contains(goEditing)) {
            SetOptions(Options().Exclude(goEditing));
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }

    if (ACol >= 0 && ARow >= 0 && IsHoverFixedCell(ACol, ARow) && FControlLook->FixedDropDownButton()) {
        const TRect R = CellRect(ACol, ARow);
        const int right = Options().Contains(goColSizing) ? R.Right - 2 : R.Right;
        if (X > R.Right - 16 && X < right) {
            FFixedDropDownDown = true;
            if (FixedDropDownMenu || OnFixedDropDownClick) {
                FNoMouseLeave = true;
                QMenu *menu = FixedDropDownMenu;
                if (menu)
                    menu->setProperty("Tag", ACol);
                bool keep = false;
                FireEvent(OnFixedDropDownClick, this, ACol, ARow, menu, keep);
                if (menu) {
                    InvalidateCell(ACol, ARow);
                    menu->exec(viewport()->mapToGlobal(QPoint(R.Right - 16, R.Bottom)));
                    ResetFixedCellHighlight();
                }
                FNoMouseLeave = keep;
            }
            return;
        }
    }

    if (ACol >= 0 && ARow == FixedRows() - 1 && IsHoverFixedCell(ACol, ARow) && FControlLook->FixedGradientDownTo() != clNone)
        InvalidateCell(ACol, ARow);

    TBaseGrid::MouseDown(Button, Shift, X, Y);
    if ((Shift & Qt::ShiftModifier) && SelectionRectangle())
        InvalidateGrid();

    if (ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FixedRows())) {
        const TRect R = CellRect(ACol, ARow);
        const bool inside4 = X - R.Left > 4 && R.Right - X > 4 && Y - R.Top > 4 && R.Bottom - Y > 4;
        const bool rowEdit = ARow < FixedRows();
        const TGridFixedCellEdit how = rowEdit ? FMouseActions->FixedRowsEdit() : FMouseActions->FixedColsEdit();
        if (Button == Qt::LeftButton && how == fceLeftClick) {
            const bool sizing = rowEdit ? Options().Contains(goColSizing) : Options().Contains(goRowSizing);
            if (!sizing || inside4)
                ShowFixedCellCombo(ACol, ARow);
        } else if (Button == Qt::RightButton && how == fceRightClick) {
            ShowFixedCellCombo(ACol, ARow);
        }
        return;
    }

    if (TNovaStringGrid *sync = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid())) {
        if (FSyncGrid->SelectionColumn())
            sync->SetCol(Col());
        if (FSyncGrid->SelectionRow())
            sync->SetRow(Row());
    }
}

void TNovaStringGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Designing()) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        DesignHelperClick();
        return;
    }
    const TGridRect noted = Selection();
    const bool changed = Button == Qt::LeftButton || (Button == Qt::RightButton && FMouseActions->SelectOnRightClick());
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);

    // Filter lists open from the glyph zone of a header cell and close on any other release.
    if (ACol >= 0 && ARow >= 0) {
        const int c = RealColIndex(ACol);
        const TRect R = CellRect(ACol, ARow);
        const bool closedByPress = c == FFilterPressClosed;
        if (ARow != FilterDropDownRow() || c == FFilterCol || closedByPress)
            CloseFilterDropDown();
        else if (X > R.Right - 16 && Y < R.Top + 19 && X < R.Right - 3 && GetColumnFilter(c))
            ShowFilterDropDown(c);
        else
            CloseFilterDropDown();
    }
    FFilterPressClosed = -1;
    FFixedDropDownDown = false;

    // A release beyond the edge cancels a sizing.
    if ((GridState() == gsColSizing && X >= ClientWidth()) || (GridState() == gsRowSizing && Y >= ClientHeight())) {
        // The platform sizes while the pointer moves: cancelling puts the size back.
        if (GridState() == gsColSizing)
            SetColWidths(SizingIndex(), SizingStartSize());
        else
            SetRowHeights(SizingIndex(), SizingStartSize());
        SetGridState(gsNormal);
        ColSized = Rowsized = false;
        return;
    }

    if (FMouseActions->DisjunctCellSelect() && Button == Qt::LeftButton && ACol >= 0 && ARow >= 0) {
        bool stop = false;
        mouseUpDisjunctCells(ACol, ARow, Shift, stop);
        if (stop)
            return;
    }

    if (changed)
        DoSelectionChanged(noted.Left, noted.Top, noted.Right, noted.Bottom);

    // The platform sizes while the pointer moves: the end of a user sizing is reported here.
    const int sized = SizingIndex();
    if (GridState() == gsColSizing && ColSized && sized >= 0) {
        FireEvent(OnEndColumnSize, this, sized);
        int w = ColWidths(sized);
        const int old = w;
        DoUpdateColumnSize(sized, w);
        if (w != old)
            SetColWidths(sized, w);
    } else if (GridState() == gsRowSizing && Rowsized && sized >= 0) {
        FireEvent(OnEndRowSize, this, sized);
    }
    ColSized = Rowsized = false;

    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (ACol >= 0 && ARow == FixedRows() - 1 && IsHoverFixedCell(ACol, ARow)
        && FControlLook->FixedGradientDownTo() != clNone)
        InvalidateCell(ACol, ARow);
    const TGridRect now = Selection();
    if (now.Left != noted.Left || now.Top != noted.Top || now.Right != noted.Right || now.Bottom != noted.Bottom)
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TNovaStringGrid::mouseUpDisjunctCells(int ACol, int ARow, Qt::KeyboardModifiers Shift, bool &Stop)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int bc = DisplColIndexOf(b.X);
    if (!IsFixed(bc, b.Y)) {
        bool CanSelect = true;
        FireEvent(OnSelectCell, this, bc, b.Y, CanSelect);
        if (!CanSelect) {
            Stop = true;
            return;
        }
        const TGridCoord v{bc, b.Y};
        if (Shift & Qt::ShiftModifier) {
            FSelectedCells->Add(v);
        } else if (Shift & Qt::ControlModifier) {
            if (!FSelectedCells->Remove(v))
                FSelectedCells->Add(v);
        } else {
            FSelectedCells->Clear();
            FSelectedCells->Add(v);
        }
    } else if (!(Shift & Qt::ControlModifier)) {
        FSelectedCells->Clear();
        InvalidateGrid();
    }
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        InvalidateCell(s.Left, s.Top);
        return;
    }
    for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
        for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
            if (!(c == bc && r == b.Y))
                FSelectedCells->Add({c, r});
    InvalidateGrid();
}

void TNovaStringGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OleDragStartMove(Shift, X, Y))
        return;
    if (GridState() == gsColSizing)
        ColSized = true;
    else if (GridState() == gsRowSizing)
        Rowsized = true;
    TBaseGrid::MouseMove(Shift, X, Y);
}

void TNovaStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    // These looks draw the selection as one rectangle: its old and new extent need redrawing.
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007)
        for (int r = std::max(0, ATop); r <= ABottom && r < RowCount(); ++r)
            for (int c = std::max(0, ALeft); c <= ARight && c < ColCount(); ++c)
                RepaintCell(c, r);
    FSelChange = true;
    FireEvent(OnSelectionChanged, this, ALeft, ATop, ARight, ABottom);
}

void TNovaStringGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
    FireEvent(OnUpdateColumnSize, this, ACol, AWidth);
}

void TNovaStringGrid::DoUpdateAutoColumnSize(int ACol, int &AWidth)
{
    FireEvent(OnUpdateColumnSize, this, ACol, AWidth);
}

// ---- fixed-cell editor -------------------------------------------------------------------------------

void TNovaStringGrid::DoFixedEdit(int ACol, int ARow, QStringList &Values, TGridFixedCellEditor &AEditor)
{
    FireEvent(OnFixedEdit, this, ACol, ARow, AEditor, Values);
}

void TNovaStringGrid::ShowFixedCellCombo(int ACol, int ARow)
{
    if (FEditTrans->isVisible() && !FEditTrans->StopEdit())
        return;
    if (FComboTrans->isVisible() && !FComboTrans->StopEdit())
        return;
    bool CanEdit = true;
    FireEvent(OnCanEditCell, this, ARow, ACol, CanEdit);
    if (!CanEdit)
        return;
    TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
    QStringList items = FMouseActions->FixedComboValues();
    DoFixedEdit(ACol, ARow, items, kind);
    TRect R = CellRect(ACol, ARow);
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    const int rc = RealColIndex(ACol);
    const QString text = Cells(rc < 0 ? ACol : rc, ARow);
    auto onChange = [this, ACol, ARow](const QString &v) { FireEvent(OnEditChange, this, ACol, ARow, v); };
    if (kind == fceComboEdit || kind == fceComboList) {
        FComboTrans->clear();
        FComboTrans->addItems(items);
        FComboTrans->setEditable(kind == fceComboEdit);
        FComboTrans->setGeometry(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
        FComboTrans->SetCol(rc < 0 ? ACol : rc);
        FComboTrans->SetRow(ARow);
        FComboTrans->setCurrentText(text);
        QObject::disconnect(FComboTrans, &QComboBox::currentTextChanged, nullptr, nullptr);
        QObject::connect(FComboTrans, &QComboBox::currentTextChanged, this, onChange);
        FComboTrans->show();
        FComboTrans->setFocus();
    } else {
        FEditTrans->setGeometry(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
        FEditTrans->SetCol(rc < 0 ? ACol : rc);
        FEditTrans->SetRow(ARow);
        FEditTrans->setText(text);
        QObject::disconnect(FEditTrans, &QLineEdit::textChanged, nullptr, nullptr);
        QObject::connect(FEditTrans, &QLineEdit::textChanged, this, onChange);
        FEditTrans->show();
        FEditTrans->setFocus();
    }
}
