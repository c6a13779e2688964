#pragma once
// Shared pieces of the owner-drawn push button: its colour values, enumerations, the kind
// glyphs and the drop-down arrow, and the colour presets.
#include "platform/Colors.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QString>

// The program's colour values (0x00BBGGRR, system colours 0xFF0000nn, lbNoColor for none).
using TLbColor = TColor;

inline constexpr TLbColor lbNoColor = clNone;
inline constexpr TLbColor lbBtnFace = clBtnFace;
inline constexpr TLbColor lb3DDkShadow = cl3DDkShadow;
inline constexpr TLbColor lbWindowText = clWindowText;
inline constexpr TLbColor lbBlack = clBlack;
inline constexpr TLbColor lbWhite = clWhite;
inline constexpr TLbColor lbGray = clGray;
inline constexpr TLbColor lbSilver = clSilver;
inline constexpr TLbColor lbYellow = clYellow;
inline constexpr TLbColor lbSkyBlue = clSkyBlue;
// The look every window of the program gives its buttons.
inline constexpr TLbColor lbProgramFace = 15595512;   // RGB(248, 247, 237)
inline constexpr TLbColor lbProgramDown = 33023;      // orange

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP, lcsAqua,
    lcsDefault, lcsQuicken
};

// A colour value as a Qt colour; system colours come from the palette. Invalid for lbNoColor.
QColor lbToQColor(TLbColor c, const QPalette &pal);
// Weighted blend per channel, truncated: a x (1 - w) + b x w.
QColor lbBlend(const QColor &a, const QColor &b, double w);

struct TLbKindInfo {
    int modalResult;
    const char *resource; // the glyph's resource name
    QString caption;
};
TLbKindInfo lbKindInfo(TLbButtonKind kind);
// The glyph strip of a kind (two cells: normal, disabled), null for bkCustom.
QImage lbKindGlyph(TLbButtonKind kind);
// The 5 x 3 drop-down arrow.
QImage lbArrowGlyph();

struct TLbColorPreset {
    TLbColor color, light, shadow, whenDown, hotTrack;
    TLbButtonStyle style;
    bool flat;
    TLbColor fontColor;
};
// The values a preset sets (GetLbColorStyle); lcsCustom sets nothing.
TLbColorPreset GetLbColorStyle(TLbColorStyle preset);

// A copy in which every pixel of the bottom-left pixel's colour is transparent.
QImage lbTransparentByCorner(const QImage &img);
