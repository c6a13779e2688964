// What typing, pasting and assigning may put into a drop-down edit, by its edit type: free text, a
// whole number (the track bar) or a decimal number with a fixed count of decimals and optional digit
// grouping (the calculator). The separators are the locale's, read at every use; a text that is no
// number reads as 0 and never raises.
#include "dropdown/NovaDropDown.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <cmath>

#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"
#include "platform/TextFormat.h"

using namespace editorkit;

namespace {

platform::FormatSettings settings() { return platform::FormatSettings::current(); }

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A number written by one of the format patterns ("%.2f", "%.2n", "%g"), in the locale's separators:
// "n" groups the integer digits.
QString numberText(const QString &pattern, double value)
{
    const platform::FormatSettings fs = settings();
    QString plain = platform::formatText(pattern, {value});
    QString fraction;
    const int dot = int(plain.indexOf(QLatin1Char('.')));
    if (dot >= 0) {
        fraction = QString(fs.decimalSeparator) + plain.mid(dot + 1);
        plain.truncate(dot);
    }
    if (pattern.endsWith(QLatin1Char('n'))) {
        const bool negative = plain.startsWith(QLatin1Char('-'));
        QString digits = negative ? plain.mid(1) : plain;
        for (int i = int(digits.size()) - 3; i > 0 && digits.at(i - 1).isDigit(); i -= 3)
            digits.insert(i, fs.thousandSeparator);
        plain = (negative ? QStringLiteral("-") : QString()) + digits;
    }
    return plain + fraction;
}

QString precisionPattern(int precision, QChar kind)
{
    return QStringLiteral("%.") + QString::number(precision) + kind;
}

} // namespace

// ---- classification and conversion ----------------------------------------------------------------

int ClassifyNumber(const QString &Text)
{
    if (Text.isEmpty()) return 2;
    const platform::FormatSettings fs = settings();
    bool whole = true, hex = true, decimal = true;
    int lastThousand = -1;
    for (int i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        const bool digit = isDigit(c);
        const bool minus = c == QLatin1Char('-');
        whole = whole && (digit || minus);
        const QChar u = c.toUpper();
        hex = hex && (digit || minus || (u >= QLatin1Char('A') && u <= QLatin1Char('F')));
        decimal = decimal && (digit || minus || c == QLatin1Char(',') || c == QLatin1Char('.'));
        if (c == fs.thousandSeparator) {
            if (lastThousand < 0 ? i == 0 : i - lastThousand < 3) decimal = false;
            lastThousand = i;
        }
    }
    int result = whole ? 0 : decimal ? 1 : hex ? 5 : 2;
    if (Text.count(QLatin1Char('-')) > 1 || Text.count(fs.decimalSeparator) > 1) result = 2;
    return result;
}

QString StripThousandSeparators(const QString &Text)
{
    QString s = Text;
    s.remove(settings().thousandSeparator);
    return s;
}

double TextToFloat(const QString &Text)
{
    double v = 0;
    if (!tryParseFloat(StripThousandSeparators(Text), settings(), v) || !std::isfinite(v)) return 0;
    return v;
}

// ---- text and value -------------------------------------------------------------------------------

QString TNovaCustomDropDown::GetText() const { return text(); }

void TNovaCustomDropDown::SetPlainText(const QString &Value) { setText(Value); }

void TNovaCustomDropDown::SetText(const QString &Value)
{
    QString v = Value;
    const bool number = FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney;
    if (v.isEmpty() && number) v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (FEditType == etMoney) v = numberText(precisionPattern(FPrecision, QLatin1Char('n')), TextToFloat(v));
        else if (FEditType == etFloat) v = numberText(precisionPattern(FPrecision, QLatin1Char('f')), TextToFloat(v));
    }
    SetPlainText(v);
    FOldText = v;
    SetIsModified(false);
}

double TNovaCustomDropDown::GetFloatValue() const
{
    const QString t = text();
    switch (FEditType) {
    case etString: {
        double v = 0;
        return TryPlainTextToFloat(t, v) && std::isfinite(v) ? v : 0;
    }
    case etNumeric:
    case etFloat:
        if (t.isEmpty() || t == QLatin1String("Error") || t == QLatin1String("-")) return 0;
        return TextToFloat(t);
    case etMoney: {
        if (t.isEmpty()) return 0;
        QString s = StripThousandSeparators(t);
        if (s.endsWith(settings().decimalSeparator)) s.chop(1);
        if (s.isEmpty() || s == QLatin1String("-")) return 0;
        return TextToFloat(s);
    }
    default: return TextToFloat(t);
    }
}

void TNovaCustomDropDown::SetFloatValue(double Value)
{
    SetText(numberText(FPrecision < 0 ? QStringLiteral("%g") : precisionPattern(FPrecision, QLatin1Char('f')), Value));
    if (FEditType == etMoney) ApplyThousandSeparators();
    SetIsModified(true);
}

void TNovaCustomDropDown::SetIntValue(int Value)
{
    SetText(QString::number(Value));
    if (FEditType == etMoney) ApplyThousandSeparators();
    SetIsModified(true);
}

void TNovaCustomDropDown::SetIsModified(bool Value)
{
    if (FLoading || !FEditorEnabled || isReadOnly()) return;
    setModified(Value);
    FIsModified = Value;
}

void TNovaCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (Value == FEditType) return;
    FEditType = Value;
    setEchoMode(QLineEdit::Normal);
    const int kind = ClassifyNumber(text());
    if (Value == etNumeric && kind != 0) SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && kind != 0 && kind != 1) SetFloatValue(0);
}

void TNovaCustomDropDown::SetPrecision(qint16 Value)
{
    if (Value == FPrecision || !(FEditType == etString || FEditType == etFloat || FEditType == etMoney)) return;
    FPrecision = Value;
    const int kind = ClassifyNumber(text());
    SetFloatValue(kind == 0 || kind == 1 ? GetFloatValue() : 0);
}

void TNovaCustomDropDown::ApplyThousandSeparators()
{
    const QString current = text();
    if (current.isEmpty()) return;
    const platform::FormatSettings fs = settings();
    const int oldLength = int(current.size());
    const int caret = cursorPosition();
    QString t = current;
    QString sign;
    if (t.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        t.remove(0, 1);
    }
    const int dec = int(t.indexOf(fs.decimalSeparator));
    const QString fraction = dec >= 0 ? t.mid(dec) : QString();
    QString whole = numberText(FAutoThousandSeparator ? QStringLiteral("%n") : QStringLiteral("%f"),
                               std::trunc(std::fabs(GetFloatValue())));
    const int cut = int(whole.indexOf(fs.decimalSeparator));
    if (cut >= 0) whole.truncate(cut);
    const QString next = sign + whole + fraction;
    FBlockChange = next != current;
    const qint16 precision = FPrecision;
    FPrecision = 0;
    SetPlainText(next);
    FPrecision = precision;
    setCursorPosition(std::max(0, caret + int(next.size()) - oldLength));
}

// ---- selection ------------------------------------------------------------------------------------

void TNovaCustomDropDown::SelectAll()
{
    setCursorPosition(0);
    selectAll();
}

void TNovaCustomDropDown::SelectAfterDecimal()
{
    const int dec = int(text().indexOf(settings().decimalSeparator));
    setCursorPosition(dec >= 0 ? dec + 1 : 0);
}

void TNovaCustomDropDown::SelectBeforeDecimal()
{
    const int dec = int(text().indexOf(settings().decimalSeparator));
    setCursorPosition(dec >= 0 ? dec : 0);
}

// ---- typing ---------------------------------------------------------------------------------------

void TNovaCustomDropDown::PassToEdit(QChar &ch, const QKeyEvent *e)
{
    TNovaMaskEdit::WMChar(ch, e); // the key-press event first, which may take the character
    if (ch.isNull()) return;
    if (!isReadOnly()) {
        if (ch == QLatin1Char('\b')) backspace();
        else if (ch.unicode() >= 32) insert(QString(ch));
    }
    ch = QChar();
}

bool TNovaCustomDropDown::PrecisionReached(const QString &Text, int Caret) const
{
    if (FPrecision <= 0) return false;
    const int p = int(Text.indexOf(settings().decimalSeparator)) + 1;
    if (p == 0) return false;
    return Text.size() - Caret <= FPrecision && Caret >= p && Text.size() - p >= FPrecision;
}

bool TNovaCustomDropDown::ThousandSeparatorNear(QString Text, int Caret) const
{
    const QChar th = settings().thousandSeparator;
    if (!Text.contains(th)) return false;
    int b = Caret;
    int m = int(Text.size());
    bool near = false;
    for (int c = int(Text.indexOf(th)) + 1; c > 0; c = int(Text.indexOf(th)) + 1) {
        m = std::min(m, std::abs(c - b));
        if (std::abs(c - b) < 3) {
            near = true;
            break;
        }
        if (c < b) b -= c;
        Text.remove(0, c);
    }
    return near || m > 3;
}

void TNovaCustomDropDown::WMChar(QChar &ch, const QKeyEvent *e)
{
    if (!FEditorEnabled) {
        ch = QChar();
        return;
    }
    const bool ctrl = e && (e->modifiers() & Qt::ControlModifier);
    if (ch == QLatin1Char('\r')) {
        if (!ctrl) {
            QChar copy = ch;
            if (OnKeyPress) OnKeyPress(this, copy);
        }
        ch = QChar();
        return;
    }
    const ushort code = ch.unicode();
    if (code == 0x03 || code == 0x16 || code == 0x18) return; // copy, paste, cut: the edit's own way
    if (ch == QLatin1Char('\b')) {
        PassToEdit(ch, e);
    } else if (ch == QLatin1Char('\n')) {
        ch = QChar();
        return;
    } else if (ch == QLatin1Char('-') && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney)) {
        ch = QChar();
        return;
    } else {
        switch (FEditType) {
        case etString:
            SetIsModified(true);
            PassToEdit(ch, e);
            break;
        case etNumeric:
            if (ch == QLatin1Char('\t') || isDigit(ch) || ctrl) PassToEdit(ch, e);
            else ch = QChar();
            break;
        case etFloat: FloatChar(ch, e); break;
        case etMoney: MoneyChar(ch, e); break;
        default: PassToEdit(ch, e); break;
        }
    }
    if (isModified()) SetIsModified(true);
}

bool TNovaCustomDropDown::DecimalTyping(QChar &ch, const QString &t, int caret)
{
    const platform::FormatSettings fs = settings();
    const QChar dec = fs.decimalSeparator;
    if ((ch == fs.thousandSeparator || ch == dec) && ThousandSeparatorNear(t, caret)) {
        ch = QChar();
        return true;
    }
    if (PrecisionReached(t, caret) && (isDigit(ch) || ch == dec) && !hasSelectedText()) {
        // Full decimals: a digit overwrites the one after the caret.
        if (!isDigit(ch) || caret >= t.size()) {
            ch = QChar();
            return true;
        }
        setSelection(caret, 1);
    }
    if (ch == dec && t.isEmpty() && caret == 0) {
        SetPlainText(QStringLiteral("0") + dec);
        setCursorPosition(2);
        SetIsModified(true);
        ch = QChar();
        return true;
    }
    return false;
}

void TNovaCustomDropDown::FloatChar(QChar &ch, const QKeyEvent *e)
{
    const platform::FormatSettings fs = settings();
    const QChar dec = fs.decimalSeparator, th = fs.thousandSeparator;
    const QString t = text();
    const int caret = cursorPosition();
    const QString selected = selectedText();
    const bool separatorChar = ch == QLatin1Char(',') || ch == QLatin1Char('.');
    if (separatorChar && ch != dec && ch != th) {
        ch = QChar();
        return;
    }
    if (!(isDigit(ch) || separatorChar || ch == QLatin1Char('\b') || ch == QLatin1Char('\t')
          || ch == QLatin1Char('\r') || ch == QLatin1Char('-'))) {
        ch = QChar();
        return;
    }
    if (ch == dec && !selected.contains(dec) && (t.contains(dec) || FPrecision == 0)) {
        // The separator moves into the decimals instead.
        if (FPrecision > 0) SelectAfterDecimal();
        ch = QChar();
        return;
    }
    if (ch == QLatin1Char(',') && t.contains(QLatin1Char(',')) && !selected.contains(QLatin1Char(','))
        && th != QLatin1Char(',')) {
        ch = QChar();
        return;
    }
    if (DecimalTyping(ch, t, caret)) return;
    PassToEdit(ch, e);
}

void TNovaCustomDropDown::MoneyChar(QChar &ch, const QKeyEvent *e)
{
    const QChar dec = settings().decimalSeparator;
    QString t = text();
    if (ch == dec && (t.contains(dec) || FPrecision == 0)) {
        if (FPrecision > 0) {
            if (!t.isEmpty() && selectedText() == t) SetText(QStringLiteral("0,0"));
            SelectAfterDecimal();
        }
        ch = QChar();
        return;
    }
    if (!(isDigit(ch) || ch == dec || ch == QLatin1Char('\b') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r')
          || ch == QLatin1Char('-'))) {
        ch = QChar();
        return;
    }
    if (DecimalTyping(ch, t, cursorPosition())) return;
    const QChar typed = ch;
    PassToEdit(ch, e);
    t = text();
    if (!t.isEmpty() && t != QLatin1String("-") && typed != dec) {
        if (isModified()) SetIsModified(true);
        ApplyThousandSeparators();
    }
}

// ---- clipboard ------------------------------------------------------------------------------------

bool TNovaCustomDropDown::CanChangeByClipboard() const { return FEditorEnabled && !isReadOnly(); }

void TNovaCustomDropDown::WMPaste()
{
    if (isReadOnly()) return;
    const QString s = QApplication::clipboard()->text();
    if (s.isEmpty()) return;
    const QString t = text();
    const bool hadSelection = hasSelectedText();
    const int start = hadSelection ? selectionStart() : cursorPosition();
    const int length = hadSelection ? int(selectedText().size()) : 0;
    const QString candidate = t.left(start) + s + t.mid(start + length);
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, candidate, allow);
    if (!allow) return;
    if (maxLength() > 0 && s.size() + t.size() - length > maxLength()) return;
    const int kind = ClassifyNumber(candidate);
    const bool minus = candidate.contains(QLatin1Char('-'));
    switch (FEditType) {
    case etNumeric:
        if (kind == 0 && !minus) {
            SetText(candidate);
            SetIsModified(true);
        }
        break;
    case etFloat:
    case etMoney:
        if ((kind == 0 || kind == 1) && !(FPrecision == 0 && s.contains(settings().decimalSeparator)) && !minus) {
            SetText(candidate);
            SetFloatValue(GetFloatValue());
            SetIsModified(true);
        }
        break;
    default: SetText(candidate); break;
    }
    if (FEditType == etMoney && text().size() > 3) {
        SelectAll();
    } else if (hadSelection) {
        setSelection(start, int(s.size()));
    } else {
        setCursorPosition(start + int(s.size()));
    }
    if (FEditType == etString) SetIsModified(true);
}

void TNovaCustomDropDown::WMCut()
{
    if (!FEditorEnabled || isReadOnly()) return;
    FBlockCopy = true;
    bool allow = true;
    if (OnClipboardCut) OnClipboardCut(this, selectedText(), allow);
    if (allow) cut();
    FBlockCopy = false;
}

void TNovaCustomDropDown::WMCopy()
{
    bool allow = true;
    if (OnClipboardCopy && !FBlockCopy) OnClipboardCopy(this, selectedText(), allow);
    FBlockCopy = false;
    if (allow) copy();
}

void TNovaCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TNovaMaskEdit::Change();
}

// ---- leaving the edit -----------------------------------------------------------------------------

void TNovaCustomDropDown::NormaliseOnExit()
{
    const bool number = FEditType == etFloat || FEditType == etMoney;
    if (number && FPrecision > 0) {
        // The value keeps its decimals; whether it was modified stays as it was.
        const bool modified = FIsModified, editModified = isModified();
        SetFloatValue(GetFloatValue());
        FIsModified = modified;
        setModified(editModified);
    }
    if (FEditType == etNumeric && text().isEmpty()) SetText(QStringLiteral("0"));
    if (number && text().isEmpty()) SetFloatValue(0);
}
