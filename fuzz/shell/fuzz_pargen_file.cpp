// "ParGen.xml" from any bytes, through the window's reader: a file it takes is written again and
// must read back with the same fields; the data check runs over whatever was read.
#include "shell/ParGenCheck.h"
#include "shell/ParGenFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <pugixml.hpp>

namespace {

QTemporaryDir &work()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!work().isValid())
        return 0;
    const QString path = work().filePath(QStringLiteral("ParGen.xml"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    pugi::xml_document doc;
    TParGenData read;
    QString error;
    const TParGenLoad load = ParGen_Read(path, doc, read, &error);
    if (load == TParGenLoad::Failed) {
        if (error.isEmpty())
            __builtin_trap();  // a refused file always says why
        return 0;
    }
    (void)ParGen_Check_Slot(read, {true, true});
    (void)Check_Device_Name(read.Device_Name);

    const QString again = work().filePath(QStringLiteral("again.xml"));
    if (!ParGen_Write(read, doc, again, &error))
        return 0;
    TParGenData back;
    back.TCP_Port = read.TCP_Port;
    back.UDP_Port = read.UDP_Port;
    if (ParGen_Read(again, doc, back, &error) != TParGenLoad::Loaded || !(back == read))
        __builtin_trap();  // what the program writes, it reads back unchanged
    return 0;
}
