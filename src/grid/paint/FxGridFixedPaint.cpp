// The look of fixed cells: header gradients per look with their hover and
// pressed states, the header drop-down button, the active-cell headers, the
// sorted column's header, the row indicator, the list-view header element,
// the edges of the classic and soft looks, the filter button, the sort
// indicator, and header captions too long for their cell.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxXPVS.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <algorithm>

using fw::TColor;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

namespace {

void Line(fw::TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2)
{
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = fw::psSolid;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// Black (grey when flat) lines just outside the cell.
void OutsideLines(fw::TCanvas& canvas, const TRect& R, fw::TGridOptions options, TColor color)
{
    if (options & fw::goFixedHorzLine) {
        Line(canvas, color, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
        Line(canvas, color, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
    }
    if (options & fw::goFixedVertLine) {
        Line(canvas, color, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
        Line(canvas, color, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }
}

void DrawTransparent(fw::TCanvas& canvas, const fw::TBitmap& glyph, int x, int y)
{
    if (glyph.Empty())
        return;
    std::unique_ptr<fw::TGraphic> copy = glyph.Clone();
    copy->SetTransparent(true);
    canvas.Draw(x, y, *copy);
}

} // namespace

// SortLook() and FilterLook() are answered by the sort and filter settings
// (grid/model/FxGridSort.cpp, FxGridFilter.cpp).

bool TFxStringGrid::DoCanShowFixedDropDown(int ACol)
{
    bool allow = true;
    if (const auto& e = Events().OnCanShowFixedDropDown)
        e(this, ACol, allow);
    return allow;
}

void TFxStringGrid::DrawFixedCellBackground(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TFxGridPaintState& ps = PaintState();
    const TGridLook look = ps.Look;
    TRect& R = c.R;
    if (look == glRIR || look == glXP || look == glVista || look == glWin7 || look == glOffice2007) {
        const TPaintFeedback& fb = ps.Feedback;
        const THoverFixedCells hfc = HoverFixedCells();
        const bool takesHover = hfc == hfAll || (hfc == hfFixedRows && c.ARow < FixedRows()) ||
                                (hfc == hfFixedColumns && c.ACol < FixedCols());
        const bool hovered = (fb.HoverFixed == fw::TGridCoord{c.ACol, c.ARow} && fb.MovingColumn < 0) ||
                             (fb.MovingColumn >= 0 && fb.MovingColumn == c.ACol);
        const TSortLook sort = SortLook();
        if (takesHover && hovered) {
            TRect r = R;
            r.Bottom += 1;
            const bool dropDown = ps.ControlLook->FixedDropDownButton() && DoCanShowFixedDropDown(c.RC);
            auto hover = [&](const TRect& b) {
                DrawGradientBox(Canvas, b, RIRGradientHoverFrom(), RIRGradientHoverTo(), RIRGradientHoverMirrorFrom(),
                                RIRGradientHoverMirrorTo(), true, RIRGradientHoverBorder(), false, true);
            };
            auto pressed = [&](const TRect& b) {
                DrawGradientBox(Canvas, b, RIRGradientDownFrom(), RIRGradientDownTo(), RIRGradientDownMirrorFrom(),
                                RIRGradientDownMirrorTo(), true, RIRGradientDownBorder(), false, true);
            };
            if (!fb.FixedButtonDown) {
                hover(r);
            } else if (dropDown) {
                const TRect label(r.Left, r.Top, r.Right - 16, r.Bottom);
                const TRect button(r.Right - 16, r.Top, r.Right, r.Bottom);
                if (fb.FixedDropDownOpen) {
                    hover(label);
                    pressed(button);
                } else {
                    pressed(label);
                    hover(button);
                }
            } else {
                pressed(r);
            }
            if (dropDown) {
                const TColor border = fb.FixedButtonDown ? RIRGradientDownBorder() : RIRGradientHoverBorder();
                Line(Canvas, border, r.Right - 16, r.Top, r.Right - 16, r.Bottom);
                DrawSmallDownTriangle(Canvas, r.Right - 8, r.Top + 8, fw::clBlack);
                R.Right -= 16;
            }
        } else if (ActiveCellShow() && ((c.ACol == FixedCols() - 1 && FixedCols() > 0 && c.ARow == Row()) ||
                                        (c.ARow == FixedRows() - 1 && FixedRows() > 0 && c.ACol == Col()))) {
            DrawGradientBox(Canvas, R, ActiveCellColor(), ActiveCellColorTo(), clNone, clNone, true, clNone, false,
                            true);
        } else if (sort.Column != -1 && sort.HeaderColor != clNone && c.RC == sort.Column &&
                   c.ARow == FixedRows() - 1 && (c.ACol >= FixedCols() || sort.FixedCols)) {
            DrawGradientBox(Canvas, R, sort.HeaderColor, sort.HeaderColorTo, sort.HeaderMirrorColor,
                            sort.HeaderMirrorColorTo, true, clNone, false, true);
        } else if (!Flat()) {
            DrawGradientBox(Canvas, R, Canvas.Brush().Color, c.ColorTo, c.MirrorColor, c.MirrorColorTo, true,
                            look == glVista ? fw::clWhite : clNone, true, true);
        }
    } else if (look == glListView && !Flat()) {
        if (IsThemeActive()) {
            const TRect r(R.Left, R.Top, R.Right, R.Bottom + 1);
            const bool outside = !(ps.Feedback.HotFixed == fw::TGridCoord{c.ACol, c.ARow});
            const int state = outside ? xpvs::HIS_NORMAL
                                      : ps.Feedback.FixedButtonDown ? xpvs::HIS_PRESSED : xpvs::HIS_HOT;
            DrawThemePartCached(this, QStringLiteral("header"), Canvas, xpvs::HP_HEADERITEM, state, r);
            Line(Canvas, fw::clWhite, R.Left, R.Top, R.Right, R.Top);
        } else {
            FillRectColor(Canvas, R, fw::clBtnFace);
            Canvas.Brush().Color = fw::clWhite;
            Canvas.FrameRect(R);
        }
    }
}

void TFxStringGrid::DrawRowIndicator(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const fw::TBitmap& bmp = RowIndicator();
    if (c.RC != 0 || c.ARow != Row() || FixedCols() <= 0 || bmp.Empty() ||
        (RowCount() == FixedRows() && FixedRowAlways()))
        return;
    TRect& R = c.R;
    int y = R.Top;
    if (VAlignment() == vtaCenter)
        y = R.Top + (R.Height() - bmp.Height()) / 2;
    else if (VAlignment() == vtaBottom)
        y = R.Bottom - bmp.Height();
    DrawTransparent(Canvas, bmp, R.Left + 2, y);
    c.IndicatorShift = bmp.Width() + 2;
    R.Left += c.IndicatorShift;
}

void TFxStringGrid::DrawFixedCellEdges(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TGridLook look = Look();
    const fw::TGridOptions options = Options();
    TRect R = c.R;
    const bool ctl3D = !Flat();
    if (!Flat()) {
        if (look == glClassic) {
            R = TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom + 1);
            TRect inner = R;
            Canvas.DrawEdge(inner, fw::BDR_RAISEDINNER, fw::BF_TOPLEFT);
            TRect outer = R;
            Canvas.DrawEdge(outer, fw::EDGE_RAISED, fw::BF_BOTTOMRIGHT);
            Line(Canvas, fw::clBlack, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
            Canvas.LineTo(R.Left - 1, R.Bottom - 1);
        } else if (look == glRIR || look == glXP) {
            R.Bottom += 1;
            if (options & fw::goFixedHorzLine) {
                Line(Canvas, DarkenColorHalf(FixedColor()), R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
                Line(Canvas, fw::clWhite, R.Right - 2, R.Top + 1, R.Left + 1, R.Top + 1);
                Canvas.LineTo(R.Left + 1, R.Bottom - 1);
            }
        } else if (look == glSoft && ctl3D) {
            R.Right += 1;
            R.Bottom += 1;
            const TColor dark = DarkenColorHalf(FixedColor());
            if (options & fw::goFixedHorzLine) {
                Line(Canvas, dark, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
                Line(Canvas, fw::clWhite, R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
                Canvas.LineTo(R.Left + 1, R.Bottom - 1);
            }
            if (options & fw::goFixedVertLine) {
                Line(Canvas, dark, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
                Line(Canvas, fw::clWhite, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
            }
        } else if (look == glSoft) {
            OutsideLines(Canvas, R, options, fw::clBlack);
        }
    }
    if (c.RC >= ColCount() + NumHiddenColumns() - FixedRightCols() && look != glClassic && !ctl3D)
        OutsideLines(Canvas, c.R, options, Flat() ? TColor(0x808080) : fw::clBlack);
}

void TFxStringGrid::DrawFilterButton(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TFilterLook filter = FilterLook(c.RC);
    const fw::TBitmap* glyph = filter.ColumnActive ? filter.GlyphActive : filter.Glyph;
    const int x = c.R.Right - 16;
    const int y = c.TR.Top;
    if (glyph && !glyph->Empty()) {
        DrawTransparent(Canvas, *glyph, x, y);
        return;
    }
    fw::TBitmap standard;
    if (LoadGridGlyph(QStringLiteral("SGFILT"), standard))
        DrawBitmapTransparent(Canvas, standard, FixedColor(), fw::Bounds(x, y, standard.Width(), standard.Height()));
}

void TFxStringGrid::PlaceSortIndicator(fw::TCanvas& Canvas, TCellPaintContext& c, bool Html, int TextWidth)
{
    const TSortLook sort = SortLook();
    int position = -1;
    for (std::size_t i = 0; i < sort.Indexes.size(); ++i)
        if ((sort.Indexes[i] & 0x7FFFFFFF) == c.RC) {
            position = int(i);
            break;
        }
    if (!(c.RC == sort.Column || position >= 0) || FixedRows() <= 0 ||
        !(c.ACol >= FixedCols() || sort.FixedCols))
        return;
    if (!(position < 1 || sort.IndexShow))
        return;
    const TRect& TR = c.TR;
    int y = TR.Top + 8;
    if (c.VA == vtaCenter)
        y = TR.Top + (TR.Bottom - TR.Top) / 2;
    else if (c.VA == vtaBottom)
        y = TR.Bottom - 8;
    int x;
    if (Html) {
        x = TR.Right + 2;
    } else {
        const int w = std::max(0, std::min(TR.Width() - 16, TextWidth));
        const int indent = c.G && (c.GHA == haLeft || c.GHA == haBeforeText) ? c.GW : 0;
        if (c.HA == fw::taRightJustify)
            x = TR.Right - w - 10;
        else if (c.HA == fw::taCenter)
            x = TR.Left + 8;
        else
            x = TR.Left + w + indent + 10;
    }
    DrawSortIndicator(Canvas, c.RC, y, x);
}

void TFxStringGrid::DrawSortIndicator(fw::TCanvas& Canvas, int ACol, int Y, int X)
{
    const TSortLook sort = SortLook();
    const bool upDown = sort.UpGlyph && !sort.UpGlyph->Empty() && sort.DownGlyph && !sort.DownGlyph->Empty();
    if (isRightToLeft()) {
        X = ClientWidth() - X - 4 - 7;
        if (upDown)
            X -= sort.UpGlyph->Width();
    }
    const fw::TPen savedPen = Canvas.Pen();
    if (sort.IndexShow) {
        int position = -1;
        int entry = 0;
        for (std::size_t i = 0; i < sort.Indexes.size(); ++i)
            if ((sort.Indexes[i] & 0x7FFFFFFF) == ACol) {
                position = int(i);
                entry = sort.Indexes[i];
                break;
            }
        if (position >= 0) {
            Canvas.Brush().Color = sort.IndexColor;
            Canvas.Brush().Style = fw::bsSolid;
            Canvas.SetBkMode(fw::bkTransparent);
            const fw::TFont savedFont = Canvas.Font();
            const bool indexGlyphs = sort.IndexUpGlyph && !sort.IndexUpGlyph->Empty() && sort.IndexDownGlyph &&
                                     !sort.IndexDownGlyph->Empty();
            Canvas.Pen().Color = fw::clBlack;
            if (entry < 0) {
                if (!indexGlyphs)
                    Canvas.Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
                else
                    DrawTransparent(Canvas, *sort.IndexUpGlyph, X - 7, Y - 7);
            } else {
                if (!indexGlyphs)
                    Canvas.Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
                else
                    DrawTransparent(Canvas, *sort.IndexDownGlyph, X - 7, Y - 7);
            }
            Canvas.Font().Size = 6;
            Canvas.Font().Color = fw::clBlack;
            Canvas.Font().Style = fw::TFontStyles();
            Canvas.SetBkMode(fw::bkTransparent);
            Canvas.TextOut(X - 2, entry < 0 ? Y - 4 : Y - 2, QString::number(position + 1));
            Canvas.Font() = savedFont;
        }
    } else if (sort.Descending) {
        if (!upDown) {
            Line(Canvas, fw::clWhite, X + 4, Y - 4, X, Y + 4);
            Canvas.Pen().Color = 0x808080;
            Canvas.LineTo(X - 4, Y - 4);
            Canvas.LineTo(X + 4, Y - 4);
        } else {
            DrawTransparent(Canvas, *sort.DownGlyph, X - 4, Y - 4);
            Canvas.Brush().Color = FixedColor();
        }
    } else {
        if (!upDown) {
            Line(Canvas, fw::clWhite, X - 4, Y + 4, X + 4, Y + 4);
            Canvas.LineTo(X, Y - 4);
            Canvas.Pen().Color = 0x808080;
            Canvas.LineTo(X - 4, Y + 4);
        } else {
            DrawTransparent(Canvas, *sort.UpGlyph, X - 4, Y - 4);
            Canvas.Brush().Color = FixedColor();
        }
    }
    Canvas.Pen() = savedPen;
    Canvas.Pen().Color = fw::clBlack;
}

// A header caption that does not fit its cell as the cell's flags lay it out
// (a line wider than the cell, or wrapped lines below its bottom, which the
// edit-control layout would drop unseen) is drawn on one line ending in an
// ellipsis instead, with its line breaks as blanks. The grid remembers which
// captions it cut, so that a hint can show them whole.
void TFxStringGrid::FitFixedCaption(fw::TCanvas& Canvas, const TCellPaintContext& c, QString& Text, const TRect& TR,
                                    unsigned& Flags)
{
    std::set<std::pair<int, int>>& cut = PaintState().CutCaptions;
    const std::pair<int, int> key(c.RC, c.ARow);
    bool fits = true;
    if (!Text.isEmpty() && TR.Width() > 0) {
        TRect need = TR;
        Canvas.DrawText(Text, need, Flags | fw::DT_CALCRECT);
        // One line may be taller than a low cell; only further lines are lost.
        const int line = Canvas.TextHeight(QStringLiteral("hg"));
        fits = need.Width() <= TR.Width() && (need.Height() <= TR.Height() || need.Height() <= line);
    }
    if (fits) {
        cut.erase(key);
        return;
    }
    Text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    Text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    Text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    Flags = (Flags & ~(fw::DT_WORDBREAK | fw::DT_EDITCONTROL)) | fw::DT_SINGLELINE | fw::DT_END_ELLIPSIS;
    cut.insert(key);
}

bool TFxStringGrid::FixedCaptionCut(int ACol, int ARow) const
{
    const std::set<std::pair<int, int>>& cut = PaintState().CutCaptions;
    return cut.count({RealColIndex(ACol), ARow}) > 0;
}
