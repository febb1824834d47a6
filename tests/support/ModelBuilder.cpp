#include "ModelBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

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

void SetProps(TStreamed& object, std::string_view props)
{
    while (!props.empty()) {
        const std::string_view part = props.substr(0, props.find('|'));
        props.remove_prefix(std::min(props.size(), part.size() + 1));
        const size_t equals = part.find('=');
        const TPropInfo* prop = object.ClassInfo().FindProp(part.substr(0, equals));
        if (prop == nullptr || equals == std::string_view::npos) {
            ADD_FAILURE() << object.ClassName() << " has no property for \"" << part << "\"";
            continue;
        }
        const std::string value(part.substr(equals + 1));
        if (prop->Kind == TPropKind::Text)
            prop->SetText(object, std::string(value));
        else
            prop->SetInt(object, std::stoi(value));
    }
}

std::unique_ptr<TStreamed> MakeWithProps(const TClassInfo& info, std::string_view props)
{
    auto object = info.Create();
    SetProps(*object, props);
    return object;
}

} // namespace quorvex::test
