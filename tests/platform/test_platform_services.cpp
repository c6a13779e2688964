#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Ping.h"
#include "platform/TextFile.h"

#include "support/TestSupport.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TextFile, ByteOrderMarksAndAnsiFallback)
{
    const QString expected = QStringLiteral("Größe €");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : expected) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(platform::decodeText(QByteArray("\xEF\xBB\xBF") + expected.toUtf8()), expected);
    EXPECT_EQ(platform::decodeText(le), expected);
    EXPECT_EQ(platform::decodeText(be), expected);
    EXPECT_EQ(platform::decodeText("Gr\xF6\xDF" "e \x80"), expected);
    QString text, error;
    EXPECT_FALSE(platform::readTextFile("/nonexistent/file.lng", text, &error));
    EXPECT_FALSE(error.isEmpty());
}

// The quick one-byte paths must give what the code page converters give, character by character
// and for texts built piece by piece.
TEST(TextFile, CodePagesAgreeWithTheirConverters)
{
    for (int u = 1; u < 0x10000; ++u) {
        const QString one(1, QChar(char16_t(u)));
        QStringEncoder ansiEnc("windows-1252"), oemEnc("IBM850");
        ASSERT_EQ(platform::encodeText(one, platform::TextEncoding::Ansi), QByteArray(ansiEnc.encode(one))) << u;
        ASSERT_EQ(platform::encodeText(one, platform::TextEncoding::Oem), QByteArray(oemEnc.encode(one))) << u;
    }
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        QStringDecoder ansiDec("windows-1252");
        ASSERT_EQ(platform::decodeCodePage(one, platform::TextEncoding::Ansi), QString(ansiDec.decode(one))) << b;
    }
    const QString pieces[] = {QStringLiteral("plain,"), QStringLiteral("Größe €"), QStringLiteral("\u4e2d\r\n"),
                              QString(1, QChar(0xD83D)), QString(1, QChar(0xDE00)) + QStringLiteral("x")};
    for (auto enc : {platform::TextEncoding::Ansi, platform::TextEncoding::Oem, platform::TextEncoding::Utf8Bom,
                     platform::TextEncoding::Utf16LeBom}) {
        platform::TextEncoder e(enc);
        QString whole;
        for (const QString &p : pieces) {
            e.append(p);
            whole += p;
        }
        EXPECT_EQ(e.bytes(), platform::encodeText(whole, enc)) << int(enc);
    }
    const QString odd = QStringLiteral("a") + QChar(0xD83D) + QStringLiteral(",") + QChar(0xDE00);
    EXPECT_EQ(platform::encodeText(odd, platform::TextEncoding::Utf8Bom), QByteArray("\xEF\xBB\xBF") + odd.toUtf8());
    EXPECT_EQ(platform::encodeText(QStringLiteral("a€"), platform::TextEncoding::Ansi), QByteArray("a\x80"));
    EXPECT_EQ(platform::encodeText(QStringLiteral("a\u4e2d"), platform::TextEncoding::Utf8Bom),
              QByteArray("\xEF\xBB\xBF" "a\xE4\xB8\xAD"));
}

TEST(Ping, LoopbackAnswersOrTheReasonIsClear)
{
    const platform::PingReply r = platform::icmpEcho("127.0.0.1", 1000);
    if (!r.answered) {
        // Without ping sockets and without root there is no echo, but always a reason.
        EXPECT_FALSE(r.error.isEmpty());
        GTEST_SKIP() << r.error.toStdString();
    }
    EXPECT_GT(r.bytes, 0);
    EXPECT_TRUE(r.error.isEmpty());
}

TEST(Ping, ReplyCarriesTheRequestsData)
{
    const platform::PingReply r = platform::icmpEcho("127.0.0.1", 1000, QByteArrayLiteral("127.0.0.1"));
    if (!r.error.isEmpty()) GTEST_SKIP() << r.error.toStdString();
    ASSERT_TRUE(r.answered);
    EXPECT_EQ(r.bytes, 9);
}

TEST(Ping, BadAddressesAreRefusedWithoutTraffic)
{
    for (const char *bad : {"", "localhost", "1.2.3", "256.1.1.1", "::1"}) {
        const platform::PingReply r = platform::icmpEcho(bad, 100);
        EXPECT_FALSE(r.answered) << bad;
        EXPECT_TRUE(r.error.contains("not an IPv4 address")) << bad;
    }
}

TEST(Ping, TestsCanStandInForTheNetwork)
{
    platform::setPingFunction([](const QString &a, int) {
        platform::PingReply r;
        r.answered = a == "10.0.0.1";
        r.bytes = 32;
        return r;
    });
    EXPECT_TRUE(platform::icmpEcho("10.0.0.1", 10).answered);
    EXPECT_FALSE(platform::icmpEcho("10.0.0.2", 10).answered);
    platform::setPingFunction({});
}

TEST(ClockAndChooser, StandIns)
{
    const QDateTime fixed(QDate(2024, 2, 29), QTime(12, 0));
    platform::setClock([&] { return fixed; }, [] { return qint64(42); });
    EXPECT_EQ(platform::currentDateTime(), fixed);
    EXPECT_EQ(platform::tickMs(), 42);
    platform::setClock({}, {});
    const qint64 a = platform::tickMs();
    EXPECT_GE(platform::tickMs(), a);

    platform::setFileChooser([](const platform::FileChoice &c) { return c.save ? QString("out.csv") : QString(); });
    EXPECT_EQ(platform::chooseFile({true, "Save", "/tmp", "*.csv"}), "out.csv");
    EXPECT_EQ(platform::chooseFile({false, "Open", "/tmp", "*.xml"}), "");
    platform::setFileChooser({});
}

// The platform's save chooser starts in the folder with the proposed name and gives a name typed
// without a suffix the default suffix; the scripted chooser of the tests answers the same.
TEST(ClockAndChooser, SaveChooserOffersTheProposedNameAndAddsTheDefaultSuffix)
{
    QTemporaryDir dir;
    platform::FileChoice choice;
    choice.save = true;
    choice.folder = dir.path();
    choice.filter = QStringLiteral("Management Information Base (*.mib)");
    choice.proposedName = QStringLiteral("GSDML-V2.31 proposed.xml");
    choice.defaultSuffix = QStringLiteral("mib");
    const struct {
        const char *typed;  // nullptr: accept what is offered
        QString expected;
    } cases[] = {{nullptr, dir.filePath("GSDML-V2.31 proposed.xml")},
                 {"gateway", dir.filePath("gateway.mib")},
                 {"gateway.txt", dir.filePath("gateway.txt")}};
    for (const auto &c : cases) {
        testsupport::ModalResponder responder;
        QStringList offered;
        responder.then([&](QWidget *w) {
            auto *d = qobject_cast<QFileDialog *>(w);
            ASSERT_NE(d, nullptr);
            offered = d->selectedFiles();
            EXPECT_EQ(d->defaultSuffix(), "mib");
            EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite));
            // Typed into the name field, as a user does.
            if (c.typed) d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QString::fromLatin1(c.typed));
            static_cast<QDialog *>(d)->accept();  // as the Save button
        });
        EXPECT_EQ(platform::chooseFile(choice).toStdString(), c.expected.toStdString()) << (c.typed ? c.typed : "offered");
        EXPECT_EQ(offered, QStringList{dir.filePath("GSDML-V2.31 proposed.xml")});
        EXPECT_EQ(testsupport::ScriptedFileChooser::answer(choice, c.typed ? QString::fromLatin1(c.typed) : QString()),
                  c.expected);
    }
    testsupport::ModalResponder responder;
    responder.then([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    EXPECT_EQ(platform::chooseFile(choice), "");
}
