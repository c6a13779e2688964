#pragma once
// Option holders of the string grid: the search bar, keyboard navigation, mouse actions,
// coupling with another grid, row bands and the focus helper. They hold values with their
// defaults, keep a few of them consistent and report changes through their events; what an
// option does is the grid's business.
//
// Every property P has a getter P() and a setter SetP(value). Setters without a listed effect
// only store the value.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

// A property that only stores its value.
#define CFG_PLAIN_PROPERTY(Type, Name, Default)                                                 \
public:                                                                                          \
    Type Name() const { return F##Name; }                                                        \
    void Set##Name(Type Value) { F##Name = Value; }                                              \
                                                                                                 \
private:                                                                                         \
    Type F##Name = Default;

// ---- Search bar below the grid ---------------------------------------------------------------
class TSearchFooter : public QObject {
public:
    // With InitDesign (the grid is created in a designer) the captions and hints get their
    // English texts; otherwise they stay empty until the stored form sets them.
    explicit TSearchFooter(QObject *AOwner = nullptr, bool InitDesign = false);

    // Copies every published value but AutoSearch and SearchFixedCells, without notifying.
    void Assign(const TSearchFooter &Source);

    CFG_PLAIN_PROPERTY(bool, AlwaysHighLight, false)
    CFG_PLAIN_PROPERTY(bool, AutoSearch, true)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    QString FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString &Value);
    QString FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString &Value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value);
    QString HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString &Value);
    QString HintClose() const { return FHintClose; }
    void SetHintClose(const QString &Value);
    QString HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString &Value);
    QString HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString &Value);
    QString HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString &Value);
    QString MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString &Value);
    CFG_PLAIN_PROPERTY(bool, SearchActiveColumnOnly, false)
    CFG_PLAIN_PROPERTY(int, SearchColumn, -1)
    CFG_PLAIN_PROPERTY(bool, SearchMatchStart, false)
    CFG_PLAIN_PROPERTY(bool, SearchFixedCells, false)
    CFG_PLAIN_PROPERTY(bool, SearchHiddenRows, false)
    CFG_PLAIN_PROPERTY(TSearchDirection, SearchDirection, sdTopBottom)
public:
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value); // notifies always
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    CFG_PLAIN_PROPERTY(QString, LastSearch, QString())

public:
    TNotifyEvent OnChange;

private:
    void changed() { FireEvent(OnChange, this); }
    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    QString FFindNextCaption, FFindPrevCaption, FHighLightCaption, FHintClose, FHintFindNext, FHintFindPrev,
        FHintHighlight, FMatchCaseCaption;
    TFont FFont;
    bool FShowClose = true, FShowFindNext = true, FShowFindPrev = true, FShowHighLight = true, FShowMatchCase = true;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
};

// ---- Keyboard navigation, editing advance and clipboard behaviour -----------------------------
class TNavigation : public QObject {
public:
    explicit TNavigation(QObject *AOwner = nullptr) : QObject(AOwner) {}
    // Copies every value but KeepScrollOnSort, without notifying.
    void Assign(const TNavigation &Source);

    CFG_PLAIN_PROPERTY(bool, AllowInsertRow, false)
    CFG_PLAIN_PROPERTY(bool, AllowDeleteRow, false)
    CFG_PLAIN_PROPERTY(bool, AlwaysEdit, false)
    CFG_PLAIN_PROPERTY(bool, AdvanceOnEnter, false)
    CFG_PLAIN_PROPERTY(bool, AdvanceOnEnterLoop, true)
public:
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value); // notifies when changed
    CFG_PLAIN_PROPERTY(bool, AdvanceAutoEdit, true)
    CFG_PLAIN_PROPERTY(bool, AdvanceSkipReadOnlyCells, true)
    CFG_PLAIN_PROPERTY(bool, AutoGotoWhenSorted, false)
    CFG_PLAIN_PROPERTY(bool, AutoGotoIncremental, false)
    CFG_PLAIN_PROPERTY(bool, AutoComboDropSize, false)
public:
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value); // notifies when changed
    CFG_PLAIN_PROPERTY(bool, AllowClipboardShortCuts, false)
    CFG_PLAIN_PROPERTY(bool, AllowCtrlEnter, true)
    CFG_PLAIN_PROPERTY(bool, AllowSmartClipboard, false)
    CFG_PLAIN_PROPERTY(bool, AllowRTFClipboard, false)
    CFG_PLAIN_PROPERTY(bool, AllowFmtClipboard, false)
    CFG_PLAIN_PROPERTY(bool, AllowClipboardAlways, false)
    CFG_PLAIN_PROPERTY(bool, AllowClipboardRowGrow, true)
    CFG_PLAIN_PROPERTY(bool, AllowClipboardColGrow, true)
public:
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value); // true also turns AdvanceOnEnter on
    CFG_PLAIN_PROPERTY(bool, AppendOnArrowDown, false)
    CFG_PLAIN_PROPERTY(bool, EditSelectAll, true)
    CFG_PLAIN_PROPERTY(TInsertPosition, InsertPosition, pInsertBefore)
    CFG_PLAIN_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    CFG_PLAIN_PROPERTY(bool, ComboGetUpDown, true)
    CFG_PLAIN_PROPERTY(TCursorAdvance, CursorAdvance, caDefault)
    CFG_PLAIN_PROPERTY(bool, CursorWalkEditor, false)
    CFG_PLAIN_PROPERTY(bool, CursorWalkAlwaysEdit, true)
    CFG_PLAIN_PROPERTY(bool, CursorMoveRows, false)
    CFG_PLAIN_PROPERTY(bool, MoveRowOnSort, false)
    CFG_PLAIN_PROPERTY(bool, KeepScrollOnSort, false)
    CFG_PLAIN_PROPERTY(bool, MoveScrollOnly, false)
    CFG_PLAIN_PROPERTY(bool, ImproveMaskSel, false)
    CFG_PLAIN_PROPERTY(bool, LeftRightRowSelect, true)
    CFG_PLAIN_PROPERTY(bool, CopyHTMLTagsToClipboard, true)
    CFG_PLAIN_PROPERTY(bool, KeepHorizScroll, false)
    CFG_PLAIN_PROPERTY(bool, LineFeedOnEnter, false)
    CFG_PLAIN_PROPERTY(THomeEndAction, HomeEndKey, heFirstLastColumn)
    CFG_PLAIN_PROPERTY(bool, SkipFixedCells, true)
    CFG_PLAIN_PROPERTY(bool, SkipDisabledRows, true)
    CFG_PLAIN_PROPERTY(bool, TabToNextAtEnd, false)
    CFG_PLAIN_PROPERTY(TAdvanceDirection, TabAdvanceDirection, adLeftRight)

public:
    TNotifyEvent OnChange;

private:
    bool FAdvanceInsert = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceAuto = false;
};

// ---- Mouse selection, sizing, direct editing and wheel behaviour ------------------------------
class TMouseActions : public QObject {
public:
    explicit TMouseActions(QObject *AOwner = nullptr) : QObject(AOwner) {}
    // Copies every value but EditOnDblClickOnly, FixedComboValues, HotmailRowSelect and
    // SizeFixedRow, without any setter effect.
    void Assign(const TMouseActions &Source);

    CFG_PLAIN_PROPERTY(bool, AllColumnSize, false)
    CFG_PLAIN_PROPERTY(bool, AllRowSize, false)
    CFG_PLAIN_PROPERTY(bool, AllSelect, false)
    CFG_PLAIN_PROPERTY(bool, AutoSizeColOnDblClick, true)
    CFG_PLAIN_PROPERTY(bool, CaretPositioning, false)
    CFG_PLAIN_PROPERTY(bool, CheckAllCheck, false)
    CFG_PLAIN_PROPERTY(bool, ColSelect, false)
    CFG_PLAIN_PROPERTY(bool, DirectComboClose, false)
    CFG_PLAIN_PROPERTY(bool, DirectComboDrop, false)
    CFG_PLAIN_PROPERTY(bool, DirectDateClose, false)
    CFG_PLAIN_PROPERTY(bool, DirectDateDrop, false)
    CFG_PLAIN_PROPERTY(bool, DirectEdit, false)
public:
    // In design mode only one of the three disjunct selections may be on.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }
    CFG_PLAIN_PROPERTY(bool, DisjunctRowSelectNoCtrl, false)
public:
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value); // true fires OnDisableEdit
    CFG_PLAIN_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    CFG_PLAIN_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    CFG_PLAIN_PROPERTY(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    CFG_PLAIN_PROPERTY(TGridFixedCellEdit, FixedColsEdit, fceNone)
public:
    const QStringList &FixedComboValues() const { return FFixedComboValues; }
    QStringList &FixedComboValues() { return FFixedComboValues; }
    void SetFixedComboValues(const QStringList &Value) { FFixedComboValues = Value; }
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    // true also turns DisjunctRowSelect and CheckAllCheck on; always fires OnInvalidate.
    void SetHotmailRowSelect(bool Value);
    CFG_PLAIN_PROPERTY(bool, MoveRowOnNodeClick, false)
    CFG_PLAIN_PROPERTY(bool, NoAutoRangeScroll, false)
    CFG_PLAIN_PROPERTY(bool, NodeAllExpandContract, false)
    CFG_PLAIN_PROPERTY(bool, NoScrollOnPartialRow, false)
    CFG_PLAIN_PROPERTY(bool, PreciseCheckBoxCheck, false)
    CFG_PLAIN_PROPERTY(bool, PreciseNodeClick, true)
    CFG_PLAIN_PROPERTY(bool, RangeSelectAndEdit, false)
    CFG_PLAIN_PROPERTY(bool, RowSelect, false)
    CFG_PLAIN_PROPERTY(bool, RowSelectPersistent, false)
    CFG_PLAIN_PROPERTY(bool, SelectOnRightClick, false)
    CFG_PLAIN_PROPERTY(bool, SizeFixedCol, false)
    CFG_PLAIN_PROPERTY(bool, SizeFixedRow, false)
    CFG_PLAIN_PROPERTY(int, WheelIncrement, 0)
public:
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value); // notifies when changed

    TNotifyEvent OnChange;
    TIsDesigningEvent OnIsDesigning; // without a handler the holder is not in design mode
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;

private:
    bool isDesigning();
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    bool FEditOnDblClickOnly = false;
    QStringList FFixedComboValues;
    bool FHotmailRowSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
};

// ---- Coupling with another grid ---------------------------------------------------------------
class TSyncGrid : public QObject {
public:
    // AOwner is the grid that holds these settings; it can never be coupled with itself.
    explicit TSyncGrid(QWidget *AOwner = nullptr) : QObject(AOwner), FOwnerGrid(AOwner) {}
    void Assign(const TSyncGrid &Source);

    QWidget *Grid() const { return FGrid.data(); }
    void SetGrid(QWidget *Value); // the owning grid itself is ignored; nullptr detaches
    CFG_PLAIN_PROPERTY(bool, ScrollVertical, false)
    CFG_PLAIN_PROPERTY(bool, ScrollHorizontal, false)
    CFG_PLAIN_PROPERTY(bool, SelectionColumn, false)
    CFG_PLAIN_PROPERTY(bool, SelectionRow, false)
    CFG_PLAIN_PROPERTY(bool, MoveColumn, false)
    CFG_PLAIN_PROPERTY(bool, MoveRow, false)

private:
    QWidget *FOwnerGrid;
    QPointer<QWidget> FGrid;
};

// ---- Banded row colours -----------------------------------------------------------------------
// PrimaryLength rows in the primary colour, then SecondaryLength rows in the secondary colour,
// repeating every TotalLength rows.
class TBands : public QObject {
public:
    explicit TBands(QObject *AOwner = nullptr) : QObject(AOwner) {}
    void Assign(const TBands &Source); // does not notify

    bool Active() const { return FActive; }
    void SetActive(bool Value);                 // notifies when changed
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);         // notifies when changed and Active
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);           // notifies when changed and Active
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    int TotalLength() const { return FTotalLength; }
    CFG_PLAIN_PROPERTY(bool, Print, false)

public:
    TNotifyEvent OnChange;

private:
    void changedIfActive()
    {
        if (FActive) FireEvent(OnChange, this);
    }
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

// ---- Focus helper -----------------------------------------------------------------------------
class TFocusHelper : public QObject {
public:
    explicit TFocusHelper(QObject *AOwner = nullptr) : QObject(AOwner) {}
    void Assign(const TFocusHelper &Source) { FEnabled = Source.FEnabled; }
    CFG_PLAIN_PROPERTY(bool, Enabled, false)
};

