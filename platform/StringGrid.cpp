#include "platform/StringGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <climits>
#include <utility>

// ---- packed rows ---------------------------------------------------------------------------------
// A row is a sequence of cells [varint byte length][code units]; a code unit below 0x80 takes one
// byte, below 0x4000 two (0x80 | high six bits, low byte), else three (0xC0, high, low). Lossless
// for any UTF-16 text, one byte per character for plain ASCII.

namespace {

void putVarint(std::string &s, std::uint32_t v)
{
    while (v >= 0x80) {
        s.push_back(char(0x80 | (v & 0x7F)));
        v >>= 7;
    }
    s.push_back(char(v));
}

std::uint32_t getVarint(const std::string &s, std::size_t &pos)
{
    std::uint32_t v = 0;
    int shift = 0;
    while (pos < s.size()) {
        const auto b = std::uint8_t(s[pos++]);
        v |= std::uint32_t(b & 0x7F) << shift;
        if (!(b & 0x80))
            break;
        shift += 7;
    }
    return v;
}

// Appends the code units of text to out.
void appendUnits(std::string &out, const QString &text)
{
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.push_back(char(u));
        } else if (u < 0x4000) {
            out.push_back(char(0x80 | (u >> 8)));
            out.push_back(char(u & 0xFF));
        } else {
            out.push_back(char(0xC0));
            out.push_back(char(u >> 8));
            out.push_back(char(u & 0xFF));
        }
    }
}

std::string encodeUnits(const QString &text)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    appendUnits(out, text);
    return out;
}

// The units of text are as many bytes as characters when every character is below 0x80.
bool isAscii(const QString &text)
{
    for (QChar ch : text)
        if (ch.unicode() >= 0x80)
            return false;
    return true;
}

// Decodes n bytes into d (room for n units); answers the units written.
std::size_t decodeUnitsTo(const char *p, std::size_t n, char16_t *d)
{
    std::size_t k = 0;
    std::size_t i = 0;
    while (i < n) {
        const auto b = std::uint8_t(p[i]);
        if (b < 0x80) {
            d[k++] = char16_t(b);
            i += 1;
        } else if (b < 0xC0) {
            if (i + 1 >= n)
                break;
            d[k++] = char16_t(((b & 0x3F) << 8) | std::uint8_t(p[i + 1]));
            i += 2;
        } else {
            if (i + 2 >= n)
                break;
            d[k++] = char16_t((std::uint8_t(p[i + 1]) << 8) | std::uint8_t(p[i + 2]));
            i += 3;
        }
    }
    return k;
}

QString decodeUnits(const char *p, std::size_t n)
{
    // Written straight into the string's buffer: never more characters than bytes.
    QString out(qsizetype(n), Qt::Uninitialized);
    out.truncate(qsizetype(decodeUnitsTo(p, n, reinterpret_cast<char16_t *>(out.data()))));
    return out;
}

// Finds cell col of a packed row: its payload start and length, walking from cell fromCol, which
// starts at byte fromPos. False when the row is shorter; cells then counts its cells.
bool locate(const std::string &s, int col, std::size_t &start, std::size_t &len, std::size_t &cellStart,
            int fromCol = 0, std::size_t fromPos = 0, int *cells = nullptr)
{
    std::size_t pos = fromPos;
    int c = fromCol;
    for (; pos < s.size(); ++c) {
        cellStart = pos;
        const std::uint32_t n = getVarint(s, pos);
        if (c == col) {
            start = pos;
            len = n;
            return true;
        }
        pos += n;
    }
    cellStart = s.size();
    if (cells)
        *cells = c;
    return false;
}

int countCells(const std::string &s)
{
    int n = 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        pos += getVarint(s, pos);
        ++n;
    }
    return n;
}

void trimTrailingEmpty(std::string &s)
{
    std::size_t pos = 0, keep = 0;
    while (pos < s.size()) {
        const std::uint32_t n = getVarint(s, pos);
        pos += n;
        if (n > 0)
            keep = pos;
    }
    s.resize(keep);
}

// The packed form of one cell: its length, then its code units.
std::string packCell(const std::string &units)
{
    std::string cell;
    putVarint(cell, std::uint32_t(units.size()));
    cell += units;
    return cell;
}

// Puts a packed cell at col, shifting the cells from col on one to the right.
void insertCell(std::string &s, int col, const std::string &cell)
{
    std::size_t start = 0, len = 0, cs = 0;
    if (locate(s, col, start, len, cs)) {
        s.insert(cs, cell);
    } else {
        s.append(std::size_t(col - countCells(s)), '\0');
        s += cell;
    }
    trimTrailingEmpty(s);
}

} // namespace

// ---- cell store ----------------------------------------------------------------------------------

TGridCellStore::TGridCellStore() = default;
TGridCellStore::~TGridCellStore() = default;

// A store moved from is left empty (its last row must not point into the blocks it gave away).
TGridCellStore::TGridCellStore(TGridCellStore &&other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_lastRow(std::exchange(other.m_lastRow, -1)),
      m_objectCount(std::exchange(other.m_objectCount, 0))
{
    other.m_blocks.clear();
    other.m_hintRow = -1;
}

TGridCellStore &TGridCellStore::operator=(TGridCellStore &&other) noexcept
{
    if (this != &other) {
        m_blocks = std::move(other.m_blocks);
        other.m_blocks.clear();
        m_lastRow = std::exchange(other.m_lastRow, -1);
        m_objectCount = std::exchange(other.m_objectCount, 0);
        m_hintRow = -1;
        other.m_hintRow = -1;
    }
    return *this;
}

TGridCellStore::TGridCellStore(const TGridCellStore &other)
{
    *this = other;
}

TGridCellStore &TGridCellStore::operator=(const TGridCellStore &other)
{
    if (this == &other)
        return *this;
    Clear();
    for (int r = other.NextRow(0); r >= 0; r = r == INT_MAX ? -1 : other.NextRow(r + 1))
        put(r, RowData(*other.find(r)));
    m_objectCount = other.m_objectCount;
    return *this;
}

TGridCellStore::RowData &TGridCellStore::rowFor(int row)
{
    m_hintRow = -1; // whoever asks for a row may change it

    const auto bi = std::size_t(row >> (kLeafBits + kBlockBits));
    if (bi >= m_blocks.size())
        m_blocks.resize(bi + 1);
    std::unique_ptr<Block> &b = m_blocks[bi];
    if (!b)
        b = std::make_unique<Block>();
    std::unique_ptr<Leaf> &l = b->leaves[(row >> kLeafBits) & ((1 << kBlockBits) - 1)];
    if (!l) {
        l = m_spareLeaf ? std::move(m_spareLeaf) : std::make_unique<Leaf>();
        ++b->used;
    }
    return l->rows[row & ((1 << kLeafBits) - 1)];
}

void TGridCellStore::settle(int row, bool wasEmpty)
{
    const auto bi = std::size_t(row >> (kLeafBits + kBlockBits));
    if (bi >= m_blocks.size() || !m_blocks[bi])
        return;
    Block &b = *m_blocks[bi];
    std::unique_ptr<Leaf> &l = b.leaves[(row >> kLeafBits) & ((1 << kBlockBits) - 1)];
    if (!l)
        return;
    const bool isEmpty = l->rows[row & ((1 << kLeafBits) - 1)].empty();
    if (wasEmpty && !isEmpty) {
        ++l->used;
        m_lastRow = std::max(m_lastRow, row);
    } else if (!wasEmpty && isEmpty) {
        --l->used;
    }
    if (l->used == 0) {
        // The leaf holds nothing any more (or was made for nothing): it goes, and so does an empty block.
        if (!m_spareLeaf)
            m_spareLeaf = std::move(l);
        else
            l.reset();
        if (--b.used == 0) {
            m_blocks[bi].reset();
            while (!m_blocks.empty() && !m_blocks.back())
                m_blocks.pop_back();
        }
    }
    if (isEmpty && row == m_lastRow)
        m_lastRow = prevRow(row);
}

int TGridCellStore::NextRow(int from) const
{
    from = std::max(from, 0);
    constexpr int leafRows = 1 << kLeafBits;
    constexpr int blockLeaves = 1 << kBlockBits;
    while (from <= m_lastRow) {
        const Block *b = m_blocks[std::size_t(from >> (kLeafBits + kBlockBits))].get();
        if (!b) { // on to the next block
            const long long next = ((static_cast<long long>(from) >> (kLeafBits + kBlockBits)) + 1) << (kLeafBits + kBlockBits);
            if (next > m_lastRow)
                return -1;
            from = int(next);
            continue;
        }
        const Leaf *l = b->leaves[(from >> kLeafBits) & (blockLeaves - 1)].get();
        if (l) {
            for (int i = from & (leafRows - 1); i < leafRows; ++i)
                if (!l->rows[i].empty())
                    return (from & ~(leafRows - 1)) + i;
        }
        const long long next = ((static_cast<long long>(from) >> kLeafBits) + 1) << kLeafBits;
        if (next > m_lastRow)
            return -1;
        from = int(next);
    }
    return -1;
}

int TGridCellStore::prevRow(int from) const
{
    from = std::min(from, m_lastRow);
    constexpr int leafRows = 1 << kLeafBits;
    constexpr int blockLeaves = 1 << kBlockBits;
    while (from >= 0) {
        const auto bi = std::size_t(from >> (kLeafBits + kBlockBits));
        const Block *b = bi < m_blocks.size() ? m_blocks[bi].get() : nullptr;
        if (!b) { // back to the end of the previous block
            from = int(bi << (kLeafBits + kBlockBits)) - 1;
            continue;
        }
        const Leaf *l = b->leaves[(from >> kLeafBits) & (blockLeaves - 1)].get();
        if (l) {
            for (int i = from & (leafRows - 1); i >= 0; --i)
                if (!l->rows[i].empty())
                    return (from & ~(leafRows - 1)) + i;
        }
        from = (from & ~(leafRows - 1)) - 1;
    }
    return -1;
}

TGridCellStore::RowData TGridCellStore::take(int row)
{
    RowData out;
    const RowData *rd = find(row);
    if (!rd || rd->empty())
        return out;
    RowData &slot = rowFor(row);
    out = std::move(slot);
    slot = RowData();
    settle(row, false);
    return out;
}

void TGridCellStore::put(int row, RowData &&data)
{
    if (data.empty())
        return;
    rowFor(row) = std::move(data);
    settle(row, true);
}

QString TGridCellStore::Text(int col, int row) const
{
    const RowData *rd = col >= 0 ? find(row) : nullptr;
    if (!rd)
        return QString();
    std::size_t start = 0, len = 0, cs = 0;
    if (!locate(rd->packed, col, start, len, cs))
        return QString();
    return decodeUnits(rd->packed.data() + start, len);
}

void TGridCellStore::TextInto(int col, int row, QString &out) const
{
    const RowData *rd = col >= 0 ? find(row) : nullptr;
    std::size_t start = 0, len = 0, cs = 0;
    if (!rd || !locate(rd->packed, col, start, len, cs)) {
        if (!out.isNull()) // a missing cell reads as a null text, as from Text
            out.resize(0);
        return;
    }
    out.resize(qsizetype(len));
    out.truncate(qsizetype(decodeUnitsTo(rd->packed.data() + start, len, reinterpret_cast<char16_t *>(out.data()))));
}

bool TGridCellStore::AsciiView(int col, int row, std::string_view &out) const
{
    out = {};
    const RowData *rd = col >= 0 ? find(row) : nullptr;
    std::size_t start = 0, len = 0, cs = 0;
    if (!rd || !locate(rd->packed, col, start, len, cs))
        return true;
    const char *p = rd->packed.data() + start;
    for (std::size_t i = 0; i < len; ++i)
        if (std::uint8_t(p[i]) >= 0x80) // the first byte of a wider unit
            return false;
    out = std::string_view(p, len);
    return true;
}

void TGridCellStore::AppendText(int col, int row, std::u16string &out) const
{
    const RowData *rd = col >= 0 ? find(row) : nullptr;
    std::size_t start = 0, len = 0, cs = 0;
    if (!rd || !locate(rd->packed, col, start, len, cs))
        return;
    const std::size_t at = out.size();
    out.resize(at + len);
    out.resize(at + decodeUnitsTo(rd->packed.data() + start, len, out.data() + at));
}

void TGridCellStore::ExchangeCells(int c1, int r1, int c2, int r2)
{
    const QString t = Text(c1, r1);
    TObject *o = Object(c1, r1);
    SetText(c1, r1, Text(c2, r2));
    SetObject(c1, r1, Object(c2, r2));
    SetText(c2, r2, t);
    SetObject(c2, r2, o);
}

bool TGridCellStore::IsEmpty(int col, int row) const
{
    const RowData *rd = col >= 0 ? find(row) : nullptr;
    std::size_t start = 0, len = 0, cs = 0;
    const bool hinted = row == m_hintRow && col >= m_hintCol;
    return !rd || !locate(rd->packed, col, start, len, cs, hinted ? m_hintCol : 0, hinted ? m_hintPos : 0) || len == 0;
}

void TGridCellStore::SetText(int col, int row, const QString &text)
{
    if (row < 0 || col < 0 || col >= MaxCols)
        return;
    if (text.isEmpty() && IsEmpty(col, row))
        return;
    const RowData *old = find(row);
    const bool wasEmpty = !old || old->empty();
    // A row filled from left to right is walked from where the last cell was written.
    const bool hinted = row == m_hintRow && col >= m_hintCol;
    const int fromCol = hinted ? m_hintCol : 0;
    const std::size_t fromPos = hinted ? m_hintPos : 0;
    std::string &s = rowFor(row).packed;
    std::size_t start = 0, len = 0, cs = 0;
    std::size_t cellEnd = 0;
    int cells = 0;
    if (locate(s, col, start, len, cs, fromCol, fromPos, &cells)) {
        if (len == std::size_t(text.size()) && isAscii(text)) {
            // As many plain characters as the old units: overwritten where they stand.
            for (std::size_t i = 0; i < len; ++i)
                s[start + i] = char(text.at(qsizetype(i)).unicode());
            if (!text.isEmpty()) {
                m_hintRow = row;
                m_hintCol = col + 1;
                m_hintPos = start + len;
            }
            settle(row, wasEmpty);
            return;
        }
        const std::string cell = packCell(encodeUnits(text));
        s.replace(cs, start + len - cs, cell);
        cellEnd = cs + cell.size();
    } else {
        // A cell past the row's last one (rows are mostly written from left to right): its
        // length and units go straight onto the row.
        s.append(std::size_t(col - cells), '\0');
        if (isAscii(text)) {
            putVarint(s, std::uint32_t(text.size()));
            appendUnits(s, text);
        } else {
            s += packCell(encodeUnits(text));
        }
        cellEnd = s.size();
    }
    if (text.isEmpty()) {
        trimTrailingEmpty(s);
    } else {
        m_hintRow = row;
        m_hintCol = col + 1;
        m_hintPos = cellEnd;
    }
    settle(row, wasEmpty);
}

TObject *TGridCellStore::Object(int col, int row) const
{
    if (m_objectCount == 0 || col < 0)
        return nullptr;
    const RowData *rd = find(row);
    if (!rd)
        return nullptr;
    return col < int(rd->objects.size()) ? rd->objects[std::size_t(col)] : nullptr;
}

bool TGridCellStore::RowHasObjects(int row) const
{
    if (m_objectCount == 0)
        return false;
    const RowData *rd = find(row);
    return rd && !rd->objects.empty();
}

int TGridCellStore::NextObjectCol(int row, int from) const
{
    const RowData *rd = m_objectCount > 0 ? find(row) : nullptr;
    if (!rd)
        return -1;
    for (int c = std::max(from, 0); c < int(rd->objects.size()); ++c)
        if (rd->objects[std::size_t(c)])
            return c;
    return -1;
}

void TGridCellStore::SetObject(int col, int row, TObject *obj)
{
    if (row < 0 || col < 0 || col >= MaxCols)
        return;
    if (!obj && !Object(col, row))
        return;
    const RowData *old = find(row);
    const bool wasEmpty = !old || old->empty();
    RowData &rd = rowFor(row);
    if (col >= int(rd.objects.size()))
        rd.objects.resize(std::size_t(col) + 1, nullptr);
    TObject *&slot = rd.objects[std::size_t(col)];
    if (slot)
        --m_objectCount;
    slot = obj;
    if (obj)
        ++m_objectCount;
    if (!obj) {
        while (!rd.objects.empty() && !rd.objects.back())
            rd.objects.pop_back();
        if (rd.objects.empty())
            rd.objects.shrink_to_fit();
    }
    settle(row, wasEmpty);
}

int TGridCellStore::CellsInRow(int row) const
{
    const RowData *rd = find(row);
    if (!rd)
        return 0;
    return std::max(countCells(rd->packed), int(rd->objects.size()));
}

QStringList TGridCellStore::RowTexts(int row) const
{
    const RowData *rd = find(row);
    return rd ? rd->Texts() : QStringList();
}

int TGridCellStore::PackedRow::CellCount() const
{
    return std::max(countCells(packed), int(objects.size()));
}

QStringList TGridCellStore::PackedRow::Texts() const
{
    QStringList out;
    std::size_t pos = 0;
    while (pos < packed.size()) {
        const std::uint32_t n = getVarint(packed, pos);
        out << decodeUnits(packed.data() + pos, n);
        pos += n;
    }
    return out;
}

std::size_t TGridCellStore::PackedRow::LongLength(std::size_t &Pos) const
{
    return getVarint(packed, Pos);
}

TGridCellStore::PackedRow TGridCellStore::TakeRow(int row)
{
    PackedRow out = take(row);
    for (TObject *o : out.objects)
        if (o)
            --m_objectCount;
    return out;
}

void TGridCellStore::PutRow(int row, PackedRow &&data)
{
    if (row < 0)
        return;
    TakeRow(row);
    for (TObject *o : data.objects)
        if (o)
            ++m_objectCount;
    put(row, std::move(data));
}

void TGridCellStore::MoveRow(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    RowData moving = take(from);
    // Only rows that hold something move; each lands on a row already emptied.
    if (from < to) {
        for (int r = NextRow(from + 1); r >= 0 && r <= to; r = r == INT_MAX ? -1 : NextRow(r + 1))
            put(r - 1, take(r));
    } else {
        for (int r = prevRow(from - 1); r >= to; r = r == 0 ? -1 : prevRow(r - 1))
            put(r + 1, take(r));
    }
    put(to, std::move(moving));
}

void TGridCellStore::ExchangeRows(int a, int b)
{
    if (a < 0 || b < 0 || a == b)
        return;
    // Two rows that both hold something trade places in their slots: no row or leaf is booked.
    const RowData *pa = find(a), *pb = find(b);
    if (pa && pb && !pa->empty() && !pb->empty()) {
        std::swap(rowFor(a), rowFor(b));
        return;
    }
    RowData ra = take(a);
    RowData rb = take(b);
    put(a, std::move(rb));
    put(b, std::move(ra));
}

void TGridCellStore::MoveCol(int from, int to)
{
    if (from < 0 || to < 0 || from == to || from >= MaxCols || to >= MaxCols)
        return;
    for (int r = NextRow(0); r >= 0; r = r == INT_MAX ? -1 : NextRow(r + 1)) {
        RowData &rd = rowFor(r);
        std::string &s = rd.packed;
        std::size_t start = 0, len = 0, cs = 0;
        if (locate(s, from, start, len, cs)) {
            const std::string cell = s.substr(cs, start + len - cs);
            s.erase(cs, start + len - cs);
            insertCell(s, to, cell);
        } else if (to < countCells(s)) {
            insertCell(s, to, packCell({}));
        }
        auto &objs = rd.objects;
        if (!objs.empty()) {
            TObject *o = nullptr;
            if (from < int(objs.size())) {
                o = objs[std::size_t(from)];
                objs.erase(objs.begin() + from);
            }
            if (to < int(objs.size()))
                objs.insert(objs.begin() + to, o);
            else if (o) {
                objs.resize(std::size_t(to) + 1, nullptr);
                objs[std::size_t(to)] = o;
            }
            while (!objs.empty() && !objs.back())
                objs.pop_back();
        }
        settle(r, false);
    }
}

void TGridCellStore::Clear()
{
    m_hintRow = -1;
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_lastRow = -1;
    m_objectCount = 0;
}

std::size_t TGridCellStore::MemoryBytes() const
{
    std::size_t n = m_blocks.capacity() * sizeof(std::unique_ptr<Block>);
    for (const auto &b : m_blocks) {
        if (!b)
            continue;
        n += sizeof(Block);
        for (const auto &l : b->leaves) {
            if (!l)
                continue;
            n += sizeof(Leaf);
            for (const RowData &rd : l->rows) {
                if (rd.packed.capacity() > 15)
                    n += rd.packed.capacity() + 1;
                n += rd.objects.capacity() * sizeof(TObject *);
            }
        }
    }
    return n;
}

// ---- in-place editor -------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TStringGrid *grid) : QLineEdit(grid->viewport()), m_grid(grid)
{
    setFrame(false);
    hide();
    connect(this, &QLineEdit::textEdited, this, [this](const QString &) { Change(); });
}

void TInplaceEdit::UpdateContents()
{
    EditCol = m_grid->Col();
    EditRow = m_grid->Row();
    const QString mask = m_grid->GetEditInputMask(EditCol, EditRow);
    if (inputMask() != mask)
        setInputMask(mask);
    const int limit = m_grid->GetEditLimit();
    setMaxLength(limit > 0 ? limit : 32767);
    m_grid->m_editOriginal = m_grid->GetEditText(EditCol, EditRow);
    setText(m_grid->m_editOriginal);
}

void TInplaceEdit::BoundsChanged()
{
    const QRect r = m_grid->CellBounds(m_grid->Col(), m_grid->Row());
    if (r.isEmpty())
        move(-10000, -10000);
    else
        setGeometry(r);
}

void TInplaceEdit::Change()
{
    m_grid->SetEditText(EditCol, EditRow, text());
}

void TInplaceEdit::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_grid->editorKey(key, shift);
        key = 0;
        break;
    default:
        break;
    }
}

void TInplaceEdit::KeyUp(int &, Qt::KeyboardModifiers) {}

void TInplaceEdit::KeyPress(QChar &) {}

void TInplaceEdit::keyPressEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyDown(key, e->modifiers());
    if (key == 0)
        return;
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QChar ch = t.at(0);
        KeyPress(ch);
        if (ch.isNull())
            return;
        if (ch != t.at(0)) {
            insert(QString(ch));
            Change();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TInplaceEdit::keyReleaseEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyUp(key, e->modifiers());
    if (key != 0)
        QLineEdit::keyReleaseEvent(e);
}

// ---- grid ------------------------------------------------------------------------------------

TStringGrid::TStringGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    m_colWidths.assign(std::size_t(m_colCount), m_defaultColWidth);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    updateScrollBars();
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCell(int col, int row, const QString &text)
{
    m_store.SetText(col, row, text);
    InvalidateCell(col, row);
}

void TStringGrid::SetColCount(int n)
{
    n = std::clamp(n, 1, TGridCellStore::MaxCols); // every cell inside the counts can be stored
    if (n == m_colCount)
        return;
    const int oldCols = m_colCount;
    if (n <= m_fixedCols)
        m_fixedCols = n - 1;
    m_colCount = n;
    m_colWidths.resize(std::size_t(n), m_defaultColWidth);
    if (m_col >= n || m_anchorCol >= n) {
        m_col = std::min(m_col, n - 1);
        m_anchorCol = std::min(m_anchorCol, n - 1);
    }
    m_col = std::max(m_col, std::min(m_fixedCols, n - 1));
    m_selection.Left = std::min(m_selection.Left, n - 1);
    m_selection.Right = std::min(m_selection.Right, n - 1);
    m_leftCol = std::clamp(m_leftCol, std::min(m_fixedCols, n - 1), std::max(std::min(m_fixedCols, n - 1), maxLeftCol()));
    SizeChanged(oldCols, m_rowCount);
    updateScrollBars();
    if (m_editorMode && (m_col >= m_colCount || m_row >= m_rowCount || m_editor->EditCol >= m_colCount || m_editor->EditRow >= m_rowCount))
        HideEditor();
    updateEditor();
    viewport()->update();
}

void TStringGrid::SetRowCount(int n)
{
    n = std::max(1, n);
    if (n == m_rowCount)
        return;
    const int oldRows = m_rowCount;
    if (n <= m_fixedRows)
        m_fixedRows = n - 1;
    m_rowCount = n;
    if (!m_rowHeights.empty())
        m_rowHeights.resize(std::size_t(n), m_defaultRowHeight);
    m_row = std::min(m_row, n - 1);
    m_anchorRow = std::min(m_anchorRow, n - 1);
    m_row = std::max(m_row, std::min(m_fixedRows, n - 1));
    m_selection.Top = std::min(m_selection.Top, n - 1);
    m_selection.Bottom = std::min(m_selection.Bottom, n - 1);
    m_topRow = std::clamp(m_topRow, std::min(m_fixedRows, n - 1), std::max(std::min(m_fixedRows, n - 1), maxTopRow()));
    SizeChanged(m_colCount, oldRows);
    updateScrollBars();
    if (m_editorMode && (m_col >= m_colCount || m_row >= m_rowCount || m_editor->EditCol >= m_colCount || m_editor->EditRow >= m_rowCount))
        HideEditor();
    updateEditor();
    viewport()->update();
}

void TStringGrid::SetFixedCols(int n)
{
    n = std::clamp(n, 0, m_colCount - 1);
    if (n == m_fixedCols)
        return;
    m_fixedCols = n;
    m_leftCol = std::max(m_leftCol, n);
    if (m_col < n)
        moveCurrent(n, m_row, true, true);
    updateScrollBars();
    viewport()->update();
}

void TStringGrid::SetFixedRows(int n)
{
    n = std::clamp(n, 0, m_rowCount - 1);
    if (n == m_fixedRows)
        return;
    m_fixedRows = n;
    m_topRow = std::max(m_topRow, n);
    if (m_row < n)
        moveCurrent(m_col, n, true, true);
    updateScrollBars();
    viewport()->update();
}

void TStringGrid::SetDefaultColWidth(int w)
{
    m_defaultColWidth = std::max(0, w);
    std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
    ColWidthsChanged();
    updateScrollBars();
    viewport()->update();
}

void TStringGrid::SetDefaultRowHeight(int h)
{
    m_defaultRowHeight = std::max(0, h);
    m_rowHeights.clear();
    m_rowHeights.shrink_to_fit();
    RowHeightsChanged();
    updateScrollBars();
    viewport()->update();
}

int TStringGrid::ColWidths(int col) const
{
    return col >= 0 && col < int(m_colWidths.size()) ? m_colWidths[std::size_t(col)] : m_defaultColWidth;
}

int TStringGrid::RowHeights(int row) const
{
    if (m_rowHeights.empty() || row < 0 || row >= int(m_rowHeights.size()))
        return m_defaultRowHeight;
    return m_rowHeights[std::size_t(row)];
}

void TStringGrid::SetColWidths(int col, int w)
{
    if (col < 0 || col >= m_colCount)
        return;
    w = std::max(0, w);
    if (m_colWidths[std::size_t(col)] == w)
        return;
    m_colWidths[std::size_t(col)] = w;
    ColWidthsChanged();
    updateScrollBars();
    updateEditor();
    viewport()->update();
}

void TStringGrid::SetRowHeights(int row, int h)
{
    if (row < 0 || row >= m_rowCount)
        return;
    h = std::max(0, h);
    if (RowHeights(row) == h)
        return;
    if (m_rowHeights.empty())
        m_rowHeights.assign(std::size_t(m_rowCount), m_defaultRowHeight);
    m_rowHeights[std::size_t(row)] = h;
    RowHeightsChanged();
    updateScrollBars();
    updateEditor();
    viewport()->update();
}

void TStringGrid::SetGridLineWidth(int w)
{
    m_gridLineWidth = std::max(0, w);
    updateScrollBars();
    viewport()->update();
}

void TStringGrid::SetOptions(TGridOptions o)
{
    if (o == m_options)
        return;
    m_options = o;
    if (m_options.Contains(goRowSelect)) {
        m_anchorCol = m_colCount - 1;
        m_col = std::min(m_fixedCols, m_colCount - 1);
        m_selection = {m_col, std::min(m_row, m_anchorRow), m_anchorCol, std::max(m_row, m_anchorRow)};
    }
    if (!m_options.Contains(goEditing))
        HideEditor();
    else if (m_options.Contains(goAlwaysShowEditor))
        ShowEditor();
    viewport()->update();
}

void TStringGrid::SetDefaultDrawing(bool on)
{
    m_defaultDrawing = on;
    viewport()->update();
}

// ---- geometry --------------------------------------------------------------------------------

// Before the first show the viewport has not been laid out yet; the size the grid was given counts then.
int TStringGrid::ClientWidth() const
{
    return testAttribute(Qt::WA_PendingResizeEvent) || !isVisible() ? maximumViewportSize().width() : viewport()->width();
}

int TStringGrid::ClientHeight() const
{
    return testAttribute(Qt::WA_PendingResizeEvent) || !isVisible() ? maximumViewportSize().height() : viewport()->height();
}

namespace {
// Sum of sizes (plus one line each) over [from, to): every index at the default size, corrected by
// the sizes set explicitly; 64-bit and capped, so no index range can overflow or take long.
int spanSum(int from, int to, const std::vector<int> &sizes, int defaultSize, int line)
{
    if (to <= from)
        return from == to ? 0 : -spanSum(to, from, sizes, defaultSize, line);
    long long sum = (static_cast<long long>(to) - from) * (defaultSize + line);
    const int last = int(std::min<long long>(to, static_cast<long long>(sizes.size())));
    for (int i = std::max(from, 0); i < last; ++i)
        sum += sizes[std::size_t(i)] - defaultSize;
    return int(std::min<long long>(sum, 0x3FFFFFFF));
}
} // namespace

int TStringGrid::ColSpanWidth(int from, int to) const
{
    return spanSum(from, to, m_colWidths, m_defaultColWidth, m_gridLineWidth);
}

int TStringGrid::RowSpanHeight(int from, int to) const
{
    return spanSum(from, to, m_rowHeights, m_defaultRowHeight, m_gridLineWidth);
}

int TStringGrid::ColPos(int col) const
{
    if (col < m_fixedCols)
        return ColSpanWidth(0, col);
    return ColSpanWidth(0, m_fixedCols) + ColSpanWidth(m_leftCol, col);
}

int TStringGrid::RowPos(int row) const
{
    if (row < m_fixedRows)
        return RowSpanHeight(0, row);
    return RowSpanHeight(0, m_fixedRows) + RowSpanHeight(m_topRow, row);
}

QRect TStringGrid::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return QRect();
    if ((col >= m_fixedCols && col < m_leftCol) || (row >= m_fixedRows && row < m_topRow))
        return QRect();
    const int x = ColPos(col);
    const int y = RowPos(row);
    if (x >= ClientWidth() || y >= ClientHeight())
        return QRect();
    return QRect(x, y, ColWidths(col), RowHeights(row));
}

void TStringGrid::MouseToCell(int x, int y, int &col, int &row) const
{
    const TGridCoord c = MouseCoord(x, y);
    col = c.X;
    row = c.Y;
}

TGridCoord TStringGrid::MouseCoord(int x, int y) const
{
    TGridCoord res{-1, -1};
    if (x >= 0 && x < ClientWidth()) {
        int pos = 0;
        for (int c = 0; c < m_colCount && pos < ClientWidth(); ++c) {
            if (c == m_fixedCols)
                c = m_leftCol;
            if (c >= m_colCount)
                break;
            const int w = ColWidths(c) + m_gridLineWidth;
            if (x >= pos && x < pos + w) {
                res.X = c;
                break;
            }
            pos += w;
        }
    }
    if (y >= 0 && y < ClientHeight()) {
        int pos = 0;
        for (int r = 0; r < m_rowCount && pos < ClientHeight(); ++r) {
            if (r == m_fixedRows)
                r = m_topRow;
            if (r >= m_rowCount)
                break;
            const int h = RowHeights(r) + m_gridLineWidth;
            if (y >= pos && y < pos + h) {
                res.Y = r;
                break;
            }
            pos += h;
        }
    }
    if (res.X < 0 || res.Y < 0)
        return {-1, -1};
    return res;
}

int TStringGrid::VisibleColCount() const
{
    const int avail = ClientWidth();
    int x = ColSpanWidth(0, m_fixedCols);
    int n = 0;
    for (int c = m_leftCol; c < m_colCount; ++c) {
        x += ColWidths(c);
        if (x > avail)
            break;
        x += m_gridLineWidth;
        ++n;
    }
    return m_leftCol < m_colCount ? std::max(1, n) : 0;
}

int TStringGrid::VisibleRowCount() const
{
    const int avail = ClientHeight();
    int y = RowSpanHeight(0, m_fixedRows);
    int n = 0;
    for (int r = m_topRow; r < m_rowCount; ++r) {
        y += RowHeights(r);
        if (y > avail)
            break;
        y += m_gridLineWidth;
        ++n;
    }
    return m_topRow < m_rowCount ? std::max(1, n) : 0;
}

int TStringGrid::maxTopRow() const
{
    const int avail = ClientHeight() - RowSpanHeight(0, m_fixedRows);
    int used = 0;
    int r = m_rowCount - 1;
    for (; r >= m_fixedRows; --r) {
        used += RowHeights(r);
        if (used > avail)
            break;
        used += m_gridLineWidth;
    }
    return std::max(m_fixedRows, std::min(r + 1, m_rowCount - 1));
}

int TStringGrid::maxLeftCol() const
{
    const int avail = ClientWidth() - ColSpanWidth(0, m_fixedCols);
    int used = 0;
    int c = m_colCount - 1;
    for (; c >= m_fixedCols; --c) {
        used += ColWidths(c);
        if (used > avail)
            break;
        used += m_gridLineWidth;
    }
    return std::max(m_fixedCols, std::min(c + 1, m_colCount - 1));
}

void TStringGrid::updateScrollBars()
{
    m_syncingScroll = true;
    QScrollBar *v = verticalScrollBar();
    const int vmax = std::max(0, maxTopRow() - m_fixedRows);
    v->setRange(0, vmax);
    v->setPageStep(std::max(1, VisibleRowCount()));
    v->setValue(m_topRow - m_fixedRows);
    QScrollBar *h = horizontalScrollBar();
    const int hmax = std::max(0, maxLeftCol() - m_fixedCols);
    h->setRange(0, hmax);
    h->setPageStep(std::max(1, VisibleColCount()));
    h->setValue(m_leftCol - m_fixedCols);
    m_syncingScroll = false;
}

void TStringGrid::scrollContentsBy(int, int)
{
    if (m_syncingScroll)
        return;
    const int top = verticalScrollBar()->value() + m_fixedRows;
    const int left = horizontalScrollBar()->value() + m_fixedCols;
    if (top != m_topRow || left != m_leftCol) {
        m_topRow = std::clamp(top, m_fixedRows, std::max(m_fixedRows, maxTopRow()));
        m_leftCol = std::clamp(left, m_fixedCols, std::max(m_fixedCols, maxLeftCol()));
        updateEditor();
        viewport()->update();
        TopLeftChanged();
    }
}

void TStringGrid::SetTopRow(int r)
{
    r = std::clamp(r, std::min(m_fixedRows, m_rowCount - 1), std::max(std::min(m_fixedRows, m_rowCount - 1), maxTopRow()));
    if (r == m_topRow)
        return;
    m_topRow = r;
    updateScrollBars();
    updateEditor();
    viewport()->update();
    TopLeftChanged();
}

void TStringGrid::SetLeftCol(int c)
{
    c = std::clamp(c, std::min(m_fixedCols, m_colCount - 1), std::max(std::min(m_fixedCols, m_colCount - 1), maxLeftCol()));
    if (c == m_leftCol)
        return;
    m_leftCol = c;
    updateScrollBars();
    updateEditor();
    viewport()->update();
    TopLeftChanged();
}

void TStringGrid::clampInView()
{
    int newLeft = m_leftCol;
    int newTop = m_topRow;
    if (m_col >= m_fixedCols) {
        if (m_col < m_leftCol) {
            newLeft = m_col;
        } else {
            const int avail = ClientWidth() - ColSpanWidth(0, m_fixedCols);
            if (ColSpanWidth(m_leftCol, m_col) + ColWidths(m_col) > avail) {
                // The current column becomes the last fully visible one.
                int used = ColWidths(m_col);
                int c = m_col;
                while (c > m_fixedCols && used + m_gridLineWidth + ColWidths(c - 1) <= avail) {
                    --c;
                    used += m_gridLineWidth + ColWidths(c);
                }
                newLeft = c;
            }
        }
    }
    if (m_row >= m_fixedRows) {
        if (m_row < m_topRow) {
            newTop = m_row;
        } else {
            const int avail = ClientHeight() - RowSpanHeight(0, m_fixedRows);
            // Walk from the top row only as far as the client reaches.
            bool beyond = false;
            int used = 0;
            for (int r = m_topRow; r <= m_row; ++r) {
                used += RowHeights(r);
                if (used > avail) {
                    beyond = true;
                    break;
                }
                used += m_gridLineWidth;
            }
            if (beyond) {
                int used = RowHeights(m_row);
                int r = m_row;
                while (r > m_fixedRows && used + m_gridLineWidth + RowHeights(r - 1) <= avail) {
                    --r;
                    used += m_gridLineWidth + RowHeights(r);
                }
                newTop = r;
            }
        }
    }
    if (newLeft != m_leftCol)
        SetLeftCol(newLeft);
    if (newTop != m_topRow)
        SetTopRow(newTop);
}

// ---- current cell and selection ----------------------------------------------------------------

void TStringGrid::moveCurrent(int c, int r, bool moveAnchor, bool show)
{
    if (m_colCount <= m_fixedCols || m_rowCount <= m_fixedRows)
        return;
    c = std::clamp(c, m_fixedCols, m_colCount - 1);
    r = std::clamp(r, m_fixedRows, m_rowCount - 1);
    if (!SelectCell(c, r))
        return;
    const bool moved = c != m_col || r != m_row;
    if (moved && !m_options.Contains(goAlwaysShowEditor))
        HideEditor();
    m_col = c;
    m_row = r;
    if (moveAnchor || !m_options.Contains(goRangeSelect)) {
        m_anchorCol = c;
        m_anchorRow = r;
    }
    if (m_options.Contains(goRowSelect)) {
        m_anchorCol = m_colCount - 1;
        m_col = m_fixedCols;
    }
    m_selection = {std::min(m_col, m_anchorCol), std::min(m_row, m_anchorRow), std::max(m_col, m_anchorCol),
                   std::max(m_row, m_anchorRow)};
    if (show)
        clampInView();
    if (m_options.Contains(goAlwaysShowEditor) && m_options.Contains(goEditing))
        ShowEditor();
    else
        updateEditor();
    viewport()->update();
}

void TStringGrid::FocusCell(int c, int r, bool moveAnchor)
{
    moveCurrent(c, r, moveAnchor, true);
}

void TStringGrid::SetCol(int c)
{
    if (c != m_col)
        FocusCell(c, m_row, true);
}

void TStringGrid::SetRow(int r)
{
    if (r != m_row)
        FocusCell(m_col, r, true);
}

void TStringGrid::SetSelection(const TGridRect &r)
{
    TGridRect s{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
    s.Left = std::clamp(s.Left, 0, m_colCount - 1);
    s.Right = std::clamp(s.Right, 0, m_colCount - 1);
    s.Top = std::clamp(s.Top, 0, m_rowCount - 1);
    s.Bottom = std::clamp(s.Bottom, 0, m_rowCount - 1);
    // The current cell goes to the selection's top-left corner, the anchor to the other one.
    m_col = s.Left;
    m_row = s.Top;
    m_anchorCol = s.Right;
    m_anchorRow = s.Bottom;
    m_selection = s;
    clampInView();
    viewport()->update();
}

// ---- editing ---------------------------------------------------------------------------------

void TStringGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else
        HideEditor();
}

bool TStringGrid::CanEditShow()
{
    return m_options.Contains(goEditing) && !m_options.Contains(goRowSelect) && m_col >= m_fixedCols
        && m_row >= m_fixedRows && m_col < m_colCount && m_row < m_rowCount;
}

TInplaceEdit *TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TStringGrid::GetEditText(int col, int row)
{
    QString v = GetCell(col, row);
    if (OnGetEditText)
        OnGetEditText(this, col, row, v);
    return v;
}

void TStringGrid::SetEditText(int col, int row, const QString &value)
{
    SetCell(col, row, value);
    if (OnSetEditText)
        OnSetEditText(this, col, row, value);
}

QString TStringGrid::GetEditMask(int, int) { return QString(); }

int TStringGrid::GetEditLimit() { return 0; }

void TStringGrid::ShowEditor()
{
    if (!CanEditShow())
        return;
    if (!m_editor)
        m_editor = CreateEditor();
    if (!m_editor)
        return;
    m_editor->UpdateContents();
    m_editorMode = true;
    m_editor->BoundsChanged();
    m_editor->show();
    m_editor->selectAll();
    if (hasFocus() || isActiveWindow())
        m_editor->setFocus();
}

bool holdsWindowFocus(const QWidget *w)
{
    const QWidget *focus = w ? w->window()->focusWidget() : nullptr;
    return focus && (focus == w || w->isAncestorOf(focus));
}

void TStringGrid::HideEditor()
{
    if (!m_editorMode)
        return;
    m_editorMode = false;
    if (m_editor) {
        const bool hadFocus = holdsWindowFocus(m_editor);
        m_editor->hide();
        if (hadFocus)
            setFocus();
    }
    viewport()->update();
}

void TStringGrid::updateEditor()
{
    if (!m_editor || !m_editorMode)
        return;
    if (m_editor->EditCol != m_col || m_editor->EditRow != m_row)
        m_editor->UpdateContents();
    m_editor->BoundsChanged();
}

void TStringGrid::editorKey(int key, Qt::KeyboardModifiers shift)
{
    switch (key) {
    case Qt::Key_Escape:
        if (m_editor && m_editor->text() != m_editOriginal) {
            m_editor->setText(m_editOriginal);
            SetEditText(m_editor->EditCol, m_editor->EditRow, m_editOriginal);
        }
        HideEditor();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        HideEditor();
        return;
    default:
        if (!m_options.Contains(goAlwaysShowEditor))
            HideEditor();
        KeyDown(key, shift);
    }
}

// ---- moving columns and rows ---------------------------------------------------------------------

void TStringGrid::MoveColRow(bool isColumn, int fromIndex, int toIndex)
{
    const int count = isColumn ? m_colCount : m_rowCount;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= count || toIndex >= count || fromIndex == toIndex)
        return;
    HideEditor();
    if (isColumn)
        ColumnMoved(fromIndex, toIndex);
    else
        RowMoved(fromIndex, toIndex);
    if (OnColRowMoved)
        OnColRowMoved(this, isColumn, fromIndex, toIndex);
    viewport()->update();
}

void TStringGrid::ColumnMoved(int fromIndex, int toIndex)
{
    m_store.MoveCol(fromIndex, toIndex);
    const int w = m_colWidths[std::size_t(fromIndex)];
    m_colWidths.erase(m_colWidths.begin() + fromIndex);
    m_colWidths.insert(m_colWidths.begin() + toIndex, w);
    ColWidthsChanged();
}

void TStringGrid::RowMoved(int fromIndex, int toIndex)
{
    m_store.MoveRow(fromIndex, toIndex);
    if (!m_rowHeights.empty()) {
        const int h = m_rowHeights[std::size_t(fromIndex)];
        m_rowHeights.erase(m_rowHeights.begin() + fromIndex);
        m_rowHeights.insert(m_rowHeights.begin() + toIndex, h);
        RowHeightsChanged();
    }
}

void TStringGrid::ChangeScale(int m, int d)
{
    if (m == d || d == 0 || m <= 0)
        return;
    auto scale = [m, d](int v) { return int((qint64(v) * m + d / 2) / d); };
    m_defaultColWidth = scale(m_defaultColWidth);
    m_defaultRowHeight = scale(m_defaultRowHeight);
    for (int &w : m_colWidths)
        w = scale(w);
    for (int &h : m_rowHeights)
        h = scale(h);
    ColWidthsChanged();
    RowHeightsChanged();
    updateScrollBars();
    updateEditor();
    viewport()->update();
}

void TStringGrid::SizeChanged(int, int) {}
void TStringGrid::ColWidthsChanged() {}
void TStringGrid::RowHeightsChanged() {}
void TStringGrid::Notification(QObject *, bool) {}

void TStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

bool TStringGrid::SelectCell(int col, int row)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, can);
    return can;
}

// ---- invalidation and painting ---------------------------------------------------------------

// A hidden grid, or one whose painting is held, repaints whole when it shows or lets go: working out
// a cell's place (which asks the scroll bars for their size) would be wasted on every cell written.
bool TStringGrid::invalidationWanted() const { return isVisible() && viewport()->updatesEnabled(); }

void TStringGrid::InvalidateCell(int col, int row)
{
    if (!invalidationWanted())
        return;
    const QRect r = CellBounds(col, row);
    if (!r.isEmpty())
        viewport()->update(r.adjusted(0, 0, m_gridLineWidth, m_gridLineWidth));
}

void TStringGrid::InvalidateRow(int row)
{
    if (!invalidationWanted())
        return;
    const QRect r = CellRect(std::min(m_fixedCols, m_colCount - 1), row);
    if (!r.isEmpty())
        viewport()->update(QRect(0, r.y(), ClientWidth(), r.height() + m_gridLineWidth));
}

void TStringGrid::InvalidateCol(int col)
{
    if (!invalidationWanted())
        return;
    const QRect r = CellRect(col, std::min(m_fixedRows, m_rowCount - 1));
    if (!r.isEmpty())
        viewport()->update(QRect(r.x(), 0, r.width() + m_gridLineWidth, ClientHeight()));
}

void TStringGrid::InvalidateGrid()
{
    viewport()->update();
}

void TStringGrid::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    Paint(p, e->rect());
}

void TStringGrid::PaintTo(QPainter &p)
{
    Paint(p, QRect(0, 0, ClientWidth(), ClientHeight()));
}

void TStringGrid::Paint(QPainter &p, const QRect &updateRect)
{
    QPainter *const saved = m_painter;
    m_painter = &p;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    const bool focused = hasFocus() || (m_editor && m_editor->hasFocus());
    const int fixedW = ColSpanWidth(0, m_fixedCols);
    const int fixedH = RowSpanHeight(0, m_fixedRows);

    // Columns and rows in view, in painting order.
    std::vector<std::pair<int, int>> cols; // index, x
    for (int c = 0, x = 0; c < m_colCount && x < cw; ++c) {
        if (c == m_fixedCols)
            c = m_leftCol;
        if (c >= m_colCount)
            break;
        cols.emplace_back(c, x);
        x += ColWidths(c) + m_gridLineWidth;
    }
    std::vector<std::pair<int, int>> rows;
    for (int r = 0, y = 0; r < m_rowCount && y < ch; ++r) {
        if (r == m_fixedRows)
            r = m_topRow;
        if (r >= m_rowCount)
            break;
        rows.emplace_back(r, y);
        y += RowHeights(r) + m_gridLineWidth;
    }
    int gridRight = cols.empty() ? 0 : cols.back().second + ColWidths(cols.back().first) + m_gridLineWidth;
    int gridBottom = rows.empty() ? 0 : rows.back().second + RowHeights(rows.back().first) + m_gridLineWidth;
    gridRight = std::min(gridRight, cw);
    gridBottom = std::min(gridBottom, ch);

    // Grid lines first: cells cover everything but the gaps between them.
    if (m_gridLineWidth > 0) {
        const QColor normalLine = QColor(192, 192, 192);
        const QColor fixedLine = QColor(0, 0, 0);
        for (const auto &[r, y] : rows) {
            const int ly = y + RowHeights(r);
            if (m_options.Contains(goFixedHorzLine) && fixedW > 0)
                p.fillRect(QRect(0, ly, std::min(fixedW, gridRight), m_gridLineWidth), fixedLine);
            const bool fixedRow = r < m_fixedRows;
            if (fixedRow ? m_options.Contains(goFixedHorzLine) : m_options.Contains(goHorzLine))
                p.fillRect(QRect(fixedW, ly, gridRight - fixedW, m_gridLineWidth), fixedRow ? fixedLine : normalLine);
        }
        for (const auto &[c, x] : cols) {
            const int lx = x + ColWidths(c);
            if (m_options.Contains(goFixedVertLine) && fixedH > 0)
                p.fillRect(QRect(lx, 0, m_gridLineWidth, std::min(fixedH, gridBottom)), fixedLine);
            const bool fixedCol = c < m_fixedCols;
            if (fixedCol ? m_options.Contains(goFixedVertLine) : m_options.Contains(goVertLine))
                p.fillRect(QRect(lx, fixedH, m_gridLineWidth, gridBottom - fixedH), fixedCol ? fixedLine : normalLine);
        }
    }

    for (const auto &[r, y] : rows) {
        for (const auto &[c, x] : cols) {
            const QRect rect(x, y, ColWidths(c), RowHeights(r));
            if (!rect.intersects(updateRect))
                continue;
            TGridDrawState st;
            if (c < m_fixedCols || r < m_fixedRows) {
                st.Include(gdFixed);
            } else {
                if (focused && c == m_col && r == m_row)
                    st.Include(gdFocused);
                if (c >= m_selection.Left && c <= m_selection.Right && r >= m_selection.Top && r <= m_selection.Bottom)
                    st.Include(gdSelected);
            }
            if (m_editorMode && st.Contains(gdFocused) && m_editor && m_editor->isVisible())
                continue; // the editor covers it
            DrawCell(c, r, rect, st);
        }
    }

    // The area beyond the last column and row.
    const QColor bg = palette().color(QPalette::Base);
    if (gridRight < cw)
        p.fillRect(QRect(gridRight, 0, cw - gridRight, ch), bg);
    if (gridBottom < ch)
        p.fillRect(QRect(0, gridBottom, gridRight, ch - gridBottom), bg);
    m_painter = saved;
}

void TStringGrid::defaultDrawCell(int col, int row, const QRect &rect, TGridDrawState state)
{
    QPainter &p = *m_painter;
    QColor bg = palette().color(QPalette::Base);
    QColor fg = palette().color(QPalette::Text);
    if (state.Contains(gdFixed)) {
        bg = palette().color(QPalette::Button);
        fg = palette().color(QPalette::ButtonText);
    } else if (state.Contains(gdSelected)
               && (!state.Contains(gdFocused) || m_options.Contains(goDrawFocusSelected) || m_options.Contains(goRowSelect))) {
        bg = palette().color(QPalette::Highlight);
        fg = palette().color(QPalette::HighlightedText);
    }
    p.fillRect(rect, bg);
    p.save();
    p.setClipRect(rect);
    p.setPen(fg);
    p.setFont(font());
    p.drawText(rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, GetCell(col, row));
    p.restore();
    if (state.Contains(gdFocused) && !m_options.Contains(goRowSelect)) {
        QStyleOptionFocusRect o;
        o.initFrom(this);
        o.rect = rect;
        o.backgroundColor = bg;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
}

void TStringGrid::DrawCell(int col, int row, const QRect &rect, TGridDrawState state)
{
    if (m_defaultDrawing)
        defaultDrawCell(col, row, rect, state);
    if (OnDrawCell)
        OnDrawCell(this, col, row, rect, state);
}

// ---- keys ------------------------------------------------------------------------------------

void TStringGrid::keyPressEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyDown(key, e->modifiers());
    if (key == 0)
        return;
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QChar ch = t.at(0);
        KeyPress(ch);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QChar ch(13);
        KeyPress(ch);
        return;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_F2:
        e->accept(); // handled by KeyDown; the scroll area must not scroll a second time
        return;
    default:
        e->ignore();
    }
}

void TStringGrid::KeyPress(QChar &key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (key.isNull())
        return;
    if (!m_options.Contains(goEditing))
        return;
    if (key == QChar(13)) {
        if (m_editorMode)
            HideEditor();
        else
            ShowEditor();
        return;
    }
    if (!m_editorMode && key.isPrint()) {
        ShowEditor();
        if (m_editorMode && m_editor) {
            // The typed character goes through the editor's own filter and replaces the selected text.
            QChar ch = key;
            m_editor->KeyPress(ch);
            if (!ch.isNull()) {
                m_editor->insert(QString(ch));
                m_editor->Change();
            }
        }
    }
}

void TStringGrid::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool extend = (shift & Qt::ShiftModifier) && m_options.Contains(goRangeSelect);
    const bool rowSelect = m_options.Contains(goRowSelect);
    int c = m_col;
    int r = m_row;
    switch (key) {
    case Qt::Key_Up:
        r = m_row - 1;
        break;
    case Qt::Key_Down:
        r = m_row + 1;
        break;
    case Qt::Key_Left:
        if (rowSelect) {
            SetLeftCol(m_leftCol - 1);
            return;
        }
        c = m_col - 1;
        break;
    case Qt::Key_Right:
        if (rowSelect) {
            SetLeftCol(m_leftCol + 1);
            return;
        }
        c = m_col + 1;
        break;
    case Qt::Key_PageDown: {
        const int page = VisibleRowCount();
        SetTopRow(m_topRow + page);
        r = m_row + page;
        break;
    }
    case Qt::Key_PageUp: {
        const int page = VisibleRowCount();
        SetTopRow(m_topRow - page);
        r = m_row - page;
        break;
    }
    case Qt::Key_Home:
        if (ctrl)
            r = m_fixedRows;
        c = m_fixedCols;
        break;
    case Qt::Key_End:
        if (ctrl)
            r = m_rowCount - 1;
        c = m_colCount - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!m_options.Contains(goTabs))
            return;
        if (key == Qt::Key_Backtab || (shift & Qt::ShiftModifier)) {
            c = m_col - 1;
            if (c < m_fixedCols) {
                c = m_colCount - 1;
                r = m_row - 1;
                if (r < m_fixedRows)
                    r = m_rowCount - 1;
            }
        } else {
            c = m_col + 1;
            if (c >= m_colCount) {
                c = m_fixedCols;
                r = m_row + 1;
                if (r >= m_rowCount)
                    r = m_fixedRows;
            }
        }
        moveCurrent(c, r, true, true);
        return;
    case Qt::Key_F2:
        if (m_options.Contains(goEditing))
            ShowEditor();
        return;
    default:
        return;
    }
    if (c == m_col && r == m_row && key != Qt::Key_PageDown && key != Qt::Key_PageUp)
        return;
    moveCurrent(c, r, !extend, true);
}

bool TStringGrid::focusNextPrevChild(bool next)
{
    if (m_options.Contains(goTabs))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TStringGrid::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    InvalidateCell(m_col, m_row);
    viewport()->update();
}

void TStringGrid::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

// ---- mouse -----------------------------------------------------------------------------------

void TStringGrid::CalcSizingState(int x, int y, TGridState &state, int &index, int &sizingPos)
{
    state = gsNormal;
    index = -1;
    const int fixedW = ColSpanWidth(0, m_fixedCols);
    const int fixedH = RowSpanHeight(0, m_fixedRows);
    constexpr int kGrip = 3;
    if (m_options.Contains(goColSizing) && y < fixedH) {
        for (int c = 0, pos = 0; c < m_colCount && pos < ClientWidth(); ++c) {
            if (c == m_fixedCols)
                c = m_leftCol;
            if (c >= m_colCount)
                break;
            pos += ColWidths(c);
            if (std::abs(x - pos) <= kGrip) {
                state = gsColSizing;
                index = c;
                sizingPos = pos;
                return;
            }
            pos += m_gridLineWidth;
        }
    }
    if (m_options.Contains(goRowSizing) && x < fixedW) {
        for (int r = 0, pos = 0; r < m_rowCount && pos < ClientHeight(); ++r) {
            if (r == m_fixedRows)
                r = m_topRow;
            if (r >= m_rowCount)
                break;
            pos += RowHeights(r);
            if (std::abs(y - pos) <= kGrip) {
                state = gsRowSizing;
                index = r;
                sizingPos = pos;
                return;
            }
            pos += m_gridLineWidth;
        }
    }
}

void TStringGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!hasFocus() && !(m_editor && m_editor->hasFocus()))
        setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton)
        pressCell(shift, x, y);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

// The left press: a sizing border starts sizing; with goEditing a press on the current cell opens
// the editor and one on another cell moves there, either then clicks; without it the press moves
// the current cell (Shift: the far corner) and selecting goes on until the release, which clicks.
void TStringGrid::pressCell(Qt::KeyboardModifiers shift, int x, int y)
{
    TGridState st = gsNormal;
    int index = -1, pos = 0;
    CalcSizingState(x, y, st, index, pos);
    if (st != gsNormal) {
        m_state = st;
        m_sizingIndex = index;
        m_sizingPos = pos;
        m_sizingStart = st == gsColSizing ? ColWidths(index) : RowHeights(index);
        return;
    }
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < m_fixedCols || cell.Y < m_fixedRows || cell.X >= m_colCount || cell.Y >= m_rowCount)
        return;
    if (m_options.Contains(goEditing)) {
        if (cell.X == m_col && cell.Y == m_row)
            ShowEditor();
        else
            moveCurrent(cell.X, cell.Y, true, true);
        Click();
        return;
    }
    const bool extend = (shift & Qt::ShiftModifier) && m_options.Contains(goRangeSelect);
    moveCurrent(cell.X, cell.Y, !extend, true);
    m_state = gsSelecting;
}

void TStringGrid::MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    switch (m_state) {
    case gsSelecting: {
        // Without range selection the drag carries the current cell along.
        const TGridCoord cell = MouseCoord(std::clamp(x, 0, ClientWidth() - 1), std::clamp(y, 0, ClientHeight() - 1));
        if (cell.X >= m_fixedCols && cell.Y >= m_fixedRows && (cell.X != m_col || cell.Y != m_row))
            moveCurrent(cell.X, cell.Y, !m_options.Contains(goRangeSelect), true);
        break;
    }
    case gsColSizing:
        SetColWidths(m_sizingIndex, std::max(1, m_sizingStart + x - m_sizingPos));
        break;
    case gsRowSizing:
        SetRowHeights(m_sizingIndex, std::max(1, m_sizingStart + y - m_sizingPos));
        break;
    default: {
        TGridState st = gsNormal;
        int index = -1, pos = 0;
        CalcSizingState(x, y, st, index, pos);
        if (st == gsColSizing)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (st == gsRowSizing)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
    }
    }
}

void TStringGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const bool selecting = m_state == gsSelecting;
    m_state = gsNormal;
    m_sizingIndex = -1;
    if (selecting && button == Qt::LeftButton)
        Click();
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TStringGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TStringGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TStringGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
}

void TStringGrid::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    MouseMove(e->modifiers(), p.x(), p.y());
}

void TStringGrid::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    DblClick();
    const QPoint p = e->position().toPoint();
    const TGridCoord cell = MouseCoord(p.x(), p.y());
    if (cell.X == m_col && cell.Y == m_row && m_options.Contains(goEditing))
        ShowEditor();
}

bool TStringGrid::DoMouseWheelDown(Qt::KeyboardModifiers, const QPoint &)
{
    if (m_row < m_rowCount - 1)
        SetRow(m_row + 1);
    return true;
}

bool TStringGrid::DoMouseWheelUp(Qt::KeyboardModifiers, const QPoint &)
{
    if (m_row > m_fixedRows)
        SetRow(m_row - 1);
    return true;
}

void TStringGrid::wheelEvent(QWheelEvent *e)
{
    const int dy = e->angleDelta().y();
    if (dy == 0) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int steps = std::max(1, std::abs(dy) / 120);
    bool handled = false;
    for (int i = 0; i < steps; ++i)
        handled = (dy < 0 ? DoMouseWheelDown(e->modifiers(), e->position().toPoint())
                          : DoMouseWheelUp(e->modifiers(), e->position().toPoint()))
            || handled;
    if (handled)
        e->accept();
    else
        QAbstractScrollArea::wheelEvent(e);
}

void TStringGrid::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    m_topRow = std::clamp(m_topRow, std::min(m_fixedRows, m_rowCount - 1), std::max(std::min(m_fixedRows, m_rowCount - 1), maxTopRow()));
    m_leftCol = std::clamp(m_leftCol, std::min(m_fixedCols, m_colCount - 1), std::max(std::min(m_fixedCols, m_colCount - 1), maxLeftCol()));
    updateScrollBars();
    updateEditor();
}
