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

// Characters of the ANSI code page (Windows-1252) above Latin-1's control block.
bool inAnsi(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    static constexpr char16_t kHigh[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
                                         0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                         0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
    for (char16_t h : kHigh)
        if (c == h) return true;
    return false;
}

} // namespace

void TExport_Lines::Add(QStringView line)
{
    if (m_ansi) {
        // The code page's own converter marks what it lacks with a control character; the file
        // shows "?", one for each character (a pair of surrogates is one).
        qsizetype i = 0;
        while (i < line.size() && inAnsi(line[i].unicode())) ++i;
        if (i < line.size()) {
            QString fixed;
            fixed.reserve(line.size());
            for (qsizetype k = 0; k < line.size(); ++k) {
                const QChar c = line[k];
                if (c.isHighSurrogate() && k + 1 < line.size() && line[k + 1].isLowSurrogate()) ++k;
                fixed += inAnsi(c.unicode()) ? c : QLatin1Char('?');
            }
            m_out.append(fixed);
            m_out.appendAscii("\r\n");
            return;
        }
    }
    m_out.append(line);
    m_out.appendAscii("\r\n");
}

void TExport_Lines::Add_Ascii(std::string_view line)
{
    m_out.appendAscii(line);
    m_out.appendAscii("\r\n");
}

TInput_File Read_Input_File(const QString &path, platform::XmlFile &file, QString *error)
{
    if (!QFileInfo::exists(path)) return TInput_File::Missing;
    if (file.load(path)) return TInput_File::Loaded;
    if (error) *error = file.error().message();
    return TInput_File::Failed;
}

namespace {

QString placed(const platform::XmlFile &file, const pugi::xml_node &at, const QString &cause)
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
            *error = placed(file, row, QStringLiteral("the row lacks the attribute \"%1\"").arg(QLatin1String(name)));
        return false;
    }
    value = QString::fromUtf8(a.value());
    return true;
}

QString Missing_Element(const platform::XmlFile &file, const pugi::xml_node &parent, const char *name)
{
    return placed(file, parent, QStringLiteral("the element \"%1\" is missing").arg(QLatin1String(name)));
}

QString Xml_Escape(QStringView text, bool asciiOnly)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        switch (u) {
        case u'&': out += QLatin1String("&amp;"); continue;
        case u'<': out += QLatin1String("&lt;"); continue;
        case u'>': out += QLatin1String("&gt;"); continue;
        case u'"': out += QLatin1String("&quot;"); continue;
        default: break;
        }
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') {
            out += QLatin1Char('?');
            continue;
        }
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
        } else if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF) {
            out += QLatin1Char('?');
            continue;
        }
        if (asciiOnly && code > 0x7E)
            out += QStringLiteral("&#%1;").arg(uint(code));
        else
            out += c;
    }
    return out;
}

QString TXml_Lines::indentation() const
{
    return m_indent.repeated(qsizetype(m_open.size()));
}

QString TXml_Lines::Tag(const char *name, TXml_Attributes attributes) const
{
    QString s = QLatin1Char('<') + QLatin1String(name);
    for (const auto &[key, value] : attributes)
        s += QLatin1Char(' ') + QLatin1String(key) + QLatin1String("=\"") + Escape(value) + QLatin1Char('"');
    return s;
}

void TXml_Lines::Line(const QString &text) { m_out.Add(indentation() + text); }

void TXml_Lines::Open(const char *name, TXml_Attributes attributes)
{
    Line(Tag(name, attributes) + QLatin1Char('>'));
    m_open.push_back(name);
}

void TXml_Lines::Close()
{
    const char *name = m_open.back();
    m_open.pop_back();
    Line(QLatin1String("</") + QLatin1String(name) + QLatin1Char('>'));
}

void TXml_Lines::Empty(const char *name, TXml_Attributes attributes) { Line(Tag(name, attributes) + QLatin1String("/>")); }

void TXml_Lines::Text(const char *name, const QString &text, TXml_Attributes attributes)
{
    Line(Tag(name, attributes) + QLatin1Char('>') + Escape(text) + QLatin1String("</") + QLatin1String(name)
         + QLatin1Char('>'));
}

void TXml_Lines::Comment(const QString &text) { Line(QLatin1String("<!--") + text + QLatin1String("-->")); }
