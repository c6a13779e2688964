#pragma once
// How the grid sorts and shows its sort: the sort column and direction, index sorting over several
// columns, glyphs and header colours, and the string form that saves and restores a sort.
#include "grid/GridSettingsHost.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <stdexcept>

enum TSortDirection : std::uint8_t { sdAscending, sdDescending };
enum TIndexSortKey : std::uint8_t { ikShift, ikCtrl };
enum TBlankPos : std::uint8_t { blFirst, blLast };

// The grid is its Qt parent.
class TSortSettings : public QObject {
public:
    explicit TSortSettings(IGridSettingsHost *AOwner = nullptr) : QObject(SettingsParent(AOwner)), FOwner(AOwner) {}

    // Copies every setting but SortOnVirtualCells and IgnoreCase, without repainting.
    void Assign(const TSortSettings &Source);
    // "i;" and the sort index list with IndexShow, else "u" or "d" and the column.
    QString SaveToString() const;
    // Restores a saved sort and sorts by it; throws std::runtime_error ("Invalid sort settings
    // specifier") for a text of one character.
    void LoadFromString(const QString &Value);
    // No sort column, an empty sort index list, the sort row repainted.
    void Remove();
    void ToggleDirection();

    bool AutoSortForGrouping() const { return FAutoSortForGrouping; }
    void SetAutoSortForGrouping(bool Value) { FAutoSortForGrouping = Value; }
    bool AutoColumnMerge() const { return FAutoColumnMerge; }
    void SetAutoColumnMerge(bool Value) { FAutoColumnMerge = Value; }
    int Column() const { return FColumn; }
    void SetColumn(int Value) { FColumn = Value; }
    bool Show() const { return FShow; }
    void SetShow(bool Value); // repaints the grid on a change
    bool IndexShow() const { return FIndexShow; }
    void SetIndexShow(bool Value) { FIndexShow = Value; }
    TColor IndexColor() const { return FIndexColor; }
    void SetIndexColor(TColor Value) { FIndexColor = Value; }
    TIndexSortKey IndexSortKey() const { return FIndexSortKey; }
    void SetIndexSortKey(TIndexSortKey Value) { FIndexSortKey = Value; }
    bool Full() const { return FFull; }
    void SetFull(bool Value) { FFull = Value; }
    bool SingleColumn() const { return FSingleColumn; }
    void SetSingleColumn(bool Value) { FSingleColumn = Value; }
    bool IgnoreBlanks() const { return FIgnoreBlanks; }
    void SetIgnoreBlanks(bool Value) { FIgnoreBlanks = Value; }
    TBlankPos BlankPos() const { return FBlankPos; }
    void SetBlankPos(TBlankPos Value) { FBlankPos = Value; }
    bool AutoFormat() const { return FAutoFormat; }
    void SetAutoFormat(bool Value) { FAutoFormat = Value; }
    TSortDirection Direction() const { return FDirection; }
    void SetDirection(TSortDirection Value) { FDirection = Value; }
    const QImage &UpGlyph() const { return FUpGlyph; }
    void SetUpGlyph(const QImage &Value) { FUpGlyph = Value; }
    const QImage &DownGlyph() const { return FDownGlyph; }
    void SetDownGlyph(const QImage &Value) { FDownGlyph = Value; }
    const QImage &IndexUpGlyph() const { return FIndexUpGlyph; }
    void SetIndexUpGlyph(const QImage &Value) { FIndexUpGlyph = Value; }
    const QImage &IndexDownGlyph() const { return FIndexDownGlyph; }
    void SetIndexDownGlyph(const QImage &Value) { FIndexDownGlyph = Value; }
    bool IgnoreCase() const { return FIgnoreCase; }
    void SetIgnoreCase(bool Value) { FIgnoreCase = Value; }
    TSortDirection InitSortDirection() const { return FInitSortDirection; }
    void SetInitSortDirection(TSortDirection Value) { FInitSortDirection = Value; }
    bool FixedCols() const { return FFixedCols; }
    void SetFixedCols(bool Value) { FFixedCols = Value; }
    bool NormalCellsOnly() const { return FNormalCellsOnly; }
    void SetNormalCellsOnly(bool Value) { FNormalCellsOnly = Value; }
    // The fixed row that shows the sort indicator; throws std::runtime_error unless below the
    // grid's fixed rows.
    int Row() const { return FRow; }
    void SetRow(int Value);
    bool UndoSort() const { return FUndoSort; }
    void SetUndoSort(bool Value) { FUndoSort = Value; }
    bool SortOnVirtualCells() const { return FSortOnVirtualCells; }
    void SetSortOnVirtualCells(bool Value) { FSortOnVirtualCells = Value; }
    // Each repaints the last fixed row on a change.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { setHeader(FHeaderColor, Value); }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { setHeader(FHeaderColorTo, Value); }
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value) { setHeader(FHeaderMirrorColor, Value); }
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value) { setHeader(FHeaderMirrorColorTo, Value); }

private:
    void setHeader(TColor &field, TColor Value);
    void repaintSortRow();
    IGridSettingsHost *FOwner;
    bool FAutoSortForGrouping = true;
    bool FAutoColumnMerge = false;
    int FColumn = -1;
    bool FShow = false;
    bool FIndexShow = false;
    TColor FIndexColor = clYellow;
    TIndexSortKey FIndexSortKey = ikShift;
    bool FFull = true;
    bool FSingleColumn = false;
    bool FIgnoreBlanks = false;
    TBlankPos FBlankPos = blFirst;
    bool FAutoFormat = true;
    TSortDirection FDirection = sdAscending;
    QImage FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
    bool FIgnoreCase = false;
    TSortDirection FInitSortDirection = sdAscending;
    bool FFixedCols = false;
    bool FNormalCellsOnly = false;
    int FRow = 0;
    bool FUndoSort = false;
    bool FSortOnVirtualCells = true;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
};
