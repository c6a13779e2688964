#pragma once
// The string grid's drop-down cell editors as the grid sees them. The grid library knows no
// drop-down control: a library above it registers one factory per drop-down editor kind, and each
// editor it makes offers the grid the face below (its edit, its value as cell text, its pop-up, its
// look). A kind without a factory opens no editor.
//
// What ends an edit stays in the grid, in one copy for all nine kinds: an editor's key, character,
// change and exit handlers call the protected Grid... steps of this class, which commit, validate,
// move on or close exactly as the grid's combo does; an editor only adapts its value and pop-up.
#include "grid/base/GridTypes.h"
#include "grid/base/Theme.h"

#include <QString>
#include <functional>

class QWidget;
class TNovaStringGrid;
class THeaderAppearance;
class TFooterAppearance;
struct TMarkupImageList;

// The nine kinds that have drop-down editors.
bool IsDropDownEditorKind(TEditorType Kind);

class TDropDownCellEditor {
public:
    // AOwner must be a string grid (checked: std::bad_cast otherwise); the editor is its child.
    explicit TDropDownCellEditor(QWidget *AOwner);
    virtual ~TDropDownCellEditor();
    TDropDownCellEditor(const TDropDownCellEditor &) = delete;
    TDropDownCellEditor &operator=(const TDropDownCellEditor &) = delete;

    TNovaStringGrid *Grid() const { return FGrid; }
    // The kind the grid made this editor for (set by the grid when it asks the factory).
    TEditorType Kind() const { return FKind; }

    // ---- what the editor offers ----------------------------------------------------------------
    // The edit the grid places over the cell, shows, focuses and hides: the editor itself.
    virtual QWidget *Widget() = 0;
    // The editor's value as the cell's text (its edit text), and the cell's text loaded as plain
    // text: the list kinds select the item that matches it, the colour picker the colour of that
    // name (a refused value comes back this way too).
    virtual QString CellText() const = 0;
    virtual void SetCellText(const QString &Text) = 0;
    // The pop-up: opened, closed (Cancel: the value it had when it opened comes back), open now.
    virtual void OpenPopup() = 0;
    virtual void ClosePopup(bool Cancel) = 0;
    virtual bool DroppedDown() const = 0;
    // The pop-up window, nullptr before it exists: the focus moving into it is no exit.
    virtual QWidget *PopupWindow() const = 0;
    // The look the grid passes on: its component style and its colour tones.
    virtual INovaStyle &Style() = 0;
    virtual INovaTones &Tones() = 0;
    // The pop-up's header and footer take copies of the grid's.
    virtual void SetDropDownBars(const THeaderAppearance &Header, const TFooterAppearance &Footer);

    // Values of the kinds that are no text. Track bar: its position. Colour picker: the selected
    // colour (clNone: none); CellText is then its name. Image picker: the image list of the grid,
    // the selected image index (-1: none); CellText is then the selected item's caption.
    virtual void SetCellPosition(int Position);
    virtual void SetCellColor(TColor Color);
    virtual TColor CellColor() const;
    virtual void SetCellImages(const TMarkupImageList *Images);
    virtual void SetCellImageIndex(int Index);
    virtual int CellImageIndex() const;

protected:
    // ---- the grid's steps, called from the editor's own handlers -------------------------------
    // Key-down: true when the grid has taken the key (the editor's base must not see it); false
    // when the editor's base key-down runs with Key. Alt+Down and Alt+Up always reach the base,
    // which opens and closes the pop-up.
    bool GridKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    // A typed character: the grid's OnKeyPress (the editor as Sender); Esc, Enter and Tab dropped.
    void GridKeyPress(QChar &Key);
    // The value changed: OnEditChange, and the memo's cell follows it.
    void GridChange();
    // The edit lost the focus. Nothing while the focus only went into the editor's own pop-up;
    // otherwise the value is validated and stored and the editor closes (or, refused, stays).
    void GridExit();
    // Keys the editor claims from the window's navigation: Tab while the grid takes it, Enter and
    // Esc for the track bar and the colour picker.
    bool GridWantsKey(int Key) const;
    // The colour or image picker's selection changed (OnColorSelect, OnImageSelect).
    void GridSelect();
    // A click on a button of the pop-up's header or footer.
    void GridHeaderButtonClick(int ButtonIndex);
    void GridFooterButtonClick(int ButtonIndex);

private:
    friend class TNovaStringGrid;
    // Writes and validates the value; false when refused (the editor shows FNewCellText, all
    // selected, and stays).
    bool Commit(bool Tab);
    // The value as the text the cell is validated with and takes.
    QString CommitText() const;
    void Closing(int &Key, Qt::KeyboardModifiers Shift, bool WasOpen);
    bool FocusInPopup() const;

    TNovaStringGrid *FGrid;
    TEditorType FKind = edNormal;
};

// Makes the editor of one kind for a grid: a new editor whose owner and parent is the grid.
using TDropDownEditorFactory = std::function<TDropDownCellEditor *(TNovaStringGrid &Grid)>;

// The registry of factories, one per drop-down kind, shared by every grid (a grid asks when it first
// needs the kind and keeps what it got). Other kinds and empty factories are refused (false).
bool RegisterDropDownEditor(TEditorType Kind, TDropDownEditorFactory Factory);
void UnregisterDropDownEditor(TEditorType Kind);
bool HasDropDownEditorFactory(TEditorType Kind);
// Makes the kind's editor for the grid; nullptr without a factory.
TDropDownCellEditor *MakeDropDownEditor(TEditorType Kind, TNovaStringGrid &Grid);
