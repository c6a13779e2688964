#include "grid/CellControlEditors.h"

#include "grid/NovaGrid.h"

namespace {

// Return and Tab leave an embedded control: its value goes into the cell, then Return gives the
// focus back to the grid and Tab moves on (to the next cell with automatic advance, else to the
// next control of the cell). True when the key was one of them.
bool leaveControl(QWidget *control, QChar &key)
{
    auto *grid = dynamic_cast<TNovaStringGrid *>(control->parentWidget());
    if (!grid || (key != QChar(13) && key != QChar(9)))
        return false;
    const bool tab = key == QChar(9);
    key = QChar();
    grid->LeaveCellControl(tab);
    return true;
}

} // namespace

bool TControlEdit::WantSpecialKey(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return false;
    if (key == Qt::Key_Tab)
        return true;
    return TNovaMaskEdit::WantSpecialKey(key, shift);
}

void TControlEdit::KeyPress(QChar &key)
{
    if (!leaveControl(this, key))
        TNovaMaskEdit::KeyPress(key);
}

bool TControlCombo::WantSpecialKey(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_Tab)
        return true;
    return TNsgComboBox::WantSpecialKey(key, shift);
}

void TControlCombo::KeyPress(QChar &key)
{
    if (!leaveControl(this, key))
        TNsgComboBox::KeyPress(key);
}
