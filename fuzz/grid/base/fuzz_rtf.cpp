// Rich text of cells: read into a document, written again (7-bit only) and read back to the
// same plain text.
#include "grid/base/RichText.h"

#include <QApplication>
#include <QTextDocument>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

static void check(bool ok)
{
    if (!ok)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 8192)
        return 0;
    const QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    RtfToDocument(rtf, doc);
    const QString plain = doc.toPlainText();

    const QByteArray written = DocumentToRtf(doc);
    check(LooksLikeRtf(written));
    for (char c : written)
        check((unsigned char)c < 0x80);
    QTextDocument again;
    check(RtfToDocument(written, again));
    check(again.toPlainText() == plain);
    check(again.blockCount() == doc.blockCount());

    // The cell's one-byte form carries the written document unchanged.
    check(CellTextToRtfBytes(RtfBytesToCellText(written)) == written);
    return 0;
}
