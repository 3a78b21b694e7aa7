// Saving and loading 1,000,000 cells as CSV, against Python's csv module (its
// C reader and writer) on the same data, timed by a small script in the same
// run. Reports "x_python": the grid's time divided by Python's.
#include "grid/model/FxGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int Cols = 100;
constexpr int Rows = 10000;   // 1,000,000 cells

QString CellText(int c, int r)
{
    // Some fields need quotes, as real tables do.
    if ((c + r) % 10 == 0)
        return QStringLiteral("text, with comma %1").arg(r);
    return QStringLiteral("cell %1").arg(r * Cols + c);
}

std::unique_ptr<TFxStringGrid> FilledGrid()
{
    auto g = std::make_unique<TFxStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            g->SetCells(c, r, CellText(c, r));
    return g;
}

QTemporaryDir& Dir()
{
    static QTemporaryDir dir;
    return dir;
}

// Python's seconds for writing and reading the same cells, measured once.
struct PythonTimes {
    double write = 0, read = 0;
};

PythonTimes& Python()
{
    static PythonTimes t = [] {
        PythonTimes r;
        if (!QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable())
            return r;
        static const char* script = R"(
import csv, sys, time
cols, rows, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
data = [[("text, with comma %d" % r) if (c + r) % 10 == 0 else ("cell %d" % (r * cols + c)) for c in range(cols)]
        for r in range(rows)]
best_w = best_r = 1e9
for _ in range(3):
    t = time.perf_counter()
    with open(path, "w", newline="", encoding="utf-8") as f:
        csv.writer(f).writerows(data)
    best_w = min(best_w, time.perf_counter() - t)
    t = time.perf_counter()
    with open(path, newline="", encoding="utf-8") as f:
        back = list(csv.reader(f))
    best_r = min(best_r, time.perf_counter() - t)
assert back == data
print(best_w, best_r)
)";
        QProcess p;
        p.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"), QString::fromUtf8(script), QString::number(Cols), QString::number(Rows),
                 Dir().filePath(QStringLiteral("py.csv"))});
        if (p.waitForFinished(300000) && p.exitCode() == 0) {
            const QStringList parts = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char(' '));
            if (parts.size() == 2) {
                r.write = parts[0].toDouble();
                r.read = parts[1].trimmed().toDouble();
            }
        }
        return r;
    }();
    return t;
}

void BM_SaveToCSV(benchmark::State& state)
{
    auto g = FilledGrid();
    const QString file = Dir().filePath(QStringLiteral("grid.csv"));
    benchsupport::Stopwatch watch;
    for (auto _ : state)
        watch.time([&] { g->SaveToCSV(file, true); });
    if (Python().write > 0)
        state.counters["x_python"] = watch.perIteration(state) / Python().write;
}

void BM_LoadFromCSV(benchmark::State& state)
{
    auto g = FilledGrid();
    const QString file = Dir().filePath(QStringLiteral("grid.csv"));
    g->SaveToCSV(file, true);
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        auto dst = std::make_unique<TFxStringGrid>();
        watch.time([&] { dst->LoadFromCSV(file); });
        if (dst->Cells(Cols - 1, Rows - 1) != CellText(Cols - 1, Rows - 1))
            state.SkipWithError("the loaded grid differs");
    }
    if (Python().read > 0)
        state.counters["x_python"] = watch.perIteration(state) / Python().read;
}

} // namespace

BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFromCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
