// Column organisation of the column grid: each item's default index, putting the columns back
// in that order, and the "CP" keys that store the arrangement in an INI file.
#include "grid/NovaColumnGrid.h"

#include "grid/ColumnArrangement.h"
#include "grid/SizeSettings.h"
#include "grid/base/GridLists.h"
#include "platform/IniFile.h"

#include <vector>

namespace {

QString cpKey(int i) { return QStringLiteral("CP") + QString::number(i); }

} // namespace

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner)
        return;
    std::vector<int> defs;
    for (const auto &item : FItems)
        defs.push_back(item->FDefIdx);
    // Repeated or missing indexes would keep the passes below moving columns for ever.
    if (!IsColumnPermutation(defs))
        throw EListError("Column default indexes are not 0 .. " + std::to_string(Count() - 1) + " each once");
    for (bool moved = true; moved;) {
        moved = false;
        const int n = Count();
        for (int i = 0; i < n; ++i) {
            const int d = FItems[std::size_t(i)]->FDefIdx;
            if (d < i) {
                FOwner->MoveColumn(i, d);
                moved = true;
            }
        }
    }
}

void TNovaColumnGrid::SaveColumnPositions(const QString &Key, const QString &Section)
{
    platform::IniFile ini(Key);
    for (int i = 0; i < Columns()->Count(); ++i)
        ini.WriteInteger(Section, cpKey(i), Columns()->Items(i)->DefIdx());
    QString error;
    if (!ini.UpdateFile(&error))
        throw ENovaGridError(QStringLiteral("Cannot write ") + Key + QStringLiteral(": ") + error);
}

void TNovaColumnGrid::LoadColumnPositions(const QString &Key, const QString &Section)
{
    const platform::IniFile ini(Key);
    const int n = Columns()->Count();
    std::vector<int> stored;
    for (int j = 0; j < n; ++j) {
        const int d = ini.ReadInteger(Section, cpKey(j), -1);
        if (d == -1)
            return; // an incomplete set changes nothing
        stored.push_back(d);
    }
    // The whole set is checked before the columns move.
    if (!IsColumnPermutation(stored))
        throw ENovaGridError(QStringLiteral("Invalid column positions in ") + Key);
    ResetColumnOrder();
    for (int j = 0; j < n; ++j)
        Columns()->Items(stored[std::size_t(j)])->SetDefIdx(j);
    Columns()->ResetOrganization();
    for (int i = 0; i < n; ++i)
        Columns()->Items(i)->SetDefIdx(stored[std::size_t(i)]);
}

void TNovaColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location() != clIniFile) {
        TNovaStringGrid::SaveColPositions();
        return;
    }
    if (Designing() || ColumnSize()->Key().isEmpty() || ColumnSize()->Section().isEmpty())
        return;
    SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
}

void TNovaColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location() != clIniFile) {
        TNovaStringGrid::LoadColPositions();
        return;
    }
    if (Designing() || ColumnSize()->Key().isEmpty() || ColumnSize()->Section().isEmpty())
        return;
    LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
}
