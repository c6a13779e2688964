// Per-cell hooks: each question about one cell starts from the grid default or the caller's
// preset, then applies the cell's properties or the grid's rule, and fires its event last so
// that the application has the last word.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirText.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>

// ---- defaults of new cell properties --------------------------------------------------------------

void TNovaStringGrid::GetDefaultCellProperties(int ACol, int ARow, TFont &AFont, TBrush &ABrush, TColor &AColorTo,
                                               TColor &AMirrorColor, TColor &AMirrorColorTo, TAlignment &HAlign,
                                               TVAlignment &VAlign, bool &WW, TCellGradientDirection &GD)
{
    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo,
                        AFont, HAlign, VAlign, WW, GD);
    // A new property object carries no brush of its own where the look decides the colour.
    const bool gradientBack =
        FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert;
    if (IsFixed(ACol, ARow) || FBands->Active() || gradientBack || state.Contains(gdSelected)) {
        ABrush.Color = clNone;
        AColorTo = clNone;
    }
}

// ---- hooks that fire their event -----------------------------------------------------------------

void TNovaStringGrid::DoCanEditCell(int ACol, int ARow, bool &CanEdit)
{
    FireEvent(OnCanEditCell, this, ARow, ACol, CanEdit);
}

void TNovaStringGrid::DoSearchFooterAction(const QString &Value, int ACol, int ARow, TSearchAction SearchAction)
{
    FireEvent(OnSearchFooterAction, this, Value, ACol, ARow, SearchAction);
}

void TNovaStringGrid::DoButtonClick(int ACol, int ARow)
{
    FireEvent(OnButtonClick, this, ACol, ARow);
}

void TNovaStringGrid::GridButtonClick()
{
    FireEvent(OnButtonClick, this, Col(), Row());
}

void TNovaStringGrid::DoUnitChanged(QObject *, const QString &AUnit)
{
    FireEvent(OnUnitChanged, this, Col(), Row(), AUnit);
}

void TNovaStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    FireEvent(OnExpandClick, this, ACol, ARow, Expanded);
    SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TNovaStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    FireEvent(OnComboCloseUp, this, ARow, ACol);
}

void TNovaStringGrid::DoComboDropDown(int ARow, int ACol)
{
    FireEvent(OnComboDropDown, this, ARow, ACol);
}

void TNovaStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor)
        return;
    Qt::CursorShape shape = cursor().shape();
    OnGetCellCursor(this, ACol, ARow, X, Y, shape);
    viewport()->setCursor(QCursor(shape));
}

void TNovaStringGrid::DoGridHint(int ACol, int ARow, QString &Hint, QString &WideHint)
{
    FireEvent(OnGridHint, this, ARow, ACol, Hint);
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.isEmpty())
            Hint = EncodeWideText(WideHint);
    }
}

void TNovaStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont)
{
    if (FActiveCellShow) {
        const bool rowHeader = ARow == Row() && FixedCols() > 0 && DisplColIndex(ACol) == FixedCols() - 1;
        const bool colHeader = DisplColIndex(ACol) == Col() && FixedRows() > 0 && ARow == FixedRows() - 1;
        if (rowHeader || colHeader) {
            AFont = FActiveCellFont;
            ABrush.Color = FActiveCellColor;
        }
    }
    if (HasCellProperties(ACol, ARow)) {
        const auto *p = static_cast<const TCellProperties *>(GetGridObject(ACol, ARow));
        if (p->BrushColor() != clNone) {
            switch (GetCellType(ACol, ARow)) {
            case ctIcon: case ctNone: case ctImageList: case ctEmpty: case ctImages: case ctComment:
                ABrush.Color = p->BrushColor();
                break;
            default:
                break;
            }
        }
        applyOwnFont(*p, AFont);
    }
    FireEvent(OnGetCellColor, this, ARow, ACol, AState, ABrush, AFont);
}

void TNovaStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont)
{
    FireEvent(OnGetCellPrintColor, this, ARow, ACol, AState, ABrush, AFont);
}

// Group headers are underlined and summary rows overlined, from column 1 on.
void TNovaStringGrid::GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (FGrouping->HeaderUnderline() && ACol > 0 && IsNode(ARow)) {
        Borders = TCellBorders{cbBottom};
        APen.Color = FGrouping->HeaderLineColor();
        APen.Width = FGrouping->HeaderLineWidth();
    }
    if (FGrouping->SummaryLine() && ACol > 0 && IsSummary(ARow)) {
        Borders = TCellBorders{cbTop};
        APen.Color = FGrouping->SummaryLineColor();
        APen.Width = FGrouping->SummaryLineWidth();
    }
    FireEvent(OnGetCellBorder, this, ARow, ACol, APen, Borders);
}

void TNovaStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    FireEvent(OnGetCellPrintBorder, this, ARow, ACol, APen, Borders);
}

void TNovaStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        HAlign = taCenter;
    FireEvent(OnGetAlignment, this, ARow, ACol, HAlign, VAlign);
}

void TNovaStringGrid::GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix)
{
    FireEvent(OnGetFormat, this, ACol, AStyle, aPrefix, aSuffix);
}

void TNovaStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType &AEditor)
{
    FireEvent(OnGetEditorType, this, ACol, ARow, AEditor);
}

void TNovaStringGrid::GetCellEditor(int ACol, int ARow, TEditorType &AEditor)
{
    FireEvent(OnGetEditorType, this, ACol, ARow, AEditor);
}

bool TNovaStringGrid::IsEditorNone(int ACol, int ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType editor = edNormal;
    OnGetEditorType(this, ACol, ARow, editor);
    return editor == edNone;
}

void TNovaStringGrid::IsFixedCell(int ACol, int ARow, bool &IsFixed)
{
    IsFixed = IsFixed || (FFixedRowAlways && RowCount() == FFixedRowsMin)
              || (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) || ACol < FixedCols()
              || ARow < FixedRows();
    if (!IsFixed)
        FireEvent(OnIsFixedCell, this, ARow, ACol, IsFixed);
}

void TNovaStringGrid::CheckCanEditCell(int ACol, int ARow, bool &CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y) && CanEdit) {
        CanEdit = !ReadOnly(b.X, b.Y);
        if (!Options().Contains(goEditing) && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
            CanEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns())
        DoCanEditCell(b.X, b.Y, CanEdit);
    else
        CanEdit = true;
}

void TNovaStringGrid::IsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
    FireEvent(OnIsPasswordCell, this, ARow, ACol, IsPassword);
}

void TNovaStringGrid::GetCellWordWrap(int ACol, int ARow, bool &WordWrap)
{
    FireEvent(OnGetWordWrap, this, ACol, ARow, WordWrap);
}

// Whether the cell shows a drop-down button without being edited: the event replaces the rule.
bool TNovaStringGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (OnHasComboBox) {
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->DropDownAlwaysVisible())
        return false;
    TEditorType editor = FDefaultEditor;
    GetCellEditor(ACol, ARow, editor);
    return editor == edComboEdit || editor == edComboList;
}

// Whether the cell shows spin buttons without being edited: the event replaces the rule.
bool TNovaStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool has = false;
    if (OnHasSpinEdit) {
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->SpinButtonsAlwaysVisible())
        return false;
    TEditorType editor = FDefaultEditor;
    GetCellEditorType(ACol, ARow, editor);
    return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit || editor == edDateSpinEdit;
}

void TNovaStringGrid::GetCheckTrue(int ACol, int ARow, QString &Value)
{
    Value = FCheckTrue;
    FireEvent(OnGetCheckTrue, this, ACol, ARow, Value);
}

void TNovaStringGrid::GetCheckFalse(int ACol, int ARow, QString &Value)
{
    Value = FCheckFalse;
    FireEvent(OnGetCheckFalse, this, ACol, ARow, Value);
}

bool TNovaStringGrid::GetColumnFilter(int ACol)
{
    FFilterList.clear();
    if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
        auto entry = [](const QString &text) { return MakeFilterEntry(text); };
        QStringList values;
        for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
            values << entry(Cells(ACol, r).trimmed());
        if (!FFilterIncremental)
            for (int i = 0; i < FGridItems.Count(); ++i)
                if (FGridItems.Items(i)->Filtered())
                    values << entry(FGridItems.Items(i)->Text(ACol));
        // A sorted list that ignores duplicates, compared without regard to case.
        values.sort(Qt::CaseInsensitive);
        for (const QString &v : values)
            if (FFilterList.isEmpty() || FFilterList.last().compare(v, Qt::CaseInsensitive) != 0)
                FFilterList << v;
        if (!FFilterDropDownClear.isEmpty())
            FFilterList.prepend(FFilterDropDownClear);
    }
    FireEvent(OnGetColumnFilter, this, ACol, FFilterList);
    return !FFilterList.isEmpty();
}

// ---- other operations of the same family -------------------------------------------------------------

void TNovaStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
    FireEvent(OnCheckBoxClick, this, ACol, ARow, State);
}

void TNovaStringGrid::DoClickSort(int ACol)
{
    FireEvent(OnClickSort, this, ACol);
}

void TNovaStringGrid::DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString)
{
    FireEvent(OnPrintGetPageNum, this, PageNum, PageColNum, PageNumString);
}

bool TNovaStringGrid::CanShowFixedDropDown(int ACol)
{
    bool canShow = true;
    FireEvent(OnCanShowFixedDropDown, this, ACol, canShow);
    return canShow;
}

void TNovaStringGrid::DoStartBlockFocus()
{
    FireEvent(OnStartBlockFocus, this);
}

void TNovaStringGrid::DoEndBlockFocus()
{
    FireEvent(OnEndBlockFocus, this);
}

void TNovaStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
    FireEvent(OnScrollCell, this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

void TNovaStringGrid::DoSelectAll() {}
void TNovaStringGrid::MouseActionsChanged() {}
void TNovaStringGrid::NavigationChanged() {}

void TNovaStringGrid::MouseActionsInvalidate()
{
    InvalidateGrid();
}

void TNovaStringGrid::ClearEditingOption()
{
    TGridOptions o = Options();
    o.Exclude(goEditing);
    SetOptions(o);
}

bool TNovaStringGrid::IsDesigning(bool &Designing)
{
    Designing = FDesigning;
    return FDesigning;
}

void TNovaStringGrid::SetEditedCellText(int ACol, int ARow, const QString &Value)
{
    TBaseGrid::SetEditText(DisplColIndex(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

// ---- operations built on the hooks -----------------------------------------------------------------

bool TNovaStringGrid::IsEditable(int ACol, int ARow)
{
    if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable)
        return false;
    return IsEditableCell(ACol, ARow);
}

bool TNovaStringGrid::IsEditableCell(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    bool canEdit = true;
    CheckCanEditCell(b.X, b.Y, canEdit);
    bool isFixed = false;
    IsFixedCell(b.X, b.Y, isFixed);
    return canEdit && !isFixed;
}

bool TNovaStringGrid::IsFixed(int ACol, int ARow)
{
    int real = RealColIndex(ACol);
    if (real < 0)
        real = ACol;
    const TPoint b = BaseCell(real, ARow);
    const int c = DisplColIndex(b.X);
    if (b.Y >= RowCount() - FFixedFooters)
        return true;
    if (c >= ColCount() - FFixedRightCols)
        return true;
    bool isFixed = false;
    IsFixedCell(c, b.Y, isFixed);
    return isFixed;
}

bool TNovaStringGrid::QueryPasswordCell(int ACol, int ARow)
{
    bool isPassword = false;
    IsPasswordCell(ACol, ARow, isPassword);
    return isPassword;
}
