// The order in which one cell is painted inside the rectangle the drawing
// core prepared: fixed-cell decorations, the modified mark, in-cell editor
// buttons, text, borders, fixed edges, tree lines, the cell graphic, the
// owner-draw events and the focus rectangle.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxXPVS.h"
#include "grid/model/FxCellNode.h"
#include "grid/paint/FxCellPaintInterface.h"

#include <QDebug>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

using fw::TColor;
using fw::TRect;

void TFxStringGrid::DrawCellContent(fw::TCanvas& Canvas, int ACol, int ARow, TRect ARect, fw::TGridDrawState AState)
{
    TCellPaintContext c;
    c.ACol = ACol;
    c.ARow = ARow;
    c.Cell = ARect;
    c.R = ARect;
    c.State = AState;
    // A fault in one cell's painting must not take the paint pass (and Qt) down.
    try {
        PaintCellContent(Canvas, c);
    } catch (const std::exception& e) {
        qWarning() << "cell" << ACol << ARow << "not painted:" << e.what();
    } catch (...) {
        qWarning() << "cell" << ACol << ARow << "not painted";
    }
    Canvas.Pen().Style = fw::psSolid;
    Canvas.Pen().Mode = fw::pmCopy;
}

namespace {

// The in-cell scroll bar of a ctScrollbar cell, drawn by the widget style.
int DrawInCellScrollBar(fw::TCanvas& canvas, QWidget* grid, const TRect& r, int position, int page, int range)
{
    const int width = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    QPainter* painter = canvas.Painter();
    if (!painter)
        return width;
    QStyleOptionSlider opt;
    opt.initFrom(grid);
    opt.orientation = Qt::Vertical;
    opt.minimum = 0;
    opt.maximum = std::max(0, range - page);
    opt.pageStep = std::max(1, page);
    opt.sliderPosition = opt.sliderValue = std::clamp(position, 0, opt.maximum);
    // Styles lay a scroll bar's parts out from its own origin: the bar is
    // drawn at (0, 0) with the painter moved to the cell's right edge.
    opt.rect = QRect(0, 0, width, r.Height());
    opt.subControls = QStyle::SC_All;
    painter->save();
    painter->translate(r.Right - width, r.Top);
    grid->style()->drawComplexControl(QStyle::CC_ScrollBar, &opt, painter, grid);
    painter->restore();
    return width;
}

} // namespace

void TFxStringGrid::PaintCellContent(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    TFxGridPaintState& ps = PaintState();
    const TMouseActions& ma = MouseActions();
    const int ACol = c.ACol, ARow = c.ARow;

    // 1., 2.
    c.RC = RealColIndex(ACol);
    c.RR = ma.DisjunctRowSelect() && ma.RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
    const int RC = c.RC;

    // 3. the filter button of the filter row
    if (ARow == FilterDropDownRow() && ARow < FixedRows())
        c.FilterButton = DoGetColumnFilter(RC);

    // 4. an in-cell scroll bar whose page is shorter than its range
    if (GetCellType(RC, ARow) == ctScrollbar) {
        const TScrollProp prop = GetScrollProp(RC, ARow);
        if (prop.PageSize < prop.Range) {
            c.ScrollOffset = std::max(0, GetScrollPosition(RC, ARow));
            c.R.Right -= DrawInCellScrollBar(Canvas, this, c.R, c.ScrollOffset, prop.PageSize, prop.Range);
        }
    }

    // 5. the cell's look
    c.WW = WordWrap();
    c.Brush = Canvas.Brush();
    GetVisualProperties(ACol, ARow, c.State, {.Remap = true}, c);
    Canvas.Brush() = c.Brush;
    Canvas.Font() = c.Font;
    fw::TBrush& brush = Canvas.Brush();
    brush.Style = fw::bsSolid;

    // 6. the graphic
    c.G = GetCellGraphicInfo(RC, ARow, c.GW, c.GH, c.ShowText, c.GHA, c.GVA);
    if (ACol == 0 && c.G && c.G->CellType() == ctNode && CellPropertiesAssigned(0, ARow))
        c.GW = GridObjects(0, ARow)->NodeLevel() * 12 + 4;

    // 7.
    if ((c.State & fw::gdSelected) && !(c.State & fw::gdFocused) && SelectionColor() == fw::clNone)
        brush.Color = fw::clHighlight;

    // 8., 9.
    Canvas.Font().Size += ZoomFactor();
    c.SavedBrush = brush.Color;
    c.SavedFont = Canvas.Font().Color;

    // 10.
    c.Fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (HoverRowCells().Contains(hcFixed) && HoverRow() && ARow == HoverRowIdx())
        c.Fixed = false;

    // 11. No application style other than the default one exists here.
    c.Styled = false;

    // 12. fixed-cell background and decorations
    if (c.Fixed && !c.Styled) {
        DrawFixedCellBackground(Canvas, c);
        DrawRowIndicator(Canvas, c);
    }

    // 13. the modified-row mark
    if (ACol == 0 && ps.ShowModified->Enabled() && RowModified(RealRowIndex(ARow)))
        FillRectColor(Canvas, TRect(c.R.Right - 4, c.R.Top, c.R.Right, c.R.Bottom), ps.ShowModified->Color());

    // 14.
    if (const auto& e = Events().OnCustomCellBkgDraw)
        e(this, Canvas, RC, ARow, c.State, c.R, false);

    // 15. editor buttons that always show
    const int rightBeforeButtons = c.R.Right;
    const TControlLook& look = *ps.ControlLook;
    if ((look.DropDownAlwaysVisible() || look.SpinButtonsAlwaysVisible()) && !IsFixed(ACol, ARow)) {
        std::uint8_t buttonLook = look.FlatButton() ? cblFlat : (IsThemeActive() ? cblThemed : cblClassic);
        if (Flat() && ps.TonesSet)
            buttonLook = cblTones;
        bool canEdit = true;
        CanEditCell(RC, ARow, canEdit);
        const std::uint8_t state = canEdit ? cbsNormal : cbsDisabled;
        if (look.DropDownAlwaysVisible() && HasComboBox(RC, ARow)) {
            DrawCellComboButton(Canvas, this, TRect(c.R.Left - 2, c.R.Top - 1, c.R.Right + 1, c.R.Bottom), ps.Tones,
                                state, buttonLook);
            c.R.Right -= 16;
        } else if (look.SpinButtonsAlwaysVisible() && HasSpinEdit(RC, ARow)) {
            DrawCellSpinButtons(Canvas, this, c.R, ps.Tones, state, buttonLook);
            c.R.Right -= 16;
        }
    }

    // 16. text (an interface graphic may go under it)
    IFxCellPaint* painter =
        c.G && c.G->CellType() == ctInterface ? dynamic_cast<IFxCellPaint*>(c.G->CellInterface()) : nullptr;
    if (painter && painter->PaintUnderText())
        painter->PaintCell(Canvas, c.R.Inflated(1, 1), *this, (c.State & fw::gdSelected) != 0, ARow, RC);
    const bool ownerDraw = OnDrawCell || Events().OnCustomCellDraw;
    if (!(NoDefaultDraw() && ownerDraw))
        DrawCellText(Canvas, c);

    // 17. borders
    c.R.Right = rightBeforeButtons;
    brush.Color = c.SavedBrush;
    Canvas.Font().Color = c.SavedFont;
    c.R = c.R.Inflated(1, 1);
    DrawCellBorders(Canvas, RC, ARow, c.R);

    // 18.
    c.R.Left -= c.IndicatorShift;

    // 19.
    if (c.Fixed && !c.Styled)
        DrawFixedCellEdges(Canvas, c);

    // 20.
    if (ACol == 0 && HasNodes() && CellNode().ShowTree() && ARow >= FixedRows())
        DrawTreeLines(Canvas, c);

    // 21. the graphic
    if (painter) {
        if (!painter->PaintUnderText())
            painter->PaintCell(Canvas, TRect(c.R.Left - 1, c.R.Top - 1, c.R.Right, c.R.Bottom), *this,
                               (c.State & fw::gdSelected) != 0, ARow, RC);
    } else if (c.G) {
        if (c.Fixed)
            c.R.Top += 1;
        DrawCellGraphic(Canvas, c);
    }

    // 22. owner drawing
    if (OnDrawCell) {
        const TRect r(c.Cell.Left + 1, c.Cell.Top + 1, c.Cell.Right - GridLineWidth(), c.Cell.Bottom - GridLineWidth());
        OnDrawCell(this, RC, ARow, r, c.State);
    }
    if (const auto& e = Events().OnCustomCellDraw)
        e(this, Canvas, RC, ARow, c.State, c.R, false);

    // 23. the focus rectangle
    if (!HideFocusRect() && BaseCell(ACol, ARow) == fw::TPoint(Col(), Row()) && Focused() &&
        !(Options() & fw::goRowSelect) && Row() >= FixedRows() && Col() >= FixedCols()) {
        const int g = GridLineWidth() - 1;
        TRect f = c.R.Inflated(g, g);
        f.Right -= 1;
        f.Bottom -= 1;
        Canvas.DrawFocusRect(f);
    }
}

void TFxStringGrid::DrawBackgroundBitmap(fw::TCanvas& Canvas, const TRect& ARect)
{
    const fw::TBitmap& bmp = BackGround().Bitmap();
    const TRect pic = fw::Bounds(BackGround().Left(), BackGround().Top(), bmp.Width(), bmp.Height());
    const TRect part(std::max(pic.Left, ARect.Left), std::max(pic.Top, ARect.Top), std::min(pic.Right, ARect.Right),
                     std::min(pic.Bottom, ARect.Bottom));
    if (part.IsEmpty())
        return;
    fw::TBitmap& source = const_cast<fw::TBitmap&>(bmp);
    Canvas.CopyRect(part, source.Canvas(), part.Offset(-pic.Left, -pic.Top));
}

void TFxStringGrid::DrawBackgroundTiled(fw::TCanvas& Canvas, const TRect& ARect)
{
    const fw::TBitmap& bmp = BackGround().Bitmap();
    const int w = bmp.Width(), h = bmp.Height();
    if (w <= 0 || h <= 0 || ARect.IsEmpty())
        return;
    fw::TBitmap& source = const_cast<fw::TBitmap&>(bmp);
    for (int y = ARect.Top - 1; y < ARect.Bottom; y += h)
        for (int x = ARect.Left - 1; x < ARect.Right; x += w) {
            const TRect dest(x, y, std::min(x + w, ARect.Right), std::min(y + h, ARect.Bottom));
            Canvas.CopyRect(dest, source.Canvas(), TRect(0, 0, dest.Width(), dest.Height()));
        }
}
