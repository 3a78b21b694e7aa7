#include "framework/Jpeg.h"

#include "framework/Canvas.h"

#include <QColor>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace fw {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the routine that started the work, which then cleans up.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr info)
{
    auto* mgr = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, mgr->message);
    std::longjmp(mgr->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr, int)
{
    // Warnings (corrupt data that the decoder recovers from) stay quiet.
}

// Clears mgr and points its fatal errors and warnings at the handlers above;
// the result goes into the work's err field.
jpeg_error_mgr* useErrorManager(ErrorManager& mgr)
{
    std::memset(&mgr, 0, sizeof mgr);
    jpeg_error_mgr* err = jpeg_std_error(&mgr.pub);
    mgr.pub.error_exit = onJpegError;
    mgr.pub.emit_message = onJpegMessage;
    return err;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

// Everything the longjmp may skip is kept in plain storage declared before the
// setjmp, so no destructor is bypassed.
bool JpegDecode(const QByteArray& bytes, QImage& image, QString* error)
{
    image = QImage();
    if (bytes.size() < 4) {
        setError(error, QStringLiteral("Not a JPEG file"));
        return false;
    }
    jpeg_decompress_struct info;
    ErrorManager mgr;
    std::memset(&info, 0, sizeof info);
    info.err = useErrorManager(mgr);
    QImage* volatile result = nullptr;
    unsigned char* volatile rowBuffer = nullptr;

    if (setjmp(mgr.jump)) {
        jpeg_destroy_decompress(&info);
        delete result;
        delete[] rowBuffer;
        setError(error, QString::fromLatin1(mgr.message));
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0
        || !PictureSizeAcceptable(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        setError(error, QStringLiteral("Image too large"));
        return false;
    }
    // Only conversions every libjpeg build offers: grey stays grey, CMYK and
    // YCCK come out as CMYK, everything else as RGB.
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: info.out_color_space = JCS_CMYK; break;
    default: info.out_color_space = JCS_RGB; break;
    }
    jpeg_start_decompress(&info);
    const int w = int(info.output_width);
    const int h = int(info.output_height);
    const int comps = info.output_components;
    result = new QImage(w, h, QImage::Format_RGB32);
    if (result->isNull()) {
        jpeg_destroy_decompress(&info);
        delete result;
        setError(error, QStringLiteral("Out of memory"));
        return false;
    }
    rowBuffer = new unsigned char[std::size_t(w) * std::size_t(comps)];
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {rowBuffer};
        const int y = int(info.output_scanline);
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            break;
        auto* line = reinterpret_cast<QRgb*>(result->scanLine(y));
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = rowBuffer + std::size_t(x) * std::size_t(comps);
            if (comps >= 4) {
                // Adobe writes inverted CMYK.
                const int k = p[3];
                line[x] = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
            } else if (comps == 3) {
                line[x] = qRgb(p[0], p[1], p[2]);
            } else {
                line[x] = qRgb(p[0], p[0], p[0]);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    delete[] rowBuffer;
    image = *result;
    delete result;
    setError(error, {});
    return true;
}

bool JpegEncode(const QImage& source, QByteArray& bytes, int quality, bool grayscale, QString* error)
{
    bytes.clear();
    if (source.isNull()) {
        setError(error, QStringLiteral("Empty image"));
        return false;
    }
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct info;
    ErrorManager mgr;
    std::memset(&info, 0, sizeof info);
    info.err = useErrorManager(mgr);
    // libjpeg keeps (and may move) its output buffer through this address.
    struct {
        unsigned char* data = nullptr;
        unsigned long size = 0;
    } dest;
    unsigned char* volatile rowBuffer = nullptr;

    if (setjmp(mgr.jump)) {
        jpeg_destroy_compress(&info);
        std::free(dest.data);
        delete[] rowBuffer;
        setError(error, QString::fromLatin1(mgr.message));
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &dest.data, &dest.size);
    info.image_width = JDIMENSION(img.width());
    info.image_height = JDIMENSION(img.height());
    info.input_components = grayscale ? 1 : 3;
    info.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    rowBuffer = new unsigned char[std::size_t(img.width()) * std::size_t(info.input_components)];
    unsigned char* row = rowBuffer;
    while (info.next_scanline < info.image_height) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(int(info.next_scanline)));
        for (int x = 0; x < img.width(); ++x) {
            if (grayscale) {
                row[std::size_t(x)] = static_cast<unsigned char>(qGray(line[x]));
            } else {
                row[std::size_t(x) * 3] = static_cast<unsigned char>(qRed(line[x]));
                row[std::size_t(x) * 3 + 1] = static_cast<unsigned char>(qGreen(line[x]));
                row[std::size_t(x) * 3 + 2] = static_cast<unsigned char>(qBlue(line[x]));
            }
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    bytes = QByteArray(reinterpret_cast<const char*>(dest.data), qsizetype(dest.size));
    jpeg_destroy_compress(&info);
    std::free(dest.data);
    delete[] rowBuffer;
    setError(error, {});
    return true;
}

// ---------------------------------------------------------------- TJPEGImage

struct TJPEGImage::Impl {
    QImage image;
    int quality = 90;
    bool grayscale = false;
    QString lastError;
};

TJPEGImage::TJPEGImage() : d(std::make_unique<Impl>()) {}
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return d->image.width(); }
int TJPEGImage::Height() const { return d->image.height(); }

void TJPEGImage::Draw(TCanvas& canvas, const TRect& dest) const
{
    if (!Empty())
        canvas.DrawImage(dest, d->image, Rect(0, 0, Width(), Height()));
}

bool TJPEGImage::LoadFromStream(const QByteArray& bytes)
{
    QImage image;
    QString err;
    const bool ok = JpegDecode(bytes, image, &err);
    d->image = ok ? image : QImage();
    d->lastError = err;
    return ok;
}

bool TJPEGImage::SaveToStream(QByteArray& bytes) const
{
    QString err;
    const bool ok = JpegEncode(d->image, bytes, d->quality, d->grayscale, &err);
    d->lastError = err;
    return ok;
}

QImage TJPEGImage::ToImage() const { return d->image; }

std::unique_ptr<TGraphic> TJPEGImage::Clone() const
{
    auto copy = std::make_unique<TJPEGImage>();
    *copy->d = *d;
    copy->SetTransparent(Transparent());
    return copy;
}

void TJPEGImage::Assign(const TGraphic& source)
{
    if (&source == this)
        return;
    d->image = source.ToImage().convertToFormat(QImage::Format_RGB32);
}

int TJPEGImage::CompressionQuality() const { return d->quality; }
void TJPEGImage::SetCompressionQuality(int quality) { d->quality = std::clamp(quality, 1, 100); }
bool TJPEGImage::Grayscale() const { return d->grayscale; }
void TJPEGImage::SetGrayscale(bool value) { d->grayscale = value; }
QString TJPEGImage::LastError() const { return d->lastError; }

} // namespace fw
