// The floating footer's settings and the panel that paints the strip under the cells.
#include "grid/FloatingFooter.h"

#include "grid/NovaGrid.h"
#include "grid/base/MarkupRenderer.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

// ---- settings ------------------------------------------------------------------------------------------

TFloatingFooter::TFloatingFooter(TNovaStringGrid *AOwner) : QObject(AOwner), FGrid(AOwner) {}

void TFloatingFooter::Assign(const TFloatingFooter &Source)
{
    FCalculateHiddenRows = Source.FCalculateHiddenRows;
    FColor = Source.FColor;
    FColumn = Source.FColumn;
    FCustomTemplate = Source.FCustomTemplate;
    FFooterStyle = Source.FFooterStyle;
    SetVisible(Source.FVisible);
    FShowHint = Source.FShowHint;
}

void TFloatingFooter::Invalidate()
{
    if (FGrid)
        FGrid->UpdateFooter();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString &Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    if (FGrid)
        FGrid->FloatingFooterChanged();
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    if (FGrid)
        FGrid->FloatingFooterChanged();
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    if (Value > 0 && FGrid)
        FGrid->FloatingFooterChanged();
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int c) const
{
    const int r = FGrid->RowCount() - 1;
    if (!FGrid->HasCellProperties(c, r))
        return acNONE;
    return FGrid->GetCellProperties(c, r)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int c, TColumnCalcType Value)
{
    const int r = FGrid->RowCount() - 1;
    FGrid->GetCellProperties(c, r)->SetCalcType(Value);
    FGrid->CellValueChanged(c, r);
}

// ---- the panel: layout ------------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TNovaStringGrid *AOwner) : QWidget(AOwner), FGrid(AOwner)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<TFooterPanel::Span> TFooterPanel::layout() const
{
    std::vector<Span> out;
    int x = 0;
    auto add = [&](int c) {
        const int w = FGrid->ColWidths(c) + FGrid->GridLineWidth();
        out.push_back({c, x, w});
        x += w;
    };
    for (int c = 0; c < FGrid->FixedCols() && c < FGrid->ColCount(); ++c)
        add(c);
    for (int c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); c < FGrid->ColCount(); ++c)
        add(c);
    return out;
}

TRect TFooterPanel::mirror(const TRect &R) const
{
    if (!FGrid->UseRightToLeftAlignment())
        return R;
    return {width() - R.Right, R.Top, width() - R.Left, R.Bottom};
}

int TFooterPanel::GetColumnsWidth() const
{
    int w = 0;
    for (const Span &s : layout())
        w += s.width;
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    if (FGrid->UseRightToLeftAlignment())
        X = width() - X;
    for (const Span &s : layout())
        if (X >= s.left && X < s.left + s.width)
            return s.col;
    return -1;
}

TRect TFooterPanel::ColumnRect(int ACol) const
{
    for (const Span &s : layout())
        if (s.col == ACol)
            return mirror({s.left, 0, s.left + s.width, height()});
    return {};
}

QString TFooterPanel::ExpandTemplate(const QString &Template) const
{
    QString out;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = Template.indexOf(QLatin1String("<#"), pos);
        const qsizetype close = open < 0 ? -1 : Template.indexOf(QLatin1Char('>'), open + 2);
        if (open < 0 || close < 0)
            break;
        out += Template.mid(pos, open - pos);
        bool ok = false;
        const int c = Template.mid(open + 2, close - open - 2).trimmed().toInt(&ok);
        // A column the grid does not have gives nothing.
        if (ok && c >= 0 && c < FGrid->AllColCount())
            out += FGrid->Cells(c, FGrid->Row());
        pos = close + 1;
    }
    return out + Template.mid(pos);
}

// ---- the panel: painting ----------------------------------------------------------------------------------

void TFooterPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas K(&p);
    K.Font = FGrid->Font();
    setLayoutDirection(FGrid->layoutDirection());
    const TFloatingFooter &F = *FGrid->FloatingFooter();
    FCanvas = &K;
    int painted = 0;
    switch (F.FooterStyle()) {
    case fsFixedLastRow: painted = PaintColumns(K); break;
    case fsColumnPreview: painted = PaintColumnPreview(K); break;
    case fsCustomPreview: painted = PaintCustomPreview(K); break;
    case fsCustomPaint: painted = PaintCustom(K); break;
    }
    if (F.BorderColor() != clNone) {
        K.Pen.Color = F.BorderColor();
        K.Pen.Width = 1;
        const TRect line = mirror({0, 0, painted, 1});
        K.MoveTo(line.Left, 0);
        K.LineTo(line.Right, 0);
    }
    FCanvas = nullptr;
}

int TFooterPanel::PaintColumns(TCanvas &K)
{
    TNovaStringGrid &g = *FGrid;
    const TFloatingFooter &F = *g.FloatingFooter();
    const int W = GetColumnsWidth();
    const int h = height();
    const int lastRow = g.RowCount() - 1;
    K.Brush.Style = bsSolid;
    K.Brush.Color = F.Color();
    K.FillRect(mirror({0, 0, W, h}));
    K.Brush.Color = g.Color();
    K.FillRect(mirror({W, 0, std::max(W, width()), h}));

    const TGridOptions opt = g.Options();
    const bool vert = opt.Contains(goFixedVertLine);
    const bool horz = opt.Contains(goFixedHorzLine);
    const TGridLook look = g.Look();
    const bool soft = !g.Flat() && (look == glSoft || look == glNova || look == glXP || look == glVista);
    const int top = horz ? 1 : 0;

    for (const Span &s : layout()) {
        const bool fixed = s.col < g.FixedCols();
        const int x0 = s.left, x1 = s.left + s.width;
        if (vert && soft) {
            K.Pen.Color = clWhite;
            const TRect l = mirror({x0, 0, x0 + 1, h});
            K.MoveTo(l.Left, 0);
            K.LineTo(l.Left, h);
        }
        if (horz) {
            K.Pen.Color = g.GridLineColor();
            const TRect t = mirror({x0, 0, x1, 1});
            K.MoveTo(t.Left, 0);
            K.LineTo(t.Right, 0);
        }
        if (vert) {
            K.Pen.Color = fixed || look == glVista ? g.GridLineColor() : clGray;
            const TRect r = mirror({x1 - 1, 0, x1, h});
            K.MoveTo(r.Left, 0);
            K.LineTo(r.Left, h);
        }
        TRect cell{x0 + (soft ? 1 : 0), top, x1 - 1, h};
        if (g.IsMergedCell(s.col, lastRow) && g.IsBaseCell(s.col, lastRow)) {
            const TPoint span = g.CellSpan(s.col, lastRow);
            for (const Span &o : layout())
                if (o.col > s.col && o.col <= s.col + span.X)
                    cell.Right = o.left + o.width - 1;
        }
        cell = mirror(cell);
        const TGridDrawState state{gdFixed};
        if (fixed) {
            g.PaintCellContents(K, s.col, lastRow, cell, state);
            continue;
        }
        const int rcol = g.RealColIndex(s.col) < 0 ? s.col : g.RealColIndex(s.col);
        if (g.OnGetCellColor) {
            TBrush brush;
            brush.Color = clNone;
            TFont font = g.Font();
            g.OnGetCellColor(&g, lastRow, rcol, state, brush, font);
            if (brush.Color != clNone) {
                K.Brush = brush;
                K.FillRect(cell);
            }
        }
        if (g.Colors(rcol, lastRow) != clNone) {
            K.Brush.Style = bsSolid;
            K.Brush.Color = g.Colors(rcol, lastRow);
            K.FillRect(cell);
        }
        if (g.OnFooterPaint)
            g.OnFooterPaint(this, s.col, K, cell);
        else
            g.PaintCellContents(K, s.col, lastRow, cell, state);
    }
    return W;
}

void TFooterPanel::paintButtonFrame(TCanvas &K, int W)
{
    const int h = height();
    K.Brush.Style = bsSolid;
    K.Brush.Color = FGrid->FloatingFooter()->Color();
    K.FillRect(mirror({0, 0, W, h}));
    K.Pen.Width = 1;
    K.Pen.Color = clWhite;
    K.MoveTo(0, h - 1);
    K.LineTo(0, 0);
    K.LineTo(W - 1, 0);
    K.Pen.Color = clGray;
    K.LineTo(W - 1, h - 1);
    K.LineTo(0, h - 1);
    K.Brush.Color = FGrid->Color();
    K.FillRect(mirror({W, 0, std::max(W, width()), h}));
}

int TFooterPanel::PaintColumnPreview(TCanvas &K)
{
    TNovaStringGrid &g = *FGrid;
    const int W = GetColumnsWidth();
    paintButtonFrame(K, W);
    const TRect R = mirror({2, 2, W - 2, height() - 2});
    const int col = g.FloatingFooter()->Column();
    const TColor keep = g.SelectionTextColor();
    g.SetSelectionTextColor(clBlack);
    if (g.OnFooterPaint)
        g.OnFooterPaint(this, col, K, R);
    else
        g.PaintCellContents(K, col, g.Row(), R, TGridDrawState{});
    g.SetSelectionTextColor(keep);
    return W;
}

int TFooterPanel::PaintCustomPreview(TCanvas &K)
{
    TNovaStringGrid &g = *FGrid;
    const int W = GetColumnsWidth();
    paintButtonFrame(K, W);
    const TRect R = mirror({4, 2, W - 2, height()});
    K.Font = g.Font();
    if (g.Designing()) {
        K.Brush.Style = bsClear;
        K.TextOut(R.Left, R.Top, g.FloatingFooter()->CustomTemplate());
        return W;
    }
    TMarkupDrawParams mp;
    mp.imageList = g.GridImages();
    mp.pictureCache = &g.ImageCache();
    mp.linkColor = g.URLColor();
    mp.shadowColor = clGray;
    mp.window = this;
    TMarkupDrawResult res;
    K.Brush.Style = bsClear;
    DrawMarkupText(K, ExpandTemplate(g.FloatingFooter()->CustomTemplate()), R, mp, res);
    return W;
}

int TFooterPanel::PaintCustom(TCanvas &K)
{
    TNovaStringGrid &g = *FGrid;
    if (g.OnFooterPaint)
        g.OnFooterPaint(this, g.FloatingFooter()->Column(), K, {0, 0, width(), height()});
    return width();
}

// ---- the panel: hints and clicks -------------------------------------------------------------------------

QString TFooterPanel::HintAt(int X)
{
    const int col = ColumnAt(X);
    QString hint;
    if (col >= 0 && FGrid->OnGridHint)
        FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, hint);
    FHintCol = FGrid->FloatingFooter()->ShowHint() ? col : -1;
    return hint;
}

bool TFooterPanel::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        auto *he = static_cast<QHelpEvent *>(e);
        const QString hint = HintAt(he->pos().x());
        if (FGrid->FloatingFooter()->ShowHint() && !hint.isEmpty())
            QToolTip::showText(he->globalPos(), hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void TFooterPanel::mouseMoveEvent(QMouseEvent *e)
{
    QWidget::mouseMoveEvent(e);
    if (!FGrid->FloatingFooter()->ShowHint())
        return;
    const int col = ColumnAt(e->position().toPoint().x());
    if (col != FHintCol) {
        QToolTip::hideText();
        FHintCol = col;
    }
}

void TFooterPanel::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    FHintCol = -1;
}

void TFooterPanel::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    const int col = ColumnAt(e->position().toPoint().x());
    FireEvent(FGrid->OnClick, FGrid);
    FireEvent(FGrid->OnClickCell, FGrid, FGrid->RowCount() - 1, col);
}
