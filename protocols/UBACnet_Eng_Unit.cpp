#include "protocols/UBACnet_Eng_Unit.h"

#include "protocols/UBACnet_Units.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

constexpr int kEngUnitWidth = 548;
constexpr int kEngUnitHeight = 306;
constexpr int kEngUnitFieldWidth = 70;

QFrame *engUnitLine(QWidget *parent, const char *name)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

template <class W>
W *engUnitControl(QWidget *parent, const char *name)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FBACnet_Eng_Unit"));
    Label1 = engUnitControl<QLabel>(P_Client, "Label1");
    E_Selected_EU = engUnitControl<QLineEdit>(P_Client, "E_Selected_EU");
    E_Selected_EU->setFixedWidth(kEngUnitFieldWidth);
    Label5 = engUnitControl<QLabel>(P_Client, "Label5");
    Shape1 = engUnitLine(P_Client, "Shape1");
    Label2 = engUnitControl<QLabel>(P_Client, "Label2");
    Label3 = engUnitControl<QLabel>(P_Client, "Label3");
    CB_Select_Type = engUnitControl<QComboBox>(P_Client, "CB_Select_Type");
    Label4 = engUnitControl<QLabel>(P_Client, "Label4");
    CB_Select_Unit = engUnitControl<QComboBox>(P_Client, "CB_Select_Unit");
    Btn_Select_Eng_Unit = engUnitControl<TLbButton>(P_Client, "Btn_Select_Eng_Unit");
    Set_Button_Look(Btn_Select_Eng_Unit);
    Btn_Select_Eng_Unit->setMinimumWidth(0);
    Btn_Select_Eng_Unit->setMaximumWidth(QWIDGETSIZE_MAX);
    Shape2 = engUnitLine(P_Client, "Shape2");
    Label1->setBuddy(E_Selected_EU);
    Label3->setBuddy(CB_Select_Type);
    Label4->setBuddy(CB_Select_Unit);

    auto *grid = new QGridLayout(P_Client);
    grid->setContentsMargins(16, 6, 16, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(E_Selected_EU, 0, 1);
    grid->addWidget(Label5, 0, 2);
    grid->addWidget(Shape1, 1, 0, 1, 3);
    grid->addWidget(Label2, 2, 0, 1, 3);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(CB_Select_Type, 3, 1, 1, 2);
    grid->addWidget(Label4, 4, 0);
    grid->addWidget(CB_Select_Unit, 4, 1, 1, 2);
    grid->addWidget(Btn_Select_Eng_Unit, 5, 0, 1, 3);
    grid->addWidget(Shape2, 6, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(7, 1);

    // Fixed items, never translated.
    for (const TBACnet_Unit_Group &group : BACnet_Unit_Groups()) CB_Select_Type->addItem(QLatin1String(group.name));
    CB_Select_Type->setCurrentIndex(0);
    connect(CB_Select_Type, &QComboBox::activated, this, [this] { CB_Select_TypeSelect(); });
    Btn_Select_Eng_Unit->OnClick = [this](QObject *) { Btn_Select_Eng_UnitClick(); };
    FormCreate();
}

void TFBACnet_Eng_Unit::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    setFixedSize(kEngUnitWidth, kEngUnitHeight);
    Set_Lang();
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    setWindowTitle(LT(2200));
    L_SW_Desc->setText(LT(2201));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(LT(2202));
    Btn_Cancel->setText(LT(2203));
    Label1->setText(LT(2204));
    Label2->setText(LT(2205));
    Label3->setText(LT(2206));
    Label4->setText(LT(2207));
    Btn_Select_Eng_Unit->setText(LT(2208));
}

QString TFBACnet_Eng_Unit::Desc_Unit(int Num_Unit) { return ::Desc_Unit(Num_Unit); }

void TFBACnet_Eng_Unit::showEvent(QShowEvent *e)
{
    TFrameWindow::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFBACnet_Eng_Unit::FormShow() { CB_Select_TypeSelect(); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect()
{
    const auto groups = BACnet_Unit_Groups();
    const int g = CB_Select_Type->currentIndex();
    CB_Select_Unit->clear();
    if (g < 0 || size_t(g) >= groups.size()) return;
    for (const TBACnet_Unit &unit : groups[size_t(g)].units) CB_Select_Unit->addItem(QLatin1String(unit.name));
    CB_Select_Unit->setCurrentIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick()
{
    const auto groups = BACnet_Unit_Groups();
    const int g = CB_Select_Type->currentIndex();
    const int u = CB_Select_Unit->currentIndex();
    if (g < 0 || size_t(g) >= groups.size() || u < 0 || size_t(u) >= groups[size_t(g)].units.size()) return;
    const int code = groups[size_t(g)].units[size_t(u)].code;
    E_Selected_EU->setText(QString::number(code));
    Label5->setText(QStringLiteral("-> ") + Desc_Unit(code));
}
