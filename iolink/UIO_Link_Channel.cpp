#include "iolink/UIO_Link_Channel.h"

int TChannel_IOLink::Get_Index(const QString &index, const QString &subindex) const
{
    for (size_t i = 0; i < Var_List.size(); ++i)
        if (Var_List[i].Index == index && Var_List[i].SubIndex == subindex) return int(i);
    return -1;
}

namespace {
template <class F>
auto varField(const TChannel_IOLink &ch, const QString &index, const QString &subindex, F f, decltype(f(TVarObjValue{})) def)
{
    const int i = ch.Get_Index(index, subindex);
    return i < 0 ? def : f(ch.Var_List[size_t(i)]);
}
template <class F>
QString pdField(const TChannel_IOLink &ch, bool in, const QString &id, const QString &sub, F f, const QString &def)
{
    const int i = ch.PD_Get_Index(in, id, sub);
    return i < 0 ? def : f((*ch.PD_List(in))[size_t(i)]);
}
} // namespace

bool TChannel_IOLink::Get_Enable(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.Enable; }, false); }
bool TChannel_IOLink::Get_On_CMD(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.On_CMD; }, false); }
bool TChannel_IOLink::Get_On_Change(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.On_Change; }, false); }
bool TChannel_IOLink::Get_On_Timer(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.On_Timer; }, false); }
QString TChannel_IOLink::Get_Value(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.Value; }, QString()); }
QString TChannel_IOLink::Get_Position(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.Position; }, QString()); }
QString TChannel_IOLink::Get_Bit(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.Bit; }, QString()); }
QString TChannel_IOLink::Get_Time(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.Time; }, QString()); }
QString TChannel_IOLink::Get_ReadTime(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.ReadTime; }, QString()); }
QString TChannel_IOLink::Get_ReadPos(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.ReadPos; }, QString()); }
QString TChannel_IOLink::Get_ReadBit(const QString &i, const QString &s) const { return varField(*this, i, s, [](const TVarObjValue &v) { return v.ReadBit; }, QString()); }

int TChannel_IOLink::PD_Get_Index(bool PdIn, const QString &VarId, const QString &SubIndex) const
{
    const TProcDataList *list = PD_List(PdIn);
    if (!list) return -1;
    for (size_t i = 0; i < list->size(); ++i)
        if ((*list)[i].variableId == VarId && (*list)[i].SubIndex == SubIndex) return int(i);
    return -1;
}

QString TChannel_IOLink::PD_Get_Gradient(bool in, const QString &id, const QString &s) const { return pdField(*this, in, id, s, [](const TProcDataObjValue &p) { return p.gradient; }, QStringLiteral("1")); }
QString TChannel_IOLink::PD_Get_Offset(bool in, const QString &id, const QString &s) const { return pdField(*this, in, id, s, [](const TProcDataObjValue &p) { return p.offset; }, QStringLiteral("0")); }
QString TChannel_IOLink::PD_Get_UnitCode(bool in, const QString &id, const QString &s) const { return pdField(*this, in, id, s, [](const TProcDataObjValue &p) { return p.unitCode; }, QString()); }
QString TChannel_IOLink::PD_Get_Position(bool in, const QString &id, const QString &s) const { return pdField(*this, in, id, s, [](const TProcDataObjValue &p) { return p.position; }, QString()); }
QString TChannel_IOLink::PD_Get_Bit(bool in, const QString &id, const QString &s) const { return pdField(*this, in, id, s, [](const TProcDataObjValue &p) { return p.bit; }, QString()); }

QString TChannel_IOLink::PD_Get_Position_Arr(bool PdIn, const QString &, int Index) const
{
    const TProcDataList *list = PD_List(PdIn);
    return list && Index >= 0 && size_t(Index) < list->size() ? (*list)[size_t(Index)].position : QString();
}

QString TChannel_IOLink::PD_Get_Bit_Arr(bool PdIn, const QString &, int Index) const
{
    const TProcDataList *list = PD_List(PdIn);
    return list && Index >= 0 && size_t(Index) < list->size() ? (*list)[size_t(Index)].bit : QString();
}

int TChannel_IOLink::Event_Get_Index(qint32 Code) const
{
    for (size_t i = 0; i < Event_List.size(); ++i)
        if (Event_List[i].RealCode == Code) return int(i);
    return -1;
}

void TChannel_IOLink::ProcessData_Erase()
{
    ProcDataIn_List.reset();
    ProcDataOut_List.reset();
}

void TChannel_IOLink::Clear_Entries()
{
    Var_List.clear();
    ProcessData_Erase();
    Event_List.clear();
    Kept_Variables.reset();
    Kept_ProcessData.reset();
    Kept_Events.reset();
    Kept_Variable_Records.clear();
    Kept_Event_Records.clear();
}

QString Get_Pin4Mode(const QString &Pin4Mode)
{
    for (const char *m : {"Disable", "IO-Link", "DIn", "DOut"})
        if (Pin4Mode == QLatin1String(m)) return Pin4Mode;
    return QStringLiteral("Disable");
}
