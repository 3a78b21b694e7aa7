#pragma once
// Decoding of text files written by other programs: a byte-order mark selects
// UTF-8 or UTF-16; without one, valid UTF-8 is read as such and anything else
// in the Western Windows code page (1252), which the desktop used for files
// without a mark.
#include <QByteArray>
#include <QString>

namespace fw {

QString DecodeText(const QByteArray& bytes);

} // namespace fw
