// Message path of the string grid: Qt events become window messages, the
// window procedure dispatches them to the default handlers, and those call
// the overridable hooks (keys, mouse, wheel, scrolling, timers, focus).
#include "framework/ObjStringGrid.h"

#include "framework/StringGridEditor.h"
#include "framework/StringGridPrivate.h"

#include <QApplication>
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

constexpr int kAutoScrollTimer = 1;
constexpr int kAutoScrollInterval = 60;

std::intptr_t KeyLParam(const QKeyEvent& e)
{
    std::intptr_t l = 1;                       // repeat count
    if (e.modifiers() & Qt::AltModifier)
        l |= std::intptr_t(1) << 29;           // context code: Alt held
    if (e.isAutoRepeat())
        l |= std::intptr_t(1) << 30;           // previous key state: down
    return l;
}

std::intptr_t MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    std::intptr_t k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

// Shift state of a mouse message: its key flags plus Alt from the keyboard.
TShiftState MouseShift(std::intptr_t wParam)
{
    TShiftState s = KeysToShiftState(wParam);
    if (IsKeyDown(VK_MENU))
        s |= ssAlt;
    return s;
}

} // namespace

// ---------------------------------------------------------------- Qt -> messages

bool TStringGrid::event(QEvent* e)
{
    if (e->type() == TMessageEvent::EventType()) {
        TMessage m = static_cast<TMessageEvent*>(e)->Message;
        if (!d->destroying)
            WndProc(m);
        return true;
    }
    return QAbstractScrollArea::event(e);
}

bool TStringGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::Resize) {
        const QSize s = viewport()->size();
        Perform(WM_SIZE, 0, MakeLParam(s.width(), s.height()));
        return false;
    }
    if (e->type() == QEvent::Enter)
        Perform(CM_MOUSEENTER);
    else if (e->type() == QEvent::Leave)
        Perform(CM_MOUSELEAVE);
    return QAbstractScrollArea::viewportEvent(e);
}

void TStringGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
}

void TStringGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    d->painter = &painter;
    d->paintCanvas = std::make_unique<TCanvas>(&painter);
    Perform(WM_PAINT);
    d->paintCanvas.reset();
    d->painter = nullptr;
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
        consumed = Perform(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
    }
    // The desktop translates the key into its character independently of what
    // the key-down handling did, so the character message always follows.
    if (!ch.isNull())
        Perform(sys ? WM_SYSCHAR : WM_CHAR, ch.unicode(), lParam);
    // Enter and Escape of a grid that does not edit belong to the window
    // (default and cancel buttons) unless the grid consumed them.
    const bool dialogKey = vk == VK_RETURN || vk == VK_ESCAPE;
    if (dialogKey && !consumed && !(d->options & goEditing) && !(Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS))
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
    Perform(sys ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(*e) | (std::intptr_t(3) << 30));
    e->accept();
}

void TStringGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    // Qt does not name the widget that had the focus; the only one that
    // matters is the grid's own editor, which reports itself when it hands over.
    QWidget* from = d->focusFromEditor ? d->editor.data() : nullptr;
    d->focusFromEditor = false;
    Perform(WM_SETFOCUS, reinterpret_cast<std::intptr_t>(from));
}

void TStringGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    Perform(WM_KILLFOCUS, reinterpret_cast<std::intptr_t>(QApplication::focusWidget()));
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
    Perform(msg, MouseKeys(e->buttons() | e->button(), e->modifiers()), MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    const unsigned msg = ButtonMessage(e->button(), WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK);
    if (!msg)
        return;
    const QPoint p = e->position().toPoint();
    Perform(msg, MouseKeys(e->buttons() | e->button(), e->modifiers()), MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const unsigned msg = ButtonMessage(e->button(), WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP);
    if (!msg)
        return;
    const QPoint p = e->position().toPoint();
    Perform(msg, MouseKeys(e->buttons() & ~e->button(), e->modifiers()), MakeLParam(p.x(), p.y()));
}

void TStringGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    Perform(WM_MOUSEMOVE, MouseKeys(e->buttons(), e->modifiers()), MakeLParam(p.x(), p.y()));
}

void TStringGrid::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        e->ignore();
        return;
    }
    const QPoint screen = viewport()->mapToGlobal(e->position().toPoint());
    Perform(WM_MOUSEWHEEL, MakeWParam(int(MouseKeys(e->buttons(), e->modifiers())), delta),
            MakeLParam(screen.x(), screen.y()));
    e->accept();
}

void TStringGrid::timerEvent(QTimerEvent* e)
{
    auto it = d->timerByQtId.constFind(e->timerId());
    if (it == d->timerByQtId.constEnd()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    Perform(WM_TIMER, *it);
}

bool TStringGrid::focusNextPrevChild(bool next)
{
    // A grid that takes Tab keeps it as a navigation key.
    if (Perform(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

// ---------------------------------------------------------------- message plumbing

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
    const TGridCoord maxTl = d->MaxTopLeft();
    tl.X = std::clamp(tl.X, d->fixedCols, std::max(d->fixedCols, maxTl.X));
    tl.Y = std::clamp(tl.Y, d->fixedRows, std::max(d->fixedRows, maxTl.Y));
    if (tl.X != d->topLeft.X || tl.Y != d->topLeft.Y)
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

// ---------------------------------------------------------------- mouse

void TStringGrid::WMMouse(TMessage& m)
{
    const int x = GetXLParam(m.LParam);
    const int y = GetYLParam(m.LParam);
    TShiftState shift = MouseShift(m.WParam);
    d->lastMouse = {x, y};
    switch (m.Msg) {
    case WM_LBUTTONDOWN: MouseDown(mbLeft, shift, x, y); break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_LBUTTONDBLCLK: MouseDown(mbLeft, shift | ssDouble, x, y); break;
    case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift | ssDouble, x, y); break;
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift | ssDouble, x, y); break;
    case WM_LBUTTONUP: MouseUp(mbLeft, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        Perform(WM_SETCURSOR);
        break;
    default: break;
    }
}

void TStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    State = gsNormal;
    Index = -1;
    SizingPos = 0;
    SizingOfs = 0;
    if (!(d->options & (goColSizing | goRowSizing)))
        return;
    const TGridAxis h = d->Horz();
    const TGridAxis v = d->Vert();
    // A border is grabbed within a band of 7 pixels around it.
    auto probe = [&](const TGridAxis& a, int pos, TGridState newState) {
        int back = 0;
        int range = a.lineWidth;
        if (range < 7) {
            range = 7;
            back = (range - a.lineWidth) / 2;
        }
        auto test = [&](int i) {
            const int start = a.Start(i);
            if (start == INT_MIN)
                return false;
            const int line = start + a.Extent(i);
            if (line > a.gridBoundary)
                return false;
            if (pos >= line - back && pos <= line - back + range) {
                State = newState;
                SizingPos = line;
                SizingOfs = line - pos;
                Index = i;
                return true;
            }
            return false;
        };
        for (int i = 0; i < a.fixedCount; ++i)
            if (test(i))
                return;
        for (int i = a.first; i <= a.lastVisible; ++i)
            if (test(i))
                return;
    };
    if (X > h.fixedBoundary && (d->options & goColSizing)) {
        if (Y >= v.fixedBoundary)
            return;
        probe(h, X, gsColSizing);
    } else if (Y > v.fixedBoundary && (d->options & goRowSizing)) {
        if (X >= h.fixedBoundary)
            return;
        probe(v, Y, gsRowSizing);
    }
}

void TStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!hasFocus() && isEnabled() && focusPolicy() != Qt::NoFocus)
        SetFocus();
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        CalcSizingState(X, Y, d->state, d->sizingIndex, d->sizingPos, d->sizingOfs);
        if (d->state != gsNormal) {
            Invalidate();
        } else {
            const TGridCoord hit = MouseCoord(X, Y);
            if (hit.X >= d->fixedCols && hit.Y >= d->fixedRows) {
                if (d->options & goEditing) {
                    if (hit.X == d->current.X && hit.Y == d->current.Y)
                        ShowEditor();
                    else {
                        MoveCurrent(hit.X, hit.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    d->state = gsSelecting;
                    SetTimer(kAutoScrollTimer, kAutoScrollInterval);
                    if (Shift.Contains(ssShift))
                        MoveAnchor(hit);
                    else
                        MoveCurrent(hit.X, hit.Y, true, true);
                }
            } else if ((d->options & goRowMoving) && hit.X >= 0 && hit.X < d->fixedCols && hit.Y >= d->fixedRows) {
                d->moveIndex = hit.Y;
                d->movePos = hit.Y;
                if (BeginRowDrag(d->moveIndex, d->movePos, TPoint(X, Y))) {
                    d->state = gsRowMoving;
                    SetTimer(kAutoScrollTimer, kAutoScrollInterval);
                    Invalidate();
                }
            } else if ((d->options & goColMoving) && hit.Y >= 0 && hit.Y < d->fixedRows && hit.X >= d->fixedCols) {
                d->moveIndex = hit.X;
                d->movePos = hit.X;
                if (BeginColumnDrag(d->moveIndex, d->movePos, TPoint(X, Y))) {
                    d->state = gsColMoving;
                    SetTimer(kAutoScrollTimer, kAutoScrollInterval);
                    Invalidate();
                }
            }
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TStringGrid::MoveDropPosition(int X, int Y)
{
    const TGridCoord hit = MouseCoord(X, Y);
    int pos = d->movePos;
    if (d->state == gsColMoving) {
        if (hit.X >= d->fixedCols)
            pos = hit.X;
    } else if (hit.Y >= d->fixedRows) {
        pos = hit.Y;
    }
    if (pos != d->movePos) {
        d->movePos = pos;
        Invalidate();
    }
}

void TStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (d->state) {
    case gsSelecting: {
        const TGridCoord hit = MouseCoord(X, Y);
        if (hit.X >= d->fixedCols && hit.Y >= d->fixedRows && !(hit == d->anchor))
            MoveAnchor(hit);
        break;
    }
    case gsColMoving:
    case gsRowMoving: MoveDropPosition(X, Y); break;
    case gsColSizing:
    case gsRowSizing:
        d->sizingPos = (d->state == gsRowSizing ? Y : X) + d->sizingOfs;
        Invalidate();
        break;
    default: break;
    }
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TStringGrid::EndSizing()
{
    const bool cols = d->state == gsColSizing;
    const TGridAxis a = cols ? d->Horz() : d->Vert();
    const int start = a.Start(d->sizingIndex);
    if (start == INT_MIN)
        return;
    const int newSize = d->sizingPos - start;
    if (newSize > 1) {
        if (cols)
            SetColWidths(d->sizingIndex, newSize);
        else
            SetRowHeights(d->sizingIndex, newSize);
    }
}

void TStringGrid::EndMoving(int X, int Y)
{
    KillTimer(kAutoScrollTimer);
    const bool cols = d->state == gsColMoving;
    const bool ok = cols ? EndColumnDrag(d->moveIndex, d->movePos, TPoint(X, Y))
                         : EndRowDrag(d->moveIndex, d->movePos, TPoint(X, Y));
    // The drag is over before the move, so that hooks see a normal grid.
    d->state = gsNormal;
    if (ok && d->moveIndex != d->movePos) {
        if (cols)
            MoveColumn(d->moveIndex, d->movePos);
        else
            MoveRow(d->moveIndex, d->movePos);
    }
    Invalidate();
    UpdateEdit();
}

void TStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    struct ResetState {
        TStringGrid* g;
        ~ResetState() { g->d->state = gsNormal; }
    } reset{this};
    if (Button == mbLeft) {
        switch (d->state) {
        case gsSelecting:
            MouseMove(Shift, X, Y);
            KillTimer(kAutoScrollTimer);
            UpdateEdit();
            Click();
            break;
        case gsColSizing:
        case gsRowSizing:
            EndSizing();
            Invalidate();
            break;
        case gsColMoving:
        case gsRowMoving: EndMoving(X, Y); break;
        default: UpdateEdit(); break;
        }
    }
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TStringGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TStringGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

// ---------------------------------------------------------------- wheel

void TStringGrid::WMMouseWheel(TMessage& m)
{
    const int delta = int(std::int16_t(HiWord(m.WParam)));
    const TShiftState shift = MouseShift(LoWord(m.WParam));
    const QPoint local = viewport()->mapFromGlobal(QPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
    if (DoMouseWheel(shift, delta, TPoint(local.x(), local.y())))
        m.Result = 1;
}

bool TStringGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled)
        return true;
    d->wheelAccumulator += WheelDelta;
    while (std::abs(d->wheelAccumulator) >= WHEEL_DELTA) {
        if (d->wheelAccumulator < 0) {
            d->wheelAccumulator += WHEEL_DELTA;
            handled = DoMouseWheelDown(Shift, MousePos);
        } else {
            d->wheelAccumulator -= WHEEL_DELTA;
            handled = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return handled;
}

bool TStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled) {
        if (d->current.Y < d->rowCount - 1)
            SetRow(d->current.Y + 1);
        handled = true;
    }
    return handled;
}

bool TStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled) {
        if (d->current.Y > d->fixedRows)
            SetRow(d->current.Y - 1);
        handled = true;
    }
    return handled;
}

// ---------------------------------------------------------------- scrolling

void TStringGrid::WMScroll(TMessage& m, bool vertical)
{
    const int code = LoWord(m.WParam);
    const int pos = LoWord(m.WParam >> 16);
    const TGridCoord maxTl = d->MaxTopLeft();
    const int fixed = vertical ? d->fixedRows : d->fixedCols;
    const int maxFirst = std::max(fixed, vertical ? maxTl.Y : maxTl.X);
    const int first = vertical ? d->topLeft.Y : d->topLeft.X;
    const int page = std::max(1, vertical ? VisibleRowCount() : VisibleColCount());
    int target = first;
    switch (code) {
    case SB_LINEUP: target = first - 1; break;
    case SB_LINEDOWN: target = first + 1; break;
    case SB_PAGEUP: target = first - page; break;
    case SB_PAGEDOWN: target = first + page; break;
    case SB_THUMBTRACK:
        if (!(d->options & goThumbTracking))
            return;
        [[fallthrough]];
    case SB_THUMBPOSITION:
        target = d->exactThumb >= 0 ? d->exactThumb
                                    : fixed + int((long long)pos * (maxFirst - fixed) / 127);
        break;
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = maxFirst; break;
    default: return;
    }
    target = std::clamp(target, fixed, maxFirst);
    if (vertical)
        MoveTopLeft(d->topLeft.X, target);
    else
        MoveTopLeft(target, d->topLeft.Y);
}

// ---------------------------------------------------------------- timer

void TStringGrid::WMTimer(TMessage& m)
{
    if (m.WParam == kAutoScrollTimer)
        AutoScrollTick();
}

void TStringGrid::AutoScrollTick()
{
    if (d->state != gsSelecting && d->state != gsColMoving && d->state != gsRowMoving)
        return;
    const TGridAxis h = d->Horz();
    const TGridAxis v = d->Vert();
    const TPoint p = d->lastMouse;
    int dx = 0, dy = 0;
    if (d->state != gsRowMoving) {
        if (p.X < h.fixedBoundary)
            dx = -1;
        else if (p.X >= h.clientExtent)
            dx = 1;
    }
    if (d->state != gsColMoving) {
        if (p.Y < v.fixedBoundary)
            dy = -1;
        else if (p.Y >= v.clientExtent)
            dy = 1;
    }
    if (dx == 0 && dy == 0)
        return;
    MoveTopLeft(d->topLeft.X + dx, d->topLeft.Y + dy);
    // The cell reached at the scrolled edge extends the selection or becomes
    // the drop position.
    const TGridAxis h2 = d->Horz();
    const TGridAxis v2 = d->Vert();
    auto edge = [](const TGridAxis& a, int delta, int keep) {
        return delta < 0 ? a.first : delta > 0 ? a.lastFullVisible : keep;
    };
    if (d->state == gsSelecting) {
        const TGridCoord hit = MouseCoord(std::clamp(p.X, h2.fixedBoundary, h2.clientExtent - 1),
                                          std::clamp(p.Y, v2.fixedBoundary, v2.clientExtent - 1));
        TGridCoord target{edge(h2, dx, hit.X >= 0 ? hit.X : d->anchor.X), edge(v2, dy, hit.Y >= 0 ? hit.Y : d->anchor.Y)};
        target.X = std::clamp(target.X, d->fixedCols, d->colCount - 1);
        target.Y = std::clamp(target.Y, d->fixedRows, d->rowCount - 1);
        if (!(target == d->anchor))
            MoveAnchor(target);
    } else if (d->state == gsColMoving) {
        d->movePos = std::clamp(edge(h2, dx, d->movePos), d->fixedCols, d->colCount - 1);
        Invalidate();
    } else {
        d->movePos = std::clamp(edge(v2, dy, d->movePos), d->fixedRows, d->rowCount - 1);
        Invalidate();
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
