#pragma once
// Interaction state of TFxStringGrid: the update lock, the editing cycle,
// keyboard navigation and the mouse state that a press leaves for mouse
// move and button up.
#include "framework/Timer.h"
#include "grid/interact/FxDragScroll.h"
#include "grid/model/FxGrid.h"

#include <QCursor>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class TFxInplaceEdit;
class TGridCombo;
class TGridCheckBox;
class TGridSpin;
class QLabel;
class QScrollBar;

enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };

// The kinds edited in the framework's text editor; every other kind has a
// control of its own (or none).
inline bool FxIsTextEditorKind(TEditorType k)
{
    switch (k) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edValidChars: case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// The cell's text is HTML with form controls (CONTROL tags); their own
// editors take keys and typing there.
// The timer of wheel-button panning.
constexpr int kPanTimer = 999;

bool FxHasFormControls(TFxStringGrid& g, int ACol, int ARow);

// The select mode of the pointer at (X, Y): the corner selects all, a row
// header rows, a column header columns; none on a sizing edge.
TMouseSelectMode FxMouseSelectModeAt(TFxStringGrid& g, int X, int Y, bool OnSizingEdge);

// How an editor over the cell (display column) looks: the cell's resolved
// background (the grid's colour where the cell has none), font and alignment.
void FxEditorLook(TFxStringGrid& g, int ACol, int ARow, fw::TBrush& Brush, fw::TFont& Font, fw::TAlignment& HA,
                  TVAlignment& VA);

struct TFxGridInteractState {
    FX_GRID_INTERACT_SETTINGS(FX_GRID_SETTING_FIELD)

    int UpdateCount = 0;
    // The in-place editor kind in use (the grid's EditControl).
    TEditorType CurrentEditor = edNormal;
    // Set by an in-place edit change: the next Invalidate is swallowed.
    bool EditChange = false;
    // The grid's "modified" flag of in-place editing, and its value when
    // the pending edit started.
    bool Modified = false;
    bool OldModified = false;
    // Editing is switched off for the current cell although the grid is
    // editable (set by the selection check).
    bool EditDisable = false;

    // ---- editing cycle
    bool EditMode = false;          // an editor of any kind is open
    QPointer<QWidget> EditCtrl;     // the open non-text editor's control
    bool Editing = false;           // an edit whose value is not yet validated
    bool Validating = false;        // re-entry guard of ValidateCell
    bool LastValidation = true;
    bool SpecialEditor = false;     // the open editor is a non-text editor
    bool EditActive = false;        // a non-text editor shows
    bool Entered = false;
    bool ShowEditProcess = false;   // typed text reaches the cell at once
    bool NoEditChange = false;
    QString CellCache;              // the current cell's text when editing began
    QChar StartEditChar;            // the character that opened the editor
    // The character that opened the editor has been shown to OnKeyPress on
    // its way in; its replay into the editor is not a second key press.
    QChar ReplayChar;
    bool KeyPressReported = false;  // the next grid key press is that replay
    int ComboIdx = -1;              // preselected combo item, -1 none
    bool ComboUnmatched = false;    // a list combo opened on a text not in its list
    bool ComboUserChose = false;    // the user picked an item since
    QString NewCellText;            // the value being validated, then accepted
    bool NoAutoAdvance = false;
    // A refused value kept its text editor open when a press took the
    // keyboard away: that press does not move the current cell.
    bool HoldCell = false;
    // The last validation of the edit refused its value and opened the editor
    // again; cleared by the next validation and by a new edit.
    bool Refused = false;
    bool BlockKill = false;         // a special editor is being hidden
    bool BlockFocus = false;        // DoneInplaceEdit moves the focus back
    bool InvokedFocusChange = false;
    bool DisableChange = false;     // the grid moves the current cell itself
    bool ForceSel = false;          // a forced selection passes the check at once
    bool EditChangeOption = false;  // the grid itself changed goEditing
    QString EditText;               // the target cell's text at the last check
    int AECol = -1, AERow = -1;     // where an advance started
    bool EditStart = false;         // around the framework's mouse-down
    bool LButFlg = false;           // the editor was opened by a click
    bool InAdvance = false;         // guard of the read-only skipping walk

    // The editor controls, created on first use and kept with the grid.
    QPointer<TFxInplaceEdit> NormalEdit;
    QPointer<TGridCombo> Combo;
    QPointer<TGridCheckBox> CheckEditor;
    QPointer<TGridSpin> Spin;

    // ---- keyboard
    int LastTabCol = -1, LastTabRow = -1;
    fw::TGridCoord LastKeyCell;
    fw::TGridRect MoveSelection;
    QString SearchInc;
    int SearchTics = 0;
    int TimerTicks = 0;
    bool GridBlink = false;
    bool PaintCount = false;

    // ---- mouse
    bool DoOnClick = false;
    bool MouseDownMove = false;
    bool MouseKeepDown = false;
    bool SpinUpClick = false, SpinDnClick = false;
    bool MouseDown = false;
    bool DeselectState = false;
    bool SelectionClick = false;    // a press on the selection that a move may turn into a drag
    int MoveColInd = -1, MoveRowInd = -1;
    fw::TGridCoord PushedCellButton{-1, -1};
    int OldTopRow = 0, OldKeepLeftCol = 0;
    int Colclicked = -1, Rowclicked = -1;
    int Colclickedsize = 0, Rowclickedsize = 0;
    int Clickposx = 0, Clickposy = 0;
    int Clickposdx = 0, Clickposdy = 0;
    int Movecell = -1;
    int MoveOfsX = 0, MoveOfsY = 0;
    int MouseSelectStart = -1;
    bool ColSized = false, Rowsized = false;
    bool ColSizeFlg = false, ColMoveFlg = false;
    bool DblClk = false;
    bool IsColChanging = false;
    bool ColchgFlg = true;
    TMouseSelectMode MouseSelectMode = msNormal;
    bool Invokedchange = false;
    fw::TGridCoord LastHintPos{-1, -1};
    bool SortClickPending = false;
    bool FDisableSize = false;
    bool SyncedMove = false;
    bool UserColumnDrag = false;    // the framework is ending a header drag
    // A drag on the selection resizer handle: the selection at the press and
    // its texts, which fill the selection at the release. The texts stay in
    // the grid: the system clipboard is the user's.
    bool MouseResize = false;
    fw::TGridRect DropSelection{};
    std::vector<QStringList> ResizeBlock;

    // A fixed cell's drop-down menu is open: leaving the grid keeps its
    // hover look.
    bool NoMouseLeave = false;

    // The anchor under the pointer and the title of its last hint.
    QString Anchor;
    QString LastAnchorHint;

    // ---- scrolling and hints
    QPointer<QLabel> HintWnd;
    QString HintText;
    bool ScrollHintShow = false;
    bool ScrollLock = false;
    // Wheel-button panning: where it started, the cursor before it, and
    // the marker shown at the start point.
    bool WheelPan = false;
    QPoint WheelPanPos;
    QCursor PanPrevCursor;
    QPointer<QLabel> PanImage;
    // Drag scrolling: the settings, the timer that lives only while a drag
    // rests in a margin, and the margin's direction.
    std::unique_ptr<TDragScrollOptions> DragScroll = std::make_unique<TDragScrollOptions>();
    std::unique_ptr<fw::TTimer> DragTimer;
    TDragScrollDirection DragScrollDirection;
    // The one scroll bar control a cell with an in-cell scroll bar gets
    // while the pointer is over it, and that cell (real column).
    QPointer<QScrollBar> CellScrollBar;
    fw::TGridCoord CellScrollCell{-1, -1};
};

// True, once, when ch is the replay of the character that opened the editor:
// the grid's OnKeyPress saw it when it was typed.
inline bool FxTakeReplayedChar(TFxGridInteractState& s, QChar ch)
{
    if (s.ReplayChar.isNull() || s.ReplayChar != ch)
        return false;
    s.ReplayChar = QChar();
    return true;
}
