// Feeds arbitrary texts to the HTML renderer in its drawing, measuring and
// hit-testing modes. The first byte picks the mode bits and the rectangle.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "grid/foundation/PictureContainer.h"
#include "grid/foundation/SgHTMLE.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

#include <cstddef>
#include <cstdint>

namespace {

struct Fixture {
    TPictureContainer container;
    fw::TImageList images{16, 16};
    QImage page{160, 120, QImage::Format_RGB32};

    Fixture()
    {
        QImage logo(12, 8, QImage::Format_RGB32);
        logo.fill(qRgb(0, 0, 255));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "PNG");
        TPictureItem* item = container.Items().Add();
        item->Name = QStringLiteral("LOGO");
        item->Picture().LoadFromStream(bytes);
        fw::TBitmap bmp(16, 16);
        images.Add(bmp);
    }
};

Fixture* fixture = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char name[] = "html_render_fuzz";
    static char* qtArgv[] = {name, nullptr};
    new QApplication(qtArgc, qtArgv);
    fixture = new Fixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 16384)
        return 0;
    const uint8_t bits = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const fw::TRect rect(2, 2, 2 + 8 + (bits >> 5) * 20, 110);

    fixture->page.fill(Qt::white);
    fw::TCanvas canvas(&fixture->page);
    THTMLPictureCache cache;
    QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
    int width = 0, height = 0, links = 0, mouseLink = 0;
    fw::TRect hoverRect, controlRect;
    if (bits & 0x10)
        controlID = QStringLiteral("c");
    RenderHtmlText(canvas, text, rect, &fixture->images, 20, 10, 0, 1, 1, bits & 0x01, bits & 0x02, bits & 0x08,
                   false, true, bits & 0x04, bits & 0x10, true, 1.5, fw::clBlue, fw::clYellow, fw::clRed,
                   fw::clGray, anchor, stripped, focusAnchor, title, width, height, links, mouseLink, hoverRect,
                   controlRect, controlID, controlValue, controlType, &cache, &fixture->container, nullptr,
                   bdLeftToRight);
    return 0;
}
