// The expand/contract glyph of a node row, placed by the row's node level: a small box with a
// minus sign (plus its vertical stroke while the node is contracted), the leaf pictures or the XP
// pictures.
#include "grid/NovaGrid.h"
#include "grid/CellNode.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QRgb kNodeKey = 0xFFFF00FF; // transparent colour of the node pictures (their corners)

// "NSGLEAFOPEN" / "NSGLEAFCLOSE": a 16 x 16 leaf, its vein drawn with the open node's minus or the
// closed node's plus; "XPNODEO" / "XPNODEC": a 9 x 9 rounded box with a soft blue frame and a
// gradient.
QImage makeNodePicture(const QString &name)
{
    const bool leaf = name.startsWith(QLatin1String("NSGLEAF"));
    const bool closed = name.endsWith(QLatin1String("CLOSE")) || name.endsWith(QLatin1Char('C'));
    const int size = leaf ? 16 : 9;
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(kNodeKey);
    QPainter p(&img);
    if (leaf) {
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath path;
        path.moveTo(2, 13);
        path.cubicTo(2, 4, 8, 1, 14, 2);
        path.cubicTo(15, 9, 10, 14, 2, 13);
        p.setPen(QPen(QColor(0x2E, 0x6B, 0x1F), 1));
        p.setBrush(closed ? QColor(0x7C, 0xB3, 0x42) : QColor(0xC5, 0xE1, 0xA5));
        p.drawPath(path);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(0x1B, 0x3D, 0x12));
        p.drawLine(5, 8, 10, 8);
        if (closed)
            p.drawLine(7, 6, 7, 10);
    } else {
        QLinearGradient grad(0, 0, 8, 8);
        grad.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        grad.setColorAt(1, QColor(0xC6, 0xC2, 0xB2));
        p.setPen(QColor(0x7A, 0x98, 0xAF));
        p.setBrush(grad);
        p.drawRect(0, 0, 8, 8);
        p.setPen(QColor(0x21, 0x21, 0x21));
        p.drawLine(2, 4, 6, 4);
        if (closed)
            p.drawLine(4, 2, 4, 6);
    }
    p.end();
    // Round corners, in the transparent colour that the drawing takes from the corner pixel.
    for (const QPoint c : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        img.setPixel(c, kNodeKey);
    return img;
}

} // namespace

const QImage &TNovaStringGrid::NodePicture(const QString &Name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(Name);
    if (it == cache.end())
        it = cache.insert(Name, makeNodePicture(Name));
    return it.value();
}

void TNovaStringGrid::drawNodeGlyph(TCanvas &K, const TCellGraphic &G, const TRect &Cell, int ARow, bool Selected)
{
    const TBrush brush = K.Brush;
    const TPen pen = K.Pen;
    const int ni = FCellNode->NodeIndent();
    const int gx = Cell.Left + GetRowIndent(ARow) - ni / 2 - 4;
    const bool contracted = G.CellBoolean();
    const TNodeType type = FCellNode->NodeType();
    TColor back = FixedCols() == 0 ? Color() : FixedColor();
    if (Selected && !FMouseActions->DisjunctRowSelect())
        back = SelectionColor();
    if (type == cnGlyph && !FCellNode->ExpandGlyph().isNull() && !FCellNode->ContractGlyph().isNull()) {
        const QImage &img = contracted ? FCellNode->ContractGlyph() : FCellNode->ExpandGlyph();
        K.Draw(gx, Cell.Top + (Cell.Height() - img.height()) / 2, img);
        return;
    }
    if (type == cnLeaf || type == cnXP) {
        const QImage &img = NodePicture(type == cnLeaf ? (contracted ? QStringLiteral("NSGLEAFCLOSE") : QStringLiteral("NSGLEAFOPEN"))
                                                       : (contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO")));
        const int span = type == cnLeaf ? 12 : 10;
        const int x = type == cnLeaf ? gx : gx + 4;
        const int y = Cell.Top + (Cell.Height() - span) / 2;
        DrawBitmapTransparent(K, img, back, {x, y, x + img.width(), y + img.height()});
        return;
    }
    if (type == cn3D) {
        K.Brush.Style = bsSolid;
        K.Brush.Color = FCellNode->Color();
        K.FillRect({gx, Cell.Top, Cell.Right, Cell.Bottom});
        K.Pen.Color = clWhite;
        K.Polyline({{gx, Cell.Bottom - 1}, {gx, Cell.Top}, {Cell.Right - 1, Cell.Top}});
        K.Pen.Color = clGray;
        K.Polyline({{Cell.Right - 1, Cell.Top}, {Cell.Right - 1, Cell.Bottom - 1}, {gx, Cell.Bottom - 1}});
    }
    // A 9 x 9 box: flat in the node colours, the other kinds framed in the tree colour.
    const int bx = gx + 4;
    const int by = Cell.Top + (Cell.Height() - 9) / 2;
    K.Pen.Style = psSolid;
    K.Pen.Width = 1;
    K.Pen.Color = type == cnFlat ? FCellNode->NodeColor() : FCellNode->TreeColor();
    K.Brush.Style = bsSolid;
    K.Brush.Color = type == cnFlat ? FCellNode->Color() : (type == cn3D ? FCellNode->Color() : back);
    K.Rectangle({bx, by, bx + 9, by + 9});
    K.Pen.Color = FCellNode->NodeColor();
    K.MoveTo(bx + 2, by + 4);
    K.LineTo(bx + 7, by + 4);
    if (contracted) {
        K.MoveTo(bx + 4, by + 2);
        K.LineTo(bx + 4, by + 7);
    }
    K.Brush = brush;
    K.Pen = pen;
}
