#pragma once
// Text routines used when cell texts travel: CSV fields and clipboard text, the grid's own text
// file, HTML and the clipboard's HTML payload, the OEM code page, the wide-text escape, small
// search and case routines, the text-kind test and automatic links. Positions are 1-based,
// 0 meaning not found.
#include "platform/Colors.h"
#include "grid/base/Canvas.h"

#include <QString>
#include <QStringList>

// Control characters of the encodings.
constexpr QChar kCR = QChar(13);
constexpr QChar kLF = QChar(10);
constexpr QChar kVT = QChar(11);
constexpr QChar kTab = QChar(9);
constexpr QChar kBS = QChar(8);

// ---- quoting and line breaks for CSV and clipboard text ------------------------------------------
QString DoubleQuoteChars(const QString &text);
QString UndoubleChar(QChar ch, const QString &text);
int FindUnescapedQuote(QChar quote, const QString &text);
int FindUnescapedQuote(QChar quote, const QString &text, int &position);
int CountUnescapedQuotes(QChar quote, const QString &text);
// The double quote character as the quote.
inline int FindUnescapedQuote(const QString &text) { return FindUnescapedQuote(QLatin1Char('"'), text); }
inline int CountUnescapedQuotes(const QString &text) { return CountUnescapedQuotes(QLatin1Char('"'), text); }
int CountCharOccurrences(QChar ch, const QString &text);
QString QuoteMultiLineText(const QString &text); // CR LF -> VT, then enclosed in double quotes
QString VTToCRLF(const QString &text);
QString CRLFToLF(const QString &text);
QString CRToTilde(const QString &text);
QString TildeToCRLF(const QString &text);
QString RemoveCRChars(const QString &text);
QString CRToLF(const QString &text);

// ---- the grid's text file and printed texts --------------------------------------------------------
QString EncodeLineBreaksForFile(const QString &text);
QString DecodeLineBreaksFromFile(const QString &text, bool multiLine);
// The text before the first CR; the source loses it together with the CR and a following LF,
// and keeps the rest only when keepRest is set.
QString ExtractFirstLine(QString &source, bool keepRest);
// The line form the exporters use: with multiLine off, or without a CR, the whole text is the
// line and s becomes empty; otherwise as above with the rest kept.
void ExtractFirstLine(QString &s, bool multiLine, QString &line);
int CountTextLines(const QString &text, bool multiLine);
QString EscapeLineBreaks(const QString &text);
QString UnescapeLineBreaks(const QString &text);
QString ConcatStrings(const QStringList &lines);

// ---- HTML and encodings ----------------------------------------------------------------------------
QString CRToHTMLBreak(const QString &text);
QString ColorToHTMLHex(TColor color);
QString BuildHtmlClipboardData(const QString &fragment);
QString TextToOem(const QString &text); // OEM bytes read back as ANSI text
QString OemToText(const QString &text);
QString EncodeWideText(const QString &wide);
QString DecodeWideText(const QString &text);
int WidePosOf(const QString &sub, const QString &text);
void FillWithChar(QString &text, QChar ch);

// ---- case, search and small routines ------------------------------------------------------------
QString ToMixedCase(const QString &text);
int PosInUpperCase(const QString &search, const QString &text);
int FindPos(const QString &search, const QString &text, int &position);
int CharPos(QChar ch, const QString &text);
int FindCharPos(QChar ch, const QString &text, int &position);
// Note the order: the source first, then the delimiter.
QString CutAtDelimiter(QString &source, const QString &delimiter);
bool PointInGridRect(const TGridRect &r, int col, int row);
bool ParseRCReference(const QString &text, TPoint &point); // x = column, y = row
bool ParseRCReference(const QString &text, int &col, int &row);

// ---- cell text kinds, links ----------------------------------------------------------------------
enum : int { tkPlain = 0, tkHTML = 1, tkRTF = 2, tkFormula = 3, tkWide = 5 };
int GetTextKind(const QString &text, bool detectHTML);
bool IsURL(const QString &text);
void StripURLProtocol(QString &text);
bool InsertURLAnchor(const QString &text, const QString &prefix, QString &result);
