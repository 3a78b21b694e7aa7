// The drop-down cycle, placement, keys and wheel around the popup, layout of
// edit, button and label, and border painting. Value handling glue is in
// FxDropDownEditing.cpp, styles in FxDropDownStyling.cpp.
#include "controls/dropdown/FxCustomDropDown.h"

#include "controls/dropdown/FxDropDownBars.h"
#include "controls/dropdown/FxDropDownButton.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "grid/foundation/FxXPVS.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QToolTip>

using namespace fw;

// ---- placement --------------------------------------------------------------------------

TRect DropDownBounds(TDropPosition position, const TPoint& anchor, int editHeight, const TSize& popup,
                     const TRect& workArea)
{
    // Below, the popup overlaps the edit's last pixel row.
    const int belowTop = anchor.Y + editHeight - 1;
    const int roomBelow = workArea.Bottom - belowTop;
    const int roomAbove = anchor.Y - workArea.Top;
    const bool fitsBelow = popup.cy <= roomBelow;
    const bool fitsAbove = popup.cy <= roomAbove;
    bool below;
    if (position == dpUp ? fitsAbove : fitsBelow)
        below = position != dpUp;
    else if (position == dpUp ? fitsBelow : fitsAbove)
        below = position == dpUp;
    else
        below = roomBelow >= roomAbove;
    const int h = std::max(1, std::min(popup.cy, std::max(below ? roomBelow : roomAbove, 1)));
    int top = below ? belowTop : anchor.Y - h;
    top = std::clamp(top, workArea.Top, std::max(workArea.Top, workArea.Bottom - h));
    int left = std::min(anchor.X, workArea.Right - popup.cx);
    left = std::max(left, workArea.Left);
    return Bounds(left, top, popup.cx, h);
}

namespace {

// Visible unless hidden on purpose (a child of a hidden popup counts as shown).
bool shownByItself(const QWidget* w) { return !(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide)); }

} // namespace

// ---- the edit the value rules act on ----------------------------------------------------

class TFxCustomDropDown::TEditAdapter : public IValueEdit {
public:
    explicit TEditAdapter(TFxCustomDropDown& edit) : E(edit) {}
    TEditBuffer EditState() const override { return E.Buffer(); }
    void SetDisplayText(const QString& text) override { E.SetEditText(text); }
    void SetSelection(int anchor, int caret) override { E.SetSel(anchor, caret); }
    void PassChar(QChar ch) override { E.DefaultKeyPress(ch); }
    bool EditModified() const override { return E.EditModified(); }
    void SetEditModified(bool value) override { E.SetEditModified(value); }
    bool CanSetModified() const override { return !E.FLoading && E.FEditorEnabled && !E.ReadOnly(); }
    void RaiseChange() override { E.HandleChange(); }

private:
    TFxCustomDropDown& E;
};

// ---- construction -----------------------------------------------------------------------

TFxCustomDropDown::TFxCustomDropDown(QWidget* parent)
    : TMaskEdit(parent), FAdapter(std::make_unique<TEditAdapter>(*this)), FValue(*FAdapter)
{
    resize(200, 21);
    CreateDropDownForm();
    CreateDropDownButton();
    SetReadOnly(false);
    SetText(QString());
    FDropDownHeader.OnChange = [this] { HeaderChanged(); };
    FDropDownHeader.OnButtonsChanged = [this] { HeaderChanged(); };
    FDropDownFooter.OnChange = [this] { FooterChanged(); };
    FDropDownFooter.OnButtonsChanged = [this] { FooterChanged(); };
    FIsThemed = XPVSBound();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(tsOffice2007Luna);
    FLabelFont.Name = QStringLiteral("Tahoma");
    SetEditRect();
    AdjustLayout();
}

TFxCustomDropDown::~TFxCustomDropDown()
{
    FDestroying = true;
    if (FRelayedControl)
        FRelayedControl->removeEventFilter(this);
    // The popup reports its end to this object: it must go while this object
    // is still whole.
    delete FDropDownForm;
    FDropDownForm = nullptr;
    delete FLabel.data();
}

void TFxCustomDropDown::Loaded()
{
    FLoading = false;
    FParentFnt = !testAttribute(Qt::WA_SetFont);
    SetEditRect();
    AdjustLayout();
    if (FButton)
        FButton->setEnabled(isEnabled());
    if (FLabel) {
        if (!FLabelAlwaysEnabled)
            FLabel->setEnabled(isEnabled());
        PlaceLabel();
    }
}

void TFxCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm)
        return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->hide();
    FDropDownForm->resize(std::max(FDropDownWidth, 1), std::max(FDropDownHeight, 1));
}

void TFxCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->OnClick = [this](QObject*) { DropButtonClick(); };
    }
    UpdateDropDownButton();
}

void TFxCustomDropDown::UpdateDropDownButton()
{
    if (!FButton)
        return;
    FButton->SetBounds(FButton->x(), FButton->y(), FButtonWidth, 17);
    FButton->SetFocusControl(this);
    FButton->show();
}

// ---- the drop-down cycle ----------------------------------------------------------------

void TFxCustomDropDown::DropButtonClick()
{
    if (!FDropDownForm || FDropDownForm->isVisible())
        return;
    // The click that closed the popup (its deactivation came first) does not
    // open it again.
    if (TicksBetween(FDropDownForm->DeActivateTime(), TickCount()) > 250)
        DoShowDropDown();
}

void TFxCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TFxCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm)
        return;
    const bool control = FControl && shownByItself(FControl);
    const int w = FDropDownWidth > 0 ? FDropDownWidth : control ? FControl->width() : width();
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader.Visible())
            h += FDropDownHeader.Height;
        if (FDropDownFooter.Visible())
            h += FDropDownFooter.Height;
        if (control)
            h += FControl->height();
    }
    FDropDownForm->resize(std::max(w, 1), std::max(h, 1));
}

void TFxCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FControl)
        return;
    if (FControl->parentWidget() != FDropDownForm) {
        const bool shown = shownByItself(FControl);
        FControl->setParent(FDropDownForm);
        if (shown)
            FControl->show();
    }
    FControl->move(FControl->x(), FDropDownHeader.Visible() ? FDropDownHeader.Height + 2 : FDropDownBorderWidth);
    FDropDownForm->SetControlAligned(true);
}

void TFxCustomDropDown::DoShowDropDown()
{
    if (!FDropDownForm || FDropDownForm->isVisible() || !isEnabled() || ReadOnly())
        return;
    BeforeDropDown();
    FDropDownForm->SetShadow(FDropDownShadow);
    FDropDownForm->InitializeAndUpdate();
    UpdateDropDownSize();
    PlaceDropDownControl();
    FDropDownForm->setMinimumSize(80, 50);
    if (FControl && FRelayedControl != FControl) {
        if (FRelayedControl)
            FRelayedControl->removeEventFilter(this);
        FRelayedControl = FControl;
        FControl->installEventFilter(this);
    }
    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept)
        return;
    int w = FDropDownForm->width(), h = FDropDownForm->height();
    // A popup the user sized keeps that size.
    if (FUserDropDownWidth != -1)
        w = FUserDropDownWidth;
    if (FUserDropDownHeight != -1)
        h = FUserDropDownHeight;
    AdjustDropDownHeight(h);
    // Placed by the height it shows with: a popup above the edit ends on the
    // edit's top however its height was snapped, and it stays on the work area
    // of the edit's monitor.
    const QPoint at = mapToGlobal(QPoint(0, 0));
    const TPoint anchor(at.x(), at.y());
    const TRect work = WorkAreaNear(anchor);
    TRect bounds = DropDownBounds(FDropPosition, anchor, height(), TSize(w, h), work);
    if (bounds.Height() < h) {
        // Neither side holds it: it takes the room there is, snapped again.
        h = bounds.Height();
        AdjustDropDownHeight(h);
        bounds = DropDownBounds(FDropPosition, anchor, height(), TSize(w, h), work);
    }
    FDroppedDown = true;
    FDropDownForm->ShowAt(bounds);
    // As shown, the popup's minimum size applied.
    FShownSize = FDropDownForm->size();
    FDropDownForm->Realign();
    FocusDropDownControl();
    // The popup's window may become active only after this returns: a
    // control inside it that was given the focus is its window's focus
    // (focusWidget) until then, not yet the application's.
    QWidget* c = FFocusControl;
    QWidget* given = FDropDownForm->focusWidget();
    const bool controlHasIt = c && given && (given == c || c->isAncestorOf(given));
    if (!controlHasIt && !FDropDownForm->isAncestorOf(QApplication::focusWidget()))
        FDropDownForm->setFocus();
}

void TFxCustomDropDown::FocusDropDownControl()
{
    QWidget* c = FFocusControl;
    if (c && (c->focusPolicy() & Qt::TabFocus) && c->isEnabled() && !c->hasFocus())
        c->setFocus();
}

void TFxCustomDropDown::DoHideDropDown(bool cancel)
{
    if (!FDropDownForm || !FDropDownForm->isVisible())
        return;
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    // Only a size the user gave the popup is kept for the next opening; a
    // popup left at the size it opened with follows its content next time.
    if (FDropDownForm->size() != FShownSize) {
        FUserDropDownWidth = FDropDownForm->width();
        FUserDropDownHeight = FDropDownForm->height();
    }
    {
        // Hiding deactivates the popup on the way: that is no second close.
        const bool was = FHidingForm;
        FHidingForm = true;
        FDropDownForm->hide();
        FHidingForm = was;
    }
    QToolTip::hideText();
    if (cancel)
        SetText(FValue.OldText());
    if (OnDropUp)
        OnDropUp(this, cancel);
}

void TFxCustomDropDown::DropDownHidden()
{
    FDroppedDown = false;
    if (FDestroying || !isVisible() || !isEnabled() || !(focusPolicy() & Qt::TabFocus) || hasFocus())
        return;
    window()->activateWindow();
    setFocus(Qt::PopupFocusReason);
}

void TFxCustomDropDown::HeaderChanged()
{
    if (FDropDownForm && FDroppedDown)
        FDropDownForm->InitializeAndUpdate();
}

void TFxCustomDropDown::FooterChanged() { HeaderChanged(); }

void TFxCustomDropDown::SetDropDownWidth(int value)
{
    if (value == FDropDownWidth)
        return;
    FDropDownWidth = value;
    FUserDropDownWidth = -1;
}

void TFxCustomDropDown::SetDropDownHeight(int value)
{
    if (value == FDropDownHeight)
        return;
    FDropDownHeight = value;
    FUserDropDownHeight = -1;
}

void TFxCustomDropDown::SetDropDownColor(TColor value)
{
    FDropDownColor = value;
    if (FDropDownForm)
        FDropDownForm->update();
}

void TFxCustomDropDown::SetImages(const TImageList* images)
{
    FImages = images;
    update();
}

void TFxCustomDropDown::SetControl(QWidget* control)
{
    if (control == FControl)
        return;
    FControl = control;
    PlaceDropDownControl();
}

// ---- keys and wheel around the popup ----------------------------------------------------

void TFxCustomDropDown::RelayFormKey(QKeyEvent* e)
{
    int key = VirtualKeyFromEvent(*e);
    const TShiftState shift = ShiftStateFromEvent(*e);
    QChar ch = CharCodeFromEvent(*e);
    FRelayShift = shift;
    FormKeyDown(key, shift);
    if (!ch.isNull() && FDropDownForm)
        FormKeyPress(ch);
}

void TFxCustomDropDown::FormKeyDown(int& key, TShiftState shift)
{
    if (key)
        PerformKeyDown(key, shift);
}

void TFxCustomDropDown::FormKeyPress(QChar& key)
{
    if (!key.isNull())
        PerformChar(key, FRelayShift);
}

void TFxCustomDropDown::FormKeyUp(int& key, TShiftState shift)
{
    if (key)
        PerformKeyUp(key, shift);
}

void TFxCustomDropDown::ControlKeyDown(int& key, TShiftState shift)
{
    // A key the edit swallowed stays from the control.
    if (key)
        key = PerformKeyDown(key, shift);
}

void TFxCustomDropDown::ControlKeyUp(int& key, TShiftState shift)
{
    if (key)
        PerformKeyUp(key, shift);
}

void TFxCustomDropDown::ControlKeyPress(QChar& key)
{
    if (!key.isNull())
        PerformChar(key, FRelayShift);
}

void TFxCustomDropDown::FormWheelDown(TShiftState, const QPoint&, bool& handled)
{
    SelectNextItem();
    handled = true;
}

void TFxCustomDropDown::FormWheelUp(TShiftState, const QPoint&, bool& handled)
{
    SelectPrevItem();
    handled = true;
}

bool TFxCustomDropDown::eventFilter(QObject* watched, QEvent* e)
{
    // Compared by address: the label may be on its way out.
    if (watched == FLabelObject) {
        if (e->type() == QEvent::MouseButtonRelease)
            LabelClick();
        else if (e->type() == QEvent::MouseButtonDblClick)
            LabelDblClick();
        return false;
    }
    if (!FControl || watched != FControl.data())
        return false;
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        int key = VirtualKeyFromEvent(*k);
        QChar ch = CharCodeFromEvent(*k);
        FRelayShift = ShiftStateFromEvent(*k);
        ControlKeyDown(key, FRelayShift);
        if (!ch.isNull())
            ControlKeyPress(ch);
        // The control still handles the key unless a relay swallowed it. A
        // swallowed key is accepted: an ignored one would go on to the popup
        // window, which relays it to the edit a second time.
        if (key == 0)
            k->accept();
        return key == 0;
    }
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        int key = VirtualKeyFromEvent(*k);
        ControlKeyUp(key, ShiftStateFromEvent(*k));
        if (key == 0)
            k->accept();
        return key == 0;
    }
    return false;
}

void TFxCustomDropDown::PopupKeys(int key)
{
    if (key == VK_RETURN)
        DoHideDropDown(false);
    else if (key == VK_ESCAPE)
        DoHideDropDown(true);
    else if (key == VK_F4) {
        if (FDropDownForm && FDropDownForm->isVisible())
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TFxCustomDropDown::KeyDown(int& key, TShiftState shift)
{
    if (shift.Contains(ssAlt) && (key == VK_UP || key == VK_DOWN)) {
        // The toggle uses the key up: a control in the popup that ignored it
        // would hand it on to the popup window, which would toggle again.
        key = 0;
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        return;
    }
    if (!FEditorEnabled && isEnabled()) {
        if (!ReadOnly())
            PopupKeys(key);
        if (key != VK_RETURN && key != VK_ESCAPE)
            key = 0;
        return;
    }
    if (shift.Contains(ssCtrl) && (key == VK_TAB || key == VK_RETURN)) {
        DefaultKeyDown(key, shift);
        return;
    }
    const TKeyOutcome out = FValue.FilterKeyDown(key, shift, FReturnIsTab);
    if (out.PostTab && isVisible())
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    if (out.Swallow) {
        key = 0;
        return;
    }
    DefaultKeyDown(key, shift);
    FValue.AfterKeyDown(key);
    PopupKeys(key);
}

QWidget* TFxCustomDropDown::ParentForm() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<TForm*>(w))
            return w;
    return nullptr;
}

bool TFxCustomDropDown::WantsSpecialKey(int key, TShiftState)
{
    auto* form = qobject_cast<TForm*>(ParentForm());
    if (!form)
        return key == VK_ESCAPE && FDroppedDown;
    if (!form->KeyPreview() && key == VK_ESCAPE && FValue.CanUndo()) {
        // Escape first undoes the typing: the value is selected and unmodified.
        FValue.SelectAll();
        SetModified(false);
        return false;
    }
    return key == VK_ESCAPE && FDroppedDown;
}

void TFxCustomDropDown::wheelEvent(QWheelEvent* e)
{
    e->accept();
    if (e->angleDelta().y() < 0)
        SelectNextItem();
    else if (e->angleDelta().y() > 0)
        SelectPrevItem();
}

// ---- mouse, focus and state changes -----------------------------------------------------

void TFxCustomDropDown::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (!FEditorEnabled) {
            TMaskEdit::mousePressEvent(e);
            // A click anywhere on an edit that does not type opens the popup.
            DropButtonClick();
            return;
        }
        const int index = CharIndexAtPoint(e->position().toPoint());
        // A press inside the selection keeps it (for dragging it elsewhere).
        if (SelLength() > 0 && index >= SelStart() && index <= SelEnd() && hasFocus()) {
            FButtonDown = true;
            e->accept();
            return;
        }
    }
    TMaskEdit::mousePressEvent(e);
}

void TFxCustomDropDown::mouseReleaseEvent(QMouseEvent* e)
{
    if (!FEditorEnabled || ReadOnly())
        update();
    if (FButtonDown && e->button() == Qt::LeftButton) {
        const int index = CharIndexAtPoint(e->position().toPoint());
        SetSel(index, index);
        FButtonDown = false;
    }
    TMaskEdit::mouseReleaseEvent(e);
    if (FEditorEnabled && e->button() == Qt::LeftButton)
        FValue.ClampSelectionToValue();
}

void TFxCustomDropDown::focusInEvent(QFocusEvent* e)
{
    TMaskEdit::focusInEvent(e);
    if (!FLoading) {
        if (FEditorEnabled)
            FValue.FocusGained(AutoSelect());
        else
            SetCaretVisible(false);
    }
    SetEditRect();
    update();
    if (FButton)
        FButton->InnerButton()->SetFocused(IsButtonHot());
}

void TFxCustomDropDown::focusOutEvent(QFocusEvent* e)
{
    if (!FLoading)
        FValue.FocusLost();
    TMaskEdit::focusOutEvent(e);
    update();
    if (FButton)
        FButton->InnerButton()->SetFocused(IsButtonHot());
}

void TFxCustomDropDown::enterEvent(QEnterEvent* e)
{
    TMaskEdit::enterEvent(e);
    if (isEnabled() && !FMouseInControl) {
        FMouseInControl = true;
        update();
        if (FButton)
            FButton->InnerButton()->SetFocused(IsButtonHot());
    }
}

void TFxCustomDropDown::leaveEvent(QEvent* e)
{
    TMaskEdit::leaveEvent(e);
    if (isEnabled() && FMouseInControl) {
        FMouseInControl = false;
        update();
        if (FButton)
            FButton->InnerButton()->SetFocused(IsButtonHot());
    }
}

void TFxCustomDropDown::changeEvent(QEvent* e)
{
    TMaskEdit::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FButton)
            FButton->setEnabled(isEnabled());
        if (FLabel && !FLabelAlwaysEnabled)
            FLabel->setEnabled(isEnabled());
        break;
    case QEvent::FontChange:
        SetEditRect();
        if (FLabel && FParentFnt)
            PlaceLabel();
        break;
    default: break;
    }
}

void TFxCustomDropDown::ReadOnlyChanged()
{
    if (FButton)
        FButton->InnerButton()->update();
}

void TFxCustomDropDown::resizeEvent(QResizeEvent* e)
{
    TMaskEdit::resizeEvent(e);
    AdjustLayout();
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::moveEvent(QMoveEvent* e)
{
    TMaskEdit::moveEvent(e);
    if (FLabel)
        PlaceLabel();
}

// ---- layout -----------------------------------------------------------------------------

namespace {

int frameWidth(const QLineEdit& edit, const QStyleOptionFrame& opt)
{
    return edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &edit) : 0;
}

} // namespace

int TFxCustomDropDown::GetMinHeight() const
{
    const int he = QFontMetrics(font()).height();
    const int hs = QFontMetrics(QApplication::font()).height();
    return he + std::min(he, hs) / 4;
}

void TFxCustomDropDown::AdjustLayout()
{
    if (height() < GetMinHeight()) {
        // The resize lays out again.
        resize(width(), GetMinHeight());
        update();
        return;
    }
    if (FButton) {
        QStyleOptionFrame opt;
        initStyleOption(&opt);
        const int f = frameWidth(*this, opt);
        const int bw = FButton->ButtonWidth();
        if (FFlat)
            FButton->SetBounds(width() - bw - f - 1, f + 1, bw, height() - 2 * (f + 1));
        else
            FButton->SetBounds(width() - bw - f, f, bw, height() - 2 * f);
    }
    SetEditRect();
    update();
}

void TFxCustomDropDown::SetEditRect()
{
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int f = frameWidth(*this, opt);
    const int clientWidth = width() - 2 * f, clientHeight = height() - 2 * f;
    FEditRect = TRect(1, 1, clientWidth - (FButton ? FButton->width() : 0) - 3, clientHeight + 1);
    SetTextRect(FEditRect.Offset(f, f));
}

TRect TFxCustomDropDown::EditRectInWidget() const
{
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int f = frameWidth(*this, opt);
    return FEditRect.Offset(f, f);
}

void TFxCustomDropDown::SetDropDownButtonWidth(int value)
{
    if (!FButton || value == FButtonWidth)
        return;
    FButtonWidth = value;
    FButton->SetButtonWidth(value);
    AdjustLayout();
}

const TBitmap* TFxCustomDropDown::DropDownButtonGlyph() const { return FButton ? &FButton->Glyph() : nullptr; }

void TFxCustomDropDown::SetDropDownButtonGlyph(const TBitmap& glyph)
{
    if (FButton)
        FButton->SetGlyph(glyph);
}

void TFxCustomDropDown::SetDropDownButtonHint(const QString& value)
{
    if (value == FButtonHint)
        return;
    FButtonHint = value;
    if (FButton)
        FButton->InnerButton()->setToolTip(value);
}

QString TFxCustomDropDown::ButtonCaption() const { return FButton ? FButton->ButtonCaption() : QString(); }

void TFxCustomDropDown::SetButtonCaption(const QString& value)
{
    if (FButton)
        FButton->SetButtonCaption(value);
}

void TFxCustomDropDown::SetEtched(bool value)
{
    FEtched = value;
    if (FButton)
        FButton->InnerButton()->SetEtched(value);
}

void TFxCustomDropDown::SetFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    if (FButton)
        FButton->InnerButton()->SetFlat(value);
    AdjustLayout();
}

void TFxCustomDropDown::SetEditorEnabled(bool value)
{
    FEditorEnabled = value;
    SetCaretVisible(value);
    update();
}

// ---- label ------------------------------------------------------------------------------

void TFxCustomDropDown::CreateLabel()
{
    FLabel = new QLabel(parentWidget());
    FLabelObject = FLabel;
    connect(FLabel, &QObject::destroyed, this, [this] { FLabelObject = nullptr; });
    FLabel->setBuddy(this);
    FLabel->installEventFilter(this);
    FLabel->setFont(FParentFnt ? font() : FLabelFont.ToQFont());
}

QLabel* TFxCustomDropDown::EditLabel() const { return FLabel; }

QString TFxCustomDropDown::LabelCaption() const { return FLabel ? FLabel->text() : QString(); }

void TFxCustomDropDown::SetLabelCaption(const QString& value)
{
    if (!FLabel)
        CreateLabel();
    FLabel->setText(value);
    PlaceLabel();
}

void TFxCustomDropDown::SetLabelPosition(FxDropDown::TLabelPosition value)
{
    FLabelPosition = value;
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::SetLabelMargin(int value)
{
    FLabelMargin = value;
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::SetLabelTransparent(bool value)
{
    FLabelTransparent = value;
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::SetLabelFont(const TFont& value)
{
    if (!FParentFnt)
        FLabelFont = value;
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::SetParentFont(bool value)
{
    FParentFnt = value;
    if (FLabel)
        PlaceLabel();
}

void TFxCustomDropDown::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    if (FLabel && FLabel->parentWidget())
        PlaceLabel();
}

void TFxCustomDropDown::PlaceLabel()
{
    if (!FLabel || FDestroying)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    FLabel->setFont(FParentFnt ? font() : FLabelFont.ToQFont());
    if (!FParentFnt) {
        QPalette pal = FLabel->palette();
        pal.setColor(QPalette::WindowText, ToQColor(FLabelFont.Color));
        FLabel->setPalette(pal);
    }
    FLabel->adjustSize();
    // The caption as drawn, without the accelerator marker.
    TCanvas canvas;
    canvas.Font() = FLabelFont;
    if (FParentFnt)
        canvas.Font().Name = font().family();
    TRect measure(0, 0, 1000, 255);
    canvas.DrawText(FLabel->text(), measure, DT_CALCRECT | DT_HIDEPREFIX);
    const int w = measure.Width();
    const int L = x(), T = y(), Wd = width(), Ht = height(), M = FLabelMargin;
    const int LH = FLabel->height(), LW = FLabel->width();
    int top = T, left = L;
    using namespace FxDropDown;
    switch (FLabelPosition) {
    case lpLeftTop: top = T; left = L - w - M; break;
    case lpLeftCenter: top = T + (Ht - LH) / 2; left = L - w - M; break;
    case lpLeftBottom: top = T + Ht - LH; left = L - w - M; break;
    case lpTopLeft: top = T - LH - M; left = L; break;
    case lpBottomLeft: top = T + Ht + M; left = L; break;
    case lpLeftTopLeft: top = T; left = L - M; break;
    case lpLeftCenterLeft: top = T + (Ht - LH) / 2; left = L - M; break;
    case lpLeftBottomLeft: top = T + Ht - LH; left = L - M; break;
    case lpTopCenter: top = T - LH - M; left = L + (Wd - LW) / 2; break;
    case lpBottomCenter: top = T + Ht + M; left = L + (Wd - LW) / 2; break;
    case lpRightTop: top = T; left = L + Wd + M; break;
    case lpRightCenter: top = T + (Ht - LH) / 2; left = L + Wd + M; break;
    case lpRighBottom: top = T + Ht - LH; left = L + Wd + M; break;
    case lpTopRight: top = T - LH - M; left = L + Wd - LW; break;
    case lpBottomRight: top = T + Ht + M; left = L + Wd - LW; break;
    }
    FLabel->move(left, top);
    FLabel->setVisible(!isHidden());
}

void TFxCustomDropDown::LabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TFxCustomDropDown::LabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

// ---- painting ---------------------------------------------------------------------------

bool TFxCustomDropDown::IsHot() const { return FMouseInControl || QApplication::focusWidget() == this; }

bool TFxCustomDropDown::IsButtonHot() const { return IsHot(); }

void TFxCustomDropDown::SetBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    update();
    if (FButton)
        FButton->InnerButton()->update();
}

void TFxCustomDropDown::SetDisabledBorder(bool value)
{
    if (value == FDisabledBorder)
        return;
    FDisabledBorder = value;
    update();
}

void TFxCustomDropDown::DrawBorder(TCanvas& canvas)
{
    TRect r(0, 0, width(), height());
    auto frame = [&](const TRect& f, TColor color) {
        canvas.Brush().Color = color;
        canvas.Brush().Style = bsSolid;
        canvas.FrameRect(f);
    };
    const bool focused = hasFocus();
    if (!isEnabled() && FIsThemed && FDisabledBorder) {
        frame(r, 0xC0C0C0);
    } else if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone)) {
        frame(r, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (focused)
            frame(r, FFocusBorderColor);
    } else if (IsHot()) {
        canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(r, clBtnFace);
    } else {
        const TColor parentColor = parentWidget() ? FromQColor(parentWidget()->palette().color(QPalette::Window))
                                                  : TColor(clBtnFace);
        frame(r, parentColor);
        frame(r.Inflated(-1, -1), parentColor);
    }
}

void TFxCustomDropDown::DrawSelectedText(TCanvas& canvas)
{
    if (FEditorEnabled || !hasFocus() || !FFocusDraw)
        return;
    TRect r(2, 2, width() - FButtonWidth - 1, height() - 2);
    canvas.Brush().Color = clHighlight;
    canvas.Brush().Style = bsSolid;
    canvas.Pen().Color = clBlack;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    canvas.Rectangle(r);
    r.Left += 2;
    r.Right -= 3;
    canvas.Font() = TFont();
    canvas.Font().Name = font().family();
    canvas.Font().SetHeight(-QFontInfo(font()).pixelSize());
    canvas.Font().Color = clHighlightText;
    canvas.Brush().Style = bsClear;
    canvas.SetBkMode(bkTransparent);
    canvas.DrawText(Text(), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void TFxCustomDropDown::paintEvent(QPaintEvent* e)
{
    TMaskEdit::paintEvent(e);
    QPainter painter(this);
    TCanvas canvas(&painter);
    DrawSelectedText(canvas);
    if (FFlat || FBorderColor != clNone || FFocusBorderColor != clNone || (!isEnabled() && FDisabledBorder))
        DrawBorder(canvas);
}

QString TFxCustomDropDown::Version() const
{
    const std::uint32_t v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}
