#include "CleanList.h"

#include "Exceptions.h"

#include <algorithm>
#include <utility>

namespace quorvex {

TCleanList::~TCleanList()
{
    Clear();
}

TClassInfo TCleanList::MakeListClassInfo(std::string name, const TClassInfo& parent,
                                         std::unique_ptr<TStreamed> (*create)(),
                                         const TClassInfo* (*itemClass)())
{
    TClassInfo info = MakeClassInfo(std::move(name), &parent, create, {});
    info.ItemClass = itemClass;
    return info;
}

const TClassInfo& TCleanList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TCleanList", TStreamed::StaticClass(), &CreateInstance<TCleanList>,
                          [] { return &TCleanItem::StaticClass(); });
    return info;
}

void TCleanList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit)
        throw EListError(messages::ListIndexOutOfBounds(index));
}

void TCleanList::CheckItemClass(const TCleanItem& item) const
{
    if (!item.InheritsFrom(ItemClass()))
        throw EListError("A " + item.ClassName() + " cannot be held in a " + ClassName());
}

TCleanItem* TCleanList::Items(int index) const
{
    CheckIndex(index, Count() - 1);
    return m_items[static_cast<size_t>(index)].get();
}

int TCleanList::Add(std::unique_ptr<TCleanItem> item)
{
    CheckItemClass(*item);
    m_items.push_back(std::move(item));
    return Count() - 1;
}

void TCleanList::Insert(int index, std::unique_ptr<TCleanItem> item)
{
    CheckIndex(index, Count());
    CheckItemClass(*item);
    m_items.insert(m_items.begin() + index, std::move(item));
}

std::unique_ptr<TCleanItem> TCleanList::Delete(int index)
{
    CheckIndex(index, Count() - 1);
    auto item = std::move(m_items[static_cast<size_t>(index)]);
    m_items.erase(m_items.begin() + index);
    return item;
}

int TCleanList::IndexOf(const TCleanItem* item) const noexcept
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [item](const auto& p) { return p.get() == item; });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

int TCleanList::Remove(const TCleanItem* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index).reset();
    return index;
}

void TCleanList::Move(int from, int to)
{
    CheckIndex(from, Count() - 1);
    CheckIndex(to, Count() - 1);
    if (from == to)
        return;
    auto first = m_items.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

std::vector<std::unique_ptr<TCleanItem>> TCleanList::TakeItems() noexcept
{
    return std::exchange(m_items, {});
}

void TCleanList::AddItems(std::vector<std::unique_ptr<TCleanItem>>&& items)
{
    m_items.reserve(m_items.size() + items.size());
    for (auto& item : items) {
        if (item)
            Add(std::move(item));
    }
    items.clear();
}

int TCleanList::RemoveIf(const std::function<bool(const TCleanItem&)>& remove)
{
    const auto first = std::stable_partition(m_items.begin(), m_items.end(),
                                             [&](const auto& item) { return !remove(*item); });
    const auto removed = static_cast<int>(m_items.end() - first);
    m_items.erase(first, m_items.end());
    return removed;
}

void TCleanList::Clear()
{
    while (!m_items.empty())
        m_items.pop_back();
}

TCleanItem* TCleanList::FindByOID(std::int32_t oid) const noexcept
{
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int probe = low + (high - low + 1) / 2;
        const TCleanItem* item = m_items[static_cast<size_t>(probe)].get();
        if (item->OID == oid)
            return m_items[static_cast<size_t>(probe)].get();
        if (item->OID > oid)
            high = probe - 1;
        else
            low = probe + 1;
    }
    return nullptr;
}

TCleanItem* TCleanList::NewItem()
{
    // The item class is a TCleanItem by construction of the list's class description.
    std::unique_ptr<TCleanItem> item(static_cast<TCleanItem*>(ItemClass().Create().release()));
    TCleanItem* raw = item.get();
    m_items.push_back(std::move(item));
    return raw;
}

void TCleanList::Sort(TItemCompare compare)
{
    std::stable_sort(m_items.begin(), m_items.end(), [compare](const auto& a, const auto& b) {
        return compare(a.get(), b.get()) < 0;
    });
}

} // namespace quorvex
