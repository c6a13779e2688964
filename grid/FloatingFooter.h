#pragma once
// The floating footer: a strip under the cells that stays put while the rows scroll. It shows the
// grid's last row (column results), one column of the current row, a template filled from the
// current row, or what the application paints. TFloatingFooter holds the settings; TFooterPanel,
// a child of the grid docked under the cells, paints the strip and turns clicks and hints on it
// into the grid's events.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QWidget>
#include <functional>

class TNovaStringGrid;

enum TFooterStyle : std::uint8_t { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
using TCalcFooterEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)>;
using TFooterPaintEvent = std::function<void(QObject *Sender, int AColumn, TCanvas &Canvas, const TRect &ARect)>;

class TFloatingFooter : public QObject {
public:
    explicit TFloatingFooter(TNovaStringGrid *AOwner);

    // Copies CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle, Visible and ShowHint.
    void Assign(const TFloatingFooter &Source);
    // Repaints the panel.
    void Invalidate();

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString &Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
    // The panel's height + 1 (the grid keeps it at its default row height).
    int Height() const { return FHeight; }
    void SetHeight(int Value);

    // The calculation of column c: kept in the cell properties of the grid's last row.
    TColumnCalcType GetColumnCalc(int c) const;
    void SetColumnCalc(int c, TColumnCalcType Value);

    TCalcFooterEvent OnCalcFooter;

private:
    TNovaStringGrid *FGrid;
    TColor FBorderColor = clNone;
    bool FCalculateHiddenRows = true;
    TColor FColor = clBtnFace;
    int FColumn = 0;
    QString FCustomTemplate;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FShowHint = false;
    bool FVisible = false;
    bool FEnableCalculation = true;
    int FHeight = 23;
};

class TFooterPanel : public QWidget {
public:
    explicit TFooterPanel(TNovaStringGrid *AOwner);
    TNovaStringGrid *Grid() const { return FGrid; }

    // The strip's columns, laid out like the grid's: the fixed columns, then the grid's left
    // column to the last. Display columns; -1 when X lies beyond the last column.
    int ColumnAt(int X) const;
    TRect ColumnRect(int ACol) const;
    int GetColumnsWidth() const;
    // "<#n>" takes the current row's text of column n; any other tag disappears; an unclosed
    // "<#" stays as written.
    QString ExpandTemplate(const QString &Template) const;
    // The column the hint was last shown for (-1 none).
    int HintColumn() const { return FHintCol; }
    // The hint text for a point, as the grid's hint event answers it.
    QString HintAt(int X);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;
    bool event(QEvent *e) override;

private:
    // Display columns shown in the strip, in order, with their left edges.
    struct Span {
        int col;
        int left;
        int width;
    };
    std::vector<Span> layout() const;
    TRect mirror(const TRect &R) const;
    int PaintColumns(TCanvas &Canvas);
    int PaintColumnPreview(TCanvas &Canvas);
    int PaintCustomPreview(TCanvas &Canvas);
    int PaintCustom(TCanvas &Canvas);
    void paintButtonFrame(TCanvas &Canvas, int W);
    TNovaStringGrid *FGrid;
    int FHintCol = -1;
    TCanvas *FCanvas = nullptr; // while the panel paints

public:
    // The canvas of the panel's paint in progress, null outside it.
    TCanvas *Canvas() const { return FCanvas; }
};
