#pragma once

#include "ModelBuilder.h"
#include "mainwindow/ObjectTreeModel.h"

#include <QModelIndex>
#include <QStringList>
#include <memory>

namespace quorvex::test {

// Object tree models over schemas built with SchemaBuilder, read back by caption.

// A model built over a schema with the US English collation.
std::unique_ptr<TObjectTreeModel> BuildTree(TDBNewOracle& schema);

// The captions of a node's children.
QStringList ChildCaptions(const TObjectTreeModel& model, const QModelIndex& parent);
// The first child with that caption; invalid when there is none.
QModelIndex Child(const TObjectTreeModel& model, const QModelIndex& parent, const QString& caption);
// A node by its path of captions from the top: {"Tables", "EMP", "Constraints"}.
QModelIndex Find(const TObjectTreeModel& model, const QStringList& path);
// The state image of the node at a path; -1 when there is no such node.
int StateAt(const TObjectTreeModel& model, const QStringList& path);

} // namespace quorvex::test
