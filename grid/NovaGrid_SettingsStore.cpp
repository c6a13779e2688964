// Column arrangement, column widths and positions, and print settings kept in settings files.
// Every stored arrangement is checked whole before the grid changes, so a damaged or hand-edited
// file is refused with a message instead of leaving the columns half moved.
#include "grid/NovaGrid.h"

#include "grid/ColumnArrangement.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/SizeSettings.h"
#include "grid/base/VedAzirText.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <memory>

namespace {

// For each value, the index that holds it.
std::vector<int> inverse(const std::vector<int> &v)
{
    std::vector<int> inv(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        inv[std::size_t(v[i])] = int(i);
    return inv;
}

QString joined(const std::vector<int> &v)
{
    QStringList parts;
    for (int x : v)
        parts << QString::number(x);
    return parts.join(QLatin1Char(','));
}

bool toInts(const QString &section, std::vector<int> &out)
{
    out.clear();
    if (section.isEmpty())
        return true;
    for (const QString &p : section.split(QLatin1Char(','))) {
        bool ok = false;
        out.push_back(p.trimmed().toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

// The settings store of ColumnSize: its INI file, or the per-user store standing in for the
// registry (one section per key and sub-key).
struct TNovaStringGrid::ColumnStore {
    platform::IniFile ini;
    QString section;
};

std::unique_ptr<TNovaStringGrid::ColumnStore> TNovaStringGrid::openColumnStore() const
{
    if (FDesigning || FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty())
        return nullptr;
    if (FColumnSize->Location() == clIniFile)
        return std::make_unique<ColumnStore>(ColumnStore{platform::IniFile(FColumnSize->Key()), FColumnSize->Section()});
    return std::make_unique<ColumnStore>(
        ColumnStore{platform::IniFile(platform::userSettingsFile()),
                    platform::userSettingsSection(FColumnSize->Key(), FColumnSize->Section())});
}

void TNovaStringGrid::closeColumnStore(const ColumnStore &Store) const
{
    QString error;
    if (!Store.ini.UpdateFile(&error))
        throw ENovaGridError(QStringLiteral("Cannot write ") + Store.ini.FileName() + QStringLiteral(": ") + error);
}

// ---- column-state string -------------------------------------------------------------------------

QString TNovaStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    std::vector<int> widths, order, visible;
    for (int i = 0; i < n; ++i)
        widths.push_back(i < ColCount() ? ColWidths(i) : DefaultColWidth());
    if (FColumnOrder->IsEmpty())
        for (int i = 0; i < n; ++i)
            order.push_back(i);
    else
        order = FColumnOrder->Values();
    for (int i = 0; i < n; ++i)
        visible.push_back(IsHiddenColumn(i) ? 0 : 1);
    QStringList flags;
    for (int v : visible)
        flags << QString::number(v);
    return QString::number(n) + QLatin1Char('#') + joined(widths) + QLatin1Char('#') + joined(order) + QLatin1Char('#')
           + flags.join(QLatin1Char(','));
}

void TNovaStringGrid::StringToColumnStates(const QString &Value)
{
    if (!Value.contains(QLatin1Char('#')))
        return;
    // Everything is read and checked first.
    const QStringList sections = Value.split(QLatin1Char('#'));
    const auto bad = [&] { return ENovaGridError(QStringLiteral("Invalid column states: ") + Value); };
    bool ok = false;
    const int n = sections[0].trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 512)
        throw bad();
    std::vector<int> widths, entries, flags;
    if (!toInts(sections.value(1), widths) || !toInts(sections.value(2), entries) || !toInts(sections.value(3), flags))
        throw bad();
    std::vector<int> order;
    for (int i = 0; i < n && i < int(entries.size()); ++i)
        if (entries[std::size_t(i)] != -1)
            order.push_back(entries[std::size_t(i)]);
    if (!IsColumnPermutation(order) || std::any_of(flags.begin(), flags.end(), [](int f) { return f != 0 && f != 1; })
        || std::any_of(widths.begin(), widths.end(), [](int w) { return w < 0; }))
        throw bad();

    FColumnOrder->Clear();
    UnHideColumnsAll();
    SetColCount(n);
    if (!order.empty()) {
        for (int p : inverse(order))
            FColumnOrder->Add(p);
        ResetColumnOrder();
        FColumnOrder->Clear();
        for (int p : order)
            FColumnOrder->Add(p);
    }
    for (int c = std::min(ColCount(), int(flags.size())) - 1; c >= 0; --c)
        if (flags[std::size_t(c)] == 0)
            HideColumn(c);
    const bool stretch = FColumnSize->Stretch();
    FColumnSize->SetStretch(false);
    if (stretch && ColCount() > 0) {
        const int sc = FColumnSize->StretchColumn();
        SetDefaultColWidth(ColWidths(sc >= 0 && sc < ColCount() ? sc : ColCount() - 1));
    }
    for (int i = 0; i < ColCount() && i < int(widths.size()); ++i)
        SetColWidths(i, widths[std::size_t(i)]);
    FColumnSize->SetStretch(stretch);
}

// ---- column widths and positions -----------------------------------------------------------------

void TNovaStringGrid::SaveColSizes()
{
    const auto store = openColumnStore();
    if (!store)
        return;
    for (int i = 0; i < ColCount(); ++i)
        store->ini.WriteInteger(store->section, QStringLiteral("Col") + QString::number(i), ColWidths(i));
    closeColumnStore(*store);
}

void TNovaStringGrid::LoadColSizes()
{
    const auto store = openColumnStore();
    if (!store)
        return;
    for (int i = 0; i < ColCount(); ++i) {
        const int w = store->ini.ReadInteger(store->section, QStringLiteral("Col") + QString::number(i), ColWidths(i));
        if (w != ColWidths(i) && w >= 0)
            SetColWidths(i, w);
    }
}

void TNovaStringGrid::SaveColPositions()
{
    const auto store = openColumnStore();
    if (!store || FColumnOrder->IsEmpty())
        return;
    for (int i = 0; i < FColumnOrder->Count(); ++i)
        store->ini.WriteInteger(store->section, QStringLiteral("Pos") + QString::number(i), FColumnOrder->Items(i));
    closeColumnStore(*store);
}

void TNovaStringGrid::LoadColPositions()
{
    const auto store = openColumnStore();
    if (!store || store->ini.ReadInteger(store->section, QStringLiteral("Pos0"), -1) == -1)
        return;
    const int n = ColCount() + NumHiddenColumns();
    std::vector<int> order;
    for (int i = 0; i < n; ++i) {
        const int p = store->ini.ReadInteger(store->section, QStringLiteral("Pos") + QString::number(i), -1);
        if (p != -1)
            order.push_back(p);
    }
    if (!IsColumnPermutation(order))
        throw ENovaGridError(QStringLiteral("Invalid column positions in ") + store->ini.FileName());
    std::vector<int> hidden;
    for (int c = 0; c < n; ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    FColumnOrder->Clear();
    for (int p : inverse(order))
        FColumnOrder->Add(p);
    UnHideColumnsAll();
    ResetColumnOrder();
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
        HideColumn(*it);
    FColumnOrder->Clear();
    for (int p : order)
        FColumnOrder->Add(p);
}

// ---- print settings --------------------------------------------------------------------------------

namespace {

QString yn(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

void writeFont(platform::IniFile &ini, const QString &s, const QString &prefix, const TFont &f)
{
    ini.WriteString(s, prefix + QStringLiteral("FontName"), f.Name);
    ini.WriteInteger(s, prefix + QStringLiteral("FontSize"), f.Size);
    ini.WriteInteger(s, prefix + QStringLiteral("FontStyle"), int(f.Style.Bits()));
    ini.WriteInteger(s, prefix + QStringLiteral("FontColor"), int(f.Color));
}

TFont readFont(const platform::IniFile &ini, const QString &s, const QString &prefix, TFont f)
{
    f.Name = ini.ReadString(s, prefix + QStringLiteral("FontName"), QStringLiteral("Arial"));
    f.Size = ini.ReadInteger(s, prefix + QStringLiteral("FontSize"), 10);
    // The stored style is the font's style: bits not stored are cleared.
    f.Style = TFontStyles::FromBits(std::uint32_t(ini.ReadInteger(s, prefix + QStringLiteral("FontStyle"), 0)) & 0xF);
    f.Color = TColor(ini.ReadInteger(s, prefix + QStringLiteral("FontColor"), 0));
    return f;
}

} // namespace

void TNovaStringGrid::SavePrintSettings(const QString &Key, const QString &Section)
{
    platform::IniFile ini(Key);
    const TPrintSettings &p = *FPrintSettings;
    const QString &s = Section;
    ini.WriteInteger(s, QStringLiteral("ColumnSpacing"), p.ColumnSpacing());
    ini.WriteInteger(s, QStringLiteral("RowSpacing"), p.RowSpacing());
    ini.WriteInteger(s, QStringLiteral("TitleSpacing"), p.TitleSpacing());
    ini.WriteInteger(s, QStringLiteral("FixedHeight"), p.FixedHeight());
    ini.WriteInteger(s, QStringLiteral("FixedWidth"), p.FixedWidth());
    ini.WriteString(s, QStringLiteral("Centered"), yn(p.Centered()));
    ini.WriteString(s, QStringLiteral("NoAutoSize"), yn(p.NoAutoSize()));
    ini.WriteString(s, QStringLiteral("UseFixedHeight"), yn(p.UseFixedHeight()));
    ini.WriteString(s, QStringLiteral("UseFixedWidth"), yn(p.UseFixedWidth()));
    ini.WriteString(s, QStringLiteral("RepeatFixedRows"), yn(p.RepeatFixedRows()));
    ini.WriteString(s, QStringLiteral("RepeatFixedCols"), yn(p.RepeatFixedCols()));
    ini.WriteString(s, QStringLiteral("UseDisplFont"), yn(p.UseDisplayFont()));
    ini.WriteString(s, QStringLiteral("UseDefOrientation"), yn(p.UseDefaultOrientation()));
    ini.WriteInteger(s, QStringLiteral("Borders"), int(p.Borders()));
    ini.WriteInteger(s, QStringLiteral("BorderColor"), int(p.BorderColor()));
    ini.WriteInteger(s, QStringLiteral("BorderStyle"), int(p.BorderStyle()));
    ini.WriteInteger(s, QStringLiteral("Date"), int(p.Date()));
    ini.WriteInteger(s, QStringLiteral("PageNr"), int(p.PageNr()));
    ini.WriteInteger(s, QStringLiteral("Title"), int(p.Title()));
    ini.WriteInteger(s, QStringLiteral("Time"), int(p.Time()));
    ini.WriteString(s, QStringLiteral("DateFormat"), p.DateFormat());
    ini.WriteString(s, QStringLiteral("TitleText"), p.TitleText());
    ini.WriteInteger(s, QStringLiteral("FooterSize"), p.FooterSize());
    ini.WriteInteger(s, QStringLiteral("HeaderSize"), p.HeaderSize());
    ini.WriteInteger(s, QStringLiteral("LeftSize"), p.LeftSize());
    ini.WriteInteger(s, QStringLiteral("RightSize"), p.RightSize());
    ini.WriteInteger(s, QStringLiteral("FitToPage"), int(p.FitToPage()));
    writeFont(ini, s, QString(), p.Font());
    writeFont(ini, s, QStringLiteral("Header"), p.HeaderFont());
    writeFont(ini, s, QStringLiteral("Footer"), p.FooterFont());
    ini.WriteString(s, QStringLiteral("PageNumSep"), p.PageNumSep());
    ini.WriteString(s, QStringLiteral("PageSuffix"), p.PageSuffix());
    ini.WriteString(s, QStringLiteral("PagePrefix"), p.PagePrefix());
    ini.WriteInteger(s, QStringLiteral("Orientation"), int(p.Orientation()));
    ini.WriteString(s, QStringLiteral("TitleLines"), EscapeLineBreaks(p.TitleLines().join(QStringLiteral("\r\n"))));
    ini.WriteString(s, QStringLiteral("PrintGraphics"), yn(p.PrintGraphics()));
    QString error;
    if (!ini.UpdateFile(&error))
        throw ENovaGridError(QStringLiteral("Cannot write ") + Key + QStringLiteral(": ") + error);
}

void TNovaStringGrid::LoadPrintSettings(const QString &Key, const QString &Section)
{
    const platform::IniFile ini(Key);
    TPrintSettings &p = *FPrintSettings;
    const QString &s = Section;
    const auto b = [&](const char *name, const char *def) {
        return ini.ReadString(s, QLatin1String(name), QLatin1String(def)) == QLatin1String("Y");
    };
    const auto i = [&](const char *name, int def) { return ini.ReadInteger(s, QLatin1String(name), def); };
    const auto t = [&](const char *name) { return ini.ReadString(s, QLatin1String(name), QString()); };
    p.SetColumnSpacing(i("ColumnSpacing", 20));
    p.SetRowSpacing(i("RowSpacing", 20));
    p.SetTitleSpacing(i("TitleSpacing", 20));
    p.SetFixedHeight(i("FixedHeight", 0));
    p.SetFixedWidth(i("FixedWidth", 0));
    p.SetCentered(b("Centered", "Y"));
    p.SetNoAutoSize(b("NoAutoSize", "N"));
    p.SetUseFixedHeight(b("UseFixedHeight", "N"));
    p.SetUseFixedWidth(b("UseFixedWidth", "N"));
    p.SetRepeatFixedRows(b("RepeatFixedRows", "N"));
    p.SetRepeatFixedCols(b("RepeatFixedCols", "N"));
    p.SetUseDisplayFont(b("UseDisplFont", "N"));
    p.SetUseDefaultOrientation(b("UseDefOrientation", "N"));
    p.SetDateFormat(t("DateFormat"));
    p.SetTitleText(t("TitleText"));
    p.SetFooterSize(i("FooterSize", 100));
    p.SetHeaderSize(i("HeaderSize", 100));
    p.SetLeftSize(i("LeftSize", 100));
    p.SetRightSize(i("RightSize", 100));
    p.SetPageNumSep(t("PageNumSep"));
    p.SetPageSuffix(t("PageSuffix"));
    p.SetPagePrefix(t("PagePrefix"));
    p.SetPrintGraphics(b("PrintGraphics", "N"));
    const int borders = i("Borders", 0);
    if (borders >= 0 && borders <= 8)
        p.SetBorders(TPrintBorders(borders));
    p.SetBorderColor(TColor(i("BorderColor", 0)));
    const int style = i("BorderStyle", 0);
    if (style >= 0 && style <= 6)
        p.SetBorderStyle(TPenStyle(style));
    const auto pos = [&](const char *name) {
        const int v = i(name, 0);
        return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
    };
    p.SetDate(pos("Date"));
    p.SetPageNr(pos("PageNr"));
    p.SetTitle(pos("Title"));
    p.SetTime(pos("Time"));
    const int fit = i("FitToPage", 0);
    if (fit >= 0 && fit <= 4)
        p.SetFitToPage(TFitToPage(fit));
    p.SetFont(readFont(ini, s, QString(), p.Font()));
    p.SetHeaderFont(readFont(ini, s, QStringLiteral("Header"), p.HeaderFont()));
    p.SetFooterFont(readFont(ini, s, QStringLiteral("Footer"), p.FooterFont()));
    QStringList lines;
    const QString titles = UnescapeLineBreaks(t("TitleLines"));
    if (!titles.isEmpty())
        lines = titles.split(QLatin1Char('\r'));
    p.SetTitleLines(lines);
    const int orientation = i("Orientation", 0);
    if (orientation == 0 || orientation == 1)
        p.SetOrientation(TPrinterOrientation(orientation));
}
