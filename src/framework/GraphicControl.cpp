#include "framework/GraphicControl.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace fw {

TGraphicControl::TGraphicControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void TGraphicControl::Paint(TCanvas&) {}
void TGraphicControl::MouseDown(TMouseButton, TShiftState, int, int) {}
void TGraphicControl::MouseMove(TShiftState, int, int) {}
void TGraphicControl::MouseUp(TMouseButton, TShiftState, int, int) {}
void TGraphicControl::DblClick() {}
void TGraphicControl::MouseEnter() {}
void TGraphicControl::MouseLeave() {}

void TGraphicControl::paintEvent(QPaintEvent*)
{
    RunGuarded([&] {
        TCanvas canvas(this);
        Paint(canvas);
    });
}

namespace {

int xOf(const QMouseEvent& e) { return int(e.position().x()); }
int yOf(const QMouseEvent& e) { return int(e.position().y()); }

} // namespace

void TGraphicControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    RunGuarded([&] { MouseDown(MouseButtonFromQt(event->button()), ShiftStateFromEvent(*event), xOf(*event), yOf(*event)); });
}

void TGraphicControl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    RunGuarded([&] { MouseMove(ShiftStateFromEvent(*event), xOf(*event), yOf(*event)); });
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    RunGuarded([&] { MouseUp(MouseButtonFromQt(event->button()), ShiftStateFromEvent(*event), xOf(*event), yOf(*event)); });
}

void TGraphicControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    RunGuarded([&] {
        MouseDown(MouseButtonFromQt(event->button()), ShiftStateFromEvent(*event), xOf(*event), yOf(*event));
        DblClick();
    });
}

void TGraphicControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    RunGuarded([&] { MouseEnter(); });
}

void TGraphicControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    RunGuarded([&] { MouseLeave(); });
}

} // namespace fw
