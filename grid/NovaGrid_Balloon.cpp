// The balloon tooltip's questions: the text, title and icon shown for the cell under the mouse.
#include "grid/NovaGrid.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/VedAzirText.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>

namespace {

constexpr int kBalloonTextMax = 2048;
constexpr int kBalloonTitleMax = 100;

// Shows the balloon when the viewport asks for a tooltip.
class BalloonRequests : public QObject {
public:
    explicit BalloonRequests(TNovaStringGrid *grid) : QObject(grid), m_grid(grid) {}
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::ToolTip && m_grid->Balloon()->Enable())
            return m_grid->ShowCellBalloon(static_cast<QHelpEvent *>(e)->pos());
        return QObject::eventFilter(watched, e);
    }

private:
    TNovaStringGrid *m_grid;
};

} // namespace

bool TNovaStringGrid::BalloonNeedText(const QPoint &ClientPos, QString &Title, QString &Text, int &Icon)
{
    if (!Balloon()->Enable())
        return false;
    int c = -1, r = -1;
    MouseToCell(ClientPos.x(), ClientPos.y(), c, r);
    const bool valid = c >= 0 && r >= 0;
    int rc = -1;
    Text.clear();
    if (valid) {
        rc = RealColIndex(c);
        const TPoint b = BaseCell(rc, r);
        rc = b.X;
        r = b.Y;
        const QString cell = Cells(rc, r);
        switch (GetTextKind(cell, true)) {
        case tkHTML: Text = StripMarkup(cell); break;
        case tkRTF: Text = RichCellPlainText(cell); break;
        case tkWide: Text = GetWideCells(rc, r); break;
        default: Text = cell; break;
        }
    }
    Text.replace(kTab, QLatin1Char(' '));
    int first = 0;
    while (first < Text.size() && (Text[first] == kCR || Text[first] == kLF || Text[first] == kTab))
        ++first;
    Text = Text.mid(first);
    if (Text.size() > kBalloonTextMax)
        Text = Text.left(kBalloonTextMax - 3) + QStringLiteral("...");
    Icon = 1;
    if (Title.isEmpty())
        Title = QStringLiteral(" ");
    if (valid) {
        // A balloon of the cell's own has the first say, the event the last.
        QString ownTitle, ownText;
        TBalloonIcon ownIcon = biInfo;
        if (IsBalloon(rc, r, ownTitle, ownText, ownIcon)) {
            Title = ownTitle;
            Text = ownText;
            Icon = ownIcon;
        }
        FireEvent(OnCellBalloon, this, rc, r, Title, Text, Icon);
    }
    FLastBalloonCell = {rc, r};
    if (Title.size() > kBalloonTitleMax)
        Title = Title.left(kBalloonTitleMax - 3) + QStringLiteral("...");
    return true;
}

bool TNovaStringGrid::ShowCellBalloon(const QPoint &ClientPos)
{
    QString title, text;
    int icon = 1;
    if (!BalloonNeedText(ClientPos, title, text, icon))
        return false;
    BalloonInit();
    auto *tip = qobject_cast<QLabel *>(FBalloonWindow);
    if (!tip)
        return false;
    tip->setProperty("balloonIcon", icon);
    tip->setProperty("balloonTitle", title);
    tip->setTextFormat(Qt::RichText);
    tip->setWordWrap(true);
    tip->setMaximumWidth(300);
    tip->setText(QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"))));
    QPalette pal = tip->palette();
    if (FBalloon->TextColor != clNone)
        pal.setColor(QPalette::WindowText, ToQColor(FBalloon->TextColor));
    if (FBalloon->BackgroundColor != clNone)
        pal.setColor(QPalette::Window, ToQColor(FBalloon->BackgroundColor));
    tip->setPalette(pal);
    tip->adjustSize();
    tip->move(viewport()->mapToGlobal(ClientPos + QPoint(0, 20)));
    tip->show();
    tip->raise();
    return true;
}

void TNovaStringGrid::WatchBalloonRequests()
{
    if (!FBalloonRequests) {
        FBalloonRequests = new BalloonRequests(this);
        viewport()->installEventFilter(FBalloonRequests);
    }
}

void TNovaStringGrid::DateTimeChangeNotify(TDateTime Value)
{
    FireEvent(OnDateTimeChange, this, Col(), Row(), Value);
}
