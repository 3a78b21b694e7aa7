// Per-cell colours, fonts, alignment, read-only flag, word wrap and cell
// controls; whole-row colours; the header gradient colours and zooming.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxUtilText.h"

namespace {

// Readers never create a properties object: a cell without one answers the
// given default.
template <typename T, typename Get>
T ReadProp(const TFxStringGrid& g, int c, int r, T fallback, Get get)
{
    if (!g.CellPropertiesAssigned(c, r))
        return fallback;
    return get(*g.GridObjects(c, r));
}

} // namespace

// A write makes the properties object when missing, then repaints the cell
// where it is shown (unless an update is in progress).
template <typename Set>
void TFxStringGrid::WriteProp(int c, int r, Set set)
{
    set(*GetCellProperties(c, r));
    if (d->interact.UpdateCount == 0)
        RepaintCell(DisplColIndex(c), r);
}

fw::TColor TFxStringGrid::Colors(int c, int r) const
{
    return ReadProp(*this, c, r, fw::clNone, [](const TCellProperties& p) { return p.BrushColor(); });
}

void TFxStringGrid::SetColors(int c, int r, fw::TColor value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetBrushColor(value); });
}

fw::TColor TFxStringGrid::ColorsTo(int c, int r) const
{
    return ReadProp(*this, c, r, fw::clNone, [](const TCellProperties& p) { return p.BrushColorTo(); });
}

void TFxStringGrid::SetColorsTo(int c, int r, fw::TColor value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetBrushColorTo(value); });
}

TCellGradientDirection TFxStringGrid::Gradients(int c, int r) const
{
    return ReadProp(*this, c, r, GradientVertical, [](const TCellProperties& p) { return p.GradientDirection(); });
}

void TFxStringGrid::SetGradients(int c, int r, TCellGradientDirection value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetGradientDirection(value); });
}

fw::TColor TFxStringGrid::FontColors(int c, int r) const
{
    return ReadProp(*this, c, r, fw::clNone, [](const TCellProperties& p) { return p.FontColor(); });
}

void TFxStringGrid::SetFontColors(int c, int r, fw::TColor value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetFontColor(value); });
}

fw::TFontStyles TFxStringGrid::FontStyles(int c, int r) const
{
    return ReadProp(*this, c, r, fw::TFontStyles{}, [](const TCellProperties& p) { return p.FontStyle(); });
}

void TFxStringGrid::SetFontStyles(int c, int r, fw::TFontStyles value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetFontStyle(value); });
}

QString TFxStringGrid::FontNames(int c, int r) const
{
    return ReadProp(*this, c, r, QString(), [](const TCellProperties& p) { return p.FontName(); });
}

void TFxStringGrid::SetFontNames(int c, int r, const QString& value)
{
    WriteProp(c, r, [&value](TCellProperties& p) { p.SetFontName(value); });
}

int TFxStringGrid::FontSizes(int c, int r) const
{
    return ReadProp(*this, c, r, 0, [](const TCellProperties& p) { return p.FontSize(); });
}

void TFxStringGrid::SetFontSizes(int c, int r, int value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetFontSize(value); });
}

void TFxStringGrid::SetFonts(int c, int r, const fw::TFont& value)
{
    WriteProp(c, r, [&value](TCellProperties& p) {
        p.SetFontName(value.Name);
        p.SetFontSize(value.Size);
        p.SetFontStyle(value.Style);
        p.SetFontColor(value.Color);
    });
}

fw::TAlignment TFxStringGrid::Alignments(int c, int r) const
{
    return ReadProp(*this, c, r, fw::taLeftJustify, [](const TCellProperties& p) { return p.Alignment(); });
}

void TFxStringGrid::SetAlignments(int c, int r, fw::TAlignment value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetAlignment(value); });
}

bool TFxStringGrid::ReadOnly(int c, int r) const
{
    return ReadProp(*this, c, r, false, [](const TCellProperties& p) { return p.ReadOnly(); });
}

void TFxStringGrid::SetReadOnly(int c, int r, bool value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetReadOnly(value); });
}

bool TFxStringGrid::WordWraps(int c, int r)
{
    return GetCellProperties(c, r)->WordWrap();
}

void TFxStringGrid::SetWordWraps(int c, int r, bool value)
{
    WriteProp(c, r, [value](TCellProperties& p) { p.SetWordWrap(value); });
}

QWidget* TFxStringGrid::CellControls(int c, int r) const
{
    return ReadProp(*this, c, r, static_cast<QWidget*>(nullptr), [](const TCellProperties& p) { return p.Control(); });
}

void TFxStringGrid::SetCellControls(int c, int r, QWidget* value)
{
    TFxGridModelState& m = d->model;
    TControlList& controls = m.ControlList;
    const int realRow = RealRowIndex(r);
    if (!value) {
        if (!CellPropertiesAssigned(c, r) || !GridObjects(c, r)->Control())
            return;
        const int i = controls.ControlIndex(c, realRow);
        if (i >= 0)
            controls.RemoveControl(i);
        m.NumCellControls = std::max(0, m.NumCellControls - 1);
        GridObjects(c, r)->SetControl(nullptr);
        return;
    }
    const int old = controls.ControlIndex(c, realRow);
    if (old >= 0)
        controls.RemoveControl(old);
    TCellProperties* p = GetCellProperties(c, r);
    if (!p->Control())
        ++m.NumCellControls;
    controls.AddControl(c, realRow, value);
    p->SetControl(value);
    value->setParent(this);
    const fw::TRect rc = CellRect(DisplColIndex(c), r);
    value->setGeometry(rc.Left - 1, rc.Top - 1, rc.Right - rc.Left + 1, rc.Bottom - rc.Top + 1);
}

int TFxStringGrid::LinesInCell(int c, int r) const
{
    return TextLineCount(Cells(c, r), true);
}

// Row colours change one field of every cell of the row's normal columns,
// hidden columns included. Clearing a colour clears that field only: a
// cell's other properties (its merge span, check box, control) stay.
void TFxStringGrid::SetRowColor(int r, fw::TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == fw::clNone && !CellPropertiesAssigned(c, r))
            continue;
        GetCellProperties(c, r)->SetBrushColor(value);
    }
    RepaintRow(r);
}

void TFxStringGrid::SetRowColorTo(int r, fw::TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == fw::clNone && !CellPropertiesAssigned(c, r))
            continue;
        GetCellProperties(c, r)->SetBrushColorTo(value);
    }
    RepaintRow(r);
}

void TFxStringGrid::SetRowFontColor(int r, fw::TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == fw::clNone && !CellPropertiesAssigned(c, r))
            continue;
        GetCellProperties(c, r)->SetFontColor(value);
    }
    RepaintRow(r);
}

fw::TColor TFxStringGrid::RIRGradientFrom() const { return d->paint.RIRGradientFrom; }
fw::TColor TFxStringGrid::RIRGradientTo() const { return d->paint.RIRGradientTo; }
fw::TColor TFxStringGrid::RIRGradientMirrorFrom() const { return d->paint.RIRGradientMirrorFrom; }
fw::TColor TFxStringGrid::RIRGradientMirrorTo() const { return d->paint.RIRGradientMirrorTo; }

namespace {

// System colours are resolved when assigned; clNone stays clNone.
fw::TColor Resolved(fw::TColor value)
{
    return value == fw::clNone ? value : fw::ColorToRGB(value);
}

} // namespace

void TFxStringGrid::SetRIRGradientFrom(fw::TColor value)
{
    d->paint.RIRGradientFrom = Resolved(value);
    InvalidateSetting();
}

void TFxStringGrid::SetRIRGradientTo(fw::TColor value)
{
    d->paint.RIRGradientTo = Resolved(value);
    InvalidateSetting();
}

void TFxStringGrid::SetRIRGradientMirrorFrom(fw::TColor value)
{
    d->paint.RIRGradientMirrorFrom = Resolved(value);
    InvalidateSetting();
}

void TFxStringGrid::SetRIRGradientMirrorTo(fw::TColor value)
{
    d->paint.RIRGradientMirrorTo = Resolved(value);
    InvalidateSetting();
}

int TFxStringGrid::ZoomFactor() const
{
    return d->model.ZoomFactor;
}

void TFxStringGrid::Zoom(int x)
{
    const int n = d->model.ZoomFactor + x;
    if (n < -10 || n > 10)
        return;
    d->model.ZoomFactor = n;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0)
            SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0)
            SetRowHeights(r, RowHeights(r) + x);
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
}
