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
// comparison and the automatic style is chosen from the two cells at hand. Never hand it to a
// library sort: with the automatic style and blank positions it is no strict weak order.
#include "grid/NovaGrid.h"

#include "grid/base/EditorKit.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool isCheckType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool isNumberText(const QString &t)
{
    const unsigned char k = ClassifyNumberText(t);
    return k == nkInteger || k == nkFloat || k == nkScientific;
}

// Upper case of the letters a-z only.
QString upperAZ(const QString &t)
{
    QString u = t;
    for (QChar &ch : u)
        if (ch.unicode() >= 'a' && ch.unicode() <= 'z')
            ch = QChar(ch.unicode() - 32);
    return u;
}

template <typename T> int sign(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

// Digits read from the start of a text that is no number as a whole ("12abc" -> 12, "abc" -> 0).
double leadingValue(const QString &t)
{
    int n = 0;
    if (n < t.size() && (t[n] == u'-' || t[n] == u'+'))
        ++n;
    while (n < t.size() && (t[n].isDigit() || t[n] == u'.'))
        ++n;
    bool ok = false;
    const double v = t.left(n).toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace

// Keys of the cells of one sort, by displayed row. Each key is made on first use and kept; the
// grid is not changed while a SortKeys exists (swaps are replayed afterwards). Without caching
// (a single comparison outside a sort) every key is made afresh.
class TNovaStringGrid::SortKeys {
public:
    SortKeys(TNovaStringGrid &g, bool cache)
        : G(g), Cache(cache), Rows(g.RowCount()), Fs(platform::FormatSettings::current())
    {
    }

    int compareCells(int ACol, int R1, int R2, bool Descending);
    bool ignored(int ACol)
    {
        if (!Cache)
            return G.FIgnoreColumns->HasValue(ACol);
        Column &c = column(ACol);
        if (c.ignored < 0)
            c.ignored = G.FIgnoreColumns->HasValue(ACol) ? 1 : 0;
        return c.ignored == 1;
    }

private:
    enum AutoBits : std::uint8_t {
        abNumber = 1, abDateAt = 2, abDatePos23 = 4, abHasDate = 8, abHasTime = 16, abTimeAt = 32, abKnown = 128
    };
    enum NumKind { nkNumeric, nkFinancial, nkDate, nkTime, nkDMY, nkMDY, nkImage, nkCheck };
    struct NumSlot {
        int kind;
        QString prefix, suffix;
        std::vector<double> v;
        std::vector<std::int8_t> st; // 0 not made, 1 converted, 2 failed
    };
    struct StrSlot {
        int kind; // 0 upper-cased a-z, 1 stripped markup
        std::vector<QString> v;
        std::vector<char> have;
    };
    struct Column {
        int ignored = -1;
        std::vector<QString> text;
        std::vector<char> haveText;
        std::vector<std::uint8_t> autoBits;
        std::vector<std::int16_t> cellType; // -1 not asked
        std::vector<NumSlot> nums;
        std::vector<StrSlot> strs;
        std::vector<std::optional<QCollatorSortKey>> coll[2]; // case, no case
    };

    Column &column(int ACol)
    {
        if (ACol >= int(Cols.size()))
            Cols.resize(std::size_t(ACol) + 1);
        return Cols[std::size_t(ACol)];
    }
    bool inCache(int R) const { return Cache && R >= 0 && R < Rows; }

    QString readText(int ACol, int R)
    {
        return G.FSortSettings->SortOnVirtualCells() ? G.Cells(ACol, R) : G.GetGridCell(ACol, R);
    }
    const QString &text(int ACol, int R)
    {
        if (!inCache(R)) {
            Scratch[ScratchPos ^= 1] = readText(ACol, R);
            return Scratch[ScratchPos];
        }
        Column &c = column(ACol);
        if (c.text.empty()) {
            c.text.resize(std::size_t(Rows));
            c.haveText.assign(std::size_t(Rows), 0);
        }
        if (!c.haveText[std::size_t(R)]) {
            c.text[std::size_t(R)] = readText(ACol, R);
            c.haveText[std::size_t(R)] = 1;
        }
        return c.text[std::size_t(R)];
    }

    std::uint8_t makeAuto(const QString &t) const
    {
        std::uint8_t b = abKnown;
        if (isNumberText(t))
            b |= abNumber;
        const auto digitsAround = [&](int p1) { // p1: 1-based position of a separator
            return (p1 == 2 || p1 == 3) && t.size() > p1 && t[p1 - 2].isDigit() && t[p1].isDigit();
        };
        const int pd = int(t.indexOf(DateSep)) + 1;
        if (pd > 0)
            b |= abHasDate;
        if (pd == 2 || pd == 3)
            b |= abDatePos23;
        if (digitsAround(pd))
            b |= abDateAt;
        const int pt = int(t.indexOf(TimeSep)) + 1;
        if (pt > 0)
            b |= abHasTime;
        if (digitsAround(pt))
            b |= abTimeAt;
        return b;
    }
    std::uint8_t autoBits(int ACol, int R)
    {
        if (!inCache(R))
            return makeAuto(text(ACol, R));
        Column &c = column(ACol);
        if (c.autoBits.empty())
            c.autoBits.assign(std::size_t(Rows), 0);
        std::uint8_t &b = c.autoBits[std::size_t(R)];
        if (!b)
            b = makeAuto(text(ACol, R));
        return b;
    }
    TCellType cellType(int ACol, int R)
    {
        if (!inCache(R))
            return G.GetCellType(ACol, R);
        Column &c = column(ACol);
        if (c.cellType.empty())
            c.cellType.assign(std::size_t(Rows), -1);
        std::int16_t &t = c.cellType[std::size_t(R)];
        if (t < 0)
            t = std::int16_t(G.GetCellType(ACol, R));
        return TCellType(t);
    }

    // A numeric key: false when the text does not convert (value: the leading digits).
    bool makeNum(int kind, const QString &prefix, const QString &suffix, int ACol, int R, double &v)
    {
        const QString &t0 = text(ACol, R);
        switch (kind) {
        case nkNumeric:
        case nkFinancial: {
            QString t = t0;
            if (!prefix.isEmpty()) {
                const qsizetype p = t.indexOf(prefix);
                if (p >= 0)
                    t.remove(p, prefix.size());
            }
            if (!suffix.isEmpty()) {
                const qsizetype p = t.indexOf(suffix);
                if (p >= 0)
                    t.remove(p, suffix.size());
            }
            if (kind == nkFinancial)
                t.remove(Fs.thousandSeparator);
            if (Fs.decimalSeparator != u'.') {
                const qsizetype p = t.indexOf(Fs.decimalSeparator);
                if (p >= 0)
                    t[p] = u'.';
            }
            bool ok = false;
            v = t.trimmed().toDouble(&ok);
            if (ok)
                return true;
            if (G.Cells(ACol, R).isEmpty()) {
                v = 0;
                return true;
            }
            v = leadingValue(t.trimmed());
            return false;
        }
        case nkDate: {
            TDateTime d = 0;
            v = (!t0.isEmpty() && ParseLocaleDateTime(t0, d)) ? d : 0.0;
            return true;
        }
        case nkTime: {
            TDateTime d = 0;
            v = editorkit::tryParseTime(t0, Fs, d) ? d : 0.0;
            return true;
        }
        case nkDMY:
        case nkMDY:
            try {
                v = kind == nkDMY ? ParseDateDMY(t0) : ParseDateMDY(t0);
            } catch (const EConvertError &) {
                v = 0;
            }
            return true;
        case nkImage:
            v = G.GetGraphicSortKey(ACol, R);
            return true;
        default: { // check box: checked after unchecked
            bool state = false;
            const int real = G.RealRowIndex(R);
            v = (G.GetCheckBoxState(ACol, real, state) && state) ? 1 : 0;
            return true;
        }
        }
    }
    bool num(int kind, const QString &prefix, const QString &suffix, int ACol, int R, double &v)
    {
        if (!inCache(R))
            return makeNum(kind, prefix, suffix, ACol, R, v);
        Column &c = column(ACol);
        NumSlot *s = nullptr;
        for (NumSlot &x : c.nums)
            if (x.kind == kind && x.prefix == prefix && x.suffix == suffix) {
                s = &x;
                break;
            }
        if (!s) {
            c.nums.push_back({kind, prefix, suffix, std::vector<double>(std::size_t(Rows)),
                              std::vector<std::int8_t>(std::size_t(Rows), 0)});
            s = &c.nums.back();
        }
        std::int8_t &st = s->st[std::size_t(R)];
        if (!st) {
            double x = 0;
            st = makeNum(kind, prefix, suffix, ACol, R, x) ? 1 : 2;
            s->v[std::size_t(R)] = x;
        }
        v = s->v[std::size_t(R)];
        return st == 1;
    }
    const QString &str(int kind, int ACol, int R)
    {
        auto make = [&] { return kind == 0 ? upperAZ(text(ACol, R)) : StripMarkup(G.Cells(ACol, R)); };
        if (!inCache(R)) {
            Scratch[ScratchPos ^= 1] = make();
            return Scratch[ScratchPos];
        }
        Column &c = column(ACol);
        StrSlot *s = nullptr;
        for (StrSlot &x : c.strs)
            if (x.kind == kind) {
                s = &x;
                break;
            }
        if (!s) {
            c.strs.push_back({kind, std::vector<QString>(std::size_t(Rows)), std::vector<char>(std::size_t(Rows), 0)});
            s = &c.strs.back();
        }
        if (!s->have[std::size_t(R)]) {
            s->v[std::size_t(R)] = make();
            s->have[std::size_t(R)] = 1;
        }
        return s->v[std::size_t(R)];
    }
    QCollator &collator(bool noCase)
    {
        std::optional<QCollator> &c = Collators[noCase ? 1 : 0];
        if (!c) {
            c.emplace(QLocale());
            c->setCaseSensitivity(noCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
        }
        return *c;
    }
    int collate(bool noCase, int ACol, int R1, int R2)
    {
        QCollator &co = collator(noCase);
        if (!inCache(R1) || !inCache(R2))
            return std::clamp(co.compare(text(ACol, R1), text(ACol, R2)), -1, 1);
        Column &c = column(ACol);
        auto &keys = c.coll[noCase ? 1 : 0];
        if (keys.empty())
            keys.resize(std::size_t(Rows));
        for (int R : {R1, R2})
            if (!keys[std::size_t(R)])
                keys[std::size_t(R)].emplace(co.sortKey(text(ACol, R)));
        return std::clamp(keys[std::size_t(R1)]->compare(*keys[std::size_t(R2)]), -1, 1);
    }

    TNovaStringGrid &G;
    const bool Cache;
    const int Rows;
    const platform::FormatSettings Fs;
    const QChar DateSep = LocaleDateSeparator();
    const QChar TimeSep = LocaleTimeSeparator();
    std::vector<Column> Cols;
    std::optional<QCollator> Collators[2];
    QString Scratch[2];
    int ScratchPos = 0;
};

int TNovaStringGrid::SortKeys::compareCells(int ACol, int R1, int R2, bool Descending)
{
    ++G.Compares;
    TSortStyle style = G.FSortSettings->AutoFormat() ? ssAutomatic
                       : G.FSortSettings->IgnoreCase() ? ssAlphaNoCase
                                                       : ssAlphabetic;
    QString prefix, suffix;
    G.GetColFormat(ACol, style, prefix, suffix);

    const bool noCaseDefault = G.FSortSettings->IgnoreCase();
    if (style == ssAutomatic) {
        const std::uint8_t b1 = autoBits(ACol, R1);
        if (isCheckType(cellType(ACol, R1))) {
            style = ssCheckBox;
        } else if (b1 & abNumber) {
            style = ssNumeric;
        } else {
            style = noCaseDefault ? ssAlphaNoCase : ssAlphabetic;
            const std::uint8_t b2 = autoBits(ACol, R2);
            if (b1 & abDatePos23) {
                if ((b1 & abDateAt) && (b2 & abHasDate))
                    style = (b1 & abHasTime) ? ssDateTime : ssDate;
            } else if ((b1 & abTimeAt) && (b2 & abHasTime)) {
                style = ssTime;
            }
        }
    } else if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        const bool both = (autoBits(ACol, R1) & abNumber) && (autoBits(ACol, R2) & abNumber);
        style = both ? ssNumeric : (style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase);
    }

    int res = 0;
    const auto numCompare = [&](int kind) {
        double v1 = 0, v2 = 0;
        const bool ok1 = num(kind, prefix, suffix, ACol, R1, v1);
        const bool ok2 = num(kind, prefix, suffix, ACol, R2, v2);
        return (!ok1 && !ok2) ? 0 : sign(v1, v2);
    };
    switch (style) {
    case ssAlphaNoCase:
        res = std::clamp(str(0, ACol, R1).compare(str(0, ACol, R2)), -1, 1);
        break;
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase:
        res = collate(style == ssAnsiAlphaNoCase, ACol, R1, R2);
        break;
    case ssNumeric:
        res = numCompare(nkNumeric);
        break;
    case ssFinancial:
        res = numCompare(nkFinancial);
        break;
    case ssDate:
    case ssDateTime:
        res = numCompare(nkDate);
        break;
    case ssTime:
        res = numCompare(nkTime);
        break;
    case ssShortDateEU:
        res = numCompare(nkDMY);
        break;
    case ssShortDateUS:
        res = numCompare(nkMDY);
        break;
    case ssCustom:
        if (G.OnCustomCompare)
            G.OnCustomCompare(&G, text(ACol, R1), text(ACol, R2), res);
        break;
    case ssRaw:
        if (G.OnRawCompare)
            G.OnRawCompare(&G, ACol, R1, R2, res);
        break;
    case ssHTML:
        res = std::clamp(str(1, ACol, R1).compare(str(1, ACol, R2)), -1, 1);
        break;
    case ssImages:
        res = numCompare(nkImage);
        break;
    case ssCheckBox:
        res = numCompare(nkCheck);
        break;
    default: // ssAlphabetic, ssAlphaCase
        res = std::clamp(text(ACol, R1).compare(text(ACol, R2)), -1, 1);
        break;
    }

    if (G.FSortSettings->IgnoreBlanks()) {
        const bool e1 = text(ACol, R1).isEmpty();
        const bool e2 = text(ACol, R2).isEmpty();
        if (e1 != e2) {
            const bool first = G.FSortSettings->BlankPos() == blFirst;
            res = (e1 == first) ? -1 : 1;
            if (Descending)
                res = -res;
        }
    }
    return res;
}

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

// Hoare partition over positions Left..Right of a row-index list; the swaps it makes are logged as
// position pairs. The smaller part is sorted first by recursion, the larger one by the loop, so
// the depth stays logarithmic.
void TNovaStringGrid::sortRows(int Col, int Left, int Right, bool Indexed)
{
    if (Left >= Right || Left < 0 || Right >= RowCount())
        return;
    SortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
    std::vector<int> perm(static_cast<std::size_t>(RowCount()));
    for (int r = 0; r < RowCount(); ++r)
        perm[std::size_t(r)] = r;
    std::vector<std::pair<int, int>> swaps;
    SortKeys keys(*this, true);
    FSortKeys = &keys;
    struct Reset {
        SortKeys *&p;
        ~Reset() { p = nullptr; }
    } reset{FSortKeys};

    const int want = Indexed ? 1 : SortDir;
    auto cmp = [&](int r1, int r2) { return Indexed ? CompareRowsIndexed(0, r1, r2) : CompareRows(Col, r1, r2); };
    auto part = [&](auto &self, int L, int R) -> void {
        while (L < R) {
            const int pivot = perm[std::size_t((L + R) / 2)];
            int i = L, j = R;
            do {
                while (cmp(pivot, perm[std::size_t(i)]) == want && i < R)
                    ++i;
                while (cmp(perm[std::size_t(j)], pivot) == want && j > L)
                    --j;
                if (i <= j) {
                    if (i != j && (Indexed || cmp(perm[std::size_t(i)], perm[std::size_t(j)]) != 0)) {
                        std::swap(perm[std::size_t(i)], perm[std::size_t(j)]);
                        swaps.emplace_back(i, j);
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            // Parts L..j and i..R: recurse into the smaller.
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
    FSortKeys = nullptr;
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
        const QString t = s.Text(c, ARow1);
        TObject *o = s.Object(c, ARow1);
        s.SetText(c, ARow1, s.Text(c, ARow2));
        s.SetObject(c, ARow1, s.Object(c, ARow2));
        s.SetText(c, ARow2, t);
        s.SetObject(c, ARow2, o);
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
