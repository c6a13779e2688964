#include "grid/base/BaseGrid.h"

#include "grid/base/VedAzirDraw.h"
#include "grid/base/VedAzirText.h"

#include <QPainter>
#include <algorithm>
#include <climits>

// ---- undo/redo attachment ------------------------------------------------------------------------

TBaseGrid *TGridUndoRedoBase::Grid() const
{
    return static_cast<TBaseGrid *>(m_grid.data());
}

void TGridUndoRedoBase::SetGrid(TBaseGrid *grid)
{
    m_grid = grid;
}

// ---- cell properties ---------------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid *owner, int col, int row)
    : FOwnerGrid(owner), FOwnerCol(col), FOwnerRow(row)
{
    if (owner) {
        FWordWrap = owner->FWordWrap;
        owner->FHasCellProps = true;
    }
}

void TCellProperties::Assign(const TCellProperties &s)
{
    FIsBaseCell = s.FIsBaseCell;
    FCellSpanX = s.FCellSpanX;
    FCellSpanY = s.FCellSpanY;
    FOwnerRow = s.FOwnerRow;
    FOwnerCol = s.FOwnerCol;
    FObject = s.FObject;
    FAlignment = s.FAlignment;
    FBorderColor = s.FBorderColor;
    FBorderWidth = s.FBorderWidth;
    FBrushColor = s.FBrushColor;
    FBrushStyle = s.FBrushStyle;
    FFontColor = s.FFontColor;
    FFontStyle = s.FFontStyle;
    FFontName = s.FFontName;
    FFontSize = s.FFontSize;
    FReadOnly = s.FReadOnly;
    FEditor = s.FEditor;
    FVAlignment = s.FVAlignment;
    FWordWrap = s.FWordWrap;
    FNodeLevel = s.FNodeLevel;
    FControl = s.FControl;
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (FIsBaseCell || FCellSpanX == -1 || FCellSpanY == -1)
        return {c, r};
    return {c - FCellSpanX, r - FCellSpanY};
}

void TCellProperties::RepaintOwner()
{
    if (FOwnerGrid)
        FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetVAlignment(TVAlignment v) { FVAlignment = v; RepaintOwner(); }
void TCellProperties::SetWordWrap(bool v) { FWordWrap = v; RepaintOwner(); }
void TCellProperties::SetBrushColor(TColor v) { FBrushColor = v; RepaintOwner(); }
void TCellProperties::SetBrushColorTo(TColor v) { FBrushColorTo = v; RepaintOwner(); }

// ---- construction ------------------------------------------------------------------------------

TBaseGrid::TBaseGrid(QWidget *parent) : TObjStringGrid(parent)
{
    m_font.Assign(font());
    m_font.Color = clWindowText;
    SetGridLineWidth(1);
    SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    m_destroying = true;
    // Everything the store holds, also scratch rows past the counts, belongs to the grid.
    if (FHasCellProps)
        FreeCellPropertiesRange(0, 0, INT_MAX, INT_MAX);
}

TCellProperties *TBaseGrid::propsAt(int c, int r) const
{
    return static_cast<TCellProperties *>(m_store.Object(c, r));
}

bool TBaseGrid::HasCellProperties(int c, int r) const
{
    return c >= 0 && c < TotalColCount() && r >= 0 && r < RowCount() && m_store.Object(c, r) != nullptr;
}

TCellProperties *TBaseGrid::GetCellProperties(int c, int r)
{
    if (c < 0 || r < 0) {
        // Callers keep to the grid; a stray coordinate gets a throw-away object rather than a leak.
        m_outside = std::make_unique<TCellProperties>(this, c, r);
        return m_outside.get();
    }
    if (TCellProperties *p = propsAt(c, r))
        return p;
    auto *p = new TCellProperties(this, c, r);
    m_store.SetObject(c, r, p);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetDefaultCellProperties(c, r, font, brush, colorTo, mirror, mirrorTo, ha, va, wordWrap, gd);
    p->SetCalcType(acNONE);
    p->SetAlignment(ha);
    p->SetVAlignment(va);
    p->SetWordWrap(wordWrap);
    p->SetFontName(font.Name);
    p->SetFontSize(font.Size);
    p->SetFontStyle(font.Style);
    p->SetFontColor(font.Color);
    p->SetBrushColor(brush.Color);
    p->SetBrushColorTo(colorTo);
    p->SetGradientDirection(gd);
    return p;
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties *value)
{
    if (c < 0 || r < 0) {
        delete value;
        return;
    }
    delete propsAt(c, r);
    m_store.SetObject(c, r, value);
}

TObject *TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties *p = propsAt(c, r);
    return p ? reinterpret_cast<TObject *>(p->CellObject()) : nullptr;
}

void TBaseGrid::SetObjectEx(int c, int r, TObject *value)
{
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty)
        SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetCellObject(reinterpret_cast<quintptr>(value));
    if (empty)
        SetCellEx(c, r, QString());
}

TObject *TBaseGrid::GetGraphicObjectEx(int c, int r) const
{
    const TCellProperties *p = propsAt(c, r);
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject *value)
{
    if (m_destroying)
        return;
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty)
        SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetGraphicObject(value);
    if (empty)
        SetCellEx(c, r, QString());
}

TObject *TBaseGrid::GraphicObjectOf(TObject *props) const
{
    auto *p = dynamic_cast<TCellProperties *>(props);
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::FreeCellProperties(int c, int r)
{
    delete propsAt(c, r);
    m_store.SetObject(c, r, nullptr);
}

void TBaseGrid::FreeSlotObject(TObject *slot)
{
    if (auto *p = dynamic_cast<TCellProperties *>(slot)) {
        TObject *g = p->GraphicObject();
        if (g && qstrcmp(g->ClassName(), "TCellGraphic") == 0)
            delete g;
    }
    delete slot;
}

void TBaseGrid::FreeCellPropertiesRange(int c1, int r1, int c2, int r2)
{
    if (!FHasCellProps)
        return;
    // Only the rows and slots that hold something are visited, however wide the range.
    for (int r = m_store.NextRow(std::max(r1, 0)); r >= 0 && r <= r2; r = r == INT_MAX ? -1 : m_store.NextRow(r + 1)) {
        if (!m_store.RowHasObjects(r))
            continue;
        for (int c = m_store.NextObjectCol(r, std::max(c1, 0)); c >= 0 && c <= c2; c = m_store.NextObjectCol(r, c + 1)) {
            FreeSlotObject(m_store.Object(c, r));
            m_store.SetObject(c, r, nullptr);
        }
    }
}

// ---- cell access ---------------------------------------------------------------------------------

QString TBaseGrid::GetCellEx(int c, int r)
{
    QString text;
    GetCellExInto(c, r, text);
    return text;
}

void TBaseGrid::GetCellExInto(int c, int r, QString &text)
{
    if (HasCellProperties(c, r)) {
        const TPoint b = propsAt(c, r)->GetBaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    m_store.TextInto(c, r, text);
    if (r < FNormalRowCount) {
        GetDisplText(c, r, text);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideText(text);
            GetDisplWideText(c, r, wide);
            text = EncodeWideText(wide);
        }
    }
}

void TBaseGrid::SetCellEx(int c, int r, const QString &value)
{
    if (HasCellProperties(c, r)) {
        const TPoint b = propsAt(c, r)->GetBaseCell(c, r);
        m_store.SetText(b.X, b.Y, value);
        CellTextChanged(b.X, b.Y);
        if (parentWidget())
            RepaintCell(c, r);
    } else {
        SetCell(c, r, value);
    }
    if (FHideLastRow && r == RowCount() - 1)
        LastRowChanged();
}

QString TBaseGrid::GetEditText(int col, int row)
{
    return m_store.Text(col, row);
}

void TBaseGrid::SetEditText(int col, int row, const QString &value)
{
    TObjStringGrid::SetEditText(col, row, value);
}

void TBaseGrid::ResetColumnCells(int c)
{
    for (int r = 0; r < RowCount(); ++r) {
        m_store.SetObject(c, r, nullptr);
        SetCellEx(c, r, QString());
    }
}

void TBaseGrid::ResetRowCells(int r)
{
    for (int c = 0; c < ColCount(); ++c) {
        m_store.SetObject(c, r, nullptr);
        SetCellEx(c, r, QString());
    }
}

void TBaseGrid::ResetCell(int c, int r)
{
    SetCellEx(c, r, QString());
    m_store.SetObject(c, r, nullptr);
}

// ---- merged cells ------------------------------------------------------------------------------

namespace {
// Last index of a span from first, kept at INT_MAX (the loops below count in 64 bits).
long long spanEnd(int first, long long extent)
{
    return std::min<long long>(first + extent - 1, INT_MAX);
}
} // namespace

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    const long long ce = spanEnd(c, spanx), re = spanEnd(r, spany);
    for (long long ii = c; ii <= ce; ++ii)
        for (long long jj = r; jj <= re; ++jj) {
            const int i = int(ii), j = int(jj);
            TCellProperties *p = GetCellProperties(i, j);
            if (i == c && j == r) {
                p->SetIsBaseCell(true);
                p->SetCellSpanX(spanx - 1);
                p->SetCellSpanY(spany - 1);
            } else {
                p->SetIsBaseCell(false);
                p->SetCellSpanX(i - c);
                p->SetCellSpanY(j - r);
            }
        }
    for (long long i = c; i <= ce; ++i)
        for (long long j = r; j <= re; ++j)
            RepaintCell(int(i), int(j));
}

void TBaseGrid::SplitCells(int c, int r)
{
    const TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
    TCellProperties *bp = GetCellProperties(b.X, b.Y);
    const long long ce = spanEnd(b.X, bp->CellSpanX() + 1LL), re = spanEnd(b.Y, bp->CellSpanY() + 1LL);
    for (long long i = b.X; i <= ce; ++i)
        for (long long j = b.Y; j <= re; ++j) {
            TCellProperties *p = GetCellProperties(int(i), int(j));
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
        }
    for (long long i = b.X; i <= ce; ++i)
        for (long long j = b.Y; j <= re; ++j)
            RepaintCell(int(i), int(j));
    --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return {c, r};
    return propsAt(c, r)->GetBaseCell(c, r);
}

bool TBaseGrid::ResolveBaseCell(int c, int r, int &bc, int &br) const
{
    bc = c;
    br = r;
    if (!HasCellProperties(c, r))
        return true;
    const TCellProperties *p = propsAt(c, r);
    if (p->IsBaseCell())
        return true;
    const TPoint b = p->GetBaseCell(c, r);
    bc = b.X;
    br = b.Y;
    return false;
}

bool TBaseGrid::IsBaseCell(int c, int r) const
{
    return !HasCellProperties(c, r) || propsAt(c, r)->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return false;
    const TCellProperties *p = propsAt(c, r);
    return p->CellSpanX() > 0 || p->CellSpanY() > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int c, int r) const
{
    return IsMergedCell(c, r) && !propsAt(c, r)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return false;
    const TPoint b = propsAt(c, r)->GetBaseCell(c, r);
    const TCellProperties *bp = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : nullptr;
    return bp && bp->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return false;
    const TPoint b = propsAt(c, r)->GetBaseCell(c, r);
    const TCellProperties *bp = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : nullptr;
    return bp && bp->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return {0, 0};
    const TCellProperties *p = propsAt(c, r);
    if (p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(c, r);
    const TCellProperties *bp = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : nullptr;
    if (!bp || bp->CellSpanX() < 0 || bp->CellSpanY() < 0)
        return {0, 0};
    return {bp->CellSpanX(), bp->CellSpanY()};
}

TPoint TBaseGrid::CellExt(int c, int r) const
{
    if (!HasCellProperties(c, r))
        return {0, 0};
    const TCellProperties *p = propsAt(c, r);
    if (p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    return {b.X + span.X - c, b.Y + span.Y - r};
}

TGridRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    return {b.X, b.Y, b.X + span.X, b.Y + span.Y};
}

int TBaseGrid::MinRowSpan(int r) const
{
    int best = RowCount();
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        const int s = CellSpan(c, r).Y;
        if (s > 0 && (!found || s < best)) {
            best = s;
            found = true;
        }
    }
    return found ? best : RowCount();
}

int TBaseGrid::MaxRowSpan(int r) const
{
    int best = 0;
    for (int c = 0; c < ColCount(); ++c)
        best = std::max(best, CellSpan(c, r).Y);
    return best;
}

bool TBaseGrid::RowSpanIdentical(int r1, int r2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, r1).Y > 0 && CellSpan(c, r2).Y > 0) {
            if (BaseCell(c, r1).Y != BaseCell(c, r2).Y)
                return false;
            found = true;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int c1, int c2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const TPoint s1 = CellSpan(c1, r);
        const TPoint s2 = CellSpan(c2, r);
        if (s1.X > 0 && s2.X > 0) {
            if (BaseCell(c1, r).X != BaseCell(c2, r).X)
                return false;
            found = true;
        } else if (s1.X != s2.X) {
            return false;
        }
    }
    return found;
}

void TBaseGrid::MoveToBaseCell()
{
    if (!HasCellProperties(Col(), Row()))
        return;
    const TPoint b = propsAt(Col(), Row())->GetBaseCell(Col(), Row());
    if (b.X != Col() || b.Y != Row())
        FocusCell(b.X, b.Y, true);
}

// ---- geometry ----------------------------------------------------------------------------------

TRect TBaseGrid::VirtualCellRect(int c, int r) const
{
    // Only distances to the first scrollable cell in view are summed, so huge grids stay cheap.
    const QRect origin = TStringGrid::CellRect(LeftCol(), TopRow());
    int x, y;
    if (c >= FixedCols())
        x = (origin.isNull() ? ColSpanWidth(0, FixedCols()) : origin.x()) + ColSpanWidth(LeftCol(), c);
    else
        x = ColSpanWidth(0, c);
    if (r >= FixedRows())
        y = (origin.isNull() ? RowSpanHeight(0, FixedRows()) : origin.y()) + RowSpanHeight(TopRow(), r);
    else
        y = RowSpanHeight(0, r);
    return {x, y, x + ColWidths(c), y + RowHeights(r)};
}

TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties *p = HasCellProperties(c, r) ? propsAt(c, r) : nullptr;
    if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties *bp = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : p;
        const int sx = std::max(0, bp->CellSpanX());
        const int sy = std::max(0, bp->CellSpanY());
        TRect a = VirtualCellRect(b.X, b.Y);
        if (a.Width() == 0)
            a.Right = a.Left + 1;
        TRect e = VirtualCellRect(b.X + sx, b.Y + sy);
        if (e.Width() == 0)
            e.Left -= 1;
        return {std::min(a.Left, e.Left), std::min(a.Top, e.Top), std::max(a.Right, e.Right), std::max(a.Bottom, e.Bottom)};
    }
    if (p && p->Control())
        return VirtualCellRect(c, r);
    const QRect q = TStringGrid::CellRect(c, r);
    const int left = q.isNull() ? 0 : q.x();
    const int top = q.isNull() ? 0 : q.y();
    return {left, top, left + ColWidths(c), top + RowHeights(r)};
}

TPoint TBaseGrid::CellSize(int c, int r) const
{
    const TCellProperties *p = HasCellProperties(c, r) ? propsAt(c, r) : nullptr;
    if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties *bp = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : p;
        const TRect a = VirtualCellRect(b.X, b.Y);
        const TRect e = VirtualCellRect(b.X + std::max(0, bp->CellSpanX()), b.Y + std::max(0, bp->CellSpanY()));
        return {std::max(a.Right, e.Right) - std::min(a.Left, e.Left), std::max(a.Bottom, e.Bottom) - std::min(a.Top, e.Top)};
    }
    const TRect v = VirtualCellRect(c, r);
    return {v.Width(), v.Height()};
}

int TBaseGrid::FixedColsWidth() const
{
    int w = 0;
    for (int c = 0; c < FixedCols(); ++c)
        w += ColWidths(c);
    return w;
}

int TBaseGrid::FixedRowsHeight() const
{
    int h = 0;
    for (int r = 0; r < FixedRows(); ++r)
        h += RowHeights(r);
    return h;
}

// ---- properties ----------------------------------------------------------------------------------

void TBaseGrid::SetColor(TColor c)
{
    m_color = c;
    // The area past the last column and row shows the same colour.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(c));
    setPalette(pal);
    InvalidateGrid();
}

void TBaseGrid::SetFont(const TFont &f)
{
    m_font = f;
    QWidget::setFont(f.ToQFont());
    InvalidateGrid();
}

#define CFG_SET_AND_REPAINT_ON_CHANGE(Field, v) \
    if (Field == v)                             \
        return;                                 \
    Field = v;                                  \
    InvalidateGrid();

void TBaseGrid::SetActiveRowShow(bool v) { CFG_SET_AND_REPAINT_ON_CHANGE(FActiveRowShow, v) }
void TBaseGrid::SetActiveRowColor(TColor v) { CFG_SET_AND_REPAINT_ON_CHANGE(FActiveRowColor, v) }
void TBaseGrid::SetActiveRowColorTo(TColor v) { CFG_SET_AND_REPAINT_ON_CHANGE(FActiveRowColorTo, v) }
void TBaseGrid::SetActiveRowMirrorColor(TColor v) { CFG_SET_AND_REPAINT_ON_CHANGE(FActiveRowMirrorColor, v) }
void TBaseGrid::SetActiveRowMirrorColorTo(TColor v) { CFG_SET_AND_REPAINT_ON_CHANGE(FActiveRowMirrorColorTo, v) }
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle v) { CFG_SET_AND_REPAINT_ON_CHANGE(FSelectionStyle, v) }
#undef CFG_SET_AND_REPAINT_ON_CHANGE

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    InvalidateGrid();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    InvalidateGrid();
}

void TBaseGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = v;
    TStringGrid::SetGridLineWidth(0);
    InvalidateGrid();
}

void TBaseGrid::SetDefaultDrawing(bool v)
{
    FDefaultDrawing = v;
    TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetUndoRedo(TGridUndoRedoBase *u)
{
    FUndoRedo = u;
    if (u)
        u->SetGrid(this);
}

void TBaseGrid::ChangeScale(int m, int d)
{
    TObjStringGrid::ChangeScale(m, d);
    if (m == d || d == 0 || m <= 0)
        return;
    TFont f = m_font;
    f.Size = int((qint64(f.Size) * m + d / 2) / d);
    SetFont(f);
}

void TBaseGrid::Notification(QObject *component, bool removed)
{
    if (removed && component && component == FUndoRedo.data())
        FUndoRedo = nullptr;
    TObjStringGrid::Notification(component, removed);
}

// ---- virtual operations ----------------------------------------------------------------------------

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetRowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellTextChanged(int, int) {}
bool TBaseGrid::HasCustomCellBorders() { return false; }
bool TBaseGrid::UsesPlatformStyles() { return false; }
int TBaseGrid::DisplColIndex(int c) { return c; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

void TBaseGrid::GetDisplText(int c, int r, QString &value)
{
    if (OnGetDisplText)
        OnGetDisplText(this, c, r, value);
}

void TBaseGrid::GetDisplWideText(int c, int r, QString &value)
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(this, c, r, value);
}

void TBaseGrid::GetDefaultCellProperties(int, int, TFont &font, TBrush &brush, TColor &colorTo, TColor &mirrorColor,
                                         TColor &mirrorColorTo, TAlignment &halign, TVAlignment &valign, bool &wordWrap,
                                         TCellGradientDirection &gd)
{
    font = m_font;
    brush.Color = m_color;
    colorTo = clNone;
    mirrorColor = clNone;
    mirrorColorTo = clNone;
    halign = taLeftJustify;
    valign = vtaTop;
    wordWrap = FWordWrap;
    gd = GradientVertical;
}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState &, bool, bool, bool, TBrush &, TColor &, TColor &,
                                    TColor &, TFont &, TAlignment &, TVAlignment &, bool &, TCellGradientDirection &)
{
}

void TBaseGrid::PaintCellContents(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState)
{
    TRect t = rect;
    canvas.DrawText(GetCellEx(c, r), t, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

// ---- painting ----------------------------------------------------------------------------------

bool TBaseGrid::gridFocused() const
{
    return hasFocus() || (InplaceEditor() && InplaceEditor()->hasFocus());
}

void TBaseGrid::RepaintCell(int c, int r)
{
    // A hidden or held viewport drops the update anyway: skip the costly cell rectangle.
    if (!viewport() || !viewport()->isVisible() || !viewport()->updatesEnabled())
        return;
    const TRect rc = CellRect(c, r);
    if (!rc.IsEmpty())
        viewport()->update(rc.ToQRect());
}

void TBaseGrid::PaintCell(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state)
{
    PaintGridCell(canvas, c, r, rect, state, true);
}

void TBaseGrid::PaintCellExt(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state)
{
    PaintGridCell(canvas, c, r, rect, state, false);
}

void TBaseGrid::Paint(QPainter &p, const QRect &updateRect)
{
    TPainterCanvas canvas(&p);
    TCanvas *const saved = m_canvas;
    m_canvas = &canvas;
    TObjStringGrid::Paint(p, updateRect);
    m_canvas = saved;
    ++FPaintID;
}

void TBaseGrid::DrawCell(int col, int row, const QRect &rect, TGridDrawState state)
{
    if (!m_canvas)
        return;
    PaintGridCell(*m_canvas, col, row, TRect::FromQRect(rect), state, true);
}

void TBaseGrid::PaintGridCell(TCanvas &K, int c, int r, TRect R, TGridDrawState S, bool ownRect)
{
    // 1. hidden footer row
    if (FHideLastRow && r == RowCount() - 1) {
        K.Brush.Color = m_color;
        K.Brush.Style = bsSolid;
        K.Pen.Color = m_color;
        K.FillRect(R);
        return;
    }
    // 2. a covered cell paints its range's base cell, once per paint pass
    int bc = c, br = r;
    if (!ResolveBaseCell(c, r, bc, br)) {
        TCellProperties *bp = HasCellProperties(bc, br) ? propsAt(bc, br) : nullptr;
        if (bp && bp->PaintID() != FPaintID) {
            bp->SetPaintID(FPaintID);
            PaintCell(K, bc, br, R, S);
        }
        return;
    }
    // 3. fixed test and own rectangle
    if (ownRect) {
        if (IsFixed(c, r)) {
            S.Include(gdFixed);
            S.Exclude(gdSelected);
        }
        R = CellRect(c, r);
    }
    const bool fixed = S.Contains(gdFixed);
    // 4. keep a scrolled cell out of the fixed area
    const int W = c >= FixedCols() ? FixedColsWidth() : 0;
    const int H = r >= FixedRows() ? FixedRowsHeight() : 0;
    const bool clip = (c >= FixedCols() && FixedCols() > 0 && R.Left < W) || (r >= FixedRows() && FixedRows() > 0 && R.Top < H);
    K.SaveState();
    if (clip)
        K.IntersectClipRect({W, H, ClientWidth(), ClientHeight()});
    // 5. visual properties; the preset is the classic look of a plain grid
    K.Pen.Width = 1;
    K.Font = m_font;
    K.Brush.Style = bsSolid;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    if (fixed) {
        K.Brush.Color = clBtnFace;
    } else if (S.Contains(gdSelected) && FShowSel) {
        K.Brush.Color = clHighlight;
        if (FSelectionStyle == ssDefault)
            K.Font.Color = clHighlightText;
    } else {
        const TCellProperties *p = HasCellProperties(c, r) ? propsAt(c, r) : nullptr;
        K.Brush.Color = p && p->BrushColor() != clNone ? p->BrushColor() : m_color;
        if (p && p->BrushColor() != clNone)
            colorTo = p->BrushColorTo();
        if (p && p->FontColor() != clNone)
            K.Font.Color = p->FontColor();
    }
    GetVisualProperties(c, r, S, false, true, true, K.Brush, colorTo, mirror, mirrorTo, K.Font, ha, va, wordWrap, gd);
    K.Pen.Color = K.Brush.Color;
    // 6. hover row
    if (r == FHoverRowIdx && FHoverRow && !(S.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected))
        && !(fixed && !FHoverRowCells.Contains(hcFixed))) {
        K.Brush.Color = FHoverRowColor;
        colorTo = FHoverRowColorTo;
        mirror = clNone;
        mirrorTo = clNone;
        gd = GradientVertical;
    }
    // 7. active row
    if ((FActiveRowShow && r == Row() && (c != Col() || !FShowSel) && c >= FixedCols()) || (!ownRect && S.Contains(gdSelected))) {
        K.Brush.Color = FActiveRowColor;
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
    }
    K.Pen.Color = K.Brush.Color;
    // 8. background
    if (S.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        TRect box = R;
        if (!Options().Contains(goHorzLine))
            box.Bottom += 1;
        if (!Options().Contains(goVertLine))
            box.Right += 1;
        if (UseRightToLeftAlignment()) {
            box.Right += 1;
            box.Bottom += 1;
        }
        const TGridRect sel = Selection();
        int L = sel.Left, Rt = sel.Right;
        if (Rt < L)
            std::swap(L, Rt);
        int side = 0;
        if (L == c && c < Rt)
            side = 1;
        else if (Rt == c && c > L)
            side = 2;
        else if (L < c && c < Rt)
            side = 3;
        struct Box {
            TColor fill, fillTo, mirror, mirrorTo, border, upper, lower, corners;
        };
        static const Box vista{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
        static const Box win7{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
        static const Box office{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
        static const Box inactive{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};
        const Box *b = &inactive;
        if (gridFocused() || Options().Contains(goDrawFocusSelected))
            b = FSelectionStyle == ssVista ? &vista : FSelectionStyle == ssWin7 ? &win7 : &office;
        DrawStyledSelection(K, b->fill, b->fillTo, b->mirror, b->mirrorTo, b->upper, b->lower, b->border, b->corners,
                            m_color, box, side);
    } else if (!(UsesPlatformStyles() && (fixed || S.Contains(gdSelected)))) {
        const TColor from = K.Brush.Color;
        if (mirrorTo != clNone)
            DrawGradientBackground(K, R, from, colorTo, mirror, mirrorTo, true, clNone, false, true);
        else
            DrawGradient(K, from, colorTo, 64, R, gd == GradientHorizontal);
    }
    // 9.-11. grid lines
    int h;
    if (fixed) {
        K.Pen.Color = FGridFixedLineColor;
        K.Pen.Width = 1;
        h = 1;
    } else {
        if (FGridLineWidth > 0)
            K.Pen.Color = FGridLineColor;
        K.Pen.Width = FGridLineWidth;
        h = (FGridLineWidth + 1) / 2;
    }
    const bool drawLines = fixed || FGridLineWidth > 0;
    if (drawLines && !(c == 0 && HasNodes())
        && ((Options().Contains(goHorzLine) && !fixed) || (Options().Contains(goFixedHorzLine) && fixed))) {
        K.MoveTo(R.Left - h + 1, R.Bottom - h);
        K.LineTo(R.Right - h + 1, R.Bottom - h);
    }
    if (drawLines && ((Options().Contains(goVertLine) && !fixed) || (Options().Contains(goFixedVertLine) && fixed))) {
        const int x = UseRightToLeftAlignment() ? R.Right - h + 1 : R.Right - h;
        K.MoveTo(x, R.Bottom - h);
        K.LineTo(x, R.Top - h);
    }
    // 12. contents
    TRect content = fixed ? TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 2}
                          : R.Inflate(-FGridLineWidth, -FGridLineWidth);
    if (ownRect)
        PaintCellContents(K, c, r, content, S);
    // 13.
    K.RestoreState();
    K.Brush.Style = bsSolid;
    K.Pen.Style = psSolid;
}

// ---- selection, scrolling, keys, wheel ---------------------------------------------------------------

bool TBaseGrid::SelectCell(int col, int row)
{
    if (UseRightToLeftAlignment()) {
        const bool ok = TObjStringGrid::SelectCell(col, row);
        InvalidateGrid();
        return ok;
    }
    RepaintCell(Col(), Row());
    const bool ok = TObjStringGrid::SelectCell(col, row);
    RepaintCell(col, row);
    return ok;
}

void TBaseGrid::RepaintMergedFixedColCells()
{
    if (FixedCols() <= 0)
        return;
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRowCells()
{
    if (FixedRows() <= 0)
        return;
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    RepaintMergedFixedColCells();
    RepaintMergedFixedRowCells();
}

void TBaseGrid::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (HasCellProperties(Col(), Row())) {
        const TPoint b = propsAt(Col(), Row())->GetBaseCell(Col(), Row());
        const TCellProperties *P = HasCellProperties(b.X, b.Y) ? propsAt(b.X, b.Y) : propsAt(Col(), Row());
        switch (key) {
        case Qt::Key_Left:
            if (b.X < Col() && Col() > FixedCols() && b.X > 0)
                // A range wider than its base column index would send the column below zero.
                SetCol(std::max(b.X - P->CellSpanX(), FixedCols()));
            break;
        case Qt::Key_Right: {
            const int e = b.X + P->CellSpanX();
            if (e >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && e < ColCount())
                SetCol(e);
            break;
        }
        case Qt::Key_Up:
            if (b.Y < Row() && Row() > FixedRows() && b.Y > 0)
                SetRow(std::max(b.Y - 1, FixedRows()));
            break;
        case Qt::Key_Down: {
            const int e = b.Y + P->CellSpanY();
            if (e >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1)
                SetRow(std::min(e, RowCount() - 1));
            break;
        }
        default:
            break;
        }
    }
    const bool pageDown = key == Qt::Key_PageDown;
    TObjStringGrid::KeyDown(key, shift);
    // A page step that reaches the hidden footer row stops on the row above it (the selection's
    // anchor stays where it was for Shift+PgDn).
    if (pageDown && key != 0)
        keepAboveHiddenLastRow(!(shift & Qt::ShiftModifier));
    MoveToBaseCell();
}

void TBaseGrid::keepAboveHiddenLastRow(bool moveAnchor)
{
    if (FHideLastRow && RowCount() > 1 && Row() == RowCount() - 1 && RowCount() - 2 >= FixedRows())
        FocusCell(Col(), RowCount() - 2, moveAnchor);
}

bool TBaseGrid::DoMouseWheelDown(Qt::KeyboardModifiers shift, const QPoint &mousePos)
{
    const bool res = TObjStringGrid::DoMouseWheelDown(shift, mousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow)
        SetTopRow(TopRow() + 1);
    keepAboveHiddenLastRow(true);
    MoveToBaseCell();
    return res;
}

bool TBaseGrid::DoMouseWheelUp(Qt::KeyboardModifiers shift, const QPoint &mousePos)
{
    const bool res = TObjStringGrid::DoMouseWheelUp(shift, mousePos);
    MoveToBaseCell();
    return res;
}
