// The in-place editor controls, kept for the grid's lifetime (the grid is owner and parent); the
// drop-down editors are made the first time they are asked for.
#include "grid/DropDownEditorRegistry.h"
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

// ---- drop-down editors ------------------------------------------------------------------------------

TDropDownCellEditor *TNovaStringGrid::*TNovaStringGrid::dropDownField(TEditorType Kind)
{
    switch (Kind) {
    case edTrackbarDropDown: return &TNovaStringGrid::FEditTrackBar;
    case edMemoDropDown: return &TNovaStringGrid::FEditMemo;
    case edCalculatorDropDown: return &TNovaStringGrid::FEditCalculator;
    case edTimePickerDropDown: return &TNovaStringGrid::FEditTimePicker;
    case edDetailDropDown: return &TNovaStringGrid::FEditDetailPicker;
    case edGridDropDown: return &TNovaStringGrid::FEditGridPicker;
    case edColorPickerDropDown: return &TNovaStringGrid::FEditColorPicker;
    case edImagePickerDropDown: return &TNovaStringGrid::FEditImagePicker;
    case edNovaGridDropDown: return &TNovaStringGrid::FEditNovaGridPicker;
    default: return nullptr;
    }
}

TDropDownCellEditor *TNovaStringGrid::ExistingDropDownEditor(TEditorType Kind) const
{
    const auto field = dropDownField(Kind);
    return field ? this->*field : nullptr;
}

TDropDownCellEditor *TNovaStringGrid::DropDownEditor(TEditorType Kind)
{
    const auto field = dropDownField(Kind);
    if (!field) return nullptr;
    TDropDownCellEditor *&e = this->*field;
    if (e) return e;
    e = MakeDropDownEditor(Kind, *this);
    if (!e) return nullptr;
    e->FKind = Kind;
    QWidget *w = e->Widget();
    if (w->parentWidget() != this) w->setParent(this);
    w->hide();
    e->Style().SetComponentStyle(FComponentStyle);
    e->Tones().SetColorTones(FColorTones);
    return e;
}

void TNovaStringGrid::MemoDropDownChange()
{
    if (FEditMemo) SetEditText(Col(), Row(), FEditMemo->CellText());
}

void TNovaStringGrid::DoDropDownHeaderButtonClick(int ButtonIndex)
{
    FireEvent(OnDropDownHeaderButtonClick, this, Col(), Row(), ButtonIndex);
}

void TNovaStringGrid::DoDropDownFooterButtonClick(int ButtonIndex)
{
    FireEvent(OnDropDownFooterButtonClick, this, Col(), Row(), ButtonIndex);
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
    for (int k = edTrackbarDropDown; k <= edNovaGridDropDown; ++k)
        if (TDropDownCellEditor *e = ExistingDropDownEditor(TEditorType(k))) {
            if (e->DroppedDown()) e->ClosePopup(true);
            e->Widget()->hide();
        }
}
