#pragma once
// Modal message boxes of the program. Tests answer them through QApplication::activeModalWidget().
#include <QString>

class QWidget;

namespace platform {

enum class Answer { Ok, Yes, No, Cancel };

void showError(const QString &text, QWidget *parent = nullptr);       // error sign, OK
void showWarning(const QString &text, QWidget *parent = nullptr);     // warning sign, OK
void showInformation(const QString &text, QWidget *parent = nullptr); // information sign, OK
Answer askYesNo(const QString &text, QWidget *parent = nullptr);
Answer askYesNoCancel(const QString &text, QWidget *parent = nullptr);

} // namespace platform
