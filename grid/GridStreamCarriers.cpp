#include "grid/GridStreamCarriers.h"

#include "grid/CellGraphic.h"
#include "grid/base/BaseGrid.h"
#include "grid/base/GridTypes.h"
#include "grid/base/HtmlPicture.h"

#include <QBuffer>
#include <QPixmap>
#include <algorithm>
#include <iterator>

using platform::StreamRecord;
using platform::StreamValue;

namespace {

const char *const CellTypeNames[] = {
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated", "ctDataImage",
    "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture", "ctValue", "ctProgress", "ctComment",
    "ctButton", "ctBitButton", "ctVirtCheckBox", "ctRowCheckBox", "ctProgressPie", "ctSummary", "ctRangeIndicator",
    "ctXPProgress", "ctInterface", "ctScrollbar", "ctRadioButton", "ctBalloon", "ctShape", "ctRating",
    "ctTriStateCheckBox", "ctExpand"};
const char *const HAlignNames[] = {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
const char *const VAlignNames[] = {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
const char *const CheckStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
const char *const BrushStyleNames[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
const char *const AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char *const VAlignmentNames[] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char *const GradientNames[] = {"GradientVertical", "GradientHorizontal"};

} // namespace

namespace carrier_values {

bool toInt(const StreamValue &v, std::int32_t &out)
{
    if (v.kind != StreamValue::Int)
        return false;
    out = std::int32_t(std::clamp<qint64>(v.integer, INT32_MIN, INT32_MAX));
    return true;
}

bool toBool(const StreamValue &v, bool &out)
{
    if (v.kind != StreamValue::Bool)
        return false;
    out = v.boolean;
    return true;
}

bool toText(const StreamValue &v, QString &out)
{
    if (v.kind != StreamValue::Text)
        return false;
    out = v.text;
    return true;
}

void addText(StreamRecord &r, const char *name, const QString &t)
{
    if (!t.isEmpty())
        r.add(name, StreamValue::ofText(t));
}

StreamValue fontStyleValue(TFontStyles styles)
{
    QStringList names;
    for (int s = 0; s < 4; ++s)
        if (styles.Contains(TFontStyle(s)))
            names << QString::fromLatin1(FontStyleNames[s]);
    return StreamValue::ofSet(names);
}

bool toFontStyles(const StreamValue &v, TFontStyles &out)
{
    if (v.kind != StreamValue::Set)
        return false;
    TFontStyles styles;
    for (const QString &name : v.items) {
        TFontStyle s;
        if (fromIdent(FontStyleNames, StreamValue::ofIdent(name), s))
            styles.Include(s);
    }
    out = styles;
    return true;
}

} // namespace carrier_values

using namespace carrier_values;

namespace {

QByteArray pngOf(const QImage &img)
{
    if (img.isNull())
        return {};
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

QImage imageOf(const QByteArray &png)
{
    QImage img;
    if (!png.isEmpty())
        img.loadFromData(png, "PNG");
    return img;
}

} // namespace

StreamRecord TGridStreamCarrier::ToRecord() const
{
    StreamRecord r;
    r.className = ClassName();
    WriteProperties(r);
    return r;
}

bool TGridStreamCarrier::FromRecord(const StreamRecord &record)
{
    if (record.className != ClassName())
        return false;
    for (const platform::StreamProperty &p : record.properties)
        ReadProperty(p.name, p.value);
    return true;
}

// ---- grid size -------------------------------------------------------------------------------------

void TGridPropIO::WriteProperties(StreamRecord &r) const
{
    r.add("ColCount", StreamValue::ofInt(ColCount));
    r.add("RowCount", StreamValue::ofInt(RowCount));
    addText(r, "ColWidths", ColWidths);
    addText(r, "RowHeights", RowHeights);
    r.add("FullGrid", StreamValue::ofBool(FullGrid));
    r.add("ID", StreamValue::ofInt(ID));
}

void TGridPropIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    if (n == "ColCount") toInt(v, ColCount);
    else if (n == "RowCount") toInt(v, RowCount);
    else if (n == "ColWidths") toText(v, ColWidths);
    else if (n == "RowHeights") toText(v, RowHeights);
    else if (n == "FullGrid") toBool(v, FullGrid);
    else if (n == "ID") toInt(v, ID);
}

// ---- cell ------------------------------------------------------------------------------------------

void TGridCellIO::WriteProperties(StreamRecord &r) const
{
    r.add("Col", StreamValue::ofInt(Col));
    r.add("Row", StreamValue::ofInt(Row));
    addText(r, "Cell", Cell);
    r.add("HasProp", StreamValue::ofBool(HasProp));
}

void TGridCellIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    std::int32_t i = 0;
    // A position is a Word: a damaged stream's value is brought into its range.
    if (n == "Col" && toInt(v, i)) Col = std::uint16_t(std::clamp(i, 0, 65535));
    else if (n == "Row" && toInt(v, i)) Row = std::uint16_t(std::clamp(i, 0, 65535));
    else if (n == "Cell") toText(v, Cell);
    else if (n == "HasProp") toBool(v, HasProp);
}

// ---- cell properties -------------------------------------------------------------------------------

TGridCellPropIO::TGridCellPropIO(TBaseGrid *Owner) : FCellProperties(std::make_unique<TCellProperties>(Owner, 0, 0)) {}
TGridCellPropIO::~TGridCellPropIO() = default;

void TGridCellPropIO::WriteProperties(StreamRecord &r) const
{
    const TCellProperties &p = *FCellProperties;
    r.add("CellProperties.IsBaseCell", StreamValue::ofBool(p.IsBaseCell()));
    r.add("CellProperties.CellSpanX", StreamValue::ofInt(p.CellSpanX()));
    r.add("CellProperties.CellSpanY", StreamValue::ofInt(p.CellSpanY()));
    r.add("CellProperties.Alignment", ident(AlignmentNames, p.Alignment()));
    r.add("CellProperties.BorderColor", StreamValue::ofInt(std::int32_t(p.BorderColor())));
    r.add("CellProperties.BorderWidth", StreamValue::ofInt(p.BorderWidth()));
    r.add("CellProperties.BrushColor", StreamValue::ofInt(std::int32_t(p.BrushColor())));
    r.add("CellProperties.BrushColorTo", StreamValue::ofInt(std::int32_t(p.BrushColorTo())));
    r.add("CellProperties.BrushStyle", ident(BrushStyleNames, p.BrushStyle()));
    // CellObject and Control refer to objects of this run: no stream can carry them.
    r.add("CellProperties.FontColor", StreamValue::ofInt(std::int32_t(p.FontColor())));
    addText(r, "CellProperties.FontName", p.FontName());
    r.add("CellProperties.FontSize", StreamValue::ofInt(p.FontSize()));
    r.add("CellProperties.FontStyle", fontStyleValue(p.FontStyle()));
    r.add("CellProperties.Editor", StreamValue::ofIdent(EnumName(p.Editor())));
    r.add("CellProperties.GradientDirection", ident(GradientNames, p.GradientDirection()));
    r.add("CellProperties.ReadOnly", StreamValue::ofBool(p.ReadOnly()));
    r.add("CellProperties.VAlignment", ident(VAlignmentNames, p.VAlignment()));
    r.add("CellProperties.WordWrap", StreamValue::ofBool(p.WordWrap()));
    r.add("CellProperties.NodeLevel", StreamValue::ofInt(p.NodeLevel()));
    r.add("HasGraphic", StreamValue::ofBool(HasGraphic));
}

void TGridCellPropIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    TCellProperties &p = *FCellProperties;
    std::int32_t i = 0;
    bool b = false;
    QString t;
    TFontStyles styles;
    if (n == "HasGraphic") {
        toBool(v, HasGraphic);
        return;
    }
    if (!n.startsWith("CellProperties."))
        return;
    const QByteArray k = n.mid(15);
    if (k == "IsBaseCell" && toBool(v, b)) p.SetIsBaseCell(b);
    else if (k == "CellSpanX" && toInt(v, i)) p.SetCellSpanX(std::clamp(i, -1, 65535));
    else if (k == "CellSpanY" && toInt(v, i)) p.SetCellSpanY(std::clamp(i, -1, 65535));
    else if (k == "Alignment") { TAlignment a; if (fromIdent(AlignmentNames, v, a)) p.SetAlignment(a); }
    else if (k == "BorderColor" && toInt(v, i)) p.SetBorderColor(TColor(std::uint32_t(i)));
    else if (k == "BorderWidth" && toInt(v, i)) p.SetBorderWidth(std::clamp(i, 0, 100));
    else if (k == "BrushColor" && toInt(v, i)) p.SetBrushColor(TColor(std::uint32_t(i)));
    else if (k == "BrushColorTo" && toInt(v, i)) p.SetBrushColorTo(TColor(std::uint32_t(i)));
    else if (k == "BrushStyle") { TBrushStyle s; if (fromIdent(BrushStyleNames, v, s)) p.SetBrushStyle(s); }
    else if (k == "FontColor" && toInt(v, i)) p.SetFontColor(TColor(std::uint32_t(i)));
    else if (k == "FontName" && toText(v, t)) p.SetFontName(t);
    else if (k == "FontSize" && toInt(v, i)) p.SetFontSize(std::clamp(i, -1000, 1000));
    else if (k == "FontStyle" && toFontStyles(v, styles)) p.SetFontStyle(styles);
    else if (k == "Editor" && v.kind == StreamValue::Ident) {
        bool ok = false;
        const TEditorType e = EnumFromName(v.text, edNormal, &ok);
        if (ok) p.SetEditor(e);
    } else if (k == "GradientDirection") { TCellGradientDirection g; if (fromIdent(GradientNames, v, g)) p.SetGradientDirection(g); }
    else if (k == "ReadOnly" && toBool(v, b)) p.SetReadOnly(b);
    else if (k == "VAlignment") { TVAlignment a; if (fromIdent(VAlignmentNames, v, a)) p.SetVAlignment(a); }
    else if (k == "WordWrap" && toBool(v, b)) p.SetWordWrap(b);
    else if (k == "NodeLevel" && toInt(v, i)) p.SetNodeLevel(std::clamp(i, 0, 65535));
}

// ---- cell graphic ----------------------------------------------------------------------------------

TGridGraphicIO::TGridGraphicIO() : FCellGraphic(std::make_unique<TCellGraphic>()) {}
TGridGraphicIO::~TGridGraphicIO() = default;

void TGridGraphicIO::WriteProperties(StreamRecord &r) const
{
    const TCellGraphic &g = *FCellGraphic;
    r.add("CellGraphic.CellType", ident(CellTypeNames, g.CellType()));
    r.add("CellGraphic.CellVAlign", ident(VAlignNames, g.CellVAlign()));
    r.add("CellGraphic.CellHAlign", ident(HAlignNames, g.CellHAlign()));
    r.add("CellGraphic.CellIndex", StreamValue::ofInt(g.CellIndex()));
    r.add("CellGraphic.CellTransparent", StreamValue::ofBool(g.CellTransparent()));
    r.add("CellGraphic.CellCreated", StreamValue::ofBool(g.CellCreated()));
    r.add("CellGraphic.CellBoolean", StreamValue::ofBool(g.CellBoolean()));
    r.add("CellGraphic.CellCheckBoxState", ident(CheckStateNames, g.CellCheckBoxState()));
    r.add("CellGraphic.CellAngle", StreamValue::ofInt(g.CellAngle()));
    if (g.CellValue() != 0)
        r.add("CellGraphic.CellValue", StreamValue::ofFloat(g.CellValue()));
    r.add("CellGraphic.CellErrFrom", StreamValue::ofInt(g.CellErrFrom()));
    r.add("CellGraphic.CellErrLen", StreamValue::ofInt(g.CellErrLen()));
    addText(r, "CellGraphic.CellText", g.CellText());
}

void TGridGraphicIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    TCellGraphic &g = *FCellGraphic;
    if (!n.startsWith("CellGraphic."))
        return;
    const QByteArray k = n.mid(12);
    std::int32_t i = 0;
    bool b = false;
    QString t;
    if (k == "CellType") { TCellType c; if (fromIdent(CellTypeNames, v, c)) g.SetCellType(c); }
    else if (k == "CellVAlign") { TCellVAlign a; if (fromIdent(VAlignNames, v, a)) g.SetCellVAlign(a); }
    else if (k == "CellHAlign") { TCellHAlign a; if (fromIdent(HAlignNames, v, a)) g.SetCellHAlign(a); }
    else if (k == "CellIndex" && toInt(v, i)) g.SetCellIndex(i);
    else if (k == "CellTransparent" && toBool(v, b)) g.SetCellTransparent(b);
    else if (k == "CellCreated" && toBool(v, b)) g.SetCellCreated(b);
    else if (k == "CellBoolean" && toBool(v, b)) g.SetCellBoolean(b);
    else if (k == "CellCheckBoxState") { TCheckBoxState s; if (fromIdent(CheckStateNames, v, s)) g.SetCellCheckBoxState(s); }
    else if (k == "CellAngle" && toInt(v, i)) g.SetCellAngle(i);
    else if (k == "CellValue" && v.kind == StreamValue::Float) g.SetCellValue(v.real);
    else if (k == "CellValue" && v.kind == StreamValue::Int) g.SetCellValue(double(v.integer));
    else if (k == "CellErrFrom" && toInt(v, i)) g.SetCellErrFrom(i);
    else if (k == "CellErrLen" && toInt(v, i)) g.SetCellErrLen(i);
    else if (k == "CellText" && toText(v, t)) g.SetCellText(t);
}

// ---- images and lists ------------------------------------------------------------------------------

void TGridBMPIO::WriteProperties(StreamRecord &r) const { r.add("Bitmap.Data", StreamValue::ofBinary(pngOf(Bitmap))); }

void TGridBMPIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    if (n == "Bitmap.Data" && v.kind == StreamValue::Binary)
        Bitmap = imageOf(v.bytes);
}

void TGridIconIO::WriteProperties(StreamRecord &r) const
{
    QImage img;
    if (!Icon.isNull()) {
        const QList<QSize> sizes = Icon.availableSizes();
        img = Icon.pixmap(sizes.isEmpty() ? QSize(32, 32) : sizes.last()).toImage();
    }
    r.add("Icon.Data", StreamValue::ofBinary(pngOf(img)));
}

void TGridIconIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    if (n == "Icon.Data" && v.kind == StreamValue::Binary) {
        const QImage img = imageOf(v.bytes);
        Icon = img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(img));
    }
}

TGridPicIO::TGridPicIO() : FPicture(std::make_unique<THTMLPicture>()) {}
TGridPicIO::~TGridPicIO() = default;

void TGridPicIO::WriteProperties(StreamRecord &r) const
{
    static const QByteArray cls("THTMLPicture");
    QByteArray data;
    data.append(char(cls.size()));
    data.append(cls);
    data.append(FPicture->Data());
    r.add("Picture.Data", StreamValue::ofBinary(data));
}

void TGridPicIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    if (n != "Picture.Data" || v.kind != StreamValue::Binary || v.bytes.isEmpty())
        return;
    const int skip = 1 + static_cast<unsigned char>(v.bytes[0]);
    if (skip <= v.bytes.size())
        FPicture->SetData(v.bytes.mid(skip));
}

TGridFilePicIO::TGridFilePicIO() : FPicture(std::make_unique<TFilePicture>()) {}
TGridFilePicIO::~TGridFilePicIO() = default;

void TGridFilePicIO::WriteProperties(StreamRecord &r) const { addText(r, "Picture.Filename", FPicture->Filename()); }

void TGridFilePicIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    QString t;
    if (n == "Picture.Filename" && toText(v, t))
        FPicture->SetFilename(t);
}

void TGridSLIO::WriteProperties(StreamRecord &r) const { r.add("Strings.Strings", StreamValue::ofList(Strings)); }

void TGridSLIO::ReadProperty(const QByteArray &n, const StreamValue &v)
{
    if (n == "Strings.Strings" && v.kind == StreamValue::List)
        Strings = v.items;
}
