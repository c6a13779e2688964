#pragma once
// The grid's control look: check-box and radio glyphs and sizes, cell-button and progress looks,
// the drop-down header and footer, and the fixed-cell gradient colours, some of which it passes on
// to the grid.
#include "grid/GridSettingsHost.h"
#include "grid/base/DropDownAppearance.h"

#include <QImage>
#include <QObject>
#include <memory>

enum TControlStyle : std::uint8_t { csClassic, csFlat, csWinXP, csBorland, csNova, csGlyph, csTheme };

// The grid is its Qt parent.
class TControlLook : public QObject {
public:
    explicit TControlLook(IGridSettingsHost *AOwner = nullptr);

    // Colours and gradients back to their initial values; the hover and down mirror colours go
    // through their setters, so the grid's become clNone too.
    void Init();
    // Copies the stored values only: nothing reaches the grid and nothing repaints. FlatButton,
    // ProgressXP, NoDisabledCheckRadioLook, NoDisabledButtonLook and FixedDropDownButton stay.
    void Assign(const TControlLook &Source);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { store(FColor, Value); }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { store(FCommentColor, Value); }
    const QImage &CheckedGlyph() const { return FCheckedGlyph; }
    void SetCheckedGlyph(const QImage &Value) { store(FCheckedGlyph, Value); }
    const QImage &UnCheckedGlyph() const { return FUnCheckedGlyph; }
    void SetUnCheckedGlyph(const QImage &Value) { store(FUnCheckedGlyph, Value); }
    const QImage &RadioOnGlyph() const { return FRadioOnGlyph; }
    void SetRadioOnGlyph(const QImage &Value) { store(FRadioOnGlyph, Value); }
    const QImage &RadioOffGlyph() const { return FRadioOffGlyph; }
    void SetRadioOffGlyph(const QImage &Value) { store(FRadioOffGlyph, Value); }

    // From / To: a value other than clNone also becomes the grid's gradient colour (RGB), which
    // repaints. Mirror From / To: always passed on (RGB) with a repaint.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    // Hover and down From, To, Border: a value other than clNone goes to the grid, no repaint.
    // Their mirror colours: always passed on, no repaint.
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value) { passOn(FFixedGradientHoverFrom, Value, fgHoverFrom, false); }
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value) { passOn(FFixedGradientHoverTo, Value, fgHoverTo, false); }
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value) { passOn(FFixedGradientHoverMirrorFrom, Value, fgHoverMirrorFrom, true); }
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value) { passOn(FFixedGradientHoverMirrorTo, Value, fgHoverMirrorTo, true); }
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value) { passOn(FFixedGradientHoverBorder, Value, fgHoverBorder, false); }
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value) { passOn(FFixedGradientDownFrom, Value, fgDownFrom, false); }
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value) { passOn(FFixedGradientDownTo, Value, fgDownTo, false); }
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value) { passOn(FFixedGradientDownMirrorFrom, Value, fgDownMirrorFrom, true); }
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value) { passOn(FFixedGradientDownMirrorTo, Value, fgDownMirrorTo, true); }
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value) { passOn(FFixedGradientDownBorder, Value, fgDownBorder, false); }

    bool FixedDropDownButton() const { return FFixedDropDownButton; }
    void SetFixedDropDownButton(bool Value) { store(FFixedDropDownButton, Value); }
    int HintMaxWidth() const { return FHintMaxWidth; }
    void SetHintMaxWidth(int Value) { store(FHintMaxWidth, Value); }
    int CheckSize() const { return FCheckSize; }
    int CheckBoxSize() const { return FCheckSize; }
    void SetCheckSize(int Value) { store(FCheckSize, Value); }
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool Value) { store(FCheckAlwaysActive, Value); }
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value) { store(FRadioSize, Value); }
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool Value) { store(FRadioAlwaysActive, Value); }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { store(FControlStyle, Value); }
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value) { store(FDropDownAlwaysVisible, Value); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { store(FDropDownCount, Value); }
    // Copied in, without a repaint.
    THeaderAppearance &DropDownHeader() { return *FDropDownHeader; }
    const THeaderAppearance &DropDownHeader() const { return *FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance &Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance &DropDownFooter() { return *FDropDownFooter; }
    const TFooterAppearance &DropDownFooter() const { return *FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance &Value) { FDropDownFooter->Assign(Value); }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value) { store(FSpinButtonsAlwaysVisible, Value); }
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value) { store(FFlatButton, Value); }
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value) { store(FNoDisabledCheckRadioLook, Value); }
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value) { store(FNoDisabledButtonLook, Value); }
    TColor ProgressBorderColor() const { return FProgressBorderColor; }
    void SetProgressBorderColor(TColor Value) { store(FProgressBorderColor, Value); }
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int Value) { store(FProgressMarginX, Value); }
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int Value) { store(FProgressMarginY, Value); }
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value) { store(FProgressXP, Value); }

private:
    template <typename T>
    void store(T &field, const T &Value)
    {
        field = Value;
        if (FOwner)
            FOwner->SettingsRepaint();
    }
    void passOn(TColor &field, TColor Value, TFixedGradientColor Which, bool always);

    IGridSettingsHost *FOwner;
    TColor FColor = clBlack;
    TColor FCommentColor = clRed;
    QImage FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clGray;
    TColor FFixedGradientHoverTo = clWhite;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = clSilver;
    TColor FFixedGradientDownFrom = clGray;
    TColor FFixedGradientDownTo = clSilver;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = clGray;
    bool FFixedDropDownButton = false;
    int FHintMaxWidth = 0;
    int FCheckSize = 15;
    bool FCheckAlwaysActive = false;
    int FRadioSize = 10;
    bool FRadioAlwaysActive = false;
    TControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false;
    int FDropDownCount = 8;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    TColor FProgressBorderColor = clGray;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
};

// A colour as the grid's gradient code takes it: system colours resolved, clNone kept.
TColor GradientRGB(TColor Value);
