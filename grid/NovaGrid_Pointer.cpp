// Pointer movement over the string grid: hover highlighting of rows, fixed cells and cell
// buttons, row and column selection by dragging along the fixed cells, the fixed-sizing hover,
// the select mode the next press acts in, the sizing events and the sizing hint, stale cell
// hints, the pointer leaving, the cell hint the tool-tip event shows, and following the form.
#include "grid/ControlLook.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/SizeSettings.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirText.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>

namespace {
bool isMoving(TGridState s)
{
    return s == gsColMoving || s == gsRowMoving;
}
} // namespace

void TNovaStringGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OleDragStartMove(Shift, X, Y))
        return;
    FCursorClaimed = false;
    FSelectCursorId = 0;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool overCell = ACol >= 0 && ARow >= 0;
    const TGridRect selBefore = Selection();

    // A drag from a pressed cell selects instead of editing.
    if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing) && !EditorMode())
        SetOptions(Options().Exclude(goEditing));
    if (SelectionRectangle() && GridState() == gsSelecting && !(Selection() == FSizeSelection))
        FSizeSelection = Selection();

    if (overCell && !FDesigning)
        hoverSteps(ACol, ARow, X, Y);
    dragSelectRowsCols(ACol, ARow, Y);
    fixedSizingHover(ACol, ARow, X, Y);

    if (!FDesigning) {
        if (GridState() == gsColSizing)
            ColSized = true;
        else if (GridState() == gsRowSizing)
            Rowsized = true;
        if (isMoving(GridState()))
            enhancedDrag(X, Y);
    }

    // The corner of the selection follows the pointer while its resize handle is dragged.
    if (FMouseResize && FMouseDownMove)
        selectionResizeMove(X, Y);

    if (!FMouseDownMove)
        decideSelectMode(ACol, ARow, X, Y);
    else
        claimSelectCursor(MouseSelectMode()); // a drag keeps the cursor it started with

    // Links and anchors: the link cursor wins over the select cursors.
    if (overCell && !FDesigning) {
        if (AnchorHover(ACol, ARow, X, Y))
            claimCursor(QCursor(Qt::PointingHandCursor));
    } else if (!overCell) {
        AnchorLeave();
    }

    if (!FCursorClaimed && FDragCursor == Qt::ArrowCursor && viewport()->cursor().shape() != FOldCursor
        && GridState() == gsNormal)
        viewport()->setCursor(FOldCursor);

    // A hint or balloon shown for another cell is stale now.
    TPoint base{-1, -1};
    if (overCell)
        base = BaseCell(RealColIndex(ACol), ARow);
    if (FLastHintPos.X >= 0) {
        const TPoint shown = overCell ? TPoint{DisplColIndexOf(base.X), base.Y} : TPoint{-1, -1};
        if (!(shown == FLastHintPos)) {
            hideCellHint();
            FLastHintPos = TPoint{-1, -1};
        }
    }
    if (Balloon()->Enable() && FLastBalloonCell.X >= 0 && !(base == FLastBalloonCell)) {
        if (FBalloonWindow)
            FBalloonWindow->hide();
        FLastBalloonCell = TPoint{-1, -1};
    }

    if (SelectionRectangle() && GridState() == gsSelecting && !(Selection() == FMoveSelection)) {
        InvalidateCellRange(Selection());
        FMoveSelection = Selection();
    }

    // The platform's range extension would move the far corner's opposite while the handle drags.
    if (!FMouseResize)
        TBaseGrid::MouseMove(Shift, X, Y);
    FireEvent(OnMouseMove, this, Shift, X, Y);
    // The platform's hover resets the cursor: a drag keeps its own, a claim its own.
    if (FDragCursor != Qt::ArrowCursor)
        viewport()->setCursor(FDragCursor);
    else if (FCursorClaimed)
        viewport()->setCursor(FClaimedCursor);

    if (FNavigation->KeepHorizScroll() && FMouseDownMove && GridState() != gsColMoving && LeftCol() != FOldKeepLeftCol) {
        BeginUpdate();
        SetLeftCol(FOldKeepLeftCol);
        EndUpdate();
    }

    sizingEventsAndHint(X, Y);

    // Repainting at once while a drag runs keeps the header highlight under the pointer.
    if (EnhRowColMove() && isMoving(GridState()))
        viewport()->update();
    const TGridRect now = Selection();
    if (!(now == selBefore))
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TNovaStringGrid::hoverSteps(int ACol, int ARow, int X, int Y)
{
    if (HoverRow() && ARow != FHoverRowIdx) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = ARow;
        RepaintRow(ARow);
        if (old >= 0 && old < RowCount())
            RepaintRow(old);
    }

    auto inFixedBand = [this](int c, int r) {
        return c >= 0 && r >= 0 && (r <= FixedRows() || c <= FixedCols());
    };
    if (HoverFixedCells() != hfNone && !FNoMouseLeave && (ACol != FHoverFixedX || ARow != FHoverFixedY)) {
        const int oc = FHoverFixedX, orow = FHoverFixedY;
        FHoverFixedX = ACol;
        FHoverFixedY = ARow;
        if (inFixedBand(oc, orow))
            InvalidateCell(oc, orow);
        if (inFixedBand(ACol, ARow))
            InvalidateCell(ACol, ARow);
    }

    if (FLook == glListView && (ACol != FHotFixedCell.X || ARow != FHotFixedCell.Y)) {
        const TPoint old = FHotFixedCell;
        FHotFixedCell = TPoint{ACol, ARow};
        if (old.X >= 0 && old.Y >= 0 && (old.X < FixedCols() || old.Y < FixedRows()))
            InvalidateCell(old.X, old.Y);
        if (ACol < FixedCols() || ARow < FixedRows())
            InvalidateCell(ACol, ARow);
    }

    // Cell buttons and expand buttons light up under the pointer.
    const int rc = RealColIndex(ACol);
    const TCellType kind = rc >= 0 ? GetCellType(rc, ARow) : ctEmpty;
    const TRect R = CellRect(ACol, ARow);
    bool onButton = false;
    if (kind == ctButton)
        onButton = R.Contains(TPoint{X, Y});
    else if (kind == ctExpand)
        onButton = X >= R.Right - 13 && X < R.Right - 2 && Y >= R.Top + 2 && Y < R.Top + 13;
    const TPoint hovered = onButton ? TPoint{ACol, ARow} : TPoint{-1, -1};
    if (!(hovered == FHoverButton)) {
        const TPoint old = FHoverButton;
        FHoverButton = hovered;
        if (old.X >= 0)
            InvalidateCell(old.X, old.Y);
        if (hovered.X >= 0)
            InvalidateCell(hovered.X, hovered.Y);
    }
    cellScrollBarHover(ACol, ARow);
}

void TNovaStringGrid::dragSelectRowsCols(int ACol, int ARow, int Y)
{
    if (FMouseSelectStart < 0 || !FMouseDownMove)
        return;
    const int lastCol = ColCount() - 1 - FixedRightCols();
    const int lastRow = RowCount() - 1 - FixedFooters();
    if (FMouseActions->RowSelect() && MouseSelectMode() == msRow) {
        if (ARow >= 0 && ARow < RowCount() - FixedFooters()) {
            const int r = std::max(FixedRows(), ARow);
            const TGridRect s{FixedCols(), std::min(FMouseSelectStart, r), lastCol, std::max(FMouseSelectStart, r)};
            if (!(s == Selection())) {
                SetSelection(s);
                if (SelectionRectangle())
                    InvalidateCellRange(s);
            }
        }
        FAfterUpScroll = false;
        if (Y > height() - 4 && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
        } else if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            FAfterUpScroll = true;
        }
    } else if (FMouseActions->ColSelect() && MouseSelectMode() == msColumn) {
        if (ACol >= 0) {
            const int c = std::max(FixedCols(), ACol);
            const TGridRect s{std::min(FMouseSelectStart, c), FixedRows(), std::max(FMouseSelectStart, c), lastRow};
            if (!(s == Selection()))
                SetSelection(s);
        }
    }
}

void TNovaStringGrid::fixedSizingHover(int ACol, int ARow, int X, int Y)
{
    const bool over = ACol >= 0 && ARow >= 0 && !FDesigning;
    FSizeFixed = false;
    if (over && FMouseActions->SizeFixedCol()) {
        int edge = 0;
        for (int c = 0; c < FixedCols(); ++c) {
            edge += ColWidths(c) + 1;
            if (std::abs(X - edge) < 3)
                FSizeFixed = true;
        }
    }
    FSizeFixedR = false;
    if (over && FMouseActions->SizeFixedRow()) {
        int edge = 0;
        for (int r = 0; r < FixedRows(); ++r) {
            edge += RowHeights(r) + 1;
            if (std::abs(Y - edge) < 3)
                FSizeFixedR = true;
        }
    }
    if (FSizingFixedCol && X != FSizeFixedX) {
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(X);
    }
    if (FSizingFixedRow && Y != FSizeFixedY) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
    }
    if (FSizeFixed || FSizeFixedR)
        claimCursor(QCursor(FSizeFixed ? Qt::SplitHCursor : Qt::SplitVCursor));
}

void TNovaStringGrid::claimCursor(const QCursor &Cursor)
{
    FClaimedCursor = Cursor;
    FCursorClaimed = true;
    viewport()->setCursor(Cursor);
}

bool TNovaStringGrid::IsOnSizingBorder(int ACol, int ARow, int X) const
{
    if (ARow < 0 || ARow >= FixedRows() || !Options().Contains(goColSizing) || ACol < 0)
        return false;
    const TRect R = const_cast<TNovaStringGrid *>(this)->CellRect(ACol, ARow);
    return X - R.Left < 4 || R.Right - X < 4;
}

void TNovaStringGrid::decideSelectMode(int ACol, int ARow, int X, int Y)
{
    TMouseSelectMode mode = msNormal;
    if (IsOnResizeHandle(X, Y)) {
        mode = msResize;
    } else if (ACol >= 0 && ARow >= 0) {
        const int firstRow = FAfterUpScroll ? FixedRows() - 1 : FixedRows();
        const int lastRow = FloatingFooterShown() ? RowCount() - 2 : RowCount() - 1;
        const bool nodeGlyph = ACol == 0 && HasNodes() && IsNode(ARow);
        if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect())
            mode = msAll;
        else if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect()
                 && !IsOnSizingBorder(ACol, ARow, X))
            mode = msColumn;
        else if (ACol < FixedCols() && ARow >= firstRow && ARow <= lastRow && FMouseActions->RowSelect()
                 && !IsOnSizingBorder(ACol, ARow, X) && !nodeGlyph)
            mode = msRow;
    }
    SetMouseSelectMode(mode);
    claimSelectCursor(mode);
}

void TNovaStringGrid::sizingEventsAndHint(int X, int Y)
{
    const bool colSizing = GridState() == gsColSizing || FSizingFixedCol;
    const bool rowSizing = GridState() == gsRowSizing || FSizingFixedRow;
    if (!colSizing && !rowSizing)
        return;
    int size = 0;
    int hc = 0, hr = 0; // the cell whose top-left corner carries the hint
    if (colSizing) {
        if (FSizingFixedCol) {
            size = FSizeFixedX;
        } else {
            const TRect R = CellRect(Colclicked, std::max(0, Rowclicked));
            size = X - R.Left - Clickposdx;
            hc = Colclicked;
            hr = std::max(0, Rowclicked);
        }
        FireEvent(OnColumnSizing, this, FSizingFixedCol ? 0 : Colclicked, size);
    } else {
        if (FSizingFixedRow) {
            size = FSizeFixedY;
        } else {
            const TRect R = CellRect(std::max(0, Colclicked), Rowclicked);
            size = Y - R.Top - Clickposdy;
            hc = std::max(0, Colclicked);
            hr = Rowclicked;
        }
        FireEvent(OnRowSizing, this, FSizingFixedRow ? 0 : Rowclicked, size);
    }
    if (!(FDesigning || HintShowSizing()))
        return;
    if (hc < 0 || hc >= ColCount())
        hc = ColCount() - 1;
    if (hr < 0 || hr >= RowCount())
        hr = RowCount() - 1;
    const QString text = (colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(size)
                         + QStringLiteral("</b>");
    if (!FSizeHintWnd)
        FSizeHintWnd = new THTMLHintWindow(this);
    const TRect R = CellRect(hc, hr);
    const TRect m = FSizeHintWnd->CalcHintRect(200, text, this);
    const QPoint at = viewport()->mapToGlobal(QPoint(R.Left, R.Top));
    FSizeHintWnd->Color = HintColor();
    FSizeHintWnd->ActivateHintData(TRect{at.x(), at.y(), at.x() + m.Width(), at.y() + m.Height()}, text, this);
    FSizeHintShow = true;
}

// ---- the pointer leaving -------------------------------------------------------------------------

void TNovaStringGrid::CMMouseLeave()
{
    SetMouseSelectMode(msNormal);
    FSizeFixed = FSizeFixedR = false;
    if (!FNoMouseLeave)
        ResetFixedCellHighlight();
    if (FHotFixedCell.X >= 0) {
        const TPoint old = FHotFixedCell;
        FHotFixedCell = TPoint{-1, -1};
        InvalidateCell(old.X, old.Y);
    }
    if (HoverRow() && FHoverRowIdx >= 0) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount())
            RepaintRow(old);
    }
    AnchorLeave();
}

void TNovaStringGrid::SetCursor(const QCursor &Value)
{
    // The cursor shown outside the grid's temporary ones, and the one they return to.
    FOldCursor = Value.shape();
    setCursor(Value);
    viewport()->setCursor(Value);
}

bool TNovaStringGrid::event(QEvent *e)
{
    if (e->type() == QEvent::CursorChange) {
        // A new cursor of the grid's own set from outside ends the select mode; one the grid set
        // itself does not (the window reports its children's cursors here too: those are left).
        const int shape = testAttribute(Qt::WA_SetCursor) ? int(cursor().shape()) : -1;
        if (shape != FOwnCursorShape) {
            FOwnCursorShape = shape;
            if (!Invokedchange)
                SetMouseSelectMode(msNormal);
        }
        Invokedchange = false;
    }
    return TBaseGrid::event(e);
}

bool TNovaStringGrid::viewportEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::ToolTip:
        showCellHint(static_cast<QHelpEvent *>(e)->pos());
        return true;
    case QEvent::Leave:
        CMMouseLeave();
        break;
    default:
        break;
    }
    return TBaseGrid::viewportEvent(e);
}

// ---- cell hints ------------------------------------------------------------------------------------

void TNovaStringGrid::BuildCellHint(QPoint CursorPos, QString &HintStr, TCellHintInfo &Info)
{
    int ACol = -1, ARow = -1;
    MouseToCell(CursorPos.x(), CursorPos.y(), ACol, ARow);
    if (FControlLook->HintMaxWidth() > 0)
        Info.MaxWidth = FControlLook->HintMaxWidth();
    THTMLHintWindow::SetWideFontName(Font().Name);
    QPoint pos = CursorPos;
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) {
        const TPoint b = BaseCell(RealColIndex(ACol), ARow);
        const int c = b.X;
        ARow = b.Y;
        ACol = DisplColIndexOf(c);
        FLastHintPos = TPoint{ACol, ARow};
        const TRect R = CellRect(ACol, ARow);
        pos = QPoint(CursorPos.x(), R.Bottom + 6);
        const QString text = Cells(c, ARow);
        const int kind = GetTextKind(text, EnableHTML());
        QString comment;
        if (IsComment(c, ARow, comment)) {
            HintStr = comment;
            pos = QPoint(R.Right, R.Top);
        }
        if (kind == tkHTML && AnchorHint()) {
            TMarkupDrawResult hit;
            if (hitTestCellMarkup(ACol, ARow, CursorPos.x(), CursorPos.y(), hit) && hit.controlId.isEmpty()
                && !hit.hitAnchor.isEmpty()) {
                QString anchor = hit.hitTitle.isEmpty() ? hit.hitAnchor : hit.hitTitle;
                FireEvent(OnAnchorHint, this, ARow, c, anchor);
                HintStr = anchor;
                FLastAnchorHint = anchor;
                pos = CursorPos + QPoint(8, -16);
            }
        }
        const bool body = ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() - FixedRightCols()
                          && ARow < RowCount() - FixedFooters();
        if (HintShowCells() && body) {
            pos.setY(R.Top);
            if (kind == tkWide || HTMLHint())
                HintStr = text;
            else
                HintStr = StripMarkup(text);
        }
        if (HintShowLargeText()) {
            const TPoint size = GetCellTextSize(c, ARow, false, false);
            if (size.X > R.Width() || size.Y > R.Height()) {
                if (HintShowLargeTextPos() == hpCell)
                    pos = QPoint(R.Left, R.Top);
                HintStr = (kind == tkWide || HTMLHint() || kind != tkHTML) ? text : StripMarkup(text);
            }
        }
        if (!(ARow == RowCount() - 1 && FloatingFooterShown())) {
            QString wide;
            DoGridHint(ACol, ARow, HintStr, wide);
        }
        const int finalKind = GetTextKind(HintStr, EnableHTML());
        Info.Html = (finalKind == tkHTML || finalKind == tkWide) && UseInternalHintClass();
    }
    Info.ScreenPos = viewport()->mapToGlobal(pos);
    Info.Color = HintColor();
}

void TNovaStringGrid::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    SetApplicationHTMLHints(Value);
}

void TNovaStringGrid::showCellHint(QPoint CursorPos)
{
    QString hint;
    TCellHintInfo info;
    BuildCellHint(CursorPos, hint, info);
    if (hint.isEmpty()) {
        hideCellHint();
        return;
    }
    // Every hint goes through the hint window; plain text is shown as it is.
    if (!info.Html && GetTextKind(hint, false) != tkWide)
        hint = EscapeHTMLText(hint, false);
    if (!FCellHintWnd)
        FCellHintWnd = new THTMLHintWindow(this);
    FCellHintWnd->Color = info.Color;
    const TRect m = FCellHintWnd->CalcHintRect(info.MaxWidth > 0 ? info.MaxWidth : 1008, hint, this);
    const QPoint p = info.ScreenPos;
    FCellHintWnd->ActivateHintData(TRect{p.x(), p.y(), p.x() + m.Width(), p.y() + m.Height()}, hint, this);
}

void TNovaStringGrid::hideCellHint()
{
    if (FCellHintWnd)
        FCellHintWnd->hide();
}

// ---- following the form ------------------------------------------------------------------------------

void TNovaStringGrid::HookFormResize()
{
    QWidget *form = window();
    if (form == this || form == FResizeForm)
        return;
    if (FResizeForm)
        FResizeForm->removeEventFilter(this);
    FResizeForm = form;
    PrevSizeX = form->width();
    PrevSizeY = form->height();
    form->installEventFilter(this);
}

void TNovaStringGrid::FollowFormResize(QObject *Sender)
{
    if (FDesigning || Destroying())
        return;
    auto *form = qobject_cast<QWidget *>(Sender);
    if (form && form->isWindow() && SizeWithForm()) {
        const int w = form->width() + width() - PrevSizeX;
        const int h = form->height() + height() - PrevSizeY;
        if (w > 0 && h > 0) {
            resize(w, h);
            PrevSizeX = form->width();
            PrevSizeY = form->height();
        }
    }
    SettingsStretchColumn(FColumnSize->StretchColumn());
}

bool TNovaStringGrid::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FResizeForm && Event->type() == QEvent::Resize)
        FollowFormResize(Watched);
    if (Watched == FAlignWatched && Event->type() == QEvent::Resize)
        ApplyAlign();
    if (Watched == FFocusTopLevel && (Event->type() == QEvent::Move || Event->type() == QEvent::Resize)
        && FocusFrameGrid() == this)
        MoveFocusFrame();
    return TBaseGrid::eventFilter(Watched, Event);
}
