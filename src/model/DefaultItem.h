#pragma once

#include "persistence/CleanItem.h"

#include <memory>
#include <string>

namespace quorvex {

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
