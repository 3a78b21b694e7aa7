// Aggregates over a column's rows and a row's columns, and the floating
// footer's calculated cells. Empty ranges give 0, never a division by zero.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include <QSet>

#include <cmath>

namespace {

// A row range in display rows, or in the all-rows space where hidden rows
// keep their real positions.
struct TCalcRange {
    int From = 0;
    int To = -1;
    bool All = false;
    int Count() const { return To < From ? 0 : To - From + 1; }
};

TCalcRange Resolve(TFxStringGrid& g, int FromRow, int ToRow)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = g.FixedRows();
        ToRow = g.RowCount() - g.FixedFooters() - 1;
    }
    const bool footer = g.FloatingFooter().Visible();
    const bool all = footer ? ToRow > g.RowCount() - 1 : ToRow > g.RowCount();
    return {FromRow, ToRow, all};
}

double Value(TFxStringGrid& g, int ACol, int r, const TCalcRange& R)
{
    return R.All ? g.AllFloats(ACol, r) : g.Floats(ACol, r);
}

QString Text(TFxStringGrid& g, int ACol, int r, const TCalcRange& R)
{
    return R.All ? g.AllCells(ACol, r) : g.Cells(ACol, r);
}

// Whether a row adds to sum, minimum and maximum: group headers and
// summaries of a grouped grid do not, nor cells inside a merged block.
bool Counts(TFxStringGrid& g, int ACol, int r, const TCalcRange& R)
{
    const bool hidden = R.All && g.IsHiddenRow(r);
    if (hidden)
        return true;
    const int dr = R.All ? g.DisplRowIndex(r) : r;
    if (dr < 0 || dr >= g.RowCount())
        return false;
    const bool grouped = g.GroupColumn() != -1;
    if (grouped && (g.IsNode(dr) || g.IsSummary(dr)))
        return false;
    return !g.IsMergedNonBaseCell(ACol, dr);
}

// A value that is not a number is passed over.
bool TryValue(TFxStringGrid& g, int ACol, int r, const TCalcRange& R, double& v)
{
    try {
        v = Value(g, ACol, r, R);
        return true;
    } catch (const EFxGridError&) {
        return false;
    }
}

// Visits the value of every counting row that holds a number, with the
// progress reported around it.
template <typename Visit>
void ForCountingValues(TFxStringGrid& g, int ACol, const TCalcRange& R, Visit visit)
{
    g.ExportNotification(esExportStart, R.From);
    for (int r = R.From; r <= R.To; ++r) {
        if (!Counts(g, ACol, r, R))
            continue;
        g.ExportNotification(esExportNextRow, r);
        double v;
        if (TryValue(g, ACol, r, R, v))
            visit(v);
    }
    g.ExportNotification(esExportDone, -1);
}

double Sum(TFxStringGrid& g, int ACol, const TCalcRange& R)
{
    double sum = 0;
    ForCountingValues(g, ACol, R, [&](double v) { sum += v; });
    return sum;
}

double Avg(TFxStringGrid& g, int ACol, const TCalcRange& R)
{
    // Divided by every row of the range, counted or not.
    return R.Count() == 0 ? 0 : Sum(g, ACol, R) / R.Count();
}

double Extreme(TFxStringGrid& g, int ACol, const TCalcRange& R, bool Max)
{
    if (R.Count() == 0)
        return 0;
    // The first row's value is read as it is: a text there raises.
    double best = Value(g, ACol, R.From, R);
    ForCountingValues(g, ACol, R, [&](double v) {
        if (Max ? v > best : v < best)
            best = v;
    });
    return best;
}

double StdDev(TFxStringGrid& g, int ACol, const TCalcRange& R)
{
    if (R.Count() == 0)
        return 0;
    const double avg = Avg(g, ACol, R);
    g.ExportNotification(esExportStart, R.From);
    double sq = 0;
    for (int r = R.From; r <= R.To; ++r) {
        const double v = Value(g, ACol, r, R);
        sq += (v - avg) * (v - avg);
    }
    g.ExportNotification(esExportDone, -1);
    return std::sqrt(sq / R.Count());
}

double Distinct(TFxStringGrid& g, int ACol, const TCalcRange& R)
{
    QSet<QString> seen;
    g.ExportNotification(esExportStart, R.From);
    struct Done {
        TFxStringGrid& g;
        ~Done() { g.ExportNotification(esExportDone, -1); }
    } done{g};
    for (int r = R.From; r <= R.To; ++r) {
        g.ExportNotification(esExportNextRow, r);
        seen.insert(Text(g, ACol, r, R).toUpper());
    }
    return seen.size();
}

bool IsBaseOrPlain(TFxStringGrid& g, int c, int r)
{
    return !g.IsMergedNonBaseCell(c, r);
}

} // namespace

double TFxStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    return Sum(*this, ACol, Resolve(*this, FromRow, ToRow));
}

double TFxStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    return Avg(*this, ACol, Resolve(*this, FromRow, ToRow));
}

double TFxStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return Extreme(*this, ACol, Resolve(*this, FromRow, ToRow), false);
}

double TFxStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return Extreme(*this, ACol, Resolve(*this, FromRow, ToRow), true);
}

double TFxStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    return StdDev(*this, ACol, Resolve(*this, FromRow, ToRow));
}

double TFxStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    return Distinct(*this, ACol, Resolve(*this, FromRow, ToRow));
}

double TFxStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (const auto& e = d->Events.OnColumnCalc)
        e(this, ACol, FromRow, ToRow, res);
    return res;
}

double TFxStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        if (!IsBaseOrPlain(*this, c, ARow))
            continue;
        try {
            sum += Floats(c, ARow);
        } catch (const EFxGridError&) {
        }
    }
    return sum;
}

double TFxStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    return toCol < fromCol ? 0 : RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

namespace {

double RowExtreme(TFxStringGrid& g, int ARow, int fromCol, int toCol, bool Max)
{
    if (toCol < fromCol)
        return 0;
    double best = g.Floats(fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        if (!IsBaseOrPlain(g, c, ARow))
            continue;
        try {
            const double v = g.Floats(c, ARow);
            if (Max ? v > best : v < best)
                best = v;
        } catch (const EFxGridError&) {
        }
    }
    return best;
}

} // namespace

double TFxStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    return RowExtreme(*this, ARow, fromCol, toCol, false);
}

double TFxStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    return RowExtreme(*this, ARow, fromCol, toCol, true);
}

// ---------------------------------------------------------------- the floating footer

void TFxStringGrid::CalcFooter(int ACol) { DoCalcFooter(ACol); }
void TFxStringGrid::RecalcFooterColumn(int ACol) { CalcFooter(ACol); }
void TFxStringGrid::RecalcFooters() { CalcFooter(-1); }

void TFxStringGrid::DoCalcFooter(int ACol)
{
    const TFloatingFooter& footer = FloatingFooter();
    if (!footer.Visible() || footer.FooterStyle() != fsFixedLastRow || !footer.EnableCalculation())
        return;
    const int last = RowCount() - 1;
    if (last < FixedRows())
        return;
    const int hidden = footer.CalculateHiddenRows() ? NumHiddenRows() : 0;
    // The rows above the footer row; with hidden rows counted, the range is
    // taken in the all-rows space, which ends right above the footer row.
    const TCalcRange range{FixedRows(), last - 1 + hidden, hidden > 0};
    const int from = ACol < 0 ? 0 : ACol;
    const int to = ACol < 0 ? ColCount() + NumHiddenColumns() - 1 : ACol;
    for (int c = from; c <= to; ++c) {
        if (!CellPropertiesAssigned(c, last))
            continue;
        const auto type = TColumnCalcType(int(GridObjects(c, last)->CalcType()) & 0x7F);
        double v = 0;
        switch (type) {
        case acSUM: v = Sum(*this, c, range); break;
        case acAVG: v = Avg(*this, c, range); break;
        case acMIN:
        case acMAX:
            try {
                v = Extreme(*this, c, range, type == acMAX);
            } catch (const EFxGridError&) {
                // A footer shows what it can; the first cell is not a number.
                v = 0;
            }
            break;
        case acDISTINCT: v = Distinct(*this, c, range); break;
        case acSTDDEV:
            try {
                v = StdDev(*this, c, range);
            } catch (const EFxGridError&) {
                v = 0;
            }
            break;
        case acCOUNT:
            SetInts(c, last, RowCount() + hidden - FixedRows() - 1);
            continue;
        case acCUSTOM: {
            QString value;
            if (const auto& e = d->Events.OnFooterCalc)
                e(this, c, last + hidden, value);
            else if (footer.OnCalcFooter)
                footer.OnCalcFooter(const_cast<TFloatingFooter*>(&footer), c, value);
            SetCells(c, last, value);
            continue;
        }
        default: continue;
        }
        SetFloats(c, last, v);
    }
}
