#pragma once
// Colour identifiers ("clWindow", "clNone", ...) and the text form of colours used in settings
// files: the identifier where the colour has one, else "$" and eight hexadecimal digits.
#include "platform/Colors.h"

#include <QString>

// The identifier of a named colour; false for any other value.
bool ColorToIdent(TColor Color, QString &Ident);
// The colour of an identifier, letter case ignored; false for an unknown name.
bool IdentToColor(const QString &Ident, TColor &Color);

QString ColorToString(TColor Color);
// An identifier, or a number: decimal, "$hex" or "0xhex", optionally signed, within 32 bits.
// False (Color unchanged) for any other text.
bool StringToColor(const QString &Text, TColor &Color);
