#include "iolink/UIO_Link_Channel_File.h"

#include "platform/TextFormat.h"
#include "platform/Xml.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

pugi::xml_node Read_Channel_File(pugi::xml_document &doc, QString *error)
{
    if (!platform::readXmlFile(doc, IOLink_SetAccess_File, platform::kXmlReadOptions, error)) return {};
    // A declaration or a comment may come first: the root is the document's element.
    const pugi::xml_node root = doc.document_element();
    if (QLatin1String(root.name()) != QLatin1String("IO-Link")) {
        if (error)
            *error = platform::formatText(LT(1746), {IOLink_SetAccess_File, QString::fromUtf8(root.name())});
        return {};
    }
    return root;
}

std::vector<pugi::xml_node> Child_Elements(const pugi::xml_node &parent)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element) out.push_back(n);
    return out;
}

namespace {
struct ByteWriter : pugi::xml_writer {
    QByteArray bytes;
    void write(const void *data, size_t size) override { bytes.append(static_cast<const char *>(data), qsizetype(size)); }
};
} // namespace

QByteArray Element_Bytes(const pugi::xml_node &element)
{
    ByteWriter w;
    element.print(w, "", pugi::format_raw);
    return w.bytes;
}

void Append_Element_Bytes(pugi::xml_node parent, const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        parent.append_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_comments, pugi::encoding_utf8);
}

bool Is_Plain_File_Name(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32 || c.unicode() == 127) return false;
    return true;
}
