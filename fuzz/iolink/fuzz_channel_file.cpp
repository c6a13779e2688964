// "IOLink_SetAccess.xml" from any bytes, through the channel table's loader, with two IODDs in the
// configuration and the standard definitions present or missing (the size picks). A file the table
// takes is checked, written again, and must read back into a table that writes the same bytes.
#include "iolink/UIO_Link_Channels.h"
#include "platform/Xml.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

QString fixture(const char *name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../tests/data/iodd/")
           + QLatin1String(name);
}

// The real standard definitions when tools/fuzz.sh names their folder, else the small fixtures.
QString standardDir()
{
    const QString env = qEnvironmentVariable("CFG_FUZZ_STANDARD_DIR");
    return (env.isEmpty() ? fixture("std") : QDir(env).absolutePath()) + QLatin1Char('/');
}

struct Program {
    QTemporaryDir dir;
    QString withStandard, withoutStandard;
    Program()
    {
        Init_Program_Dirs(dir.path());
        Load_Default_Texts();
        Project_Path = Projects_Dir + QStringLiteral("/P");
        QDir().mkpath(Project_Path + QStringLiteral("/IODD"));
        Set_Files();
        QFile::copy(fixture("Test-Device-IODD1.1.xml"), Project_Path + QStringLiteral("/IODD/dev.xml"));
        QFile::copy(fixture("Small-Device-IODD1.1.xml"), Project_Path + QStringLiteral("/IODD/small.xml"));
        withStandard = standardDir();
        withoutStandard = IOLink_StaDef_Dir;  // created empty, as in a fresh installation
    }
};

Program &program()
{
    static Program p;
    return p;
}

void quiet(TIOLink_Channel_Table &t)
{
    t.Report = [](TIOLink_Channel_Table::MsgKind, const QString &) {};
}

void writeFile(const QString &path, const char *data, qsizetype size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Program &p = program();
    if (!p.dir.isValid())
        return 0;
    IOLink_StaDef_Dir = size % 2 ? p.withoutStandard : p.withStandard;
    writeFile(IOLink_SetAccess_File, reinterpret_cast<const char *>(data), qsizetype(size));

    TIOLink_Channel_Table table;
    quiet(table);
    if (!table.Create_Channels())
        return 0;
    QString error;
    if (!table.Load_Configuration(&error)) {
        // A file the table could not read is never saved over.
        if (error.isEmpty() || table.Save_Configuration())
            __builtin_trap();
        return 0;
    }
    (void)table.Check_Configuration();
    table.Add_Name_to_Configuration();
    const QByteArray saved = table.Configuration_Xml();
    platform::XmlFile check;
    if (!check.loadBytes(saved, QStringLiteral("saved")))
        __builtin_trap();  // every file the table writes is XML its reader takes

    writeFile(IOLink_SetAccess_File, saved.constData(), saved.size());
    TIOLink_Channel_Table again;
    quiet(again);
    if (!again.Create_Channels() || !again.Load_Configuration(&error))
        __builtin_trap();
    again.Add_Name_to_Configuration();
    if (again.Configuration_Xml() != saved)
        __builtin_trap();  // a saved table reads back as it was
    return 0;
}
