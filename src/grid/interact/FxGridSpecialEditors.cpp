// Showing and writing back the further in-place editors: the date and time
// pickers, the edit-button and unit editors, the button, the rich edit and
// the application's editor link; the grid's getters of these controls.
#include "grid/interact/FxGridSpecialEditors_p.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxEditLink.h"
#include "grid/interact/FxGridBtnEditors.h"
#include "grid/interact/FxGridDatePicker.h"
#include "grid/interact/FxRichEdit.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>

using namespace fw;

// ---------------------------------------------------------------- state

TFxGridEditorsState::TFxGridEditorsState(TFxStringGrid* grid) : QObject(grid)
{
    setObjectName(QStringLiteral("FxGridEditorsState"));
}

TFxGridEditorsState& TFxGridEditorsState::Of(const TFxStringGrid& grid)
{
    auto* g = const_cast<TFxStringGrid*>(&grid);
    if (auto* s = g->findChild<TFxGridEditorsState*>(QStringLiteral("FxGridEditorsState"), Qt::FindDirectChildrenOnly))
        return *s;
    return *new TFxGridEditorsState(g);
}

namespace {

template <class T>
T& Child(const TFxStringGrid& grid, const char* name)
{
    auto* g = const_cast<TFxStringGrid*>(&grid);
    if (auto* w = g->viewport()->findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
        return *w;
    auto* w = new T(g);
    w->setObjectName(QLatin1String(name));
    return *w;
}

// A control that loses its window while focused hands the focus to the grid.
void HideControl(TFxStringGrid& grid, QWidget* w)
{
    if (w->hasFocus())
        grid.SetFocus();
    w->hide();
    w->setEnabled(false);
}

void Focus(TFxStringGrid& grid, QWidget* w, QChar startChar)
{
    w->raise();
    w->setFocus(Qt::OtherFocusReason);
    FxGridSpecial::SendChar(w, startChar);
    (void)grid;
}

} // namespace

TGridEditBtn& TFxStringGrid::BtnEdit() const { return Child<TGridEditBtn>(*this, "GridBtnEdit"); }
TGridUnitEditBtn& TFxStringGrid::BtnUnitEdit() const { return Child<TGridUnitEditBtn>(*this, "GridBtnUnitEdit"); }
TGridButton& TFxStringGrid::Btn() const { return Child<TGridButton>(*this, "GridBtn"); }
TGridDatePicker& TFxStringGrid::DateTimePicker() const { return Child<TGridDatePicker>(*this, "GridDatePicker"); }

TFxRichEdit& TFxStringGrid::RichEdit() const
{
    TFxRichEdit& r = Child<TFxRichEdit>(*this, "GridRichEdit");
    r.SetBorder(false);
    r.resize(0, 0);
    return r;
}

TFxRichEdit& TFxStringGrid::InplaceRichEdit() const { return Child<TFxRichEdit>(*this, "GridInplaceRichEdit"); }

TEditLink* TFxStringGrid::EditLink() const { return TFxGridEditorsState::Of(*this).EditLink.data(); }
void TFxStringGrid::SetEditLink(TEditLink* Value) { TFxGridEditorsState::Of(*this).EditLink = Value; }

QString TFxStringGrid::DoEllipsClick(const QString& Text)
{
    QString v = Text;
    if (const auto& e = Events().OnEllipsClick)
        e(this, Col(), Row(), v);
    return v;
}

// ---------------------------------------------------------------- show and hide

namespace FxGridSpecial {

bool FocusGoesToPopup(const QFocusEvent& e)
{
    return e.reason() == Qt::PopupFocusReason || e.reason() == Qt::ActiveWindowFocusReason ||
           QApplication::activePopupWidget() != nullptr;
}

bool FocusTakenByHeldPress(TFxStringGrid& grid, QWidget& editor)
{
    TFxGridInteractState& s = TFxGridEditorAccess::State(grid);
    QWidget* to = QApplication::focusWidget();
    if (!s.HoldCell || !(to == &grid || (to && grid.isAncestorOf(to) && !editor.isAncestorOf(to))))
        return false;
    QPointer<QWidget> back(&editor);
    QMetaObject::invokeMethod(
        &editor,
        [back] {
            if (back && back->isVisible() && !back->hasFocus())
                back->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
    return true;
}

void HoldRefusedPress(TFxStringGrid& grid)
{
    TFxGridInteractState& s = TFxGridEditorAccess::State(grid);
    if (!grid.EditMode() || !s.Refused)
        return;
    s.HoldCell = true;
    QPointer<TFxStringGrid> g(&grid);
    QMetaObject::invokeMethod(
        &grid,
        [g] {
            if (g && !(QApplication::mouseButtons() & Qt::LeftButton))
                TFxGridEditorAccess::State(*g).HoldCell = false;
        },
        Qt::QueuedConnection);
}

void EndEditOnFocusLoss(TFxStringGrid& grid, QWidget& editor, const QFocusEvent& e, bool keepOpen)
{
    if (FocusGoesToPopup(e) || !editor.isVisible() || keepOpen)
        return;
    if (FocusTakenByHeldPress(grid, editor))
        return;
    QPointer<TFxStringGrid> g(&grid);
    grid.HideInplaceEdit();
    if (g)
        HoldRefusedPress(*g);
}

bool TabIsEditors(const QEvent* e, bool claimed)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(e);
    return claimed && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab);
}

bool TabOn(TFxStringGrid& grid, TShiftState shift)
{
    if (grid.Options() & goTabs) {
        grid.HideInplaceEdit();
        grid.SetFocus();
        grid.AdvanceOnTab(shift.Contains(ssShift));
        return true;
    }
    grid.PostMessage(WM_KEYDOWN, VK_TAB, 0);
    return false;
}

QString LookupCompletion(const TFxStringGrid& grid, const QString& text, int cursor)
{
    if (!grid.Lookup())
        return QString();
    const bool cs = grid.LookupCaseSensitive();
    const QString typed = text.left(cursor);
    if (typed.isEmpty())
        return QString();
    const QString p = cs ? typed : typed.toUpper();
    const TStringList& items = grid.LookupItems();
    for (int i = 0; i < items.Count(); ++i) {
        const QString item = items[i];
        if ((cs ? item : item.toUpper()).startsWith(p))
            return typed + item.mid(typed.length(), 255);
    }
    return QString();
}

void SendChar(QWidget* target, QChar ch)
{
    if (!target || ch.isNull())
        return;
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(target, &e);
}

void SetEditColor(QWidget* e, TColor color)
{
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    e->setPalette(pal);
}

bool Handles(TEditorType kind)
{
    switch (kind) {
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn:
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn:
    case edDateEdit: case edDateEditUpDown: case edTimeEdit:
    case edButton: case edRichEdit: case edCustom:
        return true;
    default:
        return false;
    }
}

QWidget* Show(TFxStringGrid& grid, TEditorType kind, int acol, int arow, const TRect& r, TColor cellColor,
              const QString& value, QChar startChar)
{
    TFxGridEditorsState::Of(grid).RestoreOnHide = false;
    const int c = grid.RealColIndex(acol);
    const int w = r.Width() - 1;
    const int h = r.Height() - 1;
    const QFont font = grid.GetCellFont(c, arow).ToQFont();
    switch (kind) {
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: {
        TGridEditBtn& e = grid.BtnEdit();
        e.setFont(font);
        e.setGeometry(r.Left, r.Top, w, h);
        e.setText(value);
        e.setMaxLength(grid.MaxEditLength() > 0 ? grid.MaxEditLength() : 32767);
        e.show();
        e.setEnabled(true);
        e.SetColor(cellColor);
        Focus(grid, &e, startChar);
        return &e;
    }
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn: {
        TGridUnitEditBtn& e = grid.BtnUnitEdit();
        e.setFont(font);
        e.setGeometry(r.Left, r.Top, w, h);
        e.setMaxLength(grid.MaxEditLength() > 0 ? grid.MaxEditLength() : 32767);
        e.SetUnitID(QString());
        e.setText(QString());
        // The application names the units here, so they are known before the
        // value is split; a value ending in none of them stays whole.
        grid.DoGetEditorProp(c, arow, &e);
        e.SetTextAndUnit(value);
        if (e.text().isEmpty() && e.UnitID().isEmpty())
            e.setText(value);
        e.show();
        e.setEnabled(true);
        e.SetColor(cellColor);
        Focus(grid, &e, startChar);
        return &e;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker& e = grid.DateTimePicker();
        const TDateTimeKind k = kind == edTimeEdit ? dtkTime : dtkDate;
        e.setFont(font);
        e.SetKind(k);
        e.SetDateMode(kind == edDateEditUpDown ? dmUpDown : dmComboBox);
        bool ok = false;
        TDateTime v = TGridDatePicker::CellValue(grid, k, value, ok);
        if (k == dtkDate) {
            // Limits bound the value inclusively; 0 means none.
            const TDateTime lo = e.MinDate(), hi = e.MaxDate();
            if (hi != 0 && v > hi)
                v = hi;
            if (lo != 0 && v < lo)
                v = lo;
        }
        grid.DoGetEditorProp(c, arow, &e);
        e.SetDateTime(v);
        e.setGeometry(r.Left, r.Top, w, h);
        e.setEnabled(true);
        e.show();
        e.SetColor(cellColor);
        // The first part is the active one, as typing expects.
        e.SelectSection(0);
        Focus(grid, &e, k == dtkTime ? QChar() : startChar);
        if (k == dtkDate && grid.MouseActions().DirectDateDrop())
            e.DropDown();
        return &e;
    }
    case edButton: {
        TGridButton& b = grid.Btn();
        b.setFont(font);
        b.setGeometry(r.Left - 1, r.Top - 1, w + 2, h + 2);
        b.setText(value);
        b.show();
        b.setEnabled(true);
        Focus(grid, &b, QChar());
        return &b;
    }
    case edRichEdit: {
        TFxRichEdit& e = grid.InplaceRichEdit();
        e.SetBorder(false);
        e.setGeometry(r.Left, r.Top, w, h);
        grid.DoGetEditorProp(c, arow, &e);
        e.Lock();
        e.SetBaseFont(grid.GetCellFont(c, arow));
        grid.CellToRich(c, arow, e);
        if (grid.Navigation().EditSelectAll())
            e.selectAll();
        e.show();
        e.setEnabled(true);
        e.document()->setDocumentMargin(2);
        SetEditColor(e.viewport(), cellColor);
        e.viewport()->setAutoFillBackground(true);
        Focus(grid, &e, startChar);
        // Unlocked once the typed character has reached the editor.
        QPointer<TFxRichEdit> re(&e);
        QMetaObject::invokeMethod(
            &e, [re] {
                if (re)
                    re->Unlock();
            },
            Qt::QueuedConnection);
        return &e;
    }
    case edCustom:
        return FxEditLinkDriver::Show(grid, acol, arow, r, cellColor, grid.GetCellFont(c, arow), value, startChar);
    default:
        return nullptr;
    }
}

bool Hide(TFxStringGrid& grid, TEditorType kind, int col, int row)
{
    if (!Handles(kind))
        return false;
    TFxGridInteractState& s = TFxGridEditorAccess::State(grid);
    const char* name = nullptr;
    switch (kind) {
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn: name = "GridBtnEdit"; break;
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn: name = "GridBtnUnitEdit"; break;
    case edDateEdit: case edDateEditUpDown: case edTimeEdit: name = "GridDatePicker"; break;
    case edButton: name = "GridBtn"; break;
    case edRichEdit: name = "GridInplaceRichEdit"; break;
    case edCustom:
        FxEditLinkDriver::Hide(grid, col, row);
        return true;
    default: break;
    }
    // A kind whose control was never made writes nothing.
    QWidget* w = grid.viewport()->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!w) {
        s.EditMode = false;
        return true;
    }
    TFxGridEditorsState& own = TFxGridEditorsState::Of(grid);
    if (own.RestoreOnHide && (kind == edDateEdit || kind == edDateEditUpDown || kind == edTimeEdit ||
                              kind == edRichEdit)) {
        own.RestoreOnHide = false;
        s.EditMode = false;
        grid.WriteCellText(col, row, s.CellCache);
        HideControl(grid, w);
        return true;
    }
    switch (kind) {
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn:
        if (!s.EditMode)
            return true;
        s.EditMode = false;
        grid.WriteCellText(col, row, static_cast<TGridEditBtn*>(w)->text());
        break;
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn:
        s.EditMode = false;
        grid.WriteCellText(col, row, static_cast<TGridUnitEditBtn*>(w)->TextAndUnit());
        break;
    case edDateEdit: case edDateEditUpDown: case edTimeEdit:
        s.EditMode = false;
        if (w->isVisible())
            grid.WriteCellText(col, row, static_cast<TGridDatePicker*>(w)->text());
        break;
    case edButton:
        s.EditMode = false;
        break;
    case edRichEdit:
        s.EditMode = false;
        grid.WriteCellText(col, row, grid.RichToString(*static_cast<TFxRichEdit*>(w)));
        break;
    default: break;
    }
    HideControl(grid, w);
    return true;
}

} // namespace FxGridSpecial
