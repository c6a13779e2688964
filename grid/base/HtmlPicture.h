#pragma once
// Pictures of marked-up texts: THTMLPicture keeps the encoded image as loaded and decodes it
// (PNG, JPEG, GIF, BMP ... through Qt's image readers); for an animated GIF it can select one
// frame, report frame delays and step through the frames. THTMLPictureCache holds pictures
// loaded by URL, TPictureContainer named pictures.
#include "grid/base/Canvas.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QIODevice;

// Raised when data cannot be decoded (the text says why).
class TPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Frame markers of a GIF byte stream. A marker is a graphic control extension of four data
// bytes directly followed by an image descriptor. Reads never go past the data.
struct TGifFrameInfo {
    int Offset = 0;       // index of the 0x21 byte
    int Packed = 0;
    int Delay = 0;        // hundredths of a second
    int Left = 0, Top = 0, Width = 0, Height = 0;
};
bool IsGifData(const QByteArray &data);
std::vector<TGifFrameInfo> ScanGifFrames(const QByteArray &data);
// The bytes that show frame `frame` (1-based): the header with the global colour table and
// the stream from that frame's marker on. Frame 1 (or a non-positive frame) keeps everything.
QByteArray GifFrameStream(const QByteArray &data, int frame, TGifFrameInfo *selected = nullptr);

class THTMLPicture {
public:
    using TPictureEvent = std::function<void(THTMLPicture *Sender)>;

    THTMLPicture();
    ~THTMLPicture();
    THTMLPicture(const THTMLPicture &) = delete;
    THTMLPicture &operator=(const THTMLPicture &) = delete;

    // Replace the data and decode. LoadFromStream raises TPictureError for undecodable data;
    // LoadFromFile never raises and leaves the picture empty on any failure.
    void LoadFromStream(QIODevice *stream);
    void LoadFromData(const QByteArray &data);
    void LoadFromFile(const QString &fileName);
    // Program resources (":/name"). The name form does nothing when there is none; the
    // number form raises for a missing one.
    void LoadFromResourceName(const QString &resName);
    void LoadFromResourceID(int resId);
    void LoadFromURL(const QString &url);
    void SaveToStream(QIODevice *stream) const;
    // The stored property: the data as loaded; setting it decodes without OnChange.
    const QByteArray &Data() const { return FDatastream; }
    void SetData(const QByteArray &data);

    void Assign(const THTMLPicture *source);
    // Natural size at the canvas resolution, or stretched into r. Nothing when empty.
    void Draw(TCanvas &canvas, const TRect &r) const;

    bool Empty() const { return FIsEmpty; }
    bool Decoded() const { return !gpPicture.isNull(); }
    const QImage &Image() const { return gpPicture; }
    int Width() const;
    int Height() const;
    int MaxWidth() const;
    int MaxHeight() const;
    bool IsGIF() const;
    int FrameCount();
    int FrameTime(int frame) const;
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }

    int Frame() const { return FFrame; }
    void SetFrame(int value);
    void FrameNext();
    void FramePrev();
    bool Step();

    bool Stretch = false;
    bool Asynch = true;
    bool IsDB() const { return FIsDB; }
    bool Busy() const { return FThreadBusy; }
    QString URL() const { return FURL; }
    QString ID() const { return FID; }
    void SetID(const QString &id) { FID = id; }

    TPictureEvent OnChange;
    TPictureEvent OnFrameChange;
    // Declared for callers that assign them; downloads never happen, so never raised.
    TPictureEvent OnDownLoadProgress, OnDownLoadCancel, OnDownLoadComplete, OnDownLoadError;

private:
    void LoadPicture();
    void Reset();

    QByteArray FDatastream;
    bool FIsEmpty = true;
    QImage gpPicture;
    int FLogPixX = 96, FLogPixY = 96;
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    int FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    int FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// Pictures loaded by URL; owns them; grows until ClearPictures.
class THTMLPictureCache {
public:
    THTMLPictureCache();
    ~THTMLPictureCache();
    THTMLPicture *AddPicture();
    THTMLPicture *FindPicture(const QString &id) const; // exact, case-sensitive
    THTMLPicture *GetPicture(int index) const { return m_items.at(size_t(index)).get(); }
    int Count() const { return int(m_items.size()); }
    void ClearPictures();
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> m_items;
};

class TPictureItem {
public:
    THTMLPicture &Picture() { return m_picture; }
    const THTMLPicture &Picture() const { return m_picture; }
    void SetPicture(const THTMLPicture *p) { m_picture.Assign(p); }
    QString Name;
    int Tag = 0;
    void Assign(const TPictureItem &source);

private:
    THTMLPicture m_picture;
};

class TPictureCollection {
public:
    TPictureItem *Add();
    TPictureItem *Insert(int index);
    TPictureItem *Items(int index) const { return m_items.at(size_t(index)).get(); }
    int Count() const { return int(m_items.size()); }
    void Clear() { m_items.clear(); }
    bool Animate();

private:
    std::vector<std::unique_ptr<TPictureItem>> m_items;
};

// Named pictures for <IMG SRC="name">.
class TPictureContainer {
public:
    TPictureContainer();
    virtual ~TPictureContainer();
    TPictureCollection &Items() { return *m_items; }
    // The first item whose name matches without regard to case; none when absent.
    virtual THTMLPicture *FindPicture(const QString &name);

private:
    std::unique_ptr<TPictureCollection> m_items;
};
