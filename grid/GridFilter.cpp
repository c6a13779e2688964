#include "grid/GridFilter.h"

#include "grid/base/GridLists.h"

void TFilterData::Assign(const TFilterData &Source)
{
    FColumn = Source.FColumn;
    FCondition = Source.FCondition;
    FCaseSensitive = Source.FCaseSensitive;
    FData = Source.FData;
    FPrefix = Source.FPrefix;
    FSuffix = Source.FSuffix;
    FOperation = Source.FOperation;
}

TFilterData *TFilter::Add()
{
    TFilterData *d = FItems.emplace_back(std::make_unique<TFilterData>()).get();
    d->SetOperation(FItems.size() == 1 ? foNONE : foAND);
    return d;
}

TFilterData *TFilter::Insert(int)
{
    // Like the collection it stands for, a new condition always goes to the end.
    return FItems.emplace_back(std::make_unique<TFilterData>()).get();
}

TFilterData *TFilter::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("filter index out of range");
    return FItems[std::size_t(Index)].get();
}

void TFilter::Delete(int Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

void TFilter::Assign(const TFilter &Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    for (const auto &d : Source.FItems) {
        auto copy = std::make_unique<TFilterData>();
        copy->Assign(*d); // Method stays as created
        FItems.push_back(std::move(copy));
    }
}

TFilterData *TFilter::GetColFilter(int Col)
{
    for (const auto &d : FItems)
        if (d->Column() == Col)
            return d.get();
    TFilterData *d = Add();
    d->SetColumn(std::int16_t(Col));
    return d;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[std::size_t(i)]->Column() == Col)
            FItems.erase(FItems.begin() + i);
    if (FOwner)
        FOwner->SettingsRepaintCell(Col, 0);
}

bool TFilter::HasFilter(int Col) const
{
    for (const auto &d : FItems)
        if (d->Column() == Col)
            return true;
    return false;
}
