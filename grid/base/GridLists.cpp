#include "grid/base/GridLists.h"

#include "grid/base/NumberDate.h"
#include "platform/Files.h"

#include <QImageReader>
#include <QStringDecoder>
#include <algorithm>

// ---- TIntList -------------------------------------------------------------------------------

TIntList::TIntList(int ACol, int ARow, QObject *parent) : QObject(parent), m_col(ACol), m_row(ARow) {}

void TIntList::changed() { FireEvent(OnChange, this, m_col, m_row); }

void TIntList::checkIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TIntList::Add(int Value)
{
    m_items.push_back(Value);
    changed();
}

void TIntList::Insert(int Index, int Value)
{
    if (Index < 0 || Index > Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    m_items.insert(m_items.begin() + Index, Value);
}

void TIntList::Delete(int Index)
{
    checkIndex(Index);
    m_items.erase(m_items.begin() + Index);
    changed();
}

void TIntList::DeleteValue(int Value)
{
    const int i = IndexOf(Value);
    if (i >= 0) Delete(i);
}

bool TIntList::HasValue(int Value) const { return IndexOf(Value) >= 0; }

int TIntList::IndexOf(int Value) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Value);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

int TIntList::GetInteger(int Index) const
{
    checkIndex(Index);
    return m_items[size_t(Index)];
}

void TIntList::SetInteger(int Index, int Value)
{
    checkIndex(Index);
    m_items[size_t(Index)] = Value;
    changed();
}

void TIntList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    const std::int32_t v = m_items[size_t(CurIndex)];
    m_items.erase(m_items.begin() + CurIndex);
    m_items.insert(m_items.begin() + NewIndex, v);
}

void TIntList::Exchange(int Index1, int Index2)
{
    checkIndex(Index1);
    checkIndex(Index2);
    std::swap(m_items[size_t(Index1)], m_items[size_t(Index2)]);
}

void TIntList::Assign(const TIntList &Source)
{
    if (&Source != this) m_items = Source.m_items;
}

QString TIntList::StrValue() const
{
    QString s;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (i) s += QLatin1Char(',');
        s += QString::number(m_items[i]);
    }
    return s;
}

namespace {

// Items of a comma text: separated by commas or by characters up to blank, optionally in double
// quotes (a doubled quote inside stands for one); an empty item between two commas counts.
QStringList splitCommaText(const QString &text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype p = 0;
    auto skipBlanks = [&] {
        // every control character counts as a blank, NUL included, so reading always advances
        while (p < n && text.at(p).unicode() <= 32) ++p;
    };
    skipBlanks();
    while (p < n) {
        QString item;
        if (text.at(p) == QLatin1Char('"')) {
            ++p;
            while (p < n) {
                if (text.at(p) == QLatin1Char('"')) {
                    if (p + 1 < n && text.at(p + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text.at(p++);
            }
        } else {
            const qsizetype b = p;
            while (p < n && text.at(p).unicode() > 32 && text.at(p) != QLatin1Char(',')) ++p;
            item = text.mid(b, p - b);
        }
        items << item;
        skipBlanks();
        if (p < n && text.at(p) == QLatin1Char(',')) {
            if (p + 1 >= n) items << QString();
            ++p;
            skipBlanks();
        }
    }
    return items;
}

} // namespace

void TIntList::SetStrValue(const QString &Value)
{
    m_items.clear();
    for (const QString &item : splitCommaText(Value)) {
        int v = 0;
        if (!TryTextToInt(item, v))
            throw EConvertError(("'" + item + "' is not a valid integer value").toStdString());
        Add(v);
    }
}

// ---- TSortIndexList ---------------------------------------------------------------------------

namespace {
constexpr std::uint32_t kDescending = 0x80000000u;
constexpr std::uint32_t kColumnBits = 0x7FFFFFFFu;
} // namespace

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    std::uint32_t v = std::uint32_t(ColumnIndex);
    if (!Ascending) v |= kDescending;
    Add(std::int32_t(v));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    const std::uint32_t col = std::uint32_t(ColumnIndex) & kColumnBits;
    for (int i = 0; i < Count(); ++i)
        if ((std::uint32_t(m_items[size_t(i)]) & kColumnBits) == col) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0) SetInteger(i, std::int32_t(std::uint32_t(GetInteger(i)) ^ kDescending));
}

int TSortIndexList::GetSortColumns(int i) const { return int(std::uint32_t(GetInteger(i)) & kColumnBits); }

void TSortIndexList::SetSortColumns(int i, int Value)
{
    const std::uint32_t old = std::uint32_t(GetInteger(i));
    SetInteger(i, std::int32_t((old & kDescending) | (std::uint32_t(Value) & kColumnBits)));
}

bool TSortIndexList::GetSortDirections(int i) const { return (std::uint32_t(GetInteger(i)) & kDescending) == 0; }

void TSortIndexList::SetSortDirections(int i, bool Value)
{
    const std::uint32_t old = std::uint32_t(GetInteger(i));
    SetInteger(i, std::int32_t(Value ? (old & kColumnBits) : (old | kDescending)));
}

QString TSortIndexList::SaveToString() const
{
    QStringList tokens;
    for (int i = 0; i < Count(); ++i)
        tokens << (GetSortDirections(i) ? QStringLiteral("u") : QStringLiteral("d")) + QString::number(GetSortColumns(i));
    return tokens.join(QLatin1Char(';'));
}

void TSortIndexList::LoadFromString(const QString &s)
{
    Clear();
    for (const QString &token : s.split(QLatin1Char(';'))) {
        if (token.size() < 2) continue;
        int col = 0;
        if (!TryTextToInt(token.mid(1), col) || col < 0) continue;
        AddIndex(col, token.at(0) == QLatin1Char('u'));
    }
}

// ---- TControlList -----------------------------------------------------------------------------

void TControlList::AddControl(int X, int Y, QObject *AObject) { m_items.push_back(std::make_unique<TControlItem>(X, Y, AObject)); }

int TControlList::ControlIndex(int X, int Y) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->X() == X && m_items[i]->Y() == Y) return int(i);
    return -1;
}

TControlItem *TControlList::GetControl(int i) const
{
    if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return m_items[size_t(i)].get();
}

bool TControlList::HasHandle(const QWidget *Handle) const
{
    if (!Handle) return false;
    for (const auto &item : m_items)
        if (qobject_cast<QWidget *>(item->Control()) == Handle) return true;
    return false;
}

void TControlList::RemoveControl(int i)
{
    if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    m_items.erase(m_items.begin() + i);
}

void TControlList::Clear()
{
    while (!m_items.empty()) RemoveControl(Count() - 1);
}

// ---- TFilePicture -----------------------------------------------------------------------------

bool TFilePicture::SetFilename(const QString &Value)
{
    m_filename = Value;
    m_width = m_height = 0;
    if (Value.isEmpty()) return false;
    QImageReader reader(Value);
    QSize size = reader.size();
    if (!size.isValid()) {
        const QImage img = reader.read();
        if (img.isNull()) return false;
        size = img.size();
    } else if (!reader.canRead()) {
        return false;
    }
    m_width = size.width();
    m_height = size.height();
    return true;
}

bool TFilePicture::DrawPicture(TCanvas &Canvas, const TRect &r) const
{
    if (m_filename.isEmpty()) return false;
    QImageReader reader(m_filename);
    const QImage img = reader.read();
    if (img.isNull()) return false;
    Canvas.StretchDraw(r, img);
    return true;
}

void TFilePicture::Assign(const TFilePicture &Source)
{
    m_filename = Source.m_filename;
    m_width = Source.m_width;
    m_height = Source.m_height;
}

// ---- TFileStringList --------------------------------------------------------------------------

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(QString &s)
{
    if (fp < 0 || fp >= size()) throw EListError("List index out of bounds (" + std::to_string(fp) + ")");
    s = at(fp);
    ++fp;
}

void TFileStringList::WriteLn(const QString &s)
{
    append(cache + s);
    cache.clear();
}

void TFileStringList::SetTextBytes(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE);
        text = dec(bytes.mid(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE);
        text = dec(bytes.mid(2));
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes);
        if (utf8.hasError()) {
            QStringDecoder cp1252("windows-1252");
            text = cp1252.isValid() ? QString(cp1252(bytes)) : QString::fromLatin1(bytes);
        }
    }
    clear();
    qsizetype b = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            append(text.mid(b, i - b));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            b = i + 1;
        }
    }
    if (b < n) append(text.mid(b));
}

QByteArray TFileStringList::TextBytes() const
{
    QByteArray out;
    for (const QString &line : *this) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

bool TFileStringList::LoadFromFile(const QString &FileName, QString *error)
{
    QByteArray bytes;
    if (!platform::readFile(FileName, bytes, error)) return false;
    SetTextBytes(bytes);
    return true;
}

bool TFileStringList::SaveToFile(const QString &FileName, QString *error) const
{
    return platform::writeFileAtomic(FileName, TextBytes(), error);
}

// ---- cells of a disjunct selection ----------------------------------------------------------------

bool TCellCoordList::Add(TGridCoord Cell)
{
    if (!m_index.insert(key(Cell)).second)
        return false;
    m_items.push_back(Cell);
    return true;
}

bool TCellCoordList::Remove(TGridCoord Cell)
{
    if (m_index.erase(key(Cell)) == 0)
        return false;
    m_items.erase(std::find(m_items.begin(), m_items.end(), Cell));
    return true;
}

TGridCoord TCellCoordList::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("cell selection index out of range");
    return m_items[std::size_t(Index)];
}

void TCellCoordList::Clear()
{
    m_items.clear();
    m_index.clear();
}
