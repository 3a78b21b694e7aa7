#include "grid/foundation/PictureContainer.h"

#include "framework/Canvas.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QResource>
#include <QTemporaryDir>

#include <vector>

namespace {

// ---- a small GIF writer: every frame is one colour of a four-colour palette.
struct GifFrame {
    int colorIndex;   // 0 black, 1 red, 2 green, 3 blue
    int left, top, width, height;
    int delay;        // hundredths of a second
};

const QRgb Palette[4] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

// LZW data with a clear code after every two pixels, so the code width stays at 3 bits.
QByteArray lzwSolid(int index, int pixels)
{
    std::vector<int> codes;
    codes.push_back(4);
    for (int i = 0; i < pixels; ++i) {
        if (i > 0 && i % 2 == 0)
            codes.push_back(4);
        codes.push_back(index);
    }
    codes.push_back(5);
    QByteArray out;
    unsigned acc = 0;
    int bits = 0;
    for (int code : codes) {
        acc |= unsigned(code) << bits;
        bits += 3;
        while (bits >= 8) {
            out.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        out.append(char(acc & 0xFF));
    return out;
}

QByteArray makeGif(int width, int height, const std::vector<GifFrame>& frames)
{
    QByteArray b("GIF89a");
    put16(b, width);
    put16(b, height);
    b.append(char(0x91));   // global colour table of 4 entries
    b.append('\0');
    b.append('\0');
    for (QRgb c : Palette) {
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
    }
    for (const GifFrame& f : frames) {
        b.append("\x21\xF9\x04\x00", 4);
        put16(b, f.delay);
        b.append("\x00\x00", 2);
        b.append(char(0x2C));
        put16(b, f.left);
        put16(b, f.top);
        put16(b, f.width);
        put16(b, f.height);
        b.append('\0');
        b.append(char(2));   // minimum code size
        const QByteArray data = lzwSolid(f.colorIndex, f.width * f.height);
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            b.append(char(block.size()));
            b.append(block);
        }
        b.append('\0');
    }
    b.append(char(0x3B));
    return b;
}

// Three frames: red full size, green 4x3 at (2,1), blue 2x2 at (5,4).
const std::vector<GifFrame> ThreeFrames = {
    {1, 0, 0, 8, 6, 10},
    {2, 2, 1, 4, 3, 20},
    {3, 5, 4, 2, 2, 30},
};

using testsupport::pngBytes;

} // namespace

TEST(HTMLPicture, RecognisesGifByItsSignature)
{
    struct Case {
        QByteArray bytes;
        bool gif;
    };
    const Case cases[] = {
        {QByteArray("GIF8"), false},   // too short
        {QByteArray("GIF87a"), true},
        {QByteArray("GIF89a"), true},
        {QByteArray("GIF90a"), false},
        {pngBytes(2, 2, qRgb(1, 2, 3)), false},
    };
    for (const Case& c : cases) {
        THTMLPicture p;
        p.LoadFromStream(c.bytes);
        EXPECT_EQ(p.IsGIF(), c.gif) << c.bytes.left(6).toStdString();
        if (!c.gif) {
            EXPECT_EQ(p.FrameCount(), -1);
        }
    }
}

TEST(HTMLPicture, AnimatedGifShowsTheChosenFrameAtItsOffset)
{
    THTMLPicture p;
    ASSERT_TRUE(p.LoadFromStream(makeGif(8, 6, ThreeFrames))) << p.LastError().toStdString();
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 6);

    struct Case {
        int frame;
        QRgb color;
        int left, top, width, height, delay;
    };
    const Case cases[] = {
        {1, Palette[1], 0, 0, 8, 6, 10},
        {2, Palette[2], 2, 1, 4, 3, 20},
        {3, Palette[3], 5, 4, 2, 2, 30},
    };
    int changes = 0;
    p.OnFrameChange = [&] { ++changes; };
    for (const Case& c : cases) {
        p.SetFrame(c.frame);
        EXPECT_EQ(p.Frame(), c.frame);
        EXPECT_EQ(p.Width(), c.width) << c.frame;
        EXPECT_EQ(p.Height(), c.height) << c.frame;
        EXPECT_EQ(p.FrameLeft(), c.left) << c.frame;
        EXPECT_EQ(p.FrameTop(), c.top) << c.frame;
        EXPECT_EQ(p.FrameTime(c.frame), c.delay);
        EXPECT_EQ(p.ToImage().pixel(0, 0) | 0xFF000000, c.color) << c.frame;
    }
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(p.FrameTime(4), -1);

    // Draw puts the frame's pixels where the canvas is asked to.
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        fw::TCanvas canvas(&target);
        p.Draw(canvas, fw::TRect(10, 10, 20, 20));
    }
    EXPECT_EQ(target.pixel(10, 10), Palette[3]);
    EXPECT_EQ(target.pixel(11, 11), Palette[3]);
    EXPECT_EQ(target.pixel(12, 12), qRgb(255, 255, 255));
}

TEST(HTMLPicture, FrameStepsWrapAround)
{
    THTMLPicture p;
    p.LoadFromStream(makeGif(8, 6, ThreeFrames));
    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 2);
}

TEST(HTMLPicture, StepAdvancesWhenTheFrameDelayHasPassed)
{
    THTMLPicture p;
    p.LoadFromStream(makeGif(8, 6, ThreeFrames));
    // The tick count starts one below zero: frame 1 (10/100 s) changes on the
    // third tick, frame 2 (another 20/100 s) two ticks later.
    std::vector<int> framesSeen;
    std::vector<bool> changed;
    for (int tick = 0; tick < 6; ++tick) {
        changed.push_back(p.Step());
        framesSeen.push_back(p.Frame());
    }
    EXPECT_EQ(framesSeen, (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(changed, (std::vector<bool>{false, false, true, false, true, false}));
    EXPECT_EQ(p.ToImage().pixel(0, 0) | 0xFF000000, Palette[3]);

    THTMLPicture still;
    still.LoadFromStream(pngBytes(3, 3, qRgb(9, 9, 9)));
    EXPECT_FALSE(still.Step());
}

TEST(HTMLPicture, FailedLoadsReportTheirReasonAndDrawNothing)
{
    const QByteArray png = pngBytes(4, 4, qRgb(10, 20, 30));
    struct Case {
        const char* name;
        QByteArray bytes;
        QString error;
    };
    const Case cases[] = {
        {"unknown format", QByteArray("not a picture at all"), QStringLiteral("Could not load image. Invalid format")},
        // A known signature whose data the decoder rejects is an invalid format too.
        {"truncated png", png.left(png.size() / 2), QStringLiteral("Could not load image. Invalid format")},
        {"truncated jpeg", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10), QStringLiteral("Could not load image. Invalid format")},
        {"gif header only", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13), QStringLiteral("Could not load image. Invalid format")},
        {"no bytes", QByteArray(), QStringLiteral("Empty image stream created")},
    };
    for (const Case& c : cases) {
        THTMLPicture p;
        EXPECT_FALSE(p.LoadFromStream(c.bytes)) << c.name;
        EXPECT_EQ(p.LastError().toStdString(), c.error.toStdString()) << c.name;
        EXPECT_EQ(p.Width(), 0) << c.name;
        QImage target(8, 8, QImage::Format_RGB32);
        target.fill(Qt::white);
        fw::TCanvas canvas(&target);
        p.Draw(canvas, fw::TRect(0, 0, 8, 8));
        canvas.Release();
        EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255)) << c.name;
    }
    // A good load afterwards clears the message.
    THTMLPicture p;
    p.LoadFromStream("junk");
    EXPECT_TRUE(p.LoadFromStream(png));
    EXPECT_TRUE(p.LastError().isEmpty());
}

TEST(HTMLPicture, LoadFromFileSwallowsFailuresAndLeavesItEmpty)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.png");
    const QString bad = dir.filePath("bad.png");
    ASSERT_TRUE(testsupport::writeFile(good, pngBytes(5, 3, qRgb(1, 1, 1))));
    ASSERT_TRUE(testsupport::writeFile(bad, "1234"));

    THTMLPicture p;
    EXPECT_TRUE(p.Empty());
    EXPECT_TRUE(p.LoadFromFile(good));
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.Width(), 5);
    EXPECT_FALSE(p.LoadFromFile(bad));
    EXPECT_TRUE(p.Empty());
    EXPECT_FALSE(p.IsGIF());
    EXPECT_FALSE(p.LoadFromFile(dir.filePath("missing.png")));
    EXPECT_TRUE(p.Empty());
    // Devices and folders are refused without reading (an endless device would hang).
    for (const QString& path : {QStringLiteral("/dev/zero"), dir.path()}) {
        EXPECT_FALSE(p.LoadFromFile(path)) << path.toStdString();
        EXPECT_TRUE(p.Empty());
    }
}

TEST(HTMLPicture, LoadFromUrlBySchemeInAnyCase)
{
    ASSERT_TRUE(QResource::registerResource(testsupport::dataPath("html/pictures.rcc")));
    QTemporaryDir dir;
    const QString file = dir.filePath("Pic.png");
    ASSERT_TRUE(testsupport::writeFile(file, pngBytes(7, 2, qRgb(1, 2, 3))));

    struct Case {
        QString url;
        bool loaded;
        int width;
    };
    const Case cases[] = {
        {QStringLiteral("res://HtmlTestLogo.png"), true, 6},
        {QStringLiteral("RES://HtmlTestLogo.png"), true, 6},
        {QStringLiteral("res://NoSuchResource"), false, 0},
        {QStringLiteral("file://") + file, true, 7},
        {QStringLiteral("FILE://") + file, true, 7},
        {QStringLiteral("http://127.0.0.1/x.png"), false, 0},
    };
    for (const Case& c : cases) {
        THTMLPicture p;
        p.LoadFromURL(c.url);
        EXPECT_EQ(!p.Empty(), c.loaded) << c.url.toStdString();
        EXPECT_EQ(p.Width(), c.width) << c.url.toStdString();
    }

    // Synchronous requests for other schemes note the URL; nothing is fetched.
    THTMLPicture sync;
    sync.SetAsynchronous(false);
    sync.LoadFromURL(QStringLiteral("http://127.0.0.1/x.png"));
    EXPECT_EQ(sync.ID(), QStringLiteral("http://127.0.0.1/x.png"));
    EXPECT_EQ(sync.DownloadURL(), sync.ID());
    EXPECT_TRUE(sync.Empty());
    QResource::unregisterResource(testsupport::dataPath("html/pictures.rcc"));
}

TEST(HTMLPicture, AssignCopiesOnlyPictures)
{
    THTMLPicture source;
    source.LoadFromStream(makeGif(8, 6, ThreeFrames));
    source.SetFrame(2);

    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.Assign(&source);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Frame(), 1);
    EXPECT_EQ(copy.FrameCount(), 3);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(changes, 1);
    QByteArray bytes;
    copy.SaveToStream(bytes);
    EXPECT_EQ(bytes, makeGif(8, 6, ThreeFrames));

    fw::TBitmap bitmap(4, 4);
    copy.Assign(&bitmap);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    // The old bytes go too: an emptied picture neither stores them nor shows
    // them again when its frame is set.
    copy.SaveToStream(bytes);
    EXPECT_TRUE(bytes.isEmpty());
    copy.SetFrame(2);
    EXPECT_EQ(copy.Width(), 0);

    copy.Assign(&source);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    copy.SaveToStream(bytes);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(PictureContainer, FindsNamesInAnyCaseWhileTheCacheIsExact)
{
    TPictureContainer container;
    TPictureItem* other = container.Items().Add();
    other->Name = QStringLiteral("Other");
    TPictureItem* logo = container.Items().Add();
    logo->Name = QStringLiteral("Logo");
    THTMLPicture png;
    png.LoadFromStream(pngBytes(3, 3, qRgb(5, 5, 5)));
    logo->SetPicture(png);
    EXPECT_EQ(container.Items().Owner(), &container);

    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &logo->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("logo")), &logo->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("Logos")), nullptr);
    EXPECT_EQ(logo->Picture().Width(), 3);

    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->SetID(QStringLiteral("FILE://A.PNG"));
    EXPECT_EQ(cache.FindPicture(QStringLiteral("FILE://A.PNG")), a);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("file://a.png")), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(PictureContainer, AnimateStepsEveryPicture)
{
    TPictureContainer container;
    THTMLPicture gif;
    gif.LoadFromStream(makeGif(8, 6, ThreeFrames));
    container.Items().Add()->SetPicture(gif);
    container.Items().Add();   // empty item
    EXPECT_FALSE(container.Items().Animate());
    EXPECT_FALSE(container.Items().Animate());
    EXPECT_TRUE(container.Items().Animate());
    EXPECT_EQ(container.Items().Item(0)->Picture().Frame(), 2);

    THTMLPictureCache cache;
    cache.AddPicture()->LoadFromStream(makeGif(8, 6, ThreeFrames));
    EXPECT_FALSE(cache.Animate());
    EXPECT_FALSE(cache.Animate());
    EXPECT_TRUE(cache.Animate());
}
