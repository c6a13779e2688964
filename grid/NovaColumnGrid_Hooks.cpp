// Per-cell hooks of the column grid: the column's item answers first, a cell's own properties
// may then win, and the string grid's hook with the application's event has the last word.
#include "grid/NovaColumnGrid.h"

#include "grid/ControlLook.h"
#include "grid/GridFilter.h"
#include "grid/GridEditorControls.h"
#include "grid/base/NumberDate.h"
#include "platform/TextFormat.h"

void TNovaColumnGrid::GetDefaultCellProperties(int ACol, int ARow, TFont &AFont, TBrush &ABrush, TColor &AColorTo,
                                               TColor &AMirrorColor, TColor &AMirrorColorTo, TAlignment &HAlign,
                                               TVAlignment &VAlign, bool &WW, TCellGradientDirection &GD)
{
    const TGridColumnItem *item = itemAt(ACol);
    if (!item) {
        TNovaStringGrid::GetDefaultCellProperties(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo,
                                                  HAlign, VAlign, WW, GD);
        return;
    }
    AFont = item->Font();
    ABrush.Color = item->Color();
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VAlign = VAlignment();
    WW = WordWrap();
    GD = GradientVertical;
    if (IsFixed(DisplColIndex(ACol), ARow) || (item->ShowBands() && Bands()->Active())) {
        ABrush.Color = clNone;
        AColorTo = clNone;
    }
}

QString TNovaColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    const TGridColumnItem *item = itemAt(ACol);
    if (!item)
        return TNovaStringGrid::GetFormattedCell(ACol, ARow);
    const QString text = Cells(ACol, ARow);
    QString format = item->FloatFormat();
    const unsigned char kind = ClassifyNumberText(text);
    bool isFloat = kind == nkInteger || kind == nkFloat;
    FireEvent(OnGetFloatFormat, this, ACol, ARow, isFloat, format);
    if (format.isEmpty() || !isFloat)
        return text;
    double value = 0;
    if (!TryPlainTextToFloat(ExtractNumericText(text), value))
        return text;
    // A format that does not take one floating-point value leaves the cell's own text.
    QString formatted;
    return platform::tryFormatText(format, {platform::FormatArg(value)}, formatted) ? formatted : text;
}

void TNovaColumnGrid::GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat)
{
    const TGridColumnItem *item = itemAt(ACol);
    if (!item) {
        TNovaStringGrid::GetFloatFormat(ACol, ARow, IsFloat, FloatFormat);
        return;
    }
    FloatFormat = item->FloatFormat().isEmpty() ? TNovaStringGrid::FloatFormat() : item->FloatFormat();
}

TCellType TNovaColumnGrid::GetCellType(int ACol, int ARow)
{
    TCellType t = TNovaStringGrid::GetCellType(ACol, ARow);
    // The string grid sees the shared virtual box through the graphic hook; the cell has none.
    if (t == ctVirtCheckBox && !TNovaStringGrid::GetCellGraphic(ACol, ARow))
        t = ctEmpty;
    if (t != ctEmpty || Destroying() || !isBodyCell(ACol, ARow))
        return t;
    const TGridColumnItem *item = itemAt(ACol);
    return item && item->Editor() == edDataCheckBox ? ctDataCheckBox : t;
}

TCellGraphic *TNovaColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic *g = TNovaStringGrid::GetCellGraphic(ACol, ARow);
    if (g || Destroying() || !FVirtCheckGraphic || !isBodyCell(ACol, ARow))
        return g;
    const TGridColumnItem *item = itemAt(ACol);
    if (!item || item->Editor() != edDataCheckBox)
        return nullptr;
    // One shared graphic for every such cell: no cell holds an object for it.
    FVirtCheckGraphic->SetCellType(ctVirtCheckBox);
    FVirtCheckGraphic->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
    return FVirtCheckGraphic.get();
}

TCellGraphic *TNovaColumnGrid::GetHiddenRowCellGraphic(int ACol, int RealRow)
{
    // A hidden row of a data check box column has its box as any other body row.
    const TGridColumnItem *item = itemAt(ACol);
    if (!item || item->Editor() != edDataCheckBox || !FVirtCheckGraphic || ACol < FixedCols() || RealRow < FixedRows())
        return TNovaStringGrid::GetHiddenRowCellGraphic(ACol, RealRow);
    FVirtCheckGraphic->SetCellType(ctVirtCheckBox);
    FVirtCheckGraphic->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
    return FVirtCheckGraphic.get();
}

void TNovaColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont)
{
    const TGridColumnItem *item = itemAt(ACol);
    if (item && ACol >= FixedCols() && ACol < AllColCount() - FixedRightCols() && ARow < RowCount() - FixedFooters()) {
        if (item->Fixed())
            ABrush.Color = FixedColor();
        else if (ARow >= FixedRows() && !(item->ShowBands() && Bands()->Active()))
            ABrush.Color = item->Color();
        AFont = ARow < FixedRows() ? item->HeaderFont() : item->Font();
        if (HasCellProperties(ACol, ARow)) {
            const auto *p = static_cast<const TCellProperties *>(GetGridObject(ACol, ARow));
            if (p->BrushColor() != clNone)
                ABrush.Color = p->BrushColor();
            if (p->FontColor() != clNone)
                AFont.Color = p->FontColor();
        }
    }
    TNovaStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TNovaColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont)
{
    if (const TGridColumnItem *item = itemAt(ACol)) {
        const bool fixedKind = ACol < FixedCols() || ARow < FixedRows() || ACol >= AllColCount() - FixedRightCols()
                               || ARow >= RowCount() - FixedFooters();
        if (fixedKind) {
            AFont = PrintSettings()->FixedFont();
        } else {
            if (item->Fixed())
                ABrush.Color = FixedColor();
            else if (!(item->ShowBands() && Bands()->Active() && Bands()->Print()))
                ABrush.Color = item->PrintColor();
            AFont = item->PrintFontCustom() ? item->PrintFont() : PrintSettings()->Font();
            if (HasCellProperties(ACol, ARow)) {
                const auto *p = static_cast<const TCellProperties *>(GetGridObject(ACol, ARow));
                if (p->BrushColor() != clNone && !item->Fixed())
                    ABrush.Color = p->BrushColor();
                if (item->PrintFontCustom()) {
                    if (p->FontColor() != clNone)
                        AFont.Color = p->FontColor();
                    if (!p->FontStyle().IsEmpty())
                        AFont.Style = p->FontStyle();
                    if (p->FontSize() != 0)
                        AFont.Size = p->FontSize();
                    if (!p->FontName().isEmpty())
                        AFont.Name = p->FontName();
                }
            }
        }
    }
    TNovaStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TNovaColumnGrid::GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (const TGridColumnItem *item = itemAt(ACol); item && isDataCell(ACol, ARow)) {
        Borders = item->Borders();
        APen = item->BorderPen();
    }
    TNovaStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TNovaColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (const TGridColumnItem *item = itemAt(ACol); item && isDataCell(ACol, ARow) && item->PrintBorderCustom()) {
        Borders = item->PrintBorders();
        APen = item->PrintBorderPen();
    }
    TNovaStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TNovaColumnGrid::GetCellAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
    if (const TGridColumnItem *item = itemAt(ACol)) {
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (HasCellProperties(ACol, ARow))
            HAlign = static_cast<const TCellProperties *>(GetGridObject(ACol, ARow))->Alignment();
    }
    TNovaStringGrid::GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TNovaColumnGrid::GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix)
{
    if (const TGridColumnItem *item = itemAt(ACol)) {
        AStyle = item->SortStyle();
        aPrefix = item->SortPrefix();
        aSuffix = item->SortSuffix();
    }
    TNovaStringGrid::GetColFormat(ACol, AStyle, aPrefix, aSuffix);
}

void TNovaColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType &AEditor)
{
    if (const TGridColumnItem *item = itemAt(ACol)) {
        if (isDataCell(ACol, ARow)) {
            AEditor = item->Editor();
            // The combo shows exactly the column's choices at the moment editing starts.
            TGridCombo *combo = Combo();
            {
                const QSignalBlocker block(combo);
                combo->clear();
                combo->ItemObjects.clear();
                combo->addItems(item->ComboItems());
                combo->setCurrentIndex(-1);
            }
            combo->SetDropDownCount(item->DropDownCount());
            TGridSpin *spin = SpinEdit();
            spin->SetMinValue(item->SpinMin());
            spin->SetMaxValue(item->SpinMax());
            spin->SetIncrement(item->SpinStep());
            ControlLook()->SetDropDownCount(item->DropDownCount());
        }
        if (!item->FloatFormat().isEmpty())
            SetFloatFormat(item->FloatFormat());
    }
    TNovaStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TNovaColumnGrid::IsFixedCell(int ACol, int ARow, bool &IsFixed)
{
    if (ACol >= FixedCols() && ARow >= FixedRows())
        if (const TGridColumnItem *item = itemAt(RealColIndex(ACol)))
            IsFixed = item->Fixed();
    TNovaStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TNovaColumnGrid::CheckCanEditCell(int ACol, int ARow, bool &CanEdit)
{
    CanEdit = false;
    if (!FLoading && isDataCell(ACol, ARow))
        if (const TGridColumnItem *item = itemAt(ACol))
            CanEdit = !item->ReadOnly() && !item->Fixed();
    if (CanEdit && HasCellProperties(ACol, ARow))
        CanEdit = !ReadOnly(ACol, ARow);
    const TPoint b = BaseCell(ACol, ARow);
    DoCanEditCell(b.X, b.Y, CanEdit);
}

void TNovaColumnGrid::IsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
    if (const TGridColumnItem *item = itemAt(ACol))
        IsPassword = item->Password();
    TNovaStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TNovaColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (isDataCell(ACol, ARow))
        if (const TGridColumnItem *item = itemAt(ACol))
            has = item->Editor() == edComboEdit || item->Editor() == edComboList;
    FireEvent(OnHasComboBox, this, ACol, ARow, has);
    return has;
}

void TNovaColumnGrid::GetCheckTrue(int ACol, int ARow, QString &Value)
{
    TNovaStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (isBodyCell(ACol, ARow))
        if (const TGridColumnItem *item = itemAt(ACol))
            Value = item->CheckTrue();
}

void TNovaColumnGrid::GetCheckFalse(int ACol, int ARow, QString &Value)
{
    TNovaStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (isBodyCell(ACol, ARow))
        if (const TGridColumnItem *item = itemAt(ACol))
            Value = item->CheckFalse();
}

bool TNovaColumnGrid::GetColumnFilter(int ACol)
{
    TNovaStringGrid::GetColumnFilter(ACol);
    const TGridColumnItem *item = itemAt(ACol);
    if (!item || item->Filter().isEmpty())
        return false;
    QStringList &list = FilterList();
    list.clear();
    for (const QString &entry : item->Filter()) {
        QString name, condition;
        SplitFilterEntry(entry, name, condition);
        // The list shows names; a name that would split again keeps the entry form.
        list << (name.contains(QLatin1Char('=')) || name.contains(QLatin1Char('"')) ? MakeFilterEntry(name) : name);
    }
    return true;
}

void TNovaColumnGrid::ApplyDropListFilter(QObject *Sender, int ItemIndex)
{
    const int c = FFilterCol;
    TGridColumnItem *item = c >= 0 && c < FColumnCollection->Count() ? FColumnCollection->Items(c) : nullptr;
    if (item && ItemIndex >= 0 && ItemIndex < item->Filter().size()) {
        QString display, condition;
        SplitFilterEntry(item->Filter().at(ItemIndex), display, condition);
        if (FAutoFilterDisplay)
            item->SetHeader(display);
        if (AutoFilterUpdate())
            SetFilterActive(false);
        FireEvent(OnFilterSelect, Sender, c, ItemIndex, display, condition);
        TFilterData *f = Filter()->GetColFilter(c);
        StoreFilterCondition(*f, condition);
        f->SetCaseSensitive(item->FilterCaseSensitive());
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways()))
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}
