// Feeds arbitrary bytes to the picture loader: loading, GIF frame counting and
// delays, frame changes, animation ticks and drawing.
#include "framework/Canvas.h"
#include "grid/foundation/PictureContainer.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char name[] = "picture_load_fuzz";
    static char* qtArgv[] = {name, nullptr};
    new QGuiApplication(qtArgc, qtArgv);
    // Decoded images beyond this many megabytes are refused, keeping runs fast.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    THTMLPicture picture;
    picture.LoadFromStream(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const int frames = picture.FrameCount();
    for (int f = 0; f <= 3; ++f)
        picture.FrameTime(f);
    if (frames > 1) {
        picture.SetFrame(frames);
        for (int i = 0; i < 4; ++i)
            picture.Step();
    }
    QImage page(64, 64, QImage::Format_RGB32);
    fw::TCanvas canvas(&page);
    picture.Draw(canvas, fw::TRect(0, 0, 64, 64));
    picture.SetStretch(true);
    picture.Draw(canvas, fw::TRect(0, 0, 64, 64));
    (void)picture.MaxWidth();
    (void)picture.LastError();
    return 0;
}
