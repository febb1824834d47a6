#pragma once

#include "CompactText.h"
#include "TableItem.h"

namespace quorvex {

// Constraint kinds (ConstType), the dictionary's constraint type numbers.
namespace ConstraintTypes {
inline constexpr int Check = 1;
inline constexpr int PrimaryKey = 2;
inline constexpr int UniqueKey = 3;
inline constexpr int ForeignKey = 4;
inline constexpr int ViewCheck = 5;
inline constexpr int ReadOnly = 6;
inline constexpr int NotNull = 7;
} // namespace ConstraintTypes

// A constraint of a table or view. ObjectName is the constraint's name, TableName its table;
// ObjectState 2 marks it disabled. Its key holds its definition, not its name, so renamed
// constraints match in a comparison.
class TConstraintItem : public TTableItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;
    std::string GetCreatingText() const override; // "ALTER TABLE T ADD CONSTRAINT N ...;"
    std::string GetKey() const override;          // "Constraint : " + display text
    std::string GetDisplayText() const override;  // definition, " [DISABLED]" when disabled

    // The line comparison; a constraint whose only change is its name is not marked changed.
    using TDefaultItem::Compare;
    void Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                 const TItemTexts& own) override;
    TItemTexts CaptureTexts() const override { return {GetCreatingText(), GetDisplayText()}; }

    // The definition without the disabled mark ("PRIMARY KEY", "REFERENCES R (A,B)", ...).
    std::string DefinitionText() const;

    std::int32_t ConstNo = 0;
    std::int32_t ConstType = 0;
    std::int32_t RefObjectNo = 0;
    std::int32_t RefConstNo = 0;
    // The texts that most constraints leave empty are held compactly.
    TCompactText RefRules;
    TCompactText Condition;
    std::int32_t Match = 0;
    bool RefAct = false; // the reference deletes in cascade
    TCompactText Columns;
    std::string RefFields; // the constraint's column names joined by ","
    TCompactText RefObjName;
};

// "User Check", "Primary Key", ... for constraint types 1-7; empty for any other.
std::string_view ConstraintTypeName(int constType) noexcept;

} // namespace quorvex
