#include "iolink/UIOLink_IODD_Catalog.h"

#include "grid/NovaGrid.h"
#include "iolink/UIOLink_IODD_Decode.h"
#include "platform/Dialogs.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <algorithm>
#include <QVBoxLayout>

namespace {

constexpr int kVendorCol = 0, kDeviceCol = 1, kFileCol = 2;
constexpr int kVendorWidth = 100, kDeviceWidth = 100, kFileWidth = 570;
constexpr int kCellPadding = 12;
constexpr int kMaxNameWidth = 260;  // a longer vendor or device name is cut rather than push the file name away

// Vendor and device name of one catalog file (simple decode), or the reader's message.
struct CatalogEntry {
    QString vendor, device, error;
};

CatalogEntry readEntry(const QString &path)
{
    CatalogEntry entry;
    TIODD iodd;
    iodd.StandardDef_Path = IOLink_StaDef_Dir;
    try {
        if (!iodd.Decode_IODD(path, true)) entry.error = QStringLiteral("Cannot read the IODD file \"%1\".").arg(path);
    } catch (const EIODDError &e) {
        entry.error = e.message();
    }
    if (entry.error.isEmpty()) {
        entry.vendor = iodd.GetDesc_ExtTextCol(false, iodd.ProfileBody.DeviceIdentity.VendorName);
        entry.device = iodd.GetDesc_ExtTextCol(false, iodd.ProfileBody.DeviceIdentity.DeviceName);
    }
    return entry;
}

} // namespace

TFIOLink_IODD_Catalog::TFIOLink_IODD_Catalog(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FIOLink_IODD_Catalog"));
    FIOLink_IODD_Catalog = this;

    auto *column = new QVBoxLayout(P_Client);
    column->setContentsMargins(0, 0, 0, 0);
    NSG_IODD_Cat = new TNovaStringGrid(P_Client);
    NSG_IODD_Cat->setObjectName(QStringLiteral("NSG_IODD_Cat"));
    column->addWidget(NSG_IODD_Cat);
    NSG_IODD_Cat->SetColCount(3);
    NSG_IODD_Cat->SetRowCount(2);
    NSG_IODD_Cat->SetFixedCols(0);
    NSG_IODD_Cat->SetFixedRows(1);
    NSG_IODD_Cat->SetFixedRowHeight(22);
    NSG_IODD_Cat->SetColWidths(kVendorCol, kVendorWidth);
    NSG_IODD_Cat->SetColWidths(kDeviceCol, kDeviceWidth);
    NSG_IODD_Cat->SetColWidths(kFileCol, kFileWidth);
    TGridOptions options = NSG_IODD_Cat->Options();
    options.Include(goRowSelect).Include(goColSizing).Exclude(goEditing);
    NSG_IODD_Cat->SetOptions(options);
    NSG_IODD_Cat->OnDblClickCell = [this](QObject *Sender, int ARow, int ACol) { NSG_IODD_CatDblClickCell(Sender, ARow, ACol); };

    setButtonAlignment(Qt::AlignLeft);
    Btn_Add_IODD = new TLbButton(P_Button);
    Btn_Add_IODD->setObjectName(QStringLiteral("Btn_Add_IODD"));
    addPanelButton(Btn_Add_IODD);
    Btn_Add_IODD->OnClick = [this](QObject *) { Btn_Add_IODDClick(); };

    L_SW_Code->setText(SW_Code);
    resize(kClientWidth, kClientHeight);
    Set_Lang();
}

TFIOLink_IODD_Catalog::~TFIOLink_IODD_Catalog()
{
    if (FIOLink_IODD_Catalog == this) FIOLink_IODD_Catalog = nullptr;
}

void TFIOLink_IODD_Catalog::Set_Lang()
{
    setWindowTitle(LT(1300));
    L_SW_Desc->setText(LT(1301));
    Btn_OK->setText(LT(1302));
    Btn_Cancel->setText(LT(1303));
    Btn_Add_IODD->setText(LT(1304));
    Btn_OK->setToolTip(LT(1305));
    Btn_Cancel->setToolTip(LT(1306));
    Btn_Add_IODD->setToolTip(LT(1307));
    for (int c = 0; c < 3; ++c) NSG_IODD_Cat->SetCells(c, 0, LT(1308 + c));
}

void TFIOLink_IODD_Catalog::showEvent(QShowEvent *e)
{
    TFrameWindow::showEvent(e);
    FormShow();
}

void TFIOLink_IODD_Catalog::FormShow()
{
    NSG_IODD_Cat->SetRowCount(2);
    for (int c = 0; c < 3; ++c) {
        NSG_IODD_Cat->SetCells(c, 0, LT(1308 + c));
        NSG_IODD_Cat->SetCells(c, 1, QString());
    }
    m_rowErrors = {QString(), QString()};
    Fit_Columns();
    Read_Catalog();
}

void TFIOLink_IODD_Catalog::Read_Catalog()
{
    // Files only (hidden ones too); the platform's matching ignores the letter case of ".xml".
    const QStringList files = QDir(IODD_Catalog_Dir).entryList({QStringLiteral("*.xml")},
                                                               QDir::Files | QDir::Hidden, QDir::Name);
    if (files.isEmpty()) return;
    NSG_IODD_Cat->SetRowCount(int(files.size()) + 1);
    m_rowErrors = QStringList(QString());
    for (int i = 0; i < files.size(); ++i) {
        // A file that cannot be read is listed all the same, marked, and the rest follow it.
        const CatalogEntry entry = readEntry(IODD_Catalog_Dir + QLatin1Char('/') + files[i]);
        NSG_IODD_Cat->SetCells(kVendorCol, i + 1, entry.error.isEmpty() ? entry.vendor : LT(1312));
        NSG_IODD_Cat->SetCells(kDeviceCol, i + 1, entry.device);
        NSG_IODD_Cat->SetCells(kFileCol, i + 1, files[i]);
        m_rowErrors << entry.error;
    }
    Fit_Columns();
}

void TFIOLink_IODD_Catalog::Fit_Columns()
{
    // Names wider than the columns' first widths widen them, so no vendor, device or file name is cut.
    const QFontMetrics fm(NSG_IODD_Cat->font());
    int widths[3] = {kVendorWidth, kDeviceWidth, kFileWidth};
    for (int r = 0; r < NSG_IODD_Cat->RowCount(); ++r)
        for (int c : {kVendorCol, kDeviceCol})
            widths[c] = std::max(widths[c], fm.horizontalAdvance(NSG_IODD_Cat->Cells(c, r)) + kCellPadding);
    widths[kVendorCol] = std::min(widths[kVendorCol], kMaxNameWidth);
    widths[kDeviceCol] = std::min(widths[kDeviceCol], kMaxNameWidth);
    // The three columns keep their first total width where the file names allow it.
    int fileText = 0;
    for (int r = 0; r < NSG_IODD_Cat->RowCount(); ++r)
        fileText = std::max(fileText, fm.horizontalAdvance(NSG_IODD_Cat->Cells(kFileCol, r)) + kCellPadding);
    widths[kFileCol] = std::max(fileText, kVendorWidth + kDeviceWidth + kFileWidth - widths[kVendorCol] - widths[kDeviceCol]);
    for (int c = 0; c < 3; ++c) NSG_IODD_Cat->SetColWidths(c, widths[c]);
}

void TFIOLink_IODD_Catalog::Btn_Add_IODDClick()
{
    platform::FileChoice choice;
    choice.filter = QStringLiteral("IODD File (*.xml)");
    const QString chosen = platform::chooseFile(choice, this);
    if (!chosen.isEmpty()) {
        const QString target = IODD_Catalog_Dir + QLatin1Char('/') + QFileInfo(chosen).fileName();
        const bool copy = !QFileInfo::exists(target) || platform::askYesNoCancel(LT(1311), this) == platform::Answer::Yes;
        QByteArray data;
        QString error;
        if (copy && !(platform::readFile(chosen, data, &error) && platform::writeFileAtomic(target, data, &error)))
            platform::showError(error, this);
    }
    Read_Catalog();
}

QString TFIOLink_IODD_Catalog::Selected_File() const
{
    return NSG_IODD_Cat->Row() >= 0 ? NSG_IODD_Cat->Cells(kFileCol, NSG_IODD_Cat->Row()) : QString();
}

void TFIOLink_IODD_Catalog::Choose()
{
    const int row = NSG_IODD_Cat->Row();
    if (row == -1) return;
    if (row < m_rowErrors.size() && !m_rowErrors[row].isEmpty()) {
        platform::showError(m_rowErrors[row], this);
        return;
    }
    accept();
}

void TFIOLink_IODD_Catalog::Btn_OKClick() { Choose(); }

void TFIOLink_IODD_Catalog::NSG_IODD_CatDblClickCell(QObject *, int, int) { Choose(); }
