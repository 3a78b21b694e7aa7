#pragma once
// Helpers shared by the tests: temporary folders and test data paths.
#include <QColor>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Folder of the checked-in test data (tests/data).
QString dataPath(const QString& relative = {});

// Reads a whole file as bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);

// Writes bytes to a file, creating parent folders; false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);

// A w x h picture of one colour, encoded as PNG.
QByteArray pngBytes(int w, int h, QRgb color);

} // namespace testsupport
