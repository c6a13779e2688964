#include "grid/SortSettings.h"

#include "grid/base/GridLists.h"

void TSortSettings::Assign(const TSortSettings &Source)
{
    if (&Source == this)
        return;
    FAutoSortForGrouping = Source.FAutoSortForGrouping;
    FAutoColumnMerge = Source.FAutoColumnMerge;
    FColumn = Source.FColumn;
    FShow = Source.FShow;
    FIndexShow = Source.FIndexShow;
    FIndexColor = Source.FIndexColor;
    FFull = Source.FFull;
    FSingleColumn = Source.FSingleColumn;
    FIgnoreBlanks = Source.FIgnoreBlanks;
    FBlankPos = Source.FBlankPos;
    FAutoFormat = Source.FAutoFormat;
    FDirection = Source.FDirection;
    FUpGlyph = Source.FUpGlyph;
    FDownGlyph = Source.FDownGlyph;
    FIndexUpGlyph = Source.FIndexUpGlyph;
    FIndexDownGlyph = Source.FIndexDownGlyph;
    FIndexSortKey = Source.FIndexSortKey;
    FInitSortDirection = Source.FInitSortDirection;
    FFixedCols = Source.FFixedCols;
    FNormalCellsOnly = Source.FNormalCellsOnly;
    FRow = Source.FRow;
    FUndoSort = Source.FUndoSort;
    FHeaderColor = Source.FHeaderColor;
    FHeaderColorTo = Source.FHeaderColorTo;
    FHeaderMirrorColor = Source.FHeaderMirrorColor;
    FHeaderMirrorColorTo = Source.FHeaderMirrorColorTo;
}

QString TSortSettings::SaveToString() const
{
    if (FIndexShow)
        return QStringLiteral("i;") + (FOwner ? FOwner->SettingsSortIndexes().SaveToString() : QString());
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(FColumn);
}

void TSortSettings::LoadFromString(const QString &Value)
{
    if (Value.isEmpty())
        return;
    FShow = true;
    if (Value.size() < 2)
        throw std::runtime_error("Invalid sort settings specifier");
    if (Value.contains(QLatin1String("i;"))) {
        FIndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty() && FOwner) {
            FOwner->SettingsSortIndexes().LoadFromString(rest);
            FOwner->SettingsQSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = Value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
    bool ok = false;
    const int column = Value.mid(1).toInt(&ok);
    if (!ok || column < 0)
        return; // no column number after the letter: column and order stay
    FColumn = column;
    if (FOwner)
        FOwner->SettingsQSort();
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (FOwner) {
        FOwner->SettingsSortIndexes().Clear();
        repaintSortRow();
    }
}

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::SetShow(bool Value)
{
    if (Value == FShow)
        return;
    FShow = Value;
    if (FOwner)
        FOwner->SettingsRepaint();
}

void TSortSettings::SetRow(int Value)
{
    const int fixedRows = FOwner ? FOwner->SettingsFixedRows() : 1;
    if (Value >= fixedRows)
        throw std::runtime_error("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

void TSortSettings::setHeader(TColor &field, TColor Value)
{
    if (field == Value)
        return;
    field = Value;
    repaintSortRow();
}

void TSortSettings::repaintSortRow()
{
    if (!FOwner)
        return;
    const int fixedRows = FOwner->SettingsFixedRows();
    if (fixedRows > 0)
        FOwner->SettingsRepaintRow(fixedRows - 1);
}
