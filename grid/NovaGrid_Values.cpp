// Typed views of the cell texts (integers, floats, dates, times, CONTROL values), whole-grid fills
// and the cell checker's runs. Written numbers go through the program's checked formatter, so a
// float format from a file or an event never reaches printf.
#include "grid/NovaGrid.h"

#include "grid/base/EditorKit.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"
#include "platform/TextFormat.h"

#include <QRandomGenerator>
#include <algorithm>
#include <climits>

namespace {

int toInt(QString t)
{
    t = t.trimmed();
    if (t.isEmpty() || t == u"-")
        return 0;
    int v = 0;
    if (!TryTextToInt(t, v))
        throw ENovaGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

double toFloat(const QString &text)
{
    const QString t = ExtractNumericText(text);
    if (t.isEmpty() || t == u"-")
        return 0;
    double v = 0;
    if (!TryPlainTextToFloat(t, v))
        throw ENovaGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

} // namespace

int TNovaStringGrid::Ints(int ACol, int ARow) { return toInt(StrippedCells(ACol, ARow)); }

int TNovaStringGrid::LeadingInt(const QString &Text, int Default)
{
    const QString t = Text.trimmed();
    int i = 0;
    bool neg = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+'))
        neg = t.at(i++) == u'-';
    if (i >= t.size() || !t.at(i).isDigit())
        return Default;
    // Digits past the limit only keep it there.
    constexpr qint64 limit = qint64(INT_MAX) + 1;
    qint64 v = 0;
    for (; i < t.size() && t.at(i).isDigit(); ++i)
        v = qMin<qint64>(v * 10 + t.at(i).digitValue(), limit);
    if (neg)
        v = -v;
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

void TNovaStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, QString::number(Value));
    if (NumHiddenColumns() > 0)
        RepaintCell(DisplColIndex(ACol), ARow);
}

int TNovaStringGrid::AllInts(int ACol, int ARow) { return toInt(AllCells(ACol, ARow)); }

void TNovaStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetAllCells(ACol, ARow, QString::number(Value)); }

double TNovaStringGrid::Floats(int ACol, int ARow) { return toFloat(StrippedCells(ACol, ARow)); }

void TNovaStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    bool isFloat = true;
    QString fmt = FloatFormat();
    GetFloatFormat(ACol, ARow, isFloat, fmt);
    SetCells(ACol, ARow, platform::checkedFormatText(fmt, {Value}));
}

double TNovaStringGrid::AllFloats(int ACol, int ARow) { return toFloat(AllCells(ACol, ARow)); }

void TNovaStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetAllCells(ACol, ARow, platform::checkedFormatText(FloatFormat(), {Value}));
}

TDateTime TNovaStringGrid::Dates(int ACol, int ARow)
{
    const QString t = Cells(ACol, ARow);
    TDateTime d = 0;
    if (!editorkit::tryParseShortDate(t, platform::FormatSettings::current(), d))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(t).toStdString());
    return d;
}

void TNovaStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value <= 0 && !ShowNullDates() ? QString() : DateToStr(Value));
}

TDateTime TNovaStringGrid::Times(int ACol, int ARow)
{
    const QString t = Cells(ACol, ARow);
    TDateTime d = 0;
    if (!editorkit::tryParseTime(t, platform::FormatSettings::current(), d))
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(t).toStdString());
    return d;
}

void TNovaStringGrid::SetTimes(int ACol, int ARow, TDateTime Value) { SetCells(ACol, ARow, TimeToStr(Value)); }

QString TNovaStringGrid::ControlValues(int ACol, int ARow, const QString &ID)
{
    QString v;
    return GetControlTagValue(Cells(ACol, ARow), ID, v) ? v : QString();
}

void TNovaStringGrid::SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value)
{
    QString t = Cells(ACol, ARow);
    if (SetControlTagValue(t, ID, Value))
        SetCells(ACol, ARow, t);
}

// ---- fills -----------------------------------------------------------------------------------------

TNovaStringGrid::FillRange TNovaStringGrid::fillRange(bool DoFixed)
{
    if (DoFixed)
        return {0, ColCount() - 1, 0, RowCount() - 1};
    return {FixedCols(), ColCount() - FFixedRightCols - 1, FixedRows(), RowCount() - FFixedFooters - 1};
}

void TNovaStringGrid::TextFill(bool DoFixed, const QString &Txt)
{
    const FillRange f = fillRange(DoFixed);
    for (int r = f.r1; r <= f.r2; ++r)
        for (int c = f.c1; c <= f.c2; ++c)
            SetCells(c, r, Txt);
    CellsLoaded();
}

void TNovaStringGrid::FormatFill(bool DoFixed, const QString &Fmt)
{
    const FillRange f = fillRange(DoFixed);
    for (int r = f.r1; r <= f.r2; ++r)
        for (int c = f.c1; c <= f.c2; ++c)
            SetCells(c, r, platform::checkedFormatText(Fmt, {c, r}));
    CellsLoaded();
}

void TNovaStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    const FillRange f = fillRange(DoFixed);
    for (int r = f.r1; r <= f.r2; ++r)
        for (int c = f.c1; c <= f.c2; ++c)
            SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    CellsLoaded();
}

void TNovaStringGrid::LinearFill(bool DoFixed)
{
    const FillRange f = fillRange(DoFixed);
    for (int r = f.r1; r <= f.r2; ++r)
        for (int c = f.c1; c <= f.c2; ++c)
            SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    CellsLoaded();
}

// ---- cell checks -----------------------------------------------------------------------------------

bool TNovaStringGrid::CheckCell(int ACol, int ARow)
{
    if (!FCellChecker)
        return true;
    const QString clean = UnMarkText(Cells(ACol, ARow));
    if (FCellChecker->GotoCell()) {
        SetRow(ARow);
        SetCol(DisplColIndex(ACol));
    }
    QString work = clean;
    if (FCellChecker->UseCorrect())
        work = FCellChecker->Correct(ACol, ARow, clean);
    if (FCellChecker->UseMarkError())
        work = FCellChecker->MarkError(ACol, ARow, clean);
    SetCells(ACol, ARow, work);
    return work == clean;
}

bool TNovaStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FCellChecker)
        return true;
    FCellChecker->StartCheck();
    const int oldCol = Col(), oldRow = Row();
    bool all = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            all = CheckCell(c, r) && all;
    FCellChecker->StopCheck();
    if (FCellChecker->GotoCell()) {
        SetRow(oldRow);
        SetCol(oldCol);
    }
    return all;
}

bool TNovaStringGrid::CheckCol(bool DoFixed, int ACol)
{
    const FillRange f = fillRange(DoFixed);
    return CheckCells(ACol, f.r1, ACol, f.r2);
}

bool TNovaStringGrid::CheckRow(bool DoFixed, int ARow)
{
    const FillRange f = fillRange(DoFixed);
    return CheckCells(f.c1, ARow, f.c2, ARow);
}

bool TNovaStringGrid::CheckGrid(bool DoFixed)
{
    const FillRange f = fillRange(DoFixed);
    return CheckCells(f.c1, f.r1, f.c2, f.r2);
}
