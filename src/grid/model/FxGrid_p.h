#pragma once
// Private state of TFxStringGrid, one struct per concern. The model's struct
// is here; painting, interaction and exchange keep theirs in their folders.
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/PictureContainer.h"
#include "grid/foundation/SgCheck.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxColumnSize.h"
#include "grid/model/FxGridFind_p.h"
#include "grid/model/FxGrid.h"
#include "grid/model/FxGridSort_p.h"
#include "grid/model/FxHiddenColumns.h"
#include "grid/model/FxHiddenRows.h"
#include "grid/model/FxSelectionSets.h"
#include "grid/model/FxSizeWhileTyping.h"
#include "grid/paint/FxGridPaint_p.h"

#include <QPointer>

#include <memory>
#include <vector>

struct TFxGridModelState {
    FX_GRID_MODEL_SETTINGS(FX_GRID_SETTING_FIELD)

    // Hidden rows and columns.
    THiddenRowStore HiddenRows;
    THiddenColumns HiddenCols;

    // Selections and per-row flags (display rows, or real rows with
    // MouseActions.RowSelectPersistent).
    TFxFlagList RowSelect;
    TFxFlagList ColSelect;
    TFxSelectedRows SelectedRows;
    TFxSelectedCells SelectedCells;
    TFxFlagList ModifiedRows;        // set = modified
    TFxFlagList DisabledRows;        // set = disabled
    bool UseEnabledRows = false;
    bool SelHidden = false;
    fw::TGridRect OldSelection;
    int OldRowSel = -1;
    bool SelChange = false;
    ITFxStringGridSelect* SelListener = nullptr;
    std::vector<QPointer<TGridChangeNotifier>> Notifiers;

    // Counts and fixed minima.
    int MaxRowCount = 0;
    int MaxColCount = 0;
    int FixedRowsMin = 0;
    int FixedColsMin = 0;
    int FixedRowHeight = 0;
    bool WordWrap = true;
    bool IntegralHeight = false;
    bool Loaded = false;
    bool Destroying = false;
    int ZoomFactor = 0;

    // Sort cross-references and column order.
    std::vector<int> SortRowXRef;
    std::vector<int> UnSortRowXRef;
    std::vector<int> ColumnOrder;
    TIntList IgnoreColumns{0, 0};

    // The cell value before an edit.
    int OldCol = -1;
    int OldRow = -1;
    QString OldCellText;
    bool OldModifiedValue = false;

    // Owned setting objects.
    std::unique_ptr<TSearchFooter> SearchFooter;
    std::unique_ptr<TNavigation> Navigation;
    std::unique_ptr<TColumnSize> ColumnSize;
    std::unique_ptr<TCellNode> CellNode;
    std::unique_ptr<TBands> Bands;
    TSizeWhileTyping SizeWhileTyping;
    std::unique_ptr<TMouseActions> MouseActions;
    std::unique_ptr<TSyncGrid> SyncGrid;
    std::unique_ptr<THTMLPictureCache> ImageCache;
    fw::TStringList ColumnHeaders;
    fw::TStringList RowHeaders;
    fw::TStringList LookupItems;
    fw::TStringList FilterList;
    fw::TStringList Sortlist;
    TControlList ControlList;
    int NumCellControls = 0;
    // The shared graphic that answers for row check boxes in column 0.
    std::unique_ptr<TCellGraphic> CellGraphic;
    fw::TImageList* GridImages = nullptr;
    QPointer<TPictureContainer> PictureContainer;

    // The cell checker (FxGridFills.cpp); the caller's object.
    QPointer<TFxStringGridCheck> CellChecker;
    // Node rows (FxGridNodes.cpp).
    int NumNodes = 0;
    // Find and replace (FxGridFind.cpp).
    TFxGridFindState Find;
};

struct TFxStringGrid::Private {
    TFxGridEvents Events;
    TFxGridModelState model;
    TFxGridPaintState paint;
    TFxGridInteractState interact;
    TFxGridExchangeState exchange;
    TFxGridSortState sort;
};
