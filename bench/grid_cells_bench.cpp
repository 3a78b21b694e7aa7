// Setting and reading 1,000,000 cells of the base grid, against a plain
// vector of strings filled and read in the same run; the string grid's raw
// storage shows what the base grid's layer adds. Each grid benchmark
// reports "x_baseline": its time per iteration divided by the baseline's.
#include "grid/foundation/BaseGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <vector>

namespace {

constexpr int Cols = 100;
constexpr int Rows = 10000; // 1,000,000 cells

const std::vector<QString>& Texts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        for (int i = 0; i < 1000; ++i)
            t.push_back(QStringLiteral("cell %1").arg(i));
        return t;
    }();
    return texts;
}

benchsupport::Baseline VectorBaseline;

void ReportRatio(benchmark::State& state, const benchsupport::Stopwatch& watch)
{
    state.counters["cells_per_s"] =
        benchmark::Counter(double(Cols) * Rows * 2 * double(state.iterations()), benchmark::Counter::kIsRate);
    VectorBaseline.report(state, "x_baseline", watch.perIteration(state));
}

// Sets every cell through set, then reads every cell back through get; the
// sum of the lengths read keeps the reads from being optimised away.
template <class Set, class Get>
qsizetype FillAndRead(Set set, Get get)
{
    const auto& texts = Texts();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            set(c, r, texts[size_t(r * Cols + c) % texts.size()]);
    qsizetype total = 0;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            total += get(c, r).size();
    return total;
}

void BM_Baseline_VectorOfStrings(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        watch.time([&] {
            std::vector<QString> cells(size_t(Cols) * Rows);
            benchmark::DoNotOptimize(FillAndRead(
                [&](int c, int r, const QString& text) { cells[size_t(r) * Cols + c] = text; },
                [&](int c, int r) -> const QString& { return cells[size_t(r) * Cols + c]; }));
        });
    }
    VectorBaseline.set(watch.perIteration(state));
    ReportRatio(state, watch);
}

// Times FillAndRead on a fresh grid of Cols x Rows; prepare runs on the grid
// before the timing starts, and building and freeing the grid is not timed.
template <class Prepare, class Set, class Get>
void RunFreshGrid(benchmark::State& state, Prepare prepare, Set set, Get get)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TBaseGrid>();
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        prepare(*grid);
        state.ResumeTiming();

        watch.time([&] {
            benchmark::DoNotOptimize(FillAndRead([&](int c, int r, const QString& text) { set(*grid, c, r, text); },
                                                 [&](int c, int r) { return get(*grid, c, r); }));
        });

        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    ReportRatio(state, watch);
}

// The string grid's own storage under the base grid, without its layer.
void BM_StringGridStorage_SetAndRead(benchmark::State& state)
{
    RunFreshGrid(
        state, [](TBaseGrid&) {},
        [](TBaseGrid& g, int c, int r, const QString& text) { g.SetGridCells(c, r, text); },
        [](TBaseGrid& g, int c, int r) { return g.GridCells(c, r); });
}

// Fills a fresh grid through Cells and reads every cell back. With `merged`
// the grid is covered by 10 x 10 blocks, so every access is redirected to
// its block's base cell.
void RunGrid(benchmark::State& state, bool merged)
{
    RunFreshGrid(
        state,
        [merged](TBaseGrid& g) {
            if (merged)
                for (int r = 0; r < Rows; r += 10)
                    for (int c = 0; c < Cols; c += 10)
                        g.MergeCells(c, r, 10, 10);
        },
        [](TBaseGrid& g, int c, int r, const QString& text) { g.SetCells(c, r, text); },
        [](TBaseGrid& g, int c, int r) { return g.Cells(c, r); });
}

void BM_BaseGrid_SetAndRead(benchmark::State& state)
{
    RunGrid(state, false);
}

void BM_BaseGrid_SetAndReadMergedBlocks(benchmark::State& state)
{
    RunGrid(state, true);
}

} // namespace

// The baseline is registered first so that its time is known to the others.
BENCHMARK(BM_Baseline_VectorOfStrings)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StringGridStorage_SetAndRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BaseGrid_SetAndRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BaseGrid_SetAndReadMergedBlocks)->Unit(benchmark::kMillisecond)->MinTime(1.0);
