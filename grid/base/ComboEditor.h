#pragma once
// Combo box with its own look: flat or etched frame, border and focus colours, a painted
// drop-down button, an attached caption label, a drop-down list width and a close-up event.
// The grid's in-place combo editor derives from TNsgComboBox.
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <functional>

#include "grid/base/AttachedLabel.h"
#include "grid/base/EditorKit.h"
#include "grid/base/PopupWatch.h"

enum TComboStyle : quint8 { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TEditCharCase : quint8 { ecNormal, ecUpperCase, ecLowerCase };

class TNsgCustomCombo : public QComboBox, public editorkit::ButtonColors, public TLabelledControl {
public:
    using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
    using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;

    explicit TNsgCustomCombo(QWidget *parent = nullptr);
    ~TNsgCustomCombo() override;

    // Platform combo properties.
    TComboStyle Style() const { return FStyle; }
    void SetStyle(TComboStyle s);
    QStringList Items() const;
    void SetItems(const QStringList &items);
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int i) { setCurrentIndex(i); }
    QString Text() const { return currentText(); }
    void SetText(const QString &t);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int n) { setMaxVisibleItems(n); }
    bool DroppedDown() const;
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool v);
    // Letter case of the edit: typed, pasted and set texts are turned into it.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase c);
    // Height of one row of the list; 0 (the default) leaves it to the font.
    int ItemHeight() const;
    void SetItemHeight(int h);

    // Own look.
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    editorkit::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(editorkit::TColor c);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int w);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    editorkit::TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(editorkit::TColor c);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v) { FFocusBorder = v; update(); }
    editorkit::TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(editorkit::TColor c) { FFocusBorderColor = c; update(); }
    editorkit::TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(editorkit::TColor c) { FFocusColor = c; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int w);
    editorkit::TColor Color() const { return FColor; }
    void SetColor(editorkit::TColor c);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool v) { setEnabled(v); }
    bool Visible() const { return isVisible(); }
    void SetVisible(bool v) { setVisible(v); }
    void setVisible(bool visible) override;

    // The attached label (TLabelledControl holds its properties).
    QLabel *ComboLabel() const { return AttachedLabel(); }

    // Run-time look flags (not stored).
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; update(); }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool v) { FIsVista = v; update(); }

    // Selects the first item equal to the text, letter case ignored; else nothing changes.
    void SelectItem(const QString &text);
    // Records the colour restored when the focus leaves.
    void Init();
    void BeginLoading() { FLoading = true; }
    bool IsLoading() const { return FLoading; }
    virtual void Loaded();

    // State, for drawing decisions.
    bool MouseInControl() const { return FPointer.inControl; }
    bool ButtonHover() const { return FPointer.overButton; }
    bool HasFocus() const { return FHasFocus; }
    // The drop-down button area (window rectangle from client width - ButtonWidth + 2, shrunk by 1).
    QRect ButtonRect() const;
    // Whether the control paints its own look rather than the platform's.
    bool OwnPainting() const;

    editorkit::NotifyEvent OnDropUp;
    editorkit::NotifyEvent OnDropDown;
    editorkit::NotifyEvent OnChange;
    editorkit::NotifyEvent OnSelect;
    editorkit::NotifyEvent OnEnter;
    editorkit::NotifyEvent OnExit;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

    void showPopup() override;
    void hidePopup() override;

protected:
    // Hooks of a derived in-place editor, in the platform's key order.
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar &key);
    virtual void KeyUp(int &key, Qt::KeyboardModifiers shift);
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool WantSpecialKey(int key, Qt::KeyboardModifiers shift);

    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void changeEvent(QEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

    void UpdateLabel() override;

private:
    void DrawBorders(QPainter &p);
    void DrawButton(QPainter &p);
    void ApplyColor(editorkit::TColor c);
    void PlaceEditor();
    bool HandleKey(QKeyEvent *e);
    void ButtonStateChanged();

    TComboStyle FStyle = csDropDown;
    QString InCharCase(const QString &t) const;
    void ApplyCharCase();
    bool FAutoComplete = true;
    TEditCharCase FCharCase = ecNormal;
    int FItemHeight = 0;
    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    editorkit::TColor FOldColor = editorkit::clWindow;
    editorkit::TColor FLoadedColor = editorkit::clWindow;
    bool FOldParentColor = false;
    int FButtonWidth = 0;
    bool FFocusBorder = false;
    editorkit::DropButtonPointer FPointer;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    editorkit::TColor FFlatLineColor = editorkit::clNone;
    bool FFlatParentColor = true;
    editorkit::TColor FFocusColor = editorkit::clNone;
    editorkit::TColor FFocusBorderColor = editorkit::clNone;
    editorkit::TColor FBorderColor = editorkit::clNone;
    bool FDisabledBorder = true;
    editorkit::TColor FNormalColor = editorkit::clNone;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    bool FIsVista = false;
    editorkit::TColor FColor = editorkit::clWindow;
    bool FParentColor = false;
    bool FLoading = false;
    bool FMouseDown = false;
    QPointer<QLineEdit> FWiredEdit;
    TPopupWatch FListWatch;
};

// The combo with every property exposed; no behaviour of its own.
class TNsgComboBox : public TNsgCustomCombo {
public:
    using TNsgCustomCombo::TNsgCustomCombo;
};
