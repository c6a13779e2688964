#include "platform/FormatSettings.h"

#include <QLocale>
#include <optional>

namespace platform {
namespace {
std::optional<FormatSettings> &overrideSlot()
{
    static std::optional<FormatSettings> slot;
    return slot;
}
} // namespace

FormatSettings FormatSettings::fromSystem()
{
    const QLocale loc = QLocale::system();
    FormatSettings s;
    const QString dec = loc.decimalPoint();
    const QString grp = loc.groupSeparator();
    s.decimalSeparator = dec.isEmpty() ? QLatin1Char('.') : dec.at(0);
    s.thousandSeparator = grp.isEmpty() ? QLatin1Char(',') : grp.at(0);
    s.decimalSetting = dec.left(3);
    QString fmt = loc.dateFormat(QLocale::ShortFormat);
    s.shortDateFormat = fmt;
    for (const QChar c : fmt) {
        if (!c.isLetter()) { s.dateSeparator = c; break; }
    }
    const QString tfmt = loc.timeFormat(QLocale::ShortFormat);
    for (const QChar c : tfmt) {
        if (!c.isLetter() && c != QLatin1Char(' ')) { s.timeSeparator = c; break; }
    }
    return s;
}

FormatSettings FormatSettings::current()
{
    if (overrideSlot()) return *overrideSlot();
    return fromSystem();
}

void FormatSettings::setOverride(const FormatSettings &s) { overrideSlot() = s; }
void FormatSettings::clearOverride() { overrideSlot().reset(); }

} // namespace platform
