#include "platform/Xml.h"

#include <cstring>

namespace platform {

bool elementText(const pugi::xml_node &element, QString &text)
{
    if (!element || element.type() != pugi::node_element) return false;
    QString t;
    for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) return false;
        t += QString::fromUtf8(c.value());
    }
    text = t;
    return true;
}

bool childText(const pugi::xml_node &parent, const char *name, QString &text)
{
    for (pugi::xml_node e = parent.first_child(); e; e = e.next_sibling())
        if (e.type() == pugi::node_element && std::strcmp(e.name(), name) == 0) return elementText(e, text);
    return false;
}

} // namespace platform
