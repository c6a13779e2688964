#include "grid/base/AttachedLabel.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <functional>

namespace {

QString stripPrefix(QString s)
{
    // "&&" is a literal ampersand, a single "&" marks the accelerator.
    s.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    s.remove(QLatin1Char('&'));
    s.replace(QChar(0xE000), QLatin1Char('&'));
    return s;
}

// Hands the label's clicks to its control.
class LabelClicks : public QObject {
public:
    LabelClicks(std::function<void()> click, std::function<void()> dblClick)
        : m_click(std::move(click)), m_dblClick(std::move(dblClick))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) m_click();
        else if (e->type() == QEvent::MouseButtonDblClick) m_dblClick();
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> m_click, m_dblClick;
};

} // namespace

QPoint LabelPlacement(TLabelPosition pos, const QRect &c, const QSize &label, int TW, int M)
{
    const int L = c.left(), T = c.top(), W = c.width(), H = c.height();
    const int LW = label.width(), LH = label.height();
    switch (pos) {
    case lpLeftTop: return {L - TW - M, T};
    case lpLeftCenter: return {L - TW - M, T + (H - LH) / 2};
    case lpLeftBottom: return {L - TW - M, T + H - LH};
    case lpTopLeft: return {L, T - LH - M};
    case lpBottomLeft: return {L, T + H + M};
    case lpLeftTopLeft: return {L - M, T};
    case lpLeftCenterLeft: return {L - M, T + (H - LH) / 2};
    case lpLeftBottomLeft: return {L - M, T + H - LH};
    case lpTopCenter: return {L + (W - LW) / 2, T - LH - M};
    case lpBottomCenter: return {L + (W - LW) / 2, T + H + M};
    case lpRightTop: return {L + W + M, T};
    case lpRightCenter: return {L + W + M, T + (H - LH) / 2};
    case lpRighBottom: return {L + W + M, T + H - LH};
    case lpTopRight: return {L + W - LW, T - LH - M};
    case lpBottomRight: return {L + W - LW, T + H + M};
    }
    return {L, T};
}

void PlaceLabel(QLabel *label, const QWidget *control, TLabelPosition pos, int margin)
{
    label->adjustSize();
    const int tw = QFontMetrics(label->font()).horizontalAdvance(stripPrefix(label->text()));
    label->move(LabelPlacement(pos, control->geometry(), label->size(), tw, margin));
    label->setVisible(!control->isHidden());
}

TLabelledControl::TLabelledControl(QWidget *control, int margin)
    : FLabelFont(QApplication::font()), FLabelMargin(margin), FLabelledControl(control)
{
}

TLabelledControl::~TLabelledControl()
{
    delete FLabel.data();
}

QString TLabelledControl::LabelCaption() const { return FLabel ? FLabel->text() : QString(); }

void TLabelledControl::SetLabelCaption(const QString &caption)
{
    if (!FLabel) {
        FLabel = new QLabel(FLabelledControl->parentWidget());
        FLabel->setBuddy(FLabelledControl);
        FLabel->setFont(FLabelFont);
        FLabelClicks = std::make_unique<LabelClicks>([this] { LabelClicked(); }, [this] { LabelDblClicked(); });
        FLabel->installEventFilter(FLabelClicks.get());
    }
    FLabel->setText(caption);
    UpdateLabel();
}

void TLabelledControl::SetLabelPosition(TLabelPosition p)
{
    FLabelPosition = p;
    UpdateLabel();
}

void TLabelledControl::SetLabelMargin(int m)
{
    FLabelMargin = m;
    UpdateLabel();
}

void TLabelledControl::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TLabelledControl::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (v && FLabel) FLabel->setEnabled(true);
    UpdateLabel();
}

void TLabelledControl::SetLabelFont(const QFont &f)
{
    FLabelFont = f;
    LabelFontChanged();
}

void TLabelledControl::LabelFontChanged()
{
    if (FLabel && FLabelledControl->testAttribute(Qt::WA_SetFont)) FLabel->setFont(FLabelFont);
    UpdateLabel();
}

void TLabelledControl::PlaceAttachedLabel(const QFont *font)
{
    if (!FLabel) return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    if (font) FLabel->setFont(*font);
    PlaceLabel(FLabel, FLabelledControl, FLabelPosition, FLabelMargin);
}

void TLabelledControl::LabelFollowEnabled(bool enabled)
{
    if (FLabel && !FLabelAlwaysEnabled) FLabel->setEnabled(enabled);
}

void TLabelledControl::LabelFollowVisible(bool visible)
{
    if (FLabel) FLabel->setVisible(visible);
}

void TLabelledControl::LabelFollowParent()
{
    if (FLabel) FLabel->setParent(FLabelledControl->parentWidget());
}
