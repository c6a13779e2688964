#pragma once
// Spin edit: a single-line edit with a pair of arrow buttons holding an integer,
// a float, a date or a time of day. The grid's in-place spin editor derives from it.
#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>

#include "grid/base/EditorKit.h"
#include "grid/base/MaskEdit.h"

enum TNsgSpinType : quint8 { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection : quint8 { spVertical, spHorizontal };
enum TButtonDirection : quint8 { bdLeft, bdRight, bdUp, bdDown };
enum TEditAlign : quint8 { eaLeft, eaRight, eaCenter };
// Set of tbFocusRect and tbAllowTimer (member n is bit n).
enum TTimeBtnStateItem : quint8 { tbFocusRect, tbAllowTimer };
using TTimeBtnState = quint8;
constexpr TTimeBtnState timeBtnBit(TTimeBtnStateItem i) { return TTimeBtnState(1u << i); }

class TNsgSpinButton;

// One arrow button with auto-repeat while held down.
class TNovaTimerSpeedButton : public editorkit::SpeedButton {
public:
    explicit TNovaTimerSpeedButton(TNsgSpinButton *owner);
    ~TNovaTimerSpeedButton() override;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState s);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection d);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool HasMouse() const { return PointerOver(); }
    editorkit::EditorTimer *RepeatTimer() const { return FRepeatTimer.get(); }

    // Fires the button's click (the owner's up or down event).
    void Click();
    std::function<void(TNovaTimerSpeedButton *)> OnClick;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void TimerExpired();

    TNsgSpinButton *FOwner;
    std::unique_ptr<editorkit::EditorTimer> FRepeatTimer;
    TTimeBtnState FTimeBtnState = 0;
    TButtonDirection FButtonDirection = bdUp;
    bool FTransparent = false;
    bool FMouseHeld = false;
};

// The pair of arrow buttons.
class TNsgSpinButton : public QWidget, public editorkit::ButtonColors {
public:
    explicit TNsgSpinButton(QWidget *parent = nullptr);

    TNovaTimerSpeedButton *UpButton() const { return FUpButton; }
    TNovaTimerSpeedButton *DownButton() const { return FDownButton; }
    TNovaTimerSpeedButton *FocusedButton() const { return FFocusedButton; }
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *w) { FFocusControl = w; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection d);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool v) { setFocusPolicy(v ? Qt::TabFocus : Qt::NoFocus); }

    // Glyphs: none restores the built-in arrow bitmap.
    QImage UpGlyph() const;
    void SetUpGlyph(const QImage &glyph);
    QImage DownGlyph() const;
    void SetDownGlyph(const QImage &glyph);
    int UpNumGlyphs() const;
    void SetUpNumGlyphs(int n);
    int DownNumGlyphs() const;
    void SetDownNumGlyphs(int n);

    editorkit::NotifyEvent OnUpClick;
    editorkit::NotifyEvent OnDownClick;

    // Arrow pressed with the mouse: focus handling of the pair.
    void ArrowPressed(TNovaTimerSpeedButton *button);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool event(QEvent *e) override;

private:
    void AdjustSize();
    void SetFocusBtn(TNovaTimerSpeedButton *btn);
    void BtnClick(TNovaTimerSpeedButton *btn);

    TNovaTimerSpeedButton *FUpButton;
    TNovaTimerSpeedButton *FDownButton;
    TNovaTimerSpeedButton *FFocusedButton;
    QPointer<QWidget> FFocusControl;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TNsgSpinEdit : public TNovaMaskEdit {
public:
    explicit TNsgSpinEdit(QWidget *parent = nullptr);
    ~TNsgSpinEdit() override;

    // Values through the text.
    int Value() const;
    void SetValue(int v);
    double FloatValue() const;
    void SetFloatValue(double v);
    editorkit::TDateTime DateValue() const;
    void SetDateValue(editorkit::TDateTime v);
    editorkit::TDateTime TimeValue() const;
    void SetTimeValue(editorkit::TDateTime v);

    TNsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TNsgSpinType t);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    editorkit::TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(editorkit::TDateTime v) { FMinDateValue = v; }
    editorkit::TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(editorkit::TDateTime v) { FMaxDateValue = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int v) { FIncrementHours = v; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int v) { FIncrementSeconds = v; }
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection d);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign a);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool UsDates() const { return FUsDates; }
    TNsgSpinButton *Button() const { return FButton; }

    // Stored-layout loading: values only stored until Loaded().
    void BeginLoading() { FLoading = true; }
    bool IsLoading() const { return FLoading; }
    virtual void Loaded();

    // The text area, in widget coordinates.
    QRect EditRect() const;
    int MinHeight() const override;

    // Introduced operations.
    virtual void IncrementValue(bool page);
    virtual void DecrementValue(bool page);
    virtual bool IsValidKey(QChar key);
    virtual void UpButtonClick(QObject *sender);
    virtual void DownButtonClick(QObject *sender);

protected:
    bool KeyMessage(QKeyEvent *e) override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    void KeyPress(QChar &key) override;
    bool CanChangeByClipboard() const override { return FEditorEnabled && !isReadOnly(); }
    bool SelectAllOnEnter() const override;
    void DoExit() override;
    void LayoutEdit() override;

private:
    void StepValue(qint64 delta);
    void StepDate(int dir);
    void StepTime(int dir);
    double ClampDate(double v) const;
    void WriteKeepingCaret(const QString &text);

    int FMinValue = 0;
    int FMaxValue = 100;
    double FMinFloatValue = 0.0;
    double FMaxFloatValue = 100.0;
    editorkit::TDateTime FMinDateValue = 0;
    editorkit::TDateTime FMaxDateValue = 0;
    editorkit::TDateTime FDateValue = 0;
    editorkit::TDateTime FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TNsgSpinButton *FButton = nullptr;
    bool FEditorEnabled = true;
    TSpinDirection FDirection = spVertical;
    TNsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1;
    int FIncrementMinutes = 1;
    int FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
    bool FLoading = false;
};
