// Saving and loading CSV files, against Python's csv module (its C reader
// and writer) on the same data, timed by a small script in the same run.
// Both sides report the best of three runs. Three shapes: 100 columns x
// 10,000 rows (1,000,000 cells), and a tall table of 2 columns x 500,000
// rows, whose load is also timed at 250,000 rows: a load that stays linear
// takes about twice as long for twice the rows ("x_250k" of the tall load).
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
#include <map>
#include <memory>
#include <utility>

namespace {

// A table shape of the benchmarks.
struct TShape {
    int Cols;
    int Rows;
};

constexpr TShape Wide{100, 10000};   // 1,000,000 cells
constexpr TShape Tall{2, 500000};
constexpr TShape Tall250k{2, 250000};

QString CellText(const TShape& s, int c, int r)
{
    // Some fields need quotes, as real tables do.
    if ((c + r) % 10 == 0)
        return QStringLiteral("text, with comma %1").arg(r);
    return QStringLiteral("cell %1").arg(qint64(r) * s.Cols + c);
}

std::unique_ptr<TFxStringGrid> FilledGrid(const TShape& s)
{
    auto g = std::make_unique<TFxStringGrid>();
    g->SetColCount(s.Cols);
    g->SetRowCount(s.Rows);
    for (int r = 0; r < s.Rows; ++r)
        for (int c = 0; c < s.Cols; ++c)
            g->SetCells(c, r, CellText(s, c, r));
    return g;
}

QTemporaryDir& Dir()
{
    static QTemporaryDir dir;
    return dir;
}

QString FileOf(const TShape& s, const char* stem)
{
    return Dir().filePath(QStringLiteral("%1-%2x%3.csv").arg(QLatin1String(stem)).arg(s.Cols).arg(s.Rows));
}

// Python's seconds for writing and reading the same cells, measured once per shape.
struct PythonTimes {
    double durableWrite = 0, plainWrite = 0, read = 0;
};

PythonTimes MeasurePython(const TShape& s)
{
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
            {QStringLiteral("-c"), QString::fromUtf8(script), QString::number(s.Cols), QString::number(s.Rows),
             FileOf(s, "py")});
    if (p.waitForFinished(300000) && p.exitCode() == 0) {
        const QStringList parts = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (parts.size() == 3) {
            r.durableWrite = parts[0].toDouble();
            r.plainWrite = parts[1].toDouble();
            r.read = parts[2].toDouble();
        }
    }
    return r;
}

const PythonTimes& Python(const TShape& s)
{
    static std::map<std::pair<int, int>, PythonTimes> times;
    const auto key = std::make_pair(s.Cols, s.Rows);
    auto it = times.find(key);
    if (it == times.end())
        it = times.emplace(key, MeasurePython(s)).first;
    return it->second;
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

void SaveCase(benchmark::State& state, const TShape& s)
{
    auto g = FilledGrid(s);
    const QString file = FileOf(s, "grid");
    benchsupport::Stopwatch watch;
    const double best = Best(state, watch, [&] { g->SaveToCSV(file, true); });
    state.counters["seconds"] = best;
    if (Python(s).durableWrite > 0) {
        state.counters["x_python"] = best / Python(s).durableWrite;
        state.counters["x_python_plain"] = best / Python(s).plainWrite;
    }
}

// The best load time of each shape, for the ratio of the tall shapes.
std::map<std::pair<int, int>, double>& LoadTimes()
{
    static std::map<std::pair<int, int>, double> times;
    return times;
}

double LoadCase(benchmark::State& state, const TShape& s)
{
    const QString file = FileOf(s, "grid");
    FilledGrid(s)->SaveToCSV(file, true);
    benchsupport::Stopwatch watch;
    double best = 1e9;
    for (auto _ : state) {
        auto dst = std::make_unique<TFxStringGrid>();
        const double before = watch.seconds();
        watch.time([&] { dst->LoadFromCSV(file); });
        best = std::min(best, watch.seconds() - before);
        if (dst->RowCount() != s.Rows || dst->Cells(s.Cols - 1, s.Rows - 1) != CellText(s, s.Cols - 1, s.Rows - 1))
            state.SkipWithError("the loaded grid differs");
    }
    state.counters["seconds"] = best;
    if (Python(s).read > 0)
        state.counters["x_python"] = best / Python(s).read;
    // The best over every repetition, so that the ratio of the tall shapes
    // does not depend on which repetition of the smaller one ran last.
    const auto [it, added] = LoadTimes().emplace(std::make_pair(s.Cols, s.Rows), best);
    if (!added)
        it->second = std::min(it->second, best);
    return best;
}

void BM_SaveToCSV(benchmark::State& state) { SaveCase(state, Wide); }
void BM_LoadFromCSV(benchmark::State& state) { LoadCase(state, Wide); }
void BM_SaveToCSV_Tall(benchmark::State& state) { SaveCase(state, Tall); }
void BM_LoadFromCSV_Tall250k(benchmark::State& state) { LoadCase(state, Tall250k); }

void BM_LoadFromCSV_Tall(benchmark::State& state)
{
    const double best = LoadCase(state, Tall);
    const auto half = LoadTimes().find({Tall250k.Cols, Tall250k.Rows});
    if (half != LoadTimes().end() && half->second > 0)
        state.counters["x_250k"] = best / half->second;
}

} // namespace

BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFromCSV)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveToCSV_Tall)->Unit(benchmark::kMillisecond)->Iterations(3);
// The 250k load runs first: the 500k load reports its ratio to it.
BENCHMARK(BM_LoadFromCSV_Tall250k)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadFromCSV_Tall)->Unit(benchmark::kMillisecond)->Iterations(5);
