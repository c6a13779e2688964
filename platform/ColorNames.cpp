#include "platform/ColorNames.h"

#include <cstdint>


namespace {

struct ColorIdent {
    TColor value;
    const char *name;
};

// Standard colours first, so that a value two names share is written with the common one.
constexpr ColorIdent kIdents[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"}, {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"}, {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"}};

} // namespace

bool ColorToIdent(TColor Color, QString &Ident)
{
    for (const ColorIdent &c : kIdents)
        if (c.value == Color) {
            Ident = QString::fromLatin1(c.name);
            return true;
        }
    return false;
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
    for (const ColorIdent &c : kIdents)
        if (Ident.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            Color = c.value;
            return true;
        }
    return false;
}

QString ColorToString(TColor Color)
{
    QString ident;
    if (ColorToIdent(Color, ident))
        return ident;
    return QStringLiteral("$%1").arg(Color, 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString &Text, TColor &Color)
{
    const QString t = Text.trimmed();
    if (IdentToColor(t, Color))
        return true;
    QStringView digits(t);
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.front() == QLatin1Char('-');
        digits = digits.mid(1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits = digits.mid(1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits = digits.mid(2);
    }
    // Signs and prefixes belong before the digits only.
    if (digits.isEmpty() || !(digits.front().isDigit() || (base == 16 && digits.front().isLetter())))
        return false;
    bool ok = false;
    const qulonglong v = digits.toULongLong(&ok, base);
    // Hexadecimal numbers fill all 32 bits; decimal ones are signed 32-bit numbers.
    const qulonglong limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!ok || v > limit)
        return false;
    Color = TColor(negative ? std::uint32_t(0u - std::uint32_t(v)) : std::uint32_t(v));
    return true;
}
