#pragma once
// Helpers shared by the tests: test data, files, pixels, pictures kept for a
// person to look at, clicks on grid cells, modal loops.
#include "framework/Forms.h"
#include "framework/Types.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

class QWidget;

namespace fw {
class TStringGrid;
}

namespace testsupport {

// Folder of the checked-in test data (tests/data).
QString dataPath(const QString& relative = {});

// A checked-in data file: tests/data/<folder>/<name>, its path and its bytes
// (empty when it cannot be read).
QString fixturePath(const QString& folder, const QString& name);
QByteArray fixture(const QString& folder, const QString& name);

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

// Pictures for a person to look at. The environment variable
// GC_SCREENSHOT_DIR names the folder they are kept in (created when missing);
// unset, nothing is kept and a test does none of the work done only for a
// picture. No test reads the variable itself.
QString shotFolder();   // the folder, empty when pictures are not kept

// When a widget's picture is taken: as it stands, or after the events still
// waiting (layout, paint) are processed, as a person would see the window.
enum class ShotTiming { AsItStands, AfterPendingEvents };

// Keeps the picture as <folder>/<name>.png; nothing when pictures are not kept.
void keepShot(const QImage& image, const QString& name);
void keepShot(QWidget* widget, const QString& name, ShotTiming timing = ShotTiming::AsItStands);

// A left click on a cell of a grid (display column and row), sent to its
// viewport as a mouse press and release, then the events it caused. The two points are where the two
// kinds of check box sit: a few pixels inside the left edge, or the middle.
void clickCellNearLeftEdge(fw::TStringGrid* grid, int displayCol, int row);
void clickCellCentre(fw::TStringGrid* grid, int displayCol, int row);

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
