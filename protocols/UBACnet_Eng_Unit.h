#pragma once
// The picker of a BACnet object's engineering unit: a group, then a unit of it; "Select Engineering
// Unit" puts the unit's code into the field and its name beside it. The BACnet tables open it from
// their Eng. Unit cells: they set the field and the name themselves, show the picker modally and, on
// OK, take the field's text (a chosen code, or what was typed there).
#include "shell/TFrameWindow.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

class TFBACnet_Eng_Unit : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFBACnet_Eng_Unit(QWidget *parent = nullptr);

    void Set_Lang() override;
    // The showing: the unit list of the group the type list shows, its first unit selected.
    void FormShow();
    // A group chosen: its units, the first selected; the field and the name stay.
    void CB_Select_TypeSelect();
    // The selected unit's code into the field, "-> " and its name into Label5.
    void Btn_Select_Eng_UnitClick();
    // The name of a code, as Label5 shows it.
    static QString Desc_Unit(int Num_Unit);

    QLabel *Label1 = nullptr; // "Selected BACnet Engineering Unit"
    QLineEdit *E_Selected_EU = nullptr;
    QLabel *Label5 = nullptr; // "-> " and the unit's name
    QFrame *Shape1 = nullptr;
    QLabel *Label2 = nullptr; // "Select a New BACnet Engineering Unit"
    QLabel *Label3 = nullptr; // "Select the Type"
    QComboBox *CB_Select_Type = nullptr;
    QLabel *Label4 = nullptr; // "Select Unit"
    QComboBox *CB_Select_Unit = nullptr;
    TLbButton *Btn_Select_Eng_Unit = nullptr;
    QFrame *Shape2 = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void FormCreate();
};

// The window of the program, created at start (nullptr until then).
inline TFBACnet_Eng_Unit *FBACnet_Eng_Unit = nullptr;
