#pragma once
// Recognising and converting numbers and dates in cell texts.
// Everything follows the user's format settings read at the moment of the call
// (platform::FormatSettings::current()), except ParseDateMDY and ParseDateDMY, whose order is fixed.
#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <stdexcept>

namespace platform {
struct FormatSettings;
}

// A date-time number: whole days since 30 December 1899 plus the time of day as the fraction.
using TDateTime = double;

// A text that does not encode a valid date, time or number where the caller asked for one.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Date-time numbers ---------------------------------------------------------------------
bool TryEncodeDate(int year, int month, int day, TDateTime &date);
TDateTime EncodeDate(int year, int month, int day);              // EConvertError when impossible
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time);
TDateTime EncodeTime(int hour, int min, int sec, int msec = 0);   // EConvertError when impossible
// Date and time parts put together (a date before the epoch keeps its time of day).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
void DecodeDate(TDateTime date, int &year, int &month, int &day);
void DecodeTime(TDateTime time, int &hour, int &min, int &sec, int &msec);
QDate DateTimeToQDate(TDateTime date);
QDateTime DateTimeToQDateTime(TDateTime date);
TDateTime QDateToDateTime(const QDate &date);
TDateTime QDateTimeToDateTime(const QDateTime &dateTime);
// The time of day alone (an invalid time is midnight).
QTime DateTimeToQTime(TDateTime time);
TDateTime QTimeToDateTime(const QTime &time);
int DaysInMonth(int year, int month);

// Texts of a date-time in the user's settings: the short date format (Windows pattern letters
// d, dd, M, MM, yy, yyyy, ddd/dddd and MMM/MMMM for names; "/" stands for the date separator) and
// hh:mm:ss with the time separator.
QString DateToStr(TDateTime date);
QString DateToStr(TDateTime date, const platform::FormatSettings &fs);
QString TimeToStr(TDateTime time);
QString DateTimeToStr(TDateTime dateTime);   // date, then the time unless it is midnight

// ---- Locale values -------------------------------------------------------------------------
QChar LocaleTimeSeparator();
QChar LocaleDateSeparator();
QChar LocaleThousandSeparator();
QChar LocaleDecimalSeparator();
QString LocaleShortDateFormat();

// ---- Characters ----------------------------------------------------------------------------
bool IsDigitChar(QChar ch);          // any Unicode number character
bool IsDigitOrMinus(QChar ch);
bool IsNumberChar(QChar ch);         // digit, thousand or decimal separator, e, E
bool IsPlainNumberChar(QChar ch);    // digit, -, ., e, E, +
bool IsSignedNumberChar(QChar ch);   // IsNumberChar, + or -

// ---- Numbers -------------------------------------------------------------------------------
// Whole number: leading blanks, optional sign, decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x", "0X"; nothing after the digits; 32 bits.
bool TryTextToInt(const QString &text, int &value);
// Plain number with "." as decimal point and an optional exponent (finite values only).
bool TryPlainTextToFloat(const QString &text, double &value);

// Formatted number reduced to a plain one: "(1.234,50)" -> "-1234.50", "EUR 12" -> "12".
QString ExtractNumericText(const QString &text);

enum TNumberKind : unsigned char { nkInteger = 0, nkFloat = 1, nkNotANumber = 2, nkScientific = 5 };
// 0 integer, 1 decimal, 2 not a number, 5 scientific.
unsigned char ClassifyNumberText(const QString &text);
// The same with the separators of fs, for callers classifying many texts.
unsigned char ClassifyNumberText(const QString &text, const platform::FormatSettings &fs);

// ---- Dates ---------------------------------------------------------------------------------
// Date (and an optional time after a blank) in the order of the short date format.
// False for a malformed text; date holds what could be read (the date part when only the time
// part is bad, else 0).
bool ParseLocaleDateTime(const QString &text, TDateTime &date);
// Month/day/year and day/month/year texts split at "/", "." or "-". 0 when malformed.
// Two-digit years: below 26 in 2000-2025, others in 1926-1999; longer years stay as written.
// EConvertError for a combination that is not a date.
TDateTime ParseDateMDY(const QString &text);
TDateTime ParseDateDMY(const QString &text);
// Series step: only days -> date + days; only years or only months -> that calendar step
// (negative values step back; EConvertError for a day the target month lacks, or a year outside
// 1..9999); any other combination -> date + increment. The time of day is kept.
TDateTime IncDateBy(int years, int months, int days, TDateTime date, double increment);
bool LooksLikeDate(const QString &text);

// ---- Integers ------------------------------------------------------------------------------
int IntMax(int a, int b);
int IntMin(int a, int b);
// Value limited to [minValue, maxValue] for sizes: only a positive bound is a limit, and
// minValue == maxValue leaves the value alone.
int ClampToLimits(int value, int minValue, int maxValue);
