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
};

// The chosen file, or empty when the user cancelled.
QString chooseFile(const FileChoice &choice, QWidget *parent = nullptr);

// An empty function restores the platform's choosers.
void setFileChooser(std::function<QString(const FileChoice &)> chooser);

} // namespace platform
