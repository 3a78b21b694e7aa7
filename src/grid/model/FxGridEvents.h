#pragma once
// The events of the feature grid, one struct per concern. Each is fired only
// when assigned; reference arguments arrive holding the grid's answer so far.
// Many events take the row before the column: each signature says which.
// Reach them through TFxStringGrid::Events().
#include "framework/DateTime.h"
#include "framework/Graphics.h"
#include "framework/ObjStringGrid.h"
#include "framework/StringList.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QObject>
#include <QString>

#include <functional>

class QMenu;

enum TSortDirection { sdAscending, sdDescending };
enum TSearchAction { saFindFirst, saFindNext, saFindPrevious };
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
enum TClipOperation { coCut, coCopy };

using TFxGridNotify = std::function<void(QObject* Sender)>;
using TFxCellEvent = std::function<void(QObject* Sender, int ACol, int ARow)>;
using TFxCellBoolEvent = std::function<void(QObject* Sender, int ACol, int ARow, bool& Value)>;
using TFxCellTextEvent = std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)>;
using TFxCellColorEvent = std::function<void(QObject* Sender, int ARow, int ACol, fw::TGridDrawState AState,
                                             fw::TBrush& ABrush, fw::TFont& AFont)>;
using TFxCellBorderEvent =
    std::function<void(QObject* Sender, int ARow, int ACol, fw::TPen& APen, TCellBorders& Borders)>;

// Model: cell queries, selection, change notification, cell objects.
struct TFxGridModelEvents {
    TFxCellColorEvent OnGetCellColor;          // (row, column)
    TFxCellColorEvent OnGetCellPrintColor;     // (row, column)
    TFxCellBorderEvent OnGetCellBorder;        // (row, column)
    TFxCellBorderEvent OnGetCellPrintBorder;   // (row, column)
    std::function<void(QObject* Sender, int ARow, int ACol, fw::TAlignment& HAlign, TVAlignment& VAlign)>
        OnGetAlignment;                        // (row, column)
    TFxCellBoolEvent OnGetWordWrap;
    std::function<void(QObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridHint;       // (row, column)
    std::function<void(QObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridWideHint;   // (row, column)
    std::function<void(QObject* Sender, int ACol, int ARow, int X, int Y, int& ACursor)> OnGetCellCursor;
    std::function<void(QObject* Sender, int ACol, int ARow, TEditorType& AEditor)> OnGetEditorType;
    TFxCellBoolEvent OnHasComboBox;
    TFxCellBoolEvent OnHasSpinEdit;
    std::function<void(QObject* Sender, int ARow, int ACol, bool& CanEdit)> OnCanEditCell;       // (row, column)
    std::function<void(QObject* Sender, int ARow, int ACol, bool& IsFixed)> OnIsFixedCell;       // (row, column)
    std::function<void(QObject* Sender, int ARow, int ACol, bool& IsPassword)> OnIsPasswordCell; // (row, column)
    TFxCellTextEvent OnGetCheckTrue;
    TFxCellTextEvent OnGetCheckFalse;
    std::function<void(QObject* Sender, int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)>
        OnGetFormat;
    std::function<void(QObject* Sender, int Column, fw::TStringList& Filter)> OnGetColumnFilter;
    std::function<void(QObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;
    std::function<void(QObject* Sender, int ACol, bool& Allow)> OnColumnSize;
    std::function<void(QObject* Sender, int ARow, bool& Allow)> OnRowSize;
    std::function<void(QObject* Sender, const QString& Value, int ACol, int ARow, TSearchAction SearchAction)>
        OnSearchFooterAction;
    // The search footer's text changed; clearing DefaultSearch skips the grid's own search.
    std::function<void(QObject* Sender, const QString& Value, bool& DefaultSearch)> OnSearchEditChange;
    TFxGridNotify OnSearchFooterClose;
    // Calculations: an application aggregate of a column's rows, and the
    // text of an acCUSTOM footer cell.
    std::function<void(QObject* Sender, int ACol, int FromRow, int ToRow, double& Res)> OnColumnCalc;
    // The custom group calculation: Res starts at 0.
    std::function<void(QObject* Sender, int ACol, int FromRow, int ToRow, double& Res)> OnGroupCalc;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnFooterCalc;
    TFxCellEvent OnButtonClick;
    std::function<void(QObject* Sender, int ACol, int ARow, bool Expanded)> OnExpandClick;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnComboCloseUp;   // (row, column)
    std::function<void(QObject* Sender, int ARow, int ACol)> OnComboDropDown;  // (row, column)
    std::function<void(QObject* Sender, int OldRow, int NewRow)> OnRowUpdate;
    std::function<void(QObject* Sender, int ARow, bool AState, bool& Allow)> OnRowDisjunctSelect;
    std::function<void(QObject* Sender, int ARow)> OnRowDisjunctSelected;
    std::function<void(QObject* Sender, const fw::TRect& R)> OnCellsChanged;
    std::function<void(QObject* Sender, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
    std::function<void(QObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, fw::TStringList& Values)>
        OnFixedEdit;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnEditChange;
    // A button of the spin editor stepped the value (UpDown: the up button),
    // by the editor's spin type: integer, float, date and time.
    std::function<void(QObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, fw::TDateTime AValue, bool UpDown)> OnDateSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, fw::TDateTime AValue, bool UpDown)> OnTimeSpinClick;
    TFxCellTextEvent OnSaveCell;
    TFxCellTextEvent OnLoadCell;
    std::function<void(QObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxChange;
    std::function<void(QObject* Sender, int ACol, int ARow, int& NewRate, bool& Allow)> OnRatingChange;
    std::function<void(QObject* Sender, int ACol, int ARow, fw::TColor AColor, const QString& AColorText)>
        OnColorSelect;
    std::function<void(QObject* Sender, int ACol, int ARow, int AImageIndex)> OnImageSelect;
    // The colour and image drop-down editors as their edit ends: the colour
    // and its text, or the image index, may be changed before the cell takes them.
    std::function<void(QObject* Sender, int ACol, int ARow, fw::TColor& Color, QString& Value)> OnColorSelected;
    std::function<void(QObject* Sender, int ACol, int ARow, int& Index)> OnImageSelected;
    // The date-and-time editor's time part changed (the value as a date and time).
    std::function<void(QObject* Sender, int ACol, int ARow, double ADateTime)> OnDateTimeChange;
    // A button of a drop-down editor's popup header or footer.
    std::function<void(QObject* Sender, int ACol, int ARow, int ButtonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(QObject* Sender, int ACol, int ARow, int ButtonIndex)> OnDropDownFooterButtonClick;
    std::function<void(QObject* Sender, bool& CanAdd)> OnCanAddRow;
    std::function<void(QObject* Sender, int ARow, bool& CanInsert)> OnCanInsertRow;
    std::function<void(QObject* Sender, int ACol, int& AWidth)> OnUpdateColumnSize;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& AUnit)> OnUnitChanged;
    TFxGridNotify OnResize;
    TFxGridNotify OnRichEditSelectionChange;
    // Column grid: a pick in a column's filter drop-down.
    std::function<void(QObject* Sender, int Column, int ItemIndex, const QString& FriendlyName,
                       QString& FilterCondition)>
        OnFilterSelect;
};

// Sorting, filtering and grouping.
struct TFxGridSortEvents {
    // Res starts at 0; a sort expects -1, 0 or 1.
    std::function<void(QObject* Sender, const QString& Str1, const QString& Str2, int& Res)> OnCustomCompare;
    std::function<void(QObject* Sender, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;
    std::function<void(QObject* Sender, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(QObject* Sender, short Progress)> OnFilterProgress;
    // A value checked in the filter check list (Sender, column, entry, name,
    // condition, the list widget).
    std::function<void(QObject* Sender, int Column, int ItemIndex, const QString& FriendlyName,
                       QString& FilterCondition, QObject* CheckList)>
        OnFilterCheck;
    TFxGridNotify OnFilterDone;
};

namespace fw {
class TCanvas;
}
using TFxCustomCellDrawEvent = std::function<void(QObject* Sender, fw::TCanvas& Canvas, int ACol, int ARow,
                                                  fw::TGridDrawState AState, fw::TRect ARect, bool Printing)>;

// Painting and printing.
struct TFxGridPaintEvents {
    // (row, column); Color arrives holding the brush colour.
    std::function<void(QObject* Sender, int ARow, int ACol, fw::TColor& Color, fw::TColor& ColorTo,
                       fw::TColor& ColorMirror, fw::TColor& ColorMirrorTo, TCellGradientDirection& GD)>
        OnGetCellGradient;
    // Before any content, after the background.
    TFxCustomCellDrawEvent OnCustomCellBkgDraw;
    // After the default content and OnDrawCell.
    TFxCustomCellDrawEvent OnCustomCellDraw;
    // At the end of every paint pass.
    TFxGridNotify OnPainted;
    std::function<void(QObject* Sender, int ACol, bool& Allow)> OnCanShowFixedDropDown;
    // (row, column); each pen arrives as the border pen the grid chose.
    std::function<void(QObject* Sender, int ARow, int ACol, fw::TPen& LeftPen, fw::TPen& TopPen, fw::TPen& RightPen,
                       fw::TPen& BottomPen)>
        OnGetCellBorderProp;
    // Last word on a balloon; icon 0 none, 1 info, 2 warning, 3 error.
    std::function<void(QObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon)>
        OnCellBalloon;
    // The floating footer: custom painting of a column's footer cell (Sender is the panel).
    std::function<void(QObject* Sender, int ACol, fw::TRect ARect, fw::TCanvas& Canvas)> OnPaintFooter;
    TFxGridNotify OnCreatedFloatingFooter;
    TFxGridNotify OnCreatedSearchFooter;
    // Printing: sizes and positions in 0.1 mm, y growing upward.
    std::function<void(QObject* Sender, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(QObject* Sender, fw::TCanvas& Canvas, int PageNr, int PageXSize, int PageYSize)>
        OnPrintPage;
    std::function<void(QObject* Sender, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(QObject* Sender, fw::TCanvas& Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>
        OnPrintPageDone;
    std::function<void(QObject* Sender, int PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(QObject* Sender, int ACol, int& Width)> OnPrintSetColumnWidth;
    std::function<void(QObject* Sender, int ARow, int& Height)> OnPrintSetRowHeight;
    std::function<void(QObject* Sender, double& ScaleFactor, bool& Allow)> OnFitToPage;
    std::function<void(QObject* Sender, int PageNum, int PageColNum, QString& PageNumString)> OnPrintGetPageNum;
    // The last word on a cell's measured size (on paper: 0.1 mm).
    std::function<void(QObject* Sender, fw::TCanvas& Canvas, int ACol, int ARow, fw::TPoint& ASize, bool Printing)>
        OnCustomCellSize;
};

// Keyboard, mouse and in-place editing (the interaction issue adds its events here).
// Directions a drag hovering near the grid's edges scrolls in.
enum TDragScrollDir { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TFxSet<TDragScrollDir>;

struct TFxGridInteractEvents {
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
    std::function<void(QObject* Sender, int ACol)> OnEndColumnSize;
    // Editing cycle, in the order an edit sees them.
    std::function<void(QObject* Sender, int ACol, int ARow, QObject* AEditLink)> OnGetEditorProp;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidateWide;
    TFxGridNotify OnEditingDone;
    TFxCellEvent OnEditCellDone;
    std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>
        OnComboChange;
    std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection,
                       QObject* AObject)>
        OnComboObjectChange;
    // Moving the current cell (row before column where named so).
    std::function<void(QObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
    std::function<void(QObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
    std::function<void(QObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>
        OnCellChanging;
    std::function<void(QObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>
        OnAutoAdvance;
    std::function<void(QObject* Sender, int ARow)> OnAutoAddRow;
    std::function<void(QObject* Sender, int ACol)> OnAutoInsertCol;
    std::function<void(QObject* Sender, int ARow)> OnAutoInsertRow;
    std::function<void(QObject* Sender, int ARow)> OnAutoDeleteRow;
    std::function<void(QObject* Sender, int ARow, bool& CanDelete)> OnCanDeleteRow;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardPaste;
    // Mouse (the click events take the row first; check boxes the column first).
    std::function<void(QObject* Sender, int ARow, int ACol, bool& Allow)> OnCanClickCell;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnClickCell;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnDblClickCell;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnRightClickCell;
    std::function<void(QObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxClick;
    std::function<void(QObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxMouseUp;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnRadioButtonClick;
    std::function<void(QObject* Sender, int ACol, int ARow, int AIdx)> OnRadioClick;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)> OnAnchorClick;
    // The pointer reached or left an anchor of an HTML cell (row first); the
    // hint of an anchor without a title may be given here.
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorEnter;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorExit;
    std::function<void(QObject* Sender, int ARow, int ACol, QString& Anchor)> OnAnchorHint;
    // A click on a node's glyph: the row as shown, then its real row.
    std::function<void(QObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal)> OnContractNode;
    // A press on a fixed cell's drop-down button: the menu to pop up under
    // it (null for none), and whether the cell stays highlighted after the
    // menu closed.
    std::function<void(QObject* Sender, int ACol, int ARow, QMenu*& AMenu, bool& KeepFixedCellHighlighted)>
        OnFixedDropDownClick;
    // A drag hovering in a margin is about to scroll the grid one step.
    std::function<void(QObject* Sender, int TopRow, int LeftCol, TDragScrollDirection& DragScrollDir,
                       bool& CanScroll)>
        OnDragScroll;
    std::function<void(QObject* Sender, int ACol, bool& DoSort)> OnCanSort;
    std::function<void(QObject* Sender, int ACol)> OnClickSort;
    std::function<void(QObject* Sender, int ARow)> OnEndRowSize;
    std::function<void(QObject* Sender, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(QObject* Sender, int ARow, int RowSize)> OnRowSizing;
    std::function<void(QObject* Sender, int ACol, bool& Allow)> OnColumnMove;
    std::function<void(QObject* Sender, int ARow, bool& Allow)> OnRowMove;
    // Scrolling: ARow carries the row or the column the thumb points at.
    std::function<void(QObject* Sender, int ARow, QString& HintStr)> OnScrollHint;
    // The in-cell scroll bar of (ACol real, ARow) moved to ScrollPosition.
    std::function<void(QObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>
        OnScrollCell;
    // The button of an edit-button, unit or button editor: Value arrives as
    // the editor's text and leaves as the text the editor takes.
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnEllipsClick;
    // A date editor's cell text as a date (ADate arrives as now).
    std::function<void(QObject* Sender, const QString& Value, fw::TDateTime& ADate)> OnCustomStrToDate;
    // HTML form controls of cells (row before column).
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, fw::TStringList& Values, bool& Edit, int& DropCount)>
        OnControlComboList;
    std::function<void(QObject* Sender, int ARow, int ACol, int ItemIndex, const QString& CtrlID,
                       const QString& CtrlValue)>
        OnControlComboSelect;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlEditDone;
};

// Files, clipboard, drag and drop (the exchange issue adds its events here).
struct TFxGridExchangeEvents {
    // Percent done of a long save or load, told only when it changes.
    std::function<void(QObject* Sender, qint16 Progress)> OnFileProgress;
    // Clipboard paste, per cell (display column): before may change or
    // refuse the value; the wide pair is fired instead for packed wide text.
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteCell;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>
        OnClipboardBeforePasteWideCell;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteCell;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteWideCell;
    // Drag and drop (row before column).
    std::function<void(QObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    // Before a text or RTF drop, and before a dropped file loads (row and
    // column -1, data the file name).
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrop;
    std::function<void(QObject* Sender, const fw::TGridRect& ARect)> OnOleDropped;
    std::function<void(QObject* Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& FileName, bool& Allow)> OnOleDropFile;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& URL, bool& Allow)> OnOleDropURL;
    // The start of a drag out of the grid: may refuse it; then started and
    // stopped (with the drop effect: 0 none, 1 copy, 2 move).
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrag;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnOleDragStart;
    std::function<void(QObject* Sender, int OLEEffect)> OnOleDragStop;
};

struct TFxGridEvents : TFxGridModelEvents, TFxGridSortEvents, TFxGridPaintEvents, TFxGridInteractEvents,
                       TFxGridExchangeEvents {
};
