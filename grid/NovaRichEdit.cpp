#include "grid/NovaRichEdit.h"

#include "grid/NovaGrid.h"
#include "grid/SizeSettings.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <cmath>
#include <typeinfo>

namespace {

TNovaStringGrid *gridOf(QObject *owner)
{
    auto *g = dynamic_cast<TNovaStringGrid *>(owner);
    if (!g)
        throw std::bad_cast();
    return g;
}

} // namespace

TNovaRichEdit::TNovaRichEdit(QObject *AOwner) : QTextEdit(gridOf(AOwner)), FGrid(gridOf(AOwner))
{
    setFrameShape(QFrame::NoFrame);
    setAcceptRichText(true);
    ReCreate();
}

void TNovaRichEdit::ReCreate()
{
    auto *doc = new QTextDocument(this);
    doc->setDocumentMargin(1);
    // The edit frees its previous document itself when that was its own.
    setDocument(doc);
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this, [this](const QSizeF &s) {
        RequestResize(int(std::ceil(s.width())), int(std::ceil(s.height())));
    });
}

// Offsets in twips: 40 raises or lowers by two points; the text document knows only the direction.
void TNovaRichEdit::setSelOffset(int Offset)
{
    QTextCharFormat f;
    f.setVerticalAlignment(Offset > 0 ? QTextCharFormat::AlignSuperScript
                           : Offset < 0 ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignNormal);
    mergeCurrentCharFormat(f);
}

int TNovaRichEdit::selOffset() const
{
    QTextCursor c = textCursor();
    // The format of a selection is that of its first character.
    if (c.hasSelection()) {
        const int start = c.selectionStart();
        c.setPosition(start);
        c.setPosition(start + 1, QTextCursor::KeepAnchor);
    }
    switch (c.charFormat().verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: return 40;
    case QTextCharFormat::AlignSubScript: return -40;
    default: return 0;
    }
}

void TNovaRichEdit::SelNormal() { setSelOffset(0); }
void TNovaRichEdit::SelSubscript() { setSelOffset(-40); }
void TNovaRichEdit::SelSuperscript() { setSelOffset(40); }
bool TNovaRichEdit::IsSelNormal() const { return selOffset() == 0; }
bool TNovaRichEdit::IsSelSubscript() const { return selOffset() == -40; }
bool TNovaRichEdit::IsSelSuperscript() const { return selOffset() == 40; }

void TNovaRichEdit::RequestResize(int Width, int Height)
{
    if (FGrid->Designing())
        return;
    if (this == FGrid->FRichEdit) {
        FReqWidth = Width;
        FReqHeight = Height;
        return;
    }
    if (this != FGrid->FInplaceRichEdit || !FGrid->SizeWhileTyping()->Height() || FLocked)
        return;
    const int row = FGrid->Row();
    const TRect r = FGrid->CellRect(FGrid->Col(), row);
    // The row grows with the text, never past the grid's bottom edge.
    if (FGrid->RowHeights(row) < Height + 5 && r.Top + Height + 5 <= FGrid->height()) {
        resize(width(), Height + 9);
        FGrid->SetRowHeights(row, Height + 10);
        FireEvent(FGrid->OnEndRowSize, FGrid, row);
    }
}

void TNovaRichEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (tab && FGrid->Options().Contains(goTabs)) {
        // The grid moves to the next cell and opens the editor there.
        FGrid->setFocus(Qt::TabFocusReason);
        int k = key;
        FGrid->KeyDown(k, e->modifiers());
        FGrid->ShowInplaceEdit();
        return;
    }
    if (key == Qt::Key_Escape && this == FGrid->FInplaceRichEdit) {
        // Escape drops what was typed: the cell keeps the text it had when editing began.
        document()->setModified(false);
        FGrid->setFocus(Qt::OtherFocusReason);
        FGrid->HideInplaceEdit();
        return;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !FGrid->WordWrap() && !FGrid->Multilinecells()) {
        FGrid->setFocus(Qt::OtherFocusReason);
        int k = key;
        FGrid->KeyDown(k, e->modifiers());
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void TNovaRichEdit::focusOutEvent(QFocusEvent *e)
{
    QTextEdit::focusOutEvent(e);
    if (this == FGrid->FInplaceRichEdit && !FGrid->FBlockFocus && QApplication::focusWidget() == FGrid)
        FGrid->HideInplaceEdit();
}
