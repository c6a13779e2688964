#pragma once
// The engineering units of the BACnet unit picker: 23 groups of unit names, each name with its value
// in the BACnet standard's BACnetEngineeringUnits enumeration (0-236, every value once), and the
// name that a code reads as.
#include <QString>
#include <span>

struct TBACnet_Unit {
    int code;         // BACnetEngineeringUnits value
    const char *name; // as the picker lists it
};

struct TBACnet_Unit_Group {
    const char *name; // the group's item in the picker's type list
    std::span<const TBACnet_Unit> units;
};

// The groups in the picker's order, each with its units in list order.
std::span<const TBACnet_Unit_Group> BACnet_Unit_Groups();

// The unit name of a code: for 0..236 the name the picker lists, except 139, 140 and 172, which read
// "megajoules-hours-per-square-meter", "megajoules-hours-per-square-foot" and "ohm-meters"; "unknown"
// for any other value.
QString Desc_Unit(int Num_Unit);
