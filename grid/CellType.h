#pragma once
// The kinds of graphic a cell can carry (the stored value is the ordinal). A cell without a
// graphic answers ctEmpty; a new graphic starts as ctNone.
#include <cstdint>

enum TCellType : std::uint8_t {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};

// The kinds drawn and toggled as a check box.
inline bool isCheckBoxKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox
        || t == ctTriStateCheckBox;
}
