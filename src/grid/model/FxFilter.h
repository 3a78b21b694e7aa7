#pragma once
// The grid's filter conditions (Filter()), the look of the filter drop-down
// (FilterDropDown()) and the row test over a list of conditions, which
// needs no grid: the caller says how a condition reads its cell.
#include "framework/Graphics.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TFxStringGrid;

// Which text of a cell a condition tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition's result joins the result so far.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterMethod { fmExpression, fmLiteral };

class TFilterData {
public:
    int Column() const { return FColumn; }
    void SetColumn(int value) { FColumn = static_cast<short>(value); }
    QString Condition() const { return FCondition; }
    void SetCondition(const QString& value)
    {
        FCondition = value;
        FGlobState = gsUnknown;
    }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value)
    {
        FCaseSensitive = value;
        FGlobState = gsUnknown;
    }
    TFilterCells Data() const { return FData; }
    void SetData(TFilterCells value) { FData = value; }
    QString Prefix() const { return FPrefix; }
    void SetPrefix(const QString& value) { FPrefix = value; }
    QString Suffix() const { return FSuffix; }
    void SetSuffix(const QString& value) { FSuffix = value; }
    TFilterOperation Operation() const { return FOperation; }
    void SetOperation(TFilterOperation value) { FOperation = value; }
    TFilterMethod Method() const { return FMethod; }
    void SetMethod(TFilterMethod value) { FMethod = value; }

    // Everything but Method; a null source does nothing.
    void Assign(const TFilterData* Source);

    // Whether `text` (already read as Data says and trimmed) meets the
    // condition. An exception of the matcher counts as no match.
    bool Matches(const QString& text) const;

private:
    short FColumn = 0;
    QString FCondition;
    bool FCaseSensitive = true;
    TFilterCells FData = fcVirtual;
    QString FPrefix;
    QString FSuffix;
    TFilterOperation FOperation = foSHORT;
    TFilterMethod FMethod = fmExpression;
    // A condition made of text, "*" and "?" only is matched directly, as
    // the expression matcher would, without reading it again per row.
    enum TGlobState : char { gsUnknown, gsGlob, gsExpression };
    mutable TGlobState FGlobState = gsUnknown;
    mutable QString FGlob;
};

class TFilter {
public:
    explicit TFilter(TFxStringGrid* AOwner = nullptr) : FOwner(AOwner) {}
    TFilter(const TFilter&) = delete;
    TFilter& operator=(const TFilter&) = delete;
    // The items become copies of the source's (each by TFilterData::Assign,
    // so a copy's Method is the default); the owner stays.
    void Assign(const TFilter& Source);

    int Count() const { return int(FItems.size()); }
    TFilterData* Items(int Index) const;           // null outside the list
    void SetItems(int Index, const TFilterData* Value);
    // Appended with foNONE when it is the only item, else foAND.
    TFilterData* Add();
    // Appended (the index is not used) with foSHORT.
    TFilterData* Insert(int Index);
    void Delete(int Index);
    void Clear();
    // The column's first item, or a new one for it.
    TFilterData* GetColFilter(int Col);
    // Deletes the column's items and repaints its header cell.
    void RemoveColumnFilter(int Col);
    bool HasFilter(int Col) const;

    // The row test: each item in order reads its text through `read` and
    // joins its result by its Operation; foSHORT ends the test at its first
    // failure. An empty list passes.
    bool MatchRow(const std::function<QString(const TFilterData&)>& read) const;
    // The same test over texts the caller keeps: `text` answers the text an
    // item reads in place (null for an empty one), so that a text is copied
    // only when it has to be trimmed or unpacked.
    bool MatchRowInPlace(const std::function<const QString*(const TFilterData&)>& text) const;

private:
    template <class Read>
    bool MatchItems(Read&& read) const;

    TFxStringGrid* FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};

// Look and size of the filter drop-down list.
class TFilterDropDown {
public:
    TFilterDropDown();
    TFilterDropDown(const TFilterDropDown&) = delete;
    TFilterDropDown& operator=(const TFilterDropDown&) = delete;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value) { FColor = value; }
    bool ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(bool value) { FColumnWidth = value; }
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value) { FFont = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    // The glyph of a column without and with a filter; a change fires OnChange.
    const fw::TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const fw::TBitmap& value);
    const fw::TBitmap& GlyphActive() const { return FGlyphActive; }
    void SetGlyphActive(const fw::TBitmap& value);
    std::function<void()> OnChange;

    // Everything but AutoSize.
    void Assign(const TFilterDropDown& Source);

private:
    bool FAutoSize = false;
    fw::TColor FColor;
    bool FColumnWidth = false;
    fw::TFont FFont;
    int FHeight = 150;
    int FWidth = 150;
    fw::TBitmap FGlyph;
    fw::TBitmap FGlyphActive;
};
