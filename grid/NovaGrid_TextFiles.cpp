// The grid's text file ("cw " width lines and one line per cell) and its text stream, which
// also copies the cells of one grid into another.
#include "grid/NovaGrid.h"

#include "grid/base/VedAzirText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <algorithm>

namespace {

// Limits of what a file may claim before the grid changes: the grid has no column from 65536 on.
constexpr int MaxFileCols = 65536;
constexpr int MaxFileRows = 10000000;

const QString kCRLF = QStringLiteral("\r\n");

// The decimal number at the start of text (0 without leading digits); false past the int range.
bool leadingNumber(QStringView text, int &value)
{
    qint64 v = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        v = v * 10 + (c.unicode() - u'0');
        if (v > INT32_MAX)
            return false;
    }
    value = int(v);
    return true;
}

// A whole number (optional sign, blanks around); false otherwise.
bool wholeNumber(QStringView text, int &value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

// A "cw <column>,<width>" line; one naming no column of the grid is skipped.
void TNovaStringGrid::applyWidthLine(const QString &Line, int Comma)
{
    int index = 0, width = 0;
    if (Comma > 3 && wholeNumber(QStringView(Line).mid(3, Comma - 3), index)
        && wholeNumber(QStringView(Line).mid(Comma + 1), width) && index >= 0 && index < ColCount())
        SetColWidths(index, std::clamp(width, 0, 32767));
}

QString TNovaStringGrid::FileLineForm(const QString &Text)
{
    // A bare LF would split the line as well as a CR: it takes the same form.
    if (!Text.contains(kCR) && !Text.contains(kLF))
        return Text;
    if (Text.contains(kCR))
        return EncodeLineBreaksForFile(Text);
    QString s = Text;
    for (QChar &c : s) {
        if (c == kLF)
            c = kBS;
        else if (c == QChar(0))
            c = QChar(1);
    }
    return s;
}

// ---- text file -------------------------------------------------------------------------------------

void TNovaStringGrid::SaveToFile(const QString &FileName, bool Unicode)
{
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    QString out;
    out += QString::number(SaveColCount() + h) + QLatin1Char(',') + QString::number(SaveRowCount()) + kCRLF;
    for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c)
        out += QStringLiteral("cw ") + QString::number(c) + QLatin1Char(',')
               + QString::number(h ? AllColWidths(c) : ColWidths(c)) + kCRLF;
    StartFileProgress();
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
            const QString s = GetSaveCellText(h ? c : RealColIndex(c), r);
            if (!s.isEmpty())
                out += QString::number(c) + QLatin1Char(',') + QString::number(r) + QLatin1Char(',') + FileLineForm(s)
                       + kCRLF;
        }
        if (OnFileProgress)
            FileProgress(double(r - SaveStartRow()) * 100.0 / std::max(1, SaveRowCount() - 1));
    }
    ExportNotification(esExportDone, -1);
    QString error;
    const auto enc = Unicode ? platform::TextEncoding::Utf16LeBom : platform::TextEncoding::Ansi;
    if (!platform::writeFileAtomic(FileName, platform::encodeText(out, enc), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

void TNovaStringGrid::LoadFromFile(const QString &FileName)
{
    QString text;
    QString error;
    if (!platform::readTextFile(FileName, text, &error))
        throw ENovaGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    const QStringList lines = platform::splitTextLines(text);
    const int a = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const int b = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();

    // The size is checked whole before the grid changes.
    int cols = ColCount(), rows = RowCount();
    bool sane = !lines.isEmpty();
    if (sane && !lines.first().isEmpty()) {
        const QString &first = lines.first();
        const int comma = int(first.indexOf(QLatin1Char(',')));
        int c = 0, r = 0;
        sane = leadingNumber(first, c) && (comma < 0 || leadingNumber(QStringView(first).mid(comma + 1), r));
        cols = a + c;
        rows = b + r;
        sane = sane && c > 0 && r > 0 && cols <= MaxFileCols && rows <= MaxFileRows;
    }
    if (!sane || cols == 0 || rows == 0)
        throw ENovaGridError(QStringLiteral("File contains no data or corrupt file ") + FileName);
    SetColCount(cols);
    SetRowCount(rows);

    StartFileProgress();
    ImportNotification(isImportStart, b);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int c1 = int(line.indexOf(QLatin1Char(',')));
        if (line.startsWith(QLatin1String("cw"))) {
            applyWidthLine(line, c1);
            continue;
        }
        const int c2 = c1 < 0 ? -1 : int(line.indexOf(QLatin1Char(','), c1 + 1));
        int col = 0, row = 0;
        if (c2 < 0 || !leadingNumber(line, col) || !leadingNumber(QStringView(line).mid(c1 + 1), row))
            continue; // no cell line
        if (col < ColCount() && row < RowCount())
            LoadCellText(col, row, DecodeLineBreaksFromFile(line.mid(c2 + 1), Multilinecells()));
        if (OnFileProgress)
            FileProgress(double(row) * 100.0 / std::max(1, RowCount() - 1));
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

// ---- text stream -----------------------------------------------------------------------------------

void TNovaStringGrid::SaveToStream(QIODevice &Stream)
{
    QString out;
    out += QString::number(SaveColCount()) + QLatin1Char(',') + QString::number(SaveRowCount()) + kCRLF;
    for (int c = 0; c < ColCount(); ++c)
        out += QStringLiteral("cw ") + QString::number(c) + QLatin1Char(',') + QString::number(ColWidths(c)) + kCRLF;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            const QString s = GetSaveCellText(RealColIndex(c), r);
            if (!s.isEmpty())
                out += QString::number(c - SaveStartCol()) + QLatin1Char(',') + QString::number(r - SaveStartRow())
                       + QLatin1Char(',') + FileLineForm(s) + kCRLF;
        }
    }
    ExportNotification(esExportDone, -1);
    QByteArray bytes;
    bytes.resize(out.size() * 2);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t u = out.at(i).unicode();
        bytes[2 * i] = char(u & 0xFF);
        bytes[2 * i + 1] = char(u >> 8);
    }
    if (Stream.write(bytes) != bytes.size())
        throw ENovaGridError(QStringLiteral("Cannot write the grid stream: ") + Stream.errorString());
}

void TNovaStringGrid::LoadFromStream(QIODevice &Stream)
{
    const qint64 start = Stream.pos();
    const QByteArray data = Stream.readAll();
    const qsizetype units = data.size() / 2;
    qsizetype pos = 0; // in 16-bit units
    auto unit = [&](qsizetype i) {
        return QChar(char16_t(static_cast<unsigned char>(data[2 * i]) | (static_cast<unsigned char>(data[2 * i + 1]) << 8)));
    };
    // A line ends at CR (the LF after it is skipped) or at the end of the stream.
    auto readLine = [&]() {
        QString line;
        while (pos < units) {
            const QChar c = unit(pos++);
            if (c == kCR) {
                if (pos < units)
                    ++pos;
                break;
            }
            line += c;
        }
        return line;
    };
    auto finish = [&](qsizetype at) { Stream.seek(start + 2 * at); };

    if (pos >= units) {
        finish(pos);
        return;
    }
    const QString first = readLine();
    if (!first.isEmpty()) {
        const int comma = int(first.indexOf(QLatin1Char(',')));
        int c = 0, r = 0;
        if (comma < 0 || !wholeNumber(QStringView(first).left(comma), c) || !wholeNumber(QStringView(first).mid(comma + 1), r)
            || c < 0 || r < 0 || c + SaveStartCol() > MaxFileCols || r + SaveStartRow() > MaxFileRows) {
            finish(0);
            throw ENovaGridError(QStringLiteral("Stream contains no grid data"));
        }
        SetColCount(c + SaveStartCol());
        SetRowCount(r + SaveStartRow());
    }
    ImportNotification(isImportStart, SaveStartRow());
    while (pos < units) {
        const qsizetype mark = pos;
        const QString line = readLine();
        const int c1 = int(line.indexOf(QLatin1Char(',')));
        if (line.startsWith(QLatin1String("cw"))) {
            applyWidthLine(line, c1);
            continue;
        }
        const int c2 = c1 < 0 ? -1 : int(line.indexOf(QLatin1Char(','), c1 + 1));
        int col = 0, row = 0;
        if (c2 < 0 || !wholeNumber(QStringView(line).left(c1), col)
            || !wholeNumber(QStringView(line).mid(c1 + 1, c2 - c1 - 1), row)) {
            pos = mark; // the first line that is no grid data stays for the caller
            break;
        }
        col += SaveStartCol();
        row += SaveStartRow();
        if (col >= 0 && row >= 0 && col < ColCount() && row < RowCount())
            LoadCellText(col, row, DecodeLineBreaksFromFile(line.mid(c2 + 1), Multilinecells()));
    }
    finish(pos);
    ImportNotification(isImportDone, -1);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

void TNovaStringGrid::AssignCells(QObject *Source)
{
    auto *src = dynamic_cast<TNovaStringGrid *>(Source);
    if (!src || src == this)
        return;
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::ReadWrite);
    src->SaveToStream(buf);
    buf.seek(0);
    LoadFromStream(buf);
}
