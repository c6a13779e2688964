#pragma once
// Steps of the scripted roads through the main window.
#include "shell/UDovavivuvFirmWare.h"
#include "iolink/UBoot.h"
#include "shell/UNew_Project.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

inline void createConfiguration(const QString &name)
{
    testsupport::ModalResponder responder;
    responder.then([name](QWidget *d) {
        auto *dlg = qobject_cast<TFNew_Project *>(d);
        ASSERT_NE(dlg, nullptr);
        dlg->E_New_Proj->setText(name);
        dlg->Btn_OK->click();
    });
    FDovavivuvFirmWare->Btn_New->click();
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
}

// Step 4 of the open configuration: the images, the ping of 127.0.0.1, the job beside the program
// and the update tool, which copies the job it sees to "seen.xml".
inline void stepFourOnLoopback(const QString &programDir, const QString &configuration)
{
    const QString tool = QDir(programDir).filePath("Ethernet_Update.exe");
    testsupport::writeFile(tool, "#!/bin/sh\nd=$(dirname \"$0\")\ncp \"$d/Ethernet_Update.xml\" \"$d/seen.xml\"\nexit 0\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    testsupport::ModalResponder responder;
    QString opened;
    responder.then([&](QWidget *d) {
        opened = d->objectName();
        auto *boot = static_cast<TFBoot *>(d);
        boot->E_IP1->setText("127");
        boot->E_IP2->setText("0");
        boot->E_IP3->setText("0");
        boot->E_IP4->setText("1");
        // Pressed from the window's own loop, so message boxes of the update are answered too.
        QTimer::singleShot(0, boot, [boot] {
            boot->Btn_Update->click();
            boot->Btn_Cancel->click();
        });
    });
    FDovavivuvFirmWare->Btn_CreateBin->click();
    EXPECT_EQ(opened, "FBoot");
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
    const QString bin = QDir(programDir).filePath("PROJECTS/" + configuration + "/bin/");
    EXPECT_EQ(QFileInfo(bin + "bank1.bin").size(), 2048);
    EXPECT_EQ(QFileInfo(bin + "bank1_ESP32.bin").size(), 2048);
    EXPECT_TRUE(QFileInfo::exists(bin + "bank2.bin"));
    EXPECT_TRUE(QFileInfo::exists(bin + "bank2_ESP32.bin"));
    const QByteArray job = testsupport::readAll(QDir(programDir).filePath("Ethernet_Update.xml"));
    EXPECT_TRUE(job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
    EXPECT_TRUE(job.contains(QString("<Ope_FileName>" + bin + "bank2_ESP32.bin</Ope_FileName>").toUtf8()));
    EXPECT_EQ(testsupport::readAll(QDir(programDir).filePath("seen.xml")), job);
}
