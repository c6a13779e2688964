#include "platform/IniFile.h"

#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

IniFile::IniFile(const QString &fileName) : m_fileName(fileName)
{
    QString text;
    if (!readTextFile(fileName, text))
        return;
    for (const QString &line : splitTextLines(text)) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            m_sections.push_back({t.mid(1, t.size() - 2).trimmed(), {}});
            continue;
        }
        Entry e;
        e.raw = line;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !t.startsWith(QLatin1Char(';'))) {
            e.name = line.left(eq).trimmed();
            e.value = line.mid(eq + 1);
        }
        (m_sections.empty() ? m_head : m_sections.back().entries).push_back(std::move(e));
    }
}

const IniFile::Section *IniFile::findSection(const QString &section) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniFile::Entry *IniFile::findEntry(const QString &section, const QString &name) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    for (const Entry &e : s->entries)
        if (!e.name.isEmpty() && e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString IniFile::ReadString(const QString &section, const QString &name, const QString &def) const
{
    const Entry *e = findEntry(section, name);
    return e ? e->value : def;
}

int IniFile::ReadInteger(const QString &section, const QString &name, int def) const
{
    const Entry *e = findEntry(section, name);
    if (!e)
        return def;
    QString v = e->value.trimmed();
    bool ok = false;
    int n = 0;
    if (v.startsWith(QLatin1Char('$')))
        n = int(v.mid(1).toUInt(&ok, 16));
    else if (v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        n = int(v.mid(2).toUInt(&ok, 16));
    else
        n = v.toInt(&ok);
    return ok ? n : def;
}

bool IniFile::ValueExists(const QString &section, const QString &name) const
{
    return findEntry(section, name) != nullptr;
}

void IniFile::WriteString(const QString &section, const QString &name, const QString &value)
{
    Section *s = const_cast<Section *>(findSection(section));
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    for (Entry &e : s->entries)
        if (!e.name.isEmpty() && e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    s->entries.push_back({name, value, QString()});
}

void IniFile::WriteInteger(const QString &section, const QString &name, int value)
{
    WriteString(section, name, QString::number(value));
}

QStringList IniFile::Sections() const
{
    QStringList out;
    for (const Section &s : m_sections)
        out << s.name;
    return out;
}

bool IniFile::UpdateFile(QString *error) const
{
    QString text;
    const auto put = [&](const Entry &e) {
        text += e.name.isEmpty() ? e.raw : e.name + QLatin1Char('=') + e.value;
        text += QLatin1String("\r\n");
    };
    for (const Entry &e : m_head)
        put(e);
    for (const Section &s : m_sections) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\r\n");
        for (const Entry &e : s.entries)
            put(e);
    }
    const QString dir = QFileInfo(m_fileName).absolutePath();
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("Cannot create folder ") + dir;
        return false;
    }
    // ANSI as the other settings files; UTF-8 when a text holds characters ANSI lacks.
    QByteArray bytes = encodeText(text, TextEncoding::Ansi);
    if (decodeCodePage(bytes, TextEncoding::Ansi) != text)
        bytes = encodeText(text, TextEncoding::Utf8Bom);
    return writeFileAtomic(m_fileName, bytes, error);
}

QString userSettingsFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(QStringLiteral("registry.ini"));
}

QString userSettingsSection(const QString &keyPath, const QString &subKey)
{
    QString key = keyPath;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return subKey.isEmpty() ? key : key + QLatin1Char('\\') + subKey;
}

} // namespace platform
