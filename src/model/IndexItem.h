#pragma once

#include "TableItem.h"

namespace quorvex {

// An index of a table. ObjectName is the index name, TableName its table, IndexFields the
// indexed column names joined by "," (each followed by " DESC" when descending).
class TIndexItem : public TTableItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;
    std::string GetCreatingText() const override; // "CREATE INDEX N ON T (cols);"
    std::string GetKey() const override;          // "Index : " + name
    std::string GetDisplayText() const override;  // the creating text

    // The line comparison; a changed index is marked as such (state 6).
    using TDefaultItem::Compare;
    void Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                 const TItemTexts& own) override;

    std::string IndexFields;
};

} // namespace quorvex
