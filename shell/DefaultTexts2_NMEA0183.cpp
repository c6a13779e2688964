// NMEA 0183 listener (3500-3530) and sentence field (3600-3645) windows.
#include "shell/DefaultTexts2.h"

namespace default_texts {

const DefaultText kNMEA0183Listener[] = {
    // window, buttons and their hints
    {3500, u"Definition of NMEA 0183 Sentences"},
    {3501, u"Definition of NMEA 0183 Sentences"},
    {3502, u"OK"},
    {3503, u"Cancel"},
    {3504, u"Delete Row"},
    {3505, u"Insert Row"},
    {3506, u"Copy Row"},
    {3507, u"Paste Row"},
    {3508, u"Confirm and save the Transmit CAN Frames List"},
    {3509, u"Exit without save the Transmit CAN Frames List"},
    {3510, u"Delete the selected Row in the table"},
    {3511, u"Insert a Row in the Table"},
    {3512, u"Copy all Fields of the Selected Row"},
    {3513, u"Paste the Copied Fields in the Selected Row"},
    // headers
    {3514, u"N"},
    {3515, u"Enable"},
    {3516, u"Sentence"},
    {3517, u"Serial Channel"},
    {3518, u"Mnemonic"},
    // hints
    {3519, u"Enable or Disable the Rule for NMEA 0183"},
    {3520, u"Select the Sentence to convert"},
    {3521, u"Select the Serial Port used for the Sentence"},
    {3522, u"Insert a description of NMEA 0183 Sentence"},
    // data check and delete question
    {3523, u"Error row "},
    {3524, u"!! Sentence must be valid. Select from List"},
    {3525, u"!! Serial Channel must be valid. Select from List"},
    {3526, u"!! Sentence and Serial Channel cannot be equal. See rows "},
    {3527, u"Are you sure to delete the Row number "},
    // Index column and its check
    {3528, u"Index"},
    {3529, u"Insert the Index of Sentence, between 1 and 10"},
    {3530, u"!! Index Must be Between 1 and 10"},
};

const DefaultText kNMEA0183Sentences[] = {
    // window, buttons and their hints
    {3600, u"Definition of NMEA 0183 Sentences"},
    {3601, u"Definition of NMEA 0183 Sentences"},
    {3602, u"OK"},
    {3603, u"Cancel"},
    {3604, u"Delete Row"},
    {3605, u"Insert Row"},
    {3606, u"Copy Row"},
    {3607, u"Paste Row"},
    {3608, u"Confirm and save the SNMP Trap List"},
    {3609, u"Exit without save the SNMP Trap List"},
    {3610, u"Delete the selected Row in the table"},
    {3611, u"Insert a Row in the Table"},
    {3612, u"Copy all Fields of the Selected Row"},
    {3613, u"Paste the Copied Fields in the Selected Row"},
    // headers
    {3614, u"N"},
    {3615, u"Enable"},
    {3616, u"Serial Channel"},
    {3617, u"Sentence"},
    {3618, u"Data Field"},
    {3619, u"Post Ope"},
    {3620, u"Swap All"},
    {3621, u"Swap 16"},
    {3622, u"Position"},
    {3623, u"Mnemonic"},
    // hints
    {3624, u"Enable/Disable the Row with NMEA 0183 Sentence"},
    {3625, u"Select the Serial to Use to Receive the NMEA 0183 Sentence"},
    {3626, u"Select the NMEA 0183 Sentence to Receive"},
    {3627, u"Select the Data Field to Save"},
    {3628, u"Select the Post Operation to Apply to the Data Field"},
    {3629, u"Enable/Disable the Possibility to Swap the Bytes of Data Field"},
    {3630, u"Enable/Disable the Possibility to Swap the Word of Data Field"},
    {3631, u"Insert the Position of Array where to Save the Data Field"},
    {3632, u"Insert a Description of NMEA 0183 Sentence"},
    // data check and delete question
    {3633, u"Error row "},
    {3635, u"!! Sentence Must be Selected"},
    {3636, u"!! Data Field Must be Selected"},
    {3637, u"!! Post Operation Must be Selected"},
    {3638, u"!! Position Must be Between 0 and "},
    {3639, u"Are you sure to delete the Row number "},
    // Index column and its checks
    {3640, u"Index"},
    {3641, u"Insert the index of Position in Sentence"},
    {3642, u"!! Index Must be Between 1 and 10"},
    {3643, u"!! Index Must be Between 1 and 50"},
    {3644, u"!! Index Must be Between 1 and 36"},
    {3645, u"!! Index Must be Between 1 and 9"},
};

std::span<const DefaultText> NMEA0183_Listener_Texts() { return kNMEA0183Listener; }
std::span<const DefaultText> NMEA0183_Sentence_Texts() { return kNMEA0183Sentences; }

} // namespace default_texts
