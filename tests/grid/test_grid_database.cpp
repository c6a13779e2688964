// Database import from SQLite files: field names in the last fixed row, values through the cell
// loading hook, empty and NULL values, a query without records, quoted table names.
#include "grid/NovaGrid.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DbFixture : ::testing::Test {
    QTemporaryDir dir;
    QString file;
    void SetUp() override
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            GTEST_SKIP() << "the SQLite driver of Qt is not installed";
        file = dir.filePath(QStringLiteral("ports.db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (const char *sql : {
                     "CREATE TABLE ports (name TEXT, value INTEGER, note TEXT)",
                     "INSERT INTO ports VALUES ('Port 1', 10, 'ok')",
                     "INSERT INTO ports VALUES ('Port 2', NULL, '')",
                     "INSERT INTO ports VALUES ('Port 3', 30, 'line')",
                     "CREATE TABLE empty (a TEXT, b TEXT)",
                     "CREATE TABLE \"odd \"\"name\" (x TEXT)",
                     "INSERT INTO \"odd \"\"name\" VALUES ('found')",
                 })
                ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }
};

// Records what reaches the loading hook.
struct LoadGrid : TNovaStringGrid {
    int loads = 0;
    void LoadCellText(int ACol, int ARow, const QString &Value) override
    {
        ++loads;
        TNovaStringGrid::LoadCellText(ACol, ARow, Value);
    }
};

} // namespace

TEST_F(DbFixture, TableFillsTheGridWithNamesInTheLastFixedRow)
{
    LoadGrid g;
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    g.SetRowCount(2);
    g.LoadFromMDBTable(file, QStringLiteral("ports"));
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.RowCount(), 4) << "the rows grow while reading";
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("name"));
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("note"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Port 1"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("10"));
    EXPECT_EQ(g.Cells(2, 2), QString()) << "NULL reads as an empty text";
    EXPECT_EQ(g.Cells(3, 2), QString());
    EXPECT_EQ(g.Cells(3, 3), QStringLiteral("line"));
    EXPECT_EQ(g.loads, 9);
}

TEST_F(DbFixture, QueryWithoutRecordsSetsTheColumnsAndKeepsTheRows)
{
    LoadGrid g;
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    g.SetRowCount(5);
    g.LoadFromMDBSQL(file, QStringLiteral("SELECT * FROM empty"));
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("a"));
    EXPECT_EQ(g.loads, 0);
}

TEST_F(DbFixture, TableNamesAreQuotedAndErrorsAreReported)
{
    LoadGrid g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.LoadFromMDBTable(file, QStringLiteral("odd \"name"));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("found"));

    // A name that tries to end the statement is just a table that does not exist.
    EXPECT_THROW(g.LoadFromMDBTable(file, QStringLiteral("ports; DROP TABLE ports")), ENovaGridError);
    g.LoadFromMDBTable(file, QStringLiteral("ports"));
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("Port 3"));

    const QString missing = dir.filePath(QStringLiteral("none.db"));
    EXPECT_THROW(g.LoadFromMDBSQL(missing, QStringLiteral("SELECT 1")), ENovaGridError);
    EXPECT_FALSE(QFile::exists(missing)) << "a missing file is not created";
}
