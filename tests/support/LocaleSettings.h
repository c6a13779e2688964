#pragma once
// Two complete sets of number and date settings that tests pin while they run.
#include "platform/FormatSettings.h"

namespace testsupport {

// "." decimals, "," thousands, month/day/year with "/".
inline platform::FormatSettings usSettings()
{
    platform::FormatSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandSeparator = QLatin1Char(',');
    s.dateSeparator = QLatin1Char('/');
    s.timeSeparator = QLatin1Char(':');
    s.shortDateFormat = QStringLiteral("M/d/yyyy");
    s.decimalSetting = QStringLiteral(".");
    return s;
}

// "," decimals, "." thousands, day.month.year.
inline platform::FormatSettings europeanSettings()
{
    platform::FormatSettings s;
    s.decimalSeparator = QLatin1Char(',');
    s.thousandSeparator = QLatin1Char('.');
    s.dateSeparator = QLatin1Char('.');
    s.timeSeparator = QLatin1Char(':');
    s.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    s.decimalSetting = QStringLiteral(",");
    return s;
}

} // namespace testsupport
