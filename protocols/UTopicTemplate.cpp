#include "protocols/UTopicTemplate.h"

#include "grid/NovaGrid.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSplitter>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kTemplateWidth = 635;
constexpr int kTemplateHeight = 396;
constexpr int kLegendHeight = 108;
constexpr int kLegendRowHeight = 22;

} // namespace

TFTopicTemplate::TFTopicTemplate(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FTopicTemplate"));
    auto *layout = new QVBoxLayout(P_Client);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, P_Client);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    layout->addWidget(Splitter1);

    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *text = new QVBoxLayout(Panel1);
    text->setContentsMargins(4, 4, 4, 4);
    RE_TopicTemplate = new QPlainTextEdit(Panel1);
    RE_TopicTemplate->setObjectName(QStringLiteral("RE_TopicTemplate"));
    RE_TopicTemplate->setFont(QFont(QStringLiteral("Tahoma"), 8));
    text->addWidget(RE_TopicTemplate);
    Splitter1->addWidget(Panel1);

    P_Legend = new QWidget;
    P_Legend->setObjectName(QStringLiteral("P_Legend"));
    auto *legend = new QVBoxLayout(P_Legend);
    legend->setContentsMargins(4, 2, 4, 2);
    legend->setSpacing(2);
    L_List_Keywords = new QLabel(P_Legend);
    L_List_Keywords->setObjectName(QStringLiteral("L_List_Keywords"));
    legend->addWidget(L_List_Keywords);
    NSG_Keywords = new TNovaStringGrid(P_Legend);
    NSG_Keywords->setObjectName(QStringLiteral("NSG_Keywords"));
    NSG_Keywords->SetColCount(2);
    NSG_Keywords->SetRowCount(2);
    NSG_Keywords->SetFixedRows(1);
    NSG_Keywords->SetFixedCols(0);
    NSG_Keywords->SetFixedRowHeight(kLegendRowHeight);
    NSG_Keywords->SetDefaultRowHeight(kLegendRowHeight);
    NSG_Keywords->SetColWidths(0, 200);
    NSG_Keywords->SetColWidths(1, 380);
    NSG_Keywords->SetOptions(NSG_Keywords->Options().Include(goEditing));
    legend->addWidget(NSG_Keywords);
    Splitter1->addWidget(P_Legend);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    FormCreate();
}

void TFTopicTemplate::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(kTemplateWidth, kTemplateHeight);
    const int text = kTemplateHeight - kTitleHeight - kButtonPanelHeight - kLegendHeight - Splitter1->handleWidth();
    Splitter1->setSizes({text, kLegendHeight});
    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    setWindowTitle(LT(3400));
    L_SW_Desc->setText(LT(3402));
    L_List_Keywords->setText(LT(3404));
    NSG_Keywords->SetCells(0, 0, LT(3405));
    NSG_Keywords->SetCells(1, 0, LT(3406));
    NSG_Keywords->setAccessibleName(LT(3404));
    RE_TopicTemplate->setAccessibleName(LT(3400));
    Btn_OK->setText(LT(3407));
    Btn_Cancel->setText(LT(3408));
}

void TFTopicTemplate::showEvent(QShowEvent *e)
{
    TFrameWindow::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFTopicTemplate::FormShow()
{
    setWindowTitle(LT(TopicTemplate ? 3401 : 3400));
    L_SW_Desc->setText(LT(TopicTemplate ? 3403 : 3402));
    RE_TopicTemplate->setAccessibleName(windowTitle());
    Laod_Keywords();
    if (RE_TopicTemplate->isEnabled()) RE_TopicTemplate->setFocus(Qt::OtherFocusReason);
}

void TFTopicTemplate::Laod_Keywords()
{
    const qsizetype n = std::min(List_Keywords.size(), List_Keywords_Desc.size());
    NSG_Keywords->SetRowCount(int(std::max<qsizetype>(n, 1)) + 1);
    for (int r = 1; r < NSG_Keywords->RowCount(); ++r) {
        const bool filled = r - 1 < n;
        NSG_Keywords->SetCells(0, r, filled ? List_Keywords[r - 1] : QString());
        NSG_Keywords->SetCells(1, r, filled ? List_Keywords_Desc[r - 1] : QString());
        NSG_Keywords->SetReadOnly(0, r, false);
        NSG_Keywords->SetReadOnly(1, r, true);
    }
}

QString TFTopicTemplate::Template_Text() const
{
    // The document keeps a line break as a paragraph separator; nothing else of the text changes.
    QString t = RE_TopicTemplate->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}
