#include "shell/controls/LbButtons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

QColor lbToQColor(TLbColor c, const QPalette &pal) { return ToQColor(c, pal); }

QColor lbBlend(const QColor &a, const QColor &b, double w)
{
    auto mix = [w](int x, int y) { return int(x * (1.0 - w) + y * w); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

TLbKindInfo lbKindInfo(TLbButtonKind kind)
{
    switch (kind) {
    case bkOK: return {1, "LBOK", QStringLiteral("OK")};
    case bkCancel: return {2, "LBCANCEL", QStringLiteral("Abbrechen")};
    case bkHelp: return {0, "LBHELP", QStringLiteral("Hilfe")};
    case bkYes: return {6, "LBYES", QStringLiteral("Ja")};
    case bkNo: return {7, "LBNO", QStringLiteral("Nein")};
    case bkClose: return {0, "LBCLOSE", QString::fromUtf16(u"Schlie\u00DFen")};
    case bkAbort: return {3, "LBABORT", QStringLiteral("Abbrechen")};
    case bkRetry: return {4, "LBRETRY", QStringLiteral("Wiederholen")};
    case bkIgnore: return {5, "LBIGNORE", QStringLiteral("Ignorieren")};
    case bkAll: return {12, "LBALL", QStringLiteral("Alle")};
    case bkCustom: break;
    }
    return {0, "", QString()};
}

namespace {

const QColor kKey(255, 0, 255); // transparent colour of the glyph strips

void drawSymbol(QPainter &p, TLbButtonKind kind, const QColor &c)
{
    QPen pen(c, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case bkOK:
    case bkYes:
        p.drawPolyline(QPolygon({QPoint(4, 9), QPoint(7, 12), QPoint(13, 4)}));
        break;
    case bkAll:
        p.drawPolyline(QPolygon({QPoint(2, 9), QPoint(5, 12), QPoint(10, 4)}));
        p.drawPolyline(QPolygon({QPoint(7, 9), QPoint(10, 12), QPoint(15, 4)}));
        break;
    case bkCancel:
        p.drawLine(4, 4, 13, 13);
        p.drawLine(13, 4, 4, 13);
        break;
    case bkAbort:
        p.setPen(QPen(c, 1));
        p.drawEllipse(2, 2, 13, 13);
        p.setPen(pen);
        p.drawLine(6, 6, 11, 11);
        p.drawLine(11, 6, 6, 11);
        break;
    case bkNo:
        p.drawEllipse(3, 3, 11, 11);
        p.drawLine(5, 12, 12, 5);
        break;
    case bkHelp:
    case bkIgnore: {
        QFont f(QStringLiteral("Verdana"));
        f.setPixelSize(14);
        f.setBold(true);
        f.setStyleStrategy(QFont::NoAntialias); // no blend with the transparent colour
        p.setFont(f);
        p.drawText(QRect(1, 0, 16, 17), Qt::AlignCenter, kind == bkHelp ? QStringLiteral("?") : QStringLiteral("!"));
        break;
    }
    case bkClose:
        p.setPen(QPen(c, 1));
        p.drawRect(5, 2, 8, 13);
        p.setBrush(c);
        p.drawRect(10, 8, 1, 1);
        break;
    case bkRetry:
        p.drawArc(QRect(3, 3, 11, 11), 30 * 16, 280 * 16);
        p.setBrush(c);
        p.setPen(QPen(c, 1));
        p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(15, 4), QPoint(10, 7)}));
        break;
    case bkCustom:
        break;
    }
}

} // namespace

QImage lbKindGlyph(TLbButtonKind kind)
{
    if (kind == bkCustom) return {};
    static QHash<int, QImage> cache;
    auto it = cache.find(kind);
    if (it != cache.end()) return *it;
    const int h = kind == bkAll ? 19 : 18;
    QImage img(36, h, QImage::Format_RGB32);
    img.fill(kKey);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        drawSymbol(p, kind, kind == bkOK || kind == bkYes || kind == bkAll ? QColor(0, 128, 0)
                            : kind == bkHelp || kind == bkClose         ? QColor(0, 0, 160)
                            : kind == bkRetry || kind == bkIgnore       ? QColor(0, 112, 112)
                                                                        : QColor(192, 0, 0));
        p.translate(18, 0);
        drawSymbol(p, kind, QColor(128, 128, 128));
    }
    // The corner pixel of each cell names its transparent colour.
    img.setPixelColor(0, h - 1, kKey);
    img.setPixelColor(18, h - 1, kKey);
    cache.insert(kind, img);
    return img;
}

QImage lbArrowGlyph()
{
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(kKey);
    for (int y = 0; y < 3; ++y)
        for (int x = y; x < 5 - y; ++x) img.setPixelColor(x, y, Qt::black);
    // The corner pixel (0, 2) stays the key colour, so only the triangle is drawn.
    return img;
}

TLbColorPreset GetLbColorStyle(TLbColorStyle preset)
{
    switch (preset) {
    case lcsGold: return {0x0000C0C0, 0x0000FFFF, 0x00008080, lbNoColor, 0x0000DFDF, bsModern, false, lbBlack};
    case lcsChrome: return {0x00C0C0C0, 0x00FFFFFF, 0x00808080, lbNoColor, lbNoColor, bsModern, false, lbBlack};
    case lcsBlue: return {0x00FF8000, 0x00FFFF00, 0x00FF0000, lbNoColor, lbNoColor, bsModern, false, lbBlack};
    case lcsRed: return {0x000000FF, 0x00C0C0FF, 0x000000C0, lbNoColor, lbNoColor, bsModern, false, lbBlack};
    case lcsUltraFlat1: return {lbBtnFace, 0x00B59284, 0x00B59284, 0x00B59284, 0x00DED3D6, bsNormal, true, lbBlack};
    case lcsUltraFlat2: return {lbBtnFace, 0x00000000, 0x00000000, 0x0024DABC, 0x008CF6E4, bsNormal, true, lbBlack};
    case lcsUltraFlatXP: return {0x00D1D8DB, 0x00B59284, 0x00B59285, 0x00B59285, 0x00D2BDB6, bsNormal, true, lbBlack};
    case lcsAqua: return {0x00ECCE94, 0x00FCE6D4, 0x00000000, lbNoColor, lbNoColor, bsModern, false, lbBlack};
    case lcsDefault: return {lbBtnFace, 0x00FFFFFF, 0x00808080, lbNoColor, lbNoColor, bsNormal, false, lbBlack};
    case lcsQuicken: return {0x00603000, 0x00C0C0C0, 0x00C0C0C0, 0x00AD6529, 0x00CEAE9C, bsQuicken, false, lbWhite};
    case lcsCustom: break;
    }
    return {lbBtnFace, lbWhite, lbGray, lbNoColor, lbNoColor, bsNormal, false, lbBlack};
}

QImage lbTransparentByCorner(const QImage &img)
{
    if (img.isNull()) return img;
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
    return out;
}
