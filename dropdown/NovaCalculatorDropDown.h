#pragma once
// The calculator drop-down: a drop-down edit for one number whose pop-up holds a calculator keypad.
// The number is the edit's text: every key reads the display, computes and writes the result back,
// so the edit always shows the running result. Evaluation runs strictly left to right with one
// pending operator, there is one memory register, and "Error" shows for a division by zero, the
// square root of a negative number and the reciprocal of zero. A result beyond what the display can
// show starts the accumulator again from 0.
#include "dropdown/CalculatorPanel.h"
#include "dropdown/NovaDropDown.h"

#include <QPointer>
#include <memory>

class TNovaCalculatorDropdown : public TNovaCustomDropDown {
public:
    explicit TNovaCalculatorDropdown(QWidget *AOwner = nullptr);
    ~TNovaCalculatorDropdown() override;

    // Copied into the keypad at every opening.
    TButtonAppearance &CalcButtonAppearance() { return *FCalcButtonAppearance; }
    void SetCalcButtonAppearance(const TButtonAppearance &Value) { FCalcButtonAppearance->Assign(Value); }
    // Grouped thousands (the money edit type) or not; the number shown is formatted again.
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    // The displayed number (an empty display becomes "0" first; a text that is no number reads 0),
    // and a number written in the general format, then shown with Precision decimals.
    long double Value();
    void SetValue(long double Value);
    // The longest number the user may type or key in (0: no limit). A computed result may be longer:
    // the edit itself stays unlimited so that it never cuts one.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value > 0 ? Value : 0; }
    // The "=" key: completes the pending operation.
    void CalcResult();

    TCustomButtonPanel *ButtonPanel() const { return FNovaButtonPanel; }

    // Every number the calculator shows is written here; the caret then stands at the start, where
    // the platform's edit puts it when its text is set, so the next typed digit starts a new number.
    void SetText(const QString &Value) override;
    void SetComponentStyle(TNovaStyle Style) override;
    // Keys typed while the pop-up has the keyboard: to the edit first, then the calculator's keys.
    void FormKeyPress(QChar &Key) override;
    void FormKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // Called at the start of every keypad click and every key typed in the pop-up.
    virtual void DoBeforeCalc() {}
    // Digits start a new number or continue the shown one; while the pop-up is closed the operator
    // keys compute here too.
    void KeyPress(QChar &Key) override;
    // The closed edit's operator characters, which the numeric typing rules would drop, go to
    // KeyPress.
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void WMKeyDown(QKeyEvent *e);

    void CalcButtonClick(QObject *Sender, int Index);
    void CalcKeyPress(QChar Key);
    void DoCalcResult();
    void CalcPending();
    void CalcAdd();
    void CalcSubtract();
    void CalcMultiply();
    void CalcDivide();
    void CalcPercent();

private:
    // The display as a number: thousand separators dropped, the locale's decimal separator; 0 when
    // it is no number.
    long double DisplayedNumber() const;
    // An empty display or "Error" becomes "0".
    void NormaliseDisplay();
    // A computed number shown with Precision decimals; one beyond the display's range (or infinite,
    // or not a number) clears the accumulator and shows 0.
    void ShowResult(long double Result);
    void DigitEntry(int Digit);
    void ClearAll();
    bool ClosedKeys() const;
    // The display is as long as the user may make it.
    bool EntryFull() const;

    QPointer<TCustomButtonPanel> FNovaButtonPanel; // a child of the pop-up window
    int FDecim = 0;          // decimal-entry divisor: 0 whole numbers, 10 after ".", times 10 per digit
    bool FNewval = false;    // the next digit starts a new number
    long double FPrevval = 0; // the accumulator
    int FPrevop = -1;         // pending operator: -1 none, 0 add, 1 multiply, 2 subtract, 3 divide
    bool FCalcClosed = true;  // not yet opened
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0; // the memory
    bool FShowThousandSeparator = false;
    int FMaxLength = 0;
    // The character comes from the pop-up, which computes its keys itself.
    bool FFromPopup = false;
};
