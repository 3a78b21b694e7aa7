#include "framework/LayeredWindow.h"

#include "framework/NoActivate.h"

#include <QPainter>

namespace fw {

TLayeredWindow::TLayeredWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    new TNoActivate(this);
}

void TLayeredWindow::UpdateLayered(const QImage& pixels, std::uint8_t constantAlpha)
{
    FConstantAlpha = constantAlpha;
    FContent = ScaleAlpha(pixels, constantAlpha);
    if (!FContent.isNull())
        resize(FContent.size());
    update();
}

void TLayeredWindow::SetWindowRegion(const TRegion& region)
{
    if (region.IsEmpty())
        clearMask();
    else
        setMask(region.ToQRegion());
}

void TLayeredWindow::ShowNoActivate()
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
}

void TLayeredWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    if (!FContent.isNull())
        p.drawImage(0, 0, FContent);
}

QImage ScaleAlpha(const QImage& pixels, std::uint8_t alpha)
{
    if (pixels.isNull())
        return {};
    QImage out = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (alpha == 255)
        return out;
    // Premultiplied pixels scale as a whole: colour and alpha alike.
    const auto scale = [alpha](int v) { return (v * alpha * 2 + 255) / 510; };
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            line[x] = qRgba(scale(qRed(px)), scale(qGreen(px)), scale(qBlue(px)), scale(qAlpha(px)));
        }
    }
    return out;
}

} // namespace fw
