// Fixed-cell editing: the edit and the combo over a header or row label.
#include "grid/interact/FxGridFixedEditors.h"

#include "framework/Guard.h"
#include "framework/Input.h"
#include "framework/StringList.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

using namespace fw;

namespace {

// The stop of both editors: OnCellValidate may refuse the text, which keeps
// the editor (and the current cell) on the fixed cell it edits.
bool StopFixedEdit(TFxStringGrid* g, QWidget* editor, int col, int row, const QString& text)
{
    if (!g) {
        editor->hide();
        return true;
    }
    QString t = text;
    bool valid = true;
    if (const auto& e = g->Events().OnCellValidate)
        e(g, col, row, t, valid);
    if (!valid) {
        // The current cell stays where it was: a fixed cell cannot be current.
        editor->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (const auto& e = g->Events().OnEditingDone)
        e(g);
    g->SetCellEx(g->RealColIndex(col), row, t);
    // Hidden before the focus moves, so that leaving it stops nothing more.
    const bool focused = editor->hasFocus();
    editor->hide();
    if (focused)
        g->SetFocus();
    return true;
}

bool IsEnter(QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

TGridTransEdit::TGridTransEdit(TFxStringGrid* grid) : QLineEdit(grid->viewport()), FGrid(grid)
{
    hide();
}

bool TGridTransEdit::StopEdit()
{
    return StopFixedEdit(FGrid, this, FCol, FRow, text());
}

void TGridTransEdit::keyPressEvent(QKeyEvent* e)
{
    // Enter neither closes the editor nor breaks the line.
    if (IsEnter(e)) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TGridTransEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    fw::RunGuarded([&] {
        if (isVisible() && !FxGridSpecial::FocusGoesToPopup(*e))
            StopEdit();
    });
}

TGridTransCombo::TGridTransCombo(TFxStringGrid* grid) : TSgComboBox(grid->viewport()), FGrid(grid)
{
    hide();
    setInsertPolicy(QComboBox::NoInsert);
}

bool TGridTransCombo::StopEdit()
{
    return StopFixedEdit(FGrid, this, FCol, FRow, currentText());
}

void TGridTransCombo::keyPressEvent(QKeyEvent* e)
{
    if (IsEnter(e) && !(view() && view()->isVisible())) {
        e->accept();
        return;
    }
    TSgComboBox::keyPressEvent(e);
}

void TGridTransCombo::focusOutEvent(QFocusEvent* e)
{
    TSgComboBox::focusOutEvent(e);
    fw::RunGuarded([&] {
        if (isVisible() && !FxGridSpecial::FocusGoesToPopup(*e) && !(view() && view()->isVisible()))
            StopEdit();
    });
}

// ---------------------------------------------------------------- the grid's side

TGridTransEdit& TFxStringGrid::EditTrans() const
{
    auto* g = const_cast<TFxStringGrid*>(this);
    if (auto* e = g->viewport()->findChild<TGridTransEdit*>(QStringLiteral("GridEditTrans"), Qt::FindDirectChildrenOnly))
        return *e;
    auto* e = new TGridTransEdit(g);
    e->setObjectName(QStringLiteral("GridEditTrans"));
    return *e;
}

TGridTransCombo& TFxStringGrid::ComboTrans() const
{
    auto* g = const_cast<TFxStringGrid*>(this);
    if (auto* e =
            g->viewport()->findChild<TGridTransCombo*>(QStringLiteral("GridComboTrans"), Qt::FindDirectChildrenOnly))
        return *e;
    auto* e = new TGridTransCombo(g);
    e->setObjectName(QStringLiteral("GridComboTrans"));
    return *e;
}

void TFxStringGrid::StartFixedCellEdit(int ACol, int ARow)
{
    QPointer<TFxStringGrid> self(this);
    TGridTransEdit& edit = EditTrans();
    TGridTransCombo& combo = ComboTrans();
    if (edit.isVisible() && !edit.StopEdit())
        return;
    if (combo.isVisible() && !combo.StopEdit())
        return;
    bool canEdit = true;
    if (const auto& e = Events().OnCanEditCell)
        e(this, ARow, ACol, canEdit);
    if (!canEdit || !self)
        return;
    TFxGridEditorsState& st = TFxGridEditorsState::Of(*this);
    st.FixedColEdit = ACol;
    st.FixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol == 0 ? MouseActions().FixedColsEditor() : MouseActions().FixedRowsEditor();
    TStringList values;
    values.Assign(MouseActions().FixedComboValues());
    if (const auto& e = Events().OnFixedEdit)
        e(this, ACol, ARow, kind, values);
    if (!self)
        return;
    const TRect r = CellRect(ACol, ARow).Inflated(-1, -1);
    const QString text = GetCellEx(RealColIndex(ACol), ARow);
    const QFont font = GetCellFont(RealColIndex(ACol), ARow).ToQFont();
    if (kind == fceEdit) {
        edit.disconnect(this);
        edit.setGeometry(r.Left, r.Top, r.Width(), r.Height());
        edit.setFont(font);
        edit.setText(text);
        edit.SetCell(ACol, ARow);
        connect(&edit, &QLineEdit::textChanged, this, [this, &edit](const QString& t) {
            if (edit.isVisible())
                FixedCellEditChange(edit.Col(), edit.Row(), t);
        });
        edit.show();
        edit.raise();
        edit.setFocus(Qt::OtherFocusReason);
        return;
    }
    combo.disconnect(this);
    combo.setGeometry(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height());
    combo.setFont(font);
    combo.SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    combo.clear();
    for (int i = 0; i < values.Count(); ++i)
        combo.addItem(values[i]);
    if (combo.isEditable())
        combo.setEditText(text);
    else
        combo.setCurrentIndex(combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo.SetCell(ACol, ARow);
    connect(&combo, &QComboBox::currentTextChanged, this, [this, &combo](const QString& t) {
        if (combo.isVisible())
            FixedCellEditChange(combo.Col(), combo.Row(), t);
    });
    combo.show();
    combo.raise();
    combo.setFocus(Qt::OtherFocusReason);
}

namespace FxFixedCellEdit {

bool OnPress(TFxStringGrid& grid, int x, int y, bool right, bool dblClick)
{
    int c = -1, r = -1;
    grid.MouseToCell(x, y, c, r);
    if (c < 0 || r < 0)
        return false;
    const bool fixedRow = r < grid.FixedRows();
    const bool fixedCol = c < grid.FixedCols();
    if (!fixedRow && !fixedCol)
        return false;
    const TGridFixedCellEdit want = dblClick ? fceDblClick : right ? fceRightClick : fceLeftClick;
    const bool asked = (fixedRow && grid.MouseActions().FixedRowsEdit() == want) ||
                       (fixedCol && grid.MouseActions().FixedColsEdit() == want);
    if (!asked)
        return false;
    // A left press near a sizing border sizes instead.
    if (want == fceLeftClick) {
        const bool sizing = fixedRow ? bool(grid.Options() & goColSizing) : bool(grid.Options() & goRowSizing);
        if (sizing && !grid.CellRect(c, r).Inflated(-4, -4).Contains(TPoint(x, y)))
            return false;
    }
    grid.StartFixedCellEdit(c, r);
    return true;
}

bool HoldsThePress(TFxStringGrid& grid)
{
    QWidget* vp = grid.viewport();
    // A refused stop on leaving took the focus back: the press that made
    // it leave must not move the current cell away either.
    if (auto* e = vp->findChild<TGridTransEdit*>(QStringLiteral("GridEditTrans"), Qt::FindDirectChildrenOnly);
        e && e->isVisible())
        return e->hasFocus() || !e->StopEdit();
    if (auto* c = vp->findChild<TGridTransCombo*>(QStringLiteral("GridComboTrans"), Qt::FindDirectChildrenOnly);
        c && c->isVisible())
        return c->hasFocus() || !c->StopEdit();
    return false;
}

} // namespace FxFixedCellEdit
