#pragma once

#include <stdexcept>
#include <string>

namespace quorvex {

// Every failure of the data layers is an Exception carrying the message the user sees.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

// A silent abort: ends the current operation without showing anything (a cancelled login,
// a refused copy between items). The GUI swallows it.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// Stream and file failures.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};
class ELoadClassFailed : public Exception {
public:
    using Exception::Exception;
};
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The messages of the snapshot reader and writer.
namespace messages {
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
std::string ClassNotFound(const std::string& className);
std::string CannotOpenFile(const std::string& fileName);
std::string CannotCreateFile(const std::string& fileName);
std::string IncompatibleClasses(const std::string& found, const std::string& expected);
std::string CannotAssign(const std::string& source, const std::string& target);
std::string ListIndexOutOfBounds(long long index);
} // namespace messages

} // namespace quorvex
