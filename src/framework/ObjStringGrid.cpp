#include "framework/ObjStringGrid.h"

#include "framework/StringGridEditor.h"
#include "framework/ObjStringGrid_p.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <vector>

namespace fw {

// ---------------------------------------------------------------- construction

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent), d(std::make_unique<Impl>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    // Drags over the cells reach the grid itself (the viewport stays free for
    // a drag target of its own).
    setAcceptDrops(true);
    setFrameShape(QFrame::StyledPanel);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { ScrollBarAction(true, action); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { ScrollBarAction(false, action); });
    d->font.Name = QStringLiteral("Tahoma");
    d->font.Size = 8;
    d->cells.SetExtent(d->colCount, d->rowCount);
    UpdateScrollRange();
    // Any control inside the grid (not only the editor) may be where the
    // focus enters or leaves it; only the application sees every move.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        d->focusWatch = connect(app, &QApplication::focusChanged, this,
                                [this](QWidget* old, QWidget* now) { ApplicationFocusChanged(old, now); });
}

TStringGrid::~TStringGrid()
{
    // Focus changes while the window goes away must not reach a half-destroyed grid.
    d->destroying = true;
    QObject::disconnect(d->focusWatch);
    if (TInplaceEdit* editor = d->editor.data()) {
        editor->grid_ = nullptr;
        delete editor;
    }
    for (auto it = d->timerByQtId.constBegin(); it != d->timerByQtId.constEnd(); ++it)
        killTimer(it.key());
}

// ---------------------------------------------------------------- cells

static void CheckCellIndex(int c, int r)
{
    if (c < 0 || r < 0)
        throw EGridError(QStringLiteral("Grid index out of range: column %1, row %2").arg(c).arg(r));
}

QString TStringGrid::Cells(int ACol, int ARow) const
{
    CheckCellIndex(ACol, ARow);
    return d->cells.Text(ACol, ARow);
}

const QString* TStringGrid::FindCellText(int ACol, int ARow) const
{
    CheckCellIndex(ACol, ARow);
    return d->cells.FindText(ACol, ARow);
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& value)
{
    CheckCellIndex(ACol, ARow);
    if (d->cells.SetText(ACol, ARow, value))
        InvalidateCell(ACol, ARow);
}

void TStringGrid::ClearCellTexts(const TGridRect& area)
{
    CheckCellIndex(area.Left, area.Top);
    if (area.Right < area.Left || area.Bottom < area.Top)
        return;
    auto after = [](int i) { return i < INT_MAX ? i + 1 : INT_MAX; };
    d->cells.ClearTexts(area.Left, area.Top, after(area.Right), after(area.Bottom));
    InvalidateRect(area);
}

void* TStringGrid::Objects(int ACol, int ARow) const
{
    CheckCellIndex(ACol, ARow);
    return d->cells.Object(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, void* object)
{
    CheckCellIndex(ACol, ARow);
    d->cells.SetObject(ACol, ARow, object);
}

void TStringGrid::MoveCellData(bool columns, int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    // One entry leaves its place and those between close up behind it.
    const int first = std::min(FromIndex, ToIndex);
    const int last = std::max(FromIndex, ToIndex) + 1;
    const int middle = FromIndex < ToIndex ? first + 1 : last - 1;
    if (columns)
        d->cells.RotateColumns(first, middle, last);
    else
        d->cells.RotateRows(first, middle, last);
}

// ---------------------------------------------------------------- layout properties

int TStringGrid::ColCount() const { return d->colCount; }
int TStringGrid::RowCount() const { return d->rowCount; }
int TStringGrid::FixedCols() const { return d->fixedCols; }
int TStringGrid::FixedRows() const { return d->fixedRows; }
int TStringGrid::DefaultColWidth() const { return d->defaultColWidth; }
int TStringGrid::DefaultRowHeight() const { return d->defaultRowHeight; }
int TStringGrid::GridLineWidth() const { return d->gridLineWidth; }
TColor TStringGrid::Color() const { return d->color; }
TColor TStringGrid::FixedColor() const { return d->fixedColor; }
const TFont& TStringGrid::Font() const { return d->font; }
bool TStringGrid::DefaultDrawing() const { return d->defaultDrawing; }
TGridOptions TStringGrid::Options() const { return d->options; }
TScrollStyle TStringGrid::ScrollBars() const { return d->scrollBars; }
int TStringGrid::ClientWidth() const { return viewport()->width(); }
int TStringGrid::ClientHeight() const { return viewport()->height(); }
int TStringGrid::GridWidth() const { return d->Horz().gridBoundary; }
int TStringGrid::GridHeight() const { return d->Vert().gridBoundary; }
TGridState TStringGrid::GridState() const { return d->state; }

void TStringGrid::SetColCount(int value)
{
    if (value < 1)
        value = 1;
    if (value == d->colCount)
        return;
    if (value <= d->fixedCols)
        SetFixedCols(value - 1);
    ChangeSize(value, d->rowCount);
    if (d->options & goRowSelect) {
        d->anchor.X = d->colCount - 1;
        Invalidate();
    }
}

void TStringGrid::SetRowCount(int value)
{
    if (value < 1)
        value = 1;
    if (value == d->rowCount)
        return;
    if (value <= d->fixedRows)
        SetFixedRows(value - 1);
    ChangeSize(d->colCount, value);
}

void TStringGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldCols = d->colCount;
    const int oldRows = d->rowCount;
    d->colWidths.resize(std::size_t(NewColCount), d->defaultColWidth);
    d->tabStops.resize(std::size_t(NewColCount), 1);
    d->rowHeights.resize(std::size_t(NewRowCount), d->defaultRowHeight);
    d->ExtentsChanged();
    d->colCount = NewColCount;
    d->rowCount = NewRowCount;
    d->cells.SetExtent(NewColCount, NewRowCount);
    auto clamp = [](TGridCoord& c, int cols, int rows) {
        c.X = std::min(c.X, cols - 1);
        c.Y = std::min(c.Y, rows - 1);
    };
    clamp(d->current, NewColCount, NewRowCount);
    clamp(d->anchor, NewColCount, NewRowCount);
    clamp(d->topLeft, NewColCount, NewRowCount);
    // A shown editor on a cell that no longer exists goes away (its text with it).
    if (d->inplaceCol >= NewColCount || d->inplaceRow >= NewRowCount) {
        d->inplaceCol = d->inplaceRow = -1;
        if (d->editor)
            d->editor->hide();
    }
    Invalidate();
    UpdateScrollRange();
    SizeChanged(oldCols, oldRows);
    UpdateEdit();
}

void TStringGrid::SetFixedCols(int value)
{
    if (value < 0)
        throw EGridError(QStringLiteral("Fixed column count must not be negative"));
    if (value >= d->colCount)
        throw EGridError(QStringLiteral("Fixed column count must be less than the column count"));
    if (value == d->fixedCols)
        return;
    d->fixedCols = value;
    Initialize();
    Invalidate();
}

void TStringGrid::SetFixedRows(int value)
{
    if (value < 0)
        throw EGridError(QStringLiteral("Fixed row count must not be negative"));
    if (value >= d->rowCount)
        throw EGridError(QStringLiteral("Fixed row count must be less than the row count"));
    if (value == d->fixedRows)
        return;
    d->fixedRows = value;
    Initialize();
    Invalidate();
}

void TStringGrid::Initialize()
{
    d->topLeft = {d->fixedCols, d->fixedRows};
    d->current = d->topLeft;
    d->anchor = d->current;
    if (d->options & goRowSelect)
        d->anchor.X = d->colCount - 1;
    UpdateScrollRange();
    UpdateEdit();
}

void TStringGrid::SetDefaultColWidth(int value)
{
    d->defaultColWidth = value;
    std::fill(d->colWidths.begin(), d->colWidths.end(), value);
    d->ExtentsChanged();
    Invalidate();
    ColWidthsChanged();
}

void TStringGrid::SetDefaultRowHeight(int value)
{
    d->defaultRowHeight = value;
    std::fill(d->rowHeights.begin(), d->rowHeights.end(), value);
    d->ExtentsChanged();
    Invalidate();
    RowHeightsChanged();
}

int TStringGrid::ColWidths(int index) const
{
    if (index < 0 || index >= d->colCount)
        return d->defaultColWidth;
    return d->colWidths[std::size_t(index)];
}

void TStringGrid::SetColWidths(int index, int value)
{
    if (index < 0 || index >= d->colCount)
        throw EGridError(QStringLiteral("Column index out of range: %1").arg(index));
    if (d->colWidths[std::size_t(index)] == value)
        return;
    d->colWidths[std::size_t(index)] = value;
    d->ExtentsChanged();
    Invalidate();
    ColWidthsChanged();
}

int TStringGrid::RowHeights(int index) const
{
    if (index < 0 || index >= d->rowCount)
        return d->defaultRowHeight;
    return d->rowHeights[std::size_t(index)];
}

void TStringGrid::SetRowHeights(int index, int value)
{
    if (index < 0 || index >= d->rowCount)
        throw EGridError(QStringLiteral("Row index out of range: %1").arg(index));
    if (d->rowHeights[std::size_t(index)] == value)
        return;
    d->rowHeights[std::size_t(index)] = value;
    d->ExtentsChanged();
    Invalidate();
    RowHeightsChanged();
}

void TStringGrid::SetGridLineWidth(int value)
{
    if (value < 0)
        value = 0;
    if (value == d->gridLineWidth)
        return;
    d->gridLineWidth = value;
    Invalidate();
    UpdateScrollRange();
    UpdateEdit();
}

bool TStringGrid::TabStops(int index) const
{
    if (index < 0 || index >= d->colCount)
        return true;
    return d->tabStops[std::size_t(index)] != 0;
}

void TStringGrid::SetTabStops(int index, bool value)
{
    if (index < 0 || index >= d->colCount)
        throw EGridError(QStringLiteral("Column index out of range: %1").arg(index));
    d->tabStops[std::size_t(index)] = value ? 1 : 0;
}

void TStringGrid::SetColor(TColor value)
{
    if (d->color == value)
        return;
    d->color = value;
    Invalidate();
}

void TStringGrid::SetFixedColor(TColor value)
{
    if (d->fixedColor == value)
        return;
    d->fixedColor = value;
    Invalidate();
}

void TStringGrid::SetFont(const TFont& value)
{
    if (d->font == value)
        return;
    d->font = value;
    Invalidate();
    if (d->editor)
        d->editor->setFont(value.ToQFont());
}

void TStringGrid::SetDefaultDrawing(bool value)
{
    if (d->defaultDrawing == value)
        return;
    d->defaultDrawing = value;
    Invalidate();
}

void TStringGrid::SetOptions(TGridOptions value)
{
    if (value & goRowSelect)
        value &= ~TGridOptions(goAlwaysShowEditor);
    if (value == d->options)
        return;
    d->options = value;
    if (!d->editorMode) {
        if (value & goAlwaysShowEditor)
            ShowEditor();
        else
            HideEditor();
    }
    if (value & goRowSelect)
        MoveCurrent(d->current.X, d->current.Y, true, false);
    UpdateScrollRange();
    Invalidate();
}

void TStringGrid::SetScrollBars(TScrollStyle value)
{
    if (d->scrollBars == value)
        return;
    d->scrollBars = value;
    UpdateScrollRange();
}

// ---------------------------------------------------------------- position

int TStringGrid::Col() const { return d->current.X; }
int TStringGrid::Row() const { return d->current.Y; }
int TStringGrid::TopRow() const { return d->topLeft.Y; }
int TStringGrid::LeftCol() const { return d->topLeft.X; }

void TStringGrid::SetCol(int value)
{
    if (value != d->current.X)
        FocusCell(value, d->current.Y, true);
}

void TStringGrid::SetRow(int value)
{
    if (value != d->current.Y)
        FocusCell(d->current.X, value, true);
}

TGridRect TStringGrid::Selection() const
{
    return GridRect(d->current, d->anchor);
}

void TStringGrid::SetSelection(const TGridRect& value)
{
    const TGridRect old = Selection();
    auto clampCoord = [this](TGridCoord c) {
        c.X = std::clamp(c.X, 0, d->colCount - 1);
        c.Y = std::clamp(c.Y, 0, d->rowCount - 1);
        return c;
    };
    d->anchor = clampCoord(value.TopLeft());
    d->current = clampCoord(value.BottomRight());
    SelectionMoved(old);
}

int TStringGrid::CoveredBottom() const
{
    return d->coveredBottom;
}

void TStringGrid::SetCoveredBottom(int pixels)
{
    pixels = std::max(0, pixels);
    if (pixels == d->coveredBottom)
        return;
    d->coveredBottom = pixels;
    UpdateScrollRange();
}

void TStringGrid::SetTopRow(int value)
{
    if (value != d->topLeft.Y)
        MoveTopLeft(d->topLeft.X, value);
}

void TStringGrid::SetLeftCol(int value)
{
    if (value != d->topLeft.X)
        MoveTopLeft(value, d->topLeft.Y);
}

int TStringGrid::VisibleColCount() const
{
    const TGridAxis h = d->Horz();
    return std::max(0, h.lastFullVisible - h.first + 1);
}

int TStringGrid::VisibleRowCount() const
{
    const TGridAxis v = d->Vert();
    return std::max(0, v.lastFullVisible - v.first + 1);
}

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    return d->CellRectOf(ACol, ARow);
}

void TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

TGridCoord TStringGrid::MouseCoord(int X, int Y) const
{
    // Each index on its own: a point right of the last column still names its row.
    return {d->Horz().CellAt(X), d->Vert().CellAt(Y)};
}

void TStringGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TStringGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TStringGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= d->colCount || ARow >= d->rowCount)
        throw EGridError(QStringLiteral("Grid index out of range: column %1, row %2").arg(ACol).arg(ARow));
    if (!SelectCell(ACol, ARow))
        return;
    const TGridRect old = Selection();
    d->current = {ACol, ARow};
    if (!(d->options & goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !(d->options & goRangeSelect)) {
        d->anchor = d->current;
        if (d->options & goRowSelect)
            d->anchor.X = d->colCount - 1;
    }
    if (d->options & goRowSelect)
        d->current.X = d->fixedCols;
    if (Show)
        ClampInView(d->current);
    SelectionMoved(old);
}

void TStringGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if ((d->options & (goRangeSelect | goEditing)) == goRangeSelect) {
        const TGridRect old = Selection();
        d->anchor = NewAnchor;
        if (d->options & goRowSelect)
            d->anchor.X = d->colCount - 1;
        ClampInView(NewAnchor);
        SelectionMoved(old);
    } else {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    }
}

void TStringGrid::SelectionMoved(const TGridRect& OldSel)
{
    const TGridRect now = Selection();
    if (now == OldSel)
        return;
    InvalidateRect(OldSel);
    InvalidateRect(now);
}

void TStringGrid::ClampInView(const TGridCoord& Coord)
{
    const TGridAxis h = d->Horz();
    const TGridAxis v = d->Vert();
    TGridCoord tl = d->topLeft;
    auto lastFirst = [](TGridAxis a, int last) {
        // The first cell that shows `last` completely at the end of the view.
        a.count = last + 1;
        return a.MaxFirst();
    };
    if (Coord.X >= d->fixedCols) {
        if (Coord.X < h.first)
            tl.X = Coord.X;
        else if (Coord.X > h.lastFullVisible)
            tl.X = std::max(lastFirst(h, Coord.X), h.first);
    }
    if (Coord.Y >= d->fixedRows) {
        if (Coord.Y < v.first)
            tl.Y = Coord.Y;
        else if (Coord.Y > v.lastFullVisible)
            tl.Y = std::max(lastFirst(v, Coord.Y), v.first);
    }
    MoveTopLeft(tl.X, tl.Y);
}

void TStringGrid::MoveTopLeft(int ALeft, int ATop)
{
    const TGridCoord maxTl = d->MaxTopLeft();
    ALeft = std::clamp(ALeft, d->fixedCols, std::max(d->fixedCols, maxTl.X));
    ATop = std::clamp(ATop, d->fixedRows, std::max(d->fixedRows, maxTl.Y));
    if (ALeft == d->topLeft.X && ATop == d->topLeft.Y)
        return;
    d->topLeft = {ALeft, ATop};
    Invalidate();
    UpdateScrollPos();
    TopLeftChanged();
}

// ---------------------------------------------------------------- moving and deleting

// Takes the entry at `from` out and puts it back at `to`; those between shift by one.
template <class T>
static void MoveEntry(std::vector<T>& v, int from, int to)
{
    const T value = v[std::size_t(from)];
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, value);
}

void TStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= d->colCount || ToIndex >= d->colCount)
        throw EGridError(QStringLiteral("Column index out of range"));
    if (FromIndex == ToIndex)
        return;
    MoveEntry(d->colWidths, FromIndex, ToIndex);
    d->ExtentsChanged();
    MoveEntry(d->tabStops, FromIndex, ToIndex);
    d->current.X = MoveAdjust(d->current.X, FromIndex, ToIndex);
    d->anchor.X = MoveAdjust(d->anchor.X, FromIndex, ToIndex);
    if (d->inplaceCol >= 0)
        d->inplaceCol = MoveAdjust(d->inplaceCol, FromIndex, ToIndex);
    Invalidate();
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
    UpdateEdit();
}

void TStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= d->rowCount || ToIndex >= d->rowCount)
        throw EGridError(QStringLiteral("Row index out of range"));
    if (FromIndex == ToIndex)
        return;
    MoveEntry(d->rowHeights, FromIndex, ToIndex);
    d->ExtentsChanged();
    d->current.Y = MoveAdjust(d->current.Y, FromIndex, ToIndex);
    d->anchor.Y = MoveAdjust(d->anchor.Y, FromIndex, ToIndex);
    if (d->inplaceRow >= 0)
        d->inplaceRow = MoveAdjust(d->inplaceRow, FromIndex, ToIndex);
    Invalidate();
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
    UpdateEdit();
}

void TStringGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, d->colCount - 1);
    // The removed cells must not come back when the grid grows again.
    d->cells.ClearColumns(d->colCount - 1, d->colCount);
    SetColCount(d->colCount - 1);
}

void TStringGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, d->rowCount - 1);
    d->cells.ClearRows(d->rowCount - 1, d->rowCount);
    SetRowCount(d->rowCount - 1);
}

void TStringGrid::DeleteRows(int ARow, int Count)
{
    if (ARow < 0 || ARow >= d->rowCount)
        throw EGridError(QStringLiteral("Row index out of range: %1").arg(ARow));
    Count = std::min(Count, d->rowCount - ARow);
    if (Count <= 0)
        return;
    // The deleted rows travel to the end, as DeleteRow moves its row there,
    // and drop off with the count.
    const int end = d->rowCount;
    std::rotate(d->rowHeights.begin() + ARow, d->rowHeights.begin() + ARow + Count, d->rowHeights.begin() + end);
    d->ExtentsChanged();
    d->cells.RotateRows(ARow, ARow + Count, end);
    d->cells.ClearRows(end - Count, end);
    auto adjust = [&](int index) {
        if (index < ARow || index >= end)
            return index;
        return index < ARow + Count ? index + end - ARow - Count : index - Count;
    };
    d->current.Y = adjust(d->current.Y);
    d->anchor.Y = adjust(d->anchor.Y);
    if (d->inplaceRow >= 0)
        d->inplaceRow = adjust(d->inplaceRow);
    Invalidate();
    RowHeightsChanged();
    SetRowCount(end - Count);
}

void TStringGrid::InsertRows(int ARow, int Count)
{
    if (ARow < 0 || ARow > d->rowCount)
        throw EGridError(QStringLiteral("Row index out of range: %1").arg(ARow));
    if (Count <= 0)
        return;
    if (Count > INT_MAX - d->rowCount)
        throw EGridError(QStringLiteral("Too many rows: %1").arg(Count));
    const int oldEnd = d->rowCount;
    SetRowCount(oldEnd + Count);
    // The rows added at the end come round to ARow; whatever they held from
    // an earlier, larger grid is cleared.
    const int end = d->rowCount;
    std::rotate(d->rowHeights.begin() + ARow, d->rowHeights.begin() + oldEnd, d->rowHeights.begin() + end);
    d->ExtentsChanged();
    d->cells.RotateRows(ARow, oldEnd, end);
    d->cells.ClearRows(ARow, ARow + Count);
    Invalidate();
    RowHeightsChanged();
}

void TStringGrid::TakeRows(const std::vector<int>& rows, const std::function<void(std::size_t, TGridRowCells&)>& take)
{
    if (rows.empty())
        return;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] < 0 || rows[i] >= d->rowCount || (i > 0 && rows[i] <= rows[i - 1]))
            throw EGridError(QStringLiteral("Row index out of range: %1").arg(rows[i]));
    const int end = d->rowCount;
    d->cells.TakeRows(rows, end, take);
    std::size_t next = 0;
    int w = rows.front();
    for (int r = rows.front(); r < end; ++r) {
        if (next < rows.size() && rows[next] == r) {
            ++next;
            continue;
        }
        d->rowHeights[std::size_t(w++)] = d->rowHeights[std::size_t(r)];
    }
    d->ExtentsChanged();
    Invalidate();
    RowHeightsChanged();
    SetRowCount(end - int(rows.size()));
}

void TStringGrid::PutRows(std::vector<TPutRow> rows)
{
    if (rows.empty())
        return;
    const int oldEnd = d->rowCount;
    if (int(rows.size()) > INT_MAX - oldEnd)
        throw EGridError(QStringLiteral("Too many rows: %1").arg(rows.size()));
    const int end = oldEnd + int(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].At < 0 || rows[i].At >= end || (i > 0 && rows[i].At <= rows[i - 1].At))
            throw EGridError(QStringLiteral("Row index out of range: %1").arg(rows[i].At));
    SetRowCount(end);
    // From the bottom: a row takes its new one when the position has come,
    // else the next old row from above.
    std::size_t k = rows.size();
    int source = oldEnd - 1;
    for (int t = end - 1; t >= 0 && k > 0; --t) {
        if (rows[k - 1].At == t)
            d->rowHeights[std::size_t(t)] = rows[--k].Height;
        else
            d->rowHeights[std::size_t(t)] = d->rowHeights[std::size_t(source--)];
    }
    std::vector<std::pair<int, TGridRowCells>> cells;
    cells.reserve(rows.size());
    for (TPutRow& row : rows)
        cells.emplace_back(row.At, std::move(row.Cells));
    d->cells.PutRows(cells, end);
    d->ExtentsChanged();
    Invalidate();
    RowHeightsChanged();
}

bool TStringGrid::RowHasObjects(int ARow) const
{
    return d->cells.RowHasObjects(ARow);
}

void TStringGrid::ExchangeRowCells(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= d->rowCount || ARow2 >= d->rowCount)
        throw EGridError(QStringLiteral("Row index out of range"));
    if (ARow1 == ARow2)
        return;
    d->cells.SwapRows(ARow1, ARow2);
    InvalidateRect({0, ARow1, d->colCount - 1, ARow1});
    InvalidateRect({0, ARow2, d->colCount - 1, ARow2});
}

// ---------------------------------------------------------------- repaint

void TStringGrid::Invalidate()
{
    viewport()->update();
}

void TStringGrid::InvalidateRect(const TGridRect& r)
{
    // A hidden grid paints everything when it shows.
    if (!viewport()->isVisible())
        return;
    const TRect box = d->BlockRect(r);
    if (!box.IsEmpty())
        viewport()->update(box.Left, box.Top, box.Width(), box.Height());
}

void TStringGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect({ACol, ARow, ACol, ARow});
}

void TStringGrid::Update()
{
    if (viewport()->isVisible())
        viewport()->repaint();
}

// ---------------------------------------------------------------- hooks: defaults

bool TStringGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TStringGrid::TopLeftChanged()
{
    if (d->editorMode && d->editor && d->inplaceCol >= 0)
        d->editor->BoundsChanged(CellRect(d->inplaceCol, d->inplaceRow));
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TStringGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TStringGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TStringGrid::SizeChanged(int, int) {}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    MoveCellData(true, FromIndex, ToIndex);
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    MoveCellData(false, FromIndex, ToIndex);
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

bool TStringGrid::BeginColumnDrag(int&, int&, const TPoint&) { return true; }
bool TStringGrid::EndColumnDrag(int&, int&, const TPoint&) { return true; }
bool TStringGrid::BeginRowDrag(int&, int&, const TPoint&) { return true; }
bool TStringGrid::EndRowDrag(int&, int&, const TPoint&) { return true; }

// ---------------------------------------------------------------- focus, canvas

bool TStringGrid::Focused() const
{
    return hasFocus();
}

void TStringGrid::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

TCanvas& TStringGrid::Canvas()
{
    if (d->paintCanvas)
        return *d->paintCanvas;
    d->measureCanvas.Font() = d->font;
    return d->measureCanvas;
}

} // namespace fw
