// Where the reader keeps its texts: text tables that convert on demand, and model texts that
// share a few large blocks. Both must stay right after the model is gone or read again.
#include "iolink/UIOLink_IODD_Decode.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString fixtureDir() { return testsupport::dataDir() + QStringLiteral("/iodd/"); }
QString stdDir() { return fixtureDir() + QStringLiteral("std/"); }

QByteArray fixtureBytes()
{
    QFile f(fixtureDir() + QStringLiteral("Test-Device-IODD1.1.xml"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QString writeTemp(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.path() + QLatin1Char('/') + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

// The fixture with a few texts that are not plain ASCII.
QByteArray withWideTexts()
{
    QByteArray bytes = fixtureBytes();
    bytes.replace("<Text id=\"TN_Menu\" value=\"Menu\"/>",
                  "<Text id=\"TN_Menu\" value=\"Menu\"/>\n"
                  "      <Text id=\"T_\xc3\x84rger\" value=\"Gr\xc3\xb6\xc3\x9f" "e &amp; Ma\xc3\x9f\"/>\n"
                  "      <Text id=\"T_Zeichen\" value=\"\xe6\xb8\xa9\xe5\xba\xa6 \xf0\x9f\x8c\xa1\"/>");
    return bytes;
}

std::unique_ptr<TIODD> decode(const QString &path, bool simple = false)
{
    auto iodd = std::make_unique<TIODD>();
    iodd->StandardDef_Path = stdDir();
    iodd->Decode_IODD(path, simple);
    return iodd;
}

} // namespace

TEST(IoddTexts, WideTextsAndIdsFoundIgnoringCase)
{
    QTemporaryDir tmp;
    const QString path = writeTemp(tmp, "wide.xml", withWideTexts());
    for (bool simple : {false, true}) {
        SCOPED_TRACE(simple ? "simple" : "full");
        auto iodd = decode(path, simple);
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("t_\u00e4RGER")), QStringLiteral("Gr\u00f6\u00dfe & Ma\u00df"));
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_ZEICHEN")),
                  QString::fromUtf8("\xe6\xb8\xa9\xe5\xba\xa6 \xf0\x9f\x8c\xa1"));
        // Same letters, different length: no match, the id comes back.
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_\u00c4rge")), QStringLiteral("T_\u00c4rge"));
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_Zeichen2")), QStringLiteral("T_Zeichen2"));
        EXPECT_EQ(iodd->ExtTextCol.Find_ID(QStringLiteral("tn_menu")), iodd->ExtTextCol.List_Ids.size() - 3);
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("td_v_mixed")), QStringLiteral("Line one\nline two"));
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("TD_Ev1")), QString(""));
        EXPECT_FALSE(iodd->GetDesc_ExtTextCol(false, QStringLiteral("TD_Ev1")).isNull());
    }
}

TEST(IoddTexts, TextTablesOutliveTheModelAndItsNextDecode)
{
    QTemporaryDir tmp;
    const QString wide = writeTemp(tmp, "wide.xml", withWideTexts());
    QByteArray other = fixtureBytes();
    other.replace("value=\"Test Device\"", "value=\"Another device\"");
    const QString second = writeTemp(tmp, "other.xml", other);

    TExtTextCol kept, sdKept;
    {
        auto iodd = decode(wide);
        kept = iodd->ExtTextCol;
        sdKept = iodd->SD_ExtTextCol;
        // Read again into the same object: what was copied before keeps the first file's texts.
        iodd->Decode_IODD(second, false);
        EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_DeviceName")), QStringLiteral("Another device"));
    }
    QString value;
    ASSERT_TRUE(kept.Get_Value_From_ID(QStringLiteral("T_DEVICENAME"), value));
    EXPECT_EQ(value, QStringLiteral("Test Device"));
    ASSERT_TRUE(kept.Get_Value_From_ID(QStringLiteral("T_\u00c4rger"), value));
    EXPECT_EQ(value, QStringLiteral("Gr\u00f6\u00dfe & Ma\u00df"));
    EXPECT_EQ(QStringList(kept.PriLang_Values).size(), kept.List_Ids.size());
    EXPECT_FALSE(sdKept.List_Ids.isEmpty());

    // A copy changed afterwards goes its own way.
    TExtTextCol changed = kept;
    changed.List_Ids.append(QStringLiteral("T_Added"));
    changed.PriLang_Values.append(QStringLiteral("Added"));
    EXPECT_EQ(changed.Find_ID(QStringLiteral("t_added")), kept.List_Ids.size());
    EXPECT_EQ(kept.Find_ID(QStringLiteral("t_added")), -1);
    ASSERT_TRUE(changed.Get_Value_From_ID(QStringLiteral("T_VendorUrl"), value));
    EXPECT_EQ(value, QStringLiteral("http://www.example.com"));
    changed.Erase_All();
    EXPECT_TRUE(changed.List_Ids.isEmpty());
    EXPECT_EQ(kept.Find_ID(QStringLiteral("T_VendorUrl")), 1);
}

// A file in UTF-16 is converted by the parser into memory of its own, not the file's bytes.
TEST(IoddTexts, FileInUtf16)
{
    QByteArray utf8 = withWideTexts();
    utf8.replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\"");
    QStringEncoder toUtf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray utf16 = toUtf16.encode(QString::fromUtf8(utf8));
    QTemporaryDir tmp;
    auto iodd = decode(writeTemp(tmp, "utf16.xml", utf16));
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_DeviceName")), QStringLiteral("Test Device"));
    EXPECT_EQ(iodd->GetDesc_ExtTextCol(false, QStringLiteral("T_\u00c4RGER")), QStringLiteral("Gr\u00f6\u00dfe & Ma\u00df"));
    EXPECT_EQ(iodd->ProfileBody.DeviceIdentity.VendorId, "1234");
    const TExtTextCol kept = iodd->ExtTextCol;
    iodd.reset();
    QString value;
    ASSERT_TRUE(kept.Get_Value_From_ID(QStringLiteral("t_zeichen"), value));
    EXPECT_EQ(value, QString::fromUtf8("\xe6\xb8\xa9\xe5\xba\xa6 \xf0\x9f\x8c\xa1"));
}

// Texts taken from the model (ids, names, defaults) stay valid and editable without it.
TEST(IoddTexts, ModelTextsOutliveTheModel)
{
    QTemporaryDir tmp;
    const QString path = writeTemp(tmp, "wide.xml", withWideTexts());
    QStringList ids, expected;
    QString defaultValue;
    {
        auto iodd = decode(path);
        for (const auto &v : iodd->ProfileBody.DeviceFunction.VariableCollection.Var_List) {
            ids << v->Id;
            expected << QString::fromLatin1(v->Id.toLatin1());  // a copy of its own
        }
        defaultValue = iodd->ProfileBody.DeviceFunction.VariableCollection.Get_Variables_IDs("V_Mixed")->DefaultValue;
    }
    ASSERT_FALSE(ids.isEmpty());
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(defaultValue, "0");
    // Changing a text that nothing else holds any more must not disturb the others.
    for (QString &id : ids)
        id += QStringLiteral("_changed_with_a_long_tail");
    defaultValue.prepend(QStringLiteral("-"));
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_EQ(ids[i], expected[i] + QStringLiteral("_changed_with_a_long_tail"));
    EXPECT_EQ(defaultValue, "-0");
}
