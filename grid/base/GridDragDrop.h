#pragma once
// Drag and drop for grids: the exchanged data types, a reader of offered data, a drop target that
// takes a widget's drag events, a drop source, the data a grid drags out and the starting of a drag.

#include <QByteArray>
#include <QMimeData>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include <memory>

class QDrag;
class QWidget;

// Whether the grids' drop targets accept rich text (off until a grid switches it on).
void SetAcceptRTFDrop(bool Value);
bool AcceptRTFDrop();

// Data types. Text, rich text (8-bit bytes), HTML and links use the common types; the grid's cell
// stream and a dragged column use their own names (on Windows they map to registered formats).
namespace GridMime {
QString Text();
QString Rtf();
QString Html();
QString UriList();
QString GridCells(); // 4 bytes stream length L, 4 zero bytes, then the L bytes of the cell stream
QString GridColumn(); // 4 bytes: the column index
} // namespace GridMime

// The block of the grid cell type around a cell stream, and the stream inside such a block
// (empty when the block is shorter than its length field says).
QByteArray PackGridCells(const QByteArray &Stream);
bool UnpackGridCells(const QByteArray &Block, QByteArray &Stream);

enum TDropFormat { dfText = 1, dfFile = 2, dfCol = 4, dfRTF = 8, dfURL = 16, dfGridCells = 32 };
using TDropFormats = int; // bits of TDropFormat

// The effect of a drop: copy with Ctrl held, else move when the source allows it, else copy.
Qt::DropAction ChooseDropEffect(Qt::KeyboardModifiers Keys, Qt::DropActions Allowed);

// Reader of the data offered by a drag (lives for one drag event).
class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData *DataObject);
    bool HasText() const;
    bool HasFile() const;
    bool HasRTF() const;
    bool HasCol() const;
    bool HasURL() const;
    bool HasGridCells() const;
    TDropFormats Formats() const;
    QString Text() const;
    QString RTF() const;            // the 8-bit rich text read in the ANSI code page
    int Col() const;                // -1 when absent or unreadable
    bool Stream(QByteArray &Stream) const; // the cell stream; false when absent or unreadable
    QStringList ReadFiles() const;  // local files offered, in their order
private:
    const QMimeData *FDataObject;
};

// Drop target: takes the drag events of one widget (and of the viewport given) and hands the
// data to the overridable handlers. Points are in screen coordinates.
class TNSGDropTarget : public QObject {
public:
    // Installs itself on Target (the widget whose events arrive) and makes it accept drops.
    explicit TNSGDropTarget(QWidget *Target);
    ~TNSGDropTarget() override;

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptURLs = true;
    bool AcceptCols = false;
    bool Ok() const { return FOk; }
    TDropFormats DropFormats() const { return FDropFormats; }

    virtual void DropText(QPoint, const QString &) {}
    virtual void DropStream(QPoint, QByteArray &) {}
    virtual void DropCol(QPoint, int) {}
    virtual void DropRTF(QPoint, const QString &) {}
    virtual void DropFiles(QPoint, const QStringList &) {}
    virtual void DropURL(QPoint, const QString &) {}
    virtual void DragMouseMove(QPoint, bool &, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QPointer<QWidget> FTarget;
    bool FOk = false;
    TDropFormats FDropFormats = 0;
};

// Drop source of one drag: follows the feedback of the drag and reports its end.
class TNSGDropSource : public QObject {
public:
    bool NoAccept() const { return FNoAccept; }
    virtual void DragEnded() {}
    virtual void CurrentEffect(Qt::DropAction) {}
    virtual void QueryDrag() {}
    // Runs the modal drag loop; the platform's own by default.
    virtual Qt::DropAction Execute(QDrag &Drag, Qt::DropActions Allowed, Qt::DropAction Default);
    // Feedback of the running drag (the effect the target reports).
    void GiveFeedback(Qt::DropAction Effect);
    // The picture that follows the pointer during the drag; HotSpot is the pointer's place in it.
    void SetDragPicture(const QPixmap &Picture, QPoint HotSpot);
    const QPixmap &DragPicture() const { return FPicture; }
    QPoint DragHotSpot() const { return FHotSpot; }

private:
    bool FNoAccept = false;
    QPixmap FPicture;
    QPoint FHotSpot;
};

// The data a grid drags out: text, rich text, a column or a cell stream (not owned).
class TSourceDataObject : public QMimeData {
public:
    TSourceDataObject(const QString &Text, const QByteArray *Stream, int ColIdx, const QString &Rtf);
    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString &MimeType, QMetaType Type) const override;

private:
    QString textdata;
    QString rtfdata;
    int scolidx;
    QByteArray memstr;
    bool hasStream;
};

// Start a drag of text (with rich text and a cell stream when given) or of a column; the result
// is the effect of the drop, or Qt::IgnoreAction when the last feedback had no effect.
Qt::DropAction BeginTextDrag(TNSGDropSource &Source, QWidget *DragSource, const QString &Text,
                             const QString &Rtf, Qt::DropActions Allowed, const QByteArray *Stream);
Qt::DropAction BeginColumnDrag(TNSGDropSource &Source, QWidget *DragSource, int Col, Qt::DropActions Allowed);
