// Queries of the IODD object model on hand-built trees, and the reader's number conversion.
#include "iolink/IODD_Numbers.h"
#include "iolink/UIOLink_IODD_Decode.h"
#include "support/TestSupport.h"

namespace {

std::shared_ptr<TDataType> simpleType(const char *id, TActualSimpleDataType kind, int bits = 0, int fixed = 0)
{
    auto dt = std::make_shared<TDataType>();
    dt->SimpleDataType = std::make_unique<TSimpleDataType>();
    dt->SimpleDataType->Id = QString::fromLatin1(id);
    dt->SimpleDataType->ActualSimpleDataType = kind;
    dt->SimpleDataType->BitLength = bits;
    dt->SimpleDataType->FixedLength = fixed;
    return dt;
}

std::shared_ptr<TDataType> complexType(const char *id, TActualComplexDataType kind, int bits = 0)
{
    auto dt = std::make_shared<TDataType>();
    dt->IsSimpleDataType = false;
    dt->ComplexDataType = std::make_unique<TComplexDataType>();
    dt->ComplexDataType->Id = QString::fromLatin1(id);
    dt->ComplexDataType->ActualComplexDataType = kind;
    dt->ComplexDataType->BitLength = bits;
    return dt;
}

std::shared_ptr<TVariable> variable(const char *id, int index, std::shared_ptr<TDataType> own)
{
    auto v = std::make_shared<TVariable>();
    v->Id = QString::fromLatin1(id);
    v->Index = index;
    if (own) {
        v->DataType = std::make_unique<TDataType>();
        v->DataType->IsSimpleDataType = own->IsSimpleDataType;
        v->DataType->SimpleDataType = std::move(own->SimpleDataType);
        v->DataType->ComplexDataType = std::move(own->ComplexDataType);
    }
    return v;
}

std::shared_ptr<TVariable> refVariable(const char *id, int index, const char *typeId)
{
    auto v = variable(id, index, nullptr);
    v->DataType = std::make_unique<TDataType>();
    v->DataType->IsDataTypeRef = true;
    v->DataType->Ref_DataTypeId = QString::fromLatin1(typeId);
    return v;
}

} // namespace

TEST(IoddModel, SimpleTypeNamesAndLengths)
{
    TIODD iodd;
    const struct { TActualSimpleDataType kind; int bits, fixed; const char *name, *length; } cases[] = {
        {asdtNONE, 8, 8, "None", ""},
        {asdtBooleanT, 0, 0, "BooleanT", "1"},
        {asdtUIntegerT, 12, 0, "UIntegerT", "12"},
        {asdtIntegerT, 0, 0, "IntegerT", "0"},
        {asdtFloat32T, 0, 0, "Float32T", "32"},
        {asdtStringT, 0, 80, "StringT", "80"},
        {asdtOctetStringT, 0, 16, "OctetStringT", "16"},
        {asdtTimeT, 0, 0, "TimeT", ""},
        {asdtTimeSpanT, 0, 0, "TimeSpanT", "64"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto v = variable("V", 64, simpleType("", c.kind, c.bits, c.fixed));
        EXPECT_EQ(v->Get_DataType(iodd, false), c.name);
        EXPECT_EQ(v->Get_Length(iodd, false), c.length);
        EXPECT_EQ(v->Get_SubIndAccSup(iodd, false), "False");
    }
}

TEST(IoddModel, ReferencesResolveInTheChosenCollection)
{
    TIODD iodd;
    auto &own = iodd.ProfileBody.DeviceFunction.DataTypeCollection.ListDataType;
    own.push_back(simpleType("D_U16", asdtUIntegerT, 16));
    own.push_back(complexType("D_Rec", acdtRecordT, 40));
    own.back()->ComplexDataType->SubIndexAccessSupPresent = true;
    own.back()->ComplexDataType->SubIndexAccessSup = true;
    own.push_back(complexType("D_Arr", acdtArrayT));
    iodd.SD_DataTypeCollection.ListDataType.push_back(simpleType("D_U16", asdtIntegerT, 8));

    EXPECT_EQ(iodd.ProfileBody.DeviceFunction.DataTypeCollection.GetDTIndex("D_Rec"), 1);
    EXPECT_EQ(iodd.ProfileBody.DeviceFunction.DataTypeCollection.GetDTIndex("D_REC"), -1);
    EXPECT_EQ(TDataTypeCollection().GetDTIndex(""), -1);
    EXPECT_EQ(iodd.Find_DataType("D_Arr", iodd.ProfileBody.DeviceFunction.DataTypeCollection), 2);

    auto u16 = refVariable("V_A", 70, "D_U16");
    EXPECT_EQ(u16->Get_DataType(iodd, false), "UIntegerT");
    EXPECT_EQ(u16->Get_Length(iodd, false), "16");
    EXPECT_EQ(u16->Get_DataType(iodd, true), "IntegerT");
    EXPECT_EQ(u16->Get_Length(iodd, true), "8");
    auto rec = refVariable("V_B", 71, "D_Rec");
    EXPECT_EQ(rec->Get_DataType(iodd, false), "RecordT");
    EXPECT_EQ(rec->Get_Length(iodd, false), "40");
    EXPECT_EQ(rec->Get_SubIndAccSup(iodd, false), "True");
    auto arr = refVariable("V_C", 72, "D_Arr");
    EXPECT_EQ(arr->Get_DataType(iodd, false), "ArrayT");
    EXPECT_EQ(arr->Get_Length(iodd, false), "");
    EXPECT_EQ(arr->Get_SubIndAccSup(iodd, false), "False");
    auto missing = refVariable("V_D", 73, "D_Nothing");
    EXPECT_EQ(missing->Get_DataType(iodd, false), "");
    EXPECT_EQ(missing->Get_Length(iodd, false), "");
    EXPECT_EQ(missing->Get_SubIndAccSup(iodd, false), "False");
    EXPECT_EQ(missing->ResolvedDataType(iodd, false), nullptr);
    EXPECT_EQ(variable("V_E", 74, nullptr)->Get_DataType(iodd, false), "");

    // A record item's reference to a complex type names nothing.
    TSimpleDataType itemRef;
    itemRef.IsSimpleDataRef = true;
    itemRef.DataTypeId = "D_Rec";
    EXPECT_EQ(itemRef.Get_ActualSimpleDataType(iodd, false), "");
    EXPECT_EQ(itemRef.Get_Length(iodd, false), "");
    itemRef.DataTypeId = "D_U16";
    EXPECT_EQ(itemRef.Get_ActualSimpleDataType(iodd, false), "UIntegerT");

    TProcessDataInOut pd;
    pd.DataType.IsDataTypeRef = true;
    pd.DataType.Ref_DataTypeId = "D_Rec";
    EXPECT_EQ(pd.Get_DataTypeStr(iodd), "RecordT");
    EXPECT_EQ(pd.GetDataType(iodd), own[1].get());
    pd.DataType.Ref_DataTypeId = "D_Nothing";
    EXPECT_EQ(pd.Get_DataTypeStr(iodd), "");
}

TEST(IoddModel, VariableLookups)
{
    TIODD iodd;
    iodd.SD_VariableCollection.Var_List.push_back(variable("V_SystemCommand", 2, simpleType("", asdtUIntegerT, 8)));
    auto &vc = iodd.ProfileBody.DeviceFunction.VariableCollection;
    auto ref = variable("V_SystemCommand", 1, nullptr);
    ref->VarType = vtStdVarRef;
    auto orphan = variable("V_Orphan", 1, nullptr);
    orphan->VarType = vtStdVarRef;
    vc.StdVar_List = {orphan, ref};
    vc.Var_List.push_back(variable("V_Own", 5, simpleType("", asdtBooleanT)));
    vc.Var_List.push_back(variable("V_Minus", -1, simpleType("", asdtBooleanT)));

    EXPECT_EQ(ref->Get_Index_Var_Ref(iodd), iodd.SD_VariableCollection.Var_List[0].get());
    EXPECT_EQ(orphan->Get_Index_Var_Ref(iodd), nullptr);
    EXPECT_EQ(vc.Var_List[0]->Get_Index_Var_Ref(iodd), nullptr);  // not a reference
    EXPECT_EQ(vc.Get_Variables("2", "", iodd), ref.get());
    EXPECT_EQ(vc.Get_Variables("1", "", iodd), nullptr);  // references count by their definition's index
    EXPECT_EQ(vc.Get_Variables("5", "2", iodd), vc.Var_List[0].get());
    EXPECT_EQ(vc.Get_Variables("5", "", iodd), vc.Var_List[0].get());
    EXPECT_EQ(vc.Get_Variables("five", "", iodd), vc.Var_List[1].get());  // not a number: -1
    EXPECT_EQ(vc.Get_Variables_IDs("V_SystemCommand"), ref.get());
    EXPECT_EQ(vc.Get_Variables_IDs("v_own"), nullptr);
    EXPECT_EQ(iodd.Find_Var_SD("V_SystemCommand"), 0);
    EXPECT_EQ(ref->Get_AccessRights(), "Read Write");
}

TEST(IoddModel, TextsAndPhysicalLayer)
{
    TIODD iodd;
    iodd.ExtTextCol.List_Ids = {"T_Name", "t_name", ""};
    iodd.ExtTextCol.PriLang_Values = {"First", "Second", "Empty id"};
    EXPECT_EQ(iodd.ExtTextCol.Find_ID("T_NAME"), 0);
    EXPECT_EQ(iodd.GetDesc_ExtTextCol(false, "t_NAME"), "First");
    EXPECT_EQ(iodd.GetDesc_ExtTextCol(false, ""), "Empty id");
    EXPECT_EQ(iodd.GetDesc_ExtTextCol(true, "T_Name"), "T_Name");
    QString value = "old";
    EXPECT_FALSE(iodd.ExtTextCol.Get_Value_From_ID("T_Other", value));
    EXPECT_TRUE(value.isEmpty());
    iodd.ExtTextCol.Erase_All();
    EXPECT_TRUE(iodd.ExtTextCol.List_Ids.isEmpty());

    const struct { const char *text; int rate; } rates[] = {
        {"COM2", 2}, {" com3 ", 3}, {"COM1", 1}, {"38400", 0}, {"", 0}, {"COMx", 0}, {"xCOM 2", 2}, {"COM", 0},
    };
    for (const auto &r : rates) {
        TPhysicalLayer pl;
        pl.BitRate = QString::fromLatin1(r.text);
        EXPECT_EQ(pl.Get_BitRate(), r.rate) << r.text;
    }
    TPhysicalLayer pl;
    pl.MinCycleTime = "2300";
    EXPECT_EQ(pl.Get_MinCycleTime(), 2300);
    pl.MinCycleTime = "";
    EXPECT_EQ(pl.Get_MinCycleTime(), 0);
    pl.MinCycleTime = "2.3ms";
    EXPECT_EQ(pl.Get_MinCycleTime(), 0);
}

TEST(IoddModel, MenuScalingTakesTheLastMatch)
{
    TIODD iodd;
    auto &menus = iodd.ProfileBody.DeviceFunction.UserInterface.MenuCollection.Menu_List;
    TProcessDataInOut pd;
    EXPECT_EQ(pd.Get_Gradient(iodd, true, true, ""), "1");
    EXPECT_EQ(pd.Get_Offset(iodd, true, true, ""), "0");
    EXPECT_EQ(pd.Get_UnitCode(iodd, true, true, ""), "");
    auto menu = std::make_shared<TMenu>();
    auto a = std::make_shared<TMenuVariableRef>();
    a->VariableId = "V_ProcessDataInput";
    a->Gradient = "0.5";
    auto b = std::make_shared<TMenuVariableRef>();
    b->VariableId = "V_ProcessDataInput";
    b->Gradient = "0.25";
    auto c = std::make_shared<TMenuRecordItemRef>();
    c->VariableId = "V_ProcessDataOutput";
    c->SubIndex = "2";
    c->Offset = "-40";
    menu->MenuVariableRef_List = {a, b, c};
    menus.push_back(menu);
    EXPECT_EQ(pd.Get_Gradient(iodd, true, true, ""), "0.25");
    EXPECT_EQ(pd.Get_Offset(iodd, true, true, ""), "");
    EXPECT_EQ(pd.Get_Gradient(iodd, true, false, ""), "1");
    EXPECT_EQ(pd.Get_Offset(iodd, false, false, "2"), "-40");
    EXPECT_EQ(pd.Get_Offset(iodd, false, false, "3"), "0");
}

TEST(IoddModel, NumberConversion)
{
    const struct { const char *text; int64_t value; bool ok; } cases[] = {
        {"0", 0, true}, {"42", 42, true}, {" 42 ", 42, true}, {"+7", 7, true}, {"-128", -128, true},
        {"", 0, false}, {" ", 0, false}, {"-", 0, false}, {"4 2", 0, false}, {"0x10", 0, false},
        {"$10", 0, false}, {"12abc", 0, false}, {"9223372036854775807", INT64_MAX, true},
        {"-9223372036854775808", INT64_MIN, true}, {"9223372036854775808", 0, false},
    };
    for (const auto &c : cases) {
        int64_t v = 0;
        EXPECT_EQ(iodd_numbers::parseInt64(c.text, v), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(iodd_numbers::toInt32("2147483648", -1), -1);
    EXPECT_EQ(iodd_numbers::toInt32("-2147483648", 0), INT32_MIN);
    EXPECT_FLOAT_EQ(iodd_numbers::toFloat(" 1.5e2 ", 0), 150.0f);
    EXPECT_FLOAT_EQ(iodd_numbers::toFloat("1,5", -1), -1.0f);
    EXPECT_FLOAT_EQ(iodd_numbers::toFloat("+-1", -1), -1.0f);
    EXPECT_FLOAT_EQ(iodd_numbers::toFloat("-0.25", 0), -0.25f);
}
