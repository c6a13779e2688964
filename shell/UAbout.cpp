#include "shell/UAbout.h"

#include "platform/UrlOpener.h"
#include "shell/UComon.h"
#include "shell/UProgram_Button.h"
#include "shell/USoftOptions_Version.h"

#include <QMouseEvent>
#include <QPainter>

TClickLabel::TClickLabel(QWidget *parent) : QLabel(parent) {}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

namespace {

// The product picture: the maker's initial on the window colour.
QPixmap productPicture()
{
    QPixmap pm(81, 81);
    pm.fill(QColor(248, 247, 237));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(128, 128, 128), 3));
    p.setBrush(QColor(225, 228, 236));
    p.drawEllipse(QRectF(4, 4, 73, 73));
    QFont f(QStringLiteral("Verdana"), 30, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRectF(0, 0, 81, 81), Qt::AlignCenter, QStringLiteral("V"));
    return pm;
}

QLabel *label(QWidget *parent, const char *name, int top, int left, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(248, 247, 237));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(QFont(QStringLiteral("Verdana"), 8));

    Image2 = new TClickLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(32, 24, 81, 81);
    Image2->setScaledContents(true);
    Image2->setPixmap(productPicture());
    Image2->setCursor(Qt::PointingHandCursor);
    connect(Image2, &TClickLabel::clicked, this, [this] { Label4Click(); });

    Label1 = label(this, "Label1", 24, 128, QStringLiteral("Software Fabricor "));
    QFont big = Label1->font();
    big.setPointSize(10);
    big.setBold(true);
    Label1->setFont(big);
    Label1->adjustSize();
    Label2 = label(this, "Label2", 39, 128, QString());
    Label6 = label(this, "Label6", 62, 128, QStringLiteral("Software Code : "));
    Label9 = label(this, "Label9", 62, 240, QString());
    Label3 = label(this, "Label3", 77, 128, QStringLiteral("Version :"));
    Label10 = label(this, "Label10", 77, 240, QString());
    Label8 = label(this, "Label8", 93, 128, QStringLiteral("Document Code :"));
    Label12 = label(this, "Label12", 93, 240, QString());

    Label4 = new TClickLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setText(Web_Address_Text());
    Label4->adjustSize();
    Label4->move(qMin(316, 425 - 8 - Label4->width()), 131);
    Label4->setCursor(Qt::PointingHandCursor);
    {
        QPalette p = Label4->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 255));
        Label4->setPalette(p);
    }
    connect(Label4, &TClickLabel::clicked, this, [this] { Label4Click(); });

    TLbButton *ok = Program_Button(this, "LbButton1", 115, 32, 81, 22);
    const QImage okStrip = lbKindGlyph(bkOK);
    ok->setGlyph(okStrip.copy(0, 0, okStrip.width() / 2, okStrip.height()));
    ok->setText(QStringLiteral("OK"));
    ok->setModalResult(QDialog::Accepted);
    LbButton1 = ok;

    FormShow();
}

void TFAbout::FormShow()
{
    Label2->setText(kSWDesc);
    Label2->adjustSize();
    Label9->setText(kSWCode);
    Label9->adjustSize();
    Label10->setText(kSWVersion);
    Label10->adjustSize();
    Label12->setText(QStringLiteral("MA41520"));
    Label12->adjustSize();
    setFixedSize(425, 148);
}

void TFAbout::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFAbout::Label4Click()
{
    platform::openWebUrl(Home_Page_Url());
}
