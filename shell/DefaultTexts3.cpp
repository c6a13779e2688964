// EtherCAT slave variable tables (3700-3766) and variable groups (3800-3829).
#include "shell/DefaultTexts.h"
#include "shell/DefaultTexts3.h"

namespace default_texts {

const DefaultText kEtherCATSlave[] = {
    // window, buttons and their hints
    {3700, u"EtherCAT Slave Set Access"},
    {3701, u"EtherCAT Slave Set Access"},
    {3702, u"OK"},
    {3703, u"Cancel"},
    {3704, u"Delete Row"},
    {3705, u"Insert Row"},
    {3706, u"Copy Row"},
    {3707, u"Paste Row"},
    {3708, u"Confirm and save the SNMP Trap List"},
    {3709, u"Exit without save the SNMP Trap List"},
    {3710, u"Delete the selected Row in the table"},
    {3711, u"Insert a Row in the Table"},
    {3712, u"Copy all Fields of the Selected Row"},
    {3713, u"Paste the Copied Fields in the Selected Row"},
    // slave-to-master headers
    {3714, u"N"},
    {3715, u"Enable"},
    {3716, u"Type"},
    {3717, u"Length"},
    {3719, u"Name"},
    {3720, u"Init Value"},
    {3721, u"Position"},
    {3722, u"Start Bit"},
    {3723, u"Mnemonic"},
    // slave-to-master hints
    {3724, u"Enable/Disable the EtherCAT Slave Variable"},
    {3725, u"Select the Type of EtherCAT Slave Variable"},
    {3726, u"Insert the Dimension in byte of EtherCAT Slave String Variable"},
    {3728, u"Insert the Name of EtherCAT Slave Variable"},
    {3729, u"Insert the Default Value of EtherCAT Slave Variable"},
    {3730, u"Internal array Position of EtherCAT Slave Variable (read only)"},
    {3731, u"Bit Start (in Internal array) of EtherCAT Slave Variable (read only)"},
    {3732, u"Insert a Description of EtherCAT Slave Variable"},
    // delete question (the row number replaces %d) and page captions
    {3733, u"Are you sure to delete the Row number %d"},
    {3734, u"Slave To Master"},
    {3735, u"Master To Slave"},
    // master-to-slave headers
    {3736, u"N"},
    {3737, u"Enable"},
    {3738, u"Type"},
    {3739, u"Length"},
    {3740, u"Name"},
    {3741, u"Position"},
    {3742, u"Start Bit"},
    {3743, u"Mnemonic"},
    // master-to-slave hints
    {3744, u"Enable/Disable the EtherCAT Slave Variable"},
    {3745, u"Select the Type of EtherCAT Slave Variable"},
    {3746, u"Insert the Dimension in byte of EtherCAT Slave String Variable"},
    {3747, u"Insert the Name of EtherCAT Slave Variable"},
    {3748, u"Internal array Position of EtherCAT Slave Variable (read only)"},
    {3749, u"Bit Start (in Internal array) of EtherCAT Slave Variable (read only)"},
    {3750, u"Insert a Description of EtherCAT Slave Variable"},
    // data check
    {3751, u"Error row "},
    {3752, u"!! [Slave to Master] Length must be beetween 1 and 255"},
    {3753, u"!! [Slave to Master] Init Value the number of characters must be even"},
    {3754, u"!! [Slave to Master] Init Value the number of byte must be equal or minor of Length"},
    {3755, u"!! [Slave to Master] Init Value one or more characters is not admited. Use 0..9 and A..F"},
    {3756, u"!! [Slave to Master] Length must be beetween 1 and 255"},
    {3757, u"!! [Slave to Master] Init Value the dimension of string must be equal or minor of Length"},
    {3758, u"!! [Master to Slave] Length must be beetween 1 and 255"},
    // Group headers and hints
    {3759, u"Group"},
    {3760, u"Group"},
    {3761, u"Select the Group of EtherCAT Slave Variable"},
    {3762, u"Select the Group of EtherCAT Slave Variable"},
    // import button, its question and the full-table warning
    {3763, u"Import IO Link"},
    {3764, u"Import the EtherCAT Rules directly from IO-Link configuration"},
    {3765, u"This Operation delete all the rules inserted in tables. Do you want to Continue?"},
    {3766, u"Warning!! The table is full: the import stopped at row 256"},
};

const DefaultText kEtherCATSlaveGroup[] = {
    // window, buttons, their hints and the page captions
    {3800, u"EtherCAT Slave Set Group"},
    {3801, u"EtherCAT Slave Set Group"},
    {3802, u"OK"},
    {3803, u"Cancel"},
    {3804, u"Delete Row"},
    {3805, u"Insert Row"},
    {3806, u"Copy Row"},
    {3807, u"Paste Row"},
    {3808, u"Confirm and save the EtherCAT Slave Group List"},
    {3809, u"Exit without save the EtherCAT Slave Group List"},
    {3810, u"Delete the selected Row in the table"},
    {3811, u"Insert a Row in the Table"},
    {3812, u"Copy all Fields of the Selected Row"},
    {3813, u"Paste the Copied Fields in the Selected Row"},
    {3814, u"Slave To Master"},
    {3815, u"Master To Slave"},
    // headers
    {3816, u"N"},
    {3817, u"Group Name"},
    {3818, u"Mnemonic"},
    {3819, u"N"},
    {3820, u"Group Name"},
    {3821, u"Mnemonic"},
    // delete question (the row number replaces %d)
    {3822, u"Are you sure to delete the Row number %d"},
    // Num Variables headers
    {3823, u"Num Variables"},
    {3824, u"Num Variables"},
    // data check
    {3825, u"Error row "},
    {3826, u"!! [Slave to Master] Num Variables must be beetween 1 and 256"},
    {3827, u"Error!! [Slave to Master] Num Variables in total must be minor or equal to 256"},
    {3828, u"!! [Master to Slave] Num Variables must be beetween 1 and 256"},
    {3829, u"Error!! [Master to Slave] Num Variables in total must be minor or equal to 256"},
};

std::span<const DefaultText> EtherCAT_Slave_Texts() { return kEtherCATSlave; }
std::span<const DefaultText> EtherCAT_Slave_Group_Texts() { return kEtherCATSlaveGroup; }

const std::vector<DefaultTextBlock> &Blocks_3()
{
    static const std::vector<DefaultTextBlock> blocks = {
        {"EtherCAT slave variables", 3700, 3799, EtherCAT_Slave_Texts()},
        {"EtherCAT variable groups", 3800, 3899, EtherCAT_Slave_Group_Texts()},
    };
    return blocks;
}

} // namespace default_texts

// Slots 3700-3899; the other slots are untouched.
void Load_Default_Texts_3(QStringList &texts)
{
    default_texts::Fill_Default_Texts(texts, default_texts::Blocks_3());
}
