// IO-Link channel table, second block (slots 1700-1737): I/O options, events and the checks.
#include "shell/DefaultTexts1.h"

namespace default_texts {

const DefaultText kIOLinkSetAccess2[] = {
    {1700, u"Error in Channel #%.2d!! Must Select an IODD file for use this channel"},
    {1701, u"Error in Channel #%.2d!! I/O Options, Pin 2, Position must be a valid value [0..%4d]"},
    {1702, u"Error in Channel #%.2d!! I/O Options, Pin 2, Start Bit must be a valid value [0..7]"},
    {1703, u"Error in Channel #%.2d!! I/O Options, Pin 4, Position must be a valid value [0..%4d]"},
    {1704, u"Error in Channel #%.2d!! I/O Options, Pin 4, Start Bit must be a valid value [0..7]"},
    {1705, u"Error in Channel #%.2d!! ProcessData In Position must start at index #%.2d!"},
    {1706, u"Error in Channel #%.2d!! ProcessData Out Position must start at index #%.2d!"},
    {1707, u"Error!! Too many bytes used in ProcessData In (#%.2d)"},
    {1708, u"Error!! Too many bytes used in ProcessData Out (#%.2d)"},
    // I/O options tab
    {1709, u"I/O Options"},
    {1710, u"Name"},
    {1711, u"Access"},
    {1712, u"Position"},
    {1713, u"Start Bit"},
    {1714, u"Invert"},
    {1715, u"Menmonic"},
    // events tab
    {1716, u"Events"},
    {1717, u"Enable"},
    {1718, u"Code"},
    {1719, u"Name"},
    {1720, u"Type"},
    {1721, u"TimeOut"},
    {1722, u"Position"},
    {1723, u"Start Bit"},
    {1724, u"Menmonic"},
    {1725, u"Error in Channel #%.2d!! Event Code %s, TimeOut must be beetwen 0 and 100000000"},
    {1726, u"Error in Channel #%.2d!! Event Code %s, Position must be a valid value [0..%4d]"},
    {1727, u"Error in Channel #%.2d!! Position of Variable Index %s and SubIndex %s must be a valid value, better if major of 512"},
    {1728, u"Warning in Channel #%.2d!! Position of Variable Index %s and SubIndex %s must be a valid value, should be major of 512"},
    {1729, u"Read Time"},
    {1730, u"Error in Channel #%.2d!! Read Time of Variable Index %s and SubIndex %s must be between 0 and 65535"},
    {1731, u"TimeOut"},
    {1732, u"Error in Channel #%.2d!! TimeOut must be between 0 and 65000 seconds"},
    {1733, u"Input Type"},
    {1734, u"Read Pos"},
    {1735, u"Error in Channel #%.2d!! Read Position of Variable Index %s and SubIndex %s must be a valid value, better if major of 512"},
    {1736, u"Warning in Channel #%.2d!! Read Position of Variable Index %s and SubIndex %s must be a valid value, should be major of 512"},
    {1737, u"Read Start Bit"},
};

std::span<const DefaultText> IOLink_Set_Access_Texts_2() { return kIOLinkSetAccess2; }

} // namespace default_texts
