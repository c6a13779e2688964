// Numeric text entry of the drop-down edit: what typing, pasting and assigning leave in it by edit
// type, with either pair of separators; keys go through the window system's entry, pastes through
// the clipboard.
#include "dropdown/NovaDropDown.h"
#include "support/LocaleSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DropDownNumeric : public ::testing::Test {
protected:
    void SetUp() override
    {
        use(testsupport::usSettings());
        form = std::make_unique<QWidget>();
        form->resize(300, 100);
        dd = new TNovaCustomDropDown(form.get());
        dd->SetBounds(10, 10, 150, 21);
        other = new QLineEdit(form.get());
        other->move(10, 60);
        form->show();
        QApplication::setActiveWindow(form.get());
        dd->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        m_fs.reset();
    }
    void use(const platform::FormatSettings &fs)
    {
        m_fs.reset();
        m_fs = std::make_unique<platform::ScopedFormatSettings>(fs);
    }
    void type(const QString &keys)
    {
        for (QChar c : keys) QTest::keyClick(form->windowHandle(), char(c.unicode()));
    }
    void paste(const QString &clip)
    {
        QApplication::clipboard()->setText(clip);
        QTest::keyClick(form->windowHandle(), Qt::Key_V, Qt::ControlModifier);
    }
    void leave()
    {
        other->setFocus();
        QApplication::processEvents();
    }
    void number(TDropDownEditType type, qint16 precision)
    {
        dd->SetEditType(type);
        dd->SetPrecision(precision);
    }

    std::unique_ptr<QWidget> form;
    TNovaCustomDropDown *dd = nullptr;
    QLineEdit *other = nullptr;

private:
    std::unique_ptr<platform::ScopedFormatSettings> m_fs;
};

} // namespace

TEST_F(DropDownNumeric, WholeNumbers)
{
    dd->SetEditType(etNumeric);
    EXPECT_EQ(dd->GetText(), "0") << "an empty text is no number";
    dd->SetText("");
    dd->SelectAll();
    type("12a3");
    EXPECT_EQ(dd->GetText(), "123");
    dd->setSelection(0, 2);
    paste("45");
    EXPECT_EQ(dd->GetText(), "453");
    dd->setSelection(0, 1);
    paste("4.5");
    EXPECT_EQ(dd->GetText(), "453") << "not a whole number";
    paste("-1");
    EXPECT_EQ(dd->GetText(), "453") << "no sign";
    type("-");
    EXPECT_EQ(dd->GetText(), "453");
    dd->SelectAll();
    QTest::keyClick(form->windowHandle(), Qt::Key_Backspace);
    EXPECT_EQ(dd->GetText(), "");
    leave();
    EXPECT_EQ(dd->GetText(), "0");
}

TEST_F(DropDownNumeric, DecimalsInBothLocales)
{
    struct Locale {
        platform::FormatSettings fs;
        QString dec;
    } locales[] = {{testsupport::usSettings(), "."}, {testsupport::europeanSettings(), ","}};
    for (const Locale &l : locales) {
        use(l.fs);
        const QString d = l.dec;
        dd->SetEditType(etString);
        dd->SetText("");
        number(etFloat, 2);
        EXPECT_EQ(dd->GetText(), "0" + d + "00");
        dd->setText("");
        type(d);
        EXPECT_EQ(dd->GetText(), "0" + d) << "the separator into an empty edit";
        EXPECT_EQ(dd->cursorPosition(), 2);

        dd->SetText("3" + d + "14");
        dd->setCursorPosition(4);
        type("5");
        EXPECT_EQ(dd->GetText(), "3" + d + "14") << "full decimals: dropped at the end";
        dd->setCursorPosition(2);
        type("9");
        EXPECT_EQ(dd->GetText(), "3" + d + "94") << "overwrites";
        dd->setCursorPosition(0);
        type(d);
        EXPECT_EQ(dd->cursorPosition(), 2) << "the separator moves after the existing one";
        EXPECT_EQ(dd->GetText(), "3" + d + "94");
        const QString wrong = d == "." ? "," : ".";
        dd->setCursorPosition(1);
        type("a");
        EXPECT_EQ(dd->GetText(), "3" + d + "94") << "letters are dropped";

        dd->SetText("7");
        EXPECT_EQ(dd->GetText(), "7" + d + "00");
        dd->setText("7");
        const bool modified = dd->GetIsModified();
        leave();
        EXPECT_EQ(dd->GetText(), "7" + d + "00");
        EXPECT_EQ(dd->GetIsModified(), modified);
        dd->setFocus();

        dd->SetText("Error");
        EXPECT_EQ(dd->GetText(), "Error");
        EXPECT_EQ(dd->GetFloatValue(), 0.0);
        dd->SetText("");
        EXPECT_EQ(dd->GetText(), "0" + d + "00");

        dd->SetPrecision(0);
        dd->SetText("5");
        dd->setCursorPosition(1);
        type(d);
        EXPECT_EQ(dd->GetText(), "5") << "no decimals: no separator";
        dd->SetPrecision(2);
    }
}

TEST_F(DropDownNumeric, MoneyGroupsAsItIsTyped)
{
    struct Locale {
        platform::FormatSettings fs;
        QStringList steps;
    } locales[] = {
        {testsupport::usSettings(), {"1.00", "12.00", "123.00", "1,234.00"}},
        {testsupport::europeanSettings(), {"1,00", "12,00", "123,00", "1.234,00"}},
    };
    for (const Locale &l : locales) {
        use(l.fs);
        dd->SetEditType(etString);
        number(etMoney, 2);
        dd->SetText("0");
        dd->setSelection(0, 1);
        for (int i = 0; i < 4; ++i) {
            type(QString::number(i + 1));
            EXPECT_EQ(dd->GetText(), l.steps[i]);
            EXPECT_EQ(dd->cursorPosition(), l.steps[i].size() - 3) << "after the last typed digit";
        }
        EXPECT_DOUBLE_EQ(dd->GetFloatValue(), 1234.0);
        dd->SetFloatValue(-1234567.5);
        EXPECT_EQ(dd->GetText(), l.fs.decimalSeparator == QLatin1Char('.') ? "-1,234,567.50" : "-1.234.567,50");
    }
}

TEST_F(DropDownNumeric, ClipboardEvents)
{
    dd->SetText("hello");
    QString seen;
    dd->OnClipboardPaste = [&](QObject *, const QString &value, bool &allow) {
        seen = value;
        allow = false;
    };
    dd->setCursorPosition(5);
    paste(" world");
    EXPECT_EQ(seen, "hello world") << "the text as it would be";
    EXPECT_EQ(dd->GetText(), "hello");
    dd->OnClipboardPaste = {};
    paste(" world");
    EXPECT_EQ(dd->GetText(), "hello world");

    int copies = 0, cuts = 0;
    dd->OnClipboardCopy = [&](QObject *, const QString &, bool &) { ++copies; };
    dd->OnClipboardCut = [&](QObject *, const QString &value, bool &) {
        ++cuts;
        EXPECT_EQ(value, "world");
    };
    dd->setSelection(6, 5);
    QTest::keyClick(form->windowHandle(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cuts, 1);
    EXPECT_EQ(copies, 0) << "a cut is no copy";
    EXPECT_EQ(dd->GetText(), "hello ");
    EXPECT_EQ(QApplication::clipboard()->text(), "world");
    dd->SelectAll();
    QTest::keyClick(form->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
}

TEST_F(DropDownNumeric, NoConversionErrorReachesTheUser)
{
    struct Row {
        QString text;
        int kind;
    } rows[] = {
        {"", 2}, {"123", 0}, {"-12", 0}, {"1,234.5", 1}, {",123", 2}, {"1,23,4", 1}, {"ABC", 5},
        {"12x", 2}, {"--1", 2}, {"1.2.3", 2}, {"1-2", 0},
    };
    for (const Row &r : rows) EXPECT_EQ(ClassifyNumber(r.text), r.kind) << r.text.toStdString();
    EXPECT_EQ(ClassifyNumber("1,23"), 1) << "a separator one place after nothing before it";

    for (const char *bad : {"abc", "Error", "-", "1e999", "", "\xe2\x82\xac"}) {
        EXPECT_EQ(TextToFloat(QString::fromUtf8(bad)), 0.0) << bad;
        for (TDropDownEditType t : {etString, etNumeric, etFloat, etMoney}) {
            dd->SetEditType(t);
            dd->setText(QString::fromUtf8(bad));
            EXPECT_NO_THROW(dd->GetFloatValue());
            EXPECT_TRUE(std::isfinite(dd->GetFloatValue()));
        }
    }
    dd->SetEditType(etString);
    dd->SetText("hello");
    number(etFloat, 2);
    EXPECT_EQ(dd->GetText(), "0.00") << "a text that is no number becomes zero";
    dd->SetEditType(etString);
    dd->SetPrecision(1);
    EXPECT_EQ(dd->GetText(), "0.0") << "a precision turns free text into a number";
}

TEST_F(DropDownNumeric, NothingRaisesOutOfKeysOrPainting)
{
    // Every edit type, odd texts, every kind of key and paste: the handlers never raise.
    const char *texts[] = {"", "Error", "-", "1e400", ",,,", "12.3.4", "\xef\xbf\xbd", "99999999999999999999999"};
    const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_End, Qt::Key_Home, Qt::Key_Tab};
    for (qint16 precision : {qint16(-1), qint16(0), qint16(2)}) {
        for (TDropDownEditType t : {etString, etNumeric, etFloat, etMoney}) {
            for (const char *text : texts) {
                EXPECT_NO_THROW({
                    dd->SetEditType(etString);
                    dd->SetEditType(t);
                    dd->SetPrecision(precision);
                    dd->setText(QString::fromUtf8(text));
                    dd->SelectAll();
                    type("-1.,5a");
                    for (Qt::Key k : keys) QTest::keyClick(form->windowHandle(), k);
                    paste(QString::fromUtf8(text));
                    dd->SetFloatValue(1e300);
                    dd->SetText(QString::fromUtf8(text));
                    dd->grab();
                    leave();
                    dd->setFocus();
                }) << int(t) << " " << text;
                EXPECT_TRUE(std::isfinite(dd->GetFloatValue()));
            }
        }
    }
}
