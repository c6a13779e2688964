#include "shell/UGrid_Rows.h"

#include "grid/NovaColumnGrid.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

constexpr int kRowUsedQuestion = 1500;
constexpr int kCopyMismatch = 1501;
constexpr int kNothingCopied = 1502;

int dataColumns(TNovaStringGrid *grid)
{
    return grid->ColCount() + grid->NumHiddenColumns() - 1;
}

bool isCheckBoxCell(TNovaStringGrid *grid, int col, int row, bool &state)
{
    return grid->GetCheckBoxState(col, row, state);
}

// Moves one cell: a check box carries its state, any other cell its text.
void moveCell(TNovaStringGrid *grid, int col, int fromRow, int toRow)
{
    bool state = false;
    if (isCheckBoxCell(grid, col, fromRow, state))
        grid->SetCheckBoxState(col, toRow, state);
    else
        grid->SetCells(col, toRow, grid->Cells(col, fromRow));
}

// Check boxes unticked (column 1 ticked when SetEnable), every other cell emptied.
void resetStrRow(TNovaStringGrid *grid, int row, int n, bool SetEnable)
{
    for (int c = 1; c <= n; ++c) {
        bool state = false;
        if (isCheckBoxCell(grid, c, row, state))
            grid->SetCheckBoxState(c, row, SetEnable && c == 1);
        else
            grid->SetCells(c, row, QString());
    }
}

// Steps shared by both pastes: a copy must exist in this grid and match its columns.
bool pasteAllowed(int n, bool Copied, QWidget *parent)
{
    if (!Copied) {
        platform::showError(LT(kNothingCopied), parent);
        return false;
    }
    if (n != Row_Clipboard.size()) {
        platform::showError(LT(kCopyMismatch), parent);
        return false;
    }
    return true;
}

bool overwriteConfirmed(bool used, QWidget *parent)
{
    return !used || platform::askYesNo(LT(kRowUsedQuestion), parent) == platform::Answer::Yes;
}

} // namespace

void ColGrid_Delete_Row(int row, TNovaColumnGrid *grid)
{
    const int n = dataColumns(grid);
    const int last = grid->RowCount() - 1;
    for (int k = row; k <= last - 1; ++k)
        for (int c = 1; c <= n; ++c)
            grid->SetCells(c, k, grid->Cells(c, k + 1));
    for (int c = 1; c <= n; ++c)
        grid->SetCells(c, last, QString());
}

void ColGrid_Insert_Row(int row, TNovaColumnGrid *grid, bool SetEnable)
{
    const int n = dataColumns(grid);
    for (int k = grid->RowCount() - 2; k >= row; --k)
        for (int c = 1; c <= n; ++c)
            grid->SetCells(c, k + 1, grid->Cells(c, k));
    for (int c = 1; c <= n; ++c)
        grid->SetCells(c, row, c == 1 && SetEnable ? QStringLiteral("Y") : QString());
}

void ColGrid_Copy_Row(TNovaColumnGrid *grid, int row)
{
    const int n = dataColumns(grid);
    Row_Clipboard.clear();
    for (int c = 1; c <= n; ++c)
        Row_Clipboard.append(grid->Cells(c, row));
}

void ColGrid_Paste_Row(TNovaColumnGrid *grid, int row, bool Copied)
{
    const int n = dataColumns(grid);
    if (!pasteAllowed(n, Copied, grid))
        return;
    bool used = false;
    for (int c = 1; c <= n && !used; ++c) {
        const TGridColumnItem *item = c < grid->Columns()->Count() ? grid->Columns()->GetItem(c) : nullptr;
        if (item && item->Editor() == edDataCheckBox)
            continue;
        used = !Trim_Text(grid->Cells(c, row)).isEmpty();
    }
    if (!overwriteConfirmed(used, grid))
        return;
    for (int c = 1; c <= n; ++c)
        grid->SetCells(c, row, Row_Clipboard.at(c - 1));
}

void StrGrid_Delete_Row(int row, TNovaStringGrid *grid, bool SetEnable)
{
    const int n = dataColumns(grid);
    const int last = grid->RowCount() - 1;
    for (int k = row; k <= last - 1; ++k)
        for (int c = 1; c <= n; ++c)
            moveCell(grid, c, k + 1, k);
    resetStrRow(grid, last, n, SetEnable);
}

void StrGrid_Insert_Row(int row, TNovaStringGrid *grid, bool SetEnable)
{
    const int n = dataColumns(grid);
    for (int k = grid->RowCount() - 2; k >= row; --k)
        for (int c = 1; c <= n; ++c)
            moveCell(grid, c, k, k + 1);
    resetStrRow(grid, row, n, SetEnable);
}

void StrGrid_Copy_Row(TNovaStringGrid *grid, int row)
{
    const int n = dataColumns(grid);
    Row_Clipboard.clear();
    Row_Clipboard_Check.assign(std::size_t(std::max(n, 0)), false);
    for (int c = 1; c <= n; ++c) {
        bool state = false;
        if (isCheckBoxCell(grid, c, row, state)) {
            Row_Clipboard_Check[std::size_t(c - 1)] = true;
            Row_Clipboard.append(state ? QStringLiteral("Y") : QStringLiteral("N"));
        } else {
            Row_Clipboard.append(grid->Cells(c, row));
        }
    }
}

void StrGrid_Paste_Row(TNovaStringGrid *grid, int row, bool Copied)
{
    const int n = dataColumns(grid);
    if (!pasteAllowed(n, Copied, grid))
        return;
    // Blanks count here: a cell holding only spaces is in use.
    bool used = false;
    for (int c = 1; c <= n && !used; ++c) {
        bool state = false;
        if (!isCheckBoxCell(grid, c, row, state))
            used = !grid->Cells(c, row).isEmpty();
    }
    if (!overwriteConfirmed(used, grid))
        return;
    for (int c = 1; c <= n; ++c) {
        const QString &entry = Row_Clipboard.at(c - 1);
        // Flags come from the last string-grid copy; a column without one pastes as text.
        const bool isCheck = std::size_t(c - 1) < Row_Clipboard_Check.size() && Row_Clipboard_Check[std::size_t(c - 1)];
        if (isCheck)
            grid->SetCheckBoxState(c, row, entry == QStringLiteral("Y"));
        else
            grid->SetCells(c, row, entry);
    }
}

void Grid_AutoSize_Col(TNovaStringGrid *grid, int row, int col)
{
    if (Opt_Double_Click_Auto_Size && row == 0)
        grid->AutoSizeCol(col, 0);
}

void Grid_Enter_Next_Cell(TNovaStringGrid *grid, char16_t &key)
{
    if (!Opt_Enable_Jump_Field_Tables || key != 13)
        return;
    if (grid->Col() > 0 && grid->Row() > 0) {
        if (grid->Col() < grid->ColCount() - 1) {
            grid->SetCol(grid->Col() + 1);
        } else {
            grid->SetCol(1);
            grid->SetRow(grid->Row() < grid->RowCount() - 1 ? grid->Row() + 1 : 1);
        }
    }
    key = 0;
}
