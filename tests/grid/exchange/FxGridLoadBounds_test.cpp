// What loading costs: a load takes memory for what its stream or file holds,
// not for the largest one it would accept, and growing a grid row by row
// (or a thousand rows at a time) costs in proportion to the rows, not to
// their square.
#include "grid/model/FxGrid.h"

#include "grid/foundation/FxObj.h"
#include "grid/foundation/FxOptions.h"
#include "framework/StringList.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <functional>
#include <memory>

// Every byte handed out through operator new in this program (the grid's
// code included): what growing a grid allocates in total, moved copies
// included, shows whether the growth is amortised.
namespace {
std::atomic<std::uint64_t> gNewBytes{0};
}

// Every form is replaced, so that whatever allocates also frees through
// malloc and free (the address sanitizer checks that the two match).
void* operator new(std::size_t n)
{
    gNewBytes.fetch_add(n, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    gNewBytes.fetch_add(n, std::memory_order_relaxed);
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void* operator new(std::size_t n, std::align_val_t a)
{
    gNewBytes.fetch_add(n, std::memory_order_relaxed);
    const std::size_t align = std::max(std::size_t(a), sizeof(void*));
    if (void* p = std::aligned_alloc(align, (std::max<std::size_t>(n, 1) + align - 1) / align * align))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n, std::align_val_t a) { return operator new(n, a); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    try {
        return operator new(n, a);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t& t) noexcept
{
    return operator new(n, a, t);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

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

namespace {

// One way a grid grows to `rows` rows; `prepare` runs untimed and unmeasured.
struct TGrowth {
    const char* name;
    std::function<void(int rows, const QString& folder)> prepare;
    std::function<void(TFxStringGrid&, int rows, const QString& folder)> grow;
};

QString In(const QString& folder, const char* name)
{
    return folder + QLatin1Char('/') + QLatin1String(name);
}

std::vector<TGrowth> Growths()
{
    auto csvFile = [](int rows, const QString& folder) {
        QByteArray b;
        for (int i = 0; i < rows; ++i)
            b += QByteArray::number(i) + ",2\r\n";
        testsupport::writeFile(In(folder, "g.csv"), b);
    };
    auto wholeGrid = [](int rows) {
        auto g = std::make_unique<TFxStringGrid>();
        g->SetColCount(2);
        g->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            g->SetCells(1, r, QString::number(r));
        return g;
    };
    return {
        {"CSV load", csvFile, [](TFxStringGrid& g, int, const QString& f) { g.LoadFromCSV(In(f, "g.csv")); }},
        {"CSV insert", csvFile, [](TFxStringGrid& g, int, const QString& f) { g.InsertFromCSV(In(f, "g.csv")); }},
        {"fixed width",
         [](int rows, const QString& folder) {
             QByteArray b;
             for (int i = 0; i < rows; ++i)
                 b += "abcdefgh\r\n";
             testsupport::writeFile(In(folder, "g.txt"), b);
         },
         [](TFxStringGrid& g, int, const QString& f) {
             TIntList p(0, 0);
             p.Add(1);
             p.Add(5);
             p.Add(9);
             g.LoadFromFixed(In(f, "g.txt"), p, true, -1);
         }},
        {"native text",
         [wholeGrid](int rows, const QString& folder) { wholeGrid(rows)->SaveToFile(In(folder, "g.grd")); },
         [](TFxStringGrid& g, int, const QString& f) { g.LoadFromFile(In(f, "g.grd")); }},
        {"binary",
         [wholeGrid](int rows, const QString& folder) { wholeGrid(rows)->SaveToBinFile(In(folder, "g.bin")); },
         [](TFxStringGrid& g, int, const QString& f) { g.LoadFromBinFile(In(f, "g.bin")); }},
        {"XML",
         [](int rows, const QString& folder) {
             QByteArray b = "<l>";
             for (int i = 0; i < rows; ++i)
                 b += "<r><a>1</a><b>2</b></r>";
             testsupport::writeFile(In(folder, "g.xml"), b + "</l>");
         },
         [](TFxStringGrid& g, int, const QString& f) { g.LoadFromXML(In(f, "g.xml"), false, false); }},
        {"paste", nullptr,
         [](TFxStringGrid& g, int rows, const QString&) {
             QString text;
             for (int i = 0; i < rows; ++i)
                 text += QString::number(i) + QStringLiteral("\tb\r\n");
             g.SetOptions(g.Options() | fw::goEditing);
             g.Navigation().SetAllowClipboardRowGrow(true);
             int cols = 0, lines = 0;
             g.PasteTextAt(1, 1, cols, lines, text);
         }},
        {"AddRow in a loop", nullptr,
         [](TFxStringGrid& g, int rows, const QString&) {
             while (g.RowCount() < rows)
                 g.AddRow();
         }},
    };
}

} // namespace

TEST(LoadBounds, GrowingAGridAllocatesInProportionToItsRows)
{
    // Bytes allocated for four times the rows: about four times as many
    // when growth is amortised, sixteen when every step moves every row.
    constexpr int kRows = 5000;
    QTemporaryDir dir;
    for (const TGrowth& k : Growths()) {
        std::uint64_t bytes[2] = {0, 0};
        for (int i = 0; i < 2; ++i) {
            const int rows = kRows << (2 * i);
            if (k.prepare)
                k.prepare(rows, dir.path());
            auto g = std::make_unique<TFxStringGrid>();
            const std::uint64_t before = gNewBytes.load();
            k.grow(*g, rows, dir.path());
            bytes[i] = gNewBytes.load() - before;
            ASSERT_GE(g->RowCount(), rows) << k.name;
        }
        EXPECT_LT(double(bytes[1]) / double(std::max<std::uint64_t>(bytes[0], 1)), 6.0)
            << k.name << ": " << bytes[0] << " bytes for " << kRows << " rows, " << bytes[1] << " for "
            << 4 * kRows;
    }
}

TEST(LoadBounds, AddingStringsAFewAtATimeAllocatesInProportionToTheList)
{
    // Column item lists and combo lists are filled this way.
    std::uint64_t bytes[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const int count = 5000 << (2 * i);
        const QStringList piece{QStringLiteral("a"), QStringLiteral("b")};
        fw::TStringList list;
        const std::uint64_t before = gNewBytes.load();
        for (int k = 0; k < count / 2; ++k)
            list.AddStrings(piece);
        bytes[i] = gNewBytes.load() - before;
        ASSERT_EQ(list.Count(), count);
    }
    EXPECT_LT(double(bytes[1]) / double(std::max<std::uint64_t>(bytes[0], 1)), 6.0) << bytes[0] << ", " << bytes[1];
}
