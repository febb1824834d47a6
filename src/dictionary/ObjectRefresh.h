#pragma once

namespace quorvex {

class TObjectItem;
class TQuery;

// Re-reads the name, status, comment and stored source of one object. Returns false, leaving
// the object as it was, when the database no longer has it. The query is closed on every
// path; a database error passes on after fields already read keep their new values.
bool RefreshFromDatabase(TObjectItem& object, TQuery& query);

} // namespace quorvex
