// Component-stream records: the bytes of each value type, and what the reader refuses.
#include "platform/ComponentStream.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace platform;

namespace {

QByteArray bytesOf(const StreamValue &v)
{
    StreamRecord r;
    r.className = "T";
    r.add("P", v);
    const QByteArray all = encodeRecord(r);
    // "TPF0" 01 "T" 00 01 "P" <value> 00 00
    return all.mid(9, all.size() - 11);
}

QByteArray hex(const char *h) { return QByteArray::fromHex(h); }

TEST(ComponentStream, EachValueTakesItsNarrowestForm)
{
    struct Case {
        const char *what;
        StreamValue value;
        QByteArray bytes;
    } cases[] = {
        {"int8", StreamValue::ofInt(-2), hex("02fe")},
        {"int16", StreamValue::ofInt(300), hex("032c01")},
        {"int32", StreamValue::ofInt(65535), hex("04ffff0000")},
        {"int64", StreamValue::ofInt(0x100000000LL), hex("130000000001000000")},
        {"short text", StreamValue::ofText("ab"), hex("06026162")},
        {"long text", StreamValue::ofText(QString(256, 'x')), hex("0c00010000") + QByteArray(256, 'x')},
        {"utf-8 text", StreamValue::ofText(QString::fromUtf8("aé")), hex("140300000061c3a9")},
        {"wide text: UTF-8 twice as long", StreamValue::ofText(QString::fromUtf8("é")), hex("1201000000e900")},
        {"wide text", StreamValue::ofText(QString::fromUtf8("€")), hex("1201000000ac20")},
        {"wide text: unpaired surrogate", StreamValue::ofText(QStringLiteral("abc") + QChar(0xD800)),
         hex("120400000061006200630000d8")},
        {"identifier", StreamValue::ofIdent("taCenter"), hex("0708") + "taCenter"},
        {"false", StreamValue::ofBool(false), hex("08")},
        {"true", StreamValue::ofBool(true), hex("09")},
        {"binary", StreamValue::ofBinary("xy"), hex("0a020000007879")},
        {"set", StreamValue::ofSet({"fsBold"}), hex("0b06") + "fsBold" + hex("00")},
        {"list", StreamValue::ofList({"a", ""}), hex("010601610600") + hex("00")},
        {"nil", StreamValue(), hex("0d")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bytesOf(c.value).toHex(), c.bytes.toHex());
        // And back.
        StreamRecord r;
        r.className = "T";
        r.add("P", c.value);
        const QByteArray all = encodeRecord(r);
        qsizetype pos = 0;
        StreamRecord back;
        ASSERT_TRUE(readRecord(all, pos, back));
        EXPECT_EQ(pos, all.size());
        ASSERT_EQ(back.properties.size(), 1u);
        const StreamValue &v = back.properties[0].value;
        EXPECT_EQ(v.kind, c.value.kind);
        EXPECT_EQ(v.integer, c.value.integer);
        EXPECT_EQ(v.text, c.value.text);
        EXPECT_EQ(v.bytes, c.value.bytes);
        EXPECT_EQ(v.items, c.value.items);
    }
}

// 8-bit texts are ANSI whatever bytes they start with (found by fuzzing: a text starting with
// FF FE was taken for UTF-16).
TEST(ComponentStream, ShortTextsStartingLikeAByteOrderMarkStayAnsi)
{
    const QByteArray rec = hex("54504630015400") + hex("0150") + hex("0603fffe41") + hex("0000");
    qsizetype pos = 0;
    StreamRecord out;
    ASSERT_TRUE(readRecord(rec, pos, out));
    EXPECT_EQ(out.properties[0].value.text, QString::fromUtf8("ÿþA"));
    EXPECT_EQ(bytesOf(out.properties[0].value).toHex(), "1405000000c3bfc3be41");
}

TEST(ComponentStream, FloatsTravelAsExtended)
{
    for (double d : {1.0, -2.5, 0.1, 1e300, 123456.789}) {
        unsigned char b[10];
        doubleToExtended(d, b);
        EXPECT_EQ(extendedToDouble(b), d);
    }
    unsigned char one[10];
    doubleToExtended(1.0, one);
    EXPECT_EQ(QByteArray(reinterpret_cast<char *>(one), 10).toHex(), "0000000000000080ff3f");
}

TEST(ComponentStream, CollectionsKeepTheirItems)
{
    StreamValue col;
    col.kind = StreamValue::Collection;
    col.elements.push_back({{"Width", StreamValue::ofInt(64)}, {"Font.Name", StreamValue::ofText("Arial")}});
    col.elements.push_back({});
    StreamRecord r;
    r.className = "TColumns";
    r.add("Columns", col);
    const QByteArray all = encodeRecord(r);
    qsizetype pos = 0;
    StreamRecord back;
    ASSERT_TRUE(readRecord(all, pos, back));
    const StreamValue *v = back.find("Columns");
    ASSERT_TRUE(v);
    ASSERT_EQ(v->elements.size(), 2u);
    EXPECT_EQ(v->elements[0][1].name, "Font.Name");
    EXPECT_EQ(v->elements[0][1].value.text, "Arial");
    EXPECT_TRUE(v->elements[1].empty());
}

TEST(ComponentStream, BytesThatAreNoWholeRecordAreRefusedAndNothingIsConsumed)
{
    StreamRecord r;
    r.className = "TGridCellIO";
    r.add("Cell", StreamValue::ofText("abc"));
    const QByteArray good = encodeRecord(r);
    QByteArray deep = hex("5450463001540001500e");
    for (int i = 0; i < 40; ++i)
        deep += hex("010150") + hex("0e");
    struct Case {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"no signature", "TPF1" + good.mid(4)},
        {"cut inside", good.left(good.size() - 3)},
        {"short text past the end", hex("54504630015400") + hex("0150") + hex("06ff61")},
        {"binary length past the end", hex("54504630015400") + hex("0150") + hex("0affffff7f00")},
        {"wide count past the end", hex("54504630015400") + hex("0150") + hex("12ffffffff")},
        {"unknown value type", hex("54504630015400") + hex("0150") + hex("7f") + hex("0000")},
        {"owned components", hex("545046300154000001")},
        {"no class name", hex("5450463000000000")},
        {"collections nested too deeply", deep},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        qsizetype pos = 0;
        StreamRecord out;
        QString error;
        EXPECT_FALSE(readRecord(c.bytes, pos, out, &error));
        EXPECT_EQ(pos, 0);
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
