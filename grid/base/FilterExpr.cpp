#include "grid/base/FilterExpr.h"

#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"

#include <algorithm>

namespace {

// Groups nested deeper than this are not evaluated (they count as not matching), so a hostile
// condition cannot exhaust the stack.
constexpr int kMaxGroupDepth = 200;

QString trimmed32(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return s.mid(b, e - b);
}

// Reads a relational operand from position p: up to the end, a blank, "&" or "|" outside quotes.
// Double quotes delimit text and are not part of it; a blank inside quotes belongs to the operand.
QString readOperand(const QString &term, qsizetype p)
{
    while (p < term.size() && term.at(p) == QLatin1Char(' ')) ++p;
    QString op;
    bool inQuote = false;
    for (; p < term.size(); ++p) {
        const QChar c = term.at(p);
        if (c == QLatin1Char('"')) {
            inQuote = !inQuote;
            continue;
        }
        if (!inQuote && (c == QLatin1Char(' ') || c == QLatin1Char('&') || c == QLatin1Char('|'))) break;
        op += c;
    }
    return op;
}

int ordinalCompare255(const QString &a, const QString &b)
{
    const qsizetype na = std::min<qsizetype>(a.size(), 255), nb = std::min<qsizetype>(b.size(), 255);
    const ushort *pa = a.utf16(), *pb = b.utf16();
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = 0; i < n; ++i)
        if (pa[i] != pb[i]) return pa[i] < pb[i] ? -1 : 1;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

// Three-way comparison of a cell value with an operand: numbers, else dates, else text.
int compareValues(const QString &value, const QString &operand)
{
    double nv = 0, no = 0;
    const bool vNum = TryPlainTextToFloat(NormalizeNumberText(value), nv);
    const bool oNum = TryPlainTextToFloat(NormalizeNumberText(operand), no);
    TDateTime dv = 0, dop = 0;
    const bool vDate = ParseLocaleDateTime(value, dv);
    const bool oDate = ParseLocaleDateTime(operand, dop);
    if (!vDate && !oDate && vNum && oNum) return nv < no ? -1 : (nv > no ? 1 : 0);
    if (vDate && oDate) return dv < dop ? -1 : (dv > dop ? 1 : 0);
    return ordinalCompare255(value, operand);
}

// "*" any run (also none), "?" exactly one character. Iterative, so no pattern takes more than
// pattern x value steps.
bool wildcardMatch(QStringView pat, bool negate, QStringView value)
{
    qsizetype i = 0, j = 0, star = -1, mark = 0;
    const qsizetype np = pat.size(), nv = value.size();
    while (j < nv) {
        if (i < np && pat[i] == QLatin1Char('*')) {
            star = i++;
            mark = j;
        } else if (i < np && (pat[i] == QLatin1Char('?') || pat[i] == value[j])) {
            ++i;
            ++j;
        } else if (star >= 0) {
            i = star + 1;
            j = ++mark;
        } else {
            return negate;
        }
    }
    while (i < np && pat[i] == QLatin1Char('*')) ++i;
    return (i == np) != negate;
}

} // namespace

QString StripBlanksOutsideQuotes(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool inQuote = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) inQuote = !inQuote;
        if (c == QLatin1Char(' ') && !inQuote) continue;
        out += c;
    }
    return out;
}

QChar FindCharOutsideQuotes(const QString &chars, const QString &text, int &position)
{
    bool inQuote = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            inQuote = !inQuote;
            continue;
        }
        if (!inQuote && chars.contains(c)) {
            position = int(i + 1);
            return c;
        }
    }
    position = -1;
    return QChar();
}

int ClosingParenPos(const QString &text)
{
    int depth = 0;
    bool seen = false, inQuote = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) inQuote = !inQuote;
        if (inQuote) continue;
        if (c == QLatin1Char('(')) {
            ++depth;
            seen = true;
        } else if (c == QLatin1Char(')') && seen) {
            if (--depth == 0) return int(i + 1);
        }
    }
    return 0;
}

QString NormalizeNumberText(const QString &text)
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == fs.thousandSeparator) continue;
        out += c == fs.decimalSeparator ? QChar(QLatin1Char('.')) : c;
    }
    return out;
}

bool MatchFilterCondition(const QString &condition, const QString &value, bool caseSensitive)
{
    return TFilterCondition(condition, caseSensitive).Matches(value);
}

bool MatchFilterTerm(const QString &term, const QString &value, bool caseSensitive)
{
    if (caseSensitive) return MatchFilterExpression(term, value);
    return MatchFilterExpression(term.toUpper(), value.toUpper());
}

bool MatchFilterExpression(const QString &term, const QString &value)
{
    return TFilterTerm(term).Matches(value);
}

// ---- parsed terms and conditions -----------------------------------------------------------------

TFilterTerm::TFilterTerm(const QString &term)
{
    gt = term.indexOf(QLatin1Char('>'));
    if (gt >= 0) {
        qsizetype p = gt + 1;
        if (p < term.size() && term.at(p) == QLatin1Char('=')) {
            gtOrEqual = true;
            ++p;
        }
        gtOperand = readOperand(term, p);
    }
    lt = term.indexOf(QLatin1Char('<'));
    if (lt >= 0) {
        qsizetype p = lt + 1;
        if (p < term.size() && term.at(p) == QLatin1Char('=')) {
            ltOrEqual = true;
            ++p;
        }
        ltOperand = readOperand(term, p);
    }
    bang = term.contains(QLatin1Char('!'));
    caret = term.contains(QLatin1Char('^'));
    amp = term.contains(QLatin1Char('&'));
    // "!" and double quotes take no part in the pattern ("!" negates the whole result).
    pattern.reserve(term.size());
    for (const QChar c : term)
        if (c != QLatin1Char('!') && c != QLatin1Char('"')) pattern += c;
}

bool TFilterTerm::Matches(const QString &value) const
{
    bool gtOk = false, ltOk = false;
    const bool gtRan = gt >= 0, ltRan = lt >= 0;
    if (gtRan) {
        const int c = compareValues(value, gtOperand);
        gtOk = c > 0 || (gtOrEqual && c == 0);
    }
    if (ltRan) {
        const int c = compareValues(value, ltOperand);
        ltOk = c < 0 || (ltOrEqual && c == 0);
    }
    if (bang) {
        if (!gtRan) gtOk = true;
        if (!ltRan) ltOk = true;
    }
    if (caret && (gtRan || ltRan)) return gtOk || ltOk;
    if (amp && gtRan && ltRan) return gtOk && ltOk;
    if (gtRan && gtOk) return true;
    if (ltRan && ltOk) return true;
    return wildcardMatch(pattern, bang, value);
}

TFilterCondition::TFilterCondition(const QString &condition, bool caseSensitive) : m_caseSensitive(caseSensitive)
{
    compile(condition, 0);
}

// Connectives outside double quotes split the condition into terms and parenthesised groups,
// strictly left to right; each step keeps the connective before it.
int TFilterCondition::compile(const QString &condition, int depth)
{
    const int g = int(m_groups.size());
    m_groups.emplace_back();
    QString cond = StripBlanksOutsideQuotes(trimmed32(condition));
    if (cond.startsWith(QLatin1Char('='))) cond.remove(0, 1);
    auto addTerm = [&](QChar prev, const QString &term) {
        m_groups[std::size_t(g)].push_back({prev, kTerm, TFilterTerm(m_caseSensitive ? term : term.toUpper())});
    };

    QChar prev; // null: no connective yet
    static const QString connectives = QStringLiteral("(;^&|");
    for (;;) {
        int pos = -1;
        const QChar found = FindCharOutsideQuotes(connectives, cond, pos);
        if (found.isNull()) break;
        if (cond.startsWith(QLatin1Char('('))) {
            const int close = ClosingParenPos(cond);
            QString inner;
            if (close == 0) {
                inner = cond.mid(1);
                cond.clear();
            } else {
                inner = cond.mid(1, close - 2);
                cond = cond.mid(close);
            }
            // Groups nested too deep are never read: they count as not matching.
            const int sub = depth < kMaxGroupDepth ? compile(inner, depth + 1) : kTooDeep;
            m_groups[std::size_t(g)].push_back({prev, sub, TFilterTerm(QString())});
            prev = QLatin1Char('(');
        } else {
            addTerm(prev, cond.left(pos - 1));
            cond = cond.mid(pos);
            prev = found;
        }
    }
    addTerm(prev, cond);
    return g;
}

bool TFilterCondition::matchGroup(int group, const QString &value) const
{
    bool result = true;
    for (const Step &s : m_groups[std::size_t(group)]) {
        const bool v = s.group == kTerm ? s.term.Matches(value) : s.group != kTooDeep && matchGroup(s.group, value);
        const QChar prev = s.connective;
        if (prev.isNull()) result = v;
        else if (prev == QLatin1Char('&')) result = result && v;
        else if (prev == QLatin1Char('(')) { /* the empty term after a group does not count */ }
        else result = result || v;
    }
    return result;
}

bool TFilterCondition::Matches(const QString &value) const
{
    return matchGroup(0, m_caseSensitive ? value : value.toUpper());
}
