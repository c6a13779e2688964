#include "iolink/UIO_Link_Channels.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <pugixml.hpp>
#include <map>

using platform::attributeText;

namespace {

const int kPortsA[] = {4, 2, 2, 0, 0, 2, 6};
const int kPortsB[] = {0, 0, 2, 2, 4, 4, 0};

int num(const QString &text, int def) { return StrToIntDef(text, def); }

const TDataType *resolvedPdType(const TProcessDataInOut &pd, const TIODD &iodd)
{
    return pd.DataType.IsDataTypeRef ? pd.GetDataType(iodd) : &pd.DataType;
}

const TComplexDataType *complexOf(const TDataType *dt)
{
    return dt && !dt->IsSimpleDataType ? dt->ComplexDataType.get() : nullptr;
}

bool isBooleanOfLengthZero(const TSimpleDataType &t, const TIODD &iodd, bool VarRef)
{
    return t.Get_ActualSimpleDataType(iodd, VarRef) == QLatin1String("BooleanT")
           && num(t.Get_Length(iodd, VarRef), 0) == 0;
}

const TProcessData *chosenVariant(const TIODD &iodd, int condition)
{
    const auto &list = iodd.ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    // A condition that no longer exists (hand-edited file, IODD with fewer variants) maps nothing.
    if (condition < 0 || size_t(condition) >= list.size()) return nullptr;
    return list[size_t(condition)].get();
}

// Scaling of array and record process data from the device's menus: the first fitting reference.
void menuScaling(const TIODD &iodd, bool in, bool record, const QString &subIndex, TProcDataObjValue &e)
{
    const QString target = in ? QStringLiteral("V_ProcessDataInput") : QStringLiteral("V_ProcessDataOutput");
    for (const auto &menu : iodd.ProfileBody.DeviceFunction.UserInterface.MenuCollection.Menu_List) {
        if (!menu) continue;
        for (const auto &ref : menu->MenuVariableRef_List) {
            if (!ref || ref->VariableId != target) continue;
            bool fits;
            if (record) {
                const auto *r = dynamic_cast<const TMenuRecordItemRef *>(ref.get());
                fits = r && r->SubIndex == subIndex && (!r->Gradient.isEmpty() || !r->Offset.isEmpty());
            } else {
                fits = !ref->IsRecordItemRef()
                       && (!ref->Gradient.isEmpty() || !ref->Offset.isEmpty() || !ref->UnitCode.isEmpty());
            }
            if (fits) {
                // A menu may scale with a gradient alone or an offset alone: the other keeps its neutral value.
                e.gradient = ref->Gradient.isEmpty() ? QStringLiteral("1") : ref->Gradient;
                e.offset = ref->Offset.isEmpty() ? QStringLiteral("0") : ref->Offset;
                e.unitCode = ref->UnitCode;
                return;
            }
        }
    }
    e.gradient = QStringLiteral("1");
    e.offset = QStringLiteral("0");
    e.unitCode.clear();
}

bool hasAttr(const pugi::xml_node &n, const char *name) { return bool(n.attribute(name)); }

// The variables of an IODD in the order their entries are built: the standard variables (through
// their definitions, types resolved in the standard definitions), then the device's own.
template <class F>
void forEachVariable(const TIODD &iodd, F f)
{
    const auto &vc = iodd.ProfileBody.DeviceFunction.VariableCollection;
    for (const auto &sv : vc.StdVar_List)
        if (sv && sv->VarType == vtStdVarRef)
            if (const TVariable *def = sv->Get_Index_Var_Ref(iodd)) f(*def, true);
    for (const auto &v : vc.Var_List)
        if (v && v->VarType == vtVariable) f(*v, false);
}

bool isArrayVariable(const TIODD &iodd, const QString &index)
{
    bool array = false;
    forEachVariable(iodd, [&](const TVariable &var, bool VarRef) {
        if (QString::number(var.Index) != index) return;
        const TComplexDataType *cdt = complexOf(var.ResolvedDataType(iodd, VarRef));
        array = array || (cdt && cdt->ActualComplexDataType == acdtArrayT);
    });
    return array;
}

} // namespace

TIOLink_Channel_Table::TIOLink_Channel_Table()
{
    Report = [](MsgKind k, const QString &text) {
        if (k == MsgKind::Warning) platform::showWarning(text);
        else platform::showError(text);
    };
    IOLink_Get_Device_List();
}

TIOLink_Channel_Table::~TIOLink_Channel_Table() = default;

void TIOLink_Channel_Table::IOLink_Get_Device_List()
{
    Devices = ParGen_Device_List();
}

bool Read_Device_Ports(TDevice_Ports &ports, QString *error)
{
    ports = TDevice_Ports{};
    if (!QFileInfo::exists(ParGen_File)) return true;
    pugi::xml_document doc;
    if (!platform::readXmlFile(doc, ParGen_File, platform::kXmlReadOptions, error)) return false;
    QString name;
    platform::childText(doc.first_child(), "IOLink_SelectDevice", name);
    const QStringList devices = ParGen_Device_List();
    for (int i = 0; i < devices.size(); ++i) {
        if (devices[i].compare(name, Qt::CaseInsensitive) == 0) {
            ports.A = kPortsA[i];
            ports.B = kPortsB[i];
            break;
        }
    }
    return true;
}

int TIOLink_Channel_Table::Get_ParGen_SelectDevice(QString *error)
{
    TDevice_Ports ports;
    const bool read = Read_Device_Ports(ports, error);
    NChannelsA = ports.A;
    NChannelsB = ports.B;
    return read ? ports.Count() : -1;
}

bool TIOLink_Channel_Table::Create_Channels(QString *error)
{
    const int n = Get_ParGen_SelectDevice(error);
    if (n < 0) return false;
    Num_Channels = n;
    IODD_List.clear();
    IODD_List.resize(size_t(n));
    Channels.clear();
    Channels.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        Channels[size_t(i)].TypeA = i >= NChannelsB;
        Channels[size_t(i)].Pin4Mode = QStringLiteral("Disable");
    }
    return true;
}

// ---- Building the entry lists ---------------------------------------------------------------

void TIOLink_Channel_Table::Insert_Variable(TChannel_IOLink &ch, const TIODD &iodd, const TVariable &var, bool VarRef)
{
    TVarObjValue whole;
    whole.Index = QString::number(var.Index);
    whole.Dimension = var.Get_Length(iodd, VarRef);
    whole.Access = var.Get_AccessRights();
    whole.total_bit_length = whole.Dimension;
    whole.subindexAccessSupported = QStringLiteral("0");
    const TComplexDataType *cdt = complexOf(var.ResolvedDataType(iodd, VarRef));
    if (cdt && cdt->SubIndexAccessSupPresent) {
        whole.subindexAccessSupported = cdt->SubIndexAccessSup ? QStringLiteral("1") : QStringLiteral("0");
        whole.SubindexAccSupPresent = true;
    }
    const bool array = cdt && cdt->ActualComplexDataType == acdtArrayT && cdt->ArrItem.size() == 1;
    const bool record = cdt && cdt->ActualComplexDataType == acdtRecordT && !cdt->RecItem.empty();
    whole.SubIndex_Present = array || record;
    ch.Var_List.push_back(whole);

    auto part = [&](const QString &subIndex, const QString &dimension, const QString &bitOffset) {
        TVarObjValue e;
        e.Index = whole.Index;
        e.SubIndex = subIndex;
        e.Access = whole.Access;
        e.subindexAccessSupported = whole.subindexAccessSupported;
        e.SubindexAccSupPresent = whole.SubindexAccSupPresent;
        e.total_bit_length = whole.Dimension;
        e.Dimension = dimension;
        e.bit_offset = bitOffset;
        return e;
    };
    if (array) {
        // Elements are subindices 1..Count: IO-Link keeps subindex 0 for the whole variable.
        const TSimpleDataType &elem = *cdt->ArrItem.front();
        const QString len = elem.Get_Length(iodd, VarRef);
        for (int k = 1; k <= cdt->Count; ++k)
            ch.Var_List.push_back(part(QString::number(k), len, QStringLiteral("0")));
    } else if (record) {
        for (const auto &item : cdt->RecItem) {
            TVarObjValue e = part(QString::number(item->SubIndex),
                                  item->SimpleTD ? item->SimpleTD->Get_Length(iodd, VarRef) : QString(),
                                  QString::number(item->BitOffset));
            if (item->AccessRightResPresent) e.Access = item->GetAccessRightRestrictionStr();
            ch.Var_List.push_back(e);
        }
    }
}

void TIOLink_Channel_Table::Create_List_Variables(int index)
{
    const TIODD *iodd = IODD_List[size_t(index)].get();
    if (!iodd) return;
    TChannel_IOLink &ch = Channels[size_t(index)];
    forEachVariable(*iodd, [&](const TVariable &var, bool VarRef) { Insert_Variable(ch, *iodd, var, VarRef); });
}

int TIOLink_Channel_Table::Insert_ProcessData(int index, bool in, int s)
{
    const TIODD *iodd = IODD_List[size_t(index)].get();
    if (!iodd) return s;
    const TProcessData *variant = chosenVariant(*iodd, Channels[size_t(index)].ProcDataCondition);
    if (!variant) return s;
    const TProcessDataInOut *pd = in ? variant->ProcessDataIn.get() : variant->ProcessDataOut.get();
    if (!pd) return s;
    TChannel_IOLink &ch = Channels[size_t(index)];
    std::optional<TProcDataList> &list = in ? ch.ProcDataIn_List : ch.ProcDataOut_List;
    auto append = [&](TProcDataObjValue e) {
        if (!list) list.emplace();
        list->push_back(std::move(e));
    };

    const TDataType *dt = resolvedPdType(*pd, *iodd);
    if (!dt) return s;
    if (dt->IsSimpleDataType) {
        TProcDataObjValue e;
        e.variableId = pd->Id;
        e.BitLength = QString::number(pd->BitLength);
        if (dt->SimpleDataType && isBooleanOfLengthZero(*dt->SimpleDataType, *iodd, false))
            e.BitLength = QStringLiteral("1");
        e.position = QString::number(s);
        e.bit = QStringLiteral("0");
        s += bytesOf(num(e.BitLength, 1));
        append(e);
        return s;
    }
    const TComplexDataType *cdt = dt->ComplexDataType.get();
    if (!cdt) return s;
    if (cdt->ActualComplexDataType == acdtArrayT) {
        const TSimpleDataType *elem = cdt->ArrayElementType();
        if (!elem) return s;
        const QString len = elem->Get_Length(*iodd, false);
        const bool boolean = elem->Get_ActualSimpleDataType(*iodd, false) == QLatin1String("BooleanT");
        int bit = 0;
        for (int k = 1; k <= cdt->Count; ++k) {
            TProcDataObjValue e;
            e.variableId = pd->Id;
            e.SubIndex = QString::number(k);
            e.BitLength = len;
            menuScaling(*iodd, in, false, e.SubIndex, e);
            e.position = QString::number(s);
            if (boolean) {
                // Boolean elements share bytes, eight to a byte.
                e.bit = QString::number(bit);
                if (++bit == 8) { bit = 0; ++s; }
            } else {
                e.bit = QStringLiteral("0");
                s += bytesOf(num(len, 1));
            }
            append(e);
        }
        if (boolean && bit != 0) ++s;
        return s;
    }
    if (cdt->ActualComplexDataType == acdtRecordT) {
        QString prevType;
        int prevBytes = 0, bit = 0;
        for (const auto &item : cdt->RecItem) {
            TProcDataObjValue e;
            e.variableId = pd->Id;
            e.SubIndex = QString::number(item->SubIndex);
            const TSimpleDataType *t = item->SimpleTD.get();
            const QString typeName = t ? t->Get_ActualSimpleDataType(*iodd, false) : QString();
            e.BitLength = t ? t->Get_Length(*iodd, false) : QString();
            if (t && isBooleanOfLengthZero(*t, *iodd, false)) e.BitLength = QStringLiteral("1");
            e.BitOffset = QString::number(item->BitOffset);
            menuScaling(*iodd, in, true, e.SubIndex, e);
            if (typeName == QLatin1String("BooleanT") && typeName == prevType) {
                if (++bit == 8) { bit = 0; ++s; }
            } else {
                s += prevBytes;
                bit = 0;
            }
            e.position = QString::number(s);
            e.bit = QString::number(bit);
            prevBytes = bytesOf(num(t ? t->Get_Length(*iodd, false) : QString(), 1));
            prevType = typeName;
            append(e);
        }
        s += prevBytes;
    }
    return s;
}

int TIOLink_Channel_Table::Create_List_ProcessDataIn(int index, int add_Data) { return Insert_ProcessData(index, true, add_Data); }
int TIOLink_Channel_Table::Create_List_ProcessDataOut(int index, int add_Data) { return Insert_ProcessData(index, false, add_Data); }

int TIOLink_Channel_Table::Create_List_Event(int index, int add_Data)
{
    const TIODD *iodd = IODD_List[size_t(index)].get();
    if (!iodd) return add_Data;
    TChannel_IOLink &ch = Channels[size_t(index)];
    int s = add_Data, bit = 0;
    auto insert = [&](const TEventData &ev, bool stdDef) {
        TEventObjValue e;
        e.RealCode = ev.Code;
        e.Code = QString::number(ev.Code);
        e.Name = iodd->GetDesc_ExtTextCol(stdDef, ev.Name);
        e.EventType = ev.EventType;
        e.Position = QString::number(s);
        e.Bit = QString::number(bit);
        if (++bit > 7) { bit = 0; ++s; }
        ch.Event_List.push_back(e);
    };
    const auto &ec = iodd->ProfileBody.DeviceFunction.EventCollection;
    for (const TEventData *ev : ec.StdEventRef_List)
        if (ev) insert(*ev, true);
    for (const auto &ev : ec.Event_List)
        if (ev) insert(*ev, false);
    if (bit != 0) ++s;
    return s;
}

void TIOLink_Channel_Table::Add_Name_to_Configuration()
{
    for (size_t c = 0; c < Channels.size(); ++c) {
        const TIODD *iodd = IODD_List[c].get();
        if (!iodd) continue;
        TChannel_IOLink &ch = Channels[c];
        // Entries were built in this same order; walk them alongside.
        size_t vi = 0;
        auto nameVariable = [&](const TVariable &var, bool VarRef) {
            if (vi >= ch.Var_List.size()) return;
            const QString name = iodd->GetDesc_ExtTextCol(VarRef, var.Name);
            ch.Var_List[vi].Name = name;
            ch.Var_List[vi].VarType = var.Get_DataType(*iodd, VarRef);
            ++vi;
            const TComplexDataType *cdt = complexOf(var.ResolvedDataType(*iodd, VarRef));
            if (cdt && cdt->ActualComplexDataType == acdtArrayT && cdt->ArrItem.size() == 1) {
                const QString type = cdt->ArrItem.front()->Get_ActualSimpleDataType(*iodd, VarRef);
                for (int k = 0; k < cdt->Count && vi < ch.Var_List.size(); ++k, ++vi) {
                    ch.Var_List[vi].Name = name;
                    ch.Var_List[vi].VarType = type;
                }
            } else if (cdt && cdt->ActualComplexDataType == acdtRecordT) {
                for (const auto &item : cdt->RecItem) {
                    if (vi >= ch.Var_List.size()) break;
                    ch.Var_List[vi].Name = iodd->GetDesc_ExtTextCol(VarRef, item->Name);
                    ch.Var_List[vi].VarType = item->SimpleTD ? item->SimpleTD->Get_ActualSimpleDataType(*iodd, VarRef) : QString();
                    ++vi;
                }
            }
        };
        forEachVariable(*iodd, nameVariable);

        const TProcessData *variant = chosenVariant(*iodd, ch.ProcDataCondition);
        for (bool in : {true, false}) {
            std::optional<TProcDataList> &list = in ? ch.ProcDataIn_List : ch.ProcDataOut_List;
            const TProcessDataInOut *pd = variant ? (in ? variant->ProcessDataIn.get() : variant->ProcessDataOut.get()) : nullptr;
            if (!list || !pd) continue;
            const QString name = iodd->GetDesc_ExtTextCol(false, pd->Name);
            const TDataType *dt = resolvedPdType(*pd, *iodd);
            const TComplexDataType *cdt = complexOf(dt);
            for (TProcDataObjValue &e : *list) {
                if (!cdt) {
                    e.Name = name;
                    e.VarType = pd->Get_DataTypeStr(*iodd);
                } else if (cdt->ActualComplexDataType == acdtArrayT) {
                    e.Name = name;
                    e.VarType = cdt->ArrayElementType() ? cdt->ArrayElementType()->Get_ActualSimpleDataType(*iodd, false) : QString();
                } else {
                    for (const auto &item : cdt->RecItem) {
                        if (QString::number(item->SubIndex) != e.SubIndex) continue;
                        e.Name = iodd->GetDesc_ExtTextCol(false, item->Name);
                        e.VarType = item->SimpleTD ? item->SimpleTD->Get_ActualSimpleDataType(*iodd, false) : QString();
                        break;
                    }
                }
            }
        }
    }
}

// ---- Placement ------------------------------------------------------------------------------

void TIOLink_Channel_Table::Find_First_Address_Data_Free(int RowInUse, int &Num_In, int &Num_Out) const
{
    Num_In = Num_Out = 0;
    for (int c = 0; c < RowInUse && size_t(c) < Channels.size(); ++c) {
        const TChannel_IOLink &ch = Channels[size_t(c)];
        for (bool in : {true, false}) {
            int &n = in ? Num_In : Num_Out;
            if (const TProcDataList *list = ch.PD_List(in))
                for (const TProcDataObjValue &e : *list)
                    n = std::max(n, num(e.position, 0) + bytesOf(num(e.BitLength, 0)));
        }
        Num_In += 1;  // the channel's pin byte
        if (ch.Pin4Mode == QLatin1String("DOut")) Num_Out += 1;
        Num_In += int((ch.Event_List.size() + 7) / 8);
    }
}

bool TIOLink_Channel_Table::decodeChannel(int index, const QString &path, QString *error)
{
    auto iodd = std::make_unique<TIODD>();
    iodd->StandardDef_Path = IOLink_StaDef_Dir;
    try {
        if (!iodd->Decode_IODD(path, false)) {
            if (error) *error = QStringLiteral("Cannot read the IODD file \"%1\".").arg(path);
            return false;
        }
    } catch (const EIODDError &e) {
        if (error) *error = e.message();
        return false;
    }
    IODD_List[size_t(index)] = std::move(iodd);
    return true;
}

bool TIOLink_Channel_Table::Assign_IODD(int index, const QString &catalogFile, QString *error)
{
    if (index < 0 || size_t(index) >= Channels.size()) return false;
    if (!Is_Plain_File_Name(catalogFile)) {
        if (error) *error = platform::formatText(LT(1747), {index + 1, catalogFile});
        return false;
    }
    const QString source = IODD_Catalog_Dir + QLatin1Char('/') + catalogFile;
    if (!QFileInfo(source).isFile()) return false;
    const QString folder = Project_Path + QStringLiteral("/IODD");
    QDir().mkpath(folder);
    const QString target = folder + QLatin1Char('/') + catalogFile;
    QByteArray data;
    if (!platform::readFile(source, data, error) || !platform::writeFileAtomic(target, data, error)) return false;

    std::unique_ptr<TIODD> previous = std::move(IODD_List[size_t(index)]);
    if (!decodeChannel(index, target, error)) {
        IODD_List[size_t(index)] = std::move(previous);
        return false;
    }
    TChannel_IOLink &ch = Channels[size_t(index)];
    ch.Clear_Entries();
    ch.IODD_File = catalogFile;
    // A variant chosen for the previous IODD may not exist in this one: take its first.
    const auto &variants = IODD_List[size_t(index)]->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    if (ch.ProcDataCondition < 0 || size_t(ch.ProcDataCondition) >= variants.size()) ch.ProcDataCondition = 0;

    int numIn, numOut;
    Find_First_Address_Data_Free(index, numIn, numOut);
    Create_List_Variables(index);
    numIn = Create_List_ProcessDataIn(index, numIn);
    Create_List_ProcessDataOut(index, numOut);
    ch.Pin2_Pos = QString::number(numIn);
    ch.Pin2_Bit = QStringLiteral("0");
    ch.Pin4_Pos = QString::number(numIn);
    ch.Pin4_Bit = QStringLiteral("1");
    Create_List_Event(index, numIn + 1);
    return true;
}

void TIOLink_Channel_Table::Remove_IODD(int index)
{
    if (index < 0 || size_t(index) >= Channels.size()) return;
    IODD_List[size_t(index)].reset();
    Channels[size_t(index)].IODD_File.clear();
    Channels[size_t(index)].Clear_Entries();
}

void TIOLink_Channel_Table::Change_ProcDataCondition(int index, int condition)
{
    if (index < 0 || size_t(index) >= Channels.size()) return;
    TChannel_IOLink &ch = Channels[size_t(index)];
    ch.ProcDataCondition = condition;
    ch.ProcessData_Erase();
    ch.Kept_ProcessData.reset();
    Create_List_ProcessDataIn(index, 0);
    Create_List_ProcessDataOut(index, 0);
}

QString TIOLink_Channel_Table::Vendor_Name(int index) const
{
    const TIODD *iodd = size_t(index) < IODD_List.size() ? IODD_List[size_t(index)].get() : nullptr;
    return iodd ? iodd->GetDesc_ExtTextCol(false, iodd->ProfileBody.DeviceIdentity.VendorName) : QString();
}

QString TIOLink_Channel_Table::Device_Name(int index) const
{
    const TIODD *iodd = size_t(index) < IODD_List.size() ? IODD_List[size_t(index)].get() : nullptr;
    return iodd ? iodd->GetDesc_ExtTextCol(false, iodd->ProfileBody.DeviceIdentity.DeviceName) : QString();
}

// ---- The file -------------------------------------------------------------------------------

QByteArray TIOLink_Channel_Table::Configuration_Xml() const
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("IO-Link");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.103");
    pugi::xml_node list = root.append_child("IO-Link_Channels");
    auto set = [](pugi::xml_node n, const char *name, const QString &v) {
        n.append_attribute(name).set_value(platform::toXml(v).constData());
    };
    auto flag = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
    for (const TChannel_IOLink &ch : Channels) {
        pugi::xml_node c = list.append_child("Channel");
        pugi::xml_node f = c.append_child("IODD_File");
        set(f, "FileName", ch.IODD_File);
        set(f, "Pin4Mode", ch.Pin4Mode);
        set(f, "ReadPin2", ch.ReadPin2);
        set(f, "Pin2Pos", ch.Pin2_Pos);
        set(f, "Pin2Bit", ch.Pin2_Bit);
        set(f, "Pin2Inv", ch.Pin2_Inv);
        set(f, "Pin2InType", ch.Pin2_In_Type);
        set(f, "Pin2Mne", ch.Pin2_Mne);
        set(f, "Pin4Pos", ch.Pin4_Pos);
        set(f, "Pin4Bit", ch.Pin4_Bit);
        set(f, "Pin4Inv", ch.Pin4_Inv);
        set(f, "Pin4Mne", ch.Pin4_Mne);
        set(f, "TimeOut", ch.TimeOut);
        if (ch.IODD_File.isEmpty()) continue;

        // Kept records stand where the built ones would.
        pugi::xml_node vars;
        if (ch.Kept_Variables) Append_Element_Bytes(c, *ch.Kept_Variables);
        else vars = c.append_child("Variables");
        for (const QByteArray &r : ch.Kept_Variable_Records)
            if (vars) Append_Element_Bytes(vars, r);
        for (const TVarObjValue &v : ch.Var_List) {
            if (!vars) break;
            pugi::xml_node n = vars.append_child("Variable");
            set(n, "Enable", flag(v.Enable));
            set(n, "Index", v.Index);
            set(n, "SubIndex", v.SubIndex);
            set(n, "Value", v.Value);
            set(n, "Position", v.Position);
            set(n, "Bit", v.Bit);
            set(n, "Time", v.Time);
            set(n, "On_CMD", flag(v.On_CMD));
            set(n, "On_Change", flag(v.On_Change));
            set(n, "On_Timer", flag(v.On_Timer));
            set(n, "Length", v.Dimension);
            set(n, "Access", v.Access);
            set(n, "ReadTime", v.ReadTime);
            set(n, "ReadPos", v.ReadPos);
            set(n, "ReadBit", v.ReadBit);
            set(n, "Total_bit_length", v.total_bit_length);
            set(n, "SubindexAccessSupported", v.subindexAccessSupported);
            set(n, "Bit_offset", v.bit_offset);
            set(n, "Name", v.Name);
            set(n, "VarType", v.VarType);
        }
        pugi::xml_node pd;
        if (ch.Kept_ProcessData) Append_Element_Bytes(c, *ch.Kept_ProcessData);
        else pd = c.append_child("ProcessData");
        if (pd) pd.append_child("processDataCondition").text().set(QString::number(ch.ProcDataCondition).toUtf8().constData());
        for (bool in : {true, false}) {
            const TProcDataList *l = ch.PD_List(in);
            if (!l || !pd) continue;
            pugi::xml_node dir = pd.append_child(in ? "ProcessDataIn" : "ProcessDataOut");
            for (const TProcDataObjValue &e : *l) {
                pugi::xml_node n = dir.append_child("PD_Record");
                set(n, "VariableId", e.variableId);
                set(n, "SubIndex", e.SubIndex);
                set(n, "BitLength", e.BitLength);
                set(n, "Gradient", e.gradient);
                set(n, "Offset", e.offset);
                set(n, "UnitCode", e.unitCode);
                set(n, "Position", e.position);
                set(n, "Bit", e.bit);
                set(n, "BitOffset", e.BitOffset);
                set(n, "Name", e.Name);
                set(n, "VarType", e.VarType);
            }
        }
        if (ch.Kept_Events) {
            Append_Element_Bytes(c, *ch.Kept_Events);
            continue;
        }
        pugi::xml_node events = c.append_child("Events");
        for (const QByteArray &r : ch.Kept_Event_Records) Append_Element_Bytes(events, r);
        for (const TEventObjValue &e : ch.Event_List) {
            pugi::xml_node n = events.append_child("Event");
            set(n, "Enable", flag(e.Enable));
            set(n, "Code", QString::number(e.RealCode));
            set(n, "TimeOut", e.TimeOut);
            set(n, "Position", e.Position);
            set(n, "Bit", e.Bit);
            set(n, "Mnemonic", e.Mnemonic);
            set(n, "Name", e.Name);
        }
    }
    return platform::xmlBytes(doc, pugi::format_raw | pugi::format_no_declaration, "");
}

bool TIOLink_Channel_Table::Save_Configuration(QString *error) const
{
    // A file that could not be read holds a mapping this table never saw: it is not saved over.
    if (!Load_Error.isEmpty()) {
        if (error) *error = Load_Error;
        return false;
    }
    return platform::writeFileAtomic(IOLink_SetAccess_File, Configuration_Xml(), error);
}

int TIOLink_Channel_Table::Build_And_Place(int index, int start)
{
    Create_List_Variables(index);
    int s = Create_List_ProcessDataIn(index, start);
    s = Create_List_ProcessDataOut(index, s);
    return Create_List_Event(index, s);
}

bool TIOLink_Channel_Table::Load_Configuration(QString *error)
{
    Load_Error.clear();
    if (!QFileInfo::exists(IOLink_SetAccess_File)) return true;
    pugi::xml_document doc;
    const pugi::xml_node root = Read_Channel_File(doc, &Load_Error);
    if (!root) {
        if (error) *error = Load_Error;
        return false;
    }
    const pugi::xml_node list = root.child("IO-Link_Channels");
    if (!list) return true;

    QStringList problems;
    bool errors = false;
    int counter = 0;
    std::map<QString, QStringList> withoutStandard;  // missing standard-definition file -> ports
    const std::vector<pugi::xml_node> children = Child_Elements(list);
    for (size_t i = 0; i < children.size() && i < Channels.size(); ++i) {
        const pugi::xml_node child = children[i];
        TChannel_IOLink &ch = Channels[i];
        const int no = int(i) + 1;
        ch.IODD_File.clear();
        const pugi::xml_node f = child.child("IODD_File");
        if (!f) continue;
        ch.IODD_File = attributeText(f, "FileName");
        int pdStart = counter;
        bool decoded = false;
        if (!ch.IODD_File.isEmpty()) {
            const QString path = Project_Path + QStringLiteral("/IODD/") + ch.IODD_File;
            QString err;
            if (!Is_Plain_File_Name(ch.IODD_File)) {
                // Nothing outside the configuration's IODD folder is ever read.
                problems << platform::formatText(LT(1747), {no, ch.IODD_File});
                errors = true;
            } else if (!QFileInfo(path).isFile()) {
                problems << platform::formatText(LT(1748), {no, ch.IODD_File});
            } else if (decodeChannel(int(i), path, &err)) {
                decoded = true;
                pdStart = counter;
                counter = Build_And_Place(int(i), counter);
            } else {
                problems << err;
                errors = true;
            }
        }
        ch.Pin4Mode = hasAttr(f, "Pin4Mode") ? Get_Pin4Mode(attributeText(f, "Pin4Mode")) : QStringLiteral("Disable");
        ch.ReadPin2 = hasAttr(f, "ReadPin2") ? attributeText(f, "ReadPin2") : QStringLiteral("N");
        ch.Pin2_Pos = attributeText(f, "Pin2Pos");
        ch.Pin2_Bit = attributeText(f, "Pin2Bit");
        ch.Pin2_Inv = hasAttr(f, "Pin2Inv") ? attributeText(f, "Pin2Inv") : QStringLiteral("N");
        ch.Pin2_In_Type = hasAttr(f, "Pin2InType") ? attributeText(f, "Pin2InType") : QStringLiteral("None");
        ch.Pin2_Mne = attributeText(f, "Pin2Mne");
        ch.Pin4_Pos = attributeText(f, "Pin4Pos");
        ch.Pin4_Bit = attributeText(f, "Pin4Bit");
        ch.Pin4_Inv = hasAttr(f, "Pin4Inv") ? attributeText(f, "Pin4Inv") : QStringLiteral("N");
        ch.Pin4_Mne = attributeText(f, "Pin4Mne");
        ch.TimeOut = attributeText(f, "TimeOut");
        if (ch.IODD_File.isEmpty()) continue;

        const pugi::xml_node vars = child.child("Variables");
        const pugi::xml_node pd = child.child("ProcessData");
        const pugi::xml_node events = child.child("Events");
        auto keep = [](const pugi::xml_node &n) { return n ? Element_Bytes(n) : QByteArray(); };
        if (pd) ch.ProcDataCondition = StrToIntDef(QString::fromUtf8(pd.child("processDataCondition").text().get()), 0);
        if (!decoded) {
            // No entry can take the records: the mapping is kept for a later save, never emptied.
            ch.Kept_Variables = keep(vars);
            ch.Kept_ProcessData = keep(pd);
            ch.Kept_Events = keep(events);
            continue;
        }
        const TIODD &iodd = *IODD_List[i];
        // Without its standard-definition file the IODD cannot rebuild the standard variables and
        // events: their records are kept as read instead of being dropped.
        const bool partial = !iodd.StandardDef_Missing.isEmpty();
        if (partial) withoutStandard[iodd.StandardDef_Missing] << QStringLiteral("#%1").arg(no, 2, 10, QLatin1Char('0'));

        // Variables. Files of earlier versions numbered array elements from 0: when an array
        // variable's records use subindex 0, every element of that variable moves up by one.
        // Records keep their subindices, 0 included.
        QSet<QString> zeroBased;
        for (const pugi::xml_node &v : Child_Elements(vars)) {
            if (attributeText(v, "SubIndex") != QLatin1String("0")) continue;
            const QString idx = attributeText(v, "Index");
            if (isArrayVariable(iodd, idx) && ch.Get_Index(idx, QStringLiteral("0")) < 0) zeroBased.insert(idx);
        }
        for (const pugi::xml_node &v : Child_Elements(vars)) {
            const QString idx = attributeText(v, "Index");
            QString sub = attributeText(v, "SubIndex");
            int subNo;
            if (zeroBased.contains(idx) && TryStrToInt(sub, subNo)) sub = QString::number(subNo + 1);
            const int k = ch.Get_Index(idx, sub);
            if (k < 0) {
                if (partial) ch.Kept_Variable_Records.push_back(Element_Bytes(v));
                continue;
            }
            TVarObjValue &e = ch.Var_List[size_t(k)];
            e.Value = attributeText(v, "Value");
            e.Enable = attributeText(v, "Enable") == QLatin1String("True");
            e.Position = attributeText(v, "Position");
            e.Bit = attributeText(v, "Bit");
            e.Time = attributeText(v, "Time");
            e.On_CMD = attributeText(v, "On_CMD") == QLatin1String("True");
            e.On_Change = attributeText(v, "On_Change") == QLatin1String("True");
            e.On_Timer = attributeText(v, "On_Timer") == QLatin1String("True");
            e.ReadTime = attributeText(v, "ReadTime");
            e.ReadPos = attributeText(v, "ReadPos");
            e.ReadBit = attributeText(v, "ReadBit");
        }

        if (pd) {
            const auto &variants = iodd.ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
            if (!variants.empty() && !chosenVariant(iodd, ch.ProcDataCondition)) {
                // A variant this IODD does not have: its records wait until another is chosen.
                problems << platform::formatText(LT(1749), {no, ch.IODD_File, ch.ProcDataCondition});
                ch.Kept_ProcessData = keep(pd);
            } else {
                ch.ProcessData_Erase();
                const int afterIn = Create_List_ProcessDataIn(int(i), pdStart);
                counter = Create_List_ProcessDataOut(int(i), afterIn);
            }
            for (bool in : {true, false}) {
                for (const pugi::xml_node &r : Child_Elements(pd.child(in ? "ProcessDataIn" : "ProcessDataOut"))) {
                    const int k = ch.PD_Get_Index(in, attributeText(r, "VariableId"), attributeText(r, "SubIndex"));
                    // A type the missing standard definitions hold: the process data wait as saved.
                    if (k < 0 && partial && !ch.Kept_ProcessData) ch.Kept_ProcessData = keep(pd);
                    if (k < 0) continue;
                    TProcDataObjValue &e = (in ? *ch.ProcDataIn_List : *ch.ProcDataOut_List)[size_t(k)];
                    e.gradient = attributeText(r, "Gradient");
                    e.offset = attributeText(r, "Offset");
                    e.unitCode = attributeText(r, "UnitCode");
                    e.position = attributeText(r, "Position");
                    e.bit = attributeText(r, "Bit");
                }
            }
        }

        for (const pugi::xml_node &ev : Child_Elements(events)) {
            const int k = ch.Event_Get_Index(StrToIntDef(attributeText(ev, "Code"), -1));
            if (k < 0) {
                if (partial) ch.Kept_Event_Records.push_back(Element_Bytes(ev));
                continue;
            }
            TEventObjValue &e = ch.Event_List[size_t(k)];
            e.Enable = attributeText(ev, "Enable") == QLatin1String("True");
            e.TimeOut = hasAttr(ev, "TimeOut") ? attributeText(ev, "TimeOut") : QStringLiteral("1000");
            e.Position = hasAttr(ev, "Position") ? attributeText(ev, "Position") : QStringLiteral("0");
            e.Bit = hasAttr(ev, "Bit") ? attributeText(ev, "Bit") : QStringLiteral("0");
            e.Mnemonic = hasAttr(ev, "Mnemonic") ? attributeText(ev, "Mnemonic") : QStringLiteral("0");
        }
    }
    for (const auto &[file, ports] : withoutStandard)
        problems << platform::formatText(LT(1750), {file, ports.join(QStringLiteral(", "))});
    if (!problems.isEmpty()) Report(errors ? MsgKind::Error : MsgKind::Warning, problems.join(QLatin1Char('\n')));
    return true;
}
