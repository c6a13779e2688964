#include "platform/Colors.h"

namespace {
// Classic desktop colours; fixed so that drawing does not depend on the host desktop.
constexpr TColor kSystemColors[31] = {
    RGBColor(200, 200, 200), RGBColor(0, 0, 0),       RGBColor(153, 180, 209), RGBColor(191, 205, 219),
    RGBColor(240, 240, 240), RGBColor(255, 255, 255), RGBColor(100, 100, 100), RGBColor(0, 0, 0),
    RGBColor(0, 0, 0),       RGBColor(0, 0, 0),       RGBColor(180, 180, 180), RGBColor(244, 247, 252),
    RGBColor(171, 171, 171), RGBColor(51, 153, 255),  RGBColor(255, 255, 255), RGBColor(240, 240, 240),
    RGBColor(160, 160, 160), RGBColor(109, 109, 109), RGBColor(0, 0, 0),       RGBColor(67, 78, 84),
    RGBColor(255, 255, 255), RGBColor(105, 105, 105), RGBColor(227, 227, 227), RGBColor(0, 0, 0),
    RGBColor(255, 255, 225), RGBColor(181, 181, 181), RGBColor(0, 102, 204),   RGBColor(185, 209, 234),
    RGBColor(215, 228, 242), RGBColor(51, 153, 255),  RGBColor(240, 240, 240)};
} // namespace

TColor ColorToRGB(TColor c)
{
    if (IsSystemColor(c)) {
        const unsigned idx = c & 0xFF;
        return idx < 31 ? kSystemColors[idx] : clBlack;
    }
    if (c == clNone || c == clDefault)
        return clBlack;
    return c & 0x00FFFFFF;
}

QColor ToQColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor &c)
{
    return RGBColor(c.red(), c.green(), c.blue());
}

QColor ToQColor(TColor c, const QPalette &pal)
{
    if (c == clNone || c == clDefault) return {};
    if (!IsSystemColor(c)) return ToQColor(c);
    switch (c & 0xFF) {
    case 0: return QColor(200, 200, 200);               // scroll bar
    case 1: return pal.color(QPalette::Window);         // background
    case 4: return pal.color(QPalette::Window);         // menu
    case 5: return pal.color(QPalette::Base);           // window
    case 6: return pal.color(QPalette::Shadow);         // window frame
    case 7: return pal.color(QPalette::WindowText);     // menu text
    case 8: return pal.color(QPalette::Text);           // window text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);        // button face
    case 16: return pal.color(QPalette::Dark);          // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);         // button highlight
    case 21: return pal.color(QPalette::Shadow);        // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight);      // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}
