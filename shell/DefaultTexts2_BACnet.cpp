// BACnet object tables (2100-2160) and the engineering-unit picker (2200-2208).
#include "shell/DefaultTexts2.h"

namespace default_texts {

const DefaultText kBACnetSetAccess[] = {
    // window, buttons, tab captions and button hints
    {2100, u"BACnet Set Access"},
    {2101, u"BACnet Set Access"},
    {2102, u"OK"},
    {2103, u"Cancel"},
    {2104, u"Delete Row"},
    {2105, u"Insert Row"},
    {2106, u"Copy Row"},
    {2107, u"Paste Row"},
    {2108, u"BACnet in Read"},
    {2109, u"BACnet in Write"},
    {2110, u"Confirm and save the SNMP Trap List"},
    {2111, u"Exit without save the SNMP Trap List"},
    {2112, u"Delete the selected Row in the table"},
    {2113, u"Insert a Row in the Table"},
    {2114, u"Copy all Fields of the Selected Row"},
    {2115, u"Paste the Copied Fields in the Selected Row"},
    // read table headers
    {2116, u"N"},
    {2117, u"Data Type"},
    {2118, u"Eng. Unit"},
    {2119, u"Position"},
    {2120, u"Start Bit"},
    {2121, u"Length"},
    {2122, u"Swap"},
    {2123, u"Mnemonic"},
    // write table headers
    {2124, u"N"},
    {2125, u"Data Type"},
    {2126, u"Eng. Unit"},
    {2127, u"Position"},
    {2128, u"Start Bit"},
    {2129, u"Length"},
    {2130, u"Swap"},
    {2131, u"Mnemonic"},
    // data check and delete question
    {2132, u"Error row "},
    {2133, u"!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
    {2134, u"!! [BACnet in Read] Position must be between 0 and "},
    {2135, u"!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"},
    {2136, u"!! [BACnet in Read] Length with variable \"Positive Integer Value\" must be between 1 and 4"},
    {2137, u"!! [BACnet in Read] Length with variable \"Large Analog Value\" must be between 1 and 8"},
    {2138, u"!! [BACnet in Read] Length with variable \"Analog Value\" must be between 1 and 4"},
    {2139, u"!! [BACnet in Read] Length with variable \"Multi State Input\" must be between 1 and 4"},
    {2140, u"!! [BACnet in Read] Length with variable \"Multi State Value\" must be between 1 and 4"},
    {2141, u"!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"},
    {2142, u"!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
    {2143, u"!! [BACnet in Read] Length with variable \"Access Door\" must be equal to 1"},
    {2144, u"!! [BACnet in Read] Length with variable \"Accumulator\" must be between 1 and 4"},
    {2145, u"!! [BACnet in Read] Bit must be between 0 and 7"},
    {2146, u"!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
    {2147, u"!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
    {2148, u"!! [BACnet in Write] Position must be between 0 and "},
    {2149, u"!! [BACnet in Write] Length with variable \"Analog Out\" must be between 1 and 4"},
    {2150, u"!! [BACnet in Write] Length with variable \"Analog Value\" must be between 1 and 4"},
    {2151, u"!! [BACnet in Write] Length with variable \"Positive Integer Value\" must be between 1 and 4"},
    {2152, u"!! [BACnet in Write] Length with variable \"Large Analog Value\" must be between 1 and 8"},
    {2153, u"!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
    {2154, u"!! [BACnet in Write] Length with variable \"Multi State Output\" must be between 1 and 4"},
    {2155, u"!! [BACnet in Write] Length with variable \"Multi State Value\" must be between 1 and 4"},
    {2156, u"!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
    {2157, u"!! [BACnet in Write] Bit must be between 0 and 7"},
    {2158, u"!! [BACnet in Write] Too many bytes to save starting from the Position indicate"},
    {2159, u"Error!! Too many Requests. Max requests "},
    {2160, u"Are you sure to delete the Row number "},
};

const DefaultText kBACnetEngUnit[] = {
    // window, buttons and labels
    {2200, u"Select the BACnet Engineering Unit"},
    {2201, u"Select the BACnet Engineering Unit"},
    {2202, u"OK"},
    {2203, u"Cancel"},
    {2204, u"Selected BACnet Engineering Unit"},
    {2205, u"Select a New BACnet Engineering Unit"},
    {2206, u"Select the Type"},
    {2207, u"Select Unit"},
    {2208, u"Select Engineering Unit"},
};

std::span<const DefaultText> BACnet_Set_Access_Texts() { return kBACnetSetAccess; }
std::span<const DefaultText> BACnet_Eng_Unit_Texts() { return kBACnetEngUnit; }

} // namespace default_texts
