#pragma once
// Undo and redo of cell text changes of one grid. The grid reports each change it makes
// (RegisterChange), bracketing multi-cell operations with StartSequence/StopSequence; Undo and
// Redo replay one change or one whole sequence into the grid and move its current cell there.
#include "grid/base/BaseGrid.h"
#include "grid/base/GridTypes.h"

#include <QString>
#include <vector>

// One history entry: a cell change, or a start or end marker of a sequence (cell -1, -1).
struct TUndoRedoItem {
    int Row = -1;
    int Col = -1;             // real column
    QString Value;            // text after the change
    QString OrigValue;        // text before the change
    bool SequenceStart = false;
    bool SequenceStop = false;
    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

using TUndoRedoCollection = std::vector<TUndoRedoItem>;

class ZOdeRodeDeriDozu : public TGridUndoRedoBase {
public:
    explicit ZOdeRodeDeriDozu(QObject *AOwner = nullptr);
    ~ZOdeRodeDeriDozu() override;

    // Appends one change; with MaxLevel > 0 and a full history the oldest entry goes first.
    virtual void RegisterChange(int ACol, int ARow, const QString &OldValue, const QString &NewValue);
    virtual void StartSequence();
    virtual void StopSequence();

    void Undo();
    void Redo();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < int(FItems.size()); }
    // Empties the history; the level goes back to 0.
    void Reset();

    // Number of entries in effect; entries from Level on are undone and can be redone.
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; } // 0: no limit
    const TUndoRedoCollection &Items() const { return FItems; }

    // Fired before each replayed cell: (Sender, Grid, Col, Row, current text, text to be written).
    ZOdeRodeDeriDozuEvent OnUndo;
    ZOdeRodeDeriDozuEvent OnRedo;

private:
    void append(TUndoRedoItem item);
    void undoItem(TBaseGrid *grid, const TUndoRedoItem &item);
    void redoItem(TBaseGrid *grid, const TUndoRedoItem &item);

    TUndoRedoCollection FItems;
    int FLevel = 0;
    int FMaxLevel = 0;
};
