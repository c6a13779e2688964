#pragma once
// Settings of the grid's HTML export and of printing.
#include "grid/GridSettingsHost.h"
#include "grid/base/GridLists.h"

#include <QObject>
#include <QString>
#include <QStringList>

#define CFG_VALUE(Type, Name, Default)                                                           \
public:                                                                                          \
    Type Name() const { return F##Name; }                                                        \
    void Set##Name(Type Value) { F##Name = Value; }                                              \
                                                                                                 \
private:                                                                                         \
    Type F##Name = Default;

class THTMLSettings : public QObject {
public:
    explicit THTMLSettings(QObject *AParent = nullptr) : QObject(AParent) {}
    // Every value, not the column widths.
    void Assign(const THTMLSettings &Source);

    CFG_VALUE(bool, AutoPreview, false)
    CFG_VALUE(int, BorderSize, 1)
    CFG_VALUE(int, CellSpacing, 0)
    CFG_VALUE(int, CellPadding, 0)
    CFG_VALUE(bool, ConvertSpecialChars, false)
    CFG_VALUE(bool, ExportImages, true)
    CFG_VALUE(QString, FooterFile, QString())
    CFG_VALUE(QString, HeaderFile, QString())
    CFG_VALUE(bool, NonBreakingText, false)
    CFG_VALUE(QString, PrefixTag, QString())
    CFG_VALUE(bool, SaveColor, true)
    CFG_VALUE(bool, SaveFonts, true)
    CFG_VALUE(QString, SuffixTag, QString())
    CFG_VALUE(QString, Summary, QString())
    CFG_VALUE(QString, TableStyle, QString())
    CFG_VALUE(int, Width, 100)
    CFG_VALUE(bool, XHTML, false)
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

    CFG_VALUE(int, FooterSize, 0)
    CFG_VALUE(int, HeaderSize, 0)
    CFG_VALUE(TPrintPosition, Time, ppNone)
    CFG_VALUE(TPrintPosition, Date, ppNone)
    CFG_VALUE(TPrintPosition, PageNr, ppNone)
    CFG_VALUE(TPrintPosition, Title, ppNone)
    CFG_VALUE(QString, DateFormat, QStringLiteral("dd/mm/yyyy"))
    CFG_VALUE(QString, TitleText, QString())
    CFG_VALUE(QStringList, TitleLines, QStringList())
    CFG_VALUE(TFont, Font, TFont())
    CFG_VALUE(TFont, FixedFont, TFont())
    CFG_VALUE(TFont, HeaderFont, TFont())
    CFG_VALUE(TFont, FooterFont, TFont())
    CFG_VALUE(TPrintBorders, Borders, pbSingle)
    CFG_VALUE(TPenStyle, BorderStyle, psSolid)
    CFG_VALUE(TColor, BorderColor, clBlack)
    CFG_VALUE(bool, Centered, true)
    CFG_VALUE(bool, RepeatFixedRows, false)
    CFG_VALUE(bool, RepeatFixedCols, false)
    CFG_VALUE(int, LeftSize, 0)
    CFG_VALUE(int, RightSize, 0)
    CFG_VALUE(int, ColumnSpacing, 0)
    CFG_VALUE(int, RowSpacing, 0)
    CFG_VALUE(int, TitleSpacing, 0)
    CFG_VALUE(TPrinterOrientation, Orientation, poPortrait)
    CFG_VALUE(QString, PagePrefix, QString())
    CFG_VALUE(QString, PageSuffix, QString())
    CFG_VALUE(int, PageNumberOffset, 0)
    CFG_VALUE(int, MaxPagesOffset, 0)
    CFG_VALUE(int, FixedWidth, 0)
    CFG_VALUE(int, FixedHeight, 0)
    CFG_VALUE(bool, UseFixedHeight, false)
    CFG_VALUE(bool, UseFixedWidth, false)
    CFG_VALUE(TFitToPage, FitToPage, fpNever)
    CFG_VALUE(QString, JobName, QString())
    CFG_VALUE(QString, PageNumSep, QStringLiteral("/"))
    CFG_VALUE(bool, NoAutoSize, false)
    CFG_VALUE(bool, NoAutoSizeRow, false)
    CFG_VALUE(bool, PrintGraphics, false)
    CFG_VALUE(bool, UseDisplayFont, true)
    CFG_VALUE(bool, UseDefaultOrientation, false)
    // Printing keeps the fixed rows and columns whatever the selection (not published).
    CFG_VALUE(bool, FixedCellsAlways, false)

private:
    IGridSettingsHost *FGrid;
};

#undef CFG_VALUE
