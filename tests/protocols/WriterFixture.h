#pragma once
// An open configuration in a temporary folder, a fixed clock, and the saved table files the
// description writers read, written as their windows write them.
#include "platform/Clock.h"
#include "protocols/UDescription_File.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace writers {

using Attributes = std::vector<std::pair<const char *, QString>>;

// <row a="v" .../> with the attributes in the order given.
inline QString row(const Attributes &attributes)
{
    QString s = QStringLiteral("<row");
    for (const auto &[name, value] : attributes)
        s += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), Xml_Escape(value, false));
    return s + QStringLiteral("/>");
}

// A table file: the root, its groups in order, each with its rows, then the version comment.
inline QByteArray tableFile(const char *root, const std::vector<std::pair<const char *, QStringList>> &groups,
                            const char *version = "SW_VERSION = 1.000")
{
    QString s = QStringLiteral("<%1>").arg(QLatin1String(root));
    for (const auto &[name, rows] : groups)
        s += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), rows.join(QString()));
    s += QStringLiteral("</%1><!--%2-->").arg(QLatin1String(root), QLatin1String(version));
    return s.toUtf8();
}

// "ParGen.xml" holding the elements given.
inline QByteArray parGen(const std::vector<std::pair<const char *, QString>> &elements)
{
    QString s = QStringLiteral("<Par_Gen>");
    for (const auto &[name, text] : elements) s += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), text);
    return (s + QStringLiteral("</Par_Gen><!--SW_VERSION = 1.103-->")).toUtf8();
}

inline QString goldenPath(const QString &name) { return testsupport::dataDir() + QStringLiteral("/protocols/") + name; }

// The bytes equal the golden file byte for byte (CFG_WRITE_GOLDENS=1 rewrites it).
inline void expectGolden(const QByteArray &bytes, const QString &name)
{
    if (qEnvironmentVariableIsSet("CFG_WRITE_GOLDENS")) testsupport::writeFile(goldenPath(name), bytes);
    EXPECT_EQ(testsupport::readAll(goldenPath(name)), bytes) << name.toStdString();
}

// The lines of an ANSI or UTF-8 export, checking that every line, the last one too, ends with CR LF.
inline QStringList exportLines(const QByteArray &bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    EXPECT_EQ(body.count('\n'), body.count("\r\n")) << "bare line feeds";
    QStringList lines = QString::fromLatin1(body).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

class WriterTest : public ::testing::Test {
public:
    static QDateTime at(int h, int m, int s = 0) { return QDateTime(QDate(2024, 3, 26), QTime(h, m, s)); }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Project_Name = QStringLiteral("Plant");
        Project_Path = dir.path() + QStringLiteral("/Plant");
        ASSERT_TRUE(QDir().mkpath(Project_Path));
        Set_Files();
        Load_Default_Texts();
        setTime(at(9, 5, 7));
    }
    void TearDown() override { platform::setClock({}, {}); }

    void setTime(const QDateTime &t)
    {
        platform::setClock([t] { return t; }, {});
    }
    static void put(const QString &path, const QByteArray &bytes) { testsupport::writeFile(path, bytes); }

    QTemporaryDir dir;
};

} // namespace writers
