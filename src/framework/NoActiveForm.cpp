#include "framework/NoActiveForm.h"

#include "framework/NoActivate.h"

#include <QPainter>

namespace fw {

TNoActiveForm::TNoActiveForm(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    new TNoActivate(this);
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

void TNoActiveForm::paintEvent(QPaintEvent*)
{
    if (FPicture.isNull())
        return;
    QPainter p(this);
    p.drawImage(rect(), FPicture);
}

} // namespace fw
