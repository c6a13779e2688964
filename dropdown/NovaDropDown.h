#pragma once
// The base of every drop-down edit: a one-line edit with the arrow button at its right edge that
// opens a frameless pop-up window below (or above) it, with an optional header and footer and the
// inner control a descendant supplies. The base runs the pop-up's whole life (creation, size, place
// on the screen, showing, keys handed over, closing with or without cancel), the look of the edit
// (frames, the display that takes no typing, the attached label), the selection colours that
// descendants paint chosen items in, and the numeric text entry (NovaDropDown_Numeric.cpp).
//
// A descendant makes its inner control in its constructor, after the base's, through its own
// CreateDropDownForm (the base's creates the pop-up once) and hands it over with SetControl; it loads
// the control with its value in BeforeDropDown and restores its value in SetText when cancelled.
#include "dropdown/DropDownButton.h"
#include "dropdown/DropDownStyles.h"
#include "grid/base/AttachedLabel.h"
#include "grid/base/DropDownAppearance.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/MaskEdit.h"
#include "grid/base/PopupWatch.h"
#include "grid/base/Theme.h"
#include "platform/ComponentStream.h"

#include <QPointer>
#include <functional>
#include <memory>

class TDropDownForm;

enum TDropPosition : std::uint8_t { dpAuto, dpDown, dpUp };
enum TDropDownEditType : std::uint8_t {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};

// Where a pop-up of `popup` size opens for an edit whose top-left screen corner is P and whose
// height is editHeight: below or above by DropPosition (dpAuto: below while P.y + the pop-up's
// height stays above screenHeight), then moved left so that its right edge meets the work area's
// right edge when it sticks out there (not on a work area that starts left of 0).
QPoint DropDownPlacement(const QPoint &P, int editHeight, const QSize &popup, TDropPosition position,
                         int screenHeight, const QRect &workArea);
// The same before the work-area correction (the place OnDropDown sees).
QPoint DropDownPosition(const QPoint &P, int editHeight, const QSize &popup, TDropPosition position,
                        int screenHeight);

class TNovaCustomDropDown : public TNovaMaskEdit,
                            public TLabelledControl,
                            public TDropDownButtonOwner,
                            public INovaStyle,
                            public INovaTones {
public:
    using TDropDownEvent = std::function<void(QObject *Sender, bool &acceptdrop)>;
    using TDropUpEvent = std::function<void(QObject *Sender, bool Cancelled)>;
    using TButtonClickEvent = std::function<void(QObject *Sender, int ButtonIndex)>;
    using TDrawBackGroundEvent = std::function<void(QObject *Sender, TCanvas &ACanvas, const TRect &ARect)>;
    using TGetTextEvent = std::function<void(QObject *Sender, QString &Text)>;
    using TClipboardEvent = std::function<void(QObject *Sender, const QString &value, bool &allow)>;

    explicit TNovaCustomDropDown(QWidget *parent = nullptr);
    ~TNovaCustomDropDown() override;

    void ShowDropDown();
    void HideDropDown(bool CancelChanges);
    // Copies the drop-down settings of another drop-down.
    void Assign(const TNovaCustomDropDown &Source);
    // Bounds, then the label follows.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // The load of stored settings is over: the look, the button and the label follow them.
    virtual void Loaded();
    // The label shows and hides with the control once it has a caption.
    void setVisible(bool visible) override;

    // ---- properties
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool Value);
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value);
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
    int DropDownButtonWidth() const { return FDropDownButtonWidth; }
    void SetDropDownButtonWidth(int Value);
    QString DropDownButtonHint() const { return FDropDownButtonHint; }
    void SetDropDownButtonHint(const QString &Value);
    QImage DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(const QImage &Value);
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
    // Not owned: the owner of the list keeps it alive and clears it here before freeing it.
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value);
    QString Version() const;
    void SetVersion(const QString &) {}
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    TNovaButtonAppearance &ButtonAppearance() const { return *FButtonAppearance; }
    void SetButtonAppearance(const TNovaButtonAppearance &Value) { FButtonAppearance->Assign(Value); }
    THeaderAppearance &DropDownHeader() const { return *FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance &Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance &DropDownFooter() const { return *FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance &Value) { FDropDownFooter->Assign(Value); }
    TDropDownEditButton *Button() const { return FButton; }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm *DropDownForm() const { return FDropDownForm; }
    QLabel *Label() const { return AttachedLabel(); }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool Value) { FFocusDraw = Value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool Value) { FForceShadow = Value; }
    QWidget *Control() const { return FControl; }

    // ---- numeric text entry (NovaDropDown_Numeric.cpp)
    QString GetText() const;
    virtual void SetText(const QString &Value);
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    qint16 Precision() const { return FPrecision; }
    void SetPrecision(qint16 Value);
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
    double GetFloatValue() const;
    void SetFloatValue(double Value);
    void SetIntValue(int Value);
    bool GetIsModified() const { return FIsModified; }
    void SetIsModified(bool Value);
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // ---- looks (DropDownStyles.cpp)
    TNovaStyle GetComponentStyle() const { return FNovaStyle; }
    void SetComponentStyle(TNovaStyle Style) override;
    void SetColorTones(const TColorTones &Tones) override;
    virtual void SetSelectionColorStyle(TSelectionColorStyle Style);
    // Writes the selection colour style and the component style as integers; reading them back sets
    // the fields without applying their presets.
    void DefineProperties(platform::StreamRecord &Record) const;
    void ReadDefinedProperties(const platform::StreamRecord &Record);

    // ---- button owner
    TColor ButtonOwnerBorderColor() const override { return FBorderColor; }
    bool ButtonOwnerReadOnly() const override { return isReadOnly(); }

    // ---- events
    editorkit::NotifyEvent OnBeforeDropDown;
    TDropDownEvent OnDropDown;
    editorkit::NotifyEvent OnBeforeDropUp;
    TDropUpEvent OnDropUp;
    TButtonClickEvent OnDropDownHeaderButtonClick;
    TButtonClickEvent OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    editorkit::NotifyEvent OnLabelClick;
    editorkit::NotifyEvent OnLabelDblClick;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;

    // The pop-up window's and its header's and footer's calls (DropDownForm.cpp, DropDownBars.cpp).
    virtual void DoHideDropDown(bool Cancel);
    virtual void DropDownHidden();
    virtual void DropDownFormDestroyed() {}
    virtual void FormMouseWheelDown() { SelectNextValue(); }
    virtual void FormMouseWheelUp() { SelectPrevValue(); }
    virtual void FormKeyPress(QChar &Key);
    virtual void FormKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    virtual void FormKeyUp(int &Key, Qt::KeyboardModifiers Shift);
    virtual void DropDownResized() {}
    void HeaderChanged();
    void FooterChanged();

protected:
    // ---- hooks of the descendants, in the order of the family's table
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual quint32 GetVersionNr() const { return 0x01020104; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void SizeDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdaptDropDownSize(int &Height) { (void)Height; }
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    virtual void ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift);
    virtual void ControlKeyPress(QChar &Key);
    virtual void SelectNextValue() {}
    virtual void SelectPrevValue() {}
    virtual void PaintNonEditable();
    virtual void SetEditRect();
    virtual void ResizeButton();
    virtual void DrawSelectionBackground(TCanvas &Canvas, const TRect &Rect, int Side, TColor BackColor);
    virtual void DrawBackGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &Rect,
                                  TGradientDirection Direction);

    // Item lists of descendants take the style's hot and selected colours.
    template <typename TAppearance>
    void ApplyItemAppearanceStyle(TAppearance *Appearance, TNovaStyle Style)
    {
        if (Appearance) ApplyItemStyle(*Appearance, Style);
    }

    void SetControl(QWidget *Control);
    QRect GetEditRect() const { return FEditRect; }
    int GetMinHeight() const;
    int CharFromPos(const QPoint &Point) const;
    void SetPlainText(const QString &Value);
    void UpdateLabel() override;
    void DrawControlBorder(QPainter &p);
    void DropDownButtonClick();
    void LabelFontChanged() override;
    void ApplyThousandSeparators();

    // ---- the edit's key, mouse, focus and paint handling
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void WMPaste() override;
    void WMCut() override;
    void WMCopy() override;
    bool CanChangeByClipboard() const override;
    void Change() override;
    void DoEnter() override;
    bool SelectAllOnEnter() const override;
    int MinHeight() const override { return GetMinHeight(); }
    void LayoutEdit() override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void LabelClicked() override { DoLabelClick(); }
    void LabelDblClicked() override { DoLabelDblClick(); }

    // The WM_KEYDOWN rules that come before the edit's own handling; true when the key is done.
    bool DropDownKeyBefore(QKeyEvent *e);
    void ToggleDropDown();
    bool IsHot() const;
    // Numeric typing rules of etFloat and etMoney (NovaDropDown_Numeric.cpp).
    void FloatChar(QChar &ch, const QKeyEvent *e);
    // What decimal and money typing share: a separator too near a thousand separator, full decimals
    // and the separator typed into an empty edit. True when the character is done with.
    bool DecimalTyping(QChar &ch, const QString &t, int caret);
    void MoneyChar(QChar &ch, const QKeyEvent *e);
    // The character goes to the edit (its key-press event first); ch is then done.
    void PassToEdit(QChar &ch, const QKeyEvent *e);
    bool PrecisionReached(const QString &Text, int Caret) const;
    bool ThousandSeparatorNear(QString Text, int Caret) const;
    void NormaliseOnExit();

    TDropDownForm *FDropDownForm = nullptr;
    TDropDownEditButton *FButton = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    std::unique_ptr<TNovaButtonAppearance> FButtonAppearance;
    const TMarkupImageList *FImages = nullptr;
    QPointer<QWidget> FControl;
    QPointer<QWidget> FFocusControl;
    std::unique_ptr<QObject> FControlKeys;
    TPopupWatch FPopupWatch;

    bool FEditorEnabled = true;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    TDropPosition FDropPosition = dpAuto;
    bool FDropDownShadow = true;
    bool FDropDownSizeable = true;
    int FDropDownBorderWidth = 1;
    TColor FDropDownBorderColor = clBlack;
    TColor FDropDownColor = clWhite;
    TColor FDropDownColorTo = clNone;
    TGradientDirection FDropDownGradient = gdHorizontal;
    int FDropDownButtonWidth = 17;
    QString FDropDownButtonHint;
    bool FDropDownEnabled = false;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FSelectionColor = 0xD7FFFD;
    TColor FSelectionColorTo = 0x58D4FC;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TNovaStyle FNovaStyle = tsOffice2007Luna;
    QString FOldText;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FMouseInControl = false;
    bool FButtonDown = false;
    QRect FEditRect;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FParentFnt = false;
    bool FLoading = false;

    TDropDownEditType FEditType = etString;
    qint16 FPrecision = 0;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    bool FBlockChange = false;
    bool FBlockCopy = false;
    // The key a WM_KEYDOWN carries after the key-down handlers (0: taken by one of them).
    int FKeyAfterHandlers = 0;
};

// The classification of a text as a number: 0 whole, 1 decimal, 2 not a number, 5 hexadecimal.
int ClassifyNumber(const QString &Text);
QString StripThousandSeparators(const QString &Text);
// The text without thousand separators read with the locale's decimal separator; 0 when it is no
// number.
double TextToFloat(const QString &Text);
