#include "grid/base/VedAzirText.h"

#include <QStringConverter>

QString DoubleQuoteChars(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return s;
}

QString UndoubleChar(QChar ch, const QString &text)
{
    if (!text.contains(ch))
        return text;
    QString s = text;
    s.replace(QString(2, ch), QString(ch));
    return s;
}

namespace {
// The next unpaired quote from from on: the 1-based position of the last quote of the first run of
// odd length, or of a run that ends the text whatever its length; 0 when there is none.
qsizetype nextUnescapedQuote(QChar quote, const QString &text, qsizetype from)
{
    const qsizetype n = text.size();
    qsizetype i = from;
    while (i < n) {
        if (text.at(i) != quote) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && text.at(j) == quote)
            ++j;
        if (j == n || (j - i) % 2 == 1)
            return j;
        i = j;
    }
    return 0;
}
} // namespace

int FindUnescapedQuote(QChar quote, const QString &text) { return int(nextUnescapedQuote(quote, text, 0)); }

int FindUnescapedQuote(QChar quote, const QString &text, int &position)
{
    position = FindUnescapedQuote(quote, text);
    return position;
}

int CountUnescapedQuotes(QChar quote, const QString &text)
{
    // The search again on what follows each hit: a hit ends a run, so the rest begins with
    // another character or is empty.
    int count = 0;
    for (qsizetype p = nextUnescapedQuote(quote, text, 0); p > 0; p = nextUnescapedQuote(quote, text, p))
        ++count;
    return count;
}

int CountCharOccurrences(QChar ch, const QString &text)
{
    return int(text.count(ch));
}

QString QuoteMultiLineText(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QString(kVT));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString VTToCRLF(const QString &text)
{
    if (!text.contains(kVT))
        return text;
    QString s = text;
    s.replace(kVT, QStringLiteral("\r\n"));
    return s;
}

QString CRLFToLF(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QString CRToTilde(const QString &text)
{
    QString s = text;
    s.remove(kLF);
    s.replace(kCR, QLatin1Char('~'));
    return s;
}

QString TildeToCRLF(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    if (s == QLatin1String("^"))
        return QString();
    return s;
}

QString RemoveCRChars(const QString &text)
{
    QString s = text;
    s.remove(kCR);
    return s;
}

QString CRToLF(const QString &text)
{
    QString s = text;
    s.replace(kCR, kLF);
    return s;
}

QString EncodeLineBreaksForFile(const QString &text)
{
    if (!text.contains(kCR))
        return text;
    QString s = text;
    for (QChar &c : s) {
        if (c == kCR)
            c = kTab;
        else if (c == kLF)
            c = kBS;
        else if (c == QChar(0))
            c = QChar(1);
    }
    return s;
}

QString DecodeLineBreaksFromFile(const QString &text, bool multiLine)
{
    if (!text.contains(kBS))
        return text;
    QString s = text;
    for (QChar &c : s) {
        if (c == kTab)
            c = kCR;
        else if (c == kBS)
            c = kLF;
        else if (c == QChar(1))
            c = QChar(0);
    }
    if (!multiLine)
        s = ExtractFirstLine(s, false);
    return s;
}

QString ExtractFirstLine(QString &source, bool keepRest)
{
    const int p = int(source.indexOf(kCR));
    if (p < 0) {
        const QString line = source;
        source.clear();
        return line;
    }
    const QString line = source.left(p);
    int restStart = p + 1;
    if (restStart < source.size() && source.at(restStart) == kLF)
        ++restStart;
    source = keepRest ? source.mid(restStart) : QString();
    return line;
}

void ExtractFirstLine(QString &s, bool multiLine, QString &line)
{
    if (!multiLine || !s.contains(kCR)) {
        line = s;
        s.clear();
        return;
    }
    line = ExtractFirstLine(s, true);
}

int CountTextLines(const QString &text, bool multiLine)
{
    return multiLine ? int(text.count(kCR)) + 1 : 1;
}

QString EscapeLineBreaks(const QString &text)
{
    QString s = text;
    s.remove(kLF);
    s.replace(kCR, QStringLiteral("\\n"));
    return s;
}

QString UnescapeLineBreaks(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("\\n"), QString(kCR));
    return s;
}

QString ConcatStrings(const QStringList &lines)
{
    return lines.join(QString());
}

QString CRToHTMLBreak(const QString &text)
{
    if (!text.contains(kCR))
        return text;
    QString s = text;
    s.replace(kCR, QStringLiteral("<br>"));
    return s;
}

QString ColorToHTMLHex(TColor color)
{
    return QStringLiteral("%1%2%3")
        .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString BuildHtmlClipboardData(const QString &fragment)
{
    auto num = [](qsizetype v) { return QStringLiteral("%1").arg(v, 8, 10, QLatin1Char('0')); };
    const qsizetype len = fragment.size();
    QString s;
    s += QStringLiteral("Version:1.0\r\n");
    s += QStringLiteral("StartHTML:") + num(97) + QStringLiteral("\r\n");
    s += QStringLiteral("EndHTML:") + num(len + 306) + QStringLiteral("\r\n");
    s += QStringLiteral("StartFragment:") + num(274) + QStringLiteral("\r\n");
    s += QStringLiteral("EndFragment:") + num(len + 274) + QStringLiteral("\r\n");
    s += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    s += QStringLiteral("<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">"
                        "</head><body><!--StartFragment-->");
    s += fragment;
    s += QStringLiteral("<!--EndFragment--></body></html>");
    return s;
}

namespace {
QString recode(const QString &text, const char *from, const char *to)
{
    QStringEncoder enc(from);
    QStringDecoder dec(to);
    if (!enc.isValid() || !dec.isValid())
        return text;
    const QByteArray bytes = enc.encode(text);
    return dec.decode(bytes);
}
} // namespace

QString TextToOem(const QString &text)
{
    return recode(text, "IBM850", "windows-1252");
}

QString OemToText(const QString &text)
{
    QStringEncoder enc("windows-1252");
    QStringDecoder dec("IBM850");
    if (!enc.isValid() || !dec.isValid())
        return text;
    return dec.decode(enc.encode(text));
}

QString EncodeWideText(const QString &wide)
{
    QString s = QStringLiteral("|\\");
    s.reserve(2 + wide.size() * 2);
    for (QChar c : wide) {
        s += QChar(char16_t(c.unicode() >> 8));
        s += QChar(char16_t(c.unicode() & 0xFF));
    }
    return s;
}

QString DecodeWideText(const QString &text)
{
    if (!text.startsWith(QLatin1String("|\\")))
        return text;
    QString out;
    for (qsizetype i = 2; i + 1 < text.size(); i += 2)
        out += QChar(char16_t(((text.at(i).unicode() & 0xFF) << 8) | (text.at(i + 1).unicode() & 0xFF)));
    return out;
}

int WidePosOf(const QString &sub, const QString &text)
{
    return int(text.indexOf(sub)) + 1;
}

void FillWithChar(QString &text, QChar ch)
{
    text.fill(ch);
}

QString ToMixedCase(const QString &text)
{
    auto isSep = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char(',') || c == QLatin1Char('-')
            || c == QLatin1Char('.');
    };
    QString s = text;
    bool startWord = true;
    for (QChar &c : s) {
        if (isSep(c)) {
            startWord = true;
            continue;
        }
        if (c.isLetter()) {
            c = startWord ? c.toUpper() : c.toLower();
            startWord = false;
        }
    }
    const int n = int(s.size());
    if (s.startsWith(QLatin1String("Mc")) && n > 2)
        s[2] = s.at(2).toUpper();
    const int mc = int(s.indexOf(QLatin1String(" Mc")));
    if (mc >= 0 && mc + 3 < n)
        s[mc + 3] = s.at(mc + 3).toUpper();
    for (int p = std::max(0, n - 3); p < n; ++p) {
        if (!s.at(p).isLetter())
            continue;
        const bool afterI = p >= 2 && s.at(p - 2) == QLatin1Char(' ') && s.at(p - 1) == QLatin1Char('I');
        const bool afterII = p >= 3 && s.mid(p - 3, 3) == QLatin1String(" II");
        if (afterI || afterII)
            s[p] = s.at(p).toUpper();
    }
    return s;
}

int PosInUpperCase(const QString &search, const QString &text)
{
    return int(text.toUpper().indexOf(search)) + 1;
}

int FindPos(const QString &search, const QString &text, int &position)
{
    position = int(text.indexOf(search)) + 1;
    return position;
}

int CharPos(QChar ch, const QString &text)
{
    return int(text.indexOf(ch)) + 1;
}

int FindCharPos(QChar ch, const QString &text, int &position)
{
    const int p = CharPos(ch, text);
    if (p > 0)
        position = p;
    return p;
}

QString CutAtDelimiter(QString &source, const QString &delimiter)
{
    const int p = int(source.indexOf(delimiter));
    if (p < 0 || delimiter.isEmpty())
        return QString();
    const QString head = source.left(p);
    source.remove(0, p + delimiter.size());
    return head;
}

bool PointInGridRect(const TGridRect &r, int col, int row)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

bool ParseRCReference(const QString &text, TPoint &point)
{
    const QString u = text.toUpper();
    if (u.size() <= 3 || !u.startsWith(QLatin1Char('R')))
        return false;
    const int c = int(u.indexOf(QLatin1Char('C'), 1));
    if (c < 0)
        return false;
    bool okRow = false, okCol = false;
    const int row = u.mid(1, c - 1).toInt(&okRow);
    const int col = u.mid(c + 1).toInt(&okCol);
    if (!okRow || !okCol)
        return false;
    point = {col, row};
    return true;
}

bool ParseRCReference(const QString &text, int &col, int &row)
{
    TPoint p;
    if (!ParseRCReference(text, p))
        return false;
    col = p.X;
    row = p.Y;
    return true;
}

int GetTextKind(const QString &text, bool detectHTML)
{
    // Looked at as if a blank followed the text, without building that copy.
    const qsizetype n = text.size();
    if (n == 0)
        return tkPlain;
    const QChar c0 = text.at(0);
    const QChar c1 = n > 1 ? text.at(1) : QLatin1Char(' ');
    if (c0 == QLatin1Char('='))
        return tkFormula;
    if (c0 == QLatin1Char('|') && c1 == QLatin1Char('\\')) {
        if (n >= 5 && text.at(3) == QLatin1Char('=') && text.at(4) == QChar(0))
            return tkFormula;
        return tkWide;
    }
    if (c0 == QLatin1Char('{') && c1 == QLatin1Char('\\'))
        return tkRTF;
    if (!detectHTML || !text.contains(QLatin1Char('<')))
        return tkPlain;
    if (text.contains(QLatin1String("</")) || text.contains(QLatin1String("<B")) || text.contains(QLatin1String("<I"))
        || text.contains(QLatin1String("<C")))
        return tkHTML;
    return tkPlain;
}

bool IsURL(const QString &text)
{
    return text.contains(QLatin1String("://")) || text.contains(QLatin1String("mailto:"));
}

void StripURLProtocol(QString &text)
{
    int p = int(text.indexOf(QLatin1String("://")));
    if (p >= 0) {
        text.remove(0, p + 3);
        return;
    }
    p = int(text.indexOf(QLatin1String("mailto:")));
    if (p >= 0)
        text.remove(0, p + 7);
}

bool InsertURLAnchor(const QString &text, const QString &prefix, QString &result)
{
    const QString up = prefix.toUpper();
    if (up.isEmpty() || !text.toUpper().contains(up))
        return false;
    QString esc = text;
    esc.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    esc.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    const int start = int(esc.toUpper().indexOf(up));
    if (start < 0)
        return false;
    auto urlChar = [](QChar c) {
        const char16_t u = c.unicode();
        if (u > 255)
            return false;
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
            return true;
        return QStringLiteral("%()-./:@\\_{}").contains(c);
    };
    int end = start;
    while (end < esc.size() && urlChar(esc.at(end)))
        ++end;
    const QString url = esc.mid(start, end - start);
    result = esc.left(start) + QStringLiteral("<a href=\"") + url + QStringLiteral("\">") + url + QStringLiteral("</a>")
        + esc.mid(end);
    return true;
}
