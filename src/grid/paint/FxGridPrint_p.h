#pragma once
// Printing state of TFxStringGrid: what the last print run left (page
// rectangle, band width, page range and count) and the running page loop
// the painters read.
#include "framework/Graphics.h"
#include "framework/ObjStringGrid.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>

class TPrintPager;
class TFxStringGrid;
namespace fw {
class TCanvas;
class TPrinter;
}

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
    fw::TPrinter* Printer = nullptr; // its printer, null for a preview
    int CachedRow = -1, CachedHeight = 0;
};

// The font, colours, alignment and word wrap a cell prints with.
struct TPrintLook {
    fw::TBrush Brush;
    fw::TColor ColorTo = fw::clNone, Mirror = fw::clNone, MirrorTo = fw::clNone;
    fw::TFont Font;
    fw::TAlignment HA = fw::taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
};
void PrintCellLook(TFxStringGrid& grid, int ACol, int ARow, TPrintLook& look);
// The text a cell prints: formulas computed, rich text and HTML as their
// plain text (the print draws HTML cells without their markup).
QString PrintCellText(TFxStringGrid& grid, int realCol, int row);
