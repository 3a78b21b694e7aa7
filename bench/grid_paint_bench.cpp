// Painting one viewport of the base grid must cost the same however many
// rows lie outside it. Each case paints the same 800 x 600 view, scrolled to
// the middle of the grid; "x_1000_rows" is its time per paint divided by the
// time per paint of the 1,000-row grid measured first in the same run.
#include "grid/foundation/BaseGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <memory>

namespace {

benchsupport::Baseline ThousandRows;   // time per paint of the 1,000-row grid

std::unique_ptr<TBaseGrid> MakeGrid(int rows)
{
    auto grid = std::make_unique<TBaseGrid>();
    grid->SetColCount(12);
    grid->SetRowCount(rows);
    grid->resize(800, 600);
    grid->SetTopRow(rows / 2);
    // Only the cells in view carry text; the storage cost is another benchmark's.
    for (int r = rows / 2 - 1; r < rows / 2 + 40 && r < rows; ++r)
        for (int c = 0; c < 12; ++c)
            grid->SetCells(c, r, QStringLiteral("R%1 C%2").arg(r).arg(c));
    return grid;
}

void BM_PaintViewport(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto grid = MakeGrid(rows);
    QImage image(grid->size(), QImage::Format_RGB32);
    constexpr int Paints = 20;
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        watch.time([&] {
            for (int i = 0; i < Paints; ++i)
                grid->render(&image);
        });
    }
    const double perPaint = watch.perIteration(state, Paints);
    if (rows == 1000)
        ThousandRows.set(perPaint);
    ThousandRows.report(state, "x_1000_rows", perPaint);
}

} // namespace

BENCHMARK(BM_PaintViewport)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
