#include "grid/base/HtmlPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

namespace {

int byteAt(const QByteArray &d, qsizetype i)
{
    return i >= 0 && i < d.size() ? int(static_cast<unsigned char>(d.at(i))) : 0;
}

int word16At(const QByteArray &d, qsizetype i) { return byteAt(d, i) | (byteAt(d, i + 1) << 8); }

// The shape of a frame marker: 21 F9 04 .. .. .. .. .. 2C, with the byte after the 2C present.
bool isMarkerAt(const QByteArray &d, qsizetype j)
{
    return j + 9 < d.size() && byteAt(d, j) == 0x21 && byteAt(d, j + 1) == 0xF9
           && byteAt(d, j + 2) == 4 && byteAt(d, j + 8) == 0x2C;
}

TGifFrameInfo frameAt(const QByteArray &d, qsizetype j)
{
    TGifFrameInfo f;
    f.Offset = int(j);
    f.Packed = byteAt(d, j + 3);
    f.Delay = word16At(d, j + 4);
    f.Left = word16At(d, j + 9);
    f.Top = word16At(d, j + 11);
    f.Width = word16At(d, j + 13);
    f.Height = word16At(d, j + 15);
    return f;
}

} // namespace

bool IsGifData(const QByteArray &data)
{
    return data.size() >= 5 && data.startsWith("GIF8");
}

std::vector<TGifFrameInfo> ScanGifFrames(const QByteArray &data)
{
    std::vector<TGifFrameInfo> frames;
    if (!IsGifData(data))
        return frames;
    for (qsizetype j = 0; j + 9 < data.size(); ++j)
        if (isMarkerAt(data, j))
            frames.push_back(frameAt(data, j));
    return frames;
}

QByteArray GifFrameStream(const QByteArray &data, int frame, TGifFrameInfo *selected)
{
    QByteArray out;
    out.reserve(data.size());
    int c = 1;
    bool skip = false;
    for (qsizetype j = 0; j < data.size(); ++j) {
        if (isMarkerAt(data, j)) {
            if (c == frame && selected)
                *selected = frameAt(data, j);
            ++c;
            skip = frame >= c;
        }
        if (!skip)
            out.append(data.at(j));
    }
    return out;
}

// ---- THTMLPicture ----

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Reset()
{
    FIsEmpty = true;
    gpPicture = QImage();
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

void THTMLPicture::LoadPicture()
{
    FFrameXPos = FFrameYPos = 0;
    FAnimMaxX = FAnimMaxY = 0;
    QByteArray bytes = FDatastream;
    bool gifFrame = false;
    TGifFrameInfo info;
    if (IsGIF() && FrameCount() > 0) {
        FAnimMaxX = word16At(FDatastream, 6);
        FAnimMaxY = word16At(FDatastream, 8);
        info.Offset = -1;
        bytes = GifFrameStream(FDatastream, FFrame, &info);
        if (info.Offset >= 0) {
            gifFrame = true;
            FFrameXPos = info.Left;
            FFrameYPos = info.Top;
            FFrameXSize = info.Width;
            FFrameYSize = info.Height;
        }
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        throw TPictureError("Could not load image. Invalid format");
    // Qt's GIF reader paints a frame onto the whole logical screen; keep the frame itself, the
    // caller places it by its position.
    if (gifFrame && image.width() == FAnimMaxX && image.height() == FAnimMaxY) {
        const QRect fr(FFrameXPos, FFrameYPos, FFrameXSize, FFrameYSize);
        if (!fr.isEmpty() && image.rect().contains(fr) && fr != image.rect())
            image = image.copy(fr);
    }
    gpPicture = image;
}

void THTMLPicture::LoadFromData(const QByteArray &data)
{
    FDatastream = data;
    FIsEmpty = false;
    FFrameCount = -1;
    gpPicture = QImage();
    LoadPicture();
    if (OnChange)
        OnChange(this);
}

void THTMLPicture::LoadFromStream(QIODevice *stream)
{
    if (!stream)
        return;
    LoadFromData(stream->readAll());
}

void THTMLPicture::LoadFromFile(const QString &fileName)
{
    try {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly))
            throw TPictureError("Could not open file");
        LoadFromData(f.readAll());
    } catch (const std::exception &) {
        FIsEmpty = true;
        gpPicture = QImage();
    }
}

void THTMLPicture::LoadFromResourceName(const QString &resName)
{
    QFile f(QLatin1String(":/") + resName);
    if (resName.isEmpty() || !f.exists() || !f.open(QIODevice::ReadOnly))
        return;
    LoadFromData(f.readAll());
}

void THTMLPicture::LoadFromResourceID(int resId)
{
    QFile f(QLatin1String(":/") + QString::number(resId));
    if (!f.open(QIODevice::ReadOnly))
        throw TPictureError("Resource not found");
    LoadFromData(f.readAll());
}

void THTMLPicture::LoadFromURL(const QString &url)
{
    if (url.startsWith(QLatin1String("RES://"), Qt::CaseInsensitive)) {
        FID = url;
        const QString rest = url.mid(6);
        if (!rest.isEmpty())
            LoadFromResourceName(rest);
    } else if (url.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive)) {
        FID = url;
        const QString rest = url.mid(7);
        if (!rest.isEmpty())
            LoadFromFile(rest);
    } else if (!Asynch) {
        FURL = url;
        FID = url;
    } else if (!FThreadBusy) {
        // Nothing is ever fetched from the network; the picture stays empty and busy.
        FURL = url;
        FThreadBusy = true;
    }
}

void THTMLPicture::SaveToStream(QIODevice *stream) const
{
    if (stream)
        stream->write(FDatastream);
}

void THTMLPicture::SetData(const QByteArray &data)
{
    FDatastream = data;
    FFrameCount = -1;
    FIsEmpty = data.isEmpty();
    gpPicture = QImage();
    if (!FIsEmpty)
        LoadPicture();
}

void THTMLPicture::Assign(const THTMLPicture *source)
{
    Reset();
    if (!source) {
        FDatastream.clear();
        return;
    }
    if (source == this)
        return;
    FDatastream = source->FDatastream;
    if (FDatastream.isEmpty())
        return;
    FIsEmpty = false;
    LoadPicture();
    if (OnChange)
        OnChange(this);
}

void THTMLPicture::Draw(TCanvas &canvas, const TRect &r) const
{
    if (FIsEmpty || gpPicture.isNull())
        return;
    if (Stretch) {
        canvas.StretchDraw(r, gpPicture);
        return;
    }
    int dpiX = FLogPixX, dpiY = FLogPixY;
    if (QPainter *p = canvas.Painter(); p && p->device()) {
        dpiX = p->device()->logicalDpiX();
        dpiY = p->device()->logicalDpiY();
    }
    if (dpiX == FLogPixX && dpiY == FLogPixY) {
        canvas.Draw(r.Left, r.Top, gpPicture);
    } else {
        const int w = gpPicture.width() * dpiX / FLogPixX;
        const int h = gpPicture.height() * dpiY / FLogPixY;
        canvas.StretchDraw(TRect{r.Left, r.Top, r.Left + w, r.Top + h}, gpPicture);
    }
}

int THTMLPicture::Width() const { return gpPicture.isNull() ? 0 : gpPicture.width(); }
int THTMLPicture::Height() const { return gpPicture.isNull() ? 0 : gpPicture.height(); }
int THTMLPicture::MaxWidth() const { return FAnimMaxX != 0 ? FAnimMaxX : Width(); }
int THTMLPicture::MaxHeight() const { return FAnimMaxY != 0 ? FAnimMaxY : Height(); }

bool THTMLPicture::IsGIF() const { return IsGifData(FDatastream); }

int THTMLPicture::FrameCount()
{
    if (FFrameCount != -1)
        return FFrameCount;
    if (!IsGIF())
        return -1;
    FFrameCount = int(ScanGifFrames(FDatastream).size());
    return FFrameCount;
}

int THTMLPicture::FrameTime(int frame) const
{
    if (!IsGIF())
        return -1;
    const auto frames = ScanGifFrames(FDatastream);
    if (frame < 1 || frame > int(frames.size()))
        return -1;
    return frames[size_t(frame - 1)].Delay;
}

void THTMLPicture::SetFrame(int value)
{
    FFrame = value;
    if (!FDatastream.isEmpty()) {
        LoadPicture();
        if (OnFrameChange)
            OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext() { FFrame = FFrame < FFrameCount ? FFrame + 1 : 1; }
void THTMLPicture::FramePrev() { FFrame = FFrame < 2 ? FFrameCount : FFrame - 1; }

bool THTMLPicture::Step()
{
    if (FFrameCount < 2 || FIsEmpty)
        return false;
    bool changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        LoadPicture();
        FNextCount += FrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

// ---- THTMLPictureCache ----

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture *THTMLPictureCache::AddPicture()
{
    m_items.push_back(std::make_unique<THTMLPicture>());
    return m_items.back().get();
}

THTMLPicture *THTMLPictureCache::FindPicture(const QString &id) const
{
    for (const auto &p : m_items)
        if (p->ID() == id)
            return p.get();
    return nullptr;
}

void THTMLPictureCache::ClearPictures() { m_items.clear(); }

bool THTMLPictureCache::Animate()
{
    bool any = false;
    for (const auto &p : m_items)
        any = p->Step() || any;
    return any;
}

// ---- container ----

void TPictureItem::Assign(const TPictureItem &source)
{
    Name = source.Name;
    Tag = source.Tag;
    m_picture.Assign(&source.m_picture);
}

TPictureItem *TPictureCollection::Add()
{
    m_items.push_back(std::make_unique<TPictureItem>());
    return m_items.back().get();
}

TPictureItem *TPictureCollection::Insert(int index)
{
    index = qBound(0, index, int(m_items.size()));
    auto it = m_items.insert(m_items.begin() + index, std::make_unique<TPictureItem>());
    return it->get();
}

bool TPictureCollection::Animate()
{
    bool any = false;
    for (const auto &i : m_items)
        any = i->Picture().Step() || any;
    return any;
}

TPictureContainer::TPictureContainer() : m_items(std::make_unique<TPictureCollection>()) {}
TPictureContainer::~TPictureContainer() = default;

THTMLPicture *TPictureContainer::FindPicture(const QString &name)
{
    for (int i = 0; i < m_items->Count(); ++i) {
        TPictureItem *item = m_items->Items(i);
        if (item->Name.compare(name, Qt::CaseInsensitive) == 0)
            return &item->Picture();
    }
    return nullptr;
}
