#include "grid/base/MaskEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <memory>

#include "platform/FormatSettings.h"

using namespace editorkit;

TNovaMaskEdit::TNovaMaskEdit(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

QString qtInputMask(const QString &editMask)
{
    // The fields are split at unescaped semicolons.
    QStringList parts;
    QString cur;
    for (int i = 0; i < editMask.size(); ++i) {
        const QChar c = editMask.at(i);
        if (c == QLatin1Char('\\') && i + 1 < editMask.size()) {
            cur += c;
            cur += editMask.at(++i);
        } else if (c == QLatin1Char(';')) {
            parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts << cur;
    const QString mask = parts.value(0);
    if (mask.isEmpty()) return QString();
    QChar blank = QLatin1Char('_');
    if (parts.size() >= 3 && !parts.at(2).isEmpty()) blank = parts.at(2).at(0);
    const platform::FormatSettings fs = platform::FormatSettings::current();
    static const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    auto literal = [&](QChar c) {
        return qtSpecial.contains(c) ? QString(QLatin1Char('\\')) + c : QString(c);
    };
    QString out;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < mask.size()) out += literal(mask.at(++i));
            break;
        case '!': break; // blank trimming: Qt has none
        case '>': out += QLatin1Char('>'); break;
        case '<':
            if (i + 1 < mask.size() && mask.at(i + 1) == QLatin1Char('>')) {
                out += QLatin1Char('!');
                ++i;
            } else {
                out += QLatin1Char('<');
            }
            break;
        case 'L': out += QLatin1Char('A'); break;
        case 'l': out += QLatin1Char('a'); break;
        case 'A': out += QLatin1Char('N'); break;
        case 'a': out += QLatin1Char('n'); break;
        case 'C': out += QLatin1Char('X'); break;
        case 'c': out += QLatin1Char('x'); break;
        case '0': out += QLatin1Char('9'); break;
        case '9': out += QLatin1Char('0'); break;
        case '#': out += QLatin1Char('#'); break;
        case '/': out += literal(fs.dateSeparator); break;
        case ':': out += literal(fs.timeSeparator); break;
        case '_': out += QLatin1Char(' '); break;
        default: out += literal(c); break;
        }
    }
    return out + QLatin1Char(';') + blank;
}

void TNovaMaskEdit::SetEditMask(const QString &mask)
{
    FEditMask = mask;
    setInputMask(qtInputMask(mask));
}

int TNovaMaskEdit::BorderWidth() const
{
    return FBorderStyle == bsSingle ? (FCtl3D ? 2 : 1) : 0;
}

QRect TNovaMaskEdit::ClientRect() const
{
    const int b = BorderWidth();
    return rect().adjusted(b, b, -b, -b);
}

void TNovaMaskEdit::SetBorderStyle(TBorderStyle s)
{
    FBorderStyle = s;
    const int b = BorderWidth();
    setContentsMargins(b, b, b, b);
    LayoutEdit();
    update();
}

void TNovaMaskEdit::PlaceRightButton(QWidget *button, const QRect &editRect)
{
    const QRect c = ClientRect();
    const int bw = button->width();
    if (FCtl3D) {
        const int d = FBorderStyle == bsSingle ? 5 : 1;
        // The formula counts from the outer size; the client origin shifts it inside the border.
        button->setGeometry(c.left() + width() - bw - d, c.top(), bw, height() - d);
    } else {
        button->setGeometry(width() - bw, 1, bw, height() - 3);
    }
    setTextMargins(editRect.left() - c.left(), 0, c.right() - editRect.right(), 0);
}

void TNovaMaskEdit::resizeEvent(QResizeEvent *e)
{
    QLineEdit::resizeEvent(e);
    const int mh = MinHeight();
    if (height() < mh) resize(width(), mh);
    LayoutEdit();
}

void TNovaMaskEdit::SetCtl3D(bool v)
{
    FCtl3D = v;
    SetBorderStyle(FBorderStyle);
}

void TNovaMaskEdit::SetColor(TColor c)
{
    FColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(c, QApplication::palette()));
    setPalette(pal);
}

void TNovaMaskEdit::paintEvent(QPaintEvent *e)
{
    QLineEdit::paintEvent(e);
    if (FBorderStyle != bsSingle) return;
    QPainter p(this);
    if (FCtl3D) {
        drawSunkenBorder(&p, rect(), palette());
    } else {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

bool TNovaMaskEdit::WantSpecialKey(int, Qt::KeyboardModifiers) { return false; }

bool TNovaMaskEdit::event(QEvent *e)
{
    if (QKeyEvent *k = tabKeyPress(e); k && WantSpecialKey(k->key(), k->modifiers())) {
        keyPressEvent(k);
        return true;
    }
    return QLineEdit::event(e);
}

bool TNovaMaskEdit::KeyMessage(QKeyEvent *) { return false; }

void TNovaMaskEdit::keyPressEvent(QKeyEvent *e)
{
    e->accept();
    if (KeyMessage(e)) return;
    const int k = e->key();
    int key = k;
    KeyDown(key, e->modifiers());
    if (key == 0 && k != 0) return;
    if (key != k) {
        // A handler turned the key into another one: that key, without a character.
        QKeyEvent other(QEvent::KeyPress, key, e->modifiers());
        QLineEdit::keyPressEvent(&other);
        return;
    }
    if (FKeyDownOnly) {
        // A key-down alone: what the key does without its character (Ctrl+letters act on characters).
        if (typedChar(e).isNull()) QLineEdit::keyPressEvent(e);
        return;
    }
    QChar ch = typedChar(e);
    if (ch.isNull()) {
        ApplyCharacter(ch, e);
        return;
    }
    WMChar(ch, e);
    if (!ch.isNull()) ApplyCharacter(ch, e);
}

void TNovaMaskEdit::SendKeyDown(int key, Qt::KeyboardModifiers shift)
{
    QKeyEvent ev(QEvent::KeyPress, key, shift);
    const bool was = FKeyDownOnly;
    FKeyDownOnly = true;
    keyPressEvent(&ev);
    FKeyDownOnly = was;
}

void TNovaMaskEdit::SendKeyUp(int key, Qt::KeyboardModifiers shift)
{
    QKeyEvent ev(QEvent::KeyRelease, key, shift);
    keyReleaseEvent(&ev);
}

void TNovaMaskEdit::SendChar(QChar ch)
{
    int key = 0;
    switch (ch.unicode()) {
    case 0x08: key = Qt::Key_Backspace; break;
    case 0x09: key = Qt::Key_Tab; break;
    case 0x0D: key = Qt::Key_Return; break;
    case 0x1B: key = Qt::Key_Escape; break;
    default: break;
    }
    QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    WMChar(ch, &ev);
    switch (ch.unicode()) {
    case 0: return;
    case 0x03: WMCopy(); return;
    case 0x16: WMPaste(); return;
    case 0x18: WMCut(); return;
    default: ApplyCharacter(ch, &ev);
    }
}

void TNovaMaskEdit::ApplyCharacter(QChar ch, QKeyEvent *e)
{
    if (ch == typedChar(e)) {
        if (e->matches(QKeySequence::Paste)) WMPaste();
        else if (e->matches(QKeySequence::Cut)) WMCut();
        else if (e->matches(QKeySequence::Copy)) WMCopy();
        else QLineEdit::keyPressEvent(e);
    } else if (ch.unicode() >= 32 && !isReadOnly()) {
        insert(QString(ch));
    }
}

void TNovaMaskEdit::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TNovaMaskEdit::KeyUp(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TNovaMaskEdit::keyReleaseEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyUp(key, e->modifiers());
    if (key != 0) QLineEdit::keyReleaseEvent(e);
}

void TNovaMaskEdit::WMChar(QChar &ch, const QKeyEvent *) { KeyPress(ch); }

void TNovaMaskEdit::KeyPress(QChar &key)
{
    if (OnKeyPress) OnKeyPress(this, key);
}

void TNovaMaskEdit::WMPaste()
{
    if (CanChangeByClipboard()) paste();
}

void TNovaMaskEdit::WMCut()
{
    if (CanChangeByClipboard()) cut();
}

void TNovaMaskEdit::WMCopy() { copy(); }

void TNovaMaskEdit::contextMenuEvent(QContextMenuEvent *e)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction *a : menu->actions()) {
        // The clipboard commands of the menu take the same way as their keys.
        const QString n = a->objectName();
        const bool paste = n == QLatin1String("edit-paste"), cut = n == QLatin1String("edit-cut");
        if (!paste && !cut && n != QLatin1String("edit-copy")) continue;
        if ((paste || cut) && !CanChangeByClipboard()) a->setEnabled(false);
        a->disconnect(SIGNAL(triggered(bool)));
        connect(a, &QAction::triggered, this, [this, paste, cut] {
            if (paste) WMPaste();
            else if (cut) WMCut();
            else WMCopy();
        });
    }
    menu->exec(e->globalPos());
}

void TNovaMaskEdit::Change()
{
    if (OnChange) OnChange(this);
}

bool TNovaMaskEdit::SelectAllOnEnter() const
{
    return FAutoSelect && !(QApplication::mouseButtons() & Qt::LeftButton);
}

void TNovaMaskEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    if (SelectAllOnEnter()) selectAll();
    DoEnter();
}

void TNovaMaskEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    DoExit();
}

void TNovaMaskEdit::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TNovaMaskEdit::DoExit()
{
    if (OnExit) OnExit(this);
}
