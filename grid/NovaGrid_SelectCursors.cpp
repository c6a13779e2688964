// The cursors of the select modes: a press on a fixed cell selects a whole row (an arrow pointing
// right), a whole column (an arrow pointing down), or every cell; the same slanted arrow marks the
// selection's resize handle. They are drawn here rather than read from image files.
#include "grid/NovaGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

// A filled arrow from the centre towards (dx, dy), outlined in white so it shows on dark cells.
QPixmap selectArrow(double dx, double dy)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    const QPointF c(15.5, 15.5);
    const QPointF tip = c + QPointF(dx * 11, dy * 11);
    const QPointF tail = c - QPointF(dx * 10, dy * 10);
    const QPointF base = c + QPointF(dx * 2, dy * 2);
    const QPointF side(-dy, dx);
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(base + side * 7);
    path.lineTo(base + side * 2.5);
    path.lineTo(tail + side * 2.5);
    path.lineTo(tail - side * 2.5);
    path.lineTo(base - side * 2.5);
    path.lineTo(base - side * 7);
    path.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawPath(path);
    return pm;
}

const QCursor &selectCursor(int Id)
{
    static const QCursor row(selectArrow(1, 0), 26, 15);
    static const QCursor column(selectArrow(0, 1), 15, 26);
    static const QCursor all(selectArrow(1, 1), 23, 23);
    return Id == 8010 ? row : Id == 8011 ? column : all;
}

} // namespace

void TNovaStringGrid::claimSelectCursor(TMouseSelectMode Mode)
{
    int id = 0;
    switch (Mode) {
    case msRow: id = 8010; break;
    case msColumn: id = 8011; break;
    case msAll:
    case msResize: id = 8012; break;
    default: break;
    }
    // While a row or column is being sized the platform's sizing cursor stays.
    const bool sizing = GridState() == gsColSizing || GridState() == gsRowSizing || FSizingFixedCol || FSizingFixedRow;
    if (id == 0 || sizing)
        return;
    FSelectCursorId = id;
    claimCursor(selectCursor(id));
}
