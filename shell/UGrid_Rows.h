#pragma once
// Row operations shared by the table windows: delete, insert, copy and paste one row through the
// program-wide row clipboard (Row_Clipboard, Row_Clipboard_Check of UComon), Enter moving to the
// next cell, and a double click on a column title sizing that column.
// Row 0 is the title row and column 0 the row-number column: neither is touched. The data cells
// of a row are columns 1 to ColCount + NumHiddenColumns - 1, the hidden columns included.
class QWidget;
class TNovaColumnGrid;
class TNovaStringGrid;

void ColGrid_Delete_Row(int row, TNovaColumnGrid *grid);
void ColGrid_Insert_Row(int row, TNovaColumnGrid *grid, bool SetEnable);
void ColGrid_Copy_Row(TNovaColumnGrid *grid, int row);
void ColGrid_Paste_Row(TNovaColumnGrid *grid, int row, bool Copied);

void StrGrid_Delete_Row(int row, TNovaStringGrid *grid, bool SetEnable);
void StrGrid_Insert_Row(int row, TNovaStringGrid *grid, bool SetEnable);
void StrGrid_Copy_Row(TNovaStringGrid *grid, int row);
void StrGrid_Paste_Row(TNovaStringGrid *grid, int row, bool Copied);

// Double-click handler: sizes the column when the title row was clicked and the option is on.
void Grid_AutoSize_Col(TNovaStringGrid *grid, int row, int col);
// Key-press handler: with the option on, Enter moves to the next cell and is consumed (key := 0).
void Grid_Enter_Next_Cell(TNovaStringGrid *grid, char16_t &key);
