// Filter conditions and the number and date readers behind them, fed arbitrary texts;
// also the stored text forms of the sort-index and integer lists.
// Input: condition, a NUL byte, the cell value; the first byte picks case sensitivity and locale.
#include "grid/base/FilterExpr.h"
#include "grid/base/GridLists.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1) return 0;
    const uint8_t flags = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QString condition = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    const QString value = nul < 0 ? QString() : QString::fromUtf8(rest.mid(nul + 1));

    platform::FormatSettings fs;
    if (flags & 2) {
        fs.decimalSeparator = QLatin1Char(',');
        fs.thousandSeparator = QLatin1Char('.');
        fs.dateSeparator = QLatin1Char('.');
        fs.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    } else if (flags & 4) {
        fs.dateSeparator = QLatin1Char('-');
        fs.shortDateFormat = QStringLiteral("yyyy-MM-dd");
    }
    platform::ScopedFormatSettings scoped(fs);

    (void)MatchFilterCondition(condition, value, flags & 1);
    (void)ClassifyNumberText(condition);
    (void)ExtractNumericText(condition);
    TDateTime d = 0;
    if (ParseLocaleDateTime(value, d)) (void)DateTimeToStr(d);
    try {
        const TDateTime a = ParseDateMDY(condition);
        const TDateTime b = ParseDateDMY(value);
        (void)IncDateBy(int(int8_t(flags)), 0, 0, a, b);
        (void)IncDateBy(0, int(int8_t(flags)), 0, b, a);
    } catch (const EConvertError &) {
    }
    (void)LooksLikeDate(value);

    // The sort list's text form reads back to itself.
    TSortIndexList sort;
    sort.LoadFromString(condition);
    const QString saved = sort.SaveToString();
    TSortIndexList again;
    again.LoadFromString(saved);
    if (again.SaveToString() != saved) __builtin_trap();
    TIntList ints;
    try {
        ints.SetStrValue(value);
        TIntList back;
        back.SetStrValue(ints.StrValue());
        if (back.StrValue() != ints.StrValue()) __builtin_trap();
    } catch (const EConvertError &) {
    }
    return 0;
}
