// The cell markup: preparation, runs and tags, attributes, helpers and the renderer's
// layout on a recording canvas. Round trips that must hold are checked.
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"

#include <QApplication>
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
    if (size < 2 || size > 4096)
        return 0;
    const uint8_t flags = data[0];
    const QString all = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    // A search text may follow a NUL.
    const int nul = int(all.indexOf(QChar(0)));
    const QString text = nul >= 0 ? all.left(nul) : all;
    const QString search = nul >= 0 ? all.mid(nul + 1) : QString();

    const QString prepared = PrepareMarkupText(text);
    for (bool wrap : {false, true}) {
        QString joined;
        for (const MarkupToken &t : TokenizeMarkup(prepared, wrap)) {
            check(!t.text.isEmpty());
            if (t.isTag) {
                check(t.text.startsWith(QLatin1Char('<')) && t.text.endsWith(QLatin1Char('>')));
                ClassifyMarkupTag(t.text);
                MarkupAttribute(t.text, QStringLiteral("HREF"));
                MarkupValueAfterLetter(t.text, QLatin1Char('X'));
                MarkupColorValue(MarkupAttribute(t.text.toUpper(), QStringLiteral(" COLOR")));
            } else {
                DecodeRunEntities(t.text);
            }
            joined += t.text;
        }
        check(prepared.startsWith(joined));
    }

    StripMarkup(text);
    const QString visible = MarkupVisibleText(text);
    for (int n = 0; n <= visible.size() + 2; ++n) {
        const int at = VisibleCharIndex(text, n);
        check(at >= 0 && at <= text.size() + 1);
    }

    const bool full = flags & 1;
    check(UnescapeHTMLText(EscapeHTMLText(text, full), full) == text);

    const bool cs = flags & 2;
    const QString hl = HighlightMarkupText(text, search, QStringLiteral("hi"), cs);
    const QString back = UnhighlightMarkupText(hl, QStringLiteral("hi"));
    if (!text.contains(QLatin1Char('&')) && !search.contains(QLatin1Char('&'))
        && !text.contains(QLatin1String("hi>"), Qt::CaseInsensitive))
        check(back == text);

    if (HasControlTag(text)) {
        QString id = NextEditControlID(text, QString());
        for (int guard = 0; !id.isEmpty() && guard < 16; ++guard) {
            QString edited = text;
            const QString value = search.isEmpty() ? QStringLiteral("v\"<&>") : search;
            if (SetControlTagValue(edited, id, value)) {
                QString got;
                check(GetControlTagValue(edited, id, got));
                check(got == value);
            }
            GetControlTagProp(text, id);
            GetControlTagMaxLen(text, id);
            id = NextEditControlID(text, id);
        }
        ResetRadioControlTags(text);
    }

    TRecordingCanvas canvas;
    TMarkupDrawParams p;
    p.wordWrap = flags & 4;
    p.measureOnly = flags & 8;
    p.hitTestOnly = flags & 16;
    p.selected = flags & 32;
    p.blinkVisible = flags & 64;
    p.hitX = int(size % 97);
    p.hitY = int(size % 41);
    p.focusLink = (flags & 128) ? 0 : -1;
    TMarkupImageList images;
    images.Images.resize(2, QImage(16, 16, QImage::Format_ARGB32));
    p.imageList = &images;
    THTMLPictureCache cache;
    p.pictureCache = &cache;
    TMarkupDrawResult r;
    const int width = 20 + int(size % 200);
    DrawMarkupText(canvas, text, TRect{0, 0, width, 60}, p, r);
    check(r.textHeight > 0 && r.textWidth >= 0);
    return 0;
}
