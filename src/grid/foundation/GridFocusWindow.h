#pragma once
// The soft glowing frame the grid can lay around its focused cell: the frame
// window itself, the 32-bit alpha bitmap that turns a grey mask and a colour
// bitmap into its premultiplied pixels, the rounded frame mask with its blur,
// and the setting that switches the feature on.
#include "framework/Graphics.h"
#include "framework/LayeredWindow.h"
#include "framework/SysUtils.h"
#include "framework/Types.h"

#include <array>
#include <cstdint>

// The translucent top-level window the frame is shown in; it never takes the
// focus and floats above the grid. Created 0 x 0.
class TGridFocusWindow : public fw::TLayeredWindow {
    Q_OBJECT
public:
    explicit TGridFocusWindow(QWidget* owner = nullptr);
    fw::TColor Color() const { return FColor; }

private:
    fw::TColor FColor = 0x0000FF;
};

// A 32-bit bitmap whose pixels carry alpha, the colours premultiplied by it.
class TGridAlphaMask : public fw::TBitmap {
public:
    TGridAlphaMask();

    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t value) { FOpacity = value; }

    // From another mask: its Opacity, then its pixels as far as they fit into
    // this mask's size (the rest stays). From any other graphic: the plain
    // bitmap copy. Either way the result is 32-bit.
    void Assign(const fw::TGraphic& source);
    void Assign(const fw::TBitmap& source) { Assign(static_cast<const fw::TGraphic&>(source)); }

    // Takes `bitmap`'s size; every pixel gets alpha = the red byte of `mask`'s
    // pixel there (0 where the mask is smaller) and `bitmap`'s colour times
    // alpha / 255, rounded. Nothing happens unless `bitmap` is 24-bit. `color`
    // has no effect.
    void MergeMask(const fw::TBitmap& mask, const fw::TBitmap& bitmap, fw::TColor color);

private:
    std::uint8_t FOpacity = 255;
};

// Whether the grid shows the focus frame.
class TFocusHelper {
public:
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    void Assign(const TFocusHelper& source) { FEnabled = source.FEnabled; }

private:
    bool FEnabled = false;
};

// A 24-bit W x H black bitmap with a white rounded rectangle (an outline of
// penWidth, or filled below 1) inset by penWidth / 2 + 2, blurred when blurRadius > 0.
void BuildRoundRectMask(fw::TBitmap& bitmap, int width, int height, int penWidth, int cornerSize, double blurRadius);

// Gaussian weights for the offsets -10 .. 10 (index offset + 10); the blur
// uses -Size .. Size.
struct TBlurKernel {
    int Size = 10;
    std::array<float, 21> Weights{};
    float Weight(int offset) const { return Weights[std::size_t(offset + 10)]; }
};

TBlurKernel BuildBlurKernel(double radius, int maxData = 255, int granularity = 1);

struct TBlurPixel {   // the byte order of a 24-bit bitmap row
    std::uint8_t B = 0;
    std::uint8_t G = 0;
    std::uint8_t R = 0;
    friend bool operator==(const TBlurPixel&, const TBlurPixel&) = default;
};

// Blurs n pixels in place; every position reads the unblurred neighbours,
// the ends repeated beyond the line.
void BlurLine(TBlurPixel* line, int n, const TBlurKernel& kernel);
int ClampIndex(int lower, int upper, int value);
int ClampChannel(int lower, int upper, float x);

// Blurs a 24-bit frame mask: rows, then columns. Rows and columns more than 20
// pixels inside the edges copy row or column 15, which is right only for masks
// whose interior is uniform, as a frame's is. Raises EFxFocusError "Blur only
// works for 24-bit bitmaps" for another pixel format.
void BlurBitmap24(fw::TBitmap& bitmap, double radius);

class EFxFocusError : public fw::Exception {
public:
    using fw::Exception::Exception;
};
