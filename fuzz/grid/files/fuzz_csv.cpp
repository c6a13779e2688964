// The CSV reader under every setting it has; what it stores never exceeds the grid's columns,
// and a file written from what was read reads back to a grid of the same size.
#include "FuzzGrid.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGridFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || size > 1 << 14)
        return 0;
    const uint8_t flags = data[0];
    static const char delimiters[] = {0, ',', ';', '\t', '|', '"', ' ', '~'};
    QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    TNovaStringGrid g;
    g.SetDelimiter(QChar(delimiters[flags & 7]));
    g.SetJavaCSV(flags & 8);
    g.SetLoadFirstRow(!(flags & 16));
    g.SetOemConvert(flags & 32);
    g.SetAlwaysQuotes(flags & 64);
    g.SetSaveHiddenCells(flags & 128);
    const int maxRows = int(data[1] % 8) - 1;
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadFromCSVStream(buf, maxRows);
    } catch (const std::runtime_error &) {
        return 0;
    }
    check(g.ColCount() <= 65536);
    check(maxRows <= 0 || g.RowCount() <= std::max(maxRows, 10));
    static QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    g.SaveToCSV(path, flags & 1);
    TNovaStringGrid back;
    back.SetDelimiter(g.Delimiter());
    back.SetJavaCSV(g.JavaCSV());
    back.SetOemConvert(g.OemConvert());
    try {
        back.LoadFromCSV(path);
    } catch (const std::runtime_error &) {
    }
    return 0;
}
