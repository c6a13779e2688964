#include "platform/TextFile.h"

#include "platform/Files.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <vector>

namespace platform {

namespace {
const char *codePage(TextEncoding enc) { return enc == TextEncoding::Oem ? "IBM850" : "windows-1252"; }

// Windows-1252 agrees with Latin-1 everywhere but 0x80..0x9F; most texts never leave that common
// part and take the quick Latin-1 conversion.
bool latin1SameAsAnsi(const QByteArray &data)
{
    for (char ch : data) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0)
            return false;
    }
    return true;
}
} // namespace

QString decodeText(const QByteArray &data) { return decodeText(data, TextEncoding::Ansi); }

QString decodeText(const QByteArray &data, TextEncoding fallback)
{
    if (data.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(data.mid(3));
    if (data.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringConverter::Utf16LE);
        return dec.decode(data.mid(2));
    }
    if (data.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringConverter::Utf16BE);
        return dec.decode(data.mid(2));
    }
    return decodeCodePage(data, fallback);
}

QString decodeCodePage(const QByteArray &data, TextEncoding enc)
{
    if (enc == TextEncoding::Ansi && latin1SameAsAnsi(data)) return QString::fromLatin1(data);
    QStringDecoder dec(codePage(enc));
    if (!dec.isValid()) return QString::fromLatin1(data);
    return dec.decode(data);
}

std::array<char16_t, 256> codePageChars(TextEncoding enc)
{
    std::array<char16_t, 256> chars{};
    for (int b = 0; b < 256; ++b) {
        // Each byte is a character of its own in these code pages.
        const QString c = decodeCodePage(QByteArray(1, char(b)), enc);
        chars[std::size_t(b)] = c.size() == 1 ? c.at(0).unicode() : char16_t(0xFFFD);
    }
    return chars;
}

QByteArray encodeText(const QString &text, TextEncoding enc)
{
    TextEncoder e(enc);
    e.append(text);
    return e.bytes();
}

TextEncoder::TextEncoder(TextEncoding enc) : m_enc(enc)
{
    if (enc == TextEncoding::Utf8Bom) m_bytes = QByteArray("\xEF\xBB\xBF");
    if (enc == TextEncoding::Utf16LeBom) m_bytes = QByteArray("\xFF\xFE");
}

TextEncoder::~TextEncoder() = default;

void TextEncoder::append(QStringView text)
{
    const qsizetype n = text.size();
    if (n == 0) return;
    // One byte a character while every character is one the encoding keeps as its own byte:
    // ASCII for UTF-8, Latin-1 but 0x80..0x9F for ANSI, and for OEM printable ASCII and the
    // line breaks and tab (its converter moves some control characters).
    if (m_enc != TextEncoding::Utf16LeBom && !m_held) {
        const qsizetype old = m_bytes.size();
        m_bytes.resize(old + n);
        char *out = m_bytes.data() + old;
        const QChar *in = text.data();
        qsizetype i = 0;
        for (; i < n; ++i) {
            const char16_t c = in[i].unicode();
            const bool same = m_enc == TextEncoding::Ansi      ? c <= 0xFF && (c < 0x80 || c >= 0xA0)
                              : m_enc == TextEncoding::Utf8Bom ? c < 0x80
                                                               : (c >= 0x20 && c < 0x7F) || c == u'\r' || c == u'\n' || c == u'\t';
            if (!same) break;
            out[i] = char(c);
        }
        if (i == n) return;
        m_bytes.truncate(old);
    }
    // A surrogate pair split between pieces is converted as in the whole text: the first half is
    // kept back for the next piece.
    m_held = text.back().isHighSurrogate();
    if (m_enc == TextEncoding::Ansi || m_enc == TextEncoding::Oem) {
        // A character the code page lacks becomes "?" (its converter would write a control byte).
        static const auto held = [](TextEncoding enc) {
            std::vector<bool> has(0x10000, false);
            for (char16_t c : codePageChars(enc))
                has[c] = c != 0xFFFD;
            return has;
        };
        static const std::vector<bool> ansi = held(TextEncoding::Ansi), oem = held(TextEncoding::Oem);
        const std::vector<bool> &has = m_enc == TextEncoding::Ansi ? ansi : oem;
        QString piece = m_pending.isNull() ? QString() : QString(m_pending);
        piece += m_held ? text.chopped(1) : text;
        m_pending = m_held ? text.back() : QChar();
        QString out;
        out.reserve(piece.size());
        for (qsizetype i = 0; i < piece.size(); ++i) {
            const QChar c = piece[i];
            if (c.isHighSurrogate() && i + 1 < piece.size() && piece[i + 1].isLowSurrogate())
                ++i; // one character, one "?"
            out += has[c.unicode()] && !c.isSurrogate() ? c : QLatin1Char('?');
        }
        if (!m_codec)
            m_codec = std::make_unique<QStringEncoder>(codePage(m_enc), QStringConverter::Flag::Default);
        m_bytes += m_codec->isValid() ? QByteArray(m_codec->encode(out)) : out.toLatin1();
        return;
    }
    if (m_enc == TextEncoding::Utf8Bom) {
        QString piece = m_pending.isNull() ? QString() : QString(m_pending);
        piece += m_held ? text.chopped(1) : text;
        m_pending = m_held ? text.back() : QChar();
        m_bytes += piece.toUtf8();
        return;
    }
    if (!m_codec)
        m_codec = m_enc == TextEncoding::Utf16LeBom
                      ? std::make_unique<QStringEncoder>(QStringConverter::Utf16LE)
                      : std::make_unique<QStringEncoder>(codePage(m_enc), QStringConverter::Flag::Default);
    m_bytes += m_codec->isValid() ? QByteArray(m_codec->encode(text)) : text.toLatin1();
}

void TextEncoder::appendAscii(std::string_view text)
{
    if (m_held || m_enc == TextEncoding::Utf16LeBom) {
        append(QString::fromLatin1(text.data(), qsizetype(text.size())));
        return;
    }
    m_bytes.append(text.data(), qsizetype(text.size()));
}

const QByteArray &TextEncoder::bytes()
{
    if (!m_pending.isNull()) {
        // A lone first half at the end: a code page has no character for it.
        m_bytes += m_enc == TextEncoding::Utf8Bom ? QString(m_pending).toUtf8() : QByteArray("?");
        m_pending = QChar();
        m_held = false;
    }
    return m_bytes;
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c != u'\r' && c != u'\n') continue;
        lines.append(QString(s + start, i - start));
        if (c == u'\r' && i + 1 < n && s[i + 1].unicode() == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(QString(s + start, n - start));
    return lines;
}

bool readTextFile(const QString &path, QString &text, QString *error)
{
    return readTextFile(path, TextEncoding::Ansi, text, error);
}

bool readTextFile(const QString &path, TextEncoding fallback, QString &text, QString *error)
{
    QByteArray data;
    if (!readFile(path, data, error)) return false;
    text = decodeText(data, fallback);
    return true;
}

} // namespace platform
