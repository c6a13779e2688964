#pragma once
// The string grid's drop-down cell editors: each wraps one drop-down edit and hands its keys,
// characters, changes and exit to the grid's steps first (DropDownEditorRegistry.h); a wrapper only
// adapts the value in and out, the pop-up and its control.
#include "dropdown/NovaCalculatorDropDown.h"
#include "dropdown/NovaColorPickerDropDown.h"
#include "dropdown/NovaDetailDropDown.h"
#include "dropdown/NovaImagePickerDropDown.h"
#include "dropdown/NovaGridDropDown.h"
#include "dropdown/NovaMemoDropDown.h"
#include "dropdown/NovaMultiColumnDropDown.h"
#include "dropdown/NovaTimePickerDropDown.h"
#include "dropdown/NovaTrackBarDropDown.h"
#include "grid/DropDownEditorRegistry.h"

// Fills the grid's registry with the drop-down editors this library makes; called once before the
// first grid edits a cell (the program's start, a test's fixture).
void RegisterGridDropDownEditors();

// The part every wrapper shares: the edit is the drop-down itself, its value the edit text, its
// pop-up the drop-down's, its look the drop-down's style and tones and its pop-up's bars.
template <class TBaseDropDown>
class TGridDropDownWrapper : public TBaseDropDown, public TDropDownCellEditor {
public:
    explicit TGridDropDownWrapper(TNovaStringGrid &AGrid);

    QWidget *Widget() override { return this; }
    QString CellText() const override { return this->GetText(); }
    void SetCellText(const QString &Text) override { this->SetPlainText(Text); }
    void OpenPopup() override { this->ShowDropDown(); }
    void ClosePopup(bool Cancel) override { this->HideDropDown(Cancel); }
    bool DroppedDown() const override { return TBaseDropDown::DroppedDown(); }
    QWidget *PopupWindow() const override;
    INovaStyle &Style() override { return *this; }
    INovaTones &Tones() override { return *this; }
    void SetDropDownBars(const THeaderAppearance &Header, const TFooterAppearance &Footer) override;

protected:
    // Enter and Tab typed into the open pop-up end the cell's edit as they do in the edit.
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    // The grid's keys reach the grid's steps before a drop-down's own navigation sees them.
    void keyPressEvent(QKeyEvent *e) override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar &Key) override;
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(int Key, Qt::KeyboardModifiers Shift) override;

private:
    bool OwnedByPopup(int Key) const;
};

class TGridTrackbarDropDown : public TGridDropDownWrapper<TNovaTrackBarDropDown> {
public:
    explicit TGridTrackbarDropDown(TNovaStringGrid &AGrid);
    // The text goes through the drop-down's own SetText, so the bar follows it.
    void SetCellText(const QString &Text) override;
    // The bar clamps the position; the edit shows what it took.
    void SetCellPosition(int Position) override;
    void DoChange() {}
};

// The cell's text is the memo's whole text, one line a line.
class TGridMemoDropDown : public TGridDropDownWrapper<TNovaMemoDropDown> {
public:
    explicit TGridMemoDropDown(TNovaStringGrid &AGrid);
    QString CellText() const override { return MemoLinesText(MemoText()); }
    void SetCellText(const QString &Text) override;
};

class TGridCalculatorDropDown : public TGridDropDownWrapper<TNovaCalculatorDropdown> {
public:
    explicit TGridCalculatorDropDown(TNovaStringGrid &AGrid);

protected:
    // Enter completes the pending calculation before the grid commits the result.
    void keyPressEvent(QKeyEvent *e) override;
};

class TGridTimepickerDropDown : public TGridDropDownWrapper<TNovaTimePickerDropDown> {
public:
    explicit TGridTimepickerDropDown(TNovaStringGrid &AGrid);
    // A text that is no time leaves the picker on its default.
    void SetCellText(const QString &Text) override;
};

class TGridDetailPickerDropDown : public TGridDropDownWrapper<TNovaDetailDropDown> {
public:
    using TGridDropDownWrapper::TGridDropDownWrapper;
    // The text, then the item of that caption chosen when there is one.
    void SetCellText(const QString &Text) override;
};

// The multi-column list as a cell editor.
class TGridGridDropDown : public TGridDropDownWrapper<TNovaMultiColumnDropDown> {
public:
    using TGridDropDownWrapper::TGridDropDownWrapper;
    // The item of that lookup text chosen (the first for an empty text), then the text.
    void SetCellText(const QString &Text) override;
};

// The grid drop-down as a cell editor; the editing grid fills its inner grid through
// GetStringGrid when the application works in grid mode.
class TGridNovaGridDropDown : public TGridDropDownWrapper<TCustomNovaGridDropDown> {
public:
    using TGridDropDownWrapper::TGridDropDownWrapper;
    TNovaStringGrid *GetStringGrid() const { return GetGrid(); }
    // The item or row of that lookup text chosen, then the text.
    void SetCellText(const QString &Text) override;
};

class TGridColorDropDown : public TGridDropDownWrapper<TNovaColorPickerDropDown> {
public:
    explicit TGridColorDropDown(TNovaStringGrid &AGrid);
    QString CellText() const override;
    // A colour name the picker lists chooses it; any other text chooses nothing.
    void SetCellText(const QString &Text) override;
    void SetCellColor(TColor Color) override;
    TColor CellColor() const override;

private:
    bool FLoading = false;
};

class TGridImageDropDown : public TGridDropDownWrapper<TNovaImagePickerDropDown> {
public:
    explicit TGridImageDropDown(TNovaStringGrid &AGrid);
    QString CellText() const override;
    void SetCellText(const QString &Text) override;
    void SetCellImages(const TMarkupImageList *Images) override;
    void SetCellImageIndex(int Index) override;
    int CellImageIndex() const override { return GetImageIndex(); }

private:
    bool FLoading = false;
};
