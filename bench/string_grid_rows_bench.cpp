// Deleting and moving a row near the top of a full string grid: 100 columns
// by 10,000 rows (1,000,000 cells) against 100 x 100 measured in the same
// run. Each large-grid benchmark reports "x_small": its time per iteration
// divided by the small grid's for the same operation. The rows below the
// touched one all move, so the ratio follows the row count, not the cells.
#include "framework/ObjStringGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <map>
#include <memory>
#include <string>

namespace {

constexpr int Cols = 100;

std::map<std::string, benchsupport::Baseline> SmallGrid;   // operation -> its time on the small grid

std::unique_ptr<fw::TStringGrid> FullGrid(int rows)
{
    auto grid = std::make_unique<fw::TStringGrid>();
    grid->SetColCount(Cols);
    grid->SetRowCount(rows);
    const QString text = QStringLiteral("cell");
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid->SetCells(c, r, text);
    return grid;
}

// Times `op` on a full grid of `rows`; `restore` (not timed) brings the grid
// back to its full size and content.
template <class Op, class Restore>
void Run(benchmark::State& state, const std::string& name, Op op, Restore restore)
{
    const int rows = int(state.range(0));
    auto grid = FullGrid(rows);
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        watch.time([&] { op(*grid, rows); });
        state.PauseTiming();
        restore(*grid, rows);
        state.ResumeTiming();
    }
    const double perIteration = watch.perIteration(state);
    if (rows == 100)
        SmallGrid[name].set(perIteration);
    else
        SmallGrid[name].report(state, "x_small", perIteration);
}

void BM_DeleteRow(benchmark::State& state)
{
    Run(
        state, "DeleteRow", [](fw::TStringGrid& g, int) { g.DeleteRow(1); },
        [](fw::TStringGrid& g, int rows) {
            g.SetRowCount(rows);
            const QString text = QStringLiteral("cell");
            for (int c = 0; c < Cols; ++c)
                g.SetCells(c, rows - 1, text);
        });
}

void BM_MoveRow(benchmark::State& state)
{
    // Down to the end and back: every row below the first moves twice.
    Run(
        state, "MoveRow",
        [](fw::TStringGrid& g, int rows) {
            g.MoveRow(1, rows - 1);
            g.MoveRow(rows - 1, 1);
        },
        [](fw::TStringGrid&, int) {});
}

} // namespace

// The small grid runs first so that its time is known to the large one.
BENCHMARK(BM_DeleteRow)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveRow)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
