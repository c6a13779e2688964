#include "grid/SizeSettings.h"

void TColumnSize::Assign(const TColumnSize &Source)
{
    if (&Source == this)
        return;
    FRows = Source.FRows;
    FSave = Source.FSave;
    FKey = Source.FKey;
    FSection = Source.FSection;
    FStretch = Source.FStretch;
    FStretchColumn = Source.FStretchColumn;
    FSynchWithGrid = Source.FSynchWithGrid;
    FSynchNormalCellsOnly = Source.FSynchNormalCellsOnly;
    FLocation = Source.FLocation;
}

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    if (FOwner && FOwner->SettingsHasParent())
        FOwner->SettingsStretchColumn(FStretchColumn);
}
