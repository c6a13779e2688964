// The expand/contract glyph of a node row: a small box with a minus sign, plus its vertical
// stroke while the node is contracted, placed by the row's node level.
#include "grid/NovaGrid.h"
#include "grid/CellNode.h"

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
