#include "shell/ParGenFile.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QAbstractButton>

using testsupport::ModalResponder;

namespace {

// Step 4 builds and saves the four images of the open configuration.
class UpdateStep : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TProgramWindows> windows;

    void SetUp() override
    {
        QDir(dir.path()).mkpath("PROJECTS/Plant");
        QFile f(dir.filePath("Fabricor.xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
        f.close();
        windows = std::make_unique<TProgramWindows>(dir.path());
        ASSERT_EQ(Project_Path, dir.filePath("PROJECTS/Plant"));
    }
    QString bin(const char *name) const { return dir.filePath(QStringLiteral("PROJECTS/Plant/bin/") + name); }
};

TEST_F(UpdateStep, WritesTheFourImagesIntoBin)
{
    TParGenData data;
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(data, doc, ParGen_File));
    ModalResponder responder;
    FDovavivuvFirmWare->Btn_Click(FDovavivuvFirmWare->Btn_CreateBin);
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join("\n").toStdString();
    EXPECT_EQ(QFileInfo(bin("bank1.bin")).size(), 2048);
    EXPECT_EQ(QFileInfo(bin("bank1_ESP32.bin")).size(), 2048);
    EXPECT_TRUE(QFileInfo::exists(bin("bank2.bin")));
    EXPECT_TRUE(QFileInfo::exists(bin("bank2_ESP32.bin")));
}

TEST_F(UpdateStep, FailedBuildShowsWhyAndWritesNothing)
{
    QFile f(ParGen_File);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<Par_Gen><WebServer_Password>far too long</WebServer_Password></Par_Gen>");
    f.close();
    ModalResponder responder;
    FDovavivuvFirmWare->Btn_Click(FDovavivuvFirmWare->Btn_CreateBin);
    ASSERT_EQ(responder.boxes().size(), 1);
    EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(responder.boxes()[0].buttons, QMessageBox::Ok);
    EXPECT_TRUE(responder.texts()[0].contains("WebServer_Password")) << responder.texts()[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(bin("bank1.bin")));
}

// Without "ParGen.xml" the device would get an address and a serial line nobody chose.
TEST_F(UpdateStep, WithoutParGenNothingIsWrittenAndTheFileIsNamed)
{
    ASSERT_FALSE(QFileInfo::exists(ParGen_File));
    QDir().mkpath(bin(""));
    testsupport::writeFile(bin("bank1.bin"), "older image");
    ModalResponder responder;
    FDovavivuvFirmWare->Btn_Click(FDovavivuvFirmWare->Btn_CreateBin);
    ASSERT_EQ(responder.boxes().size(), 1);
    EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(responder.texts()[0].contains("\"ParGen.xml\"")) << responder.texts()[0].toStdString();
    EXPECT_EQ(testsupport::readAll(bin("bank1.bin")), QByteArray("older image"));
    EXPECT_EQ(QDir(bin("")).entryList(QDir::Files), QStringList{"bank1.bin"});
}

} // namespace
