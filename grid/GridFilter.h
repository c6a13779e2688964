#pragma once
// The grid's filter: conditions per column, joined by their operations, that filtering applies.
#include "grid/GridSettingsHost.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

enum TFilterCells : std::uint8_t { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterOperation : std::uint8_t { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterMethod : std::uint8_t { fmExpression, fmLiteral };

class TFilterData {
public:
    TFilterData() = default;
    // Copies everything but Method.
    void Assign(const TFilterData &Source);

    std::int16_t Column() const { return FColumn; }
    void SetColumn(std::int16_t Value) { FColumn = Value; }
    QString Condition() const { return FCondition; }
    void SetCondition(const QString &Value) { FCondition = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    TFilterCells Data() const { return FData; }
    void SetData(TFilterCells Value) { FData = Value; }
    QString Prefix() const { return FPrefix; }
    void SetPrefix(const QString &Value) { FPrefix = Value; }
    QString Suffix() const { return FSuffix; }
    void SetSuffix(const QString &Value) { FSuffix = Value; }
    TFilterOperation Operation() const { return FOperation; }
    void SetOperation(TFilterOperation Value) { FOperation = Value; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod Value) { FMethod = Value; }

private:
    std::int16_t FColumn = 0;
    QString FCondition;
    bool FCaseSensitive = true;
    TFilterCells FData = fcVirtual;
    QString FPrefix, FSuffix;
    TFilterOperation FOperation = foSHORT;
    TFilterMethod FMethod = fmExpression;
};

// The grid is its Qt parent.
class TFilter : public QObject {
public:
    explicit TFilter(IGridSettingsHost *AOwner = nullptr) : QObject(SettingsParent(AOwner)), FOwner(AOwner) {}

    // A new condition at the end, joined by AND to those before it (NONE when it is the only one).
    TFilterData *Add();
    // A new condition at the end, its operation left at its initial value.
    TFilterData *Insert(int Index);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    TFilterData *Items(int Index) const; // EListError outside the list
    TFilterData *GetItem(int Index) const { return Items(Index); }
    void SetItem(int Index, const TFilterData &Value) { Items(Index)->Assign(Value); }
    // Item by item.
    void Assign(const TFilter &Source);

    // The column's first condition, or a new one (Add) for that column.
    TFilterData *GetColFilter(int Col);
    // Removes every condition of the column and repaints its header cell in row 0.
    void RemoveColumnFilter(int Col);
    bool HasFilter(int Col) const;

private:
    IGridSettingsHost *FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};
