#include "iolink/UIO_Link_Set_Access.h"

#include "grid/NovaColumnGrid.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access_Look.h"
#include "platform/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace setaccess;

namespace {

constexpr int kChannelPanelHeight = 234;
// Titles of the channel grid, its columns in order.
constexpr int kChannelTitles[] = {1211, 1297, 1298, 1212, 1213, 1214, 1731};
constexpr int kIdentityTitles[] = {1228, 1229, 1230, 1231, 1232, 1233, 1234};
constexpr int kTransportTitles[] = {1239, 1240, 1241, 1242};
constexpr int kIOOptionTitles[] = {1710, 1711, 1712, 1713, 1714, 1733, 1715};
constexpr int kEventTitles[] = {1717, 1718, 1719, 1720, 1721, 1722, 1723, 1724};
constexpr int kVariantTitles[] = {1236, 1237, 1238};

QWidget *newPage(QTabWidget *tabs)
{
    auto *page = new QWidget(tabs);
    auto *box = new QVBoxLayout(page);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    tabs->addTab(page, QString());
    return page;
}

QLabel *newLabel(QWidget *parent, const QString &name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QString yesNo(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

} // namespace

TFIO_Link_Set_Access::TFIO_Link_Set_Access(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FIO_Link_Set_Access"));
    FormCreate();
    Choose_Catalog_File = []() -> std::optional<QString> {
        if (!FIOLink_IODD_Catalog || FIOLink_IODD_Catalog->exec() != QDialog::Accepted) return std::nullopt;
        return FIOLink_IODD_Catalog->Selected_File();
    };
    Table.Report = [this](TIOLink_Channel_Table::MsgKind k, const QString &text) {
        if (k == TIOLink_Channel_Table::MsgKind::Warning) platform::showWarning(text, this);
        else platform::showError(text, this);
    };
}

TFIO_Link_Set_Access::~TFIO_Link_Set_Access()
{
    if (FIO_Link_Set_Access == this) FIO_Link_Set_Access = nullptr;
}

void TFIO_Link_Set_Access::FormCreate()
{
    auto *column = new QVBoxLayout(P_Client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Splitter1 = new QSplitter(Qt::Vertical, P_Client);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    column->addWidget(Splitter1);

    // The channel panel: title and one row per port.
    P_Channels = new QWidget(Splitter1);
    P_Channels->setObjectName(QStringLiteral("P_Channels"));
    auto *channels = new QVBoxLayout(P_Channels);
    channels->setContentsMargins(8, 4, 8, 4);
    channels->setSpacing(4);
    L_Channels = newLabel(P_Channels, QStringLiteral("L_Channels"));
    QFont bold = L_Channels->font();
    bold.setBold(true);
    L_Channels->setFont(bold);
    channels->addWidget(L_Channels);
    NCG_IODD = newColumnGrid(P_Channels, QStringLiteral("NCG_IODD"),
                             {{100, edNormal, true},
                              {100, edComboList, false, clNone, {"Disable", "IO-Link", "DIn", "DOut"}},
                              {100, edDataCheckBox, false, clNone, {}, taCenter},
                              {100, edNormal, true},
                              {100, edNormal, true},
                              {505, edNormal, true},
                              {80, edNormal, false}});
    channels->addWidget(NCG_IODD, 1);
    P_Channels->setMinimumHeight(80);
    Splitter1->addWidget(P_Channels);

    // The device panel: six tabs.
    PC_Device = new QTabWidget(Splitter1);
    PC_Device->setObjectName(QStringLiteral("PC_Device"));
    Splitter1->addWidget(PC_Device);
    Splitter1->setSizes({kChannelPanelHeight, kClientHeight - kTitleHeight - kButtonPanelHeight - kChannelPanelHeight});

    TS_ProcessData = newPage(PC_Device);
    P_PD_Condition = new QWidget(TS_ProcessData);
    P_PD_Condition->setObjectName(QStringLiteral("P_PD_Condition"));
    P_PD_Condition->setFixedHeight(30);
    auto *strip = new QHBoxLayout(P_PD_Condition);
    strip->setContentsMargins(8, 4, 8, 4);
    L_PD_Condition = newLabel(P_PD_Condition, QStringLiteral("L_PD_Condition"));
    L_PD_Condition->setText(QStringLiteral("Condition"));
    CB_PD_ConditionList = new QComboBox(P_PD_Condition);
    CB_PD_ConditionList->setObjectName(QStringLiteral("CB_PD_ConditionList"));
    CB_PD_ConditionList->setEditable(false);
    CB_PD_ConditionList->setMinimumWidth(500);
    strip->addWidget(L_PD_Condition);
    strip->addWidget(CB_PD_ConditionList);
    strip->addStretch(1);
    connect(CB_PD_ConditionList, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing) CB_PD_ConditionListChange();
    });
    TS_ProcessData->layout()->addWidget(P_PD_Condition);
    PC_ProcessData = new QTabWidget(TS_ProcessData);
    PC_ProcessData->setObjectName(QStringLiteral("PC_ProcessData"));
    TS_ProcessData->layout()->addWidget(PC_ProcessData);
    TS_PD_In = newPage(PC_ProcessData);
    TS_PD_Out = newPage(PC_ProcessData);
    for (bool in : {true, false}) {
        TNovaColumnGrid *g = newColumnGrid(in ? TS_PD_In : TS_PD_Out,
                                           in ? QStringLiteral("NCG_ProcessDataIn") : QStringLiteral("NCG_ProcessDataOut"),
                                           {{64, edNormal, true, clWindow},
                                            {64, edNormal, true, clWindow},
                                            {64, edNormal, true, clWindow},
                                            {64, edNormal, true, clWindow},
                                            {64, edNormal, true, clWindow},
                                            {64, edNormal, false, kColScaling},
                                            {64, edNormal, false, kColScaling},
                                            {64, edNormal, true, kColPlace},
                                            {64, edComboList, true, kColPlace, bitItems()}});
        (in ? TS_PD_In : TS_PD_Out)->layout()->addWidget(g);
        (in ? NCG_ProcessDataIn : NCG_ProcessDataOut) = g;
        g->OnCellValidate = [this, in](QObject *, int c, int r, QString &v, bool &) {
            if (!m_showing) ProcessData_CellValidate(in, c, r, v);
        };
        g->OnComboChange = [this, in](QObject *, int c, int r, int, QString s) {
            if (!m_showing) ProcessData_CellValidate(in, c, r, s);
        };
    }

    TS_Variables = newPage(PC_Device);
    NSG_Var = new TNovaStringGrid(TS_Variables);
    NSG_Var->setObjectName(QStringLiteral("NSG_Var"));
    TS_Variables->layout()->addWidget(NSG_Var);
    NSG_Var->SetColCount(kVarColumns);
    NSG_Var->SetOptions(NSG_Var->Options().Include(goEditing));
    NSG_Var->OnCellValidate = [this](QObject *, int c, int r, QString &v, bool &) {
        if (!m_showing) NSG_VarCellValidate(c, r, v);
    };
    NSG_Var->OnCheckBoxClick = [this](QObject *, int c, int r, bool s) {
        if (!m_showing) NSG_VarCheckBoxClick(c, r, s);
    };

    TS_IO_Options = newPage(PC_Device);
    NCG_IO_Options = newColumnGrid(TS_IO_Options, QStringLiteral("NCG_IO_Options"),
                                   {{120, edNormal, true, kColName},
                                    {120, edNormal, true, kColName},
                                    {120, edNormal, false, kColPlace},
                                    {120, edComboList, false, kColPlace, bitItems()},
                                    {45, edDataCheckBox, false, kColScaling, {}, taCenter},
                                    {120, edComboList, false, kColInType, {"None", "PNP (Pull Down)", "NPN (Pull UP)"}},
                                    {440, edNormal, false, clWindow}});
    NCG_IO_Options->SetRowCount(3);
    TS_IO_Options->layout()->addWidget(NCG_IO_Options);

    TS_Events = newPage(PC_Device);
    NCG_Events = newColumnGrid(TS_Events, QStringLiteral("NCG_Events"),
                               {{45, edDataCheckBox, false, kColEnable, {}, taCenter},
                                {70, edNormal, true, kColScaling},
                                {220, edNormal, true, kColScaling},
                                {100, edNormal, true, kColScaling},
                                {100, edNormal, false, kColName},
                                {100, edNormal, true, kColPlace},
                                {100, edNormal, true, kColPlace},
                                {350, edNormal, false, clWindow}});
    TS_Events->layout()->addWidget(NCG_Events);

    TS_DeviceIdentity = newPage(PC_Device);
    auto *identity = new QWidget(TS_DeviceIdentity);
    auto *pairs = new QGridLayout(identity);
    pairs->setContentsMargins(8, 8, 8, 8);
    pairs->setHorizontalSpacing(16);
    for (int i = 0; i < 7; ++i) {
        L_Identity[i] = newLabel(identity, QStringLiteral("L_Identity%1").arg(i + 1));
        L_Identity[i]->setFont(bold);
        L_Identity_Value[i] = newLabel(identity, QStringLiteral("L_Identity_Value%1").arg(i + 1));
        L_Identity_Value[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        pairs->addWidget(L_Identity[i], i, 0);
        pairs->addWidget(L_Identity_Value[i], i, 1);
    }
    pairs->setColumnStretch(1, 1);
    identity->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    TS_DeviceIdentity->layout()->addWidget(identity);
    L_DevVarColl = newLabel(TS_DeviceIdentity, QStringLiteral("L_DevVarColl"));
    L_DevVarColl->setFont(bold);
    L_DevVarColl->setContentsMargins(8, 4, 8, 4);
    TS_DeviceIdentity->layout()->addWidget(L_DevVarColl);
    NCG_DevIde_DevVarColl = newColumnGrid(TS_DeviceIdentity, QStringLiteral("NCG_DevIde_DevVarColl"),
                                          {{150, edNormal, true}, {250, edNormal, true}, {248, edNormal, true}});
    NCG_DevIde_DevVarColl->SetOptions(NCG_DevIde_DevVarColl->Options().Exclude(goEditing).Include(goRowSelect));
    static_cast<QVBoxLayout *>(TS_DeviceIdentity->layout())->addWidget(NCG_DevIde_DevVarColl, 1);
    static_cast<QVBoxLayout *>(TS_DeviceIdentity->layout())->addStretch(0);

    TS_TransportLayer = newPage(PC_Device);
    auto *transport = new QWidget(TS_TransportLayer);
    auto *tpairs = new QGridLayout(transport);
    tpairs->setContentsMargins(8, 8, 8, 8);
    tpairs->setHorizontalSpacing(16);
    for (int i = 0; i < 4; ++i) {
        L_Transport[i] = newLabel(transport, QStringLiteral("L_Transport%1").arg(i + 1));
        L_Transport[i]->setFont(bold);
        L_Transport_Value[i] = newLabel(transport, QStringLiteral("L_Transport_Value%1").arg(i + 1));
        tpairs->addWidget(L_Transport[i], i, 0);
        tpairs->addWidget(L_Transport_Value[i], i, 1);
    }
    tpairs->setColumnStretch(1, 1);
    TS_TransportLayer->layout()->addWidget(transport);
    static_cast<QVBoxLayout *>(TS_TransportLayer->layout())->addStretch(1);

    // The channel grid's events.
    NCG_IODD->OnClickCell = [this](QObject *, int r, int c) { NCG_IODDClickCell(r, c); };
    NCG_IODD->OnDblClickCell = [this](QObject *, int r, int c) { NCG_IODDDblClickCell(r, c); };
    NCG_IODD->OnCellValidate = [this](QObject *, int c, int r, QString &v, bool &) {
        if (!m_showing) NCG_IODDCellValidate(c, r, v);
    };
    NCG_IODD->OnCheckBoxChange = [this](QObject *, int c, int r, bool s) {
        if (!m_showing) NCG_IODDCheckBoxChange(c, r, s);
    };
    NCG_IODD->OnComboChange = [this](QObject *, int c, int r, int i, QString s) {
        if (!m_showing) NCG_IODDComboChange(c, r, i, s);
    };
    NCG_IO_Options->OnCellValidate = [this](QObject *, int c, int r, QString &v, bool &) {
        if (!m_showing) NCG_IO_OptionsCellValidate(c, r, v);
    };
    NCG_IO_Options->OnCheckBoxChange = [this](QObject *, int c, int r, bool s) {
        if (!m_showing) NCG_IO_OptionsCheckBoxChange(c, r, s);
    };
    NCG_IO_Options->OnComboChange = [this](QObject *, int c, int r, int i, QString s) {
        if (!m_showing) NCG_IO_OptionsComboChange(c, r, i, s);
    };
    NCG_Events->OnCellValidate = [this](QObject *, int c, int r, QString &v, bool &) {
        if (!m_showing) NCG_EventsCellValidate(c, r, v);
    };
    NCG_Events->OnCheckBoxChange = [this](QObject *, int c, int r, bool s) {
        if (!m_showing) NCG_EventsCheckBoxChange(c, r, s);
    };

    // Buttons: OK and Cancel of the frame, then the two IODD buttons, all from the left.
    setButtonAlignment(Qt::AlignLeft);
    Btn_InsIODD = new TLbButton;
    Btn_InsIODD->setObjectName(QStringLiteral("Btn_InsIODD"));
    addPanelButton(Btn_InsIODD);
    Btn_InsIODD->OnClick = [this](QObject *) { Btn_InsIODDClick(); };
    Btn_DelIODD = new TLbButton;
    Btn_DelIODD->setObjectName(QStringLiteral("Btn_DelIODD"));
    addPanelButton(Btn_DelIODD);
    Btn_DelIODD->OnClick = [this](QObject *) { Btn_DelIODDClick(); };
    Button1 = new TLbButton(P_Title);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();

    PC_Device->setCurrentWidget(TS_ProcessData);
    PC_ProcessData->setCurrentWidget(TS_PD_In);
    Set_Position_Modificable();
    Init_Var_Table();
    Set_Lang();
    L_SW_Code->setText(SW_Code);
    resize(kClientWidth, kClientHeight);
}

void TFIO_Link_Set_Access::Set_Position_Modificable()
{
    for (TNovaColumnGrid *g : {NCG_ProcessDataIn, NCG_ProcessDataOut}) {
        g->Columns()->Items(7)->SetReadOnly(false);
        g->Columns()->Items(8)->SetReadOnly(false);
    }
    NCG_IO_Options->Columns()->Items(2)->SetReadOnly(false);
    NCG_IO_Options->Columns()->Items(3)->SetReadOnly(false);
    NCG_Events->Columns()->Items(5)->SetReadOnly(false);
    NCG_Events->Columns()->Items(6)->SetReadOnly(false);
}

void TFIO_Link_Set_Access::Set_Lang()
{
    setWindowTitle(LT(1200));
    L_SW_Desc->setText(LT(1201));
    Btn_OK->setText(LT(1202));
    Btn_Cancel->setText(LT(1203));
    Btn_InsIODD->setText(LT(1204));
    Btn_DelIODD->setText(LT(1205));
    Btn_OK->setToolTip(LT(1206));
    Btn_Cancel->setToolTip(LT(1207));
    Btn_InsIODD->setToolTip(LT(1208));
    Btn_DelIODD->setToolTip(LT(1209));
    L_Channels->setText(LT(1210));
    setHeaders(NCG_IODD, kChannelTitles);
    PC_Device->setTabText(PC_Device->indexOf(TS_Variables), LT(1215));
    PC_Device->setTabText(PC_Device->indexOf(TS_DeviceIdentity), LT(1216));
    PC_Device->setTabText(PC_Device->indexOf(TS_TransportLayer), LT(1217));
    for (int i = 0; i < 7; ++i) L_Identity[i]->setText(LT(kIdentityTitles[i]));
    L_DevVarColl->setText(LT(1235));
    setHeaders(NCG_DevIde_DevVarColl, kVariantTitles);
    for (int i = 0; i < 4; ++i) L_Transport[i]->setText(LT(kTransportTitles[i]));
    PC_Device->setTabText(PC_Device->indexOf(TS_ProcessData), LT(1248));
    PC_ProcessData->setTabText(PC_ProcessData->indexOf(TS_PD_In), LT(1249));
    PC_ProcessData->setTabText(PC_ProcessData->indexOf(TS_PD_Out), LT(1250));
    static constexpr int pdIn[] = {1251, 1252, 1253, 1254, 1255, 1256, 1257, 1259, 1260};
    static constexpr int pdOut[] = {1261, 1262, 1263, 1264, 1265, 1266, 1267, 1269, 1270};
    setHeaders(NCG_ProcessDataIn, pdIn);
    setHeaders(NCG_ProcessDataOut, pdOut);
    PC_Device->setTabText(PC_Device->indexOf(TS_IO_Options), LT(1709));
    setHeaders(NCG_IO_Options, kIOOptionTitles);
    PC_Device->setTabText(PC_Device->indexOf(TS_Events), LT(1716));
    setHeaders(NCG_Events, kEventTitles);
}

int TFIO_Link_Set_Access::Edit_Configuration()
{
    if (!FormShow()) return QDialog::Rejected;
    return exec();
}

bool TFIO_Link_Set_Access::FormShow()
{
    ShowingGuard guard(m_showing);
    QString error;
    if (!Table.Create_Channels(&error)) {
        platform::showError(error, this);
        return false;
    }
    IODD = nullptr;
    m_shown = -1;
    const int n = Table.Num_Channels;
    NCG_IODD->SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
        for (int c = 0; c < NCG_IODD->AllColCount(); ++c) NCG_IODD->SetCells(c, r, QString());
        NCG_IODD->SetCells(0, r, QStringLiteral("Channel #0") + QString::number(r));
        NCG_IODD->SetReadOnly(2, r, !Table.Channels[size_t(r - 1)].TypeA);
    }
    Init_Var_Table();
    if (!Table.Load_Configuration(&error)) {
        platform::showError(error, this);
        return false;
    }
    for (int i = 0; i < n; ++i) Show_Channel_Row(i);
    if (n > 0) NCG_IODD->SetRow(1);
    guard.release();
    if (Current_Channel() >= 0) Show_Data_IODD(Current_Channel());
    return true;
}

void TFIO_Link_Set_Access::Show_Channel_Row(int index)
{
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    const int r = index + 1;
    NCG_IODD->SetCells(1, r, ch.Pin4Mode);
    NCG_IODD->SetCells(2, r, ch.ReadPin2);
    NCG_IODD->SetCells(3, r, Table.Vendor_Name(index));
    NCG_IODD->SetCells(4, r, Table.Device_Name(index));
    // A file name whose IODD could not be read still shows, so the user sees which port lacks it.
    NCG_IODD->SetCells(5, r, ch.IODD_File);
    NCG_IODD->SetCells(6, r, ch.TimeOut);
    fitColumns(NCG_IODD, {3, 4}, 260);
}

int TFIO_Link_Set_Access::Current_Channel() const
{
    const int r = NCG_IODD->Row();
    if (r < 1 || r > int(Table.Channels.size())) return -1;
    return r - 1;
}

bool TFIO_Link_Set_Access::OK_Check()
{
    if (!Table.Check_Configuration()) return false;
    Table.Add_Name_to_Configuration();
    QString error;
    if (!Table.Save_Configuration(&error)) {
        platform::showError(error, this);
        return false;
    }
    return true;
}

// ---- showing a channel ----------------------------------------------------------------------------

void TFIO_Link_Set_Access::Show_Data_IODD(int index)
{
    if (index < 0 || size_t(index) >= Table.Channels.size()) return;
    ShowingGuard guard(m_showing);
    m_shown = index;
    if (Table.IODD_List[size_t(index)]) {
        Show_Data_Variables(index);
        Show_Data_ProcessData(index);
        Show_Data_DeviceIdentity(index);
        Show_Data_TransportLayer(index);
    } else {
        Erase_Values();
    }
    // Also without an IODD: the events of the channel shown before must not stay on the tab.
    Show_Data_Events(index);
    Show_Data_IO_Options(index);
}

void TFIO_Link_Set_Access::Erase_Values()
{
    Clear_Grid(NSG_Var);
    for (int c : kVarBoxColumns) Var_Box(c, 1, false);
    PC_ProcessData->setTabVisible(PC_ProcessData->indexOf(TS_PD_In), true);
    PC_ProcessData->setTabVisible(PC_ProcessData->indexOf(TS_PD_Out), true);
    Clear_Grid(NCG_ProcessDataIn);
    Clear_Grid(NCG_ProcessDataOut);
    for (QLabel *l : L_Identity_Value) l->clear();
    for (QLabel *l : L_Transport_Value) l->clear();
    Clear_Grid(NCG_DevIde_DevVarColl);
}

void TFIO_Link_Set_Access::Clear_Grid(TNovaStringGrid *grid)
{
    grid->SetRowCount(2);
    for (int c = 0; c < grid->AllColCount(); ++c) grid->SetCells(c, 1, QString());
}

void TFIO_Link_Set_Access::Show_Data_IO_Options(int index)
{
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    TNovaColumnGrid *g = NCG_IO_Options;
    for (int c = 2; c <= 6; ++c) g->Columns()->Items(c)->SetReadOnly(false);
    g->UnHideRowsAll();
    g->SetReadOnly(5, 2, false);
    auto pin2 = [&] {
        const QStringList cells{QStringLiteral("Pin 2"), QStringLiteral("Read Only"), ch.Pin2_Pos, ch.Pin2_Bit,
                                ch.Pin2_Inv, ch.Pin2_In_Type, ch.Pin2_Mne};
        for (int c = 0; c < cells.size(); ++c) g->SetCells(c, 1, cells[c]);
    };
    const bool din = ch.Pin4Mode == QLatin1String("DIn");
    if (din || ch.Pin4Mode == QLatin1String("DOut")) {
        pin2();
        const QStringList cells{QStringLiteral("Pin 4"), din ? QStringLiteral("Read") : QStringLiteral("Write"),
                                ch.Pin4_Pos, ch.Pin4_Bit, ch.Pin4_Inv,
                                din ? QStringLiteral("PNP (Pull Down)") : QString(), ch.Pin4_Mne};
        for (int c = 0; c < cells.size(); ++c) g->SetCells(c, 2, cells[c]);
        g->SetReadOnly(5, 2, true);
        if (!(ch.TypeA && ch.ReadPin2 == QLatin1String("Y"))) g->HideRow(1);
    } else if (ch.Pin4Mode == QLatin1String("IO-Link") && ch.ReadPin2 == QLatin1String("Y")) {
        pin2();
        g->HideRow(2);
    } else {
        for (int c = 0; c < g->AllColCount(); ++c) g->SetCells(c, 1, QString());
        g->SetCells(4, 1, QStringLiteral("N"));
        g->HideRow(2);
        for (int c = 2; c <= 6; ++c) g->Columns()->Items(c)->SetReadOnly(true);
    }
}

void TFIO_Link_Set_Access::Show_Data_Events(int index)
{
    const TChannel_IOLink &ch = Table.Channels[size_t(index)];
    TNovaColumnGrid *g = NCG_Events;
    if (ch.Event_List.empty()) {
        Clear_Grid(g);
        g->SetCells(0, 1, QStringLiteral("N"));
        return;
    }
    g->SetRowCount(int(ch.Event_List.size()) + 1);
    int r = 1;
    for (const TEventObjValue &e : ch.Event_List) {
        const QStringList cells{yesNo(e.Enable), e.Code, e.Name, e.EventType, e.TimeOut, e.Position, e.Bit, e.Mnemonic};
        for (int c = 0; c < cells.size(); ++c) g->SetCells(c, r, cells[c]);
        ++r;
    }
    fitColumns(g, {2, 3}, 400);
}

void TFIO_Link_Set_Access::Show_Data_DeviceIdentity(int index)
{
    const TIODD &iodd = *Table.IODD_List[size_t(index)];
    const TDeviceIdentity &id = iodd.ProfileBody.DeviceIdentity;
    const QString values[] = {id.VendorId, id.VendorName, id.DeviceId, id.VendorText,
                              id.VendorUrl, id.DeviceName, id.DeviceFamily};
    for (int i = 0; i < 7; ++i) L_Identity_Value[i]->setText(iodd.GetDesc_ExtTextCol(false, values[i]));
    const bool variants = !id.DeviceVariant_List.empty();
    L_DevVarColl->setVisible(variants);
    NCG_DevIde_DevVarColl->setVisible(variants);
    if (!variants) return;
    NCG_DevIde_DevVarColl->SetRowCount(int(id.DeviceVariant_List.size()) + 1);
    int r = 1;
    for (const auto &v : id.DeviceVariant_List) {
        NCG_DevIde_DevVarColl->SetCells(0, r, v ? v->ProductId : QString());
        NCG_DevIde_DevVarColl->SetCells(1, r, v ? iodd.GetDesc_ExtTextCol(false, v->Name) : QString());
        NCG_DevIde_DevVarColl->SetCells(2, r, v ? iodd.GetDesc_ExtTextCol(false, v->Description) : QString());
        ++r;
    }
    fitColumns(NCG_DevIde_DevVarColl, {0, 1}, 400);
    fitColumns(NCG_DevIde_DevVarColl, {2}, 850);
}

void TFIO_Link_Set_Access::Show_Data_TransportLayer(int index)
{
    IODD = Table.IODD_List[size_t(index)].get();
    const TPhysicalLayer &pl = IODD->PhysicalLayer;
    L_Transport_Value[0]->setText(IODD->GetDesc_ExtTextCol(false, pl.BitRate));
    L_Transport_Value[1]->setText(IODD->GetDesc_ExtTextCol(false, pl.MinCycleTime));
    L_Transport_Value[2]->setText(pl.SIOSupported ? QStringLiteral("True") : QStringLiteral("False"));
    L_Transport_Value[3]->setText(IODD->GetDesc_ExtTextCol(false, pl.MSequenceCapability));
}

// ---- the channel grid -----------------------------------------------------------------------------

void TFIO_Link_Set_Access::NCG_IODDClickCell(int ARow, int)
{
    if (ARow >= 1 && ARow <= int(Table.Channels.size())) Show_Data_IODD(ARow - 1);
}

void TFIO_Link_Set_Access::NCG_IODDDblClickCell(int ARow, int)
{
    if (ARow >= 1 && ARow <= int(Table.Channels.size())) Insert_IODD_File(ARow);
}

void TFIO_Link_Set_Access::NCG_IODDCellValidate(int ACol, int ARow, const QString &Value)
{
    if (ACol == 6 && ARow >= 1 && ARow <= int(Table.Channels.size())) Table.Channels[size_t(ARow - 1)].TimeOut = Value;
}

void TFIO_Link_Set_Access::NCG_IODDCheckBoxChange(int ACol, int ARow, bool)
{
    if (ACol == 2 && ARow >= 1 && ARow <= int(Table.Channels.size()))
        Table.Channels[size_t(ARow - 1)].ReadPin2 = NCG_IODD->Cells(2, ARow);
}

void TFIO_Link_Set_Access::NCG_IODDComboChange(int ACol, int ARow, int, const QString &ASelection)
{
    // The choice belongs to the row it was made in, which is the current row while editing.
    if (ACol == 1 && ARow >= 1 && ARow <= int(Table.Channels.size()))
        Table.Channels[size_t(ARow - 1)].Pin4Mode = ASelection;
}

void TFIO_Link_Set_Access::Btn_InsIODDClick()
{
    const int r = NCG_IODD->Row();
    if (r >= 1 && r <= int(Table.Channels.size())) Insert_IODD_File(r);
}

void TFIO_Link_Set_Access::Insert_IODD_File(int ARoW)
{
    if (!Choose_Catalog_File) return;
    const std::optional<QString> file = Choose_Catalog_File();
    if (!file) return;
    Assign_Catalog_File(ARoW, *file);
}

bool TFIO_Link_Set_Access::Assign_Catalog_File(int ARoW, const QString &fileName)
{
    const int c = ARoW - 1;
    if (c < 0 || size_t(c) >= Table.Channels.size()) return false;
    // A catalog file that has gone since the catalog was shown assigns nothing.
    if (fileName.isEmpty() || !QFileInfo(IODD_Catalog_Dir + QLatin1Char('/') + fileName).isFile()) return false;
    QString error;
    if (!Table.Assign_IODD(c, fileName, &error)) {
        platform::showError(error, this);
        return false;
    }
    Show_Channel_Row(c);
    NCG_IODD->SetCells(6, ARoW, QString());
    Show_Data_IODD(c);
    return true;
}

void TFIO_Link_Set_Access::Btn_DelIODDClick()
{
    const int r = NCG_IODD->Row();
    if (r < 1 || r > int(Table.Channels.size()) || Trim_Text(NCG_IODD->Cells(5, r)).isEmpty()) return;
    if (platform::askYesNoCancel(LT(1243), this) != platform::Answer::Yes) return;
    for (int c = 3; c < NCG_IODD->AllColCount(); ++c) NCG_IODD->SetCells(c, r, QString());
    Table.Remove_IODD(r - 1);
    if (IODD && !Table.IODD_List[size_t(r - 1)]) IODD = nullptr;
    Show_Data_IODD(r - 1);
}

// ---- edits of the pin and event tabs --------------------------------------------------------------

void TFIO_Link_Set_Access::NCG_IO_OptionsCellValidate(int ACol, int ARow, const QString &Value)
{
    const int c = Shown_Channel();
    if (c < 0) return;
    TChannel_IOLink &ch = Table.Channels[size_t(c)];
    const int real = NCG_IO_Options->RealRowIndex(ARow);
    QString *fields[7] = {};
    if (real == 1 && ch.TypeA) {
        fields[2] = &ch.Pin2_Pos, fields[3] = &ch.Pin2_Bit, fields[4] = &ch.Pin2_Inv, fields[6] = &ch.Pin2_Mne;
    } else if (real == 2) {
        fields[2] = &ch.Pin4_Pos, fields[3] = &ch.Pin4_Bit, fields[4] = &ch.Pin4_Inv, fields[6] = &ch.Pin4_Mne;
    }
    if (ACol >= 0 && ACol < 7 && fields[ACol]) *fields[ACol] = Value;
}

void TFIO_Link_Set_Access::NCG_IO_OptionsCheckBoxChange(int ACol, int ARow, bool State)
{
    const int c = Shown_Channel();
    if (c < 0 || ACol != 4) return;
    TChannel_IOLink &ch = Table.Channels[size_t(c)];
    const QString pin = NCG_IO_Options->Cells(0, ARow);
    if (pin == QLatin1String("Pin 2")) ch.Pin2_Inv = yesNo(State);
    else if (pin == QLatin1String("Pin 4")) ch.Pin4_Inv = yesNo(State);
}

void TFIO_Link_Set_Access::NCG_IO_OptionsComboChange(int ACol, int ARow, int, const QString &ASelection)
{
    const int c = Shown_Channel();
    if (c < 0) return;
    TChannel_IOLink &ch = Table.Channels[size_t(c)];
    const int real = NCG_IO_Options->RealRowIndex(ARow);
    if (ACol == 5 && real == 1 && ch.TypeA) ch.Pin2_In_Type = ASelection;
    // The start bit is a list too: its choice is stored like a typed value.
    if (ACol == 3) NCG_IO_OptionsCellValidate(ACol, ARow, ASelection);
}

void TFIO_Link_Set_Access::NCG_EventsCellValidate(int ACol, int ARow, const QString &Value)
{
    const int c = Shown_Channel();
    if (c < 0) return;
    std::vector<TEventObjValue> &events = Table.Channels[size_t(c)].Event_List;
    if (ARow < 1 || size_t(ARow) > events.size()) return;
    TEventObjValue &e = events[size_t(ARow - 1)];
    switch (ACol) {
    case 4: e.TimeOut = Value; break;
    case 5: e.Position = Value; break;
    case 6: e.Bit = Value; break;
    case 7: e.Mnemonic = Value; break;
    default: break;
    }
}

void TFIO_Link_Set_Access::NCG_EventsCheckBoxChange(int ACol, int ARow, bool State)
{
    const int c = Shown_Channel();
    if (c < 0 || ACol != 0) return;
    std::vector<TEventObjValue> &events = Table.Channels[size_t(c)].Event_List;
    if (ARow >= 1 && size_t(ARow) <= events.size()) events[size_t(ARow - 1)].Enable = State;
}
