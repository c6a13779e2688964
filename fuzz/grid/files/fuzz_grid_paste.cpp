// The grid's own cell stream as it comes from outside: a file (LoadFromBinStream), a clipboard
// block and a drop of the grid format, and the rich text and plain text a paste or drop takes
// in. The first byte picks the way and the grid's settings. A block that cannot be read leaves
// the grid as it was; nothing grows the grid beyond its limits or throws out of a paste or drop.
#include "FuzzGrid.h"
#include "grid/GridDropTarget.h"
#include "grid/base/GridDragDrop.h"

#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startGridFuzzing(argc, argv);
    return 0;
}

namespace {

std::vector<QString> cellsOf(TNovaStringGrid &g)
{
    std::vector<QString> out{QString::number(g.ColCount()), QString::number(g.RowCount())};
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            out.push_back(g.Cells(c, r));
    return out;
}

void setClipboard(const QString &format, const QByteArray &data, const QString &text)
{
    auto *md = new QMimeData;
    if (!format.isEmpty())
        md->setData(format, data);
    if (!text.isNull())
        md->setText(text);
    QGuiApplication::clipboard()->setMimeData(md);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || size > 1 << 14)
        return 0;
    const uint8_t way = data[0], flags = data[1];
    QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    TNovaStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(6);
    g.SetOptions(g.Options() + TGridOptions{goEditing});
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    if (flags & 1)
        g.HideColumn(2);
    if (flags & 2)
        g.HideRow(3);
    auto *nav = g.Navigation();
    nav->SetAllowFmtClipboard(true);
    nav->SetAllowRTFClipboard(flags & 4);
    nav->SetAllowSmartClipboard(flags & 8);
    nav->SetAllowClipboardRowGrow(flags & 16);
    nav->SetAllowClipboardColGrow(flags & 32);
    nav->SetClipboardPasteAction(flags & 64 ? paInsert : paReplace);
    nav->SetAllowClipboardAlways(flags & 128);
    g.SetSelection(TGridRect{1, 1, 1 + (way >> 4) % 3, 1 + (way >> 6)});
    const std::vector<QString> before = cellsOf(g);

    switch (way % 8) {
    case 0: { // a file or stream of the grid format
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        try {
            g.LoadFromBinStream(buf);
        } catch (const ENovaGridError &) {
            check(cellsOf(g) == before);
            return 0;
        }
        check(buf.pos() <= bytes.size());
        // What loaded saves and loads again to the same cells.
        QByteArray again;
        QBuffer out(&again);
        out.open(QIODevice::WriteOnly);
        g.SaveToBinStream(out);
        out.close();
        out.open(QIODevice::ReadOnly);
        TNovaStringGrid copy;
        copy.LoadFromBinStream(out);
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.ColCount(); ++c)
                check(copy.Cells(c, r) == g.Cells(g.RealColIndex(c), r));
        break;
    }
    case 1: // a clipboard block of the grid format, its size word as the input says
    case 2: {
        const bool packed = way % 8 == 1;
        const QByteArray block = packed ? PackGridCells(bytes) : bytes;
        setClipboard(GridMime::GridCells(), block, QStringLiteral("text"));
        QByteArray stream;
        const bool readable = UnpackGridCells(block, stream);
        if (flags & 8)
            g.PasteSelectionFromClipboard();
        else
            g.PasteFromClipboard();
        (void)readable;
        break;
    }
    case 3: { // a drop of the grid format
        TGridDropTarget target(&g);
        const QPoint at = g.viewport()->mapToGlobal(g.CellRect(1 + way % 3, 1).ToQRect().center());
        target.DropStream(at, bytes);
        break;
    }
    case 4: // rich text on the clipboard
        setClipboard(GridMime::Rtf(), bytes, QString());
        g.PasteSelectionFromClipboard();
        break;
    case 5: { // text pasted, dropped, set as the selection's text
        const QString text = QString::fromUtf8(bytes);
        setClipboard(QString(), {}, text);
        g.PasteSelectionFromClipboard();
        TGridDropTarget target(&g);
        target.DropText(g.viewport()->mapToGlobal(g.CellRect(2, 2).ToQRect().center()), text);
        g.SetSelectionAsText(text);
        // What the grid copies pastes back to the same cells.
        g.SetSelection(TGridRect{0, 0, g.ColCount() - 1, std::min(g.RowCount() - 1, 40)});
        const QString copied = g.SelectedText();
        TNovaStringGrid back;
        back.SetOptions(back.Options() + TGridOptions{goEditing});
        back.SetColCount(1);
        back.SetRowCount(1);
        back.SetSelectionAsText(copied);
        for (int r = 0; r <= std::min(g.RowCount() - 1, 40); ++r)
            for (int c = 0; c < g.ColCount(); ++c) {
                QString want = g.Cells(g.RealColIndex(c), r);
                // Rich text travels as its plain text, wide text is coded again, and character 11
                // is a spreadsheet's line break.
                if (want.contains(QStringLiteral("{\\")) || want.startsWith(QStringLiteral("|\\"))
                    || want.contains(QChar(11)))
                    continue;
                want.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
                if (want.contains(QLatin1Char('\n')))
                    want.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
                check(back.Cells(c, r) == want);
            }
        break;
    }
    default: { // rich text and a link dropped on a cell
        TGridDropTarget target(&g);
        const QString text = QString::fromUtf8(bytes);
        target.DropRTF(g.viewport()->mapToGlobal(g.CellRect(1, 1).ToQRect().center()), text);
        target.DropURL(g.viewport()->mapToGlobal(g.CellRect(0, 2).ToQRect().center()), text);
        break;
    }
    }
    check(g.ColCount() <= TNovaStringGrid::MaxPasteCols + 5 && g.RowCount() <= 65536 + 16384);
    return 0;
}
