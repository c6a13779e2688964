// The image picker. The list lives in the pop-up from construction on; every opening fills it
// again from the items and remembers the choice, which a cancelled close brings back.
#include "dropdown/NovaImagePickerDropDown.h"

#include "dropdown/DropDownForm.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>

// ---- Items --------------------------------------------------------------------------------------

void TImageItem::Assign(const TImageItem &Source)
{
    AssignEntry(Source);
    FHint = Source.FHint;
}

// ---- Construction and filling -------------------------------------------------------------------

TNovaImagePickerDropDown::TNovaImagePickerDropDown(QWidget *AOwner)
    : TSelectorDropDown(AOwner), FItems(std::make_unique<TImageItems>(this))
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(QStringLiteral("Image"));
}

TNovaImagePickerDropDown::~TNovaImagePickerDropDown() = default;

void TNovaImagePickerDropDown::AddImagesFromImageList()
{
    if (!FImages)
        return;
    for (int i = 0; i < FImages->Count(); ++i)
        FItems->Add()->SetImageIndex(i);
}

void TNovaImagePickerDropDown::AddImagesFromFolder(const QString &AFolder, bool SetImageCaption)
{
    const QFileInfo pattern(AFolder);
    const QDir folder(pattern.path());
    const QStringList entries = folder.entryList(QStringList{pattern.fileName()},
                                                 QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : entries) {
        TImageItem *item = FItems->Add();
        item->Image().LoadFromFile(folder.filePath(name));
        if (item->Image().Empty()) {
            item->Image().Assign(nullptr); // not a picture: nothing of it kept, no caption
            continue;
        }
        if (SetImageCaption)
            item->SetCaption(name);
    }
}

void TNovaImagePickerDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm)
        return;
    CreateItemSelector(stImage, QStringLiteral("Images"));
    InstallItemSelector();
}

void TNovaImagePickerDropDown::FillSelector()
{
    FItemSelector->Items().Clear();
    for (int i = 0; i < FItems->Count(); ++i)
        AddEntry(*FItems->GetItem(i))->SetHint(FItems->GetItem(i)->Hint());
}

void TNovaImagePickerDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    UpdateSelector();
    HookDrawItem(OnDrawItem);
    FOldItemIndex = FItemIndex;
}

void TNovaImagePickerDropDown::UpdateDropDownSize()
{
    SizeListPopUp();
}

void TNovaImagePickerDropDown::SelectorItemSelected()
{
    if (!FItemSelector)
        return;
    // The list's index may lie beyond the items when they changed since it was filled: the setter
    // ignores it.
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TNovaImagePickerDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    TNovaCustomDropDown::DoHideDropDown(Cancel);
    if (open && Cancel && FItemSelector)
        SetItemIndex(FOldItemIndex);
}

// ---- Choosing -----------------------------------------------------------------------------------

void TNovaImagePickerDropDown::SetItemIndex(int Value)
{
    if (Value == FItemIndex || Value >= FItems->Count())
        return;
    FItemIndex = Value;
    update();
    FireEvent(OnChange, this);
    FireEvent(OnSelect, this);
}

int TNovaImagePickerDropDown::GetImageIndex() const
{
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return -1;
    return FItems->GetItem(FItemIndex)->ImageIndex();
}

void TNovaImagePickerDropDown::SetImageIndex(int Value)
{
    for (int i = 0; i < FItems->Count(); ++i) {
        if (FItems->GetItem(i)->ImageIndex() == Value) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

// ---- The edit -----------------------------------------------------------------------------------

void TNovaImagePickerDropDown::PaintNonEditable()
{
    TNovaCustomDropDown::PaintNonEditable();
    QPainter p(this);
    TPainterCanvas canvas(&p);
    DrawSelectedImage(canvas);
}

void TNovaImagePickerDropDown::DrawSelectedImage(TCanvas &Canvas)
{
    const QRect e = GetEditRect();
    const TRect R{e.left(), e.top(), e.right() + 1, e.bottom() + 1};
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return;
    // The picture, else the list's image, centred.
    const TImageItem *item = FItems->GetItem(FItemIndex);
    const QSize size = item->ShownImageSize(FImages);
    item->DrawShownImage(Canvas, R.Left + (R.Width() - size.width()) / 2, R.Top + (R.Height() - size.height()) / 2,
                         FImages);
}

// ---- Stepping and keys --------------------------------------------------------------------------

void TNovaImagePickerDropDown::SelectNextValue()
{
    TNovaCustomDropDown::SelectNextValue();
    StepHotOrChoice(true);
}

void TNovaImagePickerDropDown::SelectPrevValue()
{
    TNovaCustomDropDown::SelectPrevValue();
    StepHotOrChoice(false);
}

void TNovaImagePickerDropDown::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    bool enterHandled = false;
    if (isEnabled() && FDroppedDown && enter && FItemSelector && FItemSelector->ItemHot() >= 0) {
        // Its selection takes the item and closes the pop-up.
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        enterHandled = true;
    }
    TNovaCustomDropDown::keyPressEvent(e);
    if (!isEnabled() || (e->modifiers() & Qt::AltModifier))
        return;
    if (enter) {
        if (!enterHandled)
            FireEvent(OnSelect, this);
        return;
    }
    NavigationKey(key, e->modifiers() & Qt::ControlModifier);
}

void TNovaImagePickerDropDown::NavigationKey(int Key, bool Ctrl)
{
    const bool listOpen = FDroppedDown && FItemSelector;
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        FKeys.Page(Key == Qt::Key_PageDown, FItems->Count(), [this] { UpdateSelector(); });
        break;
    case Qt::Key_End:
        listOpen ? FKeys.Last() : SelectLast();
        break;
    case Qt::Key_Home:
        listOpen ? FKeys.First() : SelectFirst();
        break;
    case Qt::Key_Left:
        if (!FEditorEnabled && FDroppedDown)
            FKeys.Previous();
        break;
    case Qt::Key_Right:
        if (!FEditorEnabled && FDroppedDown)
            FKeys.Next();
        break;
    case Qt::Key_Up:
        listOpen ? void(FKeys.Step(-FColumns)) : SelectPrevious();
        break;
    case Qt::Key_Down:
        listOpen ? void(FKeys.Step(FColumns)) : SelectNext();
        break;
    default:
        if (!Ctrl)
            FKeys.TypeAhead(Key);
        break;
    }
}
