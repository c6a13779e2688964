#include "protocols/UTable_Window.h"

#include "grid/NovaColumnGrid.h"
#include "platform/Dialogs.h"
#include "shell/UGrid_Rows.h"
#include "shell/ULanguage.h"

#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

TLbButton *rowButton(const char *name, const char *caption)
{
    auto *b = new TLbButton;
    b->setObjectName(QLatin1String(name));
    b->setText(QLatin1String(caption));
    return b;
}

} // namespace

TTable_Window::TTable_Window(QWidget *parent) : TFrameWindow(parent)
{
    setButtonAlignment(Qt::AlignLeft);
    Btn_DelRow = rowButton("Btn_DelRow", "Delete Row");
    Btn_InsRow = rowButton("Btn_InsRow", "Insert Row");
    Btn_CopyRow = rowButton("Btn_CopyRow", "Copy Row");
    Btn_PasteRow = rowButton("Btn_PasteRow", "Paste Row");
    for (TLbButton *b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) addPanelButton(b);
    Btn_DelRow->OnClick = [this](QObject *) { Btn_DelRowClick(); };
    Btn_InsRow->OnClick = [this](QObject *) { Btn_InsRowClick(); };
    Btn_CopyRow->OnClick = [this](QObject *) { Btn_CopyRowClick(); };
    Btn_PasteRow->OnClick = [this](QObject *) { Btn_PasteRowClick(); };
}

void TTable_Window::Build_Table(TTableDesc desc)
{
    Desc = std::move(desc);
    auto *layout = new QVBoxLayout(P_Client);
    layout->setContentsMargins(4, 0, 4, 0);
    if (Desc.grids.size() > 1) {
        PageControl1 = new QTabWidget(P_Client);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        layout->addWidget(PageControl1);
    }
    for (const TGridDesc &d : Desc.grids) {
        QWidget *holder = P_Client;
        if (PageControl1) {
            holder = new QWidget;
            holder->setObjectName(d.sheet);
            auto *sheet = new QVBoxLayout(holder);
            sheet->setContentsMargins(0, 0, 0, 0);
            PageControl1->addTab(holder, QString());
            Tab_Sheets.push_back(holder);
        }
        TNovaStringGrid *g = Table_Make_Grid(d, holder);
        holder->layout()->addWidget(g);
        Grids.push_back(g);
        m_ownCopied.push_back(false);
        g->OnClickCell = [this](QObject *s, int r, int c) { ClickCell(s, r, c); };
        g->OnDblClickCell = [this](QObject *s, int r, int c) { DblClickCell(s, r, c); };
        g->OnKeyPress = [this](QObject *s, QChar &k) { KeyPress(s, k); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { GridHint(s, r, c, h); };
        g->OnComboChange = [this](QObject *s, int c, int r, int i, QString t) { ComboChange(s, c, r, i, t); };
        g->OnCheckBoxClick = [this](QObject *s, int c, int r, bool on) { CheckBoxClick(s, c, r, on); };
    }
    resize(Desc.clientWidth, Desc.clientHeight);
}

bool &TTable_Window::copied(int grid)
{
    bool *flag = Desc.grids[size_t(grid)].copied;
    return flag ? *flag : m_ownCopied[size_t(grid)];
}

void TTable_Window::Set_Lang()
{
    setWindowTitle(LT(Desc.textBase));
    L_SW_Desc->setText(LT(Desc.textBase + 1));
    TLbButton *buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (size_t i = 0; i < 6; ++i) {
        if (Desc.buttonCaptions[i]) buttons[i]->setText(LT(Desc.buttonCaptions[i]));
        buttons[i]->setToolTip(Desc.buttonHints[i] ? LT(Desc.buttonHints[i]) : QString());
    }
    for (size_t i = 0; i < Desc.grids.size(); ++i) {
        const QString caption = LT(Desc.grids[i].tabCaption);
        if (PageControl1) PageControl1->setTabText(int(i), caption);
        Grids[i]->setAccessibleName(PageControl1 ? caption : windowTitle());
    }
    Table_Apply_Texts(Desc, Grids);
}

void TTable_Window::showEvent(QShowEvent *e)
{
    TFrameWindow::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TTable_Window::FormShow()
{
    QString error;
    TTableLoad load;
    if (!Table_Show(Desc, Grids, load, error)) {
        platform::showError(error, this);
        return;
    }
    if (!Desc.keepCopyFlags) std::fill(m_ownCopied.begin(), m_ownCopied.end(), false);
    if (PageControl1 && !Desc.keepSheet) PageControl1->setCurrentIndex(0);
    if (!load.notice.isEmpty()) platform::showError(load.notice, this);
    if (load.status == TTableLoad::Failed) platform::showError(load.error, this);
}

bool TTable_Window::Controllo_dati()
{
    // Text typed into an open cell editor belongs to the cell before anything reads it.
    for (TNovaStringGrid *g : Grids) g->HideInplaceEdit();
    const TCheckFault fault = Table_Check(Desc, Grids);
    if (!fault) return true;
    platform::showError(Table_Fault_Text(Desc, fault), this);
    return false;
}

bool TTable_Window::OK_Check()
{
    if (!Controllo_dati()) return false;
    QString error;
    if (!Table_Save(Desc, Grids, XML1, Desc.path ? *Desc.path : QString(), &error)) {
        platform::showError(error, this);
        return false;
    }
    return true;
}

int TTable_Window::Active_Index() const
{
    return PageControl1 ? std::max(PageControl1->currentIndex(), 0) : 0;
}

TNovaStringGrid *TTable_Window::Active_Grid() const { return Grids[size_t(Active_Index())]; }

// ---- row buttons ----------------------------------------------------------------------------------------

void TTable_Window::Btn_DelRowClick()
{
    TNovaStringGrid *g = Active_Grid();
    const int row = g->Row();
    QString question = LT(Desc.deleteQuestion);
    if (question.contains(QLatin1String("%d")))
        question.replace(QLatin1String("%d"), QString::number(row));
    else
        question += QString::number(row);
    if (platform::askYesNo(question, this) == platform::Answer::Yes) Delete_Table_Row(row, g);
    Row_Button_Done(TRowButton::Delete, g);
}

void TTable_Window::Delete_Table_Row(int Row, TNovaStringGrid *Grid)
{
    if (auto *cg = dynamic_cast<TNovaColumnGrid *>(Grid)) {
        ColGrid_Delete_Row(Row, cg);
        return;
    }
    const auto it = std::find(Grids.begin(), Grids.end(), Grid);
    const bool setEnable = it != Grids.end() && Desc.grids[size_t(it - Grids.begin())].enableColumn >= 0;
    StrGrid_Delete_Row(Row, Grid, setEnable);
}

void TTable_Window::Btn_InsRowClick()
{
    const int i = Active_Index();
    TNovaStringGrid *g = Grids[size_t(i)];
    const bool setEnable = Desc.grids[size_t(i)].enableColumn >= 0;
    if (auto *cg = dynamic_cast<TNovaColumnGrid *>(g))
        ColGrid_Insert_Row(g->Row(), cg, setEnable);
    else
        StrGrid_Insert_Row(g->Row(), g, setEnable);
    Row_Button_Done(TRowButton::Insert, g);
}

void TTable_Window::Btn_CopyRowClick()
{
    const int i = Active_Index();
    TNovaStringGrid *g = Grids[size_t(i)];
    if (auto *cg = dynamic_cast<TNovaColumnGrid *>(g))
        ColGrid_Copy_Row(cg, g->Row());
    else
        StrGrid_Copy_Row(g, g->Row());
    for (int k = 0; k < int(Grids.size()); ++k) copied(k) = k == i;
    Row_Button_Done(TRowButton::Copy, g);
}

void TTable_Window::Btn_PasteRowClick()
{
    const int i = Active_Index();
    TNovaStringGrid *g = Grids[size_t(i)];
    if (auto *cg = dynamic_cast<TNovaColumnGrid *>(g))
        ColGrid_Paste_Row(cg, g->Row(), copied(i));
    else
        StrGrid_Paste_Row(g, g->Row(), copied(i));
    Row_Button_Done(TRowButton::Paste, g);
}

// ---- grid events --------------------------------------------------------------------------------------------

void TTable_Window::ClickCell(QObject *Sender, int ARow, int ACol)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    const auto it = std::find(Grids.begin(), Grids.end(), g);
    if (it == Grids.end() || !Desc.grids[size_t(it - Grids.begin())].clickSelectsRow) return;
    if (ACol == 0 && ARow > 0) g->SelectRows(ARow, 1);
}

void TTable_Window::DblClickCell(QObject *Sender, int ARow, int ACol)
{
    Grid_AutoSize_Col(static_cast<TNovaStringGrid *>(Sender), ARow, ACol);
}

void TTable_Window::KeyPress(QObject *Sender, QChar &Key)
{
    char16_t key = Key.unicode();
    Grid_Enter_Next_Cell(static_cast<TNovaStringGrid *>(Sender), key);
    Key = QChar(key);
}

void TTable_Window::GridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    const auto it = std::find(Grids.begin(), Grids.end(), g);
    if (it == Grids.end() || ARow != 0) return;
    const TGridDesc &d = Desc.grids[size_t(it - Grids.begin())];
    const int c = g->RealColIndex(ACol);
    if (!d.columnHints || !d.hints || c < 1 || c > d.hints->size()) return;
    hintstr = d.hints->at(c - 1);
}

void TTable_Window::ComboChange(QObject *, int, int, int, const QString &) {}

void TTable_Window::CheckBoxClick(QObject *, int, int, bool) {}
