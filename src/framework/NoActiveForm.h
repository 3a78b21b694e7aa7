#pragma once
// A borderless window that never takes activation or the focus and floats
// above the program's windows: drag images and similar pictures that follow
// the mouse. It can show one picture over its whole client area and be
// blended with what lies below it.
#include <QImage>
#include <QWidget>

#include <cstdint>

namespace fw {

class TNoActiveForm : public QWidget {
public:
    explicit TNoActiveForm(QWidget* owner = nullptr);

    // The picture fills the client area; the window takes its size.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return FPicture; }
    // 255 opaque; applied only while AlphaBlend is on.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool value);
    std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(std::uint8_t value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyOpacity();

    QImage FPicture;
    bool FAlphaBlend = false;
    std::uint8_t FAlphaBlendValue = 255;
};

} // namespace fw
