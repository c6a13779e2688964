#pragma once
// Single-line edit with the platform edit's properties and its key path split the
// platform's way: key-down, then the typed character (WMChar, KeyPress). The spin edit and
// the edit with a button derive from it; the grid's in-place editors override the hooks.
#include <QLineEdit>
#include <functional>

#include "grid/base/EditorKit.h"

class TNovaMaskEdit : public QLineEdit {
public:
    using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
    using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;

    explicit TNovaMaskEdit(QWidget *parent = nullptr);

    editorkit::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(editorkit::TBorderStyle s);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    editorkit::TColor Color() const { return FColor; }
    void SetColor(editorkit::TColor c);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    // The mask in the platform's form "mask;save-literals;blank" (see qtInputMask); reads back as set.
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString &mask);

    // Border width of the frame: 2 (3-D), 1 (flat) or 0.
    int BorderWidth() const;
    // The client area inside the border, in widget coordinates.
    QRect ClientRect() const;
    // The height the control keeps at least; it grows back when made smaller.
    virtual int MinHeight() const { return 0; }

    editorkit::NotifyEvent OnChange;
    editorkit::NotifyEvent OnEnter;
    editorkit::NotifyEvent OnExit;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

protected:
    // Keys handled before any key-down handler sees them; true consumes the key.
    virtual bool KeyMessage(QKeyEvent *e);
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyUp(int &key, Qt::KeyboardModifiers shift);
    // The typed character; a null character drops it.
    virtual void WMChar(QChar &ch, const QKeyEvent *e);
    virtual void KeyPress(QChar &key);
    virtual void WMPaste();
    virtual void WMCut();
    virtual void WMCopy();
    virtual bool CanChangeByClipboard() const { return !isReadOnly(); }
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool SelectAllOnEnter() const;
    // Keys the control claims from focus navigation (Tab, Backtab).
    virtual bool WantSpecialKey(int key, Qt::KeyboardModifiers shift);
    // Border or size changed: children and text margins follow.
    virtual void LayoutEdit() {}
    // A button inside the right edge, the text kept within editRect.
    void PlaceRightButton(QWidget *button, const QRect &editRect);
    // Keys handed over from elsewhere (a pop-up window), handled as if typed here: a key-down alone
    // (no character follows it), a key-up, and a character alone.
    void SendKeyDown(int key, Qt::KeyboardModifiers shift);
    void SendKeyUp(int key, Qt::KeyboardModifiers shift);
    void SendChar(QChar ch);

    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void ApplyCharacter(QChar ch, QKeyEvent *e);

    bool FAutoSelect = true;
    bool FCtl3D = true;
    editorkit::TBorderStyle FBorderStyle = editorkit::bsSingle;
    editorkit::TColor FColor = editorkit::clWindow;
    QString FEditMask;
    bool FKeyDownOnly = false;
};

// An edit mask in the platform's three-part form "mask;save-literals;blank" as a Qt input mask:
// 0 required / 9 optional digit, L/l letter, A/a letter or digit, C/c any character, # digit or
// sign, > < <> case, \ literal, / and : the locale's date and time separators, _ a blank;
// the blank character is the third part ("_" when absent). Empty for an empty mask.
QString qtInputMask(const QString &editMask);
