#include "protocols/UDescription_Commands.h"

#include "platform/Dialogs.h"
#include "protocols/UEtherCAT_ESI_File.h"
#include "protocols/UProfinetXML.h"
#include "protocols/USNMP_MIB.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFileInfo>

namespace {

constexpr int kExportOverwriteSlot = 1505;
constexpr int kGsdmlOverwriteSlot = 1811;

// The chosen file of a save chooser that starts in the configuration's folder ("" when cancelled).
QString chooseExportTarget(platform::FileChoice choice, QWidget *parent)
{
    choice.save = true;
    choice.folder = Project_Path;
    return platform::chooseFile(choice, parent);
}

bool mayReplaceExport(const QString &path, int questionSlot, QWidget *parent)
{
    return !QFileInfo::exists(path) || platform::askYesNo(LT(questionSlot), parent) == platform::Answer::Yes;
}

} // namespace

bool Export_Description_File(const TDescription_File &file, const QString &path, QWidget *parent)
{
    QString error;
    if (Save_Description_File(file, path, &error)) return true;
    platform::showError(error, parent);
    return false;
}

void Save_GSDML_File(const QString &ProposedName, QWidget *parent)
{
    platform::FileChoice choice;
    // The list shows the proposed file only; the name typed picks the folder, not the name.
    choice.filter = QStringLiteral("PROFINET XML (%1)").arg(ProposedName);
    choice.proposedName = ProposedName;
    const QString chosen = chooseExportTarget(choice, parent);
    if (chosen.isEmpty()) return;
    const QString target = QFileInfo(chosen).absolutePath() + QLatin1Char('/') + ProposedName;
    if (!mayReplaceExport(target, kGsdmlOverwriteSlot, parent)) return;
    Export_Description_File(GSDML_File_Bytes(), target, parent);
}

void Save_MIB_File(const platform::FileChoice &SaveMIB, QWidget *parent)
{
    const QString target = chooseExportTarget(SaveMIB, parent);
    if (target.isEmpty() || !mayReplaceExport(target, kExportOverwriteSlot, parent)) return;
    Export_Description_File(MIB_File_Bytes(Check_Saved_SNMP_Rows), target, parent);
}

void Save_ESI_File(const platform::FileChoice &SaveESI, QWidget *parent)
{
    const QString target = chooseExportTarget(SaveESI, parent);
    if (target.isEmpty() || !mayReplaceExport(target, kExportOverwriteSlot, parent)) return;
    Export_Description_File(ESI_File_Bytes(), target, parent);
}
