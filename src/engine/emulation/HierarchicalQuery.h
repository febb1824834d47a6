#pragma once

#include <string>
#include <string_view>

namespace quorvex::emulation {

// Rewrites an Oracle hierarchical query
//   SELECT ... FROM t [alias] [WHERE w] [START WITH s] CONNECT BY [NOCYCLE] c
//          [GROUP BY ...] [HAVING ...] [ORDER [SIBLINGS] BY o]
// into a recursive common table expression that SQLite runs: the rows meeting s (every row
// without START WITH) are the roots at LEVEL 1; a row is the child of a row already in the tree
// when c holds with PRIOR naming the parent's columns and everything else the child's. WHERE
// filters afterwards, as in Oracle. Rows come depth-first, parents before their children and
// siblings in table order (or by ORDER SIBLINGS BY); an ORDER BY orders the whole result
// instead. LEVEL reads as the row's depth. A row met again on its own path ends that branch
// (NOCYCLE's behaviour). Text without CONNECT BY comes back unchanged; a hierarchical query
// over more than one table, inside a subquery or a compound raises quorvex::Exception.
std::string RewriteHierarchicalQuery(std::string_view sql);

} // namespace quorvex::emulation
