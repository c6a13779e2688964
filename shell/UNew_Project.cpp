#include "shell/UNew_Project.h"

#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int kNameEmpty = 107;
constexpr int kNameExists = 106;
constexpr int kNameRefused = 105;

// Names that desktops reserve for devices: a folder cannot carry them there.
bool isReservedDeviceName(const QString &name)
{
    const QString stem = name.section(QLatin1Char('.'), 0, 0).toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    if (fixed.contains(stem)) return true;
    if (stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT")))
        && stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9'))
        return true;
    return false;
}

bool existsIgnoringCase(const QString &name)
{
    if (QFileInfo::exists(Projects_Dir + QLatin1Char('/') + name)) return true;
    const QStringList entries = QDir(Projects_Dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                             | QDir::NoDotAndDotDot);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

int New_Project_Name_Error(const QString &name)
{
    if (name.isEmpty()) return kNameEmpty;
    // One plain folder name that any desktop can hold; a trailing dot would be dropped by some.
    if (!Is_Plain_Project_Name(name) || name.endsWith(QLatin1Char('.')) || isReservedDeviceName(name))
        return kNameRefused;
    if (existsIgnoringCase(name)) return kNameExists;
    return 0;
}

TFNew_Project::TFNew_Project(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FNew_Project"));

    // Positions in the client panel, which starts below the title panel.
    Label1 = new QLabel(P_Client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70 - kTitleHeight);
    E_New_Proj = new QLineEdit(P_Client);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 94 - kTitleHeight, 297, 21);
    E_New_Proj->installEventFilter(this);
    setButtonAlignment(Qt::AlignRight);

    setFixedSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(LT(100));
    L_SW_Desc->setText(LT(101));
    Label1->setText(LT(102));
    Label1->adjustSize();
    Btn_OK->setText(LT(103));
    Btn_Cancel->setText(LT(104));
    E_New_Proj->setToolTip(LT(108));
    Btn_OK->setToolTip(LT(109));
    Btn_Cancel->setToolTip(LT(110));
}

void TFNew_Project::showEvent(QShowEvent *event)
{
    E_New_Proj->clear();
    TFrameWindow::showEvent(event);
    E_New_Proj->setFocus();
}

bool TFNew_Project::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == E_New_Proj && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Btn_OKClick();
            return true;
        }
    }
    return TFrameWindow::eventFilter(watched, event);
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    if (const int error = New_Project_Name_Error(name)) {
        platform::showError(LT(error), this);
        return;
    }
    const QString folder = Projects_Dir + QLatin1Char('/') + name;
    if (!QDir().mkdir(folder)) {
        platform::showError(LT(kNameRefused), this);
        return;
    }
    QDir().mkpath(folder + QStringLiteral("/bin")); // a failure shows when the images are written
    Project_Name = name;
    Project_Path = folder;
    Set_Files();
    accept();
}
