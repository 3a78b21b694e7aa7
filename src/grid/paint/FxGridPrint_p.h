#pragma once
// Printing state of TFxStringGrid: what the last print run left (page
// rectangle, band width, page range and count) and the running page loop
// the painters read.
#include "framework/Graphics.h"
#include "framework/ObjStringGrid.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>

#include <functional>
#include <utility>

class TPrintPager;
class TFxStringGrid;
class TCellGraphic;
namespace fw {
class TCanvas;
class TImageList;
class TPrinter;
}

// Runs its action when the scope ends, also through an error.
template <class F>
class TAtExit {
public:
    explicit TAtExit(F action) : FAction(std::move(action)) {}
    ~TAtExit() { FAction(); }
    TAtExit(const TAtExit&) = delete;
    TAtExit& operator=(const TAtExit&) = delete;

private:
    F FAction;
};

struct TFxGridPrintState {
    fw::TGridRect Rect;              // the cells being printed
    fw::TRect PageRect;              // (0, 0, page width, page height) of the last run
    int PageWidth = 0;               // width of the last band, repeated fixed columns included
    int FirstPage = 1, LastPage = 1; // pages drawn by a print
    int PageCount = 0;               // pages the counting pass found; -1 unknown
    bool FastPrint = false;
    bool IsPreview = false;
    fw::TRect PreviewRect;           // device rectangle of a preview, the paper in 0.1 mm for a print
    double FontScale = 1.0;          // the fit-to-page scale fonts follow
    double PixelFactor = 254.0 / 96; // 0.1 mm per screen pixel
    bool Filter = false;             // only selected rows and columns
    TPrintPager* Pager = nullptr;    // the running page loop
    fw::TCanvas* Canvas = nullptr;   // its canvas
    fw::TCanvas* Measure = nullptr;  // the canvas its cells and lines are measured on
    fw::TPrinter* Printer = nullptr; // its printer, null for a preview
    int CachedRow = -1, CachedHeight = 0;
};

// The font, colours, alignment and word wrap a cell prints with.
void PrintCellLook(TFxStringGrid& grid, int ACol, int ARow, TCellLook& look);
// Draws in screen pixels into the logical rectangle `r` of a mapped canvas:
// `draw` gets a canvas in pixels (each taking `scale` x 254 / 96 logical
// units, clipped to the box) and the box (0, 0, width, height).
void PrintInPixels(fw::TCanvas& canvas, const fw::TRect& r, double scale,
                   const std::function<void(fw::TCanvas&, const fw::TRect&)>& draw);
// An HTML text laid out as the grid shows it (in screen pixels, its fonts at
// their point sizes) in a box as wide as the logical rectangle `r`, every
// pixel taking `scale` x 254 / 96 logical units on paper. With `draw` it is
// drawn into `r` (top left) on the mapped canvas; the result is its extent
// in logical units.
fw::TSize PrintHtmlText(TFxStringGrid& grid, fw::TCanvas& canvas, const QString& html, const fw::TFont& font,
                        const fw::TRect& r, double scale, bool wordWrap, bool draw, const fw::TImageList* images);
// The title lines as one HTML text, when they are one (empty otherwise).
QString PrintHtmlTitle(TFxStringGrid& grid);
// The height of that HTML title on paper; -1 when there is none.
int PrintHtmlTitleHeight(TFxStringGrid& grid, int pageWidth);

// The text a cell prints and its kind (CellTextKind): nothing for a cell
// whose state lives in the data (its check box shows it), a formula's
// result, rich text as its plain text, HTML as it stands.
struct TPrintText {
    QString Text;
    int Kind = 0;
};
TPrintText PrintCellText(TFxStringGrid& grid, int col, int row);
// The cell's graphic when graphics print, with its size on the screen in
// pixels; null when it prints none.
TCellGraphic* PrintCellGraphic(TFxStringGrid& grid, int col, int row, fw::TPoint& screenSize);
// The turn of a rotated cell's text in degrees; 0 for upright text.
int PrintTextAngle(TFxStringGrid& grid, int col, int row);
