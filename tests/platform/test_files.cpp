#include "platform/Files.h"
#include "platform/FormatSettings.h"
#include "platform/Xml.h"
#include "support/TestSupport.h"

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

// Characters XML 1.0 cannot hold are dropped from every file the program writes, so that the file
// reads back (by the program's own reader and by xmllint) with the rest of each text unchanged.
TEST(XmlWriting, DropsOnlyCharactersXmlCannotHold)
{
    const QString lowAlone = QString(QChar(0xDC00)), highAlone = QString(QChar(0xD800));
    struct Case {
        QString text, kept;
    };
    const std::vector<Case> cases = {
        {QString::fromUtf8("a\x01" "b"), "ab"},
        {QString::fromUtf8("bell\x07"), "bell"},
        {QString::fromUtf8("\x0B" "tab\x0C" "s"), "tabs"},
        {QString::fromUtf8("x\x1F" "y\x08" "z\x0E"), "xyz"},
        {QString::fromUtf8("no\xEF\xBF\xBE" "n\xEF\xBF\xBF" "e"), "none"},
        {"a" + highAlone + "b" + lowAlone, "ab"},
        {QString::fromUtf8("\x01\x02\x03"), ""},
        {QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 a&b<c \"q\""),
         QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 a&b<c \"q\"")},
        {QString::fromUtf8("two\nlines"), QString::fromUtf8("two\nlines")},
        {QString::fromUtf8("cr\rlf\r\nend\r"), QString::fromUtf8("cr\rlf\r\nend\r")},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toUtf8().toHex(' ').toStdString());
        EXPECT_EQ(platform::xmlChars(c.text), c.kept);

        pugi::xml_document doc;
        pugi::xml_node root = doc.append_child("Root");
        root.append_attribute("a").set_value(platform::toXml(c.text).constData());
        root.append_child("t").text().set(platform::toXml(c.text).constData());
        const QString path = dir.filePath("out.xml");
        ASSERT_TRUE(platform::saveXmlFile(doc, path, pugi::format_raw | pugi::format_no_declaration, ""));

        platform::XmlFile back;
        ASSERT_TRUE(back.load(path)) << back.error().message().toStdString();
        const pugi::xml_node r = back.document().document_element();
        EXPECT_EQ(QString::fromUtf8(r.attribute("a").value()), c.kept);
        EXPECT_EQ(QString::fromUtf8(r.child("t").text().get()), c.kept);
        QString lint;
        if (testsupport::xmllintMessages(path, lint))
            EXPECT_TRUE(lint.isEmpty()) << lint.toStdString();
    }
}

// The same rule holds for values put into a tree as bytes, whatever node holds them: the writer
// cleans the tree it is given, not only the texts that went through toXml.
TEST(XmlWriting, CleansEveryValueOfTheTree)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Root");
    root.append_attribute("a").set_value("1\x02" "2");
    root.append_child("t").text().set("bad \xC3( utf-8 \xEF\xBF\xBF");
    root.append_child(pugi::node_comment).set_value("c\x1B" "c");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.103");
    const QByteArray bytes = platform::xmlBytes(doc, pugi::format_raw | pugi::format_no_declaration, "");
    EXPECT_EQ(bytes, QByteArray("<Root a=\"12\"><t>bad ( utf-8 </t><!--cc--></Root><!--SW_VERSION = 1.103-->"));
    // The tree the caller gave keeps its values.
    EXPECT_STREQ(root.attribute("a").value(), "1\x02" "2");
    platform::XmlFile back;
    EXPECT_TRUE(back.loadBytes(bytes, QStringLiteral("bytes"))) << back.error().message().toStdString();
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
