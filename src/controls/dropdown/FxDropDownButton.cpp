#include "controls/dropdown/FxDropDownButton.h"

#include "controls/dropdown/FxCustomDropDown.h"
#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/foundation/FxUtilDraw.h"
#include "controls/dropdown/FxThemeBinder.h"

#include <QMouseEvent>
#include <QPainter>

using namespace fw;

// ---- speed button -----------------------------------------------------------------------

TFxDropDownSpeedButton::TFxDropDownSpeedButton(TDropDownEditButton* container)
    : QWidget(container), FContainer(container)
{
    FIsWinXP = ThemeBinderLoaded();
}

TFxCustomDropDown* TFxDropDownSpeedButton::Edit() const { return FContainer->FocusControl(); }

void TFxDropDownSpeedButton::SetButtonStyle(TButtonStyle value)
{
    FButtonStyle = value;
    update();
}

void TFxDropDownSpeedButton::SetEtched(bool value)
{
    if (value == FEtched)
        return;
    FEtched = value;
    update();
}

void TFxDropDownSpeedButton::SetFocused(bool value)
{
    if (value == FFocused)
        return;
    FFocused = value;
    update();
}

void TFxDropDownSpeedButton::SetFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    update();
}

void TFxDropDownSpeedButton::SetGlyph(const TBitmap& glyph)
{
    FGlyph.Assign(glyph);
    update();
}

void TFxDropDownSpeedButton::SetCaption(const QString& value)
{
    FCaption = value;
    update();
}

bool TFxDropDownSpeedButton::IsThemed() const { return FIsWinXP && ThemeBinderLoaded() && IsThemeActive(); }

void TFxDropDownSpeedButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    FHot = true;
    update();
}

void TFxDropDownSpeedButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    FHot = false;
    update();
}

void TFxDropDownSpeedButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && isEnabled()) {
        FDown = true;
        update();
    }
    e->accept();
}

void TFxDropDownSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() & Qt::LeftButton) {
        const bool inside = rect().contains(e->position().toPoint());
        if (inside != FDown) {
            FDown = inside;
            update();
        }
    }
    e->accept();
}

void TFxDropDownSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool wasDown = FDown;
    FDown = false;
    update();
    e->accept();
    // The drop-down reacts to the release over the button, not to the press.
    if (OnMouseUp && (e->button() != Qt::LeftButton || wasDown))
        OnMouseUp(e->button());
}

int TFxDropDownSpeedButton::ThemeState(bool enabled) const
{
    if (!enabled)
        return xpvs::CBXS_DISABLED;
    if (FDown && !FUp)
        return xpvs::CBXS_PRESSED;
    if (FHot)
        return xpvs::CBXS_HOT;
    return xpvs::CBXS_NORMAL;
}

void TFxDropDownSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    if (FButtonStyle == bsButton)
        PaintButtonStyle(canvas);
    else
        PaintDropDownStyle(canvas);
}

void TFxDropDownSpeedButton::PaintClassicFace(TCanvas& canvas)
{
    TRect r(0, 0, width(), height());
    const bool down = FDown && !FUp;
    canvas.Brush().Color = clBtnFace;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(r);
    if (!FFlat || down || FHot)
        canvas.DrawEdge(r, down ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT);
}

void TFxDropDownSpeedButton::PaintDropDownStyle(TCanvas& canvas)
{
    TFxCustomDropDown* edit = Edit();
    const TRect client(0, 0, width(), height());
    const bool down = FDown && !FUp;
    auto arrow = [&](TColor color) {
        // Colour tones give the face colours only: the arrow then stays black.
        if (color == clNone)
            color = clBtnText;
        canvas.Brush().Color = color;
        canvas.Brush().Style = bsSolid;
        canvas.Pen().Color = color;
        canvas.Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
    };
    if (FContainer->ButtonColor != clNone) {
        TColor face = FContainer->ButtonColor;
        TColor text = FContainer->ButtonTextColor;
        if (FHot) {
            face = FContainer->ButtonColorHot;
            text = FContainer->ButtonTextColorHot;
        }
        if (down) {
            face = FContainer->ButtonColorDown;
            text = FContainer->ButtonTextColorDown;
        }
        canvas.Brush().Color = face;
        canvas.Brush().Style = bsSolid;
        canvas.Pen().Color = face;
        canvas.Rectangle(client);
        canvas.Pen().Color = edit ? edit->BorderColor() : clNone;
        if (canvas.Pen().Color != clNone) {
            canvas.MoveTo(0, 0);
            canvas.LineTo(0, client.Bottom);
        }
        arrow(text);
        return;
    }
    if (!FGlyph.Empty()) {
        canvas.Brush().Color = clBtnFace;
        canvas.Brush().Style = bsSolid;
        canvas.Pen().Color = 0x808080;
        canvas.Rectangle(client);
        DrawBitmapTransparent(canvas, FGlyph, clBtnFace, TRect(0, 0, FGlyph.Width(), FGlyph.Height()));
        return;
    }
    const bool enabled = edit ? edit->isEnabled() && !edit->ReadOnly() : isEnabled();
    if (IsThemed()) {
        TRect r = client;
        if (WindowsVistaOrLater()) {
            r.Left += 1;
        } else {
            r = r.Inflated(1, 1);
            r.Left += 2;
        }
        DrawThemePart(parentWidget(), QStringLiteral("combobox"), canvas, xpvs::CP_DROPDOWNBUTTON, ThemeState(enabled),
                      r);
        return;
    }
    PaintClassicFace(canvas);
    canvas.Pen().Width = 1;
    canvas.Pen().Color = clBtnFace;
    canvas.Polyline({TPoint(width() - 2, 0), TPoint(0, 0), TPoint(0, height() - 1)});
    canvas.Pen().Color = clWhite;
    canvas.Polyline({TPoint(width() - 3, 1), TPoint(1, 1), TPoint(1, height() - 2)});
    arrow(enabled ? clBlack : clGray);
}

void TFxDropDownSpeedButton::PaintButtonStyle(TCanvas& canvas)
{
    TFxCustomDropDown* edit = Edit();
    if (edit)
        canvas.Font() = TFont();
    canvas.Font().Color = isEnabled() ? clBtnText : clGrayText;
    const bool down = FDown && !FUp;
    const TRect client(0, 0, width(), height());
    const int shift = down ? 1 : 0;
    auto caption = [&](TRect r, unsigned align) {
        if (FCaption.isEmpty())
            return;
        canvas.SetBkMode(bkTransparent);
        canvas.Brush().Style = bsClear;
        r = r.Offset(shift, shift);
        canvas.DrawText(FCaption, r, DT_SINGLELINE | DT_VCENTER | align);
    };
    if (IsThemed()) {
        const int state = !isEnabled() ? xpvs::PBS_DISABLED
                          : down       ? xpvs::PBS_PRESSED
                          : FHot       ? xpvs::PBS_HOT
                                       : xpvs::PBS_NORMAL;
        DrawThemePart(parentWidget(), QStringLiteral("button"), canvas, xpvs::BP_PUSHBUTTON, state,
                      TRect(0, 0, width() + 1, height() + 1));
        TRect r = client.Inflated(-2, -2);
        int textLeft = r.Left;
        if (!FGlyph.Empty()) {
            const int x = FCaption.isEmpty() && FGlyph.Width() < r.Width() ? r.Left + (r.Width() - FGlyph.Width()) / 2
                                                                             : r.Left + 2;
            const int y = FGlyph.Height() < r.Height() ? r.Top + (r.Height() - FGlyph.Height()) / 2 : r.Top;
            FGlyph.Draw(canvas, Bounds(x + shift, y + shift, FGlyph.Width(), FGlyph.Height()));
            textLeft = x + FGlyph.Width() + 2;
            caption(TRect(textLeft, r.Top - 1, r.Right, r.Bottom - 1), DT_LEFT);
        } else {
            caption(client.Inflated(-3, -1), DT_CENTER);
        }
        return;
    }
    PaintClassicFace(canvas);
    if (FFlat) {
        TRect edge(0, 0, width() + 1, height() + 1);
        canvas.DrawEdge(edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0u));
    }
    const TRect inner = client.Inflated(-3, -3);
    if (!FGlyph.Empty())
        DrawBitmapTransparent(canvas, FGlyph, clBtnFace, inner.Offset(shift, shift));
    caption(inner.Inflated(-3, -1), DT_CENTER);
}

// ---- container --------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(TFxCustomDropDown* edit) : QWidget(edit), FFocusControl(edit)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    FButton = new TFxDropDownSpeedButton(this);
    FButton->SetButtonStyle(bsDropDown);
    FButton->OnMouseUp = [this](Qt::MouseButton button) { HandleButtonMouseUp(button); };
    FButton->setEnabled(isEnabled());
    resize(FBWidth, 25);
}

void TDropDownEditButton::HandleButtonMouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && OnClick)
        OnClick(this);
}

void TDropDownEditButton::SetButtonWidth(int value)
{
    FBWidth = value;
    AdjustButtonSize();
}

void TDropDownEditButton::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, FBWidth, height);
    AdjustButtonSize();
}

void TDropDownEditButton::AdjustButtonSize()
{
    if (width() != FBWidth)
        resize(FBWidth, height());
    FButton->setGeometry(0, 0, FBWidth, height());
}

void TDropDownEditButton::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    AdjustButtonSize();
}

void TDropDownEditButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
}
