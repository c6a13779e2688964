#include "platform/FileChooser.h"

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
    return choice.save ? QFileDialog::getSaveFileName(parent, choice.caption, choice.folder, choice.filter)
                       : QFileDialog::getOpenFileName(parent, choice.caption, choice.folder, choice.filter);
}

void setFileChooser(std::function<QString(const FileChoice &)> chooser) { slot() = std::move(chooser); }

} // namespace platform
