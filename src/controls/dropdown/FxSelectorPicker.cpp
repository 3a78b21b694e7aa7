#include "controls/dropdown/FxSelectorPicker.h"

using namespace fw;

QChar SearchCharForKey(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return QChar(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return QChar('0' + key - VK_NUMPAD0);
    return {};
}

TSelectorPicker::TSelectorPicker(std::function<void()> prepare) : FPrepare(std::move(prepare))
{
    FKeyTimer.SetInterval(500);
    FKeyTimer.SetOnTimer([this] {
        FKeyTimer.SetEnabled(false);
        FCurSearch.clear();
    });
}

TSelectorPicker::~TSelectorPicker() { FKeyTimer.SetEnabled(false); }

void TSelectorPicker::PrepareIfStale(int itemCount)
{
    if (FList && FList->Items().Count() != itemCount && FPrepare)
        FPrepare();
}

void TSelectorPicker::MoveList(int index)
{
    if (!FList || index < 0 || index >= FList->Items().Count())
        return;
    Internally([&] {
        FList->SetItemIndex(index);
        FList->ScrollItemInView(index);
    });
}

bool TSelectorPicker::HandleKey(int key, TShiftState shift, bool open, bool editorEnabled, int itemCount,
                                const TKeyRules& rules, const std::function<void(TPickStep)>& ownStep)
{
    TFxCustomItemSelector* list = FList;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        if (!list)
            return true;
        PrepareIfStale(itemCount);
        const int n = list->GetVisibleItemCount();
        if (n >= 1)
            MoveList(key == VK_PRIOR ? std::max(list->ItemIndex() - n, 0)
                                     : std::min(list->ItemIndex() + n, itemCount - 1));
        return true;
    }
    case VK_END:
    case VK_HOME:
        if (open && list)
            Internally([&] { key == VK_END ? list->SelectLast() : list->SelectFirst(); });
        else if (!open && (!rules.HomeEndNeedNoEditor || !editorEnabled))
            ownStep(key == VK_END ? TPickStep::Last : TPickStep::First);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (open && !editorEnabled && list)
            Internally([&] { key == VK_LEFT ? list->SelectPrevious() : list->SelectNext(); });
        return true;
    case VK_UP:
    case VK_DOWN:
        if (open && list) {
            const int i = list->ItemIndex();
            MoveList(i < 0 ? 0 : i + (key == VK_UP ? -rules.RowStep : rules.RowStep));
        } else if (!open) {
            ownStep(key == VK_UP ? TPickStep::Previous : TPickStep::Next);
        }
        return true;
    default: break;
    }
    // Only letters and digits search; Shift, Enter and the like are no text.
    const QChar ch = SearchCharForKey(key);
    if (shift.Contains(ssCtrl) || ch.isNull() || !list)
        return false;
    if (rules.SearchFillsList)
        PrepareIfStale(itemCount);
    FCurSearch += ch;
    Internally([&] { list->LookupItem(FCurSearch); });
    // Enabling the running timer does not restart it: the search text goes
    // 500 ms after the first key of a burst.
    FKeyTimer.SetEnabled(true);
    return false;
}

void TSelectorPicker::Wheel(bool next, bool open, int itemCount)
{
    if (!FList)
        return;
    if (open) {
        next ? FList->HotNext() : FList->HotPrevious();
        return;
    }
    // A picker never opened yet has an empty list.
    PrepareIfStale(itemCount);
    Internally([&] { next ? FList->SelectNext() : FList->SelectPrevious(); });
}
