#include "protocols/UProfinetFileName.h"

#include "platform/Clock.h"
#include "protocols/UWriter_Constants.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kNameDialogWidth = 540;
constexpr int kNameDialogHeight = 205;
constexpr int kNamePartsLeft = 16;
constexpr int kNamePartsGap = 6;

bool forbiddenInFileName(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("\\/:*?\"<>|").contains(c);
}

} // namespace

TFProfinetFileName::TFProfinetFileName(QWidget *parent) : TFrameWindow(parent)
{
    setObjectName(QStringLiteral("FProfinetFileName"));
    Label1 = new QLabel(P_Client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(P_Client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(P_Client);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(P_Client);
    Label4->setObjectName(QStringLiteral("Label4"));
    L_XML_Fix1 = new QLabel(P_Client);
    L_XML_Fix1->setObjectName(QStringLiteral("L_XML_Fix1"));
    E_XML_User = new QLineEdit(P_Client);
    E_XML_User->setObjectName(QStringLiteral("E_XML_User"));
    L_XML_Fix2 = new QLabel(P_Client);
    L_XML_Fix2->setObjectName(QStringLiteral("L_XML_Fix2"));
    FormCreate();
}

void TFProfinetFileName::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    L_XML_Fix1->setText(QStringLiteral("GSDML-V2.31-Velmar-") + writer_constants::kProfinetProductCode);
    // The date of the program's start, kept for the whole run.
    L_XML_Fix2->setText(QLatin1Char('-') + platform::currentDateTime().date().toString(QStringLiteral("yyyyMMdd"))
                        + QStringLiteral(".xml"));
    setFixedSize(kNameDialogWidth, kNameDialogHeight);
    Set_Lang();
}

void TFProfinetFileName::layoutParts()
{
    // The label above the parts, then per part its caption over it; the user part takes the room
    // the two fixed parts leave.
    Label1->adjustSize();
    Label1->move(kNamePartsLeft, 8);
    L_XML_Fix1->adjustSize();
    L_XML_Fix2->adjustSize();
    const int top = 52;
    L_XML_Fix1->move(kNamePartsLeft, top + 4);
    const int userLeft = L_XML_Fix1->x() + L_XML_Fix1->width() + kNamePartsGap;
    const int fix2Left = kNameDialogWidth - kNamePartsLeft - L_XML_Fix2->width();
    E_XML_User->setGeometry(userLeft, top, fix2Left - kNamePartsGap - userLeft, 21);
    L_XML_Fix2->move(fix2Left, top + 4);
    const QWidget *parts[] = {L_XML_Fix1, E_XML_User, L_XML_Fix2};
    QLabel *captions[] = {Label2, Label3, Label4};
    for (int i = 0; i < 3; ++i) {
        captions[i]->adjustSize();
        captions[i]->move(parts[i]->x(), top - 4 - captions[i]->height());
    }
}

void TFProfinetFileName::Set_Lang()
{
    setWindowTitle(LT(1800));
    L_SW_Desc->setText(LT(1801));
    L_SW_Desc->adjustSize();
    Btn_OK->setText(LT(1802));
    Btn_Cancel->setText(LT(1803));
    Label1->setText(LT(1804));
    Label2->setText(LT(1805));
    Label3->setText(LT(1806));
    Label4->setText(LT(1807));
    E_XML_User->setToolTip(LT(1808));
    Btn_OK->setToolTip(LT(1809));
    Btn_Cancel->setToolTip(LT(1810));
    layoutParts();
}

QString TFProfinetFileName::Proposed_Name(const QString &fix1, const QString &user, const QString &fix2)
{
    if (Trim_Text(user).isEmpty()) return fix1 + fix2;
    QString u = user;
    for (QChar &c : u)
        if (forbiddenInFileName(c)) c = QLatin1Char('_');
    return u.startsWith(QLatin1Char('_')) ? fix1 + u + fix2 : fix1 + QLatin1Char('_') + u + fix2;
}

void TFProfinetFileName::Btn_OKClick()
{
    Name_File_XML = Proposed_Name(L_XML_Fix1->text(), E_XML_User->text(), L_XML_Fix2->text());
    accept();
}
