#include "dropdown/SelectorDropDown.h"

#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QStyle>

template <typename F>
void TSelectorKeys::internally(F f)
{
    if (!FList)
        return;
    const QScopedValueRollback<bool> internal(FInternalCall, true);
    f(*FList);
}

bool TSelectorKeys::MoveTo(int Target)
{
    if (!FList || Target < 0 || Target >= FList->Items().Count())
        return false;
    internally([Target](TNovaCustomItemSelector &l) { l.SetItemIndex(Target); });
    return true;
}

bool TSelectorKeys::Step(int Delta)
{
    if (!FList)
        return false;
    const int index = FList->ItemIndex();
    return MoveTo(index < 0 ? 0 : index + Delta);
}

bool TSelectorKeys::Page(bool Down, int ItemCount, const std::function<void()> &Resync)
{
    if (!FList)
        return false;
    if (FList->Items().Count() != ItemCount && Resync)
        Resync();
    const int visible = FList->GetVisibleItemCount();
    if (visible < 1)
        return false;
    const int index = FList->ItemIndex();
    const int target = Down ? std::min(index + visible, ItemCount - 1) : std::max(0, index - visible);
    return MoveTo(target);
}

void TSelectorKeys::First()
{
    internally([](TNovaCustomItemSelector &l) { l.SelectFirst(); });
}

void TSelectorKeys::Last()
{
    internally([](TNovaCustomItemSelector &l) { l.SelectLast(); });
}

void TSelectorKeys::Previous()
{
    internally([](TNovaCustomItemSelector &l) { l.SelectPrevious(); });
}

void TSelectorKeys::Next()
{
    internally([](TNovaCustomItemSelector &l) { l.SelectNext(); });
}

bool TSelectorKeys::TypeAhead(int Key)
{
    if (!FList || !FTypeAhead.AddKey(Key))
        return false;
    const QString search = FTypeAhead.Text();
    internally([&search](TNovaCustomItemSelector &l) { l.LookupItem(search); });
    return true;
}

void FitListToPanel(TNovaCustomItemSelector &List, int DropDownWidth, int DropDownHeight, int Frame)
{
    const QSize S = List.GetSelectorPanelSize();
    List.resize(DropDownWidth < 1 ? S.width() + Frame : List.width(), DropDownHeight < 1 ? S.height() : List.height());
}

int VerticalScrollBarWidth()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// ---- The list drop-downs ------------------------------------------------------------------------

TSelectorDropDown::TSelectorDropDown(QWidget *AOwner)
    : TNovaCustomDropDown(AOwner), FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    SetDropDownEnabled(true);
}

TSelectorDropDown::~TSelectorDropDown() = default;

void TSelectorDropDown::CreateItemSelector(TSelectorType Type, const QString &Name)
{
    if (FItemSelector || !FDropDownForm)
        return;
    FItemSelector = new TNovaCustomItemSelector(FDropDownForm);
    FItemSelector->setAccessibleName(Name);
    FItemSelector->SetSelectorType(Type);
    FItemSelector->setGeometry(0, 0, FItemSelector->width(), 150);
    FKeys.SetList(FItemSelector);
}

void TSelectorDropDown::InstallItemSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

TSelectorItem *TSelectorDropDown::AddEntry(const TImageEntry &Item)
{
    TSelectorItem *entry = FItemSelector->Items().Add();
    entry->SetCaption(Item.Caption());
    entry->SetImage(Item.Image());
    entry->SetImageIndex(Item.ImageIndex());
    return entry;
}

void TSelectorDropDown::UpdateSelector()
{
    if (!FItemSelector)
        return;
    TNovaCustomItemSelector &list = *FItemSelector;
    list.OnItemSelect = nullptr;
    list.SetColumns(FColumns);
    list.SetImages(FImages);
    list.SetItemLayout(FLayout);
    list.SetColor(FDropDownColor);
    list.SetItemAppearance(*FItemAppearance);
    FillSelector();
    list.UpdateSelectorPanel();
    list.SetItemIndex(Choice());
    list.OnItemSelect = [this](QObject *) { SelectorItemSelected(); };
}

void TSelectorDropDown::HookDrawItem(const TDrawItemEvent &Event)
{
    if (!FItemSelector)
        return;
    if (Event)
        FItemSelector->OnDrawItem = [this, Event](QObject *, TCanvas &Canvas, const TRect &R, int Index) {
            Event(this, Canvas, R, Index);
        };
    else
        FItemSelector->OnDrawItem = nullptr;
}

void TSelectorDropDown::SizeListPopUp()
{
    if (FItemSelector)
        FitListToPanel(*FItemSelector, FDropDownWidth, FDropDownHeight, 2 * FDropDownBorderWidth);
    TNovaCustomDropDown::UpdateDropDownSize();
    if (!FItemSelector || !FDropDownForm)
        return;
    // The list fills the pop-up between header and footer, inside the frame.
    // The list fills the pop-up between header and footer, inside the frame; the pop-up grows by a
    // scroll bar's width when the list's panel is taller than that.
    QSize size = FDropDownForm->RequestedSize();
    int room = size.height() - 2 * FDropDownBorderWidth;
    if (FDropDownHeader->Visible())
        room -= FDropDownHeader->Height();
    if (FDropDownFooter->Visible())
        room -= FDropDownFooter->Height();
    if (FItemSelector->GetSelectorPanelSize().height() <= room)
        return;
    size.rwidth() += VerticalScrollBarWidth();
    FDropDownForm->SetRequestedSize(size);
}

void TSelectorDropDown::StepHotOrChoice(bool Forward)
{
    if (!isEnabled() || isReadOnly() || !FItemSelector)
        return;
    if (FDroppedDown)
        Forward ? FItemSelector->HotNext() : FItemSelector->HotPrevious();
    else
        Forward ? FKeys.Next() : FKeys.Previous();
}

void TSelectorDropDown::SelectFirst()
{
    if (ChoiceCount() > 0)
        Choose(0);
}

void TSelectorDropDown::SelectLast()
{
    if (ChoiceCount() > 0)
        Choose(ChoiceCount() - 1);
}

void TSelectorDropDown::SelectNext()
{
    if (const int i = StepIndex(Choice(), ChoiceCount(), true, true); i >= 0)
        Choose(i);
}

void TSelectorDropDown::SelectPrevious()
{
    if (const int i = StepIndex(Choice(), ChoiceCount(), false, true); i >= 0)
        Choose(i);
}

void TSelectorDropDown::DoShowDropDown()
{
    TNovaCustomDropDown::DoShowDropDown();
    if (FDroppedDown && FItemSelector && !FItemSelector->isHidden())
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
}

void TSelectorDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    TNovaCustomDropDown::SetSelectionColorStyle(Style);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(Style);
}

void TSelectorDropDown::SetComponentStyle(TNovaStyle Style)
{
    TNovaCustomDropDown::SetComponentStyle(Style);
    ApplyItemAppearanceStyle(FItemAppearance.get(), Style);
}
