#pragma once
// Look of the grid's row nodes (expand/contract buttons and tree lines).
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <memory>

namespace fw {
class TStringGrid;
}

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode {
public:
    // The owner grid is repainted when a repainting setting changes.
    explicit TCellNode(fw::TStringGrid* owner);
    ~TCellNode();
    TCellNode(const TCellNode&) = delete;
    TCellNode& operator=(const TCellNode&) = delete;

    // Copies every setting, the glyphs by content, without repainting.
    void Assign(const TCellNode& source);

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value) { FColor = value; }
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType value);
    fw::TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(fw::TColor value) { FNodeColor = value; }
    const fw::TBitmap& ExpandGlyph() const { return *FExpandGlyph; }
    void SetExpandGlyph(const fw::TBitmap& value);
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool value) { FExpandOne = value; }
    const fw::TBitmap& ContractGlyph() const { return *FContractGlyph; }
    void SetContractGlyph(const fw::TBitmap& value);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int value);
    fw::TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(fw::TColor value);

private:
    template <typename T>
    void StoreAndRepaint(T& field, T value);

    fw::TStringGrid* FOwner;
    fw::TColor FColor = 0xC0C0C0;
    TNodeType FNodeType = cnXP;
    fw::TColor FNodeColor = fw::clBlack;
    std::unique_ptr<fw::TBitmap> FExpandGlyph;
    bool FExpandOne = false;
    std::unique_ptr<fw::TBitmap> FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    fw::TColor FTreeColor = 0x808080;
};
