// Database import: the result of a query on a database file fills the grid, the field names
// in the last fixed row. SQLite files stand in for the database files of the original driver.
#include "grid/NovaGrid.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Each import opens its own named connection and removes it afterwards.
class TImportConnection {
public:
    explicit TImportConnection(const QString &filename)
    {
        static QAtomicInt counter;
        m_name = QStringLiteral("grid-import-%1").arg(counter.fetchAndAddRelaxed(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(filename);
        // A missing file must not be created as an empty database.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!QFileInfo::exists(filename) || !db.open())
            throw ENovaGridError(QStringLiteral("Database %1 could not be opened").arg(filename));
    }
    ~TImportConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

} // namespace

void TNovaStringGrid::LoadFromMDBSQL(const QString &Filename, const QString &SQL)
{
    TImportConnection connection(Filename);
    {
        QSqlQuery records(connection.db());
        records.setForwardOnly(true);
        if (!records.exec(SQL))
            throw ENovaGridError(records.lastError().text());
        const QSqlRecord fields = records.record();
        const int n = fields.count();
        SetColCount(n + FixedCols());
        if (FixedRows() > 0)
            for (int i = 0; i < n; ++i)
                SetCells(i + FixedCols(), FixedRows() - 1, fields.fieldName(i));
        // The driver reports no record count (-1): the count stays and grows while reading.
        if (records.size() > 0)
            SetRowCount(FixedRows() + records.size());
        int row = FixedRows();
        while (records.next()) {
            if (row >= RowCount())
                SetRowCount(RowCount() + 1);
            for (int i = 0; i < n; ++i) {
                const QVariant v = records.value(i);
                const QString text = v.isNull() ? QString() : v.toString();
                LoadCellText(i + FixedCols(), row, text);
            }
            ++row;
        }
    }
}

void TNovaStringGrid::LoadFromMDBTable(const QString &Filename, const QString &Table)
{
    // The name is quoted as an identifier so that no table name can change the statement.
    QString quoted = Table;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    LoadFromMDBSQL(Filename, QStringLiteral("SELECT * FROM \"") + quoted + QLatin1Char('"'));
}
