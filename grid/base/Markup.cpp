#include "grid/base/Markup.h"

#include <QChar>

namespace {

constexpr TColor sysColor(int n) { return clSystemColor | TColor(n); }

struct NamedColor {
    const char *name;
    TColor value;
};

const NamedColor kNamedColors[] = {
    {"clred", RGBColor(0xFF, 0, 0)},          {"clblack", RGBColor(0, 0, 0)},
    {"clblue", RGBColor(0, 0, 0xFF)},         {"clgreen", RGBColor(0, 0x80, 0)},
    {"claqua", RGBColor(0, 0xFF, 0xFF)},      {"clyellow", RGBColor(0xFF, 0xFF, 0)},
    {"clfuchsia", RGBColor(0xFF, 0, 0xFF)},   {"clwhite", RGBColor(0xFF, 0xFF, 0xFF)},
    {"cllime", RGBColor(0, 0xFF, 0)},         {"clsilver", RGBColor(0xC0, 0xC0, 0xC0)},
    {"clgray", RGBColor(0x80, 0x80, 0x80)},   {"clolive", RGBColor(0x80, 0x80, 0)},
    {"clnavy", RGBColor(0, 0, 0x80)},         {"clpurple", RGBColor(0x80, 0, 0x80)},
    {"clteal", RGBColor(0, 0x80, 0x80)},      {"clmaroon", RGBColor(0x80, 0, 0)},
    {"clbackground", sysColor(1)},       {"clactivecaption", sysColor(2)},
    {"clinactivecaption", sysColor(3)},  {"clmenu", sysColor(4)},
    {"clwindow", sysColor(5)},           {"clwindowframe", sysColor(6)},
    {"clmenutext", sysColor(7)},         {"clwindowtext", sysColor(8)},
    {"clcaptiontext", sysColor(9)},      {"clactiveborder", sysColor(10)},
    {"clinactiveborder", sysColor(11)},  {"clappworkspace", sysColor(12)},
    {"clhighlight", sysColor(13)},       {"clhighlighttext", sysColor(14)},
    {"clbtnface", sysColor(15)},         {"clbtnshadow", sysColor(16)},
    {"clgraytext", sysColor(17)},        {"clbtntext", sysColor(18)},
    {"clinactivecaptiontext", sysColor(19)}, {"clbtnhighlight", sysColor(20)},
    {"cl3ddkshadow", sysColor(21)},      {"cl3dlight", sysColor(22)},
    {"clinfotext", sysColor(23)},        {"clinfobk", sysColor(24)},
};

struct Entity {
    const char *name;
    QString replacement;
};

const Entity *preparationEntities(int &count)
{
    static const Entity table[] = {
        {"&amp;", QStringLiteral("&&")},
        {"&quot;", QStringLiteral("\"")},
        {"&sect;", QString(QChar(0x00A7))},
        {"&permil;", QString(QChar(0x2030))},
        {"&reg;", QString(QChar(0x00AE))},
        {"&copy;", QString(QChar(0x00A9))},
        {"&para;", QString(QChar(0x00B6))},
        {"&trade;", QString(QChar(0x2122))},
        {"&euro;", QString(QChar(0x20AC))},
    };
    count = int(std::size(table));
    return table;
}

bool startsWithNoCase(const QString &text, int pos, const char *what)
{
    return QStringView(text).mid(pos).startsWith(QLatin1String(what), Qt::CaseInsensitive);
}

QChar upperAt(const QString &s, int i)
{
    return i >= 0 && i < s.size() ? s.at(i).toUpper() : QChar();
}

} // namespace

TColor ColorFromName(const QString &lowerName)
{
    for (const NamedColor &c : kNamedColors)
        if (lowerName == QLatin1String(c.name))
            return c.value;
    return 0;
}

int HexByteValue(const QString &twoChars)
{
    if (twoChars.size() < 2)
        return 0;
    auto digit = [](QChar ch) {
        const int u = ch.unicode();
        return u >= 'A' ? u - 'A' + 10 : u - '0';
    };
    // Not-quite-hex digits still give a value; keep it to one byte so it cannot bleed
    // into the other channels or the system-colour flag.
    return (digit(twoChars.at(0)) * 16 + digit(twoChars.at(1))) & 0xFF;
}

TColor HexColorToColor(const QString &hex)
{
    const int r = HexByteValue(hex.mid(1, 2));
    const int g = HexByteValue(hex.mid(3, 2));
    const int b = HexByteValue(hex.mid(5, 2));
    return RGBColor(r, g, b);
}

TColor MarkupColorValue(const QString &value)
{
    const QString v = value.toUpper();
    if (v.startsWith(QLatin1Char('#')))
        return HexColorToColor(v);
    return ColorFromName(v.toLower());
}

QString PrepareMarkupText(const QString &text)
{
    QString s;
    if (text.contains(QLatin1Char('&'))) {
        int count = 0;
        const Entity *table = preparationEntities(count);
        s.reserve(text.size());
        for (int i = 0; i < text.size();) {
            if (text.at(i) != QLatin1Char('&')) {
                s += text.at(i++);
                continue;
            }
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                s += QLatin1String("&&");   // already a shown ampersand
                i += 2;
                continue;
            }
            bool replaced = false;
            for (int k = 0; k < count; ++k) {
                if (startsWithNoCase(text, i, table[k].name)) {
                    s += table[k].replacement;
                    i += int(qstrlen(table[k].name));
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                s += text.at(i++);
        }
    } else {
        s = text;
    }

    // "<#...>" shows as "#..."
    for (int p = s.indexOf(QLatin1String("<#")); p >= 0; p = s.indexOf(QLatin1String("<#"), p)) {
        s.remove(p, 1);
        const int gt = s.indexOf(QLatin1Char('>'), p);
        if (gt >= 0)
            s.remove(gt, 1);
    }

    s.replace(QLatin1Char('\r'), QLatin1String("<BR>"));
    s.remove(QLatin1Char('\n'));
    return s;
}

QString DecodeRunEntities(const QString &run)
{
    if (!run.contains(QLatin1Char('&')))
        return run;
    QString out;
    out.reserve(run.size());
    for (int i = 0; i < run.size();) {
        const QChar c = run.at(i);
        if (c != QLatin1Char('&')) {
            out += c;
            ++i;
        } else if (i + 1 < run.size() && run.at(i + 1) == QLatin1Char('&')) {
            out += QLatin1String("&&");
            i += 2;
        } else if (startsWithNoCase(run, i, "&nbsp;")) {
            out += QLatin1Char(' ');
            i += 6;
        } else if (startsWithNoCase(run, i, "&lt;")) {
            out += QLatin1Char('<');
            i += 4;
        } else if (startsWithNoCase(run, i, "&gt;")) {
            out += QLatin1Char('>');
            i += 4;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::vector<MarkupToken> TokenizeMarkup(const QString &prepared, bool wordWrap)
{
    std::vector<MarkupToken> tokens;
    const int n = int(prepared.size());
    int pos = 0;
    while (pos < n) {
        if (prepared.at(pos) == QLatin1Char('<')) {
            if (n - pos <= 2)
                break;
            const int gt = prepared.indexOf(QLatin1Char('>'), pos + 1);
            if (gt < 0)
                break;
            tokens.push_back({true, prepared.mid(pos, gt - pos + 1)});
            pos = gt + 1;
            continue;
        }
        const int lt = prepared.indexOf(QLatin1Char('<'), pos);
        int end = lt < 0 ? n : lt;
        if (wordWrap) {
            const int blank = int(QStringView(prepared).mid(pos, end - pos).indexOf(QLatin1Char(' ')));
            if (blank >= 0)
                end = pos + blank + 1;
        }
        tokens.push_back({false, prepared.mid(pos, end - pos)});
        pos = end;
    }
    return tokens;
}

MarkupTagKind ClassifyMarkupTag(const QString &tag)
{
    using K = MarkupTagKind;
    const bool closing = tag.size() > 1 && tag.at(1) == QLatin1Char('/');
    const int first = closing ? 2 : 1;
    const QChar c = upperAt(tag, first);
    const QChar c2 = upperAt(tag, first + 1);
    if (!closing) {
        switch (c.unicode()) {
        case 'A': return K::Anchor;
        case 'B':
            if (c2 == QLatin1Char('>')) return K::Bold;
            if (c2 == QLatin1Char('R')) return K::Break;
            if (c2 == QLatin1Char('L')) return K::Blink;
            if (c2 == QLatin1Char('O')) return K::Body;
            return K::Skip;
        case 'C': return K::Control;
        case 'E': return K::Error;
        case 'F': return K::Font;
        case 'H':
            if (c2 == QLatin1Char('I')) return K::Highlight;
            if (c2 == QLatin1Char('R')) return K::Rule;
            return K::Skip;
        case 'I':
            if (c2 == QLatin1Char('>')) return K::Italic;
            if (c2 == QLatin1Char('N')) return K::Indent;
            if (c2 == QLatin1Char('M')) return K::Image;
            return K::Skip;
        case 'L': return K::ListItem;
        case 'P': return K::Paragraph;
        case 'R': return K::Rotate;
        case 'S':
            if (c2 == QLatin1Char('>')) return K::Strike;
            if (c2 == QLatin1Char('H')) return K::Shadow;
            if (tag.compare(QLatin1String("<SUB>"), Qt::CaseInsensitive) == 0) return K::Subscript;
            if (tag.compare(QLatin1String("<SUP>"), Qt::CaseInsensitive) == 0) return K::Superscript;
            return K::Skip;
        case 'U':
            return c2 == QLatin1Char('>') ? K::Underline : K::List;
        case 'Z': return K::Hidden;
        default: return K::Skip;
        }
    }
    switch (c.unicode()) {
    case 'A': return K::EndAnchor;
    case 'B': return c2 == QLatin1Char('>') ? K::EndBold : K::EndColor;
    case 'E': return K::EndError;
    case 'F': return K::EndFont;
    case 'H': return K::EndHighlight;
    case 'I': return K::EndItalic;
    case 'L': return K::EndListItem;
    case 'P': return K::EndParagraph;
    case 'R': return K::EndRotate;
    case 'S':
        if (c2 == QLatin1Char('U')) return K::EndSubSup;
        if (c2 == QLatin1Char('H')) return K::EndShadow;
        return K::EndStrike;
    case 'U': return c2 == QLatin1Char('>') ? K::EndUnderline : K::EndList;
    case 'Z': return K::EndHidden;
    default: return K::Skip;
    }
}

bool MarkupTagEndsLine(MarkupTagKind kind)
{
    switch (kind) {
    case MarkupTagKind::Break:
    case MarkupTagKind::Rule:
    case MarkupTagKind::List:
    case MarkupTagKind::EndListItem:
    case MarkupTagKind::EndParagraph:
        return true;
    default:
        return false;
    }
}

namespace {
QString quotedAfter(const QString &tag, int from, bool *found)
{
    const int q1 = from < 0 ? -1 : tag.indexOf(QLatin1Char('"'), from);
    const int q2 = q1 < 0 ? -1 : tag.indexOf(QLatin1Char('"'), q1 + 1);
    if (found)
        *found = q2 >= 0;
    return q2 >= 0 ? tag.mid(q1 + 1, q2 - q1 - 1) : QString();
}
} // namespace

int FindMarkupAttributeName(const QString &tag, const QString &name, int from)
{
    if (name.isEmpty())
        return -1;
    bool inQuotes = false;
    for (int i = 0; i < from && i < tag.size(); ++i)
        if (tag.at(i) == QLatin1Char('"'))
            inQuotes = !inQuotes;
    for (int i = qMax(from, 0); i + name.size() <= tag.size(); ++i) {
        if (tag.at(i) == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && QStringView(tag).mid(i, name.size()).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString MarkupAttribute(const QString &tag, const QString &name, bool *found)
{
    const int p = FindMarkupAttributeName(tag, name);
    return quotedAfter(tag, p < 0 ? -1 : p + int(name.size()), found);
}

QString MarkupValueAfterLetter(const QString &tag, QChar letter, bool *found)
{
    const int p = FindMarkupAttributeName(tag, QString(letter), 1);
    return quotedAfter(tag, p < 0 ? -1 : p + 1, found);
}

int MarkupFontSize(int size)
{
    switch (size) {
    case 1: return 8;
    case 2: return 10;
    case 3: return 12;
    case 4: return 14;
    case 5: return 16;
    default: return size;
    }
}

