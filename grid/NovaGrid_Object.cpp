// The string grid object: construction with its sub-objects and defaults, destruction, copying
// from another grid, and the row, column and fixed-size properties.
#include "grid/NovaGrid.h"
#include "grid/CellControlEditors.h"
#include "grid/FilterDropDown.h"
#include "grid/FloatingFooter.h"
#include "grid/GridDropTarget.h"
#include "grid/GridEditorControls.h"
#include "grid/HtmlHintWindow.h"
#include "grid/SearchPanel.h"
#include "grid/base/FeedbackWindows.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cmath>

TNovaStringGrid::TNovaStringGrid(QWidget *AOwner) : TBaseGrid(AOwner)
{
    // Forms of this program are built in code: a grid is never placed in a designer.
    FDesigning = false;

    // Sub-objects, in their order.
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->hide();
    createSearchPanel();
    FScratchFont = Font();
    FFocusHelper = new TFocusHelper(this);
    FSearchFooter = new TSearchFooter(this, FDesigning);
    FSearchFooter->OnChange = [this](QObject *) { UpdateSearchFooter(); };
    FFloatingFooter = new TFloatingFooter(this);
    FFloatingFooter->SetHeight(DefaultRowHeight());
    FPrintSettings = new TPrintSettings(this);
    FHTMLSettings = new THTMLSettings(this);
    FSortSettings = new TSortSettings(this);
    FDragDropSettings = new TDragDropSettings(this);
    FDragScrollOptions = new TDragScrollOptions(this);
    FControlLook = new TControlLook(this);
    FNavigation = new TNavigation(this);
    FNavigation->OnChange = [this](QObject *) { NavigationChanged(); };
    FColumnSize = new TColumnSize(this);
    FCellNode = new TCellNode(this);
    FBands = new TBands(this);
    FBands->OnChange = [this](QObject *) { InvalidateGrid(); };
    FSizeWhileTyping = new TSizeWhileTyping(this);
    FMouseActions = new TMouseActions(this);
    FMouseActions->OnChange = [this](QObject *) { MouseActionsChanged(); };
    FMouseActions->OnIsDesigning = [this](QObject *, bool &d) { IsDesigning(d); };
    FMouseActions->OnInvalidate = [this](QObject *) { MouseActionsInvalidate(); };
    FGrouping = new TGrouping(this);
    FOrigColSizes = new TIntList(-1, -1, this);
    FFixedFont = Font();
    FFixedFont.Name = QStringLiteral("Tahoma");
    FFixedFont.Style = TFontStyles{fsBold};
    FActiveCellFont = Font();
    FActiveCellFont.Style = TFontStyles{fsBold};
    FSortIndexes = new TSortIndexList(this);
    FSortRowXRef = new TIntList(-1, -1, this);
    FUnSortRowXRef = new TIntList(-1, -1, this);
    FMergedColumns = new TIntList(-1, -1, this);
    FMergedColumns->OnChange = [this](QObject *, int, int) { MergedColumnsChanged(); };
    FSelectedCells = new TCellCoordList(this);
    FSelectedRows = new TIntList(-1, -1, this);
    FModifiedRows = new TIntList(-1, -1, this);
    FEnabledRows = new TIntList(-1, -1, this);
    FBackGround = new TBackGround(this);
    FScrollHintWnd = new THTMLHintWindow(this);
    FProgressAppearance = new TGridProgressAppearance(this);
    FProgressAppearance->OnChange = [this](QObject *) { InvalidateGrid(); };
    FSyncGrid = new TSyncGrid(this);
    FFilter = new TFilter(this);
    FBalloon = new TBalloonSettings(this);
    FBalloon->OnEnableChange = [this](QObject *) { BalloonEnableChanged(); };
    FShowModified = new TShowModified(this);
    FShowModified->OnChange = [this](QObject *) { InvalidateCol(0); };
    FColumnOrder = new TIntList(-1, -1, this);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = new TIntList(-1, -1, this);
    createFilterLists();
    connectWindowScrollBars();
    installWheelPanFilter();

    // Sizes through their setters.
    SetRowCount(10);
    resize(400, 250);
    FAutoSize = false;

    // Visible-column table, texts, heights, look and system facts.
    FVisibleCol.fill(true);
    FAllColWidths.fill(0);
    FHiddenBefore.fill(0);
    SetDefaultRowHeight(22);
    SetFixedRowHeight(DefaultRowHeight());
    FNovaGradientTo = ColorToRGB(clBtnFace);
    FScrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    FIsWinXP = IsWindowsXPOrLater();
    FIsComCtl6 = IsComCtl6OrLater();
    FIsWinVista = IsWindowsVistaOrLater();
    FBorderColor = FIsWinXP ? TColor(0xB99D7F) : clGray;
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    FNormalRowCount = RowCount();

    // Run-time controls (a grid placed in a designer has none).
    if (!FDesigning)
        createRunTimeControls();
    installDropSupport();
}

void TNovaStringGrid::createRunTimeControls()
{
    FFocusWindow = new TGridFocusWindow(this);
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight}) {
        FArrows[std::size_t(d)] = new TArrowWindow(this, d);
        FArrows[std::size_t(d)]->hide();
    }
    FEditCombo = new TGridCombo(this);
    FEditCombo->SetIsWinXP(FIsWinXP);
    FEditCombo->SetIsVista(FIsWinVista && FIsComCtl6);
    FEditTrans = new TGridTransEdit(this, this);
    FEditTrans->setFrame(false);
    FComboTrans = new TGridTransCombo(this, this);
    FEditCheck = new TGridCheckBox(this);
    FEditBtn = new TGridEditBtn(this);
    FEditBtn->SetButtonCaption(QStringLiteral("..."));
    FEditBtn->SetBorderStyle(editorkit::bsNone);
    FEditBtn->SetIsWinXP(FIsWinXP);
    FUnitEditBtn = new TGridUnitEditBtn(this);
    FUnitEditBtn->SetButtonCaption(QStringLiteral("..."));
    FUnitEditBtn->SetBorderStyle(editorkit::bsNone);
    FUnitEditBtn->OnUnitChanged = [this](QObject *Sender, const QString &NewUnit) { DoUnitChanged(Sender, NewUnit); };
    FGridButton = new TGridButton(this);
    QObject::connect(FGridButton, &QPushButton::clicked, this, [this] { GridButtonClick(); });
    FMoveButton = new THeaderDragButton(this, this);
    FEditControl = new TControlEdit(this);
    FEditControl->hide();
    FEditControl->OnExit = [this](QObject *) { StoreCellControlValue(); };
    FComboControl = new TControlCombo(this);
    FComboControl->hide();
    FComboControl->OnExit = [this](QObject *) { StoreCellControlValue(); };
    QObject::connect(FComboControl, qOverload<int>(&QComboBox::activated), this,
                     [this](int index) { ControlComboSelect(index); });
    // The cell scroll bar sits over a cell's right edge; the other one only draws scroll-bar cells.
    FScrollBar = new QScrollBar(Qt::Vertical, viewport());
    FScrollBar->setFocusPolicy(Qt::NoFocus);
    FScrollBar->hide();
    connect(FScrollBar, &QAbstractSlider::actionTriggered, this, [this](int a) { cellScrollBarTriggered(a); });
    FPaintScrollBar = new QScrollBar(Qt::Vertical, this);
    FPaintScrollBar->setFocusPolicy(Qt::NoFocus);
    FPaintScrollBar->hide();
}

TNovaStringGrid::~TNovaStringGrid()
{
    // Column widths kept by ColumnSize.Save go with the grid; a store that cannot be written is
    // only reported, as nothing could catch an error here.
    if (FColumnSize->Save()) {
        try {
            SaveColSizes();
        } catch (const std::exception &e) {
            qWarning("%s", e.what());
        }
    }
    ReleaseEditors();
    FClearTextOnly = false;
    FSaveHiddenCells = false;
    // Hidden rows own their cells' objects while they are hidden.
    for (int i = 0; i < FGridItems.Count(); ++i)
        freeItemObjects(*FGridItems.Items(i));
    FGridItems.Clear();
    // The base grid frees every property object still in the cell store.
}

void TNovaStringGrid::Assign(QObject *Source)
{
    auto *src = dynamic_cast<TNovaStringGrid *>(Source);
    if (!src || src == this)
        return;
    SetFont(src->Font());
    FActiveCellColor = src->FActiveCellColor;
    FActiveCellColorTo = src->FActiveCellColorTo;
    FActiveCellFont = src->FActiveCellFont;
    FActiveCellShow = src->FActiveCellShow;
    SetActiveRowShow(src->ActiveRowShow());
    SetAlign(src->Align());
    FFilterDropDown->Assign(*src->FFilterDropDown);
    FAnchorHint = src->FAnchorHint;
    FAutoNumAlign = src->FAutoNumAlign;
    FAutoSize = src->FAutoSize;
    FAutoThemeAdapt = src->FAutoThemeAdapt;
    FAutoFilterUpdate = src->FAutoFilterUpdate;
    FMouseActions->Assign(*src->FMouseActions);
    FNavigation->Assign(*src->FNavigation);
    FGrouping->Assign(*src->FGrouping);
    FSearchFooter->Assign(*src->FSearchFooter);
    FPrintSettings->Assign(*src->FPrintSettings);
    FFilter->Assign(*src->FFilter);
    FHTMLSettings->Assign(*src->FHTMLSettings);
    FBands->Assign(*src->FBands);
    FCellNode->Assign(*src->FCellNode);
    FSortSettings->Assign(*src->FSortSettings);
    FDragScrollOptions->Assign(*src->FDragScrollOptions);
    FDragDropSettings->Assign(*src->FDragDropSettings);
    FProgressAppearance->Assign(*src->FProgressAppearance);
    FColumnSize->Assign(*src->FColumnSize);
    FSyncGrid->Assign(*src->FSyncGrid);
    FFocusHelper->Assign(*src->FFocusHelper);
    FFixedRowAlways = src->FFixedRowAlways;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->FixedRows());
    SetFixedCols(src->FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    SetFixedRowHeight(src->FixedRowHeight());
    SetFixedColWidth(src->FixedColWidth());
    FInvalidEntryTitle = src->FInvalidEntryTitle;
    FInvalidEntryIcon = src->FInvalidEntryIcon;
    FInvalidEntryText = src->FInvalidEntryText;
    SetOptions(src->Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src->ColWidths(c));
    SetColumnHeaders(src->FColumnHeaders);
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src->RowHeights(r));
    FScrollProportional = src->FScrollProportional;
    FScrollSynch = src->FScrollSynch;
    FScrollWidth = src->FScrollWidth;
    FScrollHints = src->FScrollHints;
    FScrollBarAlways = src->FScrollBarAlways;
    SetScrollBars(src->FScrollBars);
    SetScrollColor(src->FScrollColor);
    SetScrollType(src->FScrollType);
    SetScrollWidth(src->FScrollWidth);
    AssignCells(src);
}

// ---- life cycle ------------------------------------------------------------------------------------

void TNovaStringGrid::Loaded()
{
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FDropTarget) {
        FDropTarget->AcceptText = FDragDropSettings->OleAcceptText();
        FDropTarget->AcceptFiles = FDragDropSettings->OleAcceptFiles();
        FDropTarget->AcceptURLs = FDragDropSettings->OleAcceptURLs();
    }
    if (FLook == glNova) {
        // Through the setter, so that the look's colours take effect.
        FLook = glCustom;
        SetLook(glNova);
    }
    if (FAutoSize)
        AutoSizeColumns(false, 4);
    if (FColumnSize->Save())
        LoadColSizes();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation->SetAlwaysEdit(true);
        SetOptions(Options().Exclude(goAlwaysShowEditor));
    }
    if (!FIsWinXP && FControlLook->ControlStyle() == csTheme && !FDesigning)
        FControlLook->SetControlStyle(csClassic);
    FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
    UpdateSearchFooter();
    UpdateScrollBarsAlways();
    if (FAutoThemeAdapt && !FDesigning) {
        // Registers with the theme notifier and applies the current theme.
        FAutoThemeAdapt = false;
        SetAutoThemeAdapt(true);
    }
    InitOrigColSizes();
    SetColumnOrder();
    if (FBalloon->Enable())
        BalloonInit();
    ApplyStyleColors();
}

void TNovaStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c)
        FOrigColSizes->Add(ColWidths(c));
    FOldSize = width();
}

// ---- placement in the parent -------------------------------------------------------------------------

void TNovaStringGrid::SetAlign(TAlign Value)
{
    if (FAlignWatched)
        FAlignWatched->removeEventFilter(this);
    FAlign = Value;
    FAlignWatched = Value == alNone ? nullptr : parentWidget();
    if (FAlignWatched)
        FAlignWatched->installEventFilter(this);
    ApplyAlign();
}

void TNovaStringGrid::ApplyAlign()
{
    QWidget *p = parentWidget();
    if (FAlign == alNone || !p)
        return;
    const int pw = p->width(), ph = p->height();
    switch (FAlign) {
    case alTop: setGeometry(0, 0, pw, height()); break;
    case alBottom: setGeometry(0, ph - height(), pw, height()); break;
    case alLeft: setGeometry(0, 0, width(), ph); break;
    case alRight: setGeometry(pw - width(), 0, width(), ph); break;
    case alClient: setGeometry(0, 0, pw, ph); break;
    case alNone: break;
    }
}

// ---- dimensions ----------------------------------------------------------------------------------

void TNovaStringGrid::SetRowCount(int Value)
{
    // The store keeps rows past the count; the rows the grid grows by must not bring old texts back.
    TGridCellStore &store = Store();
    for (int r = store.NextRow(TBaseGrid::RowCount()); r >= 0 && r < Value; r = r == INT_MAX ? -1 : store.NextRow(r + 1)) {
        FreeCellPropertiesRange(0, r, INT_MAX, r);
        for (int c = store.CellsInRow(r) - 1; c >= 0; --c) store.SetText(c, r, QString());
    }
    if (TBaseGrid::RowCount() == TBaseGrid::FixedRows() && FFixedRowAlways && FSelHidden)
        UnHideSelection();
    const int old = TBaseGrid::RowCount();
    TBaseGrid::SetRowCount(Value);
    if (Value > FFixedRowsMin && FFixedRowAlways)
        TBaseGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    UpdateFooter();
    UpdateProportionalVScroll();
    UpdateProportionalHScroll();
    UpdateScrollBarsAlways();
    if (FScrollType == ssFlat || FScrollType == ssEncarta)
        UpdateFlatScrollBars();
    const int now = TBaseGrid::RowCount();
    if (FloatingFooterShown() && FStoreRowMoves == 0 && now != old) {
        // The footer row stays last, its cells and their calculations with it.
        FreeCellPropertiesRange(0, now - 1, INT_MAX, now - 1);
        store.PutRow(now - 1, store.TakeRow(old - 1));
        CalcFooter(-1);
    }
}

void TNovaStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (Value > FFixedColsMin && FFixedColAlways)
        TBaseGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, Value);
    UpdateFooter();
    // IntegralHeight depends on whether every column is in view.
    if (FIntegralHeight)
        SetBounds(x(), y(), width(), height());
    UpdateProportionalHScroll();
    UpdateProportionalVScroll();
    UpdateScrollBarsAlways();
}

int TNovaStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FFixedRowAlways ? 1 : n;
}

void TNovaStringGrid::SetFixedRows(int Value)
{
    if (Value >= RowCount() && FFixedRowAlways)
        TBaseGrid::SetFixedRows(RowCount() - 1);
    else
        TBaseGrid::SetFixedRows(Value);
    if (!FLoading)
        FFixedRowsMin = Value;
}

int TNovaStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FFixedColAlways ? 1 : n;
}

void TNovaStringGrid::SetFixedCols(int Value)
{
    if (Value >= ColCount() && FFixedColAlways)
        TBaseGrid::SetFixedCols(ColCount() - 1);
    else
        TBaseGrid::SetFixedCols(Value);
    if (!FLoading)
        FFixedColsMin = Value;
}

void TNovaStringGrid::SetFixedColWidth(int Value)
{
    if (FLoading || Value == DefaultColWidth())
        return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
        SetColWidths(c, Value);
}

void TNovaStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (FLoading)
        return;
    if (Value == DefaultRowHeight()) {
        SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
        SetRowHeights(r, Value);
}

void TNovaStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (FDesigning)
        FFixedRowHeight = Value;
    if (FFloatingFooter) {
        FFloatingFooter->SetHeight(Value);
        if (FFloatingFooter->Visible())
            placeFooterPanel();
    }
}

void TNovaStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (FDefaultAlignment == Value)
        return;
    FDefaultAlignment = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetWordWrap(bool Value)
{
    TBaseGrid::SetWordWrap(Value);
    if (FUpdateCount == 0)
        InvalidateGrid();
}

// ---- colours, fonts and header lists --------------------------------------------------------------

void TNovaStringGrid::SetNovaGradientFrom(TColor Value)
{
    FNovaGradientFrom = ColorToRGB(Value);
    InvalidateGrid();
}

void TNovaStringGrid::SetNovaGradientTo(TColor Value)
{
    FNovaGradientTo = ColorToRGB(Value);
    InvalidateGrid();
}

void TNovaStringGrid::SetNovaGradientMirrorFrom(TColor Value)
{
    FNovaGradientMirrorFrom = Value == clNone ? clNone : ColorToRGB(Value);
    InvalidateGrid();
}

void TNovaStringGrid::SetNovaGradientMirrorTo(TColor Value)
{
    FNovaGradientMirrorTo = Value == clNone ? clNone : ColorToRGB(Value);
    InvalidateGrid();
}

void TNovaStringGrid::SetFixedFont(const TFont &Value)
{
    FFixedFont = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetActiveCellFont(const TFont &Value)
{
    FActiveCellFont = Value;
    InvalidateGrid();
}



void TNovaStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (auto *other = dynamic_cast<TNovaStringGrid *>(FSyncGrid->Grid()))
        if (FSyncGrid->SelectionColumn())
            other->SetCol(Col());
}

void TNovaStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const int s = VisibleColCount() + FixedCols() < ColCount() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        const int b = frameShape() != QFrame::NoFrame ? 2 : 0;
        const int h = AHeight - s - b;
        AHeight = AHeight - (h % DefaultRowHeight()) + b;
    }
    setGeometry(ALeft, ATop, AWidth, AHeight);
}

void TNovaStringGrid::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    SetBounds(x(), y(), width(), height());
}

void TNovaStringGrid::resizeEvent(QResizeEvent *e)
{
    // The platform's own size handling always runs: the viewport and the scroll ranges follow it.
    TBaseGrid::resizeEvent(e);
    placeSearchPanel();
    placeFooterPanel();
    if (FDesigning)
        return;
    // Columns keep their share of the width recorded by InitOrigColSizes.
    if (FColumnSize->SynchWithGrid() && FOldSize > 0) {
        HideInplaceEdit();
        const int w = width() + (frameShape() != QFrame::NoFrame ? 2 : 0);
        const double factor = double(w) / FOldSize;
        const bool normal = FColumnSize->SynchNormalCellsOnly();
        const int from = normal ? FixedCols() : 0;
        const int to = normal ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
        for (int c = from; c <= to && c < FOrigColSizes->Count(); ++c)
            SetColWidths(c, int(std::trunc(FOrigColSizes->Items(c) * factor)));
    }
    bool stretched = false;
    if (FColumnSize->Stretch() && (FScrollBarAlways == saNone || FScrollBarAlways == saVert) && ColCount() > 0) {
        int sc = FColumnSize->StretchColumn();
        if (sc == -1)
            sc = ColCount() - 1;
        int others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != sc)
                others += ColWidths(c);
        if (others < width()) {
            SettingsStretchColumn(FColumnSize->StretchColumn());
            stretched = true;
        }
        // The window bars after the stretch.
        if (FScrollBarAlways == saNone) {
            const int sw = sc >= 0 && sc < ColCount() ? ColWidths(sc) : 0;
            if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
                setHorizontalScrollBarPolicy(ClientWidth() < others + sw ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            if (FScrollBars == ssVertical || FScrollBars == ssBoth)
                setVerticalScrollBarPolicy(VisibleRowCount() < RowCount() - FixedRows() ? Qt::ScrollBarAlwaysOn
                                                                                       : Qt::ScrollBarAlwaysOff);
        }
        if (stretched && FScrollBarAlways == saNone) {
            FireEvent(OnGridResize, this);
            return;
        }
    }
    if (FScrollProportional) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    }
    FireEvent(OnResize, this);
    if (!stretched && !FDisableSize) {
        FDisableSize = true;
        UpdateFlatVScrollBar();
        UpdateFlatHScrollBar();
        FlatShowScrollBar(Qt::Horizontal, VisibleColCount() + FixedCols() < ColCount());
        FlatShowScrollBar(Qt::Vertical, VisibleRowCount() + FixedRows() < RowCount());
        if (FScrollBars == ssNone || FScrollBars == ssVertical)
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (FScrollBars == ssNone || FScrollBars == ssHorizontal)
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FDisableSize = false;
    }
}

void TNovaStringGrid::CalcSizingState(int x, int y, TGridState &state, int &index, int &sizingPos)
{
    TBaseGrid::CalcSizingState(x, y, state, index, sizingPos);
    int c = -1, r = -1;
    if (state == gsColSizing && OnColumnSize) {
        MouseToCell(x - 6, y, c, r);
        if (r >= 0 && r < FixedRows() && c >= 0) {
            bool allow = true;
            OnColumnSize(this, c, allow);
            if (!allow)
                state = gsNormal;
        }
    }
    if (state == gsRowSizing && OnRowSize) {
        MouseToCell(x, y - 6, c, r);
        if (c >= 0 && c < FixedCols() && r >= 0) {
            bool allow = true;
            OnRowSize(this, r, allow);
            if (!allow)
                state = gsNormal;
        }
    }
}
