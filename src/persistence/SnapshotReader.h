#pragma once

#include "ClassInfo.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

class TStreamed;
class TByteSource;

// Reads a snapshot whose root must be exactly of class `rootClass` (ELoadClassFailed
// otherwise). On any failure nothing of the partly read object survives and the exception
// passes to the caller; the caller's current model is never touched.
std::unique_ptr<TStreamed> ReadSnapshot(const TClassInfo& rootClass, TByteSource& source);
std::unique_ptr<TStreamed> CreateFromFile(const TClassInfo& rootClass, const std::string& fileName);
std::unique_ptr<TStreamed> CreateFromString(const TClassInfo& rootClass, std::string_view bytes);

template <class T>
std::unique_ptr<T> CreateFromFile(const std::string& fileName)
{
    return std::unique_ptr<T>(
        static_cast<T*>(CreateFromFile(T::StaticClass(), fileName).release()));
}

template <class T>
std::unique_ptr<T> CreateFromString(std::string_view bytes)
{
    return std::unique_ptr<T>(static_cast<T*>(CreateFromString(T::StaticClass(), bytes).release()));
}

} // namespace quorvex
