#pragma once
// Helpers shared by the tests: temporary folders, test data paths, pixels.
#include "framework/Forms.h"
#include "framework/Types.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

namespace testsupport {

// Folder of the checked-in test data (tests/data).
QString dataPath(const QString& relative = {});

// Reads a whole file as bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);

// Writes bytes to a file, creating parent folders; false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

// A w x h picture of one colour, encoded as PNG.
QByteArray pngBytes(int w, int h, QRgb color);

// Decides whether one pixel (as QImage::pixel gives it) is wanted.
using PixelMatch = std::function<bool(QRgb)>;

// Pixels whose red, green and blue equal those of `rgb`; alpha is ignored.
PixelMatch rgbIs(QRgb rgb);
PixelMatch rgbIsNot(QRgb rgb);
// Pixels that read back as `color`; a system colour or clNone never matches.
PixelMatch colorIs(fw::TColor color);
PixelMatch colorIsNot(fw::TColor color);

// Bounding box of the matching pixels inside `area` (the whole image when
// null; clipped to the image); a null rectangle when none match.
QRect pixelBox(const QImage& img, const PixelMatch& match, QRect area = {});
// Number of matching pixels inside `area`, as for pixelBox.
int countPixels(const QImage& img, const PixelMatch& match, QRect area = {});

// The same box with exclusive right and bottom; empty TRect() for a null box.
fw::TRect toTRect(const QRect& box);
// An exclusive-edged rectangle as a QRect.
QRect toQRect(const fw::TRect& r);

// What runModal gives when the window was still open after the time-out.
constexpr fw::TModalResult modalTimedOut = -1000;

// Runs the form modally; step runs once inside its loop and is expected to
// end it. A loop still open after timeoutMs fails the test and is ended with
// modalTimedOut, so a broken window fails instead of hanging the run.
fw::TModalResult runModal(fw::TForm& form, const std::function<void()>& step, int timeoutMs = 3000);

} // namespace testsupport

namespace fw {
// Failed comparisons of rectangles print their edges.
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}
} // namespace fw
