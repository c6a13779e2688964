#pragma once
// What the drop-downs with an item list in their pop-up (the colour list, the image picker, the
// detail list) share: the moves they make on the list themselves, the type-ahead over its
// captions, and the list's size in the pop-up. A move the drop-down makes runs with its
// internal-call flag set, so the list's select handler takes the entry but leaves the pop-up open,
// and the entry is scrolled into view.
#include "dropdown/ItemSelector.h"

#include <functional>

class TNovaCustomDropDown;

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
// After the base sized the pop-up: it grows by a vertical scroll bar's width when the list's panel
// is taller than the room the list gets.
void MakeRoomForListScrollBar(TNovaCustomDropDown &DropDown, const TNovaCustomItemSelector &List);
// The width of the platform's vertical scroll bar.
int VerticalScrollBarWidth();
// The index a list hands back, when it names one of Count items; else -1.
inline int ItemOfList(int ListIndex, int Count)
{
    return ListIndex >= 0 && ListIndex < Count ? ListIndex : -1;
}
