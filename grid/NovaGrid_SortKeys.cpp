// Keys of the cells of one sort and the comparison of two cells by the column's sort style: the
// general way by displayed row, and the fast way over position records (see NovaGrid_SortKeys.h).
#include "grid/NovaGrid_SortKeys.h"

#include "grid/base/EditorKit.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/NumberDate.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <new>
#include <typeinfo>
#include <utility>

namespace {

bool isCheckType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool isNumberText(const QString &t, const platform::FormatSettings &fs)
{
    const unsigned char k = ClassifyNumberText(t, fs);
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

// A plain decimal ("-12", "3.25"): the same value QString::toDouble reads, without its set-up.
// False for every other form (signs, exponents, spaces, separators...), which toDouble reads.
bool plainDecimal(QStringView t, double &v)
{
    constexpr qsizetype most = 40;
    const qsizetype n = t.size();
    if (n == 0 || n > most)
        return false;
    char c[most];
    qsizetype digits = 0, dot = -1;
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t u = t[k].unicode();
        if (u >= u'0' && u <= u'9') {
            ++digits;
        } else if (u == u'.' && dot < 0 && digits > 0 && k + 1 < n) {
            dot = k;
        } else if (!(u == u'-' && k == 0)) {
            return false;
        }
        c[k] = char(u);
    }
    if (digits == 0 || (dot >= 0 && !(t[dot + 1].unicode() >= u'0' && t[dot + 1].unicode() <= u'9')))
        return false;
    const auto r = std::from_chars(c, c + n, v);
    return r.ec == std::errc() && r.ptr == c + n;
}

} // namespace

TNovaStringGrid::SortKeys::SortKeys(TNovaStringGrid &g, bool cache)
    : G(g), BaseGrid(typeid(g) == typeid(TNovaStringGrid)), Cache(cache), Rows(g.RowCount()), Fs(platform::FormatSettings::current()),
      DateSep(Fs.dateSeparator), TimeSep(Fs.timeSeparator)
{
}

// ---- keys by displayed row -----------------------------------------------------------------------
// Each key is made on first use and kept; the grid is not changed while a SortKeys exists (swaps
// are replayed afterwards). Without caching (a single comparison outside a sort) every key is made
// afresh.

bool TNovaStringGrid::SortKeys::ignored(int ACol)
{
    if (!Cache)
        return G.FIgnoreColumns->HasValue(ACol);
    Column &c = column(ACol);
    if (c.ignored < 0)
        c.ignored = G.FIgnoreColumns->HasValue(ACol) ? 1 : 0;
    return c.ignored == 1;
}

TNovaStringGrid::SortKeys::Column &TNovaStringGrid::SortKeys::column(int ACol)
{
    if (ACol >= int(Cols.size()))
        Cols.resize(std::size_t(ACol) + 1);
    return Cols[std::size_t(ACol)];
}

QString TNovaStringGrid::SortKeys::readText(int ACol, int R)
{
    return G.FSortSettings->SortOnVirtualCells() ? G.Cells(ACol, R) : G.GetGridCell(ACol, R);
}

bool TNovaStringGrid::SortKeys::plainReads()
{
    return !G.FSortSettings->SortOnVirtualCells() || G.displayHooksIdle();
}

// The text readText answers, appended to out; straight from the store where nothing can change it.
void TNovaStringGrid::SortKeys::appendText(int ACol, int R, std::u16string &out)
{
    if (!G.FSortSettings->SortOnVirtualCells() || (G.displayHooksIdle() && !G.Store().RowHasObjects(R))) {
        G.Store().AppendText(ACol, R, out);
        return;
    }
    const QString t = readText(ACol, R);
    out.append(reinterpret_cast<const char16_t *>(t.utf16()), std::size_t(t.size()));
}

const QString &TNovaStringGrid::SortKeys::text(int ACol, int R)
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

std::uint8_t TNovaStringGrid::SortKeys::makeAuto(const QString &t) const
{
    std::uint8_t b = abKnown;
    if (isNumberText(t, Fs))
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

std::uint8_t TNovaStringGrid::SortKeys::autoBits(int ACol, int R)
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

TCellType TNovaStringGrid::SortKeys::cellType(int ACol, int R)
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

// A numeric key of the text t0 of (ACol, R): false when the text does not convert (value: the
// leading digits).
bool TNovaStringGrid::SortKeys::makeNum(int kind, const QString &prefix, const QString &suffix, const QString &t0,
                                        int ACol, int R, double &v)
{
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
        if (plainDecimal(t, v))
            return true;
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

bool TNovaStringGrid::SortKeys::num(int kind, const QString &prefix, const QString &suffix, int ACol, int R, double &v)
{
    if (!inCache(R))
        return makeNum(kind, prefix, suffix, text(ACol, R), ACol, R, v);
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
        st = makeNum(kind, prefix, suffix, text(ACol, R), ACol, R, x) ? 1 : 2;
        s->v[std::size_t(R)] = x;
    }
    v = s->v[std::size_t(R)];
    return st == 1;
}

const QString &TNovaStringGrid::SortKeys::str(int kind, int ACol, int R)
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

QCollator &TNovaStringGrid::SortKeys::collator(bool noCase)
{
    std::optional<QCollator> &c = Collators[noCase ? 1 : 0];
    if (!c) {
        c.emplace(QLocale());
        c->setCaseSensitivity(noCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
    return *c;
}

int TNovaStringGrid::SortKeys::collate(bool noCase, int ACol, int R1, int R2)
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

// The numeric key a number or date style compares by.
int TNovaStringGrid::SortKeys::numKind(TSortStyle style)
{
    switch (style) {
    case ssFinancial:
        return nkFinancial;
    case ssDate:
    case ssDateTime:
        return nkDate;
    case ssTime:
        return nkTime;
    case ssShortDateEU:
        return nkDMY;
    case ssShortDateUS:
        return nkMDY;
    default:
        return nkNumeric;
    }
}

// ---- the comparison of two cells -----------------------------------------------------------------

// Counts a comparison and asks the column's format: the style, prefix and suffix to compare by.
TSortStyle TNovaStringGrid::SortKeys::askFormat(int ACol, QString &prefix, QString &suffix)
{
    ++G.Compares;
    TSortStyle style = settingsStyle();
    G.GetColFormat(ACol, style, prefix, suffix);
    return style;
}

TSortStyle TNovaStringGrid::SortKeys::settingsStyle() const
{
    return G.FSortSettings->AutoFormat() ? ssAutomatic : G.FSortSettings->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
}

int TNovaStringGrid::SortKeys::compareCells(int ACol, int R1, int R2, bool Descending)
{
    QString prefix, suffix;
    const TSortStyle style = askFormat(ACol, prefix, suffix);
    return compareStyled(ACol, R1, R2, Descending, style, prefix, suffix);
}

// Blanks placed first or last whatever the direction (the quicksort reverses a descending answer).
int TNovaStringGrid::SortKeys::blanks(int res, bool e1, bool e2, bool Descending) const
{
    if (!G.FSortSettings->IgnoreBlanks() || e1 == e2)
        return res;
    const bool first = G.FSortSettings->BlankPos() == blFirst;
    res = (e1 == first) ? -1 : 1;
    return Descending ? -res : res;
}

int TNovaStringGrid::SortKeys::compareStyled(int ACol, int R1, int R2, bool Descending, TSortStyle style,
                                             const QString &prefix, const QString &suffix)
{
    if (style == ssAutomatic || style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        const std::uint8_t b1 = autoBits(ACol, R1);
        if (style == ssAutomatic && isCheckType(cellType(ACol, R1))) {
            style = ssCheckBox;
        } else {
            const bool needB2 = (style == ssAutomatic) != bool(b1 & abNumber); // read only when it counts
            style = pairStyle(style, b1, needB2 ? autoBits(ACol, R2) : 0, G.FSortSettings->IgnoreCase());
        }
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
    case ssFinancial:
    case ssDate:
    case ssDateTime:
    case ssTime:
    case ssShortDateEU:
    case ssShortDateUS:
        res = numCompare(numKind(style));
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
    if (G.FSortSettings->IgnoreBlanks())
        res = blanks(res, text(ACol, R1).isEmpty(), text(ACol, R2).isEmpty(), Descending);
    return res;
}

// ---- the fast columns ----------------------------------------------------------------------------

bool TNovaStringGrid::SortKeys::makeFast(int ACol, int Left, int Right, std::vector<Rec> &recs)
{
    if (!Cache || ACol < 0 || Left < 0 || Left > Right || Right >= Rows || ignored(ACol))
        return false;
    FastLeft = Left;
    FastRight = Right;
    First = Fast();
    First.col = ACol;
    First.left = Left;
    recs.assign(std::size_t(Right - Left + 1), Rec());
    for (int r = Left; r <= Right; ++r)
        recs[std::size_t(r - Left)].row = r;
    First.recs = recs.data();
    First.count = recs.size();
    Pivot = Rec();
    Pivot.row = -1;
    return true;
}

// A column after the first, for ties: its records stay in row order.
TNovaStringGrid::SortKeys::Fast *TNovaStringGrid::SortKeys::laterColumn(int ACol)
{
    if (ACol >= int(Later.size()))
        Later.resize(std::size_t(ACol) + 1);
    std::unique_ptr<Fast> &f = Later[std::size_t(ACol)];
    if (!f) {
        f = std::make_unique<Fast>();
        f->col = ACol;
        f->left = FastLeft;
        f->count = std::size_t(FastRight - FastLeft + 1);
        void *p = std::calloc(f->count, sizeof(Rec));
        if (!p)
            throw std::bad_alloc();
        f->own = {static_cast<Rec *>(p), std::free};
        f->recs = f->own.get();
    }
    return f.get();
}

// A later column's record of row R, made when first needed. Once an eighth of the rows are made,
// and reading a cell calls no hook, the rest are made in one walk in row order: cheaper than
// reading rows one by one in the order ties come.
TNovaStringGrid::SortKeys::Rec &TNovaStringGrid::SortKeys::laterRec(Fast &f, int R)
{
    Rec &r = f.recs[std::size_t(R - f.left)];
    if (r.flags & rfMade)
        return r; // written once: a record read often stays a clean cache line
    r.row = R;
    if (f.active && f.made * 8 >= f.count && plainReads())
        fillAll(f);
    return r;
}

void TNovaStringGrid::SortKeys::fillAll(Fast &f)
{
    // The texts made so far tell how long the buffer gets: reserved once, not grown by copies.
    const auto reserve = [&f] {
        const std::size_t want = f.buf.size() * f.count / f.made * 9 / 8 + 64;
        f.buf.reserve(want);
        if (f.textKey == tkFolded)
            f.fold.reserve(want);
    };
    constexpr std::size_t sample = 256;
    if (f.made >= sample)
        reserve();
    for (std::size_t i = 0; i < f.count; ++i) {
        Rec &r = f.recs[i];
        r.row = f.left + int(i);
        if (r.flags & rfMade)
            continue;
        fill(f, r);
        if (&f == &First && TieKeys.col >= 0)
            fillTie(r);
        if (f.made == sample)
            reserve();
    }
}

// Made for the first answer of the format hook: which keys the style compares. The first column
// makes every record's keys at once (every row is compared); a later column, read only for ties,
// makes a row's keys when a comparison first needs them. Numbers and dates are always made so.
void TNovaStringGrid::SortKeys::activateFast(Fast &f, TSortStyle style, const QString &prefix, const QString &suffix)
{
    const bool noCase = G.FSortSettings->IgnoreCase();
    f.bits = false;
    f.textKey = tkNone;
    switch (style) {
    case ssAutomatic:
        f.bits = true;
        f.textKey = noCase ? tkFolded : tkText;
        break;
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase:
        f.bits = true;
        f.textKey = style == ssAlphaNumeric ? tkText : tkFolded;
        break;
    case ssAlphabetic:
    case ssAlphaCase:
        f.textKey = tkText;
        break;
    case ssAlphaNoCase:
        f.textKey = tkFolded;
        break;
    case ssAnsiAlphaCase:
        f.textKey = tkCollate;
        break;
    case ssAnsiAlphaNoCase:
        f.textKey = tkCollateNoCase;
        break;
    case ssNumeric:
    case ssFinancial:
    case ssDate:
    case ssDateTime:
    case ssTime:
    case ssShortDateEU:
    case ssShortDateUS:
        break;
    default: // custom, raw, markup, images and check boxes compare the general way
        f.off = true;
        return;
    }
    f.active = true;
    f.style = style;
    f.prefix = prefix;
    f.suffix = suffix;
    f.noCase = noCase;
    const std::size_t n = f.count;
    if (f.textKey == tkCollate || f.textKey == tkCollateNoCase)
        f.collKeys.resize(n);
    if (&f != &First)
        return;
    fillAll(f);
    // The partition's pivot copy was taken before the keys existed; no swap has been made yet, so
    // the records are still in row order.
    if (Pivot.row >= f.left && Pivot.row - f.left < int(n))
        Pivot = f.recs[std::size_t(Pivot.row - f.left)];
}

QString TNovaStringGrid::SortKeys::textOf(const Fast &f, const Rec &r)
{
    return QString::fromRawData(reinterpret_cast<const QChar *>(f.buf.data() + r.off), r.len);
}

void TNovaStringGrid::SortKeys::fill(Fast &f, Rec &r)
{
    r.off = f.buf.size();
    appendText(f.col, r.row, f.buf);
    r.len = int(f.buf.size() - r.off);
    r.flags |= rfMade;
    // The grid's own cell type of a cell with no object is no check box: known without asking.
    if (BaseGrid && !G.Store().RowHasObjects(r.row) && !(f.col == 0 && G.FMouseActions->HotmailRowSelect()))
        r.flags |= rfTypeKnown;
    ++f.made;
    if (r.len == 0)
        r.flags |= rfEmpty;
    if (f.bits)
        r.bits = makeAuto(textOf(f, r));
    if (f.textKey == tkFolded) {
        f.fold.append(f.buf, r.off, std::size_t(r.len));
        for (std::size_t k = r.off; k < f.fold.size(); ++k)
            if (f.fold[k] >= u'a' && f.fold[k] <= u'z')
                f.fold[k] = char16_t(f.fold[k] - 32);
    }
    if (f.textKey == tkText || f.textKey == tkFolded) {
        // The head orders two texts as their units do wherever the heads differ; the texts are
        // read only where they begin alike (an ordinal order of units, the shorter text first).
        const char16_t *u = (f.textKey == tkFolded ? f.fold : f.buf).data() + r.off;
        r.head = 0;
        for (int k = 0; k < 4; ++k)
            r.head = (r.head << 16) | (k < r.len ? u[k] : 0);
    } else if (f.textKey == tkCollate || f.textKey == tkCollateNoCase) {
        f.collKeys[std::size_t(r.row - f.left)].emplace(
            collator(f.textKey == tkCollateNoCase).sortKey(textOf(f, r)));
    }
}

double TNovaStringGrid::SortKeys::fastNum(Fast &f, Rec &r, int kind, bool &ok)
{
    if (kind == nkNumeric || kind == nkFinancial) {
        if (!r.numState) {
            double v = 0;
            r.numState = makeNum(kind, f.prefix, f.suffix, textOf(f, r), f.col, r.row, v) ? 1 : 2;
            r.num = v;
        }
        ok = r.numState == 1;
        return r.num;
    }
    ok = true;
    const std::size_t i = std::size_t(r.row - f.left);
    if (r.dtKind == kind + 1)
        return f.dt[i];
    double v = 0;
    makeNum(kind, f.prefix, f.suffix, textOf(f, r), f.col, r.row, v);
    if (!r.dtKind) { // a cell read both as a date and as a time keeps the first
        if (f.dt.empty())
            f.dt.resize(f.count);
        f.dt[i] = v;
        r.dtKind = std::uint8_t(kind + 1);
    }
    return v;
}

TSortStyle TNovaStringGrid::SortKeys::pairStyle(TSortStyle style, std::uint8_t b1, std::uint8_t b2, bool noCase)
{
    if (style == ssAutomatic) {
        if (b1 & abNumber)
            return ssNumeric;
        if (b1 & abDatePos23) {
            if ((b1 & abDateAt) && (b2 & abHasDate))
                return (b1 & abHasTime) ? ssDateTime : ssDate;
        } else if ((b1 & abTimeAt) && (b2 & abHasTime)) {
            return ssTime;
        }
        return noCase ? ssAlphaNoCase : ssAlphabetic;
    }
    if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        if ((b1 & abNumber) && (b2 & abNumber))
            return ssNumeric;
        return style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }
    return style;
}

// The style of the pair as the general way resolves it; general is set for a check-box cell.
[[gnu::always_inline]] inline TSortStyle TNovaStringGrid::SortKeys::resolveFast(Fast &f, Rec &a, Rec &b, bool &general)
{
    if (f.style == ssAutomatic) {
        if (!(a.flags & rfTypeKnown))
            a.flags |= rfTypeKnown | (isCheckType(G.GetCellType(f.col, a.row)) ? rfCheck : 0);
        if (a.flags & rfCheck) {
            general = true;
            return f.style;
        }
    }
    return pairStyle(f.style, a.bits, b.bits, f.noCase);
}

int TNovaStringGrid::SortKeys::compareIn(Fast &f, Rec &a, Rec &b, bool Descending)
{
    // Where no hook answers, the format is the settings' own: the records' style when they were made
    // for it, so only the comparison is counted.
    if (f.active && formatIdle() && f.prefix.isEmpty() && f.suffix.isEmpty() && f.style == settingsStyle()
        && G.FSortSettings->IgnoreCase() == f.noCase) {
        ++G.Compares;
        return compareMade(f, a, b, Descending, f.style, f.prefix, f.suffix);
    }
    QString prefix, suffix;
    const TSortStyle style = askFormat(f.col, prefix, suffix);
    if (!f.active && !f.off)
        activateFast(f, style, prefix, suffix);
    // (Sizes first: two empty texts need no call to compare.)
    const auto differ = [](const QString &x, const QString &y) {
        return x.size() != y.size() || (!x.isEmpty() && x != y);
    };
    if (f.off || style != f.style || differ(prefix, f.prefix) || differ(suffix, f.suffix)
        || G.FSortSettings->IgnoreCase() != f.noCase)
        return compareStyled(f.col, a.row, b.row, Descending, style, prefix, suffix);
    return compareMade(f, a, b, Descending, style, prefix, suffix);
}

// The comparison of two records by the style their keys were made for.
int TNovaStringGrid::SortKeys::compareMade(Fast &f, Rec &a, Rec &b, bool Descending, TSortStyle style,
                                           const QString &prefix, const QString &suffix)
{
    if (!(a.flags & rfMade))
        fill(f, a);
    if (!(b.flags & rfMade))
        fill(f, b);
    bool general = false;
    const TSortStyle st = resolveFast(f, a, b, general);
    if (general)
        return compareStyled(f.col, a.row, b.row, Descending, style, prefix, suffix);

    int res = 0;
    switch (st) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAlphaNoCase: {
        if (a.head != b.head) {
            res = a.head < b.head ? -1 : 1;
            break;
        }
        const std::u16string &units = f.textKey == tkFolded ? f.fold : f.buf;
        const QStringView s1(units.data() + a.off, a.len);
        const QStringView s2(units.data() + b.off, b.len);
        res = std::clamp(s1.compare(s2), -1, 1);
        break;
    }
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase:
        res = std::clamp(
            f.collKeys[std::size_t(a.row - f.left)]->compare(*f.collKeys[std::size_t(b.row - f.left)]), -1, 1);
        break;
    default: { // numbers and dates
        const int kind = numKind(st);
        if ((kind == nkNumeric || kind == nkFinancial) && a.numState && b.numState) {
            res = (a.numState == 2 && b.numState == 2) ? 0 : sign(a.num, b.num);
            break;
        }
        bool ok1 = false, ok2 = false;
        const double v1 = fastNum(f, a, kind, ok1);
        const double v2 = fastNum(f, b, kind, ok2);
        res = (!ok1 && !ok2) ? 0 : sign(v1, v2);
        break;
    }
    }
    if (G.FSortSettings->IgnoreBlanks())
        res = blanks(res, a.flags & rfEmpty, b.flags & rfEmpty, Descending);
    return res;
}

void TNovaStringGrid::SortKeys::carryTies(int ACol, bool Descending, bool Invert)
{
    TieKeys.col = -1;
    if (!Cache || !formatIdle() || ACol < 0 || ACol >= G.AllColCount() || ignored(ACol))
        return;
    TieKeys.col = ACol;
    TieKeys.desc = Descending;
    TieKeys.invert = Invert;
    TieKeys.style = settingsStyle();
    TieKeys.noCase = G.FSortSettings->IgnoreCase();
}

void TNovaStringGrid::SortKeys::fillTie(Rec &r)
{
    std::u16string &t = TieKeys.text;
    t.clear();
    appendText(TieKeys.col, r.row, t);
    r.tieFlags = rfMade | (t.empty() ? rfEmpty : 0);
    if (BaseGrid && !G.Store().RowHasObjects(r.row) && !(TieKeys.col == 0 && G.FMouseActions->HotmailRowSelect()))
        r.tieFlags |= rfTypeKnown;
    if (TieKeys.style == ssAutomatic)
        r.tieBits = makeAuto(QString::fromRawData(reinterpret_cast<const QChar *>(t.data()), qsizetype(t.size())));
    const bool fold = TieKeys.style == ssAlphaNoCase || (TieKeys.style == ssAutomatic && TieKeys.noCase);
    r.tieLen = std::uint8_t(std::min<std::size_t>(t.size(), 255));
    for (std::size_t h = 0; h < 2; ++h) {
        std::uint64_t v = 0;
        for (std::size_t k = 4 * h; k < 4 * h + 4; ++k) {
            char16_t u = k < t.size() ? t[k] : 0;
            if (fold && u >= u'a' && u <= u'z')
                u = char16_t(u - 32);
            v = (v << 16) | u;
        }
        r.tieHead[h] = v;
    }
}

int TNovaStringGrid::SortKeys::compareTie(const Rec &a, const Rec &b)
{
    if (TieKeys.col < 0 || !(a.tieFlags & b.tieFlags & rfMade) || !(a.tieFlags & rfTypeKnown) || !formatIdle()
        || settingsStyle() != TieKeys.style || G.FSortSettings->IgnoreCase() != TieKeys.noCase)
        return 0;
    // Equal heads decide only two texts that end within them.
    const bool same = a.tieHead[0] == b.tieHead[0] && a.tieHead[1] == b.tieHead[1];
    if (same && (a.tieLen != b.tieLen || a.tieLen > 8))
        return 0;
    const TSortStyle st = pairStyle(TieKeys.style, a.tieBits, b.tieBits, TieKeys.noCase);
    if (st != ssAlphabetic && st != ssAlphaNoCase) // the pair's style must be a text one
        return 0;
    ++G.Compares;
    if (same)
        return TieEqual;
    int res = a.tieHead[0] != b.tieHead[0] ? (a.tieHead[0] < b.tieHead[0] ? -1 : 1)
                                           : (a.tieHead[1] < b.tieHead[1] ? -1 : 1);
    if (G.FSortSettings->IgnoreBlanks())
        res = blanks(res, a.tieFlags & rfEmpty, b.tieFlags & rfEmpty, TieKeys.desc);
    return TieKeys.invert ? -res : res;
}

bool TNovaStringGrid::SortKeys::selfTie(int ACol)
{
    if (!formatIdle())
        return false;
    for (const int last = G.AllColCount() - 1; ACol <= last; ++ACol)
        G.Compares += ignored(ACol) ? 0 : 1;
    return true;
}

bool TNovaStringGrid::SortKeys::selfTieIndexed(int Index)
{
    if (!formatIdle())
        return false;
    for (; Index < G.FSortIndexes->Count(); ++Index)
        G.Compares += ignored(G.FSortIndexes->GetInteger(Index) & 0x7FFFFFFF) ? 0 : 1;
    return true;
}

int TNovaStringGrid::SortKeys::compareFast(Rec &a, Rec &b, bool Descending)
{
    return compareIn(First, a, b, Descending);
}

int TNovaStringGrid::SortKeys::compareRowsFast(int ACol, int R1, int R2)
{
    const bool desc = G.FSortSettings->Direction() == sdDescending;
    const int last = G.AllColCount() - 2;
    for (;; ++ACol) {
        int r = 0;
        if (!ignored(ACol)) {
            Fast &f = *laterColumn(ACol);
            Rec &a = laterRec(f, R1);
            r = compareIn(f, a, laterRec(f, R2), desc);
        }
        if (r != 0 || !G.FSortSettings->Full() || ACol > last)
            return r;
    }
}

int TNovaStringGrid::SortKeys::compareRowsIndexedFast(int Index, int R1, int R2)
{
    for (; Index < G.FSortIndexes->Count(); ++Index) {
        const int e = G.FSortIndexes->GetInteger(Index);
        const bool desc = e < 0;
        const int col = e & 0x7FFFFFFF;
        int r = 0;
        if (!ignored(col)) {
            Fast &f = *laterColumn(col);
            Rec &a = laterRec(f, R1);
            r = compareIn(f, a, laterRec(f, R2), desc);
        }
        if (r != 0 || !G.FSortSettings->Full())
            return desc ? -r : r;
    }
    return 0;
}
