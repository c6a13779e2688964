#pragma once
// Reading rules of "IOLink_SetAccess.xml" shared by the channel table and the image writer.
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>
#include <vector>

// Reads IOLink_SetAccess_File into doc and answers its root element. A null node (with *error) when
// the file is not well-formed XML or its root element is not "IO-Link".
pugi::xml_node Read_Channel_File(pugi::xml_document &doc, QString *error);

// The element children of parent, in order: comments, texts and instructions between them are skipped.
std::vector<pugi::xml_node> Child_Elements(const pugi::xml_node &parent);

// The element as it stands in the file (its own bytes, without indentation), and the way back:
// the element appended to parent.
QByteArray Element_Bytes(const pugi::xml_node &element);
void Append_Element_Bytes(pugi::xml_node parent, const QByteArray &bytes);

// True for a name that can only stand for a file directly inside one folder: not empty, neither
// "." nor "..", no folder separator of any platform and no control character.
bool Is_Plain_File_Name(const QString &name);
