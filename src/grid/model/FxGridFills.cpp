// Bulk rewrites of cell texts: marking a search text with the highlight tag
// "hi" or the error tag "e" and taking the marks away again, the cell
// checker's run over a range, fills, and the date and time views of a cell.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/foundation/SgCheck.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QRandomGenerator>

namespace {

const QString kHilightTag = QStringLiteral("hi");
const QString kMarkTag = QStringLiteral("e");

// A rectangle of cells, edges inclusive; empty when Top > Bottom or Left > Right.
struct TCellRange {
    int Left, Top, Right, Bottom;
};

TCellRange ColRange(const TFxStringGrid& g, bool DoFixed, int Col)
{
    if (DoFixed)
        return {Col, 0, Col, g.RowCount() - 1};
    return {Col, g.FixedRows(), Col, g.RowCount() - g.FixedFooters() - 1};
}

TCellRange RowRange(const TFxStringGrid& g, bool DoFixed, int Row)
{
    if (DoFixed)
        return {0, Row, g.ColCount() - 1, Row};
    return {g.FixedCols(), Row, g.ColCount() - g.FixedRightCols() - 1, Row};
}

TCellRange GridRange(const TFxStringGrid& g, bool DoFixed)
{
    if (DoFixed)
        return {0, 0, g.ColCount() - 1, g.RowCount() - 1};
    return {g.FixedCols(), g.FixedRows(), g.ColCount() - g.FixedRightCols() - 1,
            g.RowCount() - g.FixedFooters() - 1};
}

TCellRange WidenByHidden(const TFxStringGrid& g, TCellRange r)
{
    r.Right += g.NumHiddenColumns();
    return r;
}

} // namespace

// The text a mark is put into: what the cell shows when the application
// changes the display, else what it stores.
static QString MarkSource(TFxStringGrid& g, int c, int r)
{
    return g.OnGetDisplText ? g.GetCellEx(c, r) : g.GetGridCell(c, r);
}

static void MarkRange(TFxStringGrid& g, const TCellRange& R, const QString& Text, const QString& Tag, bool DoCase)
{
    if (R.Top > R.Bottom)
        return;
    const QString search = TextToHtmlEntities(Text, false);
    for (int r = R.Top; r <= R.Bottom; ++r)
        for (int c = R.Left; c <= R.Right; ++c) {
            if (g.IsMergedNonBaseCell(c, r))
                continue;
            const QString text = TextToHtmlEntities(MarkSource(g, c, r), false);
            g.SetCells(c, r, WrapMatchesInTag(text, search, Tag, DoCase));
        }
}

static void UnMarkRange(TFxStringGrid& g, const TCellRange& R, const QString& Tag)
{
    for (int r = R.Top; r <= R.Bottom; ++r)
        for (int c = R.Left; c <= R.Right; ++c) {
            if (g.IsMergedNonBaseCell(c, r))
                continue;
            const QString text = HtmlEntitiesToText(MarkSource(g, c, r), false);
            g.SetCells(c, r, RemoveTagPairs(text, Tag));
        }
}

QString TFxStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text) const
{
    return WrapMatchesInTag(S, Text, kHilightTag, DoCase);
}

QString TFxStringGrid::UnHilightText(const QString& S) const { return RemoveTagPairs(S, kHilightTag); }

QString TFxStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text) const
{
    return WrapMatchesInTag(S, Text, kMarkTag, DoCase);
}

QString TFxStringGrid::UnMarkText(const QString& S) const { return RemoveTagPairs(S, kMarkTag); }

void TFxStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkRange(*this, {Col, Row, Col, Row}, HiText, kHilightTag, DoCase);
}

void TFxStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    MarkRange(*this, ColRange(*this, DoFixed, Col), HiText, kHilightTag, DoCase);
}

void TFxStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    MarkRange(*this, RowRange(*this, DoFixed, Row), HiText, kHilightTag, DoCase);
}

void TFxStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    TCellRange r = GridRange(*this, DoFixed);
    if (!DoFixed)
        r = WidenByHidden(*this, r);
    MarkRange(*this, r, HiText, kHilightTag, DoCase);
}

void TFxStringGrid::UnHilightInCell(int Col, int Row) { UnMarkRange(*this, {Col, Row, Col, Row}, kHilightTag); }

void TFxStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    UnMarkRange(*this, ColRange(*this, DoFixed, Col), kHilightTag);
}

void TFxStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    UnMarkRange(*this, WidenByHidden(*this, RowRange(*this, DoFixed, Row)), kHilightTag);
}

void TFxStringGrid::UnHilightInGrid(bool DoFixed)
{
    UnMarkRange(*this, WidenByHidden(*this, GridRange(*this, DoFixed)), kHilightTag);
}

void TFxStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkRange(*this, {Col, Row, Col, Row}, HiText, kMarkTag, DoCase);
}

void TFxStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    MarkRange(*this, ColRange(*this, DoFixed, Col), HiText, kMarkTag, DoCase);
}

void TFxStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    MarkRange(*this, RowRange(*this, DoFixed, Row), HiText, kMarkTag, DoCase);
}

void TFxStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    MarkRange(*this, GridRange(*this, DoFixed), HiText, kMarkTag, DoCase);
}

void TFxStringGrid::UnMarkInCell(int Col, int Row) { UnMarkRange(*this, {Col, Row, Col, Row}, kMarkTag); }

void TFxStringGrid::UnMarkInCol(bool DoFixed, int Col) { UnMarkRange(*this, ColRange(*this, DoFixed, Col), kMarkTag); }

void TFxStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    UnMarkRange(*this, WidenByHidden(*this, RowRange(*this, DoFixed, Row)), kMarkTag);
}

void TFxStringGrid::UnMarkInGrid(bool DoFixed)
{
    UnMarkRange(*this, WidenByHidden(*this, GridRange(*this, DoFixed)), kMarkTag);
}

// ---------------------------------------------------------------- cell checking

TFxStringGridCheck* TFxStringGrid::CellChecker() const { return d->model.CellChecker; }
void TFxStringGrid::SetCellChecker(TFxStringGridCheck* value) { d->model.CellChecker = value; }

bool TFxStringGrid::CheckCell(int Col, int Row)
{
    TFxStringGridCheck* checker = d->model.CellChecker;
    if (!checker)
        return true;
    const QString reference = UnMarkText(Cells(Col, Row));
    if (checker->GotoCell)
        MoveCurrentCell(Col, Row);
    QString text = reference;
    if (checker->UseCorrect)
        text = checker->Correct(Col, Row, text);
    if (checker->UseMarkError)
        text = checker->MarkError(Col, Row, text);
    SetCells(Col, Row, text);
    return text == reference;
}

bool TFxStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    TFxStringGridCheck* checker = d->model.CellChecker;
    if (!checker)
        return true;
    checker->StartCheck();
    const int row = Row(), col = Col();
    bool all = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            all = CheckCell(c, r) && all;
    checker->StopCheck();
    if (checker->GotoCell)
        MoveCurrentCell(col, row);
    return all;
}

bool TFxStringGrid::CheckCol(bool DoFixed, int Col)
{
    const TCellRange r = ColRange(*this, DoFixed, Col);
    return CheckCells(r.Left, r.Top, r.Right, r.Bottom);
}

bool TFxStringGrid::CheckRow(bool DoFixed, int Row)
{
    const TCellRange r = RowRange(*this, DoFixed, Row);
    return CheckCells(r.Left, r.Top, r.Right, r.Bottom);
}

bool TFxStringGrid::CheckGrid(bool DoFixed)
{
    const TCellRange r = GridRange(*this, DoFixed);
    return CheckCells(r.Left, r.Top, r.Right, r.Bottom);
}

// ---------------------------------------------------------------- fills

namespace {

template <typename Write>
void FillRange(TFxStringGrid& g, bool DoFixed, Write write)
{
    const TCellRange R = GridRange(g, DoFixed);
    for (int r = R.Top; r <= R.Bottom; ++r)
        for (int c = R.Left; c <= R.Right; ++c)
            write(c, r);
    g.RecalcFooters();
}

} // namespace

void TFxStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    FillRange(*this, DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
}

void TFxStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    // The format comes from the caller: the checked Format reads it, and a
    // format that does not take two integers raises before any cell changes.
    fw::Format(Fmt, {0, 0});
    FillRange(*this, DoFixed, [&](int c, int r) { SetCells(c, r, fw::Format(Fmt, {c, r})); });
}

void TFxStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    // A range of 0 or less has no number in it: every cell gets 0.
    FillRange(*this, DoFixed, [&](int c, int r) {
        SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TFxStringGrid::LinearFill(bool DoFixed)
{
    FillRange(*this, DoFixed,
              [&](int c, int r) { SetCells(c, r, QString::number(c) + QLatin1Char(':') + QString::number(r)); });
}

// ---------------------------------------------------------------- dates and times

fw::TDateTime TFxStringGrid::Dates(int ACol, int ARow) const { return fw::StrToDate(Cells(ACol, ARow)); }

void TFxStringGrid::SetDates(int ACol, int ARow, fw::TDateTime value)
{
    SetCells(ACol, ARow, value > 0 || ShowNullDates() ? fw::DateToStr(value) : QString());
}

fw::TDateTime TFxStringGrid::Times(int ACol, int ARow) const { return fw::StrToTime(Cells(ACol, ARow)); }

void TFxStringGrid::SetTimes(int ACol, int ARow, fw::TDateTime value) { SetCells(ACol, ARow, fw::TimeToStr(value)); }
