// Cell access in every index space (displayed rows, real rows with hidden rows, unsorted rows,
// the creation order of columns), cell objects and controls, the current cell, the editor's
// text, and the indexed per-cell and per-row properties.
#include "grid/NovaGrid.h"

#include "grid/base/MarkupHelpers.h"
#include "grid/base/VedAzirText.h"

#include <algorithm>

namespace {

// The cell's property object when it already has one (reading never creates one).
const TCellProperties *existingProps(const TNovaStringGrid &g, int c, int r)
{
    return g.HasCellProperties(c, r) ? static_cast<const TCellProperties *>(g.GetGridObject(c, r)) : nullptr;
}

} // namespace

void TNovaStringGrid::repaintCellAt(int ACol, int ARow)
{
    if (FUpdateCount == 0)
        RepaintCell(DisplColIndex(ACol), ARow);
}

// ---- cell texts ----------------------------------------------------------------------------------

QString TNovaStringGrid::AllCells(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return QString();
    if (const TGridItem *item = FGridItems.Find(ARow)) {
        QString value = item->Text(ACol);
        GetDisplText(ACol, ARow, value);
        return value;
    }
    return Cells(ACol, DisplRowIndex(ARow));
}

void TNovaStringGrid::SetAllCells(int ACol, int ARow, const QString &Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (TGridItem *item = FGridItems.Find(ARow)) {
        while (item->Count() <= ACol)
            item->Add(QString());
        item->SetText(ACol, Value);
        return;
    }
    const int r = DisplRowIndex(ARow);
    SetCells(ACol, r, Value);
    if (DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), r);
}

QString TNovaStringGrid::AllGridCells(int ACol, int ARow)
{
    if (const TGridItem *item = FGridItems.Find(ARow))
        return item->Text(ACol);
    return GetGridCell(ACol, DisplRowIndex(ARow));
}

void TNovaStringGrid::SetAllGridCells(int ACol, int ARow, const QString &Value)
{
    if (TGridItem *item = FGridItems.Find(ARow)) {
        item->SetText(ACol, Value);
        return;
    }
    SetGridCell(ACol, DisplRowIndex(ARow), Value);
}

int TNovaStringGrid::UnSortedRowIndex(int ARow)
{
    const std::vector<std::int32_t> &x = FSortRowXRef->Values();
    if (x.empty())
        return ARow;
    const auto it = std::find(x.begin(), x.end(), ARow);
    return int(it - x.begin());
}

int TNovaStringGrid::SortedRowIndex(int ARow)
{
    const int n = FSortRowXRef->Count();
    const int r = ARow >= 0 && ARow < n ? FSortRowXRef->Items(ARow) : ARow;
    return RealRowIndex(r);
}

QString TNovaStringGrid::UnSortedCells(int ACol, int ARow)
{
    const int n = FSortRowXRef->Count();
    if (n == 0 || n < ARow)
        return Cells(ACol, ARow);
    return Cells(ACol, UnSortedRowIndex(ARow));
}

void TNovaStringGrid::SetUnSortedCells(int ACol, int ARow, const QString &Value)
{
    const int n = FSortRowXRef->Count();
    SetCells(ACol, n == 0 || n < ARow ? ARow : UnSortedRowIndex(ARow), Value);
}

int TNovaStringGrid::ColumnPosition(int ACol)
{
    const std::vector<std::int32_t> &order = FColumnOrder->Values();
    const auto it = std::find(order.begin(), order.end(), ACol);
    if (it == order.end())
        return ACol;
    int pos = int(it - order.begin());
    if (FGroupColumn >= 0 && ACol >= FGroupColumn)
        --pos;
    return pos;
}

QString TNovaStringGrid::OriginalCells(int ACol, int ARow)
{
    const int c = ColumnPosition(ACol);
    return Cells(c == -1 ? ACol : c, ARow);
}

void TNovaStringGrid::SetOriginalCells(int ACol, int ARow, const QString &Value)
{
    const int c = ColumnPosition(ACol);
    SetCells(c == -1 ? ACol : c, ARow, Value);
}

QString TNovaStringGrid::StrippedCells(int ACol, int ARow)
{
    return StripMarkup(Cells(ACol, ARow));
}

int TNovaStringGrid::LinesInCell(int ACol, int ARow)
{
    return CountCharOccurrences(QChar(13), Cells(ACol, ARow)) + 1;
}

// ---- current cell and editor text ------------------------------------------------------------------

QString TNovaStringGrid::GetCurrentCell()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return GetGridCell(b.X, b.Y);
}

void TNovaStringGrid::SetCurrentCell(const QString &Value)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetCells(b.X, b.Y, Value);
}

QString TNovaStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return Cells(b.X, b.Y);
}

void TNovaStringGrid::SetCurrentCellText(const QString &Value)
{
    if (IsBaseCell(RealColIndex(Col()), Row())) {
        SetEditText(Col(), Row(), Value);
        return;
    }
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetEditText(DisplColIndex(b.X), b.Y, Value);
}

QString TNovaStringGrid::GetEditText(int ACol, int ARow)
{
    const int c = RealColIndex(ACol);
    const TPoint b = BaseCell(c < 0 ? ACol : c, ARow);
    const QString text = GetGridCell(b.X, b.Y);
    return FEditWithTags ? text : StripMarkup(text);
}

void TNovaStringGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    int c = RealColIndex(ACol);
    if (c < 0)
        c = ACol;
    int r = ARow;
    if (IsMergedCell(c, r)) {
        const TPoint b = BaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    TBaseGrid::SetEditText(c, r, Value);
}

// ---- display text ----------------------------------------------------------------------------------

void TNovaStringGrid::GetDisplText(int ACol, int ARow, QString &Value)
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText) {
        static const char *const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
        for (const char *p : prefixes) {
            QString anchored;
            if (InsertURLAnchor(Value, QString::fromLatin1(p), anchored)) {
                Value = anchored;
                break;
            }
        }
    }
    appendGroupCount(ACol, ARow, Value);
}

// A cell scroll bar whose range follows the text: a page is the row's height, the range the
// height of the text wrapped beside the bar.
void TNovaStringGrid::CellTextChanged(int ACol, int ARow)
{
    if (GetCellType(ACol, ARow) != ctScrollbar)
        return;
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || !g->CellBoolean())
        return;
    g->SetCellAngle(RowHeights(ARow));
    g->SetCellErrFrom(GetCellTextSize(ACol, ARow, true, true).Y);
}

// ---- cell objects and controls ------------------------------------------------------------------------

TObject *TNovaStringGrid::AllObjects(int ACol, int ARow)
{
    if (const TGridItem *item = FGridItems.Find(ARow)) {
        TObject *o = item->Object(ACol);
        if (auto *p = dynamic_cast<TCellProperties *>(o))
            return reinterpret_cast<TObject *>(p->CellObject());
        return o;
    }
    return GetObjectEx(ACol, DisplRowIndex(ARow));
}

void TNovaStringGrid::SetAllObjects(int ACol, int ARow, TObject *Value)
{
    if (TGridItem *item = FGridItems.Find(ARow)) {
        if (auto *p = dynamic_cast<TCellProperties *>(item->Object(ACol))) {
            p->SetCellObject(reinterpret_cast<quintptr>(Value));
            return;
        }
        while (item->Count() <= ACol)
            item->Add(QString());
        item->SetObject(ACol, Value);
        return;
    }
    SetObjectEx(ACol, DisplRowIndex(ARow), Value);
}

TObject *TNovaStringGrid::GetGridObjectsEx(int ACol, int ARow)
{
    if (const TGridItem *item = FGridItems.Find(ARow))
        return item->Object(ACol);
    return GetGridObject(ACol, DisplRowIndex(ARow));
}

QWidget *TNovaStringGrid::CellControls(int ACol, int ARow)
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TNovaStringGrid::SetCellControls(int ACol, int ARow, QWidget *Value)
{
    const int realRow = RealRowIndex(ARow);
    if (!Value) {
        if (!HasCellProperties(ACol, ARow))
            return;
        TCellProperties *p = GetCellProperties(ACol, ARow);
        if (p->Control()) {
            const int i = FControlList.ControlIndex(ACol, realRow);
            if (i >= 0)
                FControlList.RemoveControl(i);
            FNumCellControls = std::max(0, FNumCellControls - 1);
        }
        p->SetControl(nullptr);
        return;
    }
    TCellProperties *p = GetCellProperties(ACol, ARow);
    const int i = FControlList.ControlIndex(ACol, realRow);
    if (i >= 0)
        FControlList.RemoveControl(i);
    if (!p->Control())
        ++FNumCellControls;
    FControlList.AddControl(ACol, realRow, Value);
    p->SetControl(Value);
    Value->setParent(viewport());
    const TRect rc = CellRect(DisplColIndex(ACol), ARow);
    Value->setGeometry(rc.Left - 1, rc.Top - 1, rc.Width() + 1, rc.Height() + 1);
}

// ---- per-cell properties ------------------------------------------------------------------------------

TColor TNovaStringGrid::Colors(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->BrushColor() : clNone;
}

void TNovaStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    repaintCellAt(ACol, ARow);
}

TColor TNovaStringGrid::ColorsTo(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->BrushColorTo() : clNone;
}

void TNovaStringGrid::SetColorsTo(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    repaintCellAt(ACol, ARow);
}

TCellGradientDirection TNovaStringGrid::Gradients(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->GradientDirection() : GradientVertical;
}

void TNovaStringGrid::SetGradients(int ACol, int ARow, TCellGradientDirection Value)
{
    GetCellProperties(ACol, ARow)->SetGradientDirection(Value);
    repaintCellAt(ACol, ARow);
}

TColor TNovaStringGrid::FontColors(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->FontColor() : clNone;
}

void TNovaStringGrid::SetFontColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    repaintCellAt(ACol, ARow);
}

TFontStyles TNovaStringGrid::FontStyles(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->FontStyle() : TFontStyles{};
}

void TNovaStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value)
{
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    repaintCellAt(ACol, ARow);
}

int TNovaStringGrid::FontSizes(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->FontSize() : 0;
}

void TNovaStringGrid::SetFontSizes(int ACol, int ARow, int Value)
{
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    repaintCellAt(ACol, ARow);
}

QString TNovaStringGrid::FontNames(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->FontName() : QString();
}

void TNovaStringGrid::SetFontNames(int ACol, int ARow, const QString &Value)
{
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    repaintCellAt(ACol, ARow);
}

TAlignment TNovaStringGrid::Alignments(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p ? p->Alignment() : taLeftJustify;
}

void TNovaStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    repaintCellAt(ACol, ARow);
}

bool TNovaStringGrid::ReadOnly(int ACol, int ARow) const
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    return p && p->ReadOnly();
}

void TNovaStringGrid::SetReadOnly(int ACol, int ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetReadOnly(Value);
    repaintCellAt(ACol, ARow);
}

bool TNovaStringGrid::WordWraps(int ACol, int ARow)
{
    return GetCellProperties(ACol, ARow)->WordWrap();
}

void TNovaStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetWordWrap(Value);
    repaintCellAt(ACol, ARow);
}

const TFont &TNovaStringGrid::Fonts(int ACol, int ARow)
{
    const TCellProperties *p = existingProps(*this, ACol, ARow);
    if (!p)
        return Font();
    FScratchFont = Font();
    FScratchFont.Name = p->FontName();
    FScratchFont.Size = p->FontSize();
    FScratchFont.Style = p->FontStyle();
    FScratchFont.Color = p->FontColor();
    return FScratchFont;
}

void TNovaStringGrid::SetFonts(int ACol, int ARow, const TFont &Value)
{
    TCellProperties *p = GetCellProperties(ACol, ARow);
    p->SetFontName(Value.Name);
    p->SetFontSize(Value.Size);
    p->SetFontStyle(Value.Style);
    p->SetFontColor(Value.Color);
    repaintCellAt(ACol, ARow);
}

// ---- per-row properties (hidden columns included) -----------------------------------------------------

void TNovaStringGrid::SetRowColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone && GetCellType(c, ARow) == ctNone)
            FreeCellProperties(c, ARow);
        else
            GetCellProperties(c, ARow)->SetBrushColor(Value);
    }
    InvalidateRow(ARow);
}

void TNovaStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone)
            FreeCellProperties(c, ARow);
        else
            GetCellProperties(c, ARow)->SetBrushColorTo(Value);
    }
    InvalidateRow(ARow);
}

void TNovaStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            if (Colors(c, ARow) == clNone)
                FreeCellProperties(c, ARow);
        } else {
            GetCellProperties(c, ARow)->SetFontColor(Value);
        }
    }
    InvalidateRow(ARow);
}

// ---- widths and zoom ------------------------------------------------------------------------------------

int TNovaStringGrid::AllColWidths(int ACol) const
{
    if (IsHiddenColumn(ACol))
        return FAllColWidths[std::size_t(ACol)];
    return ColWidths(DisplColIndexOf(ACol));
}

void TNovaStringGrid::SetAllColWidths(int ACol, int Value)
{
    if (ACol >= 0 && ACol <= MaxHiddenCol)
        FAllColWidths[std::size_t(ACol)] = std::int16_t(std::clamp(Value, 0, 32767));
    if (!IsHiddenColumn(ACol))
        SetColWidths(DisplColIndexOf(ACol), Value);
}

void TNovaStringGrid::Zoom(int x)
{
    if (FZoomFactor + x < -10 || FZoomFactor + x > 10)
        return;
    FZoomFactor += x;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0)
            SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0)
            SetRowHeights(r, RowHeights(r) + x);
}
