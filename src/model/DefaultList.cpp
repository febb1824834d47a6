#include "DefaultList.h"

#include "ObjectState.h"
#include "persistence/AsciiText.h"

#include <algorithm>
#include <numeric>

namespace quorvex {

namespace {

// Keys with their ASCII letters folded to upper case, held in one buffer: compared byte by
// byte (unsigned, shorter first) they give exactly the order of CompareTextAscii, and a large
// list sorts without folding letters at every comparison.
class TFoldedKeys {
public:
    explicit TFoldedKeys(size_t count) { m_ends.reserve(count); }

    void Add(std::string_view key)
    {
        const size_t begin = m_buffer.size();
        m_buffer.append(key);
        for (size_t k = begin; k < m_buffer.size(); ++k)
            m_buffer[k] = UpperAscii(m_buffer[k]);
        m_ends.push_back(m_buffer.size());
    }

    std::string_view operator[](size_t k) const noexcept
    {
        const size_t begin = k == 0 ? 0 : m_ends[k - 1];
        return std::string_view(m_buffer).substr(begin, m_ends[k] - begin);
    }

    // Positions in ascending key order; equal keys keep their order.
    std::vector<size_t> Order() const
    {
        std::vector<size_t> order(m_ends.size());
        std::iota(order.begin(), order.end(), size_t{0});
        if (std::is_sorted(order.begin(), order.end(),
                           [this](size_t x, size_t y) { return (*this)[x] < (*this)[y]; }))
            return order;
        std::sort(order.begin(), order.end(), [this](size_t x, size_t y) {
            const int c = (*this)[x].compare((*this)[y]);
            return c != 0 ? c < 0 : x < y;
        });
        return order;
    }

private:
    std::string m_buffer;
    std::vector<size_t> m_ends;
};

struct TKeyedView {
    std::string_view Key; // folded
    TDefaultItem* Item;
};

// The other list's items with their folded keys, in ascending key order; equal keys keep
// their order. The other list itself is left as it is.
std::vector<TKeyedView> SortedView(const TDefaultList& list, TFoldedKeys& keys)
{
    const auto count = static_cast<size_t>(list.Count());
    for (size_t k = 0; k < count; ++k)
        keys.Add(list.Items(static_cast<int>(k))->GetKey());
    std::vector<TKeyedView> sorted;
    sorted.reserve(count);
    for (const size_t k : keys.Order())
        sorted.push_back({keys[k], list.Items(static_cast<int>(k))});
    return sorted;
}

} // namespace

const TClassInfo& TDefaultList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TDefaultList", TCleanList::StaticClass(), &CreateInstance<TDefaultList>,
                          [] { return &TDefaultItem::StaticClass(); });
    return info;
}

void TDefaultList::CompareItem(TDefaultItem& item, const std::string& key, TDefaultItem* other,
                               TReportLines& report, std::string_view mark)
{
    const TItemTexts texts = item.CaptureTexts();
    item.ObjectState = MarkState(mark);
    report.Add(mark, key);
    item.Compare(other, report, mark, texts);
}

std::unique_ptr<TCleanItem> TDefaultList::CopyOf(const TDefaultItem& source) const
{
    std::unique_ptr<TCleanItem> copy(static_cast<TCleanItem*>(ItemClass().Create().release()));
    copy->Assign(source);
    return copy;
}

std::vector<TDefaultList::TKeyedItem> TDefaultList::TakeKeyedItems()
{
    std::vector<TKeyedItem> keyed(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        keyed[static_cast<size_t>(i)].Key = Items(i)->GetKey();
    auto items = TakeItems();
    for (size_t i = 0; i < items.size(); ++i)
        keyed[i].Owned = std::move(items[i]);
    return keyed;
}

void TDefaultList::Restore(std::vector<std::unique_ptr<TCleanItem>>& done,
                           std::vector<TKeyedItem>& rest) noexcept
{
    try {
        AddItems(std::move(done));
        for (auto& k : rest) {
            if (k.Owned)
                Add(std::move(k.Owned));
        }
    } catch (...) { // out of memory while restoring: the items are freed, not leaked
    }
}

void TDefaultList::Compare(TDefaultList* other, TReportLines& report, std::string_view mark)
{
    std::vector<TKeyedItem> taken = TakeKeyedItems();
    std::vector<TKeyedItem> mine;
    std::vector<std::unique_ptr<TCleanItem>> merged;
    try {
        TFoldedKeys myKeys(taken.size());
        for (const auto& k : taken)
            myKeys.Add(k.Key);
        const std::vector<size_t> myOrder = myKeys.Order();
        mine.reserve(taken.size());
        for (const size_t k : myOrder)
            mine.push_back(std::move(taken[k]));
        taken.clear();
        merged.reserve(mine.size());
        if (other == nullptr) {
            for (auto& k : mine) {
                CompareItem(k.Item(), k.Key, nullptr, report, mark);
                merged.push_back(std::move(k.Owned));
            }
        } else {
            TFoldedKeys theirKeys(static_cast<size_t>(other->Count()));
            const std::vector<TKeyedView> theirs = SortedView(*other, theirKeys);
            const size_t n = mine.size();
            const size_t m = theirs.size();
            size_t i = 0;
            size_t j = 0;
            while (i < n || j < m) {
                const int c = i >= n ? 1 : j >= m ? -1 : myKeys[myOrder[i]].compare(theirs[j].Key);
                if (c == 0) {
                    CompareItem(mine[i].Item(), mine[i].Key, theirs[j].Item, report,
                                Marks::Unchanged);
                    merged.push_back(std::move(mine[i].Owned));
                    ++i;
                    ++j;
                } else if (c < 0) {
                    CompareItem(mine[i].Item(), mine[i].Key, nullptr, report, Marks::Removed);
                    merged.push_back(std::move(mine[i].Owned));
                    ++i;
                } else {
                    merged.push_back(CopyOf(*theirs[j].Item));
                    auto& added = static_cast<TDefaultItem&>(*merged.back());
                    CompareItem(added, added.GetKey(), nullptr, report, Marks::Added);
                    ++j;
                }
            }
        }
    } catch (...) {
        Restore(merged, mine);
        std::vector<std::unique_ptr<TCleanItem>> none;
        Restore(none, taken); // items not yet moved into key order
        throw;
    }
    AddItems(std::move(merged));
}

} // namespace quorvex
