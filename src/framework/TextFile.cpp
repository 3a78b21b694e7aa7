#include "framework/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

namespace fw {

namespace {

// Code points of the bytes 0x80..0x9F in code page 1252; the rest of the
// page equals Latin-1. Undefined bytes keep their Latin-1 meaning.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        out += QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

// The caller has taken the file's byte-order mark off already; a second
// U+FEFF belongs to the text and is kept.
QString decodeWith(QStringConverter::Encoding enc, const QByteArray& bytes)
{
    QStringDecoder dec(enc, QStringConverter::Flag::ConvertInitialBom);
    return dec.decode(bytes);
}

} // namespace

QString DecodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringConverter::Utf8, bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, bytes.mid(2));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}

QByteArray EncodeCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        char b = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = char(u);
        } else {
            for (int i = 0; i < 32; ++i)
                if (kCp1252High[i] == u)
                    b = char(0x80 + i);
        }
        out += b;
    }
    return out;
}

bool ReadFileBytes(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error)
{
    auto fail = [&](const QString& reason) {
        bytes.clear();
        if (error)
            *error = reason;
        return false;
    };
    const QString tooLarge = QStringLiteral("The file is larger than %1 bytes").arg(maxBytes);
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("It is a folder"));
    // A missing file is left to open() below, which names the reason.
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("It is not a regular file"));
    if (info.size() > maxBytes)
        return fail(tooLarge);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    // A file still growing is caught by the limit too.
    QString reason;
    if (!ReadDeviceBytes(f, maxBytes, bytes, &reason))
        return fail(reason.isEmpty() ? tooLarge : reason);
    return true;
}

bool ReadDeviceBytes(QIODevice& device, qint64 maxBytes, QByteArray& bytes, QString* error)
{
    bytes.clear();
    // What the device says it holds sizes the buffer; past that (a device
    // that cannot tell, or one still growing) the buffer grows geometrically.
    // Never a buffer of the limit's size for a few bytes.
    const qint64 available = device.bytesAvailable();
    if (available > 0)
        bytes.reserve(qsizetype(std::min(available, maxBytes) + 1));
    constexpr qint64 kPiece = 64 * 1024;
    std::vector<char> piece;
    for (;;) {
        const qint64 room = maxBytes + 1 - bytes.size();
        const qint64 spare = qint64(bytes.capacity() - bytes.size());
        qint64 got = 0;
        if (spare > 0) {
            // Straight into the room already reserved.
            const qsizetype at = bytes.size();
            const qint64 want = std::min(room, spare);
            bytes.resize(at + qsizetype(want));
            got = device.read(bytes.data() + at, want);
            bytes.resize(at + qsizetype(std::max<qint64>(got, 0)));
        } else {
            // Only data that is there makes the buffer grow.
            piece.resize(std::size_t(kPiece));
            got = device.read(piece.data(), std::min(room, kPiece));
            if (got > 0)
                bytes.append(piece.data(), qsizetype(got));
        }
        if (got < 0) {
            bytes.clear();
            if (error)
                *error = device.errorString();
            return false;
        }
        if (bytes.size() > maxBytes) {
            bytes.clear();
            if (error)
                error->clear();
            return false;
        }
        if (got == 0)
            return true;
    }
}

bool ReadTextFileBytes(const QString& fileName, QByteArray& bytes, QString* error, qint64 maxSize)
{
    QString reason;
    if (ReadFileBytes(fileName, maxSize, bytes, &reason))
        return true;
    if (error)
        *error = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
    return false;
}

} // namespace fw
