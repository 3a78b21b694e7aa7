#pragma once
// The platform's string grid: a custom-painted scroll area of text cells with
// fixed header rows and columns, whole-cell scrolling, keyboard and mouse
// selection, sizing and moving of rows and columns, and an in-place editor.
//
// Every input event passes through the virtual window procedure WndProc as a
// TMessage (see Input.h) before the default handling turns it into calls of
// the overridable hooks (KeyDown, MouseDown, SelectCell, DrawCell, ...), so a
// descendant can act before, instead of or after the grid's own behaviour.
//
// What the default handling of each message does, in order:
//   WM_KEYDOWN / WM_SYSKEYDOWN  KeyDown: OnKeyDown, then navigation (FocusCell:
//                               SelectCell, editor follows, Click)
//   WM_CHAR     goEditing and a typed character: ShowEditorChar (the editor's
//               KeyPress passes it to the grid's KeyPress first); else KeyPress
//   WM_KEYUP    KeyUp (OnKeyUp)
//   WM_xBUTTONDOWN / DBLCLK  MouseDown: focus, then (left button) DblClick for
//               a double click, or sizing / moving / selection start; OnMouseDown last
//   WM_MOUSEMOVE  MouseMove (drag feedback, OnMouseMove), then WM_SETCURSOR
//   WM_xBUTTONUP  MouseUp: ends the drag (a selection drag fires Click), OnMouseUp
//   WM_MOUSEWHEEL DoMouseWheel -> one DoMouseWheelDown/Up per notch
//   WM_VSCROLL / WM_HSCROLL  TopRow / LeftCol by SB_* code -> TopLeftChanged
//   WM_TIMER    identifier 1: auto-scroll while dragging outside the cells
//   WM_SETFOCUS   CM_ENTER (DoEnter) unless the focus comes from the editor
//   WM_KILLFOCUS  focus leaving grid and editor: editor closes keeping its
//               text, then CM_EXIT (DoExit)
//   WM_PAINT    Paint -> DrawCell per visible cell
//   WM_SIZE, WM_GETDLGCODE, WM_COMMAND (EN_CHANGE of the editor -> its Change)
//
// Drags the desktop carries over the grid (from this program or another)
// reach DragOver directly, not as messages: dsDragEnter, dsDragMove on every
// move, dsDragLeave when the drag leaves or ends in a drop; DragDrop follows
// for a drop the last DragOver accepted. A drag target installed on the
// viewport takes the drags before they reach the grid.
#include "framework/Graphics.h"
#include "framework/GridRowCells.h"
#include "framework/Input.h"
#include "framework/SysUtils.h"
#include "framework/Types.h"

#include <QAbstractScrollArea>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace fw {

class TCanvas;
class TInplaceEdit;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells; all four edges are inclusive cell indices.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The block spanned by two corners, in either order.
constexpr TGridRect GridRect(TGridCoord a, TGridCoord b)
{
    return {a.X < b.X ? a.X : b.X, a.Y < b.Y ? a.Y : b.Y, a.X > b.X ? a.X : b.X, a.Y > b.Y ? a.Y : b.Y};
}

enum TGridOption : std::uint32_t {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
// A set of TGridOption bits: `Options() & goEditing`, `Options() | goTabs`.
using TGridOptions = std::uint32_t;
constexpr TGridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridDrawStateFlag : std::uint32_t {
    gdSelected = 1u << 0,
    gdFocused = 1u << 1,
    gdFixed = 1u << 2,
};
using TGridDrawState = std::uint32_t;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Misuse of the grid's indices or counts (a negative cell index, more fixed
// columns than columns); the text is short and says what was wrong.
class EGridError : public Exception {
public:
    using Exception::Exception;
};

class TStringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    // ---------------------------------------------------------------- cells
    // Text and object of any cell with non-negative indices, also beyond the
    // present counts (such values survive shrinking and growing again).
    // A negative index raises EGridError. Objects are not owned.
    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& value);
    // The stored text of a cell read in place, for scans that must not copy
    // every text they look at; null for a cell that holds none. It holds
    // until the cells next change.
    const QString* FindCellText(int ACol, int ARow) const;
    // Empties the texts of the cells of `area` (objects stay), at the cost of
    // the cells that hold one rather than of the area's size: a loader that
    // fills a large area sparsely clears what was there before with it.
    void ClearCellTexts(const TGridRect& area);
    void* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, void* object);

    // ---------------------------------------------------------------- layout
    int ColCount() const;
    void SetColCount(int value);        // at least 1; fewer fixed columns when needed
    int RowCount() const;
    void SetRowCount(int value);
    int FixedCols() const;
    void SetFixedCols(int value);       // 0 .. ColCount-1, else EGridError
    int FixedRows() const;
    void SetFixedRows(int value);
    int DefaultColWidth() const;
    void SetDefaultColWidth(int value); // resets every column to the new width
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int value);
    int ColWidths(int index) const;
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    int GridLineWidth() const;
    void SetGridLineWidth(int value);
    bool TabStops(int index) const;     // Tab stops on the column (all true at first)
    void SetTabStops(int index, bool value);
    TColor Color() const;
    void SetColor(TColor value);
    TColor FixedColor() const;
    void SetFixedColor(TColor value);
    const TFont& Font() const;
    void SetFont(const TFont& value);
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool value);
    TGridOptions Options() const;
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle value);
    // Client area of the cells (the viewport), in pixels.
    int ClientWidth() const;
    int ClientHeight() const;
    // Extent of all visible cells with their lines, at most the client size.
    int GridWidth() const;
    int GridHeight() const;

    // ---------------------------------------------------------------- position
    int Col() const;
    // Through FocusCell, so SelectCell may refuse; an index outside the grid
    // raises EGridError.
    void SetCol(int value);
    int Row() const;
    void SetRow(int value);
    TGridRect Selection() const;
    // The bottom-right corner becomes the current cell, the top-left the anchor
    // (no SelectCell); corners are kept inside the grid.
    void SetSelection(const TGridRect& value);
    // First scrollable row/column shown; kept between the fixed cells and the
    // position that shows the last cells completely.
    int TopRow() const;
    // A band of this many pixels at the bottom of the client that a control
    // laid over the grid covers: the rows scroll on until the last one ends
    // above it.
    int CoveredBottom() const;
    void SetCoveredBottom(int pixels);
    void SetTopRow(int value);
    int LeftCol() const;
    void SetLeftCol(int value);
    // Scrollable columns/rows that fit completely into the client area.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    TGridState GridState() const;

    // Client rectangle of a cell without its grid lines, clipped to the client
    // area; empty (0,0,0,0) for a cell scrolled out of view or outside the grid.
    virtual TRect CellRect(int ACol, int ARow) const;
    // Cell under a client point; -1 for the column (row) when the point is
    // left or right of (above or below) the cells.
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    // Makes (ACol, ARow) current after SelectCell agrees; MoveAnchor collapses
    // the selection to it, Show scrolls it into view.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // MoveColRow with Show, then the editor follows and Click fires.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    // Moves the data, widths and tab stops of a column/row and fires the hooks.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Moves the column/row to the end and drops it with its texts; object
    // references in it are forgotten (not freed).
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
    // Bulk row edits in one pass, linear in the rows they move. DeleteRows
    // leaves the grid as Count calls of DeleteRow at ARow would (a Count
    // past the last row takes the rows to the end), without the row-moved
    // hooks. InsertRows opens Count empty rows of the default height at ARow
    // (RowCount appends); the rows from ARow on move down with their heights,
    // the current cell and the selection keep their indices.
    void DeleteRows(int ARow, int Count);
    void InsertRows(int ARow, int Count);
    // Whole rows set aside and brought back as handles, in one pass each,
    // without copying a cell. TakeRows removes the listed rows (ascending,
    // unique, in range) and hands each one's cells to take(i, cells), i its
    // place in the list, to move from; the rows below close up with their
    // heights. PutRows opens the given rows at
    // their positions in the grown grid (ascending, unique) with their cells
    // and heights; the other rows spread over the rest in order. Both leave
    // the current cell and the selection at their indices.
    void TakeRows(const std::vector<int>& rows, const std::function<void(std::size_t, TGridRowCells&)>& take);
    struct TPutRow {
        int At = 0;
        TGridRowCells Cells;
        int Height = 0;
    };
    void PutRows(std::vector<TPutRow> rows);
    // Whether the row may hold an object reference (false: certainly none).
    bool RowHasObjects(int ARow) const;
    // The texts and objects of two rows change places; heights stay.
    void ExchangeRowCells(int ARow1, int ARow2);

    // ---------------------------------------------------------------- repaint
    virtual void Invalidate();
    void InvalidateRect(const TGridRect& r);
    void InvalidateCell(int ACol, int ARow);
    // Repaints what is pending now instead of at the next event-loop turn.
    void Update();

    // ---------------------------------------------------------------- editor
    bool EditorMode() const;
    void SetEditorMode(bool value);
    void ShowEditor();
    // Shows the editor and types `ch` into it (a WM_CHAR handled at once,
    // ahead of the keys queued behind it).
    void ShowEditorChar(QChar ch);
    // Writes the editor's text back through SetEditText and hides it.
    void HideEditor();
    // The editor once created (null before the first show).
    TInplaceEdit* InplaceEditor() const;

    // ---------------------------------------------------------------- messages
    // Runs a message through the window procedure now and returns its Result.
    std::intptr_t Perform(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
    // Queues a message for the window procedure.
    void PostMessage(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
    // Timers arrive as WM_TIMER with the identifier in WParam. Identifier 1
    // is the grid's own auto-scroll timer while selecting or moving.
    void SetTimer(int id, int intervalMs);
    void KillTimer(int id);

    // Canvas of the paint in progress (a measuring canvas outside painting).
    TCanvas& Canvas();
    bool Focused() const;
    void SetFocus();
    // The grid or its editor has the keyboard focus.
    bool IsActiveControl() const;

    // ---------------------------------------------------------------- events
    std::function<void(QObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(QObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(QObject* Sender)> OnTopLeftChanged;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnRowMoved;
    std::function<void(QObject* Sender, int& Key, TShiftState Shift)> OnKeyDown;
    std::function<void(QObject* Sender, int& Key, TShiftState Shift)> OnKeyUp;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseDown;
    std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseUp;
    std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)> OnMouseWheel;
    std::function<void(QObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)> OnMouseWheelDown;
    std::function<void(QObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)> OnMouseWheelUp;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;
    // A drag over the cells (X, Y client point); Source is the widget the
    // drag started from, null from another program. Accept starts true.
    std::function<void(QObject* Sender, QObject* Source, int X, int Y, TDragState State, bool& Accept)> OnDragOver;
    std::function<void(QObject* Sender, QObject* Source, int X, int Y)> OnDragDrop;

protected:
    // ---------------------------------------------------------------- message path
    // Window procedure: every message enters here. The default passes it to
    // Dispatch, which performs the grid's handling and calls the hooks below.
    virtual void WndProc(TMessage& Message);
    void Dispatch(TMessage& Message);

    // ---------------------------------------------------------------- hooks
    // Paints one cell. The default fills it (when DefaultDrawing), draws the
    // text 2 pixels in, then fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Paints every visible cell, the grid lines and the unused client area.
    virtual void Paint();
    // May (ACol, ARow) become current? Fires OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    // May the in-place editor show now? (goEditing without goRowSelect, the
    // editor wanted, the grid focused or goAlwaysShowEditor.)
    virtual bool CanEditShow();
    virtual bool CanEditAcceptKey(QChar Key);
    virtual bool CanEditModify();
    // Does the grid handle this navigation key? (Tab only with goTabs.)
    virtual bool CanGridAcceptKey(int Key, TShiftState Shift);
    virtual TInplaceEdit* CreateEditor();
    // Editor text of a cell: Cells, then OnGetEditText.
    virtual QString GetEditText(int ACol, int ARow);
    // Stores the editor's text into Cells, then fires OnSetEditText.
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual QString GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();    // 0 = no limit
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    // After MoveColumn/MoveRow moved widths; the default moves the cell data
    // and fires OnColumnMoved/OnRowMoved.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // A drag of the header may start/end; the default agrees.
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    // Is (X, Y) on a column or row border that may be dragged? Sets State to
    // gsColSizing/gsRowSizing (else gsNormal), the index of the cell being
    // sized, the border position and the offset of the pointer from it.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);

    // The default KeyDown fires OnKeyDown, then moves the current cell; a Key
    // cleared to 0 (by a descendant or the event) skips the movement.
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    // Fires OnKeyPress; Enter toggles the editor unless goAlwaysShowEditor.
    virtual void KeyPress(QChar& Key);
    // Selection, sizing and moving start; fires OnMouseDown last.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    // Fires OnMouseWheel; unhandled notches go to DoMouseWheelDown/Up.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // Fire OnMouseWheelDown/Up; unhandled, the current row moves one down/up.
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoEnter();
    virtual void DoExit();
    // A drag over the grid: the default takes a drop only when OnDragOver
    // is set and agrees.
    virtual void DragOver(QObject* Source, int X, int Y, TDragState State, bool& Accept);
    // A drop the last DragOver accepted; fires OnDragDrop.
    virtual void DragDrop(QObject* Source, int X, int Y);
    // Enters the selection drag a press on a cell starts, from gsNormal only:
    // the selection's moving corner follows the pointer, the grid scrolls
    // while the pointer is outside the cells, and the button's release ends
    // it with Click. Answers whether the grid is now selecting.
    bool BeginSelecting();

    // ---------------------------------------------------------------- Qt side
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class TInplaceEdit;
    struct Impl;
    std::unique_ptr<Impl> d;

    // Perform for the Qt event handlers: an exception goes to the
    // application's error handler instead of into Qt.
    std::intptr_t PerformFromQt(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
    // A drag event on the grid becomes DragOver / DragDrop.
    void DragEvent(QEvent* e);

    // Handlers of Dispatch, one per message kind.
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    void WMChar(TMessage& m);
    void WMMouse(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMScroll(TMessage& m, bool vertical);
    void WMTimer(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMPaint(TMessage& m);
    void WMSize(TMessage& m);
    void WMGetDlgCode(TMessage& m);
    void WMCommand(TMessage& m);

    // Internal steps shared by the handlers.
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void ClampInView(const TGridCoord& Coord);
    void SelectionMoved(const TGridRect& OldSel);
    void ChangeSize(int NewColCount, int NewRowCount);
    void Initialize();
    void UpdateEdit();
    void UpdateEditor();
    void HideEdit();
    void UpdateText();
    void UpdateScrollRange();
    void UpdateScrollPos();
    void ScrollBarAction(bool vertical, int action);
    void AutoScrollTick();
    void EndSizing();
    void EndMoving(int X, int Y);
    void MoveDropPosition(int X, int Y);
    void MoveCellData(bool columns, int FromIndex, int ToIndex);
    void PaintLines(TCanvas& canvas);
    void EditorFocusLeft(QWidget* newFocus);
    void ApplicationFocusChanged(QWidget* old, QWidget* now);
    bool Inside(const QWidget* w) const;
};

} // namespace fw

// The grid class the feature grid derives from; it adds nothing to the
// platform's string grid.
class TObjStringGrid : public fw::TStringGrid {
    Q_OBJECT
public:
    using fw::TStringGrid::TStringGrid;
};
