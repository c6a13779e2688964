// Painting beyond single cells: the paint entry, the area outside the last column and row, the
// window border of the modern looks, the dotted lines that follow a column or row being sized,
// and the sort indicator in header cells.
#include "grid/NovaGrid.h"

#include "grid/base/EditorKit.h"
#include "grid/base/VedAzirDraw.h"

#include <QPainter>
#include <QRegion>

void TNovaStringGrid::Paint(QPainter &p, const QRect &updateRect)
{
    // Locked: nothing is painted until the lock is released.
    if (FUpdateCount >= 1)
        return;
    if (FPaintCount == 0 && FScrollProportional && !FDesigning) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
    TBaseGrid::Paint(p, updateRect);
    TPainterCanvas K(&p);
    if (EditorMode()) {
        const TRect r = CellRect(RealColIndex(Col()), Row());
        const bool lines = GridLineWidth() >= 1 && (Options().Contains(goHorzLine) || Options().Contains(goVertLine));
        K.Pen.Color = lines ? GridLineColor() : Color();
        K.Brush.Style = bsClear;
        K.Rectangle(r);
    }
    K.Pen.Color = clBlack;
    K.Brush.Style = bsSolid;
    if (!FBackGround->Bitmap().isNull() || FBackGround->ColorTo() != clNone)
        PaintEmptyArea(K);
    paintSizingLines(p);
    FPaintingOn = &p;
    PaintDesignHelper();
    FPaintingOn = nullptr;
    // A grid that is not a tab stop counts its first paint.
    if (!(focusPolicy() & Qt::TabFocus) && FPaintCount == 0) {
        ++FPaintCount;
        UpdateProportionalVScroll();
    }
    FireEvent(OnPainted, this);
}

void TNovaStringGrid::PaintEmptyArea(TCanvas &K)
{
    const bool rowsOverflow = TopRow() + VisibleRowCount() < RowCount();
    const bool colsOverflow = LeftCol() + VisibleColCount() < ColCount();
    if (rowsOverflow && colsOverflow)
        return;
    const TBackGround &bg = *FBackGround;
    const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
    if (gradient && bg.ColorTo() == clNone)
        return;

    TRect client{0, 0, ClientWidth(), ClientHeight()};
    QRegion region;
    const int glw = GridLineWidth();
    if (ColCount() > 0 && RowCount() > 0) {
        const TRect last = VirtualCellRect(ColCount() - 1, TopRow()).Inflate(glw, glw);
        if (last.Right < client.Right && ColCount() - 1 <= LeftCol() + VisibleColCount())
            region += QRect(last.Right, 0, client.Right - last.Right, client.Height());
        const TRect bottom = VirtualCellRect(LeftCol(), RowCount() - 1).Inflate(glw, glw);
        if (bottom.Bottom < client.Bottom && RowCount() - 1 <= TopRow() + VisibleRowCount())
            region += QRect(0, bottom.Bottom, client.Width(), client.Bottom - bottom.Bottom);
    }
    if (FSearchFooter->Visible())
        client.Bottom -= 32;
    if (region.isEmpty())
        return;
    QPainter *p = K.Painter();
    if (p) {
        p->save();
        p->setClipRegion(region, Qt::IntersectClip);
    }
    if (bg.Bitmap().isNull()) {
        if (gradient)
            DrawGradientRect(K, ColorToRGB(bg.Color()), ColorToRGB(bg.ColorTo()), 128, client,
                             bg.Display() == bdGradientHorz);
    } else if (bg.Display() != bdTile) {
        PaintBackgroundFixed(K, client);
    } else if (bg.Cells() != bcFixed) {
        const QImage &bmp = bg.Bitmap();
        int x0 = 0, y0 = 0;
        if (bg.Cells() == bcNormal) {
            x0 = ColSpanWidth(0, FixedCols()) + XYOffset.x();
            y0 = RowSpanHeight(0, FixedRows()) + XYOffset.y();
        }
        for (int y = y0 - ((y0 + bmp.height() - 1) / bmp.height()) * bmp.height(); y < client.Bottom; y += bmp.height())
            for (int x = x0 - ((x0 + bmp.width() - 1) / bmp.width()) * bmp.width(); x < client.Right; x += bmp.width())
                K.Draw(x, y, bmp);
    }
    if (p)
        p->restore();
}

void TNovaStringGrid::PaintWindowBorder()
{
    if (FUpdateCount > 0)
        return;
    const TGridLook look = Look();
    const bool modern = look == glSoft || look == glNova || look == glXP || look == glListView || look == glVista
        || look == glWin7 || look == glOffice2007;
    // The frame of the scroll area is the window border here: one line in BorderColor for the
    // modern looks, the platform's own frame otherwise. Only a change touches the widget.
    int style = QFrame::StyledPanel | QFrame::Sunken;
    if (modern && FBorderStyle == editorkit::bsSingle && BorderColor() != clNone && !Flat())
        style = QFrame::Box | QFrame::Plain;
    else if (FBorderStyle == editorkit::bsNone)
        style = QFrame::NoFrame;
    if (style == (QFrame::Box | QFrame::Plain)) {
        const QColor c = ToQColor(BorderColor());
        if (palette().color(QPalette::WindowText) != c) {
            QPalette pal = palette();
            pal.setColor(QPalette::WindowText, c);
            setPalette(pal);
        }
        if (lineWidth() != 1)
            setLineWidth(1);
    }
    if (frameStyle() != style)
        setFrameStyle(style);
}

void TNovaStringGrid::DrawColSizingLine(int X)
{
    auto it = std::find(FColSizingLines.begin(), FColSizingLines.end(), X);
    if (it != FColSizingLines.end())
        FColSizingLines.erase(it);
    else
        FColSizingLines.push_back(X);
    viewport()->update();
}

void TNovaStringGrid::DrawRowSizingLine(int Y)
{
    auto it = std::find(FRowSizingLines.begin(), FRowSizingLines.end(), Y);
    if (it != FRowSizingLines.end())
        FRowSizingLines.erase(it);
    else
        FRowSizingLines.push_back(Y);
    viewport()->update();
}

void TNovaStringGrid::paintSizingLines(QPainter &p)
{
    if (FColSizingLines.empty() && FRowSizingLines.empty())
        return;
    // Dotted, inverting the pixels under it.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    const int lastBottom = RowCount() > 0 ? VirtualCellRect(0, RowCount() - 1).Bottom : 0;
    const int lastRight = ColCount() > 0 ? VirtualCellRect(ColCount() - 1, 0).Right : 0;
    const int height = std::max(viewport()->height(), lastBottom);
    const int width = std::max(viewport()->width(), lastRight);
    for (int x : FColSizingLines)
        for (int y = 0; y < height; y += 2)
            p.fillRect(QRect(x, y, 1, 1), white);
    for (int y : FRowSizingLines)
        for (int x = 0; x < width; x += 2)
            p.fillRect(QRect(x, y, 1, 1), white);
    p.restore();
}

void TNovaStringGrid::PaintSortIndicator(TCanvas &K, int ACol, int Y, int X)
{
    const TSortSettings &s = *FSortSettings;
    const QImage &up = s.IndexShow() ? s.IndexUpGlyph() : s.UpGlyph();
    const QImage &down = s.IndexShow() ? s.IndexDownGlyph() : s.DownGlyph();
    if (UseRightToLeftAlignment())
        X = ClientWidth() - X - 4 - (up.isNull() || down.isNull() ? 7 : up.width() + 7);
    const TBrush savedBrush = K.Brush;
    const TPen savedPen = K.Pen;
    const TFont savedFont = K.Font;
    if (s.IndexShow()) {
        const int idx = FSortIndexes->FindIndex(ACol);
        if (idx >= 0) {
            const bool descending = (FSortIndexes->Items(idx) & int(0x80000000u)) != 0;
            K.Brush.Color = s.IndexColor();
            K.Pen.Color = clBlack;
            K.Font.Color = clBlack;
            K.Font.Size = 6;
            const QString n = QString::number(idx + 1);
            if (descending) {
                if (up.isNull() || down.isNull())
                    K.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
                else
                    DrawBitmapTransparent(K, down, K.Brush.Color, {X - 7, Y - 7, X - 7 + down.width(), Y - 7 + down.height()});
                K.TextOut(X - 2, Y - 4, n);
            } else {
                if (up.isNull() || down.isNull())
                    K.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
                else
                    DrawBitmapTransparent(K, up, K.Brush.Color, {X - 7, Y - 7, X - 7 + up.width(), Y - 7 + up.height()});
                K.TextOut(X - 2, Y - 2, n);
            }
        }
    } else {
        const bool descending = s.Direction() == sdDescending;
        if (up.isNull() || down.isNull()) {
            K.Pen.Width = 1;
            if (descending) {
                K.Pen.Color = clWhite;
                K.MoveTo(X + 4, Y - 4);
                K.LineTo(X, Y + 4);
                K.Pen.Color = clGray;
                K.LineTo(X - 4, Y - 4);
                K.LineTo(X + 4, Y - 4);
            } else {
                K.Pen.Color = clWhite;
                K.MoveTo(X - 4, Y + 4);
                K.LineTo(X + 4, Y + 4);
                K.LineTo(X, Y - 4);
                K.Pen.Color = clGray;
                K.LineTo(X - 4, Y + 4);
            }
        } else {
            const QImage &g = descending ? down : up;
            DrawBitmapTransparent(K, g, FixedColor(), {X - 4, Y - 4, X - 4 + g.width(), Y - 4 + g.height()});
        }
    }
    K.Brush = savedBrush;
    K.Pen = savedPen;
    K.Pen.Color = clBlack;
    K.Font = savedFont;
}
