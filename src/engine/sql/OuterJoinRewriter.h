#pragma once

#include <string>
#include <string_view>

namespace quorvex::sql {

// Rewrites Oracle's (+) outer-join notation of a plain SELECT into LEFT JOINs:
// the tables marked with (+) become LEFT JOINs on their marked conditions (without the
// marks), placed after the comma list of the other tables so that every ON condition only
// refers to tables already joined; all other conditions stay in WHERE.
// Returns sql unchanged when it has no (+). A (+) in a shape that cannot be rewritten
// faithfully (inside OR, beside a subquery, with ANSI joins, outside the WHERE clause of the
// outermost query) raises quorvex::Exception.
std::string RewriteOuterJoins(std::string_view sql);

} // namespace quorvex::sql
