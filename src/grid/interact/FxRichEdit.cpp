#include "grid/interact/FxRichEdit.h"

#include "framework/Guard.h"
#include "framework/Input.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/model/FxGrid.h"
#include "grid/model/FxSizeWhileTyping.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

using namespace fw;

TFxRichEdit::TFxRichEdit(TFxStringGrid* grid) : fw::TRichEdit(grid->viewport()), FGrid(grid)
{
    hide();
    OnRequestResize = [this](QObject*, const TRect& r) { ResizeRequest(r); };
}

bool TFxRichEdit::IsInplace() const
{
    return objectName() == QLatin1String("GridInplaceRichEdit");
}

void TFxRichEdit::ResizeRequest(const TRect& requested)
{
    TFxStringGrid* g = FGrid;
    if (!IsInplace()) {
        FReqWidth = requested.Width();
        FReqHeight = requested.Height();
        return;
    }
    if (!g->SizeWhileTyping().Height || FLocked || !isVisible())
        return;
    const int h = requested.Height();
    const TRect cell = g->CellRect(g->Col(), g->Row());
    if (g->RowHeights(g->Row()) < h + 5 && cell.Top + h + 5 < g->height()) {
        resize(width(), h + 9);
        g->SetRowHeights(g->Row(), h + 10);
        if (const auto& e = g->Events().OnEndRowSize)
            e(g, g->Row());
    }
}

bool TFxRichEdit::event(QEvent* e)
{
    // Tab reaches the editor (a tab character, or the grid's next cell).
    if (e->type() == QEvent::KeyPress && IsInplace()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return fw::TRichEdit::event(e);
}

void TFxRichEdit::keyPressEvent(QKeyEvent* e)
{
    fw::RunGuarded([&] {
        if (!IsInplace()) {
            fw::TRichEdit::keyPressEvent(e);
            return;
        }
        QPointer<TFxStringGrid> g = FGrid;
        const int key = VirtualKeyFromEvent(*e);
        if (key == VK_TAB && (g->Options() & goTabs)) {
            g->HideEditor();
            g->SetFocus();
            g->Perform(WM_KEYDOWN, VK_TAB, 0);
            if (g)
                g->ShowInplaceEdit();
            e->accept();
            return;
        }
        if ((key == VK_UP || key == VK_DOWN) && !g->WordWrap() && !g->Multilinecells()) {
            g->HideEditor();
            g->SetFocus();
            g->Perform(WM_KEYDOWN, key, 0);
            e->accept();
            return;
        }
        if (key == VK_ESCAPE) {
            // The text the cell had when the edit began goes back.
            LoadRtf(g->OriginalCellValue());
            TFxGridEditorsState::Of(*g).RestoreOnHide = true;
            g->HideInplaceEdit();
            if (g)
                g->SetFocus();
            e->accept();
            return;
        }
        fw::TRichEdit::keyPressEvent(e);
    });
}

void TFxRichEdit::focusOutEvent(QFocusEvent* e)
{
    fw::RunGuarded([&] {
        TFxStringGrid* g = FGrid;
        if (IsInplace() && !TFxGridEditorAccess::State(*g).InvokedFocusChange) {
            QWidget* to = QApplication::focusWidget();
            if (isVisible() && (to == g || to == g->viewport()))
                g->HideInplaceEdit();
        }
        fw::TRichEdit::focusOutEvent(e);
    });
}
