#pragma once
// The column model of the column grid: one item per real column (hidden ones included) that says
// how its cells edit, look, print, sort and filter, and what its header says; and the collection
// that keeps the items in the grid's column order.
#include "grid/EditingTypes.h"
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TNovaColumnGrid;
class TGridColumnCollection;

enum TColumnPopupType : std::uint8_t {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick, cpAllCellsLClick
};

class TGridColumnItem {
public:
    // Inside a collection the item starts with the grid's font and colour; without one it keeps
    // the plain defaults (colour 0).
    explicit TGridColumnItem(TGridColumnCollection *Collection = nullptr);
    TGridColumnItem(const TGridColumnItem &) = delete;
    TGridColumnItem &operator=(const TGridColumnItem &) = delete;
    virtual ~TGridColumnItem() = default;

    // Every published property and DefIdx, but the popup kind and the two print switches; the
    // width only into the private copy (the grid's column keeps its width).
    void Assign(const TGridColumnItem &Source);
    // What a new column takes over from the column before it (see the implementation).
    void AssignVisuals(const TGridColumnItem &Source);

    TGridColumnCollection *Collection() const { return FCollection; }
    // The real column the item describes; -1 outside a collection.
    int Index() const;
    QString GetDisplayName() const;

    // The grid's width of the item's column (0 outside a collection); writing sets it.
    int Width() const;
    void SetWidth(int Value);
    int StoredWidth() const { return FWidth; } // private copy kept by the grid

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    QString Header() const { return FColumnHeader; }
    void SetHeader(const QString &Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
    QString SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const QString &Value) { FSortPrefix = Value; }
    QString SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const QString &Value) { FSortSuffix = Value; }
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString &Value) { FEditMask = Value; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int Value) { FEditLength = Value; }
    QObject *EditLink() const { return FEditLink; }
    void SetEditLink(QObject *Value) { FEditLink = Value; }
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TEditorType Editor() const { return FEditorType; }
    void SetEditor(TEditorType Value);
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    const QStringList &ComboItems() const { return FComboItems; }
    void SetComboItems(const QStringList &Value) { FComboItems = Value; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int Value) { FSpinMin = Value; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int Value) { FSpinMax = Value; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int Value) { FSpinStep = Value; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    const TFont &PrintFont() const { return FPrintFont; }
    void SetPrintFont(const TFont &Value) { FPrintFont = Value; }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor Value) { FPrintColor = Value; }
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    const TPen &BorderPen() const { return FBorderPen; }
    void SetBorderPen(const TPen &Value);
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
    const TPen &PrintBorderPen() const { return FPrintBorderPen; }
    void SetPrintBorderPen(const TPen &Value) { FPrintBorderPen = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int Value) { FDefIdx = Value; }
    QString Name() const { return FName; }
    void SetName(const QString &Value) { FName = Value; }
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString &Value) { FCheckFalse = Value; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString &Value) { FCheckTrue = Value; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    const QStringList &Filter() const { return FFilter; }
    void SetFilter(const QStringList &Value);
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int Value) { FMaxSize = Value; }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int Value) { FMinSize = Value; }
    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
    QMenu *ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(QMenu *Value) { FColumnPopup = Value; }
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString &Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    const TFont &HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont &Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }

    // The texts of the item's column, by row (displayed rows, as the grid's Cells).
    QString Rows(int ARow) const;
    void SetRows(int ARow, const QString &Value);

private:
    friend class TGridColumnCollection;
    friend class TNovaColumnGrid;
    TNovaColumnGrid *grid() const;
    void changed();  // notifies the collection
    void repaint() const;

    TGridColumnCollection *FCollection = nullptr;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    QString FColumnHeader;
    TSortStyle FSortStyle = ssAutomatic;
    QString FSortPrefix;
    QString FSortSuffix;
    QString FEditMask;
    int FEditLength = 0;
    QPointer<QObject> FEditLink;
    TFont FFont;
    TColor FColor = 0;
    TEditorType FEditorType = edNormal;
    bool FFixed = false;
    bool FReadOnly = false;
    QStringList FComboItems;
    int FDropDownCount = 8;
    int FSpinMin = 0;
    int FSpinMax = 0;
    int FSpinStep = 1;
    bool FPassword = false;
    TFont FPrintFont;
    TColor FPrintColor = clWhite;
    TCellBorders FBorders;
    TPen FBorderPen{clSilver, 1, psSolid};
    TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    TPen FPrintBorderPen{clBlack, 1, psSolid};
    int FTag = 0;
    int FDefIdx = 0;
    QString FName;
    QString FCheckFalse = QStringLiteral("N");
    QString FCheckTrue = QStringLiteral("Y");
    bool FShowBands = false;
    QStringList FFilter;
    int FMaxSize = 0;
    int FMinSize = 0;
    int FAutoMinSize = 0;
    int FAutoMaxSize = 0;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    QPointer<QMenu> FColumnPopup;
    bool FFilterCaseSensitive = false;
    QString FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    TFont FHeaderFont;
    bool FPrintBorderCustom = true;
    bool FPrintFontCustom = true;
};

class TGridColumnCollection {
public:
    explicit TGridColumnCollection(TNovaColumnGrid *AOwner);
    virtual ~TGridColumnCollection();
    TGridColumnCollection(const TGridColumnCollection &) = delete;
    TGridColumnCollection &operator=(const TGridColumnCollection &) = delete;

    TNovaColumnGrid *GetOwner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    // EListError outside 0 .. Count - 1.
    TGridColumnItem *Items(int Index) const;
    TGridColumnItem *operator[](int Index) const { return Items(Index); }
    TGridColumnItem *GetItem(int Index) const { return Items(Index); }
    // Assigns Value to item Index.
    void SetItem(int Index, const TGridColumnItem &Value);
    // A fresh item at the end; from the second on it takes the visuals of the item before it.
    TGridColumnItem *Add();
    // A fresh item at Index, nothing copied.
    TGridColumnItem *Insert(int Index);
    void Delete(int Index);
    void Clear();
    // As many items as Source, each assigned from Source's.
    void Assign(const TGridColumnCollection &Source);
    int IndexOf(const TGridColumnItem *Item) const;

    // Changes inside a bracket are answered once, at its end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // After any change of the collection or of a notifying item property.
    virtual void Update(TGridColumnItem *Item);
    virtual TGridColumnItem *CreateItem();

    // Items resynchronised with the grid, then each item's default index := its index.
    void SetOrganization();
    // Moves the columns until every item stands at its default index; default indexes that are
    // not 0 .. Count - 1 each once are refused (EListError) before anything moves.
    void ResetOrganization();

    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool Value) { FNoRecursiveUpdate = Value; }

private:
    friend class TNovaColumnGrid;
    // Takes an item out of the collection without freeing it.
    std::unique_ptr<TGridColumnItem> extract(int Index);
    void place(int Index, std::unique_ptr<TGridColumnItem> Item);
    TNovaColumnGrid *FOwner;
    std::vector<std::unique_ptr<TGridColumnItem>> FItems;
    bool FNoRecursiveUpdate = false;
    int FUpdateCount = 0;
};
