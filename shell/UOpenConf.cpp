#include "shell/UOpenConf.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace {

QString asciiUpper(QString s)
{
    for (QChar &c : s)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return s;
}

bool configurationExists(const QString &name)
{
    return Is_Plain_Project_Name(name) && QFileInfo(Projects_Dir + QLatin1Char('/') + name).isDir();
}

} // namespace

TFOpenConf::TFOpenConf(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true); // the one dialog that may be resized

    Label1 = new QLabel(P_Client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70 - kTitleHeight);
    ListBox1 = new QListWidget(P_Client);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    P_Client->installEventFilter(this);
    setButtonAlignment(Qt::AlignRight);

    resize(377, 351);
    Set_Lang();
}

bool TFOpenConf::eventFilter(QObject *watched, QEvent *event)
{
    // The list follows all four sides of the window.
    if (watched == P_Client && event->type() == QEvent::Resize)
        ListBox1->setGeometry(16, 94 - kTitleHeight, qMax(40, P_Client->width() - 42),
                              qMax(40, P_Client->height() - (94 - kTitleHeight) - 8));
    return TFrameWindow::eventFilter(watched, event);
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(LT(200));
    L_SW_Desc->setText(LT(201));
    Label1->setText(LT(202));
    Label1->adjustSize();
    Btn_OK->setText(LT(203));
    Btn_Cancel->setText(LT(204));
    ListBox1->setToolTip(LT(205));
    Btn_OK->setToolTip(LT(206));
    Btn_Cancel->setToolTip(LT(207));
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL.clear();
    // Names that could not be reopened or copied to another desktop are not offered.
    const QStringList entries =
        QDir(Projects_Dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &e : entries)
        if (Is_Plain_Project_Name(e)) SL << e;
}

int TFOpenConf::Search_Open_Conf(const QString &snc) const
{
    const QString wanted = asciiUpper(snc);
    for (int i = 0; i < SL.size(); ++i)
        if (asciiUpper(SL.at(i)) == wanted) return i;
    return -1;
}

void TFOpenConf::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row >= 0 && row < SL.size()) Name_Conf = SL.at(row);
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(SL);
    }
    QString current;
    const QString prefix = Projects_Dir + QLatin1Char('/');
    if (!Project_Path.isEmpty() && Project_Path.startsWith(prefix)) current = Project_Path.mid(prefix.size());
    int index = current.isEmpty() ? -1 : Search_Open_Conf(current);
    if (index < 0 && !SL.isEmpty()) index = 0;
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        Name_Conf = SL.at(index);
    } else if (!configurationExists(Name_Conf)) {
        // Nothing to offer: an earlier choice whose folder is gone is forgotten.
        Name_Conf.clear();
    }
}

void TFOpenConf::Btn_OKClick()
{
    if (!Name_Conf.isEmpty() && !configurationExists(Name_Conf)) {
        FormShow();
        if (!SL.isEmpty()) return; // let the user choose again from what is there now
    }
    accept();
}

void TFOpenConf::showEvent(QShowEvent *event)
{
    FormShow();
    TFrameWindow::showEvent(event);
}
