// PROFINET GSDML file-name dialog and the GSDML writer's overwrite question, slots 1800-1811.
#include "shell/DefaultTexts2.h"

namespace default_texts {

const DefaultText kProfinetFileName[] = {
    // dialog, its buttons, labels and hints
    {1800, u"PROFINET XML File Name"},
    {1801, u"Create the PROFINET XML GSD File"},
    {1802, u"OK"},
    {1803, u"Cancel"},
    {1804, u"Select the PROFINET XML File Name"},
    {1805, u"Fixed Part"},
    {1806, u"User Part"},
    {1807, u"Fixed Part"},
    {1808, u"Insert here the User part of GSDML file"},
    {1809, u"Confirm and save the GSDML File"},
    {1810, u"Exit without save the GSDML File"},
    // overwrite question of the GSDML writer
    {1811, u"File already exists! Do you want to overwrite the file?"},
};

std::span<const DefaultText> Profinet_File_Name_Texts() { return kProfinetFileName; }

} // namespace default_texts
