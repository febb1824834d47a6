#include "DefaultItem.h"

#include "LineComparison.h"
#include "ObjectState.h"
#include "TextLines.h"
#include "persistence/AsciiText.h"

namespace quorvex {

const TClassInfo& TDefaultItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TDefaultItem", &TCleanItem::StaticClass(), &CreateInstance<TDefaultItem>,
                      {IntegerProp<&TDefaultItem::OwnerNo>("OwnerNo"),
                       IntegerProp<&TDefaultItem::ObjectNo>("ObjectNo"),
                       TextProp<&TDefaultItem::ObjectText>("ObjectText"),
                       IntegerProp<&TDefaultItem::ObjectState>("ObjectState")});
    return info;
}

void TDefaultItem::Assign(const TStreamed& source)
{
    TCleanItem::Assign(source);
    for (const char* name : {"OwnerNo", "ObjectNo", "ObjectText", "ObjectState"})
        CopyPropertyByName(source, name);
}

std::string TDefaultItem::GetCreatingText() const
{
    return GetDisplayText();
}

std::string TDefaultItem::GetKey() const
{
    return std::to_string(ObjectNo);
}

std::string TDefaultItem::GetDisplayText() const
{
    return ObjectText;
}

void TDefaultItem::Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                           const TItemTexts& own)
{
    ClearComparisonText();
    if (other == nullptr) {
        // The whole text with the item's mark, as one report entry.
        const auto lines = SplitLines(own.Creating);
        if (lines.empty())
            return;
        std::string text;
        for (size_t k = 0; k < lines.size(); ++k) {
            if (k > 0)
                text += "\r\n";
            text.append(mark);
            text.append(lines[k]);
        }
        report.Add(text);
        SetComparisonText(std::move(text));
        return;
    }
    TLineComparison result = CompareLines(own.Creating, other->GetCreatingText(), report);
    if (result.Changed)
        ObjectState = ObjectStates::Changed;
    SetComparisonText(std::move(result.ComparisonText));
}

const std::string& TDefaultItem::ComparisonText() const noexcept
{
    static const std::string empty;
    return m_comparisonText ? *m_comparisonText : empty;
}

void TDefaultItem::SetComparisonText(std::string text)
{
    if (text.empty())
        m_comparisonText.reset();
    else
        m_comparisonText = std::make_unique<std::string>(std::move(text));
}

int CompareKeys(const TCleanItem* a, const TCleanItem* b)
{
    if (a == nullptr || b == nullptr)
        return CompareAbsent(a, b);
    return CompareTextAscii(static_cast<const TDefaultItem*>(a)->GetKey(),
                            static_cast<const TDefaultItem*>(b)->GetKey());
}

} // namespace quorvex
