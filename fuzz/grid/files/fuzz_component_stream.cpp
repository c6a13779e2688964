// Component-stream records, the grid's binary stream and the column stream. A record that reads
// must write back to bytes that read to the same record; a grid load never grows past what the
// stream may claim; a column stream that loads saves and loads again.
#include "FuzzGrid.h"
#include "grid/ColumnGridIO.h"
#include "grid/NovaColumnGrid.h"
#include "platform/ComponentStream.h"

#include <QBuffer>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGridFuzzing(argc, argv);
    return 0;
}

static bool same(const platform::StreamValue &a, const platform::StreamValue &b)
{
    if (a.kind != b.kind || a.integer != b.integer || a.boolean != b.boolean || a.text != b.text
        || a.bytes != b.bytes || a.items != b.items || a.elements.size() != b.elements.size())
        return false;
    if (a.kind == platform::StreamValue::Float && !(a.real == b.real || (a.real != a.real && b.real != b.real)))
        return false;
    for (size_t i = 0; i < a.elements.size(); ++i) {
        if (a.elements[i].size() != b.elements[i].size())
            return false;
        for (size_t k = 0; k < a.elements[i].size(); ++k)
            if (a.elements[i][k].name != b.elements[i][k].name || !same(a.elements[i][k].value, b.elements[i][k].value))
                return false;
    }
    return true;
}

static void loadColumns(const QByteArray &bytes)
{
    TNovaColumnGrid g;
    g.SetColCount(4);
    g.SetRowCount(2);
    QByteArray copy = bytes;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadColumnsFromStream(buf);
    } catch (const ENovaGridError &) {
        check(buf.pos() == 0 && g.Columns()->Count() == 4);
        return;
    }
    check(buf.pos() <= copy.size() && g.ColCount() == 4 && g.Columns()->Count() <= 512);
    QByteArray again;
    QBuffer out(&again);
    out.open(QIODevice::WriteOnly);
    g.SaveColumnsToStream(out);
    out.close();
    out.open(QIODevice::ReadOnly);
    g.LoadColumnsFromStream(out);
    check(out.pos() == again.size());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    qsizetype pos = 0;
    platform::StreamRecord rec;
    while (platform::readRecord(bytes, pos, rec)) {
        check(pos <= bytes.size());
        QByteArray again;
        bool written = true;
        try {
            again = platform::encodeRecord(rec);
        } catch (const std::length_error &) {
            written = false; // an identifier that came in as a long text
        }
        if (written) {
            qsizetype p2 = 0;
            platform::StreamRecord back;
            check(platform::readRecord(again, p2, back));
            check(p2 == again.size());
            check(back.className == rec.className && back.properties.size() == rec.properties.size());
            for (size_t i = 0; i < rec.properties.size(); ++i)
                check(back.properties[i].name == rec.properties[i].name
                      && same(back.properties[i].value, rec.properties[i].value));
        }
    }

    loadColumns(bytes);

    TNovaStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    QByteArray copy = bytes;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadAtPointFromBinStream(TPoint{1, 1}, buf);
    } catch (const ENovaGridError &) {
        check(g.ColCount() == 4 && g.RowCount() == 4);
        return 0;
    }
    check(buf.pos() <= copy.size());
    check(g.ColCount() <= 65536 && g.RowCount() <= 65536);
    return 0;
}
