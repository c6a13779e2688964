// The calculator drop-down. Every key reads the display, computes on the accumulator (a long
// double) and writes the result back through SetText or SetFloatValue, so a cancelled close brings
// back the last result. No text ever fails to convert here: what is no number reads as 0, and the
// memory keys leave the memory as it was.
#include "dropdown/NovaCalculatorDropDown.h"

#include "dropdown/DropDownForm.h"
#include "platform/FormatSettings.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <cmath>
#include <limits>

namespace {

const QString kError = QStringLiteral("Error");

// What the display can show: a finite number within the range of a double.
bool inDisplayRange(long double v)
{
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<double>::max();
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QChar decimalSeparator() { return platform::FormatSettings::current().decimalSeparator; }

// The display text read as a number, thousand separators dropped; false when it is none.
bool readNumber(const QString &Text, double &Out)
{
    return editorkit::tryParseFloat(StripThousandSeparators(Text), platform::FormatSettings::current(), Out)
           && std::isfinite(Out);
}

enum TCalcTag {
    tagAdd = 10, tagSubtract = 11, tagMultiply = 12, tagDivide = 13, tagSign = 14, tagPoint = 15, tagClear = 16,
    tagEquals = 17, tagPercent = 18, tagBlank = 30, tagBack = 31, tagClearEntry = 32, tagMemoryClear = 33,
    tagMemoryRecall = 34, tagMemoryStore = 35, tagMemoryAdd = 36, tagSqrt = 37, tagInverse = 38
};

} // namespace

TNovaCalculatorDropdown::TNovaCalculatorDropdown(QWidget *AOwner)
    : TNovaCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    // The base's constructor gave its look before the keypad's appearance existed.
    SetComponentStyle(GetComponentStyle());
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetEditType(etFloat);
    FPrevop = -1;
    SetPrecision(2);
    FDecim = 0;
    FCalcClosed = true;
    FMVal = 0;
    CreateDropDownForm();
    setAccessibleName(QStringLiteral("Number"));
}

TNovaCalculatorDropdown::~TNovaCalculatorDropdown() = default;

void TNovaCalculatorDropdown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FNovaButtonPanel) {
        auto *panel = new TCustomButtonPanel(FDropDownForm);
        panel->SetNovaDropDown(this);
        panel->resize(panel->width(), 150);
        panel->InitButtons();
        FNovaButtonPanel = panel;
    }
    SetControl(FNovaButtonPanel);
    FNovaButtonPanel->OnButtonClick = [this](QObject *Sender, int Index) { CalcButtonClick(Sender, Index); };
}

void TNovaCalculatorDropdown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps the computed value.
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (FNovaButtonPanel) {
        FNovaButtonPanel->SetButtonAppearance(*FCalcButtonAppearance);
        QPalette pal = FNovaButtonPanel->palette();
        pal.setColor(QPalette::Window, editorkit::toQColor(FDropDownColor, pal));
        FNovaButtonPanel->setPalette(pal);
        FNovaButtonPanel->setAutoFillBackground(true);
        FNovaButtonPanel->ArrangeButtons();
    }
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

// ---- properties -----------------------------------------------------------------------------------

void TNovaCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (Value == FShowThousandSeparator) return;
    FShowThousandSeparator = Value;
    SetEditType(Value ? etMoney : etFloat);
    SetFloatValue(GetFloatValue());
}

long double TNovaCalculatorDropdown::Value()
{
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    return DisplayedNumber();
}

void TNovaCalculatorDropdown::SetValue(long double Value)
{
    // Beyond a double's range the text reads as no number, which shows 0.
    SetText(FormatNumberText(QStringLiteral("%g"), double(Value)));
}

void TNovaCalculatorDropdown::CalcResult() { DoCalcResult(); }

void TNovaCalculatorDropdown::SetText(const QString &Value)
{
    TNovaCustomDropDown::SetText(Value);
    setCursorPosition(0);
}

void TNovaCalculatorDropdown::SetComponentStyle(TNovaStyle Style)
{
    TNovaCustomDropDown::SetComponentStyle(Style);
    if (!FCalcButtonAppearance) return;
    const TNovaButtonAppearance &src = ButtonAppearance();
    TButtonAppearance &a = *FCalcButtonAppearance;
    a.SetBorderColor(src.BorderColor());
    a.SetBorderColorHot(src.BorderColorHot());
    a.SetBorderColorDown(src.BorderColorDown());
    a.SetColor(src.Color());
    a.SetColorTo(src.ColorTo());
    a.SetColorDown(src.ColorDown());
    a.SetColorDownTo(src.ColorDownTo());
    a.SetColorHot(src.ColorHot());
    a.SetColorHotTo(src.ColorHotTo());
    if (Style == tsOffice2010Blue || Style == tsOffice2010Silver || Style == tsOffice2010Black) {
        a.SetGlowColorDown(src.ColorHot());
        a.SetGlowColorHot(src.ColorHot());
    } else {
        a.SetGlowColorDown(0xD5C244);
        a.SetGlowColorHot(src.ColorDownTo());
    }
}

// ---- the arithmetic -------------------------------------------------------------------------------

long double TNovaCalculatorDropdown::DisplayedNumber() const { return TextToFloat(GetText()); }

void TNovaCalculatorDropdown::NormaliseDisplay()
{
    if (GetText().isEmpty() || GetText() == kError) SetText(QStringLiteral("0"));
}

void TNovaCalculatorDropdown::ShowResult(long double Result)
{
    if (!inDisplayRange(Result)) {
        FPrevval = 0;
        Result = 0;
    }
    SetFloatValue(double(Result));
}

void TNovaCalculatorDropdown::CalcPending()
{
    NormaliseDisplay();
    const long double x = DisplayedNumber();
    long double r = FPrevval;
    switch (FPrevop) {
    case 0: r = FPrevval + x; break;
    case 1: r = FPrevval * x; break;
    case 2: r = FPrevval - x; break;
    case 3:
        if (x == 0) {
            FPrevval = 0;
            SetText(kError);
            return;
        }
        r = FPrevval / x;
        break;
    default: r = DisplayedNumber(); break;
    }
    // The overflow: the accumulator starts again from 0.
    FPrevval = inDisplayRange(r) ? r : 0;
    SetFloatValue(double(FPrevval));
    FNewval = true;
}

void TNovaCalculatorDropdown::CalcAdd()
{
    CalcPending();
    FPrevop = 0;
}

void TNovaCalculatorDropdown::CalcSubtract()
{
    CalcPending();
    FPrevop = 2;
}

void TNovaCalculatorDropdown::CalcMultiply()
{
    CalcPending();
    FPrevop = 1;
}

void TNovaCalculatorDropdown::CalcDivide()
{
    CalcPending();
    FPrevop = 3;
}

void TNovaCalculatorDropdown::DoCalcResult()
{
    CalcPending();
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    FPrevop = -1;
    if (GetText() != kError) FPrevval = DisplayedNumber();
}

void TNovaCalculatorDropdown::CalcPercent()
{
    NormaliseDisplay();
    long double r = FPrevval * DisplayedNumber() / 100;
    if (!inDisplayRange(r)) {
        FPrevval = 0;
        r = 0;
    }
    SetText(FormatNumberText(QStringLiteral("%g"), double(r)));
}

void TNovaCalculatorDropdown::ClearAll()
{
    SetText(QStringLiteral("0"));
    FPrevval = 0;
    FPrevop = -1;
}

void TNovaCalculatorDropdown::DigitEntry(int Digit)
{
    const double v = GetFloatValue();
    if ((v == 0 && FDecim == 0) || FNewval) {
        SetText(QString::number(Digit));
        FNewval = false;
        return;
    }
    if (FDecim > 0) {
        // A divisor that would leave the integers has no place to put the digit: it is dropped.
        if (FDecim > std::numeric_limits<int>::max() / 10) return;
        const long double r = v + static_cast<long double>(Digit) / FDecim;
        FDecim *= 10;
        ShowResult(r);
        return;
    }
    ShowResult(static_cast<long double>(v) * 10 + Digit);
}

// ---- the keypad -----------------------------------------------------------------------------------

void TNovaCalculatorDropdown::CalcButtonClick(QObject *, int Index)
{
    if (!FNovaButtonPanel || Index < 0 || Index >= FNovaButtonPanel->Buttons().Count()) return;
    DoBeforeCalc();
    const int tag = FNovaButtonPanel->Buttons().GetItem(Index)->Tag();
    if ((tag >= tagAdd && tag <= tagSign) || (tag >= tagClear && tag <= tagPercent)) FDecim = 0;
    const bool entry = tag < 10 || tag == tagSign || tag == tagPoint;
    if (entry && EntryFull()) return;
    const QChar dec = decimalSeparator();
    switch (tag) {
    case tagAdd: CalcAdd(); break;
    case tagSubtract: CalcSubtract(); break;
    case tagMultiply: CalcMultiply(); break;
    case tagDivide: CalcDivide(); break;
    case tagSign: {
        QString t = GetText();
        if (t.startsWith(QLatin1Char('-'))) t.remove(0, 1);
        else t.prepend(QLatin1Char('-'));
        SetText(t);
        break;
    }
    case tagPoint:
        if (!GetText().contains(dec)) SetText(GetText() + dec);
        FDecim = 10;
        if (FNewval) SetText(QStringLiteral("0"));
        FNewval = false;
        break;
    case tagClear:
    case tagBlank:
    case tagClearEntry: ClearAll(); break;
    case tagEquals: DoCalcResult(); break;
    case tagPercent: CalcPercent(); break;
    case tagBack:
        if (FPrevop < 0) {
            QString t = FormatNumberText(QStringLiteral("%g"), GetFloatValue());
            t.chop(1);
            SetText(t);
        }
        break;
    case tagMemoryClear: FMVal = 0; break;
    case tagMemoryRecall: SetFloatValue(double(FMVal)); break;
    case tagMemoryStore:
    case tagMemoryAdd: {
        // "Error" or no number: the memory keeps its value.
        double v = 0;
        if (!readNumber(GetText(), v)) break;
        const long double m = tag == tagMemoryStore ? static_cast<long double>(v) : FMVal + v;
        if (inDisplayRange(m)) FMVal = m;
        break;
    }
    case tagSqrt: {
        const double v = GetFloatValue();
        if (v < 0) SetText(kError);
        else ShowResult(std::sqrt(static_cast<long double>(v)));
        break;
    }
    case tagInverse: {
        const double v = GetFloatValue();
        if (v == 0) SetText(kError);
        else ShowResult(1 / static_cast<long double>(v));
        break;
    }
    default:
        if (tag >= 0 && tag < 10) DigitEntry(tag);
        break;
    }
    SetIsModified(true);
}

// ---- the keyboard ---------------------------------------------------------------------------------

bool TNovaCalculatorDropdown::ClosedKeys() const
{
    return FCalcClosed || (FDropDownForm && FDropDownForm->isHidden());
}

void TNovaCalculatorDropdown::WMChar(QChar &ch, const QKeyEvent *e)
{
    if (!FFromPopup && FEditorEnabled && ClosedKeys()) {
        const ushort c = ch.unicode();
        if (c == '\r') {
            const bool ctrl = e && (e->modifiers() & Qt::ControlModifier);
            TNovaCustomDropDown::WMChar(ch, e); // OnKeyPress, and the character goes no further
            QChar enter(u'\r');
            if (!ctrl) KeyPress(enter);
            return;
        }
        if (QStringLiteral("=%*+-/Cc").contains(ch)) {
            KeyPress(ch);
            ch = QChar();
            return;
        }
    }
    TNovaCustomDropDown::WMChar(ch, e);
}

void TNovaCalculatorDropdown::KeyPress(QChar &Key)
{
    if (ClosedKeys()) {
        switch (Key.unicode()) {
        case '\r':
        case '=': DoCalcResult(); Key = QChar(); return;
        case '%': CalcPercent(); Key = QChar(); return;
        case '*': CalcMultiply(); Key = QChar(); return;
        case '+': CalcAdd(); Key = QChar(); return;
        case '-': CalcSubtract(); Key = QChar(); return;
        case '/': CalcDivide(); Key = QChar(); return;
        case 'C':
        case 'c':
            SetText(QStringLiteral("0"));
            FNewval = true;
            FPrevop = -1;
            Key = QChar();
            return;
        default: break;
        }
    }
    const QChar dec = decimalSeparator();
    if (!(Key.isDigit() || Key == dec || Key == QLatin1Char('\b') || Key == QLatin1Char('-'))) Key = QChar();
    const QString t = GetText();
    // "Error" counts as 0: the digit replaces it.
    if (Key.isDigit() && (t == QLatin1String("0") || t == kError || FNewval)) {
        SetText(QString(Key));
        Key = QChar();
        setCursorPosition(1);
        FNewval = false;
        return;
    }
    if (t.size() == 1 && Key == QLatin1Char('\b')) {
        SetText(QStringLiteral("0"));
        Key = QChar();
        setCursorPosition(1);
        return;
    }
    if (Key == dec && t.contains(dec)) Key = QChar();
    if ((Key.isDigit() || Key == dec) && !hasSelectedText() && EntryFull()) Key = QChar();
    TNovaCustomDropDown::KeyPress(Key);
}

bool TNovaCalculatorDropdown::EntryFull() const { return FMaxLength > 0 && GetText().size() >= FMaxLength; }

void TNovaCalculatorDropdown::CalcKeyPress(QChar Key)
{
    DoBeforeCalc();
    const QChar dec = decimalSeparator();
    if (Key == dec && !GetText().contains(dec)) SetText(GetText() + dec);
    if (isDigit(Key) && EntryFull()) return;
    switch (Key.unicode()) {
    case '\r':
        DoCalcResult();
        DoHideDropDown(false);
        break;
    case 27: DoHideDropDown(true); break;
    case '%': CalcPercent(); break;
    case '*': CalcMultiply(); break;
    case '+': CalcAdd(); break;
    case '-': CalcSubtract(); break;
    case '/': CalcDivide(); break;
    case '=': DoCalcResult(); break;
    case 'C':
    case 'c':
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = -1;
        break;
    default:
        if (isDigit(Key)) FNewval = false;
        break;
    }
}

void TNovaCalculatorDropdown::FormKeyPress(QChar &Key)
{
    const QChar typed = Key;
    {
        const QScopedValueRollback<bool> popup(FFromPopup, true);
        TNovaCustomDropDown::FormKeyPress(Key);
    }
    CalcKeyPress(typed);
}

void TNovaCalculatorDropdown::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaCustomDropDown::FormKeyDown(Key, Shift);
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab || Key == Qt::Key_F4) {
        DoHideDropDown(false);
    } else if (Key == Qt::Key_Backspace) {
        QString t = GetText();
        t.chop(1);
        SetText(t.isEmpty() ? QStringLiteral("0") : t);
    }
}

void TNovaCalculatorDropdown::keyPressEvent(QKeyEvent *e) { WMKeyDown(e); }

void TNovaCalculatorDropdown::WMKeyDown(QKeyEvent *e)
{
    TNovaCustomDropDown::keyPressEvent(e);
    if (e->key() == Qt::Key_Delete && (GetText().isEmpty() || GetText() == kError)) SetText(QStringLiteral("0"));
}
