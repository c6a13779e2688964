// Rich-text cells: the grid's two rich edits, a cell's rich text in and out of them, and drawing
// a rich-text cell on the screen or a printer.
#include "grid/NovaGrid.h"
#include "grid/NovaRichEdit.h"
#include "grid/base/RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

TNovaRichEdit *TNovaStringGrid::RichEdit()
{
    if (!FRichEdit) {
        FRichEdit = new TNovaRichEdit(this);
        FRichEdit->setGeometry(0, 0, 0, 0);
        FRichEdit->setAttribute(Qt::WA_TransparentForMouseEvents);
        FRichEdit->hide();
    }
    return FRichEdit;
}

TNovaRichEdit *TNovaStringGrid::InplaceRichEdit()
{
    if (!FInplaceRichEdit) {
        FInplaceRichEdit = new TNovaRichEdit(this);
        FInplaceRichEdit->hide();
        QObject::connect(FInplaceRichEdit, &QTextEdit::selectionChanged, this,
                         [this] { RichEditSelectionChanged(FInplaceRichEdit); });
    }
    return FInplaceRichEdit;
}

void TNovaStringGrid::RichEditSelectionChanged(QObject *Sender)
{
    FireEvent(OnRichEditSelectionChange, Sender);
}

void TNovaStringGrid::CellToRich(int ACol, int ARow, TNovaRichEdit *Rich)
{
    const QString text = Cells(ACol, ARow);
    Rich->Lock();
    if (text.isEmpty())
        Rich->document()->clear();
    else
        RtfToDocument(CellTextToRtfBytes(text), *Rich->document());
    Rich->Unlock();
}

QString TNovaStringGrid::RichToString(TNovaRichEdit *Rich)
{
    if (Destroying())
        return {};
    return RtfBytesToCellText(DocumentToRtf(*Rich->document()));
}

void TNovaStringGrid::RichToCell(int ACol, int ARow, TNovaRichEdit *Rich) { SetCells(ACol, ARow, RichToString(Rich)); }

void TNovaStringGrid::openInplaceRichEdit(int ACol, int ARow, const TRect &R, TColor B)
{
    TNovaRichEdit *rich = InplaceRichEdit();
    rich->ReCreate();
    rich->setFrameShape(QFrame::NoFrame);
    // The selection keeps its colour while the focus is elsewhere.
    QPalette pal = rich->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    pal.setColor(QPalette::Base, ToQColor(B, QApplication::palette()));
    rich->setPalette(pal);
    rich->setGeometry(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
    DoGetEditorProp(ACol, ARow);
    CellToRich(ACol, ARow, rich);
    rich->Lock();
    rich->document()->setDocumentMargin(2);
    rich->document()->setModified(false);
    QTextCursor cursor(rich->document());
    if (FNavigation->EditSelectAll())
        cursor.select(QTextCursor::Document);
    else
        cursor.movePosition(QTextCursor::End);
    rich->setTextCursor(cursor);
    rich->setEnabled(true);
    rich->show();
    rich->raise();
    rich->setFocus(Qt::OtherFocusReason);
    PostStartChar(rich);
    rich->Unlock();
    FEditCtrl = rich;
}

void TNovaStringGrid::storeInplaceRichEdit(int ACol, int ARow)
{
    // An editor closed unchanged leaves the cell's rich text as it was, byte for byte.
    if (FInplaceRichEdit->document()->isModified())
        SetEditedCellText(ACol, ARow, RichToString(FInplaceRichEdit));
}

QString TNovaStringGrid::RichCellPlainText(const QString &CellText) { return RtfToPlainText(CellTextToRtfBytes(CellText)); }

bool TNovaStringGrid::richCellSelected(int ACol, int ARow)
{
    const int dc = DisplColIndex(ACol);
    const bool current = dc == Col() && ARow == Row();
    if (IsSelected(dc, ARow) && (!current || Options().Contains(goDrawFocusSelected)))
        return true;
    if (FMouseActions->DisjunctRowSelect()
        && RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow))
        return true;
    return FMouseActions->DisjunctColSelect() && ColSelect(dc);
}

void TNovaStringGrid::PaintRichTextCell(int ACol, int ARow, const TRect &Rect, TCanvas &Canvas)
{
    if (FDesigning)
        return;
    QPainter *p = Canvas.Painter();
    if (!p || !p->device())
        return;
    TNovaRichEdit *rich = RichEdit();
    CellToRich(ACol, ARow, rich);
    QTextDocument *doc = rich->document();

    // Only the screen shows the selection's text colour; printed cells keep their own.
    const int dev = p->device()->devType();
    const bool screen = dev == QInternal::Widget || dev == QInternal::Pixmap || dev == QInternal::Image;
    if (screen && !SelectionRTFKeep() && SelectionTextColor() != clNone && richCellSelected(ACol, ARow)) {
        QTextCursor all(doc);
        all.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setForeground(ToQColor(SelectionTextColor()));
        all.mergeCharFormat(f);
    }

    // The text is laid out at 96 dots per inch and scaled to the device's resolution.
    const double scale = std::max(1, p->device()->logicalDpiX()) / 96.0;
    const int margin = int(std::lround(XYOffset.x() * scale));
    const int w = Rect.Right - Rect.Left - 2 * margin;
    const int h = Rect.Bottom - Rect.Top - 2 * margin;
    if (w <= 0 || h <= 0)
        return;
    doc->setTextWidth(w / scale);
    p->save();
    p->translate(Rect.Left + margin, Rect.Top + margin);
    p->setClipRect(QRect(0, 0, w, h), Qt::IntersectClip);
    p->scale(scale, scale);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    ctx.clip = QRectF(0, 0, w / scale, h / scale);
    doc->documentLayout()->draw(p, ctx);
    p->restore();
}
