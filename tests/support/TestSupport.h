#pragma once
// Helpers shared by the tests: modal-dialog responder, loopback HTTP server, test data paths.
#include "platform/FileChooser.h"

#include <QByteArray>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace testsupport {

// Writes a whole file (the test fails when it cannot); reads one ("" when it cannot).
void writeFile(const QString &path, const QByteArray &data);
QByteArray readAll(const QString &path);

// Resident memory of this process in bytes (from /proc/self/statm; 0 where it cannot be read).
long long residentBytes();

// Counts change notifications (events taking their sender) and remembers the last sender.
struct NotifyCounter {
    int count = 0;
    QObject *sender = nullptr;
    std::function<void(QObject *)> handler()
    {
        return [this](QObject *s) {
            ++count;
            sender = s;
        };
    }
};

// What xmllint says of a well-formedness check of the file at path (empty when it accepts the file).
// False when xmllint is not installed.
bool xmllintMessages(const QString &path, QString &messages);

// Folder of the project's own small fixtures.
QString dataDir();
// Folder of the real IODD corpus beside the project; empty when it is absent.
QString sharedIoddDir();

#define SKIP_WITHOUT_SHARED_IODD()                                                        \
    do {                                                                                  \
        if (testsupport::sharedIoddDir().isEmpty())                                       \
            GTEST_SKIP() << "real IODD corpus not present";                               \
    } while (0)

// Answers modal dialogs and message boxes while code under test runs its own exec().
// Every 10 ms it looks at QApplication::activeModalWidget(); a message box is recorded
// (its text) and answered with the next scripted button (default: the box's default/escape
// button); any other modal widget is handed to the next scripted action.
class ModalResponder : public QObject {
public:
    using Action = std::function<void(QWidget *)>;
    explicit ModalResponder(int timeLimitMs = 10000);
    ~ModalResponder() override;

    // Next message box gets this button.
    void answerBox(QMessageBox::StandardButton button);
    // Next modal widget (dialog or box) is handed to this action.
    void then(Action action);

    // One message box as it was shown.
    struct Box {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    QStringList texts() const { return m_texts; }   // message box texts, in order
    QList<Box> boxes() const { return m_boxes; }
    int modalsSeen() const { return m_seen; }
    bool timedOut() const { return m_timedOut; }

protected:
    // Notes when the last answered window closes: shown again, a waiting script answers it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_limit;
    std::deque<Action> m_script;
    QStringList m_texts;
    QList<Box> m_boxes;
    QPointer<QWidget> m_last;
    bool m_lastHidden = false;
    int m_seen = 0;
    bool m_timedOut = false;
};

// Stands for the user in the platform's file chooser while it lives (the platform's comes back
// afterwards). It keeps each choice offered and answers with the next scripted one the way the
// platform's chooser returns it: a typed name without a folder lies in the offered folder, an
// empty one takes the proposed name, and a name without a suffix gets the default suffix. Without
// a scripted answer, or after cancel(), it answers as a cancelled chooser (empty).
class ScriptedFileChooser {
public:
    ScriptedFileChooser();
    ~ScriptedFileChooser();
    ScriptedFileChooser(const ScriptedFileChooser &) = delete;
    ScriptedFileChooser &operator=(const ScriptedFileChooser &) = delete;

    void type(const QString &name) { m_answers.push_back(name); }
    void cancel() { m_answers.push_back(std::nullopt); }
    const QList<platform::FileChoice> &offered() const { return m_offered; }

    // What the platform's chooser returns when the user types name into choice.
    static QString answer(const platform::FileChoice &choice, const QString &name);

private:
    std::deque<std::optional<QString>> m_answers;
    QList<platform::FileChoice> m_offered;
};

// HTTP/1.0 server on 127.0.0.1 that answers every request with a fixed reply,
// or never answers (silent) so time-outs can be tested.
class LoopbackHttpServer : public QTcpServer {
public:
    explicit LoopbackHttpServer(QByteArray reply = {}, bool silent = false);
    quint16 port() const { return serverPort(); }
    QByteArray lastRequest() const { return m_lastRequest; }
    void setReply(const QByteArray &reply) { m_reply = reply; }
    // Wraps a body into a "200 OK" HTTP reply.
    static QByteArray okReply(const QByteArray &body);

private:
    QByteArray m_reply;
    QByteArray m_lastRequest;
    bool m_silent;
};

} // namespace testsupport
