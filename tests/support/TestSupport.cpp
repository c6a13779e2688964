#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <unistd.h>

namespace testsupport {

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(data);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

long long residentBytes()
{
    const QList<QByteArray> fields = readAll(QStringLiteral("/proc/self/statm")).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

bool xmllintMessages(const QString &path, QString &messages)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        return false;
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    p.waitForFinished(30000);
    messages = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    if (messages.isEmpty() && (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0))
        messages = QStringLiteral("xmllint failed with code %1").arg(p.exitCode());
    return true;
}

QString dataDir() { return QStringLiteral(CFG_TEST_DATA_DIR); }

QString sharedIoddDir()
{
    const QString d = QDir::cleanPath(QStringLiteral(CFG_SHARED_IODD_DIR));
    return QFileInfo(d).isDir() ? d : QString();
}

ScriptedFileChooser::ScriptedFileChooser()
{
    platform::setFileChooser([this](const platform::FileChoice &choice) {
        m_offered.append(choice);
        if (m_answers.empty()) return QString();
        const std::optional<QString> next = m_answers.front();
        m_answers.pop_front();
        return next ? answer(choice, *next) : QString();
    });
}

ScriptedFileChooser::~ScriptedFileChooser() { platform::setFileChooser({}); }

QString ScriptedFileChooser::answer(const platform::FileChoice &choice, const QString &name)
{
    QString path = name.isEmpty() ? choice.proposedName : name;
    if (path.isEmpty()) return QString();
    if (QFileInfo(path).isRelative()) path = QDir(choice.folder).filePath(path);
    if (!choice.defaultSuffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + choice.defaultSuffix;
    return path;
}

ModalResponder::ModalResponder(int timeLimitMs) : m_limit(timeLimitMs)
{
    m_clock.start();
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer.start();
}

ModalResponder::~ModalResponder() { m_timer.stop(); }

void ModalResponder::answerBox(QMessageBox::StandardButton button)
{
    m_script.push_back([button](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            if (QAbstractButton *b = box->button(button)) { b->click(); return; }
        }
        if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
    });
}

void ModalResponder::then(Action action) { m_script.push_back(std::move(action)); }

bool ModalResponder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched == m_last) m_lastHidden = true;
    return QObject::eventFilter(watched, event);
}

void ModalResponder::tick()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w) return;
    if (m_clock.elapsed() > m_limit) {
        m_timedOut = true;
        if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
        else w->close();
        return;
    }
    // Still closing from the last answer; a window shown again is answered only by a waiting script.
    if (w == m_last && !(m_lastHidden && !m_script.empty())) return;
    if (m_last) m_last->removeEventFilter(this);
    m_last = w;
    m_lastHidden = false;
    w->installEventFilter(this);
    ++m_seen;
    auto *box = qobject_cast<QMessageBox *>(w);
    if (box) {
        m_texts << box->text();
        m_boxes << Box{box->icon(), box->text(), box->standardButtons()};
    }
    if (!m_script.empty()) {
        Action a = std::move(m_script.front());
        m_script.pop_front();
        a(w);
        return;
    }
    if (box) {
        QAbstractButton *b = box->defaultButton() ? static_cast<QAbstractButton *>(box->defaultButton())
                                                  : box->escapeButton();
        if (!b && !box->buttons().isEmpty()) b = box->buttons().first();
        if (b) b->click();
        return;
    }
    if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
}

LoopbackHttpServer::LoopbackHttpServer(QByteArray reply, bool silent)
    : m_reply(std::move(reply)), m_silent(silent)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                m_lastRequest += s->readAll();
                if (m_silent || !m_lastRequest.contains("\r\n\r\n")) return;
                s->write(m_reply);
                s->disconnectFromHost();
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

QByteArray LoopbackHttpServer::okReply(const QByteArray &body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size())
           + "\r\n\r\n" + body;
}

} // namespace testsupport
