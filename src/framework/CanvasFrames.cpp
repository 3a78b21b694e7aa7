// The classic 3D frames of the desktop (DrawEdge, DrawFrameControl), drawn
// with the canvas's own primitives in the fixed system colours.
#include "framework/Canvas.h"
#include "framework/Canvas_p.h"

#include "framework/SysColors.h"

#include <algorithm>

namespace fw {

namespace {

// Restores the caller's pen, brush, font, pen position and clip on leaving.
class StateGuard {
public:
    explicit StateGuard(TCanvas& c) : canvas_(c), level_(c.SaveDC()) {}
    ~StateGuard() { canvas_.RestoreDC(level_); }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;

private:
    TCanvas& canvas_;
    int level_;
};

void fillColor(TCanvas& c, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    c.Brush().Color = color;
    c.Brush().Style = bsSolid;
    c.FillRect(r);
}

// The check mark: seven bars three pixels high, the first three stepping
// down and the rest up, starting one pixel right of and below (left, top).
void drawTick(TCanvas& c, int left, int top, TColor color)
{
    for (int k = 0; k < 7; ++k) {
        left += 1;
        top = k < 3 ? top + 1 : top - 1;
        fillColor(c, TRect(left, top, left + 1, top + 3), color);
    }
}

struct Ring {
    TColor topLeft;
    TColor bottomRight;
};

// Draws one ring on the flagged sides and moves those sides inward. The
// bottom/right colour owns the corners it shares with the top/left colour.
void drawRing(TCanvas& c, TRect& r, const Ring& ring, unsigned flags)
{
    if (r.IsEmpty())
        return;
    if (flags & BF_RIGHT)
        fillColor(c, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), ring.bottomRight);
    if (flags & BF_BOTTOM)
        fillColor(c, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), ring.bottomRight);
    const int rightEnd = (flags & BF_RIGHT) ? r.Right - 1 : r.Right;
    const int bottomEnd = (flags & BF_BOTTOM) ? r.Bottom - 1 : r.Bottom;
    if (flags & BF_LEFT)
        fillColor(c, TRect(r.Left, r.Top, r.Left + 1, bottomEnd), ring.topLeft);
    if (flags & BF_TOP)
        fillColor(c, TRect(r.Left, r.Top, rightEnd, r.Top + 1), ring.topLeft);
    if (flags & BF_LEFT)
        ++r.Left;
    if (flags & BF_TOP)
        ++r.Top;
    if (flags & BF_RIGHT)
        --r.Right;
    if (flags & BF_BOTTOM)
        --r.Bottom;
}

// Square of the smaller side, centred in r.
TRect squareIn(const TRect& r)
{
    TRect s = r;
    const int w = r.Width(), h = r.Height();
    if (w < h) {
        s.Top += (h - w) / 2;
        s.Bottom = s.Top + w;
    } else if (w > h) {
        s.Left += (w - h) / 2;
        s.Right = s.Left + h;
    }
    return s;
}

enum class Arrow { Up, Down, Left, Right };

// A filled triangle centred in r, of a size that follows the box.
void drawArrow(TCanvas& c, const TRect& r, Arrow dir, TColor color)
{
    const int size = std::max(2, std::min(r.Width(), r.Height()) / 4 + 1);   // rows of the triangle
    const int cx = r.Left + r.Width() / 2;
    const int cy = r.Top + r.Height() / 2;
    c.Brush().Style = bsSolid;
    c.Brush().Color = color;
    for (int k = 0; k < size; ++k) {
        const int half = k;   // row k is 2k + 1 pixels long
        switch (dir) {
        case Arrow::Down: {
            const int y = cy - size / 2 + (size - 1 - k);
            c.FillRect(TRect(cx - half, y, cx + half + 1, y + 1));
            break;
        }
        case Arrow::Up: {
            const int y = cy - size / 2 + k;
            c.FillRect(TRect(cx - half, y, cx + half + 1, y + 1));
            break;
        }
        case Arrow::Right: {
            const int x = cx - size / 2 + (size - 1 - k);
            c.FillRect(TRect(x, cy - half, x + 1, cy + half + 1));
            break;
        }
        case Arrow::Left: {
            const int x = cx - size / 2 + k;
            c.FillRect(TRect(x, cy - half, x + 1, cy + half + 1));
            break;
        }
        }
    }
}

void buttonFace(TCanvas& c, TRect r, unsigned state)
{
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    unsigned edge = (down || (state & DFCS_FLAT)) ? EDGE_SUNKEN : EDGE_RAISED;
    unsigned flags = BF_RECT | BF_MIDDLE | (state & DFCS_FLAT);
    if (state & DFCS_MONO)
        flags = BF_RECT | BF_MIDDLE | BF_MONO;
    else if (!down)
        flags |= BF_SOFT;
    c.DrawEdge(r, edge, flags);
}

bool drawButton(TCanvas& c, TRect& r, unsigned state)
{
    const unsigned kind = state & 0xFF;
    if (kind == DFCS_BUTTONPUSH) {
        buttonFace(c, r, state);
        return true;
    }
    if (kind == DFCS_BUTTONRADIO) {
        const TRect s = squareIn(r);
        c.Pen().Style = psSolid;
        c.Pen().Width = 1;
        c.Pen().Color = clBtnShadow;
        c.Brush().Style = bsSolid;
        c.Brush().Color = (state & (DFCS_INACTIVE | DFCS_PUSHED)) ? clBtnFace : clWindow;
        c.Ellipse(s);
        if (state & DFCS_CHECKED) {
            const int inset = std::max(1, s.Width() * 3 / 10);
            c.Pen().Color = (state & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
            c.Brush().Color = c.Pen().Color;
            c.Ellipse(s.Left + inset, s.Top + inset, s.Right - inset, s.Bottom - inset);
        }
        return true;
    }
    // Check box (and three-state box): sunken square, white well, tick of 7 bars.
    TRect box = squareIn(r);
    unsigned flags = BF_RECT | BF_ADJUST;
    if (state & DFCS_FLAT)
        flags |= BF_FLAT;
    else if (state & DFCS_MONO)
        flags |= BF_MONO;
    c.DrawEdge(box, EDGE_SUNKEN, flags);
    if (state & (DFCS_INACTIVE | DFCS_PUSHED))
        fillColor(c, box, clBtnFace);
    else if ((state & DFCS_CHECKED) && kind == DFCS_BUTTON3STATE)
        fillColor(c, box, cl3DLight);
    else
        fillColor(c, box, clWindow);
    if (state & DFCS_CHECKED) {
        const TColor mark = ((state & DFCS_INACTIVE) || kind == DFCS_BUTTON3STATE) ? clBtnShadow : clWindowText;
        drawTick(c, box.Left, box.Top + 2, mark);
    }
    return true;
}

bool drawScroll(TCanvas& c, TRect& r, unsigned state)
{
    const unsigned kind = state & 0xFF;
    buttonFace(c, r, state & ~DFCS_CHECKED);
    const TRect inner = (state & DFCS_PUSHED) ? r.Offset(1, 1) : r;
    Arrow dir = Arrow::Down;
    switch (kind) {
    case DFCS_SCROLLUP: dir = Arrow::Up; break;
    case DFCS_SCROLLLEFT: dir = Arrow::Left; break;
    case DFCS_SCROLLRIGHT: dir = Arrow::Right; break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: dir = Arrow::Down; break;
    default: return kind == 8;   // size grip: face only
    }
    if (state & DFCS_INACTIVE) {
        drawArrow(c, inner.Offset(1, 1), dir, clBtnHighlight);
        drawArrow(c, inner, dir, clBtnShadow);
    } else {
        drawArrow(c, inner, dir, clBtnText);
    }
    return true;
}

bool drawCaption(TCanvas& c, TRect& r, unsigned state)
{
    const unsigned kind = state & 0xFF;
    buttonFace(c, r, state);
    TRect g = squareIn(r);
    const int inset = std::max(2, g.Width() / 4);
    g = g.Inflated(-inset, -inset);
    if (state & DFCS_PUSHED)
        g = g.Offset(1, 1);
    if (g.IsEmpty())
        return true;
    const TColor color = (state & DFCS_INACTIVE) ? clBtnShadow : clBtnText;
    c.Pen().Style = psSolid;
    c.Pen().Width = 1;
    c.Pen().Color = color;
    switch (kind) {
    case DFCS_CAPTIONCLOSE:
        for (int o = 0; o < 2; ++o) {
            c.MoveTo(g.Left + o, g.Top);
            c.LineTo(g.Right + o, g.Bottom);
            c.MoveTo(g.Right - 1 + o, g.Top);
            c.LineTo(g.Left - 1 + o, g.Bottom);
        }
        break;
    case DFCS_CAPTIONMIN:
        fillColor(c, TRect(g.Left, g.Bottom - 2, g.Right, g.Bottom), color);
        break;
    case DFCS_CAPTIONMAX:
        fillColor(c, TRect(g.Left, g.Top, g.Right, g.Top + 2), color);
        c.Brush().Style = bsClear;
        c.Rectangle(g);
        break;
    case DFCS_CAPTIONRESTORE: {
        const int s = std::max(3, g.Width() * 2 / 3);
        const TRect back(g.Right - s, g.Top, g.Right, g.Top + s);
        const TRect front(g.Left, g.Bottom - s, g.Left + s, g.Bottom);
        fillColor(c, TRect(back.Left, back.Top, back.Right, back.Top + 2), color);
        c.Brush().Style = bsClear;
        c.Rectangle(back);
        fillColor(c, TRect(front.Left, front.Top, front.Right, front.Bottom), clBtnFace);
        fillColor(c, TRect(front.Left, front.Top, front.Right, front.Top + 2), color);
        c.Brush().Style = bsClear;
        c.Rectangle(front);
        break;
    }
    case DFCS_CAPTIONHELP: {
        c.Font().Color = color;
        c.Font().Style = TFontStyles{fsBold};
        TRect t = g;
        c.Brush().Style = bsClear;
        c.DrawText(QStringLiteral("?"), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        break;
    }
    default:
        return false;
    }
    return true;
}

bool drawMenu(TCanvas& c, TRect& r, unsigned state)
{
    const unsigned kind = state & 0xFF;
    const TRect s = squareIn(r);
    switch (kind) {
    case 0:   // arrow
        drawArrow(c, s, Arrow::Right, clMenuText);
        return true;
    case 1: {   // check mark
        drawTick(c, s.Left + (s.Width() - 7) / 2 - 1, s.Top + (s.Height() - 7) / 2, clMenuText);
        return true;
    }
    case 2: {   // bullet
        const int inset = std::max(1, s.Width() * 3 / 8);
        c.Pen().Style = psClear;
        c.Brush().Style = bsSolid;
        c.Brush().Color = clMenuText;
        c.Ellipse(s.Left + inset, s.Top + inset, s.Right - inset + 1, s.Bottom - inset + 1);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

bool TCanvas::DrawEdge(TRect& r, unsigned edge, unsigned flags)
{
    if (d->mapped()) {
        TRect device = d->toDevice(r);
        bool ok = false;
        {
            const Impl::DeviceScope scope(*d);
            ok = DrawEdge(device, edge, flags);
        }
        if (flags & BF_ADJUST)
            r = DPtoLP(device);
        return ok;
    }
    StateGuard guard(*this);
    const unsigned outer = edge & BDR_OUTER;
    const unsigned inner = edge & BDR_INNER;
    const bool soft = flags & BF_SOFT;
    std::vector<Ring> rings;
    if (flags & BF_MONO) {
        if (outer)
            rings.push_back({clWindowFrame, clWindowFrame});
        if (inner)
            rings.push_back({clWindow, clWindow});
    } else if (flags & BF_FLAT) {
        if (outer)
            rings.push_back({clBtnShadow, clBtnShadow});
        if (inner)
            rings.push_back({clBtnFace, clBtnFace});
    } else {
        if (outer == BDR_RAISEDOUTER)
            rings.push_back({soft ? clBtnHighlight : cl3DLight, cl3DDkShadow});
        else if (outer == BDR_SUNKENOUTER)
            rings.push_back({soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight});
        else if (outer == BDR_OUTER)
            rings.push_back({cl3DLight, clBtnHighlight});
        if (inner == BDR_RAISEDINNER)
            rings.push_back({soft ? cl3DLight : clBtnHighlight, clBtnShadow});
        else if (inner == BDR_SUNKENINNER)
            rings.push_back({soft ? clBtnShadow : cl3DDkShadow, cl3DLight});
        else if (inner == BDR_INNER)
            rings.push_back({clBtnHighlight, cl3DLight});
    }
    TRect work = r;
    for (const Ring& ring : rings)
        drawRing(*this, work, ring, flags);
    if (flags & BF_MIDDLE)
        fillColor(*this, work, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST)
        r = work;
    return true;
}

bool TCanvas::DrawFrameControl(TRect& r, unsigned type, unsigned state)
{
    if (d->mapped()) {
        TRect device = d->toDevice(r);
        bool ok = false;
        {
            const Impl::DeviceScope scope(*d);
            ok = DrawFrameControl(device, type, state);
        }
        if (state & DFCS_ADJUSTRECT)
            r = DPtoLP(device);
        return ok;
    }
    bool ok = false;
    {
        StateGuard guard(*this);
        switch (type) {
        case DFC_BUTTON: ok = drawButton(*this, r, state); break;
        case DFC_SCROLL: ok = drawScroll(*this, r, state); break;
        case DFC_CAPTION: ok = drawCaption(*this, r, state); break;
        case DFC_MENU: ok = drawMenu(*this, r, state); break;
        default: ok = false; break;
        }
    }
    if (ok && (state & DFCS_ADJUSTRECT) && (type == DFC_BUTTON || type == DFC_SCROLL || type == DFC_CAPTION)) {
        r.Left += 2;
        r.Top += 2;
        r.Right -= 2;
        r.Bottom -= 2;
    }
    return ok;
}

} // namespace fw
