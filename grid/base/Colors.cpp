#include "grid/base/Colors.h"

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
