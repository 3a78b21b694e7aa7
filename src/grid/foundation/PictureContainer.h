#pragma once
// Pictures of the HTML text renderer: a picture that keeps its file's bytes
// (stepping through the frames of an animated GIF), a named collection of such
// pictures, and the cache of pictures addressed by URL that a grid owns.
#include "framework/Graphics.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class THTMLPicture : public fw::TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Another THTMLPicture: a copy of its bytes, loaded; null: no bytes; any other
    // graphic: an empty picture.
    void Assign(const fw::TGraphic* source);

    bool Empty() const override;
    // Size of the shown frame at 96 dpi; 0 without a loaded picture.
    int Width() const override;
    int Height() const override;
    // Largest frame (the GIF's logical screen) or the picture's own size.
    int MaxWidth() const;
    int MaxHeight() const;
    // Position of the shown frame inside the animation area.
    int FrameLeft() const;
    int FrameTop() const;

    // Stretched into `dest` with Stretch, else at its top-left in natural size.
    void Draw(fw::TCanvas& canvas, const fw::TRect& dest) const override;

    // Keeps the bytes and loads them. A failed load answers false with the reason
    // in LastError(); the bytes stay, so the picture is not empty but shows nothing.
    bool LoadFromStream(const QByteArray& bytes) override;
    bool SaveToStream(QByteArray& bytes) const override;
    // A missing or unreadable file leaves an empty picture.
    bool LoadFromFile(const QString& path);
    // Stored form in a window description: the raw bytes (no change event).
    bool ReadData(const QByteArray& bytes);
    void WriteData(QByteArray& bytes) const;
    // Raw-data resources of the program (Qt resources ":/<name>").
    bool LoadFromResourceName(const QString& name);
    bool LoadFromResourceID(int id);
    // "RES://name" and "FILE://path" load at once; other schemes are only noted
    // (no download happens).
    void LoadFromURL(const QString& url);

    QImage ToImage() const override;
    std::unique_ptr<fw::TGraphic> Clone() const override;

    // Message of the last failed load; empty after a successful one.
    QString LastError() const;

    bool Stretch() const;
    void SetStretch(bool value);
    bool Asynchronous() const;
    void SetAsynchronous(bool value);
    // Text the picture was loaded from (its URL); the cache finds pictures by it.
    QString ID() const;
    void SetID(const QString& id);
    QString DownloadURL() const;

    // ---- animated GIF
    bool IsGIF() const;
    int FrameCount() const;             // -1 for data that is not GIF
    int FrameTime(int frame) const;     // hundredths of a second; -1 when unknown
    int Frame() const;                  // 1-based
    void SetFrame(int frame);           // reloads and fires OnFrameChange
    void FrameNext();                   // wraps to 1, no reload
    void FramePrev();                   // wraps to the last, no reload
    // One animation tick (meant for every 100 ms); true when the frame changed.
    bool Step();

    std::function<void()> OnFrameChange;
    std::function<void()> OnChange;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Pictures loaded by URL, owned by the cache.
class THTMLPictureCache {
public:
    THTMLPictureCache();
    ~THTMLPictureCache();
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    THTMLPicture* AddPicture();
    // The first picture whose ID equals `id` exactly; null when none.
    THTMLPicture* FindPicture(const QString& id) const;
    int Count() const;
    THTMLPicture* Picture(int index) const;              // null out of range
    void SetPicture(int index, const THTMLPicture& picture);   // copies
    void ClearPictures();
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};

class TPictureCollection;
class TPictureContainer;

class TPictureItem {
public:
    explicit TPictureItem(TPictureCollection* collection = nullptr);
    ~TPictureItem();
    TPictureItem(const TPictureItem&) = delete;
    TPictureItem& operator=(const TPictureItem&) = delete;

    THTMLPicture& Picture();
    const THTMLPicture& Picture() const;
    void SetPicture(const THTMLPicture& picture);   // copies
    void Assign(const TPictureItem& other);         // name, tag and picture

    QString Name;
    int Tag = 0;

private:
    TPictureCollection* collection_;
    THTMLPicture picture_;
};

class TPictureCollection {
public:
    explicit TPictureCollection(TPictureContainer* owner = nullptr);
    ~TPictureCollection();
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    TPictureContainer* Owner() const;
    int Count() const;
    TPictureItem* Add();
    TPictureItem* Insert(int index);              // index kept within 0..Count
    TPictureItem* Item(int index) const;          // null out of range
    void SetItem(int index, const TPictureItem& item);
    void Delete(int index);
    void Clear();
    bool Animate();

private:
    TPictureContainer* owner_;
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

// A component: what refers to one (a grid, a hint window) holds a guarded
// pointer, so a container freed first is simply gone for them.
class TPictureContainer : public QObject {
    Q_OBJECT
public:
    explicit TPictureContainer(QObject* owner = nullptr);
    ~TPictureContainer() override;
    TPictureContainer(const TPictureContainer&) = delete;
    TPictureContainer& operator=(const TPictureContainer&) = delete;

    TPictureCollection& Items();
    const TPictureCollection& Items() const;
    // The picture of the first item whose name matches, ASCII letters in any case.
    virtual THTMLPicture* FindPicture(const QString& name) const;

private:
    TPictureCollection items_;
};
