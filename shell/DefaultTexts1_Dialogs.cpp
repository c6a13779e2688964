// New-configuration, open-configuration and options dialogs.
#include "shell/DefaultTexts1.h"

namespace default_texts {

const DefaultText kNewProject[] = {
    {100, u"Create New Configuration"},
    {101, u"Create New Configuration"},
    {102, u"Name of the new Configuration"},
    {103, u"OK"},
    {104, u"Cancel"},
    {105, u"Error! Name project is not valid"},
    {106, u"Error! Name project is not valid because directory already exists"},
    {107, u"Error! Name Project is not valid"},
    {108, u"Insert here the name of new configuration"},
    {109, u"Confirm the Name of new Configuration"},
    {110, u"Cancel the New Configuration"},
};

const DefaultText kOpenConf[] = {
    {200, u"Open Configuration"},
    {201, u"Open an Existing Configuration"},
    {202, u"List of Avaliable Configurations"},
    {203, u"OK"},
    {204, u"Cancel"},
    {205, u"Select from this list the configuration to open"},
    {206, u"Open the Selected Configuration"},
    {207, u"Cancel open of Configuration"},
};

const DefaultText kSoftOptions[] = {
    {300, u"Software Options"},
    {301, u"Software Options"},
    {302, u"Language"},
    {303, u"Connection Options"},
    {304, u"Selected Language : "},
    {305, u"Page "},
    {306, u" / "},
    {307, u"Previous"},
    {308, u"Next"},
    {309, u"Enable Internet Connection"},
    {310, u"Check Software Update at Start of Program"},
    {311, u"Check Available Update"},
    {312, u"OK"},
    {313, u"Cancel"},
    {314, u"New Version Available. Click Here for more Details"},
    {315, u"No Update Available"},
    {316, u"Do you want to change the Language from "},
    {317, u" to "},
    {318, u"?"},
    {319, u"Software Settings"},
    {320, u"Jump into next field in the tables by pressing the Enter Key"},
    {321, u"Enable Auto Size of Table Columns by Double Click"},
};

std::span<const DefaultText> New_Project_Texts() { return kNewProject; }
std::span<const DefaultText> Open_Conf_Texts() { return kOpenConf; }
std::span<const DefaultText> Soft_Options_Texts() { return kSoftOptions; }

} // namespace default_texts
