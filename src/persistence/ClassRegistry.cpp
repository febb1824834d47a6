#include "ClassRegistry.h"

#include "AsciiText.h"
#include "CleanList.h"
#include "Exceptions.h"
#include "Streamed.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace quorvex {

namespace {

struct Registry {
    std::mutex Lock;
    std::vector<const TClassInfo*> Classes; // sorted by name, case-insensitive
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

auto LowerBound(std::vector<const TClassInfo*>& classes, std::string_view name)
{
    return std::lower_bound(
        classes.begin(), classes.end(), name,
        [](const TClassInfo* c, std::string_view n) { return CompareTextAscii(c->Name, n) < 0; });
}

} // namespace

void RegisterClass(const TClassInfo& info)
{
    auto& r = TheRegistry();
    std::lock_guard guard(r.Lock);
    auto it = LowerBound(r.Classes, info.Name);
    if (it != r.Classes.end() && SameTextAscii((*it)->Name, info.Name))
        *it = &info;
    else
        r.Classes.insert(it, &info);
}

const TClassInfo* FindClass(std::string_view name) noexcept
{
    auto& r = TheRegistry();
    std::lock_guard guard(r.Lock);
    auto it = LowerBound(r.Classes, name);
    if (it != r.Classes.end() && SameTextAscii((*it)->Name, name))
        return *it;
    return nullptr;
}

std::vector<const TClassInfo*> RegisteredClasses()
{
    auto& r = TheRegistry();
    std::lock_guard guard(r.Lock);
    return r.Classes;
}

std::unique_ptr<TStreamed> CreateByName(std::string_view className)
{
    const TClassInfo* info = FindClass(className);
    if (info == nullptr || info->Create == nullptr)
        throw EClassNotFound(messages::ClassNotFound(std::string(className)));
    return info->Create();
}

void RegisterPersistenceClasses()
{
    RegisterClass(TStreamed::StaticClass());
    RegisterClass(TCleanItem::StaticClass());
    RegisterClass(TCleanList::StaticClass());
}

} // namespace quorvex
