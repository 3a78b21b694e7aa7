// Drag and drop of the grid: the settings, the drop target's rules, the
// drag start of a pressed cell or header, and the drop markers.
#include "grid/exchange/FxGridDragDrop.h"
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/paint/FxGridPaint_p.h"

#include "grid/foundation/FxOptions.h"

#include <QBuffer>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

using fw::TGridRect;

namespace {

// A small triangle pointing down (0), up (1) or right (2).
class TDropArrow : public QWidget {
public:
    TDropArrow(QWidget* parent, int kind) : QWidget(parent), Kind(kind)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(9, 9);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(QColor(0, 0, 160));
        QPolygon tri;
        if (Kind == 0)
            tri << QPoint(0, 0) << QPoint(8, 0) << QPoint(4, 8);
        else if (Kind == 1)
            tri << QPoint(0, 8) << QPoint(8, 8) << QPoint(4, 0);
        else
            tri << QPoint(0, 0) << QPoint(0, 8) << QPoint(8, 4);
        p.drawPolygon(tri);
    }

private:
    int Kind;
};

} // namespace

// ---------------------------------------------------------------- settings

TDragDropSettings::TDragDropSettings(TFxStringGrid* grid) : QObject(grid), FGrid(grid) {}

void TDragDropSettings::SetOleDropTarget(bool value)
{
    FOleDropTarget = value;
    if (!FGrid)
        return;
    TFxGridExchangeState& s = FGrid->ExchangeState();
    s.DropTarget.reset();
    if (value) {
        s.DropTarget = std::make_shared<TGridDropTarget>(FGrid);
        s.DropTarget->SetAcceptText(FOleAcceptText);
        s.DropTarget->SetAcceptFiles(FOleAcceptFiles);
        s.DropTarget->SetAcceptURLs(FOleAcceptURLs);
    }
}

void TDragDropSettings::SetOleDropSource(bool value)
{
    // The grid's mouse handling starts the drags while this is on.
    FOleDropSource = value;
}

void TDragDropSettings::SetOleAcceptText(bool value)
{
    FOleAcceptText = value;
    if (TGridDropTarget* t = FGrid ? FGrid->GridDropTarget() : nullptr)
        t->SetAcceptText(value);
}

void TDragDropSettings::SetOleAcceptFiles(bool value)
{
    FOleAcceptFiles = value;
    if (TGridDropTarget* t = FGrid ? FGrid->GridDropTarget() : nullptr)
        t->SetAcceptFiles(value);
}

void TDragDropSettings::SetOleAcceptURLs(bool value)
{
    FOleAcceptURLs = value;
    if (TGridDropTarget* t = FGrid ? FGrid->GridDropTarget() : nullptr)
        t->SetAcceptURLs(value);
}

void TDragDropSettings::SetOleDropRTF(bool value)
{
    SetOleDropRTFSwitch(value);
    FOleDropRTF = value;
}

void TDragDropSettings::Assign(const TDragDropSettings& o)
{
    FOleDropTarget = o.FOleDropTarget;
    FOleDropSource = o.FOleDropSource;
    FOleDropRTF = o.FOleDropRTF;
    FOleAcceptText = o.FOleAcceptText;
    FOleAcceptFiles = o.FOleAcceptFiles;
    FOleAcceptURLs = o.FOleAcceptURLs;
    FOleEntireRows = o.FOleEntireRows;
    FOleAppendRows = o.FOleAppendRows;
    FOleInsertRows = o.FOleInsertRows;
    FOleRemoveRows = o.FOleRemoveRows;
    FOleCopyAlways = o.FOleCopyAlways;
    FOleColumnDragDrop = o.FOleColumnDragDrop;
    FOleColumnsOnly = o.FOleColumnsOnly;
    FOleColumnReorder = o.FOleColumnReorder;
    FShowCells = o.FShowCells;
}

// ---------------------------------------------------------------- grid members

TDragDropSettings& TFxStringGrid::DragDropSettings() const
{
    TFxGridExchangeState& s = ExchangeState();
    if (!s.DragDrop)
        s.DragDrop = std::make_shared<TDragDropSettings>(const_cast<TFxStringGrid*>(this));
    return *s.DragDrop;
}

void TFxStringGrid::SetDragDropSettings(const TDragDropSettings& value)
{
    DragDropSettings().Assign(value);
}

TGridDropTarget* TFxStringGrid::GridDropTarget() const
{
    return ExchangeState().DropTarget.get();
}

QWidget& TFxStringGrid::DropArrow(int Which) const
{
    TFxGridExchangeState& s = ExchangeState();
    Which = std::clamp(Which, 0, 2);
    if (!s.Arrows[Which])
        s.Arrows[Which] = new TDropArrow(viewport(), Which);
    return *s.Arrows[Which];
}

int TFxStringGrid::OleDragFromCell(int ACol, int ARow)
{
    TFxGridExchangeState& s = ExchangeState();
    const TDragDropSettings& dd = DragDropSettings();
    const auto& ev = Events();
    if (dd.OleColumnsOnly() && ARow >= FixedRows())
        return -1;
    const int rc = RealColIndex(ACol);
    bool allow = true;
    if (ev.OnOleDrag)
        ev.OnOleDrag(this, ARow, ACol, Cells(rc, ARow), allow);
    if (!allow)
        return -1;
    TGridDropSource source(this);
    if (ev.OnOleDragStart)
        ev.OnOleDragStart(this, ARow, ACol);
    int effect = 0;
    if (ARow < FixedRows() && dd.OleColumnDragDrop()) {
        const QRect r = [&] {
            const fw::TRect c = CellRect(ACol, ARow);
            return QRect(c.Left, c.Top, c.Width(), c.Height());
        }();
        const long rc2 = StartColumnDrag(viewport(), source, ACol, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect,
                                         viewport()->grab(r));
        if (rc2 != DRAGDROP_S_CANCEL && ev.OnOleDragStop)
            ev.OnOleDragStop(this, effect);
        for (int i = 0; i < 3; ++i)
            if (s.Arrows[i])
                s.Arrows[i]->hide();
        return rc2 == DRAGDROP_S_CANCEL ? 0 : effect;
    }
    const TGridRect sel = Selection();
    s.DropSelection = sel;
    QByteArray stream;
    const bool withCells = Navigation().AllowFmtClipboard();
    if (withCells) {
        QBuffer buffer(&stream);
        buffer.open(QIODevice::WriteOnly);
        SaveRectToBinStream(fw::TRect(sel.Left, sel.Top, sel.Right, sel.Bottom), buffer);
    }
    const QString rtf = Cells(rc, ARow);
    const QString text = GetSelectionAsText();
    QPixmap image;
    if (dd.ShowCells()) {
        const fw::TRect a = UnclippedCellRect(sel.Left, sel.Top), b = UnclippedCellRect(sel.Right, sel.Bottom);
        const QRect r = QRect(QPoint(a.Left, a.Top), QPoint(b.Right - 1, b.Bottom - 1)).intersected(viewport()->rect());
        if (!r.isEmpty())
            image = viewport()->grab(r);
    }
    s.SelfDrop = false;
    s.SelfDropWritten.clear();
    s.SelfDropInserts.clear();
    s.Dragging = true;
    const long result = StartCellDrag(viewport(), source, text, rtf, effect, DROPEFFECT_COPY | DROPEFFECT_MOVE,
                                      withCells ? &stream : nullptr, image);
    s.Dragging = false;
    if (result != DRAGDROP_S_CANCEL && effect == DROPEFFECT_MOVE && !dd.OleCopyAlways()) {
        const TGridRect src = s.DropSelection;
        const bool disjunct = MouseActions().DisjunctRowSelect();
        const bool removeRows = dd.OleRemoveRows() && (Options() & fw::goRowSelect);
        if (s.SelfDrop && !disjunct) {
            FinishMoveWithinGrid(src, removeRows && s.SelfDropInserted);
        } else if (removeRows && (!s.SelfDrop || s.SelfDropInserted)) {
            // Rows go only when the drop made rows for them, or they left the grid.
            if (disjunct)
                RemoveSelectedRows();
            else
                RemoveRows(src.Top, src.Bottom - src.Top + 1);
        } else if (disjunct) {
            ClearSelection();
        } else {
            ClearRect(src.Left, src.Top, src.Right, src.Bottom);
        }
    }
    s.SelfDrop = false;
    s.SelfDropWritten.clear();
    s.SelfDropInserts.clear();
    if (result != DRAGDROP_S_CANCEL && ev.OnOleDragStop)
        ev.OnOleDragStop(this, effect);
    return result == DRAGDROP_S_CANCEL ? 0 : effect;
}

void TFxStringGrid::FinishMoveWithinGrid(const TGridRect& src, bool removeRows)
{
    const TFxGridExchangeState& s = ExchangeState();
    // Where a source row stands after the rows the drop inserted.
    const auto now = [&](int r) {
        for (const auto& [at, count] : s.SelfDropInserts)
            if (r >= at)
                r += count;
        return r;
    };
    const auto written = [&](int c, int r) { return s.SelfDropWritten.count({c, r}) > 0; };
    // Whether the text of source cell (c, r) was written at its new place.
    const auto landed = [&](int c, int r) {
        return written(s.SelfDropOrigin.X + c - src.Left, s.SelfDropOrigin.Y + r - src.Top);
    };
    BeginUpdate();
    // From the bottom up, so that a removed row moves none still to be done.
    for (int r = src.Bottom; r >= src.Top; --r) {
        const int at = now(r);
        if (at >= RowCount())
            continue;
        bool whole = true;   // every text of the row went elsewhere
        for (int c = src.Left; c <= src.Right && whole; ++c)
            whole = !written(c, at) && (landed(c, r) || Cells(RealColIndex(c), at).isEmpty());
        if (removeRows && whole) {
            RemoveRows(at, 1);
            continue;
        }
        for (int c = src.Left; c <= src.Right; ++c)
            if (landed(c, r) && !written(c, at))
                ClearRect(c, at, c, at);
    }
    EndUpdate();
}

// ---------------------------------------------------------------- drop target

TGridDropTarget::TGridDropTarget(TFxStringGrid* grid) : TSGDropTarget(grid->viewport()), FGrid(grid) {}

void TGridDropSource::DragFinished() {}

void TGridDropTarget::NoteSelfDrop()
{
    // A drop while this grid's own drag runs lands on the grid it came
    // from: until the drop notes what it wrote, the move clears nothing, so
    // a refused or partial drop keeps the source.
    TFxGridExchangeState& s = FGrid->ExchangeState();
    if (s.Dragging) {
        s.SelfDrop = true;
        s.SelfDropInserted = false;
    }
}

void TGridDropTarget::HideArrows(bool)
{
    TFxGridExchangeState& s = FGrid->ExchangeState();
    for (int i = 0; i < 3; ++i)
        if (s.Arrows[i])
            s.Arrows[i]->hide();
}

void TGridDropTarget::CellAt(QPoint pt, int& ACol, int& ARow, bool columnDrag, bool& append) const
{
    TFxStringGrid& g = *FGrid;
    const QPoint p = g.viewport()->mapFromGlobal(pt);
    const fw::TGridCoord c = g.MouseCoord(p.x(), p.y());
    ACol = c.X;
    ARow = c.Y;
    append = false;
    const TDragDropSettings& dd = g.DragDropSettings();
    if (ARow < 0 && !columnDrag && dd.OleEntireRows() && dd.OleAppendRows()) {
        const fw::TRect last = g.CellRect(g.LeftCol(), g.RowCount() - 1);
        if (p.y() >= last.Bottom && last.Bottom > 0) {
            ACol = g.FixedCols();
            ARow = g.RowCount() - 1;
            append = true;
        }
    }
}

void TGridDropTarget::DragMouseMove(QPoint pt, bool& Allow, TDropFormats Formats)
{
    TFxStringGrid& g = *FGrid;
    TFxGridExchangeState& s = g.ExchangeState();
    const bool columnDrag = Formats & DropFormatBit(dfCol);
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, columnDrag, append);
    Allow = col >= 0 && row >= 0;
    const QPoint client = g.viewport()->mapFromGlobal(pt);
    if (!columnDrag && Allow) {
        if (row == 0 && g.TopRow() > g.FixedRows())
            g.SetTopRow(g.TopRow() - 1);
        else if (client.y() < 8 && g.FixedRows() == 0 && g.TopRow() > 0)
            g.SetTopRow(g.TopRow() - 1);
        else if (row == g.TopRow() + g.VisibleRowCount() && row < g.RowCount())
            g.SetTopRow(g.TopRow() + 1);
        if (s.TimerTicks % 2 == 0) {
            ++s.TimerTicks;
            if (col == 0 && g.LeftCol() > g.FixedCols())
                g.SetLeftCol(g.LeftCol() - 1);
            else if (col == g.LeftCol() + g.VisibleColCount() && col < g.ColCount())
                g.SetLeftCol(g.LeftCol() + 1);
        } else {
            ++s.TimerTicks;
        }
    }
    if (!columnDrag) {
        if (row >= 0 && row < g.FixedRows() && !(g.RowCount() == 1 && g.FixedRowAlways()))
            Allow = false;
    } else {
        if (col < 0 && client.x() >= g.CellRect(g.ColCount() - 1, 0).Right && g.ColCount() > 0) {
            col = g.ColCount();
            row = 0;
            Allow = true;
        } else {
            Allow = Allow && row < g.FixedRows() && col >= g.FixedCols();
        }
    }
    Allow = Allow || (Formats & (DropFormatBit(dfFile) | DropFormatBit(dfGridCells)));
    if (const auto& e = g.Events().OnOleDragOver)
        e(&g, row, col, Allow);
    Allow = Allow && ((col >= 0 && row >= 0) || (Formats & DropFormatBit(dfFile)));

    // The markers.
    HideArrows();
    if (!Allow || col < 0 || row < 0)
        return;
    if (columnDrag) {
        const fw::TRect r = col < g.ColCount() ? g.CellRect(col, row)
                                               : [&] {
                                                     fw::TRect l = g.CellRect(g.ColCount() - 1, row);
                                                     return fw::TRect(l.Right, l.Top, l.Right + 1, l.Bottom);
                                                 }();
        QWidget& down = g.DropArrow(0);
        QWidget& up = g.DropArrow(1);
        down.move(r.Left, r.Top - 8);
        up.move(r.Left, r.Bottom);
        down.show();
        up.show();
        return;
    }
    int arow = row;
    if (arow == 0 && g.FixedRowAlways()) {
        arow = 1;
        append = false;
    }
    const int acol = g.DragDropSettings().OleEntireRows() ? g.FixedCols() : col;
    fw::TRect r = g.CellRect(acol, std::min(arow, g.RowCount() - 1));
    if (append)
        r.Top += r.Height();
    QWidget& left = g.DropArrow(2);
    left.move(std::max(0, r.Left - 10), r.Top);
    left.show();
}

void TGridDropTarget::DragMouseLeave()
{
    HideArrows();
}

void TGridDropTarget::DropCol(QPoint pt, int Col)
{
    TFxStringGrid& g = *FGrid;
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, true, append);
    const QPoint client = g.viewport()->mapFromGlobal(pt);
    if (col < 0 && g.ColCount() > 0 && client.x() >= g.CellRect(g.ColCount() - 1, 0).Right)
        col = g.ColCount();
    HideArrows();
    TFxGridPaintState& ps = g.PaintState();
    if (ps.OleColumnDragCol != -1) {
        // A column dragged out of a list box comes back into view.
        if (auto* list = qobject_cast<QListWidget*>(ps.OleColumnDragList))
            delete list->takeItem(ps.OleColumnDragIndex);
        g.UnHideColumn(ps.OleColumnDragCol);
        const int from = g.DisplColIndex(ps.OleColumnDragCol);
        const int to = std::clamp(col, g.FixedCols(), g.ColCount() - 1);
        if (from >= 0 && from != to)
            g.MoveColumn(from, to);
        ps.OleColumnDragCol = -1;
    } else if (g.DragDropSettings().OleColumnReorder()) {
        const int to = std::min(col, g.ColCount() - 1);
        const int from = g.DisplColIndex(Col);
        if (to >= 0 && from >= 0 && from != to)
            g.MoveColumn(from, to);
    }
    if (const auto& e = g.Events().OnOleDropCol)
        e(&g, row, col, Col);
}

void TGridDropTarget::DropStream(QPoint pt, const QByteArray& Stream)
{
    TFxStringGrid& g = *FGrid;
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, false, append);
    HideArrows();
    NoteSelfDrop();
    if (col < 0 || row < 0 || Stream.isEmpty())
        return;
    QByteArray bytes = Stream;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TFxGridExchangeState& s = g.ExchangeState();
    const int id = g.LoadAtPointFromBinStream(fw::TPoint(col, row), buffer, false);
    if (id == g.ExchangeGridId() && s.Dragging) {
        // Back into the grid it came from: every cell of the source rectangle
        // is in the stream, and those that fell outside the grid were left out.
        const TGridRect src = s.DropSelection;
        s.SelfDrop = true;
        s.SelfDropInserted = false;
        s.SelfDropOrigin = {col, row};
        for (int c = col; c <= col + (src.Right - src.Left) && c < g.ColCount(); ++c)
            for (int r = row; r <= row + (src.Bottom - src.Top) && r < g.RowCount(); ++r)
                s.SelfDropWritten.emplace(c, r);
    }
    g.DoCellsChanged(fw::TRect(0, 0, g.ColCount(), g.RowCount()));
    if (const auto& e = g.Events().OnOleDropped)
        e(&g, g.Selection());
}

void TGridDropTarget::DropText(QPoint pt, const QString& Text)
{
    TFxStringGrid& g = *FGrid;
    TFxGridExchangeState& s = g.ExchangeState();
    const TDragDropSettings& dd = g.DragDropSettings();
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, false, append);
    NoteSelfDrop();
    if (col < 0 || row < 0) {
        HideArrows();
        return;
    }
    int cols = 0, rows = 0;
    TFxStringGrid::MeasureClipText(Text, cols, rows);
    const bool rowSelect = g.Options() & fw::goRowSelect;
    if (rowSelect)
        col = dd.OleEntireRows() ? 0 : g.FixedCols();
    bool allow = true;
    if (const auto& e = g.Events().OnOleDrop)
        e(&g, row, col, Text, allow);
    if (!allow) {
        HideArrows();
        return;
    }
    // A drag that started in this very grid? Its source rows are followed
    // through the rows the drop inserts, not shifted here.
    const bool self = s.Dragging;
    if (row == 0 && g.RowCount() == 1 && g.FixedRowAlways())
        row = 1;
    bool inserted = false;
    if (dd.OleInsertRows()) {
        if (append) {
            g.SetRowCount(g.RowCount() + rows + 1);
            ++row;
        } else {
            g.InsertRows(row, rows + 1);
            if (self)
                s.SelfDropInserts.emplace_back(row, rows + 1);
        }
        inserted = true;
        if (g.TopRow() > g.FixedRows())
            g.SetTopRow(g.TopRow() + 1);
    } else if (append) {
        // Appending without inserted rows still needs a row to write into.
        g.SetRowCount(g.RowCount() + rows + 1);
        ++row;
    }
    int pc = 0, pr = 0;
    g.PasteTextAt(col, row, pc, pr, Text);
    const TGridRect sel{std::max(col, g.FixedCols()), row,
                        rowSelect ? col + cols - g.FixedCols() : col + cols - 1, row + rows};
    if (self) {
        s.SelfDrop = true;
        s.SelfDropInserted = inserted || !s.SelfDropInserts.empty();
        s.SelfDropOrigin = {col, row};
    }
    g.SetSelection({std::min(sel.Left, g.ColCount() - 1), std::min(sel.Top, g.RowCount() - 1),
                    std::clamp(sel.Right, 0, g.ColCount() - 1), std::clamp(sel.Bottom, 0, g.RowCount() - 1)});
    HideArrows();
    if (const auto& e = g.Events().OnOleDropped)
        e(&g, g.Selection());
}

void TGridDropTarget::DropRTF(QPoint pt, const QString& RTF)
{
    TFxStringGrid& g = *FGrid;
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, false, append);
    HideArrows();
    NoteSelfDrop();
    if (col < 0 || row < 0)
        return;
    bool allow = true;
    if (const auto& e = g.Events().OnOleDrop)
        e(&g, row, col, RTF, allow);
    if (allow)
        g.SetCells(g.RealColIndex(col), row, RTF);
}

void TGridDropTarget::DropURL(QPoint pt, const QString& URL)
{
    TFxStringGrid& g = *FGrid;
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, false, append);
    HideArrows();
    NoteSelfDrop();
    if (col < 0 || row < 0)
        return;
    bool allow = true;
    if (const auto& e = g.Events().OnOleDropURL)
        e(&g, row, col, URL, allow);
    if (allow)
        g.SetCells(g.RealColIndex(col), row, URL);
}

void TGridDropTarget::DropFiles(QPoint pt, const QStringList& Files)
{
    TFxStringGrid& g = *FGrid;
    HideArrows();
    if (Files.size() != 1)
        return;
    int col = -1, row = -1;
    bool append = false;
    CellAt(pt, col, row, false, append);
    const QString name = Files.front();
    bool allow = true;
    if (const auto& e = g.Events().OnOleDropFile)
        e(&g, row, col, name, allow);
    if (!allow)
        return;
    // The kind of file by its suffix.
    const QString suffix = name.section(QLatin1Char('.'), -1).toUpper();
    const auto& onDrop = g.Events().OnOleDrop;
    if (suffix == QLatin1String("CSV")) {
        bool ok = true;
        if (onDrop)
            onDrop(&g, -1, -1, name, ok);
        if (ok)
            g.LoadFromCSV(name, 0);
    } else if (suffix == QLatin1String("XLS") || suffix == QLatin1String("XLSX")) {
        bool ok = true;
        if (onDrop)
            onDrop(&g, -1, -1, name, ok);
        if (ok)
            g.LoadFromXLS(name);
    }
}
