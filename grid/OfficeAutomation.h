// The spreadsheet program and the word processor as the grid's exchange sees them: only the
// members it calls, each named after the automation member it stands for. Objects are held for
// one exchange and released at its end; the link behind them may be the real office or a fake.
#pragma once

#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

// An error reported by the automation server; it goes on to the grid's caller.
class EOfficeError : public std::runtime_error {
public:
    explicit EOfficeError(const QString &Message) : std::runtime_error(Message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// One element of a range's value array.
struct TOfficeValue {
    enum TKind { ovEmpty, ovText, ovError, ovObject };
    TKind Kind = ovEmpty;
    QString Text;
};
// Rows of columns; element [i][j] is the range's (i + 1, j + 1).
using TOfficeValues = std::vector<std::vector<TOfficeValue>>;
using TOfficeTexts = std::vector<std::vector<QString>>;

class ISpreadsheetSheet {
public:
    virtual ~ISpreadsheetSheet() = default;
    virtual QString Name() = 0;
    virtual void SetName(const QString &Name) = 0;
    // UsedRange.Address: absolute A1 notation, "$B$3:$D$7" or "$A$1".
    virtual QString UsedRangeAddress() = 0;
    // Rows.Cells(Row, Column), 1-based, as text.
    virtual QString RowsCellsText(int Row, int Column) = 0;
    // Range(Address).Value, read and written as one block.
    virtual TOfficeValues RangeValue(const QString &Address) = 0;
    virtual void SetRangeValue(const QString &Address, const TOfficeTexts &Values) = 0;
};

class ISpreadsheetWorkbook {
public:
    virtual ~ISpreadsheetWorkbook() = default;
    virtual int WorkSheetsCount() = 0;
    virtual std::unique_ptr<ISpreadsheetSheet> WorkSheetsItem(int Index) = 0; // 1-based
    virtual void SetSaved(bool Saved) = 0;
    virtual int SheetsCount() = 0;
    virtual std::unique_ptr<ISpreadsheetSheet> Sheets(int Index) = 0; // 1-based
    virtual std::unique_ptr<ISpreadsheetSheet> ActiveSheet() = 0;
    virtual void Close(bool SaveChanges) = 0;
    virtual std::unique_ptr<ISpreadsheetSheet> WorkSheetsAdd() = 0;
    virtual void Save() = 0;
    virtual void SaveAs(const QString &FileName) = 0;
};

class ISpreadsheetApp {
public:
    virtual ~ISpreadsheetApp() = default;
    virtual std::unique_ptr<ISpreadsheetWorkbook> WorkBooksOpen(const QString &FileName) = 0;
    virtual void Quit() = 0;
    virtual std::unique_ptr<ISpreadsheetWorkbook> WorkBooksAdd() = 0;
    virtual int WorkBooksCount() = 0;
    virtual std::unique_ptr<ISpreadsheetWorkbook> ActiveWorkBook() = 0;
    virtual std::unique_ptr<ISpreadsheetSheet> ActiveSheet() = 0;
    virtual int ActiveCellRow() = 0; // ActiveCell.Row, 1-based
};

// A place in a document where a table goes.
class IWordRange {
public:
    virtual ~IWordRange() = default;
};

class IWordTable {
public:
    virtual ~IWordTable() = default;
    // Cell(Row, Column).Range.InsertAfter(Text), 1-based.
    virtual void CellRangeInsertAfter(int Row, int Column, const QString &Text) = 0;
    // Cell(Row, Column).Range.ParagraphFormat.Alignment := Alignment (1 centred, 2 right).
    virtual void CellRangeSetParagraphAlignment(int Row, int Column, int Alignment) = 0;
};

class IWordDocument {
public:
    virtual ~IWordDocument() = default;
    virtual void SetShowSpellingErrors(bool Show) = 0;
    virtual bool BookmarksExists(const QString &Name) = 0;
    virtual std::unique_ptr<IWordRange> Goto(int What, const QString &Name) = 0;
    virtual void ParagraphsAdd() = 0;
    // Range(Start, End) in characters from the document's start.
    virtual std::unique_ptr<IWordRange> Range(int Start, int End) = 0;
    virtual std::unique_ptr<IWordTable> TablesAdd(IWordRange &Range, int NumRows, int NumColumns) = 0;
    virtual void SaveAs(const QString &FileName) = 0;
};

class IWordApp {
public:
    virtual ~IWordApp() = default;
    virtual std::unique_ptr<IWordDocument> DocumentsOpen(const QString &FileName) = 0;
    virtual int DocumentsCount() = 0;
    virtual std::unique_ptr<IWordDocument> DocumentsAdd() = 0;
    virtual std::unique_ptr<IWordDocument> ActiveDocument() = 0;
    virtual void SelectionTypeText(const QString &Text) = 0;
    virtual void SelectionTypeParagraph() = 0;
    virtual void SelectionGoto(int What, int Which) = 0;
    virtual int SelectionEnd() = 0;
    virtual void Quit() = 0;
};

// Where the servers come from: a new instance, or the running one. Null when there is none.
class TOfficeLink {
public:
    virtual ~TOfficeLink() = default;
    virtual std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet() = 0;
    virtual std::unique_ptr<ISpreadsheetApp> AttachSpreadsheet() = 0;
    virtual std::unique_ptr<IWordApp> AttachWordProcessor() = 0;
    virtual std::unique_ptr<IWordApp> CreateWordProcessor() = 0;
};

// The link grids use unless one is given to the grid itself; the program installs the real office.
void SetDefaultOfficeLink(std::unique_ptr<TOfficeLink> Link);
TOfficeLink *DefaultOfficeLink();

// Spreadsheet column letters for a 1-based column number, for any number ("A", "Z", "AA", "AAA"),
// and back; a text that is no column letters gives -1.
QString OfficeColumnLetters(int Column);
int OfficeColumnNumber(const QString &Letters);
