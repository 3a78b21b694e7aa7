#pragma once
// Storage of the base grid shared by its source files.
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/BaseGridUndo.h"

#include <QPointer>

#include <unordered_set>

struct TBaseGrid::Impl {
    // Every properties object the grid owns, whether or not a slot still
    // holds it; what is left is freed with the grid.
    std::unordered_set<TCellProperties*> Props;
    QPointer<TFxGridUndoRedo> UndoRedo;
};
