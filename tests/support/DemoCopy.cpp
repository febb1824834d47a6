#include "DemoCopy.h"

#include "TestSupport.h"
#include "engine/demo/DemoDatabase.h"

#include <filesystem>

namespace quorvex::test {

const std::string& DemoTemplate()
{
    static const TempDir temp;
    static const std::string folder = [] {
        const std::string path = (temp.Path() / "demo").string();
        BuildEmbeddedDatabase(path, DemoScripts());
        return path;
    }();
    return folder;
}

void CopyDemoDatabase(const std::string& folder)
{
    std::filesystem::copy(DemoTemplate(), folder, std::filesystem::copy_options::recursive);
}

} // namespace quorvex::test
