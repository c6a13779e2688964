// The exchange with the real office: one headless office for the tests that attach to a running
// one, private offices for the reads that start their own. Files written are read back through
// the office's CSV export. Skipped where the office is not installed.
#include "grid/NovaGrid.h"
#include "grid/UnoOffice.h"
#include "grid/UnoOfficeConnection.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFramesSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

using namespace com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using namespace unooffice;

namespace {

// The office the tests share, as a user's running office would be.
struct SharedOffice : ::testing::Environment {
    static inline std::unique_ptr<TOfficeProcess> process;
    static inline QString reason;
    static QString pipe() { return QStringLiteral("nova_test_%1").arg(QCoreApplication::applicationPid()); }
    void SetUp() override
    {
        if (!TUnoOffice::Available()) {
            reason = QStringLiteral("office not available");
            return;
        }
        process = TOfficeProcess::Start(pipe(), reason);
    }
    void TearDown() override { process.reset(); }
};
const auto *const registered = ::testing::AddGlobalTestEnvironment(new SharedOffice);

struct Office : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TUnoOffice> link;
    Reference<frame::XDesktop2> desktop;
    void SetUp() override
    {
        if (!SharedOffice::process)
            GTEST_SKIP() << SharedOffice::reason.toStdString();
        link = std::make_unique<TUnoOffice>(SharedOffice::pipe());
        desktop = ConnectDesktop(SharedOffice::pipe());
        closeAll();
    }
    void TearDown() override
    {
        if (desktop.is())
            closeAll();
    }
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }

    std::vector<Reference<frame::XModel>> documents()
    {
        std::vector<Reference<frame::XModel>> docs;
        Reference<container::XIndexAccess> frames(Reference<frame::XFramesSupplier>(desktop, UNO_QUERY_THROW)->getFrames(),
                                                  UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < frames->getCount(); ++i)
            if (Reference<frame::XFrame> f{frames->getByIndex(i), UNO_QUERY}; f.is() && f->getController().is())
                docs.push_back(f->getController()->getModel());
        return docs;
    }
    void closeAll()
    {
        for (const Reference<frame::XModel> &m : documents())
            Reference<util::XCloseable>(m, UNO_QUERY_THROW)->close(true);
    }

    // A workbook file with named sheets, each filled by its cell texts ("=" starts a formula).
    void makeBook(const QString &path, const std::vector<std::pair<QString, std::map<QString, QString>>> &sheets)
    {
        Reference<lang::XComponent> doc = LoadHidden(desktop, OUString("private:factory/scalc"));
        Reference<sheet::XSpreadsheets> all = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
        Reference<container::XIndexAccess> index(all, UNO_QUERY_THROW);
        for (size_t i = 0; i < sheets.size(); ++i) {
            if (int(i) >= index->getCount())
                all->insertNewByName(toOU(sheets[i].first), sal_Int16(i));
            Reference<sheet::XSpreadsheet> s(index->getByIndex(sal_Int32(i)), UNO_QUERY_THROW);
            Reference<container::XNamed>(s, UNO_QUERY_THROW)->setName(toOU(sheets[i].first));
            for (const auto &[cell, text] : sheets[i].second)
                Reference<table::XCellRange>(s, UNO_QUERY_THROW)
                    ->getCellRangeByName(toOU(cell))
                    ->getCellByPosition(0, 0)
                    ->setFormula(toOU(text));
        }
        StoreAs(doc, path, SpreadsheetFilter(path));
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
    }

    // The office's CSV export of a sheet (1-based) of a file, as lines of fields.
    std::vector<QStringList> csv(const QString &path, int sheet)
    {
        closeAll();
        Reference<lang::XComponent> doc = LoadHidden(desktop, FileUrl(path));
        // With a sheet chosen the office names the file after it: readback-<sheet>.csv.
        QDir folder(dir.filePath(QStringLiteral("csv")));
        folder.removeRecursively();
        folder.mkpath(QStringLiteral("."));
        StoreAs(doc, folder.filePath(QStringLiteral("readback.csv")), OUString("Text - txt - csv (StarCalc)"),
                OUString("44,34,76,1,,0,false,true,false,false,false,") + OUString::number(sheet));
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
        const QStringList written = folder.entryList({QStringLiteral("readback*.csv")}, QDir::Files);
        EXPECT_EQ(written.size(), 1) << written.join(QLatin1Char(' ')).toStdString();
        if (written.isEmpty())
            return {};
        std::vector<QStringList> rows;
        const QString text = QString::fromUtf8(testsupport::readAll(folder.filePath(written.first())));
        for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            rows.push_back(line.split(QLatin1Char(',')));
        return rows;
    }
    QStringList sheetNames(const QString &path)
    {
        closeAll();
        Reference<lang::XComponent> doc = LoadHidden(desktop, FileUrl(path));
        QStringList names;
        for (const OUString &n : Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets()->getElementNames())
            names << fromOU(n);
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
        return names;
    }
};

struct Grid : TNovaStringGrid {
    Grid(int cols, int rows, TOfficeLink &link)
    {
        SetColCount(cols);
        SetRowCount(rows);
        SetFixedCols(0);
        SetFixedRows(0);
        SetOfficeLink(&link);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    }
};

} // namespace

TEST_F(Office, SheetNamesOfAWorkbookInTheirOrder)
{
    const QString path = file("names.xlsx");
    makeBook(path, {{"Ports", {{"A1", "x"}}}, {"Events", {}}, {"Zeta Sheet", {}}});
    Grid g(1, 1, *link);
    EXPECT_EQ(g.GetXLSSheets(path), (QStringList{"Ports", "Events", "Zeta Sheet"}));
}

TEST_F(Office, UsedRangeFromB3ToD7GivesThreeColumnsOfFiveRows)
{
    const QString path = file("area.xls");
    std::map<QString, QString> cells;
    for (int r = 3; r <= 7; ++r)
        for (char c = 'B'; c <= 'D'; ++c)
            cells[QStringLiteral("%1%2").arg(QLatin1Char(c)).arg(r)] = QStringLiteral("%1%2").arg(QLatin1Char(c)).arg(r);
    cells[QStringLiteral("C4")] = QString();       // empty: clears the grid cell
    cells[QStringLiteral("D5")] = QStringLiteral("=1/0"); // error: leaves it
    makeBook(path, {{"Other", {{"A1", "o"}}}, {"Data", cells}});
    Grid g(3, 5, *link);
    g.SetSaveFixedCells(true);
    g.LoadFromXLSSheet(path, QStringLiteral("Data"));
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("B3"));
    EXPECT_EQ(g.Cells(2, 4), QStringLiteral("D7"));
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("2/2"));
}

TEST_F(Office, ExportedColumnsEndInTheirLetters)
{
    struct Case {
        int cols;
        const char *lastColumn;
    };
    for (const Case &c : std::vector<Case>{{30, "AD"}, {52, "AZ"}, {26, "Z"}}) {
        SCOPED_TRACE(c.lastColumn);
        const QString path = file("cols.xlsx");
        Grid g(c.cols, 2, *link);
        g.SaveToXLS(path, true);
        const std::vector<QStringList> rows = csv(path, 1);
        ASSERT_EQ(rows.size(), 2u);
        ASSERT_EQ(rows[1].size(), c.cols) << "the block ends in column " << c.lastColumn;
        EXPECT_EQ(rows[1].last(), QStringLiteral("%1/1").arg(c.cols - 1));
        EXPECT_EQ(OfficeColumnLetters(int(rows[1].size())), QLatin1String(c.lastColumn));
    }
}

TEST_F(Office, RunningOfficeGetsTheRowsInItsActiveSheetAtItsActiveCell)
{
    // The user's workbook: the second sheet active, the cursor in A4.
    Reference<lang::XComponent> doc = LoadHidden(desktop, OUString("private:factory/scalc"));
    Reference<sheet::XSpreadsheets> all = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
    all->insertNewByName(OUString("Second"), 1);
    Reference<sheet::XSpreadsheet> second(all->getByName(OUString("Second")), UNO_QUERY_THROW);
    Reference<frame::XController> view = Reference<frame::XModel>(doc, UNO_QUERY_THROW)->getCurrentController();
    Reference<sheet::XSpreadsheetView>(view, UNO_QUERY_THROW)->setActiveSheet(second);
    Reference<view::XSelectionSupplier>(view, UNO_QUERY_THROW)->select(Any(second->getCellRangeByName(OUString("A4"))));

    const QString path = file("running.ods");
    Grid g(2, 2, *link);
    g.SaveToXLS(path, false);

    ASSERT_TRUE(SharedOffice::process->Running()) << "the running office stays open";
    const std::vector<Reference<frame::XModel>> open = documents();
    ASSERT_EQ(open.size(), 1u) << "its workbook stays open";
    EXPECT_EQ(Reference<uno::XInterface>(open[0], UNO_QUERY), Reference<uno::XInterface>(doc, UNO_QUERY));
    EXPECT_EQ(fromOU(Reference<text::XText>(second->getCellByPosition(1, 4), UNO_QUERY_THROW)->getString()),
              QStringLiteral("1/1"));
    const std::vector<QStringList> rows = csv(path, 2);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3], (QStringList{"0/0", "1/0"}));
    EXPECT_EQ(rows[4], (QStringList{"0/1", "1/1"}));
    EXPECT_EQ(rows[0], (QStringList{QString(), QString()})) << "the rows above stay empty";
}

TEST_F(Office, NamedSheetIsAddedToAnExistingFile)
{
    const QString path = file("existing.xlsx");
    makeBook(path, {{"Ports", {{"A1", "kept"}}}});
    Grid g(3, 2, *link);
    g.SaveToXLSSheet(path, QStringLiteral("Added"));
    EXPECT_EQ(sheetNames(path), (QStringList{"Ports", "Added"}));
    EXPECT_EQ(csv(path, 1), (std::vector<QStringList>{{"kept"}}));
    EXPECT_EQ(csv(path, 2), (std::vector<QStringList>{{"0/0", "1/0", "2/0"}, {"0/1", "1/1", "2/1"}}));
}

TEST_F(Office, DocumentTableHasRightAndCentredCells)
{
    const QString path = file("table.odt");
    Grid g(3, 2, *link);
    g.setWindowTitle(QStringLiteral("Port list"));
    g.OnGetAlignment = [](QObject *, int, int ACol, TAlignment &h, TVAlignment &) {
        h = ACol == 1 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
    };
    g.SaveToDOC(path, true);
    // A second table goes at the end when the bookmark does not exist.
    g.AppendToDoc(path, QStringLiteral("nowhere"));
    closeAll();

    Reference<lang::XComponent> doc = LoadHidden(desktop, FileUrl(path));
    Reference<container::XIndexAccess> tables(
        Reference<text::XTextTablesSupplier>(doc, UNO_QUERY_THROW)->getTextTables(), UNO_QUERY_THROW);
    ASSERT_EQ(tables->getCount(), 2);
    Reference<table::XCellRange> table(tables->getByIndex(0), UNO_QUERY_THROW);
    auto cell = [&](int c, int r) {
        Reference<text::XText> t(table->getCellByPosition(c, r), UNO_QUERY_THROW);
        Reference<text::XTextCursor> cur = t->createTextCursor();
        sal_Int16 adjust = -1;
        Reference<beans::XPropertySet>(cur, UNO_QUERY_THROW)->getPropertyValue(OUString("ParaAdjust")) >>= adjust;
        return std::make_pair(fromOU(t->getString()), adjust);
    };
    // Left sets nothing: a body cell keeps the left alignment of its paragraph style.
    EXPECT_EQ(cell(0, 1), std::make_pair(QStringLiteral("0/1"), sal_Int16(style::ParagraphAdjust_LEFT)));
    EXPECT_EQ(cell(1, 0), std::make_pair(QStringLiteral("1/0"), sal_Int16(style::ParagraphAdjust_RIGHT)));
    EXPECT_EQ(cell(1, 1), std::make_pair(QStringLiteral("1/1"), sal_Int16(style::ParagraphAdjust_RIGHT)));
    EXPECT_EQ(cell(2, 1), std::make_pair(QStringLiteral("2/1"), sal_Int16(style::ParagraphAdjust_CENTER)));
    EXPECT_TRUE(fromOU(Reference<text::XTextDocument>(doc, UNO_QUERY_THROW)->getText()->getString())
                    .contains(QStringLiteral("Port list")));
    Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
}

// A cell text holding a character the document cannot hold loses that character only; the rest of
// the text, tabs, line breaks and characters beyond ASCII included, reaches the document.
TEST_F(Office, DocumentTableDropsOnlyTheCharactersTheDocumentCannotHold)
{
    const QString path = file("control.odt");
    Grid g(3, 2, *link);
    const QStringList texts = {QString::fromUtf8("a\x01" "b"), QString::fromUtf8("bell\x07"),
                               QString::fromUtf8("x\x1F" "y\xEF\xBF\xBF" "z"), QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5"),
                               QStringLiteral("a\tb"), QString(QChar(0xD800)) + QStringLiteral("s")};
    const QStringList kept = {"ab", "bell", "xyz", QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5"), "a\tb", "s"};
    for (int i = 0; i < int(texts.size()); ++i)
        g.SetCells(i % 3, i / 3, texts[i]);
    g.SaveToDOC(path, true);
    closeAll();

    Reference<lang::XComponent> doc = LoadHidden(desktop, FileUrl(path));
    Reference<container::XIndexAccess> tables(
        Reference<text::XTextTablesSupplier>(doc, UNO_QUERY_THROW)->getTextTables(), UNO_QUERY_THROW);
    ASSERT_EQ(tables->getCount(), 1);
    Reference<table::XCellRange> table(tables->getByIndex(0), UNO_QUERY_THROW);
    for (int i = 0; i < int(texts.size()); ++i) {
        Reference<text::XText> t(table->getCellByPosition(i % 3, i / 3), UNO_QUERY_THROW);
        EXPECT_EQ(fromOU(t->getString()), kept[i]) << i;
    }
    Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
}

// Without a running office the exchange starts one of its own: every document it opened or wrote
// is closed before it quits, so no lock file stays and the next import opens the file.
TEST_F(Office, OwnOfficeLeavesNoLockAndItsExportImportsAgain)
{
    TUnoOffice none(QStringLiteral("nova_none_%1").arg(QCoreApplication::applicationPid()));
    for (const char *name : {"own.xlsx", "own.ods"}) {
        SCOPED_TRACE(name);
        const QString path = file(name);
        Grid g(3, 2, none);
        g.SaveToXLS(path, true);
        auto locks = [&] {
            return QDir(dir.path()).entryList({QStringLiteral(".~lock.*")}, QDir::Hidden | QDir::Files);
        };
        EXPECT_TRUE(locks().isEmpty()) << locks().join(QLatin1Char(' ')).toStdString();
        Grid back(1, 1, none);
        back.SetSaveFixedCells(true);
        back.LoadFromXLS(path);
        EXPECT_TRUE(locks().isEmpty()) << locks().join(QLatin1Char(' ')).toStdString();
        ASSERT_EQ(back.ColCount(), 3);
        ASSERT_EQ(back.RowCount(), 2);
        EXPECT_EQ(back.Cells(2, 1), QStringLiteral("2/1"));
        EXPECT_EQ(back.Cells(0, 0), QStringLiteral("0/0"));
    }
    const QString doc = file("own.odt");
    Grid g(2, 2, none);
    g.SaveToDOC(doc, true);
    EXPECT_TRUE(QFileInfo::exists(doc));
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral(".~lock.*")}, QDir::Hidden | QDir::Files).isEmpty());
}
