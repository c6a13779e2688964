// MQTT topic table (3300-3398) and its topic template editor (3400-3408).
#include "shell/DefaultTexts2.h"

namespace default_texts {

const DefaultText kMQTTSetTopic[] = {
    // window, buttons and their hints
    {3300, u"Set MQTT Topics"},
    {3301, u"Set MQTT Topics"},
    {3302, u"OK"},
    {3303, u"Cancel"},
    {3304, u"Delete Row"},
    {3305, u"Insert Row"},
    {3306, u"Copy Row"},
    {3307, u"Paste Row"},
    {3308, u"Confirm and save the MQTT Set Topics List"},
    {3309, u"Exit without save the MQTT Set Topics List"},
    {3310, u"Delete the Selected Row in the table"},
    {3311, u"Insert a Row in the Table"},
    {3312, u"Copy all Fields of the Selected Row"},
    {3313, u"Paste the Copied Fields in the Selected Row"},
    // publish table: first headers and hints
    {3314, u"N"},
    {3315, u"Topic"},
    {3316, u"Retained"},
    {3317, u"QoS"},
    {3318, u"Mnemonic"},
    {3319, u"Insert the MQTT Topic"},
    {3320, u"Enable/Disabel the Retained value"},
    {3321, u"Select the QoS value"},
    {3322, u"Description of MQTT Topic"},
    // delete question
    {3323, u"Are you sure to delete the Row number "},
    // subscribe table: first headers and hints
    {3324, u"N"},
    {3325, u"Topic"},
    {3326, u"Retained"},
    {3327, u"QoS"},
    {3328, u"Mnemonic"},
    {3329, u"Insert the MQTT Topic"},
    {3330, u"Enable/Disabel the Retained value"},
    {3331, u"Select the QoS value"},
    {3332, u"Description of MQTT Topic"},
    // tab captions
    {3333, u"MQTT Publish"},
    {3334, u"MQTT Subscribe"},
    // Template, Data Type, Dimension and Position headers and hints
    {3335, u"Template"},
    {3336, u"Insert the Template"},
    {3337, u"Data Type"},
    {3338, u"Dimension"},
    {3339, u"Position"},
    {3340, u"Select the Type Data of Value (Int or Float or String)"},
    {3341, u"Insert the Dimension of Value"},
    {3342, u"Insert the Index of Internal Data Array"},
    {3343, u"Data Type"},
    {3344, u"Dimension"},
    {3345, u"Position"},
    {3346, u"Template"},
    {3347, u"Select the Type Data of Value (Int or Float or String)"},
    {3348, u"Insert the Dimension of Value"},
    {3349, u"Insert the Index of Internal Data Array"},
    {3350, u"Insert the Template"},
    // data check
    {3351, u"Error row "},
    {3352, u"!! [MQTT Publish] Data Type must be selected"},
    {3353, u"!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
    {3354, u"!! [MQTT Publish] Dimension must be equal to 4 or 8"},
    {3355, u"!! [MQTT Publish] Dimension must be major of 0"},
    {3356, u"!! [MQTT Publish] Position must be beetween 0 and "},
    {3357, u"!! [MQTT Subscribe] Data Type must be selected"},
    {3358, u"!! [MQTT Subscribe] Dimension must be equal to 1 or 2 or 4 or 8"},
    {3359, u"!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
    {3360, u"!! [MQTT Subscribe] Dimension must be major of 0"},
    {3361, u"!! [MQTT Subscribe] Position must be beetween 0 and "},
    // IP Address, Input Template, Port and Type headers and hints
    {3362, u"IP Address"},
    {3363, u"Input Template"},
    {3364, u"Insert the IP Address of Device that Send the Message"},
    {3365, u"Insert the Input Template of Ethernet Message"},
    {3366, u"IP Address"},
    {3367, u"Port"},
    {3368, u"Type"},
    {3369, u"Input Template"},
    {3370, u"Insert the IP Address of Device Where to Send the Ethernet Message"},
    {3371, u"Insert the Port of Device Where to Send the Ethernet Message"},
    {3372, u"Select the Type of Ethernet Message (TCP or UDP)"},
    {3373, u"Insert the Input Template of MQTT Message"},
    // template checks
    {3378, u"!! [MQTT Publish] Template not Correct, Check the Keywords"},
    {3380, u"!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
    // OnChange, OnCMD, OnTimer, Time(ms), Channel and Swap headers, hints and the timer check
    {3381, u"OnChange"},
    {3382, u"Enable/Disabel the Possibility to Publish the Data at the Exchange of Value"},
    {3383, u"OnCMD"},
    {3384, u"OnTimer"},
    {3385, u"Time(ms)"},
    {3386, u"Enable/Disabel the Possibility to Publish the Data at Command"},
    {3387, u"Enable/Disabel the Possibility to Publish the Data at Timer"},
    {3388, u"Insert then Timer in milliseconds between two Publish"},
    {3389, u"!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
    {3390, u"Channel"},
    {3391, u"Select the DALI Channel for the Topic"},
    {3393, u"Swap"},
    {3394, u"Swap Word"},
    {3395, u"Enable/Disabel the Possibility to Swap the byte in Modbus Register"},
    {3396, u"Enable/Disabel the Possibility to Swap the Word for Modbus Register"},
    {3397, u"Enable/Disabel the Possibility to Swap the byte in Modbus Register"},
    {3398, u"Enable/Disabel the Possibility to Swap the Word for Modbus Register"},
};

const DefaultText kTopicTemplate[] = {
    // captions for a topic and for a template, legend and buttons
    {3400, u"Set Topic"},
    {3401, u"Set Template"},
    {3402, u"Set Topic"},
    {3403, u"Set Template"},
    {3404, u"List of keywords"},
    {3405, u"Keyword"},
    {3406, u"Description of Keyword"},
    {3407, u"OK"},
    {3408, u"Cancel"},
};

std::span<const DefaultText> MQTT_Set_Topic_Texts() { return kMQTTSetTopic; }
std::span<const DefaultText> Topic_Template_Texts() { return kTopicTemplate; }

} // namespace default_texts
