#include "Exceptions.h"

namespace quorvex::messages {

std::string ClassNotFound(const std::string& className)
{
    return "Class " + className + " not found";
}

std::string CannotOpenFile(const std::string& fileName)
{
    return "Cannot open file " + fileName;
}

std::string CannotCreateFile(const std::string& fileName)
{
    return "Cannot create file " + fileName;
}

std::string IncompatibleClasses(const std::string& found, const std::string& expected)
{
    return "Incompatible classes. " + found + " <> " + expected;
}

std::string CannotAssign(const std::string& source, const std::string& target)
{
    return "Cannot assign a " + source + " to a " + target;
}

std::string ListIndexOutOfBounds(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

} // namespace quorvex::messages
