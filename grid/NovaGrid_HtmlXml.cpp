// HTML, XML and plain-text export, and the XML import. Cell looks are read as the grid shows them
// without a selection, with system colours resolved. XHTML output is well-formed XML; XML output
// is written in the bytes of the encoding it declares.
#include "grid/NovaGrid.h"

#include "grid/HtmlPrintSettings.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/VedAzirText.h"
#include "platform/Colors.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Xml.h"
#include "platform/WaitCursor.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QStringEncoder>
#include <QUrl>
#include <pugixml.hpp>

#include <algorithm>
#include <stdexcept>

namespace {

const QString kCRLF = QStringLiteral("\r\n");

QString nbsp(bool xhtml) { return xhtml ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;"); }

QString urlAnchors(const QString &t, bool full)
{
    if (t.contains(QStringLiteral("://")) && !t.contains(QStringLiteral("</"))) {
        const QString shown = full ? t : t.mid(t.indexOf(QStringLiteral("://")) + 3).left(255);
        return QStringLiteral("<a href=") + t + QLatin1Char('>') + shown + QStringLiteral("</a>");
    }
    if (t.contains(QStringLiteral("mailto:")) && !t.contains(QStringLiteral("</")))
        return QStringLiteral("<a href=") + t + QLatin1Char('>') + t.mid(t.indexOf(QStringLiteral("mailto:")) + 7)
            + QStringLiteral("</a>");
    return t;
}

bool xmlName(const QString &n)
{
    if (n.isEmpty())
        return false;
    for (qsizetype i = 0; i < n.size(); ++i) {
        const QChar c = n[i];
        const bool start = c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':');
        if (i == 0 ? !start
                   : !(start || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')
                       || c.category() == QChar::Mark_NonSpacing))
            return false;
    }
    return true;
}

// Writes a document in an encoding and answers which characters that encoding can hold.
class XmlEncoding {
public:
    explicit XmlEncoding(const QString &Name) : FName(Name), FEncoder(Name.toLatin1().constData())
    {
        FLatin1 = Name.compare(QLatin1String("ISO-8859-1"), Qt::CaseInsensitive) == 0
            || Name.compare(QLatin1String("latin1"), Qt::CaseInsensitive) == 0;
        FUnicode = Name.startsWith(QLatin1String("utf"), Qt::CaseInsensitive);
    }
    bool valid() const { return FEncoder.isValid(); }
    bool holds(char32_t u)
    {
        if (u < 0x80 || FUnicode)
            return true;
        if (FLatin1)
            return u <= 0xFF;
        const auto it = FKnown.constFind(u);
        if (it != FKnown.constEnd())
            return *it;
        QStringEncoder probe(FName.toLatin1().constData());
        (void)QByteArray(probe.encode(QString::fromUcs4(&u, 1)));
        const bool ok = !probe.hasError();
        FKnown.insert(u, ok);
        return ok;
    }
    QByteArray encode(const QString &Text) { return FEncoder.encode(Text); }

private:
    QString FName;
    QStringEncoder FEncoder;
    bool FLatin1 = false;
    bool FUnicode = false;
    QHash<char32_t, bool> FKnown;
};

// Element text: the grid's own escapes, CR kept as a reference, characters XML cannot hold
// dropped, characters the encoding cannot hold as references.
QString xmlText(const QString &t, XmlEncoding &enc)
{
    QString s = t;
    s.replace(QLatin1Char('&'), QStringLiteral("$amp;"));
    s.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    s.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    s.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    QString out;
    out.reserve(s.size());
    for (char32_t u : s.toUcs4()) {
        if (!platform::isXmlChar(u))
            continue;
        if (u == 0xD)
            out += QStringLiteral("&#13;");
        else if (!enc.holds(u))
            out += QStringLiteral("&#%1;").arg(quint32(u));
        else
            out += QString::fromUcs4(&u, 1);
    }
    return out;
}

QString xmlUnescape(QString s)
{
    s.replace(QStringLiteral("$amp;"), QStringLiteral("&"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    return s;
}

QStringList fileLines(const QString &FileName)
{
    QString text;
    if (FileName.isEmpty() || !platform::readTextFile(FileName, platform::TextEncoding::Ansi, text))
        return {};
    text.replace(kCRLF, QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The first line of a text, or all its lines (split at CR, an LF after it dropped).
QStringList textLines(const QString &t, bool all)
{
    QStringList lines = t.split(QLatin1Char('\r'));
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (lines[i].startsWith(QLatin1Char('\n')))
            lines[i].remove(0, 1);
    if (!all)
        lines = lines.mid(0, 1);
    return lines;
}

} // namespace

// ---- HTML ---------------------------------------------------------------------------------------

QString TNovaStringGrid::SaveCellImage(const QImage &Image, const QString &Dir)
{
    const QString folder = Dir + QStringLiteral("images");
    if (!QDir().mkpath(folder))
        throw std::runtime_error((QStringLiteral("Cannot create ") + folder).toStdString());
    const QString name = folder + QStringLiteral("/img") + QString::number(FImageCounter) + QStringLiteral(".jpg");
    QImage img = Image.hasAlphaChannel() ? Image.convertToFormat(QImage::Format_RGB32) : Image;
    if (Image.hasAlphaChannel()) {
        img.fill(Qt::white);
        QPainter p(&img);
        p.drawImage(0, 0, Image);
    }
    img.save(name, "JPG");
    ++FImageCounter;
    return name;
}

QString TNovaStringGrid::SaveToHTMLString(const QString &Dir)
{
    const bool xhtml = FHTMLSettings->XHTML();
    // XHTML keeps one case for a tag's start and end and quotes every attribute.
    const QString TABLE = xhtml ? QStringLiteral("table") : QStringLiteral("TABLE");
    const QString TR = xhtml ? QStringLiteral("tr") : QStringLiteral("TR");
    const QString TD = xhtml ? QStringLiteral("td") : QStringLiteral("TD");
    const QString brTag = xhtml ? QStringLiteral("<br />") : QStringLiteral("<br>");
    auto q = [xhtml](const QString &v) { return xhtml ? QLatin1Char('"') + v + QLatin1Char('"') : v; };

    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    QStringList lines;
    QStringList css;
    QString prolog;
    if (xhtml) {
        prolog += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + kCRLF;
        prolog += QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                                 "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">")
            + kCRLF;
        prolog += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + kCRLF;
    }
    if (!FHTMLSettings->PrefixTag().isEmpty())
        lines << FHTMLSettings->PrefixTag();

    QString tableTag = QLatin1Char('<') + TABLE + (xhtml ? QStringLiteral(" border=") : QStringLiteral(" BORDER="))
        + QLatin1Char('"') + QString::number(FHTMLSettings->BorderSize()) + QStringLiteral("\" ")
        + (xhtml ? QStringLiteral("cellspacing=") : QStringLiteral("CELLSPACING=")) + QLatin1Char('"')
        + QString::number(FHTMLSettings->CellSpacing()) + QStringLiteral("\" ")
        + (xhtml ? QStringLiteral("cellpadding=") : QStringLiteral("CELLPADDING=")) + QLatin1Char('"')
        + QString::number(FHTMLSettings->CellPadding()) + QStringLiteral("\" ");
    if (!FHTMLSettings->Summary().isEmpty())
        tableTag += (xhtml ? QStringLiteral("summary=\"") : QStringLiteral("SUMMARY=\""))
            + (xhtml ? EscapeHTMLText(FHTMLSettings->Summary(), false) : FHTMLSettings->Summary())
            + QStringLiteral("\" ");
    if (!FHTMLSettings->TableStyle().isEmpty())
        tableTag += QLatin1Char(' ') + FHTMLSettings->TableStyle() + QLatin1Char(' ');
    tableTag += (xhtml ? QStringLiteral(" width=\"") : QStringLiteral(" WIDTH=\""))
        + QString::number(FHTMLSettings->Width()) + QStringLiteral("%\">");
    lines << tableTag;

    const TIntList &widths = FHTMLSettings->ColWidths();
    const bool saveColor = FHTMLSettings->SaveColor();
    const bool images = FHTMLSettings->ExportImages();
    const TMarkupImageList *list = GetGridImageList();

    auto cssOf = [&](const TBrush *brush, const TFont &font, TAlignment ha, TVAlignment va) {
        QStringList parts;
        if (brush && saveColor)
            parts << QStringLiteral("background-color: #") + ColorToHTMLHex(ColorToRGB(brush->Color));
        if (saveColor)
            parts << QStringLiteral("color: #") + ColorToHTMLHex(ColorToRGB(font.Color));
        parts << QStringLiteral("font-size:") + QString::number(font.Size) + QStringLiteral("pt");
        if (font.Style.Contains(fsItalic))
            parts << QStringLiteral("font-style: italic");
        if (font.Style.Contains(fsBold))
            parts << QStringLiteral("font-weight: bold");
        parts << QStringLiteral("font-family: ") + font.Name;
        if (ha == taRightJustify)
            parts << QStringLiteral("text-align: right");
        else if (ha == taCenter)
            parts << QStringLiteral("text-align: center");
        parts << (va == vtaTop ? QStringLiteral("vertical-align: top")
                  : va == vtaCenter ? QStringLiteral("vertical-align: middle")
                                    : QStringLiteral("vertical-align: bottom"));
        const QString d = parts.join(QLatin1Char(';'));
        qsizetype i = css.indexOf(d);
        if (i < 0) {
            css << d;
            i = css.size() - 1;
        }
        return QStringLiteral("c") + QString::number(i);
    };
    auto imgTag = [&](const QImage &img) {
        return QStringLiteral("<img src= \"file://") + SaveCellImage(img, Dir) + QLatin1Char('"')
            + (xhtml ? QStringLiteral(" alt=\"\" />") : QStringLiteral(">"));
    };
    auto content = [&](int rc, int r, const QString &text) {
        const TCellGraphic *g = images ? GetCellGraphic(rc, r) : nullptr;
        if (!g)
            return text;
        switch (g->CellType()) {
        case ctBitmap:
            if (const QImage *b = g->CellBitmap().As<QImage>())
                return text + imgTag(*b);
            return text;
        case ctImageList:
            if (list && g->CellIndex() >= 0 && g->CellIndex() < list->Count())
                return imgTag(list->Images[size_t(g->CellIndex())]) + text;
            return text;
        case ctDataImage: {
            bool ok = false;
            const int idx = GetSaveCellText(rc, r).trimmed().toInt(&ok);
            if (list && ok && idx >= 0 && idx < list->Count())
                return imgTag(list->Images[size_t(idx)]);
            return QString();
        }
        case ctNode:
            return QLatin1Char('+') + text;
        case ctImages: {
            const TIntList *idx = g->CellBitmap().As<TIntList>();
            if (!list || !idx)
                return text;
            QString s;
            for (int i = 0; i < idx->Count(); ++i)
                if (idx->Items(i) >= 0 && idx->Items(i) < list->Count())
                    s += imgTag(list->Images[size_t(idx->Items(i))]);
            return s + text;
        }
        default:
            return text;
        }
    };
    auto spanAttrs = [&](int rc, int r) {
        QString s;
        if (!IsMergedCell(rc, r))
            return s;
        const TCellProperties *p = GetCellProperties(rc, r);
        if (p->CellSpanX() > 0)
            s += (xhtml ? QStringLiteral(" colspan=\"") : QStringLiteral(" COLSPAN=\""))
                + QString::number(p->CellSpanX() + 1) + QLatin1Char('"');
        if (p->CellSpanY() > 0)
            s += (xhtml ? QStringLiteral(" rowspan=\"") : QStringLiteral(" ROWSPAN=\""))
                + QString::number(p->CellSpanY() + 1) + QLatin1Char('"');
        return s;
    };
    auto covered = [&](int rc, int r) { return !IsBaseCell(rc, r); };
    auto cellText = [&](int c, int r, bool normal) {
        QString t = GetSaveCellText(RealColIndex(c), r);
        if (normal) {
            if (FHTMLSettings->ConvertSpecialChars() || xhtml)
                t = EscapeHTMLText(t, !xhtml);
            if (FHTMLSettings->NonBreakingText())
                t = xhtml ? t.replace(QLatin1Char(' '), QStringLiteral("&#160;")) : SpacesToNbsp(t);
        } else if (xhtml)
            t = EscapeHTMLText(t, false);
        t = CRToHTMLBreak(t);
        if (xhtml)
            t.replace(QStringLiteral("<br>"), brTag);
        if (URLShow())
            t = urlAnchors(t, URLFull());
        return t;
    };
    auto td = [&](const QString &cls, const QString &span, bool wrap, const QString &width, const QString &body) {
        return QLatin1Char('<') + TD + QStringLiteral(" class=\"") + cls + QLatin1Char('"') + span
            + (wrap ? QString() : (xhtml ? QStringLiteral(" style=\"white-space: nowrap\"") : QStringLiteral(" nowrap")))
            + width + QStringLiteral(">") + body + QStringLiteral("</td>");
    };

    auto look = [&](int c, int r, TBrush &brush, TFont &font, TAlignment &ha, TVAlignment &va, bool &ww) {
        TGridDrawState st;
        TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
        TCellGradientDirection gd = GradientVertical;
        ha = taLeftJustify;
        va = vtaTop;
        ww = false;
        // Remapped: c is a shown column, the alignment and word wrap come from its real cells.
        GetVisualProperties(c, r, st, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha, va, ww, gd);
    };

    // A header row when the fixed rows are saved.
    const bool header = FixedRows() > 0 && (SaveFixedCells() || SaveFixedRows());
    int startRow = firstRow;
    if (header) {
        QString row = QLatin1Char('<') + TR + QLatin1Char('>');
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            if (covered(rc, 0))
                continue;
            QString t = cellText(c, 0, false);
            if (t.isEmpty())
                t = nbsp(xhtml);
            const QString w = c < widths.Count()
                ? (xhtml ? QStringLiteral(" width=") : QStringLiteral(" WIDTH=")) + q(QString::number(widths.Items(c)))
                : QString();
            TBrush brush;
            TFont font;
            TAlignment ha;
            TVAlignment va;
            bool ww;
            look(c, 0, brush, font, ha, va, ww);
            font.Style = TFontStyles{};
            brush.Color = FixedColor();
            row += td(cssOf(&brush, font, ha, va), spanAttrs(rc, 0), ww, w, content(rc, 0, t));
        }
        lines << row + QStringLiteral("</") + TR + QLatin1Char('>');
        startRow = 1;
    }

    ExportNotification(esExportStart, startRow);
    FImageCounter = std::max(FImageCounter, 1);
    for (int r = startRow; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QString row = QLatin1Char('<') + TR + QLatin1Char('>');
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            if (covered(rc, r))
                continue;
            QString t = cellText(c, r, true);
            TBrush brush;
            TFont font;
            TAlignment ha;
            TVAlignment va;
            bool ww;
            look(c, r, brush, font, ha, va, ww);
            if (c < FixedCols() || r < FixedRows())
                brush.Color = FixedColor();
            const int wi = c - firstCol;
            const QString w = !header && wi < widths.Count()
                ? (xhtml ? QStringLiteral(" width=") : QStringLiteral(" width=")) + q(QString::number(widths.Items(wi)))
                : QString();
            if (t.trimmed().isEmpty())
                t = nbsp(xhtml);
            row += td(cssOf(&brush, font, ha, va), spanAttrs(rc, r), ww, w, content(rc, r, t));
        }
        lines << row + QStringLiteral("</") + TR + QLatin1Char('>');
    }
    ExportNotification(esExportDone, -1);
    lines << QStringLiteral("</") + TABLE + QLatin1Char('>');
    if (!FHTMLSettings->SuffixTag().isEmpty())
        lines << FHTMLSettings->SuffixTag();
    if (xhtml)
        lines << QStringLiteral("</html>");

    QString out = prolog;
    out += (xhtml ? QStringLiteral("<style type=\"text/css\">") : QStringLiteral("<style>")) + kCRLF;
    for (qsizetype i = 0; i < css.size(); ++i)
        out += QStringLiteral(".c") + QString::number(i) + QStringLiteral(" {") + css[i] + QLatin1Char('}') + kCRLF;
    out += QStringLiteral("</style>") + kCRLF;
    out += lines.join(kCRLF);
    // XHTML is XML: a character XML cannot hold would make the whole document unreadable.
    return xhtml ? platform::xmlChars(out) : out;
}

void TNovaStringGrid::WriteHTMLFile(const QString &FileName, bool Append, bool Unicode, bool Show)
{
    QStringList lines;
    if (Append)
        lines = fileLines(FileName);
    lines += fileLines(FHTMLSettings->HeaderFile());
    QString dir = QFileInfo(FileName).absolutePath().replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    lines << SaveToHTMLString(dir);
    lines += fileLines(FHTMLSettings->FooterFile());
    const QString text = lines.join(kCRLF) + kCRLF;
    QByteArray data;
    if (Unicode)
        data = platform::encodeText(text, platform::TextEncoding::Utf16LeBom);
    else {
        data.reserve(text.size());
        for (QChar ch : text)
            data += ch.unicode() < 0x80 ? char(ch.unicode()) : '?';
    }
    QString error;
    if (!platform::writeFileAtomic(FileName, data, &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
    if (Show || FHTMLSettings->AutoPreview())
        QDesktopServices::openUrl(QUrl::fromLocalFile(FileName));
}

void TNovaStringGrid::SaveToHTML(const QString &FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, false, Unicode, Show);
}

void TNovaStringGrid::AppendToHTML(const QString &FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, true, Unicode, Show);
}

// ---- XML ----------------------------------------------------------------------------------------

void TNovaStringGrid::SaveToXML(const QString &FileName, const QString &ListDescr, const QString &RecordDescr,
                                const QStringList *FieldDescr, bool ExportEmptyCells)
{
    XmlEncoding enc(XMLEncoding());
    if (!enc.valid())
        throw ENovaGridError(QStringLiteral("Unknown XML encoding ") + XMLEncoding());
    auto checkName = [&enc](const QString &n) {
        bool ok = xmlName(n);
        for (char32_t u : n.toUcs4())
            ok = ok && enc.holds(u);
        if (!ok)
            throw ENovaGridError(QStringLiteral("Invalid XML name ") + n);
    };
    checkName(ListDescr);
    checkName(RecordDescr);
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    QStringList names;
    for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
        const int i = c - SaveStartCol();
        const QString n = FieldDescr && i < FieldDescr->size() ? FieldDescr->at(i)
                                                              : QStringLiteral("FIELD") + QString::number(i);
        checkName(n);
        names << n;
    }

    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"") + XMLEncoding() + QStringLiteral("\" ?>") + kCRLF;
    out += QLatin1Char('<') + ListDescr + QLatin1Char('>') + kCRLF;
    StartFileProgress();
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        out += QLatin1Char('<') + RecordDescr + QLatin1Char('>') + kCRLF;
        for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
            const int rc = h ? c : RealColIndex(c);
            if (!IsBaseCell(rc, r))
                continue;
            QString t = GetSaveCellText(rc, r);
            if (t.isEmpty() && !ExportEmptyCells)
                continue;
            if (t.isEmpty() && QuoteEmptyCells())
                t = QStringLiteral("\"\"");
            const QString &n = names[c - SaveStartCol()];
            out += QLatin1Char('<') + n + QLatin1Char('>') + xmlText(t, enc) + QStringLiteral("</") + n
                + QLatin1Char('>') + kCRLF;
        }
        out += QStringLiteral("</") + RecordDescr + QLatin1Char('>') + kCRLF;
        if (OnFileProgress)
            FileProgress(double(r) * 100.0 / std::max(1, SaveEndRow() - SaveStartRow()));
    }
    out += QStringLiteral("</") + ListDescr + QLatin1Char('>') + kCRLF;
    ExportNotification(esExportDone, -1);
    QString error;
    if (!platform::writeFileAtomic(FileName, enc.encode(out), &error))
        throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
}

namespace {

struct XmlReader {
    TNovaStringGrid &g;
    bool levelToRow;
    bool loadFieldDescr;
    bool fixedSaved;
    int startCol, startRow;
    int col = 0, rowOfs = 0, level = 1;
    int maxCol, maxRow;

    void grow(int c, int r)
    {
        if (c >= TNovaStringGrid::MaxXMLCols || r >= TNovaStringGrid::MaxXMLRows)
            throw std::runtime_error("XML file too large for the grid");
        if (c >= g.ColCount())
            g.SetColCount(c + 1);
        if (r >= g.RowCount())
            g.SetRowCount(r + 1);
        maxCol = std::max(maxCol, c);
        maxRow = std::max(maxRow, r);
    }

    // The node's text: every text inside it, in document order (walked without recursion).
    static QString text(const pugi::xml_node &node)
    {
        QString s;
        pugi::xml_node n = node.first_child();
        while (n) {
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
                s += QString::fromUtf8(n.value());
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && n != node && !n.next_sibling())
                n = n.parent();
            if (!n || n == node)
                break;
            n = n.next_sibling();
        }
        return s;
    }

    void read(const pugi::xml_node &node, int depth)
    {
        if (depth > TNovaStringGrid::MaxXMLDepth)
            throw std::runtime_error("XML file nested too deeply");
        bool handled = false;
        int attrs = 0;
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            const int c = col + startCol, r = rowOfs + startRow;
            grow(c, r);
            if (g.Cells(c, 0).isEmpty() && fixedSaved)
                g.SetCells(c, 0, QString::fromUtf8(a.name()));
            g.LoadCellText(c, r, xmlUnescape(QString::fromUtf8(a.value())));
            ++col;
            ++attrs;
        }
        if (levelToRow && attrs > 0) {
            ++rowOfs;
            col = level;
            handled = true;
        }
        int children = 0;
        for (pugi::xml_node d = node.first_child(); d; d = d.next_sibling())
            if (d.type() == pugi::node_element || d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata)
                ++children;
        if (children > 1) {
            if (levelToRow && !handled) {
                ++rowOfs;
                col = 0;
            }
            ++level;
            for (pugi::xml_node d = node.first_child(); d; d = d.next_sibling())
                if (d.type() == pugi::node_element)
                    read(d, depth + 1);
        } else if (children == 0) {
            const int c = col + startCol, r = rowOfs + startRow;
            if (c < g.ColCount() && r < g.RowCount())
                g.LoadCellText(c, r, QString());
            ++col;
        } else {
            const int c = col + startCol, r = rowOfs + startRow;
            grow(c, r);
            if (g.Cells(c, 0).isEmpty() && fixedSaved && loadFieldDescr)
                g.SetCells(c, 0, QString::fromUtf8(node.name()));
            QString t = xmlUnescape(text(node));
            if (g.QuoteEmptyCells() && t == QStringLiteral("\"\""))
                t.clear();
            g.LoadCellText(c, r, t);
            ++col;
        }
    }
};

} // namespace

void TNovaStringGrid::LoadFromXML(const QString &FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!QFileInfo::exists(FileName))
        throw std::runtime_error("XML file not found");
    pugi::xml_document doc;
    const pugi::xml_parse_result res = doc.load_file(QFile::encodeName(FileName).constData());
    if (!res) {
        // The line of the error: the line breaks before its offset.
        QFile f(FileName);
        int line = 1;
        if (f.open(QIODevice::ReadOnly))
            line += int(f.read(res.offset).count('\n'));
        throw std::runtime_error(QStringLiteral("XMLDOM Parsing error %1 on line %2")
                                     .arg(int(res.status))
                                     .arg(line)
                                     .toStdString());
    }
    const bool fixedSaved = SaveFixedCells() || SaveFixedRows();
    XmlReader rd{*this, LevelToRow, LoadFieldDescr, fixedSaved, SaveStartCol(),
                 fixedSaved && !LoadFieldDescr ? 0 : FixedRows()};
    rd.maxCol = rd.startCol;
    rd.maxRow = rd.startRow;
    try {
        int i = 0;
        for (pugi::xml_node n = doc.document_element().first_child(); n; n = n.next_sibling()) {
            if (n.type() != pugi::node_element)
                continue;
            rd.col = 0;
            rd.level = 1;
            if (LevelToRow && !n.first_attribute() && i == 0)
                rd.rowOfs = -1;
            rd.read(n, 1);
            if (!LevelToRow)
                ++rd.rowOfs;
            ++i;
        }
    } catch (...) {
        CellsLoaded();
        throw;
    }
    SetColCount(rd.maxCol + 1);
    SetRowCount(rd.maxRow + 1);
    CellsLoaded();
}

// ---- plain text ---------------------------------------------------------------------------------

int TNovaStringGrid::ColumnMaxTextLength(int ACol)
{
    int w = 0;
    for (int r = 0; r < RowCount(); ++r)
        for (const QString &l : textLines(GetSaveCellText(ACol, r), Multilinecells()))
            w = std::max(w, int(l.size()));
    return w;
}

void TNovaStringGrid::WriteASCIIFile(const QString &FileName, bool Append, bool Unicode)
{
    const platform::WaitCursor hourglass;
    QStringList lines;
    if (Append)
        lines = fileLines(FileName);
    const int oldCols = ColCount();
    const bool hidden = SaveHiddenCells();
    // The hidden columns are written too: the grid counts them for the time of the export.
    const int cols = hidden ? ColCount() + NumHiddenColumns() : ColCount();
    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    std::vector<int> width(size_t(std::max(0, cols)), 0);
    for (int c = firstCol; c < cols; ++c)
        width[size_t(c)] = ColumnMaxTextLength(hidden ? c : RealColIndex(c));

    auto finish = [&] {
        ExportNotification(esExportDone, -1);
        const QString text = lines.isEmpty() ? QString() : lines.join(kCRLF) + kCRLF;
        QString error;
        const auto enc = Unicode ? platform::TextEncoding::Utf16LeBom : platform::TextEncoding::Ansi;
        if (!platform::writeFileAtomic(FileName, platform::encodeText(text, enc), &error))
            throw ENovaGridError(QStringLiteral("Cannot Create file ") + FileName);
    };
    (void)oldCols;
    ExportNotification(esExportStart, firstRow);
    try {
        for (int r = firstRow; r < RowCount(); ++r) {
            ExportNotification(esExportNextRow, r);
            QString line;
            QStringList extra;
            for (int c = firstCol; c < cols; ++c) {
                const int rc = hidden ? c : RealColIndex(c);
                const QStringList parts = textLines(GetSaveCellText(rc, r), Multilinecells());
                QString t = parts.value(0);
                const int w = width[size_t(c)];
                TAlignment ha = taLeftJustify;
                TVAlignment va = vtaTop;
                ResolveCellAlignment(rc, r, ha, va);
                if (ha == taRightJustify)
                    t = t.rightJustified(w, QLatin1Char(' '));
                else if (ha == taCenter)
                    while (t.size() < w)
                        t = QLatin1Char(' ') + t + QLatin1Char(' ');
                const int start = int(line.size());
                if (t.size() <= w)
                    t += QString(w - t.size() + 1, QLatin1Char(' '));
                line += t;
                for (qsizetype k = 1; k < parts.size(); ++k) {
                    if (extra.size() < k)
                        extra << QString();
                    QString &x = extra[k - 1];
                    if (x.size() < start)
                        x += QString(start - x.size(), QLatin1Char(' '));
                    x += parts[k];
                }
            }
            lines << line;
            lines += extra;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TNovaStringGrid::SaveToASCII(const QString &FileName, bool Unicode) { WriteASCIIFile(FileName, false, Unicode); }

void TNovaStringGrid::AppendToASCII(const QString &FileName, bool Unicode) { WriteASCIIFile(FileName, true, Unicode); }
