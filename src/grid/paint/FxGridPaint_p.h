#pragma once
// Painting state of TFxStringGrid: the look settings, the appearance objects
// the grid owns, the look presets' state and the mouse feedback painting reads.
#include "framework/BalloonTip.h"
#include "framework/Graphics.h"
#include "grid/foundation/FxObj.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxGridPrint_p.h"
#include "grid/paint/FxHTMLHintWindow.h"
#include "grid/paint/FxPrintSettings.h"
#include "grid/paint/FxScrollControl.h"
#include "grid/paint/FxSearchPanel.h"

#include <QPointer>

#include <memory>
#include <set>
#include <utility>
#include <vector>

class TGridFocusWindow;

struct TFxGridPaintState {
    FX_GRID_PAINT_SETTINGS(FX_GRID_SETTING_FIELD)

    TGridLook Look = glXP;
    TScrollType ScrollType = ssNormal;
    fw::TColor ScrollColor = fw::clNone;
    int ScrollWidth = 0;                    // the system's vertical scroll bar width, set by Create
    fw::TScrollStyle ScrollBars = fw::ssBoth;
    TScrollBarAlways ScrollBarAlways = saNone;
    bool ScrollProportional = false;
    bool SpreadSheet = false;
    bool FlatBars = false;                  // the flat scroll bars are initialised (never here)
    fw::TColor BorderColor = 0xB99D7F;
    bool AutoSize = false;
    fw::TColor RIRGradientFrom = 0xFFFFFF;
    fw::TColor RIRGradientTo = 0;           // clBtnFace's RGB value, set by Create
    fw::TColor RIRGradientMirrorFrom = fw::clNone;
    fw::TColor RIRGradientMirrorTo = fw::clNone;
    fw::TFont FixedFont;
    fw::TFont ActiveCellFont;
    int SelectionColorMixerFactor = 50;
    fw::TColor HighlightColor = fw::clHighlight;
    fw::TColor HighlightTextColor = fw::clHighlightText;

    // Look presets.
    TFxStyle ComponentStyle = tsCustom;
    TOfficeTheme OfficeTheme = otUnknown;   // the last theme adapted to
    bool AutoThemeAdapt = false;
    TColorTones Tones;
    bool TonesSet = false;

    TFxStringGrid::TPaintFeedback Feedback;
    // Header cells (real column, row) whose caption was cut to fit when last painted.
    std::set<std::pair<int, int>> CutCaptions;

    std::unique_ptr<TFooterPanel> FooterPanel;
    std::unique_ptr<TSearchPanel> SearchPanel;
    std::unique_ptr<TFloatingFooter> FloatingFooter;
    std::unique_ptr<TPrintSettings> PrintSettings;
    std::unique_ptr<TControlLook> ControlLook;
    std::unique_ptr<TBackGround> BackGround;
    std::unique_ptr<THTMLHintWindow> ScrollHintWnd;
    std::unique_ptr<TBalloonSettings> Balloon;
    std::unique_ptr<TShowModified> ShowModified;
    std::unique_ptr<TGridProgressAppearance> ProgressAppearance;
    std::unique_ptr<fw::TBitmap> RowIndicator;
    std::unique_ptr<TScrollControl> VScrollControl;   // grid-drawn scroll bars (ssMetro)
    std::unique_ptr<TScrollControl> HScrollControl;

    // Balloon tool tips.
    bool BalloonInitialized = false;
    std::unique_ptr<fw::TBalloonToolTip> BalloonTip;
    fw::TGridCoord LastBalloonPos{-1, -1};

    // Keeps the footer and search panels at the bottom when the grid resizes.
    // Owned here rather than left to the grid's children: it filters the
    // viewport's events and calls the grid, so it must be gone before the
    // grid's base classes tear down (and hide) the viewport.
    std::unique_ptr<QObject> PanelDock;
    // The one-pixel frame border over the window frame (created on first use).
    QPointer<QWidget> BorderOverlay;
    // The translucent frame around the current cell (created on first use).
    QPointer<TGridFocusWindow> FocusWindow;
    TFocusHelper FocusHelper;

    // Base of proportional column resizing.
    TIntList OrigColSizes{0, 0};
    int OldGridWidth = 0;
    // The column dragged out of a column list.
    int OleColumnDragCol = -1;
    int OleColumnDragIndex = -1;
    QPointer<QObject> OleColumnDragList;

    // Printed width and left offset per column, filled by the print layout
    // (as many as the printed columns need).
    std::vector<int> PrintColWidths = std::vector<int>(512, 0);
    std::vector<int> PrintColOffsets = std::vector<int>(512, 0);
    TFxGridPrintState Print;
};

// The size of a cell text laid out line by line, as screen and paper share
// it: the widest line by the number of lines, split at line breaks only in a
// multi-line grid and with URL schemes left out where the grid hides them.
fw::TSize FxMeasureTextLines(TFxStringGrid& g, fw::TCanvas& canvas, const QString& text);

// What the steps of one cell's painting hand on to each other, beginning
// with the cell's look as GetVisualProperties resolves it (its brush and
// font then go onto the canvas, where the steps adjust them).
struct TFxStringGrid::TCellPaintContext : TCellLook {
    int ACol = 0, ARow = 0;        // display column and row
    int RC = 0, RR = 0;            // real column; row of the row-state lists
    fw::TRect Cell;                // the rectangle the drawing core gave
    fw::TRect R;                   // the working rectangle
    fw::TGridDrawState State = 0;
    TCellGraphic* G = nullptr;     // the cell graphic, null when none
    int GW = 0, GH = 0;            // its size
    bool ShowText = true;          // the graphic leaves room for the text
    TCellHAlign GHA = haLeft;
    TCellVAlign GVA = vaTop;
    bool FilterButton = false;     // the filter row's button shows in this cell
    int ScrollOffset = 0;          // text scrolled up by an in-cell scroll bar
    fw::TColor SavedBrush = fw::clNone, SavedFont = fw::clNone;
    bool Fixed = false;            // F
    bool Styled = false;           // drawn by an application style
    int IndicatorShift = 0;        // room taken by the row indicator
    int TW = 0;                    // measured text width
    int TextHeight = 0;            // height of "hg" in the cell's font, once measured
    int Kind = 0;                  // CellTextKind of the text
    fw::TRect TR;                  // the text rectangle
};
