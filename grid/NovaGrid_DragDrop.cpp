// Drag and drop: the grid as drop target (text, its own cell stream, rich text, links, files and
// columns) and as drag source of its cells or a column. A drop outside the cells is ignored; a
// dropped file is loaded by its suffix.
#include "grid/GridDropTarget.h"
#include "grid/NovaGrid.h"

#include "grid/FixedCellEditors.h"
#include "platform/Dialogs.h"

#include <QBuffer>
#include <QCursor>
#include <QFileInfo>

#include <algorithm>

// ---- the grid's side ----------------------------------------------------------------------------

void TNovaStringGrid::installDropSupport()
{
    FDragDropSettings->OnRegisterDropTarget = [this] {
        FDropTarget = std::make_unique<TGridDropTarget>(this);
        FDropTarget->AcceptText = FDragDropSettings->OleAcceptText();
        FDropTarget->AcceptFiles = FDragDropSettings->OleAcceptFiles();
        FDropTarget->AcceptURLs = FDragDropSettings->OleAcceptURLs();
        FDropTarget->AcceptCols = FDragDropSettings->OleColumnDragDrop() || FDragDropSettings->OleColumnReorder();
        return true;
    };
    FDragDropSettings->OnRevokeDropTarget = [this] { FDropTarget.reset(); };
}

void TNovaStringGrid::OleColumnDragStart(int ACol, int AIndex, QListWidget *AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

TPoint TNovaStringGrid::TextBlockSize(const QString &Text)
{
    int cols = 0, rows = 0;
    QStringList lines = Text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString &l = lines[i];
        if (i > 0 && l.startsWith(QLatin1Char('\n')))
            l.remove(0, 1);
        if (l.isEmpty())
            continue;
        ++rows;
        cols = std::max(cols, int(l.count(QLatin1Char('\t'))) + 1);
    }
    return {cols, rows - 1};
}

std::unique_ptr<TGridDropSource> TNovaStringGrid::CreateDropSource()
{
    return std::make_unique<TGridDropSource>(this);
}

bool TNovaStringGrid::OleDragStartMove(Qt::KeyboardModifiers, int X, int Y)
{
    // The press mark lives from a press on the selection until the button is released.
    if (!FSelectionClick || !FDragDropSettings->OleDropSource() || GridState() == gsColSizing)
        return false;
    if (std::abs(X - Clickposx) <= 3 && std::abs(Y - Clickposy) <= 3)
        return false;
    if (IsOnResizeHandle(X, Y))
        return false;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return false;
    FSelectionClick = false;
    const int rc = RealColIndex(ACol);
    bool allow = true;
    if (ARow >= FixedRows() && FDragDropSettings->OleColumnsOnly())
        allow = false;
    else
        FireEvent(OnOleDrag, this, ARow, rc, Cells(rc, ARow), allow);
    if (!allow)
        return false;

    std::unique_ptr<TGridDropSource> source = CreateDropSource();
    FireEvent(OnOleDragStart, this, ARow, rc);
    DoStartBlockFocus();
    const bool columnDrag = ARow < FixedRows() && FDragDropSettings->OleColumnDragDrop();
    if (FDragDropSettings->ShowCells())
        setDragPicture(*source, columnDrag, ACol);
    if (columnDrag) {
        if (FMoveButton && !FDragDropSettings->ShowCells()) {
            FMoveButton->SetCaption(Cells(rc, 0));
            FMoveButton->resize(ColWidths(ACol), RowHeights(0));
            FMoveButton->move(QCursor::pos());
            FMoveButton->show();
        }
        const Qt::DropAction effect = BeginColumnDrag(*source, this, rc, Qt::CopyAction | Qt::MoveAction);
        if (effect != Qt::IgnoreAction)
            FireEvent(OnOleDragStop, this, effect);
        if (FMoveButton)
            FMoveButton->hide();
        hideMoveArrows();
        return true;
    }

    FDropSelection = Selection();
    QByteArray stream;
    const bool fmt = FNavigation->AllowFmtClipboard();
    if (fmt) {
        QBuffer buf(&stream);
        buf.open(QIODevice::WriteOnly);
        const TGridRect s = FDropSelection;
        SaveRectToBinStream(TRect{std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                                  std::max(s.Top, s.Bottom)},
                            buf);
    }
    const Qt::DropAction effect = BeginTextDrag(*source, this, SelectedText(), Cells(rc, ARow),
                                                Qt::CopyAction | Qt::MoveAction, fmt ? &stream : nullptr);
    if (effect == Qt::IgnoreAction)
        return true;
    if (!FDragDropSettings->OleCopyAlways() && effect == Qt::MoveAction) {
        const TGridRect d = FDropSelection;
        if (FDragDropSettings->OleRemoveRows() && Options().Contains(goRowSelect)) {
            if (FMouseActions->DisjunctRowSelect())
                RemoveSelectedRows();
            else
                RemoveRows(std::min(d.Top, d.Bottom), std::abs(d.Bottom - d.Top) + 1);
        } else
            ClearRect(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
                      std::max(d.Top, d.Bottom));
    }
    FireEvent(OnOleDragStop, this, effect);
    return true;
}

void TNovaStringGrid::setDragPicture(TNSGDropSource &Source, bool ColumnDrag, int ACol)
{
    const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount() - 1);
    TGridRect r;
    if (ColumnDrag) {
        r = TGridRect{ACol, 0, ACol, lastRow};
    } else {
        // The selection, clipped to the cells in view.
        const TGridRect s = Selection();
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount() - 1);
        r = TGridRect{std::max(std::min(s.Left, s.Right), LeftCol()), std::max(std::min(s.Top, s.Bottom), TopRow()),
                      std::min(std::max(s.Left, s.Right), lastCol), std::min(std::max(s.Top, s.Bottom), lastRow)};
        if (r.Left > r.Right || r.Top > r.Bottom)
            return;
    }
    QImage picture = SelectionToImage(r).convertToFormat(QImage::Format_ARGB32);
    // Seen through, as the moving picture of a column or row drag.
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), 192);
    }
    // Its top-left 4 pixels right of and below the pointer; right to left it ends under column 0.
    QPoint hot(-4, -4);
    if (UseRightToLeftAlignment())
        hot.rx() -= ColWidths(0) - picture.width();
    Source.SetDragPicture(QPixmap::fromImage(picture), hot);
}

// ---- drop target --------------------------------------------------------------------------------

TGridDropTarget::TGridDropTarget(TNovaStringGrid *AGrid) : TNSGDropTarget(AGrid->viewport()), FGrid(AGrid) {}

void TGridDropTarget::targetCell(QPoint pt, bool OfferCol, int &ACol, int &ARow, bool &Append) const
{
    const QPoint p = FGrid->viewport()->mapFromGlobal(pt);
    FGrid->MouseToCell(p.x(), p.y(), ACol, ARow);
    Append = false;
    const TDragDropSettings *dd = FGrid->DragDropSettings();
    if (ARow == -1 && !OfferCol && dd->OleEntireRows() && dd->OleAppendRows() && FGrid->RowCount() > 0) {
        const TRect last = FGrid->CellRect(FGrid->LeftCol(), FGrid->RowCount() - 1);
        if (p.y() >= last.Bottom && p.x() >= 0 && p.x() < FGrid->viewport()->width()) {
            ACol = FGrid->FixedCols();
            ARow = FGrid->RowCount() - 1;
            Append = true;
        }
    }
}

void TGridDropTarget::DragMouseMove(QPoint pt, bool &Allow, TDropFormats Formats)
{
    TNSGDropTarget::DragMouseMove(pt, Allow, Formats);
    const bool offerCol = Formats & dfCol;
    int ACol, ARow;
    bool append;
    targetCell(pt, offerCol, ACol, ARow, append);
    Allow = ACol >= 0 && ARow >= 0;
    TNovaStringGrid &g = *FGrid;
    if (Allow && !offerCol) {
        const int y = g.viewport()->mapFromGlobal(pt).y();
        if ((ARow == 0 && g.TopRow() > g.FixedRows()) || (y < 8 && g.FixedRows() == 0 && g.TopRow() > 0))
            g.SetTopRow(g.TopRow() - 1);
        else if (ARow == g.TopRow() + g.VisibleRowCount() && ARow < g.RowCount())
            g.SetTopRow(g.TopRow() + 1);
        if (g.TimerTicks() % 2 == 0) {
            ++g.FTimerTicks;
            if (ACol == 0 && g.LeftCol() > g.FixedCols())
                g.SetLeftCol(g.LeftCol() - 1);
            else if (ACol == g.LeftCol() + g.VisibleColCount() && ACol < g.ColCount())
                g.SetLeftCol(g.LeftCol() + 1);
        }
    }
    if (!offerCol) {
        if (ARow >= 0 && ARow < g.FixedRows() && !(g.RowCount() == 1 && g.FixedRowAlways()))
            Allow = false;
    } else if (ACol == -1) {
        ACol = g.ColCount();
        ARow = 0;
        Allow = true;
    } else
        Allow = ARow >= 0 && ARow < g.FixedRows() && ACol >= g.FixedCols();
    if (Formats & (dfFile | dfGridCells))
        Allow = true;
    FireEvent(g.OnOleDragOver, &g, ARow, ACol, Allow);
    if (!(Formats & dfFile))
        Allow = Allow && ARow >= 0 && ACol >= 0;
    showArrows(Allow && ACol >= 0 && ARow >= 0, offerCol, ACol, ARow, append);
}

void TGridDropTarget::showArrows(bool Allowed, bool OfferCol, int ACol, int ARow, bool Append)
{
    TNovaStringGrid &g = *FGrid;
    TArrowWindow *left = g.MoveArrow(arrLeft);
    TArrowWindow *down = g.MoveArrow(arrDown);
    TArrowWindow *up = g.MoveArrow(arrUp);
    QWidget *vp = g.viewport();
    if (Allowed && OfferCol) {
        // Above and below the left edge of the target column (right of the last one outside).
        const int c = std::min(ACol, g.ColCount() - 1);
        const TRect R = g.CellRect(c, ARow);
        const int x = ACol >= g.ColCount() ? R.Right : R.Left;
        down->move(vp->mapToGlobal(QPoint(x, R.Top - 8)));
        up->move(vp->mapToGlobal(QPoint(x, R.Bottom)));
        left->hide();
        down->show();
        up->show();
        down->raise();
        up->raise();
    } else if (Allowed) {
        if (ARow == 0 && g.FixedRowAlways()) {
            ++ARow;
            Append = false;
        }
        const int c = g.DragDropSettings()->OleEntireRows() ? g.FixedCols() : ACol;
        const TRect R = g.CellRect(c, ARow);
        left->move(vp->mapToGlobal(QPoint(R.Left - 10, Append ? R.Top + g.RowHeights(ARow) : R.Top)));
        down->hide();
        up->hide();
        left->show();
        left->raise();
    } else {
        hideArrows();
    }
}

void TGridDropTarget::hideArrows() { FGrid->hideMoveArrows(); }

void TGridDropTarget::DragMouseLeave() { hideArrows(); }

void TGridDropTarget::DropText(QPoint pt, const QString &Text)
{
    TNovaStringGrid &g = *FGrid;
    hideArrows();
    int ACol, ARow;
    bool append;
    targetCell(pt, false, ACol, ARow, append);
    if (ACol < 0 || ARow < 0)
        return; // outside the cells: nothing to place it at
    const TPoint size = TNovaStringGrid::TextBlockSize(Text);
    const int cols = size.X, rows = size.Y;
    const TDragDropSettings *dd = g.DragDropSettings();
    if (g.Options().Contains(goRowSelect))
        ACol = dd->OleEntireRows() ? 0 : g.FixedCols();
    bool allow = true;
    FireEvent(g.OnOleDrop, &g, ARow, ACol, Text, allow);
    if (!allow)
        return;
    TGridRect &ds = g.FDropSelection;
    if (std::min(ds.Top, ds.Bottom) >= ARow && ds.Top >= 0 && dd->OleRemoveRows()) {
        ds.Top += rows + 1;
        ds.Bottom += rows + 1;
    }
    if (ARow == 0 && g.FixedRowAlways() && g.RowCount() == 1)
        ARow = 1;
    if (dd->OleInsertRows()) {
        int top = g.TopRow();
        if (append) {
            g.SetRowCount(g.RowCount() + rows + 1);
            ++ARow;
        } else
            g.InsertRows(ARow, rows + 1);
        if (top > g.FixedRows())
            ++top;
        if (top > 0)
            g.SetTopRow(top);
    }
    int pr = 0, pc = 0;
    g.PasteTextIntoCells(ACol, ARow, pr, pc, Text);
    ACol = std::max(ACol, g.FixedCols());
    const TGridRect sel{ACol, ARow, g.Options().Contains(goRowSelect) ? ACol + cols - g.FixedCols() : ACol + cols - 1,
                        ARow + rows};
    g.SetSelection(sel);
    if (g.MoveButton())
        g.MoveButton()->hide();
    FireEvent(g.OnOleDropped, &g, sel);
}

void TGridDropTarget::DropStream(QPoint pt, QByteArray &Stream)
{
    TNovaStringGrid &g = *FGrid;
    hideArrows();
    int ACol, ARow;
    bool append;
    targetCell(pt, false, ACol, ARow, append);
    if (ACol < 0 || ARow < 0 || Stream.isEmpty())
        return;
    QBuffer buf(&Stream);
    buf.open(QIODevice::ReadOnly);
    if (g.MoveButton())
        g.MoveButton()->hide();
    try {
        g.LoadAtPointFromBinStream({ACol, ARow}, buf);
    } catch (const ENovaGridError &) {
        return; // cells that cannot be read are not dropped; the grid stays as it was
    }
    FireEvent(g.OnOleDropped, &g, g.Selection());
}

void TGridDropTarget::DropCol(QPoint pt, int Col)
{
    TNovaStringGrid &g = *FGrid;
    hideArrows();
    int ACol, ARow;
    bool append;
    targetCell(pt, true, ACol, ARow, append);
    if (ACol < 0)
        ACol = g.ColCount();
    if (g.MoveButton())
        g.MoveButton()->hide();
    if (g.FOleDragCol != -1) {
        if (g.FOleDragList && g.FOleDragIndex >= 0 && g.FOleDragIndex < g.FOleDragList->count())
            delete g.FOleDragList->takeItem(g.FOleDragIndex);
        const TIntList *order = g.ColumnOrder();
        int i = 0;
        bool found = false;
        for (int k = 0; k < order->Count(); ++k)
            if (order->Items(k) == g.FOleDragCol) {
                i = k;
                found = true;
                break;
            }
        if (found)
            g.UnHideColumn(i);
        const bool old = g.EnhRowColMove();
        g.SetEnhRowColMove(true);
        const int from = g.DisplColIndex(i);
        const int to = std::min(ACol, g.ColCount() - 1);
        if (from >= 0 && from != to)
            g.MoveColumn(from, to);
        g.SetEnhRowColMove(old);
        g.FOleDragCol = -1;
    } else if (g.DragDropSettings()->OleColumnReorder()) {
        ACol = std::min(ACol, g.ColCount() - 1);
        const int from = g.DisplColIndex(Col);
        if (from >= 0 && from != ACol) {
            const bool old = g.EnhRowColMove();
            g.SetEnhRowColMove(true);
            g.MoveColumn(from, ACol);
            g.SetEnhRowColMove(old);
        }
    }
    FireEvent(g.OnOleDropCol, &g, ARow, Col, ACol);
}

void TGridDropTarget::dropIntoCell(QPoint pt, const QString &Text, bool Url)
{
    TNovaStringGrid &g = *FGrid;
    hideArrows();
    int ACol, ARow;
    bool append;
    targetCell(pt, false, ACol, ARow, append);
    if (ACol < 0 || ARow < 0)
        return;
    bool allow = true;
    FireEvent(Url ? g.OnOleDropURL : g.OnOleDrop, &g, ARow, ACol, Text, allow);
    if (allow)
        g.SetCells(g.RealColIndex(ACol) < 0 ? ACol : g.RealColIndex(ACol), ARow, Text);
}

void TGridDropTarget::DropRTF(QPoint pt, const QString &Text) { dropIntoCell(pt, Text, false); }

void TGridDropTarget::DropURL(QPoint pt, const QString &Text) { dropIntoCell(pt, Text, true); }

void TGridDropTarget::DropFiles(QPoint pt, const QStringList &Files)
{
    hideArrows();
    if (Files.size() != 1)
        return;
    TNovaStringGrid &g = *FGrid;
    int ACol, ARow;
    bool append;
    targetCell(pt, false, ACol, ARow, append);
    const QString &name = Files.first();
    bool allow = true;
    FireEvent(g.OnOleDropFile, &g, ARow, ACol, name, allow);
    // The file's type is its last suffix: "a.csv.bak" is no CSV file.
    const QString suffix = QFileInfo(name).suffix();
    if (allow && suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) {
        FireEvent(g.OnOleDrop, &g, -1, -1, name, allow);
        // A drop has no caller to take the error: the user is told (an empty or too wide file).
        if (allow) {
            try {
                g.LoadFromCSV(name, -1);
            } catch (const std::exception &e) {
                platform::showError(QString::fromStdString(e.what()), &g);
            }
        }
    }
    if (allow && (suffix.compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0 ||
                  suffix.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)) {
        FireEvent(g.OnOleDrop, &g, -1, -1, name, allow);
        if (allow) {
            try {
                g.LoadFromXLS(name);
            } catch (const std::exception &e) {
                platform::showError(QString::fromStdString(e.what()), &g);
            }
        }
    }
}

// ---- drop source --------------------------------------------------------------------------------

void TGridDropSource::CurrentEffect(Qt::DropAction Effect)
{
    if (Effect == Qt::MoveAction || Effect == Qt::CopyAction)
        FLastEffect = Effect;
}

void TGridDropSource::QueryDrag()
{
    if (THeaderDragButton *b = FGrid->MoveButton(); b && b->isVisible() && !FGrid->DragDropSettings()->ShowCells())
        b->move(QCursor::pos() - QPoint(0, b->height()));
}

void TGridDropSource::DragEnded() {}
