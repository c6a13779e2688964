#pragma once
// The detail list: a drop-down edit whose pop-up holds a one-column item list; each item has a
// caption, marked-up notes drawn under it in a second font, and a picture of its own or an image
// of the image list. Typing completes the text from the captions; the page, home, end and arrow
// keys move through the items with the pop-up open or closed; choosing an item puts its caption
// into the edit and fires OnSelect.
#include "dropdown/NovaDropDown.h"
#include "dropdown/SelectorDropDown.h"

#include <QPointer>
#include <memory>

class TDetailItem : public TImageEntry {
public:
    using TImageEntry::TImageEntry;
    // Caption and ImageIndex through their setters, then the picture, notes, tag and object.
    void Assign(const TDetailItem &Source);

    QString Notes() const { return FNotes; }
    void SetNotes(const QString &Value) { FNotes = Value; }
    // Free for the application; not owned, never used by the control.
    QObject *ItemObject() const { return FItemObject; }
    void SetItemObject(QObject *Value) { FItemObject = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

private:
    QString FNotes;
    QObject *FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public TCollection<TDetailItem> {
public:
    using TCollection::TCollection;
    // The first item whose caption equals Text exactly (letter case counts); -1 when none.
    int IndexOf(const QString &Text) const;
};

class TNovaDetailDropDown : public TSelectorDropDown {
public:
    explicit TNovaDetailDropDown(QWidget *AOwner = nullptr);
    ~TNovaDetailDropDown() override;

    using TSelectorDropDown::SelectFirst;
    using TSelectorDropDown::SelectLast;
    using TSelectorDropDown::SelectNext;
    using TSelectorDropDown::SelectPrevious;

    TDetailItems &Items() { return *FItems; }
    void SetItems(const TDetailItems &Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // Another index of an item: taken, its caption into the edit (all selected), OnSelect. -1:
    // the edit is emptied without OnSelect. Anything else changes nothing.
    void SetItemIndex(int Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = Value; }
    const TFont &CaptionFont() const { return FCaptionFont; }
    void SetCaptionFont(const TFont &Value) { FCaptionFont = Value; }
    const TFont &NotesFont() const { return FNotesFont; }
    void SetNotesFont(const TFont &Value) { FNotesFont = Value; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }

    // One list entry: picture or image, caption, notes under it.
    void DrawSelectorItem(TCanvas &Canvas, const TRect &ARect, int Index);
    void MeasureSelectorItem(QSize &ASize) const;

    void SetText(const QString &Value) override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownResized() override;

    editorkit::NotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void SelectNextValue() override;
    void SelectPrevValue() override;
    void Change() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void KeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void keyPressEvent(QKeyEvent *e) override;
    int ChoiceCount() const override { return FItems->Count(); }
    int Choice() const override { return FItemIndex; }
    void Choose(int Index) override { SetItemIndex(Index); }
    void FillSelector() override;
    void SelectorItemSelected() override;

private:
    void SelectorResized();
    void StepValue(bool Forward);
    // The navigation keys; true when the key is taken (it goes no further).
    bool NavigationKey(int Key, Qt::KeyboardModifiers Shift);

    std::unique_ptr<TDetailItems> FItems;
    int FItemIndex = -1;
    int FItemHeight = 22;
    TFont FCaptionFont;
    TFont FNotesFont;
    bool FMatchCase = false;

    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = -1;
    // The text is being written by code: as on the platform, the caret then stands at the start,
    // so no completion follows.
    bool FTextFromCode = false;
};
