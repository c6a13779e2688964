// The three CANopen windows (PDOs, SDO client, SDO server), shown and driven with the mouse and the
// keyboard: the two-tab frame, every check in its order with its one error box, positions against
// the input and output areas, byte-exact files, required attributes, their own row deletion, and
// their place in the program.
#include "protocols/USet_PDO_Access.h"
#include "protocols/USet_SDO_Client_Access.h"
#include "protocols/USet_SDO_Server_Access.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <cstring>
#include <functional>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

// A valid row of each table, by column.
const Cells kPDOReceive{{1, "0x181"}, {2, "8"}, {3, "0"}, {4, "1"}, {5, "2"}, {6, "3"}, {7, "4"},
                        {8, "5"}, {9, "6"}, {10, "7"}, {11, "100"}, {12, "m"}};
const Cells kPDOTransmit{{1, "0x201"}, {2, "8"}, {3, "0"}, {4, "1"}, {5, "2"}, {6, "3"}, {7, "4"},
                         {8, "5"}, {9, "6"}, {10, "7"}, {11, "100"}, {12, "N"}, {13, "m"}};
const Cells kSDORead{{1, "1"}, {2, "0x6000"}, {3, "0"}, {4, "4"}, {5, "100"}, {6, "0"}, {7, "1"}, {8, "2"},
                     {9, "3"}, {10, "m"}};
const Cells kSDOWrite{{1, "1"}, {2, "0x6000"}, {3, "0"}, {4, "4"}, {5, "100"}, {6, "N"}, {7, "0"}, {8, "1"},
                      {9, "2"}, {10, "3"}, {11, "m"}};
const Cells kServerRow{{1, "0x2000"}, {2, "0"}, {3, "4"}, {4, "0"}, {5, "1"}, {6, "2"}, {7, "3"}, {8, "m"}};

using CANopenWindows = TableWindowTest;

} // namespace

// ---- the frame ---------------------------------------------------------------------------------------

TEST_F(CANopenWindows, PdoWindowLayoutAndTexts)
{
    TFSet_PDO_Access w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Set PDO Access"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("Set PDO Access"));
    EXPECT_EQ(w.L_SW_Code->text(), SW_Code);
    EXPECT_EQ(w.size(), QSize(798, 337));
    const TLbButton *order[] = {w.Btn_OK, w.Btn_Cancel, w.Btn_DelRow, w.Btn_InsRow, w.Btn_CopyRow, w.Btn_PasteRow};
    const char *hints[] = {"Confirm and save the CANopen PDOs List", "Exit without save the CANopen PDOs List",
                           "Delete the Selected Row in the table", "Insert a Row in the Table",
                           "Copy all Fields of the Selected Row", "Paste the Copied Fields in the Selected Row"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(order[i]->toolTip(), QLatin1String(hints[i]));
    EXPECT_EQ(w.Btn_DelRow->text(), QStringLiteral("Delete Row"));
    ASSERT_NE(w.PageControl1, nullptr);
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Receive PDO"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Transmit PDO"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_Receive_PDO);
    EXPECT_EQ(w.sga->parentWidget(), w.TS_Receive_PDO);
    EXPECT_EQ(w.sgb->parentWidget(), w.TS_Transmit_PDO);
    EXPECT_EQ(w.sga->RowCount(), 31);
    EXPECT_EQ(w.sgb->RowCount(), 31);
    EXPECT_EQ(w.sga->AllColCount(), 13);
    EXPECT_EQ(w.sgb->AllColCount(), 14);
    EXPECT_EQ(w.PROFINET_NByte_IN, 1440);
    EXPECT_EQ(w.PROFINET_NByte_OUT, 1440);
    // Titles from column 0, widths and editors.
    EXPECT_EQ(header(*w.sga, 0), QStringLiteral("N"));
    EXPECT_EQ(header(*w.sga, 1), QStringLiteral("COB-ID"));
    EXPECT_EQ(header(*w.sga, 3), QStringLiteral("Add B1"));
    EXPECT_EQ(header(*w.sga, 10), QStringLiteral("Add B8"));
    EXPECT_EQ(header(*w.sga, 11), QStringLiteral("TimeOut"));
    EXPECT_EQ(header(*w.sgb, 11), QStringLiteral("Send Time"));
    EXPECT_EQ(header(*w.sgb, 12), QStringLiteral("On Change"));
    EXPECT_EQ(header(*w.sgb, 13), QStringLiteral("Mnemonic"));
    EXPECT_EQ(w.sga->ColWidths(12), 173);
    EXPECT_EQ(w.sga->ColWidths(3), 45);
    EXPECT_EQ(w.sgb->ColWidths(12), 68);
    EXPECT_EQ(w.sgb->ColWidths(11), 73) << "nine digits of Send Time show whole";
    for (int c = 1; c < 13; ++c) EXPECT_EQ(w.sga->Columns()->Items(c)->Editor(), edNormal) << c;
    EXPECT_EQ(w.sgb->Columns()->Items(12)->Editor(), edDataCheckBox);
    EXPECT_EQ(w.Hint_PDO_Receive.size(), 12);
    EXPECT_EQ(w.Hint_PDO_Transmit.size(), 13);
    EXPECT_EQ(w.Hint_PDO_Transmit.at(1), QStringLiteral("Insert the Dimension in Byte of CANopen PDO Frame (from 1 to 8)"));
    // Numbered and cleared rows; no Enable column, so no "Y" anywhere.
    EXPECT_EQ(w.sgb->Cells(0, 30), QStringLiteral("30"));
    EXPECT_EQ(tabletest::rowCells(*w.sgb, 1, 1, 13), QStringList(13, QString()));
    EXPECT_EQ(tabletest::rowCells(*w.sga, 30, 1, 12), QStringList(12, QString()));
    w.hide();
}

TEST_F(CANopenWindows, SdoWindowsLayoutAndTexts)
{
    TFSet_SDO_Client_Access c;
    open(c);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Set SDO Client Access"));
    EXPECT_EQ(c.size(), QSize(798, 337));
    EXPECT_EQ(c.PageControl1->tabText(0), QStringLiteral("SDO Read"));
    EXPECT_EQ(c.PageControl1->tabText(1), QStringLiteral("SDO Write"));
    EXPECT_EQ(c.PageControl1->currentWidget(), c.TS_SDO_Read);
    EXPECT_EQ(c.Btn_OK->toolTip(), QStringLiteral("Confirm and save the CANopen SDOs Client List"));
    EXPECT_EQ(c.sga->RowCount(), 257);
    EXPECT_EQ(c.sga->AllColCount(), 11);
    EXPECT_EQ(c.sgb->AllColCount(), 12);
    EXPECT_EQ(header(*c.sga, 1), QStringLiteral("ID Device"));
    EXPECT_EQ(header(*c.sga, 6), QStringLiteral("Add Byte1"));
    EXPECT_EQ(header(*c.sgb, 6), QStringLiteral("On Change"));
    EXPECT_EQ(header(*c.sgb, 7), QStringLiteral("Add Byte1"));
    EXPECT_EQ(header(*c.sgb, 11), QStringLiteral("Mnemonic"));
    EXPECT_EQ(c.sgb->Columns()->Items(6)->Editor(), edDataCheckBox);
    EXPECT_EQ(c.sga->ColWidths(1), 60);
    EXPECT_EQ(c.sga->ColWidths(5), 73) << "nine digits of Poll Time show whole";
    EXPECT_EQ(titleHint(*c.sgb, 7), QStringLiteral("Insert the position of array where put the byte 1 of CANopen SDO Request"));
    EXPECT_EQ(titleHint(*c.sga, 6), QStringLiteral("Insert the position of array where place in byte 1 of CANopen SDO Request"));
    c.hide();

    TFSet_SDO_Server_Access s;
    open(s);
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Set SDO Server Access"));
    EXPECT_EQ(s.size(), QSize(749, 337));
    EXPECT_EQ(s.PageControl1->tabText(0), QStringLiteral("SDO in Read"));
    EXPECT_EQ(s.PageControl1->tabText(1), QStringLiteral("SDO in Write"));
    EXPECT_EQ(s.sga->RowCount(), 501);
    EXPECT_EQ(s.sgb->RowCount(), 501);
    EXPECT_EQ(s.sga->AllColCount(), 9);
    EXPECT_EQ(header(*s.sgb, 4), QStringLiteral("Add Byte1"));
    EXPECT_EQ(s.sga->ColWidths(4), 80);
    // The hints of the "SDO in Write" titles come from their own slots.
    const char *writeHints[] = {"Insert the Index of SDO", "Insert the SubIndex of SDO",
                                "Insert the Number of Bytes of SDO, 1 or 2 or 4 bytes",
                                "Insert the position of array where write the byte 1 of CANopen SDO Request",
                                "Insert the position of array where write the byte 2 of CANopen SDO Request",
                                "Insert the position of array where write the byte 3 of CANopen SDO Request",
                                "Insert the position of array where write the byte 4 of CANopen SDO Request",
                                "Insert a description of the CANopen SDO Request"};
    s.PageControl1->setCurrentWidget(s.TS_SDO_Write);
    for (int col = 1; col <= 8; ++col) EXPECT_EQ(titleHint(*s.sgb, col), QLatin1String(writeHints[col - 1])) << col;
    EXPECT_EQ(titleHint(*s.sga, 4), QStringLiteral("Insert the position of array where read the byte 1 of CANopen SDO Request"));
    s.hide();
}

// ---- the checks ------------------------------------------------------------------------------------------

TEST_F(CANopenWindows, PdoReceiveChecksInOrder)
{
    TFSet_PDO_Access w;
    const char *address2 = "Error row 1!! [Receive PDO] Address Byte2 must be between 0 and 1439";
    // Each case also breaks the next check, which therefore comes later.
    runChecks(w, 0, kPDOReceive,
              {
                  {{{1, "2048"}, {2, "9"}}, "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {{{1, "-1"}}, "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {{{1, "0x7FF"}}, nullptr},
                  {{{1, "0"}}, nullptr},
                  {{{2, "9"}, {3, ""}}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
                  {{{2, "0"}}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
                  {{{2, ""}}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
                  {{{3, "1440"}, {11, "65536"}}, "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 1439"},
                  {{{3, "1439"}}, nullptr},
                  // Only the first Dimension positions count, and an empty one fails.
                  {{{2, "2"}, {4, ""}, {5, ""}, {10, ""}}, address2},
                  {{{2, "2"}, {5, ""}, {6, ""}, {7, ""}, {8, ""}, {9, ""}, {10, ""}}, nullptr},
                  {{{10, "-1"}}, "Error row 1!! [Receive PDO] Address Byte8 must be between 0 and 1439"},
                  {{{11, "65536"}}, "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
                  {{{11, ""}}, "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
                  {{{11, "65535"}}, nullptr},
                  {{{12, ""}}, nullptr}, // the Mnemonic is not checked
              });
}

TEST_F(CANopenWindows, PdoTransmitChecksInOrder)
{
    TFSet_PDO_Access w;
    runChecks(w, 1, kPDOTransmit,
              {
                  {{{1, "2048"}, {2, "0"}}, "Error row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {{{1, "0x181"}}, nullptr},
                  {{{2, "0"}, {3, ""}}, "Error row 1!! [Transmit PDO] Dimension must be between 1 and 8"},
                  {{{3, ""}, {11, "-1"}}, "Error row 1!! [Transmit PDO] Address Byte1 must be between 0 and 1439"},
                  {{{2, "5"}, {7, "1440"}}, "Error row 1!! [Transmit PDO] Address Byte5 must be between 0 and 1439"},
                  {{{2, "4"}, {7, "1440"}}, nullptr},
                  {{{11, "100000001"}}, "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
                  {{{11, "-1"}}, "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
                  {{{11, "100000000"}}, nullptr},
                  {{{11, "0"}, {12, "x"}, {13, ""}}, nullptr}, // On Change and Mnemonic are not checked
              });
}

TEST_F(CANopenWindows, AReceiveErrorStopsTheCheckBeforeTheTransmitTable)
{
    TFSet_PDO_Access w;
    open(w);
    setCells(*w.sga, 1, kPDOReceive);
    setCells(*w.sgb, 1, kPDOTransmit);
    w.sga->SetCells(11, 1, QStringLiteral("65536"));
    w.sgb->SetCells(1, 1, QStringLiteral("2048"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"});
    w.sga->SetCells(11, 1, QStringLiteral("0"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"});
    // The row prefix carries the row number; the check ends at the first empty COB-ID.
    w.sgb->SetCells(1, 1, QStringLiteral("0x201"));
    setCells(*w.sgb, 2, kPDOTransmit);
    w.sgb->SetCells(2, 2, QStringLiteral("9"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 2!! [Transmit PDO] Dimension must be between 1 and 8"});
    w.sgb->SetCells(1, 2, QStringLiteral("  "));
    setCells(*w.sgb, 3, {{1, "bad"}});
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readAll(PDO_CANopen_File).count("<row "), 2) << "one row in each table";
}

// The positions of the first grid lie in the input area, those of the second in the output area.
TEST_F(CANopenWindows, PositionsFollowTheirDataArea)
{
    TFSet_PDO_Access pdo;
    open(pdo);
    pdo.PROFINET_NByte_IN = 100;
    pdo.PROFINET_NByte_OUT = 50;
    setCells(*pdo.sga, 1, kPDOReceive);
    setCells(*pdo.sgb, 1, kPDOTransmit);
    pdo.sga->SetCells(3, 1, QStringLiteral("100"));
    EXPECT_EQ(click(pdo.Btn_OK), QStringList{"Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 99"});
    pdo.sga->SetCells(3, 1, QStringLiteral("60"));
    pdo.sgb->SetCells(3, 1, QStringLiteral("60"));
    EXPECT_EQ(click(pdo.Btn_OK), QStringList{"Error row 1!! [Transmit PDO] Address Byte1 must be between 0 and 49"});
    pdo.hide();
    open(pdo);
    EXPECT_EQ(pdo.PROFINET_NByte_IN, 1440) << "each showing sets both areas";
    EXPECT_EQ(pdo.PROFINET_NByte_OUT, 1440);
    pdo.hide();

    TFSet_SDO_Client_Access client;
    open(client);
    client.PROFINET_NByte_IN = 10;
    client.PROFINET_NByte_OUT = 20;
    setCells(*client.sga, 1, kSDORead);
    setCells(*client.sgb, 1, kSDOWrite);
    client.sga->SetCells(9, 1, QStringLiteral("10"));
    EXPECT_EQ(click(client.Btn_OK), QStringList{"Error row 1!! [SDO Read] Address Byte4 must be between 0 and 9"});
    client.sga->SetCells(9, 1, QStringLiteral("9"));
    client.sgb->SetCells(10, 1, QStringLiteral("20"));
    EXPECT_EQ(click(client.Btn_OK), QStringList{"Error row 1!! [SDO Write] Address Byte4 must be between 0 and 19"});
    client.hide();

    TFSet_SDO_Server_Access server;
    open(server);
    server.PROFINET_NByte_IN = 10;
    server.PROFINET_NByte_OUT = 20;
    setCells(*server.sga, 1, kServerRow);
    setCells(*server.sgb, 1, kServerRow);
    server.sgb->SetCells(4, 1, QStringLiteral("15"));
    server.sga->SetCells(4, 1, QStringLiteral("15"));
    EXPECT_EQ(click(server.Btn_OK), QStringList{"Error row 1!! [SDO in Read] Address Byte1 must be between 0 and 9"});
    server.sga->SetCells(4, 1, QStringLiteral("5"));
    EXPECT_EQ(click(server.Btn_OK), QStringList());
    server.hide();
}

TEST_F(CANopenWindows, SdoClientReadChecksInOrder)
{
    TFSet_SDO_Client_Access w;
    const char *id = "Error row 1!! [SDO Read] Device ID must be between 1 and 127";
    runChecks(w, 0, kSDORead,
              {
                  {{{1, "0"}, {2, "0x0FFF"}}, id},
                  {{{1, "128"}}, id},
                  {{{1, "127"}}, nullptr},
                  {{{2, "0x0FFF"}, {3, "256"}}, "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
                  {{{2, "0x10000"}}, "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
                  {{{2, "0x1000"}}, nullptr},
                  {{{2, "0xFFFF"}}, nullptr},
                  {{{3, "256"}, {4, "3"}}, "Error row 1!! [SDO Read] SubIndex must be between 0x00 and 0xFF"},
                  {{{3, "0xFF"}}, nullptr},
                  {{{4, "3"}, {5, "0"}}, "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"},
                  {{{4, "0"}}, "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"},
                  {{{5, "0"}, {6, ""}}, "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
                  {{{5, "100000001"}}, "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
                  {{{5, "1"}}, nullptr},
                  {{{6, ""}, {7, ""}}, "Error row 1!! [SDO Read] Address Byte1 must be between 0 and 1439"},
                  {{{4, "1"}, {7, ""}, {8, ""}, {9, ""}}, nullptr},
                  {{{4, "2"}, {7, "1440"}}, "Error row 1!! [SDO Read] Address Byte2 must be between 0 and 1439"},
                  {{{4, "2"}, {8, ""}, {9, ""}}, nullptr},
                  {{{8, ""}}, "Error row 1!! [SDO Read] Address Byte3 must be between 0 and 1439"},
              });
}

TEST_F(CANopenWindows, SdoClientWriteChecksInOrder)
{
    TFSet_SDO_Client_Access w;
    runChecks(w, 1, kSDOWrite,
              {
                  {{{1, "0"}, {2, ""}}, "Error row 1!! [SDO Write] Device ID must be between 1 and 127"},
                  {{{2, ""}, {3, "-1"}}, "Error row 1!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
                  {{{3, "-1"}, {4, "8"}}, "Error row 1!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
                  {{{4, "8"}, {5, "-1"}}, "Error row 1!! [SDO Write] N Byte must be 1 or 2 or 4"},
                  {{{5, "-1"}, {7, "x"}}, "Error row 1!! [SDO Write] Poll Time must be between 0 and 100000000"},
                  {{{5, "0"}}, nullptr}, // 0 is allowed here
                  {{{7, "x"}}, "Error row 1!! [SDO Write] Address Byte1 must be between 0 and 1439"},
                  {{{10, "1440"}}, "Error row 1!! [SDO Write] Address Byte4 must be between 0 and 1439"},
                  {{{4, "2"}, {9, ""}, {10, ""}, {6, "whatever"}}, nullptr},
              });
}

TEST_F(CANopenWindows, SdoServerChecksInOrder)
{
    TFSet_SDO_Server_Access w;
    for (int grid : {0, 1}) {
        const QString tab = grid == 0 ? QStringLiteral("[SDO in Read]") : QStringLiteral("[SDO in Write]");
        const std::string index = QStringLiteral("Error row 1!! %1 Index must be between 0x2000 and 0x5FFF").arg(tab).toStdString();
        const std::string sub = QStringLiteral("Error row 1!! %1 SubIndex must be between 0x00 and 0xFF").arg(tab).toStdString();
        const std::string nbyte = QStringLiteral("Error row 1!! %1 N Byte must be 1 or 2 or 4").arg(tab).toStdString();
        const std::string add4 = QStringLiteral("Error row 1!! %1 Address Byte4 must be between 0 and 1439").arg(tab).toStdString();
        const std::string add2 = QStringLiteral("Error row 1!! %1 Address Byte2 must be between 0 and 1439").arg(tab).toStdString();
        runChecks(w, grid, kServerRow,
                  {
                      {{{1, "0x1FFF"}, {2, "256"}}, index.c_str()},
                      {{{1, "0x6000"}}, index.c_str()},
                      {{{1, "0x5FFF"}}, nullptr},
                      {{{2, "256"}, {3, "3"}}, sub.c_str()},
                      {{{3, "3"}, {7, ""}}, nbyte.c_str()},
                      {{{7, ""}}, add4.c_str()},
                      {{{3, "2"}, {5, ""}}, add2.c_str()},
                      {{{3, "2"}, {6, ""}, {7, ""}, {8, ""}}, nullptr},
                  });
    }
}

// ---- the files ---------------------------------------------------------------------------------------------

TEST_F(CANopenWindows, FilesRoundTripByteExact)
{
    struct Case {
        const char *golden;
        QString *path;
        std::function<TTable_Window *()> make;
        const char *from, *to; // a value the test's file holds in place of the golden one
        int grid, col, row;    // the cell typed back
        QString typed;
    };
    std::vector<Case> cases{
        {"PDO_CANopen_golden.xml", &PDO_CANopen_File, [] { return new TFSet_PDO_Access; }, "TimeOut=\"100\"",
         "TimeOut=\"7\"", 0, 11, 1, "100"},
        {"SDO_Client_CANopen_golden.xml", &SDO_Client_CANopen_File, [] { return new TFSet_SDO_Client_Access; },
         "Address_B1=\"1439\"", "Address_B1=\"1\"", 1, 7, 1, "1439"},
        {"SDO_Server_CANopen_golden.xml", &SDO_Server_CANopen_File, [] { return new TFSet_SDO_Server_Access; },
         "Index=\"0x5FFF\"", "Index=\"0x5000\"", 0, 1, 2, "0x5FFF"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.golden);
        const QByteArray golden = fixture(c.golden);
        QByteArray in = golden;
        in.replace(c.from, c.to);
        ASSERT_NE(in, golden);
        writeFile(*c.path, in);
        std::unique_ptr<TTable_Window> w(c.make());
        {
            ModalResponder quiet;
            open(*w);
            EXPECT_EQ(quiet.texts(), QStringList());
        }
        w->PageControl1->setCurrentIndex(c.grid);
        QApplication::processEvents();
        typeInto(*w->Grids[size_t(c.grid)], c.col, c.row, c.typed);
        ASSERT_EQ(w->Grids[size_t(c.grid)]->Cells(c.col, c.row), c.typed);
        EXPECT_EQ(click(w->Btn_OK), QStringList());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_EQ(readAll(*c.path).toStdString(), golden.toStdString());
        EXPECT_XMLLINT_READS(*c.path);
        // Reopened, the first sheet is active again and OK writes the same bytes.
        open(*w);
        EXPECT_EQ(w->PageControl1->currentIndex(), 0);
        EXPECT_EQ(click(w->Btn_OK), QStringList());
        EXPECT_EQ(readAll(*c.path).toStdString(), golden.toStdString());
    }
}

TEST_F(CANopenWindows, AnUntouchedOnChangeIsSavedEmpty)
{
    TFSet_PDO_Access w;
    open(w);
    w.PageControl1->setCurrentWidget(w.TS_Transmit_PDO);
    QApplication::processEvents();
    typeInto(*w.sgb, 1, 1, QStringLiteral("0x201"));
    typeInto(*w.sgb, 2, 1, QStringLiteral("1"));
    typeInto(*w.sgb, 3, 1, QStringLiteral("0"));
    typeInto(*w.sgb, 11, 1, QStringLiteral("0"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(PDO_CANopen_File).toStdString(),
              "<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID=\"0x201\" Dimension=\"1\" Address_B1=\"0\" "
              "Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
              "Address_B8=\"\" Send_Time=\"0\" On_Change=\"\" Mnemonic=\"\"/></Transmit_PDO></PDO_CANopen>"
              "<!--SW_VERSION = 1.008-->");
    EXPECT_XMLLINT_READS(PDO_CANopen_File);
}

TEST_F(CANopenWindows, ARowLackingAnAttributeStopsTheLoadThere)
{
    // Every attribute is required: each window stops at the row that lacks one, naming file and attribute.
    struct Case {
        const char *golden;
        QString *path;
        std::function<TTable_Window *()> make;
        const char *drop; // removed from the second row of the first group
        const char *attribute;
        int lastCol;      // the last column read before the stop
    };
    std::vector<Case> cases{
        {"PDO_CANopen_golden.xml", &PDO_CANopen_File, [] { return new TFSet_PDO_Access; }, " TimeOut=\"65535\"",
         "TimeOut", 10},
        {"SDO_Client_CANopen_golden.xml", &SDO_Client_CANopen_File, [] { return new TFSet_SDO_Client_Access; },
         " SubIndex=\"0xFF\"", "SubIndex", 2},
        {"SDO_Server_CANopen_golden.xml", &SDO_Server_CANopen_File, [] { return new TFSet_SDO_Server_Access; },
         " NByte=\"1\"", "NByte", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.golden);
        QByteArray in = fixture(c.golden);
        const qsizetype at = in.indexOf(c.drop);
        ASSERT_GT(at, 0);
        in.remove(at, qsizetype(std::strlen(c.drop)));
        in.replace("><row ", ">\n<row "); // one row a line: the second row of the first group on line 3
        writeFile(*c.path, in);
        std::unique_ptr<TTable_Window> w(c.make());
        ModalResponder responder;
        open(*w);
        ASSERT_EQ(responder.texts().size(), 1);
        const QString text = responder.texts().front();
        EXPECT_TRUE(text.startsWith(*c.path + QStringLiteral(", line 3: "))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\"%1\"").arg(QLatin1String(c.attribute)))) << text.toStdString();
        EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
        EXPECT_EQ(readAll(*c.path + QStringLiteral(".bad")), in) << "the file is kept";
        TNovaStringGrid &first = *w->Grids[0];
        EXPECT_FALSE(first.Cells(1, 1).isEmpty()) << "the rows before the stop";
        EXPECT_FALSE(first.Cells(c.lastCol, 2).isEmpty()) << "the cells before the stop";
        EXPECT_EQ(first.Cells(c.lastCol + 2, 2), QString()) << "none after it";
        EXPECT_EQ(w->Grids[1]->Cells(1, 1), QString()) << "the second group is not reached";
        w->hide();
    }
}

TEST_F(CANopenWindows, AFailedSaveSaysWhyAndKeepsTheWindowOpen)
{
    TFSet_PDO_Access pdo;
    TFSet_SDO_Client_Access client;
    TFSet_SDO_Server_Access server;
    const std::pair<TTable_Window *, QString *> windows[] = {
        {&pdo, &PDO_CANopen_File}, {&client, &SDO_Client_CANopen_File}, {&server, &SDO_Server_CANopen_File}};
    for (const auto &[w, path] : windows) {
        SCOPED_TRACE(path->toStdString());
        checkFailedSave(*w, *path);
    }
}

// ---- row buttons and grid events ------------------------------------------------------------------------

TEST_F(CANopenWindows, RowButtonsActOnTheActiveSheetAndDeleteTheirOwnWay)
{
    TFSet_PDO_Access w;
    open(w);
    TNovaColumnGrid &rx = *w.sga;
    TNovaColumnGrid &tx = *w.sgb;
    for (int r = 1; r <= 30; ++r) setCells(tx, r, {{1, QString::number(r)}, {13, QStringLiteral("m%1").arg(r)}});
    setCells(rx, 2, {{1, "rx"}});
    w.PageControl1->setCurrentWidget(w.TS_Transmit_PDO);
    QApplication::processEvents();

    clickCell(tx, 1, 2);
    ASSERT_EQ(tx.Row(), 2);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::No);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 2"});
        EXPECT_EQ(tx.Cells(1, 2), QStringLiteral("2"));
    }
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        click(w.Btn_DelRow, responder);
    }
    EXPECT_EQ(tx.Cells(1, 2), QStringLiteral("3")) << "the rows below move up";
    EXPECT_EQ(tx.Cells(13, 29), QStringLiteral("m30"));
    EXPECT_EQ(tabletest::rowCells(tx, 30, 1, 13), QStringList(13, QString())) << "the last row is cleared";
    EXPECT_EQ(tx.Cells(0, 2), QStringLiteral("2")) << "row numbers stay";
    EXPECT_EQ(rx.Cells(1, 2), QStringLiteral("rx")) << "the other sheet's grid is untouched";
    // The routine itself.
    w.Delete_Row(1, &rx);
    EXPECT_EQ(rx.Cells(1, 1), QStringLiteral("rx"));

    // Insert: an empty row, no "Y" anywhere.
    clickCell(tx, 13, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(tabletest::rowCells(tx, 1, 1, 13), QStringList(13, QString()));
    EXPECT_EQ(tx.Cells(1, 2), QStringLiteral("1"));

    // Copy in the transmit grid, paste in the receive grid: nothing was copied there.
    clickCell(tx, 1, 2);
    EXPECT_EQ(click(w.Btn_CopyRow), QStringList());
    EXPECT_TRUE(w.Do_Copy_Transmit_PDO);
    EXPECT_FALSE(w.Do_Copy_Receive_PDO);
    w.PageControl1->setCurrentWidget(w.TS_Receive_PDO);
    QApplication::processEvents();
    clickCell(rx, 1, 5);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(rx.Cells(1, 5), QString());
    // Back in the transmit grid the copy pastes.
    w.PageControl1->setCurrentWidget(w.TS_Transmit_PDO);
    QApplication::processEvents();
    clickCell(tx, 1, 5);
    ASSERT_EQ(tx.Row(), 5);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_PasteRow, responder), QStringList{"Row Already used. Do you want to overwrite the values?"});
    }
    EXPECT_EQ(tabletest::rowCells(tx, 5, 1, 13), tabletest::rowCells(tx, 2, 1, 13));
    // Copy, close, reopen, paste: the copy is forgotten.
    w.hide();
    open(w);
    w.PageControl1->setCurrentWidget(w.TS_Transmit_PDO);
    QApplication::processEvents();
    clickCell(tx, 1, 4);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    w.hide();
}

// The delete button deletes through the window's routine, and only on Yes.
TEST_F(CANopenWindows, TheDeleteButtonGoesThroughTheWindowsRoutine)
{
    struct Counting : TFSet_SDO_Server_Access {
        std::vector<std::pair<int, TNovaStringGrid *>> calls;
        void Delete_Table_Row(int Row, TNovaStringGrid *Grid) override
        {
            calls.emplace_back(Row, Grid);
            TFSet_SDO_Server_Access::Delete_Table_Row(Row, Grid);
        }
    } w;
    open(w);
    setCells(*w.sgb, 3, kServerRow);
    setCells(*w.sgb, 4, {{8, "next"}});
    w.PageControl1->setCurrentWidget(w.TS_SDO_Write);
    QApplication::processEvents();
    clickCell(*w.sgb, 1, 3);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::No);
        click(w.Btn_DelRow, responder);
    }
    EXPECT_TRUE(w.calls.empty());
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        click(w.Btn_DelRow, responder);
    }
    ASSERT_EQ(w.calls.size(), 1u);
    EXPECT_EQ(w.calls.front(), std::make_pair(3, static_cast<TNovaStringGrid *>(w.sgb)));
    EXPECT_EQ(w.sgb->Cells(8, 3), QStringLiteral("next"));
    EXPECT_EQ(w.sgb->Cells(8, 500), QString());
    w.hide();
}

TEST_F(CANopenWindows, GridEventsServeBothGrids)
{
    TFSet_SDO_Client_Access w;
    open(w);
    w.PageControl1->setCurrentWidget(w.TS_SDO_Write);
    QApplication::processEvents();
    TNovaColumnGrid &g = *w.sgb;
    clickCell(g, 0, 4);
    const TGridRect sel = g.Selection();
    EXPECT_EQ(sel.Top, 4);
    EXPECT_EQ(sel.Bottom, 4);
    EXPECT_EQ(sel.Left, 1);
    EXPECT_EQ(sel.Right, g.ColCount() - 1);
    EXPECT_EQ(titleHint(g, 6), QStringLiteral("Enable or Disable the possibility to send the CANopen SDO Request if a Data Byte changes"));
    QString h = QStringLiteral("own");
    g.OnGridHint(&g, 1, 6, h);
    EXPECT_EQ(h, QStringLiteral("own")) << "a data cell gets no column hint";

    Opt_Enable_Jump_Field_Tables = true;
    clickCell(g, 11, 1);
    QTest::keyClick(&g, Qt::Key_Return);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);

    Opt_Double_Click_Auto_Size = true;
    g.SetColWidths(11, 30);
    g.SetCells(11, 1, QString(60, QLatin1Char('W')));
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(g, 11, 1));
    EXPECT_EQ(g.ColWidths(11), 30) << "a data cell";
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(g, 11, 0));
    EXPECT_GT(g.ColWidths(11), 200);
    w.hide();
}

// ---- in the program ----------------------------------------------------------------------------------------

TEST_F(CANopenWindows, TheMainWindowCreatesTranslatesAndOpensThem)
{
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    struct Opened {
        QAbstractButton *button;
        TTable_Window *window;
        QString *path;
        const char *golden;
    } opened[] = {
        {main->Btn_PDO_CANopen, FSet_PDO_Access, &PDO_CANopen_File, "PDO_CANopen_golden.xml"},
        {main->Btn_SDO_Client_CANopen, FSet_SDO_Client_Access, &SDO_Client_CANopen_File, "SDO_Client_CANopen_golden.xml"},
        {main->Btn_SDO_Server_CANopen, FSet_SDO_Server_Access, &SDO_Server_CANopen_File, "SDO_Server_CANopen_golden.xml"},
    };
    Project_Path.clear();
    main->Set_Files();
    for (const Opened &o : opened) {
        ASSERT_NE(o.window, nullptr);
        ModalResponder responder;
        main->Btn_Click(o.button);
        EXPECT_EQ(responder.texts(), QStringList{"Error! Project not Valid"});
        EXPECT_FALSE(o.button->isVisibleTo(main));
    }
    Project_Path = dir.path();
    main->Set_Files();
    for (const Opened &o : opened) {
        SCOPED_TRACE(o.golden);
        writeFile(*o.path, fixture(o.golden));
        QWidget *seen = nullptr;
        QString shown;
        ModalResponder responder;
        responder.then([&](QWidget *w) {
            seen = w;
            shown = o.window->Grids[0]->Cells(1, 1);
            QTest::mouseClick(o.window->Btn_Cancel, Qt::LeftButton);
        });
        main->Btn_Click(o.button);
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(seen, o.window);
        EXPECT_FALSE(shown.isEmpty()) << "the file was loaded for the showing";
        EXPECT_FALSE(o.window->isVisible());
    }

    // A language file reaches each hidden window: caption, tab, title cell and hint.
    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "STR2500 = PDO-Zugriff\nSTR2514 = PDO empfangen\nSTR2517 = COB-Kennung\nSTR2543 = Die COB-Kennung\n"
              "STR2600 = SDO-Client\nSTR2615 = SDO schreiben\nSTR2628 = Geraet\nSTR2649 = Das Geraet\n"
              "STR2700 = SDO-Server\nSTR2714 = SDO lesen\nSTR2717 = Index!\nSTR2734 = Der Index\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    TFSet_PDO_Access &pdo = *FSet_PDO_Access;
    EXPECT_EQ(pdo.windowTitle(), QStringLiteral("PDO-Zugriff"));
    EXPECT_EQ(pdo.PageControl1->tabText(0), QStringLiteral("PDO empfangen"));
    EXPECT_EQ(header(*pdo.sga, 1), QStringLiteral("COB-Kennung"));
    EXPECT_EQ(titleHint(*pdo.sga, 1), QStringLiteral("Die COB-Kennung"));
    TFSet_SDO_Client_Access &client = *FSet_SDO_Client_Access;
    EXPECT_EQ(client.windowTitle(), QStringLiteral("SDO-Client"));
    EXPECT_EQ(client.PageControl1->tabText(1), QStringLiteral("SDO schreiben"));
    EXPECT_EQ(header(*client.sgb, 1), QStringLiteral("Geraet"));
    EXPECT_EQ(titleHint(*client.sgb, 1), QStringLiteral("Das Geraet"));
    TFSet_SDO_Server_Access &server = *FSet_SDO_Server_Access;
    EXPECT_EQ(server.windowTitle(), QStringLiteral("SDO-Server"));
    EXPECT_EQ(server.PageControl1->tabText(0), QStringLiteral("SDO lesen"));
    EXPECT_EQ(header(*server.sga, 1), QStringLiteral("Index!"));
    EXPECT_EQ(titleHint(*server.sga, 1), QStringLiteral("Der Index"));
    EXPECT_EQ(header(*server.sgb, 1), QStringLiteral("Index")) << "the other grid's slot";

    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(pdo.windowTitle(), QStringLiteral("Set PDO Access"));
    EXPECT_EQ(header(*client.sgb, 1), QStringLiteral("ID Device"));
    main->close();
}

// ---- how it looks ----------------------------------------------------------------------------------------------

// Both tabs of each window with its golden rows.
TEST_F(CANopenWindows, BothTabsOfEachWindowRender)
{
    writeFile(PDO_CANopen_File, fixture("PDO_CANopen_golden.xml"));
    writeFile(SDO_Client_CANopen_File, fixture("SDO_Client_CANopen_golden.xml"));
    writeFile(SDO_Server_CANopen_File, fixture("SDO_Server_CANopen_golden.xml"));
    TFSet_PDO_Access pdo;
    TFSet_SDO_Client_Access client;
    TFSet_SDO_Server_Access server;
    for (TTable_Window *w : std::initializer_list<TTable_Window *>{&pdo, &client, &server}) {
        open(*w);
        for (int tab = 0; tab < 2; ++tab) checkDrawing(*w, tab);
        w->hide();
    }
}
