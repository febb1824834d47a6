#include "FieldList.h"

#include "LookAhead.h"
#include "ObjectState.h"
#include "persistence/Exceptions.h"

namespace quorvex {

const TClassInfo& TFieldList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TFieldList", TCommentList::StaticClass(), &CreateInstance<TFieldList>,
                          [] { return &TFieldItem::StaticClass(); });
    return info;
}

void TFieldList::Compare(TDefaultList* other, TReportLines& report, std::string_view mark)
{
    if (other != nullptr && !other->InheritsFrom(TFieldList::StaticClass()))
        throw EListError("A " + other->ClassName() + " cannot be compared column by column");
    std::vector<TKeyedItem> mine = TakeKeyedItems();
    std::vector<std::unique_ptr<TCleanItem>> merged;
    try {
        merged.reserve(mine.size());
        if (other == nullptr) {
            for (auto& k : mine) {
                CompareItem(k.Item(), k.Key, nullptr, report, mark);
                merged.push_back(std::move(k.Owned));
            }
        } else {
            const int n = static_cast<int>(mine.size());
            const int m = other->Count();
            std::vector<std::string_view> myNames;
            std::vector<std::string_view> theirNames;
            myNames.reserve(mine.size());
            for (const auto& k : mine)
                myNames.push_back(static_cast<const TFieldItem&>(k.Item()).FieldName);
            for (int j = 0; j < m; ++j)
                theirNames.push_back(static_cast<const TFieldItem*>(other->Items(j))->FieldName);
            TLookAhead lookAhead(myNames, theirNames);

            int i = 0;
            int j = 0;
            const auto addCopy = [&] {
                merged.push_back(CopyOf(*other->Items(j++)));
                auto& added = static_cast<TDefaultItem&>(*merged.back());
                CompareItem(added, added.GetKey(), nullptr, report, Marks::Added);
            };
            const auto markRemoved = [&] {
                CompareItem(mine[i].Item(), mine[i].Key, nullptr, report, Marks::Removed);
                merged.push_back(std::move(mine[i++].Owned));
            };
            const auto pair = [&] {
                CompareItem(mine[i].Item(), mine[i].Key, other->Items(j++), report,
                            Marks::Unchanged);
                merged.push_back(std::move(mine[i++].Owned));
            };
            while (i < n || j < m) {
                if (i >= n) {
                    addCopy();
                } else if (j >= m) {
                    markRemoved();
                } else if (myNames[i] == theirNames[j]) {
                    pair();
                } else {
                    const auto found = lookAhead.Find(i, j);
                    switch (found.Run) {
                    case TLookAhead::TRun::Removal:
                        for (const int end = i + found.Distance; i < end;)
                            markRemoved();
                        pair();
                        break;
                    case TLookAhead::TRun::Insertion:
                        for (const int end = j + found.Distance; j < end;)
                            addCopy();
                        pair();
                        break;
                    case TLookAhead::TRun::None:
                        addCopy();
                        markRemoved();
                        break;
                    }
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
