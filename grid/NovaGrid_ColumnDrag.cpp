// Dragging a column by its header cell or a row by its fixed-column cell: permission events, a
// drag button or a picture of the cells following the pointer, arrows at the drop position,
// scrolling at the edges, the drag cursor, and the move itself on release.
#include "grid/FilterDropDown.h"
#include "grid/FixedCellEditors.h"
#include "grid/NovaGrid.h"

#include <QLabel>
#include <QPainter>

TArrowWindow *TNovaStringGrid::MoveArrow(TArrowDirection Dir)
{
    return FArrows[std::size_t(Dir)];
}

QWidget *TNovaStringGrid::MoveForm() const
{
    return FMoveForm;
}

void TNovaStringGrid::hideMoveArrows()
{
    for (TArrowWindow *a : FArrows)
        if (a)
            a->hide();
}

void TNovaStringGrid::enterMovingState()
{
    if (Movecell < 0 || GridState() != gsNormal || !FMouseDownMove || FDesigning)
        return;
    if (FPressRow >= 0 && FPressRow < FixedRows() && Movecell >= FixedCols() && Options().Contains(goColMoving)) {
        SetGridState(gsColMoving);
        FMovingCol = Movecell;
    } else if (FPressRow >= FixedRows() && Options().Contains(goRowMoving)) {
        SetGridState(gsRowMoving);
    } else {
        return;
    }
    FMoveColInd = FMoveRowInd = -1;
    FDragStarted = false;
}

void TNovaStringGrid::enhancedDrag(int X, int Y)
{
    const bool columns = GridState() == gsColMoving;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);

    bool Allow = true;
    if (columns)
        FireEvent(OnColumnMove, this, Movecell, Allow);
    else
        FireEvent(OnRowMove, this, Movecell, Allow);
    if (!Allow) {
        SetGridState(gsNormal);
        FMovingCol = -1;
        return;
    }
    if (!(RowCount() > 1 && (X != Clickposx || Y != Clickposy) && EnhRowColMove() && !FSizingFixedCol
          && !FSizingFixedRow))
        return;

    bool Allowed = true;
    if (!FDragStarted) {
        FDragStarted = true;
        DoStartBlockFocus();
    }

    // The drag image: the cells' picture or the drag button.
    const bool showCells = FDragDropSettings->ShowCells();
    if (columns && Movecell >= FixedCols() && ARow >= 0) {
        if (showCells && !FMoveForm) {
            FMoveForm = SelectionToForm(TGridRect{Movecell, 0, Movecell, TopRow() + VisibleRowCount() - FixedRows()});
            FMoveForm->show();
        }
        FMoveButton->SetCaption(Cells(RealColIndex(Movecell), 0));
        FMoveButton->resize(ColWidths(Movecell), RowHeights(ARow));
    } else if (!columns && Movecell >= FixedRows() && ACol >= 0) {
        if (showCells && !FMoveForm) {
            FMoveForm = SelectionToForm(TGridRect{0, Movecell, LeftCol() + VisibleColCount() - FixedCols(), Movecell});
            FMoveForm->show();
        }
        FMoveButton->SetCaption(Cells(0, Movecell));
        FMoveButton->resize(ColWidths(ACol), RowHeights(Movecell));
    }
    QPoint at = viewport()->mapToGlobal(QPoint(X - MoveOfsX, Y - MoveOfsY));
    if (showCells && FMoveForm) {
        if (UseRightToLeftAlignment())
            at.rx() += ColWidths(0) - FMoveForm->width();
        FMoveForm->move(at);
    } else {
        FMoveButton->move(at);
    }

    // Arrows at the drop position of the previous move event.
    if (columns) {
        const int c = FMoveColInd;
        if (c >= FixedCols() && ACol >= 0) {
            const TRect R = CellRect(c, 0);
            const int edge = c < Movecell ? R.Left : R.Right;
            const bool visible = c - LeftCol() < VisibleColCount();
            TArrowWindow *up = MoveArrow(arrUp);
            TArrowWindow *down = MoveArrow(arrDown);
            up->move(viewport()->mapToGlobal(QPoint(edge - 5, R.Bottom)));
            down->move(viewport()->mapToGlobal(QPoint(edge - 5, R.Top - 8)));
            up->setVisible(visible);
            down->setVisible(visible);
            if (visible) {
                up->raise();
                down->raise();
            }
        }
        if (ACol >= 0) {
            FMoveColInd = ACol;
            FMoveRowInd = 0;
            FireEvent(OnColumnMoving, this, ACol, Allowed);
        }
    } else {
        const int r = FMoveRowInd;
        const bool footerRow = FloatingFooterShown() && r == RowCount() - 1;
        if (!footerRow && r >= FixedRows() && r - TopRow() < VisibleRowCount() && ARow >= 0) {
            const TRect R = CellRect(0, r);
            const int edge = r < Movecell ? R.Top : R.Bottom;
            TArrowWindow *left = MoveArrow(arrLeft);
            TArrowWindow *right = MoveArrow(arrRight);
            left->move(viewport()->mapToGlobal(QPoint(R.Left - 10, edge - 5)));
            right->move(viewport()->mapToGlobal(QPoint(R.Right, edge - 5)));
            left->show();
            right->show();
        }
        if (ARow >= 0) {
            FMoveColInd = 0;
            FMoveRowInd = ARow;
            FireEvent(OnRowMoving, this, ARow, Allowed);
        }
    }

    // Scrolling while the pointer is beyond the fixed cells or the grid.
    if (columns) {
        if (X < ColSpanWidth(0, FixedCols()) && LeftCol() > FixedCols()) {
            SetLeftCol(LeftCol() - 1);
            viewport()->repaint();
        } else if (X > ClientWidth() && LeftCol() + VisibleColCount() < ColCount()) {
            SetLeftCol(LeftCol() + 1);
            viewport()->repaint();
        }
    } else {
        if (Y < RowSpanHeight(0, FixedRows()) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            viewport()->repaint();
        } else if (Y > ClientHeight() && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
            viewport()->repaint();
        }
    }

    if (!FMoveButton->isVisible() && !showCells) {
        FMoveButton->show();
        FMoveButton->raise();
    }
    FMoveButton->setEnabled(true);

    FDragCursor = Allowed ? Qt::DragMoveCursor : Qt::ForbiddenCursor;
    viewport()->setCursor(FDragCursor);
}

bool TNovaStringGrid::endEnhancedMove(int X, int Y)
{
    const TGridState state = GridState();
    if (!(state == gsColMoving || state == gsRowMoving))
        return false;
    const bool columns = state == gsColMoving;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    SetGridState(gsNormal);
    FMovingCol = -1;

    if (!EnhRowColMove()) {
        // Without the enhanced drag the move happens as the platform's: straight to the drop cell.
        if (X == Clickposx && Y == Clickposy)
            return false;
        if (columns && ACol >= FixedCols() && ACol != Movecell)
            MoveColRow(true, Movecell, ACol);
        else if (!columns && ARow >= FixedRows() && ARow != Movecell)
            MoveColRow(false, Movecell, ARow);
        return true;
    }
    // A press without a drag is a click.
    if (FDragCursor == Qt::ArrowCursor)
        return false;

    FMoveButton->setEnabled(false);
    FMoveButton->hide();
    delete FMoveForm;
    FMoveForm = nullptr;
    if (FDragStarted)
        DoEndBlockFocus();
    FDragStarted = false;
    const bool refused = FDragCursor == Qt::ForbiddenCursor;
    FDragCursor = Qt::ArrowCursor;
    viewport()->unsetCursor();
    hideMoveArrows();

    if (refused) {
        if (columns)
            RepaintRow(0);
        else
            RepaintCol(0);
    } else if (columns) {
        if (Movecell >= 0 && ACol >= FixedCols() && ACol != Movecell)
            MoveColumn(Movecell, ACol);
    } else if (ARow >= FixedRows() && ARow != Movecell) {
        MoveRow(Movecell, ARow);
    }
    viewport()->update();
    return true;
}

// ---- the picture of a cell range -----------------------------------------------------------------

TNoActiveForm *TNovaStringGrid::SelectionToForm(const TGridRect &ARect)
{
    const QImage picture = SelectionToImage(ARect);
    auto *form = new TNoActiveForm(this);
    form->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    form->setWindowOpacity(192 / 255.0);
    auto *label = new QLabel(form);
    label->setPixmap(QPixmap::fromImage(picture));
    label->setGeometry(0, 0, picture.width(), picture.height());
    form->resize(picture.size());
    return form;
}

QImage TNovaStringGrid::SelectionToImage(const TGridRect &ARect)
{
    QImage grid(viewport()->size(), QImage::Format_RGB32);
    grid.fill(Qt::white);
    {
        QPainter p(&grid);
        PaintTo(p);
    }
    TRect first = VirtualCellRect(ARect.Left, ARect.Top);
    TRect last = VirtualCellRect(ARect.Right, ARect.Bottom);
    if (last.Left < first.Left)
        std::swap(first, last);
    if (last.Bottom < first.Bottom) {
        std::swap(first.Top, last.Top);
        std::swap(first.Bottom, last.Bottom);
    }
    const int w = last.Right - first.Left + 1;
    const int h = last.Bottom - first.Top + 1;
    QImage picture(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.drawImage(0, 0, grid, first.Left, first.Top, w, h);
        const QColor line = ToQColor(GridFixedLineColor());
        p.setPen(line);
        if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedVertLine))
            p.drawLine(0, 0, 0, h - 1);
        if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedHorzLine))
            p.drawLine(0, 0, w - 1, 0);
    }
    return picture;
}
