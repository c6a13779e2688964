// GIF frame reader of THTMLPicture: frame markers, frame streams, frame times and decoding.
#include "grid/base/HtmlPicture.h"

#include <QGuiApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    // Most inputs become GIFs, so the marker scan sees the header it needs.
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.startsWith("GIF8") && size > 0 && (data[0] & 1))
        bytes.prepend("GIF89a");

    const auto frames = ScanGifFrames(bytes);
    for (const auto &f : frames)
        if (f.Offset < 0 || f.Offset + 9 >= bytes.size())
            abort();
    for (int k = 0; k <= int(frames.size()) + 1 && k < 6; ++k) {
        TGifFrameInfo info;
        const QByteArray part = GifFrameStream(bytes, k, &info);
        if (part.size() > bytes.size())
            abort();
    }

    THTMLPicture p;
    try {
        p.LoadFromData(bytes);
    } catch (const TPictureError &) {
    }
    const int n = p.FrameCount();
    if (IsGifData(bytes) && n != int(frames.size()))
        abort();
    for (int k = 0; k <= n + 1 && k < 4; ++k) {
        p.FrameTime(k);
        try {
            p.SetFrame(k);
        } catch (const TPictureError &) {
        }
    }
    for (int k = 0; k < 4; ++k) {
        try {
            p.Step();
        } catch (const TPictureError &) {
        }
    }
    return 0;
}
