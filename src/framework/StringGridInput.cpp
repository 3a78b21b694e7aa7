// Message path of the string grid: Qt events become window messages, the
// window procedure dispatches them to the default handlers, and those call
// the overridable hooks (keys, mouse, wheel, scrolling, timers, focus).
#include "framework/ObjStringGrid.h"

#include "framework/Guard.h"
#include "framework/StringGridEditor.h"
#include "framework/ObjStringGrid_p.h"

#include <QApplication>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>

namespace fw {

namespace {

std::intptr_t KeyLParam(const QKeyEvent& e)
{
    std::intptr_t l = 1;                       // repeat count
    if (e.modifiers() & Qt::AltModifier)
        l |= std::intptr_t(1) << 29;           // context code: Alt held
    if (e.isAutoRepeat())
        l |= std::intptr_t(1) << 30;           // previous key state: down
    return l;
}

} // namespace

// ---------------------------------------------------------------- Qt -> messages

bool TStringGrid::event(QEvent* e)
{
    if (e->type() == TMessageEvent::EventType()) {
        TMessage m = static_cast<TMessageEvent*>(e)->Message;
        if (!d->destroying)
            RunGuarded([&] { WndProc(m); });
        return true;
    }
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        if (!d->destroying)
            RunGuarded([&] { DragEvent(e); });
        return true;
    default:
        return QAbstractScrollArea::event(e);
    }
}

void TStringGrid::DragEvent(QEvent* e)
{
    if (e->type() == QEvent::DragLeave) {
        bool accept = false;
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        DragOver(nullptr, p.x(), p.y(), dsDragLeave, accept);
        d->dragAccepted = false;
        return;
    }
    auto* de = static_cast<QDropEvent*>(e);
    const QPoint p = viewport()->mapFrom(this, de->position().toPoint());
    QObject* source = de->source();
    bool accept = false;
    if (e->type() == QEvent::Drop) {
        // The drag is over for the grid before the drop lands.
        DragOver(source, p.x(), p.y(), dsDragLeave, accept);
        const bool take = d->dragAccepted;
        d->dragAccepted = false;
        if (!take) {
            de->ignore();
            return;
        }
        de->acceptProposedAction();
        DragDrop(source, p.x(), p.y());
        return;
    }
    DragOver(source, p.x(), p.y(), e->type() == QEvent::DragEnter ? dsDragEnter : dsDragMove, accept);
    d->dragAccepted = accept;
    if (accept) {
        de->acceptProposedAction();
    } else if (e->type() == QEvent::DragEnter) {
        // Entered all the same, so that the moves keep coming to the grid.
        de->setDropAction(Qt::IgnoreAction);
        de->accept();
    } else {
        de->ignore();
    }
}

void TStringGrid::DragOver(QObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TStringGrid::DragDrop(QObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

bool TStringGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::Resize) {
        const QSize s = viewport()->size();
        PerformFromQt(WM_SIZE, 0, MakeLParam(s.width(), s.height()));
        return false;
    }
    if (e->type() == QEvent::Enter)
        PerformFromQt(CM_MOUSEENTER);
    else if (e->type() == QEvent::Leave)
        PerformFromQt(CM_MOUSELEAVE);
    return QAbstractScrollArea::viewportEvent(e);
}

void TStringGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    // A drawing hook may throw: Canvas() must never hand out the canvas over
    // this painter once it is gone.
    struct PaintScope {
        TStringGrid::Impl* d;
        ~PaintScope() { d->paintCanvas.reset(); }
    } scope{d.get()};
    d->paintCanvas = std::make_unique<TCanvas>(&painter);
    PerformFromQt(WM_PAINT);
}

void TStringGrid::keyPressEvent(QKeyEvent* e)
{
    const int vk = VirtualKeyFromEvent(*e);
    const QChar ch = CharCodeFromEvent(*e);
    if (vk == 0 && ch.isNull()) {
        e->ignore();
        return;
    }
    const bool sys = (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    const std::intptr_t lParam = KeyLParam(*e);
    std::intptr_t consumed = 0;
    if (vk != 0) {
        consumed = PerformFromQt(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
    }
    // The desktop translates the key into its character independently of what
    // the key-down handling did, so the character message always follows.
    if (!ch.isNull())
        PerformFromQt(sys ? WM_SYSCHAR : WM_CHAR, ch.unicode(), lParam);
    // Enter and Escape of a grid that does not edit belong to the window
    // (default and cancel buttons) unless the grid consumed them.
    const bool dialogKey = vk == VK_RETURN || vk == VK_ESCAPE;
    if (dialogKey && !consumed && !(d->options & goEditing) && !(PerformFromQt(WM_GETDLGCODE) & DLGC_WANTALLKEYS))
        e->ignore();
    else
        e->accept();
}

void TStringGrid::keyReleaseEvent(QKeyEvent* e)
{
    const int vk = VirtualKeyFromEvent(*e);
    if (vk == 0 || e->isAutoRepeat()) {
        e->ignore();
        return;
    }
    const bool sys = (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    PerformFromQt(sys ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(*e) | (std::intptr_t(3) << 30));
    e->accept();
}

void TStringGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    // Qt does not name the widget that had the focus; the only one that
    // matters is the grid's own editor, which reports itself when it hands over.
    QWidget* from = d->focusFromEditor ? d->editor.data() : nullptr;
    d->focusFromEditor = false;
    PerformFromQt(WM_SETFOCUS, reinterpret_cast<std::intptr_t>(from));
}

void TStringGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    PerformFromQt(WM_KILLFOCUS, reinterpret_cast<std::intptr_t>(QApplication::focusWidget()));
}

static unsigned ButtonMessage(Qt::MouseButton b, unsigned left, unsigned right, unsigned middle)
{
    switch (b) {
    case Qt::LeftButton: return left;
    case Qt::RightButton: return right;
    case Qt::MiddleButton: return middle;
    default: return 0;
    }
}

void TStringGrid::mousePressEvent(QMouseEvent* e)
{
    const unsigned msg = ButtonMessage(e->button(), WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN);
    if (!msg)
        return;
    const QPoint p = e->position().toPoint();
    const unsigned keys = ShiftStateToKeys(ShiftStateFromQt(e->modifiers(), e->buttons() | e->button()));
    PerformFromQt(msg, keys, MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    const unsigned msg = ButtonMessage(e->button(), WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK);
    if (!msg)
        return;
    const QPoint p = e->position().toPoint();
    const unsigned keys = ShiftStateToKeys(ShiftStateFromQt(e->modifiers(), e->buttons() | e->button()));
    PerformFromQt(msg, keys, MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const unsigned msg = ButtonMessage(e->button(), WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP);
    if (!msg)
        return;
    const QPoint p = e->position().toPoint();
    const unsigned keys = ShiftStateToKeys(ShiftStateFromQt(e->modifiers(), e->buttons() & ~e->button()));
    PerformFromQt(msg, keys, MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const unsigned keys = ShiftStateToKeys(ShiftStateFromQt(e->modifiers(), e->buttons()));
    PerformFromQt(WM_MOUSEMOVE, keys, MakeLParam(p.x(), p.y()));
}

void TStringGrid::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        e->ignore();
        return;
    }
    const QPoint screen = viewport()->mapToGlobal(e->position().toPoint());
    const unsigned keys = ShiftStateToKeys(ShiftStateFromQt(e->modifiers(), e->buttons()));
    PerformFromQt(WM_MOUSEWHEEL, MakeWParam(int(keys), delta), MakeLParam(screen.x(), screen.y()));
    e->accept();
}

void TStringGrid::timerEvent(QTimerEvent* e)
{
    auto it = d->timerByQtId.constFind(e->timerId());
    if (it == d->timerByQtId.constEnd()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    PerformFromQt(WM_TIMER, *it);
}

bool TStringGrid::focusNextPrevChild(bool next)
{
    // A grid that takes Tab keeps it as a navigation key.
    if (PerformFromQt(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---------------------------------------------------------------- message plumbing

std::intptr_t TStringGrid::PerformFromQt(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)
{
    // An error of a hook goes to the application's error handler: it must
    // not unwind through Qt's event delivery.
    std::intptr_t result = 0;
    RunGuarded([&] { result = Perform(Msg, WParam, LParam); });
    return result;
}

std::intptr_t TStringGrid::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)
{
    if (d->destroying)
        return 0;
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TStringGrid::PostMessage(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam)
{
    fw::PostMessage(this, Msg, WParam, LParam);
}

void TStringGrid::SetTimer(int id, int intervalMs)
{
    KillTimer(id);
    const int qtId = startTimer(intervalMs);
    if (qtId == 0)
        return;
    d->timerByQtId.insert(qtId, id);
    d->qtIdByTimer.insert(id, qtId);
}

void TStringGrid::KillTimer(int id)
{
    auto it = d->qtIdByTimer.find(id);
    if (it == d->qtIdByTimer.end())
        return;
    killTimer(*it);
    d->timerByQtId.remove(*it);
    d->qtIdByTimer.erase(it);
}

void TStringGrid::WndProc(TMessage& Message)
{
    Dispatch(Message);
}

void TStringGrid::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: WMMouse(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_VSCROLL: WMScroll(m, true); break;
    case WM_HSCROLL: WMScroll(m, false); break;
    case WM_TIMER: WMTimer(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_PAINT: WMPaint(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_COMMAND: WMCommand(m); break;
    case WM_SETCURSOR: {
        int index, pos, ofs;
        TGridState s = gsNormal;
        CalcSizingState(d->lastMouse.X, d->lastMouse.Y, s, index, pos, ofs);
        if (s == gsColSizing || d->state == gsColSizing)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (s == gsRowSizing || d->state == gsRowSizing)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
        m.Result = 1;
        break;
    }
    case WM_CANCELMODE:
        KillTimer(kAutoScrollTimer);
        if (d->state != gsNormal) {
            d->state = gsNormal;
            Invalidate();
        }
        break;
    case WM_SETREDRAW:
        // Drawing is suspended while WParam is 0; switching it back on does
        // not repaint by itself, as on the desktop.
        viewport()->setUpdatesEnabled(m.WParam != 0);
        break;
    case CM_ENTER: DoEnter(); break;
    case CM_EXIT: DoExit(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- keyboard

void TStringGrid::WMKeyDown(TMessage& m)
{
    int key = int(m.WParam & 0xFFFF);
    TShiftState shift = KeyboardStateToShiftState();
    if (m.Msg == WM_SYSKEYDOWN)
        shift |= ssAlt;
    KeyDown(key, shift);
    if (key == 0)
        m.Result = 1;
}

void TStringGrid::WMKeyUp(TMessage& m)
{
    int key = int(m.WParam & 0xFFFF);
    TShiftState shift = KeyboardStateToShiftState();
    if (m.Msg == WM_SYSKEYUP)
        shift |= ssAlt;
    KeyUp(key, shift);
    if (key == 0)
        m.Result = 1;
}

void TStringGrid::WMChar(TMessage& m)
{
    QChar ch(char16_t(m.WParam & 0xFFFF));
    if ((d->options & goEditing) && (ch.unicode() == 8 || ch.unicode() >= 32)) {
        ShowEditorChar(ch);
        if (d->editor && d->editor->isVisible())
            return;
    }
    KeyPress(ch);
    if (ch.isNull())
        m.Result = 1;
}

bool TStringGrid::CanGridAcceptKey(int Key, TShiftState)
{
    return Key != VK_TAB || (d->options & goTabs);
}

void TStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == 0)
        return;
    if (!CanGridAcceptKey(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool rowSelect = d->options & goRowSelect;
    TGridCoord cur = d->current;
    TGridCoord tl = d->topLeft;
    const int pageW = std::max(1, VisibleColCount());
    const int pageH = std::max(1, VisibleRowCount());
    bool handled = true;
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP: --tl.Y; break;
        case VK_DOWN: ++tl.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                cur.X -= pageW;
                tl.X -= pageW;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                cur.X += pageW;
                tl.X += pageW;
            }
            break;
        case VK_PRIOR: cur.Y = d->topLeft.Y; break;
        case VK_NEXT: cur.Y = d->Vert().lastFullVisible; break;
        case VK_HOME:
            cur.X = d->fixedCols;
            cur.Y = d->fixedRows;
            break;
        case VK_END:
            cur.X = d->colCount - 1;
            cur.Y = d->rowCount - 1;
            break;
        default: handled = false; break;
        }
    } else {
        switch (Key) {
        case VK_UP: --cur.Y; break;
        case VK_DOWN: ++cur.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --tl.X;
            else
                --cur.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++tl.X;
            else
                ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += pageH;
            tl.Y += pageH;
            break;
        case VK_PRIOR:
            cur.Y -= pageH;
            tl.Y -= pageH;
            break;
        case VK_HOME:
            if (rowSelect)
                cur.Y = d->fixedRows;
            else
                cur.X = d->fixedCols;
            break;
        case VK_END:
            if (rowSelect)
                cur.Y = d->rowCount - 1;
            else
                cur.X = d->colCount - 1;
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) {
                // Walk to the next (previous with Shift) tab stop, wrapping
                // over rows; a Shift+Tab step collapses the selection.
                const int start = cur.X;
                do {
                    if (Shift.Contains(ssShift)) {
                        if (--cur.X < d->fixedCols) {
                            cur.X = d->colCount - 1;
                            if (--cur.Y < d->fixedRows)
                                cur.Y = d->rowCount - 1;
                        }
                    } else if (++cur.X >= d->colCount) {
                        cur.X = d->fixedCols;
                        if (++cur.Y >= d->rowCount)
                            cur.Y = d->fixedRows;
                    }
                } while (!TabStops(cur.X) && cur.X != start);
                Shift -= ssShift;
            }
            break;
        case VK_F2: SetEditorMode(true); break;
        default: handled = false; break;
        }
    }
    if (!handled)
        return;
    MoveTopLeft(tl.X, tl.Y);
    cur.X = std::clamp(cur.X, d->fixedCols, d->colCount - 1);
    cur.Y = std::clamp(cur.Y, d->fixedRows, d->rowCount - 1);
    if (cur.X != d->current.X || cur.Y != d->current.Y)
        FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

void TStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TStringGrid::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
    if (!(d->options & goAlwaysShowEditor) && Key.unicode() == 13) {
        if (d->editorMode)
            HideEditor();
        else
            ShowEditor();
        Key = QChar();
    }
}

// ---------------------------------------------------------------- focus

void TStringGrid::WMSetFocus(TMessage& m)
{
    const auto* from = reinterpret_cast<QWidget*>(m.WParam);
    // Entering is counted once: coming back from the editor or from another
    // window (the grid stayed the window's active control) is no new entry.
    if (!Inside(from) && !d->entered) {
        d->entered = true;
        Perform(CM_ENTER);
    }
    if (!d->editor || from != d->editor.data()) {
        InvalidateRect(Selection());
        UpdateEdit();
    }
}

void TStringGrid::WMKillFocus(TMessage& m)
{
    auto* to = reinterpret_cast<QWidget*>(m.WParam);
    InvalidateRect(Selection());
    if (!Inside(to))
        EditorFocusLeft(to);
}

void TStringGrid::EditorFocusLeft(QWidget* to)
{
    // Only a move to another control of the same window leaves the grid; when
    // the whole window loses the focus the grid stays its active control.
    if (!to || to->window() != window() || !d->entered)
        return;
    d->entered = false;
    // The typed text is kept in the cell.
    if (d->options & goAlwaysShowEditor)
        UpdateText();
    else if (d->editorMode)
        HideEditor();
    Perform(CM_EXIT);
}

void TStringGrid::ApplicationFocusChanged(QWidget* old, QWidget* now)
{
    // Runs after the focus events: the grid and its editor have already
    // reported what they saw, so this only catches the moves through other
    // controls inside the grid, and a return from another window to another
    // control of this one (the grid was still the window's active control).
    if (d->destroying || !now)
        return;
    const bool isInside = Inside(now);
    if (isInside && !Inside(old) && !d->entered && now->window() == window()) {
        d->entered = true;
        Perform(CM_ENTER);
    } else if (!isInside && d->entered) {
        EditorFocusLeft(now);
    }
}

void TStringGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TStringGrid::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ---------------------------------------------------------------- size, dialog code, commands

void TStringGrid::WMSize(TMessage&)
{
    UpdateScrollRange();
    if (d->editorMode && d->editor && d->inplaceCol >= 0)
        d->editor->BoundsChanged(CellRect(d->inplaceCol, d->inplaceRow));
}

void TStringGrid::WMGetDlgCode(TMessage& m)
{
    m.Result = DLGC_WANTARROWS;
    if (d->options & goRowSelect)
        return;
    if (d->options & goTabs)
        m.Result |= DLGC_WANTTAB;
    if (d->options & goEditing)
        m.Result |= DLGC_WANTCHARS;
}

void TStringGrid::WMCommand(TMessage& m)
{
    if (d->editor && m.LParam == reinterpret_cast<std::intptr_t>(d->editor.data())
        && unsigned(HiWord(m.WParam)) == EN_CHANGE)
        d->editor->Change();
}

} // namespace fw
