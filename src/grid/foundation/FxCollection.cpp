#include "grid/foundation/FxCollection.h"

#include <algorithm>

int TFxCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (FCollection->ItemAt(i) == this)
            return i;
    return -1;
}

void TFxCollectionItem::Changed()
{
    if (FCollection)
        FCollection->Notify();
}

void TFxCollectionBase::Delete(int index)
{
    if (index >= 0 && index < Count())
        FItems.erase(FItems.begin() + index);
}

TFxCollectionItem* TFxCollectionBase::ItemAt(int index) const
{
    return index >= 0 && index < Count() ? FItems[std::size_t(index)].get() : nullptr;
}

TFxCollectionItem* TFxCollectionBase::AddItem(std::unique_ptr<TFxCollectionItem> item, int index)
{
    item->FCollection = this;
    index = std::clamp(index, 0, Count());
    return FItems.insert(FItems.begin() + index, std::move(item))->get();
}
