#include "grid/GridItem.h"

#include "grid/base/GridLists.h"

#include <algorithm>
#include <new>

// ---- one hidden row ------------------------------------------------------------------------------

void TGridItem::SetIdx(int Value)
{
    if (FIdx == Value)
        return;
    FIdx = Value;
    if (FOwner)
        FOwner->IndexChanged();
}

void TGridItem::unpack() const
{
    if (!FPacked)
        return;
    FPacked = false;
    FItems = FPackedRow.Texts();
    FObjects = std::move(FPackedRow.objects);
    FPackedRow = TGridCellStore::PackedRow();
    while (FItems.size() < FPackedCols)
        FItems << QString();
    FObjects.resize(std::size_t(FItems.size()), nullptr);
}

void TGridItem::SetPackedRow(TGridCellStore::PackedRow &&Row, int Cols)
{
    FItems.clear();
    FObjects.clear();
    FPackedCols = std::max(Cols, Row.CellCount());
    FPackedRow = std::move(Row);
    FPacked = true;
}

TGridCellStore::PackedRow TGridItem::TakePackedRow()
{
    TGridCellStore::PackedRow out;
    if (FPacked) {
        out = std::move(FPackedRow);
        FPackedRow = TGridCellStore::PackedRow();
        FPacked = false;
    }
    FItems.clear();
    FObjects.clear();
    return out;
}

void TGridItem::SetItems(const QStringList &Value)
{
    unpack();
    FItems = Value;
    FObjects.resize(std::size_t(FItems.size()), nullptr);
}

void TGridItem::SetText(int Index, const QString &Value)
{
    unpack();
    if (Index < 0 || Index >= FItems.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    FItems[Index] = Value;
}

TObject *TGridItem::Object(int Index) const
{
    unpack();
    return Index >= 0 && Index < int(FObjects.size()) ? FObjects[std::size_t(Index)] : nullptr;
}

void TGridItem::SetObject(int Index, TObject *Value)
{
    unpack();
    if (Index < 0 || Index >= int(FObjects.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    FObjects[std::size_t(Index)] = Value;
}

void TGridItem::Add(const QString &Text, TObject *Object)
{
    unpack();
    FItems << Text;
    FObjects.push_back(Object);
}

void TGridItem::Clear()
{
    FPacked = false;
    FPackedRow = TGridCellStore::PackedRow();
    FItems.clear();
    FObjects.clear();
}

// ---- the collection ------------------------------------------------------------------------------

// Places for this many items at a time: one allocation for a thousand hidden rows.
struct TGridItems::Chunk {
    static constexpr int kItems = 1024;
    alignas(TGridItem) unsigned char bytes[kItems * sizeof(TGridItem)];
};

TGridItems::TGridItems() = default;

TGridItems::~TGridItems()
{
    for (TGridItem *item : m_items)
        item->~TGridItem();
}

void TGridItems::ItemRecycler::operator()(TGridItem *item) const
{
    if (!item)
        return;
    --owner->m_taken;
    owner->recycle(item);
}

TGridItem *TGridItems::newItem()
{
    if (m_spare.empty()) {
        // Not value-initialised: the places are raw memory until an item is built in one.
        m_chunks.push_back(std::unique_ptr<Chunk>(new Chunk));
        unsigned char *base = m_chunks.back()->bytes;
        m_spare.reserve(m_spare.size() + Chunk::kItems);
        // Handed out in address order.
        for (int i = Chunk::kItems - 1; i >= 0; --i)
            m_spare.push_back(reinterpret_cast<TGridItem *>(base + std::size_t(i) * sizeof(TGridItem)));
    }
    void *place = m_spare.back();
    m_spare.pop_back();
    return new (place) TGridItem(this);
}

void TGridItems::recycle(TGridItem *item)
{
    item->~TGridItem();
    m_spare.push_back(item);
}

TGridItem *TGridItems::Add()
{
    return Insert(Count());
}

TGridItem *TGridItems::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    TGridItem *item = newItem();
    m_items.insert(m_items.begin() + Index, item);
    m_dirty = true;
    return item;
}

void TGridItems::Reserve(int Count)
{
    m_items.reserve(std::size_t(std::max(Count, 0)));
}

void TGridItems::Delete(int Index)
{
    Take(Index);
}

TGridItems::TakenItem TGridItems::Take(int Index)
{
    if (Index < 0 || Index >= Count())
        return TakenItem(nullptr, ItemRecycler{this});
    TGridItem *item = m_items[std::size_t(Index)];
    m_items.erase(m_items.begin() + Index);
    item->FOwner = nullptr;
    ++m_taken;
    m_dirty = true;
    return TakenItem(item, ItemRecycler{this});
}

void TGridItems::Clear()
{
    for (TGridItem *item : m_items)
        recycle(item);
    m_items.clear();
    m_dirty = true;
    // Nothing lives in the chunks any more: their memory goes.
    if (m_taken == 0) {
        m_spare.clear();
        m_spare.shrink_to_fit();
        m_chunks.clear();
    }
}

TGridItem *TGridItems::Find(int Idx) const
{
    const int i = FindPosition(Idx);
    return i < 0 ? nullptr : m_items[std::size_t(i)];
}

int TGridItems::FindPosition(int Idx) const
{
    if (!Contains(Idx))
        return -1;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->FIdx == Idx)
            return int(i);
    return -1;
}

void TGridItems::rebuild() const
{
    m_dirty = false;
    m_sorted.clear();
    m_sorted.reserve(m_items.size());
    for (const auto &it : m_items)
        m_sorted.push_back(it->FIdx);
    std::sort(m_sorted.begin(), m_sorted.end());
    m_distinct = m_sorted;
    m_distinct.erase(std::unique(m_distinct.begin(), m_distinct.end()), m_distinct.end());
    m_realToDispl.clear();
    m_displToReal.clear();
    if (m_distinct.empty() || m_distinct.back() < 0)
        return;
    // Tables cover the rows up to the last hidden one; past it both mappings are a plain offset.
    const int last = m_distinct.back();
    m_realToDispl.resize(std::size_t(last) + 1);
    m_displToReal.reserve(std::size_t(last) + 1);
    std::size_t below = 0;  // items (duplicates counted) whose index is below r
    std::size_t hidden = 0; // position in the distinct list
    auto neg = std::lower_bound(m_sorted.begin(), m_sorted.end(), 0);
    below = std::size_t(neg - m_sorted.begin());
    auto d = std::lower_bound(m_distinct.begin(), m_distinct.end(), 0);
    hidden = std::size_t(d - m_distinct.begin());
    std::size_t s = below;
    for (int r = 0; r <= last; ++r) {
        while (s < m_sorted.size() && m_sorted[s] < r)
            ++s;
        m_realToDispl[std::size_t(r)] = std::int32_t(r - int(s));
        if (hidden < m_distinct.size() && m_distinct[hidden] == r)
            ++hidden;
        else
            m_displToReal.push_back(r);
    }
}

const std::vector<int> &TGridItems::SortedIndexes() const
{
    if (m_dirty)
        rebuild();
    return m_distinct;
}

bool TGridItems::Contains(int Idx) const
{
    if (m_items.empty())
        return false;
    const std::vector<int> &d = SortedIndexes();
    return std::binary_search(d.begin(), d.end(), Idx);
}

int TGridItems::CountBelow(int Idx) const
{
    if (m_items.empty())
        return 0;
    if (m_dirty)
        rebuild();
    return int(std::lower_bound(m_sorted.begin(), m_sorted.end(), Idx) - m_sorted.begin());
}

int TGridItems::RealToDispl(int r) const
{
    if (m_items.empty())
        return r;
    if (m_dirty)
        rebuild();
    if (r >= 0 && r < int(m_realToDispl.size()))
        return m_realToDispl[std::size_t(r)];
    return r - CountBelow(r);
}

int TGridItems::DisplToReal(int d) const
{
    if (d < 0)
        return -1;
    if (m_items.empty())
        return d;
    if (m_dirty)
        rebuild();
    if (d < int(m_displToReal.size()))
        return m_displToReal[std::size_t(d)];
    // Past the table every hidden row lies before the answer (negative indexes included).
    return d + int(m_distinct.size());
}
