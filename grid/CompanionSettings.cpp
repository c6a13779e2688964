#include "grid/CompanionSettings.h"

#include "grid/base/GridDragDrop.h"

void TGrouping::Assign(const TGrouping &Source)
{
    FAutoSelectGroup = Source.FAutoSelectGroup;
    FAutoCheckGroup = Source.FAutoCheckGroup;
    FGroupCountFormat = Source.FGroupCountFormat;
    FHeaderColor = Source.FHeaderColor;
    FHeaderColorTo = Source.FHeaderColorTo;
    FHeaderTextColor = Source.FHeaderTextColor;
    FHeaderUnderline = Source.FHeaderUnderline;
    FMergeHeader = Source.FMergeHeader;
    FMergeSummary = Source.FMergeSummary;
    FShowGroupCount = Source.FShowGroupCount;
    FSummary = Source.FSummary;
    FSummaryColor = Source.FSummaryColor;
    FSummaryColorTo = Source.FSummaryColorTo;
    FSummaryTextColor = Source.FSummaryTextColor;
    FSummaryLine = Source.FSummaryLine;
}

void TDragDropSettings::Assign(const TDragDropSettings &Source)
{
    FShowCells = Source.FShowCells;
    FOleAcceptFiles = Source.FOleAcceptFiles;
    FOleAcceptText = Source.FOleAcceptText;
    FOleAcceptURLs = Source.FOleAcceptURLs;
    FOleAppendRows = Source.FOleAppendRows;
    FOleColumnDragDrop = Source.FOleColumnDragDrop;
    FOleColumnReorder = Source.FOleColumnReorder;
    FOleColumnsOnly = Source.FOleColumnsOnly;
    FOleCopyAlways = Source.FOleCopyAlways;
    FOleDropTarget = Source.FOleDropTarget;
    FOleDropSource = Source.FOleDropSource;
    FOleEntireRows = Source.FOleEntireRows;
    FOleInsertRows = Source.FOleInsertRows;
    FOleRemoveRows = Source.FOleRemoveRows;
    FOleDropRTF = Source.FOleDropRTF;
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (FGrid && FGrid->SettingsDesigning())
        return;
    if (Value) {
        if (!FRegistered && OnRegisterDropTarget)
            FRegistered = OnRegisterDropTarget();
    } else if (FRegistered) {
        if (OnRevokeDropTarget)
            OnRevokeDropTarget();
        FRegistered = false;
    }
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    SetAcceptRTFDrop(Value);
}

void TGridProgressAppearance::Assign(const TGridProgressAppearance &Source)
{
    FCompleteColor = Source.FCompleteColor;
    FCompleteFontColor = Source.FCompleteFontColor;
    FUnCompleteColor = Source.FUnCompleteColor;
    FUnCompleteFontColor = Source.FUnCompleteFontColor;
    FLevel0Color = Source.FLevel0Color;
    FLevel0ColorTo = Source.FLevel0ColorTo;
    FLevel1Color = Source.FLevel1Color;
    FLevel1ColorTo = Source.FLevel1ColorTo;
    FLevel2Color = Source.FLevel2Color;
    FLevel2ColorTo = Source.FLevel2ColorTo;
    FLevel3Color = Source.FLevel3Color;
    FLevel3ColorTo = Source.FLevel3ColorTo;
    FLevel1Perc = Source.FLevel1Perc;
    FLevel2Perc = Source.FLevel2Perc;
    FBorderColor = Source.FBorderColor;
    FShowBorder = Source.FShowBorder;
    FStacked = Source.FStacked;
    FShowPercentage = Source.FShowPercentage;
    FCompletionSmooth = Source.FCompletionSmooth;
    FShowGradient = Source.FShowGradient;
    FSteps = Source.FSteps;
    FStyle = Source.FStyle;
    FireEvent(OnChange, this);
}
