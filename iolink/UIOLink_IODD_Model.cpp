// Queries of the IODD object model.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/IODD_Numbers.h"

QString AccessRightsText(TAccessRights a)
{
    switch (a) {
    case arRO: return QStringLiteral("Read Only");
    case arRW: return QStringLiteral("Read Write");
    case arWO: return QStringLiteral("Write Only");
    }
    return {};
}

// ---- simple data type ----

QString TSimpleDataType::TypeName(TActualSimpleDataType t)
{
    switch (t) {
    case asdtNONE: return QStringLiteral("None");
    case asdtBooleanT: return QStringLiteral("BooleanT");
    case asdtUIntegerT: return QStringLiteral("UIntegerT");
    case asdtIntegerT: return QStringLiteral("IntegerT");
    case asdtFloat32T: return QStringLiteral("Float32T");
    case asdtStringT: return QStringLiteral("StringT");
    case asdtOctetStringT: return QStringLiteral("OctetStringT");
    case asdtTimeT: return QStringLiteral("TimeT");
    case asdtTimeSpanT: return QStringLiteral("TimeSpanT");
    }
    return {};
}

QString TSimpleDataType::OwnLength() const
{
    switch (ActualSimpleDataType) {
    case asdtBooleanT: return QStringLiteral("1");
    case asdtUIntegerT:
    case asdtIntegerT: return QString::number(BitLength);
    case asdtFloat32T: return QStringLiteral("32");
    case asdtStringT:
    case asdtOctetStringT: return QString::number(FixedLength);
    case asdtTimeSpanT: return QStringLiteral("64");
    case asdtNONE:
    case asdtTimeT: break;
    }
    return {};
}

// The simple type a (possibly referring) entry stands for; nullptr when unresolved or complex.
static const TSimpleDataType *resolveSimple(const TSimpleDataType &s, const TIODD &iodd, bool varRef)
{
    if (!s.IsSimpleDataRef)
        return &s;
    const TDataTypeCollection &dtc = iodd.DataTypes(varRef);
    const TDataType *dt = dtc.at(dtc.GetDTIndex(s.DataTypeId));
    if (!dt || !dt->IsSimpleDataType || !dt->SimpleDataType)
        return nullptr;
    return dt->SimpleDataType.get();
}

QString TSimpleDataType::Get_ActualSimpleDataType(const TIODD &aIODD, bool VarRef) const
{
    const TSimpleDataType *s = resolveSimple(*this, aIODD, VarRef);
    return s ? TypeName(s->ActualSimpleDataType) : QString();
}

QString TSimpleDataType::Get_Length(const TIODD &aIODD, bool VarRef) const
{
    const TSimpleDataType *s = resolveSimple(*this, aIODD, VarRef);
    return s ? s->OwnLength() : QString();
}

// ---- complex data type, data type and collection ----

QString TComplexDataType::Get_ActualComplexDataType() const
{
    switch (ActualComplexDataType) {
    case acdtArrayT: return QStringLiteral("ArrayT");
    case acdtRecordT: return QStringLiteral("RecordT");
    case acdtNONE: break;
    }
    return QStringLiteral("None");
}

QString TDataType::OwnId() const
{
    if (IsSimpleDataType)
        return SimpleDataType ? SimpleDataType->Id : QString();
    return ComplexDataType ? ComplexDataType->Id : QString();
}

int TDataTypeCollection::GetDTIndex(const QString &id) const
{
    for (size_t i = 0; i < ListDataType.size(); ++i) {
        const TDataType &dt = *ListDataType[i];
        const QString *own = nullptr;
        if (dt.IsSimpleDataType && dt.SimpleDataType)
            own = &dt.SimpleDataType->Id;
        else if (!dt.IsSimpleDataType && dt.ComplexDataType)
            own = &dt.ComplexDataType->Id;
        if (own && *own == id)
            return int(i);
    }
    return -1;
}

const TDataType *TDataTypeCollection::at(int index) const
{
    if (index < 0 || size_t(index) >= ListDataType.size())
        return nullptr;
    return ListDataType[size_t(index)].get();
}

// ---- variables ----

const TDataType *TVariable::ResolvedDataType(const TIODD &aIODD, bool VarRef) const
{
    return aIODD.Resolve_DataType(DataType.get(), VarRef);
}

QString TVariable::Get_DataType(const TIODD &aIODD, bool VarRef) const
{
    const TDataType *dt = ResolvedDataType(aIODD, VarRef);
    if (!dt)
        return {};
    if (dt->IsSimpleDataType)
        return dt->SimpleDataType ? dt->SimpleDataType->Get_ActualSimpleDataType(aIODD, VarRef) : QString();
    return dt->ComplexDataType ? dt->ComplexDataType->Get_ActualComplexDataType() : QString();
}

QString TVariable::Get_Length(const TIODD &aIODD, bool VarRef) const
{
    const TDataType *dt = ResolvedDataType(aIODD, VarRef);
    if (!dt)
        return {};
    if (dt->IsSimpleDataType)
        return dt->SimpleDataType ? dt->SimpleDataType->OwnLength() : QString();
    if (dt->ComplexDataType && dt->ComplexDataType->ActualComplexDataType == acdtRecordT)
        return QString::number(dt->ComplexDataType->BitLength);
    return {};
}

QString TVariable::Get_SubIndAccSup(const TIODD &aIODD, bool VarRef) const
{
    const TDataType *dt = ResolvedDataType(aIODD, VarRef);
    bool sup = dt && !dt->IsSimpleDataType && dt->ComplexDataType
               && dt->ComplexDataType->SubIndexAccessSupPresent && dt->ComplexDataType->SubIndexAccessSup;
    return sup ? QStringLiteral("True") : QStringLiteral("False");
}

const TVariable *TVariable::Get_Index_Var_Ref(const TIODD &aIODD) const
{
    if (VarType != vtStdVarRef)
        return nullptr;
    int i = aIODD.Find_Var_SD(Id);
    return i < 0 ? nullptr : aIODD.SD_VariableCollection.Var_List[size_t(i)].get();
}

const TVariable *TVariableCollection::Get_Variables(const QString &Index, const QString &SubIndex,
                                                    const TIODD &IODD) const
{
    Q_UNUSED(SubIndex);
    const QByteArray text = Index.toUtf8();
    const qint32 index = iodd_numbers::toInt32(text.constData(), -1);
    for (const auto &ref : StdVar_List) {
        const TVariable *def = ref->Get_Index_Var_Ref(IODD);
        if (def && def->Index == index)
            return ref.get();
    }
    for (const auto &var : Var_List)
        if (var->Index == index)
            return var.get();
    return nullptr;
}

const TVariable *TVariableCollection::Get_Variables_IDs(const QString &VarIDs) const
{
    for (const auto &ref : StdVar_List)
        if (ref->Id == VarIDs)
            return ref.get();
    for (const auto &var : Var_List)
        if (var->Id == VarIDs)
            return var.get();
    return nullptr;
}

// ---- process data ----

const TDataType *TProcessDataInOut::GetDataType(const TIODD &aIODD) const
{
    const TDataTypeCollection &dtc = aIODD.DataTypes(false);
    return dtc.at(dtc.GetDTIndex(DataType.Ref_DataTypeId));
}

QString TProcessDataInOut::Get_DataTypeStr(const TIODD &aIODD) const
{
    const TDataType *dt = &DataType;
    if (DataType.IsDataTypeRef) {
        dt = GetDataType(aIODD);
        if (!dt)
            return {};
    }
    if (dt->IsSimpleDataType)
        return dt->SimpleDataType ? dt->SimpleDataType->Get_ActualSimpleDataType(aIODD, false) : QString();
    return dt->ComplexDataType ? dt->ComplexDataType->Get_ActualComplexDataType() : QString();
}

namespace {
enum class Scale { Gradient, Offset, UnitCode };

QString menuScale(const TIODD &iodd, Scale what, bool simple, bool in, const QString &subIndex)
{
    QString result = what == Scale::Gradient ? QStringLiteral("1")
                     : what == Scale::Offset ? QStringLiteral("0")
                                             : QString();
    const QString target = in ? QStringLiteral("V_ProcessDataInput") : QStringLiteral("V_ProcessDataOutput");
    for (const auto &menu : iodd.ProfileBody.DeviceFunction.UserInterface.MenuCollection.Menu_List) {
        for (const auto &ref : menu->MenuVariableRef_List) {
            bool match;
            if (simple)
                match = !ref->IsRecordItemRef() && ref->VariableId == target;
            else
                match = ref->IsRecordItemRef() && ref->VariableId == target
                        && static_cast<const TMenuRecordItemRef &>(*ref).SubIndex == subIndex;
            if (!match)
                continue;
            result = what == Scale::Gradient ? ref->Gradient : what == Scale::Offset ? ref->Offset : ref->UnitCode;
        }
    }
    return result;
}
} // namespace

QString TProcessDataInOut::Get_Gradient(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn,
                                        const QString &SubIndex) const
{
    return menuScale(aIODD, Scale::Gradient, SimpleDataType, ProcessDataIn, SubIndex);
}

QString TProcessDataInOut::Get_Offset(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn,
                                      const QString &SubIndex) const
{
    return menuScale(aIODD, Scale::Offset, SimpleDataType, ProcessDataIn, SubIndex);
}

QString TProcessDataInOut::Get_UnitCode(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn,
                                        const QString &SubIndex) const
{
    return menuScale(aIODD, Scale::UnitCode, SimpleDataType, ProcessDataIn, SubIndex);
}

// ---- texts ----

std::vector<TTextList::Entry> &TTextList::entries()
{
    if (!m_entries)
        m_entries = std::make_shared<std::vector<Entry>>();
    else if (m_entries.use_count() > 1)
        m_entries = std::make_shared<std::vector<Entry>>(*m_entries);
    return const_cast<std::vector<Entry> &>(*m_entries);
}

TTextList &TTextList::operator=(std::initializer_list<QString> texts)
{
    clear();
    reserve(qsizetype(texts.size()));
    for (const QString &t : texts)
        append(t);
    return *this;
}

TTextList &TTextList::operator=(const QStringList &texts)
{
    clear();
    reserve(texts.size());
    for (const QString &t : texts)
        append(t);
    return *this;
}

QString TTextList::at(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < size());
    const Entry &e = (*m_entries)[size_t(i)];
    return e.utf8 ? QString::fromUtf8(e.utf8) : e.text;
}

TTextList::operator QStringList() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

void TTextList::clear()
{
    m_entries.reset();
    m_source.clear();
}

void TTextList::reserve(qsizetype n)
{
    entries().reserve(size_t(n));
}

void TTextList::append(const QString &text)
{
    entries().push_back({nullptr, text});
}

void TTextList::appendFromFile(const char *text, const QByteArray &source)
{
    if (m_source.constData() != source.constData())
        m_source = source;
    entries().push_back({text, QString()});
}

qsizetype TTextList::indexOfIgnoringCase(const QString &text) const
{
    const qsizetype n = size();
    const char16_t *want = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype wantLen = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const Entry &e = (*m_entries)[size_t(i)];
        if (!e.utf8) {
            if (e.text.compare(text, Qt::CaseInsensitive) == 0)
                return i;
            continue;
        }
        // ASCII on both sides folds by letters alone; anything else goes the long way.
        const unsigned char *s = reinterpret_cast<const unsigned char *>(e.utf8);
        qsizetype k = 0;
        bool slow = false, equal = true;
        for (;; ++k, ++s) {
            const unsigned c = *s;
            if (c == 0 || k == wantLen) {
                equal = c == 0 && k == wantLen;
                break;
            }
            const unsigned w = want[k];
            if (c >= 0x80 || w >= 0x80) {
                slow = true;
                break;
            }
            const unsigned lc = c >= 'A' && c <= 'Z' ? c + 32 : c;
            const unsigned lw = w >= 'A' && w <= 'Z' ? w + 32 : w;
            if (lc != lw) {
                equal = false;
                break;
            }
        }
        if (slow ? QString::fromUtf8(e.utf8).compare(text, Qt::CaseInsensitive) == 0 : equal)
            return i;
    }
    return -1;
}

void TExtTextCol::Erase_All()
{
    List_Ids.clear();
    PriLang_Values.clear();
    OtherLang.clear();
}

int TExtTextCol::Find_ID(const QString &ID) const
{
    return int(List_Ids.indexOfIgnoringCase(ID));
}

bool TExtTextCol::Get_Value_From_ID(const QString &ID, QString &Value) const
{
    Value.clear();
    const int i = Find_ID(ID);
    if (i < 0 || i >= PriLang_Values.size())
        return false;
    Value = PriLang_Values[i];
    return true;
}

// ---- physical layer ----

int TPhysicalLayer::Get_BitRate() const
{
    const QString s = BitRate.toUpper().trimmed();
    const int at = s.indexOf(QLatin1String("COM"));
    if (s.isEmpty() || at < 0)
        return 0;
    const QByteArray rest = s.mid(at + 3).trimmed().toUtf8();
    return iodd_numbers::toInt32(rest.constData(), 0);
}

int TPhysicalLayer::Get_MinCycleTime() const
{
    const QByteArray text = MinCycleTime.toUtf8();
    return iodd_numbers::toInt32(text.constData(), 0);
}

// ---- TIODD queries ----

static const std::shared_ptr<const TStandardDefinitions> &noStandardDefinitions()
{
    static const std::shared_ptr<const TStandardDefinitions> none = std::make_shared<TStandardDefinitions>();
    return none;
}

TIODD::TIODD() : m_sd(noStandardDefinitions()) {}

const platform::XmlFile &TIODD::Xml2() const { return m_sd->Xml; }
TIODD::~TIODD() = default;

QString TIODD::GetDesc_ExtTextCol(bool StdDef, const QString &Text) const
{
    QString value;
    if ((StdDef ? SD_ExtTextCol : ExtTextCol).Get_Value_From_ID(Text, value))
        return value;
    return Text;
}

const TEventData *TIODD::Get_Event_SD(qint32 Code) const
{
    for (const auto &ev : SD_EventCollection.Event_List)
        if (ev->Code == Code)
            return ev.get();
    return nullptr;
}

int TIODD::Find_Var_SD(const QString &ID) const
{
    const auto &list = SD_VariableCollection.Var_List;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->Id == ID)
            return int(i);
    return -1;
}

const TDataTypeCollection &TIODD::DataTypes(bool VarRef) const
{
    return VarRef ? SD_DataTypeCollection : ProfileBody.DeviceFunction.DataTypeCollection;
}

const TDataType *TIODD::Resolve_DataType(const TDataType *dt, bool VarRef) const
{
    if (!dt || !dt->IsDataTypeRef)
        return dt;
    const TDataTypeCollection &dtc = DataTypes(VarRef);
    return dtc.at(dtc.GetDTIndex(dt->Ref_DataTypeId));
}
