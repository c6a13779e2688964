#pragma once
// Editors that edit a fixed (header) cell in place, and the header image that follows the mouse
// while a column is dragged.
#include "grid/GridSettingsHost.h"
#include "grid/base/MarkupRenderer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

// What both fixed-cell editors share: the grid and the cell they edit, and ending the edit.
class TFixedCellEditLink {
public:
    explicit TFixedCellEditLink(IGridSettingsHost *AGrid) : FGrid(AGrid) {}
    IGridSettingsHost *Grid() const { return FGrid; }
    int Col() const { return FCol; }
    void SetCol(int Value) { FCol = Value; }
    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }

protected:
    // The text passes the grid's validation: then editing-done fires, the cell takes the text
    // and the editor hides (true). Refused: the cell becomes current and the editor keeps the
    // focus (false). Without a grid the editor only hides.
    bool stopEdit(QWidget *editor, QString text);

private:
    IGridSettingsHost *FGrid;
    int FCol = 0;
    int FRow = 0;
};

class TGridTransEdit : public QLineEdit, public TFixedCellEditLink {
public:
    TGridTransEdit(QWidget *AOwner, IGridSettingsHost *AGrid);
    bool StopEdit() { return stopEdit(this, text()); }

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

class TGridTransCombo : public QComboBox, public TFixedCellEditLink {
public:
    TGridTransCombo(QWidget *AOwner, IGridSettingsHost *AGrid);
    bool StopEdit() { return stopEdit(this, currentText()); }

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

// The image of a header cell that follows the mouse while its column is dragged: a bordered
// top-level window showing the fixed-cell background and the caption.
class THeaderDragButton : public QWidget {
public:
    THeaderDragButton(QWidget *AOwner, IGridSettingsHost *AGrid);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    IGridSettingsHost *Grid() const { return FGrid; }
    // Images for marked-up captions (the grid's image list); may be null.
    void SetImages(const TMarkupImageList *Value) { FImages = Value; }

    // Draws the button's content; paintEvent draws it on screen.
    void PaintTo(TCanvas &Canvas);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    IGridSettingsHost *FGrid;
    QString FCaption;
    bool FFlat = false;
    const TMarkupImageList *FImages = nullptr;
};
