#pragma once
// The rich-text format as cells hold it: a reader into a text document and a writer back, for
// what cells use (font and colour tables, character formats, paragraphs, "\'hh" and "\uN"
// escapes, sub- and superscript). Anything else in a file is skipped, never refused.
#include <QByteArray>
#include <QString>

class QTextDocument;

// True when the bytes start like a rich-text document ("{\rtf", blanks before it allowed).
bool LooksLikeRtf(const QByteArray &rtf);
// Replaces the document's content with the rich text. Bytes that are not rich text are taken
// as plain text (false); a document cut short keeps what was read.
bool RtfToDocument(const QByteArray &rtf, QTextDocument &doc);
// The document as rich text: 7-bit bytes only, so that it survives a cell's one-byte form.
QByteArray DocumentToRtf(const QTextDocument &doc);
// The text of a rich-text document without its formats (paragraphs end in LF).
QString RtfToPlainText(const QByteArray &rtf);

// A cell's text holds a rich-text document one byte per character (the low byte).
QByteArray CellTextToRtfBytes(const QString &cellText);
QString RtfBytesToCellText(const QByteArray &rtf);
