#pragma once

#include <string>

namespace quorvex::messages {

// The engine's own error texts; database errors carry the database's message instead.
inline constexpr const char* kInvalidLogon = "ORA-01017: invalid username/password; logon denied";
inline constexpr const char* kNoAliasSpecified = "No alias specified";
std::string AliasNotFound(const std::string& alias);
std::string UnknownBackend(const std::string& alias, const std::string& backend);
std::string MissingQtDriver(const std::string& driver);
std::string NoEmbeddedDatabase(const std::string& folder);
std::string StoredProcNotSupported(const std::string& name);
std::string StoredProcParamNotFound(const std::string& name);
std::string ConnectionInUse(const std::string& name);
std::string FieldIndexOutOfRange(int index);
std::string ParamIndexOutOfRange(int index);
std::string NotAnInteger(const std::string& text);
std::string NotAFloat(const std::string& text);
std::string NotADateTime(const std::string& text);

} // namespace quorvex::messages
