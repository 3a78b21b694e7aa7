#include "grid/foundation/GridFocusWindow.h"

#include "framework/Canvas.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using fw::TBitmap;

TGridFocusWindow::TGridFocusWindow(QWidget* owner) : fw::TLayeredWindow(owner)
{
    // A frame takes no input of its own: clicks belong to the grid below.
    setEnabled(false);
    resize(0, 0);
}

// ---- alpha mask ----------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(fw::pf32bit); }

void TGridAlphaMask::Assign(const fw::TGraphic& source)
{
    if (const auto* mask = dynamic_cast<const TGridAlphaMask*>(&source)) {
        if (mask == this)
            return;
        FOpacity = mask->FOpacity;
        // Only what fits: a smaller source leaves the rest of this mask as it was.
        const int rows = std::min(Height(), mask->Height());
        const std::size_t bytes = std::size_t(std::min(Width(), mask->Width())) * 4;
        for (int y = 0; y < rows; ++y)
            std::memcpy(ScanLine(y), mask->ScanLine(y), bytes);
        return;
    }
    TBitmap::Assign(source);
    SetPixelFormat(fw::pf32bit);
}

void TGridAlphaMask::MergeMask(const TBitmap& mask, const TBitmap& bitmap, fw::TColor)
{
    if (bitmap.PixelFormat() != fw::pf24bit)
        return;
    const int w = bitmap.Width(), h = bitmap.Height();
    SetSize(w, h);
    const QImage maskImage = mask.ToImage();
    const auto premultiply = [](int channel, int alpha) { return (channel * alpha * 2 + 255) / 510; };
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = bitmap.ScanLine(y);
        auto* dest = reinterpret_cast<QRgb*>(ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = x < maskImage.width() && y < maskImage.height() ? qRed(maskImage.pixel(x, y)) : 0;
            const std::uint8_t* px = src + 3 * x;   // blue, green, red
            dest[x] = qRgba(premultiply(px[2], a), premultiply(px[1], a), premultiply(px[0], a), a);
        }
    }
}

// ---- frame mask and blur -------------------------------------------------------------------

void BuildRoundRectMask(TBitmap& bitmap, int width, int height, int penWidth, int cornerSize, double blurRadius)
{
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(width, height);
    fw::TCanvas& c = bitmap.Canvas();
    c.Brush().Style = fw::bsSolid;
    c.Brush().Color = fw::clBlack;
    c.FillRect(fw::TRect(0, 0, width, height));
    c.Pen().Style = fw::psSolid;
    c.Pen().Color = fw::clWhite;
    if (penWidth < 1) {
        c.Pen().Width = 1;
        c.Brush().Color = fw::clWhite;
    } else {
        c.Pen().Width = penWidth;
    }
    const int inset = penWidth / 2 + 2;
    c.RoundRect(inset, inset, width - inset, height - inset, cornerSize, cornerSize);
    c.Pen().Width = 1;
    c.Release();
    if (blurRadius > 0)
        BlurBitmap24(bitmap, blurRadius);
}

TBlurKernel BuildBlurKernel(double radius, int maxData, int granularity)
{
    TBlurKernel k;
    std::array<double, 21> w{};
    double sum = 0;
    for (int j = -10; j <= 10; ++j) {
        const double x = j / radius;
        w[std::size_t(j + 10)] = std::exp(-x * x / 2);
        sum += w[std::size_t(j + 10)];
    }
    for (double& v : w)
        v /= sum;
    // Drop the outer offsets whose weights together stay below what one step
    // of the data could show.
    int size = 10;
    double tail = 0;
    while (tail < double(granularity) / (2.0 * maxData) && size > 1) {
        tail += 2 * w[std::size_t(size + 10)];
        --size;
    }
    sum = 0;
    for (int j = -size; j <= size; ++j)
        sum += w[std::size_t(j + 10)];
    k.Size = size;
    for (int j = -size; j <= size; ++j)
        k.Weights[std::size_t(j + 10)] = float(w[std::size_t(j + 10)] / sum);
    return k;
}

int ClampIndex(int lower, int upper, int value)
{
    if (value > upper)
        return upper;
    if (value < lower)
        return lower;
    return value;
}

int ClampChannel(int lower, int upper, float x)
{
    if (x < float(lower))
        return lower;
    if (x >= float(upper))
        return upper;
    return int(x);
}

static_assert(sizeof(TBlurPixel) == 3, "a row of a 24-bit bitmap is read as TBlurPixel");

void BlurLine(TBlurPixel* line, int n, const TBlurKernel& kernel)
{
    std::vector<TBlurPixel> work(std::size_t(std::max(n, 0)));
    for (int j = 0; j < n; ++j) {
        double b = 0, g = 0, r = 0;
        for (int m = -kernel.Size; m <= kernel.Size; ++m) {
            const TBlurPixel& p = line[ClampIndex(0, n - 1, j - m)];
            const double w = kernel.Weight(m);
            b += w * p.B;
            g += w * p.G;
            r += w * p.R;
        }
        // The weights sum to one only within float precision; a uniform area
        // must keep its value, so the sums are rounded to float first.
        work[std::size_t(j)] = {std::uint8_t(ClampChannel(0, 255, float(b))), std::uint8_t(ClampChannel(0, 255, float(g))),
                                std::uint8_t(ClampChannel(0, 255, float(r)))};
    }
    std::copy(work.begin(), work.end(), line);
}

void BlurBitmap24(TBitmap& bitmap, double radius)
{
    if (bitmap.PixelFormat() != fw::pf24bit)
        throw EFxFocusError(QStringLiteral("Blur only works for 24-bit bitmaps"));
    const TBlurKernel kernel = BuildBlurKernel(radius, 255, 1);
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w == 0 || h == 0)
        return;
    std::vector<TBlurPixel*> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[std::size_t(y)] = reinterpret_cast<TBlurPixel*>(bitmap.ScanLine(y));

    // Rows well inside a frame mask are all alike: they copy row 15.
    for (int y = 0; y < h; ++y) {
        if (y > 20 && y < h - 20)
            std::copy(rows[15], rows[15] + w, rows[std::size_t(y)]);
        else
            BlurLine(rows[std::size_t(y)], w, kernel);
    }
    std::vector<TBlurPixel> column(static_cast<std::size_t>(h));
    for (int x = 0; x < w; ++x) {
        if (x > 20 && x < w - 20) {
            for (int y = 0; y < h; ++y)
                rows[std::size_t(y)][x] = rows[std::size_t(y)][15];
            continue;
        }
        for (int y = 0; y < h; ++y)
            column[std::size_t(y)] = rows[std::size_t(y)][x];
        BlurLine(column.data(), h, kernel);
        for (int y = 0; y < h; ++y)
            rows[std::size_t(y)][x] = column[std::size_t(y)];
    }
}
