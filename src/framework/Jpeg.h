#pragma once
// JPEG pictures through libjpeg. A broken or truncated file is reported as a
// failure, never a crash; images beyond a sane size are refused before decoding.
#include "framework/Graphics.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

namespace fw {

// Largest accepted image: each side and the total pixel count.
constexpr int JpegMaxSide = 16384;
constexpr long long JpegMaxPixels = 64LL * 1024 * 1024;

// Whether a picture of w x h pixels stays within those limits; the decoders
// refuse bigger ones before allocating any pixels.
constexpr bool PictureSizeAcceptable(long long w, long long h)
{
    return w <= JpegMaxSide && h <= JpegMaxSide && w * h <= JpegMaxPixels;
}

// Decodes a JPEG image into an RGB32 image; on failure returns false and sets
// `error` (when given) to the decoder's message.
bool JpegDecode(const QByteArray& bytes, QImage& image, QString* error = nullptr);
// Encodes `image` with quality 1..100 (baseline, 4:2:0 as libjpeg chooses);
// grayscale writes one component.
bool JpegEncode(const QImage& image, QByteArray& bytes, int quality = 90, bool grayscale = false,
                QString* error = nullptr);

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& canvas, const TRect& dest) const override;
    bool LoadFromStream(const QByteArray& bytes) override;
    bool SaveToStream(QByteArray& bytes) const override;
    QImage ToImage() const override;
    std::unique_ptr<TGraphic> Clone() const override;

    void Assign(const TGraphic& source);
    int CompressionQuality() const;
    void SetCompressionQuality(int quality);   // kept within 1..100
    bool Grayscale() const;
    void SetGrayscale(bool value);
    // Message of the last failed load or save; empty after success.
    QString LastError() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fw
