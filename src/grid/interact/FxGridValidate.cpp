// Validation of an edited value, the advance after an edit, and the grid's
// key-press handling (Escape restore, Enter advance).
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxInplaceEdit.h"

#include "grid/foundation/BaseGridUndo.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/GridPaintServices.h"

#include <QPointer>
#include <QToolTip>

#include <utility>

using namespace fw;

bool TFxStringGrid::HasCellValidation()
{
    return (Options() & goTabs) || Events().OnCellValidate || Events().OnCellValidateWide;
}

bool TFxStringGrid::ValidateCellWide(const QString& NewValue)
{
    // Texts are wide throughout this grid: one validation serves both.
    return ValidateCell(NewValue);
}

bool TFxStringGrid::ValidateCell(const QString& NewValue)
{
    TFxGridInteractState& s = InteractState();
    if (!s.Editing || s.Validating)
        return true;
    s.Editing = false;
    s.Validating = true;
    s.Refused = false;
    // A handler that raises must not leave the grid validating for ever.
    struct EndValidation {
        TFxGridInteractState& s;
        TNavigation& nav;
        bool advance;
        ~EndValidation()
        {
            s.Validating = false;
            nav.SetAdvanceOnEnter(advance);
        }
    } end{s, Navigation(), Navigation().AdvanceOnEnter()};
    bool valid = true;
    const int oldCol = OldCol();
    const int c = RealColIndex(oldCol);
    const int r = OldRow();
    const QString oldText = OldCellText();
    s.NewCellText = NewValue;
    if (NewValue != oldText || AlwaysValidate()) {
        const bool changed = NewValue != oldText;
        Navigation().SetAdvanceOnEnter(false);
        QString v = NewValue;
        TFxGridEvents& ev = Events();
        if (ev.OnCellValidate)
            ev.OnCellValidate(this, c, r, v, valid);
        if (ev.OnCellValidateWide)
            ev.OnCellValidateWide(this, c, r, v, valid);
        if (v != oldText) {
            s.Modified = true;
            if (FixedCols() > 0) {
                SetRowModified(RealRowIndex(Row()), true);
                if (ShowModified().Enabled())
                    RepaintCell(0, Row());
            }
        }
        if (valid)
            CalcFooter(c);
        if (valid && UndoRedo())
            UndoRedo()->RegisterChange(c, r, oldText, v);
        if (valid && changed)
            DoCellsChanged(TRect(c, r, c, r));
        Navigation().SetAdvanceOnEnter(end.advance);
        s.NewCellText = v;
        s.LastValidation = valid;
        s.Refused = !valid;
        if (valid) {
            SetCellEx(c, r, v);
        } else {
            // The handler's own text stays; otherwise the old value comes back.
            // A text editor still open over the cell stays as it is (the
            // caller puts the refused text back into it); hiding it would
            // take its keyboard away and end the edit.
            const bool inPlace = s.NormalEdit && s.NormalEdit->isVisible() && Col() == oldCol && Row() == r;
            if (!inPlace)
                HideEditor();
            SetCellEx(c, r, v != NewValue ? v : oldText);
            if (Col() != oldCol || Row() != r)
                MoveColRow(oldCol, r, true, true);
            s.Validating = false;
            s.Editing = true;
            if (!inPlace)
                ShowInplaceEdit();
            s.Modified = s.OldModified;
            if (!InvalidEntryTitle().isEmpty() || !InvalidEntryText().isEmpty()) {
                QWidget* at = s.SpecialEditor && s.EditCtrl ? s.EditCtrl.data()
                                                            : static_cast<QWidget*>(s.NormalEdit.data());
                if (!at)
                    at = viewport();
                QString tip = InvalidEntryTitle();
                if (!InvalidEntryText().isEmpty())
                    tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + InvalidEntryText();
                QToolTip::showText(at->mapToGlobal(QPoint(0, at->height())), tip, at);
            }
        }
    }
    StoreOldValue(Col(), Row());
    s.Validating = false;
    if (valid)
        HideFocusWindow();
    return valid;
}

namespace {

// One step of the advance from (col, row); false when it cannot move.
struct TAdvanceStep {
    int Col;
    int Row;
    bool Moved;
    bool Stop;   // a row was appended but nothing in it may be edited
};

} // namespace

void TFxStringGrid::AdvanceAfterEdit(int ACol, int ARow, bool ReEdit, bool Skipping, bool Forward, bool AutoEdit,
                                     bool Force)
{
    TFxGridInteractState& s = InteractState();
    TNavigation& nav = Navigation();
    if (!nav.AdvanceOnEnter() && !Force)
        return;
    if (MouseActions().RangeSelectAndEdit() && !(Options() & goEditing))
        SetOptions(Options() | goEditing);
    if (!Skipping) {
        s.AECol = ACol;
        s.AERow = ARow;
    }
    const int startCol = ACol, startRow = ARow;
    s.StartEditChar = QChar();
    const int first = FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
    const int lastRow = RowCount() - 1 - FixedFooters();
    const int lastCol = ColCount() - 1 - FixedRightCols();

    auto step = [&](int col, int row) -> TAdvanceStep {
        const TPoint sp = CellSpan(RealColIndex(col), row);
        const TAdvanceDirection dir = nav.AdvanceDirection();
        if (Forward) {
            if (dir == adLeftRight || dir == adLeftRightInRow) {
                if (col + sp.X < ColCount() - 1 - VisibleFixedRightCols())
                    return {col + sp.X + 1, row, true, false};
                if (dir == adLeftRightInRow)
                    return nav.AdvanceOnEnterLoop() ? TAdvanceStep{first, row, true, false}
                                                    : TAdvanceStep{col, row, false, false};
                if (row >= lastRow) {
                    if (nav.AdvanceInsert()) {
                        if (!DoCanAddRow())
                            return {first, row, true, false};
                        SetRowCount(RowCount() + 1);
                        const int added = RowCount() - 1 - FixedFooters();
                        if (const auto& e = Events().OnAutoAddRow)
                            e(this, added);
                        bool any = false;
                        for (int cc = FixedCols(); cc < ColCount() && !any; ++cc)
                            any = IsEditable(RealColIndex(cc), added);
                        if (!any)
                            return {col, row, false, true};
                        return {first, row + 1, true, false};
                    }
                    if (nav.AdvanceOnEnterLoop())
                        return {first, FixedRows(), true, false};
                    return {col, row, false, false};
                }
                return {first, row + 1, true, false};
            }
            // Top to bottom.
            if (row != lastRow)
                return {col, row + 1, true, false};
            if (dir == adTopBottomInCol)
                return {col, FixedRows(), true, false};
            if (col != lastCol)
                return {col + 1 >= ColCount() ? first : col + 1, FixedRows(), true, false};
            if (nav.AdvanceInsert()) {
                SetColCount(ColCount() + 1);
                if (const auto& e = Events().OnAutoInsertCol)
                    e(this, ColCount() - 1 - FixedRightCols());
                return {col + sp.X + 1, FixedRows(), true, false};
            }
            return {first, FixedRows(), true, false};
        }
        const TAdvanceDirection d = nav.AdvanceDirection();
        if (d == adLeftRight) {
            if (col > first)
                return {col - 1, row, true, false};
            return {lastCol, row > FixedRows() ? row - 1 : lastRow, true, false};
        }
        if (d == adTopBottom) {
            if (row > FixedRows())
                return {col, row - 1, true, false};
            return {col > first ? col - 1 : lastCol, lastRow, true, false};
        }
        return {col, row, false, false};
    };

    // Read-only cells are stepped over, at most once round the grid; when no
    // cell takes the edit the current cell stays where it was.
    TAdvanceStep target{ACol, ARow, false, false};
    const long long bound = (long long)RowCount() * ColCount() + 1;
    bool editable = false;
    for (long long n = 0; n < bound; ++n) {
        target = step(target.Col, target.Row);
        if (!target.Moved || target.Stop)
            break;
        editable = true;
        CanEditCell(RealColIndex(target.Col), target.Row, editable);
        if (editable || !nav.AdvanceSkipReadOnlyCells())
            break;
        if (target.Col == startCol && target.Row == startRow) {
            target.Moved = false;
            break;
        }
    }
    if (!target.Moved || target.Stop)
        return;
    const int newCol = target.Col, newRow = target.Row;
    if (editable) {
        bool allow = true;
        int nr = newRow, nc = newCol;
        if (const auto& e = Events().OnAutoAdvance)
            e(this, s.AERow, s.AECol, nr, nc, allow);
        if (allow)
            if (const auto& e = Events().OnCellChanging)
                e(this, s.AERow, s.AECol, nr, nc, allow);
        s.DisableChange = true;
        struct Reset {
            bool& f;
            ~Reset() { f = false; }
        } reset{s.DisableChange};
        if (allow && nc >= 0 && nr >= 0 && nc < ColCount() && nr < RowCount()) {
            TStringGrid::SetCol(nc);
            TStringGrid::SetRow(nr);
        } else {
            CanSelectCell(startCol, startRow);
        }
    } else {
        // A read-only cell reached without skipping becomes current quietly.
        s.ForceSel = true;
        MoveColRow(newCol, newRow, true, true);
        s.ForceSel = false;
    }
    if (ReEdit && ((AutoEdit && nav.AdvanceAutoEdit()) || IsClickableCell(RealCol(), Row()))) {
        if (IsEditable(RealCol(), Row()) && !IsClickableCell(RealCol(), Row()))
            ShowInplaceEdit();
    }
    if (MouseActions().DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

void TFxStringGrid::KeyPress(QChar& Key)
{
    HandleKeyPress(Key);
}

void TFxStringGrid::HandleKeyPress(QChar& Key)
{
    TFxGridInteractState& s = InteractState();
    // The character handler (or the editor's replay of the character that
    // opened it) has shown this key to OnKeyPress already.
    const bool reported = std::exchange(s.KeyPressReported, false);
    auto fire = [&] {
        if (OnKeyPress && !reported)
            OnKeyPress(this, Key);
    };
    if (Key.unicode() == 27) {
        if ((Options() & goEditing) && s.Editing)
            RestoreCachedCell();
        // An open edit whose kind shows no control of its own left the
        // keyboard with the grid: Escape ends it here.
        if (s.EditMode && s.SpecialEditor && hasFocus())
            HideInplaceEdit();
        fire();
        return;
    }
    const int c = RealCol();
    if (Key.unicode() == 13 && !Navigation().AdvanceOnEnter() && !IsEditable(c, Row())) {
        fire();
        Key = QChar();
        return;
    }
    if (Key.unicode() == 13 && (!hasFocus() || IsClickableCell(c, Row()))) {
        AdvanceAfterEdit(Col(), Row(), s.EditMode, false, true, false, false);
        if (!Navigation().AdvanceAutoEdit()) {
            fire();
            Key = QChar();
            return;
        }
        if (IsClickableCell(RealCol(), Row())) {
            fire();
            if (Navigation().AdvanceOnEnter())
                ShowInplaceEdit();
            return;
        }
    }
    // Typing in a grid that does not edit finds the first row whose sort
    // column begins with what was typed.
    if (!(Options() & goEditing) && Navigation().AutoGotoWhenSorted() &&
        (Key.unicode() == 8 || (Key.unicode() >= 32 && Key.unicode() != 127))) {
        if (Navigation().AutoGotoIncremental()) {
            if (Key.unicode() == 8)
                s.SearchInc.chop(1);
            else
                s.SearchInc += Key;
            s.SearchTics = 0;
        } else {
            s.SearchInc = Key.unicode() == 8 ? QString() : QString(Key);
        }
        const int found = s.SearchInc.isEmpty() ? -1 : Search(s.SearchInc.toUpper());
        if (found >= 0)
            SetRow(found);
        else
            s.SearchInc.clear();
    }
    if (reported) {
        // The framework's key press without its event.
        auto event = std::exchange(OnKeyPress, nullptr);
        QPointer<TFxStringGrid> self(this);
        struct Restore {
            QPointer<TFxStringGrid>& grid;
            decltype(event)& saved;
            ~Restore()
            {
                if (grid && !grid->OnKeyPress)
                    grid->OnKeyPress = std::move(saved);
            }
        } restore{self, event};
        TBaseGrid::KeyPress(Key);
        return;
    }
    TBaseGrid::KeyPress(Key);
}
