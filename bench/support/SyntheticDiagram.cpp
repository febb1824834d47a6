#include "SyntheticDiagram.h"

#include "BenchMeasures.h"
#include "SyntheticModel.h"
#include "diagram/DiagramDocument.h"
#include "diagram/DiagramFont.h"
#include "model/ObjectItem.h"
#include "model/ObjectList.h"

#include <QtGlobal>
#include <cstdio>
#include <string>

namespace quorvex::bench {

namespace {

constexpr int kForeignKey = 4;

} // namespace

TSyntheticSchema BuildSyntheticSchema(int tables, int columnsPerTable, int foreignKeys)
{
    const TStopwatch watch;
    TSyntheticSchema schema;
    schema.Model =
        BuildSyntheticModel(SyntheticModelShape::KeyedTables(tables, columnsPerTable, foreignKeys));
    const double seconds = watch.Elapsed().Wall;
    TObjectList& objects = schema.Model->Objects();
    for (int i = 0; i < objects.Count(); ++i) {
        TObjectItem* object = objects.Items(i);
        if (object->ObjectType != ObjectTypes::Table)
            continue;
        schema.Tables.push_back(object);
        if (const TConstraintList* constraints = object->ConstraintsIfAny()) {
            for (int c = 0; c < constraints->Count(); ++c)
                schema.ForeignKeys += constraints->Items(c)->ConstType == kForeignKey ? 1 : 0;
        }
    }
    const ModelCounts counts = CountModel(*schema.Model);
    std::printf("model      %lld tables, %lld columns, %lld constraints (%lld foreign keys), "
                "%lld indexes (built in %.2f s)\n",
                static_cast<long long>(counts.Tables), static_cast<long long>(counts.Columns),
                static_cast<long long>(counts.Constraints), schema.ForeignKeys,
                static_cast<long long>(counts.Indexes), seconds);
    return schema;
}

void PlaceEveryTable(TDiagramDocument& document, const std::vector<TObjectItem*>& tables)
{
    for (TObjectItem* table : tables)
        document.AddTableForObject(*table);
}

void OpenEveryReference(TDiagramDocument& document, const std::vector<TObjectItem*>& tables)
{
    for (TObjectItem* table : tables)
        document.OpenReferences(*table, false);
}

void WarmDiagramFont()
{
    std::string printable;
    for (char c = ' '; c <= '~'; ++c)
        printable += c;
    DiagramTextWidth(printable);
}

void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace quorvex::bench
