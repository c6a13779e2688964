#pragma once
// The user's number and date format settings, read at the moment of use.
// Everything that formats or parses numbers and dates asks current(); tests set an override.
#include <QChar>
#include <QString>

namespace platform {

struct FormatSettings {
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    QString shortDateFormat = QStringLiteral("M/d/yyyy"); // Windows-style pattern letters
    // The raw locale value behind the decimal separator ("sDecimal"): may be empty or any text.
    QString decimalSetting = QStringLiteral(".");

    // The settings in force: the override when one is set, else the system locale's.
    static FormatSettings current();
    static FormatSettings fromSystem();
    static void setOverride(const FormatSettings &s);
    static void clearOverride();
};

// Sets an override for the lifetime of a scope (tests).
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const FormatSettings &s) { FormatSettings::setOverride(s); }
    ~ScopedFormatSettings() { FormatSettings::clearOverride(); }
    ScopedFormatSettings(const ScopedFormatSettings &) = delete;
    ScopedFormatSettings &operator=(const ScopedFormatSettings &) = delete;
};

} // namespace platform
