#include "grid/ColumnGridIO.h"

#include "grid/NovaColumnGrid.h"
#include "platform/ColorNames.h"

#include <QMenu>
#include <algorithm>

using platform::StreamProperty;
using platform::StreamRecord;
using platform::StreamValue;
using namespace carrier_values;

namespace {

const char *const PenStyleNames[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
const char *const PopupTypeNames[] = {"cpFixedCellsRClick", "cpFixedCellsLClick", "cpNormalCellsRClick",
                                      "cpNormalCellsLClick", "cpAllCellsRClick",   "cpAllCellsLClick"};

using Props = std::vector<StreamProperty>;

void add(Props &p, const QByteArray &name, StreamValue v) { p.push_back({name, std::move(v)}); }

// A colour goes by its identifier where it has one, as the platform writes colours.
StreamValue colorValue(TColor c)
{
    QString ident;
    if (ColorToIdent(c, ident))
        return StreamValue::ofIdent(ident);
    return StreamValue::ofInt(std::int32_t(c));
}

bool toColor(const StreamValue &v, TColor &out)
{
    if (v.kind == StreamValue::Ident)
        return IdentToColor(v.text, out);
    std::int32_t i = 0;
    if (!toInt(v, i))
        return false;
    out = TColor(i);
    return true;
}

template <typename E>
bool enumOf(const StreamValue &v, E &out)
{
    bool ok = false;
    if (v.kind == StreamValue::Ident)
        out = EnumFromName<E>(v.text, out, &ok);
    return ok;
}

StreamValue bordersValue(TCellBorders b)
{
    QStringList items;
    for (int i = 0; i < 4; ++i)
        if (b.Contains(TCellBorder(i)))
            items << EnumName(TCellBorder(i));
    return StreamValue::ofSet(items);
}

bool toBorders(const StreamValue &v, TCellBorders &out)
{
    if (v.kind != StreamValue::Set)
        return false;
    TCellBorders b;
    for (const QString &name : v.items) {
        bool ok = false;
        const TCellBorder e = EnumFromName<TCellBorder>(name, cbTop, &ok);
        if (ok)
            b.Include(e);
    }
    out = b;
    return true;
}

void addFont(Props &p, const QByteArray &prefix, const TFont &f)
{
    add(p, prefix + ".Color", colorValue(f.Color));
    add(p, prefix + ".Name", StreamValue::ofText(f.Name));
    add(p, prefix + ".Size", StreamValue::ofInt(f.Size));
    add(p, prefix + ".Style", fontStyleValue(f.Style));
}

// One property of a nested font; false for another name.
bool readFont(const QByteArray &sub, const StreamValue &v, TFont &f)
{
    std::int32_t i = 0;
    if (sub == "Color")
        toColor(v, f.Color);
    else if (sub == "Name")
        toText(v, f.Name);
    else if (sub == "Size" && toInt(v, i))
        f.Size = std::clamp(i, 1, 4096); // a size no font can have would stall the painting
    else if (sub == "Style")
        toFontStyles(v, f.Style);
    else
        return false;
    return true;
}

void addPen(Props &p, const QByteArray &prefix, const TPen &pen)
{
    add(p, prefix + ".Color", colorValue(pen.Color));
    add(p, prefix + ".Style", ident(PenStyleNames, pen.Style));
    add(p, prefix + ".Width", StreamValue::ofInt(pen.Width));
}

bool readPen(const QByteArray &sub, const StreamValue &v, TPen &pen)
{
    std::int32_t i = 0;
    int s = 0;
    if (sub == "Color")
        toColor(v, pen.Color);
    else if (sub == "Style" && fromIdent(PenStyleNames, v, s))
        pen.Style = TPenStyle(s);
    else if (sub == "Width" && toInt(v, i))
        pen.Width = std::clamp(i, 0, 1000);
    else
        return false;
    return true;
}

// A reference travels as the component's name; one without a name cannot be written.
void addReference(Props &p, const char *name, const QObject *o)
{
    if (o && !o->objectName().isEmpty())
        add(p, name, StreamValue::ofIdent(o->objectName()));
}

// The grid's widget of that name in the grid's window, none when there is none.
template <typename T>
T *findReference(const TNovaColumnGrid *grid, const StreamValue &v)
{
    if (v.kind != StreamValue::Ident || v.text.isEmpty() || !grid)
        return nullptr;
    return grid->window()->findChild<T *>(v.text);
}

// One property of an item; unknown or ill-typed properties are skipped.
void readItemProperty(TGridColumnItem &it, const TNovaColumnGrid *grid, const QByteArray &n, const StreamValue &val)
{
    std::int32_t i = 0;
    bool b = false;
    QString t;
    TColor c = 0;
    const qsizetype dot = n.indexOf('.');
    if (dot > 0) {
        const QByteArray group = n.left(dot), sub = n.mid(dot + 1);
        TFont f;
        TPen pen;
        if (group == "Font" && (f = it.Font(), readFont(sub, val, f))) it.SetFont(f);
        else if (group == "HeaderFont" && (f = it.HeaderFont(), readFont(sub, val, f))) it.SetHeaderFont(f);
        else if (group == "PrintFont" && (f = it.PrintFont(), readFont(sub, val, f))) it.SetPrintFont(f);
        else if (group == "BorderPen" && (pen = it.BorderPen(), readPen(sub, val, pen))) it.SetBorderPen(pen);
        else if (group == "PrintBorderPen" && (pen = it.PrintBorderPen(), readPen(sub, val, pen))) it.SetPrintBorderPen(pen);
        return;
    }
    if (n == "AutoMinSize" && toInt(val, i)) it.SetAutoMinSize(i);
    else if (n == "AutoMaxSize" && toInt(val, i)) it.SetAutoMaxSize(i);
    else if (n == "Alignment") { TAlignment a = it.Alignment(); if (enumOf(val, a)) it.SetAlignment(a); }
    else if (n == "Borders") { TCellBorders bs; if (toBorders(val, bs)) it.SetBorders(bs); }
    else if (n == "CheckFalse" && toText(val, t)) it.SetCheckFalse(t);
    else if (n == "CheckTrue" && toText(val, t)) it.SetCheckTrue(t);
    else if (n == "Color" && toColor(val, c)) it.SetColor(c);
    else if (n == "ColumnPopup") it.SetColumnPopup(findReference<QMenu>(grid, val));
    else if (n == "ColumnPopupType") { int k = 0; if (fromIdent(PopupTypeNames, val, k)) it.SetColumnPopupType(TColumnPopupType(k)); }
    else if (n == "ComboItems" && val.kind == StreamValue::List) it.SetComboItems(val.items);
    else if (n == "DropDownCount" && toInt(val, i)) it.SetDropDownCount(i);
    else if (n == "EditLength" && toInt(val, i)) it.SetEditLength(i);
    else if (n == "EditLink") it.SetEditLink(findReference<QObject>(grid, val));
    else if (n == "EditMask" && toText(val, t)) it.SetEditMask(t);
    else if (n == "Editor") { TEditorType e = it.Editor(); if (enumOf(val, e)) it.SetEditor(e); }
    else if (n == "Filter" && val.kind == StreamValue::List) it.SetFilter(val.items);
    else if (n == "FilterCaseSensitive" && toBool(val, b)) it.SetFilterCaseSensitive(b);
    else if (n == "Fixed" && toBool(val, b)) it.SetFixed(b);
    else if (n == "FloatFormat" && toText(val, t)) it.SetFloatFormat(t);
    else if (n == "Header" && toText(val, t)) it.SetHeader(t);
    else if (n == "HeaderAlignment") { TAlignment a = it.HeaderAlignment(); if (enumOf(val, a)) it.SetHeaderAlignment(a); }
    else if (n == "MinSize" && toInt(val, i)) it.SetMinSize(i);
    else if (n == "MaxSize" && toInt(val, i)) it.SetMaxSize(i);
    else if (n == "Name" && toText(val, t)) it.SetName(t);
    else if (n == "Password" && toBool(val, b)) it.SetPassword(b);
    else if (n == "PrintBorderCustom" && toBool(val, b)) it.SetPrintBorderCustom(b);
    else if (n == "PrintBorders") { TCellBorders bs; if (toBorders(val, bs)) it.SetPrintBorders(bs); }
    else if (n == "PrintColor" && toColor(val, c)) it.SetPrintColor(c);
    else if (n == "PrintFontCustom" && toBool(val, b)) it.SetPrintFontCustom(b);
    else if (n == "ReadOnly" && toBool(val, b)) it.SetReadOnly(b);
    else if (n == "ShowBands" && toBool(val, b)) it.SetShowBands(b);
    else if (n == "SortStyle") { TSortStyle s = it.SortStyle(); if (enumOf(val, s)) it.SetSortStyle(s); }
    else if (n == "SortPrefix" && toText(val, t)) it.SetSortPrefix(t);
    else if (n == "SortSuffix" && toText(val, t)) it.SetSortSuffix(t);
    else if (n == "SpinMax" && toInt(val, i)) it.SetSpinMax(i);
    else if (n == "SpinMin" && toInt(val, i)) it.SetSpinMin(i);
    else if (n == "SpinStep" && toInt(val, i)) it.SetSpinStep(i);
    else if (n == "Tag" && toInt(val, i)) it.SetTag(i);
    else if (n == "Width" && toInt(val, i)) it.SetWidth(std::clamp(i, 0, 32767));
}

Props itemProperties(const TGridColumnItem &it)
{
    Props p;
    add(p, "AutoMinSize", StreamValue::ofInt(it.AutoMinSize()));
    add(p, "AutoMaxSize", StreamValue::ofInt(it.AutoMaxSize()));
    add(p, "Alignment", StreamValue::ofIdent(EnumName(it.Alignment())));
    add(p, "Borders", bordersValue(it.Borders()));
    addPen(p, "BorderPen", it.BorderPen());
    // Texts are left out at their defaults; for the check texts that is "N" and "Y", so an empty
    // one is written and comes back empty.
    if (it.CheckFalse() != QLatin1String("N")) add(p, "CheckFalse", StreamValue::ofText(it.CheckFalse()));
    if (it.CheckTrue() != QLatin1String("Y")) add(p, "CheckTrue", StreamValue::ofText(it.CheckTrue()));
    add(p, "Color", colorValue(it.Color()));
    addReference(p, "ColumnPopup", it.ColumnPopup());
    add(p, "ColumnPopupType", ident(PopupTypeNames, it.ColumnPopupType()));
    if (!it.ComboItems().isEmpty()) add(p, "ComboItems", StreamValue::ofList(it.ComboItems()));
    add(p, "DropDownCount", StreamValue::ofInt(it.DropDownCount()));
    add(p, "EditLength", StreamValue::ofInt(it.EditLength()));
    addReference(p, "EditLink", it.EditLink());
    if (!it.EditMask().isEmpty()) add(p, "EditMask", StreamValue::ofText(it.EditMask()));
    add(p, "Editor", StreamValue::ofIdent(EnumName(it.Editor())));
    if (!it.Filter().isEmpty()) add(p, "Filter", StreamValue::ofList(it.Filter()));
    add(p, "FilterCaseSensitive", StreamValue::ofBool(it.FilterCaseSensitive()));
    add(p, "Fixed", StreamValue::ofBool(it.Fixed()));
    if (!it.FloatFormat().isEmpty()) add(p, "FloatFormat", StreamValue::ofText(it.FloatFormat()));
    addFont(p, "Font", it.Font());
    if (!it.Header().isEmpty()) add(p, "Header", StreamValue::ofText(it.Header()));
    add(p, "HeaderAlignment", StreamValue::ofIdent(EnumName(it.HeaderAlignment())));
    addFont(p, "HeaderFont", it.HeaderFont());
    add(p, "MinSize", StreamValue::ofInt(it.MinSize()));
    add(p, "MaxSize", StreamValue::ofInt(it.MaxSize()));
    if (!it.Name().isEmpty()) add(p, "Name", StreamValue::ofText(it.Name()));
    add(p, "Password", StreamValue::ofBool(it.Password()));
    if (!it.PrintBorderCustom()) add(p, "PrintBorderCustom", StreamValue::ofBool(false));
    add(p, "PrintBorders", bordersValue(it.PrintBorders()));
    addPen(p, "PrintBorderPen", it.PrintBorderPen());
    add(p, "PrintColor", colorValue(it.PrintColor()));
    if (!it.PrintFontCustom()) add(p, "PrintFontCustom", StreamValue::ofBool(false));
    addFont(p, "PrintFont", it.PrintFont());
    add(p, "ReadOnly", StreamValue::ofBool(it.ReadOnly()));
    add(p, "ShowBands", StreamValue::ofBool(it.ShowBands()));
    add(p, "SortStyle", StreamValue::ofIdent(EnumName(it.SortStyle())));
    if (!it.SortPrefix().isEmpty()) add(p, "SortPrefix", StreamValue::ofText(it.SortPrefix()));
    if (!it.SortSuffix().isEmpty()) add(p, "SortSuffix", StreamValue::ofText(it.SortSuffix()));
    add(p, "SpinMax", StreamValue::ofInt(it.SpinMax()));
    add(p, "SpinMin", StreamValue::ofInt(it.SpinMin()));
    add(p, "SpinStep", StreamValue::ofInt(it.SpinStep()));
    add(p, "Tag", StreamValue::ofInt(it.Tag()));
    add(p, "Width", StreamValue::ofInt(it.Width()));
    return p;
}

} // namespace

TNovaColumnGridIO::TNovaColumnGridIO(TNovaColumnGrid *AOwner)
    : FOwner(AOwner), FItems(std::make_unique<TGridColumnCollection>(AOwner))
{
}

TNovaColumnGridIO::~TNovaColumnGridIO() = default;

bool TNovaColumnGridIO::Check(const StreamRecord &record, QString *why)
{
    const auto fail = [why](const QString &text) {
        if (why)
            *why = text;
        return false;
    };
    if (record.className != "TNovaColumnGridIO")
        return fail(QStringLiteral("no column data (a record of class %1)").arg(QString::fromLatin1(record.className)));
    const StreamValue *items = record.find("Items");
    if (!items)
        return true;
    if (items->kind != StreamValue::Collection)
        return fail(QStringLiteral("the column items are no collection"));
    if (items->elements.size() > std::size_t(MaxItems))
        return fail(QStringLiteral("%1 column items, more than a grid can have").arg(items->elements.size()));
    for (const Props &item : items->elements)
        for (const StreamProperty &p : item)
            if (p.name == "Width" && p.value.kind == StreamValue::Int && (p.value.integer < 0 || p.value.integer > 32767))
                return fail(QStringLiteral("a column width of %1").arg(p.value.integer));
    return true;
}

void TNovaColumnGridIO::WriteProperties(StreamRecord &r) const
{
    // An empty collection is the default and is left out.
    if (FItems->Count() == 0)
        return;
    StreamValue items;
    items.kind = StreamValue::Collection;
    for (int i = 0; i < FItems->Count(); ++i)
        items.elements.push_back(itemProperties(*FItems->Items(i)));
    r.add("Items", std::move(items));
}

void TNovaColumnGridIO::ReadProperty(const QByteArray &name, const StreamValue &v)
{
    if (name != "Items" || v.kind != StreamValue::Collection)
        return;
    // Items are added as they come, without the visuals Add copies from the item before. Each is
    // read into a free copy first; an item with a column in the grid then takes its width and
    // header through its setters, which reach the grid's column at once.
    for (const Props &props : v.elements) {
        if (FItems->Count() >= MaxItems)
            break;
        TGridColumnItem &it = *FItems->Insert(FItems->Count());
        TGridColumnItem read(nullptr);
        read.Assign(it);
        bool hasWidth = false, hasHeader = false;
        for (const StreamProperty &p : props) {
            readItemProperty(read, FOwner, p.name, p.value);
            hasWidth = hasWidth || (p.name == "Width" && p.value.kind == StreamValue::Int);
            hasHeader = hasHeader || (p.name == "Header" && p.value.kind == StreamValue::Text);
        }
        // Assign leaves these three to the item's own.
        it.SetColumnPopupType(read.ColumnPopupType());
        it.SetPrintBorderCustom(read.PrintBorderCustom());
        it.SetPrintFontCustom(read.PrintFontCustom());
        const bool inGrid = FOwner && it.Index() < FOwner->AllColCount();
        if (!inGrid) {
            it.Assign(read);
            continue;
        }
        it.Assign(read);
        if (hasWidth)
            it.SetWidth(read.StoredWidth());
        if (hasHeader)
            it.SetHeader(read.Header());
    }
}

// ---- the column grid's stream ----------------------------------------------------------------------

void TNovaColumnGrid::SaveColumnsToStream(QIODevice &st)
{
    TNovaColumnGrid &Grid = *this;
    TNovaColumnGridIO io(&Grid);
    io.Items()->SetNoRecursiveUpdate(true);
    io.Items()->Assign(*Grid.Columns());
    const QByteArray bytes = platform::encodeRecord(io.ToRecord());
    if (st.write(bytes) != bytes.size())
        throw ENovaGridError(QStringLiteral("Cannot write the column stream: ") + st.errorString());
}

void TNovaColumnGrid::LoadColumnsFromStream(QIODevice &st)
{
    TNovaColumnGrid &Grid = *this;
    // The record is read and checked whole before the grid changes.
    const qint64 start = st.pos();
    const QByteArray data = st.readAll();
    qsizetype pos = 0;
    StreamRecord record;
    QString why;
    if (!platform::readRecord(data, pos, record, &why) || !TNovaColumnGridIO::Check(record, &why)) {
        st.seek(start);
        throw ENovaGridError(QStringLiteral("Stream contains no column data: ") + why);
    }
    st.seek(start + pos);

    TGridColumnCollection &columns = *Grid.Columns();
    const bool keep = columns.NoRecursiveUpdate();
    columns.SetNoRecursiveUpdate(true);
    {
        TNovaColumnGridIO io(&Grid);
        io.Items()->SetNoRecursiveUpdate(true);
        io.FromRecord(record);
        columns.Assign(*io.Items());
    }
    columns.SetNoRecursiveUpdate(keep);
    Grid.InvalidateGrid();
}
