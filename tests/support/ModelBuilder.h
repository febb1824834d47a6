#pragma once

#include "dictionary/DBOraClass.h"
#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/IndexItem.h"
#include "model/ObjectItem.h"
#include "model/TriggerItem.h"

#include <memory>

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

} // namespace quorvex::test
