#pragma once
// In-memory model of one IO-Link device description (IODD) and its reader.
//
// Usage (every user creates one TIODD per file and decodes it once):
//
//     TIODD iodd;
//     iodd.StandardDef_Path = IOLink_StaDef_Dir;          // folder with trailing '/'
//     iodd.Decode_IODD(path, /*Simple_Decode=*/false);    // throws EIODDError
//     QString dev = iodd.GetDesc_ExtTextCol(false, iodd.ProfileBody.DeviceIdentity.DeviceName);
//
// The simple decode fills only the device identity and the primary-language texts; the full
// decode fills everything below and reads the matching standard-definition file
// ("IODD-StandardDefinitions1.1.xml" or "IODD-StandardDefinitions1.0.1.xml") from
// StandardDef_Path, so standard variables, data types, events and texts resolve through it.
//
// The tree is plain data: filled once by the reader, then only read. A TIODD owns its tree
// (lists hold std::shared_ptr). The entries of the SD_ parts are shared, read-only, between all
// TIODD objects decoded against the same unchanged standard-definition file, and
// TEventCollection::StdEventRef_List points at the events of SD_EventCollection; each TIODD
// keeps what it points at alive. For speed a full decode takes the tree's entries and texts
// from a few large blocks; every entry and every QString copied out keeps its block alive,
// so copies stay valid after the TIODD is gone. Text tables keep the file's UTF-8 texts and
// convert one when it is asked for (TTextList).
//
// Text ids (Name, Description, VendorText, ...) are resolved with TIODD::GetDesc_ExtTextCol.
// Every text is the file's primary language; other languages of the file are not read.
//
// Where to look:
//  - identity and variants: ProfileBody.DeviceIdentity; physical layer: PhysicalLayer.Get_BitRate(),
//    Get_MinCycleTime();
//  - variables: ProfileBody.DeviceFunction.VariableCollection (StdVar_List: references, whose
//    definition is Get_Index_Var_Ref(iodd), queried with VarRef true; Var_List: own variables,
//    VarRef false); the resolved type of a variable is ResolvedDataType(iodd, VarRef), of any
//    TDataType TIODD::Resolve_DataType(dt, VarRef);
//  - a complex type's items: TComplexDataType::ArrItem (array element type, at most one; also
//    ArrayElementType()) and RecItem (record items in file order, each with SubIndex, BitOffset
//    and SimpleTD, whose Get_ActualSimpleDataType/Get_Length follow a reference);
//  - process data: ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List, each with
//    an optional Condition and ProcessDataIn/ProcessDataOut (BitLength, DataType,
//    Get_DataTypeStr; DataType resolves in the device's own collection only);
//  - events: EventCollection.StdEventRef_List (standard events, names with StdDef true) and
//    Event_List (own events, StdDef false); menus: UserInterface.MenuCollection.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include "platform/Xml.h"
#include <stdexcept>
#include <vector>

class TIODD;

template <class T>
using TOwnedList = std::vector<std::shared_ptr<T>>;

// A decode that has to stop: malformed XML, a file that is no IODD, a required attribute
// missing, an unknown data type. Carries a readable message naming file and line.
class EIODDError : public std::runtime_error {
public:
    explicit EIODDError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

enum TProfileRevision { prPR10, prPR11 };
enum TActualSimpleDataType {
    asdtNONE, asdtBooleanT, asdtUIntegerT, asdtIntegerT, asdtFloat32T,
    asdtStringT, asdtOctetStringT, asdtTimeT, asdtTimeSpanT
};
enum TActualComplexDataType { acdtNONE, acdtArrayT, acdtRecordT };
enum TVariableType { vtVariable, vtStdVarRef };
enum TAccessRights { arRO, arRW, arWO };

// "Read Only", "Read Write", "Write Only".
QString AccessRightsText(TAccessRights a);

struct TDocumentInfo {
    QString Version, ReleaseDate, Copyright;
};

struct TProfileHeader {
    QString ProfileIdentification;
    TProfileRevision ProfileRevision = prPR10;
    QString ProfileName, ProfileSource, ProfileClassID;
    QString ISO15745Part, ISO15745Edition, ProfileTechnology;
};

struct TDeviceVariant {
    QString ProductId, DeviceSymbol, DeviceIcon;
    QString Name, Description;  // text ids
};

struct TDeviceIdentity {
    QString VendorId;             // decimal, as written
    QString VendorName;           // the name itself, not a text id
    QString DeviceId;             // decimal, as written
    QString VendorText, VendorUrl;  // text ids
    QString VendorLogo;           // file name
    QString DeviceName, DeviceFamily;  // text ids
    TOwnedList<TDeviceVariant> DeviceVariant_List;
};

struct TFeatures {
    bool BlockParameter = false;
    bool DataStorage = false;
    bool SAL_LocalUserInterface = false;
    bool SAL_DataStorage = false;
    bool SAL_Parameter = false;
    bool SAL_LocalParameterization = false;
};

// Entries of TSimpleDataType::SingleValueRange; tell them apart with dynamic_cast.
struct TValueBase {
    virtual ~TValueBase() = default;
    QString Name;  // text id
};
struct TBooleanValueT : TValueBase {
    bool Value = false;
};
struct TIntegerValueRangeT : TValueBase {
    bool ValueType = false;  // true: single Value; false: LowerValue..UpperValue
    qint32 Value = 0;
    qint64 LowerValue = 0, UpperValue = 0;
};
struct TFloat32ValueRangeT : TValueBase {
    bool ValueType = false;
    float Value = 0, LowerValue = 0, UpperValue = 0;
};

struct TSimpleDataType {
    bool IsSimpleDataRef = false;  // only refers to DataTypeId
    QString DataTypeId;
    TActualSimpleDataType ActualSimpleDataType = asdtNONE;
    QString Id;
    qint32 BitLength = 0;    // integer types
    qint32 FixedLength = 0;  // string types, in bits (8 x the file's octets)
    QString Encodig;         // string encoding
    TOwnedList<TValueBase> SingleValueRange;

    // Type name ("UIntegerT", ...); a reference is looked up in the collection chosen by
    // VarRef (true: standard definitions, false: the device's own); empty when unresolved.
    QString Get_ActualSimpleDataType(const TIODD &aIODD, bool VarRef) const;
    // Length in bits as decimal text, following a reference likewise; empty when none.
    QString Get_Length(const TIODD &aIODD, bool VarRef) const;

    // Name and length of this object's own kind (no reference following).
    static QString TypeName(TActualSimpleDataType t);
    QString OwnLength() const;

    // From the reader's per-model arena while a decode runs, else the heap.
    static void *operator new(size_t size);
    static void operator delete(void *p, size_t size) noexcept;
};

struct TRecordItem {
    qint32 SubIndex = 0;
    qint32 BitOffset = 0;
    TAccessRights AccessRightRestriction = arRO;  // not read: stays arRO
    bool AccessRightResPresent = false;           // not read: stays false
    QString Name, Description;                    // text ids
    std::unique_ptr<TSimpleDataType> SimpleTD;    // full simple type or a reference

    QString GetAccessRightRestrictionStr() const { return AccessRightsText(AccessRightRestriction); }
};

struct TComplexDataType {
    TActualComplexDataType ActualComplexDataType = acdtNONE;
    QString Id;
    bool SubIndexAccessSupPresent = false;
    bool SubIndexAccessSup = false;
    qint32 Count = 0;      // ArrayT element count
    qint32 BitLength = 0;  // RecordT length in bits
    // The item list of the description, split by kind:
    TOwnedList<TSimpleDataType> ArrItem;  // ArrayT: at most one entry, the element type
    TOwnedList<TRecordItem> RecItem;      // RecordT: the record items in file order

    // The ArrayT element type, or nullptr.
    const TSimpleDataType *ArrayElementType() const { return ArrItem.empty() ? nullptr : ArrItem.front().get(); }
    // "None", "ArrayT", "RecordT".
    QString Get_ActualComplexDataType() const;

    // From the reader's per-model arena while a decode runs, else the heap.
    static void *operator new(size_t size);
    static void operator delete(void *p, size_t size) noexcept;
};

struct TDataType {
    bool IsSimpleDataType = true;
    bool IsDataTypeRef = false;
    QString Ref_DataTypeId;  // when IsDataTypeRef
    std::unique_ptr<TSimpleDataType> SimpleDataType;
    std::unique_ptr<TComplexDataType> ComplexDataType;

    // Own id of a collection entry (simple or complex part), empty for a reference.
    QString OwnId() const;

    // From the reader's per-model arena while a decode runs, else the heap.
    static void *operator new(size_t size);
    static void operator delete(void *p, size_t size) noexcept;
};

struct TDataTypeCollection {
    TOwnedList<TDataType> ListDataType;  // never holds references

    // Index of the first entry whose own id equals id (case-sensitive), -1 when none.
    int GetDTIndex(const QString &id) const;
    const TDataType *at(int index) const;  // nullptr when out of range
};

struct TRecordItemInfo {
    qint32 Subindex = 0;
    QString DefaultValue;
    bool ModifiesOtherVariables = false;
    bool ExcludedFromDataStorage = false;
};

struct TVariable {
    TVariableType VarType = vtVariable;
    QString Id;
    TAccessRights AccessRights = arRW;
    bool Dynamic_V = false;
    bool ModifiesOtherVariables = false;
    bool ExcludedFromDataStorage = false;
    qint32 Index = 1;
    QString DefaultValue;
    std::unique_ptr<TDataType> DataType;  // none for a vtStdVarRef
    TOwnedList<TRecordItemInfo> RecordItemInfoList;
    QString Name, Description;  // text ids
    qint32 FixedLengthRestriction = 0;
    TOwnedList<TValueBase> SingleValueRangeList;  // left empty by the reader
    TOwnedList<TRecordItem> StdRecordItemRefList;  // left empty by the reader

    // The variable's data type after resolving a reference in the collection chosen by VarRef
    // (true: standard definitions, false: the device's own); nullptr when unresolved.
    const TDataType *ResolvedDataType(const TIODD &aIODD, bool VarRef) const;
    QString Get_DataType(const TIODD &aIODD, bool VarRef) const;
    QString Get_Length(const TIODD &aIODD, bool VarRef) const;
    QString Get_SubIndAccSup(const TIODD &aIODD, bool VarRef) const;  // "True" / "False"
    QString Get_AccessRights() const { return AccessRightsText(AccessRights); }
    // For a vtStdVarRef: its definition in the standard definitions (by Id), else nullptr.
    const TVariable *Get_Index_Var_Ref(const TIODD &aIODD) const;
};

struct TVariableCollection {
    TOwnedList<TVariable> Var_List;     // vtVariable
    TOwnedList<TVariable> StdVar_List;  // vtStdVarRef

    // By index (decimal text; -1 when not a number): standard references first (compared by
    // their definition's index; the reference itself is returned), then own variables.
    // SubIndex takes no part in the search.
    const TVariable *Get_Variables(const QString &Index, const QString &SubIndex, const TIODD &IODD) const;
    // By id: standard references first, then own variables.
    const TVariable *Get_Variables_IDs(const QString &VarIDs) const;
};

struct TCondition {
    QString VariableId;
    qint32 SubIndex = 0;
    qint32 Value = 0;

    // From the reader's per-model arena while a decode runs, else the heap.
    static void *operator new(size_t size);
    static void operator delete(void *p, size_t size) noexcept;
};

struct TProcessDataInOut {
    QString Id;
    qint32 BitLength = 0;
    QString Name;  // text id
    TDataType DataType;

    // The device collection's entry for DataType.Ref_DataTypeId, or nullptr.
    const TDataType *GetDataType(const TIODD &aIODD) const;
    // The type's name; a reference resolves in the device's own collection only.
    QString Get_DataTypeStr(const TIODD &aIODD) const;
    // Scaling from the device's menus (last matching entry wins; defaults "1", "0", "").
    QString Get_Gradient(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn, const QString &SubIndex) const;
    QString Get_Offset(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn, const QString &SubIndex) const;
    QString Get_UnitCode(const TIODD &aIODD, bool SimpleDataType, bool ProcessDataIn, const QString &SubIndex) const;

    // From the reader's per-model arena while a decode runs, else the heap.
    static void *operator new(size_t size);
    static void operator delete(void *p, size_t size) noexcept;
};

struct TProcessData {
    QString Id;
    std::unique_ptr<TCondition> Condition;
    std::unique_ptr<TProcessDataInOut> ProcessDataIn;
    std::unique_ptr<TProcessDataInOut> ProcessDataOut;
};

struct TProcessDataCollection {
    TOwnedList<TProcessData> ProcessData_List;
};

struct TEventData {
    qint32 Code = -1;
    QString EventType;
    QString Name, Description;  // text ids (of the standard definitions for standard events)
};

struct TEventCollection {
    std::vector<const TEventData *> StdEventRef_List;  // events of TIODD::SD_EventCollection
    TOwnedList<TEventData> Event_List;
};

// Entries of TMenu::MenuVariableRef_List; TMenuRecordItemRef adds SubIndex.
struct TMenuRef {
    virtual ~TMenuRef() = default;
    virtual bool IsRecordItemRef() const { return false; }
    QString VariableId, Gradient, Offset, UnitCode, AccessRightRestriction, DisplayFormat;
};
struct TMenuVariableRef : TMenuRef {};
struct TMenuRecordItemRef : TMenuRef {
    bool IsRecordItemRef() const override { return true; }
    QString SubIndex;
};

struct TMenu {
    QString Id;
    QString Name;  // text id
    TOwnedList<TMenuRef> MenuVariableRef_List;
};

struct TMenuCollection {
    TOwnedList<TMenu> Menu_List;
};

struct TUserInterface {
    TMenuCollection MenuCollection;
};

struct TDeviceFunction {
    TFeatures Features;
    TDataTypeCollection DataTypeCollection;
    TVariableCollection VariableCollection;
    TProcessDataCollection ProcessDataCollection;
    TEventCollection EventCollection;
    TUserInterface UserInterface;
};

struct TProfileBody {
    TDeviceIdentity DeviceIdentity;
    TDeviceFunction DeviceFunction;
};

// Text table of one language of the file: ids and texts at the same index, file order.
struct TExtTextLanguage {
    QString Lang_Code;
    QStringList List_Ids, Values;
};

// A list of texts used like a QStringList. The reader fills it with the UTF-8 texts of the
// parsed file (the list shares the file's bytes, so it stays valid on its own) and each text
// becomes a QString only when it is asked for; texts given by code are kept as given.
// Copies share the entries until one of them is changed.
class TTextList {
public:
    TTextList() = default;
    TTextList &operator=(std::initializer_list<QString> texts);
    TTextList &operator=(const QStringList &texts);

    qsizetype size() const { return m_entries ? qsizetype(m_entries->size()) : 0; }
    bool isEmpty() const { return size() == 0; }
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QString first() const { return at(0); }
    operator QStringList() const;

    void clear();
    void reserve(qsizetype n);
    void append(const QString &text);
    // Index of the first text equal to text ignoring letter case, -1 when none.
    qsizetype indexOfIgnoringCase(const QString &text) const;

    // Reader: text is NUL-terminated UTF-8 inside source, which the list keeps.
    void appendFromFile(const char *text, const QByteArray &source);

private:
    struct Entry {
        const char *utf8 = nullptr;  // a text of the file, or null for a given one
        QString text;
    };
    std::vector<Entry> &entries();
    std::shared_ptr<const std::vector<Entry>> m_entries;
    QByteArray m_source;
};

struct TExtTextCol {
    QString Lang_Code_Primary;
    TTextList List_Ids;
    TTextList PriLang_Values;
    TOwnedList<TExtTextLanguage> OtherLang;  // never filled by the reader

    void Erase_All();
    // Index of ID in List_Ids ignoring letter case, first match; -1 when absent.
    int Find_ID(const QString &ID) const;
    bool Get_Value_From_ID(const QString &ID, QString &Value) const;
};

struct TPhysicalLayer {
    QString BitRate;       // as written, e.g. "COM2"
    QString MinCycleTime;  // microseconds, as written
    bool SIOSupported = false;
    QString MSequenceCapability;

    int Get_BitRate() const;       // COM1..COM3 -> 1..3; 0 otherwise
    int Get_MinCycleTime() const;  // 0 when empty or not a number
};

// The parts of a standard-definition file that device files refer to.
struct TStandardDefinitions {
    platform::XmlFile Xml;
    TExtTextCol ExtTextCol;
    TDataTypeCollection DataTypeCollection;
    TVariableCollection VariableCollection;
    TEventCollection EventCollection;  // Event_List only
};

class TIODD {
public:
    TIODD();
    ~TIODD();
    TIODD(const TIODD &) = delete;
    TIODD &operator=(const TIODD &) = delete;

    platform::XmlFile Xml1;  // device file
    const platform::XmlFile &Xml2() const;  // standard-definition file (empty when not read)

    const QString &IODD_FileName() const { return m_fileName; }
    QString StandardDef_Path;  // folder of the standard-definition files, trailing separator
    // The standard-definition file a full decode looked for in StandardDef_Path and did not find
    // ("IODD-StandardDefinitions1.1.xml" or "IODD-StandardDefinitions1.0.1.xml"); empty when it
    // was read or not needed. The device's references to it then stay unresolved.
    QString StandardDef_Missing;

    TDocumentInfo DocumentInfo;
    TProfileHeader ProfileHeader;
    TProfileBody ProfileBody;
    TExtTextCol ExtTextCol;
    TPhysicalLayer PhysicalLayer;
    // From the standard-definition file; empty when it was not read (simple decode, file missing).
    TExtTextCol SD_ExtTextCol;
    TDataTypeCollection SD_DataTypeCollection;
    TVariableCollection SD_VariableCollection;
    TEventCollection SD_EventCollection;

    // Decodes the file. A missing file does nothing (answer false). A file that is not well-formed
    // XML or not decodable in its encoding (read through platform::XmlFile), a root other than
    // IODevice, a missing required attribute, an unknown data type, a size or bit offset out of
    // its range, a DatatypeRef to a type neither the file nor the read standard definitions hold,
    // or (full decode) a missing physical layer throws EIODDError naming file, line and cause;
    // what was read before stays.
    bool Decode_IODD(const QString &IODD_FileName, bool Simple_Decode);

    // Text for a text id from the device's texts (StdDef false) or the standard definitions'
    // (StdDef true), ids compared ignoring case; the id itself when not found.
    QString GetDesc_ExtTextCol(bool StdDef, const QString &Text) const;
    const TEventData *Get_Event_SD(qint32 Code) const;
    int Find_Var_SD(const QString &ID) const;
    int Find_DataType(const QString &ID_DataType, const TDataTypeCollection &DTC) const { return DTC.GetDTIndex(ID_DataType); }
    // Collection used to resolve references: standard definitions (VarRef true) or device.
    const TDataTypeCollection &DataTypes(bool VarRef) const;
    // dt itself, or for a reference its target in the collection chosen by VarRef (nullptr when none).
    const TDataType *Resolve_DataType(const TDataType *dt, bool VarRef) const;

    // Reading steps (each takes its parent node where it has one). The Read_SD_ steps fill the
    // standard definitions being read by Read_StandardDef.
    bool Read_DocumentInfo();
    bool Read_ProfileHeader();
    bool Read_StandardDef();
    bool Read_SD_ExternalTextCollection(platform::XmlNode root, TStandardDefinitions &sd);
    bool Read_SD_DatatypeCollection(platform::XmlNode root, TStandardDefinitions &sd);
    bool Read_SD_VariableCollection(platform::XmlNode root, TStandardDefinitions &sd);
    bool Read_SD_EventCollection(platform::XmlNode root, TStandardDefinitions &sd);
    bool Read_ProfileBody(bool Simple_Decode);
    bool Read_ProfileBody_DeviceIdentity(platform::XmlNode ProBody);
    bool Read_ProfileBody_DeviceFunction_Features(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_DataTypeCollection(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_VariableCollection(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_ProcessDataCollection(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_EventCollection(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_UserInterface(platform::XmlNode DevFun);
    bool Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(platform::XmlNode UserInt);
    bool Read_ExternalTextCollection();
    bool Read_CommNetworkProfile();

    bool Read_DataType(platform::XmlNode XmlDT, TDataType &App_DT);
    bool Decode_SimpleDataType(platform::XmlNode main_xml, const QString &DataType, TSimpleDataType &app_SDT);
    bool Read_SingleValueRange(platform::XmlNode XmlSVR, TSimpleDataType &app_SDT);
    bool Read_Variable(platform::XmlNode XmlVar, TVariable &App_Var, bool &VarRef);
    bool Read_RecordItemInfo(platform::XmlNode XmlRII, TRecordItemInfo &App_RII);
    bool Read_ProcessData(platform::XmlNode XmlPD, TProcessData &App_PD);
    bool Read_Menu(platform::XmlNode XmlMC, TMenu &App_Menu);
    bool Read_Event(platform::XmlNode XmlEVE, TEventData &App_Event, bool &EventRef);

private:
    [[noreturn]] void fail(platform::XmlNode at, const QString &what) const;
    [[noreturn]] void failAtLine(int line, const QString &what) const;
    struct Range {
        qint64 min, max;
    };
    static const Range kIntegerBits, kStringOctets, kArrayCount, kRecordBits, kBitOffset, kProcessDataBits;
    qint32 rangedAttr(platform::XmlAttr a, Range range, qint32 def) const;
    void noteTypeRef(platform::XmlAttr datatypeId);
    void checkTypeRefs(const TDataTypeCollection &own, const TDataTypeCollection *standard, const QString &holders);
    QString requireAttr(platform::XmlNode n, const char *name) const;
    QString requireTextId(platform::XmlNode parent, const char *child) const;
    int simpleKind(platform::XmlNode n) const;
    void decodeSimple(platform::XmlNode n, int kind, TSimpleDataType &t);
    void readTextTable(platform::XmlNode lang, TExtTextCol &col, bool onlyTextElements);
    // Reads, checks and parses path into xml, which the nodes being read belong to from now on.
    void parseFile(const QString &path, platform::XmlFile &xml);

    QString m_fileName;
    const platform::XmlFile *m_parsing = nullptr;  // file the nodes being read belong to
    std::vector<platform::XmlAttr> m_typeRefs;      // datatypeId attributes not yet checked
    bool m_standardRead = false;                    // the standard definitions of this decode were read
    std::shared_ptr<const TStandardDefinitions> m_sd;  // the file behind the SD_ parts
};
