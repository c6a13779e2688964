#include "grid/base/NumberDate.h"

#include "platform/FormatSettings.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isBlankOrControl(QChar c) { return c.unicode() <= 32; }

QString trimmed32(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlankOrControl(s.at(b))) ++b;
    while (e > b && isBlankOrControl(s.at(e - 1))) --e;
    return s.mid(b, e - b);
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// Splits a date-time number into whole days and milliseconds of the day.
void splitDateTime(TDateTime dt, qint64 &days, qint64 &ms)
{
    if (!std::isfinite(dt)) { days = 0; ms = 0; return; }
    double whole = std::trunc(dt);
    double frac = std::fabs(dt - whole);
    ms = qint64(std::llround(frac * kMsPerDay));
    if (ms >= qint64(kMsPerDay)) { ms -= qint64(kMsPerDay); whole += dt < 0 ? -1 : 1; }
    // Keep within what QDate can hold without overflowing.
    days = qint64(std::clamp(whole, -4.0e8, 4.0e8));
}

QString pad(int v, int width) { return QString::number(v).rightJustified(width, QLatin1Char('0')); }

} // namespace

// ---- Date-time numbers ---------------------------------------------------------------------

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && QDate::isLeapYear(year)) return 29;
    return days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime &date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = double(kEpoch.daysTo(QDate(year, month, day)));
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d))
        throw EConvertError("Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    time = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / kMsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime t = 0;
    if (!TryEncodeTime(hour, min, sec, msec, t))
        throw EConvertError("Invalid argument to time encode");
    return t;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    const double d = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return d < 0 ? d - t : d + t;
}

QDate DateTimeToQDate(TDateTime date)
{
    qint64 days, ms;
    splitDateTime(date, days, ms);
    return kEpoch.addDays(days);
}

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
    const QDate d = DateTimeToQDate(date);
    year = d.year();
    month = d.month();
    day = d.day();
}

void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec)
{
    qint64 days, ms;
    splitDateTime(time, days, ms);
    hour = int(ms / 3600000);
    min = int(ms / 60000 % 60);
    sec = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

QDateTime DateTimeToQDateTime(TDateTime date)
{
    qint64 days, ms;
    splitDateTime(date, days, ms);
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

TDateTime QDateToDateTime(const QDate &date) { return double(kEpoch.daysTo(date)); }

QTime DateTimeToQTime(TDateTime time)
{
    qint64 days, ms;
    splitDateTime(time, days, ms);
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

TDateTime QTimeToDateTime(const QTime &time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / kMsPerDay : 0.0;
}

TDateTime QDateTimeToDateTime(const QDateTime &dateTime)
{
    const double days = double(kEpoch.daysTo(dateTime.date()));
    const double t = dateTime.time().msecsSinceStartOfDay() / kMsPerDay;
    return days < 0 ? days - t : days + t;
}

QString DateToStr(TDateTime date) { return DateToStr(date, platform::FormatSettings::current()); }

QString DateToStr(TDateTime date, const platform::FormatSettings &fs)
{
    const QDate d = DateTimeToQDate(date);
    const QString fmt = fs.shortDateFormat.isEmpty() ? QStringLiteral("M/d/yyyy") : fs.shortDateFormat;
    QString out;
    for (qsizetype i = 0; i < fmt.size();) {
        const QChar c = fmt.at(i);
        const QChar u = c.toUpper();
        if (u == QLatin1Char('D') || u == QLatin1Char('M') || u == QLatin1Char('Y')) {
            qsizetype n = 1;
            while (i + n < fmt.size() && fmt.at(i + n).toUpper() == u) ++n;
            const QLocale::FormatType names = n == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
            if (u == QLatin1Char('D'))
                out += n >= 3 ? QLocale::c().dayName(d.dayOfWeek(), names)
                              : n == 2 ? pad(d.day(), 2) : QString::number(d.day());
            else if (u == QLatin1Char('M'))
                out += n >= 3 ? QLocale::c().monthName(d.month(), names)
                              : n == 2 ? pad(d.month(), 2) : QString::number(d.month());
            else
                out += n <= 2 ? pad(d.year() % 100, 2) : pad(d.year(), 4);
            i += n;
        } else if (c == QLatin1Char('/')) {
            out += fs.dateSeparator;
            ++i;
        } else if (c == QLatin1Char('\'')) {
            // quoted literal text
            ++i;
            while (i < fmt.size() && fmt.at(i) != QLatin1Char('\'')) out += fmt.at(i++);
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString TimeToStr(TDateTime time)
{
    int h, m, s, ms;
    DecodeTime(time, h, m, s, ms);
    const QChar sep = platform::FormatSettings::current().timeSeparator;
    return pad(h, 2) + sep + pad(m, 2) + sep + pad(s, 2);
}

QString DateTimeToStr(TDateTime dateTime)
{
    qint64 days, ms;
    splitDateTime(dateTime, days, ms);
    if (ms == 0) return DateToStr(dateTime);
    return DateToStr(dateTime) + QLatin1Char(' ') + TimeToStr(dateTime);
}

// ---- Locale values -------------------------------------------------------------------------

QChar LocaleTimeSeparator() { return platform::FormatSettings::current().timeSeparator; }
QChar LocaleDateSeparator() { return platform::FormatSettings::current().dateSeparator; }
QChar LocaleThousandSeparator() { return platform::FormatSettings::current().thousandSeparator; }
QChar LocaleDecimalSeparator() { return platform::FormatSettings::current().decimalSeparator; }
QString LocaleShortDateFormat() { return platform::FormatSettings::current().shortDateFormat; }

// ---- Characters ----------------------------------------------------------------------------

bool IsDigitChar(QChar ch) { return ch.isNumber(); }
bool IsDigitOrMinus(QChar ch) { return IsDigitChar(ch) || ch == QLatin1Char('-'); }

bool IsNumberChar(QChar ch)
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    return IsDigitChar(ch) || ch == fs.thousandSeparator || ch == fs.decimalSeparator ||
           ch == QLatin1Char('e') || ch == QLatin1Char('E');
}

bool IsPlainNumberChar(QChar ch)
{
    return IsDigitChar(ch) || ch == QLatin1Char('-') || ch == QLatin1Char('.') || ch == QLatin1Char('e') ||
           ch == QLatin1Char('E') || ch == QLatin1Char('+');
}

bool IsSignedNumberChar(QChar ch) { return IsNumberChar(ch) || ch == QLatin1Char('+') || ch == QLatin1Char('-'); }

// ---- Numbers -------------------------------------------------------------------------------

bool TryTextToInt(const QString &text, int &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' ')) ++i;
    bool neg = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        neg = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n) return false;
    qint64 acc = 0;
    for (; i < n; ++i) {
        const int d = base == 16 ? hexValue(text.at(i)) : (isAsciiDigit(text.at(i)) ? text.at(i).unicode() - '0' : -1);
        if (d < 0) return false;
        acc = acc * base + d;
        if (acc > qint64(0xFFFFFFFFLL)) return false;
    }
    if (base == 16) {
        // hexadecimal texts give the 32 bits as written
        const qint64 v = neg ? -acc : acc;
        if (v < std::numeric_limits<int>::min()) return false;
        value = v > std::numeric_limits<int>::max() ? int(quint32(v)) : int(v);
        return true;
    }
    const qint64 v = neg ? -acc : acc;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = int(v);
    return true;
}

bool TryPlainTextToFloat(const QString &text, double &value)
{
    const QString t = text.trimmed();
    bool digit = false;
    for (const QChar c : t) {
        if (isAsciiDigit(c)) digit = true;
        else if (c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+') &&
                 c != QLatin1Char('e') && c != QLatin1Char('E'))
            return false;
    }
    if (!digit) return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

QString ExtractNumericText(const QString &text)
{
    if (text.isEmpty()) return QString();
    const platform::FormatSettings fs = platform::FormatSettings::current();
    QString s = trimmed32(text);
    bool neg = s.size() >= 2 && s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'));
    // Leading characters that cannot start a number are dropped; an exponent letter cannot start one.
    qsizetype b = 0;
    while (s.size() - b >= 2) {
        const QChar c = s.at(b);
        const bool starts = IsNumberChar(c) && c != QLatin1Char('e') && c != QLatin1Char('E');
        if (starts) break;
        if (c == QLatin1Char('-')) neg = true;
        ++b;
    }
    QString out;
    for (qsizetype i = b; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == fs.thousandSeparator) continue;
        if (c == fs.decimalSeparator) out += QLatin1Char('.');
        else if (IsPlainNumberChar(c) && (c.unicode() < 128)) out += c;
        else break;
    }
    if (neg) out.prepend(QLatin1Char('-'));
    return out;
}

unsigned char ClassifyNumberText(const QString &text)
{
    if (text.isEmpty()) return nkNotANumber;
    return ClassifyNumberText(text, platform::FormatSettings::current());
}

unsigned char ClassifyNumberText(const QString &text, const platform::FormatSettings &fs)
{
    if (text.isEmpty()) return nkNotANumber;
    bool allDigits = true, decimalValid = true, exponentSeen = false, scientificValid = true;
    int minusCount = 0, decimalCount = 0, expCount = 0;
    qsizetype lastThousand = -1;
    const qsizetype n = text.size();
    for (qsizetype i = 1; i <= n; ++i) {
        const QChar c = text.at(i - 1);
        const bool digit = isAsciiDigit(c);
        const bool minus = c == QLatin1Char('-');
        if (minus) {
            ++minusCount;
            if (i > 1) { allDigits = false; decimalValid = false; }
        }
        if (!digit && !minus) {
            allDigits = false;
            if (c == fs.thousandSeparator) {
                if (lastThousand != -1 && i - lastThousand <= 3) decimalValid = false;
                lastThousand = i;
            } else if (c == fs.decimalSeparator) {
                // counted below
            } else {
                decimalValid = false;
            }
        }
        if (c == fs.decimalSeparator) ++decimalCount;
        if (c == QLatin1Char('e') || c == QLatin1Char('E')) {
            exponentSeen = true;
            ++expCount;
            if (i == 1) scientificValid = false;
        }
        const bool signedNumberChar = digit || c == fs.thousandSeparator || c == fs.decimalSeparator ||
                                      c == QLatin1Char('e') || c == QLatin1Char('E') ||
                                      c == QLatin1Char('+') || minus;
        if (!signedNumberChar || c == fs.thousandSeparator) scientificValid = false;
    }
    const QChar last = text.at(n - 1);
    if (last == QLatin1Char('+') || last == QLatin1Char('-') || last == QLatin1Char('e') || last == QLatin1Char('E'))
        scientificValid = false;
    if (expCount > 1) scientificValid = false;

    unsigned char kind;
    if (allDigits) {
        kind = nkInteger;
    } else {
        kind = (decimalValid && !exponentSeen) ? nkFloat : nkNotANumber;
        if (scientificValid && exponentSeen) {
            kind = nkScientific;
            if (minusCount == 2) minusCount = 1;
        }
    }
    if (minusCount > 1 || decimalCount > 1) kind = nkNotANumber;
    return kind;
}

// ---- Dates ---------------------------------------------------------------------------------

bool ParseLocaleDateTime(const QString &text, TDateTime &date)
{
    date = 0;
    const platform::FormatSettings fs = platform::FormatSettings::current();
    const QString fmt = fs.shortDateFormat.toUpper();
    // Field order from the letters of the short date format; letters it lacks follow in D, M, Y order.
    struct Slot { char letter; qsizetype pos; };
    Slot order[3] = {{'D', fmt.indexOf(QLatin1Char('D'))}, {'M', fmt.indexOf(QLatin1Char('M'))},
                     {'Y', fmt.indexOf(QLatin1Char('Y'))}};
    for (Slot &s : order)
        if (s.pos < 0) s.pos = fmt.size() + (s.letter == 'D' ? 0 : s.letter == 'M' ? 1 : 2);
    std::stable_sort(std::begin(order), std::end(order), [](const Slot &a, const Slot &b) { return a.pos < b.pos; });

    const QChar sep = fs.dateSeparator;
    const qsizetype p1 = text.indexOf(sep);
    if (p1 < 0) return false;
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    if (p2 < 0) return false;
    QString fields[3] = {text.left(p1), text.mid(p1 + 1, p2 - p1 - 1), trimmed32(text.mid(p2 + 1))};
    QString timePart;
    const qsizetype blank = fields[2].indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        timePart = fields[2].mid(blank);
        fields[2] = fields[2].left(blank);
    }
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        if (!TryTextToInt(fields[i], v)) return false;
        switch (order[i].letter) {
        case 'D': day = v; break;
        case 'M': month = v; break;
        default: year = v; break;
        }
    }
    if (day >= 32 || month > 12) return false;
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d)) return false;
    date = d;
    if (timePart.isEmpty()) return true;

    const QChar tsep = fs.timeSeparator;
    const qsizetype t1 = timePart.indexOf(tsep);
    if (t1 < 0) return false;
    int hour = 0, minute = 0, second = 0;
    if (!TryTextToInt(timePart.left(t1), hour)) return false;
    const qsizetype t2 = timePart.indexOf(tsep, t1 + 1);
    const QString minText = t2 < 0 ? timePart.mid(t1 + 1) : timePart.mid(t1 + 1, t2 - t1 - 1);
    if (!TryTextToInt(trimmed32(minText), minute)) return false;
    if (t2 >= 0 && !TryTextToInt(trimmed32(timePart.mid(t2 + 1)), second)) return false;
    if (hour > 23 || minute > 59 || second > 60) return false;
    TDateTime t = 0;
    if (!TryEncodeTime(hour, minute, second, 0, t)) return false;
    date = ComposeDateTime(d, t);
    return true;
}

namespace {

TDateTime parseFixedOrder(const QString &text, bool monthFirst)
{
    QChar sep;
    qsizetype p1 = -1;
    for (const QChar cand : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')}) {
        p1 = text.indexOf(cand);
        if (p1 >= 0) { sep = cand; break; }
    }
    if (p1 < 0) return 0;
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    const QString first = text.left(p1);
    const QString second = p2 < 0 ? text.mid(p1 + 1) : text.mid(p1 + 1, p2 - p1 - 1);
    const QString third = p2 < 0 ? QString() : text.mid(p2 + 1);
    int a = 0, b = 0, y = 0;
    if (!TryTextToInt(first, a) || !TryTextToInt(second, b) || !TryTextToInt(third, y)) return 0;
    // Only two-digit years get a century; a year written in full is taken as it is.
    if (y >= 0 && y < 26) y += 2000;
    else if (y >= 26 && y < 100) y += 1900;
    const int month = monthFirst ? a : b;
    const int day = monthFirst ? b : a;
    return EncodeDate(y, month, day);
}

} // namespace

TDateTime ParseDateMDY(const QString &text) { return parseFixedOrder(text, true); }
TDateTime ParseDateDMY(const QString &text) { return parseFixedOrder(text, false); }

TDateTime IncDateBy(int years, int months, int days, TDateTime date, double increment)
{
    const bool y = years != 0, m = months != 0, d = days != 0;
    if (d && !y && !m) return date + days;
    if ((y && !m && !d) || (m && !y && !d)) {
        int year, month, day;
        DecodeDate(date, year, month, day);
        qint64 index = qint64(year) * 12 + (month - 1) + (y ? qint64(years) * 12 : qint64(months));
        const qint64 newYear = index >= 0 ? index / 12 : -((-index + 11) / 12);
        const int newMonth = int(index - newYear * 12) + 1;
        if (newYear < 1 || newYear > 9999) throw EConvertError("Invalid argument to date encode");
        // A day the target month lacks is a conversion error (the caller ends its series).
        const TDateTime nd = EncodeDate(int(newYear), newMonth, day);
        return ComposeDateTime(nd, date);
    }
    return date + increment;
}

bool LooksLikeDate(const QString &text)
{
    const QChar sep = platform::FormatSettings::current().dateSeparator;
    const qsizetype p1 = text.indexOf(sep);
    if (p1 < 1) return false; // absent, or at the first position
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    return p2 > p1 + 1;
}

// ---- Integers ------------------------------------------------------------------------------

int IntMax(int a, int b) { return a > b ? a : b; }
int IntMin(int a, int b) { return a < b ? a : b; }

int ClampToLimits(int value, int minValue, int maxValue)
{
    if (minValue == maxValue) return value;
    if (maxValue > 0 && value > maxValue) return maxValue;
    if (minValue > 0 && value < minValue) return minValue;
    return value;
}
