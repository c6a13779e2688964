#include "grid/base/GridOptions.h"

#include <algorithm>

// ---- TSearchFooter ----------------------------------------------------------------------------

TSearchFooter::TSearchFooter(QObject *AOwner, bool InitDesign) : QObject(AOwner)
{
    if (InitDesign) {
        FFindPrevCaption = QStringLiteral("Find &previous");
        FFindNextCaption = QStringLiteral("Find &next");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
    }
}

void TSearchFooter::Assign(const TSearchFooter &Source)
{
    if (&Source == this) return;
    FAlwaysHighLight = Source.FAlwaysHighLight;
    FColor = Source.FColor;
    FColorTo = Source.FColorTo;
    FFindNextCaption = Source.FFindNextCaption;
    FFindPrevCaption = Source.FFindPrevCaption;
    FFont = Source.FFont;
    FHighLightCaption = Source.FHighLightCaption;
    FHintClose = Source.FHintClose;
    FHintFindNext = Source.FHintFindNext;
    FHintFindPrev = Source.FHintFindPrev;
    FHintHighlight = Source.FHintHighlight;
    FMatchCaseCaption = Source.FMatchCaseCaption;
    FSearchActiveColumnOnly = Source.FSearchActiveColumnOnly;
    FSearchColumn = Source.FSearchColumn;
    FSearchMatchStart = Source.FSearchMatchStart;
    FSearchHiddenRows = Source.FSearchHiddenRows;
    FSearchDirection = Source.FSearchDirection;
    FShowClose = Source.FShowClose;
    FShowFindNext = Source.FShowFindNext;
    FShowFindPrev = Source.FShowFindPrev;
    FShowHighLight = Source.FShowHighLight;
    FShowMatchCase = Source.FShowMatchCase;
    FVisible = Source.FVisible;
}

void TSearchFooter::SetColor(TColor Value) { FColor = Value; changed(); }
void TSearchFooter::SetColorTo(TColor Value) { FColorTo = Value; changed(); }
void TSearchFooter::SetFindNextCaption(const QString &Value) { FFindNextCaption = Value; changed(); }
void TSearchFooter::SetFindPrevCaption(const QString &Value) { FFindPrevCaption = Value; changed(); }
void TSearchFooter::SetFont(const TFont &Value) { FFont = Value; changed(); }
void TSearchFooter::SetHighLightCaption(const QString &Value) { FHighLightCaption = Value; changed(); }
void TSearchFooter::SetHintClose(const QString &Value) { FHintClose = Value; changed(); }
void TSearchFooter::SetHintFindNext(const QString &Value) { FHintFindNext = Value; changed(); }
void TSearchFooter::SetHintFindPrev(const QString &Value) { FHintFindPrev = Value; changed(); }
void TSearchFooter::SetHintHighlight(const QString &Value) { FHintHighlight = Value; changed(); }
void TSearchFooter::SetMatchCaseCaption(const QString &Value) { FMatchCaseCaption = Value; changed(); }
void TSearchFooter::SetShowClose(bool Value) { FShowClose = Value; changed(); }
void TSearchFooter::SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; changed(); }

namespace {
template <typename T, typename F>
void storeIfChanged(T &field, T value, F notify)
{
    if (field == value) return;
    field = value;
    notify();
}
} // namespace

void TSearchFooter::SetShowFindNext(bool Value) { storeIfChanged(FShowFindNext, Value, [this] { changed(); }); }
void TSearchFooter::SetShowFindPrev(bool Value) { storeIfChanged(FShowFindPrev, Value, [this] { changed(); }); }
void TSearchFooter::SetShowHighLight(bool Value) { storeIfChanged(FShowHighLight, Value, [this] { changed(); }); }
void TSearchFooter::SetShowMatchCase(bool Value) { storeIfChanged(FShowMatchCase, Value, [this] { changed(); }); }
void TSearchFooter::SetVisible(bool Value) { storeIfChanged(FVisible, Value, [this] { changed(); }); }

// ---- TNavigation ------------------------------------------------------------------------------

void TNavigation::Assign(const TNavigation &Source)
{
    if (&Source == this) return;
    // Field by field; nothing is notified and no setter effect applies.
    FAllowInsertRow = Source.FAllowInsertRow;
    FAllowDeleteRow = Source.FAllowDeleteRow;
    FAlwaysEdit = Source.FAlwaysEdit;
    FAdvanceOnEnter = Source.FAdvanceOnEnter;
    FAdvanceOnEnterLoop = Source.FAdvanceOnEnterLoop;
    FAdvanceInsert = Source.FAdvanceInsert;
    FAdvanceAutoEdit = Source.FAdvanceAutoEdit;
    FAdvanceSkipReadOnlyCells = Source.FAdvanceSkipReadOnlyCells;
    FAutoGotoWhenSorted = Source.FAutoGotoWhenSorted;
    FAutoGotoIncremental = Source.FAutoGotoIncremental;
    FAutoComboDropSize = Source.FAutoComboDropSize;
    FAdvanceDirection = Source.FAdvanceDirection;
    FAllowClipboardShortCuts = Source.FAllowClipboardShortCuts;
    FAllowCtrlEnter = Source.FAllowCtrlEnter;
    FAllowSmartClipboard = Source.FAllowSmartClipboard;
    FAllowRTFClipboard = Source.FAllowRTFClipboard;
    FAllowFmtClipboard = Source.FAllowFmtClipboard;
    FAllowClipboardAlways = Source.FAllowClipboardAlways;
    FAllowClipboardRowGrow = Source.FAllowClipboardRowGrow;
    FAllowClipboardColGrow = Source.FAllowClipboardColGrow;
    FAdvanceAuto = Source.FAdvanceAuto;
    FAppendOnArrowDown = Source.FAppendOnArrowDown;
    FEditSelectAll = Source.FEditSelectAll;
    FInsertPosition = Source.FInsertPosition;
    FClipboardPasteAction = Source.FClipboardPasteAction;
    FComboGetUpDown = Source.FComboGetUpDown;
    FCursorAdvance = Source.FCursorAdvance;
    FCursorWalkEditor = Source.FCursorWalkEditor;
    FCursorWalkAlwaysEdit = Source.FCursorWalkAlwaysEdit;
    FCursorMoveRows = Source.FCursorMoveRows;
    FMoveRowOnSort = Source.FMoveRowOnSort;
    FMoveScrollOnly = Source.FMoveScrollOnly;
    FImproveMaskSel = Source.FImproveMaskSel;
    FLeftRightRowSelect = Source.FLeftRightRowSelect;
    FCopyHTMLTagsToClipboard = Source.FCopyHTMLTagsToClipboard;
    FKeepHorizScroll = Source.FKeepHorizScroll;
    FLineFeedOnEnter = Source.FLineFeedOnEnter;
    FHomeEndKey = Source.FHomeEndKey;
    FSkipFixedCells = Source.FSkipFixedCells;
    FSkipDisabledRows = Source.FSkipDisabledRows;
    FTabToNextAtEnd = Source.FTabToNextAtEnd;
    FTabAdvanceDirection = Source.FTabAdvanceDirection;
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    storeIfChanged(FAdvanceInsert, Value, [this] { FireEvent(OnChange, this); });
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    storeIfChanged(FAdvanceDirection, Value, [this] { FireEvent(OnChange, this); });
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value) return;
    FAdvanceAuto = Value;
    if (Value) FAdvanceOnEnter = true;
}

// ---- TMouseActions ----------------------------------------------------------------------------

void TMouseActions::Assign(const TMouseActions &Source)
{
    if (&Source == this) return;
    FAllColumnSize = Source.FAllColumnSize;
    FAllRowSize = Source.FAllRowSize;
    FAllSelect = Source.FAllSelect;
    FAutoSizeColOnDblClick = Source.FAutoSizeColOnDblClick;
    FCaretPositioning = Source.FCaretPositioning;
    FCheckAllCheck = Source.FCheckAllCheck;
    FColSelect = Source.FColSelect;
    FDirectComboClose = Source.FDirectComboClose;
    FDirectComboDrop = Source.FDirectComboDrop;
    FDirectDateClose = Source.FDirectDateClose;
    FDirectDateDrop = Source.FDirectDateDrop;
    FDirectEdit = Source.FDirectEdit;
    FDisjunctRowSelect = Source.FDisjunctRowSelect;
    FDisjunctRowSelectNoCtrl = Source.FDisjunctRowSelectNoCtrl;
    FDisjunctColSelect = Source.FDisjunctColSelect;
    FDisjunctCellSelect = Source.FDisjunctCellSelect;
    FFixedRowsEdit = Source.FFixedRowsEdit;
    FFixedRowsEditor = Source.FFixedRowsEditor;
    FFixedColsEditor = Source.FFixedColsEditor;
    FFixedColsEdit = Source.FFixedColsEdit;
    FMoveRowOnNodeClick = Source.FMoveRowOnNodeClick;
    FNoAutoRangeScroll = Source.FNoAutoRangeScroll;
    FNodeAllExpandContract = Source.FNodeAllExpandContract;
    FNoScrollOnPartialRow = Source.FNoScrollOnPartialRow;
    FPreciseCheckBoxCheck = Source.FPreciseCheckBoxCheck;
    FPreciseNodeClick = Source.FPreciseNodeClick;
    FRangeSelectAndEdit = Source.FRangeSelectAndEdit;
    FRowSelect = Source.FRowSelect;
    FRowSelectPersistent = Source.FRowSelectPersistent;
    FSelectOnRightClick = Source.FSelectOnRightClick;
    FSizeFixedCol = Source.FSizeFixedCol;
    FWheelIncrement = Source.FWheelIncrement;
    FWheelAction = Source.FWheelAction;
}

bool TMouseActions::isDesigning()
{
    bool designing = false;
    FireEvent(OnIsDesigning, this, designing);
    return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    FDisjunctRowSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctColSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    FDisjunctColSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    FDisjunctCellSelect = Value;
    if (Value && isDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctColSelect = false;
    }
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value) FireEvent(OnDisableEdit, this);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        SetDisjunctRowSelect(true);
        FCheckAllCheck = true;
    }
    FireEvent(OnInvalidate, this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    storeIfChanged(FWheelAction, Value, [this] { FireEvent(OnChange, this); });
}

// ---- TSyncGrid --------------------------------------------------------------------------------

void TSyncGrid::SetGrid(QWidget *Value)
{
    if (Value && Value == FOwnerGrid) return;
    FGrid = Value;
}

void TSyncGrid::Assign(const TSyncGrid &Source)
{
    if (&Source == this) return;
    SetGrid(Source.Grid());
    FScrollVertical = Source.FScrollVertical;
    FScrollHorizontal = Source.FScrollHorizontal;
    FSelectionColumn = Source.FSelectionColumn;
    FSelectionRow = Source.FSelectionRow;
    FMoveColumn = Source.FMoveColumn;
    FMoveRow = Source.FMoveRow;
}

// ---- TBands -----------------------------------------------------------------------------------

void TBands::Assign(const TBands &Source)
{
    if (&Source == this) return;
    FActive = Source.FActive;
    FPrimaryColor = Source.FPrimaryColor;
    FPrimaryLength = Source.FPrimaryLength;
    FSecondaryColor = Source.FSecondaryColor;
    FSecondaryLength = Source.FSecondaryLength;
    FPrint = Source.FPrint;
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TBands::SetActive(bool Value)
{
    storeIfChanged(FActive, Value, [this] { FireEvent(OnChange, this); });
}

void TBands::SetPrimaryColor(TColor Value) { storeIfChanged(FPrimaryColor, Value, [this] { changedIfActive(); }); }
void TBands::SetSecondaryColor(TColor Value) { storeIfChanged(FSecondaryColor, Value, [this] { changedIfActive(); }); }

// A band is at least one row long, so the band period is never 0.
void TBands::SetPrimaryLength(int Value)
{
    Value = std::max(Value, 1);
    storeIfChanged(FPrimaryLength, Value, [this] {
        FTotalLength = FPrimaryLength + FSecondaryLength;
        changedIfActive();
    });
}

void TBands::SetSecondaryLength(int Value)
{
    Value = std::max(Value, 1);
    storeIfChanged(FSecondaryLength, Value, [this] {
        FTotalLength = FPrimaryLength + FSecondaryLength;
        changedIfActive();
    });
}
