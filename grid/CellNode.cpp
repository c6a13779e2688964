#include "grid/CellNode.h"

void TCellNode::Assign(const TCellNode &Source)
{
    if (&Source == this)
        return;
    FColor = Source.FColor;
    FExpandOne = Source.FExpandOne;
    FNodeType = Source.FNodeType;
    FNodeColor = Source.FNodeColor;
    FNodeIndent = Source.FNodeIndent;
    FExpandGlyph = Source.FExpandGlyph;
    FContractGlyph = Source.FContractGlyph;
    FShowTree = Source.FShowTree;
    FShowTreeFull = Source.FShowTreeFull;
    FTreeColor = Source.FTreeColor;
}
