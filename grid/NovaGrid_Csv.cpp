// Delimited (CSV) and fixed-width text files. The CSV writer and reader agree with each other:
// quotes doubled, a field holding the delimiter or quotes enclosed in quotes, a line break of a
// cell kept on one line as character 11; quoted fields that span lines (spreadsheet files, and
// our own output with AlwaysQuotes) are read as one field.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QIODevice>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace {

const QString kCRLF = QStringLiteral("\r\n");
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kBlank = QLatin1Char(' ');
constexpr int MaxColumns = 65536;

// The index of the quote that closes a field whose text starts at from, or -1: the last quote of
// the first odd run of quotes. A run at the very end of the text closes the field whatever its
// length only with lastLine: before another line it may be doubled quotes of a field that goes on.
qsizetype closingQuote(QStringView s, qsizetype from, bool lastLine)
{
    const qsizetype n = s.size();
    qsizetype i = from;
    while (i < n) {
        if (s[i] != kQuote) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && s[j] == kQuote)
            ++j;
        if ((j - i) % 2 == 1 || (j == n && lastLine))
            return j - 1;
        i = j;
    }
    return -1;
}

// True when a field goes out unchanged: not empty, no quote, delimiter or line break, and no
// leading blank (which only the Java style keeps unquoted).
bool isPlainField(QStringView s, QChar d, bool java)
{
    if (s.isEmpty() || (!java && s.front() == kBlank))
        return false;
    const char16_t dc = d.unicode();
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c == dc || c == u'"' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

QString undoubled(QStringView s)
{
    QString t = s.toString();
    if (t.contains(kQuote))
        t.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return t;
}

QChar guessDelimiter(const QString &line1, const QString &line2)
{
    static const QChar candidates[] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('#'), QLatin1Char('\t'),
                                       QLatin1Char('|'), QLatin1Char('@'), QLatin1Char('*'), QLatin1Char('-'),
                                       QLatin1Char('+'), QLatin1Char('&')};
    QChar found;
    int best = 0;
    for (QChar c : candidates) {
        const int n1 = CountUnescapedQuotes(c, line1);
        if (n1 == CountUnescapedQuotes(c, line2) && n1 > best) {
            found = c;
            best = n1;
        }
    }
    if (found.isNull())
        for (QChar c : candidates) {
            const int n1 = CountCharOccurrences(c, line1);
            if (n1 == CountCharOccurrences(c, line2) && n1 > best) {
                found = c;
                best = n1;
            }
        }
    if (found.isNull())
        for (QChar c : candidates) {
            const int n1 = CountCharOccurrences(c, line1);
            const int n2 = CountCharOccurrences(c, line2);
            if (n1 > best || n2 > best) {
                found = c;
                best = std::max(n1, n2);
            }
        }
    return found;
}

} // namespace

// ---- writing CSV -----------------------------------------------------------------------------------

void TNovaStringGrid::SaveToCSV(const QString &FileName, bool Unicode)
{
    const QChar d = Delimiter().isNull() ? QLatin1Char(',') : Delimiter();
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    // Most fields are written as they are; the rules below only ever change a field that holds
    // a quote, the delimiter or a line break, starts with a blank or is empty.
    const bool plainDelimiter = d != kQuote && d != kCR && d != kLF;
    const auto enc = Unicode ? platform::TextEncoding::Utf8Bom
                             : OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    platform::TextEncoder out(enc);
    out.reserve(qsizetype(SaveRowCount()) * SaveColCount() * 8);
    auto appendField = [&](int ACol, int ARow) {
        QString t = GetSaveCellText(ACol, ARow);
        if (plainDelimiter && !AlwaysQuotes() && isPlainField(t, d, JavaCSV())) {
            out.append(t);
            return;
        }
        t = DoubleQuoteChars(t);
        bool quoted = false;
        if (AlwaysQuotes() || (!t.contains(d) && (t.contains(kQuote) || (!JavaCSV() && t.startsWith(kBlank))))) {
            // Leading blanks are dropped by the reader unless the field is quoted.
            t = kQuote + t + kQuote;
            quoted = true;
        }
        if (t.isEmpty()) {
            if (JavaCSV())
                t = QStringLiteral("^");
            else if (QuoteEmptyCells())
                t = QStringLiteral("\"\"");
        }
        if (t.contains(d) || t.contains(kCR) || t.contains(kLF)) {
            if (JavaCSV())
                t = CRToTilde(t);
            else if (quoted)
                t = CRLFToLF(t);
            else
                t = QuoteMultiLineText(t);
        }
        out.append(t);
    };

    const int firstCol = SaveStartCol();
    std::vector<int> cols; // the real column of each saved one
    for (int c = firstCol; c <= SaveEndCol() + h; ++c)
        cols.push_back(h ? c : RealColIndex(c));
    // A field of printable ASCII without a tag or a leading brace is copied as the store keeps
    // it, when nothing can change the saved texts: no hook, no formatting, no cell property in
    // the row and no derived grid with overrides of its own. What the rules make of such a field
    // holding a quote or the delimiter, or starting with a blank, is the field in quotes with its
    // quotes doubled (the Java style leaves those to the rules).
    const char16_t du = d.unicode();
    const bool direct = plainDelimiter && !AlwaysQuotes() && (du == u'\t' || (du >= 0x20 && du < 0x7F))
                        && typeid(*this) == typeid(TNovaStringGrid) && !OnSaveCell
                        && (!SaveVirtCells()
                            || (!OnGetFloatFormat && !OnGetDisplText && !OnGetDisplWideText && !URLShowInText()
                                && !Grouping()->ShowGroupCount()));
    const bool java = JavaCSV();
    enum Copy { ByRules, AsStored, InQuotes };
    auto copyOf = [&](std::string_view u) {
        if (u.empty() || u.front() == '{')
            return ByRules;
        bool quote = !java && u.front() == ' ';
        for (const char ch : u) {
            const auto b = static_cast<unsigned char>(ch);
            if (b < 0x20 || b >= 0x7F || b == '<')
                return ByRules;
            if (b == '"' || b == du)
                quote = true;
        }
        return !quote ? AsStored : java ? ByRules : InQuotes;
    };
    std::vector<std::string_view> cells;
    std::string line;
    line.reserve(256);
    const char delimiter = char(du);

    StartFileProgress();
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        const TGridCellStore::PackedRow *packed = direct ? Store().PeekRow(r) : nullptr;
        if (packed && packed->objects.empty()) {
            cells.clear();
            std::string_view u;
            for (std::size_t pos = 0; packed->NextCell(pos, u);)
                cells.push_back(u);
            for (std::size_t k = 0; k < cols.size(); ++k) {
                if (k > 0)
                    line += delimiter;
                const int c = cols[k];
                const std::string_view u = c >= 0 && std::size_t(c) < cells.size() ? cells[std::size_t(c)] : std::string_view();
                const Copy how = copyOf(u);
                if (how == AsStored) {
                    line += u;
                    continue;
                }
                if (how == InQuotes) {
                    line += '"';
                    for (const char ch : u) {
                        line += ch;
                        if (ch == '"')
                            line += '"';
                    }
                    line += '"';
                    continue;
                }
                out.appendAscii(line);
                line.clear();
                appendField(c, r);
            }
            line += "\r\n";
            out.appendAscii(line);
            line.clear();
        } else {
            for (std::size_t k = 0; k < cols.size(); ++k) {
                if (k > 0)
                    out.append(d);
                appendField(cols[k], r);
            }
            out.append(kCRLF);
        }
        if (OnFileProgress)
            FileProgress(double(r) * 100.0 / std::max(1, RowCount() - 1));
    }
    ExportNotification(esExportDone, -1);
    QString error;
    if (!platform::writeFileAtomic(FileName, out.bytes(), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TNovaStringGrid::AppendToCSV(const QString &FileName, bool Unicode)
{
    const auto fallback = OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    QString before;
    QString error;
    if (!platform::readTextFile(FileName, fallback, before, &error))
        throw std::runtime_error(("Cannot open file " + FileName + ": " + error).toStdString());
    // The rows are written to the same file name, then the old text goes in front.
    SaveToCSV(FileName, Unicode);
    QString added;
    platform::readTextFile(FileName, fallback, added);
    if (!before.isEmpty() && !before.endsWith(kLF) && !before.endsWith(kCR))
        before += kCRLF;
    const auto enc = Unicode ? platform::TextEncoding::Utf8Bom : fallback;
    if (!platform::writeFileAtomic(FileName, platform::encodeText(before + added, enc), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

// ---- reading CSV -----------------------------------------------------------------------------------

void TNovaStringGrid::loadCsvLines(const QStringList &Lines, int StartRow, int MaxRows, bool Insert)
{
    if (Lines.isEmpty())
        throw std::runtime_error("File is empty");
    const QChar d = Delimiter().isNull() ? guessDelimiter(Lines.at(0), Lines.value(1)) : Delimiter();
    const bool hasDelimiter = !d.isNull();
    const qsizetype firstLine = LoadFirstRow() ? 0 : 1;
    const qsizetype total = Lines.size() - firstLine;
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const bool java = JavaCSV();

    // Room for every line at once (the final count is set below).
    const qint64 need = qint64(StartRow) + std::max<qsizetype>(0, total) + FixedFooters();
    if (need > RowCount())
        SetRowCount(int(std::min<qint64>(need, INT32_MAX)));

    StartFileProgress();
    ImportNotification(isImportStart, StartRow);
    int row = StartRow;
    qsizetype read = 0;
    auto store = [&](int c, const QString &field) {
        if (c >= MaxColumns - h)
            return; // beyond the last column a grid can have
        if (c + 1 > h + ColCount())
            SetColCount(c + 1 - h);
        LoadCellText(c, row, java ? TildeToCRLF(field) : VTToCRLF(field));
    };
    for (qsizetype li = firstLine; li < Lines.size() && (MaxRows <= 0 || read < MaxRows); ++li) {
        QString line = Lines.at(li);
        ++read;
        ImportNotification(isImportNewRow, row);
        if (row >= RowCount() - FixedFooters())
            SetRowCount(row + 1000);
        int c = SaveStartCol();
        qsizetype pos = 0;
        // A quoted field whose closing quote lies on a later line takes those lines in, joined by CR LF.
        auto closing = [&](qsizetype from) {
            qsizetype q = closingQuote(line, from, false);
            while (q < 0 && li + 1 < Lines.size()) {
                line += kCRLF + Lines.at(++li);
                q = closingQuote(line, from, false);
            }
            return q < 0 ? closingQuote(line, from, true) : q;
        };
        while (pos < line.size()) {
            qsizetype p = hasDelimiter ? line.indexOf(d, pos) : -1;
            qsizetype s = pos;
            while (line.size() - s >= 2 && line.at(s) == kBlank)
                ++s;
            if (line.at(s) == kQuote) {
                const qsizetype q = closing(s + 1);
                if (q < 0) { // never closed: the text stays
                    store(c, undoubled(QStringView(line).mid(s + 1)));
                    break;
                }
                store(c++, undoubled(QStringView(line).mid(s + 1, q - s - 1)));
                pos = q + 1;
                p = hasDelimiter ? line.indexOf(d, pos) : -1;
                if (p < 0) { // what follows the quote on this line is one more field
                    if (pos < line.size())
                        store(c, line.mid(pos));
                    break;
                }
                pos = p + 1;
                continue;
            }
            if (p < 0) { // the last field
                store(c, line.mid(s));
                break;
            }
            store(c++, line.mid(s, p - s));
            pos = p + 1;
        }
        ++row;
        if (OnFileProgress && total > 0)
            FileProgress(double(li + 1 - firstLine) * 100.0 / double(total));
    }
    SetRowCount(row + FixedFooters());
    FMaxRowCount = RowCount();
    ImportNotification(isImportDone, -1);
    (void)Insert;
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

void TNovaStringGrid::LoadFromCSVStream(QIODevice &Stream, int MaxRows)
{
    loadCsvBytes(Stream.readAll(), SaveStartRow(), MaxRows, false);
}

void TNovaStringGrid::LoadFromCSV(const QString &FileName, int MaxRows)
{
    loadCsvBytes(readCsvFile(FileName), SaveStartRow(), MaxRows, false);
}

void TNovaStringGrid::InsertFromCSV(const QString &FileName, int MaxRows)
{
    loadCsvBytes(readCsvFile(FileName), RowCount(), MaxRows, true);
}

QByteArray TNovaStringGrid::readCsvFile(const QString &FileName)
{
    QByteArray data;
    QString error;
    if (!platform::readFile(FileName, data, &error))
        throw std::runtime_error(("Cannot open file " + FileName + ": " + error).toStdString());
    return data;
}

// Bytes without a mark are read in the ANSI code page, or the OEM one with OemConvert.
void TNovaStringGrid::loadCsvBytes(const QByteArray &Data, int StartRow, int MaxRows, bool Insert)
{
    if (Data.isEmpty())
        return;
    const auto fallback = OemConvert() ? platform::TextEncoding::Oem : platform::TextEncoding::Ansi;
    loadCsvLines(platform::splitTextLines(platform::decodeText(Data, fallback)), StartRow, MaxRows, Insert);
}

// ---- fixed width -----------------------------------------------------------------------------------

void TNovaStringGrid::SaveToFixed(const QString &FileName, TIntList &Positions)
{
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int first = SaveStartCol(), last = SaveEndCol() + h;
    auto text = [&](int c, int r) {
        // A line break inside a cell would end the record early.
        QString s = GetSaveCellText(h ? c : RealColIndex(c), r);
        s.replace(kCRLF, QString(kBlank)).replace(kCR, kBlank).replace(kLF, kBlank);
        return s;
    };
    for (int c = first + Positions.Count(); c <= last; ++c) {
        int w = 0;
        for (int r = SaveStartRow(); r <= SaveEndRow(); ++r)
            for (const QString &l : platform::splitTextLines(GetSaveCellText(h ? c : RealColIndex(c), r)))
                w = std::max(w, int(l.size()));
        Positions.Add(w + 1);
    }
    QString out;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = first; c <= last; ++c) {
            const int w = std::max(0, Positions[c - first]);
            out += text(c, r).left(w).leftJustified(w, kBlank);
        }
        out += kCRLF;
    }
    ExportNotification(esExportDone, -1);
    QString error;
    if (!platform::writeFileAtomic(FileName, platform::encodeText(out, platform::TextEncoding::Ansi), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TNovaStringGrid::LoadFromFixed(const QString &FileName, TIntList &Positions, bool DoTrim, int MaxRows)
{
    if (Positions.Count() < 2)
        throw ENovaGridError(QStringLiteral("At least two positions are needed"));
    if (Positions.Count() - 1 + FixedCols() > MaxColumns)
        throw ENovaGridError(QStringLiteral("Too many positions"));
    QString text;
    if (!platform::readTextFile(FileName, text))
        throw ENovaGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    const QStringList lines = platform::splitTextLines(text);

    SetColCount(FixedCols() + Positions.Count() - 1);
    std::vector<int> pos(Positions.Values().begin(), Positions.Values().end());
    std::sort(pos.begin(), pos.end());
    for (int i = 0; i < int(pos.size()); ++i)
        Positions.SetInteger(i, pos[size_t(i)]);
    for (int &p : pos)
        p = std::max(1, p); // positions count from 1

    const qsizetype n = MaxRows == -1 ? lines.size() : std::min<qsizetype>(lines.size(), std::max(1, MaxRows));
    int row = SaveStartRow();
    if (row + n > RowCount())
        SetRowCount(int(row + n));
    ImportNotification(isImportStart, row);
    for (qsizetype i = 0; i < n; ++i, ++row) {
        const QString &line = lines.at(i);
        for (int k = 1; k < int(pos.size()); ++k) {
            QString f = line.mid(pos[size_t(k - 1)] - 1, pos[size_t(k)] - pos[size_t(k - 1)]);
            if (DoTrim)
                f = f.trimmed();
            LoadCellText(SaveStartCol() + k - 1, row, f);
        }
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}
