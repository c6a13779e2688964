// The IODD reader on small fixtures: every section, both depths, the standard definitions,
// byte-level variants of the same file and the files it must refuse.
#include "iolink/UIOLink_IODD_Decode.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << l.join(QStringLiteral(" | ")).toStdString(); }

namespace {

QString fixtureDir() { return testsupport::dataDir() + QStringLiteral("/iodd/"); }
QString fixture() { return fixtureDir() + QStringLiteral("Test-Device-IODD1.1.xml"); }
QString stdDir() { return fixtureDir() + QStringLiteral("std/"); }

QByteArray fixtureBytes()
{
    QFile f(fixture());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QString writeTemp(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.path() + QLatin1Char('/') + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

std::unique_ptr<TIODD> decodeFile(const QString &path, bool simple = false, const QString &std = stdDir())
{
    auto iodd = std::make_unique<TIODD>();
    iodd->StandardDef_Path = std;
    iodd->Decode_IODD(path, simple);
    return iodd;
}

const TDeviceFunction &df(const TIODD &iodd) { return iodd.ProfileBody.DeviceFunction; }

const TVariable *var(const TIODD &iodd, const char *id)
{
    return df(iodd).VariableCollection.Get_Variables_IDs(QString::fromLatin1(id));
}

QStringList recordLayout(const TIODD &iodd, const TDataType *dt, bool varRef)
{
    QStringList out;
    dt = iodd.Resolve_DataType(dt, varRef);
    if (!dt || !dt->ComplexDataType)
        return {QStringLiteral("not complex")};
    for (const auto &item : dt->ComplexDataType->RecItem)
        out << QStringLiteral("%1:%2:%3:%4:%5")
                   .arg(item->SubIndex)
                   .arg(item->SimpleTD->Get_ActualSimpleDataType(iodd, varRef))
                   .arg(item->BitOffset)
                   .arg(item->SimpleTD->Get_Length(iodd, varRef), iodd.GetDesc_ExtTextCol(false, item->Name));
    return out;
}

// Everything the windows take from a decoded file, as one text to compare variants by.
QString digest(const TIODD &iodd)
{
    QStringList d;
    const TDeviceIdentity &id = iodd.ProfileBody.DeviceIdentity;
    d << id.VendorId << id.VendorName << id.DeviceId << iodd.GetDesc_ExtTextCol(false, id.DeviceName);
    for (const auto &v : id.DeviceVariant_List)
        d << v->ProductId << iodd.GetDesc_ExtTextCol(false, v->Name);
    d << iodd.DocumentInfo.Version << QString::number(iodd.ProfileHeader.ProfileRevision);
    for (const auto &v : df(iodd).VariableCollection.StdVar_List)
        d << v->Id << (v->Get_Index_Var_Ref(iodd) ? v->Get_Index_Var_Ref(iodd)->Get_Length(iodd, true) : "-");
    for (const auto &v : df(iodd).VariableCollection.Var_List) {
        d << QString::number(v->Index) << v->Id << v->Get_DataType(iodd, false) << v->Get_Length(iodd, false)
          << v->Get_AccessRights() << iodd.GetDesc_ExtTextCol(false, v->Description);
        const TDataType *dt = v->ResolvedDataType(iodd, false);
        if (dt && dt->ComplexDataType)
            d << recordLayout(iodd, dt, false);
    }
    for (const auto &pd : df(iodd).ProcessDataCollection.ProcessData_List) {
        d << pd->Id;
        if (pd->Condition)
            d << pd->Condition->VariableId << QString::number(pd->Condition->SubIndex) << QString::number(pd->Condition->Value);
        for (const TProcessDataInOut *io : {pd->ProcessDataIn.get(), pd->ProcessDataOut.get()})
            if (io)
                d << io->Id << QString::number(io->BitLength) << io->Get_DataTypeStr(iodd);
    }
    for (const TEventData *e : df(iodd).EventCollection.StdEventRef_List)
        d << QString::number(e->Code) << iodd.GetDesc_ExtTextCol(true, e->Name);
    for (const auto &e : df(iodd).EventCollection.Event_List)
        d << QString::number(e->Code) << iodd.GetDesc_ExtTextCol(false, e->Name);
    d << iodd.ExtTextCol.Lang_Code_Primary << iodd.ExtTextCol.PriLang_Values;
    d << iodd.PhysicalLayer.BitRate << iodd.PhysicalLayer.MinCycleTime;
    return d.join(QLatin1Char('\n'));
}

// The full decode of path (and the simple one when simpleToo, else the simple one succeeds)
// stops with a message that starts with prefix and names cause.
void expectRefused(const QString &path, const QString &prefix, const char *cause, bool simpleToo)
{
    for (bool simple : {false, true}) {
        TIODD iodd;
        iodd.StandardDef_Path = stdDir();
        if (simple && !simpleToo) {
            EXPECT_NO_THROW(iodd.Decode_IODD(path, true));
            continue;
        }
        try {
            iodd.Decode_IODD(path, simple);
            ADD_FAILURE() << "accepted (" << (simple ? "simple" : "full") << ")";
        } catch (const EIODDError &e) {
            EXPECT_TRUE(e.message().startsWith(prefix)) << e.what();
            EXPECT_TRUE(e.message().contains(QLatin1String(cause))) << e.what();
        }
    }
}

} // namespace

TEST(IoddReader, FullDecodeReadsEverySection)
{
    auto iodd = decodeFile(fixture());
    EXPECT_EQ(iodd->IODD_FileName(), fixture());
    EXPECT_EQ(iodd->DocumentInfo.Version, "V1.2");
    EXPECT_EQ(iodd->DocumentInfo.ReleaseDate, "2024-01-31");
    EXPECT_EQ(iodd->DocumentInfo.Copyright, "Test maker");
    EXPECT_EQ(iodd->ProfileHeader.ProfileRevision, prPR11);
    EXPECT_EQ(iodd->ProfileHeader.ProfileName, "Device Profile for IO Devices");
    EXPECT_EQ(iodd->ProfileHeader.ProfileTechnology, "IODD");

    const TDeviceIdentity &id = iodd->ProfileBody.DeviceIdentity;
    EXPECT_EQ(id.VendorId, "1234");
    EXPECT_EQ(id.VendorName, "Test Maker GmbH");
    EXPECT_EQ(id.DeviceId, "4660");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, id.VendorUrl), "http://www.example.com");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, id.DeviceFamily), "Sensors");
    EXPECT_EQ(id.VendorLogo, "test-logo.png");
    ASSERT_EQ(id.DeviceVariant_List.size(), 2u);
    EXPECT_EQ(id.DeviceVariant_List[0]->DeviceSymbol, "td-pic.png");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, id.DeviceVariant_List[0]->Description), "First variant");
    EXPECT_EQ(id.DeviceVariant_List[1]->ProductId, "TD-200");
    EXPECT_TRUE(id.DeviceVariant_List[1]->Description.isEmpty());

    // Flags are true only for the text "true".
    const TFeatures &f = df(*iodd).Features;
    EXPECT_TRUE(f.BlockParameter);
    EXPECT_FALSE(f.DataStorage);
    EXPECT_TRUE(f.SAL_LocalUserInterface);
    EXPECT_FALSE(f.SAL_DataStorage);
    EXPECT_TRUE(f.SAL_Parameter);
    EXPECT_TRUE(f.SAL_LocalParameterization);

    EXPECT_EQ(iodd->PhysicalLayer.BitRate, " com3 ");  // baudrate wins over bitrate
    EXPECT_EQ(iodd->PhysicalLayer.Get_BitRate(), 3);
    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 2300);
    EXPECT_TRUE(iodd->PhysicalLayer.SIOSupported);
    EXPECT_EQ(iodd->PhysicalLayer.MSequenceCapability, "27");
}

TEST(IoddReader, DataTypesAndRecordItems)
{
    auto iodd = decodeFile(fixture());
    const TDataTypeCollection &dtc = df(*iodd).DataTypeCollection;
    ASSERT_EQ(dtc.ListDataType.size(), 4u);
    EXPECT_EQ(dtc.GetDTIndex("D_Array"), 2);
    EXPECT_EQ(dtc.GetDTIndex("d_array"), -1);

    // Items keep file order (not bit order); a missing subindex is 1; the type's kind is
    // matched in any letter case; a string's length is in bits.
    const TDataType *mixed = dtc.at(dtc.GetDTIndex("D_Mixed"));
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->ComplexDataType->BitLength, 32);
    EXPECT_TRUE(mixed->ComplexDataType->SubIndexAccessSup);
    EXPECT_EQ(recordLayout(*iodd, mixed, false),
              QStringList({"3:BooleanT:0:1:Flag", "1:IntegerT:16:16:Value", "2:UIntegerT:4:4:Small", "1:StringT:8:8:"}));
    EXPECT_TRUE(mixed->ComplexDataType->RecItem[2]->SimpleTD->IsSimpleDataRef);
    EXPECT_EQ(mixed->ComplexDataType->RecItem[1]->GetAccessRightRestrictionStr(), "Read Only");

    const TDataType *small = dtc.at(dtc.GetDTIndex("D_Small"));
    ASSERT_EQ(small->SimpleDataType->SingleValueRange.size(), 3u);
    auto *one = dynamic_cast<TIntegerValueRangeT *>(small->SimpleDataType->SingleValueRange[1].get());
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(one->ValueType);
    EXPECT_EQ(one->Value, 1);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, one->Name), "On");
    auto *range = dynamic_cast<TIntegerValueRangeT *>(small->SimpleDataType->SingleValueRange[2].get());
    ASSERT_NE(range, nullptr);
    EXPECT_FALSE(range->ValueType);
    EXPECT_EQ(range->LowerValue, 2);
    EXPECT_EQ(range->UpperValue, 15);

    const TDataType *arr = dtc.at(dtc.GetDTIndex("D_Array"));
    EXPECT_EQ(arr->ComplexDataType->Count, 4);
    ASSERT_NE(arr->ComplexDataType->ArrayElementType(), nullptr);
    EXPECT_EQ(arr->ComplexDataType->ArrayElementType()->Get_Length(*iodd, false), "8");

    auto *bit = dynamic_cast<TBooleanValueT *>(dtc.at(dtc.GetDTIndex("D_Bit"))->SimpleDataType->SingleValueRange[1].get());
    ASSERT_NE(bit, nullptr);
    EXPECT_TRUE(bit->Value);
}

TEST(IoddReader, VariablesAndStandardReferences)
{
    auto iodd = decodeFile(fixture());
    const TVariableCollection &vc = df(*iodd).VariableCollection;
    ASSERT_EQ(vc.StdVar_List.size(), 4u);
    ASSERT_EQ(vc.Var_List.size(), 6u);

    struct Row { const char *id; int index; const char *type, *length, *access, *subAcc; };
    const Row rows[] = {
        {"V_Mixed", 64, "RecordT", "32", "Read Write", "True"},
        {"V_Text", 65, "StringT", "128", "Write Only", "False"},
        {"V_NoAccess", 66, "Float32T", "32", "Write Only", "False"},  // no accessRights: wo
        {"V_Array", 67, "ArrayT", "", "Read Only", "False"},
        {"V_PdSelect", 68, "UIntegerT", "8", "Read Write", "False"},
        {"V_Time", 69, "TimeSpanT", "64", "Read Only", "False"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.id);
        const TVariable *v = var(*iodd, r.id);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->VarType, vtVariable);
        EXPECT_EQ(v->Index, r.index);
        EXPECT_EQ(v->Get_DataType(*iodd, false), r.type);
        EXPECT_EQ(v->Get_Length(*iodd, false), r.length);
        EXPECT_EQ(v->Get_AccessRights(), r.access);
        EXPECT_EQ(v->Get_SubIndAccSup(*iodd, false), r.subAcc);
    }
    const TVariable *mixed = var(*iodd, "V_Mixed");
    ASSERT_EQ(mixed->RecordItemInfoList.size(), 2u);
    EXPECT_EQ(mixed->RecordItemInfoList[0]->DefaultValue, "10");
    EXPECT_TRUE(mixed->RecordItemInfoList[0]->ModifiesOtherVariables);
    EXPECT_EQ(mixed->RecordItemInfoList[1]->Subindex, 3);
    EXPECT_TRUE(mixed->RecordItemInfoList[1]->ExcludedFromDataStorage);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, mixed->Description), "Line one\nline two");
    EXPECT_TRUE(var(*iodd, "V_Array")->Dynamic_V);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, var(*iodd, "V_NoAccess")->Name), "TN_Missing");

    auto *fv = dynamic_cast<TFloat32ValueRangeT *>(var(*iodd, "V_NoAccess")->DataType->SimpleDataType->SingleValueRange[1].get());
    ASSERT_NE(fv, nullptr);
    EXPECT_FLOAT_EQ(fv->LowerValue, -2.5f);
    EXPECT_FLOAT_EQ(fv->UpperValue, 1000.0f);

    // Standard references resolve through the standard definitions, types there too.
    const TVariable *sys = var(*iodd, "V_SystemCommand");
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(sys->VarType, vtStdVarRef);
    EXPECT_EQ(sys->DataType, nullptr);
    EXPECT_EQ(sys->DefaultValue, "130");
    EXPECT_EQ(sys->FixedLengthRestriction, 1);
    const TVariable *sysDef = sys->Get_Index_Var_Ref(*iodd);
    ASSERT_NE(sysDef, nullptr);
    EXPECT_EQ(sysDef->Index, 2);
    EXPECT_EQ(sysDef->Get_DataType(*iodd, true), "UIntegerT");
    EXPECT_EQ(sysDef->Get_Length(*iodd, true), "8");
    EXPECT_EQ(sysDef->Get_DataType(*iodd, false), "");  // not in the device's collection
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, sysDef->Name), "System Command");
    const TVariable *tag = var(*iodd, "V_ApplicationSpecificTag");
    EXPECT_EQ(tag->FixedLengthRestriction, 16);
    EXPECT_TRUE(tag->ExcludedFromDataStorage);
    EXPECT_EQ(tag->Get_Index_Var_Ref(*iodd)->Get_Length(*iodd, true), "256");
    EXPECT_EQ(recordLayout(*iodd, var(*iodd, "V_DirectParameters_1")->Get_Index_Var_Ref(*iodd)->DataType.get(), true),
              QStringList({"1:UIntegerT:8:8:STD_TN_MasterCommand", "2:UIntegerT:0:8:STD_TN_MasterCycleTime"}));
    EXPECT_EQ(var(*iodd, "V_Missing_In_Standard")->Get_Index_Var_Ref(*iodd), nullptr);

    // Lookup by index: standard references by their definition's index, then own ones.
    EXPECT_EQ(vc.Get_Variables("2", "", *iodd), sys);
    EXPECT_EQ(vc.Get_Variables("67", "3", *iodd), var(*iodd, "V_Array"));
    EXPECT_EQ(vc.Get_Variables("67", "", *iodd), var(*iodd, "V_Array"));
    EXPECT_EQ(vc.Get_Variables("99", "", *iodd), nullptr);
    EXPECT_EQ(vc.Get_Variables("x", "", *iodd), nullptr);

    // The standard definitions keep only real types and Variable/Event elements.
    EXPECT_EQ(iodd->SD_DataTypeCollection.ListDataType.size(), 2u);
    EXPECT_EQ(iodd->SD_VariableCollection.Var_List.size(), 4u);
    EXPECT_EQ(iodd->Find_Var_SD("V_ProcessDataInput"), 3);
    EXPECT_EQ(iodd->Find_Var_SD("V_Nothing"), -1);
    EXPECT_EQ(iodd->SD_EventCollection.Event_List.size(), 1u);
    EXPECT_EQ(iodd->SD_ExtTextCol.List_Ids.size(), 7);
}

TEST(IoddReader, ProcessDataEventsAndMenus)
{
    auto iodd = decodeFile(fixture());
    const auto &pdl = df(*iodd).ProcessDataCollection.ProcessData_List;
    ASSERT_EQ(pdl.size(), 2u);
    // 1-bit input chosen by a condition without subindex.
    ASSERT_NE(pdl[0]->Condition, nullptr);
    EXPECT_EQ(pdl[0]->Condition->VariableId, "V_PdSelect");
    EXPECT_EQ(pdl[0]->Condition->SubIndex, 0);
    EXPECT_EQ(pdl[0]->Condition->Value, 0);
    ASSERT_NE(pdl[0]->ProcessDataIn, nullptr);
    EXPECT_EQ(pdl[0]->ProcessDataOut, nullptr);
    EXPECT_EQ(pdl[0]->ProcessDataIn->BitLength, 1);
    EXPECT_EQ(pdl[0]->ProcessDataIn->Get_DataTypeStr(*iodd), "BooleanT");
    EXPECT_EQ(pdl[0]->ProcessDataIn->GetDataType(*iodd), df(*iodd).DataTypeCollection.at(3));
    // A variant with a subindex, a non-contiguous value, both directions.
    EXPECT_EQ(pdl[1]->Condition->SubIndex, 2);
    EXPECT_EQ(pdl[1]->Condition->Value, 5);
    EXPECT_EQ(pdl[1]->ProcessDataIn->Get_DataTypeStr(*iodd), "RecordT");
    EXPECT_EQ(pdl[1]->ProcessDataOut->Get_DataTypeStr(*iodd), "UIntegerT");
    EXPECT_EQ(pdl[1]->ProcessDataOut->BitLength, 16);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, pdl[1]->ProcessDataOut->Name), "Set point");

    // Scaling from the menus: the last match wins, a missing attribute gives an empty text.
    const TProcessDataInOut &in = *pdl[1]->ProcessDataIn;
    EXPECT_EQ(in.Get_Gradient(*iodd, true, true, ""), "0.01");
    EXPECT_EQ(in.Get_Offset(*iodd, true, true, ""), "");
    EXPECT_EQ(in.Get_UnitCode(*iodd, true, true, ""), "1010");
    EXPECT_EQ(in.Get_Gradient(*iodd, false, true, "1"), "0.5");
    EXPECT_EQ(in.Get_Gradient(*iodd, false, true, "2"), "1");
    EXPECT_EQ(in.Get_Gradient(*iodd, true, false, ""), "1");
    EXPECT_EQ(in.Get_Offset(*iodd, true, false, ""), "0");
    EXPECT_EQ(in.Get_UnitCode(*iodd, true, false, ""), "");
    const auto &menus = df(*iodd).UserInterface.MenuCollection.Menu_List;
    ASSERT_EQ(menus.size(), 2u);
    ASSERT_EQ(menus[0]->MenuVariableRef_List.size(), 2u);  // the MenuRef is not a variable reference
    EXPECT_TRUE(menus[0]->MenuVariableRef_List[1]->IsRecordItemRef());
    EXPECT_EQ(menus[0]->MenuVariableRef_List[1]->DisplayFormat, "Dec.1");
    EXPECT_EQ(menus[0]->Name, "TN_Menu");

    // Standard event by reference (the standard definition's own object), unknown or
    // code-less references and code-less events are left out.
    const TEventCollection &ev = df(*iodd).EventCollection;
    ASSERT_EQ(ev.StdEventRef_List.size(), 1u);
    EXPECT_EQ(ev.StdEventRef_List[0], iodd->SD_EventCollection.Event_List[0].get());
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, ev.StdEventRef_List[0]->Description), "Clear source of heat");
    ASSERT_EQ(ev.Event_List.size(), 1u);
    EXPECT_EQ(ev.Event_List[0]->Code, 36000);
    EXPECT_EQ(ev.Event_List[0]->EventType, "Warning");
    EXPECT_EQ(iodd->Get_Event_SD(16912), ev.StdEventRef_List[0]);
    EXPECT_EQ(iodd->Get_Event_SD(12345), nullptr);
}

TEST(IoddReader, PrimaryLanguageTexts)
{
    auto iodd = decodeFile(fixture());
    EXPECT_EQ(iodd->ExtTextCol.Lang_Code_Primary, "en");
    EXPECT_EQ(iodd->ExtTextCol.List_Ids.size(), iodd->ExtTextCol.PriLang_Values.size());
    EXPECT_EQ(iodd->ExtTextCol.List_Ids.first(), "T_VendorText");
    // Other languages of the file never replace the primary texts.
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "T_DeviceName"), "Test Device");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "tn_flag"), "Flag");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "TD_Value"), "  padded  ");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "TD_Ev1"), "");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "No_Such_Id"), "No_Such_Id");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, ""), "");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, "STD_TN_MasterCommand"), "Master Command");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, "ignored"), "ignored");  // only Text elements
    EXPECT_TRUE(iodd->ExtTextCol.OtherLang.empty());
}

TEST(IoddReader, SimpleDecodeReadsIdentityAndTextsOnly)
{
    auto iodd = decodeFile(fixture(), true);
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.VendorName, "Test Maker GmbH");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, iodd->ProfileBody.DeviceIdentity.DeviceName), "Test Device");
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List.size(), 2u);
    EXPECT_TRUE(iodd->DocumentInfo.Version.isEmpty());
    EXPECT_TRUE(iodd->ProfileHeader.ProfileName.isEmpty());
    EXPECT_TRUE(df(*iodd).VariableCollection.StdVar_List.empty());
    EXPECT_TRUE(df(*iodd).ProcessDataCollection.ProcessData_List.empty());
    EXPECT_FALSE(df(*iodd).Features.BlockParameter);
    EXPECT_TRUE(iodd->PhysicalLayer.BitRate.isEmpty());
    EXPECT_TRUE(iodd->SD_ExtTextCol.List_Ids.isEmpty());
    EXPECT_TRUE(iodd->SD_VariableCollection.Var_List.empty());
}

TEST(IoddReader, ProfileRevisionChoosesTheStandardDefinitions)
{
    QTemporaryDir tmp;
    const QByteArray base = fixtureBytes();
    const struct { const char *revision; const char *expect; } cases[] = {
        {"1.1", "Master Command"},
        {"1.0", "Master Command (1.0.1)"},
        {" 1.1", "Master Command (1.0.1)"},
        {"1.0.1", "Master Command (1.0.1)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.revision);
        QByteArray bytes = base;
        bytes.replace("<ProfileRevision>1.1</ProfileRevision>",
                      QByteArray("<ProfileRevision>") + c.revision + "</ProfileRevision>");
        auto iodd = decodeFile(writeTemp(tmp, "rev.xml", bytes));
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, "STD_TN_MasterCommand"), c.expect);
    }
}

TEST(IoddReader, MissingStandardDefinitionsLeaveReferencesUnresolved)
{
    QTemporaryDir empty;
    auto iodd = decodeFile(fixture(), false, empty.path() + QLatin1Char('/'));
    EXPECT_TRUE(iodd->SD_VariableCollection.Var_List.empty());
    EXPECT_EQ(df(*iodd).VariableCollection.StdVar_List.size(), 4u);
    EXPECT_EQ(var(*iodd, "V_SystemCommand")->Get_Index_Var_Ref(*iodd), nullptr);
    EXPECT_TRUE(df(*iodd).EventCollection.StdEventRef_List.empty());
    EXPECT_EQ(df(*iodd).EventCollection.Event_List.size(), 1u);
    EXPECT_EQ(var(*iodd, "V_Mixed")->Get_Length(*iodd, false), "32");
}

TEST(IoddReader, MissingFileDoesNothing)
{
    TIODD iodd;
    iodd.StandardDef_Path = stdDir();
    EXPECT_FALSE(iodd.Decode_IODD(fixtureDir() + "no-such-file.xml", false));
    EXPECT_FALSE(iodd.Decode_IODD(fixtureDir(), false));  // a folder
    EXPECT_TRUE(iodd.IODD_FileName().isEmpty());
    EXPECT_TRUE(iodd.ProfileBody.DeviceIdentity.VendorId.isEmpty());
}

// The same description written in different ways decodes to the same model.
TEST(IoddReader, ByteLevelVariantsDecodeAlike)
{
    const QByteArray base = fixtureBytes();
    const QString expected = digest(*decodeFile(fixture()));
    ASSERT_FALSE(expected.isEmpty());

    auto utf16 = [](const QByteArray &utf8) {
        const QString s = QString::fromUtf8(utf8);
        QByteArray out("\xFF\xFE", 2);
        out.append(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
        return out;
    };
    QByteArray crlf = base;
    crlf.replace("\n", "\r\n");
    QByteArray quoted = base;
    quoted.replace("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<?xml version = '1.0' encoding = 'utf-8' ?>");
    QByteArray blanks = base;
    blanks.replace("vendorId=\"1234\"", "vendorId = \"1234\"").replace("xsi:type=\"RecordT\"", "xsi:type = 'RecordT'");
    QByteArray otherPrefix = base;  // any prefix bound to the schema-instance namespace
    otherPrefix.replace("xmlns:xsi=", "xmlns:si=").replace("xsi:type=", "si:type=");
    QByteArray innerDecl = base;  // declared where it is used, and on a conflicting outer prefix
    innerDecl.replace("xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"", "xmlns:xsi=\"urn:other\"")
        .replace("<DatatypeCollection>", "<DatatypeCollection xmlns:t=\"http://www.w3.org/2001/XMLSchema-instance\">")
        .replace("<VariableCollection>", "<VariableCollection xmlns:t=\"http://www.w3.org/2001/XMLSchema-instance\">")
        .replace("<ProcessDataCollection>", "<ProcessDataCollection xmlns:t=\"http://www.w3.org/2001/XMLSchema-instance\">")
        .replace("<CommNetworkProfile ", "<CommNetworkProfile xmlns:t=\"urn:other\" ")
        .replace("xsi:type=", "t:type=");
    QByteArray xmlDecl = base;  // the xml prefix declared explicitly
    xmlDecl.replace("<IODevice ", "<IODevice xmlns:xml=\"http://www.w3.org/XML/1998/namespace\" ");
    QByteArray qualifiedType = base;  // type values written with a prefix
    qualifiedType.replace("xsi:type=\"RecordT\"", "xsi:type=\"iodd:RecordT\"");
    QByteArray comments = base;
    comments.replace("<IODevice ", "<!-- made by hand -->\n<IODevice ")
        .replace("<Variable id=\"V_Text\"", "<!-- c --><Variable id=\"V_Text\"")
        .replace("<Text id=\"TN_Flag\"", "<!-- c --><Text id=\"TN_Flag\"");

    const struct { const char *name; QByteArray bytes; } cases[] = {
        {"utf-8 byte-order mark", QByteArray("\xEF\xBB\xBF") + base},
        {"utf-16 with byte-order mark", utf16(base)},
        {"CR LF line ends", crlf},
        {"single-quoted declaration", quoted},
        {"blanks around =", blanks},
        {"other schema-instance prefix", otherPrefix},
        {"prefix declared on inner elements", innerDecl},
        {"explicit xml prefix", xmlDecl},
        {"qualified type value", qualifiedType},
        {"comments everywhere", comments},
    };
    QTemporaryDir tmp;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TIODD> iodd;
        try {
            iodd = decodeFile(writeTemp(tmp, "variant.xml", c.bytes));
        } catch (const EIODDError &e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        EXPECT_EQ(digest(*iodd), expected);
    }
}

// Files that are no usable description stop the decode with a message naming file and cause.
TEST(IoddReader, RefusedFiles)
{
    const QByteArray base = fixtureBytes();
    auto edit = [&](const char *from, const char *to) {
        QByteArray b = base;
        EXPECT_TRUE(b.contains(from)) << from;
        return b.replace(from, to);
    };
    const struct { const char *name; QByteArray bytes; const char *message; bool simpleToo; } cases[] = {
        {"empty file", QByteArray(), "not a well-formed XML file", true},
        {"blanks only", QByteArray("  \r\n\t "), "not a well-formed XML file", true},
        {"plain text", QByteArray("vendorId=1234; deviceId=4660\n"), "not a well-formed XML file", true},
        {"binary", QByteArray("\x00\x01\x02\xFF\xFE\x00\x7F", 7), "not a well-formed XML file", true},
        {"truncated in the middle", base.left(base.size() / 2), "not a well-formed XML file", true},
        {"truncated inside a tag", base.left(base.indexOf("<DeviceName") + 6), "not a well-formed XML file", true},
        {"truncated before the end tag", base.left(base.lastIndexOf("</IODevice>")), "not a well-formed XML file", true},
        {"language file", QByteArray("<?xml version='1.0'?><ExternalTextDocument><Language xml:lang='de'/></ExternalTextDocument>"),
         "root element \"ExternalTextDocument\"", true},
        {"unknown record item type", edit("<SimpleDatatype xsi:type=\"BooleanT\"/>", "<SimpleDatatype xsi:type=\"Ulen\" bitLength=\"1\"/>"),
         "line 41: unknown data type \"Ulen\"", false},
        {"unknown data type", edit("xsi:type=\"TimeSpanT\"", "xsi:type=\"DurationT\""), "unknown data type \"DurationT\"", false},
        {"unknown array element type", edit("<SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"8\"/>", "<SimpleDatatype xsi:type=\"U8\"/>"),
         "unknown data type \"U8\"", false},
        {"document info without version", edit("version=\"V1.2\" ", ""), "attribute \"version\" missing in element \"DocumentInfo\"", false},
        {"device name without text id", edit("<DeviceName textId=\"T_DeviceName\"/>", "<DeviceName/>"),
         "attribute \"textId\" missing in element \"DeviceName\"", true},
        {"vendor logo without name", edit("<VendorLogo name=\"test-logo.png\"/>", "<VendorLogo/>"), "\"name\" missing", true},
        {"text without value", edit("<Text id=\"TN_Flag\" value=\"Flag\"/>", "<Text id=\"TN_Flag\"/>"),
         "attribute \"value\" missing in element \"Text\"", true},
        {"primary language without code", edit("<PrimaryLanguage xml:lang=\"en\">", "<PrimaryLanguage>"), "xml:lang", true},
        {"texts without primary language", edit("<PrimaryLanguage xml:lang=\"en\">", "<OtherLanguage xml:lang=\"en\">")
                                               .replace("</PrimaryLanguage>", "</OtherLanguage>"),
         "\"PrimaryLanguage\" missing", true},
        {"variable type reference without id", edit("<DatatypeRef datatypeId=\"D_Array\"/>", "<DatatypeRef/>"),
         "attribute \"datatypeId\" missing", false},
        {"condition value not a number", edit("subindex=\"2\" value=\"5\"", "subindex=\"2\" value=\"five\""), "\"value\" of element \"Condition\" is not a number", false},
        {"bit length not a number", edit("bitLength=\"16\">\n            <Datatype", "bitLength=\"16bit\">\n            <Datatype"), "\"bitLength\"", false},
        {"no physical layer", edit("<PhysicalLayer ", "<Physical "), "\"PhysicalLayer\" missing", false},
        {"no communication profile", edit("<CommNetworkProfile ", "<CommProfile ").replace("</CommNetworkProfile>", "</CommProfile>"),
         "\"CommNetworkProfile\" missing", false},
    };
    QTemporaryDir tmp;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writeTemp(tmp, "bad.xml", c.bytes);
        expectRefused(path, path, c.message, c.simpleToo);
    }
}

TEST(IoddReader, WhatWasReadBeforeAFailureStays)
{
    QByteArray bytes = fixtureBytes();
    bytes.replace("<PhysicalLayer ", "<Physical ");
    QTemporaryDir tmp;
    TIODD iodd;
    iodd.StandardDef_Path = stdDir();
    EXPECT_THROW(iodd.Decode_IODD(writeTemp(tmp, "nopl.xml", bytes), false), EIODDError);
    EXPECT_EQ(iodd.ProfileBody.DeviceIdentity.VendorId, "1234");
    EXPECT_EQ(iodd.GetDesc_ExtTextCol(false, "T_DeviceName"), "Test Device");
    EXPECT_EQ(iodd.ProfileBody.DeviceFunction.VariableCollection.Var_List.size(), 6u);
}

TEST(IoddReader, BrokenStandardDefinitionsAreReported)
{
    QTemporaryDir tmp;
    writeTemp(tmp, "IODD-StandardDefinitions1.1.xml", "<IODDStandardDefinitions><VariableCollection>");
    TIODD iodd;
    iodd.StandardDef_Path = tmp.path() + QLatin1Char('/');
    try {
        iodd.Decode_IODD(fixture(), false);
        ADD_FAILURE() << "accepted";
    } catch (const EIODDError &e) {
        EXPECT_TRUE(e.message().contains("IODD-StandardDefinitions1.1.xml")) << e.what();
    }
}

// External language files sit beside a description; the reader takes its texts from the
// description's own primary language whatever lies beside it.
TEST(IoddReader, LanguageFilesBesideTheDescription)
{
    QTemporaryDir tmp;
    const QString path = writeTemp(tmp, "Test-Device-IODD1.1.xml", fixtureBytes());
    const QByteArray lang =
        "<?xml version='1.0' encoding='UTF-8'?>\n<ExternalTextDocument xmlns=\"http://www.io-link.com/IODD/2010/10\">"
        "<Language xml:lang=\"de\"><Text id=\"T_DeviceName\" value=\"Testger\xC3\xA4t\"/></Language></ExternalTextDocument>";
    const QString upper = writeTemp(tmp, "Test-Device-IODD1.1-DE.xml", lang);
    const QString lower = writeTemp(tmp, "Test-Device-IODD1.1-fr.xml", lang);
    auto iodd = decodeFile(path);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "T_DeviceName"), "Test Device");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "TN_Variant2"), "Variant two");
    for (const QString &f : {upper, lower}) {
        TIODD l;
        EXPECT_THROW(l.Decode_IODD(f, true), EIODDError);
    }
}

TEST(IoddReader, CorpusLanguageFiles)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QString dir = testsupport::sharedIoddDir() + QStringLiteral("/devices/");
    const QString std = testsupport::sharedIoddDir() + QStringLiteral("/standard/");
    const struct { const char *file; const char *deviceName; } cases[] = {
        {"IO-Link-04-ExternalLangDevice-20240824-IODD1.1.xml", nullptr},  // beside -de.xml, -zh.xml
        {"CGI-PD30CTDR10BPxxIO-20210501-IODD1.1.xml", nullptr},           // beside -DE.xml, -ZH.xml, ...
        {"IO-Link-03-InternalLangDevice-20240824-IODD1.1.xml", nullptr},  // languages inside the file
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        auto iodd = decodeFile(dir + QLatin1String(c.file), false, std);
        const TExtTextCol &t = iodd->ExtTextCol;
        EXPECT_EQ(t.Lang_Code_Primary, "en");
        // Every text is the primary language's, also where another language lacks it.
        QFile f(dir + QLatin1String(c.file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        pugi::xml_document doc;
        const QByteArray bytes = f.readAll();
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size())));
        const pugi::xml_node pl = doc.child("IODevice").child("ExternalTextCollection").child("PrimaryLanguage");
        int n = 0;
        for (pugi::xml_node tx = pl.child("Text"); tx; tx = tx.next_sibling("Text"), ++n)
            ASSERT_EQ(iodd->GetDesc_ExtTextCol(false, QString::fromUtf8(tx.attribute("id").value())),
                      QString::fromUtf8(tx.attribute("value").value())) << tx.attribute("id").value();
        EXPECT_EQ(n, t.List_Ids.size());
        EXPECT_GT(n, 10);
    }
}

// The standard definitions are read once per file and shared; a changed file is read again.
TEST(IoddReader, StandardDefinitionsFollowFileChanges)
{
    QTemporaryDir tmp;
    QFile src(stdDir() + "IODD-StandardDefinitions1.1.xml");
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    const QByteArray original = src.readAll();
    const QString sdPath = writeTemp(tmp, "IODD-StandardDefinitions1.1.xml", original);
    const QString std = tmp.path() + QLatin1Char('/');

    auto first = decodeFile(fixture(), false, std);
    auto second = decodeFile(fixture(), false, std);
    EXPECT_EQ(second->GetDesc_ExtTextCol(true, "STD_TN_SystemCommand"), "System Command");
    // Shared entries outlive the model that read them first.
    const TEventData *ev = second->ProfileBody.DeviceFunction.EventCollection.StdEventRef_List.at(0);
    first.reset();
    EXPECT_EQ(ev->Code, 16912);
    EXPECT_EQ(second->Get_Event_SD(16912), ev);

    QByteArray changed = original;
    changed.replace("value=\"System Command\"", "value=\"System Command, new edition\"");
    QFile::remove(sdPath);
    writeTemp(tmp, "IODD-StandardDefinitions1.1.xml", changed);
    auto third = decodeFile(fixture(), false, std);
    EXPECT_EQ(third->GetDesc_ExtTextCol(true, "STD_TN_SystemCommand"), "System Command, new edition");
    EXPECT_EQ(second->GetDesc_ExtTextCol(true, "STD_TN_SystemCommand"), "System Command");

    QFile::remove(sdPath);
    auto fourth = decodeFile(fixture(), false, std);
    EXPECT_TRUE(fourth->SD_VariableCollection.Var_List.empty());
}

// Small edited copies of one description, each with one fault: refused with the file, the file's
// own line and the cause, also where the line ends, the encoding or the attributes before the
// fault would throw a count of line breaks off.
TEST(IoddReader, EditedCopiesAreRefusedWithLineAndCause)
{
    {
        // The copies' original decodes.
        auto iodd = decodeFile(fixtureDir() + "Small-Device-IODD1.1.xml");
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, iodd->ProfileBody.DeviceIdentity.DeviceName), "Small Device");
        EXPECT_EQ(var(*iodd, "V_Rec")->Get_Length(*iodd, false), "16");
        EXPECT_EQ(var(*iodd, "V_Array")->DataType->Ref_DataTypeId, "D_Array");
    }
    const struct {
        const char *file;
        int line;
        const char *cause;
        bool simpleToo;  // the fault is in the XML itself, so the simple decode refuses it too
    } cases[] = {
        {"second-root.xml", 62, "second root element \"IODevice\"", true},
        {"text-after-root.xml", 62, "text outside the root element", true},
        {"duplicate-attribute.xml", 30, "attribute \"index\" twice in element \"Variable\"", true},
        {"undeclared-entity.xml", 57, "undeclared entity \"&copy;\"", true},
        {"undeclared-entity-in-text.xml", 5, "undeclared entity \"&device;\"", true},
        {"less-than-in-attribute.xml", 56, "\"<\" in the value of attribute \"value\"", true},
        {"invalid-utf8.xml", 56, "bytes that are not valid UTF-8", true},
        {"undeclared-prefix.xml", 23, "undeclared namespace prefix \"xs\"", true},
        {"unsupported-encoding.xml", 1, "encoding \"x-unheard-of\" is not supported", true},
        {"utf16-declared-but-8-bit.xml", 1, "declares encoding \"UTF-16\" but is not written in it", true},
        {"windows-1252-undefined-byte.xml", 56, "byte 0x81 is no character of the declared encoding \"windows-1252\"", true},
        {"unknown-type-utf16.xml", 16, "unknown data type \"Ulen\"", false},
        {"unknown-type-cr.xml", 16, "unknown data type \"Ulen\"", false},
        {"unknown-type-after-broken-attribute.xml", 18, "unknown data type \"Ulen\"", false},
        {"unknown-type-after-character-references.xml", 16, "unknown data type \"Ulen\"", false},
        {"bit-length-4294967295.xml", 23, "attribute \"bitLength\" out of range: \"4294967295\"", false},
        {"bit-offset-4294967295.xml", 19, "attribute \"bitOffset\" out of range: \"4294967295\"", false},
        {"fixed-length-4294967295.xml", 25, "attribute \"fixedLength\" out of range: \"4294967295\"", false},
        {"bit-length-negative.xml", 16, "attribute \"bitLength\" out of range: \"-8\"", false},
        {"array-count-negative.xml", 24, "attribute \"count\" out of range: \"-5\"", false},
        {"record-bit-length-huge.xml", 14, "attribute \"bitLength\" out of range: \"99999999999999999999\"", false},
        {"process-data-bit-length-negative.xml", 40, "attribute \"bitLength\" out of range: \"-8\"", false},
        {"unknown-datatype-ref-variable.xml", 31, "DatatypeRef to datatype \"D_Missing\"", false},
        {"unknown-datatype-ref-record-item.xml", 20, "DatatypeRef to datatype \"D_Gone\"", false},
        {"unknown-datatype-ref-process-data.xml", 41, "DatatypeRef to datatype \"D_Nowhere\"", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = fixtureDir() + "refused/" + QLatin1String(c.file);
        ASSERT_TRUE(QFile::exists(path));
        expectRefused(path, QStringLiteral("%1, line %2: ").arg(path).arg(c.line), c.cause, c.simpleToo);
    }
}

// A number attribute whose text is no number keeps the default; the same value written in
// range decodes.
TEST(IoddReader, NumbersThatAreNoNumbersKeepTheirDefaults)
{
    QByteArray bytes;
    {
        QFile f(fixtureDir() + "Small-Device-IODD1.1.xml");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    bytes.replace("<Datatype id=\"D_Byte\" xsi:type=\"UIntegerT\" bitLength=\"8\"/>",
                  "<Datatype id=\"D_Byte\" xsi:type=\"UIntegerT\" bitLength=\"eight\"/>")
        .replace("count=\"4\"", "count=\"four\"")
        .replace("fixedLength=\"2\"", "fixedLength=\"2.5\"")
        .replace("<RecordItem subindex=\"2\" bitOffset=\"0\">", "<RecordItem subindex=\"2\" bitOffset=\" 1855 \">");
    QTemporaryDir tmp;
    auto iodd = decodeFile(writeTemp(tmp, "words.xml", bytes));
    const TDataTypeCollection &dtc = df(*iodd).DataTypeCollection;
    EXPECT_EQ(dtc.at(dtc.GetDTIndex("D_Byte"))->SimpleDataType->BitLength, 0);
    const TComplexDataType *arr = dtc.at(dtc.GetDTIndex("D_Array"))->ComplexDataType.get();
    EXPECT_EQ(arr->Count, 0);
    EXPECT_EQ(arr->ArrayElementType()->FixedLength, 0);
    EXPECT_EQ(dtc.at(dtc.GetDTIndex("D_Rec"))->ComplexDataType->RecItem[1]->BitOffset, 1855);
}

// A declared 8-bit encoding is decoded by its name.
TEST(IoddReader, DeclaredEightBitEncodingsAreDecoded)
{
    for (const char *file : {"Small-Device-windows-1252.xml", "Small-Device-ISO-8859-1.xml"}) {
        SCOPED_TRACE(file);
        for (bool simple : {true, false}) {
            auto iodd = decodeFile(fixtureDir() + QLatin1String(file), simple);
            EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "T_Name"), QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"));
            EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, "T_High"), "High byte");
        }
    }
}
