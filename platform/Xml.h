#pragma once
// Reading rules shared by every XML file of the program, and the one checked way to read a file.
//
// pugixml is lenient: it takes files that are not well-formed XML (a second root element, text
// after the root, a duplicate attribute, an undeclared entity, "<" inside an attribute value, an
// undeclared namespace prefix, bytes that are not valid in the file's encoding) and reads a file
// declaring an 8-bit encoding as UTF-8. Every XML file is therefore read through XmlFile (or
// readXmlFile), which decodes the file's encoding (byte-order mark, UTF-16, a declared 8-bit
// encoding), refuses what is not well-formed and reports the file's own line number.
//
//     platform::XmlFile xml;
//     if (!xml.load(path)) { show(xml.error().message()); return; }   // "<path>, line 3: ..."
//     pugi::xml_node root = xml.document().document_element();
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace platform {

// XML 1.0's characters: TAB, LF, CR and everything from U+0020 on but the surrogates, U+FFFE and
// U+FFFF. A file holding any other, even as a character reference ("&#1;"), is not XML: xmllint
// and this program's own reader refuse it. Every writer therefore drops them, by this one rule.
bool isXmlChar(char32_t c);
// text without the characters XML cannot hold (a lone surrogate goes as well).
QString xmlChars(QStringView text);
// The same rule on UTF-8 text, where bytes that are not UTF-8 go too. False (out untouched) when
// nothing had to go.
bool dropNonXmlChars(const char *utf8, std::string &out);

// Parse flags for the program's own files: comments, declarations and processing instructions stay
// nodes, so "the document's first top-level node" is the node written first; a text of blanks only
// is kept as written.
inline constexpr unsigned kXmlReadOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_declaration
                                            | pugi::parse_pi | pugi::parse_ws_pcdata_single;

// The text of an element that holds text only (an empty element gives ""). False for a null node,
// a node that is not an element, or an element holding anything but text.
bool elementText(const pugi::xml_node &element, QString &text);

// The text of the first child element of parent named name, as elementText.
bool childText(const pugi::xml_node &parent, const char *name, QString &text);

// An attribute's value ("" when the attribute is missing).
inline QString attributeText(const pugi::xml_node &node, const char *name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

// Why a file could not be read.
struct XmlError {
    enum Kind { None, CannotRead, NotWellFormed };
    Kind kind = None;
    QString file;
    int line = 0;  // the file's own line (1-based); 0 when the failure has no place in the file
    QString cause;
    // "<file>, line <n>: <cause>" (without the line part when there is none).
    QString message() const;
};

// A read-only copy of a parsed tree's structure. Readers that visit nodes and attributes many
// times (the IODD reader) walk it instead of the library's tree: its accessors are inline, where
// each of pugixml's is a call into the shared library. Names and values are those of the document.
struct XmlAttrRec;
struct XmlNodeRec;

class XmlAttr {
public:
    XmlAttr() = default;
    explicit XmlAttr(const XmlAttrRec *a) : m_a(a) {}
    explicit operator bool() const { return m_a != nullptr; }
    bool operator!() const { return m_a == nullptr; }
    inline const char *name() const;   // "" for a null attribute, as pugixml's
    inline const char *value() const;  // "" for a null attribute
    inline XmlAttr next_attribute() const;
    const XmlAttrRec *rec() const { return m_a; }

private:
    const XmlAttrRec *m_a = nullptr;
};

class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(const XmlNodeRec *n) : m_n(n) {}
    explicit operator bool() const { return m_n != nullptr; }
    bool operator!() const { return m_n == nullptr; }
    bool operator==(const XmlNode &o) const { return m_n == o.m_n; }
    inline const char *name() const;  // "" for a null node or a node without a name
    inline const char *value() const;
    inline pugi::xml_node_type type() const;  // node_null for a null node
    inline XmlNode parent() const;
    inline XmlNode first_child() const;
    inline XmlNode next_sibling() const;
    inline XmlAttr first_attribute() const;
    // Value of the first text or CDATA child, "" when none (as pugixml's child_value).
    const char *child_value() const;
    // The library's node this one copies.
    inline pugi::xml_node node() const;
    const XmlNodeRec *rec() const { return m_n; }

private:
    const XmlNodeRec *m_n = nullptr;
};

struct XmlAttrRec {
    const char *name;
    const char *value;
    const XmlAttrRec *next;
};

struct XmlNodeRec {
    const char *name;
    const char *value;
    const XmlNodeRec *parent;
    const XmlNodeRec *firstChild;
    const XmlNodeRec *nextSibling;
    const XmlAttrRec *firstAttribute;
    pugi::xml_node source;
    pugi::xml_node_type type;
};

inline const char *XmlAttr::name() const { return m_a ? m_a->name : ""; }
inline const char *XmlAttr::value() const { return m_a ? m_a->value : ""; }
inline XmlAttr XmlAttr::next_attribute() const { return XmlAttr(m_a ? m_a->next : nullptr); }
inline const char *XmlNode::name() const { return m_n ? m_n->name : ""; }
inline const char *XmlNode::value() const { return m_n ? m_n->value : ""; }
inline pugi::xml_node_type XmlNode::type() const { return m_n ? m_n->type : pugi::node_null; }
inline XmlNode XmlNode::parent() const { return XmlNode(m_n ? m_n->parent : nullptr); }
inline XmlNode XmlNode::first_child() const { return XmlNode(m_n ? m_n->firstChild : nullptr); }
inline XmlNode XmlNode::next_sibling() const { return XmlNode(m_n ? m_n->nextSibling : nullptr); }
inline XmlAttr XmlNode::first_attribute() const { return XmlAttr(m_n ? m_n->firstAttribute : nullptr); }
inline pugi::xml_node XmlNode::node() const { return m_n ? m_n->source : pugi::xml_node(); }

// One XML file, read and checked. The document's texts point into text(), which stays alive with
// the object (and with every copy of text()).
class XmlFile {
public:
    XmlFile();
    ~XmlFile();
    XmlFile(const XmlFile &) = delete;
    XmlFile &operator=(const XmlFile &) = delete;

    // Reads the file at path. False (see error()) when it cannot be read or is not well-formed.
    bool load(const QString &path, unsigned parseOptions = kXmlReadOptions);
    // The same for bytes already read; fileName names them in messages.
    bool loadBytes(QByteArray bytes, const QString &fileName, unsigned parseOptions = kXmlReadOptions);
    // Empties the object.
    void reset();

    pugi::xml_document &document() { return m_doc; }
    const pugi::xml_document &document() const { return m_doc; }
    // The copy of the tree; its root is the document node.
    XmlNode root() const;
    XmlNode documentElement() const;
    const XmlError &error() const { return m_error; }
    const QString &fileName() const { return m_file; }
    // The UTF-8 text the document was parsed from (in place: the parser has rewritten it).
    const QByteArray &text() const { return m_text; }

    // The file's own line of a node, an attribute, or a text of the document (0 when unknown).
    int lineOf(XmlNode node) const;
    int lineOf(XmlAttr attribute) const;
    int lineOf(const pugi::xml_node &node) const;
    int lineOfText(const char *p) const;

    struct Tree;  // the copy of the tree (Xml.cpp)

private:
    bool fail(XmlError::Kind kind, int line, const QString &cause);
    bool parse(unsigned parseOptions);
    int lineAt(qsizetype offset) const;

    QString m_file;
    QByteArray m_text;          // UTF-8, parsed in place
    qsizetype m_start = 0;      // where the parsed text starts in m_text (after a byte-order mark)
    std::vector<uint32_t> m_lineEnds;  // offsets (from m_start) of every line end, ascending
    pugi::xml_document m_doc;
    std::unique_ptr<Tree> m_tree;
    XmlError m_error;
};

// Reads path into doc through XmlFile's checks (doc owns its text afterwards). False with
// *error (when given) holding XmlError::message().
bool readXmlFile(pugi::xml_document &doc, const QString &path, unsigned parseOptions = kXmlReadOptions,
                 QString *error = nullptr, XmlError *details = nullptr);

} // namespace platform
