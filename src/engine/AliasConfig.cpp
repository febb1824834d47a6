#include "AliasConfig.h"

#include "EngineMessages.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

namespace quorvex {

std::string TAliasConfig::Value(std::string_view key) const
{
    const std::string wanted = sql::ToUpper(key);
    for (const auto& [name, value] : Entries)
        if (sql::ToUpper(name) == wanted)
            return value;
    return {};
}

TBackendKind TAliasConfig::Backend() const
{
    std::string backend = sql::ToUpper(Value(alias_keys::kBackend));
    backend.erase(0, backend.find_first_not_of(" \t"));
    backend.erase(backend.find_last_not_of(" \t") + 1);
    if (backend == "EMBEDDED")
        return TBackendKind::Embedded;
    if (backend == "OCI")
        return TBackendKind::Oci;
    if (backend == "ODBC")
        return TBackendKind::Odbc;
    if (!backend.empty())
        throw Exception(messages::UnknownBackend(Name, Value(alias_keys::kBackend)));
    if (!Value(alias_keys::kPath).empty())
        return TBackendKind::Embedded;
    if (!Value(alias_keys::kDsn).empty() || !Value(alias_keys::kConnectString).empty())
        return TBackendKind::Odbc;
    return TBackendKind::Oci;
}

} // namespace quorvex
