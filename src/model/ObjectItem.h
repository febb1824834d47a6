#pragma once

#include "ConstraintList.h"
#include "FieldList.h"
#include "IndexList.h"
#include "NameStateItem.h"
#include "TriggerList.h"

#include <memory>

namespace quorvex {

// Object kinds (ObjectType), the dictionary's object type numbers.
namespace ObjectTypes {
inline constexpr int Index = 1;
inline constexpr int Table = 2;
inline constexpr int View = 4;
inline constexpr int Synonym = 5;
inline constexpr int Sequence = 6;
inline constexpr int Procedure = 7;
inline constexpr int Function = 8;
inline constexpr int PackageHeader = 9;
inline constexpr int PackageBody = 11;
inline constexpr int Trigger = 12;
} // namespace ObjectTypes

// "Table", "View", ... for the kinds above; empty for any other number.
std::string_view KindName(int objectType) noexcept;

// A schema object: table, view, synonym, sequence, procedure, function, package header or
// body, or an index or trigger not yet moved under its table. It owns four sub-lists, which
// start absent and are created on first access.
class TObjectItem : public TNameStateItem {
public:
    TObjectItem();
    ~TObjectItem() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    // The copy of TNameStateItem, CommentText, then copies of the source's sub-list items
    // appended to this object's lists.
    void Assign(const TStreamed& source) override;
    std::string GetCreatingText() const override;
    std::string GetKey() const override;         // KindName + " : " + ObjectName
    std::string GetDisplayText() const override; // tables: the comment; others: creating text
    // Frees the sub-lists a file held empty (see ObjectItem.cpp).
    void Loaded() override;

    // A table reports a " Source" line first, then its lines, then its columns, triggers,
    // indexes and constraints; other kinds compare their lines only.
    using TDefaultItem::Compare;
    void Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                 const TItemTexts& own) override;

    TFieldList& ObjectFields();
    TConstraintList& ObjectConstraints();
    TTriggerList& ObjectTriggers();
    TIndexList& ObjectIndexes();
    // The sub-lists without creating them: nullptr while absent.
    TFieldList* FieldsIfAny() const noexcept { return m_fields.get(); }
    TConstraintList* ConstraintsIfAny() const noexcept { return m_constraints.get(); }
    TTriggerList* TriggersIfAny() const noexcept { return m_triggers.get(); }
    TIndexList* IndexesIfAny() const noexcept { return m_indexes.get(); }

    std::string CommentText;

private:
    std::string ColumnListText() const;

    std::unique_ptr<TFieldList> m_fields;
    std::unique_ptr<TConstraintList> m_constraints;
    std::unique_ptr<TTriggerList> m_triggers;
    std::unique_ptr<TIndexList> m_indexes;
};

} // namespace quorvex
