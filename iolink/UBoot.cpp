#include "iolink/UBoot.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 449;
constexpr int kIPHeight = 49, kSerialHeight = 51, kSearchHeight = 184, kOptionsHeight = 72;
constexpr int kOctetWidth = 41, kOctetStep = 53, kLeft = 16;

QWidget *newPanel(QWidget *parent, const char *name, int height)
{
    auto *p = new QWidget(parent);
    p->setObjectName(QLatin1String(name));
    p->setFixedHeight(height);
    return p;
}

QLabel *newLabel(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, w, 16);
    return l;
}

TLbButton *newButton(QWidget *parent, const char *name, int x, int y, int w, int h)
{
    auto *b = new TLbButton(parent);
    b->setObjectName(QLatin1String(name));
    TFrameWindow::Set_Button_Look(b);
    b->setFixedSize(w, h);
    b->move(x, y);
    return b;
}

} // namespace

TFBoot::TFBoot(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FBoot"));
    FBoot = this;

    auto *column = new QVBoxLayout(P_Client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    P_IP_Address = newPanel(P_Client, "P_IP_Address", kIPHeight);
    L_IP_Address = newLabel(P_IP_Address, "L_IP_Address", kLeft, 4, kClientWidth - 2 * kLeft);
    QLineEdit **fields[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        auto *e = new QLineEdit(QStringLiteral("0"), P_IP_Address);
        e->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        e->setGeometry(kLeft + i * kOctetStep, 22, kOctetWidth, 21);
        e->installEventFilter(this);
        *fields[i] = e;
        if (i < 3) {
            auto *dot = new QLabel(QStringLiteral("."), P_IP_Address);
            dot->setObjectName(QStringLiteral("L_Dot%1").arg(i + 1));
            dot->setGeometry(kLeft + i * kOctetStep + kOctetWidth + 4, 26, 4, 16);
        }
    }

    P_Serial = newPanel(P_Client, "P_Serial", kSerialHeight);
    L_COM_Port = newLabel(P_Serial, "L_COM_Port", kLeft, 4, kClientWidth - 2 * kLeft);
    CB_COM_Port = new QComboBox(P_Serial);
    CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    CB_COM_Port->setGeometry(kLeft, 22, 150, 22);
    Btn_COM_List = newButton(P_Serial, "Btn_COM_List", kLeft + 158, 20, 26, 26);
    Btn_COM_List->setText(QStringLiteral("..."));
    Btn_COM_List->OnClick = [this](QObject *) { Btn_COM_ListClick(); };

    P_Eth_Search = newPanel(P_Client, "P_Eth_Search", kSearchHeight);
    L_List_Device = newLabel(P_Eth_Search, "L_List_Device", kLeft, 8, 280);
    Btn_Search = newButton(P_Eth_Search, "Btn_Search", kClientWidth - kLeft - 110, 4, 110, 28);
    NCG_List_Devices = new TNovaColumnGrid(P_Eth_Search);
    NCG_List_Devices->setObjectName(QStringLiteral("NCG_List_Devices"));
    NCG_List_Devices->SetColCount(2);
    NCG_List_Devices->SetRowCount(2);
    NCG_List_Devices->SetFixedCols(0);
    for (int c = 0; c < 2; ++c) NCG_List_Devices->Columns()->GetItem(c)->SetWidth(180);
    NCG_List_Devices->setGeometry(kLeft, 36, kClientWidth - 2 * kLeft, kSearchHeight - 36 - 30);
    CB_Find_All_Velmar = new QCheckBox(P_Eth_Search);
    CB_Find_All_Velmar->setObjectName(QStringLiteral("CB_Find_All_Velmar"));
    CB_Find_All_Velmar->setGeometry(kLeft, kSearchHeight - 24, kClientWidth - 2 * kLeft, 17);
    CB_Find_All_Velmar->setChecked(true);

    P_Options = newPanel(P_Client, "P_Options", kOptionsHeight);
    L_Update_Option = newLabel(P_Options, "L_Update_Option", kLeft, 4, kClientWidth - 2 * kLeft);
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setGeometry(kLeft, 22, 220, 22);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(kLeft, 50, kClientWidth - 2 * kLeft, 17);
    CB_Update_Option_Read_Back->setChecked(true);

    for (QWidget *p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) column->addWidget(p);
    column->addStretch(1);

    // Cancel, then the update button, which leaves the window open.
    Btn_OK->hide();
    Btn_Update = new TLbButton;
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    addPanelButton(Btn_Update);
    Btn_Update->setFixedWidth(190);
    Btn_Update->setGlyph(Btn_OK->glyph());
    Btn_Update->OnClick = [this](QObject *) { Btn_UpdateClick(); };

    // Tab order by panel: address, search, options, buttons, serial port.
    const QWidget *const order[] = {E_IP1, E_IP2, E_IP3, E_IP4, Btn_Search, CB_Find_All_Velmar, CB_Update_Options,
                                    CB_Update_Option_Read_Back, Btn_Cancel, Btn_Update, CB_COM_Port, Btn_COM_List};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget *>(order[i]), const_cast<QWidget *>(order[i + 1]));

    Set_Lang();
    L_SW_Code->setText(SW_Code);
    resize(kClientWidth, kTitleHeight + kIPHeight + kOptionsHeight + kButtonPanelHeight);
}

TFBoot::~TFBoot()
{
    if (FBoot == this) FBoot = nullptr;
}

void TFBoot::Set_Lang()
{
    const int kind = Form_Type >= 0 && Form_Type <= 2 ? Form_Type : 1;
    setWindowTitle(LT(1400 + 2 * kind));
    L_SW_Desc->setText(LT(1401 + 2 * kind));
    L_IP_Address->setText(LT(1406));
    L_COM_Port->setText(LT(1407));
    L_List_Device->setText(LT(1409));
    Btn_Search->setText(LT(1410));
    CB_Find_All_Velmar->setText(LT(1413));
    NCG_List_Devices->Columns()->GetItem(0)->SetHeader(LT(1411));
    NCG_List_Devices->Columns()->GetItem(1)->SetHeader(LT(1412));
    L_Update_Option->setText(LT(1414));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({LT(1415), LT(1416), LT(1417)});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Option_Read_Back->setText(LT(1418));
    Btn_Cancel->setText(LT(1419));
    Btn_Update->setText(LT(1420));
    const auto fields = Address_Fields();
    for (int i = 0; i < 4; ++i) fields[size_t(i)]->setToolTip(LT(1421 + i));
    CB_COM_Port->setToolTip(LT(1425));
    Btn_COM_List->setToolTip(LT(1427));
    Btn_Search->setToolTip(LT(1429));
    NCG_List_Devices->setToolTip(LT(1430));
    CB_Find_All_Velmar->setToolTip(LT(1431));
    CB_Update_Options->setToolTip(LT(1432));
    CB_Update_Option_Read_Back->setToolTip(LT(1433));
    Btn_Cancel->setToolTip(LT(1434));
    Btn_Update->setToolTip(LT(1435));
}

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->setText(SW_Code);

    for (QWidget *p : {P_IP_Address, P_Serial, P_Eth_Search, P_Options}) p->hide();
    int middle = 0;
    if (Form_Type == 1) {
        P_IP_Address->show();
        P_Options->show();
        middle = kIPHeight + kOptionsHeight;
    } else if (Form_Type == 0) {
        P_Serial->show();
        P_Options->show();
        middle = kSerialHeight + kOptionsHeight;
        update_ComPort();
    }
    setFixedSize(kClientWidth, kTitleHeight + middle + kButtonPanelHeight);

    QString o[4];
    if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, o[0], o[1], o[2], o[3])) {
        const auto fields = Address_Fields();
        for (size_t i = 0; i < 4; ++i) fields[i]->setText(o[i]);
    }
    CB_Update_Options->setCurrentIndex(Last_Update_Option >= 0 && Last_Update_Option < CB_Update_Options->count()
                                           ? Last_Update_Option
                                           : 0);
    CB_Update_Option_Read_Back->setChecked(Last_Read_Back);
    if (E_IP1->isVisibleTo(this) && E_IP1->isEnabled()) E_IP1->setFocus();
}

QString TFBoot::Typed_Address() const
{
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text() + QLatin1Char('.')
           + E_IP4->text();
}

void TFBoot::showEvent(QShowEvent *e)
{
    FormShow();
    TFrameWindow::showEvent(e);
}

void TFBoot::reject()
{
    // The ping and the update tool finish before the window may close.
    if (!m_busy) TFrameWindow::reject();
}

void TFBoot::closeEvent(QCloseEvent *e)
{
    if (m_busy) {
        e->ignore();
        return;
    }
    TFrameWindow::closeEvent(e);
}

bool TFBoot::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->text() == QLatin1String(".")) {
        // "." moves along the address and never enters a field.
        const auto fields = Address_Fields();
        for (size_t i = 0; i + 1 < fields.size(); ++i) {
            if (watched != fields[i]) continue;
            QLineEdit *next = fields[i + 1];
            if (next->isVisibleTo(this) && next->isEnabled()) next->setFocus(Qt::TabFocusReason);
        }
        for (QLineEdit *f : fields)
            if (watched == f) return true;
    }
    return TFrameWindow::eventFilter(watched, e);
}
