#pragma once
// The owned item lists of the drop-down family (strip buttons, selector,
// detail, colour and image items, palette boxes): items know their list and
// report a change of a property that shows through the list's OnChange.
// Adding, inserting, deleting and clearing fire nothing.
#include <functional>
#include <memory>
#include <vector>

class TFxCollectionBase;

class TFxCollectionItem {
public:
    virtual ~TFxCollectionItem() = default;
    // Position in the list; -1 outside one.
    int Index() const;

protected:
    TFxCollectionItem() = default;
    TFxCollectionItem(const TFxCollectionItem&) = delete;
    TFxCollectionItem& operator=(const TFxCollectionItem&) = delete;
    // Fires the list's OnChange.
    void Changed();
    // Stores a different value and fires the list's OnChange.
    template <typename T>
    void SetAndNotify(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

private:
    friend class TFxCollectionBase;
    TFxCollectionBase* FCollection = nullptr;
};

class TFxCollectionBase {
public:
    virtual ~TFxCollectionBase() = default;
    int Count() const { return int(FItems.size()); }
    void Clear() { FItems.clear(); }
    void Delete(int index);
    // Null for an index out of range.
    TFxCollectionItem* ItemAt(int index) const;
    std::function<void()> OnChange;

protected:
    friend class TFxCollectionItem;
    TFxCollectionItem* AddItem(std::unique_ptr<TFxCollectionItem> item, int index);
    void Notify() const
    {
        if (OnChange)
            OnChange();
    }

private:
    std::vector<std::unique_ptr<TFxCollectionItem>> FItems;
};

// A list of T (which has Assign(const T&) and a default constructor).
template <typename T>
class TFxCollection : public TFxCollectionBase {
public:
    T* Add() { return static_cast<T*>(AddItem(std::make_unique<T>(), Count())); }
    T* Insert(int index) { return static_cast<T*>(AddItem(std::make_unique<T>(), index)); }
    // Null for an index out of range.
    T* Items(int index) const { return static_cast<T*>(ItemAt(index)); }
    // Writing an item copies the value into it.
    void SetItems(int index, const T& value)
    {
        if (T* item = Items(index))
            item->Assign(value);
    }
    void Assign(const TFxCollection& source)
    {
        if (&source == this)
            return;
        Clear();
        for (int i = 0; i < source.Count(); ++i)
            Add()->Assign(*source.Items(i));
    }
};
