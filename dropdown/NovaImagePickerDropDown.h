#pragma once
// The image picker: a drop-down whose edit takes no typing and shows the chosen item's image
// centred. Its pop-up holds the item list in Columns columns, each item a picture of its own or an
// image of the image list, with an optional caption and hint. Keys, the wheel and a type-ahead
// move the choice; picking an entry closes the pop-up and fires OnChange and OnSelect.
#include "dropdown/NovaDropDown.h"
#include "dropdown/SelectorDropDown.h"

#include <QPointer>
#include <memory>

class TImageItem : public TImageEntry {
public:
    using TImageEntry::TImageEntry;
    // Caption and ImageIndex through their setters, then the picture and the hint.
    void Assign(const TImageItem &Source);

    QString Hint() const { return FHint; }
    void SetHint(const QString &Value) { FHint = Value; }

private:
    QString FHint;
};

class TImageItems : public TCollection<TImageItem> {
public:
    using TCollection::TCollection;
};

class TNovaImagePickerDropDown : public TSelectorDropDown {
public:
    explicit TNovaImagePickerDropDown(QWidget *AOwner = nullptr);
    ~TNovaImagePickerDropDown() override;

    // One item per file the pattern (folder and mask) matches, in the file system's order, its
    // picture loaded from the file and, with SetImageCaption, captioned with the file name; a file
    // that cannot be read leaves an item without picture or caption.
    void AddImagesFromFolder(const QString &AFolder, bool SetImageCaption);
    // One item per image of Images.
    void AddImagesFromImageList();
    using TSelectorDropDown::SelectFirst;
    using TSelectorDropDown::SelectLast;
    using TSelectorDropDown::SelectNext;
    using TSelectorDropDown::SelectPrevious;

    int Columns() const { return FColumns; }
    void SetColumns(int Value) { FColumns = Value; }
    TImageItems &Items() { return *FItems; }
    void SetItems(const TImageItems &Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // Any index below the item count other than the current one is taken (a negative one chooses
    // nothing), then OnChange and OnSelect fire.
    void SetItemIndex(int Value);
    // The chosen item's image index, -1 without a choice.
    int GetImageIndex() const;
    int ImageIndex() const { return GetImageIndex(); }
    // Chooses the first item with that image index, else none.
    void SetImageIndex(int Value);
    // The chosen item's image in the edit, on any canvas.
    void DrawSelectedImage(TCanvas &Canvas);

    void DoHideDropDown(bool Cancel) override;

    editorkit::NotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void UpdateDropDownSize() override;
    void SelectNextValue() override;
    void SelectPrevValue() override;
    void PaintNonEditable() override;
    void keyPressEvent(QKeyEvent *e) override;
    int ChoiceCount() const override { return FItems->Count(); }
    int Choice() const override { return FItemIndex; }
    void Choose(int Index) override { SetItemIndex(Index); }
    void FillSelector() override;
    void SelectorItemSelected() override;

private:
    void NavigationKey(int Key, bool Ctrl);

    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
};
