#pragma once

#include "ObjectItem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace quorvex {

class TObjectList;
class TOwnerList;

namespace ddl {

// What the statements of one script share: the owner written unqualified, the owners' names,
// and the objects and constraints by number, for what a foreign key refers to.
class TDdlContext {
public:
    TDdlContext(const TObjectList& objects, const TOwnerList& owners,
                std::optional<std::int32_t> ownerNo);

    // The object's name, qualified by its owner unless that owner's schema is being written.
    std::string Name(const TObjectItem& object) const;
    // The owner's name; empty when the model has no such owner.
    std::string OwnerName(std::int32_t ownerNo) const;
    // `name` of the owner named `owner`, qualified unless that owner's schema is being written.
    std::string NameOfOwner(std::string_view owner, std::string_view name) const;
    // `name` as if it were an object of `of`'s owner (an index beside its table).
    std::string NameBeside(const TObjectItem& of, std::string_view name) const;
    const TObjectItem* Object(std::int32_t objectNo) const;
    const TConstraintItem* Constraint(std::int32_t constNo) const;

private:
    std::string Qualified(std::int32_t ownerNo, std::string_view name) const;

    std::optional<std::int32_t> m_ownerNo;
    std::unordered_map<std::int32_t, std::string> m_ownerNames;
    std::unordered_map<std::int32_t, const TObjectItem*> m_objects;
    std::unordered_map<std::int32_t, const TConstraintItem*> m_constraints;
};

// The statements of one table, each part of the script on its own: CREATE TABLE with the
// columns' types, defaults and NOT NULL; ALTER TABLE ADD for its primary and unique keys; its
// other indexes; its check constraints; its foreign keys. Each text is empty or whole lines.
std::string CreateTableText(const TDdlContext& context, const TObjectItem& table);
std::string KeysText(const TDdlContext& context, const TObjectItem& table);
std::string IndexesText(const TDdlContext& context, const TObjectItem& table);
std::string ChecksText(const TDdlContext& context, const TObjectItem& table);
std::string ForeignKeysText(const TDdlContext& context, const TObjectItem& table);
// " WITH CHECK OPTION" or " WITH READ ONLY" for a view that has such a constraint, else empty.
std::string ViewOptionText(const TObjectItem& view);

} // namespace ddl
} // namespace quorvex
