#include "ModelBuilder.h"

namespace quorvex::test {

SchemaBuilder::SchemaBuilder()
    : m_schema(std::make_unique<TDBNewOracle>())
{
}

TOwnerItem* SchemaBuilder::Owner(int ownerNo, const char* name)
{
    TOwnerItem* owner = m_schema->Owners().NewItem();
    owner->OwnerNo = ownerNo;
    owner->OID = ownerNo;
    owner->OwnerName = name;
    return owner;
}

TObjectItem* SchemaBuilder::Object(int objectType, const char* name, int state, int ownerNo)
{
    TObjectItem* object = m_schema->Objects().NewItem();
    object->ObjectNo = ++m_nextNo;
    object->OID = object->ObjectNo;
    object->OwnerNo = ownerNo;
    object->ObjectType = objectType;
    object->ObjectName = name;
    object->ObjectState = state;
    return object;
}

TConstraintItem* SchemaBuilder::Constraint(TObjectItem& object, const char* name, int constType,
                                           int state)
{
    TConstraintItem* constraint = object.ObjectConstraints().NewItem();
    constraint->ObjectName = name;
    constraint->TableName = object.ObjectName;
    constraint->ConstType = constType;
    constraint->ObjectState = state;
    return constraint;
}

TTriggerItem* SchemaBuilder::Trigger(TObjectItem& object, const char* name, int state)
{
    TTriggerItem* trigger = object.ObjectTriggers().NewItem();
    trigger->ObjectName = name;
    trigger->ObjectType = ObjectTypes::Trigger;
    trigger->ObjectState = state;
    return trigger;
}

TIndexItem* SchemaBuilder::Index(TObjectItem& object, const char* name, int state)
{
    TIndexItem* index = object.ObjectIndexes().NewItem();
    index->ObjectName = name;
    index->TableName = object.ObjectName;
    index->ObjectType = ObjectTypes::Index;
    index->ObjectState = state;
    return index;
}

TFieldItem* SchemaBuilder::Column(TObjectItem& object, const char* name, int state)
{
    TFieldList& fields = object.ObjectFields();
    TFieldItem* column = fields.NewItem();
    column->FieldNo = fields.Count();
    column->FieldName = name;
    column->FieldType = 1; // VARCHAR2
    column->Length = 10;
    column->ObjectState = state;
    return column;
}

} // namespace quorvex::test
