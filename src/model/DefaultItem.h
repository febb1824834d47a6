#pragma once

#include "ReportLines.h"
#include "persistence/CleanItem.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

// The texts a comparison works on, taken before the comparison marks the item: an item's
// texts may depend on its state (a disabled constraint prints DISABLE).
struct TItemTexts {
    std::string Creating;
    std::string Display; // only filled for items whose comparison needs it
};

// A schema item: the owner and object it belongs to, its stored text and its state, plus the
// comparison text a model comparison fills (never stored, never copied).
class TDefaultItem : public TCleanItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;
    std::string GetCreatingText() const override; // the display text
    // Matches items in a comparison: the object number in decimal.
    virtual std::string GetKey() const;
    virtual std::string GetDisplayText() const; // ObjectText

    // Compares this item with its counterpart (or with nothing), line by line of the creating
    // texts: fills the comparison text, appends the marked lines to the report and sets
    // ObjectState to 5 when a non-empty line differs. `own` holds this item's texts as they
    // were before its list marked it.
    virtual void Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                         const TItemTexts& own);
    void Compare(TDefaultItem* other, TReportLines& report, std::string_view mark)
    {
        Compare(other, report, mark, CaptureTexts());
    }
    virtual TItemTexts CaptureTexts() const { return {GetCreatingText(), {}}; }

    const std::string& ComparisonText() const noexcept;
    void SetComparisonText(std::string text);
    void ClearComparisonText() noexcept { m_comparisonText.reset(); }

    std::int32_t OwnerNo = 0;
    std::int32_t ObjectNo = 0;
    std::int32_t ObjectState = 0;
    std::string ObjectText;

private:
    // Held out of line: most items never get one, and items are many.
    std::unique_ptr<std::string> m_comparisonText;
};

// Case-insensitive (ASCII) comparison of the items' keys; absent items first.
int CompareKeys(const TCleanItem* a, const TCleanItem* b);

} // namespace quorvex
