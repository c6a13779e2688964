#include "shell/TFrameWindow.h"

#include "shell/UComon.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Cells of the kind strips serve as the one-cell glyphs of OK and Cancel.
QImage firstCell(TLbButtonKind kind)
{
    const QImage strip = lbKindGlyph(kind);
    return strip.copy(0, 0, strip.width() / 2, strip.height());
}

} // namespace

TFrameWindow::TFrameWindow(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, backgroundColor());
    setPalette(pal);
    setFont(QFont(QStringLiteral("Verdana"), 8));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    P_Title = new QWidget(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    P_Title->setFixedHeight(kTitleHeight);
    P_Title->installEventFilter(this);
    L_SW_Code = new QLabel(P_Title);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    QFont codeFont = font();
    codeFont.setPixelSize(32);
    L_SW_Code->setFont(codeFont);
    L_SW_Desc = new QLabel(P_Title);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    QFont descFont = font();
    descFont.setBold(true);
    L_SW_Desc->setFont(descFont);
    QPalette grey = L_SW_Code->palette();
    grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
    L_SW_Code->setPalette(grey);
    L_SW_Desc->setPalette(grey);
    L_SW_Code->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_SW_Desc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_SW_Code->setText(SW_Code);
    column->addWidget(P_Title);

    P_Client = new QWidget(this);
    P_Client->setObjectName(QStringLiteral("P_Client"));
    column->addWidget(P_Client, 1);

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(kButtonPanelHeight);
    m_buttonRow = new QHBoxLayout(P_Button);
    m_buttonRow->setContentsMargins(16, 6, 16, 6);
    m_buttonRow->setSpacing(8);
    m_buttonRow->setAlignment(m_buttonAlignment);
    column->addWidget(P_Button);

    Btn_OK = new TLbButton(P_Button);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setText(QStringLiteral("OK"));
    Set_Button_Look(Btn_OK);
    Btn_OK->setGlyph(firstCell(bkOK));
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    m_buttonRow->addWidget(Btn_OK);

    Btn_Cancel = new TLbButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setText(QStringLiteral("Cancel"));
    Set_Button_Look(Btn_Cancel);
    Btn_Cancel->setGlyph(firstCell(bkCancel));
    Btn_Cancel->setModalResult(2);
    m_buttonRow->addWidget(Btn_Cancel);

    layoutTitle();
}

void TFrameWindow::Set_Button_Look(TLbButton *button)
{
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setButtonStyle(bsEncarta);
    button->setColor(lbProgramFace);
    button->setHotTrackColor(lbYellow);
    button->setColorWhenDown(lbProgramDown);
    button->setLightColor(lbGray);
    button->setUseHotTrackFont(false);
}

void TFrameWindow::Btn_OKClick()
{
    if (OK_Check()) accept();
}

void TFrameWindow::setButtonAlignment(Qt::Alignment a)
{
    m_buttonAlignment = a & Qt::AlignHorizontal_Mask;
    m_buttonRow->setAlignment(m_buttonAlignment);
    m_buttonRow->invalidate();
}

void TFrameWindow::addPanelButton(TLbButton *button)
{
    button->setParent(P_Button);
    Set_Button_Look(button);
    m_buttonRow->addWidget(button);
}

void TFrameWindow::layoutTitle()
{
    const int width = std::max(0, P_Title->width() - 24);
    const int codeHeight = QFontMetrics(L_SW_Code->font()).height();
    const int descHeight = QFontMetrics(L_SW_Desc->font()).height();
    L_SW_Code->setGeometry(16, 8, width, codeHeight);
    L_SW_Desc->setGeometry(16, 42, width, std::min(descHeight, kTitleHeight - 42));
}

bool TFrameWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == P_Title && e->type() == QEvent::Resize) layoutTitle();
    return QDialog::eventFilter(watched, e);
}

void TFrameWindow::showEvent(QShowEvent *e)
{
    L_SW_Code->setText(SW_Code);
    if (QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        const QRect frame = frameGeometry();
        move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
    QDialog::showEvent(e);
}
