#pragma once
// Text files as the program reads them: UTF-8 or UTF-16 (either byte order) when the file starts
// with a byte-order mark, otherwise the Windows ANSI code page (Windows-1252).
#include <QByteArray>
#include <QString>

namespace platform {

QString decodeText(const QByteArray &data);
// False (with *error) when the file cannot be opened.
bool readTextFile(const QString &path, QString &text, QString *error = nullptr);

} // namespace platform
