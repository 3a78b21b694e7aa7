// Mouse side of the string grid: button, move, wheel and scroll messages,
// the selection drag with its auto-scroll timer, and sizing and moving of
// columns and rows.
#include "framework/ObjStringGrid.h"

#include "framework/StringGridEditor.h"
#include "framework/ObjStringGrid_p.h"

#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace fw {

namespace {

// Shift state of a mouse message: its key flags plus Alt from the keyboard.
TShiftState MouseShift(std::intptr_t wParam)
{
    TShiftState s = KeysToShiftState(wParam);
    if (IsKeyDown(VK_MENU))
        s |= ssAlt;
    return s;
}

} // namespace

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

bool TStringGrid::BeginSelecting()
{
    if (d->state == gsSelecting)
        return true;
    if (d->state != gsNormal)
        return false;
    d->state = gsSelecting;
    SetTimer(kAutoScrollTimer, kAutoScrollInterval);
    return true;
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

} // namespace fw
