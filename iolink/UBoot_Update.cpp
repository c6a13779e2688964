// The update button: ping, job file and the external update tool.
#include "iolink/UBoot.h"

#include "iolink/UBoot_Job.h"
#include "platform/Dialogs.h"
#include "platform/Ping.h"
#include "platform/TextFormat.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>
#include <future>

namespace {

// Texts of the tool's outcome.
constexpr int kToolNotStarted = 1438, kToolFailed = 1439, kToolStillRunning = 1440;

void keepPainting()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// One echo on a worker thread while the windows go on painting.
platform::PingReply echoWhilePainting(const QString &address, int timeoutMs)
{
    std::future<platform::PingReply> reply = std::async(std::launch::async, [address, timeoutMs] {
        return platform::icmpEcho(address, timeoutMs, address.toLatin1());
    });
    while (reply.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) keepPainting();
    return reply.get();
}

// The address in its plain form ("010.1.1.1" becomes "10.1.1.1"); empty when it is not one.
QString normalAddress(const QString &text)
{
    QString o[4];
    if (!Split_IP_Address(text, o[0], o[1], o[2], o[3])) return {};
    QStringList parts;
    for (const QString &part : o) parts << QString::number(StrToIntDef(part, 0));
    return parts.join(QLatin1Char('.'));
}

class BusyGuard {
public:
    explicit BusyGuard(bool &busy) : m_busy(busy) { m_busy = true; }
    ~BusyGuard() { m_busy = false; }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

private:
    bool &m_busy;
};

} // namespace

void TFBoot::PingReply(int receivedBytes)
{
    ping_res = receivedBytes > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
    ping_res = 0;
    Ping_Error.clear();
    const QString address = normalAddress(Typed_Address());
    if (address.isEmpty()) {
        Ping_Error = platform::formatText(QStringLiteral("\"%s\" is not an IPv4 address."), {Typed_Address()});
        return false;
    }
    QElapsedTimer start;
    start.start();
    int successes = 0;
    do {
        const platform::PingReply reply = echoWhilePainting(address, kEchoTimeoutMs);
        if (!reply.error.isEmpty()) {
            Ping_Error = reply.error;
            return false;
        }
        PingReply(reply.answered ? reply.bytes : 0);
        QThread::msleep(10);
        keepPainting();
        if (ping_res == 1) ++successes;
    } while (successes < 2 && start.elapsed() <= Ping_Time_Limit_Ms);
    return ping_res == 1;
}

bool TFBoot::Compile_XML_Parameter_New_Boot(QString *error)
{
    TUpdate_Job job;
    const QString address = normalAddress(Typed_Address());
    job.IP_Address = address.isEmpty() ? Typed_Address() : address;
    job.Option = CB_Update_Options->currentIndex();
    job.Read_Back = CB_Update_Option_Read_Back->isChecked();
    job.Master_Dir = Master_Dir;
    job.Project_Path = Project_Path;
    return Save_Update_Job(XML1, job, Exe_Dir + QLatin1Char('/') + kUpdate_Job_Name, error);
}

void TFBoot::Btn_UpdateClick()
{
    if (m_busy) return;
    if (Form_Type == 0) {
        Serial_Update();
        return;
    }
    if (Form_Type != 1) return;

    const QString address = normalAddress(Typed_Address());
    if (address.isEmpty()) {
        platform::showError(LT(1437), this);
        return;
    }
    bool answered;
    {
        BusyGuard busy(m_busy);
        answered = Send_Ping();
    }
    if (!answered) {
        if (ping_res == 2)
            platform::showWarning(LT(1436), this);
        else
            platform::showError(Ping_Error.isEmpty() ? LT(1437) : LT(1437) + QStringLiteral("\n\n") + Ping_Error, this);
        return;
    }

    Last_IP_Address = address;
    Last_Update_Option = CB_Update_Options->currentIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->isChecked();
    QString error;
    if (!Compile_XML_Parameter_New_Boot(&error)) {
        platform::showError(error, this);
        return;
    }
    Run_Update_Tool(Exe_Dir + QLatin1Char('/') + kUpdate_Tool_Name, QString());
}

void TFBoot::Run_Update_Tool(const QString &program, const QString &parameter)
{
    platform::RunResult result;
    if (FDovavivuvFirmWare) {
        BusyGuard busy(m_busy);
        result = FDovavivuvFirmWare->Start_Program(program, parameter, 0);
    }
    const QString shown = QDir::toNativeSeparators(program);
    switch (result.outcome) {
    case platform::RunOutcome::NotStarted:
        platform::showError(platform::formatText(LT(kToolNotStarted), {shown}), this);
        break;
    case platform::RunOutcome::StillRunning: {
        const int seconds = FDovavivuvFirmWare ? (FDovavivuvFirmWare->Start_Program_Timeout_Ms + 999) / 1000 : 0;
        platform::showWarning(platform::formatText(LT(kToolStillRunning), {shown, seconds}), this);
        break;
    }
    case platform::RunOutcome::Ended:
        if (result.exitCode != 0)
            platform::showError(platform::formatText(LT(kToolFailed), {shown, result.exitCode}), this);
        break;
    }
}

// ---- Serial path (not opened by this model) ------------------------------------------------------

QString TFBoot::Update_Options(const QString &text) const
{
    const bool readBack = CB_Update_Option_Read_Back->isChecked();
    const QString firmware = QStringLiteral("FW ") + (readBack ? QStringLiteral("FR ") : QStringLiteral("NO "));
    const QString parameters = QStringLiteral("PW ") + (readBack ? QStringLiteral("PR ") : QStringLiteral("NO "));
    switch (CB_Update_Options->currentIndex()) {
    case 0: return text + firmware + parameters;
    case 1: return text + firmware + QStringLiteral("NO NO ");
    case 2: return text + QStringLiteral("NO NO ") + parameters;
    default: return text;
    }
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->clear();
    for (const QString &n : Get_COM_Port_List()) CB_COM_Port->addItem(QStringLiteral("COM") + n);
    if (CB_COM_Port->count() > 0) CB_COM_Port->setCurrentIndex(0);
}

void TFBoot::Btn_COM_ListClick()
{
    update_ComPort();
}

void TFBoot::Serial_Update()
{
    Last_Update_Option = CB_Update_Options->currentIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->isChecked();
    const QString parameter = Update_Options(QStringLiteral("\\\\.\\") + CB_COM_Port->currentText() + QLatin1Char(' '))
                              + QLatin1Char('"') + Master_Dir + QStringLiteral("/Sim41520.sim\" \"") + Project_Path
                              + QStringLiteral("/bin\"");
    Run_Update_Tool(Exe_Dir + QStringLiteral("/Serial_Update.exe"), parameter);
}
