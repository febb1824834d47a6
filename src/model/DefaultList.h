#pragma once

#include "DefaultItem.h"
#include "ReportLines.h"
#include "persistence/CleanList.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// A list of schema items; the base of every list that takes part in a model comparison.
class TDefaultList : public TTypedList<TDefaultItem, TCleanList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    // Compares this list with another (or with nothing), items matched by key: both lists in
    // ascending key order, case-insensitive. Marks each item unchanged, removed or added,
    // copies the other list's extra items in at their place, and appends the report lines.
    // Afterwards this list holds the items of both in key order.
    virtual void Compare(TDefaultList* other, TReportLines& report, std::string_view mark);

protected:
    // Marks `item` with `mark`, reports mark + `key` and compares its lines with `other`.
    // The texts are taken before the mark is set.
    static void CompareItem(TDefaultItem& item, const std::string& key, TDefaultItem* other,
                            TReportLines& report, std::string_view mark);
    // A copy of `source` made by this list's item class, not yet in the list.
    std::unique_ptr<TCleanItem> CopyOf(const TDefaultItem& source) const;

    struct TKeyedItem {
        std::string Key;
        std::unique_ptr<TCleanItem> Owned;
        TDefaultItem& Item() const { return static_cast<TDefaultItem&>(*Owned); }
    };
    // Takes the items out of the list with their keys, in list order.
    std::vector<TKeyedItem> TakeKeyedItems();
    // Puts items back after a failure midway, so the model loses nothing.
    void Restore(std::vector<std::unique_ptr<TCleanItem>>& done,
                 std::vector<TKeyedItem>& rest) noexcept;
};

} // namespace quorvex
