// Office exchange: cells to and from a spreadsheet program, the grid as a table in a word
// processor. The grid reads and writes values only; the office opens, converts and saves files.
#include "grid/NovaGrid.h"
#include "grid/OfficeAutomation.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace {

// The hourglass while the office works, the old cursor back however the exchange ends.
class THourGlass {
public:
    THourGlass()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            FSet = true;
        }
    }
    ~THourGlass() { Restore(); }
    void Restore()
    {
        if (FSet)
            QGuiApplication::restoreOverrideCursor();
        FSet = false;
    }

private:
    bool FSet = false;
};

// An error while quitting must not hide the error that made us quit.
template <class App> void quitQuietly(App &app)
{
    try {
        app.Quit();
    } catch (...) {
    }
}

struct TUsedArea {
    int Col1 = -1, Row1 = -1, Col2 = -1, Row2 = -1;
    bool Single = false;
    bool Valid() const { return Col1 > 0 && Row1 > 0 && Col2 >= Col1 && Row2 >= Row1; }
};

// "$C$7" (the leading dollar already removed from the text given): letters, a dollar, the row.
void readCorner(const QString &corner, int &col, int &row)
{
    int i = 0;
    while (i < corner.size() && corner[i].isLetter())
        ++i;
    // Every letter counts: columns go beyond ZZ.
    col = OfficeColumnNumber(corner.left(i));
    QString rest = corner.mid(i);
    if (rest.startsWith(QLatin1Char('$')))
        rest.remove(0, 1);
    bool ok = false;
    row = rest.toInt(&ok);
    if (!ok || row < 1)
        row = -1;
}

QString withoutLeadingDollar(QString s)
{
    if (s.startsWith(QLatin1Char('$')))
        s.remove(0, 1);
    return s;
}

// The used range's absolute A1 address: "$B$3:$D$7", "$2:$4" (whole rows), "$A$1" or "A1".
TUsedArea parseUsedAddress(const QString &address)
{
    TUsedArea a;
    const int colon = address.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString first = withoutLeadingDollar(address.left(colon));
        const QString last = withoutLeadingDollar(address.mid(colon + 1));
        if (!first.contains(QLatin1Char('$'))) {
            bool ok1 = false, ok2 = false;
            a.Row1 = first.toInt(&ok1);
            a.Row2 = last.toInt(&ok2);
            if (!ok1)
                a.Row1 = -1;
            if (!ok2)
                a.Row2 = -1;
            a.Col1 = 1;
            a.Col2 = 256;
        } else {
            readCorner(first, a.Col1, a.Row1);
            readCorner(last, a.Col2, a.Row2);
        }
        return a;
    }
    a.Single = true;
    if (!address.contains(QLatin1Char('$'))) {
        a.Col1 = a.Col2 = a.Row1 = a.Row2 = 1;
        return a;
    }
    readCorner(withoutLeadingDollar(address), a.Col1, a.Row1);
    a.Col2 = a.Col1;
    a.Row2 = a.Row1;
    return a;
}

const char *const kNoSpreadsheet = "Excel OLE server not found";

// The running program, else a new one; Created tells which.
template <class App, class Attach, class Create>
std::unique_ptr<App> attachOrCreate(Attach attach, Create create, bool &created, const char *notFound)
{
    std::unique_ptr<App> app = attach();
    created = !app;
    if (!app)
        app = create();
    if (!app)
        throw ENovaGridError(QString::fromLatin1(notFound));
    return app;
}

// Runs an export; a program started for it is told to quit afterwards, also after an error.
template <class App, class Body> void exportWith(App &app, bool created, Body body)
{
    try {
        body();
    } catch (...) {
        if (created)
            quitQuietly(app);
        throw;
    }
    if (created)
        app.Quit();
}

} // namespace

TOfficeLink &TNovaStringGrid::OfficeLink() const
{
    if (FOfficeLink)
        return *FOfficeLink;
    if (TOfficeLink *link = DefaultOfficeLink())
        return *link;
    // No office in this program: every exchange reports its server as not found.
    struct TNoOffice : TOfficeLink {
        std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet() override { return nullptr; }
        std::unique_ptr<ISpreadsheetApp> AttachSpreadsheet() override { return nullptr; }
        std::unique_ptr<IWordApp> AttachWordProcessor() override { return nullptr; }
        std::unique_ptr<IWordApp> CreateWordProcessor() override { return nullptr; }
    };
    static TNoOffice none;
    return none;
}

QStringList TNovaStringGrid::GetXLSSheets(const QString &FileName)
{
    THourGlass wait;
    std::unique_ptr<ISpreadsheetApp> app = OfficeLink().CreateSpreadsheet();
    if (!app)
        throw ENovaGridError(QString::fromLatin1(kNoSpreadsheet));
    QStringList names;
    try {
        std::unique_ptr<ISpreadsheetWorkbook> book = app->WorkBooksOpen(FileName);
        const int n = book->WorkSheetsCount();
        for (int i = 1; i <= n; ++i)
            names.append(book->WorkSheetsItem(i)->Name());
        book->SetSaved(true);
    } catch (...) {
        quitQuietly(*app);
        throw;
    }
    app->Quit();
    return names;
}

void TNovaStringGrid::LoadFromXLS(const QString &Filename) { ReadXLSSheet(Filename, QString()); }

void TNovaStringGrid::LoadFromXLSSheet(const QString &Filename, const QString &SheetName)
{
    ReadXLSSheet(Filename, SheetName);
}

void TNovaStringGrid::ReadXLSSheet(const QString &Filename, const QString &SheetName)
{
    THourGlass wait;
    std::unique_ptr<ISpreadsheetApp> app = OfficeLink().CreateSpreadsheet();
    if (!app)
        throw ENovaGridError(QString::fromLatin1(kNoSpreadsheet));
    // Whatever happens after the start, the cells read so far are announced.
    auto finish = [&] {
        wait.Restore();
        CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
        CellsLoaded();
    };
    try {
        std::unique_ptr<ISpreadsheetWorkbook> book = app->WorkBooksOpen(Filename);
        std::unique_ptr<ISpreadsheetSheet> sheet;
        if (!SheetName.isEmpty()) {
            const int n = book->SheetsCount();
            for (int i = 1; i <= n; ++i)
                if (std::unique_ptr<ISpreadsheetSheet> s = book->Sheets(i); s->Name() == SheetName)
                    sheet = std::move(s);
            if (!sheet)
                throw ENovaGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
        } else {
            sheet = book->ActiveSheet();
        }

        const TUsedArea area = parseUsedAddress(sheet->UsedRangeAddress());
        const bool fixedCols = !(SaveFixedCells() || SaveFixedCols());
        const bool fixedRows = !(SaveFixedCells() || SaveFixedRows());
        const int colOffset = fixedCols ? FixedCols() : 0;
        const int rowOffset = fixedRows ? FixedRows() : 0;
        if (area.Valid()) {
            const int oldFixedCols = FixedCols();
            const int oldFixedRows = FixedRows();
            SetColCount(area.Col2 - area.Col1 + 1 + colOffset);
            SetRowCount(area.Row2 - area.Row1 + 1 + rowOffset);
            if (oldFixedCols < ColCount())
                SetFixedCols(oldFixedCols);
            if (oldFixedRows < RowCount())
                SetFixedRows(oldFixedRows);
        }

        // An address that names no cells gives no values to read.
        if (!area.Valid())
            throw std::runtime_error("Incorrect XLS file");
        // Values go into the shown columns: a hidden column keeps its cells.
        auto realCol = [this](int c) { return RealColIndex(c) < 0 ? c : RealColIndex(c); };
        if (area.Single) {
            LoadCellText(realCol(colOffset), rowOffset, sheet->RowsCellsText(area.Row1, area.Col1));
        } else {
            const QString address = OfficeColumnLetters(area.Col1) + QString::number(area.Row1) + QLatin1Char(':') +
                                    OfficeColumnLetters(area.Col2) + QString::number(area.Row2);
            const TOfficeValues values = sheet->RangeValue(address);
            const int rows = RowCount() - rowOffset;
            const int cols = ColCount() - colOffset;
            // An array smaller than the area it was asked for is a broken file, not a crash.
            if (rows > 0 && cols > 0 &&
                (int(values.size()) < rows ||
                 std::any_of(values.begin(), values.begin() + rows, [cols](const auto &r) { return int(r.size()) < cols; })))
                throw std::runtime_error("Incorrect XLS file");
            for (int i = 1; i <= rows; ++i)
                for (int j = 1; j <= cols; ++j) {
                    const TOfficeValue &v = values[i - 1][j - 1];
                    if (v.Kind == TOfficeValue::ovError || v.Kind == TOfficeValue::ovObject)
                        continue;
                    LoadCellText(realCol(j + colOffset - 1), i + rowOffset - 1,
                                 v.Kind == TOfficeValue::ovEmpty ? QString() : v.Text);
                }
        }
        book->Close(false);
    } catch (...) {
        quitQuietly(*app);
        finish();
        throw;
    }
    app->Quit();
    finish();
}

void TNovaStringGrid::SaveToXLS(const QString &Filename, bool CreateNewSheet)
{
    WriteXLSSheet(Filename, QString(), CreateNewSheet);
}

void TNovaStringGrid::SaveToXLSSheet(const QString &Filename, const QString &SheetName)
{
    WriteXLSSheet(Filename, SheetName, true);
}

void TNovaStringGrid::WriteXLSSheet(const QString &Filename, const QString &SheetName, bool CreateNewSheet)
{
    THourGlass wait;
    TOfficeLink &link = OfficeLink();
    bool created = false;
    std::unique_ptr<ISpreadsheetApp> app = attachOrCreate<ISpreadsheetApp>(
        [&] { return link.AttachSpreadsheet(); }, [&] { return link.CreateSpreadsheet(); }, created, kNoSpreadsheet);
    exportWith(*app, created, [&] {
        std::unique_ptr<ISpreadsheetWorkbook> book;
        std::unique_ptr<ISpreadsheetSheet> sheet;
        bool saveInPlace = false;
        int d = 1;
        if (!SheetName.isEmpty()) {
            try {
                if (QFileInfo::exists(Filename)) {
                    book = app->WorkBooksOpen(Filename);
                    saveInPlace = true;
                } else {
                    book = app->WorkBooksAdd();
                }
            } catch (const EOfficeError &) {
                saveInPlace = false;
                try {
                    book = app->WorkBooksAdd();
                } catch (const EOfficeError &e) {
                    // Reported, not swallowed: nothing was written.
                    throw ENovaGridError(QStringLiteral("Excel workbook %1 could not be opened: %2")
                                             .arg(Filename, e.Message()));
                }
            }
            const int n = book->SheetsCount();
            for (int i = 1; i <= n; ++i)
                if (std::unique_ptr<ISpreadsheetSheet> s = book->Sheets(i); s->Name() == SheetName)
                    sheet = std::move(s);
            if (!sheet) {
                sheet = book->WorkSheetsAdd();
                sheet->SetName(SheetName);
            }
        } else if (CreateNewSheet || app->WorkBooksCount() == 0) {
            book = app->WorkBooksAdd();
            sheet = book->Sheets(1);
        } else {
            book = app->ActiveWorkBook();
            sheet = app->ActiveSheet();
            d = app->ActiveCellRow();
        }

        const int startRow = SaveStartRow();
        const int startCol = SaveStartCol();
        const int rows = RowCount() - startRow;
        const int cols = ColCount() - startCol;
        TOfficeTexts values(std::max(rows, 0), std::vector<QString>(std::max(cols, 0)));
        ExportNotification(esExportStart, startRow);
        for (int r = startRow; r < RowCount(); ++r) {
            ExportNotification(esExportNextRow, r);
            for (int c = startCol; c < ColCount(); ++c) {
                QString text = GetSaveCellText(RealColIndex(c), r);
                text.remove(QLatin1Char('\r'));
                values[r - startRow][c - startCol] = text;
            }
        }
        ExportNotification(esExportDone, -1);

        // An empty grid has no block to address.
        if (rows > 0 && cols > 0) {
            const QString address = QStringLiteral("A") + QString::number(d) + QLatin1Char(':') +
                                    OfficeColumnLetters(cols) + QString::number(d + rows - 1);
            sheet->SetRangeValue(address, values);
        }
        // A failed save is reported: the user would otherwise believe the file written.
        if (saveInPlace)
            book->Save();
        else
            book->SaveAs(Filename);
    });
}

void TNovaStringGrid::SaveToDOC(const QString &Filename, bool CreateNewDocument)
{
    WriteDOCFile(Filename, QString(), false, CreateNewDocument);
}

void TNovaStringGrid::AppendToDoc(const QString &Filename, const QString &Bookmark)
{
    WriteDOCFile(Filename, Bookmark, true, false);
}

void TNovaStringGrid::WriteDOCFile(const QString &Filename, const QString &Bookmark, bool Append,
                                   bool CreateNewDocument)
{
    THourGlass wait;
    TOfficeLink &link = OfficeLink();
    bool created = false;
    std::unique_ptr<IWordApp> app = attachOrCreate<IWordApp>(
        [&] { return link.AttachWordProcessor(); }, [&] { return link.CreateWordProcessor(); }, created,
        "Word OLE server not found");
    exportWith(*app, created, [&] {
        std::unique_ptr<IWordDocument> doc;
        if (Append)
            doc = app->DocumentsOpen(Filename);
        else if (CreateNewDocument || app->DocumentsCount() == 0)
            doc = app->DocumentsAdd();
        else
            doc = app->ActiveDocument();
        doc->SetShowSpellingErrors(false);
        app->SelectionTypeText(windowTitle());
        app->SelectionTypeParagraph();

        std::unique_ptr<IWordRange> range;
        if (Append && !Bookmark.isEmpty() && doc->BookmarksExists(Bookmark)) {
            range = doc->Goto(-1, Bookmark);
        } else if (Append) {
            doc->ParagraphsAdd();
            app->SelectionGoto(3, -1);
            const int end = app->SelectionEnd();
            range = doc->Range(end, end);
        } else {
            range = doc->Range(0, 0);
        }

        std::unique_ptr<IWordTable> table = doc->TablesAdd(*range, RowCount(), ColCount());
        ExportNotification(esExportStart, 0);
        for (int i = 1; i <= RowCount(); ++i) {
            ExportNotification(esExportNextRow, i);
            for (int j = 1; j <= ColCount(); ++j) {
                const int rc = RealColIndex(j - 1);
                table->CellRangeInsertAfter(i, j, GetSaveCellText(rc, i - 1));
                TAlignment ha;
                TVAlignment va;
                ResolveCellAlignment(rc, i - 1, ha, va);
                if (ha == taRightJustify)
                    table->CellRangeSetParagraphAlignment(i, j, 2);
                else if (ha == taCenter)
                    table->CellRangeSetParagraphAlignment(i, j, 1);
            }
        }
        ExportNotification(esExportDone, -1);
        doc->SaveAs(Filename);
    });
}
