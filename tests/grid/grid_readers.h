#pragma once
// Independent readers of what the grid writes: Python's csv module and command-line tools, run as
// separate processes. A missing reader makes its caller skip, never fail.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace gridreaders {

inline QString tool(const QString &name) { return QStandardPaths::findExecutable(name); }
// The system's Python first: the readers of the Debian packages (lxml, html5lib) live there.
inline QString python()
{
    const QString system = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? tool(QStringLiteral("python3")) : system;
}
// True when Python can import the module.
inline bool pythonHas(const char *module)
{
    if (python().isEmpty())
        return false;
    QProcess p;
    p.start(python(), {QStringLiteral("-c"), QStringLiteral("import ") + QLatin1String(module)});
    p.waitForFinished(30000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Runs a program with the given standard input; its standard output. The call fails the test when
// the program does not end with 0.
inline QByteArray run(const QString &program, const QStringList &args, const QByteArray &input = {},
                      QByteArray *errors = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    const QByteArray err = p.readAllStandardError();
    if (errors)
        *errors = err;
    else
        EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << err.toStdString();
    return p.readAllStandardOutput();
}

inline QString runPython(const QString &script, const QStringList &args, const QByteArray &input = {})
{
    return QString::fromUtf8(run(python(), QStringList{QStringLiteral("-c"), script} + args, input));
}

// The rows Python's csv module reads from a text in the given dialect, as JSON.
inline QString pythonCsvRows(const QByteArray &utf8, const QString &dialect)
{
    return runPython(QStringLiteral("import csv,sys,io,json\n"
                                    "text=sys.stdin.buffer.read().decode('utf-8-sig')\n"
                                    "print(json.dumps(list(csv.reader(io.StringIO(text, newline=''), dialect=sys.argv[1]))))\n"),
                     {dialect}, utf8)
        .trimmed();
}

} // namespace gridreaders
