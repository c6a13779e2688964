// Column and row calculations (sums, averages, extremes, standard deviation, distinct texts) and
// small cell queries: exact-text search, wide-text test, numeric reading with a positioned error,
// automatic numbering and the exchange of two columns or rows. The floating footer and the group
// summaries are built on the column functions.
#include "grid/NovaGrid.h"

#include "grid/SortSettings.h"
#include "grid/base/NumberDate.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <set>

namespace {

// Case-blind order of the distinct-text count.
struct CaseBlindLess {
    bool operator()(const QString &a, const QString &b) const { return a.compare(b, Qt::CaseInsensitive) < 0; }
};

// Reads a number the way a positioned numeric conversion does: an optional sign, digits with one
// decimal point, an optional exponent. Answers the 1-based position of the first character that
// belongs to no number, 0 when the whole text was used.
int readNumber(const QString &t, double &value)
{
    const qsizetype n = t.size();
    qsizetype i = 0;
    auto digit = [&](qsizetype k) { return k < n && t.at(k) >= QLatin1Char('0') && t.at(k) <= QLatin1Char('9'); };
    if (i < n && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        ++i;
    bool any = false;
    while (digit(i)) {
        ++i;
        any = true;
    }
    if (i < n && t.at(i) == QLatin1Char('.')) {
        ++i;
        while (digit(i)) {
            ++i;
            any = true;
        }
    }
    if (any && i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        qsizetype k = i + 1;
        if (k < n && (t.at(k) == QLatin1Char('+') || t.at(k) == QLatin1Char('-')))
            ++k;
        if (digit(k)) {
            while (digit(k))
                ++k;
            i = k;
        }
    }
    if (!any)
        return int(std::min<qsizetype>(i, std::max<qsizetype>(n - 1, 0))) + 1;
    if (i < n)
        return int(i) + 1;
    value = QLocale::c().toDouble(t);
    return 0;
}

// Controls placed in column (or real row) A move to B and those in B to A.
void swapControlPlaces(TControlList &List, bool Columns, int A, int B)
{
    for (int i = 0; i < List.Count(); ++i) {
        TControlItem *ci = List.GetControl(i);
        const int at = Columns ? ci->X() : ci->Y();
        const int to = at == A ? B : at == B ? A : at;
        if (Columns)
            ci->SetX(to);
        else
            ci->SetY(to);
    }
}

} // namespace

// ---- ranges ------------------------------------------------------------------------------------------

void TNovaStringGrid::calcRange(int &FromRow, int &ToRow, bool &RealRows)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - FixedFooters() - 1;
    }
    RealRows = FCalcRealRows || ToRow > (FloatingFooterShown() ? RowCount() - 1 : RowCount());
}

bool TNovaStringGrid::calcTakesRow(int ACol, int r, bool RealRows)
{
    const int d = RealRows ? DisplRowIndex(r) : r;
    const bool plain = (!IsNode(d) && !IsSummary(d)) || IsHiddenRow(r) || FGroupColumn == -1;
    return plain && IsBaseCell(ACol, d);
}

double TNovaStringGrid::calcValue(int ACol, int r, bool RealRows)
{
    return RealRows ? AllFloats(ACol, r) : Floats(ACol, r);
}

// ---- column functions ------------------------------------------------------------------------------------

double TNovaStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    bool real = false;
    calcRange(FromRow, ToRow, real);
    if (ToRow < FromRow)
        return 0;
    double sum = 0;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        if (!calcTakesRow(ACol, r, real))
            continue;
        try {
            sum += calcValue(ACol, r, real);
        } catch (const ENovaGridError &) {
            // A cell that holds no number is left out.
        }
    }
    ExportNotification(esExportDone, -1);
    return sum;
}

double TNovaStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    bool real = false;
    calcRange(FromRow, ToRow, real);
    if (ToRow < FromRow)
        return 0;
    // Every row of the range divides, also those the sum leaves out.
    return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TNovaStringGrid::columnExtreme(int ACol, int FromRow, int ToRow, bool Larger)
{
    bool real = false;
    calcRange(FromRow, ToRow, real);
    // The extreme starts from the first row the function takes (node and summary rows are left
    // out); that row's error goes to the caller. An empty range reads no cell.
    int first = FromRow;
    while (first <= ToRow && !calcTakesRow(ACol, first, real))
        ++first;
    if (first > ToRow)
        return 0;
    double best = calcValue(ACol, first, real);
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        if (!calcTakesRow(ACol, r, real))
            continue;
        try {
            const double v = calcValue(ACol, r, real);
            if (Larger ? v > best : v < best)
                best = v;
        } catch (const ENovaGridError &) {
        }
    }
    ExportNotification(esExportDone, -1);
    return best;
}

double TNovaStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) { return columnExtreme(ACol, FromRow, ToRow, false); }

double TNovaStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) { return columnExtreme(ACol, FromRow, ToRow, true); }

double TNovaStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    bool real = false;
    calcRange(FromRow, ToRow, real);
    if (ToRow < FromRow)
        return 0;
    const double avg = ColumnAvg(ACol, FromRow, ToRow);
    ExportNotification(esExportStart, FromRow);
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!calcTakesRow(ACol, r, real))
            continue;
        const double v = calcValue(ACol, r, real) - avg;
        sum += v * v;
    }
    ExportNotification(esExportDone, -1);
    return std::sqrt(sum / (ToRow - FromRow + 1));
}

double TNovaStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    bool real = false;
    calcRange(FromRow, ToRow, real);
    if (ToRow < FromRow)
        return 0;
    std::set<QString, CaseBlindLess> seen;
    ExportNotification(esExportStart, FromRow);
    try {
        for (int r = FromRow; r <= ToRow; ++r) {
            ExportNotification(esExportNextRow, r);
            seen.insert(real ? AllCells(ACol, r) : GetCellEx(ACol, r));
        }
    } catch (...) {
        ExportNotification(esExportDone, -1);
        throw;
    }
    ExportNotification(esExportDone, -1);
    return double(seen.size());
}

double TNovaStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    FireEvent(OnColumnCalc, this, ACol, FromRow, ToRow, res);
    return res;
}

// ---- row functions ---------------------------------------------------------------------------------------

double TNovaStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
    double sum = 0;
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow))
            continue;
        try {
            sum += Floats(c, ARow);
        } catch (const ENovaGridError &) {
        }
    }
    return sum;
}

double TNovaStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
    if (ToCol < FromCol)
        return 0;
    return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

double TNovaStringGrid::rowExtreme(int ARow, int FromCol, int ToCol, bool Larger)
{
    if (ToCol < FromCol)
        return 0;
    double best = Floats(FromCol, ARow);
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow))
            continue;
        try {
            const double v = Floats(c, ARow);
            if (Larger ? v > best : v < best)
                best = v;
        } catch (const ENovaGridError &) {
        }
    }
    return best;
}

double TNovaStringGrid::RowMin(int ARow, int FromCol, int ToCol) { return rowExtreme(ARow, FromCol, ToCol, false); }

double TNovaStringGrid::RowMax(int ARow, int FromCol, int ToCol) { return rowExtreme(ARow, FromCol, ToCol, true); }

// ---- cell queries ----------------------------------------------------------------------------------------

void TNovaStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

bool TNovaStringGrid::IsCell(const QString &SubStr, int &ACol, int &ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

bool TNovaStringGrid::IsWideCell(int ACol, int ARow)
{
    return GetGridCell(ACol, ARow).startsWith(QLatin1String("|\\"));
}

double TNovaStringGrid::CellToReal(int ACol, int ARow)
{
    const QString raw = GetGridCell(ACol, ARow);
    if (raw.isEmpty())
        return 0;
    double v = 0;
    const int pos = readNumber(ExtractNumericText(raw), v);
    if (pos != 0)
        throw ENovaGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(pos).arg(ACol).arg(ARow));
    return v;
}

// ---- numbering -------------------------------------------------------------------------------------------

void TNovaStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0)
        return;
    const int last = RowCount() - FixedFooters() - 1;
    for (int a = FixedRows() + FAutoNumberStart; a <= last; ++a) {
        const int value = a - FixedRows() + 1 + FAutoNumberOffset;
        const int row = FAutoNumberDirection == sdDescending ? FixedRows() + (last - a) : a;
        SetInts(ACol, row, value);
    }
}

void TNovaStringGrid::AutoNumberRow(int ARow)
{
    const int last = ColCount() - FixedRightCols() - 1;
    for (int c = FixedCols() + FAutoNumberStart; c <= last; ++c) {
        const int value = c - FixedCols() + 1 + FAutoNumberOffset;
        const int col = FAutoNumberDirection == sdDescending ? FixedCols() + (last - c) : c;
        SetInts(col, ARow, value);
    }
}

// ---- exchanging columns and rows -------------------------------------------------------------------------

void TNovaStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0)
        return;
    TGridCellStore &s = Store();
    // Cells and objects of the shown rows change places; nothing is freed.
    for (int r = 0; r < RowCount(); ++r)
        s.ExchangeCells(ACol1, r, ACol2, r);
    const int w1 = AllColWidths(ACol1), w2 = AllColWidths(ACol2);
    SetAllColWidths(ACol1, w2);
    SetAllColWidths(ACol2, w1);
    if (FSortSettings->Column() == ACol1)
        FSortSettings->SetColumn(ACol2);
    else if (FSortSettings->Column() == ACol2)
        FSortSettings->SetColumn(ACol1);
    swapControlPlaces(FControlList, true, ACol1, ACol2);
    CellControlsUpdate();
    InvalidateGrid();
}

void TNovaStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0)
        return;
    Store().ExchangeRows(ARow1, ARow2);
    const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
    SetRowHeights(ARow1, h2);
    SetRowHeights(ARow2, h1);
    const int r1 = RealRowIndex(ARow1), r2 = RealRowIndex(ARow2);
    swapControlPlaces(FControlList, false, r1, r2);
    CellControlsUpdate();
    InvalidateGrid();
}
