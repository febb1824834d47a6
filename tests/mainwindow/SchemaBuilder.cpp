#include "SchemaBuilder.h"

namespace quorvex::test {

std::unique_ptr<TObjectTreeModel> BuildTree(TDBNewOracle& schema)
{
    auto model = std::make_unique<TObjectTreeModel>();
    model->SetCollationLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    model->BuildObjectTree(schema);
    return model;
}

QStringList ChildCaptions(const TObjectTreeModel& model, const QModelIndex& parent)
{
    QStringList captions;
    for (int row = 0; row < model.rowCount(parent); ++row)
        captions << model.Caption(model.index(row, 0, parent));
    return captions;
}

QModelIndex Child(const TObjectTreeModel& model, const QModelIndex& parent, const QString& caption)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (model.Caption(child) == caption)
            return child;
    }
    return {};
}

QModelIndex Find(const TObjectTreeModel& model, const QStringList& path)
{
    QModelIndex node;
    for (const QString& caption : path) {
        node = Child(model, node, caption);
        if (!node.isValid())
            return {};
    }
    return node;
}

int StateAt(const TObjectTreeModel& model, const QStringList& path)
{
    const QModelIndex node = Find(model, path);
    return node.isValid() ? model.StateImage(node) : -1;
}

} // namespace quorvex::test
