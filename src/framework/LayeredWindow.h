#pragma once
// A top-level window laid over the program's other windows with per-pixel
// translucency, as glows and drop markers need: it never takes the focus or
// activation, has no task-bar entry, stays above the other windows and lets the
// mouse through to whatever lies below it.
#include "framework/Canvas.h"
#include "framework/Types.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace fw {

class TLayeredWindow : public QWidget {
    Q_OBJECT
public:
    explicit TLayeredWindow(QWidget* owner = nullptr);

    // Makes `pixels` (alpha premultiplied into the colours) the window's whole
    // content, sized to it, with every pixel's alpha further scaled by
    // constantAlpha / 255. Nothing but these pixels is drawn.
    void UpdateLayered(const QImage& pixels, std::uint8_t constantAlpha);
    // The content as shown: premultiplied ARGB, constant alpha applied.
    const QImage& Content() const { return FContent; }
    std::uint8_t ConstantAlpha() const { return FConstantAlpha; }

    // Pixels outside the region are neither drawn nor hit; an empty region
    // removes the limit.
    void SetWindowRegion(const TRegion& region);

    // Shows the window where it is without activating it.
    void ShowNoActivate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FContent;
    std::uint8_t FConstantAlpha = 255;
};

// The premultiplied pixels of `pixels` with every pixel (colour and alpha)
// scaled by alpha / 255, rounded to nearest.
QImage ScaleAlpha(const QImage& pixels, std::uint8_t alpha);

} // namespace fw
