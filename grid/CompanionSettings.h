#pragma once
// Plain value holders of the string grid: grouping looks, OLE drag-and-drop switches, drag
// scrolling delays and margins, and the look of progress-bar cells.
#include "grid/GridSettingsHost.h"
#include "grid/base/GridOptions.h"
#include "grid/base/GridTypes.h"

#include <QObject>
#include <QString>


class TGrouping : public QObject {
public:
    explicit TGrouping(QObject *AParent = nullptr) : QObject(AParent) {}
    // Copies everything but the header and summary line colours and widths.
    void Assign(const TGrouping &Source);

    CFG_PLAIN_PROPERTY(bool, AutoSelectGroup, false)
    CFG_PLAIN_PROPERTY(bool, AutoCheckGroup, false)
    CFG_PLAIN_PROPERTY(QString, GroupCountFormat, QString())
    CFG_PLAIN_PROPERTY(TColor, HeaderColor, clNone)
    CFG_PLAIN_PROPERTY(TColor, HeaderColorTo, clNone)
    CFG_PLAIN_PROPERTY(TColor, HeaderTextColor, clNone)
    CFG_PLAIN_PROPERTY(bool, HeaderUnderline, false)
    CFG_PLAIN_PROPERTY(TColor, HeaderLineColor, clBlue)
    CFG_PLAIN_PROPERTY(int, HeaderLineWidth, 2)
    CFG_PLAIN_PROPERTY(bool, MergeHeader, false)
    CFG_PLAIN_PROPERTY(bool, MergeSummary, false)
    CFG_PLAIN_PROPERTY(bool, ShowGroupCount, false)
    CFG_PLAIN_PROPERTY(bool, Summary, false)
    CFG_PLAIN_PROPERTY(TColor, SummaryColor, clNone)
    CFG_PLAIN_PROPERTY(TColor, SummaryColorTo, clNone)
    CFG_PLAIN_PROPERTY(TColor, SummaryTextColor, clNone)
    CFG_PLAIN_PROPERTY(bool, SummaryLine, false)
    CFG_PLAIN_PROPERTY(TColor, SummaryLineColor, clBlue)
    CFG_PLAIN_PROPERTY(int, SummaryLineWidth, 2)
};

class TDragDropSettings : public QObject {
public:
    explicit TDragDropSettings(IGridSettingsHost *AGrid = nullptr) : QObject(SettingsParent(AGrid)), FGrid(AGrid) {}
    // Copies every value directly, without the setters' effects.
    void Assign(const TDragDropSettings &Source);

    CFG_PLAIN_PROPERTY(bool, ShowCells, true)
    CFG_PLAIN_PROPERTY(bool, OleAcceptFiles, true)
    CFG_PLAIN_PROPERTY(bool, OleAcceptText, true)
    CFG_PLAIN_PROPERTY(bool, OleAcceptURLs, true)
    CFG_PLAIN_PROPERTY(bool, OleAppendRows, false)
    CFG_PLAIN_PROPERTY(bool, OleColumnDragDrop, false)
    CFG_PLAIN_PROPERTY(bool, OleColumnReorder, false)
    CFG_PLAIN_PROPERTY(bool, OleColumnsOnly, false)
    CFG_PLAIN_PROPERTY(bool, OleCopyAlways, false)
public:
    // Outside design time, on registers the grid as a drop target and off revokes a registration
    // that was made.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    // Whether the grid is registered as a drop target now.
    bool DropTargetRegistered() const { return FRegistered; }
    CFG_PLAIN_PROPERTY(bool, OleDropSource, false)
    CFG_PLAIN_PROPERTY(bool, OleEntireRows, false)
    CFG_PLAIN_PROPERTY(bool, OleInsertRows, false)
    CFG_PLAIN_PROPERTY(bool, OleRemoveRows, false)
public:
    // Also switches the acceptance of rich text in the grids' shared drop code.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);

    // Registration with the platform's drag and drop, installed by the grid's drop support;
    // without them nothing is registered.
    std::function<bool()> OnRegisterDropTarget;
    std::function<void()> OnRevokeDropTarget;

private:
    IGridSettingsHost *FGrid;
    bool FOleDropTarget = false;
    bool FRegistered = false;
    bool FOleDropRTF = false;
};

class TDragScrollDelays {
public:
    void Assign(const TDragScrollDelays &Source)
    {
        FInitialDelay = Source.FInitialDelay;
        FRepeatDelay = Source.FRepeatDelay;
    }
    CFG_PLAIN_PROPERTY(int, InitialDelay, 1000) // milliseconds
    CFG_PLAIN_PROPERTY(int, RepeatDelay, 250)
};

class TDragScrollMargins {
public:
    void Assign(const TDragScrollMargins &Source)
    {
        FTopMargin = Source.FTopMargin;
        FBottomMargin = Source.FBottomMargin;
        FLeftMargin = Source.FLeftMargin;
        FRightMargin = Source.FRightMargin;
    }
    CFG_PLAIN_PROPERTY(int, TopMargin, 50) // pixels
    CFG_PLAIN_PROPERTY(int, BottomMargin, 50)
    CFG_PLAIN_PROPERTY(int, LeftMargin, 50)
    CFG_PLAIN_PROPERTY(int, RightMargin, 50)
};

class TDragScrollOptions : public QObject {
public:
    explicit TDragScrollOptions(QObject *AParent = nullptr) : QObject(AParent) {}
    void Assign(const TDragScrollOptions &Source)
    {
        FMargins.Assign(Source.FMargins);
        FDelays.Assign(Source.FDelays);
        FActive = Source.FActive;
    }
    CFG_PLAIN_PROPERTY(bool, Active, false)
public:
    TDragScrollDelays &Delays() { return FDelays; }
    const TDragScrollDelays &Delays() const { return FDelays; }
    TDragScrollMargins &Margins() { return FMargins; }
    const TDragScrollMargins &Margins() const { return FMargins; }

private:
    TDragScrollDelays FDelays;
    TDragScrollMargins FMargins;
};

enum TProgressStyle : std::uint8_t { psXP, psClassic };

// Every setter stores and fires OnChange when the value differs (the grid repaints).
class TGridProgressAppearance : public QObject {
public:
    explicit TGridProgressAppearance(QObject *AParent = nullptr) : QObject(AParent) {}
    // Copies every value and Style, then fires OnChange once.
    void Assign(const TGridProgressAppearance &Source);

#define CFG_NOTIFYING(Type, Name, Default)                                                       \
public:                                                                                          \
    Type Name() const { return F##Name; }                                                        \
    void Set##Name(Type Value) { change(F##Name, Value); }                                       \
                                                                                                 \
private:                                                                                         \
    Type F##Name = Default;
    CFG_NOTIFYING(TColor, CompleteColor, clRed)
    CFG_NOTIFYING(TColor, CompleteFontColor, clBlue)
    CFG_NOTIFYING(TColor, UnCompleteColor, clNone)
    CFG_NOTIFYING(TColor, UnCompleteFontColor, clWindowText)
    CFG_NOTIFYING(TColor, Level0Color, 0x00FF00)
    CFG_NOTIFYING(TColor, Level0ColorTo, 0xE1FFE1)
    CFG_NOTIFYING(TColor, Level1Color, 0x00FFFF)
    CFG_NOTIFYING(TColor, Level1ColorTo, 0xCAFFFF)
    CFG_NOTIFYING(TColor, Level2Color, 0x53A9FF)
    CFG_NOTIFYING(TColor, Level2ColorTo, 0xA8D3FF)
    CFG_NOTIFYING(TColor, Level3Color, 0x0000FF)
    CFG_NOTIFYING(TColor, Level3ColorTo, 0xCACAFF)
    CFG_NOTIFYING(int, Level1Perc, 70)
    CFG_NOTIFYING(int, Level2Perc, 90)
    CFG_NOTIFYING(TColor, BorderColor, clBlack)
    CFG_NOTIFYING(bool, ShowBorder, false)
    CFG_NOTIFYING(bool, Stacked, false)
    CFG_NOTIFYING(bool, ShowPercentage, true)
    CFG_NOTIFYING(bool, CompletionSmooth, true)
    CFG_NOTIFYING(bool, ShowGradient, true)
    CFG_NOTIFYING(int, Steps, 11)
    CFG_NOTIFYING(TProgressStyle, Style, psXP)
#undef CFG_NOTIFYING

public:
    TNotifyEvent OnChange;

private:
    template <typename T>
    void change(T &field, T Value)
    {
        if (storeIfChanged(field, Value))
            FireEvent(OnChange, this);
    }
};

