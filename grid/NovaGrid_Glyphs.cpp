// Cell graphics and the check-box and radio glyphs of the seven control styles. The bitmap styles
// draw pictures made here once; the classic and flat styles draw a frame control out of lines.
#include "grid/NovaGrid.h"
#include "grid/base/Theme.h"
#include "grid/base/VedAzirDraw.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kKey = 0xFFFF00FF; // transparent colour of the glyph pictures (their bottom-left pixel)

void drawMark(QPainter &p, const QRectF &box, const QColor &c, qreal width)
{
    QPen pen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const qreal x = box.left(), y = box.top(), w = box.width(), h = box.height();
    QPainterPath path;
    path.moveTo(x + w * 0.22, y + h * 0.52);
    path.lineTo(x + w * 0.42, y + h * 0.72);
    path.lineTo(x + w * 0.78, y + h * 0.28);
    p.drawPath(path);
}

// The pictures behind "NSGCHK01" .. "NSGCHK08" and "NSGRAD01" .. "NSGRAD08": 01-04 the own look
// (checked, unchecked, checked disabled, unchecked disabled), 05-08 the XP look in the same order.
QImage makeGlyph(bool radio, int index)
{
    const bool xp = index >= 5;
    const int k = (index - 1) % 4; // 0 checked, 1 unchecked, 2 checked disabled, 3 unchecked disabled
    const bool checked = k == 0 || k == 2;
    const bool disabled = k >= 2;
    const int size = !radio && !xp ? 20 : 16;
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor frame = disabled ? QColor(0xB0, 0xB0, 0xA8) : xp ? QColor(0x1C, 0x51, 0x80) : QColor(0x2F, 0x5F, 0xB3);
    const QColor fillTop = disabled ? QColor(0xF0, 0xF0, 0xEC) : xp ? QColor(0xDC, 0xDC, 0xD7) : QColor(0xE8, 0xF0, 0xFF);
    const QColor fillBottom = disabled ? QColor(0xF0, 0xF0, 0xEC) : QColor(0xFF, 0xFF, 0xFF);
    const QColor mark = disabled ? QColor(0xB0, 0xB0, 0xA8) : xp ? QColor(0x21, 0xA1, 0x21) : QColor(0x1A, 0x3C, 0x80);
    const qreal inset = size == 20 ? 3.5 : 1.5;
    const QRectF box(inset, inset, size - 2 * inset - 1, size - 2 * inset - 1);
    QLinearGradient grad(box.topLeft(), box.bottomRight());
    grad.setColorAt(0, fillTop);
    grad.setColorAt(1, fillBottom);
    p.setPen(QPen(frame, 1));
    p.setBrush(grad);
    if (radio) {
        p.drawEllipse(box);
        if (checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawEllipse(box.center(), box.width() * 0.24, box.height() * 0.24);
        }
    } else {
        if (xp)
            p.drawRect(box);
        else
            p.drawRoundedRect(box, 2.5, 2.5);
        if (checked)
            drawMark(p, box, mark, size == 20 ? 2.4 : 2.0);
    }
    p.end();
    // Smoothed edges are laid on white; what stays mostly uncovered becomes the key colour.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb c = img.pixel(x, y);
            const int a = qAlpha(c);
            if (a < 96) {
                img.setPixel(x, y, kKey);
            } else {
                auto over = [a](int v) { return std::min(255, v * a / 255 + (255 - a)); };
                img.setPixel(x, y, qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c))));
            }
        }
    // The bottom-left pixel names the transparent colour.
    img.setPixel(0, size - 1, kKey);
    return img;
}

const QImage &glyphPicture(const QString &name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        const bool radio = name.startsWith(QLatin1String("NSGRAD"));
        it = cache.insert(name, makeGlyph(radio, name.right(2).toInt()));
    }
    return it.value();
}

// Draws a picture with the colour of its bottom-left pixel left out.
void drawTransparent(TCanvas &canvas, const QImage &picture, int x, int y)
{
    if (picture.isNull())
        return;
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1);
    for (int row = 0; row < img.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(row));
        for (int col = 0; col < img.width(); ++col)
            if (line[col] == key)
                line[col] = 0;
    }
    canvas.Draw(x, y, img);
}

// The platform's button frame control: a check box or radio button in a size x size square.
void frameControl(TCanvas &c, const TRect &r, bool radio, bool checked, bool grayed, bool flat, bool enabled)
{
    const TPen pen = c.Pen;
    const TBrush brush = c.Brush;
    c.Brush.Style = bsSolid;
    c.Brush.Color = enabled && !grayed ? clWindow : clBtnFace;
    const TColor markColor = !enabled ? clGrayText : grayed ? clBtnShadow : clWindowText;
    if (radio) {
        c.Pen.Color = flat ? clBtnShadow : cl3DDkShadow;
        c.Pen.Width = 1;
        c.Ellipse(r);
        if (checked) {
            const int w = r.Right - r.Left, h = r.Bottom - r.Top;
            const int d = std::max(2, std::min(w, h) / 3);
            const int cx = r.Left + w / 2, cy = r.Top + h / 2;
            c.Brush.Color = markColor;
            c.Pen.Color = markColor;
            c.Ellipse({cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d});
        }
    } else {
        c.FillRect(r);
        if (flat) {
            c.Brush.Color = clBtnShadow;
            c.FrameRect(r);
        } else {
            c.Pen.Width = 1;
            c.Pen.Color = clBtnShadow;
            c.Line(r.Left, r.Bottom - 1, r.Left, r.Top);
            c.Line(r.Left, r.Top, r.Right, r.Top);
            c.Pen.Color = cl3DDkShadow;
            c.Line(r.Left + 1, r.Bottom - 2, r.Left + 1, r.Top + 1);
            c.Line(r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 1);
            c.Pen.Color = clBtnHighlight;
            c.Line(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
            c.Line(r.Right - 1, r.Bottom - 1, r.Right - 1, r.Top - 1);
            c.Pen.Color = cl3DLight;
            c.Line(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 2);
            c.Line(r.Right - 2, r.Bottom - 2, r.Right - 2, r.Top);
        }
        if (checked || grayed) {
            // A three-pixel-thick tick in the middle of the box.
            c.Pen.Color = markColor;
            const int w = r.Right - r.Left, h = r.Bottom - r.Top;
            const int x = r.Left + (w - 7) / 2, y = r.Top + (h - 7) / 2 + 1;
            for (int i = 0; i < 3; ++i) {
                c.Line(x, y + 2 + i, x + 2, y + 4 + i);
                c.Line(x + 2, y + 4 + i, x + 7, y - 1 + i);
            }
        }
    }
    c.Pen = pen;
    c.Brush = brush;
}

// The desktop's themed check box or radio button, drawn by the platform style.
bool themedControl(TCanvas &c, const TRect &r, bool radio, TCheckBoxState state, bool enabled)
{
    QPainter *p = c.Painter();
    if (!p)
        return false;
    QStyleOptionButton opt;
    opt.rect = r.ToQRect();
    opt.state = state == TNovaCheckBox::cbChecked ? QStyle::State_On : state == TNovaCheckBox::cbGrayed ? QStyle::State_NoChange : QStyle::State_Off;
    if (enabled)
        opt.state |= QStyle::State_Enabled;
    QApplication::style()->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &opt, p);
    return true;
}

// A button, bit button or expand button in a cell: its offset in the cell goes into CellValue
// for hit testing; a pushed button's content moves by (1, 1).
void drawButtonObject(TNovaStringGrid &grid, TCanvas &K, TCellGraphic &G, const TRect &Cell, const TRect &placed,
                      int RCol, int ARow)
{
    const TCellType kind = G.CellType();
    const TRect b = kind == ctExpand ? TRect{Cell.Right - 13, Cell.Top, Cell.Right, Cell.Top + 13} : placed;
    G.SetCellValue(double((std::uint32_t(b.Top - Cell.Top) << 16) | std::uint32_t(b.Left - Cell.Left)));
    const TControlLook &look = *grid.ControlLook();
    int style = look.FlatButton() ? 2 : grid.ThemedControls() ? 0 : 1;
    if (grid.TonedButtons())
        style = 3;
    bool canEdit = true;
    grid.CheckCanEditCell(RCol, ARow, canEdit);
    int state = 0;
    if (G.CellBoolean())
        state = 2;
    else if (grid.HoverButtonCell() == TPoint{RCol, ARow})
        state = 1;
    if (kind != ctExpand && !canEdit && !look.NoDisabledButtonLook())
        state = 3;
    const TButtonTones tones = grid.ButtonTones();
    DrawCellButton(K, &grid, b, style, state, tones);
    const int push = state == 2 ? 1 : 0;
    if (kind == ctExpand) {
        const TPen pen = K.Pen;
        K.Pen.Color = clBlack;
        K.Pen.Width = 1;
        const int R = b.Right + push, T = b.Top + push;
        if (G.CellVar().toBool())
            K.Polyline({{R - 10, T + 8}, {R - 7, T + 5}, {R - 3, T + 9}});
        else
            K.Polyline({{R - 10, T + 5}, {R - 7, T + 8}, {R - 3, T + 4}});
        K.Pen = pen;
        return;
    }
    TRect text = b.Offset(push, push);
    if (kind == ctBitButton) {
        if (const QImage *glyph = G.CellBitmap().As<QImage>(); glyph && !glyph->isNull()) {
            const int gh = glyph->height(), gw = glyph->width();
            const int gy = gh <= b.Height() ? b.Top + (b.Height() - gh) / 2 : b.Top + 3;
            const int gx = G.CellText().isEmpty() ? b.Left + (b.Width() - gw) / 2 : b.Left + 3;
            drawTransparent(K, *glyph, gx + push, gy + push);
            if (!G.CellText().isEmpty())
                text.Left = b.Left + 3 + gw + 4 + push;
        }
    }
    if (G.CellText().isEmpty())
        return;
    const TBrush brush = K.Brush;
    const TColor fc = K.Font.Color;
    K.Brush.Style = bsClear;
    if (style == 3) {
        // The tone of the state: background, hover, selected (pushed) or disabled.
        const TColorTones &t = grid.ColorTones();
        const TColorTone &tone = state == 1 ? t.Hover : state == 2 ? t.Selected : state == 3 ? t.Disabled : t.Background;
        K.Font.Color = tone.TextColor != clNone ? tone.TextColor : (state == 3 ? clGrayText : clBtnText);
    } else {
        K.Font.Color = state == 3 ? clGrayText : clBtnText;
    }
    text.Left += 1;
    const bool lines = G.CellText().contains(QLatin1Char('\r'));
    K.DrawText(G.CellText(), text,
               DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (lines ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOPREFIX);
    K.Font.Color = fc;
    K.Brush = brush;
}

} // namespace

bool TNovaStringGrid::ThemedControls() { return IsThemeActive() && FIsComCtl6; }

void TNovaStringGrid::DrawCheckBoxGlyph(TCanvas &Canvas, const TRect &R, bool Checked, TCheckBoxState TriState,
                                        bool IsTriState, TControlStyle Style, bool Grayed, bool Enabled)
{
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive())
        Enabled = true;
    if (Style == csTheme && !ThemedControls())
        Style = csClassic;
    if (IsTriState) {
        Checked = TriState == TNovaCheckBox::cbChecked;
        Grayed = TriState == TNovaCheckBox::cbGrayed;
    }
    const int size = FControlLook->CheckSize();
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    // Right to left the glyph sits at the mirrored place of the rectangle.
    auto at = [&](int w) { return rtl ? R.Right - w : R.Left; };
    switch (Style) {
    case csWinXP:
    case csNova: {
        const int base = Style == csWinXP ? 5 : 1;
        const int n = base + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
        const QImage &img = glyphPicture(QStringLiteral("NSGCHK%1").arg(n, 2, 10, QLatin1Char('0')));
        drawTransparent(Canvas, img, at(img.width()), R.Top);
        break;
    }
    case csGlyph: {
        const QImage &img = Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
        if (!img.isNull())
            drawTransparent(Canvas, img, at(img.width()), R.Top);
        break;
    }
    case csBorland: {
        const TPen pen = Canvas.Pen;
        const TBrush brush = Canvas.Brush;
        const int l = at(size), t = R.Top;
        const TRect b{l, t, l + size, t + size};
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = Enabled ? clBtnFace : clBtnShadow;
        Canvas.Pen.Color = clBtnFace;
        Canvas.Pen.Width = 1;
        Canvas.Rectangle(b);
        Canvas.Pen.Color = clBtnHighlight;
        Canvas.Line(b.Left, b.Bottom - 1, b.Left, b.Top);
        Canvas.Line(b.Left, b.Top, b.Right - 1, b.Top);
        Canvas.Pen.Color = clBtnShadow;
        Canvas.Line(b.Right - 1, b.Top, b.Right - 1, b.Bottom - 1);
        Canvas.Line(b.Right - 1, b.Bottom - 1, b.Left, b.Bottom - 1);
        if (Checked) {
            Canvas.Pen.Color = Enabled ? FControlLook->Color() : clGray;
            Canvas.Line(b.Left + 2, b.Top - 1 + size / 2, b.Left + 2, b.Bottom - 2);
            Canvas.Line(b.Left + 3, b.Top - 1 + size / 2, b.Left + 3, b.Bottom - 3);
            Canvas.Line(b.Left + 2, b.Bottom - 2, b.Right - 2, b.Top + 2);
            Canvas.Line(b.Left + 3, b.Bottom - 2, b.Right - 1, b.Top + 2);
        }
        Canvas.Pen = pen;
        Canvas.Brush = brush;
        break;
    }
    case csTheme: {
        const TRect b{at(size), R.Top, at(size) + size, R.Top + size};
        const TCheckBoxState s = Grayed ? TNovaCheckBox::cbGrayed : Checked ? TNovaCheckBox::cbChecked : TNovaCheckBox::cbUnchecked;
        if (!themedControl(Canvas, b, false, s, Enabled))
            frameControl(Canvas, b, false, Checked, Grayed, false, Enabled);
        break;
    }
    case csClassic:
    case csFlat:
    default: {
        const int w = R.Right - R.Left, h = R.Bottom - R.Top;
        const int l = rtl ? R.Right - size - std::max(0, (w - size) / 2) : R.Left + std::max(0, (w - size) / 2);
        const int t = R.Top + std::max(0, (h - size) / 2);
        frameControl(Canvas, {l, t, l + size, t + size}, false, Checked, Grayed, Style == csFlat, Enabled);
        break;
    }
    }
}

void TNovaStringGrid::DrawRadioGroup(TCanvas &Canvas, const TRect &R, bool Upward, double Scale, TControlStyle Style,
                                     int ARow, int ACol, bool Selected, const QStringList &Items, bool Disabled,
                                     bool SideBySide, int CheckedIndex, int Count)
{
    Q_UNUSED(ARow);
    Q_UNUSED(ACol);
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive())
        Disabled = false;
    if (Style == csTheme && !ThemedControls())
        Style = csClassic;
    const TFont font = Canvas.Font;
    if (Selected && ShowSelection())
        Canvas.Font.Color = SelectionTextColor();
    const TBrush brush = Canvas.Brush;
    Canvas.Brush.Style = bsClear;
    const bool classic = Style == csClassic || Style == csFlat;
    const int gh = Canvas.TextExtent(QStringLiteral("gh")).Y;
    const int lineHeight = classic ? gh : std::max(16, gh);
    const int radio = static_cast<int>(std::lround(FControlLook->RadioSize() * Scale));
    const int glyph = classic ? (Style == csFlat ? radio + 2 : radio) : 16;
    int x = R.Left + 2;
    for (int i = 1; i <= Count; ++i) {
        const QString caption = i - 1 < Items.size() ? Items.at(i - 1) : QString();
        const bool checked = CheckedIndex == -1 ? caption == Cells(ACol, ARow) : i == CheckedIndex + 1;
        int gx = R.Left + 2, gy = R.Top + 2;
        if (SideBySide) {
            gx = x;
            gy = R.Top + (R.Bottom - R.Top - glyph) / 2;
        } else {
            gy = Upward ? R.Bottom - 2 - i * lineHeight : R.Top + 2 + (i - 1) * lineHeight;
            if (caption.isEmpty())
                gx = R.Left + (R.Right - R.Left - glyph) / 2;
        }
        int captionX = 0, captionY = gy;
        switch (Style) {
        case csClassic:
        case csFlat: {
            frameControl(Canvas, {gx, gy, gx + glyph, gy + glyph}, true, checked, false, Style == csFlat, !Disabled);
            captionX = gx + static_cast<int>(std::lround((SideBySide ? FControlLook->RadioSize()
                                                                     : FControlLook->RadioSize() + 4) * Scale));
            captionY = gy - 2;
            break;
        }
        case csBorland: {
            const TPen pen = Canvas.Pen;
            const TBrush b = Canvas.Brush;
            const int l = gx, t = gy;
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = clBtnFace;
            Canvas.Pen.Color = clBtnFace;
            Canvas.Polygon({{l + 2, t + 8}, {l + 8, t + 2}, {l + 14, t + 8}, {l + 8, t + 14}});
            Canvas.Pen.Color = checked ? clGray : clWhite;
            Canvas.Polyline({{l + 8, t + 14}, {l + 2, t + 8}, {l + 8, t + 2}});
            Canvas.Pen.Color = checked ? clWhite : clGray;
            Canvas.Polyline({{l + 8, t + 2}, {l + 14, t + 8}, {l + 8, t + 14}});
            if (checked) {
                Canvas.Brush.Color = FControlLook->Color();
                Canvas.Pen.Color = FControlLook->Color();
                Canvas.Polygon({{l + 6, t + 8}, {l + 8, t + 6}, {l + 10, t + 8}, {l + 8, t + 10}});
            }
            Canvas.Pen = pen;
            Canvas.Brush = b;
            captionX = SideBySide ? l + 16 : l + 20;
            break;
        }
        case csTheme: {
            const TCheckBoxState s = checked ? TNovaCheckBox::cbChecked : TNovaCheckBox::cbUnchecked;
            if (!themedControl(Canvas, {gx, gy, gx + 16, gy + 16}, true, s, !Disabled))
                frameControl(Canvas, {gx, gy, gx + 16, gy + 16}, true, checked, false, false, !Disabled);
            captionX = SideBySide ? gx + 16 : gx + 18;
            captionY = SideBySide ? gy + 1 : gy;
            break;
        }
        default: {
            QImage img;
            if (Style == csGlyph) {
                img = checked ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph();
            } else {
                const int base = Style == csWinXP ? 5 : 1;
                img = glyphPicture(QStringLiteral("NSGRAD%1").arg(base + (checked ? 0 : 1) + (Disabled ? 2 : 0), 2, 10,
                                                                  QLatin1Char('0')));
            }
            drawTransparent(Canvas, img, gx, gy);
            captionX = SideBySide ? gx + 16 : gx + 18;
            captionY = SideBySide ? gy + 1 : gy;
            break;
        }
        }
        if (!caption.isEmpty())
            Canvas.TextOut(captionX, captionY, caption);
        // Side by side the next option starts after this one's glyph and caption.
        x = captionX + (caption.isEmpty() ? glyph : Canvas.TextExtent(caption).X) + 4;
    }
    Canvas.Brush = brush;
    Canvas.Font = font;
}

void TNovaStringGrid::DrawGraphicInCell(TCanvas &K, TCellGraphic &G, const TRect &Cell, int RCol, int ARow,
                                        TAlignment HA, TVAlignment VA, int TextWidth, int W, int H, bool Selected)
{
    const TCellType kind = G.CellType();
    TRect r = Cell;
    if (kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress)
        r = r.Inflate(1 - XYOffset.x(), 1 - XYOffset.y());
    const int T = TextWidth > 0 ? TextWidth + 2 : 0;
    const int width = r.Right - r.Left, height = r.Bottom - r.Top;
    int x = r.Left + 1;
    switch (G.CellHAlign()) {
    case haLeft: x = r.Left + 1; break;
    case haRight: x = r.Right - 1 - W; break;
    case haCenter: x = W <= width ? r.Left + (width - W) / 2 : r.Left + 1; break;
    case haBeforeText:
        x = HA == taRightJustify ? r.Right - T - W : HA == taCenter ? r.Left + (width - T - W) / 2 : r.Left + 1;
        x = std::max(x, r.Left + 1);
        break;
    case haAfterText:
        x = HA == taRightJustify ? r.Right - 1 - W : HA == taCenter ? r.Left + T + (width - T - W) / 2 : r.Left + T;
        break;
    case haFull: x = r.Left; W = width; break;
    }
    TCellVAlign va = G.CellVAlign();
    const bool checkLike = isCheckBoxKind(kind) || kind == ctRadioButton;
    if (checkLike && VA != VAlignment())
        va = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
    int y = r.Top + 1;
    switch (va) {
    case vaTop:
    case vaAboveText: y = r.Top + 1; break;
    case vaBottom: y = r.Bottom - 1 - H; break;
    case vaCenter: y = H <= height ? r.Top + (height - H) / 2 : r.Top + 1; break;
    case vaUnderText: y = r.Bottom - H; break;
    case vaFull: y = r.Top; H = height; break;
    }
    if (checkLike) {
        const bool dataKind = kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRowCheckBox;
        if (HA == taRightJustify)
            x = r.Right - (dataKind ? 0 : T) - W - 1;
        else if (HA == taCenter)
            x = T > 0 ? r.Left + std::max(0, width - T - W) / 2 : r.Left + std::max(0, r.Right - W - r.Left) / 2;
        else
            x = r.Left + 1;
        x = std::max(x, r.Left + 1);
    }
    bool canEdit = true;
    CheckCanEditCell(RCol, ARow, canEdit);
    const TControlStyle style = FControlLook->ControlStyle();
    // Right to left a picture takes the mirrored place in its cell; the image itself stays as
    // it is (a mirror image of a picture would read wrongly).
    if (UseRightToLeftAlignment() && (kind == ctBitmap || kind == ctIcon || kind == ctPicture || kind == ctFilePicture))
        x = r.Left + r.Right - x - W;
    const TRect placed{x, y, x + W, y + H};
    switch (kind) {
    case ctBitmap:
        if (const QImage *b = G.CellBitmap().As<QImage>()) {
            if (G.CellTransparent())
                drawTransparent(K, *b, x, y);
            else
                K.Draw(x, y, *b);
        }
        break;
    case ctIcon:
        if (const QIcon *icon = G.CellIcon().As<QIcon>())
            K.Draw(x, y, icon->pixmap(QSize(W, H)).toImage());
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        DrawCheckBoxGlyph(K, placed, G.CellBoolean(), TNovaCheckBox::cbUnchecked, false, style, G.CellAngle() > 0, canEdit);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString yes = CheckTrue();
        GetCheckTrue(RCol, ARow, yes);
        DrawCheckBoxGlyph(K, placed, Cells(RCol, ARow) == yes, TNovaCheckBox::cbUnchecked, false, style, false, canEdit);
        break;
    }
    case ctTriStateCheckBox:
        DrawCheckBoxGlyph(K, placed, false, G.CellCheckBoxState(), true, style, false, canEdit);
        break;
    case ctRadioButton: {
        const int rs = FControlLook->RadioSize();
        const int l = r.Left + XYOffset.x();
        const bool enabled = canEdit || FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive();
        const bool on = G.CellBoolean();
        const TControlStyle s = style == csTheme && !ThemedControls() ? csClassic : style;
        const TRect box{l, y, l + rs, y + rs};
        if (s == csClassic || s == csFlat) {
            frameControl(K, box, true, on, false, s == csFlat, enabled);
        } else if (s == csTheme) {
            if (!themedControl(K, box, true, on ? TNovaCheckBox::cbChecked : TNovaCheckBox::cbUnchecked, enabled))
                frameControl(K, box, true, on, false, false, enabled);
        } else if (s == csBorland) {
            // The diamond of the group, shrunk to the glyph's square.
            const QStringList none;
            DrawRadioGroup(K, {l - 2, y - 2, l + 14, y + 14}, false, 1.0, s, ARow, RCol, false, none, !enabled, false,
                           on ? 0 : 1, 1);
        } else {
            const QImage img = s == csGlyph ? (on ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph())
                                            : glyphPicture(QStringLiteral("NSGRAD%1").arg((s == csWinXP ? 5 : 1)
                                                                                             + (on ? 0 : 1)
                                                                                             + (enabled ? 0 : 2),
                                                                                         2, 10, QLatin1Char('0')));
            if (!img.isNull())
                drawTransparent(K, img.scaled(rs + 2, rs + 2, Qt::IgnoreAspectRatio, Qt::FastTransformation), l - 1,
                                y - 1);
        }
        break;
    }
    case ctRadio: {
        const QStringList *items = G.CellBitmap().As<QStringList>();
        if (items)
            DrawRadioGroup(K, r, false, 1.0, style, ARow, RCol, Selected, *items, !canEdit, G.CellBoolean(),
                           G.CellIndex(), static_cast<int>(items->size()));
        break;
    }
    case ctNode:
        drawNodeGlyph(K, G, Cell, ARow, Selected);
        break;
    case ctComment: {
        if (FControlLook->CommentColor() == clNone)
            break;
        const TBrush b = K.Brush;
        const TPen p = K.Pen;
        K.Brush.Style = bsSolid;
        K.Brush.Color = static_cast<TColor>(G.CellIndex());
        K.Pen.Color = K.Brush.Color;
        K.Polygon({{Cell.Right - 7, Cell.Top}, {Cell.Right - 2, Cell.Top}, {Cell.Right - 2, Cell.Top + 5}});
        K.Pen = p;
        K.Brush = b;
        K.Brush.Color = Color();
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand:
        drawButtonObject(*this, K, G, Cell, placed, RCol, ARow);
        break;
    default:
        DrawCellObject(K, G, Cell, r, placed, RCol, ARow, HA, VA, Selected);
        break;
    }
}
