#pragma once
// What the settings objects of a string grid ask of the grid that owns them. The grid answers
// through this interface, so each settings object can also live without a grid (tests, copies).
#include "grid/base/Canvas.h"
#include "platform/Colors.h"

#include <QString>
#include <cstdint>

// Stores a setting's new value; true when it changed (the caller then repaints or notifies).
template <typename T>
inline bool storeIfChanged(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

class TSortIndexList;

// The fixed-cell gradient colours of the grid that the control look passes on.
enum TFixedGradientColor : std::uint8_t {
    fgFrom, fgTo, fgMirrorFrom, fgMirrorTo,
    fgHoverFrom, fgHoverTo, fgHoverMirrorFrom, fgHoverMirrorTo, fgHoverBorder,
    fgDownFrom, fgDownTo, fgDownMirrorFrom, fgDownMirrorTo, fgDownBorder
};

class IGridSettingsHost;
class QObject;
// The grid as the Qt parent of its settings objects (none when the host is no object).
QObject *SettingsParent(IGridSettingsHost *Host);

class IGridSettingsHost {
public:
    virtual ~IGridSettingsHost() = default;

    // Repaints the whole grid, one row or one cell (real column, displayed row).
    virtual void SettingsRepaint() = 0;
    virtual void SettingsRepaintRow(int ARow) = 0;
    virtual void SettingsRepaintCell(int ACol, int ARow) = 0;
    virtual int SettingsFixedRows() const = 0;
    // The grid is being placed in a designer (never in this program).
    virtual bool SettingsDesigning() const = 0;
    virtual bool SettingsHasParent() const = 0;

    // Stores one of the grid's fixed-cell gradient colours, repainting when asked.
    virtual void SetFixedGradientColor(TFixedGradientColor Which, TColor Value, bool Repaint) = 0;

    // Multi-column sort order, and sorting by the sort settings.
    virtual TSortIndexList &SettingsSortIndexes() = 0;
    virtual void SettingsQSort() = 0;
    virtual void SettingsQSortIndexed() = 0;

    // Makes the columns fill the client width (-1: the last column stretches).
    virtual void SettingsStretchColumn(int ACol) = 0;

    // Editing fixed cells in place: the grid's validation event (Valid starts true), the
    // editing-done event, storing the text, and making the cell the current one.
    virtual bool SettingsValidateCell(int ACol, int ARow, QString &Value) = 0;
    virtual void SettingsEditingDone() = 0;
    virtual void SettingsSetCell(int ACol, int ARow, const QString &Value) = 0;
    virtual void SettingsFocusCell(int ACol, int ARow) = 0;

    // Paints a fixed cell's background into a rectangle (the header image of a dragged column).
    virtual void SettingsPaintFixedBackground(TCanvas &Canvas, const TRect &R) = 0;
};
