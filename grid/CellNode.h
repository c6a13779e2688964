#pragma once
// How row nodes (outline expanders) look.
#include "grid/GridSettingsHost.h"

#include <QImage>
#include <QObject>

enum TNodeType : std::uint8_t { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// The grid is its Qt parent.
class TCellNode : public QObject {
public:
    explicit TCellNode(IGridSettingsHost *AOwner = nullptr) : QObject(SettingsParent(AOwner)), FOwner(AOwner) {}
    void Assign(const TCellNode &Source); // every property, the glyphs by copy

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool Value) { FExpandOne = Value; }
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor Value) { FNodeColor = Value; }
    const QImage &ExpandGlyph() const { return FExpandGlyph; }
    void SetExpandGlyph(const QImage &Value) { FExpandGlyph = Value; }
    const QImage &ContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(const QImage &Value) { FContractGlyph = Value; }
    // These repaint the grid at once when the value changes.
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value) { change(FNodeType, Value); }
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value) { change(FNodeIndent, Value); }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value) { change(FShowTree, Value); }
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value) { change(FShowTreeFull, Value); }
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value) { change(FTreeColor, Value); }

private:
    template <typename T>
    void change(T &field, T Value)
    {
        if (storeIfChanged(field, Value) && FOwner)
            FOwner->SettingsRepaint();
    }
    IGridSettingsHost *FOwner;
    TColor FColor = clSilver;
    bool FExpandOne = false;
    TNodeType FNodeType = cnXP;
    TColor FNodeColor = clBlack;
    int FNodeIndent = 12;
    QImage FExpandGlyph, FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    TColor FTreeColor = clGray;
};
