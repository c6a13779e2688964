#pragma once
// The mini-HTML cell text language: colour values, whole-text preparation, the split of a
// text into runs and tags, tag recognition and attribute lookup. The renderer and the
// markup helpers both read texts through these routines.
#include "platform/Colors.h"

#include <QString>
#include <vector>

// Colour of a lower-case colour name ("clred", "clbtnface", ...); 0 (black) when unknown.
TColor ColorFromName(const QString &lowerName);
// Two hexadecimal digits to a byte; texts shorter than two characters give 0.
int HexByteValue(const QString &twoChars);
// "#RRGGBB" to red + green * 256 + blue * 65536.
TColor HexColorToColor(const QString &hex);
// A colour attribute value: "#RRGGBB" (any case) or a colour name (any case).
TColor MarkupColorValue(const QString &value);

// Whole-text preparation before layout: entities, "<#...>" and line breaks.
// Entities are replaced in one left-to-right pass, so "&amp;quot;" keeps its "&quot;".
QString PrepareMarkupText(const QString &text);
// Entities of a text run: "&nbsp;", "&lt;", "&gt;" in one pass; "&&" pairs are left alone.
QString DecodeRunEntities(const QString &run);

// One piece of a prepared text: a text run or a tag (from '<' to its '>' inclusive).
struct MarkupToken {
    bool isTag = false;
    QString text;
};

// Splits a prepared text into runs and tags as the layout consumes it: with word wrap a run
// ends after its first blank. A tag without '>' and a trailing "<" or "<x" end the text.
std::vector<MarkupToken> TokenizeMarkup(const QString &prepared, bool wordWrap);

enum class MarkupTagKind {
    Skip,
    Anchor, Bold, Break, Blink, Body, Control, Error, Font, Highlight, Rule, Italic, Indent,
    Image, ListItem, Paragraph, Rotate, Strike, Shadow, Subscript, Superscript, Underline,
    List, Hidden,
    EndAnchor, EndBold, EndColor, EndError, EndFont, EndHighlight, EndItalic, EndListItem,
    EndParagraph, EndRotate, EndSubSup, EndShadow, EndStrike, EndUnderline, EndList, EndHidden,
};

// Kind of a tag text "<...>" (recognised by its first letters, any case).
MarkupTagKind ClassifyMarkupTag(const QString &tag);
// True for the tags that end the current line (<BR>, <HR>, <UL...>, </LI...>, </P...>).
bool MarkupTagEndsLine(MarkupTagKind kind);

// Index of name in tag (any case) outside double-quoted values; -1 when absent. A value
// that happens to contain an attribute name cannot take that attribute's place.
int FindMarkupAttributeName(const QString &tag, const QString &name, int from = 0);
// Attribute value: the name is searched anywhere in the tag without regard to case (first
// occurrence); the value lies between the next two double quotes. *found tells whether a
// quoted value was there.
QString MarkupAttribute(const QString &tag, const QString &name, bool *found = nullptr);
// The first quoted value after the first occurrence of a letter (IND X, R A).
QString MarkupValueAfterLetter(const QString &tag, QChar letter, bool *found = nullptr);
// FONT SIZE value to points: 1..5 give 8, 10, 12, 14, 16; any other number that many.
int MarkupFontSize(int size);

