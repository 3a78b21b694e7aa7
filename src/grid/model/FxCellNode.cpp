#include "grid/model/FxCellNode.h"

#include "framework/ObjStringGrid.h"

TCellNode::TCellNode(fw::TStringGrid* owner)
    : FOwner(owner), FExpandGlyph(std::make_unique<fw::TBitmap>()),
      FContractGlyph(std::make_unique<fw::TBitmap>())
{
}

TCellNode::~TCellNode() = default;

template <typename T>
void TCellNode::StoreAndRepaint(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    if (FOwner)
        FOwner->Invalidate();
}

void TCellNode::Assign(const TCellNode& source)
{
    FColor = source.FColor;
    FExpandOne = source.FExpandOne;
    FNodeType = source.FNodeType;
    FNodeColor = source.FNodeColor;
    FNodeIndent = source.FNodeIndent;
    FExpandGlyph->Assign(*source.FExpandGlyph);
    FContractGlyph->Assign(*source.FContractGlyph);
    FShowTree = source.FShowTree;
    FShowTreeFull = source.FShowTreeFull;
    FTreeColor = source.FTreeColor;
}

void TCellNode::SetNodeType(TNodeType value) { StoreAndRepaint(FNodeType, value); }
void TCellNode::SetExpandGlyph(const fw::TBitmap& value) { FExpandGlyph->Assign(value); }
void TCellNode::SetContractGlyph(const fw::TBitmap& value) { FContractGlyph->Assign(value); }
void TCellNode::SetShowTree(bool value) { StoreAndRepaint(FShowTree, value); }
void TCellNode::SetShowTreeFull(bool value) { StoreAndRepaint(FShowTreeFull, value); }
void TCellNode::SetNodeIndent(int value) { StoreAndRepaint(FNodeIndent, value); }
void TCellNode::SetTreeColor(fw::TColor value) { StoreAndRepaint(FTreeColor, value); }
