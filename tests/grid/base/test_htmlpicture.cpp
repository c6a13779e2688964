// Picture container, picture cache and the GIF frame handling of THTMLPicture.
#include "grid/base/HtmlPicture.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString picturePath(const char *name)
{
    return testsupport::dataDir() + QLatin1String("/pictures/") + QLatin1String(name);
}

QByteArray readFixture(const char *name)
{
    QFile f(picturePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// anim3.gif: 8 x 6 screen; frames (0,0,8,6) red 10/100 s, (2,1,4,3) green 20, (3,2,5,4) blue 30.
constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

} // namespace

TEST(HtmlPicture, LoadsPngJpegAndGifFromFilesAndStreams)
{
    struct Case {
        const char *file;
        int w, h;
        bool gif;
    } cases[] = {{"logo.png", 12, 7, false}, {"photo.jpg", 16, 10, false},
                 {"single.gif", 5, 4, true}, {"anim3.gif", 8, 6, true}};
    for (const Case &c : cases) {
        THTMLPicture fromFile;
        int changes = 0;
        fromFile.OnChange = [&](THTMLPicture *) { ++changes; };
        EXPECT_TRUE(fromFile.Empty());
        fromFile.LoadFromFile(picturePath(c.file));
        EXPECT_FALSE(fromFile.Empty()) << c.file;
        EXPECT_EQ(fromFile.Width(), c.w) << c.file;
        EXPECT_EQ(fromFile.Height(), c.h) << c.file;
        EXPECT_EQ(fromFile.IsGIF(), c.gif) << c.file;
        EXPECT_EQ(changes, 1);

        QByteArray bytes = readFixture(c.file);
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        THTMLPicture fromStream;
        fromStream.LoadFromStream(&buf);
        EXPECT_EQ(fromStream.Width(), c.w) << c.file;
        // The data is kept exactly as loaded.
        QByteArray saved;
        QBuffer out(&saved);
        out.open(QIODevice::WriteOnly);
        fromStream.SaveToStream(&out);
        EXPECT_EQ(saved, bytes);
    }
    // Colours survive decoding (PNG exactly, JPEG approximately).
    THTMLPicture png;
    png.LoadFromFile(picturePath("logo.png"));
    EXPECT_EQ(png.Image().pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(png.Image().pixel(5, 3), 0xFF3366CCu);
    THTMLPicture jpg;
    jpg.LoadFromFile(picturePath("photo.jpg"));
    const QColor j = jpg.Image().pixelColor(8, 5);
    EXPECT_NEAR(j.red(), 255, 6);
    EXPECT_NEAR(j.green(), 128, 6);
    EXPECT_NEAR(j.blue(), 0, 6);
}

TEST(HtmlPicture, BadDataFailsLoudlyFromStreamsAndQuietlyFromFiles)
{
    QByteArray junk("this is not a picture at all");
    QBuffer buf(&junk);
    buf.open(QIODevice::ReadOnly);
    THTMLPicture p;
    EXPECT_THROW(p.LoadFromStream(&buf), TPictureError);
    EXPECT_FALSE(p.Decoded());

    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.png");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(junk);
    f.close();
    THTMLPicture q;
    EXPECT_NO_THROW(q.LoadFromFile(bad));
    EXPECT_TRUE(q.Empty());
    EXPECT_NO_THROW(q.LoadFromFile(dir.filePath("missing.png")));
    EXPECT_TRUE(q.Empty());
    p.LoadFromStream(nullptr); // nothing happens
}

TEST(HtmlPicture, GifFramesCountTimesAndSelection)
{
    const QByteArray data = readFixture("anim3.gif");
    THTMLPicture p;
    p.LoadFromData(data);
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.FrameTime(1), 10);
    EXPECT_EQ(p.FrameTime(2), 20);
    EXPECT_EQ(p.FrameTime(3), 30);
    EXPECT_EQ(p.FrameTime(4), -1);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 6);
    EXPECT_EQ(p.Image().pixel(0, 0), kRed);

    int frameChanges = 0;
    p.OnFrameChange = [&](THTMLPicture *) { ++frameChanges; };
    p.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(p.FrameXPos(), 2);
    EXPECT_EQ(p.FrameYPos(), 1);
    EXPECT_EQ(p.Width(), 4);   // the frame itself, placed by its position
    EXPECT_EQ(p.Height(), 3);
    EXPECT_EQ(p.MaxWidth(), 8); // the logical screen
    EXPECT_EQ(p.Image().pixel(1, 1), kGreen);

    p.SetFrame(3);
    EXPECT_EQ(p.FrameXPos(), 3);
    EXPECT_EQ(p.Image().pixel(0, 0), kBlue);

    // The stream of frame 2: bytes before the first marker, then everything from the second.
    const auto frames = ScanGifFrames(data);
    ASSERT_EQ(frames.size(), 3u);
    const QByteArray f2 = GifFrameStream(data, 2);
    EXPECT_EQ(f2, data.left(frames[0].Offset) + data.mid(frames[1].Offset));
    EXPECT_EQ(GifFrameStream(data, 1), data);
}

TEST(HtmlPicture, FrameNavigationAndAnimationSteps)
{
    THTMLPicture p;
    p.LoadFromData(readFixture("anim3.gif"));
    ASSERT_EQ(p.FrameCount(), 3);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);

    // First step changes nothing, the second moves to frame 2, which stays for its 20/100 s.
    EXPECT_FALSE(p.Step());
    EXPECT_TRUE(p.Step());
    EXPECT_EQ(p.Frame(), 2);
    EXPECT_FALSE(p.Step());
    EXPECT_TRUE(p.Step());
    EXPECT_EQ(p.Frame(), 3);

    THTMLPicture still;
    still.LoadFromFile(picturePath("logo.png"));
    EXPECT_EQ(still.FrameCount(), -1);
    EXPECT_FALSE(still.Step());
}

TEST(HtmlPicture, GifEdgeCasesAndTruncatedData)
{
    EXPECT_FALSE(IsGifData("GIF8"));
    EXPECT_TRUE(IsGifData("GIF89"));
    // An extension with another block size before the descriptor is no frame marker.
    QByteArray other("GIF89a");
    other += QByteArray(7, '\0');
    other += QByteArray::fromHex("21F905000000000000002C00000000");
    EXPECT_TRUE(ScanGifFrames(other).empty());

    // Every prefix of a real file: never reads past the end, never crashes.
    const QByteArray data = readFixture("anim3.gif");
    for (int n = 0; n <= data.size(); ++n) {
        const QByteArray part = data.left(n);
        const auto frames = ScanGifFrames(part);
        EXPECT_LE(frames.size(), 3u);
        for (const auto &f : frames)
            EXPECT_LT(f.Offset + 9, n);
        THTMLPicture p;
        try {
            p.LoadFromData(part);
        } catch (const TPictureError &) {
        }
        p.FrameTime(2);
    }
    // A marker whose descriptor is cut short still counts; its missing bytes read as 0.
    QByteArray cut("GIF89a");
    cut += QByteArray(7, '\0');
    cut += QByteArray::fromHex("21F904000A000000" "2C0300");
    const auto frames = ScanGifFrames(cut);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Delay, 10);
    EXPECT_EQ(frames[0].Left, 3);
    EXPECT_EQ(frames[0].Height, 0);
}

TEST(HtmlPicture, AssignCopiesDataAndNullClears)
{
    THTMLPicture a;
    a.LoadFromFile(picturePath("logo.png"));
    THTMLPicture b;
    int changes = 0;
    b.OnChange = [&](THTMLPicture *) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(b.Data(), a.Data());
    EXPECT_EQ(b.Width(), 12);
    EXPECT_EQ(changes, 1);
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_TRUE(b.Data().isEmpty());

    THTMLPicture c;
    c.SetData(a.Data()); // the stored property decodes without a change event
    EXPECT_EQ(c.Height(), 7);
}

TEST(HtmlPicture, UrlsCacheAndContainer)
{
    THTMLPictureCache cache;
    const QString url = QLatin1String("file://") + picturePath("logo.png");
    THTMLPicture *p = cache.AddPicture();
    p->Asynch = false;
    p->LoadFromURL(url);
    EXPECT_FALSE(p->Empty());
    EXPECT_EQ(cache.FindPicture(url), p);
    EXPECT_EQ(cache.FindPicture(url.toUpper()), nullptr); // ids are case-sensitive

    THTMLPicture *web = cache.AddPicture();
    web->Asynch = false;
    web->LoadFromURL(QStringLiteral("http://127.0.0.1/x.png"));
    EXPECT_TRUE(web->Empty());
    EXPECT_EQ(cache.FindPicture(QStringLiteral("http://127.0.0.1/x.png")), web);

    THTMLPicture async;
    async.LoadFromURL(QStringLiteral("https://127.0.0.1/y.png"));
    EXPECT_TRUE(async.Empty());
    EXPECT_TRUE(async.Busy());
    EXPECT_EQ(async.URL(), QStringLiteral("https://127.0.0.1/y.png"));

    THTMLPicture res;
    res.LoadFromURL(QStringLiteral("RES://nothing-here"));
    EXPECT_TRUE(res.Empty());
    EXPECT_THROW(res.LoadFromResourceID(4711), TPictureError);

    EXPECT_EQ(cache.Count(), 2);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);

    TPictureContainer container;
    TPictureItem *item = container.Items().Add();
    item->Name = QStringLiteral("Logo");
    item->Picture().LoadFromFile(picturePath("logo.png"));
    TPictureItem *first = container.Items().Insert(0);
    first->Name = QStringLiteral("Other");
    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &item->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("missing")), nullptr);

    TPictureItem copy;
    copy.Assign(*item);
    EXPECT_EQ(copy.Name, QStringLiteral("Logo"));
    EXPECT_EQ(copy.Picture().Width(), 12);
}

TEST(HtmlPicture, DrawsAtNaturalSizeOrStretched)
{
    THTMLPicture p;
    p.LoadFromFile(picturePath("logo.png"));
    TRecordingCanvas rec;
    p.Draw(rec, TRect{5, 6, 100, 100});
    ASSERT_EQ(rec.Ops.size(), 1u);
    EXPECT_EQ(rec.Ops[0].kind, TCanvasOp::Image);
    EXPECT_EQ(rec.Ops[0].rect.Left, 5);
    EXPECT_EQ(rec.Ops[0].rect.Top, 6);
    EXPECT_EQ(rec.Ops[0].rect.Width(), 12);

    rec.Clear();
    p.Stretch = true;
    p.Draw(rec, TRect{0, 0, 30, 20});
    ASSERT_EQ(rec.Ops.size(), 1u);
    EXPECT_EQ(rec.Ops[0].rect, (TRect{0, 0, 30, 20}));

    TImageCanvas img(40, 30, clWhite);
    p.Stretch = false;
    p.Draw(img, TRect{10, 10, 40, 30});
    img.End();
    EXPECT_EQ(img.PixelAt(10, 10), clRed);
    EXPECT_EQ(img.PixelAt(15, 12), TColor(0xCC6633));
    EXPECT_EQ(img.PixelAt(5, 5), clWhite);

    THTMLPicture empty;
    rec.Clear();
    empty.Draw(rec, TRect{0, 0, 10, 10});
    EXPECT_TRUE(rec.Ops.empty());
}
