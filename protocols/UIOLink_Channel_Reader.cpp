#include "protocols/UIOLink_Channel_Reader.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "shell/UComon.h"

#include <QFileInfo>
#include <pugixml.hpp>

namespace {

QString channelAttribute(const pugi::xml_node &n, const char *name) { return QString::fromUtf8(n.attribute(name).value()); }

std::vector<TChannel_File_Record> channelRecords(const pugi::xml_node &list)
{
    std::vector<TChannel_File_Record> out;
    for (const pugi::xml_node &r : Child_Elements(list))
        out.push_back({channelAttribute(r, "VarType"), channelAttribute(r, "BitLength"), channelAttribute(r, "Name"), channelAttribute(r, "Position"), channelAttribute(r, "Bit")});
    return out;
}

} // namespace

TChannel_File_Read Read_IOLink_Channels(std::vector<TChannel_File_Channel> &channels, QString *error)
{
    channels.clear();
    if (!QFileInfo::exists(IOLink_SetAccess_File)) return TChannel_File_Read::Missing;
    pugi::xml_document doc;
    const pugi::xml_node root = Read_Channel_File(doc, error);
    if (!root) return TChannel_File_Read::Failed;
    for (const pugi::xml_node &c : Child_Elements(root.child("IO-Link_Channels"))) {
        TChannel_File_Channel ch;
        if (const pugi::xml_node f = c.child("IODD_File")) {
            ch.Has_IODD_File = true;
            ch.FileName = channelAttribute(f, "FileName");
            ch.Pin4Mode = channelAttribute(f, "Pin4Mode");
            if (f.attribute("ReadPin2")) ch.ReadPin2 = channelAttribute(f, "ReadPin2");
            ch.Pin2Pos = channelAttribute(f, "Pin2Pos");
            ch.Pin2Bit = channelAttribute(f, "Pin2Bit");
            ch.Pin4Pos = channelAttribute(f, "Pin4Pos");
        }
        if (const pugi::xml_node vars = c.child("Variables")) {
            ch.Has_Variables = true;
            for (const pugi::xml_node &v : Child_Elements(vars))
                ch.Variables.push_back({channelAttribute(v, "Enable"), channelAttribute(v, "On_Change"), channelAttribute(v, "On_Timer"), channelAttribute(v, "ReadTime"),
                                        channelAttribute(v, "ReadPos"), channelAttribute(v, "ReadBit"), channelAttribute(v, "Position"), channelAttribute(v, "Bit"),
                                        channelAttribute(v, "Length"), channelAttribute(v, "Name"), channelAttribute(v, "VarType")});
        }
        if (const pugi::xml_node pd = c.child("ProcessData")) {
            ch.Has_ProcessData = true;
            if (const pugi::xml_node in = pd.child("ProcessDataIn")) {
                ch.Has_ProcessDataIn = true;
                ch.ProcessDataIn = channelRecords(in);
            }
            if (const pugi::xml_node out = pd.child("ProcessDataOut")) {
                ch.Has_ProcessDataOut = true;
                ch.ProcessDataOut = channelRecords(out);
            }
        }
        if (const pugi::xml_node events = c.child("Events")) {
            ch.Has_Events = true;
            for (const pugi::xml_node &e : Child_Elements(events))
                ch.Events.push_back({channelAttribute(e, "Enable"), channelAttribute(e, "Name"), channelAttribute(e, "Position"), channelAttribute(e, "Bit")});
        }
        channels.push_back(std::move(ch));
    }
    return TChannel_File_Read::Loaded;
}
