#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

QWidget *ownerOf(QWidget *parent)
{
    if (parent) return parent;
    if (QWidget *m = QApplication::activeModalWidget()) return m;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton run(QMessageBox::Icon icon, const QString &text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton def, QWidget *parent)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, ownerOf(parent));
    box.setDefaultButton(def);
    box.setObjectName(QStringLiteral("MessageBox"));
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void showError(const QString &text, QWidget *parent)
{
    run(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok, parent);
}

void showWarning(const QString &text, QWidget *parent)
{
    run(QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok, parent);
}

void showInformation(const QString &text, QWidget *parent)
{
    run(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, parent);
}

Answer askYesNo(const QString &text, QWidget *parent)
{
    return run(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, parent)
                   == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

Answer askYesNoCancel(const QString &text, QWidget *parent)
{
    switch (run(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Yes, parent)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

} // namespace platform
