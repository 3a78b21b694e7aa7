#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QString dataPath(const QString& relative)
{
    QString base = qEnvironmentVariable("GC_TEST_DATA");
    if (base.isEmpty())
        base = QStringLiteral(GC_SOURCE_TESTS_DIR "/data");
    return relative.isEmpty() ? base : base + QLatin1Char('/') + relative;
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

} // namespace testsupport
