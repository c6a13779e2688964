// The reader against the real IODD files of many makers (skipped when the corpus is absent).
#include "iolink/UIOLink_IODD_Decode.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << l.join(QStringLiteral(" | ")).toStdString(); }

namespace {

QString devicesDir() { return testsupport::sharedIoddDir() + QStringLiteral("/devices/"); }
QString standardDir() { return testsupport::sharedIoddDir() + QStringLiteral("/standard/"); }

// External language files sit beside the device files: "<device>-de.xml", "-DE.xml".
bool isLanguageFile(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("IODD1\\.1-[A-Za-z]{2}\\.xml$"));
    return re.match(name).hasMatch();
}

std::unique_ptr<TIODD> decode(const QString &name, bool simple)
{
    auto iodd = std::make_unique<TIODD>();
    iodd->StandardDef_Path = standardDir();
    iodd->Decode_IODD(devicesDir() + name, simple);
    return iodd;
}

QString text(const TIODD &iodd, const QString &id) { return iodd.GetDesc_ExtTextCol(false, id); }

const TVariable *varById(const TIODD &iodd, const QString &id)
{
    return iodd.ProfileBody.DeviceFunction.VariableCollection.Get_Variables_IDs(id);
}

// "subindex:type:bitOffset:length" of every item of a record, in item order.
QStringList recordLayout(const TIODD &iodd, const TDataType *dt, bool varRef)
{
    QStringList out;
    dt = iodd.Resolve_DataType(dt, varRef);
    if (!dt || dt->IsSimpleDataType || !dt->ComplexDataType)
        return {QStringLiteral("not a complex type")};
    for (const auto &item : dt->ComplexDataType->RecItem)
        out << QStringLiteral("%1:%2:%3:%4")
                   .arg(item->SubIndex)
                   .arg(item->SimpleTD->Get_ActualSimpleDataType(iodd, varRef))
                   .arg(item->BitOffset)
                   .arg(item->SimpleTD->Get_Length(iodd, varRef));
    return out;
}

struct PdView {
    QString cond;  // "variableId/subindex=value" or empty
    int inBits = -1, outBits = -1;
    QString inType, outType;
};

std::vector<PdView> processData(const TIODD &iodd)
{
    std::vector<PdView> out;
    for (const auto &pd : iodd.ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List) {
        PdView v;
        if (pd->Condition)
            v.cond = QStringLiteral("%1/%2=%3").arg(pd->Condition->VariableId).arg(pd->Condition->SubIndex).arg(pd->Condition->Value);
        if (pd->ProcessDataIn) {
            v.inBits = pd->ProcessDataIn->BitLength;
            v.inType = pd->ProcessDataIn->Get_DataTypeStr(iodd);
        }
        if (pd->ProcessDataOut) {
            v.outBits = pd->ProcessDataOut->BitLength;
            v.outType = pd->ProcessDataOut->Get_DataTypeStr(iodd);
        }
        out.push_back(v);
    }
    return out;
}

} // namespace

TEST(IoddCorpus, EveryDeviceFileDecodesInBothDepths)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QStringList files = QDir(devicesDir()).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 30);
    int decoded = 0;
    for (const QString &name : files) {
        for (bool simple : {true, false}) {
            SCOPED_TRACE((name + (simple ? " simple" : " full")).toStdString());
            auto iodd = std::make_unique<TIODD>();
            iodd->StandardDef_Path = standardDir();
            if (name == QLatin1String("AL002.xml")) {
                if (simple) {
                    // The identity alone is sound; only the data types are broken.
                    EXPECT_NO_THROW(iodd->Decode_IODD(devicesDir() + name, true));
                    continue;
                }
                try {
                    iodd->Decode_IODD(devicesDir() + name, false);
                    ADD_FAILURE() << "AL002.xml must be refused";
                } catch (const EIODDError &e) {
                    EXPECT_TRUE(e.message().contains(QLatin1String("unknown data type \"Ulen\""))) << e.what();
                    EXPECT_TRUE(e.message().contains(QLatin1String("AL002.xml, line 69"))) << e.what();
                }
                continue;
            }
            if (isLanguageFile(name)) {
                try {
                    iodd->Decode_IODD(devicesDir() + name, simple);
                    ADD_FAILURE() << "a language file is no device description";
                } catch (const EIODDError &e) {
                    EXPECT_TRUE(e.message().contains(QLatin1String("ExternalTextDocument"))) << e.what();
                }
                continue;
            }
            try {
                EXPECT_TRUE(iodd->Decode_IODD(devicesDir() + name, simple));
            } catch (const EIODDError &e) {
                ADD_FAILURE() << e.what();
                continue;
            }
            const TDeviceIdentity &id = iodd->ProfileBody.DeviceIdentity;
            EXPECT_FALSE(id.VendorId.isEmpty());
            EXPECT_FALSE(id.DeviceId.isEmpty());
            EXPECT_FALSE(id.VendorName.isEmpty());
            EXPECT_FALSE(iodd->ExtTextCol.List_Ids.isEmpty());
            EXPECT_EQ(iodd->ExtTextCol.List_Ids.size(), iodd->ExtTextCol.PriLang_Values.size());
            if (simple) {
                EXPECT_TRUE(iodd->DocumentInfo.Version.isEmpty());
                EXPECT_TRUE(iodd->PhysicalLayer.BitRate.isEmpty());
                EXPECT_TRUE(iodd->SD_VariableCollection.Var_List.empty());
                EXPECT_TRUE(iodd->ProfileBody.DeviceFunction.VariableCollection.Var_List.empty());
            } else {
                ++decoded;
                EXPECT_FALSE(iodd->DocumentInfo.Version.isEmpty());
                EXPECT_GE(iodd->PhysicalLayer.Get_BitRate(), 1);
                EXPECT_LE(iodd->PhysicalLayer.Get_BitRate(), 3);
                EXPECT_FALSE(iodd->SD_VariableCollection.Var_List.empty());
                EXPECT_FALSE(iodd->SD_ExtTextCol.List_Ids.isEmpty());
                // Every standard reference of the device resolves through the standard definitions.
                for (const auto &ref : iodd->ProfileBody.DeviceFunction.VariableCollection.StdVar_List)
                    EXPECT_NE(ref->Get_Index_Var_Ref(*iodd), nullptr) << ref->Id.toStdString();
                for (const TEventData *ev : iodd->ProfileBody.DeviceFunction.EventCollection.StdEventRef_List) {
                    ASSERT_NE(ev, nullptr);
                    EXPECT_EQ(iodd->Get_Event_SD(ev->Code), ev);
                    EXPECT_FALSE(iodd->GetDesc_ExtTextCol(true, ev->Name) == ev->Name) << ev->Code;
                }
                // Own variables: every type resolves and every record item has a type.
                for (const auto &var : iodd->ProfileBody.DeviceFunction.VariableCollection.Var_List) {
                    EXPECT_NE(var->ResolvedDataType(*iodd, false), nullptr) << var->Id.toStdString();
                    EXPECT_FALSE(var->Get_DataType(*iodd, false).isEmpty()) << var->Id.toStdString();
                }
            }
        }
    }
    EXPECT_GE(decoded, 28);
}

// ---- values read off the files by hand ----

namespace {

struct Identity {
    const char *vendorId, *vendorName, *deviceId, *deviceName;
};

void expectIdentity(const TIODD &iodd, const Identity &want)
{
    const TDeviceIdentity &id = iodd.ProfileBody.DeviceIdentity;
    EXPECT_EQ(id.VendorId, want.vendorId);
    EXPECT_EQ(iodd.GetDesc_ExtTextCol(false, id.VendorName), want.vendorName);
    EXPECT_EQ(id.DeviceId, want.deviceId);
    EXPECT_EQ(text(iodd, id.DeviceName), want.deviceName);
}

// "index id type length access" of every own variable, file order.
QStringList ownVariables(const TIODD &iodd)
{
    QStringList out;
    for (const auto &v : iodd.ProfileBody.DeviceFunction.VariableCollection.Var_List)
        out << QStringLiteral("%1 %2 %3 %4 %5").arg(v->Index).arg(v->Id, v->Get_DataType(iodd, false),
                                                                 v->Get_Length(iodd, false), v->Get_AccessRights());
    return out;
}

QStringList stdRefs(const TIODD &iodd)
{
    QStringList out;
    for (const auto &v : iodd.ProfileBody.DeviceFunction.VariableCollection.StdVar_List)
        out << v->Id;
    return out;
}

} // namespace

TEST(IoddCorpus, Ifm_O5D100_Iodd11)
{
    SKIP_WITHOUT_SHARED_IODD();
    auto iodd = decode(QStringLiteral("ifm-000174-20150804-IODD1.1.xml"), false);
    expectIdentity(*iodd, {"310", "ifm electronic gmbh", "372", "O5D100/O5D102/O5D150/O5D152"});
    EXPECT_EQ(text(*iodd, iodd->ProfileBody.DeviceIdentity.VendorText), "www.ifm.com");
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.VendorLogo, "ifm-logo.png");
    ASSERT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List.size(), 4u);
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List[1]->ProductId, "O5D102");
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List[1]->Name, "TN_Product2");
    EXPECT_EQ(iodd->ProfileHeader.ProfileRevision, prPR11);

    EXPECT_EQ(stdRefs(*iodd).size(), 13);
    EXPECT_EQ(stdRefs(*iodd).last(), "V_ProcessDataInput");
    EXPECT_EQ(ownVariables(*iodd),
              QStringList({"60 V_BDC1_SP RecordT 32 Read Write", "61 V_BDC1_Config RecordT 32 Read Write",
                           "64 V_Limit_PDV RecordT 32 Read Only", "69 V_Align UIntegerT 8 Read Only",
                           "74 V_dFOValue UIntegerT 16 Read Write", "76 V_dSValue UIntegerT 16 Read Write",
                           "78 V_drValue UIntegerT 16 Read Write", "80 V_LaserConfig UIntegerT 8 Read Write",
                           "96 V_DisplayConfig UIntegerT 8 Read Write", "100 V_KeyLock UIntegerT 8 Read Write"}));
    const TVariable *cfg = varById(*iodd, QStringLiteral("V_BDC1_Config"));
    ASSERT_NE(cfg, nullptr);
    EXPECT_EQ(recordLayout(*iodd, cfg->DataType.get(), false),
              QStringList({"1:UIntegerT:24:8", "2:UIntegerT:16:8", "3:UIntegerT:0:16"}));
    EXPECT_EQ(cfg->Get_SubIndAccSup(*iodd, false), "True");

    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 1u);
    EXPECT_EQ(pd[0].cond, "");
    EXPECT_EQ(pd[0].inBits, 16);
    EXPECT_EQ(pd[0].inType, "RecordT");
    EXPECT_EQ(pd[0].outBits, -1);
    // Items in descending bit order stay in file order with their own offsets.
    const auto &in = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List[0]->ProcessDataIn;
    EXPECT_EQ(recordLayout(*iodd, &in->DataType, false), QStringList({"1:UIntegerT:4:12", "2:BooleanT:0:1"}));

    const auto &ev = iodd->ProfileBody.DeviceFunction.EventCollection;
    ASSERT_EQ(ev.StdEventRef_List.size(), 1u);
    EXPECT_EQ(ev.StdEventRef_List[0]->Code, 16928);
    ASSERT_EQ(ev.Event_List.size(), 7u);
    EXPECT_EQ(ev.Event_List[2]->Code, 36020);
    EXPECT_EQ(ev.Event_List[2]->EventType, "Error");

    EXPECT_EQ(iodd->PhysicalLayer.BitRate, "COM2");
    EXPECT_EQ(iodd->PhysicalLayer.Get_BitRate(), 2);
    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 6400);
    EXPECT_TRUE(iodd->PhysicalLayer.SIOSupported);
    EXPECT_EQ(iodd->PhysicalLayer.MSequenceCapability, "33");
}

TEST(IoddCorpus, Balluff_BCS_R08RRE)
{
    SKIP_WITHOUT_SHARED_IODD();
    // Blanks around every "=" of the file.
    auto iodd = decode(QStringLiteral("Balluff-BCS_R08RRE-PIM80C-20150206-IODD1.1.xml"), false);
    expectIdentity(*iodd, {"888", "BALLUFF", "459267", "BCS R08RRE"});
    EXPECT_EQ(stdRefs(*iodd).size(), 16);
    EXPECT_EQ(ownVariables(*iodd),
              QStringList({"58 V_TeachInChannel UIntegerT 8 Read Only", "59 V_TeachInStatus RecordT 8 Read Only",
                           "60 V_SetPointValueBDC1 RecordT 32 Read Write",
                           "61 V_SwitchPointConfigBDC1 RecordT 24 Read Write",
                           "177 V_TeachOffset UIntegerT 16 Read Write", "178 V_Debounce RecordT 48 Read Write",
                           "180 V_SioMode UIntegerT 8 Read Write"}));
    const TVariable *st = varById(*iodd, QStringLiteral("V_TeachInStatus"));
    ASSERT_NE(st, nullptr);
    EXPECT_TRUE(st->Dynamic_V);
    EXPECT_EQ(recordLayout(*iodd, st->DataType.get(), false),
              QStringList({"1:UIntegerT:0:4", "2:BooleanT:4:1", "3:BooleanT:5:1", "4:BooleanT:6:1", "5:BooleanT:7:1"}));
    EXPECT_EQ(st->Get_SubIndAccSup(*iodd, false), "False");

    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 1u);
    EXPECT_EQ(pd[0].inBits, 16);
    EXPECT_EQ(pd[0].outBits, -1);
    const auto &in = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List[0]->ProcessDataIn;
    EXPECT_EQ(recordLayout(*iodd, &in->DataType, false), QStringList({"1:BooleanT:0:1", "2:UIntegerT:4:12"}));

    // Standard events are the standard definitions' own objects, with their texts.
    const auto &refs = iodd->ProfileBody.DeviceFunction.EventCollection.StdEventRef_List;
    ASSERT_EQ(refs.size(), 3u);
    EXPECT_EQ(refs[0]->Code, 16912);
    EXPECT_EQ(refs[0]->EventType, "Warning");
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, refs[0]->Name), "Device temperature overrun");
    EXPECT_EQ(refs[2]->Code, 35872);
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(true, refs[2]->Name), "Measurement range exceeded");
    EXPECT_EQ(refs[1], iodd->Get_Event_SD(20753));

    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 5000);
    EXPECT_EQ(iodd->PhysicalLayer.MSequenceCapability, "17");
}

TEST(IoddCorpus, Contrinex_Iodd101)
{
    SKIP_WITHOUT_SHARED_IODD();
    auto iodd = decode(QStringLiteral("Contrinex-LLR-C23PA-NMx-400-20160113-IODD1.0.1.xml"), false);
    // IODD 1.0.1: no DeviceName; the variant's ProductName stands for the variant name.
    expectIdentity(*iodd, {"342", "Contrinex AG", "67329", ""});
    ASSERT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List.size(), 1u);
    EXPECT_EQ(text(*iodd, iodd->ProfileBody.DeviceIdentity.DeviceVariant_List[0]->Name), "LLR-C23PA-NMx-400");
    EXPECT_EQ(text(*iodd, iodd->ProfileBody.DeviceIdentity.VendorText), "CONTRINEX AG");
    EXPECT_EQ(iodd->ProfileHeader.ProfileRevision, prPR10);

    // StdDirectParameterRef is no variable of the table; only the two standard references remain.
    EXPECT_EQ(stdRefs(*iodd), QStringList({"V_DirectParameters_1", "V_DirectParameters_2"}));
    EXPECT_TRUE(ownVariables(*iodd).isEmpty());
    // Resolved in the 1.0.1 standard definitions.
    const TVariable *dp1 = iodd->ProfileBody.DeviceFunction.VariableCollection.StdVar_List[0]->Get_Index_Var_Ref(*iodd);
    ASSERT_NE(dp1, nullptr);
    EXPECT_EQ(dp1->Index, 0);
    EXPECT_EQ(dp1->Get_DataType(*iodd, true), "RecordT");
    EXPECT_EQ(dp1->Get_Length(*iodd, true), "128");
    const QStringList layout = recordLayout(*iodd, dp1->DataType.get(), true);
    ASSERT_EQ(layout.size(), 16);
    EXPECT_EQ(layout[0], "1:UIntegerT:120:8");
    EXPECT_EQ(layout[1], "2:UIntegerT:112:8");
    EXPECT_EQ(iodd->ProfileBody.DeviceFunction.VariableCollection.Get_Variables("0", "", *iodd),
              iodd->ProfileBody.DeviceFunction.VariableCollection.StdVar_List[0].get());

    // A device without process data in either direction.
    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 1u);
    EXPECT_EQ(pd[0].inBits, -1);
    EXPECT_EQ(pd[0].outBits, -1);

    // 1.0.1 writes the rate as baudrate.
    EXPECT_EQ(iodd->PhysicalLayer.BitRate, "COM2");
    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 10000);
    EXPECT_TRUE(iodd->PhysicalLayer.SIOSupported);
}

TEST(IoddCorpus, Siemens_Sirius_Iodd101)
{
    SKIP_WITHOUT_SHARED_IODD();
    auto iodd = decode(QStringLiteral("Siemens-SIRIUS-3SU1-4DI4DQ-20160602-IODD1.0.1.xml"), false);
    expectIdentity(*iodd, {"42", "Siemens AG", "278531", ""});
    const QStringList refs = stdRefs(*iodd);
    EXPECT_EQ(refs.size(), 11);
    EXPECT_TRUE(refs.contains("V_ProcessDataIn"));
    const TVariable *ds67 = varById(*iodd, QStringLiteral("V_DS67"));
    ASSERT_NE(ds67, nullptr);
    EXPECT_EQ(ds67->Index, 67);
    EXPECT_EQ(ds67->Get_DataType(*iodd, false), "RecordT");
    EXPECT_EQ(ds67->Get_Length(*iodd, false), "48");
    EXPECT_EQ(ds67->Get_SubIndAccSup(*iodd, false), "True");
    EXPECT_EQ(recordLayout(*iodd, ds67->DataType.get(), false).first(), "1:UIntegerT:16:32");

    // Mixed bit order: subindex 2..9 on bits 8..15, 10..17 on bits 0..7; items refer to a
    // BooleanT of the device's own collection.
    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 1u);
    EXPECT_EQ(pd[0].inBits, 16);
    EXPECT_EQ(pd[0].outBits, 16);
    const auto &in = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List[0]->ProcessDataIn;
    const QStringList layout = recordLayout(*iodd, &in->DataType, false);
    ASSERT_EQ(layout.size(), 16);
    EXPECT_EQ(layout[0], "2:BooleanT:8:1");
    EXPECT_EQ(layout[7], "9:BooleanT:15:1");
    EXPECT_EQ(layout[8], "10:BooleanT:0:1");
    EXPECT_EQ(layout[15], "17:BooleanT:7:1");
    EXPECT_EQ(iodd->PhysicalLayer.BitRate, "COM2");
}

TEST(IoddCorpus, IoLinkCommunity_ConditionalProcessData)
{
    SKIP_WITHOUT_SHARED_IODD();
    auto iodd = decode(QStringLiteral("IO-Link-22-ConditionalProcessDataDevice-20240824-IODD1.1.xml"), false);
    expectIdentity(*iodd, {"65535", "IO-Link Community", "22", "Conditional Process Data Device"});
    EXPECT_EQ(stdRefs(*iodd).size(), 15);
    const QStringList own = ownVariables(*iodd);
    ASSERT_EQ(own.size(), 11);
    EXPECT_EQ(own[0], "25 V_CP_FunctionTag StringT 256 Read Write");
    EXPECT_EQ(own[2], "64 V_X_ParamChannel1 RecordT 32 Read Write");
    EXPECT_EQ(own[4], "66 V_X_PDSelect UIntegerT 8 Read Write");
    EXPECT_EQ(own[5], "80 V_X_TeachinSelect UIntegerT 8 Read Write");
    EXPECT_EQ(own[10], "103 V_X_ActuatorCycles UIntegerT 32 Read Only");
    const TVariable *pc = varById(*iodd, QStringLiteral("V_X_ParamChannel1"));
    ASSERT_NE(pc, nullptr);
    EXPECT_TRUE(pc->DataType->IsDataTypeRef);
    EXPECT_EQ(recordLayout(*iodd, pc->DataType.get(), false), QStringList({"1:IntegerT:16:16", "2:IntegerT:0:16"}));
    EXPECT_EQ(iodd->ProfileBody.DeviceFunction.VariableCollection.Get_Variables("66", "3", *iodd),
              varById(*iodd, QStringLiteral("V_X_PDSelect")));

    // Three variants chosen by V_X_PDSelect.
    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pd[size_t(i)].cond, QStringLiteral("V_X_PDSelect/0=%1").arg(i));
        EXPECT_EQ(pd[size_t(i)].inBits, 32);
        EXPECT_EQ(pd[size_t(i)].outBits, 16);
        EXPECT_EQ(pd[size_t(i)].inType, "RecordT");
    }
    const auto &list = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    EXPECT_EQ(recordLayout(*iodd, &list[0]->ProcessDataIn->DataType, false),
              QStringList({"1:IntegerT:16:16", "2:IntegerT:8:8"}));
    EXPECT_EQ(recordLayout(*iodd, &list[1]->ProcessDataIn->DataType, false),
              QStringList({"1:IntegerT:16:16", "2:IntegerT:8:8", "3:BooleanT:0:1", "4:BooleanT:1:1"}));
    EXPECT_EQ(recordLayout(*iodd, &list[2]->ProcessDataIn->DataType, false),
              QStringList({"1:IntegerT:16:16", "2:UIntegerT:8:8", "3:BooleanT:0:1", "4:BooleanT:1:1"}));
    EXPECT_EQ(recordLayout(*iodd, &list[2]->ProcessDataOut->DataType, false),
              QStringList({"1:IntegerT:8:8", "2:BooleanT:0:1", "3:BooleanT:1:1"}));
    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 2300);
    EXPECT_EQ(iodd->PhysicalLayer.MSequenceCapability, "27");
}

TEST(IoddCorpus, PepperlFuchs_OneBitProcessData)
{
    SKIP_WITHOUT_SHARED_IODD();
    auto iodd = decode(QStringLiteral("Pepperl-Fuchs_OBD1000_R10x-20180815-IODD1.1.xml"), false);
    expectIdentity(*iodd, {"1", "Pepperl+Fuchs", "1114369", "OBD1000 R100/R101 series"});
    ASSERT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List.size(), 12u);
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.DeviceVariant_List[2]->ProductId, "267075-0127");
    EXPECT_EQ(stdRefs(*iodd).size(), 15);
    const TVariable *cfg = varById(*iodd, QStringLiteral("V_PdConfig"));
    ASSERT_NE(cfg, nullptr);
    EXPECT_EQ(cfg->Index, 104);
    EXPECT_EQ(recordLayout(*iodd, cfg->DataType.get(), false), QStringList({"1:BooleanT:0:1", "2:BooleanT:1:1"}));
    EXPECT_EQ(text(*iodd, cfg->DataType->ComplexDataType->RecItem[1]->Name), iodd->GetDesc_ExtTextCol(false, "TN_vPdConfig_CSC2"));

    const auto pd = processData(*iodd);
    ASSERT_EQ(pd.size(), 1u);
    EXPECT_EQ(pd[0].inBits, 1);
    EXPECT_EQ(pd[0].outBits, 2);
    const auto &p = iodd->ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List[0];
    EXPECT_EQ(recordLayout(*iodd, &p->ProcessDataIn->DataType, false), QStringList({"1:BooleanT:0:1"}));
    EXPECT_EQ(recordLayout(*iodd, &p->ProcessDataOut->DataType, false), QStringList({"1:BooleanT:0:1", "2:BooleanT:1:1"}));
    EXPECT_EQ(iodd->PhysicalLayer.Get_MinCycleTime(), 2300);
}
