#pragma once
// The platform's open and save file choosers. Tests replace them.
#include <QString>
#include <functional>

class QWidget;

namespace platform {

struct FileChoice {
    bool save = false;  // save chooser (else open)
    QString caption;
    QString folder;     // starting folder
    QString filter;     // Qt filter text, e.g. "IODD files (*.xml)"
    QString proposedName;   // file name offered at the start ("" for none)
    QString defaultSuffix;  // appended (after a ".") to a chosen name without a suffix, e.g. "mib"
};

// The chosen file, or empty when the user cancelled. Choosing an existing file to save over asks
// nothing: the caller asks where it must.
QString chooseFile(const FileChoice &choice, QWidget *parent = nullptr);

// An empty function restores the platform's choosers.
void setFileChooser(std::function<QString(const FileChoice &)> chooser);

} // namespace platform
