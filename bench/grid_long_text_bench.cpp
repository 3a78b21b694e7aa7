// Painting one 800 x 600 viewport of the feature grid whose cells each hold
// one unbroken word of 60,000 characters, against the same viewport whose
// cells hold 10-character texts. A cell shows only what fits it, so a paint
// must cost what the visible lines cost, whatever the length of the text:
// each long-text case reports "x_short", its time per paint divided by the
// short-text case of the same kind measured earlier in this run.
//
// Kinds: "wrap" is the grid's default (word wrap on: the word is cut into
// lines of the cell's width, as the mnemonic column of the DMX default values
// shows it), "single" has word wrap off (one clipped line), "ellipsis" word
// wrap off with EnhTextSize (the cut line ends in "..."). "Warm" cases paint
// the same texts again (hover, blink and selection repaints); "Cold" cases
// change every cell's text before each paint, so nothing measured before
// helps. Times are the process's CPU time per paint, as in
// grid_paint_bench.
#include "grid/model/FxGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <ctime>
#include <map>
#include <string>

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int ColWidth = 120;
constexpr int RowHeight = 40;   // two lines of the default font
constexpr int Cols = 8;
constexpr int Rows = 40;
constexpr int LongLength = 60000;
constexpr int ShortLength = 10;

enum TKind { kWrap, kSingle, kEllipsis };
const char* const KindNames[] = {"wrap", "single", "ellipsis"};

std::map<std::string, benchsupport::Baseline> ShortTimes;   // by kind and warm/cold

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// One unbroken word of `length` characters, different for every cell and
// every round, so that no cache keyed by the text can answer for another.
QString Word(int length, int c, int r, int round)
{
    QString s = QStringLiteral("%1r%2c%3").arg(round).arg(r).arg(c);
    s.reserve(length);
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (int i = int(s.size()); i < length; ++i)
        s += letters.at((i * 7 + c * 3 + r) % letters.size());
    s.truncate(length);
    return s;
}

void Fill(TFxStringGrid& grid, int length, int round)
{
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 1; c < grid.ColCount(); ++c)
            grid.SetCells(c, r, Word(length, c, r, round));
}

void RunCase(benchmark::State& state, int length)
{
    const TKind kind = TKind(state.range(0));
    const bool cold = state.range(1) != 0;
    TFxStringGrid grid;
    grid.SetColCount(Cols + 1);   // the header column
    grid.SetRowCount(Rows + 1);   // the header row
    grid.SetDefaultColWidth(ColWidth);
    grid.SetDefaultRowHeight(RowHeight);
    grid.SetWordWrap(kind == kWrap);
    grid.SetEnhTextSize(kind == kEllipsis);
    Fill(grid, length, 0);
    grid.resize(Width, Height);
    grid.show();
    QApplication::processEvents();

    QImage image(grid.size(), QImage::Format_RGB32);
    grid.render(&image);   // the first paint lays out what every paint shares
    double seconds = 0;
    int paints = 0;
    int round = 1;
    for (auto _ : state) {
        if (cold)
            Fill(grid, length, round++);
        const double start = ProcessCpuSeconds();
        grid.render(&image);
        seconds += ProcessCpuSeconds() - start;
        ++paints;
    }
    const double perPaint = seconds / paints;
    state.counters["ms_per_paint"] = perPaint * 1000;
    const std::string key = std::string(KindNames[kind]) + (cold ? "/cold" : "/warm");
    if (length == ShortLength)
        ShortTimes[key].set(perPaint);
    else
        ShortTimes[key].report(state, "x_short", perPaint);
    state.SetLabel(key);
}

void BM_PaintViewport_ShortTexts(benchmark::State& state) { RunCase(state, ShortLength); }
void BM_PaintViewport_LongWords(benchmark::State& state) { RunCase(state, LongLength); }

void Kinds(benchmark::internal::Benchmark* b)
{
    for (int kind : {kWrap, kSingle, kEllipsis})
        for (int cold : {0, 1})
            b->Args({kind, cold});
}

} // namespace

// The short texts run first so that their times are known to the long ones.
BENCHMARK(BM_PaintViewport_ShortTexts)->Apply(Kinds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewport_LongWords)->Apply(Kinds)->Unit(benchmark::kMillisecond);
