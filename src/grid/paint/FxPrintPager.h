#pragma once
// The page layout of a grid print: column bands that fit the page width,
// the rows of each band cut into pages, repeated fixed rows and columns,
// the header and footer reserves and the page numbering. It knows nothing
// of cells or canvases: the row heights come from, and the drawing goes to,
// an IPrintPageSink. Lengths are logical print units (0.1 mm) with y
// growing upward, so a page runs from y = 0 down to its negative height.
#include "grid/paint/FxPrintSettings.h"

#include <QString>

#include <array>
#include <vector>

// The passes of a print run: draw a preview, print, count the pages of a
// print, count the pages of a preview.
enum TPrintMode { pmdPreview = 0, pmdPrint = 1, pmdCountPrint = 2, pmdCountPreview = 3 };

// The cells to print (column and row indices, inclusive) and the grid's
// fixed rows and columns.
struct TPrintArea {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
    int FixedCols = 0, FixedRows = 0;
};

// What the layout asks of, and tells to, the grid it lays out.
class IPrintPageSink {
public:
    virtual ~IPrintPageSink() = default;
    // The row passes the selection filter.
    virtual bool RowPrinted(int row) { return true; }
    // Height of the row's content on paper (without the line gaps).
    virtual int RowHeight(int row) = 0;
    // Draws the row at y over columns first..last (only on drawn pages).
    virtual void DrawRow(int y, int first, int last, int row) {}
    // Draws the header and footer of a drawn page.
    virtual void HeaderFooter() {}
    // Draws the page's frame below the band's last row (only on drawn pages).
    virtual void PageFrame(int first, int last, int y) {}
    // A row is about to be laid out.
    virtual void RowStarts(int row) {}
    // A page begins (only pages that are drawn).
    virtual void PageBegins(int pageNr) {}
    // The printer must start a new sheet.
    virtual void NewSheet() {}
    // The row after a laid-out row: true forces a page end before it.
    virtual bool ForceNewPage(int row) { return false; }
    // A drawn page ends after `row` at y; true cancels the rest of the run.
    virtual bool PageDone(int row, int y, int pageNr) { return false; }
};

class TPrintPager {
public:
    // Line heights of the header, footer and normal font ("gh").
    TPrintPager(const TPrintSettings& settings, TPrintMode mode, int pageWidth, int pageHeight, int headerLine,
                int footerLine, int normalLine);

    // The column gap: 0 with fixed widths, else ColumnSpacing + 20.
    static int ColumnGap(const TPrintSettings& settings);
    // The fit-to-page scale of the widths of the printed columns
    // first..last: (page width - right - left - V) / (W - V), V the gaps of
    // the printed columns and W their widths plus gaps; 1 when there is no
    // width to scale or no spare width, when shrinking would grow or
    // growing would shrink.
    static double FitScale(const std::vector<int>& widths, const std::vector<bool>& printed, int first, int last,
                           int gap, int pageWidth, const TPrintSettings& settings);
    // Every width of first..last becomes trunc(width * scale).
    static void ApplyScale(std::vector<int>& widths, int first, int last, double scale);

    // The text of the page number.
    static QString PageNumberText(int page, int pageInBand, int band, bool severalBands, int totalPages,
                                  const TPrintSettings& settings);
    // a + " " + b, or the one that is not empty.
    static QString JoinWithBlank(const QString& a, const QString& b);
    // The six header and footer slots (top left, top right, top centre,
    // bottom left, bottom right, bottom centre) filled with the time, date,
    // page number text and title at their positions. The first title line
    // goes in when there is no title text and `htmlTitle` is false.
    using TSlots = std::array<QString, 6>;
    static TSlots HeaderFooterSlots(const TPrintSettings& settings, const QString& time, const QString& date,
                                    const QString& pageNumber, bool htmlTitle);

    // Column widths (indexed by column) and which columns print; they must
    // reach the area's right column and the fixed columns.
    void SetColumns(std::vector<int> widths, std::vector<bool> printed);
    // Pages first..last are drawn (1-based); the others are only laid out.
    void SetPageRange(int first, int last);
    // The page count a page number text shows; -1 when unknown.
    void SetTotalPages(int total) { FTotal = total; }
    // Preview only: stop laying out a band once past the first drawn page.
    void SetFastPreview(bool value) { FFastPreview = value; }
    // The title lines are one HTML text of that height: at the top it
    // pushes the rows down on every page, at the bottom it grows the footer
    // reserve; the further plain title lines then take no room.
    void SetHtmlTitle(int height) { FHtmlTitle = height; }
    int HtmlTitle() const { return FHtmlTitle; }

    // Lays out (and draws, through the sink) the area; returns the pages.
    int Run(const TPrintArea& area, IPrintPageSink& sink);

    // ---- the running layout, for the painters
    TPrintMode Mode() const { return FMode; }
    bool Drawn() const;                       // the current page is drawn
    int LineGap() const { return FGap; }      // s: normal line height div 8
    int Gap() const { return FColGap; }       // cg
    int PageWidth() const { return FPageWidth; }
    int PageHeight() const { return FPageHeight; }   // negative
    int HeaderReserve() const { return FHeaderReserve; }
    int FooterReserve() const { return FFooterReserve; }
    int Page() const { return FPage; }        // 0-based
    int Band() const { return FBand; }        // 1-based
    int PageInBand() const { return FPageInBand; }
    bool SeveralBands() const { return FSeveralBands; }
    int TotalPages() const { return FTotal; }
    int BandFirst() const { return FBandFirst; }
    int BandLast() const { return FBandLast; }
    bool RepeatsFixedCols() const { return FRepeatCols; }
    int BandWidth() const { return FBandWidth; }
    int Width(int col) const;
    int Offset(int col) const;
    const std::vector<int>& Widths() const { return FWidths; }
    const std::vector<int>& Offsets() const { return FOffsets; }
    // The row's height on the page: 2s + content height + RowSpacing.
    int RowStep(int contentHeight) const { return 2 * FGap + contentHeight + FSettings.RowSpacing(); }
    QString PageNumberText() const;

private:
    int ColumnWidth(int col) const;   // width + gap of a printed column, else 0
    void LayoutBand(const TPrintArea& area, int first);
    void ComputeReserves();
    void StartNextPage(IPrintPageSink& sink);
    int PrintRow(IPrintPageSink& sink, int y, int row, const TPrintArea& area);

    const TPrintSettings& FSettings;
    TPrintMode FMode;
    int FPageWidth, FPageHeight, FHeaderLine, FFooterLine, FGap, FColGap;
    std::vector<int> FWidths;
    std::vector<bool> FPrinted;
    std::vector<int> FOffsets;
    int FFirst = 1, FLast = 1;
    int FTotal = -1;
    bool FFastPreview = false;
    int FHtmlTitle = -1;   // -1: no HTML title
    int FHeaderReserve = 0, FFooterReserve = 0;
    int FPage = 0, FBand = 0, FPageInBand = 0;
    bool FSeveralBands = false;
    int FBandFirst = 0, FBandLast = -1, FBandWidth = 0;
    bool FRepeatCols = false;
};
