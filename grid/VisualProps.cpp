// The grid's look in a text file of "key=value" lines: colours by identifier or "$" and eight
// hexadecimal digits, fonts as four lines each, enumerations by identifier. One list of keys
// serves writing and reading, so the two cannot drift apart. A file is read and checked whole
// before the grid changes: a damaged line is reported and leaves the grid as it was.
#include "grid/NovaGrid.h"

#include "grid/BackGround.h"
#include "grid/CompanionSettings.h"
#include "grid/ControlLook.h"
#include "grid/FloatingFooter.h"
#include "grid/GridStreamCarriers.h"
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"
#include "grid/base/NumberDate.h"
#include "platform/ColorNames.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <functional>
#include <limits>

using carrier_values::FontStyleNames;

namespace {

const char *const ControlStyleNames[] = {"csClassic", "csFlat", "csWinXP", "csBorland", "csNova", "csGlyph", "csTheme"};
const char *const LookNames[] = {"glStandard", "glSoft",  "glClassic", "glNova",      "glXP",
                                 "glListView", "glVista", "glWin7",    "glOffice2007"};
const char *const DisplayNames[] = {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
const char *const CellsNames[] = {"bcNormal", "bcFixed", "bcAll"};

struct Names {
    const char *const *names;
    int count;
};
template <std::size_t N>
constexpr Names names(const char *const (&n)[N])
{
    return {n, int(N)};
}

// What the key list is walked with: a writer or a reader.
class VisualPropsVisitor {
public:
    virtual ~VisualPropsVisitor() = default;
    virtual void color(const char *key, TColor value, std::function<void(TColor)> set) = 0;
    virtual void boolean(const char *key, bool value, std::function<void(bool)> set) = 0;
    virtual void integer(const char *key, int value, int min, int max, std::function<void(int)> set) = 0;
    // value -1: none of the names (written empty).
    virtual void enumeration(const char *key, int value, Names n, std::function<void(int)> set) = 0;
    virtual void font(const char *group, const TFont &value, std::function<void(const TFont &)> set) = 0;
};

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

// The keys in file order.
void visitVisualProps(TNovaStringGrid &g, VisualPropsVisitor &v)
{
    v.color("Color", g.Color(), [&g](TColor c) { g.SetColor(c); });
    v.color("HintColor", g.HintColor(), [&g](TColor c) { g.SetHintColor(c); });
    v.color("SelectionColor", g.SelectionColor(), [&g](TColor c) { g.SetSelectionColor(c); });
    v.color("SelectionColorTo", g.SelectionColorTo(), [&g](TColor c) { g.SetSelectionColorTo(c); });
    v.color("SelectionMirrorColor", g.SelectionMirrorColor(), [&g](TColor c) { g.SetSelectionMirrorColor(c); });
    v.color("SelectionMirrorColorTo", g.SelectionMirrorColorTo(), [&g](TColor c) { g.SetSelectionMirrorColorTo(c); });
    v.color("SelectionTextColor", g.SelectionTextColor(), [&g](TColor c) { g.SetSelectionTextColor(c); });
    v.color("URLColor", g.URLColor(), [&g](TColor c) { g.SetURLColor(c); });
    v.boolean("URLShow", g.URLShow(), [&g](bool b) { g.SetURLShow(b); });
    v.boolean("URLShowInText", g.URLShowInText(), [&g](bool b) { g.SetURLShowInText(b); });
    v.color("ScrollColor", g.ScrollColor(), [&g](TColor c) { g.SetScrollColor(c); });
    v.color("ActiveRowColor", g.ActiveRowColor(), [&g](TColor c) { g.SetActiveRowColor(c); });
    v.boolean("ActiveRowShow", g.ActiveRowShow(), [&g](bool b) { g.SetActiveRowShow(b); });
    v.boolean("ActiveCellShow", g.ActiveCellShow(), [&g](bool b) { g.SetActiveCellShow(b); });
    v.font("Font", g.Font(), [&g](const TFont &f) { g.SetFont(f); });
    v.color("ActiveCellColor", g.ActiveCellColor(), [&g](TColor c) { g.SetActiveCellColor(c); });
    v.color("ActiveCellColorTo", g.ActiveCellColorTo(), [&g](TColor c) { g.SetActiveCellColorTo(c); });
    v.font("ActiveCellFont", g.ActiveCellFont(), [&g](const TFont &f) { g.SetActiveCellFont(f); });
    v.font("FixedFont", g.FixedFont(), [&g](const TFont &f) { g.SetFixedFont(f); });

    TBalloonSettings &balloon = *g.Balloon();
    v.color("Balloon.BackgroundColor", balloon.BackgroundColor, [&balloon](TColor c) { balloon.BackgroundColor = c; });
    v.color("Balloon.TextColor", balloon.TextColor, [&balloon](TColor c) { balloon.TextColor = c; });
    v.integer("Balloon.Transparency", balloon.Transparency, 0, 255,
              [&balloon](int i) { balloon.Transparency = quint8(i); });

    TBands &bands = *g.Bands();
    v.color("Bands.PrimaryColor", bands.PrimaryColor(), [&bands](TColor c) { bands.SetPrimaryColor(c); });
    v.color("Bands.SecondaryColor", bands.SecondaryColor(), [&bands](TColor c) { bands.SetSecondaryColor(c); });
    v.boolean("Bands.Active", bands.Active(), [&bands](bool b) { bands.SetActive(b); });
    TSortSettings &sort = *g.SortSettings();
    v.color("SortSettings.IndexColor", sort.IndexColor(), [&sort](TColor c) { sort.SetIndexColor(c); });
    TFloatingFooter &footer = *g.FloatingFooter();
    v.color("FloatingFooter.Color", footer.Color(), [&footer](TColor c) { footer.SetColor(c); });

    TControlLook &look = *g.ControlLook();
    v.integer("ControlLook.CheckSize", look.CheckSize(), IntMin, IntMax, [&look](int i) { look.SetCheckSize(i); });
    v.color("ControlLook.Color", look.Color(), [&look](TColor c) { look.SetColor(c); });
    v.color("ControlLook.CommentColor", look.CommentColor(), [&look](TColor c) { look.SetCommentColor(c); });
    v.enumeration("ControlLook.ControlStyle", look.ControlStyle(), names(ControlStyleNames),
                  [&look](int i) { look.SetControlStyle(TControlStyle(i)); });
    v.color("ControlLook.FixedGradientFrom", look.FixedGradientFrom(), [&look](TColor c) { look.SetFixedGradientFrom(c); });
    v.color("ControlLook.FixedGradientTo", look.FixedGradientTo(), [&look](TColor c) { look.SetFixedGradientTo(c); });
    v.integer("ControlLook.RadioSize", look.RadioSize(), IntMin, IntMax, [&look](int i) { look.SetRadioSize(i); });
    v.boolean("ControlLook.FlatButton", look.FlatButton(), [&look](bool b) { look.SetFlatButton(b); });
    v.color("ControlLook.ProgressBorderColor", look.ProgressBorderColor(), [&look](TColor c) { look.SetProgressBorderColor(c); });
    v.boolean("ControlLook.ProgressXP", look.ProgressXP(), [&look](bool b) { look.SetProgressXP(b); });
    v.enumeration("Look", g.Look() == glCustom ? -1 : int(g.Look()), names(LookNames),
                  [&g](int i) { g.SetLook(TGridLook(i)); });

    TSearchFooter &search = *g.SearchFooter();
    v.color("SearchFooter.Color", search.Color(), [&search](TColor c) { search.SetColor(c); });
    v.color("SearchFooter.ColorTo", search.ColorTo(), [&search](TColor c) { search.SetColorTo(c); });
    TGrouping &grp = *g.Grouping();
    v.color("Grouping.HeaderColor", grp.HeaderColor(), [&grp](TColor c) { grp.SetHeaderColor(c); });
    v.color("Grouping.HeaderColorTo", grp.HeaderColorTo(), [&grp](TColor c) { grp.SetHeaderColorTo(c); });
    v.color("Grouping.HeaderTextColor", grp.HeaderTextColor(), [&grp](TColor c) { grp.SetHeaderTextColor(c); });
    v.boolean("Grouping.HeaderUnderline", grp.HeaderUnderline(), [&grp](bool b) { grp.SetHeaderUnderline(b); });
    v.color("Grouping.HeaderLineColor", grp.HeaderLineColor(), [&grp](TColor c) { grp.SetHeaderLineColor(c); });
    v.integer("Grouping.HeaderLineWidth", grp.HeaderLineWidth(), IntMin, IntMax, [&grp](int i) { grp.SetHeaderLineWidth(i); });
    v.color("Grouping.SummaryColor", grp.SummaryColor(), [&grp](TColor c) { grp.SetSummaryColor(c); });
    v.color("Grouping.SummaryColorTo", grp.SummaryColorTo(), [&grp](TColor c) { grp.SetSummaryColorTo(c); });
    v.color("Grouping.SummaryTextColor", grp.SummaryTextColor(), [&grp](TColor c) { grp.SetSummaryTextColor(c); });
    v.boolean("Grouping.SummaryLine", grp.SummaryLine(), [&grp](bool b) { grp.SetSummaryLine(b); });
    v.color("Grouping.SummaryLineColor", grp.SummaryLineColor(), [&grp](TColor c) { grp.SetSummaryLineColor(c); });
    v.integer("Grouping.SummaryLineWidth", grp.SummaryLineWidth(), IntMin, IntMax, [&grp](int i) { grp.SetSummaryLineWidth(i); });

    v.color("GridLineColor", g.GridLineColor(), [&g](TColor c) { g.SetGridLineColor(c); });
    v.color("GridFixedLineColor", g.GridFixedLineColor(), [&g](TColor c) { g.SetGridFixedLineColor(c); });
    TBackGround &bg = *g.BackGround();
    v.integer("BackGround.Top", bg.Top(), IntMin, IntMax, [&bg](int i) { bg.SetTop(i); });
    v.integer("BackGround.Left", bg.Left(), IntMin, IntMax, [&bg](int i) { bg.SetLeft(i); });
    v.enumeration("BackGround.Display", bg.Display(), names(DisplayNames),
                  [&bg](int i) { bg.SetDisplay(TBackGroundDisplay(i)); });
    v.enumeration("BackGround.Cells", bg.Cells(), names(CellsNames), [&bg](int i) { bg.SetCells(TBackGroundCells(i)); });
    v.color("BackGround.Color", bg.Color(), [&bg](TColor c) { bg.SetColor(c); });
    v.color("BackGround.ColorTo", bg.ColorTo(), [&bg](TColor c) { bg.SetColorTo(c); });
}

// ---- writing ---------------------------------------------------------------------------------------

class VisualPropsWriter : public VisualPropsVisitor {
public:
    QString text;

    void color(const char *key, TColor value, std::function<void(TColor)>) override { line(key, ColorToString(value)); }
    void boolean(const char *key, bool value, std::function<void(bool)>) override
    {
        line(key, value ? QStringLiteral("true") : QStringLiteral("false"));
    }
    void integer(const char *key, int value, int, int, std::function<void(int)>) override
    {
        line(key, QString::number(value));
    }
    void enumeration(const char *key, int value, Names n, std::function<void(int)>) override
    {
        line(key, value >= 0 && value < n.count ? QString::fromLatin1(n.names[value]) : QString());
    }
    void font(const char *group, const TFont &value, std::function<void(const TFont &)>) override
    {
        const QByteArray g(group);
        QStringList styles;
        for (int s = 0; s < 4; ++s)
            if (value.Style.Contains(TFontStyle(s)))
                styles << QString::fromLatin1(FontStyleNames[s]);
        line(g + ".Color", ColorToString(value.Color));
        line(g + ".Style", styles.join(QLatin1Char(',')));
        line(g + ".Size", QString::number(value.Size));
        line(g + ".Name", value.Name);
    }

private:
    void line(const QByteArray &key, const QString &value)
    {
        text += QLatin1String(key) + QLatin1Char('=') + value + QLatin1String("\r\n");
    }
};

// ---- reading ---------------------------------------------------------------------------------------

// Converts every value first and keeps what to apply; nothing is applied while a value is bad.
class VisualPropsReader : public VisualPropsVisitor {
public:
    VisualPropsReader(const QStringList &lines, const QString &fileName) : FFileName(fileName)
    {
        for (const QString &l : lines) {
            const qsizetype eq = l.indexOf(QLatin1Char('='));
            if (eq > 0)
                FLines.push_back({l.left(eq).trimmed(), l.mid(eq + 1)});
        }
    }
    std::vector<std::function<void()>> apply;

    void color(const char *key, TColor, std::function<void(TColor)> set) override
    {
        const QString v = value(key).trimmed();
        TColor c = clNone;
        if (!v.isEmpty() && !StringToColor(v, c))
            fail(key, v, QStringLiteral("is no colour"));
        apply.push_back([set, c] { set(c); });
    }
    void boolean(const char *key, bool, std::function<void(bool)> set) override
    {
        const bool b = value(key).toUpper() == QLatin1String("TRUE");
        apply.push_back([set, b] { set(b); });
    }
    void integer(const char *key, int, int min, int max, std::function<void(int)> set) override
    {
        const int i = toInt(key, value(key), min, max);
        apply.push_back([set, i] { set(i); });
    }
    void enumeration(const char *key, int, Names n, std::function<void(int)> set) override
    {
        const QString v = value(key).trimmed();
        for (int i = 0; i < n.count; ++i)
            if (v.compare(QLatin1String(n.names[i]), Qt::CaseInsensitive) == 0) {
                apply.push_back([set, i] { set(i); });
                return;
            }
        // No identifier matches: the setting stays as it is.
    }
    void font(const char *group, const TFont &current, std::function<void(const TFont &)> set) override
    {
        const QByteArray g(group);
        TFont f = current;
        const QString color = value(g + ".Color").trimmed();
        f.Color = clNone;
        if (!color.isEmpty() && !StringToColor(color, f.Color))
            fail(g + ".Color", color, QStringLiteral("is no colour"));
        // Style names are matched exactly; the set read replaces the font's style.
        const QString style = value(g + ".Style");
        f.Style = TFontStyles();
        for (int s = 0; s < 4; ++s)
            if (style.contains(QLatin1String(FontStyleNames[s])))
                f.Style.Include(TFontStyle(s));
        f.Size = toInt(g + ".Size", value(g + ".Size"), 1, 4096);
        f.Name = value(g + ".Name");
        apply.push_back([set, f] { set(f); });
    }

private:
    struct Line {
        QString key, value;
    };

    // The value of the first line of that key, any letter case; empty when there is none.
    QString value(const QByteArray &key) const
    {
        const QString k = QString::fromLatin1(key);
        for (const Line &l : FLines)
            if (l.key.compare(k, Qt::CaseInsensitive) == 0)
                return l.value;
        return {};
    }
    int toInt(const QByteArray &key, const QString &text, int min, int max) const
    {
        bool ok = false;
        const qlonglong v = text.trimmed().toLongLong(&ok);
        if (!ok)
            fail(key, text, text.trimmed().isEmpty() ? QStringLiteral("is missing") : QStringLiteral("is no number"));
        if (v < min || v > max)
            fail(key, text, QStringLiteral("is out of range"));
        return int(v);
    }
    [[noreturn]] void fail(const QByteArray &key, const QString &text, const QString &why) const
    {
        throw EConvertError((QStringLiteral("'%1' of %2 in %3 %4").arg(text, QString::fromLatin1(key), FFileName, why))
                                .toStdString());
    }

    QString FFileName;
    std::vector<Line> FLines;
};

} // namespace

void TNovaStringGrid::SaveVisualProps(const QString &FileName)
{
    TNovaStringGrid &Grid = *this;
    VisualPropsWriter w;
    visitVisualProps(Grid, w);
    // ANSI as the grid's other text files; UTF-8 when a font name holds characters ANSI lacks.
    QByteArray bytes = platform::encodeText(w.text, platform::TextEncoding::Ansi);
    if (platform::decodeCodePage(bytes, platform::TextEncoding::Ansi) != w.text)
        bytes = platform::encodeText(w.text, platform::TextEncoding::Utf8Bom);
    if (!platform::writeFileAtomic(FileName, bytes))
        throw ENovaGridError(QStringLiteral("Cannot Create ") + FileName);
}

void TNovaStringGrid::LoadVisualProps(const QString &FileName)
{
    TNovaStringGrid &Grid = *this;
    QString text;
    if (!platform::readTextFile(FileName, text))
        throw ENovaGridError(QStringLiteral("Cannot open file ") + FileName);
    VisualPropsReader r(platform::splitTextLines(text), FileName);
    visitVisualProps(Grid, r);
    for (const auto &apply : r.apply)
        apply();
}
