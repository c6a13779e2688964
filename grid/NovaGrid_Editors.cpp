// The in-place editor controls, kept for the grid's lifetime (the grid is owner and parent).
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <initializer_list>

// The combo, check box, button editors and the grid button are made with the grid; the spin
// editor and the pickers on first use.
TGridCombo *TNovaStringGrid::Combo() { return FEditCombo; }
TGridCheckBox *TNovaStringGrid::EditCheck() { return FEditCheck; }
TGridEditBtn *TNovaStringGrid::EditBtn() { return FEditBtn; }
TGridUnitEditBtn *TNovaStringGrid::UnitEditBtn() { return FUnitEditBtn; }
TGridButton *TNovaStringGrid::GridButton() { return FGridButton; }

TGridSpin *TNovaStringGrid::SpinEdit()
{
    if (!FEditSpin) {
        FEditSpin = new TGridSpin(this);
        FEditSpin->setEnabled(false);
        FEditSpin->hide();
        FEditSpin->SetBorderStyle(editorkit::bsNone);
        FEditSpin->SetIsWinXP(FIsWinXP);
    }
    return FEditSpin;
}

TGridDatePicker *TNovaStringGrid::DateTimePicker()
{
    if (!FEditDate) {
        FEditDate = new TGridDatePicker(this);
        FEditDate->OnCloseUp = [this](QObject *) { DatePickerCloseUp(); };
        FEditDate->OnDropDown = [this](QObject *) { DatePickerDropDown(); };
        FEditDate->OnPickerChange = [this](QObject *) { DatePickerChange(); };
    }
    return FEditDate;
}

TGridDateTimePicker *TNovaStringGrid::DateAndTimePicker()
{
    if (!FEditDateTime) {
        FEditDateTime = new TGridDateTimePicker(this);
        FEditDateTime->SetAutoTab(true);
        FEditDateTime->OnValueChange = [this](QObject *) { DateAndTimePickerChange(); };
    }
    return FEditDateTime;
}

void TNovaStringGrid::ReleaseEditors()
{
    QWidget *f = QApplication::focusWidget();
    if (f && f != this && isAncestorOf(f)) f->clearFocus();
    FEditMode = false;
    FEditing = false;
    for (QWidget *w : std::initializer_list<QWidget *>{InplaceEditor(), FEditCombo, FEditCheck, FEditBtn, FUnitEditBtn,
                                                        FGridButton, FEditSpin, FEditDate, FEditDateTime})
        if (w) w->hide();
}
