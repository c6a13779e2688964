#pragma once
// The multi-column list: a drop-down edit whose pop-up shows a table, a header row with one
// caption per column and one row per item, drawn by its own list grid on the platform's grid. One
// column, the lookup column, gives the text an item puts into the edit and is matched against
// typing: typed text completes from it, and typing into the open list jumps to the first item that
// starts with what was typed. The list's row follows the keys and the edit follows the row; the
// wheel only scrolls. Its model classes live in the namespace multicolumn.
#include "dropdown/ColumnListDropDown.h"

#include <QPointer>
#include <memory>

class TNovaMultiColumnDropDown;

namespace multicolumn {

class TDropDownColumn : public TListColumn {
public:
    using TListColumn::TListColumn;
    void Assign(const TDropDownColumn &Source) { AssignColumn(Source); }
};

class TDropDownColumns : public TCollection<TDropDownColumn> {
public:
    using TCollection::TCollection;
};

class TDropDownItem : public TListItem {
public:
    using TListItem::TListItem;
    // Only the image index; the texts are not copied.
    void Assign(const TDropDownItem &Source) { AssignItem(Source); }
};

class TDropDownItems : public TCollection<TDropDownItem> {
public:
    using TCollection::TCollection;
    // The first item whose text in Column equals Value exactly; items with fewer texts are skipped.
    int IndexInColumn(int Column, const QString &Value) const;
};

// The list grid in the pop-up: draws every cell itself (header gradient, column colours, the
// drop-down's selection, its own lines) from its copy of the drop-down's columns and the
// drop-down's items.
class TNovaColGrid : public TColumnListGrid<TStringGrid> {
public:
    explicit TNovaColGrid(QWidget *AParent);
    ~TNovaColGrid() override;

    TDropDownColumns &Columns() const { return *FColumns; }
    void SetColumns(const TDropDownColumns &Value) { FColumns->Assign(Value); }
    TNovaMultiColumnDropDown *NovaDropDown() const { return FNovaDropDown; }
    void SetNovaDropDown(TNovaMultiColumnDropDown *Value) { FNovaDropDown = Value; }

    void DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState) override;
    // The same drawing onto any canvas (the tests' recording one).
    void DrawCellOn(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect, TGridDrawState AState);

private:
    std::unique_ptr<TDropDownColumns> FColumns;
    TNovaMultiColumnDropDown *FNovaDropDown = nullptr;
};

} // namespace multicolumn

class TNovaMultiColumnDropDown : public TColumnListDropDown {
public:
    explicit TNovaMultiColumnDropDown(QWidget *AOwner = nullptr);
    ~TNovaMultiColumnDropDown() override;

    multicolumn::TDropDownColumns &Columns() const { return *FColumns; }
    void SetColumns(const multicolumn::TDropDownColumns &Value) { FColumns->Assign(Value); }
    multicolumn::TDropDownItems &Items() const { return *FItems; }
    void SetItems(const multicolumn::TDropDownItems &Value) { FItems->Assign(Value); }
    // Any value below the item count is taken (negative ones too) and the edit shows its lookup
    // text (empty without one); no event fires.
    void SetItemIndex(int Value) override;
    // The first item whose lookup text equals Value exactly; -1 when none.
    int GetItemIndex(const QString &Value) const { return ItemOfLookupText(Value); }
    multicolumn::TNovaColGrid *Grid() const { return FNovaColGrid; }
    // Copies the base's settings, then from another multi-column list its own.
    void Assign(const TNovaMultiColumnDropDown &Source);

    void DoHideDropDown(bool Cancel) override;

    editorkit::NotifyEvent OnSelect;
    TGetCellTextEvent OnDropDownGetItemText;
    TDrawCellEvent OnDropDownDrawItem;

protected:
    int ColumnCount() const override { return FColumns->Count(); }
    const TListColumn &ListColumn(int Index) const override { return *FColumns->GetItem(Index); }
    int ItemCount() const override { return FItems->Count(); }
    const TListItem &ListItem(int Index) const override { return *FItems->GetItem(Index); }
    TStringGrid *ListGrid() const override { return FNovaColGrid; }

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyPress(QChar &Key) override;

private:
    void SyncWithDropDown();
    void GridSelectCell(int ACol, int ARow, bool &CanSelect);
    void GridSelect();
    int IncrementalLookup(QChar Key);

    std::unique_ptr<multicolumn::TDropDownColumns> FColumns;
    std::unique_ptr<multicolumn::TDropDownItems> FItems;
    bool FShowing = false;
    // A child of the pop-up window, which frees it.
    QPointer<multicolumn::TNovaColGrid> FNovaColGrid;
};
