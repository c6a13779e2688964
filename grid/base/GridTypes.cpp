#include "grid/base/GridTypes.h"

const char *const TEnumInfo<TEditorType>::Names[43] = {
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
    "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric", "edFloat",
    "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase", "edFloatSpinEdit",
    "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone",
    "edDateTimeEdit", "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
    "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown",
    "edImagePickerDropDown", "edNovaGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn",
    "edFloatUnitEditBtn", "edMaskEditBtn"};
const char *const TEnumInfo<TCellBorder>::Names[4] = {"cbTop", "cbLeft", "cbRight", "cbBottom"};
const char *const TEnumInfo<TCellGradientDirection>::Names[2] = {"GradientVertical", "GradientHorizontal"};
const char *const TEnumInfo<TSortStyle>::Names[20] = {
    "ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase", "ssAlphaCase", "ssShortDateEU",
    "ssShortDateUS", "ssCustom", "ssFinancial", "ssAnsiAlphaCase", "ssAnsiAlphaNoCase", "ssRaw", "ssHTML",
    "ssImages", "ssCheckBox", "ssDateTime", "ssTime", "ssAlphaNumeric", "ssAlphaNumericNoCase"};
const char *const TEnumInfo<TVAlignment>::Names[3] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char *const TEnumInfo<TArrowDirection>::Names[4] = {"arrUp", "arrDown", "arrLeft", "arrRight"};
const char *const TEnumInfo<TNovaGridButtonStyle>::Names[2] = {"tasButton", "tasCheck"};
const char *const TEnumInfo<TSearchDirection>::Names[2] = {"sdTopBottom", "sdLeftRight"};
const char *const TEnumInfo<THomeEndAction>::Names[3] = {"heFirstLastColumn", "heFirstLastRow", "heFirstLastCell"};
const char *const TEnumInfo<TClipboardPasteAction>::Names[2] = {"paReplace", "paInsert"};
const char *const TEnumInfo<TAdvanceDirection>::Names[4] = {"adLeftRight", "adTopBottom", "adLeftRightInRow",
                                                            "adTopBottomInCol"};
const char *const TEnumInfo<TInsertPosition>::Names[2] = {"pInsertBefore", "pInsertAfter"};
const char *const TEnumInfo<TCursorAdvance>::Names[3] = {"caDefault", "caSnake", "caLoop"};
const char *const TEnumInfo<TGridFixedCellEdit>::Names[4] = {"fceNone", "fceDblClick", "fceLeftClick",
                                                             "fceRightClick"};
const char *const TEnumInfo<TGridFixedCellEditor>::Names[3] = {"fceEdit", "fceComboEdit", "fceComboList"};
const char *const TEnumInfo<TWheelAction>::Names[2] = {"waMoveSelection", "waScroll"};
const char *const TEnumInfo<TColumnCalcType>::Names[10] = {"acNONE", "acSUM",    "acAVG",    "acCOUNT",
                                                           "acMIN",  "acMAX",    "acSPREAD", "acCUSTOM",
                                                           "acDISTINCT", "acSTDDEV"};
const char *const TEnumInfo<TGridSelectionStyle>::Names[4] = {"ssDefault", "ssVista", "ssWin7", "ssOffice2007"};
const char *const TEnumInfo<THoverRowCell>::Names[3] = {"hcNormal", "hcFixed", "hcSelected"};
const char *const TEnumInfo<TGridDrawStateItem>::Names[6] = {"gdSelected", "gdFocused",  "gdFixed",
                                                             "gdRowSelected", "gdHotTrack", "gdPressed"};
const char *const TEnumInfo<TAlignment>::Names[3] = {"taLeftJustify", "taRightJustify", "taCenter"};
