// Row nodes and group summary rows: a node row carries a node graphic in column 0 that covers a
// span of rows (itself and the rows below it); contracting hides the children through the
// hidden-row store, expanding brings them back. Every covered row's column-0 properties count
// the nodes over it (its node level).
#include "grid/NovaGrid.h"

#include <QScrollBar>
#include <QStyle>


bool TNovaStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TNovaStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

int TNovaStringGrid::GetRowIndent(int ARow)
{
    if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow))
        return 0;
    return GetCellProperties(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

int TNovaStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    const int next = ARow + 1;
    if (ARow < RowCount() - FixedFooters() - 1 && HasCellProperties(0, next)) {
        const int level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
        if (GetCellProperties(0, next)->NodeLevel() >= level)
            return 2;
    }
    return 1;
}

// ---- adding and removing nodes ------------------------------------------------------------------

void TNovaStringGrid::AddNode(int ARow, int Span)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    // A node covers at least its own row and never rows that do not exist.
    if (r < 0 || r >= RowCount() || Span < 1)
        return;
    Span = std::min(Span, RowCount() - r);
    TCellGraphic *g = CreateCellGraphic(0, r);
    g->SetCellType(ctNode);
    g->SetCellBoolean(false);
    g->SetCellIndex(Span);
    g->SetCellErrFrom(0);
    g->SetCellAngle(r);
    g->SetCellVar(-1);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaCenter);
    for (int i = r; i < r + Span; ++i) {
        TCellProperties *p = GetCellProperties(0, i);
        p->SetNodeLevel(p->NodeLevel() + 1);
    }
    if (FNodeCount == 0)
        RepaintCol(0);
    ++FNodeCount;
    // Column 0 holds the glyphs: it is no place for the current cell.
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

// Properties that carry nothing but a node level of 0, as the grid made them: they only existed
// for the outline.
bool TNovaStringGrid::bareNodeProperties(int r)
{
    if (!HasCellProperties(0, r))
        return false;
    const TCellProperties &p = *GetCellProperties(0, r);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool wordWrap = WordWrap();
    TCellGradientDirection gd = GradientVertical;
    GetDefaultCellProperties(0, r, font, brush, colorTo, mirror, mirrorTo, ha, va, wordWrap, gd);
    return p.NodeLevel() == 0 && !p.GraphicObject() && p.BrushColor() == brush.Color && p.BrushColorTo() == colorTo
        && p.FontColor() == font.Color && p.FontSize() == font.Size && p.FontName() == font.Name
        && p.FontStyle() == font.Style && p.CellSpanX() == -1 && p.CellSpanY() == -1 && p.IsBaseCell()
        && p.Alignment() == ha && p.VAlignment() == va && p.WordWrap() == wordWrap && !p.ReadOnly()
        && p.Editor() == edNormal && !p.Control() && p.CalcType() == acNONE && !p.CalcObject() && p.CellObject() == 0
        && p.BorderWidth() == 0 && p.BorderColor() == 0 && p.BrushStyle() == bsSolid && p.GradientDirection() == gd;
}

void TNovaStringGrid::lowerNodeLevels(int r, int span)
{
    for (int i = r; i < std::min(r + span, RowCount()); ++i) {
        if (!HasCellProperties(0, i))
            continue;
        TCellProperties *p = GetCellProperties(0, i);
        p->SetNodeLevel(std::max(0, p->NodeLevel() - 1));
        if (i != r && bareNodeProperties(i))
            FreeCellProperties(0, i);
    }
}

// Expands the node of a displayed row and takes it out, its span's levels lowered.
void TNovaStringGrid::takeNode(int r)
{
    ExpandNode(RealRowIndex(r));
    const int span = std::max(1, GetNodeSpan(r));
    RemoveCellGraphic(0, r);
    lowerNodeLevels(r, span);
    if (bareNodeProperties(r))
        FreeCellProperties(0, r);
    FNodeCount = std::max(0, FNodeCount - 1);
}

void TNovaStringGrid::RemoveNode(int ARow)
{
    if (IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    if (!IsNode(r))
        return;
    takeNode(r);
    InvalidateGrid();
}

void TNovaStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!IsNode(r))
            continue;
        takeNode(r);
    }
    InvalidateGrid();
}

void TNovaStringGrid::MarkSummaryRow(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    if (r < 0 || r >= RowCount())
        return;
    CreateCellGraphic(0, r)->SetCellType(ctSummary);
}

// ---- queries --------------------------------------------------------------------------------------

TCellGraphic *TNovaStringGrid::nodeGraphic(int ARow)
{
    return IsNode(ARow) ? GetCellGraphic(0, ARow) : nullptr;
}

bool TNovaStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic *g = nodeGraphic(ARow);
    return g && g->CellBoolean();
}

void TNovaStringGrid::SetNodeState(int ARow, bool Value)
{
    if (!IsNode(ARow) || GetNodeState(ARow) == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

int TNovaStringGrid::GetNodeLevel(int ARow)
{
    return IsNode(ARow) && HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : -1;
}

int TNovaStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic *g = nodeGraphic(ARow);
    return g ? g->CellIndex() : -1;
}

void TNovaStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic *g = nodeGraphic(ARow))
        g->SetCellIndex(Span);
}

void TNovaStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic *g = nodeGraphic(ARow))
        g->SetCellIndex(g->CellIndex() + Delta);
}

int TNovaStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic *g = nodeGraphic(ARow);
    return g ? g->CellErrFrom() : 0;
}

void TNovaStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic *g = nodeGraphic(ARow))
        g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

int TNovaStringGrid::GetParentRow(int ARow)
{
    if (!HasNodes() || ARow < 0)
        return -1;
    int limit = 65535;
    int fallback = -1;
    if (IsNode(ARow)) {
        limit = GetNodeLevel(ARow);
        fallback = ARow;
    }
    int hidden = 0;
    for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        if (!IsNode(r) || GetNodeLevel(r) >= limit)
            continue;
        const int span = GetNodeSpan(r);
        if (GetNodeState(r))
            hidden += span - 1;
        if (ARow < r + span - hidden)
            return r;
    }
    return fallback;
}

// ---- expanding and contracting --------------------------------------------------------------------

void TNovaStringGrid::ExpandNode(int ARow)
{
    if (ARow < 0)
        return;
    if (FCellNode->ExpandOne())
        for (int d = FixedRows(); d < RowCount(); ++d)
            if (IsNode(d) && !GetNodeState(d) && RealRowIndex(d) != ARow)
                ContractNode(RealRowIndex(d));
    if (IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    if (!IsNode(r) || !GetNodeState(r))
        return;
    TCellGraphic *g = nodeGraphic(r);
    g->SetCellBoolean(false);
    const int span = g->CellIndex();
    int e = r + 1;
    if (span == 0) {
        e = RowCount();
        for (int d = r + 1; d < RowCount(); ++d)
            if (IsNode(d)) {
                e = d;
                break;
            }
    }
    // Only the node's own rows come back: rows hidden otherwise before the next shown row stay.
    int last = e < RowCount() ? RealRowIndex(e) - 1 : TotalRowCount() - 1;
    if (span > 0)
        last = std::min(last, ARow + span - 1);
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelectDirect(false);
    const bool rowSelect = Options().Contains(goRowSelect);
    const int oldRow = Row(), oldTop = TopRow();
    const bool locked = FNumCellControls == 0;
    if (locked)
        BeginUpdate();
    if (rowSelect)
        SetOptions(Options().Exclude(goRowSelect));
    if (ARow + 1 <= last)
        UnHideRows(ARow + 1, last);
    if (rowSelect) {
        SetOptions(Options().Include(goRowSelect));
        if (oldRow < RowCount())
            SetRow(oldRow);
        SetTopRow(std::min(oldTop, std::max(FixedRows(), RowCount() - 1)));
    }
    if (locked)
        EndUpdate();
    FMouseActions->SetDisjunctRowSelectDirect(disjunct);
    CellControlsUpdate();
    CalcFooter(-1);
    InvalidateGrid();
}

void TNovaStringGrid::ContractNode(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    HideInplaceEdit();
    FForceSel = true;
    const int r = DisplRowIndex(ARow);
    if (!IsNode(r) || GetNodeState(r)) {
        FForceSel = false;
        return;
    }
    TCellGraphic *g = nodeGraphic(r);
    if (!g) {
        FForceSel = false;
        return;
    }
    g->SetCellBoolean(true);
    const int span = g->CellIndex();
    int e = RowCount();
    if (span > 0) {
        e = std::min(r + span, RowCount());
    } else {
        for (int d = r + 1; d < RowCount(); ++d)
            if (IsNode(d)) {
                e = d;
                break;
            }
    }
    const int s = r + 1;
    int i = s;
    while (i < e) {
        if (IsNode(i) && GetNodeState(i)) {
            // Its children are hidden already; they come back with the parent.
            const int subSpan = std::max(1, GetNodeSpan(i));
            if (TCellGraphic *sub = nodeGraphic(i))
                sub->SetCellBoolean(false);
            if (i + 1 < RowCount())
                if (QWidget *w = GetCellProperties(1, i + 1)->Control())
                    w->setVisible(false);
            HideRows(RealRowIndex(s), RealRowIndex(i));
            e -= subSpan + (i - s);
            i = s;
            continue;
        }
        ++i;
    }
    if (i > s)
        HideRows(RealRowIndex(s), RealRowIndex(i - 1));
    FForceSel = false;
    CalcFooter(-1);
    InvalidateGrid();
}

void TNovaStringGrid::ExpandAll()
{
    BeginUpdate();
    for (int i = FixedRows(); i < TotalRowCount(); ++i) {
        if (IsHiddenRow(i))
            continue;
        const int d = DisplRowIndex(i);
        if (IsNode(d)) {
            ExpandNode(i);
            if (TCellGraphic *g = nodeGraphic(DisplRowIndex(i)))
                g->SetCellBoolean(false);
        }
    }
    CalcFooter(-1);
    EndUpdate();
}

void TNovaStringGrid::ContractAll()
{
    BeginUpdate();
    struct Unlock {
        TNovaStringGrid *g;
        ~Unlock() { g->EndUpdate(); }
    } unlock{this};
    ExpandAll();
    // Children go into the hidden-row store as node rows, not as a filter level, so that
    // expanding brings them back and filters stay apart; bottom-up keeps the indexes valid.
    std::vector<std::pair<int, int>> ranges;
    int d = FixedRows();
    while (d < RowCount()) {
        if (!IsNode(d)) {
            ++d;
            continue;
        }
        const int span = std::max(1, GetNodeSpan(d));
        if (TCellGraphic *g = nodeGraphic(d))
            g->SetCellBoolean(true);
        const int last = std::min(d + span, RowCount()) - 1;
        if (last > d)
            ranges.emplace_back(RealRowIndex(d + 1), RealRowIndex(last));
        d += span;
    }
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
        HideRows(it->first, it->second);
    CellControlsUpdate();
    CalcFooter(-1);
}

// ---- child rows ---------------------------------------------------------------------------------------

void TNovaStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    if (r < 0 || r >= RowCount())
        return;
    const int p = GetParentRow(r);
    int level = 1;
    if (p >= 0) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(RealRowIndex(p));
        level = GetNodeLevel(p);
        // Every ancestor of a shallower level grows with it.
        int l = level;
        int cur = p;
        while (l > 1 && cur >= FixedRows()) {
            const int a = GetParentRow(cur);
            if (a < 0 || a == cur)
                break;
            if (GetNodeLevel(a) < l) {
                UpdateNodeSpan(a, 1);
                UpdateSubNodeCount(a, 1);
                ExpandNode(RealRowIndex(a));
                l = GetNodeLevel(a);
            }
            cur = a;
        }
    }
    const int nr = DisplRowIndex(ARow); // expanding above may have moved it
    int at = nr + InsertAt;
    const bool moveNodeRow = IsNode(nr) && InsertAt == 0;
    if (moveNodeRow)
        at = nr + 1;
    InsertRows(at, 1, true);
    if (moveNodeRow) {
        for (int c = 0; c < AllColCount(); ++c) {
            SetAllCells(c, RealRowIndex(at), AllCells(c, RealRowIndex(nr)));
            SetAllCells(c, RealRowIndex(nr), QString());
            if (c > 0) {
                SetAllObjects(c, RealRowIndex(at), AllObjects(c, RealRowIndex(nr)));
                SetAllObjects(c, RealRowIndex(nr), nullptr);
            }
        }
    }
    if (p >= 0)
        GetCellProperties(0, at)->SetNodeLevel(level);
}

void TNovaStringGrid::RemoveChildRow(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int r = DisplRowIndex(ARow);
    if (r < 0 || r >= RowCount())
        return;
    int p = GetParentRow(r);
    if (p >= 0 && p != r) {
        const int level = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            ExpandNode(RealRowIndex(p));
            if (GetNodeLevel(p) <= 1)
                break;
            const int a = GetParentRow(p);
            if (a < 0 || a == p || GetNodeLevel(a) >= level)
                break;
            p = a;
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
        }
    }
    RemoveRowsInternal(DisplRowIndex(ARow), 1);
    FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

void TNovaStringGrid::InsertNormalRow(int ARow)
{
    // Inserting keeps the stored indexes of the hidden rows below in step.
    const int r = ARow < TotalRowCount() ? DisplRowIndex(ARow) : RowCount();
    InsertRows(r, 1, true);
}

void TNovaStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
    FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

// ---- the glyph under the mouse ---------------------------------------------------------------------

bool TNovaStringGrid::IsNodeGlyphHit(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick())
        return true;
    const int v = GetNodeLevel(ARow);
    const int i = FCellNode->NodeIndent();
    int w = 4, o = 4;
    switch (FCellNode->NodeType()) {
    case cnFlat: w = 4; o = 4; break;
    case cn3D: w = 6; o = 0; break;
    case cnGlyph:
        w = FCellNode->ExpandGlyph().isNull() ? 0 : FCellNode->ExpandGlyph().width() / 2;
        o = FCellNode->ExpandGlyph().isNull() ? 0 : 2;
        break;
    case cnLeaf: w = 8; o = 2; break;
    case cnXP: w = 4; o = 4; break;
    }
    if (UseRightToLeftAlignment()) {
        const bool scrolled = VisibleRowCount() < RowCount() - FixedRows();
        const int d = scrolled ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        const int W = width();
        return !(X + d < W - v * i - w - 2 || X + d >= W - (v - 1) * i);
    }
    return o + (v - 1) * i < X && X < w + v * i;
}
