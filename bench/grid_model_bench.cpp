// The feature grid's model against Qt's item model: filling and reading
// 100,000 rows x 10 columns of short texts, the memory those cells take,
// hiding every other row and showing them again, and deleting 10,000
// scattered rows, sorting on a text column and filtering on a substring.
// Each feature-grid benchmark of the fill reports its time ("x_qt") and its
// memory ("mem_x_qt") as ratios to the Qt case of the same run; sorting and
// filtering report "x_proxy" against Qt's sort/filter proxy model.
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

std::unique_ptr<QStandardItemModel> FilledModel()
{
    auto model = std::make_unique<QStandardItemModel>(Rows, Cols);
    const auto& texts = Texts();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            model->setData(model->index(r, c), texts[size_t(r * 7919 + c * 31) % texts.size()]);
    return model;
}

std::unique_ptr<TFxStringGrid> ShuffledGrid()
{
    auto grid = std::make_unique<TFxStringGrid>();
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    const auto& texts = Texts();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid->SetCells(c, r, texts[size_t(r * 7919 + c * 31) % texts.size()]);
    return grid;
}

void BM_SortText100k_QSortFilterProxyModel(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = FilledModel();
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(model.get());
        state.ResumeTiming();
        watch.time([&] { proxy.sort(2, Qt::AscendingOrder); });
        benchmark::DoNotOptimize(proxy.index(0, 2).data());
    }
    ProxySortTime.set(watch.perIteration(state));
}

void BM_SortText100k_FxGrid(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = ShuffledGrid();
        grid->SortSettings().SetAutoFormat(false);
        state.ResumeTiming();
        watch.time([&] { grid->Sort(2, sdAscending); });
        benchmark::DoNotOptimize(grid->Cells(2, 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    ProxySortTime.report(state, "x_proxy", watch.perIteration(state));
}

void BM_Filter100k_QSortFilterProxyModel(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = FilledModel();
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(model.get());
        proxy.setFilterKeyColumn(3);
        state.ResumeTiming();
        watch.time([&] { proxy.setFilterFixedString(QStringLiteral("v1")); });
        benchmark::DoNotOptimize(proxy.rowCount());
    }
    ProxyFilterTime.set(watch.perIteration(state));
}

void BM_Filter100k_FxGrid(benchmark::State& state)
{
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = ShuffledGrid();
        TFilterData* f = grid->Filter().Add();
        f->SetColumn(3);
        f->SetCondition(QStringLiteral("*v1*"));
        state.ResumeTiming();
        watch.time([&] { grid->SetFilterActive(true); });
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    ProxyFilterTime.report(state, "x_proxy", watch.perIteration(state));
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
