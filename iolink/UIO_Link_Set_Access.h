#pragma once
// Step 3's window: one row per IO-Link port of the device variant, the IODD of each port taken from
// the catalog, and the tabs that show and edit the chosen port's process data, variables, pins,
// events, identity and transport layer. The channels themselves, their placement, checks and file
// are the channel table model; the window shows it and writes the user's edits into it.
#include "iolink/UIO_Link_Channels.h"
#include "shell/TFrameWindow.h"

#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QSplitter;
class QTabWidget;
class TNovaColumnGrid;
class TNovaStringGrid;

class TFIO_Link_Set_Access : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFIO_Link_Set_Access(QWidget *parent = nullptr);
    ~TFIO_Link_Set_Access() override;

    // ---- the channel table the window shows (owned) -----------------------------------------------
    TIOLink_Channel_Table Table;
    const TIODD *IODD = nullptr;  // the model last shown on the transport-layer tab (not owned)

    // Rebuilds the channels from the configuration's files; false (with the message shown) when
    // "ParGen.xml" or the channel file cannot be read.
    bool FormShow();
    // Step 3 of the main window: the channels are rebuilt, then the window is shown modally.
    int Edit_Configuration();
    void Set_Lang() override;
    // OK: the checks, then names and types, then the file; the window stays open when either fails.
    bool OK_Check() override;

    // ---- showing a channel ------------------------------------------------------------------------
    void Show_Data_IODD(int index);
    void Erase_Values();
    void Show_Data_IO_Options(int index);
    void Show_Data_Events(int index);
    void Show_Data_DeviceIdentity(int index);
    void Show_Data_TransportLayer(int index);
    void Show_Data_Variables(int index);
    void Show_Data_ProcessData(int index);
    void Init_Var_Table();

    // ---- assigning and removing an IODD -----------------------------------------------------------
    // Lets the user choose an IODD in the catalog for the channel of grid row ARoW (1 = first).
    void Insert_IODD_File(int ARoW);
    // Steps after the catalog: copies the catalog file, decodes it, rebuilds and places the
    // channel's entries and shows it. A file that cannot be read leaves the channel as it was and
    // shows the reader's message.
    bool Assign_Catalog_File(int ARoW, const QString &fileName);
    void Btn_InsIODDClick();
    void Btn_DelIODDClick();
    // How the catalog is asked for a file: by default the catalog window; empty when the user
    // cancelled.
    std::function<std::optional<QString>()> Choose_Catalog_File;

    // ---- handlers the grids call ------------------------------------------------------------------
    void NCG_IODDClickCell(int ARow, int ACol);
    void NCG_IODDDblClickCell(int ARow, int ACol);
    void NCG_IODDCellValidate(int ACol, int ARow, const QString &Value);
    void NCG_IODDCheckBoxChange(int ACol, int ARow, bool State);
    void NCG_IODDComboChange(int ACol, int ARow, int AItemIndex, const QString &ASelection);
    void NCG_IO_OptionsCellValidate(int ACol, int ARow, const QString &Value);
    void NCG_IO_OptionsCheckBoxChange(int ACol, int ARow, bool State);
    void NCG_IO_OptionsComboChange(int ACol, int ARow, int AItemIndex, const QString &ASelection);
    void NCG_EventsCellValidate(int ACol, int ARow, const QString &Value);
    void NCG_EventsCheckBoxChange(int ACol, int ARow, bool State);
    void NSG_VarCellValidate(int ACol, int ARow, const QString &Value);
    void NSG_VarCheckBoxClick(int ACol, int ARow, bool State);
    void NCG_ProcessDataInCellValidate(int ACol, int ARow, const QString &Value);
    void NCG_ProcessDataOutCellValidate(int ACol, int ARow, const QString &Value);
    void CB_PD_ConditionListChange();

    // The channel of the channel grid's current data row, -1 on the title row or without channels.
    int Current_Channel() const;
    // The channel whose data the tabs show (-1 before any); the tabs' edits go into it.
    int Shown_Channel() const { return m_shown; }

    // ---- controls (owned through Qt parenting) ----------------------------------------------------
    QWidget *P_Channels = nullptr;
    QLabel *L_Channels = nullptr;
    TNovaColumnGrid *NCG_IODD = nullptr;
    QSplitter *Splitter1 = nullptr;
    QTabWidget *PC_Device = nullptr;
    QWidget *TS_ProcessData = nullptr, *TS_Variables = nullptr, *TS_IO_Options = nullptr;
    QWidget *TS_Events = nullptr, *TS_DeviceIdentity = nullptr, *TS_TransportLayer = nullptr;
    QWidget *P_PD_Condition = nullptr;
    QLabel *L_PD_Condition = nullptr;
    QComboBox *CB_PD_ConditionList = nullptr;
    QTabWidget *PC_ProcessData = nullptr;
    QWidget *TS_PD_In = nullptr, *TS_PD_Out = nullptr;
    TNovaColumnGrid *NCG_ProcessDataIn = nullptr;
    TNovaColumnGrid *NCG_ProcessDataOut = nullptr;
    TNovaStringGrid *NSG_Var = nullptr;
    TNovaColumnGrid *NCG_IO_Options = nullptr;
    TNovaColumnGrid *NCG_Events = nullptr;
    QLabel *L_Identity[7] = {};        // captions: vendor id, vendor name, device id, vendor text,
    QLabel *L_Identity_Value[7] = {};  // vendor URL, device name, device family
    QLabel *L_DevVarColl = nullptr;
    TNovaColumnGrid *NCG_DevIde_DevVarColl = nullptr;
    QLabel *L_Transport[4] = {};  // captions: bit rate, min cycle time, SIO supported, M-sequence
    QLabel *L_Transport_Value[4] = {};
    TLbButton *Btn_InsIODD = nullptr;
    TLbButton *Btn_DelIODD = nullptr;
    TLbButton *Button1 = nullptr;  // hidden, without function

    static constexpr int kClientWidth = 1270, kClientHeight = 700;

private:
    void FormCreate();
    void Set_Position_Modificable();
    void Show_Channel_Row(int index);
    int Show_Data_Var_Grid(int Num_Row, const TVariable &aVar, const TVariable *refVar, bool VarRef,
                           const TIODD &iodd, bool FirstColor, int index);
    void Row_Colors(int Num_Row, bool FirstColor);
    void SetEditableCells(int RowNum);
    void Show_ProcessData_Grid(TNovaColumnGrid *grid, const TProcessDataInOut &aPD, const TIODD &iodd, int index);
    void ProcessData_CellValidate(bool in, int ACol, int ARow, const QString &Value);
    void Clear_Grid(TNovaStringGrid *grid);
    // The variable entry of a grid row of the shown channel, none when the row matches no entry.
    TVarObjValue *Var_Entry(int ARow);
    void Var_Box(int ACol, int ARow, bool State);
    bool Var_Box_State(int ACol, int ARow) const;
    int m_shown = -1;
    bool m_showing = false;  // the window fills its grids; the grids' events change nothing meanwhile
};

inline TFIO_Link_Set_Access *FIO_Link_Set_Access = nullptr;
