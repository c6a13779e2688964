// The CAN receive and transmit frame tables, shown and driven as the user does: every frame rule with
// its one error box, the transmit defaults of a loaded row, the byte-exact file round trip, the row
// buttons, and both windows opened by the main window's buttons.
#include "protocols/UReceiveCAN.h"
#include "protocols/UTransmitCAN.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QGuiApplication>
#include <QScreen>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

class CANWindows : public TableWindowTest {
protected:
    // Each case over a valid row 1: OK gives exactly the case's box, or passes and closes the window.
    static void runChecks(TTable_Window &w, const Cells &valid, const std::vector<CheckCase> &cases)
    {
        TNovaStringGrid &g = *w.Grids[0];
        for (size_t i = 0; i < cases.size(); ++i) {
            const CheckCase &c = cases[i];
            showQuietly(w, i);
            for (int r = 1; r <= 3; ++r)
                for (int col = 2; col < g.AllColCount(); ++col) g.SetCells(col, r, QString());
            setCells(g, 1, valid);
            setCells(g, 1, c.cells);
            expectOk(w, c.message, i);
        }
        w.hide();
    }
};

// Receive columns: 1 Enable, 2 CobID, 3 Type, 4 Dimension, 5 TimeOut, 6..13 Byte1..Byte8, 14 Mnemonic.
const Cells kValidReceive{{1, "Y"}, {2, "100"}, {3, "2.0A (11 bits)"}, {4, "2"}, {5, "0"}, {6, "0"}, {7, "None"}};

TEST_F(CANWindows, ReceiveChecksEveryFrameRule)
{
    TFReceiveCAN w;
    const char *byte1 = "Error row 1!! Byte1 must be between 0 and 1439 or None";
    runChecks(w, kValidReceive,
              {
                  {{{2, "2047"}}, nullptr},
                  {{{2, "2048"}}, "Error row 1!! CobID must be between 0 and 2047"},
                  {{{2, "-1"}}, "Error row 1!! CobID must be between 0 and 2047"},
                  // Any Type but the exact 2.0A text is 2.0B.
                  {{{3, ""}, {2, "2048"}}, nullptr},
                  {{{3, "2.0a (11 bits)"}, {2, "2048"}}, nullptr},
                  {{{3, " 2.0A (11 bits) "}, {2, "2048"}}, "Error row 1!! CobID must be between 0 and 2047"},
                  {{{3, "2.0B (29 bits)"}, {2, "0x1FFFFFFF"}}, nullptr},
                  {{{3, "2.0B (29 bits)"}, {2, "536870912"}}, "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
                  {{{3, "2.0B (29 bits)"}, {2, "-5"}}, "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
                  // Hexadecimal with either prefix, letters in either case.
                  {{{2, "0x7FF"}}, nullptr},
                  {{{2, "$7ff"}}, nullptr},
                  {{{2, "x7FF"}}, nullptr},
                  {{{2, "0x800"}}, "Error row 1!! CobID must be between 0 and 2047"},
                  {{{2, "12 "}}, "Error row 1!! CobID must be between 0 and 2047"},
                  {{{4, "0"}}, "Error row 1!! Dimension must be between 1 and 8"},
                  {{{4, "9"}}, "Error row 1!! Dimension must be between 1 and 8"},
                  {{{4, ""}}, "Error row 1!! Dimension must be between 1 and 8"},
                  {{{5, ""}}, "Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
                  {{{5, "100000000"}}, nullptr},
                  {{{5, "100000001"}}, "Error row 1!! TimeOut must be between 0 and 100000000 milliseconds"},
                  // Bytes beyond the Dimension are not checked.
                  {{{4, "2"}, {8, "5000"}}, nullptr},
                  {{{4, "8"}, {13, "1439"}}, nullptr},
                  {{{4, "8"}, {13, "1440"}}, "Error row 1!! Byte8 must be between 0 and 1439 or None"},
                  {{{6, " None "}}, nullptr},
                  {{{6, ""}}, nullptr},
                  {{{6, "none"}}, byte1},
                  {{{6, "-1"}}, byte1},
                  {{{7, "1440"}}, "Error row 1!! Byte2 must be between 0 and 1439 or None"},
                  // Enable trimmed and upper-cased; a disabled row is skipped.
                  {{{1, "y"}, {4, "0"}}, "Error row 1!! Dimension must be between 1 and 8"},
                  {{{1, "N"}, {4, "0"}}, nullptr},
              });
}

TEST_F(CANWindows, TheMessageNamesTheRowAndTheCheckStopsAtTheFirstEmptyCobID)
{
    TFReceiveCAN w;
    open(w);
    TNovaColumnGrid &g = *w.NCG_CAN_Receive;
    for (int r = 1; r <= 3; ++r) setCells(g, r, kValidReceive);
    g.SetCells(4, 3, QStringLiteral("9"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 3!! Dimension must be between 1 and 8"});
    g.SetCells(2, 2, QString()); // row 3 lies beyond the table now
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(CAN_Rec_Frames_File).count("<row "), 1);
}

// Transmit columns: 1 Enable, 2 CobID, 3 Type, 4 Dimension, 5 OnChange, 6 OnCMD, 7 OnTimer, 8 Time,
// 9..16 Byte1..Byte8, 17 Mnemonic.
const Cells kValidTransmit{{1, "Y"}, {2, "100"}, {3, "2.0A (11 bits)"}, {4, "1"}, {5, "Y"},
                           {6, "N"}, {7, "N"},   {8, ""},    {9, "0"}};

TEST_F(CANWindows, TransmitChecksEveryFrameRule)
{
    TFTransmitCAN w;
    const char *time = "Error row 1!! Time must be between 0 and 100000000 milliseconds";
    runChecks(w, kValidTransmit,
              {
                  {{{2, "2048"}}, "Error row 1!! CobID must be between 0 and 2047"},
                  {{{3, "2.0B (29 bits)"}, {2, "536870912"}}, "Error row 1!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
                  {{{4, "9"}}, "Error row 1!! Dimension must be between 1 and 8"},
                  // Time only with OnTimer.
                  {{{7, "N"}, {8, "abc"}}, nullptr},
                  {{{7, "Y"}, {8, ""}}, time},
                  {{{7, "y"}, {8, ""}}, time},
                  {{{7, "Y"}, {8, "100000000"}}, nullptr},
                  {{{7, "Y"}, {8, "100000001"}}, time},
                  // No trigger at all still passes.
                  {{{5, "N"}, {6, "N"}, {7, "N"}}, nullptr},
                  {{{9, "none"}}, "Error row 1!! Byte1 must be between 0 and 1439 or None"},
                  {{{9, " None "}}, nullptr},
                  {{{4, "3"}, {11, "1440"}}, "Error row 1!! Byte3 must be between 0 and 1439 or None"},
                  {{{4, "2"}, {11, "1440"}}, nullptr},
              });
}

// ---- files --------------------------------------------------------------------------------------------

TEST_F(CANWindows, TransmitRowsGetTheirDefaultsOnLoadAndRoundTripByteExact)
{
    writeFile(CAN_Send_Frames_File,
              "<Transmit_Frames><row COBID=\"5\" Dim=\"1\" Byte1=\"0\" Mnemonic=\"bare\"/>"
              "<row Enable=\"N\" COBID=\"6\" CAN_Type=\"2.0B (29 bits)\" Dim=\"2\" OnChange=\"N\" OnCMD=\"Y\" "
              "OnTimer=\"Y\" Byte1=\"None\" Byte2=\"7\" Mnemonic=\"T &amp; &quot;x&quot;\"/></Transmit_Frames>");
    TFTransmitCAN w;
    open(w);
    TNovaColumnGrid &g = *w.NCG_CAN_Transmit;
    EXPECT_EQ(tabletest::rowCells(g, 1, 1, 9), (QStringList{"Y", "5", "2.0A (11 bits)", "1", "Y", "N", "N", "", "0"}));
    EXPECT_EQ(tabletest::rowCells(g, 2, 1, 8), (QStringList{"N", "6", "2.0B (29 bits)", "2", "N", "Y", "Y", "0"}))
        << "a timer row without Time gets 0";
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray golden =
        "<Transmit_Frames><row Enable=\"Y\" COBID=\"5\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"Y\" "
        "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" Byte1=\"0\" Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" "
        "Byte7=\"\" Byte8=\"\" Mnemonic=\"bare\"/><row Enable=\"N\" COBID=\"6\" CAN_Type=\"2.0B (29 bits)\" "
        "Dim=\"2\" OnChange=\"N\" OnCMD=\"Y\" OnTimer=\"Y\" Time=\"0\" Byte1=\"None\" Byte2=\"7\" Byte3=\"\" "
        "Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"T &amp; &quot;x&quot;\"/>"
        "</Transmit_Frames><!--SW_VERSION = 1.004-->";
    EXPECT_EQ(readAll(CAN_Send_Frames_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(CAN_Send_Frames_File);
    open(w);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(CAN_Send_Frames_File).toStdString(), golden.toStdString()) << "its own file reads back unchanged";
}

TEST_F(CANWindows, ReceiveRowsGetTheirDefaultsOnLoadAndRoundTripByteExact)
{
    writeFile(CAN_Rec_Frames_File, "<Receive_Frames><row COBID=\"0x10\" Dim=\"1\"/></Receive_Frames>");
    TFReceiveCAN w;
    open(w);
    TNovaColumnGrid &g = *w.NCG_CAN_Receive;
    EXPECT_EQ(tabletest::rowCells(g, 1, 1, 6), (QStringList{"Y", "0x10", "", "1", "0", ""}))
        << "Enable Y and TimeOut 0 when missing; the Type stays empty";
    EXPECT_EQ(g.Cells(0, 512), QStringLiteral("512"));
    EXPECT_EQ(click(w.Btn_OK), QStringList()) << "an empty Type is 2.0B";
    const QByteArray golden =
        "<Receive_Frames><row Enable=\"Y\" COBID=\"0x10\" CAN_Type=\"\" Dim=\"1\" TimeOut=\"0\" Byte1=\"\" "
        "Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"\"/>"
        "</Receive_Frames><!--SW_VERSION = 1.004-->";
    EXPECT_EQ(readAll(CAN_Rec_Frames_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(CAN_Rec_Frames_File);
}

TEST_F(CANWindows, RowButtonsAndByteLists)
{
    TFTransmitCAN w;
    open(w);
    TNovaColumnGrid &g = *w.NCG_CAN_Transmit;
    for (int r = 1; r <= 7; ++r) setCells(g, r, {{2, QString::number(r)}});
    clickCell(g, 17, 7);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 7"});
    }
    clickCell(g, 17, 1);
    click(w.Btn_InsRow);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Y")) << "an inserted row is enabled";
    EXPECT_EQ(g.Cells(2, 1), QString());
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("1"));
    w.hide();
}

// ---- in the program ------------------------------------------------------------------------------------

TEST_F(CANWindows, TheMainWindowsHiddenButtonsOpenThem)
{
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    Project_Path = dir.path();
    main->Set_Files();
    const struct {
        QWidget *button;
        TTable_Window *window;
    } cases[] = {{main->Btn_CAN_Rec_Frame, FReceiveCAN}, {main->Btn_CAN_Send_Frame, FTransmitCAN}};
    for (const auto &c : cases) {
        ASSERT_NE(c.window, nullptr);
        EXPECT_FALSE(c.button->isVisibleTo(main));
        QWidget *seen = nullptr;
        ModalResponder responder;
        responder.then([&](QWidget *w) {
            seen = w;
            QTest::mouseClick(c.window->Btn_Cancel, Qt::LeftButton);
        });
        main->Btn_Click(c.button);
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(seen, c.window);
    }
    main->close();
}

// ---- how it looks --------------------------------------------------------------------------------------

// With CFG_SCREENSHOT_DIR set the transmit table is kept there as a picture.
TEST_F(CANWindows, TheTransmitTableRenders)
{
    TFTransmitCAN w;
    open(w);
    setCells(*w.NCG_CAN_Transmit, 1, kValidTransmit);
    setCells(*w.NCG_CAN_Transmit, 1, {{17, "engine speed"}});
    setCells(*w.NCG_CAN_Transmit, 2, {{2, "0x18FF0001"}, {3, "2.0B (29 bits)"}, {4, "8"}, {7, "Y"}, {8, "100"}});
    QApplication::processEvents();
    const QImage image = w.grab().toImage();
    EXPECT_EQ(image.width(), 1100);
    const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (!keep.isEmpty()) image.save(keep + QStringLiteral("/FTransmitCAN.png"));
    w.hide();
}

} // namespace
