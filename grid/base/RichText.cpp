#include "grid/base/RichText.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Deeper groups than this are read as if their braces were not there: a file made of nothing
// but opening braces must not cost a state copy per byte.
constexpr int kMaxDepth = 200;
constexpr int kDefaultHalfPoints = 20;

enum class Dest { Text, Skip, FontTable, ColorTable };

struct CharState {
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    int back = 0;
    int vert = 0; // 1 superscript, -1 subscript
    bool operator==(const CharState &) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
};

struct Group {
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1;
    bool starDest = false; // "\*" seen: an unknown destination word skips the group
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;
    }
}

QString decodeBytes(const QByteArray &bytes, int codePage)
{
    if (codePage <= 0)
        codePage = 1252;
    QStringDecoder dec(QByteArray("windows-" + QByteArray::number(codePage)).constData());
    if (!dec.isValid()) {
        const QByteArray name = codePage == 932 ? "Shift_JIS" : codePage == 936 ? "GBK" : codePage == 949 ? "EUC-KR"
                                : codePage == 950 ? "Big5" : "windows-1252";
        dec = QStringDecoder(name.constData());
    }
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

bool isSkippedDestination(const QByteArray &w)
{
    static const char *const names[] = {
        "annotation", "atnauthor", "atnid", "author", "bkmkend", "bkmkstart", "buptim", "colorschememapping",
        "comment", "creatim", "datastore", "doccomm", "filetbl", "fldinst", "footer", "footerf", "footerl",
        "footerr", "footnote", "generator", "header", "headerf", "headerl", "headerr", "info", "keywords",
        "latentstyles", "listoverridetable", "listtable", "mmathPr", "nonshppict", "object", "operator",
        "pgdsctbl", "pict", "printim", "revtbl", "revtim", "rsidtbl", "shp", "stylesheet", "subject",
        "template", "themedata", "title", "txe", "xe", "xmlnstbl"};
    for (const char *n : names)
        if (w == n)
            return true;
    return false;
}

QString sanitized(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 && u != '\t')
            continue;
        // Characters the text document keeps for its own frame and object marks.
        if ((u >= 0xFDD0 && u <= 0xFDEF) || u == 0xFFFC)
            c = QChar(0xFFFD);
        else if (u == 0x2029)
            c = QChar::LineSeparator;
        out += c;
    }
    return out;
}

class Reader {
public:
    explicit Reader(QTextDocument &doc) : m_doc(doc), m_cursor(&doc) {}

    void read(const QByteArray &rtf)
    {
        m_stack.push_back(Group{});
        const int n = int(rtf.size());
        int i = 0;
        while (i < n) {
            const char c = rtf[i];
            if (c == '{') {
                ++i;
                openGroup();
            } else if (c == '}') {
                ++i;
                closeGroup();
            } else if (c == '\\') {
                i = controlAt(rtf, i);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                const int start = i;
                while (i < n && rtf[i] != '{' && rtf[i] != '}' && rtf[i] != '\\' && rtf[i] != '\r' && rtf[i] != '\n')
                    ++i;
                plainBytes(rtf.mid(start, i - start));
            }
        }
        flushBytes();
        flushText();
        applyPara();
    }

private:
    Group &top() { return m_stack.back(); }

    void openGroup()
    {
        flushBytes();
        m_skip = 0;
        if (int(m_stack.size()) >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        Group g = top();
        g.starDest = false;
        m_stack.push_back(g);
    }

    void closeGroup()
    {
        flushBytes();
        m_skip = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (top().dest == Dest::FontTable)
            endFontName();
        if (m_stack.size() > 1)
            m_stack.pop_back();
    }

    // One control word or symbol starting at the backslash at i; the index after it.
    int controlAt(const QByteArray &rtf, int i)
    {
        const int n = int(rtf.size());
        if (i + 1 >= n)
            return n;
        const char c = rtf[i + 1];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            int j = i + 1;
            while (j < n && j - i <= 32 && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            bool hasParam = false;
            long long value = 0;
            bool negative = false;
            if (j < n && rtf[j] == '-' && j + 1 < n && std::isdigit(static_cast<unsigned char>(rtf[j + 1]))) {
                negative = true;
                ++j;
            }
            while (j < n && std::isdigit(static_cast<unsigned char>(rtf[j]))) {
                hasParam = true;
                value = std::min(value * 10 + (rtf[j] - '0'), 1000000000LL);
                ++j;
            }
            if (j < n && rtf[j] == ' ')
                ++j;
            controlWord(word, hasParam, int(negative ? -value : value));
            return j;
        }
        if (c == '\'') {
            if (i + 3 < n && std::isxdigit(static_cast<unsigned char>(rtf[i + 2]))
                && std::isxdigit(static_cast<unsigned char>(rtf[i + 3]))) {
                const char hex[3] = {rtf[i + 2], rtf[i + 3], 0};
                escapedByte(char(std::strtol(hex, nullptr, 16)));
                return i + 4;
            }
            return std::min(n, i + 2);
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            plainBytes(QByteArray(1, c));
            break;
        case '~':
            text(QString(QChar(0xA0)));
            break;
        case '_':
            text(QString(QChar(0x2011)));
            break;
        case '*':
            top().starDest = true;
            break;
        case '\r':
        case '\n':
            controlWord("par", false, 0);
            break;
        default:
            break;
        }
        return i + 2;
    }

    void controlWord(const QByteArray &w, bool hasParam, int v)
    {
        Group &g = top();
        if (g.dest == Dest::Skip)
            return;
        if (w != "u" && w != "uc")
            flushBytes();
        if (w != "u")
            m_skip = 0;
        if (w == "fonttbl") {
            g.dest = Dest::FontTable;
            return;
        }
        if (w == "colortbl") {
            g.dest = Dest::ColorTable;
            m_color = {};
            return;
        }
        if (isSkippedDestination(w) || (g.starDest && !knownWord(w))) {
            g.dest = Dest::Skip;
            return;
        }
        if (g.dest == Dest::FontTable) {
            if (w == "f") {
                endFontName();
                m_fontNo = v;
                m_fonts[v];
            } else if (w == "fcharset" && m_fontNo >= 0) {
                m_fonts[m_fontNo].codePage = codePageOfCharset(v);
            } else if (w == "cpg" && m_fontNo >= 0) {
                m_fonts[m_fontNo].codePage = v;
            }
            return;
        }
        if (g.dest == Dest::ColorTable) {
            const int c = std::clamp(v, 0, 255);
            if (w == "red")
                m_color.r = c, m_color.set = true;
            else if (w == "green")
                m_color.g = c, m_color.set = true;
            else if (w == "blue")
                m_color.b = c, m_color.set = true;
            return;
        }
        CharState &ch = g.ch;
        ParaState &p = g.para;
        const bool on = !hasParam || v != 0;
        if (w == "ansicpg")
            m_codePage = v;
        else if (w == "deff")
            m_defaultFont = v;
        else if (w == "uc")
            g.uc = std::clamp(v, 0, 10);
        else if (w == "u") {
            flushBytes();
            int u = v < 0 ? v + 65536 : v;
            if (u < 0 || u > 0xFFFF)
                u = '?';
            text(QString(QChar(char16_t(u))));
            m_skip = g.uc;
        } else if (w == "par" || w == "sect") {
            newParagraph();
        } else if (w == "line")
            text(QString(QChar::LineSeparator));
        else if (w == "tab")
            text(QStringLiteral("\t"));
        else if (w == "emdash")
            text(QString(QChar(0x2014)));
        else if (w == "endash")
            text(QString(QChar(0x2013)));
        else if (w == "bullet")
            text(QString(QChar(0x2022)));
        else if (w == "lquote")
            text(QString(QChar(0x2018)));
        else if (w == "rquote")
            text(QString(QChar(0x2019)));
        else if (w == "ldblquote")
            text(QString(QChar(0x201C)));
        else if (w == "rdblquote")
            text(QString(QChar(0x201D)));
        else if (w == "plain")
            ch = CharState{};
        else if (w == "pard")
            p = ParaState{};
        else if (w == "f")
            ch.font = v;
        else if (w == "fs")
            ch.halfPoints = hasParam ? std::clamp(v, 2, 3276) : kDefaultHalfPoints;
        else if (w == "b")
            ch.bold = on;
        else if (w == "i")
            ch.italic = on;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth")
            ch.underline = on;
        else if (w == "ulnone")
            ch.underline = false;
        else if (w == "strike" || w == "striked")
            ch.strike = on;
        else if (w == "cf")
            ch.color = std::max(0, v);
        else if (w == "highlight" || w == "cb" || w == "chcbpat")
            ch.back = std::max(0, v);
        else if (w == "super")
            ch.vert = 1;
        else if (w == "sub")
            ch.vert = -1;
        else if (w == "nosupersub")
            ch.vert = 0;
        else if (w == "up")
            ch.vert = (hasParam && v == 0) ? 0 : 1;
        else if (w == "dn")
            ch.vert = (hasParam && v == 0) ? 0 : -1;
        else if (w == "ql")
            p.align = Qt::AlignLeft;
        else if (w == "qr")
            p.align = Qt::AlignRight;
        else if (w == "qc")
            p.align = Qt::AlignHCenter;
        else if (w == "qj")
            p.align = Qt::AlignJustify;
        else if (w == "li")
            p.left = v;
        else if (w == "ri")
            p.right = v;
        else if (w == "fi")
            p.first = v;
        else if (w == "sb")
            p.before = v;
        else if (w == "sa")
            p.after = v;
    }

    static bool knownWord(const QByteArray &w)
    {
        // Words that keep their meaning behind "\*": none of the ones read here need it.
        Q_UNUSED(w);
        return false;
    }

    void plainBytes(const QByteArray &bytes)
    {
        Group &g = top();
        if (g.dest == Dest::Skip)
            return;
        if (g.dest == Dest::ColorTable) {
            for (char c : bytes)
                if (c == ';') {
                    m_colors.push_back(m_color.set ? QColor(m_color.r, m_color.g, m_color.b) : QColor());
                    m_color = {};
                }
            return;
        }
        for (char c : bytes) {
            if (g.dest == Dest::FontTable && c == ';') {
                flushBytes();
                endFontName();
                continue;
            }
            if (m_skip > 0) {
                --m_skip;
                continue;
            }
            m_bytes += c;
        }
    }

    void escapedByte(char c)
    {
        Group &g = top();
        if (g.dest == Dest::Skip || g.dest == Dest::ColorTable)
            return;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        m_bytes += c;
    }

    int currentCodePage()
    {
        const CharState &ch = top().ch;
        const int fontNo = top().dest == Dest::FontTable ? m_fontNo : (ch.font >= 0 ? ch.font : m_defaultFont);
        const auto it = m_fonts.constFind(fontNo);
        if (it != m_fonts.constEnd() && it->codePage > 0)
            return it->codePage;
        return m_codePage;
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QByteArray bytes = m_bytes;
        m_bytes.clear();
        bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c < 0x80; });
        appendText(ascii ? QString::fromLatin1(bytes) : decodeBytes(bytes, currentCodePage()));
    }

    // Text from a control word: the bytes read before it come first.
    void text(const QString &s)
    {
        flushBytes();
        appendText(s);
    }

    void appendText(const QString &s)
    {
        Group &g = top();
        if (g.dest == Dest::Skip || g.dest == Dest::ColorTable)
            return;
        if (g.dest == Dest::FontTable) {
            if (m_fontNo >= 0)
                m_fontName += s;
            return;
        }
        if (!m_pending.isEmpty() && !(m_pendingState == g.ch))
            flushText();
        m_pendingState = g.ch;
        m_pending += s;
    }

    void endFontName()
    {
        if (m_fontNo >= 0 && !m_fontName.trimmed().isEmpty())
            m_fonts[m_fontNo].name = m_fontName.trimmed();
        m_fontName.clear();
    }

    QTextCharFormat charFormat(const CharState &ch) const
    {
        QTextCharFormat f;
        const int fontNo = ch.font >= 0 ? ch.font : m_defaultFont;
        const auto it = m_fonts.constFind(fontNo);
        if (it != m_fonts.constEnd() && !it->name.isEmpty())
            f.setFontFamilies(QStringList{it->name});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        if (ch.color > 0 && ch.color < int(m_colors.size()) && m_colors[ch.color].isValid())
            f.setForeground(m_colors[ch.color]);
        if (ch.back > 0 && ch.back < int(m_colors.size()) && m_colors[ch.back].isValid())
            f.setBackground(m_colors[ch.back]);
        if (ch.vert > 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (ch.vert < 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        return f;
    }

    void flushText()
    {
        if (m_pending.isEmpty())
            return;
        m_cursor.insertText(sanitized(m_pending), charFormat(m_pendingState));
        m_pending.clear();
    }

    void applyPara()
    {
        const ParaState &p = top().para;
        QTextBlockFormat b;
        b.setAlignment(p.align);
        b.setLeftMargin(p.left / 15.0);
        b.setRightMargin(p.right / 15.0);
        b.setTextIndent(p.first / 15.0);
        b.setTopMargin(p.before / 15.0);
        b.setBottomMargin(p.after / 15.0);
        m_cursor.setBlockFormat(b);
    }

    void newParagraph()
    {
        flushText();
        applyPara();
        // The new paragraph starts in the current character format (an empty one keeps it).
        m_cursor.insertBlock(QTextBlockFormat{}, charFormat(top().ch));
    }

    struct PendingColor {
        int r = 0, g = 0, b = 0;
        bool set = false;
    };

    QTextDocument &m_doc;
    QTextCursor m_cursor;
    std::vector<Group> m_stack;
    int m_overflow = 0;
    int m_skip = 0;
    QByteArray m_bytes;
    QString m_pending;
    CharState m_pendingState;
    QHash<int, FontEntry> m_fonts;
    int m_fontNo = -1;
    QString m_fontName;
    std::vector<QColor> m_colors;
    PendingColor m_color;
    int m_codePage = 1252;
    int m_defaultFont = 0;
};

QByteArray escapedText(const QString &s)
{
    QByteArray out;
    for (QChar c : s) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u < 0x20) {
            continue;
        } else {
            out += "\\u" + QByteArray::number(int(short(u))) + '?';
        }
    }
    return out;
}

int twips(double pixels) { return int(std::lround(pixels * 15.0)); }

} // namespace

bool LooksLikeRtf(const QByteArray &rtf)
{
    const QByteArray t = rtf.trimmed();
    return t.startsWith("{\\rtf");
}

bool RtfToDocument(const QByteArray &rtf, QTextDocument &doc)
{
    doc.clear();
    if (!LooksLikeRtf(rtf)) {
        // Lines kept, other control characters dropped as the reader drops them.
        QString text = QString::fromLatin1(rtf);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QStringList lines = text.split(QLatin1Char('\n'));
        QStringList clean;
        for (const QString &line : lines)
            clean << sanitized(line);
        doc.setPlainText(clean.join(QLatin1Char('\n')));
        return false;
    }
    Reader(doc).read(rtf);
    return true;
}

QByteArray DocumentToRtf(const QTextDocument &doc)
{
    QStringList fonts;
    std::vector<QColor> colors;
    auto fontIndex = [&](const QString &family) {
        int i = int(fonts.indexOf(family));
        if (i < 0) {
            fonts << family;
            i = int(fonts.size()) - 1;
        }
        return i;
    };
    auto colorIndex = [&](const QColor &c) {
        const QRgb rgb = c.rgb();
        for (size_t i = 0; i < colors.size(); ++i)
            if (colors[i].rgb() == rgb)
                return int(i) + 1;
        colors.push_back(c);
        return int(colors.size());
    };
    const QFont base = doc.defaultFont();
    fontIndex(base.family());

    QByteArray body;
    bool first = true;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!first)
            body += "\\par\n";
        first = false;
        const QTextBlockFormat bf = b.blockFormat();
        body += "\\pard";
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        body += a == Qt::AlignRight ? "\\qr" : a == Qt::AlignHCenter ? "\\qc" : a == Qt::AlignJustify ? "\\qj" : "\\ql";
        if (const int v = twips(bf.leftMargin()))
            body += "\\li" + QByteArray::number(v);
        if (const int v = twips(bf.rightMargin()))
            body += "\\ri" + QByteArray::number(v);
        if (const int v = twips(bf.textIndent()))
            body += "\\fi" + QByteArray::number(v);
        if (const int v = twips(bf.topMargin()))
            body += "\\sb" + QByteArray::number(v);
        if (const int v = twips(bf.bottomMargin()))
            body += "\\sa" + QByteArray::number(v);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextCharFormat f = frag.charFormat();
            const QFont font = f.font().resolve(base);
            double pt = font.pointSizeF();
            if (pt <= 0)
                pt = kDefaultHalfPoints / 2.0;
            body += "\\plain\\f" + QByteArray::number(fontIndex(font.family()));
            body += "\\fs" + QByteArray::number(std::clamp(int(std::lround(pt * 2)), 2, 3276));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
            if (font.underline())
                body += "\\ul";
            if (font.strikeOut())
                body += "\\strike";
            if (f.foreground().style() != Qt::NoBrush)
                body += "\\cf" + QByteArray::number(colorIndex(f.foreground().color()));
            if (f.background().style() != Qt::NoBrush)
                body += "\\highlight" + QByteArray::number(colorIndex(f.background().color()));
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                body += "\\super";
            else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                body += "\\sub";
            body += ' ';
            body += escapedText(frag.text());
        }
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil " + escapedText(QString(fonts[i]).remove(QLatin1Char(';')))
               + ";}";
    out += "}\n";
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (const QColor &c : colors)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue"
                   + QByteArray::number(c.blue()) + ';';
        out += "}\n";
    }
    out += body;
    out += "}\n";
    return out;
}

QString RtfToPlainText(const QByteArray &rtf)
{
    QTextDocument doc;
    RtfToDocument(rtf, doc);
    return doc.toPlainText();
}

QByteArray CellTextToRtfBytes(const QString &cellText)
{
    QByteArray out(cellText.size(), '\0');
    for (qsizetype i = 0; i < cellText.size(); ++i)
        out[i] = char(cellText[i].unicode() & 0xFF);
    return out;
}

QString RtfBytesToCellText(const QByteArray &rtf) { return QString::fromLatin1(rtf); }
