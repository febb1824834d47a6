#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// One schema of an embedded database folder: the file <NAME>.sqlite holds the schema NAME.
struct TSchemaFile {
    std::string Name;
    std::string Path;
};

// The schema files of a folder in the order they are attached: the login user's (names
// compare without regard to case), SYS, then the others by name. Files that SQLite cannot
// attach under their name (main, temp) are left out; a missing folder gives none.
std::vector<TSchemaFile> SchemaFilesInAttachOrder(const std::string& folder,
                                                  std::string_view loginUser);

} // namespace quorvex
