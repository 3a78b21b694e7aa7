// The application's cell editor link: the base class's operations, the key
// handling that ends a custom edit, and the grid's show and write-back of it.
#include "grid/interact/FxEditLink.h"

#include "framework/Guard.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxControlLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

using namespace fw;

// The grid's protected selection check, reached as the other editors do.
struct FxEditLinkAccess : TFxStringGrid {
    static bool CanSelect(TFxStringGrid& g, int c, int r) { return (g.*(&FxEditLinkAccess::CanSelectCell))(c, r); }
    static void SetGrid(TEditLink& l, TFxStringGrid* g, TPoint cell)
    {
        l.FGrid = g;
        l.FEditCell = cell;
    }
    static QWidget* EnsurePopup(TEditLink& l);
};

namespace {

// The popup window of a link: borderless, above the others, telling its
// link when it loses the activation.
class TLinkPopupForm : public QWidget {
public:
    explicit TLinkPopupForm(TEditLink* link)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), FLink(link)
    {
        setObjectName(QStringLiteral("gridform"));
        setAttribute(Qt::WA_DeleteOnClose, false);
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::WindowDeactivate && FLink && isVisible())
            fw::RunGuarded([this] { FLink->FormExit(this); });
        return QWidget::event(e);
    }

private:
    QPointer<TEditLink> FLink;
};

bool IsGridKey(int key, TShiftState shift)
{
    switch (key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        return true;
    default:
        return shift.Contains(ssAlt) && key != VK_MENU && key != 0;
    }
}

} // namespace

QWidget* FxEditLinkAccess::EnsurePopup(TEditLink& l)
{
    // A link frees and makes only its own window; another link's stays.
    if (!l.FPopupForm)
        l.FPopupForm = new TLinkPopupForm(&l);
    return l.FPopupForm;
}

TEditLink::TEditLink(QObject* owner) : QObject(owner) {}

TEditLink::~TEditLink()
{
    if (FWatched)
        FWatched->removeEventFilter(this);
    if (FWatchedParent)
        FWatchedParent->removeEventFilter(this);
    delete FPopupForm.data();
}

QWidget* TEditLink::GetEditControl() { return nullptr; }
void TEditLink::CreateEditor(QWidget*) {}
void TEditLink::DestroyEditor() {}
void TEditLink::SetProperties() {}
void TEditLink::SetCellProps(TColor, const TFont&) {}
QString TEditLink::GetEditorValue() { return QString(); }
void TEditLink::SetEditorValue(const QString&) {}

void TEditLink::SetRect(TRect R)
{
    QWidget* c = GetEditControl();
    if (!c)
        return;
    const int line = FGrid ? FGrid->GridLineWidth() : 1;
    c->setGeometry(R.Left, R.Top, R.Width() - line, R.Height() - line);
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget* c = GetEditControl())
        c->setVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
    QWidget* c = GetEditControl();
    if (Value && c) {
        if (!c->isVisible())
            c->show();
        if (!c->isEnabled())
            c->setEnabled(true);
        if (!FSubClassed) {
            // The grid watches the control's keys (Tab and the arrows included);
            // a key the control does not take goes no further than its parent,
            // as the control's own window would keep it.
            c->installEventFilter(this);
            FWatched = c;
            if ((FWatchedParent = c->parentWidget()))
                FWatchedParent->installEventFilter(this);
            FSubClassed = true;
        }
    }
    if (Value && c)
        c->setFocus(Qt::OtherFocusReason);
    else if (FGrid)
        FGrid->SetFocus();
}

void TEditLink::RestoreWinProc()
{
    QWidget* c = GetEditControl();
    if (FWatched)
        FWatched->removeEventFilter(this);
    if (FWatchedParent)
        FWatchedParent->removeEventFilter(this);
    FWatched = nullptr;
    FWatchedParent = nullptr;
    FSubClassed = false;
    if (FEditStyle == esInplace && c)
        c->hide();
}

QString TEditLink::GetCellValue()
{
    if (!FGrid)
        return QString();
    return FGrid->Cells(FGrid->RealCol(), FGrid->Row());
}

void TEditLink::SetCellValue(const QString& S)
{
    if (FGrid)
        FGrid->WriteCellText(FGrid->RealCol(), FGrid->Row(), S);
}

QWidget* TEditLink::GetParent()
{
    if (FEditStyle == esPopup && FPopupForm)
        return FPopupForm;
    return FGrid ? FGrid->viewport() : nullptr;
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FGrid)
        FGrid->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(QObject*)
{
    HideEditor();
    if (FEditStyle == esPopup && FPopupForm) {
        if (GetEditControl())
            DestroyEditor();
        FPopupForm->hide();
    }
}

void TEditLink::FormExit(QObject* Sender)
{
    // Only an edit of this link in progress ends here.
    if (!FGrid || FGrid->EditLink() != this || !GetEditControl())
        return;
    const QString value = GetEditorValue();
    if (TFxInplaceEdit* ed = FGrid->NormalEdit())
        ed->SetText(value);
    if (FForcedExit) {
        SetCellValue(value);
        return;
    }
    EditExit(Sender);
    if (FGrid)
        TFxGridEditorAccess::State(*FGrid).InvokedFocusChange = true;
}

void TEditLink::GridTakesFocus()
{
    FForcedExit = true;
    // The framework's own editor stays shut while the grid has the focus.
    if (FGrid)
        FGrid->HideEditor();
    // From the popup's own window the keys go back to the grid's window.
    if (FGrid && FEditStyle == esPopup && FGrid->window() != QApplication::activeWindow())
        FGrid->window()->activateWindow();
    if (FGrid)
        FGrid->SetFocus();
    FForcedExit = false;
}

void TEditLink::EditKeyDown(QObject*, int& Key, TShiftState Shift)
{
    if (!IsGridKey(Key, Shift))
        return;
    if (((Key == VK_UP || Key == VK_DOWN) && WantKeyUpDown) || ((Key == VK_LEFT || Key == VK_RIGHT) && WantKeyLeftRight) ||
        (Key == VK_END && WantKeyHomeEnd) || ((Key == VK_PRIOR || Key == VK_NEXT) && WantKeyPriorNext) ||
        (Key == VK_RETURN && WantKeyReturn) || (Key == VK_ESCAPE && WantKeyEscape) || (Key == VK_TAB && WantTabs))
        return;
    QPointer<TFxStringGrid> g = FGrid;
    if (!g)
        return;
    QPointer<TEditLink> self(this);
    TFxGridInteractState& s = TFxGridEditorAccess::State(*g);
    if (Key == VK_TAB) {
        if (g->Navigation().TabToNextAtEnd()) {
            GridTakesFocus();
            g->HideSpecialEditor(g->Col(), g->Row());
            if (!g)
                return;
            const int oldCol = g->Col(), oldRow = g->Row();
            g->AdvanceOnTab(Shift.Contains(ssShift));
            if (g && (g->Col() != oldCol || g->Row() != oldRow) && !g->IsClickableCell(g->RealCol(), g->Row()))
                g->PostMessage(WM_KEYDOWN, VK_F2, 0);
            Key = 0;
            return;
        }
        Key = 0;
    }
    if (Key == VK_ESCAPE)
        SetEditorValue(s.CellCache);
    GridTakesFocus();
    if (!g || !self)
        return;
    // The value is read while the control still exists.
    const QString value = GetEditorValue();
    g->HideSpecialEditor(g->Col(), g->Row());
    if (!g || !self)
        return;
    if (FEditStyle == esPopup) {
        EditExit(this);
        SetCellValue(value);
    }
    if (!g)
        return;
    s.EditMode = false;
    FxEditLinkAccess::CanSelect(*g, g->Col(), g->Row());
    if (!g)
        return;
    if (Key == VK_RETURN && s.LastValidation) {
        g->AdvanceAfterEdit(g->Col(), g->Row(), true, false, !Shift.Contains(ssShift), true, false);
        Key = 0;
        return;
    }
    if (!s.LastValidation) {
        s.LastValidation = true;
        g->ShowSpecialEditor(g->Col(), g->Row());
        return;
    }
    s.LastValidation = true;
    if (Key == VK_ESCAPE) {
        Key = 0;
        return;
    }
    const int key = Key;
    if (key == VK_TAB || key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)
        g->Perform(WM_KEYDOWN, key, 0);
    if (!g)
        return;
    if (QWidget* c = self ? GetEditControl() : nullptr)
        c->setEnabled(false);
    if (self)
        GridTakesFocus();
    if ((g->Options() & goTabs) && key == VK_TAB && !g->IsClickableCell(g->RealCol(), g->Row()))
        g->PostMessage(WM_KEYDOWN, VK_F2, 0);
}

bool TEditLink::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    if (watched == FWatchedParent && FWatched && QApplication::focusWidget() == FWatched)
        return true;
    if (watched != FWatched)
        return QObject::eventFilter(watched, event);
    bool eat = false;
    fw::RunGuarded([&] {
        auto* k = static_cast<QKeyEvent*>(event);
        int key = VirtualKeyFromEvent(*k);
        if (key == 0)
            return;
        const bool gridKey = IsGridKey(key, ShiftStateFromEvent(*k));
        QPointer<TEditLink> self(this);
        EditKeyDown(watched, key, ShiftStateFromEvent(*k));
        // A key the edit ended on goes no further; one the control wants does.
        eat = key == 0 || (gridKey && self && FGrid && !FGrid->EditMode());
    });
    return eat;
}

// ---------------------------------------------------------------- the grid's side

namespace FxEditLinkDriver {

QWidget* Show(TFxStringGrid& grid, int acol, int arow, const TRect& r, TColor color, const TFont& font,
              const QString& value, QChar startChar)
{
    TEditLink* link = grid.EditLink();
    if (!link)
        return nullptr;
    TFxGridInteractState& s = TFxGridEditorAccess::State(grid);
    s.EditMode = true;
    FxEditLinkAccess::SetGrid(*link, &grid, TPoint(acol, arow));
    if (link->EditStyle() == esPopup) {
        if (link->AutoPopupWidth())
            link->SetPopupWidth(r.Width());
        QWidget* form = FxEditLinkAccess::EnsurePopup(*link);
        const QPoint p = link->PopupLeft() == -1 || link->PopupTop() == -1
                             ? grid.viewport()->mapToGlobal(QPoint(r.Left, r.Top))
                             : QPoint(link->PopupLeft(), link->PopupTop());
        form->move(p);
        form->resize(0, 0);
        form->show();
        form->move(p);
        form->resize(std::max(1, link->PopupWidth()), std::max(1, link->PopupHeight()));
        link->CreateEditor(form);
        link->SetRect(TRect(0, 0, link->PopupWidth(), link->PopupHeight()));
        // The popup is a window of its own: the control in it has the keys
        // only once that window is the active one.
        form->raise();
        form->activateWindow();
    } else {
        link->CreateEditor(grid.viewport());
        link->SetRect(r);
    }
    link->SetVisible(true);
    link->SetCellProps(color, font);
    link->SetProperties();
    grid.DoGetEditorProp(grid.RealColIndex(acol), arow, link);
    link->SetEditorValue(value);
    link->SetFocus(true);
    QWidget* c = link->GetEditControl();
    if (c && !startChar.isNull())
        FxGridSpecial::PostChar(c, startChar);
    return c;
}

void Hide(TFxStringGrid& grid, int col, int row)
{
    TFxGridInteractState& s = TFxGridEditorAccess::State(grid);
    if (grid.ControlLook().DropDownAlwaysVisible()) {
        TEditorType kind = s.CurrentEditor;
        grid.GetEventEditorType(col, row, kind);
    }
    TEditLink* link = grid.EditLink();
    if (link) {
        grid.WriteCellText(col, row, link->GetEditorValue());
        if (link->EditStyle() != esPopup)
            link->SetVisible(false);
        link->RestoreWinProc();
    }
    s.EditMode = false;
}

} // namespace FxEditLinkDriver
