#pragma once

#include <QModelIndex>
#include <string>

namespace quorvex {

class TDefaultItem;
class TOwnerList;

// What the object commands may do with the node selected in the object tree.

// A view, procedure, function, package header or body or trigger object, or a trigger item.
bool CanRecompileItem(const TDefaultItem* item);
// An index, table, view, synonym, sequence, procedure, function, package header or body or
// trigger object.
bool CanDropItem(const TDefaultItem* item);

// The same for the item of a node of a TObjectTreeModel; false for an invalid index or a node
// without an item.
bool CanRecompileSelection(const QModelIndex& selected);
bool CanDropSelection(const QModelIndex& selected);

// The name of the owner with that number followed by "."; empty when there is none. `owners`
// is sorted by number.
std::string OwnerPrefix(const TOwnerList& owners, int ownerNo);

} // namespace quorvex
