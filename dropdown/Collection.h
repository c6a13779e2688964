#pragma once
// Owned, ordered collections of items for the drop-down lists (colour boxes, selector entries,
// calculator keys ...). An item knows its collection so that its setters can report a change;
// adding, inserting, deleting and clearing report nothing, as owners lay out again themselves.
#include "grid/base/GridLists.h"

#include <QObject>
#include <algorithm>
#include <string>
#include <functional>
#include <memory>
#include <vector>

class TCollectionBase {
public:
    explicit TCollectionBase(QObject *AOwner) : FOwner(AOwner) {}
    virtual ~TCollectionBase() = default;
    TCollectionBase(const TCollectionBase &) = delete;
    TCollectionBase &operator=(const TCollectionBase &) = delete;
    QObject *GetOwner() const { return FOwner; }
    // Raised by the items' setters.
    std::function<void()> OnChange;
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

private:
    QObject *FOwner;
};

class TCollectionItem {
public:
    explicit TCollectionItem(TCollectionBase *Collection) : FCollection(Collection) {}
    virtual ~TCollectionItem() = default;
    TCollectionItem(const TCollectionItem &) = delete;
    TCollectionItem &operator=(const TCollectionItem &) = delete;
    TCollectionBase *Collection() const { return FCollection; }

protected:
    void Changed()
    {
        if (FCollection)
            FCollection->Changed();
    }
    // Stores a different value and reports the change.
    template <typename T>
    void SetField(T &Field, const T &Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }

private:
    TCollectionBase *FCollection;
};

template <typename TItem>
class TCollection : public TCollectionBase {
public:
    using TCollectionBase::TCollectionBase;

    TItem *Add() { return Insert(Count()); }
    // Index is clamped into 0 .. Count.
    TItem *Insert(int Index)
    {
        Index = std::max(0, std::min(Index, Count()));
        return FItems.insert(FItems.begin() + Index, std::make_unique<TItem>(this))->get();
    }
    // EListError outside the collection.
    TItem *GetItem(int Index) const { return FItems[check(Index)].get(); }
    void SetItem(int Index, const TItem &Value) { GetItem(Index)->Assign(Value); }
    void Delete(int Index) { FItems.erase(FItems.begin() + std::ptrdiff_t(check(Index))); }
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    // Item by item.
    void Assign(const TCollection &Source)
    {
        if (&Source == this)
            return;
        FItems.clear();
        for (const auto &item : Source.FItems)
            FItems.emplace_back(std::make_unique<TItem>(this))->Assign(*item);
    }

private:
    std::size_t check(int Index) const
    {
        if (Index < 0 || Index >= Count())
            throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
        return std::size_t(Index);
    }
    std::vector<std::unique_ptr<TItem>> FItems;
};

// Where one step through a list of Count entries lands from Current (-1: none selected), or -1
// when it does not move: forwards from none to the first entry, backwards from none to the first
// entry only when FirstFromNone; never past either end.
inline int StepIndex(int Current, int Count, bool Forward, bool FirstFromNone)
{
    if (Count <= 0)
        return -1;
    if (Current < 0)
        return Forward || FirstFromNone ? 0 : -1;
    const int next = Current + (Forward ? 1 : -1);
    return next >= 0 && next < Count ? next : -1;
}

// Moves a mark (the hot or pressed entry) to Index: nothing when it is there already; the entry
// that loses it is invalidated, the one that takes it (0 or more) drawn at once.
template <typename TInvalidate, typename TDraw>
void MoveMark(int &Mark, int Index, TInvalidate Invalidate, TDraw DrawAtOnce)
{
    if (Index == Mark)
        return;
    if (Mark >= 0) {
        const int old = Mark;
        Mark = -1;
        Invalidate(old);
    }
    Mark = Index;
    if (Index >= 0)
        DrawAtOnce(Index);
}
