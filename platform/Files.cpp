#include "platform/Files.h"

#include <QFile>
#include <QSaveFile>
#include <sstream>

namespace platform {

bool writeFileAtomic(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("Cannot create file \"%1\". %2").arg(path, f.errorString());
        return false;
    }
    if (f.write(data) != data.size()) {
        if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(path, f.errorString());
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool readFile(const QString &path, QByteArray &data, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString());
        return false;
    }
    data = f.readAll();
    return true;
}

QByteArray xmlBytes(const pugi::xml_document &doc, unsigned formatFlags, const char *indent)
{
    std::ostringstream os;
    doc.save(os, indent, formatFlags, pugi::encoding_utf8);
    const std::string s = os.str();
    return QByteArray(s.data(), qsizetype(s.size()));
}

bool saveXmlFile(const pugi::xml_document &doc, const QString &path, unsigned formatFlags,
                 const char *indent, QString *error)
{
    return writeFileAtomic(path, xmlBytes(doc, formatFlags, indent), error);
}

} // namespace platform
