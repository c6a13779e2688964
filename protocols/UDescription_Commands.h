#pragma once
// The export commands of the description files that live beside the writers: each picks its
// target with a save chooser that starts in the configuration's folder, asks what it must, and only
// then has the writer read the saved tables and writes the file whole. A refused export or a failed
// write shows one error box and leaves an existing file as it was.
#include "platform/FileChooser.h"
#include "protocols/UDescription_File.h"

#include <QString>

class QWidget;

// Writes file over path; a refusal or a failed write is shown in an error box. True when written.
bool Export_Description_File(const TDescription_File &file, const QString &path, QWidget *parent);

// The GSDML file under ProposedName, in the folder the user picks; asks text slot 1811 before it
// replaces a file.
void Save_GSDML_File(const QString &ProposedName, QWidget *parent = nullptr);
// The MIB (SaveMIB: the main window's chooser for it) and the ESI file (SaveESI); both ask text
// slot 1505 before they replace a file.
void Save_MIB_File(const platform::FileChoice &SaveMIB, QWidget *parent = nullptr);
void Save_ESI_File(const platform::FileChoice &SaveESI, QWidget *parent = nullptr);
