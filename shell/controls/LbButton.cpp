#include "shell/controls/LbButton.h"

#include <QAction>
#include <QDialog>
#include <QEnterEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

namespace {

constexpr int kFadeIntervalMs = 30;

bool isPushButtonClass(const QWidget *w)
{
    const QByteArray name = QByteArray(w->metaObject()->className()).toUpper();
    return name.contains("BUTTON") && !name.contains("RADIOBUTTON");
}

// Band i of 32 between rows y0 and y1, colours from start to end (exclusive right/bottom edges).
void gradientBands(QPainter &p, int x0, int x1, int y0, int y1, const QColor &start, const QColor &end)
{
    const int step = (y1 - y0) / 31;
    for (int i = 0; i < 32; ++i) {
        const int top = y0 + i * (y1 - y0) / 31;
        const int bottom = std::min(top + step + 1, y1);
        if (bottom <= top || x1 <= x0) continue;
        const QColor c(start.red() + i * (end.red() - start.red()) / 31,
                       start.green() + i * (end.green() - start.green()) / 31,
                       start.blue() + i * (end.blue() - start.blue()) / 31);
        p.fillRect(QRect(x0, top, x1 - x0, bottom - top), c);
    }
}

} // namespace

TLbButton::TLbButton(QWidget *parent) : QAbstractButton(parent)
{
    resize(100, 23);
    setFocusPolicy(Qt::StrongFocus);
    m_hotTrackFont = parent ? parent->window()->font() : font();
    connect(this, &QAbstractButton::clicked, this, &TLbButton::clickAction);
}

TLbButton::~TLbButton()
{
    if (m_keyWindow) m_keyWindow->removeEventFilter(this);
}

QSize TLbButton::sizeHint() const { return QSize(100, 23); }

// ---- properties -----------------------------------------------------------------------------

void TLbButton::setAlignment(Qt::Alignment a)
{
    m_alignment = a & Qt::AlignHorizontal_Mask;
    update();
}

void TLbButton::setCancel(bool on)
{
    m_cancel = on;
    updateDialogKeyFilter();
}

void TLbButton::setDefault(bool on)
{
    m_default = on;
    updateDialogKeyFilter();
}

void TLbButton::setColorStyle(TLbColorStyle preset)
{
    if (preset == lcsCustom) return;
    const TLbColorPreset v = GetLbColorStyle(preset);
    m_flat = false;
    m_fontColor = lbBlack;
    m_color = v.color;
    m_lightColor = v.light;
    m_shadowColor = v.shadow;
    m_colorWhenDown = v.whenDown;
    m_hotTrackColor = v.hotTrack;
    m_flat = v.flat;
    m_fontColor = v.fontColor;
    setButtonStyle(v.style);
    update();
}

void TLbButton::setColor(TLbColor c)
{
    m_color = c;
    update();
}

void TLbButton::setLightColor(TLbColor c)
{
    m_lightColor = c;
    update();
}

void TLbButton::setShadowColor(TLbColor c)
{
    m_shadowColor = c;
    update();
}

void TLbButton::setFontColor(TLbColor c)
{
    m_fontColor = c;
    update();
}

void TLbButton::setFlat(bool on)
{
    m_flat = on;
    update();
}

void TLbButton::setWordWrap(bool on)
{
    m_wordWrap = on;
    update();
}

void TLbButton::setGlyph(const QImage &strip)
{
    m_glyph = strip;
    m_numGlyphs = strip.isNull() || strip.height() == 0 ? 0 : strip.width() / strip.height();
    m_kind = bkCustom;
    update();
}

void TLbButton::setNumGlyphs(int n)
{
    m_numGlyphs = n;
    update();
}

void TLbButton::setGlyphLayout(TLbButtonLayout l)
{
    m_layout = l;
    update();
}

void TLbButton::setKind(TLbButtonKind k)
{
    if (k != bkCustom) {
        const TLbKindInfo info = lbKindInfo(k);
        m_numGlyphs = 2;
        m_modalResult = info.modalResult;
        m_glyph = lbKindGlyph(k);
        setText(info.caption);
    }
    m_kind = k;
    update();
}

void TLbButton::setModalResult(int r)
{
    m_modalResult = r;
    m_kind = bkCustom;
}

void TLbButton::setSlowDecease(bool on)
{
    m_slowDecease = on;
    if (!on) {
        m_hotTrackStep = 0;
        delete m_fadeTimer;
        m_fadeTimer = nullptr;
    }
    update();
}

bool TLbButton::isFading() const { return m_fadeTimer && m_fadeTimer->isActive(); }

void TLbButton::setButtonStyle(TLbButtonStyle s)
{
    m_style = s;
    update();
}

void TLbButton::setPopupMenu(QMenu *menu)
{
    m_popup = menu;
    update();
}

void TLbButton::setAction(QAction *action)
{
    if (m_action) disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action) {
        connect(action, &QAction::changed, this, &TLbButton::actionChanged);
        actionChanged();
    }
}

void TLbButton::actionChanged()
{
    if (!m_action) return;
    setText(m_action->text());
    setEnabled(m_action->isEnabled());
    setToolTip(m_action->toolTip());
    setVisible(m_action->isVisible());
    const QIcon icon = m_action->icon();
    if (m_glyph.isNull() && !icon.isNull()) {
        const QList<QSize> sizes = icon.availableSizes();
        const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
        QImage img(size, QImage::Format_RGB32);
        img.fill(QColor(255, 0, 255));
        {
            QPainter p(&img);
            icon.paint(&p, QRect(QPoint(0, 0), size));
        }
        m_glyph = img;
        m_numGlyphs = 1;
        update();
    }
}

// ---- clicking -------------------------------------------------------------------------------

void TLbButton::Click()
{
    // A hidden or disabled button does not click, and is not left looking pressed either.
    setDown(false);
    if (!isVisible() || !isEnabled()) return;
    QAbstractButton::click(); // emits clicked(), which runs clickAction first
}

void TLbButton::clickAction()
{
    QPointer<TLbButton> self(this);
    if (OnClick) OnClick(this);
    if (!self) return;
    if (m_modalResult != 0) {
        if (auto *dlg = qobject_cast<QDialog *>(window())) {
            if (m_modalResult == 1)
                dlg->accept();
            else if (m_modalResult == 2)
                dlg->reject();
            else
                dlg->done(m_modalResult);
        }
    }
    if (!self) return;
    if (m_popup) m_popup->popup(mapToGlobal(QPoint(0, height())));
    if (m_action) m_action->trigger();
}

void TLbButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled()) {
        e->ignore();
        return;
    }
    m_mouseHeld = true;
    m_pointerInside = true;
    setDown(true);
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    update();
    e->accept();
}

void TLbButton::mouseMoveEvent(QMouseEvent *e)
{
    if (m_mouseHeld) {
        const bool inside = rect().contains(e->position().toPoint());
        if (inside != m_pointerInside) {
            m_pointerInside = inside;
            update();
        }
    }
    e->accept();
}

void TLbButton::mouseReleaseEvent(QMouseEvent *e)
{
    const bool held = m_mouseHeld;
    m_mouseHeld = false;
    m_pointerInside = true;
    // A release outside the button cancels the press instead of clicking.
    if (held && isDown() && rect().contains(e->position().toPoint())) {
        QPointer<TLbButton> self(this);
        Click();
        if (!self) return;
    }
    setDown(false);
    update();
    e->accept();
}

void TLbButton::keyPressEvent(QKeyEvent *e)
{
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) {
        if (isEnabled()) {
            if (!e->isAutoRepeat()) {
                setDown(true);
                update();
            }
            e->accept();
            return;
        }
    }
    QAbstractButton::keyPressEvent(e);
}

void TLbButton::keyReleaseEvent(QKeyEvent *e)
{
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) {
        if (!e->isAutoRepeat() && isDown() && !m_mouseHeld) {
            QPointer<TLbButton> self(this);
            Click();
            if (!self) return;
            update();
        }
        e->accept();
        return;
    }
    QAbstractButton::keyReleaseEvent(e);
}

bool TLbButton::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        // The caption's accelerator letter clicks at once.
        if (!static_cast<QShortcutEvent *>(e)->isAmbiguous() && isVisible() && isEnabled()) {
            Click();
            return true;
        }
    }
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::Show) updateDialogKeyFilter();
    if (e->type() == QEvent::ToolTipChange || e->type() == QEvent::Show) updateAccessibleName();
    return QAbstractButton::event(e);
}

void TLbButton::updateAccessibleName()
{
    // A name the window gave the button itself stays.
    if (!m_nameFromHint && !accessibleName().isEmpty()) return;
    const QString name = text().isEmpty() ? toolTip() : QString();
    if (accessibleName() != name) setAccessibleName(name);
    m_nameFromHint = !name.isEmpty();
}

void TLbButton::updateDialogKeyFilter()
{
    QWidget *target = (m_default || m_cancel) ? window() : nullptr;
    if (target == this) target = nullptr;
    if (target == m_keyWindow) return;
    if (m_keyWindow) m_keyWindow->removeEventFilter(this);
    m_keyWindow = target;
    if (target) target->installEventFilter(this);
}

bool TLbButton::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_keyWindow && e->type() == QEvent::KeyPress)
        return handleDialogKey(static_cast<QKeyEvent *>(e));
    return QAbstractButton::eventFilter(watched, e);
}

bool TLbButton::handleDialogKey(QKeyEvent *e)
{
    const int k = e->key();
    const bool enter = (k == Qt::Key_Return || k == Qt::Key_Enter) && m_default;
    const bool escape = k == Qt::Key_Escape && m_cancel && !(e->modifiers() & Qt::ShiftModifier);
    if (!enter && !escape) return false;
    if (!isVisible() || !isEnabled()) return false;
    if (const QWidget *active = m_keyWindow ? m_keyWindow->focusWidget() : nullptr)
        if (isPushButtonClass(active)) return false; // the focused button handles the key itself
    Click();
    return true;
}

// ---- hover and focus ------------------------------------------------------------------------

void TLbButton::enterEvent(QEnterEvent *e)
{
    QAbstractButton::enterEvent(e);
    const bool parentShowing = !parentWidget() || parentWidget()->isVisible();
    if (!isEnabled() || !isVisible() || !parentShowing) return;
    m_cursorOnButton = true;
    m_hotTrackStep = 8;
    if (m_fadeTimer) m_fadeTimer->stop();
    update();
    if (OnMouseEnter) OnMouseEnter(this);
    emit mouseEntered();
}

void TLbButton::leaveEvent(QEvent *e)
{
    QAbstractButton::leaveEvent(e);
    m_cursorOnButton = false;
    if (m_slowDecease) {
        if (!m_fadeTimer) {
            m_fadeTimer = new QTimer(this);
            m_fadeTimer->setInterval(kFadeIntervalMs);
            connect(m_fadeTimer, &QTimer::timeout, this, &TLbButton::fadeStep);
        }
        if (!m_fadeTimer->isActive()) m_fadeTimer->start();
    } else {
        m_hotTrackStep = 0;
        update();
    }
    const bool parentShowing = !parentWidget() || parentWidget()->isVisible();
    if (isEnabled() && isVisible() && parentShowing) {
        if (OnMouseExit) OnMouseExit(this);
        emit mouseExited();
    }
}

void TLbButton::fadeStep()
{
    --m_hotTrackStep;
    if (m_hotTrackStep <= 0) {
        m_hotTrackStep = 0;
        if (m_fadeTimer) m_fadeTimer->stop();
    }
    update();
}

void TLbButton::focusInEvent(QFocusEvent *e)
{
    QAbstractButton::focusInEvent(e);
    update();
}

void TLbButton::focusOutEvent(QFocusEvent *e)
{
    QAbstractButton::focusOutEvent(e);
    update();
}

void TLbButton::changeEvent(QEvent *e)
{
    QAbstractButton::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        setDown(false);
        m_mouseHeld = false;
        update();
    }
}

// ---- painting -------------------------------------------------------------------------------

void TLbButton::paintEvent(QPaintEvent *)
{
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    QImage buffer(w, h, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent); // modern, shape and quicken leave their corners see-through
    const bool hot = m_cursorOnButton || hasFocus();
    const bool pressed = isDown() && m_pointerInside;
    {
        QPainter p(&buffer);
        if (m_style == bsOld && hasFocus()) {
            p.save();
            p.translate(1, 1);
            drawButton(p, w - 2, h - 2, pressed, hot, pressed ? m_shadowColor : m_lightColor);
            p.restore();
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 0, w - 1, h - 1);
        } else {
            drawButton(p, w, h, pressed, hot, m_lightColor);
        }
    }
    QPainter painter(this);
    painter.drawImage(0, 0, buffer);
    if (hasFocus() && isEnabled() && m_style != bsShape) {
        QPen pen(lbToQColor(m_fontColor, palette()), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(4, 4, w - 9, h - 9);
    }
}

void TLbButton::drawButton(QPainter &p, int W, int H, bool pressedIn, bool hot, TLbColor lightValue)
{
    const QPalette &pal = palette();
    const bool enabled = isEnabled();
    const bool pressed = pressedIn && enabled;
    const int B = (pressed && m_style != bsEncarta) ? 1 : 0;
    const QColor light = lbToQColor(lightValue, pal);
    const QColor shadow = lbToQColor(m_shadowColor, pal);
    const QColor dkShadow = lbToQColor(lb3DDkShadow, pal);

    // 1. Fill colour.
    QColor fill = lbToQColor(m_color, pal);
    if (enabled && m_hotTrackColor != lbNoColor)
        fill = lbBlend(fill, lbToQColor(m_hotTrackColor, pal), m_hotTrackStep / 8.0);
    if (pressed && m_colorWhenDown != lbNoColor) fill = lbToQColor(m_colorWhenDown, pal);

    // 2. Background.
    switch (m_style) {
    case bsNormal:
    case bsEncarta:
    case bsOld:
        p.fillRect(QRect(0, 0, W, H), fill);
        break;
    case bsModern: {
        const int mid = H / 4 + B;
        gradientBands(p, 2, W - 2, 2, mid, light, fill);
        gradientBands(p, 2, W - 2, mid, H - 1, fill, light);
        break;
    }
    case bsShape:
    case bsQuicken:
        break;
    }

    // 3. Frame.
    p.setBrush(Qt::NoBrush);
    auto line = [&p](const QColor &c, int x1, int y1, int x2, int y2) {
        p.setPen(QPen(c, 1));
        p.drawLine(x1, y1, x2, y2);
    };
    switch (m_style) {
    case bsNormal:
    case bsEncarta:
    case bsOld: {
        const bool draw = enabled ? !(m_flat && !hot && !pressed) : !m_flat;
        if (!draw) break;
        if (m_style == bsOld) {
            if (!pressed) {
                line(shadow, W - 2, 0, W - 2, H - 2);
                line(shadow, W - 2, H - 2, 0, H - 2);
            } else {
                line(shadow, 1, H - 3, 1, 1);
                line(shadow, 1, 1, W - 2, 1);
            }
            const QColor tl = pressed ? dkShadow : light;
            const QColor br = pressed ? light : dkShadow;
            line(tl, 0, 0, W - 1, 0);
            line(tl, 0, 0, 0, H - 1);
            line(br, W - 1, 0, W - 1, H - 1);
            line(br, 0, H - 1, W - 1, H - 1);
        } else {
            const QColor tl = pressed ? shadow : light;
            const QColor br = pressed ? light : shadow;
            line(tl, 0, 0, W - 1, 0);
            line(tl, 0, 0, 0, H - 1);
            line(br, W - 1, 0, W - 1, H - 1);
            line(br, 0, H - 1, W - 1, H - 1);
        }
        break;
    }
    case bsModern:
        p.setPen(QPen(pressed ? shadow : fill, 1));
        p.drawRect(1, 1, W - 3, H - 3);
        p.setPen(QPen(shadow, 1));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRoundedRect(QRectF(0, 0, W - 1, H - 1), 3, 3);
        break;
    case bsQuicken:
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0, 1, W, H - 1), 2, 2);
        p.setBrush(Qt::NoBrush);
        line(shadow, 4, 0, W - 5, 0);
        line(shadow, 4, H - 1, W - 5, H - 1);
        break;
    case bsShape:
        break;
    }

    // 4. Font and text colour.
    QFont f = font();
    if (m_useHotTrackFont && hot) f = m_hotTrackFont;
    if (m_style == bsEncarta && pressed) f.setBold(true);
    p.setFont(f);
    const QColor textColor = (!enabled && m_style != bsShape) ? QColor(128, 128, 128) : lbToQColor(m_fontColor, pal);
    const QFontMetrics fm(f);

    // 5. Glyph cell.
    const int t = (m_numGlyphs > 0 && !m_glyph.isNull()) ? m_glyph.width() / m_numGlyphs : 0;
    const int gh = m_glyph.height();
    int cell = 0;
    if (!enabled)
        cell = 1;
    else if (pressed && m_numGlyphs > 2)
        cell = 2;
    else if (hot && m_numGlyphs > 3)
        cell = 3;
    if ((cell + 1) * t > m_glyph.width()) cell = 0;

    // 6-8. Caption fitting and placement.
    int v;
    if (m_style == bsShape || m_layout == blGlyphTop || m_layout == blGlyphBottom)
        v = W - 8;
    else
        v = t == 0 ? W - 8 : W - t - 12;
    v = std::max(v, 0);
    QString caption = text();
    const int lineFlags = Qt::TextShowMnemonic;
    if (!m_wordWrap)
        while (!caption.isEmpty() && fm.size(lineFlags, caption).width() > v) caption.chop(1);
    const int hAlign = m_alignment & Qt::AlignLeft ? Qt::AlignLeft : m_alignment & Qt::AlignRight ? Qt::AlignRight : Qt::AlignHCenter;
    const int textFlags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignTop | hAlign;
    const QRect measured = caption.isEmpty() ? QRect() : fm.boundingRect(QRect(0, 0, v, 100000), textFlags, caption);
    const int tw = measured.width();
    const int th = caption.isEmpty() ? 0 : measured.height();

    int textLeft = B + 4, textTop = 0, glyphLeft = 0, glyphTop = 0;
    QRect textRect;
    if (m_style == bsShape) {
        glyphLeft = (W - t) / 2;
        glyphTop = (H - gh) / 2;
        textRect = QRect(QPoint(B, (H - th) / 2 + B), QPoint(W - 1, H - 1));
    } else if (m_layout == blGlyphTop || m_layout == blGlyphBottom) {
        const int total = th + (t > 0 ? gh + 4 : 0);
        const int C = (H - total) / 2;
        if (m_layout == blGlyphTop) {
            glyphTop = C + B;
            textTop = C + gh + B;
        } else {
            textTop = C + B;
            glyphTop = C + th + B;
        }
        if (hAlign == Qt::AlignLeft)
            glyphLeft = B + 4;
        else if (hAlign == Qt::AlignRight)
            glyphLeft = W + B - t - 4;
        else
            glyphLeft = (W - t) / 2 + B;
        textRect = QRect(textLeft, textTop, v, th);
    } else {
        textTop = (H - th) / 2 + B;
        glyphTop = (H - gh) / 2 + B;
        const int g = caption.isEmpty() ? 0 : tw + 4;
        if (m_layout == blGlyphLeft) {
            if (t > 0) textLeft += t + 4;
            if (hAlign == Qt::AlignLeft || m_wordWrap)
                glyphLeft = B + 4;
            else if (hAlign == Qt::AlignRight)
                glyphLeft = W + B - t - g - 4;
            else
                glyphLeft = (W - t) / 2 + B - g / 2;
        } else {
            if (hAlign == Qt::AlignLeft || m_wordWrap)
                glyphLeft = textLeft + g;
            else if (hAlign == Qt::AlignRight)
                glyphLeft = W + B - t - 4;
            else
                glyphLeft = (W - t) / 2 + B + g / 2;
        }
        textRect = QRect(textLeft, textTop, v, th);
    }
    if (!caption.isEmpty()) {
        p.setPen(textColor);
        const int flags = m_style == bsShape ? (Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignTop | Qt::AlignHCenter) : textFlags;
        p.drawText(textRect, flags, caption);
    }
    if (t > 0 && gh > 0) {
        const QImage piece = lbTransparentByCorner(m_glyph.copy(cell * t, 0, t, gh));
        p.drawImage(glyphLeft, glyphTop, piece);
    }

    // 9. Drop-down arrow.
    if (m_popup) p.drawImage(W - 11, H / 2 - 1, lbTransparentByCorner(lbArrowGlyph()));
}
