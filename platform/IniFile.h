#pragma once
// Settings files of sections and "name=value" lines. Section and value names are matched without
// regard to case; sections and lines this program does not know are kept as they were. The file
// is read once (a missing file is an empty one) and written whole, lines ended CR LF, by
// UpdateFile. The per-user store lives in one such file in the user's configuration folder.
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

class IniFile {
public:
    explicit IniFile(const QString &fileName);

    const QString &FileName() const { return m_fileName; }
    QString ReadString(const QString &section, const QString &name, const QString &def) const;
    int ReadInteger(const QString &section, const QString &name, int def) const;
    bool ValueExists(const QString &section, const QString &name) const;
    void WriteString(const QString &section, const QString &name, const QString &value);
    void WriteInteger(const QString &section, const QString &name, int value);
    QStringList Sections() const;
    // Writes the file whole; false (with *error) when it cannot be written.
    bool UpdateFile(QString *error = nullptr) const;

private:
    struct Entry {
        QString name; // empty for a line that is no "name=value" (kept as it was)
        QString value;
        QString raw;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Section *findSection(const QString &section) const;
    const Entry *findEntry(const QString &section, const QString &name) const;

    QString m_fileName;
    std::vector<Entry> m_head; // lines before the first section
    std::vector<Section> m_sections;
};

// The per-user settings file standing in for a registry: one section per key path and sub-key.
QString userSettingsFile();
QString userSettingsSection(const QString &keyPath, const QString &subKey);

} // namespace platform
