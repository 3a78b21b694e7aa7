#pragma once
// Hidden columns: their cells stay in the storage under their real index;
// only the display numbering and the widths change. Any column count works;
// the widths a column had when it was hidden are kept as int.
#include <vector>

class THiddenColumns {
public:
    int Count() const { return int(FHidden.size()); }
    bool Empty() const { return FHidden.empty(); }
    bool IsHidden(int realCol) const;
    // Marks a column hidden or shown; nothing when it already is.
    void SetHidden(int realCol, bool hidden);
    // Hidden columns whose real index lies below realCol.
    int CountBelow(int realCol) const;
    // Display position of a real column (for a hidden one, the position it
    // would take when shown).
    int RealToDispl(int realCol) const { return realCol - CountBelow(realCol); }
    // Real column of a display column; past the last one every column counts
    // as shown; -1 for a negative column.
    int DisplToReal(int displCol) const;
    // Hidden real columns in ascending order.
    const std::vector<int>& Columns() const { return FHidden; }

    int SavedWidth(int realCol) const;
    void SetSavedWidth(int realCol, int width);

    // Real columns were inserted (delta > 0) or removed (delta < 0) at
    // fromReal: hidden columns and saved widths from there on move along;
    // hidden columns among the removed ones are forgotten.
    void Shift(int fromReal, int delta);
    // The shown real column fromReal moved to toReal, those between closing
    // up behind it: hidden columns and saved widths between move along.
    void Move(int fromReal, int toReal);
    void Clear();

private:
    std::vector<int> FHidden;   // sorted
    std::vector<int> FWidths;   // by real column, grown on demand
};
