// The road of a configuration through Steps 1 to 4, scripted from the main window with real IODDs.
#include "grid/NovaColumnGrid.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "platform/Ping.h"
#include "platform/Xml.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/UNew_Project.h"
#include "shell/UParGen.h"
#include "support/TestSupport.h"
#include "RoadSteps.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QPushButton>
#include <pugixml.hpp>

using testsupport::ModalResponder;

namespace {

const QString kFirst = QStringLiteral("IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml");
const QString kSecond = QStringLiteral("IO-Link-06-EventDevice-20240824-IODD1.1.xml");

QStringList childNames(const pugi::xml_node &n)
{
    QStringList out;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) out << QString::fromUtf8(c.name());
    return out;
}

QStringList attributeNames(const pugi::xml_node &n)
{
    QStringList out;
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) out << QString::fromUtf8(a.name());
    return out;
}

TEST(MainRoad, TwoRealIoddsThroughStepFourFromAnEmptyFolder)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QString corpus = testsupport::sharedIoddDir();
    QTemporaryDir dir;
    TProgramWindows windows(dir.path());
    auto *w = FDovavivuvFirmWare;
    for (const QString &name : {kFirst, kSecond})
        ASSERT_TRUE(QFile::copy(corpus + "/devices/" + name, IODD_Catalog_Dir + "/" + name));
    ASSERT_TRUE(QFile::copy(corpus + "/standard/IODD-StandardDefinitions1.1.xml",
                            IOLink_StaDef_Dir + "/IODD-StandardDefinitions1.1.xml"));

    createConfiguration("Road");
    ASSERT_FALSE(HasFatalFailure());
    QString variant;
    {
        ModalResponder responder;
        responder.then([&](QWidget *d) {
            auto *dlg = qobject_cast<TFParGen *>(d);
            ASSERT_NE(dlg, nullptr);
            const int i = dlg->CB_IOLink_SelectDevice->findText("-A1-2A-2B", Qt::MatchEndsWith);
            ASSERT_GE(i, 0);
            dlg->CB_IOLink_SelectDevice->setCurrentIndex(i);
            variant = dlg->CB_IOLink_SelectDevice->currentText();
            dlg->Btn_OK->click();
        });
        w->Btn_Prm_Gen->click();
        ASSERT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
    }

    // Step 3: port 1 (kind B) and port 3 (kind A) get their IODDs through the catalog, both in
    // IO-Link mode, and OK saves. One answer serves every modal window, whichever comes next.
    QStringList picks{kFirst, kSecond};
    bool started = false;
    QString opened;
    ModalResponder responder(60000);
    std::function<void(QWidget *)> answer = [&](QWidget *d) {
        if (auto *cat = qobject_cast<TFIOLink_IODD_Catalog *>(d)) {
            // Answered from the catalog's own loop: a box it shows must not wait on this one.
            QTimer::singleShot(0, cat, [cat, pick = picks.front()] {
                TNovaStringGrid *list = cat->NSG_IODD_Cat;
                for (int r = 1; r < list->RowCount(); ++r)
                    if (list->Cells(2, r) == pick) list->FocusCell(1, r);
                cat->Btn_OK->click();
            });
            picks.pop_front();
        } else if (auto *box = qobject_cast<QMessageBox *>(d)) {
            box->defaultButton() ? box->defaultButton()->click() : box->escapeButton()->click();
        } else if (auto *table = qobject_cast<TFIO_Link_Set_Access *>(d); table && !started) {
            started = true;
            opened = table->objectName();
            QTimer::singleShot(0, table, [table] {
                for (int row : {1, 3}) {
                    table->NCG_IODD->FocusCell(0, row);
                    table->NCG_IODDDblClickCell(row, 0);
                    table->NCG_IODD->SetCells(1, row, "IO-Link");
                    table->NCG_IODDComboChange(1, row, 1, "IO-Link");
                }
                table->Btn_OK->click();
                if (table->isVisible()) table->Btn_Cancel->click();
            });
        }
        responder.then(answer);
    };
    responder.then(answer);
    w->Btn_IOLink_Set_Access->click();
    EXPECT_EQ(opened, "FIO_Link_Set_Access");
    EXPECT_TRUE(picks.isEmpty());
    EXPECT_FALSE(responder.timedOut());
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();

    const QString project = dir.filePath("PROJECTS/Road/");
    // "ParGen.xml": the root with the chosen variant, the version comment after it, no declaration.
    const QByteArray parGen = testsupport::readAll(project + "ParGen.xml");
    EXPECT_TRUE(parGen.startsWith("<Par_Gen>"));
    EXPECT_TRUE(parGen.endsWith("</Par_Gen><!--SW_VERSION = 1.103-->"));
    EXPECT_TRUE(parGen.contains(("<IOLink_SelectDevice>" + variant + "</IOLink_SelectDevice>").toUtf8()));

    // Each chosen IODD is copied whole into the configuration's "IODD" folder.
    for (const QString &name : {kFirst, kSecond})
        EXPECT_EQ(testsupport::readAll(project + "IODD/" + name), testsupport::readAll(corpus + "/devices/" + name)) << name.toStdString();

    // "IOLink_SetAccess.xml": one channel per port of the variant, in port order.
    const QByteArray saved = testsupport::readAll(project + "IOLink_SetAccess.xml");
    EXPECT_TRUE(saved.startsWith("<IO-Link><IO-Link_Channels><Channel>")) << saved.left(60).constData();
    EXPECT_TRUE(saved.endsWith("</IO-Link><!--SW_VERSION = 1.103-->"));
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(saved.constData(), size_t(saved.size()), pugi::parse_default | pugi::parse_comments));
    const pugi::xml_node channels = doc.child("IO-Link").child("IO-Link_Channels");
    ASSERT_EQ(childNames(channels), (QStringList{"Channel", "Channel", "Channel", "Channel"}));
    const QStringList fileAttributes{"FileName", "Pin4Mode", "ReadPin2", "Pin2Pos", "Pin2Bit", "Pin2Inv", "Pin2InType",
                                     "Pin2Mne", "Pin4Pos", "Pin4Bit", "Pin4Inv", "Pin4Mne", "TimeOut"};
    const QString files[] = {kFirst, "", kSecond, ""};
    int i = 0;
    for (pugi::xml_node ch = channels.first_child(); ch; ch = ch.next_sibling(), ++i) {
        SCOPED_TRACE(i);
        const pugi::xml_node f = ch.child("IODD_File");
        EXPECT_EQ(attributeNames(f), fileAttributes);
        EXPECT_EQ(QString::fromUtf8(f.attribute("FileName").value()), files[i]);
        if (files[i].isEmpty()) {
            EXPECT_EQ(childNames(ch), QStringList{"IODD_File"});
            EXPECT_STREQ(f.attribute("Pin4Mode").value(), "Disable");
            continue;
        }
        EXPECT_STREQ(f.attribute("Pin4Mode").value(), "IO-Link");
        EXPECT_EQ(childNames(ch), (QStringList{"IODD_File", "Variables", "ProcessData", "Events"}));
        EXPECT_EQ(childNames(ch.child("ProcessData")).first(), "processDataCondition");
        const pugi::xml_node v = ch.child("Variables").first_child();
        EXPECT_EQ(attributeNames(v), (QStringList{"Enable", "Index", "SubIndex", "Value", "Position", "Bit", "Time",
                                                  "On_CMD", "On_Change", "On_Timer", "Length", "Access", "ReadTime",
                                                  "ReadPos", "ReadBit", "Total_bit_length", "SubindexAccessSupported",
                                                  "Bit_offset", "Name", "VarType"}));
        EXPECT_FALSE(QString::fromUtf8(v.attribute("Name").value()).isEmpty()) << "names filled before saving";
    }
    // The second port's process data start behind the first port's data, pins and events.
    const pugi::xml_node first = channels.first_child();
    const pugi::xml_node third = first.next_sibling().next_sibling();
    int firstEnd = 0;
    for (pugi::xml_node r = first.child("ProcessData").child("ProcessDataIn").first_child(); r; r = r.next_sibling())
        firstEnd = std::max(firstEnd, r.attribute("Position").as_int() + (r.attribute("BitLength").as_int() + 7) / 8);
    const int events = int(std::distance(first.child("Events").begin(), first.child("Events").end()));
    EXPECT_EQ(first.child("IODD_File").attribute("Pin2Pos").as_int(), firstEnd);
    const pugi::xml_node thirdIn = third.child("ProcessData").child("ProcessDataIn").first_child();
    if (thirdIn) EXPECT_GE(thirdIn.attribute("Position").as_int(), firstEnd + 1 + (events + 7) / 8);

    // Step 4 on the same configuration, where this machine lets the program ping.
    if (platform::icmpEcho("127.0.0.1", 1000).error.isEmpty()) stepFourOnLoopback(dir.path(), "Road");
    w->close();
}

} // namespace
