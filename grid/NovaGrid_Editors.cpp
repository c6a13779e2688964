// The in-place editor controls, each made the first time it is asked for and kept for the
// grid's lifetime (the grid is owner and parent).
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <initializer_list>

TGridCombo *TNovaStringGrid::Combo()
{
    if (!FEditCombo) {
        FEditCombo = new TGridCombo(this);
        FEditCombo->SetIsWinXP(FIsWinXP);
        FEditCombo->SetIsVista(FIsWinVista && FIsComCtl6);
    }
    return FEditCombo;
}

TGridCheckBox *TNovaStringGrid::EditCheck()
{
    if (!FEditCheck) FEditCheck = new TGridCheckBox(this);
    return FEditCheck;
}

TGridEditBtn *TNovaStringGrid::EditBtn()
{
    if (!FEditBtn) {
        FEditBtn = new TGridEditBtn(this);
        FEditBtn->SetButtonCaption(QStringLiteral("..."));
        FEditBtn->SetBorderStyle(editorkit::bsNone);
        FEditBtn->SetIsWinXP(FIsWinXP);
    }
    return FEditBtn;
}

TGridUnitEditBtn *TNovaStringGrid::UnitEditBtn()
{
    if (!FUnitEditBtn) {
        FUnitEditBtn = new TGridUnitEditBtn(this);
        FUnitEditBtn->SetButtonCaption(QStringLiteral("..."));
        FUnitEditBtn->SetBorderStyle(editorkit::bsNone);
    }
    return FUnitEditBtn;
}

TGridButton *TNovaStringGrid::GridButton()
{
    if (!FGridButton) FGridButton = new TGridButton(this);
    return FGridButton;
}

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
