#include "platform/FileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace platform {
namespace {
std::function<QString(const FileChoice &)> &slot()
{
    static std::function<QString(const FileChoice &)> f;
    return f;
}
} // namespace

QString chooseFile(const FileChoice &choice, QWidget *parent)
{
    if (slot()) return slot()(choice);
    QFileDialog dialog(parent, choice.caption, choice.folder, choice.filter);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own question before it replaces a file, where it asks one.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!choice.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.proposedName.isEmpty()) dialog.selectFile(QDir(choice.folder).filePath(choice.proposedName));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

void setFileChooser(std::function<QString(const FileChoice &)> chooser) { slot() = std::move(chooser); }

} // namespace platform
