// The hooks every export and import goes through, and the rows the keyboard adds and removes.
#include "grid/NovaGrid.h"

#include "grid/base/MarkupHelpers.h"
#include "grid/base/VedAzirText.h"

QString TNovaStringGrid::GetSaveCellText(int ACol, int ARow)
{
    QString s = SaveVirtCells() ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (s.isEmpty()) {
        // A check box without text of its own exports its state.
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox) {
            bool state = false;
            GetCheckBoxState(ACol, RealRowIndex(ARow), state);
            state ? GetCheckTrue(ACol, ARow, s) : GetCheckFalse(ACol, ARow, s);
        } else if (t == ctTriStateCheckBox) {
            TCheckBoxState state = TNovaCheckBox::cbUnchecked;
            GetCheckBoxState(ACol, RealRowIndex(ARow), state);
            state == TNovaCheckBox::cbChecked ? GetCheckTrue(ACol, ARow, s) : GetCheckFalse(ACol, ARow, s);
        }
    }
    switch (GetTextKind(s, true)) {
    case tkHTML:
        if (!SaveWithHTML())
            s = StripMarkup(s);
        break;
    case tkRTF:
        if (SaveWithRTF())
            s.remove(kCR).remove(kLF);
        break;
    default:
        break;
    }
    FireEvent(OnSaveCell, this, ACol, ARow, s);
    return s;
}

void TNovaStringGrid::LoadCellText(int ACol, int ARow, const QString &Value)
{
    QString v = Value;
    FireEvent(OnLoadCell, this, ACol, ARow, v);
    SetGridCell(ACol, ARow, v);
}

void TNovaStringGrid::ExportNotification(int, int) {}
void TNovaStringGrid::ImportNotification(int, int) {}

void TNovaStringGrid::AutoInsertRow(int ARow) { InsertRows(ARow, 1); }

void TNovaStringGrid::AutoDeleteRow(int ARow)
{
    // The last data row stays, emptied, unless the grid may lose it.
    if (RowCount() - FixedRows() - FixedFooters() == 1 && !FixedRowAlways())
        ClearRect(0, ARow, AllColCount() - 1, ARow);
    else
        RemoveRowsInternal(ARow, 1);
    FireEvent(OnAutoDeleteRow, this, ARow);
}
