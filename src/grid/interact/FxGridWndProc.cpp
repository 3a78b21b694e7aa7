// The grid's window procedure: the edit-done message, painting suppression,
// the routing of key, mouse and scroll messages to their handlers, focus,
// the editor's change notifications, the grid timer and the cursor.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxInplaceEdit.h"

#include "framework/Forms.h"
#include "framework/Guard.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/GridPaintServices.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QTransform>
#include <QKeyEvent>
#include <QPointer>

using namespace fw;

namespace {

// The grid timer: hover, blinking text and the incremental-search reset.
constexpr int kGridTimer = 111;
constexpr int kGridTimerInterval = 500;

// The desktop's cursor numbers an OnGetCellCursor handler answers with.
constexpr int crDefault = 0;

QCursor CursorShape(int cursor)
{
    switch (cursor) {
    case -1: return QCursor(Qt::BlankCursor);
    case -3: return QCursor(Qt::CrossCursor);
    case -4: return QCursor(Qt::IBeamCursor);
    case -6: return QCursor(Qt::SizeBDiagCursor);
    case -7: return QCursor(Qt::SizeVerCursor);
    case -8: return QCursor(Qt::SizeFDiagCursor);
    case -9: return QCursor(Qt::SizeHorCursor);
    case -10: return QCursor(Qt::UpArrowCursor);
    case -11: return QCursor(Qt::WaitCursor);
    case -12: return QCursor(Qt::DragMoveCursor);
    case -13:
    case -18: return QCursor(Qt::ForbiddenCursor);
    case -14: return QCursor(Qt::SplitHCursor);
    case -15: return QCursor(Qt::SplitVCursor);
    case -16: return QCursor(Qt::DragCopyCursor);
    case -17:
    case -19: return QCursor(Qt::BusyCursor);
    case -20: return QCursor(Qt::WhatsThisCursor);
    case -21: return QCursor(Qt::PointingHandCursor);
    case -22: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

// A solid black arrow with a white rim on a 32 x 32 cursor, pointing right
// (row selection) or down (column selection).
QCursor ArrowCursor(bool down)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon arrow;
    // Pointing right, tip at (26, 16).
    arrow << QPoint(6, 13) << QPoint(17, 13) << QPoint(17, 8) << QPoint(26, 16) << QPoint(17, 24) << QPoint(17, 19)
          << QPoint(6, 19);
    if (down) {
        QTransform t;
        t.translate(29, 0);
        t.rotate(90);
        arrow = t.map(arrow);   // tip at (13, 26)
    }
    p.setPen(Qt::white);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.end();
    return down ? QCursor(pm, 13, 26) : QCursor(pm, 26, 16);
}

QCursor SelectCursor(TMouseSelectMode mode)
{
    static const QCursor right = ArrowCursor(false);
    static const QCursor down = ArrowCursor(true);
    switch (mode) {
    case msRow: return right;
    case msColumn: return down;
    default: return QCursor(Qt::SizeAllCursor);
    }
}

} // namespace

unsigned TFxStringGrid::GridEditDoneMessage()
{
    static const unsigned msg = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    return msg;
}

void TFxStringGrid::WndProc(TMessage& m)
{
    if (m.Msg == WM_DESTROY)
        KillTimer(kGridTimer);
    if (Destroying()) {
        TBaseGrid::WndProc(m);
        return;
    }
    TFxGridInteractState& s = InteractState();
    if (m.Msg == GridEditDoneMessage()) {
        if (const auto& e = Events().OnEditCellDone)
            e(this, int(m.WParam), int(m.LParam));
        if (MouseActions().EditOnDblClickOnly()) {
            HideEditor();
            s.EditMode = false;
            SetOptions(Options() & ~TGridOptions(goEditing));
        }
        return;
    }
    // Any button press or key ends panning; a key is then handled as usual.
    if (s.WheelPan && (m.Msg == WM_MBUTTONDOWN || m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN ||
                       m.Msg == WM_KEYDOWN || m.Msg == WM_DESTROY)) {
        StopPanning();
        if (m.Msg == WM_MBUTTONDOWN)
            return;
    }
    const int oldRow = Row();
    switch (m.Msg) {
    case WM_PAINT:
        // A locked grid paints nothing.
        if (s.UpdateCount >= 1)
            return;
        if (!s.PaintCount && ScrollProportional())
            UpdateProportionalVertScroll();
        TBaseGrid::WndProc(m);
        if (!s.PaintCount && focusPolicy() == Qt::NoFocus) {
            s.PaintCount = true;
            UpdateProportionalVertScroll();
        }
        return;
    case WM_SIZE:
        if (ScrollProportional()) {
            UpdateProportionalVertScroll();
            UpdateProportionalHorzScroll();
        }
        HandleWmSize(m);
        if (s.TimerTicks == 0 && isVisible())
            SetTimer(kGridTimer, kGridTimerInterval);
        return;
    case WM_LBUTTONUP:
        if (ScrollProportional()) {
            UpdateProportionalVertScroll();
            UpdateProportionalHorzScroll();
        }
        HandleWmLButtonUp(m);
        break;
    case WM_LBUTTONDOWN: HandleWmLButtonDown(m); break;
    case WM_LBUTTONDBLCLK: HandleWmLButtonDblClk(m); break;
    case WM_RBUTTONDOWN: HandleWmRButtonDown(m); break;
    case WM_KEYDOWN: HandleWmKeyDown(m); break;
    case WM_CHAR: HandleWmChar(m); break;
    case WM_COMMAND: HandleWmCommand(m); break;
    case WM_SETFOCUS: HandleWmSetFocus(m); break;
    case WM_KILLFOCUS: HandleWmKillFocus(m); break;
    case WM_TIMER: HandleWmTimer(m); break;
    case WM_GETDLGCODE: HandleWmGetDlgCode(m); break;
    case WM_HSCROLL: HandleWmScroll(m, false); break;
    case WM_VSCROLL: HandleWmScroll(m, true); break;
    case WM_MOUSEWHEEL: HandleWmMouseWheel(m); break;
    case CM_MOUSELEAVE: HandleCmMouseLeave(m); break;
    case WM_MBUTTONDOWN:
        if (IntelliPan() != ipNone && RowCount() > FixedRows())
            StartPanning(GetXLParam(m.LParam), GetYLParam(m.LParam));
        else
            TBaseGrid::WndProc(m);
        break;
    case WM_SETCURSOR:
        // Panning shows the cursor of its direction.
        if (s.WheelPan) {
            m.Result = 1;
            break;
        }
        TBaseGrid::WndProc(m);
        if (s.MouseSelectMode != msNormal && s.MouseSelectMode != msURL && GridState() != gsColSizing &&
            GridState() != gsRowSizing) {
            viewport()->setCursor(SelectCursor(s.MouseSelectMode));
        } else if (s.MouseSelectMode == msURL && GridState() == gsNormal) {
            viewport()->setCursor(Qt::PointingHandCursor);
        } else if (CellSelectorMode()) {
            viewport()->setCursor(Qt::CrossCursor);
        } else if (const auto& e = Events().OnGetCellCursor) {
            const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
            int c = -1, r = -1;
            MouseToCell(p.x(), p.y(), c, r);
            if (c >= 0 && r >= 0) {
                int cursor = crDefault;
                e(this, c, r, p.x(), p.y(), cursor);
                if (cursor != crDefault)
                    viewport()->setCursor(CursorShape(cursor));
            }
        }
        break;
    default: TBaseGrid::WndProc(m); break;
    }
    if (Row() != oldRow && SyncGrid().SelectionRow() && SyncGrid().Grid())
        SetRow(Row());
}

void TFxStringGrid::keyPressEvent(QKeyEvent* e)
{
    const int vk = VirtualKeyFromEvent(*e);
    const QChar ch = CharCodeFromEvent(*e);
    if (vk == 0 && ch.isNull()) {
        e->ignore();
        return;
    }
    const bool sys = (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    const std::intptr_t lParam = KeyDataFromEvent(*e);
    QPointer<TFxStringGrid> self(this);
    // An error of an event handler must not unwind through Qt.
    auto perform = [this](unsigned msg, std::intptr_t w = 0, std::intptr_t l = 0) {
        std::intptr_t r = 0;
        RunGuarded([&] { r = Perform(msg, w, l); });
        return r;
    };
    std::intptr_t consumed = 0;
    if (vk != 0)
        consumed = perform(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
    if (!self)
        return;
    // A key the key-down chain cleared makes no character.
    if (!ch.isNull() && consumed == 0)
        perform(sys ? WM_SYSCHAR : WM_CHAR, ch.unicode(), lParam);
    if (!self)
        return;
    const bool dialogKey = vk == VK_RETURN || vk == VK_ESCAPE;
    if (dialogKey && !consumed && !(Options() & goEditing) && !(perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS))
        e->ignore();
    else
        e->accept();
}

// ---------------------------------------------------------------- focus

void TFxStringGrid::HandleWmSetFocus(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    if (s.InvokedFocusChange)
        return;
    TBaseGrid::WndProc(m);
    if (IsClickableCell(RealCol(), Row()))
        return;
    if (Navigation().AlwaysEdit()) {
        auto* from = reinterpret_cast<QWidget*>(m.WParam);
        bool canEdit = false;
        CanEditCell(RealCol(), Row(), canEdit);
        const bool inView = LeftCol() <= Col() && Col() < LeftCol() + VisibleColCount() && TopRow() <= Row() &&
                            Row() < TopRow() + VisibleRowCount();
        if (s.NormalEdit) {
            if (from != s.NormalEdit.data() && GridState() != gsRowMoving && GridState() != gsColMoving &&
                s.CurrentEditor == edNormal && inView && canEdit) {
                ShowInplaceEdit();
                return;
            }
        } else if (inView && canEdit && !MouseActions().DirectEdit() && !ControlLook().DropDownAlwaysVisible() &&
                   HasComboBox(RealCol(), Row())) {
            ShowInplaceEdit();
        }
    }
    if (IsMergedCell(RealCol(), Row()))
        RepaintCell(RealCol(), Row());
}

void TFxStringGrid::HandleWmKillFocus(TMessage& m)
{
    if (InteractState().BlockKill) {
        m.Result = 1;
        return;
    }
    TBaseGrid::WndProc(m);
    if (IsMergedCell(RealCol(), Row()))
        RepaintCell(RealCol(), Row());
}

void TFxStringGrid::DoEnter()
{
    TFxGridInteractState& s = InteractState();
    if (s.BlockFocus)
        return;
    TBaseGrid::DoEnter();
    try {
        if ((Options() & goEditing) || MouseActions().RangeSelectAndEdit())
            SelectCell(Col(), Row());
    } catch (...) {
        StoreOldValue(Col(), Row());
        throw;
    }
    StoreOldValue(Col(), Row());
}

void TFxStringGrid::DoExit()
{
    if (InteractState().BlockKill)
        return;
    if (SelectionChangedFlag() && MouseActions().DisjunctRowSelect())
        SelectionToRowSelect(false);
    SetSelectionChangedFlag(false);
    TBaseGrid::DoExit();
}

// ---------------------------------------------------------------- editor notifications

void TFxStringGrid::HandleWmCommand(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    TBaseGrid::WndProc(m);   // the editor's own change handling
    if (unsigned(HiWord(m.WParam)) != EN_CHANGE || !s.ShowEditProcess)
        return;
    TFxInplaceEdit* ed = s.NormalEdit.data();
    if (!ed || m.LParam != reinterpret_cast<std::intptr_t>(static_cast<TInplaceEdit*>(ed)))
        return;
    // Typed text reaches the cell at once; text loaded into a starting
    // editor is the cell's own and goes nowhere.
    if (s.EditStart || !s.EditMode || s.NoEditChange || !FxIsTextEditorKind(s.CurrentEditor))
        return;
    SetEditText(Col(), Row(), ed->Text());
}

// ---------------------------------------------------------------- timer

void TFxStringGrid::HandleWmTimer(TMessage& m)
{
    if (int(m.WParam) == kPanTimer) {
        if (InteractState().WheelPan)
            PanTick();
        return;
    }
    if (int(m.WParam) != kGridTimer) {
        TBaseGrid::WndProc(m);
        return;
    }
    TFxGridInteractState& s = InteractState();
    ++s.TimerTicks;
    if (Navigation().AutoGotoIncremental()) {
        if (s.SearchTics == 3) {
            s.SearchInc.clear();
            s.SearchTics = 0;
        } else {
            ++s.SearchTics;
        }
    }
    if (Hovering() && underMouse()) {
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        int c = -1, r = -1;
        MouseToCell(p.x(), p.y(), c, r);
        if (c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount()) {
            SetFocus();
            SetRow(r);
            SetCol(c);
        }
    }
    if (EnableBlink()) {
        s.GridBlink = !s.GridBlink;
        auto blinks = [this](int c, int r) {
            return GridCells(c, r).contains(QLatin1String("<BLI"), Qt::CaseInsensitive);
        };
        const int lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
        const int lastCol = std::min(LeftCol() + VisibleColCount() + NumHiddenColumns() - 1,
                                     ColCount() + NumHiddenColumns() - 1);
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r))
                    RepaintCell(DisplColIndex(c), r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int c = LeftCol(); c < std::min(LeftCol() + VisibleColCount(), ColCount()); ++c)
                if (blinks(c, r))
                    RepaintCell(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                if (blinks(c, r))
                    RepaintCell(c, r);
    }
}
