#include "protocols/UEtherCATSlave.h"

#include "grid/NovaGrid.h"
#include "platform/Dialogs.h"
#include "protocols/UIOLink_Channel_Reader.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QTabWidget>

namespace {

constexpr int kImportCaption = 3763;
constexpr int kImportHint = 3764;
constexpr int kImportQuestion = 3765;
constexpr int kImportFull = 3766;

TLbButton *ecatButton(const char *name, const char *caption)
{
    auto *b = new TLbButton;
    b->setObjectName(QLatin1String(name));
    b->setText(QLatin1String(caption));
    return b;
}

} // namespace

TFEtherCATSlave::TFEtherCATSlave(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FEtherCATSlave"));
    Build_Table(EtherCAT_Slave_Table(*this));
    NSG_SlaveMaster = Grids[0];
    NSG_MasterSlave = Grids[1];
    TS_SlaveToMaster = Tab_Sheets[0];
    TS_MasterToSlave = Tab_Sheets[1];
    L_SW_Code->setText(SW_Code);
    // Right of the six row buttons; the move buttons keep their captions in every language.
    Btn_MoveUp = ecatButton("Btn_MoveUp", "Move Up");
    Btn_MoveDown = ecatButton("Btn_MoveDown", "Move Down");
    Btn_Import_IO_Link = ecatButton("Btn_Import_IO_Link", "Import IO Link");
    for (TLbButton *b : {Btn_MoveUp, Btn_MoveDown, Btn_Import_IO_Link}) addPanelButton(b);
    Btn_MoveUp->OnClick = [this](QObject *s) { Btn_MoveClick(s); };
    Btn_MoveDown->OnClick = [this](QObject *s) { Btn_MoveClick(s); };
    Btn_Import_IO_Link->OnClick = [this](QObject *) { Btn_Import_IO_LinkClick(); };
    for (TNovaStringGrid *g : Grids) {
        m_editorTypes.push_back(g->OnGetEditorType);
        g->OnGetEditorType = [this](QObject *s, int c, int r, TEditorType &e) { NSG_SlaveMasterGetEditorType(s, c, r, e); };
        g->OnCellValidate = [this](QObject *s, int c, int r, QString &v, bool &ok) { NSG_SlaveMasterCellValidate(s, c, r, v, ok); };
        g->OnCheckBoxChange = [this](QObject *s, int c, int r, bool on) { NSG_SlaveMasterCheckBoxChange(s, c, r, on); };
    }
    Group_StoM.clear();
    Group_MtoS.clear();
    PageControl1->setCurrentWidget(TS_SlaveToMaster);
    Set_Lang();
    Init_Table();
}

void TFEtherCATSlave::Set_Lang()
{
    TTable_Window::Set_Lang();
    Btn_Import_IO_Link->setText(LT(kImportCaption));
    Btn_Import_IO_Link->setToolTip(LT(kImportHint));
}

void TFEtherCATSlave::Init_Table()
{
    VarType = EtherCAT_Var_Types();
    for (TNovaStringGrid *g : Grids) g->AddCheckBoxColumn(kEtherCATEnableCol, true);
    Table_Clear(Desc, Grids);
}

TEtherCAT_Direction TFEtherCATSlave::direction(const QObject *grid) const
{
    return grid == NSG_MasterSlave ? TEtherCAT_Direction::MasterToSlave : TEtherCAT_Direction::SlaveToMaster;
}

const std::vector<TGroup> &TFEtherCATSlave::groups(TEtherCAT_Direction d) const
{
    return d == TEtherCAT_Direction::SlaveToMaster ? Group_StoM : Group_MtoS;
}

void TFEtherCATSlave::regroup(TNovaStringGrid *grid)
{
    const TEtherCAT_Direction d = direction(grid);
    Show_Group(*grid, d, groups(d));
}

void TFEtherCATSlave::layOut(TNovaStringGrid *grid) { Calc_Position_Bit(*grid, direction(grid)); }

// ---- grid events ----------------------------------------------------------------------------------------------

void TFEtherCATSlave::NSG_SlaveMasterGetEditorType(QObject *Sender, int ACol, int ARow, TEditorType &AEditor)
{
    // Each table's description offers the Type list in column 2, into that table's own editor.
    const size_t i = Sender == NSG_MasterSlave ? 1 : 0;
    if (i < m_editorTypes.size() && m_editorTypes[i]) m_editorTypes[i](Sender, ACol, ARow, AEditor);
}

void TFEtherCATSlave::NSG_SlaveMasterComboChange(QObject *Sender, int ACol, int ARow, int, const QString &ASelection)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    if (ACol != kEtherCATTypeCol || ARow < 1) return;
    VarSetLength(*g, ASelection, ARow);
    g->SetCells(kEtherCATTypeCol, ARow, ASelection);
    layOut(g);
}

void TFEtherCATSlave::NSG_SlaveMasterCellValidate(QObject *Sender, int ACol, int ARow, QString &Value, bool &)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    if (ARow < 1 || (ACol != kEtherCATEnableCol && ACol != kEtherCATTypeCol && ACol != kEtherCATLengthCol)) return;
    // The layout reads the cell: it takes the edited text before the grid stores it.
    g->SetCells(ACol, ARow, Value);
    layOut(g);
}

void TFEtherCATSlave::NSG_SlaveMasterCheckBoxChange(QObject *Sender, int ACol, int ARow, bool)
{
    if (ACol != kEtherCATEnableCol || ARow < 1) return;
    regroup(static_cast<TNovaStringGrid *>(Sender));
}

// ---- buttons ------------------------------------------------------------------------------------------------------

void TFEtherCATSlave::Row_Button_Done(TRowButton button, TNovaStringGrid *grid)
{
    // Rows moved under their Length cells: each cell's read-only state follows its row's type.
    auto lengthsFollow = [grid] {
        for (int r = 1; r < grid->RowCount(); ++r) Length_Follows_Type(*grid, r);
    };
    switch (button) {
    case TRowButton::Delete:
        lengthsFollow();
        regroup(grid);
        layOut(grid);
        break;
    case TRowButton::Insert:
        lengthsFollow();
        regroup(grid);
        break;
    case TRowButton::Paste: {
        // A pasted Array or String keeps the Length it was copied with; the other types get theirs.
        const int row = grid->Row();
        const QString type = Trim_Text(grid->Cells(kEtherCATTypeCol, row)).toUpper();
        if (type == QLatin1String("ARRAY") || type == QLatin1String("STRING"))
            Length_Follows_Type(*grid, row);
        else
            VarSetLength(*grid, grid->Cells(kEtherCATTypeCol, row), row);
        regroup(grid);
        layOut(grid);
        break;
    }
    case TRowButton::Copy:
        break;
    }
}

void TFEtherCATSlave::Btn_MoveClick(QObject *Sender)
{
    TNovaStringGrid *g = Active_Grid();
    g->HideInplaceEdit();
    const bool up = Sender == Btn_MoveUp;
    const int row = g->Row();
    MoveRow_NSG(row, *g, up);
    // The selection follows the row, and stays on a table row at either end.
    g->SetRow(std::clamp(up ? row - 1 : row + 1, 1, g->RowCount() - 1));
    regroup(g);
    layOut(g);
}

void TFEtherCATSlave::Btn_Import_IO_LinkClick()
{
    if (platform::askYesNo(LT(kImportQuestion), this) != platform::Answer::Yes) return;
    // The channel file is read before the tables are touched: one that cannot be read changes nothing.
    std::vector<TChannel_File_Channel> channels;
    QString error;
    switch (Read_IOLink_Channels(channels, &error)) {
    case TChannel_File_Read::Missing:
        return;
    case TChannel_File_Read::Failed:
        platform::showError(error, this);
        return;
    case TChannel_File_Read::Loaded:
        break;
    }
    for (TNovaStringGrid *g : Grids) g->HideInplaceEdit();
    Table_Clear(Desc, Grids);
    const TEtherCAT_Import result = EtherCAT_Import_Channels(channels, *NSG_SlaveMaster, *NSG_MasterSlave);
    // Nothing is laid out or grouped: the channel table's positions stay until the user changes a table.
    for (TNovaStringGrid *g : Grids)
        for (int r = 1; r < g->RowCount(); ++r) Length_Follows_Type(*g, r);
    if (result.Full) platform::showWarning(LT(kImportFull), this);
}
