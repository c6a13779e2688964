// "Fabricor.xml" from any bytes, through the start-up reader: a file it takes is written again by
// the closing code and must read back with the same settings.
#include "shell/UComon.h"
#include "shell/USettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir &work()
{
    static QTemporaryDir dir;
    static const bool ready = [] {
        Init_Program_Dirs(dir.path());
        return true;
    }();
    (void)ready;
    return dir;
}

struct Settings {
    QString project, ip, language;
    bool internet, update, jump, autosize;
    static Settings now()
    {
        return {Project_Name, Last_IP_Address, Language_Name, Opt_Enable_Internet, Opt_Enable_Update,
                Opt_Enable_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
    }
    bool operator==(const Settings &) const = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!work().isValid())
        return 0;
    {
        QFile f(Settings_File_Path());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QString error;
    const SettingsRead read = Read_Settings(&error);
    if (read == SettingsRead::Malformed) {
        if (error.isEmpty())
            __builtin_trap();  // a refused file always says why
        return 0;
    }
    const Settings first = Settings::now();
    if (!Write_Settings(&error))
        return 0;
    if (Read_Settings(&error) != SettingsRead::Read || !(Settings::now() == first))
        __builtin_trap();  // what the program writes, it reads back unchanged
    return 0;
}
