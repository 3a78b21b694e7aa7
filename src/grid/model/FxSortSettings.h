#pragma once
// The grid's sort options and the short text form of its current sort
// (SortSettings()). Defined in FxGridSort.cpp.
#include "framework/Graphics.h"
#include "grid/model/FxGridEvents.h"

#include <QString>

class TFxStringGrid;

enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings {
public:
    explicit TSortSettings(TFxStringGrid* AOwner);
    TSortSettings(const TSortSettings&) = delete;
    TSortSettings& operator=(const TSortSettings&) = delete;

#define FX_SORT_SETTING(T, Name, Default)                                                                          \
public:                                                                                                            \
    T Name() const { return F##Name; }                                                                             \
    void Set##Name(T value) { F##Name = value; }                                                                   \
                                                                                                                   \
private:                                                                                                           \
    T F##Name = Default;

    FX_SORT_SETTING(int, Column, -1)
    FX_SORT_SETTING(TSortDirection, Direction, sdAscending)
    FX_SORT_SETTING(bool, AutoFormat, true)
    FX_SORT_SETTING(bool, IgnoreCase, false)
    FX_SORT_SETTING(bool, Full, true)
    FX_SORT_SETTING(bool, SingleColumn, false)
    FX_SORT_SETTING(bool, IgnoreBlanks, false)
    FX_SORT_SETTING(TSortBlankPosition, BlankPos, blFirst)
    FX_SORT_SETTING(bool, SortOnVirtualCells, true)
    FX_SORT_SETTING(bool, NormalCellsOnly, false)
    FX_SORT_SETTING(TSortDirection, InitSortDirection, sdAscending)
    FX_SORT_SETTING(bool, UndoSort, false)
    FX_SORT_SETTING(bool, IndexShow, false)
    FX_SORT_SETTING(TIndexSortKey, IndexSortKey, ikShift)
    FX_SORT_SETTING(fw::TColor, IndexColor, 0x0000FFFF)
    FX_SORT_SETTING(bool, FixedCols, false)
    FX_SORT_SETTING(bool, AutoColumnMerge, false)
    FX_SORT_SETTING(bool, AutoSortForGrouping, true)
#undef FX_SORT_SETTING

public:
    // Sort marks and header clicks; writing repaints the grid.
    bool Show() const { return FShow; }
    void SetShow(bool value);
    // The fixed row with the sort marks: must be below FixedRows, else
    // fw::Exception "Sort row should be smaller than number of fixed rows".
    int Row() const { return FRow; }
    void SetRow(int value);
    // The sorted column's header look; a change repaints the last fixed row.
    fw::TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(fw::TColor value);
    fw::TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(fw::TColor value);
    fw::TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(fw::TColor value);
    fw::TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(fw::TColor value);
    // Header glyphs; the setters copy the picture.
    fw::TBitmap& UpGlyph() { return FUpGlyph; }
    void SetUpGlyph(const fw::TBitmap& value) { FUpGlyph.Assign(value); }
    fw::TBitmap& DownGlyph() { return FDownGlyph; }
    void SetDownGlyph(const fw::TBitmap& value) { FDownGlyph.Assign(value); }
    fw::TBitmap& IndexUpGlyph() { return FIndexUpGlyph; }
    void SetIndexUpGlyph(const fw::TBitmap& value) { FIndexUpGlyph.Assign(value); }
    fw::TBitmap& IndexDownGlyph() { return FIndexDownGlyph; }
    void SetIndexDownGlyph(const fw::TBitmap& value) { FIndexDownGlyph.Assign(value); }

    TFxStringGrid* Grid() const { return FGrid; }

    // Copies every setting but IgnoreCase and SortOnVirtualCells.
    void Assign(const TSortSettings& Source);
    // "u3" / "d3" (direction and column), or "i;" and the index list.
    QString SaveToString() const;
    // Empty: nothing. Otherwise Show := true and the grid sorts as the text
    // says; a text of one character raises fw::Exception "Invalid sort
    // settings specifier"; a bad column number sorts nothing.
    void LoadFromString(const QString& Value);
    // No sort column, no index list.
    void Remove();
    void ToggleDirection();

private:
    void RepaintHeader();

    TFxStringGrid* FGrid;
    bool FShow = false;
    int FRow = 0;
    fw::TColor FHeaderColor = fw::clNone;
    fw::TColor FHeaderColorTo = fw::clNone;
    fw::TColor FHeaderMirrorColor = fw::clNone;
    fw::TColor FHeaderMirrorColorTo = fw::clNone;
    fw::TBitmap FUpGlyph;
    fw::TBitmap FDownGlyph;
    fw::TBitmap FIndexUpGlyph;
    fw::TBitmap FIndexDownGlyph;
};
