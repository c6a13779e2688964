// CSV inserted after a grid's rows from a file, and fixed-width text read at start positions the
// input gives. The first bytes pick the settings; nothing grows a grid beyond its limits, and a
// refused file leaves the grid as it was.
#include "FuzzGrid.h"
#include "platform/Files.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGridFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4 || size > 1 << 14)
        return 0;
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    const uint8_t flags = data[0], more = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    platform::writeFileAtomic(path, bytes);

    TNovaStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetFixedRows(flags & 1);
    g.SetFixedCols((flags >> 1) & 1);
    g.SetSaveFixedCells(flags & 4);
    g.SetSaveHiddenCells(flags & 8);
    if (flags & 16)
        g.HideColumn(1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            g.SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    const int rowsBefore = g.RowCount(), colsBefore = g.ColCount();
    const int maxRows = int(more % 8) - 1;

    if (flags & 32) { // fixed width: the positions come from the input
        TIntList positions;
        const int n = data[2] % 8;
        for (int i = 0; i < n; ++i)
            positions.Add(int(std::int8_t(data[3] + i * 37)) * ((more & 8) ? 1 : 300));
        try {
            g.LoadFromFixed(path, positions, more & 16, maxRows);
        } catch (const ENovaGridError &) {
            check(g.RowCount() == rowsBefore && g.ColCount() == colsBefore);
            return 0;
        }
        check(g.ColCount() <= 65536);
        return 0;
    }

    static const char delimiters[] = {0, ',', ';', '\t', '|', '"', ' ', '~'};
    g.SetDelimiter(QChar(delimiters[data[2] & 7]));
    g.SetJavaCSV(data[2] & 8);
    g.SetLoadFirstRow(!(data[2] & 16));
    g.SetOemConvert(data[2] & 32);
    g.SetQuoteEmptyCells(data[2] & 64);
    QStringList before;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            before << g.Cells(c, r);
    try {
        g.InsertFromCSV(path, maxRows);
    } catch (const ENovaGridError &) {
        QStringList after;
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.AllColCount(); ++c)
                after << g.Cells(c, r);
        check(after == before);
        return 0;
    } catch (const std::runtime_error &) {
        return 0; // an empty file
    }
    check(g.ColCount() <= 65536 && g.RowCount() >= rowsBefore);
    // The rows that were there keep their cells.
    for (int r = 0; r < rowsBefore; ++r)
        for (int c = 0; c < colsBefore; ++c)
            check(g.Cells(c, r) == before[r * (colsBefore + g.NumHiddenColumns()) + c]);
    check(maxRows <= 0 || g.RowCount() <= rowsBefore + maxRows + g.FixedFooters());
    return 0;
}
