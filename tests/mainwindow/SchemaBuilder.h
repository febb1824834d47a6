#pragma once

#include "dictionary/DBOraClass.h"
#include "mainwindow/ObjectTreeModel.h"
#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/IndexItem.h"
#include "model/ObjectItem.h"
#include "model/TriggerItem.h"

#include <QModelIndex>
#include <QStringList>
#include <memory>

namespace quorvex::test {

// Builds small schema models item by item, and reads a tree model back.
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
