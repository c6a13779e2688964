#pragma once
// The store of hidden rows: one item per hidden row holding its cells (texts, and each cell's
// object slot as the string's object), its height and the filter level it was hidden at. Every
// change of an item's index goes through the store, which keeps a sorted copy of the indexes so
// that the grid maps real and displayed rows without walking over the hidden ones.
#include "platform/GridDefs.h"
#include "platform/StringGrid.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TGridItems;

// One hidden row.
class TGridItem {
public:
    int Idx() const { return FIdx; }
    void SetIdx(int Value); // keeps the store's index table in step
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Level() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    // Hidden by a filter level (HideRowList) rather than by HideRows / HideRowsEx.
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool Value) { FFiltered = Value; }

    // The row's cells: texts and, beside them, the cells' object slots (kept equally long).
    const QStringList &Items() const { unpack(); return FItems; }
    void SetItems(const QStringList &Value); // copies the texts; objects of new entries are empty
    int Count() const { return FPacked ? FPackedCols : int(FItems.size()); }
    QString Text(int Index) const { unpack(); return FItems.value(Index); }
    void SetText(int Index, const QString &Value); // raises EListError past the end
    TObject *Object(int Index) const;
    void SetObject(int Index, TObject *Value); // raises EListError past the end
    void Add(const QString &Text, TObject *Object = nullptr);
    void Clear();

    // The cells as the grid's store packed them, kept so until something reads them one by one:
    // a row hidden and shown again is never decoded. Cols is the cell count the item reports.
    void SetPackedRow(TGridCellStore::PackedRow &&Row, int Cols);
    bool IsPacked() const { return FPacked; }
    TGridCellStore::PackedRow TakePackedRow(); // empties the item

private:
    friend class TGridItems;
    explicit TGridItem(TGridItems *owner) : FOwner(owner) {}
    TGridItems *FOwner;
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = 0;
    bool FFiltered = false;
    void unpack() const;
    mutable QStringList FItems;
    mutable std::vector<TObject *> FObjects;
    mutable TGridCellStore::PackedRow FPackedRow;
    mutable bool FPacked = false;
    int FPackedCols = 0;
};

// The collection of hidden rows. Items keep the order in which they were added or inserted;
// the index table is rebuilt only when an index changed since the last query. Items live in
// chunks the collection keeps, so that hiding and showing many rows again and again reuses the
// same memory rather than allocating an item per row.
class TGridItems {
public:
    // Gives a taken item's place back to the collection it came from.
    struct ItemRecycler {
        TGridItems *owner = nullptr;
        void operator()(TGridItem *item) const;
    };
    // An item taken out of the collection; it must not outlive the collection.
    using TakenItem = std::unique_ptr<TGridItem, ItemRecycler>;

    TGridItems(); // out of line: the chunk type is private to GridItem.cpp
    ~TGridItems();
    TGridItems(const TGridItems &) = delete;
    TGridItems &operator=(const TGridItems &) = delete;

    int Count() const { return int(m_items.size()); }
    TGridItem *Items(int Index) const { return m_items.at(std::size_t(Index)); }
    TGridItem *Add();
    TGridItem *Insert(int Index);
    void Reserve(int Count); // room for that many items in all
    void Delete(int Index); // frees the item (not the objects in it)
    void Clear();           // frees every item (not the objects in them)
    // Takes the item out of the collection; the caller owns it then.
    TakenItem Take(int Index);

    // First item whose index equals the row, or null / -1.
    TGridItem *Find(int Idx) const;
    int FindPosition(int Idx) const;

    // Queries on the set of indexes (binary searches on the sorted table).
    bool Contains(int Idx) const;
    int CountBelow(int Idx) const; // items whose index is below Idx
    // The real row of a displayed row: the d-th (0-based) row not hidden.
    int DisplToReal(int d) const;
    // The displayed row of a real row: the row less the items whose index is below it.
    int RealToDispl(int r) const;
    // Sorted distinct indexes.
    const std::vector<int> &SortedIndexes() const;

    void IndexChanged() { m_dirty = true; }

private:
    void rebuild() const;
    TGridItem *newItem();
    void recycle(TGridItem *item);
    struct Chunk;
    std::vector<TGridItem *> m_items; // in the chunks
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::vector<TGridItem *> m_spare; // free places in the chunks (no item there)
    int m_taken = 0;                  // taken items still alive
    mutable bool m_dirty = false;
    mutable std::vector<int> m_sorted;   // every index, ascending (duplicates kept)
    mutable std::vector<int> m_distinct; // distinct indexes, ascending
    // Lookup tables up to the largest hidden index: real -> displayed and displayed -> real.
    mutable std::vector<std::int32_t> m_realToDispl;
    mutable std::vector<std::int32_t> m_displToReal;
};
