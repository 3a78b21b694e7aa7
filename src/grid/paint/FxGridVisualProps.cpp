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

void TFxStringGrid::GetVisualProperties(int ACol, int ARow, fw::TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, fw::TBrush& ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, fw::TFont& AFont, fw::TAlignment& HA,
                                        TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    const TFxGridPaintState& ps = PaintState();
    const TMouseActions& ma = MouseActions();
    const int fixedCols = FixedCols();
    const int fixedRows = FixedRows();
    const bool printFonts = Print && !ps.PrintSettings->UseDisplayFont();

    // 1. base font
    if (ACol >= fixedCols && ARow >= fixedRows)
        AFont.Assign(printFonts ? ps.PrintSettings->Font() : Font());
    else
        AFont.Assign(printFonts ? ps.PrintSettings->FixedFont() : FixedFont());

    // 2. the real column, and the row of the row-state lists
    const int RC = Remap ? RealColIndex(ACol) : ACol;
    const int RR = ((ma.DisjunctRowSelect() && ma.RowSelectPersistent()) || UsesEnabledRows()) ? RealRowIndex(ARow)
                                                                                                : ARow;

    // 3.
    ABrush.Color = clNone;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    bool fromProps = false;   // P
    bool control = false;     // C
    bool keepBrush = false;   // K

    // 4. cell properties
    if (CellPropertiesAssigned(RC, ARow)) {
        const TCellProperties* p = GridObjects(RC, ARow);
        switch (GetCellType(ACol, ARow)) {
        case ctNone:
        case ctRotated:
        case ctEmpty:
            if (p->BrushColor() != clNone) {
                ABrush.Color = p->BrushColor();
                fromProps = true;
            }
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctRadio:
        case ctButton:
        case ctRadioButton:
            ABrush.Color = p->BrushColor();
            control = true;
            keepBrush = p->BrushColor() != clNone;
            break;
        default:
            ABrush.Color = p->BrushColor();
            break;
        }
        p->OverrideFont(AFont);
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }

    // 5.
    if (AState & fw::gdSelected)
        GD = GradientVertical;

    // 6. default background
    if ((ABrush.Color == clNone || control) && !keepBrush) {
        if (ABrush.Color == clNone)
            ABrush.Color = Color();
        const TBands& bands = Bands();
        if (bands.Active() && (!Print || bands.Print()) && ACol >= fixedCols &&
            ACol < ColCount() - FixedRightCols() + NumHiddenColumns() && ARow >= fixedRows &&
            ARow < RowCount() - FixedFooters()) {
            const int total = bands.TotalLength();
            if (total > 0)
                ABrush.Color = (ARow - fixedRows) % total < bands.PrimaryLength() ? bands.PrimaryColor()
                                                                                   : bands.SecondaryColor();
            else if (ABrush.Color == clNone)
                ABrush.Color = Color();
        }
        if (ACol < fixedCols || ARow < fixedRows || DisplColIndex(ACol) >= ColCount() - FixedRightCols() ||
            ARow >= RowCount() - FixedFooters())
            ABrush.Color = FixedColor();
    }

    // 7. fixed cells
    const bool fixed = IsFixed(ACol, ARow) || ACol < fixedCols || ARow < fixedRows;
    if (fixed && !Print && !fromProps) {
        ABrush.Color = FixedColor();
        AFont.Assign(FixedFont());
        AState |= fw::gdFixed;
    }

    // 8. the look's header gradient
    if (fixed && !fromProps && ps.Look > glClassic) {
        ABrush.Color = ps.RIRGradientFrom;
        AColorTo = ps.RIRGradientTo;
        AMirrorColor = ps.RIRGradientMirrorFrom;
        AMirrorColorTo = ps.RIRGradientMirrorTo;
    }

    // 9. colour hooks
    if (Print)
        DoGetCellPrintColor(RC, ARow, AState, ABrush, AFont);
    else
        DoGetCellColor(RC, ARow, AState, ABrush, AFont);

    // 10. gradient event
    if (const auto& e = Events().OnGetCellGradient) {
        TColor color = ABrush.Color;
        e(this, ARow, RC, color, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush.Color = color;
    }

    // 11.
    const TColor savedBrush = ABrush.Color;
    const TColor savedFont = AFont.Color;

    const bool down = ps.Feedback.ButtonDown;
    const bool showSel = ShowSelection();
    auto applySelection = [&](TColor brush) {
        ABrush.Color = brush;
        AColorTo = SelectionColorTo();
        AMirrorColor = SelectionMirrorColor();
        AMirrorColorTo = SelectionMirrorColorTo();
        if (SelectionTextColor() != clNone)
            AFont.Color = SelectionTextColor();
    };
    const bool disjunctCandidate = !Print && Select && showSel && !fixed && ACol >= fixedCols && ARow >= fixedRows;

    // 12. disjunct rows
    if (disjunctCandidate && ma.DisjunctRowSelect()) {
        const bool flag = RowSelect(RR);
        if ((flag && !(down && ARow == Row())) || (down && !flag && (AState & fw::gdSelected))) {
            AState = fw::gdSelected;
            applySelection(SelectionColor());
        } else {
            AState &= ~fw::TGridDrawState(fw::gdSelected);
        }
    }

    // 13. disjunct columns
    if (disjunctCandidate && ma.DisjunctColSelect()) {
        const bool flag = ACol < ColCount() && ColSelect(ACol);
        if ((flag && !(down && ACol == Col())) || (down && !flag && (AState & fw::gdSelected))) {
            AState = fw::gdSelected;
            applySelection(SelectionColor());
        }
    }

    // 14. normal selection
    if ((Select && !Print && showSel && !fixed && IsSelected(ACol, ARow) && !ma.DisjunctRowSelect() &&
         !ma.DisjunctColSelect()) ||
        ((AState & fw::gdSelected) && down && showSel)) {
        applySelection(ABrush.Color == Color()
                           ? SelectionColor()
                           : MixSelectionColor(SelectionColor(), ABrush.Color, SelectionColorMixer(),
                                               ps.SelectionColorMixerFactor));
        AState |= fw::gdSelected;
    }

    // 15. disjunct cells
    if (ma.DisjunctCellSelect() && showSel) {
        if (SelectedCells(ACol, ARow)) {
            applySelection(SelectionColor());
            AState |= fw::gdSelected;
        } else if (ACol == Col() && ARow == Row()) {
            AState &= ~fw::TGridDrawState(fw::gdSelected);
            ABrush.Color = savedBrush;
            AFont.Color = savedFont;
        }
    }

    // 16. disabled font
    if (UseDisabledFont() && ((UsesEnabledRows() && !RowEnabled(RR)) || !isEnabled()))
        AFont.Color = DisabledFontColor();

    // 17. lightened rows of a disjunct row selection
    if (ma.DisjunctRowSelect() && ARow != Row() && SelectionColorTo() == clNone && IsSelected(ACol, ARow))
        ABrush.Color = ScaleColorByPercent(ABrush.Color, 7);

    // 18., 19.
    DoGetWordWrap(RC, ARow, WW);
    GetCellAlignment(RC, ARow, HA, VA);
}
