#include "grid/base/UndoRedo.h"

ZOdeRodeDeriDozu::ZOdeRodeDeriDozu(QObject *AOwner) : TGridUndoRedoBase(AOwner) {}

ZOdeRodeDeriDozu::~ZOdeRodeDeriDozu() = default;

void ZOdeRodeDeriDozu::append(TUndoRedoItem item)
{
    FItems.push_back(std::move(item));
    FLevel = int(FItems.size());
}

void ZOdeRodeDeriDozu::RegisterChange(int ACol, int ARow, const QString &OldValue, const QString &NewValue)
{
    if (FMaxLevel > 0 && int(FItems.size()) >= FMaxLevel) FItems.erase(FItems.begin());
    TUndoRedoItem item;
    item.Col = ACol;
    item.Row = ARow;
    item.Value = NewValue;
    item.OrigValue = OldValue;
    append(std::move(item));
}

void ZOdeRodeDeriDozu::StartSequence()
{
    TUndoRedoItem item;
    item.SequenceStart = true;
    append(std::move(item));
}

void ZOdeRodeDeriDozu::StopSequence()
{
    TUndoRedoItem item;
    item.SequenceStop = true;
    append(std::move(item));
}

void ZOdeRodeDeriDozu::Reset()
{
    FItems.clear();
    FLevel = 0;
}

// A marker changes no cell; replaying one only moves the level.
void ZOdeRodeDeriDozu::undoItem(TBaseGrid *grid, const TUndoRedoItem &item)
{
    if (item.IsMarker()) return;
    if (OnUndo) OnUndo(this, grid, item.Col, item.Row, grid->GetCellEx(item.Col, item.Row), item.OrigValue);
    grid->SetCellEx(item.Col, item.Row, item.OrigValue);
    grid->SetCol(grid->DisplColIndex(item.Col));
    grid->SetRow(item.Row);
}

void ZOdeRodeDeriDozu::redoItem(TBaseGrid *grid, const TUndoRedoItem &item)
{
    if (item.IsMarker()) return;
    if (OnRedo) OnRedo(this, grid, item.Col, item.Row, grid->GetCellEx(item.Col, item.Row), item.Value);
    grid->SetCellEx(item.Col, item.Row, item.Value);
    grid->SetCol(grid->DisplColIndex(item.Col));
    grid->SetRow(item.Row);
}

void ZOdeRodeDeriDozu::Undo()
{
    TBaseGrid *grid = Grid();
    const int count = int(FItems.size());
    if (!grid || FLevel <= 0 || FLevel > count) return;
    const TUndoRedoItem item = FItems[size_t(FLevel - 1)];
    if (item.SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems[size_t(FLevel - 1)].SequenceStart) {
            undoItem(grid, FItems[size_t(FLevel - 1)]);
            --FLevel;
        }
        // over the start marker (a sequence whose start was dropped by MaxLevel ends at 0)
        if (FLevel > 0) --FLevel;
        grid->InvalidateGrid();
    } else {
        undoItem(grid, item);
        if (!item.IsMarker()) grid->RepaintCell(grid->Col(), item.Row);
        --FLevel;
    }
}

void ZOdeRodeDeriDozu::Redo()
{
    TBaseGrid *grid = Grid();
    const int count = int(FItems.size());
    if (!grid || FLevel < 0 || FLevel >= count) return;
    const TUndoRedoItem item = FItems[size_t(FLevel)];
    ++FLevel;
    if (item.SequenceStart) {
        while (FLevel < count && !FItems[size_t(FLevel)].SequenceStop) {
            redoItem(grid, FItems[size_t(FLevel)]);
            ++FLevel;
        }
        if (FLevel < count) ++FLevel; // over the stop marker
        grid->InvalidateGrid();
    } else {
        redoItem(grid, item);
    }
}


// The grid's typed view of its attached component (declared with the base grid, defined here
// where the component's type is complete).
ZOdeRodeDeriDozu *TBaseGrid::UndoRedo() const { return dynamic_cast<ZOdeRodeDeriDozu *>(FUndoRedo.data()); }
