#include "platform/Xml.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

bool elementText(const pugi::xml_node &element, QString &text)
{
    if (!element || element.type() != pugi::node_element) return false;
    QString t;
    for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) return false;
        t += QString::fromUtf8(c.value());
    }
    text = t;
    return true;
}

bool childText(const pugi::xml_node &parent, const char *name, QString &text)
{
    for (pugi::xml_node e = parent.first_child(); e; e = e.next_sibling())
        if (e.type() == pugi::node_element && std::strcmp(e.name(), name) == 0) return elementText(e, text);
    return false;
}

QString XmlError::message() const
{
    if (line > 0)
        return QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(cause);
    return QStringLiteral("%1: %2").arg(file, cause);
}

const char *XmlNode::child_value() const
{
    for (XmlNode c = first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            return c.value();
    return "";
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

QString xmlChars(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    // Most texts hold nothing to drop: they are copied once.
    while (i < n && text[i].unicode() >= 0x20 && !text[i].isSurrogate() && text[i].unicode() < 0xFFFE)
        ++i;
    if (i == n)
        return text.toString();
    QString out = text.left(i).toString();
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (!c.isSurrogate() && isXmlChar(c.unicode())) {
            out += c;
        }
    }
    return out;
}

namespace {

// Length of the well-formed UTF-8 sequence at p (at most n bytes) and its code point; 0 for bytes
// that are not UTF-8: a stray or overlong sequence, one cut short, a surrogate, beyond U+10FFFF.
size_t utf8Sequence(const unsigned char *p, size_t n, char32_t &cp)
{
    const unsigned char c = p[0];
    size_t len;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (len > n)
        return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80)  // also stops at a terminating 0
            return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

} // namespace

bool dropNonXmlChars(const char *utf8, std::string &out)
{
    // Length of the well-formed UTF-8 sequence of an XML character at p, 0 when there is none.
    auto charAt = [](const unsigned char *p) -> size_t {
        char32_t cp;
        const size_t len = utf8Sequence(p, SIZE_MAX, cp);
        return len && isXmlChar(cp) ? len : 0;
    };
    const auto *p = reinterpret_cast<const unsigned char *>(utf8);
    const unsigned char *clean = p;
    while (*clean >= 0x20 && *clean < 0x80)
        ++clean;
    for (const unsigned char *q = clean; *q;) {
        const size_t len = charAt(q);
        if (len == 0)
            break;
        q += len;
        clean = q;
    }
    if (!*clean)
        return false;
    out.assign(utf8, size_t(clean - p));
    for (const unsigned char *q = clean; *q;) {
        const size_t len = charAt(q);
        if (len == 0) {
            ++q;  // a character XML cannot hold, or one byte of what is not UTF-8
            continue;
        }
        out.append(reinterpret_cast<const char *>(q), size_t(len));
        q += len;
    }
    return true;
}

namespace {

QString notWellFormed(const QString &what) { return QStringLiteral("not a well-formed XML file (%1)").arg(what); }

QString quoted(const char *s, size_t len) { return QLatin1Char('"') + QString::fromUtf8(s, qsizetype(len)) + QLatin1Char('"'); }
QString quoted(const char *s) { return quoted(s, std::strlen(s)); }

// ---- where a failure is ----

struct Failure {
    qsizetype offset = -1;  // in the UTF-8 text; -1: no place
    QString cause;
};

// Line ends of a text: LF, CR LF (counted at the LF) and a lone CR.
struct LineEnds {
    std::vector<uint32_t> at;
    void add(size_t offset) { at.push_back(uint32_t(offset)); }
};

int lineFor(const std::vector<uint32_t> &ends, qsizetype offset)
{
    if (offset < 0)
        return 0;
    return int(std::lower_bound(ends.begin(), ends.end(), uint32_t(offset)) - ends.begin()) + 1;
}

// Line ends of a finished text (used on failures found before the text is scanned).
int lineInText(const char *text, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (text[i] == '\n')
            ++line;
        else if (text[i] == '\r' && (i + 1 >= offset || text[i + 1] != '\n'))
            ++line;
    }
    return line;
}

// ---- encodings ----

bool startsWith(const QByteArray &b, qsizetype at, const char *bytes, qsizetype n)
{
    return b.size() - at >= n && std::memcmp(b.constData() + at, bytes, size_t(n)) == 0;
}

// The encoding named by the XML declaration at the start of text ("" when there is none).
QByteArray declaredEncoding(const char *text, size_t size)
{
    if (size < 6 || std::memcmp(text, "<?xml", 5) != 0 || !(text[5] == ' ' || text[5] == '\t' || text[5] == '\r' || text[5] == '\n'))
        return {};
    const size_t limit = std::min<size_t>(size, 1024);
    const char *end = static_cast<const char *>(memmem(text, limit, "?>", 2));
    if (!end)
        return {};
    const char *p = static_cast<const char *>(memmem(text, size_t(end - text), "encoding", 8));
    if (!p)
        return {};
    p += 8;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (p < end && blank(*p))
        ++p;
    if (p >= end || *p != '=')
        return {};
    ++p;
    while (p < end && blank(*p))
        ++p;
    if (p >= end || (*p != '"' && *p != '\''))
        return {};
    const char q = *p++;
    const char *v = p;
    while (p < end && *p != q)
        ++p;
    return QByteArray(v, qsizetype(p - v));
}

enum class Encoding { Utf8, Ascii, Windows1252, Other };

bool oneOf(const QByteArray &lowerName, std::initializer_list<const char *> names)
{
    for (const char *n : names)
        if (lowerName == n)
            return true;
    return false;
}

// Windows-1252 at 0x80-0x9F; 0 where the code page has no character.
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

// UTF-16 to UTF-8; a lone surrogate or an odd byte count fails at its place in the output.
bool fromUtf16(const QByteArray &in, qsizetype from, bool bigEndian, QByteArray &out, Failure &failure)
{
    const auto *b = reinterpret_cast<const unsigned char *>(in.constData());
    const qsizetype n = in.size();
    out.clear();
    out.reserve((n - from) / 2 + 16);
    auto unit = [&](qsizetype i) { return bigEndian ? char16_t(b[i] << 8 | b[i + 1]) : char16_t(b[i + 1] << 8 | b[i]); };
    for (qsizetype i = from; i < n; i += 2) {
        if (i + 1 >= n) {
            failure = {out.size(), notWellFormed(QStringLiteral("the UTF-16 text ends in the middle of a character"))};
            return false;
        }
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < n) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            failure = {out.size(), notWellFormed(QStringLiteral("invalid UTF-16 text"))};
            return false;
        }
        appendUtf8(out, c);
    }
    return true;
}

bool fromWindows1252(const QByteArray &in, const QByteArray &name, QByteArray &out, Failure &failure)
{
    out.clear();
    out.reserve(in.size() + in.size() / 8 + 16);
    for (const char ch : in) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.append(ch);
        } else if (c >= 0xA0) {
            appendUtf8(out, c);
        } else if (const char16_t u = kCp1252High[c - 0x80]) {
            appendUtf8(out, u);
        } else {
            failure = {out.size(), notWellFormed(QStringLiteral("byte 0x%1 is no character of the declared encoding \"%2\"")
                                                     .arg(int(c), 2, 16, QLatin1Char('0'))
                                                     .arg(QString::fromLatin1(name)))};
            return false;
        }
    }
    return true;
}

// Turns the file's bytes into UTF-8 text. text is the bytes themselves when they are UTF-8
// (start then skips a byte-order mark).
bool decodeBytes(QByteArray &&bytes, QByteArray &text, qsizetype &start, Encoding &enc, Failure &failure)
{
    start = 0;
    enc = Encoding::Utf8;
    if (startsWith(bytes, 0, "\x00\x00\xFE\xFF", 4) || startsWith(bytes, 0, "\xFF\xFE\x00\x00", 4)
        || startsWith(bytes, 0, "\x00\x00\x00\x3C", 4) || startsWith(bytes, 0, "\x3C\x00\x00\x00", 4)) {
        failure = {0, QStringLiteral("UTF-32 files are not supported")};
        return false;
    }
    if (startsWith(bytes, 0, "\x4C\x6F\xA7\x94", 4)) {
        failure = {0, QStringLiteral("EBCDIC files are not supported")};
        return false;
    }
    if (startsWith(bytes, 0, "\xEF\xBB\xBF", 3)) {
        // The byte-order mark decides, whatever a declaration says.
        text = std::move(bytes);
        start = 3;
        return true;
    }
    const bool le = startsWith(bytes, 0, "\xFF\xFE", 2), be = startsWith(bytes, 0, "\xFE\xFF", 2);
    if (le || be)
        return fromUtf16(bytes, 2, be, text, failure);
    if (startsWith(bytes, 0, "\x3C\x00\x3F\x00", 4) || startsWith(bytes, 0, "\x00\x3C\x00\x3F", 4))
        return fromUtf16(bytes, 0, bytes.at(0) == 0, text, failure);

    const QByteArray declared = declaredEncoding(bytes.constData(), size_t(bytes.size()));
    const QByteArray name = declared.trimmed().toLower();
    if (name.isEmpty() || oneOf(name, {"utf-8", "utf8"})) {
        text = std::move(bytes);
        return true;
    }
    if (oneOf(name, {"us-ascii", "ascii", "iso646-us", "ansi_x3.4-1968"})) {
        text = std::move(bytes);
        enc = Encoding::Ascii;
        return true;
    }
    if (name.startsWith("utf-16") || name.startsWith("utf-32") || name.startsWith("ucs-") || name.startsWith("iso-10646")) {
        failure = {0, notWellFormed(QStringLiteral("it declares encoding \"%1\" but is not written in it")
                                        .arg(QString::fromLatin1(declared)))};
        return false;
    }
    // Files declared ISO-8859-1 come from Windows tools that use 0x80-0x9F for the euro sign,
    // quotes and dashes: read as Windows-1252 they show what their author saw.
    if (oneOf(name, {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
                     "latin-1", "l1", "iso-ir-100", "cp819", "ibm819"})) {
        enc = Encoding::Windows1252;
        return fromWindows1252(bytes, declared, text, failure);
    }
    QStringDecoder decoder(declared.constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        failure = {0, QStringLiteral("encoding \"%1\" is not supported").arg(QString::fromLatin1(declared))};
        return false;
    }
    enc = Encoding::Other;
    const QString s = decoder.decode(bytes);
    const qsizetype bad = decoder.hasError() ? 0 : s.indexOf(QChar::ReplacementCharacter);
    if (decoder.hasError() || bad >= 0) {
        const QByteArray before = s.left(qMax<qsizetype>(bad, 0)).toUtf8();
        failure = {before.size(), notWellFormed(QStringLiteral("bytes that are not valid in the declared encoding \"%1\"")
                                                    .arg(QString::fromLatin1(declared)))};
        text = before;
        return false;
    }
    text = s.toUtf8();
    return true;
}

// ---- the text before parsing ----

enum class Ref { Fine, LessThan, Bad };

// The reference starting at s[0] == '&' (n bytes available); its length goes to *len.
Ref checkReference(const char *s, size_t n, size_t *len, QString *cause)
{
    size_t i = 1;
    if (i < n && s[i] == '#') {
        ++i;
        const bool hex = i < n && s[i] == 'x';
        if (hex)
            ++i;
        const size_t digits = i;
        char32_t v = 0;
        for (; i < n && i - digits < 8; ++i) {
            const char c = s[i];
            int d = -1;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            if (d < 0)
                break;
            v = v * (hex ? 16 : 10) + char32_t(d);
        }
        if (i == digits || i >= n || s[i] != ';' || !isXmlChar(v)) {
            size_t e = i;
            while (e < n && e < 12 && s[e] != ';' && s[e] != '<' && static_cast<unsigned char>(s[e]) > ' ')
                ++e;
            if (e < n && s[e] == ';')
                ++e;
            if (cause)
                *cause = QStringLiteral("invalid character reference %1").arg(quoted(s, e));
            return Ref::Bad;
        }
        *len = i + 1;
        return v == '<' ? Ref::LessThan : Ref::Fine;
    }
    size_t e = i;
    auto nameChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
               || c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
    };
    while (e < n && e < 64 && nameChar(s[e]))
        ++e;
    if (e == i || e >= n || s[e] != ';') {
        if (cause)
            *cause = QStringLiteral("\"&\" that starts no entity or character reference");
        return Ref::Bad;
    }
    const size_t nameLen = e - i;
    auto is = [&](const char *name) { return std::strlen(name) == nameLen && std::memcmp(s + i, name, nameLen) == 0; };
    *len = e + 1;
    if (is("lt"))
        return Ref::LessThan;
    if (is("amp") || is("gt") || is("quot") || is("apos"))
        return Ref::Fine;
    if (cause)
        *cause = QStringLiteral("undeclared entity %1").arg(quoted(s, e + 1));
    return Ref::Bad;
}

struct TextScan {
    bool badReference = false;  // some "&" is no reference to a predefined entity or a character
    bool lessThanReference = false;
};

// One pass over the UTF-8 text: encoding, characters XML does not allow, line ends, references.
bool scanText(const char *t, size_t n, bool asciiOnly, LineEnds &lines, TextScan &scan, Failure &failure)
{
    lines.at.reserve(n / 32);
    size_t i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen bytes at a time, noting line feeds, until a byte needs a closer look: below 0x20
        // but a tab or line feed, 0x80 and above, "&".
        const __m128i space = _mm_set1_epi8(0x20), tab = _mm_set1_epi8('\t'), lf = _mm_set1_epi8('\n'),
                      amp = _mm_set1_epi8('&');
        while (i + 16 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + i));
            const __m128i isLf = _mm_cmpeq_epi8(v, lf);
            const __m128i special = _mm_or_si128(
                _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tab), isLf), _mm_cmplt_epi8(v, space)),
                _mm_cmpeq_epi8(v, amp));
            const unsigned mask = unsigned(_mm_movemask_epi8(special));
            const unsigned stop = mask ? unsigned(__builtin_ctz(mask)) : 16;
            for (unsigned feeds = unsigned(_mm_movemask_epi8(isLf)) & ((1u << stop) - 1); feeds; feeds &= feeds - 1)
                lines.add(i + size_t(__builtin_ctz(feeds)));
            i += stop;
            if (mask)
                break;
        }
        if (i >= n)
            break;
#endif
        const auto c = static_cast<unsigned char>(t[i]);
        if (c >= 0x20 && c < 0x80) {
            if (c == '&') {
                size_t len = 1;
                const Ref r = checkReference(t + i, n - i, &len, nullptr);
                scan.badReference |= r == Ref::Bad;
                scan.lessThanReference |= r == Ref::LessThan;
            }
            ++i;
            continue;
        }
        if (c == '\n' || c == '\t') {
            if (c == '\n')
                lines.add(i);
            ++i;
            continue;
        }
        if (c == '\r') {
            if (i + 1 >= n || t[i + 1] != '\n')
                lines.add(i);
            ++i;
            continue;
        }
        if (c < 0x20) {
            failure = {qsizetype(i), notWellFormed(QStringLiteral("control character U+%1, which XML does not allow")
                                                       .arg(int(c), 4, 16, QLatin1Char('0')))};
            return false;
        }
        // UTF-8 sequence.
        auto invalid = [&] {
            failure = {qsizetype(i), notWellFormed(asciiOnly ? QStringLiteral("bytes that are not US-ASCII")
                                                             : QStringLiteral("bytes that are not valid UTF-8"))};
            return false;
        };
        if (asciiOnly)
            return invalid();
        char32_t cp;
        const size_t len = utf8Sequence(reinterpret_cast<const unsigned char *>(t + i), n - i, cp);
        if (len == 0)
            return invalid();
        if (cp == 0xFFFE || cp == 0xFFFF) {
            failure = {qsizetype(i), notWellFormed(QStringLiteral("character U+%1, which XML does not allow").arg(int(cp), 4, 16, QLatin1Char('0')))};
            return false;
        }
        i += len;
    }
    return true;
}

// Finds the first "&" or "<" out of place, looking at the markup as written: only run when the
// quick scan saw a doubtful reference, since comments, CDATA and processing instructions may hold
// any text. Stops quietly where the markup is broken: the parser reports that.
bool checkMarkup(const char *t, size_t n, Failure &failure)
{
    auto find = [&](size_t from, const char *what) -> size_t {
        const void *p = memmem(t + from, n - std::min(from, n), what, std::strlen(what));
        return p ? size_t(static_cast<const char *>(p) - t) : n;
    };
    auto at = [&](size_t i, const char *s) { return n - i >= std::strlen(s) && std::memcmp(t + i, s, std::strlen(s)) == 0; };
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    bool doctype = false;
    auto reference = [&](size_t i) {
        size_t len = 1;
        QString cause;
        if (checkReference(t + i, n - i, &len, &cause) != Ref::Bad)
            return true;
        if (doctype && cause.startsWith(QLatin1String("undeclared entity")))
            cause = QStringLiteral("entity %1 from a document type declaration; such entities are not supported")
                        .arg(cause.mid(18));
        failure = {qsizetype(i), notWellFormed(cause)};
        return false;
    };
    size_t i = 0;
    while (i < n) {
        const char c = t[i];
        if (c == '&') {
            if (!reference(i))
                return false;
            ++i;
            continue;
        }
        if (c != '<') {
            ++i;
            continue;
        }
        if (at(i, "<!--")) {
            i = find(i + 4, "-->") + 3;
        } else if (at(i, "<![CDATA[")) {
            i = find(i + 9, "]]>") + 3;
        } else if (at(i, "<?")) {
            i = find(i + 2, "?>") + 2;
        } else if (at(i, "<!")) {
            // Document type declaration: skip to its end, over quoted texts and the internal subset.
            doctype = true;
            int depth = 0;
            for (++i; i < n; ++i) {
                if (t[i] == '"' || t[i] == '\'') {
                    const char q = t[i];
                    while (++i < n && t[i] != q) {}
                } else if (t[i] == '[') {
                    ++depth;
                } else if (t[i] == ']') {
                    --depth;
                } else if (t[i] == '>' && depth <= 0) {
                    break;
                }
            }
            ++i;
        } else if (at(i, "</")) {
            i = find(i + 2, ">") + 1;
        } else {
            // Start tag: name, then name="value" pairs.
            ++i;
            while (i < n && !blank(t[i]) && t[i] != '/' && t[i] != '>')
                ++i;
            for (;;) {
                while (i < n && blank(t[i]))
                    ++i;
                if (i >= n || t[i] == '>' || t[i] == '/')
                    break;
                const size_t nameStart = i;
                while (i < n && !blank(t[i]) && t[i] != '=' && t[i] != '>' && t[i] != '/')
                    ++i;
                const size_t nameEnd = i;
                while (i < n && blank(t[i]))
                    ++i;
                if (i >= n || t[i] != '=')
                    return true;
                ++i;
                while (i < n && blank(t[i]))
                    ++i;
                if (i >= n || (t[i] != '"' && t[i] != '\''))
                    return true;
                const char q = t[i++];
                for (; i < n && t[i] != q; ++i) {
                    if (t[i] == '<') {
                        failure = {qsizetype(i), notWellFormed(QStringLiteral("\"<\" in the value of attribute %1")
                                                                   .arg(quoted(t + nameStart, nameEnd - nameStart)))};
                        return false;
                    }
                    if (t[i] == '&' && !reference(i))
                        return false;
                }
                ++i;
            }
        }
    }
    return true;
}

// ---- the parsed tree ----

// Records of the tree copy, from blocks that grow with the file; a block is touched only as far
// as it is used (fresh pages cost a fault each).
template <class Rec>
class Chunks {
public:
    Chunks() = default;
    Chunks(const Chunks &) = delete;
    Chunks &operator=(const Chunks &) = delete;
    ~Chunks() { clear(); }

    Rec *add()
    {
        if (m_used == m_size) {
            m_size = m_blocks.empty() ? 256 : std::min<size_t>(m_size * 2, 65536);
            m_blocks.push_back(static_cast<Rec *>(std::malloc(m_size * sizeof(Rec))));
            if (!m_blocks.back())
                throw std::bad_alloc();
            m_used = 0;
        }
        return m_blocks.back() + m_used++;  // raw: the caller constructs it
    }
    void clear()
    {
        for (Rec *b : m_blocks)
            std::free(b);  // records are trivially destructible
        m_blocks.clear();
        m_used = m_size = 0;
    }

private:
    std::vector<Rec *> m_blocks;
    size_t m_used = 0, m_size = 0;
};

// The first character of s that is no blank; nullptr when there is none.
const char *firstNonBlank(const char *s)
{
    for (; *s; ++s)
        if (!(*s == ' ' || *s == '\t' || *s == '\r' || *s == '\n'))
            return s;
    return nullptr;
}

} // namespace

struct XmlFile::Tree {
    Chunks<XmlNodeRec> nodes;
    Chunks<XmlAttrRec> attrs;
    XmlNodeRec *root = nullptr;
    void clear()
    {
        nodes.clear();
        attrs.clear();
        root = nullptr;
    }
};

namespace {

// Copies doc into tree and checks what the parser lets pass: one root element and no text beside
// it, no attribute twice in an element, every namespace prefix declared, no "<" in an attribute
// value (valuesMayHoldLessThan: the text has "&lt;" references, already checked on the markup).
struct TreeBuilder {
    const char *base;
    size_t size;
    bool valuesMayHoldLessThan;
    Failure &failure;

    struct Prefix {
        const char *name;
        size_t len;
    };
    std::vector<Prefix> scope;          // declared prefixes of the open elements
    std::vector<size_t> scopeMarks;     // scope size at each open element

    qsizetype offsetOf(const char *p) const
    {
        return p >= base && p <= base + size ? qsizetype(p - base) : -1;
    }
    bool fail(const char *at, const QString &cause)
    {
        failure = {offsetOf(at), notWellFormed(cause)};
        return false;
    }

    bool declared(const char *prefix, size_t len) const
    {
        if (len == 3 && std::memcmp(prefix, "xml", 3) == 0)
            return true;
        for (auto it = scope.rbegin(); it != scope.rend(); ++it)
            if (it->len == len && std::memcmp(it->name, prefix, len) == 0)
                return true;
        return false;
    }

    // Prefix of a qualified name: its length, or 0 without one.
    static size_t prefixLength(const char *name)
    {
        for (const char *p = name; *p; ++p)
            if (*p == ':')
                return size_t(p - name);
        return 0;
    }

    // The element's own declarations, then its names.
    bool openElement(XmlNodeRec *e)
    {
        scopeMarks.push_back(scope.size());
        for (const XmlAttrRec *a = e->firstAttribute; a; a = a->next) {
            const char *n = a->name;
            if (n[0] == 'x' && std::strncmp(n, "xmlns:", 6) == 0) {
                if (!*a->value)
                    return fail(n, QStringLiteral("namespace prefix %1 bound to an empty name").arg(quoted(n + 6)));
                scope.push_back({n + 6, std::strlen(n + 6)});
            }
        }
        if (const size_t len = prefixLength(e->name); len && !declared(e->name, len))
            return fail(e->name, QStringLiteral("undeclared namespace prefix %1 in %2").arg(quoted(e->name, len), quoted(e->name)));
        for (const XmlAttrRec *a = e->firstAttribute; a; a = a->next) {
            const char *n = a->name;
            if (const size_t len = prefixLength(n); len && !(len == 5 && std::memcmp(n, "xmlns", 5) == 0) && !declared(n, len))
                return fail(n, QStringLiteral("undeclared namespace prefix %1 in %2").arg(quoted(n, len), quoted(n)));
            for (const XmlAttrRec *b = e->firstAttribute; b != a; b = b->next)
                if (b->name[0] == n[0] && std::strcmp(b->name, n) == 0)
                    return fail(n, QStringLiteral("attribute %1 twice in element %2").arg(quoted(n), quoted(e->name)));
            if (!valuesMayHoldLessThan)
                if (const char *lt = std::strchr(a->value, '<'))
                    return fail(lt, QStringLiteral("\"<\" in the value of attribute %1").arg(quoted(n)));
        }
        return true;
    }
    void closeElement()
    {
        scope.resize(scopeMarks.back());
        scopeMarks.pop_back();
    }

    // Each of the library's accessors is a call into the shared library, so every one is asked
    // once per node: the type, the name or value, the attributes (an attribute never has an
    // empty name, a null one has), the first child and the next sibling.
    XmlNodeRec *copy(XmlFile::Tree &tree, pugi::xml_node n, pugi::xml_node_type type, XmlNodeRec *parent)
    {
        // Elements carry no value; texts, comments and CDATA no name.
        const bool named = type == pugi::node_element || type == pugi::node_pi || type == pugi::node_declaration;
        XmlNodeRec *r = new (tree.nodes.add()) XmlNodeRec{named ? n.name() : "",
                                                           type == pugi::node_element ? "" : n.value(),
                                                           parent, nullptr, nullptr, nullptr, n, type};
        if (type == pugi::node_element || type == pugi::node_declaration) {
            XmlAttrRec *previous = nullptr;
            for (pugi::xml_attribute a = n.first_attribute();; a = a.next_attribute()) {
                const char *name = a.name();
                if (!*name)
                    break;
                XmlAttrRec *ar = new (tree.attrs.add()) XmlAttrRec{name, a.value(), nullptr};
                if (previous)
                    previous->next = ar;
                else
                    r->firstAttribute = ar;
                previous = ar;
            }
        }
        return r;
    }

    bool build(pugi::xml_document &doc, XmlFile::Tree &tree)
    {
        // Text beside the root element (the parser keeps it as a fragment's text) is an error;
        // blanks there are dropped.
        const char *rootName = nullptr;
        for (pugi::xml_node c = doc.first_child(), next; c; c = next) {
            next = c.next_sibling();
            const pugi::xml_node_type t = c.type();
            if (t == pugi::node_pcdata || t == pugi::node_cdata) {
                if (const char *text = firstNonBlank(c.value()))
                    return fail(text, QStringLiteral("text outside the root element"));
                doc.remove_child(c);
            } else if (t == pugi::node_element) {
                if (rootName)
                    return fail(c.name(), QStringLiteral("second root element %1 after %2").arg(quoted(c.name()), quoted(rootName)));
                rootName = c.name();
            }
        }
        if (!rootName) {
            failure = {qsizetype(size), notWellFormed(QStringLiteral("no root element"))};
            return false;
        }

        XmlNodeRec *root = copy(tree, doc, pugi::node_document, nullptr);
        tree.root = root;
        XmlNodeRec *parent = root;
        XmlNodeRec *last = nullptr;  // last child copied under parent
        pugi::xml_node c = doc.first_child();
        pugi::xml_node_type type = c.type();
        for (;;) {
            if (type != pugi::node_null) {
                XmlNodeRec *r = copy(tree, c, type, parent);
                if (last)
                    last->nextSibling = r;
                else
                    parent->firstChild = r;
                if (type == pugi::node_element) {
                    if (!openElement(r))
                        return false;
                    const pugi::xml_node first = c.first_child();
                    const pugi::xml_node_type firstType = first.type();
                    if (firstType != pugi::node_null) {
                        parent = r;
                        last = nullptr;
                        c = first;
                        type = firstType;
                        continue;
                    }
                    closeElement();
                }
                last = r;
                c = c.next_sibling();
                type = c.type();
                continue;
            }
            if (parent == root)
                break;
            closeElement();
            last = parent;
            c = parent->source.next_sibling();
            type = c.type();
            parent = const_cast<XmlNodeRec *>(parent->parent);
        }
        return true;
    }
};

// The file's bytes; plain system calls, as a catalog reads many files.
bool readBytes(const QString &path, QByteArray &bytes, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    struct stat st;
    const int statError = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (statError) {
        ::close(fd);
        error = qt_error_string(statError);
        return false;
    }
    bytes.resize(qsizetype(st.st_size));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int e = n < 0 ? errno : EIO;  // shorter than it said
            ::close(fd);
            error = qt_error_string(e);
            return false;
        }
        done += n;
    }
    ::close(fd);
    return true;
}

} // namespace

XmlFile::XmlFile() : m_tree(std::make_unique<Tree>()) {}
XmlFile::~XmlFile() = default;

void XmlFile::reset()
{
    m_tree->clear();
    m_doc.reset();
    m_text.clear();
    m_start = 0;
    m_lineEnds.clear();
    m_error = {};
    m_file.clear();
}

bool XmlFile::fail(XmlError::Kind kind, int line, const QString &cause)
{
    m_tree->clear();
    m_doc.reset();
    m_error.kind = kind;
    m_error.file = m_file;
    m_error.line = line;
    m_error.cause = cause;
    return false;
}

bool XmlFile::load(const QString &path, unsigned parseOptions)
{
    reset();
    m_file = path;
    QByteArray bytes;
    QString error;
    if (!readBytes(path, bytes, error))
        return fail(XmlError::CannotRead, 0, QStringLiteral("cannot be read (%1)").arg(error));
    return loadBytes(std::move(bytes), path, parseOptions);
}

bool XmlFile::loadBytes(QByteArray bytes, const QString &fileName, unsigned parseOptions)
{
    reset();
    m_file = fileName;
    Encoding enc = Encoding::Utf8;
    Failure failure;
    if (!decodeBytes(std::move(bytes), m_text, m_start, enc, failure)) {
        const int line = failure.offset < 0 ? 0 : lineInText(m_text.constData(), qMin(failure.offset, m_text.size()));
        return fail(XmlError::NotWellFormed, line, failure.cause);
    }
    const char *t = m_text.constData() + m_start;
    const size_t n = size_t(m_text.size() - m_start);
    LineEnds lines;
    TextScan scan;
    const bool scanned = scanText(t, n, enc == Encoding::Ascii, lines, scan, failure);
    m_lineEnds = std::move(lines.at);
    if (!scanned)
        return fail(XmlError::NotWellFormed, lineAt(failure.offset), failure.cause);
    if ((scan.badReference || scan.lessThanReference) && !checkMarkup(t, n, failure))
        return fail(XmlError::NotWellFormed, lineAt(failure.offset), failure.cause);

    char *base = m_text.data() + m_start;  // detaches: the parser writes into its own copy
    const pugi::xml_parse_result r =
        m_doc.load_buffer_inplace(base, n, parseOptions | pugi::parse_fragment, pugi::encoding_utf8);
    if (!r)
        return fail(XmlError::NotWellFormed, lineAt(r.offset), notWellFormed(QString::fromUtf8(r.description())));
    TreeBuilder builder{base, n, scan.lessThanReference, failure, {}, {}};
    if (!builder.build(m_doc, *m_tree))
        return fail(XmlError::NotWellFormed, lineAt(failure.offset), failure.cause);
    return true;
}

int XmlFile::lineAt(qsizetype offset) const { return lineFor(m_lineEnds, offset); }

XmlNode XmlFile::root() const { return XmlNode(m_tree->root); }

XmlNode XmlFile::documentElement() const
{
    for (XmlNode c = root().first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return c;
    return {};
}

int XmlFile::lineOfText(const char *p) const
{
    const char *base = m_text.constData() + m_start;
    if (!p || p < base || p > m_text.constData() + m_text.size())
        return 0;
    return lineAt(qsizetype(p - base));
}

int XmlFile::lineOf(XmlNode node) const
{
    if (!node)
        return 0;
    const pugi::xml_node_type t = node.type();
    const bool named = t == pugi::node_element || t == pugi::node_pi || t == pugi::node_declaration;
    return lineOfText(named ? node.name() : node.value());
}

int XmlFile::lineOf(XmlAttr attribute) const { return attribute ? lineOfText(attribute.name()) : 0; }

int XmlFile::lineOf(const pugi::xml_node &node) const
{
    const pugi::xml_node_type t = node.type();
    const bool named = t == pugi::node_element || t == pugi::node_pi || t == pugi::node_declaration;
    return node ? lineOfText(named ? node.name() : node.value()) : 0;
}

bool readXmlFile(pugi::xml_document &doc, const QString &path, unsigned parseOptions, QString *error, XmlError *details)
{
    XmlFile file;
    if (!file.load(path, parseOptions)) {
        if (error)
            *error = file.error().message();
        if (details)
            *details = file.error();
        return false;
    }
    doc.reset(file.document());  // a copy that owns its texts
    return true;
}

} // namespace platform
