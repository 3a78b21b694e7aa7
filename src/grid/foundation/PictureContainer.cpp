#include "grid/foundation/PictureContainer.h"

#include "framework/Canvas.h"
#include "framework/SysUtils.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>

namespace {

// Larger files are refused before they are read: a picture in a cell text has
// no business being this big, and the whole file is kept in memory.
constexpr qint64 MaxPictureBytes = 64LL * 1024 * 1024;

const QString ErrAllocate = QStringLiteral("Could not allocate memory for image");
const QString ErrEmptyStream = QStringLiteral("Empty image stream created");
const QString ErrFormat = QStringLiteral("Could not load image. Invalid format");
const QString ErrLoad = QStringLiteral("Could not load image");

int u8(const QByteArray& b, qsizetype i) { return static_cast<unsigned char>(b.at(i)); }
int u16(const QByteArray& b, qsizetype i) { return u8(b, i) | (u8(b, i + 1) << 8); }

// A graphic control extension directly followed by an image descriptor.
bool isFrameStart(const QByteArray& b, qsizetype i)
{
    return i + 9 < b.size() && u8(b, i) == 0x21 && u8(b, i + 1) == 0xF9 && u8(b, i + 2) == 0x04
        && u8(b, i + 8) == 0x2C;
}

std::vector<qsizetype> frameStarts(const QByteArray& b)
{
    std::vector<qsizetype> starts;
    for (qsizetype i = b.indexOf('\x21'); i >= 0; i = b.indexOf('\x21', i + 1))
        if (isFrameStart(b, i))
            starts.push_back(i);
    return starts;
}

bool isGif(const QByteArray& b) { return b.size() >= 5 && b.startsWith("GIF8"); }

} // namespace

struct THTMLPicture::Impl {
    QByteArray bytes;                // set only through setBytes
    std::vector<qsizetype> starts;   // offsets of the GIF frames in bytes; empty when not a GIF
    bool empty = true;
    QImage image;            // the loaded picture; null when none
    bool stretch = false;
    bool asynchronous = true;
    bool downloadBusy = false;
    int frame = 1;
    int nextChange = -1;
    int tickCount = -1;
    int frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
    int animWidth = 0, animHeight = 0;
    QString id;
    QString downloadUrl;
    QString lastError;

    bool load();
    // Frames are located once per content: loading a frame and the animation
    // ticks only look them up.
    void setBytes(const QByteArray& value)
    {
        bytes = value;
        starts = isGif(bytes) ? frameStarts(bytes) : std::vector<qsizetype>{};
    }
    void resetAnimation()
    {
        nextChange = -1;
        tickCount = -1;
    }
};

THTMLPicture::THTMLPicture() : d(std::make_unique<Impl>()) {}
THTMLPicture::~THTMLPicture() = default;

namespace {

// Decodes `data` (already cut down to the wanted frame for a GIF). Any data the
// decoder rejects, known signature or not, is an invalid format; "Could not
// load image" is left for a decoder that reports success without a picture.
bool decodePicture(const QByteArray& data, QImage& image, QString& error)
{
    if (isGif(data)) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        if (!reader.canRead() || !reader.read(&image)) {
            error = ErrFormat;
            return false;
        }
    } else {
        auto graphic = fw::CreateGraphicFor(data);
        if (!graphic || !graphic->LoadFromStream(data)) {
            error = ErrFormat;
            return false;
        }
        image = graphic->ToImage();
    }
    if (image.isNull()) {
        error = ErrLoad;
        return false;
    }
    return true;
}

} // namespace

// Loads the bytes showing the current frame: the frames before it are left out,
// so the decoder's first image is the wanted one.
bool THTMLPicture::Impl::load()
{
    Impl& p = *this;
    p.image = QImage();
    p.frameLeft = p.frameTop = p.frameWidth = p.frameHeight = 0;
    p.animWidth = p.animHeight = 0;
    if (p.bytes.size() > MaxPictureBytes) {
        p.lastError = ErrAllocate;
        return false;
    }
    if (p.bytes.isEmpty()) {
        p.lastError = ErrEmptyStream;
        return false;
    }
    QByteArray data;
    if (!p.starts.empty() && p.bytes.size() >= 10) {
        p.animWidth = u16(p.bytes, 6);
        p.animHeight = u16(p.bytes, 8);
        const int shown = std::clamp(p.frame, 1, int(p.starts.size()));
        const qsizetype at = p.starts[std::size_t(shown - 1)];
        if (at + 16 < p.bytes.size()) {
            p.frameLeft = u16(p.bytes, at + 9);
            p.frameTop = u16(p.bytes, at + 11);
            p.frameWidth = u16(p.bytes, at + 13);
            p.frameHeight = u16(p.bytes, at + 15);
        }
        data = p.bytes.left(p.starts.front()) + p.bytes.mid(at);
    } else {
        data = p.bytes;
    }
    QString error;
    QImage image;
    if (!decodePicture(data, image, error)) {
        p.lastError = error;
        return false;
    }
    // The decoder paints a GIF frame into the whole logical screen; keep the
    // frame itself, which is drawn at its offset.
    const QRect frameRect(p.frameLeft, p.frameTop, p.frameWidth, p.frameHeight);
    if (p.frameWidth > 0 && p.frameHeight > 0 && image.rect().contains(frameRect) && image.size() != frameRect.size())
        image = image.copy(frameRect);
    p.image = image;
    p.lastError.clear();
    return true;
}

void THTMLPicture::Assign(const fw::TGraphic* source)
{
    if (source == this)
        return;
    d->empty = true;
    d->image = QImage();
    d->resetAnimation();
    d->frame = 1;
    const auto* other = dynamic_cast<const THTMLPicture*>(source);
    if (!source) {
        d->setBytes({});
        return;
    }
    if (!other) {
        // Stale bytes would still be saved, and shown again by a frame change.
        d->setBytes({});
        return;
    }
    d->setBytes(other->d->bytes);
    d->empty = d->bytes.isEmpty();
    if (!d->empty)
        d->load();
    if (OnChange)
        OnChange();
}

bool THTMLPicture::Empty() const { return d->empty; }
int THTMLPicture::Width() const { return d->image.isNull() ? 0 : d->image.width(); }
int THTMLPicture::Height() const { return d->image.isNull() ? 0 : d->image.height(); }

int THTMLPicture::MaxWidth() const
{
    if (d->image.isNull())
        return 0;
    return d->animWidth != 0 ? d->animWidth : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (d->image.isNull())
        return 0;
    return d->animHeight != 0 ? d->animHeight : Height();
}

int THTMLPicture::FrameLeft() const { return d->frameLeft; }
int THTMLPicture::FrameTop() const { return d->frameTop; }

void THTMLPicture::Draw(fw::TCanvas& canvas, const fw::TRect& dest) const
{
    if (d->empty || d->image.isNull())
        return;
    const fw::TRect src(0, 0, d->image.width(), d->image.height());
    if (d->stretch)
        canvas.DrawImage(dest, d->image, src);
    else
        canvas.DrawImage(fw::Bounds(dest.Left, dest.Top, d->image.width(), d->image.height()), d->image, src);
}

bool THTMLPicture::ReadData(const QByteArray& bytes)
{
    d->setBytes(bytes);
    d->empty = false;
    d->resetAnimation();
    return d->load();
}

bool THTMLPicture::LoadFromStream(const QByteArray& bytes)
{
    const bool ok = ReadData(bytes);
    if (OnChange)
        OnChange();
    return ok;
}

bool THTMLPicture::SaveToStream(QByteArray& bytes) const
{
    bytes = d->bytes;
    return true;
}

void THTMLPicture::WriteData(QByteArray& bytes) const { bytes = d->bytes; }

bool THTMLPicture::LoadFromFile(const QString& path)
{
    // Only regular files, read up to the size limit: a device or pipe named in a
    // cell text must neither block nor fill the memory.
    QFile file(path);
    QByteArray bytes;
    const bool readable = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
    if (readable)
        bytes = file.read(MaxPictureBytes + 1);
    if (!readable || bytes.size() > MaxPictureBytes) {
        d->empty = true;
        d->image = QImage();
        d->lastError = readable ? ErrAllocate : QStringLiteral("Cannot open file %1").arg(path);
        return false;
    }
    const bool ok = LoadFromStream(bytes);
    if (!ok) {
        d->empty = true;
        d->image = QImage();
    }
    return ok;
}

bool THTMLPicture::LoadFromResourceName(const QString& name)
{
    if (name.isEmpty() || !QFile::exists(QStringLiteral(":/") + name))
        return false;
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureBytes)
        return false;
    return LoadFromStream(file.readAll());
}

bool THTMLPicture::LoadFromResourceID(int id)
{
    if (!QFile::exists(QStringLiteral(":/") + QString::number(id))) {
        d->lastError = QStringLiteral("Resource %1 not found").arg(id);
        return false;
    }
    return LoadFromResourceName(QString::number(id));
}

void THTMLPicture::LoadFromURL(const QString& url)
{
    if (url.startsWith(QLatin1StringView("RES://"), Qt::CaseInsensitive)) {
        d->id = url;
        const QString name = url.mid(6);
        if (!name.isEmpty())
            LoadFromResourceName(name);
        return;
    }
    if (url.startsWith(QLatin1StringView("FILE://"), Qt::CaseInsensitive)) {
        d->id = url;
        LoadFromFile(url.mid(7));
        return;
    }
    if (!d->asynchronous) {
        d->id = url;
        d->downloadUrl = url;
        return;
    }
    // Downloads are not provided: the picture only notes what it was asked for
    // and stays empty; later asynchronous requests find it busy.
    if (!d->downloadBusy) {
        d->downloadUrl = url;
        d->downloadBusy = true;
    }
}

QImage THTMLPicture::ToImage() const { return d->image; }

std::unique_ptr<fw::TGraphic> THTMLPicture::Clone() const
{
    auto copy = std::make_unique<THTMLPicture>();
    copy->Assign(this);
    copy->d->stretch = d->stretch;
    copy->d->id = d->id;
    return copy;
}

QString THTMLPicture::LastError() const { return d->lastError; }
bool THTMLPicture::Stretch() const { return d->stretch; }
void THTMLPicture::SetStretch(bool value) { d->stretch = value; }
bool THTMLPicture::Asynchronous() const { return d->asynchronous; }
void THTMLPicture::SetAsynchronous(bool value) { d->asynchronous = value; }
QString THTMLPicture::ID() const { return d->id; }
void THTMLPicture::SetID(const QString& id) { d->id = id; }
QString THTMLPicture::DownloadURL() const { return d->downloadUrl; }

bool THTMLPicture::IsGIF() const { return isGif(d->bytes); }

int THTMLPicture::FrameCount() const { return IsGIF() ? int(d->starts.size()) : -1; }

// The delay of a frame counted by FrameCount, so the two never disagree.
int THTMLPicture::FrameTime(int frame) const
{
    if (!IsGIF() || frame < 1 || frame > int(d->starts.size()))
        return -1;
    return u16(d->bytes, d->starts[std::size_t(frame - 1)] + 4);
}

int THTMLPicture::Frame() const { return d->frame; }

void THTMLPicture::SetFrame(int frame)
{
    d->frame = frame;
    if (d->bytes.isEmpty())
        return;
    d->load();
    if (OnFrameChange)
        OnFrameChange();
}

void THTMLPicture::FrameNext()
{
    d->frame = d->frame >= FrameCount() ? 1 : d->frame + 1;
}

void THTMLPicture::FramePrev()
{
    d->frame = d->frame <= 1 ? std::max(1, FrameCount()) : d->frame - 1;
}

bool THTMLPicture::Step()
{
    // Counted on demand: a picture nobody asked about yet would otherwise never move.
    if (d->empty || FrameCount() < 2)
        return false;
    // Ticks count from -1 (set on creation and by Assign): the first frame is
    // held one tick beyond its delay.
    if (d->nextChange == -1)
        d->nextChange = FrameTime(d->frame);
    bool changed = false;
    if (d->tickCount * 10 >= d->nextChange) {
        FrameNext();
        d->load();
        d->nextChange += std::max(0, FrameTime(d->frame));
        changed = true;
    }
    ++d->tickCount;
    return changed;
}

// ---------------------------------------------------------------- cache

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture()
{
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& p : pictures_)
        if (p->ID() == id)
            return p.get();
    return nullptr;
}

int THTMLPictureCache::Count() const { return int(pictures_.size()); }

THTMLPicture* THTMLPictureCache::Picture(int index) const
{
    return index >= 0 && index < Count() ? pictures_[std::size_t(index)].get() : nullptr;
}

void THTMLPictureCache::SetPicture(int index, const THTMLPicture& picture)
{
    if (THTMLPicture* p = Picture(index)) {
        p->Assign(&picture);
        p->SetID(picture.ID());
    }
}

void THTMLPictureCache::ClearPictures() { pictures_.clear(); }

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& p : pictures_)
        changed = p->Step() || changed;
    return changed;
}

// ---------------------------------------------------------------- collection

TPictureItem::TPictureItem(TPictureCollection* collection) : collection_(collection) {}
TPictureItem::~TPictureItem() = default;

THTMLPicture& TPictureItem::Picture() { return picture_; }
const THTMLPicture& TPictureItem::Picture() const { return picture_; }
void TPictureItem::SetPicture(const THTMLPicture& picture) { picture_.Assign(&picture); }

void TPictureItem::Assign(const TPictureItem& other)
{
    if (&other == this)
        return;
    Name = other.Name;
    Tag = other.Tag;
    picture_.Assign(&other.picture_);
}

TPictureCollection::TPictureCollection(TPictureContainer* owner) : owner_(owner) {}
TPictureCollection::~TPictureCollection() = default;

TPictureContainer* TPictureCollection::Owner() const { return owner_; }
int TPictureCollection::Count() const { return int(items_.size()); }

TPictureItem* TPictureCollection::Add() { return Insert(Count()); }

TPictureItem* TPictureCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto it = items_.insert(items_.begin() + index, std::make_unique<TPictureItem>(this));
    return it->get();
}

TPictureItem* TPictureCollection::Item(int index) const
{
    return index >= 0 && index < Count() ? items_[std::size_t(index)].get() : nullptr;
}

void TPictureCollection::SetItem(int index, const TPictureItem& item)
{
    if (TPictureItem* target = Item(index))
        target->Assign(item);
}

void TPictureCollection::Delete(int index)
{
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

void TPictureCollection::Clear() { items_.clear(); }

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (const auto& item : items_)
        changed = item->Picture().Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(QObject* owner) : QObject(owner), items_(this) {}
TPictureContainer::~TPictureContainer() = default;

TPictureCollection& TPictureContainer::Items() { return items_; }
const TPictureCollection& TPictureContainer::Items() const { return items_; }

// Names match ignoring ASCII case only, whatever the locale.
THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    for (int i = 0; i < items_.Count(); ++i) {
        TPictureItem* item = items_.Item(i);
        if (fw::SameText(item->Name, name))
            return &item->Picture();
    }
    return nullptr;
}
