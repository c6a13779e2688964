#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/USettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char kDefaultFile[] =
    "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress>"
    "</lastipadd><lastlang><language>English</language></lastlang><lastinternet>"
    "<enable_internet>0</enable_internet><enable_update>0</enable_update>"
    "<enable_jump_field_tables>0</enable_jump_field_tables><Double_Click_Auto_Size>0</Double_Click_Auto_Size>"
    "</lastinternet></Conf_Settings>";

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Init_Program_Dirs(dir.path());
        // Something other than the defaults, so reading must overwrite every value.
        Project_Name = "stale";
        Last_IP_Address = "1.1.1.1";
        Language_Name = "Deutsch";
        Opt_Enable_Internet = Opt_Enable_Update = Opt_Enable_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
    }
    void writeSettings(const QByteArray &xml) { ASSERT_TRUE(platform::writeFileAtomic(Settings_File_Path(), xml)); }
    QByteArray fileBytes()
    {
        QFile f(Settings_File_Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(SettingsFile, StartupCreatesProgramFolders)
{
    for (const char *d : {"MASTER", "PROJECTS", "LANGUAGE", "IODD_Catalog", "IOLink_StaDef"})
        EXPECT_TRUE(QDir(dir.filePath(d)).exists()) << d;
    EXPECT_EQ(IOLink_StaDef_Dir, dir.path() + "/IOLink_StaDef/");
    EXPECT_EQ(Projects_Dir, dir.path() + "/PROJECTS");
}

TEST_F(SettingsFile, MissingFileGivesDefaultsAndWritesExactDocument)
{
    EXPECT_EQ(Read_Settings(), SettingsRead::Missing);
    EXPECT_EQ(Project_Name, "");
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");
    EXPECT_EQ(Language_Name, "English");
    EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Enable_Jump_Field_Tables || Opt_Double_Click_Auto_Size);
    ASSERT_TRUE(Write_Settings());
    EXPECT_EQ(fileBytes(), QByteArray(kDefaultFile));
}

TEST_F(SettingsFile, RoundTripKeepsEveryValue)
{
    Project_Name = "Plant 1";
    Last_IP_Address = "10.0.0.7";
    Language_Name = "Italiano";
    Opt_Enable_Internet = true;
    Opt_Enable_Update = false;
    Opt_Enable_Jump_Field_Tables = true;
    Opt_Double_Click_Auto_Size = false;
    ASSERT_TRUE(Write_Settings());
    Project_Name = Last_IP_Address = Language_Name = "x";
    Opt_Enable_Internet = Opt_Enable_Jump_Field_Tables = false;
    ASSERT_EQ(Read_Settings(), SettingsRead::Read);
    EXPECT_EQ(Project_Name, "Plant 1");
    EXPECT_EQ(Last_IP_Address, "10.0.0.7");
    EXPECT_EQ(Language_Name, "Italiano");
    EXPECT_TRUE(Opt_Enable_Internet);
    EXPECT_FALSE(Opt_Enable_Update);
    EXPECT_TRUE(Opt_Enable_Jump_Field_Tables);
    EXPECT_FALSE(Opt_Double_Click_Auto_Size);
}

// A configuration or language name holding characters XML cannot hold: the file still reads back,
// without those characters, and is never taken for a damaged one.
TEST_F(SettingsFile, CharactersXmlCannotHoldAreDroppedAndTheFileReadsBack)
{
    Project_Name = QString::fromUtf8("Plant\x01 1\x1F\r");
    Language_Name = QString::fromUtf8("Itali\x0B" "ano\xEF\xBF\xBF");
    Opt_Enable_Update = true;
    ASSERT_TRUE(Write_Settings());
    QString error;
    ASSERT_EQ(Read_Settings(&error), SettingsRead::Read) << error.toStdString();
    EXPECT_EQ(Project_Name, "Plant 1\r");
    EXPECT_EQ(Language_Name, "Italiano");
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_FALSE(QFile::exists(Settings_File_Path() + ".bad"));
    QString lint;
    if (testsupport::xmllintMessages(Settings_File_Path(), lint))
        EXPECT_TRUE(lint.isEmpty()) << lint.toStdString();
}

TEST_F(SettingsFile, EachValueFallsBackOnItsOwn)
{
    const struct {
        const char *xml;
        const char *project, *ip, *lang;
        bool internet, update, jump, autosize;
    } cases[] = {
        // no lastinternet: all options off, the rest read
        {"<Conf_Settings><lastproj><projectname>P</projectname></lastproj><lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd></Conf_Settings>",
         "P", "1.2.3.4", "English", false, false, false, false},
        // only the exact text "1" counts
        {"<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
         "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, true, true},
        // another root name is read all the same; an empty ipaddress stays empty
        {"<Other><lastipadd><ipaddress></ipaddress></lastipadd><lastlang><language>Deutsch</language></lastlang></Other>",
         "", "", "Deutsch", false, false, false, false},
        // an element holding elements instead of text gives the default
        {"<Conf_Settings><lastlang><language><b>x</b></language></lastlang><lastproj><projectname> Plant </projectname></lastproj></Conf_Settings>",
         " Plant ", "192.168.2.205", "English", false, false, false, false},
        // a comment before the root: the first node is not the root, every default
        {"<!-- c --><Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, false, false},
        // a declaration before the root: likewise
        {"<?xml version=\"1.0\"?><Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, false, false},
    };
    for (const auto &c : cases) {
        SetUp();
        writeSettings(c.xml);
        EXPECT_EQ(Read_Settings(), SettingsRead::Read) << c.xml;
        EXPECT_EQ(Project_Name, QString::fromLatin1(c.project)) << c.xml;
        EXPECT_EQ(Last_IP_Address, QString::fromLatin1(c.ip)) << c.xml;
        EXPECT_EQ(Language_Name, QString::fromLatin1(c.lang)) << c.xml;
        EXPECT_EQ(Opt_Enable_Internet, c.internet) << c.xml;
        EXPECT_EQ(Opt_Enable_Update, c.update) << c.xml;
        EXPECT_EQ(Opt_Enable_Jump_Field_Tables, c.jump) << c.xml;
        EXPECT_EQ(Opt_Double_Click_Auto_Size, c.autosize) << c.xml;
    }
}

TEST_F(SettingsFile, MalformedFileGivesDefaultsWithReason)
{
    writeSettings("<Conf_Settings><lastproj>");
    QString err;
    EXPECT_EQ(Read_Settings(&err), SettingsRead::Malformed);
    EXPECT_TRUE(err.contains("Fabricor.xml.bad")) << err.toStdString();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");
    // The unreadable file survives the next save beside the new one.
    ASSERT_TRUE(Write_Settings());
    QFile kept(Settings_File_Path() + ".bad");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("<Conf_Settings><lastproj>"));
}

// A Latin-1 "ü" is not UTF-8: the file counts as not well-formed instead of being read with U+FFFD
// and written back so on close.
TEST_F(SettingsFile, Latin1FileIsKeptAsBadAndReplacedByTheDefaults)
{
    const QByteArray latin1 = "<Conf_Settings><lastproj>\n<projectname>Pr\xFC" "fung</projectname></lastproj>"
                              "<lastlang><language>Deutsch</language></lastlang></Conf_Settings>";
    writeSettings(latin1);
    QString err;
    EXPECT_EQ(Read_Settings(&err), SettingsRead::Malformed);
    EXPECT_TRUE(err.contains("Fabricor.xml, line 2: ")) << err.toStdString();
    EXPECT_TRUE(err.contains("\"Fabricor.xml.bad\"")) << err.toStdString();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_EQ(Language_Name, "English");
    ASSERT_TRUE(Write_Settings());
    EXPECT_EQ(fileBytes(), QByteArray(kDefaultFile));
    QFile kept(Settings_File_Path() + ".bad");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), latin1);
}

TEST_F(SettingsFile, UnwritableFolderReportsAndKeepsState)
{
    Exe_Dir = dir.filePath("does-not-exist");
    Language_Name = "Italiano";
    QString err;
    EXPECT_FALSE(Write_Settings(&err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(Language_Name, "Italiano");
}

TEST_F(SettingsFile, RememberedProjectOpensOnlyWhenItsFolderExists)
{
    ASSERT_TRUE(QDir(Projects_Dir).mkdir("Plant"));
    Project_Name = "Plant";
    EXPECT_TRUE(Reopen_Last_Project());
    EXPECT_EQ(Project_Path, Projects_Dir + "/Plant");

    Project_Name = "Deleted";
    EXPECT_FALSE(Reopen_Last_Project());
    EXPECT_EQ(Project_Path, "");
    EXPECT_EQ(Project_Name, "Deleted"); // written back on exit unchanged

    // A name reaching outside PROJECTS opens nothing even when the target exists.
    ASSERT_TRUE(QDir(dir.path()).mkdir("outside"));
    for (const char *n : {"../outside", "..", "Plant/../Plant"}) {
        Project_Name = n;
        EXPECT_FALSE(Reopen_Last_Project()) << n;
        EXPECT_EQ(Project_Path, "");
    }
}

} // namespace
