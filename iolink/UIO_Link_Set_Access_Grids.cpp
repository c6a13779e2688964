// The variable grid and the process-data tab of the channel table window.
#include "iolink/UIO_Link_Set_Access.h"
#include "iolink/UIO_Link_Set_Access_Look.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QTabWidget>

using namespace setaccess;

namespace {

constexpr int kVarTitles[kVarColumns] = {1247, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1294, 1295, 1296, 1225,
                                         1226, 1271, 1272, 1273, 1274, 1275, 1276, 1734, 1737, 1729, 1227};
constexpr int kVarWidths[kVarColumns] = {45, 40, 64, 100, 200, 64, 70, 50, 80, 80, 80, 80,
                                         64, 55, 55, 50, 70, 60, 50, 55, 55, 70, 100};

const TDataType *pdType(const TProcessDataInOut &pd, const TIODD &iodd)
{
    return pd.DataType.IsDataTypeRef ? pd.GetDataType(iodd) : &pd.DataType;
}

const TComplexDataType *complexOf(const TDataType *dt)
{
    return dt && !dt->IsSimpleDataType ? dt->ComplexDataType.get() : nullptr;
}

// The chosen process-data variant of a channel; none when the condition lies outside the IODD's list.
const TProcessData *chosenVariant(const TIODD &iodd, int condition)
{
    const auto &list = iodd.ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    if (condition < 0 || size_t(condition) >= list.size()) return nullptr;
    return list[size_t(condition)].get();
}

} // namespace

namespace setaccess {

TNovaColumnGrid *newColumnGrid(QWidget *parent, const QString &name, std::initializer_list<ColumnSpec> columns)
{
    auto *g = new TNovaColumnGrid(parent);
    g->setObjectName(name);
    g->SetColCount(int(columns.size()));
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    g->SetRowCount(2);
    g->SetFixedRowHeight(22);
    g->SetOptions(g->Options().Include(goEditing).Include(goColSizing));
    int c = 0;
    for (const ColumnSpec &s : columns) {
        TGridColumnItem *item = g->Columns()->Items(c++);
        item->SetWidth(s.width);
        item->SetEditor(s.editor);
        item->SetReadOnly(s.readOnly);
        if (s.color != clNone) item->SetColor(s.color);
        item->SetComboItems(s.items);
        item->SetAlignment(s.alignment);
    }
    return g;
}

int titleWidth(const TNovaStringGrid *grid, const QString &title)
{
    return QFontMetrics(grid->FixedFont().ToQFont()).horizontalAdvance(title) + 10;
}

void setHeaders(TNovaColumnGrid *grid, std::span<const int> titles)
{
    for (size_t c = 0; c < titles.size() && int(c) < grid->Columns()->Count(); ++c) {
        TGridColumnItem *item = grid->Columns()->Items(int(c));
        item->SetHeader(LT(titles[c]));
        // A title wider than its column (a larger font, a longer translation) widens the column.
        item->SetWidth(std::max(item->Width(), titleWidth(grid, item->Header())));
    }
}

void fitColumns(TNovaStringGrid *grid, std::initializer_list<int> columns, int maxWidth)
{
    grid->SetSizeGrowOnly(true);
    grid->SetMaxColWidth(maxWidth);
    for (int c : columns)
        if (grid->ColWidths(c) < maxWidth) grid->AutoSizeCol(c, 0);
}

} // namespace setaccess

// ---- the variable grid ----------------------------------------------------------------------------

void TFIO_Link_Set_Access::Var_Box(int ACol, int ARow, bool State)
{
    if (!NSG_Var->SetCheckBoxState(ACol, ARow, State)) NSG_Var->AddCheckBox(ACol, ARow, State, false);
}

bool TFIO_Link_Set_Access::Var_Box_State(int ACol, int ARow) const
{
    bool state = false;
    NSG_Var->GetCheckBoxState(ACol, ARow, state);
    return state;
}

void TFIO_Link_Set_Access::Init_Var_Table()
{
    ShowingGuard guard(m_showing);
    NSG_Var->SetRowCount(2);
    NSG_Var->SetFixedCols(0);
    NSG_Var->SetFixedRows(1);
    NSG_Var->SetFixedRowHeight(22);
    TFont title = NSG_Var->FixedFont();
    title.Style.Include(fsBold);
    NSG_Var->SetFixedFont(title);
    for (int c = 0; c < kVarColumns; ++c) {
        NSG_Var->SetCells(c, 0, LT(kVarTitles[c]));
        NSG_Var->SetColWidths(c, std::max(kVarWidths[c], titleWidth(NSG_Var, LT(kVarTitles[c]))));
    }
    NSG_Var->SetLeftCol(0);
    for (int c = 0; c < NSG_Var->AllColCount(); ++c) NSG_Var->SetCells(c, 1, QString());
    for (int c : kVarBoxColumns) {
        Var_Box(c, 1, false);
        NSG_Var->SetAlignments(c, 1, taCenter);
    }
}

void TFIO_Link_Set_Access::Show_Data_Variables(int index)
{
    const TIODD *iodd = Table.IODD_List[size_t(index)].get();
    if (!iodd) return;
    ShowingGuard guard(m_showing);
    Init_Var_Table();
    const auto &vc = iodd->ProfileBody.DeviceFunction.VariableCollection;
    int row = 0;
    bool first = true;
    for (const auto &sv : vc.StdVar_List) {
        if (!sv || sv->VarType != vtStdVarRef) continue;
        if (const TVariable *def = sv->Get_Index_Var_Ref(*iodd)) {
            row = Show_Data_Var_Grid(row, *def, sv.get(), true, *iodd, first, index);
            first = !first;
        }
    }
    for (const auto &v : vc.Var_List) {
        if (!v || v->VarType != vtVariable) continue;
        row = Show_Data_Var_Grid(row, *v, nullptr, false, *iodd, first, index);
        first = !first;
    }
    if (vc.Var_List.empty()) {
        Init_Var_Table();
        return;
    }
    fitColumns(NSG_Var, {3, 4, 5, 6, 11}, 320);
    fitColumns(NSG_Var, {22}, 800);
}

int TFIO_Link_Set_Access::Show_Data_Var_Grid(int Num_Row, const TVariable &aVar, const TVariable *refVar, bool VarRef,
                                             const TIODD &iodd, bool FirstColor, int index)
{
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    const QString idx = QString::number(aVar.Index);
    const QString name = iodd.GetDesc_ExtTextCol(VarRef, aVar.Name);
    const QString description = iodd.GetDesc_ExtTextCol(VarRef, aVar.Description);
    const QString subAccess = aVar.Get_SubIndAccSup(iodd, VarRef);
    const QString length = aVar.Get_Length(iodd, VarRef);

    // One row: the columns the IODD gives, then the channel model's values of (Index, sub).
    auto writeRow = [&](int r, const QString &sub, const QStringList &shown, const QString &defaultValue,
                        const QString &desc) {
        NSG_Var->SetRowCount(r + 1);
        for (int c = 1; c <= 10; ++c) NSG_Var->SetCells(c, r, shown[c - 1]);
        NSG_Var->SetCells(11, r, defaultValue);
        NSG_Var->SetCells(12, r, ch.Get_Value(idx, sub));
        NSG_Var->SetCells(13, r, ch.Get_Position(idx, sub));
        NSG_Var->SetCells(14, r, ch.Get_Bit(idx, sub));
        NSG_Var->SetCells(18, r, ch.Get_Time(idx, sub));
        NSG_Var->SetCells(19, r, ch.Get_ReadPos(idx, sub));
        NSG_Var->SetCells(20, r, ch.Get_ReadBit(idx, sub));
        NSG_Var->SetCells(21, r, ch.Get_ReadTime(idx, sub));
        NSG_Var->SetCells(22, r, desc);
        Var_Box(0, r, ch.Get_Enable(idx, sub));
        Var_Box(15, r, ch.Get_On_CMD(idx, sub));
        Var_Box(16, r, ch.Get_On_Change(idx, sub));
        Var_Box(17, r, ch.Get_On_Timer(idx, sub));
        for (int c : kVarBoxColumns) NSG_Var->SetAlignments(c, r, taCenter);
        Row_Colors(r, FirstColor);
        SetEditableCells(r);
    };

    int r = Num_Row + 1;
    writeRow(r, QString(),
             {idx, QString(), aVar.Id, name, aVar.Get_DataType(iodd, VarRef), aVar.Get_AccessRights(), length,
              subAccess, length, QStringLiteral("0")},
             refVar ? refVar->DefaultValue : aVar.DefaultValue, description);

    const TComplexDataType *cdt = complexOf(aVar.ResolvedDataType(iodd, VarRef));
    if (!cdt) return r;
    const int whole = r;
    if (cdt->ActualComplexDataType == acdtArrayT) {
        Var_Box(0, whole, false);
        if (cdt->ArrItem.size() != 1) return r;
        const TSimpleDataType &elem = *cdt->ArrItem.front();
        // Elements are numbered as the channel model numbers them, so each row finds its entry.
        const int k = ch.Get_Index(idx, QString());
        for (int i = 0; i < cdt->Count; ++i) {
            const size_t e = size_t(k) + 1 + size_t(i);
            const QString sub = k >= 0 && e < ch.Var_List.size() && ch.Var_List[e].Index == idx
                                    ? ch.Var_List[e].SubIndex
                                    : QString::number(i + 1);
            writeRow(++r, sub,
                     {idx, sub, aVar.Id, name, elem.Get_ActualSimpleDataType(iodd, VarRef), aVar.Get_AccessRights(),
                      elem.Get_Length(iodd, VarRef), subAccess, length, QStringLiteral("0")},
                     QString(), description);
        }
    } else if (cdt->ActualComplexDataType == acdtRecordT) {
        Var_Box(0, whole, false);
        for (const auto &item : cdt->RecItem) {
            const QString sub = QString::number(item->SubIndex);
            QString defaultValue;
            for (const auto &info : aVar.RecordItemInfoList)
                if (info && info->Subindex == item->SubIndex) {
                    defaultValue = info->DefaultValue;
                    break;
                }
            const TSimpleDataType *t = item->SimpleTD.get();
            writeRow(++r, sub,
                     {idx, sub, aVar.Id, iodd.GetDesc_ExtTextCol(VarRef, item->Name),
                      t ? t->Get_ActualSimpleDataType(iodd, VarRef) : QString(),
                      item->AccessRightResPresent ? item->GetAccessRightRestrictionStr() : aVar.Get_AccessRights(),
                      t ? t->Get_Length(iodd, VarRef) : QString(), subAccess, length,
                      QString::number(item->BitOffset)},
                     defaultValue, iodd.GetDesc_ExtTextCol(VarRef, item->Description));
        }
    }
    return r;
}

void TFIO_Link_Set_Access::Row_Colors(int Num_Row, bool FirstColor)
{
    for (int c = 0; c < kVarColumns; ++c) {
        const TColor color = isVarEditable(c) ? (FirstColor ? kVarEditFirst : kVarEditSecond)
                                              : (FirstColor ? kVarShowFirst : kVarShowSecond);
        NSG_Var->SetColors(c, Num_Row, color);
    }
}

void TFIO_Link_Set_Access::SetEditableCells(int RowNum)
{
    for (int c = 0; c < kVarColumns; ++c) NSG_Var->SetReadOnly(c, RowNum, !isVarEditable(c));
}

TVarObjValue *TFIO_Link_Set_Access::Var_Entry(int ARow)
{
    const int c = Shown_Channel();
    if (c < 0) return nullptr;
    TChannel_IOLink &ch = Table.Channels[size_t(c)];
    const int k = ch.Get_Index(NSG_Var->Cells(1, ARow), NSG_Var->Cells(2, ARow));
    return k < 0 ? nullptr : &ch.Var_List[size_t(k)];
}

void TFIO_Link_Set_Access::NSG_VarCellValidate(int ACol, int ARow, const QString &Value)
{
    TVarObjValue *entry = Var_Entry(ARow);
    if (!entry) return;
    TVarObjValue &e = *entry;
    switch (NSG_Var->RealColIndex(ACol)) {
    case 12: e.Value = Value; break;
    case 13: e.Position = Value; break;
    case 14: e.Bit = Value; break;
    case 18: e.Time = Value; break;
    case 19: e.ReadPos = Value; break;
    case 20: e.ReadBit = Value; break;
    case 21: e.ReadTime = Value; break;
    default: break;
    }
}

void TFIO_Link_Set_Access::NSG_VarCheckBoxClick(int ACol, int ARow, bool State)
{
    TVarObjValue *entry = Var_Entry(ARow);
    if (!entry) return;
    TVarObjValue &e = *entry;
    switch (NSG_Var->RealColIndex(ACol)) {
    case 0:
        // A whole array or record is mapped through its parts only.
        if (e.SubIndex_Present) {
            e.Enable = false;
            ShowingGuard guard(m_showing);
            Var_Box(0, ARow, false);
        } else {
            e.Enable = State;
        }
        break;
    case 15: e.On_CMD = State; break;
    case 16: e.On_Change = State; break;
    case 17: e.On_Timer = State; break;
    default: break;
    }
}

// ---- the process-data tab -------------------------------------------------------------------------

void TFIO_Link_Set_Access::Show_Data_ProcessData(int index)
{
    const TIODD *iodd = Table.IODD_List[size_t(index)].get();
    if (!iodd) return;
    const auto &list = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    if (list.empty()) return;
    ShowingGuard guard(m_showing);
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    if (list.size() == 1) {
        P_PD_Condition->hide();
        if (CB_PD_ConditionList->count() == 0) CB_PD_ConditionList->addItem(QStringLiteral("x"));
        CB_PD_ConditionList->setCurrentIndex(0);
    } else {
        P_PD_Condition->show();
        CB_PD_ConditionList->clear();
        const auto &vars = iodd->ProfileBody.DeviceFunction.VariableCollection;
        for (const auto &pd : list) {
            const TCondition *cond = pd ? pd->Condition.get() : nullptr;
            if (!cond) {
                CB_PD_ConditionList->addItem(pd ? pd->Id : QString());
                continue;
            }
            const QString sub = QString::number(cond->SubIndex), value = QString::number(cond->Value);
            if (const TVariable *v = vars.Get_Variables_IDs(cond->VariableId)) {
                const bool ref = v->VarType == vtStdVarRef;
                const TVariable *named = ref ? v->Get_Index_Var_Ref(*iodd) : v;
                const QString name = named ? iodd->GetDesc_ExtTextCol(ref, named->Name) : cond->VariableId;
                CB_PD_ConditionList->addItem(QStringLiteral("Var Name : ") + name + QStringLiteral(", SubIndex : ") + sub +
                                             QStringLiteral(", Value : ") + value);
            } else {
                CB_PD_ConditionList->addItem(cond->VariableId + QLatin1Char(' ') + sub + QLatin1Char(' ') + value);
            }
        }
        // A condition outside the list (a hand-edited file) selects nothing rather than a wrong variant.
        const bool inRange = ch.ProcDataCondition >= 0 && size_t(ch.ProcDataCondition) < list.size();
        CB_PD_ConditionList->setCurrentIndex(inRange ? ch.ProcDataCondition : -1);
    }
    const TProcessData *variant = chosenVariant(*iodd, ch.ProcDataCondition);
    for (bool in : {true, false}) {
        QWidget *page = in ? TS_PD_In : TS_PD_Out;
        TNovaColumnGrid *grid = in ? NCG_ProcessDataIn : NCG_ProcessDataOut;
        const TProcessDataInOut *pd = variant ? (in ? variant->ProcessDataIn.get() : variant->ProcessDataOut.get()) : nullptr;
        PC_ProcessData->setTabVisible(PC_ProcessData->indexOf(page), pd != nullptr);
        Clear_Grid(grid);
        if (pd) {
            Show_ProcessData_Grid(grid, *pd, *iodd, index);
            fitColumns(grid, {0, 2, 3}, 320);
        }
    }
}

void TFIO_Link_Set_Access::Show_ProcessData_Grid(TNovaColumnGrid *grid, const TProcessDataInOut &aPD, const TIODD &iodd,
                                                 int index)
{
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    const bool in = grid == NCG_ProcessDataIn;
    int r = 0;
    auto row = [&](const QString &sub, const QString &name, const QString &type, const QString &length) {
        ++r;
        grid->SetRowCount(r + 1);
        const QStringList cells{aPD.Id, sub, name, type, length,
                                ch.PD_Get_Gradient(in, aPD.Id, sub), ch.PD_Get_Offset(in, aPD.Id, sub),
                                ch.PD_Get_Position(in, aPD.Id, sub), ch.PD_Get_Bit(in, aPD.Id, sub)};
        for (int k = 0; k < cells.size(); ++k) grid->SetCells(k, r, cells[k]);
    };
    const QString name = iodd.GetDesc_ExtTextCol(false, aPD.Name);
    const TDataType *dt = pdType(aPD, iodd);
    const TComplexDataType *cdt = complexOf(dt);
    if (dt && !cdt) {
        row(QString(), name, aPD.Get_DataTypeStr(iodd), QString::number(aPD.BitLength));
    } else if (cdt && cdt->ActualComplexDataType == acdtArrayT) {
        if (const TSimpleDataType *elem = cdt->ArrayElementType())
            for (int k = 1; k <= cdt->Count; ++k)
                row(QString::number(k), name, elem->Get_ActualSimpleDataType(iodd, false), elem->Get_Length(iodd, false));
    } else if (cdt && cdt->ActualComplexDataType == acdtRecordT) {
        for (const auto &item : cdt->RecItem) {
            const TSimpleDataType *t = item->SimpleTD.get();
            row(QString::number(item->SubIndex), iodd.GetDesc_ExtTextCol(false, item->Name),
                t ? t->Get_ActualSimpleDataType(iodd, false) : QString(), t ? t->Get_Length(iodd, false) : QString());
        }
    }
}

void TFIO_Link_Set_Access::CB_PD_ConditionListChange()
{
    const int c = Shown_Channel();
    if (c < 0 || !Table.IODD_List[size_t(c)]) return;
    const auto &list = Table.IODD_List[size_t(c)]->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    const int sel = CB_PD_ConditionList->currentIndex();
    if (sel < 0 || size_t(sel) >= list.size()) return;
    Table.Change_ProcDataCondition(c, sel);
    Show_Data_ProcessData(c);
}

void TFIO_Link_Set_Access::ProcessData_CellValidate(bool in, int ACol, int ARow, const QString &Value)
{
    const int c = Shown_Channel();
    if (c < 0) return;
    TChannel_IOLink &ch = Table.Channels[size_t(c)];
    std::optional<TProcDataList> &list = in ? ch.ProcDataIn_List : ch.ProcDataOut_List;
    if (!list) return;
    TNovaColumnGrid *grid = in ? NCG_ProcessDataIn : NCG_ProcessDataOut;
    const int k = ch.PD_Get_Index(in, grid->Cells(0, ARow), grid->Cells(1, ARow));
    if (k < 0) return;
    TProcDataObjValue &e = (*list)[size_t(k)];
    switch (ACol) {
    case 5: e.gradient = Value; break;
    case 6: e.offset = Value; break;
    case 7: e.position = Value; break;
    case 8: e.bit = Value; break;
    default: break;
    }
}

void TFIO_Link_Set_Access::NCG_ProcessDataInCellValidate(int ACol, int ARow, const QString &Value)
{
    ProcessData_CellValidate(true, ACol, ARow, Value);
}

void TFIO_Link_Set_Access::NCG_ProcessDataOutCellValidate(int ACol, int ARow, const QString &Value)
{
    ProcessData_CellValidate(false, ACol, ARow, Value);
}
