#pragma once
// Routines that work on mini-HTML texts without drawing them: plain text, search
// highlighting, HTML entities, the CONTROL elements of a cell and small primitives the
// renderer shares.
#include "grid/base/Markup.h"

#include <QString>

// ---- marked-up text ----
// <BR> and <HR> become CR LF, every "<...>" is removed; a '<' without '>' keeps the rest.
QString StripMarkup(const QString &text);
// The characters outside tags; stops at a '<' without '>' or a stray '>' and keeps the rest.
QString MarkupVisibleText(const QString &text);
// 1-based index of the first character met after n - 1 visible characters; 0 beyond the end.
int VisibleCharIndex(const QString &text, int n);
// Wraps occurrences of search in the visible text in <tag> ... </tag>.
QString HighlightMarkupText(const QString &text, const QString &search, const QString &tag,
                            bool caseSensitive);
// Removes every <tag> and </tag> (any case), then turns "&lt;" and "&gt;" back into '<' and '>'.
QString UnhighlightMarkupText(const QString &text, const QString &tag);
// Colours of <HI> text for the whole program (defaults: system colours 13 and 14).
void SetMarkupHighlightColors(TColor background, TColor text);
TColor MarkupHighlightColor();
TColor MarkupHighlightTextColor();

// ---- entities ----
// '&', '"', '<', '>' to entities in one pass (an entity already in the text is escaped as
// text); with full also the characters of the named-entity table.
QString EscapeHTMLText(const QString &text, bool full);
// The reverse, in one pass: "&amp;lt;" gives "&lt;", never '<'.
QString UnescapeHTMLText(const QString &text, bool full);
QString SpacesToNbsp(const QString &text);
// LF dropped; CR becomes "<BR>" with toBreak, else dropped.
QString LineBreaksToMarkup(const QString &text, bool toBreak);
// "<#...>" becomes "#...".
QString UnwrapHashTags(const QString &text);
// Replaces the first occurrence of find (any case); false when there was none.
bool ReplaceFirstNoCase(const QString &find, const QString &replacement, QString &text);

// ---- CONTROL elements ----
struct ControlTagAttributes {
    QString type;   // upper case
    QString id;
    QString maxLen;
    QString prop;   // entity-decoded
    QString height;
    QString width;
    QString value;  // entity-decoded
    bool hasProp = false;
    bool hasMaxLen = false;
    bool hasHeight = false;
};

ControlTagAttributes ParseControlTag(const QString &attributeText);
bool HasControlTag(const QString &text);
// ID of the first editable element (not BUTTON, CHECK or RADIO) after the one with id;
// with an empty id the first one; empty when there is none.
QString NextEditControlID(const QString &text, const QString &id);
QString ResetRadioControlTags(const QString &text);
bool GetControlTagValue(const QString &text, const QString &id, QString &value);
QString GetControlTagProp(const QString &text, const QString &id);
int GetControlTagMaxLen(const QString &text, const QString &id);
// Rewrites the element with that ID with a new VALUE; false (text unchanged) when absent.
bool SetControlTagValue(QString &text, const QString &id, const QString &value);

// ---- primitives ----
// 1-based position of sub in text without regard to case; 0 when absent.
int PosNoCase(const QString &sub, const QString &text);
// Leading blanks, a sign, then digits; stops at the first other character. 0 for none.
int TextToInt(const QString &text, bool *ok = nullptr);
QString MaskWithAsterisks(const QString &text);
// The path exists and is a folder.
bool IsDirectory(const QString &path);
// The system locale is one that writes right to left.
bool IsMiddleEastLocale();
// Text drawing flags for a bidirectional mode (0 left to right, 1 right to left, other: right-
// to-left reading only): only in a right-to-left locale, reading order is added and with mode 1
// left and right alignment swap.
unsigned BiDiDrawTextFlags(unsigned flags, int rightToLeft, bool middleEast = IsMiddleEastLocale());

