// The feature grid's model against Qt's item model: filling and reading
// 100,000 rows x 10 columns of short texts, the memory those cells take,
// hiding every other row and showing them again, and deleting 10,000
// scattered rows, sorting on a text column and filtering on a substring,
// grouping on a column of 1,000 values and ungrouping again.
// Each feature-grid benchmark of the fill reports its time ("x_qt") and its
// memory ("mem_x_qt") as ratios to the Qt case of the same run; sorting and
// filtering report "x_proxy" against Qt's sort/filter proxy model; Qt has
// no grouping, so grouping reports "x_sort" against the grid's own sort of
// the same column (grouping sorts first, then builds and removes headers).
#include "grid/model/FxFilter.h"
#include "grid/model/FxGrid.h"
#include "grid/model/FxSortSettings.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QString>

#include <malloc.h>

#include <memory>
#include <vector>

namespace {

constexpr int Cols = 10;
constexpr int Rows = 100000;

const std::vector<QString>& Texts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        for (int i = 0; i < 1000; ++i)
            t.push_back(QStringLiteral("v%1").arg(i));
        return t;
    }();
    return texts;
}

// Bytes the allocator hands out now.
double HeapInUse()
{
    return double(mallinfo2().uordblks);
}

benchsupport::Baseline QtTime;
benchsupport::Baseline QtMemory;

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

void BM_Fill1M_QStandardItemModel(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    double bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = HeapInUse();
        auto model = std::make_unique<QStandardItemModel>(Rows, Cols);
        state.ResumeTiming();
        watch.time([&] {
            benchmark::DoNotOptimize(FillAndRead(
                [&](int c, int r, const QString& t) { model->setData(model->index(r, c), t); },
                [&](int c, int r) { return model->data(model->index(r, c)).toString(); }));
        });
        state.PauseTiming();
        bytes = HeapInUse() - before;
        model.reset();
        state.ResumeTiming();
    }
    QtTime.set(watch.perIteration(state));
    QtMemory.set(bytes);
    state.counters["bytes_per_cell"] = bytes / (double(Rows) * Cols);
}

void BM_Fill1M_FxGrid(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    double bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = HeapInUse();
        auto grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        state.ResumeTiming();
        watch.time([&] {
            benchmark::DoNotOptimize(FillAndRead([&](int c, int r, const QString& t) { grid->SetCells(c, r, t); },
                                                 [&](int c, int r) { return grid->Cells(c, r); }));
        });
        state.PauseTiming();
        bytes = HeapInUse() - before;
        grid.reset();
        state.ResumeTiming();
    }
    QtTime.report(state, "x_qt", watch.perIteration(state));
    QtMemory.report(state, "mem_x_qt", bytes);
    state.counters["bytes_per_cell"] = bytes / (double(Rows) * Cols);
}

// A grid of Rows x Cols short texts, built outside the timing.
std::unique_ptr<TFxStringGrid> FilledGrid()
{
    auto grid = std::make_unique<TFxStringGrid>();
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    const auto& texts = Texts();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid->SetCells(c, r, texts[size_t(r * Cols + c) % texts.size()]);
    return grid;
}

void BM_HideRows50k_FxGrid(benchmark::State& state)
{
    std::vector<int> everyOther;
    for (int r = 1; r < Rows; r += 2)
        everyOther.push_back(r);
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = FilledGrid();
        state.ResumeTiming();
        grid->HideRowList(everyOther);
        grid->UnHideRowsAll();
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}

void BM_DeleteRows10k_FxGrid(benchmark::State& state)
{
    std::vector<int> scattered;
    for (int r = 3; r < Rows; r += Rows / 10000)
        scattered.push_back(r);
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = FilledGrid();
        state.ResumeTiming();
        grid->DeleteRowsCore(scattered);
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}

// Sorting and filtering against Qt's proxy model over the same texts. The
// grid's ratios ("x_proxy") are to the proxy case of the same run.
benchsupport::Baseline ProxySortTime;
benchsupport::Baseline ProxyFilterTime;
benchsupport::Baseline GridSortTime;

// The text of cell (c, r): the same 1,000 texts as the fill, out of order.
const QString& ShuffledText(int c, int r)
{
    const auto& texts = Texts();
    return texts[size_t(r * 7919 + c * 31) % texts.size()];
}

// Times `measured` on a proxy over a fresh model per iteration; the model
// is built outside the timing.
template <class Setup, class Measured>
double TimeOnProxy(benchmark::State& state, Setup setup, Measured measured)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        QStandardItemModel model(Rows, Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                model.setData(model.index(r, c), ShuffledText(c, r));
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        setup(proxy);
        state.ResumeTiming();
        // The proxy maps lazily: the first read after the change does the work.
        watch.time([&] {
            measured(proxy);
            benchmark::DoNotOptimize(proxy.index(0, 0).data());
        });
    }
    return watch.perIteration(state);
}

// The same on a fresh grid per iteration, built and freed outside the timing.
template <class Setup, class Measured>
double TimeOnGrid(benchmark::State& state, Setup setup, Measured measured)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                grid->SetCells(c, r, ShuffledText(c, r));
        setup(*grid);
        state.ResumeTiming();
        watch.time([&] { measured(*grid); });
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    return watch.perIteration(state);
}

void BM_SortText100k_QSortFilterProxyModel(benchmark::State& state)
{
    ProxySortTime.set(TimeOnProxy(
        state, [](QSortFilterProxyModel&) {}, [](QSortFilterProxyModel& p) { p.sort(2, Qt::AscendingOrder); }));
}

void BM_SortText100k_FxGrid(benchmark::State& state)
{
    const double t = TimeOnGrid(
        state, [](TFxStringGrid& g) { g.SortSettings().SetAutoFormat(false); },
        [](TFxStringGrid& g) { g.Sort(2, sdAscending); });
    ProxySortTime.report(state, "x_proxy", t);
    GridSortTime.set(t);
}

void BM_Filter100k_QSortFilterProxyModel(benchmark::State& state)
{
    ProxyFilterTime.set(TimeOnProxy(
        state, [](QSortFilterProxyModel& p) { p.setFilterKeyColumn(3); },
        [](QSortFilterProxyModel& p) { p.setFilterFixedString(QStringLiteral("v1")); }));
}

void BM_Filter100k_FxGrid(benchmark::State& state)
{
    const double t = TimeOnGrid(
        state,
        [](TFxStringGrid& g) {
            TFilterData* f = g.Filter().Add();
            f->SetColumn(3);
            f->SetCondition(QStringLiteral("*v1*"));
        },
        [](TFxStringGrid& g) { g.SetFilterActive(true); });
    ProxyFilterTime.report(state, "x_proxy", t);
}

// 100,000 rows in about 1,000 groups of 100: Group sorts on the column,
// opens a header per group and removes the column; UnGroup undoes it.
void BM_Group100k_FxGrid(benchmark::State& state)
{
    const double t = TimeOnGrid(
        state, [](TFxStringGrid& g) { g.SortSettings().SetAutoFormat(false); },
        [](TFxStringGrid& g) {
            g.Group(2);
            g.UnGroup();
        });
    GridSortTime.report(state, "x_sort", t);
}

} // namespace

// The Qt case runs first so that the ratios of the others are known.
BENCHMARK(BM_Fill1M_QStandardItemModel)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Fill1M_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HideRows50k_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeleteRows10k_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortText100k_QSortFilterProxyModel)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortText100k_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Filter100k_QSortFilterProxyModel)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Filter100k_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Group100k_FxGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
