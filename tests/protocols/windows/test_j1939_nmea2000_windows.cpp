// The J1939 and NMEA 2000 receive and transmit windows, shown and driven with the mouse and the
// keyboard: the untrimmed PGN key, the row kinds, the byte totals and their message without a row
// number, the loading defaults and "T_Type", byte-exact files, and their place in the program.
#include "protocols/UReceiveJ1939.h"
#include "protocols/UReceiveNMEA.h"
#include "protocols/UTransmitJ1939.h"
#include "protocols/UTransmitNMEA.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QLabel>
#include <functional>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

// A valid row of each table, by column.
const Cells kJ1939Receive{{1, "0"}, {2, "0xFEF1"}, {3, "0"}, {4, "N"}, {7, "N"}, {8, "N"}, {9, "1000"}, {10, "m"}};
const Cells kNMEAReceive{{1, "127250"}, {2, "0"}, {3, "N"}, {4, "N"}, {7, "N"}, {8, "m"}};
const Cells kJ1939Transmit{{1, "6"}, {2, "0"}, {3, "0xFEF1"}, {4, "0"}, {5, "8"}, {6, "N"}, {7, "N"}, {8, "N"}, {10, "m"}};
const Cells kNMEATransmit{{1, "2"}, {2, "129025"}, {3, "0"}, {4, "N"}, {5, "8"}, {6, "N"}, {7, "N"}, {8, "N"}, {10, "m"}};

using J1939Windows = TableWindowTest;

// Rows first .. last of the grid set to the same cells.
void fillRows(TNovaStringGrid &g, int first, int last, const Cells &cells)
{
    for (int r = first; r <= last; ++r) setCells(g, r, cells);
}

} // namespace

// ---- the frames ------------------------------------------------------------------------------------------

TEST_F(J1939Windows, LayoutAndTexts)
{
    struct Case {
        std::function<TTable_Window *()> make;
        const char *title;
        QSize size;
        int rows, cols;
        int col;                  // a column whose title and hint are checked
        const char *colTitle, *colHint;
        const char *okHint;
    };
    const Case cases[] = {
        {[] { return new TFReceiveJ1939; }, "Receive J1939 Frames", {876, 337}, 512, 11, 9, "Time(ms)",
         "Insert the Time Between Two Request for the J1939 Frame", "Confirm and save the J1939 Receive Frames List"},
        {[] { return new TFTransmitJ1939; }, "Transmit J1939 Frames", {800, 337}, 512, 11, 5, "N Bytes",
         "Insert the Number of Bytes for the J1939 Frame", "Confirm and save the J1939 Transmit Frames List"},
        {[] { return new TFReceiveNMEA; }, "Receive NMEA 2000 Frames", {810, 337}, 62, 9, 4, "Fast Packet",
         "Enable or Disable the Fast Packet Protocol for the NMEA 2000 Frame",
         "Confirm and save the NMEA 2000 Receive Frames List"},
        {[] { return new TFTransmitNMEA; }, "Transmit NMEA 2000 Frames", {810, 337}, 62, 11, 5, "Num Byte",
         "Insert the NMEA 2000 Frame Number of Bytes", "Confirm and save the J1939 Receive Frames List"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        std::unique_ptr<TTable_Window> w(c.make());
        open(*w);
        EXPECT_EQ(w->windowTitle(), QLatin1String(c.title));
        EXPECT_EQ(w->L_SW_Desc->text(), QLatin1String(c.title));
        EXPECT_EQ(w->size(), c.size);
        EXPECT_EQ(w->PageControl1, nullptr) << "one grid, no tab sheets";
        EXPECT_EQ(w->Btn_OK->toolTip(), QLatin1String(c.okHint));
        EXPECT_EQ(w->Btn_PasteRow->text(), QStringLiteral("Paste Row"));
        auto &g = *static_cast<TNovaColumnGrid *>(w->Grids[0]);
        EXPECT_EQ(g.objectName(), QStringLiteral("sga"));
        EXPECT_EQ(g.RowCount(), c.rows + 1);
        EXPECT_EQ(g.AllColCount(), c.cols);
        EXPECT_EQ(header(g, 0), QStringLiteral("N"));
        EXPECT_EQ(header(g, c.col), QLatin1String(c.colTitle));
        EXPECT_EQ(titleHint(g, c.col), QLatin1String(c.colHint));
        // Numbered, cleared rows without a "Y".
        EXPECT_EQ(g.Cells(0, c.rows), QString::number(c.rows));
        EXPECT_EQ(tabletest::rowCells(g, 1, 1, c.cols - 1), QStringList(c.cols - 1, QString()));
        // The insert button gives an empty row; the delete question carries the row number.
        g.SetCells(c.cols - 1, 1, QStringLiteral("kept"));
        clickCell(g, 1, 1);
        EXPECT_EQ(click(w->Btn_InsRow), QStringList());
        EXPECT_EQ(tabletest::rowCells(g, 1, 1, c.cols - 1), QStringList(c.cols - 1, QString()));
        EXPECT_EQ(g.Cells(c.cols - 1, 2), QStringLiteral("kept"));
        clickCell(g, 1, 2);
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w->Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 2"});
        EXPECT_EQ(g.Cells(c.cols - 1, 2), QString());
        w->hide();
    }

    TFReceiveJ1939 rx;
    open(rx);
    EXPECT_EQ(rx.NUM_BYTE_IN, 1440);
    EXPECT_EQ(rx.sga->Columns()->Items(1)->Editor(), edComboList);
    EXPECT_EQ(rx.sga->Columns()->Items(1)->ComboItems(), (QStringList{"0", "1"}));
    for (int c : {4, 7, 8}) EXPECT_EQ(rx.sga->Columns()->Items(c)->Editor(), edDataCheckBox) << c;
    EXPECT_EQ(rx.Hint_ReceiveJ1939.size(), 10);
    rx.hide();
    TFTransmitJ1939 tx;
    open(tx);
    EXPECT_EQ(tx.NUM_BYTE_OUT, 512);
    EXPECT_EQ(tx.sga->Columns()->Items(2)->ComboItems(), (QStringList{"0", "1"}));
    EXPECT_EQ(tx.Hint_TransmitJ1939.size(), 10);
    tx.hide();
    TFReceiveNMEA nrx;
    open(nrx);
    EXPECT_EQ(nrx.NUM_BYTE_IN, 512);
    EXPECT_EQ(nrx.Hint_ReceiveNMEA.size(), 8);
    nrx.hide();
    TFTransmitNMEA ntx;
    open(ntx);
    EXPECT_EQ(ntx.NUM_BYTE_OUT, 512);
    EXPECT_EQ(ntx.sga->Columns()->Items(4)->Editor(), edDataCheckBox);
    EXPECT_EQ(ntx.Hint_TransmitNMEA.size(), 10);
    ntx.hide();
}

// ---- receive checks ---------------------------------------------------------------------------------------

TEST_F(J1939Windows, J1939ReceiveChecksInOrder)
{
    TFReceiveJ1939 w;
    const char *pgn = "Error in row 1!! PGN must be between 0x0000 and 0xFFFF";
    const char *start1785 = "Error in row 1!! Start Byte must be between 0 and 1785";
    const char *sum1785 = "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785";
    const char *both = "Error in row 1!! Start Byte and Number Bytes must be both compiled";
    const char *start8 = "Error in row 1!! The Start Byte must be between 1 and 8";
    const char *n8 = "Error in row 1!! The Number Bytes must be between 1 and 8";
    const char *time = "Error in row 1!! Time(ms) must be between 0 and 10000000";
    // Each case also breaks the next check, which therefore comes later.
    runChecks(w, 0, kJ1939Receive,
              {
                  {{{1, ""}, {2, "65536"}}, "Error in row 1!! Data Page must be 0 or 1"},
                  {{{1, "7"}}, nullptr}, // the value itself is not tested
                  {{{2, "65536"}, {3, "240"}}, pgn},
                  {{{2, " "}}, pgn}, // blanks are a PGN, and no number
                  {{{2, "5 "}}, pgn},
                  {{{2, "0x1F"}}, nullptr},
                  {{{2, "$1F"}}, nullptr},
                  {{{2, " 31"}}, nullptr},
                  {{{3, "240"}, {4, "Y"}, {5, "1786"}}, "Error in row 1!! Source Address must be between 0 and 239"},
                  {{{3, "239"}}, nullptr},
                  // Transport-protocol rows.
                  {{{4, "Y"}, {5, "1786"}, {6, "-1"}}, start1785},
                  {{{4, "Y"}, {5, ""}, {6, ""}}, start1785},
                  {{{4, "Y"}, {5, "0"}, {6, "-1"}}, sum1785},
                  {{{4, "Y"}, {5, "1000"}, {6, "786"}}, sum1785},
                  {{{4, "Y"}, {5, "1000"}, {6, "785"}}, nullptr},
                  {{{4, "Y"}, {5, "0"}, {6, "0"}}, nullptr},
                  // Single-frame rows.
                  {{{5, "3"}}, both},
                  {{{6, "3"}, {5, "  "}}, both},
                  {{{5, " "}, {6, "  "}}, nullptr}, // both blank: a whole frame
                  {{{5, "0"}, {6, "1"}}, start8},
                  {{{5, "9"}, {6, "9"}}, start8},
                  {{{5, "1"}, {6, "9"}}, n8},
                  {{{5, "1"}, {6, "x"}}, n8},
                  {{{5, "3"}, {6, "6"}}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
                  {{{5, "3"}, {6, "5"}}, nullptr},
                  // The request timer, only with On Request ticked.
                  {{{8, "Y"}, {9, "10000001"}}, time},
                  {{{8, "Y"}, {9, "x"}}, time},
                  {{{8, "Y"}, {9, "-1"}}, time},
                  {{{8, "Y"}, {9, "0"}}, nullptr},
                  {{{8, "Y"}, {9, "1"}}, nullptr},
                  {{{8, "Y"}, {9, "10000000"}}, nullptr},
                  {{{8, "N"}, {9, "x"}}, nullptr},
                  {{{4, "y"}, {5, "0"}, {6, "100"}}, start8}, // "y" is no tick: a single frame
              });
}

TEST_F(J1939Windows, NMEA2000ReceiveChecksInOrder)
{
    TFReceiveNMEA w;
    runChecks(w, 0, kNMEAReceive,
              {
                  {{{1, "131072"}, {2, "240"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
                  {{{1, "  "}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
                  {{{1, "131071"}}, nullptr},
                  {{{2, "240"}, {3, "Y"}, {5, "1786"}}, "Error in row 1!! Source Address must be between 0 and 239"},
                  {{{3, "Y"}, {5, "1786"}, {6, "0"}}, "Error in row 1!! Start Byte must be between 0 and 1785"},
                  {{{3, "Y"}, {5, "1"}, {6, "1785"}}, "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785"},
                  {{{3, "Y"}, {5, "1"}, {6, "500"}}, nullptr},
                  {{{4, "Y"}, {5, "224"}, {6, "0"}}, "Error in row 1!! Start Byte must be between 0 and 223"},
                  {{{4, "Y"}, {5, "200"}, {6, "24"}}, "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 223"},
                  {{{4, "Y"}, {5, "0"}, {6, "-1"}}, "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 223"},
                  {{{4, "Y"}, {5, "200"}, {6, "23"}}, nullptr},
                  // Both boxes ticked: a transport-protocol row only.
                  {{{3, "Y"}, {4, "Y"}, {5, "200"}, {6, "24"}}, nullptr},
                  {{{5, "1"}}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
                  {{{5, "0"}, {6, "1"}}, "Error in row 1!! The Start Byte must be between 1 and 8"},
                  {{{5, "1"}, {6, "0"}}, "Error in row 1!! The Number Bytes must be between 1 and 8"},
                  {{{5, "4"}, {6, "5"}}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
                  {{{5, "4"}, {6, "4"}}, nullptr},
              });
}

// The receive totals: a single-frame row counts its N Byte (a whole frame when both cells are blank),
// a multi-packet row its N Byte; the total's message names no row.
TEST_F(J1939Windows, ReceiveByteTotals)
{
    TFReceiveJ1939 j;
    open(j);
    const Cells blank{{1, "0"}, {2, "1"}, {3, "0"}};
    fillRows(*j.sga, 1, 180, blank);
    EXPECT_EQ(click(j.Btn_OK), QStringList()) << "180 whole frames: 1440 bytes";
    open(j);
    fillRows(*j.sga, 1, 181, blank);
    EXPECT_EQ(click(j.Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 1440"});
    // The row's own checks come first, the request timer after the total.
    j.sga->SetCells(3, 181, QStringLiteral("240"));
    EXPECT_EQ(click(j.Btn_OK), QStringList{"Error in row 181!! Source Address must be between 0 and 239"});
    setCells(*j.sga, 181, {{3, "0"}, {8, "Y"}, {9, "x"}});
    EXPECT_EQ(click(j.Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 1440"});
    // Start Byte 1 and N Byte 7 count 7 bytes, not 15: 205 such rows and one of 5 bytes make 1440.
    fillRows(*j.sga, 1, 205, {{1, "0"}, {2, "1"}, {3, "0"}, {5, "1"}, {6, "7"}, {8, "N"}});
    setCells(*j.sga, 206, {{1, "0"}, {2, "1"}, {3, "0"}, {5, "1"}, {6, "5"}});
    EXPECT_EQ(click(j.Btn_OK), QStringList());
    open(j);
    EXPECT_EQ(j.sga->Cells(6, 205), QStringLiteral("7"));
    j.sga->SetCells(6, 206, QStringLiteral("6"));
    EXPECT_EQ(click(j.Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 1440"});
    // A transport-protocol row counts its N Byte.
    for (int r = 1; r <= 206; ++r)
        for (int c = 1; c <= 10; ++c) j.sga->SetCells(c, r, QString());
    setCells(*j.sga, 1, {{1, "0"}, {2, "1"}, {3, "0"}, {4, "Y"}, {5, "0"}, {6, "1432"}});
    setCells(*j.sga, 2, blank);
    EXPECT_EQ(click(j.Btn_OK), QStringList());
    open(j);
    j.sga->SetCells(6, 1, QStringLiteral("1433"));
    EXPECT_EQ(click(j.Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 1440"});
    j.hide();

    TFReceiveNMEA n;
    open(n);
    // 32 single frames of 7 bytes given by Start Byte 1 and N Byte 7, then 288 bytes of transport protocol.
    fillRows(*n.sga, 1, 32, {{1, "1"}, {2, "0"}, {5, "1"}, {6, "7"}});
    setCells(*n.sga, 33, {{1, "2"}, {2, "0"}, {3, "Y"}, {5, "0"}, {6, "288"}});
    EXPECT_EQ(click(n.Btn_OK), QStringList()) << "512 bytes";
    open(n);
    setCells(*n.sga, 34, {{1, "3"}, {2, "0"}, {4, "Y"}, {5, "0"}, {6, "1"}});
    EXPECT_EQ(click(n.Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 512"});
    n.sga->SetCells(6, 34, QStringLiteral("0"));
    EXPECT_EQ(click(n.Btn_OK), QStringList()) << "a fast packet of 0 bytes";
}

// ---- transmit checks -----------------------------------------------------------------------------------------

TEST_F(J1939Windows, J1939TransmitChecksInOrder)
{
    TFTransmitJ1939 w;
    const char *bytes = "Error in row 1!! Num Byte must be between 0 and 512";
    const char *timer = "Error in row 1!! Send Timer must be between 1 and 65535 ms";
    runChecks(w, 0, kJ1939Transmit,
              {
                  {{{1, ""}, {2, ""}}, "Error in row 1!! Priority must be between 0 and 7"},
                  {{{1, "8"}}, "Error in row 1!! Priority must be between 0 and 7"},
                  {{{1, "7"}}, nullptr},
                  {{{2, ""}, {3, "131072"}}, "Error in row 1!! Data Page must be 0 or 1"},
                  {{{3, "131072"}, {4, "256"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
                  {{{3, "131071"}}, nullptr},
                  {{{4, "256"}, {5, "513"}}, "Error in row 1!! Source Address must be between 0 and 255"},
                  {{{4, "250"}}, nullptr},
                  {{{5, "513"}, {8, "Y"}, {9, "0"}}, bytes},
                  {{{5, "-1"}}, bytes},
                  {{{5, ""}}, bytes},
                  {{{5, "0"}}, nullptr},
                  {{{5, "512"}}, nullptr},
                  {{{8, "Y"}, {9, "0"}}, timer},
                  {{{8, "Y"}, {9, "65536"}}, timer},
                  {{{8, "Y"}, {9, ""}}, timer},
                  {{{8, "Y"}, {9, "65535"}}, nullptr},
                  {{{8, "N"}, {9, ""}, {6, "x"}, {7, "Y"}}, nullptr},
              });
}

TEST_F(J1939Windows, NMEA2000TransmitChecksInOrder)
{
    TFTransmitNMEA w;
    runChecks(w, 0, kNMEATransmit,
              {
                  {{{1, "-1"}, {2, "131072"}}, "Error in row 1!! Priority must be between 0 and 7"},
                  {{{2, "131072"}, {3, "250"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
                  {{{3, "250"}, {5, "513"}}, "Error in row 1!! Source Address must be between 0 and 239"},
                  {{{3, "239"}}, nullptr},
                  {{{5, "513"}, {8, "Y"}}, "Error in row 1!! Num Byte must be between 0 and 512"},
                  {{{8, "Y"}, {9, "0"}}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
                  {{{8, "Y"}, {9, "1"}}, nullptr},
                  {{{4, "Y"}, {5, "0"}}, nullptr},
              });
}

TEST_F(J1939Windows, TransmitByteTotals)
{
    TFTransmitJ1939 j;
    TFTransmitNMEA n;
    for (TTable_Window *w : std::initializer_list<TTable_Window *>{&j, &n}) {
        SCOPED_TRACE(w->objectName().toStdString());
        const Cells &valid = w == &j ? kJ1939Transmit : kNMEATransmit;
        open(*w);
        TNovaStringGrid &g = *w->Grids[0];
        setCells(g, 1, valid);
        setCells(g, 2, valid);
        g.SetCells(5, 1, QStringLiteral("300"));
        g.SetCells(5, 2, QStringLiteral("300"));
        EXPECT_EQ(click(w->Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 512"});
        g.SetCells(5, 1, QStringLiteral("512"));
        g.SetCells(5, 2, QStringLiteral("1"));
        EXPECT_EQ(click(w->Btn_OK), QStringList{"Error!! Too many bytes of data, the max number is 512"}) << "513 bytes";
        g.SetCells(5, 2, QStringLiteral("0"));
        EXPECT_EQ(click(w->Btn_OK), QStringList());
        EXPECT_FALSE(w->isVisible());
    }
}

// ---- the key and the written table ------------------------------------------------------------------------

TEST_F(J1939Windows, ThePGNKeyIsTheCellAsItStands)
{
    TFReceiveJ1939 w;
    open(w);
    // Row 1 without a PGN: a root without rows.
    setCells(*w.sga, 2, kJ1939Receive);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(J1939_Rec_Frames_File).toStdString(), "<Receive_J1939/><!--SW_VERSION = 1.000-->");
    EXPECT_XMLLINT_READS(J1939_Rec_Frames_File);

    // A PGN of blanks does not end the table: it is checked, and refused.
    open(w);
    setCells(*w.sga, 1, kJ1939Receive);
    setCells(*w.sga, 2, kJ1939Receive);
    w.sga->SetCells(2, 2, QStringLiteral(" "));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error in row 2!! PGN must be between 0x0000 and 0xFFFF"});
    // A PGN with leading blanks is a number, and is saved with its blanks; below the empty row 3 nothing counts.
    w.sga->SetCells(2, 2, QStringLiteral(" 31"));
    setCells(*w.sga, 4, {{1, ""}, {2, "bad"}});
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray saved = readAll(J1939_Rec_Frames_File);
    EXPECT_EQ(saved.count("<row "), 2);
    EXPECT_TRUE(saved.contains("PGN=\" 31\"")) << saved.toStdString();
}

// The written table ends where the check ends: a row with a Priority and no PGN, and the rows below,
// are neither checked nor written.
TEST_F(J1939Windows, TransmitFilesEndAtTheFirstEmptyPGN)
{
    TFTransmitJ1939 j;
    open(j);
    setCells(*j.sga, 1, kJ1939Transmit);
    setCells(*j.sga, 2, {{1, "3"}, {2, "x"}, {5, "9999"}});
    setCells(*j.sga, 3, kJ1939Transmit);
    EXPECT_EQ(click(j.Btn_OK), QStringList());
    EXPECT_EQ(readAll(J1939_Send_Frames_File).toStdString(),
              "<Transmit_J1939><row Priority=\"6\" DP=\"0\" PGN=\"0xFEF1\" SA=\"0\" TP_NByte=\"8\" On_Request=\"N\" "
              "On_Data_Change=\"N\" On_Timer=\"N\" SendTimer=\"\" Mnemonic=\"m\"/></Transmit_J1939><!--SW_VERSION = 1.000-->");
    EXPECT_XMLLINT_READS(J1939_Send_Frames_File);

    TFTransmitNMEA n;
    open(n);
    setCells(*n.sga, 1, {{1, "4"}});
    setCells(*n.sga, 2, kNMEATransmit);
    EXPECT_EQ(click(n.Btn_OK), QStringList());
    EXPECT_EQ(readAll(NMEA_Send_Frames_File).toStdString(), "<Receive_NMEA_2000/><!--SW_VERSION = 1.000-->");
}

// ---- the files ---------------------------------------------------------------------------------------------------

TEST_F(J1939Windows, LoadingDefaultsAndTheOlderTriggerAttribute)
{
    writeFile(J1939_Rec_Frames_File, fixture("J1939_Rec_Frames_in.xml"));
    TFReceiveJ1939 rx;
    open(rx);
    // A row without "TP", "Delete", "OnRequest" and "OnReq_Time".
    EXPECT_EQ(tabletest::rowCells(*rx.sga, 2, 1, 10),
              (QStringList{"1", "$1F", "239", "N", "2", "4", "N", "N", "1000", "defaults"}));
    rx.hide();

    writeFile(J1939_Send_Frames_File, fixture("J1939_Send_Frames_in.xml"));
    TFTransmitJ1939 tx;
    open(tx);
    // Without "TP_NByte", or with it empty: a whole frame. "T_Type" in any letter case ticks its box only.
    EXPECT_EQ(tabletest::rowCells(*tx.sga, 2, 5, 9), (QStringList{"8", "N", "N", "Y", "50"})) << "on timer";
    EXPECT_EQ(tabletest::rowCells(*tx.sga, 3, 5, 9), (QStringList{"8", "N", "Y", "N", ""}))
        << "\"On Data Change\", the three attributes not read";
    EXPECT_EQ(tabletest::rowCells(*tx.sga, 4, 5, 9), (QStringList{"0", "N", "N", "N", ""})) << "any other value";
    tx.hide();

    writeFile(NMEA_Send_Frames_File, fixture("NMEA_Send_Frames_in.xml"));
    TFTransmitNMEA ntx;
    open(ntx);
    EXPECT_EQ(tabletest::rowCells(*ntx.sga, 2, 4, 9), (QStringList{"Y", "43", "N", "N", "N", ""}))
        << "NMEA 2000 knows no \"T_Type\"";
    ntx.hide();
    writeFile(NMEA_Send_Frames_File, "<Receive_NMEA_2000><row Priority=\"1\" PGN=\"1\"/></Receive_NMEA_2000>");
    open(ntx);
    EXPECT_EQ(ntx.sga->Cells(5, 1), QString()) << "no \"8\" for NMEA 2000";
    ntx.hide();
}

TEST_F(J1939Windows, FilesRoundTripByteExact)
{
    struct Case {
        const char *in, *golden;
        QString *path;
        std::function<TTable_Window *()> make;
        int col, row;
        QString typed;
    };
    const Case cases[] = {
        {"J1939_Rec_Frames_in.xml", "J1939_Rec_Frames_golden.xml", &J1939_Rec_Frames_File,
         [] { return new TFReceiveJ1939; }, 3, 1, "17"},
        {"J1939_Send_Frames_in.xml", "J1939_Send_Frames_golden.xml", &J1939_Send_Frames_File,
         [] { return new TFTransmitJ1939; }, 9, 1, "200"},
        {"NMEA_Rec_Frames_in.xml", "NMEA_Rec_Frames_golden.xml", &NMEA_Rec_Frames_File,
         [] { return new TFReceiveNMEA; }, 2, 1, "1"},
        {"NMEA_Send_Frames_in.xml", "NMEA_Send_Frames_golden.xml", &NMEA_Send_Frames_File,
         [] { return new TFTransmitNMEA; }, 9, 1, "65535"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.golden);
        writeFile(*c.path, fixture(c.in));
        std::unique_ptr<TTable_Window> w(c.make());
        {
            ModalResponder quiet;
            open(*w);
            EXPECT_EQ(quiet.texts(), QStringList());
        }
        typeInto(*w->Grids[0], c.col, c.row, c.typed);
        ASSERT_EQ(w->Grids[0]->Cells(c.col, c.row), c.typed);
        EXPECT_EQ(click(w->Btn_OK), QStringList());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Accepted);
        const QByteArray golden = fixture(c.golden);
        EXPECT_EQ(readAll(*c.path).toStdString(), golden.toStdString());
        EXPECT_XMLLINT_READS(*c.path);
        open(*w);
        EXPECT_EQ(click(w->Btn_OK), QStringList());
        EXPECT_EQ(readAll(*c.path).toStdString(), golden.toStdString());
    }
}

TEST_F(J1939Windows, AFileThatCannotBeReadIsReportedAndKept)
{
    const QByteArray broken = "<Receive_J1939><row DP=\"0\" PGN=\"1\">";
    writeFile(J1939_Rec_Frames_File, broken);
    TFReceiveJ1939 w;
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(J1939_Rec_Frames_File + QStringLiteral(", line 1: ")));
    EXPECT_EQ(readAll(J1939_Rec_Frames_File + QStringLiteral(".bad")), broken);
    EXPECT_EQ(w.sga->Cells(2, 1), QString());
    w.hide();
}

TEST_F(J1939Windows, AFailedSaveSaysWhyAndKeepsTheWindowOpen)
{
    TFReceiveJ1939 rx;
    TFTransmitJ1939 tx;
    TFReceiveNMEA nrx;
    TFTransmitNMEA ntx;
    const std::pair<TTable_Window *, QString *> windows[] = {{&rx, &J1939_Rec_Frames_File},
                                                             {&tx, &J1939_Send_Frames_File},
                                                             {&nrx, &NMEA_Rec_Frames_File},
                                                             {&ntx, &NMEA_Send_Frames_File}};
    for (const auto &[w, path] : windows) {
        SCOPED_TRACE(path->toStdString());
        checkFailedSave(*w, *path);
    }
}

// Each window with the rows of its test file.
TEST_F(J1939Windows, EachWindowRenders)
{
    writeFile(J1939_Rec_Frames_File, fixture("J1939_Rec_Frames_in.xml"));
    writeFile(J1939_Send_Frames_File, fixture("J1939_Send_Frames_in.xml"));
    writeFile(NMEA_Rec_Frames_File, fixture("NMEA_Rec_Frames_in.xml"));
    writeFile(NMEA_Send_Frames_File, fixture("NMEA_Send_Frames_in.xml"));
    TFReceiveJ1939 rx;
    TFTransmitJ1939 tx;
    TFReceiveNMEA nrx;
    TFTransmitNMEA ntx;
    for (TTable_Window *w : std::initializer_list<TTable_Window *>{&rx, &tx, &nrx, &ntx}) {
        open(*w);
        checkDrawing(*w, 0);
        w->hide();
    }
}

// ---- in the program ----------------------------------------------------------------------------------------

TEST_F(J1939Windows, TheMainWindowCreatesAndTranslatesThem)
{
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    ASSERT_NE(FReceiveJ1939, nullptr);
    ASSERT_NE(FTransmitJ1939, nullptr);
    ASSERT_NE(FReceiveNMEA, nullptr);
    ASSERT_NE(FTransmitNMEA, nullptr);
    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "STR2800 = J1939 empfangen\nSTR2816 = PGN!\nSTR2826 = Die PGN\n"
              "STR2900 = J1939 senden\nSTR2915 = Prioritaet\nSTR2925 = Die Prioritaet\n"
              "STR3000 = NMEA 2000 empfangen\nSTR3018 = Schnell\nSTR3026 = Schnelles Paket\n"
              "STR3100 = NMEA 2000 senden\nSTR3124 = Notiz\nSTR3134 = Eine Notiz\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    struct Case {
        TTable_Window *w;
        const char *title;
        int col;
        const char *colTitle, *hint;
    } cases[] = {
        {FReceiveJ1939, "J1939 empfangen", 2, "PGN!", "Die PGN"},
        {FTransmitJ1939, "J1939 senden", 1, "Prioritaet", "Die Prioritaet"},
        {FReceiveNMEA, "NMEA 2000 empfangen", 4, "Schnell", "Schnelles Paket"},
        {FTransmitNMEA, "NMEA 2000 senden", 10, "Notiz", "Eine Notiz"},
    };
    for (const Case &c : cases) {
        EXPECT_FALSE(c.w->isVisible());
        EXPECT_EQ(c.w->windowTitle(), QLatin1String(c.title));
        auto &g = *static_cast<TNovaColumnGrid *>(c.w->Grids[0]);
        EXPECT_EQ(header(g, c.col), QLatin1String(c.colTitle)) << c.title;
        EXPECT_EQ(titleHint(g, c.col), QLatin1String(c.hint)) << c.title;
    }
    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(FTransmitNMEA->windowTitle(), QStringLiteral("Transmit NMEA 2000 Frames"));
    main->close();
}
