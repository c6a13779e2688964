#include "platform/Files.h"
#include "platform/FormatSettings.h"
#include "platform/Xml.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AtomicWrite, ReplacesWholeFileAndKeepsOldOneOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.xml");
    ASSERT_TRUE(platform::writeFileAtomic(path, "first"));
    ASSERT_TRUE(platform::writeFileAtomic(path, "second"));
    QByteArray data;
    ASSERT_TRUE(platform::readFile(path, data));
    EXPECT_EQ(data, "second");

    // A folder that does not exist: nothing written, a reason given.
    QString err;
    EXPECT_FALSE(platform::writeFileAtomic(dir.filePath("missing/b.xml"), "x", &err));
    EXPECT_FALSE(err.isEmpty());
    // No temporary files left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.xml"});
}

TEST(AtomicWrite, PiecesReplaceTheFileOnlyOnCommit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.csv");
    ASSERT_TRUE(platform::writeFileAtomic(path, "old"));
    QByteArray data;
    {
        platform::WholeFileWriter w(path);
        ASSERT_TRUE(w.open());
        w.write("new ");
        ASSERT_TRUE(platform::readFile(path, data));
        EXPECT_EQ(data, "old"); // the pieces are not there yet
        // dropped without commit: the old file stays
    }
    ASSERT_TRUE(platform::readFile(path, data));
    EXPECT_EQ(data, "old");
    platform::WholeFileWriter w(path);
    ASSERT_TRUE(w.open());
    w.write("new ");
    w.write("text");
    ASSERT_TRUE(w.commit());
    ASSERT_TRUE(platform::readFile(path, data));
    EXPECT_EQ(data, "new text");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.csv"});

    QString err;
    platform::WholeFileWriter missing(dir.filePath("missing/b.csv"));
    EXPECT_FALSE(missing.open(&err));
    EXPECT_FALSE(err.isEmpty());
}

TEST(XmlFile, RefusesMalformedDocumentWithReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.xml");
    ASSERT_TRUE(platform::writeFileAtomic(path, "<a><b></a>"));
    pugi::xml_document doc;
    QString err;
    EXPECT_FALSE(platform::readXmlFile(doc, path, pugi::parse_default, &err));
    EXPECT_TRUE(err.startsWith(path + ", line 1: ")) << err.toStdString();
}

TEST(FormatSettings, OverrideWinsWhileInScope)
{
    platform::FormatSettings s;
    s.decimalSeparator = QLatin1Char(',');
    {
        platform::ScopedFormatSettings scope(s);
        EXPECT_EQ(platform::FormatSettings::current().decimalSeparator, QLatin1Char(','));
    }
    EXPECT_EQ(platform::FormatSettings::current().decimalSeparator,
              platform::FormatSettings::fromSystem().decimalSeparator);
}
