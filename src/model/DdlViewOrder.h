#pragma once

#include <string>
#include <vector>

namespace quorvex::ddl {

// The order to create views in: each view after every other view whose name its query text
// names, otherwise in the given order. Names are matched as Oracle reads them (unquoted ones
// in upper case), outside literals and comments; a cycle is broken where it closes. Returns
// positions into `names` (and `queries`, which runs parallel to it).
std::vector<size_t> ViewCreationOrder(const std::vector<std::string>& names,
                                      const std::vector<std::string>& queries);

} // namespace quorvex::ddl
