#include "framework/Graphics.h"

#include "framework/AtomicFile.h"
#include "framework/Canvas.h"
#include "framework/Jpeg.h"
#include "framework/SysColors.h"
#include "framework/TextFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <vector>

namespace fw {

namespace {

const QString kSans = QStringLiteral("DejaVu Sans");
const QString kMono = QStringLiteral("DejaVu Sans Mono");
const QString kSerif = QStringLiteral("DejaVu Serif");

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = (long long)a * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const long long r = p >= 0 ? (p + half) / c : (p - half) / c;
    return int(r);
}

QImage decodeWithQt(const QByteArray& bytes, const char* format = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, format);
    // An unknown size (invalid) is left to the reader.
    const QSize size = reader.size();
    if (size.isValid() && !PictureSizeAcceptable(size.width(), size.height()))
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QByteArray encodeWithQt(const QImage& image, const char* format)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return {};
    return out;
}

// Opaque pictures are kept as RGB32 (what GDI bitmaps are), others with alpha.
QImage normalised(const QImage& image)
{
    if (image.isNull())
        return {};
    if (image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// ---------------------------------------------------------------- font

namespace {

// Debian installs the fonts-wine faces beside the Windows layer, outside the
// folders the system's font lookup searches.
const char* const kTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

struct TFontFaces {
    std::atomic<bool> ready{false};
    std::mutex lock;
    QString tahoma = kSans;    // the face "Tahoma" draws with
    QString verdana = kSans;   // the face "Verdana" draws with
};

TFontFaces& fontFaces()
{
    static TFontFaces faces;
    return faces;
}

} // namespace

void InstallFontFaces()
{
    TFontFaces& f = fontFaces();
    if (f.ready.load(std::memory_order_acquire))
        return;
    // Registering faces needs the application's font database.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    const std::lock_guard<std::mutex> guard(f.lock);
    if (f.ready.load(std::memory_order_relaxed))
        return;
    const QString tahoma = QStringLiteral("Tahoma");
    if (!QFontDatabase::hasFamily(tahoma))
        for (const char* file : kTahomaFiles)
            if (QFileInfo::exists(QLatin1String(file)))
                QFontDatabase::addApplicationFont(QLatin1String(file));
    if (QFontDatabase::hasFamily(tahoma))
        f.tahoma = tahoma;
    const QString verdana = QStringLiteral("Verdana");
    if (QFontDatabase::hasFamily(verdana))
        f.verdana = verdana;
    // Widgets name these faces too (window fonts): they draw with the same
    // stand-ins as the canvas rather than whatever the system picks.
    if (f.tahoma != tahoma)
        QFont::insertSubstitution(tahoma, f.tahoma);
    if (f.verdana != verdana)
        QFont::insertSubstitution(verdana, f.verdana);
    f.ready.store(true, std::memory_order_release);
}

QString MapFontFamily(const QString& name)
{
    InstallFontFaces();
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("tahoma"))
        return fontFaces().tahoma;
    if (key == QLatin1String("verdana"))
        return fontFaces().verdana;
    static const QHash<QString, QString> known = {
        {QStringLiteral("ms sans serif"), kSans},
        {QStringLiteral("microsoft sans serif"), kSans}, {QStringLiteral("segoe ui"), kSans},
        {QStringLiteral("arial"), kSans},
        {QStringLiteral("calibri"), kSans},         {QStringLiteral("helvetica"), kSans},
        {QStringLiteral("ms shell dlg"), kSans},    {QStringLiteral("ms shell dlg 2"), kSans},
        {QStringLiteral("trebuchet ms"), kSans},    {QStringLiteral("small fonts"), kSans},
        {QStringLiteral("courier new"), kMono},     {QStringLiteral("courier"), kMono},
        {QStringLiteral("consolas"), kMono},        {QStringLiteral("lucida console"), kMono},
        {QStringLiteral("fixedsys"), kMono},        {QStringLiteral("terminal"), kMono},
        {QStringLiteral("times new roman"), kSerif}, {QStringLiteral("times"), kSerif},
        {QStringLiteral("georgia"), kSerif},        {QStringLiteral("cambria"), kSerif},
    };
    const auto it = known.constFind(key);
    if (it != known.constEnd())
        return it.value();
    if (!key.isEmpty() && QFontDatabase::hasFamily(name.trimmed()))
        return name.trimmed();
    return kSans;
}

int TFont::Height() const
{
    return -mulDiv(Size, ScreenPixelsPerInch, 72);
}

void TFont::SetHeight(int height)
{
    int pixels = height < 0 ? -height : height;
    if (height > 0) {
        // A positive height is the cell height (ascent + descent); find the
        // character height that gives it for this family.
        QFont probe(MapFontFamily(Name));
        probe.setPixelSize(1000);
        const QFontMetrics fm(probe);
        const int cell = std::max(1, fm.ascent() + fm.descent());
        pixels = int(std::lround(double(height) * 1000.0 / cell));
    }
    Size = mulDiv(pixels, 72, ScreenPixelsPerInch);
}

QFont TFont::ToQFont() const
{
    QString family = MapFontFamily(Name);
    if (Pitch == fpFixed && family != kMono && family == kSans)
        family = kMono;
    QFont f(family);
    f.setPixelSize(std::max(1, -Height()));
    f.setBold(Style.Contains(fsBold));
    f.setItalic(Style.Contains(fsItalic));
    f.setUnderline(Style.Contains(fsUnderline));
    f.setStrikeOut(Style.Contains(fsStrikeOut));
    f.setFixedPitch(Pitch == fpFixed);
    f.setKerning(false);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// ---------------------------------------------------------------- TGraphic

TGraphic::~TGraphic() = default;

bool TGraphic::SaveToStream(QByteArray&) const
{
    return false;
}

namespace {

// Pictures are small; a file beyond any sane picture size is not read at all
// (nor a pipe or device, which reports size 0 and may never end).
constexpr qint64 MaxPictureFileBytes = 256LL * 1024 * 1024;

} // namespace

bool TGraphic::LoadFromFile(const QString& path)
{
    QByteArray bytes;
    return ReadFileBytes(path, MaxPictureFileBytes, bytes) && LoadFromStream(bytes);
}

bool TGraphic::SaveToFile(const QString& path) const
{
    QByteArray bytes;
    if (!SaveToStream(bytes))
        return false;
    return WriteFileAtomically(path, bytes);
}

// ---------------------------------------------------------------- TBitmap

struct TBitmap::Impl {
    QImage image;
    std::unique_ptr<TCanvas> canvas;
    TColor transparentColor = clDefault;
    TTransparentMode mode = tmAuto;
    // The pixel format while the bitmap is empty.
    QImage::Format emptyFormat = QImage::Format_RGB32;

    QImage::Format format() const { return image.isNull() ? emptyFormat : image.format(); }

    void releaseCanvas()
    {
        if (canvas)
            canvas->Release();
    }
};

TBitmap::TBitmap() : d(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    d->canvas.reset();
}

int TBitmap::Width() const { return d->image.width(); }
int TBitmap::Height() const { return d->image.height(); }
void TBitmap::SetWidth(int width) { SetSize(width, Height()); }
void TBitmap::SetHeight(int height) { SetSize(Width(), height); }

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    d->releaseCanvas();
    if (width == 0 || height == 0) {
        d->emptyFormat = d->format();
        d->image = QImage();
        return;
    }
    QImage next(width, height, d->format());
    next.fill(Qt::white);
    if (!d->image.isNull()) {
        QPainter p(&next);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, d->image);
    }
    d->image = next;
}

TCanvas& TBitmap::Canvas()
{
    if (!d->canvas)
        d->canvas = std::make_unique<TCanvas>(&d->image);
    return *d->canvas;
}

TPixelFormat TBitmap::PixelFormat() const
{
    switch (d->format()) {
    case QImage::Format_BGR888: return pf24bit;
    case QImage::Format_ARGB32_Premultiplied: return pf32bit;
    default: return pfDevice;
    }
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    static constexpr QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_BGR888,
                                                 QImage::Format_ARGB32_Premultiplied};
    const QImage::Format wanted = formats[format];
    if (d->format() == wanted)
        return;
    d->releaseCanvas();
    // An empty bitmap remembers the format for its first pixels.
    d->emptyFormat = wanted;
    if (!d->image.isNull())
        d->image = d->image.convertToFormat(wanted);
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    d->releaseCanvas();
    return d->image.scanLine(y);
}

const std::uint8_t* TBitmap::ScanLine(int y) const { return d->image.constScanLine(y); }

TColor TBitmap::TransparentColor() const
{
    if (d->mode == tmFixed && d->transparentColor != clDefault)
        return d->transparentColor;
    if (d->image.isNull())
        return clDefault;
    return FromQColor(QColor::fromRgb(d->image.pixel(0, d->image.height() - 1)));
}

void TBitmap::SetTransparentColor(TColor color)
{
    d->transparentColor = color;
    d->mode = color == clDefault ? tmAuto : tmFixed;
}

TTransparentMode TBitmap::TransparentMode() const { return d->mode; }

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    d->mode = mode;
    if (mode == tmAuto)
        d->transparentColor = clDefault;
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    d->releaseCanvas();
    d->image = other.ToImage();
    d->emptyFormat = other.d->emptyFormat;
    d->transparentColor = other.d->transparentColor;
    d->mode = other.d->mode;
    SetTransparent(other.Transparent());
}

void TBitmap::Assign(const TGraphic& other)
{
    if (const auto* bmp = dynamic_cast<const TBitmap*>(&other)) {
        Assign(*bmp);
        return;
    }
    d->releaseCanvas();
    d->image = normalised(other.ToImage());
    SetTransparent(other.Transparent());
}

void TBitmap::SetImage(const QImage& image)
{
    d->releaseCanvas();
    d->image = normalised(image);
}

void TBitmap::Clear()
{
    d->releaseCanvas();
    d->image = QImage();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& dest) const
{
    if (Empty())
        return;
    const QImage img = Transparent() ? MaskedImage() : d->image;
    canvas.DrawImage(dest, img, Rect(0, 0, Width(), Height()));
}

bool TBitmap::LoadFromStream(const QByteArray& bytes)
{
    d->releaseCanvas();
    QImage image = decodeWithQt(bytes);
    d->image = normalised(image);
    return !d->image.isNull();
}

bool TBitmap::SaveToStream(QByteArray& bytes) const
{
    if (Empty())
        return false;
    bytes = encodeWithQt(d->image, "BMP");
    return !bytes.isEmpty();
}

QImage TBitmap::ToImage() const
{
    // A deep copy: the canvas may still be painting into the shared buffer.
    return d->image.copy();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

QImage TBitmap::MaskedImage() const
{
    if (d->image.isNull())
        return {};
    QImage out = d->image.convertToFormat(QImage::Format_ARGB32);
    const TColor key = ColorToRGB(TransparentColor());
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// ---------------------------------------------------------------- TImageGraphic

struct TImageGraphic::Impl {
    QImage image;
    const char* format = "PNG";
};

TImageGraphic::TImageGraphic(const char* format) : d(std::make_unique<Impl>())
{
    d->format = format;
    SetTransparent(true);
}

TImageGraphic::TImageGraphic(const TImageGraphic& other)
    : TGraphic(other), d(std::make_unique<Impl>(*other.d))
{
}

TImageGraphic::~TImageGraphic() = default;

int TImageGraphic::Width() const { return d->image.width(); }
int TImageGraphic::Height() const { return d->image.height(); }

void TImageGraphic::Draw(TCanvas& canvas, const TRect& dest) const
{
    if (!Empty())
        canvas.DrawImage(dest, d->image, Rect(0, 0, Width(), Height()));
}

bool TImageGraphic::LoadFromStream(const QByteArray& bytes)
{
    SetImage(decodeWithQt(bytes));
    return !d->image.isNull();
}

bool TImageGraphic::SaveToStream(QByteArray& bytes) const
{
    if (Empty())
        return false;
    bytes = encodeWithQt(d->image, d->format);
    return !bytes.isEmpty();
}

QImage TImageGraphic::ToImage() const { return d->image; }

void TImageGraphic::SetImage(const QImage& image)
{
    d->image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TPngImage::TPngImage() : TImageGraphic("PNG") {}

std::unique_ptr<TGraphic> TPngImage::Clone() const
{
    return std::unique_ptr<TGraphic>(new TPngImage(*this));
}

TIcon::TIcon() : TImageGraphic("ICO") {}

std::unique_ptr<TGraphic> TIcon::Clone() const
{
    return std::unique_ptr<TGraphic>(new TIcon(*this));
}

// ---------------------------------------------------------------- TPicture

std::unique_ptr<TGraphic> CreateGraphicFor(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return std::make_unique<TPngImage>();
    if (bytes.startsWith("BM"))
        return std::make_unique<TBitmap>();
    if (bytes.size() >= 4 && bytes.startsWith(QByteArray("\x00\x00\x01\x00", 4)))
        return std::make_unique<TIcon>();
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return std::make_unique<TJPEGImage>();
    return nullptr;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::LoadFromFile(const QString& path)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, MaxPictureFileBytes, bytes)) {
        graphic_.reset();
        return false;
    }
    return LoadFromStream(bytes);
}

bool TPicture::LoadFromStream(const QByteArray& bytes)
{
    auto graphic = CreateGraphicFor(bytes);
    if (!graphic || !graphic->LoadFromStream(bytes)) {
        graphic_.reset();
        return false;
    }
    graphic_ = std::move(graphic);
    return true;
}

bool TPicture::SaveToFile(const QString& path) const
{
    return graphic_ && graphic_->SaveToFile(path);
}

TGraphic* TPicture::Graphic() const { return graphic_.get(); }
void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }

void TPicture::Assign(const TPicture& other)
{
    if (&other != this)
        graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
}

void TPicture::Clear() { graphic_.reset(); }
int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }
bool TPicture::Empty() const { return !graphic_ || graphic_->Empty(); }

// ---------------------------------------------------------------- TImageList

struct TImageList::Impl {
    int width = 16;
    int height = 16;
    std::vector<QImage> images;   // ARGB32 premultiplied, width x height each

    QImage cut(const QImage& source, int x) const
    {
        QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), source, QRect(x, 0, width, height));
        return img;
    }
};

TImageList::TImageList(int width, int height) : d(std::make_unique<Impl>())
{
    SetSize(width, height);
}

TImageList::~TImageList() = default;

int TImageList::Width() const { return d->width; }
int TImageList::Height() const { return d->height; }

void TImageList::SetSize(int width, int height)
{
    d->width = std::max(1, width);
    d->height = std::max(1, height);
    d->images.clear();
}

int TImageList::Count() const { return int(d->images.size()); }

int TImageList::Add(const TBitmap& image)
{
    if (image.Empty())
        return -1;
    const QImage source = image.Transparent() ? image.MaskedImage() : image.ToImage();
    d->images.push_back(d->cut(source, 0));
    return Count() - 1;
}

int TImageList::AddMasked(const TBitmap& strip, TColor maskColor)
{
    if (strip.Empty())
        return -1;
    TBitmap masked;
    masked.Assign(strip);
    masked.SetTransparentColor(maskColor);
    const QImage source = masked.MaskedImage();
    const int first = Count();
    const int n = std::max(1, strip.Width() / d->width);
    for (int i = 0; i < n; ++i)
        d->images.push_back(d->cut(source, i * d->width));
    return first;
}

void TImageList::Delete(int index)
{
    if (index >= 0 && index < Count())
        d->images.erase(d->images.begin() + index);
}

void TImageList::Clear() { d->images.clear(); }

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    QImage img = d->images[std::size_t(index)];
    if (!enabled) {
        // Greyed and lightened, alpha kept.
        img = img.convertToFormat(QImage::Format_ARGB32);
        for (int yy = 0; yy < img.height(); ++yy) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
            for (int xx = 0; xx < img.width(); ++xx) {
                const QRgb c = line[xx];
                const int g = (qGray(c) + 2 * 192) / 3;
                line[xx] = qRgba(g, g, g, qAlpha(c));
            }
        }
    }
    canvas.DrawImage(Bounds(x, y, d->width, d->height), img, Rect(0, 0, d->width, d->height));
}

bool TImageList::GetBitmap(int index, TBitmap& target) const
{
    if (index < 0 || index >= Count())
        return false;
    target.SetImage(d->images[std::size_t(index)]);
    return true;
}

} // namespace fw
