// The office link over UNO: LibreOffice Calc stands in for the spreadsheet program, Writer for the
// word processor. Every UNO error becomes an EOfficeError with the office's message.
#include "grid/UnoOffice.h"
#include "grid/UnoOfficeConnection.h"
#include "platform/Xml.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFramesSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <csignal>
#include <unistd.h>

using namespace com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace unooffice {

namespace {

const QString kProgramDir = QStringLiteral(NOVA_OFFICE_PROGRAM_DIR);

// The client's own UNO environment, made once; it needs the office's types for the remote calls.
Reference<uno::XComponentContext> localContext()
{
    static Reference<uno::XComponentContext> context = [] {
        rtl::Bootstrap::set(OUString("URE_MORE_TYPES"), FileUrl(kProgramDir + QStringLiteral("/types/offapi.rdb")));
        return cppu::defaultBootstrap_InitialComponentContext(FileUrl(kProgramDir + QStringLiteral("/unorc")));
    }();
    return context;
}

QString officeMessage(const uno::Exception &e) { return fromOU(e.Message); }

// Runs a UNO call; the office's errors go on as EOfficeError.
template <class F> auto unoCall(F f) -> decltype(f())
{
    try {
        return f();
    } catch (const uno::Exception &e) {
        throw EOfficeError(officeMessage(e));
    }
}

beans::PropertyValue property(const char *name, const Any &value)
{
    beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

Sequence<beans::PropertyValue> properties(std::initializer_list<beans::PropertyValue> list)
{
    Sequence<beans::PropertyValue> seq(sal_Int32(list.size()));
    std::copy(list.begin(), list.end(), seq.getArray());
    return seq;
}

OUString filterFor(const QString &fileName, const std::initializer_list<std::pair<const char *, const char *>> &table,
                   const char *kind)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const auto &[s, filter] : table)
        if (suffix == QLatin1String(s))
            return OUString::createFromAscii(filter);
    throw EOfficeError(QStringLiteral("No %1 file format for the suffix \".%2\"").arg(QLatin1String(kind), suffix));
}

} // namespace

Reference<frame::XDesktop2> ConnectDesktop(const QString &PipeName)
{
    return unoCall([&] {
        Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(localContext());
        Reference<uno::XComponentContext> remote(
            resolver->resolve(OUString("uno:pipe,name=") + toOU(PipeName) + OUString(";urp;StarOffice.ComponentContext")),
            UNO_QUERY_THROW);
        return frame::Desktop::create(remote);
    });
}

OUString FileUrl(const QString &Path)
{
    return toOU(QUrl::fromLocalFile(QFileInfo(Path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

Reference<lang::XComponent> LoadHidden(const Reference<frame::XDesktop2> &Desktop, const OUString &Url)
{
    return unoCall([&] {
        Sequence<beans::PropertyValue> args = properties({property("Hidden", Any(true))});
        Reference<lang::XComponent> doc = Desktop->loadComponentFromURL(Url, OUString("_blank"), 0, args);
        if (!doc.is())
            throw EOfficeError(QStringLiteral("The office could not open %1").arg(fromOU(Url)));
        return doc;
    });
}

OUString SpreadsheetFilter(const QString &FileName)
{
    return filterFor(FileName,
                     {{"xls", "MS Excel 97"}, {"xlsx", "Calc MS Excel 2007 XML"}, {"ods", "calc8"},
                      {"csv", "Text - txt - csv (StarCalc)"}},
                     "spreadsheet");
}

OUString TextFilter(const QString &FileName)
{
    return filterFor(FileName,
                     {{"doc", "MS Word 97"}, {"docx", "MS Word 2007 XML"}, {"odt", "writer8"},
                      {"rtf", "Rich Text Format"}, {"txt", "Text"}, {"htm", "HTML (StarWriter)"},
                      {"html", "HTML (StarWriter)"}},
                     "document");
}

void StoreAs(const Reference<lang::XComponent> &Document, const QString &FileName, const OUString &Filter,
             const OUString &FilterOptions)
{
    unoCall([&] {
        Sequence<beans::PropertyValue> args = properties({property("FilterName", Any(Filter)), property("Overwrite", Any(true))});
        if (!FilterOptions.isEmpty()) {
            args.realloc(3);
            args.getArray()[2] = property("FilterOptions", Any(FilterOptions));
        }
        Reference<frame::XStorable>(Document, UNO_QUERY_THROW)->storeToURL(FileUrl(FileName), args);
    });
}

} // namespace unooffice

using namespace unooffice;

// ---- the office process --------------------------------------------------------------------------

struct TOfficeProcess::TImpl {
    QString pipe;
    QTemporaryDir profile{QDir::tempPath() + QStringLiteral("/nova-office-XXXXXX")};
    QProcess process;
};

TOfficeProcess::TOfficeProcess(std::unique_ptr<TImpl> Impl) : FImpl(std::move(Impl)) {}

TOfficeProcess::~TOfficeProcess() { Terminate(); }

QString TOfficeProcess::PipeName() const { return FImpl->pipe; }

bool TOfficeProcess::Running() const { return FImpl->process.state() != QProcess::NotRunning; }

std::unique_ptr<TOfficeProcess> TOfficeProcess::Start(const QString &PipeName, QString &Error)
{
    auto impl = std::make_unique<TImpl>();
    impl->pipe = PipeName;
    if (!impl->profile.isValid()) {
        Error = QStringLiteral("No temporary folder for the office profile");
        return nullptr;
    }
    QProcess &p = impl->process;
    p.setProgram(kProgramDir + QStringLiteral("/soffice"));
    p.setArguments({QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--nologo"),
                    QStringLiteral("--norestore"), QStringLiteral("--nodefault"), QStringLiteral("--nolockcheck"),
                    QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(impl->profile.path()).toString(),
                    QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(PipeName)});
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    // A group of its own, so that whatever the office starts can be ended with it.
    p.setChildProcessModifier([] { ::setsid(); });
    p.start();
    if (!p.waitForStarted(10000)) {
        Error = QStringLiteral("The office could not be started: ") + p.errorString();
        return nullptr;
    }
    std::unique_ptr<TOfficeProcess> office(new TOfficeProcess(std::move(impl)));
    // A first start builds the profile; on a busy machine that takes a while.
    const QDeadlineTimer deadline(120000);
    while (!deadline.hasExpired()) {
        try {
            ConnectDesktop(PipeName);
            return office;
        } catch (const EOfficeError &) {
        }
        if (office->FImpl->process.waitForFinished(200)) {
            Error = QStringLiteral("The office ended while starting");
            return nullptr;
        }
    }
    Error = QStringLiteral("The office did not answer on its pipe");
    return nullptr;
}

void TOfficeProcess::Terminate()
{
    QProcess &p = FImpl->process;
    if (p.state() == QProcess::NotRunning)
        return;
    try {
        ConnectDesktop(FImpl->pipe)->terminate();
    } catch (...) {
        // The connection drops while the office ends: that is the answer.
    }
    if (!p.waitForFinished(20000)) {
        ::kill(-pid_t(p.processId()), SIGKILL);
        p.waitForFinished(5000);
    }
}

// ---- spreadsheet -----------------------------------------------------------------------------

namespace {

QString pipeFromEnvironment()
{
    const QString pipe = qEnvironmentVariable("NOVA_OFFICE_PIPE");
    return pipe.isEmpty() ? QStringLiteral("nova_office") : pipe;
}

QString privatePipe()
{
    static QAtomicInt counter;
    return QStringLiteral("nova_office_%1_%2").arg(QCoreApplication::applicationPid()).arg(counter.fetchAndAddRelaxed(1));
}

// The documents open in the office of a kind, oldest first.
template <class Kind> std::vector<Reference<Kind>> documentsOf(const Reference<frame::XDesktop2> &desktop)
{
    std::vector<Reference<Kind>> docs;
    Reference<container::XIndexAccess> frames(Reference<frame::XFramesSupplier>(desktop, UNO_QUERY_THROW)->getFrames(),
                                              UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < frames->getCount(); ++i) {
        Reference<frame::XFrame> frame(frames->getByIndex(i), UNO_QUERY);
        if (!frame.is() || !frame->getController().is())
            continue;
        if (Reference<Kind> doc{frame->getController()->getModel(), UNO_QUERY}; doc.is())
            docs.push_back(doc);
    }
    return docs;
}

// The document the user works in: the current one, else the one opened last.
template <class Kind> Reference<Kind> activeDocument(const Reference<frame::XDesktop2> &desktop)
{
    if (Reference<Kind> doc{desktop->getCurrentComponent(), UNO_QUERY}; doc.is())
        return doc;
    std::vector<Reference<Kind>> docs = documentsOf<Kind>(desktop);
    if (docs.empty())
        throw EOfficeError(QStringLiteral("No document is open"));
    return docs.back();
}

// The document takes the file as its own: later saves go there.
void saveAs(const Reference<uno::XInterface> &doc, const QString &fileName, const OUString &filter)
{
    unoCall([&] {
        Sequence<beans::PropertyValue> args = properties({property("FilterName", Any(filter)), property("Overwrite", Any(true))});
        Reference<frame::XStorable>(doc, UNO_QUERY_THROW)->storeAsURL(FileUrl(fileName), args);
    });
}

// What both programs share: the office's desktop, and the office process when it was started here.
class TUnoProgram {
protected:
    TUnoProgram(Reference<frame::XDesktop2> Desktop, std::unique_ptr<TOfficeProcess> Process)
        : FDesktop(std::move(Desktop)), FProcess(std::move(Process))
    {
    }
    // A file the office has open already is that document, as the user sees it.
    Reference<lang::XComponent> openFile(const QString &FileName)
    {
        if (!QFileInfo(FileName).isFile())
            throw EOfficeError(QStringLiteral("%1 not found").arg(FileName));
        const OUString url = FileUrl(FileName);
        for (const Reference<frame::XModel> &doc : unoCall([&] { return documentsOf<frame::XModel>(FDesktop); }))
            if (doc->getURL() == url)
                return Reference<lang::XComponent>(doc, UNO_QUERY_THROW);
        return LoadHidden(FDesktop, url);
    }
    void quit()
    {
        if (FProcess) {
            // An office started here closes what it opened or wrote first: a document still open
            // when it ends keeps its lock file, and the next open of that file fails.
            try {
                for (const Reference<util::XCloseable> &doc : unoCall([&] { return documentsOf<util::XCloseable>(FDesktop); }))
                    unoCall([&] { doc->close(true); });
            } catch (const EOfficeError &) {
                // The office ends all the same.
            }
            FProcess->Terminate();
            return;
        }
        unoCall([&] { FDesktop->terminate(); });
    }
    Reference<frame::XDesktop2> FDesktop;
    std::unique_ptr<TOfficeProcess> FProcess;
};

Reference<frame::XController> controllerOf(const Reference<uno::XInterface> &doc)
{
    Reference<frame::XController> c = Reference<frame::XModel>(doc, UNO_QUERY_THROW)->getCurrentController();
    if (!c.is())
        throw EOfficeError(QStringLiteral("The document has no view"));
    return c;
}

class TUnoSheet : public ISpreadsheetSheet {
public:
    explicit TUnoSheet(Reference<sheet::XSpreadsheet> Sheet) : FSheet(std::move(Sheet)) {}
    QString Name() override { return unoCall([&] { return fromOU(Reference<container::XNamed>(FSheet, UNO_QUERY_THROW)->getName()); }); }
    void SetName(const QString &Name) override
    {
        unoCall([&] { Reference<container::XNamed>(FSheet, UNO_QUERY_THROW)->setName(toOU(Name)); });
    }
    QString UsedRangeAddress() override
    {
        return unoCall([&] {
            Reference<sheet::XSheetCellCursor> cursor = FSheet->createCursor();
            Reference<sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
            used->gotoStartOfUsedArea(false);
            used->gotoEndOfUsedArea(true);
            const table::CellRangeAddress a = Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
            auto corner = [](sal_Int32 col, sal_Int32 row) {
                return QLatin1Char('$') + OfficeColumnLetters(col + 1) + QLatin1Char('$') + QString::number(row + 1);
            };
            const QString first = corner(a.StartColumn, a.StartRow);
            if (a.StartColumn == a.EndColumn && a.StartRow == a.EndRow)
                return first;
            return first + QLatin1Char(':') + corner(a.EndColumn, a.EndRow);
        });
    }
    QString RowsCellsText(int Row, int Column) override
    {
        return unoCall([&] {
            return fromOU(Reference<text::XText>(FSheet->getCellByPosition(Column - 1, Row - 1), UNO_QUERY_THROW)->getString());
        });
    }
    TOfficeValues RangeValue(const QString &Address) override
    {
        return unoCall([&] {
            Reference<sheet::XCellRangeData> data(FSheet->getCellRangeByName(toOU(Address)), UNO_QUERY_THROW);
            const Sequence<Sequence<Any>> rows = data->getDataArray();
            TOfficeValues values;
            values.reserve(rows.getLength());
            for (const Sequence<Any> &row : rows) {
                values.emplace_back();
                values.back().reserve(row.getLength());
                for (const Any &a : row) {
                    TOfficeValue v;
                    OUString s;
                    double d = 0;
                    // Calc gives an empty cell as "", an error value as nothing.
                    if (a >>= s) {
                        v.Kind = s.isEmpty() ? TOfficeValue::ovEmpty : TOfficeValue::ovText;
                        v.Text = fromOU(s);
                    } else if (a >>= d) {
                        v.Kind = TOfficeValue::ovText;
                        v.Text = QString::number(d, 'g', 15);
                    } else {
                        v.Kind = a.hasValue() ? TOfficeValue::ovObject : TOfficeValue::ovError;
                    }
                    values.back().push_back(v);
                }
            }
            return values;
        });
    }
    void SetRangeValue(const QString &Address, const TOfficeTexts &Values) override
    {
        unoCall([&] {
            Sequence<Sequence<Any>> rows(sal_Int32(Values.size()));
            auto *r = rows.getArray();
            for (const std::vector<QString> &row : Values) {
                Sequence<Any> cells(sal_Int32(row.size()));
                auto *c = cells.getArray();
                // Texts go in as texts: a value like "=A1" must not become a formula.
                for (const QString &t : row)
                    *c++ <<= toOU(t);
                *r++ = cells;
            }
            Reference<sheet::XCellRangeData>(FSheet->getCellRangeByName(toOU(Address)), UNO_QUERY_THROW)->setDataArray(rows);
        });
    }

private:
    Reference<sheet::XSpreadsheet> FSheet;
};

std::unique_ptr<ISpreadsheetSheet> activeSheetOf(const Reference<uno::XInterface> &doc)
{
    return unoCall([&] {
        return std::make_unique<TUnoSheet>(
            Reference<sheet::XSpreadsheetView>(controllerOf(doc), UNO_QUERY_THROW)->getActiveSheet());
    });
}

class TUnoWorkbook : public ISpreadsheetWorkbook {
public:
    explicit TUnoWorkbook(Reference<sheet::XSpreadsheetDocument> Doc) : FDoc(std::move(Doc)) {}
    int WorkSheetsCount() override { return SheetsCount(); }
    std::unique_ptr<ISpreadsheetSheet> WorkSheetsItem(int Index) override { return Sheets(Index); }
    void SetSaved(bool Saved) override
    {
        unoCall([&] { Reference<util::XModifiable>(FDoc, UNO_QUERY_THROW)->setModified(!Saved); });
    }
    int SheetsCount() override { return unoCall([&] { return int(sheets()->getCount()); }); }
    std::unique_ptr<ISpreadsheetSheet> Sheets(int Index) override
    {
        return unoCall([&] {
            return std::make_unique<TUnoSheet>(Reference<sheet::XSpreadsheet>(sheets()->getByIndex(Index - 1), UNO_QUERY_THROW));
        });
    }
    std::unique_ptr<ISpreadsheetSheet> ActiveSheet() override { return activeSheetOf(FDoc); }
    void Close(bool SaveChanges) override
    {
        if (SaveChanges)
            Save();
        unoCall([&] { Reference<util::XCloseable>(FDoc, UNO_QUERY_THROW)->close(true); });
    }
    std::unique_ptr<ISpreadsheetSheet> WorkSheetsAdd() override
    {
        return unoCall([&] {
            Reference<sheet::XSpreadsheets> all = FDoc->getSheets();
            const sal_Int16 count = sal_Int16(sheets()->getCount());
            OUString name;
            for (int n = count + 1; all->hasByName(name = OUString("Sheet") + OUString::number(n));)
                ++n;
            all->insertNewByName(name, count);
            return std::make_unique<TUnoSheet>(Reference<sheet::XSpreadsheet>(all->getByName(name), UNO_QUERY_THROW));
        });
    }
    void Save() override
    {
        unoCall([&] { Reference<frame::XStorable>(FDoc, UNO_QUERY_THROW)->store(); });
    }
    void SaveAs(const QString &FileName) override { saveAs(FDoc, FileName, SpreadsheetFilter(FileName)); }

private:
    Reference<container::XIndexAccess> sheets() { return {FDoc->getSheets(), UNO_QUERY_THROW}; }
    Reference<sheet::XSpreadsheetDocument> FDoc;
};

class TUnoCalc : public ISpreadsheetApp, private TUnoProgram {
public:
    TUnoCalc(Reference<frame::XDesktop2> Desktop, std::unique_ptr<TOfficeProcess> Process)
        : TUnoProgram(std::move(Desktop), std::move(Process))
    {
    }
    std::unique_ptr<ISpreadsheetWorkbook> WorkBooksOpen(const QString &FileName) override { return book(openFile(FileName)); }
    void Quit() override { quit(); }
    std::unique_ptr<ISpreadsheetWorkbook> WorkBooksAdd() override
    {
        return book(LoadHidden(FDesktop, OUString("private:factory/scalc")));
    }
    int WorkBooksCount() override { return unoCall([&] { return int(documentsOf<sheet::XSpreadsheetDocument>(FDesktop).size()); }); }
    std::unique_ptr<ISpreadsheetWorkbook> ActiveWorkBook() override
    {
        return unoCall([&] { return std::make_unique<TUnoWorkbook>(activeDocument<sheet::XSpreadsheetDocument>(FDesktop)); });
    }
    std::unique_ptr<ISpreadsheetSheet> ActiveSheet() override
    {
        return activeSheetOf(unoCall([&] { return activeDocument<sheet::XSpreadsheetDocument>(FDesktop); }));
    }
    int ActiveCellRow() override
    {
        return unoCall([&] {
            Reference<frame::XController> c = controllerOf(activeDocument<sheet::XSpreadsheetDocument>(FDesktop));
            const Any selection = Reference<view::XSelectionSupplier>(c, UNO_QUERY_THROW)->getSelection();
            if (Reference<sheet::XCellRangeAddressable> range{selection, UNO_QUERY}; range.is())
                return int(range->getRangeAddress().StartRow) + 1;
            if (Reference<sheet::XSheetCellRanges> ranges{selection, UNO_QUERY}; ranges.is()) {
                const Sequence<table::CellRangeAddress> all = ranges->getRangeAddresses();
                if (all.hasElements())
                    return int(all[0].StartRow) + 1;
            }
            return 1;
        });
    }

private:
    static std::unique_ptr<ISpreadsheetWorkbook> book(const Reference<lang::XComponent> &doc)
    {
        Reference<sheet::XSpreadsheetDocument> sheetDoc(doc, UNO_QUERY);
        if (!sheetDoc.is()) {
            unoCall([&] { Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true); });
            throw EOfficeError(QStringLiteral("The file is no spreadsheet"));
        }
        return std::make_unique<TUnoWorkbook>(sheetDoc);
    }
};

// ---- word processor --------------------------------------------------------------------------

// A text document is XML inside: a character XML cannot hold has no place in it, and the office
// gives up the whole call on one. Only those characters are left out.
OUString documentText(const QString &Text) { return toOU(platform::xmlChars(Text)); }

class TUnoRange : public IWordRange {
public:
    explicit TUnoRange(Reference<text::XTextRange> Range) : FRange(std::move(Range)) {}
    Reference<text::XTextRange> FRange;
};

class TUnoTable : public IWordTable {
public:
    explicit TUnoTable(Reference<text::XTextTable> Table) : FTable(std::move(Table)) {}
    void CellRangeInsertAfter(int Row, int Column, const QString &Text) override
    {
        unoCall([&] {
            Reference<text::XText> cell = cellText(Row, Column);
            cell->insertString(cell->getEnd(), documentText(Text), false);
        });
    }
    void CellRangeSetParagraphAlignment(int Row, int Column, int Alignment) override
    {
        // The word processor's numbering: 0 left, 1 centred, 2 right, 3 justified.
        static const style::ParagraphAdjust adjust[] = {style::ParagraphAdjust_LEFT, style::ParagraphAdjust_CENTER,
                                                        style::ParagraphAdjust_RIGHT, style::ParagraphAdjust_BLOCK};
        if (Alignment < 0 || Alignment > 3)
            throw EOfficeError(QStringLiteral("Alignment %1 is unknown").arg(Alignment));
        unoCall([&] {
            Reference<text::XText> cell = cellText(Row, Column);
            Reference<text::XTextCursor> all = cell->createTextCursor();
            all->gotoStart(false);
            all->gotoEnd(true);
            Reference<beans::XPropertySet>(all, UNO_QUERY_THROW)->setPropertyValue(OUString("ParaAdjust"), Any(adjust[Alignment]));
        });
    }

private:
    Reference<text::XText> cellText(int Row, int Column)
    {
        return {Reference<table::XCellRange>(FTable, UNO_QUERY_THROW)->getCellByPosition(Column - 1, Row - 1), UNO_QUERY_THROW};
    }
    Reference<text::XTextTable> FTable;
};

class TUnoDocument : public IWordDocument {
public:
    explicit TUnoDocument(Reference<text::XTextDocument> Doc) : FDoc(std::move(Doc)) {}
    // A headless office marks no spelling errors: nothing to switch off.
    void SetShowSpellingErrors(bool) override {}
    bool BookmarksExists(const QString &Name) override
    {
        return unoCall([&] { return bool(Reference<text::XBookmarksSupplier>(FDoc, UNO_QUERY_THROW)->getBookmarks()->hasByName(toOU(Name))); });
    }
    std::unique_ptr<IWordRange> Goto(int What, const QString &Name) override
    {
        if (What != -1)
            throw EOfficeError(QStringLiteral("Goto %1 is not supported").arg(What));
        return unoCall([&] {
            Reference<text::XTextContent> mark(
                Reference<text::XBookmarksSupplier>(FDoc, UNO_QUERY_THROW)->getBookmarks()->getByName(toOU(Name)),
                UNO_QUERY_THROW);
            return std::make_unique<TUnoRange>(mark->getAnchor());
        });
    }
    void ParagraphsAdd() override
    {
        unoCall([&] {
            Reference<text::XText> text = FDoc->getText();
            text->insertControlCharacter(text->getEnd(), text::ControlCharacter::PARAGRAPH_BREAK, false);
        });
    }
    std::unique_ptr<IWordRange> Range(int Start, int End) override
    {
        return unoCall([&] {
            Reference<text::XTextCursor> c = FDoc->getText()->createTextCursor();
            c->gotoEnd(true);
            // The end as the selection counts it is the end, whatever tables lie before it.
            if (Start >= c->getString().getLength())
                c->collapseToEnd();
            else {
                c->gotoStart(false);
                goRight(c, Start, false);
                goRight(c, End - Start, true);
            }
            return std::make_unique<TUnoRange>(Reference<text::XTextRange>(c, UNO_QUERY_THROW));
        });
    }
    std::unique_ptr<IWordTable> TablesAdd(IWordRange &Range, int NumRows, int NumColumns) override
    {
        return unoCall([&] {
            Reference<text::XTextTable> table(
                Reference<lang::XMultiServiceFactory>(FDoc, UNO_QUERY_THROW)->createInstance(OUString("com.sun.star.text.TextTable")),
                UNO_QUERY_THROW);
            table->initialize(NumRows, NumColumns);
            const Reference<text::XTextRange> &at = static_cast<TUnoRange &>(Range).FRange;
            at->getText()->insertTextContent(at, Reference<text::XTextContent>(table, UNO_QUERY_THROW), false);
            return std::make_unique<TUnoTable>(table);
        });
    }
    void SaveAs(const QString &FileName) override { saveAs(FDoc, FileName, TextFilter(FileName)); }
    // Character offsets count as the cursor moves: a paragraph end is one step.
    static void goRight(const Reference<text::XTextCursor> &c, int n, bool expand)
    {
        for (; n > 0; n -= 0x7fff)
            if (!c->goRight(sal_Int16(std::min(n, 0x7fff)), expand))
                return;
    }

private:
    Reference<text::XTextDocument> FDoc;
};

class TUnoWriter : public IWordApp, private TUnoProgram {
public:
    TUnoWriter(Reference<frame::XDesktop2> Desktop, std::unique_ptr<TOfficeProcess> Process)
        : TUnoProgram(std::move(Desktop), std::move(Process))
    {
    }
    std::unique_ptr<IWordDocument> DocumentsOpen(const QString &FileName) override { return document(openFile(FileName)); }
    int DocumentsCount() override { return unoCall([&] { return int(documentsOf<text::XTextDocument>(FDesktop).size()); }); }
    std::unique_ptr<IWordDocument> DocumentsAdd() override
    {
        return document(LoadHidden(FDesktop, OUString("private:factory/swriter")));
    }
    std::unique_ptr<IWordDocument> ActiveDocument() override
    {
        return document(unoCall([&] { return Reference<lang::XComponent>(activeDocument<text::XTextDocument>(FDesktop), UNO_QUERY_THROW); }));
    }
    void SelectionTypeText(const QString &Text) override
    {
        unoCall([&] {
            Reference<text::XTextRange> cursor(viewCursor(), UNO_QUERY_THROW);
            cursor->getText()->insertString(cursor, documentText(Text), false);
        });
    }
    void SelectionTypeParagraph() override
    {
        unoCall([&] {
            Reference<text::XTextRange> cursor(viewCursor(), UNO_QUERY_THROW);
            cursor->getText()->insertControlCharacter(cursor, text::ControlCharacter::PARAGRAPH_BREAK, false);
        });
    }
    void SelectionGoto(int What, int Which) override
    {
        // Only the last line is asked for.
        if (What != 3 || Which != -1)
            throw EOfficeError(QStringLiteral("Goto %1, %2 is not supported").arg(What).arg(Which));
        unoCall([&] { viewCursor()->gotoEnd(false); });
    }
    int SelectionEnd() override
    {
        return unoCall([&] {
            Reference<text::XTextViewCursor> cursor = viewCursor();
            Reference<text::XTextCursor> from = FCurrent->getText()->createTextCursor();
            from->gotoStart(false);
            from->gotoRange(cursor->getEnd(), true);
            return int(from->getString().getLength());
        });
    }
    void Quit() override { quit(); }

private:
    // The selection belongs to the document in hand.
    std::unique_ptr<IWordDocument> document(const Reference<lang::XComponent> &doc)
    {
        Reference<text::XTextDocument> textDoc(doc, UNO_QUERY);
        if (!textDoc.is()) {
            unoCall([&] { Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true); });
            throw EOfficeError(QStringLiteral("The file is no text document"));
        }
        FCurrent = textDoc;
        return std::make_unique<TUnoDocument>(textDoc);
    }
    Reference<text::XTextViewCursor> viewCursor()
    {
        if (!FCurrent.is())
            throw EOfficeError(QStringLiteral("No document is open"));
        return Reference<text::XTextViewCursorSupplier>(controllerOf(FCurrent), UNO_QUERY_THROW)->getViewCursor();
    }
    Reference<text::XTextDocument> FCurrent;
};

} // namespace

// ---- the link --------------------------------------------------------------------------------

TUnoOffice::TUnoOffice(const QString &PipeName) : FPipeName(PipeName.isEmpty() ? pipeFromEnvironment() : PipeName) {}

bool TUnoOffice::Available() { return QFileInfo(kProgramDir + QStringLiteral("/soffice")).isExecutable(); }

namespace {

template <class App>
std::unique_ptr<App> attach(const QString &pipe, QString &error)
{
    try {
        return std::make_unique<App>(ConnectDesktop(pipe), nullptr);
    } catch (const EOfficeError &e) {
        error = e.Message();
        return nullptr;
    }
}

template <class App>
std::unique_ptr<App> create(QString &error)
{
    if (!TUnoOffice::Available()) {
        error = QStringLiteral("office not available");
        return nullptr;
    }
    const QString pipe = privatePipe();
    std::unique_ptr<TOfficeProcess> process = TOfficeProcess::Start(pipe, error);
    if (!process)
        return nullptr;
    try {
        return std::make_unique<App>(ConnectDesktop(pipe), std::move(process));
    } catch (const EOfficeError &e) {
        error = e.Message();
        return nullptr;
    }
}

} // namespace

std::unique_ptr<ISpreadsheetApp> TUnoOffice::CreateSpreadsheet() { return create<TUnoCalc>(FLastError); }

std::unique_ptr<ISpreadsheetApp> TUnoOffice::AttachSpreadsheet() { return attach<TUnoCalc>(FPipeName, FLastError); }

std::unique_ptr<IWordApp> TUnoOffice::AttachWordProcessor() { return attach<TUnoWriter>(FPipeName, FLastError); }

std::unique_ptr<IWordApp> TUnoOffice::CreateWordProcessor() { return create<TUnoWriter>(FLastError); }
