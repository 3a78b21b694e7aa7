// What loading costs: a load takes memory for what its stream or file holds,
// not for the largest one it would accept.
#include "grid/model/FxGrid.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr rlim_t kAddressSpaceLimit = rlim_t(300) * 1024 * 1024;

std::unique_ptr<TFxStringGrid> SmallGrid()
{
    auto g = std::make_unique<TFxStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(3);
    return g;
}

QByteArray Bytes(const std::function<void(TFxStringGrid&, QIODevice&)>& save)
{
    auto g = SmallGrid();
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 2, QStringLiteral("b"));
    QByteArray data;
    QBuffer b(&data);
    b.open(QIODevice::WriteOnly);
    save(*g, b);
    return data;
}

struct TSmallLoad {
    const char* name;
    std::function<void(TFxStringGrid&, const QString& folder)> load;
};

// Each load reads about a hundred bytes and must find "b" at (2, 2).
std::vector<TSmallLoad> SmallLoads()
{
    const QByteArray csv = "x,y,z\r\n1,a,2\r\n3,4,b\r\n";
    const QByteArray bin = Bytes([](TFxStringGrid& g, QIODevice& s) { g.SaveToBinStream(s); });
    const QByteArray native = Bytes([](TFxStringGrid& g, QIODevice& s) { g.SaveToStream(s); });
    auto fromBuffer = [](const QByteArray& bytes, const std::function<void(TFxStringGrid&, QIODevice&)>& f) {
        return [bytes, f](TFxStringGrid& g, const QString&) {
            QByteArray data = bytes;
            QBuffer b(&data);
            b.open(QIODevice::ReadOnly);
            f(g, b);
        };
    };
    auto fromFile = [](const QByteArray& bytes, const char* name,
                       const std::function<void(TFxStringGrid&, const QString&)>& f) {
        return [bytes, name, f](TFxStringGrid& g, const QString& folder) {
            const QString path = folder + QLatin1Char('/') + QLatin1String(name);
            testsupport::writeFile(path, bytes);
            f(g, path);
        };
    };
    return {
        {"CSV stream", fromBuffer(csv, [](TFxStringGrid& g, QIODevice& s) { g.LoadFromCSVStream(s); })},
        {"binary stream", fromBuffer(bin, [](TFxStringGrid& g, QIODevice& s) { g.LoadFromBinStream(s); })},
        {"binary stream at a point",
         fromBuffer(bin, [](TFxStringGrid& g, QIODevice& s) { g.LoadAtPointFromBinStream(fw::TPoint(0, 0), s); })},
        {"native stream", fromBuffer(native, [](TFxStringGrid& g, QIODevice& s) { g.LoadFromStream(s); })},
        {"CSV file", fromFile(csv, "s.csv", [](TFxStringGrid& g, const QString& p) { g.LoadFromCSV(p); })},
        {"binary file", fromFile(bin, "s.bin", [](TFxStringGrid& g, const QString& p) { g.LoadFromBinFile(p); })},
    };
}

// Runs in a child process: load `index` under the limit; exit code 0 when
// it worked.
[[noreturn]] void LoadUnderTheLimit(std::size_t index, const QString& folder)
{
    const rlimit limit{kAddressSpaceLimit, kAddressSpaceLimit};
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        std::_Exit(2);
    try {
        auto g = SmallGrid();
        SmallLoads()[index].load(*g, folder);
        std::_Exit(g->Cells(2, 2) == QLatin1String("b") ? 0 : 3);
    } catch (...) {
        std::_Exit(1);
    }
}

} // namespace

TEST(LoadBounds, SmallLoadsWorkUnderA300MegabyteAddressSpaceLimit)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer reserves far more address space than the limit";
    // The loads themselves work without a limit.
    QTemporaryDir dir;
    for (const TSmallLoad& l : SmallLoads()) {
        auto g = SmallGrid();
        ASSERT_NO_THROW(l.load(*g, dir.path())) << l.name;
        ASSERT_EQ(g->Cells(2, 2), QLatin1String("b")) << l.name;
    }
    // A fresh process (the test program run again for this statement alone)
    // fits in the limit; each load must too.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto loads = SmallLoads();
    for (std::size_t i = 0; i < loads.size(); ++i)
        EXPECT_EXIT(LoadUnderTheLimit(i, dir.path()), ::testing::ExitedWithCode(0), "") << loads[i].name;
}
