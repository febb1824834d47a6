#pragma once

#include "DBOraClass.h"
#include "model/CommentList.h"
#include "model/ConstraintList.h"
#include "model/FieldList.h"

namespace quorvex {

class TQuery;

// The structure phases of a schema read, in the order LoadSchema runs them, with the working
// lists of columns, comments and constraints that live only while the structure is read.
class TSchemaReader {
public:
    TSchemaReader(TDBNewOracle& root, TQuery& query, const TProgress& progress);

    void ReadOwners();
    void ReadObjects();
    void ReadFields();
    void ReadComments();
    void ReadConstraints();
    void AttachComments();
    void AttachFields();
    void AttachConstraints();

private:
    // Runs a phase that fills `target`: a failure empties it and is not reported.
    template <class Body>
    void RunFillingPhase(TCleanList& target, Body body);

    TDBNewOracle& m_root;
    TQuery& m_query;
    const TProgress& m_progress;
    std::string m_hint;
    TFieldList m_fields;
    TCommentList m_comments;
    TConstraintList m_constraints;
};

// Orders items by object number, then column (or line) number: the order of the working
// column, comment and source lists, without the overflow of a combined 32-bit key.
int CompareObjectAndField(const TCleanItem* a, const TCleanItem* b);

// Sorts the list unless it is in order already, as the dictionary's indexes often deliver the
// rows: the check is one pass, a sort of a million items many.
void SortIfNeeded(TCleanList& list, TItemCompare compare);

} // namespace quorvex
