// The slim scroll bar of the string grid's ssMetro look.
#include "grid/ScrollControl.h"

#include "grid/NovaGrid.h"
#include "platform/Colors.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Rounding to the nearest integer, halves to the even neighbour.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

TScrollControl::TScrollControl(QWidget *AParent, TScrollDirection ADirection) : QWidget(AParent), FDirection(ADirection)
{
    // The grid shows through around the thumb: nothing of the control's own is filled.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setCursor(Qt::ArrowCursor);
    if (AParent)
        AParent->installEventFilter(this);
    Realign();
}

TNovaStringGrid *TScrollControl::grid() const
{
    QWidget *p = parentWidget();
    if (!p)
        return nullptr;
    if (auto *g = dynamic_cast<TNovaStringGrid *>(p))
        return g;
    auto *g = dynamic_cast<TNovaStringGrid *>(p->parentWidget());
    return g && g->viewport() == p ? g : nullptr;
}

void TScrollControl::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TScrollControl::SetDirection(TScrollDirection Value)
{
    FDirection = Value;
    Realign();
    update();
}

void TScrollControl::Realign()
{
    QWidget *p = parentWidget();
    if (!p)
        return;
    const QRect r = p->rect();
    const int thick = 6;
    if (FDirection == sdVertical)
        setGeometry(r.right() + 1 - thick, 0, thick, r.height());
    else
        setGeometry(0, r.bottom() + 1 - thick, r.width(), thick);
}

bool TScrollControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        Realign();
    return QWidget::eventFilter(watched, event);
}

bool TScrollControl::ThumbGeometry(int &Pos, int &Size) const
{
    Pos = Size = 0;
    TNovaStringGrid *g = grid();
    if (!g)
        return false;
    int track = length();
    int start = 0;
    int count, fixed, first, visible;
    if (FDirection == sdVertical) {
        count = g->RowCount();
        fixed = g->FixedRows();
        first = g->TopRow();
        visible = g->VisibleRowCount();
        for (int r = 0; r < fixed; ++r)
            start += g->RowHeights(r);
        int footers = 0;
        for (int r = std::max(fixed, count - g->FixedFooters()); r < count; ++r)
            footers += g->RowHeights(r);
        track -= start + footers;
    } else {
        count = g->ColCount();
        fixed = g->FixedCols();
        first = g->LeftCol();
        visible = g->VisibleColCount();
        for (int c = 0; c < fixed; ++c)
            start += g->ColWidths(c);
        int right = 0;
        for (int c = std::max(fixed, count - g->FixedRightCols()); c < count; ++c)
            right += g->ColWidths(c);
        track -= start + right;
    }
    // Nothing to scroll, or nothing to divide by.
    if (count - fixed <= visible || count - fixed <= 0 || count <= 0 || track <= 0)
        return false;
    const double posFraction = double(first - fixed) / double(count - fixed);
    const double sizeFraction = double(visible) / double(count);
    Pos = start + roundEven(track * posFraction);
    Size = std::max(20, roundEven(track * sizeFraction));
    if (Pos + Size > length())
        Pos = length() - Size;
    return true;
}

void TScrollControl::paintEvent(QPaintEvent *)
{
    int pos, size;
    if (!ThumbGeometry(pos, size))
        return;
    QPainter p(this);
    const QColor c = ToQColor(FColor);
    if (FDirection == sdVertical)
        p.fillRect(QRect(0, pos, FScrollWidth, size), c);
    else
        p.fillRect(QRect(pos, 0, size, FScrollWidth), c);
}

void TScrollControl::mousePressEvent(QMouseEvent *e)
{
    QWidget::mousePressEvent(e);
    e->accept();
    TNovaStringGrid *g = grid();
    int pos, size;
    if (!g || !ThumbGeometry(pos, size))
        return;
    const QPoint pt = e->position().toPoint();
    const int at = FDirection == sdVertical ? pt.y() : pt.x();
    if (FDirection == sdVertical) {
        const int visible = g->VisibleRowCount();
        if (at < pos)
            g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - visible));
        else if (at > pos + size)
            g->SetTopRow(std::min(g->TopRow() + visible, g->RowCount() - visible));
        else {
            FDownOnScroller = true;
            FDownPos = at;
            FDownRow = g->TopRow();
        }
    } else {
        const int visible = g->VisibleColCount();
        if (at < pos)
            g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - visible));
        else if (at > pos + size)
            g->SetLeftCol(std::min(g->LeftCol() + visible, g->ColCount() - visible));
        else {
            FDownOnScroller = true;
            FDownPos = at;
            FDownRow = g->LeftCol();
        }
    }
}

void TScrollControl::mouseMoveEvent(QMouseEvent *e)
{
    QWidget::mouseMoveEvent(e);
    TNovaStringGrid *g = grid();
    if (!FDownOnScroller || !g)
        return;
    const QPoint pt = e->position().toPoint();
    if (FDirection == sdVertical) {
        const int span = height() - g->RowHeights(0);
        if (span <= 0)
            return;
        const int moved = roundEven(double(pt.y() - FDownPos) / span * g->RowCount());
        g->SetTopRow(std::max(g->FixedRows(), std::min(moved + FDownRow, g->RowCount() - g->VisibleRowCount())));
    } else {
        const int span = width() - g->ColWidths(0);
        if (span <= 0)
            return;
        const int moved = roundEven(double(pt.x() - FDownPos) / span * g->ColCount());
        g->SetLeftCol(std::max(g->FixedCols(), std::min(moved + FDownRow, g->ColCount() - g->VisibleColCount())));
    }
}

void TScrollControl::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    FDownOnScroller = false;
}
