#pragma once

#include "ClassInfo.h"

#include <memory>
#include <string_view>
#include <vector>

namespace quorvex {

class TStreamed;

// Process-wide map from class name to class, so a reader can create an object from the name
// stored in a file. Names are looked up ignoring ASCII letter case.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name) noexcept;
std::vector<const TClassInfo*> RegisteredClasses();

// Creates an instance of a registered class; EClassNotFound ("Class %s not found") otherwise.
std::unique_ptr<TStreamed> CreateByName(std::string_view className);

// Registers the classes of this library (TStreamed, TCleanItem, TCleanList).
void RegisterPersistenceClasses();

} // namespace quorvex
