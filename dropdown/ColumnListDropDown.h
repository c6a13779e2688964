#pragma once
// What the two drop-downs with a table in their pop-up (the multi-column list and the grid
// drop-down) share: the fields of their column and item models, their list grid's confirmation of
// a row by keys and clicks (not by the wheel), and on the drop-down side the lookup texts, the
// completion of typed text, the choice by keys, the height snapped to whole rows, the columns
// scaled to the pop-up's width and the looks of the header and lines. Each drop-down keeps its
// own model classes in a namespace of its own, built on the bases here.
#include "dropdown/Collection.h"
#include "dropdown/NovaDropDown.h"
#include "grid/base/Canvas.h"
#include "platform/StringGrid.h"

#include <QStringList>
#include <QWheelEvent>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

enum TColumnType : std::uint8_t { ctText, ctImage };

// May change the text of a list cell before it is drawn (row 0: the header row).
using TGetCellTextEvent = std::function<void(QObject *Sender, int Column, int Row, QString &Text)>;
// Draws a list cell in place of the built-in drawing.
using TDrawCellEvent = std::function<void(QObject *Sender, int Column, int Row, TCanvas &ACanvas, const TRect &ARect)>;

// The fields of a list column; each model's TDropDownColumn derives from it.
class TListColumn : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;

    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool Value) { FWordwrap = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    QString Header() const { return FHeader; }
    void SetHeader(const QString &Value) { FHeader = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType Value) { FColumnType = Value; }
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; }

protected:
    // All nine fields.
    void AssignColumn(const TListColumn &Source);

private:
    bool FWordwrap = false;
    int FWidth = 80;
    bool FAutoSize = false;
    QString FHeader;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = clWhite;
    TColumnType FColumnType = ctText;
    TFont FFont;
    bool FEllipsis = false;
};

// The fields of a list item: its image and one text per column.
class TListItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    const QStringList &Text() const { return FText; }
    QStringList &Text() { return FText; }
    void SetText(const QStringList &Value) { FText = Value; }
    // The item's text in column Column; false (and empty) when it has none there.
    bool TextIn(int Column, QString &Value) const;

protected:
    // Only the image index: the texts stay.
    void AssignItem(const TListItem &Source) { FImageIndex = Source.FImageIndex; }

private:
    int FImageIndex = -1;
    QStringList FText;
};

// The pop-up height for a list of rows RowHeight high (below 1 counts as 1) under a header row
// HeaderHeight high, with Bars the pop-up's visible header and footer: only whole rows fit, and
// Allowance pixels are added.
int SnapDropDownHeight(int Height, int Bars, int HeaderHeight, int RowHeight, int Allowance);
// The widths of columns Widths scaled to fill Available pixels: every column takes its share of
// Available over 1 + their sum, rounded, the rounding remainder carried on to the next column.
std::vector<int> ScaleColumnWidths(const std::vector<int> &Widths, int Available);

// Moves of the choice by keys, over Count choosable entries.
enum TChoiceStep : std::uint8_t { csFirst, csLast, csNext, csPrevious, csPageDown, csPageUp };
// The entry a step lands on from Current (-1: none chosen); empty when nothing moves.
std::optional<int> StepChoice(TChoiceStep Step, int Current, int Count);

// The character codes a type-ahead into an open list leaves out (those of Enter, Esc, the page,
// Home, End, Up and Down keys).
bool IsLookupExcludedChar(QChar Key);

// The drop-down side of the table drop-downs.
class TColumnListDropDown : public TNovaCustomDropDown {
public:
    int ItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(int Value) = 0;
    // Only stored: the lookup list follows at EndUpdate or loading.
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int Value) { FLookupColumn = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int Value) { FDropDownRowHeight = Value; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool Value) { FColumnSizing = Value; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    int HeaderHeight() const { return FHeaderHeight; }
    virtual void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    const TFont &HeaderFont() const { return FHeaderFont; }
    virtual void SetHeaderFont(const TFont &Value) { FHeaderFont = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    // The edit's text.
    QString Text() const { return GetText(); }
    int RowCount() const { return ItemCount(); }
    // What has been typed into the open list so far.
    QString LookupEntry() const { return FLookupEntry; }
    // The completion of typed text is on (off after Backspace, Delete or Esc until the next key).
    bool WorkMode() const { return FWorkMode; }
    // The lookup-column texts as of the last EndUpdate or loading.
    const QStringList &LookupItems() const { return FLookupItems; }

    // The text written by code: the caret at its start, nothing completed.
    void SetText(const QString &Value) override;
    void BeginUpdate() {}
    void EndUpdate() { UpdateLookupItems(); }
    void Loaded() override;

    // The choice by keys (nothing without choosable rows).
    void SelectFirst() { Step(csFirst); }
    void SelectLast() { Step(csLast); }
    void SelectNext() { Step(csNext); }
    void SelectPrevious() { Step(csPrevious); }
    void SelectPageDown() { Step(csPageDown); }
    void SelectPageUp() { Step(csPageUp); }

    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    void SetComponentStyle(TNovaStyle Style) override;
    void DropDownResized() override;

    // The list grid paints its selected and header cells through the drop-down.
    void PaintSelection(TCanvas &Canvas, const TRect &Rect, int Side, TColor BackColor)
    {
        DrawSelectionBackground(Canvas, Rect, Side, BackColor);
    }
    void PaintGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &Rect)
    {
        DrawBackGradient(Canvas, FromColor, ToColor, Steps, Rect, gdVertical);
    }
    // The list grid's Alt+Up and Alt+Down, handed to the edit.
    void EditKeyDown(int Key, Qt::KeyboardModifiers Shift) { SendKeyDown(Key, Shift); }

protected:
    // Allowance: pixels added to the snapped pop-up height; Office2010Looks: the three Office 2010
    // styles set the header, line and selection colours too.
    TColumnListDropDown(QWidget *AOwner, int Allowance, bool Office2010Looks);

    // ---- the model as the shared steps see it
    virtual int ColumnCount() const = 0;
    virtual const TListColumn &ListColumn(int Index) const = 0;
    virtual int ItemCount() const = 0;
    virtual const TListItem &ListItem(int Index) const = 0;
    // Choosable rows: the items, unless a drop-down chooses among other rows.
    virtual int ChoiceCount() const { return ItemCount(); }
    // The table in the pop-up (null while there is none).
    virtual TStringGrid *ListGrid() const = 0;

    // The item's lookup-column text; false without one.
    bool ItemLookupText(int Index, QString &Text) const;
    // The first item whose lookup text equals Value exactly; -1 when none.
    int ItemOfLookupText(const QString &Value) const;
    void UpdateLookupItems();
    // The item whose lookup text begins with Prefix (upper-cased both unless CaseSensitive): its
    // index and text; an empty prefix matches nothing.
    bool ItemLookupPrefix(const QString &Prefix, QString &Match, int &Index) const;
    // Backspace in the open list: the edit's selection, else the last typed character, removed.
    void LookupBackspace();
    // The found lookup text into the edit, the caret after the Typed characters and, with
    // SelectTail, the rest selected.
    void ShowFoundText(const QString &Found, int Typed, bool SelectTail);

    // ---- the edit's keys and completion
    void Change() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar &Key) override;
    void KeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool event(QEvent *e) override;
    // A key about to reach the base's key-down (after the completion's switches).
    virtual void BeforeEditKeyDown(int Key) { (void)Key; }
    // Keys seen by the edit's key-down before completion's own rules (true: taken).
    virtual bool EditKeyBefore(int &Key, Qt::KeyboardModifiers Shift) { (void)Key, (void)Shift; return false; }
    // The keys that choose after the edit's own key handling (its WM_KEYDOWN), unless a key-down
    // handler took the key.
    virtual void SelectionKey(int Key, Qt::KeyboardModifiers Shift);
    // Whether Home and End choose the first and last row.
    virtual bool HomeEndChoose(Qt::KeyboardModifiers Shift) const { (void)Shift; return !FEditorEnabled; }

    // ---- the pop-up and its table
    void AdaptDropDownSize(int &Height) override;
    void UpdateDropDownSize() override;
    void SelectNextValue() override;
    void SelectPrevValue() override;
    // The columns of the list grid scaled to the pop-up's width (with ColumnSizeWithDropDown).
    void SizeColumnsToDropDown();
    // Every AutoSize column as wide as its widest cell (image and text).
    void SizeAutoSizeColumns(TStringGrid &Grid);
    void AutoSizeColumn(TStringGrid &Grid, int Index);
    // The rows grow to their word-wrapped texts (only when a column wraps).
    void UpdateWrapRowHeights(TStringGrid &Grid);
    int GetTotalWidth(TStringGrid &Grid) const;
    // The text of a list cell for sizing: the item's text for item rows, else the grid's cell.
    QString SizingText(TStringGrid &Grid, int Col, int Row) const;
    // The row height in use (DropDownRowHeight, at least 1).
    int RowHeightInUse() const { return std::max(1, FDropDownRowHeight); }
    void Step(TChoiceStep Kind);

    int FItemIndex = -1;
    int FLookupColumn = 0;
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    int FDropDownRowHeight = 22;
    bool FColumnSizing = false;
    bool FColumnSizeWithDropDown = true;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = 0x808080;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    TColor FLineColor = 0xC0C0C0;
    TColor FFixedLineColor = 0xD1BBA4;
    TColor FSelectionTextColor = 0;
    bool FReturnIsTab = false;
    bool FMatchCase = false;

    bool FWorkMode = true;
    QStringList FLookupItems;
    bool FItemChange = false;
    int FItemIdx = -1;
    int FOldItemIndex = -1;
    QString FLookupEntry;
    // The text is being written by code: the caret then stands at its start, so nothing completes.
    bool FTextFromCode = false;

private:
    int FAllowance;
    bool FOffice2010Looks;
};

// The list grid's side (over the platform's grid or the string grid): its own header and line
// looks, and a row confirmed as the choice by a key or a mouse press, not by the wheel; a release
// over a data row or Enter selects (DoSelect).
template <typename TBase>
class TColumnListGrid : public TBase {
public:
    template <typename... Args>
    explicit TColumnListGrid(Args &&...args) : TBase(std::forward<Args>(args)...)
    {
        TBase::SetGridLineWidth(0);
    }

    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    const TFont &HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont &Value) { FHeaderFont = Value; }
    // The list draws its lines itself: the platform grid's own lines stay at 0.
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value)
    {
        FGridLineWidth = Value;
        TBase::SetGridLineWidth(0);
    }
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value) { FImages = Value; }
    // The current row is a choice made with a key or the mouse (not the wheel).
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    virtual void DoSelect()
    {
        if (OnSelect) OnSelect(this);
    }

    editorkit::NotifyEvent OnSelect;

protected:
    // Whether a release at (X, Y) over data row Row selects it.
    virtual bool SelectsOnRelease(int X, int Y, int Row) const
    {
        (void)X, (void)Y;
        return Row >= TBase::FixedRows() && Row < TBase::RowCount();
    }
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override
    {
        FConfirmSelection = true;
        TBase::KeyDown(Key, Shift);
    }
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override
    {
        FConfirmSelection = true;
        TBase::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override
    {
        TBase::MouseUp(Button, Shift, X, Y);
        if (Button != Qt::LeftButton) return;
        int c = -1, r = -1;
        TBase::MouseToCell(X, Y, c, r);
        if (c >= 0 && SelectsOnRelease(X, Y, r)) DoSelect();
    }
    void wheelEvent(QWheelEvent *e) override
    {
        // The wheel moves the row without choosing it.
        FMouseWheelSelection = true;
        FConfirmSelection = false;
        TBase::wheelEvent(e);
        FMouseWheelSelection = false;
    }

    TColor FLineColor = 0x808080;
    TColor FFixedLineColor = 0xD1BBA4;
    TColor FHeaderColor = clWhite;
    TColor FHeaderColorTo = 0x808080;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    int FGridLineWidth = 1;
    const TMarkupImageList *FImages = nullptr;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};
