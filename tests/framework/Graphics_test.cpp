#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Jpeg.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFont>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace fw;

TEST(SysColors, ColorToRgbResolvesSystemColoursOnly)
{
    struct Case {
        TColor in, out;
    };
    const Case cases[] = {
        {clBtnFace, RGBToColor(240, 240, 240)},
        {clWindow, RGBToColor(255, 255, 255)},
        {clWindowText, RGBToColor(0, 0, 0)},
        {clHighlight, RGBToColor(0, 120, 215)},
        {clBtnShadow, RGBToColor(160, 160, 160)},
        {clBtnHighlight, RGBToColor(255, 255, 255)},
        {cl3DDkShadow, RGBToColor(105, 105, 105)},
        {cl3DLight, RGBToColor(227, 227, 227)},
        {clGrayText, RGBToColor(109, 109, 109)},
        {clInfoBk, RGBToColor(255, 255, 225)},
        {clMenuBar, RGBToColor(240, 240, 240)},
        {0xFF000040, 0},                      // beyond the table
        {clRed, clRed},                       // plain colours pass through
        {0x00123456, 0x00123456},
        {clNone, clNone},                     // callers still recognise "no colour"
        {clDefault, clDefault},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToRGB(c.in), c.out) << std::hex << c.in;
}

TEST(SysColors, QtColourConversionIsBgr)
{
    EXPECT_EQ(ToQColor(RGBToColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(clBtnFace), QColor(240, 240, 240));
    EXPECT_EQ(FromQColor(QColor(10, 20, 30)), RGBToColor(10, 20, 30));
}

TEST(Font, HeightAndSizeAtNinetySixDpi)
{
    struct Case {
        int size, height;
    };
    for (const Case& c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}}) {
        TFont f;
        f.Size = c.size;
        EXPECT_EQ(f.Height(), c.height);
        TFont g;
        g.SetHeight(c.height);
        EXPECT_EQ(g.Size, c.size);
    }
    TFont cell;
    cell.Name = QStringLiteral("Verdana");
    cell.SetHeight(13);   // positive: the cell height of an 8 pt font
    EXPECT_EQ(cell.Size, 8);

    TFont f;
    f.Name = QStringLiteral("Verdana");
    f.Style = TFontStyles{fsBold, fsUnderline};
    const QFont q = f.ToQFont();
    EXPECT_EQ(q.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(q.pixelSize(), 11);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
}

TEST(Font, DesktopNamesMapToInstalledFamilies)
{
    struct Case {
        const char* name;
        const char* family;
    };
    // The face of fonts-wine stands in for Tahoma where it is installed
    // (scripts/install-deps.sh installs it); DejaVu Sans, drawn after
    // Verdana's widths, for Verdana.
    const char* tahoma = QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")) ? "Tahoma" : "DejaVu Sans";
    const Case cases[] = {
        {"Tahoma", tahoma},              {"tahoma ", tahoma},              {"Verdana", "DejaVu Sans"},
        {"MS Sans Serif", "DejaVu Sans"}, {"segoe ui", "DejaVu Sans"},
        {"Arial", "DejaVu Sans"},        {"Courier New", "DejaVu Sans Mono"},
        {"Times New Roman", "DejaVu Serif"}, {"", "DejaVu Sans"},       {"No Such Font 123", "DejaVu Sans"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapFontFamily(QString::fromLatin1(c.name)), QString::fromLatin1(c.family)) << c.name;
    // A widget font naming the face draws with the same stand-in as the canvas.
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"))).family(), QString::fromLatin1(tahoma));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Verdana"))).family(), QStringLiteral("DejaVu Sans"));
}

TEST(Bitmap, ResizeKeepsPixelsAndCanvasStaysUsable)
{
    TBitmap bmp(4, 4);
    bmp.Canvas().SetPixel(1, 1, clRed);
    bmp.SetSize(8, 6);
    EXPECT_EQ(bmp.Width(), 8);
    EXPECT_EQ(bmp.Height(), 6);
    EXPECT_EQ(bmp.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(bmp.Canvas().Pixel(7, 5), clWhite);
    bmp.Canvas().SetPixel(7, 5, clBlue);
    EXPECT_EQ(QColor(bmp.ToImage().pixel(7, 5)), QColor(Qt::blue));
}

TEST(Bitmap, TransparentColourAutoIsLowerLeftUntilFixed)
{
    TBitmap bmp(3, 3);
    bmp.Canvas().SetPixel(0, 2, clLime);
    EXPECT_EQ(bmp.TransparentMode(), tmAuto);
    EXPECT_EQ(bmp.TransparentColor(), clLime);
    bmp.SetTransparentColor(clWhite);
    EXPECT_EQ(bmp.TransparentMode(), tmFixed);
    EXPECT_EQ(bmp.TransparentColor(), clWhite);
    const QImage masked = bmp.MaskedImage();
    EXPECT_EQ(qAlpha(masked.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(0, 2)), 255);
}

TEST(Bitmap, PixelFormatsLayTheirBytesOutAsRawRoutinesReadThem)
{
    TBitmap bmp;
    EXPECT_EQ(bmp.PixelFormat(), pfDevice);
    // An empty bitmap keeps the format for its first pixels.
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(3, 2);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    bmp.Canvas().SetPixel(1, 0, RGBToColor(0x10, 0x20, 0x30));
    const std::uint8_t* row = bmp.ScanLine(0);
    EXPECT_EQ(row[3], 0x30) << "blue first";
    EXPECT_EQ(row[4], 0x20);
    EXPECT_EQ(row[5], 0x10) << "red last";

    // Raw writes show through the canvas afterwards.
    bmp.Canvas().SetPixel(0, 1, clBlack);
    bmp.ScanLine(1)[0] = 0xFF;
    EXPECT_EQ(bmp.Canvas().Pixel(0, 1), RGBToColor(0, 0, 0xFF));

    bmp.SetPixelFormat(pf32bit);
    EXPECT_EQ(bmp.PixelFormat(), pf32bit);
    const std::uint8_t* px = bmp.ScanLine(0) + 4;
    EXPECT_EQ(px[0], 0x30);
    EXPECT_EQ(px[2], 0x10);
    EXPECT_EQ(px[3], 0xFF) << "a 32-bit bitmap made from opaque pixels is opaque";

    TBitmap copy;
    copy.Assign(bmp);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    bmp.SetSize(0, 0);
    bmp.SetSize(1, 1);
    EXPECT_EQ(bmp.PixelFormat(), pf32bit) << "resizing through empty keeps the format";
}

TEST(Picture, LoadsEachFormatByContent)
{
    QImage src(5, 3, QImage::Format_ARGB32);
    src.fill(QColor(10, 200, 30));
    src.setPixel(4, 2, qRgba(255, 0, 0, 255));
    struct Case {
        const char* format;
        bool (*isKind)(const TGraphic*);
    };
    const Case cases[] = {
        {"PNG", [](const TGraphic* g) { return dynamic_cast<const TPngImage*>(g) != nullptr; }},
        {"BMP", [](const TGraphic* g) { return dynamic_cast<const TBitmap*>(g) != nullptr; }},
        {"ICO", [](const TGraphic* g) { return dynamic_cast<const TIcon*>(g) != nullptr; }},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(src.save(&buffer, c.format)) << c.format;
        const QString path = dir.filePath(QStringLiteral("pic.") + QString::fromLatin1(c.format));
        ASSERT_TRUE(testsupport::writeFile(path, bytes));
        TPicture pic;
        ASSERT_TRUE(pic.LoadFromFile(path)) << c.format;
        EXPECT_TRUE(c.isKind(pic.Graphic())) << c.format;
        EXPECT_EQ(pic.Width(), 5);
        EXPECT_EQ(pic.Height(), 3);
        const QImage back = pic.Graphic()->ToImage();
        EXPECT_EQ(QColor(back.pixel(0, 0)), QColor(10, 200, 30)) << c.format;
        EXPECT_EQ(QColor(back.pixel(4, 2)), QColor(255, 0, 0)) << c.format;

        // Drawn through a canvas like any graphic.
        QImage target(10, 10, QImage::Format_RGB32);
        target.fill(Qt::white);
        {
            TCanvas canvas(&target);
            canvas.Draw(2, 2, *pic.Graphic());
        }
        EXPECT_EQ(QColor(target.pixel(6, 4)), QColor(255, 0, 0)) << c.format;
    }
}

TEST(Picture, BrokenOrUnknownContentFailsAndLeavesItEmpty)
{
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("hello, not a picture"),
        QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray("broken"),
        QByteArray("BM\x10\x00\x00\x00", 6),
        QByteArray("\x00\x00\x01\x00\x01\x00", 6),
        QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray("garbage"),
    };
    for (const QByteArray& bytes : cases) {
        TPicture pic;
        EXPECT_FALSE(pic.LoadFromStream(bytes)) << bytes.toHex().toStdString();
        EXPECT_TRUE(pic.Empty());
        EXPECT_EQ(pic.Graphic(), nullptr);
    }
    TPicture missing;
    EXPECT_FALSE(missing.LoadFromFile(QStringLiteral("/nonexistent/picture.png")));
}

TEST(ImageList, StripIsCutIntoImagesDrawnByIndex)
{
    // Three 4x4 images: red, green, blue, on a fuchsia mask colour border.
    TBitmap strip(12, 4);
    strip.Canvas().Brush().Color = clFuchsia;
    strip.Canvas().FillRect(Rect(0, 0, 12, 4));
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas().Brush().Color = colours[i];
        strip.Canvas().FillRect(Rect(i * 4 + 1, 1, i * 4 + 3, 3));
    }
    TImageList list(4, 4);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    ASSERT_EQ(list.Count(), 3);

    QImage target(20, 20, QImage::Format_RGB32);
    TCanvas canvas(&target);
    for (int i = 0; i < 3; ++i) {
        canvas.Release();
        target.fill(Qt::white);
        list.Draw(canvas, 5, 5, i);
        EXPECT_EQ(canvas.Pixel(6, 6), colours[i]) << i;
        EXPECT_EQ(canvas.Pixel(5, 5), clWhite) << i;   // mask colour left out
    }
    canvas.Release();
    target.fill(Qt::white);
    list.Draw(canvas, 5, 5, 3);    // out of range: nothing
    list.Draw(canvas, 5, 5, -1);
    EXPECT_EQ(canvas.Pixel(6, 6), clWhite);

    list.Draw(canvas, 5, 5, 0, false);   // disabled: grey
    const QColor grey = ToQColor(canvas.Pixel(6, 6));
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());

    TBitmap one;
    EXPECT_TRUE(list.GetBitmap(2, one));
    EXPECT_EQ(one.Width(), 4);
    EXPECT_FALSE(list.GetBitmap(3, one));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
}

TEST(Font, StyleSetOperations)
{
    const TFontStyles bold{fsBold};
    const TFontStyles boldItalic{fsBold, fsItalic};
    EXPECT_TRUE(boldItalic.Contains(fsItalic));
    EXPECT_FALSE(bold.Contains(fsItalic));
    EXPECT_EQ(bold + TFontStyles{fsItalic}, boldItalic);
    EXPECT_EQ(boldItalic - bold, TFontStyles{fsItalic});
    EXPECT_EQ((boldItalic * TFontStyles{fsBold, fsUnderline}), bold);
    EXPECT_TRUE((bold - bold).Empty());
    TFontStyles s;
    s.Include(fsStrikeOut).Include(fsUnderline).Exclude(fsUnderline);
    EXPECT_EQ(s, TFontStyles{fsStrikeOut});
    EXPECT_EQ(TFontStyles::FromBits(0xFF).Bits(), 0x0F);   // only the four styles exist
}

TEST(Picture, OnlyRegularFilesAreRead)
{
    const QByteArray png = testsupport::pngBytes(2, 2, qRgb(0, 0, 255));
    ASSERT_FALSE(png.isEmpty());
    QTemporaryDir dir;
    struct Case {
        const char* name;
        std::function<bool(const QString&)> load;
    };
    const Case cases[] = {
        {"picture", [](const QString& p) { TPicture pic; return pic.LoadFromFile(p); }},
        {"graphic", [](const QString& p) { TPngImage img; return img.LoadFromFile(p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A pipe reports size 0; a writer offers a valid picture as soon as a
        // reader opens it, so a loader that reads pipes would succeed.
        const QByteArray fifo = QFile::encodeName(dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".png")));
        ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
        std::atomic<bool> stop{false};
        std::thread writer([&] {
            while (!stop) {
                const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    EXPECT_EQ(::write(fd, png.constData(), size_t(png.size())), png.size());
                    ::close(fd);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        EXPECT_FALSE(c.load(QString::fromLocal8Bit(fifo)));
        stop = true;
        writer.join();
    }
}
