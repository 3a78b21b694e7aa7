#pragma once
// Exchange state of TFxStringGrid: file and clipboard settings.
#include "grid/model/FxGrid.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <set>
#include <utility>
#include <vector>

struct TFxGridExchangeState {
    FX_GRID_EXCHANGE_SETTINGS(FX_GRID_SETTING_FIELD)
    // This grid's number in the process, given on first binary save: tells a
    // paste or drop whether cells came from this very grid (0: none yet).
    int GridId = 0;
    // Made on first use; shared so that this header needs no definition of it.
    std::shared_ptr<THTMLSettings> HTMLSettings;
    // Clipboard: the last text rectangle's top-left cell, the last copy or
    // cut, whether a whole-grid paste runs, and the depth of nested pastes
    // (only the outermost tells the change).
    fw::TGridCoord ClipTopLeft{0, 0};
    TClipOperation ClipLastOp = coCopy;
    bool PasteAll = false;
    int PasteDepth = 0;
    fw::TGridRect PastedRect{-1, -1, -1, -1};
    // Drag and drop: the settings, the registered target, the selection a
    // drag started from, the drop markers and the timer ticks that slow the
    // sideways scroll of a drag.
    std::shared_ptr<TDragDropSettings> DragDrop;
    std::shared_ptr<TGridDropTarget> DropTarget;
    fw::TGridRect DropSelection{-1, -1, -1, -1};
    mutable QPointer<QWidget> Arrows[3];
    int TimerTicks = 0;
    // A drop back into the grid a drag started from: the cell the source's
    // top left went to, the cells it wrote (display columns), the rows it
    // inserted (index and count, in order) and whether it made rows at all.
    // The move then clears or removes only what landed elsewhere.
    bool Dragging = false;
    bool SelfDrop = false;
    bool SelfDropInserted = false;
    fw::TGridCoord SelfDropOrigin{-1, -1};
    std::set<std::pair<int, int>> SelfDropWritten;
    std::vector<std::pair<int, int>> SelfDropInserts;
};
