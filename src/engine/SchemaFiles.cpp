#include "SchemaFiles.h"

#include "engine/sql/SqlTokenizer.h"

#include <algorithm>
#include <filesystem>

namespace quorvex {

std::vector<TSchemaFile> SchemaFilesInAttachOrder(const std::string& folder,
                                                  std::string_view loginUser)
{
    namespace fs = std::filesystem;
    std::vector<TSchemaFile> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (path.extension() != ".sqlite" || !it->is_regular_file(error))
            continue;
        std::string name = path.stem().string();
        const std::string upper = sql::ToUpper(name);
        if (upper.empty() || upper == "MAIN" || upper == "TEMP")
            continue;
        files.push_back({std::move(name), path.string()});
    }
    const std::string user = sql::ToUpper(loginUser);
    const auto rank = [&](const TSchemaFile& file) {
        const std::string upper = sql::ToUpper(file.Name);
        return upper == user ? 0 : upper == "SYS" ? 1 : 2;
    };
    std::sort(files.begin(), files.end(), [&](const TSchemaFile& a, const TSchemaFile& b) {
        const int ra = rank(a), rb = rank(b);
        return ra != rb ? ra < rb : sql::ToUpper(a.Name) < sql::ToUpper(b.Name);
    });
    return files;
}

} // namespace quorvex
