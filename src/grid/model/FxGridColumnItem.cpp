// Column items and their collection.
#include "grid/model/FxGridColumnItem.h"

#include "grid/model/FxCGrid.h"

namespace {

constexpr fw::TColor kBorderPenColor = 0xC0C0C0;

} // namespace

TGridColumnItem::TGridColumnItem(TGridColumnCollection* collection) : FCollection(collection)
{
    FBorderPen.Color = kBorderPenColor;
    FBorderPen.Width = 1;
    FPrintBorderPen.Color = fw::clBlack;
    FPrintBorderPen.Width = 1;
    if (TFxColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont = g->Font();
        FHeaderFont = g->Font();
        FPrintFont = g->Font();
        FFilter.OnChange = [this](fw::TStringList&) { Repaint(); };
    }
}

TGridColumnItem::~TGridColumnItem() = default;

TFxColumnGrid* TGridColumnItem::Grid() const
{
    return FCollection ? FCollection->Owner() : nullptr;
}

int TGridColumnItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TGridColumnItem::Changed()
{
    if (FCollection)
        FCollection->Update(this);
}

void TGridColumnItem::Repaint()
{
    if (TFxColumnGrid* g = Grid())
        g->Invalidate();
}

#define FX_COLUMN_WRITE_Store()
#define FX_COLUMN_WRITE_Repaint() Repaint();
#define FX_COLUMN_WRITE_Notify() Changed();
#define FX_COLUMN_DEFINE(Type, Name, Initial, Write)                                                                \
    void TGridColumnItem::Set##Name(const Type& value)                                                               \
    {                                                                                                                \
        if (F##Name == value)                                                                                        \
            return;                                                                                                  \
        F##Name = value;                                                                                             \
        FX_COLUMN_WRITE_##Write()                                                                                    \
    }
FX_COLUMN_SETTINGS(FX_COLUMN_DEFINE)
#undef FX_COLUMN_DEFINE

void TGridColumnItem::SetColor(fw::TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TGridColumnItem::SetEditor(TEditorType value)
{
    if (FEditor == value)
        return;
    const bool repaint = FEditor == edDataCheckBox || value == edDataCheckBox;
    FEditor = value;
    if (repaint)
        Repaint();
}

void TGridColumnItem::SetHeader(const QString& value)
{
    FHeader = value;
    TFxColumnGrid* g = Grid();
    if (!g)
        return;
    if (g->TBaseGrid::FixedRows() > 0 && !g->ColMoving()) {
        g->SetCells(Index(), 0, value);
        Changed();
    }
    fw::TStringList& headers = g->ColumnHeaders();
    const auto handler = std::move(headers.OnChange);
    headers.Clear();
    for (int i = 0; i < FCollection->Count(); ++i)
        headers.Add(FCollection->Items(i)->Header());
    headers.OnChange = handler;
}

int TGridColumnItem::Width() const
{
    TFxColumnGrid* g = Grid();
    return g ? g->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int value)
{
    FWidth = value;
    if (TFxColumnGrid* g = Grid())
        g->SetAllColWidths(Index(), value);
}

void TGridColumnItem::SetBorderPen(const fw::TPen& value)
{
    FBorderPen = value;
    Changed();
}

void TGridColumnItem::SetFont(const fw::TFont& value)
{
    FFont = value;
    Changed();
}

void TGridColumnItem::SetHeaderFont(const fw::TFont& value)
{
    FHeaderFont = value;
    Changed();
}

void TGridColumnItem::Assign(const TGridColumnItem& s)
{
    if (&s == this)
        return;
    const TColumnPopupType popupType = FColumnPopupType;
    const bool printBorderCustom = FPrintBorderCustom, printFontCustom = FPrintFontCustom;
#define FX_COLUMN_COPY(Type, Name, Initial, Write) F##Name = s.F##Name;
    FX_COLUMN_SETTINGS(FX_COLUMN_COPY)
#undef FX_COLUMN_COPY
    FColumnPopupType = popupType;
    FPrintBorderCustom = printBorderCustom;
    FPrintFontCustom = printFontCustom;
    FBorderPen = s.FBorderPen;
    FColor = s.FColor;
    FComboItems.Assign(s.FComboItems);
    FEditor = s.FEditor;
    FFont = s.FFont;
    FHeaderFont = s.FHeaderFont;
    FHeader = s.FHeader;
    FPrintBorderPen = s.FPrintBorderPen;
    FPrintFont = s.FPrintFont;
    FWidth = s.Width() > 0 || s.FCollection ? s.Width() : s.FWidth;
    FFilter.Assign(s.FFilter);
    FDefIdx = s.FDefIdx;
}

void TGridColumnItem::AssignVisuals(const TGridColumnItem& s)
{
    const fw::TStringList combo = FComboItems;
    const int dropDownCount = FDropDownCount;
    const fw::TFont headerFont = FHeaderFont;
    const QString header = FHeader, name = FName;
    const int tag = FTag;
    Assign(s);
    if (TFxColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont = g->Font();
    }
    FComboItems.Assign(combo);
    FDropDownCount = dropDownCount;
    FHeaderFont = headerFont;
    FHeader = header;
    FName = name;
    FTag = tag;
}

QString TGridColumnItem::GetDisplayName() const
{
    if (!FName.isEmpty())
        return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
    return QStringLiteral("Column %1").arg(Index());
}

QString TGridColumnItem::Rows(int r) const { return Grid() ? Grid()->Cells(Index(), r) : QString(); }
void TGridColumnItem::SetRows(int r, const QString& value) { if (Grid()) Grid()->SetCells(Index(), r, value); }
int TGridColumnItem::Ints(int r) const { return Grid() ? Grid()->Ints(Index(), r) : 0; }
void TGridColumnItem::SetInts(int r, int value) { if (Grid()) Grid()->SetInts(Index(), r, value); }
double TGridColumnItem::Floats(int r) const { return Grid() ? Grid()->Floats(Index(), r) : 0; }
void TGridColumnItem::SetFloats(int r, double value) { if (Grid()) Grid()->SetFloats(Index(), r, value); }

// ---------------------------------------------------------------- collection

TGridColumnCollection::TGridColumnCollection(TFxColumnGrid* owner) : FOwner(owner) {}

TGridColumnCollection::~TGridColumnCollection() = default;

int TGridColumnCollection::IndexOf(const TGridColumnItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[std::size_t(i)].get() == item)
            return i;
    return -1;
}

TGridColumnItem* TGridColumnCollection::Add()
{
    FItems.push_back(std::make_unique<TGridColumnItem>(this));
    TGridColumnItem* item = FItems.back().get();
    if (Count() > 1)
        item->AssignVisuals(*Items(Count() - 2));
    Update(nullptr);
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::make_unique<TGridColumnItem>(this));
    Update(nullptr);
    return Items(index);
}

void TGridColumnCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
    Update(nullptr);
}

void TGridColumnCollection::Clear()
{
    FItems.clear();
    Update(nullptr);
}

void TGridColumnCollection::Assign(const TGridColumnCollection& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FItems.clear();
    for (int i = 0; i < source.Count(); ++i) {
        FItems.push_back(std::make_unique<TGridColumnItem>(this));
        FItems.back()->Assign(*source.Items(i));
    }
    EndUpdate();
}

void TGridColumnCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Update(nullptr);
}

void TGridColumnCollection::Update(TGridColumnItem*)
{
    if (FUpdateCount > 0 || FNoRecursiveUpdate || !FOwner)
        return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->TBaseGrid::FixedCols())
        FOwner->TFxStringGrid::SetColCount(n);
    FOwner->SyncColumnHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    const bool old = FNoRecursiveUpdate;
    FNoRecursiveUpdate = true;
    if (FOwner)
        FOwner->SyncColumns();
    FNoRecursiveUpdate = old;
    for (int i = 0; i < Count(); ++i)
        Items(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner)
        return;
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i < Count(); ++i)
            if (Items(i)->DefIdx() < i) {
                FOwner->MoveColumn(i, Items(i)->DefIdx());
                moved = true;
            }
    }
}
