#include "TestSupport.h"

#include "framework/ObjStringGrid.h"
#include "framework/SysColors.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace testsupport {

QString dataPath(const QString& relative)
{
    QString base = qEnvironmentVariable("GC_TEST_DATA");
    if (base.isEmpty())
        base = QStringLiteral(GC_SOURCE_TESTS_DIR "/data");
    return relative.isEmpty() ? base : base + QLatin1Char('/') + relative;
}

QString fixturePath(const QString& folder, const QString& name)
{
    return dataPath(folder + QLatin1Char('/') + name);
}

QByteArray fixture(const QString& folder, const QString& name)
{
    return readFile(fixturePath(folder, name));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray pngBytes(int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

PixelMatch rgbIs(QRgb rgb)
{
    return [rgb](QRgb p) { return (p & 0xFFFFFF) == (rgb & 0xFFFFFF); };
}

PixelMatch rgbIsNot(QRgb rgb)
{
    return [rgb](QRgb p) { return (p & 0xFFFFFF) != (rgb & 0xFFFFFF); };
}

PixelMatch colorIs(fw::TColor color)
{
    return [color](QRgb p) { return fw::FromQColor(QColor(p)) == color; };
}

PixelMatch colorIsNot(fw::TColor color)
{
    return [color](QRgb p) { return fw::FromQColor(QColor(p)) != color; };
}

namespace {

template <typename Visit>
void forMatching(const QImage& img, const PixelMatch& match, QRect area, Visit visit)
{
    const QRect r = (area.isNull() ? img.rect() : area).intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (match(img.pixel(x, y)))
                visit(x, y);
}

} // namespace

QRect pixelBox(const QImage& img, const PixelMatch& match, QRect area)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    forMatching(img, match, area, [&](int x, int y) {
        l = std::min(l, x);
        t = std::min(t, y);
        r = std::max(r, x);
        b = std::max(b, y);
    });
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

int countPixels(const QImage& img, const PixelMatch& match, QRect area)
{
    int n = 0;
    forMatching(img, match, area, [&](int, int) { ++n; });
    return n;
}

fw::TRect toTRect(const QRect& box)
{
    return box.isNull() ? fw::TRect() : fw::TRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
}

QRect toQRect(const fw::TRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

QString shotFolder()
{
    return qEnvironmentVariable("GC_SCREENSHOT_DIR");
}

void keepShot(const QImage& image, const QString& name)
{
    const QString dir = shotFolder();
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void keepShot(QWidget* widget, const QString& name, ShotTiming timing)
{
    if (shotFolder().isEmpty())
        return;
    if (timing == ShotTiming::AfterPendingEvents)
        QCoreApplication::processEvents();
    keepShot(widget->grab().toImage(), name);
}

namespace {

void clickCellAt(fw::TStringGrid* grid, QPoint at)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents();
}

} // namespace

void clickCellNearLeftEdge(fw::TStringGrid* grid, int displayCol, int row)
{
    const fw::TRect r = grid->CellRect(displayCol, row);
    clickCellAt(grid, QPoint(r.Left + 6, r.Top + r.Height() / 2));
}

void clickCellCentre(fw::TStringGrid* grid, int displayCol, int row)
{
    const fw::TRect r = grid->CellRect(displayCol, row);
    clickCellAt(grid, QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
}

fw::TModalResult runModal(fw::TForm& form, const std::function<void()>& step, int timeoutMs)
{
    QTimer::singleShot(0, &form, step);
    // Stopped when this loop ends, so it never reaches a later loop of the same form.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &form, [&form, timeoutMs] {
        if (form.Modal()) {
            ADD_FAILURE() << "modal loop still open after " << timeoutMs << " ms";
            form.SetModalResult(modalTimedOut);
        }
    });
    guard.start(timeoutMs);
    return form.ShowModal();
}

} // namespace testsupport
