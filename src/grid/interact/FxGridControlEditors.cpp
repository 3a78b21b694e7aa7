// In-cell controls the press operates or opens: radio groups, and the form
// controls of HTML cells with their edit and combo editors.
#include "grid/interact/FxGridControlEditors.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"
#include "framework/Input.h"
#include "framework/StringList.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

using namespace fw;

namespace {

// The CONTROL tag of an HTML cell under (x, y), or none (empty id).
struct TControlHit {
    TRect Rect;
    QString ID, Value, Type;
};

TControlHit HitControl(TFxStringGrid& g, int acol, int arow, const QString& text, int x, int y)
{
    TControlHit hit;
    TRect r = g.CellRect(acol, arow);
    const TPoint off = g.XYOffset();
    r.Left += 1 + off.X;
    r.Top += 1 + off.Y;
    r.Right -= off.X;
    QString anchor, stripped, focusAnchor, title;
    int w = 0, h = 0, links = 0, mouseLink = -1;
    TRect hover;
    g.Canvas().Font() = g.GetCellFont(g.RealColIndex(acol), arow);
    RenderHtmlText(g.Canvas(), text, r, nullptr, x, y, -1, -1, 1, true, false, false, false, false, false, true,
                   false, 1.0, g.URLColor(), clNone, clNone, clNone, anchor, stripped, focusAnchor, title, w, h, links,
                   mouseLink, hover, hit.Rect, hit.ID, hit.Value, hit.Type, nullptr, nullptr, &g, bdLeftToRight);
    return hit;
}

// Where the control with `id` lies in the cell: the renderer answers for a
// point, so the cell is sampled until the control is met.
bool FindControl(TFxStringGrid& g, int acol, int arow, const QString& text, const QString& id, TControlHit& out)
{
    const TRect r = g.CellRect(acol, arow);
    for (int y = r.Top + 1; y < r.Bottom; y += 3)
        for (int x = r.Left + 1; x < r.Right; x += 3) {
            const TControlHit hit = HitControl(g, acol, arow, text, x, y);
            if (hit.ID == id) {
                out = hit;
                return true;
            }
        }
    return false;
}

bool IsEditorType(const QString& t)
{
    return t == QLatin1String("EDIT") || t == QLatin1String("PASSWORD") || t == QLatin1String("MASK") ||
           t == QLatin1String("COMBO");
}

QWidget* Named(const TFxStringGrid& g, const char* name)
{
    return g.viewport()->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

} // namespace

// ================================================================ the editors

TControlEdit::TControlEdit(TFxStringGrid* grid) : fw::TMaskEdit(grid->viewport()), FGrid(grid)
{
    hide();
}

bool TControlEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return fw::TMaskEdit::event(e);
}

void TControlEdit::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        const int key = VirtualKeyFromEvent(*e);
        if (key == VK_RETURN || key == VK_TAB) {
            e->accept();
            FxControlEdit::EditorKey(*FGrid, key);
            return;
        }
        fw::TMaskEdit::keyPressEvent(e);
    });
}

void TControlEdit::focusOutEvent(QFocusEvent* e)
{
    fw::TMaskEdit::focusOutEvent(e);
    fw::RunGuarded([&] {
        if (isVisible() && !FxGridSpecial::FocusGoesToPopup(*e))
            FGrid->EndControlEdit();
    });
}

TControlCombo::TControlCombo(TFxStringGrid* grid) : TSgComboBox(grid->viewport()), FGrid(grid)
{
    hide();
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int) { fw::RunGuarded([this] { FGrid->ControlComboSelect(this); }); });
}

bool TControlCombo::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TSgComboBox::event(e);
}

void TControlCombo::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        const int key = VirtualKeyFromEvent(*e);
        if ((key == VK_RETURN && !(view() && view()->isVisible())) || key == VK_TAB) {
            e->accept();
            FxControlEdit::EditorKey(*FGrid, key);
            return;
        }
        TSgComboBox::keyPressEvent(e);
    });
}

void TControlCombo::focusOutEvent(QFocusEvent* e)
{
    TSgComboBox::focusOutEvent(e);
    fw::RunGuarded([&] {
        if (isVisible() && !FxGridSpecial::FocusGoesToPopup(*e) && !(view() && view()->isVisible()))
            FGrid->EndControlEdit();
    });
}

namespace FxControlEdit {

void EditorKey(TFxStringGrid& grid, int key)
{
    QPointer<TFxStringGrid> g(&grid);
    // The walk goes on in the cell of the control, which need not be the
    // current cell (a click on a control does not move the current cell).
    const TFxGridEditorsState& st = TFxGridEditorsState::Of(grid);
    const QString id = st.CtrlID;
    const TPoint cell = st.CtrlXY;
    grid.EndControlEdit();
    if (!g)
        return;
    if (key == VK_RETURN) {
        g->SetFocus();
        return;
    }
    if (g->Navigation().AdvanceAuto()) {
        g->SetFocus();
        g->AdvanceAfterEdit(g->Col(), g->Row(), false, false, true, true, true);
        return;
    }
    g->EditNextCellControl(g->DisplColIndex(cell.X), cell.Y, id);
}

} // namespace FxControlEdit

// ================================================================ the grid's side

TControlEdit& TFxStringGrid::ControlEditor() const
{
    if (auto* w = qobject_cast<TControlEdit*>(Named(*this, "GridControlEdit")))
        return *w;
    auto* e = new TControlEdit(const_cast<TFxStringGrid*>(this));
    e->setObjectName(QStringLiteral("GridControlEdit"));
    return *e;
}

TControlCombo& TFxStringGrid::ControlComboEditor() const
{
    if (auto* w = qobject_cast<TControlCombo*>(Named(*this, "GridControlCombo")))
        return *w;
    auto* e = new TControlCombo(const_cast<TFxStringGrid*>(this));
    e->setObjectName(QStringLiteral("GridControlCombo"));
    return *e;
}

bool TFxStringGrid::ControlEditing() const
{
    return TFxGridEditorsState::Of(*this).CtrlEditing;
}

void TFxStringGrid::RadioGroupClick(int ACol, int ARow, int XOffset, int YOffset)
{
    Canvas().Font() = GetCellFont(ACol, ARow);
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType() != ctRadio)
        return;
    const int d = DisplColIndex(b.X);
    if (d >= FixedCols() && b.Y >= FixedRows()) {
        SetCol(d);
        SetRow(b.Y);
    }
    const TControlStyle style = ControlLook().ControlStyle();
    const int button = style == csClassic || style == csFlat ? ControlLook().RadioSize() : 16;
    const TStringList* captions = g->CellStrings();
    const int count = captions ? captions->Count() : 0;
    int chosen = -1;
    int end = 0;
    if (g->CellBoolean() && captions) {
        for (int i = 0; i < count && chosen < 0; ++i) {
            const int prev = end;
            end += Canvas().TextWidth(captions->Strings(i)) + button;
            if (prev < XOffset && XOffset <= end)
                chosen = i;
        }
    } else {
        const int item = std::max(button, Canvas().TextHeight(QStringLiteral("gh")));
        for (int i = 0; i < count && chosen < 0; ++i) {
            const int prev = end;
            end += item;
            if (prev < YOffset && YOffset <= end)
                chosen = i;
        }
    }
    if (chosen < 0)
        return;
    // A group whose choice is held in the cell text keeps it there; the
    // others keep the index.
    if (g->CellIndex() == -1)
        SetCells(b.X, b.Y, captions->Strings(chosen));
    else
        SetRadioIdx(b.X, b.Y, chosen);
    SetCells(b.X, b.Y, Cells(b.X, b.Y));
    if (const auto& e = Events().OnRadioClick)
        e(this, d, b.Y, chosen);
}

bool TFxStringGrid::HandleControlPress(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    // A press anywhere ends a form-control edit in progress.
    if (ControlEditing())
        EndControlEdit();
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool canEdit = (Options() & goEditing) || MouseActions().RangeSelectAndEdit();
    CanEditCell(rc, ARow, canEdit);
    if (IsRadio(rc, ARow) && (canEdit || ControlLook().RadioAlwaysActive())) {
        HideInplaceEdit();
        const TRect cr = CellRect(ACol, ARow);
        RadioGroupClick(rc, ARow, X - cr.Left, Y - cr.Top);
        SetFocus();
        return true;
    }
    QString text = GetCellEx(rc, ARow);
    if (!EnableHTML() || CellTextKind(text, true) != ctkHtml || !text.toUpper().contains(QLatin1String("<CONTROL")))
        return false;
    const TControlHit hit = HitControl(*this, ACol, ARow, text, X, Y);
    bool editable = ((Options() & goEditing) || InteractState().EditDisable) && !ReadOnly(rc, ARow);
    if (!hit.ID.isEmpty() && editable) {
        if (const auto& e = Events().OnCanEditCell)
            e(this, ARow, ACol, editable);
    }
    if (hit.ID.isEmpty() || !editable) {
        if (const auto& e = Events().OnClickCell)
            e(this, ARow, ACol);
        HideInplaceEdit();
        SetSelection(TGridRect{ACol, ARow, ACol, ARow});
        return true;
    }
    const QString type = hit.Type.toUpper();
    if (type == QLatin1String("CHECK")) {
        QString v;
        HtmlControlValue(text, hit.ID, v);
        SetHtmlControlValue(text, hit.ID, v.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE")
                                                                              : QStringLiteral("TRUE"));
        SetCellEx(rc, ARow, text);
    } else if (type == QLatin1String("RADIO")) {
        text = ClearRadioControls(text);
        SetHtmlControlValue(text, hit.ID, QStringLiteral("TRUE"));
        SetCellEx(rc, ARow, text);
    }
    if (IsEditorType(type))
        StartControlEdit(text, type, hit.ID, hit.Value, hit.Rect, ACol, rc, ARow);
    return true;
}

void TFxStringGrid::StartControlEdit(const QString& Text, const QString& CtrlType, const QString& CtrlID,
                                     const QString& CtrlValue, const TRect& CtrlRect, int ACol, int RealCol, int ARow)
{
    const QString type = CtrlType.toUpper();
    if (!IsEditorType(type))
        return;
    TFxGridEditorsState& st = TFxGridEditorsState::Of(*this);
    st.CtrlXY = TPoint(RealCol, ARow);
    st.CtrlID = CtrlID;
    st.CtrlType = type;
    st.CtrlEditing = true;
    const int maxLen = HtmlControlMaxLen(Text, CtrlID);
    const QFont font = GetCellFont(RealCol, ARow).ToQFont();
    if (type != QLatin1String("COMBO")) {
        TControlEdit& e = ControlEditor();
        e.setFont(font);
        e.resize(0, e.height());
        e.SetPasswordChar(type == QLatin1String("PASSWORD") ? QChar(u'*') : QChar());
        e.SetEditMask(type == QLatin1String("MASK") ? HtmlControlProp(Text, CtrlID) : QString());
        e.SetEditText(CtrlValue);
        e.setFrame(false);
        // Inside the edit box the cell draws for the control.
        e.setGeometry(CtrlRect.Left + 1, CtrlRect.Top + 8, std::max(4, CtrlRect.Width() - 4), 14);
        e.SetMaxLength(maxLen);
        e.show();
        e.raise();
        e.setFocus(Qt::OtherFocusReason);
        return;
    }
    TControlCombo& cb = ControlComboEditor();
    cb.setFont(font);
    cb.SetFlat(false);
    cb.clear();
    bool edit = true;
    int dropCount = 8;
    TStringList values;
    if (const auto& e = Events().OnControlComboList)
        e(this, ARow, ACol, CtrlID, type, CtrlValue, values, edit, dropCount);
    for (int i = 0; i < values.Count(); ++i)
        cb.addItem(values[i]);
    cb.SetStyle(edit ? csDropDown : csDropDownList);
    const int idx = cb.findText(CtrlValue, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cb.setCurrentIndex(idx);
    if (cb.isEditable())
        cb.setEditText(CtrlValue);
    cb.setMaxVisibleItems(std::max(1, dropCount));
    if (cb.lineEdit())
        cb.lineEdit()->setMaxLength(maxLen > 0 ? maxLen : 32767);
    cb.setGeometry(CtrlRect.Left - 1, CtrlRect.Top, CtrlRect.Width(), std::max(CtrlRect.Height(), 18));
    cb.show();
    cb.raise();
    cb.setFocus(Qt::OtherFocusReason);
    cb.showPopup();
}

void TFxStringGrid::EndControlEdit()
{
    TFxGridEditorsState& st = TFxGridEditorsState::Of(*this);
    if (!st.CtrlEditing)
        return;
    st.CtrlEditing = false;
    QWidget* editor = nullptr;
    QString value;
    if (st.CtrlType == QLatin1String("COMBO")) {
        TControlCombo& cb = ControlComboEditor();
        cb.hidePopup();
        value = cb.currentText();
        editor = &cb;
    } else {
        TControlEdit& e = ControlEditor();
        value = e.EditText();
        editor = &e;
    }
    QString text = GetCellEx(st.CtrlXY.X, st.CtrlXY.Y);
    if (SetHtmlControlValue(text, st.CtrlID, value))
        SetCellEx(st.CtrlXY.X, st.CtrlXY.Y, text);
    if (editor->hasFocus())
        SetFocus();
    editor->hide();
    if (const auto& e = Events().OnControlEditDone)
        e(this, st.CtrlXY.Y, st.CtrlXY.X, st.CtrlID, st.CtrlType, value);
    st.CtrlType.clear();
}

void TFxStringGrid::ControlComboSelect(QObject*)
{
    const TFxGridEditorsState& st = TFxGridEditorsState::Of(*this);
    const auto& e = Events().OnControlComboSelect;
    if (!e)
        return;
    TControlCombo& cb = ControlComboEditor();
    const int idx = cb.currentIndex();
    e(this, st.CtrlXY.Y, st.CtrlXY.X, idx, st.CtrlID, idx >= 0 ? cb.itemText(idx) : QString());
}

void TFxStringGrid::EditNextCellControl(int ACol, int ARow, const QString& CtrlID)
{
    const int rc = RealColIndex(ACol);
    const QString text = GetCellEx(rc, ARow);
    const QString next = NextEditableControlId(text, CtrlID);
    TControlHit hit;
    if (next.isEmpty() || !FindControl(*this, ACol, ARow, text, next, hit)) {
        SetFocus();
        return;
    }
    StartControlEdit(text, hit.Type, hit.ID, hit.Value, hit.Rect, ACol, rc, ARow);
}
