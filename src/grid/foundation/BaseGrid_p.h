#pragma once
// State of TBaseGrid shared by its source files (not part of the public API).
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/BaseGridUndo.h"

#include <QPointer>

#include <unordered_set>

struct TBaseGrid::Impl {
    // Every properties object the grid owns, whether or not a slot still
    // holds it; what is left is freed with the grid.
    std::unordered_set<TCellProperties*> FProps;
    QPointer<TFxGridUndoRedo> FUndoRedo;
    // No slot can hold properties until the first object exists.
    bool FHasCellProps = false;
    int FMergeCount = 0;
    bool FDestroying = false;

    // Drawing settings.
    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    fw::TColor FGridLineColor = 0xC0C0C0;
    fw::TColor FGridFixedLineColor = 0x808080;
    int FPaintID = 1;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    fw::TColor FActiveRowColor = fw::clInfoBk;
    fw::TColor FActiveRowColorTo = fw::clNone;
    fw::TColor FActiveRowMirrorColor = fw::clNone;
    fw::TColor FActiveRowMirrorColorTo = fw::clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    fw::TColor FHoverRowColor = fw::clInfoBk;
    fw::TColor FHoverRowColorTo = fw::clNone;

    // Switches of the feature grid.
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    int FHoverRowIdx = -1;
    bool FShowSel = true;
};
