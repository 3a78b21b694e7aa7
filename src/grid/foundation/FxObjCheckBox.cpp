#include "grid/foundation/FxObjCheckBox.h"

#include "framework/Guard.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxXPVS.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

using fw::TCanvas;
using fw::TRect;

TFxCheckBox::TFxCheckBox(QWidget* parent) : QWidget(parent)
{
    resize(98, 20);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    FFont.Name = font().family();
    GrabAccelerator(*this, FShortcutId, FCaption);
}

TFxCheckBox::~TFxCheckBox() = default;

// ---- properties ----------------------------------------------------------------------------

void TFxCheckBox::SetAlignment(fw::TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

void TFxCheckBox::SetButtonVertAlign(TTextLayout value)
{
    if (value == FBtnVAlign)
        return;
    FBtnVAlign = value;
    update();
}

void TFxCheckBox::SetCaption(const QString& value)
{
    FCaption = value;
    setWindowTitle(value);
    GrabAccelerator(*this, FShortcutId, FCaption);
    update();
}

void TFxCheckBox::SetChecked(bool value)
{
    SetState(value ? cbChecked : cbUnchecked);
    update();
}

void TFxCheckBox::SetState(TCheckBoxState value)
{
    if (value == FState)
        return;
    FState = value;
    InvalidateBox(20);
}

void TFxCheckBox::SetColor(fw::TColor value)
{
    FColor = value;
    FParentColor = false;
    update();
}

void TFxCheckBox::SetParentColor(bool value)
{
    FParentColor = value;
    update();
}

void TFxCheckBox::SetEllipsis(bool value)
{
    if (value == FEllipsis)
        return;
    FEllipsis = value;
    update();
}

void TFxCheckBox::SetFont(const fw::TFont& value)
{
    FFont = value;
    update();
}

void TFxCheckBox::SetTransparent(bool value)
{
    FTransparent = value;
    update();
}

void TFxCheckBox::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TFxCheckBox::SetDown(bool value) { FDown = value; }

void TFxCheckBox::Toggle()
{
    if (!FReadOnly)
        SetChecked(!Checked());
}

void TFxCheckBox::Click()
{
    if (OnClick)
        OnClick(this);
}

void TFxCheckBox::InvalidateBox(int size)
{
    if (FAlignment == fw::taRightJustify)
        update(width() - size, 0, size, height());
    else
        update(0, 0, size, height());
}

// ---- painting ------------------------------------------------------------------------------

TRect TFxCheckBox::BoxRect() const
{
    const int h = height();
    const bool right = FAlignment == fw::taRightJustify;
    if (IsThemedComCtl6()) {
        const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? h / 2 - 6 : h - 14;
        return fw::Bounds(right ? width() - 15 : 0, y, 14, 14);
    }
    const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? h / 2 - 6 : h - 17;
    return fw::Bounds(right ? width() - 13 : 0, y, 13, 13);
}

TRect TFxCheckBox::CaptionRect() const
{
    TRect r(0, 0, width(), height());
    if (FAlignment == fw::taRightJustify) {
        r.Right -= 9;
        r.Left = 0;
    } else {
        r.Left += 9;
    }
    r.Top += 4;
    r.Left += 6;
    return r;
}

void TFxCheckBox::paintEvent(QPaintEvent*)
{
    fw::RunGuarded([&] {
        TCanvas canvas(this);
        Paint(canvas);
    });
}

void TFxCheckBox::Paint(TCanvas& c)
{
    c.Font() = FFont;
    // A see-through box, or one in its parent's colour, leaves its background
    // to the parent, which Qt has painted below.
    if (!FTransparent && !FParentColor) {
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = FColor;
        c.FillRect(TRect(0, 0, width(), height()));
    }
    TRect box = BoxRect();
    if (IsThemedComCtl6()) {
        const int group = FState == cbChecked ? 4 : FState == cbGrayed ? 8 : 0;
        const int look = !isEnabled() ? 4 : FDown ? 3 : FHot ? 2 : 1;
        DrawThemePart(this, QStringLiteral("button"), c, xpvs::BP_CHECKBOX, group + look, box);
    } else {
        unsigned state = fw::DFCS_BUTTONCHECK;
        if (FState == cbGrayed || !isEnabled())
            state |= fw::DFCS_INACTIVE;
        if (FState == cbChecked)
            state |= fw::DFCS_CHECKED;
        c.DrawFrameControl(box, fw::DFC_BUTTON, state);
    }

    TRect r = CaptionRect();
    c.Brush().Style = fw::bsClear;
    unsigned flags = fw::DT_LEFT | fw::DT_SINGLELINE;
    if (FEllipsis)
        flags |= fw::DT_END_ELLIPSIS;
    if (isEnabled()) {
        c.DrawText(FCaption, r, flags);
    } else {
        TRect shifted = r.Offset(1, 1);
        c.Font().Color = fw::clWhite;
        c.DrawText(FCaption, shifted, flags);
        c.Font().Color = fw::clGray;
        c.DrawText(FCaption, r, flags);
    }
    if (FFocused) {
        TRect extent(r.Left, r.Top, r.Right, r.Top);
        c.DrawText(FCaption, extent, flags | fw::DT_CALCRECT);
        c.Brush().Style = fw::bsSolid;
        c.DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left + extent.Width() + 1, r.Top + extent.Height() + 1));
    }
}

// ---- input ---------------------------------------------------------------------------------

void TFxCheckBox::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    FMouseDown = true;
    if (!FFocused)
        setFocus(Qt::MouseFocusReason);
    FDown = true;
    InvalidateBox(16);
}

void TFxCheckBox::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (!FMouseDown)
        return;
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != FDown) {
        FDown = inside;
        InvalidateBox(16);
    }
}

void TFxCheckBox::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    const bool pressedHere = FMouseDown;
    FMouseDown = false;
    FDown = false;
    InvalidateBox(16);
    if (pressedHere && FFocused && rect().contains(e->position().toPoint()))
        fw::RunGuarded([&] {
            Toggle();
            Click();
        });
}

void TFxCheckBox::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && FReturnIsTab && e->modifiers() == Qt::NoModifier) {
        e->accept();
        QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        e->accept();
        FDown = true;
        InvalidateBox(16);
        return;
    }
    QWidget::keyPressEvent(e);
}

void TFxCheckBox::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        e->accept();
        FDown = false;
        InvalidateBox(16);
        fw::RunGuarded([&] {
            Toggle();
            Click();
        });
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void TFxCheckBox::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    FHot = true;
    InvalidateBox(16);
}

void TFxCheckBox::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    FHot = false;
    InvalidateBox(16);
}

void TFxCheckBox::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    FFocused = true;
    update();
}

void TFxCheckBox::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    FFocused = false;
    update();
}

bool TFxCheckBox::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut && FShortcutId != 0 &&
        static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId) {
        if (isEnabled() && isVisible()) {
            if (FTabStop)
                setFocus(Qt::ShortcutFocusReason);
            fw::RunGuarded([&] { Toggle(); });
        }
        return true;
    }
    return QWidget::event(e);
}
