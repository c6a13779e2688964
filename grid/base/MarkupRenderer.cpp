#include "grid/base/MarkupRenderer.h"

#include "grid/base/MarkupHelpers.h"
#include "grid/base/Theme.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

enum class Pass { Measure, Draw, HitTest };

// Layout state that tags switch; copied at the start of each line so that both passes of
// the line start from the same state.
struct State {
    TFont font;
    TColor brush = clNone;      // text background
    bool hidden = false, shadow = false, sub = false, sup = false, error = false;
    bool inAnchor = false;
    QString href, title;
    int linkCount = 0;
    int listLevel = 0;
    int pictureCounter = 0;
    int align = 0;              // 0 left, 1 right, 2 center
    int indent = 0;
    bool paraBg = false;
    TColor paraColor = clNone;
    TColor paraSavedBg = clNone;
    TColor anchorSavedBg = clNone, anchorSavedText = clNone;
    TColor fontSavedBg = clNone;
    TColor hiSavedText = clNone, hiSavedBg = clNone;
    int rotation = 0;
};

struct LineOut {
    size_t end = 0;             // first token not taken by this line
    bool dropRest = false;
    int lineWidth = 0;
    int lineHeight = 0;
    int subOff = 0, supOff = 0, raise = 0;
    int trailingBlank = 0;
    bool linkRunHit = false;
    bool directHit = false;
};

bool colorSet(TColor c) { return c != clNone; }

// Numbers from the text that become coordinates stay in a range where sums cannot overflow.
constexpr int kMaxExtent = 1000000;
int geomInt(const QString &text, bool *ok = nullptr)
{
    return std::clamp(TextToInt(text, ok), -kMaxExtent, kMaxExtent);
}

class Renderer {
public:
    Renderer(TCanvas &c, const TRect &b, const TMarkupDrawParams &p, TMarkupDrawResult &r)
        : canvas(c), bounds(b), P(p), R(r)
    {
        dpiX = dpiY = 96;
        if (QPainter *painter = canvas.Painter(); painter && painter->device()) {
            dpiX = painter->device()->logicalDpiX();
            dpiY = painter->device()->logicalDpiY();
        }
        rtl = P.rightToLeft != 0 && IsMiddleEastLocale();
    }

    bool run(const QString &text);

private:
    int ghHeight()
    {
        canvas.Font = st.font;
        return canvas.TextHeight(QStringLiteral("gh"));
    }
    unsigned textFlags() const
    {
        unsigned f = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS;
        if (!P.wordWrap)
            f |= DT_END_ELLIPSIS;
        return rtl ? (f | DT_RTLREADING) : f;
    }
    QSize measureRun(const QString &run)
    {
        canvas.Font = st.font;
        TRect r{0, 0, 100000, 100000};
        canvas.DrawText(run, r, textFlags() | DT_CALCRECT);
        return QSize(r.Width(), r.Height());
    }

    LineOut RenderMarkupLine(Pass pass, size_t from, size_t to, const TRect &lineRect, const LineOut *measured);
    void handleTag(Pass pass, const QString &tag, MarkupTagKind kind, LineOut &out, const TRect &lineRect,
                   const LineOut *measured, bool &endLine, bool &keepTag, bool &seenItem);
    void image(Pass pass, const QString &tag, LineOut &out, const TRect &lineRect, const LineOut *measured,
               bool &endLine, bool &keepTag);
    void control(Pass pass, const QString &tag, LineOut &out, const TRect &lineRect, const LineOut *measured,
                 bool &endLine, bool &keepTag);
    void drawRun(const QString &run, int x, int w, int h, const TRect &lineRect, const LineOut &measured);
    void drawFocusRect(const TRect &r);
    void drawControl(const ControlTagAttributes &a, int left, int bottom, int lineHeight, int buttonHeight,
                     int w, int h);
    void bodyBackground(const QString &tag, const QString &upper);
    THTMLPicture *findPicture(const QString &upperSrc, const QString &rawSrc);
    QImage systemIcon(const QString &source, bool large);

    TCanvas &canvas;
    TRect bounds;
    const TMarkupDrawParams &P;
    TMarkupDrawResult &R;
    int dpiX, dpiY;
    bool rtl = false;

    State st;
    TFont baseFont;
    TColor startBrush = clNone;
    std::vector<MarkupToken> tokens;
    int lineIndex = 0;

    // Hover rectangle of the link under the hit point.
    bool hoverPending = false;
    TPoint hoverStart;
    int hoverStartLine = -1;
    // Focus rectangle of link focusLink.
    bool focusOpen = false;
    TPoint focusStart;
    int hitPicture = -1;
    QString plainLine;
};

bool Renderer::run(const QString &text)
{
    const TPen savedPen = canvas.Pen;
    const TBrush savedBrush = canvas.Brush;
    const TFont savedFont = canvas.Font;
    startBrush = canvas.Brush.Style == bsClear ? clNone : canvas.Brush.Color;

    baseFont = canvas.Font;
    st.font = baseFont;
    st.brush = clNone;

    R.controlRect = TRect{};
    R.hitTitle.clear();
    R.focusedAnchor.clear();
    R.plainText.clear();
    R.controlValue.clear();
    R.controlType.clear();
    if (!P.hitTestOnly)
        R.controlId.clear();
    R.textWidth = R.textHeight = R.linkCount = 0;
    R.hitLink = -1;
    bool result = false;

    TRect work = bounds;
    work.Left += 1;
    tokens = TokenizeMarkup(PrepareMarkupText(text), P.wordWrap);

    size_t idx = 0;
    while (idx < tokens.size()) {
        st.sub = st.sup = false;
        const int h0 = ghHeight();
        const State lineStart = st;

        LineOut m = RenderMarkupLine(Pass::Measure, idx, tokens.size(), work, nullptr);
        if (m.end <= idx && !m.dropRest)
            m.end = idx + 1; // every line takes at least one token

        TRect lineRect = work;
        // Line alignment mirrored as the text flags are in a right-to-left locale.
        const unsigned af = BiDiDrawTextFlags(st.align == 1 ? DT_RIGHT : st.align == 2 ? DT_CENTER : DT_LEFT,
                                              P.rightToLeft, rtl);
        const int align = (af & DT_CENTER) ? 2 : (af & DT_RIGHT) ? 1 : 0;
        const int width = m.lineWidth - m.trailingBlank;
        if (align == 1) {
            if (lineRect.Right - width > lineRect.Left)
                lineRect.Left = lineRect.Right - width;
        } else if (align == 2) {
            const int d = (lineRect.Right - lineRect.Left - width) / 2;
            if (d > 0)
                lineRect.Left += d;
        }
        lineRect.Left += st.indent;
        const int fullHeight = m.lineHeight + m.subOff + m.supOff;
        lineRect.Bottom = lineRect.Top + fullHeight;

        if (!P.measureOnly) {
            st = lineStart;
            const Pass pass = P.hitTestOnly ? Pass::HitTest : Pass::Draw;
            const LineOut d = RenderMarkupLine(pass, idx, std::min(m.end, tokens.size()), lineRect, &m);
            const int b = lineRect.Bottom - m.raise;
            if ((d.linkRunHit && b - h0 < P.hitY && P.hitY < b) || d.directHit)
                result = true;
        }

        R.textWidth = std::max(R.textWidth, width);
        work.Top += fullHeight;
        R.textHeight += fullHeight;
        idx = m.dropRest ? tokens.size() : m.end;
        ++lineIndex;
        if (!P.measureOnly && h0 + work.Top > work.Bottom)
            break;
    }

    if (R.textHeight == 0) {
        canvas.Font = baseFont;
        R.textHeight = canvas.TextHeight(QStringLiteral("gh"));
    }
    R.linkCount = st.linkCount;
    canvas.Pen = savedPen;
    canvas.Brush = savedBrush;
    canvas.Font = savedFont;
    return P.measureOnly ? false : result;
}

LineOut Renderer::RenderMarkupLine(Pass pass, size_t from, size_t to, const TRect &lineRect, const LineOut *measured)
{
    LineOut out;
    out.end = to;
    out.lineHeight = ghHeight();
    plainLine.clear();
    bool seenItem = false;
    bool firstRun = true;
    const int W = lineRect.Width();

    if (pass == Pass::Draw && st.paraBg && colorSet(st.paraColor)) {
        canvas.Brush = TBrush{st.paraColor, bsSolid};
        canvas.FillRect(TRect{bounds.Left, lineRect.Top, bounds.Right, lineRect.Bottom});
    }

    for (size_t i = from; i < to; ++i) {
        const MarkupToken &tok = tokens[i];
        if (!tok.isTag) {
            const QString run = DecodeRunEntities(tok.text);
            if (st.hidden) {
                if (pass == Pass::Measure)
                    R.plainText += run;
                continue;
            }
            const QSize size = measureRun(run);
            const int w = size.width(), h = size.height();
            if (st.sub)
                out.subOff = std::max(out.subOff, h / 4);
            if (st.sup)
                out.supOff = std::max(out.supOff, h / 4);
            out.lineHeight = std::max(out.lineHeight, h);

            const int before = out.lineWidth;
            out.lineWidth += w;
            // Hits are taken in the second pass, where the line's place and height are known:
            // a point below a link's line does not count as over the link.
            if (pass != Pass::Measure) {
                const int rel = P.hitX - lineRect.Left;
                if (rel >= before && rel <= out.lineWidth && st.inAnchor) {
                    out.linkRunHit = true;
                    if (lineRect.Top < P.hitY && P.hitY < lineRect.Bottom) {
                        R.hitAnchor = st.href;
                        R.hitTitle = st.title;
                        hoverPending = true;
                    }
                }
            }
            if (pass == Pass::Measure) {
                const bool fits = out.lineWidth < W || w >= W;
                const bool continuesWord = !plainLine.isEmpty() && !plainLine.endsWith(QLatin1Char(' '));
                if (P.wordWrap && !fits && !continuesWord) {
                    out.lineWidth -= w;
                    out.end = i;
                    return out;
                }
                if (!P.wordWrap && !fits && !continuesWord && !firstRun) {
                    out.dropRest = true;
                    out.end = i + 1;
                }
                R.plainText += run;
                plainLine += run;
                out.trailingBlank = run.endsWith(QLatin1Char(' ')) ? measureRun(QStringLiteral(" ")).width() : 0;
            } else if (pass == Pass::Draw) {
                drawRun(run, lineRect.Left + before, w, h, lineRect, *measured);
            }
            firstRun = false;
            if (out.dropRest)
                return out;
            continue;
        }

        const MarkupTagKind kind = ClassifyMarkupTag(tok.text);
        bool endLine = false, keepTag = false;
        handleTag(pass, tok.text, kind, out, lineRect, measured, endLine, keepTag, seenItem);
        if (endLine) {
            out.end = keepTag ? i : i + 1;
            break;
        }
    }

    // A focused link that goes on to the next line gets its rectangle closed here.
    if (pass == Pass::Draw && focusOpen && st.inAnchor && st.linkCount == P.focusLink + 1) {
        drawFocusRect(TRect{focusStart.X, focusStart.Y, lineRect.Left + out.lineWidth, lineRect.Bottom});
        focusStart = TPoint{lineRect.Left + 1, lineRect.Bottom};
    }
    return out;
}

void Renderer::drawRun(const QString &run, int x, int w, int h, const TRect &lineRect, const LineOut &m)
{
    int bottom = lineRect.Bottom - m.subOff;
    if (st.sup)
        bottom -= m.supOff;
    if (st.sub)
        bottom += m.subOff;
    bottom -= m.raise;
    TRect r{x, lineRect.Top, lineRect.Right, bottom};
    if (r.Top > r.Bottom - h)
        r.Top = r.Bottom - h;

    if (st.inAnchor && st.linkCount == P.focusLink + 1)
        R.focusedAnchor = st.href;

    if (colorSet(st.brush)) {
        canvas.Brush = TBrush{st.brush, bsSolid};
        canvas.FillRect(TRect{x, bottom - h, std::min(x + w, lineRect.Right), bottom});
    }
    TFont f = st.font;
    f.Orientation = st.rotation;
    if (st.shadow) {
        canvas.Font = f;
        canvas.Font.Color = P.shadowColor;
        TRect sr = r.Offset(P.shadowOffset, P.shadowOffset);
        if (st.rotation != 0)
            canvas.TextOut(sr.Left, sr.Bottom - h, run);
        else
            canvas.DrawText(run, sr, textFlags());
    }
    canvas.Font = f;
    if (colorSet(f.Color)) {
        if (st.rotation != 0)
            canvas.TextOut(r.Left, r.Bottom - h, run);
        else
            canvas.DrawText(run, r, textFlags());
    }

    if (st.error) {
        canvas.Pen = TPen{clRed, 1, psSolid};
        const int eb = lineRect.Bottom - m.subOff;
        int xx = (x / 2) * 2;
        int phase = (xx % 4 == 0) ? 2 : 0;
        canvas.MoveTo(xx, eb + phase - 1);
        const int right = x + w;
        while (xx < right) {
            phase = phase == 0 ? 2 : 0;
            canvas.LineTo(xx + 2, eb + phase - 1);
            xx += 2;
        }
    }
}

void Renderer::drawFocusRect(const TRect &r)
{
    canvas.Pen = TPen{clBlack, 1, psDot};
    canvas.Brush = TBrush{clNone, bsClear};
    canvas.Rectangle(r.Inflate(1, 0));
}

void Renderer::handleTag(Pass pass, const QString &tag, MarkupTagKind kind, LineOut &out, const TRect &lineRect,
                         const LineOut *measured, bool &endLine, bool &keepTag, bool &seenItem)
{
    using K = MarkupTagKind;
    const bool drawing = pass == Pass::Draw;
    const int penX = lineRect.Left + out.lineWidth;
    switch (kind) {
    case K::Anchor: {
        if (drawing && st.linkCount == P.focusLink) {
            focusOpen = true;
            focusStart = TPoint{penX, lineRect.Top};
        }
        ++st.linkCount;
        const bool styled = !P.hoverOnly || P.hoverLink == st.linkCount;
        if (styled) {
            st.font.Style.Include(fsUnderline);
            if (colorSet(P.hoverBackColor)) {
                st.anchorSavedBg = st.brush;
                st.brush = P.hoverBackColor;
            }
            if (colorSet(P.hoverTextColor)) {
                st.anchorSavedText = st.font.Color;
                st.font.Color = P.hoverTextColor;
            }
        }
        if (!P.selected && !(colorSet(P.hoverTextColor) && P.hoverOnly && P.hoverLink == st.linkCount))
            st.font.Color = P.linkColor;
        bool found = false;
        const QString href = MarkupAttribute(tag, QStringLiteral("HREF"), &found);
        if (found) {
            st.inAnchor = true;
            st.href = href;
        }
        st.title = MarkupAttribute(tag, QStringLiteral("TITLE"));
        if (pass != Pass::Measure) {
            hoverStart = TPoint{penX, lineRect.Top};
            hoverStartLine = lineIndex;
        }
        break;
    }
    case K::EndAnchor: {
        if (!P.hoverOnly || P.hoverLink == st.linkCount) {
            st.font.Style.Exclude(fsUnderline);
            if (colorSet(P.hoverBackColor))
                st.brush = st.anchorSavedBg;
            if (colorSet(P.hoverTextColor))
                st.font.Color = st.anchorSavedText;
        }
        if (!P.selected)
            st.font.Color = baseFont.Color;
        st.inAnchor = false;
        if (pass != Pass::Measure && hoverPending) {
            TRect hr{hoverStart.X, hoverStart.Y, penX, lineRect.Bottom};
            if (hoverStartLine != lineIndex) {
                hr.Left = lineRect.Left;
                hr.Top = lineRect.Top;
            }
            R.hitLinkRect = hr;
            R.hitLink = st.linkCount;
            hoverPending = false;
        }
        if (drawing && focusOpen && st.linkCount == P.focusLink + 1) {
            const int b = lineRect.Bottom - (measured ? measured->raise : 0);
            canvas.Font = st.font;
            const int gh = canvas.TextHeight(QStringLiteral("gh"));
            drawFocusRect(TRect{focusStart.X, b - gh, penX, b});
            focusOpen = false;
        }
        break;
    }
    case K::Bold: st.font.Style.Include(fsBold); break;
    case K::EndBold: st.font.Style.Exclude(fsBold); break;
    case K::Italic: st.font.Style.Include(fsItalic); break;
    case K::EndItalic: st.font.Style.Exclude(fsItalic); break;
    case K::Underline: st.font.Style.Include(fsUnderline); break;
    case K::Strike: st.font.Style.Include(fsStrikeOut); break;
    case K::EndStrike: st.font.Style.Exclude(fsStrikeOut); break;
    case K::Break:
        if (pass == Pass::Measure)
            R.plainText += QLatin1Char('\r');
        endLine = true;
        break;
    case K::Rule:
        if (drawing) {
            canvas.Pen = TPen{clBlack, 1, psSolid};
            canvas.MoveTo(lineRect.Left, lineRect.Bottom);
            canvas.LineTo(lineRect.Right, lineRect.Bottom);
        }
        endLine = true;
        break;
    case K::Blink:
        if (!P.blinkVisible)
            st.font.Color = startBrush;
        break;
    case K::EndColor:
        st.font.Color = baseFont.Color;
        break;
    case K::Body:
        if (drawing)
            bodyBackground(tag, tag.toUpper());
        {
            bool found = false;
            const QString bg = MarkupAttribute(tag.toUpper(), QStringLiteral("BGCOLOR"), &found);
            if (found)
                st.fontSavedBg = MarkupColorValue(bg);
        }
        break;
    case K::Control:
        control(pass, tag, out, lineRect, measured, endLine, keepTag);
        break;
    case K::Error: st.error = true; break;
    case K::EndError: st.error = false; break;
    case K::Font: {
        const QString u = tag.toUpper();
        bool found = false;
        const QString face = MarkupAttribute(u, QStringLiteral("FACE"), &found);
        if (found && !face.isEmpty())
            st.font.Name = face;
        const QString color = MarkupAttribute(u, QStringLiteral(" COLOR"), &found);
        if (found && !P.selected)
            st.font.Color = MarkupColorValue(color);
        const QString bg = MarkupAttribute(u, QStringLiteral("BGCOLOR"), &found);
        if (found && !P.selected) {
            st.fontSavedBg = st.brush;
            st.brush = MarkupColorValue(bg);
        }
        const QString size = MarkupAttribute(u, QStringLiteral("SIZE"), &found);
        bool ok = false;
        const int n = std::min(TextToInt(size, &ok), 1000);
        if (found && ok && n > 0)
            st.font.Size = MarkupFontSize(n);
        break;
    }
    case K::EndFont:
        st.font.Name = baseFont.Name;
        st.font.Size = baseFont.Size;
        if (!P.selected) {
            st.font.Color = baseFont.Color;
            st.brush = st.fontSavedBg;
        }
        break;
    case K::Highlight:
        st.hiSavedText = st.font.Color;
        st.hiSavedBg = st.brush;
        st.brush = MarkupHighlightColor();
        st.font.Color = MarkupHighlightTextColor();
        break;
    case K::EndHighlight:
        st.font.Color = st.hiSavedText;
        st.brush = st.hiSavedBg;
        break;
    case K::Indent: {
        bool ok = false;
        const int n = geomInt(MarkupValueAfterLetter(tag, QLatin1Char('X')), &ok);
        if (ok && n > out.lineWidth)
            out.lineWidth = n;
        break;
    }
    case K::Image:
        image(pass, tag, out, lineRect, measured, endLine, keepTag);
        break;
    case K::ListItem: {
        if (seenItem) {
            endLine = true;
            keepTag = true;
            break;
        }
        seenItem = true;
        const int x = penX + st.listLevel * 12 - 12;
        if (drawing) {
            TFont f = st.font;
            canvas.Font = f;
            const QString bullet = (st.listLevel % 2 != 0) ? QString(QChar(0x2022)) : QStringLiteral("o");
            const int h = canvas.TextHeight(bullet);
            int bottom = lineRect.Bottom - measured->subOff - measured->raise;
            TRect br{x, bottom - h, x + 12, bottom};
            if (colorSet(f.Color))
                canvas.DrawText(bullet, br, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
        }
        out.lineWidth += st.listLevel * 12;
        break;
    }
    case K::EndListItem:
        endLine = true;
        break;
    case K::Paragraph: {
        const QString u = tag.toUpper();
        bool found = false;
        const QString align = MarkupAttribute(u, QStringLiteral("ALIGN"), &found);
        if (found) {
            int a = st.align;
            if (align.contains(QLatin1String("RIGHT")))
                a = 1;
            if (align.contains(QLatin1String("LEFT")))
                a = 0;
            if (align.contains(QLatin1String("CENTER")))
                a = 2;
            st.align = a;
        }
        const QString indent = MarkupAttribute(u, QStringLiteral("INDENT"), &found);
        if (found)
            st.indent = geomInt(indent);
        const QString bg = MarkupAttribute(u, QStringLiteral("BGCOLOR"), &found);
        if (found) {
            st.paraSavedBg = st.brush;
            st.paraColor = MarkupColorValue(bg);
            st.brush = st.paraColor;
            st.paraBg = true;
            if (drawing && colorSet(st.paraColor)) {
                canvas.Pen = TPen{st.paraColor, 1, psSolid};
                canvas.Brush = TBrush{st.paraColor, bsSolid};
                canvas.FillRect(TRect{bounds.Left, lineRect.Top, bounds.Right, lineRect.Bottom});
            }
        }
        break;
    }
    case K::EndParagraph:
        if (st.paraBg) {
            st.paraBg = false;
            st.brush = st.paraSavedBg;
        }
        endLine = true;
        break;
    case K::Rotate: {
        bool ok = false;
        const int deg = geomInt(MarkupValueAfterLetter(tag, QLatin1Char('A')), &ok) % 360;
        st.rotation = ok ? deg * 10 : 0;
        break;
    }
    case K::EndRotate:
        st.rotation = 0; // nothing to release when no rotation was open
        break;
    case K::Shadow: st.shadow = true; break;
    case K::EndShadow: st.shadow = false; break;
    case K::Subscript: st.sub = true; break;
    case K::Superscript: st.sup = true; break;
    case K::EndSubSup: st.sub = st.sup = false; break;
    case K::List:
        ++st.listLevel;
        endLine = true;
        break;
    case K::EndUnderline:
        st.font.Style.Exclude(fsUnderline);
        break;
    case K::EndList:
        if (st.listLevel == 0)
            st.font.Style.Exclude(fsUnderline);
        else
            --st.listLevel;
        break;
    case K::Hidden: st.hidden = true; break;
    case K::EndHidden: st.hidden = false; break;
    case K::Skip: break;
    }
}

THTMLPicture *Renderer::findPicture(const QString &upperSrc, const QString &rawSrc)
{
    if (!upperSrc.contains(QLatin1Char(':'))) {
        return P.pictureContainer ? P.pictureContainer->FindPicture(upperSrc) : nullptr;
    }
    if (upperSrc.contains(QLatin1String("://")) && P.pictureCache) {
        // The address keeps its letter case: file names are case-sensitive here.
        THTMLPicture *pic = P.pictureCache->FindPicture(rawSrc);
        if (!pic) {
            THTMLPicture *added = P.pictureCache->AddPicture();
            added->Asynch = false;
            added->LoadFromURL(rawSrc);
            pic = P.pictureCache->FindPicture(rawSrc);
        }
        return pic;
    }
    return nullptr;
}

QImage Renderer::systemIcon(const QString &source, bool large)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return {};
    const int size = large ? 32 : 16;
    QFileIconProvider provider;
    QIcon icon;
    bool isNumber = false;
    const int n = source.toInt(&isNumber);
    if (isNumber) {
        static const QAbstractFileIconProvider::IconType types[] = {
            QAbstractFileIconProvider::File,   QAbstractFileIconProvider::Folder,
            QAbstractFileIconProvider::Drive,  QAbstractFileIconProvider::Computer,
            QAbstractFileIconProvider::Desktop, QAbstractFileIconProvider::Network,
            QAbstractFileIconProvider::Trashcan};
        icon = provider.icon(types[std::abs(n) % int(std::size(types))]);
    } else {
        icon = provider.icon(QFileInfo(source));
    }
    QImage img = icon.pixmap(size, size).toImage();
    if (img.isNull()) {
        img = QImage(size, size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
    } else if (img.width() != size || img.height() != size) {
        img = img.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return img;
}

void Renderer::image(Pass pass, const QString &tag, LineOut &out, const TRect &lineRect, const LineOut *,
                     bool &endLine, bool &keepTag)
{
    const bool drawing = pass == Pass::Draw;
    const QString u = tag.toUpper();
    const int pictureNo = st.pictureCounter++;
    const QString srcU = MarkupAttribute(u, QStringLiteral("SRC"));
    const QString srcRaw = MarkupAttribute(tag, QStringLiteral("SRC"));
    const int penX = lineRect.Left + out.lineWidth;
    const int lineW = lineRect.Width();

    int ew = 0, eh = 0;
    QImage direct;                 // image-list picture or system icon
    THTMLPicture *pic = nullptr;
    int dispW = 0, dispH = 0;
    bool sized = false;

    if (srcU.startsWith(QLatin1String("IDX:"))) {
        const int n = TextToInt(srcU.mid(4));
        if (!P.imageList || n < 0 || n >= P.imageList->Count())
            return;
        direct = P.imageList->Images[size_t(n)];
        ew = P.imageList->Width * dpiX / 96;
        eh = P.imageList->Height * dpiY / 96;
    } else if (srcU.startsWith(QLatin1String("SSYS:")) || srcU.startsWith(QLatin1String("LSYS:"))) {
        const bool large = srcU.startsWith(QLatin1Char('L'));
        direct = systemIcon(srcRaw.mid(5), large);
        if (direct.isNull())
            return;
        ew = direct.width() * dpiX / 96;
        eh = direct.height() * dpiY / 96;
    } else {
        pic = findPicture(srcU, srcRaw);
        if (!pic || pic->Empty() || !pic->Decoded() || pic->Width() <= 0 || pic->Height() <= 0)
            return;
        bool ok = false;
        int wAttr = geomInt(MarkupAttribute(u, QStringLiteral("WIDTH")), &ok);
        if (!ok)
            wAttr = 0;
        int hAttr = geomInt(MarkupAttribute(u, QStringLiteral("HEIGHT")), &ok);
        if (!ok)
            hAttr = 0;
        if (wAttr > 0 && hAttr > 0) {
            dispW = wAttr;
            dispH = hAttr;
        } else if (wAttr > 0) {
            dispW = wAttr;
            dispH = int(std::min<double>(kMaxExtent, std::lround(double(pic->Height()) * wAttr / pic->Width())));
        } else if (hAttr > 0) {
            dispH = hAttr;
            dispW = int(std::min<double>(kMaxExtent, std::lround(double(pic->Width()) * hAttr / pic->Height())));
        }
        sized = wAttr > 0 || hAttr > 0;
        if (sized) {
            ew = dispW * dpiX / 96;
            eh = dispH * dpiY / 96;
        } else {
            ew = pic->MaxWidth() * dpiX / 96;
            eh = pic->MaxHeight() * dpiY / 96;
        }
    }

    if (pass == Pass::Measure && ew < lineW && out.lineWidth + ew > lineW) {
        endLine = true;
        keepTag = true;
        return;
    }

    const int rel = P.hitX - lineRect.Left;
    if (pass != Pass::Measure && rel > out.lineWidth && rel < out.lineWidth + ew && lineRect.Top < P.hitY
        && P.hitY < lineRect.Top + eh && st.inAnchor) {
        R.hitAnchor = st.href;
        R.hitTitle = st.title;
        out.directHit = true;
        hitPicture = pictureNo;
    }

    if (drawing) {
        const int top = lineRect.Top;
        if (!direct.isNull()) {
            if (P.printing) {
                canvas.StretchDraw(TRect{penX, top, penX + int(std::lround(ew * P.printScale)),
                                         top + int(std::lround(eh * P.printScale))},
                                   direct);
            } else {
                canvas.StretchDraw(TRect{penX, top, penX + ew, top + eh}, direct);
            }
        } else if (pic) {
            THTMLPicture *shown = pic;
            if (hitPicture == pictureNo) {
                const QString altU = MarkupAttribute(u, QStringLiteral("ALT"));
                if (!altU.isEmpty()) {
                    THTMLPicture *alt = findPicture(altU, MarkupAttribute(tag, QStringLiteral("ALT")));
                    if (alt && !alt->Empty() && alt->Decoded())
                        shown = alt;
                }
            }
            if (sized) {
                canvas.StretchDraw(TRect{penX, top, penX + ew, top + eh}, shown->Image());
            } else {
                if (shown->FrameCount() > 1 && colorSet(startBrush)) {
                    canvas.Brush = TBrush{startBrush, bsSolid};
                    canvas.FillRect(TRect{penX, top, penX + shown->MaxWidth() * dpiX / 96,
                                          top + shown->MaxHeight() * dpiY / 96});
                }
                const int fx = penX + shown->FrameXPos() * dpiX / 96;
                const int fy = top + shown->FrameYPos() * dpiY / 96;
                shown->Draw(canvas, TRect{fx, fy, fx + shown->Width() * dpiX / 96, fy + shown->Height() * dpiY / 96});
            }
        }
    }

    out.lineWidth += ew;
    out.lineHeight = std::max(out.lineHeight, eh);

    const QString align = MarkupAttribute(u, QStringLiteral("ALIGN"));
    canvas.Font = st.font;
    const int gh = canvas.TextHeight(QStringLiteral("gh"));
    if (align == QLatin1String("TOP"))
        out.raise = out.lineHeight - gh;
    else if (align == QLatin1String("MIDDLE"))
        out.raise = (out.lineHeight - gh) / 2;
}

void Renderer::drawControl(const ControlTagAttributes &a, int left, int bottom, int lineHeight, int buttonHeight,
                           int w, int h)
{
    // Parts are drawn in the classic look; only the frame colour follows the visual style.
    const TColor frame = IsThemeActive() ? RGBColor(0x7F, 0x9D, 0xB9) : RGBColor(0x80, 0x80, 0x80);
    const int width = geomInt(a.width);
    const bool over = left - 2 < P.hitX && P.hitX < left - 2 + w && bottom - h - 2 < P.hitY && P.hitY < bottom - 2;
    const bool checked = a.value.toUpper() == QLatin1String("TRUE");
    canvas.Font = st.font;
    canvas.Font.Color = clWindowText;

    auto editFrame = [&]() {
        canvas.Pen = TPen{frame, 1, psSolid};
        canvas.Brush = TBrush{clWhite, bsSolid};
        canvas.Rectangle(TRect{left, bottom - lineHeight + 4, left + width, bottom + 2});
    };

    if (a.type == QLatin1String("EDIT") || a.type == QLatin1String("PASSWORD") || a.type == QLatin1String("MASK")) {
        editFrame();
        TRect tr{left + 2, bottom - lineHeight + 4, left + width, bottom};
        const QString shown = a.type == QLatin1String("PASSWORD") ? MaskWithAsterisks(a.value) : a.value;
        canvas.DrawText(shown, tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else if (a.type == QLatin1String("COMBO")) {
        editFrame();
        TRect tr{left + 4, bottom - lineHeight + 4, left + width - 18, bottom};
        canvas.DrawText(a.value, tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        const TRect br{left + width - 18, bottom - lineHeight + 5, left + width - 1, bottom + 1};
        canvas.Brush = TBrush{over ? clBtnHighlight : clBtnFace, bsSolid};
        canvas.Pen = TPen{clBtnShadow, 1, psSolid};
        canvas.Rectangle(br);
        const int cx = (br.Left + br.Right) / 2, cy = (br.Top + br.Bottom) / 2;
        canvas.Brush = TBrush{clBtnText, bsSolid};
        canvas.Pen = TPen{clBtnText, 1, psSolid};
        canvas.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
    } else if (a.type == QLatin1String("CHECK")) {
        const TRect box{left + 2, bottom - 15, left + 15, bottom};
        canvas.Pen = TPen{clBtnShadow, 1, psSolid};
        canvas.Brush = TBrush{clWindow, bsSolid};
        canvas.Rectangle(box);
        if (checked) {
            canvas.Pen = TPen{clWindowText, 2, psSolid};
            canvas.Polyline({{box.Left + 3, box.Top + 7}, {box.Left + 5, box.Top + 10}, {box.Right - 3, box.Top + 3}});
        }
    } else if (a.type == QLatin1String("RADIO")) {
        const TRect box{left + 2, bottom - 14, left + 14, bottom};
        canvas.Pen = TPen{clBtnShadow, 1, psSolid};
        canvas.Brush = TBrush{clWindow, bsSolid};
        canvas.Ellipse(box);
        if (checked) {
            canvas.Pen = TPen{clWindowText, 1, psSolid};
            canvas.Brush = TBrush{clWindowText, bsSolid};
            canvas.Ellipse(box.Inflate(-3, -3));
        }
    } else if (a.type == QLatin1String("BUTTON")) {
        const TRect box{left + 2, bottom - buttonHeight, left + width - 2, bottom};
        const bool pushed = over && P.mouseDown;
        canvas.Brush = TBrush{clBtnFace, bsSolid};
        canvas.Pen = TPen{clBtnShadow, 1, psSolid};
        canvas.Rectangle(box);
        // Raised (or pressed) edges.
        canvas.Pen = TPen{pushed ? clBtnShadow : clBtnHighlight, 1, psSolid};
        canvas.MoveTo(box.Left + 1, box.Bottom - 2);
        canvas.LineTo(box.Left + 1, box.Top + 1);
        canvas.LineTo(box.Right - 1, box.Top + 1);
        canvas.Pen = TPen{pushed ? clBtnHighlight : cl3DDkShadow, 1, psSolid};
        canvas.MoveTo(box.Left + 1, box.Bottom - 2);
        canvas.LineTo(box.Right - 2, box.Bottom - 2);
        canvas.LineTo(box.Right - 2, box.Top);
        TRect tr = box.Inflate(-2, -2);
        if (pushed)
            tr = tr.Offset(1, 1);
        canvas.Font.Color = clBtnText;
        canvas.DrawText(a.value, tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
}

void Renderer::control(Pass pass, const QString &tag, LineOut &out, const TRect &lineRect, const LineOut *measured,
                       bool &endLine, bool &keepTag)
{
    QString attrText = tag.mid(8);
    if (attrText.endsWith(QLatin1Char('>')))
        attrText.chop(1);
    const ControlTagAttributes a = ParseControlTag(attrText);
    bool ok = false;
    const int width = geomInt(a.width, &ok);
    if (a.width.isEmpty() || !ok || width <= 0)
        return;
    int buttonHeight = geomInt(a.height, &ok);
    if (a.height.isEmpty() || !ok)
        buttonHeight = 25;
    canvas.Font = st.font;
    const int gh = canvas.TextHeight(QStringLiteral("gh"));
    const bool small = a.type == QLatin1String("CHECK") || a.type == QLatin1String("RADIO");
    int ew = width;
    int eh = gh + 10;
    if (small) {
        ew = 16;
        eh = 16;
    } else if (a.type == QLatin1String("BUTTON") || a.type == QLatin1String("COMBO")) {
        eh = 25;
    }

    if (pass == Pass::Measure && ew < lineRect.Width() && out.lineWidth + ew > lineRect.Width()) {
        endLine = true;
        keepTag = true;
        return;
    }

    out.lineHeight = small ? 16 : 23;
    if (buttonHeight > 25)
        out.lineHeight = buttonHeight - 2;

    const int left = lineRect.Left + out.lineWidth;
    if (pass == Pass::Draw) {
        const int bottom = lineRect.Bottom - measured->subOff - measured->raise;
        drawControl(a, left, bottom, out.lineHeight, buttonHeight, ew, eh);
    }

    const int rel = P.hitX - lineRect.Left;
    const bool over = rel > out.lineWidth && rel < out.lineWidth + ew && lineRect.Top < P.hitY
                      && P.hitY < lineRect.Top + eh;
    if (pass != Pass::Measure && (over || (P.hitTestOnly && !R.controlId.isEmpty() && R.controlId == a.id))) {
        out.directHit = true;
        R.hitAnchor = QStringLiteral("ctrl");
        R.controlRect = TRect{left, lineRect.Top, left + ew, lineRect.Top + eh};
        R.controlValue = a.value;
        R.controlId = a.id;
        R.controlType = a.type;
    }

    out.lineWidth += ew;
    out.lineHeight = std::max(out.lineHeight, eh);
}

void Renderer::bodyBackground(const QString &tag, const QString &upper)
{
    bool found = false;
    const QString bgU = MarkupAttribute(upper, QStringLiteral("BACKGROUND"), &found);
    if (found && !bgU.isEmpty()) {
        THTMLPicture *pic = findPicture(bgU, MarkupAttribute(tag, QStringLiteral("BACKGROUND")));
        if (pic && !pic->Empty() && pic->Decoded() && pic->Width() > 0 && pic->Height() > 0) {
            canvas.SaveState();
            canvas.IntersectClipRect(bounds);
            for (int y = bounds.Top; y < bounds.Bottom; y += pic->Height())
                for (int x = bounds.Left; x < bounds.Right; x += pic->Width())
                    canvas.Draw(x, y, pic->Image());
            canvas.RestoreState();
        }
    }
    const QString color = MarkupAttribute(upper, QStringLiteral("BGCOLOR"), &found);
    if (found) {
        const TColor c = MarkupColorValue(color);
        const TPen pen = canvas.Pen;
        canvas.Pen = TPen{c, 1, psSolid};
        canvas.Brush = TBrush{c, bsSolid};
        canvas.FillRect(bounds);
        canvas.Pen = pen;
    }
}

} // namespace

bool DrawMarkupText(TCanvas &canvas, const QString &text, const TRect &bounds, const TMarkupDrawParams &params,
                    TMarkupDrawResult &result)
{
    Renderer r(canvas, bounds, params, result);
    return r.run(text);
}
