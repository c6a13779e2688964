// Hidden columns and rows, and the mapping between real and displayed indexes.
//
// A hidden column keeps its cells where they are (the store holds every real column); only its
// width is put aside. A hidden row leaves the grid: its cells, their objects and its height move
// into a hidden-row item and the rows below move up. Rows move in one pass over the grid however
// many of them are hidden or shown at once, and the mappings answer from tables kept by the
// hidden-row store, so that no query walks over the hidden rows.
#include "grid/NovaGrid.h"

#include <algorithm>
#include <climits>

// ---- columns ---------------------------------------------------------------------------------------

void TNovaStringGrid::updateHiddenColumnTable()
{
    int n = 0;
    for (int a = 0; a <= MaxHiddenCol; ++a) {
        FHiddenBefore[std::size_t(a)] = std::int16_t(n);
        if (a < MaxHiddenCol && !FVisibleCol[std::size_t(a)])
            ++n;
    }
}

bool TNovaStringGrid::IsHiddenColumn(int ColIndex) const
{
    return ColIndex >= 0 && ColIndex < MaxHiddenCol && !FVisibleCol[std::size_t(ColIndex)];
}

int TNovaStringGrid::DisplColIndexOf(int ACol) const
{
    if (ACol < 0 || ACol >= MaxHiddenCol || FNumHidden == 0)
        return ACol;
    return ACol - FHiddenBefore[std::size_t(ACol)];
}

int TNovaStringGrid::DisplColIndex(int ACol)
{
    return DisplColIndexOf(ACol);
}

int TNovaStringGrid::RealColIndex(int ACol) const
{
    if (ACol < 0)
        return -1;
    if (ACol >= MaxHiddenCol || FNumHidden == 0)
        return ACol;
    // j - hidden-before(j) never decreases: the first j reaching ACol, then past hidden columns.
    int lo = 0, hi = MaxHiddenCol;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (mid - FHiddenBefore[std::size_t(mid)] < ACol)
            lo = mid + 1;
        else
            hi = mid;
    }
    int j = lo;
    while (j < MaxHiddenCol && !FVisibleCol[std::size_t(j)])
        ++j;
    if (j >= MaxHiddenCol || j - FHiddenBefore[std::size_t(j)] != ACol)
        return -1; // no displayed column of that index among the columns that can be hidden
    return j;
}

int TNovaStringGrid::TotalColCount() const
{
    return ColCount() + FNumHidden;
}

void TNovaStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideEditor();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHiddenCol; ++c) {
        if (!FVisibleCol[std::size_t(c)] || c >= ColCount() + FNumHidden || ColCount() < 2)
            continue;
        const int d = DisplColIndexOf(c);
        FAllColWidths[std::size_t(c)] = std::int16_t(std::clamp(ColWidths(d), 0, 32767));
        for (int i = d; i <= ColCount() - 2; ++i)
            SetColWidths(i, ColWidths(i + 1));
        ++FNumHidden;
        FVisibleCol[std::size_t(c)] = false;
        updateHiddenColumnTable();
        if (Col() == ColCount() - 1)
            SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    InvalidateGrid();
}

void TNovaStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideEditor();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHiddenCol; ++c) {
        if (FVisibleCol[std::size_t(c)])
            continue;
        --FNumHidden;
        FVisibleCol[std::size_t(c)] = true;
        updateHiddenColumnTable();
        SetColCount(ColCount() + 1);
        const int d = DisplColIndexOf(c);
        for (int i = ColCount() - 1; i > d; --i)
            SetColWidths(i, ColWidths(i - 1));
        SetColWidths(d, FAllColWidths[std::size_t(c)]);
    }
    InvalidateGrid();
}

void TNovaStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + NumHiddenColumns());
}

// ---- moving rows -----------------------------------------------------------------------------------

namespace {

// Frees the property objects of a store row and empties its texts.
void clearStoreRow(TNovaStringGrid &g, int r)
{
    g.FreeCellPropertiesRange(0, r, INT_MAX, r);
    TGridCellStore &s = g.Store();
    for (int c = s.CellsInRow(r) - 1; c >= 0; --c)
        s.SetText(c, r, QString());
}

} // namespace

void TNovaStringGrid::rowToItem(int displayRow, TGridItem &item)
{
    // The row moves whole, still packed; its objects now belong to the item (nothing is freed).
    item.SetHeight(RowHeights(displayRow));
    item.SetPackedRow(Store().TakeRow(displayRow), AllColCount());
}

void TNovaStringGrid::itemToRow(TGridItem &item, int displayRow)
{
    TGridCellStore &s = Store();
    if (item.IsPacked()) {
        s.PutRow(displayRow, item.TakePackedRow());
        return;
    }
    for (int c = 0; c < item.Count(); ++c) {
        s.SetText(c, displayRow, item.Text(c));
        s.SetObject(c, displayRow, item.Object(c));
    }
}

void TNovaStringGrid::freeItemObjects(TGridItem &item)
{
    for (int c = 0; c < item.Count(); ++c) {
        if (TObject *o = item.Object(c)) {
            FreeSlotObject(o);
            item.SetObject(c, nullptr);
        }
    }
}

// Removes display rows [ARow, ARow + ACount): their cells are freed, the rows below move up with
// their heights.
void TNovaStringGrid::RemoveRowsCore(int ARow, int ACount)
{
    const int old = RowCount();
    if (ARow < 0 || ACount <= 0 || ARow >= old)
        return;
    ACount = std::min(ACount, old - ARow);
    for (int r = ARow; r < ARow + ACount; ++r)
        clearStoreRow(*this, r);
    std::vector<int> heights(static_cast<std::size_t>(old - ARow));
    for (int r = ARow; r < old; ++r)
        heights[std::size_t(r - ARow)] = RowHeights(r);
    for (int r = ARow + ACount; r < old; ++r)
        Store().ExchangeRows(r, r - ACount);
    const StoreRowMove moving(*this);
    SetRowCount(old - ACount);
    for (int r = ARow; r < RowCount(); ++r)
        SetRowHeights(r, heights[std::size_t(r + ACount - ARow)]);
    // Disjunct selection flags of display rows leave with their rows.
    if (FMouseActions->DisjunctRowSelect() && !FMouseActions->RowSelectPersistent()) {
        if (int(FRowSelect.size()) > ARow)
            FRowSelect.erase(FRowSelect.begin() + ARow,
                             FRowSelect.begin() + std::min<int>(int(FRowSelect.size()), ARow + ACount));
        std::vector<int> keep;
        for (int v : FSelectedRows->Values())
            if (v < ARow || v >= ARow + ACount)
                keep.push_back(v < ARow ? v : v - ACount);
        FSelectedRows->Clear();
        for (int v : keep)
            FSelectedRows->Add(v);
    }
}

// Inserts ACount empty display rows at ARow; the rows from ARow move down with their heights.
void TNovaStringGrid::InsertRowsCore(int ARow, int ACount)
{
    const int old = RowCount();
    if (ARow < 0 || ACount <= 0 || ARow > old)
        return;
    std::vector<int> heights(static_cast<std::size_t>(old - ARow));
    for (int r = ARow; r < old; ++r)
        heights[std::size_t(r - ARow)] = RowHeights(r);
    // Rows past the count may hold leftovers: the new rows start empty.
    for (int r = old; r < old + ACount; ++r)
        clearStoreRow(*this, r);
    const StoreRowMove moving(*this);
    SetRowCount(old + ACount);
    for (int r = old - 1; r >= ARow; --r)
        Store().ExchangeRows(r, r + ACount);
    for (int r = ARow; r < ARow + ACount; ++r)
        SetRowHeights(r, DefaultRowHeight());
    for (int r = ARow + ACount; r < RowCount(); ++r)
        SetRowHeights(r, heights[std::size_t(r - ACount - ARow)]);
}

// Rows the grid shows move down to make room; each item's cells and height go into its target row.
void TNovaStringGrid::mergeRowsBack(std::vector<RowComeback> &back)
{
    TNovaStringGrid &g = *this;
    if (back.empty())
        return;
    std::stable_sort(back.begin(), back.end(), [](const RowComeback &a, const RowComeback &b) { return a.target < b.target; });
    const int old = g.RowCount();
    const int m = int(back.size());
    const int total = old + m;
    for (int j = 0; j < m; ++j) {
        const int lo = j == 0 ? 0 : back[std::size_t(j - 1)].target + 1;
        back[std::size_t(j)].target = std::clamp(back[std::size_t(j)].target, lo, total - m + j);
    }
    std::vector<int> heights(static_cast<std::size_t>(old));
    for (int r = 0; r < old; ++r)
        heights[std::size_t(r)] = g.RowHeights(r);
    std::vector<int> newHeights(static_cast<std::size_t>(total), g.DefaultRowHeight());
    for (int r = old; r < total; ++r)
        clearStoreRow(g, r);
    const StoreRowMove moving(*this);
    g.SetRowCount(total);
    int s = old - 1;
    int j = m - 1;
    for (int t = total - 1; t >= 0 && (j >= 0 || s != t); --t) {
        if (j >= 0 && back[std::size_t(j)].target == t) {
            TGridItem &item = *back[std::size_t(j)].item;
            itemToRow(item, t);
            if (item.Height() > 0)
                newHeights[std::size_t(t)] = item.Height();
            --j;
        } else {
            g.Store().ExchangeRows(s, t);
            newHeights[std::size_t(t)] = heights[std::size_t(s)];
            --s;
        }
    }
    for (int r = 0; r <= s; ++r)
        newHeights[std::size_t(r)] = heights[std::size_t(r)];
    for (int r = 0; r < total; ++r)
        g.SetRowHeights(r, newHeights[std::size_t(r)]);
}

// ---- hiding rows -------------------------------------------------------------------------------------

int TNovaStringGrid::moveRowsIntoItems(int FromRow, int ToRow, int pos, bool keepHeight, int &firstDisplay)
{
    firstDisplay = FromRow - FGridItems.CountBelow(FromRow);
    std::vector<int> rows;
    for (int i = FromRow; i <= ToRow; ++i)
        if (!IsHiddenRow(i))
            rows.push_back(i);
    // The shown rows of the range follow each other in the display.
    int shown = 0;
    for (int i : rows) {
        TGridItem *item = pos < 0 ? FGridItems.Add() : FGridItems.Insert(pos++);
        rowToItem(firstDisplay + shown, *item);
        if (!keepHeight)
            item->SetHeight(0);
        item->SetIdx(i);
        ++shown;
    }
    return shown;
}

void TNovaStringGrid::HideRows(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (FromRow > ToRow)
        return;
    // Items of HideRows stay in ascending order: insert before the first later one.
    int pos = 0;
    while (pos < FGridItems.Count() && FGridItems.Items(pos)->Idx() < FromRow)
        ++pos;
    int p = 0;
    const int count = moveRowsIntoItems(FromRow, ToRow, pos, true, p);
    if (count == 0)
        return;
    hideCellControlOfRow(p);
    // The rows are empty now; take them out of the display.
    RemoveRowsCore(p, count);
    InvalidateGrid();
}

void TNovaStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (FromRow > ToRow || IsHiddenRow(FromRow))
        return;
    // Appended without heights; the stored indexes are real rows and stay as they are.
    int p = 0;
    const int count = moveRowsIntoItems(FromRow, ToRow, -1, false, p);
    RemoveRowsCore(p, count);
    InvalidateGrid();
}

void TNovaStringGrid::HideRowList(const TIntList &RowList)
{
    HideRowList(std::vector<int>(RowList.Values().begin(), RowList.Values().end()));
}

void TNovaStringGrid::HideRowList(const std::vector<int> &RowList)
{
    std::vector<int> rows;
    rows.reserve(RowList.size());
    for (int r : RowList)
        if (r >= 0 && r < RowCount())
            rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int old = RowCount();
    std::vector<int> heights(static_cast<std::size_t>(old));
    for (int r = 0; r < old; ++r)
        heights[std::size_t(r)] = RowHeights(r);
    // Items keep real indexes, as those of HideRows do, so that both kinds mix in the mappings.
    std::vector<int> real;
    real.reserve(rows.size());
    for (int r : rows)
        real.push_back(RealRowIndex(r));
    FGridItems.Reserve(FGridItems.Count() + int(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = rows[i];
        TGridItem *item = FGridItems.Add();
        rowToItem(r, *item);
        item->SetIdx(real[i]);
        item->SetLevel(FFilterLevel);
        item->SetFiltered(true);
    }
    ++FFilterLevel;
    if (rows.empty())
        return;
    // Compact: every row not listed moves up to the next free position.
    std::vector<int> newHeights;
    newHeights.reserve(std::size_t(old));
    std::size_t li = 0;
    int w = 0;
    for (int r = 0; r < old; ++r) {
        if (li < rows.size() && rows[li] == r) {
            ++li;
            continue;
        }
        if (w != r)
            Store().ExchangeRows(r, w);
        newHeights.push_back(heights[std::size_t(r)]);
        ++w;
    }
    const StoreRowMove moving(*this);
    SetRowCount(old - int(rows.size()));
    for (int r = rows.front(); r < RowCount(); ++r)
        SetRowHeights(r, newHeights[std::size_t(r)]);
    InvalidateGrid();
}

// ---- showing rows again ------------------------------------------------------------------------------

void TNovaStringGrid::UnHideRow(int RowIndex)
{
    UnHideRows(RowIndex, RowIndex);
    showCellControlsOfRow(RowIndex);
}

void TNovaStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    // Hidden rows of the range go back where they were; shown rows between them keep their data.
    const int k = FGridItems.CountBelow(FromRow);
    std::vector<RowComeback> back;
    for (int i = FGridItems.Count() - 1; i >= 0; --i) {
        const int idx = FGridItems.Items(i)->Idx();
        if (idx >= FromRow && idx <= ToRow && !FGridItems.Items(i)->Filtered())
            back.push_back({idx - k, FGridItems.Take(i)});
    }
    mergeRowsBack(back);
    InvalidateGrid();
}

void TNovaStringGrid::UnHideRowsAll()
{
    std::vector<RowComeback> back;
    back.reserve(std::size_t(FGridItems.Count()));
    for (int i = FGridItems.Count() - 1; i >= 0; --i) {
        const int idx = FGridItems.Items(i)->Idx();
        back.push_back({idx, FGridItems.Take(i)});
    }
    mergeRowsBack(back);
    for (int i = 0; i < FControlList.Count(); ++i)
        if (auto *w = qobject_cast<QWidget *>(FControlList.GetControl(i)->Control()))
            w->setVisible(true);
    InvalidateGrid();
}

void TNovaStringGrid::UnHideRowList()
{
    // Only the rows of the last filter level come back; rows hidden otherwise stay hidden.
    const int level = FFilterLevel - 1;
    std::vector<RowComeback> back;
    for (int i = FGridItems.Count() - 1; i >= 0; --i) {
        TGridItem *item = FGridItems.Items(i);
        if (item->Filtered() && item->Level() == level)
            back.push_back({0, FGridItems.Take(i)});
    }
    // Each row goes back below the rows that stay hidden before it.
    for (RowComeback &b : back)
        b.target = b.item->Idx() - FGridItems.CountBelow(b.item->Idx());
    if (Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    mergeRowsBack(back);
    InvalidateGrid();
}

bool TNovaStringGrid::IsHiddenRow(int RowIndex, std::unique_ptr<TIntList> &ListHidden) const
{
    if (!ListHidden) {
        ListHidden = std::make_unique<TIntList>();
        for (int i = 0; i < FGridItems.Count(); ++i)
            ListHidden->Add(FGridItems.Items(i)->Idx());
    }
    return ListHidden->HasValue(RowIndex);
}

// A row counts as selected by its real index when the selection persists over hidden rows.
bool TNovaStringGrid::displayRowSelected(int r)
{
    return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r);
}

void TNovaStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (displayRowSelected(r)) {
            const int real = RealRowIndex(r);
            HideRows(real, real);
        }
    EndUpdate();
}

void TNovaStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    int r = FixedRows();
    while (r < RowCount()) {
        if (displayRowSelected(r)) {
            ++r;
            continue;
        }
        // The row below moves up into r.
        const int real = RealRowIndex(r);
        const int before = RowCount();
        HideRows(real, real);
        if (RowCount() == before)
            ++r;
    }
    EndUpdate();
}

int TNovaStringGrid::RealRowIndex(int ARow) const
{
    return FGridItems.DisplToReal(ARow);
}

int TNovaStringGrid::DisplRowIndex(int ARow) const
{
    return FGridItems.RealToDispl(ARow);
}

// ---- current and top row ------------------------------------------------------------------------------

void TNovaStringGrid::SetRow(int Value)
{
    if (Col() < 0 || Col() > ColCount() - 1)
        moveCurrent(FixedCols(), Value, true, true);
    TBaseGrid::SetRow(Value);
    if (Row() != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, Row());
        FOldRowSel = Row();
    }
    if (auto *other = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid()))
        if (FSyncGrid->SelectionRow())
            other->SetRow(Row());
}

void TNovaStringGrid::SetTopRow(int Value)
{
    if (Value >= FixedRows() && Value <= RowCount() - 1)
        TBaseGrid::SetTopRow(Value);
}

// ---- cell controls of hidden rows ----------------------------------------------------------------------

void TNovaStringGrid::hideCellControlOfRow(int displayRow)
{
    if (QWidget *w = CellControls(1, displayRow))
        w->setVisible(false);
}

void TNovaStringGrid::showCellControlsOfRow(int realRow)
{
    for (int i = 0; i < FControlList.Count(); ++i) {
        TControlItem *ci = FControlList.GetControl(i);
        if (ci->Y() == realRow)
            if (auto *w = qobject_cast<QWidget *>(ci->Control()))
                w->setVisible(true);
    }
}

// ---- selection out of the grid and back -------------------------------------------------------------------

void TNovaStringGrid::HideSelection()
{
    FOldSelection = Selection();
    SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TNovaStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        SetSelection(FOldSelection);
        return;
    }
    const int r = FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    const int c = FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    SetSelection({c, r, c, r});
}
