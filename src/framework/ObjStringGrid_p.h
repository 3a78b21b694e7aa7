#pragma once
// State of TStringGrid shared by its source files (not part of the public API).
#include "framework/Canvas.h"
#include "framework/GridCellStore_p.h"
#include "framework/ObjStringGrid.h"

#include <QHash>
#include <QPointer>
#include <climits>
#include <cstdint>
#include <vector>

namespace fw {

class TInplaceEdit;

// Geometry of one axis (columns across, rows down) for the present scroll
// position and client size. Cells own their extent; a grid line of
// `lineWidth` follows each cell. A negative extent hides the cell and its line.
struct TGridAxis {
    const std::vector<int>* extents = nullptr;
    int lineWidth = 0;
    int fixedCount = 0;
    int count = 0;
    int first = 0;            // first scrollable cell shown (LeftCol / TopRow)
    int clientExtent = 0;
    int fixedBoundary = 0;    // end of the fixed cells with their lines
    int gridBoundary = 0;     // end of the last cell shown (partly) with its line, <= client
    int lastVisible = -1;     // last cell shown at least partly
    int lastFullVisible = -1; // last cell shown completely (>= first when any cell follows)

    int Extent(int i) const { return (*extents)[std::size_t(i)]; }
    // Start of cell i in client pixels; INT_MIN when scrolled out of view.
    int Start(int i) const;
    // Cell at client position `pos`, -1 when none.
    int CellAt(int pos) const;
    // Largest first cell that still shows the last cell completely, ending
    // at least `covered` pixels above the client's far edge.
    int MaxFirst(int covered = 0) const;
};

// What an axis layout is made of; equal keys give equal layouts.
struct TGridAxisKey {
    int extentsVersion = -1;
    int lineWidth = 0;
    int fixedCount = 0;
    int count = 0;
    int first = 0;
    int clientExtent = 0;
    friend bool operator==(const TGridAxisKey&, const TGridAxisKey&) = default;
};

struct TStringGrid::Impl {
    explicit Impl(TStringGrid* owner) : q(owner) {}
    TStringGrid* q;

    TGridCellStore cells;

    int colCount = 5;
    int rowCount = 5;
    int fixedCols = 1;
    int fixedRows = 1;
    int defaultColWidth = 64;
    int defaultRowHeight = 24;
    int gridLineWidth = 1;
    std::vector<int> colWidths = std::vector<int>(5, 64);
    std::vector<int> rowHeights = std::vector<int>(5, 24);
    std::vector<char> tabStops = std::vector<char>(5, 1);
    TColor color = clWindow;
    TColor fixedColor = clBtnFace;
    TFont font;
    bool defaultDrawing = true;
    TGridOptions options = DefaultGridOptions;
    TScrollStyle scrollBars = ssBoth;

    TGridCoord current{1, 1};
    TGridCoord anchor{1, 1};
    TGridCoord topLeft{1, 1};

    TGridState state = gsNormal;
    int sizingIndex = -1;
    int sizingPos = 0;
    int sizingOfs = 0;
    int moveIndex = -1;
    int movePos = -1;
    TPoint lastMouse;
    bool dragAccepted = false;     // the last DragOver took the drop

    bool editorMode = false;
    QPointer<TInplaceEdit> editor;
    int inplaceCol = -1;
    int inplaceRow = -1;
    bool focusFromEditor = false;  // the editor is handing the focus back
    bool destroying = false;
    bool entered = false;          // DoEnter ran and DoExit did not yet
    QMetaObject::Connection focusWatch;   // QApplication::focusChanged

    QHash<int, int> timerByQtId;   // Qt timer id -> message timer id
    QHash<int, int> qtIdByTimer;
    int wheelAccumulator = 0;
    bool updatingScrollBars = false;
    int exactThumb = -1;           // precise target of a thumb drag, -1 none
    int coveredBottom = 0;         // client pixels at the bottom another control covers

    std::unique_ptr<TCanvas> paintCanvas;
    TCanvas measureCanvas;

    // The layout of each axis is kept until one of its inputs changes, so
    // that cell writes and repaint requests do not lay the axes out again.
    // Every change of colWidths or rowHeights calls ExtentsChanged.
    const TGridAxis& Horz() const;
    const TGridAxis& Vert() const;
    void ExtentsChanged() { ++extentsVersion; }
    int extentsVersion = 0;
    mutable TGridAxisKey horzKey, vertKey;
    mutable TGridAxis horzAxis, vertAxis;
    TGridCoord MaxTopLeft() const;
    TRect CellRectOf(int c, int r) const;
    // Client rectangle of a block of cells (union of its visible part).
    TRect BlockRect(const TGridRect& g) const;
    bool HasLines(bool horz) const;
};

// Timer of the selection and move drags (WM_TIMER identifier) and its period.
constexpr int kAutoScrollTimer = 1;
constexpr int kAutoScrollInterval = 60;

// Cells of a moved column/row shift; returns the new index of `index`.
int MoveAdjust(int index, int from, int to);

} // namespace fw
