#include "grid/foundation/FxObjButton.h"

#include "framework/Guard.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/foundation/FxXPVS.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QShortcutEvent>

#include <algorithm>
#include <array>

using fw::TBitmap;
using fw::TButtonState;
using fw::TCanvas;
using fw::TColor;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

// ---- free routines -------------------------------------------------------------------------

bool IsWinXPOrLater() { return true; }

int CurrentXPColorScheme() { return IsWinXPOrLater() ? DetectXPColorScheme() : 0; }

bool IsThemedComCtl6() { return IsWinXPOrLater() && IsThemeActive(); }

void DrawButtonGradient(TCanvas& canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps,
                        TColor border)
{
    steps = std::max(steps, 1);
    const TColor a = fw::ColorToRGB(from), b = fw::ColorToRGB(to);
    const int dr = fw::GetRValue(b) - fw::GetRValue(a), dg = fw::GetGValue(b) - fw::GetGValue(a),
              db = fw::GetBValue(b) - fw::GetBValue(a);
    const double band = double(horizontal ? r.Width() : r.Height()) / steps;
    const int length = int(fw::RoundHalfEven(band)) + 1;
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(r);
    canvas.Brush().Style = fw::bsSolid;
    for (int i = 0; i < steps; ++i) {
        const TColor c = fw::RGBToColor(fw::GetRValue(a) + int(fw::RoundHalfEven(double(i) * dr / steps)),
                                        fw::GetGValue(a) + int(fw::RoundHalfEven(double(i) * dg / steps)),
                                        fw::GetBValue(a) + int(fw::RoundHalfEven(double(i) * db / steps)));
        const int start = int(fw::RoundHalfEven(i * band));
        canvas.Brush().Color = c;
        canvas.Pen().Color = c;
        canvas.FillRect(horizontal ? TRect(r.Left + start, r.Top, r.Left + start + length, r.Bottom)
                                   : TRect(r.Left, r.Top + start, r.Right, r.Top + start + length));
    }
    canvas.RestoreDC(saved);
    if (border != clNone) {
        canvas.Brush().Style = fw::bsClear;
        canvas.Pen().Color = border;
        canvas.Pen().Style = fw::psSolid;
        canvas.Pen().Width = 1;
        canvas.Rectangle(r);
        canvas.Brush().Style = fw::bsSolid;
    }
}

void GrabAccelerator(QWidget& widget, int& shortcutId, const QString& caption)
{
    if (shortcutId != 0) {
        widget.releaseShortcut(shortcutId);
        shortcutId = 0;
    }
    const QKeySequence accel = QKeySequence::mnemonic(caption);
    if (!accel.isEmpty())
        shortcutId = widget.grabShortcut(accel, Qt::WindowShortcut);
}

namespace {

constexpr int kGradientSteps = 16;
constexpr int kDropDownWidth = 12;

struct TLook {
    TColor color, colorTo, hot, hotTo, down, downTo, checked, checkedTo, border;
};

constexpr std::array<TLook, 7> kLooks = {{
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A},
    {fw::clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000},
    {fw::clBtnFace, clNone, fw::clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080},
}};
// Look 0's hot border differs from its down border.
constexpr TColor kLook0HotBorder = 0xC3CECE;

// Fills r with `from`, or a vertical gradient to `to`, outlined in `pen`
// (a plain fill takes the brush colour as outline when there is no pen colour).
void faceFill(TCanvas& c, const TRect& r, TColor from, TColor to, TColor pen)
{
    c.Pen().Width = 1;
    c.Pen().Style = fw::psSolid;
    if (to == clNone) {
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = from;
        c.Pen().Color = pen == clNone ? from : pen;
        c.Rectangle(r);
    } else {
        DrawButtonGradient(c, from, to, false, r, kGradientSteps, pen);
    }
}

void roundedOutline(TCanvas& c, const TRect& r, TColor color)
{
    c.Brush().Style = fw::bsClear;
    c.Pen().Color = color;
    c.Pen().Width = 1;
    c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
    c.Brush().Style = fw::bsSolid;
}

void drawTransparent(TCanvas& c, const TBitmap& bitmap, const TPoint& at)
{
    if (bitmap.Empty())
        return;
    c.DrawImage(fw::Bounds(at.X, at.Y, bitmap.Width(), bitmap.Height()), bitmap.MaskedImage(),
                TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

// Every pixel in the grey ((R + G + B) / 3) / 2 + 96.
void makeDisabledGlyph(const TBitmap& glyph, TBitmap& target)
{
    QImage img = glyph.ToImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = ((qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3) / 2 + 96;
            line[x] = qRgb(g, g, g);
        }
    }
    target.SetImage(img);
}

} // namespace

// ---- construction and properties -----------------------------------------------------------

TFxGridButton::TFxGridButton(QWidget* parent) : fw::TGraphicControl(parent)
{
    resize(22, 23);
    FIsComCtl6 = IsThemedComCtl6();
}

TFxGridButton::~TFxGridButton() = default;

void TFxGridButton::Loaded()
{
    FLoading = false;
    if (FShaded)
        BuildShadeGlyph();
    if (FAutoThemeAdapt)
        ThemeAdapt();
}

void TFxGridButton::SetAllowAllUp(bool value)
{
    if (value == FAllowAllUp)
        return;
    FAllowAllUp = value;
    NotifyGroupPressed();
}

void TFxGridButton::SetGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    NotifyGroupPressed();
}

void TFxGridButton::SetAutoThemeAdapt(bool value)
{
    FAutoThemeAdapt = value;
    if (value)
        ThemeAdapt();
}

void TFxGridButton::SetBorderColor(TColor value)
{
    FBorderColor = value;
    update();
}

void TFxGridButton::SetColor(TColor value)
{
    FColor = value;
    update();
}

void TFxGridButton::SetColorTo(TColor value)
{
    FColorTo = value;
    update();
}

void TFxGridButton::SetColorChecked(TColor value)
{
    FColorChecked = value;
    update();
}

void TFxGridButton::SetColorCheckedTo(TColor value)
{
    FColorCheckedTo = value;
    update();
}

void TFxGridButton::SetDropDownButton(bool value)
{
    FDropDownButton = value;
    update();
}

void TFxGridButton::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    GrabAccelerator(*this, FShortcutId, FCaption);
    update();
}

void TFxGridButton::SetFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    update();
}

void TFxGridButton::SetFont(const fw::TFont& value)
{
    FFont = value;
    FParentFont = false;
    update();
}

void TFxGridButton::SetParentFont(bool value)
{
    FParentFont = value;
    update();
}

fw::TFont TFxGridButton::CanvasFont() const
{
    fw::TFont f = FFont;
    if (FParentFont) {
        const QFont& q = font();
        f.Name = q.family();
        if (q.pointSize() > 0)
            f.Size = q.pointSize();
    }
    return f;
}

void TFxGridButton::SetGlyph(const TBitmap& value)
{
    FGlyph.Assign(value);
    if (FGlyphDisabled.Empty() && !FGlyph.Empty())
        makeDisabledGlyph(FGlyph, FGlyphDisabled);
    update();
}

void TFxGridButton::SetLayout(TButtonLayout value)
{
    if (value == FLayout)
        return;
    FLayout = value;
    update();
}

void TFxGridButton::SetMargin(int value)
{
    if (value == FMargin || value < -1)
        return;
    FMargin = value;
    update();
}

void TFxGridButton::SetRounded(bool value)
{
    FRounded = value;
    update();
}

void TFxGridButton::SetShaded(bool value)
{
    FShaded = value;
    if (value && !FLoading)
        BuildShadeGlyph();
}

void TFxGridButton::SetShowCaption(bool value)
{
    if (value == FShowCaption)
        return;
    FShowCaption = value;
    update();
}

void TFxGridButton::SetSpacing(int value)
{
    if (value == FSpacing)
        return;
    FSpacing = value;
    update();
}

void TFxGridButton::SetStyle(TFxGridButtonStyle value)
{
    FStyle = value;
    update();
}

void TFxGridButton::SetLook(int look)
{
    if (look < 0 || look >= int(kLooks.size()))
        return;
    const TLook& l = kLooks[std::size_t(look)];
    FColor = l.color;
    FColorTo = l.colorTo;
    FColorHot = l.hot;
    FColorHotTo = l.hotTo;
    FColorDown = l.down;
    FColorDownTo = l.downTo;
    FColorChecked = l.checked;
    FColorCheckedTo = l.checkedTo;
    FBorderDownColor = l.border;
    FBorderHotColor = look == 0 ? kLook0HotBorder : l.border;
    FBorderColor = clNone;
    FRounded = look == 0;
    FFlat = true;
    update();
}

void TFxGridButton::ThemeAdapt()
{
    switch (CurrentXPColorScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

// The shade is the glyph's silhouette in $808080 on the glyph's transparent colour.
void TFxGridButton::BuildShadeGlyph()
{
    if (FGlyph.Empty())
        return;
    QImage img = FGlyph.ToImage().convertToFormat(QImage::Format_RGB32);
    const QRgb key = img.pixel(0, img.height() - 1) | 0xFF000000u;
    const QRgb shade = qRgb(0x80, 0x80, 0x80);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] | 0xFF000000u) == key ? key : shade;
    }
    FGlyphShade.SetImage(img);
}

// ---- down state and grouping ---------------------------------------------------------------

void TFxGridButton::SetDown(bool value)
{
    if (FGroupIndex == 0 && FStyle != tasCheck)
        value = false;
    if (FStyle == tasCheck) {
        FDown = value;
        repaint();
        return;
    }
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    if (value) {
        if (FState == fw::bsUp)
            update();
        FState = fw::bsExclusive;
        NotifyGroupPressed();
    } else {
        FState = fw::bsUp;
        repaint();
    }
}

void TFxGridButton::NotifyGroupPressed()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TFxGridButton*>(Qt::FindDirectChildrenOnly);
    for (TFxGridButton* b : siblings)
        b->ButtonPressed(FGroupIndex, this);
}

void TFxGridButton::ButtonPressed(int groupIndex, TFxGridButton* sender)
{
    if (groupIndex != FGroupIndex)
        return;
    if (sender != this && sender->FDown && FDown) {
        FDown = false;
        FState = fw::bsUp;
        repaint();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TFxGridButton::Click()
{
    if (OnClick)
        OnClick(this);
}

// ---- mouse ---------------------------------------------------------------------------------

void TFxGridButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    if (button != fw::mbLeft || !isEnabled())
        return;
    if (FDropDownButton && x >= width() - kDropDownWidth) {
        FState = fw::bsUp;
        if (OnDropDown)
            OnDropDown(this);
        if (FDropDownMenu)
            FDropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    if (!FDown) {
        FState = fw::bsDown;
        update();
    }
    if (FStyle == tasCheck) {
        FState = fw::bsDown;
        repaint();
    }
    FDragging = true;
}

void TFxGridButton::MouseMove(fw::TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
    if (!FDragging) {
        if (!FMouseInControl)
            RecheckMouseInside();
        return;
    }
    TButtonState next = FDown ? fw::bsExclusive : (IsInside(x, y) ? fw::bsDown : fw::bsUp);
    if (FStyle == tasCheck && FDown)
        next = fw::bsDown;
    if (next != FState) {
        FState = next;
        update();
    }
}

void TFxGridButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
    if (!FDragging)
        return;
    FDragging = false;
    const bool inside = IsInside(x, y);
    if (FGroupIndex == 0) {
        FState = fw::bsUp;
        // A toggle released outside stays as it was: dragging off cancels, and
        // a state change without its click would go unnoticed by the owner.
        if (FStyle == tasCheck && inside)
            SetDown(!FDown);
        if (inside)
            update();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            update();
    } else {
        if (FDown)
            FState = fw::bsExclusive;
        update();
    }
    if (inside)
        Click();
    RecheckMouseInside();
}

void TFxGridButton::RecheckMouseInside()
{
    if (!FFlat || !isEnabled())
        return;
    const bool inside = isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
    if (inside && !FMouseInControl)
        MouseEnter();
    else if (!inside && FMouseInControl)
        MouseLeave();
}

void TFxGridButton::MouseEnter()
{
    if (!isEnabled() || FDragging)
        return;
    FMouseInControl = true;
    update();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TFxGridButton::MouseLeave()
{
    if (!isEnabled() || FDragging)
        return;
    FMouseInControl = false;
    update();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TFxGridButton::DblClick()
{
    if (FDown && OnDblClick)
        OnDblClick(this);
}

void TFxGridButton::changeEvent(QEvent* e)
{
    fw::TGraphicControl::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        RecheckMouseInside();
        update();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        if (FAutoThemeAdapt)
            ThemeAdapt();
        break;
    default:
        break;
    }
}

bool TFxGridButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId &&
        FShortcutId != 0) {
        if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
            fw::RunGuarded([&] { Click(); });
        return true;
    }
    if (e->type() == QEvent::ApplicationFontChange && FAutoThemeAdapt)
        ThemeAdapt();
    return fw::TGraphicControl::event(e);
}

// ---- painting ------------------------------------------------------------------------------

void TFxGridButton::Paint(TCanvas& c)
{
    if (!isEnabled()) {
        FState = fw::bsDisabled;
        FDragging = false;
    } else if (FState == fw::bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? fw::bsExclusive : fw::bsUp;
    }
    TButtonState state = FState;
    if (FStyle == tasCheck && FDown)
        state = fw::bsDown;
    const bool pressed = state == fw::bsDown || state == fw::bsExclusive;

    c.Font() = CanvasFont();
    TRect r(0, 0, width(), height());

    if (!FFlat) {
        if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && IsThemeActive()) {
            const int part = pressed ? xpvs::PBS_PRESSED : FMouseInControl ? xpvs::PBS_HOT : xpvs::PBS_NORMAL;
            DrawThemePart(parentWidget(), QStringLiteral("button"), c, xpvs::BP_PUSHBUTTON, part, r);
        } else {
            c.DrawFrameControl(r, fw::DFC_BUTTON,
                               fw::DFCS_BUTTONPUSH | fw::DFCS_ADJUSTRECT | (pressed ? fw::DFCS_PUSHED : 0));
        }
    } else {
        if (FBorderDownColor == clNone || FRounded)
            r = r.Inflated(-1, -1);
        if (!FMouseInControl || state == fw::bsDisabled) {
            if (FStyle == tasCheck && FDown) {
                faceFill(c, r, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else {
                const TColor border = FRounded ? clNone : FDown ? FBorderDownColor : FBorderColor;
                if (FColorTo == clNone) {
                    c.Brush().Style = fw::bsSolid;
                    c.Brush().Color = FColor;
                    c.FillRect(r);
                } else {
                    DrawButtonGradient(c, FColor, FColorTo, false, r, kGradientSteps, border);
                }
            }
            if (FBorderColor != clNone) {
                if (FRounded) {
                    roundedOutline(c, r.Inflated(1, 1), FBorderColor);
                } else {
                    c.Brush().Style = fw::bsClear;
                    c.Pen().Color = FBorderColor;
                    c.Pen().Width = 1;
                    c.Rectangle(r);
                    c.Brush().Style = fw::bsSolid;
                }
            }
        } else {
            TColor from = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
            if (FStyle == tasCheck && FDown && FState != fw::bsDown) {
                // A checked toggle under the mouse, not being pressed.
                from = FColorChecked;
                to = FColorCheckedTo;
                pen = FBorderDownColor;
            } else if (state == fw::bsDown) {
                from = FColorDown;
                to = FColorDownTo;
                pen = FBorderDownColor;
            }
            if (FRounded)
                pen = clNone;
            faceFill(c, r, from, to, pen);
            if (FRounded)
                roundedOutline(c, r.Inflated(1, 1), state == fw::bsDown ? FBorderDownColor : FBorderHotColor);
            if (FDropDownButton) {
                c.Pen().Color = pen == clNone ? from : pen;
                c.Pen().Width = 1;
                c.MoveTo(r.Right - kDropDownWidth, 0);
                c.LineTo(r.Right - kDropDownWidth, height());
            }
        }
        r = r.Inflated(-1, -1);
    }

    TPoint offset(0, 0);
    if (pressed) {
        if (state == fw::bsExclusive && !(FFlat && FMouseInControl))
            faceFill(c, r.Inflated(1, 1), FColorChecked, FColorCheckedTo,
                     FDown ? FBorderDownColor : FBorderColor);
        if (!FFlat)
            offset = TPoint(1, 1);
    }
    if (FFlat && isEnabled() && FShaded && FMouseInControl && state != fw::bsDown)
        offset = TPoint(-1, -1);

    if (FDropDownButton) {
        const int m = r.Top + r.Height() / 2;
        const TColor arrow = c.Font().Color;
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = arrow;
        c.Pen().Color = arrow;
        c.Pen().Width = 1;
        c.Polygon({TPoint(r.Right - 8, m), TPoint(r.Right - 4, m), TPoint(r.Right - 6, m + 2)});
        r.Right -= kDropDownWidth;
    }
    DrawFace(c, r, offset, FDown && FGroupIndex != 0 ? fw::bsExclusive : state);
}

TFxGridButton::TLayoutResult TFxGridButton::CalcLayout(const TRect& client, const QString& caption,
                                                       TButtonLayout layout, int margin, int spacing,
                                                       const TPoint& offset, bool rightToLeft) const
{
    if (rightToLeft) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }
    const TPoint clientSize(client.Width(), client.Height());
    const TPoint glyphSize = FGlyph.Empty() ? TPoint(0, 0) : TPoint(FGlyph.Width(), FGlyph.Height());
    TPoint textSize(0, 0);
    if (!caption.isEmpty()) {
        TCanvas measure;
        measure.Font() = CanvasFont();
        TRect bounds(0, 0, clientSize.X, 0);
        measure.DrawText(caption, bounds, fw::DT_CALCRECT);
        textSize = TPoint(bounds.Width(), bounds.Height());
    }
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    TPoint glyphPos, textPos;
    if (horizontal) {
        glyphPos.Y = (clientSize.Y - glyphSize.Y + 1) / 2;
        textPos.Y = (clientSize.Y - textSize.Y + 1) / 2;
    } else {
        glyphPos.X = (clientSize.X - glyphSize.X + 1) / 2;
        textPos.X = (clientSize.X - textSize.X + 1) / 2;
    }
    const int glyphAxis = horizontal ? glyphSize.X : glyphSize.Y;
    const int textAxis = horizontal ? textSize.X : textSize.Y;
    const int clientAxis = horizontal ? clientSize.X : clientSize.Y;
    if (textAxis == 0 || glyphAxis == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientAxis - glyphAxis - textAxis) / 3;
            spacing = margin;
        } else {
            margin = (clientAxis - (glyphAxis + spacing + textAxis) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientAxis - (margin + glyphAxis) - textAxis) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyphPos.X = margin;
        textPos.X = glyphPos.X + glyphSize.X + spacing;
        break;
    case blGlyphRight:
        glyphPos.X = clientSize.X - margin - glyphSize.X;
        textPos.X = glyphPos.X - spacing - textSize.X;
        break;
    case blGlyphTop:
        glyphPos.Y = margin;
        textPos.Y = glyphPos.Y + glyphSize.Y + spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = clientSize.Y - margin - glyphSize.Y;
        textPos.Y = glyphPos.Y - spacing - textSize.Y;
        break;
    }
    const int dx = client.Left + offset.X, dy = client.Top + offset.Y;
    TLayoutResult result;
    result.GlyphPos = TPoint(glyphPos.X + dx, glyphPos.Y + dy);
    result.TextBounds = fw::Bounds(textPos.X + dx, textPos.Y + dy, textSize.X, textSize.Y);
    return result;
}

void TFxGridButton::DrawFace(TCanvas& c, const TRect& client, const TPoint& offset, TButtonState state)
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    TLayoutResult layout = CalcLayout(client, FCaption, FLayout, FMargin, FSpacing, offset, rtl);
    if (FCaption.isEmpty())
        layout.GlyphPos = TPoint(0, 0);
    DrawGlyph(c, layout.GlyphPos, state);
    if (FFlat && FShaded && isEnabled() && FMouseInControl && state != fw::bsDown && state != fw::bsExclusive)
        layout.TextBounds = layout.TextBounds.Offset(1, 1);
    if (FShowCaption)
        DrawCaption(c, layout.TextBounds);
}

void TFxGridButton::DrawGlyph(TCanvas& c, const TPoint& pos, TButtonState state)
{
    const bool pressed = state == fw::bsDown || state == fw::bsExclusive;
    const TBitmap* bitmap = &FGlyph;
    if (FMouseInControl && pressed)
        bitmap = FGlyphDown.Empty() ? &FGlyph : &FGlyphDown;
    else if (FMouseInControl)
        bitmap = FGlyphHot.Empty() ? &FGlyph : &FGlyphHot;
    else if (pressed)
        bitmap = FGlyphDown.Empty() ? &FGlyph : &FGlyphDown;
    if (!isEnabled())
        bitmap = FGlyphDisabled.Empty() ? &FGlyph : &FGlyphDisabled;
    if (bitmap->Empty())
        return;
    if (FMouseInControl && FShaded && isEnabled() && state != fw::bsDown)
        drawTransparent(c, FGlyphShade, FCaption.isEmpty() ? pos : TPoint(pos.X + 2, pos.Y + 2));
    drawTransparent(c, *bitmap, pos);
}

void TFxGridButton::DrawCaption(TCanvas& c, TRect bounds)
{
    c.Brush().Style = fw::bsClear;
    unsigned flags = fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE;
    if (layoutDirection() == Qt::RightToLeft)
        flags |= fw::DT_RIGHT;
    if (!isEnabled()) {
        TRect shifted = bounds.Offset(1, 1);
        c.Font().Color = fw::clBtnHighlight;
        c.DrawText(FCaption, shifted, flags);
        c.Font().Color = fw::clGrayText;
    }
    c.DrawText(FCaption, bounds, flags);
}
