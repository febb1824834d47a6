#pragma once

#include "dictionary/DBOraClass.h"
#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/IndexItem.h"
#include "model/ObjectItem.h"
#include "model/TriggerItem.h"

#include <memory>
#include <string_view>

namespace quorvex::test {

// Builds small schema models item by item.
class SchemaBuilder {
public:
    SchemaBuilder();

    TDBNewOracle& Schema() { return *m_schema; }

    TOwnerItem* Owner(int ownerNo, const char* name);
    TObjectItem* Object(int objectType, const char* name, int state = 0, int ownerNo = 1);
    TConstraintItem* Constraint(TObjectItem& object, const char* name, int constType = 2,
                                int state = 0);
    TTriggerItem* Trigger(TObjectItem& object, const char* name, int state = 0);
    TIndexItem* Index(TObjectItem& object, const char* name, int state = 0);
    TFieldItem* Column(TObjectItem& object, const char* name, int state = 0);

private:
    std::unique_ptr<TDBNewOracle> m_schema;
    int m_nextNo = 100;
};

// Sets stored properties from "Name=value|Name=value": integers and booleans (0/1) as
// decimal numbers, texts as they stand. Fails the test on an unknown property.
void SetProps(TStreamed& object, std::string_view props);

// A new object of class `info` with those properties set.
std::unique_ptr<TStreamed> MakeWithProps(const TClassInfo& info, std::string_view props);

// Appends a new item with those properties to `list` (any model list) and returns it.
template <class List>
auto* AddItem(List& list, std::string_view props)
{
    auto* item = list.NewItem();
    SetProps(*item, props);
    return item;
}

} // namespace quorvex::test
