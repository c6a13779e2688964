#pragma once
// What the description-file writers (EDE, EDS, MIB, ESI, GSDML) share. A writer is a function of
// the configuration's saved files and the clock: it answers the bytes of the file, or refuses with
// the reason (a table file that is not well-formed, a row that lacks what the writer reads), and
// leaves the writing to its caller, which replaces the target whole only then. So a refused or
// failed export never touches an existing file.
#include "platform/TextFile.h"
#include "platform/Xml.h"

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <pugixml.hpp>
#include <string_view>
#include <utility>
#include <vector>

struct TDescription_File {
    QByteArray Bytes;
    QString Error;  // why the writer refuses; empty when Bytes hold the file
    bool ok() const { return Error.isEmpty(); }
    static TDescription_File Refused(const QString &why)
    {
        TDescription_File f;
        f.Error = why;
        return f;
    }
};

// Writes the file's bytes over path (temporary file, then rename). False with *error: the
// writer's refusal, or the platform's reason why path cannot be written.
bool Save_Description_File(const TDescription_File &file, const QString &path, QString *error);

// The lines of a text export, each ended by CR LF (the last one too), in the file's encoding: the
// ANSI code page (Windows-1252; a character it lacks becomes "?") or UTF-8 with its byte-order mark.
class TExport_Lines {
public:
    explicit TExport_Lines(platform::TextEncoding encoding);
    void Add(QStringView line);
    // Printable ASCII only.
    void Add_Ascii(std::string_view line);
    // A line given as UTF-8.
    void Add_Utf8(QByteArrayView line);
    QByteArray Bytes() const { return m_bytes; }
    void Reserve(qsizetype bytes) { m_bytes.reserve(bytes); }

private:
    QByteArray m_bytes;
    bool m_ansi;
};

// ---- Input files -----------------------------------------------------------------------------

enum class TInput_File { Missing, Loaded, Failed };
// Reads the configuration file at path when it exists. Failed (with *error: the file's name, its
// line and the cause) when it cannot be read or is not well-formed XML.
TInput_File Read_Input_File(const QString &path, platform::XmlFile &file, QString *error);

// The configuration's files take the document's first node as their root, whatever its name.
inline pugi::xml_node First_Node(const platform::XmlFile &file) { return file.document().first_child(); }

// A row's attribute that the writer cannot do without: false, with *error naming the file, the
// row's line and the attribute, when the row lacks it.
bool Required_Attribute(const platform::XmlFile &file, const pugi::xml_node &row, const char *name,
                        QString &value, QString *error);
// The same message for an element that the writer cannot do without.
QString Missing_Element(const platform::XmlFile &file, const pugi::xml_node &parent, const char *name);

// ---- XML text written line by line -------------------------------------------------------------

using TXml_Attributes = std::initializer_list<std::pair<const char *, QString>>;

// Text for an attribute value or element content: "&", "<", ">" and '"' as entities; with
// asciiOnly every character beyond ASCII as a character reference. A character XML cannot carry
// (a control character, U+FFFE, U+FFFF, a lone surrogate) is dropped (platform::isXmlChar).
QString Xml_Escape(QStringView text, bool asciiOnly);
// The same, appended to out.
void Append_Xml_Escaped(QString &out, QStringView text, bool asciiOnly);

// An XML text of one element per line, indented by nesting depth.
class TXml_Lines {
public:
    TXml_Lines(TExport_Lines &out, QString indent, bool asciiOnly)
        : m_out(out), m_indent(std::move(indent)), m_ascii(asciiOnly)
    {
    }
    // A start tag; the element stays open until Close.
    void Open(const char *name, TXml_Attributes attributes = {});
    void Close();
    // An element without content.
    void Empty(const char *name, TXml_Attributes attributes = {});
    // An element holding only text.
    void Text(const char *name, QStringView text, TXml_Attributes attributes = {});
    void Comment(const QString &text);
    // A line as it stands (no indentation added).
    void Raw(const QString &line) { m_out.Add(line); }
    // A whole element on one line at the current depth: Tag(...) pieces joined by the caller.
    void Line(const QString &text);
    int Depth() const { return int(m_open.size()); }

    // "<name a="v" ...", without the closing ">" (the caller ends it with ">" or "/>").
    QString Tag(const char *name, TXml_Attributes attributes) const;

private:
    // Starts m_line with the indentation and the start tag up to its attributes.
    void begin(const char *name, TXml_Attributes attributes);
    TExport_Lines &m_out;
    QString m_indent;
    bool m_ascii;
    std::vector<const char *> m_open;
    QString m_line;  // the line being built, kept for its room
};
