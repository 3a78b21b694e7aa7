#pragma once
// Decoding of text files written by other programs: a byte-order mark selects
// UTF-8 or UTF-16; without one, valid UTF-8 is read as such and anything else
// in the Western Windows code page (1252), which the desktop used for files
// without a mark.
#include <QByteArray>
#include <QString>

class QIODevice;

namespace fw {

QString DecodeText(const QByteArray& bytes);

// Text in the Western Windows code page (1252), for files that other
// programs read in that page; a character the page lacks becomes "?".
QByteArray EncodeCp1252(const QString& text);

// Settings, language, INI and XML files are small; anything larger than this
// is refused instead of being read into memory without bound.
constexpr qint64 MaxTextFileSize = 64 * 1024 * 1024;

// Reads the whole regular file `path` of at most maxBytes bytes; a folder,
// pipe or device is refused, since it may never end. False with the reason
// (without the file name) in *error and bytes empty on failure.
bool ReadFileBytes(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error = nullptr);

// Reads what `device` holds from its position to its end, at most maxBytes
// bytes, in pieces: memory is taken for what is there, not for the limit.
// False with bytes empty when the device fails (its reason in *error) or
// holds more than maxBytes (*error empty).
bool ReadDeviceBytes(QIODevice& device, qint64 maxBytes, QByteArray& bytes, QString* error = nullptr);

// Reads a whole file of at most maxSize bytes. False with a message
// (naming the file) when it cannot be opened or read or is too large.
bool ReadTextFileBytes(const QString& fileName, QByteArray& bytes, QString* error,
                       qint64 maxSize = MaxTextFileSize);

} // namespace fw
