#include "framework/TextFile.h"

#include <QBuffer>
#include <QIODevice>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(TextFile, Cp1252EncodingIsTheDecodersInverse)
{
    // Euro sign, curly quotes and the Latin-1 half land on their code page bytes.
    const QString text = QStringLiteral("\u20AC 5 \u201Cdim\u201D caf\u00E9 \u0152uvre \u00FF");
    const QByteArray bytes = fw::EncodeCp1252(text);
    EXPECT_EQ(bytes, QByteArray("\x80 5 \x93" "dim\x94 caf\xE9 \x8Cuvre \xFF"));
    EXPECT_EQ(fw::DecodeText(bytes), text);
    // Characters the page lacks become a question mark, one per character.
    EXPECT_EQ(fw::EncodeCp1252(QStringLiteral("\u03A9 \u4E2D")), QByteArray("? ?"));
}

TEST(TextFile, OnlyTheByteOrderMarkIsTakenOffTheText)
{
    // A text that itself begins with U+FEFF (a cell of a file saved with a
    // byte-order mark) keeps it: one mark is the file's, the next is text.
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")},
        {"UTF-16LE", QByteArray("\xFF\xFE\xFF\xFEx\x00", 6)},
        {"UTF-16BE", QByteArray("\xFE\xFF\xFE\xFF\x00x", 6)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fw::DecodeText(c.bytes), QStringLiteral("\uFEFFx")) << c.name;
    EXPECT_EQ(fw::DecodeText(QByteArray("\xEF\xBB\xBFx")), QStringLiteral("x"));
}

// A pipe-like device that hands out `total` bytes in small pieces and says
// nothing about how many are left.
class TTrickle : public QIODevice {
public:
    explicit TTrickle(qint64 total) : Total(total) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 n = std::min<qint64>({max, 7, Total - Sent});
        std::memset(data, 'x', std::size_t(n));
        Sent += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 Total, Sent = 0;
};

TEST(TextFile, DeviceReadsTakeWhatIsThereUpToTheLimit)
{
    struct Case {
        const char* name;
        qint64 held, limit;
        bool sequential, ok;
    } cases[] = {
        {"buffer below the limit", 100, 1000, false, true},
        {"buffer at the limit", 1000, 1000, false, true},
        {"buffer past the limit", 1001, 1000, false, false},
        {"empty buffer", 0, 1000, false, true},
        {"pipe below the limit", 200000, 300000, true, true},
        {"pipe at the limit", 300000, 300000, true, true},
        {"pipe past the limit", 300001, 300000, true, false},
    };
    for (const Case& k : cases) {
        QByteArray data(k.held, 'x');
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        TTrickle pipe(k.held);
        QIODevice& device = k.sequential ? static_cast<QIODevice&>(pipe) : buffer;
        QByteArray read = "old";
        QString error = QStringLiteral("old");
        EXPECT_EQ(fw::ReadDeviceBytes(device, k.limit, read, &error), k.ok) << k.name;
        EXPECT_EQ(read.size(), k.ok ? k.held : 0) << k.name;
        EXPECT_TRUE(read.count('x') == read.size()) << k.name;
        if (!k.ok)
            EXPECT_TRUE(error.isEmpty()) << k.name;
        // A few bytes never take memory for the limit.
        if (k.ok)
            EXPECT_LT(read.capacity(), std::max<qsizetype>(2 * k.held, 64 * 1024 + 64)) << k.name;
    }
}

} // namespace
