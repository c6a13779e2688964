// A recording office: every member the grid calls is written to Log in call order, over a small
// model of workbooks and documents. Fail names a member that raises the server's error.
#pragma once

#include "grid/OfficeAutomation.h"

#include <QStringList>

#include <map>

struct TFakeSheet {
    QString Name;
    QString UsedAddress = QStringLiteral("$A$1");
    TOfficeValues Values;       // what Range(...).Value returns
    QString SingleCell;         // what Rows.Cells(r, c) returns
    QString WrittenAddress;     // the last Range(...).Value := address
    TOfficeTexts Written;
};

inline TFakeSheet fakeSheet(const QString &name, const QString &used = QStringLiteral("$A$1"),
                            const TOfficeValues &values = {}, const QString &single = QString())
{
    TFakeSheet s;
    s.Name = name;
    s.UsedAddress = used;
    s.Values = values;
    s.SingleCell = single;
    return s;
}

struct TFakeBook {
    std::vector<TFakeSheet> Sheets;
    int Active = 0; // index into Sheets
};

struct TFakeTableCell {
    QString Text;
    int Alignment = 0;
};

class TFakeOffice : public TOfficeLink {
public:
    QStringList Log;
    bool Running = false;   // an instance that can be attached to
    bool Creatable = true;  // a new instance can be made
    QStringList Fail;       // members that raise EOfficeError
    std::map<QString, TFakeBook> Files; // workbooks the fake "disk" holds
    std::vector<TFakeBook> Open;        // workbooks of the running instance
    int ActiveBook = 0;
    int ActiveRow = 1;
    QStringList Bookmarks;
    int DocumentCount = 0;
    std::map<std::pair<int, int>, TFakeTableCell> Table; // (row, column), 1-based

    void call(const QString &member)
    {
        Log << member;
        for (const QString &f : Fail)
            if (member.startsWith(f))
                throw EOfficeError(QStringLiteral("fake failure in ") + member);
    }

    struct Sheet : ISpreadsheetSheet {
        TFakeOffice &o;
        TFakeSheet &s;
        Sheet(TFakeOffice &o, TFakeSheet &s) : o(o), s(s) {}
        QString Name() override { o.call(QStringLiteral("Name")); return s.Name; }
        void SetName(const QString &n) override { o.call(QStringLiteral("Name=") + n); s.Name = n; }
        QString UsedRangeAddress() override { o.call(QStringLiteral("UsedRange.Address")); return s.UsedAddress; }
        QString RowsCellsText(int r, int c) override
        {
            o.call(QStringLiteral("Rows.Cells(%1,%2)").arg(r).arg(c));
            return s.SingleCell;
        }
        TOfficeValues RangeValue(const QString &a) override
        {
            o.call(QStringLiteral("Range(%1).Value").arg(a));
            return s.Values;
        }
        void SetRangeValue(const QString &a, const TOfficeTexts &v) override
        {
            o.call(QStringLiteral("Range(%1).Value=").arg(a));
            s.WrittenAddress = a;
            s.Written = v;
        }
    };

    struct Book : ISpreadsheetWorkbook {
        TFakeOffice &o;
        TFakeBook &b;
        Book(TFakeOffice &o, TFakeBook &b) : o(o), b(b) {}
        std::unique_ptr<ISpreadsheetSheet> sheet(int i) { return std::make_unique<Sheet>(o, b.Sheets.at(i - 1)); }
        int WorkSheetsCount() override { o.call(QStringLiteral("WorkSheets.Count")); return int(b.Sheets.size()); }
        std::unique_ptr<ISpreadsheetSheet> WorkSheetsItem(int i) override
        {
            o.call(QStringLiteral("WorkSheets.Item(%1)").arg(i));
            return sheet(i);
        }
        void SetSaved(bool v) override { o.call(QStringLiteral("Saved=%1").arg(v)); }
        int SheetsCount() override { o.call(QStringLiteral("Sheets.Count")); return int(b.Sheets.size()); }
        std::unique_ptr<ISpreadsheetSheet> Sheets(int i) override
        {
            o.call(QStringLiteral("Sheets(%1)").arg(i));
            return sheet(i);
        }
        std::unique_ptr<ISpreadsheetSheet> ActiveSheet() override
        {
            o.call(QStringLiteral("ActiveSheet"));
            return sheet(b.Active + 1);
        }
        void Close(bool save) override { o.call(QStringLiteral("Close(%1)").arg(save)); }
        std::unique_ptr<ISpreadsheetSheet> WorkSheetsAdd() override
        {
            o.call(QStringLiteral("WorkSheets.Add"));
            b.Sheets.push_back(fakeSheet(QStringLiteral("Sheet%1").arg(b.Sheets.size() + 1)));
            return sheet(int(b.Sheets.size()));
        }
        void Save() override { o.call(QStringLiteral("Save")); }
        void SaveAs(const QString &f) override
        {
            o.call(QStringLiteral("SaveAs(%1)").arg(f));
            o.Files[f] = b;
        }
    };

    struct Calc : ISpreadsheetApp {
        TFakeOffice &o;
        explicit Calc(TFakeOffice &o) : o(o) {}
        std::unique_ptr<ISpreadsheetWorkbook> WorkBooksOpen(const QString &f) override
        {
            o.call(QStringLiteral("WorkBooks.Open(%1)").arg(f));
            if (!o.Files.count(f))
                throw EOfficeError(QStringLiteral("no such file"));
            return std::make_unique<Book>(o, o.Files[f]);
        }
        void Quit() override { o.call(QStringLiteral("Quit")); }
        std::unique_ptr<ISpreadsheetWorkbook> WorkBooksAdd() override
        {
            o.call(QStringLiteral("WorkBooks.Add"));
            o.Open.push_back(TFakeBook{{fakeSheet(QStringLiteral("Sheet1"))}, 0});
            o.ActiveBook = int(o.Open.size()) - 1;
            return std::make_unique<Book>(o, o.Open.back());
        }
        int WorkBooksCount() override { o.call(QStringLiteral("WorkBooks.Count")); return int(o.Open.size()); }
        std::unique_ptr<ISpreadsheetWorkbook> ActiveWorkBook() override
        {
            o.call(QStringLiteral("ActiveWorkBook"));
            return std::make_unique<Book>(o, o.Open.at(o.ActiveBook));
        }
        std::unique_ptr<ISpreadsheetSheet> ActiveSheet() override
        {
            o.call(QStringLiteral("ActiveSheet"));
            TFakeBook &b = o.Open.at(o.ActiveBook);
            return std::make_unique<Sheet>(o, b.Sheets.at(b.Active));
        }
        int ActiveCellRow() override { o.call(QStringLiteral("ActiveCell.Row")); return o.ActiveRow; }
    };

    struct WordRange : IWordRange {};

    struct WordTable : IWordTable {
        TFakeOffice &o;
        explicit WordTable(TFakeOffice &o) : o(o) {}
        void CellRangeInsertAfter(int r, int c, const QString &t) override
        {
            o.call(QStringLiteral("Cell(%1,%2).Range.InsertAfter(%3)").arg(r).arg(c).arg(t));
            o.Table[{r, c}].Text += t;
        }
        void CellRangeSetParagraphAlignment(int r, int c, int a) override
        {
            o.call(QStringLiteral("Cell(%1,%2).Range.ParagraphFormat.Alignment=%3").arg(r).arg(c).arg(a));
            o.Table[{r, c}].Alignment = a;
        }
    };

    struct Doc : IWordDocument {
        TFakeOffice &o;
        explicit Doc(TFakeOffice &o) : o(o) {}
        void SetShowSpellingErrors(bool v) override { o.call(QStringLiteral("ShowSpellingErrors=%1").arg(v)); }
        bool BookmarksExists(const QString &n) override
        {
            o.call(QStringLiteral("Bookmarks.Exists(%1)").arg(n));
            return o.Bookmarks.contains(n);
        }
        std::unique_ptr<IWordRange> Goto(int w, const QString &n) override
        {
            o.call(QStringLiteral("Goto(%1,%2)").arg(w).arg(n));
            return std::make_unique<WordRange>();
        }
        void ParagraphsAdd() override { o.call(QStringLiteral("Paragraphs.Add")); }
        std::unique_ptr<IWordRange> Range(int s, int e) override
        {
            o.call(QStringLiteral("Range(%1,%2)").arg(s).arg(e));
            return std::make_unique<WordRange>();
        }
        std::unique_ptr<IWordTable> TablesAdd(IWordRange &, int r, int c) override
        {
            o.call(QStringLiteral("Tables.Add(%1,%2)").arg(r).arg(c));
            return std::make_unique<WordTable>(o);
        }
        void SaveAs(const QString &f) override { o.call(QStringLiteral("SaveAs(%1)").arg(f)); }
    };

    struct Writer : IWordApp {
        TFakeOffice &o;
        explicit Writer(TFakeOffice &o) : o(o) {}
        std::unique_ptr<IWordDocument> DocumentsOpen(const QString &f) override
        {
            o.call(QStringLiteral("Documents.Open(%1)").arg(f));
            return std::make_unique<Doc>(o);
        }
        int DocumentsCount() override { o.call(QStringLiteral("Documents.Count")); return o.DocumentCount; }
        std::unique_ptr<IWordDocument> DocumentsAdd() override
        {
            o.call(QStringLiteral("Documents.Add"));
            return std::make_unique<Doc>(o);
        }
        std::unique_ptr<IWordDocument> ActiveDocument() override
        {
            o.call(QStringLiteral("ActiveDocument"));
            return std::make_unique<Doc>(o);
        }
        void SelectionTypeText(const QString &t) override { o.call(QStringLiteral("Selection.TypeText(%1)").arg(t)); }
        void SelectionTypeParagraph() override { o.call(QStringLiteral("Selection.TypeParagraph")); }
        void SelectionGoto(int w, int n) override { o.call(QStringLiteral("Selection.Goto(%1,%2)").arg(w).arg(n)); }
        int SelectionEnd() override { o.call(QStringLiteral("Selection.End")); return 42; }
        void Quit() override { o.call(QStringLiteral("Quit")); }
    };

    std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet() override
    {
        Log << QStringLiteral("Create");
        return Creatable ? std::make_unique<Calc>(*this) : nullptr;
    }
    std::unique_ptr<ISpreadsheetApp> AttachSpreadsheet() override
    {
        Log << QStringLiteral("Attach");
        return Running ? std::make_unique<Calc>(*this) : nullptr;
    }
    std::unique_ptr<IWordApp> AttachWordProcessor() override
    {
        Log << QStringLiteral("Attach");
        return Running ? std::make_unique<Writer>(*this) : nullptr;
    }
    std::unique_ptr<IWordApp> CreateWordProcessor() override
    {
        Log << QStringLiteral("Create");
        return Creatable ? std::make_unique<Writer>(*this) : nullptr;
    }
};

// Range values from rows of texts; "#ERR" stands for an error value, "" for an empty cell.
inline TOfficeValues fakeValues(const std::vector<std::vector<QString>> &rows)
{
    TOfficeValues v;
    for (const auto &r : rows) {
        v.emplace_back();
        for (const QString &t : r) {
            TOfficeValue e;
            e.Kind = t.isEmpty() ? TOfficeValue::ovEmpty
                                 : t == QLatin1String("#ERR") ? TOfficeValue::ovError : TOfficeValue::ovText;
            e.Text = t;
            v.back().push_back(e);
        }
    }
    return v;
}
