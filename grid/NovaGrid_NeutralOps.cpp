// Virtual operations whose concern (footer, editing, graphics, filtering, sorting, grouping,
// row operations, clipboard, files, printing) is not built yet. Each keeps a neutral body here
// (nothing happens, the caller's preset stands, or the plain answer is given) until the file of
// its concern takes it over.
#include "grid/NovaGrid.h"

void TNovaStringGrid::DoF2Key() {}
void TNovaStringGrid::SetPastedCell(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

void TNovaStringGrid::ProcessEditText(int, int, QString &) {}
void TNovaStringGrid::ColumnHeadersChanged() {}
void TNovaStringGrid::PasteBegin() {}
void TNovaStringGrid::PasteEnd() {}
void TNovaStringGrid::CellsPasted(const TGridRect &) {}
void TNovaStringGrid::GetFormulaValue(int, int, QString &) {}
TPoint TNovaStringGrid::GetUsedCells() { return {AllColCount(), AllRowCount()}; }
void TNovaStringGrid::MouseWheelRowMoved() {}
void TNovaStringGrid::IncRowCount(int Count) { SetRowCount(RowCount() + Count); }
void TNovaStringGrid::CellSelectorClick() {}
void TNovaStringGrid::FormulaEditChanged() {}
void TNovaStringGrid::SelectAllClicked() {}
void TNovaStringGrid::InplaceEditKeyDown(int &, Qt::KeyboardModifiers) {}
void TNovaStringGrid::InplaceEditWMKeyDown(int &) {}
bool TNovaStringGrid::UseGridClipboardFormat() { return false; }
void TNovaStringGrid::PaintDesignHelper() {}
void TNovaStringGrid::DesignHelperClick() {}
void TNovaStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State) { FireEvent(OnCheckBoxChange, this, ACol, ARow, State); }
void TNovaStringGrid::DoRatingChange(int, int, int) {}
void TNovaStringGrid::DoColorSelect(int, int, TColor &) {}
void TNovaStringGrid::DoImageSelect(int, int, int &) {}
void TNovaStringGrid::SubGroup(int) {}
void TNovaStringGrid::SubUnGroup() {}
void TNovaStringGrid::Group(int) {}
void TNovaStringGrid::UnGroup() {}
void TNovaStringGrid::CopySelectionToClipboard() {}
void TNovaStringGrid::CutSelectionToClipboard() {}
void TNovaStringGrid::PasteSelectionFromClipboard() {}
void TNovaStringGrid::ShowCellControlEditor(const QString &, const QString &, int, int, int, const TRect &,
                                            const QString &, const QString &) {}

void TNovaStringGrid::SaveColPositions() {}
void TNovaStringGrid::LoadColPositions() {}
void TNovaStringGrid::QSortGroup() {}
void TNovaStringGrid::QSortGroupIndexed() {}

// Row nodes: spans and parents come with the node operations.
int TNovaStringGrid::GetNodeSpan(int) { return 0; }
int TNovaStringGrid::GetParentRow(int) { return -1; }
bool TNovaStringGrid::GetNodeState(int) { return false; }
void TNovaStringGrid::ExpandNode(int) {}
void TNovaStringGrid::ContractNode(int) {}
void TNovaStringGrid::RemoveAllNodes() {}
