#include "shell/UParGen_Panels.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>

namespace {
const QColor kBackground(248, 247, 237);
const QColor kHeaderTo(231, 216, 216);
const QColor kHeaderText(128, 128, 128);
} // namespace

TParGenCategoryPanel::TParGenCategoryPanel(const QString &name, QWidget *parent)
    : QWidget(parent), m_body(new QWidget(this))
{
    setObjectName(name);
    m_body->setObjectName(name + QStringLiteral("_Body"));
    m_body->setAutoFillBackground(true);
    QPalette p = m_body->palette();
    p.setColor(QPalette::Window, kBackground);
    m_body->setPalette(p);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TParGenCategoryPanel::Set_Caption(const QString &caption)
{
    m_caption = caption;
    update(0, 0, width(), kHeaderHeight);
}

void TParGenCategoryPanel::Set_Panel_Height(int h)
{
    h = std::max(h, int(kHeaderHeight));
    if (h == m_panelHeight)
        return;
    m_panelHeight = h;
    emit Height_Changed();
}

void TParGenCategoryPanel::Set_Collapsed(bool collapsed)
{
    if (collapsed == m_collapsed)
        return;
    m_collapsed = collapsed;
    m_body->setVisible(!collapsed);
    // Focus must not stay in a field the user can no longer see.
    if (collapsed && m_body->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    emit Height_Changed();
}

void TParGenCategoryPanel::resizeEvent(QResizeEvent *)
{
    m_body->setGeometry(0, kHeaderHeight, width(), std::max(0, m_panelHeight - kHeaderHeight));
}

void TParGenCategoryPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect header(0, 0, width(), kHeaderHeight);
    QLinearGradient g(header.topLeft(), header.bottomLeft());
    g.setColorAt(0, kBackground);
    g.setColorAt(1, kHeaderTo);
    p.fillRect(header, g);
    p.setPen(kHeaderTo.darker(115));
    p.drawLine(header.bottomLeft(), header.bottomRight());

    // Glyph: a chevron pointing up while expanded, down while collapsed.
    p.setRenderHint(QPainter::Antialiasing);
    const int cx = width() - 16, cy = kHeaderHeight / 2;
    QPainterPath chevron;
    if (m_collapsed) {
        chevron.moveTo(cx - 4, cy - 2);
        chevron.lineTo(cx, cy + 2);
        chevron.lineTo(cx + 4, cy - 2);
    } else {
        chevron.moveTo(cx - 4, cy + 2);
        chevron.lineTo(cx, cy - 2);
        chevron.lineTo(cx + 4, cy + 2);
    }
    p.setPen(QPen(kHeaderText, 2));
    p.drawPath(chevron);

    QFont f = font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kHeaderText);
    p.drawText(header.adjusted(6, 0, -32, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               QFontMetrics(f).elidedText(m_caption, Qt::ElideRight, header.width() - 38));
}

void TParGenCategoryPanel::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && e->position().y() < kHeaderHeight) {
        Set_Collapsed(!m_collapsed);
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

TParGenPanelGroup::TParGenPanelGroup(QWidget *parent) : QScrollArea(parent), m_content(new QWidget)
{
    setObjectName(QStringLiteral("CPG"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(8);
    m_content->setObjectName(QStringLiteral("CPG_Content"));
    m_content->setAutoFillBackground(true);
    QPalette p = m_content->palette();
    p.setColor(QPalette::Window, kBackground);
    m_content->setPalette(p);
    viewport()->setPalette(p);
    viewport()->setAutoFillBackground(true);
    setWidget(m_content);
    setWidgetResizable(true);
    m_content->installEventFilter(this);
}

TParGenCategoryPanel *TParGenPanelGroup::Add_Panel(const QString &name)
{
    auto *panel = new TParGenCategoryPanel(name, m_content);
    panel->Tab_Order = int(m_panels.size());
    m_panels.push_back(panel);
    connect(panel, &TParGenCategoryPanel::Height_Changed, this, &TParGenPanelGroup::Restack);
    return panel;
}

std::vector<TParGenCategoryPanel *> TParGenPanelGroup::Shown_Panels() const
{
    std::vector<TParGenCategoryPanel *> shown;
    for (TParGenCategoryPanel *p : m_panels)
        if (!p->isHidden())
            shown.push_back(p);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const TParGenCategoryPanel *a, const TParGenCategoryPanel *b) { return a->Tab_Order < b->Tab_Order; });
    return shown;
}

void TParGenPanelGroup::Restack()
{
    const auto shown = Shown_Panels();
    int total = 0;
    for (TParGenCategoryPanel *p : shown)
        total += p->Shown_Height();
    // The content follows the viewport's width (widget resizable); its height is the stack's.
    m_content->setMinimumHeight(std::max(total, 1));
    Place_Panels();
}

void TParGenPanelGroup::Place_Panels()
{
    const int w = m_content->width();
    int top = 0;
    for (TParGenCategoryPanel *p : Shown_Panels()) {
        p->setGeometry(0, top, w, p->Shown_Height());
        top += p->Shown_Height();
    }
}

void TParGenPanelGroup::Scroll_Lines(int lines)
{
    QScrollBar *sb = verticalScrollBar();
    for (int i = 0; i < std::abs(lines); ++i)
        sb->triggerAction(lines < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
}

bool TParGenPanelGroup::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_content && e->type() == QEvent::Resize)
        Place_Panels();
    return QScrollArea::eventFilter(watched, e);
}

TParGenEdit::TParGenEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &TParGenEdit::edited);
    // The current text, not the signal's: a refused key's textChanged still carries the refused text.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_reverting)
            m_last = text();
    });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int n) {
        if (!m_reverting && text() == m_last)
            m_lastCursor = n;
    });
}

void TParGenEdit::edited(const QString &t)
{
    // textEdited comes before textChanged, so m_last still holds the text before the key.
    if (m_limit <= 0 || t.size() <= m_limit || t.size() <= m_last.size())
        return;
    m_reverting = true;
    const int cursor = m_lastCursor;
    setText(m_last);
    setCursorPosition(std::min(cursor, int(m_last.size())));
    m_reverting = false;
    QApplication::beep();
}
