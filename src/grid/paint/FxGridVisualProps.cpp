// The resolved look of a cell: brush, gradient colours, font, alignment and
// word wrap in one fixed order of precedence, the font-only variant used to
// measure text, and the selection colour mixer.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <algorithm>

using fw::TColor;
using fw::clNone;

TColor TFxStringGrid::MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Factor) const
{
    return Mixer ? BlendColors(SelColor, CellColor, Factor) : SelColor;
}

int TFxStringGrid::SelectionColorMixerFactor() const { return PaintState().SelectionColorMixerFactor; }

void TFxStringGrid::SetSelectionColorMixerFactor(int value)
{
    value = std::clamp(value, 0, 100);
    if (PaintState().SelectionColorMixerFactor == value)
        return;
    PaintState().SelectionColorMixerFactor = value;
    InvalidateSetting();
}

bool TFxStringGrid::ShowSelection() const { return ShowSel(); }

void TFxStringGrid::SetShowSelection(bool value)
{
    if (ShowSel() == value)
        return;
    SetShowSel(value);
    InvalidateSetting();
}

TColor TFxStringGrid::HighlightColor() const { return PaintState().HighlightColor; }
TColor TFxStringGrid::HighlightTextColor() const { return PaintState().HighlightTextColor; }

void TFxStringGrid::SetHighlightColor(TColor value)
{
    TFxGridPaintState& p = PaintState();
    if (p.HighlightColor == value)
        return;
    p.HighlightColor = value;
    SetHtmlHighlightColors(p.HighlightColor, p.HighlightTextColor);
    InvalidateSetting();
}

void TFxStringGrid::SetHighlightTextColor(TColor value)
{
    TFxGridPaintState& p = PaintState();
    if (p.HighlightTextColor == value)
        return;
    p.HighlightTextColor = value;
    SetHtmlHighlightColors(p.HighlightColor, p.HighlightTextColor);
    InvalidateSetting();
}

void TFxStringGrid::GetFontProperties(int ACol, int RCol, int ARow, fw::TGridDrawState& AState, fw::TFont& AFont,
                                      fw::TBrush& ABrush, bool)
{
    if (IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows())
        AFont.Assign(FixedFont());
    else
        AFont.Assign(Font());
    if (CellPropertiesAssigned(RCol, ARow))
        GridObjects(RCol, ARow)->OverrideFont(AFont);
    DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

// The steps that resolve one cell's look, in their order of precedence: a
// later step may override what an earlier one chose.
struct TFxStringGrid::TLookResolver {
    TFxStringGrid& g;
    const int ACol, ARow;
    fw::TGridDrawState& State;
    const TLookQuery Query;
    TCellLook& Look;
    const TFxGridPaintState& ps;
    const TMouseActions& ma;
    const int fixedCols, fixedRows;
    int RC = 0;               // the real column
    int RR = 0;               // the row of the row-state lists
    bool FromProps = false;   // the cell's properties gave the brush
    bool Control = false;     // an in-cell control: it shows the default background ...
    bool KeepBrush = false;   // ... unless its properties give a brush of their own
    bool Fixed = false;

    TLookResolver(TFxStringGrid& grid, int col, int row, fw::TGridDrawState& state, TLookQuery query,
                  TCellLook& look)
        : g(grid), ACol(col), ARow(row), State(state), Query(query), Look(look), ps(grid.PaintState()),
          ma(grid.MouseActions()), fixedCols(grid.FixedCols()), fixedRows(grid.FixedRows())
    {
    }

    void StartFromGridFont();
    void FindRealCell();
    void TakeCellProperties();
    void FillDefaultBackground();
    void TakeFixedLook();
    void AskColourHooks();
    void TakeSelectionLook();
    void TakeDisjunctRowAndColumnLook(bool down);
    void TakeNormalSelectionLook(bool down);
    void TakeDisjunctCellLook(TColor savedBrush, TColor savedFont);
    void ApplySelection(TColor brush);
    void DimDisabledFont();
    void LightenDisjunctRows();
    void AskWordWrapAndAlignment();
};

void TFxStringGrid::TLookResolver::StartFromGridFont()
{
    const bool printFonts = Query.Print && !ps.PrintSettings->UseDisplayFont();
    if (ACol >= fixedCols && ARow >= fixedRows)
        Look.Font.Assign(printFonts ? ps.PrintSettings->Font() : g.Font());
    else
        Look.Font.Assign(printFonts ? ps.PrintSettings->FixedFont() : g.FixedFont());
}

void TFxStringGrid::TLookResolver::FindRealCell()
{
    RC = Query.Remap ? g.RealColIndex(ACol) : ACol;
    RR = ((ma.DisjunctRowSelect() && ma.RowSelectPersistent()) || g.UsesEnabledRows()) ? g.RealRowIndex(ARow) : ARow;
}

void TFxStringGrid::TLookResolver::TakeCellProperties()
{
    Look.Brush.Color = clNone;
    Look.ColorTo = clNone;
    Look.MirrorColor = clNone;
    Look.MirrorColorTo = clNone;
    if (g.CellPropertiesAssigned(RC, ARow)) {
        const TCellProperties* p = g.GridObjects(RC, ARow);
        switch (g.GetCellType(ACol, ARow)) {
        case ctNone:
        case ctRotated:
        case ctEmpty:
            if (p->BrushColor() != clNone) {
                Look.Brush.Color = p->BrushColor();
                FromProps = true;
            }
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctRadio:
        case ctButton:
        case ctRadioButton:
            Look.Brush.Color = p->BrushColor();
            Control = true;
            KeepBrush = p->BrushColor() != clNone;
            break;
        default:
            Look.Brush.Color = p->BrushColor();
            break;
        }
        p->OverrideFont(Look.Font);
        Look.WW = p->WordWrap();
        Look.ColorTo = p->BrushColorTo();
        Look.GD = p->GradientDirection();
    }
    // The selection's gradient runs top to bottom whatever the cell says.
    if (State & fw::gdSelected)
        Look.GD = GradientVertical;
}

void TFxStringGrid::TLookResolver::FillDefaultBackground()
{
    if ((Look.Brush.Color != clNone && !Control) || KeepBrush)
        return;
    if (Look.Brush.Color == clNone)
        Look.Brush.Color = g.Color();
    const TBands& bands = g.Bands();
    if (bands.Active() && (!Query.Print || bands.Print()) && ACol >= fixedCols &&
        ACol < g.ColCount() - g.FixedRightCols() + g.NumHiddenColumns() && ARow >= fixedRows &&
        ARow < g.RowCount() - g.FixedFooters()) {
        const int total = bands.TotalLength();
        if (total > 0)
            Look.Brush.Color = (ARow - fixedRows) % total < bands.PrimaryLength() ? bands.PrimaryColor()
                                                                                   : bands.SecondaryColor();
        else if (Look.Brush.Color == clNone)
            Look.Brush.Color = g.Color();
    }
    if (ACol < fixedCols || ARow < fixedRows || g.DisplColIndex(ACol) >= g.ColCount() - g.FixedRightCols() ||
        ARow >= g.RowCount() - g.FixedFooters())
        Look.Brush.Color = g.FixedColor();
}

// A fixed cell without a brush of its own takes the fixed colour and font on
// the screen, and the look's header gradient wherever it is drawn.
void TFxStringGrid::TLookResolver::TakeFixedLook()
{
    Fixed = g.IsFixed(ACol, ARow) || ACol < fixedCols || ARow < fixedRows;
    if (Fixed && !Query.Print && !FromProps) {
        Look.Brush.Color = g.FixedColor();
        Look.Font.Assign(g.FixedFont());
        State |= fw::gdFixed;
    }
    if (Fixed && !FromProps && ps.Look > glClassic) {
        Look.Brush.Color = ps.RIRGradientFrom;
        Look.ColorTo = ps.RIRGradientTo;
        Look.MirrorColor = ps.RIRGradientMirrorFrom;
        Look.MirrorColorTo = ps.RIRGradientMirrorTo;
    }
}

void TFxStringGrid::TLookResolver::AskColourHooks()
{
    if (Query.Print)
        g.DoGetCellPrintColor(RC, ARow, State, Look.Brush, Look.Font);
    else
        g.DoGetCellColor(RC, ARow, State, Look.Brush, Look.Font);
    if (const auto& e = g.Events().OnGetCellGradient) {
        TColor color = Look.Brush.Color;
        e(&g, ARow, RC, color, Look.ColorTo, Look.MirrorColor, Look.MirrorColorTo, Look.GD);
        Look.Brush.Color = color;
    }
}

void TFxStringGrid::TLookResolver::ApplySelection(TColor brush)
{
    Look.Brush.Color = brush;
    Look.ColorTo = g.SelectionColorTo();
    Look.MirrorColor = g.SelectionMirrorColor();
    Look.MirrorColorTo = g.SelectionMirrorColorTo();
    if (g.SelectionTextColor() != clNone)
        Look.Font.Color = g.SelectionTextColor();
}

// The selection colours over the hooks' answer: disjunct rows and columns,
// the normal selection, then disjunct cells, which may take the current
// cell's own colours back.
void TFxStringGrid::TLookResolver::TakeSelectionLook()
{
    const TColor savedBrush = Look.Brush.Color;
    const TColor savedFont = Look.Font.Color;
    const bool down = ps.Feedback.ButtonDown;
    TakeDisjunctRowAndColumnLook(down);
    TakeNormalSelectionLook(down);
    TakeDisjunctCellLook(savedBrush, savedFont);
}

// While the button is down on a cell the pending selection shows instead of
// the stored flag of the current row or column.
void TFxStringGrid::TLookResolver::TakeDisjunctRowAndColumnLook(bool down)
{
    if (Query.Print || !Query.Select || !g.ShowSelection() || Fixed || ACol < fixedCols || ARow < fixedRows)
        return;
    if (ma.DisjunctRowSelect()) {
        const bool flag = g.RowSelect(RR);
        if ((flag && !(down && ARow == g.Row())) || (down && !flag && (State & fw::gdSelected))) {
            State = fw::gdSelected;
            ApplySelection(g.SelectionColor());
        } else {
            State &= ~fw::TGridDrawState(fw::gdSelected);
        }
    }
    if (ma.DisjunctColSelect()) {
        const bool flag = ACol < g.ColCount() && g.ColSelect(ACol);
        if ((flag && !(down && ACol == g.Col())) || (down && !flag && (State & fw::gdSelected))) {
            State = fw::gdSelected;
            ApplySelection(g.SelectionColor());
        }
    }
}

void TFxStringGrid::TLookResolver::TakeNormalSelectionLook(bool down)
{
    const bool showSel = g.ShowSelection();
    if ((Query.Select && !Query.Print && showSel && !Fixed && g.IsSelected(ACol, ARow) && !ma.DisjunctRowSelect() &&
         !ma.DisjunctColSelect()) ||
        ((State & fw::gdSelected) && down && showSel)) {
        ApplySelection(Look.Brush.Color == g.Color()
                           ? g.SelectionColor()
                           : g.MixSelectionColor(g.SelectionColor(), Look.Brush.Color, g.SelectionColorMixer(),
                                                 ps.SelectionColorMixerFactor));
        State |= fw::gdSelected;
    }
}

void TFxStringGrid::TLookResolver::TakeDisjunctCellLook(TColor savedBrush, TColor savedFont)
{
    if (!ma.DisjunctCellSelect() || !g.ShowSelection())
        return;
    if (g.SelectedCells(ACol, ARow)) {
        ApplySelection(g.SelectionColor());
        State |= fw::gdSelected;
    } else if (ACol == g.Col() && ARow == g.Row()) {
        State &= ~fw::TGridDrawState(fw::gdSelected);
        Look.Brush.Color = savedBrush;
        Look.Font.Color = savedFont;
    }
}

void TFxStringGrid::TLookResolver::DimDisabledFont()
{
    if (g.UseDisabledFont() && ((g.UsesEnabledRows() && !g.RowEnabled(RR)) || !g.isEnabled()))
        Look.Font.Color = g.DisabledFontColor();
}

// The rows of a disjunct row selection other than the current one show a
// little lighter, unless the selection has a gradient of its own.
void TFxStringGrid::TLookResolver::LightenDisjunctRows()
{
    if (ma.DisjunctRowSelect() && ARow != g.Row() && g.SelectionColorTo() == clNone && g.IsSelected(ACol, ARow))
        Look.Brush.Color = ScaleColorByPercent(Look.Brush.Color, 7);
}

void TFxStringGrid::TLookResolver::AskWordWrapAndAlignment()
{
    g.DoGetWordWrap(RC, ARow, Look.WW);
    g.GetCellAlignment(RC, ARow, Look.HA, Look.VA);
}

void TFxStringGrid::GetVisualProperties(int ACol, int ARow, fw::TGridDrawState& AState, TLookQuery Query,
                                        TCellLook& Look)
{
    TLookResolver r(*this, ACol, ARow, AState, Query, Look);
    r.StartFromGridFont();
    r.FindRealCell();
    r.TakeCellProperties();
    r.FillDefaultBackground();
    r.TakeFixedLook();
    r.AskColourHooks();
    r.TakeSelectionLook();
    r.DimDisabledFont();
    r.LightenDisjunctRows();
    r.AskWordWrapAndAlignment();
}
