#pragma once
// File helpers: every file the program writes is written whole (temporary file, then rename).
#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <pugixml.hpp>

namespace platform {

// Writes data to path through a temporary file renamed over the target.
// On failure the old file is untouched and *error (when given) holds a readable reason.
bool writeFileAtomic(const QString &path, const QByteArray &data, QString *error = nullptr);

// Writes a file whole from pieces: they go to a temporary file that replaces the target only on
// commit, so a failure or a writer dropped before commit leaves the old file as it was.
class WholeFileWriter {
public:
    explicit WholeFileWriter(const QString &path);
    // False (with *error) when the temporary file cannot be created.
    bool open(QString *error = nullptr);
    // A failed piece is remembered and reported by commit.
    void write(QByteArrayView piece);
    bool commit(QString *error = nullptr);

private:
    QString m_path;
    QSaveFile m_file;
    bool m_failed = false;
};

// Reads a whole file; false (with *error) when it cannot be opened.
bool readFile(const QString &path, QByteArray &data, QString *error = nullptr);

// Serialises doc with pugixml's formatting flags and writes it atomically. Characters XML cannot
// hold (platform/Xml.h, isXmlChar) are dropped from every value, and a CR in a text is written as
// a reference, so the file always reads back with the texts it was given.
bool saveXmlFile(const pugi::xml_document &doc, const QString &path, unsigned formatFlags,
                 const char *indent = "\t", QString *error = nullptr);

// XML text of doc as it would be saved (see saveXmlFile).
QByteArray xmlBytes(const pugi::xml_document &doc, unsigned formatFlags, const char *indent = "\t");

// pugixml strings are UTF-8. A text for a document drops the characters XML cannot hold, lone
// surrogates included (the UTF-8 conversion would turn one into "?").
inline QString fromXml(const char *s) { return QString::fromUtf8(s); }
QByteArray toXml(const QString &s);

} // namespace platform
