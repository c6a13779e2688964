// The grid's text stream and text file readers: sizes stay within what they may claim and the
// stream stays on a whole 16-bit unit within the data.
#include "FuzzGrid.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGridFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 15)
        return 0;
    const bool asFile = data[0] & 1;
    const bool multi = data[0] & 2;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    TNovaStringGrid g;
    g.SetMultilinecells(multi);
    // Sizes a fuzzer may claim cheaply; the readers' own limits are far above.
    auto small = [&]() { return g.ColCount() <= 65536 && g.RowCount() <= 10000000; };
    if (asFile) {
        static QTemporaryDir dir;
        const QString path = dir.filePath("t.txt");
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        f.close();
        try {
            g.LoadFromFile(path);
        } catch (const ENovaGridError &) {
        }
        check(small());
        return 0;
    }
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadFromStream(buf);
    } catch (const ENovaGridError &) {
        check(buf.pos() == 0);
    }
    check(buf.pos() % 2 == 0 || buf.pos() == bytes.size());
    check(buf.pos() <= bytes.size());
    check(small());
    return 0;
}
