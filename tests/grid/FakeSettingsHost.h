#pragma once
// A grid stand-in that records what settings objects ask of their grid.
#include "grid/GridSettingsHost.h"
#include "grid/base/GridLists.h"

#include <QStringList>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class FakeSettingsHost : public IGridSettingsHost {
public:
    int repaints = 0;
    std::vector<int> repaintedRows;
    std::vector<std::pair<int, int>> repaintedCells;
    int fixedRows = 1;
    bool designing = false;
    bool hasParent = true;
    struct Gradient {
        TFixedGradientColor which;
        TColor value;
        bool repaint;
    };
    std::vector<Gradient> gradients;
    std::map<TFixedGradientColor, TColor> gradientValues;
    TSortIndexList sortIndexes;
    int qsorts = 0;
    int qsortsIndexed = 0;
    std::vector<int> stretched;
    // Fixed-cell editing: the validation answer, and the order of what happened.
    std::function<bool(int, int, QString &)> validate;
    QStringList log;
    std::map<std::pair<int, int>, QString> cells;
    std::pair<int, int> current{-1, -1};
    int fixedBackgrounds = 0;

    void SettingsRepaint() override { ++repaints; }
    void SettingsRepaintRow(int ARow) override { repaintedRows.push_back(ARow); }
    void SettingsRepaintCell(int ACol, int ARow) override { repaintedCells.push_back({ACol, ARow}); }
    int SettingsFixedRows() const override { return fixedRows; }
    bool SettingsDesigning() const override { return designing; }
    bool SettingsHasParent() const override { return hasParent; }
    void SetFixedGradientColor(TFixedGradientColor Which, TColor Value, bool Repaint) override
    {
        gradients.push_back({Which, Value, Repaint});
        gradientValues[Which] = Value;
    }
    TSortIndexList &SettingsSortIndexes() override { return sortIndexes; }
    void SettingsQSort() override { ++qsorts; }
    void SettingsQSortIndexed() override { ++qsortsIndexed; }
    void SettingsStretchColumn(int ACol) override { stretched.push_back(ACol); }
    bool SettingsValidateCell(int ACol, int ARow, QString &Value) override
    {
        log << QStringLiteral("validate %1").arg(Value);
        return validate ? validate(ACol, ARow, Value) : true;
    }
    void SettingsEditingDone() override { log << QStringLiteral("done"); }
    void SettingsSetCell(int ACol, int ARow, const QString &Value) override
    {
        log << QStringLiteral("cell %1,%2=%3").arg(ACol).arg(ARow).arg(Value);
        cells[{ACol, ARow}] = Value;
    }
    void SettingsFocusCell(int ACol, int ARow) override { current = {ACol, ARow}; }
    void SettingsPaintFixedBackground(TCanvas &Canvas, const TRect &R) override
    {
        ++fixedBackgrounds;
        Canvas.Brush.Color = 0x00ABCDEF;
        Canvas.FillRect(R);
    }
};
