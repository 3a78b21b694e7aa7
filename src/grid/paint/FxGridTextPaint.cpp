// Inside a cell that is not owner-drawn: the cell's share of the grid-wide
// background, the selection rectangle, the text (plain, HTML or rich, with
// the link look, password masking and the error underline) and the cell's
// own borders.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"

#include <QGuiApplication>

#include <algorithm>

using fw::TColor;
using fw::TRect;

namespace {

bool ControlCell(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton || t == ctRadioButton;
}

bool CellsFit(TBackGroundCells cells, bool fixed)
{
    return cells == bcAll || (fixed ? cells == bcFixed : cells == bcNormal);
}

} // namespace

void TFxStringGrid::DrawCellBackgroundBitmap(fw::TCanvas& Canvas, TCellPaintContext&, const TRect& BR)
{
    DrawBackgroundBitmap(Canvas, BR);
}

void TFxStringGrid::DrawCellBackgroundTiled(fw::TCanvas& Canvas, TCellPaintContext& c, const TRect& BR)
{
    const fw::TBitmap& bmp = BackGround().Bitmap();
    const int w = bmp.Width(), h = bmp.Height();
    if (w <= 0 || h <= 0 || BR.IsEmpty())
        return;
    // The tiles continue from cell to cell as one picture under the grid.
    const bool fromZero = BackGround().Cells() != bcNormal;
    const int xPhase = SumColWidths(fromZero ? 0 : FixedCols(), c.RC) % w;
    const int yPhase = SumRowHeights(fromZero ? 0 : FixedRows(), c.ARow) % h;
    fw::TBitmap& source = const_cast<fw::TBitmap&>(bmp);
    const int saved = Canvas.SaveDC();
    Canvas.IntersectClipRect(BR);
    for (int y = BR.Top - 1 - yPhase; y < BR.Bottom; y += h)
        for (int x = BR.Left - 1 - xPhase; x < BR.Right; x += w)
            Canvas.CopyRect(fw::Bounds(x, y, w, h), source.Canvas(), TRect(0, 0, w, h));
    Canvas.RestoreDC(saved);
}

void TFxStringGrid::DrawCellBackgroundGradient(fw::TCanvas& Canvas, const TRect& BR)
{
    if (BR.IsEmpty())
        return;
    const TBackGround& bg = BackGround();
    const bool horizontal = bg.Display() == bdGradientHorz;
    const int extent = horizontal ? ClientWidth() : ClientHeight();
    const TColor from = InterpolateColor(bg.Color(), bg.ColorTo(), 0, extent, horizontal ? BR.Left : BR.Top);
    const TColor to = InterpolateColor(bg.Color(), bg.ColorTo(), 0, extent, horizontal ? BR.Right : BR.Bottom);
    DrawStepGradient(Canvas, from, to, 128, BR, horizontal);
}

void TFxStringGrid::DrawSelectionRectangle(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    fw::TGridRect sel = Selection();
    sel = {std::min(sel.Left, sel.Right), std::min(sel.Top, sel.Bottom), std::max(sel.Left, sel.Right),
           std::max(sel.Top, sel.Bottom)};
    const fw::TPoint base = BaseCell(c.ACol, c.ARow);
    if (!sel.Contains(base.X, base.Y))
        return;
    // A merged block reaches to the selection's edges by its whole span.
    const fw::TPoint span = CellSpan(base.X, base.Y);
    const int lastCol = base.X + std::max(0, span.X);
    const int lastRow = base.Y + std::max(0, span.Y);
    const TRect& r = c.R;
    const TColor color = SelectionRectangleColor();
    if (base.X == sel.Left)
        FillRectColor(Canvas, TRect(r.Left, r.Top, r.Left + 2, r.Bottom), color);
    if (lastCol >= sel.Right)
        FillRectColor(Canvas, TRect(r.Right - 2, r.Top, r.Right, r.Bottom), color);
    if (base.Y == sel.Top)
        FillRectColor(Canvas, TRect(r.Left, r.Top, r.Right, r.Top + 2), color);
    if (lastRow >= sel.Bottom) {
        FillRectColor(Canvas, TRect(r.Left, r.Bottom - 2, r.Right, r.Bottom), color);
        if (SelectionResizer() && lastCol >= sel.Right)
            FillRectColor(Canvas, TRect(r.Right - 4, r.Bottom - 4, r.Right, r.Bottom), color);
    }
    Canvas.Pen().Width = 1;
}

void TFxStringGrid::DrawCellText(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TMouseActions& ma = MouseActions();
    fw::TBrush& brush = Canvas.Brush();
    fw::TFont& font = Canvas.Font();
    const bool down = PaintFeedback().ButtonDown;

    // A.1, A.2 text colours
    TColor UC = URLColor();
    const bool rowSelected = (Options() & fw::goRowSelect) && c.RC >= FixedCols() &&
                             c.RC < ColCount() - FixedRightCols() && c.ARow < RowCount() && RowSelect(c.ARow);
    if (((c.State & fw::gdSelected) || rowSelected) && !c.Fixed) {
        if (ShowSelection()) {
            if (SelectionColor() != fw::clNone)
                brush.Color = SelectionColor();
            if (SelectionTextColor() != fw::clNone && isEnabled())
                font.Color = SelectionTextColor();
            UC = SelectionTextColor();
        } else if (!Focused() || (c.G && c.G->CellType() == ctCheckBox)) {
            brush.Color = c.SavedBrush;
            font.Color = c.SavedFont;
            UC = URLColor();
        }
    }

    // A.3 the text and its kind
    QString T = GetFormattedCell(c.RC, c.ARow);
    c.Kind = CellTextKind(T, EnableHTML());
    if (c.Kind == ctkFormula) {
        ReadCellText(c.RC, c.ARow, T);
        c.Kind = CellTextKind(T, EnableHTML());
    }

    // A.4 error marker, password
    int errPos = 0, errLen = 0;
    GetMarker(c.RC, c.ARow, errPos, errLen);
    bool password = false;
    DoIsPasswordCell(c.RC, c.ARow, password);
    if (password)
        FillWithChar(T, PasswordChar());

    // A.5 the text rectangle
    TRect& TR = c.TR;
    TR = c.R;
    if (IsFixed(c.ACol, c.ARow)) {
        TR.Left += GridLineWidth();
        TR.Top += GridLineWidth();
    }
    int clipLevel = 0;
    if (c.ScrollOffset > 0) {
        clipLevel = Canvas.SaveDC();
        Canvas.IntersectClipRect(c.R);
        TR.Top -= c.ScrollOffset;
    }

    // A.6
    if (c.FilterButton)
        DrawFilterButton(Canvas, c);

    // A.7 unselected rows (columns) of a disjunct selection
    if (!c.Fixed && !down &&
        ((ma.DisjunctRowSelect() && c.ARow < RowCount() && !RowSelect(c.RR)) ||
         (ma.DisjunctColSelect() && c.ACol < ColCount() && !ColSelect(c.ACol)))) {
        brush.Color = Color();
        font.Color = Font().Color;
        DoGetCellColor(c.RC, c.ARow, c.State, brush, font);
        font.Size += ZoomFactor();
        UC = URLColor();
    }

    // B.1 the grid's picture, B.2 the grid-wide gradient
    const TBackGround& bg = BackGround();
    const bool shownSelected = (c.State & fw::gdSelected) != 0;
    const TCellType type = c.G ? c.G->CellType() : ctEmpty;
    if (!bg.Bitmap().Empty() && Colors(c.RC, c.ARow) == fw::clNone && CellsFit(bg.Cells(), c.Fixed) &&
        !shownSelected) {
        const int g = GridLineWidth() - 1;
        const TRect BR(TR.Left - g, TR.Top - g, TR.Right, TR.Bottom);
        if (bg.Display() == bdTile)
            DrawCellBackgroundTiled(Canvas, c, BR);
        else
            DrawCellBackgroundBitmap(Canvas, c, BR);
    }
    if ((bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert) &&
        (Colors(c.RC, c.ARow) == fw::clNone || ControlCell(type)) && CellsFit(bg.Cells(), c.Fixed) &&
        (!shownSelected || !ShowSelection())) {
        const int g = GridLineWidth();
        DrawCellBackgroundGradient(Canvas, TRect(TR.Left - 1, TR.Top - g, TR.Right, TR.Bottom + g - 1));
    }

    // B.3 the selection rectangle
    if (SelectionRectangle() && !c.Fixed)
        DrawSelectionRectangle(Canvas, c);

    // C. the text itself, where the graphic leaves room for it
    if (c.ShowText) {
        const fw::TPoint off = XYOffset();
        TR.Left += off.X;
        TR.Top += off.Y;
        if (!XYOffsetTopLeftOnly())
            TR.Right -= off.X;
        if (c.GHA == haBeforeText)
            TR.Left += c.GW;
        else if (c.GHA == haAfterText)
            TR.Right -= c.GW;
        if (c.GVA == vaAboveText)
            TR.Top += c.GH;
        else if (c.GVA == vaUnderText)
            TR.Bottom -= c.GH;
        if (c.ACol == 0 && HasNodes() && type != ctNode)
            TR.Left += NodeIndent(c.ARow);

        const TSortLook sort = SortLook();
        const bool sortedHeader = c.RC == sort.Column && IsSortRow(c.RC, c.ARow);
        if (c.Kind == ctkHtml) {
            if (c.FilterButton)
                TR.Right -= 18;
            if (sortedHeader)
                TR.Right -= 10;
            TR.Left -= 1;
            const TPaintFeedback& fb = PaintFeedback();
            const int hover = fb.HoverAnchorCell == fw::TGridCoord{c.ACol, c.ARow} ? fb.HoverAnchor : -1;
            QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
            int w = 0, h = 0, links = 0, mouseLink = 0;
            TRect hoverRect, controlRect;
            RenderHtmlText(Canvas, T, TR, GetCellImageList(c.RC, c.ARow), 0, 0, -1, hover, 1, false, false, false,
                           shownSelected, fb.Blink, URLUnderlineOnHover(), !EnhTextSize(),
                           (QGuiApplication::keyboardModifiers() & Qt::ControlModifier) != 0, 1.0, UC, fw::clNone,
                           fw::clNone, fw::clGray, anchor, stripped, focusAnchor, title, w, h, links, mouseLink,
                           hoverRect, controlRect, controlID, controlValue, controlType, &ImageCache(), PictureContainer(), this,
                           bdLeftToRight);
            c.TW = w + 2;
            if (sortedHeader)
                PlaceSortIndicator(Canvas, c, true, c.TW);
        } else if (c.Kind == ctkRichText) {
            Canvas.Pen().Color = brush.Color;
            if (!(shownSelected && !Focused() && SelectionColor() == fw::clNone)) {
                brush.Style = fw::bsSolid;
                Canvas.FillRect(TR);
            }
            brush.Style = fw::bsClear;
            DrawRichTextCell(c.ACol, c.ARow, TR, Canvas);
            brush.Style = fw::bsSolid;
            Canvas.Font().Color = fw::clBlack;
        } else {
            if (sortedHeader && c.HA == fw::taCenter)
                TR.Left += 10;
            bool link = false;
            if (URLShow() && LooksLikeUrl(GetCellEx(c.RC, c.ARow))) {
                if (!URLFull())
                    StripUrlScheme(T);
                Canvas.Font().Style.Include(fw::fsUnderline);
                Canvas.Font().Color = UC;
                link = true;
            }
            unsigned flags = fw::DT_EDITCONTROL;
            QString shown = T;
            if (TextLineCount(T, Multilinecells()) == 1 && !c.WW) {
                QString rest = T;
                TakeFirstLine(rest, false, shown);
                flags = fw::DT_SINGLELINE;
                if (EnhTextSize())
                    flags |= fw::DT_END_ELLIPSIS;
            }
            if (c.WW && !Multilinecells() && EnhTextSize())
                flags |= fw::DT_END_ELLIPSIS;
            flags |= fw::DT_EXPANDTABS | fw::DT_NOPREFIX;
            flags |= c.HA == fw::taRightJustify ? fw::DT_RIGHT : c.HA == fw::taCenter ? fw::DT_CENTER : fw::DT_LEFT;
            flags |= c.VA == vtaBottom ? fw::DT_BOTTOM : c.VA == vtaCenter ? fw::DT_VCENTER : fw::DT_TOP;
            if (c.WW || Multilinecells())
                flags |= fw::DT_WORDBREAK | fw::DT_EDITCONTROL;
            else
                flags |= fw::DT_SINGLELINE;
            Canvas.SetBkMode(fw::bkTransparent);
            if (c.FilterButton)
                TR.Right -= 16;
            if (c.Fixed && c.ARow < FixedRows())
                FitFixedCaption(Canvas, c, shown, TR, flags);
            if (c.G && !shown.isEmpty()) {
                TRect calc = TR;
                Canvas.DrawText(shown, calc, flags | fw::DT_CALCRECT);
                c.TW = calc.Right - TR.Left + 2;
            }
            TRect drawn = TR;
            Canvas.DrawText(shown, drawn, flags);
            if (errLen > 0 && (type == ctEmpty || type == ctValue)) {
                c.TextHeight = Canvas.TextHeight(QStringLiteral("hg"));
                DrawErrorUnderline(this, Canvas, shown, TR, c.TextHeight, errPos, errLen);
            }
            if (URLShow())
                Canvas.Font().Style.Exclude(fw::fsUnderline);
            if (link)
                Canvas.Font().Color = font.Color;
            if (IsSortRow(c.RC, c.ARow))
                PlaceSortIndicator(Canvas, c, false, Canvas.TextWidth(shown));
        }
    }

    // C.7
    if (clipLevel)
        Canvas.RestoreDC(clipLevel);
}

void TFxStringGrid::DrawCellBorders(fw::TCanvas& Canvas, int ACol, int ARow, TRect R)
{
    const fw::TPen saved = Canvas.Pen();
    TCellBorders borders;
    fw::TPen pen = Canvas.Pen();
    DoGetCellBorder(ACol, ARow, pen, borders);
    fw::TPen left = pen, top = pen, right = pen, bottom = pen;
    if (const auto& e = Events().OnGetCellBorderProp)
        e(this, ARow, ACol, left, top, right, bottom);
    if (!borders.Empty()) {
        const int pw = (pen.Width + 1) / 2;
        const fw::TGridOptions options = Options();
        if (options & fw::goVertLine)
            R.Left += pw;
        if (options & fw::goHorzLine)
            R.Bottom -= pw;
        auto line = [&](const fw::TPen& p, int x1, int y1, int x2, int y2) {
            Canvas.Pen() = p;
            Canvas.MoveTo(x1, y1);
            Canvas.LineTo(x2, y2);
        };
        const int glw = GridLineWidth();
        if (borders.Contains(cbLeft))
            line(left, std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
        if (borders.Contains(cbRight)) {
            R.Right -= pw;
            line(right, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
        }
        if (borders.Contains(cbTop)) {
            R.Top += pw;
            const int y = glw == 0 ? R.Top + 1 : std::max(0, R.Top - glw);
            line(top, R.Left, y, R.Right, y);
        }
        if (borders.Contains(cbBottom))
            line(bottom, R.Left - glw - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
    Canvas.Pen() = saved;
}
