#pragma once

#include "dictionary/DBOraClass.h"

#include <cstdint>
#include <memory>

namespace quorvex {

// The size of a generated model. The defaults give a large installation: 100,000 objects of
// which 60,000 are tables holding 1,000,000 columns, 150,000 constraints, 50,000 indexes and
// 20,000 triggers, spread over 20 owners. The objects that are not tables are views,
// synonyms, sequences, procedures, functions and packages in fixed proportions.
struct SyntheticModelShape {
    int Owners = 20;
    int Objects = 100000; // in the object list, tables included
    int Tables = 60000;
    int Columns = 1000000; // over all tables; each table gets between 1 and 250
    int Constraints = 150000;
    int Indexes = 50000;
    int Triggers = 20000;
    std::uint64_t Seed = 0x51A7'E0B5'2024'0001ull;
    // Every table gets Columns / Tables columns (the remainder one each to the first tables)
    // instead of a mix of narrow and wide ones.
    bool EvenColumns = false;
    // Every table has a one-column primary key and, as its first index, the index enforcing it.
    bool KeyEveryTable = false;
    // When not negative: exactly this many foreign keys (the constraints after the primary keys
    // and these are split among the other kinds). Otherwise 40% of the constraints after the
    // primary keys.
    int ForeignKeys = -1;

    // The default shape with every count multiplied by `factor` (owners excepted); a count
    // that was not zero stays at least 1.
    static SyntheticModelShape Scaled(double factor);
    // One schema of tables only, as a diagram shows it: `tables` tables of `columnsPerTable`
    // columns, each with its primary key and the index enforcing it, and `foreignKeys` foreign
    // keys between them; no other constraints, indexes or triggers.
    static SyntheticModelShape KeyedTables(int tables, int columnsPerTable, int foreignKeys);
};

// Builds a model shaped like one read from the dictionary: owners and objects sorted by OID,
// index and trigger objects moved under their tables, columns in column order, constraints
// in name order, texts with CR LF line breaks. Equal sizes and seeds give equal models.
std::unique_ptr<TDBNewOracle> BuildSyntheticModel(const SyntheticModelShape& shape = {});

// How many items of each kind a model holds.
struct ModelCounts {
    std::int64_t Owners = 0;
    std::int64_t Objects = 0;
    std::int64_t Tables = 0;
    std::int64_t Columns = 0;
    std::int64_t Constraints = 0;
    std::int64_t Indexes = 0;
    std::int64_t Triggers = 0;
};
ModelCounts CountModel(const TDBNewOracle& model);

// What MutateModel changed. Each counted change touches one object.
struct MutationSummary {
    int RenamedColumns = 0;
    int ChangedTypes = 0; // a column's type, length, nullability or default
    int AddedColumns = 0;
    int RemovedColumns = 0;
    int ChangedConstraints = 0; // disabled or enabled
    int ChangedIndexes = 0;     // an index's columns
    int ChangedTexts = 0;       // view, code or sequence text
    int DroppedObjects = 0;
    int AddedObjects = 0;

    int Total() const noexcept
    {
        return RenamedColumns + ChangedTypes + AddedColumns + RemovedColumns + ChangedConstraints +
               ChangedIndexes + ChangedTexts + DroppedObjects + AddedObjects;
    }
};

// Changes about `fraction` of the objects of `model` (0 to 1), each in one way: a column
// renamed, retyped, added or removed, a constraint disabled, an index's columns changed, a
// view's or code's text altered, the object dropped; about as many objects as are dropped are
// added (with object numbers above the highest, so the list stays sorted by OID). The same
// model, fraction and seed always give the same changes.
MutationSummary MutateModel(TDBNewOracle& model, double fraction, std::uint64_t seed);

} // namespace quorvex
