#pragma once
// The string grid of the grid library: the base grid with per-cell hooks that the application
// answers last through events, hidden rows and columns with the mapping between real and
// displayed indexes, and the settings objects every table window streams in.
//
// One class, split by concern: each block below names the file that holds its bodies. Virtual
// operations keep their declared order (descendants rely on it); an operation whose concern is
// not built yet keeps a neutral body in NovaGrid_NeutralOps.cpp, said so there.
#include "grid/CellType.h"
#include "grid/CellGraphic.h"
#include "grid/CellObjects.h"
#include "grid/EditingTypes.h"
#include "grid/GridItem.h"
#include "grid/GridSettingsObjects.h"
#include "grid/base/BaseGrid.h"
#include "grid/base/Theme.h"
#include "grid/base/EditorKit.h"
#include "grid/base/CellChecker.h"
#include "grid/base/GridLists.h"
#include "grid/base/GridOptions.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/FeedbackWindows.h"
#include "grid/base/FilterExpr.h"

#include <QCursor>
#include <QStringList>
#include <QDateTime>
#include <QMimeData>
#include <QListWidget>
#include <QIODevice>
#include <stdexcept>
#include <QImage>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QPrinter;
class TCellGraphic;
class TNovaStringGrid;
class TOfficeLink;
class TSearchPanel;
struct TMarkupImageList;
class TNovaRichEdit;
class TControlEdit;
class TControlCombo;
struct TMarkupDrawResult;
class TDropList;
class TDropCheckList;
class TFilterDropDown;
class THTMLHintWindow;
struct TButtonTones;
class TNoActiveForm;
class TGridFocusWindow;
class TGridAlphaMask;
class TGridDropTarget;
class TGridDropSource;
class TNSGDropSource;
class TFloatingFooter;
class TFooterPanel;
class TDropDownCellEditor;

// ---- enumerations of the string grid ----------------------------------------------------------

enum TGridLook : std::uint8_t { glStandard, glSoft, glClassic, glNova, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollBarAlways : std::uint8_t { saNone, saVert, saHorz, saBoth };
// Where the control docks in its parent: nowhere, along one side or over the whole client area.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TIntelliPan : std::uint8_t { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TScrollType : std::uint8_t { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType : std::uint8_t { shNone, shVertical, shHorizontal, shBoth };
enum TInvalidEntryIcon : std::uint8_t { ieNone, ieInfo, ieWarning, ieError };
enum THoverFixedCells : std::uint8_t { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TFilterDropDownColumns : std::uint8_t { fdNormal, fdAll };
enum THintShowLargeTextPos : std::uint8_t { hpCell, hpCursor };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth }; // which scroll bars show
enum TNovaGridStyle : std::uint8_t {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
enum TSearchAction : std::uint8_t { saFindFirst, saFindPrevious, saFindNext };
enum TMouseSelectMode : std::uint8_t { msNormal, msColumn, msRow, msAll, msURL, msResize };

// ---- event types of the string grid's hooks ------------------------------------------------------

using TIsFixedCellEvent = std::function<void(QObject *Sender, int ARow, int ACol, bool &IsFixed)>;
using TIsPasswordCellEvent = std::function<void(QObject *Sender, int ARow, int ACol, bool &IsPassword)>;
using TGetWordWrapEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool &WordWrap)>;
using THasComboBoxEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool &HasComboBox)>;
using THasSpinEditEvent = std::function<void(QObject *Sender, int ACol, int ARow, bool &HasSpinEdit)>;
using TGetCheckEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using TGetColumnFilterEvent = std::function<void(QObject *Sender, int Column, QStringList &Filter)>;
using TSearchFooterActionEvent =
    std::function<void(QObject *Sender, QString Value, int ACol, int ARow, TSearchAction SearchAction)>;
using TComboCloseUpEvent = std::function<void(QObject *Sender, int ARow, int ACol)>;
using TGetCellCursorEvent = std::function<void(QObject *Sender, int ACol, int ARow, int X, int Y, Qt::CursorShape &ACursor)>;
using TGridWideHintEvent = std::function<void(QObject *Sender, int ARow, int ACol, QString &hintstr)>;
using TPrintPageNumEvent = std::function<void(QObject *Sender, int PageNum, int PageColNum, QString &PageNumString)>;
using TCanShowFixedDropDownEvent = std::function<void(QObject *Sender, int ACol, bool &CanShow)>;
using TScrollCellEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>;
using TComboChangeEvent = std::function<void(QObject *Sender, int ACol, int ARow, int AItemIndex, QString ASelection)>;
using TCellValidateEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value, bool &Valid)>;
using TRowUpdateEvent = std::function<void(QObject *Sender, int OldRow, int NewRow)>;
// Search flags; the set is 16 bits, bit n = value n.
enum TFindParameters : std::uint8_t {
    fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart, fnFindInCurrentRow,
    fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward, fnIncludeHiddenColumns,
    fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows
};
using TFindParams = TSet<TFindParameters>;
enum TGridExportState : std::uint8_t {
    esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow
};
enum TGridImportState : std::uint8_t { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
using TSearchEditChangeEvent = std::function<void(QObject *Sender, QString Value, bool &DefaultSearch)>;
using TCanClickCellEvent = std::function<void(QObject *Sender, int ARow, int ACol, bool &Allow)>;
using TSelectionChangedEvent = std::function<void(QObject *Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TFixedDropDownClickEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, QMenu *&AMenu, bool &KeepFixedCellHighlighted)>;
using TFileProgressEvent = std::function<void(QObject *Sender, short Progress)>;
using TCellTextEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
// Anchors and control tags of marked-up cells.
using TControlClickEvent = std::function<void(QObject *Sender, int ARow, int ACol, const QString &CtrlID,
                                              const QString &CtrlType, const QString &CtrlVal)>;
using TControlComboListEvent =
    std::function<void(QObject *Sender, int ARow, int ACol, const QString &CtrlID, const QString &CtrlType,
                       const QString &CtrlVal, QStringList &Values, bool &Edit, int &DropCount)>;
using TControlComboSelectEvent = std::function<void(QObject *Sender, int ARow, int ACol, int ItemIndex,
                                                    const QString &CtrlID, const QString &CtrlValue)>;
using TFixedEditEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, TGridFixedCellEditor &AEditor, QStringList &Values)>;

// The selection colour over a cell colour: blended by Factor when the mixer is on.
TColor MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer, int Factor);

// ---- painting, looks, messages and selection ------------------------------------------------------
enum TXPColorScheme : std::uint8_t { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
using TRowDisjunctSelectEvent = std::function<void(QObject *Sender, int ARow, bool AState, bool &Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(QObject *Sender, int ARow)>;

// The grid's exception, raised with fixed English messages.
class ENovaGridError : public std::runtime_error {
public:
    explicit ENovaGridError(const QString &Message) : std::runtime_error(Message.toStdString()) {}
};

// Filter drop-list entries: a bare value, or a name with "=" and a condition. A value holding a
// blank, "=" or a double quote is listed as value="value" with inner quotes doubled.
QString MakeFilterEntry(const QString &Value);
// Splits an entry at the "=" before a trailing quoted value, else at its first "=".
void SplitFilterEntry(const QString &Entry, QString &FriendlyName, QString &Condition);
// The value of a condition that is one double-quoted value (inner quotes doubled).
bool UnquoteFilterValue(const QString &Condition, QString &Value);
class TFilterData;
// Stores a chosen condition: a quoted value as an exact value, anything else as an expression.
void StoreFilterCondition(TFilterData &Item, const QString &Condition);

// Identifier and display text of a look; glCustom has neither and answers Unchanged.
QString LookIdentifier(TGridLook Look, const QString &Unchanged = QString());
QString LookDisplayName(TGridLook Look, const QString &Unchanged = QString());

// A published setting whose setter stores the value and repaints the grid when it changed.
#define CFG_REPAINT_PROPERTY(Type, Name, Default)                                               \
public:                                                                                          \
    Type Name() const { return F##Name; }                                                        \
    void Set##Name(Type Value)                                                                   \
    {                                                                                            \
        if (F##Name == Value)                                                                    \
            return;                                                                              \
        F##Name = Value;                                                                         \
        InvalidateGrid();                                                                        \
    }                                                                                            \
                                                                                                 \
private:                                                                                         \
    Type F##Name = Default;

class TScrollControl;
class THTMLHintWindow;
class TGridChangeNotifier;
class TEditLink;
class QScrollBar;

// A selection listener the grid keeps one of (the application implements it).
class ITNovaStringGridSelect {
public:
    virtual ~ITNovaStringGridSelect() = default;
    virtual void SelectionChanged(int ACol, int ARow) = 0;
};

using TScrollHintEvent = std::function<void(QObject *Sender, int ARow, QString &hintstr)>;
using TGetEditMaskEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using TUnitChangedEvent = std::function<void(QObject *Sender, int ACol, int ARow, const QString &AUnit)>;
using TDragScrollEvent =
    std::function<void(QObject *Sender, int TopRow, int LeftCol, int &DragScrollDir, bool &CanScroll)>;
// Drag-scroll directions (a set of bits).
enum TDragScrollDirection : int { dsdUp = 1, dsdDown = 2, dsdLeft = 4, dsdRight = 8 };
// Drag states the drag-over handling is told of.
enum TDragOverState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
using TMouseWheelEvent = std::function<void(QObject *Sender, Qt::KeyboardModifiers Shift, QPoint MousePos, bool &Handled)>;

class TNovaStringGrid : public TBaseGrid, public IGridSettingsHost {
public:
    explicit TNovaStringGrid(QWidget *AOwner = nullptr);
    ~TNovaStringGrid() override;

    // ============================================================================================
    // Object, life cycle, dimensions and published defaults (NovaGrid_Object.cpp)
    // ============================================================================================

    // Whether the grid is placed in a designer (never in this program: forms are built in code).
    bool Designing() const { return FDesigning; }
    // Whether the platform draws themed controls (the grid's own editors follow it).
    bool IsThemed() const { return FIsComCtl6; }
    // Copies settings, sizes and then the cells of another string grid; anything else changes nothing.
    void Assign(QObject *Source);
    // End of building: headers shown, minimums recorded, AlwaysShowEditor handed to Navigation,
    // the base of proportional sizes taken. Runs before the first show unless called earlier.
    virtual void Loaded();
    bool IsLoaded() const { return FLoaded; }
    // The grid's window comes to life (its first show): grid timer, kept column widths and the
    // panels' creation events.
    void CreateWnd();
    // Records every column width and the grid's width as the base of proportional widths.
    void InitOrigColSizes();
    int OldSize() const { return FOldSize; }
    // Docking in the parent, kept while the parent is resized.
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);

    // Dimensions. Hidden rows and columns are not counted.
    int RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(int Value);
    int ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(int Value);
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool WordWrap() const { return GetWordWrap(); }
    void SetWordWrap(bool Value);
    // The current column; a synchronised grid follows it when asked to.
    void SetCol(int Value);
    // Places and sizes the control; with IntegralHeight the height shows whole rows only.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    int FixedRowMinimum() const { return FFixedRowsMin; }
    int FixedColMinimum() const { return FFixedColsMin; }
    int MaxRowCountSeen() const { return FMaxRowCount; }
    int MaxColCountSeen() const { return FMaxColCount; }
    // Size of the control (its width and height).
    int Width() const { return width(); }
    int Height() const { return height(); }

    // Colours (published).
    CFG_REPAINT_PROPERTY(TColor, ActiveCellColor, clGray)
    CFG_REPAINT_PROPERTY(TColor, ActiveCellColorTo, clNone)
    CFG_PLAIN_PROPERTY(TColor, BorderColor, TColor(0xB99D7F))
    CFG_PLAIN_PROPERTY(TColor, DisabledFontColor, clSilver)
    CFG_PLAIN_PROPERTY(TColor, HintColor, clInfoBk)
    CFG_REPAINT_PROPERTY(TColor, SelectionColor, TColor(0xEACAB6))
    CFG_REPAINT_PROPERTY(TColor, SelectionColorTo, clNone)
    CFG_REPAINT_PROPERTY(TColor, SelectionMirrorColor, clNone)
    CFG_REPAINT_PROPERTY(TColor, SelectionMirrorColorTo, clNone)
    CFG_REPAINT_PROPERTY(TColor, SelectionTextColor, clBlack)
    CFG_PLAIN_PROPERTY(TColor, SelectionRectangleColor, clBlack)
    // Link look (NovaGrid_CellObjects.cpp): the setters repaint as the link display needs it.
public:
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
private:
    TColor FURLColor = clBlue;
    CFG_PLAIN_PROPERTY(TColor, FixedColor, clBtnFace)
public:
    TColor NovaGradientFrom() const { return FNovaGradientFrom; }
    void SetNovaGradientFrom(TColor Value);
    TColor NovaGradientTo() const { return FNovaGradientTo; }
    void SetNovaGradientTo(TColor Value);
    TColor NovaGradientMirrorFrom() const { return FNovaGradientMirrorFrom; }
    void SetNovaGradientMirrorFrom(TColor Value);
    TColor NovaGradientMirrorTo() const { return FNovaGradientMirrorTo; }
    void SetNovaGradientMirrorTo(TColor Value);

    // Numbers.
    CFG_PLAIN_PROPERTY(int, MaxComboLength, 0)
    CFG_PLAIN_PROPERTY(int, ZoomFactor, 0)

    // Flags on by default.
    CFG_PLAIN_PROPERTY(bool, AutoFilterUpdate, true)
    CFG_PLAIN_PROPERTY(bool, EnableHTML, true)
    CFG_PLAIN_PROPERTY(bool, EnableWheel, true)
    CFG_PLAIN_PROPERTY(bool, EnhRowColMove, true)
    CFG_PLAIN_PROPERTY(bool, FilterNormalCellsOnly, true)
    CFG_PLAIN_PROPERTY(bool, IntelliZoom, true)
    CFG_REPAINT_PROPERTY(bool, ShowDesignHelper, true)
    CFG_PLAIN_PROPERTY(bool, UseInternalHintClass, true)
    CFG_PLAIN_PROPERTY(bool, FitCellsInGrid, true)
    CFG_PLAIN_PROPERTY(bool, LoadFirstRow, true)
    CFG_PLAIN_PROPERTY(bool, QuoteEmptyCells, true)
    CFG_PLAIN_PROPERTY(bool, ShowNullDates, true)
    CFG_PLAIN_PROPERTY(bool, SaveFixedCells, true)
    CFG_PLAIN_PROPERTY(bool, SaveVirtCells, true)
    CFG_PLAIN_PROPERTY(bool, SaveWithHTML, true)
    CFG_PLAIN_PROPERTY(bool, UseDisabledFont, true)

    // Flags off by default.
    CFG_PLAIN_PROPERTY(bool, HintShowCells, false)
    CFG_PLAIN_PROPERTY(bool, HintShowLargeText, false)
    CFG_PLAIN_PROPERTY(bool, HintShowSizing, false)
    CFG_PLAIN_PROPERTY(bool, HTMLHint, false)

public:
    // The grid's cursor: shown where no temporary cursor is, and the one those return to. A cursor
    // set from outside ends the select mode of the fixed cells.
    void SetCursor(const QCursor &Value);
    // Every control's hint in the program shows as mini-HTML in the HTML hint window when on, in the
    // platform's tool tip when off.
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    CFG_PLAIN_PROPERTY(bool, OemConvert, false)
    CFG_PLAIN_PROPERTY(bool, AnchorHint, false)
    CFG_REPAINT_PROPERTY(bool, ActiveCellShow, false)
    CFG_PLAIN_PROPERTY(bool, AutoNumAlign, false)
    CFG_PLAIN_PROPERTY(bool, EditWithTags, false)
    CFG_PLAIN_PROPERTY(bool, EnableBlink, false)
    CFG_PLAIN_PROPERTY(bool, EnhTextSize, false)
    CFG_PLAIN_PROPERTY(bool, ExcelStyleDecimalSeparator, false)
    CFG_PLAIN_PROPERTY(bool, FilterDropDownCheck, false)
    CFG_PLAIN_PROPERTY(bool, FilterIncremental, false)
    CFG_PLAIN_PROPERTY(bool, FixedAsButtons, false)
    CFG_PLAIN_PROPERTY(bool, FixedRowAlways, false)
    CFG_PLAIN_PROPERTY(bool, FixedColAlways, false)
    CFG_PLAIN_PROPERTY(bool, HideFocusRect, false)
    CFG_PLAIN_PROPERTY(bool, Hovering, false)
    CFG_PLAIN_PROPERTY(bool, Lookup, false)
    CFG_PLAIN_PROPERTY(bool, LookupCaseSensitive, false)
    CFG_PLAIN_PROPERTY(bool, LookupHistory, false)
    CFG_PLAIN_PROPERTY(bool, Multilinecells, false)
    CFG_PLAIN_PROPERTY(bool, ScrollSynch, false)
    CFG_REPAINT_PROPERTY(bool, SelectionColorMixer, false)
    CFG_REPAINT_PROPERTY(bool, SelectionRectangle, false)
    CFG_REPAINT_PROPERTY(bool, SelectionResizer, false)
    CFG_PLAIN_PROPERTY(bool, SelectionRTFKeep, false)
    CFG_PLAIN_PROPERTY(bool, SizeWithForm, false)
public:
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value);
private:
    bool FURLShow = false;
    bool FURLShowInText = false;
    CFG_PLAIN_PROPERTY(bool, URLUnderlineOnHover, false)
public:
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
private:
    bool FURLFull = false;
    CFG_PLAIN_PROPERTY(bool, URLEdit, false)
    CFG_PLAIN_PROPERTY(bool, SaveFixedRows, false)
    CFG_PLAIN_PROPERTY(bool, SaveFixedCols, false)
    CFG_PLAIN_PROPERTY(bool, SaveHiddenCells, false)
    CFG_PLAIN_PROPERTY(bool, SaveWithRTF, false)
    CFG_PLAIN_PROPERTY(bool, AlwaysQuotes, false)
    CFG_PLAIN_PROPERTY(bool, JavaCSV, false)
    CFG_PLAIN_PROPERTY(bool, ClearTextOnly, false)
    CFG_PLAIN_PROPERTY(bool, ExcelClipboardFormat, false)

    // Enumerations.
    CFG_PLAIN_PROPERTY(TEditorType, DefaultEditor, edNormal)
    CFG_PLAIN_PROPERTY(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    CFG_PLAIN_PROPERTY(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
    CFG_PLAIN_PROPERTY(THoverFixedCells, HoverFixedCells, hfNone)
    CFG_PLAIN_PROPERTY(TIntelliPan, IntelliPan, ipVertical)
    CFG_PLAIN_PROPERTY(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    CFG_PLAIN_PROPERTY(TScrollHintType, ScrollHints, shNone)
    CFG_PLAIN_PROPERTY(TNovaGridStyle, GridStyle, gsWindowsXP)
    CFG_PLAIN_PROPERTY(TMouseSelectMode, MouseSelectMode, msNormal)

    // Texts.
    CFG_PLAIN_PROPERTY(QString, FilterDropDownClear, QStringLiteral("(All)"))
    CFG_PLAIN_PROPERTY(QString, FloatFormat, QStringLiteral("%.2f"))
    CFG_PLAIN_PROPERTY(QString, InvalidEntryTitle, QString())
    CFG_PLAIN_PROPERTY(QString, InvalidEntryText, QString())
    CFG_PLAIN_PROPERTY(QString, ValidChars, QString())
    CFG_PLAIN_PROPERTY(QString, CheckTrue, QStringLiteral("Y"))
    CFG_PLAIN_PROPERTY(QString, CheckFalse, QStringLiteral("N"))
    CFG_PLAIN_PROPERTY(QChar, PasswordChar, QLatin1Char('*'))
    CFG_PLAIN_PROPERTY(QString, XMLEncoding, QStringLiteral("ISO-8859-1"))
    CFG_PLAIN_PROPERTY(QString, EditMask, QString())
    CFG_PLAIN_PROPERTY(QChar, Delimiter, QChar()) // none: found automatically
    // ---- appearance setters that do more than store (NovaGrid_Appearance.cpp) ----------------
public:
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value); // kept within 0..100
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    // Text-drawing flag of VAlignment: top 0, vertical centre 4, bottom 8.
    int VAlignFlag() const { return FVAlign; }
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value);
    // Whatever the value, switches on what a spreadsheet needs: range selection, editing, the
    // selection rectangle with its resizer and the smart clipboard.
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);
    // Follows the desktop's office theme: registered with the theme notifier while on.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    void SetXYOffset(QPoint Value);
    // Colour of the four column-moving arrows (read from the up arrow).
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    void UpdateXYOffset(int X, int Y) { XYOffset = QPoint(X, Y); }
    bool UsePlatformStyles() const { return FUsePlatformStyles; }
    void SetUsePlatformStyles(bool Value) { FUsePlatformStyles = Value; InvalidateGrid(); }
    bool UsesPlatformStyles() override { return FUsePlatformStyles; }
    // Takes the cell colours of an application-wide control style other than the platform's own
    // (at the end of building and on every style change); UsesPlatformStyles tells whether it did.
    void ApplyStyleColors();
    // The canvas the floating footer paints on (its panel's, while it paints).
    TCanvas *FooterCanvas() const;
    // Paints counted before the first paint of a grid that is not a tab stop (0 or 1).
    int PaintCount() const { return FPaintCount; }

    // Listeners: one selection listener, any number of change notifiers (not owned).
    void RegisterSelListener(ITNovaStringGridSelect *AListener) { FISelect = AListener; }
    void UnRegisterSelListener(ITNovaStringGridSelect *) { FISelect = nullptr; }
    ITNovaStringGridSelect *SelListener() const { return FISelect; }
    void RegisterNotifier(TGridChangeNotifier *Item);
    void UnRegisterNotifier(TGridChangeNotifier *ANotifier);
    const std::vector<TGridChangeNotifier *> &Notifiers() const { return FNotifierList; }
    // A component the grid refers to is going away: the grid forgets it.
    void Notification(QObject *AComponent, bool Removed) override;

    // The smallest rectangle holding every cell with text; (0, 0, 0, 0) when none has.
    virtual TRect UsedCells();
    // The cell under a screen point (-1 outside cells).
    void ScreenToCell(QPoint pt, int &ACol, int &ARow);
    // Whether a client point lies on a column sizing border of a fixed row or a row sizing
    // border of a fixed column.
    bool IsOnSizingBorder(int X, int Y);

private:
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    int FSelectionColorMixerFactor = 50;
    bool FShowSelection = true;
    bool FFlat = false;
    TVAlignment FVAlignment = vtaTop;
    int FVAlign = 0;
    int FMaxEditLength = 0;
    bool FSpreadSheet = false;
    bool FAutoThemeAdapt = false;
    bool FUsePlatformStyles = false;
    ITNovaStringGridSelect *FISelect = nullptr;
    std::vector<TGridChangeNotifier *> FNotifierList;

public:
    // The library's version text.
    QString Version() const { return versionDigits(); }

    // Sub-objects (owned; QObject ones have the grid as parent).
    TSearchFooter *SearchFooter() const { return FSearchFooter; }
    TFocusHelper *FocusHelper() const { return FFocusHelper; }
    void SetFocusHelper(const TFocusHelper &Value) { FFocusHelper->Assign(Value); }
    TNavigation *Navigation() const { return FNavigation; }
    TBands *Bands() const { return FBands; }
    TMouseActions *MouseActions() const { return FMouseActions; }
    TSyncGrid *SyncGrid() const { return FSyncGrid; }
    QStringList &ColumnHeaders() { return FColumnHeaders; }
    void SetColumnHeaders(const QStringList &Value);
    QStringList &RowHeaders() { return FRowHeaders; }
    void SetRowHeaders(const QStringList &Value);
    QStringList &LookupItems() { return FLookupItems; }
    THTMLPictureCache &ImageCache() { return FImageCache; }
    TFont &FixedFont() { return FFixedFont; }
    const TFont &FixedFont() const { return FFixedFont; }
    void SetFixedFont(const TFont &Value);
    TFont &ActiveCellFont() { return FActiveCellFont; }
    const TFont &ActiveCellFont() const { return FActiveCellFont; }
    void SetActiveCellFont(const TFont &Value);
    TSortIndexList *SortIndexes() const { return FSortIndexes; }
    TIntList *SortRowXRef() const { return FSortRowXRef; }
    TIntList *UnSortRowXRef() const { return FUnSortRowXRef; }
    TIntList *MergedColumns() const { return FMergedColumns; }
    TCellCoordList *SelectedCellList() const { return FSelectedCells; }
    TIntList *SelectedRows() const { return FSelectedRows; }
    TIntList *ModifiedRows() const { return FModifiedRows; }
    TIntList *EnabledRows() const { return FEnabledRows; }
    TIntList *OrigColSizes() const { return FOrigColSizes; }
    TIntList *ColumnOrder() const { return FColumnOrder; }
    TIntList *IgnoreColumns() const { return FIgnoreColumns; }
    TControlList &ControlList() { return FControlList; }
    QStringList &FilterList() { return FFilterList; }
    TNovaStringGridCheck *CellChecker() const { return FCellChecker; }
    void SetCellChecker(TNovaStringGridCheck *Value) { FCellChecker = Value; }

    // Cell graphics (NovaGrid_CellGraphics.cpp); ACol real, ARow displayed.
    TIntList *GetCellImages(int ACol, int ARow);
    // Replaces the cell's graphic (a shared one is only let go) by a new one of kind ctNone.
    TCellGraphic *CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
    // Bitmap or icon identity, image index, else -1 (sorting by images).
    int GetGraphicSortKey(int ACol, int ARow);
    bool IsSortIndicatorCell(int ACol, int ARow);
    // The image list of image-index graphics (not owned; none by default).
    const TMarkupImageList *GridImages() const { return FGridImages; }
    void SetGridImages(const TMarkupImageList *Value);

    // Cell objects (NovaGrid_CellObjects.cpp): pictures, icons, images, progress bars, pies,
    // ranges, comments, shapes, ratings, scroll bars, buttons, balloons, markers, expand cells,
    // rotated text and painted objects. ACol real, ARow displayed. An adder replaces the cell's
    // graphic; Add... keeps the caller's object the caller's, Create... makes one the cell owns.
    void AddBitmap(int ACol, int ARow, QImage *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    QImage *CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void RemoveBitmap(int ACol, int ARow);
    QImage *GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, THTMLPicture *APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    THTMLPicture *CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                TCellHAlign hal, TCellVAlign val);
    void RemovePicture(int ACol, int ARow);
    THTMLPicture *GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture *CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    void RemoveFilePicture(int ACol, int ARow);
    TFilePicture *GetFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, QIcon *AIcon, TCellHAlign hal, TCellVAlign val);
    QIcon *CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);
    // The image kinds do nothing while GridImages is unassigned.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    void RemoveImageIdx(int ACol, int ARow);
    bool GetImageIdx(int ACol, int ARow, int &idx);
    bool SetImageIdx(int ACol, int ARow, int idx);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    // Clears the cell text whatever the cell held.
    void RemoveDataImage(int ACol, int ARow);
    bool HasDataImage(int ACol, int ARow);
    // Dir 0: side by side, else stacked.
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    // The image-index list of a multi-image cell changed: the cell repaints.
    void MultiImageChanged(QObject *Sender, int ACol, int ARow);
    void RemoveMultiImage(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const QString &Fmt, int Min, int Max);
    void RemoveProgress(int ACol, int ARow);
    bool HasProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddNovaProgress(int ACol, int ARow, int Min, int Max);
    void RemoveNovaProgress(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const QString &Comment);
    void AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    QString GetComment(int ACol, int ARow);
    bool IsComment(int ACol, int ARow, QString &Comment);
    void SetComment(int ACol, int ARow, const QString &Value);
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void RemoveShape(int ACol, int ARow);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void RemoveRating(int ACol, int ARow);
    bool HasRating(int ACol, int ARow);
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void RemoveScrollBar(int ACol, int ARow);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, QImage *Glyph, TCellHAlign hal,
                      TCellVAlign val);
    QImage *CreateBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                            TCellVAlign val);
    void RemoveButton(int ACol, int ARow);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    bool HasButton(int ACol, int ARow);
    void SetButtonText(int ACol, int ARow, const QString &Caption);
    QString GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Push);
    TRect GetCellButtonRect(int ACol, int ARow);
    void AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, QString &Title, QString &Text, TBalloonIcon &Icon);
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    void RemoveExpand(int ACol, int ARow);
    bool HasExpand(int ACol, int ARow);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    TRect GetExpandButtonRect(int ACol, int ARow);
    // The cell text s written at AAngle degrees (counter-clockwise).
    void AddRotated(int ACol, int ARow, int AAngle, const QString &s);
    void SetRotated(int ACol, int ARow, int AAngle);
    void RemoveRotated(int ACol, int ARow);
    bool IsRotated(int ACol, int ARow, int &aAngle);
    void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent *AObject);
    void RemoveInterfacedCell(int ACol, int ARow);
    TInterfacedPersistent *GetInterfacedCell(int ACol, int ARow);
    // Start point of a text of W x H written at Angle degrees in R (already shrunk), by the cell's
    // alignments; printing uses the same rule.
    static TPoint RotatedTextOrigin(const TRect &R, TAlignment HA, TVAlignment VA, int Angle, int W, int H);
    // The same for a cell: its text measured in the canvas font, the cell rectangle shrunk by 2.
    TPoint PositionRotatedText(TCanvas &Canvas, const TRect &CellRect, TAlignment HA, TVAlignment VA, int Angle,
                               const QString &Text);
    // Paints the object kinds above (not check boxes, radio controls, nodes or buttons) at the
    // placed rectangle; false for a kind it does not paint.
    bool DrawCellObject(TCanvas &Canvas, TCellGraphic &G, const TRect &Cell, const TRect &Work, const TRect &Placed,
                        int RCol, int ARow, TAlignment HA, TVAlignment VA, bool Selected);
    std::function<void(QObject *Sender, int ACol, int ARow, double &NewRate, bool &Allow)> OnRatingChange;
    std::function<void(QObject *Sender, int ACol, int ARow, TColor Color, const QString &Value)> OnColorSelect;
    std::function<void(QObject *Sender, int ACol, int ARow, int Index)> OnImageSelect;

    // Settings objects and header editors (NovaGrid_Settings.cpp).
    TPrintSettings *PrintSettings() const { return FPrintSettings; }
    THTMLSettings *HTMLSettings() const { return FHTMLSettings; }
    TSortSettings *SortSettings() const { return FSortSettings; }
    TDragDropSettings *DragDropSettings() const { return FDragDropSettings; }
    TDragScrollOptions *DragScrollOptions() const { return FDragScrollOptions; }
    TControlLook *ControlLook() const { return FControlLook; }
    TColumnSize *ColumnSize() const { return FColumnSize; }
    TCellNode *CellNode() const { return FCellNode; }
    TSizeWhileTyping *SizeWhileTyping() const { return FSizeWhileTyping; }
    TGrouping *Grouping() const { return FGrouping; }
    TBackGround *BackGround() const { return FBackGround; }
    TGridProgressAppearance *ProgressAppearance() const { return FProgressAppearance; }
    TFilter *Filter() const { return FFilter; }
    TCellGraphic *SharedCellGraphic() const { return FCellGraphic.get(); }
    TGridTransEdit *EditTrans() const { return FEditTrans; }
    TGridTransCombo *ComboTrans() const { return FComboTrans; }
    THeaderDragButton *MoveButton() const { return FMoveButton; }
    // Hover and down colours of fixed cells, as the control look passes them on.
    TColor NovaGradientHoverFrom() const { return FNovaGradientHoverFrom; }
    TColor NovaGradientHoverTo() const { return FNovaGradientHoverTo; }
    TColor NovaGradientHoverMirrorFrom() const { return FNovaGradientHoverMirrorFrom; }
    TColor NovaGradientHoverMirrorTo() const { return FNovaGradientHoverMirrorTo; }
    TColor NovaGradientHoverBorder() const { return FNovaGradientHoverBorder; }
    TColor NovaGradientDownFrom() const { return FNovaGradientDownFrom; }
    TColor NovaGradientDownTo() const { return FNovaGradientDownTo; }
    TColor NovaGradientDownMirrorFrom() const { return FNovaGradientDownMirrorFrom; }
    TColor NovaGradientDownMirrorTo() const { return FNovaGradientDownMirrorTo; }
    TColor NovaGradientDownBorder() const { return FNovaGradientDownBorder; }

    void SettingsRepaint() override;
    void SettingsRepaintRow(int ARow) override;
    void SettingsRepaintCell(int ACol, int ARow) override;
    int SettingsFixedRows() const override;
    bool SettingsDesigning() const override;
    bool SettingsHasParent() const override;
    void SetFixedGradientColor(TFixedGradientColor Which, TColor Value, bool Repaint) override;
    TSortIndexList &SettingsSortIndexes() override;
    void SettingsQSort() override;
    void SettingsQSortIndexed() override;
    void SettingsStretchColumn(int ACol) override;
    bool SettingsValidateCell(int ACol, int ARow, QString &Value) override;
    void SettingsEditingDone() override;
    void SettingsSetCell(int ACol, int ARow, const QString &Value) override;
    void SettingsFocusCell(int ACol, int ARow) override;
    void SettingsPaintFixedBackground(TCanvas &Canvas, const TRect &R) override;

    // Events the program's windows bind (the hooks' events are with the hooks below).
    TClickCellEvent OnClickCell;
    TDblClickCellEvent OnDblClickCell;
    TComboChangeEvent OnComboChange;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TCheckBoxClickEvent OnCheckBoxChange;
    TRowUpdateEvent OnRowUpdate;
    TOnResizeEvent OnResize;
    // The size handling stretched a column (and no scroll bar is forced).
    TNotifyEvent OnGridResize;
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;

    // Platform hook: sizing a column or row by the mouse may be refused by the events above.
    void CalcSizingState(int x, int y, TGridState &state, int &index, int &sizingPos) override;

    // ============================================================================================
    // Virtual operations of the string grid, in their order
    // ============================================================================================
    virtual void CalcFloatingFooter(int ACol);
    virtual void DoClickSort(int ACol);
    virtual void DoF2Key();
    virtual void SetEditedCellText(int ACol, int ARow, const QString &Value);
    virtual void DoSelectAll();
    virtual void SetPastedCell(int ACol, int ARow, const QString &Value);
    virtual QString GetCurrentCell();
    virtual void SetCurrentCell(const QString &Value);
    virtual QString GetCurrentCellText();
    virtual void SetCurrentCellText(const QString &Value);
    virtual void RestoreCellCache();
    // ACol real, ARow displayed; FromUser asks for edit permission first. True when acted on.
    virtual bool DoToggleCheckBox(int ACol, int ARow, bool FromUser);
    virtual bool DoClickRadioButton(int ACol, int ARow, bool FromUser);
    virtual QString GetFormattedCell(int ACol, int ARow);
    virtual void GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat);
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic *GetCellGraphic(int ACol, int ARow);
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int Extra = 0);
    // Printed size of a cell's graphic for a cell of AWidth x AHeight at a print Scale.
    virtual TPoint CalcCellGraphicRect(int ACol, int ARow, int AWidth, int AHeight, double Scale);
    virtual void DoPrintGetPageNum(int PageNum, int PageColNum, QString &PageNumString);
    virtual void DoGetEditorProp(int ACol, int ARow);
    virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
    virtual void DoFixedEdit(int ACol, int ARow, QStringList &Values, TGridFixedCellEditor &AEditor);
    virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void ProcessEditText(int ACol, int ARow, QString &Value);
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);
    virtual void DoFilterDone();
    virtual void DoUpdateColumnSize(int ACol, int &AWidth);
    virtual void DoUpdateAutoColumnSize(int ACol, int &AWidth);
    virtual void ColumnHeadersChanged();
    virtual void DoEllipsClick(int ACol, int ARow, QString &S);
    virtual bool RowPassesFilter(int ARow);
    virtual void PasteBegin();
    virtual void PasteEnd();
    // Origin: the top-left cell the data was copied from in this grid, (-1, -1) for another source.
    virtual void CellsPasted(TPoint Origin, const TGridRect &Cells, TClipOperation Op);
    virtual void GetFormulaValue(int ACol, int ARow, QString &Value);
    virtual QString GetSaveCellText(int ACol, int ARow);
    virtual void LoadCellText(int ACol, int ARow, const QString &Value);
    virtual void CellValueChanged(int ACol, int ARow);
    virtual void RememberCellValue(int ACol, int ARow);
    virtual void DoCanEditCell(int ACol, int ARow, bool &CanEdit);
    virtual void DoSearchFooterAction(const QString &Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void DoButtonClick(int ACol, int ARow);
    // The grid button editor was clicked: OnButtonClick for the current cell.
    void GridButtonClick();
    // The unit editor's unit changed: OnUnitChanged for the current cell.
    void DoUnitChanged(QObject *Sender, const QString &AUnit);
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
    virtual void DoComboCloseUp(int ARow, int ACol);
    virtual void DoComboDropDown(int ARow, int ACol);
    virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void CellsChanged(const TGridRect &Cells);
    virtual void CellsLoaded();
    virtual void DoGridHint(int ACol, int ARow, QString &Hint, QString &WideHint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders);
    virtual void GetCellAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign);
    virtual void GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix);
    virtual void GetCellEditorType(int ACol, int ARow, TEditorType &AEditor);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType &AEditor);
    virtual bool IsEditorNone(int ACol, int ARow);
    virtual void IsFixedCell(int ACol, int ARow, bool &IsFixed);
    virtual void CheckCanEditCell(int ACol, int ARow, bool &CanEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool &IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool &WordWrap);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString &Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString &Value);
    virtual bool GetColumnFilter(int ACol);
    virtual TPoint GetUsedCells();
    virtual void RemoveRowsInternal(int RowIndex, int RCount);
    virtual bool DoCanAddRow();
    virtual bool DoCanInsertRow(int ARow);
    virtual void MouseWheelRowMoved();
    virtual void IncRowCount(int Count);
    virtual void CellSelectorClick();
    virtual void FormulaEditChanged();
    virtual void SelectAllClicked();
    virtual void MouseActionsChanged();
    virtual bool IsDesigning(bool &Designing);
    virtual void MouseActionsInvalidate();
    virtual void ClearEditingOption();
    virtual void InplaceEditKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    virtual void InplaceEditWMKeyDown(int &Key);
    virtual void NavigationChanged();
    virtual void TabToFirstRow();
    virtual bool UseGridClipboardFormat();
    // A choice of the filter drop list (ItemIndex -1: none); the check list was closed.
    virtual void ApplyDropListFilter(QObject *Sender, int ItemIndex);
    virtual void ApplyCheckListFilter();
    virtual void PaintDesignHelper();
    virtual void DesignHelperClick();
    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
    // Answers whether the new rating may stand (OnRatingChange may change it).
    virtual bool DoRatingChange(int ACol, int ARow, double &NewRate);
    virtual void DoColorSelect(int ACol, int ARow, TColor &Color);
    virtual void DoImageSelect(int ACol, int ARow, int &ImageIndex);
    virtual void DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow);
    virtual void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    virtual bool CanShowFixedDropDown(int ACol);
    virtual void DoStartBlockFocus();
    virtual void DoEndBlockFocus();
    virtual const TMarkupImageList *GetGridImageList();
    virtual void ExportNotification(int AState, int ARow);
    virtual void ImportNotification(int AState, int ARow);
    virtual void AssignCells(QObject *Source);
    virtual int GetVersionNr() const;
    virtual QString GetVersionString() const;
    virtual bool ValidateCell(const QString &NewValue);
    virtual bool ValidateCellWide(const QString &NewValue);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void InsertRows(int RowIndex, int RCount);
    virtual void RemoveCols(int ColIndex, int CCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void SubGroup(int ColIndex);
    virtual void SubUnGroup(int ColIndex);
    virtual void Group(int ColIndex);
    virtual void UnGroup();
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void SetStyle(TNovaGridStyle AStyle);
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    virtual void CalcFooter(int ACol);

    // Overrides of the base grid's hooks.
    bool IsFixed(int ACol, int ARow) override;
    void GetDisplText(int ACol, int ARow, QString &Value) override;
    void CellTextChanged(int ACol, int ARow) override;
    bool HasCustomCellBorders() override { return bool(OnGetCellBorder); }
    void GetDefaultCellProperties(int ACol, int ARow, TFont &AFont, TBrush &ABrush, TColor &AColorTo,
                                  TColor &AMirrorColor, TColor &AMirrorColorTo, TAlignment &HAlign,
                                  TVAlignment &VAlign, bool &WW, TCellGradientDirection &GD) override;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Print, bool Select, bool Remap,
                             TBrush &ABrush, TColor &AColorTo, TColor &AMirrorColor, TColor &AMirrorColorTo,
                             TFont &AFont, TAlignment &HA, TVAlignment &VA, bool &WW,
                             TCellGradientDirection &GD) override;
    int DisplColIndex(int ACol) override;
    int TotalColCount() const override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;

    // ============================================================================================
    // Cell access and cell properties (NovaGrid_CellAccess.cpp)
    // ============================================================================================
    // Cells, per-cell properties and objects take a real column and a displayed row; the All...
    // accessors a real column and a real row (hidden rows read from and write to their items).
    QString AllCells(int ACol, int ARow);
    void SetAllCells(int ACol, int ARow, const QString &Value);
    QString AllGridCells(int ACol, int ARow);
    void SetAllGridCells(int ACol, int ARow, const QString &Value); // EListError past a hidden row's cells
    QString AllWideCells(int ACol, int ARow) { return AllCells(ACol, ARow); }
    void SetAllWideCells(int ACol, int ARow, const QString &Value) { SetAllCells(ACol, ARow, Value); }
    QString UnSortedCells(int ACol, int ARow);
    void SetUnSortedCells(int ACol, int ARow, const QString &Value);
    QString OriginalCells(int ACol, int ARow);
    void SetOriginalCells(int ACol, int ARow, const QString &Value);
    QString StrippedCells(int ACol, int ARow);
    int LinesInCell(int ACol, int ARow);
    QString CurrentCell() { return GetCurrentCell(); }
    TEditorType CurrentEditor() const { return FCurrentEditor; }
    int SortedRowIndex(int ARow);
    int UnSortedRowIndex(int ARow);
    int ColumnPosition(int ACol);

    TObject *AllObjects(int ACol, int ARow);
    void SetAllObjects(int ACol, int ARow, TObject *Value);
    TObject *GetGridObjectsEx(int ACol, int ARow);
    TGridItem *HiddenRowItems(int ARow) const { return FGridItems.Find(ARow); }
    QWidget *CellControls(int ACol, int ARow);
    void SetCellControls(int ACol, int ARow, QWidget *Value);
    int NumCellControls() const { return FNumCellControls; }

    TColor Colors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor ColorsTo(int ACol, int ARow) const;
    void SetColorsTo(int ACol, int ARow, TColor Value);
    TCellGradientDirection Gradients(int ACol, int ARow) const;
    void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
    TColor FontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TFontStyles FontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    int FontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    QString FontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const QString &Value);
    TAlignment Alignments(int ACol, int ARow) const;
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    bool ReadOnly(int ACol, int ARow) const;
    void SetReadOnly(int ACol, int ARow, bool Value);
    bool WordWraps(int ACol, int ARow); // creates the properties
    void SetWordWraps(int ACol, int ARow, bool Value);
    // The cell's font in a scratch object the next read overwrites: do not keep it.
    const TFont &Fonts(int ACol, int ARow);
    const TFont &GetCellFont(int ACol, int ARow) { return Fonts(ACol, ARow); }
    void SetFonts(int ACol, int ARow, const TFont &Value);
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);

    int AllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }
    void Zoom(int x);

    // ============================================================================================
    // Per-cell hooks and the operations built on them (NovaGrid_Hooks.cpp)
    // ============================================================================================
    bool IsEditable(int ACol, int ARow);
    bool IsEditableCell(int ACol, int ARow);
    bool QueryPasswordCell(int ACol, int ARow);
    bool EditDisabled() const { return FEditDisable; }
    void SetEditDisabled(bool Value) { FEditDisable = Value; }

    TCanEditCellEvent OnCanEditCell;
    TSearchFooterActionEvent OnSearchFooterAction;
    TButtonClickEvent OnButtonClick;
    TUnitChangedEvent OnUnitChanged;
    TExpandClickEvent OnExpandClick;
    TComboCloseUpEvent OnComboCloseUp;
    TComboCloseUpEvent OnComboDropDown;
    TGetCellCursorEvent OnGetCellCursor;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TGetWordWrapEvent OnGetWordWrap;
    THasComboBoxEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TCheckBoxClickEvent OnCheckBoxClick;
    TClickSortEvent OnClickSort;
    TPrintPageNumEvent OnPrintGetPageNum;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TScrollCellEvent OnScrollCell;
    TNotifyEvent OnStartBlockFocus;
    TNotifyEvent OnEndBlockFocus;

    // ============================================================================================
    // Database import (NovaGrid_Database.cpp): a query on an SQLite database file fills the grid
    // ============================================================================================
    void LoadFromMDBSQL(const QString &Filename, const QString &SQL);
    void LoadFromMDBTable(const QString &Filename, const QString &Table);

    // ============================================================================================
    // Office exchange (NovaGrid_Office.cpp): cells to and from the spreadsheet program, the grid
    // as a table in the word processor, through the office link of OfficeAutomation.h
    // ============================================================================================
    QStringList GetXLSSheets(const QString &FileName);
    void LoadFromXLS(const QString &Filename);
    void LoadFromXLSSheet(const QString &Filename, const QString &SheetName);
    void SaveToXLS(const QString &Filename, bool CreateNewSheet);
    void SaveToXLSSheet(const QString &Filename, const QString &SheetName);
    void SaveToDOC(const QString &Filename, bool CreateNewDocument);
    void AppendToDoc(const QString &Filename, const QString &Bookmark);
    // The link this grid talks through (not owned); null takes the program's default link.
    void SetOfficeLink(TOfficeLink *Link) { FOfficeLink = Link; }

private:
    TOfficeLink &OfficeLink() const;
    void ReadXLSSheet(const QString &Filename, const QString &SheetName);
    void WriteXLSSheet(const QString &Filename, const QString &SheetName, bool CreateNewSheet);
    void WriteDOCFile(const QString &Filename, const QString &Bookmark, bool Append, bool CreateNewDocument);
    TOfficeLink *FOfficeLink = nullptr;

public:

    // ============================================================================================
    // Printing and print preview (NovaGrid_Print.cpp; the page layout in GridPrintEngine.cpp)
    // ============================================================================================
    void Print();
    void PrintRect(const TGridRect &Gridrect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    // Renders the page PreviewPage into Displayrect (device pixels of Canvas).
    void PrintPreview(TCanvas &Canvas, const TRect &Displayrect);
    void PrintPreviewRect(TCanvas &Canvas, const TRect &Displayrect, const TGridRect &Gridrect);
    void PrintPreviewSelection(TCanvas &Canvas, const TRect &Displayrect);
    void PrintPreviewSelectedRows(TCanvas &Canvas, const TRect &Displayrect);
    void PrintPreviewSelectedCols(TCanvas &Canvas, const TRect &Displayrect);
    // Page 1 of the layout onto any canvas; its clip rectangle (else DrawRect) gives the page.
    void PrintDraw(TCanvas &Canvas, const TRect &DrawRect);
    void PrintDrawRect(TCanvas &Canvas, const TRect &DrawRect, const TGridRect &Gridrect);
    // A point size as a character height in tenths of a millimetre, scaled by Fontscalefactor.
    int MapFontHeight(int pointsize) const;
    // The print font scale: 1.0 while columns are measured, the fit-to-page factor while rows are
    // measured and cells drawn.
    double Fontscalefactor = 1.0;
    int MapFontSize(int Height) const;
    TRect PrintPageRect() const { return FPrintPageRect; }
    int PrintPageWidth() const { return FPrintPageWidth; }
    int PrintColStart() const { return FPrintColStart; }
    int PrintColEnd() const { return FPrintColEnd; }
    int PrintNrOfPages() const { return FPrintNrOfPages; }
    int PreviewPage() const { return FPrintPageFrom; }
    void SetPreviewPage(int Value) { FPrintPageFrom = FPrintPageTo = Value; }
    bool IsPrintPreview() const { return FIsPrintPreview; }
    bool FastPrint() const { return FFastPrint; }
    void SetFastPrint(bool Value) { FFastPrint = Value; }
    bool PrinterDriverFix() const { return FPrinterDriverFix; }
    void SetPrinterDriverFix(bool Value) { FPrinterDriverFix = Value; }
    // The printer Print uses (the system's default, made on first use).
    QPrinter *Printer();
    void SetPrinter(std::shared_ptr<QPrinter> Value) { FPrinter = std::move(Value); }
    // Time and date of page headers and footers.
    void SetPrintClock(std::function<QDateTime()> Value) { FPrintClock = std::move(Value); }

    std::function<void(QObject *Sender, int NrOfPages, int &FromPage, int &ToPage)> OnPrintStart;
    std::function<void(QObject *Sender, TCanvas &Canvas, int PageNr, int PageXSize, int PageYSize)> OnPrintPage;
    std::function<void(QObject *Sender, int ARow, bool &NewPage)> OnPrintNewPage;
    std::function<void(QObject *Sender, TCanvas &Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>
        OnPrintPageDone;
    std::function<void(QObject *Sender, int PageNr, bool &Cancel)> OnPrintCancel;
    std::function<void(QObject *Sender, int ACol, int &Width)> OnPrintSetColumnWidth;
    std::function<void(QObject *Sender, int ARow, int &Height)> OnPrintSetRowHeight;
    std::function<void(QObject *Sender, double &ScaleFactor, bool &Allow)> OnFitToPage;
    std::function<void(QObject *Sender, TCanvas &Canvas, int ACol, int ARow, TPoint &ASize, bool Printing)>
        OnCustomCellSize;

private:
    friend class TGridPrintEngine;
    void previewRun(TCanvas &Canvas, const TRect &Displayrect, const TGridRect &Range, bool Filter);
    TRect FPrintPageRect;
    int FPrintPageWidth = 0;
    int FPrintColStart = 0;
    int FPrintColEnd = 0;
    int FPrintNrOfPages = 0;
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    bool FIsPrintPreview = false;
    bool FFastPrint = false;
    bool FPrinterDriverFix = false;
    std::shared_ptr<QPrinter> FPrinter;
    std::function<QDateTime()> FPrintClock;

public:
    // ============================================================================================
    // Cell colours, fonts and display text (NovaGrid_Display.cpp)
    // ============================================================================================
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState &AState, TFont &AFont, TBrush &ABrush,
                           bool Remap);
    // Horizontal and vertical alignment of a cell (per-cell setting, then the alignment hook).
    void ResolveCellAlignment(int ACol, int ARow, TAlignment &HA, TVAlignment &VA);
    // Whether a cell lies in the selection (the platform grid's selection rectangle).
    bool IsSelected(int ACol, int ARow);
    bool MouseIsDown() const { return FMouseDown; }

    TFloatFormatEvent OnGetFloatFormat;
    TGridGradientEvent OnGetCellGradient;

    // ============================================================================================
    // Cell check boxes and radio buttons (NovaGrid_CheckBoxes.cpp)
    // ============================================================================================
    // Adders, queries and toggles take a real column and a displayed row; the state getters and
    // setters GetCheckBoxState/SetCheckBoxState take a real row, so hidden rows can be read and set.
    // The single-cell adders raise std::runtime_error "Invalid cell" outside the grid.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    void AddRadioButton(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    // A radio group over the caller's list (not owned), or over a new list the cell owns.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, QStringList *sl);
    QStringList *CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    void RemoveRadio(int ACol, int ARow);

    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    // A click or key acts on the cell's control instead of opening its editor.
    bool HasClickableGraphic(int ACol, int ARow);
    // Printing and export skip the text of these cells (it backs the control).
    bool IsDataGraphicCell(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool &State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State);
    bool IsChecked(int ACol, int ARow);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    // Sets the state of a box at a displayed row and reports a change through OnCheckBoxChange.
    bool SetCheckBoxStateNotify(int ACol, int ARow, bool State);
    bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    bool GetRadioIdx(int ACol, int ARow, int &IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    QStringList *GetRadioStrings(int ACol, int ARow);
    // Space on a radio group: the next option, wrapping; its text goes into the cell.
    void SelectNextRadio(int ACol, int ARow, bool FromUser);
    // Whether a point lies on the cell's check box glyph (anywhere in the cell unless precise).
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);

    TCheckBoxClickEvent OnCheckBoxMouseUp;
    std::function<void(QObject *Sender, int ACol, int ARow, int AIdx)> OnRadioClick;
    std::function<void(QObject *Sender, int ACol, int ARow, int AIdx)> OnRadioMouseUp;
    std::function<void(QObject *Sender, int ACol, int ARow)> OnRadioButtonClick;

    // ============================================================================================
    // Cell graphics and control glyphs (NovaGrid_Glyphs.cpp)
    // ============================================================================================
    // A check box glyph of the style at R; a tri-state box takes its look from TriState.
    void DrawCheckBoxGlyph(TCanvas &Canvas, const TRect &R, bool Checked, TCheckBoxState TriState, bool IsTriState,
                           TControlStyle Style, bool Grayed, bool Enabled);
    // Count options of Items stacked (upward or down) or side by side; CheckedIndex -1 checks the
    // option whose caption is the cell's text.
    void DrawRadioGroup(TCanvas &Canvas, const TRect &R, bool Upward, double Scale, TControlStyle Style, int ARow,
                        int ACol, bool Selected, const QStringList &Items, bool Disabled, bool SideBySide,
                        int CheckedIndex, int Count);
    // Places a cell's graphic of W x H beside a text of TextWidth in Cell and paints it.
    void DrawGraphicInCell(TCanvas &Canvas, TCellGraphic &G, const TRect &Cell, int RCol, int ARow, TAlignment HA,
                           TVAlignment VA, int TextWidth, int W, int H, bool Selected);
    // Whether the desktop's themed controls draw the csTheme style.
    bool ThemedControls();

    // Row nodes and group summaries (NovaGrid_Nodes.cpp).
    virtual bool IsNode(int ARow);
    virtual int GetNodeSpan(int ARow);
    virtual int GetParentRow(int ARow);
    virtual bool GetNodeState(int ARow); // contracted
    // Show or hide the children of the node at a real row.
    virtual void ExpandNode(int ARow);
    virtual void ContractNode(int ARow);
    // Puts the focus into the search footer's edit.
    virtual void FocusSearchEdit();
    virtual bool IsSummary(int ARow);
    // 0 for a node row; 2 when the next row continues the tree at this level or deeper; 1 for
    // the last child of a group. The painter draws the tree lines by it.
    virtual int GetNodeSpanType(int ARow);
    // At least one node row: the node operations keep the count.
    bool HasNodes() override { return FNodeCount > 0; }
    // Node level of the row times the node indent; 0 without nodes or properties.
    int GetRowIndent(int ARow) override;
    // Row node operations (NovaGrid_Nodes.cpp). AddNode, ExpandNode, ContractNode, InsertChildRow,
    // RemoveChildRow, InsertNormalRow and RemoveNode take real rows; the queries displayed rows.
    // A span counts the node row itself; AddNode clamps it to the rows there are.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow); // -1 unless the row is a node
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    void ExpandAll();
    void ContractAll();
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    // Marks the displayed row of a real row as a group summary row.
    void MarkSummaryRow(int ARow);
    // Whether X (client pixels) lies on the node glyph of a displayed row.
    bool IsNodeGlyphHit(int ARow, int X);
    std::function<void(QObject *Sender, int ARow, int ARowReal, bool &Allow)> OnBeforeExpandNode;
    std::function<void(QObject *Sender, int ARow, int ARowReal, bool &Allow)> OnBeforeContractNode;
    std::function<void(QObject *Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(QObject *Sender, int ARow, int ARowReal)> OnContractNode;

    // Grouping (NovaGrid_Grouping.cpp): the grouped real column, -1 when not grouped; setting -1
    // ungroups, a column above 0 groups on it.
    int GroupColumn() const;
    void SetGroupColumn(int Value);
    bool IsGrouping() const { return FIsGrouping; }
    // Writes a column function of every expanded group's children into its summary row (or its
    // header without summaries): 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom,
    // 7 distinct, 8 standard deviation.
    void GroupCalc(int ColIndex, int Method);
    void GroupSum(int ColIndex);
    void GroupAvg(int ColIndex);
    void GroupMin(int ColIndex);
    void GroupMax(int ColIndex);
    void GroupCount(int ColIndex);
    void GroupCustomCalc(int ColIndex);
    void GroupDistinct(int ColIndex);
    void GroupStdDev(int ColIndex);
    virtual double DoGroupCalc(int ACol, int FromRow, int ToRow);
    std::function<void(QObject *Sender, int ACol, int FromRow, int ToRow, double &Res)> OnGroupCalc;

protected:
    int FNodeCount = 0; // node rows added and not removed
    // Row nodes: one level less for the rows r .. r + span - 1; bare properties of children go.
    void lowerNodeLevels(int r, int span);
    bool bareNodeProperties(int r);
    void takeNode(int r);
    TCellGraphic *nodeGraphic(int ARow); // the node graphic of a displayed row, or null
    void drawNodeGlyph(TCanvas &K, const TCellGraphic &G, const TRect &Cell, int ARow, bool Selected);
    // Grouping: header and summary row colours, summary rows, the per-group column functions
    // (nodes and summaries left out) and the count behind a header's value.
    void colourGroupRow(int ARow, bool Header);
    void colourGroupCell(int ACol, int ARow, bool Header);
    void uncolourGroupRow(int ARow, bool Header);
    void insertSummaryRow(int ARow);
    double groupColumnValue(int ACol, int FromRow, int ToRow, int Method);
    void appendGroupCount(int ACol, int ARow, QString &Value);
    bool FIsGrouping = false;
    int FGroupWidth = 0;
    QString FGroupCaption;
    QString FGroupFooter;
    // The graphic that holds the check box state of a real row, where its text lives, and
    // whether it is the cell's own graphic.
    struct CheckBoxAt {
        bool hidden = false; // the row is hidden: texts are read and written through All...
        int row = -1;        // displayed row, or the real row when hidden
    };
    TCellGraphic *FindCheckGraphic(int ACol, int RealRow, CheckBoxAt &At);
    // A graphic that no cell of a hidden row holds but its column supplies (none here).
    virtual TCellGraphic *GetHiddenRowCellGraphic(int ACol, int RealRow);
    QString checkCellText(int ACol, const CheckBoxAt &At);
    void setCheckCellText(int ACol, const CheckBoxAt &At, const QString &Value);
    TCellGraphic *addCheckGraphic(int ACol, int ARow);

public:
    // ============================================================================================
    // Automatic sizing and cell text measures (NovaGrid_AutoSize.cpp)
    // ============================================================================================
    // With AutoSize switched on the columns take their contents' widths.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Limits of automatic widths and heights; 0 is none, equal values switch both off.
    int MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(int Value) { FMinColWidth = Value; }
    int MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
    CFG_PLAIN_PROPERTY(int, MaxColWidth, 0)
    CFG_PLAIN_PROPERTY(int, MaxRowHeight, 0)
    CFG_PLAIN_PROPERTY(bool, SizeGrowOnly, false)
    CFG_PLAIN_PROPERTY(bool, XYOffsetTopLeftOnly, false)
public:
    QPoint TextOffset() const { return XYOffset; }
    void SetTextOffset(QPoint Value) { XYOffset = Value; }
    int XYOffsetWidth() const { return FXYOffsetTopLeftOnly ? XYOffset.x() : 2 * XYOffset.x(); }
    int XYOffsetHeight() const { return FXYOffsetTopLeftOnly ? XYOffset.y() : 2 * XYOffset.y(); }
    // The canvas cell texts are measured on; a replaced one (tests: fixed metrics) is owned.
    TCanvas *MeasureCanvas();
    void SetMeasureCanvas(std::unique_ptr<TCanvas> Value);
    // Extent of a cell's text (real column): VS measures the height for the cell's width, SB keeps
    // 17 pixels for a scroll bar.
    TPoint GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    void MeasureCellText(int ACol, int DisplayCol, TPoint &Size, bool SB, bool VS, int ARow);
    // Rich-text cells (NovaGrid_RichText.cpp): the hidden converter and the in-place editor, both
    // made on first use; a cell holds its rich text one byte per character.
    TNovaRichEdit *RichEdit();
    TNovaRichEdit *InplaceRichEdit();
    // The selection of the in-place rich editor moved: OnRichEditSelectionChange (its sender is
    // the editor).
    void RichEditSelectionChanged(QObject *Sender);
    TNotifyEvent OnRichEditSelectionChange;
    void CellToRich(int ACol, int ARow, TNovaRichEdit *Rich);
    QString RichToString(TNovaRichEdit *Rich);
    void RichToCell(int ACol, int ARow, TNovaRichEdit *Rich);
    // Draws a rich-text cell on any canvas; a printed one, or one under SelectionRTFKeep, keeps
    // its own colours when selected.
    void PaintRichTextCell(int ACol, int ARow, const TRect &Rect, TCanvas &Canvas);
    // The plain text of a rich-text cell text.
    QString RichCellPlainText(const QString &CellText);

    // Display columns and rows.
    void AutoSizeCol(int ACol, int Padding = 0);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoFitColumns(bool DoFixedCells = true);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void SetRowHeightForLines(int ARow, int Lines, int Extra);
    int MaxLinesInRow(int ARow);
    // Form scaling: the extra fonts follow.
    void ChangeScale(int M, int D) override;

    // ---- column stretching and size notifications (NovaGrid_Stretch.cpp) ----------------------
    // Widens or narrows one column (-1: the last) so that the columns fill the client width;
    // an index outside -1..ColCount-1 raises std::runtime_error "Stretch column index out of range".
    void StretchColumn(int Index);
    void StretchRightColumn() { StretchColumn(ColCount() - 1); }
    bool StretchRunning() const { return FIsColChanging; }
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The end of a user sizing: proportional sizing of the other columns or rows, the end
    // events and the chance to correct the width (called on the release).
    void EndUserColumnSize(int ACol, int OldWidth);
    void EndUserRowSize(int ARow, int OldHeight);

private:
    bool FIsColChanging = false;
    bool ColchgFlg = false;
    bool ColSizeFlg = false;
    bool FInSizeChanged = false;

public:

protected:
    void autoSizeColumnCore(int ACol, bool GrowOnly);
    void autoSizeRowCore(int ARow, bool GrowOnly, int Extra);
    std::unique_ptr<TCanvas> FMeasureCanvas;
    // ---- rich-text cells -----------------------------------------------------------------------
    friend class TNovaRichEdit;
    bool richCellSelected(int ACol, int ARow);
    // The in-place rich editor over cell (ACol real, ARow) in R, and its text back into the cell.
    void openInplaceRichEdit(int ACol, int ARow, const TRect &R, TColor B);
    void storeInplaceRichEdit(int ACol, int ARow);
    TNovaRichEdit *FRichEdit = nullptr;
    TNovaRichEdit *FInplaceRichEdit = nullptr;

public:
    // ============================================================================================
    // Filtering (NovaGrid_Filter.cpp)
    // ============================================================================================
    // Rows failing the conditions of Filter are hidden as one filter level of the hidden-row store;
    // levels stack and come off one by one. Rows hidden by other means stay hidden throughout.
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    // The fixed row that carries the filter glyphs: only a value below FixedRows is taken.
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(int Value);
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value);
    // Hides display row ARow when it fails the filter.
    void FilterRow(int ARow);
    void ApplyFilter();
    // Takes the last filter level off; true while more than one level remains.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Incremental narrowing on a column (-1: the whole row): one character more narrows the
    // current result, one less goes back a level, anything else starts again.
    void NarrowDown(const QString &ACondition, int AColumn = -1);
    QString LastFilter() const { return FLastFilter; }
    // The filter drop-down lists (owned by the grid, hidden until a header glyph opens them).
    TDropList *DropList() const { return FDropList; }
    TDropCheckList *DropCheckList() const { return FDropCheckList; }
    // Opens the filter list of real column ACol under its header cell in FilterDropDownRow.
    void ShowFilterDropDown(int ACol);
    // Closes an open filter list without a change of the filter.
    void CloseFilterDropDown();
    TFilterDropDown *FilterDropDown() const { return FFilterDropDown; }

    std::function<void(QObject *Sender, int ARow, bool &AcceptRow)> OnCustomFilter;
    std::function<void(QObject *Sender, int Progress)> OnFilterProgress;
    std::function<void(QObject *Sender, int Column, int ItemIndex, const QString &FriendlyName, QString &FilterCondition)>
        OnFilterSelect;
    std::function<void(QObject *Sender, int Column, int ItemIndex, const QString &FriendlyName, QString &FilterCondition,
                       TDropCheckList *CheckList)>
        OnFilterCheck;
    TNotifyEvent OnFilterDone;

protected:
    bool FFilterActive = false;
    int FFilterDropDownRow = 0;
    bool FFilterDropDownAuto = false;
    int FFilterFixedRows = 0;
    QString FLastFilter;
    TFilterDropDown *FFilterDropDown = nullptr;
    TDropList *FDropList = nullptr;
    TDropCheckList *FDropCheckList = nullptr;
    // Takes every filter level off at once; rows hidden otherwise stay hidden.
    void removeFilterLevels();
    void createFilterLists();
    void createSearchPanel();
    // The editors and feedback windows a grid outside a designer makes with itself.
    void createRunTimeControls();
    // The header glyph of a column with a filter list (the active one while its filter is set).
    void paintFilterGlyph(TCanvas &Canvas, const TRect &R, bool Active);
    int FFilterPressClosed = -1; // column whose list a press on the grid closed (-1 none)

public:
    // ============================================================================================
    // Hidden rows and columns (NovaGrid_Hidden.cpp)
    // ============================================================================================
    // Columns: real indexes; hiding is supported for real columns 0..511.
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const { return FNumHidden; }
    int RealColIndex(int ACol) const; // -1 for a displayed column that does not exist
    int DisplColIndexOf(int ACol) const;
    int RealCol() const { return RealColIndex(Col()); }

    // Rows: real indexes.
    void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void HideRowList(const TIntList &RowList);
    void HideRowList(const std::vector<int> &RowList);
    void UnHideRow(int RowIndex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    void UnHideRowList();
    bool IsHiddenRow(int RowIndex) const { return FGridItems.Contains(RowIndex); }
    // The same answer through a list of every hidden row's index, built on the first call (when
    // ListHidden is empty) and kept by the caller for its next calls.
    bool IsHiddenRow(int RowIndex, std::unique_ptr<TIntList> &ListHidden) const;
    // Hide the rows whose selection flag is set (or not set), bottom up or top down.
    void HideSelectedRows();
    void HideUnSelectedRows();
    // Asks the grid again whether the current cell may be selected (editor state follows).
    void UpdateEditMode() { SelectCell(Col(), Row()); }
    int NumHiddenRows() const { return FGridItems.Count(); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int RealRowIndex(int ARow) const; // -1 for a negative displayed row
    int DisplRowIndex(int ARow) const;
    int RealRow() const { return RealRowIndex(Row()); }
    int FilterLevel() const { return FFilterLevel; }
    // The current row (displayed): fires OnRowUpdate when it changed, a synchronised grid follows.
    void SetRow(int Value);
    // The first scrollable row shown; a value outside the scrollable rows is ignored.
    void SetTopRow(int Value);
    TGridItems &GridItems() { return FGridItems; }
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }

    // ============================================================================================
    // Editing: editing core (NovaGrid_Editing.cpp), validation and balloons
    // (NovaGrid_Validation.cpp), keyboard (NovaGrid_Keyboard.cpp), cell advance
    // (NovaGrid_Advance.cpp) and the in-place editor controls made on first use (NovaGrid_Editors.cpp)
    // ============================================================================================
public:
    // Combo list shared by every combo cell.
    void ClearComboString();
    void AddComboString(const QString &S);
    void AddComboStringObject(const QString &S, QObject *AObject);
    bool RemoveComboString(const QString &S);
    bool SetComboSelectionString(const QString &S);
    void SetComboSelection(int Index);
    int GetComboCount();
    int ComboIndex(int ACol, int ARow);
    void SetComboIndex(int ACol, int ARow, int Value);

    // Editing entry points.
    bool CanEditShow() override;
    TInplaceEdit *CreateEditor() override;
    // The cell's edit mask: EditMask, changed by OnGetEditMask for the asked cell.
    QString GetEditMask(int ACol, int ARow) override;
    QString GetEditInputMask(int ACol, int ARow) override;
    TGetEditMaskEvent OnGetEditMask;
    int GetEditLimit() override;
    void PrepareCellEditor(int ACol, int ARow);
    void StoreEditorValue(int ACol, int ARow);
    void HideCellEdit();
    void ShowCellEdit();
    void ShowInplaceEdit();
    void HideInplaceEdit();
    void PostGridEditDone(int ACol, int ARow);
    bool WantsTabKey() const;
    bool EditMode() const { return FEditMode; }
    bool Editing() const { return FEditing; }
    QWidget *EditCtrl() const { return FEditCtrl; }
    QString CellCache() const { return FCellCache; }
    TNovaInplaceEdit *NormalEdit() const;

    // Focus frame of the edited cell (NovaGrid_FocusFrame.cpp): a translucent glow around the
    // cell whose editor opens with FocusHelper enabled; it follows the form and goes with validation.
    void ShowFocusFrame(const TRect &R);
    void MoveFocusFrame();
    void HideFocusWindow();
    TGridFocusWindow *FocusWindow() const { return FFocusWindow; }
    // The grid whose focus frame is shown (none: nullptr).
    static TNovaStringGrid *FocusFrameGrid();

protected:
    // Watches the form: its moves carry the focus frame, its resizes the grid (NovaGrid_Pointer.cpp).
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void showFocusFrameForEditor();
    TGridFocusWindow *FFocusWindow = nullptr;
    std::unique_ptr<TGridAlphaMask> FFocusMask;
    QPointer<QWidget> FFocusTopLevel; // the window watched for moves while the frame shows
    // Focus frame without a compositor: the glow blended over what lies behind it, renewed when
    // the cells under it repaint.
    void renewFocusBackdrop();
    QObject *FFocusBackdropWatch = nullptr; // a child of the grid, watching the viewport's paints

public:
    // Validation.
    CFG_PLAIN_PROPERTY(bool, AlwaysValidate, false)
public:
    bool LastValidation() const { return FLastValidation; }
    QString NewCellText() const { return FNewCellText; }
    bool Validating() const { return FValidating; }
    bool GridModified() const { return FGridModified; }
    void SetGridModified(bool Value) { FGridModified = Value; }
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    TBalloonSettings *Balloon();
    TShowModified *ShowModified();
    void BalloonInit();
    void BalloonDone();
    void BalloonEnableChanged();
    // The tooltip window of cell balloons (none until BalloonInit) and the invalid-entry balloon.
    QWidget *BalloonWindow() const { return FBalloonWindow; }
    QWidget *InvalidEntryBalloon() const { return FInvalidEntryBalloon; }
    int BalloonWindowsCreated() const { return FBalloonWindowsCreated; }
    // Balloon tooltip text (NovaGrid_Balloon.cpp): what the balloon shows for the cell at a client
    // point; false (no answer) while Balloon.Enable is off. ShowCellBalloon shows it.
    bool BalloonNeedText(const QPoint &ClientPos, QString &Title, QString &Text, int &Icon);
    bool ShowCellBalloon(const QPoint &ClientPos);
    void WatchBalloonRequests();
    TPoint LastBalloonCell() const { return FLastBalloonCell; }
    // The date picker changed its date (0 for an incomplete one): OnDateTimeChange for the current cell.
    void DateTimeChangeNotify(TDateTime Value);
    TGridBalloonEvent OnCellBalloon;

    // Keyboard.
    bool HandleTabKey(bool Backward);
    void DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift);
    void AutoAppendRow();
    int FirstNavigableCol();
    int VisibleFixedRightCols();
    bool CanNavigateToCell(int ACol, int ARow);
    int FirstSelectableCol(int ARow);
    int LastSelectableCol(int ARow);
    bool IsLastDataRow();
    void SimulateCellClick(int ACol, int ARow);
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar &Key) override;
    virtual void KeyUp(int &Key, Qt::KeyboardModifiers Shift);
    // Scrolls until the last row lies above the search panel.
    void KeepLastRowAboveSearchFooter();
    // The first row from FixedRows whose sort-column text starts with the (upper-cased) prefix; -1 when none.
    int Search(const QString &s);
    // Opens the editor of the next editable CONTROL element of a marked-up cell after the one named ID.
    void EditNextCellControl(int ACol, int ARow, const QString &ID);
    // The editor over an EDIT, PASSWORD, MASK or COMBO element of a marked-up cell (ACol real, DCol displayed).
    void ShowCellControlEditor(const QString &Text, const QString &Type, int ARow, int ACol, int DCol,
                               const TRect &R, const QString &Value, const QString &ID);
    // Clipboard operations of the keyboard's shortcuts.
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void PasteSelectionFromClipboard();
    // Clipboard (NovaGrid_Clipboard.cpp): text (TAB between cells, CR LF after rows), the rich
    // text of one cell, the grid's own cell stream and HTML. Pastes prefer the own format, then
    // rich text, then text; growing the grid by a paste is bounded (MaxPasteCols, MaxPasteRows).
    void CopyToClipBoard();
    void CutToClipboard();
    void CopyToClipBoardAsHTML();
    void PasteFromClipboard();
    QString GetSelectionAsText();
    void SetSelectionAsText(const QString &Value);
    QString SelectedText();
    QString SelectionToText(const TGridRect &R, bool Disjunct);
    void SelectionToClipboard(const TGridRect &R, bool Disjunct);
    void ExtendSelectionToMergedCells();
    // Results: cells pasted / fields read; Rows and Cols report the pasted extent.
    int PasteFromClipboardCore(int ACol, int ARow, int &Rows, int &Cols);
    int PasteTextIntoCells(int ACol, int ARow, int &Rows, int &Cols, const QString &Text);
    static constexpr int MaxPasteCols = 16384;
    static constexpr int MaxPasteRows = 1048576;
    TClipboardBeforePasteCellEvent OnClipboardBeforePasteWideCell;
    TClipboardAfterPasteCellEvent OnClipboardAfterPasteWideCell;

protected:
    // Clipboard state
    TPoint FClipTopLeft{0, 0};
    TClipOperation FClipLastOp = coCopy;
    bool FPasteAll = false;
    void CopyRTFCellToClipboard(int ACol, int ARow, QMimeData &Data);
    void CopyCellsToClipboardFmt(const TGridRect &R, QMimeData &Data);
    bool smartSeries(const TGridRect &Sel, int N);
    void pasteIntoCell(int c, int r, const QString &Value, bool Events, const TGridRect &Sel);
    // Clipboard footer rule: the rows a paste may write; a fixed-last-row footer keeps its row.
    int pasteRowLimit();

public:
    // Drag and drop (NovaGrid_DragDrop.cpp): the grid as drop target (registered with
    // DragDropSettings.OleDropTarget) and as drag source (started by pointer movement).
    void OleColumnDragStart(int ACol, int AIndex, QListWidget *AList);
    // The size of a TAB-separated text as (columns, rows - 1).
    static TPoint TextBlockSize(const QString &Text);
    std::function<void(QObject *Sender, int ARow, int ACol, const QString &Data, bool &Allow)> OnOleDrop;
    std::function<void(QObject *Sender, const TGridRect &ARect)> OnOleDropped;
    std::function<void(QObject *Sender, int ARow, int ACol, bool &Allow)> OnOleDragOver;
    std::function<void(QObject *Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;
    std::function<void(QObject *Sender, int ARow, int ACol, const QString &FileName, bool &Allow)> OnOleDropFile;
    std::function<void(QObject *Sender, int ARow, int ACol, const QString &URL, bool &Allow)> OnOleDropURL;
    std::function<void(QObject *Sender, int ARow, int ACol, const QString &Data, bool &Allow)> OnOleDrag;
    std::function<void(QObject *Sender, int ARow, int ACol)> OnOleDragStart;
    std::function<void(QObject *Sender, Qt::DropAction Effect)> OnOleDragStop;
    TGridDropTarget *DropTarget() const { return FDropTarget.get(); }

protected:
    // Starts a drag when the pointer, pressed on the selection of a drag source grid, has moved
    // more than 3 pixels; true when a drag ran.
    virtual bool OleDragStartMove(Qt::KeyboardModifiers Shift, int X, int Y);
    // The drop source of one drag (tests replace it to run the drag loop themselves).
    virtual std::unique_ptr<TGridDropSource> CreateDropSource();
    // Drag picture: with ShowCells the dragged cells follow the pointer as the drag's picture.
    void setDragPicture(TNSGDropSource &Source, bool ColumnDrag, int ACol);
    void installDropSupport();
    int FOleDragCol = -1;
    int FOleDragIndex = -1;
    QListWidget *FOleDragList = nullptr;
    TGridRect FDropSelection{-1, -1, -1, -1};
    std::unique_ptr<TGridDropTarget> FDropTarget;
    friend class TGridDropTarget;
    friend class TGridDropSource;

public:

    // Cell advance.
    void AdvanceAfterEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Skipping, bool ShowEdit);
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void MoveToCell(int ACol, int ARow);
    // The caret walked out of an editor to the left or right: one advance along the row, and
    // the editor of the new cell with CursorWalkAlwaysEdit.
    void CaretWalk(bool Left);
    bool NoAutoAdvance() const { return FNoAutoAdvance; }
    void SetNoAutoAdvance(bool Value) { FNoAutoAdvance = Value; }

    // Editor controls: made on first use, owned by the grid.
    TGridCombo *Combo();
    TGridCheckBox *EditCheck();
    TGridEditBtn *EditBtn();
    TGridUnitEditBtn *UnitEditBtn();
    TGridButton *GridButton();
    TGridSpin *SpinEdit();
    TGridDatePicker *DateTimePicker();
    TGridDateTimePicker *DateAndTimePicker();
    // The drop-down editors, made through the drop-down editor registry (DropDownEditorRegistry.h)
    // on first use; nullptr while no factory is registered for the kind.
    TDropDownCellEditor *TrackbarDropDown() { return DropDownEditor(edTrackbarDropDown); }
    TDropDownCellEditor *MemoDropDown() { return DropDownEditor(edMemoDropDown); }
    TDropDownCellEditor *CalculatorDropDown() { return DropDownEditor(edCalculatorDropDown); }
    TDropDownCellEditor *TimePickerDropDown() { return DropDownEditor(edTimePickerDropDown); }
    TDropDownCellEditor *DetailPickerDropDown() { return DropDownEditor(edDetailDropDown); }
    TDropDownCellEditor *GridDropDown() { return DropDownEditor(edGridDropDown); }
    TDropDownCellEditor *ColorPickerDropDown() { return DropDownEditor(edColorPickerDropDown); }
    TDropDownCellEditor *ImagePickerDropDown() { return DropDownEditor(edImagePickerDropDown); }
    TDropDownCellEditor *NovaGridDropDown() { return DropDownEditor(edNovaGridDropDown); }
    // The editor of a drop-down kind, made on first use; nullptr for other kinds.
    TDropDownCellEditor *DropDownEditor(TEditorType Kind);
    // The one made so far, without making it.
    TDropDownCellEditor *ExistingDropDownEditor(TEditorType Kind) const;
    // The memo drop-down's text goes into the current cell while it is edited.
    void MemoDropDownChange();
    // Clicks on the buttons of a drop-down editor's header and footer.
    void DoDropDownHeaderButtonClick(int ButtonIndex);
    void DoDropDownFooterButtonClick(int ButtonIndex);
    // Takes the focus off the editors and hides them while the grid is still whole (its destructor
    // calls it first, so no editor reports to a grid that is half gone).
    void ReleaseEditors();
    bool HasSpinEditor() const { return FEditSpin != nullptr; }
    bool HasDatePicker() const { return FEditDate != nullptr; }
    bool HasDateTimeEditor() const { return FEditDateTime != nullptr; }

    // ---- the application's own editor of edCustom cells (EditLink.cpp) --------------------------
    TEditLink *EditLink() const;
    void SetEditLink(TEditLink *Value);

private:
    QPointer<QObject> FEditLink; // a TEditLink, not owned
    void openEditLink(int ACol, int ARow, const TRect &R, TColor B, const TFont &F, const QString &Text);
    void closeEditLink(int ACol, int ARow);

public:
    // Events of editing.
    TEditChangeEvent OnEditChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TEllipsClickEvent OnEllipsClick;
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorPropIntEvent OnGetEditorPropInt;
    TNotifyEvent OnEditingDone;
    TEditCellDoneEvent OnEditCellDone;
    TAutoAdvanceEvent OnAutoAdvance;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardBeforePasteCellEvent OnClipboardBeforePasteCell;
    TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;
    TDatePickerEvent OnDatePickerCloseUp;
    TDatePickerEvent OnDatePickerDropDown;
    TDateTimeChangeEvent OnDateTimeChange;
    TCustomStrToDateEvent OnCustomStrToDate;
    TGridKeyEvent OnKeyUp;
    TCanInsertRowEvent OnCanInsertRow;
    TAutoInsertRowEvent OnAutoInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TEndRowSizeEvent OnEndRowSize;
    TColorSelectedEvent OnColorSelected;
    TImageSelectedEvent OnImageSelected;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    // The typed character once the key has passed (the platform's character message).
    void WMChar(QChar Ch, bool Keypad);
    void DatePickerChange();
    void DatePickerCloseUp();
    void DatePickerDropDown();
    void DateAndTimePickerChange();
    void ShowInvalidEntryBalloon(QWidget *Anchor);
    void StoreSpinValue(int c, int ARow);
    void CloseEditor(QWidget *w);
    void ShowEditorControl(QWidget *w, const TRect &R, TColor B, bool focus = true);
    void PostStartChar(QWidget *w);
    void AdvanceStep(int &ACol, int &ARow, bool Forward, bool &Moved, bool &Stop);
    void ClickableCellKey(int Key);
    // An editor control is losing the focus while its edit is pending: whether its value must be
    // validated before it may be stored.
    bool MustValidateOnExit(QWidget *w) const;
    // The value was refused: the move that took the focus is refused too, and the control gets the
    // focus back once that event is over.
    void RefuseExit(QWidget *w);
    bool FRefuseSelect = false;
    void HomeEndKey(int Key, Qt::KeyboardModifiers Shift, bool KeepHoriz, int OldLeft);

    friend class TNovaInplaceEdit;
    friend class TGridSpin;
    friend class TGridCombo;
    friend class TGridCheckBox;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    friend class TGridButton;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TDropDownCellEditor;

    // ---- editing state ------------------------------------------------------------------------
    bool FEditMode = false;         // an editor of the editing core is open
    QWidget *FEditCtrl = nullptr;   // the editor control that is open
    bool FEditing = false;          // a cell is being edited (pending validation)
    bool FEditActive = false;
    bool FSpecialEditor = false;
    bool FBlockKill = false;
    QChar FStartEditChar;
    QString FCellCache;
    QString FEditText;
    int FComboIdx = -1;
    bool FEditChange = false;
    bool FNoEditChange = false;
    bool FShowEditProcess = false;
    bool FEntered = false;
    TDateTime FOriginalDateTime = 0;
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    bool FLastValidation = true;
    bool FNoAutoAdvance = false;
    bool LButFlg = false;
    bool FInSelectCell = false;

    // ---- validation -----------------------------------------------------------------------------
    int FOldCol = -1;
    int FOldRow = -1;
    QString FOldCellText;
    QString FOldCellTextWide;
    struct TValidationEnd {
        TNovaStringGrid *g;
        ~TValidationEnd();
    };
    void beginValidation(const QString &NewValue, int &ACol, int &ARow);
    bool FOldModifiedValue = false;
    QString FNewCellText;
    bool FValidating = false;
    bool FGridModified = false;
    TBalloonSettings *FBalloon = nullptr;
    TShowModified *FShowModified = nullptr;
    QWidget *FBalloonWindow = nullptr;
    QWidget *FInvalidEntryBalloon = nullptr;
    int FBalloonWindowsCreated = 0;
    // ---- balloon tooltip text ---------------------------------------------------------------
    TPoint FLastBalloonCell{-1, -1};
    QObject *FBalloonRequests = nullptr;

    // ---- keyboard and advance -------------------------------------------------------------------
    TPoint FLastKeyCell;
    int FLastTabCol = -1;
    int FLastTabRow = -1;
    TGridRect FMoveSelection;
    bool FForceSel = false;
    QString SearchInc;
    int SearchTics = 0;
    bool FBlockFocus = false;
    int FAECol = -1;
    int FAERow = -1;
    bool FDisableChange = false;
    int FTabDepth = 0;

    // ---- editor controls ------------------------------------------------------------------------
    TGridCombo *FEditCombo = nullptr;
    TGridCheckBox *FEditCheck = nullptr;
    TGridEditBtn *FEditBtn = nullptr;
    TGridUnitEditBtn *FUnitEditBtn = nullptr;
    TGridButton *FGridButton = nullptr;
    TGridSpin *FEditSpin = nullptr;
    TGridDatePicker *FEditDate = nullptr;
    TGridDateTimePicker *FEditDateTime = nullptr;
    // The drop-down editors (children of the grid, made by the registry's factories).
    TDropDownCellEditor *FEditTrackBar = nullptr;
    TDropDownCellEditor *FEditMemo = nullptr;
    TDropDownCellEditor *FEditCalculator = nullptr;
    TDropDownCellEditor *FEditTimePicker = nullptr;
    TDropDownCellEditor *FEditDetailPicker = nullptr;
    TDropDownCellEditor *FEditGridPicker = nullptr;
    TDropDownCellEditor *FEditColorPicker = nullptr;
    TDropDownCellEditor *FEditImagePicker = nullptr;
    TDropDownCellEditor *FEditNovaGridPicker = nullptr;
    static TDropDownCellEditor *TNovaStringGrid::*dropDownField(TEditorType Kind);
    // Esc ended the drop-down edit: the store writes nothing.
    bool FDropDownCancelled = false;
    bool openDropDownEditor(int ACol, int ARow, const TRect &R, TColor B, const QString &Text);
    void storeDropDownEditor(int ACol, int ARow);
    // The index a ctDataImage cell's text names; -1 when it names none.
    int dataImageIndex(int ACol, int ARow);

public:
    // ============================================================================================
    // Cell painting (NovaGrid_Paint.cpp) and grid painting (NovaGrid_GridPaint.cpp)
    // ============================================================================================
    struct TCellPaint;
    void PaintCellContents(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    void Paint(QPainter &p, const QRect &updateRect) override;
    // The cell's graphic with its placement and size; nullptr (sizes 0, text beside) without one.
    TCellGraphic *MeasureCellGraphic(int ACol, int ARow, TCellVAlign &VAlign, TCellHAlign &HAlign, bool &TextBeside,
                                     int &Height, int &Width);
    void DrawCellBorders(TCanvas &Canvas, int ACol, int ARow, TRect R);
    void PaintBackgroundFixed(TCanvas &Canvas, const TRect &R);
    void PaintBackgroundTiled(TCanvas &Canvas, const TRect &R, int ACol, int ARow);
    void PaintBackgroundGradient(TCanvas &Canvas, const TRect &R);
    void PaintEmptyArea(TCanvas &Canvas);
    // The one-pixel border of the modern looks (the scroll area's frame here).
    void PaintWindowBorder();
    // Dotted inverting lines that follow a column or row being sized; drawing one twice removes it.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    void PaintSortIndicator(TCanvas &Canvas, int ACol, int Y, int X);
    // The vertical alignment of the text painted last (the in-place editor follows it).
    TVAlignment LastVAlign() const { return FLastVAlign; }

    bool NoDefaultDraw() const { return FNoDefaultDraw; }
    void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
    bool NoImageAndText() const { return FNoImageAndText; }
    void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
    // The fixed cell drawn highlighted under the pointer (-1, -1: none).
    void SetHoverFixedCell(int ACol, int ARow) { FHoverFixedX = ACol; FHoverFixedY = ARow; }

    // ---- design-time quick configuration box (NovaGrid_DesignHelper.cpp) -------------------------
    // Only a grid placed in a designer shows it; the program never sets the flag.
    void SetDesigning(bool Value) { FDesigning = Value; }
    // Item under a client point: 1 "Allow edit", 2 "Column numbers", 3 the look, 4 close; -1 none.
    int DesignHelperHitTest(int X, int Y);
    // The designer's hit test: repaints the box when the item under the pointer changed; true
    // over an item, so that the designer passes the click on.
    bool CMDesignHitTest(int X, int Y);
    void DesignHelperClickAt(int X, int Y);
    bool DesignColumnNumbers() const { return FDesignColumnNumbers; }
    // The box's rectangle in client coordinates.
    QRect DesignHelperRect();
    // The look menu of the box's third item (command = look + 1, the current look checked).
    QMenu *DesignLookMenu();
    int DesignHelperRepaints() const { return FDesignHelperRepaints; }

private:
    int designTextHeight();
    bool FDesignColumnNumbers = false;
    int FDesignHoverItem = -1;
    QPainter *FPaintingOn = nullptr; // the painter of the running Paint, for what is drawn after the cells
    int FDesignHelperRepaints = 0;
    QMenu *FDesignLookMenu = nullptr;

public:
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridBorderPropEvent OnGetCellBorderProp;
    TNotifyEvent OnPainted;

    // ============================================================================================
    // Looks, styles, themes and colour tones (NovaGrid_Looks.cpp, NovaGrid_Styles.cpp)
    // ============================================================================================
    // Switches the fixed cells, grid lines, selection and active cell to a preset.
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    void SetComponentStyle(TNovaStyle AStyle);
    TNovaStyle ComponentStyle() const { return FComponentStyle; }
    void SetTheme(TXPColorScheme Scheme);
    void SetColorTones(const TColorTones &ATones);
    const TColorTones &ColorTones() const { return FColorTones; }
    // Cell buttons take the colour tones (button style 3) on a flat grid that has tones.
    bool TonedButtons() const;
    TButtonTones ButtonTones() const;
    // The pictures of the leaf and XP node looks ("NSGLEAFOPEN", "NSGLEAFCLOSE", "XPNODEO", "XPNODEC").
    static const QImage &NodePicture(const QString &Name);
    void ApplyOfficeTheme();
    void SetEditorsStyle(TNovaStyle AStyle);
    editorkit::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(editorkit::TBorderStyle Value) { FBorderStyle = Value; PaintWindowBorder(); }


public:
    // ============================================================================================
    // Sorting (NovaGrid_Sort.cpp)
    // ============================================================================================
    // The quicksort runs over row indexes with each cell's key read once, then replays its swaps
    // through SortSwapRows in order; the grid's rows do not move while cells are compared.
    int SortDir = 1;   // +1 ascending, -1 descending (the last quicksort pass)
    int SortRow = -1;  // the row followed through the swaps
    int Compares = 0;
    int Swaps = 0;
    void Sort(int Column, TSortDirection Direction);
    void SortByColumn(int Col);
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    bool SortLine(int Col, int ARow1, int ARow2);
    void InitSortXRef();
    // 1 when the cell of ARow1 sorts after that of ARow2, -1 before, 0 equal (rows displayed).
    int CompareCells(int ACol, int ARow1, int ARow2, bool Descending);
    int CompareRows(int ACol, int Row1, int Row2);
    int CompareRowsIndexed(int Index, int Row1, int Row2);

    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;

    class SortKeys; // per-sort cache of cell texts and parsed keys

private:
    void sortRows(int Col, int Left, int Right, bool Indexed);
    void sortWithRestore(bool Indexed, bool Groups = false);
    void sortGroups(bool Indexed); // the children of each deepest expanded group on their own
    // ---- the rows of a sort moved at once, where no single swap could be seen
    bool sortMovesRowsAtOnce(int Left, int Right);
    void moveSortedRows(int Left, const std::vector<int> &src, int swaps);
    SortKeys *FSortKeys = nullptr; // set while a sort compares
    int FSortIndexedCount = 0;

public:
    // ============================================================================================
    // Search and replace (NovaGrid_Search.cpp)
    // ============================================================================================
    // The next matching cell after StartCell ((-1, -1): the first cell of the range); (-1, -1) when none.
    TPoint Find(TPoint StartCell, const QString &s, TFindParams FindParams);
    TPoint FindWide(TPoint StartCell, const QString &s, TFindParams FindParams);
    TPoint FindFirst(const QString &s, TFindParams FindParams);
    TPoint FindNext();
    // Cells changed; a cell is never changed twice by one call.
    int Replace(const QString &OrigStr, const QString &NewStr, TFindParams FindParams);
    bool IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
    void ScrollInView(int ColIndex, int RowIndex);
    TPoint SearchCell{-1, -1};
    QString SearchCache;
    QString SearchCacheWide;
    TFindParams FindParams() const { return FFindParams; }
    int FindCol = 0;
    int FindRow = 0;
    TSearchEditChangeEvent OnSearchEditChange;
    TNotifyEvent OnSearchFooterClose;

    // ============================================================================================
    // Highlighting and marking (NovaGrid_Highlight.cpp)
    // ============================================================================================
    static QString HilightText(bool DoCase, const QString &S, const QString &Text);
    static QString UnHilightText(const QString &S);
    static QString MarkText(bool DoCase, const QString &S, const QString &Text);
    static QString UnMarkText(const QString &S);
    void HilightInCell(bool DoCase, int Col, int Row, const QString &HiText);
    void MarkInCell(bool DoCase, int Col, int Row, const QString &HiText);
    void UnHilightInCell(int Col, int Row);
    void UnMarkInCell(int Col, int Row);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnMarkInCol(bool DoFixed, int Col);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnMarkInRow(bool DoFixed, int Row);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInGrid(bool DoFixed);

    // ============================================================================================
    // Typed cell values, fills and cell checks (NovaGrid_Values.cpp)
    // ============================================================================================
    int Ints(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    // The whole number a cell text starts with (sign, digits), held at the 32-bit limits; Default
    // when it starts with no digit. Editors that start from a number of the cell read it so.
    static int LeadingInt(const QString &Text, int Default = 0);
    int AllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    double AllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    TDateTime Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    QString ControlValues(int ACol, int ARow, const QString &ID);
    void SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value);
    void TextFill(bool DoFixed, const QString &Txt);
    void FormatFill(bool DoFixed, const QString &Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);

    // Column and row calculations and cell queries (NovaGrid_Calculations.cpp). Columns real, rows
    // displayed; -1 for a row bound means every normal row. A range whose ToRow lies past the shown
    // rows is read by real rows, hidden ones included. Cells that hold no number are left out of
    // sums and extremes; an empty range answers 0 and reads no cell.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    // The first cell (row by row) whose stored text equals SubStr.
    bool IsCell(const QString &SubStr, int &ACol, int &ARow);
    bool IsWideCell(int ACol, int ARow);
    // The cell's number; raises ENovaGridError "Error at position: p in Cell [c, r]." for a text
    // whose numeric part a number cannot use whole.
    double CellToReal(int ACol, int ARow);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    CFG_PLAIN_PROPERTY(int, AutoNumberStart, 0)
    CFG_PLAIN_PROPERTY(int, AutoNumberOffset, 0)
    CFG_PLAIN_PROPERTY(TSortDirection, AutoNumberDirection, sdAscending)
public:
    std::function<void(QObject *Sender, int ACol, int FromRow, int ToRow, double &Res)> OnColumnCalc;

private:
    void calcRange(int &FromRow, int &ToRow, bool &RealRows);
    bool calcTakesRow(int ACol, int r, bool RealRows);
    double calcValue(int ACol, int r, bool RealRows);
    double columnExtreme(int ACol, int FromRow, int ToRow, bool Larger);
    double rowExtreme(int ARow, int FromCol, int ToCol, bool Larger);
    bool FCalcRealRows = false; // the footer reads by real rows whatever the range

public:
    // The search bar (NovaGrid_SearchFooter.cpp): created on the first settings change.
    TSearchPanel *SearchPanel() const { return FSearchPanel; }
    void UpdateSearchFooter();
    void SearchPanelEditChange();
    void SearchPanelForwardClick();
    void SearchPanelBackwardClick();
    void SearchPanelHighlightClick();
    void SearchPanelExitClick();
    // Alt+letter of the bar's buttons while the bar is shown; true when a button acted.
    bool DialogChar(int Key);
    std::function<void(QObject *Sender)> OnCreatedSearchFooter;

    // The floating footer (NovaGrid_Footer.cpp, FloatingFooter.h): made on first use with its
    // panel, docked under the cells. Shown means visible, whatever its style.
    virtual bool FloatingFooterShown();
    TFloatingFooter *FloatingFooter();
    TFooterPanel *FooterPanel() { FloatingFooter(); return FFooterPanel; }
    // Repaints the footer panel.
    void UpdateFooter();
    // The footer's visibility, style or height changed: the last row, FixedFooters and the panel follow.
    void FloatingFooterChanged();
    void LastRowChanged() override;
    std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)> OnFooterCalc;
    std::function<void(QObject *Sender, int AColumn, TCanvas &Canvas, const TRect &ARect)> OnFooterPaint;
    TNotifyEvent OnCreatedFloatingFooter;

protected:
    void placeFooterPanel();
    TFloatingFooter *FFloatingFooter = nullptr; // child object
    TFooterPanel *FFooterPanel = nullptr;       // child widget
    // Set while rows move at store level: the row-count setter then leaves the footer row alone.
    int FStoreRowMoves = 0;
    struct StoreRowMove {
        TNovaStringGrid &g;
        explicit StoreRowMove(TNovaStringGrid &G) : g(G) { ++g.FStoreRowMoves; }
        ~StoreRowMove() { --g.FStoreRowMoves; }
    };

public:

private:
    TPoint findCellCore(TPoint StartCell, const QString &s, TFindParams FindParams, bool Wide, const QString &ws);
    bool matchCellText(int ACol, int ARow, bool Wide, QString &text);
    // The search text where it is plain ASCII (lower-cased without match case): a plain ASCII cell
    // is then matched on its stored bytes. Empty otherwise.
    std::string FSearchAscii;
    void hilightRange(const QString &Text, const QString &Tag, int R1, int R2, int C1, int C2, bool DoCase);
    void unHilightRange(const QString &Tag, int R1, int R2, int C1, int C2);
    struct FillRange { int c1, c2, r1, r2; };
    FillRange fillRange(bool DoFixed);
    TFindParams FFindParams;
    TSearchPanel *FSearchPanel = nullptr; // child widget
    void placeSearchPanel();
    TFindParams footerFlags(bool Forward, bool Backward, bool Full);
    void setSearchEditColor(TColor Color);

public:
    // ============================================================================================
    // Window messages, timer and update lock (NovaGrid_Messages.cpp)
    // ============================================================================================
    // Drawing lock: nests; while locked nothing is painted; the last EndUpdate repaints once.
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate();  // depth + 1 without stopping the window's redrawing
    void ResetUpdate();  // depth 0 (not a decrement)
    bool LockUpdate() const { return FUpdateCount > 0; }
    void SetLockUpdate(bool Value);
    int UpdateCount() const { return FUpdateCount; }
    // The grid timer (500 ms) and one of its ticks; tests fire ticks through the editor timers.
    void StartGridTimer();
    void GridTimerTick();
    int TimerTicks() const { return FTimerTicks; }
    bool BlinkPhase() const { return FGridBlink; }
    void TopLeftChanged() override;
    bool IsHoverFixedCell(int ACol, int ARow) const;
    void ResetFixedCellHighlight();

    std::function<void(QObject *Sender, const TGridRect &R)> OnCellsChanged;

    // ---- scroll bars, scroll hints and drag scrolling (NovaGrid_ScrollBars.cpp) ----------------
    // This platform has no flat scroll-bar library: the flat looks keep the window scroll bars
    // (IsFlat stays false and the flat calls do nothing); ssMetro lays slim bars over the grid.
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    // The window scroll bars after ScrollBars and ScrollBarAlways.
    void UpdateScrollBarsAlways();
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    // Thumb length of a window bar as a share of its track: the visible share of the scrolling
    // rows or columns with ScrollProportional, else 0 (the style's fixed minimum); -1 when all fit.
    double ThumbShare(Qt::Orientation Orientation) const;
    // Proportional thumbs: a 128-step range whose page is the visible share of the scrolling rows
    // (columns) and whose position follows TopRow (LeftCol); nothing while all fit.
    struct TProportionalScroll {
        bool Set = false;
        int Max = 0;
        int Page = 0;
        int Pos = 0;
    };
    void UpdateProportionalVScroll();
    void UpdateProportionalHScroll();
    const TProportionalScroll &ProportionalScroll(Qt::Orientation Orientation) const
    {
        return FPropScroll[Orientation == Qt::Vertical ? 0 : 1];
    }
    void UpdateFlatVScrollBar();
    void UpdateFlatHScrollBar();
    void FlatSetScrollInfo(Qt::Orientation Bar);
    void FlatSetScrollProp(int Index, int Value);
    void FlatShowScrollBar(Qt::Orientation Bar, bool Show);
    bool IsFlat() const { return FIsFlat; }
    void InitFlatScrollBars();
    void DoneFlatScrollBars();
    void UpdateFlatScrollBars();
    // The slim bars of ssMetro (none otherwise).
    void CreateMetroScrollBars();
    void FreeScrollControls();
    TScrollControl *VScrollControl() const { return vscrlctrl; }
    TScrollControl *HScrollControl() const { return hscrlctrl; }
    // Thumb drags of the window scroll bars (Pos counts from the first scrollable row or column).
    void VScrollThumbTrack(int Pos);
    void HScrollThumbTrack(int Pos);
    void ScrollThumbEnd();
    THTMLHintWindow *ThumbHintWindow() const { return FScrollHintWnd; }
    bool ThumbHintShowing() const { return FScrollHintShow; }
    // Something dragged over the grid (client point): scrolls over the margins.
    void DragOver(QObject *Source, int X, int Y, TDragOverState State, bool &Accept);
    int DragScrollDirection() const { return FDragScrollDirection; }
    int DragScrollInterval() const { return FDragTmr ? FDragTmr->interval() : 0; }
    bool DragScrolling() const { return FDragTmr && FDragTmr->isActive(); }
    // A scroll action of the cell scroll bar (0 line up, 1 line down, 2 page up, 3 page down,
    // 5 thumb track to Pos): true when its position changed.
    bool CellScrollBarAction(int Action, int Pos);
    // The scroll bar laid over a scroll-bar cell, and the one that draws scroll-bar cells.
    QScrollBar *CellScrollBar() const { return FScrollBar; }
    QScrollBar *PaintScrollBar() const { return FPaintScrollBar; }
    void SetCellScrollBarCell(int ACol, int ARow) { FScrollCol = ACol; FScrollRow = ARow; }

    TScrollHintEvent OnScrollHint;
    TDragScrollEvent OnDragScroll;

private:
    void showThumbHint(const QString &Text);
    void proportionalExtents(bool Vert, double &b, double &c, double &d, double &sum) const;
    bool proportionalGuard() const;
    bool proportionalRange(bool Vert, double Extent, int FitPos, double &Sum);
    TProportionalScroll FPropScroll[2];
    void dragScrollTick();
    void stopDragScroll();
    void connectWindowScrollBars();
    TScrollType FScrollType = ssNormal;
    TScrollStyle FScrollBars = ssBoth;
    TScrollBarAlways FScrollBarAlways = saNone;
    TColor FScrollColor = clNone;
    int FScrollWidth = 17;
    bool FScrollProportional = false;
    bool FIsFlat = false;
    TScrollControl *vscrlctrl = nullptr; // children of the viewport
    TScrollControl *hscrlctrl = nullptr;
    THTMLHintWindow *FScrollHintWnd = nullptr; // made on first use, a child of the grid
    bool FScrollHintShow = false;
    int FDragScrollDirection = 0;
    std::unique_ptr<editorkit::EditorTimer> FDragTmr;
    int FScrollCol = -1;
    int FScrollRow = -1;
    QScrollBar *FScrollBar = nullptr;      // the shared cell scroll bar, a child of the viewport
    QScrollBar *FPaintScrollBar = nullptr; // never shown: draws the scroll bar of scroll-bar cells
    bool FScrollBarsConnected = false;

public:

    // ============================================================================================
    // Row and column selection, current-cell changes (NovaGrid_Selection.cpp)
    // ============================================================================================
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    int RowSelectCount();
    int ColSelectCount();
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    void SyncRowSelect(bool AllRows);
    void SyncColSelect(bool AllCols);
    int ModifiedRowCount() const;
    // Enabled rows: a disabled row is skipped by navigation and shown in the disabled font colour.
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    bool UseEnabledRows() const { return FUseEnabledRows; }
    const QImage &RowIndicator() const { return FRowIndicator; }
    void SetRowIndicator(const QImage &Value) { FRowIndicator = Value; InvalidateGrid(); }
    void RepaintActiveCellHeaders(int ACol, int ARow);
    bool SelectCell(int ACol, int ARow) override;

    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

    // ---- painting state ------------------------------------------------------------------------
    void DrawCellText(TCellPaint &P);
    void DrawCellGraphic(TCanvas &Canvas, TCellPaint &P, const TRect &R);
    void paintFixedBackground(TCellPaint &P);
    void paintTreeLines(TCellPaint &P);
    // scroll bar of a scroll-bar cell, at the cell's right end
    void paintCellScrollBar(TCellPaint &P);
    void paintLookEdges(TCellPaint &P, bool ctl3D);
    void paintSelectionRectangle(TCellPaint &P, const TRect &TR);
    void paintSizingLines(QPainter &p);
    bool FNoDefaultDraw = false;
    bool FNoImageAndText = false;
    TVAlignment FLastVAlign = vtaTop;
    int FMovingCol = -1;           // column being moved (column-move state)
    bool FMouseDownMove = false;   // a header is pressed
    bool FFixedDropDownDown = false; // the header's drop-down button is pressed
    std::vector<int> FColSizingLines;
    std::vector<int> FRowSizingLines;
    TGridLook FLook = glXP;
    TNovaStyle FComponentStyle = tsWindowsXP;
    TOfficeTheme FOfficeTheme = otUnknown;
    TColorTones FColorTones;
    editorkit::TBorderStyle FBorderStyle = editorkit::bsSingle;

    // ---- messages, timer, lock -----------------------------------------------------------------
    QString versionDigits() const;
    std::unique_ptr<editorkit::EditorTimer> FGridTimer;
    int FTimerTicks = 0;
    bool FGridBlink = false;
    bool FSelChange = false;
    bool FInvokedFocusChange = false;
    bool Invokedchange = false; // the grid changed the cursor itself
    int FOwnCursorShape = -1;   // the grid's own cursor (-1: none set)
    int FPaintCount = 0;        // 0 until the first paint of a grid that is not a tab stop
    bool FDisableSize = false;  // a size handling is running

    // ---- selection -----------------------------------------------------------------------------
    void repaintRowIndicators(int ARow);
    int SearchPanelHeight() const { return FSearchFooter->Visible() ? 32 : 0; }
    std::vector<char> FRowSelect; // one flag per row, grown on demand
    std::vector<char> FColSelect;
    bool FUseEnabledRows = false;
    QImage FRowIndicator;
    int FHoverFixedX = -1; // fixed cell drawn highlighted under the pointer (-1: none)
    int FHoverFixedY = -1;

public:
    // ============================================================================================
    // Mouse input: the left button, click sorting and radio groups (NovaGrid_Mouse.cpp); the
    // double click, the right button, the platform's press and release and the fixed-cell editor
    // (NovaGrid_MouseHooks.cpp)
    // ============================================================================================
    // Selects the option of a radio group cell under a point given relative to the cell.
    void RadioGroupClick(int ACol, int ARow, int X, int Y);
    // Opens the transient editor of a fixed cell.
    void ShowFixedCellCombo(int ACol, int ARow);
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    // Milliseconds the last click sort took.
    int SortTime() const { return FSortTime; }
    // The column and row a size drag from the last press would move, and the header column or
    // fixed-column row under it (the candidate for moving); -1 when none.
    int ClickedCol() const { return Colclicked; }
    int ClickedRow() const { return Rowclicked; }
    int MoveCell() const { return Movecell; }
    // The column whose filter list is open (-1 none).
    int FilterCol() const { return FFilterCol; }

    TCanClickCellEvent OnCanClickCell;
    TClickCellEvent OnRightClickCell;
    TEndColumnSizeEvent OnEndColumnSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TCanSortEvent OnCanSort;
    TSelectionChangedEvent OnSelectionChanged;
    TFixedDropDownClickEvent OnFixedDropDownClick;
    TFixedEditEvent OnFixedEdit;
    QMenu *FixedDropDownMenu = nullptr; // not owned

    // ---- pointer movement, hover and cell hints (NovaGrid_Pointer.cpp); column and row
    //      dragging with arrows and a picture of the cells (NovaGrid_ColumnDrag.cpp)
    // The hint of the cell under a client point: its text (empty: none), where it shows (screen),
    // its widest layout (0: the hint window's own), colour, and whether it is marked up.
    struct TCellHintInfo {
        QPoint ScreenPos;
        int MaxWidth = 0;
        TColor Color = clInfoBk;
        bool Html = false;
    };
    void BuildCellHint(QPoint CursorPos, QString &HintStr, TCellHintInfo &Info);
    // Resize handler hooked into the form: the grid follows the form's size, then stretches.
    void FollowFormResize(QObject *Sender);
    // Hooks FollowFormResize into the grid's top-level window (SizeWithForm acts from then on).
    void HookFormResize();
    // A picture of the grid area under a cell range in a window that takes no activation; the
    // caller shows, moves and frees it.
    TNoActiveForm *SelectionToForm(const TGridRect &ARect);
    // The picture itself: the grid area under the range as painted.
    QImage SelectionToImage(const TGridRect &ARect);
    int HoverRowIndex() const { return FHoverRowIdx; }
    TPoint HoverFixedCell() const { return {FHoverFixedX, FHoverFixedY}; }
    TPoint HoverButtonCell() const { return FHoverButton; }
    bool SizeFixedHover() const { return FSizeFixed; }
    bool SizeFixedRowHover() const { return FSizeFixedR; }
    // Hint windows of sizing and of cells (made on first use, owned by the grid).
    THTMLHintWindow *SizingHintWindow() const { return FSizeHintWnd; }
    THTMLHintWindow *CellHintWindow() const { return FCellHintWnd; }
    bool SizingHintShown() const { return FSizeHintShow; }
    TPoint LastHintCell() const { return FLastHintPos; }
    // Selection resize handle (NovaGrid_SelectionResize.cpp): the 6 x 6 corner of the selection's
    // bottom-right cell (bottom-left when reading right to left) while SelectionResizer and
    // SelectionRectangle are on. Dragging it enlarges the selection from its top-left cell; the
    // release pastes the cells copied at the press into the new selection.
    bool IsOnResizeHandle(int X, int Y);
    bool SelectionResizing() const { return FMouseResize; }
    std::function<void(QObject *Sender, const TGridRect &OrigSelection, const TGridRect &NewSelection)>
        OnSelectionResize;
    std::function<void(QObject *Sender, const TGridRect &OrigSelection, const TGridRect &NewSelection)>
        OnSelectionResized;
    // Select-mode cursors (NovaGrid_SelectCursors.cpp): the number of the one showing, 8010 rows,
    // 8011 columns, 8012 all cells or the resize handle; 0 when none shows.
    int SelectCursorId() const { return FSelectCursorId; }
    // The drop arrows of a column or row drag (made on first use, owned by the grid).
    TArrowWindow *MoveArrow(TArrowDirection Dir);
    QWidget *MoveForm() const;
    // The cursor of a column or row drag: Qt::DragMoveCursor allowed, Qt::ForbiddenCursor refused,
    // Qt::ArrowCursor when no drag runs.
    Qt::CursorShape DragCursor() const { return FDragCursor; }
    int MoveColIndicator() const { return FMoveColInd; }
    int MoveRowIndicator() const { return FMoveRowInd; }

    std::function<void(QObject *Sender, int ACol, bool &Allow)> OnColumnMove;
    std::function<void(QObject *Sender, int ACol, bool &Allow)> OnColumnMoving;
    std::function<void(QObject *Sender, int ARow, bool &Allow)> OnRowMove;
    std::function<void(QObject *Sender, int ARow, bool &Allow)> OnRowMoving;
    std::function<void(QObject *Sender, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(QObject *Sender, int ARow, int RowSize)> OnRowSizing;
    std::function<void(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;

protected:
    bool viewportEvent(QEvent *e) override;
    bool event(QEvent *e) override;
    void CMMouseLeave();
    void showCellHint(QPoint CursorPos);
    void hideCellHint();
    void hoverSteps(int ACol, int ARow, int X, int Y);
    // The shared scroll bar laid over a hovered scroll-bar cell, and its actions.
    void cellScrollBarHover(int ACol, int ARow);
    void cellScrollBarTriggered(int Action);
    void fixedSizingHover(int ACol, int ARow, int X, int Y);
    void dragSelectRowsCols(int ACol, int ARow, int Y);
    void decideSelectMode(int ACol, int ARow, int X, int Y);
    void sizingEventsAndHint(int X, int Y);
    bool IsOnSizingBorder(int ACol, int ARow, int X) const;
    // The cursor this move claims; it is put back after the platform's own hover.
    void claimCursor(const QCursor &Cursor);
    QCursor FClaimedCursor;
    // Selection resize handle: a press on it (the platform sees the press only with
    // PlatformPress), the drag of its corner, and the release that pastes.
    void beginSelectionResize(int X, int Y, Qt::KeyboardModifiers Shift, bool PlatformPress);
    void selectionResizeMove(int X, int Y);
    void endSelectionResize();
    bool FMouseResize = false;
    // Select-mode cursors: claims the cursor of a select mode other than msNormal.
    void claimSelectCursor(TMouseSelectMode Mode);

    int FSelectCursorId = 0;
    // Enhanced column and row drag: one move event, and the release that ends it (true when
    // the release belonged to a drag).
    void enhancedDrag(int X, int Y);
    bool endEnhancedMove(int X, int Y);
    void hideMoveArrows();
    // A press on a header or fixed-column cell that may start a column or row drag.
    void enterMovingState();
    THTMLHintWindow *FSizeHintWnd = nullptr;
    THTMLHintWindow *FCellHintWnd = nullptr;
    bool FSizeHintShow = false;
    TPoint FHoverButton{-1, -1};
    TPoint FHotFixedCell{-1, -1};
    TPoint FLastHintPos{-1, -1};
    TGridRect FSizeSelection;
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    int FSizeFixedX = -1;
    int FSizeFixedY = -1;
    bool FSizingFixedCol = false; // a fixed column is being sized
    bool FSizingFixedRow = false;
    bool FCursorClaimed = false;
    Qt::CursorShape FOldCursor = Qt::ArrowCursor;
    int PrevSizeX = 0;
    int PrevSizeY = 0;
    QPointer<QWidget> FResizeForm;
    std::array<TArrowWindow *, 4> FArrows{};
    TNoActiveForm *FMoveForm = nullptr;
    Qt::CursorShape FDragCursor = Qt::ArrowCursor;
    int FMoveColInd = -1;
    int FMoveRowInd = -1;
    bool FDragStarted = false; // the enhanced drag has started its block focus
    bool FAfterUpScroll = false;

public:
    // ---- mouse wheel and middle-button panning (NovaGrid_Wheel.cpp) ----------------------------
    // Rows per wheel notch: the application's setting (a page setting gives the visible rows).
    int WheelScrollLines() const;
    // The wheel turned by Delta (angle units, 120 a notch; negative towards the user): true when
    // the grid consumed it.
    bool WheelMessage(int Delta, Qt::KeyboardModifiers Shift, QPoint Pos);
    bool DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint &MousePos) override;
    bool DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint &MousePos) override;
    bool Panning() const { return wheelpan; }
    QPoint PanOrigin() const { return wheelpanpos; }
    // Starts panning at a client point (the middle button), ends it (a button or a key).
    bool StartPanning(QPoint Pos);
    void EndPanning();
    // One tick of the pan timer, with the pointer at a client point.
    void PanStep(QPoint Pointer);
    QWidget *PanMarker() const { return FPanMarker; }
    // Number of the pan cursor showing (8000 centre, 8001 to 8008 the directions; 0 none).
    int PanCursorId() const { return FPanCursorId; }

    TMouseWheelEvent OnMouseWheelDown;
    TMouseWheelEvent OnMouseWheelUp;

protected:
    void wheelEvent(QWheelEvent *e) override;

private:
    friend class TWheelPanFilter;
    bool wheelpan = false;
    QPoint wheelpanpos;
    std::unique_ptr<editorkit::EditorTimer> FPanTimer;
    QWidget *FPanMarker = nullptr;   // child of the viewport while panning
    QObject *FPanFilter = nullptr;   // watches presses and keys while panning
    QCursor FPrevCursor;
    int FPanCursorId = 0;
    void setPanCursor(int Id);
    void installWheelPanFilter();

public:
    // Cell anchors and control tags (NovaGrid_Anchors.cpp): links and jumps under a press, the
    // editors over embedded edit and combo controls, hover underline and anchor events.
    // The anchor step of pointer movement over cell (ACol displayed, ARow) at (X, Y); true when it
    // claimed the cursor (the link cursor is showing).
    virtual bool AnchorHover(int ACol, int ARow, int X, int Y);
    // The pointer left the grid: no link stays hovered.
    void AnchorLeave();
    // Writes the open control editor's value into its CONTROL element and hides the editor.
    void StoreCellControlValue();
    // Return (Tab false) or Tab left an embedded control editor.
    void LeaveCellControl(bool Tab);
    void ControlComboSelect(int Index);
    TControlEdit *ControlEditor() const { return FEditControl; }
    TControlCombo *ControlCombo() const { return FComboControl; }
    bool ControlEditing() const { return FCtrlEditing; }
    bool ControlDown() const { return FCtrlDown; }
    QString CurrentAnchor() const { return FAnchor; }
    TPoint HoverCell() const { return FHoverCell; }
    int HoverLink() const { return FHoverlink; }
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TControlClickEvent OnControlClick;
    TControlComboListEvent OnControlComboList;
    TControlComboSelectEvent OnControlComboSelect;
    TControlClickEvent OnControlEditDone;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // The grid's handlers of the button messages; each decides when the platform's own runs.
    void WMLButtonDown(int X, int Y, Qt::KeyboardModifiers Shift);
    void WMLButtonUp(int X, int Y, Qt::KeyboardModifiers Shift);
    void WMLButtonDblClk(int X, int Y, Qt::KeyboardModifiers Shift);
    void WMRButtonDown(int X, int Y, Qt::KeyboardModifiers Shift);
    void WMRButtonUp(int X, int Y, Qt::KeyboardModifiers Shift);
    // The parts of a press, in their order (each answers true when the press ends there).
    bool pressCheckBox(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift);
    void pressSelectModes(int ACol, int ARow, Qt::KeyboardModifiers Shift);
    bool pressDisjunct(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift, const TGridRect &OldSel);
    void pressNormalCell(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift, const TGridRect &OldSel);
    // ---- cell buttons and expand buttons under the mouse (NovaGrid_CellButtonClicks.cpp) -----
    bool pressCellButton(int ACol, int ARow, int X, int Y);
    // True when the release lay on the pushed button's rectangle.
    bool releaseCellButton(int ACol, int ARow, int X, int Y);
    // ---- anchors and control tags --------------------------------------------------------------
    // A press on a link, jump anchor or control tag; true when the press ends there.
    bool AnchorPress(int ACol, int ARow, int X, int Y);
    void AnchorRelease();
    // Lays out a marked-up cell at the point as it is drawn and hit-tests it.
    bool hitTestCellMarkup(int ACol, int ARow, int X, int Y, TMarkupDrawResult &Result);
    void openAnchor(const QString &Anchor);
    TPoint FCtrlXY{-1, -1};
    QString FCtrlID;
    QString FCtrlType;
    bool FCtrlEditing = false;
    bool FCtrlDown = false;
    TControlEdit *FEditControl = nullptr;
    TControlCombo *FComboControl = nullptr;
    QString FAnchor;
    QString FLastAnchorHint;
    TPoint FHoverCell{-1, -1};
    int FHoverlink = -1;
    void releaseClickSort(int ACol, int ARow, int X, Qt::KeyboardModifiers Shift, bool AfterAutoSize);
    void ClickSort(int ACol, Qt::KeyboardModifiers Shift);
    void releaseDisjunct(int ARow, Qt::KeyboardModifiers Shift, bool &RowUnselected);
    void mouseUpDisjunctCells(int ACol, int ARow, Qt::KeyboardModifiers Shift, bool &Stop);
    void rightClickSelect(int ACol, int ARow, int X, int Y, Qt::KeyboardModifiers Shift);

    // ---- mouse state between a press and its release -------------------------------------------
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FSelectionClick = false;
    bool FDeselectState = false;
    TPoint FPushedCellButton{-1, -1};
    bool FFixedCellPushed = false;
    int Colclicked = -1;
    int Rowclicked = -1;
    int Colclickedsize = 0;
    int Rowclickedsize = 0;
    int Clickposx = 0;
    int Clickposy = 0;
    int Clickposdx = 0;
    int Clickposdy = 0;
    int MoveOfsX = 0;
    int MoveOfsY = 0;
    int Movecell = -1;
    int FMouseSelectStart = -1;
    int FPressRow = -1;          // the row of the last press (a click sort needs press and release on it)
    bool ColSized = false;       // a platform column size drag has happened since the press
    bool Rowsized = false;
    bool FDblClk = false;
    bool FRowUnselected = false; // the release unselected a disjunct row
    int FFilterCol = -1;
    bool FNoMouseLeave = false;
    int FOldKeepLeftCol = 0;
    int FSortTime = 0;

public:

protected:
    void resizeEvent(QResizeEvent *e) override;

    // Moves whole display rows with their cells, objects and heights (the cells of hidden columns
    // travel too, the store keeps every real column).
    void RemoveRowsCore(int ARow, int ACount);
    void InsertRowsCore(int ARow, int ACount);
    // Moves a display row's cells and objects into a hidden-row item, and back.
    void rowToItem(int displayRow, TGridItem &item);
    void itemToRow(TGridItem &item, int displayRow);
    void freeItemObjects(TGridItem &item);
    // Moves the shown rows of a real range into new items (inserted from pos, appended when pos
    // is negative); answers how many, and the display row of the first.
    int moveRowsIntoItems(int FromRow, int ToRow, int pos, bool keepHeight, int &firstDisplay);
    // Sets the parts of a font that a cell's properties set (colour, style, size, name).
    static void applyOwnFont(const TCellProperties &props, TFont &font);
    // A hidden row going back into the grid, at its displayed position in the grown grid.
    struct RowComeback {
        int target;
        TGridItems::TakenItem item;
    };
    // Puts hidden rows back in one pass from the bottom (targets made distinct and in range).
    void mergeRowsBack(std::vector<RowComeback> &back);
    void showCellControlsOfRow(int realRow);
    void hideCellControlOfRow(int displayRow);
    bool displayRowSelected(int r);

    // ---- state of the object ----------------------------------------------------------------
    bool FDesigning = false;
    bool FLoading = false;
    bool FLoaded = false;
    bool FWindowCreated = false;
    bool FUseHTMLHints = false;
    int FOldSize = -1;
    TAlign FAlign = alNone;
    QPointer<QWidget> FAlignWatched;
    void ApplyAlign();
    int FUpdateCount = 0;
    int FFixedRowHeight = 22;
    int FFixedRightCols = 0;
    int FFixedFooters = 0;
    int FFixedRowsMin = 0;
    int FFixedColsMin = 0;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FMinRowHeight = 0;
    int FMinColWidth = 0;
    bool FAutoSize = false;
    TAlignment FDefaultAlignment = taLeftJustify;
    TColor FNovaGradientFrom = clWhite;
    TColor FNovaGradientTo = 0;
    TColor FNovaGradientMirrorFrom = clNone;
    TColor FNovaGradientMirrorTo = clNone;
    TEditorType FCurrentEditor = edNormal;
    bool FEditDisable = false;
    bool FMouseDown = false;
    int FNumCellControls = 0;
    int FOldRowSel = -1;
    bool FIntegralHeight = false;
    int FGroupColumn = -1;
    int FFilterColumn = -1;
    QPoint XYOffset{2, 2};
    bool FIsWinXP = true;
    bool FIsWin7 = true;
    bool FIsWinVista = true;
    bool FIsComCtl6 = true;
    int FOldLeftCol = 0;
    int FOldTopRow = 0;

    // ---- sub-objects, in the order the constructor makes them ----------------------------------
    TFont FScratchFont;
    TFocusHelper *FFocusHelper = nullptr;
    TSearchFooter *FSearchFooter = nullptr;
    TNavigation *FNavigation = nullptr;
    TBands *FBands = nullptr;
    TMouseActions *FMouseActions = nullptr;
    QStringList FColumnHeaders;
    THTMLPictureCache FImageCache;
    TIntList *FOrigColSizes = nullptr;
    TFont FFixedFont;
    TFont FActiveCellFont;
    QStringList FRowHeaders;
    QStringList Sortlist;
    QStringList FLookupItems;
    TSortIndexList *FSortIndexes = nullptr;
    TIntList *FSortRowXRef = nullptr;
    TIntList *FUnSortRowXRef = nullptr;
    TIntList *FMergedColumns = nullptr;
    TCellCoordList *FSelectedCells = nullptr;
    TIntList *FSelectedRows = nullptr;
    TIntList *FModifiedRows = nullptr;
    TIntList *FEnabledRows = nullptr;
    TControlList FControlList;
    TSyncGrid *FSyncGrid = nullptr;
    TGridItems FGridItems;
    TPrintSettings *FPrintSettings = nullptr;
    THTMLSettings *FHTMLSettings = nullptr;
    TSortSettings *FSortSettings = nullptr;
    TDragDropSettings *FDragDropSettings = nullptr;
    TDragScrollOptions *FDragScrollOptions = nullptr;
    TControlLook *FControlLook = nullptr;
    TColumnSize *FColumnSize = nullptr;
    TCellNode *FCellNode = nullptr;
    TSizeWhileTyping *FSizeWhileTyping = nullptr;
    TGrouping *FGrouping = nullptr;
    TBackGround *FBackGround = nullptr;
    TGridProgressAppearance *FProgressAppearance = nullptr;
    TFilter *FFilter = nullptr;
    std::unique_ptr<TCellGraphic> FCellGraphic; // shared scratch graphic (row check boxes)
    TGridTransEdit *FEditTrans = nullptr;
    TGridTransCombo *FComboTrans = nullptr;
    THeaderDragButton *FMoveButton = nullptr;
    TColor FNovaGradientHoverFrom = clGray;
    TColor FNovaGradientHoverTo = clWhite;
    TColor FNovaGradientHoverMirrorFrom = clNone;
    TColor FNovaGradientHoverMirrorTo = clNone;
    TColor FNovaGradientHoverBorder = clSilver;
    TColor FNovaGradientDownFrom = clGray;
    TColor FNovaGradientDownTo = clSilver;
    TColor FNovaGradientDownMirrorFrom = clNone;
    TColor FNovaGradientDownMirrorTo = clNone;
    TColor FNovaGradientDownBorder = clGray;
    TIntList *FColumnOrder = nullptr;
    TIntList *FIgnoreColumns = nullptr;
    QStringList FFilterList; // kept sorted without duplicates while a column's filter is built
    TNovaStringGridCheck *FCellChecker = nullptr; // attached, not owned
    const TMarkupImageList *FGridImages = nullptr;  // attached, not owned

    // ---- hidden columns and rows ------------------------------------------------------------
    static constexpr int MaxHiddenCol = 512;
    std::array<bool, MaxHiddenCol + 1> FVisibleCol{};
    std::array<std::int16_t, MaxHiddenCol + 1> FAllColWidths{};
    // Hidden columns before each real column (entry a: among 0..a-1), kept with the flags.
    std::array<std::int16_t, MaxHiddenCol + 1> FHiddenBefore{};
    int FNumHidden = 0;
    int FFilterLevel = 0;
    bool FSelHidden = false;
    TGridRect FOldSelection;
    // ---- filter conditions parsed once for many rows
    struct ParsedFilterCondition {
        QString condition;
        bool caseSensitive;
        TFilterCondition parsed;
    };
    std::vector<ParsedFilterCondition> FParsedFilter; // by filter item, reparsed when an item changes
    QString FFilterText;                              // read buffer of the row being matched
    const TFilterCondition &parsedFilterCondition(int Index, const QString &Condition, bool CaseSensitive);
    // The text Cells answers, read into Text without building a string when no hook, cell
    // property or derived grid can change it.
    void readDisplayText(int ACol, int ARow, QString &Text);
    // No display hook, URL anchor, group count or derived grid changes a stored text on its way
    // to Cells; only a row's objects (a merged cell's base) still can.
    bool displayHooksIdle();

public:
    // ============================================================================================
    // Rows and columns: insertion, removal, moving and merging (NovaGrid_RowsCols.cpp). Rows are
    // display rows, columns real columns unless said otherwise. Whole rows move at store level with
    // every real column, so the cells of hidden columns travel with them.
    // ============================================================================================
    void InsertRows(int RowIndex, int RCount, bool UpdateCellControls);
    void AddRow();
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void AddColumn() { InsertCols(ColCount(), 1); }
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void MergeCols(int ColIndex1, int ColIndex2, const QString &Separator);
    // Places every cell control over its cell again.
    void CellControlsUpdate();
    // Column and row moves (display positions), by the platform's drag or by MoveColumn/MoveRow.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

    std::function<void(QObject *Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(QObject *Sender, int FromIndex, int ToIndex)> OnRowMoved;

    // ============================================================================================
    // Clearing, trimming and colouring cell ranges (NovaGrid_Clearing.cpp)
    // ============================================================================================
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCells();
    void Clear();
    void ClearAll();
    void ClearSelection();
    void ClearModifiedRows();
    void TrimColumn(int ACol);
    void TrimRow(int ARow);
    void TrimAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    // Takes every row node out.
    virtual void RemoveAllNodes();

    // ============================================================================================
    // Selection queries (NovaGrid_SelectionQueries.cpp)
    // ============================================================================================
    // The selection block; setting it repaints the header highlight of the active cell.
    void SetSelection(const TGridRect &Value);
    int SelectedCellsCount();
    bool SelectedCells(int i, int j);
    void SetSelectedCells(int i, int j, bool Value);
    TGridCoord SelectedCell(int Index);
    void ClearSelectedCells();
    int SelectedRowCount();
    int SelectedColCount();
    int SelectedRow(int i);
    void InvalidateCellRange(const TGridRect &R);

    // ============================================================================================
    // Header lists, repaint operations and small accessors (NovaGrid_HeaderLists.cpp)
    // ============================================================================================
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    void ClearRowHeaders();
    void ShowRowHeaders();
    void RepaintRect(const TGridRect &r);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    void SetVersion(const QString &) {}
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;
    void SetLookupItems(const QStringList *Value);
    void SplitAllColumnCells();
    void ApplyMergedColumns();
    void MergedColumnsChanged();
    bool IsLastRowAboveSearchFooter();

    // ============================================================================================
    // Column order and cell text measures (NovaGrid_ColumnOrder.cpp)
    // ============================================================================================
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnAtPosition(int ACol);
    int ColumnByHeader(const QString &AValue);
    QString GetWideCells(int i, int j) { return Cells(i, j); }
    void SetWideCells(int i, int j, const QString &Value) { SetCells(i, j, Value); }

    // Settings persistence: column arrangement, widths and positions, print settings (NovaGrid_SettingsStore.cpp)
    QString ColumnStatesToString();
    void StringToColumnStates(const QString &Value);
    void SaveColSizes();
    void LoadColSizes();
    void SavePrintSettings(const QString &Key, const QString &Section);
    void LoadPrintSettings(const QString &Key, const QString &Section);
    // The look kept in a "key=value" file (ANSI, CR LF), colours by identifier (VisualProps.cpp).
    // Save raises "Cannot Create " + FileName; Load raises "Cannot open file " + FileName, or an
    // EConvertError naming key and file for a bad value, either way before any setting changes.
    void SaveVisualProps(const QString &FileName);
    void LoadVisualProps(const QString &FileName);

protected:
    // Per-real-column layout (visibility and width) read out of the grid, changed and put back,
    // so that column operations carry hidden columns' flags and widths.
    struct ColumnLayout {
        std::vector<char> visible;
        std::vector<int> width;
    };
    ColumnLayout takeColumnLayout() const;
    void putColumnLayout(const ColumnLayout &L);
    // Settings persistence: the store ColumnSize names (none at design time or without key and section)
    struct ColumnStore;
    std::unique_ptr<ColumnStore> openColumnStore() const;
    void closeColumnStore(const ColumnStore &Store) const;
    // Removes the sorted, distinct display rows in one pass: frees their objects, moves the rows
    // below up with their heights, and keeps every per-row structure in step.
    void removeDisplayRows(const std::vector<int> &Rows);
    // Per-row structures follow a change of rows: Displ maps an old display row, Real an old real
    // row to its new index (false: the row is gone).
    void remapRowStructures(const std::function<bool(int &)> &Displ, const std::function<bool(int &)> &Real,
                            bool Controls, bool HiddenItems);
    void remapMovedRows(const std::function<bool(int &)> &Displ);
    void placeCurrentRowAfterRemoval(int OldRow, int OldTop);
    std::array<int, 512> FPrintMaxWidths{};
    std::array<int, 512> FPrintIndents{};
    bool FNilObjects = false;
    bool FBlockCellChange = false;
    bool FGridMoveColumn = false; // the column move comes from MoveColumn
    bool FSyncedMove = false;     // the move came from the synchronised grid

public:
    // ============================================================================================
    // The grid's own files: the saved area and the binary stream (NovaGrid_BinStream.cpp), the
    // text file and text stream (NovaGrid_TextFiles.cpp), CSV and fixed width (NovaGrid_Csv.cpp),
    // the save and row hooks (NovaGrid_SaveHooks.cpp)
    // ============================================================================================
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
    int SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }

    // Binary stream: records of the cells' texts, properties and graphics. Positions travel as
    // 16-bit numbers: an area beyond column or row 65535 raises ENovaGridError before anything
    // is written. A stream whose grid record is bad raises ENovaGridError before the grid changes;
    // cells that land outside the grid are skipped; bytes that are no whole record end the read.
    void SaveToBinFile(const QString &FileName);
    void LoadFromBinFile(const QString &FileName);
    void SaveToBinStream(QIODevice &Stream);
    void SaveRectToBinStream(const TRect &Rect, QIODevice &Stream);
    void LoadFromBinStream(QIODevice &Stream);
    void LoadAtPointFromBinStream(TPoint Point, QIODevice &Stream);

    // Text file: size, "cw " width lines and one line per non-empty cell, lines ended CR LF;
    // UTF-16LE with its mark when Unicode, else the ANSI code page.
    void SaveToFile(const QString &FileName, bool Unicode = false);
    void LoadFromFile(const QString &FileName);
    // Text stream: the same lines in UTF-16LE relative to the saved area; reading stops before
    // the first line that is no grid data.
    void SaveToStream(QIODevice &Stream);
    void LoadFromStream(QIODevice &Stream);

    // CSV: UTF-8 with its mark when Unicode, else the ANSI (with OemConvert the OEM) code page.
    void SaveToCSV(const QString &FileName, bool Unicode = false);
    void AppendToCSV(const QString &FileName, bool Unicode = false);
    void LoadFromCSV(const QString &FileName, int MaxRows = -1);
    void InsertFromCSV(const QString &FileName, int MaxRows = -1);
    void LoadFromCSVStream(QIODevice &Stream, int MaxRows = -1);
    // Fixed width: SaveToFixed takes column widths (missing ones are computed and added to the
    // list), LoadFromFixed 1-based start positions (n positions give n - 1 fields).
    void SaveToFixed(const QString &FileName, TIntList &Positions);
    void LoadFromFixed(const QString &FileName, TIntList &Positions, bool DoTrim = true, int MaxRows = -1);
    // HTML, XML and plain-text export (NovaGrid_HtmlXml.cpp). HTML: one CSS class per distinct
    // cell look, cell images as JPEG files under Dir + "images"; XHTML is well-formed XML. XML is
    // written in the bytes of XMLEncoding; element names must be XML names.
    QString SaveToHTMLString(const QString &Dir);
    void SaveToHTML(const QString &FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString &FileName, bool Show = false, bool Unicode = false);
    void SaveToXML(const QString &FileName, const QString &ListDescr, const QString &RecordDescr,
                   const QStringList *FieldDescr, bool ExportEmptyCells);
    void LoadFromXML(const QString &FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    void SaveToASCII(const QString &FileName, bool Unicode = false);
    void AppendToASCII(const QString &FileName, bool Unicode = false);
    // The longest line (characters) of the export texts of a real column; 0 for an empty column.
    int ColumnMaxTextLength(int ACol);
    // Bounds of an XML import: element depth and the size the grid may grow to.
    static constexpr int MaxXMLDepth = 256;
    static constexpr int MaxXMLCols = 16384;
    static constexpr int MaxXMLRows = 1048576;

    TFileProgressEvent OnFileProgress;
    TCellTextEvent OnSaveCell;
    TCellTextEvent OnLoadCell;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    // Set by every selection change.
    bool SelectionChangedFlag() const { return FSelChange; }

protected:
    // Sends a progress value (0..100) when it differs from the last one sent.
    void FileProgress(double Percent);
    void StartFileProgress() { FLastProgress = -1; }
    int FLastProgress = -1;
    // The line form of a cell text in the text files.
    static QString FileLineForm(const QString &Text);
    void applyWidthLine(const QString &Line, int Comma);
    void loadCsvLines(const QStringList &Lines, int StartRow, int MaxRows, bool Insert);
    void loadCsvBytes(const QByteArray &Data, int StartRow, int MaxRows, bool Insert);
    static QByteArray readCsvFile(const QString &FileName);
    // HTML, XML and plain-text export
    void WriteHTMLFile(const QString &FileName, bool Append, bool Unicode, bool Show);
    void WriteASCIIFile(const QString &FileName, bool Append, bool Unicode);
    QString SaveCellImage(const QImage &Image, const QString &Dir);
    int FImageCounter = 0;

private:
    void updateHiddenColumnTable();
    void repaintCellAt(int ACol, int ARow);
};

