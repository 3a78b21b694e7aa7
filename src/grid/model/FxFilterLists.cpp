// The filter drop-down's lists.
#include "grid/model/FxFilterLists.h"

#include "grid/model/FxGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The list closes when it loses the focus to anything but itself; the
// grid then has no open filter column.
void CloseList(QListWidget& list, TFxStringGrid* grid)
{
    list.hide();
    if (grid)
        grid->SetFilterColumn(-1);
}

} // namespace

TDropList::TDropList(TFxStringGrid* grid) : QListWidget(grid), FGrid(grid)
{
    hide();
    resize(0, 0);
}

void TDropList::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        hide();
        if (OnSelect)
            OnSelect(currentRow());
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        CloseList(*this, FGrid);
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TDropList::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    const QListWidgetItem* item = itemAt(e->position().toPoint());
    hide();
    if (OnSelect)
        OnSelect(item ? row(item) : currentRow());
}

void TDropList::focusOutEvent(QFocusEvent* e)
{
    QListWidget::focusOutEvent(e);
    if (isVisible())
        CloseList(*this, FGrid);
}

TDropCheckList::TDropCheckList(TFxStringGrid* grid) : QListWidget(grid), FGrid(grid)
{
    hide();
    resize(0, 0);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        if (!FFilling && OnSelect)
            OnSelect(-1);
    });
}

bool TDropCheckList::Checked(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it && it->checkState() == Qt::Checked;
}

void TDropCheckList::SetChecked(int Index, bool Value)
{
    QListWidgetItem* it = item(Index);
    if (!it)
        return;
    FFilling = true;
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
    FFilling = false;
}

void TDropCheckList::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        CloseList(*this, FGrid);
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TDropCheckList::focusOutEvent(QFocusEvent* e)
{
    QListWidget::focusOutEvent(e);
    if (isVisible())
        CloseList(*this, FGrid);
}
