#pragma once
// The EtherCAT slave's variables ("EtherCAT_Slave.xml"): a slave-to-master and a master-to-slave
// table, each row one variable with its type and length, and its byte position, start bit and group
// computed by the window. Move Up and Move Down reorder the rows; Import fills both tables from the
// IO-Link channel table. Opened by the main window's hidden "EtherCAT Set Access".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

#include <vector>

// The window data comes first: the description is built from it before the frame.
class TFEtherCATSlave : public TEtherCAT_Slave_State, public TTable_Window {
public:
    explicit TFEtherCATSlave(QWidget *parent = nullptr);

    void Set_Lang() override;
    // Once, at creation: the Type list, the Enable boxes, the row numbers, the read-only cells.
    void Init_Table();
    // Move Up and Move Down (Sender tells which) on the current row of the table shown.
    void Btn_MoveClick(QObject *Sender);
    // Replaces both tables with the rows the IO-Link channel table gives; writes nothing.
    void Btn_Import_IO_LinkClick();

    // Grid events of both tables.
    void NSG_SlaveMasterGetEditorType(QObject *Sender, int ACol, int ARow, TEditorType &AEditor);
    void NSG_SlaveMasterComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);
    void NSG_SlaveMasterCellValidate(QObject *Sender, int ACol, int ARow, QString &Value, bool &Valid);
    void NSG_SlaveMasterCheckBoxChange(QObject *Sender, int ACol, int ARow, bool State);
    void ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) override
    {
        NSG_SlaveMasterComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    }

    TNovaStringGrid *NSG_SlaveMaster = nullptr;
    TNovaStringGrid *NSG_MasterSlave = nullptr;
    QWidget *TS_SlaveToMaster = nullptr;
    QWidget *TS_MasterToSlave = nullptr;
    TLbButton *Btn_MoveUp = nullptr;
    TLbButton *Btn_MoveDown = nullptr;
    TLbButton *Btn_Import_IO_Link = nullptr;

protected:
    void Row_Button_Done(TRowButton button, TNovaStringGrid *grid) override;

private:
    TEtherCAT_Direction direction(const QObject *grid) const;
    const std::vector<TGroup> &groups(TEtherCAT_Direction d) const;
    void regroup(TNovaStringGrid *grid);
    void layOut(TNovaStringGrid *grid);
    std::vector<TGetEditorTypeEvent> m_editorTypes; // each table's own choice of editors, by grid
};

// The window of the program, created at start (nullptr until then).
inline TFEtherCATSlave *FEtherCATSlave = nullptr;
