#include "dropdown/AutoComplete.h"

#include <algorithm>

TAutoCompletion AutoComplete(const QString &Text, int SelStart, const QStringList &Entries, bool MatchCase)
{
    TAutoCompletion r;
    const QString typed = Text.left(std::clamp(SelStart, 0, int(Text.size())));
    if (Entries.isEmpty())
        return r;
    const QString key = MatchCase ? typed : typed.toUpper();
    if (!key.isEmpty()) {
        for (int i = 0; i < Entries.size(); ++i) {
            const QString entry = MatchCase ? Entries[i] : Entries[i].toUpper();
            if (!entry.startsWith(key))
                continue;
            r.Kind = TAutoCompletion::acCompleted;
            r.Index = i;
            r.Text = Text.left(key.size()) + Entries[i].mid(key.size(), 255);
            r.SelStart = int(key.size());
            r.SelLength = int(r.Text.size()) - r.SelStart;
            return r;
        }
    }
    if (!typed.isEmpty()) {
        r.Kind = TAutoCompletion::acCut;
        r.Text = typed;
        r.SelStart = int(typed.size());
    }
    return r;
}
