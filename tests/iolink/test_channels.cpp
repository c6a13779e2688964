#include "ChannelFixture.h"

#include "platform/Files.h"
#include "platform/Xml.h"

#include <pugixml.hpp>

namespace {

TEST_F(ChannelTest, ChannelCountsAndKindsFollowTheVariant)
{
    const struct { const char *variant; int a, b; } cases[] = {
        {"GW41520-A1-4A", 4, 0}, {"GW41520-A1-2A", 2, 0}, {"GW41520-A1-2A-2B", 2, 2}, {"GW41520-A1-2B", 0, 2},
        {"GW41520-A1-4B", 0, 4}, {"gw41520-a1-2a-4b", 2, 4}, {"GW41520-A1-6A", 6, 0},
        {"GW41520-A1-6A ", 8, 0}, {"", 8, 0}, {"GW41520-A1-8A", 8, 0},
    };
    for (const auto &c : cases) {
        parGen(c.variant);
        ASSERT_TRUE(table.Create_Channels());
        EXPECT_EQ(table.NChannelsA, c.a) << c.variant;
        EXPECT_EQ(table.NChannelsB, c.b) << c.variant;
        ASSERT_EQ(table.Channels.size(), size_t(c.a + c.b)) << c.variant;
        for (int i = 0; i < c.a + c.b; ++i) {
            EXPECT_EQ(table.Channels[size_t(i)].TypeA, i >= c.b) << c.variant << " channel " << i;
            EXPECT_EQ(table.Channels[size_t(i)].Pin4Mode, "Disable");
        }
    }
    // "-A1-2A-4B": B, B, B, B, A, A
    parGen("GW41520-A1-2A-4B");
    ASSERT_TRUE(table.Create_Channels());
    QString kinds;
    for (const auto &ch : table.Channels) kinds += ch.TypeA ? 'A' : 'B';
    EXPECT_EQ(kinds, "BBBBAA");

    QFile::remove(ParGen_File);
    ASSERT_TRUE(table.Create_Channels());
    EXPECT_EQ(table.Num_Channels, 8);

    ASSERT_TRUE(platform::writeFileAtomic(ParGen_File, "<Par_Gen><IOLink_SelectDevice>"));
    QString err;
    EXPECT_FALSE(table.Create_Channels(&err));
    EXPECT_FALSE(err.isEmpty());
}

TEST_F(ChannelTest, RecordPlacementPacksConsecutiveBooleans)
{
    const struct { QStringList items; int start; QStringList expected; int next; } cases[] = {
        {{simple("UIntegerT", 16), simple("BooleanT"), simple("BooleanT"), simple("UIntegerT", 8)}, 10,
         {"10/0", "12/0", "12/1", "13/0"}, 14},
        {QStringList(9, simple("BooleanT")), 0, {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0"}, 2},
        {{simple("BooleanT"), simple("UIntegerT", 8), simple("BooleanT")}, 3, {"3/0", "4/0", "5/0"}, 6},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(table.Create_Channels());
        IoddRecipe recipe;
        recipe.pdIn = recordOf(c.items, 64);
        recipe.pdInBits = 64;
        assign(0, "rec.xml", recipe);
        table.Channels[0].ProcessData_Erase();
        EXPECT_EQ(table.Create_List_ProcessDataIn(0, c.start), c.next);
        ASSERT_TRUE(table.Channels[0].ProcDataIn_List);
        EXPECT_EQ(placed(*table.Channels[0].ProcDataIn_List), c.expected);
        EXPECT_FALSE(table.Channels[0].ProcDataOut_List);
    }
}

TEST_F(ChannelTest, EventPlacementEightToAByte)
{
    const struct { int events; int start; int next; } cases[] = {{9, 7, 9}, {8, 7, 8}, {1, 0, 1}, {0, 4, 4}};
    for (const auto &c : cases) {
        ASSERT_TRUE(table.Create_Channels());
        IoddRecipe recipe;
        recipe.ownEvents = c.events;
        assign(0, "ev.xml", recipe);
        table.Channels[0].Event_List.clear();
        EXPECT_EQ(table.Create_List_Event(0, c.start), c.next) << c.events;
        QStringList expected;
        for (int i = 0; i < c.events; ++i) expected << QString("%1/%2").arg(c.start + i / 8).arg(i % 8);
        EXPECT_EQ(placed(table.Channels[0].Event_List), expected);
    }
}

TEST_F(ChannelTest, NewIoddIsPlacedBehindTheChannelsAbove)
{
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe first;
    first.pdIn = kU32;
    first.pdInBits = 32;
    first.ownEvents = 3;
    assign(0, "first.xml", first);
    EXPECT_EQ(placed(*table.Channels[0].ProcDataIn_List), QStringList{"0/0"});
    EXPECT_EQ(table.Channels[0].Pin2_Pos, "4");
    EXPECT_EQ(table.Channels[0].Pin4_Bit, "1");
    EXPECT_EQ(placed(table.Channels[0].Event_List), (QStringList{"5/0", "5/1", "5/2"}));

    IoddRecipe second;
    second.pdIn = kU16;
    second.pdInBits = 16;
    second.pdOut = kU16;
    second.pdOutBits = 16;
    second.stdEvents = true;
    assign(1, "second.xml", second);
    const TChannel_IOLink &ch = table.Channels[1];
    EXPECT_EQ(placed(*ch.ProcDataIn_List), QStringList{"6/0"});  // 4 bytes, pin byte 4, event byte 5
    EXPECT_EQ(ch.Pin2_Pos, "8");
    EXPECT_EQ(ch.Pin2_Bit, "0");
    EXPECT_EQ(ch.Pin4_Pos, "8");
    EXPECT_EQ(ch.Pin4_Bit, "1");
    EXPECT_EQ(placed(ch.Event_List), (QStringList{"9/0", "9/1"}));
    EXPECT_EQ(placed(*ch.ProcDataOut_List), QStringList{"0/0"});
    // Standard events first, named from the standard definitions.
    EXPECT_EQ(ch.Event_List[0].Code, "20496");
    EXPECT_EQ(ch.Event_List[0].Name, "Component malfunction");
    EXPECT_EQ(ch.Event_List[0].EventType, "Error");

    // A digital output above a channel moves its output data one byte on.
    table.Channels[1].Pin4Mode = "DOut";
    assign(2, "second.xml", second);
    EXPECT_EQ(placed(*table.Channels[2].ProcDataOut_List), QStringList{"3/0"});

    // Re-assigning channel 0 leaves the channels below where they were.
    IoddRecipe big = first;
    big.pdIn = kU32;
    big.pdInBits = 32;
    assign(0, "first.xml", big);
    EXPECT_EQ(placed(*table.Channels[1].ProcDataIn_List), QStringList{"6/0"});
}

// A variant chosen for the previous IODD of a port may lie beyond the list of the next one.
TEST_F(ChannelTest, AKeptVariantBeyondTheNewIoddsListTakesItsFirst)
{
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe three;
    three.pdIn = kU16;
    three.pdInBits = 16;
    three.moreProcessData = "<ProcessData id=\"P_B\"><ProcessDataIn id=\"PB\" bitLength=\"16\">" + kU16 +
                            "<Name textId=\"T_PD\"/></ProcessDataIn></ProcessData>"
                            "<ProcessData id=\"P_C\"><ProcessDataIn id=\"PC\" bitLength=\"16\">" + kU16 +
                            "<Name textId=\"T_PD\"/></ProcessDataIn></ProcessData>";
    assign(0, "three.xml", three);
    table.Change_ProcDataCondition(0, 2);
    ASSERT_EQ((*table.Channels[0].ProcDataIn_List)[0].variableId, "PC");
    IoddRecipe one;
    one.pdIn = kU32;
    one.pdInBits = 32;
    assign(0, "one.xml", one);
    const TChannel_IOLink &ch = table.Channels[0];
    EXPECT_EQ(ch.ProcDataCondition, 0);
    ASSERT_TRUE(ch.ProcDataIn_List.has_value());
    EXPECT_EQ(placed(*ch.ProcDataIn_List), QStringList{"0/0"});
    EXPECT_TRUE(table.Check_Configuration()) << messages.join("\n").toStdString();

    // A variant that the new IODD also has is kept.
    assign(0, "three.xml", three);
    table.Change_ProcDataCondition(0, 1);
    assign(0, "three.xml", three);
    EXPECT_EQ(table.Channels[0].ProcDataCondition, 1);
}

TEST_F(ChannelTest, ArraysAreNumberedFromOne)
{
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.pdIn = "<Datatype xsi:type=\"ArrayT\" count=\"3\">" + simple("UIntegerT", 8) + "</Datatype>";
    recipe.pdInBits = 24;
    recipe.variables = "<Variable id=\"V_Arr\" index=\"70\" accessRights=\"rw\"><Datatype xsi:type=\"ArrayT\" count=\"3\" "
                     "subindexAccessSupported=\"true\">" + simple("UIntegerT", 16) + "</Datatype><Name textId=\"T_Var\"/></Variable>";
    assign(0, "arr.xml", recipe);
    const TChannel_IOLink &ch = table.Channels[0];
    QStringList pdSubs, varSubs;
    for (const auto &e : *ch.ProcDataIn_List) pdSubs << e.SubIndex;
    for (const auto &e : ch.Var_List) varSubs << e.SubIndex;
    EXPECT_EQ(pdSubs.join(","), "1,2,3");
    EXPECT_EQ(placed(*ch.ProcDataIn_List), (QStringList{"0/0", "1/0", "2/0"}));
    EXPECT_EQ(varSubs.join(","), ",1,2,3");
    EXPECT_TRUE(ch.Var_List[0].SubIndex_Present);
    EXPECT_EQ(ch.Var_List[0].Dimension, "");  // an array has no length of its own
    EXPECT_EQ(ch.Var_List[1].Dimension, "16");
    EXPECT_EQ(ch.Var_List[1].total_bit_length, "");
    EXPECT_EQ(ch.Var_List[1].subindexAccessSupported, "1");
    EXPECT_TRUE(ch.Var_List[1].SubindexAccSupPresent);
    EXPECT_EQ(ch.Var_List[1].bit_offset, "0");
}

TEST_F(ChannelTest, StandardVariablesComeFirstAndEveryEntryIsNamed)
{
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.stdVariables = true;
    recipe.variables = "<Variable id=\"V_Own\" index=\"80\" accessRights=\"rw\">" + QString(kU16).replace("Datatype ", "Datatype ")
                     + "<Name textId=\"T_Var\"/></Variable>";
    recipe.pdIn = recordOf({simple("UIntegerT", 8), simple("BooleanT")}, 16);
    recipe.pdInBits = 16;
    recipe.menus = "<Menu id=\"M\"><RecordItemRef variableId=\"V_ProcessDataInput\" subindex=\"1\" gradient=\"0.5\" offset=\"2\" unitCode=\"1001\"/></Menu>";
    assign(0, "std.xml", recipe);
    table.Add_Name_to_Configuration();
    const TChannel_IOLink &ch = table.Channels[0];
    QStringList rows;
    for (const auto &e : ch.Var_List) rows << e.Index + ":" + e.SubIndex + ":" + e.Name + ":" + e.VarType + ":" + e.Access;
    EXPECT_EQ(rows, (QStringList{
                         "12::Device Access Locks:RecordT:Read Write",
                         "12:1:Parameter (write) access:BooleanT:Read Write",
                         "12:2:Data storage:BooleanT:Read Write",
                         "16::Vendor Name:StringT:Read Only",
                         "80::Own variable:UIntegerT:Read Write",
                     }));
    EXPECT_EQ(ch.Var_List[1].bit_offset, "0");
    EXPECT_EQ(ch.Var_List[2].bit_offset, "1");
    EXPECT_EQ(ch.Var_List[1].subindexAccessSupported, "0");
    EXPECT_TRUE(ch.Var_List[1].SubindexAccSupPresent);

    const auto &pd = *ch.ProcDataIn_List;
    ASSERT_EQ(pd.size(), 2u);
    EXPECT_EQ(pd[0].gradient, "0.5");
    EXPECT_EQ(pd[0].offset, "2");
    EXPECT_EQ(pd[0].unitCode, "1001");
    EXPECT_EQ(pd[1].gradient, "1");
    EXPECT_EQ(pd[1].unitCode, "");
    EXPECT_EQ(pd[0].Name, "Item");
    EXPECT_EQ(pd[1].VarType, "BooleanT");
    EXPECT_EQ(pd[1].BitLength, "1");
}

// A menu reference that scales with only one of gradient and offset leaves the other neutral, so
// the placed table passes its own check.
TEST_F(ChannelTest, MenuScalingWithOneOfGradientAndOffset)
{
    const struct { const char *name, *pdIn, *ref, *gradient, *offset, *unit; } cases[] = {
        {"record, gradient only", "R", "<RecordItemRef variableId=\"V_ProcessDataInput\" subindex=\"1\" gradient=\"0.1\"/>", "0.1", "0", ""},
        {"record, offset only", "R", "<RecordItemRef variableId=\"V_ProcessDataInput\" subindex=\"1\" offset=\"-40\"/>", "1", "-40", ""},
        {"array, gradient only", "A", "<VariableRef variableId=\"V_ProcessDataInput\" gradient=\"2.5\" unitCode=\"1001\"/>", "2.5", "0", "1001"},
        {"array, offset only", "A", "<VariableRef variableId=\"V_ProcessDataInput\" offset=\"3\"/>", "1", "3", ""},
        {"array, unit only", "A", "<VariableRef variableId=\"V_ProcessDataInput\" unitCode=\"1010\"/>", "1", "0", "1010"},
    };
    for (const auto &c : cases) {
        parGen("GW41520-A1-4A");
        ASSERT_TRUE(table.Create_Channels());
        IoddRecipe recipe;
        recipe.pdIn = QString(c.pdIn) == "R" ? recordOf({simple("UIntegerT", 8), simple("UIntegerT", 8)}, 16)
                                              : "<Datatype xsi:type=\"ArrayT\" count=\"2\">" + simple("UIntegerT", 8) + "</Datatype>";
        recipe.pdInBits = 16;
        recipe.menus = QString("<Menu id=\"M\">") + c.ref + "</Menu>";
        assign(0, "scaled.xml", recipe);
        const TProcDataObjValue &e = (*table.Channels[0].ProcDataIn_List)[0];
        EXPECT_EQ(e.gradient, c.gradient) << c.name;
        EXPECT_EQ(e.offset, c.offset) << c.name;
        EXPECT_EQ(e.unitCode, c.unit) << c.name;
        messages.clear();
        EXPECT_TRUE(table.Check_Configuration()) << c.name << ": " << messages.join("\n").toStdString();
    }
}

TEST_F(ChannelTest, FileStructureAndRoundTrip)
{
    parGen("GW41520-A1-4A");
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.pdIn = kU16;
    recipe.pdInBits = 16;
    recipe.ownEvents = 2;
    recipe.stdVariables = true;
    assign(1, "dev.xml", recipe);
    TChannel_IOLink &ch = table.Channels[1];
    ch.ReadPin2 = "Y";
    ch.TimeOut = "30";
    ch.Var_List[1].Enable = true;
    ch.Var_List[1].Value = "1";
    ch.Var_List[1].Position = "600";
    ch.Event_List[1].Enable = true;
    ch.Event_List[1].Mnemonic = "EV";
    (*ch.ProcDataIn_List)[0].gradient = "0,25";
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());

    pugi::xml_document doc;
    ASSERT_TRUE(platform::readXmlFile(doc, IOLink_SetAccess_File, pugi::parse_default | pugi::parse_comments | pugi::parse_declaration));
    EXPECT_STREQ(doc.first_child().name(), "IO-Link");
    EXPECT_EQ(doc.first_child().next_sibling().type(), pugi::node_comment);
    EXPECT_STREQ(doc.first_child().next_sibling().value(), "SW_VERSION = 1.103");
    const pugi::xml_node channels = doc.first_child().child("IO-Link_Channels");
    int n = 0;
    for (pugi::xml_node c = channels.first_child(); c; c = c.next_sibling(), ++n) {
        if (n == 1) continue;
        EXPECT_STREQ(c.child("IODD_File").attribute("FileName").value(), "") << n;
        EXPECT_FALSE(c.child("Variables")) << n;
        EXPECT_FALSE(c.child("Events")) << n;
    }
    EXPECT_EQ(n, 4);
    const pugi::xml_node second = channels.first_child().next_sibling();
    QStringList attrs;
    for (auto a : second.child("IODD_File").attributes()) attrs << a.name();
    EXPECT_EQ(attrs, (QStringList{"FileName", "Pin4Mode", "ReadPin2", "Pin2Pos", "Pin2Bit", "Pin2Inv", "Pin2InType",
                                  "Pin2Mne", "Pin4Pos", "Pin4Bit", "Pin4Inv", "Pin4Mne", "TimeOut"}));
    EXPECT_STREQ(second.child("Variables").child("Variable").next_sibling().attribute("Enable").value(), "True");
    EXPECT_STREQ(second.child("ProcessData").child("processDataCondition").child_value(), "0");
    EXPECT_FALSE(second.child("ProcessData").child("ProcessDataOut"));  // no output in this variant
    EXPECT_TRUE(second.child("Events"));

    // Read back into fresh channels: equal, and saving again gives the same bytes.
    const QByteArray saved = table.Configuration_Xml();
    TIOLink_Channel_Table again;
    again.Report = table.Report;
    ASSERT_TRUE(again.Create_Channels());
    ASSERT_TRUE(again.Load_Configuration());
    again.Add_Name_to_Configuration();
    EXPECT_EQ(again.Configuration_Xml(), saved);
    EXPECT_EQ(again.Vendor_Name(1), "Test Vendor");
    EXPECT_EQ(again.Device_Name(1), "Test Device");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

// Texts holding characters XML cannot hold lose only those: the file reads back into the table.
TEST_F(ChannelTest, CharactersXmlCannotHoldAreDroppedAndTheFileReadsBack)
{
    parGen("GW41520-A1-2A");
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.ownEvents = 1;
    recipe.variables = "<Variable id=\"V_U8\" index=\"64\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"8\"/>"
                       "<Name textId=\"T_Var\"/></Variable>";
    assign(0, "dev.xml", recipe);
    TChannel_IOLink &ch = table.Channels[0];
    ch.Pin2_Mne = QString::fromUtf8("Pin\x01 2");
    ch.TimeOut = QString::fromUtf8("3\x07");
    ch.Var_List[0].Value = QString::fromUtf8("\x0B" "12\x1F");
    ch.Event_List[0].Mnemonic = QString::fromUtf8("EV\xEF\xBF\xBE");
    table.Channels[1].Pin4_Mne = QString(QChar(0xD800)) + "M";
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());
    QString lint;
    if (testsupport::xmllintMessages(IOLink_SetAccess_File, lint))
        EXPECT_TRUE(lint.isEmpty()) << lint.toStdString();

    TIOLink_Channel_Table again;
    again.Report = table.Report;
    ASSERT_TRUE(again.Create_Channels());
    QString error;
    ASSERT_TRUE(again.Load_Configuration(&error)) << error.toStdString();
    EXPECT_EQ(again.Channels[0].Pin2_Mne, "Pin 2");
    EXPECT_EQ(again.Channels[0].TimeOut, "3");
    EXPECT_EQ(again.Channels[0].Get_Value("64", ""), "12");
    ASSERT_EQ(again.Channels[0].Event_List.size(), 1u);
    EXPECT_EQ(again.Channels[0].Event_List[0].Mnemonic, "EV");
    EXPECT_EQ(again.Channels[1].Pin4_Mne, "M");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(ChannelTest, ReadingAppliesEachDefaultOnItsOwn)
{
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.pdIn = recordOf({simple("UIntegerT", 8), simple("UIntegerT", 8)}, 16);
    recipe.pdInBits = 16;
    recipe.ownEvents = 2;
    recipe.variables = "<Variable id=\"V_Arr\" index=\"70\" accessRights=\"rw\"><Datatype xsi:type=\"ArrayT\" count=\"2\">"
                     + simple("UIntegerT", 8) + "</Datatype><Name textId=\"T_Var\"/></Variable>";
    catalog("dev.xml", recipe);
    QDir().mkpath(Project_Path + "/IODD");
    QFile::copy(IODD_Catalog_Dir + "/dev.xml", Project_Path + "/IODD/dev.xml");
    const QByteArray file =
        "<IO-Link><IO-Link_Channels>"
        "<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"io-link\"/>"
        "<Variables>"
        "<Variable Index=\"70\" SubIndex=\"0\" Value=\"5\" Enable=\"True\"/>"   // old numbering: element 1
        "<Variable Index=\"70\" SubIndex=\"1\" Value=\"6\" Enable=\"true\"/>"   // element 2, not enabled
        "<Variable Index=\"99\" SubIndex=\"\" Value=\"x\" Enable=\"True\"/>"   // no such variable
        "</Variables>"
        "<ProcessData><processDataCondition>0</processDataCondition><ProcessDataIn>"
        "<PD_Record VariableId=\"PI\" SubIndex=\"2\" Position=\"40\" Bit=\"3\" Gradient=\"2\"/>"
        "<PD_Record VariableId=\"PI\" SubIndex=\"7\" Position=\"99\"/>"
        "</ProcessDataIn></ProcessData>"
        "<Events><Event Code=\"36001\" Enable=\"True\"/><Event Code=\"36000\" Enable=\"true\" TimeOut=\"5\" Mnemonic=\"M\"/></Events>"
        "</Channel>"
        "<Channel><IODD_File FileName=\"gone.xml\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin4Pos=\"7\"/>"
        "<Events><Event Code=\"1\"/></Events></Channel>"
        "<Channel/>"
        "</IO-Link_Channels></IO-Link>";
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, file));
    ASSERT_TRUE(table.Load_Configuration());
    const TChannel_IOLink &a = table.Channels[0];
    EXPECT_EQ(a.Pin4Mode, "Disable");  // letter case differs
    EXPECT_EQ(a.ReadPin2, "N");
    EXPECT_EQ(a.Pin2_Inv, "N");
    EXPECT_EQ(a.Pin2_In_Type, "None");
    EXPECT_EQ(a.Get_Value("70", "1"), "5");
    EXPECT_TRUE(a.Get_Enable("70", "1"));
    EXPECT_EQ(a.Get_Value("70", "2"), "6");
    EXPECT_FALSE(a.Get_Enable("70", "2"));
    EXPECT_EQ(a.Get_Index("99", ""), -1);
    const auto &pd = *a.ProcDataIn_List;
    EXPECT_EQ(pd[1].position, "40");
    EXPECT_EQ(pd[1].bit, "3");
    EXPECT_EQ(pd[1].gradient, "2");
    EXPECT_EQ(pd[1].offset, "");  // missing attribute of a matched record
    EXPECT_EQ(pd[0].position, "0");  // provisional placement stays where no record covers it
    EXPECT_EQ(a.Event_List[1].TimeOut, "1000");
    EXPECT_EQ(a.Event_List[1].Mnemonic, "0");
    EXPECT_TRUE(a.Event_List[1].Enable);
    EXPECT_FALSE(a.Event_List[0].Enable);
    EXPECT_EQ(a.Event_List[0].TimeOut, "5");

    const TChannel_IOLink &b = table.Channels[1];
    EXPECT_EQ(b.IODD_File, "gone.xml");  // kept and written back
    EXPECT_TRUE(b.Var_List.empty());
    EXPECT_EQ(table.IODD_List[1], nullptr);
    EXPECT_EQ(b.Pin4Mode, "DIn");
    EXPECT_EQ(b.Pin4_Pos, "7");
    EXPECT_EQ(table.Channels[2].IODD_File, "");

    // Saving again drops the unknown variable and writes the old-numbered element under its new subindex.
    const QString xml = QString::fromUtf8(table.Configuration_Xml());
    EXPECT_FALSE(xml.contains("Index=\"99\""));
    EXPECT_TRUE(xml.contains("Index=\"70\" SubIndex=\"1\" Value=\"5\""));
    EXPECT_TRUE(xml.contains("FileName=\"gone.xml\""));
}

TEST_F(ChannelTest, UnreadableFileFailsWholeAndChangesNothing)
{
    ASSERT_TRUE(table.Create_Channels());
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>"));
    QString err;
    EXPECT_FALSE(table.Load_Configuration(&err));
    EXPECT_FALSE(err.isEmpty());
    for (const auto &ch : table.Channels) EXPECT_EQ(ch.Pin4Mode, "Disable");
}

// Bytes that are not UTF-8 (a Latin-1 "ü") are refused, never read as U+FFFD and saved so.
TEST_F(ChannelTest, ChannelFileWithLatin1BytesIsRefused)
{
    ASSERT_TRUE(table.Create_Channels());
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File,
                                          "<IO-Link><IO-Link_Channels>\n<Channel><IODD_File FileName=\"Pr\xFC" "fung.xml\" Pin4Mode=\"DIn\"/>"
                                          "</Channel></IO-Link_Channels></IO-Link>"));
    QString err;
    EXPECT_FALSE(table.Load_Configuration(&err));
    EXPECT_TRUE(err.startsWith(IOLink_SetAccess_File + ", line 2: ")) << err.toStdString();
    for (const auto &ch : table.Channels) EXPECT_EQ(ch.Pin4Mode, "Disable");
}

TEST_F(ChannelTest, LookupsAnswerTheirDefaults)
{
    TChannel_IOLink ch;
    EXPECT_EQ(ch.PD_Get_Index(true, "PI", ""), -1);
    EXPECT_EQ(ch.PD_Get_Gradient(true, "PI", ""), "1");
    EXPECT_EQ(ch.PD_Get_Offset(false, "PO", ""), "0");
    EXPECT_EQ(ch.PD_Get_Position_Arr(true, "PI", 0), "");
    EXPECT_EQ(ch.Event_Get_Index(5), -1);
    EXPECT_EQ(Get_Pin4Mode("DOut"), "DOut");
    EXPECT_EQ(Get_Pin4Mode("dout"), "Disable");
    ch.ProcDataIn_List.emplace();
    EXPECT_EQ(ch.PD_Get_Position_Arr(true, "PI", 0), "");
    ch.ProcessData_Erase();
    EXPECT_FALSE(ch.ProcDataIn_List.has_value());
}

} // namespace

namespace {

TEST_F(ChannelTest, RealDeviceDescriptionBuildsAndRoundTrips)
{
    SKIP_WITHOUT_SHARED_IODD();
    assignSharedIodds({"IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml"});
    TChannel_IOLink &ch = table.Channels[0];

    // Input record: IntegerT 16, IntegerT 8, two BooleanT; output: IntegerT 8, two BooleanT.
    EXPECT_EQ(placed(*ch.ProcDataIn_List), (QStringList{"0/0", "2/0", "3/0", "3/1"}));
    EXPECT_EQ(placed(*ch.ProcDataOut_List), (QStringList{"0/0", "1/0", "1/1"}));
    EXPECT_EQ((*ch.ProcDataIn_List)[0].BitLength, "16");
    EXPECT_EQ((*ch.ProcDataIn_List)[0].BitOffset, "16");
    EXPECT_EQ((*ch.ProcDataIn_List)[3].BitLength, "1");
    EXPECT_EQ(ch.Pin2_Pos, "4");
    ASSERT_EQ(ch.Event_List.size(), 1u);
    EXPECT_EQ(ch.Event_List[0].Code, "20496");
    EXPECT_EQ(ch.Event_List[0].Name, "Component malfunction");
    EXPECT_EQ(placed(ch.Event_List), QStringList{"5/0"});

    // Standard variables first (index 0, the direct parameters), own variables after them.
    ASSERT_FALSE(ch.Var_List.empty());
    EXPECT_EQ(ch.Var_List.front().Index, "0");
    EXPECT_EQ(ch.Var_List[size_t(ch.Get_Index("2", ""))].Access, "Write Only");
    for (int k = 1; k <= 64; ++k) EXPECT_GE(ch.Get_Index("37", QString::number(k)), 0) << k;
    EXPECT_EQ(ch.Get_Index("37", "0"), -1);
    EXPECT_GE(ch.Get_Index("64", "2"), 0);  // record item of an own variable
    EXPECT_GT(ch.Get_Index("64", ""), ch.Get_Index("37", ""));

    ch.Var_List[size_t(ch.Get_Index("80", ""))].Enable = true;
    ch.Var_List[size_t(ch.Get_Index("80", ""))].Value = "2";
    ch.Var_List[size_t(ch.Get_Index("80", ""))].Position = "700";
    EXPECT_TRUE(table.Check_Configuration()) << messages.join("\n").toStdString();
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());

    TIOLink_Channel_Table again;
    again.Report = table.Report;
    ASSERT_TRUE(again.Create_Channels());
    ASSERT_TRUE(again.Load_Configuration());
    again.Add_Name_to_Configuration();
    EXPECT_EQ(again.Configuration_Xml(), table.Configuration_Xml());
    EXPECT_EQ(again.Vendor_Name(0), "IO-Link Community");
}

} // namespace

namespace {

// One device with a 16-bit input, an output record, two events, a plain, an array and a record
// variable, in the configuration's "IODD" folder; the channel file is written by hand.
class ChannelFileTest : public ChannelTest {
public:
    void SetUp() override
    {
        ChannelTest::SetUp();
        parGen("GW41520-A1-4A");
        ASSERT_TRUE(table.Create_Channels());
        IoddRecipe recipe;
        recipe.pdIn = kU16;
        recipe.pdInBits = 16;
        recipe.ownEvents = 2;
        recipe.variables =
            "<Variable id=\"V_U8\" index=\"64\" accessRights=\"rw\">" + simple("UIntegerT", 8).replace("SimpleDatatype", "Datatype")
            + "<Name textId=\"T_Var\"/></Variable>"
              "<Variable id=\"V_Arr\" index=\"70\" accessRights=\"rw\"><Datatype xsi:type=\"ArrayT\" count=\"2\">"
            + simple("UIntegerT", 8) + "</Datatype><Name textId=\"T_Var\"/></Variable>"
              "<Variable id=\"V_Rec\" index=\"75\" accessRights=\"rw\">"
            + recordOf({simple("UIntegerT", 8), simple("UIntegerT", 8)}, 16) + "<Name textId=\"T_Var\"/></Variable>";
        catalog("dev.xml", recipe);
        QDir().mkpath(Project_Path + "/IODD");
        ASSERT_TRUE(QFile::copy(IODD_Catalog_Dir + "/dev.xml", Project_Path + "/IODD/dev.xml"));
    }
    // The first channel with dev.xml and a few records, the second a digital input.
    static QByteArray channels(const QByteArray &before = "", const QByteArray &inside = "")
    {
        return before + "<IO-Link><IO-Link_Channels>" + inside +
               "<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/>"
               "<Variables>" + inside + "<Variable Index=\"64\" SubIndex=\"\" Value=\"7\" Enable=\"True\"/></Variables>"
               "<ProcessData>" + inside + "<processDataCondition>0</processDataCondition><ProcessDataIn>" + inside +
               "<PD_Record VariableId=\"PI\" SubIndex=\"\" Position=\"12\" Bit=\"0\" Gradient=\"1\" Offset=\"0\"/></ProcessDataIn></ProcessData>"
               "<Events>" + inside + "<Event Code=\"36001\" Enable=\"True\"/></Events></Channel>" + inside +
               "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\"/></Channel>"
               "</IO-Link_Channels></IO-Link>";
    }
};

TEST_F(ChannelFileTest, RootIsTheDocumentElementAndCommentsAreSkipped)
{
    const struct { const char *name; QByteArray file; } cases[] = {
        {"plain", channels()},
        {"declaration", channels("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")},
        {"comment first", channels("<!-- edited by hand -->\n")},
        {"declaration and comment", channels("<?xml version=\"1.0\"?><!-- x --><!-- y -->")},
        {"comments inside", channels("", "<!-- note -->")},
        {"blank texts inside", channels("", "\n  ")},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(table.Create_Channels());
        ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, c.file));
        QString err;
        ASSERT_TRUE(table.Load_Configuration(&err)) << c.name << ": " << err.toStdString();
        const TChannel_IOLink &a = table.Channels[0];
        EXPECT_EQ(a.Pin4Mode, "IO-Link") << c.name;
        EXPECT_EQ(a.Get_Value("64", ""), "7") << c.name;
        ASSERT_TRUE(a.ProcDataIn_List) << c.name;
        EXPECT_EQ((*a.ProcDataIn_List)[0].position, "12") << c.name;
        EXPECT_TRUE(a.Event_List[1].Enable) << c.name;
        EXPECT_EQ(table.Channels[1].Pin4Mode, "DIn") << c.name;  // no channel shifted
        EXPECT_EQ(table.Channels[2].Pin4Mode, "Disable") << c.name;
        EXPECT_TRUE(table.Save_Configuration()) << c.name;
    }
}

TEST_F(ChannelFileTest, FileThatIsNoChannelFileFailsAndIsNeverSavedOver)
{
    const struct { const char *name; QByteArray file; QString message; } cases[] = {
        {"other root", "<Par_Gen><IO-Link_Channels/></Par_Gen>",
         "Error!! " + IOLink_SetAccess_File + " is not an IO-Link channel file: its root element is \"Par_Gen\", not \"IO-Link\""},
        {"declaration, other root", "<?xml version=\"1.0\"?><IOLink/>",
         "Error!! " + IOLink_SetAccess_File + " is not an IO-Link channel file: its root element is \"IOLink\", not \"IO-Link\""},
        {"text after the root", channels() + "junk", ""},
        {"second root", channels() + "<IO-Link/>", ""},
        {"invalid UTF-8", channels().replace("FileName=\"\"", "FileName=\"\xC3\x28\""), ""},
        {"not well-formed", channels().left(80), ""},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(table.Create_Channels());
        ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, c.file));
        QString err;
        EXPECT_FALSE(table.Load_Configuration(&err)) << c.name;
        if (c.message.isEmpty()) EXPECT_TRUE(err.startsWith(IOLink_SetAccess_File + ", line ")) << c.name << ": " << err.toStdString();
        else EXPECT_EQ(err.toStdString(), c.message.toStdString()) << c.name;
        for (const auto &ch : table.Channels) EXPECT_EQ(ch.Pin4Mode, "Disable") << c.name;
        // Whatever the user does next, the file keeps its mapping.
        table.Channels[0].Pin4Mode = "DOut";
        QString saveErr;
        EXPECT_FALSE(table.Save_Configuration(&saveErr)) << c.name;
        EXPECT_EQ(saveErr, err) << c.name;
        EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), c.file) << c.name;
    }
    // Once the file reads, saving works again.
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, channels()));
    ASSERT_TRUE(table.Create_Channels());
    ASSERT_TRUE(table.Load_Configuration());
    EXPECT_TRUE(table.Save_Configuration());
}

// Old files numbered array elements from 0; a record has no item 0, and its records never move.
TEST_F(ChannelFileTest, OnlyArraysTakeTheOldElementNumbering)
{
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File,
        "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><Variables>"
        "<Variable Index=\"75\" SubIndex=\"0\" Value=\"9\" Enable=\"True\"/>"
        "<Variable Index=\"75\" SubIndex=\"1\" Value=\"5\"/>"
        "<Variable Index=\"70\" SubIndex=\"0\" Value=\"3\"/>"
        "<Variable Index=\"70\" SubIndex=\"1\" Value=\"4\"/>"
        "</Variables></Channel></IO-Link_Channels></IO-Link>"));
    ASSERT_TRUE(table.Load_Configuration());
    const TChannel_IOLink &a = table.Channels[0];
    EXPECT_EQ(a.Get_Value("75", "1"), "5");
    EXPECT_FALSE(a.Get_Enable("75", "1"));
    EXPECT_EQ(a.Get_Value("75", "2"), "");
    EXPECT_EQ(a.Get_Value("70", "1"), "3");
    EXPECT_EQ(a.Get_Value("70", "2"), "4");
}

// A channel whose records find no entry keeps them all on the next save; Report says why.
TEST_F(ChannelFileTest, RecordsWithoutEntriesAreKeptOnSave)
{
    const QByteArray vars = "<Variables><Variable Index=\"64\" SubIndex=\"\" Value=\"7\" Enable=\"True\"/>"
                            "<Variable Index=\"200\" SubIndex=\"3\" Value=\"x\"/></Variables>";
    const QByteArray pd = "<ProcessData><processDataCondition>%C</processDataCondition><ProcessDataIn>"
                          "<PD_Record VariableId=\"PI\" SubIndex=\"\" Position=\"12\" Bit=\"0\" Gradient=\"0.5\" Offset=\"1\"/>"
                          "</ProcessDataIn></ProcessData>";
    const QByteArray events = "<Events><Event Enable=\"True\" Code=\"36001\" TimeOut=\"5\"/></Events>";
    QFile::copy(Project_Path + "/IODD/dev.xml", Project_Path + "/outside.xml");
    testsupport::writeFile(Project_Path + "/IODD/broken.xml", "<IODevice>");
    const struct { const char *name, *file, *condition; bool decoded, allKept; QString message; } cases[] = {
        {"IODD missing", "gone.xml", "0", false, true,
         "W: Warning in Channel #01!! The IODD file gone.xml is missing from the configuration: the channel's variables, "
         "process data and events are kept as saved"},
        {"IODD unreadable", "broken.xml", "0", false, true, "E: " + Project_Path + "/IODD/broken.xml"},
        {"name leaves the folder", "../outside.xml", "0", false, true,
         "E: Error in Channel #01!! The IODD file name ../outside.xml is not a plain file name"},
        {"name with a backslash", "..\\outside.xml", "0", false, true,
         "E: Error in Channel #01!! The IODD file name ..\\outside.xml is not a plain file name"},
        {"variant out of range", "dev.xml", "3", true, false,
         "W: Warning in Channel #01!! The IODD file dev.xml has no process data variant 3: the channel's process data are kept as saved"},
        {"negative variant", "dev.xml", "-1", true, false,
         "W: Warning in Channel #01!! The IODD file dev.xml has no process data variant -1: the channel's process data are kept as saved"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(table.Create_Channels());
        const QByteArray pdHere = QByteArray(pd).replace("%C", c.condition);
        ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File,
            "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"" + QByteArray(c.file) + "\" Pin4Mode=\"IO-Link\"/>"
            + vars + pdHere + events + "</Channel></IO-Link_Channels></IO-Link>"));
        messages.clear();
        ASSERT_TRUE(table.Load_Configuration()) << c.name;
        EXPECT_EQ(table.IODD_List[0] != nullptr, c.decoded) << c.name;
        ASSERT_EQ(messages.size(), 1) << c.name;
        EXPECT_TRUE(messages[0].startsWith(c.message)) << c.name << ": " << messages[0].toStdString();
        EXPECT_TRUE(table.Channels[0].Keeps_Records()) << c.name;
        EXPECT_EQ(table.Channels[0].IODD_File, c.file) << c.name;

        table.Add_Name_to_Configuration();
        ASSERT_TRUE(table.Save_Configuration()) << c.name;
        const QByteArray saved = testsupport::readAll(IOLink_SetAccess_File);
        EXPECT_TRUE(saved.contains(pdHere)) << c.name << ": " << saved.toStdString();
        EXPECT_EQ(saved.contains(vars), c.allKept) << c.name;
        EXPECT_EQ(saved.contains(events), c.allKept) << c.name;
        if (!c.allKept) {
            // The IODD's own entries are there, with the values of the records.
            EXPECT_EQ(table.Channels[0].Get_Value("64", ""), "7") << c.name;
            EXPECT_TRUE(table.Channels[0].Event_List[1].Enable) << c.name;
        }
    }

    // Choosing a variant the IODD has builds the process data afresh; the kept records go.
    table.Change_ProcDataCondition(0, 0);
    EXPECT_FALSE(table.Channels[0].Keeps_Records());
    ASSERT_TRUE(table.Channels[0].ProcDataIn_List);
    ASSERT_TRUE(table.Save_Configuration());
    EXPECT_TRUE(testsupport::readAll(IOLink_SetAccess_File).contains("<processDataCondition>0</processDataCondition><ProcessDataIn><PD_Record VariableId=\"PI\""));
}

TEST_F(ChannelFileTest, CatalogNamesThatLeaveTheFolderAreRefused)
{
    testsupport::writeFile(dir.path() + "/secret.xml", makeIodd(IoddRecipe{}));
    for (const QString &name : QStringList{"../secret.xml", "sub/dev.xml", "..\\secret.xml", "..", ".", "dev.xml\n"}) {
        QString err;
        EXPECT_FALSE(table.Assign_IODD(0, name, &err)) << name.toStdString();
        EXPECT_EQ(err, "Error in Channel #01!! The IODD file name " + name + " is not a plain file name") << name.toStdString();
        EXPECT_EQ(table.IODD_List[0], nullptr);
    }
    EXPECT_FALSE(QFileInfo::exists(Project_Path + "/secret.xml"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/PROJECTS/secret.xml"));
    EXPECT_TRUE(table.Assign_IODD(0, "dev.xml"));
}

} // namespace
