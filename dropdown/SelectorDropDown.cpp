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

void MakeRoomForListScrollBar(TNovaCustomDropDown &DropDown, const TNovaCustomItemSelector &List)
{
    TDropDownForm *form = DropDown.DropDownForm();
    if (!form)
        return;
    // The list fills the pop-up between header and footer, inside the frame.
    QSize size = form->RequestedSize();
    int room = size.height() - 2 * DropDown.DropDownBorderWidth();
    if (DropDown.DropDownHeader().Visible())
        room -= DropDown.DropDownHeader().Height();
    if (DropDown.DropDownFooter().Visible())
        room -= DropDown.DropDownFooter().Height();
    if (List.GetSelectorPanelSize().height() <= room)
        return;
    size.rwidth() += VerticalScrollBarWidth();
    form->SetRequestedSize(size);
}
