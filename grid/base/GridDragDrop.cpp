#include "grid/base/GridDragDrop.h"

#include "platform/TextFile.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

namespace {
bool acceptRtf = false; // user-interface thread only

QByteArray le32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
} // namespace

void SetAcceptRTFDrop(bool Value) { acceptRtf = Value; }
bool AcceptRTFDrop() { return acceptRtf; }

namespace GridMime {
QString Text() { return QStringLiteral("text/plain"); }
QString Rtf() { return QStringLiteral("text/rtf"); }
QString Html() { return QStringLiteral("text/html"); }
QString UriList() { return QStringLiteral("text/uri-list"); }
QString GridCells() { return QStringLiteral("application/x-qt-windows-mime;value=\"TNovaStringGrid Cells\""); }
QString GridColumn() { return QStringLiteral("application/x-qt-windows-mime;value=\"Grid Column\""); }
} // namespace GridMime

QByteArray PackGridCells(const QByteArray &Stream)
{
    return le32(qint32(Stream.size())) + le32(0) + Stream;
}

bool UnpackGridCells(const QByteArray &Block, QByteArray &Stream)
{
    if (Block.size() < 8)
        return false;
    const qint32 n = qFromLittleEndian<qint32>(Block.constData());
    if (n < 0 || n > Block.size() - 8)
        return false;
    Stream = Block.mid(8, n);
    return true;
}

Qt::DropAction ChooseDropEffect(Qt::KeyboardModifiers Keys, Qt::DropActions Allowed)
{
    if (Keys & Qt::ControlModifier)
        return Qt::CopyAction;
    return Allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
}

// ---- TEnumFormats -------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(const QMimeData *DataObject) : FDataObject(DataObject) {}

bool TEnumFormats::HasText() const { return FDataObject && FDataObject->hasFormat(GridMime::Text()); }
bool TEnumFormats::HasRTF() const
{
    return FDataObject && (FDataObject->hasFormat(GridMime::Rtf()) || FDataObject->hasFormat("application/rtf"));
}
bool TEnumFormats::HasCol() const { return FDataObject && FDataObject->hasFormat(GridMime::GridColumn()); }
bool TEnumFormats::HasGridCells() const { return FDataObject && FDataObject->hasFormat(GridMime::GridCells()); }

bool TEnumFormats::HasFile() const
{
    if (!FDataObject || !FDataObject->hasUrls())
        return false;
    for (const QUrl &u : FDataObject->urls())
        if (u.isLocalFile())
            return true;
    return false;
}

bool TEnumFormats::HasURL() const
{
    if (!FDataObject || !FDataObject->hasUrls())
        return false;
    for (const QUrl &u : FDataObject->urls())
        if (!u.isLocalFile())
            return true;
    return false;
}

TDropFormats TEnumFormats::Formats() const
{
    return (HasText() ? dfText : 0) | (HasFile() ? dfFile : 0) | (HasCol() ? dfCol : 0) | (HasRTF() ? dfRTF : 0)
        | (HasURL() ? dfURL : 0) | (HasGridCells() ? dfGridCells : 0);
}

QString TEnumFormats::Text() const { return FDataObject ? FDataObject->text() : QString(); }

QString TEnumFormats::RTF() const
{
    if (!FDataObject)
        return {};
    QByteArray b = FDataObject->data(GridMime::Rtf());
    if (b.isEmpty())
        b = FDataObject->data("application/rtf");
    const qsizetype z = b.indexOf('\0');
    if (z >= 0)
        b.truncate(z);
    return platform::decodeCodePage(b, platform::TextEncoding::Ansi);
}

int TEnumFormats::Col() const
{
    if (!HasCol())
        return -1;
    const QByteArray b = FDataObject->data(GridMime::GridColumn());
    return b.size() >= 4 ? qFromLittleEndian<qint32>(b.constData()) : -1;
}

bool TEnumFormats::Stream(QByteArray &Stream) const
{
    return HasGridCells() && UnpackGridCells(FDataObject->data(GridMime::GridCells()), Stream);
}

QStringList TEnumFormats::ReadFiles() const
{
    QStringList files;
    if (FDataObject)
        for (const QUrl &u : FDataObject->urls())
            if (u.isLocalFile())
                files << u.toLocalFile();
    return files;
}

// ---- TNSGDropTarget -----------------------------------------------------------------------------

TNSGDropTarget::TNSGDropTarget(QWidget *Target) : FTarget(Target)
{
    if (Target) {
        Target->setAcceptDrops(true);
        Target->installEventFilter(this);
    }
}

TNSGDropTarget::~TNSGDropTarget()
{
    if (FTarget) {
        FTarget->removeEventFilter(this);
        FTarget->setAcceptDrops(false);
    }
}

bool TNSGDropTarget::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != FTarget)
        return false;
    switch (Event->type()) {
    case QEvent::DragEnter: {
        auto *e = static_cast<QDragEnterEvent *>(Event);
        const TEnumFormats f(e->mimeData());
        FOk = (f.HasText() && AcceptText) || (f.HasFile() && AcceptFiles)
            || (f.HasRTF() && AcceptRTFDrop() && AcceptText) || (f.HasCol() && AcceptCols)
            || (f.HasURL() && AcceptURLs) || f.HasGridCells();
        FDropFormats = f.Formats();
        if (FOk) {
            e->setDropAction(ChooseDropEffect(e->modifiers(), e->possibleActions()));
            e->accept();
        } else
            e->ignore();
        DragMouseEnter();
        return true;
    }
    case QEvent::DragMove: {
        auto *e = static_cast<QDragMoveEvent *>(Event);
        bool allow = FOk;
        DragMouseMove(FTarget->mapToGlobal(e->position().toPoint()), allow, FDropFormats);
        if (allow) {
            e->setDropAction(ChooseDropEffect(e->modifiers(), e->possibleActions()));
            e->accept();
        } else
            e->ignore();
        return true;
    }
    case QEvent::DragLeave:
        DragMouseLeave();
        return true;
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(Event);
        if (!FOk) {
            e->ignore();
            return true;
        }
        const QPoint pt = FTarget->mapToGlobal(e->position().toPoint());
        const TEnumFormats f(e->mimeData());
        if (f.HasCol())
            DropCol(pt, f.Col());
        else {
            QByteArray stream;
            if (f.HasGridCells()) {
                // An unreadable block drops as an empty stream.
                f.Stream(stream);
                DropStream(pt, stream);
            } else if (f.HasRTF() && AcceptRTFDrop())
                DropRTF(pt, f.RTF());
            else if (f.HasText())
                DropText(pt, f.Text());
            if (f.HasFile())
                DropFiles(pt, f.ReadFiles());
            if (f.HasURL())
                DropURL(pt, f.Text());
        }
        e->setDropAction(ChooseDropEffect(e->modifiers(), e->possibleActions()));
        e->accept();
        return true;
    }
    default:
        return false;
    }
}

// ---- TNSGDropSource -----------------------------------------------------------------------------

Qt::DropAction TNSGDropSource::Execute(QDrag &Drag, Qt::DropActions Allowed, Qt::DropAction Default)
{
    return Drag.exec(Allowed, Default);
}

void TNSGDropSource::SetDragPicture(const QPixmap &Picture, QPoint HotSpot)
{
    FPicture = Picture;
    FHotSpot = HotSpot;
}

void TNSGDropSource::GiveFeedback(Qt::DropAction Effect)
{
    FNoAccept = Effect == Qt::IgnoreAction;
    CurrentEffect(Effect);
    QueryDrag();
}

// ---- TSourceDataObject --------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const QString &Text, const QByteArray *Stream, int ColIdx, const QString &Rtf)
    : textdata(Text), rtfdata(Rtf), scolidx(ColIdx), memstr(Stream ? *Stream : QByteArray()), hasStream(Stream)
{
}

QStringList TSourceDataObject::formats() const
{
    QStringList f{GridMime::Text(), GridMime::Rtf()};
    if (scolidx != -1)
        f << GridMime::GridColumn();
    if (hasStream)
        f << GridMime::GridCells();
    return f;
}

QVariant TSourceDataObject::retrieveData(const QString &MimeType, QMetaType) const
{
    if (MimeType == GridMime::Text())
        return textdata.isEmpty() ? QVariant() : QVariant(textdata);
    if (MimeType == GridMime::Rtf())
        return textdata.isEmpty() || !AcceptRTFDrop()
            ? QVariant()
            : QVariant(platform::encodeText(rtfdata, platform::TextEncoding::Ansi));
    if (MimeType == GridMime::GridColumn())
        return scolidx == -1 ? QVariant() : QVariant(le32(scolidx));
    if (MimeType == GridMime::GridCells())
        return hasStream ? QVariant(PackGridCells(memstr)) : QVariant();
    return {};
}

// ---- starting a drag ----------------------------------------------------------------------------

namespace {
Qt::DropAction runDrag(TNSGDropSource &Source, QWidget *DragSource, QMimeData *Data, Qt::DropActions Allowed)
{
    QDrag drag(DragSource);
    drag.setMimeData(Data); // the drag owns it
    if (!Source.DragPicture().isNull()) {
        drag.setPixmap(Source.DragPicture());
        drag.setHotSpot(Source.DragHotSpot());
    }
    QObject::connect(&drag, &QDrag::actionChanged, &Source,
                     [&Source](Qt::DropAction a) { Source.GiveFeedback(a); });
    const Qt::DropAction r = Source.Execute(drag, Allowed, Allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
    Source.DragEnded();
    return Source.NoAccept() ? Qt::IgnoreAction : r;
}
} // namespace

Qt::DropAction BeginTextDrag(TNSGDropSource &Source, QWidget *DragSource, const QString &Text,
                             const QString &Rtf, Qt::DropActions Allowed, const QByteArray *Stream)
{
    return runDrag(Source, DragSource, new TSourceDataObject(Text, Stream, -1, Rtf), Allowed);
}

Qt::DropAction BeginColumnDrag(TNSGDropSource &Source, QWidget *DragSource, int Col, Qt::DropActions Allowed)
{
    return runDrag(Source, DragSource, new TSourceDataObject(QString(), nullptr, Col, QString()), Allowed);
}
