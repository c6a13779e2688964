// Office exchange over a recording office: the members called and their order, the grid size
// taken from the used range, values in and out, the quit rule and the errors.
#include "FakeOffice.h"
#include "grid/NovaGrid.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct OfficeGrid : TNovaStringGrid {
    TFakeOffice office;
    QStringList events;
    OfficeGrid(int cols = 3, int rows = 3, int fixedCols = 0, int fixedRows = 0)
    {
        SetColCount(cols);
        SetRowCount(rows);
        SetFixedCols(fixedCols);
        SetFixedRows(fixedRows);
        SetOfficeLink(&office);
    }
    void CellsLoaded() override
    {
        events << QStringLiteral("loaded");
        TNovaStringGrid::CellsLoaded();
    }
    void ExportNotification(int s, int r) override
    {
        events << QStringLiteral("export %1 %2").arg(s).arg(r);
        TNovaStringGrid::ExportNotification(s, r);
    }
    void fill()
    {
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < ColCount(); ++c)
                SetCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    }
};

const QString kFile = QStringLiteral("/tmp/book.xls");

TFakeBook book(const QString &usedAddress, const TOfficeValues &values = {})
{
    TFakeBook b;
    b.Sheets.push_back(fakeSheet(QStringLiteral("First")));
    b.Sheets.push_back(fakeSheet(QStringLiteral("Data"), usedAddress, values));
    b.Active = 1;
    return b;
}

QStringList ranges(const QStringList &log)
{
    QStringList r;
    for (const QString &s : log)
        if (s.startsWith(QLatin1String("Range(")) && s.contains(QLatin1String(".Value")))
            r << s;
    return r;
}

} // namespace

TEST(OfficeColumns, LettersBothWaysForAnyCount)
{
    struct Case {
        int column;
        const char *letters;
    };
    for (const Case &c : std::vector<Case>{{1, "A"},
                                           {26, "Z"},
                                           {27, "AA"},
                                           {30, "AD"},
                                           {52, "AZ"},
                                           {53, "BA"},
                                           {702, "ZZ"},
                                           {703, "AAA"},
                                           {16384, "XFD"},
                                           {18278, "ZZZ"},
                                           {18279, "AAAA"}}) {
        SCOPED_TRACE(c.letters);
        EXPECT_EQ(OfficeColumnLetters(c.column), QLatin1String(c.letters));
        EXPECT_EQ(OfficeColumnNumber(QLatin1String(c.letters)), c.column);
    }
    EXPECT_EQ(OfficeColumnNumber(QStringLiteral("aab")), 704);
    for (const char *bad : {"", "A1", "$A", "Ä", "ZZZZZZZZ"})
        EXPECT_EQ(OfficeColumnNumber(QString::fromUtf8(bad)), -1) << bad;
    EXPECT_EQ(OfficeColumnLetters(0), QString());
}

TEST(OfficeRead, GridSizeComesFromTheUsedRange)
{
    struct Case {
        const char *name;
        QString address;
        bool saveFixed;
        int cols, rows;
        QString range; // the block read, empty for a single cell
    };
    const std::vector<Case> cases = {
        {"B3:D7 keeps fixed cells", QStringLiteral("$B$3:$D$7"), false, 3 + 1, 5 + 1, QStringLiteral("Range(B3:D7).Value")},
        {"B3:D7 from cell 0", QStringLiteral("$B$3:$D$7"), true, 3, 5, QStringLiteral("Range(B3:D7).Value")},
        {"single absolute cell", QStringLiteral("$A$1"), true, 1, 1, QString()},
        {"single cell without dollars", QStringLiteral("A1"), true, 1, 1, QString()},
        {"whole rows", QStringLiteral("$2:$4"), true, 256, 3, QStringLiteral("Range(A2:IV4).Value")},
        {"beyond ZZ", QStringLiteral("$ZZ$1:$AAB$2"), true, 3, 2, QStringLiteral("Range(ZZ1:AAB2).Value")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OfficeGrid g(2, 2, 1, 1);
        g.SetSaveFixedCells(c.saveFixed);
        std::vector<std::vector<QString>> rows(c.rows, std::vector<QString>(c.cols, QStringLiteral("v")));
        TFakeBook b = book(c.address, fakeValues(rows));
        b.Sheets[1].SingleCell = QStringLiteral("one");
        g.office.Files[kFile] = b;
        g.LoadFromXLSSheet(kFile, QStringLiteral("Data"));
        EXPECT_EQ(g.ColCount(), c.cols);
        EXPECT_EQ(g.RowCount(), c.rows);
        // The old fixed counts come back where they still fit.
        EXPECT_EQ(g.FixedCols(), c.cols > 1 ? 1 : 0);
        EXPECT_EQ(g.FixedRows(), c.rows > 1 ? 1 : 0);
        if (c.range.isEmpty()) {
            EXPECT_TRUE(g.office.Log.contains(QStringLiteral("Rows.Cells(1,1)")));
            EXPECT_EQ(g.Cells(0, 0), QStringLiteral("one"));
        } else {
            EXPECT_EQ(ranges(g.office.Log), QStringList{c.range}) << "one block read";
        }
    }
}

TEST(OfficeRead, ValuesLandAfterTheFixedCellsAndKeepErrors)
{
    OfficeGrid g(2, 2, 1, 1);
    g.SetSaveFixedCells(false);
    g.office.Files[kFile] = book(QStringLiteral("$A$1:$C$2"),
                                 fakeValues({{QStringLiteral("a"), QString(), QStringLiteral("#ERR")},
                                             {QStringLiteral("1.5"), QStringLiteral("x\ny"), QString()}}));
    TOfficeValue obj;
    obj.Kind = TOfficeValue::ovObject;
    g.office.Files[kFile].Sheets[1].Values[1][2] = obj;
    g.SetColCount(4);
    g.SetRowCount(3);
    for (int c = 1; c < 4; ++c)
        for (int r = 1; r < 3; ++r)
            g.SetCells(c, r, QStringLiteral("old"));
    g.LoadFromXLS(kFile);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(2, 1), QString()) << "an empty cell clears";
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("old")) << "an error value leaves the cell";
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("1.5"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("x\ny"));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("old")) << "an object leaves the cell";
    EXPECT_EQ(g.office.Log,
              (QStringList{"Create", "WorkBooks.Open(/tmp/book.xls)", "ActiveSheet", "UsedRange.Address",
                           "Range(A1:C2).Value", "Close(0)", "Quit"}));
    EXPECT_EQ(g.events, QStringList{"loaded"});
}

TEST(OfficeExchange, HiddenColumnAndRowStayOutAndKeepTheirCells)
{
    OfficeGrid g(4, 3);
    g.fill();
    g.HideColumn(1);
    g.HideRow(1);
    g.SaveToXLS(kFile, true);
    EXPECT_EQ(g.office.Files[kFile].Sheets[0].Written,
              (TOfficeTexts{{"0/0", "2/0", "3/0"}, {"0/2", "2/2", "3/2"}}));
    // The alignment hook is asked about the real column of each shown one.
    g.OnGetAlignment = [](QObject *, int, int ACol, TAlignment &h, TVAlignment &) {
        h = ACol == 3 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
    };
    g.SaveToDOC(QStringLiteral("/tmp/t.doc"), false);
    EXPECT_EQ(g.office.Table[std::make_pair(2, 3)].Text, QStringLiteral("3/2"));
    EXPECT_EQ(g.office.Table[std::make_pair(1, 2)].Text, QStringLiteral("2/0"));
    EXPECT_EQ(g.office.Table[std::make_pair(1, 2)].Alignment, 1);
    EXPECT_EQ(g.office.Table[std::make_pair(2, 3)].Alignment, 2);
    g.OnGetAlignment = nullptr;

    // Read back into the shown columns: the hidden one keeps its cells.
    g.office.Files[kFile] = book(QStringLiteral("$A$1:$C$2"),
                                 fakeValues({{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                                             {QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f")}}));
    g.LoadFromXLS(kFile);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("1/0"));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("f"));
}

TEST(OfficeRead, FailuresQuitRestoreTheCursorAndStillAnnounce)
{
    struct Case {
        const char *name;
        bool creatable;
        QString sheet;
        bool shortArray;
        const char *message;
        bool quits;
        QString address = QStringLiteral("$A$1:$B$2");
    };
    const std::vector<Case> cases = {
        {"no spreadsheet program", false, QStringLiteral("Data"), false, "Excel OLE server not found", false},
        {"sheet missing", true, QStringLiteral("Nope"), false, "Excel worksheet Nope not found", true},
        {"values short of the used range", true, QStringLiteral("Data"), true, "Incorrect XLS file", true},
        {"row that is no number", true, QStringLiteral("Data"), false, "Incorrect XLS file", true,
         QStringLiteral("$A$x:$B$2")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OfficeGrid g;
        g.office.Creatable = c.creatable;
        g.office.Files[kFile] = book(c.address, c.shortArray ? fakeValues({{QStringLiteral("a")}})
                                                                               : fakeValues({{"a", "b"}, {"c", "d"}}));
        try {
            g.LoadFromXLSSheet(kFile, c.sheet);
            ADD_FAILURE() << "no error";
        } catch (const std::exception &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(g.office.Log.contains(QStringLiteral("Quit")), c.quits);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(g.events.contains(QStringLiteral("loaded")), c.creatable);
    }
}

TEST(OfficeRead, LastSheetOfTheNameIsTaken)
{
    OfficeGrid g;
    g.SetSaveFixedCells(true);
    TFakeBook b = book(QStringLiteral("$A$1"));
    b.Sheets[0] = fakeSheet(QStringLiteral("Data"), QStringLiteral("$A$1"), {}, QStringLiteral("first"));
    b.Sheets[1].SingleCell = QStringLiteral("last");
    g.office.Files[kFile] = b;
    g.LoadFromXLSSheet(kFile, QStringLiteral("Data"));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("last"));
}

TEST(OfficeSheets, NamesInOrderAndTheProgramQuits)
{
    OfficeGrid g;
    g.office.Files[kFile] = book(QStringLiteral("$A$1"));
    EXPECT_EQ(g.GetXLSSheets(kFile), (QStringList{"First", "Data"}));
    EXPECT_EQ(g.office.Log, (QStringList{"Create", "WorkBooks.Open(/tmp/book.xls)", "WorkSheets.Count",
                                         "WorkSheets.Item(1)", "Name", "WorkSheets.Item(2)", "Name", "Saved=1",
                                         "Quit"}));
    g.office.Log.clear();
    EXPECT_THROW(g.GetXLSSheets(QStringLiteral("/tmp/none.xls")), EOfficeError);
    EXPECT_EQ(g.office.Log.last(), QStringLiteral("Quit"));
}

TEST(OfficeWrite, NewWorkbookAddressesTheBlockInOneCall)
{
    struct Case {
        int cols;
        const char *range;
    };
    for (const Case &c : std::vector<Case>{{30, "Range(A1:AD4).Value="},
                                           {52, "Range(A1:AZ4).Value="},
                                           {26, "Range(A1:Z4).Value="},
                                           {703, "Range(A1:AAA4).Value="}}) {
        SCOPED_TRACE(c.cols);
        OfficeGrid g(c.cols, 4);
        g.fill();
        g.SaveToXLS(kFile, true);
        EXPECT_EQ(g.office.Log, (QStringList{"Attach", "Create", "WorkBooks.Add", "Sheets(1)",
                                             QString::fromLatin1(c.range), "SaveAs(/tmp/book.xls)", "Quit"}));
        const TFakeSheet &s = g.office.Files[kFile].Sheets[0];
        ASSERT_EQ(s.Written.size(), 4u);
        ASSERT_EQ(int(s.Written[0].size()), c.cols);
        EXPECT_EQ(s.Written[3][c.cols - 1], QStringLiteral("%1/3").arg(c.cols - 1));
    }
}

TEST(OfficeWrite, RunningProgramGetsTheRowsAtItsActiveCellAndStaysOpen)
{
    OfficeGrid g(3, 2);
    g.fill();
    g.office.Running = true;
    g.office.Open.push_back(book(QStringLiteral("$A$1")));
    g.office.ActiveRow = 5;
    g.SaveToXLS(kFile, false);
    EXPECT_EQ(g.office.Log, (QStringList{"Attach", "WorkBooks.Count", "ActiveWorkBook", "ActiveSheet",
                                         "ActiveCell.Row", "Range(A5:C6).Value=", "SaveAs(/tmp/book.xls)"}));
    EXPECT_EQ(g.office.Open[0].Sheets[1].WrittenAddress, QStringLiteral("A5:C6"));
}

TEST(OfficeWrite, NamedSheetIsAddedToAnExistingFileAndSavedInPlace)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.xls"));
    testsupport::writeFile(existing, "workbook");
    OfficeGrid g(2, 1);
    g.fill();
    g.office.Files[existing] = book(QStringLiteral("$A$1"));
    g.SaveToXLSSheet(existing, QStringLiteral("Ports"));
    EXPECT_EQ(g.office.Log,
              (QStringList{"Attach", "Create", QStringLiteral("WorkBooks.Open(%1)").arg(existing), "Sheets.Count",
                           "Sheets(1)", "Name", "Sheets(2)", "Name", "WorkSheets.Add", "Name=Ports",
                           "Range(A1:B1).Value=", "Save", "Quit"}));
    // A file that does not exist yet is made and saved under its name.
    g.office.Log.clear();
    g.SaveToXLSSheet(QStringLiteral("/nonexistent/new.xls"), QStringLiteral("Ports"));
    EXPECT_EQ(g.office.Log.mid(2, 3), (QStringList{"WorkBooks.Add", "Sheets.Count", "Sheets(1)"}));
    EXPECT_EQ(g.office.Log.mid(g.office.Log.size() - 2),
              (QStringList{"SaveAs(/nonexistent/new.xls)", "Quit"}));
}

TEST(OfficeWrite, SavedAreaCarriageReturnsAndNotifications)
{
    OfficeGrid g(3, 3, 1, 1);
    g.fill();
    g.SetCells(2, 2, QStringLiteral("a\r\nb"));
    g.SetSaveFixedCells(false);
    g.SaveToXLS(kFile, true);
    const TFakeSheet &s = g.office.Files[kFile].Sheets[0];
    EXPECT_EQ(s.WrittenAddress, QStringLiteral("A1:B2"));
    ASSERT_EQ(s.Written.size(), 2u);
    EXPECT_EQ(s.Written[0], (std::vector<QString>{"1/1", "2/1"}));
    EXPECT_EQ(s.Written[1][1], QStringLiteral("a\nb"));
    EXPECT_EQ(g.events, (QStringList{"export 0 1", "export 5 1", "export 5 2", "export 2 -1"}));
}

TEST(OfficeWrite, ErrorsQuitOnlyAProgramStartedHereAndAreReported)
{
    struct Case {
        const char *name;
        bool running, creatable;
        QStringList fail;
        QString sheet;
        const char *message;
        bool quits;
    };
    const std::vector<Case> cases = {
        {"no program at all", false, false, {}, {}, "Excel OLE server not found", false},
        {"failed write in a started program", false, true, {"Range("}, {}, "fake failure in Range(A1:B1).Value=", true},
        {"failed write in a running program", true, true, {"Range("}, {}, "fake failure in Range(A1:B1).Value=", false},
        {"failed save is no success", false, true, {"SaveAs"}, {}, "fake failure in SaveAs(/tmp/book.xls)", true},
        {"workbook neither opened nor added", false, true, {"WorkBooks.Add"}, QStringLiteral("S"),
         "Excel workbook /nonexistent/x.xls could not be opened: fake failure in WorkBooks.Add", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OfficeGrid g(2, 1);
        g.office.Running = c.running;
        g.office.Creatable = c.creatable;
        g.office.Fail = c.fail;
        try {
            if (c.sheet.isEmpty())
                g.SaveToXLS(kFile, true);
            else
                g.SaveToXLSSheet(QStringLiteral("/nonexistent/x.xls"), c.sheet);
            ADD_FAILURE() << "no error";
        } catch (const std::exception &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(g.office.Log.contains(QStringLiteral("Quit")), c.quits);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(OfficeDocument, TableWithTextsAndAlignments)
{
    OfficeGrid g(3, 2);
    g.fill();
    g.setWindowTitle(QStringLiteral("Ports"));
    g.OnGetAlignment = [](QObject *, int, int ACol, TAlignment &h, TVAlignment &) {
        h = ACol == 1 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
    };
    g.SaveToDOC(QStringLiteral("/tmp/t.doc"), false);
    const QStringList head = g.office.Log.mid(0, 9);
    EXPECT_EQ(head, (QStringList{"Attach", "Create", "Documents.Count", "Documents.Add", "ShowSpellingErrors=0",
                                 "Selection.TypeText(Ports)", "Selection.TypeParagraph", "Range(0,0)",
                                 "Tables.Add(2,3)"}));
    EXPECT_EQ(g.office.Log.mid(g.office.Log.size() - 2), (QStringList{"SaveAs(/tmp/t.doc)", "Quit"}));
    EXPECT_EQ(g.office.Table[std::make_pair(2, 3)].Text, QStringLiteral("2/1"));
    EXPECT_EQ(g.office.Table[std::make_pair(1, 1)].Alignment, 0) << "left sets nothing";
    EXPECT_EQ(g.office.Table[std::make_pair(1, 2)].Alignment, 2);
    EXPECT_EQ(g.office.Table[std::make_pair(2, 3)].Alignment, 1);
    EXPECT_EQ(g.events, (QStringList{"export 0 0", "export 5 1", "export 5 2", "export 2 -1"}));
}

TEST(OfficeDocument, PlaceOfTheTable)
{
    struct Case {
        const char *name;
        bool append, running;
        int documents;
        QString bookmark;
        QStringList bookmarks;
        QStringList expected; // calls between TypeParagraph and Tables.Add
        const char *openedBy;
    };
    const std::vector<Case> cases = {
        {"append at a bookmark", true, false, 0, "here", {"here"}, {"Bookmarks.Exists(here)", "Goto(-1,here)"},
         "Documents.Open(/tmp/t.doc)"},
        {"missing bookmark appends at the end", true, false, 0, "gone", {}, {"Bookmarks.Exists(gone)", "Paragraphs.Add",
         "Selection.Goto(3,-1)", "Selection.End", "Range(42,42)"}, "Documents.Open(/tmp/t.doc)"},
        {"no bookmark appends at the end", true, false, 0, {}, {}, {"Paragraphs.Add", "Selection.Goto(3,-1)",
         "Selection.End", "Range(42,42)"}, "Documents.Open(/tmp/t.doc)"},
        {"running processor's active document", false, true, 1, {}, {}, {"Range(0,0)"}, "ActiveDocument"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OfficeGrid g(1, 1);
        g.office.Running = c.running;
        g.office.DocumentCount = c.documents;
        g.office.Bookmarks = c.bookmarks;
        if (c.append)
            g.AppendToDoc(QStringLiteral("/tmp/t.doc"), c.bookmark);
        else
            g.SaveToDOC(QStringLiteral("/tmp/t.doc"), false);
        const QStringList &log = g.office.Log;
        EXPECT_TRUE(log.contains(QLatin1String(c.openedBy)));
        const qsizetype from = log.indexOf(QStringLiteral("Selection.TypeParagraph")) + 1;
        const qsizetype to = log.indexOf(QStringLiteral("Tables.Add(1,1)"));
        EXPECT_EQ(log.mid(from, to - from), c.expected);
        EXPECT_EQ(log.contains(QStringLiteral("Quit")), !c.running);
    }
}

TEST(OfficeDocument, ErrorsQuitOnlyAProgramStartedHere)
{
    OfficeGrid g(1, 1);
    g.office.Creatable = false;
    try {
        g.SaveToDOC(QStringLiteral("/tmp/t.doc"), true);
        ADD_FAILURE();
    } catch (const ENovaGridError &e) {
        EXPECT_STREQ(e.what(), "Word OLE server not found");
    }
    for (bool running : {false, true}) {
        OfficeGrid h(1, 1);
        h.office.Running = running;
        h.office.Fail = QStringList{QStringLiteral("Tables.Add")};
        EXPECT_THROW(h.SaveToDOC(QStringLiteral("/tmp/t.doc"), true), EOfficeError);
        EXPECT_EQ(h.office.Log.contains(QStringLiteral("Quit")), !running);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(OfficeLinkChoice, WithoutAnyLinkTheServerIsNotFound)
{
    TNovaStringGrid g;
    ASSERT_EQ(DefaultOfficeLink(), nullptr);
    EXPECT_THROW(g.SaveToXLS(kFile, true), ENovaGridError);
    TFakeOffice *fake = new TFakeOffice;
    SetDefaultOfficeLink(std::unique_ptr<TOfficeLink>(fake));
    fake->Files[kFile] = book(QStringLiteral("$A$1"));
    EXPECT_EQ(g.GetXLSSheets(kFile).size(), 2);
    SetDefaultOfficeLink(nullptr);
}
