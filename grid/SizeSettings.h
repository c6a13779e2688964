#pragma once
// Sizing settings of the grid: growing cells while typing, and how columns are sized, stretched
// and remembered.
#include "grid/GridSettingsHost.h"

#include <QObject>
#include <QString>

// Whether the text editor grows the row height or the column width while typing.
class TSizeWhileTyping : public QObject {
public:
    explicit TSizeWhileTyping(QObject *AParent = nullptr) : QObject(AParent) {}
    void Assign(const TSizeWhileTyping &Source)
    {
        FHeight = Source.FHeight;
        FWidth = Source.FWidth;
    }
    bool Height() const { return FHeight; }
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }
    void SetWidth(bool Value) { FWidth = Value; }

private:
    bool FHeight = false;
    bool FWidth = false;
};

enum TAutoSizeRows : std::uint8_t { arAll, arNormal, arFixed };
enum TColumnSizeLocation : std::uint8_t { clRegistry, clIniFile };

// The grid is its Qt parent.
class TColumnSize : public QObject {
public:
    explicit TColumnSize(IGridSettingsHost *AOwner = nullptr) : QObject(SettingsParent(AOwner)), FOwner(AOwner) {}
    void Assign(const TColumnSize &Source); // all nine values

    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }
    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    QString Key() const { return FKey; }
    void SetKey(const QString &Value) { FKey = Value; }
    QString Section() const { return FSection; }
    void SetSection(const QString &Value) { FSection = Value; }
    // Stores; when the grid has a parent, stretches StretchColumn (-1: the last column).
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int Value) { FStretchColumn = Value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }

private:
    IGridSettingsHost *FOwner;
    TAutoSizeRows FRows = arAll;
    bool FSave = false;
    QString FKey, FSection;
    bool FStretch = false;
    int FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
};
