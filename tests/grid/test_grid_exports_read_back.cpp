// One grid with a hidden row, a hidden column, a merged cell and awkward texts goes out through
// every export, and each file is read back by a reader of its own format (Python's csv, html5lib,
// lxml, xmllint, pdftotext, the office). What comes back is compared with the cells the grid
// shows; what a format cannot carry by its own rules is listed beside it, with the reason.
#include "grid/HtmlPrintSettings.h"
#include "grid/NovaGrid.h"
#include "grid/UnoOffice.h"
#include "grid_readers.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPrinter>
#include <QRegularExpression>
#include <QUrl>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Rows = std::vector<QStringList>;

// The cells as the grid shows them: the hidden column (real 1) and row (real 3) left out, the
// merged cell once with the cell it covers empty.
const Rows kShown = {
    {"Name", "Value", "Note", "Last"},
    {"a,b;c", "say \"hi\"", "\"", "tab\there"},
    {"two\r\nlines", "  lead and trail  ", QString::fromUtf8("Café €"), QString::fromUtf8("日本")},
    {QStringLiteral("ctl") + QChar(1) + QStringLiteral("char"), "a&b<c", "merged", ""},
    {"plain", "", "1.5", "end"},
};

struct ExportGrid : TNovaStringGrid {
    ExportGrid()
    {
        SetColCount(5);
        SetRowCount(6);
        SetFixedCols(0);
        SetFixedRows(1);
        const Rows all = {
            {"Name", "Hidden col", "Value", "Note", "Last"},
            {"a,b;c", "h1", "say \"hi\"", "\"", "tab\there"},
            {"two\r\nlines", "h2", "  lead and trail  ", QString::fromUtf8("Café €"), QString::fromUtf8("日本")},
            {"hidden row", "h3", "x", "y", "z"},
            {QStringLiteral("ctl") + QChar(1) + QStringLiteral("char"), "h4", "a&b<c", "merged", ""},
            {"plain", "h5", "", "1.5", "end"},
        };
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                SetCells(c, r, all[size_t(r)][c]);
        MergeCells(3, 4, 2, 1);
        HideColumn(1);
        HideRow(3);
    }
    Rows shown()
    {
        Rows out;
        for (int r = 0; r < RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < ColCount(); ++c)
                row << (IsBaseCell(RealColIndex(c), r) ? Cells(RealColIndex(c), r) : QString());
            out.push_back(row);
        }
        return out;
    }
};

Rows rowsOf(const QString &json)
{
    Rows out;
    for (const QJsonValue &row : QJsonDocument::fromJson(json.toUtf8()).array()) {
        QStringList cells;
        for (const QJsonValue &cell : row.toArray())
            cells << cell.toString();
        out.push_back(cells);
    }
    return out;
}

// What a format cannot carry: the text it holds in place of a cell text, and why.
struct Loss {
    const char *why;
    std::function<QString(const QString &)> apply;
};

// The cell the merged one covers (row 3, shown column 3).
constexpr int kCoveredRow = 3, kCoveredCol = 3;

// The shown cells as a format holds them: its losses applied, and the covered cell as it writes it.
Rows expectedFor(const std::vector<Loss> &losses, const QString &covered = QString())
{
    Rows out = kShown;
    for (QStringList &row : out)
        for (QString &cell : row)
            for (const Loss &l : losses)
                cell = l.apply(cell);
    out[kCoveredRow][kCoveredCol] = covered;
    return out;
}

// A cell's text as a test message can show it.
std::string shownText(const QString &t)
{
    std::string out = "\"";
    for (QChar c : t) {
        if (c.unicode() < 0x20 || c.unicode() == 0xA0)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toStdString();
        else
            out += QString(c).toStdString();
    }
    return out + "\"";
}

void expectRows(const Rows &got, const Rows &want)
{
    ASSERT_EQ(got.size(), want.size()) << "rows";
    for (size_t r = 0; r < want.size(); ++r) {
        EXPECT_EQ(got[r].size(), want[r].size()) << "cells of row " << r;
        for (qsizetype c = 0; c < std::min(got[r].size(), want[r].size()); ++c)
            EXPECT_EQ(got[r][c], want[r][c]) << "cell (" << c << ", " << r << "): " << shownText(got[r][c]) << " for "
                                             << shownText(want[r][c]);
    }
}

// A merged cell is no part of these formats: the cells it covers hold its text, as the grid reads them.
const QString kMergedText = QStringLiteral("merged");

QString dropControls(QString t)
{
    t.remove(QChar(1));
    return t;
}

// Line breaks as the reader gives them.
QString lf(QString t) { return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

const char *kCellText = R"(
def text(el, br):
    t = el.text or ''
    for ch in el:
        t += ('\n' if br(ch) else text(ch, br)) + (ch.tail or '')
    return t
def rows(trs, br):
    out = []
    for tr in trs:
        row = []
        for td in [c for c in tr if not isinstance(c.tag, str) or c.tag.split('}')[-1].lower() in ('td', 'th')]:
            row.append(text(td, br))
            row += [''] * (int(td.get('colspan') or td.get('COLSPAN') or 1) - 1)
        out.append(row)
    return out
)";

struct Exports : ::testing::Test {
    QTemporaryDir dir;
    ExportGrid g;
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void SetUp() override { ASSERT_EQ(g.shown(), kShown) << "the fixture shows what the test expects"; }
};

} // namespace

TEST_F(Exports, CsvInBothEncodingsReadByPythonsCsv)
{
    if (gridreaders::python().isEmpty())
        GTEST_SKIP() << "python3 not present";
    const Loss lineBreak{"a line break travels as character 11, the grid's one-line form of a CSV cell",
                         [](const QString &t) { return QString(t).replace(QStringLiteral("\r\n"), QString(QChar(11))); }};
    const Loss ansi{"the ANSI code page has no characters for 日本: each becomes \"?\"",
                    [](const QString &t) { return QString(t).replace(QString::fromUtf8("日本"), QStringLiteral("??")); }};
    struct Case {
        bool unicode;
        const char *encoding;
        std::vector<Loss> losses;
    } cases[] = {{false, "cp1252", {lineBreak, ansi}}, {true, "utf-8-sig", {lineBreak}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.encoding);
        g.SaveToCSV(path("grid.csv"), c.unicode);
        const QString json = gridreaders::runPython(
            QStringLiteral("import csv,sys,json\n"
                           "with open(sys.argv[1], newline='', encoding=sys.argv[2]) as f:\n"
                           "    print(json.dumps(list(csv.reader(f))))\n"),
            {path("grid.csv"), QLatin1String(c.encoding)});
        expectRows(rowsOf(json), expectedFor(c.losses, kMergedText));
    }
}

TEST_F(Exports, BinaryFileReadByTheGrid)
{
    // No reader of this format exists but the grid's own.
    g.SaveToBinFile(path("grid.bin"));
    TNovaStringGrid back;
    back.LoadFromBinFile(path("grid.bin"));
    Rows got;
    for (int r = 0; r < back.RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < back.ColCount(); ++c)
            row << (back.IsBaseCell(c, r) ? back.Cells(c, r) : QString());
        got.push_back(row);
    }
    expectRows(got, kShown);
    EXPECT_TRUE(back.IsMergedCell(2, 3));
}

TEST_F(Exports, HtmlReadByHtml5lib)
{
    if (!gridreaders::pythonHas("html5lib"))
        GTEST_SKIP() << "python3-html5lib not present";
    // Cell texts are mini-HTML unless ConvertSpecialChars is set: with the default "<" starts a
    // tag, so the export of plain texts sets it.
    g.HTMLSettings()->SetConvertSpecialChars(true);
    g.SaveToHTML(path("grid.html"), false, true);
    const QString json = gridreaders::runPython(
        QString::fromLatin1(kCellText)
            + QStringLiteral("import html5lib,sys,json\n"
                             "doc = html5lib.parse(open(sys.argv[1], 'rb'), treebuilder='etree', namespaceHTMLElements=False)\n"
                             "print(json.dumps(rows(doc.iter('tr'), lambda e: e.tag == 'br')))\n"),
        {path("grid.html")});
    const std::vector<Loss> losses = {
        {"a line break is written as <br> followed by its LF, which HTML reads as a blank",
         [](const QString &t) { return QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n\n")); }},
        {"an empty cell holds a non-breaking space, so that the table keeps it",
         [](const QString &t) { return t.isEmpty() ? QString(QChar(0xA0)) : t; }},
    };
    expectRows(rowsOf(json), expectedFor(losses));
}

TEST_F(Exports, XhtmlIsWellFormedAndReadByLxml)
{
    if (!gridreaders::pythonHas("lxml"))
        GTEST_SKIP() << "python3-lxml not present";
    g.HTMLSettings()->SetXHTML(true);
    g.SaveToHTML(path("grid.xhtml"), false, true);
    if (!gridreaders::tool(QStringLiteral("xmllint")).isEmpty())
        gridreaders::run(gridreaders::tool(QStringLiteral("xmllint")), {QStringLiteral("--noout"), path("grid.xhtml")});
    const QString json = gridreaders::runPython(
        QString::fromLatin1(kCellText)
            + QStringLiteral("from lxml import etree\nimport sys,json\n"
                             "doc = etree.parse(sys.argv[1])\n"
                             "print(json.dumps(rows(doc.xpath('//*[local-name()=\"tr\"]'), lambda e: etree.QName(e).localname == 'br')))\n"),
        {path("grid.xhtml")});
    const std::vector<Loss> losses = {
        {"XML 1.0 cannot hold a control character: it is left out", dropControls},
        {"a line break is written as <br /> followed by its LF, which XHTML reads as a blank",
         [](const QString &t) { return QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n\n")); }},
        {"an empty cell holds a non-breaking space, so that the table keeps it",
         [](const QString &t) { return t.isEmpty() ? QString(QChar(0xA0)) : t; }},
    };
    expectRows(rowsOf(json), expectedFor(losses));
}

TEST_F(Exports, XmlIsWellFormedAndReadByLxml)
{
    if (!gridreaders::pythonHas("lxml"))
        GTEST_SKIP() << "python3-lxml not present";
    g.SaveToXML(path("grid.xml"), QStringLiteral("grid"), QStringLiteral("row"), nullptr, true);
    if (!gridreaders::tool(QStringLiteral("xmllint")).isEmpty())
        gridreaders::run(gridreaders::tool(QStringLiteral("xmllint")), {QStringLiteral("--noout"), path("grid.xml")});
    // Each field element names its column; a cell covered by a merged one has no element.
    const QString json = gridreaders::runPython(
        QStringLiteral("from lxml import etree\nimport sys,json\n"
                       "out = []\n"
                       "for rec in etree.parse(sys.argv[1]).getroot():\n"
                       "    row = ['<none>'] * 4\n"
                       "    for f in rec:\n"
                       "        row[int(f.tag[5:])] = f.text or ''\n"
                       "    out.append(row)\n"
                       "print(json.dumps(out))\n"),
        {path("grid.xml")});
    const Rows expected = expectedFor({
        {"XML 1.0 cannot hold a control character: it is left out", dropControls},
        {"\"&\" travels as \"$amp;\", the format's own escape that the grid's XML import undoes",
         [](const QString &t) { return QString(t).replace(QLatin1Char('&'), QStringLiteral("$amp;")); }},
        {"an empty cell is written as two quotes (QuoteEmptyCells)",
         [](const QString &t) { return t.isEmpty() ? QStringLiteral("\"\"") : t; }},
    }, QStringLiteral("<none>")); // the cell the merged one covers is not written
    expectRows(rowsOf(json), expected);
}

TEST_F(Exports, ClipboardTextReadByPythonsCsv)
{
    if (gridreaders::python().isEmpty())
        GTEST_SKIP() << "python3 not present";
    g.CopyToClipBoard();
    const QString json = gridreaders::pythonCsvRows(QGuiApplication::clipboard()->text().toUtf8(), QStringLiteral("excel-tab"));
    expectRows(rowsOf(json), expectedFor({{"a line break is one LF, as spreadsheets write it", lf}}, kMergedText));
}

TEST_F(Exports, PrintedPdfReadByPdftotext)
{
    const QString pdftotext = gridreaders::tool(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "poppler-utils not present";
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path("grid.pdf"));
    g.SetPrinter(printer);
    g.Print();
    printer.reset();
    g.SetPrinter(nullptr);
    const QString page = QString::fromUtf8(gridreaders::run(pdftotext, {QStringLiteral("-layout"), path("grid.pdf"), QStringLiteral("-")}));
    // A page holds words, not cells: each shown word is on it, in its row, and nothing hidden is.
    // Blanks around a text are not seen on paper; a TAB and a control character print as nothing
    // a reader gives back; 日本 prints only where a font holds the characters.
    const bool cjk = !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
    const QStringList lines = page.split(QLatin1Char('\n'));
    auto lineOf = [&](const QString &word) {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains(word))
                return i;
        return -1;
    };
    for (const QStringList &row : kShown) {
        int line = -1;
        for (const QString &cell : row)
            for (QString word : cell.split(QRegularExpression(QStringLiteral("[\\s\\x01]+")), Qt::SkipEmptyParts)) {
                if (word == QString::fromUtf8("日本") && !cjk)
                    continue;
                const int at = lineOf(word);
                EXPECT_GE(at, 0) << word.toStdString() << " is printed";
                if (cell.contains(QLatin1Char('\n')) || at < 0)
                    continue; // the second line of a cell prints below its row
                if (line < 0)
                    line = at;
                EXPECT_EQ(at, line) << word.toStdString() << " prints in its row";
            }
    }
    for (const char *hidden : {"Hidden col", "h1", "h2", "hidden row"})
        EXPECT_FALSE(page.contains(QLatin1String(hidden))) << hidden;
}

TEST_F(Exports, SpreadsheetReadByTheOffice)
{
    const QString soffice = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    if (!TUnoOffice::Available() || gridreaders::python().isEmpty())
        GTEST_SKIP() << "office or python3 not present";
    // No office runs on this pipe: the export starts its own.
    TUnoOffice office(QStringLiteral("nova_exports_%1").arg(QCoreApplication::applicationPid()));
    g.SetOfficeLink(&office);
    g.SaveToXLS(path("grid.ods"), true);
    g.SetOfficeLink(nullptr);

    // The office opens the workbook and writes it again as flat XML (in a profile of its own),
    // which lxml reads cell by cell: a CSV of the office would lose a TAB in a cell.
    if (!gridreaders::pythonHas("lxml"))
        GTEST_SKIP() << "python3-lxml not present";
    QTemporaryDir profile;
    gridreaders::run(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                               QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("fods"),
                               QStringLiteral("--outdir"), dir.path(), path("grid.ods")});
    const QString json = gridreaders::runPython(
        QStringLiteral("from lxml import etree\nimport sys,json\n"
                       "T='{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'\n"
                       "X='{urn:oasis:names:tc:opendocument:xmlns:text:1.0}'\n"
                       "def text(p):\n"
                       "    t = p.text or ''\n"
                       "    for ch in p:\n"
                       "        tag = etree.QName(ch).localname\n"
                       "        t += ' ' * int(ch.get(X + 'c') or 1) if tag == 's' else '\\t' if tag == 'tab' else '\\n' if tag == 'line-break' else text(ch)\n"
                       "        t += ch.tail or ''\n"
                       "    return t\n"
                       "table = next(etree.parse(sys.argv[1]).iter(T + 'table'))\n"
                       "rows = []\n"
                       "for tr in table.iter(T + 'table-row'):\n"
                       "    row = []\n"
                       "    for cell in tr:\n"
                       "        row += ['\\n'.join(text(p) for p in cell.iter(X + 'p'))] * int(cell.get(T + 'number-columns-repeated') or 1)\n"
                       "    rows.append(row[:4])\n"
                       "while rows and not any(rows[-1]): rows.pop()\n"
                       "print(json.dumps(rows))\n"),
        {path("grid.fods")});
    expectRows(rowsOf(json), expectedFor({{"a line break goes into the sheet as LF (CR is removed)", lf},
                                          {"the office's documents are XML inside: a control character is left out", dropControls},
                                          {"the workbook holds a TAB inside a cell, but the office drops it when it opens the file",
                                           [](const QString &t) { return QString(t).remove(QLatin1Char('\t')); }}},
                                         kMergedText));
}
