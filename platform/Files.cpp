#include "platform/Files.h"

#include <QFile>
#include <QSaveFile>
#include <sstream>

namespace platform {

WholeFileWriter::WholeFileWriter(const QString &path) : m_path(path), m_file(path) {}

bool WholeFileWriter::open(QString *error)
{
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    if (error) *error = QStringLiteral("Cannot create file \"%1\". %2").arg(m_path, m_file.errorString());
    return false;
}

void WholeFileWriter::write(QByteArrayView piece)
{
    if (!m_failed && m_file.write(piece.data(), piece.size()) != piece.size())
        m_failed = true;
}

bool WholeFileWriter::commit(QString *error)
{
    if (m_failed) {
        if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(m_path, m_file.errorString());
        m_file.cancelWriting();
        return false;
    }
    if (!m_file.commit()) {
        if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(m_path, m_file.errorString());
        return false;
    }
    return true;
}

bool writeFileAtomic(const QString &path, const QByteArray &data, QString *error)
{
    WholeFileWriter f(path);
    if (!f.open(error))
        return false;
    f.write(data);
    return f.commit(error);
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
