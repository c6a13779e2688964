#pragma once
// The chunk of places the hidden-row store keeps its items in: wherever a store is built or
// destroyed (the grid's constructor), the chunk must be a complete type.
#include "grid/GridItem.h"

// Places for this many items at a time: one allocation for a thousand hidden rows.
struct TGridItems::Chunk {
    static constexpr int kItems = 1024;
    alignas(TGridItem) unsigned char bytes[kItems * sizeof(TGridItem)];
};
