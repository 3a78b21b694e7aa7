#pragma once
// One column of a column grid: 44 settings that decide the look and editing
// of the column's cells, and the collection that keeps one item per column
// (hidden columns included).
#include "framework/Graphics.h"
#include "framework/StringList.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class TFxColumnGrid;
// A component the column refers to (popup menu, editor link); not owned.
using TObjectRef = QObject*;
class TGridColumnCollection;

enum TColumnPopupType {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

// S(type, name, value of a new item, write effect): "Store" keeps the value,
// "Repaint" also invalidates the grid, "Notify" runs the collection's update.
#define FX_COLUMN_SETTINGS(S)                                                                                       \
    S(int, AutoMinSize, 0, Store)                                                                                    \
    S(int, AutoMaxSize, 0, Store)                                                                                    \
    S(fw::TAlignment, Alignment, fw::taLeftJustify, Repaint)                                                         \
    S(TCellBorders, Borders, TCellBorders{}, Notify)                                                                 \
    S(QString, CheckFalse, QStringLiteral("N"), Store)                                                               \
    S(QString, CheckTrue, QStringLiteral("Y"), Store)                                                                \
    S(TObjectRef, ColumnPopup, nullptr, Store)                                                                         \
    S(TColumnPopupType, ColumnPopupType, cpFixedCellsRClick, Store)                                                  \
    S(int, DropDownCount, 8, Store)                                                                                  \
    S(int, EditLength, 0, Store)                                                                                     \
    S(TObjectRef, EditLink, nullptr, Store)                                                                            \
    S(QString, EditMask, QString(), Store)                                                                           \
    S(bool, FilterCaseSensitive, false, Store)                                                                       \
    S(bool, Fixed, false, Notify)                                                                                    \
    S(QString, FloatFormat, QString(), Repaint)                                                                      \
    S(fw::TAlignment, HeaderAlignment, fw::taLeftJustify, Repaint)                                                   \
    S(int, MinSize, 0, Store)                                                                                        \
    S(int, MaxSize, 0, Store)                                                                                        \
    S(QString, Name, QString(), Store)                                                                               \
    S(bool, Password, false, Notify)                                                                                 \
    S(bool, PrintBorderCustom, true, Store)                                                                          \
    S(TCellBorders, PrintBorders, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}), Store)                          \
    S(fw::TColor, PrintColor, 0xFFFFFF, Store)                                                                       \
    S(bool, PrintFontCustom, true, Store)                                                                            \
    S(bool, ReadOnly, false, Store)                                                                                  \
    S(bool, ShowBands, false, Notify)                                                                                \
    S(TSortStyle, SortStyle, ssAutomatic, Store)                                                                     \
    S(QString, SortPrefix, QString(), Store)                                                                         \
    S(QString, SortSuffix, QString(), Store)                                                                         \
    S(int, SpinMax, 0, Store)                                                                                        \
    S(int, SpinMin, 0, Store)                                                                                        \
    S(int, SpinStep, 1, Store)                                                                                       \
    S(int, Tag, 0, Store)

class TGridColumnItem {
public:
    // An item made inside a collection takes the grid's colour and fonts; a
    // free-standing one (collection null) keeps framework defaults.
    explicit TGridColumnItem(TGridColumnCollection* collection);
    virtual ~TGridColumnItem();
    TGridColumnItem(const TGridColumnItem&) = delete;
    TGridColumnItem& operator=(const TGridColumnItem&) = delete;

    // Copies every setting but ColumnPopupType, PrintBorderCustom and
    // PrintFontCustom, without notification.
    void Assign(const TGridColumnItem& source);
    // As Assign, but Color and Font come from the grid, and ComboItems,
    // DropDownCount, HeaderFont, Header, Name and Tag stay.
    void AssignVisuals(const TGridColumnItem& source);
    QString GetDisplayName() const;
    int Index() const;
    TGridColumnCollection* Collection() const { return FCollection; }

#define FX_COLUMN_DECLARE(Type, Name, Initial, Write)                                                               \
    Type Name() const { return F##Name; }                                                                            \
    void Set##Name(const Type& value);
    FX_COLUMN_SETTINGS(FX_COLUMN_DECLARE)
#undef FX_COLUMN_DECLARE

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType value);
    QString Header() const { return FHeader; }
    void SetHeader(const QString& value);
    // The grid's width of the real column at the item's index (0 outside a collection).
    int Width() const;
    void SetWidth(int value);
    int StoredWidth() const { return FWidth; }
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int value) { FDefIdx = value; }

    // Owned objects; writing copies the content. Changing the fonts or the
    // border pen through these setters notifies.
    const fw::TPen& BorderPen() const { return FBorderPen; }
    void SetBorderPen(const fw::TPen& value);
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value);
    const fw::TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const fw::TFont& value);
    const fw::TPen& PrintBorderPen() const { return FPrintBorderPen; }
    void SetPrintBorderPen(const fw::TPen& value) { FPrintBorderPen = value; }
    const fw::TFont& PrintFont() const { return FPrintFont; }
    void SetPrintFont(const fw::TFont& value) { FPrintFont = value; }
    fw::TStringList& ComboItems() { return FComboItems; }
    void SetComboItems(const fw::TStringList& value) { FComboItems.Assign(value); }
    fw::TStringList& Filter() { return FFilter; }
    void SetFilter(const fw::TStringList& value) { FFilter.Assign(value); }

    // Typed access to the column's cells (item index = grid column).
    QString Rows(int r) const;
    void SetRows(int r, const QString& value);
    int Ints(int r) const;
    void SetInts(int r, int value);
    double Floats(int r) const;
    void SetFloats(int r, double value);

private:
    friend class TGridColumnCollection;
    friend class TFxColumnGrid;
    TFxColumnGrid* Grid() const;
    void Changed();   // the collection's update notification
    void Repaint();

    TGridColumnCollection* FCollection;
#define FX_COLUMN_FIELD(Type, Name, Initial, Write) Type F##Name = Initial;
    FX_COLUMN_SETTINGS(FX_COLUMN_FIELD)
#undef FX_COLUMN_FIELD
    fw::TColor FColor = 0;
    TEditorType FEditor = edNormal;
    QString FHeader;
    int FWidth = 50;
    int FDefIdx = 0;
    fw::TPen FBorderPen;
    fw::TFont FFont;
    fw::TFont FHeaderFont;
    fw::TPen FPrintBorderPen;
    fw::TFont FPrintFont;
    fw::TStringList FComboItems;
    fw::TStringList FFilter;
};

// One item per grid column, hidden columns included.
class TGridColumnCollection {
public:
    explicit TGridColumnCollection(TFxColumnGrid* owner);
    virtual ~TGridColumnCollection();
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    TFxColumnGrid* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TGridColumnItem* Items(int i) const { return FItems[std::size_t(i)].get(); }
    TGridColumnItem* operator[](int i) const { return Items(i); }
    int IndexOf(const TGridColumnItem* item) const;
    // A new item after the others; when others exist it takes the look of
    // the one before it (AssignVisuals).
    TGridColumnItem* Add();
    TGridColumnItem* Insert(int index);
    void Delete(int index);
    void Clear();
    void Assign(const TGridColumnCollection& source);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // After any change of an item or of the list: keeps the grid's column
    // count and headers in step (not inside an update bracket, not with
    // NoRecursiveUpdate, not while the grid loads).
    virtual void Update(TGridColumnItem* item);
    void SetOrganization();
    void ResetOrganization();
    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool value) { FNoRecursiveUpdate = value; }

private:
    TFxColumnGrid* FOwner;
    std::vector<std::unique_ptr<TGridColumnItem>> FItems;
    int FUpdateCount = 0;
    bool FNoRecursiveUpdate = false;
};
