// Cell properties and the cell text, object and property paths of the base grid.
#include "grid/foundation/BaseGrid.h"
#include "framework/SysColors.h"
#include "grid/foundation/BaseGrid_p.h"
#include "grid/foundation/FxUtilText.h"

// ---------------------------------------------------------------- TCellGraphicObject

TCellGraphicObject::~TCellGraphicObject() = default;

QString TCellGraphicObject::ClassName() const
{
    return QStringLiteral("TCellGraphicObject");
}

// ---------------------------------------------------------------- TCellProperties

TCellProperties::TCellProperties(TBaseGrid* owner, int col, int row)
    : FOwnerGrid(owner), FOwnerCol(col), FOwnerRow(row)
{
    if (owner) {
        FWordWrap = owner->WordWrap();
        owner->d->FHasCellProps = true;
    }
}

TCellProperties::~TCellProperties()
{
    if (FGraphicObject && FGraphicObject->OwnedByCell())
        delete FGraphicObject;
}

void TCellProperties::Assign(const TCellProperties& source)
{
    if (&source == this)
        return;
    FIsBaseCell = source.FIsBaseCell;
    FCellSpanX = source.FCellSpanX;
    FCellSpanY = source.FCellSpanY;
    FOwnerRow = source.FOwnerRow;
    FOwnerCol = source.FOwnerCol;
    FObject = source.FObject;
    FAlignment = source.FAlignment;
    FBorderColor = source.FBorderColor;
    FBorderWidth = source.FBorderWidth;
    FBrushColor = source.FBrushColor;
    FBrushStyle = source.FBrushStyle;
    FFontColor = source.FFontColor;
    FFontStyle = source.FFontStyle;
    FFontName = source.FFontName;
    FFontSize = source.FFontSize;
    FReadOnly = source.FReadOnly;
    FEditor = source.FEditor;
    FVAlignment = source.FVAlignment;
    FWordWrap = source.FWordWrap;
    FNodeLevel = source.FNodeLevel;
    FControl = source.FControl;
}

fw::TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return fw::TPoint(c - FCellSpanX, r - FCellSpanY);
    return fw::TPoint(c, r);
}

void TCellProperties::OverrideFont(fw::TFont& font) const
{
    if (FFontColor != fw::clNone)
        font.Color = FFontColor;
    if (!FFontStyle.Empty())
        font.Style = FFontStyle;
    if (FFontSize != 0)
        font.Size = FFontSize;
    if (!FFontName.isEmpty())
        font.Name = FFontName;
}

void TCellProperties::SetGraphicObject(TCellGraphicObject* value)
{
    if (FGraphicObject == value)
        return;
    if (FGraphicObject && FGraphicObject->OwnedByCell())
        delete FGraphicObject;
    FGraphicObject = value;
}

TCellGraphicObject* TCellProperties::TakeGraphicObject()
{
    TCellGraphicObject* g = FGraphicObject;
    FGraphicObject = nullptr;
    return g;
}

void TCellProperties::RepaintOwner()
{
    if (FOwnerGrid)
        FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(fw::TColor value)
{
    FBrushColor = value;
    RepaintOwner();
}

void TCellProperties::SetBrushColorTo(fw::TColor value)
{
    FBrushColorTo = value;
    RepaintOwner();
}

void TCellProperties::SetVAlignment(TVAlignment value)
{
    FVAlignment = value;
    RepaintOwner();
}

void TCellProperties::SetWordWrap(bool value)
{
    FWordWrap = value;
    RepaintOwner();
}

// ---------------------------------------------------------------- ownership

void TBaseGrid::RegisterProps(TCellProperties* p)
{
    if (!p)
        return;
    d->FProps.insert(p);
    d->FHasCellProps = true;
}

void TBaseGrid::DeleteProps(TCellProperties* p)
{
    // Only what is still registered is freed, so a properties object that
    // sits in two slots is never freed twice.
    if (p && d->FProps.erase(p) > 0)
        delete p;
}

TCellProperties* TBaseGrid::SlotProps(int c, int r) const
{
    return static_cast<TCellProperties*>(TObjStringGrid::Objects(c, r));
}

TCellProperties* TBaseGrid::AssignedProps(int c, int r) const
{
    // Until the first properties object exists no slot can hold one.
    if (!d->FHasCellProps || c < 0 || r < 0 || c >= TotalColCount() || r >= RowCount())
        return nullptr;
    return SlotProps(c, r);
}

// ---------------------------------------------------------------- text

QString TBaseGrid::GetCellEx(int c, int r) const
{
    if (const TCellProperties* p = AssignedProps(c, r)) {
        const fw::TPoint b = p->GetBaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    QString value = TObjStringGrid::Cells(c, r);
    if (r < d->FNormalRowCount) {
        GetDisplayText(c, r, value);
        if (OnGetDisplWideText) {
            QString wide = UnpackWideText(value);
            GetDisplayWideText(c, r, wide);
            return PackWideText(wide);
        }
    }
    return value;
}

void TBaseGrid::SetCellEx(int c, int r, const QString& value)
{
    if (const TCellProperties* p = AssignedProps(c, r)) {
        const fw::TPoint b = p->GetBaseCell(c, r);
        TObjStringGrid::SetCells(b.X, b.Y, value);
        AfterCellTextSet(b.X, b.Y);
        if (parentWidget())
            RepaintCell(c, r);
    } else {
        TObjStringGrid::SetCells(c, r, value);
    }
    if (d->FHideLastRow && r == RowCount() - 1)
        LastRowChanged();
}

QString TBaseGrid::GetGridCell(int c, int r) const
{
    return TObjStringGrid::Cells(c, r);
}

void TBaseGrid::SetGridCell(int c, int r, const QString& value)
{
    TObjStringGrid::SetCells(c, r, value);
}

// ---------------------------------------------------------------- properties and references

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (TCellProperties* p = SlotProps(c, r))
        return p;
    auto* p = new TCellProperties(this, c, r);
    RegisterProps(p);
    TObjStringGrid::SetObjects(c, r, p);

    TCellLook look;
    look.WW = d->FWordWrap;
    GetDefaultVisualProps(c, r, look);
    // Seeded without repainting: a new object starts as the cell's present look.
    p->FCalcType = acNONE;
    p->FAlignment = look.HA;
    p->FVAlignment = look.VA;
    p->FWordWrap = look.WW;
    p->FFontName = look.Font.Name;
    p->FFontSize = look.Font.Size;
    p->FFontStyle = look.Font.Style;
    p->FFontColor = look.Font.Color;
    p->FBrushColor = look.Brush.Color;
    p->FBrushColorTo = look.ColorTo;
    p->FGradientDirection = look.GD;
    return p;
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* value)
{
    TCellProperties* old = SlotProps(c, r);
    if (old && old != value) {
        // A graphic handed on to the new object must survive the old one.
        if (value && old->GraphicObject() == value->GraphicObject())
            old->TakeGraphicObject();
        TObjStringGrid::SetObjects(c, r, nullptr);
        DeleteProps(old);
    }
    RegisterProps(value);
    TObjStringGrid::SetObjects(c, r, value);
}

TCellProperties* TBaseGrid::GetGridObject(int c, int r) const
{
    return SlotProps(c, r);
}

void TBaseGrid::SetGridObject(int c, int r, TCellProperties* value)
{
    RegisterProps(value);
    TObjStringGrid::SetObjects(c, r, value);
}

void* TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* p = SlotProps(c, r);
    return p ? p->CellObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int c, int r, void* value)
{
    const bool wasEmpty = GetCellEx(c, r).isEmpty();
    if (wasEmpty)
        SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetCellObject(value);
    if (wasEmpty)
        SetCellEx(c, r, QString());
}

TCellGraphicObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const
{
    const TCellProperties* p = SlotProps(c, r);
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TCellGraphicObject* value)
{
    if (d->FDestroying)
        return;
    const bool wasEmpty = GetCellEx(c, r).isEmpty();
    if (wasEmpty)
        SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetGraphicObject(value);
    if (wasEmpty)
        SetCellEx(c, r, QString());
}

bool TBaseGrid::CellPropertiesAssigned(int c, int r) const
{
    return AssignedProps(c, r) != nullptr;
}

TCellGraphicObject* TBaseGrid::GraphicOfCellProps(const TCellProperties* p) const
{
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::ClearColumnCells(int c)
{
    for (int r = 0; r < RowCount(); ++r) {
        TObjStringGrid::SetObjects(c, r, nullptr);
        SetCellEx(c, r, QString());
    }
}

void TBaseGrid::ClearRowCells(int r)
{
    for (int c = 0; c < ColCount(); ++c) {
        TObjStringGrid::SetObjects(c, r, nullptr);
        SetCellEx(c, r, QString());
    }
}

void TBaseGrid::ClearCellData(int c, int r)
{
    SetCellEx(c, r, QString());
    TObjStringGrid::SetObjects(c, r, nullptr);
}

void TBaseGrid::FreeCellPropsInRange(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (!d->FHasCellProps)
        return;
    for (int c = ACol1; c <= ACol2; ++c) {
        for (int r = ARow1; r <= ARow2; ++r) {
            if (TCellProperties* p = SlotProps(c, r)) {
                TObjStringGrid::SetObjects(c, r, nullptr);
                DeleteProps(p);
            }
        }
    }
}

void TBaseGrid::FreeCellProps(int c, int r)
{
    if (TCellProperties* p = SlotProps(c, r)) {
        TObjStringGrid::SetObjects(c, r, nullptr);
        DeleteProps(p);
    }
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (!viewport())
        return;
    const fw::TRect rc = CellRect(c, r);
    if (rc.IsEmpty())
        return;
    viewport()->update(fw::ToQRect(rc));
}
