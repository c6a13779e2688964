#pragma once
// Helpers of the protocol table tests: the format's usual reader, and rows written in one call.
#include "grid/NovaGrid.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace tabletest {

// xmllint's verdict on a file: "" when it reads it, its complaint otherwise.
inline QString xmllintComplaint(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (!p.waitForFinished(20000)) return QStringLiteral("xmllint did not finish");
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return QString();
    return QString::fromLocal8Bit(p.readAllStandardError()) + QStringLiteral(" (exit %1)").arg(p.exitCode());
}

inline bool haveXmllint() { return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty(); }

#define EXPECT_XMLLINT_READS(path)                                                                 \
    do {                                                                                           \
        if (tabletest::haveXmllint())                                                              \
            EXPECT_EQ(tabletest::xmllintComplaint(path), QString()) << (path).toStdString();       \
    } while (0)

// Cells first .. first+n-1 of one row.
inline void setRow(TNovaStringGrid &g, int row, int first, const QStringList &cells)
{
    for (int i = 0; i < cells.size(); ++i) g.SetCells(first + i, row, cells.at(i));
}

inline QStringList rowCells(TNovaStringGrid &g, int row, int first, int last)
{
    QStringList out;
    for (int c = first; c <= last; ++c) out << g.Cells(c, row);
    return out;
}

} // namespace tabletest
