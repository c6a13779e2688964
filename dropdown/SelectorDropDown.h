#pragma once
// What the drop-downs with an item list in their pop-up (the colour list, the image picker, the
// detail list) share: the moves they make on the list themselves, the type-ahead over its
// captions, and the list's size in the pop-up. A move the drop-down makes runs with its
// internal-call flag set, so the list's select handler takes the entry but leaves the pop-up open,
// and the entry is scrolled into view.
#include "dropdown/ItemSelector.h"
#include "dropdown/NovaDropDown.h"

#include <QPointer>
#include <functional>
#include <memory>

// Paints the chosen entry into the edit area R instead of the built-in painting.
using TOnDrawSelectedItem = std::function<void(QObject *Sender, TCanvas &Canvas, const TRect &R)>;

class TSelectorKeys {
public:
    explicit TSelectorKeys(bool &InternalCall) : FInternalCall(InternalCall) {}
    void SetList(TNovaCustomItemSelector *List) { FList = List; }
    TNovaCustomItemSelector *List() const { return FList; }

    // The list's index := Target when it lies within the list's entries.
    bool MoveTo(int Target);
    // The list's index plus Delta (0 when none is selected).
    bool Step(int Delta);
    // Page Up and Page Down by the entries the list shows, within 0 .. ItemCount - 1; Resync runs
    // first when the list holds another number of entries than the drop-down.
    bool Page(bool Down, int ItemCount, const std::function<void()> &Resync);
    void First();
    void Last();
    void Previous();
    void Next();
    // A character key joins the search text and the list selects the first caption that starts
    // with it; false for any other key.
    bool TypeAhead(int Key);
    QString SearchText() const { return FTypeAhead.Text(); }

private:
    template <typename F>
    void internally(F f);

    bool &FInternalCall;
    TNovaCustomItemSelector *FList = nullptr;
    TTypeAhead FTypeAhead;
};

// The list takes its panel's size in each dimension the drop-down leaves automatic (below 1); its
// width also takes Frame, the pop-up's frame on both sides, which the pop-up's width includes but
// the list's place beside it does not.
void FitListToPanel(TNovaCustomItemSelector &List, int DropDownWidth, int DropDownHeight, int Frame);
// The width of the platform's vertical scroll bar.
int VerticalScrollBarWidth();
// The index a list hands back, when it names one of Count items; else -1.
inline int ItemOfList(int ListIndex, int Count)
{
    return ListIndex >= 0 && ListIndex < Count ? ListIndex : -1;
}

// The drop-downs with the item list in their pop-up: the list (a child of the pop-up window), the
// look of its hot and selected entries, the choice remembered at the opening, and what they do
// alike with their choice among their own items.
class TSelectorDropDown : public TNovaCustomDropDown {
public:
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance &ItemAppearance() { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance &Value) { FItemAppearance->Assign(Value); }
    TNovaCustomItemSelector *ItemSelector() const { return FItemSelector; }
    QString SearchText() const { return FKeys.SearchText(); }

    // The list's own appearance takes the colour style.
    void SetSelectionColorStyle(TSelectionColorStyle Style) override;
    // The drop-down's appearance takes the style; it reaches the list at the next opening.
    void SetComponentStyle(TNovaStyle Style) override;

protected:
    explicit TSelectorDropDown(QWidget *AOwner);
    ~TSelectorDropDown() override;

    // The drop-down's choice among its items.
    virtual int ChoiceCount() const = 0;
    virtual int Choice() const = 0;
    virtual void Choose(int Index) = 0;
    // The list's entries from the items (and any setting of the list a drop-down adds).
    virtual void FillSelector() = 0;
    // The list selected an entry.
    virtual void SelectorItemSelected() = 0;

    // Makes the list once, at the pop-up's top-left, 150 high.
    void CreateItemSelector(TSelectorType Type, const QString &Name);
    // The list in the pop-up's colour, laid out, as the pop-up's inner control.
    void InstallItemSelector();
    // With its select handler detached the list takes the settings, the entries and the choice.
    void UpdateSelector();
    // A list entry with the item's caption, picture and image index.
    TSelectorItem *AddEntry(const TImageEntry &Item);
    // The list draws its entries through Event (Sender: the drop-down) when one is assigned.
    void HookDrawItem(const TDrawItemEvent &Event);
    // The pop-up sized to the list's panel, with room for a scroll bar the list needs.
    void SizeListPopUp();
    // The wheel: open, the hot entry moves and the choice stays; closed, the choice moves.
    void StepHotOrChoice(bool Forward);
    void SelectFirst();
    void SelectLast();
    // From no choice both take the first item; neither passes an end.
    void SelectNext();
    void SelectPrevious();
    // The choice in view once the list has its place in the shown pop-up.
    void DoShowDropDown() override;

    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    QPointer<TNovaCustomItemSelector> FItemSelector;
    bool FInternalCall = false;
    TSelectorKeys FKeys{FInternalCall};
    int FOldItemIndex = -1;
};
