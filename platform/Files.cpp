#include "platform/Files.h"

#include "platform/Xml.h"

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

namespace {

// Drops the characters XML cannot hold from every value of the tree (texts, comments, attribute
// values); with change false only answers whether there is one to drop.
bool dropNonXmlChars(pugi::xml_node root, bool change)
{
    std::string clean;
    bool found = false;
    auto visit = [&](auto &&item) {
        if (platform::dropNonXmlChars(item.value(), clean)) {
            found = true;
            if (change)
                item.set_value(clean.c_str());
        }
    };
    for (pugi::xml_node n = root.first_child(); n;) {
        visit(n);
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            visit(a);
        if (found && !change)
            return true;
        if (pugi::xml_node child = n.first_child()) {
            n = child;
            continue;
        }
        while (n != root && !n.next_sibling())
            n = n.parent();
        if (n == root)
            break;
        n = n.next_sibling();
    }
    return found;
}

} // namespace

QByteArray toXml(const QString &s) { return xmlChars(s).toUtf8(); }

QByteArray xmlBytes(const pugi::xml_document &doc, unsigned formatFlags, const char *indent)
{
    // A tree holding a character XML cannot hold is written from a cleaned copy: pugixml would
    // write it as a reference ("&#1;") that no XML reader accepts.
    const pugi::xml_document *source = &doc;
    pugi::xml_document clean;
    if (dropNonXmlChars(doc, false)) {
        clean.reset(doc);
        dropNonXmlChars(clean, true);
        source = &clean;
    }
    std::ostringstream os;
    source->save(os, indent, formatFlags, pugi::encoding_utf8);
    const std::string s = os.str();
    QByteArray bytes(s.data(), qsizetype(s.size()));
    // pugixml writes a CR of an element's text as it is, and every XML reader reads a lone CR or a
    // CR LF back as LF: as a reference it stays. (Attribute values have theirs escaped already.)
    if (bytes.contains('\r'))
        bytes.replace("\r", "&#13;");
    return bytes;
}

bool saveXmlFile(const pugi::xml_document &doc, const QString &path, unsigned formatFlags,
                 const char *indent, QString *error)
{
    return writeFileAtomic(path, xmlBytes(doc, formatFlags, indent), error);
}

} // namespace platform
