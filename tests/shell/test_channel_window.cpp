#include "ChannelWindowFixture.h"

#include "platform/Xml.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

using testsupport::ModalResponder;

namespace {

const QString kRecord3 = recordOf({simple("UIntegerT", 8), simple("BooleanT"), simple("UIntegerT", 8)}, 24);

// A device whose process data in are 4 bytes, with 3 events of its own.
IoddRecipe fourBytesThreeEvents()
{
    IoddRecipe r;
    r.pdIn = kU32;
    r.pdInBits = 32;
    r.ownEvents = 3;
    return r;
}

// Two process-data variants chosen by a variable: 1 byte in, then 2 bytes in and 1 byte out.
IoddRecipe twoVariants()
{
    IoddRecipe r;
    r.variables = "<Variable id=\"V_Sel\" index=\"66\" accessRights=\"rw\">" + simple("UIntegerT", 8).replace("SimpleDatatype", "Datatype") +
                  "<Name textId=\"T_Var\"/></Variable>";
    r.pdIn = simple("UIntegerT", 8).replace("SimpleDatatype", "Datatype");
    r.pdInBits = 8;
    r.moreProcessData =
        "<ProcessData id=\"P_Two\"><Condition variableId=\"V_Sel\" value=\"1\"/>"
        "<ProcessDataIn id=\"PI2\" bitLength=\"16\">" + kU16 + "<Name textId=\"T_PD\"/></ProcessDataIn>"
        "<ProcessDataOut id=\"PO2\" bitLength=\"8\">" + simple("UIntegerT", 8).replace("SimpleDatatype", "Datatype") +
        "<Name textId=\"T_PD\"/></ProcessDataOut></ProcessData>"
        "<ProcessData id=\"P_Three\"><Condition variableId=\"V_Sel\" value=\"2\"/>"
        "<ProcessDataIn id=\"PI3\" bitLength=\"8\">" + simple("UIntegerT", 8).replace("SimpleDatatype", "Datatype") +
        "<Name textId=\"T_PD\"/></ProcessDataIn></ProcessData>";
    return r;
}

TEST_F(ChannelWindowTest, PortRowsAndKindsFollowTheDeviceVariant)
{
    struct Case {
        const char *variant;  // after the device code; nullptr: no "ParGen.xml"
        QString kinds;        // one letter per row
        bool lower = false;
    };
    const Case cases[] = {
        {nullptr, "AAAAAAAA"},
        {"-A1-2A-4B", "BBBBAA"},
        {"-A1-4A", "AAAA"},
        {"-A1-2A", "AA"},
        {"-A1-2B", "BB"},
        {"-A1-4B", "BBBB"},
        {"-A1-2A-2B", "BBAA"},
        {"-A1-6A", "AAAAAA", true},  // letter case does not matter
        {"-A1-4A ", "AAAAAAAA"},     // an extra blank is no variant
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.variant ? c.variant : "no ParGen.xml");
        QFile::remove(ParGen_File);
        const QString name = Get_Device_Code() + c.variant;
        if (c.variant) parGen(c.lower ? name.toLower() : name);
        ASSERT_TRUE(show());
        TNovaColumnGrid *g = w->NCG_IODD;
        ASSERT_EQ(g->RowCount(), c.kinds.size() + 1);
        QString kinds;
        for (int r = 1; r < g->RowCount(); ++r) {
            EXPECT_EQ(g->Cells(0, r), QString("Channel #0%1").arg(r));
            EXPECT_EQ(g->Cells(1, r), "Disable");
            const bool readPin2 = g->IsEditable(2, r);
            kinds += readPin2 ? 'A' : 'B';
            EXPECT_EQ(w->Table.Channels[size_t(r - 1)].TypeA, readPin2);
        }
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(g->Cells(0, 0), "Channels");
        EXPECT_EQ(g->Cells(5, 0), "FileName");
    }
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
    EXPECT_FALSE(QFileInfo::exists(IOLink_SetAccess_File)) << "showing writes nothing";
}

TEST_F(ChannelWindowTest, AssigningCopiesDecodesAndPlacesBehindThePortsAbove)
{
    parGen(Get_Device_Code() + "-A1-4A");
    ASSERT_TRUE(show());
    catalog("first.xml", fourBytesThreeEvents());
    catalog("second.xml", fourBytesThreeEvents());
    choose(1, "first.xml");
    choose(2, "second.xml");
    EXPECT_EQ(catalogShown, 2);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();

    EXPECT_EQ(testsupport::readAll(Project_Path + "/IODD/second.xml"), testsupport::readAll(IODD_Catalog_Dir + "/second.xml"));
    EXPECT_EQ(rowOf(w->NCG_IODD, 2, 3, 6), (QStringList{"Test Vendor", "Test Device", "second.xml", ""}));
    // Port 1: 4 bytes, the pin byte 4, one event byte 5; port 2 starts at byte 6.
    EXPECT_EQ(w->Shown_Channel(), 1);
    EXPECT_EQ(rowOf(w->NCG_ProcessDataIn, 1, 0, 8),
              (QStringList{"PI", "", "Process data", "UIntegerT", "32", "1", "0", "6", "0"}));
    EXPECT_TRUE(tabShown(w->PC_ProcessData, w->TS_PD_In));
    EXPECT_FALSE(tabShown(w->PC_ProcessData, w->TS_PD_Out)) << "the device has no output data";
    EXPECT_EQ(column(w->NCG_Events, 5), (QStringList{"11", "11", "11"}));
    EXPECT_EQ(column(w->NCG_Events, 6), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(column(w->NCG_Events, 2), (QStringList{"Own event 36000", "Own event 36001", "Own event 36002"}));
    EXPECT_EQ(w->Table.Channels[1].Pin2_Pos, "10");
    EXPECT_EQ(w->L_Identity_Value[1]->text(), "Test Vendor");
    EXPECT_EQ(w->L_Identity_Value[5]->text(), "Test Device");
    EXPECT_EQ(w->L_Transport_Value[0]->text(), "COM2");
    EXPECT_EQ(w->L_Transport_Value[2]->text(), "True");

    // A click on the first port shows its data again.
    w->NCG_IODD->SetRow(1);
    w->NCG_IODDClickCell(1, 0);
    EXPECT_EQ(w->NCG_ProcessDataIn->Cells(7, 1), "0");
    EXPECT_EQ(column(w->NCG_Events, 5), (QStringList{"5", "5", "5"}));
}

TEST_F(ChannelWindowTest, CatalogFilesThatCannotBeUsedAssignNothing)
{
    ASSERT_TRUE(show());
    catalog("good.xml", fourBytesThreeEvents());
    choose(1, "good.xml");
    ASSERT_EQ(w->NCG_IODD->Cells(5, 1), "good.xml");

    // Cancelled catalog, a file gone from the catalog, a file the reader refuses: port 1 keeps its IODD.
    chosen.reset();
    choose(1, "");
    choose(1, "gone.xml");
    EXPECT_TRUE(boxes.isEmpty());
    testsupport::writeFile(IODD_Catalog_Dir + "/broken.xml", "<IODevice><ProfileBody>");
    choose(1, "broken.xml");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains("broken.xml")) << boxes[0].toStdString();
    EXPECT_EQ(rowOf(w->NCG_IODD, 1, 3, 5), (QStringList{"Test Vendor", "Test Device", "good.xml"}));
    EXPECT_EQ(w->Table.Channels[0].IODD_File, "good.xml");
    EXPECT_EQ(w->NCG_ProcessDataIn->Cells(0, 1), "PI");
}

TEST_F(ChannelWindowTest, RecordVariablesShowTheirItemsAndArraysTheirElements)
{
    IoddRecipe r;
    r.datatypes = "<Datatype id=\"D_Rec\" xsi:type=\"RecordT\" bitLength=\"24\">"
                  "<RecordItem subindex=\"1\" bitOffset=\"16\">" + simple("UIntegerT", 8) + "<Name textId=\"T_Item\"/></RecordItem>"
                  "<RecordItem subindex=\"2\" bitOffset=\"8\">" + simple("BooleanT") + "<Name textId=\"T_Item\"/></RecordItem>"
                  "<RecordItem subindex=\"3\" bitOffset=\"0\">" + simple("UIntegerT", 8) + "<Name textId=\"T_Item\"/></RecordItem>"
                  "</Datatype>";
    r.variables = "<Variable id=\"V_Rec\" index=\"64\" accessRights=\"rw\"><DatatypeRef datatypeId=\"D_Rec\"/>"
                  "<RecordItemInfo subindex=\"3\" defaultValue=\"7\"/><Name textId=\"T_Var\"/></Variable>"
                  "<Variable id=\"V_Arr\" index=\"70\" accessRights=\"ro\"><Datatype xsi:type=\"ArrayT\" count=\"4\">" +
                  simple("UIntegerT", 16) + "</Datatype><Name textId=\"T_Var\"/></Variable>";
    ASSERT_TRUE(show());
    catalog("vars.xml", r);
    choose(1, "vars.xml");
    ASSERT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();

    TNovaStringGrid *g = w->NSG_Var;
    ASSERT_EQ(g->RowCount(), 1 + 4 + 5);
    EXPECT_EQ(column(g, 1), (QStringList{"64", "64", "64", "64", "70", "70", "70", "70", "70"}));
    // Sub-indexes as the channel model numbers them, so each row reaches its own entry.
    EXPECT_EQ(column(g, 2), (QStringList{"", "1", "2", "3", "", "1", "2", "3", "4"}));
    EXPECT_EQ(rowOf(g, 2, 3, 11), (QStringList{"V_Rec", "Item", "UIntegerT", "Read Write", "8", "False", "24", "16", ""}));
    EXPECT_EQ(g->Cells(11, 4), "7") << "the record item's own default";
    EXPECT_EQ(rowOf(g, 6, 5, 7), (QStringList{"UIntegerT", "Read Only", "16"}));
    EXPECT_EQ(g->Cells(0, 0), "Enable");
    EXPECT_EQ(g->Cells(22, 0), "Description");

    // One colour set per variable; editable columns differ from shown ones.
    EXPECT_EQ(g->Colors(12, 1), g->Colors(12, 4));
    EXPECT_NE(g->Colors(12, 1), g->Colors(12, 5));
    EXPECT_NE(g->Colors(12, 1), g->Colors(11, 1));
    EXPECT_FALSE(g->IsEditable(11, 2));
    EXPECT_TRUE(g->IsEditable(13, 2));

    // The whole record cannot be enabled; its items can.
    const TChannel_IOLink &ch = w->Table.Channels[0];
    w->NSG_VarCheckBoxClick(0, 1, true);
    bool state = true;
    EXPECT_TRUE(g->GetCheckBoxState(0, 1, state));
    EXPECT_FALSE(state);
    EXPECT_FALSE(ch.Var_List[size_t(ch.Get_Index("64", ""))].Enable);
    w->NSG_VarCheckBoxClick(0, 3, true);
    EXPECT_TRUE(ch.Var_List[size_t(ch.Get_Index("64", "2"))].Enable);
    w->NSG_VarCheckBoxClick(16, 8, true);
    EXPECT_TRUE(ch.Var_List[size_t(ch.Get_Index("70", "3"))].On_Change);

    // Typed values go into the entry of their row.
    struct Edit {
        int col;
        QString TVarObjValue::*field;
    };
    const Edit edits[] = {{12, &TVarObjValue::Value}, {13, &TVarObjValue::Position}, {14, &TVarObjValue::Bit},
                          {18, &TVarObjValue::Time},  {19, &TVarObjValue::ReadPos},  {20, &TVarObjValue::ReadBit},
                          {21, &TVarObjValue::ReadTime}};
    for (const Edit &e : edits) {
        w->NSG_VarCellValidate(e.col, 9, QString::number(600 + e.col));
        EXPECT_EQ(ch.Var_List[size_t(ch.Get_Index("70", "4"))].*e.field, QString::number(600 + e.col)) << e.col;
        EXPECT_EQ(ch.Var_List[size_t(ch.Get_Index("70", "3"))].*e.field, "") << "the row above stays " << e.col;
    }
}

TEST_F(ChannelWindowTest, TypingIntoTheGridReachesTheChannel)
{
    ASSERT_TRUE(show());
    IoddRecipe r = fourBytesThreeEvents();
    r.pdIn = kRecord3;
    r.pdInBits = 24;
    catalog("rec.xml", r);
    choose(1, "rec.xml");
    w->show();
    QApplication::setActiveWindow(w.get());
    TNovaColumnGrid *g = w->NCG_ProcessDataIn;
    ASSERT_EQ(column(g, 1), (QStringList{"1", "2", "3"}));
    g->setFocus();
    QApplication::processEvents();
    g->FocusCell(6, 3);
    auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow(); };
    QTest::keyClick(focused(), Qt::Key_F2);
    QTest::keyClicks(focused(), "-5");
    QTest::keyClick(focused(), Qt::Key_Return);
    const TProcDataList &in = *w->Table.Channels[0].ProcDataIn_List;
    EXPECT_EQ(in[2].offset.right(2), "-5");
    EXPECT_EQ(in[1].offset, "0") << "only the entry of item 3 changes";
    EXPECT_EQ(in[0].offset, "0");
    w->hide();
}

TEST_F(ChannelWindowTest, PinsEventsAndConditionsCanBeSet)
{
    parGen(Get_Device_Code() + "-A1-2A-2B");
    ASSERT_TRUE(show());
    catalog("two.xml", twoVariants());
    choose(3, "two.xml");  // a kind-A port
    TChannel_IOLink &ch = w->Table.Channels[2];
    const QString pin2 = ch.Pin2_Pos;
    ASSERT_EQ(pin2, "3") << "behind 1 byte of data and the pin bytes of the two ports above";

    // Pin modes and what the pin tab shows for them.
    TNovaColumnGrid *io = w->NCG_IO_Options;
    w->NCG_IODDComboChange(1, 3, 2, "DIn");
    EXPECT_EQ(ch.Pin4Mode, "DIn");
    w->Show_Data_IO_Options(2);
    EXPECT_EQ(io->RowCount(), 2) << "pin 2 is not read: only pin 4";
    EXPECT_EQ(rowOf(io, 1, 0, 5), (QStringList{"Pin 4", "Read", ch.Pin4_Pos, "1", "N", "PNP (Pull Down)"}));
    w->NCG_IO_OptionsCellValidate(2, 1, "40");
    w->NCG_IO_OptionsCellValidate(6, 1, "Door");
    w->NCG_IO_OptionsCheckBoxChange(4, 1, true);
    EXPECT_EQ(ch.Pin4_Pos, "40");
    EXPECT_EQ(ch.Pin4_Mne, "Door");
    EXPECT_EQ(ch.Pin4_Inv, "Y");
    EXPECT_EQ(ch.Pin2_Pos, pin2) << "pin 2 untouched";

    w->NCG_IODD->SetCells(2, 3, "Y");
    w->NCG_IODDCheckBoxChange(2, 3, true);
    EXPECT_EQ(ch.ReadPin2, "Y");
    w->Show_Data_IO_Options(2);
    EXPECT_EQ(column(io, 0), (QStringList{"Pin 2", "Pin 4"}));
    w->NCG_IO_OptionsComboChange(5, 1, 1, "PNP (Pull Down)");
    w->NCG_IO_OptionsComboChange(3, 1, 5, "5");
    EXPECT_EQ(ch.Pin2_In_Type, "PNP (Pull Down)");
    EXPECT_EQ(ch.Pin2_Bit, "5");

    w->NCG_IODDComboChange(1, 3, 0, "Disable");
    w->Show_Data_IO_Options(2);
    EXPECT_EQ(io->RowCount(), 2);
    EXPECT_EQ(rowOf(io, 1, 0, 4), (QStringList{"", "", "", "", "N"}));
    EXPECT_FALSE(io->IsEditable(2, 1)) << "an unused pin cannot be placed";

    // The time-out of the port.
    w->NCG_IODDCellValidate(6, 3, "30");
    EXPECT_EQ(ch.TimeOut, "30");

    // Process-data variants: the strip shows them, choosing one places its data from byte 0.
    EXPECT_FALSE(w->P_PD_Condition->isHidden());
    ASSERT_EQ(w->CB_PD_ConditionList->count(), 3);
    EXPECT_EQ(w->CB_PD_ConditionList->itemText(1), "Var Name : Own variable, SubIndex : 0, Value : 1");
    EXPECT_EQ(w->CB_PD_ConditionList->currentIndex(), 0);
    w->CB_PD_ConditionList->setCurrentIndex(1);
    EXPECT_EQ(ch.ProcDataCondition, 1);
    EXPECT_EQ(rowOf(w->NCG_ProcessDataIn, 1, 0, 8), (QStringList{"PI2", "", "Process data", "UIntegerT", "16", "1", "0", "0", "0"}));
    EXPECT_TRUE(tabShown(w->PC_ProcessData, w->TS_PD_Out));
    EXPECT_EQ(w->NCG_ProcessDataOut->Cells(7, 1), "0");
    w->NCG_ProcessDataOutCellValidate(7, 1, "12");
    w->NCG_ProcessDataOutCellValidate(8, 1, "3");
    EXPECT_EQ((*ch.ProcDataOut_List)[0].position, "12");
    EXPECT_EQ((*ch.ProcDataOut_List)[0].bit, "3");
    w->CB_PD_ConditionList->setCurrentIndex(2);
    EXPECT_FALSE(tabShown(w->PC_ProcessData, w->TS_PD_Out));
    EXPECT_FALSE(ch.ProcDataOut_List.has_value());
}

TEST_F(ChannelWindowTest, EventsCanBeEnabledAndPlaced)
{
    ASSERT_TRUE(show());
    catalog("ev.xml", fourBytesThreeEvents());
    choose(1, "ev.xml");
    TNovaColumnGrid *g = w->NCG_Events;
    ASSERT_EQ(column(g, 0), (QStringList{"N", "N", "N"}));
    w->NCG_EventsCheckBoxChange(0, 2, true);
    w->NCG_EventsCellValidate(4, 2, "250");
    w->NCG_EventsCellValidate(5, 2, "90");
    w->NCG_EventsCellValidate(6, 2, "4");
    w->NCG_EventsCellValidate(7, 2, "Overheat");
    w->NCG_EventsCellValidate(5, 9, "91");  // no such event: nothing
    const TEventObjValue &e = w->Table.Channels[0].Event_List[1];
    EXPECT_TRUE(e.Enable);
    EXPECT_EQ(QStringList({e.TimeOut, e.Position, e.Bit, e.Mnemonic}), (QStringList{"250", "90", "4", "Overheat"}));
    EXPECT_FALSE(w->Table.Channels[0].Event_List[0].Enable);

    // A port without IODD shows no events of the port shown before.
    w->NCG_IODD->SetRow(2);
    w->NCG_IODDClickCell(2, 0);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(rowOf(g, 1, 0, 2), (QStringList{"N", "", ""}));
    EXPECT_EQ(w->NSG_Var->RowCount(), 2);
    EXPECT_EQ(w->NCG_ProcessDataIn->Cells(0, 1), "");
    EXPECT_EQ(w->L_Identity_Value[1]->text(), "");
}

TEST_F(ChannelWindowTest, OkChecksStopsAtTheFirstErrorAndShowsWarningsOneByOne)
{
    ASSERT_TRUE(show());
    IoddRecipe r = fourBytesThreeEvents();
    r.variables = "<Variable id=\"V_Own\" index=\"80\" accessRights=\"rw\">" + kU16 + "<Name textId=\"T_Var\"/></Variable>";
    catalog("ev.xml", r);
    choose(1, "ev.xml");
    w->NCG_IODDComboChange(1, 1, 1, "IO-Link");
    TChannel_IOLink &ch = w->Table.Channels[0];

    // Two errors: only the first is shown and nothing is written.
    w->NCG_EventsCellValidate(5, 1, "1439");
    w->NCG_EventsCellValidate(4, 2, "-1");
    {
        ModalResponder responder;
        EXPECT_FALSE(ok(responder));
        ASSERT_EQ(responder.boxes().size(), 1);
        EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(responder.texts()[0], "Error in Channel #01!! Event Code 36000, Position must be a valid value [0..1438]");
    }
    EXPECT_FALSE(QFileInfo::exists(IOLink_SetAccess_File));

    // Two warnings of one variable, shown one by one; then the file is written.
    w->NCG_EventsCellValidate(5, 1, "5");
    w->NCG_EventsCellValidate(4, 2, "0");
    ASSERT_EQ(w->NSG_Var->Cells(1, 1), "80");
    w->NSG_VarCheckBoxClick(0, 1, true);
    w->NSG_VarCellValidate(12, 1, "1");
    w->NSG_VarCellValidate(13, 1, "100");
    w->NSG_VarCellValidate(19, 1, "200");
    ASSERT_TRUE(ch.Var_List[0].Enable);
    {
        ModalResponder responder;
        EXPECT_TRUE(ok(responder));
        ASSERT_EQ(responder.boxes().size(), 2) << responder.texts().join("\n").toStdString();
        EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Warning);
        EXPECT_EQ(responder.boxes()[1].icon, QMessageBox::Warning);
        EXPECT_TRUE(responder.texts()[0].contains("Position of Variable Index 80")) << responder.texts()[0].toStdString();
        EXPECT_TRUE(responder.texts()[1].contains("Read Position of Variable Index 80")) << responder.texts()[1].toStdString();
    }
    EXPECT_TRUE(testsupport::readAll(IOLink_SetAccess_File).contains("Index=\"80\" SubIndex=\"\" Value=\"1\" Position=\"100\""));
}

TEST_F(ChannelWindowTest, OkWritesTheFileAndReopeningShowsWhatWasSaved)
{
    parGen(Get_Device_Code() + "-A1-2A-2B");
    ASSERT_TRUE(show());
    catalog("dev.xml", fourBytesThreeEvents());
    choose(3, "dev.xml");
    w->NCG_IODDComboChange(1, 3, 3, "DOut");
    w->NCG_IODDCellValidate(6, 3, "25");
    w->NCG_EventsCheckBoxChange(0, 1, true);
    w->NCG_EventsCellValidate(7, 1, "Alarm");
    w->NCG_ProcessDataInCellValidate(7, 1, "20");
    {
        ModalResponder responder;
        ASSERT_TRUE(ok(responder)) << responder.texts().join("\n").toStdString();
    }
    const QByteArray saved = testsupport::readAll(IOLink_SetAccess_File);
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_TRUE(saved.startsWith("<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"\"")) << saved.left(80).constData();
    EXPECT_TRUE(saved.endsWith("</IO-Link><!--SW_VERSION = 1.103-->"));
    EXPECT_TRUE(saved.contains("FileName=\"dev.xml\" Pin4Mode=\"DOut\""));
    EXPECT_TRUE(saved.contains("Name=\"Process data\" VarType=\"UIntegerT\"")) << "names filled before saving";

    // Cancel after edits leaves the file; the next show starts from the file.
    w->NCG_IODDComboChange(1, 3, 0, "Disable");
    w->NCG_ProcessDataInCellValidate(7, 1, "99");
    w->reject();
    EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), saved);

    ASSERT_TRUE(show());
    EXPECT_EQ(rowOf(w->NCG_IODD, 3, 1, 6), (QStringList{"DOut", "N", "Test Vendor", "Test Device", "dev.xml", "25"}));
    w->NCG_IODD->SetRow(3);
    w->NCG_IODDClickCell(3, 0);
    EXPECT_EQ(w->NCG_ProcessDataIn->Cells(7, 1), "20");
    EXPECT_EQ(rowOf(w->NCG_Events, 1, 0, 0), QStringList{"Y"});
    EXPECT_EQ(w->NCG_Events->Cells(7, 1), "Alarm");
    {
        ModalResponder responder;
        ASSERT_TRUE(ok(responder));
    }
    EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), saved) << "nothing lost on the way round";
}

TEST_F(ChannelWindowTest, DeletingAnIoddAsksFirst)
{
    ASSERT_TRUE(show());
    catalog("dev.xml", fourBytesThreeEvents());
    choose(1, "dev.xml");
    w->NCG_IODD->SetCells(1, 1, "IO-Link");  // as the list does before it tells the window
    w->NCG_IODDComboChange(1, 1, 1, "IO-Link");
    w->NCG_IODD->SetRow(1);
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Cancel}) {
        ModalResponder responder;
        responder.answerBox(answer);
        w->Btn_DelIODDClick();
        EXPECT_EQ(responder.texts(), QStringList{"Do you really want to remove the IO-Link device?"});
        EXPECT_EQ(w->Table.Channels[0].IODD_File, "dev.xml");
    }
    ModalResponder responder;
    responder.answerBox(QMessageBox::Yes);
    w->Btn_DelIODDClick();
    EXPECT_EQ(rowOf(w->NCG_IODD, 1, 1, 6), (QStringList{"IO-Link", "N", "", "", "", ""}));
    EXPECT_EQ(w->Table.Channels[0].IODD_File, "");
    EXPECT_TRUE(w->Table.Channels[0].Event_List.empty());
    EXPECT_EQ(w->NCG_Events->RowCount(), 2);
    EXPECT_TRUE(QFileInfo::exists(Project_Path + "/IODD/dev.xml")) << "the copy stays in the configuration";
}

// A variant chosen for one IODD must not select past the list of the IODD that replaces it.
TEST_F(ChannelWindowTest, AVariantKeptFromAPreviousIoddNeverIndexesPastTheNewList)
{
    ASSERT_TRUE(show());
    catalog("two.xml", twoVariants());
    catalog("one.xml", fourBytesThreeEvents());
    choose(1, "two.xml");
    w->CB_PD_ConditionList->setCurrentIndex(2);
    ASSERT_EQ(w->Table.Channels[0].ProcDataCondition, 2);
    choose(1, "one.xml");
    const TChannel_IOLink &ch = w->Table.Channels[0];
    EXPECT_EQ(ch.ProcDataCondition, 0);
    ASSERT_TRUE(ch.ProcDataIn_List.has_value()) << "the new IODD's process data are placed";
    EXPECT_EQ(rowOf(w->NCG_ProcessDataIn, 1, 0, 0), QStringList{"PI"});
    EXPECT_TRUE(w->P_PD_Condition->isHidden());
    w->NCG_IODDComboChange(1, 1, 1, "IO-Link");
    ModalResponder responder;
    EXPECT_TRUE(ok(responder)) << responder.texts().join("\n").toStdString();
    EXPECT_TRUE(testsupport::readAll(IOLink_SetAccess_File).contains("<processDataCondition>0</processDataCondition>"));
}

TEST_F(ChannelWindowTest, UnreadableFilesStopTheShowWithTheirMessage)
{
    struct Case {
        QString *file;
        QByteArray bytes;
    };
    const Case cases[] = {{&ParGen_File, "<Par_Gen><IOLink_SelectDevice>"},
                          {&IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file->toStdString());
        QFile::remove(ParGen_File);
        QFile::remove(IOLink_SetAccess_File);
        testsupport::writeFile(*c.file, c.bytes);
        boxes.clear();
        EXPECT_FALSE(show());
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].contains(QFileInfo(*c.file).fileName())) << boxes[0].toStdString();
        EXPECT_EQ(testsupport::readAll(*c.file), c.bytes);
    }
}

// A port whose IODD is gone from the configuration: the window says so, shows the file name, and OK
// writes the port's mapping back unchanged.
TEST_F(ChannelWindowTest, APortWhoseIoddIsMissingKeepsItsMapping)
{
    const QByteArray channel =
        "<Channel><IODD_File FileName=\"gone.xml\" Pin4Mode=\"IO-Link\" ReadPin2=\"N\"/>"
        "<Variables><Variable Index=\"64\" SubIndex=\"\" Value=\"7\" Enable=\"True\"/></Variables>"
        "<ProcessData><processDataCondition>0</processDataCondition><ProcessDataIn>"
        "<PD_Record VariableId=\"PI\" SubIndex=\"\" Position=\"12\" Bit=\"0\" Gradient=\"0.5\" Offset=\"1\"/>"
        "</ProcessDataIn></ProcessData><Events><Event Enable=\"True\" Code=\"36001\" TimeOut=\"5\"/></Events></Channel>";
    parGen(Get_Device_Code() + "-A1-2A");
    testsupport::writeFile(IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>" + channel +
                                                      "<Channel><IODD_File FileName=\"\"/></Channel></IO-Link_Channels></IO-Link>");
    ASSERT_TRUE(show());
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains("gone.xml")) << boxes[0].toStdString();
    EXPECT_EQ(rowOf(w->NCG_IODD, 1, 1, 5), (QStringList{"IO-Link", "N", "", "", "gone.xml"}));
    EXPECT_EQ(w->NCG_ProcessDataIn->Cells(0, 1), "") << "nothing of another port on the tabs";
    ModalResponder responder;
    responder.answerBox(QMessageBox::Ok);
    EXPECT_TRUE(ok(responder)) << responder.texts().join("\n").toStdString();
    const QByteArray saved = testsupport::readAll(IOLink_SetAccess_File);
    for (const char *part : {"<Variable Index=\"64\" SubIndex=\"\" Value=\"7\"", "Position=\"12\" Bit=\"0\" Gradient=\"0.5\" Offset=\"1\"",
                             "<Event Enable=\"True\" Code=\"36001\" TimeOut=\"5\""})
        EXPECT_TRUE(saved.contains(part)) << part << "\n" << saved.constData();
}

// An installation without the standard-definition file (its folder starts empty) cannot rebuild
// the standard variables and events of an IODD: the table says so when it opens, naming the file
// and the ports, and OK writes their records back as they were read, with the edits of the rest.
// With the file there, a record that no entry of the IODD takes is still dropped.
TEST_F(ChannelWindowTest, MissingStandardDefinitionsKeepTheStandardMappingAsSaved)
{
    parGen(Get_Device_Code() + "-A1-4A");
    IoddRecipe recipe;
    recipe.stdVariables = true;
    recipe.stdEvents = true;
    recipe.ownEvents = 1;
    recipe.variables = "<Variable id=\"V_U8\" index=\"64\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"8\"/>"
                       "<Name textId=\"T_Var\"/></Variable>";
    ASSERT_TRUE(show());
    catalog("dev.xml", recipe);
    choose(1, "dev.xml");
    choose(3, "dev.xml");
    {
        TChannel_IOLink &ch = w->Table.Channels[0];
        const int lock = ch.Get_Index("12", ""), own = ch.Get_Index("64", ""), event = ch.Event_Get_Index(20496);
        ASSERT_GE(lock, 0);
        ASSERT_GE(own, 0);
        ASSERT_GE(event, 0);
        ch.Var_List[size_t(lock)].Enable = true;
        ch.Var_List[size_t(lock)].Value = "1";
        ch.Var_List[size_t(lock)].Position = "600";
        ch.Var_List[size_t(own)].Value = "7";
        ch.Var_List[size_t(own)].Position = "610";
        ch.Event_List[size_t(event)].Enable = true;
        ch.Event_List[size_t(event)].Mnemonic = "LOW";
        ModalResponder responder;
        ASSERT_TRUE(ok(responder)) << responder.texts().join("\n").toStdString();
    }
    const QByteArray saved = testsupport::readAll(IOLink_SetAccess_File);
    for (const char *part : {"<Variable Enable=\"True\" Index=\"12\" SubIndex=\"\" Value=\"1\" Position=\"600\"",
                             "<Event Enable=\"True\" Code=\"20496\"", "Mnemonic=\"LOW\""})
        ASSERT_TRUE(saved.contains(part)) << part;

    ASSERT_TRUE(QFile::remove(IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml"));
    boxes.clear();
    ASSERT_TRUE(show());
    ASSERT_EQ(boxes.size(), 1) << boxes.join("\n").toStdString();
    EXPECT_EQ(boxes[0], "Warning!! The standard definition file IODD-StandardDefinitions1.1.xml is missing from the folder "
                        "IOLink_StaDef: the standard variables and events of Channel #01, #03 cannot be shown and are kept as saved");
    EXPECT_LT(w->Table.Channels[0].Get_Index("12", ""), 0) << "the IODD alone cannot rebuild them";
    {
        ModalResponder responder;
        ASSERT_TRUE(ok(responder)) << responder.texts().join("\n").toStdString();
    }
    EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), saved) << "nothing lost on the way round";

    // An edit of an entry the IODD does hold is saved beside the kept records.
    ASSERT_TRUE(show());
    TChannel_IOLink &ch = w->Table.Channels[0];
    ch.Var_List[size_t(ch.Get_Index("64", ""))].Value = "8";
    {
        ModalResponder responder;
        ASSERT_TRUE(ok(responder));
    }
    const QByteArray edited = testsupport::readAll(IOLink_SetAccess_File);
    EXPECT_EQ(edited, QByteArray(saved).replace("Index=\"64\" SubIndex=\"\" Value=\"7\"", "Index=\"64\" SubIndex=\"\" Value=\"8\""));

    // With the file back the entries show what was kept; a record no entry takes is dropped.
    ASSERT_TRUE(QFile::copy(testsupport::dataDir() + "/channels/stadef/IODD-StandardDefinitions1.1.xml",
                            IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml"));
    const QByteArray stray = "<Variable Enable=\"True\" Index=\"200\" SubIndex=\"\" Value=\"9\"/>";
    testsupport::writeFile(IOLink_SetAccess_File, QByteArray(edited).replace("<Variables>", "<Variables>" + stray));
    boxes.clear();
    ASSERT_TRUE(show());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
    EXPECT_TRUE(w->Table.Channels[0].Get_Enable("12", ""));
    EXPECT_EQ(w->Table.Channels[0].Get_Value("12", ""), "1");
    EXPECT_EQ(w->Table.Channels[0].Event_List[size_t(w->Table.Channels[0].Event_Get_Index(20496))].Mnemonic, "LOW");
    {
        ModalResponder responder;
        ASSERT_TRUE(ok(responder));
    }
    EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), edited);
}

// Names of two real IODDs fit their columns; pictures of every tab go to the temporary folder for a person to look at.
TEST_F(ChannelWindowTest, RealIoddNamesFitTheirColumns)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QString corpus = testsupport::sharedIoddDir();
    IOLink_StaDef_Dir = corpus + "/standard/";
    SW_Code = "CF41520";
    const QString first = "IO-Link-22-ConditionalProcessDataDevice-20240824-IODD1.1.xml";
    const QString second = "IO-Link-10-AllComplexDatatypesDevice-20240824-IODD1.1.xml";
    for (const QString &f : {first, second}) ASSERT_TRUE(QFile::copy(corpus + "/devices/" + f, IODD_Catalog_Dir + "/" + f));
    parGen(Get_Device_Code() + "-A1-2A-2B");
    ASSERT_TRUE(show());
    choose(1, first);
    choose(3, second);
    ASSERT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
    // Names from the IODDs widen their columns rather than being cut.
    auto fits = [](TNovaStringGrid *g, int col) {
        const QFontMetrics fm(g->font());
        for (int r = 1; r < g->RowCount(); ++r)
            EXPECT_LT(fm.horizontalAdvance(g->Cells(col, r)), g->ColWidths(col)) << g->objectName().toStdString() << " " << col << "," << r;
    };
    fits(w->NCG_IODD, 3);
    fits(w->NCG_IODD, 4);
    fits(w->NCG_ProcessDataIn, 2);
    fits(w->NSG_Var, 3);
    fits(w->NSG_Var, 4);
    w->NCG_IODDComboChange(1, 3, 2, "DIn");
    w->NCG_IODD->SetRow(3);
    w->NCG_IODDClickCell(3, 0);
    w->show();
    const QString out = QDir::tempPath() + "/channel_table_";
    for (int t = 0; t < w->PC_Device->count(); ++t) {
        w->PC_Device->setCurrentIndex(t);
        QTest::qWait(20);
        EXPECT_TRUE(w->grab().save(out + QString::number(t) + ".png"));
    }
    w->PC_Device->setCurrentIndex(0);
    w->NCG_IODD->SetRow(1);
    w->NCG_IODDClickCell(1, 0);
    QTest::qWait(20);
    EXPECT_TRUE(w->grab().save(out + "port1.png"));
    w->hide();
}

} // namespace
