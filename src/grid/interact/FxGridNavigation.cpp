// Keyboard navigation beyond the framework grid's arrows: the Tab advance
// over tab stops, the row appended by Down, the key-down override (row
// moving, edge wrapping, disabled rows), the key-up override and the
// character handler that starts editing by typing.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "grid/foundation/FxOptions.h"
#include "grid/foundation/GridPaintServices.h"
#include "framework/SysUtils.h"

#include <QPointer>

#include <functional>
#include <vector>

using namespace fw;

// ---------------------------------------------------------------- tab stops

int TFxStringGrid::FirstNormalCol()
{
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

int TFxStringGrid::VisibleFixedRightCols()
{
    if (NumHiddenColumns() == 0)
        return FixedRightCols();
    int n = 0;
    const int all = ColCount() + NumHiddenColumns();
    for (int c = all - FixedRightCols(); c < all; ++c)
        if (c >= 0 && !IsHiddenColumn(c))
            ++n;
    return n;
}

bool TFxStringGrid::CanSelectByKey(int ACol, int ARow)
{
    bool can;
    // The grid switches goEditing off on read-only cells; it is still an
    // editing grid while the selection check keeps editing disabled.
    if ((Options() & goEditing) || InteractState().EditDisable)
        can = IsEditable(RealColIndex(ACol), ARow);
    else
        can = !IsFixed(ACol, ARow);
    if (can && OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

int TFxStringGrid::FirstSelectableCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (CanSelectByKey(c, ARow))
            return c;
    return -1;
}

int TFxStringGrid::LastSelectableCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (CanSelectByKey(c, ARow))
            return c;
    return -1;
}

void TFxStringGrid::GotoFirstRow()
{
    SetRow(FixedRows());
}

void TFxStringGrid::AppendRow()
{
    SetRowCount(RowCount() + 1);
}

bool TFxStringGrid::AtAppendRow()
{
    return Row() == RowCount() - FixedFooters() - 1;
}

void TFxStringGrid::AppendRowOnArrowDown()
{
    if (!DoCanAddRow())
        return;
    AppendRow();
    for (int c = 0; c < ColCount() + NumHiddenColumns(); ++c) {
        SetCellEx(c, RowCount() - 1, QString());
        SetObjects(c, RowCount() - 1, nullptr);
    }
    if (FixedFooters() > 0)
        SetRow(Row() + 1);
    if (const auto& e = Events().OnAutoAddRow)
        e(this, RowCount() - FixedFooters() - 1);
}

// ---------------------------------------------------------------- Tab

bool TFxStringGrid::AdvanceOnTab(bool Backward)
{
    TFxGridInteractState& s = InteractState();
    if (OnKeyDown) {
        int key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState(ssShift) : TShiftState());
        if (key != VK_TAB)
            return true;
    }
    QPointer<TFxStringGrid> self(this);
    const TGridCoord start{Col(), Row()};
    const int F = FirstNormalCol();
    const int L = ColCount() - VisibleFixedRightCols();
    const int B = RowCount() - FixedFooters();
    bool result = true;
    bool endOfGrid = false;
    // The current cell moves as a forced selection: the Tab step has chosen it.
    auto moveTo = [&](int c, int r) {
        if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount())
            return;
        s.ForceSel = true;
        MoveColRow(c, r, true, true);
        s.ForceSel = false;
    };
    auto tabStop = [&](int c, int r) { return c >= 0 && c < ColCount() && CanSelectByKey(c, r); };
    auto isBase = [&](int c, int r) { return IsBaseCell(RealColIndex(c), r); };

    // One step from the current cell; true when the step asks to go on.
    auto step = [&]() -> bool {
        const int col = Col(), row = Row();
        const bool alongRows = Navigation().TabAdvanceDirection() == adLeftRight;
        if (Backward && !alongRows) {
            if (row > FixedRows())
                moveTo(col, row - 1);
            else
                moveTo(col > F ? col - 1 : L - 1, B - 1);
            return false;
        }
        if (Backward) {
            if (col > F) {
                int b = 1;
                while (!(col - b < F || (tabStop(col - b, row) && isBase(col - b, row))))
                    ++b;
                if (col - b >= F) {
                    moveTo(col - b, row);
                } else if (row > FixedRows()) {
                    const int v = LastSelectableCol(row - 1);
                    if (v >= 0)
                        moveTo(v, row - 1);
                } else {
                    const int v = LastSelectableCol(B - 1);
                    if (v >= 0)
                        moveTo(v, B - 1);
                }
                SnapToBaseCell();
            } else {
                int b = 1;
                while (!(tabStop(L - b, row) || L - b < FixedCols()))
                    ++b;
                moveTo(std::max(L - b, 0), row > FixedRows() ? row - 1 : B - 1);
            }
            return false;
        }
        const TPoint sp = CellSpan(RealColIndex(col), row);
        if (!alongRows) {
            if (row + sp.Y + 1 < B) {
                moveTo(col, row + sp.Y + 1);
            } else if (col < L - 1) {
                moveTo(col + 1, FixedRows());
            } else {
                moveTo(F, FixedRows());
                endOfGrid = true;
            }
            return false;
        }
        if (col + sp.X + 1 < L) {
            int c = 1;
            while (!(tabStop(col + sp.X + c, row) || col + sp.X + c >= L))
                ++c;
            if (col + sp.X + c == L) {
                if (row < B - 1) {
                    const int v = FirstSelectableCol(row + 1);
                    bool allow = true;
                    TFxGridEvents& ev = Events();
                    if (ev.OnRowChanging)
                        ev.OnRowChanging(this, row, row + 1, allow);
                    if (ev.OnCellChanging)
                        ev.OnCellChanging(this, row, col, row + 1, v, allow);
                    if (ev.OnColChanging)
                        ev.OnColChanging(this, col, v, allow);
                    if (allow)
                        moveTo(v < 0 ? FixedCols() : v, row + 1);
                } else {
                    const int v = FirstSelectableCol(FixedRows());
                    if (v >= 0)
                        moveTo(v, FixedRows());
                    endOfGrid = true;
                }
            } else if (tabStop(col + sp.X + c, row)) {
                moveTo(col + sp.X + c, row);
            } else {
                const int r = row + 1 < RowCount() ? row + 1 : FixedRows();
                const int v = FirstSelectableCol(r);
                if (v >= 0)
                    moveTo(v, r);
            }
            return !isBase(Col(), Row());
        }
        if (row < B - 1) {
            int e = -1;
            for (int c = F; c < ColCount() && e < 0; ++c)
                if (isBase(c, row + 1) && tabStop(c, row + 1))
                    e = c;
            if (e >= 0) {
                moveTo(e, row + 1);
                return false;
            }
            for (int g = row + 2; g < RowCount(); ++g)
                if (const int v = FirstSelectableCol(g); v >= 0) {
                    moveTo(v, g);
                    return false;
                }
            moveTo(ColCount() - 1, RowCount() - 1);
            return Col() != col || Row() != row;
        }
        int newRow = FixedRows();
        if (!Navigation().TabToNextAtEnd() && Navigation().AdvanceInsert() && DoCanAddRow()) {
            SetRowCount(RowCount() + 1);
            newRow = RowCount() - 1;
            if (const auto& ev = Events().OnAutoAddRow)
                ev(this, RowCount() - FixedFooters() - 1);
        }
        const int v = FirstSelectableCol(newRow);
        moveTo(v >= 0 ? v : Col(), newRow);
        endOfGrid = true;
        return false;
    };

    // Steps repeat over cells that take no edit, at most once round the grid.
    const long long bound = (long long)RowCount() * ColCount() + 1;
    bool found = false;
    for (long long n = 0; n < bound && self; ++n) {
        if (Col() == s.LastTabCol && Row() == s.LastTabRow)
            break;
        s.LastTabCol = Col();
        s.LastTabRow = Row();
        const TGridCoord before{Col(), Row()};
        const bool again = step();
        s.LastTabCol = s.LastTabRow = -1;
        if (endOfGrid && Navigation().TabToNextAtEnd() && parentWidget()) {
            QMetaObject::invokeMethod(this, [this] { QWidget::focusNextPrevChild(true); }, Qt::QueuedConnection);
            result = false;
            found = true;
            break;
        }
        const bool moved = !(TGridCoord{Col(), Row()} == before);
        if (!again && CanSelectByKey(Col(), Row())) {
            found = true;
            break;
        }
        if (!moved || (Col() == start.X && Row() == start.Y))
            break;
    }
    if (!self)
        return result;
    if (!found && !(TGridCoord{Col(), Row()} == start))
        moveTo(start.X, start.Y);
    if (found && Navigation().AdvanceAutoEdit() && !IsClickableCell(RealCol(), Row()))
        ClickSelectCell(Col(), Row());
    if (Navigation().AlwaysEdit())
        SetFocus();
    return result;
}

// ---------------------------------------------------------------- key-down / key-up overrides

void TFxStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    HandleKeyDown(Key, Shift);
}

void TFxStringGrid::HandleKeyDown(int& Key, TShiftState Shift)
{
    TFxGridInteractState& s = InteractState();
    TNavigation& nav = Navigation();
    s.LastKeyCell = {Col(), Row()};
    if (nav.CursorMoveRows() && Shift.Contains(ssCtrl) && (Key == VK_UP || Key == VK_DOWN)) {
        const TGridRect sel = Selection();
        const int t = sel.Top, b = sel.Bottom;
        if (Key == VK_DOWN && b < RowCount() - 1) {
            if (t == b) {
                MoveRow(t, t + 1);
                SetRow(t + 1);
            } else {
                MoveRows(t, t + 1, b - t + 1);
                SetSelection({FixedCols(), t + 1, ColCount() - 1, b + 1});
            }
        } else if (Key == VK_UP && t > FixedRows()) {
            if (t == b) {
                MoveRow(t, t - 1);
                SetRow(t - 1);
            } else {
                MoveRows(t, t - 1, b - t + 1);
                SetSelection({FixedCols(), t - 1, ColCount() - 1, b - 1});
            }
        }
        Key = 0;
        return;
    }
    const int key = Key;
    TBaseGrid::KeyDown(Key, Shift);
    const bool stayed = Col() == s.LastKeyCell.X && Row() == s.LastKeyCell.Y;
    const TCursorAdvance adv = nav.CursorAdvance();
    if (adv != caDefault && stayed) {
        const bool snake = adv == caSnake;
        if (key == VK_LEFT && Col() == FixedCols()) {
            if (snake && Row() > FixedRows())
                SetRow(Row() - 1);
            SetCol(ColCount() - FixedRightCols() - 1);
        } else if (key == VK_UP && Row() == FixedRows()) {
            if (snake && Col() > FixedCols())
                SetCol(Col() - 1);
            SetRow(RowCount() - FixedFooters() - 1);
        } else if (key == VK_RIGHT && Col() == ColCount() - 1) {
            if (snake && Row() < RowCount() - FixedFooters() - 1)
                SetRow(Row() + 1);
            SetCol(FixedCols());
        } else if (key == VK_DOWN && Row() == RowCount() - 1) {
            if (snake && Col() < ColCount() - FixedRightCols() - 1)
                SetCol(Col() + 1);
            SetRow(FixedRows());
        }
    }
    if (nav.SkipDisabledRows() && Row() == s.LastKeyCell.Y) {
        if (key == VK_UP) {
            for (int r = Row() - 1; r >= FixedRows(); --r)
                if (RowEnabled(r)) {
                    SetRow(r);
                    break;
                }
        } else if (key == VK_DOWN) {
            for (int r = Row() + 1; r < RowCount(); ++r)
                if (RowEnabled(r)) {
                    SetRow(r);
                    break;
                }
        }
    }
    if (TStringGrid* sync = SyncGrid().Grid()) {
        if (SyncGrid().SelectionColumn())
            sync->SetCol(std::min(Col(), sync->ColCount() - 1));
        if (SyncGrid().SelectionRow())
            sync->SetRow(std::min(Row(), sync->RowCount() - 1));
    }
}

void TFxStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    HandleKeyUp(Key, Shift);
}

void TFxStringGrid::HandleKeyUp(int& Key, TShiftState Shift)
{
    TFxGridInteractState& s = InteractState();
    const bool arrow = Key >= VK_LEFT && Key <= VK_DOWN;
    if ((Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_INSERT || Key == VK_DELETE)
        s.SearchInc.clear();
    auto normal = [](TGridRect r) {
        if (r.Left > r.Right)
            std::swap(r.Left, r.Right);
        if (r.Top > r.Bottom)
            std::swap(r.Top, r.Bottom);
        return r;
    };
    const TGridRect oldSel = normal(Selection());
    QPointer<TFxStringGrid> self(this);
    TBaseGrid::KeyUp(Key, Shift);
    if (!self)
        return;
    if (Navigation().AlwaysEdit() && (arrow || (Key == VK_TAB && (Options() & goTabs))) &&
        !IsClickableCell(RealCol(), Row()))
        ShowInplaceEdit();
    const TGridRect sel = Selection();
    if (!(sel == s.MoveSelection) && (Key == VK_TAB || arrow)) {
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        s.MoveSelection = sel;
    }
    // Disjunct cells: Shift with a moving key takes the new range in place of
    // the old one; Space picks the current cell (Ctrl adds or removes it).
    if (!MouseActions().DisjunctCellSelect() || (Options() & goEditing))
        return;
    const TGridRect now = normal(Selection());
    auto forEach = [](const TGridRect& r, const std::function<void(int, int)>& f) {
        for (int y = r.Top; y <= r.Bottom; ++y)
            for (int x = r.Left; x <= r.Right; ++x)
                f(x, y);
    };
    auto repaintListed = [this] {
        for (int i = 0; i < SelectedCellsCount(); ++i) {
            const TGridCoord c = SelectedCell(i);
            RepaintCell(c.X, c.Y);
        }
    };
    if (Shift.Contains(ssShift) && Key != VK_SPACE) {
        forEach(oldSel, [this](int x, int y) { SetSelectedCells(x, y, false); });
        forEach(now, [this](int x, int y) {
            if (x != Col() || y != Row())
                SetSelectedCells(x, y, true);
        });
        Invalidate();
    }
    if (Key != VK_SPACE)
        return;
    const TPoint realBase = BaseCell(RealCol(), Row());
    const TPoint base(DisplColIndex(realBase.X), realBase.Y);
    if (IsFixed(base.X, base.Y))
        return;
    bool allow = true;
    if (OnSelectCell)
        OnSelectCell(this, base.X, base.Y, allow);
    if (!allow || !self)
        return;
    if (Shift.Contains(ssCtrl)) {
        SetSelectedCells(base.X, base.Y, !SelectedCells(base.X, base.Y));
    } else {
        // Only the list starts over (each cell repaints as it leaves it); the
        // current cell stays.
        std::vector<TGridCoord> listed;
        for (int i = 0; i < SelectedCellsCount(); ++i)
            listed.push_back(SelectedCell(i));
        for (const TGridCoord& c : listed)
            SetSelectedCells(c.X, c.Y, false);
        SetSelectedCells(base.X, base.Y, true);
    }
    if (now.Left != now.Right || now.Top != now.Bottom) {
        forEach(now, [&](int x, int y) {
            if (x != base.X || y != base.Y)
                SetSelectedCells(x, y, true);
        });
        repaintListed();
    }
    RepaintCell(Col(), Row());
}

// ---------------------------------------------------------------- characters


void TFxStringGrid::HandleWmChar(TMessage& m)
{
    TFxGridInteractState& s = InteractState();
    QChar ch(char16_t(m.WParam & 0xFFFF));
    const TShiftState shift = KeyboardStateToShiftState();
    const int c = RealCol();
    // One typed character is one key press for the application: once
    // OnKeyPress has seen it here, neither the framework's handling (when no
    // editor takes it) nor its replay into the editor it opens shows it again.
    QPointer<TFxStringGrid> self(this);
    auto passReported = [&](QChar reported) {
        s.ReplayChar = reported;
        s.KeyPressReported = true;
        struct Reset {
            QPointer<TFxStringGrid>& grid;
            TFxGridInteractState& s;
            ~Reset()
            {
                if (!grid)
                    return;
                s.KeyPressReported = false;
                // No editor opened: nothing will replay the character.
                if (!s.EditMode)
                    s.ReplayChar = QChar();
            }
        } reset{self, s};
        TBaseGrid::WndProc(m);
    };
    // Typing in a cell with HTML form controls belongs to their editors.
    if (FxHasFormControls(*this, c, Row())) {
        m.Result = 1;
        return;
    }
    if (MouseActions().EditOnDblClickOnly()) {
        bool can = true;
        CanEditCell(c, Row(), can);
        if (can)
            SetOptions(Options() | goEditing);
    }
    if (Navigation().AllowClipboardShortCuts() && shift.Contains(ssCtrl) &&
        (ch.unicode() == 3 || ch.unicode() == 22 || ch.unicode() == 24)) {
        m.Result = 1;
        return;
    }
    const bool clickable = IsClickableCell(c, Row());
    if (MouseActions().RangeSelectAndEdit() && !clickable && IsEditable(c, Row()) && ch.unicode() != 9 &&
        ch.unicode() != 27 && !shift.Contains(ssCtrl)) {
        if (OnKeyPress)
            OnKeyPress(this, ch);
        s.StartEditChar = ch;
        SetOptions(Options() | goEditing);
        if (Col() < LeftCol() || Col() > LeftCol() + VisibleColCount() || Row() < TopRow() ||
            Row() > TopRow() + VisibleRowCount())
            ScrollInView(Col(), Row());
        if (ch.isNull())
            return;
        m.WParam = ch.unicode();
        passReported(ch);
        return;
    }
    if (ExcelStyleDecimalSeparator() && ch == QLatin1Char('.') && KeyDataIsKeypadDecimal(m.LParam))
        ch = FormatSettings().DecimalSeparator;
    const ushort code = ch.unicode();
    if ((Options() & goEditing) && code != 9 && (code == 8 || (code >= 32 && code <= 255))) {
        if (OnKeyPress)
            OnKeyPress(this, ch);
        s.StartEditChar = ch;
        if (ch.isNull() || clickable) {
            m.Result = 1;
            return;
        }
        // Typing starts the edit with the character.
        m.WParam = ch.unicode();
        passReported(ch);
        return;
    }
    if (code > 255) {
        // Characters beyond the 8-bit range never start an edit.
        KeyPress(ch);
        if (ch.isNull())
            m.Result = 1;
        return;
    }
    TBaseGrid::WndProc(m);
}
