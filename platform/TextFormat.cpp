#include "platform/TextFormat.h"

#include <QLocale>
#include <cmath>

namespace platform {
namespace {

bool isInteger(const QVariant &v) { return v.typeId() == QMetaType::LongLong; }
bool isNumber(const QVariant &v) { return isInteger(v) || v.typeId() == QMetaType::Double; }

QString pad(const QString &s, int width, bool left)
{
    if (width <= s.size()) return s;
    const QString fill(width - s.size(), QLatin1Char(' '));
    return left ? s + fill : fill + s;
}

} // namespace

namespace {

QString formatImpl(const QString &pattern, const std::vector<FormatArg> &args, bool &fits)
{
    fits = true;
    QString out;
    out.reserve(pattern.size() + 16);
    size_t next = 0;
    const qsizetype n = pattern.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = pattern.at(i);
        if (c != QLatin1Char('%')) { out += c; ++i; continue; }
        if (i + 1 < n && pattern.at(i + 1) == QLatin1Char('%')) { out += c; i += 2; continue; }

        const qsizetype start = i++;
        auto readNumber = [&](int &value) {
            bool any = false;
            value = 0;
            while (i < n && pattern.at(i).isDigit()) {
                value = qMin(value * 10 + pattern.at(i).digitValue(), 100000);
                ++i;
                any = true;
            }
            return any;
        };
        auto starArg = [&](int &value) {
            if (next < args.size() && isInteger(args[next].value)) {
                value = int(qBound(qlonglong(-100000), args[next++].value.toLongLong(), qlonglong(100000)));
                return true;
            }
            return false;
        };
        bool ok = true;
        // optional "index:"
        qsizetype save = i;
        int num = 0;
        if (readNumber(num) && i < n && pattern.at(i) == QLatin1Char(':')) { next = size_t(num); ++i; }
        else i = save;
        bool left = false;
        if (i < n && pattern.at(i) == QLatin1Char('-')) { left = true; ++i; }
        int width = -1, prec = -1;
        if (i < n && pattern.at(i) == QLatin1Char('*')) { ++i; ok = starArg(width); }
        else if (int w; readNumber(w)) width = w;
        if (i < n && pattern.at(i) == QLatin1Char('.')) {
            ++i;
            if (i < n && pattern.at(i) == QLatin1Char('*')) { ++i; ok = ok && starArg(prec); }
            else { int p = 0; readNumber(p); prec = p; }
        }
        if (i >= n) { out += pattern.mid(start); fits = false; break; }
        const QChar type = pattern.at(i++).toLower();
        const bool upperHex = pattern.at(i - 1) == QLatin1Char('X');
        if (!ok || next >= args.size()) { out += pattern.mid(start, i - start); fits = false; continue; }
        const QVariant &arg = args[next].value;
        QString text;
        switch (type.unicode()) {
        case 'd': case 'u': case 'x': {
            if (!isInteger(arg)) { ok = false; break; }
            qlonglong v = arg.toLongLong();
            if (type == QLatin1Char('u') && v < 0) v = qlonglong(quint32(v));
            const bool neg = v < 0 && type == QLatin1Char('d');
            QString digits = type == QLatin1Char('x')
                                 ? QString::number(qulonglong(v < 0 ? quint32(v) : v), 16)
                                 : QString::number(neg ? -v : v);
            if (upperHex) digits = digits.toUpper();
            if (prec > digits.size()) digits = QString(prec - digits.size(), QLatin1Char('0')) + digits;
            text = neg ? QLatin1Char('-') + digits : digits;
            break;
        }
        case 's':
            if (arg.typeId() != QMetaType::QString) { ok = false; break; }
            text = arg.toString();
            if (prec >= 0 && prec < text.size()) text.truncate(prec);
            break;
        case 'f': case 'e': case 'g': case 'n': {
            if (!isNumber(arg)) { ok = false; break; }
            const double v = arg.toDouble();
            const char fmt = type == QLatin1Char('n') ? 'f' : char(type.unicode());
            text = QString::number(v, fmt, prec < 0 ? (fmt == 'g' ? 15 : 2) : qMin(prec, 18));
            break;
        }
        default:
            ok = false;
        }
        if (!ok) { out += pattern.mid(start, i - start); fits = false; continue; }
        ++next;
        out += pad(text, width, left);
    }
    return out;
}

} // namespace

QString formatText(const QString &pattern, const std::vector<FormatArg> &args)
{
    bool fits = true;
    return formatImpl(pattern, args, fits);
}

bool tryFormatText(const QString &pattern, const std::vector<FormatArg> &args, QString &result)
{
    bool fits = true;
    QString out = formatImpl(pattern, args, fits);
    if (fits)
        result = out;
    return fits;
}

QString checkedFormatText(const QString &pattern, const std::vector<FormatArg> &args)
{
    QString out;
    if (!tryFormatText(pattern, args, out))
        throw EFormatError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(pattern).toStdString());
    return out;
}

} // namespace platform
