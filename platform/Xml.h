#pragma once
// Reading rules shared by every XML file of the program.
#include <QString>
#include <pugixml.hpp>

namespace platform {

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

} // namespace platform
