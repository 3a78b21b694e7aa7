#include "controls/dropdown/FxDropDownForm.h"

#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxDropDownBars.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "grid/foundation/FxUtilDraw.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

using namespace fw;

TDropDownForm::TDropDownForm(TFxCustomDropDown* dropDown) : TPopupWindow(dropDown), FFxDropDown(dropDown)
{
    // Keys reach the popup itself when no control inside it has the focus.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetShadow(true);
    OnDeactivate = [this](QWidget* activated) { Deactivated(activated); };
    OnHide = [this] {
        if (FFxDropDown)
            FFxDropDown->DropDownHidden();
    };
    OnSizing = [this] {
        if (FFxDropDown)
            FFxDropDown->DropDownResizing();
    };
}

TDropDownForm::~TDropDownForm()
{
    OnHide = nullptr;
    if (FFxDropDown)
        FFxDropDown->DropDownFormDestroyed();
}

TFxHeader* TDropDownForm::Header() const { return FHeader; }

TFxFooter* TDropDownForm::Footer() const { return FFooter; }

void TDropDownForm::Deactivated(QWidget*)
{
    if (FBlockActivate || (FFxDropDown && FFxDropDown->FHidingForm))
        return;
    FDeActivate = TickCount();
    if (FFxDropDown)
        FFxDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        hide();
}

void TDropDownForm::InitializeAndUpdate()
{
    TFxCustomDropDown* dd = FFxDropDown;
    if (!dd)
        return;
    // A strip, once created, stays; its appearance only hides it.
    if (FHeader) {
        FHeader->SetFxDropDown(dd);
        FHeader->InitButtons();
        FHeader->setVisible(dd->DropDownHeader().Visible());
    } else if (dd->DropDownHeader().Visible()) {
        FHeader = new TFxHeader(this);
        FHeader->resize(width(), dd->DropDownHeader().Height);
        FHeader->SetFxDropDown(dd);
        FHeader->InitButtons();
        FHeader->show();
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = dd->OnDrawHeader;
        FHeader->OnGetText = dd->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->SetFxDropDown(dd);
        FFooter->InitButtons();
        FFooter->setVisible(dd->DropDownFooter().Visible());
    } else if (dd->DropDownFooter().Visible()) {
        FFooter = new TFxFooter(this);
        FFooter->resize(width(), dd->DropDownFooter().Height);
        FFooter->SetFxDropDown(dd);
        FFooter->InitButtons();
        FFooter->show();
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = dd->OnDrawFooter;
        FFooter->OnGetText = dd->OnGetFooterText;
    }
    Realign();
}

TRect TDropDownForm::ClientArea() const
{
    const int b = FFxDropDown ? std::max(FFxDropDown->DropDownBorderWidth(), 0) : 0;
    return TRect(0, 0, width(), height()).Inflated(-b, -b);
}

void TDropDownForm::SetControlAligned(bool value)
{
    FControlAligned = value;
    if (value)
        Realign();
}

void TDropDownForm::Realign()
{
    TRect area = ClientArea();
    if (FHeader && !FHeader->isHidden()) {
        FHeader->setGeometry(area.Left, area.Top, std::max(area.Width(), 0), FHeader->height());
        area.Top += FHeader->height();
    }
    if (FFooter && !FFooter->isHidden()) {
        FFooter->setGeometry(area.Left, area.Bottom - FFooter->height(), std::max(area.Width(), 0), FFooter->height());
        area.Bottom -= FFooter->height();
    }
    // A hidden popup keeps its old size: the content keeps the size it has
    // until the popup opens, so that the popup can be sized from it.
    QWidget* control = FFxDropDown ? FFxDropDown->Control() : nullptr;
    if (FControlAligned && isVisible() && control && control->parentWidget() == this)
        control->setGeometry(area.Left, area.Top, std::max(area.Width(), 0), std::max(area.Height(), 0));
}

void TDropDownForm::DrawBackground(TCanvas& canvas)
{
    TFxCustomDropDown* dd = FFxDropDown;
    if (!dd)
        return;
    const int b = dd->DropDownBorderWidth();
    const TRect r = TRect(0, 0, width(), height()).Inflated(-b, -b);
    if (dd->DropDownColor() != clNone && dd->DropDownColorTo() != clNone) {
        DrawStepGradient(canvas, dd->DropDownColor(), dd->DropDownColorTo(), 80, r,
                         dd->DropDownGradient() == gdHorizontal);
    } else if (dd->DropDownColor() != clNone) {
        canvas.Brush().Color = dd->DropDownColor();
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(r);
    }
    if (b > 0) {
        canvas.Pen().Width = b;
        canvas.Pen().Color = dd->DropDownBorderColor();
        canvas.Pen().Style = psSolid;
        canvas.Brush().Style = bsClear;
        canvas.Rectangle(b / 2, b / 2, width(), height());
        canvas.Pen().Width = 1;
    }
}

void TDropDownForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    DrawBackground(canvas);
}

void TDropDownForm::resizeEvent(QResizeEvent* e)
{
    TPopupWindow::resizeEvent(e);
    Realign();
    update();
}

void TDropDownForm::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    TFxCustomDropDown* dd = FFxDropDown;
    if (!dd)
        return;
    // A key the inner control let pass was already handed on by its relay.
    QWidget* focus = QApplication::focusWidget();
    QWidget* control = dd->Control();
    if (control && focus && (focus == control || control->isAncestorOf(focus)))
        return;
    dd->RelayFormKey(e);
}

void TDropDownForm::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    TFxCustomDropDown* dd = FFxDropDown;
    if (!dd)
        return;
    int key = VirtualKeyFromEvent(*e);
    dd->FormKeyUp(key, ShiftStateFromEvent(*e));
}

void TDropDownForm::wheelEvent(QWheelEvent* e)
{
    e->accept();
    TFxCustomDropDown* dd = FFxDropDown;
    if (!dd || e->angleDelta().y() == 0)
        return;
    bool handled = false;
    const TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
    if (e->angleDelta().y() < 0)
        dd->FormWheelDown(shift, e->position().toPoint(), handled);
    else
        dd->FormWheelUp(shift, e->position().toPoint(), handled);
}
