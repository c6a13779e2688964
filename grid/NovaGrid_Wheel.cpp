// The mouse wheel and middle-button panning of the string grid. The wheel moves the current row
// or scrolls the view by a number of rows per notch (with Ctrl it zooms); the middle button
// starts panning: while the pointer stays away from where it was pressed, a 10 ms timer moves
// the grid row by row and column by column.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

// Watches the grid for the presses and keys that start and end panning.
class TWheelPanFilter : public QObject {
public:
    explicit TWheelPanFilter(TNovaStringGrid *Grid) : QObject(Grid), FGrid(Grid) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *m = static_cast<QMouseEvent *>(event);
            if (FGrid->Panning()) {
                if (m->button() == Qt::MiddleButton || m->button() == Qt::LeftButton || m->button() == Qt::RightButton) {
                    FGrid->EndPanning();
                    return m->button() == Qt::MiddleButton;
                }
            } else if (m->button() == Qt::MiddleButton && watched == FGrid->viewport()) {
                FGrid->StartPanning(m->position().toPoint());
            }
        } else if (event->type() == QEvent::KeyPress && FGrid->Panning()) {
            FGrid->EndPanning();
        }
        return false;
    }

private:
    TNovaStringGrid *FGrid;
};

namespace {

// Directions drawn on the pan marker and cursors: arrows up, down, left and right.
struct PanArrows {
    bool up, down, left, right;
};

// The marker and the cursors are drawn here rather than read from image files.
QPixmap panPicture(PanArrows a, bool marker)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(15.5, 15.5);
    if (marker) {
        p.setPen(QPen(QColor(64, 64, 64), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 14, 14);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(c, 2.5, 2.5);
    auto arrow = [&](double dx, double dy) {
        QPainterPath path;
        const QPointF tip = c + QPointF(dx * 12, dy * 12);
        const QPointF base = c + QPointF(dx * 6, dy * 6);
        const QPointF side(dy * 5, dx * 5);
        path.moveTo(tip);
        path.lineTo(base + side);
        path.lineTo(base - side);
        path.closeSubpath();
        p.drawPath(path);
    };
    if (a.up) arrow(0, -1);
    if (a.down) arrow(0, 1);
    if (a.left) arrow(-1, 0);
    if (a.right) arrow(1, 0);
    return pm;
}

// Cursor numbers by vertical (-1 up, 0, 1 down) and horizontal (-1 left, 0, 1 right) direction.
int panCursorNumber(int v, int h)
{
    static const int table[3][3] = {
        {8004, 8006, 8005}, // up: none, left, right
        {8000, 8002, 8003}, // none
        {8001, 8008, 8007}, // down
    };
    return table[v + 1][h == 0 ? 0 : h < 0 ? 1 : 2];
}

} // namespace

void TNovaStringGrid::installWheelPanFilter()
{
    if (FPanFilter)
        return;
    FPanFilter = new TWheelPanFilter(this);
    viewport()->installEventFilter(FPanFilter);
    installEventFilter(FPanFilter);
}

// ---- wheel -----------------------------------------------------------------------------------------------

int TNovaStringGrid::WheelScrollLines() const
{
    const int lines = QApplication::wheelScrollLines();
    // A page per notch: the rows that show.
    return lines < 0 ? std::max(1, VisibleRowCount()) : lines;
}

void TNovaStringGrid::wheelEvent(QWheelEvent *e)
{
    const int dy = e->angleDelta().y();
    if (dy == 0) {
        TBaseGrid::wheelEvent(e);
        return;
    }
    const int notches = std::max(1, std::abs(dy) / 120);
    bool consumed = false;
    for (int i = 0; i < notches; ++i)
        consumed = WheelMessage(dy < 0 ? -120 : 120, e->modifiers(), e->position().toPoint()) || consumed;
    if (consumed)
        e->accept();
    else
        TBaseGrid::wheelEvent(e);
}

bool TNovaStringGrid::WheelMessage(int Delta, Qt::KeyboardModifiers Shift, QPoint Pos)
{
    if (wheelpan)
        return true;
    const bool towardsUser = Delta < 0;
    const int lines = WheelScrollLines();
    if ((Shift & Qt::ControlModifier) && IntelliZoom()) {
        Zoom(towardsUser ? lines : -lines);
        AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1))
        return true;
    const int step0 = FMouseActions->WheelIncrement() >= 1 ? FMouseActions->WheelIncrement() : lines;
    const bool scroll = FMouseActions->WheelAction() == waScroll;
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    const TGridRect oldSel = Selection();
    int target = Row();
    if (scroll) {
        if (towardsUser) {
            if (TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + step0, std::max(FixedRows(), RowCount() - VisibleRowCount())));
        } else {
            const int step = std::min(step0, TopRow() - FixedRows());
            if (step > 0 && TopRow() - step >= FixedRows())
                SetTopRow(TopRow() - step);
        }
    } else {
        target = towardsUser ? Row() + step0 : Row() - step0;
    }
    target = std::clamp(target, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters() - 1));
    if (Col() > ColCount() - 1)
        SetCol(ColCount() - 1);
    if (Col() < FixedCols() && FixedCols() < ColCount())
        SetCol(FixedCols());
    int moved = 0;
    if (target >= FixedRows() && target < RowCount()) {
        StartUpdate();
        if (disjunct && !scroll)
            ClearRowSelect();
        const int keepLeft = LeftCol();
        moved = target - Row();
        if (!scroll) {
            SetRow(target);
            if (Row() != target) {
                // A row was refused: half the way, and the view one row back when going up.
                const int half = int(std::nearbyint((target - Row()) / 2.0));
                if (half != 0)
                    SetRow(Row() + half);
                if (!towardsUser && TopRow() > FixedRows())
                    SetTopRow(TopRow() - 1);
            }
        }
        if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll())
            SetLeftCol(keepLeft);
        ResetUpdate();
    }
    (void)moved;
    MouseWheelRowMoved();
    const bool handled = true;
    if (handled && (FMouseActions->WheelIncrement() > 0 || disjunct)) {
        bool eventHandled = false;
        const Qt::KeyboardModifiers mods = disjunct ? QApplication::keyboardModifiers() : Qt::KeyboardModifiers();
        const QPoint at = disjunct ? Pos : QPoint();
        if (towardsUser)
            FireEvent(OnMouseWheelDown, this, mods, at, eventHandled);
        else
            FireEvent(OnMouseWheelUp, this, mods, at, eventHandled);
    }
    const TGridRect sel = Selection();
    if (sel.Left != oldSel.Left || sel.Top != oldSel.Top || sel.Right != oldSel.Right || sel.Bottom != oldSel.Bottom)
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount())
        KeepLastRowAboveSearchFooter();
    return true;
}

void TNovaStringGrid::MouseWheelRowMoved() {}

bool TNovaStringGrid::DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint &MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        FireEvent(OnMouseWheelDown, this, Shift, MousePos, handled);
        return handled;
    }
    const bool direct = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    const bool editing = EditorMode();
    bool res;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) {
        const int keep = LeftCol();
        StartUpdate();
        res = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        SetLeftCol(keep);
        ResetUpdate();
    } else {
        res = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        if (editing && InplaceEditor())
            InplaceEditor()->setFocus();
    }
    FMouseActions->SetDirectEdit(direct);
    return res;
}

bool TNovaStringGrid::DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint &MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        FireEvent(OnMouseWheelUp, this, Shift, MousePos, handled);
        return handled;
    }
    const bool direct = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    const bool editing = EditorMode();
    bool res = true;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) {
        const int keep = LeftCol();
        StartUpdate();
        res = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        SetLeftCol(keep);
        ResetUpdate();
    } else if (Row() >= 0 && Row() < RowCount() && Col() >= 0 && Col() < ColCount()) {
        res = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        if (editing && InplaceEditor())
            InplaceEditor()->setFocus();
    }
    FMouseActions->SetDirectEdit(direct);
    return res;
}

// ---- panning --------------------------------------------------------------------------------------------

void TNovaStringGrid::setPanCursor(int Id)
{
    if (Id == FPanCursorId)
        return;
    FPanCursorId = Id;
    PanArrows a{false, false, false, false};
    switch (Id) {
    case 8001: a.down = true; break;
    case 8002: a.left = true; break;
    case 8003: a.right = true; break;
    case 8004: a.up = true; break;
    case 8005: a.up = a.right = true; break;
    case 8006: a.up = a.left = true; break;
    case 8007: a.down = a.right = true; break;
    case 8008: a.down = a.left = true; break;
    default: a = {true, true, IntelliPan() != ipVertical, IntelliPan() != ipVertical}; break;
    }
    if (IntelliPan() == ipHorizontal && Id == 8000)
        a = {false, false, true, true};
    viewport()->setCursor(QCursor(panPicture(a, false), 16, 16));
}

bool TNovaStringGrid::StartPanning(QPoint Pos)
{
    if (wheelpan || IntelliPan() == ipNone || RowCount() <= FixedRows())
        return false;
    FPrevCursor = viewport()->cursor();
    FPanCursorId = 0;
    setPanCursor(8000);
    wheelpan = true;
    wheelpanpos = Pos;
    if (!FPanTimer) {
        FPanTimer = editorkit::createTimer();
        FPanTimer->onTimeout = [this] { PanStep(viewport()->mapFromGlobal(QCursor::pos())); };
    }
    FPanTimer->setInterval(10);
    FPanTimer->start();
    // The marker: where the button was pressed, arrows for the directions panning takes.
    const TIntelliPan ip = IntelliPan();
    PanArrows a{ip != ipHorizontal, ip != ipHorizontal, ip != ipVertical, ip != ipVertical};
    auto *marker = new QWidget(viewport());
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker->setAttribute(Qt::WA_NoSystemBackground);
    marker->setGeometry(Pos.x(), Pos.y(), 32, 32);
    marker->setObjectName(QStringLiteral("IntelliPanMarker"));
    struct Painter : QObject {
        QPixmap pm;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) {
                QPainter p(static_cast<QWidget *>(o));
                p.drawPixmap(0, 0, pm);
                return true;
            }
            return false;
        }
    };
    auto *painter = new Painter;
    painter->setParent(marker);
    painter->pm = panPicture(a, true);
    marker->installEventFilter(painter);
    marker->show();
    FPanMarker = marker;
    return true;
}

void TNovaStringGrid::EndPanning()
{
    if (!wheelpan)
        return;
    if (FPanTimer)
        FPanTimer->stop();
    viewport()->setCursor(FPrevCursor);
    FPanCursorId = 0;
    wheelpan = false;
    if (FPanMarker) {
        FPanMarker->hide();
        FPanMarker->deleteLater();
        FPanMarker = nullptr;
    }
}

void TNovaStringGrid::PanStep(QPoint Pointer)
{
    if (!wheelpan)
        return;
    const TIntelliPan ip = IntelliPan();
    int v = Pointer.y() < wheelpanpos.y() - 5 ? -1 : Pointer.y() > wheelpanpos.y() + 5 ? 1 : 0;
    if (ip == ipHorizontal)
        v = 0;
    int h = 0;
    if (ip == ipHorizontal || ip == ipBoth)
        h = Pointer.x() > wheelpanpos.x() + 5 ? 1 : Pointer.x() < wheelpanpos.x() - 5 ? -1 : 0;
    const TGridRect oldSel = Selection();
    const int lastRow = RowCount() - FixedFooters() - 1;
    const int lastCol = ColCount() - FixedRightCols() - 1;
    if (Row() < FixedRows() && FixedRows() <= lastRow)
        SetRow(FixedRows());
    else if (Row() > lastRow && lastRow >= FixedRows())
        SetRow(lastRow);
    if (Col() > lastCol && lastCol >= FixedCols())
        SetCol(lastCol);
    else if (Col() < FixedCols() && FixedCols() < ColCount())
        SetCol(FixedCols());
    if (FMouseActions->WheelAction() == waScroll) {
        if (h < 0 && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        if (h > 0 && LeftCol() < ColCount() - VisibleColCount())
            SetLeftCol(LeftCol() + 1);
        if (v < 0 && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        if (v > 0 && TopRow() < RowCount() - VisibleRowCount())
            SetTopRow(TopRow() + 1);
    } else {
        if (h < 0 && Col() > FixedCols())
            SetCol(Col() - 1);
        if (h > 0 && Col() < lastCol)
            SetCol(Col() + 1);
        if (v < 0 && Row() > FixedRows())
            SetRow(Row() - 1);
        if (v > 0 && Row() < lastRow)
            SetRow(Row() + 1);
    }
    setPanCursor(panCursorNumber(v, h));
    if (FPanMarker)
        FPanMarker->update();
    const TGridRect sel = Selection();
    if (sel.Left != oldSel.Left || sel.Top != oldSel.Top || sel.Right != oldSel.Right || sel.Bottom != oldSel.Bottom)
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}
