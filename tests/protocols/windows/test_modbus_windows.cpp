// The Modbus master and Modbus TCP master windows, shown and driven with the mouse and the keyboard:
// every check in its order with its one error box, the file round trip against golden files, the
// load treatments, the row buttons and the grid events of the table window.
#include "protocols/UModbus_TCP_Master_Set_Access.h"
#include "protocols/USetAccess.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QTabWidget>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

// A valid row of each table, by column.
const Cells kMasterRead{{1, "Y"}, {2, "1"}, {3, "Holding Register"}, {4, "0"}, {5, "1"}, {6, "1000"},
                        {7, "0"}, {8, "0"}, {9, "0"}, {10, "N"}, {11, "N"}, {13, "m"}};
const Cells kMasterWrite{{1, "Y"}, {2, "1"}, {3, "Holding Register"}, {4, "0"}, {5, "1"}, {6, "0"}, {7, "N"},
                         {8, "N"}, {9, "0"}, {10, "0"}, {11, "0"}, {12, "N"}, {13, "N"}, {14, "m"}};
const Cells kTcpRead{{1, "Y"}, {2, "192.168.1.125"}, {3, "502"}, {4, "1"}, {5, "Holding Register"}, {6, "0"},
                     {7, "1"}, {8, "1000"}, {9, "0"}, {10, "0"}, {11, "0"}, {12, "N"}, {13, "N"}, {15, "m"}};
const Cells kTcpWrite{{1, "Y"}, {2, "192.168.1.125"}, {3, "502"}, {4, "1"}, {5, "Holding Register"}, {6, "0"},
                      {7, "1"}, {8, "0"}, {9, "N"}, {10, "N"}, {11, "0"}, {12, "0"}, {13, "0"}, {14, "N"},
                      {15, "N"}, {16, "m"}};

using ModbusWindows = TableWindowTest;

} // namespace

// ---- Modbus master -----------------------------------------------------------------------------------

TEST_F(ModbusWindows, MasterWindowLayoutAndTexts)
{
    TFSetAccess w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(w.L_SW_Code->text(), SW_Code);
    EXPECT_EQ(w.size(), QSize(956, 337));
    // Six buttons from the left, 8 pixels apart.
    const TLbButton *order[] = {w.Btn_OK, w.Btn_Cancel, w.Btn_DelRow, w.Btn_InsRow, w.Btn_CopyRow, w.Btn_PasteRow};
    const char *captions[] = {"OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row"};
    const char *hints[] = {"Confirm and save the Modbus Master Set Access List", "Exit without save the Modbus Master Set Access List",
                           "Delete the Selected Row in the table", "Insert a Row in the Table",
                           "Copy all Fields of the Selected Row", "Paste the Copied Fields in the Selected Row"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(order[i]->text(), QLatin1String(captions[i]));
        EXPECT_EQ(order[i]->toolTip(), QLatin1String(hints[i]));
        EXPECT_EQ(order[i]->size(), QSize(110, 28));
        if (i > 0) EXPECT_EQ(order[i]->x(), order[i - 1]->x() + 118) << captions[i];
    }
    EXPECT_LT(w.Btn_OK->x(), 20) << "the row starts at the left";
    ASSERT_NE(w.PageControl1, nullptr);
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Modbus Read"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Modbus Write"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_Modbus_Read);
    EXPECT_EQ(w.NCG_Modbus_Read->RowCount(), 513);
    EXPECT_EQ(w.NCG_Modbus_Write->RowCount(), 513);
    EXPECT_EQ(w.NCG_Modbus_Read->AllColCount(), 14);
    EXPECT_EQ(w.NCG_Modbus_Write->AllColCount(), 15);
    EXPECT_TRUE(w.NCG_Modbus_Read->IsHiddenColumn(12)) << "the Topic column";
    EXPECT_EQ(w.NCG_Modbus_Read->Columns()->Items(13)->Header(), QStringLiteral("Mnemonic"));
    EXPECT_EQ(w.NCG_Modbus_Read->Columns()->Items(11)->Header(), QStringLiteral("SwapWord"));
    EXPECT_EQ(w.NCG_Modbus_Write->Columns()->Items(8)->Header(), QStringLiteral("On CMD"));
    const QStringList &positions = w.NCG_Modbus_Read->Columns()->Items(8)->ComboItems();
    ASSERT_EQ(positions.size(), 1500);
    EXPECT_EQ(positions.front(), QStringLiteral("0"));
    EXPECT_EQ(positions.back(), QStringLiteral("1499"));
    EXPECT_EQ(w.NCG_Modbus_Write->Columns()->Items(10)->ComboItems().size(), 1500);
    // Every row numbered, enabled, empty.
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(0, 512), QStringLiteral("512"));
    EXPECT_EQ(w.NCG_Modbus_Write->Cells(1, 512), QStringLiteral("Y"));
    EXPECT_EQ(w.ComboItem_Topic, std::vector<int>(512, -1));
    EXPECT_EQ(w.Hint_Modbus_Set_Access_Read.size(), 13);
    EXPECT_EQ(w.Hint_Modbus_Set_Access_Write.size(), 14);
}

TEST_F(ModbusWindows, MasterReadChecksInOrder)
{
    TFSetAccess w;
    // Each case also breaks the next check, which therefore comes later.
    runChecks(w, 0, kMasterRead,
              {
                  {{{2, "0"}, {3, ""}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
                  {{{2, "248"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
                  {{{2, "x"}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
                  {{{3, " "}, {4, "65536"}},
                   "Error row 1!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
                  {{{4, "-1"}, {5, "0"}}, "Error row 1!! [Modbus Read] Address must be between 0 and 65535"},
                  {{{5, "126"}, {6, "999"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
                  {{{3, "Input Status"}, {5, "2001"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 2000"},
                  {{{6, "999"}, {7, "-1"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1000 and 100000000"},
                  {{{6, "100000001"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1000 and 100000000"},
                  {{{7, "100000001"}, {8, "1500"}}, "Error row 1!! [Modbus Read] Max Error must be between 0 and 100000000"},
                  {{{8, "1500"}, {3, "Coil Status"}, {9, ""}}, "Error row 1!! [Modbus Read] Position must be between 0 and 1499"},
                  {{{8, ""}}, "Error row 1!! [Modbus Read] Position must be between 0 and 1499"},
                  {{{3, "Coil Status"}, {9, ""}, {8, "1499"}, {5, "2000"}},
                   "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  // A bit type's Start Bit is a number 0 .. 7.
                  {{{3, "Coil Status"}, {9, "8"}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  {{{3, "Coil Status"}, {9, "-1"}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  {{{3, "Coil Status"}, {9, "x"}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  {{{5, "125"}, {8, "1251"}},
                   "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
                  {{{5, "125"}, {8, "1250"}}, nullptr}, // last byte 1499
                  {{{3, "Coil Status"}, {5, "2000"}, {9, "7"}, {8, "1249"}}, nullptr}, // 1249 + 2006 div 8
                  {{{3, "Coil Status"}, {5, "2000"}, {9, "7"}, {8, "1250"}},
                   "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
                  // The type compares trimmed and upper-cased: a bit type, so 2000 points pass.
                  {{{3, "coil status "}, {5, "2000"}, {9, "0"}}, nullptr},
                  // A register type ignores the Start Bit.
                  {{{9, "x"}}, nullptr},
                  {{{6, "$3E8"}, {4, "0x10"}}, nullptr}, // hexadecimal numbers
              });
}

TEST_F(ModbusWindows, MasterWriteChecksInOrder)
{
    TFSetAccess w;
    runChecks(w, 1, kMasterWrite,
              {
                  {{{2, "248"}, {3, ""}}, "Error row 1!! [Modbus Write] Slave ID must be between 1 and 247"},
                  {{{3, ""}, {4, "65536"}}, "Error row 1!! [Modbus Write] Type must be Coil Status or Holding Register"},
                  {{{4, "65536"}, {5, "0"}}, "Error row 1!! [Modbus Write] Address must be between 0 and 65535"},
                  {{{5, "124"}, {6, "-1"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
                  {{{3, "Coil Status"}, {5, "1969"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
                  {{{3, "Input Status"}, {5, "124"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
                  {{{6, "-1"}, {9, "-1"}}, "Error row 1!! [Modbus Write] Poll Time must be between 0 and 100000000"},
                  {{{6, "100000001"}}, "Error row 1!! [Modbus Write] Poll Time must be between 0 and 100000000"},
                  {{{9, "100000001"}, {10, "1500"}}, "Error row 1!! [Modbus Write] Max Error must be between 0 and 100000000"},
                  {{{10, "1500"}, {3, "Coil Status"}, {11, ""}}, "Error row 1!! [Modbus Write] Position must be between 0 and 1499"},
                  {{{3, "Coil Status"}, {11, ""}}, "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
                  {{{3, "Coil Status"}, {11, "9"}}, "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
                  {{{5, "123"}, {10, "1255"}},
                   "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
                  {{{5, "123"}, {10, "1255"}, {1, "N"}}, nullptr}, // a disabled row is not checked
                  {{{5, "123"}, {10, "1254"}}, nullptr},
                  {{{3, "Coil Status"}, {5, "1968"}, {11, "7"}, {10, "1253"}}, nullptr},
                  {{{6, "0"}, {8, "Y"}}, nullptr},
              });
}

TEST_F(ModbusWindows, PollTimeFollowsTheWorkingModeOfTheCommunicationFile)
{
    TFSetAccess w;
    const Cells poll500{{6, "500"}};
    runChecks(w, 0, kMasterRead, {{poll500, "Error row 1!! [Modbus Read] Poll Time must be between 1000 and 100000000"}});
    writeFile(ParGen_File, "<Par_Gen><Working_Mode>1</Working_Mode></Par_Gen>");
    runChecks(w, 0, kMasterRead,
              {{{{6, "0"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"}, {poll500, nullptr}});
    EXPECT_EQ(w.Working_Mode, 1);
    writeFile(ParGen_File, "<Par_Gen><Working_Mode>x</Working_Mode></Par_Gen>");
    open(w);
    EXPECT_EQ(w.Working_Mode, 0) << "not a number";
    w.hide();

    // A communication file that is not well-formed stops the showing with the parser's message.
    writeFile(ParGen_File, "<Par_Gen><Working_Mode>1</Par_Gen>");
    w.NCG_Modbus_Read->SetCells(13, 3, QStringLiteral("kept"));
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(ParGen_File + QStringLiteral(", line 1: ")))
        << responder.texts().front().toStdString();
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(13, 3), QStringLiteral("kept")) << "the grids keep what they held";
    EXPECT_EQ(w.Working_Mode, 0);
    w.hide();
}

TEST_F(ModbusWindows, MasterFileRoundTripIsByteExact)
{
    writeFile(ModbusM_SetAccess_File, fixture("ModbusM_SetAccess_in.xml"));
    TFSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_Modbus_Read;
    EXPECT_EQ(tabletest::rowCells(read, 1, 1, 13),
              (QStringList{"Y", "1", "Holding Register", "100", "10", "1000", "3", "0", "0", "Y", "N", "", QString::fromUtf8("Temp & \"Druck\" – Kühlung")}));
    EXPECT_EQ(w.ComboItem_Topic[0], 2) << "the file's topic index is remembered";
    // Missing "Swap", "SwapWord" and "Index_Topic": "N", "N" and no topic.
    EXPECT_EQ(tabletest::rowCells(read, 2, 10, 12), (QStringList{"N", "N", ""}));
    EXPECT_EQ(w.ComboItem_Topic[1], -1);
    EXPECT_EQ(tabletest::rowCells(read, 3, 1, 3), (QStringList{"Y", "", ""})) << "rows beyond the file";

    typeInto(read, 4, 1, QStringLiteral("200"));
    ASSERT_EQ(read.Cells(4, 1), QStringLiteral("200"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const QByteArray golden = fixture("ModbusM_SetAccess_golden.xml");
    EXPECT_EQ(readAll(ModbusM_SetAccess_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(ModbusM_SetAccess_File);

    // Reopened, the window shows what was saved; OK again writes the same bytes.
    read.SetCells(4, 1, QStringLiteral("999"));
    open(w);
    EXPECT_EQ(read.Cells(4, 1), QStringLiteral("200"));
    EXPECT_EQ(read.Cells(13, 2), QStringLiteral("disabled, not checked"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(ModbusM_SetAccess_File).toStdString(), golden.toStdString());
}

TEST_F(ModbusWindows, TheTableEndsAtTheFirstEmptySlaveID)
{
    TFSetAccess w;
    open(w);
    setCells(*w.NCG_Modbus_Read, 1, kMasterRead);
    w.NCG_Modbus_Read->SetCells(2, 1, QStringLiteral(" 5")); // counts as filled, kept with its blank
    setCells(*w.NCG_Modbus_Read, 3, kMasterRead);              // below the empty row 2: lost
    w.NCG_Modbus_Read->SetCells(2, 3, QStringLiteral("0"));    // and never checked
    // A disabled write row of nonsense is saved as it stands.
    w.NCG_Modbus_Write->SetCells(1, 1, QStringLiteral("N"));
    w.NCG_Modbus_Write->SetCells(2, 1, QStringLiteral("abc"));
    w.NCG_Modbus_Write->SetCells(6, 1, QStringLiteral("-5"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray saved = readAll(ModbusM_SetAccess_File);
    EXPECT_EQ(saved.toStdString(),
              "<EtherNetIP_to_Modbus><Modbus_Read><row Enable=\"Y\" Slave_ID=\" 5\" Type=\"Holding Register\" Address=\"0\" "
              "NPoint=\"1\" PollTime=\"1000\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
              "Index_Topic=\"-1\" Mnemonic=\"m\"/></Modbus_Read><Modbus_Write><row Enable=\"N\" Slave_ID=\"abc\" "
              "Type=\"\" Address=\"\" NPoint=\"\" PollTime=\"-5\" OnChange=\"\" OnCMD=\"\" MaxError=\"\" Position=\"\" "
              "Bit=\"\" Swap=\"\" SwapWord=\"\" Mnemonic=\"\"/></Modbus_Write></EtherNetIP_to_Modbus><!--SW_VERSION = 1.000-->");
    EXPECT_XMLLINT_READS(ModbusM_SetAccess_File);

    // Row 1 empty: both groups without rows.
    open(w);
    w.NCG_Modbus_Read->SetCells(2, 1, QString());
    w.NCG_Modbus_Write->SetCells(2, 1, QStringLiteral("  "));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(ModbusM_SetAccess_File).toStdString(),
              "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus><!--SW_VERSION = 1.000-->");
}

TEST_F(ModbusWindows, CancelLeavesTheFileAndTheNextShowingShowsIt)
{
    writeFile(ModbusM_SetAccess_File, fixture("ModbusM_SetAccess_in.xml"));
    TFSetAccess w;
    open(w);
    w.NCG_Modbus_Read->SetCells(4, 1, QStringLiteral("7777"));
    w.NCG_Modbus_Write->SetCells(2, 1, QStringLiteral("3"));
    EXPECT_EQ(click(w.Btn_Cancel), QStringList());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(readAll(ModbusM_SetAccess_File), fixture("ModbusM_SetAccess_in.xml"));
    open(w);
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(4, 1), QStringLiteral("100"));
    EXPECT_EQ(w.NCG_Modbus_Write->Cells(2, 1), QString());
    w.hide();
}

TEST_F(ModbusWindows, AFileThatCannotBeReadIsReportedAndKept)
{
    // A read row without "Slave_ID": the rows read so far stay; the next OK keeps nothing lost.
    const QByteArray missing = "<EtherNetIP_to_Modbus><Modbus_Read>\n"
                               "<row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"1000\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"a\"/>\n"
                               "<row Enable=\"N\" Type=\"Coil Status\" Address=\"0\" NPoint=\"1\" PollTime=\"1000\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"b\"/>\n"
                               "</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>";
    writeFile(ModbusM_SetAccess_File, missing);
    TFSetAccess w;
    {
        ModalResponder responder;
        open(w);
        ASSERT_EQ(responder.texts().size(), 1);
        const QString text = responder.texts().front();
        EXPECT_TRUE(text.startsWith(ModbusM_SetAccess_File + QStringLiteral(", line 3: "))) << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String("\"Slave_ID\""))) << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String("\"ModbusM_SetAccess.xml.bad\""))) << text.toStdString();
        EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
    }
    EXPECT_EQ(readAll(ModbusM_SetAccess_File + QStringLiteral(".bad")), missing);
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(13, 1), QStringLiteral("a"));
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(1, 2), QStringLiteral("N")) << "the cells read before the stop";
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(3, 2), QString()) << "and none after it";
    w.hide();

    // Not well-formed: the cleared rows.
    writeFile(ModbusM_SetAccess_File, "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\">");
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(ModbusM_SetAccess_File + QStringLiteral(", line 1: ")));
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(2, 1), QString());
    EXPECT_EQ(readAll(ModbusM_SetAccess_File + QStringLiteral(".bad")),
              QByteArray("<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\">"));
    w.hide();
}

TEST_F(ModbusWindows, AFailedSaveKeepsTheWindowOpenWithTheEdits)
{
    TFSetAccess w;
    open(w);
    setCells(*w.NCG_Modbus_Read, 1, kMasterRead);
    // The configuration's folder is gone.
    const QString saved = ModbusM_SetAccess_File;
    ModbusM_SetAccess_File = dir.filePath(QStringLiteral("gone/ModbusM_SetAccess.xml"));
    ModalResponder responder;
    const QStringList boxes = click(w.Btn_OK, responder);
    ModbusM_SetAccess_File = saved;
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_FALSE(boxes.front().isEmpty());
    EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.NCG_Modbus_Read->Cells(2, 1), QStringLiteral("1"));
    EXPECT_FALSE(QFileInfo::exists(saved));
    w.hide();
}

TEST_F(ModbusWindows, RowButtonsActOnTheGridOfTheActiveSheet)
{
    TFSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_Modbus_Read;
    TNovaColumnGrid &write = *w.NCG_Modbus_Write;
    for (int r = 1; r <= 3; ++r) setCells(read, r, {{2, QString::number(r)}, {13, QStringLiteral("m%1").arg(r)}});

    // Delete asks with the row number; No leaves the grid, Yes deletes.
    clickCell(read, 2, 2);
    ASSERT_EQ(read.Row(), 2);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::No);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 2"});
        EXPECT_EQ(read.Cells(2, 2), QStringLiteral("2"));
    }
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        click(w.Btn_DelRow, responder);
        EXPECT_EQ(tabletest::rowCells(read, 2, 1, 2), (QStringList{"Y", "3"}));
        EXPECT_EQ(read.Cells(0, 2), QStringLiteral("2")) << "row numbers stay";
        EXPECT_EQ(read.Cells(2, 512), QString());
    }
    // Insert: an empty row with "Y" in Enable.
    clickCell(read, 13, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(tabletest::rowCells(read, 1, 1, 2), (QStringList{"Y", ""}));
    EXPECT_EQ(read.Cells(2, 2), QStringLiteral("1"));

    // Copy in the read grid, paste in the write grid: nothing was copied there.
    clickCell(read, 2, 2);
    EXPECT_EQ(click(w.Btn_CopyRow), QStringList());
    EXPECT_TRUE(w.Do_Copy_In_Read);
    w.PageControl1->setCurrentWidget(w.TS_Modbus_Write);
    clickCell(write, 2, 1);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(write.Cells(2, 1), QString());
    // Copy in the write grid clears the read grid's flag.
    EXPECT_EQ(click(w.Btn_CopyRow), QStringList());
    EXPECT_TRUE(w.Do_Copy_In_Write);
    EXPECT_FALSE(w.Do_Copy_In_Read);

    // Copy, paste into a used row of the same grid: the question first.
    w.PageControl1->setCurrentWidget(w.TS_Modbus_Read);
    clickCell(read, 2, 2);
    click(w.Btn_CopyRow);
    clickCell(read, 2, 3);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_PasteRow, responder), QStringList{"Row Already used. Do you want to overwrite the values?"});
        EXPECT_EQ(tabletest::rowCells(read, 3, 1, 13), tabletest::rowCells(read, 2, 1, 13));
    }
    // Copy, close, reopen, paste: the copy is forgotten.
    w.hide();
    open(w);
    clickCell(read, 2, 5);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    w.hide();
}

TEST_F(ModbusWindows, GridEvents)
{
    TFSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_Modbus_Read;
    // A click on the row number selects the row.
    clickCell(read, 0, 4);
    const TGridRect sel = read.Selection();
    EXPECT_EQ(sel.Top, 4);
    EXPECT_EQ(sel.Bottom, 4);
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Right, read.ColCount() - 1);

    // A title's hint is its column's entry; past the hidden Topic column the real index counts.
    auto hint = [&](int realCol, int row) {
        QString h = QStringLiteral("grid's own");
        read.OnGridHint(&read, row, read.DisplColIndex(realCol), h);
        return h;
    };
    EXPECT_EQ(hint(13, 0), QStringLiteral("Insert the Description of Modbus Rule"));
    EXPECT_EQ(hint(2, 0), QStringLiteral("Insert the Slave ID of Modbus Slave"));
    EXPECT_EQ(hint(2, 1), QStringLiteral("grid's own")) << "a data cell gets no column hint";

    // Enter moves to the next cell only with the option on.
    clickCell(read, 13, 1);
    QTest::keyClick(&read, Qt::Key_Return);
    EXPECT_EQ(read.Row(), 1);
    Opt_Enable_Jump_Field_Tables = true;
    clickCell(read, 13, 1);
    QTest::keyClick(&read, Qt::Key_Return);
    EXPECT_EQ(read.Row(), 2) << "past the last column: the next row";
    EXPECT_EQ(read.Col(), 1);

    // A double click sizes a column only on its title, and only with the option on.
    read.SetColWidths(read.DisplColIndex(13), 30);
    read.SetCells(13, 1, QString(60, QLatin1Char('W')));
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 13, 0));
    EXPECT_EQ(read.ColWidths(read.DisplColIndex(13)), 30);
    Opt_Double_Click_Auto_Size = true;
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 13, 1));
    EXPECT_EQ(read.ColWidths(read.DisplColIndex(13)), 30) << "a data cell";
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 13, 0));
    EXPECT_GT(read.ColWidths(read.DisplColIndex(13)), 200);
    w.hide();
}

TEST_F(ModbusWindows, TheTopicIndexFollowsTheTopicList)
{
    TFSetAccess w;
    open(w);
    w.List_Publish_Topic = {"a", "b", "a"};
    EXPECT_EQ(w.Get_Topic_From_Index(1), QStringLiteral("b"));
    EXPECT_EQ(w.Get_Topic_From_Index(3), QString());
    EXPECT_EQ(w.Get_Topic_From_Index(-1), QString());
    EXPECT_EQ(w.Get_Index_From_Topic("a", 2), 2) << "the remembered index when it matches";
    EXPECT_EQ(w.Get_Index_From_Topic("a", 1), 0) << "else the first match";
    EXPECT_EQ(w.Get_Index_From_Topic("a", 7), 0);
    EXPECT_EQ(w.Get_Index_From_Topic("A", 0), -1) << "case-sensitive";
    // A choice in the Topic column is remembered per row.
    w.ComboChange(w.NCG_Modbus_Read, kModbusReadTopicCol, 3, 2, QStringLiteral("a"));
    EXPECT_EQ(w.ComboItem_Topic[2], 2);
    w.ComboChange(w.NCG_Modbus_Write, kModbusReadTopicCol, 3, 1, QStringLiteral("b"));
    EXPECT_EQ(w.ComboItem_Topic[2], 2) << "the write grid has no topic";
    w.hide();
}

// ---- Modbus TCP master -----------------------------------------------------------------------------

TEST(ModbusTcpAddress, CheckIPAddressRefusesWhatIsNoDottedAddress)
{
    const struct {
        const char *text;
        bool refused;
    } cases[] = {
        {"192.168.1.125", false}, {"0.0.0.0", false}, {"255.255.255.255", false}, {"$FF.0x10.x1.7", false},
        {"", true}, {"192.168.1", true}, {"192.168.1.256", true}, {"192.168..125", true},
        {"192.168.1.125.7", true}, {"a.b.c.d", true}, {"-1.0.0.0", true}, {"1.2.3.", true},
    };
    for (const auto &c : cases) EXPECT_EQ(Check_IP_Address(QLatin1String(c.text)), c.refused) << c.text;
}

TEST_F(ModbusWindows, TcpWindowLayoutAndTexts)
{
    TFModbus_TCP_Master_Set_Access w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Set Modbus TCP Master Access"));
    EXPECT_EQ(w.size(), QSize(1150, 337));
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Modbus Read"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Modbus Write"));
    EXPECT_EQ(w.Btn_CopyRow->text(), QStringLiteral("Copy Row"));
    EXPECT_EQ(w.Btn_PasteRow->text(), QStringLiteral("Paste Row"));
    EXPECT_EQ(w.Btn_DelRow->toolTip(), QStringLiteral("Delete the Selected Row in the table"));
    EXPECT_EQ(w.NCG_Modbus_Read->AllColCount(), 16);
    EXPECT_EQ(w.NCG_Modbus_Write->AllColCount(), 17);
    EXPECT_TRUE(w.NCG_Modbus_Read->IsHiddenColumn(14));
    EXPECT_EQ(w.NCG_Modbus_Read->Columns()->Items(2)->Header(), QStringLiteral("Slave IP Address"));
    EXPECT_EQ(w.NCG_Modbus_Read->Columns()->Items(13)->Header(), QStringLiteral("Swap Word"));
    EXPECT_EQ(w.NCG_Modbus_Read->Columns()->Items(10)->ComboItems().back(), QStringLiteral("1437"));
    EXPECT_EQ(w.NCG_Modbus_Write->Columns()->Items(12)->ComboItems().size(), 1438);
    QString h;
    w.NCG_Modbus_Read->OnGridHint(w.NCG_Modbus_Read, 0, w.NCG_Modbus_Read->DisplColIndex(15), h);
    EXPECT_EQ(h, QStringLiteral("Insert the Description of Modbus Rule")) << "slot 1982, past the hidden Topic";
    w.hide();
}

TEST_F(ModbusWindows, TcpReadChecksInOrder)
{
    TFModbus_TCP_Master_Set_Access w;
    const char *ip = "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)";
    runChecks(w, 0, kTcpRead,
              {
                  {{{2, "192.168.1"}, {3, "65536"}}, ip},
                  {{{2, "192.168.1.256"}}, ip},
                  {{{2, "192.168..125"}}, ip},
                  {{{2, "192.168.1.125.7"}}, ip},
                  {{{2, "192.168.1.x"}}, ip},
                  {{{2, "$C0.168.1.125"}}, nullptr}, // a hexadecimal part that fits
                  {{{3, "65536"}, {4, "0"}}, "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
                  {{{3, ""}}, "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
                  {{{4, "248"}, {5, ""}}, "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
                  {{{5, ""}, {6, "-1"}},
                   "Error row 1!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"},
                  {{{6, "65536"}, {7, "0"}}, "Error row 1!! [Modbus Read] Address must be between 0 and 65535"},
                  {{{7, "126"}, {8, "999"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
                  {{{5, "Coil Status"}, {7, "2001"}}, "Error row 1!! [Modbus Read] NPoint must be between 1 and 2000"},
                  {{{8, "999"}, {9, "-1"}}, "Error row 1!! [Modbus Read] Poll Time must be between 1000 and 100000000"},
                  {{{8, "1000"}}, nullptr},
                  {{{9, "100000001"}, {10, "1438"}}, "Error row 1!! [Modbus Read] Max Error must be between 0 and 100000000"},
                  {{{10, "1438"}, {5, "Input Status"}, {11, ""}}, "Error row 1!! [Modbus Read] Position must be between 0 and 1437"},
                  {{{5, "Input Status"}, {11, ""}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  {{{5, "Input Status"}, {11, "8"}}, "Error row 1!! [Modbus Read] Bit must be between 0 and 7"},
                  {{{7, "125"}, {10, "1189"}},
                   "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
                  {{{7, "125"}, {10, "1188"}}, nullptr},
              });
}

TEST_F(ModbusWindows, TcpWriteChecksInOrder)
{
    TFModbus_TCP_Master_Set_Access w;
    runChecks(w, 1, kTcpWrite,
              {
                  {{{2, "1.2.3"}, {3, "-1"}},
                   "Error row 1!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
                  {{{3, "-1"}, {4, "0"}}, "Error row 1!! [Modbus Write] Port must be between 0 and 65535"},
                  {{{4, "0"}, {5, ""}}, "Error row 1!! [Modbus Write] Slave ID must be between 1 and 247"},
                  {{{5, ""}, {6, "65536"}}, "Error row 1!! [Modbus Write] Type must be Coil Status or Holding Register"},
                  {{{6, "65536"}, {7, "0"}}, "Error row 1!! [Modbus Write] Address must be between 0 and 65535"},
                  {{{7, "124"}, {8, "-1"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
                  {{{5, "Coil Status"}, {7, "1969"}}, "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
                  {{{8, "-1"}, {11, "-1"}}, "Error row 1!! [Modbus Write] Poll Time must be between 0 and 100000000"},
                  {{{11, "100000001"}, {12, "1438"}}, "Error row 1!! [Modbus Write] Max Error must be between 0 and 100000000"},
                  {{{12, "1438"}, {5, "Coil Status"}, {13, ""}}, "Error row 1!! [Modbus Write] Position must be between 0 and 1437"},
                  {{{5, "Coil Status"}, {13, ""}}, "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
                  {{{7, "123"}, {12, "1193"}},
                   "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
                  {{{7, "123"}, {12, "1192"}}, nullptr},
              });
}

TEST_F(ModbusWindows, TcpFileRoundTripNeverSavesTheTopic)
{
    writeFile(ModbusTCPM_SetAccess_File, fixture("ModbusTCPM_SetAccess_in.xml"));
    TFModbus_TCP_Master_Set_Access w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_Modbus_Read;
    EXPECT_EQ(read.Cells(14, 1), QString()) << "the Topic is not loaded";
    EXPECT_EQ(read.Cells(15, 1), QString::fromUtf8("Zähler <1>"));
    EXPECT_EQ(tabletest::rowCells(*w.NCG_Modbus_Write, 1, 9, 15), (QStringList{"Y", "N", "0", "0", "0", "N", "N"}))
        << "OnCMD, Swap and SwapWord default to N";
    typeInto(read, 3, 1, QStringLiteral("1502"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray golden = fixture("ModbusTCPM_SetAccess_golden.xml");
    EXPECT_EQ(readAll(ModbusTCPM_SetAccess_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(ModbusTCPM_SetAccess_File);
    read.SetCells(14, 1, QStringLiteral("stale"));
    open(w);
    EXPECT_EQ(read.Cells(14, 1), QString()) << "reloaded with an empty, hidden Topic column";
    EXPECT_TRUE(read.IsHiddenColumn(14));
    EXPECT_EQ(read.Cells(3, 1), QStringLiteral("1502"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(ModbusTCPM_SetAccess_File).toStdString(), golden.toStdString());

    // A read row without "Port" stops the load there.
    QByteArray noPort = golden;
    noPort.replace("Port=\"1502\" ", "");
    writeFile(ModbusTCPM_SetAccess_File, noPort);
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().contains(QLatin1String("\"Port\""))) << responder.texts().front().toStdString();
    EXPECT_EQ(read.Cells(2, 1), QStringLiteral("192.168.1.125")) << "the cells before the stop";
    EXPECT_EQ(read.Cells(4, 1), QString());
    EXPECT_EQ(w.NCG_Modbus_Write->Cells(2, 1), QString()) << "the write group is not reached";
    w.hide();
}

// ---- in the program ------------------------------------------------------------------------------------

TEST_F(ModbusWindows, TheMainWindowCreatesTranslatesAndOpensThem)
{
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    ASSERT_NE(FSetAccess, nullptr);
    ASSERT_NE(FModbus_TCP_Master_Set_Access, nullptr);
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;

    // Without a configuration the hidden button is refused.
    ASSERT_TRUE(Project_Path.isEmpty());
    {
        ModalResponder responder;
        main->Btn_Click(main->Btn_Modbus_Set_Access);
        EXPECT_EQ(responder.texts(), QStringList{"Error! Project not Valid"});
        EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
    }
    // With one it opens the master table modally; the button stays hidden.
    Project_Path = dir.path();
    main->Set_Files();
    writeFile(ModbusM_SetAccess_File, fixture("ModbusM_SetAccess_in.xml"));
    QWidget *seen = nullptr;
    QString shownAddress;
    {
        ModalResponder responder;
        responder.then([&](QWidget *w) {
            seen = w;
            shownAddress = FSetAccess->NCG_Modbus_Read->Cells(4, 1);
            QTest::mouseClick(FSetAccess->Btn_Cancel, Qt::LeftButton);
        });
        main->Btn_Click(main->Btn_Modbus_Set_Access);
        EXPECT_FALSE(responder.timedOut());
    }
    EXPECT_EQ(seen, FSetAccess);
    EXPECT_EQ(shownAddress, QStringLiteral("100")) << "the file was loaded for the showing";
    EXPECT_FALSE(FSetAccess->isVisible());
    EXPECT_FALSE(main->Btn_Modbus_Set_Access->isVisibleTo(main));

    // A language file changes a caption, a title, a hint and a tab caption of each hidden window.
    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "STR1600 = Modbus-Zugriff\nSTR1617 = Aktiv\nSTR1643 = Regel ein oder aus\nSTR1614 = Lesen\n"
              "STR1900 = Modbus-TCP-Zugriff\nSTR1909 = Ein\nSTR1969 = Regel an oder aus\nSTR1906 = TCP lesen\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    auto hint = [](TNovaStringGrid *g, int realCol) {
        QString h;
        g->OnGridHint(g, 0, g->DisplColIndex(realCol), h);
        return h;
    };
    TFSetAccess &m = *FSetAccess;
    EXPECT_FALSE(m.isVisible());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Modbus-Zugriff"));
    EXPECT_EQ(m.NCG_Modbus_Read->Columns()->Items(1)->Header(), QStringLiteral("Aktiv"));
    EXPECT_EQ(hint(m.NCG_Modbus_Read, 1), QStringLiteral("Regel ein oder aus"));
    EXPECT_EQ(m.PageControl1->tabText(0), QStringLiteral("Lesen"));
    TFModbus_TCP_Master_Set_Access &t = *FModbus_TCP_Master_Set_Access;
    EXPECT_EQ(t.windowTitle(), QStringLiteral("Modbus-TCP-Zugriff"));
    EXPECT_EQ(t.NCG_Modbus_Read->Columns()->Items(1)->Header(), QStringLiteral("Ein"));
    EXPECT_EQ(hint(t.NCG_Modbus_Read, 1), QStringLiteral("Regel an oder aus"));
    EXPECT_EQ(t.PageControl1->tabText(0), QStringLiteral("TCP lesen"));
    EXPECT_EQ(t.Btn_CopyRow->text(), QStringLiteral("Copy Row"));

    // Back to English.
    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Set Modbus Access"));
    EXPECT_EQ(t.PageControl1->tabText(0), QStringLiteral("Modbus Read"));
    main->close();
}

// ---- how they look ---------------------------------------------------------------------------------------

// Both tabs of both windows with a few rows; with CFG_SCREENSHOT_DIR set the pictures are kept there
// (under a virtual X screen the screen itself is taken).
TEST_F(ModbusWindows, BothTabsOfBothWindowsRender)
{
    writeFile(ModbusM_SetAccess_File, fixture("ModbusM_SetAccess_in.xml"));
    writeFile(ModbusTCPM_SetAccess_File, fixture("ModbusTCPM_SetAccess_in.xml"));
    TFSetAccess master;
    TFModbus_TCP_Master_Set_Access tcp;
    const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    for (TTable_Window *w : std::initializer_list<TTable_Window *>{&master, &tcp}) {
        open(*w);
        w->move(0, 0);
        setCells(*w->Grids[1], 1, w == &master ? kMasterWrite : kTcpWrite);
        for (int tab = 0; tab < 2; ++tab) {
            w->PageControl1->setCurrentIndex(tab);
            QApplication::processEvents();
            QTest::qWait(50);
            const QImage drawn = w->grab().toImage();
            QImage img = drawn;
            if (QGuiApplication::platformName() == QLatin1String("xcb"))
                img = w->screen()->grabWindow(0, 0, 0, w->frameGeometry().width(), w->frameGeometry().height()).toImage();
            EXPECT_GE(img.width(), w->width());
            // The grid shows its titles: dark text in the title row.
            const QRect title = w->Grids[size_t(tab)]->geometry().translated(w->Grids[size_t(tab)]->parentWidget()->mapTo(w, QPoint()));
            int ink = 0;
            for (int x = title.left(); x < title.right(); ++x)
                if (drawn.pixelColor(x, title.top() + 11).lightness() < 80) ++ink;
            EXPECT_GT(ink, 50) << w->objectName().toStdString() << " tab " << tab;
            if (!keep.isEmpty())
                img.save(keep + QStringLiteral("/%1_tab%2.png").arg(w->objectName()).arg(tab));
        }
        w->hide();
    }
}
