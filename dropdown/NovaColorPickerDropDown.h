#pragma once
// The colour picker: a drop-down whose edit takes no typing and shows a box in the chosen colour
// and a text for it (the chosen entry's name, or the colour as hexadecimal digits, a web colour
// name, RGB values or an HTML colour). Its pop-up holds one of four selection controls by
// ColorSelectionStyle: the list of named colours (Colors), the grid of colour boxes, the
// honeycomb or the spectrum. A click takes a colour and closes the pop-up; keys move through the
// colours with the pop-up open or closed, and in the list a type-ahead finds colours by name.
#include "dropdown/ColorPanels.h"
#include "dropdown/NovaDropDown.h"
#include "dropdown/SelectorDropDown.h"

#include <QPointer>
#include <cstdint>
#include <memory>

// How the text shows a colour that is not a chosen entry of the list.
enum TColorValueText : std::uint8_t { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TColorItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    // Caption and Color through their setters, then the hint.
    void Assign(const TColorItem &Source);

    TCaption Caption() const { return FCaption; }
    void SetCaption(const TCaption &Value) { SetField(FCaption, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetField(FColor, Value); }
    QString Hint() const { return FHint; }
    void SetHint(const QString &Value) { FHint = Value; }

private:
    TCaption FCaption;
    TColor FColor = clNone;
    QString FHint;
};

class TColorItems : public TCollection<TColorItem> {
public:
    using TCollection::TCollection;
};

// The published web colour name of an RGB colour; "#RRGGBB" for a colour without one.
QString ColorToWebColorName(TColor Color);

class TNovaColorPickerDropDown : public TSelectorDropDown {
public:
    explicit TNovaColorPickerDropDown(QWidget *AOwner = nullptr);
    ~TNovaColorPickerDropDown() override;

    // Appends the 16 standard colours with their names.
    void AddDefaultColors();

    TColorItems &Colors() { return *FColors; }
    void SetColors(const TColorItems &Value) { FColors->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    // An index at or beyond the number of colours is ignored; any other is taken (with its colour
    // when 0 or more) and reported through OnSelect.
    void SetItemIndex(int Value);
    TColor SelectedColor() const { return FSelectedColor; }
    // A new colour is kept; the first entry of that colour becomes the chosen one.
    void SetSelectedColor(TColor Value);
    QString SelectedColorText() const { return GetSelectedColorText(); }
    virtual QString GetSelectedColorText() const;

    int Columns() const { return FColumns; }
    void SetColumns(int Value) { FColumns = Value; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value) { FColorBoxWidth = Value; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value) { FColorBoxHeight = Value; }
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    // The selection controls (null until a style has needed them).
    TCustomColorSelector *ColorSelector() const { return FColorSelector; }
    TNovaColorCubePanel *ColorCubePanel() const { return FColorCubePanel; }
    TNovaColorSpectrumPanel *SpectrumPanel() const { return FSpectrumPanel; }

    // The colour box and its text in the edit, on any canvas.
    void DrawSelectedColor(TCanvas &Canvas);

    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroyed() override;

    editorkit::NotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void SelectNextValue() override;
    void SelectPrevValue() override;
    void PaintNonEditable() override;
    int ChoiceCount() const override { return FColors->Count(); }
    int Choice() const override { return FItemIndex; }
    void Choose(int Index) override { SetItemIndex(Index); }
    void FillSelector() override;
    void SelectorItemSelected() override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void MakeItemSelector();
    void CreateColorSelector();
    void CreateCubePanel();
    void CreateSpectrumPanel();
    // The control of the current style; null when it was not made.
    QWidget *StyleControl() const;
    // Shows the control of the current style, hides the others and prepares it as for an opening.
    void PrepareStyleControl();
    void InstallControl(QWidget *Control);
    void ColorSelectorSelect();
    void CubeSelect();
    void SpectrumSelect();
    void SizePanelPopUp();
    void ListKey(int Key, bool Ctrl);
    void StepBoxesOrList(bool Forward);

    std::unique_ptr<TColorItems> FColors;
    int FItemIndex = -1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    TColorValueText FColorValueText = cvtNone;

    // Children of the pop-up window, which frees them.
    QPointer<TNovaColorCubePanel> FColorCubePanel;
    QPointer<TNovaColorSpectrumPanel> FSpectrumPanel;
    QPointer<TCustomColorSelector> FColorSelector;
    TColor FOldSelectedColor = clNone;
};
