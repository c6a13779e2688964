// Delimited (CSV) and fixed-width text files. The CSV writer and reader agree with each other:
// quotes doubled, a field holding the delimiter or quotes enclosed in quotes, a line break of a
// cell kept on one line as character 11; quoted fields that span lines (spreadsheet files, and
// our own output with AlwaysQuotes) are read as one field.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const QString kCRLF = QStringLiteral("\r\n");
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kBlank = QLatin1Char(' ');

// The index of the quote that closes a field whose text starts at from, or -1: the last quote of
// the first odd run of quotes. A run at the very end of the text closes the field whatever its
// length only with lastLine: before another line it may be doubled quotes of a field that goes on.
qsizetype closingQuote(QStringView s, qsizetype from, bool lastLine)
{
    const qsizetype n = s.size();
    qsizetype i = from;
    while (i < n) {
        if (s[i] != kQuote) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && s[j] == kQuote)
            ++j;
        if ((j - i) % 2 == 1 || (j == n && lastLine))
            return j - 1;
        i = j;
    }
    return -1;
}

// True when a field goes out unchanged: not empty, no quote, delimiter or line break, and no
// leading blank (which the reader would drop unless the field is quoted, in every style).
bool isPlainField(QStringView s, QChar d)
{
    if (s.isEmpty() || s.front() == kBlank)
        return false;
    const char16_t dc = d.unicode();
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c == dc || c == u'"' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

QString undoubled(QStringView s)
{
    QString t = s.toString();
    if (t.contains(kQuote))
        t.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return t;
}

QChar guessDelimiter(const QString &line1, const QString &line2)
{
    static const QChar candidates[] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('#'), QLatin1Char('\t'),
                                       QLatin1Char('|'), QLatin1Char('@'), QLatin1Char('*'), QLatin1Char('-'),
                                       QLatin1Char('+'), QLatin1Char('&')};
    QChar found;
    int best = 0;
    for (QChar c : candidates) {
        const int n1 = CountUnescapedQuotes(c, line1);
        if (n1 == CountUnescapedQuotes(c, line2) && n1 > best) {
            found = c;
            best = n1;
        }
    }
    if (found.isNull())
        for (QChar c : candidates) {
            const int n1 = CountCharOccurrences(c, line1);
            if (n1 == CountCharOccurrences(c, line2) && n1 > best) {
                found = c;
                best = n1;
            }
        }
    if (found.isNull())
        for (QChar c : candidates) {
            const int n1 = CountCharOccurrences(c, line1);
            const int n2 = CountCharOccurrences(c, line2);
            if (n1 > best || n2 > best) {
                found = c;
                best = std::max(n1, n2);
            }
        }
    return found;
}

// Eight bytes from p on (p before end) as a little-endian word, reading only within
// [begin, end): bytes past end are zero.
std::uint64_t wordAt(const char *p, const char *begin, const char *end)
{
    std::uint64_t x = 0;
    if (end - p >= 8) {
        std::memcpy(&x, p, 8);
    } else if (end - begin >= 8) {
        std::memcpy(&x, end - 8, 8);
        x >>= 8 * (8 - (end - p));
    } else {
        for (std::ptrdiff_t i = 0; i < end - p; ++i)
            x |= std::uint64_t(std::uint8_t(p[i])) << (8 * i);
    }
    return x;
}

constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = kOnes * 0x80;

// The next eight bytes of a stored field from p on, of which left remain, reading only within
// [begin, end): bytes past the field read as 'a', which no rule looks at.
std::uint64_t fieldWord(const char *p, std::size_t left, const char *begin, const char *end)
{
    std::uint64_t x = wordAt(p, begin, end);
    if (left < 8) {
        const std::uint64_t keep = (std::uint64_t(1) << (8 * left)) - 1;
        x = (x & keep) | (kOnes * 'a' & ~keep);
    }
    return x;
}

// The top bits of exactly those bytes of x that equal b.
std::uint64_t bytesEqual(std::uint64_t x, char b)
{
    constexpr std::uint64_t low = kOnes * 0x7F;
    const std::uint64_t y = x ^ (kOnes * std::uint8_t(b));
    return ~(((y & low) + low) | y | low);
}

// Set where a byte of x is below 0x20 or above 0x7E, or is a tag.
std::uint64_t ruleBytes(std::uint64_t x)
{
    return ((((x - kOnes * 0x20) & ~x) | (x + kOnes) | x) & kHigh) | bytesEqual(x, '<');
}

// Copies a stored field to o, which has eight bytes to spare, and tells what its bytes ask for
// (kind: per byte). Little-endian machines take eight bytes a step, reading only within row.
std::uint8_t copyStored(std::string_view field, std::string_view row, char *&o,
                        const std::array<std::uint8_t, 256> &kind, char delimiter)
{
    std::uint8_t seen = 0;
    if constexpr (std::endian::native != std::endian::little) {
        for (const char ch : field) {
            seen |= kind[std::uint8_t(ch)];
            *o++ = ch;
        }
        return seen;
    }
    const std::uint8_t rules = kind[std::uint8_t('<')], quotes = kind[std::uint8_t('"')];
    const char *p = field.data();
    const char *const end = row.data() + row.size();
    std::size_t n = field.size();
    while (n > 0) {
        const std::uint64_t x = fieldWord(p, n, row.data(), end);
        const std::size_t k = std::min<std::size_t>(n, 8);
        std::memcpy(o, &x, 8);
        if (ruleBytes(x))
            seen |= rules;
        if (bytesEqual(x, '"') | bytesEqual(x, delimiter))
            seen |= quotes;
        o += k;
        p += k;
        n -= k;
    }
    return seen;
}

#if defined(__SSE2__)
// For [p, p + len), len at most 64: bit i of rules set where byte i is no printable ASCII or is a
// tag, of quotes where it is a quote or the delimiter, of leads where it is a brace or lead.
// Bytes are read only within [p, hi), which begins 16 bytes before hi at the latest.
void oddBytes(const char *p, std::size_t len, const char *hi, char delimiter, char lead, std::uint64_t &rules,
              std::uint64_t &quotes, std::uint64_t &leads)
{
    const __m128i blank = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F), tag = _mm_set1_epi8('<'),
                  quote = _mm_set1_epi8('"'), delim = _mm_set1_epi8(delimiter), brace = _mm_set1_epi8('{'),
                  leading = _mm_set1_epi8(lead);
    rules = quotes = leads = 0;
    for (std::size_t off = 0; off < len; off += 16) {
        const char *q = p + off;
        unsigned shift = 0;
        if (hi - q < 16) { // the last 16 bytes, moved down
            shift = unsigned(16 - (hi - q));
            q = hi - 16;
        }
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(q));
        // A signed compare: bytes from 0x80 on are below the blank too.
        const __m128i r = _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(x, blank), _mm_cmpeq_epi8(x, del)), _mm_cmpeq_epi8(x, tag));
        const __m128i qd = _mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, delim));
        const __m128i l = _mm_or_si128(_mm_cmpeq_epi8(x, brace), _mm_cmpeq_epi8(x, leading));
        rules |= std::uint64_t(unsigned(_mm_movemask_epi8(r)) >> shift) << off;
        quotes |= std::uint64_t(unsigned(_mm_movemask_epi8(qd)) >> shift) << off;
        leads |= std::uint64_t(unsigned(_mm_movemask_epi8(l)) >> shift) << off;
    }
    const std::uint64_t keep = len < 64 ? (std::uint64_t(1) << len) - 1 : ~std::uint64_t(0);
    rules &= keep;
    quotes &= keep;
    leads &= keep;
}
#endif

// True when a byte of one of count stored cells from at on, ending by end, is no printable
// ASCII or is a tag, a quote or the delimiter; eight bytes a step, read only before end.
bool oddFields(const char *at, std::size_t count, const char *end, char delimiter)
{
    const char *const begin = at;
    std::uint64_t odd = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t n = std::uint8_t(*at);
        const char *p = at + 1;
        for (std::size_t left = n; left > 0; p += 8, left -= std::min<std::size_t>(left, 8)) {
            const std::uint64_t x = fieldWord(p, left, begin, end);
            odd |= ruleBytes(x) | bytesEqual(x, '"') | bytesEqual(x, delimiter);
        }
        at += 1 + n;
    }
    return odd != 0;
}

// Copies count stored cells, from the first one's length byte in cells on, as a line of fields
// when each is there, short (a one-byte length), of printable ASCII without a tag, and starts
// with no brace nor blank: the length bytes become the delimiters, and
// a field holding a quote or the delimiter goes in quotes with its quotes doubled (the Java style
// leaves those to the rules). False for any other row; o then stays where it was. o has room for
// twice cells and eight bytes more.
bool copyPlainRow(std::string_view cells, std::size_t count, char delimiter, bool java, char *&o)
{
    if constexpr (std::endian::native != std::endian::little)
        return false;
    if (count == 0)
        return false;
    const char *const begin = cells.data();
    const char *const end = begin + cells.size();
    std::uint64_t marks = 0; // where the length bytes are, from begin on (the first 64 bytes)
    const char *at = begin;  // the cell's length byte
    for (std::size_t k = 0; k < count; ++k) {
        if (at >= end)
            return false;
        const std::size_t n = std::uint8_t(*at);
        if (n - 1 >= 0x7F) // empty, or a length of two bytes
            return false;
        const std::size_t pos = std::size_t(at - begin);
        marks |= pos < 64 ? std::uint64_t(1) << pos : 0;
        at += 1 + n;
    }
    if (at > end)
        return false;
    const std::size_t len = std::size_t(at - begin) - 1;
    // The fields are looked at where they are stored: reading back bytes just copied would wait
    // for the copy.
    std::uint64_t quotes = 0;
    const bool short64 = len < 64;
#if defined(__SSE2__)
    if (short64 && cells.size() >= 16) {
        std::uint64_t rules = 0, leads = 0;
        oddBytes(begin, len + 1, end, delimiter, ' ', rules, quotes, leads);
        quotes &= ~marks;
        if ((rules & ~marks) || (leads & marks << 1) || (quotes && java))
            return false;
    } else
#endif
    {
        for (const char *c = begin; c < at; c += 1 + std::uint8_t(*c))
            if (c[1] == '{' || c[1] == ' ')
                return false;
        if (oddFields(begin, count, end, delimiter))
            return false;
    }
    if (quotes) { // field by field, in quotes where needed
        char *w = o;
        at = begin;
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t n = std::uint8_t(*at);
            const char *p = at + 1;
            if (k > 0)
                *w++ = delimiter;
            const std::uint64_t span = ((std::uint64_t(1) << n) - 1) << (p - begin);
            if (quotes & span) {
                *w++ = '"';
                for (std::size_t i = 0; i < n; ++i) {
                    *w++ = p[i];
                    if (p[i] == '"')
                        *w++ = '"';
                }
                *w++ = '"';
            } else {
                std::memcpy(w, p, n);
                w += n;
            }
            at = p + n;
        }
        o = w;
        return true;
    }
    std::memcpy(o, begin + 1, len);
    if (short64) {
        for (std::uint64_t m = marks & ~std::uint64_t(1); m; m &= m - 1)
            o[std::countr_zero(m) - 1] = delimiter;
    } else {
        for (const char *slot = begin + 1 + std::uint8_t(*begin); slot < at - 1; slot += 1 + std::uint8_t(*slot))
            o[slot - begin - 1] = delimiter;
    }
    o += len;
    return true;
}

// The bytes of a CSV on their way to the file: printable ASCII is gathered in a chunk, other
// text goes through the encoder, and the file takes them in pieces that stay in the cache
// rather than as one buffer of the whole file.
class CsvOutput {
public:
    CsvOutput(platform::TextEncoding enc, platform::WholeFileWriter &file) : m_encoder(enc), m_file(file)
    {
        m_chunk.resize(kChunk);
    }
    // Where the next n bytes of printable ASCII go; used() tells where they end.
    char *room(std::size_t n)
    {
        if (m_chunk.size() - m_used < n) {
            toEncoder();
            if (m_chunk.size() < n)
                m_chunk.resize(n);
        }
        return m_chunk.data() + m_used;
    }
    void used(const char *end) { m_used = std::size_t(end - m_chunk.data()); }
    void append(QStringView text)
    {
        toEncoder();
        m_encoder.append(text);
    }
    void append(QChar ch) { append(QStringView(&ch, 1)); }
    void finish()
    {
        toEncoder();
        m_file.write(m_encoder.bytes());
    }

private:
    static constexpr std::size_t kChunk = 1 << 16, kPiece = 1 << 18;
    void toEncoder()
    {
        m_encoder.appendAscii(std::string_view(m_chunk.data(), m_used));
        m_used = 0;
        if (std::size_t(m_encoder.ready().size()) >= kPiece) {
            m_file.write(m_encoder.ready());
            m_encoder.dropReady();
        }
    }
    platform::TextEncoder m_encoder;
    platform::WholeFileWriter &m_file;
    std::string m_chunk;
    std::size_t m_used = 0;
};

} // namespace

// ---- writing CSV -----------------------------------------------------------------------------------

void TNovaStringGrid::SaveToCSV(const QString &FileName, bool Unicode)
{
    const QChar d = Delimiter().isNull() ? QLatin1Char(',') : Delimiter();
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    // Most fields are written as they are; the rules below only ever change a field that holds
    // a quote, the delimiter or a line break, starts with a blank or is empty.
    const bool plainDelimiter = d != kQuote && d != kCR && d != kLF;
    const auto enc = Unicode ? platform::TextEncoding::Utf8Bom
                             : OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    platform::WholeFileWriter file(FileName);
    if (!file.open())
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
    CsvOutput out(enc, file);
    auto appendField = [&](int ACol, int ARow) {
        QString t = GetSaveCellText(ACol, ARow);
        if (plainDelimiter && !AlwaysQuotes() && isPlainField(t, d)) {
            out.append(t);
            return;
        }
        t = DoubleQuoteChars(t);
        bool quoted = false;
        if (AlwaysQuotes() || (!t.contains(d) && (t.contains(kQuote) || t.startsWith(kBlank)))) {
            // Leading blanks are dropped by the reader unless the field is quoted.
            t = kQuote + t + kQuote;
            quoted = true;
        }
        if (t.isEmpty()) {
            if (JavaCSV())
                t = QStringLiteral("^");
            else if (QuoteEmptyCells())
                t = QStringLiteral("\"\"");
        }
        if (t.contains(d) || t.contains(kCR) || t.contains(kLF)) {
            if (JavaCSV())
                t = CRToTilde(t);
            else if (quoted)
                t = CRLFToLF(t);
            else
                t = QuoteMultiLineText(t);
        }
        out.append(t);
    };

    const int firstCol = SaveStartCol();
    std::vector<int> cols; // the real column of each saved one
    for (int c = firstCol; c <= SaveEndCol() + h; ++c)
        cols.push_back(h ? c : RealColIndex(c));
    // The saved columns are stored side by side in order: a stored row is read straight through.
    bool adjacent = true;
    for (std::size_t k = 1; k < cols.size(); ++k)
        adjacent = adjacent && cols[k] == cols[0] + int(k);
    // A field of printable ASCII without a tag or a leading brace is copied as the store keeps
    // it, when nothing can change the saved texts: no hook, no formatting, no cell property in
    // the row and no derived grid with overrides of its own. What the rules make of such a field
    // holding a quote or the delimiter, or starting with a blank, is the field in quotes with its
    // quotes doubled (the Java style leaves those to the rules).
    const char16_t du = d.unicode();
    const bool direct = plainDelimiter && !AlwaysQuotes() && (du == u'\t' || (du >= 0x20 && du < 0x7F))
                        && typeid(*this) == typeid(TNovaStringGrid) && !OnSaveCell
                        && (!SaveVirtCells()
                            || (!OnGetFloatFormat && !OnGetDisplText && !OnGetDisplWideText && !URLShowInText()
                                && !Grouping()->ShowGroupCount()));
    const bool java = JavaCSV();
    // What each byte of a stored field asks for: the rules (not printable ASCII, or a tag), or
    // quotes (a quote or the delimiter).
    constexpr std::uint8_t kInQuotes = 1, kByRules = 2;
    std::array<std::uint8_t, 256> kind{};
    for (int b = 0; b < 256; ++b)
        kind[std::size_t(b)] = b < 0x20 || b >= 0x7F || b == '<' ? kByRules : b == '"' || b == du ? kInQuotes : 0;
    std::vector<std::string_view> cells;
    const char delimiter = char(du);
    // A tab delimiter would look like a control character in the copied row.
    const bool wholeRows = du >= 0x20 && du < 0x7F;

    StartFileProgress();
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        const TGridCellStore::PackedRow *packed = direct ? Store().PeekRow(r) : nullptr;
        // Rows lie scattered in memory: fetching a later row's text now hides the wait for it.
        if (const TGridCellStore::PackedRow *later = direct ? Store().PeekRow(r + 8) : nullptr)
            __builtin_prefetch(later->packed.data());
        if (packed && packed->objects.empty()) {
            std::size_t pos = 0;
            if (!adjacent) {
                cells.clear();
                std::string_view u;
                while (packed->NextCell(pos, u))
                    cells.push_back(u);
            } else if (!cols.empty()) {
                std::string_view skipped;
                for (int c = 0; c < cols.front() && packed->NextCell(pos, skipped); ++c) {
                }
            }
            // Room for the whole row: a field in quotes at most doubles and gains two quotes.
            const std::size_t room = 2 * packed->packed.size() + 3 * cols.size() + 10;
            char *o = out.room(room);
            const bool whole = wholeRows && adjacent && !cols.empty() && cols.front() >= 0
                               && copyPlainRow(std::string_view(packed->packed).substr(pos), cols.size(), delimiter, java, o);
            for (std::size_t k = 0; !whole && k < cols.size(); ++k) {
                if (k > 0)
                    *o++ = delimiter;
                const int c = cols[k];
                std::string_view u;
                if (!adjacent)
                    u = c >= 0 && std::size_t(c) < cells.size() ? cells[std::size_t(c)] : std::string_view();
                else if (c < 0 || !packed->NextCell(pos, u))
                    u = {};
                std::uint8_t seen = u.empty() || u.front() == '{' ? kByRules
                                    : u.front() == ' '            ? kInQuotes
                                                                  : 0;
                char *const from = o;
                seen |= copyStored(u, packed->packed, o, kind, delimiter);
                if (!seen)
                    continue;
                o = from;
                if (seen & kByRules || java) {
                    out.used(o);
                    appendField(c, r);
                    o = out.room(room);
                    continue;
                }
                *o++ = '"';
                for (const char ch : u) {
                    *o++ = ch;
                    if (ch == '"')
                        *o++ = '"';
                }
                *o++ = '"';
            }
            *o++ = '\r';
            *o++ = '\n';
            out.used(o);
        } else {
            for (std::size_t k = 0; k < cols.size(); ++k) {
                if (k > 0)
                    out.append(d);
                appendField(cols[k], r);
            }
            out.append(kCRLF);
        }
        if (OnFileProgress)
            FileProgress(double(r) * 100.0 / std::max(1, RowCount() - 1));
    }
    ExportNotification(esExportDone, -1);
    out.finish();
    if (!file.commit())
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TNovaStringGrid::AppendToCSV(const QString &FileName, bool Unicode)
{
    const auto fallback = OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    QString before;
    QString error;
    if (!platform::readTextFile(FileName, fallback, before, &error))
        throw std::runtime_error(("Cannot open file " + FileName + ": " + error).toStdString());
    // The rows are written to the same file name, then the old text goes in front.
    SaveToCSV(FileName, Unicode);
    QString added;
    platform::readTextFile(FileName, fallback, added);
    if (!before.isEmpty() && !before.endsWith(kLF) && !before.endsWith(kCR))
        before += kCRLF;
    const auto enc = Unicode ? platform::TextEncoding::Utf8Bom : fallback;
    if (!platform::writeFileAtomic(FileName, platform::encodeText(before + added, enc), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

// ---- reading CSV -----------------------------------------------------------------------------------
//
// The file is read in pieces, straight from its bytes (UTF-16 files from their characters), field by
// field, twice: a first pass finds the widest line, so that a file wider than the grid can be refused
// before anything changes and the grid is sized once; the second pass stores the fields. Only the
// piece being read is held, never the whole file or its lines, and a line costs the same whatever
// its width.

namespace {

// A field as the scan finds it: its column, where its text lies, whether it was quoted (its quotes
// are then doubled) and whether it took in further lines (its line breaks are then the file's own).
template <typename Ch>
struct CsvField {
    int col;
    const Ch *begin;
    const Ch *end;
    bool quoted;
    bool lines;
};

// The fields of a CSV text, line by line, as the grid reads them. A line's fields go from startCol
// on; a quoted field runs to the quote that closes it (the last of an odd run of quotes), taking
// in further lines as it needs, and what follows that quote up to the next delimiter is dropped
// unless the line ends first; blanks before a field are dropped while two characters remain.
// The text is a piece of the file: a line that runs past its end is not read until the rest of
// the file is there (final).
template <typename Ch>
class CsvScan {
public:
    CsvScan(Ch delimiter, bool hasDelimiter) : d(delimiter), hasD(hasDelimiter) {}
    // The piece to read from next on (the earlier text is gone); final when it reaches the end.
    void setText(const Ch *text, qsizetype size, bool isFinal)
    {
        s = text;
        n = size;
        final = isFinal;
        next = 0;
    }
    qsizetype consumed() const { return next; }
    bool more() const { return next < n; }
    qsizetype linesTaken() const { return physical; }
    // False when the line is not all there yet.
    bool skipLine()
    {
        cut = false;
        const qsizetype e = lineEnd(next);
        const qsizetype after = afterBreak(e);
        if (cut)
            return false;
        next = after;
        ++physical;
        return true;
    }
    // The text of the line after skip others, without looking at its fields; false when it is
    // not all there yet.
    bool peekLine(qsizetype skip, const Ch *&b, const Ch *&e)
    {
        cut = false;
        qsizetype at = next;
        for (qsizetype i = 0; i < skip && at < n; ++i)
            at = afterBreak(lineEnd(at));
        const qsizetype end = at < n ? lineEnd(at) : n;
        b = s + std::min(at, n);
        e = s + end;
        return !cut;
    }
    // The fields of the next line into out; false (nothing taken) when the line is not all there.
    bool line(int startCol, std::vector<CsvField<Ch>> &out)
    {
        out.clear();
        cut = false;
        const qsizetype startNext = next, startPhysical = physical;
        const qsizetype lb = next;
        le = lineEnd(lb);
        next = afterBreak(le);
        ++physical;
        int c = startCol;
        qsizetype pos = lb;
        while (pos < le && !cut) {
            qsizetype st = pos;
            while (le - st >= 2 && s[st] == Ch(' '))
                ++st;
            // A blank delimiter among the blanks dropped does not end the field.
            qsizetype p = find(st);
            if (s[st] == Ch('"')) {
                const qsizetype joinedAt = le;
                const qsizetype q = closing(st + 1);
                const bool lines = le != joinedAt;
                if (q < 0) { // never closed: the text stays
                    out.push_back({c, s + st + 1, s + le, true, lines});
                    break;
                }
                out.push_back({c++, s + st + 1, s + q, true, lines && q > joinedAt});
                pos = q + 1;
                p = find(pos);
                if (p < 0) { // what follows the quote on this line is one more field
                    if (pos < le)
                        out.push_back({c, s + pos, s + le, false, false});
                    break;
                }
                pos = p + 1;
                continue;
            }
            if (p < 0) { // the last field
                out.push_back({c, s + st, s + le, false, false});
                break;
            }
            out.push_back({c++, s + st, s + p, false, false});
            pos = p + 1;
        }
        if (cut) {
            next = startNext;
            physical = startPhysical;
            out.clear();
            return false;
        }
        return true;
    }

private:
    qsizetype lineEnd(qsizetype from)
    {
        while (from < n && s[from] != Ch('\r') && s[from] != Ch('\n'))
            ++from;
        if (from >= n && !final)
            cut = true;
        return from;
    }
    qsizetype afterBreak(qsizetype e)
    {
        if (e >= n)
            return n;
        if (s[e] == Ch('\r') && e + 1 >= n && !final)
            cut = true; // the LF of a CR LF may be in the next piece
        return s[e] == Ch('\r') && e + 1 < n && s[e + 1] == Ch('\n') ? e + 2 : e + 1;
    }
    qsizetype find(qsizetype from) const
    {
        if (!hasD)
            return -1;
        if constexpr (sizeof(Ch) == 1) {
            const void *at = std::memchr(s + from, int(std::uint8_t(d)), std::size_t(le - from));
            return at ? static_cast<const Ch *>(at) - s : -1;
        } else {
            for (qsizetype i = from; i < le; ++i)
                if (s[i] == d)
                    return i;
            return -1;
        }
    }
    // The quote that closes a field whose text starts at from: the last quote of the first odd
    // run. The line takes in the next one while none is found; on the last line a run at its very
    // end closes the field whatever its length.
    qsizetype closing(qsizetype from)
    {
        qsizetype i = from;
        for (;;) {
            while (i < le) {
                if (s[i] != Ch('"')) {
                    ++i;
                    continue;
                }
                qsizetype j = i;
                while (j < le && s[j] == Ch('"'))
                    ++j;
                if ((j - i) % 2 == 1)
                    return j - 1;
                i = j;
            }
            if (next >= n) {
                if (!final)
                    cut = true; // a further line may still come
                break;
            }
            le = lineEnd(next);
            next = afterBreak(le);
            ++physical;
            if (cut)
                return -1;
        }
        return le > from && s[le - 1] == Ch('"') ? le - 1 : -1;
    }

    const Ch *s = nullptr;
    qsizetype n = 0;
    bool final = false;
    Ch d;
    bool hasD;
    bool cut = false;       // the text ran out before the line did
    qsizetype next = 0;     // where the next line starts
    qsizetype le = 0;       // where the line being read ends
    qsizetype physical = 0; // lines taken so far, those a quoted field took in included
};

// The text of a CSV file piece by piece, as bytes (UTF-8 and the 8-bit code pages, whose
// delimiter, quotes, blanks and line breaks are bytes of their own) or as UTF-16 units. Pieces
// are decoded apart, each cut where a character starts, so that they decode as the whole would.
template <typename Ch>
class CsvPieces {
public:
    using Text = std::conditional_t<sizeof(Ch) == 1, QByteArray, QString>;
    // The source from its first byte after the byte-order mark; decoding turns bytes into UTF-16.
    CsvPieces(QIODevice &source, qint64 start, std::optional<QStringConverter::Encoding> decoding)
        : m_source(source), m_start(start), m_decoding(decoding)
    {
    }
    void rewind()
    {
        m_source.seek(m_start);
        m_text.clear();
        m_carry.clear();
        m_first = true;
        m_final = false;
    }
    // Drops the first keepFrom units and adds the next piece; false at the end of the source.
    bool more(qsizetype keepFrom)
    {
        if (m_final)
            return false;
        m_text.remove(0, keepFrom);
        // A line longer than a piece is read again from its start with each piece added: the
        // pieces grow with it, so that reading it stays linear.
        QByteArray bytes = m_source.read(std::max<qint64>(kPiece, qint64(m_text.size()) * qint64(sizeof(Ch))));
        m_final = bytes.isEmpty();
        if constexpr (sizeof(Ch) == 1) {
            m_text += bytes;
        } else {
            bytes.prepend(m_carry);
            m_carry = m_final ? QByteArray() : bytes.right(bytes.size() - cut(bytes));
            bytes.truncate(bytes.size() - m_carry.size());
            if (*m_decoding == QStringConverter::Utf8) {
                m_text += QString::fromUtf8(bytes);
            } else {
                // A second mark right after the first is dropped, as the whole file decodes.
                QStringDecoder dec(*m_decoding, m_first ? QStringConverter::Flag::Default
                                                        : QStringConverter::Flag::ConvertInitialBom);
                m_text += dec.decode(bytes);
            }
            m_first = false;
        }
        return true;
    }
    const Ch *data() const { return reinterpret_cast<const Ch *>(m_text.constData()); }
    qsizetype size() const { return m_text.size(); }
    bool final() const { return m_final; }

private:
    // Where the bytes may be cut: before a character's first byte (UTF-8), or after whole units
    // and not inside a surrogate pair (UTF-16).
    qsizetype cut(const QByteArray &b) const
    {
        qsizetype at = b.size();
        if (*m_decoding == QStringConverter::Utf8) {
            // The last character goes with the next piece, whole or not.
            for (int back = 0; back < 4 && at > 0; ++back, --at)
                if ((std::uint8_t(b[at - 1]) & 0xC0) != 0x80)
                    return at - 1;
            return b.size();
        }
        at -= at % 2;
        if (at >= 2) {
            const bool le = *m_decoding == QStringConverter::Utf16LE;
            const char16_t unit = le ? char16_t(std::uint8_t(b[at - 2]) | std::uint8_t(b[at - 1]) << 8)
                                     : char16_t(std::uint8_t(b[at - 2]) << 8 | std::uint8_t(b[at - 1]));
            if (QChar::isHighSurrogate(unit))
                at -= 2;
        }
        return at;
    }

    static constexpr qint64 kPiece = 1 << 20;
    QIODevice &m_source;
    qint64 m_start;
    std::optional<QStringConverter::Encoding> m_decoding;
    Text m_text;
    QByteArray m_carry; // bytes of a character the next piece completes
    bool m_first = true;
    bool m_final = false;
};

// The text of a field: its characters, quotes undoubled, and each line break it took in as CR LF.
template <typename Ch>
QString fieldText(const Ch *begin, const Ch *end, bool quoted, bool lines, const std::array<char16_t, 256> *chars)
{
    const qsizetype len = end - begin;
    QString t;
    if constexpr (sizeof(Ch) == 2) {
        t = QString(reinterpret_cast<const QChar *>(begin), len);
    } else if (!chars) {
        t = QString::fromUtf8(QByteArrayView(begin, len));
    } else {
        t = QString(len, Qt::Uninitialized);
        char16_t *o = reinterpret_cast<char16_t *>(t.data());
        for (qsizetype i = 0; i < len; ++i)
            o[i] = (*chars)[std::uint8_t(begin[i])];
    }
    if (quoted && t.contains(kQuote))
        t.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    if (lines) {
        t.replace(kCRLF, QStringLiteral("\n"));
        t.replace(kCR, kLF);
        t.replace(kLF, kCRLF);
    }
    return t;
}

// Reads a whole source, a piece at a time: each line read gives begin(), its fields to
// field(CsvField), then end(lines taken so far). Answers the lines taken.
template <typename Ch, typename Begin, typename Field, typename End>
qsizetype scanCsv(CsvPieces<Ch> &text, CsvScan<Ch> &csv, bool skipFirst, int startCol, int maxRows, Begin &&begin,
                  Field &&field, End &&end)
{
    text.rewind();
    text.more(0);
    csv.setText(text.data(), text.size(), text.final());
    auto refill = [&] {
        const bool got = text.more(csv.consumed());
        csv.setText(text.data(), text.size(), text.final());
        return got;
    };
    if (skipFirst)
        while (!csv.skipLine() && refill()) {
        }
    const qsizetype skipped = csv.linesTaken();
    std::vector<CsvField<Ch>> fields;
    for (qsizetype read = 0; maxRows <= 0 || read < maxRows;) {
        if (!csv.more()) {
            if (text.final() || !refill())
                break;
            continue;
        }
        if (!csv.line(startCol, fields)) {
            refill();
            continue;
        }
        begin();
        for (const CsvField<Ch> &f : fields)
            field(f);
        end(csv.linesTaken() - skipped);
        ++read;
    }
    return csv.linesTaken() - skipped;
}

} // namespace

template <typename Ch>
void TNovaStringGrid::loadCsvText(QIODevice &Source, qint64 Start, std::optional<QStringConverter::Encoding> Decoder,
                                  const std::array<char16_t, 256> *Chars, int StartRow, int MaxRows)
{
    CsvPieces<Ch> text(Source, Start, Decoder);
    text.rewind();
    text.more(0);
    if (text.size() == 0 && text.final())
        throw std::runtime_error("File is empty");

    // The delimiter, or the one the first two lines suggest.
    QChar d = Delimiter();
    if (d.isNull()) {
        CsvScan<Ch> peek(Ch(0), false);
        const Ch *b1 = nullptr, *e1 = nullptr, *b2 = nullptr, *e2 = nullptr;
        for (;;) {
            peek.setText(text.data(), text.size(), text.final());
            if ((peek.peekLine(0, b1, e1) && peek.peekLine(1, b2, e2)) || !text.more(0))
                break;
        }
        d = guessDelimiter(fieldText(b1, e1, false, false, Chars), fieldText(b2, e2, false, false, Chars));
    }
    // The delimiter as a unit of the text: a character the file's code page lacks never occurs.
    Ch unit = Ch(d.unicode());
    bool hasDelimiter = !d.isNull();
    if constexpr (sizeof(Ch) == 1) {
        if (Chars) {
            const auto at = std::find(Chars->begin(), Chars->end(), d.unicode());
            hasDelimiter = hasDelimiter && at != Chars->end();
            unit = Ch(at - Chars->begin());
        }
    }
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int startCol = SaveStartCol();
    const bool java = JavaCSV();

    // First pass: the widest line and the number of lines, before the grid changes.
    int widest = -1;
    qsizetype rows = 0;
    CsvScan<Ch> first(unit, hasDelimiter);
    const qsizetype total = scanCsv(
        text, first, !LoadFirstRow(), startCol, MaxRows, [] {},
        [&](const CsvField<Ch> &f) { widest = std::max(widest, f.col); }, [&](qsizetype) { ++rows; });
    if (widest >= TGridCellStore::MaxCols - h)
        throw ENovaGridError(QStringLiteral("The file has more columns than a grid can hold: at most %1")
                                 .arg(TGridCellStore::MaxCols - h - startCol));

    const qint64 need = qint64(StartRow) + rows + FixedFooters();
    if (need > RowCount())
        SetRowCount(int(std::min<qint64>(need, INT32_MAX)));
    if (widest + 1 > h + ColCount())
        SetColCount(widest + 1 - h);

    StartFileProgress();
    ImportNotification(isImportStart, StartRow);
    int row = StartRow;
    CsvScan<Ch> second(unit, hasDelimiter);
    scanCsv(
        text, second, !LoadFirstRow(), startCol, MaxRows, [&] { ImportNotification(isImportNewRow, row); },
        [&](const CsvField<Ch> &f) {
            // A source that changed between the passes cannot store beyond the grid's limit.
            if (f.col >= TGridCellStore::MaxCols - h)
                return;
            if (f.col + 1 > h + ColCount())
                SetColCount(f.col + 1 - h);
            const QString t = fieldText(f.begin, f.end, f.quoted, f.lines, Chars);
            LoadCellText(f.col, row, java ? TildeToCRLF(t) : VTToCRLF(t));
        },
        [&](qsizetype taken) {
            ++row;
            if (OnFileProgress && total > 0)
                FileProgress(double(taken) * 100.0 / double(total));
        });
    SetRowCount(row + FixedFooters());
    FMaxRowCount = RowCount();
    ImportNotification(isImportDone, -1);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

void TNovaStringGrid::LoadFromCSVStream(QIODevice &Stream, int MaxRows)
{
    // A stream that cannot go back is read whole first: the file is read twice.
    if (Stream.isSequential()) {
        QByteArray data = Stream.readAll();
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        loadCsvSource(buf, SaveStartRow(), MaxRows);
        return;
    }
    loadCsvSource(Stream, SaveStartRow(), MaxRows);
}

void TNovaStringGrid::LoadFromCSV(const QString &FileName, int MaxRows)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Cannot open file " + FileName + ": " + file.errorString()).toStdString());
    loadCsvSource(file, SaveStartRow(), MaxRows);
}

void TNovaStringGrid::InsertFromCSV(const QString &FileName, int MaxRows)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Cannot open file " + FileName + ": " + file.errorString()).toStdString());
    loadCsvSource(file, RowCount(), MaxRows);
}

// Bytes without a mark are read in the ANSI code page, or the OEM one with OemConvert. A source
// without bytes is not read at all.
void TNovaStringGrid::loadCsvSource(QIODevice &Source, int StartRow, int MaxRows)
{
    const qint64 start = Source.pos();
    const QByteArray head = Source.peek(3);
    if (head.isEmpty())
        return;
    const auto fallback = OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        const auto enc = head.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        loadCsvText<char16_t>(Source, start + 2, enc, nullptr, StartRow, MaxRows);
    } else if (head.startsWith("\xEF\xBB\xBF")) {
        // A delimiter beyond ASCII is several bytes in UTF-8: such a file is read as characters.
        if (Delimiter().unicode() >= 0x80)
            loadCsvText<char16_t>(Source, start + 3, QStringConverter::Utf8, nullptr, StartRow, MaxRows);
        else
            loadCsvText<char>(Source, start + 3, std::nullopt, nullptr, StartRow, MaxRows);
    } else {
        const std::array<char16_t, 256> chars = platform::codePageChars(fallback);
        loadCsvText<char>(Source, start, std::nullopt, &chars, StartRow, MaxRows);
    }
}

// ---- fixed width -----------------------------------------------------------------------------------

void TNovaStringGrid::SaveToFixed(const QString &FileName, TIntList &Positions)
{
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int first = SaveStartCol(), last = SaveEndCol() + h;
    auto text = [&](int c, int r) {
        // A line break inside a cell would end the record early.
        QString s = GetSaveCellText(h ? c : RealColIndex(c), r);
        s.replace(kCRLF, QString(kBlank)).replace(kCR, kBlank).replace(kLF, kBlank);
        return s;
    };
    for (int c = first + Positions.Count(); c <= last; ++c) {
        int w = 0;
        for (int r = SaveStartRow(); r <= SaveEndRow(); ++r)
            for (const QString &l : platform::splitTextLines(GetSaveCellText(h ? c : RealColIndex(c), r)))
                w = std::max(w, int(l.size()));
        Positions.Add(w + 1);
    }
    QString out;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = first; c <= last; ++c) {
            const int w = std::max(0, Positions[c - first]);
            out += text(c, r).left(w).leftJustified(w, kBlank);
        }
        out += kCRLF;
    }
    ExportNotification(esExportDone, -1);
    QString error;
    if (!platform::writeFileAtomic(FileName, platform::encodeText(out, platform::TextEncoding::Ansi), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TNovaStringGrid::LoadFromFixed(const QString &FileName, TIntList &Positions, bool DoTrim, int MaxRows)
{
    if (Positions.Count() < 2)
        throw ENovaGridError(QStringLiteral("At least two positions are needed"));
    if (Positions.Count() - 1 + FixedCols() > TGridCellStore::MaxCols)
        throw ENovaGridError(QStringLiteral("Too many positions"));
    QString text;
    if (!platform::readTextFile(FileName, text))
        throw ENovaGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    const QStringList lines = platform::splitTextLines(text);

    SetColCount(FixedCols() + Positions.Count() - 1);
    std::vector<int> pos(Positions.Values().begin(), Positions.Values().end());
    std::sort(pos.begin(), pos.end());
    for (int i = 0; i < int(pos.size()); ++i)
        Positions.SetInteger(i, pos[size_t(i)]);
    for (int &p : pos)
        p = std::max(1, p); // positions count from 1

    const qsizetype n = MaxRows == -1 ? lines.size() : std::min<qsizetype>(lines.size(), std::max(1, MaxRows));
    int row = SaveStartRow();
    if (row + n > RowCount())
        SetRowCount(int(row + n));
    ImportNotification(isImportStart, row);
    for (qsizetype i = 0; i < n; ++i, ++row) {
        const QString &line = lines.at(i);
        for (int k = 1; k < int(pos.size()); ++k) {
            QString f = line.mid(pos[size_t(k - 1)] - 1, pos[size_t(k)] - pos[size_t(k - 1)]);
            if (DoTrim)
                f = f.trimmed();
            LoadCellText(SaveStartCol() + k - 1, row, f);
        }
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}
