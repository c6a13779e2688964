// Sorting normal rows on one column or on the sort index list, and undoing a sort.
//
// The quicksort is the grid's long-standing Hoare partition: its order of equal rows is part of
// what users see, so it is kept exactly. It runs over a list of row indexes instead of the rows:
// while it compares, the grid's rows stay where they are, so every cell key (text, number, date,
// collation key...) is read once per row and reused, and the swaps it decides are afterwards
// handed to SortSwapRows one by one, in the order the partition made them. An override of
// SortSwapRows therefore sees the same calls as if the rows had moved during the partition.
//
// The comparison itself is still decided pair by pair: the column format hook is asked for every
// comparison (where there is none, every comparison is still counted) and the automatic style is
// chosen from the two cells at hand. Never hand it to a library sort: with the automatic style and
// blank positions it is no strict weak order. The keys and the two ways of comparing are in
// NovaGrid_SortKeys.cpp.
#include "grid/NovaGrid_SortKeys.h"

#include <algorithm>
#include <typeinfo>
#include <utility>
#include <vector>

// ---- comparisons ---------------------------------------------------------------------------------

int TNovaStringGrid::CompareCells(int ACol, int ARow1, int ARow2, bool Descending)
{
    if (FSortKeys)
        return FSortKeys->compareCells(ACol, ARow1, ARow2, Descending);
    SortKeys once(*this, false);
    return once.compareCells(ACol, ARow1, ARow2, Descending);
}

int TNovaStringGrid::CompareRows(int ACol, int Row1, int Row2)
{
    const bool desc = FSortSettings->Direction() == sdDescending;
    const int last = AllColCount() - 2;
    for (;; ++ACol) {
        const bool ign = FSortKeys ? FSortKeys->ignored(ACol) : FIgnoreColumns->HasValue(ACol);
        const int r = ign ? 0 : CompareCells(ACol, Row1, Row2, desc);
        if (r != 0 || !FSortSettings->Full() || ACol > last)
            return r;
    }
}

int TNovaStringGrid::CompareRowsIndexed(int Index, int Row1, int Row2)
{
    for (; Index < FSortIndexes->Count(); ++Index) {
        const int e = FSortIndexes->GetInteger(Index);
        const bool desc = e < 0;
        const int col = e & 0x7FFFFFFF;
        const bool ign = FSortKeys ? FSortKeys->ignored(col) : FIgnoreColumns->HasValue(col);
        const int r = ign ? 0 : CompareCells(col, Row1, Row2, desc);
        if (r != 0 || !FSortSettings->Full())
            return desc ? -r : r;
    }
    return 0;
}

// ---- the quicksort -------------------------------------------------------------------------------

namespace {

// Hoare partition over positions Left..Right of v (v[0] is position Base); each swap it makes is
// handed to onSwap as a position pair. The pivot is copied into pivot, which swaps never move. The
// smaller part is sorted first by recursion, the larger one by the loop, so the depth stays
// logarithmic.
template <typename T, typename Cmp, typename OnSwap>
void hoareSort(std::vector<T> &v, int Base, int Left, int Right, int Want, bool SwapEqual, T &pivot, Cmp &&cmp,
               OnSwap &&onSwap)
{
    const auto at = [&](int pos) -> T & { return v[std::size_t(pos - Base)]; };
    auto part = [&](auto &self, int L, int R) -> void {
        while (L < R) {
            pivot = at((L + R) / 2);
            int i = L, j = R;
            do {
                while (cmp(pivot, at(i)) == Want && i < R)
                    ++i;
                while (cmp(at(j), pivot) == Want && j > L)
                    --j;
                if (i <= j) {
                    if (i != j && (SwapEqual || cmp(at(i), at(j)) != 0)) {
                        std::swap(at(i), at(j));
                        onSwap(i, j);
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - L < R - i) {
                if (L < j)
                    self(self, L, j);
                L = i;
            } else {
                if (i < R)
                    self(self, i, R);
                R = j;
            }
        }
    };
    part(part, Left, Right);
}

// Reorders positions Left.. by cycles of swaps so that position Left + k holds what position src[k]
// held. The positions of a cycle are known ahead, so the memory of the swaps to come is asked for
// early (prefetch(position)): the rows of a large sort lie all over memory.
template <typename Swap, typename Prefetch>
void permute(int Left, const std::vector<int> &src, Swap &&swap, Prefetch &&prefetch)
{
    constexpr std::size_t ahead = 8;
    std::vector<char> done(src.size(), 0);
    std::vector<int> cycle;
    for (std::size_t k = 0; k < src.size(); ++k) {
        if (done[k])
            continue;
        cycle.clear();
        for (std::size_t j = k; !done[j]; j = std::size_t(src[j] - Left)) {
            done[j] = 1;
            cycle.push_back(Left + int(j));
        }
        for (std::size_t t = 0; t + 1 < cycle.size(); ++t) {
            if (t + ahead < cycle.size())
                prefetch(cycle[t + ahead]);
            swap(cycle[t], cycle[t + 1]);
        }
    }
}

} // namespace

// Whether the partition's swaps may be applied as one reordering at the end: only where no single
// swap could be seen. That is the grid's own SortSwapRows (a derived grid may override it), moving
// whole rows, with no row heights, selected or modified rows to carry along.
bool TNovaStringGrid::sortMovesRowsAtOnce(int Left, int Right)
{
    if (typeid(*this) != typeid(TNovaStringGrid) || FSortSettings->SingleColumn()
        || Right >= FSortRowXRef->Count())
        return false;
    if ((FNavigation->MoveRowOnSort() && !FRowSelect.empty()) || (FModifiedRows && !FModifiedRows->IsEmpty()))
        return false;
    const int h = RowHeights(Left);
    for (int r = Left + 1; r <= Right; ++r)
        if (RowHeights(r) != h)
            return false;
    return true;
}

// The rows Left.. reordered as the swaps of one sort would leave them: position Left + k holds the
// row of position src[k]. Swaps swaps were made.
void TNovaStringGrid::moveSortedRows(int Left, const std::vector<int> &src, int swaps)
{
    TGridCellStore &s = Store();
    const std::int32_t *xref = FSortRowXRef->Values().data();
    permute(
        Left, src,
        [&](int a, int b) {
            s.ExchangeRows(a, b);
            FSortRowXRef->Exchange(a, b);
        },
        [&](int r) {
            __builtin_prefetch(s.PeekRow(r));
            __builtin_prefetch(xref + r);
        });
    if (SortRow >= Left && SortRow < Left + int(src.size()))
        for (std::size_t k = 0; k < src.size(); ++k)
            if (src[k] == SortRow) {
                SortRow = Left + int(k);
                break;
            }
    Swaps += swaps;
}

// The partition runs over row indexes, or over the sort column's key records when the column has a
// fast form; the grid's rows stay where they are until its swaps are replayed through SortSwapRows.
void TNovaStringGrid::sortRows(int Col, int Left, int Right, bool Indexed)
{
    if (Left >= Right || Left < 0 || Right >= RowCount())
        return;
    SortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
    // The swaps are kept for SortSwapRows, or only counted when the rows move at once.
    const bool atOnce = sortMovesRowsAtOnce(Left, Right);
    std::vector<std::pair<int, int>> swaps;
    int swapCount = 0;
    const auto onSwap = [&](int i, int j) {
        ++swapCount;
        if (!atOnce)
            swaps.emplace_back(i, j);
    };
    std::vector<int> order; // the row each position ends with
    SortKeys keys(*this, true);
    FSortKeys = &keys;
    struct Reset {
        SortKeys *&p;
        ~Reset() { p = nullptr; }
    } reset{FSortKeys};

    const int want = Indexed ? 1 : SortDir;
    // The first sort column: the fast records serve it, the general way breaks its ties.
    int fastCol = Col;
    bool fastDesc = FSortSettings->Direction() == sdDescending;
    if (Indexed) {
        fastCol = FSortIndexes->Count() > 0 ? FSortIndexes->GetInteger(0) & 0x7FFFFFFF : -1;
        fastDesc = FSortIndexes->Count() > 0 && FSortIndexes->GetInteger(0) < 0;
    }
    std::vector<SortKeys::Rec> recs;
    if (keys.makeFast(fastCol, Left, Right, recs)) {
        const int last = AllColCount() - 2;
        // The column that breaks the first one's ties rides along in the records.
        if (FSortSettings->Full()) {
            if (!Indexed && Col <= last)
                keys.carryTies(Col + 1, FSortSettings->Direction() == sdDescending, false);
            else if (Indexed && FSortIndexes->Count() > 1) {
                const int e = FSortIndexes->GetInteger(1);
                keys.carryTies(e & 0x7FFFFFFF, e < 0, e < 0);
            }
        }
        auto cmp = [&](SortKeys::Rec &a, SortKeys::Rec &b) {
            const int r = keys.compareFast(a, b, fastDesc);
            if (Indexed) {
                if (r != 0 || !FSortSettings->Full())
                    return fastDesc ? -r : r;
                if (a.row == b.row && keys.selfTieIndexed(1))
                    return 0;
                const int t = keys.compareTie(a, b);
                if (t == SortKeys::TieEqual)
                    return keys.compareRowsIndexedFast(2, a.row, b.row);
                if (t != 0)
                    return t;
                return keys.compareRowsIndexedFast(1, a.row, b.row);
            }
            if (r == 0 && FSortSettings->Full() && Col <= last) {
                if (a.row == b.row && keys.selfTie(Col + 1))
                    return 0;
                const int t = keys.compareTie(a, b);
                if (t == SortKeys::TieEqual)
                    return Col + 1 > last ? 0 : keys.compareRowsFast(Col + 2, a.row, b.row);
                if (t != 0)
                    return t;
                return keys.compareRowsFast(Col + 1, a.row, b.row);
            }
            return r;
        };
        hoareSort(recs, Left, Left, Right, want, Indexed, keys.Pivot, cmp, onSwap);
        if (atOnce) {
            order.resize(recs.size());
            for (std::size_t k = 0; k < recs.size(); ++k)
                order[k] = recs[k].row;
        }
    } else {
        std::vector<int> perm(std::size_t(Right - Left + 1));
        for (int r = Left; r <= Right; ++r)
            perm[std::size_t(r - Left)] = r;
        auto cmp = [&](int r1, int r2) { return Indexed ? CompareRowsIndexed(0, r1, r2) : CompareRows(Col, r1, r2); };
        int pivot = -1;
        hoareSort(perm, Left, Left, Right, want, Indexed, pivot, cmp, onSwap);
        order = std::move(perm);
    }
    FSortKeys = nullptr;
    if (atOnce) {
        moveSortedRows(Left, order, swapCount);
        return;
    }
    for (const auto &[a, b] : swaps)
        SortSwapRows(a, b);
}

void TNovaStringGrid::QuickSort(int Col, int Left, int Right)
{
    if (Col < 0 || Col >= AllColCount())
        return;
    BeginUpdate();
    struct End {
        TNovaStringGrid &g;
        ~End() { g.EndUpdate(); }
    } end{*this};
    sortRows(Col, Left, Right, false);
}

void TNovaStringGrid::QuickSortIndexed(int Left, int Right)
{
    BeginUpdate();
    struct End {
        TNovaStringGrid &g;
        ~End() { g.EndUpdate(); }
    } end{*this};
    sortRows(-1, Left, Right, true);
}

bool TNovaStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    for (;; ++Col) {
        const int r = CompareCells(Col, ARow1, ARow2, FSortSettings->Direction() == sdDescending);
        if (r == SortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0 || Col >= AllColCount() - 1)
            return false;
    }
}

void TNovaStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (int r = 0; r < RowCount(); ++r)
        FSortRowXRef->Add(r);
}

void TNovaStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 < FSortRowXRef->Count() && ARow2 < FSortRowXRef->Count())
        FSortRowXRef->Exchange(ARow1, ARow2);
    TGridCellStore &s = Store();
    if (FSortSettings->SingleColumn()) {
        const int c = FSortSettings->Column();
        s.ExchangeCells(c, ARow1, c, ARow2);
    } else {
        s.ExchangeRows(ARow1, ARow2);
        const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
        if (h1 != h2) {
            SetRowHeights(ARow1, h2);
            SetRowHeights(ARow2, h1);
        }
        if (FNavigation->MoveRowOnSort() && !FRowSelect.empty()) {
            const std::size_t need = std::size_t(std::max(ARow1, ARow2)) + 1;
            if (FRowSelect.size() < need)
                FRowSelect.resize(need, 0);
            std::swap(FRowSelect[std::size_t(ARow1)], FRowSelect[std::size_t(ARow2)]);
        }
        if (FModifiedRows && !FModifiedRows->IsEmpty()) {
            const bool m1 = FModifiedRows->HasValue(ARow1), m2 = FModifiedRows->HasValue(ARow2);
            if (m1 != m2) {
                SetRowModified(ARow1, m2);
                SetRowModified(ARow2, m1);
            }
        }
    }
    if (SortRow == ARow1)
        SortRow = ARow2;
    else if (SortRow == ARow2)
        SortRow = ARow1;
    ++Swaps;
}

// ---- the sorts -----------------------------------------------------------------------------------

void TNovaStringGrid::sortWithRestore(bool Indexed, bool Groups)
{
    const bool keepCol0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
    QStringList col0;
    if (keepCol0)
        for (int r = 0; r < RowCount(); ++r)
            col0 << GetGridCell(0, r);
    const int oldTop = TopRow();
    const int oldRow = Row();
    BeginUpdate();
    struct Restore {
        TNovaStringGrid &g;
        bool keepCol0;
        const QStringList &col0;
        int oldTop;
        ~Restore()
        {
            if (keepCol0)
                for (int r = 0; r < col0.size() && r < g.RowCount(); ++r)
                    g.SetGridCell(0, r, col0[r]);
            if (g.FNavigation->KeepScrollOnSort())
                g.SetTopRow(oldTop);
            g.EndUpdate();
            g.UpdateFooter();
        }
    } restore{*this, keepCol0, col0, oldTop};

    SortRow = oldRow;
    const int first = FixedRows();
    const int last = RowCount() - FFixedFooters - 1;
    if (Groups)
        sortGroups(Indexed);
    else
        sortRows(Indexed ? -1 : FSortSettings->Column(), first, last, Indexed);

    const bool disjunct = FMouseActions->DisjunctRowSelect();
    const bool entered = FEntered;
    FEntered = false;
    if (Indexed || Groups || !disjunct) {
        if (FNavigation->MoveRowOnSort() && SortRow >= 0 && SortRow < RowCount())
            SetRow(SortRow);
        else if (oldRow < RowCount())
            SetRow(oldRow);
    }
    FEntered = entered;
    if (!Indexed && !Groups && OnRowUpdate && !FNavigation->MoveRowOnSort())
        OnRowUpdate(this, oldRow, Row());
}

void TNovaStringGrid::QSort()
{
    const int c = FSortSettings->Column();
    // A column outside the grid sorts nothing.
    if (c < 0 || c >= AllColCount())
        return;
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    FSortIndexes->Clear();
    sortWithRestore(false);
}

void TNovaStringGrid::QSortIndexed()
{
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        throw ENovaGridError(QStringLiteral("No indexes specified for indexed sort"));
    for (int i = 0; i < FSortIndexes->Count(); ++i) {
        const int col = FSortIndexes->GetInteger(i) & 0x7FFFFFFF;
        if (col >= AllColCount())
            return; // an entry outside the grid sorts nothing
    }
    sortWithRestore(true);
}

// The children of every expanded group of the deepest level sort on their own; node, summary
// and header rows stay where they are.
void TNovaStringGrid::sortGroups(bool Indexed)
{
    const int last = RowCount() - FFixedFooters - 1;
    int deepest = -1;
    for (int r = FixedRows(); r <= last; ++r)
        if (IsNode(r))
            deepest = std::max(deepest, GetNodeLevel(r));
    for (int r = FixedRows(); r <= last; ++r) {
        if (!IsNode(r) || GetNodeLevel(r) != deepest || GetNodeState(r))
            continue;
        const int span = GetNodeSpan(r);
        if (span - 1 > 1)
            sortRows(Indexed ? -1 : FSortSettings->Column(), r + 1, std::min(r + span - 1, last), Indexed);
    }
}

void TNovaStringGrid::QSortGroup()
{
    const int c = FSortSettings->Column();
    if (c < 0 || c >= AllColCount())
        return;
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    sortWithRestore(false, true);
}

void TNovaStringGrid::QSortGroupIndexed()
{
    if (RowCount() != FSortRowXRef->Count())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        return;
    for (int i = 0; i < FSortIndexes->Count(); ++i)
        if ((FSortIndexes->GetInteger(i) & 0x7FFFFFFF) >= AllColCount())
            return;
    sortWithRestore(true, true);
}

void TNovaStringGrid::QUnSort()
{
    if (FSortRowXRef->Count() != RowCount() || RowCount() < 2)
        return;
    FUnSortRowXRef->Assign(*FSortRowXRef);
    const bool keepCol0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
    QStringList col0;
    if (keepCol0)
        for (int r = 0; r < RowCount(); ++r)
            col0 << GetGridCell(0, r);
    BeginUpdate();
    std::vector<int> u(FUnSortRowXRef->Values().begin(), FUnSortRowXRef->Values().end());
    auto qs = [&](auto &self, int L, int R) -> void {
        while (L < R) {
            const int pv = u[std::size_t((L + R) / 2)];
            int i = L, j = R;
            do {
                while (u[std::size_t(i)] < pv)
                    ++i;
                while (u[std::size_t(j)] > pv)
                    --j;
                if (i <= j) {
                    if (u[std::size_t(i)] != u[std::size_t(j)]) {
                        SortSwapRows(i, j);
                        std::swap(u[std::size_t(i)], u[std::size_t(j)]);
                        FUnSortRowXRef->Exchange(i, j);
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - L < R - i) {
                if (L < j)
                    self(self, L, j);
                L = i;
            } else {
                if (i < R)
                    self(self, i, R);
                R = j;
            }
        }
    };
    qs(qs, 0, RowCount() - 1);
    if (keepCol0)
        for (int r = 0; r < col0.size(); ++r)
            SetGridCell(0, r, col0[r]);
    EndUpdate();
}

void TNovaStringGrid::Sort(int Column, TSortDirection Direction)
{
    FSortSettings->SetColumn(Column);
    FSortSettings->SetDirection(Direction);
    QSort();
}

void TNovaStringGrid::SortByColumn(int Col)
{
    if (RowCount() > 1) {
        FSortSettings->SetColumn(Col);
        QSort();
    }
}
