#pragma once
// The look presets of the drop-down edits, one per component style, as data: the pop-up's
// background, header and footer (table 1), the pop-up's buttons (table 2) and the hot and selected
// items of the lists that descendants show (table 3). The drop-down applies them in
// SetComponentStyle and ApplyItemAppearanceStyle; tsCustom has no preset.
#include "grid/base/Theme.h"
#include "platform/Colors.h"

#include <cstdint>
#include <optional>

// Presets of the colours that chosen items are painted in.
enum TSelectionColorStyle : std::uint8_t { scCustom, scOffice2007, scWindowsVista, scWindows7 };

struct TPopupStyleColors {
    TColor DropDownColor;
    TColor DropDownColorTo;
    std::optional<TColor> DropDownBorderColor; // empty: left as it is
    TColor HeaderColor, HeaderColorTo, HeaderFontColor, HeaderBorderColor;
    TColor FooterColor, FooterColorTo, FooterFontColor, FooterBorderColor;
};

// The colours of the pop-up's header and footer buttons, in the order the presets list them.
struct TButtonStyleColors {
    TColor Color, ColorTo, BorderColor;
    TColor ColorHot, ColorHotTo, BorderColorHot;
    TColor ColorDown, ColorDownTo, BorderColorDown;
    TColor ColorDisabled, ColorDisabledTo;
    TColor ColorChecked, ColorCheckedTo, BorderColorChecked;
};

struct TItemStyleColors {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo;
    TColor ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
    TColor BorderColor, BorderColorTop, BorderColorBottom, EdgeColor;
    std::optional<TColor> ColorSelectedText; // empty: the black every style starts from
};

// False (and nothing written) for tsCustom.
bool PopupStyleColors(TNovaStyle Style, TPopupStyleColors &Out);
bool ButtonStyleColors(TNovaStyle Style, TButtonStyleColors &Out);
bool ItemStyleColors(TNovaStyle Style, TItemStyleColors &Out);

// An item appearance takes a preset (nothing for tsCustom): no plain frames, black texts, then the
// style's colours. Any appearance with these public colour fields will do (the item lists' own).
template <typename TAppearance>
void ApplyItemStyle(TAppearance &Appearance, TNovaStyle Style)
{
    TItemStyleColors c;
    if (!ItemStyleColors(Style, c)) return;
    Appearance.BorderColorHot = clNone;
    Appearance.BorderColorSelected = clNone;
    Appearance.ColorSelectedText = clBlack;
    Appearance.ColorHotText = clBlack;
    Appearance.ColorHot = c.ColorHot;
    Appearance.ColorHotTo = c.ColorHotTo;
    Appearance.ColorMirrorHot = c.ColorMirrorHot;
    Appearance.ColorMirrorHotTo = c.ColorMirrorHotTo;
    Appearance.ColorSelected = c.ColorSelected;
    Appearance.ColorSelectedTo = c.ColorSelectedTo;
    Appearance.ColorMirrorSelected = c.ColorMirrorSelected;
    Appearance.ColorMirrorSelectedTo = c.ColorMirrorSelectedTo;
    Appearance.BorderColor = c.BorderColor;
    Appearance.BorderColorTop = c.BorderColorTop;
    Appearance.BorderColorBottom = c.BorderColorBottom;
    Appearance.EdgeColor = c.EdgeColor;
    if (c.ColorSelectedText) Appearance.ColorSelectedText = *c.ColorSelectedText;
}
