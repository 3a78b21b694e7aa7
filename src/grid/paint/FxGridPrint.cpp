// Printing a grid: the print, preview and draw passes, the page loop's set-up
// around TPrintPager (line heights, page size, column widths, fit to page),
// the selection filter and the measuring of cells and rows on paper.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/Printing.h"
#include "framework/RichText.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/model/FxCellGraphic.h"
#include "grid/paint/FxGridPaint_p.h"
#include "grid/paint/FxGridPrint_p.h"
#include "grid/paint/FxPrintPager.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

using fw::TRect;

namespace {

// 1200 dots an inch: a printer's usual fine resolution.
constexpr int kMeasureDotsPerMeter = 47244;

// The page loop's questions and drawing, answered by the grid.
class TGridPrintSink : public IPrintPageSink {
public:
    TGridPrintSink(TFxStringGrid& grid, TFxGridPrintState& state, TGridExportState rowState)
        : FGrid(grid), FState(state), FRowState(rowState)
    {
    }
    bool RowPrinted(int row) override { return FGrid.PrintRowFiltered(row); }
    int RowHeight(int row) override { return FGrid.PrintRowHeight(row); }
    void DrawRow(int y, int first, int last, int row) override { FGrid.PrintRow(y, first, last, row); }
    void HeaderFooter() override { FGrid.PrintHeaderFooter(); }
    void PageFrame(int first, int last, int y) override { FGrid.PrintPageFrame(first, last, y); }
    void RowStarts(int row) override { FGrid.ExportNotification(FRowState, row); }
    void PageBegins(int pageNr) override
    {
        FState.Canvas->SetMapMode(fw::mmLoMetric);
        if (const auto& e = FGrid.Events().OnPrintPage)
            e(&FGrid, *FState.Canvas, pageNr, FState.PageRect.Right, FState.PageRect.Bottom);
    }
    void NewSheet() override
    {
        if (FState.Printer)
            FState.Printer->NewPage();
    }
    bool ForceNewPage(int row) override
    {
        bool newPage = false;
        if (const auto& e = FGrid.Events().OnPrintNewPage)
            e(&FGrid, row, newPage);
        return newPage;
    }
    bool PageDone(int row, int y, int pageNr) override
    {
        if (const auto& e = FGrid.Events().OnPrintPageDone)
            e(&FGrid, *FState.Canvas, row, y, pageNr, FState.PageRect.Right, FState.PageRect.Bottom);
        bool cancel = false;
        if (const auto& e = FGrid.Events().OnPrintCancel)
            e(&FGrid, pageNr, cancel);
        return cancel;
    }

private:
    TFxStringGrid& FGrid;
    TFxGridPrintState& FState;
    TGridExportState FRowState;
};

} // namespace

TPrintText PrintCellText(TFxStringGrid& grid, int col, int row)
{
    TPrintText out;
    if (grid.IsDataBoundCell(grid.RealColIndex(col), row) || grid.IsDataBoundCell(col, row))
        return out;
    const int realCol = grid.RealColIndex(col);
    out.Text = grid.GetFormattedCell(realCol, row);
    out.Kind = CellTextKind(out.Text, grid.EnableHTML());
    if (out.Kind == ctkFormula) {
        grid.ReadCellText(realCol, row, out.Text);
        out.Kind = CellTextKind(out.Text, grid.EnableHTML());
    }
    return out;
}

TCellGraphic* PrintCellGraphic(TFxStringGrid& grid, int col, int row, fw::TPoint& screenSize)
{
    screenSize = fw::TPoint(0, 0);
    if (!grid.PrintSettings().PrintGraphics())
        return nullptr;
    const int realCol = grid.RealColIndex(col);
    TCellGraphic* g = grid.GetCellGraphic(realCol, row);
    // Turned text is the text's own affair.
    if (!g || g->CellType() == ctRotated)
        return nullptr;
    screenSize = grid.CalcPrintGraphicSize(realCol, row, grid.ColWidths(col), grid.RowHeights(row), 1.0);
    if (screenSize.X <= 0 || screenSize.Y <= 0) {
        screenSize = fw::TPoint(0, 0);
        return nullptr;
    }
    return g;
}

int PrintTextAngle(TFxStringGrid& grid, int col, int row)
{
    int angle = 0;
    if (!grid.IsRotated(grid.RealColIndex(col), row, angle))
        return 0;
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

// ---------------------------------------------------------------- passes

void TFxStringGrid::Print()
{
    PrintRect(fw::TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TFxStringGrid::PrintRect(const fw::TGridRect& Gridrect)
{
    PrintToPrinter(fw::Printer(), Gridrect, false);
}

void TFxStringGrid::PrintSelection()
{
    PrintRect(Selection());
}

void TFxStringGrid::PrintSelectedRows()
{
    PrintToPrinter(fw::Printer(), fw::TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TFxStringGrid::PrintSelectedCols()
{
    PrintSelectedRows();
}

bool TFxStringGrid::ShowPrintPreview()
{
    const fw::TGridRect all{0, 0, ColCount() - 1, RowCount() - 1};
    return fw::PrintPreview(fw::Printer(), [this, all](fw::TPrinter& printer) { PrintToPrinter(printer, all, false); });
}

void TFxStringGrid::PrintToPrinter(fw::TPrinter& Printer, const fw::TGridRect& Gridrect, bool Selected)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    ExportNotification(esExportStart, -1);
    pr.Rect = Gridrect;
    if (!ps.UseDefaultOrientation())
        Printer.SetOrientation(ps.Orientation() == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    Printer.SetTitle(ps.JobName());
    if (!Printer.BeginDoc()) {
        ExportNotification(esExportFail, -1);
        throw EFxGridError(QStringLiteral("The printer cannot start printing"));
    }
    fw::TCanvas& canvas = Printer.Canvas();
    const fw::TMapMode savedMode = canvas.MapMode();
    pr.Printer = &Printer;
    // A document that was begun is ended, whatever happens; with nothing to
    // print it is dropped instead of ending as an empty print.
    bool printed = false;
    const TAtExit done([&] {
        canvas.SetMapMode(savedMode);
        pr.Printer = nullptr;
        if (printed || std::uncaught_exceptions() > 0)
            Printer.EndDoc();
        else
            Printer.Abort();
        ExportNotification(esExportDone, -1);
    });
    pr.PreviewRect = TRect(0, 0, int(std::lround(254.0 / Printer.PixelsPerInchX() * Printer.PageWidth())),
                           int(std::lround(254.0 / Printer.PixelsPerInchY() * Printer.PageHeight())));
    int pages = INT_MAX;
    if (!pr.FastPrint) {
        canvas.SetMapMode(fw::mmLoMetric);
        pages = PrintPages(canvas, pmdCountPrint, -1, Selected);
    }
    int from = 1, to = pages;
    if (const auto& e = Events().OnPrintStart) {
        e(this, pages, from, to);
        // Whatever the handler answers stays within the document's pages.
        if (from > 0 && to > 0)
            to = std::min(to, pages);
    }
    if (from > 0 && to > 0 && from <= to) {
        pr.FirstPage = from;
        pr.LastPage = to;
        printed = true;
        PrintPages(canvas, pmdPrint, pr.FastPrint ? -1 : pages, Selected);
    }
}

namespace {

void previewPass(TFxStringGrid& g, TFxGridPrintState& pr, fw::TCanvas& canvas, const TRect& displayRect,
                 bool selected, const fw::TGridRect& rect)
{
    g.ExportNotification(esExportStart, -1);
    pr.Rect = rect;
    const fw::TMapMode savedMode = canvas.MapMode();
    const fw::TPoint savedOrigin = canvas.ViewportOrg();
    pr.PreviewRect = displayRect;
    pr.IsPreview = true;
    const TAtExit done([&] {
        canvas.SetMapMode(savedMode);
        canvas.SetViewportOrg(savedOrigin);
        pr.IsPreview = false;
        g.ExportNotification(esExportDone, -1);
    });
    canvas.SetMapMode(fw::mmLoMetric);
    const int pages = g.FastPrint() ? 1 : g.PrintPages(canvas, pmdCountPreview, -1, selected);
    int from = 1, to = pages;
    if (const auto& e = g.Events().OnPrintStart)
        e(&g, pages, from, to);
    if (from > 0 && to > 0 && to >= from)
        g.PrintPages(canvas, pmdPreview, pages, selected);
}

} // namespace

void TFxStringGrid::PrintPreview(fw::TCanvas& Canvas, const TRect& Displayrect)
{
    PrintPreviewRect(Canvas, Displayrect, fw::TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TFxStringGrid::PrintPreviewRect(fw::TCanvas& Canvas, const TRect& Displayrect, const fw::TGridRect& Gridrect)
{
    previewPass(*this, PaintState().Print, Canvas, Displayrect, false, Gridrect);
}

void TFxStringGrid::PrintPreviewSelection(fw::TCanvas& Canvas, const TRect& Displayrect)
{
    PrintPreviewRect(Canvas, Displayrect, Selection());
}

void TFxStringGrid::PrintPreviewSelectedRows(fw::TCanvas& Canvas, const TRect& Displayrect)
{
    previewPass(*this, PaintState().Print, Canvas, Displayrect, true,
                fw::TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TFxStringGrid::PrintPreviewSelectedCols(fw::TCanvas& Canvas, const TRect& Displayrect)
{
    PrintPreviewSelectedRows(Canvas, Displayrect);
}

void TFxStringGrid::PrintDraw(fw::TCanvas& Canvas, const TRect& DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, fw::TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TFxStringGrid::PrintDrawRect(fw::TCanvas& Canvas, const TRect& DrawRect, const fw::TGridRect& Gridrect)
{
    TFxGridPrintState& pr = PaintState().Print;
    pr.Rect = Gridrect;
    pr.PreviewRect = DrawRect;
    const int savedFirst = pr.FirstPage, savedLast = pr.LastPage;
    pr.FirstPage = pr.LastPage = pr.PageCount = 1;
    const fw::TMapMode savedMode = Canvas.MapMode();
    const fw::TPoint savedOrigin = Canvas.ViewportOrg();
    const int level = Canvas.SaveDC();
    const TAtExit done([&] {
        Canvas.RestoreDC(level);
        Canvas.SetMapMode(savedMode);
        Canvas.SetViewportOrg(savedOrigin);
        pr.FirstPage = savedFirst;
        pr.LastPage = savedLast;
    });
    // The page is the rectangle: mode 1 takes its size from the clip.
    Canvas.IntersectClipRect(DrawRect);
    Canvas.SetViewportOrg(fw::TPoint(DrawRect.Left, DrawRect.Top));
    Canvas.SetMapMode(fw::mmLoMetric);
    PrintPages(Canvas, pmdPrint, 1, false);
}

// ---------------------------------------------------------------- state

bool TFxStringGrid::FastPrint() const { return PaintState().Print.FastPrint; }
void TFxStringGrid::SetFastPrint(bool value) { PaintState().Print.FastPrint = value; }
bool TFxStringGrid::IsPrintPreview() const { return PaintState().Print.IsPreview; }
TRect TFxStringGrid::PrintPageRect() const { return PaintState().Print.PageRect; }
int TFxStringGrid::PrintPageWidth() const { return PaintState().Print.PageWidth; }
int TFxStringGrid::PrintPageCount() const { return PaintState().Print.PageCount; }

int TFxStringGrid::MapFontHeight(int PointSize) const
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * PaintState().Print.FontScale));
}

int TFxStringGrid::MapFontSize(int Height) const
{
    return int(std::trunc(Height * 72.0 / 254.0));
}

int TFxStringGrid::PrinterLandscapeRotation() const
{
    const TFxGridPrintState& pr = PaintState().Print;
    return (pr.Printer ? *pr.Printer : fw::Printer()).LandscapeRotation();
}

// ---------------------------------------------------------------- the page loop

int TFxStringGrid::PrintPages(fw::TCanvas& Canvas, int Mode, int PageCount, bool Selected)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    const TPrintMode mode = TPrintMode(std::clamp(Mode, 0, 3));
    Canvas.SetMapMode(fw::mmLoMetric);
    pr.FontScale = 1.0;
    pr.Filter = Selected;
    pr.Canvas = &Canvas;
    pr.CachedRow = -1;
    // Text is measured at one fine resolution whatever the canvas: a font
    // takes whole device pixels, so measured on a screen its lines come out
    // a little taller or shorter than on paper and a preview would break
    // its pages elsewhere than the print.
    QImage measureDevice(1, 1, QImage::Format_RGB32);
    measureDevice.setDotsPerMeterX(kMeasureDotsPerMeter);
    measureDevice.setDotsPerMeterY(kMeasureDotsPerMeter);
    fw::TCanvas measure(&measureDevice);
    measure.SetMapMode(fw::mmLoMetric);
    pr.Measure = &measure;
    const TAtExit done([&] {
        pr.Pager = nullptr;
        pr.Canvas = nullptr;
        pr.Measure = nullptr;
    });
    const auto lineHeight = [&](const fw::TFont& font) {
        measure.Font() = font;
        measure.Font().SetHeight(MapFontHeight(font.Size));
        return measure.TextHeight(QStringLiteral("gh"));
    };
    const int headerLine = lineHeight(ps.HeaderFont());
    const int footerLine = lineHeight(ps.FooterFont());
    const int normalLine = lineHeight(ps.Font());

    // The page in logical units; y runs down to the negative height.
    int width = 0, height = 0;
    if (mode == pmdPrint) {
        const TRect clip = Canvas.ClipRect();
        width = clip.Right - clip.Left;
        height = clip.Bottom;
    } else if (mode == pmdCountPrint) {
        width = pr.PreviewRect.Right - pr.PreviewRect.Left;
        height = -pr.PreviewRect.Bottom - pr.PreviewRect.Top;
    } else {
        Canvas.SetViewportOrg(fw::TPoint(pr.PreviewRect.Left, pr.PreviewRect.Top));
        const TRect logical = Canvas.DPtoLP(pr.PreviewRect);
        width = logical.Right - logical.Left;
        height = logical.Bottom - logical.Top;
    }
    pr.PageRect = TRect(0, 0, width, height);

    const int screenDpi = TBaseGrid::Canvas().PixelsPerInchX();
    pr.PixelFactor = 254.0 / (screenDpi > 0 ? screenDpi : 96);

    const TPrintArea area{pr.Rect.Left, pr.Rect.Top, std::min(pr.Rect.Right, ColCount() - 1),
                          std::min(pr.Rect.Bottom, RowCount() - 1), FixedCols(), FixedRows()};
    pr.Rect.Right = area.Right;
    pr.Rect.Bottom = area.Bottom;
    CalcPrintColWidths();
    std::vector<int>& widths = PaintState().PrintColWidths;
    std::vector<bool> printed(widths.size(), true);
    for (int c = 0; c < int(printed.size()); ++c)
        printed[std::size_t(c)] = PrintColFiltered(c);

    const int gap = TPrintPager::ColumnGap(ps);
    double f = TPrintPager::FitScale(widths, printed, area.Left, area.Right, gap, width, ps);
    if (f != 1.0 && ps.FitToPage() == fpCustom) {
        bool allow = true;
        if (const auto& e = Events().OnFitToPage)
            e(this, f, allow);
        if (!allow || f <= 0)
            f = 1.0;
    }
    TPrintPager::ApplyScale(widths, area.Left, area.Right, f);
    pr.FontScale = f;
    if (const auto& e = Events().OnPrintSetColumnWidth)
        for (int c = std::max(area.Left, 0); c <= area.Right; ++c)
            e(this, c, widths[std::size_t(c)]);

    TPrintPager pager(ps, mode, width, height, headerLine, footerLine, normalLine);
    pager.SetColumns(widths, printed);
    if (mode == pmdPreview)
        pager.SetPageRange(PreviewPage(), PreviewPage());
    else
        pager.SetPageRange(pr.FirstPage, pr.LastPage);
    pager.SetTotalPages(PageCount);
    pager.SetFastPreview(pr.FastPrint);
    pager.SetHtmlTitle(PrintHtmlTitleHeight(*this, width));
    const TGridExportState rowState =
        area.Top <= FixedRows() && area.Bottom >= RowCount() - FixedFooters() - 1 ? esExportNewRow : esExportSelRow;
    TGridPrintSink sink(*this, pr, rowState);
    pr.Pager = &pager;
    const int pages = pager.Run(area, sink);
    pr.PageWidth = pager.BandWidth();
    PaintState().PrintColOffsets = pager.Offsets();
    if (mode == pmdCountPrint || mode == pmdCountPreview)
        pr.PageCount = pages;
    return pages;
}

// ---------------------------------------------------------------- filter and measuring

bool TFxStringGrid::PrintRowFiltered(int ARow) const
{
    const TFxGridPrintState& pr = PaintState().Print;
    if (!pr.Filter)
        return true;
    if (ARow < FixedRows() && PrintSettings().FixedCellsAlways())
        return true;
    const TMouseActions& ma = MouseActions();
    if (ma.DisjunctRowSelect())
        return const_cast<TFxStringGrid*>(this)->RowSelect(ma.RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    const fw::TGridRect sel = Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

bool TFxStringGrid::PrintColFiltered(int ACol) const
{
    const TFxGridPrintState& pr = PaintState().Print;
    if (!pr.Filter)
        return true;
    const TMouseActions& ma = MouseActions();
    if (ma.DisjunctRowSelect() || (ACol < FixedCols() && PrintSettings().FixedCellsAlways()))
        return true;
    if (ma.DisjunctColSelect())
        return const_cast<TFxStringGrid*>(this)->ColSelect(ACol);
    const fw::TGridRect sel = Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

void PrintCellLook(TFxStringGrid& g, int ACol, int ARow, TCellLook& look)
{
    fw::TGridDrawState state = 0;
    // Word wrap starts from the grid's, as on the screen; the cell's
    // properties and the word-wrap hook (asked there) may change it.
    look.WW = g.WordWrap();
    g.GetVisualProperties(ACol, ARow, state, {.Print = true, .Remap = true}, look);
}

fw::TSize TFxStringGrid::MeasurePrintCell(int ACol, int ARow)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    fw::TCanvas& canvas = pr.Measure ? *pr.Measure : pr.Canvas ? *pr.Canvas : TBaseGrid::Canvas();
    const double k = pr.PixelFactor;
    TPrintText content = PrintCellText(*this, ACol, ARow);
    TCellLook look;
    PrintCellLook(*this, ACol, ARow, look);
    fw::TPoint graphicPx;
    const TCellGraphic* graphic = PrintCellGraphic(*this, ACol, ARow, graphicPx);
    if (graphic && graphic->CellType() == ctRadio)
        content.Text.clear();   // the group shows its captions itself
    const fw::TSize graphicSize(int(std::lround(graphicPx.X * k)), int(std::lround(graphicPx.Y * k)));
    const int angle = PrintTextAngle(*this, ACol, ARow);

    const fw::TFont savedFont = canvas.Font();
    canvas.Font() = look.Font;
    canvas.Font().SetHeight(MapFontHeight(look.Font.Size));
    fw::TSize size;
    if (content.Kind == ctkHtml) {
        // Laid out as on the screen: unbounded, or in the screen column's width.
        const double layoutWidth = ps.NoAutoSize() ? (ColWidths(ACol) + 12) * k : 65535.0;
        size = PrintHtmlText(*this, canvas, content.Text, look.Font, TRect(0, 0, int(layoutWidth), -1), 1.0,
                             look.WW && ps.NoAutoSize(), false, GetCellImageList(RealColIndex(ACol), ARow));
    } else if (content.Kind == ctkRichText && angle == 0) {
        // Measured as it is drawn: laid out in screen pixels with the cell's
        // font as its base (bold runs are wider than the plain text), each
        // pixel 254 / 96 units on paper, inside the cell's text offsets.
        const fw::TSize px = fw::TRichText::FromRtf(content.Text).RequiredSize(look.Font, 65535, false);
        const double unit = 254.0 / fw::ScreenPixelsPerInch;
        size = fw::TSize(int(std::lround((px.cx + 2 * XYOffset().X) * unit)) + graphicSize.cx,
                         int(std::lround((px.cy + 2 * XYOffset().X) * unit)));
    } else {
        QString text = content.Kind == ctkRichText ? fw::TRichText::FromRtf(content.Text).PlainText() : content.Text;
        if (text.isEmpty())
            text = QStringLiteral("gh");
        if (look.WW && ps.NoAutoSize() && angle == 0) {
            const int w = IsXMergedCell(ACol, ARow) ? 65535 : PrintColWidth(ACol);
            TRect r(0, 0, w, 0);
            const int h = canvas.DrawText(text, r, fw::DT_CALCRECT | 0x2850);
            size = fw::TSize(w, -h);
        } else {
            size = FxMeasureTextLines(*this, canvas, text);
            size.cx += graphicSize.cx;
        }
        if (angle != 0) {
            // The box the turned text needs.
            const double rad = angle * M_PI / 180.0;
            const int w = size.cx, h = size.cy;
            size.cx = std::abs(int(std::lround(w * std::cos(rad)))) + std::abs(int(std::lround(h * std::sin(rad))));
            size.cy = std::abs(int(std::lround(w * std::sin(rad)))) + std::abs(int(std::lround(h * std::cos(rad))));
        }
    }
    size.cy = std::max(size.cy, graphicSize.cy);
    size.cx = std::max(size.cx, graphicSize.cx);
    if (const auto& e = Events().OnCustomCellSize) {
        fw::TPoint p(size.cx, size.cy);
        e(this, canvas, ACol, ARow, p, true);
        size = fw::TSize(p.X, p.Y);
    }
    canvas.Font() = savedFont;
    return size;
}

void TFxStringGrid::CalcPrintColWidths()
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    std::vector<int>& widths = PaintState().PrintColWidths;
    const int last = std::max(pr.Rect.Right, FixedCols() - 1);
    widths.assign(std::size_t(std::max(last + 1, 1)), 0);
    // Repeated fixed columns need their widths also when the rectangle
    // leaves them out.
    const int first = ps.RepeatFixedCols() ? 0 : std::max(pr.Rect.Left, 0);
    const auto inColumns = [&](int c) { return (c >= pr.Rect.Left && c <= pr.Rect.Right) || c < FixedCols(); };
    std::vector<std::pair<int, int>> merged;   // base cells of blocks across columns
    if (ps.NoAutoSize()) {
        for (int c = first; c <= last; ++c)
            if (inColumns(c) && PrintColFiltered(c))
                widths[std::size_t(c)] = int(std::lround(ColWidths(c) * pr.PixelFactor));
        return;
    }
    for (int r = 0; r <= pr.Rect.Bottom && r < RowCount(); ++r) {
        const bool repeatedRow = r < FixedRows() && ps.RepeatFixedRows();
        if (r < pr.Rect.Top && !repeatedRow)
            continue;
        if (!repeatedRow && !PrintRowFiltered(r))
            continue;
        for (int c = first; c <= last; ++c) {
            if (!inColumns(c) || !PrintColFiltered(c))
                continue;
            if (IsXMergedCell(c, r)) {
                if (IsBaseCell(c, r))
                    merged.emplace_back(c, r);
                continue;
            }
            const int w = ps.UseFixedWidth() ? ps.FixedWidth() : MeasurePrintCell(c, r).cx;
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], w);
        }
    }
    // A merged block's text counts in none of its columns: the block's last
    // column grows until the block holds it, so the print does not cut it off.
    if (ps.UseFixedWidth())
        return;
    const int gap = TPrintPager::ColumnGap(ps);
    for (const auto& [c, r] : merged) {
        const int end = std::min(c + CellSpan(c, r).X, last);
        int have = -gap, lastPrinted = -1;
        for (int j = c; j <= end; ++j)
            if (PrintColFiltered(j)) {
                have += widths[std::size_t(j)] + gap;
                lastPrinted = j;
            }
        const int need = MeasurePrintCell(c, r).cx;
        if (lastPrinted >= 0 && need > have)
            widths[std::size_t(lastPrinted)] += need - have;
    }
}

int TFxStringGrid::PrintRowHeight(int ARow)
{
    TFxGridPrintState& pr = PaintState().Print;
    const TPrintSettings& ps = PrintSettings();
    if (ps.NoAutoSizeRow())
        return int(std::lround(RowHeights(ARow) * pr.PixelFactor)) - 4;
    if (pr.CachedRow == ARow)
        return pr.CachedHeight;
    int h = 0;
    if (ps.UseFixedHeight()) {
        h = ps.FixedHeight();
    } else {
        int lastMeasured = 0;
        const int first = ps.RepeatFixedCols() ? 0 : std::max(pr.Rect.Left, 0);
        for (int c = first; c <= pr.Rect.Right; ++c) {
            if ((c < pr.Rect.Left && c >= FixedCols()) || !PrintColFiltered(c) || IsYMergedCell(c, ARow))
                continue;
            lastMeasured = MeasurePrintCell(c, ARow).cy;
            h = std::max(h, lastMeasured);
        }
        if (h == 0)
            h = lastMeasured;
        h += h / 8;
    }
    if (const auto& e = Events().OnPrintSetRowHeight)
        e(this, ARow, h);
    pr.CachedRow = ARow;
    pr.CachedHeight = h;
    return h;
}
