// The calculator drop-down as a user drives it: keypad clicks through the pop-up's window, keys
// typed into the open pop-up and into the closed edit; its faults mended (no conversion error, the
// overflow, the decimal-entry divisor); its looks; what the grid's cell editor takes of it.
#include "dropdown/NovaCalculatorDropDown.h"
#include "value_test_support.h"

#include <QStringList>

namespace {

// The protected hooks the grid's cell editor calls.
class Calculator : public TNovaCalculatorDropdown {
public:
    using TNovaCalculatorDropdown::TNovaCalculatorDropdown;
    using TNovaCalculatorDropdown::KeyPress;
    int beforeCalc = 0;

protected:
    void DoBeforeCalc() override { ++beforeCalc; }
};

class CalculatorDropDown : public valuetest::ValueTest<Calculator> {
protected:
    void openNow()
    {
        if (!open()) showNow();
        ASSERT_TRUE(open());
    }
    int keyIndex(const QString &caption)
    {
        TButtonItems &keys = dd->ButtonPanel()->Buttons();
        for (int i = 0; i < keys.Count(); ++i)
            if (keys.GetItem(i)->Caption() == caption) return i;
        ADD_FAILURE() << "no key " << caption.toStdString();
        return -1;
    }
    // One keypad key clicked through the pop-up's window.
    void press(const QString &caption)
    {
        TCustomButtonPanel *panel = dd->ButtonPanel();
        const QPoint at = panel->GetButtonRect(keyIndex(caption)).ToQRect().center();
        QTest::mouseClick(pop(), Qt::LeftButton, {}, panel->mapTo(dd->DropDownForm(), at));
    }
    // Keys separated by blanks: "Back", "1/x", "+/-" are keypad captions too.
    void keypad(const char *keys)
    {
        openNow();
        for (const QString &k : QString::fromLatin1(keys).split(' ', Qt::SkipEmptyParts)) press(k);
    }
    // The same keys typed into the open pop-up, one character each.
    void typed(const char *keys)
    {
        openNow();
        for (const QString &k : QString::fromLatin1(keys).split(' ', Qt::SkipEmptyParts))
            typeKey(k.at(0).toLatin1());
    }
    // A new calculator in the place of the old one.
    void fresh()
    {
        delete dd;
        dd = new Calculator(form.get());
        dd->SetBounds(40, 30, 180, 21);
        dd->show();
        dd->setFocus();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(CalculatorDropDown, NewCalculatorShowsZeroWithTwoDecimals)
{
    EXPECT_EQ(dd->GetText(), "0.00");
    EXPECT_EQ(dd->Precision(), 2);
    EXPECT_EQ(dd->EditType(), etFloat);
    EXPECT_TRUE(dd->EditorEnabled());
    EXPECT_EQ(dd->DropDownColor(), clWhite);
    EXPECT_EQ(dd->DropDownWidth(), 230);
    EXPECT_FALSE(dd->ShowThousandSeparator());
    ASSERT_NE(dd->ButtonPanel(), nullptr);
    EXPECT_EQ(dd->ButtonPanel()->Buttons().Count(), 28);
}

TEST_F(CalculatorDropDown, KeypadArithmetic)
{
    struct Row {
        const char *keys, *shows;
    } rows[] = {
        {"2 + 3 *", "5.00"},           // left to right, no precedence
        {"2 + 3 * 4 =", "20.00"},      {"2 + 3 * 4 = =", "20.00"}, // the last operation is not repeated
        {"5 / 0 =", "Error"},          {"5 / 0 = 7", "7.00"},          {"5 / 0 = 7 + 1 =", "8.00"},
        {"2 0 0 + 1 0 %", "20.00"},    {"2 0 0 + 1 0 % =", "220.00"}, {"2 0 = 5 0 %", "10.00"},
        {"1 . 2 3 4", "1.23"},         // the third decimal is lost
        {"9 sqrt", "3.00"},            {"9 sqrt 1", "31.00"},          // the shown number goes on
        {"1 2 Back", "1.00"},          {"1 2 + Back", "12.00"},        // nothing while an operator waits
        {"5 +/- 3", "-47.00"},         // the digit is added arithmetically
        {"4 +/- sqrt", "Error"},       {"0 1/x", "Error"},             {"4 1/x", "0.25"},
        {"1 . CE 3", "0.30"},          {"1 . C 3", "3.00"},            // only C leaves decimal entry
        {"7 MS C MR", "7.00"},         {"7 MS C 2 M+ MC MR", "0.00"}, {"7 MS C 2 M+ C MR", "9.00"},
        {"3 MS 5 / 0 = MS C MR", "3.00"}, {"3 MS 5 / 0 = M+ C MR", "3.00"}, // "Error" keeps the memory
        {"4 + 6 C 2 =", "2.00"},       {"4 + 6 CE =", "0.00"},
    };
    for (const Row &r : rows) {
        fresh();
        keypad(r.keys);
        EXPECT_EQ(dd->GetText(), r.shows) << r.keys;
        EXPECT_TRUE(dd->GetIsModified()) << r.keys;
    }
}

TEST_F(CalculatorDropDown, TypedArithmetic)
{
    struct Row {
        const char *keys, *shows;
    } rows[] = {
        {"2 + 3 * 4 =", "20.00"}, {"2 + 3 * 4 = =", "20.00"}, {"5 / 0 =", "Error"}, {"5 / 0 = 7", "7.00"},
        {"5 / 0 = 7 + 1 =", "8.00"}, {"2 0 0 + 1 0 %", "20.00"}, {"2 0 0 + 1 0 % =", "220.00"},
        {"1 . 2 3 4", "1.23"}, {"9 - 1 2 =", "-3.00"}, {"6 + 4 c", "0.00"}, {"6 + 4 C 1 =", "1.00"},
    };
    for (const Row &r : rows) {
        fresh();
        typed(r.keys);
        EXPECT_EQ(dd->GetText(), r.shows) << r.keys;
        EXPECT_TRUE(open()) << r.keys;
    }
}

TEST_F(CalculatorDropDown, TypedKeysIntoTheClosedEditCompute)
{
    dd->selectAll();
    type("2+3*4=");
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "20.00");
    type("-5");
    key(Qt::Key_Return);
    EXPECT_EQ(dd->GetText(), "15.00") << "Enter completes the calculation";
    type("c5%");
    EXPECT_EQ(dd->GetText(), "0.75") << "C keeps the accumulator: 15 * 5 / 100";
}

TEST_F(CalculatorDropDown, KeypadAfterKeyboardOperatorKeepsDecimalEntry)
{
    keypad("1 . 5");
    typeKey('+');
    keypad("2 3");
    EXPECT_EQ(dd->GetText(), "2.03");
}

TEST_F(CalculatorDropDown, KeysThatCloseThePopUp)
{
    keypad("2 + 3");
    key(Qt::Key_Tab);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "3.00") << "Tab keeps the display without computing";

    fresh();
    keypad("2 + 3");
    key(Qt::Key_F4);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "3.00") << "so does F4";

    fresh();
    keypad("2 + 3");
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "5.00") << "Enter computes, then closes";

    fresh();
    keypad("2 + 3 =");
    typed("1 2");
    EXPECT_EQ(dd->GetText(), "12.00");
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "1.00") << "the last SetText: the typed 2 went into the edit after it";

    fresh();
    keypad("6 * 7 =");
    tick += 1000;
    clickForm({5, 5});
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "42.00") << "a click outside keeps the result";
}

TEST_F(CalculatorDropDown, OverflowStartsAgainFromZero)
{
    dd->SetValue(1E200L);
    keypad("*");
    dd->SetValue(1E200L);
    press("=");
    EXPECT_EQ(dd->GetText(), "0.00");
    keypad("+ 1 =");
    EXPECT_EQ(dd->GetText(), "1.00") << "the accumulator was cleared";

    fresh();
    dd->SetValue(1E305L);
    keypad("* 1 0 0 0 0 0 =");
    EXPECT_EQ(dd->GetText(), "0.00") << "beyond a double's range";
    dd->SetValue(1E300L);
    keypad("=");
    dd->SetValue(1E300L);
    keypad("%");
    EXPECT_EQ(dd->GetText(), "0.00") << "a percentage beyond it too";
    keypad("+ 4 =");
    EXPECT_EQ(dd->GetText(), "4.00");

    dd->SetValue(1E308L);
    keypad("MS M+ C MR");
    EXPECT_EQ(double(dd->Value()), 1E308) << "the memory keeps its value rather than a sum it cannot show";
}

TEST_F(CalculatorDropDown, DecimalEntryDivisorNeverOverflows)
{
    dd->SetPrecision(9);
    keypad("1 .");
    for (int i = 0; i < 15; ++i) press("1");
    EXPECT_EQ(dd->GetText(), "1.111111110") << "eight decimals taken, the rest dropped";
    press("+");
    EXPECT_EQ(dd->GetText(), "1.111111110");
}

TEST_F(CalculatorDropDown, KeypadEntryStopsAtTheMaximumLength)
{
    struct Row {
        const char *keys, *shows;
    } rows[] = {
        {"5 3 4", "53.00"},   // "53.00" is five characters: the third digit is dropped
        {"5 3 +/-", "53.00"}, {"5 3 .", "53.00"},
        {"5 3 4 / =", "1.00"},   // operators still compute
        {"5 3 C 7", "7.00"},     // a shorter display takes digits again
        {"5 3 + 5 3 =", "106.00"}, // the limit holds for entry, never for a result
    };
    for (const Row &r : rows) {
        fresh();
        dd->SetMaxLength(5);
        keypad(r.keys);
        EXPECT_EQ(dd->GetText(), r.shows) << r.keys;
    }
    fresh();
    dd->SetMaxLength(5);
    dd->SetValue(12.5L);
    dd->SetIsModified(false);
    keypad("3");
    EXPECT_EQ(dd->GetText(), "12.50");
    EXPECT_FALSE(dd->GetIsModified()) << "an ignored key does not mark the value modified";
    EXPECT_EQ(dd->MaxLength(), 5);
    // Typed into the pop-up: the same limit for the entry, none for the result.
    fresh();
    dd->SetMaxLength(5);
    typed("5 3 4");
    EXPECT_EQ(dd->GetText(), "53.00");
    typed("+ 5 3 =");
    EXPECT_EQ(dd->GetText(), "106.00");
    EXPECT_EQ(static_cast<QLineEdit *>(dd)->maxLength(), 32767) << "the edit itself cuts nothing";
}

TEST_F(CalculatorDropDown, TabbingInSelectsTheNumberClickingInDoesNot)
{
    dd->SetValue(42);
    other->setFocus();
    QApplication::processEvents();
    key(Qt::Key_Tab);
    ASSERT_TRUE(dd->hasFocus());
    EXPECT_EQ(dd->selectedText(), "42.00");

    other->setFocus();
    QApplication::processEvents();
    QTest::mousePress(win(), Qt::LeftButton, {}, onEdit(10));
    EXPECT_TRUE(dd->hasFocus());
    EXPECT_EQ(dd->selectedText(), "") << "the press places the caret";
    QTest::mouseRelease(win(), Qt::LeftButton, {}, onEdit(10));
}

TEST_F(CalculatorDropDown, NoTextFailsToConvert)
{
    dd->setText("not a number"); // as a caller may write it
    EXPECT_EQ(dd->Value(), 0);
    keypad("+ 2 = MS");
    EXPECT_EQ(dd->GetText(), "2.00");
    dd->setText("12abc");
    keypad("MS C MR");
    EXPECT_EQ(dd->GetText(), "2.00") << "the memory keeps the last number";
    dd->setText("");
    EXPECT_EQ(dd->Value(), 0);
    EXPECT_EQ(dd->GetText(), "0.00") << "an empty display becomes 0 first";
}

TEST_F(CalculatorDropDown, ValueAndPrecision)
{
    dd->SetValue(3.14159L);
    EXPECT_EQ(dd->GetText(), "3.14");
    EXPECT_EQ(double(dd->Value()), 3.14);
    dd->SetPrecision(4);
    EXPECT_EQ(dd->GetText(), "3.1400");
    dd->SetValue(-0.5L);
    EXPECT_EQ(dd->GetText(), "-0.5000");
}

TEST_F(CalculatorDropDown, DeleteThatEmptiesLeavesZero)
{
    dd->SetValue(5);
    dd->setFocus();
    dd->selectAll();
    key(Qt::Key_Delete);
    EXPECT_EQ(dd->GetText(), "0.00");
}

TEST_F(CalculatorDropDown, GroupedThousandsInBothLocales)
{
    for (bool european : {false, true}) {
        platform::ScopedFormatSettings fs(european ? testsupport::europeanSettings() : testsupport::usSettings());
        fresh();
        dd->SetValue(1234.5L);
        dd->SetShowThousandSeparator(true);
        EXPECT_EQ(dd->EditType(), etMoney);
        EXPECT_EQ(dd->GetText(), european ? "1.234,50" : "1,234.50");
        keypad("+ 1 =");
        EXPECT_EQ(dd->GetText(), european ? "1.235,50" : "1,235.50");
        keypad("MS C MR");
        EXPECT_EQ(dd->GetText(), european ? "1.235,50" : "1,235.50") << "MS drops the separators";
        keypad("C 1 .");
        typeKey(european ? ',' : '.');
        keypad("5");
        EXPECT_EQ(dd->GetText(), european ? "1,50" : "1.50") << "the locale's separator";
        dd->SetShowThousandSeparator(false);
        EXPECT_EQ(dd->EditType(), etFloat);
        dd->HideDropDown(false);
    }
}

TEST_F(CalculatorDropDown, GridEditorKeysAndResult)
{
    // The grid's calculator cell editor hands its characters to KeyPress and completes with CalcResult.
    dd->selectAll();
    for (char c : {'2', '+', '3'}) {
        QChar k = QLatin1Char(c);
        dd->KeyPress(k);
        if (!k.isNull()) dd->insert(QString(k));
    }
    dd->CalcResult();
    EXPECT_EQ(dd->GetText(), "5.00");
    dd->CalcResult();
    EXPECT_EQ(dd->GetText(), "5.00");
    QChar letter = QLatin1Char('x');
    dd->KeyPress(letter);
    EXPECT_TRUE(letter.isNull()) << "no other character";
}

TEST_F(CalculatorDropDown, EveryKeyRunsTheCalcHook)
{
    keypad("1 + 2");
    typed("=");
    EXPECT_EQ(dd->beforeCalc, 4);
}

TEST_F(CalculatorDropDown, PopUpHoldsTheKeypadOnly)
{
    // The header and footer appearances exist and are switched off.
    EXPECT_FALSE(dd->DropDownHeader().Visible());
    EXPECT_FALSE(dd->DropDownFooter().Visible());
    EXPECT_EQ(dd->DropDownHeader().Height(), 22);
    openNow();
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(230, 152));
    EXPECT_EQ(dd->DropDownForm()->Header(), nullptr);
    TCustomButtonPanel *panel = dd->ButtonPanel();
    EXPECT_EQ(panel->size(), QSize(228, 150));
    EXPECT_EQ(panel->ButtonAppearance().Color(), dd->CalcButtonAppearance().Color());
    // The keypad's layout in that area.
    const char *lefts[] = {"MC", "7", "8", "9", "/", "sqrt"};
    const int x[] = {8, 46, 79, 112, 150, 183};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(panel->GetButtonRect(keyIndex(lefts[i])).Left, x[i]) << lefts[i];
    const char *tops[] = {"C", "MC", "MR", "MS", "M+"};
    const int y[] = {8, 38, 63, 88, 113};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(panel->GetButtonRect(keyIndex(tops[i])).Top, y[i]) << tops[i];
    EXPECT_EQ(panel->GetButtonRect(keyIndex("Back")).Width(), 54);
    EXPECT_EQ(panel->GetButtonRect(keyIndex("C")).Width(), 55);
}

TEST_F(CalculatorDropDown, StyleGivesTheKeypadItsColours)
{
    struct Row {
        TNovaStyle style;
        bool office2010;
    } rows[] = {{tsOffice2007Luna, false}, {tsWindows7, false}, {tsOffice2010Blue, true}, {tsOffice2010Black, true}};
    for (const Row &r : rows) {
        dd->SetComponentStyle(r.style);
        const TNovaButtonAppearance &src = dd->ButtonAppearance();
        TButtonAppearance &a = dd->CalcButtonAppearance();
        EXPECT_EQ(a.Color(), src.Color()) << int(r.style);
        EXPECT_EQ(a.ColorTo(), src.ColorTo());
        EXPECT_EQ(a.ColorHot(), src.ColorHot());
        EXPECT_EQ(a.ColorHotTo(), src.ColorHotTo());
        EXPECT_EQ(a.ColorDown(), src.ColorDown());
        EXPECT_EQ(a.ColorDownTo(), src.ColorDownTo());
        EXPECT_EQ(a.BorderColor(), src.BorderColor());
        EXPECT_EQ(a.BorderColorHot(), src.BorderColorHot());
        EXPECT_EQ(a.BorderColorDown(), src.BorderColorDown());
        EXPECT_EQ(a.GlowColorHot(), r.office2010 ? src.ColorHot() : src.ColorDownTo()) << int(r.style);
        EXPECT_EQ(a.GlowColorDown(), r.office2010 ? src.ColorHot() : TColor(0xD5C244)) << int(r.style);
    }
    // A new calculator has its style's colours already.
    fresh();
    EXPECT_EQ(dd->CalcButtonAppearance().Color(), dd->ButtonAppearance().Color());
    EXPECT_EQ(dd->DropDownColor(), clWhite) << "white over the style's pop-up colour";
}
