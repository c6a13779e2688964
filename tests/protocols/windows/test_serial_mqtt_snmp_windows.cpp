// The NMEA 0183 listener and sentence field windows, the MQTT topic window with its template editor and
// the SNMP trap window, shown and driven through their buttons and grids: every check in its order with
// its one error box, the load treatments, the byte-exact file round trip, and the main window's part.
#include "protocols/UMQTT_Set_Topic.h"
#include "protocols/UNMEA_0183_Objects_Map.h"
#include "protocols/UNMEA_0183_Set_Access.h"
#include "protocols/UNMEA_0183_Set_Access2.h"
#include "protocols/USNMP_Trap_Access.h"
#include "protocols/UTopicTemplate.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

using OtherWindows = TableWindowTest;

const char *const kComment = "<!--SW_VERSION = 1.000-->";

// A data field map of the sentence field window for one test; the program's own stays empty.
class FilledMap {
public:
    FilledMap()
    {
        NMEA0183_Map[kNMEA0183_GSV - 1].Fields = {{"SATS", 1}, {"MSGNUM", 1}, {"MODE", 2}, {"PRN", 1}, {"ELEV", 2}, {"AZIM", 2}, {"SNR", 1}};
        NMEA0183_Map[7 - 1].Fields = {{"LAT", 4}, {"LON", 4}, {"QUAL", 1}}; // GGA
        NMEA0183_Map[kNMEA0183_XDR - 1].Fields = {{"VALUE", 4}};
        NMEA0183_Map[kNMEA0183_PJELA - 1].Fields = {{"DATA", 3}};
    }
    ~FilledMap()
    {
        for (TMNEA0183_Map &m : NMEA0183_Map) m.Fields.clear();
    }
};

// ---- NMEA 0183 listener -----------------------------------------------------------------------------------

const Cells kListenerRow{{1, "Y"}, {2, "GGA"}, {4, "RS232"}, {5, "m"}};

TEST_F(OtherWindows, ListenerChecksInOrder)
{
    TFNMEA_0183_Set_Access w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Definition of NMEA 0183 Sentences"));
    EXPECT_EQ(w.sga->Columns()->Items(3)->Header(), QStringLiteral("Index"));
    EXPECT_EQ(titleHint(*w.sga, 3), QStringLiteral("Insert the Index of Sentence, between 1 and 10"));
    // The listed sentences, alphabetically whatever the case: "$PJELA" first, no unlisted "BWC".
    EXPECT_EQ(w.Sentence_List.front(), QStringLiteral("$PJELA"));
    EXPECT_FALSE(w.Sentence_List.contains(QStringLiteral("BWC")));
    EXPECT_TRUE(std::is_sorted(w.Sentence_List.begin(), w.Sentence_List.end(),
                               [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
    runChecks(w, 0, kListenerRow,
              {
                  {{{2, "GGX"}}, "Error row 1!! Sentence must be valid. Select from List"},
                  {{{2, " gga "}}, nullptr},       // trimmed and upper case
                  {{{2, "BWC"}}, nullptr},         // unlisted, but a sentence of the table
                  {{{2, "XDR"}}, "Error row 1!! Index Must be Between 1 and 10"},
                  {{{2, "XDR"}, {3, "11"}}, "Error row 1!! Index Must be Between 1 and 10"},
                  {{{2, "$pjela"}, {3, "x"}}, "Error row 1!! Index Must be Between 1 and 10"},
                  {{{2, "XDR"}, {3, "10"}}, nullptr},
                  {{{2, "GGA"}, {3, "99"}}, nullptr}, // no index for other sentences
                  {{{4, ""}}, "Error row 1!! Serial Channel must be valid. Select from List"},
                  {{{4, "RS485 1"}}, "Error row 1!! Serial Channel must be valid. Select from List"},
                  {{{4, " rs485 / rs422 "}}, nullptr},
                  {{{4, "rs485 2"}}, nullptr},
                  {{{1, "N"}, {2, "GGX"}, {4, "x"}}, nullptr}, // a disabled row is not looked at
                  {{{1, " Y "}, {2, "GGX"}}, "Error row 1!! Sentence must be valid. Select from List"},
              });
}

TEST_F(OtherWindows, ListenerRefusesTwoEqualRowsWithTheFirstPair)
{
    TFNMEA_0183_Set_Access w;
    const struct {
        std::vector<Cells> rows;
        const char *message;
    } cases[] = {
        {{{{2, "GGA"}, {4, "RS232"}}, {{2, "GGA"}, {4, "RS232"}}},
         "Error row 1!! Sentence and Serial Channel cannot be equal. See rows 2"},
        {{{{2, "GGA"}, {4, "RS232"}}, {{2, "GGA"}, {4, "RS485 2"}}}, nullptr},
        {{{{2, "XDR"}, {3, "1"}, {4, "RS232"}}, {{2, "XDR"}, {3, "2"}, {4, "RS232"}}}, nullptr},
        {{{{2, "XDR"}, {3, "1"}, {4, "RS232"}}, {{2, "xdr "}, {3, " 1"}, {4, "RS232"}}},
         "Error row 1!! Sentence and Serial Channel cannot be equal. See rows 2"},
        // The first pair by its first row, then its second.
        {{{{2, "GGA"}, {4, "RS232"}}, {{2, "RMC"}, {4, "RS232"}}, {{2, "RMC"}, {4, "RS232"}}, {{2, "GGA"}, {4, "RS232"}}},
         "Error row 1!! Sentence and Serial Channel cannot be equal. See rows 4"},
        // A disabled row takes no part.
        {{{{2, "GGA"}, {4, "RS232"}}, {{1, "N"}, {2, "GGA"}, {4, "RS232"}}}, nullptr},
        // Rows below the first empty sentence are not looked at.
        {{{{2, "GGA"}, {4, "RS232"}}, {{2, ""}}, {{2, "GGA"}, {4, "RS232"}}}, nullptr},
    };
    for (const auto &c : cases) {
        if (!w.isVisible()) open(w);
        for (int r = 1; r <= 5; ++r) setCells(*w.sga, r, {{1, "Y"}, {2, ""}, {3, ""}, {4, ""}});
        for (size_t r = 0; r < c.rows.size(); ++r) setCells(*w.sga, int(r) + 1, c.rows[r]);
        const QStringList boxes = click(w.Btn_OK);
        EXPECT_EQ(boxes, c.message ? QStringList{c.message} : QStringList()) << c.rows.size();
        EXPECT_EQ(w.isVisible(), c.message != nullptr);
    }
    w.hide();
}

TEST_F(OtherWindows, ListenerLoadsChannelsAndIndexesAsItSavesThem)
{
    writeFile(NMEA_0183_Set_Access_File,
              "<NMEA_0183><NMEA_Listener>"
              "<row Enable=\"Y\" Sentence=\" GGA \" Index=\"3\" Serial_Channel=\" rs485 1 \" Mnemonic=\"K\xC3\xBChl &amp; &quot;Wasser&quot;\"/>"
              "<row Enable=\"N\" Sentence=\"xdr\" Index=\" 4 \" Serial_Channel=\"RS232\" Mnemonic=\"\"/>"
              "<row Sentence=\"$PJELA\" Index=\"7\" Serial_Channel=\"RS485 2\"/>"
              "</NMEA_Listener></NMEA_0183>");
    TFNMEA_0183_Set_Access w;
    open(w);
    TNovaColumnGrid &g = *w.sga;
    EXPECT_EQ(tabletest::rowCells(g, 1, 1, 5),
              (QStringList{"Y", "GGA", "", "RS485 / RS422", QString::fromUtf8("Kühl & \"Wasser\"")}));
    EXPECT_TRUE(g.ReadOnly(3, 1)) << "no index for GGA";
    EXPECT_EQ(tabletest::rowCells(g, 2, 1, 4), (QStringList{"N", "xdr", "4", "RS232"})) << "trimmed, any case";
    EXPECT_FALSE(g.ReadOnly(3, 2)) << "the trimmed, upper-cased sentence decides";
    EXPECT_EQ(tabletest::rowCells(g, 3, 1, 4), (QStringList{"Y", "$PJELA", "7", "RS485 2"})) << "Enable defaults to Y";
    EXPECT_TRUE(g.ReadOnly(3, 4));

    // Choosing a sentence in a row sets its Index cell's state.
    w.sgaComboChange(&g, 2, 4, 0, QStringLiteral("XDR"));
    EXPECT_FALSE(g.ReadOnly(3, 4));
    w.sgaComboChange(&g, 2, 4, 0, QStringLiteral("GGA"));
    EXPECT_TRUE(g.ReadOnly(3, 4));

    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray golden =
        "<NMEA_0183><NMEA_Listener>"
        "<row Enable=\"Y\" Sentence=\"GGA\" Index=\"\" Serial_Channel=\"RS485 / RS422\" Mnemonic=\"K\xC3\xBChl &amp; &quot;Wasser&quot;\"/>"
        "<row Enable=\"N\" Sentence=\"xdr\" Index=\"4\" Serial_Channel=\"RS232\" Mnemonic=\"\"/>"
        "<row Enable=\"Y\" Sentence=\"$PJELA\" Index=\"7\" Serial_Channel=\"RS485 2\" Mnemonic=\"\"/>"
        "</NMEA_Listener></NMEA_0183>";
    EXPECT_EQ(readAll(NMEA_0183_Set_Access_File).toStdString(), (golden + kComment).toStdString());
    EXPECT_XMLLINT_READS(NMEA_0183_Set_Access_File);
    open(w);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(NMEA_0183_Set_Access_File).toStdString(), (golden + kComment).toStdString()) << "OK again";
}

TEST_F(OtherWindows, ListenerOffersTheSerialChannelsTheCommunicationFileLeavesOn)
{
    TFNMEA_0183_Set_Access w;
    const struct {
        const char *parGen;
        QStringList offered;
    } cases[] = {
        {nullptr, {"RS232", "RS485 / RS422", "RS485 2"}},
        {"<Par_Gen><RS232_ENABLE>0</RS232_ENABLE></Par_Gen>", {"RS485 / RS422", "RS485 2"}},
        {"<Par_Gen><RS232_ENABLE> 0</RS232_ENABLE><RS485_1_ENABLE>0</RS485_1_ENABLE></Par_Gen>", {"RS232", "RS485 2"}},
        {"<Par_Gen><RS485_2_ENABLE>0</RS485_2_ENABLE><RS232_ENABLE>1</RS232_ENABLE></Par_Gen>", {"RS232", "RS485 / RS422"}},
    };
    for (const auto &c : cases) {
        QFile::remove(ParGen_File);
        if (c.parGen) writeFile(ParGen_File, c.parGen);
        open(w);
        EXPECT_EQ(w.sga->Columns()->Items(4)->ComboItems(), c.offered) << (c.parGen ? c.parGen : "no file");
        EXPECT_EQ(w.Offered_Serial_Channels(), c.offered);
        w.hide();
    }
    // A channel switched off is refused.
    writeFile(ParGen_File, "<Par_Gen><RS232_ENABLE>0</RS232_ENABLE></Par_Gen>");
    runChecks(w, 0, kListenerRow,
              {{{}, "Error row 1!! Serial Channel must be valid. Select from List"}, {{{4, "RS485 2"}}, nullptr}});

    // A communication file that is not well-formed stops the showing before the table file is read.
    writeFile(ParGen_File, "<Par_Gen><RS232_ENABLE>0</Par_Gen>");
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(ParGen_File + QStringLiteral(", line 1"))) << responder.texts().front().toStdString();
    w.hide();
}

TEST_F(OtherWindows, ListenerIndexCellsFollowTheRowButtons)
{
    TFNMEA_0183_Set_Access w;
    open(w);
    TNovaColumnGrid &g = *w.sga;
    setCells(g, 1, {{2, "XDR"}, {3, "2"}, {4, "RS232"}});
    setCells(g, 2, {{2, "GGA"}, {4, "RS232"}});
    w.Enable_Index_Cell();
    ASSERT_FALSE(g.ReadOnly(3, 1));
    clickCell(g, 2, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("XDR"));
    EXPECT_TRUE(g.ReadOnly(3, 1)) << "the inserted row has no sentence";
    EXPECT_FALSE(g.ReadOnly(3, 2));
    EXPECT_TRUE(g.ReadOnly(3, 3));
    clickCell(g, 2, 1);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 1"});
    }
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("XDR"));
    EXPECT_FALSE(g.ReadOnly(3, 1));
    EXPECT_TRUE(g.ReadOnly(3, 2));
    // Copy row 1, paste over row 2.
    EXPECT_EQ(click(w.Btn_CopyRow), QStringList());
    clickCell(g, 2, 2);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_PasteRow, responder), QStringList{"Row Already used. Do you want to overwrite the values?"});
    }
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("XDR"));
    EXPECT_FALSE(g.ReadOnly(3, 2));
    w.hide();
}

// ---- NMEA 0183 sentence fields ------------------------------------------------------------------------------

const Cells kSentenceRow{{1, "Y"}, {2, "RS232"}, {3, "GGA"}, {5, "LAT"}, {6, "None"}, {9, "0"}};

TEST_F(OtherWindows, SentenceFieldChecksInOrder)
{
    FilledMap map;
    TFNMEA_0183_Set_Access2 w;
    EXPECT_EQ(w.NSG->Cells(4, 0), QStringLiteral("Index")) << "titles are cells of row 0";
    EXPECT_EQ(titleHint(*w.NSG, 4), QStringLiteral("Insert the index of Position in Sentence"));
    runChecks(w, 0, kSentenceRow,
              {
                  {{{3, " "}}, "Error row 1!! Sentence Must be Selected"},
                  {{{3, "GSV"}, {5, "MSGNUM"}, {4, "10"}}, "Error row 1!! Index Must be Between 1 and 9"},
                  {{{3, "GSV"}, {5, " msgnum "}, {4, "9"}}, nullptr},
                  {{{3, "GSV"}, {5, "PRN"}, {4, "37"}}, "Error row 1!! Index Must be Between 1 and 36"},
                  {{{3, "GSV"}, {5, "SNR"}, {4, "0"}}, "Error row 1!! Index Must be Between 1 and 36"},
                  {{{3, "GSV"}, {5, "SNR"}, {4, "36"}}, nullptr},
                  {{{3, "GSV"}, {5, "SATS"}, {4, "x"}}, nullptr}, // other fields need no index
                  {{{3, "XDR"}, {5, "VALUE"}}, "Error row 1!! Index Must be Between 1 and 10"},
                  {{{3, "XDR"}, {5, "VALUE"}, {4, "10"}}, nullptr},
                  {{{3, "$PJELA"}, {5, "DATA"}, {4, "51"}}, "Error row 1!! Index Must be Between 1 and 50"},
                  {{{3, "$PJELA"}, {5, "DATA"}, {4, "50"}}, nullptr},
                  {{{5, ""}}, "Error row 1!! Data Field Must be Selected"},
                  {{{6, " "}}, "Error row 1!! Post Operation Must be Selected"},
                  {{{9, "2000"}}, "Error row 1!! Position Must be Between 0 and 2000"},
                  {{{9, ""}}, "Error row 1!! Position Must be Between 0 and 2000"},
                  {{{9, "1999"}}, nullptr},
                  {{{1, "N"}, {3, ""}, {9, "x"}}, nullptr}, // an unticked row is not looked at
              });
}

TEST_F(OtherWindows, SentenceFieldRowsWithoutChannelArePassedOverAndEndTheSave)
{
    FilledMap map;
    TFNMEA_0183_Set_Access2 w;
    open(w);
    TNovaStringGrid &g = *w.NSG;
    for (int r = 1; r <= 6; ++r) putCells(w, 0, r, kSentenceRow);
    putCells(w, 0, 5, {{2, ""}, {3, ""}}); // enabled, without a channel
    putCells(w, 0, 6, {{9, "2000"}});
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 6!! Position Must be Between 0 and 2000"});
    putCells(w, 0, 6, {{9, "4"}});
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray saved = readAll(NMEA_0183_Set_Access_File);
    EXPECT_EQ(saved.count("<row "), 4) << saved.toStdString();
    EXPECT_FALSE(g.isVisible());
}

TEST_F(OtherWindows, SentenceFieldLoadTreatmentsAndRoundTrip)
{
    const QByteArray in = "<NMEA_0183><NMEA_Listener>"
                          "<row Sentence=\"GGA\" DataField=\"LAT\" Position=\"0\" Mnemonic=\"&lt;a&gt; &amp; \xC3\xA9\"/>"
                          "<row Enable=\"N\" Serial_Channel=\"RS485 2\" Sentence=\"GSV\" Index=\"3\" DataField=\"NOPE\" "
                          "PortOperation=\"x 10\" SwapAll=\"Y\" Swap16=\"y\" Position=\"12\"/>"
                          "<row Enable=\"n\" Serial_Channel=\"RS485 1\" Sentence=\"BWC\" PortOperation=\"x 7\" SwapAll=\"N\"/>"
                          "</NMEA_Listener></NMEA_0183>";
    writeFile(NMEA_0183_Set_Access_File, in);
    {
        FilledMap map;
        TFNMEA_0183_Set_Access2 w;
        open(w);
        TNovaStringGrid &g = *w.NSG;
        auto ticked = [&](int c, int r) {
            bool on = false;
            g.GetCheckBoxState(c, r, on);
            return on;
        };
        // Row 1: Enable ticked, "RS232", "None", swaps off; the field of its sentence kept.
        EXPECT_TRUE(ticked(1, 1));
        EXPECT_EQ(tabletest::rowCells(g, 1, 2, 6), (QStringList{"RS232", "GGA", "", "LAT", "None"}));
        EXPECT_FALSE(ticked(7, 1));
        EXPECT_FALSE(ticked(8, 1));
        EXPECT_TRUE(g.ReadOnly(4, 1));
        // Row 2: unticked; a field that is not one of GSV's is dropped; the Index editable.
        EXPECT_FALSE(ticked(1, 2));
        EXPECT_EQ(tabletest::rowCells(g, 2, 2, 6), (QStringList{"RS485 2", "GSV", "3", "", "x 10"}));
        EXPECT_TRUE(ticked(7, 2));
        EXPECT_FALSE(ticked(8, 2)) << "ticked only for \"Y\"";
        EXPECT_FALSE(g.ReadOnly(4, 2));
        // Row 3: "n" is not "N": ticked; values outside their lists give empty cells.
        EXPECT_TRUE(ticked(1, 3));
        EXPECT_EQ(tabletest::rowCells(g, 3, 2, 6), (QStringList{"", "", "", "", ""}));
        w.hide();
    }
    // With the program's empty map every loaded Data Field is empty: the enabled row 1 is refused.
    TFNMEA_0183_Set_Access2 w;
    open(w);
    EXPECT_EQ(w.NSG->Cells(5, 1), QString());
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 1!! Data Field Must be Selected"});
    w.NSG->SetCheckBoxState(1, 1, false);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    // Row 3 has an empty channel now: the save ends before it.
    const QByteArray golden =
        "<NMEA_0183><NMEA_Listener>"
        "<row Enable=\"N\" Serial_Channel=\"RS232\" Sentence=\"GGA\" Index=\"\" DataField=\"\" PortOperation=\"None\" "
        "SwapAll=\"N\" Swap16=\"N\" Position=\"0\" Mnemonic=\"&lt;a> &amp; \xC3\xA9\"/>"
        "<row Enable=\"N\" Serial_Channel=\"RS485 2\" Sentence=\"GSV\" Index=\"3\" DataField=\"\" PortOperation=\"x 10\" "
        "SwapAll=\"Y\" Swap16=\"N\" Position=\"12\" Mnemonic=\"\"/>"
        "</NMEA_Listener></NMEA_0183>";
    EXPECT_EQ(readAll(NMEA_0183_Set_Access_File).toStdString(), (golden + kComment).toStdString());
    EXPECT_XMLLINT_READS(NMEA_0183_Set_Access_File);
    open(w);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(NMEA_0183_Set_Access_File).toStdString(), (golden + kComment).toStdString()) << "OK again";

    // The listener window reads the same file and keeps the rows it knows.
    TFNMEA_0183_Set_Access listener;
    ModalResponder quiet;
    open(listener);
    EXPECT_EQ(quiet.texts(), QStringList());
    EXPECT_EQ(tabletest::rowCells(*listener.sga, 2, 1, 4), (QStringList{"N", "GSV", "", "RS485 2"}));
    listener.hide();
}

TEST_F(OtherWindows, SentenceFieldChoicesSetIndexDataFieldAndPosition)
{
    FilledMap map;
    TFNMEA_0183_Set_Access2 w;
    open(w);
    TNovaStringGrid &g = *w.NSG;
    putCells(w, 0, 1, {{2, "RS232"}, {3, "GGA"}, {5, "LON"}, {9, "10"}});
    putCells(w, 0, 2, {{2, "RS232"}, {4, "5"}});
    // GSV: the Index editable, its first field proposed, the position after row 1's 4-byte field,
    // plus one for a 1-byte field.
    auto choose = [&](int col, const char *item) {
        g.SetCells(col, 2, QLatin1String(item)); // the list puts its choice into the cell first
        w.NSGComboChange(&g, col, 2, 0, QLatin1String(item));
    };
    choose(3, "GSV");
    EXPECT_FALSE(g.ReadOnly(4, 2));
    EXPECT_EQ(g.Cells(5, 2), QStringLiteral("SATS"));
    EXPECT_EQ(g.Cells(9, 2), QStringLiteral("15"));
    // A 2-byte field: no extra byte.
    choose(5, "MODE");
    EXPECT_EQ(g.Cells(9, 2), QStringLiteral("14"));
    // GGA makes the Index read-only again without clearing it.
    choose(3, "GGA");
    EXPECT_TRUE(g.ReadOnly(4, 2));
    EXPECT_EQ(g.Cells(4, 2), QStringLiteral("5"));
    EXPECT_EQ(g.Cells(5, 2), QStringLiteral("LAT"));
    // Row 1 unticked: no row above qualifies.
    g.SetCheckBoxState(1, 1, false);
    choose(5, "QUAL");
    EXPECT_EQ(g.Cells(9, 2), QStringLiteral("1"));
    EXPECT_EQ(w.Get_Last_Position(1, QString(), QString()), 0);
    // The editor lists of a row: the fields of its sentence.
    TEditorType editor = edNormal;
    w.NSGGetEditorType(&g, g.DisplColIndex(5), 2, editor);
    EXPECT_EQ(editor, edComboList);
    w.hide();
}

// ---- MQTT -----------------------------------------------------------------------------------------------------

const Cells kPublishRow{{1, "t/1"}, {4, "Int"}, {5, "2"}, {6, "0"}, {17, "m"}};
const Cells kSubscribeRow{{1, "s/1"}, {4, "Float"}, {5, "4"}, {6, "1439"}, {14, "m"}};

TEST_F(OtherWindows, MqttChecksInOrder)
{
    TFMQTT_Set_Topic w;
    runChecks(w, 0, kPublishRow,
              {
                  {{{4, " "}}, "Error row 1!! [MQTT Publish] Data Type must be selected"},
                  {{{5, "3"}}, "Error row 1!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
                  {{{4, "int"}, {5, "8"}}, nullptr},
                  {{{4, "Float"}, {5, "2"}}, "Error row 1!! [MQTT Publish] Dimension must be equal to 4 or 8"},
                  {{{4, "Float"}, {5, "8"}}, nullptr},
                  {{{4, "String"}, {5, "0"}}, "Error row 1!! [MQTT Publish] Dimension must be major of 0"},
                  {{{4, "Base64"}, {5, "x"}}, "Error row 1!! [MQTT Publish] Dimension must be major of 0"},
                  {{{4, "Base64"}, {5, "100"}}, nullptr},
                  {{{6, "1440"}}, "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1439"},
                  {{{6, ""}}, "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1439"},
                  {{{6, "1439"}}, nullptr},
                  {{{9, "a$b"}}, "Error row 1!! [MQTT Publish] Template not Correct, Check the Keywords"},
                  {{{9, "$VALUE$"}}, nullptr},
                  {{{9, "plain"}}, nullptr},
                  {{{12, "Y"}, {13, "0"}}, "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
                  {{{12, "y"}, {13, "1000000000"}}, nullptr},
                  {{{12, "N"}, {13, "0"}}, nullptr},
                  // Hidden columns are not checked.
                  {{{7, "999.1.1.1"}, {14, "x"}}, nullptr},
                  // The table ends at the first empty Topic.
                  {{{1, " "}, {4, ""}}, nullptr},
              });
    runChecks(w, 1, kSubscribeRow,
              {
                  {{{4, ""}}, "Error row 1!! [MQTT Subscribe] Data Type must be selected"},
                  {{{4, "Int"}, {5, "16"}}, "Error row 1!! [MQTT Subscribe] Dimension must be equal to 1 or 2 or 4 or 8"},
                  {{{5, "2"}}, "Error row 1!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
                  {{{4, "String"}, {5, "-1"}}, "Error row 1!! [MQTT Subscribe] Dimension must be major of 0"},
                  {{{6, "-1"}}, "Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1439"},
                  {{{11, "$$$"}}, "Error row 1!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
                  {{{11, " $A$ "}}, nullptr},
              });
}

TEST_F(OtherWindows, MqttFileRoundTripKeepsTheShownColumns)
{
    writeFile(MQTT_Set_Topic_File,
              "<MQTT_Set_Topic><MQTT_Publish>"
              "<row Topic=\"plant/\xC3\xBC\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"10\" "
              "IPAddress=\"1.2.3.4\" InputTemplate=\"in\" Template=\"{&quot;v&quot;: $VALUE$ &amp; more}\" OnChange=\"Y\" "
              "OnCMD=\"Y\" OnTimer=\"Y\" Time=\"500\" Channel=\"5\" Swap=\"Y\" SwapWord=\"Y\" Mnemonic=\"a &lt; b\"/>"
              "<row Topic=\"t2\" Retained=\"N\" QoS=\"0\" Mnemonic=\"\"/>"
              "</MQTT_Publish><MQTT_Subscribe>"
              "<row Topic=\"in/x\" Retained=\"N\" QoS=\"2\" DataType=\"String\" Dimension=\"20\" Position=\"0\" Port=\"502\" "
              "EthType=\"UDP\" Template=\"line1&#10;line2\" Mnemonic=\"sub\"/>"
              "</MQTT_Subscribe></MQTT_Set_Topic>");
    TFMQTT_Set_Topic w;
    open(w);
    TNovaColumnGrid &pub = *w.NCG_Pub;
    TNovaColumnGrid &sub = *w.NCG_Sub;
    EXPECT_EQ(tabletest::rowCells(pub, 1, 1, 17),
              (QStringList{QString::fromUtf8("plant/ü"), "Y", "1", "Int", "2", "10", "1.2.3.4", "in", "{\"v\": $VALUE$ & more}", "Y",
                           "", "Y", "500", "", "N", "N", "a < b"}))
        << "OnCMD not read, Channel empty, the swaps N";
    // Missing optional attributes leave empty cells; OnChange and OnTimer default to N.
    EXPECT_EQ(tabletest::rowCells(pub, 2, 4, 13), (QStringList{"", "", "", "", "", "", "N", "", "N", ""}));
    EXPECT_EQ(sub.Cells(11, 1), QStringLiteral("line1\nline2"));
    for (int c : {7, 8, 11, 14, 15, 16}) EXPECT_TRUE(pub.IsHiddenColumn(c)) << c;
    for (int c : {2, 7, 8, 9, 10, 12, 13}) EXPECT_TRUE(sub.IsHiddenColumn(c)) << c;
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);

    pub.SetCells(4, 2, QStringLiteral("Float"));
    pub.SetCells(5, 2, QStringLiteral("4"));
    pub.SetCells(6, 2, QStringLiteral("20"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const std::string golden =
        "<MQTT_Set_Topic><MQTT_Publish>"
        "<row Topic=\"plant/\xC3\xBC\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"10\" "
        "IPAddress=\"1.2.3.4\" InputTemplate=\"in\" Template=\"{&quot;v&quot;: $VALUE$ &amp; more}\" OnChange=\"Y\" "
        "OnTimer=\"Y\" Time=\"500\" Mnemonic=\"a &lt; b\"/>"
        "<row Topic=\"t2\" Retained=\"N\" QoS=\"0\" DataType=\"Float\" Dimension=\"4\" Position=\"20\" IPAddress=\"\" "
        "InputTemplate=\"\" Template=\"\" OnChange=\"N\" OnTimer=\"N\" Time=\"\" Mnemonic=\"\"/>"
        "</MQTT_Publish><MQTT_Subscribe>"
        "<row Topic=\"in/x\" Retained=\"N\" QoS=\"2\" DataType=\"String\" Dimension=\"20\" Position=\"0\" IPAddress=\"\" "
        "Port=\"502\" EthType=\"UDP\" InputTemplate=\"\" Template=\"line1&#10;line2\" Mnemonic=\"sub\"/>"
        "</MQTT_Subscribe></MQTT_Set_Topic><!--SW_VERSION = 1.004-->";
    EXPECT_EQ(readAll(MQTT_Set_Topic_File).toStdString(), golden);
    EXPECT_XMLLINT_READS(MQTT_Set_Topic_File);
    open(w);
    EXPECT_EQ(sub.Cells(11, 1), QStringLiteral("line1\nline2")) << "the line break survives";
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(MQTT_Set_Topic_File).toStdString(), golden) << "OK again";

    // A row without a required attribute stops the loading there.
    writeFile(MQTT_Set_Topic_File, "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a\" Retained=\"N\" QoS=\"0\" Mnemonic=\"\"/>"
                                   "<row Topic=\"b\" QoS=\"0\" Mnemonic=\"\"/></MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().contains(QLatin1String("\"Retained\""))) << responder.texts().front().toStdString();
    EXPECT_EQ(pub.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(pub.Cells(1, 2), QStringLiteral("b"));
    EXPECT_EQ(pub.Cells(3, 2), QString()) << "the row stops at the missing attribute";
    w.hide();
}

TEST_F(OtherWindows, MqttRowButtonsFollowTheActiveSheet)
{
    TFMQTT_Set_Topic w;
    open(w);
    setCells(*w.NCG_Pub, 1, kPublishRow);
    setCells(*w.NCG_Sub, 1, kSubscribeRow);
    w.PageControl1->setCurrentIndex(1);
    QApplication::processEvents();
    clickCell(*w.NCG_Sub, 1, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(w.NCG_Sub->Cells(1, 2), QStringLiteral("s/1"));
    EXPECT_EQ(w.NCG_Sub->Cells(1, 1), QString());
    EXPECT_EQ(w.NCG_Pub->Cells(1, 1), QStringLiteral("t/1")) << "the publish grid is untouched";
    w.PageControl1->setCurrentIndex(0);
    QApplication::processEvents();
    clickCell(*w.NCG_Pub, 1, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(w.NCG_Pub->Cells(1, 2), QStringLiteral("t/1"));
    EXPECT_EQ(w.NCG_Pub->Cells(2, 1), QString()) << "no Enable column: nothing set in the new row";
    w.hide();
    // A showing makes the publish sheet active again.
    w.PageControl1->setCurrentIndex(1);
    open(w);
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    w.hide();
}

// The template editor opened from a Template cell: OK gives the text back exactly, Cancel nothing.
TEST_F(OtherWindows, TemplateCellsAreEditedInTheTemplateEditor)
{
    TFTopicTemplate editor;
    FTopicTemplate = &editor;
    TFMQTT_Set_Topic w;
    open(w);
    TNovaColumnGrid &pub = *w.NCG_Pub;
    pub.SetCells(kMQTTPubTemplateCol, 3, QStringLiteral("old"));

    const struct {
        bool ok;
        QString typed;
        QString cell;
    } cases[] = {
        {true, QString::fromUtf8("{\"t\": $VALUE$,\n \"ü\": 1}\n"), QString::fromUtf8("{\"t\": $VALUE$,\n \"ü\": 1}\n")},
        {false, QStringLiteral("thrown away"), QString::fromUtf8("{\"t\": $VALUE$,\n \"ü\": 1}\n")},
        {true, QString(), QString()},
    };
    QString before = QStringLiteral("old");
    for (const auto &c : cases) {
        clickCell(pub, kMQTTPubTemplateCol, 3);
        QString caption, desc, shownText;
        QStringList legend;
        bool readOnlyDesc = false;
        ModalResponder responder;
        responder.then([&](QWidget *shown) {
            if (shown != &editor) return;
            caption = editor.windowTitle();
            desc = editor.L_SW_Desc->text();
            shownText = editor.RE_TopicTemplate->toPlainText();
            legend = QStringList{editor.NSG_Keywords->Cells(0, 0), editor.NSG_Keywords->Cells(1, 0),
                                 QString::number(editor.NSG_Keywords->RowCount()), editor.NSG_Keywords->Cells(0, 1)};
            readOnlyDesc = editor.NSG_Keywords->ReadOnly(1, 1) && !editor.NSG_Keywords->ReadOnly(0, 1);
            editor.RE_TopicTemplate->selectAll();
            QTest::keyClick(editor.RE_TopicTemplate, Qt::Key_Delete);
            for (const QChar ch : c.typed) {
                if (ch == QLatin1Char('\n'))
                    QTest::keyClick(editor.RE_TopicTemplate, Qt::Key_Return);
                else
                    QTest::sendKeyEvent(QTest::Click, editor.RE_TopicTemplate, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
            QTest::mouseClick(c.ok ? editor.Btn_OK : editor.Btn_Cancel, Qt::LeftButton);
        });
        QTest::mouseDClick(pub.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(pub, kMQTTPubTemplateCol, 3));
        QApplication::processEvents();
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(caption, QStringLiteral("Set Template"));
        EXPECT_EQ(desc, QStringLiteral("Set Template"));
        EXPECT_EQ(legend, (QStringList{"Keyword", "Description of Keyword", "2", ""}));
        EXPECT_TRUE(readOnlyDesc);
        EXPECT_EQ(shownText, before) << "the editor starts from the cell's text";
        EXPECT_EQ(pub.Cells(kMQTTPubTemplateCol, 3), c.cell);
        EXPECT_FALSE(editor.isVisible());
        before = c.cell;
    }
    w.hide();
    FTopicTemplate = nullptr;
}

// A double click on the Template title, with a Template cell current: the column sized to its
// contents, then the editor for the current row.
TEST_F(OtherWindows, ADoubleClickOnTheTemplateTitleSizesAndEditsTheCurrentCell)
{
    Opt_Double_Click_Auto_Size = true;
    TFTopicTemplate editor;
    FTopicTemplate = &editor;
    TFMQTT_Set_Topic w;
    open(w);
    TNovaColumnGrid &pub = *w.NCG_Pub;
    const QString wide = QStringLiteral("{\"temperature_of_the_second_boiler\": $VALUE$}");
    pub.SetCells(kMQTTPubTemplateCol, 2, wide);
    clickCell(pub, kMQTTPubTemplateCol, 2);
    const int before = pub.ColWidths(pub.DisplColIndex(kMQTTPubTemplateCol));
    QString shown;
    ModalResponder responder;
    responder.then([&](QWidget *win) {
        if (win == &editor) shown = editor.RE_TopicTemplate->toPlainText();
        QTest::mouseClick(editor.Btn_Cancel, Qt::LeftButton);
    });
    const TRect title = pub.CellRect(pub.DisplColIndex(kMQTTPubTemplateCol), 0);
    QTest::mouseDClick(pub.viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2));
    QApplication::processEvents();
    EXPECT_FALSE(responder.timedOut());
    EXPECT_EQ(shown, wide);
    EXPECT_GT(pub.ColWidths(pub.DisplColIndex(kMQTTPubTemplateCol)), before) << "sized to the long template";
    EXPECT_EQ(pub.Cells(kMQTTPubTemplateCol, 2), wide) << "Cancel leaves the cell";
    w.hide();
    FTopicTemplate = nullptr;
}

// ---- SNMP -------------------------------------------------------------------------------------------------------

const Cells kSnmpRead{{1, "Y"},  {2, "Vantok"}, {3, "Int"},     {4, "N"},          {5, "N"},     {6, "N"}, {7, ""},
                      {8, "0"},  {9, "0"},      {10, "8"},      {11, "temp1"},     {12, "127.0.0.1"}, {13, "None"}};
const Cells kSnmpWrite{{1, "Y"}, {2, "Drevany"}, {3, "String"}, {4, "4"}, {5, "0"}, {6, "16"}, {7, "setpoint"}, {8, "None"}};

const char *const kReadCommunity =
    "Error row 1!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")";
const char *const kReadDescription =
    "Error row 1!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). "
    "First character must be a letter and must be lowercase";
const char *const kReadAddress = "Error row 1!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)";

TEST_F(OtherWindows, SnmpReadChecksInOrder)
{
    TFSNMP_Trap_Access w;
    runChecks(w, 0, kSnmpRead,
              {
                  {{{2, "Van tok"}}, kReadCommunity},
                  {{{2, "Van-tok"}}, kReadCommunity},
                  {{{3, " "}}, "Error row 1!! [SNMP Read] Type must be selected"},
                  {{{6, "Y"}, {7, "0"}}, "Error row 1!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
                  {{{6, "y"}, {7, "1000000000"}}, nullptr},
                  {{{6, "N"}, {7, "x"}}, nullptr},
                  {{{8, ""}}, "Error row 1!! [SNMP Read] Position must be selected"},
                  {{{9, ""}}, "Error row 1!! [SNMP Read] Start Bit must be selected"},
                  {{{3, "String"}, {9, "3"}}, "Error row 1!! [SNMP Read] Start Bit must be 0 if Type is String"},
                  {{{10, "64"}}, nullptr},
                  {{{10, "65"}}, "Error row 1!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
                  {{{3, "String"}, {10, "16"}}, nullptr},
                  {{{3, "String"}, {10, "17"}}, "Error row 1!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
                  {{{11, "Temp1"}}, kReadDescription},
                  {{{11, "1temp"}}, kReadDescription},
                  {{{11, "temp_1"}}, kReadDescription},
                  {{{11, "bufferinval12"}}, "Error row 1!! The Description is a name the MIB module already uses"},
                  {{{11, "traps"}}, "Error row 1!! The Description is a name the MIB module already uses"},
                  {{{12, "192.168.1.256"}}, kReadAddress},
                  {{{12, "192.168.1"}}, kReadAddress},
                  {{{12, ""}}, kReadAddress},
                  {{{12, "0.255.10.1"}}, nullptr},
                  {{{13, ""}}, "Error row 1!! [SNMP Read] Conversion must be selected"},
                  // A disabled row is not looked at.
                  {{{1, "N"}, {12, "1.2.3"}, {11, "X"}}, nullptr},
              });
}

TEST_F(OtherWindows, SnmpWriteChecksAndDescriptionsDiffer)
{
    TFSNMP_Trap_Access w;
    runChecks(w, 1, kSnmpWrite,
              {
                  {{{2, "a b"}}, "Error row 1!! [SNMP Write] Community Name is not correct (allowed characters are \"a\"..\"z\", "
                                 "\"A\"..\"Z\" and \"0\"..\"9\")"},
                  {{{3, ""}}, "Error row 1!! [SNMP Write] Type must be selected"},
                  {{{4, ""}}, "Error row 1!! [SNMP Write] Position must be selected"},
                  {{{5, ""}}, "Error row 1!! [SNMP Write] Start Bit must be selected"},
                  {{{5, "1"}}, "Error row 1!! [SNMP Write] Start Bit must be 0 if Type is String"},
                  {{{3, "INT"}, {5, "1"}, {6, "65"}}, "Error row 1!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
                  {{{6, "0"}}, "Error row 1!! [SNMP Write] Num Bits/Bytes must be between 1 and 16 bytes"},
                  {{{7, "Setpoint"}}, "Error row 1!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", "
                                      "\"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
                  {{{7, "bufferoutblk8"}}, "Error row 1!! The Description is a name the MIB module already uses"},
                  {{{8, ""}}, "Error row 1!! [SNMP Write] Conversion must be selected"},
              });

    // The Descriptions of all enabled rows of both grids differ (letter case counts); the message has no row.
    const struct {
        Cells read1, write1, write2;
        const char *message;
    } cases[] = {
        {{{11, "temp1"}}, {{7, "temp1"}}, {{2, ""}}, "Error!! The Descriptions must be all differents"},
        {{{11, "temp1"}}, {{7, "tempA"}}, {{7, "tempa"}}, nullptr},
        {{{11, ""}}, {{7, ""}}, {{2, ""}}, "Error!! The Descriptions must be all differents"},
        {{{11, ""}}, {{7, "x1"}}, {{2, ""}}, nullptr},
        {{{11, "temp1"}}, {{7, "temp2"}}, {{7, "temp1"}, {1, "N"}}, nullptr},
    };
    for (const auto &c : cases) {
        if (!w.isVisible()) open(w);
        setCells(*w.NCG_SNMP_Read, 1, kSnmpRead);
        setCells(*w.NCG_SNMP_Read, 1, c.read1);
        setCells(*w.NCG_SNMP_Write, 1, kSnmpWrite);
        setCells(*w.NCG_SNMP_Write, 1, c.write1);
        setCells(*w.NCG_SNMP_Write, 2, kSnmpWrite);
        setCells(*w.NCG_SNMP_Write, 2, c.write2);
        EXPECT_EQ(click(w.Btn_OK), c.message ? QStringList{c.message} : QStringList());
    }
    w.hide();
}

TEST_F(OtherWindows, SnmpNumbersEnabledRowsAndKeepsDisabledOnes)
{
    writeFile(SNMP_Trap_File,
              "<SNMP_Trap><SNMP_Trap_Read>"
              "<row Community_Name=\"Vantok\" Type=\"Int\" Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"a1\" IP_Address=\"127.0.0.1\"/>"
              "<row Enable=\"N\" Community_Name=\"bad name\" Type=\"Int\" Time=\"5\" IP_Address=\"300.1.1.1\" Mnemonic=\"\xE2\x82\xAC &amp; &apos;q&apos;\"/>"
              "<row Enable=\"y\" Community_Name=\"Vantok\" Type=\"String\" Position=\"2\" Bit=\"0\" NumBits=\"4\" Description=\"a3\" IP_Address=\"10.0.0.1\" Conversion=\"Float\"/>"
              "<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"Int\" Position=\"8\" Bit=\"1\" NumBits=\"1\" Description=\"a4\" IP_Address=\"10.0.0.1\" Conversion=\"None\"/>"
              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    TFSNMP_Trap_Access w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_SNMP_Read;
    EXPECT_EQ((QStringList{read.Cells(0, 1), read.Cells(0, 2), read.Cells(0, 3), read.Cells(0, 4), read.Cells(0, 5)}),
              (QStringList{"1", "", "2", "3", "4"}))
        << "every enabled row counts, the empty ones below too";
    // Missing Enable: enabled; missing Conversion: "None"; the check boxes "N".
    EXPECT_EQ(tabletest::rowCells(read, 1, 1, 6), (QStringList{"Y", "Vantok", "Int", "N", "N", "N"}));
    EXPECT_EQ(read.Cells(13, 1), QStringLiteral("None"));
    EXPECT_EQ(read.Cells(13, 3), QStringLiteral("Float"));
    EXPECT_EQ(w.NCG_SNMP_Write->Cells(0, 256), QStringLiteral("256"));

    // Ticking row 2's Enable box renumbers the grid.
    clickCell(read, 1, 2);
    QApplication::processEvents();
    ASSERT_EQ(read.Cells(1, 2).toUpper(), QStringLiteral("Y"));
    EXPECT_EQ((QStringList{read.Cells(0, 1), read.Cells(0, 2), read.Cells(0, 3), read.Cells(0, 4)}),
              (QStringList{"1", "2", "3", "4"}));
    clickCell(read, 1, 2);
    QApplication::processEvents();
    EXPECT_EQ(read.Cells(0, 3), QStringLiteral("2"));

    // The disabled row with its invalid address passes and is saved as it stands.
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const std::string golden =
        "<SNMP_Trap><SNMP_Trap_Read>"
        "<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" "
        "Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"a1\" IP_Address=\"127.0.0.1\" Conversion=\"None\" Mnemonic=\"\"/>"
        "<row Enable=\"N\" Community_Name=\"bad name\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"5\" "
        "Position=\"\" Bit=\"\" NumBits=\"\" Description=\"\" IP_Address=\"300.1.1.1\" Conversion=\"None\" "
        "Mnemonic=\"\xE2\x82\xAC &amp; 'q'\"/>"
        "<row Enable=\"y\" Community_Name=\"Vantok\" Type=\"String\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" "
        "Position=\"2\" Bit=\"0\" NumBits=\"4\" Description=\"a3\" IP_Address=\"10.0.0.1\" Conversion=\"Float\" Mnemonic=\"\"/>"
        "<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" "
        "Position=\"8\" Bit=\"1\" NumBits=\"1\" Description=\"a4\" IP_Address=\"10.0.0.1\" Conversion=\"None\" Mnemonic=\"\"/>"
        "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.000-->";
    EXPECT_EQ(readAll(SNMP_Trap_File).toStdString(), golden);
    EXPECT_XMLLINT_READS(SNMP_Trap_File);
    open(w);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(SNMP_Trap_File).toStdString(), golden) << "OK again";
}

// The read sheet is made active when the window is created; a showing keeps the sheet last active.
TEST_F(OtherWindows, SnmpShowingKeepsTheActiveSheet)
{
    TFSNMP_Trap_Access w;
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_SNMP_Read);
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("SNMP Write"));
    open(w);
    w.PageControl1->setCurrentWidget(w.TS_SNMP_Write);
    EXPECT_EQ(click(w.Btn_Cancel), QStringList());
    open(w);
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_SNMP_Write);
    // Row buttons act on the grid of that sheet.
    setCells(*w.NCG_SNMP_Write, 1, kSnmpWrite);
    clickCell(*w.NCG_SNMP_Write, 2, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(w.NCG_SNMP_Write->Cells(2, 2), QStringLiteral("Drevany"));
    EXPECT_EQ(w.NCG_SNMP_Write->Cells(1, 1), QStringLiteral("Y")) << "the inserted row is enabled";
    EXPECT_EQ(w.NCG_SNMP_Read->Cells(2, 2), QString());
    w.hide();
}

// ---- in the program -------------------------------------------------------------------------------------------

TEST_F(OtherWindows, TheMainWindowCreatesTranslatesAndOpensThem)
{
    QTemporaryDir exe;
    Project_Path.clear();
    Set_Files();
    TProgramWindows windows(exe.path());
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    const struct {
        QAbstractButton *button;
        QWidget *window;
    } opened[] = {
        {main->Btn_SNMP_Trap, FSNMP_Trap_Access},
        {main->Btn_MQTT_Set_Topic, FMQTT_Set_Topic},
        {main->Btn_NMEA0183_Access, FNMEA_0183_Set_Access2},
    };
    for (const auto &o : opened) {
        ASSERT_NE(o.window, nullptr);
        ModalResponder responder;
        main->Btn_Click(o.button);
        EXPECT_EQ(responder.texts(), QStringList{"Error! Project not Valid"}) << o.window->objectName().toStdString();
    }
    Project_Path = dir.path();
    main->Set_Files();
    writeFile(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"Vantok\" Description=\"d1\"/></SNMP_Trap_Read>"
                              "<SNMP_Trap_Write/></SNMP_Trap>");
    for (const auto &o : opened) {
        QWidget *seen = nullptr;
        QString firstKey;
        ModalResponder responder;
        responder.then([&](QWidget *w) {
            seen = w;
            auto *t = dynamic_cast<TTable_Window *>(w);
            if (t) {
                firstKey = t->Grids[0]->Cells(2, 1);
                QTest::mouseClick(t->Btn_Cancel, Qt::LeftButton);
            }
        });
        main->Btn_Click(o.button);
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(seen, o.window);
        if (o.window == FSNMP_Trap_Access) EXPECT_EQ(firstKey, QStringLiteral("Vantok")) << "the file was loaded";
        EXPECT_FALSE(o.window->isVisible());
        EXPECT_FALSE(o.button->isVisibleTo(main));
    }

    // A language file changes a caption, a title, a hint and a tab caption of each hidden window.
    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "\xEF\xBB\xBFSTR3200 = SNMP-Zugriff\nSTR3217 = Aktiv\nSTR3239 = Zeile ein oder aus\nSTR3209 = SNMP schreiben\n"
              "STR3300 = MQTT-Themen\nSTR3315 = Thema\nSTR3319 = Das Thema\nSTR3334 = Abonnieren\n"
              "STR3400 = Thema setzen\nSTR3402 = Thema\nSTR3405 = Wort\n"
              "STR3500 = Lauscher\nSTR3516 = Satz\nSTR3520 = Den Satz w\xC3\xA4hlen\n"
              "STR3600 = Satzfelder\nSTR3622 = Stelle\nSTR3631 = Die Stelle\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    TFSNMP_Trap_Access &s = *FSNMP_Trap_Access;
    EXPECT_EQ(s.windowTitle(), QStringLiteral("SNMP-Zugriff"));
    EXPECT_EQ(s.NCG_SNMP_Read->Columns()->Items(1)->Header(), QStringLiteral("Aktiv"));
    EXPECT_EQ(titleHint(*s.NCG_SNMP_Read, 1), QStringLiteral("Zeile ein oder aus"));
    EXPECT_EQ(s.PageControl1->tabText(1), QStringLiteral("SNMP schreiben"));
    TFMQTT_Set_Topic &m = *FMQTT_Set_Topic;
    EXPECT_EQ(m.windowTitle(), QStringLiteral("MQTT-Themen"));
    EXPECT_EQ(m.NCG_Pub->Columns()->Items(1)->Header(), QStringLiteral("Thema"));
    EXPECT_EQ(titleHint(*m.NCG_Pub, 1), QStringLiteral("Das Thema"));
    EXPECT_EQ(m.PageControl1->tabText(1), QStringLiteral("Abonnieren"));
    // The editor shows the new topic texts until its next showing.
    EXPECT_EQ(FTopicTemplate->windowTitle(), QStringLiteral("Thema setzen"));
    EXPECT_EQ(FTopicTemplate->L_SW_Desc->text(), QStringLiteral("Thema"));
    EXPECT_EQ(FTopicTemplate->NSG_Keywords->Cells(0, 0), QStringLiteral("Wort"));
    TFNMEA_0183_Set_Access &l = *FNMEA_0183_Set_Access;
    EXPECT_EQ(l.windowTitle(), QStringLiteral("Lauscher"));
    EXPECT_EQ(l.sga->Columns()->Items(2)->Header(), QStringLiteral("Satz"));
    EXPECT_EQ(titleHint(*l.sga, 2), QString::fromUtf8("Den Satz wählen"));
    TFNMEA_0183_Set_Access2 &f = *FNMEA_0183_Set_Access2;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Satzfelder"));
    EXPECT_EQ(f.NSG->Cells(9, 0), QStringLiteral("Stelle"));
    EXPECT_EQ(titleHint(*f.NSG, 9), QStringLiteral("Die Stelle"));
    for (QWidget *w : std::initializer_list<QWidget *>{&s, &m, FTopicTemplate, &l, &f}) EXPECT_FALSE(w->isVisible());

    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(s.PageControl1->tabText(1), QStringLiteral("SNMP Write"));
    EXPECT_EQ(f.NSG->Cells(9, 0), QStringLiteral("Position"));
    main->close();
}

// ---- how they look ------------------------------------------------------------------------------------------

// Each window with a few rows (both sheets of the two-grid windows); with CFG_SCREENSHOT_DIR set the
// pictures are kept there (under a virtual X screen the screen itself is taken).
TEST_F(OtherWindows, EveryWindowRenders)
{
    FilledMap map;
    TFSNMP_Trap_Access snmp;
    TFMQTT_Set_Topic mqtt;
    TFNMEA_0183_Set_Access listener;
    TFNMEA_0183_Set_Access2 fields;
    TFTopicTemplate editor;
    const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    auto shoot = [&](QWidget &w, const QString &name) {
        w.move(0, 0);
        QApplication::processEvents();
        QTest::qWait(50);
        QImage img = w.grab().toImage();
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            img = w.screen()->grabWindow(0, 0, 0, w.frameGeometry().width(), w.frameGeometry().height()).toImage();
        EXPECT_GE(img.width(), w.width()) << name.toStdString();
        if (!keep.isEmpty()) img.save(keep + QStringLiteral("/%1.png").arg(name));
        return img;
    };
    for (TTable_Window *w : std::initializer_list<TTable_Window *>{&snmp, &mqtt, &listener, &fields}) {
        open(*w);
        if (w == &snmp) {
            setCells(*snmp.NCG_SNMP_Read, 1, kSnmpRead);
            setCells(*snmp.NCG_SNMP_Write, 1, kSnmpWrite);
        } else if (w == &mqtt) {
            setCells(*mqtt.NCG_Pub, 1, kPublishRow);
            setCells(*mqtt.NCG_Sub, 1, kSubscribeRow);
        } else if (w == &listener) {
            setCells(*listener.sga, 1, kListenerRow);
        } else {
            putCells(fields, 0, 1, kSentenceRow);
        }
        const int sheets = w->PageControl1 ? 2 : 1;
        for (int tab = 0; tab < sheets; ++tab) {
            if (w->PageControl1) w->PageControl1->setCurrentIndex(tab);
            TNovaStringGrid *g = w->Grids[size_t(tab)];
            shoot(*w, QStringLiteral("%1_tab%2").arg(w->objectName()).arg(tab));
            // The grid shows its titles: dark text in the title row.
            const QRect title = g->geometry().translated(g->parentWidget()->mapTo(w, QPoint()));
            const QImage own = w->grab().toImage();
            int ink = 0;
            for (int x = title.left(); x < title.right(); ++x)
                if (own.pixelColor(x, title.top() + 11).lightness() < 80) ++ink;
            EXPECT_GT(ink, 30) << w->objectName().toStdString() << " tab " << tab;
        }
        w->hide();
    }
    editor.TopicTemplate = true;
    editor.RE_TopicTemplate->setPlainText(QStringLiteral("{\"value\": $VALUE$}"));
    editor.show();
    QApplication::processEvents();
    shoot(editor, QStringLiteral("FTopicTemplate"));
    EXPECT_GT(editor.RE_TopicTemplate->height(), editor.NSG_Keywords->height()) << "the text takes the room";
    editor.hide();
}

} // namespace
