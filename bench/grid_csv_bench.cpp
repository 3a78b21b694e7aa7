// Saving and loading 1,000,000 cells as CSV, against Python's csv module (its
// C reader and writer) on the same data, timed by a small script in the same
// run. Both sides report the best of three runs.
//
// What a save guarantees differs unless asked for: the grid replaces the file
// atomically and durably (a temporary file in the same folder, written,
// flushed to disk with fsync, renamed over the target, the folder synced),
// so a crash leaves the old file or the new one, never a part. Python's
// plain `open(path, "w")` does neither. The script therefore times two
// writes: the same durable replacement (temporary file, flush, os.fsync,
// os.replace, folder fsync), the like-for-like baseline of "x_python", and
// the plain write, the baseline of "x_python_plain". Loading reads the file
// on both sides ("x_python").
#include "grid/model/FxGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
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
    double durableWrite = 0, plainWrite = 0, read = 0;
};

PythonTimes& Python()
{
    static PythonTimes t = [] {
        PythonTimes r;
        if (!QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable())
            return r;
        static const char* script = R"(
import csv, os, sys, time
cols, rows, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
folder = os.path.dirname(path)
data = [[("text, with comma %d" % r) if (c + r) % 10 == 0 else ("cell %d" % (r * cols + c)) for c in range(cols)]
        for r in range(rows)]
def durable():
    tmp = os.path.join(folder, "." + os.path.basename(path) + ".tmp")
    with open(tmp, "w", newline="", encoding="utf-8") as f:
        csv.writer(f).writerows(data)
        f.flush()
        os.fsync(f.fileno())
    os.replace(tmp, path)
    d = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)
    os.fsync(d)
    os.close(d)
def plain():
    with open(path, "w", newline="", encoding="utf-8") as f:
        csv.writer(f).writerows(data)
best_d = best_p = best_r = 1e9
for _ in range(3):
    t = time.perf_counter()
    durable()
    best_d = min(best_d, time.perf_counter() - t)
    t = time.perf_counter()
    plain()
    best_p = min(best_p, time.perf_counter() - t)
    t = time.perf_counter()
    with open(path, newline="", encoding="utf-8") as f:
        back = list(csv.reader(f))
    best_r = min(best_r, time.perf_counter() - t)
assert back == data
print(best_d, best_p, best_r)
)";
        QProcess p;
        p.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"), QString::fromUtf8(script), QString::number(Cols), QString::number(Rows),
                 Dir().filePath(QStringLiteral("py.csv"))});
        if (p.waitForFinished(300000) && p.exitCode() == 0) {
            const QStringList parts = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
            if (parts.size() == 3) {
                r.durableWrite = parts[0].toDouble();
                r.plainWrite = parts[1].toDouble();
                r.read = parts[2].toDouble();
            }
        }
        return r;
    }();
    return t;
}

// The best time of the iterations, as the script takes the best of its runs.
template <class F>
double Best(benchmark::State& state, benchsupport::Stopwatch& watch, F&& measured)
{
    double best = 1e9;
    for (auto _ : state) {
        const double before = watch.seconds();
        watch.time(measured);
        best = std::min(best, watch.seconds() - before);
    }
    return best;
}

void BM_SaveToCSV(benchmark::State& state)
{
    auto g = FilledGrid();
    const QString file = Dir().filePath(QStringLiteral("grid.csv"));
    benchsupport::Stopwatch watch;
    const double best = Best(state, watch, [&] { g->SaveToCSV(file, true); });
    if (Python().durableWrite > 0) {
        state.counters["x_python"] = best / Python().durableWrite;
        state.counters["x_python_plain"] = best / Python().plainWrite;
    }
}

void BM_LoadFromCSV(benchmark::State& state)
{
    auto g = FilledGrid();
    const QString file = Dir().filePath(QStringLiteral("grid.csv"));
    g->SaveToCSV(file, true);
    benchsupport::Stopwatch watch;
    double best = 1e9;
    for (auto _ : state) {
        auto dst = std::make_unique<TFxStringGrid>();
        const double before = watch.seconds();
        watch.time([&] { dst->LoadFromCSV(file); });
        best = std::min(best, watch.seconds() - before);
        if (dst->Cells(Cols - 1, Rows - 1) != CellText(Cols - 1, Rows - 1))
            state.SkipWithError("the loaded grid differs");
    }
    if (Python().read > 0)
        state.counters["x_python"] = best / Python().read;
}

} // namespace

BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFromCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
