#pragma once
// The formats' usual readers, run over written files: Python's csv module (EDE), configparser with
// a small object checker (EDS), net-snmp's snmptranslate and libsmi's smilint over stand-in base
// modules (MIB), xmllint and ElementTree (ESI, GSDML). A test skips when its reader is missing.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace consumers {

struct ToolRun {
    int code = -1;
    QString out, err;
};

inline ToolRun run(const QString &program, const QStringList &args,
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(), const QByteArray &input = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForStarted(10000)) return r;
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Declares `tool`, the reader's path, or skips the test when it is not installed.
#define NEED_TOOL(name)                                                                       \
    const QString tool = QStandardPaths::findExecutable(QStringLiteral(name));              \
    if (tool.isEmpty()) GTEST_SKIP() << name " is not installed"

// EDE: one line per row read, its field count and the fields joined by "|".
inline const char *const kCsvFields = R"(
import csv, sys
with open(sys.argv[1], encoding='cp1252', newline='') as f:
    for row in csv.reader(f, delimiter=';'):
        print(len(row), '|'.join(row))
)";

// EDS: one line per file named: "OK <sections>", what is wrong, or the parser's refusal.
inline const char *const kEdsChecker = R"(
import configparser, re, sys
def check(path):
    p = configparser.ConfigParser(strict=True, interpolation=None)
    p.optionxform = str
    try:
        p.read(path, encoding='cp1252')
    except configparser.Error as e:
        return '%s %s' % (type(e).__name__, getattr(e, 'section', ''))
    bad = []
    for s in p.sections():
        if 'SubNumber' in p[s]:
            subs = [t for t in p.sections() if re.fullmatch(re.escape(s) + 'sub[0-9A-F]+', t)]
            if int(p[s]['SubNumber']) != len(subs):
                bad.append('%s SubNumber %s, %d sub-sections' % (s, p[s]['SubNumber'], len(subs)))
    for listing in ('MandatoryObjects', 'OptionalObjects', 'ManufacturerObjects'):
        n = int(p[listing]['SupportedObjects'])
        for i in range(1, n + 1):
            obj = p[listing][str(i)][2:]
            if obj not in p:
                bad.append('%s lists %s without a section' % (listing, obj))
        if str(n + 1) in p[listing]:
            bad.append('%s lists more than %d' % (listing, n))
    return '; '.join(bad) if bad else 'OK %d sections' % len(p.sections())
for path in sys.argv[1:]:
    print(check(path))
)";

// ESI: the Name of every Entry, in file order, joined by "|".
inline const char *const kEsiEntryNames = "import sys, xml.etree.ElementTree as E\n"
                                          "print('|'.join(e.find('Name').text for e in E.parse(sys.argv[1]).iter('Entry')"
                                          " if e.find('Name') is not None))";

// MIB: folder holds the module as "GATEWAY.txt" beside the stand-in base modules.
inline void putMibFolder(const QString &folder, const QByteArray &module)
{
    QDir().mkpath(folder);
    for (const char *base : {"SNMPv2-SMI", "SNMPv2-TC", "RFC1155-SMI"}) {
        QFile::remove(folder + "/" + base);
        EXPECT_TRUE(QFile::copy(testsupport::dataDir() + "/protocols/mibs/" + base, folder + "/" + base));
    }
    testsupport::writeFile(folder + "/GATEWAY.txt", module);
}

// snmptranslate's environment: its own persistent folder (else it reports creating one), no other modules.
inline QProcessEnvironment snmpEnvironment(const QString &persistentDir)
{
    QDir(persistentDir).mkpath("cert_indexes");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SNMP_PERSISTENT_DIR", persistentDir);
    env.remove("MIBS");
    env.remove("MIBDIRS");
    return env;
}

} // namespace consumers
