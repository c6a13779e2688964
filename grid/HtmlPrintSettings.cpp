#include "grid/HtmlPrintSettings.h"

void THTMLSettings::Assign(const THTMLSettings &Source)
{
    FAutoPreview = Source.FAutoPreview;
    FBorderSize = Source.FBorderSize;
    FCellSpacing = Source.FCellSpacing;
    FCellPadding = Source.FCellPadding;
    FConvertSpecialChars = Source.FConvertSpecialChars;
    FExportImages = Source.FExportImages;
    FFooterFile = Source.FFooterFile;
    FHeaderFile = Source.FHeaderFile;
    FNonBreakingText = Source.FNonBreakingText;
    FPrefixTag = Source.FPrefixTag;
    FSaveColor = Source.FSaveColor;
    FSaveFonts = Source.FSaveFonts;
    FSuffixTag = Source.FSuffixTag;
    FSummary = Source.FSummary;
    FTableStyle = Source.FTableStyle;
    FWidth = Source.FWidth;
    FXHTML = Source.FXHTML;
}

void TPrintSettings::Assign(const TPrintSettings &Source)
{
    const bool keep = FFixedCellsAlways;
    FFooterSize = Source.FFooterSize;
    FHeaderSize = Source.FHeaderSize;
    FTime = Source.FTime;
    FDate = Source.FDate;
    FPageNr = Source.FPageNr;
    FTitle = Source.FTitle;
    FDateFormat = Source.FDateFormat;
    FTitleText = Source.FTitleText;
    FTitleLines = Source.FTitleLines;
    FFont = Source.FFont;
    FFixedFont = Source.FFixedFont;
    FHeaderFont = Source.FHeaderFont;
    FFooterFont = Source.FFooterFont;
    FBorders = Source.FBorders;
    FBorderStyle = Source.FBorderStyle;
    FBorderColor = Source.FBorderColor;
    FCentered = Source.FCentered;
    FRepeatFixedRows = Source.FRepeatFixedRows;
    FRepeatFixedCols = Source.FRepeatFixedCols;
    FLeftSize = Source.FLeftSize;
    FRightSize = Source.FRightSize;
    FColumnSpacing = Source.FColumnSpacing;
    FRowSpacing = Source.FRowSpacing;
    FTitleSpacing = Source.FTitleSpacing;
    FOrientation = Source.FOrientation;
    FPagePrefix = Source.FPagePrefix;
    FPageSuffix = Source.FPageSuffix;
    FPageNumberOffset = Source.FPageNumberOffset;
    FMaxPagesOffset = Source.FMaxPagesOffset;
    FFixedWidth = Source.FFixedWidth;
    FFixedHeight = Source.FFixedHeight;
    FUseFixedHeight = Source.FUseFixedHeight;
    FUseFixedWidth = Source.FUseFixedWidth;
    FFitToPage = Source.FFitToPage;
    FJobName = Source.FJobName;
    FPageNumSep = Source.FPageNumSep;
    FNoAutoSize = Source.FNoAutoSize;
    FNoAutoSizeRow = Source.FNoAutoSizeRow;
    FPrintGraphics = Source.FPrintGraphics;
    FUseDisplayFont = Source.FUseDisplayFont;
    FUseDefaultOrientation = Source.FUseDefaultOrientation;
    FFixedCellsAlways = keep;
}
