// HTML, XML and plain-text export and the XML import: golden texts, the HTML read back by
// Python's html.parser, XHTML and XML checked by xmllint, and the edge cases of each format.
#include "grid/HtmlPrintSettings.h"
#include "grid/NovaGrid.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Grid : TNovaStringGrid {
    Grid(int cols, int rows, int fixedRows = 0)
    {
        SetFixedCols(0);
        SetFixedRows(fixedRows);
        SetColCount(cols);
        SetRowCount(rows);
    }
    void fill(const std::vector<QStringList> &rows)
    {
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
                SetCells(c, r, rows[size_t(r)][c]);
    }
};

QString golden(const QString &name)
{
    return QString::fromUtf8(testsupport::readAll(testsupport::dataDir() + QStringLiteral("/grid_export/") + name));
}

// Runs a program; its standard output, or a skip when the program is missing.
bool run(const QString &program, const QStringList &args, QByteArray &out, int &code, const QByteArray &input = {})
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return false;
    QProcess p;
    p.start(program, args);
    if (!input.isEmpty()) {
        p.write(input);
        p.closeWriteChannel();
    }
    p.waitForFinished(30000);
    out = p.readAllStandardOutput() + p.readAllStandardError();
    code = p.exitCode();
    return true;
}

void expectXmllintClean(const QString &path)
{
    QByteArray out;
    int code = -1;
    if (!run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path}, out, code))
        GTEST_SKIP() << "xmllint not installed";
    EXPECT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(out.isEmpty()) << out.toStdString();
}

// The table of the golden texts: a header row, an ampersand, a blank cell, one coloured cell
// and one right-aligned cell.
void goldenGrid(Grid &g)
{
    g.fill({{"Name", "Value", "Note"}, {"a & b", "12", ""}, {"x<y", "7", "two\r\nlines"}});
    g.SetSaveFixedCells(true);
    TFont f;
    f.Name = QStringLiteral("Tahoma");
    f.Size = 8;
    g.SetFont(f);
    g.CellProperties(1, 1)->SetBrushColor(TColor(0x00FFFF));
    g.CellProperties(1, 2)->SetAlignment(taRightJustify);
}

} // namespace

TEST(GridHtmlExport, MatchesGoldenText)
{
    Grid g(3, 3, 1);
    goldenGrid(g);
    EXPECT_EQ(g.SaveToHTMLString(QString()), golden(QStringLiteral("table.html")));
}

TEST(GridHtmlExport, XhtmlMatchesGoldenTextAndIsWellFormed)
{
    Grid g(3, 3, 1);
    goldenGrid(g);
    g.HTMLSettings()->SetXHTML(true);
    const QString html = g.SaveToHTMLString(QString());
    EXPECT_EQ(html, golden(QStringLiteral("table.xhtml")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xhtml"));
    g.SaveToHTML(path);
    expectXmllintClean(path);
}

// XHTML is XML: a cell holding a character XML cannot hold loses that character, not the document.
TEST(GridHtmlExport, XhtmlDropsTheCharactersXmlCannotHold)
{
    Grid g(3, 1);
    g.fill({{QString::fromUtf8("a\x01" "b"), QString::fromUtf8("x\x1F" "y\xEF\xBF\xBF"), QString(QChar(0xDC00)) + "s\x0B"}});
    g.HTMLSettings()->SetXHTML(true);
    g.HTMLSettings()->SetSummary(QString::fromUtf8("sum\x07"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xhtml"));
    g.SaveToHTML(path);
    expectXmllintClean(path);
    const QString html = g.SaveToHTMLString(QString());
    for (const char *cell : {">ab</td>", ">xy</td>", ">s</td>", "summary=\"sum\""})
        EXPECT_TRUE(html.contains(QLatin1String(cell))) << cell << "\n" << html.toStdString();
}

TEST(GridHtmlExport, PythonHtmlParserReadsTheCells)
{
    Grid g(3, 3, 1);
    goldenGrid(g);
    g.HTMLSettings()->SetConvertSpecialChars(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.html"));
    g.SaveToHTML(path);
    const QByteArray script = R"(
import sys
from html.parser import HTMLParser
class P(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        elif tag == 'td': self.cell = ''
        elif tag == 'br' and self.cell is not None: self.cell += '|'
    def handle_endtag(self, tag):
        if tag == 'td': self.rows[-1].append(self.cell.strip()); self.cell = None
    def handle_data(self, d):
        if self.cell is not None: self.cell += d
p = P()
p.feed(open(sys.argv[1], encoding='ascii').read())
for r in p.rows: print(';'.join(r))
)";
    QTemporaryDir sd;
    testsupport::writeFile(sd.filePath(QStringLiteral("p.py")), script);
    QByteArray out;
    int code = -1;
    if (!run(QStringLiteral("python3"), {sd.filePath(QStringLiteral("p.py")), path}, out, code))
        GTEST_SKIP() << "python3 not installed";
    ASSERT_EQ(code, 0) << out.toStdString();
    EXPECT_EQ(QString::fromUtf8(out), QStringLiteral("Name;Value;Note\na & b;12;\nx<y;7;two|\nlines\n"));
}

TEST(GridHtmlExport, EdgeCases)
{
    struct Case {
        const char *name;
        std::function<void(Grid &)> setup;
        std::function<void(const QString &)> check;
    };
    const std::vector<Case> cases = {
        {"one look gives one class c0",
         [](Grid &g) { g.fill({{"a", "b"}}); },
         [](const QString &h) {
             EXPECT_TRUE(h.contains(".c0 {")) << h.toStdString();
             EXPECT_FALSE(h.contains(".c1 {"));
         }},
        {"another background adds c1",
         [](Grid &g) {
             g.fill({{"a", "b"}});
             g.CellProperties(1, 0)->SetBrushColor(clRed);
         },
         [](const QString &h) {
             EXPECT_TRUE(h.contains(".c1 {background-color: #FF0000")) << h.toStdString();
         }},
        {"a default grid's background resolves to white",
         [](Grid &g) { g.fill({{"a", "b"}}); },
         [](const QString &h) { EXPECT_TRUE(h.contains(".c0 {background-color: #FFFFFF;")) << h.toStdString(); }},
        {"empty and blank cells are &nbsp;",
         [](Grid &g) { g.fill({{"", "   "}, {"x", "y"}}); },
         [](const QString &h) { EXPECT_EQ(h.count(">&nbsp;</td>"), 2) << h.toStdString(); }},
        {"widths only in the header row when there is one",
         [](Grid &g) {
             g.SetFixedRows(1);
             g.SetSaveFixedCells(true);
             g.fill({{"h1", "h2"}, {"a", "b"}});
             g.HTMLSettings()->ColWidths().Add(40);
             g.HTMLSettings()->ColWidths().Add(60);
         },
         [](const QString &h) {
             EXPECT_TRUE(h.contains(" nowrap WIDTH=40>h1</td>")) << h.toStdString();
             EXPECT_FALSE(h.contains(" width=")) << h.toStdString();
         }},
        {"widths in the rows without a header row",
         [](Grid &g) {
             g.fill({{"a", "b"}});
             g.HTMLSettings()->ColWidths().Add(40);
         },
         [](const QString &h) { EXPECT_TRUE(h.contains(" nowrap width=40>a</td>")) << h.toStdString(); }},
        {"an image-index list without an image list is plain text",
         [](Grid &g) {
             g.fill({{"pic", "b"}});
             g.CreateCellGraphic(0, 0)->SetMultiImage(0, 0, {}, false, haLeft, vaTop);
             g.GetCellImages(0, 0)->Add(0);
         },
         [](const QString &h) {
             EXPECT_TRUE(h.contains(">pic</td>")) << h.toStdString();
             EXPECT_FALSE(h.contains("<img"));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid g(2, 2);
        c.setup(g);
        c.check(g.SaveToHTMLString(QString()));
    }
}

// ---- XML ----------------------------------------------------------------------------------------

TEST(GridXmlExport, MatchesGoldenTextAndIsWellFormed)
{
    Grid g(3, 3, 1);
    goldenGrid(g);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    g.SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    EXPECT_EQ(testsupport::readAll(path), golden(QStringLiteral("table.xml")).toLatin1());
    expectXmllintClean(path);
}

TEST(GridXmlExport, EdgeCases)
{
    struct Case {
        const char *name;
        QString cell;
        bool exportEmpty;
        QByteArray expectedInFile;
        QString readBack; // the first cell after LoadFromXML
    };
    const std::vector<Case> cases = {
        {"ampersand written as $amp;", "a & b", true, "<FIELD0>a $amp; b</FIELD0>", "a & b"},
        {"an entity text comes back decoded", "&gt;", true, "<FIELD0>$amp;gt;</FIELD0>", ">"},
        {"bytes in the declared encoding", QStringLiteral("caf\u00e9"), true, "<FIELD0>caf\xe9</FIELD0>",
         QStringLiteral("caf\u00e9")},
        {"a character outside the encoding as a reference", QStringLiteral("5\u20ac"), true,
         "<FIELD0>5&#8364;</FIELD0>", QStringLiteral("5\u20ac")},
        {"CR kept as a reference", "a\r\nb", true, "<FIELD0>a&#13;\nb</FIELD0>", "a\r\nb"},
        {"characters XML cannot hold dropped", QStringLiteral("a\x01\x1b" "b"), true, "<FIELD0>ab</FIELD0>", "ab"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid g(2, 1);
        g.fill({{c.cell, "z"}});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.xml"));
        g.SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), nullptr, c.exportEmpty);
        const QByteArray bytes = testsupport::readAll(path);
        EXPECT_TRUE(bytes.contains(c.expectedInFile)) << bytes.toStdString();
        expectXmllintClean(path);
        Grid back(1, 1);
        back.LoadFromXML(path);
        EXPECT_EQ(back.Cells(0, 0), c.readBack);
        EXPECT_EQ(back.Cells(1, 0), QStringLiteral("z"));
    }
}

TEST(GridXmlExport, EmptyCellsLeftOutKeepTheirFieldNumbers)
{
    Grid g(3, 1);
    g.fill({{"a", "", "c"}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    g.SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), nullptr, false);
    const QByteArray bytes = testsupport::readAll(path);
    EXPECT_TRUE(bytes.contains("<FIELD0>a</FIELD0>\r\n<FIELD2>c</FIELD2>")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("FIELD1"));
}

TEST(GridXmlExport, NamesAreChecked)
{
    Grid g(1, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    const QStringList bad{QStringLiteral("1st")};
    EXPECT_THROW(g.SaveToXML(path, QStringLiteral("my list"), QStringLiteral("rec"), nullptr, true), ENovaGridError);
    EXPECT_THROW(g.SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), &bad, true), ENovaGridError);
    EXPECT_FALSE(QFile::exists(path));
    const QStringList good{QStringLiteral("Name")};
    g.SetCells(0, 0, QStringLiteral("v"));
    g.SaveToXML(path, QStringLiteral("list"), QStringLiteral("rec"), &good, true);
    EXPECT_TRUE(testsupport::readAll(path).contains("<Name>v</Name>"));
}

TEST(GridXmlImport, ErrorsAndBounds)
{
    QTemporaryDir dir;
    Grid g(1, 1);
    try {
        g.LoadFromXML(dir.filePath(QStringLiteral("none.xml")));
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "XML file not found");
    }
    const QString broken = dir.filePath(QStringLiteral("b.xml"));
    testsupport::writeFile(broken, "<a>\n<b>\n</a>");
    try {
        g.LoadFromXML(broken);
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("XMLDOM Parsing error "))) << e.what();
        EXPECT_TRUE(QString::fromUtf8(e.what()).endsWith(QStringLiteral(" on line 3"))) << e.what();
    }
    // Nesting beyond the bound is refused, not followed.
    QByteArray deep = "<r><x><b/>";
    for (int i = 0; i < 400; ++i)
        deep += "<a><b/><b/>";
    for (int i = 0; i < 400; ++i)
        deep += "</a>";
    deep += "</x></r>";
    const QString deepPath = dir.filePath(QStringLiteral("d.xml"));
    testsupport::writeFile(deepPath, deep);
    EXPECT_THROW(g.LoadFromXML(deepPath), std::runtime_error);
    // So is a document wider than the grid may grow.
    QByteArray wide = "<r><x>";
    for (int i = 0; i < TNovaStringGrid::MaxXMLCols + 5; ++i)
        wide += "<f>1</f>";
    wide += "</x></r>";
    const QString widePath = dir.filePath(QStringLiteral("w.xml"));
    testsupport::writeFile(widePath, wide);
    EXPECT_THROW(g.LoadFromXML(widePath), std::runtime_error);
    EXPECT_LE(g.ColCount(), TNovaStringGrid::MaxXMLCols);
}

TEST(GridXmlImport, RowsAndHeaderNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    testsupport::writeFile(path, "<list><rec><Name>a</Name><Qty>1</Qty></rec><rec><Name>b</Name><Qty>\"\"</Qty></rec></list>");
    Grid g(2, 2, 1);
    g.SetSaveFixedCells(true);
    g.LoadFromXML(path, false, true);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Qty"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 2), QString());
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColCount(), 2);
}

// ---- plain text ---------------------------------------------------------------------------------

namespace {
QStringList asciiLines(Grid &g)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    g.SaveToASCII(path);
    QString text;
    platform::readTextFile(path, platform::TextEncoding::Ansi, text);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

TEST(GridAsciiExport, AlignsColumns)
{
    Grid g(2, 2);
    g.fill({{"abc", "x"}, {"7", "yy"}});
    g.CellProperties(0, 1)->SetAlignment(taRightJustify);
    EXPECT_EQ(asciiLines(g), (QStringList{QStringLiteral("abc x  "), QStringLiteral("  7 yy ")}));
    EXPECT_EQ(g.ColumnMaxTextLength(0), 3);
}

// A shown column takes the alignment of its own cells, not that of the column at its place when
// a column before it is hidden.
TEST(GridAsciiAndHtmlExport, HiddenColumnLeavesEachShownColumnItsAlignment)
{
    Grid g(3, 2);
    g.fill({{"h", "hidden", "abc"}, {"x", "hidden", "7"}});
    g.CellProperties(2, 1)->SetAlignment(taRightJustify);
    g.CellProperties(1, 0)->SetAlignment(taCenter);
    g.HideColumn(1);
    EXPECT_EQ(asciiLines(g), (QStringList{QStringLiteral("h abc "), QStringLiteral("x   7 ")}));
    const QString html = g.SaveToHTMLString(QString());
    EXPECT_TRUE(html.contains(QStringLiteral("text-align: right"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("text-align: center"))) << html.toStdString();
}

TEST(GridAsciiExport, MultiLineCellsGoOnExtraLinesUnderTheirColumn)
{
    Grid g(2, 1);
    g.fill({{"a", "one\r\ntwo"}});
    g.SetMultilinecells(true);
    EXPECT_EQ(asciiLines(g), (QStringList{QStringLiteral("a one "), QStringLiteral("  two")}));
    g.SetMultilinecells(false);
    EXPECT_EQ(asciiLines(g), (QStringList{QStringLiteral("a one ")}));
}

TEST(GridAsciiExport, AnyColumnCountAndWideColumns)
{
    Grid g(600, 1);
    const QString longText(300, QLatin1Char('w'));
    g.SetCells(0, 0, longText);
    g.SetCells(599, 0, QStringLiteral("end"));
    g.SetCells(598, 0, QStringLiteral("q"));
    const QStringList lines = asciiLines(g);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(longText + QLatin1Char(' '))) << "a 300-character column keeps its width";
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("q end "))) << "columns past 512 are written";
    EXPECT_EQ(g.ColumnMaxTextLength(0), 300);
}

TEST(GridAsciiExport, HourglassWhileWritingRestoredAfterAFailureToo)
{
    // The cursor in force at each row the export reports, and a failure at a chosen row.
    struct CursorGrid : Grid {
        using Grid::Grid;
        std::vector<int> shapes;
        int failAt = -1;
        void ExportNotification(int AState, int ARow) override
        {
            if (AState != esExportNextRow)
                return;
            const QCursor *c = QApplication::overrideCursor();
            shapes.push_back(c ? int(c->shape()) : -1);
            if (ARow == failAt)
                throw ENovaGridError(QStringLiteral("export stopped"));
        }
    };
    QTemporaryDir dir;
    for (int failAt : {-1, 1}) {
        SCOPED_TRACE(failAt);
        CursorGrid g(2, 3);
        g.fill({{"a", "b"}, {"c", "d"}, {"e", "f"}});
        g.failAt = failAt;
        const QString path = dir.filePath(QStringLiteral("t%1.txt").arg(failAt));
        if (failAt < 0)
            g.SaveToASCII(path);
        else
            EXPECT_THROW(g.SaveToASCII(path), ENovaGridError);
        ASSERT_FALSE(g.shapes.empty());
        for (int s : g.shapes)
            EXPECT_EQ(s, int(Qt::WaitCursor));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "restored";
        EXPECT_TRUE(QFile::exists(path)) << "the lines built so far are written";
    }
}
