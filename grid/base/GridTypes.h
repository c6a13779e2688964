#pragma once
// Shared vocabulary of the grid library: enumerations (stored as one byte holding the
// ordinal value), one-byte sets, the cell draw state and the event types. Events are
// callables; the object that fires one passes itself first, and "var" arguments are
// references the handler may change. Firing an unassigned event does nothing.
#include "grid/base/Canvas.h"
#include "platform/Colors.h"

#include <QString>
#include <cstdint>
#include <functional>

class QObject;
class TBaseGrid;

// ---- Editor kinds, alignment, sorting, navigation -------------------------------------------

enum TEditorType : std::uint8_t {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edNovaGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

enum TCellBorder : std::uint8_t { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

enum TCellGradientDirection : std::uint8_t { GradientVertical, GradientHorizontal };

enum TSortStyle : std::uint8_t {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
    ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TVAlignment : std::uint8_t { vtaTop, vtaCenter, vtaBottom };
enum TArrowDirection : std::uint8_t { arrUp, arrDown, arrLeft, arrRight };
enum TNovaGridButtonStyle : std::uint8_t { tasButton, tasCheck };
enum TSearchDirection : std::uint8_t { sdTopBottom, sdLeftRight };
enum THomeEndAction : std::uint8_t { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction : std::uint8_t { paReplace, paInsert };
enum TAdvanceDirection : std::uint8_t { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition : std::uint8_t { pInsertBefore, pInsertAfter };
enum TCursorAdvance : std::uint8_t { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit : std::uint8_t { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor : std::uint8_t { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction : std::uint8_t { waMoveSelection, waScroll };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth }; // which scroll bars show

// ---- Base grid enumerations ------------------------------------------------------------------

enum TColumnCalcType : std::uint8_t { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
enum TGridSelectionStyle : std::uint8_t { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : std::uint8_t { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

// The draw state of a painted cell: TGridDrawState (platform/GridDefs.h).

// ---- Identifiers of enumeration members (settings files store and read them, ignoring case) -

template <typename E>
struct TEnumInfo; // Names (in ordinal order) and Count for each enumeration above

#define CFG_ENUM_INFO(E, N)                                                                              \
    template <>                                                                                          \
    struct TEnumInfo<E> {                                                                                \
        static constexpr int Count = N;                                                                  \
        static const char *const Names[N];                                                               \
    };
CFG_ENUM_INFO(TEditorType, 43)
CFG_ENUM_INFO(TCellBorder, 4)
CFG_ENUM_INFO(TCellGradientDirection, 2)
CFG_ENUM_INFO(TSortStyle, 20)
CFG_ENUM_INFO(TVAlignment, 3)
CFG_ENUM_INFO(TArrowDirection, 4)
CFG_ENUM_INFO(TNovaGridButtonStyle, 2)
CFG_ENUM_INFO(TSearchDirection, 2)
CFG_ENUM_INFO(THomeEndAction, 3)
CFG_ENUM_INFO(TClipboardPasteAction, 2)
CFG_ENUM_INFO(TAdvanceDirection, 4)
CFG_ENUM_INFO(TInsertPosition, 2)
CFG_ENUM_INFO(TCursorAdvance, 3)
CFG_ENUM_INFO(TGridFixedCellEdit, 4)
CFG_ENUM_INFO(TGridFixedCellEditor, 3)
CFG_ENUM_INFO(TWheelAction, 2)
CFG_ENUM_INFO(TColumnCalcType, 10)
CFG_ENUM_INFO(TGridSelectionStyle, 4)
CFG_ENUM_INFO(THoverRowCell, 3)
CFG_ENUM_INFO(TGridDrawStateItem, 6)
CFG_ENUM_INFO(TAlignment, 3)
#undef CFG_ENUM_INFO

template <typename E>
QString EnumName(E value)
{
    const int i = int(value);
    return i >= 0 && i < TEnumInfo<E>::Count ? QString::fromLatin1(TEnumInfo<E>::Names[i]) : QString();
}

// The member named by text (any letter case); def and ok false when no member has that name.
template <typename E>
E EnumFromName(const QString &text, E def, bool *ok = nullptr)
{
    const QString t = text.trimmed();
    for (int i = 0; i < TEnumInfo<E>::Count; ++i)
        if (t.compare(QLatin1String(TEnumInfo<E>::Names[i]), Qt::CaseInsensitive) == 0) {
            if (ok)
                *ok = true;
            return E(i);
        }
    if (ok)
        *ok = false;
    return def;
}

// ---- Event types -----------------------------------------------------------------------------
// Row-first events keep the row before the column, as their names below say.

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TGetDisplTextEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using TFloatFormatEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool &IsFloat, QString &FloatFormat)>;
using TOnResizeEvent = std::function<void(QObject *Sender)>;
using TColumnSizeEvent = std::function<void(QObject *Sender, int ACol, bool &Allow)>;
using TColumnSizingEvent = std::function<void(QObject *Sender, int ACol, int ColumnSize)>;
using TRowSizingEvent = std::function<void(QObject *Sender, int ARow, int RowSize)>;
using TRowSizeEvent = std::function<void(QObject *Sender, int ARow, bool &Allow)>;
using TEndColumnSizeEvent = std::function<void(QObject *Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(QObject *Sender, int ACol, int &AWidth)>;
using TEndRowSizeEvent = std::function<void(QObject *Sender, int ARow)>;
using TClickCellEvent = std::function<void(QObject *Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(QObject *Sender, int ARow, int ACol)>;
using TCanEditCellEvent = std::function<void(QObject *Sender, int ARow, int ACol, bool &CanEdit)>;
using TScrollHintEvent = std::function<void(QObject *Sender, int ARow, QString &hintstr)>;
using TButtonClickEvent = std::function<void(QObject *Sender, int ACol, int ARow)>;
using TExpandClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool State)>;
using TGetEditorTypeEvent = std::function<void(QObject *Sender, int ACol, int ARow, TEditorType &AEditor)>;
using TCustomCellDrawEvent = std::function<void(QObject *Sender, TCanvas &Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent = std::function<void(QObject *Sender, int ARow, int ACol, QString Anchor, bool &AutoHandle)>;
using TAnchorHintEvent = std::function<void(QObject *Sender, int ARow, int ACol, QString &Anchor)>;
using TAnchorEvent = std::function<void(QObject *Sender, int ARow, int ACol, QString Anchor)>;
using TClickSortEvent = std::function<void(QObject *Sender, int ACol)>;
using TCanSortEvent = std::function<void(QObject *Sender, int ACol, bool &DoSort)>;
using TCustomCompareEvent = std::function<void(QObject *Sender, QString str1, QString str2, int &Res)>;
using TRawCompareEvent = std::function<void(QObject *Sender, int ACol, int Row1, int Row2, int &Res)>;
using TGridFormatEvent = std::function<void(QObject *Sender, int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix)>;
using TGridColorEvent = std::function<void(QObject *Sender, int ARow, int ACol, TGridDrawState AState, TBrush &ABrush, TFont &AFont)>;
using TGridGradientEvent = std::function<void(QObject *Sender, int ARow, int ACol, TColor &Color, TColor &ColorTo,
                                              TColor &ColorMirror, TColor &ColorMirrorTo, TCellGradientDirection &GD)>;
using TGridBorderEvent = std::function<void(QObject *Sender, int ARow, int ACol, TPen &APen, TCellBorders &Borders)>;
using TGridBorderPropEvent = std::function<void(QObject *Sender, int ARow, int ACol, TPen &LeftPen, TPen &TopPen,
                                                TPen &RightPen, TPen &BottomPen)>;
using TGridAlignEvent = std::function<void(QObject *Sender, int ARow, int ACol, TAlignment &HAlign, TVAlignment &VAlign)>;
using TGridHintEvent = std::function<void(QObject *Sender, int ARow, int ACol, QString &hintstr)>;
using TEllipsClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &S)>;
using TGridBalloonEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &ATitle, QString &AText, int &AIcon)>;
using TCanInsertRowEvent = std::function<void(QObject *Sender, int ARow, bool &CanInsert)>;
using TAutoInsertRowEvent = std::function<void(QObject *Sender, int ARow)>;
using TCanAddRowEvent = std::function<void(QObject *Sender, bool &CanAdd)>;
using TAutoAddRowEvent = std::function<void(QObject *Sender, int ARow)>;
using TCanDeleteRowEvent = std::function<void(QObject *Sender, int ARow, bool &CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(QObject *Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(QObject *Sender, int ACol)>;
using TSearchEditChangeEvent = std::function<void(QObject *Sender, QString Value, bool &DefaultSearch)>;
using TSpinClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TImageChangeEvent = std::function<void(QObject *Sender, int Acol, int Arow)>;
using TIsDesigningEvent = std::function<void(QObject *Sender, bool &IsDesigning)>;

// Base grid events. Wide strings are QStrings (UTF-16).
using TGetDisplWideTextEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using ZOdeRodeDeriDozuEvent = std::function<void(QObject *Sender, TBaseGrid *Grid, int Col, int Row,
                                                 QString OrigValue, QString NewValue)>;

// Fires an event: calls the handler when one is assigned.
template <typename F, typename... Args>
inline void FireEvent(const F &handler, Args &&...args)
{
    if (handler)
        handler(std::forward<Args>(args)...);
}
