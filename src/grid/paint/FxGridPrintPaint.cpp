// The painters of the print page loop: a row of cells, the header and
// footer with time, date, page number and title, and the page frame. They
// draw on the printer or preview canvas in 0.1 mm with y growing upward.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/DateTime.h"
#include "framework/SysColors.h"
#include "framework/Graphics.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/model/FxCellGraphic.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/paint/FxGridPaint_p.h"
#include "grid/paint/FxGridPrint_p.h"
#include "grid/paint/FxPrintPager.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

using fw::TRect;

namespace {

constexpr unsigned kWrapFlags = 0x2850;        // edit control, no prefix, expand tabs, word break
constexpr unsigned kLineFlags = 0x2820;        // edit control, no prefix, single line
constexpr unsigned kEllipsisFlags = 0xA820;    // the same with an end ellipsis

unsigned horizontalFlag(fw::TAlignment a)
{
    return a == fw::taRightJustify ? fw::DT_RIGHT : a == fw::taCenter ? fw::DT_CENTER : 0;
}

// A cell's gradient on paper: 64 steps from `from` to `to` (fewer when the
// cell is less than 64 units high), a band of one colour filled once.
void printGradient(fw::TCanvas& canvas, fw::TColor from, fw::TColor to, TRect r, bool horizontal)
{
    if (r.Top < r.Bottom)
        std::swap(r.Top, r.Bottom);
    from = fw::ColorToRGB(from);
    to = fw::ColorToRGB(to);
    const int span = horizontal ? r.Right - r.Left : r.Top - r.Bottom;
    if (span <= 0)
        return;
    const int steps = std::min(64, span);
    const auto colorAt = [&](int i) {
        const auto channel = [&](int f, int t) {
            return f + int(std::lround(double(i) * (t - f) / std::max(steps - 1, 1)));
        };
        return fw::RGBToColor(channel(fw::GetRValue(from), fw::GetRValue(to)),
                              channel(fw::GetGValue(from), fw::GetGValue(to)),
                              channel(fw::GetBValue(from), fw::GetBValue(to)));
    };
    canvas.Brush().Style = fw::bsSolid;
    int start = 0;
    for (int i = 0; i < steps; ++i) {
        const fw::TColor c = colorAt(i);
        if (i + 1 < steps && colorAt(i + 1) == c)
            continue;
        const int a = int(std::int64_t(start) * span / steps), b = int(std::int64_t(i + 1) * span / steps);
        canvas.Brush().Color = c;
        // Horizontal runs left to right; vertical from the top down.
        canvas.FillRect(horizontal ? TRect(r.Left + a, r.Top, r.Left + b, r.Bottom)
                                   : TRect(r.Left, r.Top - a, r.Right, r.Top - b));
        start = i + 1;
    }
}

void line(fw::TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

} // namespace

int TFxStringGrid::PrintRow(int Y, int FirstCol, int LastCol, int ARow)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    if (!pr.Pager || !pr.Canvas)
        return 0;
    const TPrintPager& pager = *pr.Pager;
    fw::TCanvas& canvas = *pr.Canvas;
    const int s = pager.LineGap();
    const int cg = pager.Gap();
    const int rowStep = pager.RowStep(PrintRowHeight(ARow));
    if (!pager.Drawn())
        return rowStep;
    const double k = pr.PixelFactor;
    // Repeated fixed columns end where the band's own columns begin.
    const int bandRight = LastCol < pager.BandFirst() ? pager.Offset(pager.BandFirst()) : pager.Offset(LastCol + 1);
    // A row taller than the room left on its page (it then has the page to
    // itself) is cut off above the footer instead of running over it.
    const int bodyBottom = pager.PageHeight() + pager.FooterReserve();
    const int clipLevel = Y - (rowStep - 2 * s - ps.RowSpacing()) <= bodyBottom ? canvas.SaveDC() : 0;
    if (clipLevel)
        canvas.IntersectClipRect(TRect(0, Y, pager.PageWidth(), bodyBottom));
    const TAtExit unclip([&] {
        if (clipLevel)
            canvas.RestoreDC(clipLevel);
    });

    for (int c = FirstCol; c <= LastCol; ++c) {
        if (!PrintColFiltered(c))
            continue;
        // Only the base cell of a merged block draws, across the whole block.
        if (IsMergedNonBaseCell(c, ARow))
            continue;
        const fw::TPoint span = CellSpan(c, ARow);
        int cellWidth = 0;
        for (int j = c; j <= c + span.X && j < ColCount(); ++j)
            if (PrintColFiltered(j))
                cellWidth += pager.Width(j) + cg;
        int cellHeight = rowStep;
        for (int r = ARow + 1; r <= ARow + span.Y && r < RowCount(); ++r)
            cellHeight += pager.RowStep(PrintRowHeight(r));
        TRect cell(pager.Offset(c), Y, pager.Offset(c) + cellWidth, Y - cellHeight);

        // Lines of the cell.
        fw::TPen pen;
        pen.Width = 1;
        pen.Color = ps.BorderColor();
        pen.Style = ps.BorderStyle();
        TCellBorders borders;
        switch (ps.Borders()) {
        case pbSingle:
        case pbDouble:
            borders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
            break;
        case pbHorizontal:
        case pbAroundHorizontal:
            borders = TCellBorders{cbTop, cbBottom};
            break;
        case pbVertical:
        case pbAroundVertical:
            borders = TCellBorders{cbLeft, cbRight};
            break;
        default:
            break;
        }
        DoGetCellPrintBorder(c, ARow, pen, borders);

        // Background.
        TCellLook look;
        PrintCellLook(*this, c, ARow, look);
        TRect back = cell;
        if (!borders.Contains(cbLeft))
            back.Left += 2 * pen.Width;
        if (!borders.Contains(cbTop))
            back.Top -= 2 * pen.Width;
        const fw::TColor cellColor = look.Brush.Color;
        if (cellColor != fw::clNone) {
            if (look.ColorTo != fw::clNone && look.ColorTo != cellColor) {
                printGradient(canvas, cellColor, look.ColorTo, back, look.GD == GradientHorizontal);
            } else {
                canvas.Brush().Style = fw::bsSolid;
                canvas.Brush().Color = cellColor;
                canvas.FillRect(back);
            }
        }

        // Text and graphic.
        const int RC = RealColIndex(c);
        TPrintText content = PrintCellText(*this, c, ARow);
        QString& text = content.Text;
        if (content.Kind == ctkPlain && URLShow() && !URLFull())
            StripUrlScheme(text);
        canvas.Font() = look.Font;
        canvas.Font().SetHeight(MapFontHeight(look.Font.Size));
        canvas.Brush().Style = fw::bsClear;
        fw::TAlignment ha = look.HA;
        TVAlignment va = look.VA;
        GetCellAlignment(c, ARow, ha, va);
        const int halfG = canvas.TextWidth(QStringLiteral("g")) / 2;
        const int right = std::min(cell.Right, bandRight);
        // The text's area: the cell less the room its graphic takes.
        TRect area(cell.Left, Y, right, Y - cellHeight - ps.RowSpacing());
        fw::TPoint graphicPx;
        TCellGraphic* graphic = PrintCellGraphic(*this, c, ARow, graphicPx);
        TRect graphicRect;
        if (graphic) {
            const TCellType type = graphic->CellType();
            if (type == ctRadio)
                text.clear();   // the group shows its captions itself
            int gw = int(std::lround(graphicPx.X * k)), gh = int(std::lround(graphicPx.Y * k));
            const int margin = int(std::lround(k));
            int gl = cell.Left + margin;
            switch (graphic->CellHAlign()) {
            case haLeft:
            case haBeforeText:
                area.Left = gl + gw;
                break;
            case haRight:
            case haAfterText:
                gl = right - gw - margin;
                area.Right = gl;
                break;
            case haCenter:
                gl = cell.Left + (right - cell.Left - gw) / 2;
                break;
            case haFull:
                gl = cell.Left;
                gw = right - cell.Left;
                break;
            }
            const bool box = IsCheckBoxType(type) || type == ctRadioButton;
            if (box && text.isEmpty()) {
                if (ha == fw::taRightJustify)
                    gl = right - gw - margin;
                else if (ha == fw::taCenter)
                    gl = cell.Left + (right - cell.Left - gw) / 2;
            }
            // y grows upward: the top is the larger value.
            int gt = cell.Top - s;
            switch (graphic->CellVAlign()) {
            case vaTop:
                break;
            case vaAboveText:
                area.Top = gt - gh;
                break;
            case vaBottom:
                gt = cell.Bottom + s + gh;
                break;
            case vaUnderText:
                gt = cell.Bottom + s + gh;
                area.Bottom = gt;
                break;
            case vaCenter:
                gt = cell.Top - (cellHeight - gh) / 2;
                break;
            case vaFull:
                gt = cell.Top;
                gh = cellHeight;
                break;
            }
            graphicRect = TRect(gl, gt, gl + gw, gt - gh);
        }
        const int angle = PrintTextAngle(*this, c, ARow);

        if (text.isEmpty()) {
        } else if (angle != 0) {
            // Turned text is placed as on the screen, in device pixels.
            const TRect device = canvas.LPtoDP(TRect(area.Left, area.Top - s, area.Right, area.Bottom));
            const int pixels = std::max(1, int(std::lround(-MapFontHeight(look.Font.Size) *
                                                           canvas.PixelsPerInchY() / 254.0)));
            int turn = angle * 10;
            // A printer that turns landscape pages the other way turns the text back.
            if (PrinterDriverFix() && !pr.IsPreview && PrinterLandscapeRotation() != 270)
                turn = -turn;
            canvas.SetMapMode(fw::mmText);
            canvas.Font() = look.Font;
            canvas.Font().SetHeight(-pixels);
            TRect tr = device;
            CalcRotatedTextPos(canvas, tr, angle, int(va), int(ha), text);
            canvas.Font().Escapement = canvas.Font().Orientation = turn;
            canvas.TextOut(tr.Left, tr.Top, text);
            canvas.SetMapMode(fw::mmLoMetric);
            canvas.Font() = look.Font;
            canvas.Font().SetHeight(MapFontHeight(look.Font.Size));
        } else if (content.Kind == ctkHtml) {
            // Laid out as it was measured: wrapped only in a screen-wide column.
            const TRect box(area.Left + halfG, area.Top - s, area.Right, area.Bottom - int(std::lround(s * k)));
            PrintHtmlText(*this, canvas, text, look.Font, box, pr.FontScale, look.WW && ps.NoAutoSize(), true,
                          GetCellImageList(RC, ARow));
        } else if (content.Kind == ctkRichText) {
            PrintInPixels(canvas, TRect(area.Left, area.Top - s, area.Right, area.Bottom), pr.FontScale,
                          [&](fw::TCanvas& pixels, const TRect& box) {
                              pixels.Font() = look.Font;   // the base font of the text's runs
                              DrawRichTextCell(c, ARow, box, pixels);
                          });
        } else if (look.WW && ps.NoAutoSize()) {
            TRect tr(area.Left + int(std::lround(2 * k)), area.Top - s, area.Right, area.Bottom);
            if (ha == fw::taLeftJustify || ha == fw::taCenter)
                tr.Left += halfG;
            if (ha == fw::taRightJustify || ha == fw::taCenter)
                tr.Right -= halfG;
            canvas.DrawText(text, tr, kWrapFlags | horizontalFlag(ha));
        } else if (Multilinecells() && TextLineCount(text, true) > 1) {
            const int th = canvas.TextHeight(QStringLiteral("gh"));
            const int step = th + th / 8;
            const int lines = TextLineCount(text, true);
            const int areaHeight = area.Top - area.Bottom - ps.RowSpacing();
            int top = area.Top - s;
            if (va == vtaCenter)
                top -= (areaHeight - step * lines) / 2;
            else if (va == vtaBottom && span.Y == 0)
                top -= areaHeight - step * lines;
            QString rest = text;
            for (int i = 0; i < lines && !rest.isEmpty(); ++i) {
                QString one;
                TakeFirstLine(rest, true, one);
                const int w = canvas.TextWidth(one);
                int x = area.Left + halfG;
                if (ha == fw::taRightJustify)
                    x = area.Right - halfG - w;
                else if (ha == fw::taCenter)
                    x = area.Left + (area.Right - area.Left - w) / 2;
                canvas.TextOut(x, top, one);
                top -= step;
            }
        } else {
            TRect tr(area.Left, area.Top - s, area.Right, area.Bottom);
            if (ha == fw::taLeftJustify || ha == fw::taCenter)
                tr.Left += halfG;
            if (ha == fw::taRightJustify || ha == fw::taCenter)
                tr.Right -= halfG;
            unsigned flags = kLineFlags | horizontalFlag(ha);
            if (EnhTextSize() && ps.NoAutoSize()) {
                flags = kEllipsisFlags | horizontalFlag(ha);
                tr.Left += int(std::lround(XYOffset().X * k));
                tr.Top -= int(std::lround(XYOffset().Y * k));
            }
            if (va == vtaCenter)
                flags |= fw::DT_VCENTER;
            else if (va == vtaBottom)
                flags |= fw::DT_BOTTOM;
            canvas.DrawText(text, tr, flags);
        }

        if (graphic) {
            // The graphic as the screen draws it at its screen size, scaled to its place.
            TCellPaintContext gc;
            gc.ACol = c;
            gc.ARow = ARow;
            gc.RC = RC;
            gc.RR = ARow;
            gc.G = graphic;
            gc.GW = graphicPx.X;
            gc.GH = graphicPx.Y;
            gc.HA = fw::taLeftJustify;
            gc.VA = VAlignment();
            const TCellType type = graphic->CellType();
            const bool inset = type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress;
            const int ox = inset ? XYOffset().X : 0, oy = inset ? XYOffset().Y : 0;
            PrintInPixels(canvas, graphicRect, k * fw::ScreenPixelsPerInch / 254.0,
                          [&](fw::TCanvas& pixels, const TRect& box) {
                              gc.R = gc.Cell = TRect(box.Left - ox, box.Top - oy, box.Right + ox, box.Bottom + oy);
                              pixels.Font() = look.Font;
                              pixels.Brush() = look.Brush;
                              DrawCellGraphic(pixels, gc);
                          });
        }

        if (const auto& e = Events().OnCustomCellDraw) {
            const TRect device = canvas.LPtoDP(cell);
            canvas.SetMapMode(fw::mmText);
            e(this, canvas, c, ARow, 0, device, true);
            canvas.SetMapMode(fw::mmLoMetric);
        }

        // Lines: a cell whose bottom would reach into the footer reserve
        // ends at its own row without a bottom line.
        canvas.Pen() = pen;
        if (pr.IsPreview == false && pr.FontScale > 1.0)
            canvas.Pen().Width = std::max(1, int(std::lround(pen.Width * pr.FontScale)));
        int bottom = cell.Bottom;
        bool bottomLine = borders.Contains(cbBottom);
        if (bottom < pager.PageHeight() + pager.FooterReserve() && span.Y > 0) {
            bottom = Y - rowStep;
            bottomLine = false;
        }
        if (borders.Contains(cbLeft))
            line(canvas, cell.Left, cell.Top, cell.Left, bottom);
        if (borders.Contains(cbRight))
            line(canvas, right, cell.Top, right, bottom);
        if (borders.Contains(cbTop))
            line(canvas, cell.Left, cell.Top, right, cell.Top);
        if (bottomLine)
            line(canvas, cell.Left, bottom, right + 1, bottom);
    }
    return rowStep;
}

void PrintInPixels(fw::TCanvas& canvas, const TRect& r, double scale,
                   const std::function<void(fw::TCanvas&, const TRect&)>& draw)
{
    if (scale <= 0)
        scale = 1.0;
    const double unit = 254.0 / fw::ScreenPixelsPerInch * scale;
    const int widthPx = std::max(1, int(std::lround(std::abs(r.Right - r.Left) / unit)));
    const int heightPx = std::max(1, int(std::lround(std::abs(r.Top - r.Bottom) / unit)));
    const TRect device = canvas.LPtoDP(r);
    QPainter* p = canvas.Painter();
    if (!p)
        return;
    // Drawn in pixels as on the screen, scaled to the device, so text stays
    // text and lines stay lines on paper.
    const double zoom = double(std::abs(device.Right - device.Left)) / widthPx;
    p->save();
    p->translate(std::min(device.Left, device.Right), std::min(device.Top, device.Bottom));
    p->scale(zoom, zoom);
    {
        fw::TCanvas pixels(p);
        pixels.SetDesignMetrics(true);
        pixels.IntersectClipRect(TRect(0, 0, widthPx, heightPx));
        draw(pixels, TRect(0, 0, widthPx, heightPx));
    }
    p->restore();
}

fw::TSize PrintHtmlText(TFxStringGrid& grid, fw::TCanvas& canvas, const QString& html, const fw::TFont& font,
                        const TRect& r, double scale, bool wordWrap, bool draw, const fw::TImageList* images)
{
    if (scale <= 0)
        scale = 1.0;
    // Logical units per laid-out pixel.
    const double unit = 254.0 / fw::ScreenPixelsPerInch * scale;
    const int widthPx = std::max(1, int(std::lround(std::abs(r.Right - r.Left) / unit)));
    fw::TFont pixelFont = font;
    pixelFont.Escapement = pixelFont.Orientation = 0;
    const auto render = [&](fw::TCanvas& target, const TRect& box, bool measureOnly, int& w, int& h) {
        target.Font() = pixelFont;
        target.Brush().Style = fw::bsClear;
        QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
        int links = 0, mouseLink = 0;
        TRect hoverRect, controlRect;
        RenderHtmlText(target, html, box, images, 0, 0, -1, -1, 1, false, measureOnly, true, false, false, false,
                       wordWrap, false, 1.0, grid.URLColor(), fw::clNone, fw::clNone, fw::clGray, anchor, stripped,
                       focusAnchor, title, w, h, links, mouseLink, hoverRect, controlRect, controlID, controlValue,
                       controlType, &grid.ImageCache(), grid.PictureContainer(), &grid, bdLeftToRight);
    };
    int w = 0, h = 0;
    {
        fw::TCanvas measure;
        measure.SetDesignMetrics(true);
        render(measure, TRect(0, 0, widthPx, 65535), true, w, h);
    }
    if (draw)
        PrintInPixels(canvas, r, scale, [&](fw::TCanvas& pixels, const TRect& box) {
            int dw = 0, dh = 0;
            render(pixels, box, false, dw, dh);
        });
    return fw::TSize(int(std::lround(w * unit)), int(std::lround(h * unit)));
}

QString PrintHtmlTitle(TFxStringGrid& grid)
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (ps.Title() == ppNone || !ps.TitleText().isEmpty() || ps.TitleLines().Count() == 0)
        return QString();
    const QString text = ps.TitleLines().Text();
    // Each title line starts a line of the title.
    return CellTextKind(text, grid.EnableHTML()) == ctkHtml ? RemoveHtmlMarkers(text.trimmed(), true) : QString();
}

int PrintHtmlTitleHeight(TFxStringGrid& grid, int pageWidth)
{
    const QString html = PrintHtmlTitle(grid);
    if (html.isEmpty())
        return -1;
    const TPrintSettings& ps = grid.PrintSettings();
    fw::TCanvas none;
    return PrintHtmlText(grid, none, html, ps.HeaderFont(), TRect(ps.LeftSize(), 0, pageWidth, -1), 1.0, true, false,
                         grid.GridImages())
        .cy;
}

QString TFxStringGrid::PrintPageNumberText()
{
    const TFxGridPrintState& pr = PaintState().Print;
    if (!pr.Pager)
        return QString();
    QString text = pr.Pager->PageNumberText();
    if (const auto& e = Events().OnPrintGetPageNum) {
        if (pr.Pager->SeveralBands())
            e(this, pr.Pager->PageInBand() + 1, pr.Pager->Band(), text);
        else
            e(this, pr.Pager->Page() + 1, pr.Pager->Band(), text);
    }
    return text;
}

int TFxStringGrid::PrintHeaderFooter()
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    if (!pr.Pager || !pr.Canvas || !pr.Pager->Drawn())
        return 0;
    const TPrintPager& pager = *pr.Pager;
    fw::TCanvas& canvas = *pr.Canvas;
    const fw::TFont savedFont = canvas.Font();
    const fw::TBrush savedBrush = canvas.Brush();
    const fw::TDateTime now = fw::Now();
    const QString html = PrintHtmlTitle(*this);
    const int htmlHeight = html.isEmpty() ? 0 : std::max(pager.HtmlTitle(), 0);
    const TPrintPager::TSlots parts =
        TPrintPager::HeaderFooterSlots(ps, fw::FormatDateTime(QStringLiteral("hh:nn"), now),
                                       fw::FormatDateTime(ps.DateFormat(), now), PrintPageNumberText(),
                                       !html.isEmpty());
    const int pw = pager.PageWidth();
    const auto xFor = [&](int slot, const QString& text) {
        const int w = canvas.TextWidth(text);
        switch (slot % 3) {
        case 0: return ps.LeftSize();
        case 1: return pw - w - ps.RightSize() - 20;
        default: return (pw - w) / 2;
        }
    };
    // The header and footer keep their size when fit to page scales the
    // cells: their lines were reserved at that size.
    const auto useFont = [&](const fw::TFont& font) {
        canvas.Font() = font;
        canvas.Font().SetHeight(-int(std::trunc(font.Size * 254.0 / 72.0)));
        return canvas.TextHeight(QStringLiteral("gh"));
    };
    canvas.Brush().Style = fw::bsClear;
    const bool titleLines = html.isEmpty() && ps.TitleText().isEmpty() && ps.TitleLines().Count() > 1;
    const int titleSlot = int(ps.Title()) - 1;

    const int headerLine = useFont(ps.HeaderFont());
    for (int slot = 0; slot < 3; ++slot)
        if (!parts[std::size_t(slot)].isEmpty())
            canvas.TextOut(xFor(slot, parts[std::size_t(slot)]), -ps.HeaderSize(), parts[std::size_t(slot)]);
    if (titleLines && IsTopPosition(ps.Title()))
        for (int i = 1; i < ps.TitleLines().Count(); ++i) {
            const QString text = ps.TitleLines().Strings(i);
            canvas.TextOut(xFor(titleSlot, text), -ps.HeaderSize() - i * headerLine, text);
        }
    if (htmlHeight > 0 && IsTopPosition(ps.Title()))
        PrintHtmlText(*this, canvas, html, ps.HeaderFont(),
                      TRect(ps.LeftSize(), -ps.HeaderSize(), pw, -ps.HeaderSize() - htmlHeight), 1.0, true, true,
                      GridImages());

    const int footerLine = useFont(ps.FooterFont());
    const int footerY = pager.PageHeight() + footerLine + pager.LineGap() + ps.FooterSize();
    for (int slot = 3; slot < 6; ++slot)
        if (!parts[std::size_t(slot)].isEmpty())
            canvas.TextOut(xFor(slot, parts[std::size_t(slot)]), footerY, parts[std::size_t(slot)]);
    if (titleLines && IsBottomPosition(ps.Title()))
        for (int i = 1; i < ps.TitleLines().Count(); ++i) {
            const QString text = ps.TitleLines().Strings(i);
            canvas.TextOut(xFor(titleSlot, text), footerY + i * footerLine, text);
        }
    // A bottom HTML title stands on the footer line, in the room the footer
    // reserve keeps for it.
    if (htmlHeight > 0 && IsBottomPosition(ps.Title()))
        PrintHtmlText(*this, canvas, html, ps.FooterFont(),
                      TRect(ps.LeftSize(), footerY + htmlHeight, pw, footerY), 1.0, true, true, GridImages());
    canvas.Font() = savedFont;
    canvas.Brush() = savedBrush;
    return htmlHeight;
}

void TFxStringGrid::PrintPageFrame(int FirstCol, int LastCol, int Y)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    if (!pr.Pager || !pr.Canvas || !pr.Pager->Drawn())
        return;
    const TPrintPager& pager = *pr.Pager;
    fw::TCanvas& canvas = *pr.Canvas;
    const int yEnd = Y + pager.LineGap() / 2;
    const int yTop = -pager.HeaderReserve() - ps.TitleSpacing();
    const int xFirst = pager.RepeatsFixedCols() ? pager.Offset(0) : pager.Offset(FirstCol);
    const int xLast = pager.Offset(LastCol + 1);
    canvas.Pen().Color = fw::clBlack;
    canvas.Pen().Style = ps.BorderStyle();
    canvas.Pen().Width = ps.Borders() == pbDouble ? 10 : 2;
    const TPrintBorders b = ps.Borders();
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) {
        line(canvas, xFirst, yTop, xLast, yTop);
        line(canvas, xLast, yTop, xLast, yEnd);
        line(canvas, xLast, yEnd, xFirst, yEnd);
        line(canvas, xFirst, yEnd, xFirst, yTop);
    }
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal)
        line(canvas, xFirst, yEnd, xLast, yEnd);
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && pager.RepeatsFixedCols())
        for (int i = 0; i < FixedCols(); ++i)
            line(canvas, pager.Offset(i), yTop, pager.Offset(i), yEnd);
}
