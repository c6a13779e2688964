#pragma once
// Settings of the grid's HTML export and of printing.
#include "grid/GridSettingsHost.h"
#include "grid/base/GridOptions.h"
#include "grid/base/GridLists.h"

#include <QObject>
#include <QString>
#include <QStringList>


class THTMLSettings : public QObject {
public:
    explicit THTMLSettings(QObject *AParent = nullptr) : QObject(AParent) {}
    // Every value, not the column widths.
    void Assign(const THTMLSettings &Source);

    CFG_PLAIN_PROPERTY(bool, AutoPreview, false)
    CFG_PLAIN_PROPERTY(int, BorderSize, 1)
    CFG_PLAIN_PROPERTY(int, CellSpacing, 0)
    CFG_PLAIN_PROPERTY(int, CellPadding, 0)
    CFG_PLAIN_PROPERTY(bool, ConvertSpecialChars, false)
    CFG_PLAIN_PROPERTY(bool, ExportImages, true)
    CFG_PLAIN_PROPERTY(QString, FooterFile, QString())
    CFG_PLAIN_PROPERTY(QString, HeaderFile, QString())
    CFG_PLAIN_PROPERTY(bool, NonBreakingText, false)
    CFG_PLAIN_PROPERTY(QString, PrefixTag, QString())
    CFG_PLAIN_PROPERTY(bool, SaveColor, true)
    CFG_PLAIN_PROPERTY(bool, SaveFonts, true)
    CFG_PLAIN_PROPERTY(QString, SuffixTag, QString())
    CFG_PLAIN_PROPERTY(QString, Summary, QString())
    CFG_PLAIN_PROPERTY(QString, TableStyle, QString())
    CFG_PLAIN_PROPERTY(int, Width, 100)
    CFG_PLAIN_PROPERTY(bool, XHTML, false)
public:
    // Column widths for the export (empty: the grid's own).
    TIntList &ColWidths() { return FColWidths; }
    const TIntList &ColWidths() const { return FColWidths; }

private:
    TIntList FColWidths;
};

enum TPrintPosition : std::uint8_t { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders : std::uint8_t {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom
};
enum TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };
enum TFitToPage : std::uint8_t { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// The grid is its Qt parent.
class TPrintSettings : public QObject {
public:
    explicit TPrintSettings(IGridSettingsHost *AGrid = nullptr) : QObject(SettingsParent(AGrid)), FGrid(AGrid) {}
    IGridSettingsHost *Grid() const { return FGrid; }
    // Every published value; FixedCellsAlways stays.
    void Assign(const TPrintSettings &Source);

    CFG_PLAIN_PROPERTY(int, FooterSize, 0)
    CFG_PLAIN_PROPERTY(int, HeaderSize, 0)
    CFG_PLAIN_PROPERTY(TPrintPosition, Time, ppNone)
    CFG_PLAIN_PROPERTY(TPrintPosition, Date, ppNone)
    CFG_PLAIN_PROPERTY(TPrintPosition, PageNr, ppNone)
    CFG_PLAIN_PROPERTY(TPrintPosition, Title, ppNone)
    CFG_PLAIN_PROPERTY(QString, DateFormat, QStringLiteral("dd/mm/yyyy"))
    CFG_PLAIN_PROPERTY(QString, TitleText, QString())
    CFG_PLAIN_PROPERTY(QStringList, TitleLines, QStringList())
    CFG_PLAIN_PROPERTY(TFont, Font, TFont())
    CFG_PLAIN_PROPERTY(TFont, FixedFont, TFont())
    CFG_PLAIN_PROPERTY(TFont, HeaderFont, TFont())
    CFG_PLAIN_PROPERTY(TFont, FooterFont, TFont())
    CFG_PLAIN_PROPERTY(TPrintBorders, Borders, pbSingle)
    CFG_PLAIN_PROPERTY(TPenStyle, BorderStyle, psSolid)
    CFG_PLAIN_PROPERTY(TColor, BorderColor, clBlack)
    CFG_PLAIN_PROPERTY(bool, Centered, true)
    CFG_PLAIN_PROPERTY(bool, RepeatFixedRows, false)
    CFG_PLAIN_PROPERTY(bool, RepeatFixedCols, false)
    CFG_PLAIN_PROPERTY(int, LeftSize, 0)
    CFG_PLAIN_PROPERTY(int, RightSize, 0)
    CFG_PLAIN_PROPERTY(int, ColumnSpacing, 0)
    CFG_PLAIN_PROPERTY(int, RowSpacing, 0)
    CFG_PLAIN_PROPERTY(int, TitleSpacing, 0)
    CFG_PLAIN_PROPERTY(TPrinterOrientation, Orientation, poPortrait)
    CFG_PLAIN_PROPERTY(QString, PagePrefix, QString())
    CFG_PLAIN_PROPERTY(QString, PageSuffix, QString())
    CFG_PLAIN_PROPERTY(int, PageNumberOffset, 0)
    CFG_PLAIN_PROPERTY(int, MaxPagesOffset, 0)
    CFG_PLAIN_PROPERTY(int, FixedWidth, 0)
    CFG_PLAIN_PROPERTY(int, FixedHeight, 0)
    CFG_PLAIN_PROPERTY(bool, UseFixedHeight, false)
    CFG_PLAIN_PROPERTY(bool, UseFixedWidth, false)
    CFG_PLAIN_PROPERTY(TFitToPage, FitToPage, fpNever)
    CFG_PLAIN_PROPERTY(QString, JobName, QString())
    CFG_PLAIN_PROPERTY(QString, PageNumSep, QStringLiteral("/"))
    CFG_PLAIN_PROPERTY(bool, NoAutoSize, false)
    CFG_PLAIN_PROPERTY(bool, NoAutoSizeRow, false)
    CFG_PLAIN_PROPERTY(bool, PrintGraphics, false)
    CFG_PLAIN_PROPERTY(bool, UseDisplayFont, true)
    CFG_PLAIN_PROPERTY(bool, UseDefaultOrientation, false)
    // Printing keeps the fixed rows and columns whatever the selection (not published).
    CFG_PLAIN_PROPERTY(bool, FixedCellsAlways, false)

private:
    IGridSettingsHost *FGrid;
};

