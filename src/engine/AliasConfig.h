#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// The keys of an alias.
namespace alias_keys {
inline constexpr std::string_view kDriver = "DRIVER";                // "ORACLE"
inline constexpr std::string_view kBackend = "BACKEND";              // EMBEDDED, OCI, ODBC
inline constexpr std::string_view kPath = "PATH";                    // embedded folder
inline constexpr std::string_view kHost = "HOST";                    // OCI
inline constexpr std::string_view kPort = "PORT";                    // OCI
inline constexpr std::string_view kServiceName = "SERVICE NAME";     // OCI
inline constexpr std::string_view kDsn = "DSN";                      // ODBC
inline constexpr std::string_view kConnectString = "CONNECT STRING"; // ODBC
inline constexpr std::string_view kUserName = "USER NAME";           // default login user
} // namespace alias_keys

enum class TBackendKind { Embedded, Oci, Odbc };

// One alias: its name and its key=value entries in the order of the file.
struct TAliasConfig {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Entries;
    bool BuiltIn = false; // the DEMO alias the program brings along

    // The value of a key (compared without regard to case); empty when absent.
    std::string Value(std::string_view key) const;
    // BACKEND; without one, EMBEDDED when PATH is given, ODBC when DSN or CONNECT STRING is,
    // else OCI. An Exception for an unknown BACKEND.
    TBackendKind Backend() const;
};

} // namespace quorvex
