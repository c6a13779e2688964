#pragma once
// Completion of an edit's text from a list of texts (item captions, lookup-column texts): what
// stands before the caret is matched against the beginning of each text, the first match
// completes the edit with its tail selected, and a prefix that matches nothing cuts the edit
// back to it.
#include <QString>
#include <QStringList>

struct TAutoCompletion {
    enum TKind { acNone, acCompleted, acCut };
    TKind Kind = acNone;
    int Index = -1;      // the completing text (acCompleted)
    QString Text;        // the edit's new text (acCompleted, acCut)
    int SelStart = 0;    // caret after the typed characters
    int SelLength = 0;   // the completed tail, up to the end of the text
};

// Prefix := the first SelStart characters of Text; without MatchCase both sides compare
// upper-cased. An empty prefix matches nothing. A completion keeps the typed characters as typed
// and adds at most 255 characters of the matching text.
TAutoCompletion AutoComplete(const QString &Text, int SelStart, const QStringList &Entries, bool MatchCase);
