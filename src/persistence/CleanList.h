#pragma once

#include "CleanItem.h"

#include <functional>
#include <memory>
#include <vector>

namespace quorvex {

// An ordered list that owns its items. Positions are 0-based; a position outside the list
// raises EListError. Lists searched with FindByOID must be sorted with CompareOIDs.
class TCleanList : public TStreamed {
public:
    TCleanList() = default;
    ~TCleanList() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
    // The class NewItem creates and of which every item must be (or descend from).
    const TClassInfo& ItemClass() const { return *ClassInfo().ItemClass(); }

    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    TCleanItem* Items(int index) const;

    // Appends; returns the position. The item must be of the list's item class.
    int Add(std::unique_ptr<TCleanItem> item);
    void Insert(int index, std::unique_ptr<TCleanItem> item);
    // Takes the item out of the list and hands it to the caller.
    std::unique_ptr<TCleanItem> Delete(int index);
    // Takes the item out and frees it; returns its former position, or -1 when not held.
    int Remove(const TCleanItem* item);
    void Move(int from, int to);
    // Frees the items `remove` picks, keeping the others in order; returns how many went.
    int RemoveIf(const std::function<bool(const TCleanItem&)>& remove);
    // Frees every item, from the last to the first.
    void Clear();
    void Reserve(int capacity) { m_items.reserve(static_cast<size_t>(capacity)); }
    void TrimCapacity() { m_items.shrink_to_fit(); }
    int IndexOf(const TCleanItem* item) const noexcept;
    // Takes every item out, in order, leaving the list empty; for operations that rebuild a
    // list in one pass instead of inserting into its middle.
    std::vector<std::unique_ptr<TCleanItem>> TakeItems() noexcept;
    // Appends items in order (each must be of the list's item class).
    void AddItems(std::vector<std::unique_ptr<TCleanItem>>&& items);

    // Binary search on ascending OID; nullptr when not found.
    TCleanItem* FindByOID(std::int32_t oid) const noexcept;
    // Creates an item of the list's item class, appends it and returns it.
    TCleanItem* NewItem();
    // Reorders with a comparison function; items comparing equal keep their order.
    void Sort(TItemCompare compare);

protected:
    static TClassInfo MakeListClassInfo(std::string name, const TClassInfo& parent,
                                        std::unique_ptr<TStreamed> (*create)(),
                                        const TClassInfo* (*itemClass)());

private:
    void CheckIndex(int index, int limit) const;
    void CheckItemClass(const TCleanItem& item) const;

    std::vector<std::unique_ptr<TCleanItem>> m_items;
};

// A list whose item class is T (T has the list's item class): typed access for the model.
template <class Item, class Base>
class TTypedList : public Base {
public:
    Item* Items(int index) const { return static_cast<Item*>(Base::Items(index)); }
    Item* FindByOID(std::int32_t oid) const noexcept
    {
        return static_cast<Item*>(Base::FindByOID(oid));
    }
    Item* NewItem() { return static_cast<Item*>(Base::NewItem()); }
};

} // namespace quorvex
