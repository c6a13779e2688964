// Virtual operations whose concern (footer, editing, graphics, filtering, sorting, grouping,
// row operations, clipboard, files, printing) is not built yet. Each keeps a neutral body here
// (nothing happens, the caller's preset stands, or the plain answer is given) until the file of
// its concern takes it over.
#include "grid/NovaGrid.h"

void TNovaStringGrid::DoF2Key() {}

void TNovaStringGrid::ProcessEditText(int, int, QString &) {}
void TNovaStringGrid::ColumnHeadersChanged() {}
void TNovaStringGrid::GetFormulaValue(int, int, QString &) {}
TPoint TNovaStringGrid::GetUsedCells() { return {AllColCount(), AllRowCount()}; }
void TNovaStringGrid::IncRowCount(int Count) { SetRowCount(RowCount() + Count); }
void TNovaStringGrid::CellSelectorClick() {}
void TNovaStringGrid::FormulaEditChanged() {}
void TNovaStringGrid::SelectAllClicked() {}
void TNovaStringGrid::InplaceEditKeyDown(int &, Qt::KeyboardModifiers) {}
void TNovaStringGrid::InplaceEditWMKeyDown(int &) {}
void TNovaStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State) { FireEvent(OnCheckBoxChange, this, ACol, ARow, State); }
