// The description-file commands as the user meets them: the GSDML name dialog, and the main
// window's writer buttons with a scripted file chooser and answered message boxes.
#include "platform/Clock.h"
#include "protocols/UProfinetFileName.h"
#include "protocols/USNMP_MIB.h"
#include "protocols/USNMP_Trap_Access.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::ScriptedFileChooser;
using testsupport::writeFile;

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QDateTime startOfRun() { return QDateTime(QDate(2024, 3, 26), QTime(23, 59, 30)); }

class Commands : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TProgramWindows> windows;
    DIDurovuzozAdozAvir *w = nullptr;
    QStringList locked;  // folders made unwritable, set free again at the end

    void SetUp() override
    {
        platform::setClock([] { return startOfRun(); }, {});
        windows = std::make_unique<TProgramWindows>(dir.path());
        w = FDovavivuvFirmWare;
        Project_Name = QStringLiteral("Plant");
        Project_Path = Projects_Dir + QStringLiteral("/Plant");
        QDir().mkpath(Project_Path);
        Set_Files();
        // The next day: the name dialog keeps the day the program started.
        platform::setClock([] { return startOfRun().addSecs(3600); }, {});
    }
    void TearDown() override
    {
        for (const QString &f : locked) {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), f});
            QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        windows.reset();
        platform::setClock({}, {});
    }
    QString project(const QString &name) const { return Project_Path + QLatin1Char('/') + name; }

    // Makes folder refuse new files: by its permissions, or (for root) as an immutable folder.
    bool lock(const QString &folder)
    {
        locked << folder;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (!QFile(folder + "/probe").open(QIODevice::WriteOnly)) return true;
        QFile::remove(folder + "/probe");
        return QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0
               && !QFile(folder + "/probe").open(QIODevice::WriteOnly);
    }
};

// ---- The GSDML name dialog -------------------------------------------------------------------

TEST_F(Commands, NameDialogProposesTheGsdmlFileName)
{
    TFProfinetFileName *d = FProfinetFileName;
    ASSERT_NE(d, nullptr);
    const QString fix1 = QStringLiteral("GSDML-V2.31-Velmar-PN00000");
    EXPECT_EQ(d->L_XML_Fix1->text(), fix1);
    EXPECT_EQ(d->L_XML_Fix2->text(), "-20240326.xml") << "the start date, not the day it is used";
    EXPECT_EQ(d->size(), QSize(540, 205));
    EXPECT_EQ(d->L_SW_Code->text(), SW_Code);
    const struct {
        const char *user;
        const char *name;
    } cases[] = {
        {"", "GSDML-V2.31-Velmar-PN00000-20240326.xml"},
        {"   ", "GSDML-V2.31-Velmar-PN00000-20240326.xml"},
        {"abc", "GSDML-V2.31-Velmar-PN00000_abc-20240326.xml"},
        {"_abc", "GSDML-V2.31-Velmar-PN00000_abc-20240326.xml"},
        {" line 2 ", "GSDML-V2.31-Velmar-PN00000_ line 2 -20240326.xml"},
        {"a/b\\c:d*e?f\"g<h>i|j\tk", "GSDML-V2.31-Velmar-PN00000_a_b_c_d_e_f_g_h_i_j_k-20240326.xml"},
        {"/x", "GSDML-V2.31-Velmar-PN00000_x-20240326.xml"},
    };
    for (const auto &c : cases) {
        ModalResponder responder;
        responder.then([&](QWidget *m) {
            ASSERT_EQ(m, d);
            d->E_XML_User->setText(QString::fromUtf8(c.user));
            QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
        });
        EXPECT_EQ(d->exec(), QDialog::Accepted) << c.user;
        EXPECT_EQ(d->Name_File_XML, QString::fromUtf8(c.name)) << c.user;
    }
    // Each showing keeps the user part typed before; Cancel leaves the name as it was.
    ModalResponder responder;
    responder.then([&](QWidget *) {
        EXPECT_EQ(d->E_XML_User->text(), "/x");
        QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(d->exec(), QDialog::Rejected);
    EXPECT_EQ(d->Name_File_XML, "GSDML-V2.31-Velmar-PN00000_x-20240326.xml");
}

TEST_F(Commands, NameDialogTakesItsTexts)
{
    TFProfinetFileName *d = FProfinetFileName;
    EXPECT_EQ(d->windowTitle(), QStringLiteral("PROFINET XML File Name"));
    EXPECT_EQ(d->windowTitle(), LT(1800));
    EXPECT_EQ(d->L_SW_Desc->text(), LT(1801));
    EXPECT_EQ(d->Btn_OK->text(), LT(1802));
    EXPECT_EQ(d->Btn_Cancel->text(), LT(1803));
    EXPECT_EQ(d->Label1->text(), LT(1804));
    EXPECT_EQ(d->Label2->text(), LT(1805));
    EXPECT_EQ(d->Label3->text(), LT(1806));
    EXPECT_EQ(d->Label4->text(), LT(1807));
    EXPECT_EQ(d->E_XML_User->toolTip(), LT(1808));
    EXPECT_EQ(d->Btn_OK->toolTip(), LT(1809));
    EXPECT_EQ(d->Btn_Cancel->toolTip(), LT(1810));
    // The three parts stand side by side within the window, each under its caption.
    const QWidget *parts[] = {d->L_XML_Fix1, d->E_XML_User, d->L_XML_Fix2};
    const QLabel *captions[] = {d->Label2, d->Label3, d->Label4};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(captions[i]->x(), parts[i]->x());
        EXPECT_LT(captions[i]->y() + captions[i]->height(), parts[i]->y());
        if (i) EXPECT_GT(parts[i]->x(), parts[i - 1]->x() + parts[i - 1]->width());
    }
    EXPECT_LE(d->L_XML_Fix2->x() + d->L_XML_Fix2->width(), d->width());
    EXPECT_GT(d->E_XML_User->width(), 150);
}

// ---- The main window's writer buttons ---------------------------------------------------------

TEST_F(Commands, EdeAppendsCsvAndWritesOnlyOnYes)
{
    ScriptedFileChooser chooser;
    auto responder = std::make_unique<ModalResponder>();
    const struct {
        const char *typed;
        const char *file;
    } names[] = {{"objects", "objects.csv"}, {"upper.CSV", "upper.CSV"}, {"mixed.Csv", "mixed.Csv"},
                 {"list.csv.txt", "list.csv.txt.csv"}, {"a.cs", "a.cs.csv"}};
    for (const auto &n : names) {
        chooser.type(QString::fromLatin1(n.typed));
        w->Btn_Click(w->Btn_BACnet_EDE_File);
        EXPECT_TRUE(readAll(project(QString::fromLatin1(n.file))).startsWith("PROJECT_NAME; Velmar--Plant;;;;;;\r\n")) << n.typed;
    }
    ASSERT_FALSE(chooser.offered().isEmpty());
    const platform::FileChoice &offered = chooser.offered().first();
    EXPECT_TRUE(offered.save);
    EXPECT_EQ(offered.folder, Project_Path);
    EXPECT_EQ(offered.filter, "CSV (MS-DOS) (*.csv)");
    EXPECT_EQ(responder->modalsSeen(), 0);
    responder.reset();

    // An existing file: Yes, No, Cancel of the three-button question.
    writeFile(project("objects.csv"), "old");
    const struct {
        QMessageBox::StandardButton answer;
        bool written;
    } answers[] = {{QMessageBox::No, false}, {QMessageBox::Cancel, false}, {QMessageBox::Yes, true}};
    for (const auto &a : answers) {
        ModalResponder asked;
        asked.answerBox(a.answer);
        chooser.type(QStringLiteral("objects"));
        w->Btn_Click(w->Btn_BACnet_EDE_File);
        ASSERT_EQ(asked.boxes().size(), 1);
        EXPECT_EQ(asked.boxes()[0].text, LT(1505));
        EXPECT_EQ(asked.boxes()[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(readAll(project("objects.csv")) != "old", a.written) << int(a.answer);
    }
    // A cancelled chooser does nothing.
    chooser.cancel();
    ModalResponder quiet;
    w->Btn_Click(w->Btn_BACnet_EDE_File);
    EXPECT_EQ(quiet.modalsSeen(), 0);
}

TEST_F(Commands, EdsReplacesAFileWithoutAQuestion)
{
    ScriptedFileChooser chooser;
    ModalResponder responder;
    writeFile(project("device.eds"), "old");
    chooser.type(QStringLiteral("device.eds"));
    w->Btn_Click(w->Btn_CANopen_EDS);
    EXPECT_EQ(responder.modalsSeen(), 0);
    EXPECT_TRUE(readAll(project("device.eds")).startsWith("[FileInfo]\r\nFileName=CANopen_IOLink.eds\r\n"));
    EXPECT_EQ(chooser.offered().value(0).filter, "Electronic Data Sheet (*.eds)");
    EXPECT_EQ(chooser.offered().value(0).folder, Project_Path);
    chooser.cancel();
    w->Btn_Click(w->Btn_CANopen_EDS);
    EXPECT_EQ(QDir(Project_Path).entryList(QDir::Files), QStringList{"device.eds"});
}

TEST_F(Commands, MibAndEsiAskBeforeReplacingAFile)
{
    const struct {
        QAbstractButton *button;
        const char *typed, *file, *filter, *head;
    } cases[] = {
        {w->Btn_SNMP_MIB, "gateway", "gateway.mib", "Management Information Base (*.mib)", "GATEWAY DEFINITIONS ::= BEGIN\r\n"},
        {w->Btn_EtherCAT_ESI_File, "slave.xml", "slave.xml", "EtherCAT ESI File (*.xml)", "<?xml version=\"1.0\"?>\r\n"},
    };
    for (const auto &c : cases) {
        ScriptedFileChooser chooser;
        {
            ModalResponder responder;
            chooser.type(QString::fromLatin1(c.typed));
            w->Btn_Click(c.button);
            EXPECT_EQ(responder.modalsSeen(), 0) << c.file;
            EXPECT_TRUE(readAll(project(c.file)).startsWith(c.head)) << c.file;
            EXPECT_EQ(chooser.offered().value(0).filter, QLatin1String(c.filter));
        }
        writeFile(project(c.file), "old");
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            ModalResponder responder;
            responder.answerBox(answer);
            chooser.type(QString::fromLatin1(c.typed));
            w->Btn_Click(c.button);
            ASSERT_EQ(responder.boxes().size(), 1);
            EXPECT_EQ(responder.boxes()[0].text, LT(1505));
            EXPECT_EQ(responder.boxes()[0].buttons, QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(readAll(project(c.file)) == "old", answer == QMessageBox::No) << c.file;
        }
    }
}

TEST_F(Commands, GsdmlIsSavedUnderTheProposedNameInTheChosenFolder)
{
    ScriptedFileChooser chooser;
    const QString elsewhere = dir.filePath("elsewhere");
    QDir().mkpath(elsewhere);
    const QString target = elsewhere + "/GSDML-V2.31-Velmar-PN00000_unit 1-20240326.xml";
    auto run = [&](const QString &user, std::optional<QMessageBox::StandardButton> answer) {
        ModalResponder responder;
        responder.then([&](QWidget *m) {
            ASSERT_EQ(m, FProfinetFileName);
            FProfinetFileName->E_XML_User->setText(user);
            QTest::mouseClick(FProfinetFileName->Btn_OK, Qt::LeftButton);
        });
        if (answer) responder.answerBox(*answer);
        chooser.type(elsewhere + "/typed name.xml");
        w->Btn_Click(w->Btn_PROFINET_XML);
        return responder.boxes();
    };
    EXPECT_TRUE(run(QStringLiteral("unit 1"), std::nullopt).isEmpty());
    EXPECT_TRUE(readAll(target).startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_FALSE(QFile::exists(elsewhere + "/typed name.xml"));
    const platform::FileChoice &offered = chooser.offered().value(0);
    EXPECT_EQ(offered.folder, Project_Path);
    EXPECT_EQ(offered.proposedName, "GSDML-V2.31-Velmar-PN00000_unit 1-20240326.xml");
    EXPECT_EQ(offered.filter, "PROFINET XML (GSDML-V2.31-Velmar-PN00000_unit 1-20240326.xml)");

    writeFile(target, "old");
    QList<ModalResponder::Box> boxes = run(QStringLiteral("unit 1"), QMessageBox::No);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, LT(1811));
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(readAll(target), "old");
    run(QStringLiteral("unit 1"), QMessageBox::Yes);
    EXPECT_NE(readAll(target), "old");

    // Cancel in the name dialog: no chooser, nothing written.
    const qsizetype offers = chooser.offered().size();
    ModalResponder responder;
    responder.then([](QWidget *m) { QTest::mouseClick(static_cast<TFProfinetFileName *>(m)->Btn_Cancel, Qt::LeftButton); });
    w->Btn_Click(w->Btn_PROFINET_XML);
    EXPECT_EQ(chooser.offered().size(), offers);
}

TEST_F(Commands, AnUnreadableTableGivesOneBoxAndWritesNothing)
{
    ScriptedFileChooser chooser;
    writeFile(SNMP_Trap_File, "<SNMP_Trap>\n<SNMP_Trap_Read>\n<row Enable=\"Y\">\n</SNMP_Trap_Read></SNMP_Trap>");
    writeFile(BACnet_Slave_SetAccess_File, "<BACnet_to_Modbus><BACnet_in_Read><row/></BACnet_to_Modbus>");
    writeFile(PDO_CANopen_File, "<PDO_CANopen>\n<Receive_PDO>\n<row COB-ID=\"1\" Dimension=\"12\"/></Receive_PDO></PDO_CANopen>");
    writeFile(EtherCAT_Slave_File, "<EtherCAT_Slave/>");
    writeFile(IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>");
    writeFile(project("old.out"), "old");
    const struct {
        QAbstractButton *button;
        QString message;
        std::optional<QMessageBox::StandardButton> overwrite;
    } cases[] = {
        {w->Btn_SNMP_MIB, SNMP_Trap_File + ", line 4", QMessageBox::Yes},
        {w->Btn_BACnet_EDE_File, BACnet_Slave_SetAccess_File + ", line 1", std::nullopt},
        {w->Btn_CANopen_EDS, LT(2592), std::nullopt},
        {w->Btn_EtherCAT_ESI_File, EtherCAT_Slave_File + ", line 1", QMessageBox::Yes},
    };
    for (const auto &c : cases) {
        ModalResponder responder;
        if (c.overwrite) responder.answerBox(*c.overwrite);
        chooser.type(c.button == w->Btn_BACnet_EDE_File ? "old.out.csv" : "old.out");
        if (c.button == w->Btn_BACnet_EDE_File) writeFile(project("old.out.csv"), "old");
        w->Btn_Click(c.button);
        const QStringList texts = responder.texts();
        ASSERT_FALSE(texts.isEmpty()) << c.message.toStdString();
        EXPECT_TRUE(texts.last().startsWith(c.message)) << texts.last().toStdString();
        EXPECT_EQ(responder.boxes().last().icon, QMessageBox::Critical);
        EXPECT_EQ(texts.size(), c.overwrite ? 2 : (c.button == w->Btn_BACnet_EDE_File ? 2 : 1));
    }
    EXPECT_EQ(readAll(project("old.out")), "old");
    EXPECT_EQ(readAll(project("old.out.csv")), "old");

    // The GSDML export, after its name dialog.
    ModalResponder responder;
    responder.then([](QWidget *m) { QTest::mouseClick(static_cast<TFProfinetFileName *>(m)->Btn_OK, Qt::LeftButton); });
    chooser.type(QString());
    w->Btn_Click(w->Btn_PROFINET_XML);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts()[0].startsWith(IOLink_SetAccess_File + ", line 1")) << responder.texts()[0].toStdString();
    EXPECT_EQ(QDir(Project_Path).entryList({"GSDML*"}, QDir::Files), QStringList());
}

// The export runs the SNMP window's own data check over the saved rows: each file it refuses with
// exactly the box the window's OK shows over the same rows, and no MIB is written.
TEST_F(Commands, AFailingCheckOfTheSnmpRowsStopsTheMib)
{
    auto read = [](const char *description, const char *address = "127.0.0.1") {
        return QStringLiteral("<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"Int\" Position=\"0\" Bit=\"0\" "
                              "NumBits=\"8\" Description=\"%1\" IP_Address=\"%2\" Conversion=\"None\"/>")
            .arg(QLatin1String(description), QLatin1String(address));
    };
    auto write = [](const char *description, const char *bit = "0") {
        return QStringLiteral("<row Enable=\"Y\" Community_Name=\"Drevany\" Type=\"String\" Position=\"4\" Bit=\"%2\" "
                              "NumBits=\"16\" Description=\"%1\" Conversion=\"None\"/>")
            .arg(QLatin1String(description), QLatin1String(bit));
    };
    auto file = [](const QString &readRows, const QString &writeRows) {
        return QStringLiteral("<SNMP_Trap><SNMP_Trap_Read>%1</SNMP_Trap_Read><SNMP_Trap_Write>%2</SNMP_Trap_Write></SNMP_Trap>")
            .arg(readRows, writeRows)
            .toUtf8();
    };
    const struct {
        QByteArray rows;
        QString message;
    } cases[] = {
        {file(read("countin"), {}), LT(3260) + "1" + LT(3287)}, // a name the module defines
        {file(read("temp1") + read("trapval7"), {}), LT(3260) + "2" + LT(3287)},
        {file(read("temp1"), write("bufferoutblk2")), LT(3260) + "1" + LT(3287)},
        {file(read("temp1", "1.2.3"), {}), LT(3260) + "1" + LT(3268)},
        {file(read("Temp1"), {}), LT(3260) + "1" + LT(3277)},
        {file(read("temp1"), write("w1", "3")), LT(3260) + "1" + LT(3272)},
        {file(read("temp1"), write("temp1")), LT(3280)},
    };
    ScriptedFileChooser chooser;
    for (const auto &c : cases) {
        writeFile(SNMP_Trap_File, c.rows);
        {
            ModalResponder responder;
            chooser.type(QStringLiteral("gateway"));
            w->Btn_Click(w->Btn_SNMP_MIB);
            EXPECT_EQ(responder.texts(), QStringList{c.message}) << c.rows.toStdString();
            EXPECT_FALSE(QFile::exists(project("gateway.mib")));
        }
        TFSNMP_Trap_Access &snmp = *FSNMP_Trap_Access;
        ModalResponder responder;
        snmp.show();
        QApplication::processEvents();
        QTest::mouseClick(snmp.Btn_OK, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(responder.texts(), QStringList{c.message}) << "the window, over the same rows";
        EXPECT_TRUE(snmp.isVisible());
        snmp.hide();
        EXPECT_EQ(readAll(SNMP_Trap_File), c.rows);
    }

    // What the window accepts and saves, the export writes.
    writeFile(SNMP_Trap_File, file(read("temp1"), write("setpoint")));
    FSNMP_Trap_Access->show();
    QApplication::processEvents();
    {
        ModalResponder responder;
        QTest::mouseClick(FSNMP_Trap_Access->Btn_OK, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(responder.texts(), QStringList());
    }
    EXPECT_FALSE(FSNMP_Trap_Access->isVisible());
    ModalResponder responder;
    chooser.type(QStringLiteral("gateway"));
    w->Btn_Click(w->Btn_SNMP_MIB);
    EXPECT_EQ(responder.texts(), QStringList());
    EXPECT_TRUE(readAll(project("gateway.mib")).contains("setpoint OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write"));
}

TEST_F(Commands, AFolderThatCannotBeWrittenKeepsTheOldFile)
{
    const QString folder = dir.filePath("locked");
    QDir().mkpath(folder);
    writeFile(folder + "/device.eds", "old");
    if (!lock(folder)) GTEST_SKIP() << "no way to make a folder unwritable here";
    ScriptedFileChooser chooser;
    ModalResponder responder;
    chooser.type(folder + "/device.eds");
    w->Btn_Click(w->Btn_CANopen_EDS);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_FALSE(responder.texts()[0].trimmed().isEmpty());
    EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(readAll(folder + "/device.eds"), "old");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"device.eds"});
}

TEST_F(Commands, WriterButtonsStayHiddenAndNeedAConfiguration)
{
    Project_Path.clear();
    ScriptedFileChooser chooser;
    ModalResponder responder;
    const QList<QAbstractButton *> buttons{w->Btn_BACnet_EDE_File, w->Btn_CANopen_EDS, w->Btn_SNMP_MIB,
                                           w->Btn_EtherCAT_ESI_File, w->Btn_PROFINET_XML};
    for (QAbstractButton *b : buttons) {
        EXPECT_FALSE(b->isVisibleTo(w));
        w->Btn_Click(b);
    }
    EXPECT_EQ(responder.texts(), QStringList(5, LT(18)));
    EXPECT_TRUE(chooser.offered().isEmpty());
}

} // namespace
