#pragma once
// The image picker: a drop-down whose edit takes no typing and shows the chosen item's image
// centred. Its pop-up holds the item list in Columns columns, each item a picture of its own or an
// image of the image list, with an optional caption and hint. Keys, the wheel and a type-ahead
// move the choice; picking an entry closes the pop-up and fires OnChange and OnSelect.
#include "dropdown/NovaDropDown.h"
#include "dropdown/SelectorDropDown.h"

#include <QPointer>
#include <memory>

class TImageItem : public TCollectionItem {
public:
    explicit TImageItem(TCollectionBase *Collection);
    // Caption and ImageIndex through their setters, then the picture and the hint.
    void Assign(const TImageItem &Source);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    const THTMLPicture &Image() const { return *FImage; }
    THTMLPicture &Image() { return *FImage; }
    void SetImage(const THTMLPicture &Value) { FImage->Assign(&Value); }
    QString Hint() const { return FHint; }
    void SetHint(const QString &Value) { FHint = Value; }

private:
    friend class TNovaImagePickerDropDown;
    QString FCaption;
    int FImageIndex = -1;
    std::unique_ptr<THTMLPicture> FImage;
    QString FHint;
};

class TImageItems : public TCollection<TImageItem> {
public:
    using TCollection::TCollection;
};

class TNovaImagePickerDropDown : public TNovaCustomDropDown {
public:
    explicit TNovaImagePickerDropDown(QWidget *AOwner = nullptr);
    ~TNovaImagePickerDropDown() override;

    // One item per file the pattern (folder and mask) matches, in the file system's order, its
    // picture loaded from the file and, with SetImageCaption, captioned with the file name; a file
    // that cannot be read leaves an item without picture or caption.
    void AddImagesFromFolder(const QString &AFolder, bool SetImageCaption);
    // One item per image of Images.
    void AddImagesFromImageList();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

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
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance &ItemAppearance() { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance &Value) { FItemAppearance->Assign(Value); }
    TNovaCustomItemSelector *ItemSelector() const { return FItemSelector; }
    // The chosen item's image in the edit, on any canvas.
    void DrawSelectedImage(TCanvas &Canvas);
    QString SearchText() const { return FKeys.SearchText(); }

    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    void SetComponentStyle(TNovaStyle Style) override;
    void DoHideDropDown(bool Cancel) override;

    editorkit::NotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void SelectNextValue() override;
    void SelectPrevValue() override;
    void PaintNonEditable() override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void UpdateSelector();
    void FillSelector();
    void SelectorItemSelected();
    void ForwardDrawItem(TCanvas &Canvas, const TRect &R, int Index);
    void StepValue(bool Forward);
    void NavigationKey(int Key, bool Ctrl);

    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;

    QPointer<TNovaCustomItemSelector> FItemSelector; // a child of the pop-up window
    bool FInternalCall = false;
    TSelectorKeys FKeys{FInternalCall};
    int FOldItemIndex = -1;
};
