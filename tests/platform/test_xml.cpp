// The one checked way every XML file is read: well-formedness beyond what pugixml checks,
// encodings, and the file's own line in every message.
#include "platform/Xml.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QByteArray utf16(const QByteArray &utf8, bool bigEndian, bool bom)
{
    const QString s = QString::fromUtf8(utf8);
    QByteArray out;
    if (bom)
        out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (const QChar c : s) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

QString firstText(platform::XmlFile &xml, const char *element, const char *attribute)
{
    return QString::fromUtf8(xml.document().document_element().child(element).attribute(attribute).value());
}

} // namespace

TEST(XmlFile, RefusesWhatIsNotWellFormed)
{
    const struct {
        const char *name;
        QByteArray bytes;
        int line;
        const char *cause;
    } cases[] = {
        {"second root element", "<?xml version='1.0'?>\n<a/>\n<b/>\n", 3, "second root element \"b\" after \"a\""},
        {"text after the root", "<a>\n</a>\ntail\n", 3, "text outside the root element"},
        {"text before the root", "head\n<a/>", 1, "text outside the root element"},
        {"duplicate attribute", "<a>\n<b x='1'\n   x='2'/></a>", 3, "attribute \"x\" twice in element \"b\""},
        {"undeclared entity in an attribute", "<a>\n<b x='&nbsp;'/></a>", 2, "undeclared entity \"&nbsp;\""},
        {"undeclared entity in text", "<a>\n\nx &euro; y</a>", 3, "undeclared entity \"&euro;\""},
        {"entity of a document type", "<!DOCTYPE a [<!ENTITY e 'x'>]>\n<a>&e;</a>", 2, "such entities are not supported"},
        {"bare ampersand", "<a x='fish & chips'/>", 1, "\"&\" that starts no entity or character reference"},
        {"reference to a character XML forbids", "<a>\n<b x='&#0;'/></a>", 2, "invalid character reference \"&#0;\""},
        {"< in an attribute", "<a>\n<b x='1<2'/></a>", 2, "\"<\" in the value of attribute \"x\""},
        {"< in an attribute beside &lt;", "<a y='&lt;'>\n<b x='1<2'/></a>", 2, "\"<\" in the value of attribute \"x\""},
        {"undeclared element prefix", "<a>\n<p:b/></a>", 2, "undeclared namespace prefix \"p\" in \"p:b\""},
        {"undeclared attribute prefix", "<a>\n<b q:x='1'/></a>", 2, "undeclared namespace prefix \"q\""},
        {"prefix declared on a sibling only", "<a><b xmlns:p='urn:p'/>\n<p:c/></a>", 2, "undeclared namespace prefix \"p\""},
        {"invalid UTF-8", "<a>\n<b x='Pr\xFC" "fung'/></a>", 2, "bytes that are not valid UTF-8"},
        {"truncated UTF-8", "<a x='\xC3'/>", 1, "bytes that are not valid UTF-8"},
        {"overlong UTF-8", "<a x='\xC0\xAF'/>", 1, "bytes that are not valid UTF-8"},
        {"UTF-8 surrogate", "<a x='\xED\xA0\x80'/>", 1, "bytes that are not valid UTF-8"},
        {"control character", "<a>\n\x01</a>", 2, "control character U+0001"},
        {"bytes beyond US-ASCII", "<?xml version='1.0' encoding='US-ASCII'?>\n<a x='\xC3\xA9'/>", 2, "not US-ASCII"},
        {"undefined windows-1252 byte", "<?xml version='1.0' encoding='windows-1252'?>\n<a>\n\x90</a>", 3, "byte 0x90 is no character"},
        {"unknown encoding", "<?xml version='1.0' encoding='x-klingon'?>\n<a/>", 1, "encoding \"x-klingon\" is not supported"},
        {"UTF-16 declared, 8-bit written", "<?xml version='1.0' encoding='UTF-16'?>\n<a/>", 1, "declares encoding \"UTF-16\""},
        {"UTF-32", QByteArray("\x00\x00\xFE\xFF\x00\x00\x00<", 8), 1, "UTF-32 files are not supported"},
        {"lone UTF-16 surrogate", utf16("<a>\n</a>", false, true).insert(4, QByteArray("\x00\xD8", 2)), 1, "invalid UTF-16"},
        {"odd UTF-16 byte count", utf16("<a>\n</a>", false, true) + 'x', 2, "ends in the middle of a character"},
        {"mismatched tags", "<a>\n<b></c></a>", 2, "Start-end tags mismatch"},
        {"empty file", "", 1, "no root element"},
        {"no root element", "<!-- only a comment -->\n", 2, "no root element"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::XmlFile xml;
        EXPECT_FALSE(xml.loadBytes(c.bytes, QStringLiteral("f.xml")));
        EXPECT_EQ(xml.error().kind, platform::XmlError::NotWellFormed);
        EXPECT_EQ(xml.error().line, c.line) << xml.error().message().toStdString();
        EXPECT_TRUE(xml.error().cause.contains(QLatin1String(c.cause))) << xml.error().message().toStdString();
        EXPECT_TRUE(xml.error().message().startsWith(QStringLiteral("f.xml, line %1: ").arg(c.line)))
            << xml.error().message().toStdString();
        EXPECT_FALSE(xml.document().document_element());
    }
}

// What pugixml rightly takes must still pass: the checks look at markup, not at comments,
// CDATA, processing instructions or escaped text.
TEST(XmlFile, AcceptsWellFormedFiles)
{
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"comment and whitespace after the root", "<a/>\n<!-- & < -->\n  \n"},
        {"ampersands and < inside comments, CDATA, instructions", "<a><!-- a & b < c --><![CDATA[ & <x> ]]><?pi & < ?></a>"},
        {"escaped < and & in attributes and text", "<a x='1 &lt; 2 &amp;&amp; &#60; &#x3C;'>&lt;tag&gt; &quot;&apos;</a>"},
        {"document type without entities", "<!DOCTYPE a>\n<a/>"},
        {"prefixes declared on ancestors, xml always", "<r xmlns:p='urn:p' xmlns:xsi='urn:x'><p:a xsi:type='t' xml:lang='en'/></r>"},
        {"default namespace", "<a xmlns='urn:a'><b/></a>"},
        {"same name in different elements", "<a x='1'><b x='2' y='3'/></a>"},
        {"characters beyond the basic plane", "<a x='\xF0\x9F\x98\x80'/>"},
        {"tabs and CR LF", "<a>\r\n\t<b/>\r\n</a>\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::XmlFile xml;
        EXPECT_TRUE(xml.loadBytes(c.bytes, QStringLiteral("f.xml"))) << xml.error().message().toStdString();
        EXPECT_TRUE(xml.document().document_element());
    }
}

TEST(XmlFile, DecodesTheFilesEncoding)
{
    const QString cafe = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC");
    const QByteArray utf8 = "<?xml version=\"1.0\"?>\n<a>\n<t v=\"Caf\xC3\xA9 \xE2\x82\xAC\"/></a>";
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + utf8},
        {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a>\n<t v=\"Caf\xE9 \x80\"/></a>"},
        {"ISO-8859-1 written by a Windows tool", "<?xml version='1.0' encoding = 'iso-8859-1' ?>\n<a>\n<t v=\"Caf\xE9 \x80\"/></a>"},
        {"ISO-8859-15", "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n<a>\n<t v=\"Caf\xE9 \xA4\"/></a>"},
        {"UTF-16 LE with byte-order mark", utf16(utf8, false, true)},
        {"UTF-16 BE with byte-order mark", utf16(utf8, true, true)},
        {"UTF-16 LE without byte-order mark", utf16(utf8, false, false)},
        {"UTF-16 BE without byte-order mark", utf16(utf8, true, false)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::XmlFile xml;
        ASSERT_TRUE(xml.loadBytes(c.bytes, QStringLiteral("f.xml"))) << xml.error().message().toStdString();
        EXPECT_EQ(firstText(xml, "t", "v"), cafe);
        EXPECT_EQ(xml.lineOf(xml.document().document_element().child("t")), 3);
    }
}

// The line of a node is the file's own, whatever the line ends, the encoding or the attribute
// texts before it (the parser rewrites line breaks and references inside attributes).
TEST(XmlFile, LinesAreTheFilesOwn)
{
    const QByteArray lf = "<a>\n<b x='one\ntwo'\n   y='&#10;&#10;&#13;&#10;'/>\n<c>text\nmore</c>\n<d/></a>";
    QByteArray cr = lf;
    cr.replace('\n', '\r');
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    for (const QByteArray &bytes : {lf, cr, crlf, utf16(lf, false, true), utf16(cr, true, true)}) {
        platform::XmlFile xml;
        ASSERT_TRUE(xml.loadBytes(bytes, QStringLiteral("f.xml"))) << xml.error().message().toStdString();
        const platform::XmlNode root = xml.documentElement();
        int lines[3] = {};
        int i = 0;
        for (platform::XmlNode n = root.first_child(); n && i < 3; n = n.next_sibling())
            lines[i++] = xml.lineOf(n);
        EXPECT_EQ(lines[0], 2);
        EXPECT_EQ(lines[1], 5);
        EXPECT_EQ(lines[2], 7);
        EXPECT_EQ(xml.lineOf(root.first_child().first_attribute().next_attribute()), 4);
        EXPECT_EQ(xml.lineOf(xml.document().document_element().child("d")), 7);
    }
}

// The copy of the tree mirrors the library's tree.
TEST(XmlFile, TreeCopyMatchesTheDocument)
{
    platform::XmlFile xml;
    ASSERT_TRUE(xml.loadBytes("<?xml version='1.0'?><!--c--><r a='1' b='2'>t<e/><![CDATA[d]]><?p q?></r>",
                              QStringLiteral("f.xml")));
    std::function<void(platform::XmlNode, pugi::xml_node)> same = [&](platform::XmlNode c, pugi::xml_node p) {
        ASSERT_EQ(c.node(), p);
        EXPECT_EQ(c.type(), p.type());
        EXPECT_STREQ(c.name(), p.name());
        EXPECT_STREQ(c.value(), p.value());
        EXPECT_STREQ(c.child_value(), p.child_value());
        pugi::xml_attribute pa = p.first_attribute();
        for (platform::XmlAttr a = c.first_attribute(); a; a = a.next_attribute(), pa = pa.next_attribute()) {
            EXPECT_STREQ(a.name(), pa.name());
            EXPECT_STREQ(a.value(), pa.value());
        }
        EXPECT_FALSE(pa);
        pugi::xml_node pc = p.first_child();
        for (platform::XmlNode cc = c.first_child(); cc; cc = cc.next_sibling(), pc = pc.next_sibling()) {
            EXPECT_EQ(cc.parent(), c);
            same(cc, pc);
        }
        EXPECT_FALSE(pc);
    };
    same(xml.root(), xml.document());
    EXPECT_EQ(xml.documentElement().node(), xml.document().document_element());
    EXPECT_STREQ(xml.document().first_child().name(), "xml");  // the declaration stays the first node
}

TEST(XmlFile, ReadXmlFileFillsTheCallersDocument)
{
    QTemporaryDir dir;
    const QString good = dir.path() + "/good.xml", bad = dir.path() + "/Fabricor.xml";
    testsupport::writeFile(good, "<!-- settings -->\n<Settings><Name>Pr\xC3\xBC" "fung</Name></Settings>\n");
    testsupport::writeFile(bad, "<Settings>\n<Name>Pr\xFC" "fung</Name></Settings>\n");

    pugi::xml_document doc;
    QString error;
    ASSERT_TRUE(platform::readXmlFile(doc, good, platform::kXmlReadOptions, &error)) << error.toStdString();
    EXPECT_EQ(doc.first_child().type(), pugi::node_comment);
    QString name;
    EXPECT_TRUE(platform::childText(doc.document_element(), "Name", name));
    EXPECT_EQ(name, QString::fromUtf8("Pr\xC3\xBC" "fung"));

    platform::XmlError details;
    EXPECT_FALSE(platform::readXmlFile(doc, bad, platform::kXmlReadOptions, &error, &details));
    EXPECT_EQ(details.kind, platform::XmlError::NotWellFormed);
    EXPECT_EQ(error, bad + ", line 2: not a well-formed XML file (bytes that are not valid UTF-8)");

    EXPECT_FALSE(platform::readXmlFile(doc, dir.path() + "/missing.xml", platform::kXmlReadOptions, &error, &details));
    EXPECT_EQ(details.kind, platform::XmlError::CannotRead);
    EXPECT_TRUE(error.startsWith(dir.path() + "/missing.xml: cannot be read")) << error.toStdString();
}
