#include "protocols/UDescription_File.h"

#include "platform/Files.h"

#include <QFileInfo>

bool Save_Description_File(const TDescription_File &file, const QString &path, QString *error)
{
    if (!file.ok()) {
        if (error) *error = file.Error;
        return false;
    }
    return platform::writeFileAtomic(path, file.Bytes, error);
}

namespace {

// Windows-1252 bytes 0x80..0x9F (0 where the code page has no character).
constexpr char16_t kAnsiHigh[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// The code page's byte of c; '?' for a character it lacks. (Qt's own converter marks those with a
// control character.)
char ansiByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (int i = 0; i < 32; ++i)
        if (kAnsiHigh[i] == c && c) return char(0x80 + i);
    return '?';
}

} // namespace

TExport_Lines::TExport_Lines(platform::TextEncoding encoding) : m_ansi(encoding == platform::TextEncoding::Ansi)
{
    if (encoding == platform::TextEncoding::Utf8Bom) m_bytes = QByteArray("\xEF\xBB\xBF");
}

void TExport_Lines::Add(QStringView line)
{
    if (m_ansi) {
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + line.size());
        char *out = m_bytes.data() + at;
        const QChar *in = line.data();
        qsizetype n = 0;
        for (qsizetype k = 0; k < line.size(); ++k) {
            const char16_t c = in[k].unicode();
            // A pair of surrogates is one character the code page lacks.
            if (QChar::isHighSurrogate(c) && k + 1 < line.size() && in[k + 1].isLowSurrogate()) ++k;
            out[n++] = ansiByte(c);
        }
        m_bytes.truncate(at + n);
    } else {
        m_bytes += line.toUtf8();
    }
    m_bytes += "\r\n";
}

void TExport_Lines::Add_Utf8(QByteArrayView line)
{
    for (const char c : line) {
        if (uchar(c) >= 0x80) {
            Add(QString::fromUtf8(line));
            return;
        }
    }
    if (m_ansi) {
        m_bytes.append(line);
        m_bytes += "\r\n";
    } else {
        Add(QString::fromLatin1(line.data(), line.size()));
    }
}

void TExport_Lines::Add_Ascii(std::string_view line)
{
    m_bytes.append(line.data(), qsizetype(line.size()));
    m_bytes += "\r\n";
}

TInput_File Read_Input_File(const QString &path, platform::XmlFile &file, QString *error)
{
    if (!QFileInfo::exists(path)) return TInput_File::Missing;
    if (file.load(path)) return TInput_File::Loaded;
    if (error) *error = file.error().message();
    return TInput_File::Failed;
}

namespace {

QString placedXmlError(const platform::XmlFile &file, const pugi::xml_node &at, const QString &cause)
{
    platform::XmlError e;
    e.kind = platform::XmlError::NotWellFormed;
    e.file = file.fileName();
    e.line = file.lineOf(at);
    e.cause = cause;
    return e.message();
}

} // namespace

bool Required_Attribute(const platform::XmlFile &file, const pugi::xml_node &row, const char *name,
                        QString &value, QString *error)
{
    const pugi::xml_attribute a = row.attribute(name);
    if (!a) {
        if (error)
            *error = placedXmlError(file, row, QStringLiteral("the row lacks the attribute \"%1\"").arg(QLatin1String(name)));
        return false;
    }
    value = QString::fromUtf8(a.value());
    return true;
}

QString Missing_Element(const platform::XmlFile &file, const pugi::xml_node &parent, const char *name)
{
    return placedXmlError(file, parent, QStringLiteral("the element \"%1\" is missing").arg(QLatin1String(name)));
}

void Append_Xml_Escaped(QString &out, QStringView text, bool asciiOnly)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'&' && u != u'<' && u != u'>' && u != u'"') {
            out += c;
            continue;
        }
        switch (u) {
        case u'&': out += QLatin1String("&amp;"); continue;
        case u'<': out += QLatin1String("&lt;"); continue;
        case u'>': out += QLatin1String("&gt;"); continue;
        case u'"': out += QLatin1String("&quot;"); continue;
        default: break;
        }
        // A character XML cannot hold is dropped, by the rule of every XML file the program writes.
        char32_t code = u;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1]);
            if (!asciiOnly) {
                out += c;
                out += text[i + 1];
                ++i;
                continue;
            }
            ++i;
        } else if (c.isSurrogate() || !platform::isXmlChar(u)) {
            continue;
        }
        if (asciiOnly && code > 0x7E)
            out += QStringLiteral("&#%1;").arg(uint(code));
        else
            out += c;
    }
}

QString Xml_Escape(QStringView text, bool asciiOnly)
{
    QString out;
    out.reserve(text.size());
    Append_Xml_Escaped(out, text, asciiOnly);
    return out;
}

QString TXml_Lines::Tag(const char *name, TXml_Attributes attributes) const
{
    QString s = QLatin1Char('<') + QLatin1String(name);
    for (const auto &[key, value] : attributes) {
        s += QLatin1Char(' ') + QLatin1String(key) + QLatin1String("=\"");
        Append_Xml_Escaped(s, value, m_ascii);
        s += QLatin1Char('"');
    }
    return s;
}

void TXml_Lines::begin(const char *name, TXml_Attributes attributes)
{
    m_line.clear();
    for (size_t i = 0; i < m_open.size(); ++i) m_line += m_indent;
    m_line += QLatin1Char('<');
    m_line += QLatin1String(name);
    for (const auto &[key, value] : attributes) {
        m_line += QLatin1Char(' ');
        m_line += QLatin1String(key);
        m_line += QLatin1String("=\"");
        Append_Xml_Escaped(m_line, value, m_ascii);
        m_line += QLatin1Char('"');
    }
}

void TXml_Lines::Line(const QString &text)
{
    m_line.clear();
    for (size_t i = 0; i < m_open.size(); ++i) m_line += m_indent;
    m_line += text;
    m_out.Add(m_line);
}

void TXml_Lines::Open(const char *name, TXml_Attributes attributes)
{
    begin(name, attributes);
    m_line += QLatin1Char('>');
    m_out.Add(m_line);
    m_open.push_back(name);
}

void TXml_Lines::Close()
{
    const char *name = m_open.back();
    m_open.pop_back();
    m_line.clear();
    for (size_t i = 0; i < m_open.size(); ++i) m_line += m_indent;
    m_line += QLatin1String("</");
    m_line += QLatin1String(name);
    m_line += QLatin1Char('>');
    m_out.Add(m_line);
}

void TXml_Lines::Empty(const char *name, TXml_Attributes attributes)
{
    begin(name, attributes);
    m_line += QLatin1String("/>");
    m_out.Add(m_line);
}

void TXml_Lines::Text(const char *name, QStringView text, TXml_Attributes attributes)
{
    begin(name, attributes);
    m_line += QLatin1Char('>');
    Append_Xml_Escaped(m_line, text, m_ascii);
    m_line += QLatin1String("</");
    m_line += QLatin1String(name);
    m_line += QLatin1Char('>');
    m_out.Add(m_line);
}

void TXml_Lines::Comment(const QString &text) { Line(QLatin1String("<!--") + text + QLatin1String("-->")); }
