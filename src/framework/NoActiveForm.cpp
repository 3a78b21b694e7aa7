#include "framework/NoActiveForm.h"

#include <QApplication>
#include <QPainter>

namespace fw {

TNoActiveForm::TNoActiveForm(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TNoActiveForm::SetPicture(const QImage& picture)
{
    FPicture = picture;
    resize(picture.size());
    update();
}

void TNoActiveForm::SetAlphaBlend(bool value)
{
    FAlphaBlend = value;
    ApplyOpacity();
}

void TNoActiveForm::SetAlphaBlendValue(std::uint8_t value)
{
    FAlphaBlendValue = value;
    ApplyOpacity();
}

void TNoActiveForm::ApplyOpacity()
{
    setWindowOpacity(FAlphaBlend ? FAlphaBlendValue / 255.0 : 1.0);
}

void TNoActiveForm::showEvent(QShowEvent* event)
{
    QWidget* active = QApplication::activeWindow();
    if (active != this)
        FActiveBefore = active ? active : (parentWidget() ? parentWidget()->window() : nullptr);
    QWidget::showEvent(event);
}

bool TNoActiveForm::event(QEvent* event)
{
    // The hints above ask the window system not to activate this window;
    // one that does so anyway (on showing or on a click) is overruled, so
    // the user's window keeps its keys and its focus.
    if (event->type() == QEvent::WindowActivate && FActiveBefore && FActiveBefore->isVisible())
        FActiveBefore->activateWindow();
    return QWidget::event(event);
}

void TNoActiveForm::paintEvent(QPaintEvent*)
{
    if (FPicture.isNull())
        return;
    QPainter p(this);
    p.drawImage(rect(), FPicture);
}

} // namespace fw
