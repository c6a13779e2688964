// Row and column structure: inserting, removing, moving and merging rows and columns.
//
// Whole rows move in the cell store, which holds every real column, so hidden columns' cells,
// the cells' objects and the row heights travel with their rows without touching ColCount. Every
// change ends by putting the per-row structures in step (modified and enabled rows, the disjunct
// selections, cell controls, hidden-row indexes), so that nothing points past the end or at a
// row that moved.
#include "grid/NovaGrid.h"

#include "grid/FloatingFooter.h"

#include <QSet>
#include <algorithm>
#include <climits>

namespace {

// Frees a store row's objects and empties its texts.
void emptyStoreRow(TNovaStringGrid &g, int r)
{
    g.FreeCellPropertiesRange(0, r, INT_MAX, r);
    TGridCellStore &s = g.Store();
    for (int c = s.CellsInRow(r) - 1; c >= 0; --c)
        s.SetText(c, r, QString());
}

// Where position p goes when the item at From moves to To and those between shift by one.
int followMove(int p, int From, int To)
{
    if (p == From)
        return To;
    if (From < To && p > From && p <= To)
        return p - 1;
    if (To < From && p >= To && p < From)
        return p + 1;
    return p;
}

// Rebuilds a list of per-row flags (entry i for row i) after a change of rows.
void remapFlagList(std::vector<char> &flags, const std::function<bool(int &)> &Map)
{
    std::vector<char> out;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        int n = int(i);
        if (!Map(n) || n < 0)
            continue;
        if (int(out.size()) <= n)
            out.resize(std::size_t(n) + 1, 0);
        out[std::size_t(n)] = flags[i];
    }
    // Entries past the last flag set carry nothing.
    while (!out.empty() && !out.back())
        out.pop_back();
    flags.swap(out);
}


// A grid item's entries taken out of it, leaving it empty: the caller adds back what stays.
struct TItemSlot {
    QString text;
    TObject *object;
};

std::vector<TItemSlot> takeSlots(TGridItem &item)
{
    const QStringList texts = item.Items();
    std::vector<TItemSlot> taken;
    taken.reserve(std::size_t(texts.size()));
    for (int c = 0; c < int(texts.size()); ++c)
        taken.push_back({texts.at(c), item.Object(c)});
    item.Clear();
    return taken;
}

} // namespace

// ---- per-row structures ---------------------------------------------------------------------------

void TNovaStringGrid::remapRowStructures(const std::function<bool(int &)> &Displ,
                                         const std::function<bool(int &)> &Real, bool Controls, bool HiddenItems)
{
    // Modified rows: a list of display rows.
    {
        std::vector<int> keep;
        for (int v : FModifiedRows->Values())
            if (Displ(v))
                keep.push_back(v);
        FModifiedRows->Clear();
        for (int v : keep)
            FModifiedRows->Insert(FModifiedRows->Count(), v);
    }
    // Enabled rows: one flag per display row (1: disabled), grown on demand.
    {
        std::vector<char> flags(FEnabledRows->Values().begin(), FEnabledRows->Values().end());
        const std::size_t before = flags.size();
        std::vector<char> out;
        for (std::size_t i = 0; i < before; ++i) {
            int n = int(i);
            if (!Displ(n))
                continue;
            if (int(out.size()) <= n)
                out.resize(std::size_t(n) + 1, 0);
            out[std::size_t(n)] = flags[i];
        }
        FEnabledRows->Clear();
        for (char f : out)
            FEnabledRows->Insert(FEnabledRows->Count(), f);
    }
    // Disjunct row selection: real rows when it persists through hiding, else display rows.
    const std::function<bool(int &)> &sel = FMouseActions->RowSelectPersistent() ? Real : Displ;
    remapFlagList(FRowSelect, sel);
    {
        std::vector<int> keep;
        for (int v : FSelectedRows->Values())
            if (sel(v))
                keep.push_back(v);
        FSelectedRows->Clear();
        for (int v : keep)
            FSelectedRows->Insert(FSelectedRows->Count(), v);
    }
    FSelectedCells->Remap([&](TGridCoord &c) { return Displ(c.Y); });
    if (Controls) {
        for (int i = FControlList.Count() - 1; i >= 0; --i) {
            TControlItem *ci = FControlList.GetControl(i);
            int y = ci->Y();
            if (Real(y)) {
                ci->SetY(y);
                continue;
            }
            // Its row is gone: the control leaves the grid with it.
            if (auto *w = qobject_cast<QWidget *>(ci->Control()))
                w->setVisible(false);
            FControlList.RemoveControl(i);
            FNumCellControls = std::max(0, FNumCellControls - 1);
        }
    }
    if (HiddenItems) {
        for (int i = 0; i < FGridItems.Count(); ++i) {
            TGridItem *item = FGridItems.Items(i);
            int idx = item->Idx();
            if (Real(idx) && idx != item->Idx())
                item->SetIdx(idx);
        }
    }
}

void TNovaStringGrid::CellControlsUpdate()
{
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem *ci = FControlList.GetControl(i);
        auto *w = qobject_cast<QWidget *>(ci->Control());
        if (!w || IsHiddenRow(ci->Y()) || IsHiddenColumn(ci->X()))
            continue;
        const TRect rc = CellRect(DisplColIndex(ci->X()), DisplRowIndex(ci->Y()));
        w->setGeometry(rc.Left - 1, rc.Top - 1, rc.Width() + 1, rc.Height() + 1);
    }
}

// ---- inserting rows -------------------------------------------------------------------------------

void TNovaStringGrid::InsertRows(int RowIndex, int RCount)
{
    InsertRows(RowIndex, RCount, true);
}

void TNovaStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RowIndex < 0 || RowIndex > RowCount() || RCount < 1)
        return;
    // The footer row stays last: rows added at the end go in before it.
    if (FloatingFooterShown() && RowIndex == RowCount())
        RowIndex = RowCount() - 1;
    RCount = std::min(RCount, INT_MAX / 2 - RowCount());
    if (RCount < 1)
        return;
    const int lastWidth = ColWidths(ColCount() - 1);
    const int realAt = RealRowIndex(RowIndex);
    InsertRowsCore(RowIndex, RCount);
    auto displ = [RowIndex, RCount](int &r) {
        if (r >= RowIndex)
            r += RCount;
        return true;
    };
    auto real = [realAt, RCount](int &r) {
        if (r >= realAt)
            r += RCount;
        return true;
    };
    remapRowStructures(displ, real, UpdateCellControls, true);
    SetColWidths(ColCount() - 1, lastWidth);
    if (FSelHidden)
        UnHideSelection();
    if (UpdateCellControls && FControlList.Count() > 0)
        CellControlsUpdate();
    if (!Destroying())
        CellsChanged({0, RowIndex, ColCount() - 1, RowIndex + RCount});
    InvalidateGrid();
}

void TNovaStringGrid::AddRow()
{
    const bool footer = FloatingFooterShown();
    const int r = footer ? RowCount() - 1 : RowCount();
    InsertRows(r, 1);
    if (!footer || FFloatingFooter->FooterStyle() == fsFixedLastRow)
        ClearRows(r, 1);
}

// ---- removing rows --------------------------------------------------------------------------------

void TNovaStringGrid::removeDisplayRows(const std::vector<int> &Rows)
{
    if (Rows.empty())
        return;
    if (EditorMode())
        HideEditor();
    const int oldCount = RowCount();
    const int oldRow = Row();
    const int oldTop = TopRow();
    const int lastWidth = ColWidths(ColCount() - 1);
    const int first = Rows.front();
    std::vector<int> realGone;
    realGone.reserve(Rows.size());
    for (int d : Rows)
        realGone.push_back(RealRowIndex(d));

    std::vector<int> heights(static_cast<std::size_t>(oldCount - first));
    for (int r = first; r < oldCount; ++r)
        heights[std::size_t(r - first)] = RowHeights(r);
    for (int d : Rows)
        FreeCellPropertiesRange(0, d, INT_MAX, d);
    // One pass: every kept row moves up to the next free position with its height.
    std::vector<int> newHeights;
    newHeights.reserve(heights.size());
    std::size_t gi = 0;
    int w = first;
    for (int r = first; r < oldCount; ++r) {
        if (gi < Rows.size() && Rows[gi] == r) {
            ++gi;
            continue;
        }
        if (r != w)
            Store().ExchangeRows(r, w);
        newHeights.push_back(heights[std::size_t(r - first)]);
        ++w;
    }
    // The vacated rows and those just past the end hold nothing.
    for (int r = w; r <= oldCount; ++r)
        emptyStoreRow(*this, r);

    auto displ = [&Rows](int &r) {
        const auto it = std::lower_bound(Rows.begin(), Rows.end(), r);
        if (it != Rows.end() && *it == r)
            return false;
        r -= int(it - Rows.begin());
        return true;
    };
    auto real = [&realGone](int &r) {
        const auto it = std::lower_bound(realGone.begin(), realGone.end(), r);
        if (it != realGone.end() && *it == r)
            return false;
        r -= int(it - realGone.begin());
        return true;
    };
    remapRowStructures(displ, real, true, true);

    const int newCount = std::max(1, w);
    {
        const StoreRowMove moving(*this); // the footer row moved up with the others
        SetRowCount(newCount);
    }
    for (int r = first; r < newCount && r - first < int(newHeights.size()); ++r)
        SetRowHeights(r, newHeights[std::size_t(r - first)]);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - int(Rows.size()));
    SetColWidths(ColCount() - 1, lastWidth);
    placeCurrentRowAfterRemoval(oldRow, oldTop);
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    if (!Destroying())
        CellsChanged({0, first, ColCount() - 1, Rows.back()});
    InvalidateGrid();
}

// A move keeps every row: the displayed rows follow Displ, and the cell controls, which live by
// real rows, follow their displayed place; the hidden rows keep theirs.
void TNovaStringGrid::remapMovedRows(const std::function<bool(int &)> &Displ)
{
    auto real = [this, &Displ](int &r) {
        if (IsHiddenRow(r))
            return true;
        int d = DisplRowIndex(r);
        Displ(d);
        r = RealRowIndex(d);
        return true;
    };
    remapRowStructures(Displ, real, true, false);
}

void TNovaStringGrid::placeCurrentRowAfterRemoval(int OldRow, int OldTop)
{
    const int normalEnd = RowCount() - FixedFooters(); // one past the last normal row
    if (OldRow < normalEnd) {
        if (Row() != OldRow)
            SetRow(OldRow);
        SetTopRow(OldTop);
    } else if (FixedRows() < normalEnd) {
        SetRow(normalEnd - 1);
    } else {
        // No normal row is left: no cell shows selected until rows come again.
        HideSelection();
    }
}

void TNovaStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount < 1)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    std::vector<int> rows(static_cast<std::size_t>(RCount));
    for (int i = 0; i < RCount; ++i)
        rows[std::size_t(i)] = RowIndex + i;
    removeDisplayRows(rows);
}

void TNovaStringGrid::RemoveRowsInternal(int RowIndex, int RCount)
{
    RemoveRows(RowIndex, RCount);
}

// Plain removal: the rows below move up, the heights stay with their positions.
void TNovaStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount < 1)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    std::vector<int> heights;
    for (int r = RowIndex; r < RowCount(); ++r)
        heights.push_back(RowHeights(r));
    RemoveRows(RowIndex, RCount);
    for (int r = RowIndex; r < RowCount(); ++r)
        SetRowHeights(r, heights[std::size_t(r - RowIndex)]);
}

void TNovaStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsChecked(CheckBoxColumn, r) == RemoveChecked)
            rows.push_back(r);
    BeginUpdate();
    removeDisplayRows(rows);
    EndUpdate();
}

void TNovaStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int rc = RealColIndex(ACol);
    if (rc < 0)
        return;
    // One pass with a set of the texts seen; the duplicates go together.
    QSet<QString> seen;
    std::vector<int> rows;
    const int end = RowCount() - FixedFooters();
    seen.reserve(std::max(0, end - FixedRows()));
    for (int r = FixedRows(); r < end; ++r) {
        QString t = Cells(rc, r);
        if (!DoCase)
            t = t.toUpper();
        if (seen.contains(t))
            rows.push_back(r);
        else
            seen.insert(t);
    }
    BeginUpdate();
    removeDisplayRows(rows);
    EndUpdate();
}

void TNovaStringGrid::RemoveSelectedRows()
{
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        const TGridRect s = Selection();
        for (int r = std::max(FixedRows(), std::min(s.Top, s.Bottom)); r <= std::max(s.Top, s.Bottom) && r < RowCount(); ++r)
            rows.push_back(r);
    }
    BeginUpdate();
    removeDisplayRows(rows);
    if (FMouseActions->DisjunctRowSelect())
        ClearRowSelect();
    EndUpdate();
}

void TNovaStringGrid::RemoveUnSelectedRows()
{
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
        if (!RowSelect(r))
            rows.push_back(r);
    BeginUpdate();
    removeDisplayRows(rows);
    if (FMouseActions->RowSelectPersistent())
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

// ---- columns --------------------------------------------------------------------------------------

TNovaStringGrid::ColumnLayout TNovaStringGrid::takeColumnLayout() const
{
    ColumnLayout L;
    const int n = AllColCount();
    L.visible.resize(std::size_t(n));
    L.width.resize(std::size_t(n));
    for (int a = 0; a < n; ++a) {
        const bool vis = a >= MaxHiddenCol || FVisibleCol[std::size_t(a)];
        L.visible[std::size_t(a)] = vis;
        L.width[std::size_t(a)] = vis ? ColWidths(DisplColIndexOf(a)) : FAllColWidths[std::size_t(a)];
    }
    return L;
}

void TNovaStringGrid::putColumnLayout(const ColumnLayout &L)
{
    const int n = int(L.visible.size());
    int hidden = 0;
    for (int a = 0; a < MaxHiddenCol; ++a) {
        const bool vis = a >= n || L.visible[std::size_t(a)];
        FVisibleCol[std::size_t(a)] = vis;
        if (!vis) {
            FAllColWidths[std::size_t(a)] = std::int16_t(std::clamp(L.width[std::size_t(a)], 0, 32767));
            ++hidden;
        }
    }
    FNumHidden = hidden;
    updateHiddenColumnTable();
    SetColCount(std::max(1, n - hidden));
    for (int a = 0; a < n; ++a)
        if (L.visible[std::size_t(a)])
            SetColWidths(DisplColIndexOf(a), L.width[std::size_t(a)]);
}

void TNovaStringGrid::InsertCols(int ColIndex, int CCount)
{
    const int all = AllColCount();
    if (ColIndex < 0 || ColIndex > all || CCount < 1)
        return;
    CCount = std::min(CCount, TGridCellStore::MaxCols - 1 - all);
    if (CCount < 1)
        return;
    HideEditor();
    // Columns past the end may hold leftovers: the new ones start empty.
    const int last = Store().LastRow();
    FreeCellPropertiesRange(all, 0, all + CCount - 1, last);
    for (int r = Store().NextRow(0); r >= 0; r = r == INT_MAX ? -1 : Store().NextRow(r + 1))
        for (int c = all; c < all + CCount; ++c)
            Store().SetText(c, r, QString());
    for (int k = 0; k < CCount; ++k)
        Store().MoveCol(all + k, ColIndex + k);
    for (int i = 0; i < FGridItems.Count(); ++i) {
        TGridItem *item = FGridItems.Items(i);
        if (item->Count() <= ColIndex)
            continue;
        const std::vector<TItemSlot> taken = takeSlots(*item);
        for (int c = 0; c < int(taken.size()); ++c) {
            if (c == ColIndex)
                for (int k = 0; k < CCount; ++k)
                    item->Add(QString());
            item->Add(taken[std::size_t(c)].text, taken[std::size_t(c)].object);
        }
    }
    for (int i = 0; i < FControlList.Count(); ++i)
        if (TControlItem *ci = FControlList.GetControl(i); ci->X() >= ColIndex)
            ci->SetX(ci->X() + CCount);
    const int displayAt = ColIndex >= all ? ColCount() : DisplColIndexOf(ColIndex);
    remapFlagList(FColSelect, [displayAt, CCount](int &c) {
        if (c >= displayAt)
            c += CCount;
        return true;
    });
    ColumnLayout L = takeColumnLayout();
    L.visible.insert(L.visible.begin() + ColIndex, std::size_t(CCount), 1);
    L.width.insert(L.width.begin() + ColIndex, std::size_t(CCount), DefaultColWidth());
    putColumnLayout(L);
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
    InvalidateGrid();
}

void TNovaStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int all = AllColCount();
    if (ColIndex < 0 || ColIndex >= all || CCount < 1)
        return;
    // The grid keeps one column.
    CCount = std::min(CCount, all - ColIndex);
    if (CCount >= all)
        CCount = all - 1;
    if (CCount < 1)
        return;
    HideEditor();
    const int end = ColIndex + CCount; // one past the last removed column
    for (int i = FControlList.Count() - 1; i >= 0; --i) {
        TControlItem *ci = FControlList.GetControl(i);
        if (ci->X() >= ColIndex && ci->X() < end) {
            if (auto *w = qobject_cast<QWidget *>(ci->Control()))
                w->setVisible(false);
            FControlList.RemoveControl(i);
            FNumCellControls = std::max(0, FNumCellControls - 1);
        } else if (ci->X() >= end) {
            ci->SetX(ci->X() - CCount);
        }
    }
    FreeCellPropertiesRange(ColIndex, 0, end - 1, Store().LastRow());
    for (int r = Store().NextRow(0); r >= 0; r = r == INT_MAX ? -1 : Store().NextRow(r + 1))
        for (int c = ColIndex; c < end; ++c)
            Store().SetText(c, r, QString());
    for (int k = 0; k < CCount; ++k)
        Store().MoveCol(ColIndex, all - 1);
    for (int i = 0; i < FGridItems.Count(); ++i) {
        TGridItem *item = FGridItems.Items(i);
        if (item->Count() <= ColIndex)
            continue;
        const std::vector<TItemSlot> taken = takeSlots(*item);
        for (int c = 0; c < int(taken.size()); ++c) {
            if (c >= ColIndex && c < end)
                FreeSlotObject(taken[std::size_t(c)].object);
            else
                item->Add(taken[std::size_t(c)].text, taken[std::size_t(c)].object);
        }
    }
    const int dFirst = DisplColIndexOf(ColIndex);
    int dCount = 0;
    for (int a = ColIndex; a < end; ++a)
        if (!IsHiddenColumn(a))
            ++dCount;
    remapFlagList(FColSelect, [dFirst, dCount](int &c) {
        if (c >= dFirst && c < dFirst + dCount)
            return false;
        if (c >= dFirst + dCount)
            c -= dCount;
        return true;
    });
    ColumnLayout L = takeColumnLayout();
    L.visible.erase(L.visible.begin() + ColIndex, L.visible.begin() + end);
    L.width.erase(L.width.begin() + ColIndex, L.width.begin() + end);
    putColumnLayout(L);
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    CellsChanged({ColIndex, 0, ColIndex + CCount, RowCount() - 1});
    InvalidateGrid();
}

void TNovaStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (ColSelect(c))
                RemoveCols(RealColIndex(c), 1);
    } else {
        const TGridRect s = Selection();
        const int l = std::min(s.Left, s.Right);
        const int r = std::max(s.Left, s.Right);
        for (int c = r; c >= l; --c)
            RemoveCols(RealColIndex(c), 1);
    }
    ClearColSelect();
}

void TNovaStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!ColSelect(c))
                RemoveCols(RealColIndex(c), 1);
    } else {
        const TGridRect s = Selection();
        const int l = std::min(s.Left, s.Right);
        const int r = std::max(s.Left, s.Right);
        for (int c = ColCount() - 1; c > r; --c)
            RemoveCols(RealColIndex(c), 1);
        for (int c = l - 1; c >= FixedCols(); --c)
            RemoveCols(RealColIndex(c), 1);
    }
    ClearColSelect();
}

// ---- moving ---------------------------------------------------------------------------------------

void TNovaStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    const int n = RowCount();
    if (FromIndex < 0 || FromIndex >= n || ToIndex < 0 || Count < 1 || FromIndex == ToIndex)
        return;
    Count = std::min(Count, n - FromIndex);
    // ToIndex names a row before the block was taken out.
    if (FromIndex + Count < ToIndex)
        ToIndex -= Count;
    ToIndex = std::min(ToIndex, n - Count);
    if (ToIndex == FromIndex)
        return;
    if (EditorMode())
        HideEditor();
    std::vector<int> heights(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        heights[std::size_t(r)] = RowHeights(r);
    auto displ = [FromIndex, ToIndex, Count](int &p) {
        if (p >= FromIndex && p < FromIndex + Count)
            p = ToIndex + (p - FromIndex);
        else if (ToIndex > FromIndex && p >= FromIndex + Count && p < ToIndex + Count)
            p -= Count;
        else if (ToIndex < FromIndex && p >= ToIndex && p < FromIndex)
            p += Count;
        return true;
    };
    remapMovedRows(displ);
    if (ToIndex > FromIndex) {
        for (int k = 0; k < Count; ++k)
            Store().MoveRow(FromIndex, ToIndex + Count - 1);
        std::rotate(heights.begin() + FromIndex, heights.begin() + FromIndex + Count, heights.begin() + ToIndex + Count);
    } else {
        for (int k = 0; k < Count; ++k)
            Store().MoveRow(FromIndex + Count - 1, ToIndex);
        std::rotate(heights.begin() + ToIndex, heights.begin() + FromIndex, heights.begin() + FromIndex + Count);
    }
    for (int r = std::min(FromIndex, ToIndex); r < n; ++r)
        SetRowHeights(r, heights[std::size_t(r)]);
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    CellsChanged({0, std::min(FromIndex, ToIndex), ColCount() - 1, std::max(FromIndex, ToIndex) + Count - 1});
    InvalidateGrid();
}

void TNovaStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount() || FromIndex == ToIndex)
        return;
    if (EditorMode())
        HideEditor();
    RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TNovaStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() || FromIndex == ToIndex)
        return;
    if (FColumnOrder->IsEmpty())
        SetColumnOrder();
    if (EditorMode())
        HideEditor();
    FGridMoveColumn = true;
    ColumnMoved(FromIndex, ToIndex);
    FGridMoveColumn = false;
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    InvalidateGrid();
}

void TNovaStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() || FromIndex == ToIndex)
        return;
    const int rf = RealColIndex(FromIndex);
    const int rt = RealColIndex(ToIndex);
    const bool hidden = NumHiddenColumns() > 0;
    if (rf < FColumnOrder->Count() && rt < FColumnOrder->Count())
        FColumnOrder->Move(rf, rt);

    // Widths, visibility flags and cells move by real columns, so hidden columns keep theirs.
    ColumnLayout L = takeColumnLayout();
    const char vis = L.visible[std::size_t(rf)];
    const int width = L.width[std::size_t(rf)];
    L.visible.erase(L.visible.begin() + rf);
    L.width.erase(L.width.begin() + rf);
    L.visible.insert(L.visible.begin() + rt, vis);
    L.width.insert(L.width.begin() + rt, width);
    Store().MoveCol(rf, rt);
    putColumnLayout(L);
    ColWidthsChanged();

    for (int i = 0; i < FGridItems.Count(); ++i) {
        TGridItem *item = FGridItems.Items(i);
        if (item->Count() <= std::max(rf, rt))
            continue;
        QStringList texts = item->Items();
        std::vector<TObject *> objs;
        for (int c = 0; c < item->Count(); ++c)
            objs.push_back(item->Object(c));
        texts.move(rf, rt);
        TObject *o = objs[std::size_t(rf)];
        objs.erase(objs.begin() + rf);
        objs.insert(objs.begin() + rt, o);
        item->Clear();
        for (int c = 0; c < int(texts.size()); ++c)
            item->Add(texts.at(c), objs[std::size_t(c)]);
    }
    if (FSortSettings->Column() >= 0)
        FSortSettings->SetColumn(followMove(FSortSettings->Column(), rf, rt));
    if (FSortSettings->IndexShow())
        for (int i = 0; i < FSortIndexes->Count(); ++i)
            FSortIndexes->SetSortColumns(i, followMove(FSortIndexes->GetSortColumns(i), rf, rt));
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem *ci = FControlList.GetControl(i);
        ci->SetX(followMove(ci->X(), rf, rt));
    }
    remapFlagList(FColSelect, [FromIndex, ToIndex](int &c) {
        c = followMove(c, FromIndex, ToIndex);
        return true;
    });
    if (FGridMoveColumn)
        SetCol(followMove(Col(), FromIndex, ToIndex));
    InvalidateGrid();
    if (hidden)
        FireEvent(OnColumnMoved, this, rf, rt);
    else
        FireEvent(OnColumnMoved, this, FromIndex, ToIndex);
    if (auto *other = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid()))
        if (FSyncGrid->MoveColumn() && !FSyncedMove) {
            other->FSyncedMove = true;
            other->MoveColumn(FromIndex, ToIndex);
            other->FSyncedMove = false;
        }
}

void TNovaStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount() || FromIndex == ToIndex)
        return;
    // Cells, objects and heights move with the row.
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    auto displ = [FromIndex, ToIndex](int &p) {
        p = followMove(p, FromIndex, ToIndex);
        return true;
    };
    remapMovedRows(displ);
    if (FControlList.Count() > 0)
        CellControlsUpdate();
    FireEvent(OnRowMoved, this, FromIndex, ToIndex);
    if (auto *other = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid()))
        if (FSyncGrid->MoveRow() && !FSyncedMove) {
            other->FSyncedMove = true;
            other->MoveRow(FromIndex, ToIndex);
            other->FSyncedMove = false;
        }
}

// ---- merging --------------------------------------------------------------------------------------

void TNovaStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int end = RowCount() - 1 - FixedFooters();
    int start = FixedRows();
    auto close = [&](int next) {
        if (next - start > 1)
            MergeCells(ColIndex, start, 1, next - start);
        start = next;
    };
    for (int r = FixedRows() + 1; r <= end; ++r)
        if (!(Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))))
            close(r);
    close(end + 1);
}

void TNovaStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int end = ColCount() - 1 - FixedRightCols();
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= end; ++c) {
        if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1)))
            continue;
        // A run of one is merged too, which leaves that cell as it is.
        if (c - start > 1)
            MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
    if (end + 1 - start > 1)
        MergeCells(start, RowIndex, end + 1 - start, 1);
}

void TNovaStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FixedFooters() - 1) {
        if (IsYMergedCell(ColIndex, r)) {
            const int span = std::max(1, CellSpan(ColIndex, r).Y + 1);
            SplitCells(ColIndex, r);
            r += span;
        } else {
            ++r;
        }
    }
}

void TNovaStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FixedRightCols() - 1) {
        const TPoint span = CellSpan(c, RowIndex);
        if (IsMergedCell(c, RowIndex) && span.X >= 0) {
            SplitCells(c, RowIndex);
            c += span.X + 1;
        } else {
            ++c;
        }
    }
}

void TNovaStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r))
                SplitCells(c, r);
}

void TNovaStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString &Separator)
{
    if (ColIndex1 < 0 || ColIndex2 < 0 || ColIndex1 >= AllColCount() || ColIndex2 >= AllColCount() || ColIndex1 == ColIndex2)
        return;
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, (Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)).trimmed());
    RemoveCols(ColIndex2, 1);
}
