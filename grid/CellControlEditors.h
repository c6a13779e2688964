#pragma once
// The editors the string grid lays over an edit field or a combo box written into a marked-up
// cell. They differ from their bases only in how Return and Tab leave them, so that the user can
// walk from one embedded control of a cell to the next.
#include "grid/base/ComboEditor.h"
#include "grid/base/MaskEdit.h"

class TControlEdit : public TNovaMaskEdit {
public:
    using TNovaMaskEdit::TNovaMaskEdit;

protected:
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
};

class TControlCombo : public TNsgComboBox {
public:
    using TNsgComboBox::TNsgComboBox;

protected:
    bool WantSpecialKey(int key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
};
