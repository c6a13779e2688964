#include "grid/base/MarkupHelpers.h"

#include "grid/base/Canvas.h"

#include <QChar>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <climits>

namespace {

TColor g_highlightColor = 0xFF00000D;
TColor g_highlightTextColor = 0xFF00000E;

struct NamedEntity {
    ushort ch;
    const char *entity;
};

// Characters replaced by their named entity in the full mode, in this order.
const NamedEntity kEntities[] = {
    {0xE9, "&eacute;"}, {0xE8, "&egrave;"}, {0xEB, "&euml;"},   {0xEA, "&ecirc;"},
    {0xF3, "&oacute;"}, {0xF2, "&ograve;"}, {0xF6, "&ouml;"},   {0xF4, "&ocirc;"},
    {0xED, "&iacute;"}, {0xEC, "&igrave;"}, {0xEF, "&iuml;"},   {0xEE, "&icirc;"},
    {0xFA, "&uacute;"}, {0xF9, "&ugrave;"}, {0xFC, "&uuml;"},   {0xFB, "&ucirc;"},
    {0xE1, "&aacute;"}, {0xE0, "&agrave;"}, {0xE4, "&auml;"},   {0xE2, "&acirc;"},
    {0xC9, "&Eacute;"}, {0xC8, "&Egrave;"}, {0xCB, "&Euml;"},   {0xCA, "&Ecirc;"},
    {0xD3, "&Oacute;"}, {0xD2, "&Ograve;"}, {0xD6, "&Ouml;"},   {0xD4, "&Ocirc;"},
    {0xCD, "&Iacute;"}, {0xCC, "&Igrave;"}, {0xCF, "&Iuml;"},   {0xCE, "&Icirc;"},
    {0xDA, "&Uacute;"}, {0xD9, "&Ugrave;"}, {0xDC, "&Uuml;"},   {0xDB, "&Ucirc;"},
    {0xC1, "&Aacute;"}, {0xC0, "&Agrave;"}, {0xC4, "&Auml;"},   {0xC2, "&Acirc;"},
    {0xE7, "&ccedil;"}, {0xC7, "&Ccedil;"}, {0xF8, "&oslash;"}, {0xD8, "&Oslash;"},
    {0xE5, "&aring;"},  {0xC5, "&Aring;"},  {0xA9, "&copy;"},   {0xAE, "&reg;"},
    {0x20AC, "&euro;"}, {0xAB, "&laquo;"},  {0xBB, "&raquo;"},
};

bool startsWithAt(const QString &text, int pos, const char *what, Qt::CaseSensitivity cs)
{
    return QStringView(text).mid(pos).startsWith(QLatin1String(what), cs);
}

// One CONTROL element of a text: "<CONTROL ...>" from start to end (exclusive).
struct ControlTagSpan {
    int start = -1;   // index of '<'
    int end = -1;     // index after '>'
    ControlTagAttributes attrs;
};

bool nextControlTag(const QString &text, int from, ControlTagSpan &span)
{
    const int p = text.indexOf(QLatin1String("<CONTROL "), from, Qt::CaseInsensitive);
    if (p < 0)
        return false;
    const int gt = text.indexOf(QLatin1Char('>'), p + 1);
    if (gt < 0)
        return false;
    span.start = p;
    span.end = gt + 1;
    span.attrs = ParseControlTag(text.mid(p + 1, gt - p - 1));
    return true;
}

template <typename Fn> void forEachControlTag(const QString &text, Fn fn)
{
    ControlTagSpan span;
    int from = 0;
    while (nextControlTag(text, from, span)) {
        if (!fn(span))
            return;
        from = span.end;
    }
}

bool findControlTag(const QString &text, const QString &id, ControlTagSpan &found)
{
    bool ok = false;
    forEachControlTag(text, [&](const ControlTagSpan &span) {
        if (span.attrs.id == id) {
            found = span;
            ok = true;
            return false;
        }
        return true;
    });
    return ok;
}

QString quoted(const QString &v) { return QLatin1Char('"') + v + QLatin1Char('"'); }

QString rebuildControlTag(const ControlTagAttributes &a, const QString &value)
{
    QString t = QLatin1String("<CONTROL ID=") + quoted(a.id)
                + QLatin1String(" VALUE=") + quoted(EscapeHTMLText(value, true))
                + QLatin1String(" WIDTH=") + quoted(a.width)
                + QLatin1String(" TYPE=") + quoted(a.type);
    // The height sets the button and line height; losing it would resize the cell.
    if (a.hasHeight)
        t += QLatin1String(" HEIGHT=") + quoted(a.height);
    if (a.hasProp)
        t += QLatin1String(" PROP=") + quoted(EscapeHTMLText(a.prop, true));
    if (a.hasMaxLen)
        t += QLatin1String(" MAXLEN=") + quoted(a.maxLen);
    t += QLatin1Char('>');
    return t;
}

bool isEditableType(const QString &type)
{
    return type != QLatin1String("BUTTON") && type != QLatin1String("CHECK")
           && type != QLatin1String("RADIO");
}

QString escapeBrackets(QString v)
{
    v.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    v.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return v;
}

// The text with the angle brackets that MarkupVisibleText keeps as text escaped; tags before
// the first stray bracket are kept as they are.
QString escapeStrayBrackets(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('<')) {
            const int gt = text.indexOf(QLatin1Char('>'), i + 1);
            if (gt < 0)
                return out + escapeBrackets(text.mid(i));
            out += QStringView(text).mid(i, gt - i + 1);
            i = gt + 1;
        } else if (c == QLatin1Char('>')) {
            return out + escapeBrackets(text.mid(i));
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

// ---- marked-up text ----

QString StripMarkup(const QString &text)
{
    QString s = text;
    s.replace(QLatin1String("<BR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    s.replace(QLatin1String("<HR>"), QLatin1String("\r\n"), Qt::CaseInsensitive);
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size();) {
        if (s.at(i) == QLatin1Char('<')) {
            const int gt = s.indexOf(QLatin1Char('>'), i + 1);
            if (gt < 0) {
                out += QStringView(s).mid(i);
                break;
            }
            i = gt + 1;
        } else {
            out += s.at(i++);
        }
    }
    return out;
}

QString MarkupVisibleText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('<')) {
            const int gt = text.indexOf(QLatin1Char('>'), i + 1);
            if (gt < 0) {
                out += QStringView(text).mid(i);
                break;
            }
            i = gt + 1;
        } else if (c == QLatin1Char('>')) {
            out += QStringView(text).mid(i);
            break;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

int VisibleCharIndex(const QString &text, int n)
{
    if (n < 1)
        return 0;
    int passed = 0;
    bool plainRest = false;
    const int len = int(text.size());
    for (int i = 0; i < len;) {
        if (passed == n - 1)
            return i + 1;
        const QChar c = text.at(i);
        if (!plainRest && c == QLatin1Char('<')) {
            const int gt = text.indexOf(QLatin1Char('>'), i + 1);
            if (gt >= 0) {
                i = gt + 1;
                continue;
            }
            plainRest = true;
        } else if (!plainRest && c == QLatin1Char('>')) {
            plainRest = true;
        }
        ++passed;
        ++i;
    }
    return passed == n - 1 ? len + 1 : 0;
}

QString HighlightMarkupText(const QString &text, const QString &search, const QString &tag,
                            bool caseSensitive)
{
    if (search.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString s = text;
    QString find = search;
    QString visible = MarkupVisibleText(s);
    if ((visible.contains(QLatin1Char('<')) || visible.contains(QLatin1Char('>')))
        && visible.contains(find, cs)) {
        // Stray angle brackets would be taken for tags once highlight tags are inserted:
        // escape them where they stand (real tags before them stay) and search escaped.
        s = escapeStrayBrackets(s);
        visible = MarkupVisibleText(s);
        find = escapeBrackets(find);
    }
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QLatin1String("</") + tag + QLatin1Char('>');
    int start = 0;   // 0-based index where the next search begins
    for (;;) {
        const int idx = int(visible.indexOf(find, start, cs));
        if (idx < 0)
            break;
        const int p = idx + 1;
        const int at = VisibleCharIndex(s, p);
        if (at > 0)
            s.insert(at - 1, open);
        const int to = VisibleCharIndex(s, p + int(find.size()));
        if (to > 0)
            s.insert(to - 1, close);
        start = p + int(find.size());
    }
    return s;
}

QString UnhighlightMarkupText(const QString &text, const QString &tag)
{
    // Both tags in one pass, so removing one never forms another from its neighbours.
    const QRegularExpression tags(QLatin1String("</?") + QRegularExpression::escape(tag) + QLatin1Char('>'),
                                  QRegularExpression::CaseInsensitiveOption);
    QString s = text;
    s.remove(tags);
    // One pass, so "&lt;" that came from "&amp;lt;" is never turned into '<'.
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size();) {
        if (startsWithAt(s, i, "&lt;", Qt::CaseSensitive)) {
            out += QLatin1Char('<');
            i += 4;
        } else if (startsWithAt(s, i, "&gt;", Qt::CaseSensitive)) {
            out += QLatin1Char('>');
            i += 4;
        } else {
            out += s.at(i++);
        }
    }
    return out;
}

void SetMarkupHighlightColors(TColor background, TColor text)
{
    g_highlightColor = background;
    g_highlightTextColor = text;
}

TColor MarkupHighlightColor() { return g_highlightColor; }
TColor MarkupHighlightTextColor() { return g_highlightTextColor; }

// ---- entities ----

QString EscapeHTMLText(const QString &text, bool full)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); continue;
        case '"': out += QLatin1String("&quot;"); continue;
        case '<': out += QLatin1String("&lt;"); continue;
        case '>': out += QLatin1String("&gt;"); continue;
        default: break;
        }
        bool done = false;
        if (full) {
            for (const NamedEntity &e : kEntities) {
                if (c.unicode() == e.ch) {
                    out += QLatin1String(e.entity);
                    done = true;
                    break;
                }
            }
        }
        if (!done)
            out += c;
    }
    return out;
}

QString UnescapeHTMLText(const QString &text, bool full)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const struct {
        const char *entity;
        char ch;
    } basic[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size();) {
        if (text.at(i) != QLatin1Char('&')) {
            out += text.at(i++);
            continue;
        }
        bool done = false;
        for (const auto &b : basic) {
            if (startsWithAt(text, i, b.entity, Qt::CaseInsensitive)) {
                out += QLatin1Char(b.ch);
                i += int(qstrlen(b.entity));
                done = true;
                break;
            }
        }
        if (!done && full) {
            // Named entities differ by case (&eacute; / &Eacute;): exact match.
            for (const NamedEntity &e : kEntities) {
                if (startsWithAt(text, i, e.entity, Qt::CaseSensitive)) {
                    out += QChar(e.ch);
                    i += int(qstrlen(e.entity));
                    done = true;
                    break;
                }
            }
        }
        if (!done)
            out += text.at(i++);
    }
    return out;
}

QString SpacesToNbsp(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char(' '), QLatin1String("&nbsp;"));
    return s;
}

QString LineBreaksToMarkup(const QString &text, bool toBreak)
{
    QString s = text;
    s.remove(QLatin1Char('\n'));
    if (toBreak)
        s.replace(QLatin1Char('\r'), QLatin1String("<BR>"));
    else
        s.remove(QLatin1Char('\r'));
    return s;
}

QString UnwrapHashTags(const QString &text)
{
    QString s = text;
    for (int p = s.indexOf(QLatin1String("<#")); p >= 0; p = s.indexOf(QLatin1String("<#"), p)) {
        s.remove(p, 1);
        const int gt = s.indexOf(QLatin1Char('>'), p);
        if (gt >= 0)
            s.remove(gt, 1);
    }
    return s;
}

bool ReplaceFirstNoCase(const QString &find, const QString &replacement, QString &text)
{
    if (find.isEmpty())
        return false;
    const int p = text.indexOf(find, 0, Qt::CaseInsensitive);
    if (p < 0)
        return false;
    text.replace(p, find.size(), replacement);
    return true;
}

// ---- CONTROL elements ----

ControlTagAttributes ParseControlTag(const QString &attributeText)
{
    ControlTagAttributes a;
    auto get = [&](const char *name, bool *present) {
        const int p = FindMarkupAttributeName(attributeText, QLatin1String(name));
        if (p < 0) {
            if (present)
                *present = false;
            return QString();
        }
        if (present)
            *present = true;
        const int q1 = attributeText.indexOf(QLatin1Char('"'), p + int(qstrlen(name)));
        const int q2 = q1 < 0 ? -1 : attributeText.indexOf(QLatin1Char('"'), q1 + 1);
        return q2 < 0 ? QString() : attributeText.mid(q1 + 1, q2 - q1 - 1);
    };
    a.type = get("TYPE=", nullptr).toUpper();
    a.id = get("ID=", nullptr);
    a.maxLen = get("MAXLEN=", &a.hasMaxLen);
    a.prop = UnescapeHTMLText(get("PROP=", &a.hasProp), true);
    a.height = get("HEIGHT=", &a.hasHeight);
    a.width = get("WIDTH=", nullptr);
    a.value = UnescapeHTMLText(get("VALUE=", nullptr), true);
    return a;
}

bool HasControlTag(const QString &text)
{
    return text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive);
}

QString NextEditControlID(const QString &text, const QString &id)
{
    QString result;
    bool passed = id.isEmpty();
    forEachControlTag(text, [&](const ControlTagSpan &span) {
        if (passed && isEditableType(span.attrs.type)) {
            result = span.attrs.id;
            return false;
        }
        if (!passed && span.attrs.id == id)
            passed = true;
        return true;
    });
    return result;
}

QString ResetRadioControlTags(const QString &text)
{
    QString out;
    int copied = 0;
    forEachControlTag(text, [&](const ControlTagSpan &span) {
        if (span.attrs.type == QLatin1String("RADIO")) {
            out += QStringView(text).mid(copied, span.start - copied);
            out += rebuildControlTag(span.attrs, QStringLiteral("FALSE"));
            copied = span.end;
        }
        return true;
    });
    out += QStringView(text).mid(copied);
    return out;
}

bool GetControlTagValue(const QString &text, const QString &id, QString &value)
{
    ControlTagSpan span;
    if (!findControlTag(text, id, span))
        return false;
    value = span.attrs.value;
    return true;
}

QString GetControlTagProp(const QString &text, const QString &id)
{
    ControlTagSpan span;
    return findControlTag(text, id, span) ? span.attrs.prop : QString();
}

int GetControlTagMaxLen(const QString &text, const QString &id)
{
    ControlTagSpan span;
    return findControlTag(text, id, span) ? TextToInt(span.attrs.maxLen) : 0;
}

bool SetControlTagValue(QString &text, const QString &id, const QString &value)
{
    ControlTagSpan span;
    if (!findControlTag(text, id, span))
        return false;
    text = text.left(span.start) + rebuildControlTag(span.attrs, value) + text.mid(span.end);
    return true;
}

// ---- primitives ----

int PosNoCase(const QString &sub, const QString &text)
{
    return int(text.indexOf(sub, 0, Qt::CaseInsensitive)) + 1;
}

int TextToInt(const QString &text, bool *ok)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    bool any = false;
    for (; i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        any = true;
        if (v < INT_MAX)
            v = v * 10 + (text.at(i).unicode() - '0');
    }
    if (ok)
        *ok = any;
    if (v > INT_MAX)
        v = INT_MAX;
    return int(negative ? -v : v);
}

QString MaskWithAsterisks(const QString &text)
{
    return QString(text.size(), QLatin1Char('*'));
}

bool IsDirectory(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool IsMiddleEastLocale()
{
    return QLocale::system().textDirection() == Qt::RightToLeft;
}

unsigned BiDiDrawTextFlags(unsigned flags, int rightToLeft, bool middleEast)
{
    if (!middleEast || rightToLeft == 0)
        return flags;
    flags |= DT_RTLREADING;
    if (rightToLeft == 1 && !(flags & DT_CENTER)) {
        if (flags & DT_RIGHT)
            flags &= ~unsigned(DT_RIGHT);
        else
            flags |= DT_RIGHT;
    }
    return flags;
}
