#pragma once

#include "dictionary/DBOraClass.h"

#include <memory>
#include <vector>

namespace quorvex {

class TDiagramDocument;
class TObjectItem;

namespace bench {

// The schema a diagram benchmark draws: SyntheticModelShape::KeyedTables, with its tables in
// list order.
struct TSyntheticSchema {
    std::unique_ptr<TDBNewOracle> Model;
    std::vector<TObjectItem*> Tables;
    long long ForeignKeys = 0;
};

// Builds the schema and prints one line about it (its counts and how long it took).
TSyntheticSchema BuildSyntheticSchema(int tables, int columnsPerTable, int foreignKeys);

// AddTableForObject on each table (no query: the rows come from the model).
void PlaceEveryTable(TDiagramDocument& document, const std::vector<TObjectItem*>& tables);
// OpenReferences(table, false) on each table.
void OpenEveryReference(TDiagramDocument& document, const std::vector<TObjectItem*>& tables);

// Loads the font database and the glyph advances of the printable ASCII characters: done once
// per process, so not part of what a benchmark times.
void WarmDiagramFont();
// Painting needs a platform plugin but no display: offscreen unless QT_QPA_PLATFORM is set.
// Call before the QGuiApplication is made.
void UseOffscreenPlatform();

} // namespace bench
} // namespace quorvex
