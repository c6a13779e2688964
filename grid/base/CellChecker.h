#pragma once
// Base of a cell checker that a string grid can be given to correct cell texts and to mark
// errors in them (a spell checker or a validator derives from it). The base changes nothing.
#include <QObject>
#include <QString>

class TNovaStringGridCheck : public QObject {
public:
    explicit TNovaStringGridCheck(QObject *AOwner = nullptr) : QObject(AOwner) {}

    // While checking, the grid visits each checked cell and returns to the current one after.
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    // An edited cell's new text goes through Correct when it is validated.
    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    // After validation the text goes through MarkError before it is stored.
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    // Explicit checking runs Correct, respectively MarkError, on each cell.
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }

    // The text with its errors marked.
    virtual QString MarkError(int ACol, int ARow, const QString &s) { Q_UNUSED(ACol); Q_UNUSED(ARow); return s; }
    // The corrected text.
    virtual QString Correct(int ACol, int ARow, const QString &s) { Q_UNUSED(ACol); Q_UNUSED(ARow); return s; }
    // Called once before and once after checking a range of cells.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
