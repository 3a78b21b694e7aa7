// Painting one 800 x 600 viewport against a QTableView over a
// QStandardItemModel showing the same cells: 10 columns of texts, the view
// scrolled to the middle of the rows, cells 64 x 24 pixels, one header row
// and column. The QTableView case runs first; each grid case reports
// "x_qtableview", its time per paint divided by the QTableView's. A grid case
// of another row count also reports "x_1000_rows" against the 1,000-row grid
// of its kind, so that a paint that grows with the rows outside the view
// shows. The base grid paints plain cells; the feature grid paints its full
// cell pipeline with bands, cell borders and a check-box column; it and the
// QTableView are shown before they are timed. Times are
// the process's CPU time (Qt's raster engine hands large fills to worker
// threads, whose work counts too): on a loaded machine the wall time mostly
// measures the waits for those threads.
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxGrid.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>

#include <ctime>
#include <memory>

namespace {

constexpr int Cols = 10;
constexpr int Width = 800;
constexpr int Height = 600;
constexpr int ColWidth = 64;
constexpr int RowHeight = 24;
constexpr int Paints = 20;

benchsupport::Baseline TableView;      // time per paint of the QTableView, 100,000 rows
benchsupport::Baseline ThousandRows;   // time per paint of the 1,000-row base grid
benchsupport::Baseline FxThousandRows; // time per paint of the 1,000-row feature grid

// The same short texts whatever the row count (the row number is taken
// modulo 1,000), so that a viewport further down a larger grid draws the
// same characters, each fitting its cell.
QString Text(int c, int r)
{
    return QStringLiteral("R%1 C%2").arg(r % 1000, 3, 10, QLatin1Char('0')).arg(c);
}

// Painted as a user sees it: shown, so that the scroll bars are laid out for
// the final size.
void Show(QWidget& widget)
{
    widget.resize(Width, Height);
    widget.show();
    QApplication::processEvents();
}

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Paints `widget` Paints times per iteration; returns the CPU time per paint.
double TimePaints(benchmark::State& state, QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    double seconds = 0;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        for (int i = 0; i < Paints; ++i)
            widget.render(&image);
        seconds += ProcessCpuSeconds() - start;
    }
    return seconds / (double(state.iterations()) * Paints);
}

void BM_PaintViewport_QTableView(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QStandardItemModel model(rows, Cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            model.setItem(r, c, new QStandardItem(Text(c, r)));
    QTableView view;
    view.setModel(&model);
    view.horizontalHeader()->setDefaultSectionSize(ColWidth);
    view.verticalHeader()->setDefaultSectionSize(RowHeight);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Show(view);
    view.scrollTo(model.index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    const double perPaint = TimePaints(state, view);
    if (rows == 100000)
        TableView.set(perPaint);
}

void BM_PaintViewport_BaseGrid(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TBaseGrid grid;
    grid.SetColCount(Cols + 1);   // the header column
    grid.SetRowCount(rows + 1);   // the header row
    grid.SetDefaultColWidth(ColWidth);
    grid.SetDefaultRowHeight(RowHeight);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid.SetCells(c + 1, r + 1, Text(c, r));
    grid.resize(Width, Height);
    grid.SetTopRow(rows / 2 + 1);
    const double perPaint = TimePaints(state, grid);
    TableView.report(state, "x_qtableview", perPaint);
    if (rows == 1000)
        ThousandRows.set(perPaint);
    else
        ThousandRows.report(state, "x_1000_rows", perPaint);
}

void BM_PaintViewport_FxGrid(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TFxStringGrid grid;
    grid.SetColCount(Cols + 1);   // the header column
    grid.SetRowCount(rows + 1);   // the header row
    grid.SetDefaultColWidth(ColWidth);
    grid.SetDefaultRowHeight(RowHeight);
    grid.Bands().SetPrimaryColor(0xF0F0FF);
    grid.Bands().SetActive(true);
    grid.Events().OnGetCellBorder = [](QObject*, int, int ACol, fw::TPen& APen, TCellBorders& Borders) {
        if (ACol == 5) {
            APen.Color = 0x808080;
            Borders.Include(cbRight);
        }
    };
    grid.AddCheckBoxColumn(1, false, false);
    for (int r = 0; r < rows; ++r)
        for (int c = 1; c < Cols; ++c)
            grid.SetCells(c + 1, r + 1, Text(c, r));
    Show(grid);
    grid.SetTopRow(rows / 2 + 1);
    const double perPaint = TimePaints(state, grid);
    TableView.report(state, "x_qtableview", perPaint);
    if (rows == 1000)
        FxThousandRows.set(perPaint);
    else
        FxThousandRows.report(state, "x_1000_rows", perPaint);
}

} // namespace

// The baselines run first so that their times are known to the cases after them.
BENCHMARK(BM_PaintViewport_QTableView)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewport_BaseGrid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewport_FxGrid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
