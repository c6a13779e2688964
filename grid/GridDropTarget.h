#pragma once
// The string grid's drop target and drop source: where dropped data lands and what a drag out of
// the grid reports back.

#include "grid/base/GridDragDrop.h"

class TNovaStringGrid;

class TGridDropTarget : public TNSGDropTarget {
public:
    explicit TGridDropTarget(TNovaStringGrid *AGrid);

    void DropText(QPoint pt, const QString &Text) override;
    void DropStream(QPoint pt, QByteArray &Stream) override;
    void DropCol(QPoint pt, int Col) override;
    void DropRTF(QPoint pt, const QString &Text) override;
    void DropFiles(QPoint pt, const QStringList &Files) override;
    void DropURL(QPoint pt, const QString &Text) override;
    void DragMouseMove(QPoint pt, bool &Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

private:
    // The cell under a screen point ((-1, -1) parts outside the cells), with the append position
    // applied; Append tells whether it applied.
    void targetCell(QPoint pt, bool OfferCol, int &ACol, int &ARow, bool &Append) const;
    // Rich text or a link dropped on a cell replaces its text.
    void dropIntoCell(QPoint pt, const QString &Text, bool Url);
    // Drop arrows: above and below a column's left edge for a column, left of the row's cell (at
    // its bottom when appending) for other data; hidden when the drop is refused.
    void showArrows(bool Allowed, bool OfferCol, int ACol, int ARow, bool Append);
    void hideArrows();
    TNovaStringGrid *FGrid;
};

class TGridDropSource : public TNSGDropSource {
public:
    explicit TGridDropSource(TNovaStringGrid *AGrid) : FGrid(AGrid) {}
    void CurrentEffect(Qt::DropAction Effect) override;
    void QueryDrag() override;
    void DragEnded() override;
    Qt::DropAction LastEffect() const { return FLastEffect; }

protected:
    TNovaStringGrid *FGrid;
    Qt::DropAction FLastEffect = Qt::IgnoreAction;
};
