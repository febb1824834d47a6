#include "DefaultItem.h"

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
