#include "AliasStore.h"

#include "EngineMessages.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <QStandardPaths>
#include <cstdlib>

namespace quorvex {
namespace {

TAliasConfig BuiltInDemo()
{
    TAliasConfig demo;
    demo.Name = std::string(TAliasStore::kDemoAlias);
    demo.BuiltIn = true;
    demo.Entries = {{std::string(alias_keys::kDriver), "ORACLE"},
                    {std::string(alias_keys::kBackend), "EMBEDDED"},
                    {std::string(alias_keys::kPath), TAliasStore::DefaultDemoFolder()},
                    {std::string(alias_keys::kUserName), "SCOTT"}};
    return demo;
}

} // namespace

TAliasStore::TAliasStore(std::string fileName)
    : m_ini(std::move(fileName))
{
}

std::string TAliasStore::DefaultFileName()
{
    if (const char* file = std::getenv("QUORVEX_ALIASES"); file != nullptr && *file != '\0')
        return file;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/quorvex/aliases.ini";
}

std::string TAliasStore::DefaultDemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
           "/quorvex/demo";
}

std::vector<std::string> TAliasStore::Names() const
{
    std::vector<std::string> names;
    if (!FileDefinesDemo())
        names.emplace_back(kDemoAlias);
    for (auto& section : m_ini.Sections())
        names.push_back(std::move(section));
    return names;
}

std::optional<TAliasConfig> TAliasStore::Find(std::string_view name) const
{
    if (m_ini.SectionExists(name)) {
        TAliasConfig config;
        for (const auto& section : m_ini.Sections())
            if (sql::ToUpper(section) == sql::ToUpper(name))
                config.Name = section;
        config.Entries = m_ini.Entries(name);
        return config;
    }
    if (sql::ToUpper(name) == kDemoAlias)
        return BuiltInDemo();
    return std::nullopt;
}

TAliasConfig TAliasStore::Get(std::string_view name) const
{
    auto config = Find(name);
    if (!config)
        throw Exception(messages::AliasNotFound(std::string(name)));
    return std::move(*config);
}

std::string TAliasStore::Driver(std::string_view name) const
{
    const TAliasConfig config = Get(name);
    for (const auto& [key, value] : config.Entries)
        if (sql::ToUpper(key) == alias_keys::kDriver)
            return value;
    return "ORACLE";
}

std::vector<std::string> TAliasStore::Params(std::string_view name) const
{
    std::vector<std::string> lines;
    for (const auto& [key, value] : Get(name).Entries)
        if (sql::ToUpper(key) != alias_keys::kDriver)
            lines.push_back(key + '=' + value);
    return lines;
}

} // namespace quorvex
