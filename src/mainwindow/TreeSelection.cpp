#include "TreeSelection.h"

#include "ObjectTreeModel.h"
#include "model/ObjectItem.h"
#include "model/OwnerList.h"
#include "model/TriggerItem.h"

namespace quorvex {

bool CanRecompileItem(const TDefaultItem* item)
{
    if (dynamic_cast<const TTriggerItem*>(item) != nullptr)
        return true;
    const auto* object = dynamic_cast<const TObjectItem*>(item);
    if (object == nullptr)
        return false;
    switch (object->ObjectType) {
    case ObjectTypes::View:
    case ObjectTypes::Procedure:
    case ObjectTypes::Function:
    case ObjectTypes::PackageHeader:
    case ObjectTypes::PackageBody:
    case ObjectTypes::Trigger:
        return true;
    default:
        return false;
    }
}

bool CanDropItem(const TDefaultItem* item)
{
    const auto* object = dynamic_cast<const TObjectItem*>(item);
    if (object == nullptr)
        return false;
    switch (object->ObjectType) {
    case ObjectTypes::Index:
    case ObjectTypes::Table:
    case ObjectTypes::View:
    case ObjectTypes::Synonym:
    case ObjectTypes::Sequence:
    case ObjectTypes::Procedure:
    case ObjectTypes::Function:
    case ObjectTypes::PackageHeader:
    case ObjectTypes::PackageBody:
    case ObjectTypes::Trigger:
        return true;
    default:
        return false;
    }
}

bool CanRecompileSelection(const QModelIndex& selected)
{
    return CanRecompileItem(TObjectTreeModel::ItemAt(selected));
}

bool CanDropSelection(const QModelIndex& selected)
{
    return CanDropItem(TObjectTreeModel::ItemAt(selected));
}

std::string OwnerPrefix(const TOwnerList& owners, int ownerNo)
{
    const TOwnerItem* owner = owners.FindByOID(ownerNo);
    return owner == nullptr ? std::string() : owner->OwnerName + ".";
}

} // namespace quorvex
