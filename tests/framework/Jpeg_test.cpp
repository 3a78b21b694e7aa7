#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Jpeg.h"

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace fw;

namespace {

// Four flat quadrants: JPEG keeps flat areas close to their colour.
QImage quadrants()
{
    QImage img(32, 24, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool right = x >= 16, bottom = y >= 12;
            img.setPixel(x, y, !right && !bottom ? qRgb(220, 30, 30)
                               : right && !bottom ? qRgb(30, 200, 30)
                               : !right           ? qRgb(30, 30, 220)
                                                  : qRgb(240, 240, 240));
        }
    return img;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST(Jpeg, RoundTripKeepsSizeAndColours)
{
    const QImage src = quadrants();
    QByteArray bytes;
    ASSERT_TRUE(JpegEncode(src, bytes, 95));
    ASSERT_TRUE(bytes.startsWith("\xFF\xD8\xFF"));
    QImage back;
    QString error;
    ASSERT_TRUE(JpegDecode(bytes, back, &error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(back.size(), src.size());
    for (QPoint p : {QPoint(4, 4), QPoint(27, 4), QPoint(4, 19), QPoint(27, 19)})
        EXPECT_TRUE(near(back.pixel(p), src.pixel(p), 12)) << p.x() << "," << p.y();
}

TEST(Jpeg, GraphicSavesGreyscaleAndLoadsThroughPicture)
{
    TJPEGImage jpeg;
    TBitmap bmp;
    bmp.SetImage(quadrants());
    jpeg.Assign(bmp);
    jpeg.SetGrayscale(true);
    jpeg.SetCompressionQuality(500);
    EXPECT_EQ(jpeg.CompressionQuality(), 100);
    QByteArray bytes;
    ASSERT_TRUE(jpeg.SaveToStream(bytes));

    TPicture pic;
    ASSERT_TRUE(pic.LoadFromStream(bytes));
    ASSERT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
    const QImage back = pic.Graphic()->ToImage();
    ASSERT_EQ(back.size(), QSize(32, 24));
    const QRgb c = back.pixel(4, 4);
    EXPECT_EQ(qRed(c), qGreen(c));
    EXPECT_EQ(qGreen(c), qBlue(c));
}

TEST(Jpeg, BrokenFilesFailWithoutCrashing)
{
    QByteArray good;
    ASSERT_TRUE(JpegEncode(quadrants(), good, 80));

    // A start-of-frame claiming 60000 x 60000 pixels.
    QByteArray huge = good;
    const int sof = int(huge.indexOf(QByteArray("\xFF\xC0", 2)));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);

    QByteArray badHeader = good;
    badHeader[sof + 1] = char(0xC3);   // lossless process: not supported by the decoder

    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("\xFF\xD8", 2),
        QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray("this is not a JPEG stream at all"),
        good.left(good.size() / 8),
        huge,
        badHeader,
    };
    for (const QByteArray& bytes : cases) {
        QImage image;
        QString error;
        EXPECT_FALSE(JpegDecode(bytes, image, &error)) << bytes.size();
        EXPECT_TRUE(image.isNull());
        EXPECT_FALSE(error.isEmpty());
        TJPEGImage jpeg;
        EXPECT_FALSE(jpeg.LoadFromStream(bytes));
        EXPECT_TRUE(jpeg.Empty());
        EXPECT_FALSE(jpeg.LastError().isEmpty());
    }
}

TEST(Jpeg, TruncatedScanDataStillGivesAnImage)
{
    // The decoder fills what is missing at the end, as image viewers do.
    QByteArray good;
    ASSERT_TRUE(JpegEncode(quadrants(), good, 80));
    QImage image;
    EXPECT_TRUE(JpegDecode(good.left(good.size() - 40), image));
    EXPECT_EQ(image.size(), QSize(32, 24));
}

TEST(Jpeg, EmptyImageIsNotEncoded)
{
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(JpegEncode(QImage(), bytes, 90, false, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    TJPEGImage empty;
    EXPECT_FALSE(empty.SaveToStream(bytes));
}
