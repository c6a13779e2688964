// Grouping: runs of equal values in one column become node rows (the value in a header row, the
// run as its children), optional summary rows follow the runs, and the grouped column is taken
// out until the grouping is undone. A second level splits each group again on another column.
#include "grid/NovaGrid.h"

#include "platform/TextFormat.h"

#include <cmath>

namespace {

// No cell is expected to hold these two characters: the first row always starts a run.
const QString kNoValue = QStringLiteral(u"\u00FF\u00FE");

} // namespace

// ---- colours of header and summary rows ----------------------------------------------------------------

void TNovaStringGrid::colourGroupRow(int ARow, bool Header)
{
    const TColor c = Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor();
    const TColor to = Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo();
    const TColor text = Header ? FGrouping->HeaderTextColor() : FGrouping->SummaryTextColor();
    if (c != clNone)
        SetRowColor(ARow, c);
    if (to != clNone)
        SetRowColorTo(ARow, to);
    if (text != clNone)
        SetRowFontColor(ARow, text);
}

void TNovaStringGrid::colourGroupCell(int ACol, int ARow, bool Header)
{
    const TColor c = Header ? FGrouping->HeaderColor() : FGrouping->SummaryColor();
    const TColor to = Header ? FGrouping->HeaderColorTo() : FGrouping->SummaryColorTo();
    const TColor text = Header ? FGrouping->HeaderTextColor() : FGrouping->SummaryTextColor();
    if (c != clNone)
        SetColors(ACol, ARow, c);
    if (to != clNone)
        SetColorsTo(ACol, ARow, to);
    if (text != clNone)
        SetFontColors(ACol, ARow, text);
}

// Takes back what colourGroupRow gave; cells left with nothing else lose their properties.
void TNovaStringGrid::uncolourGroupRow(int ARow, bool Header)
{
    const bool any = Header ? FGrouping->HeaderColor() != clNone || FGrouping->HeaderColorTo() != clNone
                            : FGrouping->SummaryColor() != clNone || FGrouping->SummaryColorTo() != clNone;
    if (!any)
        return;
    SetRowColor(ARow, clNone);
    SetRowColorTo(ARow, clNone);
}

// ---- the grouped column ------------------------------------------------------------------------------------

int TNovaStringGrid::GroupColumn() const { return FGroupColumn; }

void TNovaStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TNovaStringGrid::insertSummaryRow(int ARow)
{
    InsertRows(ARow, 1);
    MarkSummaryRow(RealRowIndex(ARow));
    if (!(FGrouping->MergeSummary() && FGrouping->Summary()))
        colourGroupRow(ARow, false);
}

void TNovaStringGrid::Group(int ColIndex)
{
    // Column 0 holds the node glyphs: grouping on it would lose its values for good.
    if (ColIndex < std::max(FixedCols(), 1) || ColIndex >= ColCount())
        return;
    if (FGroupColumn != -1)
        UnGroup();
    if (RowCount() - FixedFooters() <= FixedRows())
        return;

    BeginUpdate();
    FIsGrouping = true;
    struct Restore {
        TNovaStringGrid *g;
        ~Restore()
        {
            g->FIsGrouping = false;
            g->EndUpdate();
        }
    } restore{this};

    const int rc = RealColIndex(ColIndex);
    FGroupColumn = rc;
    FGroupWidth = ColWidths(ColIndex);
    FGroupCaption = FixedRows() > 0 ? GetGridCell(rc, 0) : QString();
    FGroupFooter = FixedFooters() > 0 ? GetGridCell(rc, RowCount() - 1) : QString();

    if (FSortSettings->AutoSortForGrouping()) {
        FSortSettings->SetColumn(rc);
        QSort();
    }

    const bool summary = FGrouping->Summary();
    const int valueCol = rc == 1 ? 2 : 1;
    QString prev = kNoValue;
    int header = -1;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        const QString v = GetGridCell(rc, r);
        if (v != prev) {
            if (header >= 0) {
                if (summary && header > FixedRows()) {
                    insertSummaryRow(header);
                    ++header;
                    ++r;
                }
                AddNode(RealRowIndex(header), r - header);
            }
            InsertRows(r, 1);
            SetCells(valueCol, r, v);
            if (!FGrouping->MergeHeader())
                colourGroupRow(r, true);
            header = r;
            ++r;
            prev = v;
        }
        ++r;
    }
    int last = r - 1;
    if (header < 0) {
        AddNode(RealRowIndex(FixedRows()), last - FixedRows() + 1);
    } else {
        if (summary && header > FixedRows()) {
            insertSummaryRow(header);
            ++header;
            ++last;
        }
        AddNode(RealRowIndex(header), last - header + 1);
    }
    if (summary)
        insertSummaryRow(last + 1);

    RemoveCols(ColIndex, 1);

    const bool mergeSummary = FGrouping->MergeSummary() && summary;
    if (FGrouping->MergeHeader() || mergeSummary) {
        for (int row = FixedRows(); row < RowCount(); ++row) {
            if (FGrouping->MergeHeader() && IsNode(row)) {
                MergeCells(1, row, ColCount() - 1, 1);
                colourGroupCell(1, row, true);
            } else if (mergeSummary && IsSummary(row)) {
                MergeCells(1, row, ColCount() - 1, 1);
                colourGroupCell(1, row, false);
            }
        }
    }

    if (FCellNode->ExpandOne())
        for (int row = FixedRows(); row < RowCount(); ++row)
            if (IsNode(row)) {
                ExpandNode(RealRowIndex(row));
                break;
            }

    if (Col() >= ColCount() || Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    SetRow(FixedRows());
}

void TNovaStringGrid::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    const bool expandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    ExpandAll();

    const int gc = FGroupColumn;
    InsertCols(gc, 1);
    SetColWidths(DisplColIndex(gc), FGroupWidth);
    if (FixedRows() > 0)
        SetCells(gc, 0, FGroupCaption);
    if (FixedFooters() > 0)
        SetCells(gc, RowCount() - 1, FGroupFooter);

    FIsGrouping = true;
    const bool summary = FGrouping->Summary();
    const int valueCol = gc == 1 ? 2 : 1;
    QString value;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        if (!IsNode(r)) {
            if (!IsSummary(r))
                SetCells(gc, r, value);
            ++r;
            continue;
        }
        const int span = std::max(1, GetNodeSpan(r));
        if (summary && r + span < RowCount() && IsSummary(r + span)) {
            const int sr = r + span;
            if (FGrouping->MergeSummary())
                SplitCells(1, sr);
            else
                uncolourGroupRow(sr, false);
            RemoveCellGraphic(0, sr);
            RemoveRowsCore(sr, 1);
        }
        value = GetGridCell(valueCol, r);
        RemoveNode(RealRowIndex(r));
        FreeCellProperties(0, r);
        if (FGrouping->MergeHeader())
            SplitCells(1, r);
        else
            uncolourGroupRow(r, true);
        RemoveRowsCore(r, 1);
    }
    FIsGrouping = false;
    FGroupColumn = -1;
    FCellNode->SetExpandOne(expandOne);
    if (Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    InvalidateGrid();
}

// ---- sub-groups -----------------------------------------------------------------------------------------------

void TNovaStringGrid::SubGroup(int ColIndex)
{
    if (ColIndex < std::max(FixedCols(), 1) || ColIndex >= ColCount() - 1 || !HasNodes())
        return;
    BeginUpdate();
    struct Unlock {
        TNovaStringGrid *g;
        ~Unlock() { g->EndUpdate(); }
    } unlock{this};
    const bool summary = FGrouping->Summary();
    const int valueCol = ColIndex + 1;
    auto makeHeader = [&](int row, const QString &v) {
        InsertChildRow(RealRowIndex(row), 0);
        SetCells(valueCol, row, v);
        if (FGrouping->MergeHeader()) {
            MergeCells(valueCol, row, ColCount() - valueCol, 1);
            colourGroupCell(valueCol, row, true);
        } else {
            colourGroupRow(row, true);
        }
    };
    auto closeHeader = [&](int header, int lastChild) {
        if (header < 0 || IsNode(header) || IsSummary(header))
            return;
        AddNode(RealRowIndex(header), lastChild - header + 1);
        if (TCellGraphic *g = nodeGraphic(header))
            g->SetCellVar(ColIndex);
    };
    QString prev = kNoValue;
    int header = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - FixedFooters()) {
        const bool structural = IsNode(r) || IsSummary(r);
        const QString v = GetGridCell(ColIndex, r);
        if (structural || v != prev) {
            closeHeader(header, r - 1);
            header = -1;
            if (!structural) {
                makeHeader(r, v);
                header = r;
                ++r; // the data row moved below its new header
                prev = v;
                SetCells(ColIndex, r, QString());
                ++r;
                continue;
            }
            prev = kNoValue;
            ++r;
            continue;
        }
        SetCells(ColIndex, r, QString());
        ++r;
    }
    closeHeader(header, r - 1);
    if (summary && header >= 0)
        insertSummaryRow(r);
    SetRow(FixedRows());
}

void TNovaStringGrid::SubUnGroup(int ColIndex)
{
    if (ColIndex < 1)
        return;
    ExpandAll();
    const int valueCol = ColIndex + 1;
    QString value;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters()) {
        if (IsNode(r)) {
            const TCellGraphic *g = nodeGraphic(r);
            if (g && g->CellVar().toInt() == ColIndex) {
                value = GetGridCell(valueCol, r);
                RemoveNode(RealRowIndex(r));
                if (FGrouping->MergeHeader())
                    SplitCells(valueCol, r);
                else
                    uncolourGroupRow(r, true);
                RemoveChildRow(RealRowIndex(r));
                continue;
            }
            ++r;
            continue;
        }
        if (!IsSummary(r))
            SetCells(ColIndex, r, value);
        ++r;
    }
}

// ---- per-group column functions -------------------------------------------------------------------------------

// The method's column function over a group's child rows.
double TNovaStringGrid::groupColumnValue(int ACol, int FromRow, int ToRow, int Method)
{
    switch (Method) {
    case 1: return ColumnSum(ACol, FromRow, ToRow);
    case 2: return ColumnAvg(ACol, FromRow, ToRow);
    case 3: return ColumnMin(ACol, FromRow, ToRow);
    case 4: return ColumnMax(ACol, FromRow, ToRow);
    case 6: return DoGroupCalc(ACol, FromRow, ToRow);
    case 7: return ColumnDistinct(ACol, FromRow, ToRow);
    case 8: return ColumnStdDev(ACol, FromRow, ToRow);
    default: return 0;
    }
}

double TNovaStringGrid::DoGroupCalc(int ACol, int FromRow, int ToRow)
{
    double Res = 0;
    FireEvent(OnGroupCalc, this, ACol, FromRow, ToRow, Res);
    return Res;
}

void TNovaStringGrid::GroupCalc(int ColIndex, int Method)
{
    if (Method < 1 || Method > 8)
        return;
    int r = FixedRows();
    while (r < RowCount()) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const int s = std::max(1, GetNodeSpan(r));
        const int target = FGrouping->Summary() ? r + s : r;
        if (target < RowCount()) {
            if (Method == 5)
                SetInts(ColIndex, target, s - 1);
            else
                SetFloats(ColIndex, target, groupColumnValue(ColIndex, r + 1, r + s - 1, Method));
        }
        r += s;
    }
}

void TNovaStringGrid::GroupSum(int ColIndex) { GroupCalc(ColIndex, 1); }
void TNovaStringGrid::GroupAvg(int ColIndex) { GroupCalc(ColIndex, 2); }
void TNovaStringGrid::GroupMin(int ColIndex) { GroupCalc(ColIndex, 3); }
void TNovaStringGrid::GroupMax(int ColIndex) { GroupCalc(ColIndex, 4); }
void TNovaStringGrid::GroupCount(int ColIndex) { GroupCalc(ColIndex, 5); }
void TNovaStringGrid::GroupCustomCalc(int ColIndex) { GroupCalc(ColIndex, 6); }
void TNovaStringGrid::GroupDistinct(int ColIndex) { GroupCalc(ColIndex, 7); }
void TNovaStringGrid::GroupStdDev(int ColIndex) { GroupCalc(ColIndex, 8); }

// ---- the group count in the header's text ------------------------------------------------------------------

void TNovaStringGrid::appendGroupCount(int ACol, int ARow, QString &Value)
{
    if (!FGrouping->ShowGroupCount() || ACol != 1 || !IsNode(ARow))
        return;
    const int n = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
    const QString fmt = FGrouping->GroupCountFormat();
    if (fmt.isEmpty())
        Value += QStringLiteral(" (%1)").arg(n);
    else
        Value += platform::checkedFormatText(fmt, {n});
}
