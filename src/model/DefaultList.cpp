#include "DefaultList.h"

#include "ObjectState.h"
#include "persistence/AsciiText.h"

#include <algorithm>

namespace quorvex {

namespace {

struct TKeyedView {
    std::string Key;
    TDefaultItem* Item;
};

// The other list's items with their keys, in ascending key order; equal keys keep their
// order. The other list itself is left as it is.
std::vector<TKeyedView> SortedView(const TDefaultList& list)
{
    std::vector<TKeyedView> keyed;
    keyed.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        keyed.push_back({list.Items(i)->GetKey(), list.Items(i)});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return CompareTextAscii(a.Key, b.Key) < 0;
    });
    return keyed;
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
    std::vector<TKeyedItem> mine = TakeKeyedItems();
    std::vector<std::unique_ptr<TCleanItem>> merged;
    try {
        std::stable_sort(mine.begin(), mine.end(), [](const auto& a, const auto& b) {
            return CompareTextAscii(a.Key, b.Key) < 0;
        });
        merged.reserve(mine.size());
        if (other == nullptr) {
            for (auto& k : mine) {
                CompareItem(k.Item(), k.Key, nullptr, report, mark);
                merged.push_back(std::move(k.Owned));
            }
        } else {
            const std::vector<TKeyedView> theirs = SortedView(*other);
            const size_t n = mine.size();
            const size_t m = theirs.size();
            size_t i = 0;
            size_t j = 0;
            while (i < n || j < m) {
                const int c = i >= n   ? 1
                              : j >= m ? -1
                                       : CompareTextAscii(mine[i].Key, theirs[j].Key);
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
        throw;
    }
    AddItems(std::move(merged));
}

} // namespace quorvex
