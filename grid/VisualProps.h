#pragma once
// A grid's look kept in a text file of "key=value" lines (ANSI, CR LF): colours by identifier or
// "$" and eight hexadecimal digits, fonts as four lines each, enumerations by identifier.
#include <QString>

class TNovaStringGrid;

// Raises ENovaGridError "Cannot Create " + FileName when the file cannot be written.
void SaveVisualProps(TNovaStringGrid &Grid, const QString &FileName);
// Raises ENovaGridError "Cannot open file " + FileName when the file cannot be read, and
// EConvertError naming key and file for a bad value; either way before any setting changes.
// Keys are matched in any letter case; a missing or empty colour is clNone.
void LoadVisualProps(TNovaStringGrid &Grid, const QString &FileName);
