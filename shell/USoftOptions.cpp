#include "shell/USoftOptions.h"

#include "platform/Dialogs.h"
#include "platform/UrlOpener.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/UProgram_Button.h"
#include "shell/ULanguage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const struct {
    int imageTop, imageLeft, nameTop, nameLeft;
} kLangSlots[6] = {
    {40, 24, 56, 80}, {94, 26, 110, 80}, {148, 24, 164, 80},
    {40, 254, 56, 310}, {94, 254, 110, 310}, {148, 254, 164, 310},
};

QCheckBox *checkBox(QWidget *page, const char *name, int top, int left)
{
    auto *c = new QCheckBox(page);
    c->setObjectName(QLatin1String(name));
    c->move(left, top);
    return c;
}


} // namespace

TFSoftOptions::TFSoftOptions(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FSoftOptions"));

    PC_Options = new QTabWidget(P_Client);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    TS_Soft_Settings = new QWidget;
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());

    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->move(12, 11);
    for (int i = 0; i < 6; ++i) {
        const auto &p = kLangSlots[i];
        I_L[i] = new TClickLabel(TS_Language);
        I_L[i]->setObjectName(QStringLiteral("I_L%1").arg(i + 1));
        I_L[i]->setGeometry(p.imageLeft, p.imageTop, 48, 48);
        I_L[i]->setScaledContents(true);
        I_L[i]->setCursor(Qt::PointingHandCursor);
        L_L[i] = new TClickLabel(TS_Language);
        L_L[i]->setObjectName(QStringLiteral("L_L%1").arg(i + 1));
        L_L[i]->move(p.nameLeft, p.nameTop);
        L_L[i]->setCursor(Qt::PointingHandCursor);
        connect(I_L[i], &TClickLabel::clicked, this, [this, i] { LangClick(i + 1); });
        connect(L_L[i], &TClickLabel::clicked, this, [this, i] { LangClick(i + 1); });
    }
    Btn_Prev = Program_Button(TS_Language, "Btn_Prev", 204, 12, 110, 28, bsEncarta, QStyle::SP_ArrowLeft, 16);
    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->move(220, 212);
    auto *next = Program_Button(TS_Language, "Btn_Next", 205, 379, 110, 28, bsEncarta, QStyle::SP_ArrowRight, 16);
    next->setGlyphLayout(blGlyphRight);
    Btn_Next = next;
    connect(Btn_Prev, &QAbstractButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QAbstractButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });

    CB_En_Con = checkBox(TS_Con_Options, "CB_En_Con", 16, 12);
    CB_Update = checkBox(TS_Con_Options, "CB_Update", 47, 36);
    Btn_Check_Update =
        Program_Button(TS_Con_Options, "Btn_Check_Update", 78, 36, 204, 28, bsEncarta, QStyle::SP_BrowserReload, 16);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->move(40, 120);
    LL_Check_Update->setTextFormat(Qt::RichText);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Check_Update->setOpenExternalLinks(false);
    connect(LL_Check_Update, &QLabel::linkActivated, this,
            [this](const QString &link) { LL_Check_UpdateLinkClick(link); });
    connect(Btn_Check_Update, &QAbstractButton::clicked, this, [this] { Btn_Check_UpdateClick(); });

    CB_Soft_Set_Jump_Table = checkBox(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16, 12);
    CB_DoubleClick_Auto_Size = checkBox(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 39, 12);
    for (QCheckBox *c : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(c, &QCheckBox::toggled, this, [this] { CB_En_ConClick(); });

    auto *client = new QVBoxLayout(P_Client);
    client->setContentsMargins(0, 0, 0, 0);
    client->addWidget(PC_Options);
    setButtonAlignment(Qt::AlignLeft);

    PC_Options->tabBar()->setTabVisible(1, true);
    setFixedSize(509, 373);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(LT(300));
    L_SW_Desc->setText(LT(301));
    PC_Options->setTabText(0, LT(302));
    PC_Options->setTabText(1, LT(303));
    PC_Options->setTabText(2, LT(319));
    L_Sel_Lang->setText(LT(304) + Language_In_Use);
    L_Sel_Lang->adjustSize();
    L_Page_Lang->setText(LT(305) + QStringLiteral("1") + LT(306) + QStringLiteral("1"));
    L_Page_Lang->adjustSize();
    Btn_Prev->setText(LT(307));
    Btn_Next->setText(LT(308));
    CB_En_Con->setText(LT(309));
    CB_Update->setText(LT(310));
    Btn_Check_Update->setText(LT(311));
    Btn_OK->setText(LT(312));
    Btn_Cancel->setText(LT(313));
    CB_Soft_Set_Jump_Table->setText(LT(320));
    CB_DoubleClick_Auto_Size->setText(LT(321));
    for (QCheckBox *c : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size}) c->adjustSize();
}

void TFSoftOptions::showEvent(QShowEvent *event)
{
    FormShow();
    TFrameWindow::showEvent(event);
}

void TFSoftOptions::FormShow()
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(Opt_Enable_Internet);
    CB_Update->setChecked(Opt_Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(Opt_Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(Opt_Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.clear();
    // Plain files only: read-only and linked files are not offered, nor are folders.
    const QFileInfoList files = QDir(Language_Dir).entryInfoList({QStringLiteral("*.lng")},
                                                                 QDir::Files | QDir::Hidden | QDir::System
                                                                     | QDir::NoSymLinks);
    for (const QFileInfo &f : files) {
        if (!f.permission(QFile::WriteOwner)) continue;
        SL_Languages << f.fileName();
    }
    std::sort(SL_Languages.begin(), SL_Languages.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    Show_Page = 1;
    Update_Lang_Page(1);
}

int TFSoftOptions::pageCount() const
{
    return (int(SL_Languages.size()) + 5) / 6;
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int n = int(SL_Languages.size());
    const int pages = pageCount();
    L_Sel_Lang->setText(LT(304) + Language_In_Use);
    L_Sel_Lang->adjustSize();
    L_Page_Lang->setText(LT(305) + QString::number(Num_Page) + LT(306) + QString::number(pages));
    L_Page_Lang->adjustSize();
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page != pages);

    const int k = qMin(6, n - 6 * (Num_Page - 1));
    for (int i = 0; i < 6; ++i) {
        const bool shown = i == 0 || i < k;
        I_L[i]->setVisible(shown);
        L_L[i]->setVisible(shown);
        if (!shown) continue;
        if (i >= k) { // slot 1 with no language behind it
            L_L[i]->clear();
            I_L[i]->hide();
            continue;
        }
        QString name = SL_Languages.at(6 * (Num_Page - 1) + i);
        name.chop(4);
        L_L[i]->setText(name);
        L_L[i]->adjustSize();
        QString picture = Language_Dir + QLatin1Char('/') + name + QStringLiteral(".bmp");
        if (!QFileInfo::exists(picture)) picture = Language_Dir + QStringLiteral("/DefaultFlag.bmp");
        QPixmap pixmap;
        if (QFileInfo::exists(picture)) pixmap.load(picture);
        if (pixmap.isNull()) {
            I_L[i]->clear();
            I_L[i]->hide();
        } else {
            I_L[i]->setPixmap(pixmap);
        }
    }
}

void TFSoftOptions::Btn_NextClick(QObject *Sender)
{
    if (Sender == Btn_Next) {
        if (pageCount() >= Show_Page + 1) ++Show_Page;
    } else if (Sender == Btn_Prev) {
        if (Show_Page - 1 > 0) --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int slot)
{
    const int index = 6 * (Show_Page - 1) + (slot - 1);
    if (slot < 1 || slot > 6 || index < 0 || index >= SL_Languages.size()) return; // no language there
    QString name = SL_Languages.at(index);
    name.chop(4);
    if (platform::askYesNo(LT(316) + Language_In_Use + LT(317) + name + LT(318), this) != platform::Answer::Yes)
        return;
    Language_In_Use = name;
    const QString remembered = Language_Name;
    Language_Name = name;
    Load_Language();
    Language_Name = remembered;
    if (FDovavivuvFirmWare)
        FDovavivuvFirmWare->Change_Language();
    else
        Set_Lang();
    L_Sel_Lang->setText(LT(304) + Language_In_Use);
    L_Sel_Lang->adjustSize();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::CB_En_ConClick()
{
    Update_CheckBox();
}

bool TFSoftOptions::Check_Version()
{
    return Is_Newer_Version_Reply(Query_Published_Version(), kSWVersion);
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version())
        LL_Check_Update->setText(platform::linkHtml(Download_Page_Url(), LT(314)));
    else
        LL_Check_Update->setText(LT(315).toHtmlEscaped());
    LL_Check_Update->adjustSize();
    LL_Check_Update->show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString &Link)
{
    platform::openWebUrl(QUrl(Link));
}

void TFSoftOptions::Btn_OKClick()
{
    Language_Name = Language_In_Use;
    Opt_Enable_Internet = CB_En_Con->isChecked();
    Opt_Enable_Update = CB_Update->isChecked();
    if (FDovavivuvFirmWare) FDovavivuvFirmWare->Set_Update_Timer(Opt_Enable_Internet && Opt_Enable_Update);
    Opt_Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}
